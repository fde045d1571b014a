// The folder operations manager against the real OLE clipboard and a scripted search module:
// copy, cut, paste, cancel and delete.
#include "folder/shell_folder_mgr.h"

#include "com/com_apartment.h"
#include "folder/shell_folder.h"
#include "ns_result_codes.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "search_module_access.h"
#include "settings/auxiliary.h"
#include "text/text_format.h"
#include "transfer/data_object.h"
#include "transfer/medium_bytes.h"
#include "transfer/pasted_cut.h"
#include "transfer/pending_cut.h"

#include "../scripted_server.h"
#include "offered_data.h"
#include "support/cache_fixture.h"
#include "support/prompt_recorder.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>

using Microsoft::WRL::ComPtr;

namespace {

class ShellFolderMgrTest : public CacheFixture {
protected:
    void SetUp() override
    {
        CacheFixture::SetUp();
        ASSERT_TRUE(ole_.IsReady());
        SetKind(387);   // an administrator: no first-time question from the folders
        MakeFolder("Work\\Projects", "Projects", UserFolder);
        MakeFolder("Work\\Manuals", "Manuals", CdRomDisc);
        MakeFolder("Work\\Tool", "Tool", LaunchObject);
        MakeFolder("Work\\Imported", "Imported", PublicUserFolder);
        server_ = MakeComObject<ScriptedServer>();
        SetSearchModuleOverride(static_cast<INotifyNSServer*>(server_.Get()));
    }
    void TearDown() override
    {
        pending_cut::Clear();
        ::OleSetClipboard(nullptr);
        AuxiliaryFunctions::SetClipboardCutFlag(false);
        SetSearchModuleOverride(nullptr);
    }

    static CacheItem Item(const std::string& name, ListItemType type)
    {
        CacheItem item = type == CdRomDisc ? Disc("\\\\ATLAS", name) : Folder(name, type);
        item.FolderPath = "Work";
        return item;
    }

    // A folder of Work, from the namespace root.
    ScopedPidl InWork(const std::string& name = "Projects")
    {
        ScopedPidl work(pidls_.Create(Folder("Work"), ""));
        ScopedPidl folder(pidls_.Create(Folder(name), "Work"));
        return ScopedPidl(pidls_.Concatenate(work.get(), folder.get()));
    }
    ScopedPidl Projects() { return InWork("Projects"); }

    // Text put on the clipboard by another program.
    static void PutTextOnClipboard()
    {
        ASSERT_TRUE(::OpenClipboard(nullptr));
        ::EmptyClipboard();
        HGLOBAL text = ::GlobalAlloc(GMEM_MOVEABLE, 6);
        std::memcpy(::GlobalLock(text), "hello", 6);
        ::GlobalUnlock(text);
        ::SetClipboardData(CF_TEXT, text);
        ::CloseClipboard();
    }

    OleApartment ole_;
    PidlMgr pidls_;
    ComPtr<ScriptedServer> server_;
};

TEST_F(ShellFolderMgrTest, TheClipboardHoldsNamespaceItemsOnlyAfterACopyOrCut)
{
    PutTextOnClipboard();
    EXPECT_FALSE(ShellFolderMgr().CheckValidNSClipboard());
    ASSERT_TRUE(ShellFolderMgr().PutOnClipboard("Work", nullptr, {Item("Manuals", CdRomDisc)}, false));
    EXPECT_TRUE(ShellFolderMgr().CheckValidNSClipboard());
    EXPECT_FALSE(AuxiliaryFunctions::GetClipboardCutFlag());
    // The folder of all discs and the root never travel.
    EXPECT_FALSE(ShellFolderMgr().PutOnClipboard("", nullptr, {Folder("All Discs", SystemFolder)}, false));
}

TEST_F(ShellFolderMgrTest, ACutIsPastedOnceAsAMoveAndThenLeavesTheClipboard)
{
    ASSERT_TRUE(ShellFolderMgr().PutOnClipboard("Work", nullptr, {Item("Manuals", CdRomDisc)}, true));
    EXPECT_TRUE(AuxiliaryFunctions::GetClipboardCutFlag());
    EXPECT_TRUE(ShellFolderMgr::IsCutPending("Work", "Manuals"));
    EXPECT_FALSE(ShellFolderMgr::IsCutPending("Work", "Tool"));

    EXPECT_EQ(DWORD{DROPEFFECT_MOVE}, ShellFolderMgr().Paste(Projects().get()));
    ASSERT_EQ(std::vector<std::string>{"MoveItem"}, server_->Methods());
    EXPECT_EQ("Work\\Projects", server_->calls[0].path);
    EXPECT_EQ(2, server_->calls[0].operation);
    EXPECT_FALSE(ShellFolderMgr().CheckValidNSClipboard());
    EXPECT_FALSE(AuxiliaryFunctions::GetClipboardCutFlag());
    EXPECT_FALSE(ShellFolderMgr::IsCutPending("Work", "Manuals"));

    EXPECT_EQ(DWORD{DROPEFFECT_NONE}, ShellFolderMgr().Paste(Projects().get()));
    EXPECT_EQ(1u, server_->calls.size()) << "a second paste finds nothing";
}

TEST_F(ShellFolderMgrTest, ACutOfWhichNothingMovedStaysACut)
{
    ASSERT_TRUE(ShellFolderMgr().PutOnClipboard("Work", nullptr, {Item("Manuals", CdRomDisc)}, true));
    PromptRecorder prompts;
    server_->answers = {NSS_S_ACCESS_DENIED};
    EXPECT_EQ(DWORD{DROPEFFECT_NONE}, ShellFolderMgr().Paste(Projects().get()));
    EXPECT_TRUE(ShellFolderMgr().CheckValidNSClipboard());
    EXPECT_TRUE(AuxiliaryFunctions::GetClipboardCutFlag());
    EXPECT_TRUE(ShellFolderMgr::IsCutPending("Work", "Manuals"));

    // Pasted again, it moves.
    EXPECT_EQ(DWORD{DROPEFFECT_MOVE}, ShellFolderMgr().Paste(Projects().get()));
    EXPECT_FALSE(ShellFolderMgr().CheckValidNSClipboard());
}

TEST_F(ShellFolderMgrTest, ACutMadeByAnotherWindowLeavesTheClipboardOnceItIsPasted)
{
    // Another process's cut: its data object is on the clipboard, but no cut of ours is pending.
    const auto theirs = MakeComObject<DataObject>("Work", nullptr, std::vector<CacheItem>{Item("Manuals", CdRomDisc)});
    ASSERT_EQ(S_OK, ::OleSetClipboard(theirs.Get()));
    AuxiliaryFunctions::SetClipboardCutFlag(true);

    EXPECT_EQ(DWORD{DROPEFFECT_MOVE}, ShellFolderMgr().Paste(Projects().get()));
    EXPECT_FALSE(ShellFolderMgr().CheckValidNSClipboard()) << "a second paste would copy items that have gone";
    EXPECT_FALSE(AuxiliaryFunctions::GetClipboardCutFlag());
}

TEST_F(ShellFolderMgrTest, PasteSucceededTellsTheSourceWhichThenEndsItsCut)
{
    // The target's side: the source is told, and takes its cut off the clipboard itself.
    ASSERT_TRUE(ShellFolderMgr().PutOnClipboard("Work", nullptr, {Item("Manuals", CdRomDisc)}, true));
    const auto told = MakeComObject<OfferedData>(std::vector<std::pair<CLIPFORMAT, std::vector<std::uint8_t>>>{});
    told->acceptSetData = true;
    FinishPastedCut(*told.Get());
    const CLIPFORMAT pasteSucceeded = static_cast<CLIPFORMAT>(::RegisterClipboardFormatA("Paste Succeeded"));
    ASSERT_EQ(1u, told->set.size());
    EXPECT_EQ(pasteSucceeded, told->set[0].first);
    EXPECT_EQ(DWORD{DROPEFFECT_MOVE}, told->set[0].second);
    EXPECT_TRUE(ShellFolderMgr::IsCutPending("Work", "Manuals")) << "the source's to end";
    EXPECT_FALSE(AuxiliaryFunctions::GetClipboardCutFlag());

    // The source's side: our data object, told of a move, ends the cut; of a copy, it does not.
    const auto ours = MakeComObject<DataObject>("Work", nullptr, std::vector<CacheItem>{Item("Manuals", CdRomDisc)});
    ASSERT_EQ(S_OK, ::OleSetClipboard(ours.Get()));
    pending_cut::Set(ours.Get(), "Work", {"Manuals"}, nullptr);
    AuxiliaryFunctions::SetClipboardCutFlag(true);
    for (const DWORD effect : {DWORD{DROPEFFECT_COPY}, DWORD{DROPEFFECT_MOVE}}) {
        FORMATETC format{pasteSucceeded, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        STGMEDIUM medium{};
        ASSERT_EQ(S_OK, PutDropEffectInMedium(effect, medium));
        EXPECT_EQ(S_OK, ours->SetData(&format, &medium, TRUE));
        const bool ended = effect == DROPEFFECT_MOVE;
        EXPECT_EQ(!ended, ShellFolderMgr::IsCutPending("Work", "Manuals")) << effect;
        EXPECT_EQ(!ended, ShellFolderMgr().CheckValidNSClipboard()) << effect;
        EXPECT_EQ(!ended, AuxiliaryFunctions::GetClipboardCutFlag()) << effect;
    }
}

TEST_F(ShellFolderMgrTest, APasteIntoAClientsPublicFolderIsRefusedWithTheReason)
{
    ASSERT_TRUE(ShellFolderMgr().PutOnClipboard("Work", nullptr, {Item("Manuals", CdRomDisc)}, false));
    PromptRecorder prompts;
    EXPECT_EQ(DWORD{DROPEFFECT_NONE}, ShellFolderMgr().Paste(InWork("Imported").get()));
    EXPECT_TRUE(server_->calls.empty());
    ASSERT_EQ(1u, prompts.Prompts().size());
    EXPECT_EQ(FormatText(CommonText(IDS_ERR_PASTE_ACCESS_DENIED_FMT), "Manuals"), prompts.Prompts()[0].text);
    EXPECT_EQ(CommonText(IDS_CAPTION_ERROR_PASTING), prompts.Prompts()[0].caption);
    // Nor does it travel itself.
    EXPECT_FALSE(ShellFolderMgr().PutOnClipboard("Work", nullptr, {Item("Imported", PublicUserFolder)}, true));
}

TEST_F(ShellFolderMgrTest, APasteAfterACopyCopiesAndStaysOnTheClipboard)
{
    ASSERT_TRUE(ShellFolderMgr().PutOnClipboard("Work", nullptr, {Item("Manuals", CdRomDisc), Item("Tool", LaunchObject)},
                                                false));
    EXPECT_EQ(DWORD{DROPEFFECT_COPY}, ShellFolderMgr().Paste(Projects().get()));
    EXPECT_EQ(DWORD{DROPEFFECT_COPY}, ShellFolderMgr().Paste(Projects().get()));
    ASSERT_EQ(4u, server_->calls.size());
    for (const auto& call : server_->calls) {
        EXPECT_EQ("MoveItem", call.method);
        EXPECT_EQ(1, call.operation) << call.item.Name;
    }
    EXPECT_TRUE(ShellFolderMgr().CheckValidNSClipboard());
}

TEST_F(ShellFolderMgrTest, ACutPastedIntoItsOwnFolderIsRefused)
{
    PromptRecorder prompts;
    ASSERT_TRUE(ShellFolderMgr().PutOnClipboard("Work", nullptr, {Item("Manuals", CdRomDisc)}, true));
    ScopedPidl work(pidls_.Create(Folder("Work"), ""));
    ShellFolderMgr().Paste(work.get());
    EXPECT_TRUE(server_->calls.empty());
    ASSERT_EQ(1u, prompts.Prompts().size());
    EXPECT_EQ(FormatText(CommonText(IDS_ERR_MOVE_SAME_FOLDER_FMT), "Manuals"), prompts.Prompts()[0].text);
    EXPECT_EQ(CommonText(IDS_CAPTION_ERROR_PASTING), prompts.Prompts()[0].caption);
}

TEST_F(ShellFolderMgrTest, CancellingACutEmptiesTheClipboardOnlyWhileItHoldsOurCut)
{
    ASSERT_TRUE(ShellFolderMgr().PutOnClipboard("Work", nullptr, {Item("Manuals", CdRomDisc)}, true));
    ShellFolderMgr().CancelCut();
    EXPECT_FALSE(ShellFolderMgr().CheckValidNSClipboard());
    EXPECT_FALSE(AuxiliaryFunctions::GetClipboardCutFlag());
    EXPECT_FALSE(ShellFolderMgr::IsCutPending("Work", "Manuals"));

    ASSERT_TRUE(ShellFolderMgr().PutOnClipboard("Work", nullptr, {Item("Manuals", CdRomDisc)}, true));
    PutTextOnClipboard();
    EXPECT_FALSE(ShellFolderMgr::IsCutPending("Work", "Manuals")) << "the cut left the clipboard";
    ShellFolderMgr().CancelCut();
    EXPECT_TRUE(::IsClipboardFormatAvailable(CF_TEXT)) << "another program's data stays";

    // A copy is no cut: Escape leaves it on the clipboard.
    ASSERT_TRUE(ShellFolderMgr().PutOnClipboard("Work", nullptr, {Item("Manuals", CdRomDisc)}, false));
    ShellFolderMgr().CancelCut();
    EXPECT_TRUE(ShellFolderMgr().CheckValidNSClipboard());
}

TEST_F(ShellFolderMgrTest, DeletingSeveralItemsAsksOnceAndDeletesEach)
{
    ComPtr<ShellFolder> root = MakeComObject<ShellFolder>();
    ScopedPidl workList(pidls_.Create(Folder("Work"), ""));
    ComPtr<IShellFolder> bound;
    ASSERT_EQ(S_OK, root->BindToObject(workList.get(), nullptr, IID_PPV_ARGS(&bound)));
    auto& work = *static_cast<ShellFolder*>(bound.Get());

    PromptRecorder prompts(IDYES);
    ShellFolderMgr().DeleteItems({Item("Projects", UserFolder), Item("Manuals", CdRomDisc), Item("Tool", LaunchObject)},
                                 work, Folder("Work"), 0, false);
    ASSERT_EQ(1u, prompts.Prompts().size());
    EXPECT_EQ(FormatText(CommonText(IDS_ASK_DELETE_ITEMS_FMT), 3), prompts.Prompts()[0].text);
    std::vector<std::string> deleted;
    for (const auto& call : server_->calls) {
        if (call.method == "DeleteItem")
            deleted.push_back(call.item.Name);
    }
    EXPECT_EQ((std::vector<std::string>{"Projects", "Manuals", "Tool"}), deleted);

    // A folder whose items may not be deleted deletes nothing and says so for the first.
    server_->calls.clear();
    PromptRecorder refused;
    ShellFolderMgr().DeleteItems({Item("Manuals", CdRomDisc), Item("Tool", LaunchObject)}, work,
                                 Folder("All Discs", SystemFolder), 0, false);
    EXPECT_TRUE(server_->calls.empty());
    ASSERT_EQ(1u, refused.Prompts().size());
    EXPECT_EQ(FormatText(CommonText(IDS_ERR_DELETE_ACCESS_DENIED_FMT), "Manuals"), refused.Prompts()[0].text);
}

} // namespace
