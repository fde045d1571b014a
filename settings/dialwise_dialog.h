#pragma once

#include "ui/dialog.h"

// A dialog of the settings program: its templates are the program's own, and F1 asks for the
// help of the program's task.
class DialwiseDialog : public Dialog {
public:
    explicit DialwiseDialog(UINT templateId);

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
};
