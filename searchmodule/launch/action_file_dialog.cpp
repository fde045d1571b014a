#include "action_file_dialog.h"

#include "logging/logging.h"

#include <commdlg.h>

namespace ActionFileDialog {

namespace {

// Room for a few hundred names chosen at once.
constexpr size_t kAnswerSize = 64 * 1024;

} // namespace

std::string FilterFromListItems(const std::string& listItems)
{
    std::string filter;
    std::string rest = listItems;
    while (!rest.empty()) {
        std::string description;
        std::string pattern;
        rest = CacheItem::ExtractFirstPair(rest, description, pattern);
        if (description.empty() || pattern.empty())
            continue;
        filter += description;
        filter += '\0';
        filter += pattern;
        filter += '\0';
    }
    if (!filter.empty())
        filter += '\0';
    return filter;
}

std::vector<std::string> PathsFromAnswer(const char* answer, size_t size)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (start < size && answer[start] != '\0') {
        size_t end = start;
        while (end < size && answer[end] != '\0')
            ++end;
        if (end == size)
            break;   // an unterminated part is no answer
        parts.emplace_back(answer + start, end - start);
        start = end + 1;
    }
    if (parts.size() <= 1)
        return parts;
    std::string folder = parts.front();
    if (folder.back() != '\\')
        folder += '\\';
    std::vector<std::string> paths;
    for (size_t i = 1; i < parts.size(); ++i)
        paths.push_back(folder + parts[i]);
    return paths;
}

bool Ask(HWND owner, const LOAction& action, std::vector<std::string>& paths)
{
    std::string answer(kAnswerSize, '\0');
    const std::string filter = FilterFromListItems(action.ListItems);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    dialog.lpstrFile = answer.data();
    dialog.nMaxFile = static_cast<DWORD>(answer.size());
    dialog.lpstrInitialDir = action.StartDir.empty() ? nullptr : action.StartDir.c_str();
    dialog.lpstrTitle = action.DlgTitle.empty() ? nullptr : action.DlgTitle.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (action.AllowMultiSelect != 0)
        dialog.Flags |= OFN_ALLOWMULTISELECT;
    if (!::GetOpenFileNameA(&dialog)) {
        const DWORD failure = ::CommDlgExtendedError();
        if (failure != 0)
            LogFormatted("ActionFileDialog::Ask() - the Open dialog failed: 0x%04X\n", static_cast<unsigned>(failure));
        return false;
    }
    paths = PathsFromAnswer(answer.data(), answer.size());
    return !paths.empty();
}

} // namespace ActionFileDialog
