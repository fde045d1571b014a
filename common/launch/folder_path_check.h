#pragma once

#include <string>

// What the folder dialog makes of a path the user typed.
enum class FolderPathVerdict {
    Accepted,   // an existing folder (or, where files are allowed, file)
    Invalid,    // malformed, empty, or not a folder where one is needed
    Missing,    // well formed but not there
};

struct FolderPathCheck {
    FolderPathVerdict verdict = FolderPathVerdict::Invalid;
    // The path as it is to be used: the trailing backslash gone, except on a drive's root.
    std::string path;
};

// Checks a typed path: a double backslash is allowed only where a network path starts, and a
// drive root keeps its backslash ("C:" alone would mean the drive's current folder).
FolderPathCheck CheckFolderPath(const std::string& typed, bool filesAllowed);
