#include "ui/wheel_guard.h"

#include <QEvent>
#include <QWidget>

namespace kalvora {

void WheelGuard::guard(QWidget *list) {
    list->setFocusPolicy(Qt::StrongFocus);
    list->installEventFilter(this);
}

bool WheelGuard::eventFilter(QObject *watched, QEvent *event) {
    const auto *list = qobject_cast<QWidget *>(watched);
    if (event->type() == QEvent::Wheel && list != nullptr && !list->hasFocus()) {
        // Ignored and filtered out: the application hands the turn on to the parent.
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kalvora
