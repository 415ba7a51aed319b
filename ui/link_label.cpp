#include "ui/link_label.h"

#include <QMouseEvent>

#include <utility>

namespace kalvora {

void LinkLabel::mouseDoubleClickEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton)
        releaseEndsDoubleClick_ = true;
    QLabel::mouseDoubleClickEvent(event);
}

// A label of plain text has nothing of its own to do with a release.
void LinkLabel::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton)
        return;
    // Otherwise a double-click would start the browser twice.
    if (std::exchange(releaseEndsDoubleClick_, false))
        return;
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace kalvora
