#pragma once
// Qt's own texts (file dialog labels, standard buttons) in Japanese, to
// match the programs' Japanese captions. Without the translation package
// they stay in English and nothing else changes.

namespace qb {

// Returns whether the Japanese translation was found and installed.
bool InstallJapaneseQtTexts();

}  // namespace qb
