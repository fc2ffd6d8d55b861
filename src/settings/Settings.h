#pragma once
// The persisted option group and the rules every window follows for its own keys: which location a
// group is read from, how typed values are read and written.
#include "settings/Options.h"
#include "settings/SettingsStore.h"

#include "Version.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tavlo {

// The program version, written as "Version" at every shutdown.
inline constexpr wchar_t ProgramVersionText[] = TAVLO_VERSION_WIDE;

// Reads the keys of one group from the location chosen for it.
class SettingsReader {
public:
    SettingsReader(SettingsStore& store, SettingsLocation location) : store_(store), location_(location) {}

    SettingsLocation location() const { return location_; }

    std::wstring ReadText(const std::wstring& key, const std::wstring& defaultValue) const;
    // A stored text that does not convert counts as absent: the default applies, so one bad value
    // can never keep the program from starting; the next normal close writes a good one.
    bool ReadBool(const std::wstring& key, bool defaultValue) const;
    std::int16_t ReadInt16(const std::wstring& key, std::int16_t defaultValue) const;
    float ReadSingle(const std::wstring& key, float defaultValue) const;
    // A window's position or size in twips. A length that no screen could hold (beyond
    // kLongestLength either way) counts as absent like a bad value: it would overflow the conversion to
    // pixels.
    float ReadLength(const std::wstring& key, float defaultValue) const;
    static constexpr float kLongestLength = 32767.0f * 1440.0f / 96.0f;

private:
    SettingsStore& store_;
    SettingsLocation location_;
};

// Writes typed values; always to the current location, whichever one was read.
class SettingsWriter {
public:
    explicit SettingsWriter(SettingsStore& store) : store_(store) {}

    bool WriteText(const std::wstring& key, const std::wstring& value) const;
    bool WriteBool(const std::wstring& key, bool value) const;
    bool WriteInt16(const std::wstring& key, std::int16_t value) const;
    bool WriteSingle(const std::wstring& key, float value) const;

private:
    SettingsStore& store_;
};

// The option group is read from the legacy location while it holds a "Version" other than "0.00".
SettingsLocation OptionGroupLocation(SettingsStore& store);

// A window group is read from the legacy location while its probe key (the window's own left
// position, e.g. "Option_Left") there holds a number other than -9999. A legacy probe that is no
// number counts as absent, like any bad value: the current location is read, and the legacy one goes
// at the next normal close.
SettingsLocation WindowGroupLocation(SettingsStore& store, const std::wstring& probeKey);

// Fills the option group of `state` from the store. A value that does not convert leaves its
// variable as it was; DblExp is always reset.
void LoadSettings(SettingsStore& store, OptionState& state);
// Writes the option group to the current location, then removes the legacy application. Failures
// are skipped.
void SaveSettings(SettingsStore& store, const OptionState& state);

// The same on the process's store and option state.
void LoadSettings();
void SaveSettings();

// Removes every key of the current location; the application entry and the legacy location stay.
bool DeleteAllSettings(SettingsStore& store);

} // namespace tavlo
