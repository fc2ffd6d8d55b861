#include "settings/ValueEncoding.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace tavlo {
namespace {

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\v' || c == L'\f';
}

std::wstring_view Trim(std::wstring_view s)
{
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

wchar_t Upper(wchar_t c)
{
    return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Upper(a[i]) != Upper(b[i])) return false;
    return true;
}

// &H / &O digits after the prefix. Up to 16 bits they are a 16-bit pattern (&HFFFF is -1), up to
// 32 bits a 32-bit one.
std::optional<double> ParseRadix(std::wstring_view digits, unsigned radix)
{
    if (digits.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (wchar_t c : digits) {
        unsigned d;
        wchar_t u = Upper(c);
        if (IsDigit(u)) d = static_cast<unsigned>(u - L'0');
        else if (u >= L'A' && u <= L'F') d = static_cast<unsigned>(u - L'A' + 10);
        else return std::nullopt;
        if (d >= radix) return std::nullopt;
        value = value * radix + d;
        if (value > 0xFFFFFFFFull) return std::nullopt;
    }
    if (value <= 0xFFFF) return static_cast<double>(static_cast<std::int16_t>(static_cast<std::uint16_t>(value)));
    return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

std::optional<double> ParseDecimal(std::wstring_view s)
{
    // Validate the shape here and hand a plain ASCII copy to from_chars, which is locale-free.
    std::string ascii;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == L'+' || s[i] == L'-')) {
        if (s[i] == L'-') ascii += '-';
        ++i;
    }
    // Decimal exponent of the first significant digit, for telling overflow from underflow.
    long long magnitude = 0;
    bool significant = false;
    std::size_t mantissaDigits = 0;
    while (i < s.size() && IsDigit(s[i])) {
        if (significant || s[i] != L'0') significant = true, ++magnitude;
        ascii += static_cast<char>(s[i++]);
        ++mantissaDigits;
    }
    if (i < s.size() && s[i] == L'.') {
        ascii += '.';
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            if (!significant && s[i] == L'0') --magnitude;
            else significant = true;
            ascii += static_cast<char>(s[i++]);
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) return std::nullopt;
    if (i < s.size() && (Upper(s[i]) == L'E' || Upper(s[i]) == L'D')) {
        ascii += 'e';
        ++i;
        bool negative = false;
        if (i < s.size() && (s[i] == L'+' || s[i] == L'-')) {
            negative = s[i] == L'-';
            ascii += static_cast<char>(s[i++]);
        }
        long long exponent = 0;
        std::size_t expDigits = 0;
        while (i < s.size() && IsDigit(s[i])) {
            exponent = std::min(exponent * 10 + (s[i] - L'0'), 1000000LL);
            ascii += static_cast<char>(s[i++]);
            ++expDigits;
        }
        if (expDigits == 0) return std::nullopt;
        magnitude += negative ? -exponent : exponent;
    }
    if (i != s.size()) return std::nullopt;
    if (!significant) return 0.0;

    double value = 0;
    auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // Too small is a zero, too large a failure.
        if (magnitude <= 0) return 0.0;
        return std::nullopt;
    }
    if (ec != std::errc() || end != ascii.data() + ascii.size()) return std::nullopt;
    return value;
}

} // namespace

std::optional<double> ParseNumberText(std::wstring_view text)
{
    std::wstring_view s = Trim(text);
    if (s.size() >= 2 && s[0] == L'&') {
        wchar_t kind = Upper(s[1]);
        if (kind == L'H') return ParseRadix(s.substr(2), 16);
        if (kind == L'O') return ParseRadix(s.substr(2), 8);
        return std::nullopt;
    }
    return ParseDecimal(s);
}

std::wstring BoolToText(bool value)
{
    return value ? L"True" : L"False";
}

std::optional<bool> TextToBool(const std::wstring& text)
{
    std::wstring_view s = Trim(text);
    if (EqualsIgnoringCase(s, L"True")) return true;
    if (EqualsIgnoringCase(s, L"False")) return false;
    auto n = ParseNumberText(s);
    if (!n) return std::nullopt;
    return *n != 0.0;
}

std::wstring Int16ToText(std::int16_t value)
{
    return std::to_wstring(value);
}

std::optional<std::int16_t> TextToInt16(const std::wstring& text)
{
    auto n = ParseNumberText(text);
    if (!n) return std::nullopt;
    double floor = std::floor(*n);
    double diff = *n - floor;
    double rounded = floor;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(floor, 2.0) != 0.0)) rounded = floor + 1.0;
    if (rounded < -32768.0 || rounded > 32767.0) return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

std::wstring SingleToText(float value)
{
    if (value == 0.0f) return L"0"; // also for -0
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 7);
    std::wstring out;
    if (ec != std::errc()) return out;
    for (char* p = buf; p != end; ++p) out += (*p == 'e') ? L'E' : static_cast<wchar_t>(*p);
    return out;
}

std::optional<float> TextToSingle(const std::wstring& text)
{
    auto n = ParseNumberText(text);
    if (!n) return std::nullopt;
    if (std::abs(*n) > std::numeric_limits<float>::max()) return std::nullopt;
    return static_cast<float>(*n);
}

} // namespace tavlo
