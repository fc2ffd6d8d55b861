#pragma once
// Shared pieces of the window tests: a private settings store, the option state put back after each
// test, load failures recorded instead of ending the process, and a message pump.
#include "settings/Options.h"
#include "settings/RegistryStore.h"
#include "settings/RegistryTestRoot.h"
#include "settings/SettingsStore.h"
#include "ui/LoadFailure.h"

#include <windows.h>

#include <string>
#include <vector>

namespace tavlo::test {

// The settings store under a private registry key of its own.
class TestStore {
public:
    TestStore() : store_(root_.path()) {}

    SettingsStore& store() { return store_; }

    void SetCurrent(const std::wstring& key, const std::wstring& value)
    {
        store_.Write(CurrentLocation.application, CurrentLocation.section, key, value);
    }
    void SetLegacy(const std::wstring& key, const std::wstring& value)
    {
        store_.Write(LegacyLocation.application, LegacyLocation.section, key, value);
    }
    // The stored text, or "<absent>".
    std::wstring Current(const std::wstring& key)
    {
        return store_.Read(CurrentLocation.application, CurrentLocation.section, key, L"<absent>");
    }

private:
    RegistryTestRoot root_;
    RegistryStore store_;
};

// Puts the process-wide option state back as it was.
class OptionsGuard {
public:
    OptionsGuard() : saved_(options) {}
    ~OptionsGuard() { options = saved_; }

private:
    OptionState saved_;
};

// Records the texts of load failures; the load then returns instead of ending the process.
class LoadFailureRecorder {
public:
    LoadFailureRecorder()
    {
        previous_ = SetLoadFailureHandler([this](const std::wstring& text) { texts.push_back(text); });
    }
    ~LoadFailureRecorder() { SetLoadFailureHandler(previous_); }

    std::vector<std::wstring> texts;

private:
    LoadFailureHandler previous_;
};

// Makes the system refuse to create the `nth` window (from 1) of the class `className` on this thread
// while it lives: the real way a window's load fails.
class RefuseWindowCreation {
public:
    RefuseWindowCreation(std::wstring className, int nth) : className_(std::move(className)), left_(nth)
    {
        active_ = this;
        hook_ = SetWindowsHookExW(WH_CBT, &RefuseWindowCreation::Proc, nullptr, GetCurrentThreadId());
    }
    ~RefuseWindowCreation()
    {
        if (hook_) UnhookWindowsHookEx(hook_);
        active_ = nullptr;
    }
    RefuseWindowCreation(const RefuseWindowCreation&) = delete;
    RefuseWindowCreation& operator=(const RefuseWindowCreation&) = delete;

private:
    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_CREATEWND && active_) {
            const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
            const wchar_t* cls = create->lpcs->lpszClass;
            wchar_t name[256]{};
            if (HIWORD(reinterpret_cast<ULONG_PTR>(cls)) == 0) GetClassNameW(reinterpret_cast<HWND>(wParam), name, 256);
            const std::wstring given = HIWORD(reinterpret_cast<ULONG_PTR>(cls)) ? cls : name;
            if (given == active_->className_ && --active_->left_ == 0) return 1;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline RefuseWindowCreation* active_ = nullptr;
    std::wstring className_;
    int left_;
    HHOOK hook_ = nullptr;
};

inline void PumpMessages()
{
    MSG msg;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

inline RECT RectIn(HWND window, HWND parent)
{
    RECT rc{};
    GetWindowRect(window, &rc);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

inline std::wstring WindowText(HWND hwnd)
{
    wchar_t buf[512]{};
    GetWindowTextW(hwnd, buf, 512);
    return buf;
}

} // namespace tavlo::test

#include "app/frmTavlo.h"

#include <gtest/gtest.h>

#include <memory>

namespace tavlo::test {

// A main window on a private store; the options and the load-failure reaction are restored after.
class FrameTest : public testing::Test {
protected:
    // Creates and loads the frame; with `show` it is shown and activated the way the program does.
    bool Open(bool show = true, const std::wstring& commandLine = L"")
    {
        frame = std::make_unique<frmTavlo>(store.store());
        frame->SetQuitOnDestroy(false);
        frame->SetHelpViewer([this](HWND, const std::wstring& path) { helpPaths.push_back(path); });
        if (!frame->Create()) return false;
        if (!frame->MDIForm_Load(commandLine)) return false;
        if (show) {
            frame->Show();
            frame->MDIForm_Activate();
            PumpMessages();
        }
        return true;
    }
    // Presses mode button `index` and answers the window's messages until the run it started has ended.
    void Press(int index)
    {
        frame->btnExe_Click(static_cast<std::int16_t>(index));
        RunToEnd();
    }
    void Press(Mode mode) { Press(ModeNumber(mode)); }
    void RunToEnd()
    {
        MSG msg;
        for (int i = 0; i < 60000 && frame->Running(); ++i) {
            if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
                continue;
            }
            if (msg.message == WM_QUIT) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        ASSERT_FALSE(frame->Running()) << "the run did not end";
    }
    // Closes the frame the way the user does: the shutdown runs and the window goes.
    void Close()
    {
        if (frame && frame->Exists()) SendMessageW(frame->Handle(), WM_CLOSE, 0, 0);
        PumpMessages();
        frame.reset();
    }
    // Sets the outer size of the frame in pixels.
    void SizeFrame(int width, int height)
    {
        SetWindowPos(frame->Handle(), nullptr, 20, 20, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        PumpMessages();
    }

    OptionsGuard guard;
    TestStore store;
    LoadFailureRecorder failures;
    std::vector<std::wstring> helpPaths;
    std::unique_ptr<frmTavlo> frame;
};

} // namespace tavlo::test
