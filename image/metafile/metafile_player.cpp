#include "image/metafile/metafile_player.h"

#include "image/metafile/metafile_bitmap.h"
#include "image/metafile/metafile_header.h"
#include "image/metafile/metafile_playback.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <span>

namespace qb {

namespace {

void SetError(QString* error, const QString& text) {
  if (error) *error = text;
}

}  // namespace

bool RenderMetafile(const QByteArray& data, QImage& image, QString* error, std::vector<MetafileText>* texts) {
  using namespace wmf;
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(data.constData()),
                                       static_cast<size_t>(data.size()));
  const auto placeable = ParsePlaceableHeader(bytes);
  if (!placeable) {
    SetError(error, QStringLiteral("The metafile has no placeable header."));
    return false;
  }
  const auto frame = NaturalFrameSize(*placeable, error);
  if (!frame) return false;
  const std::span<const uint8_t> body = bytes.subspan(kPlaceableHeaderBytes);
  const auto header = ParseMetaHeader(body, error);
  if (!header) return false;

  QImage picture(frame->width, frame->height, QImage::Format_RGB32);
  if (picture.isNull()) {
    SetError(error, QStringLiteral("There is not enough memory for the metafile's picture."));
    return false;
  }
  picture.fill(Qt::white);
  // Fonts need a QGuiApplication; without one text records are only checked.
  const bool drawText = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
  const std::span<const uint8_t> records =
      body.subspan(kMetaHeaderBytes, static_cast<size_t>(header->sizeWords) * 2 - kMetaHeaderBytes);
  {
    MetafilePlayback playback(&picture, *placeable, header->objectCount, drawText);
    playback.CollectTexts(texts);
    if (!playback.Play(records, error)) return false;
  }
  // Raster operations may touch the alpha byte; the picture is opaque.
  ForceOpaque(&picture);
  image = picture;
  return true;
}

}  // namespace qb
