#pragma once

#include "basalt_api.h"

#include <windows.h>

#include <string>

// A folder picker built on the common Open dialog: the user browses to a folder or types its
// path (a network path included) into an edit of its own, or jumps to a disc of the network
// with "Browse Discs...". In file mode with a filter the file types stay on offer.
class BASALT_API FileFolderDialog {
public:
    // Null texts take the defaults ("Select Folder", "Select"); a null or empty initial
    // directory leaves the choice of the first folder to the common dialog. The filter is a
    // list of "description|pattern|" pairs. flags are the common dialog's OFN_ flags.
    FileFolderDialog(HWND owner, const char* title, const char* label, const char* buttonText, bool fileMode,
                     const char* initialDirectory, const char* filter, unsigned long flags);
    ~FileFolderDialog();
    FileFolderDialog(const FileFolderDialog&) = delete;
    FileFolderDialog& operator=(const FileFolderDialog&) = delete;

    // IDOK with a path chosen, IDCANCEL, or kDialogFailed when the dialog could not be shown.
    INT_PTR DoModal();
    std::string GetSelectedPath() const;

private:
    class Window;

    HWND owner_;
    std::string title_;
    std::string label_;
    std::string buttonText_;
    bool fileMode_;
    std::string initialDirectory_;
    std::string filter_;
    unsigned long flags_;
    std::string selectedPath_;
};
