#pragma once

#include "base/scoped_handle.h"

#include <windows.h>
#include <commctrl.h>

#include <cstddef>
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
// The window, once its thread has drawn it again, saved as NAME.bmp in the "screenshots"
// folder beside the build's bin folder (where the tests' screenshots are looked at).
bool SaveScreenshotInBuild(HWND window, const std::string& name);

// A page of memory in the process that owns a window, which that window's controls fill in
// when a message of another process points them there.
class RemoteMemory {
public:
    explicit RemoteMemory(HWND window);
    ~RemoteMemory();
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    static constexpr size_t kSize = 4096;

    explicit operator bool() const { return memory_ != nullptr; }
    // The address at offset, as the owning process sees it.
    void* At(size_t offset) const { return static_cast<char*>(memory_) + offset; }
    bool Write(size_t offset, const void* data, size_t size) const;
    bool Read(size_t offset, void* data, size_t size) const;

private:
    ScopedKernelHandle process_;
    void* memory_ = nullptr;
};

// Another process's list control, read and clicked through memory of that process.
class RemoteList {
public:
    explicit RemoteList(HWND list);

    // The texts of the first column.
    std::vector<std::string> Rows() const;
    // Selects and focuses one row, as a click would.
    bool Select(int index) const;

private:
    HWND list_;
    RemoteMemory memory_;
};

// Another process's tree control, read and driven as a user does with the mouse.
class RemoteTree {
public:
    explicit RemoteTree(HWND tree);

    std::string Label(HTREEITEM item) const;
    // The items under parent; the top level for null.
    std::vector<HTREEITEM> Children(HTREEITEM parent) const;
    std::vector<std::string> ChildLabels(HTREEITEM parent) const;
    // Whether the item shows an expand button.
    bool HasButton(HTREEITEM item) const;
    // Expands the item as its button does; its children are in the tree when this returns.
    // False when it holds none.
    bool Expand(HTREEITEM item) const;
    // Selects the item as a click on its label does (the window then shows that folder).
    bool Select(HTREEITEM item) const;
    // Follows labels from the top level down, expanding each item on the way; null when one
    // of them is not there.
    HTREEITEM Find(const std::vector<std::string>& labels) const;

private:
    bool Send(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) const;

    HWND tree_;
    RemoteMemory memory_;
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
