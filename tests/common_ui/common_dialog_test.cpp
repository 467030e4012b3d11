// The common dialog wrapper through the scripted backend: what each dialog
// is asked, and what the properties hold afterwards.

#include "common/ui/common_dialog.h"

#include <gtest/gtest.h>

#include <QWidget>

#include "common/ui/common_dialog_codes.h"
#include "common/ui/common_dialog_error.h"
#include "support/scripted_dialog_backend.h"

namespace {

using namespace qb::dialog_codes;
using qb::clsCommonDialog;
using qb::CommonDialogError;

const QString kBookFilter = QStringLiteral("ｸｲﾙﾍﾞﾘｰﾌﾞｯｸ") + QChar(u'\0') + "*.qbb" + QChar(u'\0');

// The number of the cancel error a Show operation raises; 0 when none.
template <typename Show>
std::int32_t RaisedNumber(Show show, std::string* description = nullptr) {
  try {
    show();
  } catch (const CommonDialogError& error) {
    if (description != nullptr) *description = error.what();
    return error.Number();
  }
  return 0;
}

TEST(CommonDialogFile, OpenDialogGetsWhatTheCallerSet) {
  qb::ScriptedDialogBackend dialogs;
  dialogs.ChooseFile("/books/冒険 1.qbb");
  QWidget owner;
  clsCommonDialog dialog;
  dialog.setHwndOwner(&owner);
  dialog.setInitDir("/books");
  dialog.setDialogTitle("クイルベリーブック");
  dialog.setFilter(kBookFilter);
  dialog.setFlags(4100);
  dialog.setDefaultExt("qbb");

  dialog.ShowOpen();

  ASSERT_EQ(dialogs.FileRequests().size(), 1u);
  const qb::FileDialogRequest& request = dialogs.FileRequests()[0];
  EXPECT_EQ(request.kind, qb::FileDialogKind::Open);
  EXPECT_EQ(request.owner, &owner);
  EXPECT_EQ(request.initialFolder, QStringLiteral("/books"));
  EXPECT_EQ(request.title, QStringLiteral("クイルベリーブック"));
  EXPECT_EQ(request.nameFilters, QStringList{QStringLiteral("ｸｲﾙﾍﾞﾘｰﾌﾞｯｸ (*.qbb)")});
  EXPECT_EQ(request.selectedNameFilter, QStringLiteral("ｸｲﾙﾍﾞﾘｰﾌﾞｯｸ (*.qbb)"));
  EXPECT_EQ(request.flags, kOfnFileMustExist | kOfnHideReadOnly);
  EXPECT_EQ(request.defaultExtension, QStringLiteral("qbb"));
  EXPECT_TRUE(request.fileName.isEmpty());

  EXPECT_EQ(dialog.FileName(), QStringLiteral("/books/冒険 1.qbb"));
  EXPECT_EQ(dialog.FileTitle(), QStringLiteral("冒険 1.qbb"));
  EXPECT_EQ(dialog.APIReturn(), 1);
  EXPECT_EQ(dialog.ExtendedError(), 0);
}

TEST(CommonDialogFile, SaveDialogIsASaveDialog) {
  qb::ScriptedDialogBackend dialogs;
  dialogs.ChooseFile("/books/new");
  clsCommonDialog dialog;
  dialog.setFlags(0x201006);
  dialog.ShowSave();
  ASSERT_EQ(dialogs.FileRequests().size(), 1u);
  EXPECT_EQ(dialogs.FileRequests()[0].kind, qb::FileDialogKind::Save);
  EXPECT_EQ(dialogs.FileRequests()[0].flags,
            kOfnOverwritePrompt | kOfnHideReadOnly | kOfnFileMustExist | kOfnLongNames);
  EXPECT_EQ(dialog.FileName(), QStringLiteral("/books/new"));
}

TEST(CommonDialogFile, PathIsTakenExactlyWithItsBlanks) {
  qb::ScriptedDialogBackend dialogs;
  dialogs.ChooseFile("/pics/ cover .bmp ");
  clsCommonDialog dialog;
  dialog.ShowOpen();
  EXPECT_EQ(dialog.FileName(), QStringLiteral("/pics/ cover .bmp "));
  EXPECT_EQ(dialog.FileTitle(), QStringLiteral(" cover .bmp "));
}

TEST(CommonDialogFile, BufferHolds1024UnlessMaxFileSizeIsPositive) {
  qb::ScriptedDialogBackend dialogs;
  for (const int maxFileSize : {0, -5, 300}) {
    clsCommonDialog dialog;
    dialog.setMaxFileSize(maxFileSize);
    dialog.ShowOpen();
  }
  ASSERT_EQ(dialogs.FileRequests().size(), 3u);
  EXPECT_EQ(dialogs.FileRequests()[0].bufferSize, 1024);
  EXPECT_EQ(dialogs.FileRequests()[1].bufferSize, 1024);
  EXPECT_EQ(dialogs.FileRequests()[2].bufferSize, 300);
}

TEST(CommonDialogFile, PathLongerThanTheBufferFailsWithBufferTooSmall) {
  qb::ScriptedDialogBackend dialogs;
  // 8 bytes in code page 932 ("/" and 3 full-width characters and "a"), 9 with the NUL.
  dialogs.ChooseFile("/本本本a");
  dialogs.ChooseFile("/本本本a");
  clsCommonDialog dialog;
  dialog.setFileName("before");
  dialog.setMaxFileSize(8);
  dialog.ShowOpen();
  EXPECT_EQ(dialog.APIReturn(), 0);
  EXPECT_EQ(dialog.ExtendedError(), kFnerrBufferTooSmall);
  EXPECT_EQ(dialog.FileName(), QStringLiteral("before"));
  EXPECT_EQ(dialogs.FileRequests()[0].fileName, QStringLiteral("before"));

  dialog.setMaxFileSize(9);
  dialog.ShowOpen();
  EXPECT_EQ(dialog.APIReturn(), 1);
  EXPECT_EQ(dialog.ExtendedError(), 0);
  EXPECT_EQ(dialog.FileName(), QStringLiteral("/本本本a"));
}

TEST(CommonDialogFile, BufferTooSmallRaisesWhenCancelErrorIsSet) {
  qb::ScriptedDialogBackend dialogs;
  dialogs.ChooseFile("/a/long/path.qbb");
  clsCommonDialog dialog;
  dialog.setMaxFileSize(4);
  dialog.setCancelError(-1);
  EXPECT_EQ(RaisedNumber([&] { dialog.ShowOpen(); }), kCancelErrorNumber);
  EXPECT_EQ(dialog.ExtendedError(), kFnerrBufferTooSmall);
}

TEST(CommonDialogFile, CancelReturnsNormallyAndKeepsTheFileName) {
  qb::ScriptedDialogBackend dialogs;
  dialogs.ChooseFile("/first.qbb");
  dialogs.CancelFile();
  clsCommonDialog dialog;
  dialog.ShowOpen();
  ASSERT_EQ(dialog.FileName(), QStringLiteral("/first.qbb"));

  EXPECT_EQ(RaisedNumber([&] { dialog.ShowOpen(); }), 0);
  EXPECT_EQ(dialog.FileName(), QStringLiteral("/first.qbb"));
  EXPECT_EQ(dialog.FileTitle(), QStringLiteral("first.qbb"));
  EXPECT_EQ(dialog.APIReturn(), 0);
  EXPECT_EQ(dialog.ExtendedError(), 0);
}

TEST(CommonDialogFile, CancelOnAFreshInstanceLeavesFileNameEmpty) {
  qb::ScriptedDialogBackend dialogs;
  clsCommonDialog dialog;
  dialog.ShowSave();
  EXPECT_TRUE(dialog.FileName().isEmpty());
  EXPECT_EQ(dialog.APIReturn(), 0);
}

TEST(CommonDialogFile, CancelWithCancelErrorRaises2001) {
  qb::ScriptedDialogBackend dialogs;
  dialogs.CancelFile();
  dialogs.CancelFile();
  clsCommonDialog dialog;
  dialog.setCancelError(-1);
  EXPECT_EQ(RaisedNumber([&] { dialog.ShowOpen(); }), kCancelErrorNumber);
  EXPECT_EQ(RaisedNumber([&] { dialog.ShowSave(); }), kCancelErrorNumber);
  EXPECT_EQ(dialog.ExtendedError(), 0);
}

TEST(CommonDialogFile, FailureReportsItsExtendedError) {
  qb::ScriptedDialogBackend dialogs;
  dialogs.FailFile(kCderrInitialization);
  clsCommonDialog dialog;
  dialog.ShowOpen();
  EXPECT_EQ(dialog.APIReturn(), 0);
  EXPECT_EQ(dialog.ExtendedError(), kCderrInitialization);
}

TEST(CommonDialogFile, BarAndNulFiltersReachTheDialogIdentically) {
  qb::ScriptedDialogBackend dialogs;
  const QString bar = QStringLiteral("画像ファイル|*.bmp;*.gif;*.ico;*.jpg;*.wmf|すべて|*.*|");
  QString nul = bar;
  nul.replace(u'|', QChar(u'\0'));
  for (const QString& filter : {bar, nul}) {
    clsCommonDialog dialog;
    dialog.setFilter(filter);
    dialog.setFilterIndex(2);
    dialog.ShowOpen();
  }
  ASSERT_EQ(dialogs.FileRequests().size(), 2u);
  const QStringList expected{QStringLiteral("画像ファイル (*.bmp *.gif *.ico *.jpg *.wmf)"),
                             QStringLiteral("すべて (*)")};
  for (const qb::FileDialogRequest& request : dialogs.FileRequests()) {
    EXPECT_EQ(request.nameFilters, expected);
    EXPECT_EQ(request.selectedNameFilter, expected[1]);
  }
}

TEST(CommonDialogFile, ActionKeepsTheLastNonFileDialog) {
  qb::ScriptedDialogBackend dialogs;
  clsCommonDialog fresh;
  fresh.ShowOpen();
  EXPECT_EQ(fresh.Action(), 0);

  clsCommonDialog used;
  used.ShowColor();
  ASSERT_EQ(used.Action(), 3);
  used.ShowOpen();
  EXPECT_EQ(used.Action(), 3);
  used.ShowSave();
  EXPECT_EQ(used.Action(), 3);
}

TEST(CommonDialogColor, ChosenColourIsReturnedAndCustomColoursStartWhite) {
  qb::ScriptedDialogBackend dialogs;
  dialogs.ChooseColor(0x00336699);
  clsCommonDialog dialog;
  dialog.setColor(0x00FF0000);
  dialog.setFlags(kCcRgbInit);
  dialog.ShowColor();
  ASSERT_EQ(dialogs.ColorRequests().size(), 1u);
  EXPECT_EQ(dialogs.ColorRequests()[0].color, 0x00FF0000u);
  EXPECT_EQ(dialogs.ColorRequests()[0].flags, kCcRgbInit);
  for (const std::uint32_t custom : dialogs.ColorRequests()[0].customColors) EXPECT_EQ(custom, 0xFFFFFFu);
  EXPECT_EQ(dialog.Color(), 0x00336699);
  EXPECT_EQ(dialog.APIReturn(), 1);
  EXPECT_EQ(dialog.Action(), 3);
}

TEST(CommonDialogColor, CancelKeepsTheColourOrRaisesCancelPressed) {
  qb::ScriptedDialogBackend dialogs;
  clsCommonDialog dialog;
  dialog.setColor(0x123456);
  dialog.ShowColor();
  EXPECT_EQ(dialog.Color(), 0x123456);
  EXPECT_EQ(dialog.APIReturn(), 0);

  dialog.setCancelError(-1);
  std::string description;
  EXPECT_EQ(RaisedNumber([&] { dialog.ShowColor(); }, &description), -2147220610);
  EXPECT_EQ(description, "Cancel Pressed");
}

TEST(CommonDialogFont, StyleAndSizeGoInAsTheRecordHoldsThem) {
  qb::ScriptedDialogBackend dialogs;
  clsCommonDialog dialog;
  dialog.setFontSize(12);
  dialog.setFontBold(-1);
  dialog.setFontStrikethru(1);
  dialog.setFontName("ignored on the way in");
  dialog.ShowFont();
  ASSERT_EQ(dialogs.FontRequests().size(), 1u);
  const qb::FontDialogRequest& request = dialogs.FontRequests()[0];
  EXPECT_EQ(request.pointSizeTenths, 120);
  EXPECT_EQ(request.weight, 700);
  EXPECT_FALSE(request.italic);
  EXPECT_FALSE(request.underline);
  EXPECT_TRUE(request.strikeOut);
  EXPECT_EQ(dialog.Action(), 4);
}

TEST(CommonDialogFont, ReturnedSizeRoundsHalvesToEven) {
  qb::ScriptedDialogBackend dialogs;
  const std::pair<int, int> cases[] = {{105, 10}, {115, 12}, {125, 12}, {124, 12}, {126, 13}, {120, 12}};
  for (const auto& [tenths, points] : cases) {
    qb::FontDialogResult answer;
    answer.accepted = true;
    answer.pointSizeTenths = tenths;
    dialogs.AnswerFont(answer);
    clsCommonDialog dialog;
    dialog.ShowFont();
    EXPECT_EQ(dialog.FontSize(), points) << tenths;
  }
}

TEST(CommonDialogFont, ChosenStyleAndFaceComeBack) {
  qb::ScriptedDialogBackend dialogs;
  qb::FontDialogResult answer;
  answer.accepted = true;
  answer.weight = 700;
  answer.italic = true;
  answer.underline = true;
  answer.faceName = QStringLiteral("ＭＳ ゴシック");
  answer.pointSizeTenths = 90;
  dialogs.AnswerFont(answer);
  clsCommonDialog dialog;
  dialog.ShowFont();
  EXPECT_EQ(dialog.FontBold(), -1);
  EXPECT_EQ(dialog.FontItalic(), -1);
  EXPECT_EQ(dialog.FontUnderline(), -1);
  EXPECT_EQ(dialog.FontStrikethru(), 0);
  EXPECT_EQ(dialog.FontName(), QStringLiteral("ＭＳ ゴシック"));
  EXPECT_EQ(dialog.FontSize(), 9);
  EXPECT_EQ(dialog.APIReturn(), 1);
}

TEST(CommonDialogFont, CancelRaises2001OnlyWithCancelError) {
  qb::ScriptedDialogBackend dialogs;
  clsCommonDialog dialog;
  dialog.setFontSize(12);
  EXPECT_EQ(RaisedNumber([&] { dialog.ShowFont(); }), 0);
  EXPECT_EQ(dialog.FontSize(), 12);
  dialog.setCancelError(-1);
  EXPECT_EQ(RaisedNumber([&] { dialog.ShowFont(); }), kCancelErrorNumber);
}

TEST(CommonDialogPrinter, PagesGoInAs16BitAndComeBackSignExtended) {
  qb::ScriptedDialogBackend dialogs;
  qb::PrinterDialogResult answer;
  answer.accepted = true;
  answer.hDC = 77;
  answer.fromPage = 2;
  answer.toPage = -1;
  answer.minPage = 1;
  answer.maxPage = 9;
  answer.copies = 3;
  dialogs.AnswerPrinter(answer);
  clsCommonDialog dialog;
  dialog.setFromPage(0x10002);
  dialog.setToPage(5);
  dialog.setMin(1);
  dialog.setMax(9);
  dialog.setCopies(1);
  dialog.ShowPrinter();
  ASSERT_EQ(dialogs.PrinterRequests().size(), 1u);
  EXPECT_EQ(dialogs.PrinterRequests()[0].fromPage, 2);
  EXPECT_EQ(dialogs.PrinterRequests()[0].toPage, 5);
  EXPECT_EQ(dialog.Action(), 5);
  EXPECT_EQ(dialog.FromPage(), 2);
  EXPECT_EQ(dialog.ToPage(), -1);
  EXPECT_EQ(dialog.Copies(), 3);
  EXPECT_EQ(dialog.hDC(), 77);
  EXPECT_EQ(dialog.APIReturn(), 1);
}

TEST(CommonDialogPrinter, CancelKeepsValuesOrRaises2001) {
  qb::ScriptedDialogBackend dialogs;
  clsCommonDialog dialog;
  dialog.setCopies(2);
  dialog.ShowPrinter();
  EXPECT_EQ(dialog.Copies(), 2);
  EXPECT_EQ(dialog.APIReturn(), 0);
  dialog.setCancelError(-1);
  EXPECT_EQ(RaisedNumber([&] { dialog.ShowPrinter(); }), kCancelErrorNumber);
}

TEST(CommonDialogHelp, HelpIsHandedOverAndNeverRaises) {
  qb::ScriptedDialogBackend dialogs;
  dialogs.AnswerHelp(0);
  clsCommonDialog dialog;
  dialog.setHelpFile("/opt/quillberry/quilly.html");
  dialog.setHelpCommand(3);
  dialog.setCancelError(-1);
  EXPECT_EQ(RaisedNumber([&] { dialog.ShowHelp(); }), 0);
  ASSERT_EQ(dialogs.HelpRequests().size(), 1u);
  EXPECT_EQ(dialogs.HelpRequests()[0].helpFile, QStringLiteral("/opt/quillberry/quilly.html"));
  EXPECT_EQ(dialogs.HelpRequests()[0].command, 3);
  EXPECT_EQ(dialog.APIReturn(), 0);
  EXPECT_EQ(dialog.Action(), 6);
}

TEST(CommonDialogText, FilterToApiTurnsBarsIntoNulsAndEndsWithOne) {
  const QChar nul(u'\0');
  EXPECT_EQ(clsCommonDialog::FilterToApi("A|*.a|"), QString("A") + nul + "*.a" + nul + nul);
  EXPECT_EQ(clsCommonDialog::FilterToApi(""), QString(nul));
  EXPECT_EQ(clsCommonDialog::FilterToApi(kBookFilter), kBookFilter + nul);
}

TEST(CommonDialogText, StripNulPaddingCutsAtNulAndTrimsBlanks) {
  const QChar nul(u'\0');
  EXPECT_EQ(clsCommonDialog::StripNulPadding(QString(" a b ") + nul + "rest"), QStringLiteral("a b"));
  EXPECT_EQ(clsCommonDialog::StripNulPadding("  whole  "), QStringLiteral("whole"));
  EXPECT_EQ(clsCommonDialog::StripNulPadding(QString("\ttab") + nul), QStringLiteral("\ttab"));
}

TEST(CommonDialogText, ByteArrayToTextDecodesUpToTheFirstZero) {
  EXPECT_EQ(clsCommonDialog::ByteArrayToText(QByteArray("\x82\x6c\x82\x72 Gothic\0junk", 16)),
            QStringLiteral("ＭＳ Gothic"));
  EXPECT_EQ(clsCommonDialog::ByteArrayToText(QByteArray("\xb8\xb2\xd9", 3)), QStringLiteral("ｸｲﾙ"));
  EXPECT_TRUE(clsCommonDialog::ByteArrayToText(QByteArray(4, '\0')).isEmpty());
}

}  // namespace
