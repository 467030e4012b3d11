#pragma once
// The drawing objects a metafile creates (pens, brushes, fonts, palettes,
// regions), parsed from their creation records, and colour references.
// Objects are plain values: a device context keeps its own copy of what is
// selected, so deleting a selected object changes nothing on the page, as in GDI.

#include "image/metafile/metafile_reader.h"

#include <QImage>
#include <QList>
#include <QRect>
#include <QRgb>
#include <QString>
#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace qb::wmf {

inline constexpr uint16_t kPenSolid = 0;
inline constexpr uint16_t kPenDash = 1;
inline constexpr uint16_t kPenDot = 2;
inline constexpr uint16_t kPenDashDot = 3;
inline constexpr uint16_t kPenDashDotDot = 4;
inline constexpr uint16_t kPenNull = 5;
inline constexpr uint16_t kPenInsideFrame = 6;
inline constexpr uint16_t kPenStyleMask = 0x000F;
inline constexpr uint16_t kPenEndCapMask = 0x0F00;
inline constexpr uint16_t kPenEndCapSquare = 0x0100;
inline constexpr uint16_t kPenEndCapFlat = 0x0200;
inline constexpr uint16_t kPenJoinMask = 0xF000;
inline constexpr uint16_t kPenJoinBevel = 0x1000;
inline constexpr uint16_t kPenJoinMiter = 0x2000;

inline constexpr uint16_t kBrushSolid = 0;
inline constexpr uint16_t kBrushNull = 1;
inline constexpr uint16_t kBrushHatched = 2;
inline constexpr uint16_t kBrushPattern = 3;
inline constexpr uint16_t kBrushDibPattern = 5;
inline constexpr uint16_t kBrushDibPatternPt = 6;

inline constexpr uint8_t kAnsiCharset = 0;
inline constexpr uint8_t kDefaultCharset = 1;
inline constexpr uint8_t kShiftJisCharset = 128;

// COLORREF: 0x00bbggrr, or a palette index when the high byte is 1.
using ColorRef = uint32_t;

// Entries are implicitly shared, so saving a device context copies no colours.
struct MetaPalette {
  QList<QRgb> entries;
};

// Black for an index past the end.
QRgb PaletteEntry(const MetaPalette& palette, size_t index);
QRgb ResolveColor(ColorRef color, const MetaPalette& palette);

struct MetaPen {
  uint16_t style = kPenSolid;
  int16_t width = 0;  // logical units; 0 is one device pixel
  ColorRef color = 0;
};

struct MetaBrush {
  uint16_t style = kBrushSolid;
  ColorRef color = 0xFFFFFF;
  uint16_t hatch = 0;
  QImage pattern;  // pattern brushes only
  // A monochrome device bitmap pattern: 0 bits take the text colour and 1
  // bits the background colour at the time of drawing.
  bool monochromePattern = false;
};

struct MetaFont {
  int16_t height = 0;
  int16_t width = 0;
  int16_t escapement = 0;
  int16_t orientation = 0;
  int16_t weight = 0;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  uint8_t charset = kDefaultCharset;
  uint8_t pitchAndFamily = 0;
  QString faceName;
};

// A region as logical rectangles (right and bottom exclusive).
struct MetaRegion {
  std::vector<QRect> rects;
};

using GdiObject = std::variant<MetaPen, MetaBrush, MetaFont, MetaPalette, MetaRegion>;

// Each parser returns nothing when the record is too short for the object or
// contradicts itself.
std::optional<MetaPen> ParsePen(const RecordParams& params);
std::optional<MetaBrush> ParseBrush(const RecordParams& params);
std::optional<MetaFont> ParseFont(const RecordParams& params);
std::optional<MetaPalette> ParsePalette(const RecordParams& params);
// Region scans beyond kMaxRegionRects rectangles are dropped: regions that
// complex do not occur in pictures, and uniting them would be costly.
inline constexpr size_t kMaxRegionRects = 1024;
std::optional<MetaRegion> ParseRegion(const RecordParams& params);

}  // namespace qb::wmf
