#pragma once
// The pictures "qbbtool make" binds: picture files as they are, and every
// comic archive (.cbz, .zip) among its inputs replaced by the archive's
// pictures in natural order, read from the archive one page at a time when
// the writer loads them.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "image/picture_surface_qt.h"
#include "tools/qbbtool/comic_archive_reader.h"
#include "tools/qbbtool/comic_info.h"

namespace qbbtool {

class PageSources : public qb::QtPictureSurface {
 public:
  PageSources();
  ~PageSources() override;

  // Appends the pages of input (a UTF-8 path). An archive is listed first;
  // the result is why it is refused, empty when it is not (nothing of a
  // refused archive is added).
  std::string Add(const std::string& input);

  // What to hand the book writer with this surface, one per page.
  const std::vector<std::u16string>& pictures() const { return pictures_; }
  // How messages name each page's picture: the file, or "ARCHIVE: ENTRY".
  const std::vector<std::string>& names() const { return names_; }
  // Archive entries that are not pictures, for standard error.
  const std::vector<std::string>& skipped() const { return skipped_; }
  // The description of the first archive that has one.
  const std::optional<ComicInfo>& comicInfo() const { return comicInfo_; }

  // Loads a picture file, or the archive entry that pictures() names; the
  // previous picture is dropped first, even when this one fails.
  qb::Outcome LoadPicture(const std::u16string& picture) override;

  // Whether a load failed on the archive itself (damaged, or an entry that
  // unpacks to more than it claims) rather than on a picture in it.
  bool archiveRefused() const { return archiveRefused_; }

 private:
  struct Entry {
    ComicArchiveReader* archive;
    ArchiveEntry entry;
    std::string name;
  };

  std::vector<std::unique_ptr<ComicArchiveReader>> archives_;
  std::vector<Entry> entries_;
  std::vector<std::u16string> pictures_;
  std::vector<std::string> names_;
  std::vector<std::string> skipped_;
  std::optional<ComicInfo> comicInfo_;
  bool archiveRefused_ = false;
};

}  // namespace qbbtool
