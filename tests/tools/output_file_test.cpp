#include "tools/qbbtool/output_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "qbbtool_test_support.h"

namespace qbbtool {
namespace {

namespace fs = std::filesystem;

OutputFill Writes(QByteArray content, bool succeed = true) {
  return [content, succeed](QIODevice& device) {
    // As an encoder would: it goes on after a write it was told succeeded.
    return device.write(content) == content.size() && succeed;
  };
}

std::string Names(const fs::path& folder) {
  std::string names;
  for (const auto& entry : fs::directory_iterator(folder)) names += entry.path().filename().string() + " ";
  return names;
}

TEST(OutputFile, ReplacesAFileOnlyWhenItsNewContentIsComplete) {
  test::ScratchFolder dir;
  const std::string out = dir / "out.png";
  std::ofstream(out) << "old";
  std::string why;
  EXPECT_FALSE(WriteOutputFile(out, Writes("half", false), &why));
  EXPECT_FALSE(why.empty());
  EXPECT_EQ(test::Slurp(out), "old");
  EXPECT_EQ(Names(dir.path), "out.png ");

  EXPECT_TRUE(WriteOutputFile(out, Writes("new"), &why)) << why;
  EXPECT_EQ(test::Slurp(out), "new");
  EXPECT_EQ(Names(dir.path), "out.png ");
}

TEST(OutputFile, AFullDeviceIsAFailureTheEncoderNeverSees) {
  bool encoderSawFailure = false;
  std::string why;
  const bool written = WriteOutputFile(
      "/dev/full",
      [&](QIODevice& device) {
        const QByteArray chunk(64 * 1024, 'x');
        for (int i = 0; i < 4; ++i) encoderSawFailure |= device.write(chunk) != chunk.size();
        return true;
      },
      &why);
  EXPECT_FALSE(written);
  EXPECT_FALSE(encoderSawFailure);
  EXPECT_NE(why.find("space"), std::string::npos) << why;
  // Written into, not renamed over.
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

TEST(OutputFile, AnExistingPipeIsWrittenIntoNotReplaced) {
  test::ScratchFolder dir;
  const std::string pipe = dir / "pipe";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  std::string received;
  std::thread reader([&] { received = test::Slurp(pipe); });
  std::string why;
  EXPECT_TRUE(WriteOutputFile(pipe, Writes("through the pipe"), &why)) << why;
  reader.join();
  EXPECT_EQ(received, "through the pipe");
  EXPECT_TRUE(fs::is_fifo(pipe));
}

}  // namespace
}  // namespace qbbtool
