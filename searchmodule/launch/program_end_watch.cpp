#include "program_end_watch.h"

#include "logging/logging.h"

ProgramEndWatch::ProgramEndWatch(Ended onEnded)
    : onEnded_(std::move(onEnded)), stop_(::CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
}

ProgramEndWatch::~ProgramEndWatch()
{
    if (stop_)
        ::SetEvent(stop_.Get());
    std::map<int, Watched> watched;
    {
        std::lock_guard guard(lock_);
        watched.swap(watched_);
    }
    for (auto& [id, entry] : watched) {
        if (entry.waiter.joinable())
            entry.waiter.join();
    }
}

int ProgramEndWatch::Watch(ScopedKernelHandle process)
{
    if (!stop_ || !process)
        return 0;
    std::lock_guard guard(lock_);
    const int id = nextId_++;
    Watched& entry = watched_[id];
    entry.process = std::move(process);
    try {
        entry.waiter = std::thread(&ProgramEndWatch::Wait, this, id, entry.process.Get());
    } catch (const std::exception& error) {
        LogFormatted("Could not watch the started program: %s\n", error.what());
        watched_.erase(id);
        return 0;
    }
    return id;
}

void ProgramEndWatch::Forget(int id)
{
    Watched ended;
    {
        std::lock_guard guard(lock_);
        const auto found = watched_.find(id);
        if (found == watched_.end())
            return;
        ended = std::move(found->second);
        watched_.erase(found);
    }
    if (ended.waiter.joinable())
        ended.waiter.join();
}

void ProgramEndWatch::Wait(int id, HANDLE process)
{
    try {
        const HANDLE handles[] = {process, stop_.Get()};
        if (::WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0)
            onEnded_(id);
    } catch (...) {
        // The owner's callback must not take the process down with it.
        Logging::OutToLogFile("ProgramEndWatch - the end of a program could not be reported\n");
    }
}
