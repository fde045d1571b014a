#include "shell_folder.h"

#include "cache/cache.h"
#include "com/com_boundary.h"
#include "display_name.h"
#include "first_time_prompt.h"
#include "folder_enumerator.h"
#include "folder_icon_extractor.h"
#include "identifier_order.h"
#include "item_attributes.h"
#include "logging/logging.h"
#include "menu/shell_folder_context_menu.h"
#include "namespace/namespace_functions.h"
#include "resources/branding_ids.h"
#include "resources/resources.h"
#include "resources/texts.h"
#include "settings/auxiliary.h"
#include "shellvue_app.h"
#include "text/ansi_text.h"
#include "transfer/data_object.h"
#include "transfer/ns_drop_target.h"
#include "typed_path.h"
#include "view/shell_view.h"

#include <cwchar>
#include <new>
#include <optional>
#include <variant>
#include <vector>

namespace {

template <class Out>
void Clear(Out** out)
{
    if (out)
        *out = nullptr;
}

// A list handed in by the shell that is not one of ours, or damaged, is refused before any of
// it is read as ours.
bool IsOurs(LPCITEMIDLIST list) { return list && PidlMgr::IsValid(list); }

} // namespace

ShellFolder::ShellFolder() { OfferPublicFoldersOnce(); }

ShellFolder::ShellFolder(ShellFolder& parent, std::string folderPath, LPCITEMIDLIST child)
    : parent_(&parent), folderPath_(std::move(folderPath))
{
    relative_.reset(pidls_.Concatenate(parent.GetRelativePidl(), child));
    if (!relative_)
        throw std::bad_alloc();
    if (ScopedPidl parentAbsolute = parent.GetAbsolutePidl())
        absolute_.reset(pidls_.Concatenate(parentAbsolute.get(), child));
    OfferPublicFoldersOnce();
}

std::span<const ComInterfaceEntry> ShellFolder::InterfaceTable()
{
    static const ComInterfaceEntry table[] = {
        ComInterface<ShellFolder, IShellFolder>(),
        ComInterface<ShellFolder, IPersistFolder2>(),
        ComInterface<ShellFolder, IPersistFolder, IPersistFolder2>(),
        ComInterface<ShellFolder, IPersist, IPersistFolder2>(),
        ComInterface<ShellFolder, IPersistIDList>(),
    };
    return table;
}

STDMETHODIMP ShellFolder::ParseDisplayName(HWND owner, LPBC context, LPOLESTR displayName, ULONG* eaten,
                                           LPITEMIDLIST* list, ULONG* attributes)
{
    if (eaten)
        *eaten = 0;
    if (!list)
        return E_POINTER;
    *list = nullptr;
    if (!displayName)
        return E_INVALIDARG;
    return ComBoundary("ShellFolder::ParseDisplayName()", [&] {
        Logging::OutToLogFile("ShellFolder::ParseDisplayName\n");
        return ParseTypedPath(owner, context, displayName, eaten, list, attributes);
    });
}

// The path names a sub-folder of this folder, then one of that folder, and so on: each folder
// takes the first name and hands the rest to the folder it found.
HRESULT ShellFolder::ParseTypedPath(HWND owner, LPBC context, LPOLESTR path, ULONG* eaten, LPITEMIDLIST* list,
                                    ULONG* attributes)
{
    const std::wstring_view text(path, ::wcsnlen(path, typed_path::kLongestPath + 1));
    const auto parsed = typed_path::FirstStep(text);
    if (const auto* fault = std::get_if<typed_path::Fault>(&parsed)) {
        const bool tooLong = *fault == typed_path::Fault::TooLong;
        return HRESULT_FROM_WIN32(tooLong ? ERROR_FILENAME_EXCED_RANGE : ERROR_INVALID_NAME);
    }
    const typed_path::Step& step = std::get<typed_path::Step>(parsed);
    const std::optional<std::string> name = ExactAnsiFromWide(step.name);
    if (!name || !Cache::IsValidName(*name))
        return HRESULT_FROM_WIN32(ERROR_INVALID_NAME);
    const std::optional<CacheItem> folder = FindSubFolder(folderPath_, *name);
    if (!folder)
        return HRESULT_FROM_WIN32(step.rest.empty() ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
    ScopedPidl child(pidls_.Create(*folder, folderPath_));
    if (!child)
        return E_OUTOFMEMORY;

    ULONG eatenBelow = 0;
    if (step.rest.empty()) {
        if (attributes && *attributes)
            *attributes &= AttributesOfItem(child.get());
    } else {
        Microsoft::WRL::ComPtr<IShellFolder> next;
        HRESULT result = BindToObject(child.get(), context, IID_PPV_ARGS(&next));
        if (FAILED(result))
            return result;
        LPITEMIDLIST below = nullptr;
        result = next->ParseDisplayName(owner, context, path + step.eaten, &eatenBelow, &below, attributes);
        const ScopedPidl belowList(below);
        if (FAILED(result))
            return result;
        child.reset(pidls_.Concatenate(child.get(), belowList.get()));
        if (!child)
            return E_OUTOFMEMORY;
    }
    if (eaten)
        *eaten = static_cast<ULONG>(step.eaten) + eatenBelow;
    *list = child.release();
    return S_OK;
}

STDMETHODIMP ShellFolder::EnumObjects(HWND, SHCONTF flags, IEnumIDList** enumerator)
{
    if (!enumerator)
        return E_POINTER;
    *enumerator = nullptr;
    return ComBoundary("ShellFolder::EnumObjects()", [&] {
        Logging::OutToLogFile("ShellFolder::EnumObjects\n");
        return CreateComObject<FolderEnumerator>(IID_IEnumIDList, reinterpret_cast<void**>(enumerator), folderPath_,
                                                 flags);
    });
}

STDMETHODIMP ShellFolder::BindToObject(LPCITEMIDLIST list, LPBC, REFIID riid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!IsOurs(list))
        return E_INVALIDARG;
    return ComBoundary("ShellFolder::BindToObject()", [&] {
        Logging::OutToLogFile("ShellFolder::BindToObject\n");
        std::string childPath;
        PidlMgr::GetItemFullName(list, childPath);
        return CreateComObject<ShellFolder>(riid, object, *this, childPath, list);
    });
}

STDMETHODIMP ShellFolder::BindToStorage(LPCITEMIDLIST, LPBC, REFIID, void** object)
{
    Clear(object);
    return E_NOTIMPL;
}

STDMETHODIMP ShellFolder::CompareIDs(LPARAM, LPCITEMIDLIST first, LPCITEMIDLIST second)
{
    return ComBoundary("ShellFolder::CompareIDs()", [&] { return CompareIdentifierLists(first, second); });
}

STDMETHODIMP ShellFolder::CreateViewObject(HWND, REFIID riid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    return ComBoundary("ShellFolder::CreateViewObject()", [&]() -> HRESULT {
        Logging::OutToLogFile("ShellFolder::CreateViewObject\n");
        if (IsEqualIID(riid, IID_IDropTarget))
            return CreateComObject<NSDropTarget>(riid, object, GetRelativePidl());   // null: the root
        if (!IsEqualIID(riid, IID_IShellView))
            return E_NOINTERFACE;
        return CreateComObject<ShellView>(riid, object, *this);
    });
}

STDMETHODIMP ShellFolder::GetAttributesOf(UINT count, LPCITEMIDLIST* lists, SFGAOF* attributes)
{
    if (!attributes)
        return E_POINTER;
    if (count > 0 && !lists)
        return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i) {
        if (!IsOurs(lists[i]))
            return E_INVALIDARG;
    }
    return ComBoundary("ShellFolder::GetAttributesOf()", [&] {
        Logging::OutToLogFile("ShellFolder::GetAttributesOf\n");
        *attributes = SharedAttributes(count, lists);
        return S_OK;
    });
}

STDMETHODIMP ShellFolder::GetUIObjectOf(HWND, UINT count, LPCITEMIDLIST* lists, REFIID riid, UINT*, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (count != 1 || !lists)
        return E_FAIL;
    if (!IsOurs(lists[0]))
        return E_INVALIDARG;
    return ComBoundary("ShellFolder::GetUIObjectOf()", [&]() -> HRESULT {
        if (IsEqualIID(riid, IID_IExtractIconA) || IsEqualIID(riid, IID_IExtractIconW))
            return CreateComObject<FolderIconExtractor>(riid, object, PidlMgr::GetItemType(lists[0]),
                                                        TheApp().FolderIcons());
        if (IsEqualIID(riid, IID_IContextMenu))
            return CreateComObject<ShellFolderContextMenu>(riid, object, *this, lists[0]);
        if (IsEqualIID(riid, IID_IDataObject)) {
            CacheItem item;
            if (!PidlMgr::PidlToCacheItem(lists[0], item))
                return E_INVALIDARG;
            const ScopedPidl folder = GetAbsolutePidl();
            return CreateComObject<DataObject>(riid, object, folderPath_, folder.get(), std::vector<CacheItem>{item});
        }
        if (IsEqualIID(riid, IID_IDropTarget)) {
            // The tree pane drops onto a folder through this: its list from the namespace root.
            const ScopedPidl target(pidls_.Concatenate(GetRelativePidl(), lists[0]));
            if (!target)
                return E_OUTOFMEMORY;
            return CreateComObject<NSDropTarget>(riid, object, target.get());
        }
        if (IsEqualIID(riid, IID_IDropSource))
            Logging::OutToLogFile("ShellFolder::GetUIObjectOf | IID_IDropSource requested\n");
        else if (IsEqualIID(riid, IID_IOleCommandTarget))
            Logging::OutToLogFile("ShellFolder::GetUIObjectOf | IID_IOleCommandTarget requested\n");
        return E_NOINTERFACE;
    });
}

STDMETHODIMP ShellFolder::GetDisplayNameOf(LPCITEMIDLIST list, SHGDNF flags, STRRET* name)
{
    if (!name)
        return E_POINTER;
    return ComBoundary("ShellFolder::GetDisplayNameOf()", [&]() -> HRESULT {
        std::string text;
        const HRESULT found = DisplayNameOf(list, flags, text);
        if (FAILED(found))
            return found;
        const std::wstring wide = WideFromAnsi(text);
        auto* copy = static_cast<wchar_t*>(::CoTaskMemAlloc((wide.size() + 1) * sizeof(wchar_t)));
        if (!copy)
            return E_OUTOFMEMORY;
        ::lstrcpyW(copy, wide.c_str());
        name->uType = STRRET_WSTR;
        name->pOleStr = copy;
        return S_OK;
    });
}

STDMETHODIMP ShellFolder::SetNameOf(HWND owner, LPCITEMIDLIST list, LPCOLESTR name, SHGDNF, LPITEMIDLIST* newList)
{
    Clear(newList);
    if (!name)
        return E_POINTER;
    if (!IsOurs(list))
        return E_INVALIDARG;
    return ComBoundary("ShellFolder::SetNameOf()", [&] {
        CacheItem item;
        PidlMgr::PidlToCacheItem(list, item);
        const std::optional<std::string> stored = RenameFolder(item, AnsiFromWide(name), owner, 0, nullptr);
        if (!stored) {
            Logging::OutToLogFile("ShellFolder::SetNameOf | RenameFolder failed\n");
            return E_FAIL;
        }
        // The folder is known by the name stored, which has lost the blanks typed around it.
        CacheItem renamed(item);
        renamed.Name = renamed.OriginalName = *stored;
        ScopedPidl renamedList(pidls_.Create(renamed, folderPath_));
        if (AuxiliaryFunctions::GetPlatform() != PlatformBeforeWindows2000)
            NotifyItemEvent(SHCNE_RMDIR, list, false);
        if (renamedList)
            BrowseTo(owner, renamedList.get(), renamed.Name);
        if (newList)
            *newList = renamedList.release();
        return S_OK;
    });
}

STDMETHODIMP ShellFolder::GetClassID(CLSID* clsid)
{
    if (!clsid)
        return E_POINTER;
    return ComBoundary("ShellFolder::GetClassID()", [&] {
        return ExternalResMgr::GetCLSID(g_hBrandingInstance, IDS_BRAND_NAMESPACE_CLSID, *clsid) ? S_OK : E_FAIL;
    });
}

STDMETHODIMP ShellFolder::Initialize(LPCITEMIDLIST absoluteList)
{
    if (!absoluteList)
        return E_INVALIDARG;
    return ComBoundary("ShellFolder::Initialize()", [&] {
        ScopedPidl copy(::ILClone(absoluteList));
        if (!copy)
            return E_OUTOFMEMORY;
        absolute_ = std::move(copy);
        return S_OK;
    });
}

STDMETHODIMP ShellFolder::GetCurFolder(LPITEMIDLIST* absoluteList)
{
    if (!absoluteList)
        return E_POINTER;
    *absoluteList = nullptr;
    return ComBoundary("ShellFolder::GetCurFolder()", [&] {
        ScopedPidl absolute = GetAbsolutePidl();
        if (!absolute)
            return E_FAIL;
        *absoluteList = absolute.release();
        return S_OK;
    });
}

STDMETHODIMP ShellFolder::SetIDList(LPCITEMIDLIST absoluteList) { return Initialize(absoluteList); }

STDMETHODIMP ShellFolder::GetIDList(LPITEMIDLIST* absoluteList) { return GetCurFolder(absoluteList); }

ScopedPidl ShellFolder::GetAbsolutePidl()
{
    if (!absolute_) {
        // Not told by the shell: found where the namespace hangs under My Computer.
        ScopedPidl root(NamespaceFunctions::GetNamespacePidl(BrandingText(IDS_BRAND_NAMESPACE_NAME).c_str()));
        if (root && relative_)
            absolute_.reset(pidls_.Concatenate(root.get(), relative_.get()));
        else
            absolute_ = std::move(root);
    }
    return ScopedPidl(absolute_ ? ::ILClone(absolute_.get()) : nullptr);
}

Microsoft::WRL::ComPtr<ShellFolder> ShellFolder::Holder()
{
    if (!parent_ || !relative_)
        return nullptr;
    // Bound from the root through the holder's own identifiers, as Explorer binds a folder.
    ShellFolder* root = this;
    while (root->parent_)
        root = root->parent_.Get();
    ScopedPidl toHolder(::ILClone(relative_.get()));
    if (!toHolder || !::ILRemoveLastID(toHolder.get()))
        return nullptr;
    if (ILIsEmpty(toHolder.get()))
        return root;
    std::string holderPath;
    PidlMgr::GetItemFullName(::ILFindLastID(toHolder.get()), holderPath);
    return MakeComObject<ShellFolder>(*root, holderPath, toHolder.get());
}

ScopedPidl ShellFolder::AbsoluteOf(LPCITEMIDLIST child)
{
    ScopedPidl absolute = GetAbsolutePidl();
    if (!absolute || !child)
        return absolute;
    return ScopedPidl(pidls_.Concatenate(absolute.get(), child));
}

void ShellFolder::NotifyItemEvent(LONG event, LPCITEMIDLIST child, bool useParent)
{
    ScopedPidl target = child ? AbsoluteOf(child)
                              : useParent && parent_ ? parent_->GetAbsolutePidl() : GetAbsolutePidl();
    if (target)
        ::SHChangeNotify(event, SHCNF_IDLIST | SHCNF_FLUSH, target.get(), nullptr);
}

void ShellFolder::NotifyItemRename(LONG event, const CacheItem& oldItem, const CacheItem& newItem)
{
    ScopedPidl oldChild(pidls_.Create(oldItem, folderPath_));
    ScopedPidl newChild(pidls_.Create(newItem, folderPath_));
    if (!oldChild || !newChild)
        return;
    ScopedPidl oldList = AbsoluteOf(oldChild.get());
    ScopedPidl newList = AbsoluteOf(newChild.get());
    if (oldList && newList)
        ::SHChangeNotify(event, SHCNF_IDLIST | SHCNF_FLUSH, oldList.get(), newList.get());
}
