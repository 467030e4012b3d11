#pragma once
// The INI text rules of the Windows profile operations, applied to a file's
// bytes in memory: how a value is found and how one key is written without
// disturbing anything else in the file.
//
// Text is code page 932; a file that starts with a UTF-8 byte order mark is
// read and extended as UTF-8 instead. Writing a name or value that code page
// 932 cannot hold exactly turns the file into such a UTF-8 file: each line
// that code page 932 decodes and encodes back to the same bytes is converted,
// any other line (written by someone else, in another encoding) is kept byte
// for byte rather than given a different meaning. Section and key names match without
// regard to ASCII case and surrounding blanks; values are read without
// surrounding blanks (spaces and tabs) and whole, whatever their length. A
// line is a section header "[name]", a comment starting with ";", a key line
// "name=value" or anything else, which is kept but never matches. When a
// section or key occurs more than once, the first one counts.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

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

// A file's lines with an index of its sections and keys: parsed once, any
// number of values found and set in time proportional to what changes, and
// written out once.
class IniDocument {
 public:
  explicit IniDocument(std::string_view content);

  // See FindIniValue and SetIniValue.
  std::optional<std::u16string> Find(std::u16string_view section, std::u16string_view key) const;
  void Set(std::u16string_view section, std::u16string_view key, std::u16string_view value);
  // Whether a header names the section (letter case ignored), even with no key under it.
  bool HasSection(std::u16string_view section) const;

  std::string Text() const;

 private:
  enum class LineKind { Blank, Comment, Section, Entry, Other };
  struct Line {
    std::string body;    // without its line ending
    std::string ending;  // CR LF, LF, CR, or empty for a last line without one
    LineKind kind = LineKind::Other;
    std::u16string name;     // section or key name, trimmed
    std::size_t equals = 0;  // byte offset of "=" in the body of an entry
  };
  // Lines from a section header up to the next one; the first part holds
  // the lines before the first header and is no section.
  struct Part {
    std::vector<Line> lines;
    std::unordered_map<std::u16string, std::size_t> keys;  // folded name -> first entry
  };

  bool IsUtf8() const { return !mark_.empty(); }
  std::u16string Decode(std::string_view bytes) const;
  std::string Encode(std::u16string_view text) const;
  void Classify(Line& line) const;
  void AddLine(Line line);
  void Reindex();
  void ConvertToUtf8();
  Line NewLine(std::string body) const;
  Line* LastLine();

  std::string mark_;
  std::vector<Part> parts_;
  std::unordered_map<std::u16string, std::size_t> sections_;  // folded name -> first part
};

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
