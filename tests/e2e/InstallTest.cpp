// The release as a user gets it: the installer under Wine's msiexec, the program it installs started
// the way Send To starts it, the uninstaller; and the version the executable carries.
#include "ProgramProcess.h"
#include "TestSupport.h"
#include "common/PlatformText.h"

#include "Version.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <string>

namespace tavlo {
namespace {

using namespace test; // TempDir and the program helpers

std::wstring KnownFolder(REFKNOWNFOLDERID id)
{
    PWSTR path = nullptr;
    if (FAILED(SHGetKnownFolderPath(id, 0, nullptr, &path))) return {};
    std::wstring result(path);
    CoTaskMemFree(path);
    return result;
}

// Runs a command line to its end; its exit code, or -1 when it did not start or end in time.
long RunToEnd(std::wstring commandLine)
{
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    long code = -1;
    if (WaitForSingleObject(pi.hProcess, 300000) == WAIT_OBJECT_0) {
        DWORD exit = 0;
        GetExitCodeProcess(pi.hProcess, &exit);
        code = static_cast<long>(exit);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

// Where a shortcut points.
std::wstring LinkTarget(const std::wstring& link)
{
    std::wstring target;
    IShellLinkW* shell = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&shell))))
        return target;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t path[MAX_PATH]{};
        if (SUCCEEDED(file->Load(link.c_str(), STGM_READ)) && SUCCEEDED(shell->GetPath(path, MAX_PATH, nullptr, 0)))
            target = path;
        file->Release();
    }
    shell->Release();
    return target;
}

// The user's own PATH, as the installer writes it.
std::wstring UserPath()
{
    wchar_t value[4096]{};
    DWORD bytes = sizeof value - sizeof(wchar_t);
    RegGetValueW(HKEY_CURRENT_USER, L"Environment", L"PATH", RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr,
                 value, &bytes);
    return value;
}

class InstallTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CoInitialize(nullptr);
        saved_ = ReadAllSettings();
        msi_ = GetFolderName(ProgramPath()) + L"\\dist\\tavlo2-" TAVLO_VERSION_WIDE L".msi";
        ASSERT_TRUE(TempDir::Exists(msi_)) << "build the packages first";
    }
    void TearDown() override
    {
        RunToEnd(L"msiexec /x \"" + msi_ + L"\" /qn");
        WriteAllSettings(saved_);
        CoUninitialize();
    }
    std::wstring msi_;

private:
    Values saved_;
};

TEST_F(InstallTest, InstallsForTheUserRunsFromSendToAndUninstallsKeepingTheSettings)
{
    ASSERT_EQ(RunToEnd(L"msiexec /i \"" + msi_ + L"\" /qn"), 0);
    const std::wstring folder = KnownFolder(FOLDERID_LocalAppData) + L"\\Programs\\Tavlo2";
    const std::wstring program = folder + L"\\tavlo2.exe";
    for (const wchar_t* file : {L"\\tavlo2.exe", L"\\tavlo2c.exe", L"\\TAVLO2.HLP", L"\\TAVLO2.CNT", L"\\html\\index.html"})
        EXPECT_TRUE(TempDir::Exists(folder + file)) << file;
    const std::wstring sendTo = KnownFolder(FOLDERID_SendTo) + L"\\Tavlo2.lnk";
    const std::wstring startMenu = KnownFolder(FOLDERID_Programs) + L"\\Tavlo2.lnk";
    EXPECT_EQ(PlatformLower(LinkTarget(sendTo)), PlatformLower(program));
    EXPECT_EQ(PlatformLower(LinkTarget(startMenu)), PlatformLower(program));

    // A console finds the console command: the folder is at the end of the user's PATH.
    const std::wstring before = UserPath();
    EXPECT_EQ(PlatformLower(before.substr(before.rfind(L';') + 1)), PlatformLower(folder + L"\\")) << before.size();

    // What Send To does: the installed program with the chosen files, automatic execution on.
    WriteAllSettings({{L"Auto", L"True"}, {L"AutoExe", L"7"}, {L"AutoLog", L"False"}});
    TempDir dir;
    const std::wstring page = dir.Write(L"page.html", "page");
    Program run(L"\"" + page + L"\"", program);
    ASSERT_TRUE(run.Started());
    ASSERT_TRUE(run.Ended(60000));
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"page.HTML"});

    ASSERT_EQ(RunToEnd(L"msiexec /x \"" + msi_ + L"\" /qn"), 0);
    EXPECT_FALSE(TempDir::Exists(program));
    EXPECT_FALSE(TempDir::Exists(folder + L"\\html\\index.html"));
    EXPECT_FALSE(TempDir::Exists(sendTo));
    EXPECT_FALSE(TempDir::Exists(startMenu));
    EXPECT_EQ(ReadAllSettings()[L"AutoExe"], L"7") << "the user's settings stay";
    EXPECT_EQ(PlatformLower(UserPath()).find(PlatformLower(folder)), std::wstring::npos) << "the PATH entry goes";
}

std::wstring VersionString(const std::vector<BYTE>& info, const wchar_t* block, const wchar_t* name)
{
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\") + block + L"\\" + name;
    if (!VerQueryValueW(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || !value) return {};
    return value;
}

TEST(VersionResource, CarriesTheVersionInJapaneseAndEnglish)
{
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(ProgramPath().c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(ProgramPath().c_str(), 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(TAVLO_VERSION_MINOR, TAVLO_VERSION_MAJOR)));
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    for (const wchar_t* block : {L"041104B0", L"040904B0"}) {
        EXPECT_EQ(VersionString(info, block, L"FileVersion"), TAVLO_VERSION_WIDE) << block;
        EXPECT_EQ(VersionString(info, block, L"ProductVersion"), TAVLO_VERSION_WIDE) << block;
        EXPECT_FALSE(VersionString(info, block, L"FileDescription").empty()) << block;
    }
    EXPECT_NE(VersionString(info, L"041104B0", L"FileDescription"), VersionString(info, L"040904B0", L"FileDescription"));
    // The program's icon is there too.
    HMODULE exe = LoadLibraryExW(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    EXPECT_NE(FindResourceW(exe, MAKEINTRESOURCEW(1), RT_GROUP_ICON), nullptr);
    FreeLibrary(exe);
}

} // namespace
} // namespace tavlo
