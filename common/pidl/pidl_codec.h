#pragma once

// The bytes of the namespace's item identifiers. Nothing here needs the Windows headers, so the
// decoder can be built natively and fuzzed. Identifiers come from Explorer and may be damaged or
// belong to another namespace: every read is checked against the item's count and against the
// bound the caller gives for the whole list, and anything that does not fit decodes as invalid.
//
// One item, little-endian and byte-packed:
//   0  count (16 bits, the whole item including itself and the pad byte)
//   2  item type (32 bits)
//   6  has sub-folders (1 byte: 0 or 1)
//   7  name, folder path, comment, drive letter: ANSI, each ended by one zero byte
//   count - 1  pad byte (0)
// A list is a run of items ended by a zero count; the lists made here add one more zero byte.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// The decoded payload of one item.
class PidlData {
public:
    std::int32_t ItemType = 0;
    bool HasSubFolders = false;
    std::string Name;
    std::string FolderPath;
    std::string Comment;
    std::string DriveLetter;

    // The payload size, which is the item's count minus 3; none when the strings are too long
    // for a 16-bit count.
    std::optional<std::uint16_t> GetSize() const;
};

namespace pidl_codec {

// The count field, the type, the flag, four zero bytes and the pad byte.
constexpr std::size_t kSmallestItem = 12;
// The zero count that ends a list plus the extra zero byte of the lists made here.
constexpr std::size_t kEndMark = 3;
// For lists whose size nobody knows: trust the end mark, as the shell does.
constexpr std::size_t kNoBound = SIZE_MAX;

// Where the items of a well-formed list lie.
struct ListLayout {
    std::size_t itemBytes = 0;     // the sum of the items' counts, without the end mark
    std::size_t itemCount = 0;
    std::size_t lastItem = 0;      // the offset of the last item (0 for an empty list)
};

std::uint16_t ReadCount(const std::uint8_t* at);

// The list's items, or none when an item's count is 1 (it cannot even hold itself) or an item or
// the end mark does not lie within the first bound bytes.
std::optional<ListLayout> WalkList(const std::uint8_t* list, std::size_t bound);

// One item; none when it is shorter than the fixed part, longer than bound, or a string has no
// zero byte before the pad byte.
std::optional<PidlData> DecodeItem(const std::uint8_t* item, std::size_t bound);

// The last item of a list; none for an empty or damaged list.
std::optional<PidlData> DecodeLastItem(const std::uint8_t* list, std::size_t bound);

// Writes a one-item list (payloadSize + 6 bytes) for data into out; false when capacity is too
// small or the strings do not fit payloadSize.
bool EncodeList(const PidlData& data, std::uint16_t payloadSize, std::uint8_t* out, std::size_t capacity);

// Walks both lists together and compares each pair of items byte by byte, with the count of the
// item that follows, so that a list that goes on differs from one that ends. A list whose first
// item is the end mark equals any list; a damaged list equals none.
bool ListsEqual(const std::uint8_t* first, std::size_t firstBound, const std::uint8_t* second,
                std::size_t secondBound);

}  // namespace pidl_codec
