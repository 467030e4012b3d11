#include "image/picture_loader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <tiffio.h>
#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QRegion>
#include <cerrno>
#include <cstring>
#include <optional>

#include "common/regular_file.h"
#include "image/avif_decoder.h"
#include "image/bmp_decoder.h"
#include "image/gif_check.h"
#include "image/icon_reader.h"
#include "image/jpeg_check.h"
#include "image/jpeg_damage_watch.h"
#include "image/metafile/metafile_player.h"
#include "image/opaque_picture.h"
#include "image/picture_format.h"
#include "image/picture_limits.h"
#include "image/qt_failure.h"

namespace qb {

namespace {

QString TooLarge(QSize size) { return PictureSizeRefusal(size.width(), size.height()); }

// Decodes with one of Qt's readers, refusing oversized pictures from their
// header before any pixel is decoded; transparency is composited over white.
Outcome ReadWithQt(const QByteArray& data, const char* format, QImage& image) {
  QImageReader::setAllocationLimit(kDecodeAllocationLimitMb);
  QByteArray bytes = data;  // shared, not copied: the buffer only reads
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, format);
  reader.setAutoTransform(false);  // EXIF orientation was never applied
  const QSize size = reader.size();
  if (!size.isValid()) return QtFailure(QStringLiteral("the picture's header is damaged"));
  if (!PictureSizeAllowed(size.width(), size.height())) return QtFailure(TooLarge(size));
  // Before the canvas is allocated: a few hundred bytes must not cost the
  // memory of the picture they claim to be.
  if (qstrcmp(format, "jpeg") == 0 && !JpegLongEnoughForItsSize(data)) {
    return QtFailure(QStringLiteral("the JPEG data is far too short for the picture size it declares"));
  }
  QImage decoded;
  const JpegDamageWatch jpegDamage;
  if (!reader.read(&decoded)) return QtFailure(QStringLiteral("the picture is damaged (%1)").arg(reader.errorString()));
  if (!jpegDamage.damage().isEmpty())
    return QtFailure(QStringLiteral("the picture is damaged (%1)").arg(jpegDamage.damage()));
  image = CompositeOverWhite(std::move(decoded));
  return Outcome::Success();
}

// WebP and TIFF come from Qt's extra image format plugins: without them the
// reason says what to install rather than calling the picture damaged.
Outcome ReadWithPlugin(const QByteArray& data, const char* format, QImage& image) {
  if (!QImageReader::supportedImageFormats().contains(format)) {
    return QtFailure(QStringLiteral("reading %1 pictures needs Qt's image format plugins (qt6-image-formats-plugins)")
                         .arg(QString::fromLatin1(format).toUpper()));
  }
  return ReadWithQt(data, format, image);
}

// libtiff prints its complaints about a damaged file to standard error,
// which is not ours to write to; the failure reaches the caller as the
// reason instead.
void QuietTiffLibrary() {
  static const bool quiet = [] {
    TIFFSetErrorHandler(nullptr);
    TIFFSetWarningHandler(nullptr);
    return true;
  }();
  static_cast<void>(quiet);
}

// The logical screen outside a GIF's first frame is transparent, so white,
// whatever background colour the GIF names (Qt fills it with that colour).
void WhitenOutside(QImage& image, const QRect& frame) {
  const QRegion outside = QRegion(image.rect()).subtracted(QRegion(frame.intersected(image.rect())));
  if (outside.isEmpty()) return;
  QPainter painter(&image);
  for (const QRect& part : outside) painter.fillRect(part, Qt::white);
}

Outcome DecodeByFormat(const QByteArray& data, QImage& image) {
  switch (DetectPictureFormat(data)) {
    case PictureFormat::Bmp: return DecodeBmp(data, image);
    case PictureFormat::Gif: {
      if (!GifFirstFrameComplete(data)) return QtFailure(QStringLiteral("the GIF's first image is cut short"));
      Outcome read = ReadWithQt(data, "gif", image);
      if (read) WhitenOutside(image, GifFirstFrameRect(data));
      return read;
    }
    case PictureFormat::Jpeg:
      if (!JpegStreamComplete(data)) return QtFailure(QStringLiteral("the JPEG data ends early"));
      return ReadWithQt(data, "jpeg", image);
    case PictureFormat::Png: return ReadWithQt(data, "png", image);
    case PictureFormat::Webp: return ReadWithPlugin(data, "webp", image);
    case PictureFormat::Tiff: QuietTiffLibrary(); return ReadWithPlugin(data, "tiff", image);
    case PictureFormat::Avif: return DecodeAvif(data, image);
    case PictureFormat::Icon: return DecodeIcon(data, image);
    case PictureFormat::PlaceableMetafile: return RenderMetafile(data, image);
    case PictureFormat::PlainMetafile:
      return QtFailure(QStringLiteral("a metafile without a placeable header cannot be loaded"));
    case PictureFormat::Unknown: break;
  }
  return QtFailure(
      QStringLiteral("not a picture in a known format (BMP, GIF, JPEG, PNG, WebP, TIFF, AVIF, icon or metafile)"));
}

Outcome CannotOpen(const QString& path, const std::string& reason) {
  return QtFailure(QStringLiteral("Cannot open the picture \"%1\": %2").arg(path, QString::fromStdString(reason)));
}

Outcome DecodeOpenFile(const QString& path, int fd, QImage& image) {
  struct stat status {};
  if (::fstat(fd, &status) != 0) return CannotOpen(path, std::strerror(errno));
  const auto size = static_cast<std::uint64_t>(status.st_size);
  if (size > kMaxPictureFileBytes)
    return CannotOpen(path, "larger than the " + std::to_string(kMaxPictureFileBytes) + " bytes allowed");
  char magic[2] = {};
  const bool bitmap =
      ::pread(fd, magic, sizeof magic, 0) == 2 && DetectPictureFormat(QByteArrayView(magic, 2)) == PictureFormat::Bmp;
  std::optional<std::string> content;
  if (!bitmap) {
    content = ReadToEnd(fd, kMaxPictureFileBytes);
    if (!content) return CannotOpen(path, std::strerror(errno));
  }
  // A bitmap is read by rows: an uncompressed one's file is as large as its
  // pixels, and held whole beside them it would double the page's memory.
  const Outcome decoded =
      bitmap
          ? DecodeBmpFile(fd, static_cast<std::int64_t>(size), image)
          : DecodePictureData(QByteArray::fromRawData(content->data(), static_cast<qsizetype>(content->size())), image);
  if (!decoded) {
    return QtFailure(
        QStringLiteral("Cannot load the picture \"%1\": %2").arg(path, QString::fromStdString(decoded.why())));
  }
  return Outcome::Success();
}

}  // namespace

Outcome DecodePictureData(const QByteArray& data, QImage& image) {
  if (data.isEmpty()) return QtFailure(QStringLiteral("the file is empty"));
  QImage decoded;
  if (Outcome decodedData = DecodeByFormat(data, decoded); !decodedData) return decodedData;
  // Also for decoders that cannot tell the size beforehand (a metafile's
  // records, a GIF frame reaching past its screen).
  if (!PictureSizeAllowed(decoded.width(), decoded.height())) return QtFailure(TooLarge(decoded.size()));
  image = decoded;
  return Outcome::Success();
}

Outcome LoadPictureFile(const QString& path, QImage& image) {
  // Only a regular file, and no larger than any page picture can be: a
  // device or a pipe would be read without end or block the program.
  std::string reason;
  const int fd = OpenRegularFile(path.toStdString(), O_RDONLY, &reason);
  if (fd < 0) return CannotOpen(path, reason);
  const Outcome decoded = DecodeOpenFile(path, fd, image);
  ::close(fd);
  return decoded;
}

}  // namespace qb
