#include "core/number_text.h"

#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <span>
#include <type_traits>

// Standard libraries without floating-point from_chars (libc++ up to 16, as in the WebAssembly
// builds) fall back to the C library, whose strtof/strtod/snprintf round correctly there and
// ignore the locale. GCC's library has it, so native builds keep from_chars and to_chars.
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
#define KALVORA_FLOAT_CHARCONV 1
#else
#define KALVORA_FLOAT_CHARCONV 0
#endif

namespace kalvora {

// Every figure is defined by IEEE 754 single and double arithmetic evaluated one operation at
// a time; a platform that differs would show other figures.
static_assert(std::numeric_limits<float>::is_iec559, "float must be IEEE 754 single");
static_assert(std::numeric_limits<double>::is_iec559, "double must be IEEE 754 double");
static_assert(FLT_EVAL_METHOD == 0, "intermediate results must not carry excess precision");

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Digits with at most one comma and at least one digit.
bool isNumberText(std::string_view text) {
    bool anyDigit = false;
    bool comma = false;
    for (char c : text) {
        if (isDigit(c)) {
            anyDigit = true;
        } else if (c == ',' && !comma) {
            comma = true;
        } else {
            return false;
        }
    }
    return anyDigit;
}

template <class T> std::optional<T> parseNumberText(std::string_view text) {
    if (!isNumberText(text))
        return std::nullopt;
    std::string c(text);
    const auto comma = c.find(',');
    if (comma != std::string::npos)
        c[comma] = '.';
#if KALVORA_FLOAT_CHARCONV
    // from_chars reads the C form whatever the locale, and rounds correctly to T itself.
    T value{};
    const auto [end, error] =
        std::from_chars(c.data(), c.data() + c.size(), value, std::chars_format::fixed);
    if (error == std::errc::result_out_of_range) {
        // Only a value of 1 or more can be too large; a tiny one rounds to zero.
        const bool atLeastOne =
            c.find_first_not_of('0') < (comma == std::string::npos ? c.size() : comma);
        return atLeastOne ? std::numeric_limits<T>::infinity() : T{0};
    }
    if (error != std::errc{} || end != c.data() + c.size())
        return std::nullopt;
    return value;
#else
    // Straight to T: a float read through double would be rounded twice. Out of range, these
    // give infinity or the correctly rounded tiny value, as from_chars does.
    char *end = nullptr;
    T value{};
    if constexpr (std::is_same_v<T, float>)
        value = std::strtof(c.c_str(), &end);
    else
        value = std::strtod(c.c_str(), &end);
    if (end != c.c_str() + c.size())
        return std::nullopt;
    return value;
#endif
}

// `value` in the form "d.ddde+XX" with `decimals` digits after the point, correctly rounded.
std::string_view writeScientific(std::span<char, 64> buffer, double value, int decimals) {
#if KALVORA_FLOAT_CHARCONV
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::scientific, decimals);
    return {buffer.data(), static_cast<std::size_t>(written.ptr - buffer.data())};
#else
    const int length = std::snprintf(buffer.data(), buffer.size(), "%.*e", decimals, value);
    return {buffer.data(), static_cast<std::size_t>(length)};
#endif
}

// Rounds to `digits` significant digits (ties to even on the exact value) and writes the
// result in plain form while the exponent is below `digits`, otherwise in exponent form.
std::string formatSignificant(double value, int digits) {
    if (value == 0.0)
        return "0"; // negative zero too
    if (!std::isfinite(value))
        return std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
    std::string out;
    if (value < 0) {
        out = "-";
        value = -value;
    }
    std::array<char, 64> buffer{};
    const std::string_view scientific = writeScientific(buffer, value, digits - 1);
    const auto e = scientific.find('e');
    std::string mantissa;
    for (char c : scientific.substr(0, e))
        if (isDigit(c))
            mantissa += c;
    int exponent = 0;
    const auto exponentText = scientific.substr(e + 1);
    const char *exponentBegin = exponentText.data() + (exponentText.front() == '+' ? 1 : 0);
    std::from_chars(exponentBegin, exponentText.data() + exponentText.size(), exponent);
    while (mantissa.size() > 1 && mantissa.back() == '0')
        mantissa.pop_back();

    if (exponent >= -4 && exponent < digits) {
        if (exponent < 0) {
            out += "0," + std::string(static_cast<std::size_t>(-exponent - 1), '0') + mantissa;
            return out;
        }
        const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
        if (mantissa.size() <= integerDigits) {
            out += mantissa + std::string(integerDigits - mantissa.size(), '0');
        } else {
            out += mantissa.substr(0, integerDigits) + ',' + mantissa.substr(integerDigits);
        }
        return out;
    }
    out += mantissa.substr(0, 1);
    if (mantissa.size() > 1)
        out += ',' + mantissa.substr(1);
    out += exponent < 0 ? "E-" : "E+";
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude < 10)
        out += '0';
    out += std::to_string(magnitude);
    return out;
}

} // namespace

std::optional<float> parseSingle(std::string_view text) { return parseNumberText<float>(text); }

std::optional<double> parseDouble(std::string_view text) { return parseNumberText<double>(text); }

std::string formatSingle(float value) { return formatSignificant(value, 7); }

std::string formatDouble(double value) { return formatSignificant(value, 15); }

float roundTwoDecimals(float value) {
    // A float times 100 is exact in double; nearbyint rounds ties to even in the default mode.
    const double hundredths = std::nearbyint(static_cast<double>(value) * 100.0);
    return static_cast<float>(hundredths / 100.0);
}

double roundTwoDecimals(double value) { return std::nearbyint(value * 100.0) / 100.0; }

} // namespace kalvora
