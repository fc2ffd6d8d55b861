#include "core/Paths.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavlo {
namespace {

struct Split {
    std::wstring folder, file, base, ext;
};

Split SplitOf(const std::wstring& path, bool dblExp)
{
    return {GetFolderName(path), GetFileName(path), GetBaseName(path, dblExp), GetExtension(path, dblExp)};
}

// Put back together the way the engine builds a new name.
std::wstring Rebuild(const std::wstring& path, bool dblExp)
{
    std::wstring folder = GetFolderName(path);
    if (folder.empty() || folder.back() != L'\\') folder += L'\\';
    return folder + GetBaseName(path, dblExp) + GetExtension(path, dblExp);
}

TEST(Paths, FolderAndFileName)
{
    EXPECT_EQ(GetFolderName(L"C:\\DATA\\PAGE.html"), L"C:\\DATA");
    EXPECT_EQ(GetFolderName(L"C:\\PAGE.html"), L"C:\\");
    EXPECT_EQ(GetFolderName(L"\\\\SERVER\\SHARE\\PAGE.html"), L"\\\\SERVER\\SHARE");
    EXPECT_EQ(GetFolderName(L"C:\\DATA\\"), L"C:\\DATA");
    EXPECT_EQ(GetFolderName(L"C:\\"), L"C:\\");
    EXPECT_EQ(GetFolderName(L"PAGE.html"), L"");
    EXPECT_EQ(GetFolderName(L""), L"");
    EXPECT_EQ(GetFolderName(L"AB\\X"), L"AB"); // two characters without a colon stay as they are

    EXPECT_EQ(GetFileName(L"C:\\DATA\\PAGE.html"), L"PAGE.html");
    EXPECT_EQ(GetFileName(L"C:\\DATA\\"), L"");
    EXPECT_EQ(GetFileName(L"PAGE.html"), L"");
    EXPECT_EQ(GetFileName(L""), L"");
    EXPECT_EQ(GetFileName(L"C:/DATA/PAGE.html"), L""); // the slash is no separator
}

TEST(Paths, SingleExtensions)
{
    for (bool dbl : {false, true}) {
        SCOPED_TRACE(dbl);
        EXPECT_EQ(GetExtension(L"C:\\DATA\\PAGE.html", dbl), L".html");
        EXPECT_EQ(GetBaseName(L"C:\\DATA\\PAGE.html", dbl), L"PAGE");
        EXPECT_EQ(GetExtension(L"C:\\DATA\\ARCHIVE.TAR.GZ", dbl), L".GZ");
        EXPECT_EQ(GetBaseName(L"C:\\DATA\\ARCHIVE.TAR.GZ", dbl), L"ARCHIVE.TAR");
        EXPECT_EQ(GetExtension(L"C:\\DATA\\A.B.C", dbl), L".C");
        EXPECT_EQ(GetBaseName(L"C:\\DATA\\A.B.C", dbl), L"A.B");
        // A dot in a folder name never starts an extension.
        EXPECT_EQ(GetExtension(L"C:\\MY.DIR\\README", dbl), L"");
        EXPECT_EQ(GetBaseName(L"C:\\MY.DIR\\README", dbl), L"README");
        EXPECT_EQ(GetExtension(L"C:\\DATA\\README.", dbl), L".");
        EXPECT_EQ(GetBaseName(L"C:\\DATA\\README.", dbl), L"README");
        EXPECT_EQ(GetExtension(L"C:\\DATA\\.profile", dbl), L".profile");
        EXPECT_EQ(GetBaseName(L"C:\\DATA\\.profile", dbl), L"");
        EXPECT_EQ(GetExtension(L"C:\\DATA\\", dbl), L"");
        EXPECT_EQ(GetBaseName(L"C:\\DATA\\", dbl), L"");
        EXPECT_EQ(GetExtension(L"", dbl), L"");
        EXPECT_EQ(GetBaseName(L"", dbl), L"");
        EXPECT_EQ(GetExtension(L"C:\\データ\\ページ.ｈｔｍｌ", dbl), L".ｈｔｍｌ");
        EXPECT_EQ(GetBaseName(L"C:\\データ\\ページ.ｈｔｍｌ", dbl), L"ページ");
    }
}

TEST(Paths, DoubleExtensionsOnlyWhenAsked)
{
    EXPECT_EQ(GetExtension(L"C:\\ARC\\DATA.lzh.zip", true), L".lzh.zip");
    EXPECT_EQ(GetBaseName(L"C:\\ARC\\DATA.lzh.zip", true), L"DATA");
    EXPECT_EQ(GetExtension(L"C:\\ARC\\DATA.lzh.zip", false), L".zip");
    EXPECT_EQ(GetBaseName(L"C:\\ARC\\DATA.lzh.zip", false), L"DATA.lzh");

    // All four pairs, any letter case, returned as written.
    for (const wchar_t* ext : {L".LZH.LZH", L".LZH.ZIP", L".ZIP.LZH", L".ZIP.ZIP", L".Lzh.zip", L".zIp.LzH"}) {
        std::wstring path = std::wstring(L"C:\\ARC\\DATA") + ext;
        EXPECT_EQ(GetExtension(path, true), ext);
        EXPECT_EQ(GetBaseName(path, true), L"DATA");
    }
    // Near misses are single extensions.
    EXPECT_EQ(GetExtension(L"C:\\ARC\\DATA.zip.lzhx", true), L".lzhx");
    EXPECT_EQ(GetExtension(L"C:\\ARC\\DATA.tar.zip", true), L".zip");
    EXPECT_EQ(GetExtension(L"C:\\ARC\\DATA.lzhs.zip", true), L".zip");
    EXPECT_EQ(GetExtension(L"C:\\ARC\\DATA.lz.zip", true), L".zip");
    EXPECT_EQ(GetExtension(L"C:\\ARC\\DATA_lzh.zip", true), L".zip");
    EXPECT_EQ(GetBaseName(L"C:\\ARC\\DATA_lzh.zip", true), L"DATA_lzh");
    // A single character before the pair is enough.
    EXPECT_EQ(GetExtension(L"C:\\X.zip.zip", true), L".zip.zip");
    EXPECT_EQ(GetBaseName(L"C:\\X.zip.zip", true), L"X");
    // A bare name without folder is measured the same way.
    EXPECT_EQ(GetExtension(L"X.lzh.zip", true), L".lzh.zip");
    EXPECT_EQ(GetExtension(L".lzh.zip", true), L".zip");
}

TEST(Paths, NameThatIsOnlyADoubleExtensionSplitsAtTheLastDot)
{
    // Nothing precedes the pair in the file name, so it is not taken as one extension: both
    // functions agree and the pieces do not overlap.
    for (const wchar_t* path : {L"C:\\ARC\\.lzh.zip", L"C:\\.ZIP.LZH", L"\\\\S\\H\\.zip.zip", L"\\.lzh.lzh"}) {
        SCOPED_TRACE(path);
        std::wstring name = GetFileName(path);
        EXPECT_EQ(GetExtension(path, true), name.substr(4));
        EXPECT_EQ(GetBaseName(path, true), name.substr(0, 4));
        EXPECT_EQ(Rebuild(path, true), path);
    }
}

TEST(Paths, PiecesRebuildThePath)
{
    const std::vector<std::wstring> paths{
        L"C:\\DATA\\PAGE.html",
        L"C:\\PAGE.html",
        L"C:\\DATA\\ARCHIVE.TAR.GZ",
        L"C:\\DATA\\A.B.C",
        L"C:\\MY.DIR\\README",
        L"C:\\DATA\\README.",
        L"C:\\DATA\\.profile",
        L"C:\\DATA\\..",
        L"C:\\ARC\\DATA.lzh.zip",
        L"C:\\ARC\\DATA.LZH.LZH",
        L"C:\\ARC\\D.zip.lzh",
        L"C:\\ARC\\.lzh.zip",
        L"C:\\ARC\\..lzh.zip",
        L"C:\\ARC\\DATA.zip.lzhx",
        L"C:\\ARC\\A.lzh.zip.zip",
        L"C:\\.lzh",
        L"C:\\.",
        L"C:\\",
        L"C:\\DATA\\",
        L"C:\\A.B\\C.D\\E",
        L"\\\\SERVER\\SHARE\\DIR\\FILE.TXT",
        L"\\\\SERVER\\SHARE\\FILE.lzh.zip",
        L"D:\\日本語\\ファイル.ｔｘｔ",
        L"D:\\日本語\\ﾌｧｲﾙ.ｶﾀｶﾅ",
        L"E:\\a b\\c d.e f",
        L"\\FILE.TXT",
    };
    for (const auto& path : paths) {
        for (bool dbl : {false, true}) {
            SCOPED_TRACE(testing::Message() << "dblExp " << dbl << " path #" << (&path - paths.data()));
            EXPECT_EQ(Rebuild(path, dbl), path);
            Split s = SplitOf(path, dbl);
            // The extension lies inside the file name and the base name is the rest of it.
            EXPECT_EQ(s.base + s.ext, s.file);
        }
    }
}

TEST(Paths, ShortenPath)
{
    EXPECT_EQ(ShortenPath(L"C:\\A\\B\\C\\D\\FILE.TXT"), L"C:\\A\\...\\D\\FILE.TXT");
    EXPECT_EQ(ShortenPath(L"C:\\A\\B\\FILE.TXT"), L"C:\\A\\B\\FILE.TXT");
    EXPECT_EQ(ShortenPath(L"C:\\A\\B\\C\\FILE.TXT"), L"C:\\A\\...\\C\\FILE.TXT"); // longer than before
    EXPECT_EQ(ShortenPath(L"C:\\A\\B\\C\\D\\"), L"C:\\A\\...\\D\\");
    EXPECT_EQ(ShortenPath(L"C:\\DATA\\A\\B\\WEB\\PAGE.html"), L"C:\\DATA\\...\\WEB\\PAGE.html");
    // The two leading backslashes of a network path are pieces of their own.
    EXPECT_EQ(ShortenPath(L"\\\\SERVER\\SHARE\\DIR\\FILE.TXT"), L"\\\\...\\DIR\\FILE.TXT");
    EXPECT_EQ(ShortenPath(L"\\\\SERVER\\SHARE\\F.TXT"), L"\\\\...\\SHARE\\F.TXT");
    EXPECT_EQ(ShortenPath(L"\\\\SERVER\\F.TXT"), L"\\\\SERVER\\F.TXT");
    EXPECT_EQ(ShortenPath(L""), L"");
    EXPECT_EQ(ShortenPath(L"FILE.TXT"), L"FILE.TXT");
    EXPECT_EQ(ShortenPath(L"C:\\"), L"C:\\");
}

TEST(Paths, ShortenPathHoldsAtMost256Pieces)
{
    auto deep = [](int pieces) {
        std::wstring path = L"C:\\";
        for (int i = 2; i < pieces; ++i) path += L"D" + std::to_wstring(i) + L"\\";
        return path + L"F.TXT";
    };
    EXPECT_EQ(ShortenPath(deep(256)), L"C:\\D2\\...\\D255\\F.TXT");
    EXPECT_EQ(ShortenPath(deep(257)), deep(257));
    EXPECT_EQ(ShortenPath(deep(1000)), deep(1000));
}

} // namespace
} // namespace tavlo
