// Registration with the desktop for the current user, run against a
// temporary data home: what is written, what is left alone, and that the
// cache tools can neither fail nor stall a start.

#include "common/xdg_file_type_store.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>

#include "common/file_type_association.h"
#include "common/file_type_xdg_files.h"
#include "common/path_helpers.h"
#include "common/utf8.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    ::setenv(name, value.c_str(), 1);
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;
  ~ScopedEnv() {
    if (old_) {
      ::setenv(name_, old_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Write(const fs::path& path, const std::string& content) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
}

struct FileStamp {
  ino_t inode = 0;
  std::int64_t modifiedNs = 0;
  std::string content;
  bool operator==(const FileStamp&) const = default;
};

std::optional<FileStamp> StampOf(const fs::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return FileStamp{st.st_ino, st.st_mtim.tv_sec * 1'000'000'000LL + st.st_mtim.tv_nsec, Read(path)};
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class XdgFileTypeStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "qb-xdg-store-XXXXXX").string();
    root_ = ::mkdtemp(pattern.data());
    dataHome_ = root_ / "share";
    emptyBin_ = root_ / "no-tools";
    fs::create_directories(emptyBin_);
  }
  void TearDown() override { fs::remove_all(root_); }

  // A PATH without the cache tools keeps the tests that are not about them fast.
  ScopedEnv WithoutTools() const { return ScopedEnv("PATH", emptyBin_.string()); }

  fs::path root_;
  fs::path dataHome_;
  fs::path emptyBin_;
};

TEST_F(XdgFileTypeStoreTest, FirstRegistrationWritesPackageAndLauncherEntry) {
  const ScopedEnv path = WithoutTools();
  qb::XdgFileTypeStore store(dataHome_);
  const auto& book = qb::BookFileType();
  ASSERT_FALSE(store.IsRegistered(book));

  qb::RegisterBookType(store, u"/opt/quillberry");

  EXPECT_EQ(store.PackagePath(book), dataHome_ / "mime/packages/quillberry-book.xml");
  EXPECT_EQ(store.DesktopEntryPath(book), dataHome_ / "applications/quillberry-quilly.desktop");
  EXPECT_EQ(Read(store.PackagePath(book)), qb::MimePackageXml(book));
  EXPECT_EQ(Read(store.DesktopEntryPath(book)), qb::DesktopEntryText(book, u"/opt/quillberry"));
  EXPECT_TRUE(store.IsRegistered(book));
  EXPECT_FALSE(store.IsRegistered(qb::DataFileType()));
  EXPECT_EQ(fs::status(store.DesktopEntryPath(book)).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);
  // No temporary file is left beside what was written.
  EXPECT_EQ(std::distance(fs::directory_iterator(dataHome_ / "mime/packages"), fs::directory_iterator()), 1);
  EXPECT_EQ(std::distance(fs::directory_iterator(dataHome_ / "applications"), fs::directory_iterator()), 1);
}

TEST_F(XdgFileTypeStoreTest, SecondRunWritesNothing) {
  qb::XdgFileTypeStore store(dataHome_);
  qb::RegisterBookType(store, u"/opt/quillberry");
  const fs::path files[] = {store.PackagePath(qb::BookFileType()), store.DesktopEntryPath(qb::BookFileType()),
                            dataHome_ / "mime/mime.cache", dataHome_ / "applications/mimeinfo.cache"};
  std::vector<std::optional<FileStamp>> before;
  for (const auto& file : files) before.push_back(StampOf(file));
  std::this_thread::sleep_for(50ms);  // beyond the file system's timestamp granularity

  qb::RegisterBookType(store, u"/opt/quillberry");

  for (std::size_t i = 0; i < std::size(files); ++i) EXPECT_EQ(StampOf(files[i]), before[i]) << files[i];
}

TEST_F(XdgFileTypeStoreTest, RegistrationPointingElsewhereIsLeftAlone) {
  const ScopedEnv path = WithoutTools();
  qb::XdgFileTypeStore store(dataHome_);
  store.Register(qb::BookFileType(), u"/old/place");

  qb::RegisterBookType(store, u"/new/place");

  EXPECT_TRUE(Contains(Read(store.DesktopEntryPath(qb::BookFileType())), "\nExec=/old/place/Quilly %f\n"));
}

TEST_F(XdgFileTypeStoreTest, RegisteredTypeWithoutLauncherEntryIsNotRepaired) {
  const ScopedEnv path = WithoutTools();
  qb::XdgFileTypeStore store(dataHome_);
  Write(store.PackagePath(qb::BookFileType()), qb::MimePackageXml(qb::BookFileType()));

  qb::RegisterBookType(store, u"/opt/quillberry");

  EXPECT_FALSE(fs::exists(store.DesktopEntryPath(qb::BookFileType())));
}

TEST_F(XdgFileTypeStoreTest, PackageWithoutDescriptionIsWrittenAgainInFull) {
  const ScopedEnv path = WithoutTools();
  qb::XdgFileTypeStore store(dataHome_);
  const auto& book = qb::BookFileType();
  Write(store.PackagePath(book),
        "<?xml version=\"1.0\"?><mime-info><mime-type type=\"application/x-quillberry-book\"/></mime-info>\n");
  Write(store.DesktopEntryPath(book), qb::DesktopEntryText(book, u"/old/place"));
  ASSERT_FALSE(store.IsRegistered(book));

  qb::RegisterBookType(store, u"/opt/quillberry");

  EXPECT_EQ(Read(store.PackagePath(book)), qb::MimePackageXml(book));
  EXPECT_EQ(Read(store.DesktopEntryPath(book)), qb::DesktopEntryText(book, u"/opt/quillberry"));
}

TEST_F(XdgFileTypeStoreTest, EditorRegistersBothTypesWithTheViewerInItsOwnFolder) {
  const ScopedEnv path = WithoutTools();
  qb::XdgFileTypeStore store(dataHome_);

  qb::RegisterDataType(store, u"/opt/editor folder");
  qb::RegisterBookType(store, u"/opt/editor folder");

  const std::string data = Read(store.DesktopEntryPath(qb::DataFileType()));
  const std::string book = Read(store.DesktopEntryPath(qb::BookFileType()));
  EXPECT_TRUE(Contains(data, "\nExec=\"/opt/editor folder/QuillyEd\" %f\n")) << data;
  EXPECT_TRUE(Contains(book, "\nExec=\"/opt/editor folder/Quilly\" %f\n")) << book;
  EXPECT_TRUE(store.IsRegistered(qb::DataFileType()));
  EXPECT_TRUE(store.IsRegistered(qb::BookFileType()));
}

TEST_F(XdgFileTypeStoreTest, MissingCacheToolsDoNotStopTheRegistration) {
  const ScopedEnv path = WithoutTools();
  qb::XdgFileTypeStore store(dataHome_);
  qb::RegisterBookType(store, u"/opt/quillberry");
  EXPECT_TRUE(store.IsRegistered(qb::BookFileType()));
  EXPECT_FALSE(fs::exists(dataHome_ / "mime/mime.cache"));
}

TEST_F(XdgFileTypeStoreTest, CacheToolsTakeTheNewTypeIn) {
  if (std::system("command -v update-mime-database >/dev/null && command -v update-desktop-database >/dev/null") != 0)
    GTEST_SKIP() << "the desktop's cache tools are not installed";
  qb::XdgFileTypeStore store(dataHome_, 20s);
  qb::RegisterBookType(store, u"/opt/quillberry");
  // The type's own file appears only when the tool could read the package.
  EXPECT_TRUE(Contains(Read(dataHome_ / "mime/application/x-quillberry-book.xml"), "クイルベリーブック"));
  EXPECT_TRUE(Contains(Read(dataHome_ / "applications/mimeinfo.cache"),
                       "application/x-quillberry-book=quillberry-quilly.desktop;"));
}

TEST_F(XdgFileTypeStoreTest, HangingCacheToolIsKilledAfterItsTimeout) {
  const fs::path bin = root_ / "slow-tools";
  for (const char* tool : {"update-mime-database", "update-desktop-database"}) {
    Write(bin / tool, "#!/bin/sh\necho $$ > \"" + (root_ / tool).string() + ".pid\"\nexec sleep 60\n");
    fs::permissions(bin / tool, fs::perms::owner_all);
  }
  const ScopedEnv path("PATH", bin.string() + ":/usr/bin:/bin");
  qb::XdgFileTypeStore store(dataHome_, 300ms);

  const auto start = std::chrono::steady_clock::now();
  qb::RegisterBookType(store, u"/opt/quillberry");
  const auto elapsed = std::chrono::steady_clock::now() - start;

  EXPECT_LT(elapsed, 30s);
  EXPECT_TRUE(store.IsRegistered(qb::BookFileType()));
  for (const char* tool : {"update-mime-database", "update-desktop-database"}) {
    const std::string pid = Read(root_ / (std::string(tool) + ".pid"));
    ASSERT_FALSE(pid.empty()) << tool << " did not start";
    EXPECT_NE(::kill(std::stoi(pid), 0), 0) << tool << " is still running";
  }
}

TEST_F(XdgFileTypeStoreTest, DataHomeThatCannotHoldFilesIsSkippedQuietly) {
  const ScopedEnv path = WithoutTools();
  Write(dataHome_, "a file where the folder should be");
  qb::XdgFileTypeStore store(dataHome_);
  qb::RegisterBookType(store, u"/opt/quillberry");
  EXPECT_FALSE(store.IsRegistered(qb::BookFileType()));
  EXPECT_TRUE(fs::is_regular_file(dataHome_));
}

TEST_F(XdgFileTypeStoreTest, StoreWithoutDataHomeWritesNowhere) {
  const ScopedEnv path = WithoutTools();
  const fs::path work = root_ / "work";
  fs::create_directories(work);
  const fs::path previous = fs::current_path();
  fs::current_path(work);
  qb::XdgFileTypeStore store{fs::path()};
  qb::RegisterBookType(store, u"/opt/quillberry");
  const bool registered = store.IsRegistered(qb::BookFileType());
  fs::current_path(previous);
  EXPECT_FALSE(registered);
  EXPECT_TRUE(fs::is_empty(work));
}

TEST_F(XdgFileTypeStoreTest, UserDataHomeFollowsTheBaseDirectoryRules) {
  const ScopedEnv home("HOME", "/home/reader");
  {
    const ScopedEnv dataHome("XDG_DATA_HOME", "/data/reader");
    EXPECT_EQ(qb::XdgFileTypeStore::UserDataHome(), fs::path("/data/reader"));
  }
  {
    const ScopedEnv relative("XDG_DATA_HOME", "relative/data");
    EXPECT_EQ(qb::XdgFileTypeStore::UserDataHome(), fs::path("/home/reader/.local/share"));
  }
  {
    const ScopedEnv empty("XDG_DATA_HOME", "");
    EXPECT_EQ(qb::XdgFileTypeStore::UserDataHome(), fs::path("/home/reader/.local/share"));
  }
}

TEST_F(XdgFileTypeStoreTest, ProgramCallRegistersUnderXdgDataHomeForTheRunningProgram) {
  const ScopedEnv path = WithoutTools();
  const ScopedEnv dataHome("XDG_DATA_HOME", dataHome_.string());
  qb::RegisterDataType();
  qb::RegisterBookType();
  const std::string folder = qb::ToUtf8(qb::AddPathSeparator(qb::ProgramFolder()));
  const std::string book = Read(dataHome_ / "applications/quillberry-quilly.desktop");
  const std::string data = Read(dataHome_ / "applications/quillberry-quillyed.desktop");
  EXPECT_TRUE(Contains(book, "\nExec=" + qb::EscapeDesktopString(qb::QuoteExecArgument(folder + "Quilly")) + " %f\n"))
      << book;
  EXPECT_TRUE(Contains(data, "\nExec=" + qb::EscapeDesktopString(qb::QuoteExecArgument(folder + "QuillyEd")) + " %f\n"))
      << data;
}

}  // namespace
