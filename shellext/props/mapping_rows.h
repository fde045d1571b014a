#pragma once

#include <string>
#include <vector>

// One row of the multiple-mapping list: a network path (or the item's own pseudo path) and the
// letter it is mapped to, without a colon.
struct MappingRow {
    std::string path;
    std::string letter;
};

// The rows of a stored "MultipleMapping": first the item itself (ownPath, with the letter its
// first stored pair gives it, else noDrive), then one row per other pair, in stored order.
// Pairs with an empty half and repeated pairs of the item itself are dropped.
std::vector<MappingRow> MappingRowsFrom(const std::string& stored, const std::string& ownPath,
                                        const std::string& noDrive);

// The rows stored back: "path:letter" each, the first one included, joined by "|".
std::string StoredMapping(const std::vector<MappingRow>& rows);

// The letters of every row but one (the row being edited; none for an added row), "none" left
// out, so that the Map Disc dialog does not offer them first.
std::vector<std::string> LettersOfOtherRows(const std::vector<MappingRow>& rows, size_t except,
                                            const std::string& noDrive);
