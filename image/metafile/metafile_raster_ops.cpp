#include "image/metafile/metafile_raster_ops.h"

namespace qb::wmf {

namespace {
using Mode = QPainter::CompositionMode;
}  // namespace

Rop2Effect EffectOfRop2(int rop2) {
  Rop2Effect effect;
  switch (rop2) {
    case kRop2Black: effect.color = qRgb(0, 0, 0); break;
    case 2: effect.mode = Mode::RasterOp_NotSourceAndNotDestination; break;  // R2_NOTMERGEPEN
    case 3: effect.mode = Mode::RasterOp_NotSourceAndDestination; break;     // R2_MASKNOTPEN
    case 4: effect.mode = Mode::RasterOp_NotSource; break;                   // R2_NOTCOPYPEN
    case 5: effect.mode = Mode::RasterOp_SourceAndNotDestination; break;     // R2_MASKPENNOT
    case 6: effect.mode = Mode::RasterOp_NotDestination; break;              // R2_NOT
    case 7: effect.mode = Mode::RasterOp_SourceXorDestination; break;        // R2_XORPEN
    case 8: effect.mode = Mode::RasterOp_NotSourceOrNotDestination; break;   // R2_NOTMASKPEN
    case 9: effect.mode = Mode::RasterOp_SourceAndDestination; break;        // R2_MASKPEN
    case 10: effect.mode = Mode::RasterOp_NotSourceXorDestination; break;    // R2_NOTXORPEN
    case kRop2Nop: effect.draws = false; break;
    case 12: effect.mode = Mode::RasterOp_NotSourceOrDestination; break;  // R2_MERGENOTPEN
    case 14: effect.mode = Mode::RasterOp_SourceOrNotDestination; break;  // R2_MERGEPENNOT
    case 15: effect.mode = Mode::RasterOp_SourceOrDestination; break;     // R2_MERGEPEN
    case kRop2White: effect.color = qRgb(255, 255, 255); break;
    default: break;
  }
  return effect;
}

BlitEffect EffectOfTernaryRop(uint32_t rop) {
  using Input = BlitEffect::Input;
  switch ((rop >> 16) & 0xFF) {
    case 0xCC: return {Input::Source, Mode::CompositionMode_Source, 0};                   // SRCCOPY
    case 0xEE: return {Input::Source, Mode::RasterOp_SourceOrDestination, 0};             // SRCPAINT
    case 0x88: return {Input::Source, Mode::RasterOp_SourceAndDestination, 0};            // SRCAND
    case 0x66: return {Input::Source, Mode::RasterOp_SourceXorDestination, 0};            // SRCINVERT
    case 0x44: return {Input::Source, Mode::RasterOp_SourceAndNotDestination, 0};         // SRCERASE
    case 0x33: return {Input::Source, Mode::RasterOp_NotSource, 0};                       // NOTSRCCOPY
    case 0x11: return {Input::Source, Mode::RasterOp_NotSourceAndNotDestination, 0};      // NOTSRCERASE
    case 0xBB: return {Input::Source, Mode::RasterOp_NotSourceOrDestination, 0};          // MERGEPAINT
    case 0x22: return {Input::Source, Mode::RasterOp_NotSourceAndDestination, 0};         // DSna
    case 0x99: return {Input::Source, Mode::RasterOp_NotSourceXorDestination, 0};         // DSxn
    case 0xDD: return {Input::Source, Mode::RasterOp_SourceOrNotDestination, 0};          // SDno
    case 0x77: return {Input::Source, Mode::RasterOp_NotSourceOrNotDestination, 0};       // DSan
    case 0xF0: return {Input::Pattern, Mode::CompositionMode_Source, 0};                  // PATCOPY
    case 0x0F: return {Input::Pattern, Mode::RasterOp_NotSource, 0};                      // PATNOT
    case 0x5A: return {Input::Pattern, Mode::RasterOp_SourceXorDestination, 0};           // PATINVERT
    case 0xA0: return {Input::Pattern, Mode::RasterOp_SourceAndDestination, 0};           // DPa
    case 0xFA: return {Input::Pattern, Mode::RasterOp_SourceOrDestination, 0};            // DPo
    case 0x55: return {Input::Color, Mode::RasterOp_NotDestination, qRgb(0, 0, 0)};       // DSTINVERT
    case 0x00: return {Input::Color, Mode::CompositionMode_Source, qRgb(0, 0, 0)};        // BLACKNESS
    case 0xFF: return {Input::Color, Mode::CompositionMode_Source, qRgb(255, 255, 255)};  // WHITENESS
    default: return {};
  }
}

}  // namespace qb::wmf
