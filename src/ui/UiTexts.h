#pragma once
// The few texts the window framework itself shows, whatever program it serves.
namespace tavlo::ui_text {

// Title of every message and input box that names no other.
inline constexpr const wchar_t* kBoxTitle = L"TAVLO2";

// The default font of the forms before the stored one is applied.
inline constexpr const wchar_t* kDefaultFontName = L"ＭＳ 明朝";

} // namespace tavlo::ui_text
