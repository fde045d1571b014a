#pragma once

#include "item/item.h"

#include <windows.h>

#include <array>

// The clipboard formats of the namespace, one per item type that can travel plus one for
// several items at once. Each format's data is an item list (transfer/item_list_codec.h). The
// formats are registered with the system the first time any list is made in the process.
class NSFormatList {
public:
    // Item types run from 0 to 20; the table has a slot for each.
    static constexpr int kSlots = 21;

    NSFormatList();

    // The format of items of that type; 0 for a type that has none.
    CLIPFORMAT ItemTypeToDataFormat(int type) const;
    // The item type a format stands for (MultipleSelection for the several-items format); false,
    // and logged, for a format that is not one of the namespace's.
    bool DataFormatToItemType(CLIPFORMAT format, ListItemType& type) const;
    bool IsMultipleSelectionFormat(CLIPFORMAT format) const;
    // True for every format of the table, the several-items format included.
    bool IsNamespaceFormat(CLIPFORMAT format) const;

private:
    const std::array<CLIPFORMAT, kSlots>& formats_;
};
