#include "logging/logging.h"
#include "mapping/map_media_dialog.h"
#include "pidl/pidl_mgr.h"
#include "res/dialog_ids.h"

#include "support/cache_fixture.h"
#include "support/dialog_driver.h"
#include "support/map_disc_driver.h"
#include "support/modal_dialog_run.h"
#include "support/prompt_recorder.h"
#include "support/scripted_network.h"
#include "support/temp_directory.h"
#include "support/tree_driver.h"

#include <commctrl.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr char kPath[] = "\\\\SRV\\Disc1";

struct ListedLetter {
    std::string text;
    int image = -1;
    bool operator==(const ListedLetter& other) const { return text == other.text && image == other.image; }
};

void PrintTo(const ListedLetter& letter, std::ostream* out) { *out << '"' << letter.text << "\" image " << letter.image; }

HWND DriveList(HWND dialog) { return MapDiscDriveList(dialog); }

ListedLetter LetterAt(HWND list, LRESULT index)
{
    char text[512] = {};
    COMBOBOXEXITEMA item{};
    item.mask = CBEIF_TEXT | CBEIF_IMAGE;
    item.iItem = index;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ::SendMessageA(list, CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return {text, item.iImage};
}

std::vector<ListedLetter> ListedLetters(HWND dialog)
{
    HWND list = DriveList(dialog);
    std::vector<ListedLetter> letters;
    const LRESULT count = ::SendMessageA(list, CB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index)
        letters.push_back(LetterAt(list, index));
    return letters;
}

// The text of the selected letter; empty when none is selected.
std::string SelectedLetter(HWND dialog)
{
    HWND list = DriveList(dialog);
    const LRESULT selected = ::SendMessageA(list, CB_GETCURSEL, 0, 0);
    return selected == CB_ERR ? std::string() : LetterAt(list, selected).text;
}


// Logging switched on for a test's lifetime, into the log file of the fixture's installation folder.
struct LoggingOn {
    LoggingOn() { Logging::LogIndicator = 1; }
    ~LoggingOn() { Logging::LogIndicator = 0; }
    LoggingOn(const LoggingOn&) = delete;
    LoggingOn& operator=(const LoggingOn&) = delete;
};

// Returns once the dialog's thread is back in its message loop, done with what it was given.
void WaitUntilIdle(HWND dialog) { WindowText(dialog); }

// The password dialog the Map Disc dialog opened, other than one already answered.
HWND WaitForPasswordDialog(HWND mapDialog, HWND answered = nullptr)
{
    return WaitForDialogWithItem(::GetWindowThreadProcessId(mapDialog, nullptr), IDC_PASSWORD_EDIT, answered);
}

class MapMediaDialogTest : public CacheFixture {
protected:
    void SetUp() override
    {
        CacheFixture::SetUp();
        AddDisc("Work", Disc("\\\\SRV", "Disc1"));
        network.SetDriveType("C:\\", DRIVE_FIXED);
        network.SetDriveType("D:\\", DRIVE_CDROM);
        network.AnswerProbe(kPath, NO_ERROR);
    }

    static void AddDisc(const std::string& folder, const CacheItem& disc)
    {
        Cache edit(CacheEdit, folder);
        ASSERT_TRUE(edit.AddItem(disc));
    }

    void AnswerPrompts(int answer)
    {
        // The recorder going restores what was there before it: it must go first.
        prompts.reset();
        prompts = std::make_unique<PromptRecorder>(answer);
    }
    const std::vector<PromptRequest>& Prompts() const { return prompts->Prompts(); }
    std::vector<std::string> PromptTexts() const
    {
        std::vector<std::string> texts;
        for (const PromptRequest& prompt : Prompts())
            texts.push_back(prompt.text);
        return texts;
    }

    ScriptedNetwork network;
    std::unique_ptr<PromptRecorder> prompts = std::make_unique<PromptRecorder>(IDYES);
};

} // namespace

TEST_F(MapMediaDialogTest, ListsFreeAndUsedLettersWithoutLocalDrivesAndOffersTheFirstFree)
{
    network.Connect("E:", "\\\\SRV\\Other");
    network.Remember("F:", "\\\\OLD\\Gone");
    MapMediaDialog dialog(kPath, LaunchedForDisc, "", nullptr);
    ModalDialogRun run([&] { return dialog.DoModal(); });

    const std::vector<ListedLetter> letters = ListedLetters(run.Window());
    ASSERT_EQ(22u, letters.size()) << "E to Z: C and D are local drives";
    EXPECT_EQ((ListedLetter{"E:    \\\\SRV\\Other", 1}), letters[0]);
    EXPECT_EQ((ListedLetter{"F:    \\\\OLD\\Gone", 1}), letters[1]) << "a remembered connection is in use";
    EXPECT_EQ((ListedLetter{"G:", 0}), letters[2]);
    EXPECT_EQ((ListedLetter{"Z:", 0}), letters.back());
    EXPECT_EQ("G:", SelectedLetter(run.Window()));

    EXPECT_EQ("Map Disc", WindowText(run.Window()));
    EXPECT_EQ(kPath, ItemText(run.Window(), IDC_MAP_PATH_TEXT));
    EXPECT_TRUE(IsItemVisible(run.Window(), IDC_MAP_PATH_TEXT));
    EXPECT_FALSE(IsItemVisible(run.Window(), IDC_MAP_PATH_EDIT));
    EXPECT_TRUE(IsItemVisible(run.Window(), IDC_MAP_CONNECT_AS));
    EXPECT_TRUE(IsItemChecked(run.Window(), IDC_MAP_RECONNECT));
    EXPECT_TRUE(IsItemVisible(run.Window(), IDHELP));
    EXPECT_EQ(nullptr, ::GetDlgItem(run.Window(), IDC_MAP_TREE)) << "a disc of the view needs no tree";
}

TEST_F(MapMediaDialogTest, PresetLetterIsOfferedUnlessAnotherPathOfTheMappingUsesIt)
{
    network.Connect("E:", "\\\\SRV\\Other");
    const struct {
        std::string preset;
        std::vector<std::string> inUse;
        std::string offered;
    } cases[] = {
        {"h", {}, "H:"},
        {"E:", {}, "E:    \\\\SRV\\Other"},
        {"H", {"h:", "F"}, "G:"},
        {"", {"F", "G"}, "H:"},
    };
    for (const auto& chosen : cases) {
        MapMediaDialog dialog(kPath, LaunchedEditItemPath, chosen.preset, &chosen.inUse);
        ModalDialogRun run([&] { return dialog.DoModal(); });
        EXPECT_EQ(chosen.offered, SelectedLetter(run.Window())) << "preset " << chosen.preset;
    }
}

TEST_F(MapMediaDialogTest, WithoutAFreeLetterTheSecondOrOnlyLetterIsOfferedAndAnEmptyListOffersNone)
{
    for (char letter = 'E'; letter <= 'Z'; ++letter)
        network.SetDriveType(std::string{letter, ':', '\\'}, DRIVE_FIXED);
    network.Connect("X:", "\\\\SRV\\X");
    network.Connect("Y:", "\\\\SRV\\Y");
    network.SetDriveType("X:\\", DRIVE_REMOTE);
    network.SetDriveType("Y:\\", DRIVE_REMOTE);
    {
        MapMediaDialog dialog(kPath, LaunchedForDisc, "", nullptr);
        ModalDialogRun run([&] { return dialog.DoModal(); });
        EXPECT_EQ("Y:    \\\\SRV\\Y", SelectedLetter(run.Window()));
    }
    network.SetDriveType("Y:\\", DRIVE_FIXED);
    {
        MapMediaDialog dialog(kPath, LaunchedForDisc, "", nullptr);
        ModalDialogRun run([&] { return dialog.DoModal(); });
        EXPECT_EQ("X:    \\\\SRV\\X", SelectedLetter(run.Window()));
    }
    network.SetDriveType("X:\\", DRIVE_FIXED);
    {
        MapMediaDialog dialog(kPath, LaunchedForDisc, "", nullptr);
        ModalDialogRun run([&] { return dialog.DoModal(); });
        EXPECT_TRUE(ListedLetters(run.Window()).empty());
        ClickItem(run.Window(), IDOK);
        EXPECT_FALSE(run.HasEnded()) << "OK without a letter keeps the dialog open";
        EXPECT_TRUE(network.ConnectCalls().empty());
    }
}

TEST_F(MapMediaDialogTest, AFailedLetterIsLoggedAndSkippedAndTheDialogIsBuiltCompletely)
{
    const LoggingOn logging;
    network.AnswerConnectionQuery("H:", ERROR_NO_NETWORK);
    MapMediaDialog dialog(kPath, LaunchedAddItemPath, "", nullptr);
    ModalDialogRun run([&] { return dialog.DoModal(); });

    std::vector<std::string> texts;
    for (const ListedLetter& letter : ListedLetters(run.Window()))
        texts.push_back(letter.text);
    ASSERT_EQ(21u, texts.size());
    EXPECT_EQ("G:", texts[2]);
    EXPECT_EQ("I:", texts[3]);
    EXPECT_EQ("Z:", texts.back()) << "the letters after the failed one are listed";
    EXPECT_NE(std::string::npos,
              ReadWholeFile(Logging::LogFilePath())
                  .find("MapMediaDialog::OnInitDialog() |                    Unexpected error when calling "
                        "WNetGetConnection: "))
        << "the failure is logged";
    EXPECT_NE(std::string::npos, ReadWholeFile(Logging::LogFilePath()).find("1222"));
    // What comes after the list is there too: the title, the tree, the image list.
    EXPECT_EQ("Add Path for Multiple Mapping", WindowText(run.Window()));
    EXPECT_NE(nullptr, ::GetDlgItem(run.Window(), IDC_MAP_TREE));
    EXPECT_NE(0, ::SendMessageA(DriveList(run.Window()), CBEM_GETIMAGELIST, 0, 0));
}

TEST_F(MapMediaDialogTest, MultipleMappingModesHandBackTheBareLetterAndConnectNothing)
{
    const struct {
        MapDialogLaunch launch;
        std::string title;
    } modes[] = {
        {LaunchedAddItemPath, "Add Path for Multiple Mapping"},
        {LaunchedEditItemPath, "Edit Path for Multiple Mapping"},
        {LaunchedAddLOPath, "Add Path for Multiple Mapping"},
        {LaunchedEditLOPath, "Edit Path for Multiple Mapping"},
    };
    for (const auto& mode : modes) {
        MapMediaDialog dialog(kPath, mode.launch, "K", nullptr);
        ModalDialogRun run([&] { return dialog.DoModal(); });
        HWND window = run.Window();
        EXPECT_EQ(mode.title, WindowText(window));
        EXPECT_FALSE(IsItemVisible(window, IDC_MAP_RECONNECT)) << mode.launch;
        EXPECT_FALSE(IsItemVisible(window, IDHELP)) << mode.launch;
        EXPECT_FALSE(IsItemVisible(window, IDC_MAP_CONNECT_AS)) << mode.launch;
        EXPECT_TRUE(IsItemVisible(window, IDC_MAP_BROWSE_NETWORK)) << mode.launch;
        EXPECT_TRUE(IsItemVisible(window, IDC_MAP_PATH_EDIT)) << mode.launch;
        EXPECT_EQ("&Shared discs:", ItemText(window, IDC_MAP_TREE_LABEL));
        ASSERT_NE(nullptr, ::GetDlgItem(window, IDC_MAP_TREE)) << mode.launch;

        ChooseMapDiscLetter(window, 'M');
        ClickItem(window, IDOK);
        INT_PTR result = 0;
        ASSERT_TRUE(run.WaitForEnd(result));
        EXPECT_EQ(IDOK, result);
        EXPECT_EQ("M", dialog.GetDriveLetter());
        EXPECT_EQ(kPath, dialog.GetNetworkPath());
    }
    EXPECT_TRUE(network.ConnectCalls().empty());
    EXPECT_TRUE(Prompts().empty());
}

TEST_F(MapMediaDialogTest, OkConnectsTheChosenLetterRememberedOnlyWhenReconnectIsChecked)
{
    {
        MapMediaDialog dialog(kPath, LaunchedForDisc, "", nullptr);
        ModalDialogRun run([&] { return dialog.DoModal(); });
        ChooseMapDiscLetter(run.Window(), 'K');
        TypeIntoItem(run.Window(), IDC_MAP_CONNECT_AS, "DOMAIN\\alice");
        ClickItem(run.Window(), IDOK);
        INT_PTR result = 0;
        ASSERT_TRUE(run.WaitForEnd(result));
        EXPECT_EQ(IDOK, result);
        EXPECT_EQ("", dialog.GetDriveLetter()) << "the letter given stays";
    }
    {
        MapMediaDialog dialog(kPath, LaunchedForDisc, "", nullptr);
        ModalDialogRun run([&] { return dialog.DoModal(); });
        ChooseMapDiscLetter(run.Window(), 'L');
        SetItemChecked(run.Window(), IDC_MAP_RECONNECT, false);
        ClickItem(run.Window(), IDOK);
        INT_PTR result = 0;
        ASSERT_TRUE(run.WaitForEnd(result));
    }
    const std::vector<ScriptedNetwork::ConnectCall> calls = network.ConnectCalls();
    ASSERT_EQ(2u, calls.size());
    EXPECT_EQ("K:", calls[0].localName);
    EXPECT_EQ(kPath, calls[0].remoteName);
    EXPECT_EQ(static_cast<DWORD>(CONNECT_UPDATE_PROFILE), calls[0].flags);
    EXPECT_TRUE(calls[0].withUserName);
    EXPECT_EQ("DOMAIN\\alice", calls[0].userName);
    EXPECT_FALSE(calls[0].withPassword);
    EXPECT_EQ("L:", calls[1].localName);
    EXPECT_EQ(0u, calls[1].flags);
    EXPECT_FALSE(calls[1].withUserName) << "an empty Connect as is the logged-on user";
}

TEST_F(MapMediaDialogTest, StandaloneConnectsThePathOfTheDiscClickedInTheTree)
{
    MapMediaDialog dialog("", LaunchedStandalone, "", nullptr);
    ModalDialogRun run([&] { return dialog.DoModal(); });
    HWND window = run.Window();
    EXPECT_TRUE(IsItemVisible(window, IDC_MAP_CONNECT_AS));
    EXPECT_TRUE(IsItemVisible(window, IDC_MAP_RECONNECT));
    EXPECT_FALSE(IsItemVisible(window, IDC_MAP_BROWSE_NETWORK));
    HWND tree = ::GetDlgItem(window, IDC_MAP_TREE);
    ASSERT_NE(nullptr, tree);
    ASSERT_TRUE(ClickTreeItem(tree, FindTreeItem(tree, "Disc1")));
    EXPECT_EQ(kPath, ItemText(window, IDC_MAP_PATH_EDIT));

    ChooseMapDiscLetter(window, 'P');
    ClickItem(window, IDOK);
    INT_PTR result = 0;
    ASSERT_TRUE(run.WaitForEnd(result));
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(kPath, network.ConnectionOf("P:"));
    EXPECT_EQ(kPath, dialog.GetNetworkPath());
}

TEST_F(MapMediaDialogTest, AnEmptyPathOrForbiddenCharactersKeepTheDialogOpenWithTheReason)
{
    MapMediaDialog dialog("", LaunchedStandalone, "", nullptr);
    ModalDialogRun run([&] { return dialog.DoModal(); });
    HWND window = run.Window();
    ClickItem(window, IDOK);
    for (const char* path : {"\\\\SRV\\a:b", "\\\\SRV/share", "\\\\SRV\\*", "\\\\SRV\\\"x\"", "\\\\SRV\\a|b"}) {
        TypeIntoItem(window, IDC_MAP_PATH_EDIT, path);
        ClickItem(window, IDOK);
    }
    EXPECT_FALSE(run.HasEnded());
    const std::string badCharacters =
        "A network path cannot contain any of the following characters:\n  / : * ? \" < > |";
    EXPECT_EQ((std::vector<std::string>{"The string cannot be empty.", badCharacters, badCharacters, badCharacters,
                                        badCharacters, badCharacters}),
              PromptTexts());
    EXPECT_TRUE(network.ConnectCalls().empty());
}

TEST_F(MapMediaDialogTest, NamesTooLongAreRefusedWholeAndNothingIsConnected)
{
    MapMediaDialog dialog("", LaunchedStandalone, "", nullptr);
    ModalDialogRun run([&] { return dialog.DoModal(); });
    HWND window = run.Window();
    const std::string longPath = "\\\\SRV\\" + std::string(255, 'p');
    TypeIntoItem(window, IDC_MAP_PATH_EDIT, longPath);
    ClickItem(window, IDOK);
    TypeIntoItem(window, IDC_MAP_PATH_EDIT, kPath);
    TypeIntoItem(window, IDC_MAP_CONNECT_AS, std::string(257, 'u'));
    ClickItem(window, IDOK);

    EXPECT_FALSE(run.HasEnded());
    ASSERT_EQ(2u, Prompts().size());
    EXPECT_EQ("The network path\n\n" + longPath + "\n\nis too long. A network path can have at most 260 characters.",
              Prompts()[0].text);
    EXPECT_EQ("The user name or password is too long. Each can have at most 256 characters.", Prompts()[1].text);
    EXPECT_TRUE(network.ConnectCalls().empty());
}

TEST_F(MapMediaDialogTest, ALetterConnectedToThePathAlreadyIsReportedAndLeftAlone)
{
    network.Connect("K:", "\\\\srv\\DISC1");
    MapMediaDialog dialog(kPath, LaunchedForDisc, "K", nullptr);
    ModalDialogRun run([&] { return dialog.DoModal(); });
    ClickItem(run.Window(), IDOK);
    EXPECT_FALSE(run.HasEnded());
    ASSERT_EQ(1u, Prompts().size());
    EXPECT_EQ("The device K: is already connected to \\\\srv\\DISC1.", Prompts()[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), Prompts()[0].style & MB_ICONMASK);
    EXPECT_TRUE(network.CancelCalls().empty());
}

TEST_F(MapMediaDialogTest, ReplacingALetterAsksFirstAndYesReplacesItEvenWithFilesOpen)
{
    network.Connect("K:", "\\\\SRV\\Other");
    network.Connect("L:", "\\\\OLD\\Gone");
    {
        AnswerPrompts(IDNO);
        MapMediaDialog dialog(kPath, LaunchedForDisc, "K", nullptr);
        ModalDialogRun run([&] { return dialog.DoModal(); });
        ClickItem(run.Window(), IDOK);
        EXPECT_FALSE(run.HasEnded()) << "No keeps the connection and the dialog";
        ASSERT_EQ(1u, Prompts().size());
        EXPECT_EQ("The device K: is already connected to \\\\SRV\\Other\n\nDo you wish to replace the current "
                  "connection with \\\\SRV\\Disc1?",
                  Prompts()[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION), Prompts()[0].style);
        EXPECT_TRUE(network.CancelCalls().empty());
    }
    AnswerPrompts(IDYES);
    network.AnswerCancel("K:", ERROR_OPEN_FILES);
    {
        MapMediaDialog dialog(kPath, LaunchedForDisc, "K", nullptr);
        ModalDialogRun run([&] { return dialog.DoModal(); });
        ClickItem(run.Window(), IDOK);
        INT_PTR result = 0;
        ASSERT_TRUE(run.WaitForEnd(result));
        EXPECT_EQ(IDOK, result);
    }
    EXPECT_EQ(kPath, network.ConnectionOf("K:"));
    ASSERT_EQ(2u, Prompts().size());
    EXPECT_EQ("There are currently files open on the device K:. If you do not close the files before "
              "disconnecting from the network device, data may be lost. Do you want to disconnect the device K: "
              "anyway?",
              Prompts()[1].text);
    const std::vector<ScriptedNetwork::CancelCall> cancels = network.CancelCalls();
    ASSERT_EQ(2u, cancels.size());
    EXPECT_EQ(static_cast<DWORD>(CONNECT_UPDATE_PROFILE), cancels[1].flags);
    EXPECT_TRUE(cancels[1].force);

    // The network says the letter is remembered for another path.
    network.QueueConnectAnswer(ERROR_DEVICE_ALREADY_REMEMBERED);
    {
        MapMediaDialog dialog(kPath, LaunchedForDisc, "L", nullptr);
        ModalDialogRun run([&] { return dialog.DoModal(); });
        ClickItem(run.Window(), IDOK);
        INT_PTR result = 0;
        ASSERT_TRUE(run.WaitForEnd(result));
    }
    ASSERT_EQ(3u, Prompts().size());
    EXPECT_EQ("The device L: has a remembered connection to \\\\OLD\\Gone. Do you want to overwrite the "
              "remembered connection with \\\\SRV\\Disc1?",
              Prompts()[2].text);
    EXPECT_EQ(kPath, network.ConnectionOf("L:"));
}

TEST_F(MapMediaDialogTest, AReplacementThatCannotHappenIsReportedAndTheDialogStaysOpen)
{
    const LoggingOn logging;
    network.Connect("K:", "\\\\SRV\\Other");
    network.AnswerCancel("K:", ERROR_NOT_CONNECTED);
    network.QueueConnectAnswer(ERROR_ALREADY_ASSIGNED);
    network.AnswerConnectionQuery("M:", ERROR_CONNECTION_UNAVAIL);
    {
        MapMediaDialog dialog(kPath, LaunchedForDisc, "K", nullptr);
        ModalDialogRun run([&] { return dialog.DoModal(); });
        ClickItem(run.Window(), IDOK);
        EXPECT_FALSE(run.HasEnded()) << "nothing was mapped";

        // A letter whose remembered connection cannot be read back.
        network.QueueConnectAnswer(ERROR_ALREADY_ASSIGNED);
        ChooseMapDiscLetter(run.Window(), 'M');
        ClickItem(run.Window(), IDOK);
        EXPECT_FALSE(run.HasEnded());
    }
    ASSERT_EQ(3u, Prompts().size());
    EXPECT_EQ("The existing device connection could not be replaced.", Prompts()[1].text);
    EXPECT_EQ("The following error occurred when reconnecting M: to \n\nPermanent connection not available.",
              Prompts()[2].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), Prompts()[2].style & MB_ICONMASK);
    EXPECT_EQ("\\\\SRV\\Other", network.ConnectionOf("K:"));
    EXPECT_NE(std::string::npos, ReadWholeFile(Logging::LogFilePath())
                                     .find("MapMediaDialog::HandleReconnection| WNetCancelConnection2 returned "));
}

TEST_F(MapMediaDialogTest, ConnectionRefusalsShowTheirMessageAndKeepTheDialogOpen)
{
    const struct {
        DWORD error;
        std::string text;
    } refusals[] = {
        {ERROR_BAD_NET_NAME, "The network connection could not be found."},
        {ERROR_BAD_USERNAME, "The specified user name is invalid.\n\nAccess denied."},
        {ERROR_NO_NETWORK, "The network connection could not be established."},
    };
    MapMediaDialog dialog(kPath, LaunchedForDisc, "", nullptr);
    ModalDialogRun run([&] { return dialog.DoModal(); });
    for (const auto& refusal : refusals) {
        network.QueueConnectAnswer(refusal.error);
        ClickItem(run.Window(), IDOK);
        ASSERT_FALSE(Prompts().empty());
        EXPECT_EQ(refusal.text, Prompts().back().text) << refusal.error;
    }
    EXPECT_EQ(3u, Prompts().size());
    EXPECT_FALSE(run.HasEnded());
}

TEST_F(MapMediaDialogTest, ARefusedPasswordIsAskedForAgainUntilCancelled)
{
    network.AnswerConnect(kPath, ERROR_INVALID_PASSWORD);
    MapMediaDialog dialog(kPath, LaunchedForDisc, "", nullptr);
    ModalDialogRun run([&] { return dialog.DoModal(); });
    HWND window = run.Window();
    TypeIntoItem(window, IDC_MAP_CONNECT_AS, "bob");
    PostClickItem(window, IDOK);

    HWND answered = nullptr;
    for (int attempt = 0; attempt < 3; ++attempt) {
        HWND password = WaitForPasswordDialog(window, answered);
        ASSERT_NE(nullptr, password) << "attempt " << attempt;
        EXPECT_EQ(kPath, ItemText(password, IDC_PASSWORD_RESOURCE));
        EXPECT_EQ("bob", ItemText(password, IDC_PASSWORD_USER_NAME));
        TypeIntoItem(password, IDC_PASSWORD_EDIT, "wrong");
        ClickItem(password, IDOK);
        answered = password;
    }
    HWND last = WaitForPasswordDialog(window, answered);
    ASSERT_NE(nullptr, last);
    ClickItem(last, IDCANCEL);
    WaitUntilIdle(window);

    EXPECT_FALSE(run.HasEnded()) << "cancelling the password keeps the Map Disc dialog";
    EXPECT_EQ(4u, network.ConnectCalls().size());
    EXPECT_TRUE(Prompts().empty());
}

TEST_F(MapMediaDialogTest, TheRightPasswordConnectsWithTheUserNameAndPasswordTyped)
{
    network.QueueConnectAnswer(ERROR_ACCESS_DENIED);
    network.QueueConnectAnswer(ERROR_INVALID_PASSWORD);
    MapMediaDialog dialog(kPath, LaunchedForDisc, "", nullptr);
    ModalDialogRun run([&] { return dialog.DoModal(); });
    HWND window = run.Window();
    ChooseMapDiscLetter(window, 'Q');
    PostClickItem(window, IDOK);

    HWND first = WaitForPasswordDialog(window);
    ASSERT_NE(nullptr, first) << "access denied asks for a password too";
    TypeIntoItem(first, IDC_PASSWORD_EDIT, "wrong");
    ClickItem(first, IDOK);
    HWND second = WaitForPasswordDialog(window, first);
    ASSERT_NE(nullptr, second);
    TypeIntoItem(second, IDC_PASSWORD_USER_NAME, "carol");
    TypeIntoItem(second, IDC_PASSWORD_EDIT, "s3cret");
    ClickItem(second, IDOK);

    INT_PTR result = 0;
    ASSERT_TRUE(run.WaitForEnd(result));
    EXPECT_EQ(IDOK, result);
    const std::vector<ScriptedNetwork::ConnectCall> calls = network.ConnectCalls();
    ASSERT_EQ(3u, calls.size());
    EXPECT_FALSE(calls[0].withPassword);
    EXPECT_EQ("wrong", calls[1].password);
    EXPECT_EQ("Q:", calls[2].localName);
    EXPECT_TRUE(calls[2].withUserName);
    EXPECT_EQ("carol", calls[2].userName);
    EXPECT_TRUE(calls[2].withPassword);
    EXPECT_EQ("s3cret", calls[2].password);
    EXPECT_EQ(static_cast<DWORD>(CONNECT_UPDATE_PROFILE), calls[2].flags);
    EXPECT_EQ(kPath, network.ConnectionOf("Q:"));
}

TEST_F(MapMediaDialogTest, BrowsingTheNeighbourhoodNeverTakesAFolderWithoutAPath)
{
    MapMediaDialog dialog(kPath, LaunchedAddItemPath, "", nullptr);
    ModalDialogRun run([&] { return dialog.DoModal(); });
    HWND window = run.Window();
    LPITEMIDLIST network = nullptr;
    ASSERT_EQ(S_OK, ::SHGetSpecialFolderLocation(nullptr, CSIDL_NETWORK, &network));
    const ScopedPidl networkRoot(network);

    PostClickItem(window, IDC_MAP_BROWSE_NETWORK);
    HWND browser = WaitForDialogWithItem(::GetWindowThreadProcessId(window, nullptr), IDOK, window);
    ASSERT_NE(nullptr, browser);
    EXPECT_NE(nullptr, ::FindWindowExA(browser, nullptr, "Static", "Select shared directory"));
    // The neighbourhood itself is a folder without a file-system path.
    ::SendMessageA(browser, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(networkRoot.get()));
    ClickItem(browser, IDOK);
    WaitUntilIdle(window);
    EXPECT_EQ(kPath, ItemText(window, IDC_MAP_PATH_EDIT));
    EXPECT_FALSE(run.HasEnded());
}
