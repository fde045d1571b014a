// Adds the same discs and some folders of its own to one folder of the cache, as fast as it
// can; run twice at once by the cache tests to check that edits of two processes do not mix.
// Usage: cache_race_worker <worker id> <count>
#include "cache/cache.h"
#include "resources/resources.h"

#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    const std::string worker = argv[1];
    const int count = std::atoi(argv[2]);
    g_hBrandingInstance = ::LoadLibraryExA("Skinset.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!g_hBrandingInstance)
        return 3;
    int failures = 0;
    for (int i = 0; i < count; ++i) {
        CacheItem disc;
        disc.Name = disc.OriginalName = "D" + std::to_string(i);
        disc.Location = "\\\\RACE";
        disc.ItemType = CdRomDisc;
        CacheItem folder;
        folder.Name = folder.OriginalName = "W" + worker + "-" + std::to_string(i);
        folder.ItemType = UserFolder;
        Cache edit(CacheEdit, "Race");
        if (!edit.AddItem(disc) || !edit.AddItem(folder))
            ++failures;
    }
    return failures == 0 ? 0 : 1;
}
