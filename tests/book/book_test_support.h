#pragma once
// Helpers for book tests: a picture surface that serves made-up pictures,
// temporary folders, and raw file access.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "book/picture_surface.h"
#include "common/utf8.h"

namespace qb::test {

struct FakePicture {
  int width = 0;
  int height = 0;
  PixelArray pixels;  // width * height + 1 elements, last 0
};

// Pixels from a bottom-up list of colours (0x00RRGGBB), plus the spare 0.
inline FakePicture Picture(int width, int height, PixelArray colours) {
  colours.push_back(0);
  return {width, height, std::move(colours)};
}

class FakeSurface : public PictureSurface {
 public:
  std::map<std::u16string, FakePicture> pictures;
  int loads = 0;

  Outcome LoadPicture(const std::u16string& path) override {
    ++loads;
    const auto it = pictures.find(path);
    if (it == pictures.end()) return Outcome::Failure("cannot load " + ToUtf8(path));
    current_ = it->second;
    return Outcome::Success();
  }
  int Width() const override { return current_.width; }
  int Height() const override { return current_.height; }
  std::int32_t PictureToPixels(PixelArray& pixels) const override {
    pixels = current_.pixels;
    return current_.width * current_.height;
  }

 private:
  FakePicture current_;
};

class TempDir {
 public:
  TempDir() {
    char pattern[] = "/tmp/qbtest-XXXXXX";
    path_ = ::mkdtemp(pattern);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteAll(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::u16string U16(const std::filesystem::path& path) { return FromPath(path); }

}  // namespace qb::test
