#include "find_folder_picker.h"

#include "cache/cache.h"
#include "dialwise_dialog.h"
#include "res/dialwise_ids.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "text/text_compare.h"

#include <commctrl.h>

#include <vector>

namespace {

class FolderPickerDialog final : public DialwiseDialog {
public:
    FolderPickerDialog(std::string title, std::string folder)
        : DialwiseDialog(IDD_FIND_FOLDER_PICKER), title_(std::move(title)), folder_(std::move(folder))
    {
    }

    const std::string& Folder() const { return folder_; }

protected:
    bool OnInitDialog() override
    {
        ::SetWindowTextA(Window(), title_.c_str());
        HWND tree = Item(IDC_FIND_FOLDER_TREE);
        HTREEITEM root = Insert(tree, TVI_ROOT, BrandingText(IDS_BRAND_NAMESPACE_NAME), 0);
        HTREEITEM selected = root;
        AddFolders(tree, root, std::string(), selected);
        TreeView_Expand(tree, root, TVE_EXPAND);
        TreeView_SelectItem(tree, selected);
        TreeView_EnsureVisible(tree, selected);
        return true;
    }

    void OnOK() override
    {
        HWND tree = Item(IDC_FIND_FOLDER_TREE);
        HTREEITEM item = TreeView_GetSelection(tree);
        if (!item)
            return;
        TVITEMA data{};
        data.mask = TVIF_PARAM;
        data.hItem = item;
        TreeView_GetItem(tree, &data);
        folder_ = paths_[static_cast<size_t>(data.lParam)];
        End(IDOK);
    }

private:
    HTREEITEM Insert(HWND tree, HTREEITEM parent, const std::string& name, size_t pathIndex)
    {
        std::string text = name;
        TVINSERTSTRUCTA insert{};
        insert.hParent = parent;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM;
        insert.item.pszText = text.data();
        insert.item.lParam = static_cast<LPARAM>(pathIndex);
        return reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    }

    void AddFolders(HWND tree, HTREEITEM parent, const std::string& path, HTREEITEM& selected)
    {
        if (paths_.empty())
            paths_.push_back(path);
        std::vector<std::string> names;
        {
            Cache folder(CacheReadFolder, path);
            for (CacheIterator it = folder.Begin(); it != folder.End(); ++it) {
                if (*it && (*it)->IsFolder())
                    names.push_back((*it)->Name);
            }
        }
        for (const std::string& name : names) {
            const std::string child = path.empty() ? name : path + "\\" + name;
            paths_.push_back(child);
            HTREEITEM item = Insert(tree, parent, name, paths_.size() - 1);
            if (EqualsNoCase(child, folder_))
                selected = item;
            AddFolders(tree, item, child, selected);
        }
    }

    const std::string title_;
    std::string folder_;
    std::vector<std::string> paths_;
};

} // namespace

bool PickNamespaceFolder(HWND owner, const std::string& title, std::string& folder)
{
    FolderPickerDialog picker(title, folder);
    if (picker.DoModal(owner) != IDOK)
        return false;
    folder = picker.Folder();
    return true;
}
