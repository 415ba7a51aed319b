// Starts the calculator exactly as the program does and quits at the window's first paint, so
// that timing the whole process measures start-up up to the first picture on screen.
// scripts/startup-benchmark.sh compares it with bare_window.
#include "ui/application.h"
#include "ui/desktop.h"
#include "ui/display_session.h"
#include "ui/form1.h"

#include "bench/quit_at_first_paint.h"

#include <QApplication>

#include <optional>

int main(int argc, char *argv[]) {
    if (!kalvora::prepareDisplay())
        return 1;
    std::optional<kalvora::OpeningDisplay> opening(std::in_place);
    QApplication app(argc, argv);
    opening.reset();
    kalvora::setUpApplication();
    kalvora::QtDesktop desktop;
    kalvora::Form1 window(desktop);
    QuitAtFirstPaint quit;
    window.installEventFilter(&quit);
    window.load();
    return QApplication::exec();
}
