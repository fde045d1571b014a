#include "pidl/pidl_codec.h"

#include <cstring>

namespace {

constexpr std::size_t kCountSize = 2;
constexpr std::size_t kTypeOffset = 2;
constexpr std::size_t kFlagOffset = 6;
constexpr std::size_t kFirstStringOffset = 7;
// The payload leaves out the count field and the pad byte of the item and the end mark's zeros.
constexpr std::size_t kPayloadFixed = 9;
constexpr std::size_t kItemOverPayload = 3;
constexpr std::size_t kListOverPayload = 6;

std::int32_t ReadInt32(const std::uint8_t* at)
{
    const std::uint32_t value = static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
                                static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
    return static_cast<std::int32_t>(value);
}

void WriteInt32(std::uint8_t* at, std::int32_t signedValue)
{
    const auto value = static_cast<std::uint32_t>(signedValue);
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// Reads one zero-ended string from item[offset, end); false when its zero byte is not there.
bool ReadString(const std::uint8_t* item, std::size_t& offset, std::size_t end, std::string& out)
{
    if (offset >= end)
        return false;
    const void* zero = std::memchr(item + offset, 0, end - offset);
    if (!zero)
        return false;
    const std::size_t length = static_cast<const std::uint8_t*>(zero) - (item + offset);
    out.assign(reinterpret_cast<const char*>(item + offset), length);
    offset += length + 1;
    return true;
}

void WriteString(std::uint8_t* item, std::size_t& offset, const std::string& text)
{
    std::memcpy(item + offset, text.data(), text.size());
    offset += text.size() + 1;   // the buffer is zeroed, so the zero byte is already there
}

}  // namespace

std::optional<std::uint16_t> PidlData::GetSize() const
{
    const std::size_t size = Name.size() + FolderPath.size() + Comment.size() + DriveLetter.size() + kPayloadFixed;
    if (size + kItemOverPayload > UINT16_MAX)
        return std::nullopt;
    return static_cast<std::uint16_t>(size);
}

namespace pidl_codec {

std::uint16_t ReadCount(const std::uint8_t* at)
{
    return static_cast<std::uint16_t>(at[0] | at[1] << 8);
}

std::optional<ListLayout> WalkList(const std::uint8_t* list, std::size_t bound)
{
    if (!list)
        return std::nullopt;
    ListLayout layout;
    std::size_t offset = 0;   // always <= bound
    for (;;) {
        if (bound - offset < kCountSize)
            return std::nullopt;
        const std::uint16_t count = ReadCount(list + offset);
        if (count == 0)
            break;
        if (count < kCountSize || count > bound - offset)
            return std::nullopt;
        layout.lastItem = offset;
        ++layout.itemCount;
        offset += count;
    }
    layout.itemBytes = offset;
    return layout;
}

std::optional<PidlData> DecodeItem(const std::uint8_t* item, std::size_t bound)
{
    if (!item || bound < kCountSize)
        return std::nullopt;
    const std::size_t count = ReadCount(item);
    if (count < kSmallestItem || count > bound)
        return std::nullopt;
    PidlData data;
    data.ItemType = ReadInt32(item + kTypeOffset);
    data.HasSubFolders = item[kFlagOffset] != 0;
    std::size_t offset = kFirstStringOffset;
    const std::size_t padByte = count - 1;
    if (!ReadString(item, offset, padByte, data.Name) || !ReadString(item, offset, padByte, data.FolderPath) ||
        !ReadString(item, offset, padByte, data.Comment) || !ReadString(item, offset, padByte, data.DriveLetter))
        return std::nullopt;
    return data;
}

std::optional<PidlData> DecodeLastItem(const std::uint8_t* list, std::size_t bound)
{
    const auto layout = WalkList(list, bound);
    if (!layout || layout->itemCount == 0)
        return std::nullopt;
    return DecodeItem(list + layout->lastItem, bound - layout->lastItem);
}

bool EncodeList(const PidlData& data, std::uint16_t payloadSize, std::uint8_t* out, std::size_t capacity)
{
    const auto needed = data.GetSize();
    const std::size_t listSize = payloadSize + kListOverPayload;
    if (!out || !needed || *needed > payloadSize || capacity < listSize || payloadSize + kItemOverPayload > UINT16_MAX)
        return false;
    std::memset(out, 0, listSize);
    const auto count = static_cast<std::uint16_t>(payloadSize + kItemOverPayload);
    out[0] = static_cast<std::uint8_t>(count);
    out[1] = static_cast<std::uint8_t>(count >> 8);
    WriteInt32(out + kTypeOffset, data.ItemType);
    out[kFlagOffset] = data.HasSubFolders ? 1 : 0;
    std::size_t offset = kFirstStringOffset;
    WriteString(out, offset, data.Name);
    WriteString(out, offset, data.FolderPath);
    WriteString(out, offset, data.Comment);
    WriteString(out, offset, data.DriveLetter);
    return true;
}

bool ListsEqual(const std::uint8_t* first, std::size_t firstBound, const std::uint8_t* second,
                std::size_t secondBound)
{
    if (!first || !second)
        return false;
    std::size_t offset = 0;
    for (;;) {
        if (firstBound - offset < kCountSize)
            return false;
        const std::uint16_t count = ReadCount(first + offset);
        if (count == 0)
            return true;
        if (secondBound - offset < kCountSize || ReadCount(second + offset) != count)
            return false;
        // The item's bytes after its count, then the count of the item that follows.
        if (count < kCountSize || firstBound - offset < count + kCountSize || secondBound - offset < count + kCountSize)
            return false;
        if (std::memcmp(first + offset + kCountSize, second + offset + kCountSize, count) != 0)
            return false;
        offset += count;
    }
}

}  // namespace pidl_codec
