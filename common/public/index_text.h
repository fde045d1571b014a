#pragma once

// The index of the public folder data: an INI text of sections with "key=value" lines, as the
// Windows profile functions read it, so that other programs may read it with them:
//
//   [Halvo Server Data]
//   Version=2.00
//   Client Setup Location=
//
//   [Team]
//   Comment=Discs of the team
//   File=\\ATLAS\Public\Team.pfr
//
// The index lies in a folder that other people can write to, so the reader treats it as
// hostile: a section name is the text between "[" and the last "]" of its line, a section that
// comes again is passed over, and nothing is cut short. Nothing here needs the Windows headers,
// so the reader is fuzzed natively.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace index_text {

// The largest index read (thousands of folders stay far below it).
constexpr std::size_t kMaxTextBytes = 4u * 1024 * 1024;

struct Entry {
    std::string key;
    std::string value;

    bool operator==(const Entry&) const = default;
};

struct Section {
    std::string name;
    std::vector<Entry> entries;

    bool operator==(const Section&) const = default;
};

// The sections in the order they come; of sections and keys that come again (without regard to
// ASCII case) the first counts, as with the profile functions. A value loses one pair of quotes
// around it, as GetPrivateProfileString reads it.
std::vector<Section> Parse(std::string_view text);

// The text of the sections: each a header, its lines and an empty line. A value that would not
// read back as it is (blanks at its ends, quotes around it) is written between quotes, and line
// breaks in it become blanks. Sections whose names cannot stand in a header are left out.
std::string Format(const std::vector<Section>& sections);

// The value of a key of the section (without regard to ASCII case); empty when it has none.
std::string ValueOf(const Section& section, std::string_view key);

// Whether a section name can stand in a header and read back as it is.
bool CanWriteSectionName(std::string_view name);

// Whether path names a file inside folder (at any depth), compared without regard to ASCII
// case: it begins with the folder and a backslash, and what follows has no empty, "." or ".."
// part and no ":" (another drive, or a stream of a file).
bool IsInsideFolder(std::string_view path, std::string_view folder);

}  // namespace index_text
