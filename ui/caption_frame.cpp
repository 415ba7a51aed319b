#include "ui/caption_frame.h"

#include <QFontMetrics>
#include <QPainter>

namespace kalvora {

namespace {

// Where the caption's text starts, and the gap kept clear on either side of it.
constexpr int kCaptionLeft = 8;
constexpr int kCaptionGap = 2;

// One-pixel lines as filled rectangles, so that they stay whole pixels at any scale.
void drawOutline(QPainter &painter, const QRect &rect, const QColor &color) {
    painter.fillRect(rect.left(), rect.top(), rect.width(), 1, color);
    painter.fillRect(rect.left(), rect.bottom(), rect.width(), 1, color);
    painter.fillRect(rect.left(), rect.top(), 1, rect.height(), color);
    painter.fillRect(rect.right(), rect.top(), 1, rect.height(), color);
}

} // namespace

void CaptionFrame::setCaptionColor(const QColor &color) {
    if (color == captionColor_)
        return;
    captionColor_ = color;
    update();
}

void CaptionFrame::paintEvent(QPaintEvent * /*event*/) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int lineY = metrics.height() / 2;

    // An etched groove: a shadow line with a highlight line one pixel below and to the right.
    const QRect groove(0, lineY, width() - 1, height() - lineY - 1);
    drawOutline(painter, groove.translated(1, 1), palette().color(QPalette::Light));
    drawOutline(painter, groove, palette().color(QPalette::Dark));

    const QString caption = title();
    if (caption.isEmpty())
        return;
    const QRect text(kCaptionLeft, 0, metrics.horizontalAdvance(caption), metrics.height());
    painter.fillRect(text.adjusted(-kCaptionGap, 0, kCaptionGap, 0), palette().window());
    painter.setPen(captionColor_.isValid() ? captionColor_ : palette().color(QPalette::WindowText));
    painter.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, caption);
}

} // namespace kalvora
