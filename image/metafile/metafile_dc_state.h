#pragma once
// Everything a device context remembers between records, and the stack that
// SaveDC and RestoreDC work on.

#include "image/metafile/metafile_gdi_objects.h"
#include "image/metafile/metafile_mapping.h"
#include "image/metafile/metafile_raster_ops.h"

#include <QPoint>
#include <QRegion>
#include <QRgb>
#include <cstdint>
#include <optional>
#include <vector>

namespace qb::wmf {

inline constexpr int kBkTransparent = 1;
inline constexpr int kBkOpaque = 2;
inline constexpr int kFillAlternate = 1;
inline constexpr int kFillWinding = 2;
inline constexpr int kStretchBlackOnWhite = 1;
inline constexpr int kStretchHalftone = 4;

inline constexpr uint16_t kAlignUpdateCp = 0x0001;
inline constexpr uint16_t kAlignRight = 0x0002;
inline constexpr uint16_t kAlignCenter = 0x0006;
inline constexpr uint16_t kAlignHorizontalMask = 0x0006;
inline constexpr uint16_t kAlignBottom = 0x0008;
inline constexpr uint16_t kAlignBaseline = 0x0018;
inline constexpr uint16_t kAlignVerticalMask = 0x0018;

// A new device context: black pen, white brush, default font, white opaque
// background, black text, copy pen, alternate fill.
struct DcState {
  Mapping mapping;
  MetaPen pen;
  MetaBrush brush;
  MetaFont font;
  MetaPalette palette;
  QRgb bkColor = qRgb(255, 255, 255);
  int bkMode = kBkOpaque;
  QRgb textColor = qRgb(0, 0, 0);
  uint16_t textAlign = 0;
  int textCharExtra = 0;
  int polyFillMode = kFillAlternate;
  int rop2 = kRop2CopyPen;
  int stretchMode = kStretchBlackOnWhite;
  QPoint currentPosition;       // logical
  std::optional<QRegion> clip;  // device pixels; none = the whole picture
};

class DcStateStack {
 public:
  // Saves beyond kMaxDepth are ignored, as the system refuses them when its
  // memory runs out; no real picture nests that deep.
  static constexpr size_t kMaxDepth = 1024;
  void Save(const DcState& state) {
    if (saved_.size() < kMaxDepth) saved_.push_back(state);
  }
  // RestoreDC: a negative level counts back from the most recent save, a
  // positive one names a save by its depth (1 = the first). States above the
  // restored one are discarded. A level that does not exist changes nothing.
  bool Restore(int level, DcState* current);
  size_t depth() const { return saved_.size(); }

 private:
  std::vector<DcState> saved_;
};

}  // namespace qb::wmf
