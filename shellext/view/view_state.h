#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <optional>

// The column layout that Explorer keeps for a folder's view in its view-state stream: 64 bytes,
// the folder's class id (16), the sort column (4), the sort direction (4: 0 ascending, 1
// descending) and the widths of up to ten columns (4 each). The stream is stored input: a
// record of another class, of the wrong size or with values out of range is not ours.
struct ViewState {
    static constexpr std::size_t kSize = 64;
    static constexpr int kColumns = 10;
    static constexpr int kDefaultWidth = 120;
    static constexpr int kWidestColumn = 4000;

    int sortColumn = 0;
    bool ascending = true;
    std::array<int, kColumns> widths{};

    // The record in bytes, or none when it is not one for this class and columnCount columns.
    static std::optional<ViewState> Parse(const BYTE* bytes, std::size_t size, const CLSID& folderClass,
                                          int columnCount);
    std::array<BYTE, kSize> Serialize(const CLSID& folderClass) const;
    // A stored width as a column gets it: 0 or less gives the default, too wide is cut.
    static int UsableWidth(int stored);
};
