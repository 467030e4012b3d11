#pragma once
// The Viewer's start procedure: settings, two seconds of splash, then the
// main window with the book named on the command line.

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qb {
class FileTypeStore;
}

namespace qb::viewer {

class frmStart;
class frmView;
class ViewerModals;

inline constexpr std::chrono::milliseconds kSplashTime{2000};

// Keeps the painted splash on screen; the start procedure blocks meanwhile.
using SplashPause = std::function<void(frmStart& splash)>;

// Blocks the calling thread for time: the splash stays on screen as painted.
SplashPause SleepingPause(std::chrono::milliseconds time = kSplashTime);

struct ViewerStart {
  std::u16string programFolder;           // holds the settings file and the program
  std::vector<std::u16string> arguments;  // the command line after the program name
  FileTypeStore& fileTypes;
  ViewerModals& modals;
  SplashPause pause = SleepingPause();
};

// Loads the settings and saves them straight back (so the settings file
// holds every key from the first start on), shows the splash for the
// pause, removes it, then loads and shows the main window, whose load
// handler registers the book type and opens the command line's book. The
// program ends when the returned window is closed.
std::unique_ptr<frmView> StartViewer(const ViewerStart& start);

}  // namespace qb::viewer
