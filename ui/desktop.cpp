#include "ui/desktop.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

namespace kalvora {

void QtDesktop::showWarning(QWidget *parent, const QString &title, const QString &prompt) {
    QMessageBox::warning(parent, title, prompt, QMessageBox::Ok);
}

void QtDesktop::openWebPage(const QUrl &url) {
    // Nothing to tell the user when no browser starts: the window stays as it was.
    QDesktopServices::openUrl(url);
}

} // namespace kalvora
