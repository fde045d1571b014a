#include "view_menus.h"

#include "cache/cache.h"
#include "module_instance.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "text/text_format.h"
#include "view_commands.h"

#include <commctrl.h>

#include <string>

using namespace view_command;

namespace {

// The text of an item of the item context menu, as the File menu repeats it.
std::string ContextMenuText(UINT id)
{
    HMENU menu = ::LoadMenuA(g_hShellvueInstance, MAKEINTRESOURCEA(kItemContextMenu));
    char text[128] = {};
    if (menu) {
        ::GetMenuStringA(menu, id, text, sizeof text, MF_BYCOMMAND);
        ::DestroyMenu(menu);
    }
    return text;
}

void Append(HMENU menu, UINT id, const std::string& text, UINT flags = 0)
{
    ::AppendMenuA(menu, MF_STRING | flags, id, text.c_str());
}

void AppendSeparator(HMENU menu) { ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr); }

// The sub-menu of the shared menu that Explorer put under id; null when it has none.
HMENU SubMenuOf(HMENU shared, UINT id)
{
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_SUBMENU;
    return ::GetMenuItemInfoA(shared, id, FALSE, &info) ? info.hSubMenu : nullptr;
}

void FillFile(HMENU file, bool hasFocus, ItemCreators user)
{
    if (hasFocus) {
        Append(file, kExplore, ContextMenuText(kContextExplore));
        Append(file, kOpen, ContextMenuText(kContextOpen));
    }
    if (user != ItemCreatorOther) {
        Append(file, kPublicFolderSettings, CommonText(IDS_MENU_PUBLIC_FOLDER_SETTINGS));
        Append(file, kSettings, BrandingText(IDS_BRAND_SETTINGS_COMMAND));
    }
    Append(file, kProperties, ContextMenuText(kContextProperties));
    Append(file, kRename, ContextMenuText(kContextRename));
    Append(file, kDelete, ContextMenuText(kContextDelete));
    AppendSeparator(file);
    HMENU newMenu = ::CreatePopupMenu();
    Append(newMenu, kNewFolder, CommonText(IDS_MENU_NEW_FOLDER));
    Append(newMenu, kNewAutoMapFolder, CommonText(IDS_MENU_NEW_AUTOMAP_FOLDER));
    AppendSeparator(newMenu);
    Append(newMenu, kNewLaunchObject, CommonText(IDS_MENU_NEW_LAUNCH_OBJECT));
    ::AppendMenuA(file, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(newMenu), CommonText(IDS_MENU_NEW).c_str());
}

void FillEdit(HMENU edit)
{
    // Explorer's own Cut and Copy give way to the namespace's.
    ::DeleteMenu(edit, kExplorerCut, MF_BYCOMMAND);
    ::DeleteMenu(edit, kExplorerCopy, MF_BYCOMMAND);
    Append(edit, kCut, CommonText(IDS_MENU_CUT));
    Append(edit, kCopy, CommonText(IDS_MENU_COPY));
    Append(edit, kPaste, CommonText(IDS_MENU_PASTE));
    AppendSeparator(edit);
    Append(edit, kSelectAll, CommonText(IDS_MENU_SELECT_ALL));
    Append(edit, kInvertSelection, CommonText(IDS_MENU_INVERT_SELECTION));
}

void FillView(HMENU view, ItemCreators user)
{
    AppendSeparator(view);
    Append(view, kLargeIcons, CommonText(IDS_MENU_LARGE_ICONS));
    Append(view, kSmallIcons, CommonText(IDS_MENU_SMALL_ICONS));
    Append(view, kList, CommonText(IDS_MENU_LIST));
    Append(view, kDetails, CommonText(IDS_MENU_DETAILS));
    AppendSeparator(view);
    HMENU arrange = ::CreatePopupMenu();
    Append(arrange, kArrangeByName, CommonText(IDS_MENU_ARRANGE_BY_NAME));
    Append(arrange, kArrangeByType, CommonText(IDS_MENU_ARRANGE_BY_TYPE));
    Append(arrange, kArrangeByComment, CommonText(IDS_MENU_ARRANGE_BY_COMMENT));
    Append(arrange, kArrangeByServer, CommonText(IDS_MENU_ARRANGE_BY_SERVER));
    AppendSeparator(arrange);
    Append(arrange, 0, CommonText(IDS_MENU_AUTO_ARRANGE), MF_GRAYED);
    ::AppendMenuA(view, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(arrange),
                  CommonText(IDS_MENU_ARRANGE_ICONS).c_str());
    Append(view, 0, CommonText(IDS_MENU_LINE_UP_ICONS), MF_GRAYED);
    AppendSeparator(view);
    Append(view, kQuickSearch, CommonText(IDS_MENU_QUICK_SEARCH));
    Append(view, kFullSearch, CommonText(IDS_MENU_FULL_SEARCH));
    if (user != ItemCreatorOther)
        Append(view, kRefreshPublicFolders, CommonText(IDS_MENU_REFRESH_PUBLIC_FOLDERS));
}

void FillTools(HMENU tools)
{
    Append(tools, kMapDisc, CommonText(IDS_MENU_MAP_DISC));
    Append(tools, kFindDiscs, CommonText(IDS_MENU_FIND_DISCS));
}

void FillHelp(HMENU help)
{
    AppendSeparator(help);
    Append(help, kAbout, FormatText(CommonText(IDS_MENU_ABOUT_FMT), BrandingText(IDS_BRAND_PRODUCT_TITLE)));
    Append(help, kTutorial, BrandingText(IDS_BRAND_TUTORIAL_COMMAND));
    Append(help, kHelp, BrandingText(IDS_BRAND_HELP_COMMAND));
}

} // namespace

ViewMenus::~ViewMenus()
{
    if (shared_)
        ::DestroyMenu(shared_);
}

bool ViewMenus::Merge(IShellBrowser& browser, HWND listWindow, bool hasFocus, ItemCreators user, int viewMode)
{
    Remove(browser);
    shared_ = ::CreateMenu();
    OLEMENUGROUPWIDTHS widths{};
    if (!shared_ || FAILED(browser.InsertMenusSB(shared_, &widths))) {
        if (shared_)
            ::DestroyMenu(shared_);
        shared_ = nullptr;
        return false;
    }
    if ((file_ = SubMenuOf(shared_, FCIDM_MENU_FILE)))
        FillFile(file_, hasFocus, user);
    if ((edit_ = SubMenuOf(shared_, FCIDM_MENU_EDIT)))
        FillEdit(edit_);
    if ((view_ = SubMenuOf(shared_, FCIDM_MENU_VIEW)))
        FillView(view_, user);
    if (HMENU tools = SubMenuOf(shared_, FCIDM_MENU_TOOLS))
        FillTools(tools);
    if (HMENU help = SubMenuOf(shared_, FCIDM_MENU_HELP))
        FillHelp(help);
    CheckViewMode(viewMode);
    browser.SetMenuSB(shared_, nullptr, listWindow);
    return true;
}

void ViewMenus::Remove(IShellBrowser& browser)
{
    if (!shared_)
        return;
    browser.SetMenuSB(nullptr, nullptr, nullptr);
    browser.RemoveMenusSB(shared_);
    ::DestroyMenu(shared_);
    shared_ = file_ = edit_ = view_ = nullptr;
}

void ViewMenus::CheckViewMode(int viewMode)
{
    if (view_ && viewMode >= 1 && viewMode <= 4)
        ::CheckMenuRadioItem(view_, kLargeIcons, kDetails, kLargeIcons + static_cast<UINT>(viewMode) - 1,
                             MF_BYCOMMAND);
}

void ViewMenus::AddToolbarButtons(IShellBrowser& browser, int viewMode)
{
    TBADDBITMAP views{HINST_COMMCTRL, IDB_VIEW_SMALL_COLOR};
    TBADDBITMAP standard{HINST_COMMCTRL, IDB_STD_SMALL_COLOR};
    LRESULT viewOffset = 0;
    LRESULT standardOffset = 0;
    if (FAILED(browser.SendControlMsg(FCW_TOOLBAR, TB_ADDBITMAP, 8, reinterpret_cast<LPARAM>(&views), &viewOffset)) ||
        FAILED(browser.SendControlMsg(FCW_TOOLBAR, TB_ADDBITMAP, 15, reinterpret_cast<LPARAM>(&standard),
                                      &standardOffset)))
        return;
    const int offset = static_cast<int>(viewOffset);
    TBBUTTON buttons[] = {
        {offset + VIEW_LARGEICONS, kToolbarLargeIcons, TBSTATE_ENABLED, BTNS_BUTTON | BTNS_CHECKGROUP, {}, 0, 0},
        {offset + VIEW_SMALLICONS, kToolbarLargeIcons + 1, TBSTATE_ENABLED, BTNS_BUTTON | BTNS_CHECKGROUP, {}, 0, 0},
        {offset + VIEW_LIST, kToolbarLargeIcons + 2, TBSTATE_ENABLED, BTNS_BUTTON | BTNS_CHECKGROUP, {}, 0, 0},
        {offset + VIEW_DETAILS, kToolbarDetails, TBSTATE_ENABLED, BTNS_BUTTON | BTNS_CHECKGROUP, {}, 0, 0},
        {0, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0},
        {static_cast<int>(standardOffset) + STD_HELP, kHelp, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
    };
    if (SUCCEEDED(browser.SetToolbarItems(buttons, ARRAYSIZE(buttons), FCT_MERGE)))
        CheckToolbarButton(browser, viewMode);
}

void ViewMenus::CheckToolbarButton(IShellBrowser& browser, int viewMode)
{
    if (viewMode < 1 || viewMode > 4)
        return;
    LRESULT ignored = 0;
    browser.SendControlMsg(FCW_TOOLBAR, TB_CHECKBUTTON, kToolbarLargeIcons + static_cast<UINT>(viewMode) - 1, TRUE,
                           &ignored);
}

std::string ViewMenus::ToolbarTip(UINT command)
{
    std::string text;
    if (command >= kToolbarLargeIcons && command <= kToolbarDetails)
        text = CommonText(IDS_MENU_LARGE_ICONS + (command - kToolbarLargeIcons));
    else if (command == kHelp)
        text = BrandingText(IDS_BRAND_HELP_COMMAND);
    return Cache::RemoveCharacters(text, "&");
}
