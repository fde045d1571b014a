#include "transfer/data_object.h"

#include "com/com_boundary.h"
#include "item_shortcut.h"
#include "logging/logging.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "settings/auxiliary.h"
#include "settings/product_keys.h"
#include "text/file_name_text.h"
#include "transfer/item_list_codec.h"
#include "transfer/medium_bytes.h"
#include "transfer/pending_cut.h"
#include "transfer/transfer_items.h"

#include <shlobj.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

using Microsoft::WRL::ComPtr;

namespace {

// The shell's formats that the data object renders or is told about.
struct ShellFormats {
    CLIPFORMAT fileGroupDescriptor;
    CLIPFORMAT fileContents;
    CLIPFORMAT performedDropEffect;
    CLIPFORMAT shellIdList;
    CLIPFORMAT pasteSucceeded;
    CLIPFORMAT inDragLoop;
};

const ShellFormats& ShellFormatIds()
{
    static const ShellFormats formats = [] {
        const auto reg = [](const char* name) { return static_cast<CLIPFORMAT>(::RegisterClipboardFormatA(name)); };
        return ShellFormats{reg("FileGroupDescriptor"), reg("FileContents"),       reg("Performed DropEffect"),
                            reg("Shell IDList Array"),  reg("Paste Succeeded"),    reg("InShellDragLoop")};
    }();
    return formats;
}

// The largest shortcut file handed out; real ones are a few hundred bytes.
constexpr std::size_t kMaxShortcutBytes = 64 * 1024;

FORMATETC Offer(CLIPFORMAT format, DWORD tymeds)
{
    return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, tymeds};
}

// A medium the caller gave us to keep: released when we are done with it.
class TakenMedium {
public:
    TakenMedium(STGMEDIUM* medium, BOOL taken) : medium_(taken ? medium : nullptr) {}
    ~TakenMedium()
    {
        if (medium_)
            ::ReleaseStgMedium(medium_);
    }
    TakenMedium(const TakenMedium&) = delete;
    TakenMedium& operator=(const TakenMedium&) = delete;

private:
    STGMEDIUM* medium_;
};

// The file name of an item's shortcut: the name with ".lnk", made safe for a file-system folder.
// A drop target creates the file under this name in the folder of the drop.
std::string ShortcutFileName(const std::string& itemName)
{
    const std::string extension = CommonText(IDS_SHORTCUT_FILE_EXT);
    return SafeFileNamePart(itemName, MAX_PATH - 1 - std::min<std::size_t>(extension.size(), MAX_PATH - 1)) + extension;
}

} // namespace

DataObject::DataObject(const std::string& sourceFolderPath, LPCITEMIDLIST sourceFolder, std::vector<CacheItem> items)
    : sourceFolderPath_(sourceFolderPath), items_(std::move(items))
{
    if (items_.empty())
        throw std::invalid_argument("DataObject without items");
    if (sourceFolder) {
        sourceFolder_.reset(PidlMgr().Copy(sourceFolder));
        if (!sourceFolder_)
            throw std::bad_alloc();
    }
    for (CacheItem& item : items_) {
        if (item.FolderPath.empty())
            item.FolderPath = sourceFolderPath_;
    }
    // An item type without a format of its own still travels, as a selection of one.
    format_ = items_.size() == 1 ? formatList_.ItemTypeToDataFormat(items_.front().ItemType) : 0;
    if (!format_)
        format_ = formatList_.ItemTypeToDataFormat(MultipleSelection);
    itemList_ = item_list_codec::Encode(ToTransferItemList(sourceFolderPath_, items_));
    if (!itemList_)
        Logging::OutToLogFile("DataObject::DataObject() - the items do not fit an item list\n");
}

CLIPFORMAT DataObject::NamespaceFormat() const { return itemList_ ? format_ : 0; }

std::vector<FORMATETC> DataObject::OfferedFormats() const
{
    std::vector<FORMATETC> offered;
    if (itemList_)
        offered.push_back(Offer(format_, TYMED_ISTREAM));
    offered.push_back(Offer(ShellFormatIds().fileGroupDescriptor, TYMED_HGLOBAL));
    offered.push_back(Offer(ShellFormatIds().fileContents, TYMED_HGLOBAL | TYMED_ISTREAM));
    return offered;
}

HRESULT DataObject::CheckOffered(const FORMATETC& format) const
{
    if (format.dwAspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    for (const FORMATETC& offered : OfferedFormats()) {
        if (offered.cfFormat == format.cfFormat)
            return (offered.tymed & format.tymed) ? S_OK : DV_E_TYMED;
    }
    return DV_E_FORMATETC;
}

STDMETHODIMP DataObject::GetData(FORMATETC* format, STGMEDIUM* medium)
{
    return ComBoundary("DataObject::GetData", [&]() -> HRESULT {
        Logging::OutToLogFile("DataObject::GetData\n");
        if (!format || !medium)
            return E_INVALIDARG;
        *medium = STGMEDIUM{};
        const HRESULT offered = CheckOffered(*format);
        if (offered != S_OK)
            return offered;
        if (format->cfFormat == ShellFormatIds().fileGroupDescriptor)
            return RenderFileGroupDescriptor(*medium);
        if (format->cfFormat == ShellFormatIds().fileContents)
            return RenderFileContents(format->lindex, format->tymed, *medium);
        return PutBytesInMedium(*itemList_, TYMED_ISTREAM, *medium);
    });
}

HRESULT DataObject::RenderFileGroupDescriptor(STGMEDIUM& medium) const
{
    const std::size_t size = offsetof(FILEGROUPDESCRIPTORA, fgd) + items_.size() * sizeof(FILEDESCRIPTORA);
    std::vector<std::uint8_t> bytes(size);
    auto* group = reinterpret_cast<FILEGROUPDESCRIPTORA*>(bytes.data());
    group->cItems = static_cast<UINT>(items_.size());
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const std::string name = ShortcutFileName(items_[i].Name);
        FILEDESCRIPTORA& file = group->fgd[i];
        std::memcpy(file.cFileName, name.c_str(), name.size() + 1);
    }
    return PutBytesInMedium(bytes, TYMED_HGLOBAL, medium);
}

HRESULT DataObject::RenderFileContents(LONG index, DWORD tymeds, STGMEDIUM& medium) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= items_.size())
        return DV_E_LINDEX;
    std::string program;
    try {
        program = ReadProgramPath() + "\\" + CommonText(IDS_SETTINGS_EXE_NAME);
    } catch (const RegKeyException& error) {
        LogRegKeyException("DataObject::GetData() - ", error);
        Logging::OutToLogFile("Failed to read program path.\n");
    }
    const ItemShortcut shortcut(items_[static_cast<std::size_t>(index)], program, sourceFolder_.get());
    if (!shortcut.CanBeMade())
        return E_FAIL;
    ComPtr<IStream> file;
    HRESULT result = ::CreateStreamOnHGlobal(nullptr, TRUE, &file);
    if (FAILED(result))
        return result;
    if (!shortcut.Write(file.Get()))
        return E_FAIL;
    StreamReadFailure failure;
    const auto bytes = ReadWholeStream(*file.Get(), kMaxShortcutBytes, failure);
    if (!bytes)
        return failure.failedCall ? failure.result : E_FAIL;
    return PutBytesInMedium(*bytes, tymeds, medium);
}

STDMETHODIMP DataObject::GetDataHere(FORMATETC*, STGMEDIUM*)
{
    return ComBoundary("DataObject::GetDataHere", []() -> HRESULT {
        Logging::OutToLogFile("DataObject::GetDataHere\n");
        return E_NOTIMPL;
    });
}

STDMETHODIMP DataObject::QueryGetData(FORMATETC* format)
{
    return ComBoundary("DataObject::QueryGetData", [&]() -> HRESULT {
        Logging::OutToLogFile("DataObject::QueryGetData\n");
        if (!format)
            return E_INVALIDARG;
        return CheckOffered(*format);
    });
}

STDMETHODIMP DataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* canonical)
{
    return ComBoundary("DataObject::GetCanonicalFormatEtc", [&]() -> HRESULT {
        Logging::OutToLogFile("DataObject::GetCanonicalFormatEtc\n");
        if (canonical)
            canonical->ptd = nullptr;
        return E_NOTIMPL;
    });
}

STDMETHODIMP DataObject::SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release)
{
    return ComBoundary("DataObject::SetData", [&]() -> HRESULT {
        Logging::OutToLogFile("DataObject::SetData\n");
        if (!format || !medium)
            return E_INVALIDARG;
        const CLIPFORMAT name = format->cfFormat;
        HRESULT result = S_OK;
        if (name == ShellFormatIds().performedDropEffect) {
            Logging::OutToLogFile("SetData :: CFSTR_PERFORMEDDROPEFFECT\n");
            result = TakePerformedDropEffect(*medium);
        } else if (name == ShellFormatIds().shellIdList) {
            Logging::OutToLogFile("SetData ::CFSTR_SHELLIDLIST\n");
        } else if (name == ShellFormatIds().pasteSucceeded) {
            Logging::OutToLogFile("SetData ::CFSTR_PASTESUCCEEDED\n");
            result = TakePasteSucceeded(*medium);
        } else if (name == ShellFormatIds().inDragLoop) {
            Logging::OutToLogFile("SetData ::CFSTR_INDRAGLOOP\n");
        } else {
            Logging::OutToLogFile("SetData :: ??\n");
            return E_NOTIMPL;
        }
        // The medium becomes ours only when we accept it.
        const TakenMedium taken(medium, SUCCEEDED(result) && release);
        return result;
    });
}

HRESULT DataObject::TakePerformedDropEffect(const STGMEDIUM& medium)
{
    const std::optional<DWORD> effect = DropEffectInMedium(medium);
    if (!effect)
        return DV_E_TYMED;
    performedEffect_ = *effect;
    // A target outside the namespace that reports a move received shortcut files only: the
    // items themselves must stay. A move between folders of the namespace is carried out by the
    // namespace's own drop target through the search module, so nothing is deleted here.
    if (*effect == DROPEFFECT_MOVE)
        Logging::OutToLogFile("DataObject::SetData() - the target moved shortcuts; the items stay\n");
    return S_OK;
}

HRESULT DataObject::TakePasteSucceeded(const STGMEDIUM& medium)
{
    const std::optional<DWORD> effect = DropEffectInMedium(medium);
    if (!effect)
        return DV_E_TYMED;
    // A cut of ours was pasted, its items moved by the search module: the cut is over, and must
    // not be pasted again. Nothing is deleted here.
    if (*effect == DROPEFFECT_MOVE && pending_cut::TakeOffClipboard(this))
        AuxiliaryFunctions::SetClipboardCutFlag(false);
    return S_OK;
}

STDMETHODIMP DataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats)
{
    return ComBoundary("DataObject::EnumFormatEtc", [&]() -> HRESULT {
        Logging::OutToLogFile("DataObject::EnumFormatEtc\n");
        if (!formats)
            return E_INVALIDARG;
        *formats = nullptr;
        if (direction != DATADIR_GET)
            return E_NOTIMPL;
        // Our own formats: the registered-formats enumerator is missing under Wine, and the
        // clipboard refuses an object that cannot list its formats.
        const std::vector<FORMATETC> offered = OfferedFormats();
        const HRESULT result = ::SHCreateStdEnumFmtEtc(static_cast<UINT>(offered.size()), offered.data(), formats);
        if (FAILED(result))
            Logging::OutToLogFile("DataObject::EnumFormatEtc() | Failed calling SHCreateStdEnumFmtEtc with the HRESULT=",
                                  static_cast<int>(result));
        return result;
    });
}

STDMETHODIMP DataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD* connection)
{
    return ComBoundary("DataObject::DAdvise", [&]() -> HRESULT {
        Logging::OutToLogFile("DataObject::DAdvise\n");
        if (connection)
            *connection = 0;
        return OLE_E_ADVISENOTSUPPORTED;
    });
}

STDMETHODIMP DataObject::DUnadvise(DWORD)
{
    return ComBoundary("DataObject::DUnadvise", []() -> HRESULT {
        Logging::OutToLogFile("DataObject::DUnadvise\n");
        return OLE_E_ADVISENOTSUPPORTED;
    });
}

STDMETHODIMP DataObject::EnumDAdvise(IEnumSTATDATA** advises)
{
    return ComBoundary("DataObject::EnumDAdvise", [&]() -> HRESULT {
        Logging::OutToLogFile("DataObject::EnumDAdvise\n");
        if (advises)
            *advises = nullptr;
        return OLE_E_ADVISENOTSUPPORTED;
    });
}
