#pragma once

#include <windows.h>

// Shellvue.dll's class object of the namespace, registered in the calling apartment as the
// installation registers the library, so that code there creates the namespace's objects in
// process through the class factory (the test prefix has no registration of its own).
class ShellvueClassRegistered {
public:
    ShellvueClassRegistered();
    ~ShellvueClassRegistered();
    ShellvueClassRegistered(const ShellvueClassRegistered&) = delete;
    ShellvueClassRegistered& operator=(const ShellvueClassRegistered&) = delete;

    bool IsRegistered() const { return cookie_ != 0; }

private:
    DWORD cookie_ = 0;
};
