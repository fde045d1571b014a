#pragma once

#include "item/item.h"

#include <windows.h>

#include <optional>
#include <string>

// Runs a launch object for the module's callers: its chain's questions on the module's own
// thread, then its target started. Returns when the program was started or the user stopped.
class LaunchObjectRunner {
public:
    // itemPath: the item's full namespace path (folder path, a backslash, the item's name).
    // S_OK when the target was started; S_FALSE when the user stopped (nothing started);
    // NSS_S_NOT_FOUND for a missing item; a failure code when the target could not be started.
    HRESULT Execute(const std::string& itemPath);

    // The launch object named by a full namespace path, with its launch data and actions.
    static std::optional<CacheItem> FindLaunchObject(const std::string& itemPath);

private:
    HRESULT Run(CacheItem& launchObject);
    // Drive mappings cannot be made yet: the user hears which one failed and may go on
    // with the network paths; false when the user chose to stop.
    bool ConfirmUnmappedStart(const CacheItem& launchObject, const std::string& program) const;

    bool running_ = false;
};
