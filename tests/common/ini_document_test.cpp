// The INI text rules in memory (common/ini_document.cpp): finding values and
// writing one key while every other byte of the file stays as it was.

#include "common/ini_document.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "common/cp932.h"

namespace {

using qb::FindIniValue;
using qb::SetIniValue;

std::optional<std::u16string> Find(const std::string& content, const std::u16string& section,
                                   const std::u16string& key) {
  return FindIniValue(content, section, key);
}

TEST(IniDocumentFind, ValueComesBackWithoutSurroundingBlanks) {
  EXPECT_EQ(Find("[S]\r\nk = \t a b \t\r\n", u"S", u"k"), u"a b");
  EXPECT_EQ(Find("[S]\r\n \tk\t=x\r\n", u"S", u"k"), u"x");
  // Everything after the first "=" is the value, ";" included.
  EXPECT_EQ(Find("[S]\r\nk=a=b ; c\r\n", u"S", u"k"), u"a=b ; c");
}

TEST(IniDocumentFind, NamesMatchWithoutRegardToAsciiCase) {
  const std::string content = "[system]\r\nLASTFOLDER=/books\r\n";
  EXPECT_EQ(Find(content, u"System", u"LastFolder"), u"/books");
  EXPECT_EQ(Find(content, u"SYSTEM", u"lastfolder"), u"/books");
  EXPECT_EQ(Find("[  System ]\r\nk=1\r\n", u"System", u"k"), u"1");
}

TEST(IniDocumentFind, MissingSectionOrKeyIsNothingButEmptyValueIsEmpty) {
  const std::string content = "k=outside\r\n[A]\r\nx=1\r\nempty=\r\nblank=   \r\n[B]\r\ny=2\r\n";
  EXPECT_EQ(Find(content, u"C", u"x"), std::nullopt);
  EXPECT_EQ(Find(content, u"A", u"y"), std::nullopt) << "a key of another section";
  EXPECT_EQ(Find(content, u"A", u"k"), std::nullopt) << "a key before any section";
  EXPECT_EQ(Find("", u"A", u"x"), std::nullopt);
  EXPECT_EQ(Find(content, u"A", u"empty"), u"");
  EXPECT_EQ(Find(content, u"A", u"blank"), u"");
}

TEST(IniDocumentFind, FirstOfDuplicateSectionsAndKeysWins) {
  const std::string content = "[S]\r\nk=1\r\nk=2\r\n[s]\r\nk=3\r\nj=4\r\n";
  EXPECT_EQ(Find(content, u"S", u"k"), u"1");
  EXPECT_EQ(Find(content, u"S", u"j"), std::nullopt);
}

TEST(IniDocumentFind, CommentsAndLinesWithoutEqualsNeverMatch) {
  const std::string content = "[S]\r\n;k=comment\r\nk\r\n[T\r\nk=real\r\n";
  EXPECT_EQ(Find(content, u"S", u"k"), u"real") << "an unclosed \"[\" is no section header";
  EXPECT_EQ(Find(content, u"S", u";k"), std::nullopt);
}

TEST(IniDocumentFind, AnyLineEndingAndALastLineWithoutOne) {
  EXPECT_EQ(Find("[S]\nk=lf\n", u"S", u"k"), u"lf");
  EXPECT_EQ(Find("[S]\rk=cr\r", u"S", u"k"), u"cr");
  EXPECT_EQ(Find("[S]\r\nk=last", u"S", u"k"), u"last");
}

TEST(IniDocumentFind, SectionNameWhoseTrailByteLooksLikeTheClosingBracket) {
  // 余 is 0x97 0x5D in code page 932.
  EXPECT_EQ(Find("[\x97\x5D]\r\nk=1\r\n", u"余", u"k"), u"1");
}

TEST(IniDocumentFind, FileWithUtf8ByteOrderMarkIsReadAsUtf8) {
  EXPECT_EQ(Find("\xEF\xBB\xBF[S]\r\nk=\xE6\x97\xA5\xE6\x9C\xAC\r\n", u"S", u"k"), u"日本");
}

TEST(IniDocumentSet, FirstKeyCreatesTheSection) {
  EXPECT_EQ(SetIniValue("", u"System", u"LastFolder", u"/b"), "[System]\r\nLastFolder=/b\r\n");
}

TEST(IniDocumentSet, NewSectionGoesAtTheEndOnANewLine) {
  EXPECT_EQ(SetIniValue("[A]\r\nx=1\r\n", u"B", u"k", u"v"), "[A]\r\nx=1\r\n[B]\r\nk=v\r\n");
  EXPECT_EQ(SetIniValue("[A]\nx=1", u"B", u"k", u"v"), "[A]\nx=1\r\n[B]\r\nk=v\r\n");
  EXPECT_EQ(SetIniValue("[A]\r\nx=1\r\n\r\n", u"B", u"k", u"v"), "[A]\r\nx=1\r\n\r\n[B]\r\nk=v\r\n");
}

TEST(IniDocumentSet, ReplacingAValueLeavesEveryOtherByteAsItWas) {
  const std::string before =
      "; settings\r\n"
      "\r\n"
      "[System]\n"
      "Other = keep me \r\n"
      "; about the folder\r\n"
      "LastFolder = /old\n"
      "no equals here\r\n"
      "\r\n"
      "[Next]\r\n"
      "LastFolder=/untouched";
  const std::string after =
      "; settings\r\n"
      "\r\n"
      "[System]\n"
      "Other = keep me \r\n"
      "; about the folder\r\n"
      "LastFolder = /new folder\n"
      "no equals here\r\n"
      "\r\n"
      "[Next]\r\n"
      "LastFolder=/untouched";
  EXPECT_EQ(SetIniValue(before, u"SYSTEM", u"lastfolder", u"/new folder"), after);
}

TEST(IniDocumentSet, ReplacingKeepsTheNameAsSpelledAndAMissingLastLineEnding) {
  EXPECT_EQ(SetIniValue("[S]\r\nKey=old", u"s", u"KEY", u"new"), "[S]\r\nKey=new");
  EXPECT_EQ(SetIniValue("[S]\r\nk=old\r\n", u"S", u"k", u""), "[S]\r\nk=\r\n");
}

TEST(IniDocumentSet, NewKeyGoesAfterTheLastEntryOfItsSection) {
  const std::string before = "[A]\r\nx=1\r\n; trailing\r\n\r\n; about B\r\n[B]\r\ny=2\r\n";
  EXPECT_EQ(SetIniValue(before, u"A", u"k", u"v"),
            "[A]\r\nx=1\r\nk=v\r\n; trailing\r\n\r\n; about B\r\n[B]\r\ny=2\r\n");
  EXPECT_EQ(SetIniValue("[A]\r\n\r\n[B]\r\n", u"A", u"k", u"v"), "[A]\r\nk=v\r\n\r\n[B]\r\n");
  EXPECT_EQ(SetIniValue("[A]\r\nx=1", u"A", u"k", u"v"), "[A]\r\nx=1\r\nk=v\r\n");
  // A line that is neither entry, comment nor blank counts as the
  // section's own text: the key follows it.
  EXPECT_EQ(SetIniValue("[A]\r\nx=1\r\nno equals\r\n; about B\r\n[B]\r\n", u"A", u"k", u"v"),
            "[A]\r\nx=1\r\nno equals\r\nk=v\r\n; about B\r\n[B]\r\n");
  EXPECT_EQ(SetIniValue("[A]\r\nno equals", u"A", u"k", u"v"), "[A]\r\nno equals\r\nk=v\r\n");
  EXPECT_EQ(SetIniValue("[A]\r\n; only a note\r\n", u"A", u"k", u"v"), "[A]\r\nk=v\r\n; only a note\r\n");
}

TEST(IniDocumentSet, DuplicatesUpdateTheFirstOccurrence) {
  const std::string before = "[S]\r\nk=1\r\nk=2\r\n[S]\r\nk=3\r\n";
  EXPECT_EQ(SetIniValue(before, u"S", u"k", u"x"), "[S]\r\nk=x\r\nk=2\r\n[S]\r\nk=3\r\n");
  EXPECT_EQ(SetIniValue(before, u"S", u"j", u"y"), "[S]\r\nk=1\r\nk=2\r\nj=y\r\n[S]\r\nk=3\r\n");
}

TEST(IniDocumentSet, ValueIsCutAtItsFirstLineBreak) {
  const std::string after = SetIniValue("", u"S", u"k", u"a\nb=c\r\n[X]\r\nd=e");
  EXPECT_EQ(after, "[S]\r\nk=a\r\n");
  EXPECT_EQ(SetIniValue("", u"S", u"k", std::u16string(u"a\0b", 3)), "[S]\r\nk=a\r\n");
}

TEST(IniDocumentSet, WritingTheValueAlreadyThereChangesNothing) {
  const std::string content = "; c\n[S]\nk = v\nj=\n";
  EXPECT_EQ(SetIniValue(content, u"S", u"k", u"v"), content);
  EXPECT_EQ(SetIniValue(content, u"S", u"j", u""), content);
}

TEST(IniDocumentSet, FileWithUtf8ByteOrderMarkStaysUtf8) {
  EXPECT_EQ(SetIniValue("\xEF\xBB\xBF[S]\r\n", u"S", u"k", u"日"), "\xEF\xBB\xBF[S]\r\nk=\xE6\x97\xA5\r\n");
}

TEST(IniDocumentSet, RewritingAKeyGivesWhatWritingItFreshGives) {
  // A book without a password stores eight blanks; saving over the file
  // again and again must not let them pile up.
  const std::u16string blanks(8, u' ');
  const std::string fresh = SetIniValue("", u"S", u"pw", blanks);
  EXPECT_EQ(fresh, "[S]\r\npw=        \r\n");
  EXPECT_EQ(SetIniValue(fresh, u"S", u"pw", blanks), fresh);
  EXPECT_EQ(SetIniValue(SetIniValue(fresh, u"S", u"pw", u"x"), u"S", u"pw", blanks), fresh);
  // Values that start with blanks keep them exactly, however often written.
  const std::string lead = SetIniValue("[S]\r\nk=old\r\n", u"S", u"k", u"  v");
  EXPECT_EQ(lead, "[S]\r\nk=  v\r\n");
  EXPECT_EQ(SetIniValue(lead, u"S", u"k", u"  v"), lead);
  // Layout blanks after "=" before an ordinary value stay as they were.
  EXPECT_EQ(SetIniValue("[S]\r\nk =  old\r\n", u"S", u"k", u"new"), "[S]\r\nk =  new\r\n");
}

// Every byte that leads a double-byte character in code page 932, each
// followed by trail; or, without trail, by the first trail byte that makes
// a character (lead bytes of unused rows are left out then).
std::string EveryLeadByte(std::optional<char> trail = std::nullopt) {
  std::string bytes;
  for (int b = 0x81; b <= 0xFC; ++b) {
    if (b > 0x9F && b < 0xE0) continue;
    const char lead = static_cast<char>(b);
    if (trail) {
      bytes += {lead, *trail};
      continue;
    }
    for (int t = 0x40; t <= 0xFC; ++t) {
      const std::string pair = {lead, static_cast<char>(t)};
      if (qb::cp932::Decode(pair) != u"\u30FB" && qb::cp932::Encode(qb::cp932::Decode(pair)) == pair) {
        bytes += pair;
        break;
      }
    }
  }
  return bytes;
}

TEST(IniDocumentSet, TurningUtf8KeepsTheMeaningOfEveryOtherLine) {
  // Lines code page 932 reads and writes back unchanged become UTF-8 of
  // the same text, every lead byte and the single bytes 0x80 and 0xA0
  // included; a line that does not decode cleanly (a lead byte before a
  // blank, bytes of another encoding) is kept byte for byte.
  const std::string clean = "clean=\x80\xA0 " + EveryLeadByte() + " end";
  const std::string raw = "raw=\x80\xA0 " + EveryLeadByte(' ') + " end";
  const std::string before = "[S]\r\n" + clean + "\r\n" + raw + "\r\n";
  const std::string after = SetIniValue(before, u"S", u"new", u"\U0001F600");
  ASSERT_TRUE(after.starts_with("\xEF\xBB\xBF"));
  EXPECT_NE(after.find("\r\n" + raw + "\r\n"), std::string::npos) << "the foreign line changed";
  EXPECT_EQ(Find(after, u"S", u"clean"), Find(before, u"S", u"clean"));
  EXPECT_EQ(Find(after, u"S", u"new"), u"\U0001F600");
  EXPECT_EQ(after.find(clean), std::string::npos) << "the code page 932 line was not converted";
}

TEST(IniDocumentNames, OnlyNamesThatReadBackAsTheSameNameAreValid) {
  EXPECT_TRUE(qb::IsValidIniSection(u"System"));
  EXPECT_TRUE(qb::IsValidIniSection(u"システム"));
  EXPECT_FALSE(qb::IsValidIniSection(u""));
  EXPECT_FALSE(qb::IsValidIniSection(u"  "));
  EXPECT_FALSE(qb::IsValidIniSection(u"a]b"));
  EXPECT_FALSE(qb::IsValidIniSection(u"a\nb"));

  EXPECT_TRUE(qb::IsValidIniKey(u"1"));
  EXPECT_TRUE(qb::IsValidIniKey(u"ＵＲＬ"));
  EXPECT_FALSE(qb::IsValidIniKey(u""));
  EXPECT_FALSE(qb::IsValidIniKey(u"a=b"));
  EXPECT_FALSE(qb::IsValidIniKey(u"a\rb"));
  EXPECT_FALSE(qb::IsValidIniKey(u" [x"));
  EXPECT_FALSE(qb::IsValidIniKey(u";x"));
}

}  // namespace
