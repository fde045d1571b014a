#pragma once

// The text of an exported public folder: one section per registry key, named by the key's full
// name in brackets, then one line per value and an empty line. Values are strings or DWORDs:
//
//   [HKEY_CURRENT_USER\Software\...\Cache\Team]
//   "Name"="Team"
//   "ItemType"=dword:b
//   "Location"="\\\\ATLAS\\CD"
//
// A string stands between double quotes with every backslash doubled; a DWORD is "dword:"
// followed by its lower-case hexadecimal digits without leading zeros. Lines end in CR LF; a
// reader takes LF alone as well. A key without values of its own writes nothing.
//
// Export files lie in a folder that other people can write to, so the reader treats the text
// as hostile: it takes a line only when it reads exactly as the writer writes one and passes
// over everything else. Nothing here needs the Windows headers, so the reader is fuzzed natively.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace export_text {

// The largest export file read: a folder of tens of thousands of items stays well below it, and
// it bounds what a file that never ends costs.
constexpr std::size_t kMaxTextBytes = 64u * 1024 * 1024;

struct Value {
    std::string name;
    bool isNumber = false;
    std::uint32_t number = 0;
    std::string text;   // a string's text, its backslashes single

    bool operator==(const Value&) const = default;
};

struct Section {
    std::string keyName;
    std::vector<Value> values;

    bool operator==(const Section&) const = default;
};

std::string AddExtraBackslashes(std::string_view text);
// Each pair of backslashes becomes one; a single backslash stays.
std::string RemoveExtraBackslashes(std::string_view text);

// Whether a key name or value reads back as written: no line breaks and no zero bytes, and a
// value name without "=" (which ends the name on reading).
bool CanWriteKeyName(std::string_view keyName);
bool CanWrite(const Value& value);

// The line of one value, without its line end.
std::string ValueLine(const Value& value);
// Appends the section's lines and the empty line after them; nothing for a section without
// values. The caller leaves out what CanWriteKeyName and CanWrite refuse.
void AppendSection(std::string& text, const Section& section);

// The sections of a text with the values that read, in the order they come. A value belongs to
// the section whose header it follows until an empty line; a header that does not end in "]"
// opens no section, so the lines under it go nowhere.
struct ParsedText {
    std::vector<Section> sections;
    // Lines that looked like values (they hold "=") but did not read as one.
    std::size_t unreadLines = 0;
};
ParsedText Parse(std::string_view text);

// When keyName is folderKey or a key below it, compared without regard to ASCII case, the path
// below it ("" for folderKey itself); nothing for any other key, and for a key name with an
// empty, "." or ".." part.
std::optional<std::string> PathBelowKey(std::string_view keyName, std::string_view folderKey);

}  // namespace export_text
