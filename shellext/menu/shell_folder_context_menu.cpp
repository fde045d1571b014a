#include "shell_folder_context_menu.h"

#include "browse_request.h"
#include "cache/cache.h"
#include "com/com_boundary.h"
#include "explorer_tree.h"
#include "folder/shell_folder.h"
#include "item_shortcut.h"
#include "list/item_menu.h"
#include "logging/logging.h"
#include "props/item_property_sheet.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "settings/product_keys.h"
#include "text/ansi_text.h"
#include "text/text_compare.h"
#include "text/text_format.h"
#include "tree_clipboard.h"
#include "ui/prompt.h"
#include "view/view_commands.h"
#include "view/view_messages.h"
#include "view/view_request.h"

#include <commctrl.h>
#include <shellapi.h>

#include <new>
#include <stdexcept>

using Microsoft::WRL::ComPtr;
using namespace view_command;

namespace {

// Browse flags (SBSP_*): explore in this window, open in a new one.
constexpr UINT kExploreSameWindow = 0x21;
constexpr UINT kOpenNewWindow = 0x12;

HRESULT IdsUsed(UINT count) { return MAKE_HRESULT(SEVERITY_SUCCESS, 0, count); }

bool InsertCommand(HMENU menu, UINT position, UINT id, const std::string& text)
{
    MENUITEMINFOA entry{};
    entry.cbSize = sizeof entry;
    entry.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
    entry.fType = MFT_STRING;
    entry.wID = id;
    entry.dwTypeData = const_cast<char*>(text.c_str());
    return ::InsertMenuItemA(menu, position, TRUE, &entry) != FALSE;
}

HRESULT Done(bool done) { return done ? S_OK : E_FAIL; }

} // namespace

ShellFolderContextMenu::ShellFolderContextMenu(ShellFolder& owner, LPCITEMIDLIST child) : owner_(&owner)
{
    Logging::OutToLogFile("ShellFolderContextMenu::ShellFolderContextMenu()\n");
    if (!child || !PidlMgr::PidlToCacheItem(child, item_))
        throw std::invalid_argument("not an item of the namespace");
    relative_.reset(pidls_.Concatenate(owner.GetRelativePidl(), child));
    if (!relative_)
        throw std::bad_alloc();
    if (ScopedPidl folder = owner.GetAbsolutePidl())
        absolute_.reset(pidls_.Concatenate(folder.get(), child));
}

ShellFolderContextMenu::~ShellFolderContextMenu()
{
    try {
        Logging::OutToLogFile("ShellFolderContextMenu::~ShellFolderContextMenu()\n");
    } catch (...) {
        // A log line that cannot be written does not stop the object going.
    }
}

std::span<const ComInterfaceEntry> ShellFolderContextMenu::InterfaceTable()
{
    static const ComInterfaceEntry table[] = {ComInterface<ShellFolderContextMenu, IContextMenu>()};
    return table;
}

STDMETHODIMP ShellFolderContextMenu::QueryContextMenu(HMENU menu, UINT index, UINT firstId, UINT lastId, UINT flags)
{
    return ComBoundary("ShellFolderContextMenu::QueryContextMenu()", [&]() -> HRESULT {
        Logging::OutToLogFile("ShellFolderContextMenu::QueryContextMenu()\n");
        if (flags & CMF_DEFAULTONLY) {
            // A double click in the tree: the folder opens and no menu is shown.
            ViewFolder((flags & CMF_EXPLORE) != 0);
            return IdsUsed(0);
        }
        if (!menu || firstId > lastId)
            return E_INVALIDARG;
        if (flags & CMF_VERBSONLY)
            return AddShortMenu(menu, index, firstId, lastId);
        return AddFullMenu(menu, index, firstId, lastId);
    });
}

HRESULT ShellFolderContextMenu::AddShortMenu(HMENU menu, UINT index, UINT firstId, UINT lastId)
{
    if (lastId - firstId < kExploreOffset)
        return IdsUsed(0);   // no room for our ids
    IShellBrowser* browser = ShellBrowserOf(::GetActiveWindow());
    HWND tree = nullptr;
    const bool treeShown = browser && SUCCEEDED(browser->GetControlWindow(FCW_TREE, &tree)) && tree;
    UINT position = index;
    UINT first = 0;
    if (treeShown && InsertCommand(menu, position, firstId + kExploreOffset, ItemMenu::Text(kContextExplore))) {
        first = firstId + kExploreOffset;
        ++position;
    }
    if (InsertCommand(menu, position, firstId + kOpenOffset, ItemMenu::Text(kContextOpen))) {
        if (!first)
            first = firstId + kOpenOffset;
        ++position;
    }
    if (!first)
        return E_FAIL;
    ::SetMenuDefaultItem(menu, first, FALSE);
    ::InsertMenuA(menu, position, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    return IdsUsed(kExploreOffset + 1);
}

HRESULT ShellFolderContextMenu::AddFullMenu(HMENU menu, UINT index, UINT firstId, UINT lastId)
{
    const int inserted = ItemMenu::Insert(menu, index, std::span<const CacheItem>(&item_, 1), firstId, lastId);
    if (inserted < 0)
        return E_FAIL;
    // The ids used run from firstId up to the highest one inserted.
    UINT used = 0;
    for (int i = 0; i < inserted; ++i) {
        const UINT id = ::GetMenuItemID(menu, static_cast<int>(index) + i);
        if (id != static_cast<UINT>(-1) && id >= firstId && id <= lastId && id - firstId + 1 > used)
            used = id - firstId + 1;
    }
    const UINT open = firstId + (kContextOpen - ItemMenu::kFirstCommand);
    if (open <= lastId && ::GetMenuState(menu, open, MF_BYCOMMAND) != static_cast<UINT>(-1))
        ::SetMenuDefaultItem(menu, open, FALSE);
    return IdsUsed(used);
}

STDMETHODIMP ShellFolderContextMenu::InvokeCommand(CMINVOKECOMMANDINFO* info)
{
    if (!info || info->cbSize < sizeof(CMINVOKECOMMANDINFO))
        return E_INVALIDARG;
    return ComBoundary("ShellFolderContextMenu::InvokeCommand()", [&]() -> HRESULT {
        Logging::OutToLogFile("ShellFolderContextMenu::InvokeCommand()\n");
        const std::optional<std::string> verb = VerbOf(*info);
        const UINT offset = verb ? 0 : LOWORD(reinterpret_cast<UINT_PTR>(info->lpVerb));
        // Open and explore hand the folder to the shell: they need no Explorer window, which
        // hosts such as the common file dialog do not give.
        if (!verb && (offset == kOpenOffset || offset == kExploreOffset))
            return Done(ViewFolder(offset == kExploreOffset));
        // Nor does the folder's property sheet.
        if ((verb && EqualsNoCase(*verb, "properties")) ||
            (!verb && ItemMenu::kFirstCommand + offset == kContextProperties))
            return LaunchProperties();
        IShellBrowser* browser = ShellBrowserOf(info->hwnd);
        if (!browser)
            browser = ShellBrowserOf(::GetActiveWindow());
        if (!browser) {
            Logging::OutToLogFile("ShellFolderContextMenu::InvokeCommand() - no shell browser\n");
            return E_FAIL;
        }
        // Held while the command runs: browsing may let the window go.
        const ComPtr<IShellBrowser> held(browser);
        return verb ? InvokeVerb(*held.Get(), *verb) : InvokeOffset(*held.Get(), offset);
    });
}

std::optional<std::string> ShellFolderContextMenu::VerbOf(const CMINVOKECOMMANDINFO& info)
{
    // A caller that speaks Unicode may give the verb only in its wide form.
    if (info.cbSize >= sizeof(CMINVOKECOMMANDINFOEX) && (info.fMask & CMIC_MASK_UNICODE)) {
        const auto& wide = reinterpret_cast<const CMINVOKECOMMANDINFOEX&>(info);
        if (wide.lpVerbW && !IS_INTRESOURCE(wide.lpVerbW))
            return AnsiFromWide(wide.lpVerbW);
    }
    if (info.lpVerb && !IS_INTRESOURCE(info.lpVerb))
        return std::string(info.lpVerb);
    return std::nullopt;
}

HRESULT ShellFolderContextMenu::InvokeVerb(IShellBrowser& browser, const std::string& verb)
{
    const ViewMessages& messages = ViewMessages::Get();
    if (EqualsNoCase(verb, "delete"))
        return AskActiveView(browser, messages.deleteItem) ? S_OK : Delete();
    if (EqualsNoCase(verb, "cut"))
        return Done(AskActiveView(browser, messages.cutItem) || CutFolderFromTree(browser, absolute_.get()));
    if (EqualsNoCase(verb, "copy"))
        return Done(AskActiveView(browser, messages.copyItem) || CopyFolderFromTree(browser, absolute_.get()));
    if (EqualsNoCase(verb, "paste"))
        return Done(AskActiveView(browser, messages.pasteItem) || PasteIntoFolderFromTree(browser, relative_.get()));
    return E_INVALIDARG;
}

HRESULT ShellFolderContextMenu::InvokeOffset(IShellBrowser& browser, UINT offset)
{
    switch (ItemMenu::kFirstCommand + offset) {
    case kContextExplore:
        return Browse(browser, kExploreSameWindow);
    case kContextOpen:
        return Browse(browser, kOpenNewWindow);
    case kContextDelete:
        return Delete();
    case kContextDesktopShortcut:
        return CreateDesktopShortcut();
    case kContextRename:
        return StartRename(browser);
    case kContextCut:
        return Done(CutFolderFromTree(browser, absolute_.get()));
    case kContextCopy:
        return Done(CopyFolderFromTree(browser, absolute_.get()));
    case kContextPasteInto:
        return Done(PasteIntoFolderFromTree(browser, relative_.get()));
    default:
        return E_INVALIDARG;
    }
}

STDMETHODIMP ShellFolderContextMenu::GetCommandString(UINT_PTR command, UINT, UINT*, CHAR*, UINT)
{
    return ComBoundary("ShellFolderContextMenu::GetCommandString()", [&] {
        Logging::OutToLogFile("ShellFolderContextMenu::GetCommandString()\n");
        LogFormatted("GetCommandString(), theCommandID =%u\n", static_cast<unsigned>(command));
        return E_NOTIMPL;
    });
}

bool ShellFolderContextMenu::ViewFolder(bool explore)
{
    if (absolute_) {
        SHELLEXECUTEINFOA execute{};
        execute.cbSize = sizeof execute;
        execute.fMask = SEE_MASK_IDLIST | SEE_MASK_CLASSNAME | SEE_MASK_FLAG_NO_UI;
        execute.lpClass = "folder";
        execute.lpVerb = explore ? "explore" : "open";
        execute.lpIDList = absolute_.get();
        execute.nShow = SW_SHOWNORMAL;
        if (::ShellExecuteExA(&execute))
            return true;
    }
    LogFormatted("ShellFolderContextMenu::ViewFolder | ShellExecuteEx failed,          GetLastError returns =%u\n",
                 static_cast<unsigned>(::GetLastError()));
    ShowPrompt(nullptr,
               FormatText(CommonText(IDS_ERR_FOLDER_PATH_NOT_FOUND_FMT), BrandingText(IDS_BRAND_NAMESPACE_NAME),
                          FolderPath()),
               ProductCaption(), MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
    return false;
}

HRESULT ShellFolderContextMenu::Browse(IShellBrowser& browser, UINT flags)
{
    if (!absolute_)
        return E_FAIL;
    return browser.BrowseObject(absolute_.get(), flags);
}

HRESULT ShellFolderContextMenu::LaunchProperties()
{
    Logging::OutToLogFile("ShellFolderContextMenu::LaunchProperties()\n");
    // The folder's record as the cache has it now, with the path of the folder that holds it.
    const Cache folder(CacheFolderOnly, FolderPath());
    CacheItem record;
    folder.GetOpenedFolderData(record);
    if (record.Name.empty() && !FolderPath().empty())
        return E_FAIL;
    ItemPropertySheet(record).DoModal(::GetActiveWindow());
    return S_OK;
}

HRESULT ShellFolderContextMenu::Delete() { return Done(owner_->DeleteFolder(item_, 0, nullptr, false)); }

HRESULT ShellFolderContextMenu::CreateDesktopShortcut()
{
    std::string program;
    try {
        program = ReadProgramPath() + "\\" + CommonText(IDS_SETTINGS_EXE_NAME);
    } catch (const RegKeyException& error) {
        // Only discs and launch objects need the program; a folder's shortcut leads to its list.
        LogRegKeyException("ShellFolderContextMenu::CreateDesktopShortcut() - ", error);
    }
    const ScopedPidl folder = owner_->GetAbsolutePidl();
    if (ItemShortcut(item_, program, folder.get()).SaveOnDesktop())
        return S_OK;
    ShowPrompt(nullptr, CommonText(IDS_ERR_CREATE_SHORTCUT), ProductCaption(), MB_OK | MB_ICONSTOP);
    return E_FAIL;
}

HRESULT ShellFolderContextMenu::StartRename(IShellBrowser& browser)
{
    return Done(EditChosenTreeLabel(browser));
}

std::string ShellFolderContextMenu::FolderPath() const { return ItemFullName(item_); }
