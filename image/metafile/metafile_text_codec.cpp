#include "image/metafile/metafile_text_codec.h"

#include "common/cp932.h"
#include "image/metafile/metafile_gdi_objects.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <string_view>

namespace qb::wmf {

namespace {

constexpr char16_t kReplacement = 0xFFFD;
constexpr char16_t kSymbolPrivateUse = 0xF000;

// The Symbol font's glyphs from 0x20 to 0x7E and from 0xA0 to 0xFE; 0 where
// the font has none.
constexpr std::array<char16_t, 95> kSymbolLow = {
    0x0020, 0x0021, 0x2200, 0x0023, 0x2203, 0x0025, 0x0026, 0x220B, 0x0028, 0x0029, 0x2217, 0x002B, 0x002C, 0x2212,
    0x002E, 0x002F, 0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037, 0x0038, 0x0039, 0x003A, 0x003B,
    0x003C, 0x003D, 0x003E, 0x003F, 0x2245, 0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393, 0x0397, 0x0399,
    0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F, 0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9,
    0x039E, 0x03A8, 0x0396, 0x005B, 0x2234, 0x005D, 0x22A5, 0x005F, 0x203E, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5,
    0x03C6, 0x03B3, 0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF, 0x03C0, 0x03B8, 0x03C1, 0x03C3,
    0x03C4, 0x03C5, 0x03D6, 0x03C9, 0x03BE, 0x03C8, 0x03B6, 0x007B, 0x007C, 0x007D, 0x223C};
constexpr std::array<char16_t, 95> kSymbolHigh = {
    0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663, 0x2666, 0x2665, 0x2660, 0x2194, 0x2190, 0x2191,
    0x2192, 0x2193, 0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022, 0x00F7, 0x2260, 0x2261, 0x2248,
    0x2026, 0x23D0, 0x23AF, 0x21B5, 0x2135, 0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229, 0x222A, 0x2283,
    0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209, 0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A, 0x22C5,
    0x00AC, 0x2227, 0x2228, 0x21D4, 0x21D0, 0x21D1, 0x21D2, 0x21D3, 0x25CA, 0x2329, 0x00AE, 0x00A9, 0x2122, 0x2211,
    0x239B, 0x239C, 0x239D, 0x23A1, 0x23A2, 0x23A3, 0x23A7, 0x23A8, 0x23A9, 0x23AA, 0,      0x232A, 0x222B, 0x2320,
    0x23AE, 0x2321, 0x239E, 0x239F, 0x23A0, 0x23A4, 0x23A5, 0x23A6, 0x23AB, 0x23AC, 0x23AD};

std::span<const uint8_t> UpToNul(std::span<const uint8_t> bytes) {
  const auto end = std::find(bytes.begin(), bytes.end(), uint8_t{0});
  return bytes.first(static_cast<size_t>(end - bytes.begin()));
}

bool IsLeadByte932(uint8_t byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

QString Decode932(std::span<const uint8_t> bytes) {
  const std::u16string text =
      cp932::Decode(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::vector<TextChar> Decode932Chars(std::span<const uint8_t> bytes) {
  std::vector<TextChar> chars;
  chars.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size();) {
    const size_t length = IsLeadByte932(bytes[i]) && i + 1 < bytes.size() ? 2 : 1;
    chars.push_back({Decode932(bytes.subspan(i, length)), static_cast<int>(length)});
    i += length;
  }
  return chars;
}

// The text of a symbol-charset font: the Symbol font's glyphs as Unicode,
// any other symbol font's through the private-use characters.
std::vector<TextChar> DecodeSymbolChars(std::span<const uint8_t> bytes, bool symbolFont) {
  std::vector<TextChar> chars;
  chars.reserve(bytes.size());
  for (uint8_t byte : bytes) {
    const char16_t c = symbolFont ? SymbolFontChar(byte) : static_cast<char16_t>(kSymbolPrivateUse + byte);
    chars.push_back({QString(QChar(c)), 1});
  }
  return chars;
}

// A converter from one code page to UTF-16, one character at a time, so
// that every character's byte count is known.
class CodePageConverter {
 public:
  explicit CodePageConverter(const char* name) : cd_(iconv_open("UTF-16LE", name)) {}
  ~CodePageConverter() {
    if (ok()) iconv_close(cd_);
  }
  CodePageConverter(const CodePageConverter&) = delete;
  CodePageConverter& operator=(const CodePageConverter&) = delete;

  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  enum class Result { Decoded, Incomplete, Undefined };

  // Decodes exactly bytes as one character (or a base and its marks).
  Result Decode(std::span<const uint8_t> bytes, QString* text) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char16_t out[8];
    char* in = reinterpret_cast<char*>(const_cast<uint8_t*>(bytes.data()));
    size_t inLeft = bytes.size();
    char* to = reinterpret_cast<char*>(out);
    size_t toLeft = sizeof out;
    if (iconv(cd_, &in, &inLeft, &to, &toLeft) == static_cast<size_t>(-1)) {
      return errno == EINVAL ? Result::Incomplete : Result::Undefined;
    }
    // Code pages with combining marks hold a character back until the next.
    if (iconv(cd_, nullptr, nullptr, &to, &toLeft) == static_cast<size_t>(-1)) return Result::Undefined;
    const auto units = static_cast<qsizetype>((sizeof out - toLeft) / sizeof(char16_t));
    if (units == 0) return Result::Undefined;
    *text = QString::fromUtf16(out, units);
    return Result::Decoded;
  }

 private:
  iconv_t cd_;
};

std::vector<TextChar> DecodeCodePageChars(std::span<const uint8_t> bytes, const char* converterName) {
  std::vector<TextChar> chars;
  chars.reserve(bytes.size());
  CodePageConverter converter(converterName);
  for (size_t i = 0; i < bytes.size();) {
    QString text;
    using Result = CodePageConverter::Result;
    const Result one = converter.ok() ? converter.Decode(bytes.subspan(i, 1), &text) : Result::Undefined;
    int length = 0;
    if (one == Result::Decoded) {
      length = 1;
    } else if (one == Result::Incomplete && i + 1 < bytes.size() &&
               converter.Decode(bytes.subspan(i, 2), &text) == Result::Decoded) {
      length = 2;
    }
    if (length > 0 && !chars.empty() && text.front().isMark()) {
      // A combining mark (Vietnamese tones, Thai vowels) belongs with its
      // base character, composed where Unicode has the pair as one.
      TextChar& base = chars.back();
      base.text = (base.text + text).normalized(QString::NormalizationForm_C);
      base.bytes += length;
      i += length;
    } else if (length > 0) {
      chars.push_back({text, length});
      i += length;
    } else {
      chars.push_back({QString(QChar(one == Result::Incomplete ? kReplacement : char16_t{bytes[i]})), 1});
      ++i;
    }
  }
  return chars;
}

bool IsSymbolFace(const QString& faceName) {
  const QString face = faceName.trimmed();
  return face.isEmpty() || face.compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0;
}

}  // namespace

int CodePageOfCharset(uint8_t charset) {
  switch (charset) {
    case kAnsiCharset: return 1252;
    case kSymbolCharset: return kSymbolCodePage;
    case kMacCharset: return 10000;
    case kHangulCharset: return 949;
    case kJohabCharset: return 1361;
    case kGb2312Charset: return 936;
    case kChineseBig5Charset: return 950;
    case kGreekCharset: return 1253;
    case kTurkishCharset: return 1254;
    case kVietnameseCharset: return 1258;
    case kHebrewCharset: return 1255;
    case kArabicCharset: return 1256;
    case kBalticCharset: return 1257;
    case kRussianCharset: return 1251;
    case kThaiCharset: return 874;
    case kEastEuropeCharset: return 1250;
    default: return kSystemCodePage;  // default, Shift-JIS, OEM and unknown sets
  }
}

const char* ConverterNameOfCodePage(int codePage) {
  switch (codePage) {
    case 874: return "CP874";
    case 936: return "CP936";
    case 949: return "CP949";
    case 950: return "CP950";
    case 1250: return "CP1250";
    case 1251: return "CP1251";
    case 1252: return "CP1252";
    case 1253: return "CP1253";
    case 1254: return "CP1254";
    case 1255: return "CP1255";
    case 1256: return "CP1256";
    case 1257: return "CP1257";
    case 1258: return "CP1258";
    case 1361: return "JOHAB";
    case 10000: return "MACINTOSH";
    default: return nullptr;
  }
}

char16_t SymbolFontChar(uint8_t byte) {
  char16_t c = 0;
  if (byte >= 0x20 && byte <= 0x7E) c = kSymbolLow[byte - 0x20];
  if (byte >= 0xA0 && byte <= 0xFE) c = kSymbolHigh[byte - 0xA0];
  return c != 0 ? c : static_cast<char16_t>(kSymbolPrivateUse + byte);
}

std::vector<TextChar> DecodeTextBytes(std::span<const uint8_t> bytes, uint8_t charset, const QString& faceName) {
  const int codePage = CodePageOfCharset(charset);
  if (codePage == kSymbolCodePage) return DecodeSymbolChars(bytes, IsSymbolFace(faceName));
  if (codePage == kSystemCodePage) return Decode932Chars(bytes);
  return DecodeCodePageChars(bytes, ConverterNameOfCodePage(codePage));
}

QString DecodeFaceName(std::span<const uint8_t> bytes, uint8_t charset) {
  const std::span<const uint8_t> name = UpToNul(bytes);
  int codePage = CodePageOfCharset(charset);
  if (codePage == kSystemCodePage) return Decode932(name);
  // Symbol fonts have plain Western names.
  if (codePage == kSymbolCodePage) codePage = 1252;
  QString face;
  for (const TextChar& c : DecodeCodePageChars(name, ConverterNameOfCodePage(codePage))) face += c.text;
  return face;
}

}  // namespace qb::wmf
