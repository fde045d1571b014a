#pragma once

#include "item/item.h"
#include "mapping_page_host.h"
#include "ui/property_sheet.h"

#include <vector>

// What the sheet is shown for.
enum class ItemSheetPurpose {
    // A stored item: its pages, and OK stores what was changed.
    Edit,
    // An item about to be made: its AutoMapping page only; OK stores nothing, the maker stores
    // the item with the settings chosen (Edited) once it has made it.
    NewItemSettings,
};

// The property sheet of a disc or a folder: its General page and, for what maps a disc, its
// AutoMapping page. The pages edit one copy of the item; OK or Apply commits it (IsItemOK):
// names and comments through the search module, which tells every open view, the mapping and
// public-folder settings to the item's key in the cache. A commit that fails tells the user and
// keeps the sheet open, so that nothing is lost without a word.
class ItemPropertySheet : public PropertySheetDialog, public MappingPageHost {
public:
    // item.FolderPath names the folder that holds it.
    explicit ItemPropertySheet(const CacheItem& item, ItemSheetPurpose purpose = ItemSheetPurpose::Edit);
    // Several items: what they have in common, to look at.
    explicit ItemPropertySheet(const std::vector<CacheItem>& items);

    // A page's Apply: the first page commits the sheet for all of them.
    bool Apply(const PropertyPage& page) override;
    // Whether OK or Apply committed the sheet (a sheet closed with OK and no change did too).
    bool Committed() const { return committed_; }

    // The item as the pages have edited it.
    CacheItem& Edited() override { return edited_; }
    const CacheItem& Stored() const override { return stored_; }
    bool InsideAutoMapFolder() const override { return insideAutoMapFolder_; }
    // Inside a system folder the item is shown, not edited.
    bool IsReadOnly() const { return readOnly_; }
    // The administrator may make a folder of the namespace root public.
    bool OffersPublicFolder() const;

    // Commits the edits; false (the user was told why) keeps the sheet open.
    bool IsItemOK();

private:
    // The name, comment and icon through the search module; false (the user was told) when
    // they were not stored.
    bool UpdateThroughSearchModule(HWND owner);
    // Hands the item's record to the search module, which stores it and tells every view; the
    // answer (logged when it is not S_OK).
    HRESULT SendUpdate(const CacheItem& item) const;
    // The published folder's export follows the change of its public flag.
    bool UpdatePublication(bool publicChanged, bool renamed);
    void ShowNotSaved(HWND owner) const;

    CacheItem stored_;
    CacheItem edited_;
    const ItemSheetPurpose purpose_;
    const PropertyPage* firstPage_ = nullptr;
    bool insideAutoMapFolder_ = false;
    bool readOnly_ = false;
    bool committed_ = false;
};
