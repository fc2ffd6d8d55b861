#pragma once
// What the main window's commands do with files: the preview, the visible run on a thread of its own
// and its end, the automatic runs over a command line or a drop, and Undo. The frame shows windows;
// this works with them, and every run goes through the engine's one driver.
#include "app/BackgroundRun.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavlo {

class frmTavlo;

class FrameRuns {
public:
    explicit FrameRuns(frmTavlo& frame) : f_(frame) {}
    // A run still going ends after its current file, its records written.
    ~FrameRuns();
    FrameRuns(const FrameRuns&) = delete;
    FrameRuns& operator=(const FrameRuns&) = delete;

    // With automatic execution on: the automatic run over dropped files, or over the names of a
    // command line when it has any. True when it ran (the program then ends without a window).
    bool AutoStart(std::wstring_view commandLine, const std::optional<std::vector<std::wstring>>& dropped);
    // The names of a command line into the target list: each file once, in its stored spelling.
    bool TakeCommandLine(std::wstring_view commandLine);
    // The automatic run over the names of a command line, in hidden windows; false when none was listed.
    bool AutoExecute(std::wstring_view commandLine);
    // The automatic run over dropped files: each named file once, as the target list would take it.
    void AutoExecuteDropped(const std::vector<std::wstring>& files);
    void ShowPreview(Mode mode);
    // Starts the visible run; the interface stays locked until its end arrives.
    void RunMode(Mode mode);
    bool Running() const { return run_ != nullptr; }
    // The run stops before its next file.
    void Stop();
    // The run's outcomes as they come in from its thread, and its end.
    void Progress();
    // Waits for the run's current file and shows the rest (the session ends).
    void Finish();
    void Undo();
    // Stops the run and waits for its current file; nothing more is shown (the frame goes).
    void Abandon() { run_.reset(); }

private:
    // The run over `targets`, told to the log, the result list and the journal; the count of files
    // left without their final name.
    std::size_t RunTargets(const std::vector<std::wstring>& targets, Mode mode);
    void ShowRunEvent(BackgroundRun::Event& event);
    void EndRun();

    frmTavlo& f_;
    std::unique_ptr<BackgroundRun> run_;
};

} // namespace tavlo
