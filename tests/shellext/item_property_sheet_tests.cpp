// The property sheet of discs and folders, shown for real and driven as a user does, with the
// search module scripted in-process and the network scripted.
#include "props/item_property_sheet.h"
#include "props/mapping_rows.h"
#include "props/multi_sel_general_page.h"

#include "ns_result_codes.h"
#include "property_sheet_fixture.h"
#include "res/dialog_ids.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "text/text_format.h"

#include "support/map_disc_driver.h"

using ItemPropertySheetTest = PropertySheetTest;

TEST_F(ItemPropertySheetTest, SwitchingADiscToAFreeLetterStoresItAndSaysOnceWhenTheMappingIsMade)
{
    auto run = OpenSheet(Listed("Work", "Manuals"));
    SaveSheetScreenshot(run->Window(), "props-disc-general");
    HWND page = ShowPage(run->Window(), kMappingPage);
    Choose(page, IDC_AUTOMAP_FREE_LETTER);
    EXPECT_FALSE(IsItemEnabled(page, IDC_AUTOMAP_DRIVE_COMBO)) << "the letter is the system's to choose";
    ASSERT_TRUE(PressOk(*run));

    EXPECT_EQ(1u, StoredDword("Work\\Manuals", "AutoMapping"));
    EXPECT_EQ(std::vector<std::string>{CommonText(IDS_INFO_MAPPING_ON_ACCESS)}, prompts.Texts());
    EXPECT_TRUE(server_->calls.empty()) << "the name and comment are as they were";
}

TEST_F(ItemPropertySheetTest, InsideAnAutoMapFolderEveryMappingControlIsDisabled)
{
    CacheKey("Specials\\Atlas").SetDWORDValue("AutoMapping", 3);
    auto run = OpenSheet(Listed("Specials", "Atlas"));
    HWND page = ShowPage(run->Window(), kMappingPage);
    for (int id : kAllMappingControls)
        EXPECT_FALSE(IsItemEnabled(page, id)) << id;
    EXPECT_TRUE(IsItemChecked(page, IDC_AUTOMAP_MULTIPLE)) << "the disc's own setting is shown all the same";
    CancelDialog(run->Window());
}

TEST_F(ItemPropertySheetTest, TheMultipleMappingListRoundTripsWithTheDiscsOwnRowFirst)
{
    CacheKey("Work\\Manuals").SetDWORDValue("AutoMapping", 3);
    CacheKey("Work\\Manuals").SetStringValue("MultipleMapping", "This Disc:G|\\\\SRV\\Tools:K");
    auto run = OpenSheet(Listed("Work", "Manuals"));
    HWND sheet = run->Window();
    HWND page = ShowPage(sheet, kMappingPage);
    EXPECT_EQ((std::vector<ListedRow>{{"This Disc", "G"}, {"\\\\SRV\\Tools", "K"}}), ListedRows(page));
    SaveSheetScreenshot(sheet, "props-disc-automapping");

    // The disc's own row is given a letter, never removed.
    SelectRow(page, 0);
    EXPECT_TRUE(IsItemEnabled(page, IDC_AUTOMAP_EDIT));
    EXPECT_FALSE(IsItemEnabled(page, IDC_AUTOMAP_REMOVE));
    SelectRow(page, 1);
    EXPECT_TRUE(IsItemEnabled(page, IDC_AUTOMAP_REMOVE));

    // Edit and Add open Map Disc for a path of the multiple mapping, which hands back path and
    // letter.
    PostClickItem(page, IDC_AUTOMAP_EDIT);
    HWND edit = WaitForDialogWithItem(ThreadOf(sheet), IDC_MAP_PATH_EDIT, sheet);
    ASSERT_NE(nullptr, edit);
    EXPECT_EQ("\\\\SRV\\Tools", ItemText(edit, IDC_MAP_PATH_EDIT));
    ChooseMapDiscLetter(edit, 'P');
    ClickItem(edit, IDOK);
    ASSERT_TRUE(WaitFor([&] { return ListedRows(page).at(1).letter == "P"; }));

    PostClickItem(page, IDC_AUTOMAP_ADD);
    HWND map = WaitForDialogWithItem(ThreadOf(sheet), IDC_MAP_PATH_EDIT, sheet);
    ASSERT_NE(nullptr, map);
    TypeIntoItem(map, IDC_MAP_PATH_EDIT, "\\\\SRV\\Docs");
    ChooseMapDiscLetter(map, 'M');
    ClickItem(map, IDOK);
    ASSERT_TRUE(WaitFor([&] { return ListedRows(page).size() == 3; }));
    EXPECT_EQ((ListedRow{"\\\\SRV\\Docs", "M"}), ListedRows(page).back());

    ASSERT_TRUE(PressOk(*run));
    EXPECT_EQ("This Disc:G|\\\\SRV\\Tools:P|\\\\SRV\\Docs:M", Stored("Work\\Manuals", "MultipleMapping"));
    EXPECT_TRUE(network.ConnectCalls().empty()) << "the mapping is made when the disc is opened";
}

TEST_F(ItemPropertySheetTest, AStoredLetterThatIsNowALocalDriveIsNamedAndKeptUntilAnotherIsChosen)
{
    CacheKey("Work\\Manuals").SetDWORDValue("AutoMapping", 2);
    CacheKey("Work\\Manuals").SetStringValue("DriveLetter", "K");
    for (const char* local : {"C:\\", "D:\\", "K:\\"})
        network.SetDriveType(local, DRIVE_FIXED);
    {
        auto run = OpenSheet(Listed("Work", "Manuals"));
        HWND page = ShowPage(run->Window(), kMappingPage);
        EXPECT_EQ("E", ComboText(page, IDC_AUTOMAP_DRIVE_COMBO)) << "the first free letter";
        EXPECT_EQ(FormatText(CommonText(IDS_DRIVE_LETTER_GONE_FMT), "K"), ItemText(page, IDC_AUTOMAP_LETTER_NOTE));
        ASSERT_TRUE(PressOk(*run));
        EXPECT_EQ("K", Stored("Work\\Manuals", "DriveLetter")) << "nothing the user did not choose is stored";
    }
    {
        auto run = OpenSheet(Listed("Work", "Manuals"));
        HWND page = ShowPage(run->Window(), kMappingPage);
        ::SendDlgItemMessageA(page, IDC_AUTOMAP_DRIVE_COMBO, CB_SETCURSEL, 2, 0);
        NotifyCommand(page, IDC_AUTOMAP_DRIVE_COMBO, CBN_SELCHANGE);
        EXPECT_EQ("", ItemText(page, IDC_AUTOMAP_LETTER_NOTE));
        ASSERT_TRUE(PressOk(*run));
        EXPECT_EQ("G", Stored("Work\\Manuals", "DriveLetter"));
    }
}

TEST_F(ItemPropertySheetTest, NameAndCommentGoToTheSearchModuleAndARefusalKeepsTheSheetOpen)
{
    auto run = OpenSheet(Listed("Work", "Manuals"));
    HWND sheet = run->Window();
    HWND page = CurrentPage(sheet);
    TypeIntoItem(page, IDC_ITEM_NAME, "Handbooks");
    TypeIntoItem(page, IDC_ITEM_COMMENT, "Second edition");
    server_->answers = {NSS_S_NAME_EXISTS, E_FAIL};

    PressSheetButton(sheet, PSBTN_OK);
    PressSheetButton(sheet, PSBTN_OK);
    ASSERT_TRUE(PressOk(*run)) << "the third try is stored";

    EXPECT_EQ((std::vector<std::string>{FormatText(CommonText(IDS_ERR_RENAME_NAME_EXISTS_FMT), "Manuals"),
                                        FormatText(CommonText(IDS_ERR_ITEM_NOT_SAVED_FMT), "Manuals")}),
              prompts.Texts());
    ASSERT_EQ(3u, server_->calls.size());
    const ScriptedServer::Call& call = server_->calls.back();
    EXPECT_EQ("UpdateItem", call.method);
    EXPECT_EQ("Work", call.path);
    EXPECT_EQ("Handbooks|Manuals", call.item.Name);
    EXPECT_EQ("Second edition", call.item.Comment);
}

TEST_F(ItemPropertySheetTest, AnEmptyOrUnfitNameIsRefusedOnTheGeneralPageAndNothingIsSent)
{
    for (const std::string& name : {std::string(), std::string("   "), std::string("a\\b")}) {
        auto run = OpenSheet(Listed("Work", "Projects"));
        HWND sheet = run->Window();
        TypeIntoItem(CurrentPage(sheet), IDC_ITEM_NAME, name);
        PressSheetButton(sheet, PSBTN_OK);
        ASSERT_FALSE(prompts.Prompts().empty()) << "'" << name << "'";
        EXPECT_EQ(CommonText(IDS_CAPTION_ERROR_RENAMING), prompts.Prompts().back().caption);
        EXPECT_TRUE(prompts.Prompts().back().style & MB_ICONSTOP);
        EXPECT_EQ(0, static_cast<int>(::SendMessageA(sheet, PSM_HWNDTOINDEX,
                                                     reinterpret_cast<WPARAM>(CurrentPage(sheet)), 0)));
        CancelDialog(sheet);
    }
    EXPECT_EQ(CommonText(IDS_ERR_NAME_REQUIRED), prompts.Prompts().front().text);
    EXPECT_TRUE(server_->calls.empty());
}

TEST_F(ItemPropertySheetTest, EachKindOfItemGetsItsPages)
{
    const struct {
        std::string folder;
        std::string name;
        std::vector<std::string> screenshots;
    } kinds[] = {
        {"", "Work", {"props-folder-general"}},
        {"", "All Discs", {"props-system-folder-general"}},
        {"", "Specials", {"props-automap-folder-general", "props-automap-folder-automapping"}},
    };
    for (const auto& kind : kinds) {
        auto run = OpenSheet(Listed(kind.folder, kind.name));
        HWND sheet = run->Window();
        EXPECT_NE(std::string::npos, WindowText(sheet).find(kind.name));
        for (size_t page = 0; page < kind.screenshots.size(); ++page) {
            ShowPage(sheet, static_cast<int>(page));
            SaveSheetScreenshot(sheet, kind.screenshots[page]);
        }
        EXPECT_EQ(kind.screenshots.size(),
                  static_cast<size_t>(TabCtrl_GetItemCount(PropSheet_GetTabControl(sheet))))
            << kind.name;
        HWND general = ShowPage(sheet, 0);
        EXPECT_EQ(kind.name, ItemText(general, IDC_ITEM_NAME));
        if (kind.name == "Specials") {
            EXPECT_FALSE(IsItemVisible(ShowPage(sheet, kMappingPage), IDC_AUTOMAP_MULTIPLE));
        }
        if (kind.name == "Work") {
            EXPECT_TRUE(IsItemVisible(general, IDC_MAKE_PUBLIC)) << "the administrator's own folder";
        }
        CancelDialog(sheet);
    }
}

TEST_F(ItemPropertySheetTest, TheAdministratorMakesARootFolderPublicAndAFailedExportKeepsItPrivate)
{
    const std::string missing = folder.Path() + "\\gone";
    RegKey::LOCAL_MACHINE.CreateKey(kProductKey).SetStringValue("Global Data Location", missing);
    {
        auto run = OpenSheet(Listed("", "Work"));
        HWND sheet = run->Window();
        ClickItem(CurrentPage(sheet), IDC_MAKE_PUBLIC);
        PressSheetButton(sheet, PSBTN_OK);
        EXPECT_EQ(FormatText(CommonText(IDS_ERR_EXPORT_FOLDER_FMT), "Work", missing), prompts.Texts().at(0));
        EXPECT_EQ(0xDEADBEEF, StoredDword("Work", "PublicFolder")) << "the folder stays private";
        CancelDialog(sheet);
    }
    RegKey::LOCAL_MACHINE.CreateKey(kProductKey).SetStringValue("Global Data Location", folder.Path());
    {
        auto run = OpenSheet(Listed("", "Work"));
        ClickItem(CurrentPage(run->Window()), IDC_MAKE_PUBLIC);
        ASSERT_TRUE(PressOk(*run));
    }
    EXPECT_EQ(1u, StoredDword("Work", "PublicFolder"));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA((folder.Path() + "\\Work.pfr").c_str()));
    ASSERT_FALSE(server_->calls.empty());
    EXPECT_EQ("UpdateItem", server_->calls.back().method) << "the views show the folder shared";

    SetKind(0);
    auto run = OpenSheet(Listed("", "Work"));
    EXPECT_FALSE(IsItemVisible(CurrentPage(run->Window()), IDC_MAKE_PUBLIC)) << "a client shares nothing";
    CancelDialog(run->Window());
}

TEST(MultipleMappingRowsTest, TheItemItselfComesFirstOnceAndEveryRowIsStoredBack)
{
    const std::string own = "This Disc";
    const std::string none = "none";
    EXPECT_EQ("This Disc:none", StoredMapping(MappingRowsFrom("", own, none)));
    // Its first pair decides; pairs with an empty half are dropped; the order of the others stays.
    const auto rows = MappingRowsFrom("\\\\A\\X:K|this disc:G|:M|\\\\B\\Y:|This Disc:H|\\\\C\\Z:L", own, none);
    EXPECT_EQ("This Disc:G|\\\\A\\X:K|\\\\C\\Z:L", StoredMapping(rows));
    EXPECT_EQ((std::vector<std::string>{"G", "L"}), LettersOfOtherRows(rows, 1, none));
    const auto unlettered = MappingRowsFrom("\\\\A\\X:K|\\\\C\\Z:L", own, none);
    EXPECT_EQ((std::vector<std::string>{"K", "L"}), LettersOfOtherRows(unlettered, 99, none))
        << "the item's own row without a letter is no letter in use";
}

TEST_F(ItemPropertySheetTest, SeveralItemsShowTheirCountAndWhatTheyShare)
{
    CacheItem atlas = Disc("\\\\ATLAS", "MAPS");
    CacheItem charts = Disc("\\\\ATLAS", "CHARTS");
    CacheItem jaz = Disc("\\\\TOWER", "BACKUP", JazDisc);
    CacheItem work = Folder("Work");
    work.Type = "Folder";

    auto same = MultiSelGeneralPage::Summarize({atlas, charts});
    EXPECT_EQ(CdRomDisc, same.commonType);
    EXPECT_EQ("CD/DVD", same.type);
    EXPECT_EQ("ATLAS", same.server);

    auto mixed = MultiSelGeneralPage::Summarize({atlas, jaz});
    EXPECT_EQ(MultipleSelection, mixed.commonType);
    EXPECT_EQ(CommonText(IDS_MULTIPLE_TYPES), mixed.type);
    EXPECT_EQ(CommonText(IDS_MULTIPLE_SERVERS), mixed.server);

    EXPECT_EQ("ATLAS", MultiSelGeneralPage::Summarize({atlas, work}).server) << "a folder is on no server";
    EXPECT_EQ("", MultiSelGeneralPage::Summarize({work, work}).server);

    ModalDialogRun run([&] {
        ItemPropertySheet sheet(std::vector<CacheItem>{atlas, charts, jaz});
        return sheet.DoModal(nullptr);
    });
    HWND page = CurrentPage(run.Window());
    EXPECT_EQ(FormatText(CommonText(IDS_STATUS_SELECTED_COUNT_FMT), 3), ItemText(page, IDC_ITEM_NAME));
    SaveSheetScreenshot(run.Window(), "props-multiple-general");
    ASSERT_TRUE(PressOk(run));
    EXPECT_TRUE(server_->calls.empty()) << "nothing to store";
}
