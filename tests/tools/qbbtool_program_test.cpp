// The qbbtool program as a shell, a thumbnailer or cron starts it: the
// arguments it is given and the environment it inherits.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRandomGenerator>

#include "book/book_reader.h"
#include "common/utf8.h"
#include "qbbtool_test_support.h"

namespace qbbtool {
namespace {

QString Program() { return QCoreApplication::applicationDirPath() + QStringLiteral("/../tools/qbbtool/qbbtool"); }

// The exit status; what the program printed on standard error in errors.
int RunProgram(const QStringList& arguments, const QProcessEnvironment& environment, QString* errors = nullptr) {
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(Program(), arguments);
  if (!process.waitForFinished(60000)) return -1;
  if (errors) *errors = QString::fromUtf8(process.readAllStandardError());
  return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
}

// A 3 x 2 bitmap in dir.
QString WritePicture(const test::ScratchFolder& dir) {
  QImage picture(3, 2, QImage::Format_RGB32);
  picture.fill(qRgb(10, 20, 30));
  const QString path = QString::fromStdString(dir / "p.bmp");
  EXPECT_TRUE(picture.save(path, "BMP"));
  return path;
}

TEST(QbbtoolProgram, ArgumentsQtWouldTakeForItselfStayTheCommands) {
  ASSERT_TRUE(QFileInfo::exists(Program())) << "build the qbbtool target first";
  test::ScratchFolder dir;
  const QString picture = WritePicture(dir);
  const QString book = QString::fromStdString(dir / "b.qbb");

  ASSERT_EQ(RunProgram({"make", book, "--author", "A", "--comment", "-reverse", "--title", "-style", picture},
                       QProcessEnvironment::systemEnvironment()),
            0);
  qb::BookRecord record;
  ASSERT_EQ(qb::ReadBookHeader(qb::FromUtf8(dir / "b.qbb"), record), 0);
  EXPECT_EQ(record.PageCount, 1);
  EXPECT_EQ(record.Comment, u"-reverse");
  EXPECT_EQ(record.Title.substr(0, 7), u"-style ");
}

TEST(QbbtoolProgram, RunsWhateverDisplayPlatformTheSessionNames) {
  ASSERT_TRUE(QFileInfo::exists(Program())) << "build the qbbtool target first";
  test::ScratchFolder dir;
  const QString picture = WritePicture(dir);
  const QString book = QString::fromStdString(dir / "b.qbb");
  ASSERT_EQ(RunProgram({"make", book, "--author", "A", picture}, QProcessEnvironment::systemEnvironment()), 0);

  // A display platform that cannot start here (no display to connect to).
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove(QStringLiteral("DISPLAY"));
  environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  const QString thumbnail = QString::fromStdString(dir / "t.png");
  EXPECT_EQ(RunProgram({"thumbnail", "-s", "16", book, thumbnail}, environment), 0);
  EXPECT_EQ(QImage(thumbnail).size(), QSize(3, 2)) << "a page smaller than the box keeps its size";
}

TEST(QbbtoolProgram, PrintsOnlyItsOwnMessages) {
  ASSERT_TRUE(QFileInfo::exists(Program())) << "build the qbbtool target first";
  test::ScratchFolder dir;
  // Noise does not compress: its PNG is larger than any file buffer.
  QImage noise(300, 300, QImage::Format_RGB32);
  QRandomGenerator random(13);
  for (int y = 0; y < noise.height(); ++y) {
    for (int x = 0; x < noise.width(); ++x) noise.setPixel(x, y, random.generate() | 0xFF000000u);
  }
  const QString picture = QString::fromStdString(dir / "noise.bmp");
  ASSERT_TRUE(noise.save(picture, "BMP"));
  const QString book = QString::fromStdString(dir / "b.qbb");
  // As cron or a root shell starts it: no per-user runtime folder.
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));

  QString errors;
  ASSERT_EQ(RunProgram({"make", book, "--author", "A", picture}, environment, &errors), kExitOk);
  EXPECT_EQ(errors.toStdString(), "");
  EXPECT_EQ(RunProgram({"info", book}, environment, &errors), kExitOk);
  EXPECT_EQ(errors.toStdString(), "");

  // A device that takes no bytes: libpng would fail in mid-write.
  EXPECT_EQ(RunProgram({"page", book, "1", "/dev/full"}, environment, &errors), kExitCannotWrite);
  EXPECT_EQ(
      errors.toStdString(),
      "qbbtool page: cannot write /dev/full (No space left on device); check the folder exists and is writable\n");
}

TEST(QbbtoolProgram, APipeWithoutAReaderIsRefusedAndOneLeftEarlyIsABrokenPipe) {
  ASSERT_TRUE(QFileInfo::exists(Program())) << "build the qbbtool target first";
  test::ScratchFolder dir;
  // Noise: its archive is far larger than what a pipe holds.
  QImage noise(400, 400, QImage::Format_RGB32);
  QRandomGenerator random(5);
  for (int y = 0; y < noise.height(); ++y) {
    for (int x = 0; x < noise.width(); ++x) noise.setPixel(x, y, random.generate() | 0xFF000000u);
  }
  const QString picture = QString::fromStdString(dir / "noise.bmp");
  ASSERT_TRUE(noise.save(picture, "BMP"));
  const QString book = QString::fromStdString(dir / "b.qbb");
  const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  ASSERT_EQ(RunProgram({"make", book, "--author", "A", picture}, environment), kExitOk);
  const std::string fifo = dir / "out.cbz";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

  QString errors;
  EXPECT_EQ(RunProgram({"export", book, QString::fromStdString(fifo)}, environment, &errors), kExitCannotWrite);
  EXPECT_TRUE(errors.contains("no program reads from the pipe")) << errors.toStdString();

  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  ASSERT_GE(reader, 0);
  QProcess process;
  process.start(Program(), {"export", book, QString::fromStdString(fifo)});
  char first = 0;
  while (::read(reader, &first, 1) != 1 && process.state() != QProcess::NotRunning) process.waitForFinished(10);
  ::close(reader);
  ASSERT_TRUE(process.waitForFinished(60000));
  EXPECT_EQ(first, 'P');
  ASSERT_EQ(process.exitStatus(), QProcess::NormalExit) << "killed by a signal";
  EXPECT_EQ(process.exitCode(), kExitCannotWrite);
  EXPECT_TRUE(process.readAllStandardError().contains("Broken pipe"));
}

}  // namespace
}  // namespace qbbtool
