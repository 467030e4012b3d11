#pragma once
// Plays a placeable Windows metafile onto a white picture at its natural
// pixel size (the frame's size at 96 dots per inch), as the classic picture
// loader shows it. Metafiles without the placeable header are refused, as
// that loader refuses them.
//
// A damaged metafile never becomes a picture: a record that runs past the
// end of the data (a truncated file), a size field that contradicts the data,
// a count or string longer than its record, or an embedded bitmap whose
// header does not fit its bits fail the whole call. Records the player does
// not know, escapes, and references to objects that do not exist are skipped
// as GDI skips them. Work is bounded: every record is at least six bytes, and
// a picture that paints its frame over and over far beyond what real pictures
// do is refused. Without a QGuiApplication (no fonts) text is checked but
// not drawn.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <vector>

#include "common/outcome.h"

namespace qb {

// A text record as played: its font's face name and its text, both decoded
// from the font's character set.
struct MetafileText {
  QString face;
  QString text;
};

// On success image is set (Format_RGB32, opaque); on failure the reason is
// given and image is untouched. texts, when given, receives the text records
// in the order played.
Outcome RenderMetafile(const QByteArray& data, QImage& image, std::vector<MetafileText>* texts = nullptr);

}  // namespace qb
