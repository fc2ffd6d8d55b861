// Long-path normalisation's text logic over the model file system; each case was found by the fuzzer.
#include "core/LongPath.h"
#include "engine/ModelFileSystem.h"

#include <gtest/gtest.h>

namespace tavlo {
namespace {

// A doubled backslash is an empty component, which names nothing: the batch, which looks the folder up
// once, says so as the one-by-one form does.
TEST(LongPath, TheBatchAnswersAsOneByOne)
{
    test::ModelFileSystem fs;
    fs.AddFolder(L"C:", false);
    fs.AddFile(L"C:", L"Data");
    fs.AddFolder(L"C:\\Data", true);
    fs.AddFile(L"C:\\Data", L"a");
    LongPathBatch batch(fs);
    for (const wchar_t* path : {L"C:\\DATA\\A", L"C:\\Data\\\\a", L"C:\\Data\\\\a", L"C:\\data\\a"})
        EXPECT_EQ(batch.ExpandFull(path), ExpandFullPath(path, fs)) << wcslen(path);
    EXPECT_EQ(ExpandFullPath(L"C:\\DATA\\A", fs), L"C:\\Data\\a");
}

// A share path gets its stored spelling below the share, as a drive path does; what names no file is refused.
TEST(LongPath, SharesAreSpelledAsStoredAndNonFilesRefused)
{
    test::ModelFileSystem fs;
    fs.AddFolder(L"\\\\nas\\s", false);
    fs.AddFile(L"\\\\nas\\s", L"page.html");
    fs.AddFolder(L"C:", false);
    fs.AddFile(L"C:", L"a.txt");
    LongPathBatch batch(fs);
    for (const wchar_t* given : {L"\\\\nas\\s\\PAGE.HTML", L"\\\\nas\\s\\page.html"}) {
        EXPECT_EQ(ExpandFullPath(given, fs), L"\\\\nas\\s\\page.html") << given;
        EXPECT_EQ(batch.ExpandFull(given), L"\\\\nas\\s\\page.html") << given;
    }
    for (const wchar_t* given : {L"\\\\nas\\s", L"\\\\nas\\s\\", L"\\\\nas\\\\x", L"\\\\?\\C:\\a.txt", L"\\\\.\\CON", L"C:\\a.txt:s",
                                 L"C:\\a.txt::$DATA", L"\\\\nas\\s\\page.html:s", L"\\\\\\s\\page.html"}) {
        EXPECT_EQ(ExpandFullPath(given, fs), L"") << given;
        EXPECT_EQ(batch.ExpandFull(given), L"") << given;
    }
}

} // namespace
} // namespace tavlo
