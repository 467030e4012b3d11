#include "common/ini_document.h"

#include <vector>

#include "common/cp932.h"
#include "common/utf8.h"

namespace qb {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kNewLine = "\r\n";
constexpr std::string_view kBlankBytes = " \t";

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string_view TrimBlanks(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char16_t FoldAscii(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

bool SameName(std::u16string_view a, std::u16string_view b) {
  a = TrimBlanks(a);
  b = TrimBlanks(b);
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

struct Line {
  std::string_view body;    // without its line ending
  std::string_view ending;  // CR LF, LF, CR, or empty for a last line without one
};

enum class LineKind { Blank, Comment, Section, Entry, Other };

struct LineInfo {
  LineKind kind = LineKind::Other;
  std::u16string name;     // section or key name, trimmed
  std::size_t equals = 0;  // byte offset of "=" in the body of an entry
};

// The file split into lines, with the text encoding the file uses. CR and LF
// are never trail bytes in code page 932, and "=", ";" and blanks never are
// either, so those can be found in the raw bytes.
class Document {
 public:
  explicit Document(std::string_view content) {
    if (content.starts_with(kUtf8Mark)) {
      mark_ = content.substr(0, kUtf8Mark.size());
      content.remove_prefix(kUtf8Mark.size());
    }
    std::size_t pos = 0;
    while (pos < content.size()) {
      const auto end = content.find_first_of("\r\n", pos);
      if (end == std::string_view::npos) {
        AddLine({content.substr(pos), {}});
        break;
      }
      const std::size_t endingSize = content[end] == '\r' && end + 1 < content.size() && content[end + 1] == '\n' ? 2 : 1;
      AddLine({content.substr(pos, end - pos), content.substr(end, endingSize)});
      pos = end + endingSize;
    }
  }

  std::u16string Decode(std::string_view bytes) const { return IsUtf8() ? FromUtf8(bytes) : cp932::Decode(bytes); }
  std::string Encode(std::u16string_view text) const { return IsUtf8() ? ToUtf8(text) : cp932::Encode(text); }

  std::string_view mark() const { return mark_; }
  const std::vector<Line>& lines() const { return lines_; }
  const std::vector<LineInfo>& infos() const { return infos_; }

  // Index of the first header of section; lines().size() when there is none.
  std::size_t FindSection(std::u16string_view section) const {
    for (std::size_t i = 0; i < infos_.size(); ++i) {
      if (infos_[i].kind == LineKind::Section && SameName(infos_[i].name, section)) return i;
    }
    return infos_.size();
  }

  // Index of the line after the section starting at header: the next header
  // or the end of the file.
  std::size_t SectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < infos_.size() && infos_[i].kind != LineKind::Section) ++i;
    return i;
  }

  // Index of the first entry for key between header and the section's end;
  // the section's end when there is none.
  std::size_t FindKey(std::size_t header, std::u16string_view key) const {
    const std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
      if (infos_[i].kind == LineKind::Entry && SameName(infos_[i].name, key)) return i;
    }
    return end;
  }

 private:
  bool IsUtf8() const { return !mark_.empty(); }

  void AddLine(Line line) {
    lines_.push_back(line);
    infos_.push_back(Classify(line.body));
  }

  LineInfo Classify(std::string_view body) const {
    const auto first = body.find_first_not_of(kBlankBytes);
    if (first == std::string_view::npos) return {LineKind::Blank, {}, 0};
    if (body[first] == ';') return {LineKind::Comment, {}, 0};
    if (body[first] == '[') {
      // "]" can be a trail byte in code page 932: look for it in the decoded text.
      const std::u16string text = Decode(body.substr(first + 1));
      const auto close = text.find(u']');
      if (close == std::u16string::npos) return {LineKind::Other, {}, 0};
      return {LineKind::Section, std::u16string(TrimBlanks(std::u16string_view(text).substr(0, close))), 0};
    }
    const auto equals = body.find('=');
    if (equals == std::string_view::npos) return {LineKind::Other, {}, 0};
    return {LineKind::Entry, std::u16string(TrimBlanks(Decode(body.substr(0, equals)))), equals};
  }

  std::string_view mark_;
  std::vector<Line> lines_;
  std::vector<LineInfo> infos_;
};

bool HasLineBreakOrNul(std::u16string_view text) {
  return text.find_first_of(std::u16string_view(u"\r\n\0", 3)) != std::u16string_view::npos;
}

// Appends lines [from, to) as they are; the last of them gets CR LF when it
// had no line ending and more text follows.
void AppendLines(std::string& out, const Document& doc, std::size_t from, std::size_t to, bool moreFollows) {
  for (std::size_t i = from; i < to; ++i) {
    const Line& line = doc.lines()[i];
    out.append(line.body);
    out.append(line.ending.empty() && moreFollows ? kNewLine : line.ending);
  }
}

// Whether code page 932 holds text exactly: no "?" for a missing character
// and no look-alike from a best-fit mapping.
bool FitsCodePage932(std::u16string_view text) { return cp932::Decode(cp932::Encode(text)) == text; }

// The same lines as UTF-8 behind a byte order mark.
std::string AsUtf8File(std::string_view content) {
  return std::string(kUtf8Mark) + ToUtf8(cp932::Decode(content));
}

}  // namespace

bool IsValidIniSection(std::u16string_view name) {
  return !TrimBlanks(name).empty() && !HasLineBreakOrNul(name) && name.find(u']') == std::u16string_view::npos;
}

bool IsValidIniKey(std::u16string_view name) {
  const auto trimmed = TrimBlanks(name);
  return !trimmed.empty() && !HasLineBreakOrNul(name) && name.find(u'=') == std::u16string_view::npos &&
         trimmed.front() != u'[' && trimmed.front() != u';';
}

std::u16string OneLineValue(std::u16string_view value) {
  const auto cut = value.find_first_of(std::u16string_view(u"\r\n\0", 3));
  return std::u16string(value.substr(0, cut));
}

std::optional<std::u16string> FindIniValue(std::string_view content, std::u16string_view section,
                                           std::u16string_view key) {
  const Document doc(content);
  const std::size_t header = doc.FindSection(section);
  if (header == doc.lines().size()) return std::nullopt;
  const std::size_t entry = doc.FindKey(header, key);
  if (entry == doc.SectionEnd(header)) return std::nullopt;
  const std::string_view body = doc.lines()[entry].body;
  return std::u16string(TrimBlanks(doc.Decode(body.substr(doc.infos()[entry].equals + 1))));
}

std::string SetIniValue(std::string_view content, std::u16string_view section, std::u16string_view key,
                        std::u16string_view value) {
  const std::u16string line = OneLineValue(value);
  if (!content.starts_with(kUtf8Mark) &&
      !(FitsCodePage932(line) && FitsCodePage932(TrimBlanks(key)) && FitsCodePage932(TrimBlanks(section)))) {
    // Storing a changed value would silently point at another folder or
    // picture; the file changes encoding instead, keeping every line's text.
    return SetIniValue(AsUtf8File(content), section, key, value);
  }
  const Document doc(content);
  const std::size_t count = doc.lines().size();
  const std::string encodedValue = doc.Encode(line);
  const std::string keyLine = doc.Encode(TrimBlanks(key)) + "=" + encodedValue;

  std::string out(doc.mark());
  out.reserve(content.size() + keyLine.size() + section.size() + 8);
  const std::size_t header = doc.FindSection(section);
  if (header == count) {
    AppendLines(out, doc, 0, count, true);
    out += "[" + doc.Encode(TrimBlanks(section)) + "]";
    out += kNewLine;
    out += keyLine;
    out += kNewLine;
    return out;
  }

  const std::size_t end = doc.SectionEnd(header);
  const std::size_t entry = doc.FindKey(header, key);
  if (entry != end) {
    // Keep the name as spelled in the file and the blanks after "=".
    const Line& line = doc.lines()[entry];
    const std::size_t equals = doc.infos()[entry].equals;
    const auto valueStart = line.body.find_first_not_of(kBlankBytes, equals + 1);
    const std::size_t prefix = valueStart == std::string_view::npos ? line.body.size() : valueStart;
    AppendLines(out, doc, 0, entry, false);
    out.append(line.body.substr(0, prefix));
    out += encodedValue;
    out.append(line.ending);
    AppendLines(out, doc, entry + 1, count, false);
    return out;
  }

  // After the section's last entry, so that blank lines and comments that
  // introduce the next section stay with it.
  std::size_t last = header;
  for (std::size_t i = header + 1; i < end; ++i) {
    const LineKind kind = doc.infos()[i].kind;
    if (kind == LineKind::Entry || kind == LineKind::Other) last = i;
  }
  AppendLines(out, doc, 0, last + 1, true);
  out += keyLine;
  out += kNewLine;
  AppendLines(out, doc, last + 1, count, false);
  return out;
}

}  // namespace qb
