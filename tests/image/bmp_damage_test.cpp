#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "bmp_fixtures.h"
#include "image/bmp_rle.h"
#include "image/picture_loader.h"
#include "picture_fixtures.h"

namespace qb {
namespace {

using fixtures::Bytes;
using fixtures::MakeRleBmp;

const std::vector<QRgb> kTwoColours = {fixtures::kBlue, fixtures::kRed};

::testing::AssertionResult RefusedFor(const QByteArray& file, const char* reason) {
  QImage image;
  const Outcome decoded = DecodePictureData(file, image);
  const QString why = QString::fromStdString(decoded.why());
  if (decoded) return ::testing::AssertionFailure() << "loaded";
  if (!image.isNull()) return ::testing::AssertionFailure() << "an image was set";
  if (!why.contains(QLatin1String(reason)))
    return ::testing::AssertionFailure() << "reason \"" << why.toStdString() << "\" lacks \"" << reason << "\"";
  return ::testing::AssertionSuccess();
}

struct DamagedStream {
  const char* name;
  int bits;
  QByteArray stream;  // of a 4 x 2 bitmap with two colours
  const char* reason;
};

std::ostream& operator<<(std::ostream& out, const DamagedStream& d) { return out << d.name; }

class DamagedRle : public ::testing::TestWithParam<DamagedStream> {};

TEST_P(DamagedRle, IsRefused) {
  const DamagedStream& d = GetParam();
  EXPECT_TRUE(RefusedFor(MakeRleBmp(d.bits, 4, 2, kTwoColours, d.stream), d.reason));
}

INSTANTIATE_TEST_SUITE_P(
    EachFault, DamagedRle,
    ::testing::Values(
        DamagedStream{"runPastRow8", 8, Bytes({5, 1, 0, 0, 4, 1, 0, 1}), "past the end of a row"},
        DamagedStream{"runPastRow4", 4, Bytes({3, 0x10, 2, 0x11, 0, 1}), "past the end of a row"},
        DamagedStream{"literalPastRow8", 8, Bytes({2, 0, 0, 3, 1, 1, 1, 0, 0, 1}), "past the end of a row"},
        DamagedStream{"literalPastRow4", 4, Bytes({0, 5, 0x10, 0x10, 0x10, 0, 0, 1}), "past the end of a row"},
        DamagedStream{"pastLastRow8", 8, Bytes({4, 1, 0, 0, 4, 1, 0, 0, 1, 1, 0, 1}), "past its last row"},
        DamagedStream{"literalPastLastRow4", 4, Bytes({4, 0x11, 0, 0, 4, 0x11, 0, 0, 0, 3, 0x10, 0x10, 0, 1}),
                      "past its last row"},
        DamagedStream{"deltaPastRight", 8, Bytes({2, 1, 0, 2, 3, 0, 0, 1}), "outside the picture"},
        DamagedStream{"deltaPastTop", 8, Bytes({0, 2, 0, 2, 0, 1}), "outside the picture"},
        DamagedStream{"noEndMark8", 8, Bytes({4, 1, 0, 0, 4, 1}), "ends early"},
        DamagedStream{"noEndMark4", 4, Bytes({4, 0x11, 0, 0}), "ends early"},
        DamagedStream{"cutDelta", 8, Bytes({0, 2, 1}), "ends early"},
        DamagedStream{"cutLiteral", 8, Bytes({0, 4, 1, 0}), "ends early"},
        DamagedStream{"runIndexPastTable8", 8, Bytes({2, 2, 0, 1}), "colour table does not have"},
        DamagedStream{"runSecondIndexPastTable4", 4, Bytes({2, 0x12, 0, 1}), "colour table does not have"},
        DamagedStream{"literalIndexPastTable4", 4, Bytes({0, 3, 0x01, 0x20, 0, 1}), "colour table does not have"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IntactRle, RunsLiteralsAndDeltasLoad) {
  // RLE4 on a 6 x 3 bitmap: on the bottom row a run of two reds and the
  // literal blue, red, blue; a delta to the row's end and one row up; the end
  // of that row; one red on the top row; the end of the bitmap. What the
  // stream skips is the first colour, blue.
  const QByteArray file =
      MakeRleBmp(4, 6, 3, kTwoColours, Bytes({2, 0x11, 0, 3, 0x01, 0x00, 0, 2, 1, 1, 0, 0, 1, 0x10, 0, 1}));
  QImage image;
  const Outcome decoded = DecodePictureData(file, image);
  ASSERT_TRUE(decoded.ok()) << decoded.why();
  const QRgb r = fixtures::kRed;
  const QRgb b = fixtures::kBlue;
  const std::vector<std::vector<QRgb>> want = {{r, b, b, b, b, b}, {b, b, b, b, b, b}, {r, r, b, r, b, b}};
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 6; ++x) EXPECT_EQ(image.pixel(x, y), want[y][x]) << x << "," << y;
  }
}

TEST(IntactRle, RunOfOneIgnoresTheUnusedSecondIndex) {
  // RLE4 runs name two indices; a run of one pixel uses only the first.
  EXPECT_EQ(bmp::CheckRleStream(Bytes({1, 0x1F, 0, 1}), 4, 4, 1, 2), bmp::RleFault::None);
  // A delta may land at a row's end, past its last pixel, as long as nothing is written there.
  EXPECT_EQ(bmp::CheckRleStream(Bytes({0, 2, 4, 0, 0, 0, 0, 1}), 8, 4, 2, 2), bmp::RleFault::None);
}

TEST(UncompressedIndices, PastTheColourTableAreRefused) {
  for (int bits : {1, 4, 8}) {
    // Two colours in the table: index 1 is there, index 2 (or for 1 bit, a
    // single-colour table's index 1) is not.
    EXPECT_TRUE(RefusedFor(fixtures::MakeIndexedBmp(bits, 5, 3, {fixtures::kRed}, 1), "colour table does not have"))
        << bits;
    QImage image;
    ASSERT_TRUE(DecodePictureData(fixtures::MakeIndexedBmp(bits, 5, 3, kTwoColours, 1), image).ok()) << bits;
    EXPECT_EQ(image.pixel(4, 2), fixtures::kRed);
  }
  EXPECT_TRUE(RefusedFor(fixtures::MakeIndexedBmp(8, 5, 3, kTwoColours, 2), "colour table does not have"));
}

// The pixels start after the colour table whatever the pixel offset says:
// an offset into the header or the table never reads those as pixels, and
// pixels that would fit only from there are cut short.
TEST(PixelOffset, IntoTheHeaderOrColourTableIsNotFollowed) {
  const QByteArray whole = fixtures::MakeIndexedBmp(8, 4, 2, kTwoColours, 1);  // tables end at 62
  for (const std::uint32_t offset : {0u, 14u, 54u, 61u}) {
    SCOPED_TRACE(offset);
    QByteArray file = whole;
    for (int i = 0; i < 4; ++i) file[10 + i] = static_cast<char>(offset >> (8 * i));
    QImage image;
    const Outcome decoded = DecodePictureData(file, image);
    ASSERT_TRUE(decoded.ok()) << decoded.why();
    EXPECT_EQ(image.pixel(0, 0), fixtures::kRed);
    EXPECT_EQ(image.pixel(3, 1), fixtures::kRed);
    EXPECT_TRUE(RefusedFor(file.left(file.size() - 1), "pixel data ends early"));
  }
}

TEST(HeaderFieldsNothingReads, DoNotStopABitmapLoading) {
  // The file size, image size and resolution fields, all wrong.
  const auto mangle = [](QByteArray file) {
    for (int at : {2, 14 + 20, 14 + 24, 14 + 28}) {
      for (int i = 0; i < 4; ++i) file[at + i] = static_cast<char>(0x7B);
    }
    return file;
  };
  QImage image;
  const Outcome rle = DecodePictureData(mangle(MakeRleBmp(8, 4, 1, kTwoColours, Bytes({4, 1, 0, 1}))), image);
  EXPECT_TRUE(rle.ok()) << rle.why();
  EXPECT_EQ(image.pixel(3, 0), fixtures::kRed);
  const Outcome indexed = DecodePictureData(mangle(fixtures::MakeIndexedBmp(8, 3, 2, kTwoColours, 1)), image);
  EXPECT_TRUE(indexed.ok()) << indexed.why();
  EXPECT_EQ(image.pixel(2, 1), fixtures::kRed);
}

// Virtual memory this process holds now, in bytes.
std::uint64_t AddressSpaceInUse() {
  std::ifstream statm("/proc/self/statm");
  std::uint64_t pages = 0;
  statm >> pages;
  return pages * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
}

// Runs the decoder in a child process allowed only 128 MB more address
// space than it starts with; the child's exit status says how it went.
enum ChildResult { kRefusedAsDamaged = 0, kLoaded = 1, kOtherReason = 2 };

int DecodeUnderMemoryLimit(const QByteArray& file, const char* reason) {
  const pid_t child = fork();
  if (child == 0) {
    const rlimit limit{AddressSpaceInUse() + (128u << 20), RLIM_INFINITY};
    setrlimit(RLIMIT_AS, &limit);
    QImage image;
    const Outcome decoded = DecodePictureData(file, image);
    const QString why = QString::fromStdString(decoded.why());
    _exit(decoded ? kLoaded : why.contains(QLatin1String(reason)) ? kRefusedAsDamaged : kOtherReason);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

TEST(HugeDamagedRle, IsRefusedBeforeItsPictureIsAllocated) {
  if (kAddressSanitizer) GTEST_SKIP() << "the address sanitizer reserves more address space than any limit allows";
  // About a kilobyte of stream claiming 23000 x 23000 pixels (2 GB as a
  // picture): runs that overrun the first row, then the end of the bitmap.
  QByteArray overrun;
  for (int i = 0; i < 100; ++i) overrun += Bytes({255, 1});
  overrun += Bytes({0, 1});
  EXPECT_EQ(DecodeUnderMemoryLimit(MakeRleBmp(8, 23000, 23000, kTwoColours, overrun), "past the end of a row"),
            kRefusedAsDamaged);
  // Fifty whole rows of a 23000 x 23000 bitmap, then nothing: no end mark.
  QByteArray row;
  for (int i = 0; i < 90; ++i) row += Bytes({255, 0x11});
  row += Bytes({50, 0x11, 0, 0});
  const QByteArray shortRows = row.repeated(50);
  EXPECT_EQ(DecodeUnderMemoryLimit(MakeRleBmp(4, 23000, 23000, kTwoColours, shortRows), "ends early"),
            kRefusedAsDamaged);
  // The limit is real: an intact stream of that size cannot be loaded under it.
  EXPECT_NE(DecodeUnderMemoryLimit(MakeRleBmp(8, 23000, 23000, kTwoColours, Bytes({0, 1})), "ends early"), kLoaded);
}

}  // namespace
}  // namespace qb
