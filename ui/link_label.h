#pragma once

#include <QLabel>

namespace kalvora {

// A label that reports a click of the left mouse button on it.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

} // namespace kalvora
