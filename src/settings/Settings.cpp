#include "settings/Settings.h"

#include "settings/RegistryStore.h"
#include "settings/ValueEncoding.h"

namespace tavlo {
namespace {

constexpr wchar_t kVersionKey[] = L"Version";
constexpr wchar_t kAbsentVersion[] = L"0.00";
constexpr float kAbsentProbe = -9999.0f;
constexpr wchar_t kDefaultFilter[] = L"*.*";
constexpr wchar_t kDefaultFontName[] = L"ＭＳ 明朝";
constexpr std::int16_t kDefaultFontSize = 10;

std::wstring RowKey(const wchar_t* prefix, std::size_t row)
{
    return prefix + std::to_wstring(row);
}


} // namespace

std::wstring SettingsReader::ReadText(const std::wstring& key, const std::wstring& defaultValue) const
{
    return store_.Read(location_.application, location_.section, key, defaultValue);
}

bool SettingsReader::ReadBool(const std::wstring& key, bool defaultValue) const
{
    return TextToBool(ReadText(key, BoolToText(defaultValue))).value_or(defaultValue);
}

std::int16_t SettingsReader::ReadInt16(const std::wstring& key, std::int16_t defaultValue) const
{
    return TextToInt16(ReadText(key, Int16ToText(defaultValue))).value_or(defaultValue);
}

float SettingsReader::ReadSingle(const std::wstring& key, float defaultValue) const
{
    return TextToSingle(ReadText(key, SingleToText(defaultValue))).value_or(defaultValue);
}

float SettingsReader::ReadLength(const std::wstring& key, float defaultValue) const
{
    const float length = ReadSingle(key, defaultValue);
    return length >= -kLongestLength && length <= kLongestLength ? length : defaultValue;
}

bool SettingsWriter::WriteText(const std::wstring& key, const std::wstring& value) const
{
    return store_.Write(CurrentLocation.application, CurrentLocation.section, key, value);
}

bool SettingsWriter::WriteBool(const std::wstring& key, bool value) const
{
    return WriteText(key, BoolToText(value));
}

bool SettingsWriter::WriteInt16(const std::wstring& key, std::int16_t value) const
{
    return WriteText(key, Int16ToText(value));
}

bool SettingsWriter::WriteSingle(const std::wstring& key, float value) const
{
    return WriteText(key, SingleToText(value));
}

SettingsLocation OptionGroupLocation(SettingsStore& store)
{
    std::wstring version = store.Read(LegacyLocation.application, LegacyLocation.section, kVersionKey, kAbsentVersion);
    return version == kAbsentVersion ? CurrentLocation : LegacyLocation;
}

SettingsLocation WindowGroupLocation(SettingsStore& store, const std::wstring& probeKey)
{
    const float probe = SettingsReader(store, LegacyLocation).ReadSingle(probeKey, kAbsentProbe);
    return probe == kAbsentProbe ? CurrentLocation : LegacyLocation;
}

void LoadSettings(SettingsStore& store, OptionState& state)
{
    const SettingsReader in(store, OptionGroupLocation(store));

    state.Auto = in.ReadBool(L"Auto", false);
    state.AutoExe = in.ReadInt16(L"AutoExe", 0);
    state.AutoLog = in.ReadBool(L"AutoLog", true);
    state.Resize = in.ReadBool(L"Resize", true);
    state.Tip = in.ReadBool(L"Tip", true);
    state.Hira = in.ReadBool(L"Hira", true);
    state.Preview = in.ReadBool(L"Preview", false);

    state.DblExp = false;

    state.Filter = in.ReadText(L"Filter", kDefaultFilter);

    for (std::size_t n = 0; n < state.Exp43.size(); ++n) state.Exp43[n] = in.ReadBool(RowKey(L"Exp43_", n), true);
    for (std::size_t n = 0; n < state.Exp34.size(); ++n) state.Exp34[n] = in.ReadBool(RowKey(L"Exp34_", n), true);

    state.Font_Name = in.ReadText(L"Font_Name", kDefaultFontName);
    state.Font_Size = in.ReadInt16(L"Font_Size", kDefaultFontSize);
    state.Font_Bold = in.ReadBool(L"Font_Bold", false);
    state.Font_Italic = in.ReadBool(L"Font_Italic", false);
}

void SaveSettings(SettingsStore& store, const OptionState& state)
{
    const SettingsWriter out(store);

    out.WriteText(kVersionKey, ProgramVersionText);

    out.WriteBool(L"Auto", state.Auto);
    out.WriteInt16(L"AutoExe", state.AutoExe);
    out.WriteBool(L"AutoLog", state.AutoLog);
    out.WriteBool(L"Resize", state.Resize);
    out.WriteBool(L"Tip", state.Tip);
    out.WriteBool(L"Hira", state.Hira);
    out.WriteBool(L"Preview", state.Preview);
    out.WriteText(L"Filter", state.Filter);

    for (std::size_t n = 0; n < state.Exp43.size(); ++n) out.WriteBool(RowKey(L"Exp43_", n), state.Exp43[n]);
    for (std::size_t n = 0; n < state.Exp34.size(); ++n) out.WriteBool(RowKey(L"Exp34_", n), state.Exp34[n]);

    out.WriteText(L"Font_Name", state.Font_Name);
    out.WriteInt16(L"Font_Size", state.Font_Size);
    out.WriteBool(L"Font_Bold", state.Font_Bold);
    out.WriteBool(L"Font_Italic", state.Font_Italic);

    // Absent after the first shutdown of this version; that failure is expected.
    store.DeleteApplication(LegacyLocation.application);
}

void LoadSettings()
{
    LoadSettings(SystemSettingsStore(), options);
}

void SaveSettings()
{
    SaveSettings(SystemSettingsStore(), options);
}

bool DeleteAllSettings(SettingsStore& store)
{
    return store.DeleteSection(CurrentLocation.application, CurrentLocation.section);
}

} // namespace tavlo
