// A launch object made with the creation wizard, with the real search module behind it: the
// module makes it, an open view hears of it, and run by the module it starts its program after
// the message box the wizard gave it.

#include "com/com_apartment.h"
#include "launch_record.h"
#include "module_session.h"
#include "props/lo_property_sheet.h"
#include "props/props_ids.h"
#include "res/string_ids.h"
#include "resources/texts.h"

#include "base/module_path.h"
#include "support/cache_tree.h"
#include "support/dialog_driver.h"
#include "support/modal_dialog_run.h"
#include "support/temp_directory.h"

#include <gtest/gtest.h>

#include <future>

namespace {

using Microsoft::WRL::ComPtr;

constexpr char kGreetingTitle[] = "Before the viewer starts";

HWND CurrentWizardPage(HWND wizard)
{
    return reinterpret_cast<HWND>(::SendMessageA(wizard, PSM_GETCURRENTPAGEHWND, 0, 0));
}

DWORD ThreadOf(HWND window) { return ::GetWindowThreadProcessId(window, nullptr); }

class LaunchObjectWizardModuleTest : public ModuleTestSuite {
protected:
    void SetUp() override
    {
        MakeFolder("", "Network Storage", RootFolder);
        MakeFolder("Work", "Work", UserFolder);
    }

    std::string Record() const { return records_.File("wizard-record.txt"); }

    TempDirectory records_;
    TempDirectory startIn_;
};

TEST_F(LaunchObjectWizardModuleTest, AWizardMadeLaunchObjectIsListedAndRunsItsChainAndTarget)
{
    const ComApartment apartment;
    ComPtr<INotifyNSServer> module = CreateSearchModule();
    ASSERT_TRUE(module);
    RegisteredClient view(module.Get(), "Work");

    ModalDialogRun run([] {
        CacheItem made;
        made.Name = made.OriginalName = CommonText(IDS_TYPE_LAUNCH_OBJECT);
        made.ItemType = LaunchObject;
        made.FolderPath = "Work";
        LOPropertySheet wizard(made, LOSheetPurpose::Create);
        wizard.DoModal(nullptr);
        return static_cast<INT_PTR>(wizard.Created() ? IDOK : IDCANCEL);
    });
    HWND wizard = run.Window();
    ASSERT_NE(nullptr, wizard);
    HWND general = CurrentWizardPage(wizard);
    const std::string target = JoinPath(DirectoryOf(ModuleFileName(nullptr)), "launch_target.exe");
    TypeIntoItem(general, IDC_LO_NAME, "Viewer");
    TypeIntoItem(general, IDC_LO_TARGET_FILE, "\"" + target + "\" \"" + Record() + "\"");
    TypeIntoItem(general, IDC_LO_START_IN, startIn_.Path());
    PressSheetButton(wizard, PSBTN_NEXT);
    PressSheetButton(wizard, PSBTN_NEXT);

    // One message box before the program starts, made in the action editors.
    HWND actions = CurrentWizardPage(wizard);
    PostClickItem(actions, IDC_ENTRY_ADD);
    HWND add = WaitForDialogWithItem(ThreadOf(wizard), IDC_ACTION_NAME, wizard);
    ASSERT_NE(nullptr, add);
    ClickItem(add, IDOK);
    HWND box = WaitForDialogWithItem(ThreadOf(wizard), IDC_BUTTONS_YES_NO, add);
    ASSERT_NE(nullptr, box);
    TypeIntoItem(box, IDC_ACTION_TITLE, kGreetingTitle);
    TypeIntoItem(box, IDC_ACTION_MESSAGE, "The viewer starts now.");
    ClickItem(box, IDOK);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(box); }, 10000));

    // The module tells the view while the wizard waits for it: Finish is posted, so that this
    // thread is free to take the module's call.
    ::PostMessageA(wizard, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
    ASSERT_TRUE(PumpUntil([&] { return run.HasEnded(); }, 30000));
    INT_PTR made = 0;
    ASSERT_TRUE(run.WaitForEnd(made));
    ASSERT_EQ(IDOK, made) << "the module did not make the launch object";
    EXPECT_TRUE(PumpUntil([&] { return view.Names("AddItem").count("Viewer") == 1; }, 10000))
        << "the open view was not told of the new launch object";

    auto call = std::async(std::launch::async, AskLaunchManager, LaunchRequest::ExecuteLaunchObject,
                           std::string("Work\\Viewer"));
    HWND greeting = WaitForModuleWindow(kGreetingTitle);
    ASSERT_NE(nullptr, greeting) << "the module did not run the chain";
    ClickModuleButton(greeting, IDOK);
    ASSERT_EQ(std::future_status::ready, call.wait_for(std::chrono::seconds(30)));
    EXPECT_EQ(S_OK, call.get());
    const auto record = WaitForLaunchRecord(Record(), 15000);
    ASSERT_TRUE(record) << "the target never started";
    EXPECT_EQ(std::vector<std::string>{Record()}, record->Arguments()) << record->commandLine;
    EXPECT_EQ(0, ::lstrcmpiA(startIn_.Path().c_str(), record->folder.c_str())) << record->folder;
}

} // namespace
