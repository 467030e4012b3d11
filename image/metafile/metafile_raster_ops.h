#pragma once
// How GDI's raster operations are carried out with QPainter's composition
// modes: the binary ones (SetROP2) for pens and brushes, and the ternary ones
// of the blit records.

#include <QPainter>
#include <QRgb>
#include <cstdint>
#include <optional>

namespace qb::wmf {

inline constexpr int kRop2Black = 1;
inline constexpr int kRop2Nop = 11;
inline constexpr int kRop2CopyPen = 13;
inline constexpr int kRop2White = 16;

struct Rop2Effect {
  bool draws = true;
  QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
  std::optional<QRgb> color;  // the colour every pixel gets, whatever the pen or brush
};

// Unknown modes draw as R2_COPYPEN.
Rop2Effect EffectOfRop2(int rop2);

struct BlitEffect {
  enum class Input { None, Source, Pattern, Color };
  Input input = Input::None;  // None: the operation is not supported and draws nothing
  QPainter::CompositionMode mode = QPainter::CompositionMode_Source;
  QRgb color = 0;  // for Input::Color
};

BlitEffect EffectOfTernaryRop(uint32_t rop);

}  // namespace qb::wmf
