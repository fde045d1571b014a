#include "file_purge.h"
#include "file_search.h"
#include "protected_folders.h"
#include "purge_report.h"
#include "registry_search.h"

#include "support/purge_test_machine.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <userenv.h>

#include <algorithm>

namespace {

std::string Special(int csidl)
{
    char path[MAX_PATH] = {};
    EXPECT_TRUE(::SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE)) << csidl;
    return path;
}

std::string WindowsFolder()
{
    char path[MAX_PATH] = {};
    ::GetWindowsDirectoryA(path, sizeof path);
    return path;
}

std::string ProfilesFolder()
{
    char path[MAX_PATH] = {};
    DWORD size = sizeof path;
    EXPECT_TRUE(::GetProfilesDirectoryA(path, &size));
    return path;
}

// The part of a path below the profile of the user running the tests.
std::string InsideProfile(const std::string& path)
{
    const std::string profile = Special(CSIDL_PROFILE);
    return path.substr(profile.size() + 1);
}

TEST(ProtectedFoldersTest, SystemFoldersProfilesAndWhatContainsThemAreProtected)
{
    const ProtectedFolders folders = ProtectedFolders::OfThisSystem();
    const std::string windows = WindowsFolder();
    const std::string programFiles = Special(CSIDL_PROGRAM_FILES);
    char systemFolder[MAX_PATH] = {};
    ::GetSystemDirectoryA(systemFolder, sizeof systemFolder);
    char shortProgramFiles[MAX_PATH] = {};
    ::GetShortPathNameA(programFiles.c_str(), shortProgramFiles, sizeof shortProgramFiles);
    std::string lowerWindows = windows;
    ::CharLowerBuffA(lowerWindows.data(), static_cast<DWORD>(lowerWindows.size()));
    const std::string profiles = ProfilesFolder();
    const std::string documentsInProfile = InsideProfile(Special(CSIDL_PERSONAL));

    for (const std::string& path : {
             std::string("C:\\"), std::string("C:"), std::string("D:\\"), std::string("c:/"), windows,
             lowerWindows + "\\", windows + "\\System32\\..", std::string(systemFolder), programFiles,
             std::string(shortProgramFiles), programFiles + "\\Halvo\\..", Special(CSIDL_PROGRAM_FILES_COMMON),
             Special(CSIDL_PROFILE), Special(CSIDL_PERSONAL), Special(CSIDL_DESKTOPDIRECTORY),
             Special(CSIDL_PROGRAMS), Special(CSIDL_APPDATA), Special(CSIDL_COMMON_PROGRAMS),
             Special(CSIDL_COMMON_DESKTOPDIRECTORY), profiles, profiles + "\\Another User",
             profiles + "\\Another User\\" + documentsInProfile,
             // Not absolute, or not a plain path.
             std::string(), std::string("Halvo"), std::string("C:Halvo"), std::string("\\Halvo"),
             std::string(".\\Halvo"), std::string("\\\\?\\C:\\Halvo"), std::string("\\\\.\\C:"),
             // Patterns, streams and names Windows trims would reach a protected folder too.
             std::string("C:\\Win*"), windows.substr(0, windows.size() - 1) + "?", windows + ".", windows + " ",
             windows + "\\.", windows + "::$DATA", windows + "\\System32\\..\\",
             windows + [] { std::string chain; for (int i = 0; i < 150; ++i) chain += "\\Halvo\\.."; return chain; }(),
             // Share roots are drive roots too.
             std::string("\\\\server\\share"), std::string("\\\\server\\share\\"), std::string("\\\\server")})
        EXPECT_TRUE(folders.Protects(path)) << path;

    for (const std::string& path :
         {programFiles + "\\Tessaro Halvo", std::string("D:\\Halvo"), windows + "X", profiles + "\\Another User\\Halvo",
          Special(CSIDL_PROGRAMS) + "\\ORVEK Tessaro HALVO", std::string("\\\\server\\share\\Halvo")})
        EXPECT_FALSE(folders.Protects(path)) << path;
}

TEST(ProtectedFoldersTest, AddedFolderIsProtectedWithItsAncestorsButNotItsContent)
{
    ProtectedFolders folders;
    folders.Add("D:\\Data\\Users\\Shared");
    EXPECT_TRUE(folders.Protects("d:\\data\\users\\shared\\"));
    EXPECT_TRUE(folders.Protects("D:\\Data"));
    EXPECT_FALSE(folders.Protects("D:\\Data\\Users\\Shared\\Halvo"));
    EXPECT_FALSE(folders.Protects("D:\\Data\\Users\\Share"));
}

TEST(ProtectedFoldersTest, ProtectedProgramPathsAreListedAsProtectedAndLeftOutOfThePurge)
{
    PurgeTestMachine machine;
    const std::string windows = WindowsFolder();
    machine.SetString(HKEY_CLASSES_ROOT, "CLSID\\{3E73F0E0-72FE-11D1-B008-00A0C98D47B7}\\NSProductInfo",
                      "Program Path", "C:\\");
    machine.SetString(HKEY_CLASSES_ROOT, "CLSID\\{3E73FA00-72FE-11D1-B008-00A0C98D47B7}\\NSProductInfo",
                      "Program Path", windows);
    machine.SetString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Orvek Communications\\Tessaro Halvo", "Program Path",
                      "Tessaro Halvo");
    machine.SetString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Zandor\\Ferrant", "Program Path", machine.Path("Halvo"));
    machine.SetString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Orvek Communications", "Client Setup Location",
                      machine.programs + "\\..\\Programs");

    const FoundData found{SearchRegistry(), SearchFilesAndFolders(machine.Locations())};
    const std::vector<ReportLine> report = BuildReport(found);
    const std::string protectedComment = "Protected system or user folder: will not be deleted";
    const std::vector<ReportLine> filePart(report.end() - 6, report.end());
    EXPECT_EQ((std::vector<ReportLine>{{"C:\\", protectedComment},
                                       {windows, protectedComment},
                                       {"Tessaro Halvo", protectedComment},
                                       {machine.Path("Halvo"), "Folder"},
                                       {machine.programs + "\\..\\Programs", protectedComment},
                                       {"", ""}}),
              filePart);
    EXPECT_EQ(std::vector<std::string>{machine.Path("Halvo")}, PathsToRecycle(found.paths));
}

} // namespace
