#include "namespace/namespace_functions.h"

#include "base/module_path.h"
#include "com/com_apartment.h"
#include "res/string_ids.h"
#include "resources/texts.h"

#include "support/cache_fixture.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace {

struct ShortcutContent {
    std::string target;
    std::string arguments;
    std::string iconFile;
    int iconIndex = -1;
};

ShortcutContent ReadShortcut(const std::string& path)
{
    ShortcutContent content;
    ComPtr<IShellLinkA> link;
    ComPtr<IPersistFile> file;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))) ||
        FAILED(link.As(&file)) || FAILED(file->Load(std::wstring(path.begin(), path.end()).c_str(), STGM_READ)))
        return content;
    char text[MAX_PATH] = {};
    link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
    content.target = text;
    link->GetArguments(text, MAX_PATH);
    content.arguments = text;
    link->GetIconLocation(text, MAX_PATH, &content.iconIndex);
    content.iconFile = text;
    return content;
}

class NamespaceShortcutTest : public CacheFixture {
protected:
    ComApartment apartment_;
};

TEST_F(NamespaceShortcutTest, ASecondShortcutOfTheSameNameGetsANumber)
{
    const std::string target = folder.File("Dialwise.exe");
    ASSERT_TRUE(WriteWholeFile(target, "MZ"));
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(NamespaceFunctions::CreateShortcut("Atlas", nullptr, target.c_str(), folder.Path().c_str(), 0,
                                                       CdRomDisc, "\"-a:Work\\Atlas\"", nullptr));
    EXPECT_TRUE(FileExists(folder.File("Atlas.lnk")));
    EXPECT_TRUE(FileExists(folder.File("Atlas (2).lnk")));
    EXPECT_TRUE(FileExists(folder.File("Atlas (3).lnk")));

    const ShortcutContent second = ReadShortcut(folder.File("Atlas (2).lnk"));
    EXPECT_EQ("\"-a:Work\\Atlas\"", second.arguments);
    // Disc shortcuts show the disc's icon of the branding library.
    EXPECT_EQ(folder.Path() + "\\" + CommonText(IDS_BRANDING_DLL_NAME), second.iconFile);
    EXPECT_EQ(NamespaceFunctions::GetIconIndex(CdRomDisc), second.iconIndex);
}

TEST_F(NamespaceShortcutTest, AShortcutNamedAfterAnItemStaysInItsFolderWhateverTheName)
{
    const std::string target = folder.File("Dialwise.exe");
    ASSERT_TRUE(WriteWholeFile(target, "MZ"));
    const std::string inner = folder.File("inner");
    ASSERT_TRUE(::CreateDirectoryA(inner.c_str(), nullptr));
    // Disc names come from storage servers: none may climb out, name a stream or a device.
    const std::vector<std::string> names = {"..\\Escaped", "..", "Atlas:stream", "a/b*?<>|\"", std::string(300, 'n')};
    for (const std::string& name : names)
        ASSERT_TRUE(NamespaceFunctions::CreateShortcut(name.c_str(), nullptr, target.c_str(), inner.c_str(), 0,
                                                       CdRomDisc, nullptr, nullptr))
            << name;
    EXPECT_TRUE(FileExists(JoinPath(inner, ".._Escaped.lnk")));
    EXPECT_TRUE(FileExists(JoinPath(inner, "__.lnk")));
    EXPECT_TRUE(FileExists(JoinPath(inner, "Atlas_stream.lnk")));
    EXPECT_TRUE(FileExists(JoinPath(inner, "a_b______.lnk")));
    EXPECT_FALSE(FileExists(folder.File("Escaped.lnk")));
    EXPECT_FALSE(FileExists(folder.File(".lnk")));
}

TEST_F(NamespaceShortcutTest, NothingToPointAtMakesNoShortcut)
{
    EXPECT_FALSE(NamespaceFunctions::CreateShortcut("Atlas", nullptr, nullptr, folder.Path().c_str(), 0, CdRomDisc,
                                                    nullptr, nullptr));
    EXPECT_FALSE(NamespaceFunctions::CreateShortcut(nullptr, nullptr, "C:\\x.exe", folder.Path().c_str(), 0,
                                                    CdRomDisc, nullptr, nullptr));
    EXPECT_FALSE(FileExists(folder.File("Atlas.lnk")));
}

TEST(NamespaceFunctionsTest, IconIndicesByTypeWithThirteenForUnknownTypes)
{
    EXPECT_EQ(0, NamespaceFunctions::GetIconIndex(RootFolder));
    EXPECT_EQ(4, NamespaceFunctions::GetIconIndex(UserFolder));
    EXPECT_EQ(15, NamespaceFunctions::GetIconIndex(LaunchObject));
    EXPECT_EQ(13, NamespaceFunctions::GetIconIndex(static_cast<ListItemType>(7)));
    EXPECT_EQ(13, NamespaceFunctions::GetIconIndex(static_cast<ListItemType>(4711)));
    EXPECT_EQ(13, NamespaceFunctions::GetIconIndex(static_cast<ListItemType>(-1)));
}

TEST(NamespaceFunctionsTest, NextFolderTakesOnePartOfAPathAtATime)
{
    std::string path = "Work\\Projects\\2026";
    EXPECT_EQ("Work", NamespaceFunctions::GetNextFolder(path));
    EXPECT_EQ("Projects\\2026", path);
    EXPECT_EQ("Projects", NamespaceFunctions::GetNextFolder(path));
    EXPECT_EQ("2026", NamespaceFunctions::GetNextFolder(path));
    EXPECT_EQ("", path);
    EXPECT_EQ("", NamespaceFunctions::GetNextFolder(path));
}

} // namespace
