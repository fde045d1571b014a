#include "file_search.h"
#include "purge_report.h"
#include "registry_search.h"

#include "support/purge_test_machine.h"

#include <gtest/gtest.h>

namespace {

class PurgeSearchTest : public ::testing::Test {
protected:
    FoundData Search() const
    {
        return {SearchRegistry(), SearchFilesAndFolders(machine.Locations())};
    }

    PurgeTestMachine machine;
};

const std::vector<ReportLine> kNothingFound = {
    {"*** Registry keys and values ***", ""},
    {"", ""},
    {"No registry data found.", ""},
    {"", ""},
    {"============================================================", ""},
    {"", ""},
    {"*** Files and folders ***", ""},
    {"", ""},
    {"No files or folders found.", ""}};

TEST_F(PurgeSearchTest, MachineWithoutTheSuiteReportsNothingFound)
{
    machine.InstallDecoys();
    const FoundData found = Search();
    EXPECT_TRUE(found.Empty());
    EXPECT_EQ(kNothingFound, BuildReport(found));
}

TEST_F(PurgeSearchTest, PreparedMachineListsExactlyTheSuitesDataInReportOrder)
{
    machine.InstallEverything();
    EXPECT_EQ(machine.FullReport(), BuildReport(Search()));
}

TEST_F(PurgeSearchTest, ProgramPathRecordedUnderBothProductInfoKeysIsListedOnce)
{
    const std::string folder = machine.Path("Halvo");
    machine.CreateFolder(folder);
    std::string otherSpelling = folder + "\\";
    ::CharLowerBuffA(otherSpelling.data(), static_cast<DWORD>(otherSpelling.size()));
    machine.SetString(HKEY_CLASSES_ROOT, "CLSID\\{3E73F0E0-72FE-11D1-B008-00A0C98D47B7}\\NSProductInfo",
                      "Program Path", folder);
    machine.SetString(HKEY_CLASSES_ROOT, "CLSID\\{3E73FA00-72FE-11D1-B008-00A0C98D47B7}\\NSProductInfo",
                      "Program Path", otherSpelling);

    const std::vector<FoundPath> paths = SearchFilesAndFolders(machine.Locations());
    ASSERT_EQ(1u, paths.size());
    EXPECT_EQ((FoundPath{folder, PathKind::Folder, false}), paths[0]);
}

TEST_F(PurgeSearchTest, LocalMachineSectionAppearsForValuesAlone)
{
    machine.SetString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "ORVEK Tessaro Halvo",
                      "Trawlex.exe");
    const std::vector<ReportLine> report = BuildReport(Search());
    const std::vector<ReportLine> registryPart(report.begin(), report.begin() + 6);
    EXPECT_EQ((std::vector<ReportLine>{
                  {"*** Registry keys and values ***", ""},
                  {"", ""},
                  {"[HKEY_LOCAL_MACHINE]", ""},
                  {"", ""},
                  {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run:  ORVEK Tessaro Halvo", "String Value"},
                  {"", ""}}),
              registryPart);
}

TEST_F(PurgeSearchTest, FoldersNamedInTheRegistryMustExistExceptProgramFolders)
{
    // The installer's folder and the client set-up folder count only when they are there; a
    // recorded program folder counts as recorded.
    machine.SetString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
                      machine.Path("ProgramFiles"));
    machine.SetString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Orvek Communications", "Client Setup Location",
                      machine.Path("Client Setup"));
    machine.SetString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Zandor\\Ferrant", "Program Path", machine.Path("Removed"));

    const std::vector<FoundPath> paths = SearchFilesAndFolders(machine.Locations());
    ASSERT_EQ(1u, paths.size());
    EXPECT_EQ(machine.Path("Removed"), paths[0].path);
}

} // namespace
