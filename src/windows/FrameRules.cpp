#include "windows/FrameRules.h"

#include "windows/FormTexts.h"

namespace tavlo {

namespace {

} // namespace

FrameLayout ComputeFrameLayout(float innerWidth, float innerHeight, bool resize, float cancelWidth)
{
    FrameLayout layout;
    if (resize) {
        const float w = RoundTwips(innerWidth / 2.0);
        const float h = RoundTwips(innerHeight / 3.0);
        layout.Children = std::array<TwipsRect, 5>{
            TwipsRect{0, 0, w, h},         // input folder
            TwipsRect{0, h, w, h},         // input files
            TwipsRect{0, 2 * h, w, h},     // target list
            TwipsRect{w, 0, w, 2 * h},     // execution log
            TwipsRect{w, 2 * h, w, h},     // result list
        };
    }
    const float x = RoundTwips(static_cast<double>(innerWidth) - kCancelMargin - cancelWidth);
    if (x > 0) layout.CancelLeft = x;
    return layout;
}

FontSettings FormFontOf(const OptionState& state)
{
    return FontSettings{state.Font_Name, static_cast<double>(state.Font_Size), state.Font_Bold, state.Font_Italic};
}

FontChoice FontChoiceFromOptions(const OptionState& state)
{
    return FontChoice{state.Font_Name, static_cast<float>(state.Font_Size), state.Font_Bold, state.Font_Italic};
}

bool TakeFontChoice(const FontChoice& choice, OptionState& state)
{
    bool differs = choice.Name != state.Font_Name || choice.Size != static_cast<float>(state.Font_Size) ||
                   choice.Bold != state.Font_Bold || choice.Italic != state.Font_Italic;
    if (!differs) return false;
    std::int16_t size = CInt(choice.Size);
    state.Font_Name = choice.Name;
    state.Font_Size = size;
    state.Font_Bold = choice.Bold;
    state.Font_Italic = choice.Italic;
    return true;
}

TwipsRect KeepPositionOnScreen(TwipsRect r, float screenWidth, float screenHeight, bool onAMonitor)
{
    // A window closed on a monitor left of or above the primary one has a negative position.
    if (onAMonitor) return r;
    if (r.Left < 0 || r.Left > screenWidth) r.Left = 1000;
    if (r.Top < 0 || r.Top > screenHeight) r.Top = 1000;
    return r;
}

TwipsRect KeepOnScreen(TwipsRect r, float screenWidth, float screenHeight, bool onAMonitor)
{
    r = KeepPositionOnScreen(r, screenWidth, screenHeight, onAMonitor);
    if (r.Width < 2000) r.Width = 8000;
    if (r.Height < 500) r.Height = 8000;
    return r;
}

} // namespace tavlo
