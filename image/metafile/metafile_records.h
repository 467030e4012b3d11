#pragma once
// Function numbers of the Windows metafile records the player understands.
// The high byte of most numbers is the record's parameter count in words,
// which is how blits tell their "with bitmap" form from the short form.

#include <cstdint>

namespace qb::wmf {

inline constexpr uint16_t kEof = 0x0000;
inline constexpr uint16_t kRealizePalette = 0x0035;
inline constexpr uint16_t kSetPalEntries = 0x0037;
inline constexpr uint16_t kSetBkMode = 0x0102;
inline constexpr uint16_t kSetMapMode = 0x0103;
inline constexpr uint16_t kSetRop2 = 0x0104;
inline constexpr uint16_t kSetRelAbs = 0x0105;
inline constexpr uint16_t kSetPolyFillMode = 0x0106;
inline constexpr uint16_t kSetStretchBltMode = 0x0107;
inline constexpr uint16_t kSetTextCharExtra = 0x0108;
inline constexpr uint16_t kRestoreDc = 0x0127;
inline constexpr uint16_t kInvertRegion = 0x012A;
inline constexpr uint16_t kPaintRegion = 0x012B;
inline constexpr uint16_t kSelectClipRegion = 0x012C;
inline constexpr uint16_t kSelectObject = 0x012D;
inline constexpr uint16_t kSetTextAlign = 0x012E;
inline constexpr uint16_t kResizePalette = 0x0139;
inline constexpr uint16_t kDibCreatePatternBrush = 0x0142;
inline constexpr uint16_t kSetLayout = 0x0149;
inline constexpr uint16_t kDeleteObject = 0x01F0;
inline constexpr uint16_t kCreatePatternBrush = 0x01F9;
inline constexpr uint16_t kSetBkColor = 0x0201;
inline constexpr uint16_t kSetTextColor = 0x0209;
inline constexpr uint16_t kSetTextJustification = 0x020A;
inline constexpr uint16_t kSetWindowOrg = 0x020B;
inline constexpr uint16_t kSetWindowExt = 0x020C;
inline constexpr uint16_t kSetViewportOrg = 0x020D;
inline constexpr uint16_t kSetViewportExt = 0x020E;
inline constexpr uint16_t kOffsetWindowOrg = 0x020F;
inline constexpr uint16_t kOffsetViewportOrg = 0x0211;
inline constexpr uint16_t kLineTo = 0x0213;
inline constexpr uint16_t kMoveTo = 0x0214;
inline constexpr uint16_t kOffsetClipRegion = 0x0220;
inline constexpr uint16_t kFillRegion = 0x0228;
inline constexpr uint16_t kSetMapperFlags = 0x0231;
inline constexpr uint16_t kSelectPalette = 0x0234;
inline constexpr uint16_t kCreatePenIndirect = 0x02FA;
inline constexpr uint16_t kCreateFontIndirect = 0x02FB;
inline constexpr uint16_t kCreateBrushIndirect = 0x02FC;
inline constexpr uint16_t kPolygon = 0x0324;
inline constexpr uint16_t kPolyline = 0x0325;
inline constexpr uint16_t kScaleWindowExt = 0x0410;
inline constexpr uint16_t kScaleViewportExt = 0x0412;
inline constexpr uint16_t kExcludeClipRect = 0x0415;
inline constexpr uint16_t kIntersectClipRect = 0x0416;
inline constexpr uint16_t kEllipse = 0x0418;
inline constexpr uint16_t kFloodFill = 0x0419;
inline constexpr uint16_t kRectangle = 0x041B;
inline constexpr uint16_t kSetPixel = 0x041F;
inline constexpr uint16_t kFrameRegion = 0x0429;
inline constexpr uint16_t kAnimatePalette = 0x0436;
inline constexpr uint16_t kTextOut = 0x0521;
inline constexpr uint16_t kPolyPolygon = 0x0538;
inline constexpr uint16_t kExtFloodFill = 0x0548;
inline constexpr uint16_t kRoundRect = 0x061C;
inline constexpr uint16_t kPatBlt = 0x061D;
inline constexpr uint16_t kEscape = 0x0626;
inline constexpr uint16_t kCreateRegion = 0x06FF;
inline constexpr uint16_t kArc = 0x0817;
inline constexpr uint16_t kPie = 0x081A;
inline constexpr uint16_t kChord = 0x0830;
inline constexpr uint16_t kBitBlt = 0x0922;
inline constexpr uint16_t kDibBitBlt = 0x0940;
inline constexpr uint16_t kExtTextOut = 0x0A32;
inline constexpr uint16_t kStretchBlt = 0x0B23;
inline constexpr uint16_t kDibStretchBlt = 0x0B41;
inline constexpr uint16_t kSetDibToDev = 0x0D33;
inline constexpr uint16_t kStretchDib = 0x0F43;
inline constexpr uint16_t kCreatePalette = 0x00F7;
inline constexpr uint16_t kSaveDc = 0x001E;

}  // namespace qb::wmf
