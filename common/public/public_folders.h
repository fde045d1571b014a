#pragma once

#include "basalt_api.h"

#include <string>

// Public folders shared through files in the public folder data location.
class BASALT_API PublicFolderMgr {
public:
    // The server's software version and client set-up location from the index file;
    // both empty when the index cannot be read.
    void GetDataFileInfo(std::string& version, std::string& clientSetupLocation) const;

private:
    static bool GetIndexFilePath(std::string& path, const char* location = nullptr);
};
