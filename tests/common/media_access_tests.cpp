#include "browse/browse_for_media_dialog.h"

#include "support/scripted_network.h"
#include "support/temp_directory.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kDisc = "\\\\SERVER\\DISC";

MediaStateType StateFor(ScriptedNetwork& network, DWORD error)
{
    network.AnswerProbe(kDisc, error);
    return BrowseForMediaDialog::CheckAccessToMedia(kDisc);
}

} // namespace

TEST(CheckAccessToMediaTest, EachWindowsErrorOfTheSearchGivesItsStateAndStaysTheLastError)
{
    ScriptedNetwork network;
    const struct {
        DWORD error;
        MediaStateType state;
    } cases[] = {
        {NO_ERROR, MediaAccessible},
        {ERROR_FILE_NOT_FOUND, MediaAccessible},   // a disc with nothing on it
        {ERROR_ACCESS_DENIED, MediaAccessDenied},
        {ERROR_NETWORK_ACCESS_DENIED, MediaAccessDenied},
        {ERROR_INVALID_PASSWORD, MediaWrongPassword},
        {ERROR_PATH_NOT_FOUND, MediaNotFound},
        {ERROR_REM_NOT_LIST, MediaNotFound},
        {ERROR_BAD_NETPATH, MediaNotFound},
        {ERROR_NETNAME_DELETED, MediaNotFound},
        {ERROR_BAD_NET_NAME, MediaNotFound},
        {ERROR_NO_NET_OR_BAD_PATH, MediaNotFound},
        {ERROR_NO_NETWORK, MediaNotFound},
        {ERROR_LOGON_FAILURE, MediaOtherError},
        {ERROR_SEM_TIMEOUT, MediaOtherError},
    };
    for (const auto& expected : cases) {
        EXPECT_EQ(expected.state, StateFor(network, expected.error)) << "error " << expected.error;
        EXPECT_EQ(expected.error, ::GetLastError()) << "the caller reports this code";
    }
}

TEST(CheckAccessToMediaTest, NoPathIsNotFoundRatherThanTheCurrentDrive)
{
    ScriptedNetwork network;
    network.unknownPathAnswer = NO_ERROR;
    EXPECT_EQ(MediaNotFound, BrowseForMediaDialog::CheckAccessToMedia(""));
}

TEST(CheckAccessToMediaTest, OnTheRealFileSystemAFolderIsReachableAndAMissingOneIsNot)
{
    TempDirectory folder;
    EXPECT_EQ(MediaAccessible, BrowseForMediaDialog::CheckAccessToMedia(folder.Path()));
    EXPECT_EQ(MediaNotFound, BrowseForMediaDialog::CheckAccessToMedia(folder.Path() + "\\gone"));
}
