#include "image/metafile/metafile_player.h"

#include "image/metafile/metafile_bitmap.h"
#include "image/metafile/metafile_header.h"
#include "image/metafile/metafile_playback.h"
#include "image/qt_failure.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <span>

namespace qb {

Outcome RenderMetafile(const QByteArray& data, QImage& image, std::vector<MetafileText>* texts) {
  using namespace wmf;
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(data.constData()),
                                       static_cast<size_t>(data.size()));
  const auto placeable = ParsePlaceableHeader(bytes);
  if (!placeable) return QtFailure(QStringLiteral("The metafile has no placeable header."));
  QString why;
  const auto frame = NaturalFrameSize(*placeable, &why);
  if (!frame) return QtFailure(why);
  const std::span<const uint8_t> body = bytes.subspan(kPlaceableHeaderBytes);
  const auto header = ParseMetaHeader(body, &why);
  if (!header) return QtFailure(why);

  QImage picture(frame->width, frame->height, QImage::Format_RGB32);
  if (picture.isNull()) return QtFailure(QStringLiteral("There is not enough memory for the metafile's picture."));
  picture.fill(Qt::white);
  // Fonts need a QGuiApplication; without one text records are only checked.
  const bool drawText = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
  const std::span<const uint8_t> records =
      body.subspan(kMetaHeaderBytes, static_cast<size_t>(header->sizeWords) * 2 - kMetaHeaderBytes);
  {
    MetafilePlayback playback(&picture, *placeable, header->objectCount, drawText);
    playback.CollectTexts(texts);
    if (!playback.Play(records, &why)) return QtFailure(why);
  }
  // Raster operations may touch the alpha byte; the picture is opaque.
  ForceOpaque(&picture);
  image = picture;
  return Outcome::Success();
}

}  // namespace qb
