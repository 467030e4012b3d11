#include "common/cp932.h"
#include "image/metafile/metafile_fonts.h"
#include "image/metafile/metafile_text_codec.h"
#include "metafile_builder.h"

#include <gtest/gtest.h>

namespace qb::wmf {
namespace {

using test::DarkPixels;
using test::FontRecord;
using test::MetafileBuilder;
using test::RenderForTest;

QByteArray Sjis(std::u16string_view text) {
  const std::string bytes = cp932::Encode(text);
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::span<const uint8_t> Span(const QByteArray& bytes) {
  return {reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())};
}

TEST(MetafileTextCodec, ShiftJisAndDefaultCharsetsReadCodePage932) {
  const QByteArray nihon = Sjis(u"日本a");
  for (uint8_t charset : {kShiftJisCharset, kDefaultCharset}) {
    const auto chars = DecodeTextBytes(Span(nihon), charset, {});
    ASSERT_EQ(chars.size(), 3u);
    EXPECT_EQ(chars[0].text, QString::fromUtf16(u"日"));
    EXPECT_EQ(chars[0].bytes, 2);
    EXPECT_EQ(chars[2].text, QStringLiteral("a"));
    EXPECT_EQ(chars[2].bytes, 1);
  }
  const QByteArray cutLead("\x93", 1);  // a lead byte without its trail byte
  const auto cut = DecodeTextBytes(Span(cutLead), kShiftJisCharset, {});
  ASSERT_EQ(cut.size(), 1u);
  EXPECT_EQ(cut[0].text, QString(QChar(0x30FB)));
}

TEST(MetafileTextCodec, AnsiCharsetReadsCodePage1252) {
  const QByteArray bytes("\x80\xe9\x8d", 3);
  const auto chars = DecodeTextBytes(Span(bytes), kAnsiCharset, QStringLiteral("Arial"));
  ASSERT_EQ(chars.size(), 3u);
  EXPECT_EQ(chars[0].text, QString(QChar(0x20AC)));
  EXPECT_EQ(chars[1].text, QString(QChar(0xE9)));
  EXPECT_EQ(chars[2].text, QString(QChar(0x8D)));
}

TEST(MetafileTextCodec, FaceNameEndsAtNul) {
  QByteArray face = Sjis(u"ＭＳ 明朝");
  face.append('\0');
  face.append("junk");
  EXPECT_EQ(DecodeFaceName(Span(face), kShiftJisCharset), QString::fromUtf16(u"ＭＳ 明朝"));
}

TEST(MetafileFonts, JapaneseWindowsFacesMapToInstalledJapaneseFonts) {
  MetaFont font;
  font.faceName = QString::fromUtf16(u"ＭＳ ゴシック");
  EXPECT_EQ(FontFamiliesFor(font).first(), QStringLiteral("IPAGothic"));
  font.faceName = QStringLiteral("MS PGothic");
  EXPECT_EQ(FontFamiliesFor(font).first(), QStringLiteral("IPAPGothic"));
  font.faceName = QString::fromUtf16(u"ＭＳ Ｐ明朝");
  EXPECT_EQ(FontFamiliesFor(font).first(), QStringLiteral("IPAPMincho"));
  EXPECT_TRUE(FontFamiliesFor(font).contains(QStringLiteral("IPAPGothic")));
  EXPECT_EQ(FoldFaceName(QString::fromUtf16(u"ＭＳ　Ｐゴシック")), QString::fromUtf16(u"mspゴシック"));
}

TEST(MetafileFonts, OtherFacesKeepTheirNameAndFallBackToJapanese) {
  MetaFont font;
  font.faceName = QStringLiteral("Arial");
  font.charset = kAnsiCharset;
  font.pitchAndFamily = 0x22;  // variable pitch, swiss
  const QStringList families = FontFamiliesFor(font);
  EXPECT_EQ(families.first(), QStringLiteral("Arial"));
  EXPECT_TRUE(families.contains(QStringLiteral("sans-serif")));
  EXPECT_EQ(families.last(), QStringLiteral("IPAGothic"));

  font.faceName.clear();
  font.charset = kShiftJisCharset;
  font.pitchAndFamily = 0x01;  // fixed pitch
  EXPECT_EQ(FontFamiliesFor(font).first(), QStringLiteral("IPAGothic"));
}

TEST(MetafileFonts, HeightSignSelectsCharacterOrCellHeight) {
  EXPECT_DOUBLE_EQ(EmPixels(-20, 2.0, 0.8), 40.0);
  EXPECT_DOUBLE_EQ(EmPixels(20, -2.0, 0.8), 32.0);
  EXPECT_DOUBLE_EQ(EmPixels(0, 5.0, 0.75), 12.0);
  EXPECT_DOUBLE_EQ(EmPixels(-1, 0.01, 1.0), 1.0);
  EXPECT_DOUBLE_EQ(EmPixels(-32768, 1000.0, 1.0), 16384.0);
}

FontRecord Font(uint8_t charset, std::u16string_view face, int16_t height = -24) {
  FontRecord font;
  font.height = height;
  font.charset = charset;
  font.face = Sjis(face);
  return font;
}

TEST(MetafileTextRender, JapaneseTextDrawsInsideItsBox) {
  const QImage image = RenderForTest(MetafileBuilder(0, 0, 200, 60)
                                         .CreateFont(Font(kShiftJisCharset, u"ＭＳ ゴシック"))
                                         .SelectObject(0)
                                         .SetBkMode(1)
                                         .TextOut(10, 10, Sjis(u"日本語の本"))
                                         .Build());
  const int inside = DarkPixels(image, QRect(10, 10, 125, 30));
  EXPECT_GT(inside, 100);
  EXPECT_EQ(DarkPixels(image, image.rect()), inside);
  EXPECT_GT(DarkPixels(image, QRect(100, 10, 35, 30)), 10) << "the fifth character at 106..130";
}

TEST(MetafileTextRender, AsciiTextWithAlignmentAndOpaqueBackground) {
  const QImage right = RenderForTest(MetafileBuilder(0, 0, 200, 60)
                                         .CreateFont(Font(kAnsiCharset, u"Arial"))
                                         .SelectObject(0)
                                         .SetTextAlign(0x0002 | 0x0018)  // TA_RIGHT | TA_BASELINE
                                         .SetBkColor(qRgb(255, 255, 0))
                                         .TextOut(150, 40, "Hello")
                                         .Build());
  EXPECT_EQ(DarkPixels(right, QRect(151, 0, 49, 60)), 0) << "ends at the reference point";
  EXPECT_GT(DarkPixels(right, QRect(60, 10, 90, 30)), 50);
  EXPECT_TRUE(test::IsColor(right, 149, 20, qRgb(255, 255, 0))) << "opaque background box";
  EXPECT_TRUE(test::IsColor(right, 148, 50, qRgb(255, 255, 255))) << "below the descent";
}

TEST(MetafileTextRender, ExtTextOutOpaqueRectangleAndSpacing) {
  const QRgb yellow = qRgb(255, 255, 0);
  const QImage image = RenderForTest(MetafileBuilder(0, 0, 200, 100)
                                         .CreateFont(Font(kAnsiCharset, u"Arial"))
                                         .SelectObject(0)
                                         .SetBkColor(yellow)
                                         .SetBkMode(1)
                                         .ExtTextOut(0, 0, 0x0002, QRect(QPoint(10, 60), QPoint(50, 90)), "")
                                         .ExtTextOut(0, 10, 0, {}, "iii", {60, 60, 60})
                                         .Build());
  EXPECT_TRUE(test::IsColor(image, 10, 60, yellow));
  EXPECT_TRUE(test::IsColor(image, 49, 89, yellow));
  EXPECT_TRUE(test::IsColor(image, 50, 90, qRgb(255, 255, 255)));
  EXPECT_GT(DarkPixels(image, QRect(120, 10, 20, 30)), 0) << "third i placed at x = 120";
  EXPECT_EQ(DarkPixels(image, QRect(20, 0, 30, 60)), 0) << "gap after the first i";
}

TEST(MetafileTextRender, UpdateCpContinuesFromTheCurrentPosition) {
  const QImage image = RenderForTest(MetafileBuilder(0, 0, 300, 60)
                                         .CreateFont(Font(kAnsiCharset, u"Arial"))
                                         .SelectObject(0)
                                         .SetBkMode(1)
                                         .SetTextAlign(0x0001)  // TA_UPDATECP
                                         .MoveTo(150, 10)
                                         .TextOut(0, 0, "MM")
                                         .TextOut(0, 0, "MM")
                                         .Build());
  EXPECT_EQ(DarkPixels(image, QRect(0, 0, 150, 60)), 0) << "the record's own point is ignored";
  const int first = DarkPixels(image, QRect(150, 0, 40, 60));
  EXPECT_GT(first, 0);
  EXPECT_GT(DarkPixels(image, QRect(190, 0, 40, 60)), first / 2) << "the second string follows the first";
}

TEST(MetafileTextRender, EscapementRotatesCounterClockwise) {
  FontRecord font = Font(kAnsiCharset, u"Arial", -20);
  font.escapement = 900;
  const QImage image = RenderForTest(
      MetafileBuilder(0, 0, 100, 200).CreateFont(font).SelectObject(0).SetBkMode(1).TextOut(20, 180, "WWWWW").Build());
  EXPECT_GT(DarkPixels(image, QRect(20, 80, 30, 100)), 100) << "runs upwards to the right of x";
  EXPECT_EQ(DarkPixels(image, QRect(45, 0, 55, 200)), 0);
  EXPECT_EQ(DarkPixels(image, QRect(0, 181, 100, 19)), 0);
}

}  // namespace
}  // namespace qb::wmf
