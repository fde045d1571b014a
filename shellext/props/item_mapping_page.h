#pragma once

#include "mapping/map_dialog_launch.h"
#include "mapping_rows.h"
#include "ui/property_sheet.h"

#include <vector>

class MappingPageHost;

// The AutoMapping page of a disc, an AutoMap folder or a launch object: no mapping, a free letter
// or the existing mapping, always one letter, or (not a folder) several paths each on a letter of
// its own, the item itself as the first row ("This Disc", or the target file's path). Inside an
// AutoMap folder the folder's settings apply and every control is disabled.
class ItemMappingPage : public PropertyPage {
public:
    explicit ItemMappingPage(MappingPageHost& sheet);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    bool OnApply() override;

    MappingPageHost& Host() { return sheet_; }

private:
    bool OffersMultiple() const;
    bool ForLaunchObject() const;
    void AddColumns();
    void ShowRows();
    int SelectedRow() const;
    void EnableControls();
    // Add (row -1) or Edit a row in the Map Disc dialog.
    void EditRow(int row);
    void RemoveRow(int row);
    // The page's choices into the sheet's copy of the item.
    void Store();

    MappingPageHost& sheet_;
    std::vector<MappingRow> rows_;
    bool rowsEdited_ = false;
    bool loading_ = false;
};
