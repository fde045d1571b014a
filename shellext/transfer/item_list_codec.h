#pragma once

// The item list that namespace items travel as on the clipboard and in drag and drop. Nothing
// here needs the Windows headers, so the decoder can be built natively and fuzzed. Any program
// can put bytes on the clipboard under our format names, so a stream is decoded as hostile
// input: every length is checked against the bytes there are, the item count is believed only
// as far as items are really present, and a stream that is damaged anywhere is refused whole.
//
// Layout, little-endian, byte-packed:
//   count        32 bits, unsigned: the number of items (at least one)
//   folder path  string: the namespace path of the folder the items come from
//   items        count times: seven strings (name, original name, type text, comment,
//                location, path, icon file), then three signed 32-bit integers (item type,
//                has sub-folders, icon index)
// A string is a signed 16-bit length that counts the terminating zero byte, then that many
// bytes; the zero is the last of them and the only one. The stream ends with the last item.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One item as the stream carries it: the fields of the item record, strings in the ANSI code
// page.
struct TransferItem {
    std::string Name;
    std::string OriginalName;
    std::string Type;
    std::string Comment;
    std::string Location;
    std::string FolderPath;
    std::string IconFile;
    std::int32_t ItemType = 0;
    std::int32_t HasSubFolders = 0;
    std::int32_t IconIndex = 0;

    bool operator==(const TransferItem&) const = default;
};

// The items of one copy or drag and the folder they come from.
struct TransferItemList {
    std::string SourceFolderPath;
    std::vector<TransferItem> Items;

    bool operator==(const TransferItemList&) const = default;
};

namespace item_list_codec {

// The largest stream written or read. A full selection of the biggest folder (tens of thousands
// of discs at a few hundred bytes each) stays well below it, and it bounds the memory a reader
// spends on a stream that never ends.
constexpr std::size_t kMaxStreamBytes = 8u * 1024 * 1024;
// The longest string: its length field is signed 16 bits and counts the zero byte.
constexpr std::size_t kMaxStringLength = 32766;

// The stream of a list; none when the list has no item, a string holds a zero byte or is
// longer than kMaxStringLength, or the stream would be larger than kMaxStreamBytes.
std::optional<std::vector<std::uint8_t>> Encode(const TransferItemList& list);

// The list in the first size bytes at data; none for anything that is not a whole, well-formed
// stream of at most kMaxStreamBytes with at least one item. Reads nothing beyond size bytes.
std::optional<TransferItemList> Decode(const std::uint8_t* data, std::size_t size);

}  // namespace item_list_codec
