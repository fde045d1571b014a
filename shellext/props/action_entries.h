#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// The entries of a parameter list or of a file dialog's file types, as an action stores them in
// one text: "description:value" entries joined by "|". Only the first colon of an entry divides
// it, so a value may hold colons (a drive path); a description may hold neither ":" nor "|", and
// a value no "|".
struct ActionEntry {
    std::string description;
    std::string value;
};

enum class ActionEntryKind { Parameter, FileExtension };

std::vector<ActionEntry> ActionEntriesFrom(const std::string& listItems);
std::string StoredActionEntries(const std::vector<ActionEntry>& entries);

// Why an entry typed by the user cannot be stored: the message's string number, and whether the
// description (else the value) has to change. Both come back without the blanks around them.
struct ActionEntryRefusal {
    UINT message;
    bool inDescription;
};
std::optional<ActionEntryRefusal> CheckActionEntry(ActionEntryKind kind, std::string& description, std::string& value);

// Moves the entry at index one place up (step -1) or down (+1) among the first count entries;
// false when it is already at that end.
template <typename Entry>
bool MoveEntry(std::vector<Entry>& entries, size_t index, int step, size_t count)
{
    const size_t target = index + static_cast<size_t>(step);
    if (index >= count || target >= count)
        return false;
    std::swap(entries[index], entries[target]);
    return true;
}
