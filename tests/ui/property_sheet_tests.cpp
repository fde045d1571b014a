#include "logged_session.h"
#include "ui_kit_test_ids.h"

#include "ui/property_sheet.h"

#include "support/dialog_driver.h"
#include "support/modal_dialog_run.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>

namespace {

// Button ids of the property-sheet manager.
constexpr int kApplyButton = 0x3021;
constexpr int kBackButton = 0x3023;
constexpr int kFinishButton = 0x3025;

// What the pages of one test did; the pages themselves are gone when the sheet returns.
struct PageRecord {
    std::atomic<int> released{0};
    std::atomic<int> applied{0};
    std::atomic<int> refusedToLeave{0};
    std::atomic<int> finished{0};
    std::atomic<bool> failed{false};
    std::atomic<int> handledAfterFailure{0};
};

class RecordedPage : public PropertyPage {
public:
    RecordedPage(UINT templateId, PageRecord& record, DWORD wizardButtons = 0)
        : PropertyPage(templateId), record_(record), wizardButtons_(wizardButtons)
    {
    }
    ~RecordedPage() override { ++record_.released; }

protected:
    bool OnSetActive() override
    {
        if (wizardButtons_ != 0)
            SetWizardButtons(wizardButtons_);
        return true;
    }
    bool OnApply() override
    {
        ++record_.applied;
        return true;
    }

    PageRecord& record_;

private:
    DWORD wizardButtons_;
};

// Holds the user until a number is typed.
class NumberPage final : public RecordedPage {
public:
    using RecordedPage::RecordedPage;

protected:
    bool OnKillActive() override
    {
        char text[32] = {};
        ::GetDlgItemTextA(Window(), IDC_PAGE_NUMBER, text, sizeof text);
        if (text[0] >= '0' && text[0] <= '9')
            return true;
        ++record_.refusedToLeave;
        return false;
    }
};

// Marks itself changed when its option is clicked; Next only with the option set; its Fail
// button throws.
class OptionPage final : public RecordedPage {
public:
    using RecordedPage::RecordedPage;

protected:
    bool OnCommand(int id, int code, HWND) override
    {
        NoteIfAfterFailure();
        if (id == IDC_PAGE_OPTION && code == BN_CLICKED) {
            SetModified(true);
            return true;
        }
        if (id == IDC_PAGE_FAIL) {
            record_.failed = true;
            throw std::runtime_error("the page failed");
        }
        return false;
    }
    void OnReset() override { NoteIfAfterFailure(); }
    LRESULT OnWizardNext() override { return ::IsDlgButtonChecked(Window(), IDC_PAGE_OPTION) == BST_CHECKED ? 0 : -1; }

private:
    void NoteIfAfterFailure()
    {
        if (record_.failed.load())
            ++record_.handledAfterFailure;
    }
};

class LastPage final : public RecordedPage {
public:
    using RecordedPage::RecordedPage;

protected:
    bool OnWizardFinish() override
    {
        ++record_.finished;
        return true;
    }
};

HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

int CurrentTemplate(HWND sheet)
{
    char caption[64] = {};
    ::GetWindowTextA(CurrentPage(sheet), caption, sizeof caption);
    const std::string title = caption;
    if (title == "Number")
        return IDD_TEST_PAGE_NUMBER;
    if (title == "Option")
        return IDD_TEST_PAGE_OPTION;
    if (title == "Last")
        return IDD_TEST_PAGE_LAST;
    return 0;
}

void AddThreePages(PropertySheetDialog& sheet, PageRecord& record, bool wizard)
{
    sheet.AddPage(std::make_unique<NumberPage>(IDD_TEST_PAGE_NUMBER, record, wizard ? PSWIZB_NEXT : 0));
    sheet.AddPage(std::make_unique<OptionPage>(IDD_TEST_PAGE_OPTION, record, wizard ? PSWIZB_BACK | PSWIZB_NEXT : 0));
    sheet.AddPage(std::make_unique<LastPage>(IDD_TEST_PAGE_LAST, record, wizard ? PSWIZB_BACK | PSWIZB_FINISH : 0));
}

// Waits until the sheet shows the page (page changes and button states are posted).
bool WaitForPage(HWND sheet, int templateId)
{
    for (int round = 0; round < 200; ++round) {
        if (CurrentTemplate(sheet) == templateId)
            return true;
        ::Sleep(10);
    }
    return false;
}

void SelectTab(HWND sheet, int index) { ::SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0); }

TEST(PropertySheetTest, BadInputKeepsTheUserOnThePageAndEveryPageIsReleasedShownOrNot)
{
    PageRecord record;
    {
        PropertySheetDialog sheet("Kit sheet");
        AddThreePages(sheet, record, false);
        ModalDialogRun run([&] { return sheet.DoModal(nullptr); });
        HWND window = run.Window();
        ASSERT_TRUE(WaitForPage(window, IDD_TEST_PAGE_NUMBER));

        SelectTab(window, 1);
        EXPECT_EQ(IDD_TEST_PAGE_NUMBER, CurrentTemplate(window)) << "left a page with no number";
        EXPECT_EQ(1, record.refusedToLeave.load());

        TypeIntoItem(CurrentPage(window), IDC_PAGE_NUMBER, "12");
        SelectTab(window, 1);
        EXPECT_EQ(IDD_TEST_PAGE_OPTION, CurrentTemplate(window));

        CancelDialog(window);
        INT_PTR result = -2;
        ASSERT_TRUE(run.WaitForEnd(result));
        EXPECT_EQ(0, result) << "a cancelled sheet applied nothing";
    }
    EXPECT_EQ(0, record.applied.load());
    EXPECT_EQ(3, record.released.load()) << "the page never shown is released too";
}

TEST(PropertySheetTest, ApplyTakesOverTheChangesAndClearsTheChangedState)
{
    PageRecord record;
    PropertySheetDialog sheet("Kit sheet");
    AddThreePages(sheet, record, false);
    sheet.SetStartPage(1);
    ModalDialogRun run([&] { return sheet.DoModal(nullptr); });
    HWND window = run.Window();
    ASSERT_TRUE(WaitForPage(window, IDD_TEST_PAGE_OPTION));
    EXPECT_FALSE(IsItemEnabled(window, kApplyButton)) << "nothing to apply yet";

    ClickItem(CurrentPage(window), IDC_PAGE_OPTION);
    EXPECT_TRUE(IsItemEnabled(window, kApplyButton)) << "a changed page makes Apply available";

    ClickItem(window, kApplyButton);
    EXPECT_GE(record.applied.load(), 1);
    EXPECT_FALSE(IsItemEnabled(window, kApplyButton)) << "applied changes are no changes any more";

    ClickItem(window, IDOK);
    INT_PTR result = 0;
    ASSERT_TRUE(run.WaitForEnd(result));
    EXPECT_GT(result, 0) << "changes were applied";
    EXPECT_EQ(3, record.released.load());
}

TEST(PropertySheetTest, APageThatThrowsEndsTheSheetAsFailedAndIsLogged)
{
    LoggedSession session;
    PageRecord record;
    PropertySheetDialog sheet("Kit sheet");
    AddThreePages(sheet, record, false);
    sheet.SetStartPage(1);
    ModalDialogRun run([&] { return sheet.DoModal(nullptr); });
    HWND window = run.Window();
    ASSERT_TRUE(WaitForPage(window, IDD_TEST_PAGE_OPTION));
    ClickItem(CurrentPage(window), IDC_PAGE_FAIL);
    INT_PTR result = 0;
    ASSERT_TRUE(run.WaitForEnd(result)) << "the sheet did not end after its page failed";
    EXPECT_EQ(kDialogFailed, result);
    EXPECT_TRUE(sheet.Failed());
    EXPECT_EQ(0, record.handledAfterFailure.load()) << "a handler ran after the failure";
    EXPECT_EQ(0, record.applied.load());
    EXPECT_EQ(3, record.released.load());
    EXPECT_NE(std::string::npos,
              session.Log().find("PropertyPage::DialogProc() - dialog 201 - Exception caught: the page failed \n"))
        << session.Log();
}

TEST(PropertySheetTest, WizardButtonsFollowThePagesAndFinishEndsIt)
{
    PageRecord record;
    Wizard wizard("Kit wizard");
    AddThreePages(wizard, record, true);
    ModalDialogRun run([&] { return wizard.DoModal(nullptr); });
    HWND window = run.Window();
    ASSERT_TRUE(WaitForPage(window, IDD_TEST_PAGE_NUMBER));

    PressSheetButton(window, PSBTN_NEXT);
    EXPECT_EQ(IDD_TEST_PAGE_NUMBER, CurrentTemplate(window)) << "Next without a number";
    TypeIntoItem(CurrentPage(window), IDC_PAGE_NUMBER, "7");
    PressSheetButton(window, PSBTN_NEXT);
    ASSERT_TRUE(WaitForPage(window, IDD_TEST_PAGE_OPTION));

    PressSheetButton(window, PSBTN_NEXT);
    EXPECT_EQ(IDD_TEST_PAGE_OPTION, CurrentTemplate(window)) << "the page's own Next said stay";
    SetItemChecked(CurrentPage(window), IDC_PAGE_OPTION, true);
    PressSheetButton(window, PSBTN_NEXT);
    ASSERT_TRUE(WaitForPage(window, IDD_TEST_PAGE_LAST));
    for (int round = 0; round < 100 && !IsItemVisible(window, kFinishButton); ++round)
        ::Sleep(10);
    EXPECT_TRUE(IsItemVisible(window, kFinishButton) && IsItemEnabled(window, kFinishButton));
    EXPECT_TRUE(IsItemEnabled(window, kBackButton));

    PressSheetButton(window, PSBTN_BACK);
    ASSERT_TRUE(WaitForPage(window, IDD_TEST_PAGE_OPTION));
    PressSheetButton(window, PSBTN_NEXT);
    ASSERT_TRUE(WaitForPage(window, IDD_TEST_PAGE_LAST));
    PressSheetButton(window, PSBTN_FINISH);

    INT_PTR result = 0;
    ASSERT_TRUE(run.WaitForEnd(result));
    EXPECT_NE(0, result) << "a finished wizard";
    EXPECT_EQ(1, record.finished.load());
    EXPECT_EQ(3, record.released.load());
}

} // namespace
