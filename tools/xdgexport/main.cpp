// Writes the desktop integration files of an install: the launcher entries
// and type database packages (the very texts the programs write when they
// register themselves) and the thumbnailer entry, all pointing at the
// programs in BIN_FOLDER. Run at install time, when the prefix is known.
// Usage: qb_xdgexport BIN_FOLDER SHARE_FOLDER   (prints each file written)
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "common/file_type_definition.h"
#include "common/file_type_xdg_files.h"
#include "common/utf8.h"
#include "tools/qbbtool/thumbnailer_entry.h"

namespace {

namespace fs = std::filesystem;

bool Write(const fs::path& path, const std::string& content) {
  std::error_code error;
  fs::create_directories(path.parent_path(), error);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
  out.close();
  if (!out) {
    std::cerr << "qb_xdgexport: cannot write " << path.string() << "\n";
    return false;
  }
  std::cout << path.string() << "\n";
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || !fs::path(argv[1]).is_absolute()) {
    std::cerr << "Usage: qb_xdgexport BIN_FOLDER SHARE_FOLDER   (BIN_FOLDER absolute)\n";
    return 1;
  }
  const fs::path bin = fs::path(argv[1]).lexically_normal();
  const fs::path share(argv[2]);
  bool ok = true;
  for (const qb::FileTypeDefinition* type : {&qb::BookFileType(), &qb::DataFileType()}) {
    ok = Write(share / "applications" / qb::ToPath(type->handler.desktopEntryName + u".desktop"),
               qb::DesktopEntryText(*type, qb::FromPath(bin))) &&
         ok;
    ok = Write(share / "mime" / "packages" / qb::ToPath(type->packageName + u".xml"), qb::MimePackageXml(*type)) && ok;
  }
  ok = Write(share / "thumbnailers" / qbbtool::kThumbnailerFileName,
             qbbtool::ThumbnailerEntryText((bin / "qbbtool").string())) &&
       ok;
  return ok ? 0 : 1;
}
