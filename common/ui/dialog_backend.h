#pragma once
// What the common dialog wrapper asks of the desktop, one request per
// dialog, and what the dialog answered. The real backend shows Qt dialogs;
// tests install a scripted one (ScopedDialogBackend).

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

class QWidget;

namespace qb {

enum class FileDialogKind { Open, Save };

// How a dialog ended: with a result, cancelled (extendedError 0), or failed
// with a common-dialog extended error code.
struct DialogEnd {
  bool accepted = false;
  std::int32_t extendedError = 0;
};

struct FileDialogRequest {
  FileDialogKind kind = FileDialogKind::Open;
  QWidget* owner = nullptr;
  QString title;
  QString initialFolder;
  QString fileName;            // initial name or path
  QStringList nameFilters;     // "description (*.a *.b)"
  QString selectedNameFilter;  // one of nameFilters; empty without filters
  std::uint32_t flags = 0;     // the OFN_* word as the caller gave it
  QString defaultExtension;
  int bufferSize = 0;  // file-name buffer in bytes of code page 932, NUL included
};

struct FileDialogResult : DialogEnd {
  QString path;
  static FileDialogResult Chosen(const QString& path) { return {{true, 0}, path}; }
  static FileDialogResult Cancelled() { return {}; }
  static FileDialogResult Failed(std::int32_t extendedError) { return {{false, extendedError}, {}}; }
};

struct ColorDialogRequest {
  QWidget* owner = nullptr;
  std::uint32_t color = 0;  // 0x00BBGGRR
  std::uint32_t flags = 0;
  std::array<std::uint32_t, 16> customColors{};
};

struct ColorDialogResult : DialogEnd {
  std::uint32_t color = 0;
};

// The font as the LOGFONT of the request holds it: no face name, only style.
struct FontDialogRequest {
  QWidget* owner = nullptr;
  int weight = 0;  // 700 bold, 0 the default
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  std::int32_t pointSizeTenths = 0;
  std::uint32_t flags = 0;
};

struct FontDialogResult : DialogEnd {
  int weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  QString faceName;
  std::int32_t pointSizeTenths = 0;
};

struct PrinterDialogRequest {
  QWidget* owner = nullptr;
  std::int32_t hDC = 0;
  std::uint32_t flags = 0;
  std::int16_t fromPage = 0;
  std::int16_t toPage = 0;
  std::int16_t minPage = 0;
  std::int16_t maxPage = 0;
  std::int16_t copies = 0;
};

struct PrinterDialogResult : DialogEnd {
  std::int32_t hDC = 0;
  std::int16_t fromPage = 0;
  std::int16_t toPage = 0;
  std::int16_t minPage = 0;
  std::int16_t maxPage = 0;
  std::int16_t copies = 0;
};

struct HelpRequest {
  QWidget* owner = nullptr;
  QString helpFile;
  std::int32_t command = 0;
};

class DialogBackend {
 public:
  virtual ~DialogBackend() = default;
  virtual FileDialogResult RunFile(const FileDialogRequest& request) = 0;
  virtual ColorDialogResult RunColor(const ColorDialogRequest& request) = 0;
  virtual FontDialogResult RunFont(const FontDialogRequest& request) = 0;
  virtual PrinterDialogResult RunPrinter(const PrinterDialogRequest& request) = 0;
  // Nonzero when the help was handed over.
  virtual std::int32_t OpenHelp(const HelpRequest& request) = 0;
};

// The installed backend, or the real Qt dialogs when none is installed.
DialogBackend& CurrentDialogBackend();

// Installs a backend for its own lifetime and restores the previous one.
class ScopedDialogBackend {
 public:
  explicit ScopedDialogBackend(DialogBackend& backend);
  ~ScopedDialogBackend();
  ScopedDialogBackend(const ScopedDialogBackend&) = delete;
  ScopedDialogBackend& operator=(const ScopedDialogBackend&) = delete;

 private:
  DialogBackend* previous_;
};

}  // namespace qb
