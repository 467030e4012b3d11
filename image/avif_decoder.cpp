#include "image/avif_decoder.h"

#include <avif/avif.h>

#include <bit>
#include <memory>

#include "image/opaque_picture.h"
#include "image/picture_limits.h"
#include "image/qt_failure.h"

namespace qb {
namespace {

// libavif's BGRA bytes are QImage's ARGB32 words only on a little-endian machine.
static_assert(std::endian::native == std::endian::little);

using DecoderPointer = std::unique_ptr<avifDecoder, decltype(&avifDecoderDestroy)>;

QString Reason(avifResult result) { return QString::fromLatin1(avifResultToString(result)); }

}  // namespace

Outcome DecodeAvif(const QByteArray& data, QImage& image) {
  const DecoderPointer decoder(avifDecoderCreate(), avifDecoderDestroy);
  if (!decoder) return QtFailure(QStringLiteral("not enough memory to decode the AVIF picture"));
  // The page's side limit is checked below, with the reason the other
  // formats give. libavif keeps its own pixel count limit (16384 x 16384),
  // which it cannot raise.
  decoder->imageDimensionLimit = 0;
  decoder->ignoreExif = AVIF_TRUE;
  decoder->ignoreXMP = AVIF_TRUE;
  avifResult result = avifDecoderSetIOMemory(decoder.get(), reinterpret_cast<const std::uint8_t*>(data.constData()),
                                             static_cast<std::size_t>(data.size()));
  if (result == AVIF_RESULT_OK) result = avifDecoderParse(decoder.get());
  if (result != AVIF_RESULT_OK)
    return QtFailure(QStringLiteral("the picture's header is damaged (%1)").arg(Reason(result)));
  const std::int64_t width = decoder->image->width;
  const std::int64_t height = decoder->image->height;
  if (!PictureSizeAllowed(width, height)) return QtFailure(PictureSizeRefusal(width, height));
  result = avifDecoderNextImage(decoder.get());
  if (result != AVIF_RESULT_OK) return QtFailure(QStringLiteral("the picture is damaged (%1)").arg(Reason(result)));

  QImage decoded(static_cast<int>(width), static_cast<int>(height), QImage::Format_ARGB32);
  if (decoded.isNull()) return QtFailure(QStringLiteral("not enough memory for the picture's pixels"));
  avifRGBImage rgb;
  avifRGBImageSetDefaults(&rgb, decoder->image);
  rgb.format = AVIF_RGB_FORMAT_BGRA;
  rgb.depth = 8;
  rgb.pixels = decoded.bits();
  rgb.rowBytes = static_cast<std::uint32_t>(decoded.bytesPerLine());
  result = avifImageYUVToRGB(decoder->image, &rgb);
  if (result != AVIF_RESULT_OK) return QtFailure(QStringLiteral("the picture is damaged (%1)").arg(Reason(result)));
  image = CompositeOverWhite(decoded);
  return Outcome::Success();
}

}  // namespace qb
