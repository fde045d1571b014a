#include "view_state.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr std::size_t kSortColumnOffset = 16;
constexpr std::size_t kDirectionOffset = 20;
constexpr std::size_t kWidthsOffset = 24;

std::int32_t ReadInt(const BYTE* at)
{
    std::int32_t value = 0;
    std::memcpy(&value, at, sizeof value);
    return value;
}

void WriteInt(BYTE* at, std::int32_t value) { std::memcpy(at, &value, sizeof value); }

} // namespace

std::optional<ViewState> ViewState::Parse(const BYTE* bytes, std::size_t size, const CLSID& folderClass,
                                          int columnCount)
{
    if (!bytes || size != kSize || std::memcmp(bytes, &folderClass, sizeof folderClass) != 0)
        return std::nullopt;
    ViewState state;
    const std::int32_t column = ReadInt(bytes + kSortColumnOffset);
    const std::int32_t direction = ReadInt(bytes + kDirectionOffset);
    if (column < 0 || column >= columnCount || column >= kColumns || (direction != 0 && direction != 1))
        return std::nullopt;
    state.sortColumn = column;
    state.ascending = direction == 0;
    for (int i = 0; i < kColumns; ++i)
        state.widths[static_cast<std::size_t>(i)] = UsableWidth(ReadInt(bytes + kWidthsOffset + 4 * static_cast<std::size_t>(i)));
    return state;
}

std::array<BYTE, ViewState::kSize> ViewState::Serialize(const CLSID& folderClass) const
{
    std::array<BYTE, kSize> bytes{};
    std::memcpy(bytes.data(), &folderClass, sizeof folderClass);
    WriteInt(bytes.data() + kSortColumnOffset, sortColumn);
    WriteInt(bytes.data() + kDirectionOffset, ascending ? 0 : 1);
    for (int i = 0; i < kColumns; ++i)
        WriteInt(bytes.data() + kWidthsOffset + 4 * static_cast<std::size_t>(i), widths[static_cast<std::size_t>(i)]);
    return bytes;
}

int ViewState::UsableWidth(int stored)
{
    if (stored <= 0)
        return kDefaultWidth;
    return stored > kWidestColumn ? kWidestColumn : stored;
}
