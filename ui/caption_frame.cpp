#include "ui/caption_frame.h"

#include <QStyleOptionGroupBox>

namespace kalvora {

void CaptionFrame::setCaptionColor(const QColor &color) {
    if (color == captionColor_)
        return;
    captionColor_ = color;
    update();
}

void CaptionFrame::initStyleOption(QStyleOptionGroupBox *option) const {
    QGroupBox::initStyleOption(option);
    if (!captionColor_.isValid())
        return;
    // Some styles honour textColor, Fusion draws the title with the option's WindowText.
    option->textColor = captionColor_;
    option->palette.setColor(QPalette::WindowText, captionColor_);
}

} // namespace kalvora
