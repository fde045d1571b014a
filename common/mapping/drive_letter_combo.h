#pragma once

#include "mapping/drive_connection.h"
#include "ui/ui_handles.h"

#include <windows.h>

#include <string>
#include <vector>

// The index of the letter to offer first: the preset letter unless another path of the same
// multiple mapping uses it, else the first free letter no other path uses, else the second
// entry (the only one when there is just one); -1 for an empty list.
int PreselectedLetterIndex(const std::vector<DriveLetterEntry>& letters, const std::string& presetLetter,
                           const std::vector<std::string>& lettersInUse);

// The drive list of the Map Disc dialog: an extended combo box made at run time whose items show
// a letter, with the network path of a letter in use, and carry the letter as their data.
class DriveLetterCombo {
public:
    DriveLetterCombo() = default;
    ~DriveLetterCombo() { Destroy(); }
    DriveLetterCombo(const DriveLetterCombo&) = delete;
    DriveLetterCombo& operator=(const DriveLetterCombo&) = delete;

    // Registers the class and makes the window in the dialog; false when either fails.
    bool Create(HWND dialog);
    HWND Window() const { return window_; }

    // Appends one item: "X:" for a free letter, "X:    \\server\share" for one in use.
    void Add(const DriveLetterEntry& entry);
    // Selects an item; an index outside the list selects nothing.
    void Select(int index);
    // The images of free and connected letters from the branding library.
    void AttachImages();
    // The letter of the selected item; 0 when none is selected.
    char SelectedLetter() const;

    // The window goes before the image list it shows.
    void Destroy();

private:
    HWND window_ = nullptr;
    ScopedImageList images_;
};
