#pragma once

#include "cache/cache.h"
#include "registry/registry.h"

#include "support/branding_loaded.h"
#include "support/cache_tree.h"
#include "support/registry_sandbox.h"
#include "support/temp_directory.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

// A user with a cache tree (root, a user folder, the all-discs folder) and an installation
// folder for the database file, in a sandboxed registry.
class CacheFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(branding.IsLoaded());
        RegKey::LOCAL_MACHINE.CreateKey(kProductKey).SetStringValue("Program Path", folder.Path());
        MakeFolder("", "Network Storage", RootFolder);
        MakeFolder("Work", "Work", UserFolder);
        MakeFolder("All Discs", "All Discs", SystemFolder);
    }

    void SetKind(DWORD kind) { RegKey::LOCAL_MACHINE.CreateKey(kProductKey).SetDWORDValue("Installed Version", kind); }

    static CacheItem Folder(const std::string& name, ListItemType type = UserFolder)
    {
        CacheItem item;
        item.Name = item.OriginalName = name;
        item.ItemType = type;
        return item;
    }

    static CacheItem Disc(const std::string& server, const std::string& name, ListItemType type = CdRomDisc)
    {
        CacheItem disc;
        disc.Name = disc.OriginalName = name;
        disc.Location = server;
        disc.ItemType = type;
        disc.Type = type == CdRomDisc ? "CD/DVD" : "Jaz Disk";
        return disc;
    }

    static std::multiset<std::string> NamesIn(Cache& cache)
    {
        std::multiset<std::string> names;
        for (CacheIterator it = cache.Begin(); it != cache.End(); ++it)
            names.insert((*it)->Name);
        return names;
    }

    std::multiset<std::string> NamesIn(const std::string& path, CacheStatus mode = CacheReadFolder)
    {
        Cache cache(mode, path);
        return NamesIn(cache);
    }

    // One server update as the search module runs it.
    std::vector<CacheItem> UpdateServer(const std::string& server, const std::vector<CacheItem>& discs)
    {
        Cache update(CacheServerUpdate, "");
        EXPECT_TRUE(update.StartingWithNewServer(server));
        for (const CacheItem& disc : discs)
            EXPECT_TRUE(update.AddServerMedia(disc));
        std::vector<CacheItem> removed;
        update.DoneWithServer(server, removed);
        return removed;
    }

    RegistrySandbox sandbox;
    BrandingLoaded branding;
    TempDirectory folder;
};
