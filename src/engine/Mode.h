#pragma once
// The modes: what a front end asks the engine to do with the extensions.
#include <cstdint>
#include <optional>

namespace tavlo {

// The modes in the order of the strip's buttons. A mode's number is its button's index, the stored
// choice of the automatic run, the console's number for it and what the journal records; a new mode is
// one entry here plus its texts, and every front end counts them from kModeCount.
enum class Mode : std::int16_t {
    CutToThree,
    DocToTxt,
    FourToThree,
    ThreeToFour,
    FullWidth,
    HalfWidth,
    LowerCase,
    UpperCase,
    Content,
};
inline constexpr int kModeCount = 9;
// The mode numbered `number`, or nothing for a number no mode has.
constexpr std::optional<Mode> ModeOf(int number)
{
    if (number < 0 || number >= kModeCount) return std::nullopt;
    return static_cast<Mode>(number);
}
constexpr int ModeNumber(Mode mode) { return static_cast<int>(mode); }

} // namespace tavlo
