#pragma once

#include <windows.h>

#include <string>

// Points HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE and HKEY_CLASSES_ROOT of this process at
// fresh scratch keys for its lifetime, then restores them and deletes the scratch keys.
class RegistrySandbox {
public:
    RegistrySandbox();
    ~RegistrySandbox();
    RegistrySandbox(const RegistrySandbox&) = delete;
    RegistrySandbox& operator=(const RegistrySandbox&) = delete;

    // The scratch key's path below the real HKEY_CURRENT_USER.
    const std::string& ScratchPath() const { return scratchPath_; }

private:
    std::string scratchPath_;
    HKEY overrides_[3] = {};
};
