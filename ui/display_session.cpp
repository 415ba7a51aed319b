#include "ui/display_session.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace kalvora {

namespace {

constexpr char kPlatformVariable[] = "QT_QPA_PLATFORM";

// Set when prepareDisplay asked for X11 on the user's behalf.
bool platformAsked = false;

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
QtMessageHandler previousHandler = nullptr;
std::vector<HeldMessage> heldMessages;

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
std::string variable(const char *name) { return qEnvironmentVariable(name).toStdString(); }
#endif

void needsDesktop(const char *why) {
    std::fprintf(stderr, "Kalvora needs a graphical desktop session: %s.\n", why);
}

void whileOpening(QtMsgType type, const QMessageLogContext &context, const QString &text) {
    if (type == QtFatalMsg) {
        // Qt's last word when no platform plugin could start: the display is out of reach.
        const QByteArray display = qgetenv("DISPLAY") + qgetenv("WAYLAND_DISPLAY");
        needsDesktop(("its display " + display + " could not be opened").constData());
        std::_Exit(1);
    }
    const QByteArray category(context.category ? context.category : "");
    if (category.startsWith("qt.qpa.")) {
        heldMessages.push_back({type, category, text});
        return;
    }
    previousHandler(type, context, text);
}

} // namespace

DisplayChoice chooseDisplay(const DisplayEnvironment &environment) {
    if (!environment.qpaPlatform.empty())
        return DisplayChoice::AsAsked;
    if (!environment.x11Display.empty())
        return DisplayChoice::X11;
    if (!environment.waylandDisplay.empty())
        return DisplayChoice::AsAsked;
    return DisplayChoice::None;
}

bool prepareDisplay() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    switch (chooseDisplay(
        {variable(kPlatformVariable), variable("DISPLAY"), variable("WAYLAND_DISPLAY")})) {
    case DisplayChoice::None:
        needsDesktop("neither DISPLAY nor WAYLAND_DISPLAY is set");
        return false;
    case DisplayChoice::X11:
        platformAsked = qputenv(kPlatformVariable, "xcb");
        break;
    case DisplayChoice::AsAsked:
        break;
    }
#endif
    return true;
}

OpeningDisplay::OpeningDisplay() { previousHandler = qInstallMessageHandler(whileOpening); }

OpeningDisplay::~OpeningDisplay() {
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage &message : heldMessages) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        previousHandler(message.type, context, message.text);
    }
    heldMessages.clear();
    if (std::exchange(platformAsked, false))
        qunsetenv(kPlatformVariable);
}

} // namespace kalvora
