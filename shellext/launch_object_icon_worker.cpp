#include "launch_object_icon_worker.h"

#include "cache/cache.h"
#include "com/com_apartment.h"
#include "logging/logging.h"
#include "res/string_ids.h"
#include "resources/texts.h"

#include <shellapi.h>

#include <climits>

namespace {

constexpr unsigned int kUniqueNameLength = 32;

ScopedKernelHandle CreateManualResetEvent(const std::string& name)
{
    return ScopedKernelHandle(::CreateEventA(nullptr, TRUE, FALSE, name.c_str()));
}

// "shell32.dll" names the system's own icon library, wherever the system keeps it.
std::string IconFilePath(const std::string& iconFile)
{
    if (::lstrcmpiA(iconFile.c_str(), CommonText(IDS_SHELL32_DLL_NAME).c_str()) != 0)
        return iconFile;
    char directory[MAX_PATH];
    const UINT length = ::GetSystemDirectoryA(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return iconFile;
    return std::string(directory, length) + "\\" + iconFile;
}

// The icon that the shell shows for the file (its own or its type's).
ScopedIcon ShellFileIcon(const std::string& path, UINT sizeFlag)
{
    SHFILEINFOA info{};
    if (!::SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_ICON | sizeFlag))
        return ScopedIcon();
    return ScopedIcon(info.hIcon);
}

// The worker's own lines: a failing log write must not end the thread with an exception.
void LogQuietly(const std::string& line) noexcept
{
    try {
        Logging::OutToLogFile(line);
    } catch (...) {
    }
}

} // namespace

LaunchObjectIconManager::LaunchObjectIconManager(HWND listWindow) : listWindow_(listWindow)
{
    if (!Cache::GetUniqueName(uniqueName_, kUniqueNameLength))
        return;
    insertedEvent_ = CreateManualResetEvent(uniqueName_ + kInsertedEventSuffix);
    killEvent_ = CreateManualResetEvent(uniqueName_ + kKillEventSuffix);
    if (!insertedEvent_ || !killEvent_)
        return;
    try {
        worker_ = std::thread(&LaunchObjectIconManager::Run, this);
    } catch (const std::exception&) {
        // Without a worker the rows keep their default images.
    }
}

LaunchObjectIconManager::~LaunchObjectIconManager()
{
    StopWorker();
    if (worker_.joinable())
        worker_.join();
}

void LaunchObjectIconManager::AddItem(const CacheItem& item)
{
    if (!IsRunning())
        return;
    CriticalSectionLock hold(lock_);
    pending_.push_back(item);
    ::SetEvent(insertedEvent_.Get());
}

void LaunchObjectIconManager::StopWorker()
{
    if (killEvent_)
        ::SetEvent(killEvent_.Get());
}

std::vector<LaunchObjectIcons> LaunchObjectIconManager::TakeFinished()
{
    CriticalSectionLock hold(lock_);
    std::vector<LaunchObjectIcons> results;
    results.reserve(finished_.size());
    for (LaunchObjectIcons& result : finished_)
        results.push_back(std::move(result));
    finished_.clear();
    return results;
}

void LaunchObjectIconManager::Run()
{
    // The shell's icon functions may create COM objects (shell links, icon handlers).
    const ComApartment apartment;
    // The kill event first: when both are set, ending wins over more work.
    const HANDLE events[2] = {killEvent_.Get(), insertedEvent_.Get()};
    for (;;) {
        const DWORD signalled = ::WaitForMultipleObjects(2, events, FALSE, INFINITE);
        if (signalled == WAIT_OBJECT_0) {
            ::ResetEvent(killEvent_.Get());
            LogQuietly("  Thread should prepare to terminate.\n");
            return;
        }
        if (signalled != WAIT_OBJECT_0 + 1)
            return;
        try {
            ProcessPending();
        } catch (const std::exception& error) {
            // Out of memory while copying an item: the remaining rows keep their images.
            LogQuietly(std::string("LaunchObjectIconManager - Exception caught: ") + error.what() + " \n");
        } catch (...) {
            LogQuietly("LaunchObjectIconManager - unknown exception\n");
        }
    }
}

bool LaunchObjectIconManager::TakeNextPending(CacheItem& item)
{
    CriticalSectionLock hold(lock_);
    if (pending_.empty()) {
        ::ResetEvent(insertedEvent_.Get());
        return false;
    }
    item = std::move(pending_.front());
    pending_.pop_front();
    return true;
}

void LaunchObjectIconManager::ProcessPending()
{
    CacheItem item;
    // The worker may stop between two items when the view goes away.
    while (::WaitForSingleObject(killEvent_.Get(), 0) != WAIT_OBJECT_0 && TakeNextPending(item)) {
        LaunchObjectIcons result;
        if (!ExtractIcons(item, result)) {
            LogFormatted("Could not extract icon from file %s (index=%i).\n", item.IconFile, item.IconIndex);
            continue;
        }
        result.Item = std::move(item);
        {
            CriticalSectionLock hold(lock_);
            finished_.push_back(std::move(result));
        }
        ::PostMessageA(listWindow_, kLaunchObjectIconsReadyMessage, 0, 0);
    }
}

bool LaunchObjectIconManager::ExtractIcons(const CacheItem& item, LaunchObjectIcons& result)
{
    if (item.IconFile.empty())
        return false;
    const std::string path = IconFilePath(item.IconFile);
    // The count query answers UINT_MAX for a file that cannot be read. The handles are only
    // looked at when icons were extracted: on failure they may hold anything.
    const UINT available = ::ExtractIconExA(path.c_str(), -1, nullptr, nullptr, 0);
    if (available == UINT_MAX)
        return false;
    if (available > 0) {
        HICON large = nullptr;
        HICON small = nullptr;
        const UINT extracted = ::ExtractIconExA(path.c_str(), item.IconIndex, &large, &small, 1);
        if (extracted == 0 || extracted == UINT_MAX)
            return false;
        result.Large.Reset(large);
        result.Small.Reset(small);
    } else if (::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES && path.size() < MAX_PATH) {
        // A file without icons of its own (a document) shows the icon of its type.
        char buffer[MAX_PATH];
        ::lstrcpynA(buffer, path.c_str(), MAX_PATH);
        WORD index = 0;
        result.Large.Reset(::ExtractAssociatedIconA(nullptr, buffer, &index));
    }
    if (result.Large && !result.Small)
        result.Small = ShellFileIcon(path, SHGFI_SMALLICON);
    return result.Large && result.Small;
}
