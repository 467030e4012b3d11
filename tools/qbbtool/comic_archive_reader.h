#pragma once
// Reading comic archives (CBZ, ZIP) through libarchive, from memory only:
// an archive comes from anyone, so it is listed and bounded before anything
// is decompressed, an entry is read only up to what it claims and the
// limits allow, and nothing is ever unpacked onto disk.

#include <QByteArray>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct archive;

namespace qbbtool {

// At most this many entries (files and folders): a long comic has hundreds
// of pages, and thousands of tiny entries only cost time.
inline constexpr std::int64_t kMaxArchiveEntries = 5000;
// No page picture is larger: a page of the most pixels a book allows is
// well under it in any of the formats a page may come in, save bitmaps of
// that size, which no archive of pages needs.
inline constexpr std::int64_t kMaxArchiveEntryBytes = std::int64_t{256} << 20;
// All pictures together: more would outgrow the 2 GiB a book can address
// whatever their format.
inline constexpr std::int64_t kMaxArchivePictureBytes = std::int64_t{4} << 30;
// The description for comic readers is a few lines of XML.
inline constexpr std::int64_t kMaxComicInfoBytes = std::int64_t{1} << 20;

struct ArchiveEntry {
  std::int64_t index = 0;  // position in the archive, from 0
  std::string name;        // path inside the archive, UTF-8
  std::int64_t size = -1;  // uncompressed bytes it claims, -1 when it claims none
};

struct ArchiveListing {
  std::vector<ArchiveEntry> pictures;     // the page pictures, in natural order
  std::vector<std::string> skipped;       // other files, in archive order
  std::optional<ArchiveEntry> comicInfo;  // ComicInfo.xml, when the archive has one
  std::string error;                      // why the archive is refused; empty when it is not
};

// Lists the archive at path (UTF-8) without decompressing anything.
ArchiveListing ListComicArchive(const std::string& path);

// Reads entries of one archive in a single pass, whatever order they are
// asked for in: going forward to an entry, the pages passed on the way that
// are still to be read are kept in an unnamed temporary file (in TMPDIR)
// and handed out from there. Only an entry asked for again, or one not
// announced, makes it reopen the archive.
class ComicArchiveReader {
 public:
  // pages: the entries that will be read, each once, in any order.
  ComicArchiveReader(std::string path, const std::vector<ArchiveEntry>& pages);
  ~ComicArchiveReader();
  ComicArchiveReader(const ComicArchiveReader&) = delete;
  ComicArchiveReader& operator=(const ComicArchiveReader&) = delete;

  // The entry's bytes, at most limit of them. False with why set when the
  // archive cannot be read there, the entry is not where the listing found
  // it, or it holds more than it claims or than limit.
  bool Read(const ArchiveEntry& entry, std::int64_t limit, QByteArray& data, std::string* why);

 private:
  struct Free {
    void operator()(archive* a) const;
  };
  bool Reopen(std::string* why);
  // The data of the entry whose header was read last.
  bool ReadData(const ArchiveEntry& entry, std::int64_t limit, QByteArray& data, std::string* why);
  bool Stage(const ArchiveEntry& entry, std::string* why);
  bool ReadStaged(std::int64_t index, QByteArray& data, std::string* why);

  struct Staged {
    std::int64_t offset;
    qsizetype size;
  };

  std::string path_;
  std::unique_ptr<archive, Free> archive_;
  std::int64_t next_ = 0;                         // index of the entry the next header read gives
  std::map<std::int64_t, ArchiveEntry> pending_;  // announced and neither read nor staged, by index
  std::map<std::int64_t, Staged> staged_;         // by index
  int stagingFd_ = -1;
  std::int64_t stagingEnd_ = 0;
};

}  // namespace qbbtool
