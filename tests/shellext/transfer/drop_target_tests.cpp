// Items dropped on a folder of the namespace: what the drop target accepts, which effect it
// chooses, and what it asks of the search module.
#include "transfer/ns_drop_target.h"

#include "com/com_apartment.h"
#include "ns_result_codes.h"
#include "pidl/pidl_mgr.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "search_module_access.h"
#include "text/text_format.h"
#include "transfer/favorite_shortcuts.h"
#include "transfer/item_list_codec.h"
#include "transfer/ns_format_list.h"
#include "transfer/transfer_items.h"

#include "../scripted_server.h"
#include "offered_data.h"
#include "support/cache_fixture.h"
#include "support/menu_keys.h"
#include "support/prompt_recorder.h"

#include <gtest/gtest.h>

using Microsoft::WRL::ComPtr;

namespace {

constexpr DWORD kAnyEffect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
constexpr POINTL kAnywhere{0, 0};

// The user folder Work with a sub-folder Projects and a disc, the folder of all discs with the
// same disc, and the search module scripted in the test process.
class DropTargetTest : public CacheFixture {
protected:
    void SetUp() override
    {
        CacheFixture::SetUp();
        ASSERT_TRUE(ole_.IsReady());
        MakeFolder("Work\\Projects", "Projects", UserFolder);
        MakeFolder("Work\\Manuals", "Manuals", CdRomDisc);
        MakeFolder("All Discs\\Manuals", "Manuals", CdRomDisc);
        MakeFolder("Work\\Imported", "Imported", PublicUserFolder);
        server_ = MakeComObject<ScriptedServer>();
        SetSearchModuleOverride(static_cast<INotifyNSServer*>(server_.Get()));
    }
    void TearDown() override { SetSearchModuleOverride(nullptr); }

    static CacheItem Manuals(const std::string& folderPath)
    {
        CacheItem disc = Disc("\\\\ATLAS", "Manuals");
        disc.FolderPath = folderPath;
        return disc;
    }

    // The data of a drag of items from the folder at sourcePath, as our own data object has it.
    static ComPtr<IDataObject> Dragged(const std::string& sourcePath, std::vector<CacheItem> items)
    {
        const auto bytes = item_list_codec::Encode(ToTransferItemList(sourcePath, items));
        EXPECT_TRUE(bytes.has_value());
        return Offer(NSFormatList().ItemTypeToDataFormat(items.size() == 1 ? items[0].ItemType : MultipleSelection),
                     bytes.value_or(std::vector<std::uint8_t>{}));
    }

    static ComPtr<IDataObject> Offer(CLIPFORMAT format, std::vector<std::uint8_t> bytes)
    {
        return MakeComObject<OfferedData>(std::vector<std::pair<CLIPFORMAT, std::vector<std::uint8_t>>>{{format, std::move(bytes)}});
    }

    // A drop target for a folder given by its path below the root (user folders all the way).
    ComPtr<NSDropTarget> TargetFor(const std::string& path, std::optional<DropTargetList> list = std::nullopt)
    {
        ScopedPidl target;
        std::string parent;
        for (std::string rest = path; !rest.empty();) {
            const std::string name = rest.substr(0, rest.find('\\'));
            rest = name.size() < rest.size() ? rest.substr(name.size() + 1) : std::string();
            ScopedPidl level(pidls_.Create(Folder(name), parent));
            target.reset(target ? pidls_.Concatenate(target.get(), level.get()) : level.release());
            parent = parent.empty() ? name : parent + "\\" + name;
        }
        return list ? MakeComObject<NSDropTarget>(target.get(), std::move(*list))
                    : MakeComObject<NSDropTarget>(target.get());
    }

    // The effect DragEnter answers, then what Drop did.
    static std::pair<DWORD, DWORD> DragAndDrop(NSDropTarget& target, IDataObject& data, DWORD keyState,
                                               DWORD allowed = kAnyEffect)
    {
        DWORD entered = allowed;
        EXPECT_EQ(S_OK, target.DragEnter(&data, keyState, kAnywhere, &entered));
        DWORD dropped = allowed;
        EXPECT_EQ(S_OK, target.Drop(&data, keyState, kAnywhere, &dropped));
        return {entered, dropped};
    }

    // A drag with the right button held, then its drop (the button is up by then); what the
    // drop did.
    static DWORD RightButtonDrop(NSDropTarget& target, IDataObject& data)
    {
        DWORD entered = kAnyEffect;
        EXPECT_EQ(S_OK, target.DragEnter(&data, MK_RBUTTON, kAnywhere, &entered));
        DWORD over = kAnyEffect;
        EXPECT_EQ(S_OK, target.DragOver(MK_RBUTTON, kAnywhere, &over));
        DWORD dropped = kAnyEffect;
        EXPECT_EQ(S_OK, target.Drop(&data, 0, kAnywhere, &dropped));
        return dropped;
    }

    // The menu the drop showed: each entry's text, marked when it was the default or grayed.
    static std::string ShownMenu()
    {
        std::string shown;
        for (const MenuKeys::Entry& entry : MenuKeys::Shown()) {
            shown += shown.empty() ? "" : ", ";
            shown += Cache::RemoveCharacters(entry.text, "&");
            shown += entry.isDefault ? " (default)" : entry.grayed ? " (grayed)" : "";
        }
        return shown;
    }

    OleApartment ole_;
    PidlMgr pidls_;
    ComPtr<ScriptedServer> server_;
};

// A window of the test's own, active, to own the menu of a drop with the right button.
class MenuOwner {
public:
    MenuOwner()
        : window_(::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 60, 60, nullptr, nullptr, nullptr,
                                    nullptr))
    {
        ::SetActiveWindow(window_);
        ::SetFocus(window_);
    }
    ~MenuOwner() { ::DestroyWindow(window_); }
    MenuOwner(const MenuOwner&) = delete;
    MenuOwner& operator=(const MenuOwner&) = delete;
    HWND Get() const { return window_; }

private:
    HWND window_;
};

TEST_F(DropTargetTest, DamagedItemListsAndForeignFormatsAreRefusedWithoutCallingTheSearchModule)
{
    const CLIPFORMAT format = NSFormatList().ItemTypeToDataFormat(CdRomDisc);
    const std::vector<std::uint8_t> whole =
        item_list_codec::Encode(ToTransferItemList("Work", {Manuals("Work")})).value();
    std::vector<std::uint8_t> lyingCount = whole;
    lyingCount[0] = 5;
    std::vector<std::uint8_t> hugeCount = whole;
    hugeCount[0] = hugeCount[1] = hugeCount[2] = hugeCount[3] = 0xFF;
    const std::vector<std::pair<const char*, ComPtr<IDataObject>>> refused = {
        {"no item", Offer(format, {0, 0, 0, 0, 5, 0, 'W', 'o', 'r', 'k', 0})},
        {"truncated", Offer(format, std::vector<std::uint8_t>(whole.begin(), whole.end() - 3))},
        {"count of five for one item", Offer(format, lyingCount)},
        {"count of four thousand million", Offer(format, hugeCount)},
        {"empty stream", Offer(format, {})},
        {"text only", Offer(CF_TEXT, {'h', 'i', 0})},
        {"an unregistered format with a valid list",
         Offer(static_cast<CLIPFORMAT>(::RegisterClipboardFormatA("SomebodyElsesItems")), whole)},
    };
    for (const auto& [what, data] : refused) {
        const ComPtr<NSDropTarget> target = TargetFor("Work\\Projects");
        EXPECT_EQ(std::make_pair(DWORD{DROPEFFECT_NONE}, DWORD{DROPEFFECT_NONE}),
                  DragAndDrop(*target.Get(), *data.Get(), MK_CONTROL))
            << what;
    }
    EXPECT_TRUE(server_->calls.empty());

    // The same bytes, whole, are taken.
    const ComPtr<NSDropTarget> target = TargetFor("Work\\Projects");
    EXPECT_EQ(DWORD{DROPEFFECT_COPY}, DragAndDrop(*target.Get(), *Offer(format, whole).Get(), MK_CONTROL).second);
    EXPECT_EQ(std::vector<std::string>{"MoveItem"}, server_->Methods());
}

TEST_F(DropTargetTest, TheEffectFollowsSourceTargetAndKeysWithinWhatTheSourceAllows)
{
    struct Case {
        const char* what;
        std::string source;
        std::string target;
        DWORD keys;
        DWORD allowed;
        DWORD expected;
    };
    const Case cases[] = {
        {"another folder: move", "Work", "Work\\Projects", 0, kAnyEffect, DROPEFFECT_MOVE},
        {"another folder with Ctrl: copy", "Work", "Work\\Projects", MK_CONTROL, kAnyEffect, DROPEFFECT_COPY},
        {"another folder, right button: move", "Work", "Work\\Projects", MK_RBUTTON, kAnyEffect, DROPEFFECT_MOVE},
        {"the same folder: nothing", "Work", "Work", 0, kAnyEffect, DROPEFFECT_NONE},
        {"the same folder with Ctrl: copy", "Work", "Work", MK_CONTROL, kAnyEffect, DROPEFFECT_COPY},
        {"the same folder, right button: copy", "Work", "Work", MK_RBUTTON, kAnyEffect, DROPEFFECT_COPY},
        {"the same folder in other case", "WORK", "Work", 0, kAnyEffect, DROPEFFECT_NONE},
        {"the folder of all discs: link", "All Discs", "Work", 0, kAnyEffect, DROPEFFECT_LINK},
        {"the folder of all discs with Ctrl: link", "All Discs", "Work", MK_CONTROL, kAnyEffect, DROPEFFECT_LINK},
        {"a move the source does not allow", "Work", "Work\\Projects", 0, DROPEFFECT_COPY, DROPEFFECT_NONE},
        {"a copy the source allows", "Work", "Work\\Projects", MK_CONTROL, DROPEFFECT_COPY, DROPEFFECT_COPY},
        {"a link the source does not allow", "All Discs", "Work", 0, DROPEFFECT_COPY | DROPEFFECT_MOVE,
         DROPEFFECT_NONE},
    };
    for (const Case& c : cases) {
        const ComPtr<NSDropTarget> target = TargetFor(c.target);
        const ComPtr<IDataObject> data = Dragged(c.source, {Manuals(c.source)});
        DWORD effect = c.allowed;
        ASSERT_EQ(S_OK, target->DragEnter(data.Get(), c.keys, kAnywhere, &effect));
        EXPECT_EQ(c.expected, effect) << c.what;
        // The keys change while the pointer moves.
        effect = c.allowed;
        ASSERT_EQ(S_OK, target->DragOver(c.keys | MK_CONTROL, kAnywhere, &effect));
        EXPECT_EQ(c.source == "All Discs" ? c.expected : DROPEFFECT_COPY & c.allowed, effect) << c.what << ", Ctrl";
        target->DragLeave();
    }
}

TEST_F(DropTargetTest, AListOutsideAFullExplorerWindowTakesNothing)
{
    DropTargetList list;
    list.fullBrowser = false;
    const ComPtr<NSDropTarget> target = TargetFor("Work\\Projects", list);
    EXPECT_EQ(std::make_pair(DWORD{DROPEFFECT_NONE}, DWORD{DROPEFFECT_NONE}),
              DragAndDrop(*target.Get(), *Dragged("Work", {Manuals("Work")}).Get(), MK_CONTROL));
    EXPECT_TRUE(server_->calls.empty());
}

TEST_F(DropTargetTest, FoldersThatStayInPlaceGoNowhereAndFoldersThatTakeNothingSaySo)
{
    const struct {
        const char* what;
        std::string source;
        CacheItem item;
    } staying[] = {
        {"the folder of all discs", "", Folder("All Discs", SystemFolder)},
        {"the root", "", Folder("Network Storage", RootFolder)},
        {"a client's public folder", "Work", Folder("Imported", PublicUserFolder)},
    };
    for (const auto& [what, source, item] : staying) {
        const ComPtr<NSDropTarget> target = TargetFor("Work\\Projects");
        for (const DWORD keys : {DWORD{0}, DWORD{MK_CONTROL}})
            EXPECT_EQ(std::make_pair(DWORD{DROPEFFECT_NONE}, DWORD{DROPEFFECT_NONE}),
                      DragAndDrop(*target.Get(), *Dragged(source, {item}).Get(), keys))
                << what;
    }
    // With them, the others of the selection go nowhere either.
    const ComPtr<NSDropTarget> projects = TargetFor("Work\\Projects");
    const ComPtr<IDataObject> mixed = Dragged("Work", {Manuals("Work"), Folder("Imported", PublicUserFolder)});
    EXPECT_EQ(DWORD{DROPEFFECT_NONE}, DragAndDrop(*projects.Get(), *mixed.Get(), 0).second);
    EXPECT_TRUE(server_->calls.empty());

    for (const char* folder : {"Work\\Imported", "All Discs"}) {
        PromptRecorder prompts;
        const ComPtr<NSDropTarget> target = TargetFor(folder);
        EXPECT_EQ(std::make_pair(DWORD{DROPEFFECT_NONE}, DWORD{DROPEFFECT_NONE}),
                  DragAndDrop(*target.Get(), *Dragged("Work", {Manuals("Work")}).Get(), 0))
            << folder;
        ASSERT_EQ(1u, prompts.Prompts().size()) << folder;
        EXPECT_EQ(FormatText(CommonText(IDS_ERR_PASTE_ACCESS_DENIED_FMT), "Manuals"), prompts.Prompts()[0].text);
        EXPECT_EQ(CommonText(IDS_CAPTION_ERROR_PASTING), prompts.Prompts()[0].caption);
    }
    EXPECT_TRUE(server_->calls.empty());
}

TEST_F(DropTargetTest, ARightButtonDropAsksWhatToDoAndDoesWhatIsChosen)
{
    const MenuOwner owner;
    DropTargetList list;
    list.window = owner.Get();
    {
        const MenuKeys keys({VK_DOWN, VK_RETURN});   // the first entry
        const ComPtr<NSDropTarget> work = TargetFor("Work", list);
        EXPECT_EQ(DWORD{DROPEFFECT_COPY}, RightButtonDrop(*work.Get(), *Dragged("Work", {Manuals("Work")}).Get()));
        ASSERT_TRUE(MenuKeys::Fired());
        EXPECT_EQ("Copy Here (default), Move Here (grayed), Create Shortcut Here, Cancel", ShownMenu())
            << "within one folder";
    }
    ASSERT_EQ(std::vector<std::string>{"MoveItem"}, server_->Methods());
    EXPECT_EQ(CommonText(IDS_COPY_OF_PREFIX) + "Manuals", server_->calls[0].newName);
    EXPECT_EQ(1, server_->calls[0].operation);
    {
        const MenuKeys keys({VK_ESCAPE});
        const ComPtr<NSDropTarget> projects = TargetFor("Work\\Projects", list);
        EXPECT_EQ(DWORD{DROPEFFECT_NONE}, RightButtonDrop(*projects.Get(), *Dragged("Work", {Manuals("Work")}).Get()));
        EXPECT_EQ("Copy Here, Move Here (default), Create Shortcut Here, Cancel", ShownMenu()) << "between folders";
    }
    EXPECT_EQ(1u, server_->calls.size()) << "cancelled";
    {
        const MenuKeys keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
        const ComPtr<NSDropTarget> projects = TargetFor("Work\\Projects", list);
        EXPECT_EQ(DWORD{DROPEFFECT_LINK}, RightButtonDrop(*projects.Get(), *Dragged("Work", {Manuals("Work")}).Get()));
    }
    ASSERT_EQ(2u, server_->calls.size());
    EXPECT_EQ("CreateItem", server_->calls[1].method);
    EXPECT_EQ(FormatText(CommonText(IDS_SHORTCUT_TO_FMT), "Manuals"), server_->calls[1].item.Name);
    const ComPtr<NSDropTarget> work = TargetFor("Work", list);
    {
        const MenuKeys keys({VK_ESCAPE});
        RightButtonDrop(*work.Get(), *Dragged("All Discs", {Manuals("All Discs")}).Get());
        EXPECT_EQ("Copy Here (grayed), Move Here (grayed), Create Shortcut Here (default), Cancel", ShownMenu())
            << "out of the folder of all discs";
    }
    {
        const MenuKeys keys({VK_ESCAPE});
        RightButtonDrop(*work.Get(), *Dragged("Work\\Projects", {Folder("Plans")}).Get());
        EXPECT_EQ("Copy Here, Move Here (default), Create Shortcut Here (grayed), Cancel", ShownMenu())
            << "a folder is no shortcut item";
    }
    EXPECT_EQ(2u, server_->calls.size());
}

TEST_F(DropTargetTest, DiscsDraggedFromTheFolderOfAllDiscsBecomeShortcutItems)
{
    const ComPtr<NSDropTarget> target = TargetFor("Work");
    EXPECT_EQ(DWORD{DROPEFFECT_LINK},
              DragAndDrop(*target.Get(), *Dragged("All Discs", {Manuals("All Discs")}).Get(), 0).second);
    ASSERT_EQ(std::vector<std::string>{"CreateItem"}, server_->Methods());
    EXPECT_EQ("Work", server_->calls[0].path);
    EXPECT_EQ(FormatText(CommonText(IDS_SHORTCUT_TO_FMT), "Manuals"), server_->calls[0].item.Name);
    EXPECT_EQ("\\\\ATLAS", server_->calls[0].item.Location);
}

TEST_F(DropTargetTest, WithinOneFolderOnlyCtrlCopiesUnderTheFirstFreeCopyName)
{
    const ComPtr<NSDropTarget> target = TargetFor("Work");
    EXPECT_EQ(DWORD{DROPEFFECT_NONE}, DragAndDrop(*target.Get(), *Dragged("Work", {Manuals("Work")}).Get(), 0).second);
    EXPECT_TRUE(server_->calls.empty());

    EXPECT_EQ(DWORD{DROPEFFECT_COPY},
              DragAndDrop(*target.Get(), *Dragged("Work", {Manuals("Work")}).Get(), MK_CONTROL).second);
    // The first copy exists by now: the search module refuses its name.
    server_->answers = {NSS_S_NAME_EXISTS};
    EXPECT_EQ(DWORD{DROPEFFECT_COPY},
              DragAndDrop(*target.Get(), *Dragged("Work", {Manuals("Work")}).Get(), MK_CONTROL).second);
    ASSERT_EQ(3u, server_->calls.size());
    const std::string copyOf = CommonText(IDS_COPY_OF_PREFIX) + "Manuals";
    EXPECT_EQ(copyOf, server_->calls[0].newName);
    EXPECT_EQ(copyOf, server_->calls[1].newName);
    EXPECT_EQ(FormatText(CommonText(IDS_COPY_N_OF_FMT), 2, "Manuals"), server_->calls[2].newName);
    for (const auto& call : server_->calls) {
        EXPECT_EQ("MoveItem", call.method);
        EXPECT_EQ("Work", call.path);
        EXPECT_EQ(1, call.operation) << "a copy";
    }
}

TEST_F(DropTargetTest, ANameTakenIsReplacedOnlyWhenTheUserSaysSoAndTheItemThereOutlivesAFailure)
{
    MakeFolder("Work\\Projects\\Manuals", "Manuals", CdRomDisc);
    CacheKey("Work\\Projects\\Manuals").SetStringValue("Location", "\\\\ATLAS");
    const std::string aside = FormatText(CommonText(IDS_REPLACED_ITEM_ASIDE_FMT), "Manuals");
    const auto moveManuals = [this] {
        const ComPtr<NSDropTarget> target = TargetFor("Work\\Projects");
        return DragAndDrop(*target.Get(), *Dragged("Work", {Manuals("Work")}).Get(), 0).second;
    };
    {
        PromptRecorder prompts(IDNO);
        server_->answers = {NSS_S_NAME_EXISTS};
        EXPECT_EQ(DWORD{DROPEFFECT_NONE}, moveManuals());
        ASSERT_EQ(1u, prompts.Prompts().size());
        EXPECT_EQ(FormatText(CommonText(IDS_ASK_REPLACE_ITEM_FMT), "Manuals"), prompts.Prompts()[0].text);
        EXPECT_EQ(CommonText(IDS_CAPTION_CONFIRM_REPLACE), prompts.Prompts()[0].caption);
        EXPECT_EQ(std::vector<std::string>{"MoveItem"}, server_->Methods()) << "No keeps the item there";
    }
    // Yes: the item there is set aside, and deleted once the move is done.
    server_->calls.clear();
    {
        PromptRecorder prompts(IDYES);
        server_->answers = {NSS_S_NAME_EXISTS};
        EXPECT_EQ(DWORD{DROPEFFECT_MOVE}, moveManuals());
        EXPECT_EQ(1u, prompts.Prompts().size());
    }
    ASSERT_EQ((std::vector<std::string>{"MoveItem", "UpdateItem", "MoveItem", "DeleteItem"}), server_->Methods());
    EXPECT_EQ("Work\\Projects", server_->calls[1].path);
    EXPECT_EQ(aside + "|Manuals", server_->calls[1].item.Name);
    EXPECT_EQ("\\\\ATLAS", server_->calls[1].item.Location) << "the item there keeps its data";
    EXPECT_EQ(2, server_->calls[2].operation);
    EXPECT_EQ(aside, server_->calls[3].item.Name);
    EXPECT_EQ("Work\\Projects", server_->calls[3].path);

    // The move fails after all: the item there gets its name back.
    server_->calls.clear();
    {
        PromptRecorder prompts(IDYES);
        server_->answers = {NSS_S_NAME_EXISTS, S_OK, NSS_S_COPY_MOVE_FAILED};
        EXPECT_EQ(DWORD{DROPEFFECT_NONE}, moveManuals());
        ASSERT_EQ(2u, prompts.Prompts().size());
        EXPECT_EQ(FormatText(CommonText(IDS_ERR_COPY_MOVE_UNEXPECTED_FMT), "Manuals"), prompts.Prompts()[1].text);
    }
    ASSERT_EQ((std::vector<std::string>{"MoveItem", "UpdateItem", "MoveItem", "UpdateItem"}), server_->Methods());
    EXPECT_EQ("Manuals|" + aside, server_->calls[3].item.Name);
}

TEST_F(DropTargetTest, AnItemThatHoldsWhatIsMovedIsNeverReplaced)
{
    // Work\Projects\Projects moved up into Work, where the name is taken by its own parent.
    MakeFolder("Work\\Projects\\Projects", "Projects", UserFolder);
    PromptRecorder prompts(IDYES);
    server_->answers = {NSS_S_NAME_EXISTS};
    const ComPtr<NSDropTarget> target = TargetFor("Work");
    CacheItem inner = Folder("Projects");
    inner.FolderPath = "Work\\Projects";
    EXPECT_EQ(DWORD{DROPEFFECT_NONE}, DragAndDrop(*target.Get(), *Dragged("Work\\Projects", {inner}).Get(), 0).second);
    EXPECT_EQ(std::vector<std::string>{"MoveItem"}, server_->Methods()) << "nothing set aside, nothing deleted";
    ASSERT_EQ(2u, prompts.Prompts().size());
    EXPECT_EQ(FormatText(CommonText(IDS_ERR_REPLACE_HOLDS_SOURCE_FMT), "Projects"), prompts.Prompts()[1].text);
    EXPECT_EQ(CommonText(IDS_CAPTION_ERROR_MOVING), prompts.Prompts()[1].caption);
}

TEST_F(DropTargetTest, AFavoriteShortcutReplacesAnItemOnlyOnceTheNewOneExists)
{
    MakeFolder("Work\\Projects\\Shortcut to Manuals", "Shortcut to Manuals", CdRomDisc);
    CacheKey("Work\\Projects\\Shortcut to Manuals").SetStringValue("Location", "\\\\ATLAS");
    const std::string name = FormatText(CommonText(IDS_SHORTCUT_TO_FMT), "Manuals");
    const std::string aside = FormatText(CommonText(IDS_REPLACED_ITEM_ASIDE_FMT), name);
    PromptRecorder prompts(IDYES);
    server_->answers = {NSS_S_NAME_EXISTS, S_OK, NSS_S_NOT_ADDED};
    AddFavoriteShortcuts(*server_.Get(), "Work\\Projects", {Manuals("Work")}, nullptr);
    ASSERT_EQ((std::vector<std::string>{"CreateItem", "UpdateItem", "CreateItem", "UpdateItem"}), server_->Methods());
    EXPECT_EQ(aside + "|" + name, server_->calls[1].item.Name);
    EXPECT_EQ(name + "|" + aside, server_->calls[3].item.Name) << "not created: the old one is back";

    server_->calls.clear();
    server_->answers = {NSS_S_NAME_EXISTS};
    AddFavoriteShortcuts(*server_.Get(), "Work\\Projects", {Manuals("Work")}, nullptr);
    ASSERT_EQ((std::vector<std::string>{"CreateItem", "UpdateItem", "CreateItem", "DeleteItem"}), server_->Methods());
    EXPECT_EQ(aside, server_->calls[3].item.Name);
}

TEST_F(DropTargetTest, TheSearchModulesRefusalsAreExplainedPerItemAndNotReportedAsDone)
{
    struct Case {
        HRESULT answer;
        DWORD keys;
        UINT caption;
        std::string text;
    };
    const std::string manuals = "Manuals";
    const Case cases[] = {
        {NSS_S_TARGET_IS_SUBFOLDER, 0, IDS_CAPTION_ERROR_MOVING,
         FormatText(CommonText(IDS_ERR_MOVE_INTO_SUBFOLDER_FMT), manuals)},
        {NSS_S_TARGET_IS_SUBFOLDER, MK_CONTROL, IDS_CAPTION_ERROR_COPYING,
         FormatText(CommonText(IDS_ERR_COPY_INTO_SUBFOLDER_FMT), manuals)},
        {NSS_S_NOT_FOUND, 0, IDS_CAPTION_ERROR_FINDING,
         FormatText(CommonText(IDS_ERR_ITEM_NOT_FOUND_FMT), BrandingText(IDS_BRAND_NAMESPACE_NAME) + "\\Work\\Manuals")},
        {NSS_S_ACCESS_DENIED, 0, IDS_CAPTION_ERROR_PASTING,
         FormatText(CommonText(IDS_ERR_PASTE_ACCESS_DENIED_FMT), manuals)},
        {NSS_S_COPY_MOVE_FAILED, 0, IDS_CAPTION_ERROR_ADDING,
         FormatText(CommonText(IDS_ERR_COPY_MOVE_UNEXPECTED_FMT), manuals)},
    };
    for (const Case& c : cases) {
        PromptRecorder prompts;
        server_->answers = {c.answer};
        const ComPtr<NSDropTarget> target = TargetFor("Work\\Projects");
        EXPECT_EQ(DWORD{DROPEFFECT_NONE},
                  DragAndDrop(*target.Get(), *Dragged("Work", {Manuals("Work")}).Get(), c.keys).second)
            << "refused is not done: " << c.text;
        ASSERT_EQ(1u, prompts.Prompts().size()) << c.text;
        EXPECT_EQ(c.text, prompts.Prompts()[0].text);
        EXPECT_EQ(CommonText(c.caption), prompts.Prompts()[0].caption);
        EXPECT_TRUE(prompts.Prompts()[0].style & MB_ICONSTOP);
    }
}

} // namespace
