// The Map Disc and password dialogs as Windows 95/98 shows them. Started by
// map_dialog_win98_tests with Wine told to report Windows 98 to this program only.
#include "mapping/map_media_dialog.h"
#include "res/dialog_ids.h"

#include "support/branding_loaded.h"
#include "support/dialog_driver.h"
#include "support/modal_dialog_run.h"
#include "support/prompt_recorder.h"
#include "support/registry_sandbox.h"
#include "support/scripted_network.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr char kPath[] = "\\\\SRV\\Disc1";

bool ReportsWindows98()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    return ::GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

} // namespace

TEST(MapMediaDialogOnWindows98, ConnectsAsTheLoggedOnUserAndAsksOnlyForAPassword)
{
    ASSERT_TRUE(ReportsWindows98()) << "Wine was not told to report Windows 98 to this program";
    RegistrySandbox sandbox;
    BrandingLoaded branding;
    ScriptedNetwork network;
    PromptRecorder prompts;
    network.QueueConnectAnswer(ERROR_INVALID_PASSWORD);
    network.AnswerProbe(kPath, NO_ERROR);

    MapMediaDialog dialog(kPath, LaunchedForDisc, "K", nullptr);
    ModalDialogRun run([&] { return dialog.DoModal(); });
    HWND window = run.Window();
    EXPECT_FALSE(IsItemVisible(window, IDC_MAP_CONNECT_AS_LABEL));
    EXPECT_FALSE(IsItemVisible(window, IDC_MAP_CONNECT_AS));
    // Whatever the hidden edit holds, the logged-on user connects.
    TypeIntoItem(window, IDC_MAP_CONNECT_AS, "bob");
    PostClickItem(window, IDOK);

    HWND password = WaitForDialogWithItem(::GetWindowThreadProcessId(window, nullptr), IDC_PASSWORD_EDIT);
    ASSERT_NE(nullptr, password);
    EXPECT_EQ("You must supply a password to make this connection:", ItemText(password, IDC_PASSWORD_MESSAGE));
    EXPECT_EQ("Resource:", ItemText(password, IDC_PASSWORD_LABEL));
    EXPECT_TRUE(IsItemVisible(password, IDC_PASSWORD_RESOURCE_BESIDE_LABEL));
    EXPECT_EQ(kPath, ItemText(password, IDC_PASSWORD_RESOURCE_BESIDE_LABEL));
    EXPECT_FALSE(IsItemVisible(password, IDC_PASSWORD_RESOURCE));
    EXPECT_FALSE(IsItemVisible(password, IDC_PASSWORD_USER_NAME));
    EXPECT_TRUE(IsItemVisible(password, IDC_PASSWORD_EDIT));
    TypeIntoItem(password, IDC_PASSWORD_EDIT, "s3cret");
    ClickItem(password, IDOK);

    INT_PTR result = 0;
    ASSERT_TRUE(run.WaitForEnd(result));
    EXPECT_EQ(IDOK, result);
    const std::vector<ScriptedNetwork::ConnectCall> calls = network.ConnectCalls();
    ASSERT_EQ(2u, calls.size());
    EXPECT_FALSE(calls[0].withUserName);
    EXPECT_FALSE(calls[1].withUserName);
    EXPECT_TRUE(calls[1].withPassword);
    EXPECT_EQ("s3cret", calls[1].password);
    EXPECT_EQ(kPath, network.ConnectionOf("K:"));
}
