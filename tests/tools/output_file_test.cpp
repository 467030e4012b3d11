#include "tools/qbbtool/output_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

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
        EXPECT_TRUE(OutputFailed(device));
        return true;
      },
      &why);
  EXPECT_FALSE(written);
  EXPECT_FALSE(encoderSawFailure);
  EXPECT_NE(why.find("space"), std::string::npos) << why;
  // Written into, not renamed over.
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

TEST(OutputFile, AnExistingPipeIsWrittenIntoOnlyWhileSomeoneReads) {
  test::ScratchFolder dir;
  const std::string pipe = dir / "pipe";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  std::string why;
  EXPECT_FALSE(WriteOutputFile(pipe, Writes("nobody listens"), &why));
  EXPECT_EQ(why, "no program reads from the pipe");

  const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  ASSERT_GE(reader, 0);
  EXPECT_TRUE(WriteOutputFile(pipe, Writes("through the pipe"), &why)) << why;
  char received[64] = {};
  EXPECT_EQ(::read(reader, received, sizeof received), 16);
  EXPECT_STREQ(received, "through the pipe");
  EXPECT_TRUE(fs::is_fifo(pipe));

  // A reader gone after the first bytes: the rest is a failed write.
  const auto previous = ::signal(SIGPIPE, SIG_IGN);
  std::thread closer([&] {
    char first = 0;
    while (::read(reader, &first, 1) != 1) std::this_thread::yield();
    ::close(reader);
  });
  EXPECT_FALSE(WriteOutputFile(pipe, Writes(QByteArray(1 << 20, 'x')), &why));
  closer.join();
  ::signal(SIGPIPE, previous);
  EXPECT_EQ(why, std::strerror(EPIPE));
}

}  // namespace
}  // namespace qbbtool
