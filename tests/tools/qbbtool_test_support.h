#pragma once
// Running qbbtool commands in-process with their output captured, and
// scratch folders for the files they read and write.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tools/qbbtool/commands.h"

namespace qbbtool::test {

class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qbbtool-test-XXXXXX").string();
    path = ::mkdtemp(pattern.data());
  }
  ~ScratchFolder() { std::filesystem::remove_all(path); }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string operator/(const std::string& name) const { return (path / name).string(); }
  std::filesystem::path path;
};

inline std::string Slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The command's exit status; what it printed goes to out and err when given.
inline int RunCommandOutput(int (*command)(const Args&), const Args& args, std::string* out, std::string* err) {
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  const int status = command(args);
  const std::string o = testing::internal::GetCapturedStdout();
  const std::string e = testing::internal::GetCapturedStderr();
  if (out) *out = o;
  if (err) *err = e;
  return status;
}

inline int RunCommand(int (*command)(const Args&), const Args& args, std::string* err = nullptr) {
  return RunCommandOutput(command, args, nullptr, err);
}

}  // namespace qbbtool::test
