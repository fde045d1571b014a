#pragma once

#include <windows.h>

// Tells every top-level window (the search module's, the open views') that a setting changed:
// the registered message named by a Basalt string (IDS_MSG_...), both parameters 0.
void BroadcastSetting(UINT messageNameId);
