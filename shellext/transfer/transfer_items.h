#pragma once

#include "item/item.h"
#include "transfer/item_list_codec.h"

#include <string>
#include <vector>

// Items of the namespace as the item list carries them, and back.
TransferItem ToTransferItem(const CacheItem& item);
CacheItem ToCacheItem(const TransferItem& item);

TransferItemList ToTransferItemList(const std::string& sourceFolderPath, const std::vector<CacheItem>& items);
