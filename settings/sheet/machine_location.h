#pragma once

#include <windows.h>

#include <string>

// A folder the computer's settings name (HKEY_LOCAL_MACHINE): the public folder data location,
// the client setup location. A page shows it in an edit field with a Browse button.
class MachineLocation {
public:
    MachineLocation(UINT valueNameId, int editId, int browseId, UINT browseTitleId)
        : valueNameId_(valueNameId), editId_(editId), browseId_(browseId), browseTitleId_(browseTitleId)
    {
    }

    void Load(HWND page, const char* caller);
    // Handles the Browse button; true when the command was it.
    bool OnCommand(HWND page, int id, int code);
    // The folder as edited, blanks trimmed.
    std::string Edited(HWND page) const;

    enum class SaveResult { Unchanged, Saved, Failed };
    // Saves the folder when it was edited. A user who may not change the computer's settings is
    // told that it could not be saved (Failed); the field keeps what was typed.
    SaveResult Save(HWND page, const char* caller);

private:
    void Browse(HWND page);

    UINT valueNameId_;
    int editId_;
    int browseId_;
    UINT browseTitleId_;
    std::string stored_;
};
