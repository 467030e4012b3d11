#include "image/picture_format.h"

namespace qb {

namespace {

bool StartsWith(QByteArrayView head, std::initializer_list<unsigned char> magic) {
  if (head.size() < static_cast<qsizetype>(magic.size())) return false;
  qsizetype i = 0;
  for (unsigned char byte : magic) {
    if (static_cast<unsigned char>(head[i++]) != byte) return false;
  }
  return true;
}

}  // namespace

PictureFormat DetectPictureFormat(QByteArrayView head) {
  if (StartsWith(head, {'B', 'M'})) return PictureFormat::Bmp;
  if (StartsWith(head, {'G', 'I', 'F', '8', '7', 'a'}) || StartsWith(head, {'G', 'I', 'F', '8', '9', 'a'}))
    return PictureFormat::Gif;
  if (StartsWith(head, {0xFF, 0xD8, 0xFF})) return PictureFormat::Jpeg;
  if (StartsWith(head, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A})) return PictureFormat::Png;
  // A RIFF container whose form type is "WEBP".
  if (StartsWith(head, {'R', 'I', 'F', 'F'}) && head.size() >= 12 && head.sliced(8, 4) == "WEBP")
    return PictureFormat::Webp;
  if (StartsWith(head, {'I', 'I', 0x2A, 0x00}) || StartsWith(head, {'M', 'M', 0x00, 0x2A})) return PictureFormat::Tiff;
  // An ISO media file whose leading "ftyp" box names a still AVIF picture or an AVIF sequence.
  if (head.size() >= 12 && head.sliced(4, 4) == "ftyp" && (head.sliced(8, 4) == "avif" || head.sliced(8, 4) == "avis"))
    return PictureFormat::Avif;
  // Icon directory: reserved 0, type 1 (icon), then a non-zero entry count.
  if (StartsWith(head, {0x00, 0x00, 0x01, 0x00}) && head.size() >= 6 && (head[4] != 0 || head[5] != 0))
    return PictureFormat::Icon;
  if (StartsWith(head, {0xD7, 0xCD, 0xC6, 0x9A})) return PictureFormat::PlaceableMetafile;
  // Metafile header: type 1 (memory) or 2 (disk), header size 9 words, version 0x0100 or 0x0300.
  if ((StartsWith(head, {0x01, 0x00, 0x09, 0x00}) || StartsWith(head, {0x02, 0x00, 0x09, 0x00})) && head.size() >= 6 &&
      head[4] == 0 && (head[5] == 0x01 || head[5] == 0x03))
    return PictureFormat::PlainMetafile;
  return PictureFormat::Unknown;
}

}  // namespace qb
