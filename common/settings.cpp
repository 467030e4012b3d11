#include "common/settings.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <utility>

#include "common/ini_access.h"
#include "common/path_helpers.h"
#include "common/system_program_folder.h"
#include "common/utf8.h"

namespace qb {
namespace {

constexpr char16_t kSystem[] = u"System";
constexpr char16_t kLastFolder[] = u"LastFolder";
constexpr char16_t kUserInfo[] = u"UserInfo";

std::u16string LoadLastFolder(const std::u16string& settingsPath, const std::u16string& programFolder) {
  return GetIniString(kSystem, kLastFolder, DefaultLastFolder(programFolder), settingsPath);
}

Outcome SaveLastFolder(const std::u16string& settingsPath, const std::u16string& lastFolder) {
  return WriteIniString(kSystem, kLastFolder, lastFolder, settingsPath);
}

std::filesystem::path HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') return home;
  if (const passwd* entry = ::getpwuid(::geteuid()); entry != nullptr && entry->pw_dir != nullptr) {
    return entry->pw_dir;
  }
  return {};
}

}  // namespace

std::u16string UserSettingsFolder() {
  std::filesystem::path base;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && config[0] == '/') {
    base = config;
  } else if (const auto home = HomeFolder(); !home.empty()) {
    base = home / ".config";
  } else {
    return {};
  }
  return FromPath(base / "Quillberry");
}

bool IsWritableFolder(const std::u16string& folder) {
  return !folder.empty() && ::access(ToUtf8(folder).c_str(), W_OK | X_OK) == 0;
}

std::u16string SettingsFilePath(const std::u16string& programFolder) {
  return SettingsFilePath(programFolder, [](const std::u16string& folder) {
    return !IsSystemProgramFolder(folder) && IsWritableFolder(folder);
  });
}

std::u16string SettingsFilePath(const std::u16string& programFolder,
                                const std::function<bool(const std::u16string&)>& isWritableFolder) {
  const std::u16string folder = isWritableFolder(programFolder) ? programFolder : UserSettingsFolder();
  if (folder.empty()) return AddPathSeparator(programFolder) + std::u16string(kSettingsFileName);
  if (folder != programFolder) {
    // A folder that cannot be created shows up as a failed save, like any
    // settings file that cannot be written.
    std::error_code ignored;
    std::filesystem::create_directories(ToPath(folder), ignored);
  }
  return AddPathSeparator(folder) + std::u16string(kSettingsFileName);
}

std::u16string DefaultLastFolder(const std::u16string& programFolder) {
  return AddPathSeparator(programFolder) + u"Book";
}

std::int16_t ParseGifOption(std::u16string_view text) {
  constexpr std::int16_t kDefault = 1;
  while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == u'+' || text.front() == u'-')) {
    negative = text.front() == u'-';
    text.remove_prefix(1);
  }
  if (text.empty()) return kDefault;
  long value = 0;
  for (const char16_t c : text) {
    if (c < u'0' || c > u'9') return kDefault;
    value = value * 10 + (c - u'0');
    if (value > 32768) return kDefault;
  }
  if (negative) value = -value;
  if (value > 32767) return kDefault;
  return static_cast<std::int16_t>(value);
}

ViewerSettings LoadViewerSettings(const std::u16string& programFolder) {
  ViewerSettings settings;
  settings.settingsPath = SettingsFilePath(programFolder);
  settings.lastFolder = LoadLastFolder(settings.settingsPath, programFolder);
  return settings;
}

Outcome SaveViewerSettings(const ViewerSettings& settings) {
  return SaveLastFolder(settings.settingsPath, settings.lastFolder);
}

EditorSettings LoadEditorSettings(const std::u16string& programFolder) {
  EditorSettings settings;
  settings.settingsPath = SettingsFilePath(programFolder);
  const std::u16string& path = settings.settingsPath;
  settings.gifOption = ParseGifOption(GetIniString(u"Options", u"GIF", u"1", path));
  settings.name = GetIniString(kUserInfo, u"Name", u"", path);
  settings.url = GetIniString(kUserInfo, u"URL", u"", path);
  settings.mail = GetIniString(kUserInfo, u"MAIL", u"", path);
  settings.lastFolder = LoadLastFolder(path, programFolder);
  return settings;
}

Outcome SaveEditorSettings(const EditorSettings& settings) {
  const std::u16string& path = settings.settingsPath;
  // Every key is attempted even after a failure, in the order that makes a
  // first run create "UserInfo" before "System".
  Outcome saved = Outcome::Success();
  const auto keepFirstFailure = [&saved](Outcome written) {
    if (saved && !written) saved = std::move(written);
  };
  keepFirstFailure(WriteIniString(kUserInfo, u"Name", settings.name, path));
  keepFirstFailure(WriteIniString(kUserInfo, u"URL", settings.url, path));
  keepFirstFailure(WriteIniString(kUserInfo, u"MAIL", settings.mail, path));
  keepFirstFailure(SaveLastFolder(path, settings.lastFolder));
  return saved;
}

}  // namespace qb
