#include "editor_test_support.h"

#include <QPainter>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "common/cp932.h"
#include "common/settings.h"
#include "common/utf8.h"

namespace qb::editor::test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  std::string pattern = (fs::temp_directory_path() / "qb-editor-XXXXXX").string();
  if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::u16string TempFolder::text() const { return FromPath(path_); }

std::u16string TempFolder::operator/(const std::string& name) const { return FromPath(path_ / fs::u8path(name)); }

std::string ReadBytes(const std::u16string& path) {
  std::ifstream in(ToPath(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::u16string& path, const std::string& bytes) {
  std::ofstream out(ToPath(path), std::ios::binary | std::ios::trunc);
  out << bytes;
}

bool Exists(const std::u16string& path) { return fs::exists(ToPath(path)); }

std::string Cp932(std::u16string_view text) { return cp932::Encode(text); }

std::u16string SavePicture(const QImage& image, const std::u16string& path) {
  fs::create_directories(ToPath(path).parent_path());
  image.save(QString::fromStdU16String(path), "BMP");
  return path;
}

QImage SolidPicture(int width, int height, QRgb colour) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

QImage PatternPicture(int width, int height, int seed) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.setPixel(x, y, qRgb((x * 37 + seed) & 0xFF, (y * 59 + seed * 3) & 0xFF, (x * y + seed * 7) & 0xFF));
    }
  }
  return image;
}

frmEdit& EditorHarness::Window(const std::vector<std::u16string>& arguments) {
  if (!window_) {
    window_ = std::make_unique<frmEdit>(LoadEditorSettings(program.text()), program.text(), fileTypes);
    window_->Form_Load(arguments);
  }
  return *window_;
}

void EditorHarness::AddImage(const std::u16string& path) {
  dialogs.ChooseFile(QString::fromStdU16String(path));
  Window().IBtn_Click(0);
}

void EditorHarness::Export(const std::u16string& chosen) {
  dialogs.ChooseFile(QString::fromStdU16String(chosen));
  Window().BTN_Click(0);
}

}  // namespace qb::editor::test
