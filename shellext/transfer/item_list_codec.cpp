#include "transfer/item_list_codec.h"

#include <cstring>
#include <utility>

namespace {

constexpr std::size_t kLengthBytes = 2;
constexpr std::size_t kIntegerBytes = 4;
// The smallest item: seven empty strings (a length and the zero byte each) and the integers.
constexpr std::size_t kSmallestItem = 7 * (kLengthBytes + 1) + 3 * kIntegerBytes;

class Writer {
public:
    void UInt32(std::uint32_t value)
    {
        for (int i = 0; i < 4; ++i)
            bytes_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
    void Int32(std::int32_t value) { UInt32(static_cast<std::uint32_t>(value)); }
    // False for a string the stream cannot carry.
    bool String(const std::string& text)
    {
        if (text.size() > item_list_codec::kMaxStringLength || text.find('\0') != std::string::npos)
            return false;
        const auto length = static_cast<std::uint16_t>(text.size() + 1);
        bytes_.push_back(static_cast<std::uint8_t>(length));
        bytes_.push_back(static_cast<std::uint8_t>(length >> 8));
        bytes_.insert(bytes_.end(), text.begin(), text.end());
        bytes_.push_back(0);
        return true;
    }
    bool TooLarge() const { return bytes_.size() > item_list_codec::kMaxStreamBytes; }
    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

// Reads forward through [data, data + size); every read checks what is left first.
class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t Left() const { return size_ - offset_; }

    bool UInt32(std::uint32_t& value)
    {
        if (Left() < kIntegerBytes)
            return false;
        const std::uint8_t* at = data_ + offset_;
        value = static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
                static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
        offset_ += kIntegerBytes;
        return true;
    }
    bool Int32(std::int32_t& value)
    {
        std::uint32_t raw = 0;
        if (!UInt32(raw))
            return false;
        value = static_cast<std::int32_t>(raw);
        return true;
    }
    // A length that is not positive, runs past the end, or whose last byte is not the string's
    // only zero makes the stream unreadable.
    bool String(std::string& text)
    {
        if (Left() < kLengthBytes)
            return false;
        const std::uint8_t* at = data_ + offset_;
        const auto length = static_cast<std::int16_t>(static_cast<std::uint16_t>(at[0] | at[1] << 8));
        if (length <= 0 || static_cast<std::size_t>(length) > Left() - kLengthBytes)
            return false;
        const std::size_t characters = static_cast<std::size_t>(length) - 1;
        const std::uint8_t* start = at + kLengthBytes;
        if (start[characters] != 0 || std::memchr(start, 0, characters) != nullptr)
            return false;
        text.assign(reinterpret_cast<const char*>(start), characters);
        offset_ += kLengthBytes + static_cast<std::size_t>(length);
        return true;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t offset_ = 0;
};

bool ReadItem(Reader& reader, TransferItem& item)
{
    return reader.String(item.Name) && reader.String(item.OriginalName) && reader.String(item.Type) &&
           reader.String(item.Comment) && reader.String(item.Location) && reader.String(item.FolderPath) &&
           reader.String(item.IconFile) && reader.Int32(item.ItemType) && reader.Int32(item.HasSubFolders) &&
           reader.Int32(item.IconIndex);
}

bool WriteItem(Writer& writer, const TransferItem& item)
{
    if (!writer.String(item.Name) || !writer.String(item.OriginalName) || !writer.String(item.Type) ||
        !writer.String(item.Comment) || !writer.String(item.Location) || !writer.String(item.FolderPath) ||
        !writer.String(item.IconFile))
        return false;
    writer.Int32(item.ItemType);
    writer.Int32(item.HasSubFolders);
    writer.Int32(item.IconIndex);
    return true;
}

}  // namespace

namespace item_list_codec {

std::optional<std::vector<std::uint8_t>> Encode(const TransferItemList& list)
{
    if (list.Items.empty() || list.Items.size() > kMaxStreamBytes / kSmallestItem)
        return std::nullopt;
    Writer writer;
    writer.UInt32(static_cast<std::uint32_t>(list.Items.size()));
    if (!writer.String(list.SourceFolderPath))
        return std::nullopt;
    for (const TransferItem& item : list.Items) {
        if (!WriteItem(writer, item) || writer.TooLarge())
            return std::nullopt;
    }
    return writer.Take();
}

std::optional<TransferItemList> Decode(const std::uint8_t* data, std::size_t size)
{
    if (!data || size > kMaxStreamBytes)
        return std::nullopt;
    Reader reader(data, size);
    std::uint32_t count = 0;
    TransferItemList list;
    if (!reader.UInt32(count) || count == 0 || !reader.String(list.SourceFolderPath))
        return std::nullopt;
    // The count is only believed as far as the bytes can hold that many items; the list grows
    // item by item, so a huge count costs nothing before it is found out.
    if (count > reader.Left() / kSmallestItem)
        return std::nullopt;
    for (std::uint32_t read = 0; read < count; ++read) {
        TransferItem item;
        if (!ReadItem(reader, item))
            return std::nullopt;
        list.Items.push_back(std::move(item));
    }
    // Bytes after the last item mean the count or a length is not what the writer meant.
    if (reader.Left() != 0)
        return std::nullopt;
    return list;
}

}  // namespace item_list_codec
