#pragma once

class QByteArray;
class QPixmap;
class QString;

namespace kalvora {

// Reads one of the program's own pictures in the format it is stored in. Left to guess, Qt
// would load every image plugin it finds to ask whether it reads the format: most of the time
// the first picture took to appear.
QPixmap readPicture(const QString &path, const QByteArray &format);

} // namespace kalvora
