#include "disc_type_rule.h"
#include "storage_server_finder.h"

#include <gtest/gtest.h>

namespace {

TEST(DiscTypeRuleTest, WithoutSearchStringsJazSharesAreJazDisksAndOtherSharesCdRoms)
{
    const DiscTypeRule rule({}, {});
    EXPECT_EQ(rule.Classify("MEDIA", ""), CdRomDisc);
    EXPECT_EQ(rule.Classify("backup", "Iomega Jaz cartridge"), JazDisc);
    EXPECT_EQ(rule.Classify("myjaz1", ""), JazDisc);
    EXPECT_EQ(rule.Classify("ADMIN$", ""), std::nullopt);
    EXPECT_EQ(rule.Classify("JAZ$", "Jaz drive"), std::nullopt);
}

TEST(DiscTypeRuleTest, ConfiguredStringsChooseTheDiscsAndEachListFallsBackOnItsOwn)
{
    const DiscTypeRule both({"cd", "", "dvd"}, {"zip"});
    EXPECT_EQ(both.Classify("TOOLS", "Zip drive"), JazDisc);
    EXPECT_EQ(both.Classify("CD1", ""), CdRomDisc);
    EXPECT_EQ(both.Classify("MOVIES", "Dvd changer"), CdRomDisc);
    EXPECT_EQ(both.Classify("DOCS", "Documents"), std::nullopt);   // an empty string matches nothing
    EXPECT_EQ(both.Classify("JAZ1", ""), std::nullopt);            // the default gave way to "zip"

    const DiscTypeRule jazOnly({}, {"zip"});
    EXPECT_EQ(jazOnly.Classify("DOCS", ""), CdRomDisc);
    EXPECT_EQ(jazOnly.Classify("ZIP2", ""), JazDisc);

    const DiscTypeRule cdOnly({"CD"}, {});
    EXPECT_EQ(cdOnly.Classify("JAZCD", ""), JazDisc);
    EXPECT_EQ(cdOnly.Classify("DOCS", ""), std::nullopt);
}

TEST(StorageServerNameTest, NamesFromRepliesBecomeRemoteNamesOrAreRefused)
{
    EXPECT_EQ(StorageServerRemoteName("TESSARO1"), "\\\\TESSARO1");
    EXPECT_EQ(StorageServerRemoteName("host.example.com"), "\\\\host.example.com");
    for (const char* bad : {"", "a\\b", "a b", "x/y", "c:", "q\"", "tab\t", "\x7f"})
        EXPECT_EQ(StorageServerRemoteName(bad), "") << bad;
    EXPECT_EQ(StorageServerRemoteName(std::string(254, 'a')), "");

    EXPECT_EQ(HostOfServiceUrl("service:lumivex.orvek://10.0.0.7:427/x"), "10.0.0.7");
    EXPECT_EQ(HostOfServiceUrl("service:lumivex.orvek://box"), "box");
    EXPECT_EQ(HostOfServiceUrl("service:lumivex.orvek:/box"), "");
}

} // namespace
