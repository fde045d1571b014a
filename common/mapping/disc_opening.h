#pragma once

#include "basalt_api.h"
#include "item/item.h"

#include <optional>
#include <string>

// The network path of a disc: its server and share ("\\SERVER\SHARE").
BASALT_API std::string DiscNetworkPath(const CacheItem& disc);

// Where opening a disc goes once its automatic mapping ran: the root of the drive that serves
// it ("F:\") or its network path. settings: the item whose AutoMapping settings apply (the disc
// itself, or the AutoMap folder that holds it). nullopt when the user gave up after a failed
// mapping; the mappings made for it are undone then.
BASALT_API std::optional<std::string> MapDiscForOpening(const CacheItem& disc, const CacheItem& settings);

// Opens a disc in Explorer (explore: with the folder tree) after its automatic mapping; false
// when nothing was opened.
BASALT_API bool OpenDiscMapped(const CacheItem& disc, const CacheItem& settings, bool explore);
