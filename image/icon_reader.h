#pragma once
// Icon files (.ico) read the way the classic picture loader showed them: the
// 32 x 32 image when there is one, drawn with its mask over white. Every size,
// offset and count in the file is checked against the data, so a damaged or
// hostile file fails without reading out of bounds.

#include <QByteArray>
#include <QImage>
#include <cstddef>
#include <span>

#include "common/outcome.h"

namespace qb {

// Largest image side an icon entry may have (a directory byte of 0 means 256).
inline constexpr int kMaxIconSide = 256;

// What an entry's own data says it holds.
struct IconCandidate {
  int width = 0;
  int height = 0;
  int depth = 0;  // bits per pixel
};

// The entry to show: among 32 x 32 entries the deepest; without one, the
// largest by area, then the deepest; the first of equals. entries must not be
// empty.
std::size_t ChooseIconEntry(std::span<const IconCandidate> entries);

// Decodes the chosen entry of an icon file to an opaque Format_RGB32 picture;
// a failure when the file is not a sound icon, image then untouched.
Outcome DecodeIcon(const QByteArray& data, QImage& image);

}  // namespace qb
