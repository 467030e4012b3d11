#include "tools/qbbtool/comic_archive_writer.h"

#include <archive.h>
#include <archive_entry.h>

namespace qbbtool {
namespace {

la_ssize_t WriteToDevice(archive*, void* device, const void* buffer, std::size_t size) {
  const qint64 written =
      static_cast<QIODevice*>(device)->write(static_cast<const char*>(buffer), static_cast<qint64>(size));
  return written == static_cast<qint64>(size) ? static_cast<la_ssize_t>(written) : -1;
}

}  // namespace

void ComicArchiveWriter::Free::operator()(archive* a) const { archive_write_free(a); }

ComicArchiveWriter::ComicArchiveWriter(QIODevice& device, std::time_t modified)
    : device_(device), modified_(modified), archive_(archive_write_new()) {
  ok_ = archive_ != nullptr && archive_write_set_format_zip(archive_.get()) == ARCHIVE_OK &&
        // No padding after the last block: a ZIP ends where its directory does.
        archive_write_set_bytes_in_last_block(archive_.get(), 1) == ARCHIVE_OK &&
        archive_write_open2(archive_.get(), &device_, nullptr, WriteToDevice, nullptr, nullptr) == ARCHIVE_OK;
}

ComicArchiveWriter::~ComicArchiveWriter() = default;

bool ComicArchiveWriter::Add(const std::string& name, const QByteArray& data, Packing packing) {
  if (!ok_) return false;
  ok_ = (packing == Packing::Store ? archive_write_zip_set_compression_store(archive_.get())
                                   : archive_write_zip_set_compression_deflate(archive_.get())) == ARCHIVE_OK;
  std::unique_ptr<archive_entry, decltype(&archive_entry_free)> entry(archive_entry_new(), archive_entry_free);
  if (!ok_ || !entry) return ok_ = false;
  archive_entry_set_pathname_utf8(entry.get(), name.c_str());
  archive_entry_set_filetype(entry.get(), AE_IFREG);
  archive_entry_set_perm(entry.get(), 0644);
  archive_entry_set_size(entry.get(), data.size());
  archive_entry_set_mtime(entry.get(), modified_, 0);
  ok_ = archive_write_header(archive_.get(), entry.get()) == ARCHIVE_OK &&
        archive_write_data(archive_.get(), data.constData(), static_cast<std::size_t>(data.size())) == data.size() &&
        archive_write_finish_entry(archive_.get()) == ARCHIVE_OK;
  return ok_;
}

bool ComicArchiveWriter::Finish() {
  if (!ok_) return false;
  ok_ = archive_write_close(archive_.get()) == ARCHIVE_OK;
  return ok_;
}

}  // namespace qbbtool
