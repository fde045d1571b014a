#include "action_entries.h"

#include "item/item.h"
#include "res/string_ids.h"

namespace {

// Characters no file name or pattern may hold.
constexpr char kBadPatternCharacters[] = "\\/:\"<>|";

std::string EntryTrimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool HasControlCharacter(const std::string& text)
{
    for (unsigned char c : text) {
        if (c < 0x20)
            return true;
    }
    return false;
}

// Every pattern of "*.txt;*.doc" names a file by a name and an extension.
bool IsExtensionList(const std::string& patterns)
{
    size_t start = 0;
    for (;;) {
        const size_t end = patterns.find(';', start);
        const std::string pattern = EntryTrimmed(patterns.substr(start, end == std::string::npos ? end : end - start));
        const size_t dot = pattern.rfind('.');
        if (pattern.empty() || dot == std::string::npos || dot + 1 == pattern.size())
            return false;
        if (end == std::string::npos)
            return true;
        start = end + 1;
    }
}

} // namespace

std::vector<ActionEntry> ActionEntriesFrom(const std::string& listItems)
{
    std::vector<ActionEntry> entries;
    std::string rest = listItems;
    while (!rest.empty()) {
        ActionEntry entry;
        rest = CacheItem::ExtractFirstPair(rest, entry.description, entry.value);
        if (!entry.description.empty() || !entry.value.empty())
            entries.push_back(std::move(entry));
    }
    return entries;
}

std::string StoredActionEntries(const std::vector<ActionEntry>& entries)
{
    std::string stored;
    for (const ActionEntry& entry : entries) {
        if (!stored.empty())
            stored += '|';
        stored += entry.description + ':' + entry.value;
    }
    return stored;
}

std::optional<ActionEntryRefusal> CheckActionEntry(ActionEntryKind kind, std::string& description, std::string& value)
{
    description = EntryTrimmed(description);
    value = EntryTrimmed(value);
    if (description.empty())
        return ActionEntryRefusal{IDS_ERR_FIELD_EMPTY, true};
    if (description.find_first_of(":|") != std::string::npos || HasControlCharacter(description))
        return ActionEntryRefusal{IDS_ERR_DESCRIPTION_BAD_CHARS, true};
    if (value.empty())
        return ActionEntryRefusal{IDS_ERR_FIELD_EMPTY, false};
    if (kind == ActionEntryKind::Parameter) {
        if (value.find('|') != std::string::npos || HasControlCharacter(value))
            return ActionEntryRefusal{IDS_ERR_PARAMETER_BAD_CHARS, false};
        return std::nullopt;
    }
    if (value.find_first_of(kBadPatternCharacters) != std::string::npos || HasControlCharacter(value))
        return ActionEntryRefusal{IDS_ERR_EXTENSION_BAD_CHARS, false};
    if (!IsExtensionList(value))
        return ActionEntryRefusal{IDS_ERR_EXTENSION_INVALID, false};
    return std::nullopt;
}
