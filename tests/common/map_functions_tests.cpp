#include "mapping/map_functions.h"

#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "text/text_format.h"
#include "support/branding_loaded.h"
#include "support/registry_sandbox.h"
#include "support/scripted_network.h"
#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>
#include <vector>

namespace {

const std::string kDisc = "\\\\SERVER\\DISC";
const std::string kOther = "\\\\OTHER\\SHARE";

// A machine with C: as its disk and D: as its CD-ROM drive, every other letter free.
class MapFunctionsTest : public ::testing::Test {
protected:
    MapFunctionsTest()
    {
        network.SetDriveType("C:\\", DRIVE_FIXED);
        network.SetDriveType("D:\\", DRIVE_CDROM);
        network.AnswerConnect(kDisc, NO_ERROR);
        network.AnswerConnect(kOther, NO_ERROR);
    }

    bool QuickMap(std::string& letter, std::string& previous, bool silent = false,
                  const std::string& path = kDisc)
    {
        return MapFunctions::QuickMap(path, letter, previous, silent, true);
    }

    static std::string Text(UINT id) { return CommonText(id); }

    RegistrySandbox sandbox;
    BrandingLoaded branding;
    ScriptedNetwork network;
};

std::vector<std::string> NotifiedPaths(const ScriptedNetwork& network, LONG event)
{
    std::vector<std::string> paths;
    for (const auto& notification : network.Notifications()) {
        if (notification.event == event)
            paths.push_back(notification.path);
    }
    return paths;
}

} // namespace

TEST_F(MapFunctionsTest, AFreeLetterMappingTakesTheFirstFreeLetterAfterLocalAndUsedOnes)
{
    network.Connect("E:", kOther);
    network.Remember("F:", kOther);   // remembered for another share, but not connected: in use

    std::string letter;
    std::string previous;
    ASSERT_TRUE(QuickMap(letter, previous));

    EXPECT_EQ("G:", letter);
    EXPECT_EQ("", previous);
    ASSERT_EQ(1u, network.ConnectCalls().size());
    const auto call = network.ConnectCalls()[0];
    EXPECT_EQ("G:", call.localName);
    EXPECT_EQ(kDisc, call.remoteName);
    EXPECT_EQ(0u, call.flags) << "an automatic mapping is never remembered for the next log-on";
    EXPECT_FALSE(call.withUserName || call.withPassword);
    ASSERT_EQ(1u, network.Notifications().size());
    EXPECT_EQ(SHCNE_DRIVEADD, network.Notifications()[0].event);
    EXPECT_EQ(static_cast<UINT>(SHCNF_PATH | SHCNF_FLUSH), network.Notifications()[0].flags);
    EXPECT_EQ("G:", network.Notifications()[0].path);
}

TEST_F(MapFunctionsTest, APathAlreadyServedIsReusedInAnySpellingWithoutConnectingOrNotifying)
{
    network.Connect("H:", "\\\\server\\disc");
    std::string letter;
    std::string previous;
    ASSERT_TRUE(QuickMap(letter, previous));
    EXPECT_EQ("H:", letter);

    // A letter given and serving the path in its short spelling.
    network.Connect("K:", "\\\\SERVER\\LONGDI~1");
    network.SetShortForm("\\\\SERVER\\LONGDI~1", "\\\\SERVER\\LONGDI~1");
    network.SetShortForm("\\\\Server\\Long Disc Name", "\\\\SERVER\\LONGDI~1");
    letter = "k";
    ASSERT_TRUE(QuickMap(letter, previous, false, "\\\\Server\\Long Disc Name"));
    EXPECT_EQ("\\\\SERVER\\LONGDI~1", previous);

    EXPECT_TRUE(network.ConnectCalls().empty());
    EXPECT_TRUE(network.CancelCalls().empty());
    EXPECT_TRUE(network.Notifications().empty());
}

TEST_F(MapFunctionsTest, AUsersRememberedLetterOfThePathIsConnectedAgainStillRememberedAndUsed)
{
    for (const std::string given : {"F", ""}) {
        SCOPED_TRACE(given.empty() ? "free-letter mapping" : "mapping to F");
        ScriptedNetwork scripted;
        scripted.AnswerConnect(kDisc, NO_ERROR);
        scripted.Remember("F:", kDisc);
        ScriptedPrompts prompts;
        std::string letter = given;
        DriveLetterUse use;
        ASSERT_TRUE(MapFunctions::QuickMap(kDisc, letter, use, false, true));

        EXPECT_EQ("F:", use.localName) << "not passed over for a second letter";
        EXPECT_EQ(kDisc, scripted.ConnectionOf("F:")) << "the letter must be live, not a dead drive";
        EXPECT_TRUE(scripted.IsRemembered("F:")) << "the user's remembered connection is not forgotten";
        ASSERT_EQ(1u, scripted.ConnectCalls().size());
        EXPECT_EQ(static_cast<DWORD>(CONNECT_UPDATE_PROFILE), scripted.ConnectCalls()[0].flags);
        EXPECT_EQ(DriveLetterUse::Action::Reconnected, use.action);
        EXPECT_TRUE(prompts.Prompts().empty()) << "nothing of another path is replaced";
    }
}

TEST_F(MapFunctionsTest, LettersAreGivenBackOnlyWhereTheMappingConnectedThemAndStillServesItsPath)
{
    // The user's own H: of the path, remembered for the next log-on, is reused.
    network.Connect("H:", kDisc, true);
    RegKey::CURRENT_USER.CreateKey("Network\\H");
    std::string letter = "H";
    DriveLetterUse reused;
    ASSERT_TRUE(MapFunctions::QuickMap(kDisc, letter, reused, false, true));
    EXPECT_EQ(DriveLetterUse::Action::Reused, reused.action);

    // F: and G: were free; another request then put another share on G:.
    DriveLetterUse onF;
    DriveLetterUse onG;
    letter = "F";
    ASSERT_TRUE(MapFunctions::QuickMap(kDisc, letter, onF, false, true));
    letter = "G";
    ASSERT_TRUE(MapFunctions::QuickMap(kDisc, letter, onG, false, true));
    network.CancelConnection2("G:", 0, TRUE);
    network.Connect("G:", kOther);
    const size_t cancelsBefore = network.CancelCalls().size();

    for (const auto giveBack : {&MapFunctions::ReleaseLetter, &MapFunctions::RestoreLetter}) {
        giveBack(reused);
        giveBack(onG);
    }
    EXPECT_EQ(cancelsBefore, network.CancelCalls().size()) << "nothing of the user's or of another request is touched";
    EXPECT_EQ(kDisc, network.ConnectionOf("H:"));
    EXPECT_TRUE(network.IsRemembered("H:"));
    EXPECT_EQ(kOther, network.ConnectionOf("G:"));

    EXPECT_TRUE(MapFunctions::ReleaseLetter(onF));
    EXPECT_EQ("", network.ConnectionOf("F:"));
}

TEST_F(MapFunctionsTest, AConnectionReplacedByAMappingComesBackAsTheUserHadIt)
{
    network.Connect("H:", kOther, true);   // remembered for the next log-on
    RegKey::CURRENT_USER.CreateKey("Network\\H");
    network.Connect("J:", kOther);         // for this session only
    ScriptedPrompts prompts(IDYES);
    DriveLetterUse onH;
    DriveLetterUse onJ;
    std::string letter = "H";
    ASSERT_TRUE(MapFunctions::QuickMap(kDisc, letter, onH, false, true));
    letter = "J";
    ASSERT_TRUE(MapFunctions::QuickMap(kDisc, letter, onJ, false, true));
    EXPECT_TRUE(onH.foundPersistent);
    EXPECT_FALSE(onJ.foundPersistent);

    // Restored: connected again, remembered as it was or not.
    ASSERT_TRUE(MapFunctions::RestoreLetter(onH));
    EXPECT_EQ(kOther, network.ConnectionOf("H:"));
    EXPECT_TRUE(network.IsRemembered("H:"));
    EXPECT_EQ(static_cast<DWORD>(CONNECT_UPDATE_PROFILE), network.ConnectCalls().back().flags);
    ASSERT_TRUE(MapFunctions::RestoreLetter(onJ));
    EXPECT_EQ(kOther, network.ConnectionOf("J:"));
    EXPECT_FALSE(network.IsRemembered("J:"));
    ASSERT_EQ(4u, prompts.Prompts().size());
    EXPECT_EQ(FormatText(Text(IDS_ASK_REPLACE_CONNECTION_FMT), "H:", kDisc, kOther), prompts.Prompts()[2].text)
        << "putting the old connection back asks before replacing, like any replacement";

    // Released: the letter goes, but a remembered connection is remembered again for the next
    // log-on instead of being lost for good.
    letter = "H";
    ASSERT_TRUE(MapFunctions::QuickMap(kDisc, letter, onH, false, true));
    letter = "J";
    ASSERT_TRUE(MapFunctions::QuickMap(kDisc, letter, onJ, false, true));
    ASSERT_TRUE(MapFunctions::ReleaseLetter(onH));
    ASSERT_TRUE(MapFunctions::ReleaseLetter(onJ));
    EXPECT_EQ("", network.ConnectionOf("H:"));
    EXPECT_TRUE(network.IsRemembered("H:"));
    EXPECT_EQ(static_cast<DWORD>(CONNECT_UPDATE_PROFILE | CONNECT_DEFERRED), network.ConnectCalls().back().flags);
    EXPECT_EQ("", network.ConnectionOf("J:"));
    EXPECT_FALSE(network.IsRemembered("J:"));
}

TEST_F(MapFunctionsTest, ReplacingAConnectionAsksWithTheCheckBoxAndRemembersDoNotAskAgain)
{
    network.Connect("F:", kOther);
    ScriptedPrompts prompts;
    prompts.Then(IDNO);
    std::string letter = "F";
    std::string previous;
    EXPECT_FALSE(QuickMap(letter, previous));
    EXPECT_EQ(kOther, network.ConnectionOf("F:")) << "No leaves the connection alone";
    EXPECT_TRUE(network.CancelCalls().empty());

    prompts.Then(IDYES, true);
    ASSERT_TRUE(QuickMap(letter, previous));
    EXPECT_EQ(kDisc, network.ConnectionOf("F:"));
    EXPECT_EQ(kOther, previous);
    ASSERT_EQ(2u, prompts.Prompts().size());
    const PromptRequest& asked = prompts.Prompts()[1];
    EXPECT_EQ(FormatText(Text(IDS_ASK_REPLACE_CONNECTION_FMT), "F:", kOther, kDisc), asked.text);
    EXPECT_EQ(Text(IDS_DONT_SHOW_WARNING_AGAIN), asked.checkBoxText);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION), asked.style);
    RegKeyRead user = RegKey::CURRENT_USER.GetKeyRead(kProductKey);
    EXPECT_EQ(0u, user.QueryDWORDValue(Text(IDS_AUTOMAP_WARNING_VALUE)));

    // Switched off: the next replacement asks nothing.
    letter = "F";
    ASSERT_TRUE(QuickMap(letter, previous, false, kOther));
    EXPECT_EQ(2u, prompts.Prompts().size());
    EXPECT_EQ(kOther, network.ConnectionOf("F:"));
}

TEST_F(MapFunctionsTest, ADeviceInUseWithoutAConnectionAsksTheInUseQuestion)
{
    network.SetDriveType("F:\\", DRIVE_REMOTE);
    ScriptedPrompts prompts(IDYES);
    std::string letter = "F:";
    std::string previous;
    ASSERT_TRUE(QuickMap(letter, previous));
    ASSERT_EQ(1u, prompts.Prompts().size());
    EXPECT_EQ(FormatText(Text(IDS_ASK_REPLACE_DEVICE_IN_USE_FMT), "F:", kDisc), prompts.Prompts()[0].text);
}

TEST_F(MapFunctionsTest, AFailedConnectionRestoresThePreviousOneAsItWasEvenWhenSilent)
{
    const std::string longOld = "\\\\OTHER\\" + std::string(280, 'L');   // longer than the classic buffer
    for (const bool silent : {false, true}) {
        SCOPED_TRACE(silent ? "silent" : "with messages");
        ScriptedNetwork scripted;
        scripted.Connect("F:", longOld);
        scripted.AnswerConnect(kDisc, ERROR_BAD_NET_NAME);
        scripted.AnswerConnect(longOld, NO_ERROR);
        RegKey::CURRENT_USER.CreateKey("Network\\F");   // remembered for the next log-on
        ScriptedPrompts prompts(IDYES);

        std::string letter = "F";
        std::string previous;
        EXPECT_FALSE(MapFunctions::QuickMap(kDisc, letter, previous, silent, false));

        EXPECT_EQ(longOld, previous);
        EXPECT_EQ(longOld, scripted.ConnectionOf("F:"));
        EXPECT_TRUE(scripted.IsRemembered("F:")) << "remembered stays remembered";
        const auto restore = scripted.ConnectCalls().back();
        EXPECT_EQ(longOld, restore.remoteName);
        EXPECT_EQ(static_cast<DWORD>(CONNECT_UPDATE_PROFILE), restore.flags);
        EXPECT_EQ(std::vector<std::string>{"F:"}, NotifiedPaths(scripted, SHCNE_DRIVEADD));
        EXPECT_EQ(silent ? 0u : 1u, prompts.Prompts().size());
        RegKey::CURRENT_USER.DeleteKey("Network\\F");
    }
}

TEST_F(MapFunctionsTest, EachRefusalOfTheNetworkGivesItsMessage)
{
    const struct {
        DWORD error;
        UINT message;
    } cases[] = {
        {ERROR_BAD_NET_NAME, IDS_ERR_MAP_CONNECTION_NOT_FOUND_FMT},
        {ERROR_INVALID_PASSWORD, IDS_ERR_MAP_PASSWORD_INVALID_FMT},
        {ERROR_BAD_USERNAME, IDS_ERR_MAP_USER_NAME_INVALID_FMT},
        {ERROR_BAD_NETPATH, IDS_ERR_MAP_CONNECTION_FAILED_FMT},
    };
    for (const auto& expected : cases) {
        network.AnswerConnect(kDisc, expected.error);
        ScriptedPrompts prompts;
        std::string letter;
        std::string previous;
        EXPECT_FALSE(QuickMap(letter, previous));
        ASSERT_EQ(1u, prompts.Prompts().size()) << expected.error;
        EXPECT_EQ(FormatText(Text(expected.message), kDisc), prompts.Prompts()[0].text);
        EXPECT_EQ(Text(IDS_CAPTION_CONNECT_DEVICE), prompts.Prompts()[0].caption);
    }
    EXPECT_TRUE(network.Notifications().empty());
}

TEST_F(MapFunctionsTest, OpenFilesOnTheLetterAreAskedAboutAndNoKeepsTheConnection)
{
    network.Connect("F:", kOther);
    network.AnswerCancel("F:", ERROR_OPEN_FILES);
    {
        ScriptedPrompts prompts;
        prompts.Then(IDYES);   // replace
        prompts.Then(IDNO);    // but not with files open
        std::string letter = "F";
        std::string previous;
        EXPECT_FALSE(QuickMap(letter, previous));
        EXPECT_EQ(FormatText(Text(IDS_ASK_DISCONNECT_WITH_OPEN_FILES_FMT), "F:", "F:"), prompts.Prompts().back().text);
        EXPECT_EQ(Text(IDS_CAPTION_DISCONNECT_DEVICE), prompts.Prompts().back().caption);
        EXPECT_EQ(kOther, network.ConnectionOf("F:"));
        EXPECT_TRUE(network.ConnectCalls().empty());
    }
    ScriptedPrompts prompts(IDYES);
    std::string letter = "F";
    std::string previous;
    ASSERT_TRUE(QuickMap(letter, previous));
    EXPECT_TRUE(network.CancelCalls().back().force);
    EXPECT_EQ(std::vector<std::string>{"F:"}, NotifiedPaths(network, SHCNE_DRIVEREMOVED));
    EXPECT_EQ(kDisc, network.ConnectionOf("F:"));
}

TEST_F(MapFunctionsTest, AFreeLetterTakenBeforeTheConnectionMovesOnToTheNextOneABoundedNumberOfTimes)
{
    network.QueueConnectAnswer(ERROR_ALREADY_ASSIGNED);
    std::string letter;
    std::string previous;
    ASSERT_TRUE(QuickMap(letter, previous));
    EXPECT_EQ("F:", letter);
    EXPECT_EQ(2u, network.ConnectCalls().size());

    for (int i = 0; i < 30; ++i)
        network.QueueConnectAnswer(ERROR_ALREADY_ASSIGNED);
    ScriptedPrompts prompts;
    letter.clear();
    EXPECT_FALSE(QuickMap(letter, previous, false, kOther));
    EXPECT_LE(network.ConnectCalls().size(), 2u + 5u);
    EXPECT_EQ(1u, prompts.Prompts().size());
}

TEST_F(MapFunctionsTest, NoFreeLetterIsReportedAndNothingIsConnected)
{
    for (char letter = 'E'; letter <= 'Z'; ++letter)
        network.Connect(std::string(1, letter) + ":", kOther);
    ScriptedPrompts prompts;
    std::string letter;
    std::string previous;
    EXPECT_FALSE(QuickMap(letter, previous));
    ASSERT_EQ(1u, prompts.Prompts().size());
    EXPECT_EQ(Text(IDS_ERR_NO_FREE_DRIVE_LETTER), prompts.Prompts()[0].text);
    EXPECT_TRUE(network.ConnectCalls().empty());
}

TEST_F(MapFunctionsTest, NamesTheNetworkWouldReceiveCutOrNoLetterAreRefusedBeforeAnyCall)
{
    ScriptedPrompts prompts;
    std::string previous;
    std::string letter = "B";
    EXPECT_FALSE(QuickMap(letter, previous));
    letter = "1:";
    EXPECT_FALSE(QuickMap(letter, previous));
    letter.clear();
    EXPECT_FALSE(QuickMap(letter, previous, false, "\\\\SERVER\\" + std::string(260, 'x')));
    EXPECT_EQ(3u, prompts.Prompts().size());
    EXPECT_TRUE(network.ConnectCalls().empty());
    EXPECT_TRUE(network.CancelCalls().empty());
}

TEST_F(MapFunctionsTest, UnMapSucceedsOnlyWhenTheLetterIsFreeAfterwards)
{
    EXPECT_FALSE(MapFunctions::UnMap(""));
    EXPECT_TRUE(MapFunctions::UnMap("G")) << "a letter not connected is free";

    network.Connect("F:", kOther);
    network.AnswerCancel("F:", ERROR_DEVICE_IN_USE);
    {
        ScriptedPrompts prompts(IDNO);
        EXPECT_FALSE(MapFunctions::UnMap("F:"));
        EXPECT_EQ(kOther, network.ConnectionOf("F:"));
    }
    {
        ScriptedPrompts prompts(IDYES);
        EXPECT_TRUE(MapFunctions::UnMap("F"));
        EXPECT_EQ("", network.ConnectionOf("F:"));
    }
    network.Connect("H:", kOther);
    network.AnswerCancel("H:", ERROR_ACCESS_DENIED);
    EXPECT_FALSE(MapFunctions::UnMap("H")) << "a failure is not reported as success";
    EXPECT_TRUE(network.Notifications().empty());
}

TEST_F(MapFunctionsTest, TheLetterListOfTheMappingPagesHoldsFreeConnectedAndRememberedLetters)
{
    network.Connect("E:", kOther);
    network.Remember("F:", kOther);
    network.AnswerConnectionQuery("G:", ERROR_NO_NETWORK);   // skipped, the scan goes on
    std::vector<std::string> letters;
    EXPECT_EQ(2, MapFunctions::GetDriveLetters(0, letters, "", nullptr));
    ASSERT_GE(letters.size(), 4u);
    EXPECT_EQ((std::vector<std::string>{"E", "F", "H", "I"}), std::vector<std::string>(letters.begin(), letters.begin() + 4));
    EXPECT_EQ(21u, letters.size());   // E to Z without G

    bool alreadyMapped = false;
    EXPECT_EQ(0, MapFunctions::GetDriveLetters(1, letters, kOther, &alreadyMapped));
    EXPECT_EQ(std::vector<std::string>{"E"}, letters);
    EXPECT_TRUE(alreadyMapped);
}
