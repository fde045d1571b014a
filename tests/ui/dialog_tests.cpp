#include "logged_session.h"
#include "ui_kit_test_ids.h"

#include "resources/resources.h"
#include "ui/dialog.h"
#include "ui/resource_module.h"

#include "support/dialog_driver.h"
#include "support/modal_dialog_run.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>

namespace {

// A dialog with an edit field whose text OK takes over, and a button whose handler throws.
class TestDialog : public Dialog {
public:
    explicit TestDialog(bool failWhileInitialising = false)
        : Dialog(IDD_TEST_DIALOG), failWhileInitialising_(failWhileInitialising)
    {
    }

    std::string accepted;
    std::atomic<bool> threw{false};
    std::atomic<int> commandsAfterFailure{0};
    std::atomic<bool> destroyed{false};

protected:
    bool OnInitDialog() override
    {
        if (failWhileInitialising_)
            throw std::runtime_error("no data for the dialog");
        ::SetDlgItemTextA(Window(), IDC_TEST_EDIT, "initial");
        return true;
    }
    bool OnCommand(int id, int code, HWND control) override
    {
        if (threw)
            ++commandsAfterFailure;
        if (id == IDC_TEST_FAIL) {
            threw = true;
            throw std::runtime_error("the handler failed");
        }
        return Dialog::OnCommand(id, code, control);
    }
    void OnOK() override
    {
        accepted = ItemTextOf(IDC_TEST_EDIT);
        End(IDOK);
    }
    void OnDestroy() override { destroyed = true; }

private:
    std::string ItemTextOf(int id) const
    {
        char text[256] = {};
        ::GetDlgItemTextA(Window(), id, text, sizeof text);
        return text;
    }

    bool failWhileInitialising_;
};

TEST(DialogTest, ModalDialogReturnsHowItEndedAndItsHandlersWorkOnTheControls)
{
    TestDialog dialog;
    {
        ModalDialogRun run([&] { return dialog.DoModal(nullptr); });
        EXPECT_EQ(dialog.Window(), run.Window());
        EXPECT_EQ("initial", ItemText(run.Window(), IDC_TEST_EDIT));
        TypeIntoItem(run.Window(), IDC_TEST_EDIT, "typed");
        ClickItem(run.Window(), IDOK);
        INT_PTR result = 0;
        ASSERT_TRUE(run.WaitForEnd(result));
        EXPECT_EQ(IDOK, result);
    }
    EXPECT_EQ("typed", dialog.accepted);
    EXPECT_TRUE(dialog.destroyed);
    EXPECT_EQ(nullptr, dialog.Window());

    // The same object shows again; Cancel takes nothing over.
    dialog.accepted.clear();
    ModalDialogRun again([&] { return dialog.DoModal(nullptr); });
    ClickItem(again.Window(), IDCANCEL);
    INT_PTR result = 0;
    ASSERT_TRUE(again.WaitForEnd(result));
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ("", dialog.accepted);
}

TEST(DialogTest, AHandlerThatThrowsEndsTheDialogCleanlyAndIsLogged)
{
    LoggedSession session;
    TestDialog dialog;
    ModalDialogRun run([&] { return dialog.DoModal(nullptr); });
    HWND window = run.Window();
    ClickItem(window, IDC_TEST_FAIL);
    INT_PTR result = 0;
    ASSERT_TRUE(run.WaitForEnd(result)) << "the dialog did not end after its handler failed";
    EXPECT_EQ(kDialogFailed, result);
    EXPECT_TRUE(dialog.Failed());
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_TRUE(dialog.threw);
    EXPECT_EQ(0, dialog.commandsAfterFailure.load()) << "no handler runs after the failure";
    EXPECT_NE(std::string::npos,
              session.Log().find("Dialog::DialogProc() - dialog 100 - Exception caught: the handler failed \n"))
        << session.Log();
}

TEST(DialogTest, AFailureWhileInitialisingShowsNothingAndEndsAsFailed)
{
    LoggedSession session;
    TestDialog dialog(true);
    EXPECT_EQ(kDialogFailed, dialog.DoModal(nullptr));
    EXPECT_TRUE(dialog.Failed());
    EXPECT_EQ(nullptr, dialog.Window());
    EXPECT_NE(std::string::npos, session.Log().find("Exception caught: no data for the dialog"));

    TestDialog modeless(true);
    EXPECT_FALSE(modeless.Create(nullptr));
    EXPECT_EQ(nullptr, modeless.Window());
}

TEST(DialogTest, ModelessDialogGoesWithEndWithItsOwnerObjectOrOnAFailure)
{
    {
        TestDialog dialog;
        ASSERT_TRUE(dialog.Create(nullptr));
        HWND window = dialog.Window();
        EXPECT_TRUE(::IsWindowVisible(window));
        dialog.End(IDOK);
        EXPECT_FALSE(::IsWindow(window));
        EXPECT_TRUE(dialog.destroyed);
    }
    HWND left = nullptr;
    {
        TestDialog dialog;
        ASSERT_TRUE(dialog.Create(nullptr));
        left = dialog.Window();
    }
    EXPECT_FALSE(::IsWindow(left)) << "the object took its window with it";

    TestDialog failing;
    ASSERT_TRUE(failing.Create(nullptr));
    HWND window = failing.Window();
    ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_TEST_FAIL, BN_CLICKED), 0);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_TRUE(failing.Failed());
}

TEST(DialogTest, TemplatesAreFoundInTheModuleMadeCurrentAndScopesNest)
{
    const HINSTANCE program = ::GetModuleHandleA(nullptr);
    EXPECT_EQ(program, CurrentResourceModule());
    {
        const ResourceModuleScope basalt(g_hBasaltInstance);
        EXPECT_EQ(g_hBasaltInstance, CurrentResourceModule());
        {
            const ResourceModuleScope own(program);
            EXPECT_EQ(program, CurrentResourceModule());
        }
        EXPECT_EQ(g_hBasaltInstance, CurrentResourceModule());
    }
    EXPECT_EQ(program, CurrentResourceModule());

    // Basalt's check-box box (1200) is not in this program: found only with Basalt current.
    Dialog elsewhere(1200);
    EXPECT_EQ(kDialogFailed, elsewhere.DoModal(nullptr));
    Dialog basaltBox(1200);
    ModalDialogRun run([&] {
        const ResourceModuleScope basalt(g_hBasaltInstance);
        return basaltBox.DoModal(nullptr);
    });
    CancelDialog(run.Window());
    INT_PTR result = 0;
    ASSERT_TRUE(run.WaitForEnd(result));
    EXPECT_EQ(IDCANCEL, result);

    // A dialog that names its module takes it along, whatever is current.
    Dialog named(1200, g_hBasaltInstance);
    ModalDialogRun namedRun([&] { return named.DoModal(nullptr); });
    CancelDialog(namedRun.Window());
    ASSERT_TRUE(namedRun.WaitForEnd(result));
    EXPECT_EQ(IDCANCEL, result);
}

} // namespace
