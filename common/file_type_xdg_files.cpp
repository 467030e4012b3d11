#include "common/file_type_xdg_files.h"

#include "common/path_helpers.h"
#include "common/utf8.h"

namespace qb {
namespace {

// Text for XML character data and attribute values.
std::string XmlEscaped(std::string_view utf8) {
  std::string out;
  for (const char c : utf8) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string XmlEscaped(std::u16string_view text) { return XmlEscaped(std::string_view(ToUtf8(text))); }

std::string Line(std::string_view key, std::u16string_view value) {
  return std::string(key) + "=" + EscapeDesktopString(ToUtf8(value)) + "\n";
}

}  // namespace

std::string MimePackageXml(const FileTypeDefinition& type) {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
  xml += "  <mime-type type=\"" + XmlEscaped(type.mimeType) + "\">\n";
  xml += "    <comment>" + XmlEscaped(type.englishDescription) + "</comment>\n";
  xml += "    <comment xml:lang=\"ja\">" + XmlEscaped(type.description) + "</comment>\n";
  if (!type.parentMimeType.empty()) xml += "    <sub-class-of type=\"" + XmlEscaped(type.parentMimeType) + "\"/>\n";
  if (!type.magic.empty()) {
    xml += "    <magic priority=\"50\">\n";
    xml += "      <match type=\"string\" offset=\"0\" value=\"" + XmlEscaped(type.magic) + "\"/>\n";
    xml += "    </magic>\n";
  }
  xml += "    <glob pattern=\"*" + XmlEscaped(type.extension) + "\"/>\n";
  xml += "  </mime-type>\n</mime-info>\n";
  return xml;
}

std::string DesktopEntryText(const FileTypeDefinition& type, std::u16string_view programFolder) {
  const FileTypeHandler& handler = type.handler;
  const std::u16string program = AddPathSeparator(programFolder) + handler.programName;
  std::string text = "[Desktop Entry]\nType=Application\nVersion=1.0\n";
  text += Line("Name", handler.name);
  text += Line("Name[ja]", handler.nameJa);
  text += Line("Comment", handler.comment);
  text += Line("Comment[ja]", handler.commentJa);
  text += Line("Icon", handler.iconName);
  // Hides the entry once the program is gone instead of offering a dead command.
  text += Line("TryExec", program);
  text += "Exec=" + EscapeDesktopString(QuoteExecArgument(ToUtf8(program)) + " %f") + "\n";
  text += "Terminal=false\n";
  text += Line("MimeType", type.mimeType + u";");
  text += Line("Categories", handler.categories);
  return text;
}

std::string QuoteExecArgument(std::string_view argument) {
  constexpr std::string_view reserved = " \t\n\"'\\><~|&;$*?#()`";
  const bool quote = argument.empty() || argument.find_first_of(reserved) != std::string_view::npos;
  std::string out;
  if (quote) out += '"';
  for (const char c : argument) {
    if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) out += '\\';
    if (c == '%') out += '%';
    out += c;
  }
  if (quote) out += '"';
  return out;
}

std::string EscapeDesktopString(std::string_view value) {
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      case ' ': out += i == 0 ? "\\s" : " "; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace qb
