#pragma once

#include <optional>
#include <string>
#include <vector>

// The path in its full, long form without a trailing backslash (a drive root keeps its own);
// nothing when the text is not a plain absolute path (drive letter and backslash, or a
// \\server\share path).
std::optional<std::string> NormalisedAbsolutePath(const std::string& path);

// Folders that a purge must never delete, however the registry names them: the folder paths
// that drive the purge come from registry values that other programs can write.
class ProtectedFolders {
public:
    // The Windows, system and Program Files folders, every user profile and its standard
    // folders, the shared profile folders, as the running system reports them.
    static ProtectedFolders OfThisSystem();

    // A folder that is protected, together with every folder that contains it.
    void Add(const std::string& folder);
    // The folder holding every user's profile: each profile in it is protected, and so are the
    // standard folders (given relative to a profile) of each.
    void SetProfilesFolder(const std::string& folder, const std::vector<std::string>& standardFolders);

    // True for a drive or share root, a path that is not absolute, a protected folder and any
    // folder that contains one.
    bool Protects(const std::string& path) const;

private:
    std::vector<std::string> folders_;          // normalised, upper case
    std::string profilesFolder_;                // normalised, upper case
    std::vector<std::string> profileStandardFolders_; // relative, upper case
};
