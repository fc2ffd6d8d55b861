#include "app/BackgroundRun.h"

#include "common/Catalogue.h"
#include "common/Fault.h"

namespace tavlo {

BackgroundRun::~BackgroundRun()
{
    stop_ = true;
    Join();
}

void BackgroundRun::Start(Work work)
{
    thread_ = std::thread([this, work = std::move(work)] {
        try {
            work(RunSinks{log_, results_, log_}, stop_, observer_);
        } catch (...) {
            ReportFault("BackgroundRun");
        }
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            ended_ = true;
        }
        // The last word always reaches the window, queued events or not.
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
    bool post = false;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back(std::move(event));
        post = !posted_;
        posted_ = true;
    }
    // One message stands for everything queued until the window takes it.
    if (post) PostMessageW(window_, message_, 0, 0);
}

bool BackgroundRun::Deliver(const std::function<void(Event&)>& show)
{
    std::vector<Event> events;
    bool ended = false;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        events.swap(queue_);
        posted_ = false;
        ended = ended_;
    }
    for (Event& event : events) show(event);
    if (ended) Join();
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
