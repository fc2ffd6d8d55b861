#pragma once
// The execution log window: one line per event of a run, oldest first, which can be emptied, copied
// to the clipboard and saved as a text file.
#include "engine/Sinks.h"
#include "ui/ListBoxSupport.h"
#include "ui/PacedRedraw.h"
#include "windows/ChildForm.h"
#include "windows/LogModel.h"

#include <functional>
#include <string>

namespace tavlo {

class mdiStatus : public ChildForm, public LogSink {
public:
    // Asks for the name of the file to save; empty when the user cancelled.
    using FileChooser = std::function<std::wstring(HWND owner)>;

    mdiStatus(ChildHost& host, SettingsStore& store);
    ~mdiStatus() override;

    HWND lstKekka() const { return lstKekka_; }

    // Appends one line; past the cap the oldest line goes (the cap follows the current line).
    void ListInAdd(const std::wstring& strData);
    void AddLine(const std::wstring& line) override { ListInAdd(line); }
    // Empties the log.
    void RefreshForm();
    // Puts the whole log on the clipboard as plain text, every line ended by CR LF; an empty log
    // leaves the clipboard empty.
    void LogCopy();
    // Asks for a file name and saves the log there.
    void LogSave();

    // Moves the keyboard focus to the log list, activating this window.
    void FocusLog();

    const LogModel& Log() const { return log_; }

    void SetFileChooser(FileChooser fn);

    void mnuDel_Click();

protected:
    void CreateControls() override;
    void Form_Resize() override;
    std::vector<PopupItem> PopupItems() const override;
    bool OnPopupCommand(int id) override;
    bool OnCommand(int id, int code, HWND control) override;
    std::optional<LRESULT> HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

private:
    void SaveLogFile(const std::wstring& strFileName);
    void ShowCurrentLine();
    // The sideways extent and the newest line in view: once per drawing while lines pour in.
    void Settle();

    HWND lstKekka_ = nullptr;
    LogModel log_;
    PacedRedraw redraw_;
    ListWidth width_;
    FileChooser chooser_;
};

// The save dialog of the log: the log-file filter and the default extension .LOG; no overwrite
// prompt of its own. Empty when cancelled.
std::wstring ChooseLogFile(HWND owner);

} // namespace tavlo
