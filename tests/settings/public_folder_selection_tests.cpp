// A client user's choice of public folders, in Select Public Folders and on the client's Public
// Folders page, against a data location that the administrator's export made.

#include "settings_sheet_driver.h"

#include "check_list.h"
#include "public/public_folders.h"
#include "public_folder_choice.h"
#include "res/dialwise_ids.h"
#include "select_public_folders_dialog.h"

#include "support/cache_tree.h"
#include "support/dialog_driver.h"

#include <commctrl.h>

namespace {

class PublicFolderSelectionTest : public SettingsSheetTest {
protected:
    void SetUp() override
    {
        SettingsSheetTest::SetUp();
        Machine().SetStringValue("Global Data Location", data.Path());
        MakeFolder("", "Network Storage", RootFolder);
        // The administrator publishes two folders, then this computer becomes a client's.
        for (const char* name : {"Team", "Tools"}) {
            MakeFolder(name, name, UserFolder);
            CacheKey(name).SetDWORDValue("PublicFolder", 1);
            ASSERT_TRUE(PublicFolderMgr().ExportOrRemoveFolder(StoredRootFolder(name))) << name;
            CacheKey("").DeleteKey(name);
        }
        SetKind(kClientInstallation);
    }

    static CacheItem StoredRootFolder(const std::string& name)
    {
        CacheItem folder;
        const RegKeyRead key = CacheKey(name);
        folder.ReadDataSet1FromRegistry(&key);
        folder.GetMoreData();
        return folder;
    }

    // The folders of the cache root that are imported public folders.
    static std::vector<std::string> ImportedFolders()
    {
        std::vector<std::string> names;
        RegKeyEnumerator keys(CacheKey(""));
        while (keys.Next()) {
            unsigned long type = 0;
            if (CacheKey(keys.GetName()).TryQueryDWORDValue("ItemType", type) && type == PublicUserFolder)
                names.push_back(keys.GetName());
        }
        return names;
    }
    static std::vector<std::string> StoredSelection() { return PublicFolderMgr().GetSelectedFolders(); }

    // Select Public Folders as the settings program shows it: ticks the folders named and OK.
    void SelectInDialog(const std::vector<std::string>& expectedRows, const std::vector<int>& tick,
                        const std::vector<int>& clear, const char* screenshot = nullptr)
    {
        ModalDialogRun run([] {
            PublicFolderChoice choice;
            if (choice.Read(std::string()) != PublicFolderChoice::Listing::Listed)
                return INT_PTR{-2};
            SelectPublicFoldersDialog dialog(choice);
            return dialog.DoModal(nullptr);
        });
        HWND dialog = run.Window();
        EXPECT_EQ("Select Public Folders", WindowText(dialog));
        HWND list = ::GetDlgItem(dialog, IDC_SELECT_PUBLIC_FOLDER_LIST);
        EXPECT_EQ(expectedRows, CheckListRows(list));
        for (int row : tick)
            ListView_SetCheckState(list, row, TRUE);
        for (int row : clear)
            ListView_SetCheckState(list, row, FALSE);
        if (screenshot)
            SaveSheetScreenshot(dialog, screenshot);
        ClickItem(dialog, IDOK);
        INT_PTR result = 0;
        ASSERT_TRUE(run.WaitForEnd(result));
        EXPECT_EQ(IDOK, result);
    }

    TempDirectory data;
};

TEST_F(PublicFolderSelectionTest, SelectingImportsTheTickedFoldersAndClearingOneWithdrawsIt)
{
    SelectInDialog({"Team", "Tools"}, {0, 1}, {}, "select-public-folders");
    EXPECT_EQ((std::vector<std::string>{"Team", "Tools"}), ImportedFolders());
    EXPECT_EQ((std::vector<std::string>{"Team", "Tools"}), StoredSelection());

    SelectInDialog({"Team+", "Tools+"}, {}, {1});
    EXPECT_EQ(std::vector<std::string>{"Team"}, ImportedFolders());
    EXPECT_EQ(std::vector<std::string>{"Team"}, StoredSelection());
}

TEST_F(PublicFolderSelectionTest, TheClientsPageImportsTheFoldersTickedThere)
{
    auto run = OpenSheet(kClientPublicFoldersPage);
    HWND page = CurrentPage(run->Window());
    HWND list = ::GetDlgItem(page, IDC_PUBLIC_FOLDER_LIST);
    EXPECT_EQ((std::vector<std::string>{"Team", "Tools"}), CheckListRows(list));
    ListView_SetCheckState(list, 1, TRUE);
    SaveSheetScreenshot(run->Window(), "settings-client-public-folders-listed");
    ASSERT_TRUE(PressOk(*run));
    EXPECT_EQ(std::vector<std::string>{"Tools"}, ImportedFolders());
    EXPECT_EQ(std::vector<std::string>{"Tools"}, StoredSelection());
    EXPECT_TRUE(prompts.Texts().empty());
}

TEST_F(PublicFolderSelectionTest, ALocationThatCannotBeReachedIsReportedAndListsNothing)
{
    Machine().SetStringValue("Global Data Location", data.File("gone"));
    PublicFolderChoice choice;
    EXPECT_EQ(PublicFolderChoice::Listing::NoLocation, choice.Read(std::string()));
    // An index that is there but cannot be read.
    ::DeleteFileA(data.File("datafile.txt").c_str());
    ASSERT_TRUE(::CreateDirectoryA(data.File("datafile.txt").c_str(), nullptr));
    EXPECT_EQ(PublicFolderChoice::Listing::Unreadable, choice.Read(data.Path()));
    EXPECT_EQ("The list of public folders could not be read from the location of public folder data.",
              PublicFolderChoice::ProblemText(PublicFolderChoice::Listing::Unreadable));

    auto run = OpenSheet(kClientPublicFoldersPage);
    HWND page = CurrentPage(run->Window());
    EXPECT_EQ(0, ListView_GetItemCount(::GetDlgItem(page, IDC_PUBLIC_FOLDER_LIST)));
    // Posted after the page's own note to itself, so handled after it: the user was told once
    // the page showed.
    ::PostMessageA(run->Window(), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    INT_PTR result = 0;
    ASSERT_TRUE(run->WaitForEnd(result));
    ASSERT_EQ(1u, prompts.Texts().size());
    EXPECT_EQ("The location of public folder data is not set or cannot be reached.", prompts.Texts()[0]);
}

} // namespace
