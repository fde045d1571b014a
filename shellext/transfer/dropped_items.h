#pragma once

#include "transfer/item_list_codec.h"

#include <ole2.h>

#include <optional>

// The namespace items a data object carries, read from the item list of its namespace format.
// Any program may hand us a data object, so none (with one log line saying why) when it offers
// no namespace format, the list cannot be read, or the list is damaged anywhere.
std::optional<TransferItemList> ReadDroppedItems(IDataObject& data);

// True when the data object lists one of the namespace's formats.
bool OffersNamespaceFormat(IDataObject& data);
