#include "ui/form_setup.h"

#include "ui/picture.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>

namespace kalvora {

void applyFormFonts(QWidget *form) {
    QList<QWidget *> widgets{form};
    widgets += form->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        const QVariant size = widget->property("fontPointSize");
        if (!size.isValid())
            continue;
        QFont font = widget->font();
        font.setFamily(drawnFamily(widget->property("fontFamily").toString()));
        font.setPointSizeF(size.toDouble());
        widget->setFont(font);
    }
}

QString drawnFamily(const QString &formFamily) {
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
    return formFamily;
#else
    Q_UNUSED(formFamily)
    return QStringLiteral("Liberation Sans");
#endif
}

QCursor handPointer() {
    // Drawn from the 64-pixel hand on dense screens so that it stays sharp. The hot spot is
    // the fingertip, at (12, 1) of the 32-pixel hand, and is given in the pixmap's own pixels.
    const qreal scale = qApp->devicePixelRatio();
    const int size = qRound(32 * scale);
    const QPixmap hand = readPicture(scale > 1 ? QStringLiteral(":/kalvora/hand-pointer-64.png")
                                               : QStringLiteral(":/kalvora/hand-pointer.png"),
                                     "png");
    // Scaling to the size the hand already has leaves it untouched.
    return QCursor(hand.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                   qRound(12 * scale), qRound(1 * scale));
}

QPixmap logoPixmap() {
    // Decoding a larger picture only to scale it down would be most of the window's start.
    return readPicture(qApp->devicePixelRatio() > 1 ? QStringLiteral(":/kalvora/logo@2x.gif")
                                                    : QStringLiteral(":/kalvora/logo.gif"),
                       "gif");
}

// On the button face the density field paints no background of its own: the frame's fill
// shows through, so the value never stands out as a patch of another shade, whatever the
// style draws a frame with. For "Other" it is an input field on the window background.
void setDensityBackground(QLineEdit *field, bool buttonFace) {
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, buttonFace
                                         ? QColor(Qt::transparent)
                                         : QApplication::palette(field).color(QPalette::Base));
    field->setPalette(palette);
}

void setDensityFieldLook(QLineEdit *field, bool fixed) {
    setDensityBackground(field, fixed);
    field->setFrame(!fixed);
    field->setReadOnly(fixed);
}

void labelAcrossFrames(QWidget *form) {
    for (const QLabel *caption : form->findChildren<QLabel *>()) {
        QWidget *control = caption->buddy();
        if (control == nullptr || control->parentWidget() == caption->parentWidget())
            continue;
        auto *standIn = new QLabel(caption->text(), control->parentWidget());
        standIn->hide();
        standIn->setBuddy(control);
    }
}

} // namespace kalvora
