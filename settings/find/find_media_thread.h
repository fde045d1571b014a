#pragma once

#include "base/scoped_handle.h"
#include "find_search.h"

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

class FindSearchState;

// The names of the search's two events, unique to one dialog: two Find windows never start or
// end each other's searches.
struct FindEventNames {
    std::string start;
    std::string kill;

    static FindEventNames MakeUnique();
};

// The worker that searches the cache for the dialog. A search starts when its start event is
// signalled and the thread ends when its kill event is; found items are queued in the shared
// state and the dialog's window is told by posted messages, so that every call into the view
// and every change of the window happens on the dialog's own thread.
class FindMediaThread {
public:
    // Posted to the dialog when the queue of found items was empty and got an item.
    static constexpr UINT kFoundMessage = WM_APP + 20;
    // Posted to the dialog when a search ended; wParam is the state it ended in.
    static constexpr UINT kSearchDoneMessage = WM_APP + 21;

    explicit FindMediaThread(FindSearchState& state);
    // Ends and joins the worker.
    ~FindMediaThread();
    FindMediaThread(const FindMediaThread&) = delete;
    FindMediaThread& operator=(const FindMediaThread&) = delete;

    const FindEventNames& EventNames() const { return names_; }
    // The window the worker tells of its results.
    void SetDialogWindow(HWND dialog) { dialog_ = dialog; }
    // Stores the criteria and signals the start event.
    void StartSearch(const FindRequest& request);
    // Signals the kill event and waits until the worker has ended.
    void Stop();

private:
    void Run() noexcept;
    void RunSearch();
    void Tell(UINT message, WPARAM wParam) const;

    FindSearchState& state_;
    const FindEventNames names_;
    ScopedKernelHandle startEvent_;
    ScopedKernelHandle killEvent_;
    std::atomic<HWND> dialog_{nullptr};
    std::mutex requestLock_;
    FindRequest request_;
    std::thread worker_;
};
