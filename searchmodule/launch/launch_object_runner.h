#pragma once

#include "item/item.h"
#include "mapping/media_mapping.h"
#include "program_end_watch.h"

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

// Runs a launch object for the module's callers: its drive mappings and its chain's questions
// on the module's own thread, then its target started. Mappings that are to end with the
// program ("ExitLOStatus") are held until it ends.
class LaunchObjectRunner {
public:
    // programEnded is called on a watching thread when a program whose mappings are held has
    // ended; the owner then calls ProgramEnded with the id on its own thread.
    explicit LaunchObjectRunner(std::function<void(int id)> programEnded);
    ~LaunchObjectRunner();
    LaunchObjectRunner(const LaunchObjectRunner&) = delete;
    LaunchObjectRunner& operator=(const LaunchObjectRunner&) = delete;

    // itemPath: the item's full namespace path (folder path, a backslash, the item's name).
    // S_OK when the target was started; S_FALSE when the user stopped (nothing started);
    // NSS_S_NOT_FOUND for a missing item; a failure code when the target could not be started.
    HRESULT Execute(const std::string& itemPath);

    // Treats the mappings of an ended program as its launch object says.
    void ProgramEnded(int id);
    // Whether some program's mappings wait for its end.
    bool HoldsMappings() const { return !held_.empty(); }

    // The launch object named by a full namespace path, with its launch data and actions.
    static std::optional<CacheItem> FindLaunchObject(const std::string& itemPath);

private:
    // The drive mappings made for one run, with the settings they were made by.
    struct RunMappings {
        RunMappings(const CacheItem& launchSettings, const std::string& ownDisc)
            : settings(launchSettings), mapping(&settings, ownDisc)
        {
        }
        CacheItem settings;
        MediaMapping mapping;
        int exitStatus = 0;
    };

    HRESULT Run(CacheItem& launchObject);
    static void ApplyExitStatus(RunMappings& mappings);

    ProgramEndWatch watch_;
    std::map<int, std::unique_ptr<RunMappings>> held_;
};
