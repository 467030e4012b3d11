#pragma once
// Writing a comic archive (a ZIP) through libarchive into a device, entry by
// entry, so no more than one page is held at a time.

#include <QByteArray>
#include <QIODevice>
#include <ctime>
#include <memory>
#include <string>

struct archive;

namespace qbbtool {

class ComicArchiveWriter {
 public:
  // Entries carry modified as their time.
  ComicArchiveWriter(QIODevice& device, std::time_t modified);
  ~ComicArchiveWriter();
  ComicArchiveWriter(const ComicArchiveWriter&) = delete;
  ComicArchiveWriter& operator=(const ComicArchiveWriter&) = delete;

  // Adds a file of the archive's top folder. Pictures already compressed
  // (PNG) are stored as they are: deflating them again only costs time.
  enum class Packing { Store, Deflate };
  bool Add(const std::string& name, const QByteArray& data, Packing packing);

  // Writes the archive's directory. False when that or an earlier step failed.
  bool Finish();

 private:
  struct Free {
    void operator()(archive* a) const;
  };

  QIODevice& device_;
  std::time_t modified_;
  std::unique_ptr<archive, Free> archive_;
  bool ok_ = true;
};

}  // namespace qbbtool
