#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMetaObject>
#include <QObject>

#include <cstdlib>

// Ends the program once the watched window has painted for the first time and the X server has
// the picture, so that timing the whole process measures start-up up to the first picture on
// screen. It ends there, without tearing down the window and the application: closing is not
// start-up, and the calculator has more to tear down than the bare window.
class QuitAtFirstPaint : public QObject {
protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint && !posted_) {
            posted_ = true;
            // Queued, so that the paint under way completes and is sent first.
            QMetaObject::invokeMethod(
                qApp,
                [] {
                    QGuiApplication::sync(); // a round trip: the server has drawn it
                    std::_Exit(EXIT_SUCCESS);
                },
                Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool posted_ = false;
};
