#pragma once

class QApplication;

namespace kalvora {

// Application-wide settings that the window relies on: names, icon, and fonts that measure
// alike on every machine (Liberation Sans where Arial or Microsoft Sans Serif is missing).
// Call it before any widget exists.
void setUpApplication(QApplication &app);

} // namespace kalvora
