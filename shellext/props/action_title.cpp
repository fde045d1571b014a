#include "action_title.h"

#include "res/string_ids.h"
#include "resources/texts.h"
#include "text/text_format.h"
#include "ui/window_text.h"

void ShowEditorTitle(HWND dialog, bool adding)
{
    const std::string title = FormatText(WindowString(dialog), CommonText(adding ? IDS_ADD_TITLE_WORD : IDS_EDIT_TITLE_WORD));
    ::SetWindowTextA(dialog, title.c_str());
}
