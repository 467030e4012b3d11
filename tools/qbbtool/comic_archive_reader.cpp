#include "tools/qbbtool/comic_archive_reader.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <locale.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "common/cp932.h"
#include "common/file_replacement.h"
#include "common/utf8.h"
#include "tools/qbbtool/archive_entry_rules.h"

namespace qbbtool {
namespace {

// libarchive's reason in brackets, when it gives one.
std::string ArchiveError(archive* a) {
  const char* text = archive_error_string(a);
  return text != nullptr ? std::string(" (") + text + ")" : std::string();
}

// ZIP names are UTF-8 when the archiver says so; older archivers on Japanese
// Windows wrote code page 932 without saying anything.
std::string EntryName(archive_entry* entry) {
  if (const char* utf8 = archive_entry_pathname_utf8(entry)) return utf8;
  const char* raw = archive_entry_pathname(entry);
  return raw != nullptr ? qb::ToUtf8(qb::cp932::Decode(raw)) : std::string();
}

// libarchive turns entry names into the current locale's encoding, and
// under the C locale a UTF-8 name does not survive that: this thread works
// in UTF-8 while libarchive reads.
class Utf8Locale {
 public:
  Utf8Locale() : utf8_(newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0))) {
    if (utf8_ != static_cast<locale_t>(0)) previous_ = uselocale(utf8_);
  }
  ~Utf8Locale() {
    if (utf8_ == static_cast<locale_t>(0)) return;
    uselocale(previous_);
    freelocale(utf8_);
  }
  Utf8Locale(const Utf8Locale&) = delete;
  Utf8Locale& operator=(const Utf8Locale&) = delete;

 private:
  locale_t utf8_;
  locale_t previous_ = static_cast<locale_t>(0);
};

std::string MiB(std::int64_t bytes) { return std::to_string(bytes >> 20) + " MiB"; }

std::uint32_t Le(const std::string& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int k = size - 1; k >= 0; --k) value = value << 8 | static_cast<unsigned char>(bytes[at + k]);
  return value;
}

// The name of entry index as the archive's central directory stores it, for
// a name libarchive cannot hand over (marked as UTF-8 but not UTF-8); empty
// when the directory cannot be read there. The directory lists the entries
// in the order they are stored, as every archiver writes it.
std::string StoredEntryName(const std::string& path, std::int64_t index) {
  std::ifstream file(path, std::ios::binary);
  file.seekg(0, std::ios::end);
  const std::int64_t size = file.tellg();
  // The end record (22 bytes) follows the directory, before a comment of at
  // most 65,535 bytes.
  const std::int64_t tailSize = std::min<std::int64_t>(size, 22 + 65535);
  std::string tail(static_cast<std::size_t>(std::max<std::int64_t>(tailSize, 0)), '\0');
  file.seekg(size - tailSize);
  if (!file.read(tail.data(), tailSize)) return {};
  const std::size_t end = tail.rfind(std::string("PK\x05\x06", 4));
  if (end == std::string::npos || end + 22 > tail.size()) return {};
  const std::uint32_t directorySize = Le(tail, end + 12, 4);
  const std::uint32_t directoryOffset = Le(tail, end + 16, 4);
  if (std::int64_t{directoryOffset} + directorySize > size) return {};
  std::string directory(directorySize, '\0');
  file.seekg(directoryOffset);
  if (!file.read(directory.data(), directorySize)) return {};
  std::size_t at = 0;
  for (std::int64_t entry = 0; at + 46 <= directory.size() && Le(directory, at, 4) == 0x02014b50; ++entry) {
    const std::size_t nameLength = Le(directory, at + 28, 2);
    if (at + 46 + nameLength > directory.size()) return {};
    if (entry == index) return directory.substr(at + 46, nameLength);
    at += 46 + nameLength + Le(directory, at + 30, 2) + Le(directory, at + 32, 2);
  }
  return {};
}

}  // namespace

void ComicArchiveReader::Free::operator()(archive* a) const { archive_read_free(a); }

ComicArchiveReader::ComicArchiveReader(std::string path, const std::vector<ArchiveEntry>& pages)
    : path_(std::move(path)) {
  for (const ArchiveEntry& page : pages) pending_.emplace(page.index, page);
}

ComicArchiveReader::~ComicArchiveReader() {
  if (stagingFd_ >= 0) ::close(stagingFd_);
}

bool ComicArchiveReader::Reopen(std::string* why) {
  archive_.reset(archive_read_new());
  next_ = 0;
  if (!archive_) {
    *why = "out of memory";
    return false;
  }
  // ZIP only: a CBZ is a ZIP, and every other reader libarchive has is more
  // surface for a hostile file.
  archive_read_support_format_zip(archive_.get());
  if (archive_read_open_filename(archive_.get(), path_.c_str(), 64 * 1024) != ARCHIVE_OK) {
    *why = "the archive cannot be read" + ArchiveError(archive_.get());
    archive_.reset();
    return false;
  }
  return true;
}

bool ComicArchiveReader::Read(const ArchiveEntry& wanted, std::int64_t limit, QByteArray& data, std::string* why) {
  if (staged_.count(wanted.index) != 0) return ReadStaged(wanted.index, data, why);
  pending_.erase(wanted.index);
  const Utf8Locale utf8;
  if ((!archive_ || next_ > wanted.index) && !Reopen(why)) return false;
  archive_entry* entry = nullptr;
  while (next_ <= wanted.index) {
    if (archive_read_next_header(archive_.get(), &entry) < ARCHIVE_WARN) {
      *why = "the archive is damaged" + ArchiveError(archive_.get());
      archive_.reset();
      return false;
    }
    const std::int64_t index = next_++;
    if (index == wanted.index) break;
    const auto passed = pending_.find(index);
    if (passed == pending_.end()) continue;
    const ArchiveEntry page = passed->second;
    pending_.erase(passed);
    if (EntryName(entry) != page.name) {
      *why = "the archive changed while it was read";
      archive_.reset();
      return false;
    }
    if (!Stage(page, why)) {
      archive_.reset();
      return false;
    }
  }
  if (entry == nullptr || EntryName(entry) != wanted.name) {
    *why = "the archive changed while it was read";
    archive_.reset();
    return false;
  }
  return ReadData(wanted, limit, data, why);
}

bool ComicArchiveReader::ReadData(const ArchiveEntry& wanted, std::int64_t limit, QByteArray& data, std::string* why) {
  const std::int64_t most = wanted.size >= 0 ? std::min(wanted.size, limit) : limit;
  data.clear();
  data.reserve(static_cast<qsizetype>(most));
  char chunk[64 * 1024];
  for (;;) {
    const la_ssize_t n = archive_read_data(archive_.get(), chunk, sizeof chunk);
    if (n == 0) break;
    if (n < 0) {
      *why = "the entry is damaged" + ArchiveError(archive_.get());
      archive_.reset();
      return false;
    }
    if (data.size() + n > most) {
      *why = wanted.size >= 0 && data.size() + n > wanted.size
                 ? "the entry unpacks to more than the " + std::to_string(wanted.size) + " bytes it claims"
                 : "the entry unpacks to more than " + MiB(limit);
      data.clear();
      archive_.reset();
      return false;
    }
    data.append(chunk, static_cast<qsizetype>(n));
  }
  return true;
}

// A page passed on the way to another goes to the staging file, so going
// back for it costs no second pass over the archive.
bool ComicArchiveReader::Stage(const ArchiveEntry& page, std::string* why) {
  QByteArray data;
  std::string reason;
  if (!ReadData(page, kMaxArchiveEntryBytes, data, &reason)) {
    *why = "\"" + page.name + "\" cannot be read on the way: " + reason;
    return false;
  }
  if (stagingFd_ < 0) {
    std::error_code error;
    std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    if (error) folder = "/tmp";
    std::string pattern = (folder / "qbbtool-pages-XXXXXX").string();
    stagingFd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (stagingFd_ >= 0) ::unlink(pattern.c_str());
  }
  // From the end of what was kept, whatever a failed write left behind it.
  if (stagingFd_ < 0 || ::lseek(stagingFd_, static_cast<off_t>(stagingEnd_), SEEK_SET) < 0 ||
      !qb::WriteFully(stagingFd_, std::string_view(data.constData(), data.size()))) {
    *why = std::string("the pages passed on the way cannot be kept in the temporary folder (") + std::strerror(errno) +
           ")";
    return false;
  }
  staged_.emplace(page.index, Staged{stagingEnd_, data.size()});
  stagingEnd_ += data.size();
  return true;
}

bool ComicArchiveReader::ReadStaged(std::int64_t index, QByteArray& data, std::string* why) {
  const auto staged = staged_.find(index);
  const Staged at = staged->second;
  staged_.erase(staged);
  data.resize(at.size);
  qsizetype done = 0;
  while (done < at.size) {
    const ssize_t n = ::pread(stagingFd_, data.data() + done, static_cast<std::size_t>(at.size - done),
                              static_cast<off_t>(at.offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      *why = std::string("the page kept in the temporary folder cannot be read back (") +
             (n < 0 ? std::strerror(errno) : "it was cut short") + ")";
      data.clear();
      return false;
    }
    done += n;
  }
  return true;
}

ArchiveListing ListComicArchive(const std::string& path) {
  const Utf8Locale utf8;
  ArchiveListing listing;
  std::unique_ptr<archive, decltype(&archive_read_free)> a(archive_read_new(), archive_read_free);
  archive_read_support_format_zip(a.get());
  if (archive_read_open_filename(a.get(), path.c_str(), 64 * 1024) != ARCHIVE_OK) {
    listing.error = "cannot be read" + ArchiveError(a.get());
    return listing;
  }
  std::int64_t pictureBytes = 0;
  archive_entry* entry = nullptr;
  for (std::int64_t index = 0;; ++index) {
    const int status = archive_read_next_header(a.get(), &entry);
    if (status == ARCHIVE_EOF) break;
    if (status < ARCHIVE_WARN) {
      listing.error = "is damaged or not a ZIP archive" + ArchiveError(a.get());
      return listing;
    }
    if (index >= kMaxArchiveEntries) {
      listing.error =
          "holds more than " + std::to_string(kMaxArchiveEntries) + " entries; a comic never needs that many";
      return listing;
    }
    ArchiveEntry item{index, EntryName(entry), archive_entry_size_is_set(entry) ? archive_entry_size(entry) : -1};
    if (item.name.empty() && status == ARCHIVE_WARN) {
      const std::string stored = StoredEntryName(path, index);
      listing.error = "holds an entry named \"" + (stored.empty() ? "?" : ShowableName(stored)) +
                      "\", which is marked as UTF-8 but is not; qbbtool reads no names it cannot show";
      return listing;
    }
    if (IsUnsafeEntryPath(item.name)) {
      listing.error = "holds an entry named \"" + item.name + "\" that points outside the archive's folder";
      return listing;
    }
    if (archive_entry_filetype(entry) == AE_IFDIR) continue;
    const bool picture = archive_entry_filetype(entry) == AE_IFREG && IsPagePictureEntry(item.name);
    const bool comicInfo = archive_entry_filetype(entry) == AE_IFREG && IsComicInfoEntry(item.name);
    if (!picture && !comicInfo) {
      listing.skipped.push_back(item.name);
      continue;
    }
    if (archive_entry_is_encrypted(entry)) {
      listing.error = "holds \"" + item.name + "\" encrypted; qbbtool reads no encrypted archives";
      return listing;
    }
    const std::int64_t limit = picture ? kMaxArchiveEntryBytes : kMaxComicInfoBytes;
    if (item.size > limit) {
      listing.error = "holds \"" + item.name + "\", which claims " + std::to_string(item.size) +
                      " bytes, more than the " + MiB(limit) + " it may take";
      return listing;
    }
    if (comicInfo) {
      listing.comicInfo = item;
      continue;
    }
    pictureBytes += std::max<std::int64_t>(item.size, 0);
    if (pictureBytes > kMaxArchivePictureBytes) {
      listing.error =
          "holds pictures of more than " + MiB(kMaxArchivePictureBytes) + " in all, more than a book can take";
      return listing;
    }
    listing.pictures.push_back(std::move(item));
  }
  std::stable_sort(listing.pictures.begin(), listing.pictures.end(),
                   [](const ArchiveEntry& x, const ArchiveEntry& y) { return EntryPathLess(x.name, y.name); });
  return listing;
}

}  // namespace qbbtool
