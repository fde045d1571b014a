#pragma once

#include "ui/dialog.h"
#include "ui/ui_handles.h"

#include <string>

// "Change Icon": the icons of a file, to pick one for a launch object. A file without icons is
// refused with a message, and the dialog stays open for another.
class IconChooser : public Dialog {
public:
    IconChooser(std::string file, int index);

    INT_PTR DoModal(HWND owner) { return Dialog::DoModal(owner); }
    const std::string& File() const { return file_; }
    int Index() const { return index_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override;

private:
    // Lists the icons of the file; false (and nothing listed) when it has none.
    bool ShowIconsOf(const std::string& file);
    void RefuseFile(const std::string& file);
    void Browse();

    std::string file_;
    int index_;
    std::string shownFile_;
    ScopedImageList icons_;
};
