// The data object of a copy, cut or drag, called as the clipboard and drop targets call it.
#include "transfer/data_object.h"

#include "com/com_apartment.h"
#include "pidl/pidl_mgr.h"
#include "text/ansi_text.h"
#include "transfer/item_list_codec.h"
#include "transfer/medium_bytes.h"

#include "support/cache_fixture.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <set>
#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

CLIPFORMAT Registered(const char* name) { return static_cast<CLIPFORMAT>(::RegisterClipboardFormatA(name)); }

FORMATETC Format(CLIPFORMAT format, DWORD tymeds, LONG index = -1)
{
    return FORMATETC{format, nullptr, DVASPECT_CONTENT, index, tymeds};
}

// Releases a medium a test received.
struct ReceivedMedium {
    STGMEDIUM medium{};
    ~ReceivedMedium()
    {
        if (medium.tymed != TYMED_NULL)
            ::ReleaseStgMedium(&medium);
    }
};

// Items of the user folder Work: a disc, a launch object and a sub-folder.
class DataObjectTest : public CacheFixture {
protected:
    void SetUp() override
    {
        CacheFixture::SetUp();
        ASSERT_TRUE(ole.IsReady());
        MakeFolder("Work\\Manuals", "Manuals", CdRomDisc);
        CacheKey("Work\\Manuals").SetStringValue("Location", "\\\\ATLAS");
        // The settings program the shortcuts start, in the installation folder.
        WriteWholeFile(folder.File("Dialwise.exe"), "MZ");
        CacheItem work = Folder("Work");
        workFolder.reset(PidlMgr().Create(work, ""));
    }

    static CacheItem Item(const std::string& name, ListItemType type)
    {
        CacheItem item = type == CdRomDisc ? Disc("\\\\ATLAS", name) : Folder(name, type);
        item.FolderPath = "Work";
        return item;
    }

    ComPtr<DataObject> Make(std::vector<CacheItem> items)
    {
        return MakeComObject<DataObject>("Work", workFolder.get(), std::move(items));
    }

    static std::vector<FORMATETC> Enumerated(IDataObject& object)
    {
        std::vector<FORMATETC> formats;
        ComPtr<IEnumFORMATETC> enumerator;
        EXPECT_EQ(S_OK, object.EnumFormatEtc(DATADIR_GET, &enumerator));
        FORMATETC format{};
        while (enumerator && enumerator->Next(1, &format, nullptr) == S_OK)
            formats.push_back(format);
        return formats;
    }

    // The bytes FileContents gives for the item at index.
    static std::string ShortcutBytesAt(IDataObject& object, CLIPFORMAT fileContents, LONG index)
    {
        FORMATETC format = Format(fileContents, TYMED_HGLOBAL, index);
        ReceivedMedium received;
        EXPECT_EQ(S_OK, object.GetData(&format, &received.medium));
        if (received.medium.tymed != TYMED_HGLOBAL)
            return {};
        const void* bytes = ::GlobalLock(received.medium.hGlobal);
        std::string file(static_cast<const char*>(bytes), ::GlobalSize(received.medium.hGlobal));
        ::GlobalUnlock(received.medium.hGlobal);
        return file;
    }

    // That shortcut file, loaded by the shell.
    ComPtr<IShellLinkA> ShortcutAt(IDataObject& object, LONG index)
    {
        const std::string file = folder.File("shortcut" + std::to_string(index) + ".lnk");
        WriteWholeFile(file, ShortcutBytesAt(object, fileContents, index));
        ComPtr<IShellLinkA> link;
        ComPtr<IPersistFile> persist;
        if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))) ||
            FAILED(link.As(&persist)) || FAILED(persist->Load(WideFromAnsi(file).c_str(), STGM_READ)))
            return nullptr;
        return link;
    }

    OleApartment ole;
    ScopedPidl workFolder;
    const CLIPFORMAT fileGroupDescriptor = Registered("FileGroupDescriptor");
    const CLIPFORMAT fileContents = Registered("FileContents");
    const NSFormatList formatList;
};

TEST_F(DataObjectTest, ItemListTravelsUnderTheItemsFormatAsAStream)
{
    const auto single = Make({Item("Manuals", CdRomDisc)});
    EXPECT_EQ(formatList.ItemTypeToDataFormat(CdRomDisc), single->NamespaceFormat());
    const auto several = Make({Item("Manuals", CdRomDisc), Item("Tools", LaunchObject)});
    EXPECT_EQ(formatList.ItemTypeToDataFormat(MultipleSelection), several->NamespaceFormat());

    FORMATETC format = Format(several->NamespaceFormat(), TYMED_ISTREAM);
    ReceivedMedium received;
    ASSERT_EQ(S_OK, several->GetData(&format, &received.medium));
    ASSERT_EQ(static_cast<DWORD>(TYMED_ISTREAM), received.medium.tymed);
    StreamReadFailure failure;
    const auto bytes = ReadWholeStream(*received.medium.pstm, item_list_codec::kMaxStreamBytes, failure);
    ASSERT_TRUE(bytes);
    const auto list = item_list_codec::Decode(bytes->data(), bytes->size());
    ASSERT_TRUE(list);
    EXPECT_EQ("Work", list->SourceFolderPath);
    ASSERT_EQ(2u, list->Items.size());
    EXPECT_EQ("Manuals", list->Items[0].Name);
    EXPECT_EQ("\\\\ATLAS", list->Items[0].Location);
    EXPECT_EQ(CdRomDisc, list->Items[0].ItemType);
    EXPECT_EQ("Tools", list->Items[1].Name);
    EXPECT_EQ(LaunchObject, list->Items[1].ItemType);
}

TEST_F(DataObjectTest, QueryGetDataAnswersYesOnlyForWhatGetDataRenders)
{
    const auto object = Make({Item("Manuals", CdRomDisc)});
    const CLIPFORMAT own = object->NamespaceFormat();

    FORMATETC yes[] = {Format(own, TYMED_ISTREAM), Format(own, TYMED_ISTREAM | TYMED_HGLOBAL),
                       Format(fileGroupDescriptor, TYMED_HGLOBAL), Format(fileContents, TYMED_HGLOBAL, 0),
                       Format(fileContents, TYMED_ISTREAM, 0)};
    for (FORMATETC& format : yes) {
        EXPECT_EQ(S_OK, object->QueryGetData(&format)) << format.cfFormat << " on " << format.tymed;
        ReceivedMedium received;
        EXPECT_EQ(S_OK, object->GetData(&format, &received.medium)) << format.cfFormat << " on " << format.tymed;
        EXPECT_NE(0u, received.medium.tymed & format.tymed);
    }

    // Other formats of the namespace belong to other items; the stream is not in global memory.
    FORMATETC no[] = {Format(formatList.ItemTypeToDataFormat(UserFolder), TYMED_ISTREAM),
                      Format(formatList.ItemTypeToDataFormat(MultipleSelection), TYMED_ISTREAM),
                      Format(own, TYMED_HGLOBAL), Format(fileGroupDescriptor, TYMED_ISTREAM),
                      Format(CF_TEXT, TYMED_HGLOBAL), Format(CF_HDROP, TYMED_HGLOBAL)};
    for (FORMATETC& format : no) {
        EXPECT_NE(S_OK, object->QueryGetData(&format)) << format.cfFormat << " on " << format.tymed;
        ReceivedMedium received;
        EXPECT_NE(S_OK, object->GetData(&format, &received.medium)) << format.cfFormat << " on " << format.tymed;
        EXPECT_EQ(static_cast<DWORD>(TYMED_NULL), received.medium.tymed);
    }
    FORMATETC icon = Format(own, TYMED_ISTREAM);
    icon.dwAspect = DVASPECT_ICON;
    EXPECT_NE(S_OK, object->QueryGetData(&icon));
    EXPECT_EQ(E_INVALIDARG, object->QueryGetData(nullptr));
}

TEST_F(DataObjectTest, EnumFormatEtcListsExactlyTheFormatsGetDataRenders)
{
    const auto object = Make({Item("Manuals", CdRomDisc), Item("Tools", LaunchObject)});
    std::set<CLIPFORMAT> listed;
    for (FORMATETC format : Enumerated(*object.Get())) {
        listed.insert(format.cfFormat);
        if (format.cfFormat == fileContents)
            format.lindex = 1;
        EXPECT_EQ(S_OK, object->QueryGetData(&format)) << format.cfFormat;
        ReceivedMedium received;
        EXPECT_EQ(S_OK, object->GetData(&format, &received.medium)) << format.cfFormat;
    }
    EXPECT_EQ((std::set<CLIPFORMAT>{object->NamespaceFormat(), fileGroupDescriptor, fileContents}), listed);

    ComPtr<IEnumFORMATETC> setting;
    EXPECT_NE(S_OK, object->EnumFormatEtc(DATADIR_SET, &setting));
    EXPECT_EQ(nullptr, setting.Get());
}

TEST_F(DataObjectTest, FileContentsOutsideTheItemsIsRefused)
{
    const auto object = Make({Item("Manuals", CdRomDisc), Item("Tools", LaunchObject)});
    for (LONG index : {-1L, 2L, 3L, 0x7fffffffL}) {
        FORMATETC format = Format(fileContents, TYMED_HGLOBAL | TYMED_ISTREAM, index);
        ReceivedMedium received;
        EXPECT_EQ(DV_E_LINDEX, object->GetData(&format, &received.medium)) << index;
        EXPECT_EQ(static_cast<DWORD>(TYMED_NULL), received.medium.tymed);
    }
}

TEST_F(DataObjectTest, ShortcutFilesStartTheSettingsProgramOrOpenTheItemsIdentifier)
{
    CacheItem escaping = Item("..\\..\\Start Menu:x", UserFolder);
    const auto object = Make({Item("Manuals", CdRomDisc), Item("Tools", LaunchObject), Item("Projects", UserFolder),
                              escaping});

    FORMATETC descriptor = Format(fileGroupDescriptor, TYMED_HGLOBAL);
    ReceivedMedium received;
    ASSERT_EQ(S_OK, object->GetData(&descriptor, &received.medium));
    const auto* group = static_cast<const FILEGROUPDESCRIPTORA*>(::GlobalLock(received.medium.hGlobal));
    ASSERT_EQ(4u, group->cItems);
    EXPECT_STREQ("Manuals.lnk", group->fgd[0].cFileName);
    EXPECT_STREQ("Tools.lnk", group->fgd[1].cFileName);
    EXPECT_STREQ("Projects.lnk", group->fgd[2].cFileName);
    // A name never leads the target out of the folder of the drop.
    EXPECT_STREQ(".._.._Start Menu_x.lnk", group->fgd[3].cFileName);
    ::GlobalUnlock(received.medium.hGlobal);

    const std::string program = folder.Path() + "\\Dialwise.exe";
    char text[MAX_PATH] = {};
    const auto disc = ShortcutAt(*object.Get(), 0);
    ASSERT_TRUE(disc);
    disc->GetArguments(text, sizeof text);
    EXPECT_STREQ("\"-a:Work\\Manuals\"", text);
    disc->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH);
    EXPECT_EQ(0, _stricmp(program.c_str(), text)) << text;

    const auto launcher = ShortcutAt(*object.Get(), 1);
    ASSERT_TRUE(launcher);
    launcher->GetArguments(text, sizeof text);
    EXPECT_STREQ("\"-e:Work\\Tools\"", text);

    // A folder's shortcut holds the folder's identifier list below the source folder's. (The
    // shell drops lists it does not know when it loads a shortcut, so the file is read here:
    // flags at 0x14, bit 0 for an identifier list, whose 16-bit size follows the 0x4c-byte header.)
    const std::string projects = ShortcutBytesAt(*object.Get(), fileContents, 2);
    ASSERT_GT(projects.size(), 0x4eu);
    EXPECT_EQ(1, projects[0x14] & 1);
    const std::size_t listSize = static_cast<unsigned char>(projects[0x4c]) | static_cast<unsigned char>(projects[0x4d]) << 8;
    ASSERT_LE(0x4e + listSize, projects.size());
    const auto* list = reinterpret_cast<LPCITEMIDLIST>(projects.data() + 0x4e);
    std::string name, path;
    PidlMgr::GetItemName(list, name, listSize);
    PidlMgr::GetItemPath(list, path, listSize);
    EXPECT_EQ("Projects", name);
    EXPECT_EQ("Work", path);
    EXPECT_EQ(2, static_cast<int>(pidl_codec::WalkList(reinterpret_cast<const std::uint8_t*>(list), listSize)
                                      .value_or(pidl_codec::ListLayout{}).itemCount))
        << "the source folder's list, then the item";
}

TEST_F(DataObjectTest, MoveReportedByAnOutsideTargetLeavesTheItemsInTheirFolder)
{
    const auto object = Make({Item("Manuals", CdRomDisc)});
    FORMATETC performed = Format(Registered("Performed DropEffect"), TYMED_HGLOBAL);
    STGMEDIUM medium{};
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(DWORD));
    *static_cast<DWORD*>(::GlobalLock(medium.hGlobal)) = DROPEFFECT_MOVE;
    ::GlobalUnlock(medium.hGlobal);
    EXPECT_EQ(S_OK, object->SetData(&performed, &medium, TRUE));   // the object frees the memory
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_MOVE), object->PerformedDropEffect());
    EXPECT_EQ((std::multiset<std::string>{"Manuals"}), NamesIn("Work"));

    // A report too short to hold an effect is refused, and the memory stays the caller's.
    ReceivedMedium shortReport;
    shortReport.medium.tymed = TYMED_HGLOBAL;
    shortReport.medium.hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, 2);
    EXPECT_NE(S_OK, object->SetData(&performed, &shortReport.medium, TRUE));
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_MOVE), object->PerformedDropEffect());

    FORMATETC unknown = Format(Registered("Logical Performed DropEffect"), TYMED_HGLOBAL);
    EXPECT_EQ(E_NOTIMPL, object->SetData(&unknown, &shortReport.medium, TRUE));
}

} // namespace
