#pragma once

#include <string>

namespace kalvora {

// What the environment says about the graphical session the program starts in.
struct DisplayEnvironment {
    std::string qpaPlatform;    // QT_QPA_PLATFORM: a platform the user or a test asked for
    std::string x11Display;     // DISPLAY
    std::string waylandDisplay; // WAYLAND_DISPLAY
};

enum class DisplayChoice {
    AsAsked, // a platform was asked for, or Qt's own choice serves
    X11,     // an X server is there, under Wayland too (XWayland)
    None,    // no graphical session at all
};

// X11 wherever there is an X server: the window is tested there and keeps its fixed size, and a
// Wayland session without Qt's Wayland plugin would otherwise warn about it at every start
// before falling back to X11 all the same.
DisplayChoice chooseDisplay(const DisplayEnvironment &environment);

// Call first in main(), before the application object exists. Without a graphical session it
// says so in one line and returns false; otherwise it asks Qt for the platform chosen above.
bool prepareDisplay();

// Lives while the application object opens the display. When that fails, the program ends with
// one line and exit code 1 instead of Qt's abort and its advice to reinstall; Qt's own messages
// about its platform are held back until then, and passed on when the display opens. At its
// end, the platform chosen is no longer asked for: the choice is this program's, not that of the
// programs it starts (the web browser).
class OpeningDisplay {
public:
    OpeningDisplay();
    ~OpeningDisplay();
    OpeningDisplay(const OpeningDisplay &) = delete;
    OpeningDisplay &operator=(const OpeningDisplay &) = delete;
};

} // namespace kalvora
