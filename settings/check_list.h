#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

// A list view of names with a check box each: the networks to search, the domains of the
// Microsoft Windows Network, the public folders to import.
class CheckList {
public:
    // Gives the list its check boxes and one column as wide as the list.
    void Attach(HWND list);
    HWND Window() const { return list_; }

    void Clear();
    void Add(const std::string& name, bool checked);
    int Count() const;
    std::string Name(int index) const;
    bool IsChecked(int index) const;
    // The index of a name (compared without regard to case), -1 when it is not listed.
    int Find(const std::string& name) const;
    std::vector<std::string> CheckedNames() const;

    // Whether a notification of the list is the user ticking or clearing a box; false while
    // the list is being filled.
    bool IsCheckChange(const NMHDR& header) const;

private:
    HWND list_ = nullptr;
    bool filling_ = false;
};
