// The property sheets shown for real and driven as a user does, with the search module scripted
// in-process and the network scripted: a cache with a user folder holding a disc and a folder,
// and an AutoMap folder holding a disc.
#pragma once

#include "props/item_property_sheet.h"

#include "explorer_driver.h"
#include "props/props_ids.h"
#include "scripted_server.h"
#include "search_module_access.h"

#include "base/module_path.h"
#include "support/cache_fixture.h"
#include "support/dialog_driver.h"
#include "support/modal_dialog_run.h"
#include "support/scripted_network.h"
#include "support/scripted_prompts.h"

#include <commctrl.h>

#include <chrono>
#include <functional>
#include <thread>

using Microsoft::WRL::ComPtr;

namespace property_sheet_test {

constexpr int kMappingPage = 1;
constexpr int kAllMappingControls[] = {IDC_AUTOMAP_DISABLED, IDC_AUTOMAP_FREE_LETTER, IDC_AUTOMAP_ALWAYS,
                                       IDC_AUTOMAP_DRIVE_COMBO, IDC_AUTOMAP_MULTIPLE, IDC_AUTOMAP_LIST,
                                       IDC_AUTOMAP_ADD, IDC_AUTOMAP_REMOVE, IDC_AUTOMAP_EDIT};

// Waits for a condition that another thread brings about; false when it did not come in time.
inline bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 10000)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

struct ListedRow {
    std::string path;
    std::string letter;
    bool operator==(const ListedRow& other) const { return path == other.path && letter == other.letter; }
};

inline void PrintTo(const ListedRow& row, std::ostream* out) { *out << row.path << ':' << row.letter; }

inline std::vector<ListedRow> ListedRows(HWND page, int listId = IDC_AUTOMAP_LIST)
{
    HWND list = ::GetDlgItem(page, listId);
    std::vector<ListedRow> rows;
    const int count = ListView_GetItemCount(list);
    for (int i = 0; i < count; ++i) {
        char path[260] = {};
        char letter[16] = {};
        ListView_GetItemText(list, i, 0, path, sizeof path);
        ListView_GetItemText(list, i, 1, letter, sizeof letter);
        rows.push_back({path, letter});
    }
    return rows;
}

inline void SelectRow(HWND page, int row, int listId = IDC_AUTOMAP_LIST)
{
    HWND list = ::GetDlgItem(page, listId);
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

inline void Choose(HWND page, int radio)
{
    SetItemChecked(page, radio, true);
    NotifyCommand(page, radio, BN_CLICKED);
}

inline std::string ComboText(HWND page, int id)
{
    HWND combo = ::GetDlgItem(page, id);
    const LRESULT index = ::SendMessageA(combo, CB_GETCURSEL, 0, 0);
    char text[16] = {};
    if (index != CB_ERR)
        ::SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

inline HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

inline HWND ShowPage(HWND sheet, int index)
{
    ::SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    return CurrentPage(sheet);
}

inline DWORD ThreadOf(HWND window) { return ::GetWindowThreadProcessId(window, nullptr); }

} // namespace property_sheet_test

using namespace property_sheet_test;

class PropertySheetTest : public CacheFixture {
protected:
    void SetUp() override
    {
        CacheFixture::SetUp();
        SetKind(387);
        MakeFolder("Work\\Manuals", "Manuals", CdRomDisc);
        CacheKey("Work\\Manuals").SetStringValue("Location", "\\\\ATLAS");
        CacheKey("Work\\Manuals").SetStringValue("Type", "CD/DVD");
        MakeFolder("Work\\Projects", "Projects", UserFolder);
        MakeFolder("Specials", "Specials", MappedFolder);
        MakeFolder("Specials\\Atlas", "Atlas", CdRomDisc);
        CacheKey("Specials\\Atlas").SetStringValue("Location", "\\\\ATLAS");
        server_ = MakeComObject<ScriptedServer>();
        SetSearchModuleOverride(static_cast<INotifyNSServer*>(server_.Get()));
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_USEREX_CLASSES};
        ::InitCommonControlsEx(&controls);
    }

    void TearDown() override { SetSearchModuleOverride(nullptr); }

    // The item as the view lists it.
    static CacheItem Listed(const std::string& folderPath, const std::string& name)
    {
        Cache folder(CacheReadFolder, folderPath);
        for (CacheIterator it = folder.Begin(); it != folder.End(); ++it) {
            if ((*it)->Name == name) {
                CacheItem item(**it);
                item.FolderPath = folderPath;
                return item;
            }
        }
        ADD_FAILURE() << name << " is not in " << folderPath;
        return {};
    }

    static std::unique_ptr<ModalDialogRun> OpenSheet(const CacheItem& item)
    {
        return std::make_unique<ModalDialogRun>([item] {
            ItemPropertySheet sheet(item);
            return sheet.DoModal(nullptr);
        });
    }

    // Presses OK; true when the sheet ended.
    static bool PressOk(ModalDialogRun& run)
    {
        PressSheetButton(run.Window(), PSBTN_OK);
        INT_PTR result = 0;
        return run.WaitForEnd(result);
    }

    static void SaveSheetScreenshot(HWND window, const std::string& name) { SaveScreenshotInBuild(window, name); }

    static std::string Stored(const std::string& path, const char* name)
    {
        std::string value;
        CacheKey(path).TryQueryStringValue(name, value);
        return value;
    }
    static unsigned long StoredDword(const std::string& path, const char* name)
    {
        unsigned long value = 0xDEADBEEF;
        CacheKey(path).TryQueryDWORDValue(name, value);
        return value;
    }

    ScriptedNetwork network;
    ScriptedPrompts prompts{IDOK};
    ComPtr<ScriptedServer> server_;
};

