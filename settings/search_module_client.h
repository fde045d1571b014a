#pragma once

#include <windows.h>

// The search module's object, created in a local server for one of its interfaces (which starts
// the module when it is not running); a module that is just ending is asked again for a while.
// Answers the activation's result, CO_E_CLASSSTRING when the branding library names no class for
// the module.
HRESULT CreateSearchModule(REFIID iid, void** object);

// Test seam: while set, the module's interfaces come from this object (null restores the local
// server). The caller keeps it alive while set.
void SetSearchModuleOverride(IUnknown* module);
