#pragma once

#include <windows.h>

#include <string>
#include <vector>

// What a search found, in the order it is reported and purged.

enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine };

HKEY RootKeyOf(RegistryRoot root);

struct FoundKey {
    std::string path; // below its root
    std::string defaultValue;
    bool operator==(const FoundKey&) const = default;
};

struct RegistryFindings {
    std::vector<FoundKey> classesRootKeys;
    std::vector<FoundKey> currentUserKeys;
    std::vector<FoundKey> localMachineKeys;
    // Values below HKEY_LOCAL_MACHINE, each written as key path, ":  " and value name.
    std::vector<std::string> localMachineValues;

    const std::vector<FoundKey>& KeysOf(RegistryRoot root) const;
    std::vector<FoundKey>& KeysOf(RegistryRoot root);
    bool HasDataUnder(RegistryRoot root) const;
    bool Empty() const;
};

enum class PathKind { Folder, File };

struct FoundPath {
    std::string path;
    PathKind kind = PathKind::Folder;
    // A folder of the system or of a user profile that the purge must leave alone.
    bool isProtected = false;
    bool operator==(const FoundPath&) const = default;
};

struct FoundData {
    RegistryFindings registry;
    std::vector<FoundPath> paths;

    bool Empty() const { return registry.Empty() && paths.empty(); }
};
