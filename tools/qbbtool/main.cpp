// qbbtool: the command-line face of the book library, for authors, scripts
// and our own checks.
#include <QGuiApplication>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <map>
#include <string>

#include "tools/qbbtool/commands.h"
#include "tools/qbbtool/qt_messages.h"

namespace {

constexpr const char* kUsage =
    "Usage: qbbtool COMMAND [ARGS]\n"
    "Commands:\n"
    "  info BOOK              print the book's fields and pages as JSON\n"
    "  page BOOK N OUT.png    write page N as a PNG picture\n"
    "  make OUT.qbb ... PICTURE|ARCHIVE...   write a book from pictures or comic archives\n"
    "  build DEF.qbd [OUT.qbb]       write the book a QuillyEd definition file describes\n"
    "  thumbnail [-s SIZE] BOOK OUT.png   write page 1 fitted into SIZE x SIZE as a PNG picture\n"
    "  unpack [--force] BOOK DIR     write the pages and a QuillyEd definition file into DIR\n"
    "  export [--password PW] BOOK OUT.cbz   write the pages and fields as a comic archive\n"
    "  publish [--force] BOOK DIR    write the web reader with the book into DIR, for any web host\n"
    "Run 'qbbtool COMMAND --help' for the details of a command.\n";

}  // namespace

int main(int argc, char** argv) {
  const std::map<std::string, int (*)(const qbbtool::Args&)> commands = {
      {"info", qbbtool::RunInfo},     {"page", qbbtool::RunPage},           {"make", qbbtool::RunMake},
      {"build", qbbtool::RunBuild},   {"thumbnail", qbbtool::RunThumbnail}, {"unpack", qbbtool::RunUnpack},
      {"export", qbbtool::RunExport}, {"publish", qbbtool::RunPublish},
  };
  if (argc < 2 || std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h") {
    (argc < 2 ? std::cerr : std::cout) << kUsage;
    return argc < 2 ? qbbtool::kExitUsage : qbbtool::kExitOk;
  }
  const auto command = commands.find(argv[1]);
  if (command == commands.end()) {
    std::cerr << "qbbtool: unknown command '" << argv[1] << "'\n" << kUsage;
    return qbbtool::kExitUsage;
  }
  // Metafile pictures draw text, which needs the font machinery of a GUI
  // application. The tool never opens a window, so it never needs a display,
  // whatever platform the session names (thumbnailers run without one).
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qbbtool::SilenceQtMessages();
  // A reader that goes away early is a failed write the command reports,
  // not a silent death.
  std::signal(SIGPIPE, SIG_IGN);
  // The arguments are taken before Qt sees any: Qt would remove the ones it
  // knows ("-reverse", "-style", ...) from a command's pictures and texts.
  const qbbtool::Args args(argv + 2, argv + argc);
  int qtArgc = 1;
  QGuiApplication app(qtArgc, argv);
  return command->second(args);
}
