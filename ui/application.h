#pragma once

namespace kalvora {

// Application-wide settings that the window relies on: names, icon, and fonts that measure
// alike on every machine (Liberation Sans where Arial or Microsoft Sans Serif is missing).
// Call it once the application object exists and before any widget does.
void setUpApplication();

} // namespace kalvora
