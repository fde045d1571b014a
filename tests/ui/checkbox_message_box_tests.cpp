#include "ui/checkbox_message_box.h"

#include "res/dialog_ids.h"

#include "support/branding_loaded.h"
#include "support/dialog_driver.h"
#include "support/modal_dialog_run.h"
#include "support/prompt_recorder.h"

#include <gtest/gtest.h>

namespace {

struct BoxAnswer {
    int button = 0;
    bool checked = false;
};

// Shows the real box with the given initial state, clicks the check box `clicks` times, ends
// it with `press` (a button id, or IDCANCEL for the close box) and reports what came back.
BoxAnswer Answer(bool initiallyChecked, int clicks, int press)
{
    BoxAnswer answer;
    answer.checked = initiallyChecked;
    ModalDialogRun run([&] {
        answer.button = CheckboxMessageBox::DoModal(nullptr, "Replace the mapping of F:?", "Halvo",
                                                    "Do not ask again", MB_YESNO, answer.checked);
        return static_cast<INT_PTR>(answer.button);
    });
    HWND box = run.Window();
    for (int i = 0; i < clicks; ++i)
        ClickItem(box, IDC_CHECKBOX_BOX_CHECK);
    if (press == IDCANCEL)
        CancelDialog(box);
    else
        ClickItem(box, press);
    INT_PTR ignored = 0;
    EXPECT_TRUE(run.WaitForEnd(ignored));
    return answer;
}

TEST(CheckboxMessageBoxTest, ShowsTheQuestionWithYesNoTheCheckBoxAndTheExclamationIcon)
{
    bool checked = true;
    ModalDialogRun run([&] {
        return static_cast<INT_PTR>(
            CheckboxMessageBox::DoModal(nullptr, "Replace the mapping of F:?", "Halvo", "Do not ask again", MB_YESNO, checked));
    });
    HWND box = run.Window();
    EXPECT_EQ("Halvo", WindowText(box));
    EXPECT_EQ("Replace the mapping of F:?", ItemText(box, IDC_CHECKBOX_BOX_TEXT));
    EXPECT_EQ("Do not ask again", ItemText(box, IDC_CHECKBOX_BOX_CHECK));
    EXPECT_TRUE(IsItemChecked(box, IDC_CHECKBOX_BOX_CHECK)) << "the initial state";
    EXPECT_EQ("&Yes", ItemText(box, IDC_CHECKBOX_BOX_YES));
    EXPECT_EQ("&No", ItemText(box, IDC_CHECKBOX_BOX_NO));
    EXPECT_TRUE(IsItemVisible(box, IDC_CHECKBOX_BOX_YES));
    EXPECT_TRUE(IsItemVisible(box, IDC_CHECKBOX_BOX_NO));
    EXPECT_FALSE(IsItemVisible(box, IDC_CHECKBOX_BOX_THIRD));
    EXPECT_NE(0, ::SendDlgItemMessageA(box, IDC_CHECKBOX_BOX_ICON, STM_GETICON, 0, 0));
    EXPECT_NE(0, ::GetWindowLongPtrA(box, GWL_EXSTYLE) & WS_EX_APPWINDOW);
}

TEST(CheckboxMessageBoxTest, TheCheckStateComesBackWhicheverWayTheBoxEnds)
{
    const BoxAnswer yes = Answer(false, 1, IDC_CHECKBOX_BOX_YES);
    EXPECT_EQ(IDYES, yes.button);
    EXPECT_TRUE(yes.checked);

    const BoxAnswer no = Answer(false, 1, IDC_CHECKBOX_BOX_NO);
    EXPECT_EQ(IDNO, no.button);
    EXPECT_TRUE(no.checked) << "the state after No as well";

    const BoxAnswer closed = Answer(true, 1, IDCANCEL);
    EXPECT_EQ(IDNO, closed.button) << "closing the box is No";
    EXPECT_FALSE(closed.checked);

    const BoxAnswer untouched = Answer(true, 0, IDC_CHECKBOX_BOX_NO);
    EXPECT_TRUE(untouched.checked);
}

TEST(CheckboxMessageBoxTest, GoesThroughThePromptSeamLikeEveryMessageBox)
{
    PromptRecorder prompts(IDYES, true);
    bool checked = false;
    EXPECT_EQ(IDYES, CheckboxMessageBox::DoModal(nullptr, "Question", "Caption", "Do not ask again",
                                                 MB_YESNO | MB_ICONQUESTION, checked));
    EXPECT_TRUE(checked);
    ASSERT_EQ(1u, prompts.Prompts().size());
    const PromptRequest& asked = prompts.Prompts().front();
    EXPECT_EQ("Question", asked.text);
    EXPECT_EQ("Caption", asked.caption);
    EXPECT_EQ("Do not ask again", asked.checkBoxText);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), asked.style);
    EXPECT_FALSE(asked.checked) << "the initial state is what the seam is asked with";

    // A handler answering anything but Yes is No.
    PromptRecorder cancelled(IDCANCEL);
    EXPECT_EQ(IDNO, CheckboxMessageBox::DoModal(nullptr, "Question", "Caption", "Check", MB_YESNO, checked));
}

} // namespace
