#include "app/BackgroundRun.h"

#include "common/Catalogue.h"
#include "common/Fault.h"

namespace tavlo {

BackgroundRun::~BackgroundRun()
{
    stop_ = true;
    KillTimer(window_, message_);
    Join();
}

void BackgroundRun::Start(Work work)
{
    SetTimer(window_, message_, kDeliveryMs, nullptr);
    thread_ = std::thread([this, work = std::move(work)] {
        try {
            work(RunSinks{lists_, lists_, lists_}, stop_, observer_);
        } catch (...) {
            ReportFault("BackgroundRun");
        }
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            ended_ = true;
        }
        // The end reaches the window at once, not at the next tick.
        PostMessageW(window_, message_, 0, 0);
    });
}

bool BackgroundRun::Progress::Next(std::size_t index)
{
    run_.Queue({Event::Kind::Reached, {}, index, {}});
    return !run_.stop_;
}

void BackgroundRun::Progress::Finished(std::size_t index, const RenameOutcome& outcome)
{
    run_.Queue({Event::Kind::Finished, {}, index, outcome});
}

void BackgroundRun::Queue(Event event)
{
    // The window takes the queue at its own pace (a timer); a message per event would cost the run
    // more than the renames on some systems, each one a trip through the window system.
    const std::lock_guard<std::mutex> lock(mutex_);
    queue_.push_back(std::move(event));
}

bool BackgroundRun::Deliver(const std::function<void(Event&)>& show)
{
    std::vector<Event> events;
    bool ended = false;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        events.swap(queue_);
        ended = ended_;
    }
    for (Event& event : events) show(event);
    if (ended) {
        KillTimer(window_, message_);
        Join();
    }
    return ended;
}

void BackgroundRun::Finish(const std::function<void(Event&)>& show)
{
    Join();
    Deliver(show);
}

void BackgroundRun::Join()
{
    if (thread_.joinable()) thread_.join();
}

} // namespace tavlo
