#include "common/ini_document.h"

#include "common/cp932.h"
#include "common/cp932_losses.h"
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

// The form under which a name is looked up: trimmed, ASCII letters folded.
std::u16string Folded(std::u16string_view name) {
  std::u16string out(TrimBlanks(name));
  for (char16_t& c : out) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  return out;
}

bool HasLineBreakOrNul(std::u16string_view text) {
  return text.find_first_of(std::u16string_view(u"\r\n\0", 3)) != std::u16string_view::npos;
}

// Whether bytes are code page 932 that the codec reads and writes back unchanged.
bool IsCleanCodePage932(std::string_view bytes) { return cp932::Encode(cp932::Decode(bytes)) == bytes; }

}  // namespace

// CR and LF are never trail bytes in code page 932, and "=", ";" and blanks
// never are either, so those can be found in the raw bytes.
IniDocument::IniDocument(std::string_view content) {
  if (content.starts_with(kUtf8Mark)) {
    mark_ = kUtf8Mark;
    content.remove_prefix(kUtf8Mark.size());
  }
  parts_.emplace_back();
  std::size_t pos = 0;
  while (pos < content.size()) {
    const auto end = content.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) {
      AddLine(NewLine(std::string(content.substr(pos))));
      break;
    }
    const std::size_t endingSize = content[end] == '\r' && end + 1 < content.size() && content[end + 1] == '\n' ? 2 : 1;
    Line line = NewLine(std::string(content.substr(pos, end - pos)));
    line.ending = content.substr(end, endingSize);
    AddLine(std::move(line));
    pos = end + endingSize;
  }
}

std::u16string IniDocument::Decode(std::string_view bytes) const {
  return IsUtf8() ? FromUtf8(bytes) : cp932::Decode(bytes);
}

std::string IniDocument::Encode(std::u16string_view text) const {
  return IsUtf8() ? ToUtf8(text) : cp932::Encode(text);
}

void IniDocument::Classify(Line& line) const {
  const std::string_view body = line.body;
  line.kind = LineKind::Other;
  line.name.clear();
  line.equals = 0;
  const auto first = body.find_first_not_of(kBlankBytes);
  if (first == std::string_view::npos) {
    line.kind = LineKind::Blank;
  } else if (body[first] == ';') {
    line.kind = LineKind::Comment;
  } else if (body[first] == '[') {
    // "]" can be a trail byte in code page 932: look for it in the decoded text.
    const std::u16string text = Decode(body.substr(first + 1));
    const auto close = text.find(u']');
    if (close != std::u16string::npos) {
      line.kind = LineKind::Section;
      line.name = TrimBlanks(std::u16string_view(text).substr(0, close));
    }
  } else if (const auto equals = body.find('='); equals != std::string_view::npos) {
    line.kind = LineKind::Entry;
    line.name = TrimBlanks(Decode(body.substr(0, equals)));
    line.equals = equals;
  }
}

IniDocument::Line IniDocument::NewLine(std::string body) const {
  Line line;
  line.body = std::move(body);
  Classify(line);
  return line;
}

void IniDocument::AddLine(Line line) {
  if (line.kind == LineKind::Section) {
    sections_.try_emplace(Folded(line.name), parts_.size());
    parts_.emplace_back();
  } else if (line.kind == LineKind::Entry && parts_.size() > 1) {
    parts_.back().keys.try_emplace(Folded(line.name), parts_.back().lines.size());
  }
  parts_.back().lines.push_back(std::move(line));
}

void IniDocument::Reindex() {
  std::vector<Part> parts = std::move(parts_);
  parts_.clear();
  sections_.clear();
  parts_.emplace_back();
  for (Part& part : parts) {
    for (Line& line : part.lines) {
      Classify(line);
      AddLine(std::move(line));
    }
  }
}

void IniDocument::ConvertToUtf8() {
  for (Part& part : parts_) {
    for (Line& line : part.lines) {
      if (IsCleanCodePage932(line.body)) line.body = ToUtf8(cp932::Decode(line.body));
    }
  }
  mark_ = kUtf8Mark;
  Reindex();
}

IniDocument::Line* IniDocument::LastLine() {
  for (auto part = parts_.rbegin(); part != parts_.rend(); ++part) {
    if (!part->lines.empty()) return &part->lines.back();
  }
  return nullptr;
}

std::optional<std::u16string> IniDocument::Find(std::u16string_view section, std::u16string_view key) const {
  const auto found = sections_.find(Folded(section));
  if (found == sections_.end()) return std::nullopt;
  const Part& part = parts_[found->second];
  const auto entry = part.keys.find(Folded(key));
  if (entry == part.keys.end()) return std::nullopt;
  const Line& line = part.lines[entry->second];
  return std::u16string(TrimBlanks(Decode(std::string_view(line.body).substr(line.equals + 1))));
}

bool IniDocument::HasSection(std::u16string_view section) const { return sections_.contains(Folded(section)); }

void IniDocument::Set(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
  const std::u16string oneLine = OneLineValue(value);
  using cp932::HoldsExactly;
  if (!IsUtf8() && !(HoldsExactly(oneLine) && HoldsExactly(TrimBlanks(key)) && HoldsExactly(TrimBlanks(section)))) {
    // Storing a changed value would silently point at another folder or
    // picture; the file changes encoding instead, keeping every line's text.
    ConvertToUtf8();
  }
  const std::string encodedValue = Encode(oneLine);
  const auto found = sections_.find(Folded(section));
  if (found == sections_.end()) {
    if (Line* last = LastLine(); last != nullptr && last->ending.empty()) last->ending = kNewLine;
    Line header = NewLine("[" + Encode(TrimBlanks(section)) + "]");
    header.ending = kNewLine;
    AddLine(std::move(header));
    Line entry = NewLine(Encode(TrimBlanks(key)) + "=" + encodedValue);
    entry.ending = kNewLine;
    AddLine(std::move(entry));
    return;
  }

  Part& part = parts_[found->second];
  if (const auto entry = part.keys.find(Folded(key)); entry != part.keys.end()) {
    // The name keeps its spelling in the file. The blanks after "=" are kept
    // as layout only before a value that does not start with blanks itself,
    // and never when the old value was nothing but blanks: rewriting a key
    // must give what writing it the first time gives, every time.
    Line& line = part.lines[entry->second];
    std::size_t prefix = line.equals + 1;
    const auto valueStart = line.body.find_first_not_of(kBlankBytes, prefix);
    if (valueStart != std::string::npos && !oneLine.empty() && !IsBlank(oneLine.front())) prefix = valueStart;
    line.body = line.body.substr(0, prefix) + encodedValue;
    return;
  }

  // After the section's last entry, so that blank lines and comments that
  // introduce the next section stay with it.
  std::size_t last = 0;
  for (std::size_t i = part.lines.size(); i-- > 1;) {
    const LineKind kind = part.lines[i].kind;
    if (kind == LineKind::Entry || kind == LineKind::Other) {
      last = i;
      break;
    }
  }
  if (part.lines[last].ending.empty()) part.lines[last].ending = kNewLine;
  Line entry = NewLine(Encode(TrimBlanks(key)) + "=" + encodedValue);
  entry.ending = kNewLine;
  part.keys.emplace(Folded(key), last + 1);
  part.lines.insert(part.lines.begin() + static_cast<std::ptrdiff_t>(last + 1), std::move(entry));
}

std::string IniDocument::Text() const {
  std::size_t size = mark_.size();
  for (const Part& part : parts_) {
    for (const Line& line : part.lines) size += line.body.size() + line.ending.size();
  }
  std::string out;
  out.reserve(size);
  out += mark_;
  for (const Part& part : parts_) {
    for (const Line& line : part.lines) {
      out += line.body;
      out += line.ending;
    }
  }
  return out;
}

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
  return IniDocument(content).Find(section, key);
}

std::string SetIniValue(std::string_view content, std::u16string_view section, std::u16string_view key,
                        std::u16string_view value) {
  IniDocument document(content);
  document.Set(section, key, value);
  return document.Text();
}

}  // namespace qb
