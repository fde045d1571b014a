#pragma once

#include "base/scoped_handle.h"

#include <windows.h>

#include <string>
#include <vector>

// Drives Wine's Explorer from another process, as a user at the screen would: its windows found
// by class, a list control read and clicked through memory of Explorer's process, the window's
// pixels saved. Used by the demo and the whole-program tests.

// The first visible descendant of a window, or top-level window of a process, of a class.
HWND FindDescendant(HWND parent, const char* className);
HWND FindTopLevel(DWORD processId, const char* className);
// The first visible top-level window of a process with that title.
HWND FindTopLevelTitled(DWORD processId, const std::string& title);
// The list of the namespace's view inside an Explorer window; null when it shows none.
HWND OurListIn(HWND explorer);
// The window's pixels as they are on the screen, written as a 24-bit bitmap file.
bool SaveScreenshot(HWND window, const std::string& path);

// Another process's list control, read and clicked through memory of that process.
class RemoteList {
public:
    explicit RemoteList(HWND list);
    ~RemoteList();
    RemoteList(const RemoteList&) = delete;
    RemoteList& operator=(const RemoteList&) = delete;

    // The texts of the first column.
    std::vector<std::string> Rows() const;
    // Selects and focuses one row, as a click would.
    bool Select(int index) const;

private:
    HWND list_;
    ScopedKernelHandle process_;
    void* memory_ = nullptr;
};

// Wine's Explorer started with arguments, and closed again with the object.
class ExplorerProcess {
public:
    explicit ExplorerProcess(const std::string& arguments);
    ~ExplorerProcess();
    ExplorerProcess(const ExplorerProcess&) = delete;
    ExplorerProcess& operator=(const ExplorerProcess&) = delete;

    DWORD Id() const { return id_; }
    // Its frame window; null until it shows one.
    HWND Frame() const { return FindTopLevel(id_, "ExplorerWClass"); }
    // Types a path into the address box and presses Return; false without an address box.
    bool GoTo(const std::string& path) const;

private:
    ScopedKernelHandle process_;
    DWORD id_ = 0;
};
