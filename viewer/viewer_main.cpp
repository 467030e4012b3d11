#include "viewer/viewer_main.h"

#include <QThread>

#include "common/settings.h"
#include "viewer/start_window.h"
#include "viewer/view_window.h"

namespace qb::viewer {

SplashPause SleepingPause(std::chrono::milliseconds time) {
  return [time](frmStart&) { QThread::msleep(static_cast<unsigned long>(time.count())); };
}

std::unique_ptr<frmView> StartViewer(const ViewerStart& start) {
  ViewerSettings settings = LoadViewerSettings(start.programFolder);
  // Unwritable settings cost only the remembered values; nothing is shown.
  static_cast<void>(SaveViewerSettings(settings));
  {
    frmStart splash;
    splash.Form_Load();
    start.pause(splash);
  }
  auto view = std::make_unique<frmView>(std::move(settings),
                                        ViewerEnvironment{start.programFolder, start.fileTypes, start.modals});
  view->Form_Load(start.arguments);
  view->show();
  // Taken even where no window manager hands the keyboard over: keys would
  // still arrive, but no control would count as focused or draw its mark.
  view->activateWindow();
  return view;
}

}  // namespace qb::viewer
