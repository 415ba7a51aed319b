#pragma once

#include <QColor>
#include <QGroupBox>

namespace kalvora {

// A group box whose caption has a colour of its own. The colour goes into the style option
// only, so the controls inside the frame keep the ordinary text colour of the window.
class CaptionFrame : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(QColor captionColor READ captionColor WRITE setCaptionColor)
public:
    using QGroupBox::QGroupBox;

    QColor captionColor() const { return captionColor_; }
    void setCaptionColor(const QColor &color);

protected:
    void initStyleOption(QStyleOptionGroupBox *option) const override;

private:
    QColor captionColor_;
};

} // namespace kalvora
