#pragma once

namespace kalvora {

// Application-wide settings that the window relies on: names, icon, and a font that measures
// alike on every machine (Liberation Sans for Microsoft Sans Serif, except on Windows and macOS).
// Call it once the application object exists and before any widget does.
void setUpApplication();

} // namespace kalvora
