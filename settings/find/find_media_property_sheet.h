#pragma once

#include "dialwise_dialog.h"
#include "find_search.h"

#include <windows.h>

#include <memory>

// The criteria's one page, "Name && Location": the name pattern, the namespace folder to look
// in and whether its sub-folders count.
class FindMediaNamePage final : public DialwiseDialog {
public:
    FindMediaNamePage();

    FindRequest Criteria() const;
    // Back to an empty search of the whole namespace with its sub-folders.
    void Reset();
    void Enable(bool enabled);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    // A page inside the dialog: Enter and Escape belong to the dialog around it.
    void OnOK() override {}
    void OnCancel() override {}

private:
    void OnBrowse();
};

// The criteria of the Find dialog: a tab control holding its page.
class FindMediaPropertySheet {
public:
    // Puts the page into the dialog's tab control (control tabsId).
    FindMediaPropertySheet(HWND dialog, int tabsId);
    ~FindMediaPropertySheet();
    FindMediaPropertySheet(const FindMediaPropertySheet&) = delete;
    FindMediaPropertySheet& operator=(const FindMediaPropertySheet&) = delete;

    FindMediaNamePage& NamePage() { return *page_; }

private:
    std::unique_ptr<FindMediaNamePage> page_;
};
