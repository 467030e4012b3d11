// The desktop's registration texts: the type package and the launcher entry,
// checked against the freedesktop.org tools where they are installed.

#include "common/file_type_xdg_files.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using qb::DesktopEntryText;
using qb::EscapeDesktopString;
using qb::MimePackageXml;
using qb::QuoteExecArgument;

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

struct CommandResult {
  int status = -1;
  std::string output;
};

// Runs a tool with options on file; status -1 when the tool is not installed.
CommandResult RunOn(const std::string& tool, const std::string& options, const std::filesystem::path& file) {
  if (std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) != 0) return {};
  CommandResult result;
  FILE* pipe = ::popen((tool + " " + options + " '" + file.string() + "' 2>&1").c_str(), "r");
  std::array<char, 512> buffer{};
  while (std::fgets(buffer.data(), buffer.size(), pipe) != nullptr) result.output += buffer.data();
  const int status = ::pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128;
  return result;
}

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qb-xdg-files-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempFolder() { std::filesystem::remove_all(path_); }
  std::filesystem::path Write(const std::string& name, const std::string& content) const {
    std::ofstream(path_ / name, std::ios::binary) << content;
    return path_ / name;
  }

 private:
  std::filesystem::path path_;
};

TEST(FileTypeExecQuoting, PlainPathStaysUnquoted) {
  EXPECT_EQ(QuoteExecArgument("/opt/quill/Quilly"), "/opt/quill/Quilly");
}

TEST(FileTypeExecQuoting, ReservedCharactersQuoteTheWholeArgument) {
  EXPECT_EQ(QuoteExecArgument("/opt/My Apps/Quilly"), "\"/opt/My Apps/Quilly\"");
  EXPECT_EQ(QuoteExecArgument("/opt/(x86)/Quilly"), "\"/opt/(x86)/Quilly\"");
  EXPECT_EQ(QuoteExecArgument("/opt/it's/Quilly"), "\"/opt/it's/Quilly\"");
  EXPECT_EQ(QuoteExecArgument(""), "\"\"");
}

TEST(FileTypeExecQuoting, QuoteBacktickDollarAndBackslashAreEscapedInsideQuotes) {
  EXPECT_EQ(QuoteExecArgument("/a\"b`c$d\\e"), "\"/a\\\"b\\`c\\$d\\\\e\"");
}

TEST(FileTypeExecQuoting, PercentIsDoubledQuotedOrNot) {
  EXPECT_EQ(QuoteExecArgument("/opt/100%/Quilly"), "/opt/100%%/Quilly");
  EXPECT_EQ(QuoteExecArgument("/opt/100% sure/Quilly"), "\"/opt/100%% sure/Quilly\"");
}

TEST(FileTypeExecQuoting, StringEscapesApplyOnTopOfQuoting) {
  EXPECT_EQ(EscapeDesktopString("a\\b"), "a\\\\b");
  EXPECT_EQ(EscapeDesktopString("a\nb\tc\rd"), "a\\nb\\tc\\rd");
  EXPECT_EQ(EscapeDesktopString(" a b"), "\\sa b");
  // A literal "$" in a quoted argument reads "\\$" in the file.
  const std::string entry = DesktopEntryText(qb::BookFileType(), u"/opt/a$b");
  EXPECT_TRUE(Contains(entry, "\nExec=\"/opt/a\\\\$b/Quilly\" %f\n")) << entry;
}

TEST(FileTypeDesktopEntry, ViewerEntryOpensOneBookWithTheViewer) {
  const std::string entry = DesktopEntryText(qb::BookFileType(), u"/opt/quillberry");
  EXPECT_TRUE(entry.starts_with("[Desktop Entry]\n"));
  EXPECT_TRUE(Contains(entry, "\nType=Application\n"));
  EXPECT_TRUE(Contains(entry, "\nExec=/opt/quillberry/Quilly %f\n"));
  EXPECT_TRUE(Contains(entry, "\nTryExec=/opt/quillberry/Quilly\n"));
  EXPECT_TRUE(Contains(entry, "\nMimeType=application/x-quillberry-book;\n"));
  EXPECT_TRUE(Contains(entry, "\nIcon=quillberry-quilly\n"));
  EXPECT_TRUE(Contains(entry, "\nName=Quilly\n"));
  EXPECT_TRUE(Contains(entry, "\nName[ja]=クイルベリー ビューア\n"));
}

TEST(FileTypeDesktopEntry, EditorEntryOpensOneDefinitionWithTheEditor) {
  const std::string entry = DesktopEntryText(qb::DataFileType(), u"/opt/quillberry/");
  EXPECT_TRUE(Contains(entry, "\nExec=/opt/quillberry/QuillyEd %f\n"));
  EXPECT_TRUE(Contains(entry, "\nMimeType=application/x-quillberry-data;\n"));
  EXPECT_TRUE(Contains(entry, "\nName[ja]=クイルベリー エディタ\n"));
}

TEST(FileTypeDesktopEntry, EntriesValidateAlsoForAwkwardFolders) {
  TempFolder temp;
  for (const std::u16string folder : {u"/opt/quillberry", u"/home/u/My Apps (x86)/$quill`s 100%", u"/srv/a\\b/\"c\""}) {
    for (const qb::FileTypeDefinition* type : {&qb::BookFileType(), &qb::DataFileType()}) {
      const auto file = temp.Write("quillberry-test.desktop", DesktopEntryText(*type, folder));
      const CommandResult result = RunOn("desktop-file-validate", "", file);
      if (result.status == -1) GTEST_SKIP() << "desktop-file-validate is not installed";
      EXPECT_EQ(result.status, 0) << result.output;
      EXPECT_FALSE(Contains(result.output, "error")) << result.output;
    }
  }
}

TEST(FileTypeMimePackage, BookPackageDeclaresGlobMagicAndBothComments) {
  const std::string xml = MimePackageXml(qb::BookFileType());
  EXPECT_TRUE(Contains(xml, "<mime-type type=\"application/x-quillberry-book\">"));
  EXPECT_TRUE(Contains(xml, "<comment>Quillberry picture book</comment>"));
  EXPECT_TRUE(Contains(xml, "<comment xml:lang=\"ja\">クイルベリーブック</comment>"));
  EXPECT_TRUE(Contains(xml, "<glob pattern=\"*.qbb\"/>"));
  EXPECT_TRUE(Contains(xml, "<match type=\"string\" offset=\"0\" value=\"*QBB*\"/>"));
  EXPECT_FALSE(Contains(xml, "sub-class-of"));
}

TEST(FileTypeMimePackage, DataPackageIsTextWithoutMagic) {
  const std::string xml = MimePackageXml(qb::DataFileType());
  EXPECT_TRUE(Contains(xml, "<mime-type type=\"application/x-quillberry-data\">"));
  EXPECT_TRUE(Contains(xml, "<comment xml:lang=\"ja\">クイルベリーデータ定義</comment>"));
  EXPECT_TRUE(Contains(xml, "<glob pattern=\"*.qbd\"/>"));
  EXPECT_TRUE(Contains(xml, "<sub-class-of type=\"text/plain\"/>"));
  EXPECT_FALSE(Contains(xml, "<magic"));
}

TEST(FileTypeMimePackage, PackagesAreWellFormedXml) {
  TempFolder temp;
  for (const qb::FileTypeDefinition* type : {&qb::BookFileType(), &qb::DataFileType()}) {
    const CommandResult result = RunOn("xmllint", "--noout", temp.Write("package.xml", MimePackageXml(*type)));
    if (result.status == -1) GTEST_SKIP() << "xmllint is not installed";
    EXPECT_EQ(result.status, 0) << result.output;
  }
}

}  // namespace
