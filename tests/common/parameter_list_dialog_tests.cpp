#include "launch/lo_parameter_list_dlg.h"

#include "res/dialog_ids.h"

#include "support/dialog_driver.h"
#include "support/modal_dialog_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Entries without a colon, or with nothing before it, have no description and are not shown;
// a value keeps every colon after the first.
constexpr char kLanguages[] = "English:-en|NoColon|French:-fr|:orphan|Data:D:\\data|German:-de";

struct ListAnswer {
    INT_PTR result = 0;
    std::vector<std::string> values;
};

// Runs the real dialog; drive() gets its window and ends it.
template <class Drive>
ListAnswer RunList(const std::string& items, int multiple, Drive drive)
{
    ListAnswer answer;
    LOParameterListDlg dialog(nullptr, "Language", "Choose the languages to install", items, multiple);
    {
        ModalDialogRun run([&] { return dialog.DoModal(); });
        drive(run.Window());
        EXPECT_TRUE(run.WaitForEnd(answer.result));
    }
    dialog.GetSelectedParameter(answer.values);
    return answer;
}

HWND List(HWND dialog) { return ::GetDlgItem(dialog, IDC_PARAMETER_LIST_LIST); }

std::vector<std::string> ShownEntries(HWND dialog)
{
    std::vector<std::string> entries;
    const LRESULT count = ::SendMessageA(List(dialog), LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[256] = {};
        ::SendMessageA(List(dialog), LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        entries.push_back(text);
    }
    return entries;
}

void Select(HWND dialog, int index) { ::SendMessageA(List(dialog), LB_SETSEL, TRUE, index); }

TEST(ParameterListDialogTest, AMultipleChoiceListReturnsTheChosenValuesInListOrder)
{
    const ListAnswer answer = RunList(kLanguages, 1, [](HWND dialog) {
        EXPECT_EQ("Language", WindowText(dialog));
        EXPECT_EQ("Choose the languages to install", ItemText(dialog, IDC_PARAMETER_LIST_TEXT));
        EXPECT_NE(0, ::GetWindowLongPtrA(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW);
        EXPECT_NE(0, ::GetWindowLongPtrA(List(dialog), GWL_STYLE) & LBS_EXTENDEDSEL);
        EXPECT_EQ((std::vector<std::string>{"English", "French", "Data", "German"}), ShownEntries(dialog));
        // Chosen out of order: the answer still follows the list.
        Select(dialog, 3);
        Select(dialog, 0);
        Select(dialog, 2);
        ClickItem(dialog, IDOK);
    });
    EXPECT_EQ(IDOK, answer.result);
    EXPECT_EQ((std::vector<std::string>{"-en", "D:\\data", "-de"}), answer.values);
}

TEST(ParameterListDialogTest, ASingleChoiceListTakesADoubleClickForOK)
{
    const ListAnswer answer = RunList(kLanguages, 0, [](HWND dialog) {
        EXPECT_EQ(0, ::GetWindowLongPtrA(List(dialog), GWL_STYLE) & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL));
        ::SendMessageA(List(dialog), LB_SETCURSEL, 1, 0);
        NotifyCommand(dialog, IDC_PARAMETER_LIST_LIST, LBN_DBLCLK);
    });
    EXPECT_EQ(IDOK, answer.result);
    EXPECT_EQ((std::vector<std::string>{"-fr"}), answer.values);
}

TEST(ParameterListDialogTest, CancelReturnsNoParameters)
{
    const ListAnswer cancelled = RunList(kLanguages, 1, [](HWND dialog) {
        Select(dialog, 0);
        CancelDialog(dialog);
    });
    EXPECT_EQ(IDCANCEL, cancelled.result);
    EXPECT_TRUE(cancelled.values.empty());

    // A list none of whose entries has a colon offers nothing, and OK then returns nothing.
    const ListAnswer empty = RunList("alpha|beta", 1, [](HWND dialog) {
        EXPECT_TRUE(ShownEntries(dialog).empty());
        ClickItem(dialog, IDOK);
    });
    EXPECT_EQ(IDOK, empty.result);
    EXPECT_TRUE(empty.values.empty());
}

} // namespace
