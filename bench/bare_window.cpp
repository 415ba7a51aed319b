// The least a Qt Widgets program can show: one label in a window of the calculator's size,
// quitting at its first paint. The yardstick for startup_probe.
#include "bench/quit_at_first_paint.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Kalvora"));
    window.setFixedSize(442, 488);
    QuitAtFirstPaint quit;
    window.installEventFilter(&quit);
    window.show();
    return QApplication::exec();
}
