#pragma once
// The settings file "Quilly.Ini" both programs share, and the settings each
// program keeps from it for its whole run. Each program loads its settings
// at start, writes them straight back (so the file holds every key from the
// first run on), and saves again whenever a remembered value changes.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "common/outcome.h"

namespace qb {

inline constexpr std::u16string_view kSettingsFileName = u"Quilly.Ini";

struct ViewerSettings {
  std::u16string settingsPath;
  std::u16string lastFolder;  // where the file dialogs start
};

struct EditorSettings {
  std::u16string settingsPath;
  std::int16_t gifOption = 1;  // nonzero: the page-image picker offers GIF files
  std::u16string name;         // author, home page and mail address last saved with a book
  std::u16string url;
  std::u16string mail;
  std::u16string lastFolder;  // where the file dialogs start
};

// The per-user folder for a settings file the program folder cannot take:
// $XDG_CONFIG_HOME (when absolute) or ~/.config, subfolder "Quillberry".
std::u16string UserSettingsFolder();

// The settings file: "Quilly.Ini" in the program folder, or in the per-user
// folder (created when needed) when the program folder is not writable, as
// for a program installed in a system folder. Both programs decide alike,
// so they still share one file.
std::u16string SettingsFilePath(const std::u16string& programFolder);
std::u16string SettingsFilePath(const std::u16string& programFolder,
                                const std::function<bool(const std::u16string&)>& isWritableFolder);

// Whether files can be created in folder by this process.
bool IsWritableFolder(const std::u16string& folder);

// LastFolder before anything was remembered: the "Book" folder beside the program.
std::u16string DefaultLastFolder(const std::u16string& programFolder);

// The "GIF" option from its text. A decimal integer in the 16-bit range
// (surrounding blanks and a sign allowed) is taken as it is; anything else
// (empty, not a number, out of range) gives 1, the default, so a damaged
// value keeps GIF files on offer instead of stopping the Editor.
std::int16_t ParseGifOption(std::u16string_view text);

// Load reads the settings file for the program folder (SettingsFilePath);
// missing entries give their defaults. Save writes the program's keys in
// their fixed order, every one even after a failure, and reports the first
// failure (the values in memory stay as they are either way).
ViewerSettings LoadViewerSettings(const std::u16string& programFolder);
Outcome SaveViewerSettings(const ViewerSettings& settings);

// The "Options" section is only read: the GIF option is edited by hand.
EditorSettings LoadEditorSettings(const std::u16string& programFolder);
Outcome SaveEditorSettings(const EditorSettings& settings);

}  // namespace qb
