#pragma once
// Shared pieces of the Editor tests: temporary folders, raw file access,
// page pictures on disk, and a main window on a temporary program folder
// with scripted dialogs and message boxes.

#include <QImage>
#include <QString>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "editor/edit_window.h"
#include "support/file_type_recording_store.h"
#include "support/scripted_dialog_backend.h"
#include "support/scripted_message_boxes.h"

namespace qb::editor::test {

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
 public:
  TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder();

  const std::filesystem::path& path() const { return path_; }
  std::u16string text() const;
  // A path inside the folder, as UTF-16 and as QString.
  std::u16string operator/(const std::string& name) const;
  QString Q(const std::string& name) const { return QString::fromStdU16String(*this / name); }

 private:
  std::filesystem::path path_;
};

std::string ReadBytes(const std::u16string& path);
void WriteBytes(const std::u16string& path, const std::string& bytes);
bool Exists(const std::u16string& path);
std::string Cp932(std::u16string_view text);

// Saves image as a Windows bitmap at path and returns the path.
std::u16string SavePicture(const QImage& image, const std::u16string& path);
QImage SolidPicture(int width, int height, QRgb colour);
// A picture whose every pixel differs from its neighbours, for pixel checks.
QImage PatternPicture(int width, int height, int seed);

// The main window on a temporary program folder, with the settings file
// there, an in-memory file-type store, scripted dialogs and message boxes.
class EditorHarness {
 public:
  // Creates the window (once) with the settings file as it stands, and runs
  // its load handler with arguments.
  frmEdit& Window(const std::vector<std::u16string>& arguments = {});
  std::u16string SettingsPath() const { return program / "Quilly.Ini"; }

  // Adds a picture through the add button, the dialog answering path.
  void AddImage(const std::u16string& path);
  // Exports through the save button, the save dialog answering chosen.
  void Export(const std::u16string& chosen);

  TempFolder program;
  TempFolder work;
  RecordingFileTypeStore fileTypes;
  ScriptedDialogBackend dialogs;
  ScriptedMessageBoxes boxes;

 private:
  std::unique_ptr<frmEdit> window_;
};

}  // namespace qb::editor::test
