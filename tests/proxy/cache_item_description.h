#pragma once

#include "nsinterfaces.h"

#include <string>

// Everything a record holds on one line, so that what was sent and what arrived compare as
// text, e.g.
//   Name="Disc" OriginalName=null ... ItemType=3 HasSubFolders=1 IconIndex=-7 shared=Name+Comment
// "shared" names the string fields that point to one and the same string (absent when none do).
std::wstring DescribeCacheItem(const CacheItemStruct& item);

// A string parameter as the journals show it: quoted, or null.
std::wstring QuoteOrNull(const WCHAR* text);
