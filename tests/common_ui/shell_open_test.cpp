// Handing addresses to the desktop: which address it gets, and what is
// never handed over.

#include "common/ui/shell_open.h"

#include <gtest/gtest.h>

#include "support/recording_shell_open.h"

namespace {

using qb::ShellUrlFor;

TEST(ShellOpenAddress, WebAddressesAreReadAsInAnAddressBar) {
  EXPECT_EQ(ShellUrlFor("http://www.example.com/~author/"), QUrl("http://www.example.com/~author/"));
  EXPECT_EQ(ShellUrlFor("https://example.com/books?id=1"), QUrl("https://example.com/books?id=1"));
  EXPECT_EQ(ShellUrlFor("www.example.com"), QUrl("http://www.example.com"));
  EXPECT_EQ(ShellUrlFor("  www.example.com  "), QUrl("http://www.example.com"));
}

TEST(ShellOpenAddress, MailToInAnyLetterCaseBecomesMailto) {
  EXPECT_EQ(ShellUrlFor("MailTo:author@example.com"), QUrl("mailto:author@example.com"));
  EXPECT_EQ(ShellUrlFor("Mailto:author@example.com"), QUrl("mailto:author@example.com"));
  EXPECT_EQ(ShellUrlFor("MAILTO:author@example.com"), QUrl("mailto:author@example.com"));
  EXPECT_EQ(ShellUrlFor("MailTo: author@example.com "), QUrl("mailto:author@example.com"));
}

TEST(ShellOpenAddress, MailKeepsSubjectAndBodyButNoFieldThatReachesFiles) {
  EXPECT_EQ(ShellUrlFor("MailTo:a@example.com?subject=Hello&body=Hi%20there"),
            QUrl("mailto:a@example.com?subject=Hello&body=Hi%20there"));
  EXPECT_EQ(ShellUrlFor("MailTo:a@example.com?attach=/home/u/.ssh/id_rsa"), QUrl("mailto:a@example.com"));
  EXPECT_EQ(ShellUrlFor("MailTo:a@example.com?Attachment=%2Fetc%2Fpasswd&Subject=Hi"),
            QUrl("mailto:a@example.com?Subject=Hi"));
}

TEST(ShellOpenAddress, MailToAloneStartsAMailWithoutRecipient) {
  const QUrl url = ShellUrlFor("MailTo:");
  EXPECT_TRUE(url.isValid());
  EXPECT_EQ(url.scheme(), QStringLiteral("mailto"));
  EXPECT_TRUE(url.path().isEmpty());
}

TEST(ShellOpenAddress, NothingToOpenOrNotAWebOrMailAddress) {
  EXPECT_TRUE(ShellUrlFor("").isEmpty());
  EXPECT_TRUE(ShellUrlFor("   ").isEmpty());
  EXPECT_TRUE(ShellUrlFor("/usr/bin/xterm").isEmpty());
  EXPECT_TRUE(ShellUrlFor("file:///etc/passwd").isEmpty());
  EXPECT_TRUE(ShellUrlFor("javascript:alert(1)").isEmpty());
  EXPECT_TRUE(ShellUrlFor("C:\\Windows\\notepad.exe").isEmpty());
  EXPECT_TRUE(ShellUrlFor("smb://server/share").isEmpty());
}

TEST(ShellOpenSeam, RecordsWhatWouldBeOpenedAndSkipsTheRest) {
  qb::RecordingShellOpen shell;
  qb::ShellOpen("");
  qb::ShellOpen("www.example.com");
  qb::ShellOpen("MailTo:");
  qb::ShellOpen("file:///etc/passwd");
  EXPECT_EQ(shell.Targets(), (std::vector<QString>{"www.example.com", "MailTo:"}));
  ASSERT_EQ(shell.Urls().size(), 2u);
  EXPECT_EQ(shell.Urls()[0], QUrl("http://www.example.com"));
  EXPECT_EQ(shell.Urls()[1].scheme(), QStringLiteral("mailto"));
}

}  // namespace
