#include "common/ui/program_icon.h"

#include <QPixmap>

namespace qb {

QIcon ProgramIcon(QImage (*draw)(int size)) {
  QIcon icon;
  for (const int size : kProgramIconSizes) icon.addPixmap(QPixmap::fromImage(draw(size)));
  return icon;
}

}  // namespace qb
