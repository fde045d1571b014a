// Public folders between an administrator and clients in one sandboxed registry: the data location
// is a folder of the test, the search module is scripted and answers on the test's thread.
#include "base/scoped_handle.h"
#include "com/com_apartment.h"
#include "com/com_module.h"
#include "public/export_text.h"
#include "public/public_folders.h"
#include "public/rescan_startup_dlg.h"
#include "public/server_data_coordinator.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "text/text_format.h"

#include "registered_search_module.h"
#include "shellext/scripted_server.h"
#include "support/cache_fixture.h"
#include "support/dialog_driver.h"
#include "support/modal_dialog_run.h"
#include "support/prompt_recorder.h"
#include "support/registry_snapshot.h"
#include "support/simulated_share.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <set>

ComModule& ThisComModule()
{
    static ComModule module;
    return module;
}

namespace {

const std::string kCacheKeyName = std::string("HKEY_CURRENT_USER\\") + kProductKey + "\\Cache";

std::string Lines(std::initializer_list<const char*> lines)
{
    std::string text;
    for (const char* line : lines)
        text.append(line).append("\r\n");
    return text;
}

std::set<std::string> FilesIn(const std::string& folder)
{
    std::set<std::string> names;
    WIN32_FIND_DATAA entry;
    const HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.insert(entry.cFileName);
    } while (::FindNextFileA(search, &entry));
    ::FindClose(search);
    return names;
}

// An administrator with a data location, the root folder Work and the folder of all discs; the
// scripted search module answers on this thread.
class PublicFolderTest : public CacheFixture {
protected:
    void SetUp() override
    {
        CacheFixture::SetUp();
        SetKind(387);
        SetDataLocation(data.Path());
        server = MakeComObject<ScriptedServer>();
        registered = std::make_unique<RegisteredSearchModule>(static_cast<INotifyNSServer*>(server.Get()));
    }
    void TearDown() override { registered.reset(); }

    static void SetDataLocation(const std::string& location)
    {
        RegKey::LOCAL_MACHINE.CreateKey(kProductKey).SetStringValue("Global Data Location", location);
    }

    // The administrator's public folder Team: a disc, an AutoMap sub-folder and a launch object.
    static void MakeTeam()
    {
        RegKey team = CacheKey("Team");
        team.SetStringValue("Name", "Team");
        team.SetStringValue("OriginalName", "Team");
        team.SetDWORDValue("ItemType", UserFolder);
        team.SetStringValue("Type", "User Folder");
        team.SetStringValue("Comment", "Discs of \\\\ATLAS");
        team.SetDWORDValue("HasSubFolders", 1);
        team.SetDWORDValue("ItemCreator", ItemCreatorServer);
        team.SetDWORDValue("PublicFolder", 1);
        RegKey disc = CacheKey("Team\\d1");
        disc.SetStringValue("Name", "Manuals");
        disc.SetStringValue("OriginalName", "Manuals");
        disc.SetDWORDValue("ItemType", CdRomDisc);
        disc.SetStringValue("Type", "CD-ROM");
        disc.SetStringValue("Location", "\\\\ATLAS\\MANUALS");
        const BYTE bytes[] = {1, 2};
        ::RegSetValueExA(disc, "Binary", 0, REG_BINARY, bytes, sizeof bytes);
        RegKey maps = CacheKey("Team\\Maps");
        maps.SetStringValue("Name", "Maps");
        maps.SetDWORDValue("ItemType", MappedFolder);
        maps.SetStringValue("Type", "AutoMap Folder");
        maps.SetStringValue("DriveLetter", "M");
        RegKey tool = CacheKey("Team\\Tool");
        tool.SetStringValue("Name", "Tool");
        tool.SetDWORDValue("ItemType", LaunchObject);
        tool.SetStringValue("Type", "Launch Object");
        tool.SetStringValue("TargetFile", "C:\\Tools\\run.exe");
        tool.SetDWORDValue("IconIndex", 11);
        CacheKey("Team\\Tool\\Actions\\0").SetDWORDValue("ActionOrder", 0);
    }

    static void MakePublished(const std::string& name)
    {
        MakeFolder(name, name, UserFolder);
        CacheKey(name).SetDWORDValue("PublicFolder", 1);
    }

    static bool InCache(const std::string& path)
    {
        return RegKey::CURRENT_USER.KeyExists(std::string(kProductKey) + "\\Cache\\" + path);
    }
    static void DeleteFromCache(const std::string& name) { CacheKey("").DeleteKey(name); }

    static CacheItem StoredRootFolder(const std::string& name)
    {
        CacheItem folder;
        const RegKeyRead key = RegKey::CURRENT_USER.GetKeyRead(std::string(kProductKey) + "\\Cache\\" + name);
        folder.ReadDataSet1FromRegistry(&key);
        folder.GetMoreData();
        return folder;
    }

    static bool Export(const std::string& name) { return PublicFolderMgr().ExportOrRemoveFolder(StoredRootFolder(name)); }

    // The client's view of the same data: the administrator's own folders gone.
    static void BecomeClient()
    {
        if (InCache("Team"))
            DeleteFromCache("Team");
        RegKey::LOCAL_MACHINE.CreateKey(kProductKey).SetDWORDValue("Installed Version", 0);
    }

    static std::vector<PublicFolderItem> Listed()
    {
        std::vector<PublicFolderItem> folders;
        PublicFolderMgr().GetPublicFolders(folders);
        return folders;
    }

    static std::string Value(const std::string& path, const char* name)
    {
        std::string text;
        RegKey::CURRENT_USER.GetKeyRead(std::string(kProductKey) + "\\Cache\\" + path).TryQueryStringValue(name, text);
        return text;
    }
    static unsigned long Number(const std::string& path, const char* name)
    {
        return RegKey::CURRENT_USER.GetKeyRead(std::string(kProductKey) + "\\Cache\\" + path).QueryDWORDValue(name);
    }

    void WriteIndex(const std::string& sections) { ASSERT_TRUE(WriteWholeFile(data.File("datafile.txt"), sections)); }

    TempDirectory data;
    ComApartment apartment;
    Microsoft::WRL::ComPtr<ScriptedServer> server;
    std::unique_ptr<RegisteredSearchModule> registered;
};

TEST_F(PublicFolderTest, ExportWritesTheFolderAsRegistryScriptTextAndListsIt)
{
    MakeTeam();
    ASSERT_TRUE(Export("Team"));

    const std::string team = kCacheKeyName + "\\Team";
    // Values in the registry's order of enumeration, each "Type" right after its "ItemType".
    const std::string expected =
        Lines({("[" + team + "]").c_str(), "\"Comment\"=\"Discs of \\\\\\\\ATLAS\"", "\"HasSubFolders\"=dword:1",
               "\"ItemType\"=dword:b", "\"Type\"=\"Public Folder\"", "\"Name\"=\"Team\"", "\"OriginalName\"=\"Team\"", "",
               ("[" + team + "\\d1]").c_str(), "\"ItemType\"=dword:2", "\"Type\"=\"CD/DVD\"",
               "\"Location\"=\"\\\\\\\\ATLAS\\\\MANUALS\"", "\"Name\"=\"Manuals\"", "\"OriginalName\"=\"Manuals\"", "",
               ("[" + team + "\\Maps]").c_str(), "\"DriveLetter\"=\"M\"", "\"ItemType\"=dword:c",
               "\"Type\"=\"Public AutoMap Folder\"", "\"Name\"=\"Maps\"", "",
               ("[" + team + "\\Tool]").c_str(), "\"IconIndex\"=dword:b", "\"ItemType\"=dword:9",
               "\"Type\"=\"Launch Object\"", "\"Name\"=\"Tool\"", "\"TargetFile\"=\"C:\\\\Tools\\\\run.exe\"", "",
               ("[" + team + "\\Tool\\Actions\\0]").c_str(), "\"ActionOrder\"=dword:0", ""});
    EXPECT_EQ(expected, ReadWholeFile(data.File("Team.pfr")));

    const std::vector<PublicFolderItem> listed = Listed();
    ASSERT_EQ(1u, listed.size());
    EXPECT_EQ("Team", listed[0].Name);
    EXPECT_EQ("Discs of \\\\ATLAS", listed[0].Comment);
    EXPECT_EQ(data.File("Team.pfr"), listed[0].File);
    std::string version, setupLocation;
    PublicFolderMgr().GetDataFileInfo(version, setupLocation);
    EXPECT_EQ("0.00", version);
    // Written whole beside the old files, then renamed: nothing else is left there.
    EXPECT_EQ((std::set<std::string>{"Team.pfr", "datafile.txt"}), FilesIn(data.Path()));
}

// What a client on another machine that opened a file before it was replaced goes on reading.
std::string ReadOpenFile(HANDLE file)
{
    ::SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    std::string content(65536, '\0');
    DWORD read = 0;
    ::ReadFile(file, content.data(), static_cast<DWORD>(content.size()), &read, nullptr);
    content.resize(read);
    return content;
}

TEST_F(PublicFolderTest, AnIndexOpenOnAnotherMachineIsNeverRewrittenInPlace)
{
    MakeTeam();
    ASSERT_TRUE(Export("Team"));
    const std::string oldIndex = ReadWholeFile(data.File("datafile.txt"));
    CacheKey("Team").SetStringValue("Comment", "Changed");
    {
        const ScopedFile reader(::CreateFileA(data.File("datafile.txt").c_str(), GENERIC_READ,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        const PromptRecorder prompts;
        EXPECT_FALSE(Export("Team"));
        ASSERT_EQ(1u, prompts.Prompts().size());
        EXPECT_EQ(FormatText(CommonText(IDS_ERR_EXPORT_FOLDER_FMT), "Team", data.Path()), prompts.Prompts()[0].text);
        EXPECT_EQ(oldIndex, ReadOpenFile(reader.Get()));
    }
    EXPECT_EQ(oldIndex, ReadWholeFile(data.File("datafile.txt")));
    EXPECT_EQ((std::set<std::string>{"Team.pfr", "datafile.txt"}), FilesIn(data.Path()));
    // Read and let go, as a client does: the next export replaces it.
    EXPECT_TRUE(Export("Team"));
    EXPECT_NE(std::string::npos, ReadWholeFile(data.File("datafile.txt")).find("Comment=Changed"));
}

TEST_F(PublicFolderTest, AClientImportsTheFolderAsThePublicFolderItWasExportedAs)
{
    MakeTeam();
    ASSERT_TRUE(Export("Team"));
    BecomeClient();

    ASSERT_TRUE(PublicFolderMgr().ImportFolders(Listed()));
    EXPECT_EQ(PublicUserFolder, static_cast<int>(Number("Team", "ItemType")));
    EXPECT_EQ("Public Folder", Value("Team", "Type"));
    EXPECT_EQ("Discs of \\\\ATLAS", Value("Team", "Comment"));
    EXPECT_FALSE(RegKey::CURRENT_USER.GetKeyRead(std::string(kProductKey) + "\\Cache\\Team").ValueExists("PublicFolder"));
    EXPECT_EQ("\\\\ATLAS\\MANUALS", Value("Team\\d1", "Location"));
    EXPECT_FALSE(RegKey::CURRENT_USER.GetKeyRead(std::string(kProductKey) + "\\Cache\\Team\\d1").ValueExists("Binary"));
    EXPECT_EQ(PublicMappedFolder, static_cast<int>(Number("Team\\Maps", "ItemType")));
    EXPECT_EQ("C:\\Tools\\run.exe", Value("Team\\Tool", "TargetFile"));
    EXPECT_EQ(11u, Number("Team\\Tool", "IconIndex"));
    EXPECT_EQ(0u, Number("Team\\Tool\\Actions\\0", "ActionOrder"));
    EXPECT_FALSE(InCache("Team|import"));
    // The views are told through the search module; the selection is the client's from now on.
    EXPECT_EQ(std::vector<std::string>{"UpdateItem"}, server->Methods());
    EXPECT_EQ("Team", server->calls[0].item.Name);
    EXPECT_TRUE(RegKey::CURRENT_USER.GetKeyRead(std::string(kProductKey) + "\\Public Folders").ValueExists("Team"));
}

TEST_F(PublicFolderTest, MakingAFolderPrivateTakesItsExportAndEntryAndKeepsTheServerData)
{
    MakeTeam();
    MakePublished("Sales");
    ASSERT_TRUE(Export("Team"));
    ASSERT_TRUE(Export("Sales"));

    CacheKey("Team").SetDWORDValue("PublicFolder", 0);
    ASSERT_TRUE(Export("Team"));
    EXPECT_EQ((std::set<std::string>{"Sales.pfr", "datafile.txt"}), FilesIn(data.Path()));
    const std::string index = ReadWholeFile(data.File("datafile.txt"));
    EXPECT_NE(std::string::npos, index.find("[Halvo Server Data]\r\nVersion=0.00\r\n"));
    EXPECT_NE(std::string::npos, index.find("[Sales]"));
    EXPECT_EQ(std::string::npos, index.find("[Team]"));
}

TEST_F(PublicFolderTest, ReselectingAFolderReloadsItWithoutAddingItToTheViewsAgain)
{
    MakeTeam();
    ASSERT_TRUE(Export("Team"));
    BecomeClient();
    ASSERT_TRUE(PublicFolderMgr().ImportFolders(Listed()));

    const std::string file = data.File("Team.pfr");
    std::string text = ReadWholeFile(file);
    const std::string comment = "\"Comment\"=\"Discs of \\\\\\\\ATLAS\"";
    ASSERT_NE(std::string::npos, text.find(comment));
    text.replace(text.find(comment), comment.size(), "\"Comment\"=\"Changed\"");
    ASSERT_TRUE(WriteWholeFile(file, text));
    ASSERT_TRUE(PublicFolderMgr().ImportFolders(Listed()));

    EXPECT_EQ("Changed", Value("Team", "Comment"));
    EXPECT_EQ(std::vector<std::string>{"UpdateItem"}, server->Methods());
}

TEST_F(PublicFolderTest, AFolderNamedLikeALocalItemIsRefusedAndTheLocalItemStays)
{
    MakeTeam();
    ASSERT_TRUE(Export("Team"));
    BecomeClient();
    MakeFolder("TEAM", "TEAM", UserFolder);
    const std::string before = RegistrySnapshot(CacheKey(""));
    const PromptRecorder prompts;

    EXPECT_FALSE(PublicFolderMgr().ImportFolders(Listed()));
    ASSERT_EQ(1u, prompts.Prompts().size());
    EXPECT_EQ("An item with the name 'Team' already exists.\n\nYou must rename or delete the existing item before you "
              "can select this public folder.",
              prompts.Prompts()[0].text);
    EXPECT_EQ("Error Importing Folder", prompts.Prompts()[0].caption);
    EXPECT_EQ(before, RegistrySnapshot(CacheKey("")));
    EXPECT_TRUE(server->calls.empty());
}

TEST_F(PublicFolderTest, AnExportFileWritesNothingButTheFoldersOwnStringsAndNumbers)
{
    BecomeClient();
    MakeFolder("Other", "Other", PublicUserFolder);
    const std::string other = RegistrySnapshot(CacheKey("Other"));
    const std::string team = kCacheKeyName + "\\Team";
    ASSERT_TRUE(WriteWholeFile(
        data.File("Team.pfr"),
        Lines({("[" + team + "]").c_str(), "\"Name\"=\"Team\"", "\"ItemType\"=dword:b", "\"Big\"=dword:80000000",
               "\"Wide\"=hex(2):41,00", "", "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run]",
               "\"Evil\"=\"C:\\\\evil.exe\"", "",
               ("[HKEY_CURRENT_USER\\" + std::string(kProductKey) + "\\Cache\\Other]").c_str(), "\"Comment\"=\"taken\"", "",
               ("[" + team + "\\..\\Other]").c_str(), "\"Comment\"=\"climbed\"", "",
               ("[" + team + "mate]").c_str(), "\"Name\"=\"Teammate\"", "",
               "[HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run]", "\"Evil\"=\"C:\\\\evil.exe\"", "",
               ("[" + team + "\\Disc]").c_str(), "\"Location\"=\"\\\\\\\\ATLAS\"", ""})));
    WriteIndex(Lines({"[Team]", ("File=" + data.File("Team.pfr")).c_str()}));

    ASSERT_TRUE(PublicFolderMgr().ImportFolder(Listed().front()));
    EXPECT_EQ(0x80000000u, Number("Team", "Big"));
    EXPECT_FALSE(RegKey::CURRENT_USER.GetKeyRead(std::string(kProductKey) + "\\Cache\\Team").ValueExists("Wide"));
    EXPECT_EQ("\\\\ATLAS", Value("Team\\Disc", "Location"));
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
        EXPECT_FALSE(RegKey(root).KeyExists("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"));
    EXPECT_EQ(other, RegistrySnapshot(CacheKey("Other")));
    std::set<std::string> rootKeys;
    RegKeyEnumerator keys = CacheKey("").GetKeyEnumerator();
    while (keys.Next())
        rootKeys.insert(keys.GetName());
    EXPECT_EQ((std::set<std::string>{"All Discs", "Other", "Team", "Work"}), rootKeys);
}

TEST_F(PublicFolderTest, IndexEntriesNameNoKeyOrFileOutsideTheirPlace)
{
    BecomeClient();
    MakeFolder("Work\\Keep", "Keep", UserFolder);
    const std::string cache = RegistrySnapshot(CacheKey(""));
    const std::string outside = data.File("..\\Team.pfr");
    WriteIndex(Lines({"[Work\\Keep]", ("File=" + data.File("x.pfr")).c_str(), "[..]", "[Team]",
                      ("File=" + outside).c_str(), "[A/B]"}));
    std::vector<PublicFolderItem> listed;
    ASSERT_EQ(1, PublicFolderMgr().GetPublicFolders(listed));
    EXPECT_EQ("Team", listed[0].Name);

    const PublicFolderItem hostile[] = {{"Work\\Keep", "", data.File("x.pfr")},
                                        {"..", "", data.File("x.pfr")},
                                        {"Team", "", outside},
                                        {"Team", "", "C:\\windows\\win.ini"}};
    for (const PublicFolderItem& entry : hostile)
        EXPECT_FALSE(PublicFolderMgr().ImportFolder(entry)) << entry.Name << " " << entry.File;
    EXPECT_EQ(cache, RegistrySnapshot(CacheKey("")));

    // Nothing of an entry is cut short.
    const std::string comment(600, 'c');
    WriteIndex(Lines({"[Team]", ("Comment=" + comment).c_str(), ("File=" + data.File(std::string(250, 'f'))).c_str()}));
    ASSERT_EQ(1, PublicFolderMgr().GetPublicFolders(listed));
    EXPECT_EQ(comment, listed[0].Comment);
    EXPECT_EQ(data.File(std::string(250, 'f')), listed[0].File);
}

TEST_F(PublicFolderTest, AFileThatDoesNotLoadLeavesTheImportedCopyAsItWas)
{
    MakeTeam();
    ASSERT_TRUE(Export("Team"));
    BecomeClient();
    ASSERT_TRUE(PublicFolderMgr().ImportFolders(Listed()));
    const std::string imported = RegistrySnapshot(CacheKey("Team"));
    const PublicFolderItem entry = Listed().front();

    const std::string team = kCacheKeyName + "\\Team";
    for (const std::string& damaged :
         {std::string("garbage"), Lines({("[" + team + "]").c_str(), "\"Name\"=\"Team\"", "\"ItemType\"=dword:1"}),
          Lines({("[" + team + "]").c_str(), "\"Name\"=\"Other\"", "\"ItemType\"=dword:b"}),
          Lines({("[" + team + "]").c_str(), "\"Name\"=\"Team\"", "\"OriginalName\"=\"Other\"", "\"ItemType\"=dword:b"}),
          Lines({("[" + team + "\\Sub]").c_str(), "\"Name\"=\"Team\"", "\"ItemType\"=dword:b"})}) {
        ASSERT_TRUE(WriteWholeFile(entry.File, damaged));
        EXPECT_FALSE(PublicFolderMgr().ImportFolder(entry)) << damaged;
        EXPECT_EQ(imported, RegistrySnapshot(CacheKey("Team")));
    }
    ::DeleteFileA(entry.File.c_str());
    EXPECT_FALSE(PublicFolderMgr().ImportFolder(entry));
    EXPECT_EQ(imported, RegistrySnapshot(CacheKey("Team")));
}

TEST_F(PublicFolderTest, AnExportThatFailsKeepsThePreviousOne)
{
    MakeTeam();
    ASSERT_TRUE(Export("Team"));
    const std::string previous = ReadWholeFile(data.File("Team.pfr"));
    const std::string index = ReadWholeFile(data.File("datafile.txt"));

    // Full key names of 240 characters are refused, with the folder named.
    std::string deep = "Team";
    while (kCacheKeyName.size() + 1 + deep.size() < PublicFolderMgr::kKeyNameLimit)
        deep += "\\Level";
    CacheKey(deep).SetStringValue("Name", "Deep");
    const PromptRecorder prompts;
    EXPECT_FALSE(Export("Team"));
    ASSERT_EQ(1u, prompts.Prompts().size());
    EXPECT_EQ("Path or subpath too long.\n\nFolder 'Team' cannot be exported.", prompts.Prompts()[0].text);
    EXPECT_EQ(previous, ReadWholeFile(data.File("Team.pfr")));
    EXPECT_EQ(index, ReadWholeFile(data.File("datafile.txt")));
    EXPECT_EQ((std::set<std::string>{"Team.pfr", "datafile.txt"}), FilesIn(data.Path()));
}

TEST_F(PublicFolderTest, ADataLocationOnTheNetworkTakesExportsAndImports)
{
    const SimulatedShare share("ATLAS", "PUBLIC");
    SetDataLocation(share.Path());
    MakeTeam();
    ASSERT_TRUE(Export("Team"));
    const std::string exported = ReadWholeFile(share.Folder() + "\\Team.pfr");
    EXPECT_NE(std::string::npos, exported.find("\"Type\"=\"Public Folder\""));
    BecomeClient();
    EXPECT_TRUE(PublicFolderMgr().ImportFolders(Listed()));
    EXPECT_EQ(share.Path() + "\\Team.pfr", Listed().front().File);
    EXPECT_EQ("Manuals", Value("Team\\d1", "Name"));
    ::DeleteFileA((share.Folder() + "\\Team.pfr").c_str());
    ::DeleteFileA((share.Folder() + "\\datafile.txt").c_str());
}

TEST_F(PublicFolderTest, AFolderTheSearchModuleDeletedAlreadyIsWithdrawnAllTheSame)
{
    BecomeClient();
    MakeFolder("Team", "Team", PublicUserFolder);
    server->effect = [](const ScriptedServer::Call& call) {
        if (call.method == "DeleteItem")
            DeleteFromCache(call.item.Name);
    };
    EXPECT_TRUE(PublicFolderMgr().WithdrawFolder("Team"));
    EXPECT_FALSE(InCache("Team"));

    MakeFolder("Team", "Team", PublicUserFolder);
    server->effect = nullptr;
    server->answers.push_back(0x0004200C);   // "not found": a view got there first
    EXPECT_TRUE(PublicFolderMgr().AddOrRemoveFolderFromShellViews("Team", false));
    EXPECT_TRUE(PublicFolderMgr().WithdrawFolder("Team"));
    EXPECT_FALSE(InCache("Team"));
    // A folder of the user's own is never withdrawn.
    EXPECT_FALSE(PublicFolderMgr().WithdrawFolder("Work"));
    EXPECT_TRUE(InCache("Work"));
}

TEST_F(PublicFolderTest, TheAllDiscsFolderIsExportedWithTheDiscsOfTheDatabase)
{
    UpdateServer("\\\\ATLAS", {Disc("\\\\ATLAS", "MANUALS"), Disc("\\\\ATLAS", "MAPS", JazDisc)});
    CacheKey("All Discs").SetDWORDValue("PublicFolder", 1);
    ASSERT_TRUE(Export("All Discs"));
    const std::vector<export_text::Section> sections =
        export_text::Parse(ReadWholeFile(data.File("All Discs.pfr"))).sections;
    ASSERT_EQ(3u, sections.size());
    EXPECT_EQ(kCacheKeyName + "\\All Discs", sections[0].keyName);
    EXPECT_EQ(kCacheKeyName.size() + std::string("\\All Discs\\").size() + 32, sections[1].keyName.size());
    EXPECT_EQ(CdRomDisc, static_cast<int>(sections[1].values[3].number));

    ASSERT_TRUE(PublicFolderMgr::SaveKey(kCacheKeyName + "\\Work", data.File("work.reg"), true));
    EXPECT_EQ(0u, ReadWholeFile(data.File("work.reg")).find("REGEDIT4\r\n\r\n[" + kCacheKeyName + "\\Work]\r\n"));
    EXPECT_TRUE(PublicFolderMgr::SaveKey("HKEY_NOWHERE\\Key", data.File("none.reg"), true));
    EXPECT_FALSE(FileExists(data.File("none.reg")));
}

// Sees whether the notice still had its window and its connection to the search module when it
// was deleted.
class WatchedRescanStartupDlg : public RescanStartupDlg {
public:
    struct Seen {
        std::atomic<bool> deleted{false};
        std::atomic<bool> windowOpen{false};
        std::atomic<bool> connected{false};
    };
    explicit WatchedRescanStartupDlg(Seen& seen) : RescanStartupDlg(nullptr, false, true), seen_(seen) {}
    ~WatchedRescanStartupDlg() override
    {
        seen_.windowOpen = Window() != nullptr;
        seen_.connected = SearchModule() != nullptr;
        seen_.deleted = true;
    }

private:
    Seen& seen_;
};

TEST_F(PublicFolderTest, TheScanningNoticeHoldsTheSearchModuleAndDeletesItselfAfterItsEnd)
{
    WatchedRescanStartupDlg::Seen seen;
    ModalDialogRun run([&] {
        // The notice's connection is made on its own thread, where the module must answer.
        const RegisteredSearchModule module(static_cast<INotifyNSServer*>(server.Get()));
        return (new WatchedRescanStartupDlg(seen))->DoModal();
    });
    const HWND notice = run.Window();
    EXPECT_NE(0, ::SendDlgItemMessageA(notice, 1331, STM_GETICON, 0, 0));
    EXPECT_EQ("Scanning Network", WindowText(notice));
    ClickItem(notice, IDOK);
    INT_PTR result = 0;
    ASSERT_TRUE(run.WaitForEnd(result));
    EXPECT_EQ(IDOK, result);
    EXPECT_TRUE(seen.deleted);
    EXPECT_FALSE(seen.windowOpen);
    EXPECT_TRUE(seen.connected);
}

class ServerDataCoordinatorTest : public PublicFolderTest {};

TEST_F(ServerDataCoordinatorTest, TheAdministratorsUpdateBringsTheDataInLineWithTheRoot)
{
    MakeTeam();
    MakePublished("Sales");
    ASSERT_TRUE(Export("Team"));
    ASSERT_TRUE(Export("Sales"));
    DeleteFromCache("Sales");   // deleted locally
    CacheKey("Work").SetDWORDValue("PublicFolder", 1);                                     // made public meanwhile
    ::DeleteFileA(data.File("Team.pfr").c_str());                                          // lost on the server

    ServerDataCoordinator().StartUpdate();
    EXPECT_EQ((std::set<std::string>{"Team.pfr", "Work.pfr", "datafile.txt"}), FilesIn(data.Path()));
    std::vector<std::string> names;
    for (const PublicFolderItem& entry : Listed())
        names.push_back(entry.Name);
    std::sort(names.begin(), names.end());
    EXPECT_EQ((std::vector<std::string>{"Team", "Work"}), names);
}

TEST_F(ServerDataCoordinatorTest, AClientsUpdateFollowsTheAdministratorsFoldersItsSelectionChose)
{
    MakeTeam();
    MakePublished("Sales");
    MakePublished("Stock");
    for (const char* name : {"Team", "Sales", "Stock"})
        ASSERT_TRUE(Export(name));
    BecomeClient();
    DeleteFromCache("Sales");
    DeleteFromCache("Stock");
    std::vector<PublicFolderItem> chosen;
    for (const PublicFolderItem& entry : Listed()) {
        if (entry.Name != "Stock")
            chosen.push_back(entry);
    }
    ASSERT_TRUE(PublicFolderMgr().ImportFolders(chosen));
    server->calls.clear();

    // The administrator withdraws Team and publishes Work; Stock was never chosen.
    CacheItem team;
    team.Name = team.OriginalName = "Team";
    team.ItemType = UserFolder;
    ASSERT_TRUE(PublicFolderMgr().ExportOrRemoveFolder(team));

    ServerDataCoordinator().StartUpdate();
    EXPECT_FALSE(InCache("Team"));
    EXPECT_TRUE(InCache("Sales"));
    EXPECT_FALSE(InCache("Stock"));
    ASSERT_EQ(std::vector<std::string>{"DeleteItem"}, server->Methods());
    EXPECT_EQ("Team", server->calls[0].item.Name);

    // An index that cannot be read changes nothing.
    const std::string before = RegistrySnapshot(CacheKey(""));
    SetDataLocation(data.File("gone"));
    ServerDataCoordinator().StartUpdate();
    EXPECT_EQ(before, RegistrySnapshot(CacheKey("")));
}

} // namespace
