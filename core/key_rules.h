#pragma once

// What a typed character becomes in an input field; 0 discards it. 8 is backspace.
namespace kalvora {

// Decimal fields: a full stop becomes the decimal comma, so that both decimal keys of a
// keyboard give it; then digits, the comma and backspace pass.
constexpr int decimalFieldKey(int code) {
    if (code == '.')
        code = ',';
    if (code == 8 || code == ',' || (code >= '0' && code <= '9'))
        return code;
    return 0;
}

// The pieces field takes whole numbers: digits and backspace.
constexpr int piecesFieldKey(int code) {
    if (code == 8 || (code >= '0' && code <= '9'))
        return code;
    return 0;
}

} // namespace kalvora
