#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <filesystem>
#include <iostream>
#include <optional>

#include "book/book_reader.h"
#include "common/file_replacement.h"
#include "common/path_helpers.h"
#include "common/regular_file.h"
#include "common/utf8.h"
#include "tools/qbbtool/book_refusal.h"
#include "tools/qbbtool/command_line.h"
#include "tools/qbbtool/commands.h"
#include "tools/qbbtool/reader_folder.h"
#include "tools/qbbtool/staging_folder.h"

namespace qbbtool {
namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage =
    "Usage: qbbtool publish [--force] BOOK DIR\n"
    "Writes into DIR the web reader with a copy of the book: index.html, which opens the\n"
    "book, the reader's scripts and WebAssembly, and the book under its own file name.\n"
    "Any static web host serves DIR as it is; every modern browser reads the book there,\n"
    "drawn as Quilly draws it, and fetches only the pages it shows.\n"
    "The book is checked first, every page record included. DIR is created if needed; one\n"
    "that holds files is refused unless --force is given, which replaces files of the same\n"
    "names and leaves the others alone. Nothing appears in DIR unless every file was written.\n"
    "Exit status: 0 written; 2 not a book; 3 header check failed; 4 damaged file or page;\n"
    "6 the files could not be written, or the web reader is not installed; 9 DIR holds files\n"
    "or is not a folder; 1 wrong arguments.\n";

int Fail(int status, const std::string& message) {
  std::cerr << "qbbtool publish: " << message << "\n";
  return status;
}

// The reader's largest file, its WebAssembly, is well below this.
constexpr std::uint64_t kMaxReaderFileBytes = 64 << 20;

// Copies the file at path into fd a piece at a time: a book may be larger
// than the memory at hand.
bool CopyInto(const fs::path& path, int fd) {
  const int in = qb::OpenRegularFile(path, O_RDONLY);
  if (in < 0) return false;
  std::array<char, 1 << 16> buffer;
  bool ok = true;
  for (;;) {
    const ssize_t n = ::read(in, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    if (!qb::WriteFully(fd, std::string_view(buffer.data(), static_cast<std::size_t>(n)))) {
      ok = false;
      break;
    }
  }
  ::close(in);
  return ok;
}

}  // namespace

int RunPublish(const Args& args, const fs::path& readerFolder) {
  const CommandLine line = ParseCommandLine(args, {}, {"--force"});
  if (line.help) {
    std::cout << kUsage;
    return kExitOk;
  }
  if (!line.error.empty() || line.positional.size() != 2 || line.positional[1].empty()) {
    std::cerr << "qbbtool publish: " << (line.error.empty() ? "expected BOOK and DIR" : line.error) << "\n" << kUsage;
    return kExitUsage;
  }
  const std::string& path = line.positional[0];
  const std::u16string bookPath = qb::FromUtf8(path);
  // The header check also checks every page record, so no damaged book is
  // published.
  qb::BookRecord book;
  if (const qb::BookStatus status = qb::ReadBookHeader(bookPath, book); status != qb::kBookSound) {
    const Refusal refusal = RefuseBook(status, path);
    return Fail(refusal.exitStatus, refusal.message);
  }
  if (readerFolder.empty()) {
    return Fail(kExitCannotWrite,
                "the web reader's files are not installed (build with emscripten, or install the "
                "package that holds /usr/share/quillberry/web)");
  }
  std::error_code error;
  std::vector<fs::path> readerFiles;
  for (const fs::directory_entry& entry : fs::directory_iterator(readerFolder, error)) {
    if (entry.is_regular_file(error)) readerFiles.push_back(entry.path());
  }
  if (error) return Fail(kExitCannotWrite, "cannot list the web reader's files in " + readerFolder.string());
  const std::string bookName = qb::ToPath(bookPath).filename().string();
  for (const fs::path& file : readerFiles) {
    if (file.filename() == bookName)
      return Fail(kExitUsage, "the book's name " + bookName + " is a name of the reader's files; rename the book");
  }

  const fs::path folder = fs::absolute(qb::ToPath(qb::FromUtf8(line.positional[1])), error).lexically_normal();
  if (error) return Fail(kExitUsage, "the current folder cannot be read; give DIR as an absolute path");
  if (fs::exists(folder, error) && !fs::is_directory(folder, error)) {
    return Fail(kExitFolderInUse, line.positional[1] + " exists and is not a folder");
  }
  if (fs::is_directory(folder, error) && !fs::is_empty(folder, error) && !line.Switch("--force")) {
    return Fail(kExitFolderInUse, line.positional[1] +
                                      " already holds files; choose an empty or new folder, or give --force to "
                                      "replace files of the same names");
  }

  std::string why;
  StagingFolder staging(folder.filename().empty() ? folder.parent_path() : folder);
  if (!staging.ok()) return Fail(kExitCannotWrite, "cannot create a folder beside " + folder.string());
  for (const fs::path& file : readerFiles) {
    std::optional<std::string> read = qb::ReadRegularFile(file, kMaxReaderFileBytes, &why);
    if (!read) return Fail(kExitCannotWrite, "cannot read the web reader's " + file.string() + ": " + why);
    std::string content = std::move(*read);
    const std::string name = file.filename().string();
    if (name == "index.html") {
      content = PageForBook(content, bookName);
      if (content.empty()) return Fail(kExitCannotWrite, file.string() + " is not the web reader's page");
    }
    if (!staging.Write(name, content, &why)) return Fail(kExitCannotWrite, why);
  }
  if (!staging.Write(
          bookName, [&](int fd) { return CopyInto(qb::ToPath(bookPath), fd); }, &why)) {
    return Fail(kExitCannotWrite, why);
  }
  if (!staging.Publish()) return Fail(kExitCannotWrite, "cannot move the files into " + folder.string());
  return kExitOk;
}

int RunPublish(const Args& args) { return RunPublish(args, FindReaderFolder(qb::ToPath(qb::ProgramFolder()))); }

}  // namespace qbbtool
