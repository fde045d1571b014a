#pragma once

#include "check_list.h"
#include "dialwise_dialog.h"
#include "network_choice.h"

// "Microsoft Windows Network Properties": every domain or only the ticked ones. The list holds
// the domains the network shows and the ones chosen before, even when the network does not show
// them now. OK changes the choice it was given.
class SmbPropertiesDialog final : public DialwiseDialog {
public:
    explicit SmbPropertiesDialog(DomainChoice& choice);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override;

private:
    void EnableList();

    DomainChoice& choice_;
    CheckList domains_;
};
