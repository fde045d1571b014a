// The launch object's property sheet and creation wizard, with its action and entry editors,
// shown for real and driven as a user does, with the search module scripted in-process.
#include "props/action_entries.h"
#include "props/lo_property_sheet.h"

#include "ns_result_codes.h"
#include "property_sheet_fixture.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "text/text_format.h"

namespace {

constexpr int kGeneralPage = 0;
constexpr int kActionsPage = 2;
// Controls of the common Open dialog, and the button the folder dialog adds to it.
constexpr int kFileNameCombo = 1148;
constexpr int kFileNameLabel = 1090;
constexpr int kBrowseDiscsButton = 103;

LOAction Action(const std::string& name, int type)
{
    LOAction action;
    action.Description = name;
    action.LOActionType = type;
    return action;
}

int PageIndex(HWND sheet)
{
    return static_cast<int>(::SendMessageA(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(CurrentPage(sheet)), 0));
}

std::vector<std::string> ListedNames(HWND page)
{
    std::vector<std::string> names;
    for (const ListedRow& row : ListedRows(page, IDC_ACTION_LIST))
        names.push_back(row.path);
    return names;
}

// Ends an in-place rename of the list's row with a new text, as typing and Enter do.
void RenameRow(HWND page, int row, const std::string& text)
{
    HWND list = ::GetDlgItem(page, IDC_ACTION_LIST);
    ::SetFocus(list);
    HWND editor = reinterpret_cast<HWND>(::SendMessageA(list, LVM_EDITLABELA, static_cast<WPARAM>(row), 0));
    ASSERT_NE(nullptr, editor);
    ::SetWindowTextA(editor, text.c_str());
    ::SendMessageA(editor, WM_KEYDOWN, VK_RETURN, 0);
}

} // namespace

class LOPropertySheetTest : public PropertySheetTest {
protected:
    void SetUp() override
    {
        PropertySheetTest::SetUp();
        MakeFolder("Work\\Tool", "Tool", LaunchObject);
        CacheItem tool = Listed("Work", "Tool");
        tool.TargetFile = "C:\\tools\\tool.exe";
        tool.Actions = {Action("Welcome", 1), Action("Language", 2), Action("Document", 3)};
        ASSERT_TRUE(tool.SaveMoreData());
        // The search module makes what it is asked to make and answers S_OK for.
        server_->effect = [this](const ScriptedServer::Call& call) {
            if (call.method == "CreateItem" && (server_->answers.empty() || server_->answers.front() == S_OK))
                Cache(CacheEdit, call.path).AddItem(call.item);
        };
    }

    static std::unique_ptr<ModalDialogRun> OpenLOSheet(const CacheItem& item, LOSheetPurpose purpose)
    {
        return std::make_unique<ModalDialogRun>([item, purpose] {
            LOPropertySheet sheet(item, purpose);
            return sheet.DoModal(nullptr);
        });
    }

    static std::unique_ptr<ModalDialogRun> OpenWizard(const std::string& folderPath)
    {
        CacheItem made;
        made.Name = made.OriginalName = CommonText(IDS_TYPE_LAUNCH_OBJECT);
        made.ItemType = LaunchObject;
        made.FolderPath = folderPath;
        return OpenLOSheet(made, LOSheetPurpose::Create);
    }

    static std::vector<LOAction> StoredChain(const std::string& folderPath, const std::string& name)
    {
        CacheItem item = Listed(folderPath, name);
        item.GetMoreData();
        return item.Actions;
    }

    // Cancels a dialog of the sheet's thread and waits until it has gone.
    static void Dismiss(HWND dialog)
    {
        CancelDialog(dialog);
        EXPECT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
    }

    // Opens a dialog by a button of a dialog of the sheet's thread; the dialog that holds itemId.
    static HWND OpenBy(HWND sheet, HWND dialog, int button, int itemId)
    {
        PostClickItem(dialog, button);
        return WaitForDialogWithItem(ThreadOf(sheet), itemId, dialog);
    }
};

TEST_F(LOPropertySheetTest, ANameThatIsEmptyUnfitOrASiblingsIsRefusedAndTheSheetStaysOnGeneral)
{
    auto run = OpenLOSheet(Listed("Work", "Tool"), LOSheetPurpose::Edit);
    HWND sheet = run->Window();
    SaveSheetScreenshot(sheet, "props-lo-general");
    const struct {
        std::string name;
        std::string refusal;
    } refused[] = {
        {"  ", CommonText(IDS_ERR_NAME_REQUIRED)},
        {"a:b", CommonText(IDS_ERR_NAME_BAD_CHARS)},
        {"Projects", FormatText(CommonText(IDS_ERR_CREATE_NAME_EXISTS_FMT), "Projects")},
    };
    for (const auto& name : refused) {
        TypeIntoItem(CurrentPage(sheet), IDC_LO_NAME, name.name);
        ShowPage(sheet, kActionsPage);
        EXPECT_EQ(kGeneralPage, PageIndex(sheet)) << "'" << name.name << "' cannot leave the page";
        PressSheetButton(sheet, PSBTN_OK);
        EXPECT_EQ(kGeneralPage, PageIndex(sheet));
        EXPECT_EQ((std::vector<std::string>{name.refusal, name.refusal}), prompts.Texts()) << name.name;
        prompts.Clear();
    }
    EXPECT_TRUE(server_->calls.empty());

    // A name taken meanwhile, as the search module finds it, brings the user back to the name.
    TypeIntoItem(CurrentPage(sheet), IDC_LO_NAME, "Viewer");
    ShowPage(sheet, kActionsPage);
    server_->answers = {NSS_S_NAME_EXISTS, E_FAIL};
    PressSheetButton(sheet, PSBTN_OK);
    EXPECT_EQ(kGeneralPage, PageIndex(sheet));
    // A failure is no success either: the sheet stays for another try.
    PressSheetButton(sheet, PSBTN_OK);
    EXPECT_EQ((std::vector<std::string>{FormatText(CommonText(IDS_ERR_CREATE_NAME_EXISTS_FMT), "Viewer"),
                                        FormatText(CommonText(IDS_ERR_ITEM_NOT_SAVED_FMT), "Viewer")}),
              prompts.Texts());
    ASSERT_TRUE(PressOk(*run));
    ASSERT_EQ(3u, server_->calls.size());
    EXPECT_EQ("UpdateItem", server_->calls.back().method);
    EXPECT_EQ("Viewer|Tool", server_->calls.back().item.Name);
}

TEST_F(LOPropertySheetTest, TheGeneralAndAutoMappingPagesStoreWhatTheLaunchObjectStartsAndHow)
{
    auto run = OpenLOSheet(Listed("Work", "Tool"), LOSheetPurpose::Edit);
    HWND sheet = run->Window();
    HWND general = CurrentPage(sheet);
    EXPECT_EQ("C:\\tools\\tool.exe", ItemText(general, IDC_LO_TARGET_FILE));
    TypeIntoItem(general, IDC_LO_START_IN, "C:\\work");
    TypeIntoItem(general, IDC_LO_CONTACT_INFO, "Help desk, 4711");
    NotifyCommand(general, IDC_LO_CONTACT_INFO, EN_CHANGE);   // typed, as WM_SETTEXT does not say
    ::SendDlgItemMessageA(general, IDC_LO_START_AS, CB_SETCURSEL, 2, 0);
    NotifyCommand(general, IDC_LO_START_AS, CBN_SELCHANGE);

    // The Browse buttons open the file and folder choosers with their own titles.
    HWND target = OpenBy(sheet, general, IDC_LO_BROWSE_TARGET, kFileNameCombo);
    ASSERT_NE(nullptr, target);
    EXPECT_EQ(CommonText(IDS_SELECT_TARGET_FILE_TITLE), WindowText(target));
    Dismiss(target);
    HWND startIn = OpenBy(sheet, general, IDC_LO_BROWSE_START_IN, kBrowseDiscsButton);
    ASSERT_NE(nullptr, startIn);
    EXPECT_EQ(CommonText(IDS_SELECT_START_DIR_TITLE), WindowText(startIn));
    EXPECT_EQ(CommonText(IDS_START_DIRECTORY_LABEL), ItemText(startIn, kFileNameLabel));
    Dismiss(startIn);
    EXPECT_EQ("C:\\work", ItemText(general, IDC_LO_START_IN)) << "a cancelled choice changes nothing";

    // The icon is one of a file's; a file without icons is refused and the chooser stays.
    HWND chooser = OpenBy(sheet, general, IDC_LO_CHANGE_ICON, IDC_ICON_LIST);
    ASSERT_NE(nullptr, chooser);
    TypeIntoItem(chooser, IDC_ICON_FILE, "C:\\windows\\win.ini");
    ClickItem(chooser, IDOK);
    EXPECT_EQ(std::vector<std::string>{FormatText(CommonText(IDS_ERR_FILE_HAS_NO_ICONS_FMT), "C:\\windows\\win.ini")},
              prompts.Texts());
    const std::string icons = JoinPath(DirectoryOf(ModuleFileName(nullptr)), "Skinset.dll");
    TypeIntoItem(chooser, IDC_ICON_FILE, icons);
    ClickItem(chooser, IDOK);
    ASSERT_TRUE(WaitFor([&] { return ListView_GetItemCount(::GetDlgItem(chooser, IDC_ICON_LIST)) > 3; }));
    SelectRow(chooser, 3, IDC_ICON_LIST);
    SaveSheetScreenshot(chooser, "props-lo-change-icon");
    ClickItem(chooser, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(chooser); }));

    HWND mapping = ShowPage(sheet, kMappingPage);
    EXPECT_EQ(CommonText(IDS_MAPPING_TARGET_FILE_PATH), ListedRows(mapping).at(0).path);
    ClickItem(mapping, IDC_AUTOMAP_FREE_LETTER);
    ClickItem(mapping, IDC_EXIT_UNMAP);
    SaveSheetScreenshot(sheet, "props-lo-automapping");
    ASSERT_TRUE(PressOk(*run));

    EXPECT_EQ("C:\\work", Stored("Work\\Tool", "StartIn"));
    EXPECT_EQ("Help desk, 4711", Stored("Work\\Tool", "ContactInfo"));
    EXPECT_EQ(2u, StoredDword("Work\\Tool", "StartAs"));
    EXPECT_EQ(1u, StoredDword("Work\\Tool", "AutoMapping"));
    EXPECT_EQ(1u, StoredDword("Work\\Tool", "ExitLOStatus"));
    ASSERT_EQ(1u, server_->calls.size()) << "the icon goes through the search module";
    EXPECT_EQ(icons, server_->calls[0].item.IconFile);
    EXPECT_EQ(3, server_->calls[0].item.IconIndex);
}

TEST_F(LOPropertySheetTest, TheActionsKeepTheirChainOrderThroughUpAndDownAndTheFixedStepStaysLast)
{
    auto run = OpenLOSheet(Listed("Work", "Tool"), LOSheetPurpose::Edit);
    HWND sheet = run->Window();
    HWND page = ShowPage(sheet, kActionsPage);
    const std::string fixed = CommonText(IDS_ACTION_EXECUTE_TARGET_FILE);
    EXPECT_EQ((std::vector<std::string>{"Welcome", "Language", "Document", fixed}), ListedNames(page));
    EXPECT_EQ(CommonText(IDS_ACTION_TYPE_PARAMETER_LIST), ListedRows(page, IDC_ACTION_LIST).at(1).letter);
    EXPECT_EQ(CommonText(IDS_ACTION_TYPE_TARGET_FILE), ListedRows(page, IDC_ACTION_LIST).at(3).letter);
    SaveSheetScreenshot(sheet, "props-lo-actions");

    // The fixed step is neither edited, removed, moved nor renamed.
    SelectRow(page, 3, IDC_ACTION_LIST);
    for (int id : {IDC_ENTRY_EDIT, IDC_ENTRY_REMOVE, IDC_ENTRY_UP, IDC_ENTRY_DOWN})
        EXPECT_FALSE(IsItemEnabled(page, id)) << id;
    EXPECT_EQ(0, ::SendDlgItemMessageA(page, IDC_ACTION_LIST, LVM_EDITLABELA, 3, 0));
    SelectRow(page, 2, IDC_ACTION_LIST);
    EXPECT_FALSE(IsItemEnabled(page, IDC_ENTRY_DOWN)) << "the last action stays before the fixed step";
    ClickItem(page, IDC_ENTRY_UP);
    SelectRow(page, 0, IDC_ACTION_LIST);
    EXPECT_FALSE(IsItemEnabled(page, IDC_ENTRY_UP));
    ClickItem(page, IDC_ENTRY_DOWN);
    EXPECT_EQ((std::vector<std::string>{"Document", "Welcome", "Language", fixed}), ListedNames(page));

    // Renamed in place; an empty name is refused.
    RenameRow(page, 1, " ");
    EXPECT_EQ(std::vector<std::string>{CommonText(IDS_ERR_NAME_REQUIRED)}, prompts.Texts());
    EXPECT_EQ(CommonText(IDS_CAPTION_ERROR_RENAMING), prompts.Prompts().back().caption);
    RenameRow(page, 1, "Greeting");
    ASSERT_TRUE(PressOk(*run));
    std::vector<std::string> stored;
    for (const LOAction& action : StoredChain("Work", "Tool"))
        stored.push_back(action.Description);
    EXPECT_EQ((std::vector<std::string>{"Document", "Greeting", "Language"}), stored);
}

TEST_F(LOPropertySheetTest, ANewActionIsNamedTypedAndEditedAndItsEntriesAreCheckedBeforeTheyAreTaken)
{
    auto run = OpenLOSheet(Listed("Work", "Tool"), LOSheetPurpose::Edit);
    HWND sheet = run->Window();
    HWND page = ShowPage(sheet, kActionsPage);
    HWND add = OpenBy(sheet, page, IDC_ENTRY_ADD, IDC_ACTION_NAME);
    ASSERT_NE(nullptr, add);
    EXPECT_EQ(CommonText(IDS_NEW_ACTION_NAME) + " (4)", ItemText(add, IDC_ACTION_NAME));
    SaveSheetScreenshot(add, "props-lo-add-action");
    ClickItem(add, IDC_ACTION_TYPE_PARAMETER_LIST);
    PostClickItem(add, IDOK);
    HWND editor = WaitForDialogWithItem(ThreadOf(sheet), IDC_PARAMETER_LIST, add);
    ASSERT_NE(nullptr, editor);
    EXPECT_NE(std::string::npos, WindowText(editor).find(CommonText(IDS_ADD_TITLE_WORD)));
    TypeIntoItem(editor, IDC_ACTION_TITLE, "Language");
    TypeIntoItem(editor, IDC_ACTION_MESSAGE, "Which language?");

    HWND entry = OpenBy(sheet, editor, IDC_ENTRY_ADD, IDC_PARAMETER_VALUE);
    ASSERT_NE(nullptr, entry);
    const std::pair<std::string, std::string> typed[] = {{"", "-de"}, {"German", " "}, {"Ger:man", "-de"}, {"German", "-l|de"}};
    for (const auto& [description, value] : typed) {
        TypeIntoItem(entry, IDC_PARAMETER_DESCRIPTION, description);
        TypeIntoItem(entry, IDC_PARAMETER_VALUE, value);
        ClickItem(entry, IDOK);
    }
    EXPECT_EQ((std::vector<std::string>{CommonText(IDS_ERR_FIELD_EMPTY), CommonText(IDS_ERR_FIELD_EMPTY),
                                        CommonText(IDS_ERR_DESCRIPTION_BAD_CHARS), CommonText(IDS_ERR_PARAMETER_BAD_CHARS)}),
              prompts.Texts());
    EXPECT_TRUE(::IsWindowVisible(entry)) << "the entry stays to be mended";
    TypeIntoItem(entry, IDC_PARAMETER_DESCRIPTION, "German");
    TypeIntoItem(entry, IDC_PARAMETER_VALUE, "C:\\de");
    SaveSheetScreenshot(entry, "props-lo-parameter-entry");
    ClickItem(entry, IDOK);
    ASSERT_TRUE(WaitFor([&] { return ListedRows(editor, IDC_PARAMETER_LIST).size() == 1; }));
    EXPECT_EQ((ListedRow{"German", "C:\\de"}), ListedRows(editor, IDC_PARAMETER_LIST).at(0));
    SaveSheetScreenshot(editor, "props-lo-parameter-list");

    // Preview shows the list as the launch object will.
    HWND preview = OpenBy(sheet, editor, IDC_ENTRY_PREVIEW, 1327);
    ASSERT_NE(nullptr, preview);
    EXPECT_EQ("Language", WindowText(preview));
    Dismiss(preview);
    ClickItem(editor, IDOK);
    ASSERT_TRUE(WaitFor([&] { return ListedNames(page).size() == 5; }));
    ASSERT_TRUE(PressOk(*run));

    const std::vector<LOAction> stored = StoredChain("Work", "Tool");
    ASSERT_EQ(4u, stored.size());
    EXPECT_EQ(2, stored[3].LOActionType);
    EXPECT_EQ("German:C:\\de", stored[3].ListItems);
    EXPECT_EQ("Which language?", stored[3].DlgMessage);
}

TEST_F(LOPropertySheetTest, EachEditorPreviewsItsActionAsItWillRun)
{
    auto run = OpenLOSheet(Listed("Work", "Tool"), LOSheetPurpose::Edit);
    HWND sheet = run->Window();
    HWND page = ShowPage(sheet, kActionsPage);

    SelectRow(page, 0, IDC_ACTION_LIST);
    HWND box = OpenBy(sheet, page, IDC_ENTRY_EDIT, IDC_BUTTONS_YES_NO);
    ASSERT_NE(nullptr, box);
    EXPECT_NE(std::string::npos, WindowText(box).find(CommonText(IDS_EDIT_TITLE_WORD)));
    TypeIntoItem(box, IDC_ACTION_TITLE, "Welcome");
    TypeIntoItem(box, IDC_ACTION_MESSAGE, "Insert the disc.");
    ClickItem(box, IDC_BUTTONS_YES_NO);
    ClickItem(box, IDC_ENTRY_PREVIEW);
    ASSERT_EQ(1u, prompts.Prompts().size());
    EXPECT_EQ("Insert the disc.", prompts.Prompts()[0].text);
    EXPECT_EQ("Welcome", prompts.Prompts()[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), prompts.Prompts()[0].style);
    SaveSheetScreenshot(box, "props-lo-message-box");
    ClickItem(box, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(box); }));

    SelectRow(page, 2, IDC_ACTION_LIST);
    HWND files = OpenBy(sheet, page, IDC_ENTRY_EDIT, IDC_EXTENSION_LIST);
    ASSERT_NE(nullptr, files);
    HWND extension = OpenBy(sheet, files, IDC_ENTRY_ADD, IDC_EXTENSION_VALUE);
    ASSERT_NE(nullptr, extension);
    TypeIntoItem(extension, IDC_EXTENSION_DESCRIPTION, "Text");
    for (const char* value : {"*.t<t", "txt", "*.txt"})
    {
        TypeIntoItem(extension, IDC_EXTENSION_VALUE, value);
        if (std::string(value) == "*.txt")
            SaveSheetScreenshot(extension, "props-lo-file-extension");
        ClickItem(extension, IDOK);
    }
    EXPECT_EQ(CommonText(IDS_ERR_EXTENSION_BAD_CHARS), prompts.Texts().at(1));
    EXPECT_EQ(CommonText(IDS_ERR_EXTENSION_INVALID), prompts.Texts().at(2));
    ASSERT_TRUE(WaitFor([&] { return ListedRows(files, IDC_EXTENSION_LIST).size() == 1; }));
    TypeIntoItem(files, IDC_START_DIRECTORY, "C:\\windows");
    SaveSheetScreenshot(files, "props-lo-file-dialog");
    HWND open = OpenBy(sheet, files, IDC_ENTRY_PREVIEW, kBrowseDiscsButton);
    ASSERT_NE(nullptr, open) << "the file dialog of the action";
    Dismiss(open);
    ClickItem(files, IDOK);
    ASSERT_TRUE(PressOk(*run));

    const std::vector<LOAction> stored = StoredChain("Work", "Tool");
    ASSERT_EQ(3u, stored.size());
    EXPECT_EQ(MB_YESNO, stored[0].MBButtons);
    EXPECT_EQ("Text:*.txt", stored[2].ListItems);
    EXPECT_EQ("C:\\windows", stored[2].StartDir);
}

TEST(ActionEntryCheckTest, EntriesThatWouldBreakTheStoredListAreRefused)
{
    const struct {
        ActionEntryKind kind;
        std::string description;
        std::string value;
        UINT refusal;   // 0: taken
    } cases[] = {
        {ActionEntryKind::Parameter, "Drive", "C:\\data", 0},
        {ActionEntryKind::Parameter, "a|b", "x", IDS_ERR_DESCRIPTION_BAD_CHARS},
        {ActionEntryKind::Parameter, "ok", "\t", IDS_ERR_FIELD_EMPTY},
        {ActionEntryKind::FileExtension, "Documents", "*.doc; *.txt", 0},
        {ActionEntryKind::FileExtension, "All", "*.*", 0},
        {ActionEntryKind::FileExtension, "Bad", "*.doc;", IDS_ERR_EXTENSION_INVALID},
        {ActionEntryKind::FileExtension, "Bad", "*.", IDS_ERR_EXTENSION_INVALID},
        {ActionEntryKind::FileExtension, "Bad", "C:*.doc", IDS_ERR_EXTENSION_BAD_CHARS},
        {ActionEntryKind::FileExtension, "Bad", "*.d|c", IDS_ERR_EXTENSION_BAD_CHARS},
    };
    for (const auto& entry : cases) {
        std::string description = entry.description;
        std::string value = entry.value;
        const auto refusal = CheckActionEntry(entry.kind, description, value);
        EXPECT_EQ(entry.refusal, refusal ? refusal->message : 0u) << entry.description << " " << entry.value;
    }
    // Only the first colon divides an entry: a drive path survives the round trip.
    const std::string stored = "Drive:C:\\data|All:*.*";
    EXPECT_EQ(stored, StoredActionEntries(ActionEntriesFrom(stored)));
}

TEST_F(LOPropertySheetTest, TheWizardMakesTheLaunchObjectAndARefusalKeepsItOpenOnTheNameToFix)
{
    auto run = OpenWizard("Work");
    HWND wizard = run->Window();
    const auto title = [](UINT page) { return FormatText(CommonText(IDS_LO_WIZARD_TITLE_FMT), CommonText(page)); };
    EXPECT_EQ(title(IDS_LO_PAGE_GENERAL), WindowText(wizard));
    SaveSheetScreenshot(wizard, "props-lo-wizard-general");
    TypeIntoItem(CurrentPage(wizard), IDC_LO_NAME, "Viewer");
    TypeIntoItem(CurrentPage(wizard), IDC_LO_TARGET_FILE, "C:\\tools\\viewer.exe");
    PressSheetButton(wizard, PSBTN_NEXT);
    EXPECT_EQ(title(IDS_LO_PAGE_AUTOMAPPING), WindowText(wizard));
    SaveSheetScreenshot(wizard, "props-lo-wizard-automapping");
    PressSheetButton(wizard, PSBTN_NEXT);
    EXPECT_EQ(title(IDS_LO_PAGE_ACTIONS), WindowText(wizard));
    SaveSheetScreenshot(wizard, "props-lo-wizard-actions");

    // Another window made a "Viewer" meanwhile: the user is told and taken to the name.
    server_->answers = {NSS_S_NAME_EXISTS};
    PressSheetButton(wizard, PSBTN_FINISH);
    EXPECT_FALSE(run->HasEnded());
    EXPECT_EQ(kGeneralPage, PageIndex(wizard));
    EXPECT_EQ(std::vector<std::string>{FormatText(CommonText(IDS_ERR_CREATE_NAME_EXISTS_FMT), "Viewer")}, prompts.Texts());

    TypeIntoItem(CurrentPage(wizard), IDC_LO_NAME, "Viewer 2");
    PressSheetButton(wizard, PSBTN_NEXT);
    PressSheetButton(wizard, PSBTN_NEXT);
    PressSheetButton(wizard, PSBTN_FINISH);
    INT_PTR result = 0;
    ASSERT_TRUE(run->WaitForEnd(result));
    ASSERT_EQ(2u, server_->calls.size());
    EXPECT_EQ((std::vector<std::string>{"CreateItem", "CreateItem"}), server_->Methods()) << "made, not added and updated";
    EXPECT_EQ("Work", server_->calls[1].path);
    EXPECT_EQ(LaunchObject, server_->calls[1].item.ItemType);
    EXPECT_EQ("C:\\tools\\viewer.exe", Stored("Work\\Viewer 2", "TargetFile"));
}

TEST_F(LOPropertySheetTest, TheWizardTellsWhyAFolderTakesNoLaunchObject)
{
    for (const std::string& folder : {std::string("Specials"), std::string("Work")}) {
        if (folder == "Work")
            server_->answers = {NSS_S_ADD_DENIED};
        auto run = OpenWizard(folder);
        HWND wizard = run->Window();
        TypeIntoItem(CurrentPage(wizard), IDC_LO_NAME, "Viewer");
        PressSheetButton(wizard, PSBTN_NEXT);
        PressSheetButton(wizard, PSBTN_NEXT);
        PressSheetButton(wizard, PSBTN_FINISH);
        EXPECT_FALSE(run->HasEnded()) << folder;
        EXPECT_EQ(std::vector<std::string>{CommonText(IDS_ERR_LAUNCH_OBJECT_NOT_ALLOWED)}, prompts.Texts()) << folder;
        prompts.Clear();
        CancelDialog(wizard);
    }
    EXPECT_EQ(std::vector<std::string>{"CreateItem"}, server_->Methods()) << "an AutoMap folder is not even asked";
}
