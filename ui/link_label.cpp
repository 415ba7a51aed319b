#include "ui/link_label.h"

#include <QMouseEvent>

namespace kalvora {

// A label of plain text has nothing of its own to do with a release.
void LinkLabel::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace kalvora
