#pragma once

#include "basalt_api.h"

#include <windows.h>

// The search module's object, created as a local server (which starts the module when it is not
// running) and asked for iid. CO_E_CLASSSTRING when the branding library names no class for it.
BASALT_API HRESULT CreateSearchModuleObject(REFIID iid, void** object);
