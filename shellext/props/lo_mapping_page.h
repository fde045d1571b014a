#pragma once

#include "item_mapping_page.h"

class LOPropertySheet;

// The AutoMapping page of a launch object: the mapping of a disc's page, the target file's path
// as its own row, and what becomes of the mappings when the started program ends.
class LOMappingPage : public ItemMappingPage {
public:
    explicit LOMappingPage(LOPropertySheet& sheet);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnSetActive() override;
    bool OnWizardFinish() override;

private:
    LOPropertySheet& sheet_;
};
