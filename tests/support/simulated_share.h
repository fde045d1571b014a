#pragma once

#include <string>
#include <vector>

// Makes \\SERVER\SHARE exist for this process: Wine finds network paths under its prefix's
// dosdevices\unc folder, which is reached here through the drive that maps the Unix root.
// Removes what it made. Throws when there is no Wine prefix to put it in.
class SimulatedShare {
public:
    SimulatedShare(const std::string& server, const std::string& share);
    ~SimulatedShare();
    SimulatedShare(const SimulatedShare&) = delete;
    SimulatedShare& operator=(const SimulatedShare&) = delete;

    // "\\SERVER\SHARE"
    const std::string& Path() const { return path_; }
    // The share's folder in the prefix, where a test puts the files the share holds.
    const std::string& Folder() const { return folder_; }

private:
    std::string path_;
    std::string folder_;
    // The folders this object made, deepest last.
    std::vector<std::string> made_;
};
