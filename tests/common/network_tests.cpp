#include "network/network_api.h"
#include "network/network_enumeration.h"

#include "support/scripted_network.h"
#include "support/temp_directory.h"

#include <gtest/gtest.h>

#include <fstream>

TEST(SystemNetworkTest, DirectoryProbeAnswersZeroForAFolderEvenEmptyAndTheErrorForAMissingOne)
{
    ASSERT_EQ(nullptr, SetNetworkOverride(nullptr)) << "a test left its network installed";
    TempDirectory folder;
    EXPECT_EQ(0u, Network().ProbeDirectory(folder.Path())) << "an empty folder still lists its own entries";
    std::ofstream(folder.Path() + "\\file.txt") << "x";
    EXPECT_EQ(0u, Network().ProbeDirectory(folder.Path()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), Network().ProbeDirectory(folder.Path() + "\\missing"));
}

TEST(NetworkSeamTest, AScriptedNetworkAnswersWhileInstalledAndTheRealOneComesBack)
{
    NetworkApi* real = &Network();
    {
        ScriptedNetwork network;
        network.AnswerProbe("\\\\SERVER\\SHARE", ERROR_NETWORK_ACCESS_DENIED);
        EXPECT_EQ(&network, &Network());
        EXPECT_EQ(static_cast<DWORD>(ERROR_NETWORK_ACCESS_DENIED), Network().ProbeDirectory("\\\\server\\share"));
    }
    EXPECT_EQ(real, &Network());
}

TEST(NetworkEnumerationTest, ClosesWhatItOpenedOnceThroughItsOwnNetwork)
{
    ScriptedNetwork network;
    network.AddResource("", {"Microsoft Windows Network", "Microsoft Windows Network"});
    {
        NetworkEnumeration first(network);
        ASSERT_EQ(0u, first.Open(RESOURCE_GLOBALNET, RESOURCETYPE_ANY, RESOURCEUSAGE_CONTAINER, nullptr));
        EXPECT_EQ(1u, network.OpenEnumerations());
        // Opening again closes the first handle instead of leaking it.
        ASSERT_EQ(0u, first.Open(RESOURCE_GLOBALNET, RESOURCETYPE_ANY, RESOURCEUSAGE_CONTAINER, nullptr));
        EXPECT_EQ(1u, network.OpenEnumerations());
        NetworkEnumeration moved(std::move(first));
        EXPECT_FALSE(first.IsOpen());
        EXPECT_TRUE(moved.IsOpen());
    }
    EXPECT_EQ(2u, network.EnumerationsOpened());
    EXPECT_EQ(0u, network.OpenEnumerations());
}
