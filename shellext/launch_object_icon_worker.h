#pragma once

#include "base/critical_section.h"
#include "item/item.h"
#include "ui/ui_handles.h"

#include <windows.h>

#include <deque>
#include <string>
#include <thread>
#include <vector>

// Posted to the list window when finished icons wait in the manager (WM_USER + 300).
constexpr UINT kLaunchObjectIconsReadyMessage = 0x52C;

// The icons read for one launch object.
struct LaunchObjectIcons {
    CacheItem Item;
    ScopedIcon Small;
    ScopedIcon Large;
};

// Reads the icons of launch objects on a worker thread, because the programs they start may lie
// on slow network discs. One manager belongs to one list control: the list adds launch objects,
// the worker posts kLaunchObjectIconsReadyMessage to the list window after each finished one,
// and the list takes the finished results on its own thread. An object whose icon cannot be
// read gives no result: its row keeps the type's default image.
class LaunchObjectIconManager {
public:
    static constexpr char kInsertedEventSuffix[] = "__New_Launch_Object_Inserted__";
    static constexpr char kKillEventSuffix[] = "__Kill_Launch_Object_Icon_Thread__";

    explicit LaunchObjectIconManager(HWND listWindow);
    // Stops the worker and waits for it before the queues go away.
    ~LaunchObjectIconManager();
    LaunchObjectIconManager(const LaunchObjectIconManager&) = delete;
    LaunchObjectIconManager& operator=(const LaunchObjectIconManager&) = delete;

    bool IsRunning() const { return worker_.joinable(); }
    // The unique part of both event names.
    const std::string& UniqueName() const { return uniqueName_; }

    // Queues a copy of the launch object for the worker.
    void AddItem(const CacheItem& item);
    // Tells the worker to end (the view window is being destroyed).
    void StopWorker();
    // Hands over everything the worker has finished so far.
    std::vector<LaunchObjectIcons> TakeFinished();

private:
    void Run();
    void ProcessPending();
    bool TakeNextPending(CacheItem& item);
    static bool ExtractIcons(const CacheItem& item, LaunchObjectIcons& result);

    HWND listWindow_;
    CriticalSection lock_;
    std::deque<CacheItem> pending_;
    std::deque<LaunchObjectIcons> finished_;
    std::string uniqueName_;
    ScopedKernelHandle insertedEvent_;
    ScopedKernelHandle killEvent_;
    std::thread worker_;
};
