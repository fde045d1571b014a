#pragma once

#include <string>

// Edits of an INI text such as the client setup script, made on the text itself so that the
// file can be written whole. Lines are kept as they are, line ends included; sections and key
// names compare without regard to (ASCII) case, as the profile functions compare them.

// The text with key=value in the first section of that name: the key's first line there gets
// the value and its further lines go; a missing key is added at the section's end, a missing
// section at the text's end. An empty value removes the key's lines.
std::string SetIniEntry(const std::string& text, const std::string& section, const std::string& key,
                        const std::string& value);

// Whether a text can be an INI file's content, or a name or value in one: no NUL anywhere, and
// for names and values no line break either.
bool IsIniText(const std::string& text);
bool IsIniLine(const std::string& text);
