// The least a Qt Widgets program can show: one label in a window of the calculator's size,
// quitting at its first paint. The yardstick for startup_probe.
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMetaObject>

namespace {

class QuitAtFirstPaint : public QObject {
protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint && !posted_) {
            posted_ = true;
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool posted_ = false;
};

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Kalvora"));
    window.setFixedSize(442, 488);
    QuitAtFirstPaint quit;
    window.installEventFilter(&quit);
    window.show();
    return QApplication::exec();
}
