#include "settings/RegistryStore.h"

#include "RegistryTestRoot.h"

#include <gtest/gtest.h>

namespace tavlo {
namespace {

class RegistryStoreTest : public testing::Test {
protected:
    test::RegistryTestRoot root;
    RegistryStore store{root.path()};
};

TEST_F(RegistryStoreTest, AbsentApplicationSectionOrKeyGivesTheDefault)
{
    EXPECT_EQ(store.Read(L"App", L"Sec", L"Key", L"dflt"), L"dflt");
    ASSERT_TRUE(store.Write(L"App", L"Sec", L"Other", L"x"));
    EXPECT_EQ(store.Read(L"App", L"Sec", L"Key", L"dflt"), L"dflt");
    EXPECT_EQ(store.Read(L"App", L"Sec2", L"Other", L"dflt"), L"dflt");
    EXPECT_EQ(store.Read(L"App2", L"Sec", L"Other", L"dflt"), L"dflt");
}

TEST_F(RegistryStoreTest, WritesTextAsRegSzUnderRootApplicationSection)
{
    ASSERT_TRUE(store.Write(L"Vesmir's Soft", L"Tavlo2", L"Font_Name", L"ＭＳ 明朝"));
    auto raw = root.Get(L"Vesmir's Soft\\Tavlo2", L"Font_Name");
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(raw->text, L"ＭＳ 明朝");
    EXPECT_EQ(store.Read(L"Vesmir's Soft", L"Tavlo2", L"Font_Name", L""), L"ＭＳ 明朝");
}

TEST_F(RegistryStoreTest, OverwritesAndKeepsEmptyAndLongTexts)
{
    ASSERT_TRUE(store.Write(L"App", L"Sec", L"Key", L"first"));
    ASSERT_TRUE(store.Write(L"App", L"Sec", L"Key", L"second"));
    EXPECT_EQ(store.Read(L"App", L"Sec", L"Key", L"dflt"), L"second");

    // A stored empty text is a value, not an absent key.
    ASSERT_TRUE(store.Write(L"App", L"Sec", L"Empty", L""));
    EXPECT_EQ(store.Read(L"App", L"Sec", L"Empty", L"dflt"), L"");

    std::wstring longText(5000, L'あ');
    longText += L"end";
    ASSERT_TRUE(store.Write(L"App", L"Sec", L"Long", longText));
    EXPECT_EQ(store.Read(L"App", L"Sec", L"Long", L""), longText);
}

TEST_F(RegistryStoreTest, OnlyRegSzValuesAreTexts)
{
    DWORD number = 5;
    root.Set(L"App\\Sec", L"Dword", REG_DWORD, &number, sizeof number);
    const wchar_t expand[] = L"%TEMP%";
    root.Set(L"App\\Sec", L"Expand", REG_EXPAND_SZ, expand, sizeof expand);
    root.Set(L"App\\Sec", L"Binary", REG_BINARY, "True", 4);
    EXPECT_EQ(store.Read(L"App", L"Sec", L"Dword", L"dflt"), L"dflt");
    EXPECT_EQ(store.Read(L"App", L"Sec", L"Expand", L"dflt"), L"dflt");
    EXPECT_EQ(store.Read(L"App", L"Sec", L"Binary", L"dflt"), L"dflt");

    // REG_SZ data need not be terminated; a NUL inside ends the text.
    const wchar_t bare[] = {L'1', L'0', L'0', L'0'};
    root.Set(L"App\\Sec", L"Bare", REG_SZ, bare, sizeof bare);
    EXPECT_EQ(store.Read(L"App", L"Sec", L"Bare", L"dflt"), L"1000");

    const wchar_t twoParts[] = L"ab\0cd";
    root.Set(L"App\\Sec", L"Nul", REG_SZ, twoParts, sizeof twoParts);
    EXPECT_EQ(store.Read(L"App", L"Sec", L"Nul", L"dflt"), L"ab");
}

TEST_F(RegistryStoreTest, DeleteSectionRemovesOnlyThatSection)
{
    ASSERT_TRUE(store.Write(L"App", L"Sec", L"A", L"1"));
    ASSERT_TRUE(store.Write(L"App", L"Sec", L"B", L"2"));
    ASSERT_TRUE(store.Write(L"App", L"Keep", L"A", L"3"));

    EXPECT_TRUE(store.DeleteSection(L"App", L"Sec"));
    EXPECT_FALSE(root.KeyExists(L"App\\Sec"));
    EXPECT_TRUE(root.KeyExists(L"App"));
    EXPECT_EQ(store.Read(L"App", L"Sec", L"A", L"gone"), L"gone");
    EXPECT_EQ(store.Read(L"App", L"Keep", L"A", L"gone"), L"3");

    EXPECT_FALSE(store.DeleteSection(L"App", L"Sec"));
    EXPECT_FALSE(store.DeleteSection(L"NoApp", L"Sec"));
}

TEST_F(RegistryStoreTest, DeleteApplicationRemovesEverySectionButNoSibling)
{
    ASSERT_TRUE(store.Write(L"Tavlo2", L"Tavlo2", L"A", L"1"));
    ASSERT_TRUE(store.Write(L"Tavlo2", L"Other", L"A", L"2"));
    ASSERT_TRUE(store.Write(L"Sibling", L"Tavlo2", L"A", L"3"));

    EXPECT_TRUE(store.DeleteApplication(L"Tavlo2"));
    EXPECT_FALSE(root.KeyExists(L"Tavlo2"));
    EXPECT_EQ(store.Read(L"Sibling", L"Tavlo2", L"A", L""), L"3");

    EXPECT_FALSE(store.DeleteApplication(L"Tavlo2"));
}

TEST_F(RegistryStoreTest, NamesThatWouldAddressTheRootAreRefused)
{
    ASSERT_TRUE(store.Write(L"App", L"Sec", L"A", L"1"));
    for (const wchar_t* bad : {L"", L"\\", L"App\\"}) {
        EXPECT_FALSE(store.DeleteApplication(bad)) << bad;
        EXPECT_FALSE(store.DeleteSection(L"App", bad)) << bad;
        EXPECT_FALSE(store.DeleteSection(bad, L"Sec")) << bad;
        EXPECT_FALSE(store.Write(bad, L"Sec", L"A", L"x")) << bad;
        EXPECT_EQ(store.Read(bad, L"Sec", L"A", L"dflt"), L"dflt") << bad;
    }
    EXPECT_EQ(store.Read(L"App", L"Sec", L"A", L""), L"1");
    EXPECT_TRUE(root.KeyExists(L"App\\Sec"));
}

} // namespace
} // namespace tavlo
