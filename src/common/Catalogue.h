#pragma once
// The two message catalogues: every text the program shows is looked up here by number.
#include <cstdint>
#include <string_view>

namespace tavlo {

// Texts of this program; empty for a number the catalogue does not hold.
std::wstring_view ProgramText(std::int16_t number);
// General-purpose texts (cancel, aliases, option commons, saving); empty for an unknown number.
std::wstring_view GeneralText(std::int16_t number);

} // namespace tavlo
