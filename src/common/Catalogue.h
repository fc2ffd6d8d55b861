#pragma once
// The two message catalogues: every text the program shows is looked up here by number.
#include <cstdint>
#include <string_view>

namespace tavlo {

// Texts of this program; empty for a number the catalogue does not hold.
std::wstring_view ProgramText(std::int16_t number);
// General-purpose texts (cancel, aliases, option commons, saving); empty for an unknown number.
std::wstring_view GeneralText(std::int16_t number);

// Numbers of the program catalogue's added texts used outside the engine: the temporary name a
// case-only rename left, and the undo command's own.
namespace text_number {
inline constexpr std::int16_t LeftUnderTemporaryName = 20100;
inline constexpr std::int16_t NothingToUndo = 21004;
inline constexpr std::int16_t UndoUnavailable = 21009;
inline constexpr std::int16_t UndoMenu = 21010;
inline constexpr std::int16_t UndoQuestion = 21011;
} // namespace text_number

} // namespace tavlo
