#include "transfer/dropped_items.h"

#include "logging/logging.h"
#include "transfer/medium_bytes.h"
#include "transfer/ns_format_list.h"

#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace {

// The first namespace format the object lists; else 0, and the first format it lists in
// first (0 when it lists none).
CLIPFORMAT FindNamespaceFormat(IDataObject& data, const NSFormatList& formats, CLIPFORMAT& first)
{
    first = 0;
    ComPtr<IEnumFORMATETC> listed;
    if (FAILED(data.EnumFormatEtc(DATADIR_GET, &listed)) || !listed)
        return 0;
    FORMATETC format{};
    while (listed->Next(1, &format, nullptr) == S_OK) {
        if (format.ptd)
            ::CoTaskMemFree(format.ptd);
        if (!first)
            first = format.cfFormat;
        if (formats.IsNamespaceFormat(format.cfFormat))
            return format.cfFormat;
    }
    return 0;
}

// Releases a medium received from GetData.
struct ReceivedMedium {
    STGMEDIUM medium{};
    ~ReceivedMedium() { ::ReleaseStgMedium(&medium); }
};

} // namespace

bool OffersNamespaceFormat(IDataObject& data)
{
    CLIPFORMAT first = 0;
    return FindNamespaceFormat(data, NSFormatList(), first) != 0;
}

std::optional<TransferItemList> ReadDroppedItems(IDataObject& data)
{
    const NSFormatList formats;
    CLIPFORMAT first = 0;
    const CLIPFORMAT format = FindNamespaceFormat(data, formats, first);
    if (!format) {
        ListItemType ignored{};
        formats.DataFormatToItemType(first, ignored);   // logs the format refused
        return std::nullopt;
    }
    FORMATETC asked{format, nullptr, DVASPECT_CONTENT, -1, TYMED_ISTREAM};
    ReceivedMedium received;
    HRESULT result = data.GetData(&asked, &received.medium);
    if (FAILED(result)) {
        Logging::OutToLogFile("NSDropTarget::StreamToDataSource |         Failed calling IDataObject::GetData() with the HRESULT=",
                              static_cast<int>(result));
        return std::nullopt;
    }
    if (received.medium.tymed != TYMED_ISTREAM || !received.medium.pstm) {
        Logging::OutToLogFile("NSDropTarget::StreamToDataSource | the item list is not a stream\n");
        return std::nullopt;
    }
    StreamReadFailure failure;
    const auto bytes = ReadWholeStream(*received.medium.pstm, item_list_codec::kMaxStreamBytes, failure);
    if (!bytes) {
        if (failure.failedCall)
            LogFormatted("NSDropTarget::StreamToDataSource |         Failed calling IStream::%s with the HRESULT=%d\n",
                         failure.failedCall, static_cast<int>(failure.result));
        else
            Logging::OutToLogFile("NSDropTarget::StreamToDataSource | the item list is too large\n");
        return std::nullopt;
    }
    auto list = item_list_codec::Decode(bytes->data(), bytes->size());
    if (!list)
        Logging::OutToLogFile("NSDropTarget::StreamToDataSource | the item list is damaged and was refused\n");
    return list;
}
