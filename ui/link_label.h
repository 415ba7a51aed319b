#pragma once

#include <QLabel>

namespace kalvora {

// A label that reports a click of the left mouse button on it. A double-click is one click: its
// second release reports nothing, as a label that handles clicks only does on the classic desktop.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool releaseEndsDoubleClick_ = false;
};

} // namespace kalvora
