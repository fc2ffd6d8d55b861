#pragma once
// The visible run on a thread of its own. The worker renames through the engine's driver; what the
// windows must show (log lines, results, the target list's progress) is queued, and the window thread
// takes it in batches at every tick of a timer and once at the end, so the frame keeps answering
// messages during a run and never waits on the disk.
#include "engine/RenameRun.h"

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tavlo {

class BackgroundRun {
public:
    // One thing the windows have to show, in the order the run produced it.
    struct Event {
        enum class Kind { Line, Result, Reached, Finished } kind = Kind::Line;
        std::wstring text;      // Line: the log line; Result: the path
        std::size_t index = 0;  // Reached, Finished: the target's place in the list
        RenameOutcome outcome;  // Finished
    };
    using Work = std::function<void(const RunSinks& sinks, const std::atomic<bool>& stop, RunObserver& observer)>;

    // How often the window takes what was queued: as often as the lists are drawn.
    static constexpr UINT kDeliveryMs = 33;
    // `window` gets WM_TIMER with the id `message` while the work goes on, and `message` itself (no
    // parameters) when it has ended.
    BackgroundRun(HWND window, UINT message) : window_(window), message_(message), lists_(*this), observer_(*this) {}
    // Stops the work after its current file and waits for it; what was not delivered is dropped (the
    // journal has every record).
    ~BackgroundRun();
    BackgroundRun(const BackgroundRun&) = delete;
    BackgroundRun& operator=(const BackgroundRun&) = delete;

    void Start(Work work);
    // The work stops before its next file.
    void Stop() { stop_ = true; }

    // On the window thread: hands over every event queued so far, in order. True once the work has
    // ended and everything it queued was handed over.
    bool Deliver(const std::function<void(Event&)>& show);
    // Waits for the work's current file and its end, then hands over the rest.
    void Finish(const std::function<void(Event&)>& show);

private:
    // The log and the result list as the worker writes them: both into the queue.
    class Lists final : public LogSink, public ResultSink {
    public:
        explicit Lists(BackgroundRun& run) : run_(run) {}
        void AddLine(const std::wstring& line) override { run_.Queue({Event::Kind::Line, line, 0, {}}); }
        void AddResult(const std::wstring& path) override { run_.Queue({Event::Kind::Result, path, 0, {}}); }

    private:
        BackgroundRun& run_;
    };
    class Progress final : public RunObserver {
    public:
        explicit Progress(BackgroundRun& run) : run_(run) {}
        bool Next(std::size_t index) override;
        void Finished(std::size_t index, const RenameOutcome& outcome) override;

    private:
        BackgroundRun& run_;
    };

    void Queue(Event event);
    void Join();

    const HWND window_;
    const UINT message_;
    Lists lists_;
    Progress observer_;
    std::atomic<bool> stop_{false};
    std::thread thread_;

    std::mutex mutex_;
    std::vector<Event> queue_;
    bool ended_ = false;
};

} // namespace tavlo
