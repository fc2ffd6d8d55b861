#pragma once
// Value encodings of the settings store. Every value is stored as text; these turn the typed values
// into that text and back the way the original platform's conversions do. Locale-independent:
// '.' is always the decimal point.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavlo {

// A number as the conversions read it: blanks around it; an optional sign; decimal digits with an
// optional fraction and an optional exponent (E or D), or &H hexadecimal / &O octal digits (taken as
// a 16-bit value when they fit in 16 bits, else as a 32-bit one). Nothing else may follow.
std::optional<double> ParseNumberText(std::wstring_view text);

// "True" or "False".
std::wstring BoolToText(bool value);
// True/False in any letter case, or a number (zero false, anything else true).
std::optional<bool> TextToBool(const std::wstring& text);

// Plain decimal text.
std::wstring Int16ToText(std::int16_t value);
// A number rounded to the nearest integer, halves to even; nothing outside -32768..32767.
std::optional<std::int16_t> TextToInt16(const std::wstring& text);

// Up to 7 significant digits, a decimal point only when there is a fraction (1000 -> "1000"),
// exponent form ("1E+07") for very large or very small magnitudes.
std::wstring SingleToText(float value);
// A number within the single-precision range.
std::optional<float> TextToSingle(const std::wstring& text);

} // namespace tavlo
