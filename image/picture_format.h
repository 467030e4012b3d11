#pragma once
// Recognises a picture file by its first bytes, so that a file whose
// extension lies still loads as what it is.

#include <QByteArrayView>

namespace qb {

enum class PictureFormat {
  Unknown,
  Bmp,
  Gif,
  Jpeg,
  Png,
  Webp,
  Tiff,
  Avif,
  Icon,
  PlaceableMetafile,  // starts with the placeable key D7 CD C6 9A
  PlainMetafile,      // a metafile header without the placeable one in front
};

PictureFormat DetectPictureFormat(QByteArrayView head);

}  // namespace qb
