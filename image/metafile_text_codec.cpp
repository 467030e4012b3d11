#include "image/metafile_text_codec.h"

#include "common/cp932.h"
#include "image/metafile_gdi_objects.h"

#include <algorithm>
#include <string_view>

namespace qb::wmf {

namespace {

// Code page 1252 at 0x80..0x9F; the unassigned bytes map to themselves, as
// Windows' conversion does.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool IsLeadByte932(uint8_t byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

QString Decode932(std::span<const uint8_t> bytes) {
  const std::u16string text = cp932::Decode(
      std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QChar Decode1252(uint8_t byte) {
  if (byte >= 0x80 && byte <= 0x9F) return QChar(kCp1252High[byte - 0x80]);
  return QChar(byte);
}

}  // namespace

bool UsesCodePage932(uint8_t charset) {
  return charset == kShiftJisCharset || charset == kDefaultCharset;
}

std::vector<TextChar> DecodeTextBytes(std::span<const uint8_t> bytes, uint8_t charset) {
  std::vector<TextChar> chars;
  chars.reserve(bytes.size());
  const bool dbcs = UsesCodePage932(charset);
  for (size_t i = 0; i < bytes.size();) {
    if (!dbcs) {
      chars.push_back({QString(Decode1252(bytes[i])), 1});
      ++i;
      continue;
    }
    const size_t length = IsLeadByte932(bytes[i]) && i + 1 < bytes.size() ? 2 : 1;
    chars.push_back({Decode932(bytes.subspan(i, length)), static_cast<int>(length)});
    i += length;
  }
  return chars;
}

QString DecodeFaceName(std::span<const uint8_t> bytes) {
  const auto end = std::find(bytes.begin(), bytes.end(), uint8_t{0});
  return Decode932(bytes.first(static_cast<size_t>(end - bytes.begin())));
}

}  // namespace qb::wmf
