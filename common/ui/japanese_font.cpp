#include "common/ui/japanese_font.h"

#include <QApplication>

namespace qb {

QFont JapaneseFont(double pointSize, bool fixedPitch) {
  QFont font;
  if (fixedPitch) {
    font.setFamilies({"IPAGothic", "IPAPGothic", "Noto Sans Mono CJK JP", "Monospace"});
  } else {
    font.setFamilies({"IPAPGothic", "IPAGothic", "Noto Sans CJK JP", "Sans Serif"});
  }
  font.setPointSizeF(pointSize);
  return font;
}

void UseJapaneseUiFont() { QApplication::setFont(JapaneseFont()); }

}  // namespace qb
