#pragma once

#include "ui/ui_api.h"

#include <windows.h>

// The module whose dialog templates the kit loads when a dialog names none: the running
// program's own, unless a ResourceModuleScope of the calling thread says otherwise.
SUITE_UI_API HINSTANCE CurrentResourceModule();

// Makes a module current for the calling thread for the lifetime of the object, so that
// templates (and the dialogs they open in turn) are found there whichever program calls: a
// dialog of Basalt shown by the namespace library or the settings program. Scopes nest.
class SUITE_UI_API ResourceModuleScope {
public:
    explicit ResourceModuleScope(HINSTANCE module);
    ~ResourceModuleScope();
    ResourceModuleScope(const ResourceModuleScope&) = delete;
    ResourceModuleScope& operator=(const ResourceModuleScope&) = delete;

private:
    HINSTANCE previous_;
};
