// The wrapper's conversions between its Windows records and Qt's dialogs.

#include "common/ui/common_dialog_rules.h"

#include <gtest/gtest.h>

#include "common/ui/common_dialog_filters.h"

namespace {

const QChar kNul(u'\0');

TEST(CommonDialogRules, TenthsRoundToPointsWithHalvesToEvenAlsoBelowOne) {
  EXPECT_EQ(qb::TenthsToPoints(5), 0);
  EXPECT_EQ(qb::TenthsToPoints(15), 2);
  EXPECT_EQ(qb::TenthsToPoints(-15), -2);
  EXPECT_EQ(qb::TenthsToPoints(-25), -2);
  EXPECT_EQ(qb::TenthsToPoints(-26), -3);
}

TEST(CommonDialogRules, PointsToTenthsSaturatesInsteadOfOverflowing) {
  EXPECT_EQ(qb::PointsToTenths(12), 120);
  EXPECT_EQ(qb::PointsToTenths(300'000'000), 2'147'483'647);
  EXPECT_EQ(qb::PointsToTenths(-300'000'000), -2'147'483'647 - 1);
}

TEST(CommonDialogRules, PathFitsWhenItsBytesAndNulFit) {
  EXPECT_TRUE(qb::PathFitsFileBuffer("/abc", 5));
  EXPECT_FALSE(qb::PathFitsFileBuffer("/abc", 4));
  // Full-width characters take two bytes, half-width katakana one.
  EXPECT_TRUE(qb::PathFitsFileBuffer("/本ｸ", 5));
  EXPECT_FALSE(qb::PathFitsFileBuffer("/本ｸ", 4));
}

TEST(CommonDialogRules, FileTitleIsTheNameAfterTheLastSeparator) {
  EXPECT_EQ(qb::FileTitleOf("/books/a.qbb"), QStringLiteral("a.qbb"));
  EXPECT_EQ(qb::FileTitleOf("a.qbb"), QStringLiteral("a.qbb"));
  EXPECT_EQ(qb::FileTitleOf("/books/"), QString());
}

TEST(CommonDialogRules, FaceNameFieldIs32BytesCutAtACharacterBoundary) {
  const QByteArray gothic = qb::FaceNameField(QStringLiteral("ＭＳ ゴシック"));
  ASSERT_EQ(gothic.size(), 32);
  EXPECT_EQ(gothic.left(13), QByteArray("\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e", 13));
  EXPECT_EQ(gothic.mid(13), QByteArray(19, '\0'));

  // 15 full-width characters fill 30 bytes; the 16th would need 32 of the 31.
  const QByteArray full = qb::FaceNameField(QString(16, QChar(u'本')));
  EXPECT_EQ(full.indexOf('\0'), 30);
  const QByteArray mixed = qb::FaceNameField(QStringLiteral("a") + QString(16, QChar(u'本')));
  EXPECT_EQ(mixed.indexOf('\0'), 31);
}

TEST(CommonDialogFilters, PairsBecomeNameFilters) {
  const QString api = QStringLiteral("ｸｲﾙﾍﾞﾘｰﾌﾞｯｸ") + kNul + "*.qbb" + kNul + kNul;
  EXPECT_EQ(qb::NameFiltersFromApiFilter(api), QStringList{QStringLiteral("ｸｲﾙﾍﾞﾘｰﾌﾞｯｸ (*.qbb)")});
  const QString many = QString("Pictures") + kNul + "*.bmp; *.gif;" + kNul + "All" + kNul + "*.*" + kNul + kNul;
  EXPECT_EQ(qb::NameFiltersFromApiFilter(many), (QStringList{"Pictures (*.bmp *.gif)", "All (*)"}));
}

TEST(CommonDialogFilters, ListEndsAtTheFirstEmptyElement) {
  EXPECT_TRUE(qb::NameFiltersFromApiFilter(QString(kNul)).isEmpty());
  EXPECT_TRUE(qb::NameFiltersFromApiFilter(QString("Lonely") + kNul + kNul).isEmpty());
  EXPECT_EQ(qb::NameFiltersFromApiFilter(QString("A") + kNul + "*.a" + kNul + kNul + "B" + kNul + "*.b" + kNul),
            QStringList{"A (*.a)"});
}

TEST(CommonDialogFilters, FilterIndexIsOneBasedAndFallsBackToTheFirst) {
  const QStringList filters{"A (*.a)", "B (*.b)"};
  EXPECT_EQ(qb::SelectedNameFilter(filters, 2), QStringLiteral("B (*.b)"));
  EXPECT_EQ(qb::SelectedNameFilter(filters, 0), QStringLiteral("A (*.a)"));
  EXPECT_EQ(qb::SelectedNameFilter(filters, 3), QStringLiteral("A (*.a)"));
  EXPECT_TRUE(qb::SelectedNameFilter({}, 1).isEmpty());
}

}  // namespace
