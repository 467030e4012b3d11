// Test entry for areas that need Qt: one QApplication for the whole run,
// offscreen unless the caller chose a platform (e.g. xvfb for screenshots).
// The programs register file types and write settings at start-up, so the
// per-user data and configuration folders point into a scratch folder: no
// test ever touches the real desktop.
#include <gtest/gtest.h>
#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QTemporaryDir home;
  const QByteArray scratch = home.path().toLocal8Bit();
  setenv("XDG_DATA_HOME", (scratch + "/data").constData(), 1);
  setenv("XDG_CONFIG_HOME", (scratch + "/config").constData(), 1);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
