#pragma once

#include "found_data.h"

// The root keys whose found data a purge removes.
struct RootSelection {
    bool classesRoot = false;
    bool currentUser = false;
    bool localMachine = false;

    bool Any() const { return classesRoot || currentUser || localMachine; }
};

// Deletes every found key of the selected roots with all it holds, then (with
// HKEY_LOCAL_MACHINE selected) every found value. An entry that fails does not stop the rest;
// the result is false when any failed. Data already gone counts as removed.
bool DeleteRegistryData(const RegistryFindings& findings, const RootSelection& roots);
