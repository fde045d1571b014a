// The item list stream as the clipboard and drag and drop carry it, decoded as hostile bytes.
#include "transfer/item_list_codec.h"

#include "support/guarded_bytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// Writes streams by hand, so that the tests can say exactly which field is wrong.
class StreamBuilder {
public:
    StreamBuilder& UInt32(std::uint32_t value)
    {
        for (int i = 0; i < 4; ++i)
            bytes_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
        return *this;
    }
    StreamBuilder& Length(std::int16_t length)
    {
        const auto raw = static_cast<std::uint16_t>(length);
        bytes_.push_back(static_cast<std::uint8_t>(raw));
        bytes_.push_back(static_cast<std::uint8_t>(raw >> 8));
        return *this;
    }
    StreamBuilder& Raw(const std::string& text)
    {
        bytes_.insert(bytes_.end(), text.begin(), text.end());
        return *this;
    }
    // A well-formed string: its length counts the zero byte.
    StreamBuilder& String(const std::string& text)
    {
        return Length(static_cast<std::int16_t>(text.size() + 1)).Raw(text).Raw(std::string(1, '\0'));
    }
    StreamBuilder& Item(const std::string& name)
    {
        for (int i = 0; i < 7; ++i)
            String(i == 0 ? name : "");
        return UInt32(2).UInt32(0).UInt32(static_cast<std::uint32_t>(-1));
    }
    Bytes Take() const { return bytes_; }

private:
    Bytes bytes_;
};

TransferItemList SampleList()
{
    TransferItemList list;
    list.SourceFolderPath = "Work\\Projects";
    TransferItem disc;
    disc.Name = "Manuals";
    disc.OriginalName = "MANUALS_1998";
    disc.Type = "CD/DVD";
    disc.Comment = "Handb\xfc" "cher";   // a character of the ANSI code page above 127
    disc.Location = "\\\\ATLAS";
    disc.FolderPath = "Work\\Projects";
    disc.ItemType = 2;
    disc.IconIndex = -1;
    TransferItem launcher;
    launcher.Name = "Tools";
    launcher.ItemType = 9;
    launcher.HasSubFolders = 1;
    launcher.IconIndex = 0x7fffffff;
    list.Items = {disc, launcher};
    return list;
}

std::optional<TransferItemList> Decode(const Bytes& bytes)
{
    return item_list_codec::Decode(bytes.data(), bytes.size());
}

TEST(ItemListCodecTest, EncodedListDecodesToTheSameItemsInOrder)
{
    const TransferItemList list = SampleList();
    const auto bytes = item_list_codec::Encode(list);
    ASSERT_TRUE(bytes);
    const auto decoded = Decode(*bytes);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(list, *decoded);
}

TEST(ItemListCodecTest, LayoutIsLittleEndianWithLengthsThatCountTheZeroByte)
{
    TransferItemList list;
    list.SourceFolderPath = "Work";
    list.Items.resize(1);
    list.Items[0].Name = "CD";
    list.Items[0].ItemType = 0x01020304;
    const auto bytes = item_list_codec::Encode(list);
    ASSERT_TRUE(bytes);
    const Bytes expected = StreamBuilder()
                               .UInt32(1)
                               .String("Work")
                               .String("CD")
                               .String("").String("").String("").String("").String("").String("")
                               .UInt32(0x01020304).UInt32(0).UInt32(0)
                               .Take();
    EXPECT_EQ(expected, *bytes);
    EXPECT_EQ(5, (*bytes)[4]);   // "Work" and its zero
}

TEST(ItemListCodecTest, DamagedStreamsAreRefusedWhole)
{
    const Bytes good = StreamBuilder().UInt32(2).String("Work").Item("Manuals").Item("Tools").Take();
    ASSERT_TRUE(Decode(good));

    // Cut anywhere, the stream reads as nothing rather than as the items before the cut.
    for (std::size_t size = 0; size < good.size(); ++size)
        EXPECT_FALSE(item_list_codec::Decode(good.data(), size)) << "cut at " << size;

    EXPECT_FALSE(Decode(StreamBuilder().UInt32(0).String("Work").Take())) << "no items";
    EXPECT_FALSE(Decode(StreamBuilder().UInt32(0).String("Work").Item("Manuals").Take())) << "count 0 before an item";
    EXPECT_FALSE(Decode(StreamBuilder().UInt32(3).String("Work").Item("Manuals").Item("Tools").Take()))
        << "count says more items than there are";
    EXPECT_FALSE(Decode(StreamBuilder().UInt32(0xffffffff).String("Work").Item("Manuals").Take()))
        << "count of four thousand million";
    EXPECT_FALSE(Decode(StreamBuilder().UInt32(1).String("Work").Item("Manuals").Item("Tools").Take()))
        << "count says fewer items than there are";
    EXPECT_FALSE(Decode(StreamBuilder().UInt32(1).String("Work").Item("Manuals").Raw("x").Take()))
        << "bytes after the last item";
    EXPECT_FALSE(Decode(StreamBuilder().UInt32(1).Length(200).Raw("Work").Raw(std::string(1, '\0')).Item("M").Take()))
        << "a length past the end";
    EXPECT_FALSE(Decode(StreamBuilder().UInt32(1).Length(-5).Raw("Work").Raw(std::string(1, '\0')).Item("M").Take()))
        << "a negative length";
    EXPECT_FALSE(Decode(StreamBuilder().UInt32(1).Length(0).Item("M").Take())) << "a zero length";
    EXPECT_FALSE(Decode(StreamBuilder().UInt32(1).Length(4).Raw("Work").Item("M").Take()))
        << "the last byte of the string is not its zero";
    EXPECT_FALSE(Decode(StreamBuilder().UInt32(1).Length(6).Raw("Wo").Raw(std::string(1, '\0')).Raw("rk")
                            .Raw(std::string(1, '\0')).Item("M").Take()))
        << "a zero inside the string";
    EXPECT_FALSE(item_list_codec::Decode(nullptr, 0));
}

TEST(ItemListCodecTest, StreamsOverTheSizeLimitAreNeitherWrittenNorRead)
{
    // Items of seven strings of the longest length, as many as reach just past the limit.
    const std::string longest(item_list_codec::kMaxStringLength, 'x');
    const std::size_t itemBytes = 7 * (2 + longest.size() + 1) + 12;
    const std::size_t overLimit = item_list_codec::kMaxStreamBytes / itemBytes + 1;
    StreamBuilder builder;
    builder.UInt32(static_cast<std::uint32_t>(overLimit)).String("");
    TransferItemList list;
    for (std::size_t i = 0; i < overLimit; ++i) {
        for (int s = 0; s < 7; ++s)
            builder.String(longest);
        builder.UInt32(2).UInt32(0).UInt32(0);
        list.Items.push_back(TransferItem{longest, longest, longest, longest, longest, longest, longest, 2, 0, 0});
    }
    const Bytes tooLarge = builder.Take();
    ASSERT_GT(tooLarge.size(), item_list_codec::kMaxStreamBytes);
    EXPECT_FALSE(Decode(tooLarge));
    EXPECT_FALSE(item_list_codec::Encode(list));

    // One item fewer is within the limit and travels.
    list.Items.pop_back();
    const auto within = item_list_codec::Encode(list);
    ASSERT_TRUE(within);
    EXPECT_LE(within->size(), item_list_codec::kMaxStreamBytes);
    EXPECT_TRUE(Decode(*within));
}

TEST(ItemListCodecTest, ListsTheStreamCannotCarryAreNotWritten)
{
    TransferItemList list = SampleList();
    list.Items.clear();
    EXPECT_FALSE(item_list_codec::Encode(list)) << "no items";

    list = SampleList();
    list.Items[1].Comment = std::string(item_list_codec::kMaxStringLength + 1, 'c');
    EXPECT_FALSE(item_list_codec::Encode(list)) << "a string longer than its length field";
    list.Items[1].Comment.pop_back();
    EXPECT_TRUE(item_list_codec::Encode(list)) << "the longest string";

    list = SampleList();
    list.SourceFolderPath = std::string("Wo\0rk", 5);
    EXPECT_FALSE(item_list_codec::Encode(list)) << "a zero inside a string would come back cut short";
}

TEST(ItemListCodecTest, DecodingAStreamThatEndsAtAnInaccessiblePageReadsNothingBeyondIt)
{
    const Bytes good = StreamBuilder().UInt32(2).String("Work").Item("Manuals").Item("Tools").Take();
    {
        const GuardedBytes guarded(good);
        EXPECT_TRUE(item_list_codec::Decode(guarded.Data(), guarded.Size()));
    }
    // Every cut ends right at the guard: a read past the end of what is there faults.
    for (std::size_t size = 1; size < good.size(); ++size) {
        const GuardedBytes guarded(Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size)));
        EXPECT_FALSE(item_list_codec::Decode(guarded.Data(), guarded.Size())) << "cut at " << size;
    }
    // A length that claims the guard page itself.
    const GuardedBytes lying(StreamBuilder().UInt32(1).Length(0x7fff).Raw("Work").Take());
    EXPECT_FALSE(item_list_codec::Decode(lying.Data(), lying.Size()));
}

} // namespace
