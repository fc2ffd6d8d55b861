// The release as a user gets it: the installer under Wine's msiexec, the program it installs started
// the way Send To starts it, the uninstaller; and the version the executable carries.
#include "ProgramProcess.h"
#include "TestSupport.h"
#include "app/SendTo.h"
#include "common/Clipboard.h"
#include "common/DragDrop.h"
#include "common/JournalStore.h"
#include "common/PlatformText.h"
#include "engine/UndoJournal.h"

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

std::wstring RegText(HKEY root, const std::wstring& key, const wchar_t* name = nullptr)
{
    wchar_t value[1024]{};
    DWORD bytes = sizeof value - sizeof(wchar_t);
    if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &bytes) != ERROR_SUCCESS) return L"<none>";
    return value;
}

bool KeyExists(const std::wstring& key)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

const std::wstring kClassKey = std::wstring(L"Software\\Classes\\CLSID\\") + kSendToClassText;

// The per-user keys of the Send To entry, as the installer or /SendTo writes them.
void ExpectEntryFor(const std::wstring& program)
{
    EXPECT_EQ(PlatformLower(RegText(HKEY_CURRENT_USER, kClassKey + L"\\LocalServer32")), PlatformLower(L"\"" + program + L"\""));
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, std::wstring(L"Software\\Classes\\") + kSendToExtension), kSendToProgId);
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, std::wstring(L"Software\\Classes\\") + kSendToProgId + L"\\shellex\\DropHandler"),
              kSendToClassText);
    EXPECT_TRUE(TempDir::Exists(KnownFolder(FOLDERID_SendTo) + L"\\Tavlo2" + kSendToExtension));
}

void ExpectNoEntry()
{
    for (const std::wstring& key : {kClassKey, std::wstring(L"Software\\Classes\\") + kSendToExtension,
                                    std::wstring(L"Software\\Classes\\") + kSendToProgId})
        EXPECT_FALSE(KeyExists(key)) << std::string(key.begin(), key.end());
    EXPECT_FALSE(TempDir::Exists(KnownFolder(FOLDERID_SendTo) + L"\\Tavlo2" + kSendToExtension));
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
    const std::wstring startMenu = KnownFolder(FOLDERID_Programs) + L"\\Tavlo2.lnk";
    EXPECT_EQ(PlatformLower(LinkTarget(startMenu)), PlatformLower(program));
    ExpectEntryFor(program);

    // A console finds the console command: the folder is at the end of the user's PATH.
    const std::wstring before = UserPath();
    EXPECT_EQ(PlatformLower(before.substr(before.rfind(L';') + 1)), PlatformLower(folder + L"\\")) << before.size();

    // What Send To does, as the shell does it: the entry's class made and handed the selection, 5,000
    // paths of 120 characters each (far past a command line's length), automatic execution on. This
    // system sees classes of the machine only: the test copies the user's key there for the while.
    WriteAllSettings({{L"Auto", L"True"}, {L"AutoExe", L"7"}, {L"AutoLog", L"True"}});
    const std::wstring machineKey = std::wstring(L"Software\\Classes\\CLSID\\") + kSendToClassText + L"\\LocalServer32";
    ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, machineKey.c_str(), nullptr, REG_SZ,
                              RegText(HKEY_CURRENT_USER, kClassKey + L"\\LocalServer32").c_str(),
                              static_cast<DWORD>((RegText(HKEY_CURRENT_USER, kClassKey + L"\\LocalServer32").size() + 1) * 2)),
              ERROR_SUCCESS);
    TempDir dir;
    std::vector<std::wstring> files;
    for (int i = 0; i < 5000; ++i) {
        std::wstring name = L"f" + std::to_wstring(i) + L"_";
        name += std::wstring(120 - (dir.path().size() + 1 + name.size() + 5), L'x') + L".html";
        files.push_back(dir.Write(name, "x"));
        ASSERT_EQ(files.back().size(), 120u);
    }
    {
        IDropTarget* target = nullptr;
        ASSERT_EQ(CoCreateInstance(kSendToClass, nullptr, CLSCTX_LOCAL_SERVER, IID_IDropTarget, reinterpret_cast<void**>(&target)), S_OK);
        FileListDataObject* data = FileListDataObject::Create([&files] { return files; });
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
        EXPECT_EQ(target->DragEnter(data, 0, POINTL{}, &effect), S_OK);
        EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
        effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
        EXPECT_EQ(target->Drop(data, 0, POINTL{}, &effect), S_OK);
        data->Release();
        target->Release();
    }
    JournalFileStore journal(DefaultJournalPath());
    std::optional<JournalRun> run;
    for (int i = 0; i < 600 && !(run && run->Ended && run->Files.size() == files.size()); ++i) {
        Sleep(500);
        run = UndoJournal(journal).LastRun();
    }
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, (std::wstring(L"Software\\Classes\\CLSID\\") + kSendToClassText).c_str());
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, (std::wstring(L"Software\\Classes\\CLSID\\") + kSendToClassText).c_str());
    ASSERT_TRUE(run);
    EXPECT_EQ(run->Files.size(), files.size()) << "every dropped file in the journal";
    EXPECT_EQ(run->Mode, 7);
    EXPECT_EQ(run->Files.back().To, files.back().substr(0, files.back().size() - 4) + L"HTML");
    // The log of the automatic run, copied as the option says: every file, to its end.
    Sleep(2000);
    const std::wstring log = GetClipboardText().value_or(L"");
    EXPECT_NE(log.find(GetFileName(run->Files.back().To)), std::wstring::npos);
    EXPECT_NE(log.find(L"全て終了しました"), std::wstring::npos);
    // Undo takes the whole drop back.
    EXPECT_EQ(RunToEnd(L"\"" + folder + L"\\tavlo2c.exe\" --undo"), 0);
    EXPECT_TRUE(TempDir::Exists(files.front()));
    EXPECT_TRUE(TempDir::Exists(files.back()));

    ASSERT_EQ(RunToEnd(L"msiexec /x \"" + msi_ + L"\" /qn"), 0);
    EXPECT_FALSE(TempDir::Exists(program));
    EXPECT_FALSE(TempDir::Exists(folder + L"\\html\\index.html"));
    EXPECT_FALSE(TempDir::Exists(startMenu));
    ExpectNoEntry();
    EXPECT_EQ(ReadAllSettings()[L"AutoExe"], L"7") << "the user's settings stay";
    EXPECT_EQ(PlatformLower(UserPath()).find(PlatformLower(folder)), std::wstring::npos) << "the PATH entry goes";
}

// The portable copy adds the entry only when asked, and takes it away again.
TEST_F(InstallTest, ThePortableProgramAddsAndRemovesTheEntryWhenAsked)
{
    ExpectNoEntry();
    ASSERT_EQ(RunToEnd(L"\"" + ProgramPath() + L"\" /SendTo"), 0);
    ExpectEntryFor(ProgramPath());
    ASSERT_EQ(RunToEnd(L"\"" + ProgramPath() + L"\" /sendto-"), 0);
    ExpectNoEntry();
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
