#pragma once
// The real common dialogs on Qt. File dialogs are Qt's own widgets with
// Japanese captions, the same on every desktop; the colour, font and print
// dialogs are whatever the platform offers.

#include "common/ui/dialog_backend.h"

namespace qb {

class QtDialogBackend : public DialogBackend {
 public:
  FileDialogResult RunFile(const FileDialogRequest& request) override;
  ColorDialogResult RunColor(const ColorDialogRequest& request) override;
  FontDialogResult RunFont(const FontDialogRequest& request) override;
  PrinterDialogResult RunPrinter(const PrinterDialogRequest& request) override;
  // Opens the help file with the desktop's viewer for it.
  std::int32_t OpenHelp(const HelpRequest& request) override;
};

}  // namespace qb
