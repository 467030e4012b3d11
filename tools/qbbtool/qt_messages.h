#pragma once
// Qt's own diagnostics (QStandardPaths on a missing runtime folder when run
// as root, libpng's "Write Error" ahead of a command's message) mean nothing
// to the user of a command-line tool whose commands report every failure
// themselves, so they are not printed. A fatal message, which ends the
// program, still is.

namespace qbbtool {

void SilenceQtMessages();

}  // namespace qbbtool
