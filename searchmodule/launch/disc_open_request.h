#pragma once

#include <windows.h>

#include <string>

// Opens a disc of the user's folders for a client, named by its full namespace path: first its
// drive mappings by the settings of its AutoMap folder or its own, then Explorer on the mapped
// drive or the network path. S_OK when opened, S_FALSE when the user gave up after a failed
// mapping, NSS_S_NOT_FOUND when there is no such disc.
HRESULT OpenDiscForClient(const std::string& itemPath);
