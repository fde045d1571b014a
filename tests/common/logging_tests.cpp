#include "logging/logging.h"
#include "registry/registry.h"
#include "resources/branding_ids.h"
#include "resources/resources.h"
#include "settings/product_version.h"

#include "support/registry_sandbox.h"
#include "support/temp_directory.h"

#include <gtest/gtest.h>

#include <regex>


namespace {

::testing::AssertionResult MatchesRegex(const std::string& text, const std::string& pattern)
{
    if (std::regex_match(text, std::regex(pattern)))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\"" << text << "\" does not match " << pattern;
}

class LoggingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_hBrandingInstance = ::LoadLibraryExA("Skinset.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, g_hBrandingInstance);
        RegKey::LOCAL_MACHINE.CreateKey("SOFTWARE\\Orvek Communications\\Tessaro Halvo")
            .SetStringValue("Program Path", folder.Path());
        Logging::LogIndicator = 1;
    }
    void TearDown() override
    {
        Logging::LogIndicator = 0;
        ::FreeLibrary(g_hBrandingInstance);
        g_hBrandingInstance = nullptr;
    }

    std::string LogText() const { return ReadWholeFile(folder.File("basalt_logging_tests.log")); }

    RegistrySandbox sandbox;
    TempDirectory folder;
};

TEST_F(LoggingTest, FileIsNamedAfterTheProgramInLowerCaseInTheInstallationFolder)
{
    EXPECT_EQ(folder.File("basalt_logging_tests.log"), Logging::LogFilePath());
    Logging::OutToLogFile("Cache::AddItem() - first\n");
    EXPECT_EQ("Cache::AddItem() - first\n", LogText());
}

TEST_F(LoggingTest, LinesAreAppendedAndATextWithoutLineEndRunsOn)
{
    Logging::OutToLogFile("one ");
    Logging::OutToLogFile("two\n");
    Logging::OutToLogFile("three\n");
    EXPECT_EQ("one two\nthree\n", LogText());
}

TEST_F(LoggingTest, LayoutsPutTimeTextAndNumberInTheirOrder)
{
    Logging::OutToLogFile("text", 42);
    Logging::OutToLogFile("\n");
    Logging::OutToLogFile(-7, "other");
    EXPECT_TRUE(MatchesRegex(LogText(), "[0-9]{1,2}:[0-9]{1,2}:[0-9]{1,2}   text   42\n"
                                        "[0-9]{1,2}:[0-9]{1,2}:[0-9]{1,2}   -7   other"));
}

TEST_F(LoggingTest, NothingIsWrittenWhileSwitchedOffExceptByTheExplicitWriter)
{
    Logging::LogIndicator = 0;
    Logging::OutToLogFile("a");
    Logging::OutToLogFile("b", 1);
    Logging::OutToLogFile(1, "c");
    Logging::OutToLogFileAndWindow("d");
    EXPECT_FALSE(FileExists(folder.File("basalt_logging_tests.log")));

    Logging::OutToLogFile("written", 3, TextOnly);
    EXPECT_EQ("written", LogText());
}

TEST_F(LoggingTest, PrintDateWritesTheHeaderBlockWithTheVersion)
{
    Logging::OutToLogFile("PrintDate");
    const std::string stars(80, '*');
    EXPECT_TRUE(MatchesRegex(LogText(), "\\*{80}\n"
                                        "\\*{21} DATE: [0-9]{4}:[0-9]{1,2}:[0-9]{1,2}   TIME: [0-9]{1,2}:[0-9]{1,2}:[0-9]{1,2}\n"
                                        "\\*{21} Fileversion: [0-9]+\\.[0-9]+\n"
                                        "\\*{80}"));
    std::string version;
    EXPECT_EQ(1, Logging::GetDLLFileVersion(version));
    // The product version, as the suite records it installed.
    EXPECT_EQ(kProductVersion, version);
    EXPECT_NE(std::string::npos, LogText().find("Fileversion: " + version + "\n"));
}

TEST_F(LoggingTest, NoInstallationFolderMeansNoLogAndNoFailure)
{
    RegKey::LOCAL_MACHINE.GetKey("SOFTWARE\\Orvek Communications\\Tessaro Halvo").DeleteValue("Program Path");
    EXPECT_EQ("", Logging::LogFilePath());
    Logging::OutToLogFile("dropped\n");

    RegKey::LOCAL_MACHINE.GetKey("SOFTWARE\\Orvek Communications\\Tessaro Halvo")
        .SetStringValue("Program Path", folder.File("no such folder"));
    Logging::OutToLogFile("dropped too\n");
    EXPECT_FALSE(FileExists(folder.File("basalt_logging_tests.log")));
}

} // namespace
