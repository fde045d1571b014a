#include "mapping_rows.h"

#include "item/item.h"
#include "text/text_compare.h"

std::vector<MappingRow> MappingRowsFrom(const std::string& stored, const std::string& ownPath,
                                        const std::string& noDrive)
{
    std::vector<MappingRow> rows{{ownPath, noDrive}};
    bool ownSeen = false;
    std::string rest = stored;
    while (!rest.empty()) {
        MappingRow row;
        rest = CacheItem::ExtractFirstPair(rest, row.path, row.letter);
        if (row.path.empty() || row.letter.empty())
            continue;
        if (EqualsNoCase(row.path, ownPath)) {
            // The first pair of the item itself decides, as when the mapping is made.
            if (!ownSeen)
                rows.front().letter = row.letter;
            ownSeen = true;
            continue;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string StoredMapping(const std::vector<MappingRow>& rows)
{
    std::string stored;
    for (const MappingRow& row : rows) {
        if (!stored.empty())
            stored += '|';
        stored += row.path + ':' + row.letter;
    }
    return stored;
}

std::vector<std::string> LettersOfOtherRows(const std::vector<MappingRow>& rows, size_t except,
                                            const std::string& noDrive)
{
    std::vector<std::string> letters;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i != except && !rows[i].letter.empty() && !EqualsNoCase(rows[i].letter, noDrive))
            letters.push_back(rows[i].letter);
    }
    return letters;
}
