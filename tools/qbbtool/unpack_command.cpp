#include <cstdint>
#include <filesystem>
#include <iostream>

#include "book/book_reader.h"
#include "common/utf8.h"
#include "editor/book_export.h"
#include "editor/definition_file.h"
#include "editor/editor_fields.h"
#include "tools/qbbtool/book_refusal.h"
#include "tools/qbbtool/command_line.h"
#include "tools/qbbtool/commands.h"
#include "tools/qbbtool/page_picture.h"
#include "tools/qbbtool/repeated_pages_limit.h"
#include "tools/qbbtool/staging_folder.h"
#include "tools/qbbtool/unpack_names.h"

namespace qbbtool {
namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage =
    "Usage: qbbtool unpack [--force] BOOK DIR\n"
    "Writes every page of the book into DIR as a lossless BMP picture (page001.bmp, ...)\n"
    "and a QuillyEd definition file DIR/NAME.qbd (NAME being the book's file name without\n"
    "its extension) holding the book's fields, its password included, and the pictures'\n"
    "absolute paths. QuillyEd opens it, and 'qbbtool build DIR/NAME.qbd' binds the same\n"
    "book again. DIR is created if needed; one that holds files is refused unless --force\n"
    "is given, which replaces files of the same names and keeps the others. The new set\n"
    "is made in a hidden folder beside DIR that takes DIR's place (and permissions) in\n"
    "one step once every page was written: DIR holds the old set or the new one, never a\n"
    "mixture, even when the command is killed. A book whose pictures would take more\n"
    "than 4 times its size plus 64 MiB (repeated pages) is refused.\n"
    "Exit status: 0 written; 2 not a book; 3 header check failed; 4 damaged file or page,\n"
    "or a book made to fill the disk; 6 the pictures or the definition file could not be\n"
    "written; 9 DIR holds files or is not a folder; 1 wrong arguments.\n";

int Fail(int status, const std::string& message) {
  std::cerr << "qbbtool unpack: " << message << "\n";
  return status;
}

}  // namespace

int RunUnpack(const Args& args) {
  const CommandLine line = ParseCommandLine(args, {}, {"--force"});
  if (line.help) {
    std::cout << kUsage;
    return kExitOk;
  }
  if (!line.error.empty() || line.positional.size() != 2 || line.positional[1].empty()) {
    std::cerr << "qbbtool unpack: " << (line.error.empty() ? "expected BOOK and DIR" : line.error) << "\n" << kUsage;
    return kExitUsage;
  }
  const std::string& path = line.positional[0];
  const std::u16string bookPath = qb::FromUtf8(path);
  std::error_code error;
  // The definition names the pictures by absolute paths, so it stays valid
  // wherever it is opened from.
  const fs::path folder = fs::absolute(qb::ToPath(qb::FromUtf8(line.positional[1])), error).lexically_normal();
  if (error) return Fail(kExitUsage, "the current folder cannot be read; give DIR as an absolute path");

  qb::BookRecord book;
  if (const qb::BookStatus status = qb::ReadBookHeader(bookPath, book); status != qb::kBookSound) {
    const Refusal refusal = RefuseBook(status, path);
    return Fail(refusal.exitStatus, refusal.message);
  }
  if (fs::exists(folder, error) && !fs::is_directory(folder, error)) {
    return Fail(kExitFolderInUse, line.positional[1] + " exists and is not a folder");
  }
  if (fs::is_directory(folder, error) && !fs::is_empty(folder, error) && !line.Switch("--force")) {
    return Fail(kExitFolderInUse, line.positional[1] +
                                      " already holds files; choose an empty or new folder, or give --force to "
                                      "replace files of the same names");
  }

  if (const std::string refusal = RepeatedPagesRefusal(bookPath, book); !refusal.empty()) {
    return Fail(kExitDamaged, refusal);
  }

  const fs::path folderName = folder.filename().empty() ? folder.parent_path() : folder;
  StagingFolder staging(folderName);
  if (!staging.ok()) return Fail(kExitCannotWrite, staging.error());
  std::vector<std::u16string> images;
  std::string why;
  for (int i = 1; i <= book.PageCount; ++i) {
    qb::PageImage page;
    const std::string number = std::to_string(i);
    if (qb::ReadPageImage(bookPath, page, book.PageTable[static_cast<std::size_t>(i - 1)]) != qb::kBookSound) {
      return Fail(kExitDamaged, "page " + number + " of " + path + " cannot be read; the file is damaged");
    }
    // Sharing the page's pixels and writing straight into the file, a page
    // costs its pixel array once.
    const QImage picture = PageAsPicture(page);
    if (picture.isNull()) return Fail(kExitDamaged, "page " + number + " of " + path + " holds no picture");
    const std::string name = PagePictureName(i, book.PageCount);
    if (!staging.Write(
            name, [&picture](int fd) { return WritePicture(fd, picture, "BMP"); }, &why)) {
      return Fail(kExitCannotWrite, "cannot write page " + number + " into " + folderName.string() + " (" + why + ")");
    }
    images.push_back(qb::FromPath(folderName / name));
  }
  const fs::path definition = qb::ToPath(qb::FromPath(qb::ToPath(bookPath).stem()) + u".qbd");
  // Only the definition is written: unpacking someone's book must not make
  // its author the Editor's remembered author, as saving in the Editor does.
  const std::string definitionText = qb::editor::DefinitionFileText({}, book, images);
  if (!staging.Write(definition.string(), definitionText, &why)) {
    return Fail(kExitCannotWrite, "cannot write the definition file into " + folderName.string() + " (" + why + ")");
  }
  // What a rebuild would bind: the definition as the Editor loads it.
  const qb::BookRecord rebuilt = qb::editor::RecordFromFields(
      qb::editor::FieldsFromBook(qb::editor::ParseDefinition(definitionText).book), images.size());
  if (!staging.Publish()) return Fail(kExitCannotWrite, "cannot move the pictures into " + folderName.string());
  std::vector<std::string> notes = RebuildNotes(book);
  for (std::string& note : FreeTextNotes(book, rebuilt)) notes.push_back(std::move(note));
  for (const std::string& note : notes) std::cerr << "qbbtool unpack: note: " << note << "\n";
  return kExitOk;
}

}  // namespace qbbtool
