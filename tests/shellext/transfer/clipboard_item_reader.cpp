// Reads the namespace's items from the OLE clipboard as another process does (a second Explorer
// window pasting), and writes what it decoded to the file named by its argument: the source
// folder on the first line, then one line per item. Exit code 0 on success, else the step that
// failed.
#include "com/com_apartment.h"
#include "transfer/item_list_codec.h"
#include "transfer/medium_bytes.h"
#include "transfer/ns_format_list.h"

#include <windows.h>
#include <ole2.h>
#include <wrl/client.h>

#include <cstdio>
#include <string>

using Microsoft::WRL::ComPtr;

namespace {

enum Failure { kNoArgument = 1, kNoOle, kEmptyClipboard, kNoNamespaceFormat, kNoData, kUnreadable, kDamaged, kNoFile };

// The first format the clipboard's object lists that is one of the namespace's.
CLIPFORMAT FindNamespaceFormat(IDataObject& data)
{
    const NSFormatList formats;
    ComPtr<IEnumFORMATETC> listed;
    if (FAILED(data.EnumFormatEtc(DATADIR_GET, &listed)) || !listed)
        return 0;
    FORMATETC format{};
    while (listed->Next(1, &format, nullptr) == S_OK) {
        if (format.ptd)
            ::CoTaskMemFree(format.ptd);
        if (formats.IsNamespaceFormat(format.cfFormat))
            return format.cfFormat;
    }
    return 0;
}

int Read(const char* outputPath)
{
    const OleApartment ole;
    if (!ole.IsReady())
        return kNoOle;
    ComPtr<IDataObject> data;
    if (FAILED(::OleGetClipboard(&data)) || !data)
        return kEmptyClipboard;
    const CLIPFORMAT format = FindNamespaceFormat(*data.Get());
    if (!format)
        return kNoNamespaceFormat;
    FORMATETC asked{format, nullptr, DVASPECT_CONTENT, -1, TYMED_ISTREAM};
    STGMEDIUM medium{};
    if (FAILED(data->GetData(&asked, &medium)))
        return kNoData;
    StreamReadFailure failure;
    const auto bytes = medium.tymed == TYMED_ISTREAM && medium.pstm
                           ? ReadWholeStream(*medium.pstm, item_list_codec::kMaxStreamBytes, failure)
                           : std::nullopt;
    ::ReleaseStgMedium(&medium);
    if (!bytes)
        return kUnreadable;
    const auto list = item_list_codec::Decode(bytes->data(), bytes->size());
    if (!list)
        return kDamaged;
    std::string text = list->SourceFolderPath + "\n";
    for (const TransferItem& item : list->Items)
        text += item.Name + "|" + item.Location + "|" + std::to_string(item.ItemType) + "\n";
    FILE* file = std::fopen(outputPath, "wb");
    if (!file)
        return kNoFile;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written ? 0 : kNoFile;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return kNoArgument;
    return Read(argv[1]);
}
