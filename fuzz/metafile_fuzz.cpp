// libFuzzer target for the metafile player, run without a QGuiApplication as
// in a batch tool: text records are checked but not drawn. Inputs whose
// frame is larger than a screen are skipped so the fuzzer spends its time on
// records rather than on filling huge white pictures.
#include "image/metafile/metafile_header.h"
#include "image/metafile/metafile_player.h"

#include <QByteArray>
#include <QImage>
#include <cstddef>
#include <cstdint>
#include <span>

namespace {
constexpr int kMaxFuzzedSide = 2048;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto header = qb::wmf::ParsePlaceableHeader(std::span<const uint8_t>(data, size));
  if (header) {
    const auto frame = qb::wmf::NaturalFrameSize(*header, nullptr);
    if (frame && (frame->width > kMaxFuzzedSide || frame->height > kMaxFuzzedSide)) return 0;
  }
  QImage image;
  const qb::Outcome rendered =
      qb::RenderMetafile(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), image);
  if (rendered && (image.isNull() || image.format() != QImage::Format_RGB32)) __builtin_trap();
  if (!rendered && rendered.why().empty()) __builtin_trap();
  return 0;
}
