#pragma once
// The process-wide option state: one variable per stored option, named after its key.
#include "engine/RenameEngine.h"

#include <array>
#include <cstdint>
#include <string>

namespace tavlo {

struct OptionState {
    bool Auto = false;
    std::int16_t AutoExe = 0;
    bool AutoLog = false;
    bool Resize = false;
    bool Tip = false;
    bool Hira = false;
    // A mode button shows what it would do before it runs.
    bool Preview = false;
    std::wstring Filter;
    std::array<bool, 6> Exp43{};
    std::array<bool, 6> Exp34{};
    std::wstring Font_Name;
    std::int16_t Font_Size = 0;
    bool Font_Bold = false;
    bool Font_Italic = false;
    // Loaded and saved by the input folder window, not by LoadSettings/SaveSettings.
    std::wstring Dir_In;
    bool Dir_In_Yuko = false;
    std::wstring OldDir_In;
    // Never stored: false at every start.
    bool DblExp = false;
    // True while an automatic run started from the command line is in progress.
    bool AutoRunning = false;
};

// Zero-initialised at process start, filled by LoadSettings.
inline OptionState options;

// The part of the options the rename engine follows; every front end takes its rules from here.
inline RenameRules RulesOf(const OptionState& state)
{
    return RenameRules{state.DblExp, state.Hira, state.Exp43, state.Exp34};
}

// The mode of the automatic run. A stored number that no mode has runs the first mode, the one the
// options dialog shows for it.
inline Mode AutoModeOf(const OptionState& state) { return ModeOf(state.AutoExe).value_or(Mode::CutToThree); }

} // namespace tavlo
