#pragma once
// The INI text rules of the Windows profile operations, applied to a file's
// bytes in memory: how a value is found and how one key is written without
// disturbing anything else in the file.
//
// Text is code page 932; a file that starts with a UTF-8 byte order mark is
// read and extended as UTF-8 instead. Writing a name or value that code page
// 932 cannot hold exactly turns the file into such a UTF-8 file. Section and key names match without
// regard to ASCII case and surrounding blanks; values are read without
// surrounding blanks (spaces and tabs) and whole, whatever their length. A
// line is a section header "[name]", a comment starting with ";", a key line
// "name=value" or anything else, which is kept but never matches. When a
// section or key occurs more than once, the first one counts.

#include <optional>
#include <string>
#include <string_view>

namespace qb {

// Whether name can be written as a section: not blank, one line, no "]".
bool IsValidIniSection(std::u16string_view name);

// Whether name can be written as a key: not blank, one line, no "=", and not
// starting like a section header or a comment.
bool IsValidIniKey(std::u16string_view name);

// The part of value a key line can hold: up to its first line break or NUL.
// A reader of the file would cut the value there anyway; cutting it before
// writing keeps the rest from turning into stray lines, sections or keys.
std::u16string OneLineValue(std::u16string_view value);

// The value of key in section; nothing when the section or key is missing.
// A key present with an empty value gives an empty text.
std::optional<std::u16string> FindIniValue(std::string_view content, std::u16string_view section,
                                           std::u16string_view key);

// The content with key in section set to value (one line, see OneLineValue).
// An existing key keeps its line with its name, the blanks around "=" and
// its line ending, only the value changes. A new key is added after the last
// entry of its section, a new section with the key at the end of the file.
// New lines end in CR LF; every other line stays byte for byte as it was,
// unless the file has to become UTF-8 (see above).
// Section and key must be valid (IsValidIniSection, IsValidIniKey).
std::string SetIniValue(std::string_view content, std::u16string_view section, std::u16string_view key,
                        std::u16string_view value);

}  // namespace qb
