#pragma once
// Text operations that follow the platform: case mapping and code page 932.
#include <cstddef>
#include <optional>
#include <string>

namespace tavlo {

std::wstring PlatformLower(const std::wstring& text);
std::wstring PlatformUpper(const std::wstring& text);

// Length in bytes of `text` in code page 932; a character the code page lacks counts one byte.
std::size_t Cp932ByteLength(const std::wstring& text);
std::string ToCp932(const std::wstring& text);
std::wstring FromCp932(const std::string& bytes);
// The code page 932 bytes of `text` only when every character has its own code there (no "?" and
// no look-alike put in its place); nothing otherwise.
std::optional<std::string> ToCp932Exactly(const std::wstring& text);
std::string ToUtf8(const std::wstring& text);

} // namespace tavlo
