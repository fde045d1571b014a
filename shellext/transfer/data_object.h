#pragma once

#include "com/com_object.h"
#include "item/item.h"
#include "pidl/pidl_mgr.h"
#include "transfer/ns_format_list.h"

#include <ole2.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The items of one copy, cut or drag as the clipboard and drop targets see them: the item list
// under the namespace format of the items' type (or the several-items format), and for targets
// outside the namespace (the desktop, a file-system folder) one shortcut file per item.
class DataObject final : public ComObject<DataObject, IDataObject> {
public:
    // items come from the folder at sourceFolderPath, whose absolute identifier list is
    // sourceFolder (copied; may be null, and then shortcuts to identifiers cannot be made).
    // Throws std::invalid_argument without items, std::bad_alloc.
    DataObject(const std::string& sourceFolderPath, LPCITEMIDLIST sourceFolder, std::vector<CacheItem> items);

    // The namespace format the item list is offered under; 0 when the items cannot travel as
    // an item list (a string too long for it).
    CLIPFORMAT NamespaceFormat() const;
    // What a drop target last reported doing ("Performed DropEffect"); DROPEFFECT_NONE before.
    DWORD PerformedDropEffect() const { return performedEffect_; }

    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP QueryGetData(FORMATETC* format) override;
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC* format, FORMATETC* canonical) override;
    STDMETHODIMP SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override;
    STDMETHODIMP DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* connection) override;
    STDMETHODIMP DUnadvise(DWORD connection) override;
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA** advises) override;

private:
    // The formats GetData renders, with the media it renders each on.
    std::vector<FORMATETC> OfferedFormats() const;
    // S_OK when GetData renders the format on one of its media, else why not.
    HRESULT CheckOffered(const FORMATETC& format) const;

    HRESULT RenderFileGroupDescriptor(STGMEDIUM& medium) const;
    HRESULT RenderFileContents(LONG index, DWORD tymeds, STGMEDIUM& medium) const;
    HRESULT TakePerformedDropEffect(const STGMEDIUM& medium);
    HRESULT TakePasteSucceeded(const STGMEDIUM& medium);

    NSFormatList formatList_;
    std::string sourceFolderPath_;
    ScopedPidl sourceFolder_;
    std::vector<CacheItem> items_;
    CLIPFORMAT format_ = 0;
    std::optional<std::vector<std::uint8_t>> itemList_;
    DWORD performedEffect_ = DROPEFFECT_NONE;
};
