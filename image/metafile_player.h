#pragma once
// Plays a placeable Windows metafile onto a white picture at its natural
// pixel size (the frame's size at 96 dots per inch). Metafiles without the
// placeable header are refused, as the classic picture loader refuses them.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace qb {

// True and image set (Format_RGB32) on success; false with error set otherwise.
bool RenderMetafile(const QByteArray& data, QImage& image, QString* error);

}  // namespace qb
