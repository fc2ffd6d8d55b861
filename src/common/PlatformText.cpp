#include "common/PlatformText.h"

#include <windows.h>

namespace tavlo {
namespace {

constexpr UINT kCp932 = 932;

std::wstring MapCase(const std::wstring& text, DWORD flag)
{
    if (text.empty()) return text;
    std::wstring out(text);
    // Same length in and out for LCMAP_LOWERCASE/UPPERCASE.
    int n = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flag, text.data(), static_cast<int>(text.size()), out.data(),
                          static_cast<int>(out.size()), nullptr, nullptr, 0);
    if (n != static_cast<int>(text.size())) {
        out = text;
        if (flag == LCMAP_LOWERCASE) CharLowerBuffW(out.data(), static_cast<DWORD>(out.size()));
        else CharUpperBuffW(out.data(), static_cast<DWORD>(out.size()));
    }
    return out;
}

} // namespace

std::wstring PlatformLower(const std::wstring& text) { return MapCase(text, LCMAP_LOWERCASE); }
std::wstring PlatformUpper(const std::wstring& text) { return MapCase(text, LCMAP_UPPERCASE); }

static std::string Encode(UINT codePage, const std::wstring& text)
{
    if (text.empty()) return {};
    int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::string ToCp932(const std::wstring& text) { return Encode(kCp932, text); }

std::optional<std::string> ToCp932Exactly(const std::wstring& text)
{
    std::string bytes = ToCp932(text);
    if (bytes.empty() != text.empty() || FromCp932(bytes) != text) return std::nullopt;
    return bytes;
}

std::string ToUtf8(const std::wstring& text) { return Encode(CP_UTF8, text); }

std::size_t Cp932ByteLength(const std::wstring& text) { return ToCp932(text).size(); }

std::wstring FromCp932(const std::string& bytes)
{
    if (bytes.empty()) return {};
    int n = MultiByteToWideChar(kCp932, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (n <= 0) return {};
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(kCp932, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
    return out;
}

} // namespace tavlo
