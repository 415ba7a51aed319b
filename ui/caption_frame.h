#pragma once

#include <QColor>
#include <QGroupBox>

namespace kalvora {

// A frame in the classic etched look: its caption stands in the border's top edge, in a colour
// of its own, and the controls inside keep the ordinary text colour of the window. It paints
// itself because the desktop styles put the caption above the border, where it crowds the
// controls that the window places just below the frame's top.
class CaptionFrame : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(QColor captionColor READ captionColor WRITE setCaptionColor)
public:
    using QGroupBox::QGroupBox;

    QColor captionColor() const { return captionColor_; }
    void setCaptionColor(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor captionColor_;
};

} // namespace kalvora
