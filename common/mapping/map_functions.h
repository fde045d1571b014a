#pragma once

#include "basalt_api.h"
#include "mapping/drive_letter_use.h"

#include <string>
#include <vector>

// Connects discs (\\server\share) to drive letters and disconnects them, showing its own
// questions and messages. Every call goes through the network seam (Network()).
class BASALT_API MapFunctions {
public:
    MapFunctions() = default;
    MapFunctions(const MapFunctions&) = default;
    virtual ~MapFunctions() = default;

    // Connects networkPath to driveLetter, or to a free letter when driveLetter is empty (the
    // letter used comes back in driveLetter, "F:"). previousConnection receives what the letter
    // was connected to before (empty when it was free). silent: no messages about a refused
    // connection. warnBeforeReplace: ask before an existing connection is replaced, unless the
    // user switched the question off. True when the letter serves the path at the end.
    static bool QuickMap(const std::string& networkPath, std::string& driveLetter, std::string& previousConnection,
                         bool silent, bool warnBeforeReplace);
    // The same, telling in use what it found on the letter and what it did there (filled
    // whatever the result, complete when it is true).
    static bool QuickMap(const std::string& networkPath, std::string& driveLetter, DriveLetterUse& use, bool silent,
                         bool warnBeforeReplace);

    // Gives a letter back as a mapping found it, when the mapping connected it and it still
    // serves the mapping's path: a free letter is disconnected, a connection elsewhere comes
    // back as it was (asking before it replaces the mapping's connection, like any
    // replacement). Letters the mapping only reused are the user's and stay. True when the
    // letter holds what it held before, or was left to the user.
    static bool RestoreLetter(const DriveLetterUse& use);
    // Frees a letter a mapping connected, when it still serves the mapping's path. A connection
    // the user had remembered for the next log-on is remembered again (not connected now), so
    // that it is never lost for good. Letters the mapping only reused stay.
    static bool ReleaseLetter(const DriveLetterUse& use);

    // mode 1: the free letters, plus the letter that already serves networkPath (the scan stops
    // there and *alreadyMapped becomes true). mode 0: free, connected and remembered letters.
    // Returns the index of the proposed letter (the first free one, or the one already serving
    // the path), -1 when there is none.
    static int GetDriveLetters(int mode, std::vector<std::string>& letters, const std::string& networkPath,
                               bool* alreadyMapped);

    // Disconnects a letter, asking first when files are open on it. True when the letter is not
    // connected at the end; false for an empty argument, a refusal or a failure.
    static bool UnMap(const std::string& driveLetter);

    // The short (8.3) form of a path, or the path unchanged when it has none.
    static std::string RetrieveShortPathName(const std::string& path);

    // Whether two network paths name the same share (short forms, any case).
    static bool IsSamePath(const std::string& first, const std::string& second);
};
