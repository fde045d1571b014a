// The texts of the public folder data as files from a shared folder: export text and index.
#include "public/export_text.h"
#include "public/index_text.h"

#include "support/guarded_bytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using export_text::Section;
using export_text::Value;

Value Text(const std::string& name, const std::string& text) { return {name, false, 0, text}; }
Value Number(const std::string& name, std::uint32_t number) { return {name, true, number, {}}; }

TEST(ExportTextTest, ValuesAreWrittenAsTheRegistryScriptFormHasThem)
{
    std::string text;
    export_text::AppendSection(text, {"HKEY_CURRENT_USER\\Key", {Text("Location", "\\\\ATLAS\\CD"), Number("ItemType", 11),
                                                                 Number("Zero", 0), Number("All", 0xFFFFFFFF)}});
    export_text::AppendSection(text, {"HKEY_CURRENT_USER\\Key\\Empty", {}});
    EXPECT_EQ("[HKEY_CURRENT_USER\\Key]\r\n"
              "\"Location\"=\"\\\\\\\\ATLAS\\\\CD\"\r\n"
              "\"ItemType\"=dword:b\r\n"
              "\"Zero\"=dword:0\r\n"
              "\"All\"=dword:ffffffff\r\n"
              "\r\n",
              text);
    EXPECT_EQ("a\\b", export_text::RemoveExtraBackslashes("a\\\\b"));
    EXPECT_EQ("a\\b", export_text::RemoveExtraBackslashes("a\\b"));
    EXPECT_EQ("\\\\\\", export_text::RemoveExtraBackslashes("\\\\\\\\\\\\"));
}

TEST(ExportTextTest, WhatIsWrittenReadsBackAsItWas)
{
    const Section section{"HKEY_CURRENT_USER\\Software\\X\\Cache\\Team]",
                          {Text("Comment", "say \"hi\" at C:\\"), Text("", "default"), Number("Big", 0x80000000),
                           Text("Blank", "  two ends  ")}};
    std::string text;
    export_text::AppendSection(text, section);
    const export_text::ParsedText parsed = export_text::Parse(text);
    ASSERT_EQ(1u, parsed.sections.size());
    EXPECT_EQ(section, parsed.sections.front());
    EXPECT_EQ(0u, parsed.unreadLines);
}

TEST(ExportTextTest, LinesThatDoNotReadAsTheWriterWritesThemArePassedOver)
{
    std::string text = "[K]\n"
                       "\"Ok\"=\"kept\"\n"
                       "=\"no name\"\n"
                       "\"=\"one quote\"\n"
                       "Bare=\"unquoted name\"\n"
                       "\"Max\"=dword:FFFFFFFF\n"
                       "\"Long\"=dword:100000000\n"
                       "\"Negative\"=dword:-1\n"
                       "\"Prefixed\"=dword:0x1f\n"
                       "\"Blank\"=dword:\n"
                       "\"Letters\"=dword:12zz\n"
                       "\"Binary\"=hex:01,02\n"
                       "\"Broken\"=\"first line\n"
                       "of a string\"\n"
                       "\"Padded\"=dword:0000000b\n";
    text += std::string("\"Zero\"=\"a\0b\"\n", 13);
    const export_text::ParsedText parsed = export_text::Parse(text);
    ASSERT_EQ(1u, parsed.sections.size());
    EXPECT_EQ((std::vector<Value>{Text("Ok", "kept"), Number("Max", 0xFFFFFFFF), Number("Padded", 11)}),
              parsed.sections.front().values);
    EXPECT_EQ(11u, parsed.unreadLines);
}

TEST(ExportTextTest, AValueBelongsOnlyToTheHeaderItFollowsUntilAnEmptyLine)
{
    const export_text::ParsedText parsed = export_text::Parse("REGEDIT4\r\n\r\n"
                                                              "[A]\r\n\"One\"=dword:1\r\n\r\n"
                                                              "\"Stray\"=dword:2\r\n"
                                                              "[B\r\n\"UnderBrokenHeader\"=dword:3\r\n"
                                                              "[]\r\n\"UnderEmptyName\"=dword:4\r\n");
    ASSERT_EQ(2u, parsed.sections.size());
    EXPECT_EQ((Section{"A", {Number("One", 1)}}), parsed.sections[0]);
    EXPECT_EQ((Section{"", {Number("UnderEmptyName", 4)}}), parsed.sections[1]);
    EXPECT_EQ(1u, parsed.unreadLines);
}

TEST(ExportTextTest, OnlyTheFolderKeyAndKeysBelowItAreItsOwn)
{
    const std::string folder = "HKEY_CURRENT_USER\\Software\\Maker\\Product\\Cache\\Team";
    EXPECT_EQ("", export_text::PathBelowKey(folder, folder));
    EXPECT_EQ("AC/DC", export_text::PathBelowKey(folder + "\\AC/DC", folder));
    EXPECT_EQ("Sub\\Disc", export_text::PathBelowKey("hkey_current_user\\SOFTWARE\\maker\\product\\cache\\team\\Sub\\Disc",
                                                     folder));
    for (const char* outside : {"HKEY_CURRENT_USER\\Software\\Maker\\Product\\Cache\\Teammate",
                                "HKEY_CURRENT_USER\\Software\\Maker\\Product\\Cache\\Team\\..\\Other",
                                "HKEY_CURRENT_USER\\Software\\Maker\\Product\\Cache\\Team\\.",
                                "HKEY_CURRENT_USER\\Software\\Maker\\Product\\Cache\\Team\\\\Sub",
                                "HKEY_CURRENT_USER\\Software\\Maker\\Product\\Cache\\Team\\Sub\\",
                                "HKEY_CURRENT_USER\\Software\\Maker\\Product\\Cache\\Team\\Sub/..\\Other",
                                "HKEY_CURRENT_USER\\Software\\Maker\\Product\\Cache\\Team\\:/\\Other",
                                "HKEY_LOCAL_MACHINE\\Software\\Maker\\Product\\Cache\\Team",
                                "HKEY_CURRENT_USER\\Software\\Maker\\Product\\Cache"})
        EXPECT_FALSE(export_text::PathBelowKey(outside, folder)) << outside;
}

TEST(ExportTextTest, ReadingStopsAtTheLastByteItWasGiven)
{
    const std::string text = "[K]\r\n\"Name\"=\"Team\"\r\n\"Count\"=dword:1f";
    const GuardedBytes guarded(std::vector<std::uint8_t>(text.begin(), text.end()));
    const export_text::ParsedText parsed =
        export_text::Parse(std::string_view(reinterpret_cast<const char*>(guarded.Data()), text.size()));
    ASSERT_EQ(1u, parsed.sections.size());
    EXPECT_EQ((std::vector<Value>{Text("Name", "Team"), Number("Count", 31)}), parsed.sections.front().values);
}

TEST(IndexTextTest, SectionsAndValuesReadAsTheProfileFunctionsReadThem)
{
    const std::vector<index_text::Section> sections = index_text::Parse("[Halvo Server Data]\r\n"
                                                                         "Version = 2.00 \r\n"
                                                                         "[Team]\r\n"
                                                                         "Comment=\"  spaced  \"\r\n"
                                                                         "comment=second\r\n"
                                                                         "File='x'\r\n"
                                                                         "no equals sign\r\n"
                                                                         "; a remark=not a key\r\n"
                                                                         "[TEAM]\r\n"
                                                                         "File=C:\\twice\r\n"
                                                                         "[a]b] tail\r\n"
                                                                         "Comment=last bracket\r\n"
                                                                         "[unclosed\r\n"
                                                                         "File=nowhere\r\n");
    ASSERT_EQ(3u, sections.size());
    EXPECT_EQ("2.00", index_text::ValueOf(sections[0], "version"));
    EXPECT_EQ("Team", sections[1].name);
    EXPECT_EQ((std::vector<index_text::Entry>{{"Comment", "  spaced  "}, {"File", "x"}}), sections[1].entries);
    EXPECT_EQ("a]b", sections[2].name);
    EXPECT_EQ("", index_text::ValueOf(sections[2], "File"));
}

TEST(IndexTextTest, WhatIsWrittenReadsBackAsItWas)
{
    const std::vector<index_text::Section> sections{
        {"Halvo Server Data", {{"Version", "2.00"}, {"Client Setup Location", ""}}},
        {"Team", {{"Comment", " padded "}, {"File", "\"quoted\""}}},
        {"Long", {{"Comment", std::string(1000, 'c')}, {"File", "\\\\ATLAS\\Public\\" + std::string(300, 'f') + ".pfr"}}},
    };
    EXPECT_EQ(sections, index_text::Parse(index_text::Format(sections)));

    const std::vector<index_text::Section> broken{{"Lines", {{"Comment", "one\r\ntwo"}}}, {"Bad\nName", {}}, {"", {}}};
    EXPECT_EQ((std::vector<index_text::Section>{{"Lines", {{"Comment", "one  two"}}}}),
              index_text::Parse(index_text::Format(broken)));
}

TEST(IndexTextTest, AnExportFileMustLieInsideTheDataLocation)
{
    const std::string location = "\\\\ATLAS\\Public";
    EXPECT_TRUE(index_text::IsInsideFolder("\\\\ATLAS\\Public\\Team.pfr", location));
    EXPECT_TRUE(index_text::IsInsideFolder("\\\\atlas\\public\\Old\\Team.pfr", location + "\\"));
    for (const char* outside : {"\\\\ATLAS\\Public", "\\\\ATLAS\\Public\\", "\\\\ATLAS\\PublicData\\Team.pfr",
                                "\\\\ATLAS\\Public\\..\\Secret\\Team.pfr", "\\\\ATLAS\\Public\\Sub/../../x.pfr",
                                "\\\\ATLAS\\Public\\\\Team.pfr", "\\\\ATLAS\\Public\\Team.pfr.",
                                "\\\\ATLAS\\Public\\Team.pfr:hidden", "C:\\Windows\\win.ini", "Team.pfr"})
        EXPECT_FALSE(index_text::IsInsideFolder(outside, location)) << outside;
    EXPECT_FALSE(index_text::IsInsideFolder("C:\\x.pfr", ""));
}

} // namespace
