#include "mapping/media_mapping.h"

#include "mapping/disc_opening.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "text/text_format.h"
#include "support/branding_loaded.h"
#include "support/registry_sandbox.h"
#include "support/scripted_network.h"
#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kDiscPath = "\\\\SERVER\\DISC";
const std::string kToolsPath = "\\\\SERVER\\TOOLS";
const std::string kOtherPath = "\\\\OTHER\\SHARE";

class MediaMappingTest : public ::testing::Test {
protected:
    MediaMappingTest()
    {
        network.SetDriveType("C:\\", DRIVE_FIXED);
        for (const std::string& path : {kDiscPath, kToolsPath, kOtherPath})
            network.AnswerConnect(path, NO_ERROR);
        disc.Name = "Disc";
        disc.Location = "\\\\SERVER";
        disc.OriginalName = "DISC";
        disc.ItemType = CdRomDisc;
    }

    CacheItem WithMapping(int mode, const std::string& letter, const std::string& multiple = {}) const
    {
        CacheItem item(disc);
        item.AutoMapping = mode;
        item.DriveLetter = letter;
        item.MultipleMapping = multiple;
        return item;
    }

    static std::string Text(UINT id) { return CommonText(id); }

    RegistrySandbox sandbox;
    BrandingLoaded branding;
    ScriptedNetwork network;
    CacheItem disc;
};

std::vector<std::string> LocalNames(const std::vector<DriveLetterUse>& uses)
{
    std::vector<std::string> names;
    for (const DriveLetterUse& use : uses)
        names.push_back(use.localName);
    return names;
}

} // namespace

TEST_F(MediaMappingTest, NoMappingModeMapsNothing)
{
    for (const int mode : {0, 4, -1}) {
        CacheItem item = WithMapping(mode, "F");
        MediaMapping mapping(&item, kDiscPath);
        EXPECT_TRUE(mapping.AutoMediaMapping());
        EXPECT_TRUE(mapping.MappingCompletion());
    }
    EXPECT_TRUE(network.ConnectCalls().empty());
}

TEST_F(MediaMappingTest, AFreeLetterMappingStoresTheBareLetterAndKnowsWhetherItConnectedIt)
{
    CacheItem item = WithMapping(1, "");
    MediaMapping mapping(&item, kDiscPath);
    ASSERT_TRUE(mapping.AutoMediaMapping());
    EXPECT_EQ("D", item.DriveLetter) << "the same bare form as the other modes and the property pages";
    ASSERT_TRUE(mapping.FreeLetterUse());
    EXPECT_EQ("D:", mapping.FreeLetterUse()->localName);
    EXPECT_TRUE(mapping.FreeLetterUse()->ConnectedByMapping());
    EXPECT_TRUE(mapping.SpecificLetterUses().empty()) << "a free-letter mapping is not undone on restore";

    CacheItem again = WithMapping(1, "");
    MediaMapping second(&again, kDiscPath);
    ASSERT_TRUE(second.AutoMediaMapping());
    EXPECT_EQ("D", again.DriveLetter);
    ASSERT_TRUE(second.FreeLetterUse());
    EXPECT_FALSE(second.FreeLetterUse()->ConnectedByMapping()) << "the disc was already served by D:";
    EXPECT_EQ(1u, network.ConnectCalls().size());
}

TEST_F(MediaMappingTest, ASpecificLetterIsAcceptedBareOrWithColonAndRestoredToWhatItServed)
{
    network.Connect("G:", kOtherPath);
    CacheItem bare = WithMapping(2, "F");
    CacheItem withColon = WithMapping(2, "G:");
    ScriptedPrompts prompts(IDYES);   // the replacement question for G:
    MediaMapping first(&bare, kDiscPath);
    MediaMapping second(&withColon, kDiscPath);
    ASSERT_TRUE(first.AutoMediaMapping());
    ASSERT_TRUE(second.AutoMediaMapping());
    EXPECT_EQ(kDiscPath, network.ConnectionOf("F:"));
    EXPECT_EQ(kDiscPath, network.ConnectionOf("G:"));

    first.RestoreMediaMappings();
    second.RestoreMediaMappings();
    EXPECT_EQ("", network.ConnectionOf("F:")) << "a letter free before is free again";
    EXPECT_EQ(kOtherPath, network.ConnectionOf("G:"));
    EXPECT_EQ(2u, prompts.Prompts().size()) << "putting the old connection back asks before replacing, too";
    EXPECT_TRUE(second.SpecificLetterUses().empty());
}

TEST_F(MediaMappingTest, EachFailureAsksWhetherToGoOnAndClearsCompletionAsTheTableSays)
{
    network.AnswerConnect(kDiscPath, ERROR_BAD_NET_NAME);
    {
        ScriptedPrompts prompts(IDYES);
        CacheItem item = WithMapping(1, "");
        MediaMapping mapping(&item, kDiscPath);
        EXPECT_TRUE(mapping.AutoMediaMapping()) << "Yes goes on with the network path";
        EXPECT_FALSE(mapping.MappingCompletion());
        EXPECT_EQ(FormatText(Text(IDS_ASK_CONTINUE_AFTER_FREE_MAP_FAILURE_FMT), kDiscPath), prompts.Texts().back());
        EXPECT_EQ(Text(IDS_CAPTION_AUTOMAPPING), prompts.Prompts().back().caption);
    }
    {
        ScriptedPrompts prompts(IDNO);
        CacheItem item = WithMapping(2, "F");
        MediaMapping mapping(&item, kDiscPath);
        EXPECT_FALSE(mapping.AutoMediaMapping());
        EXPECT_FALSE(mapping.MappingCompletion());
        EXPECT_EQ(FormatText(Text(IDS_ASK_CONTINUE_AFTER_MAP_FAILURE_FMT), "F:", kDiscPath), prompts.Texts().back());
    }
    {
        // The own disc within several paths fails: asked, but the completion stands.
        ScriptedPrompts prompts(IDYES);
        CacheItem item = WithMapping(3, "", "This Disc:F|" + kToolsPath + ":G");
        MediaMapping mapping(&item, kDiscPath);
        EXPECT_TRUE(mapping.AutoMediaMapping());
        EXPECT_TRUE(mapping.MappingCompletion());
        EXPECT_EQ(kToolsPath, network.ConnectionOf("G:")) << "Yes goes on with the next pair";
        EXPECT_EQ("", item.DriveLetter);
    }
    {
        ScriptedPrompts prompts(IDNO);
        network.AnswerConnect(kToolsPath, ERROR_BAD_NET_NAME);
        CacheItem item = WithMapping(3, "", kToolsPath + ":H|" + kOtherPath + ":I");
        MediaMapping mapping(&item, kDiscPath);
        EXPECT_FALSE(mapping.AutoMediaMapping());
        EXPECT_FALSE(mapping.MappingCompletion());
        EXPECT_EQ("", network.ConnectionOf("I:")) << "No stops before the next pair";
    }
}

TEST_F(MediaMappingTest, SeveralPathsMapInOrderAndTheOwnDiscStoresItsLetter)
{
    CacheItem item = WithMapping(3, "Z", kToolsPath + ":H|This Disc:J|" + kOtherPath + ":K");
    MediaMapping mapping(&item, kDiscPath);
    ASSERT_TRUE(mapping.AutoMediaMapping());
    EXPECT_EQ("J", item.DriveLetter);
    EXPECT_EQ((std::vector<std::string>{"H:", "J:", "K:"}), LocalNames(mapping.SpecificLetterUses()));
    EXPECT_EQ(kDiscPath, network.ConnectionOf("J:"));

    CacheItem empty = WithMapping(3, "Z", "");
    MediaMapping nothing(&empty, kDiscPath);
    EXPECT_TRUE(nothing.AutoMediaMapping());
    EXPECT_EQ("", empty.DriveLetter) << "so the network path is opened";
}

TEST_F(MediaMappingTest, ThisDiscIsNeverConnectedAsAPathAndBrokenPairsAreSkipped)
{
    ScriptedPrompts prompts(IDYES);
    CacheItem item = WithMapping(3, "", "This Disc:none|This Disc:H|:I|" + kToolsPath + ":|" + kOtherPath + ":1|" + kToolsPath + ":G");
    MediaMapping mapping(&item, kDiscPath);
    EXPECT_TRUE(mapping.AutoMediaMapping());
    for (const auto& call : network.ConnectCalls())
        EXPECT_NE("This Disc", call.remoteName);
    EXPECT_EQ(std::vector<std::string>{"G:"}, LocalNames(mapping.SpecificLetterUses()));
    EXPECT_EQ("", item.DriveLetter) << "the own disc was set to no drive";
    // The letter "1" is refused before mapping, and the user is asked whether to go on.
    ASSERT_EQ(1u, prompts.Prompts().size());
    EXPECT_EQ(FormatText(Text(IDS_ASK_CONTINUE_AFTER_MAP_FAILURE_FMT), "1:", kOtherPath), prompts.Texts()[0]);
    EXPECT_FALSE(mapping.MappingCompletion());
}

TEST_F(MediaMappingTest, OpeningGoesToTheMappedDriveOnlyWhenTheOwnDiscWasMapped)
{
    CacheItem noMapping = WithMapping(0, "F");
    EXPECT_EQ(kDiscPath, MapDiscForOpening(disc, noMapping));

    CacheItem free = WithMapping(1, "");
    EXPECT_EQ("D:\\", MapDiscForOpening(disc, free));

    // The settings of an AutoMap folder apply to the disc inside it.
    CacheItem folder;
    folder.ItemType = MappedFolder;
    folder.AutoMapping = 2;
    folder.DriveLetter = "F";
    EXPECT_EQ("F:\\", MapDiscForOpening(disc, folder));

    CacheItem several = WithMapping(3, "", kToolsPath + ":H");
    EXPECT_EQ(kDiscPath, MapDiscForOpening(disc, several)) << "the own disc got no letter";
    network.AnswerConnect(kDiscPath, ERROR_BAD_NET_NAME);
    {
        ScriptedPrompts prompts(IDYES);
        CacheItem specific = WithMapping(2, "K");
        EXPECT_EQ(kDiscPath, MapDiscForOpening(disc, specific)) << "Yes after a failure opens the network path";
    }
    {
        ScriptedPrompts prompts(IDNO);
        CacheItem gaveUp = WithMapping(3, "", kToolsPath + ":L|This Disc:M");
        EXPECT_EQ(std::nullopt, MapDiscForOpening(disc, gaveUp));
        EXPECT_EQ("", network.ConnectionOf("L:")) << "what was mapped for it is undone";
    }
}
