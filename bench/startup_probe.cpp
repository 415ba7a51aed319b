// Starts the calculator exactly as the program does and quits at the window's first paint, so
// that timing the whole process measures start-up up to the first picture on screen.
// scripts/startup-benchmark.sh compares it with bare_window.
#include "ui/application.h"
#include "ui/desktop.h"
#include "ui/form1.h"

#include "bench/quit_at_first_paint.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    kalvora::setUpApplication();
    kalvora::QtDesktop desktop;
    kalvora::Form1 window(desktop);
    QuitAtFirstPaint quit;
    window.installEventFilter(&quit);
    window.load();
    return QApplication::exec();
}
