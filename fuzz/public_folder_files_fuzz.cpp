// Export files and the index of public folders lie in a folder that other people can write to.

#include "public/export_text.h"
#include "public/index_text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kFolderKey = "HKEY_CURRENT_USER\\Software\\Maker\\Product\\Cache\\Team";

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

bool HasClimbingPart(std::string_view path)
{
    for (std::size_t start = 0; start <= path.size();) {
        const auto end = path.find_first_of("\\/", start);
        const std::string_view part = path.substr(start, end == path.npos ? path.npos : end - start);
        if (part.empty() || part == "." || part == "..")
            return true;
        if (end == path.npos)
            break;
        start = end + 1;
    }
    return false;
}

// What the export reader takes is what the writer can write, and it reads back as it was.
void CheckExportText(std::string_view text)
{
    const export_text::ParsedText parsed = export_text::Parse(text);
    std::vector<export_text::Section> withValues;
    std::string written;
    for (const export_text::Section& section : parsed.sections) {
        Require(export_text::CanWriteKeyName(section.keyName));
        for (const export_text::Value& value : section.values)
            Require(export_text::CanWrite(value));
        if (const auto below = export_text::PathBelowKey(section.keyName, kFolderKey); below && !below->empty())
            Require(!HasClimbingPart(*below));
        export_text::AppendSection(written, section);
        if (!section.values.empty())
            withValues.push_back(section);
    }
    const export_text::ParsedText again = export_text::Parse(written);
    Require(again.sections == withValues);
    Require(again.unreadLines == 0);
}

// The index written from what was read reads the same from then on, and no file it accepts as
// lying in the data location climbs out of it.
void CheckIndexText(std::string_view text)
{
    const std::vector<index_text::Section> first = index_text::Parse(text);
    const std::vector<index_text::Section> second = index_text::Parse(index_text::Format(first));
    Require(index_text::Parse(index_text::Format(second)) == second);
    for (const index_text::Section& section : first) {
        for (const index_text::Entry& entry : section.entries) {
            if (index_text::IsInsideFolder(entry.value, "\\\\ATLAS\\Public"))
                Require(!HasClimbingPart(entry.value.substr(std::string_view("\\\\ATLAS\\Public\\").size())));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckExportText(text);
    CheckIndexText(text);
    return 0;
}
