#pragma once

#include "item/item.h"
#include "mapping_page_host.h"
#include "ui/property_sheet.h"

#include <optional>
#include <string>

class LOGeneralPage;

enum class LOSheetPurpose {
    // A stored launch object: a property sheet whose OK or Apply stores what was changed.
    Edit,
    // A launch object to make: a wizard whose Finish makes it through the search module.
    Create,
};

// The sheet of a launch object: General, AutoMapping and Actions. The pages edit one copy of the
// item; the sheet commits it (IsLaunchObjectOK) on OK, Apply or Finish. A commit that is refused
// or fails tells the user why and keeps the sheet open, on the General page when the name is
// what has to change.
class LOPropertySheet : public PropertySheetDialog, public MappingPageHost {
public:
    // item.FolderPath names the folder that holds (or is to hold) it.
    LOPropertySheet(const CacheItem& item, LOSheetPurpose purpose);

    bool Apply(const PropertyPage& page) override;
    CacheItem& Edited() override { return edited_; }
    const CacheItem& Stored() const override { return stored_; }
    bool InsideAutoMapFolder() const override { return insideAutoMapFolder_; }
    bool IsWizard() const { return purpose_ == LOSheetPurpose::Create; }
    // Whether the wizard made the launch object (it may have, and still be open to store the
    // rest of its data).
    bool Created() const { return created_; }

    // A page is shown: the wizard's buttons follow its place.
    void PageShown(int index);
    // The reason the name cannot be given (the user is told nothing yet), none when it can;
    // name comes back without the blanks around it.
    std::optional<std::string> NameRefusal(std::string& name) const;
    // Shows a refusal of the name and brings the user to the name field.
    void ShowNameRefusal(const std::string& text);

    // Commits the edits; false (the user was told why) keeps the sheet open.
    bool IsLaunchObjectOK();

    void SetGeneralPage(LOGeneralPage& page) { generalPage_ = &page; }

private:
    bool Create(HWND owner);
    bool Update(HWND owner);
    // The answer of the search module to a create or update, told to the user; true for S_OK.
    bool Accepted(HRESULT result, HWND owner);
    bool SaveLaunchData(HWND owner);

    CacheItem stored_;
    CacheItem edited_;
    const LOSheetPurpose purpose_;
    LOGeneralPage* generalPage_ = nullptr;
    bool insideAutoMapFolder_ = false;
    bool created_ = false;
};
