#include "settings/Settings.h"

#include "RegistryTestRoot.h"
#include "settings/RegistryStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

namespace tavlo {
namespace {

const std::wstring kCurrent = L"Vesmir's Soft\\Tavlo2";
const std::wstring kLegacy = L"Tavlo2\\Tavlo2";

class SettingsTest : public testing::Test {
protected:
    void PutLegacy(const std::wstring& key, const std::wstring& value)
    {
        ASSERT_TRUE(store.Write(LegacyLocation.application, LegacyLocation.section, key, value));
    }
    void PutCurrent(const std::wstring& key, const std::wstring& value)
    {
        ASSERT_TRUE(store.Write(CurrentLocation.application, CurrentLocation.section, key, value));
    }
    // The value as stored at the current location; it must be REG_SZ.
    std::wstring Stored(const std::wstring& key)
    {
        auto raw = root.Get(kCurrent, key);
        if (!raw) return L"<absent>";
        if (raw->type != REG_SZ) return L"<not REG_SZ>";
        return raw->text;
    }

    test::RegistryTestRoot root;
    RegistryStore store{root.path()};
};

TEST_F(SettingsTest, NoKeysAnywhereGivesEveryDefault)
{
    OptionState s;
    s.DblExp = true;
    LoadSettings(store, s);
    EXPECT_FALSE(s.Auto);
    EXPECT_EQ(s.AutoExe, 0);
    EXPECT_TRUE(s.AutoLog);
    EXPECT_TRUE(s.Resize);
    EXPECT_TRUE(s.Tip);
    EXPECT_TRUE(s.Hira);
    EXPECT_FALSE(s.Preview);
    EXPECT_FALSE(s.DblExp);
    EXPECT_EQ(s.Filter, L"*.*");
    for (int n = 0; n < 6; ++n) {
        EXPECT_TRUE(s.Exp43[n]) << n;
        EXPECT_TRUE(s.Exp34[n]) << n;
    }
    EXPECT_EQ(s.Font_Name, L"ＭＳ 明朝");
    EXPECT_EQ(s.Font_Size, 10);
    EXPECT_FALSE(s.Font_Bold);
    EXPECT_FALSE(s.Font_Italic);
    // Reading creates nothing.
    EXPECT_FALSE(root.KeyExists(L"Vesmir's Soft"));
    EXPECT_FALSE(root.KeyExists(L"Tavlo2"));
}

TEST_F(SettingsTest, RowsAreIndependent)
{
    PutCurrent(L"Exp43_3", L"False");
    OptionState s;
    LoadSettings(store, s);
    for (int n = 0; n < 6; ++n) {
        EXPECT_EQ(s.Exp43[n], n != 3) << n;
        EXPECT_TRUE(s.Exp34[n]) << n;
    }
}

TEST_F(SettingsTest, ValueThatDoesNotConvertCountsAsAbsentAndIsWrittenBack)
{
    PutCurrent(L"Tip", L"abc");
    PutCurrent(L"Font_Size", L"big");
    PutCurrent(L"AutoExe", L"40000");
    PutCurrent(L"Preview", L"yes");

    OptionState earlier;
    earlier.Tip = false;
    earlier.Font_Size = 9;
    earlier.AutoExe = 3;
    earlier.Preview = true;
    LoadSettings(store, earlier);
    EXPECT_TRUE(earlier.Tip);
    EXPECT_EQ(earlier.Font_Size, 10);
    EXPECT_EQ(earlier.AutoExe, 0);
    EXPECT_FALSE(earlier.Preview);
    EXPECT_TRUE(earlier.Hira); // the other steps still run

    SaveSettings(store, earlier);
    EXPECT_EQ(Stored(L"Tip"), L"True");
    EXPECT_EQ(Stored(L"Font_Size"), L"10");
}

TEST_F(SettingsTest, AutoExeOutOfRangeStaysAsRead)
{
    PutCurrent(L"AutoExe", L"9");
    OptionState s;
    LoadSettings(store, s);
    EXPECT_EQ(s.AutoExe, 9);
    SaveSettings(store, s);
    EXPECT_EQ(Stored(L"AutoExe"), L"9");
}

TEST_F(SettingsTest, LegacyOnlyValuesAreReadThenMovedToTheCurrentLocation)
{
    PutLegacy(L"Version", L"0.95");
    PutLegacy(L"Auto", L"True");
    PutLegacy(L"Filter", L"*.txt");
    PutLegacy(L"Exp43_3", L"False");
    PutLegacy(L"Font_Size", L"14");
    ASSERT_TRUE(store.Write(LegacyLocation.application, L"Other", L"X", L"1"));
    // Current values are ignored while the legacy location holds the group.
    PutCurrent(L"Filter", L"*.doc");
    PutCurrent(L"Tip", L"False");

    OptionState s;
    LoadSettings(store, s);
    EXPECT_TRUE(s.Auto);
    EXPECT_EQ(s.Filter, L"*.txt");
    EXPECT_FALSE(s.Exp43[3]);
    EXPECT_EQ(s.Font_Size, 14);
    EXPECT_TRUE(s.Tip); // legacy has no "Tip": its default, not the current location's value

    SaveSettings(store, s);
    EXPECT_FALSE(root.KeyExists(L"Tavlo2")); // the whole legacy application, every section
    EXPECT_EQ(Stored(L"Version"), L"1.00");
    EXPECT_EQ(Stored(L"Filter"), L"*.txt");
    EXPECT_EQ(Stored(L"Exp43_3"), L"False");
    EXPECT_EQ(Stored(L"Font_Size"), L"14");

    OptionState second;
    LoadSettings(store, second);
    EXPECT_EQ(second.Filter, L"*.txt");
    EXPECT_FALSE(second.Exp43[3]);
    EXPECT_EQ(second.Font_Size, 14);
}

TEST_F(SettingsTest, LegacyVersionZeroCountsAsAbsent)
{
    PutLegacy(L"Version", L"0.00");
    PutLegacy(L"Filter", L"*.legacy");
    PutCurrent(L"Filter", L"*.current");
    EXPECT_EQ(OptionGroupLocation(store), CurrentLocation);
    OptionState s;
    LoadSettings(store, s);
    EXPECT_EQ(s.Filter, L"*.current");

    // Only the exact text counts as absent.
    PutLegacy(L"Version", L"0.0");
    EXPECT_EQ(OptionGroupLocation(store), LegacyLocation);
    PutLegacy(L"Version", L"");
    EXPECT_EQ(OptionGroupLocation(store), LegacyLocation);
}

TEST_F(SettingsTest, SaveWritesEveryOptionKeyAsText)
{
    OptionState s;
    s.Auto = true;
    s.AutoExe = 7;
    s.AutoLog = false;
    s.Resize = false;
    s.Tip = false;
    s.Hira = true;
    s.Preview = true;
    s.Filter = L"*.jp*";
    s.Exp43 = {true, false, true, false, true, false};
    s.Exp34 = {false, false, false, true, true, true};
    s.Font_Name = L"ＭＳ 明朝";
    s.Font_Size = -3;
    s.Font_Bold = true;
    s.Font_Italic = false;
    s.DblExp = true;
    s.Dir_In = L"C:\\NOT\\HERE";
    SaveSettings(store, s);

    const std::map<std::wstring, std::wstring> expected{
        {L"Version", L"1.00"},    {L"Auto", L"True"},        {L"AutoExe", L"7"},        {L"AutoLog", L"False"},
        {L"Resize", L"False"},     {L"Tip", L"False"},        {L"Hira", L"True"},        {L"Preview", L"True"},     {L"Filter", L"*.jp*"},
        {L"Exp43_0", L"True"},    {L"Exp43_1", L"False"},    {L"Exp43_2", L"True"},     {L"Exp43_3", L"False"},
        {L"Exp43_4", L"True"},    {L"Exp43_5", L"False"},    {L"Exp34_0", L"False"},    {L"Exp34_1", L"False"},
        {L"Exp34_2", L"False"},   {L"Exp34_3", L"True"},     {L"Exp34_4", L"True"},     {L"Exp34_5", L"True"},
        {L"Font_Name", L"ＭＳ 明朝"}, {L"Font_Size", L"-3"}, {L"Font_Bold", L"True"},   {L"Font_Italic", L"False"}};
    std::map<std::wstring, std::wstring> actual;
    for (const auto& name : root.ValueNames(kCurrent)) actual[name] = Stored(name);
    EXPECT_EQ(actual, expected);

    auto group = [](const OptionState& o) {
        return std::tie(o.Auto, o.AutoExe, o.AutoLog, o.Resize, o.Tip, o.Hira, o.Preview, o.Filter, o.Exp43, o.Exp34,
                        o.Font_Name, o.Font_Size, o.Font_Bold, o.Font_Italic);
    };
    OptionState back;
    LoadSettings(store, back);
    EXPECT_TRUE(group(back) == group(s));
    EXPECT_FALSE(back.DblExp);
}

TEST_F(SettingsTest, DeleteAllSettingsRemovesOnlyTheCurrentSection)
{
    PutCurrent(L"Filter", L"*.x");
    PutCurrent(L"Main_Left", L"100");
    ASSERT_TRUE(store.Write(CurrentLocation.application, L"OtherProgram", L"K", L"v"));
    PutLegacy(L"Version", L"0.90");

    EXPECT_TRUE(DeleteAllSettings(store));
    EXPECT_FALSE(root.KeyExists(kCurrent));
    EXPECT_TRUE(root.KeyExists(L"Vesmir's Soft\\OtherProgram"));
    EXPECT_TRUE(root.KeyExists(kLegacy));
    EXPECT_FALSE(DeleteAllSettings(store));
}

// Records the calls and fails the writes it is told to, to check order and that failures are skipped.
class RecordingStore final : public SettingsStore {
public:
    std::wstring Read(const std::wstring&, const std::wstring&, const std::wstring&, const std::wstring& d) override
    {
        return d;
    }
    bool Write(const std::wstring& app, const std::wstring& section, const std::wstring& key,
               const std::wstring&) override
    {
        calls.push_back(L"write " + app + L"|" + section + L"|" + key);
        return std::find(failing.begin(), failing.end(), key) == failing.end();
    }
    bool DeleteSection(const std::wstring& app, const std::wstring& section) override
    {
        calls.push_back(L"delete section " + app + L"|" + section);
        return false;
    }
    bool DeleteApplication(const std::wstring& app) override
    {
        calls.push_back(L"delete application " + app);
        return false;
    }
    std::vector<std::wstring> calls;
    std::vector<std::wstring> failing;
};

TEST(SaveSettingsOrder, WritesTheListedOrderToTheCurrentLocationThenRemovesLegacy)
{
    RecordingStore rec;
    rec.failing = {L"Version", L"Tip", L"Exp34_0"};
    SaveSettings(rec, OptionState{});

    std::vector<std::wstring> expected;
    for (const wchar_t* key : {L"Version", L"Auto", L"AutoExe", L"AutoLog", L"Resize", L"Tip", L"Hira", L"Preview", L"Filter"})
        expected.push_back(std::wstring(L"write Vesmir's Soft|Tavlo2|") + key);
    for (const wchar_t* prefix : {L"Exp43_", L"Exp34_"})
        for (int n = 0; n < 6; ++n)
            expected.push_back(std::wstring(L"write Vesmir's Soft|Tavlo2|") + prefix + std::to_wstring(n));
    for (const wchar_t* key : {L"Font_Name", L"Font_Size", L"Font_Bold", L"Font_Italic"})
        expected.push_back(std::wstring(L"write Vesmir's Soft|Tavlo2|") + key);
    expected.push_back(L"delete application Tavlo2");
    EXPECT_EQ(rec.calls, expected);
}

class WindowGroupTest : public SettingsTest {};

TEST_F(WindowGroupTest, EachWindowDecidesByItsOwnProbe)
{
    EXPECT_EQ(WindowGroupLocation(store, L"Option_Left"), CurrentLocation);

    PutLegacy(L"Option_Left", L"-9999");
    PutLegacy(L"About_Left", L"200");
    PutLegacy(L"Main_Left", L"-9999.0");
    EXPECT_EQ(WindowGroupLocation(store, L"Option_Left"), CurrentLocation);
    EXPECT_EQ(WindowGroupLocation(store, L"About_Left"), LegacyLocation);
    EXPECT_EQ(WindowGroupLocation(store, L"Main_Left"), CurrentLocation);
    EXPECT_EQ(WindowGroupLocation(store, L"InDir_Left"), CurrentLocation);

    PutLegacy(L"InDir_Left", L"0");
    EXPECT_EQ(WindowGroupLocation(store, L"InDir_Left"), LegacyLocation);

    // A probe that is no number counts as absent.
    PutLegacy(L"File_Left", L"left");
    EXPECT_EQ(WindowGroupLocation(store, L"File_Left"), CurrentLocation);
}

TEST_F(WindowGroupTest, ReaderUsesTheChosenLocationAndDefaults)
{
    PutLegacy(L"About_Left", L"200");
    PutLegacy(L"About_Top", L"300.5");
    PutCurrent(L"About_Top", L"999");
    SettingsReader in(store, WindowGroupLocation(store, L"About_Left"));
    EXPECT_EQ(in.ReadSingle(L"About_Left", 1000.0f), 200.0f);
    EXPECT_EQ(in.ReadSingle(L"About_Top", 1000.0f), 300.5f);
    EXPECT_EQ(in.ReadSingle(L"About_Width", 1234.5f), 1234.5f);
    EXPECT_EQ(in.ReadInt16(L"Main_WindowState", 2), 2);
    EXPECT_EQ(in.ReadBool(L"Dir_In_Yuko", true), true);
    EXPECT_EQ(in.ReadText(L"Dir_In_DirName3", L""), L"");

    // A value that does not convert counts as absent.
    PutLegacy(L"About_Top", L"top");
    EXPECT_EQ(in.ReadSingle(L"About_Top", 1000.0f), 1000.0f);
    PutLegacy(L"Main_WindowState", L"big");
    EXPECT_EQ(in.ReadInt16(L"Main_WindowState", 0), 0);
}

TEST_F(WindowGroupTest, WriterAlwaysWritesTheCurrentLocationWithoutNeedlessFractions)
{
    PutLegacy(L"Main_Left", L"5");
    SettingsWriter out(store);
    EXPECT_TRUE(out.WriteSingle(L"Main_Left", 1000.0f));
    EXPECT_TRUE(out.WriteSingle(L"Main_Top", 1000.5f));
    EXPECT_TRUE(out.WriteSingle(L"Main_Width", -9999.0f));
    EXPECT_TRUE(out.WriteInt16(L"Main_WindowState", 2));
    EXPECT_TRUE(out.WriteBool(L"Dir_In_Yuko", false));
    EXPECT_TRUE(out.WriteText(L"Dir_In", L"C:\\データ"));
    EXPECT_EQ(Stored(L"Main_Left"), L"1000");
    EXPECT_EQ(Stored(L"Main_Top"), L"1000.5");
    EXPECT_EQ(Stored(L"Main_Width"), L"-9999");
    EXPECT_EQ(Stored(L"Main_WindowState"), L"2");
    EXPECT_EQ(Stored(L"Dir_In_Yuko"), L"False");
    EXPECT_EQ(Stored(L"Dir_In"), L"C:\\データ");
    EXPECT_EQ(root.Get(kLegacy, L"Main_Left")->text, L"5");
}

} // namespace
} // namespace tavlo
