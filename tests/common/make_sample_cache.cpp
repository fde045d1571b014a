// Writes a small disc database into the folder given on the command line, the way the search
// module does, so that the file can be checked with other tools.
// Usage: make_sample_cache <folder>
#include "cache/cache.h"
#include "registry/registry.h"

#include "support/branding_loaded.h"
#include "support/registry_sandbox.h"

#include <cstdio>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    RegistrySandbox sandbox;
    BrandingLoaded branding;
    if (!branding.IsLoaded())
        return 3;
    RegKey::LOCAL_MACHINE.CreateKey(kProductKey).SetStringValue("Program Path", argv[1]);
    // A user who has been set up: the search module only updates an existing cache.
    RegKey::CURRENT_USER.CreateKey(std::string(kProductKey) + "\\Cache").SetDWORDValue("ItemType", RootFolder);
    const char* servers[][3] = {{"\\\\TOWER1", "ATLAS", "MAPS"}, {"\\\\TOWER2", "MUSIC", nullptr}};
    for (const auto& server : servers) {
        Cache update(CacheServerUpdate, "");
        if (!update.StartingWithNewServer(server[0]))
            return 4;
        for (int i = 1; i < 3 && server[i]; ++i) {
            CacheItem disc;
            disc.Name = disc.OriginalName = server[i];
            disc.Location = server[0];
            disc.ItemType = CdRomDisc;
            disc.Type = "CD/DVD";
            update.AddServerMedia(disc);
        }
        std::vector<CacheItem> removed;
        update.DoneWithServer(server[0], removed);
    }
    std::printf("%s\n", Cache(CacheServerUpdate, "").GetCacheFileName().c_str());
    return 0;
}
