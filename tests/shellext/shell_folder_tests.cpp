#include "folder/shell_folder.h"

#include "folder/display_name.h"
#include "folder/item_attributes.h"
#include "ns_result_codes.h"
#include "pidl/pidl_mgr.h"
#include "public/public_folders.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "settings/product_keys.h"
#include "resources/texts.h"
#include "search_module_access.h"
#include "text/text_format.h"
#include "transfer/item_list_codec.h"
#include "transfer/medium_bytes.h"
#include "transfer/ns_format_list.h"

#include "scripted_server.h"
#include "support/guarded_bytes.h"
#include "support/cache_fixture.h"
#include "support/prompt_recorder.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

// A folder tree in the registry cache:
//   Work (user folder, holds Projects and a disc), Projects (user folder), All Discs (system).
class ShellFolderTest : public CacheFixture {
protected:
    void SetUp() override
    {
        CacheFixture::SetUp();
        MakeFolder("Work\\Projects", "Projects", UserFolder);
        MakeFolder("Work\\Manuals", "Manuals", CdRomDisc);
        CacheKey("Work\\Manuals").SetStringValue("Location", "\\\\ATLAS");
        CacheKey("Work").SetDWORDValue("HasSubFolders", 1);
        SetKind(387);   // an administrator: no first-time question
    }

    // Made on first use: a folder's construction may ask the first-time question.
    ShellFolder& Root()
    {
        if (!root_)
            root_ = MakeComObject<ShellFolder>();
        return *root_.Get();
    }

    ScopedPidl Child(const std::string& name, ListItemType type, const std::string& path = "")
    {
        CacheItem item = Folder(name, type);
        item.FolderPath = path;
        return ScopedPidl(pidls_.Create(item, path));
    }

    ComPtr<IShellFolder> Bind(IShellFolder& parent, LPCITEMIDLIST child)
    {
        ComPtr<IShellFolder> folder;
        EXPECT_EQ(S_OK, parent.BindToObject(child, nullptr, IID_PPV_ARGS(&folder)));
        return folder;
    }

    ShellFolder& WorkFolder()
    {
        if (!work_) {
            ScopedPidl work = Child("Work", UserFolder);
            ComPtr<IShellFolder> bound = Bind(Root(), work.get());
            work_ = static_cast<ShellFolder*>(bound.Get());
        }
        return *work_.Get();
    }

    std::vector<std::string> Enumerate(IShellFolder& folder, SHCONTF flags)
    {
        std::vector<std::string> names;
        ComPtr<IEnumIDList> items;
        EXPECT_EQ(S_OK, folder.EnumObjects(nullptr, flags, &items));
        LPITEMIDLIST item = nullptr;
        while (items && items->Next(1, &item, nullptr) == S_OK) {
            std::string name;
            PidlMgr::GetItemName(item, name);
            names.push_back(name);
            ::CoTaskMemFree(item);
        }
        return names;
    }

    PidlMgr pidls_;
    ComPtr<ShellFolder> root_;
    ComPtr<ShellFolder> work_;
};

TEST_F(ShellFolderTest, EnumerationListsSubFoldersOnlyAndNothingWithoutTheFoldersFlag)
{
    EXPECT_EQ((std::vector<std::string>{"All Discs", "Work"}), [&] {
        auto names = Enumerate(Root(), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS);
        std::sort(names.begin(), names.end());
        return names;
    }());
    EXPECT_TRUE(Enumerate(Root(), SHCONTF_NONFOLDERS).empty());
    // Work holds a disc beside its folder: the shell never sees the disc.
    EXPECT_EQ((std::vector<std::string>{"Projects"}), Enumerate(WorkFolder(), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS));
}

// The bytes of a list, to compare lists that the shell's own comparison does not know.
std::vector<BYTE> BytesOf(LPCITEMIDLIST list)
{
    const auto* bytes = reinterpret_cast<const BYTE*>(list);
    return list ? std::vector<BYTE>(bytes, bytes + ::ILGetSize(list)) : std::vector<BYTE>();
}

TEST_F(ShellFolderTest, TheShellMakesItemsOfSubFoldersFromWhereTheFolderStands)
{
    // Placed under My Computer by the shell, as when it binds the namespace.
    LPITEMIDLIST computer = nullptr;
    ASSERT_EQ(S_OK, ::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer));
    const ScopedPidl placed(computer);
    ASSERT_EQ(S_OK, Root().Initialize(placed.get()));

    ComPtr<IPersistIDList> asIdList;
    ASSERT_EQ(S_OK, Root().QueryInterface(IID_PPV_ARGS(&asIdList)));
    LPITEMIDLIST stands = nullptr;
    ASSERT_EQ(S_OK, asIdList->GetIDList(&stands));
    EXPECT_EQ(BytesOf(placed.get()), BytesOf(ScopedPidl(stands).get()));

    // The tree makes a shell item of each sub-folder from the folder bound below the root.
    ScopedPidl work = Child("Work", UserFolder);
    ScopedPidl projects = Child("Projects", UserFolder, "Work");
    ComPtr<IShellItem> item;
    ASSERT_EQ(S_OK, ::SHCreateShellItem(nullptr, &WorkFolder(), projects.get(), &item));
    LPITEMIDLIST made = nullptr;
    ASSERT_EQ(S_OK, ::SHGetIDListFromObject(item.Get(), &made));
    const ScopedPidl expected(::ILCombine(ScopedPidl(::ILCombine(placed.get(), work.get())).get(), projects.get()));
    EXPECT_EQ(BytesOf(expected.get()), BytesOf(ScopedPidl(made).get()));

    // A list set through IPersistIDList places the folder as well.
    ComPtr<IPersistFolder2> asFolder;
    ASSERT_EQ(S_OK, asIdList.As(&asFolder));
    ASSERT_EQ(S_OK, asIdList->SetIDList(expected.get()));
    ASSERT_EQ(S_OK, asFolder->GetCurFolder(&stands));
    EXPECT_EQ(BytesOf(expected.get()), BytesOf(ScopedPidl(stands).get()));
}

TEST_F(ShellFolderTest, TypedPathsLeadFolderByFolderWithoutRegardToCase)
{
    for (const wchar_t* typed : {L"work\\PROJECTS", L"Work\\Projects\\"}) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(typed)));
        ULONG eaten = 0;
        LPITEMIDLIST parsed = nullptr;
        SFGAOF attributes = SFGAO_FOLDER | SFGAO_CANRENAME | SFGAO_HASSUBFOLDER | SFGAO_SHARE;
        ASSERT_EQ(S_OK, Root().ParseDisplayName(nullptr, nullptr, const_cast<LPWSTR>(typed), &eaten, &parsed,
                                                &attributes));
        const ScopedPidl list(parsed);
        EXPECT_EQ(std::wcslen(typed), eaten);
        EXPECT_EQ(static_cast<SFGAOF>(SFGAO_FOLDER | SFGAO_CANRENAME), attributes) << "only what was asked and holds";
        ComPtr<IShellFolder> bound = Bind(Root(), list.get());
        ASSERT_TRUE(bound);
        EXPECT_EQ("Work\\Projects", static_cast<ShellFolder*>(bound.Get())->FolderPath());
        // The list is the one the enumerations of the root and of Work lead to.
        const ScopedPidl enumerated(
            ::ILCombine(Child("Work", UserFolder).get(), Child("Projects", UserFolder, "Work").get()));
        EXPECT_EQ(S_OK, Root().CompareIDs(0, list.get(), enumerated.get()));
    }

    // Attributes are optional, and a folder that cannot be renamed does not say it can.
    LPITEMIDLIST parsed = nullptr;
    ASSERT_EQ(S_OK,
              Root().ParseDisplayName(nullptr, nullptr, const_cast<LPWSTR>(L"ALL DISCS"), nullptr, &parsed, nullptr));
    ScopedPidl allDiscs(parsed);
    std::string name;
    PidlMgr::GetItemName(allDiscs.get(), name);
    EXPECT_EQ("All Discs", name);
    SFGAOF renamable = SFGAO_CANRENAME;
    ASSERT_EQ(S_OK, Root().ParseDisplayName(nullptr, nullptr, const_cast<LPWSTR>(L"All Discs"), nullptr, &parsed,
                                            &renamable));
    allDiscs.reset(parsed);
    EXPECT_EQ(0u, renamable);
}

TEST_F(ShellFolderTest, TypedPathsThatNameNoFolderAreRefused)
{
    const HRESULT invalid = HRESULT_FROM_WIN32(ERROR_INVALID_NAME);
    const HRESULT missing = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    const struct {
        std::wstring typed;
        HRESULT expected;
    } cases[] = {
        {L"", invalid},
        {L"\\Work", invalid},
        {L"Work\\\\Projects", invalid},
        {L"..", invalid},
        {L"Work\\..", invalid},
        {L"Wo:rk", invalid},
        {L"Work\\Pro*", invalid},
        {L"Work\\Pro\x01jects", invalid},
        // No character of the ANSI code page: never matched to a look-alike (Work).
        {L"\x0174ork", invalid},
        {std::wstring(2000, L'a'), HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE)},
        {L"Nowhere", missing},
        {L"Nowhere\\Projects", HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND)},
        {L"Work\\Nowhere", missing},
        // A disc is shown by the view, never parsed into a shell item.
        {L"Work\\Manuals", missing},
    };
    for (const auto& [typed, expected] : cases) {
        SCOPED_TRACE(::testing::PrintToString(typed));
        ULONG eaten = 99;
        LPITEMIDLIST parsed = reinterpret_cast<LPITEMIDLIST>(&eaten);
        EXPECT_EQ(expected, Root().ParseDisplayName(nullptr, nullptr, const_cast<LPWSTR>(typed.c_str()), &eaten,
                                                    &parsed, nullptr));
        EXPECT_EQ(nullptr, parsed);
        EXPECT_EQ(0u, eaten);
    }
    LPITEMIDLIST parsed = nullptr;
    EXPECT_EQ(E_INVALIDARG, Root().ParseDisplayName(nullptr, nullptr, nullptr, nullptr, &parsed, nullptr));
    EXPECT_EQ(E_POINTER,
              Root().ParseDisplayName(nullptr, nullptr, const_cast<LPWSTR>(L"Work"), nullptr, nullptr, nullptr));

    // A path that ends where its memory ends is read no further than its terminating zero.
    const std::wstring typed = L"Work\\Projects";
    std::vector<std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(typed.c_str()),
                                    reinterpret_cast<const std::uint8_t*>(typed.c_str() + typed.size() + 1));
    GuardedBytes guarded(bytes);
    auto* guardedText = reinterpret_cast<LPWSTR>(const_cast<std::uint8_t*>(guarded.Data()));
    ASSERT_EQ(S_OK, Root().ParseDisplayName(nullptr, nullptr, guardedText, nullptr, &parsed, nullptr));
    ::CoTaskMemFree(parsed);
}

TEST_F(ShellFolderTest, CompareOrdersByTypeThenNameWithoutCaseAndLevelByLevel)
{
    ScopedPidl system = Child("zeta", SystemFolder);
    ScopedPidl user = Child("Alpha", UserFolder);
    ScopedPidl userUpper = Child("ALPHA", UserFolder);
    ScopedPidl beta = Child("beta", UserFolder);

    const HRESULT before = Root().CompareIDs(0, user.get(), beta.get());
    EXPECT_EQ(0, HRESULT_SEVERITY(before));
    EXPECT_EQ(-1, static_cast<short>(HRESULT_CODE(before)));
    EXPECT_EQ(1, static_cast<short>(HRESULT_CODE(Root().CompareIDs(0, beta.get(), user.get()))));
    EXPECT_EQ(S_OK, Root().CompareIDs(0, user.get(), userUpper.get()));
    // The type decides before the name, whichever order the names have.
    EXPECT_NE(S_OK, Root().CompareIDs(0, system.get(), user.get()));
    EXPECT_EQ(-static_cast<short>(HRESULT_CODE(Root().CompareIDs(0, system.get(), user.get()))),
              static_cast<short>(HRESULT_CODE(Root().CompareIDs(0, user.get(), system.get()))));

    // Work\Projects against Work\Archive: equal first level, the second decides.
    ScopedPidl work = Child("Work", UserFolder);
    ScopedPidl projects(pidls_.Concatenate(work.get(), Child("Projects", UserFolder, "Work").get()));
    ScopedPidl archive(pidls_.Concatenate(work.get(), Child("Archive", UserFolder, "Work").get()));
    EXPECT_EQ(1, static_cast<short>(HRESULT_CODE(Root().CompareIDs(0, projects.get(), archive.get()))));
    // A list that goes on sorts after the one that ends.
    EXPECT_EQ(-1, static_cast<short>(HRESULT_CODE(Root().CompareIDs(0, work.get(), projects.get()))));
}

TEST_F(ShellFolderTest, DamagedListsAreRefusedWithoutReadingPastTheirEnd)
{
    // An item whose strings have no end inside it, then the list's end; an item too short to
    // hold its own fields; a count that cannot even hold itself.
    std::vector<BYTE> unterminated(20, 'x');
    unterminated[0] = 18;
    unterminated[1] = 0;
    unterminated[18] = unterminated[19] = 0;
    std::vector<BYTE> tooShort = {6, 0, 1, 0, 0, 0, 0, 0};
    std::vector<BYTE> countOne = {1, 0, 0, 0};
    ScopedPidl good = Child("Work", UserFolder);
    for (const auto& bytes : {unterminated, tooShort, countOne}) {
        GuardedBytes guarded(bytes);
        LPCITEMIDLIST damaged = guarded.List();
        ComPtr<IShellFolder> bound;
        EXPECT_EQ(E_INVALIDARG, Root().BindToObject(damaged, nullptr, IID_PPV_ARGS(&bound)));
        EXPECT_EQ(nullptr, bound.Get());
        EXPECT_EQ(E_INVALIDARG, Root().CompareIDs(0, good.get(), damaged));
        SFGAOF attributes = SFGAO_FOLDER;
        LPCITEMIDLIST lists[] = {good.get(), damaged};
        EXPECT_EQ(E_INVALIDARG, Root().GetAttributesOf(2, lists, &attributes));
        STRRET name{};
        EXPECT_EQ(E_INVALIDARG, Root().GetDisplayNameOf(damaged, SHGDN_NORMAL, &name));
        ComPtr<IExtractIconW> icon;
        EXPECT_EQ(E_INVALIDARG, Root().GetUIObjectOf(nullptr, 1, &damaged, IID_IExtractIconW, nullptr, &icon));
        ComPtr<IContextMenu> menu;
        EXPECT_EQ(E_INVALIDARG, Root().GetUIObjectOf(nullptr, 1, &damaged, IID_IContextMenu, nullptr, &menu));
        ComPtr<IDataObject> data;
        EXPECT_EQ(E_INVALIDARG, Root().GetUIObjectOf(nullptr, 1, &damaged, IID_IDataObject, nullptr, &data));
        EXPECT_EQ(E_INVALIDARG, Root().SetNameOf(nullptr, damaged, L"New", SHGDN_NORMAL, nullptr));
    }
}

TEST_F(ShellFolderTest, AttributesOfSeveralItemsAreTheOnesTheyShare)
{
    ScopedPidl work = Child("Work", UserFolder);
    ScopedPidl system = Child("All Discs", SystemFolder);
    LPCITEMIDLIST both[] = {work.get(), system.get()};

    SFGAOF ofWork = ~SFGAOF{0};
    ASSERT_EQ(S_OK, Root().GetAttributesOf(1, both, &ofWork));
    EXPECT_TRUE(ofWork & SFGAO_FOLDER);
    EXPECT_TRUE(ofWork & SFGAO_HASSUBFOLDER);
    EXPECT_TRUE(ofWork & SFGAO_CANRENAME);
    SFGAOF shared = ~SFGAOF{0};
    ASSERT_EQ(S_OK, Root().GetAttributesOf(2, both, &shared));
    EXPECT_TRUE(shared & SFGAO_FOLDER);
    EXPECT_FALSE(shared & SFGAO_CANRENAME) << "the system folder cannot be renamed";
    EXPECT_FALSE(shared & SFGAO_HASSUBFOLDER);
}

TEST_F(ShellFolderTest, UiObjectsAreForExactlyOneItem)
{
    ScopedPidl work = Child("Work", UserFolder);
    ScopedPidl projects = Child("All Discs", SystemFolder);
    LPCITEMIDLIST two[] = {work.get(), projects.get()};
    ComPtr<IExtractIconW> icon;
    EXPECT_TRUE(FAILED(Root().GetUIObjectOf(nullptr, 2, two, IID_IExtractIconW, nullptr, &icon)));
    EXPECT_EQ(nullptr, icon.Get());
    ComPtr<IDataObject> data;
    EXPECT_EQ(E_FAIL, Root().GetUIObjectOf(nullptr, 2, two, IID_IDataObject, nullptr, &data));
    EXPECT_EQ(nullptr, data.Get());
    ComPtr<IDropSource> source;
    EXPECT_EQ(E_NOINTERFACE, Root().GetUIObjectOf(nullptr, 1, two, IID_IDropSource, nullptr, &source));
}

TEST_F(ShellFolderTest, AnItemsDataObjectCarriesItAndItsContextMenuIsHandedOut)
{
    ScopedPidl projects = Child("Projects", UserFolder, "Work");
    LPCITEMIDLIST one[] = {projects.get()};
    ComPtr<IDataObject> data;
    ASSERT_EQ(S_OK, WorkFolder().GetUIObjectOf(nullptr, 1, one, IID_IDataObject, nullptr, &data));
    const NSFormatList formats;
    FORMATETC format{formats.ItemTypeToDataFormat(UserFolder), nullptr, DVASPECT_CONTENT, -1, TYMED_ISTREAM};
    STGMEDIUM medium{};
    ASSERT_EQ(S_OK, data->GetData(&format, &medium));
    ASSERT_EQ(static_cast<DWORD>(TYMED_ISTREAM), medium.tymed);
    StreamReadFailure failure;
    const auto bytes = ReadWholeStream(*medium.pstm, item_list_codec::kMaxStreamBytes, failure);
    ::ReleaseStgMedium(&medium);
    ASSERT_TRUE(bytes);
    const auto list = item_list_codec::Decode(bytes->data(), bytes->size());
    ASSERT_TRUE(list);
    EXPECT_EQ("Work", list->SourceFolderPath);
    ASSERT_EQ(1u, list->Items.size());
    EXPECT_EQ("Projects", list->Items[0].Name);
    EXPECT_EQ(UserFolder, list->Items[0].ItemType);

    ComPtr<IContextMenu> menu;
    EXPECT_EQ(S_OK, WorkFolder().GetUIObjectOf(nullptr, 1, one, IID_IContextMenu, nullptr, &menu));
    EXPECT_NE(nullptr, menu.Get());
}

TEST_F(ShellFolderTest, TheTreeDropsOntoAFolderThroughItsDropTarget)
{
    auto server = MakeComObject<ScriptedServer>();
    SetSearchModuleOverride(static_cast<INotifyNSServer*>(server.Get()));
    ScopedPidl projects = Child("Projects", UserFolder, "Work");
    LPCITEMIDLIST dragged[] = {projects.get()};
    ComPtr<IDataObject> data;
    ASSERT_EQ(S_OK, WorkFolder().GetUIObjectOf(nullptr, 1, dragged, IID_IDataObject, nullptr, &data));

    // Dropped onto Work, where it lives: nothing without Ctrl, a copy with it.
    ScopedPidl work = Child("Work", UserFolder, "");
    LPCITEMIDLIST onto[] = {work.get()};
    ComPtr<IDropTarget> target;
    ASSERT_EQ(S_OK, Root().GetUIObjectOf(nullptr, 1, onto, IID_IDropTarget, nullptr, &target));
    const DWORD allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    DWORD effect = allowed;
    ASSERT_EQ(S_OK, target->DragEnter(data.Get(), 0, POINTL{0, 0}, &effect));
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), effect);
    effect = allowed;
    ASSERT_EQ(S_OK, target->Drop(data.Get(), MK_CONTROL, POINTL{0, 0}, &effect));
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), effect);
    SetSearchModuleOverride(nullptr);
    ASSERT_EQ(1u, server->calls.size());
    EXPECT_EQ("MoveItem", server->calls[0].method);
    EXPECT_EQ("Work", server->calls[0].path);
    EXPECT_EQ("Projects", server->calls[0].item.Name);
}

TEST_F(ShellFolderTest, DisplayNamesFollowTheFullPathInTitleSetting)
{
    ScopedPidl projects = Child("Projects", UserFolder, "Work");
    std::string name;
    RegKey cabinet = RegKey::CURRENT_USER.CreateKey(CommonText(IDS_KEY_EXPLORER_CABINET_STATE));
    const BYTE fullPath[12] = {12, 0, 0, 0, 1};
    ::RegSetValueExA(cabinet, CommonText(IDS_CABINET_SETTINGS_VALUE).c_str(), 0, REG_BINARY, fullPath, sizeof fullPath);
    ASSERT_EQ(S_OK, DisplayNameOf(projects.get(), SHGDN_NORMAL, name));
    EXPECT_EQ(BrandingText(IDS_BRAND_NAMESPACE_NAME) + "\\Work\\Projects", name);
    ASSERT_EQ(S_OK, DisplayNameOf(projects.get(), SHGDN_INFOLDER, name));
    EXPECT_EQ("Projects", name);

    const BYTE shortPath[12] = {12, 0, 0, 0, 0};
    ::RegSetValueExA(cabinet, CommonText(IDS_CABINET_SETTINGS_VALUE).c_str(), 0, REG_BINARY, shortPath, sizeof shortPath);
    ASSERT_EQ(S_OK, DisplayNameOf(projects.get(), SHGDN_NORMAL, name));
    EXPECT_EQ("Projects", name);
    // A record too short to hold the flags is no setting at all.
    ::RegSetValueExA(cabinet, CommonText(IDS_CABINET_SETTINGS_VALUE).c_str(), 0, REG_BINARY, shortPath, 4);
    ASSERT_EQ(S_OK, DisplayNameOf(projects.get(), SHGDN_NORMAL, name));
    EXPECT_EQ(BrandingText(IDS_BRAND_NAMESPACE_NAME) + "\\Work\\Projects", name);
}

TEST_F(ShellFolderTest, RenameRefusesBadNamesWithTheirMessages)
{
    auto server = MakeComObject<ScriptedServer>();
    CacheItem projects = Folder("Projects");
    projects.FolderPath = "Work";
    PromptRecorder prompts;
    EXPECT_FALSE(WorkFolder().RenameFolder(projects, "   ", nullptr, 0, server.Get()));
    EXPECT_FALSE(WorkFolder().RenameFolder(projects, "a:b", nullptr, 0, server.Get()));
    EXPECT_FALSE(WorkFolder().RenameFolder(projects, std::string(240, 'n'), nullptr, 0, server.Get()));
    ASSERT_EQ(3u, prompts.Prompts().size());
    EXPECT_EQ(CommonText(IDS_ERR_NAME_REQUIRED), prompts.Prompts()[0].text);
    EXPECT_EQ(CommonText(IDS_ERR_NAME_BAD_CHARS), prompts.Prompts()[1].text);
    EXPECT_EQ(FormatText(CommonText(IDS_ERR_RENAME_TOO_LONG_FMT), "Projects"), prompts.Prompts()[2].text);
    EXPECT_TRUE(server->calls.empty());
}

TEST_F(ShellFolderTest, RenameSucceedsOnlyWhenTheSearchModuleRenamed)
{
    auto server = MakeComObject<ScriptedServer>();
    CacheItem projects = Folder("Projects");
    projects.FolderPath = "Work";
    PromptRecorder prompts;
    server->answers = {NSS_S_NOT_UPDATED, NSS_S_NOT_FOUND, NSS_S_NAME_EXISTS, E_FAIL, S_OK};
    for (int refused = 0; refused < 4; ++refused)
        EXPECT_FALSE(WorkFolder().RenameFolder(projects, " Plans ", nullptr, 7, server.Get()));
    EXPECT_EQ("Plans", WorkFolder().RenameFolder(projects, " Plans ", nullptr, 7, server.Get()).value_or(""))
        << "the name as stored";
    ASSERT_EQ(5u, server->calls.size());
    EXPECT_EQ("UpdateItem", server->calls[0].method);
    EXPECT_EQ(7, server->calls[0].client);
    EXPECT_EQ("Work", server->calls[0].path);
    EXPECT_EQ("Plans|Projects", server->calls[0].item.Name);
    ASSERT_EQ(1u, prompts.Prompts().size()) << "only a taken name is the user's to hear of";
    EXPECT_EQ(FormatText(CommonText(IDS_ERR_RENAME_NAME_EXISTS_FMT), "Projects"), prompts.Prompts()[0].text);
}

TEST_F(ShellFolderTest, RootAndSystemFoldersAreNeverDeleted)
{
    auto server = MakeComObject<ScriptedServer>();
    PromptRecorder prompts(IDYES);
    EXPECT_FALSE(Root().DeleteFolder(Folder("All Discs", SystemFolder), 0, server.Get(), true));
    EXPECT_FALSE(Root().DeleteFolder(Folder("Network Storage", RootFolder), 0, server.Get(), false));
    ASSERT_EQ(2u, prompts.Prompts().size());
    EXPECT_EQ(FormatText(CommonText(IDS_ERR_DELETE_ACCESS_DENIED_FMT), "All Discs"), prompts.Prompts()[0].text);
    EXPECT_TRUE(server->calls.empty());
}

TEST_F(ShellFolderTest, DeletingTheLastSubFolderClearsTheMarkAndFailuresAreFailures)
{
    auto server = MakeComObject<ScriptedServer>();
    server->effect = [](const ScriptedServer::Call& call) {
        if (call.method == "DeleteItem")
            CacheKey(call.path).DeleteKey(call.item.Name);
    };
    CacheItem projects = Folder("Projects");
    projects.FolderPath = "Work";
    {
        PromptRecorder no(IDNO);
        EXPECT_FALSE(WorkFolder().DeleteFolder(projects, 3, server.Get(), false));
        EXPECT_EQ(1u, no.Prompts().size());
        EXPECT_TRUE(server->calls.empty());
    }
    server->answers = {NSS_S_NOT_DELETABLE};
    {
        PromptRecorder yes(IDYES);
        EXPECT_FALSE(WorkFolder().DeleteFolder(projects, 3, server.Get(), true));
    }
    MakeFolder("Work\\Projects", "Projects", UserFolder);
    server->calls.clear();
    PromptRecorder yes(IDYES);
    EXPECT_TRUE(WorkFolder().DeleteFolder(projects, 3, server.Get(), false));
    ASSERT_EQ((std::vector<std::string>{"DeleteItem", "UpdateItem"}), server->Methods());
    EXPECT_EQ("Work", server->calls[1].item.Name);
    EXPECT_EQ(0, server->calls[1].item.HasSubFolders);
    EXPECT_EQ(3, server->calls[1].client);
}

TEST_F(ShellFolderTest, APublishedRootFolderIsPublishedUnderItsNewNameAndWithdrawnWhenDeleted)
{
    TempDirectory data;
    RegKey::LOCAL_MACHINE.CreateKey(kProductKey).SetStringValue("Global Data Location", data.Path());
    CacheKey("Work").SetDWORDValue("PublicFolder", 1);
    CacheItem work = Folder("Work");
    work.PublicFolder = 1;
    ASSERT_TRUE(PublicFolderMgr().ExportOrRemoveFolder(work));
    const auto listed = [] {
        std::vector<PublicFolderItem> folders;
        PublicFolderMgr().GetPublicFolders(folders);
        return folders.size() == 1 ? folders[0].Name : std::to_string(folders.size());
    };
    auto server = MakeComObject<ScriptedServer>();
    server->effect = [](const ScriptedServer::Call& call) {
        RegKey root = CacheKey("");
        if (call.method == "DeleteItem")
            root.DeleteKey(call.item.Name);
        if (call.method == "UpdateItem") {
            const std::string newName = call.item.Name.substr(0, call.item.Name.find('|'));
            root.MoveKey(call.item.Name.substr(call.item.Name.find('|') + 1), root, newName);
            CacheKey(newName).SetStringValue("Name", newName);
            CacheKey(newName).SetStringValue("OriginalName", newName);
        }
    };

    EXPECT_TRUE(Root().RenameFolder(work, "Plans", nullptr, 0, server.Get()));
    EXPECT_TRUE(FileExists(data.File("Plans.pfr")));
    EXPECT_FALSE(FileExists(data.File("Work.pfr")));
    EXPECT_EQ("Plans", listed());

    PromptRecorder yes(IDYES);
    EXPECT_TRUE(Root().DeleteFolder(Folder("Plans"), 0, server.Get(), true));
    EXPECT_FALSE(FileExists(data.File("Plans.pfr")));
    EXPECT_EQ("0", listed());
}

TEST_F(ShellFolderTest, TheFirstTimeQuestionIsAskedOnceForTheExplorerWindowAndHoldsNoOtherFolder)
{
    SetKind(0);   // a client
    const HWND explorer = ::CreateWindowExA(0, "STATIC", "explorer", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                                            nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, explorer);
    ::SetActiveWindow(explorer);
    std::vector<PromptRequest> asked;
    bool otherThreadHeld = false;
    const PromptHandler previous = SetPromptHandler([&](PromptRequest& request) {
        asked.push_back(request);
        if (asked.size() > 1)
            return IDCANCEL;
        // Explorer goes on making folders while the box is open, on other threads and, from
        // the messages that run under the box, on its own.
        const std::shared_ptr<void> made(::CreateEventA(nullptr, TRUE, FALSE, nullptr), ::CloseHandle);
        std::thread other([made] {
            MakeComObject<ShellFolder>();
            ::SetEvent(made.get());
        });
        otherThreadHeld = ::WaitForSingleObject(made.get(), 10000) != WAIT_OBJECT_0;
        if (otherThreadHeld) {
            other.detach();   // it finishes once this answer is given; one made here would never
        } else {
            other.join();
            MakeComObject<ShellFolder>();
        }
        return IDCANCEL;
    });
    auto first = MakeComObject<ShellFolder>();
    // A new user again, as far as the settings know: still no second question in this process.
    RegKey::CURRENT_USER.CreateKey(ProductKeyPath()).DeleteValue(CommonText(IDS_INITIALIZED_CLIENT_USER_VALUE));
    auto second = MakeComObject<ShellFolder>();
    ComPtr<IShellFolder> bound = Bind(*second.Get(), Child("Work", UserFolder).get());
    SetPromptHandler(previous);
    ::DestroyWindow(explorer);

    EXPECT_FALSE(otherThreadHeld) << "a folder made on another thread waited for the answer";
    ASSERT_EQ(1u, asked.size());
    EXPECT_EQ(explorer, asked[0].owner);
    EXPECT_NE(std::string::npos, asked[0].text.find(BrandingText(IDS_BRAND_PRODUCT_TITLE)));
}

TEST_F(ShellFolderTest, ARenameWithoutTheSearchModuleSaysItCannotBeReached)
{
    const auto unreachable = MakeComObject<UnreachableSearchModule>();
    SetSearchModuleOverride(unreachable.Get());
    CacheItem projects = Folder("Projects");
    projects.FolderPath = "Work";
    PromptRecorder prompts;
    EXPECT_FALSE(WorkFolder().RenameFolder(projects, "Plans", nullptr, 0, nullptr));
    SetSearchModuleOverride(nullptr);
    auto gone = MakeComObject<ScriptedServer>();
    gone->answers = {HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE)};
    EXPECT_FALSE(WorkFolder().RenameFolder(projects, "Plans", nullptr, 0, gone.Get()));
    ASSERT_EQ(2u, prompts.Prompts().size());
    EXPECT_EQ(CommonText(IDS_ERR_SEARCH_MODULE_UNREACHABLE), prompts.Prompts()[0].text);
    EXPECT_EQ(CommonText(IDS_ERR_SEARCH_MODULE_UNREACHABLE), prompts.Prompts()[1].text);
}

} // namespace
