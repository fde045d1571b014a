#pragma once

#include "check_list.h"
#include "network_setup.h"
#include "wizard_page.h"

// The pages of the first network set-up wizard. Each shows the answers it asks for and stores
// them when the user leaves it.

// Welcome; a computer with no network the suite can search can only end the wizard here.
class NetSetupStartPage final : public WizardPage {
public:
    explicit NetSetupStartPage(unsigned short supportedNetworks);

protected:
    DWORD Buttons() const override { return supportedNetworks_ ? PSWIZB_NEXT : PSWIZB_FINISH; }

private:
    unsigned short supportedNetworks_;
};

// The networks to search; without the Microsoft Windows Network there is no scope to ask for.
class NetSetupSelectNetworkPage final : public WizardPage {
public:
    NetSetupSelectNetworkPage(NetworkSetupAnswers& answers, unsigned short supportedNetworks);

protected:
    DWORD Buttons() const override { return PSWIZB_BACK | PSWIZB_NEXT; }
    bool OnInitDialog() override;
    bool OnKillActive() override;
    LRESULT OnWizardNext() override;

private:
    NetworkSetupAnswers& answers_;
    unsigned short supportedNetworks_;
};

// Which domains of the Microsoft Windows Network are searched.
class NetSetupSMBScopePage final : public WizardPage {
public:
    explicit NetSetupSMBScopePage(NetworkSetupAnswers& answers);

protected:
    DWORD Buttons() const override { return PSWIZB_BACK | PSWIZB_NEXT; }
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnKillActive() override;

private:
    void EnableList();

    NetworkSetupAnswers& answers_;
    CheckList domains_;
};

// A search at once and the tutorial (offered only when the product has one).
class NetSetupFinishPage final : public WizardPage {
public:
    NetSetupFinishPage(NetworkSetupAnswers& answers, bool tutorialOffered);

protected:
    DWORD Buttons() const override { return PSWIZB_BACK | PSWIZB_FINISH; }
    bool OnInitDialog() override;
    LRESULT OnWizardBack() override;
    bool OnWizardFinish() override;

private:
    NetworkSetupAnswers& answers_;
    bool tutorialOffered_;
};
