#include "script/client_setup_script.h"
#include "script/script_text.h"

#include "support/branding_loaded.h"
#include "support/temp_directory.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

constexpr char kSection[] = "Dialog Data";
constexpr char kKey[] = "GlobalDataLocation";

TEST(ScriptTextTest, TheEntryIsReplacedAndEverythingElseStaysAsItWas)
{
    const std::string script = "[Silent Dialogs]\r\nWelcome=1\r\n\r\n"
                               "[Dialog Data]\r\nDestinationLocation=%PROGRAM_FILES%\\Orvek\r\n"
                               "GlobalDataLocation=\\\\OLD\\data\r\nRunTutorial=0\r\n";
    EXPECT_EQ("[Silent Dialogs]\r\nWelcome=1\r\n\r\n"
              "[Dialog Data]\r\nDestinationLocation=%PROGRAM_FILES%\\Orvek\r\n"
              "GlobalDataLocation=\\\\NEW\\data\r\nRunTutorial=0\r\n",
              SetIniEntry(script, kSection, kKey, "\\\\NEW\\data"));
    // Names compare without regard to case, and a second line of the key goes.
    EXPECT_EQ("[dialog data]\nA=1\nGlobalDataLocation=X\n[Next]\nglobaldatalocation=other\n",
              SetIniEntry("[dialog data]\nA=1\n globaldatalocation = old\nGLOBALDATALOCATION=older\n[Next]\n"
                          "globaldatalocation=other\n",
                          kSection, kKey, "X"));
}

TEST(ScriptTextTest, AMissingEntryOrSectionIsAddedAndAnEmptyValueRemovesTheEntry)
{
    EXPECT_EQ("[Dialog Data]\r\nRunTutorial=1\r\nGlobalDataLocation=D\r\n\r\n[Silent Dialogs]\r\n",
              SetIniEntry("[Dialog Data]\r\nRunTutorial=1\r\n\r\n[Silent Dialogs]\r\n", kSection, kKey, "D"));
    EXPECT_EQ("[Silent Dialogs]\nWelcome=1\n[Dialog Data]\nGlobalDataLocation=D\n",
              SetIniEntry("[Silent Dialogs]\nWelcome=1", kSection, kKey, "D"));
    EXPECT_EQ("[Dialog Data]\r\nGlobalDataLocation=D\r\n", SetIniEntry("", kSection, kKey, "D"));
    EXPECT_EQ("[Dialog Data]\r\nRunTutorial=1\r\n",
              SetIniEntry("[Dialog Data]\r\nGlobalDataLocation=D\r\nRunTutorial=1\r\n", kSection, kKey, ""));
    EXPECT_EQ("[Other]\r\n", SetIniEntry("[Other]\r\n", kSection, kKey, ""));
}

class ClientSetupScriptTest : public ::testing::Test {
protected:
    std::string ScriptFile() const { return folder.File("sscript.ini"); }
    std::string FilesInFolder() const
    {
        std::string names;
        WIN32_FIND_DATAA found{};
        const HANDLE search = ::FindFirstFileA(folder.File("*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do {
            if (found.cFileName[0] != '.')
                names += std::string(found.cFileName) + ";";
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
        return names;
    }

    BrandingLoaded branding;
    TempDirectory folder;
};

TEST_F(ClientSetupScriptTest, TheScriptIsWrittenWholeAndNothingElseIsLeftBeside)
{
    ASSERT_TRUE(WriteWholeFile(ScriptFile(), "[Silent Dialogs]\r\nWelcome=1\r\n"));
    ClientSetupScript script(folder.Path());
    EXPECT_EQ(ScriptFile(), script.Path());
    ASSERT_TRUE(script.Load());
    ASSERT_TRUE(script.SetEntry(kSection, kKey, "\\\\SRV\\data"));
    ASSERT_TRUE(script.Save());
    EXPECT_EQ("[Silent Dialogs]\r\nWelcome=1\r\n[Dialog Data]\r\nGlobalDataLocation=\\\\SRV\\data\r\n",
              ReadWholeFile(ScriptFile()));
    EXPECT_EQ("sscript.ini;", FilesInFolder());
    // What the installation reads: the profile functions find the entry.
    char value[64] = {};
    ::GetPrivateProfileStringA(kSection, kKey, "", value, sizeof value, ScriptFile().c_str());
    EXPECT_STREQ("\\\\SRV\\data", value);

    // A folder without a script gets one.
    TempDirectory empty;
    ClientSetupScript fresh(empty.Path());
    ASSERT_TRUE(fresh.Load());
    ASSERT_TRUE(fresh.SetEntry(kSection, kKey, "D:\\data"));
    ASSERT_TRUE(fresh.Save());
    EXPECT_EQ("[Dialog Data]\r\nGlobalDataLocation=D:\\data\r\n", ReadWholeFile(fresh.Path()));
}

TEST_F(ClientSetupScriptTest, AScriptThatIsNoTextOrEntriesThatSpanLinesAreRefusedAndTheFileStays)
{
    const std::string binary("[Dialog Data]\r\nA=1\0\x01\x02", 20);
    ASSERT_TRUE(WriteWholeFile(ScriptFile(), binary));
    ClientSetupScript script(folder.Path());
    EXPECT_FALSE(script.Load());
    ASSERT_TRUE(WriteWholeFile(ScriptFile(), std::string(200 * 1024, 'x')));
    EXPECT_FALSE(script.Load());

    ASSERT_TRUE(WriteWholeFile(ScriptFile(), "[Dialog Data]\r\nRunTutorial=1\r\n"));
    ASSERT_TRUE(script.Load());
    // A value with a line break would add entries of its own choosing.
    EXPECT_FALSE(script.SetEntry(kSection, kKey, "D:\\data\r\n[Silent Dialogs]\r\nWelcome=1"));
    EXPECT_FALSE(script.SetEntry(kSection, "Key=Value", "x"));
    EXPECT_FALSE(script.SetEntry("Dialog]Data", kKey, "x"));
    ASSERT_TRUE(script.Save());
    EXPECT_EQ("[Dialog Data]\r\nRunTutorial=1\r\n", ReadWholeFile(ScriptFile()));
}

TEST_F(ClientSetupScriptTest, AScriptThatCannotBeWrittenKeepsTheOldOne)
{
    ASSERT_TRUE(WriteWholeFile(ScriptFile(), "[Dialog Data]\r\nRunTutorial=1\r\n"));
    ClientSetupScript script(folder.Path());
    ASSERT_TRUE(script.Load());
    ASSERT_TRUE(script.SetEntry(kSection, kKey, "D:\\data"));
    // Held open without sharing by another program, the script cannot be replaced.
    const HANDLE held = ::CreateFileA(ScriptFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_FALSE(script.Save());
    ::CloseHandle(held);
    EXPECT_EQ("[Dialog Data]\r\nRunTutorial=1\r\n", ReadWholeFile(ScriptFile()));
    EXPECT_EQ("sscript.ini;", FilesInFolder());

    ClientSetupScript nowhere(folder.File("missing folder"));
    ASSERT_TRUE(nowhere.Load());
    ASSERT_TRUE(nowhere.SetEntry(kSection, kKey, "D:\\data"));
    EXPECT_FALSE(nowhere.Save());
}

} // namespace
