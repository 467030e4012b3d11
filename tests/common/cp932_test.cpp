// Tests of the code page 932 codec (common/cp932.cpp).
//
// Cp932Decode / Cp932Encode: named edge cases that always run.
// Cp932Tables: every row of the measured Windows tables in
// QB_SHARED_DIR/cp932 (skipped when the folder is not there).

#include "common/cp932.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

using qb::cp932::Decode;
using qb::cp932::Encode;

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

std::string HexBytes(std::string_view bytes) {
  std::string out;
  char buf[4];
  for (char c : bytes) {
    std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned char>(c));
    out += buf;
  }
  return out.empty() ? "(empty)" : out;
}

std::string HexUnits(std::u16string_view units) {
  std::string out;
  char buf[8];
  for (char16_t u : units) {
    std::snprintf(buf, sizeof buf, "%s%04X", out.empty() ? "" : " ", static_cast<unsigned>(u));
    out += buf;
  }
  return out.empty() ? "(empty)" : out;
}

// ---------------------------------------------------------------------------
// Named edge cases

TEST(Cp932Decode, Lone80IsU0080) {
  EXPECT_EQ(HexUnits(Decode(Bytes({0x80}))), "0080");
  EXPECT_EQ(HexUnits(Decode(Bytes({0x80, 0x6E}))), "0080 006E");
}

TEST(Cp932Decode, A0AndFDtoFFArePrivateUse) {
  EXPECT_EQ(HexUnits(Decode(Bytes({0xA0}))), "F8F0");
  EXPECT_EQ(HexUnits(Decode(Bytes({0xFD, 0xFE, 0xFF}))), "F8F1 F8F2 F8F3");
}

TEST(Cp932Decode, AsciiAndHalfWidthKatakana) {
  EXPECT_EQ(HexUnits(Decode(Bytes({0x00, 0x41, 0x5C, 0x7E, 0x7F}))), "0000 0041 005C 007E 007F");
  EXPECT_EQ(HexUnits(Decode(Bytes({0xA1, 0xDF}))), "FF61 FF9F");
}

TEST(Cp932Decode, LeadByteAtEndGivesMiddleDot) {
  EXPECT_EQ(HexUnits(Decode(Bytes({0x81}))), "30FB");
  EXPECT_EQ(HexUnits(Decode(Bytes({0x81, 0x40, 0x81}))), "3000 30FB");
}

TEST(Cp932Decode, LeadByteBeforeNulConsumesOnlyItself) {
  EXPECT_EQ(HexUnits(Decode(Bytes({0x81, 0x00}))), "30FB 0000");
  EXPECT_EQ(HexUnits(Decode(Bytes({0x81, 0x00, 0x41}))), "30FB 0000 0041");
}

TEST(Cp932Decode, UnmappedPairConsumesBothBytes) {
  EXPECT_EQ(HexUnits(Decode(Bytes({0x85, 0x40}))), "30FB");
  EXPECT_EQ(HexUnits(Decode(Bytes({0x81, 0x0A, 0x41}))), "30FB 0041");  // even a line feed
  EXPECT_EQ(HexUnits(Decode(Bytes({0x81, 0x7F, 0x41}))), "30FB 0041");
  EXPECT_EQ(HexUnits(Decode(Bytes({0x87, 0x40, 0x87}))), "2460 30FB");
}

TEST(Cp932Decode, WindowsSpecificMappings) {
  EXPECT_EQ(HexUnits(Decode(Bytes({0x81, 0x60}))), "FF5E");  // not U+301C
  EXPECT_EQ(HexUnits(Decode(Bytes({0x81, 0x5C}))), "2015");
  EXPECT_EQ(HexUnits(Decode(Bytes({0x81, 0x7C}))), "FF0D");
  EXPECT_EQ(HexUnits(Decode(Bytes({0x81, 0x5F}))), "FF3C");
  EXPECT_EQ(HexUnits(Decode(Bytes({0x83, 0x5C}))), "30BD");  // trail 0x5C is not a backslash
  EXPECT_EQ(HexUnits(Decode(Bytes({0xED, 0x40, 0xFA, 0x40, 0xEE, 0xEF}))), "7E8A 2170 2170");
  EXPECT_EQ(HexUnits(Decode(Bytes({0xF0, 0x40}))), "E000");
}

TEST(Cp932Encode, Lone80RoundTrips) {
  bool usedDefault = true;
  EXPECT_EQ(HexBytes(Encode(u"\u0080n", &usedDefault)), "806E");
  EXPECT_FALSE(usedDefault);
  EXPECT_EQ(HexBytes(Encode(u"\uF8F0\uF8F1\uF8F2\uF8F3")), "A0FDFEFF");
}

TEST(Cp932Encode, PrefersRowsFAtoFCOverNecSelected) {
  EXPECT_EQ(HexBytes(Encode(u"\u2170")), "FA40");                      // small roman numeral one, not EEEF
  EXPECT_EQ(HexBytes(Encode(u"\u7E8A")), "FA5C");                      // not ED40
  EXPECT_EQ(HexBytes(Encode(u"\uFFE4")), "FA55");                      // not EEFA
  EXPECT_EQ(HexBytes(Encode(u"\u2160")), "8754");                      // NEC row 13 over FA4A
  EXPECT_EQ(HexBytes(Encode(u"\uFFE2\u2235\u2252")), "81CA81E681E0");  // JIS row 2 first
}

TEST(Cp932Encode, BestFit) {
  bool usedDefault = true;
  EXPECT_EQ(HexBytes(Encode(u"A\u00A5B", &usedDefault)), "415C42");
  EXPECT_FALSE(usedDefault);
  EXPECT_EQ(HexBytes(Encode(u"\u00E9\u00B7\u3094")), "6581458394");
}

TEST(Cp932Encode, UnmappableGivesQuestionMark) {
  bool usedDefault = false;
  EXPECT_EQ(HexBytes(Encode(u"A\u301CB", &usedDefault)), "413F42");  // wave dash has no code
  EXPECT_TRUE(usedDefault);
  usedDefault = true;
  EXPECT_EQ(HexBytes(Encode(u"?", &usedDefault)), "3F");
  EXPECT_FALSE(usedDefault);
  EXPECT_EQ(HexBytes(Encode(u"")), "(empty)");
}

TEST(Cp932Encode, SurrogatesEncodePerUnit) {
  bool usedDefault = false;
  EXPECT_EQ(HexBytes(Encode(u"\U00020BB7", &usedDefault)), "3F3F");
  EXPECT_TRUE(usedDefault);
  const char16_t lone[] = {0xDC00, u'A'};
  EXPECT_EQ(HexBytes(Encode(std::u16string_view(lone, 2))), "3F41");
}

TEST(Cp932Encode, JapaneseSentenceRoundTrips) {
  const std::u16string text = u"今日は「ｶﾀｶﾅ」のﾃｽﾄです。ABC 123";
  bool usedDefault = true;
  const std::string bytes = Encode(text, &usedDefault);
  EXPECT_FALSE(usedDefault);
  EXPECT_EQ(HexBytes(bytes),
            "8DA193FA82CD"            // 今日は
            "8175B6C0B6C58176"        // 「ｶﾀｶﾅ」
            "82CCC3BDC482C582B78142"  // のﾃｽﾄです。
            "41424320313233");
  EXPECT_EQ(Decode(bytes), text);
}

// ---------------------------------------------------------------------------
// Every row of the measured Windows tables

std::filesystem::path TablesDir() { return std::filesystem::path(QB_SHARED_DIR) / "cp932"; }

#define QB_REQUIRE_TABLES()                                                    \
  do {                                                                         \
    if (!std::filesystem::is_directory(TablesDir()))                           \
      GTEST_SKIP() << "measured tables not present: " << TablesDir().string(); \
  } while (0)

// Rows of a tab-separated table, header line dropped.
std::vector<std::vector<std::string>> ReadTable(const std::string& name) {
  std::vector<std::vector<std::string>> rows;
  std::ifstream in(TablesDir() / name, std::ios::binary);
  if (!in) {
    ADD_FAILURE() << "cannot read " << (TablesDir() / name).string();
    return rows;
  }
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    std::vector<std::string> fields;
    std::size_t pos = 0;
    for (;;) {
      const auto tab = line.find('\t', pos);
      fields.push_back(line.substr(pos, tab == std::string::npos ? std::string::npos : tab - pos));
      if (tab == std::string::npos) break;
      pos = tab + 1;
    }
    rows.push_back(std::move(fields));
  }
  return rows;
}

std::string FromHex(std::string_view hex) {
  std::string out;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    out.push_back(static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
  return out;
}

std::u16string UnitsFromHex(const std::string& text) {
  std::u16string out;
  std::istringstream in(text);
  std::string word;
  while (in >> word) out.push_back(static_cast<char16_t>(std::stoul(word, nullptr, 16)));
  return out;
}

// Collects mismatches and reports the first few.
class Mismatches {
 public:
  explicit Mismatches(std::string table) : table_(std::move(table)) {}
  void Add(const std::string& message) {
    if (count_++ < 10) first_ += "  " + message + "\n";
  }
  ~Mismatches() {
    EXPECT_EQ(count_, 0u) << table_ << ": " << count_ << " mismatches with Windows; first ones:\n" << first_;
  }
  void CheckRows(std::size_t rows, std::size_t expected) {
    EXPECT_EQ(rows, expected) << table_ << ": unexpected row count";
  }

 private:
  std::string table_;
  std::string first_;
  std::size_t count_ = 0;
};

void CheckDecodeTable(const std::string& name, std::size_t inputColumns, std::size_t expectedRows) {
  const auto rows = ReadTable(name);
  Mismatches bad(name);
  if (expectedRows) bad.CheckRows(rows.size(), expectedRows);
  for (const auto& row : rows) {
    ASSERT_GE(row.size(), inputColumns + 2) << name;
    std::string hex;
    for (std::size_t c = 0; c < inputColumns; ++c) hex += row[c];
    const std::string input = FromHex(hex);
    const std::u16string want = UnitsFromHex(row[inputColumns + 1]);
    const std::u16string got = Decode(input);
    if (got != want || std::to_string(got.size()) != row[inputColumns])
      bad.Add(HexBytes(input) + " -> " + HexUnits(got) + ", Windows " + row[inputColumns] +
              " units: " + HexUnits(want));
  }
}

void CheckEncodeTable(const std::string& name, bool singleCodePoint, std::size_t expectedRows) {
  const auto rows = ReadTable(name);
  Mismatches bad(name);
  if (expectedRows) bad.CheckRows(rows.size(), expectedRows);
  for (const auto& row : rows) {
    ASSERT_GE(row.size(), 3u) << name;
    const std::u16string input = singleCodePoint
                                     ? std::u16string(1, static_cast<char16_t>(std::stoul(row[0], nullptr, 16)))
                                     : UnitsFromHex(row[0]);
    bool usedDefault = !(row[2] == "1");
    const std::string got = Encode(input, &usedDefault);
    if (HexBytes(got) != row[1] || usedDefault != (row[2] == "1"))
      bad.Add(HexUnits(input) + " -> " + HexBytes(got) + " default " + (usedDefault ? "1" : "0") + ", Windows " +
              row[1] + " default " + row[2]);
  }
}

TEST(Cp932Tables, SingleBytes) {
  QB_REQUIRE_TABLES();
  CheckDecodeTable("cp932_oracle_single.tsv", 1, 256);
}

TEST(Cp932Tables, AllByteTwoByteInputs) {
  QB_REQUIRE_TABLES();
  CheckDecodeTable("cp932_oracle_pairs.tsv", 2, 65536);
}

TEST(Cp932Tables, DecodeStrings) {
  QB_REQUIRE_TABLES();
  CheckDecodeTable("cp932_oracle_strings.tsv", 1, 0);
}

TEST(Cp932Tables, EncodeEveryBmpCodePoint) {
  QB_REQUIRE_TABLES();
  CheckEncodeTable("cp932_oracle_encode.tsv", true, 0x10000 - 0x800);
}

TEST(Cp932Tables, EncodeStrings) {
  QB_REQUIRE_TABLES();
  CheckEncodeTable("cp932_oracle_encode_strings.tsv", false, 0);
}

}  // namespace
