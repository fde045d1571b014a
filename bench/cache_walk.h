#pragma once

// The baseline of the benchmarks that show a tree of folders: the root and each of its
// folders read with the cache alone, every item copied once.

#include "cache/cache.h"

#include <vector>

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
