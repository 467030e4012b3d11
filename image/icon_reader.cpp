#include "image/icon_reader.h"

#include <QBuffer>
#include <QImageReader>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "image/byte_fields.h"
#include "image/opaque_picture.h"
#include "image/qt_failure.h"

namespace qb {

namespace {

constexpr qsizetype kDirectoryHeaderSize = 6;
constexpr qsizetype kDirectoryEntrySize = 16;
constexpr std::uint16_t kIconType = 1;
constexpr int kPreferredSide = 32;

constexpr std::uint32_t kMinDibHeaderSize = 40;
constexpr std::uint32_t kDibRgb = 0;
constexpr QByteArrayView kPngSignature("\x89PNG\r\n\x1a\n", 8);
constexpr qsizetype kPngHeaderEnd = 8 + 8 + 13;  // signature, IHDR length and type, IHDR data

constexpr QRgb kWhite = 0x00FFFFFFu;

bool SideAllowed(std::int64_t side) { return side >= 1 && side <= kMaxIconSide; }

// Where the parts of an entry's device-independent bitmap lie: the header,
// the colour table, the colour (XOR) rows and the mask (AND) rows, both
// bottom-up. The header's height covers both bitmaps, so it is doubled.
struct DibLayout {
  int width = 0;
  int height = 0;
  int bits = 0;
  int colours = 0;
  qsizetype paletteAt = 0;
  qsizetype colourAt = 0;
  qsizetype colourStride = 0;
  qsizetype maskAt = 0;
  qsizetype maskStride = 0;
};

std::optional<DibLayout> ReadDibLayout(QByteArrayView entry) {
  if (entry.size() < kMinDibHeaderSize) return std::nullopt;
  const std::uint32_t headerSize = U32Le(entry, 0);
  if (headerSize < kMinDibHeaderSize || headerSize > static_cast<std::uint64_t>(entry.size())) return std::nullopt;
  const std::int32_t width = I32Le(entry, 4);
  const std::int32_t doubledHeight = I32Le(entry, 8);
  const int bits = U16Le(entry, 14);
  const std::uint32_t compression = U32Le(entry, 16);
  const std::uint32_t coloursUsed = U32Le(entry, 32);
  if (!SideAllowed(width) || doubledHeight % 2 != 0 || !SideAllowed(doubledHeight / 2)) return std::nullopt;
  if (!(bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32) || compression != kDibRgb) return std::nullopt;

  DibLayout d;
  d.width = width;
  d.height = doubledHeight / 2;
  d.bits = bits;
  if (bits <= 8) {
    const std::uint32_t tableSize = 1u << bits;
    if (coloursUsed > tableSize) return std::nullopt;
    d.colours = static_cast<int>(coloursUsed != 0 ? coloursUsed : tableSize);
  }
  d.paletteAt = headerSize;
  d.colourAt = d.paletteAt + qsizetype{d.colours} * 4;
  d.colourStride = (qsizetype{d.width} * bits + 31) / 32 * 4;
  d.maskAt = d.colourAt + d.colourStride * d.height;
  d.maskStride = (qsizetype{d.width} + 31) / 32 * 4;
  if (d.maskAt > entry.size()) return std::nullopt;  // the colour rows must all be there
  return d;
}

std::optional<IconCandidate> ReadPngCandidate(QByteArrayView entry) {
  if (entry.size() < kPngHeaderEnd || entry.sliced(12, 4) != QByteArrayView("IHDR")) return std::nullopt;
  const std::uint32_t width = U32Be(entry, 16);
  const std::uint32_t height = U32Be(entry, 20);
  const int sampleBits = ByteAt(entry, 24);
  int samples = 0;
  switch (ByteAt(entry, 25)) {
    case 0: samples = 1; break;  // grey
    case 2: samples = 3; break;  // RGB
    case 3: samples = 1; break;  // palette
    case 4: samples = 2; break;  // grey and alpha
    case 6: samples = 4; break;  // RGBA
    default: return std::nullopt;
  }
  if (!SideAllowed(width) || !SideAllowed(height)) return std::nullopt;
  return IconCandidate{static_cast<int>(width), static_cast<int>(height), sampleBits * samples};
}

bool IsPng(QByteArrayView entry) { return entry.startsWith(kPngSignature); }

std::optional<IconCandidate> ReadCandidate(QByteArrayView entry) {
  if (IsPng(entry)) return ReadPngCandidate(entry);
  const std::optional<DibLayout> d = ReadDibLayout(entry);
  if (!d) return std::nullopt;
  return IconCandidate{d->width, d->height, d->bits};
}

// The colour bitmap as stored, top row first; alpha is meaningful only for
// 32-bit entries (0 elsewhere).
QImage ReadColourRows(QByteArrayView entry, const DibLayout& d, bool* alphaUsed) {
  std::array<QRgb, 256> palette{};
  for (int i = 0; i < d.colours; ++i) {
    const qsizetype at = d.paletteAt + qsizetype{i} * 4;
    palette[i] = qRgba(ByteAt(entry, at + 2), ByteAt(entry, at + 1), ByteAt(entry, at), 0);
  }
  QImage image(d.width, d.height, QImage::Format_ARGB32);
  bool anyAlpha = false;
  for (int row = 0; row < d.height; ++row) {
    const auto* src = reinterpret_cast<const std::uint8_t*>(entry.data() + d.colourAt + d.colourStride * row);
    auto* dst = reinterpret_cast<QRgb*>(image.scanLine(d.height - 1 - row));
    for (int x = 0; x < d.width; ++x) {
      switch (d.bits) {
        case 1: dst[x] = palette[(src[x >> 3] >> (7 - (x & 7))) & 1]; break;
        case 4: dst[x] = palette[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F]; break;
        case 8: dst[x] = palette[src[x]]; break;
        case 24: dst[x] = qRgba(src[3 * x + 2], src[3 * x + 1], src[3 * x], 0); break;
        default:
          dst[x] = qRgba(src[4 * x + 2], src[4 * x + 1], src[4 * x], src[4 * x + 3]);
          anyAlpha = anyAlpha || src[4 * x + 3] != 0;
          break;
      }
    }
  }
  *alphaUsed = anyAlpha;
  return image;
}

// The icon drawn over white: white AND mask, then XOR colour. Mask bits of 1
// show white where the colour is black and invert white elsewhere.
QImage ApplyMaskOverWhite(QByteArrayView entry, const DibLayout& d, const QImage& colour) {
  QImage image(d.width, d.height, QImage::Format_RGB32);
  for (int row = 0; row < d.height; ++row) {
    const auto* mask = reinterpret_cast<const std::uint8_t*>(entry.data() + d.maskAt + d.maskStride * row);
    const int y = d.height - 1 - row;
    const auto* src = reinterpret_cast<const QRgb*>(colour.constScanLine(y));
    auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < d.width; ++x) {
      const bool masked = (mask[x >> 3] >> (7 - (x & 7))) & 1;
      const QRgb rgb = src[x] & kWhite;
      dst[x] = 0xFF000000u | (masked ? rgb ^ kWhite : rgb);
    }
  }
  return image;
}

Outcome DecodeDibEntry(QByteArrayView entry, QImage& image) {
  const std::optional<DibLayout> d = ReadDibLayout(entry);
  if (!d) return QtFailure(QStringLiteral("the icon image is damaged"));
  bool alphaUsed = false;
  const QImage colour = ReadColourRows(entry, *d, &alphaUsed);
  if (alphaUsed) {
    image = CompositeOverWhite(colour);
    return Outcome::Success();
  }
  if (d->maskAt + d->maskStride * d->height > entry.size())
    return QtFailure(QStringLiteral("the icon image's mask is cut short"));
  image = ApplyMaskOverWhite(entry, *d, colour);
  return Outcome::Success();
}

Outcome DecodePngEntry(QByteArrayView entry, const IconCandidate& info, QImage& image) {
  QByteArray bytes = QByteArray::fromRawData(entry.data(), entry.size());
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "png");
  QImage decoded;
  if (!reader.read(&decoded) || decoded.size() != QSize(info.width, info.height))
    return QtFailure(QStringLiteral("the icon's PNG image is damaged"));
  image = CompositeOverWhite(decoded);
  return Outcome::Success();
}

}  // namespace

std::size_t ChooseIconEntry(std::span<const IconCandidate> entries) {
  auto preferred = [](const IconCandidate& e) { return e.width == kPreferredSide && e.height == kPreferredSide; };
  auto area = [](const IconCandidate& e) { return std::int64_t{e.width} * e.height; };
  std::size_t best = 0;
  for (std::size_t i = 1; i < entries.size(); ++i) {
    const IconCandidate& e = entries[i];
    const IconCandidate& b = entries[best];
    bool better = false;
    if (preferred(e) != preferred(b)) {
      better = preferred(e);
    } else if (!preferred(e) && area(e) != area(b)) {
      better = area(e) > area(b);
    } else {
      better = e.depth > b.depth;
    }
    if (better) best = i;
  }
  return best;
}

Outcome DecodeIcon(const QByteArray& data, QImage& image) {
  const QByteArrayView file(data);
  if (file.size() < kDirectoryHeaderSize || U16Le(file, 0) != 0 || U16Le(file, 2) != kIconType)
    return QtFailure(QStringLiteral("not an icon file"));
  const int count = U16Le(file, 4);
  if (count == 0) return QtFailure(QStringLiteral("the icon holds no images"));
  const qsizetype directoryEnd = kDirectoryHeaderSize + qsizetype{count} * kDirectoryEntrySize;
  if (directoryEnd > file.size()) return QtFailure(QStringLiteral("the icon directory is cut short"));

  std::vector<QByteArrayView> entries;
  std::vector<IconCandidate> candidates;
  entries.reserve(count);
  candidates.reserve(count);
  for (int i = 0; i < count; ++i) {
    const qsizetype record = kDirectoryHeaderSize + qsizetype{i} * kDirectoryEntrySize;
    const std::int64_t size = U32Le(file, record + 8);
    const std::int64_t offset = U32Le(file, record + 12);
    if (offset < directoryEnd || offset + size > file.size())
      return QtFailure(QStringLiteral("icon image %1 lies outside the file").arg(i + 1));
    const QByteArrayView entry = file.sliced(offset, size);
    const std::optional<IconCandidate> candidate = ReadCandidate(entry);
    if (!candidate) return QtFailure(QStringLiteral("icon image %1 is damaged").arg(i + 1));
    entries.push_back(entry);
    candidates.push_back(*candidate);
  }

  const std::size_t chosen = ChooseIconEntry(candidates);
  QImage decoded;
  Outcome decodedEntry = IsPng(entries[chosen]) ? DecodePngEntry(entries[chosen], candidates[chosen], decoded)
                                                : DecodeDibEntry(entries[chosen], decoded);
  if (!decodedEntry) return decodedEntry;
  image = decoded;
  return Outcome::Success();
}

}  // namespace qb
