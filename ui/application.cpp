#include "ui/application.h"

#include "ui/form_setup.h"
#include "ui/picture.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QPixmap>

// Resources compiled into a static library must be registered by hand.
static void registerResources() { Q_INIT_RESOURCE(resources); }

namespace kalvora {

void setUpApplication() {
    registerResources();
    QApplication::setApplicationName(QStringLiteral("Kalvora"));
    QApplication::setApplicationVersion(QStringLiteral(KALVORA_VERSION));
    QApplication::setOrganizationName(QStringLiteral("Kalvora"));
    QApplication::setDesktopFileName(QStringLiteral("example.valtorre_metalli.kalvora"));
    // The 48-pixel icon, and a sharper one where the screen would blow it up; larger sizes come
    // from the installed icon theme, and decoding them here would slow the start.
    QIcon icon(readPicture(QStringLiteral(":/kalvora/icon-48.png"), "png"));
    if (qApp->devicePixelRatio() > 1)
        icon.addPixmap(readPicture(QStringLiteral(":/kalvora/icon-128.png"), "png"));
    QApplication::setWindowIcon(icon);

#ifdef Q_OS_WIN
    // The form is drawn for the classic Windows look: sunken three-dimensional fields, raised
    // buttons and drop-down arrows, where the current Windows style draws flat outlines.
    QApplication::setStyle(QStringLiteral("windows"));
#endif
    // The offscreen platform and the desktops differ in their default font; message boxes and
    // anything without a font of its own should measure alike everywhere.
    QFont font(drawnFamily(QStringLiteral("Microsoft Sans Serif")));
    font.setPointSizeF(8.25);
    QApplication::setFont(font);
}

} // namespace kalvora
