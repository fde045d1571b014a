#pragma once

// The user folders of disc shortcuts that the benchmarks of folder trees work on, and their
// baseline: the root and each of its folders read with the cache alone.

#include "cache/cache.h"
#include "registry/registry.h"

#include "support/branding_loaded.h"
#include "support/cache_tree.h"
#include "support/registry_sandbox.h"
#include "support/temp_directory.h"

#include <functional>
#include <string>
#include <vector>

// What a benchmark of folder trees stands on: a registry of its own, the branding library, and
// an installation whose program folder is a scratch folder.
struct BenchInstallation {
    RegistrySandbox sandbox;
    BrandingLoaded branding;
    TempDirectory folder;
    BenchInstallation() { RegKey::LOCAL_MACHINE.CreateKey(kProductKey).SetStringValue("Program Path", folder.Path()); }
};

// A disc shortcut as the cache stores it, written straight to the registry under key in the
// folder: the benchmarks measure reading, not the edits of the search module.
inline void WriteDiscShortcut(const std::string& folder, const std::string& key, const std::string& name, int disc)
{
    const bool jaz = disc % 7 == 0;
    RegKey shortcut = CacheKey(folder + "\\" + key);
    shortcut.SetStringValue("Name", name);
    shortcut.SetStringValue("OriginalName", name);
    shortcut.SetDWORDValue("ItemType", jaz ? JazDisc : CdRomDisc);
    shortcut.SetStringValue("Location", "\\\\SERVER" + std::to_string(disc % 20));
    shortcut.SetStringValue("Type", jaz ? "Jaz Disk" : "CD/DVD");
}

inline std::string BenchFolderName(int folder) { return "Folder " + std::to_string(folder); }

// The root with folders user folders of discsPerFolder shortcuts each, named by nameOf.
inline void FillFolders(int folders, int discsPerFolder, const std::function<std::string(int folder, int disc)>& nameOf)
{
    MakeFolder("", "Network Storage", RootFolder);
    for (int f = 0; f < folders; ++f) {
        MakeFolder(BenchFolderName(f), BenchFolderName(f), UserFolder);
        for (int d = 0; d < discsPerFolder; ++d)
            WriteDiscShortcut(BenchFolderName(f), "D" + std::to_string(f) + "_" + std::to_string(d), nameOf(f, d), d);
    }
}

// The root and each of its folders read with the cache alone, every item copied once.
inline void ReadRootAndItsFolders()
{
    std::vector<CacheItem> read;
    Cache root(CacheReadFolder, "");
    for (CacheIterator it = root.Begin(); it != root.End(); ++it) {
        read.push_back(**it);
        Cache inside(CacheReadFolder, (*it)->Name);
        for (CacheIterator disc = inside.Begin(); disc != inside.End(); ++disc)
            read.push_back(**disc);
    }
}
