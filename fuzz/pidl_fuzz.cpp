// Item identifiers come from Explorer, which may hand over damaged ones or another namespace's.

#include "pidl/pidl_codec.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto layout = pidl_codec::WalkList(data, size);
    if (layout && (layout->itemBytes + 2 > size || layout->lastItem > layout->itemBytes))
        std::abort();

    // What is decoded survives being written out and read again unchanged.
    if (const auto item = pidl_codec::DecodeLastItem(data, size)) {
        const auto payload = item->GetSize();
        if (!payload)
            std::abort();
        std::vector<std::uint8_t> bytes(*payload + 6u);
        if (!pidl_codec::EncodeList(*item, *payload, bytes.data(), bytes.size()))
            std::abort();
        const auto again = pidl_codec::DecodeLastItem(bytes.data(), bytes.size());
        if (!again || again->ItemType != item->ItemType || again->HasSubFolders != item->HasSubFolders ||
            again->Name != item->Name || again->FolderPath != item->FolderPath || again->Comment != item->Comment ||
            again->DriveLetter != item->DriveLetter)
            std::abort();
        if (!pidl_codec::ListsEqual(bytes.data(), bytes.size(), bytes.data(), bytes.size()))
            std::abort();
    }

    // Equality against itself and against the input cut in two never reads beyond either part.
    pidl_codec::ListsEqual(data, size, data, size);
    const std::size_t half = size / 2;
    pidl_codec::ListsEqual(data, half, data + half, size - half);
    return 0;
}
