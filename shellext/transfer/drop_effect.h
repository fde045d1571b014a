#pragma once

#include <windows.h>

#include <string>

// What a drop or paste of namespace items does, decided from where the items come from, where
// they go and what the user holds down.
struct DropPlaces {
    // Items of the folder of all discs are never moved or copied: they become shortcut items.
    bool sourceIsSystemFolder = false;
    std::string sourcePath;
    std::string targetPath;
    // A list shown outside a full Explorer window (a file dialog) takes no drops.
    bool targetInFullBrowser = true;
    // The folder of all discs and a client's public folders take nothing.
    bool targetTakesItems = true;
    // False when one of the items is a folder that stays in place (the folder of all discs, the
    // root, a client's public folder): then nothing is done with any of them.
    bool itemsMayTravel = true;
    // A folder among the items: folders are copied or moved, never made shortcut items of.
    bool folderAmongItems = false;
};

// The effect of a drag: a link out of the folder of all discs; between folders a move, or a
// copy with Ctrl; within one folder nothing, or a copy with Ctrl or the right button. Only
// what the source allows remains.
DWORD ChooseDropEffect(const DropPlaces& places, DWORD keyState, DWORD allowed);

// The effects a drop with the right button may offer to choose from (its menu): a copy, a move
// between two folders, a shortcut item of what is no folder; out of the folder of all discs
// only shortcut items. Only what the source allows remains.
DWORD PossibleDropEffects(const DropPlaces& places, DWORD allowed);

// The effect of a paste: a move after a cut, a copy after a copy, whatever keys are held
// (the keys meant something only when the items were put on the clipboard).
DWORD ChoosePasteEffect(const DropPlaces& places, bool cut);
