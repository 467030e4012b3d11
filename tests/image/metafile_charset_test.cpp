#include "common/cp932.h"
#include "image/metafile/metafile_player.h"
#include "image/metafile/metafile_text_codec.h"
#include "metafile_builder.h"

#include <gtest/gtest.h>

#include <string>

namespace qb::wmf {
namespace {

using test::FontRecord;
using test::MetafileBuilder;

struct CharsetText {
  const char* name;
  uint8_t charset;
  QByteArray face;   // as stored, in the charset's code page
  QByteArray bytes;  // the text record's bytes
  const char16_t* faceWanted;
  const char16_t* textWanted;
};

QByteArray Sjis(std::u16string_view text) {
  const std::string bytes = cp932::Encode(text);
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// One text per character set, written as the bytes Windows stores for it.
const std::vector<CharsetText>& Texts() {
  static const std::vector<CharsetText> texts = {
      {"ansi", kAnsiCharset, "Arial", "caf\xe9 \x80", u"Arial", u"café €"},
      {"default", kDefaultCharset, Sjis(u"ＭＳ 明朝"), Sjis(u"日本語"), u"ＭＳ 明朝", u"日本語"},
      {"symbol", kSymbolCharset, "Symbol", "a\xb4\x62=\xa5", u"Symbol", u"α×β=∞"},
      {"mac", kMacCharset, "Helvetica", "caf\x8e \xa5", u"Helvetica", u"café •"},
      {"shiftjis", kShiftJisCharset, Sjis(u"ＭＳ ゴシック"), Sjis(u"ｶﾅ漢字①"), u"ＭＳ ゴシック", u"ｶﾅ漢字①"},
      {"hangul", kHangulCharset, "\xb1\xbc\xb8\xb2", "\xc7\xd1\xb1\xb9", u"굴림", u"한국"},
      {"johab", kJohabCharset, "Gulim", "\xd0\x65", u"Gulim", u"한"},
      {"gb2312", kGb2312Charset, "\xcb\xce\xcc\xe5", "\xd6\xd0\xce\xc4", u"宋体", u"中文"},
      {"big5", kChineseBig5Charset, "\xb7\x73\xb2\xd3\xa9\xfa\xc5\xe9", "\xa4\xa4\xa4\xe5", u"新細明體", u"中文"},
      {"greek", kGreekCharset, "Arial", "\xe1\xe2\xe3", u"Arial", u"αβγ"},
      {"turkish", kTurkishCharset, "Arial", "\xf0\xfe\xdd", u"Arial", u"ğşİ"},
      {"vietnamese", kVietnameseCharset, "Arial", "Vi\xea\xf2t", u"Arial", u"Việt"},
      {"hebrew", kHebrewCharset, "Arial", "\xf9\xec\xe5\xed", u"Arial", u"שלום"},
      {"arabic", kArabicCharset, "Arial", "\xd3\xe1\xc7\xe3", u"Arial", u"سلام"},
      {"baltic", kBalticCharset, "Arial", "\xe0\xfe", u"Arial", u"ąž"},
      {"russian", kRussianCharset, "\xc0\xf0\xe8\xe0\xeb", "\xcc\xe8\xf0", u"Ариал", u"Мир"},
      {"thai", kThaiCharset, "Tahoma", "\xe4\xb7\xc2\xb7\xd5\xe8", u"Tahoma", u"ไทยที่"},
      {"easteurope", kEastEuropeCharset, "Arial", "\x8elu\x9d", u"Arial", u"Žluť"},
      {"oem", kOemCharset, "Terminal", Sjis(u"全角"), u"Terminal", u"全角"},
  };
  return texts;
}

TEST(MetafileCharsets, EachTextRecordReadsInItsFontsCodePage) {
  MetafileBuilder builder(0, 0, 400, 40);
  bool extTextOut = false;
  for (const CharsetText& t : Texts()) {
    FontRecord font;
    font.charset = t.charset;
    font.face = t.face;
    // Each font is deleted after its text, so the next one takes slot 0 again.
    builder.CreateFont(font).SelectObject(0);
    // ExtTextOut and TextOut take the same way.
    if (extTextOut) {
      builder.ExtTextOut(0, 0, 0, {}, t.bytes);
    } else {
      builder.TextOut(0, 0, t.bytes);
    }
    extTextOut = !extTextOut;
    builder.DeleteObject(0);
  }
  QImage image;
  std::vector<MetafileText> texts;
  const Outcome rendered = RenderMetafile(builder.Build(), image, &texts);
  ASSERT_TRUE(rendered) << rendered.why();
  ASSERT_EQ(texts.size(), Texts().size());
  for (size_t i = 0; i < texts.size(); ++i) {
    const CharsetText& t = Texts()[i];
    EXPECT_EQ(texts[i].text, QString::fromUtf16(t.textWanted)) << t.name << ": " << texts[i].text.toStdString();
    EXPECT_EQ(texts[i].face, QString::fromUtf16(t.faceWanted)) << t.name << ": " << texts[i].face.toStdString();
  }
}

std::span<const uint8_t> Span(const QByteArray& bytes) {
  return {reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())};
}

TEST(MetafileCharsets, CharacterByteCountsFollowTheCodePage) {
  // Spacing arrays have one entry per byte: a double-byte character and a
  // base with its combining mark each take two.
  const auto chinese = DecodeTextBytes(Span("a\xd6\xd0"), kGb2312Charset, {});
  ASSERT_EQ(chinese.size(), 2u);
  EXPECT_EQ(chinese[1].bytes, 2);
  const auto vietnamese = DecodeTextBytes(Span("\xea\xf2"), kVietnameseCharset, {});
  ASSERT_EQ(vietnamese.size(), 1u);
  EXPECT_EQ(vietnamese[0].bytes, 2);
  EXPECT_EQ(vietnamese[0].text, QString::fromUtf16(u"ệ"));
}

TEST(MetafileCharsets, UndefinedBytesStandForThemselvesOrForTheReplacement) {
  // Holes of a single-byte code page, as Windows maps them.
  const auto western = DecodeTextBytes(Span("\x81\x8d"), kAnsiCharset, {});
  ASSERT_EQ(western.size(), 2u);
  EXPECT_EQ(western[0].text, QString(QChar(0x81)));
  EXPECT_EQ(western[1].text, QString(QChar(0x8D)));
  // A lead byte cut off by the end of the text, and one with a bad trail byte.
  const auto cut = DecodeTextBytes(Span("\xd6"), kGb2312Charset, {});
  ASSERT_EQ(cut.size(), 1u);
  EXPECT_EQ(cut[0].text, QString(QChar(0xFFFD)));
  const auto bad = DecodeTextBytes(Span("\xc7\x20"), kHangulCharset, {});
  ASSERT_EQ(bad.size(), 2u);
  EXPECT_EQ(bad[0].text, QString(QChar(0xFFFD)));
  EXPECT_EQ(bad[1].text, QStringLiteral(" "));
}

TEST(MetafileCharsets, SymbolFontsOtherThanSymbolKeepTheirPrivateUseCodes) {
  const auto wingdings = DecodeTextBytes(Span("J"), kSymbolCharset, QStringLiteral("Wingdings"));
  ASSERT_EQ(wingdings.size(), 1u);
  EXPECT_EQ(wingdings[0].text, QString(QChar(0xF04A)));
  EXPECT_EQ(SymbolFontChar(0xF0), 0xF0F0);  // no glyph in Symbol
  EXPECT_EQ(SymbolFontChar(0x57), 0x03A9);
}

TEST(CodePageOfCharset, TheWindowsMapping) {
  EXPECT_EQ(CodePageOfCharset(kAnsiCharset), 1252);
  EXPECT_EQ(CodePageOfCharset(kDefaultCharset), 932);
  EXPECT_EQ(CodePageOfCharset(kOemCharset), 932);
  EXPECT_EQ(CodePageOfCharset(kSymbolCharset), kSymbolCodePage);
  EXPECT_EQ(CodePageOfCharset(kJohabCharset), 1361);
  EXPECT_EQ(CodePageOfCharset(kMacCharset), 10000);
  EXPECT_EQ(CodePageOfCharset(99), 932);  // unknown sets take the system code page
  // Every code page besides the two decoded here has a converter.
  for (int charset = 0; charset < 256; ++charset) {
    const int codePage = CodePageOfCharset(static_cast<uint8_t>(charset));
    if (codePage != kSystemCodePage && codePage != kSymbolCodePage) {
      EXPECT_NE(ConverterNameOfCodePage(codePage), nullptr) << charset;
    }
  }
}

}  // namespace
}  // namespace qb::wmf
