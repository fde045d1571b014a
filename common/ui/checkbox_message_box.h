#pragma once

#include "basalt_api.h"
#include "ui/dialog.h"
#include "ui/prompt.h"

#include <string>

// A Yes/No question with a check box that switches the question off (Basalt's template 1200).
// It always shows Yes and No and the exclamation icon; the style is kept with the request.
class BASALT_API CheckboxMessageBox {
public:
    // IDYES or IDNO. checked gives the check box's initial state and receives its final state,
    // whichever button ends the box. Goes through the prompt seam like every message box.
    static int DoModal(HWND owner, const std::string& message, const std::string& caption,
                       const std::string& checkBoxText, unsigned int style, bool& checked);

    // The real box for a request of the prompt seam.
    static int Show(PromptRequest& request);

private:
    class Box;
};
