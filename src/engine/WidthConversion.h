#pragma once
// Full-width and half-width forms of the characters of an extension: ASCII and JIS X 0201
// half-width katakana on one side, their JIS X 0208 counterparts on the other. Characters
// without a counterpart stay as they are.
#include <string>

namespace tavlo {

// Every character to its full-width form; a half-width katakana and a following sound mark
// become one voiced or semi-voiced katakana.
std::wstring ToFullWidth(const std::wstring& text);

// Every character to its half-width form; a voiced katakana becomes a letter and a sound mark.
// Hiragana are converted to half-width katakana only when `hira` is true.
std::wstring ToHalfWidth(const std::wstring& text, bool hira);

// Full-width form of `c` (one character). `next` is the character after it, 0 for none;
// `absorbed` tells whether `next` was a sound mark merged into the result.
std::wstring FullWidthChar(wchar_t c, wchar_t next, bool& absorbed);

// Half-width form of `c`: one character, or two for a voiced or semi-voiced kana.
std::wstring HalfWidthChar(wchar_t c, bool hira);

} // namespace tavlo
