#pragma once
// The sizes at which the programs' icons are drawn, shared by the running
// windows and the icon theme the install writes, so both show the same art.

#include <QIcon>
#include <QImage>
#include <array>

namespace qb {

inline constexpr std::array<int, 7> kProgramIconSizes{16, 24, 32, 48, 64, 128, 256};

// An icon holding draw(size) at every one of kProgramIconSizes.
QIcon ProgramIcon(QImage (*draw)(int size));

}  // namespace qb
