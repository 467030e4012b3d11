#include "image/metafile/metafile_gdi_objects.h"

#include "image/metafile/metafile_text_codec.h"

namespace qb::wmf {

namespace {

constexpr size_t kLogPenBytes = 10;
constexpr size_t kLogBrushBytes = 8;
constexpr size_t kLogFontFixedBytes = 18;
constexpr size_t kFaceNameBytes = 32;
constexpr size_t kRegionHeaderBytes = 22;
constexpr size_t kScanFixedBytes = 8;
constexpr uint8_t kPaletteIndexFlag = 0x01;

QRgb RgbOf(ColorRef color) { return qRgb(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF); }

}  // namespace

QRgb PaletteEntry(const MetaPalette& palette, size_t index) {
  return index < static_cast<size_t>(palette.entries.size()) ? palette.entries[static_cast<qsizetype>(index)]
                                                             : qRgb(0, 0, 0);
}

QRgb ResolveColor(ColorRef color, const MetaPalette& palette) {
  if ((color >> 24) == kPaletteIndexFlag) return PaletteEntry(palette, color & 0xFFFF);
  return RgbOf(color);
}

std::optional<MetaPen> ParsePen(const RecordParams& params) {
  if (!params.Has(0, kLogPenBytes)) return std::nullopt;
  MetaPen pen;
  pen.style = params.UInt16(0);
  pen.width = params.Int16(2);
  pen.color = params.UInt32(6);
  return pen;
}

std::optional<MetaBrush> ParseBrush(const RecordParams& params) {
  if (!params.Has(0, kLogBrushBytes)) return std::nullopt;
  MetaBrush brush;
  brush.style = params.UInt16(0);
  brush.color = params.UInt32(2);
  brush.hatch = params.UInt16(6);
  return brush;
}

std::optional<MetaFont> ParseFont(const RecordParams& params) {
  if (!params.Has(0, kLogFontFixedBytes)) return std::nullopt;
  MetaFont font;
  font.height = params.Int16(0);
  font.width = params.Int16(2);
  font.escapement = params.Int16(4);
  font.orientation = params.Int16(6);
  font.weight = params.Int16(8);
  font.italic = params.UInt8(10) != 0;
  font.underline = params.UInt8(11) != 0;
  font.strikeOut = params.UInt8(12) != 0;
  font.charset = params.UInt8(13);
  font.pitchAndFamily = params.UInt8(17);
  std::span<const uint8_t> face = params.From(kLogFontFixedBytes);
  if (face.size() > kFaceNameBytes) face = face.first(kFaceNameBytes);
  font.faceName = DecodeFaceName(face, font.charset);
  return font;
}

std::optional<MetaPalette> ParsePalette(const RecordParams& params) {
  if (!params.Has(0, 4)) return std::nullopt;
  const size_t count = params.UInt16(2);
  if (!params.Has(4, count * 4)) return std::nullopt;
  MetaPalette palette;
  palette.entries.reserve(static_cast<qsizetype>(count));
  for (size_t i = 0; i < count; ++i) {
    const size_t at = 4 + i * 4;
    palette.entries.push_back(qRgb(params.UInt8(at), params.UInt8(at + 1), params.UInt8(at + 2)));
  }
  return palette;
}

std::optional<MetaRegion> ParseRegion(const RecordParams& params) {
  if (!params.Has(0, kRegionHeaderBytes)) return std::nullopt;
  const size_t scanCount = params.UInt16(10);
  MetaRegion region;
  size_t at = kRegionHeaderBytes;
  for (size_t scan = 0; scan < scanCount; ++scan) {
    if (!params.Has(at, kScanFixedBytes - 2)) return std::nullopt;
    const size_t edgeCount = params.UInt16(at);
    const int top = params.Int16(at + 2);
    const int bottom = params.Int16(at + 4);
    if (edgeCount % 2 != 0 || !params.Has(at + 6, edgeCount * 2 + 2)) return std::nullopt;
    for (size_t edge = 0; edge < edgeCount; edge += 2) {
      const int left = params.Int16(at + 6 + edge * 2);
      const int right = params.Int16(at + 8 + edge * 2);
      if (right > left && bottom > top && region.rects.size() < kMaxRegionRects) {
        region.rects.emplace_back(QPoint(left, top), QPoint(right - 1, bottom - 1));
      }
    }
    at += kScanFixedBytes + edgeCount * 2;
  }
  return region;
}

}  // namespace qb::wmf
