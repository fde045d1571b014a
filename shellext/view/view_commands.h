#pragma once

#include <windows.h>

// Command ids of the view's menus, toolbar and the item context menu.
namespace view_command {
constexpr UINT kLargeIcons = 0x4C8;
constexpr UINT kSmallIcons = 0x4C9;
constexpr UINT kList = 0x4CA;
constexpr UINT kDetails = 0x4CB;
constexpr UINT kArrangeByName = 0x4D2;
constexpr UINT kArrangeByType = 0x4D4;
constexpr UINT kArrangeByComment = 0x4D5;
constexpr UINT kArrangeByServer = 0x4D6;
constexpr UINT kHelp = 0x4DC;
constexpr UINT kAbout = 0x4DD;
constexpr UINT kSettings = 0x4DE;
constexpr UINT kOpen = 0x4DF;
constexpr UINT kExplore = 0x4E0;
constexpr UINT kProperties = 0x4E1;
constexpr UINT kFullSearch = 0x4E2;
constexpr UINT kMapDisc = 0x4E3;
constexpr UINT kFindDiscs = 0x4E4;
constexpr UINT kNewFolder = 0x4E5;
constexpr UINT kNewAutoMapFolder = 0x4E6;
constexpr UINT kDelete = 0x4E7;
constexpr UINT kRename = 0x4E8;
constexpr UINT kCut = 0x4E9;
constexpr UINT kCopy = 0x4EA;
constexpr UINT kPaste = 0x4EB;
constexpr UINT kSelectAll = 0x4EC;
constexpr UINT kInvertSelection = 0x4ED;
constexpr UINT kTutorial = 0x4EE;
constexpr UINT kNewLaunchObject = 0x4EF;
constexpr UINT kQuickSearch = 0x4F0;
constexpr UINT kRefreshPublicFolders = 0x4F1;
constexpr UINT kPublicFolderSettings = 0x4F2;
// The toolbar's view-mode buttons.
constexpr UINT kToolbarLargeIcons = 0x464;
constexpr UINT kToolbarDetails = 0x467;
// The item context menu (menu resource 147).
constexpr UINT kContextExplore = 0x8009;
constexpr UINT kContextOpen = 0x800A;
constexpr UINT kContextAddToFavorites = 0x800B;
constexpr UINT kContextDelete = 0x800C;
constexpr UINT kContextProperties = 0x800F;
constexpr UINT kContextMapDisc = 0x8010;
constexpr UINT kContextFindFiles = 0x8011;
constexpr UINT kContextDesktopShortcut = 0x8012;
constexpr UINT kContextQuickMap = 0x8018;
// The menu of a drop made with the right button (the second pop-up of menu resource 147).
constexpr UINT kDragCopyHere = 0x8019;
constexpr UINT kDragMoveHere = 0x801A;
constexpr UINT kDragCancel = 0x801B;
constexpr UINT kDragShortcutHere = 0x801C;
constexpr UINT kContextRename = 0x801D;
constexpr UINT kContextCut = 0x801E;
constexpr UINT kContextCopy = 0x801F;
constexpr UINT kContextPaste = 0x8020;
constexpr UINT kContextPasteInto = 0x8021;
// Explorer's own Cut and Copy.
constexpr UINT kExplorerCut = 0xA041;
constexpr UINT kExplorerCopy = 0xA042;
} // namespace view_command

// The item context menu's resource; its second pop-up is the menu of a drop with the right
// button.
constexpr UINT kItemContextMenu = 147;
