#pragma once

#include "item/item.h"
#include "mapping/drive_letter_use.h"
#include "program_end_watch.h"

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

// Runs a launch object for the module's callers: its drive mappings and its chain's questions
// on the module's own thread, then its target started. Mappings that are to end with the
// program ("ExitLOStatus") are held until it ends; only letters the run connected itself are
// then given back, and only while they still serve the run's paths.
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
    // The letters of a running program, with what its launch object wants done at its end.
    struct HeldLetters {
        int exitStatus = 0;
        std::vector<DriveLetterUse> letters;
    };

    HRESULT Run(CacheItem& launchObject);
    // Whether a run started after the ended one took the letter over (it found the letter
    // serving the ended run's path): it gives the letter back at its own end.
    bool HandOverToLaterRun(int endedId, const DriveLetterUse& use);
    static void ApplyExitStatus(int exitStatus, const std::vector<DriveLetterUse>& letters);

    ProgramEndWatch watch_;
    std::map<int, HeldLetters> held_;
};
