#include "transfer/pending_cut.h"

#include "text/text_compare.h"

#include <mutex>
#include <utility>

using Microsoft::WRL::ComPtr;

namespace pending_cut {
namespace {

struct Cut {
    ComPtr<IDataObject> data;
    std::string folderPath;
    std::vector<std::string> names;
    HWND list = nullptr;
};

std::mutex& Guard()
{
    static std::mutex guard;
    return guard;
}

// Never destroyed: a data object released while the process ends would outlive the module.
Cut& Current()
{
    static Cut* const cut = new Cut;
    return *cut;
}

// The list redraws its rows, dimmed or not, once the cut changed.
void Redraw(HWND list)
{
    if (list && ::IsWindow(list))
        ::InvalidateRect(list, nullptr, TRUE);
}

} // namespace

void Set(IDataObject* data, const std::string& folderPath, const std::vector<std::string>& names, HWND list)
{
    Cut previous;
    {
        const std::lock_guard lock(Guard());
        previous = std::exchange(Current(), Cut{data, folderPath, names, list});
    }
    Redraw(previous.list);
    Redraw(list);
}

bool Clear()
{
    Cut previous;
    {
        const std::lock_guard lock(Guard());
        previous = std::exchange(Current(), Cut{});
    }
    Redraw(previous.list);
    return previous.data != nullptr;
}

bool IsOnClipboard()
{
    ComPtr<IDataObject> data;
    {
        const std::lock_guard lock(Guard());
        data = Current().data;
    }
    return data && ::OleIsCurrentClipboard(data.Get()) == S_OK;
}

bool Contains(const std::string& folderPath, const std::string& name)
{
    {
        const std::lock_guard lock(Guard());
        const Cut& cut = Current();
        if (!cut.data || !EqualsNoCase(cut.folderPath, folderPath))
            return false;
        bool listed = false;
        for (const std::string& cutName : cut.names)
            listed = listed || EqualsNoCase(cutName, name);
        if (!listed)
            return false;
    }
    return IsOnClipboard();
}

bool TakeOffClipboard(IDataObject* only)
{
    if (only) {
        const std::lock_guard lock(Guard());
        if (Current().data.Get() != only)
            return false;
    }
    const bool onClipboard = IsOnClipboard();
    const bool pending = Clear();
    if (onClipboard)
        ::OleSetClipboard(nullptr);
    return pending;
}

} // namespace pending_cut
