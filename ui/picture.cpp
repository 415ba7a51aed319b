#include "ui/picture.h"

#include <QByteArray>
#include <QImageReader>
#include <QPixmap>
#include <QString>

namespace kalvora {

QPixmap readPicture(const QString &path, const QByteArray &format) {
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImageReader(&reader);
}

} // namespace kalvora
