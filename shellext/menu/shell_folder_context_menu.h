#pragma once

#include "com/com_object.h"
#include "item/item.h"
#include "pidl/pidl_mgr.h"

#include <windows.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <optional>
#include <span>
#include <string>

class ShellFolder;

// The context menu of a folder of the namespace in Explorer's tree pane: open, explore,
// delete, rename, cut, copy, paste, properties and a desktop shortcut. Commands that the open view can
// carry out on its own selection are offered to the view first; the menu acts on the folder
// itself only when no view takes them.
class ShellFolderContextMenu final : public ComObject<ShellFolderContextMenu, IContextMenu> {
public:
    // Offsets from the host's first id of the short menu's two items.
    static constexpr UINT kOpenOffset = 1;
    static constexpr UINT kExploreOffset = 2;

    // The folder child of owner (one item identifier).
    ShellFolderContextMenu(ShellFolder& owner, LPCITEMIDLIST child);
    ~ShellFolderContextMenu() override;

    static std::span<const ComInterfaceEntry> InterfaceTable();

    // IContextMenu
    STDMETHODIMP QueryContextMenu(HMENU menu, UINT index, UINT firstId, UINT lastId, UINT flags) override;
    STDMETHODIMP InvokeCommand(CMINVOKECOMMANDINFO* info) override;
    STDMETHODIMP GetCommandString(UINT_PTR command, UINT type, UINT* reserved, CHAR* name, UINT size) override;

private:
    HRESULT AddShortMenu(HMENU menu, UINT index, UINT firstId, UINT lastId);
    HRESULT AddFullMenu(HMENU menu, UINT index, UINT firstId, UINT lastId);
    // The verb of a command given by name, in either of its forms; none for a command offset.
    static std::optional<std::string> VerbOf(const CMINVOKECOMMANDINFO& info);
    HRESULT InvokeVerb(IShellBrowser& browser, const std::string& verb);
    HRESULT InvokeOffset(IShellBrowser& browser, UINT offset);
    // Opens the folder in a window of the shell's choosing; false (the user told) when it cannot.
    bool ViewFolder(bool explore);
    HRESULT Browse(IShellBrowser& browser, UINT flags);
    HRESULT Delete();
    // The folder's property sheet.
    HRESULT LaunchProperties();
    HRESULT CreateDesktopShortcut();
    HRESULT StartRename(IShellBrowser& browser);
    // The folder's path inside the namespace.
    std::string FolderPath() const;

    PidlMgr pidls_;
    Microsoft::WRL::ComPtr<ShellFolder> owner_;
    CacheItem item_;
    // From the namespace root to the folder.
    ScopedPidl relative_;
    // From the desktop to the folder; null when the owner's place is not known.
    ScopedPidl absolute_;
};
