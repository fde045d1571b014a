#pragma once

#include <windows.h>

// After the administrator changed the location of public folder data: asks whether the client
// setup script should carry the new location and, on Yes, writes its "GlobalDataLocation"
// entry (and only that) into the script of the client setup folder.
void OfferSetupScriptUpdate(HWND owner);
