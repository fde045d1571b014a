#pragma once

#include "item/item.h"
#include "ui/property_sheet.h"
#include "ui/ui_handles.h"

#include <vector>

// The General page of several selected items, to look at: how many they are, their type when
// they share one ("Multiple Types" otherwise) and their server when they share one ("Multiple
// Servers" otherwise). Items on no server, such as folders, do not count for the server.
class MultiSelGeneralPage : public PropertyPage {
public:
    explicit MultiSelGeneralPage(std::vector<CacheItem> items);

    // What the page says of the items.
    struct Summary {
        ListItemType commonType = MultipleSelection;
        std::string type;
        std::string server;
    };
    static Summary Summarize(const std::vector<CacheItem>& items);

protected:
    bool OnInitDialog() override;

private:
    std::vector<CacheItem> items_;
    ScopedIcon icon_;
};
