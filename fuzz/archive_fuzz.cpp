// Feeds arbitrary bytes to qbbtool's comic archive reading as a file:
// whatever the archive claims, listing it, reading every picture entry and
// parsing its ComicInfo.xml must stay in bounds and within the limits.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <string>

#include "tools/qbbtool/comic_archive_reader.h"
#include "tools/qbbtool/comic_info.h"

namespace {

// A file in memory, rewritten for every input; libarchive opens it by name.
int ScratchFile() {
  static const int fd = ::memfd_create("archive-fuzz", 0);
  return fd;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const int fd = ScratchFile();
  if (fd < 0 || ::ftruncate(fd, 0) != 0 || ::pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) return 0;
  const std::string path = "/proc/self/fd/" + std::to_string(fd);
  const qbbtool::ArchiveListing listing = qbbtool::ListComicArchive(path);
  if (!listing.error.empty()) return 0;
  qbbtool::ComicArchiveReader reader(path, listing.pictures);
  QByteArray bytes;
  std::string why;
  if (listing.comicInfo && reader.Read(*listing.comicInfo, qbbtool::kMaxComicInfoBytes, bytes, &why)) {
    qbbtool::ParseComicInfo(bytes);
  }
  // Small pictures only: the fuzzer's inputs are small, a bomb is not. Last
  // entry first, so that the entries passed on the way are staged and read
  // back from there.
  for (auto entry = listing.pictures.rbegin(); entry != listing.pictures.rend(); ++entry) {
    reader.Read(*entry, std::int64_t{1} << 20, bytes, &why);
  }
  return 0;
}
