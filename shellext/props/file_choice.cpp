#include "file_choice.h"

#include "res/string_ids.h"
#include "resources/texts.h"

#include <commdlg.h>

#include <algorithm>

std::optional<std::string> ChooseFile(HWND owner, const std::string& current, const std::string& title)
{
    // The table's "|" separators are the nulls the dialog wants.
    std::string filter = CommonText(IDS_FILTER_EXECUTABLE_FILES);
    std::replace(filter.begin(), filter.end(), '|', '\0');
    char file[MAX_PATH] = {};
    current.copy(file, MAX_PATH - 1);
    OPENFILENAMEA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = filter.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = file;
    request.nMaxFile = MAX_PATH;
    request.lpstrTitle = title.empty() ? nullptr : title.c_str();
    request.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (!::GetOpenFileNameA(&request))
        return std::nullopt;
    return std::string(file);
}
