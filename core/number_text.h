#pragma once

#include <optional>
#include <string>
#include <string_view>

// Decimal-comma number texts: "7,85", "0,00", ",5", "12,". Digits with at most one comma and
// at least one digit; no sign, no exponent, no thousands separator, whatever the locale.
namespace kalvora {

// Texts that mark a value not entered yet; all three are worth zero.
inline constexpr std::string_view kZeroTextOneDecimal = "0,0";
inline constexpr std::string_view kZeroTextTwoDecimals = "0,00";
inline constexpr std::string_view kZeroTextThreeDecimals = "0,000";

// The value of a number text rounded to the nearest float (ties to even), straight from the
// decimal text. A value beyond the float range comes back as infinity, as IEEE rounding gives
// it; a text that is not a number text gives no value.
std::optional<float> parseSingle(std::string_view text);
std::optional<double> parseDouble(std::string_view text);

// Display texts with 7 (float) or 15 (double) significant digits, e.g. "47,1", "1,87875E+08".
std::string formatSingle(float value);
std::string formatDouble(double value);

// Rounds to two decimals on the stored value, ties to even: 0,125 -> 0,12; 58,875 -> 58,88.
float roundTwoDecimals(float value);
double roundTwoDecimals(double value);

} // namespace kalvora
