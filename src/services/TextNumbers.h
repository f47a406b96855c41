#pragma once

#include <cstdint>
#include <string>

// The leading decimal number of `text` (blanks first allowed, sign, digits,
// a decimal point, an exponent); 0 when the text does not begin with one.
double LeadingNumber(const std::string& text);

// Nearest integer, a half going to the even neighbour; clamped to 32 bits.
int32_t RoundHalfEven(double value);

// A stored setting taken as a number: its leading number, rounded.
inline int32_t SettingNumber(const std::string& text) {
    return RoundHalfEven(LeadingNumber(text));
}
