#include "tools/qbbtool/thumbnailer_entry.h"

#include "common/file_type_definition.h"
#include "common/file_type_xdg_files.h"
#include "common/utf8.h"

namespace qbbtool {

std::string ThumbnailerEntryText(std::string_view qbbtoolPath) {
  const std::string program = qb::QuoteExecArgument(qbbtoolPath);
  return "[Thumbnailer Entry]\n"
         "TryExec=" +
         qb::EscapeDesktopString(qbbtoolPath) + "\n" +
         "Exec=" + qb::EscapeDesktopString(program + " thumbnail -s %s %i %o") + "\n" +
         "MimeType=" + qb::ToUtf8(qb::BookFileType().mimeType) + ";\n";
}

}  // namespace qbbtool
