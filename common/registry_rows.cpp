#include "common/registry_rows.h"

namespace qb {
namespace {

std::u16string WithBackslash(std::u16string_view folder) {
  std::u16string out(folder);
  if (out.empty() || out.back() != u'\\') out += u'\\';
  return out;
}

}  // namespace

std::vector<RegistryRow> RegistryRowsFor(const FileTypeDefinition& type, std::u16string_view windowsProgramFolder) {
  const std::u16string program = WithBackslash(windowsProgramFolder) + type.handler.programName + u".exe";
  // The program path stays unquoted, the file argument is quoted.
  return {
      {type.className, type.description},
      {type.className + u"\\DefaultIcon", program + u",0"},
      {type.className + u"\\Shell\\open\\command", program + u" \"%1\""},
      {type.extension, type.className},
  };
}

}  // namespace qb
