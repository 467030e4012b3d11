#include "image/metafile/metafile_fonts.h"

#include "image/metafile/metafile_text_codec.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace qb::wmf {

namespace {

constexpr double kDefaultCellPixels = 16;
constexpr double kMaxEmPixels = 16384;
constexpr int kReferencePixels = 100;
constexpr int kNormalWeight = 400;
constexpr uint8_t kFixedPitch = 0x01;
constexpr uint8_t kFamilyMask = 0xF0;
constexpr uint8_t kFamilyRoman = 0x10;
constexpr uint8_t kFamilySwiss = 0x20;
constexpr uint8_t kFamilyModern = 0x30;
constexpr uint8_t kFamilyScript = 0x40;

const QStringList kGothic = {QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic")};
const QStringList kPGothic = {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")};
const QStringList kMincho = {QStringLiteral("IPAMincho"), QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic")};
const QStringList kPMincho = {QStringLiteral("IPAPMincho"), QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")};

struct JapaneseFace {
  const char16_t* folded;
  const QStringList* families;
};

// The faces of Japanese Windows, in their Japanese and romanised spellings.
const JapaneseFace kJapaneseFaces[] = {
    {u"msゴシック", &kGothic},    {u"msgothic", &kGothic},    {u"mspゴシック", &kPGothic}, {u"mspgothic", &kPGothic},
    {u"msuiゴシック", &kPGothic}, {u"msuigothic", &kPGothic}, {u"ms明朝", &kMincho},       {u"msmincho", &kMincho},
    {u"msp明朝", &kPMincho},      {u"mspmincho", &kPMincho},  {u"メイリオ", &kPGothic},    {u"meiryo", &kPGothic},
    {u"ゴシック", &kGothic},      {u"明朝", &kMincho},        {u"osaka", &kPGothic},       {u"osaka等幅", &kGothic},
};

QString GenericFamily(uint8_t pitchAndFamily) {
  switch (pitchAndFamily & kFamilyMask) {
    case kFamilyRoman: return QStringLiteral("serif");
    case kFamilyModern: return QStringLiteral("monospace");
    case kFamilyScript: return QStringLiteral("cursive");
    case kFamilySwiss: return QStringLiteral("sans-serif");
    default: return {};
  }
}

QFont::StyleHint StyleHintFor(uint8_t pitchAndFamily) {
  switch (pitchAndFamily & kFamilyMask) {
    case kFamilyRoman: return QFont::Serif;
    case kFamilyModern: return QFont::TypeWriter;
    case kFamilyScript: return QFont::Cursive;
    case kFamilySwiss: return QFont::SansSerif;
    default: return QFont::AnyStyle;
  }
}

void AppendMissing(QStringList* list, const QStringList& more) {
  for (const QString& family : more) {
    if (!list->contains(family)) list->append(family);
  }
}

}  // namespace

QString FoldFaceName(const QString& face) {
  QString folded;
  folded.reserve(face.size());
  for (QChar c : face) {
    char16_t u = c.unicode();
    if (u >= 0xFF01 && u <= 0xFF5E) u = static_cast<char16_t>(u - 0xFEE0);  // full-width ASCII
    if (u == 0x3000 || u == u' ') continue;
    folded.append(QChar(u).toLower());
  }
  return folded;
}

QStringList FontFamiliesFor(const MetaFont& font) {
  const bool fixed = (font.pitchAndFamily & 0x03) == kFixedPitch;
  const QStringList& japanese = fixed ? kGothic : kPGothic;
  QStringList families;
  const QString folded = FoldFaceName(font.faceName);
  for (const JapaneseFace& face : kJapaneseFaces) {
    if (folded == QString::fromUtf16(face.folded)) {
      families = *face.families;
      break;
    }
  }
  if (families.isEmpty()) {
    if (!font.faceName.isEmpty()) {
      families.append(font.faceName);
      AppendMissing(&families, QFont::substitutes(font.faceName));
    }
    if (CodePageOfCharset(font.charset) == kSystemCodePage) AppendMissing(&families, japanese);
    const QString generic = GenericFamily(font.pitchAndFamily);
    if (!generic.isEmpty()) AppendMissing(&families, {generic});
  }
  AppendMissing(&families, japanese);
  return families;
}

double EmPixels(int logicalHeight, double deviceScaleY, double emPerCell) {
  double em;
  if (logicalHeight < 0) {
    em = -double(logicalHeight) * std::fabs(deviceScaleY);
  } else if (logicalHeight > 0) {
    em = logicalHeight * std::fabs(deviceScaleY) * emPerCell;
  } else {
    em = kDefaultCellPixels * emPerCell;
  }
  return std::clamp(em, 1.0, kMaxEmPixels);
}

QFont BuildFont(const MetaFont& meta, const Mapping& mapping) {
  QFont font;
  font.setFamilies(FontFamiliesFor(meta));
  font.setStyleHint(StyleHintFor(meta.pitchAndFamily));
  font.setWeight(QFont::Weight(std::clamp(meta.weight <= 0 ? kNormalWeight : int(meta.weight), 1, 1000)));
  font.setItalic(meta.italic);
  font.setUnderline(meta.underline);
  font.setStrikeOut(meta.strikeOut);
  font.setKerning(false);

  font.setPixelSize(kReferencePixels);
  const QFontMetricsF reference(font);
  const double cell = reference.ascent() + reference.descent();
  const double emPerCell = cell > 0 ? kReferencePixels / cell : 1.0;
  const double em = EmPixels(meta.height, mapping.ScaleY(), emPerCell);
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(em))));
  if (meta.width != 0) {
    const double average = QFontMetricsF(font).averageCharWidth();
    if (average > 0) {
      const double wanted = mapping.LengthX(std::abs(int(meta.width)));
      font.setStretch(std::clamp(static_cast<int>(std::lround(100 * wanted / average)), 1, 4000));
    }
  }
  return font;
}

}  // namespace qb::wmf
