#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QObject>

// Ends the program once the watched window paints for the first time, so that timing the whole
// process measures start-up up to the first picture on screen.
class QuitAtFirstPaint : public QObject {
protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint && !posted_) {
            posted_ = true;
            // Queued, so that the paint under way completes and reaches the screen first.
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool posted_ = false;
};
