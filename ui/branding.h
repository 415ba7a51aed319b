#pragma once

// The maker's details shown in the window. A supplier rebrands the calculator by editing this
// file and the logo image (ui/resources/logo.gif). The web host is under the reserved .example
// domain, so the link leads to no real business.
namespace kalvora::branding {

inline constexpr char kMakerName[] = "Valtorre Metalli";
inline constexpr char kWebHost[] = "www.valtorre-metalli.example";
inline constexpr char kStreet[] = "Via delle Fonderie, 14";
inline constexpr char kPostcodeTownProvinceCountry[] = "24050 Valtorre (BG) Italy";
inline constexpr char kTelephone[] = "+39 035 555 0100";
inline constexpr char kFax[] = "+39 035 555 0199";

} // namespace kalvora::branding
