#pragma once

#include "network_setup.h"
#include "ui/property_sheet.h"

// The first network set-up wizard: which networks the search module searches and, for the
// Microsoft Windows Network, which domains; whether to search at once and open the tutorial.
// The answers stay readable after the wizard ended.
class NetSetupPropertySheet final : public Wizard {
public:
    NetSetupPropertySheet();

    const NetworkSetupAnswers& Answers() const { return answers_; }

private:
    NetworkSetupAnswers answers_;
    unsigned short supportedNetworks_ = 0;
};
