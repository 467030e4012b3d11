// A registration installed with the programs in a folder the desktop
// searches counts as registered: an installed program then writes nothing
// into the user's data home at its start.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/file_type_association.h"
#include "common/file_type_xdg_files.h"
#include "common/utf8.h"
#include "common/xdg_file_type_store.h"

namespace {

namespace fs = std::filesystem;
using Dirs = std::vector<fs::path>;

TEST(SharedDataDirs, OnlyTheFoldersTheDesktopSearches) {
  EXPECT_EQ(qb::XdgFileTypeStore::SharedDataDirs("/opt/share:/usr/share/"), (Dirs{"/opt/share", "/usr/share/"}));
  // Relative and empty entries are ignored, as the base directory rules ask.
  EXPECT_EQ(qb::XdgFileTypeStore::SharedDataDirs("relative::/x"), (Dirs{"/x"}));
  const Dirs standard{"/usr/local/share", "/usr/share"};
  EXPECT_EQ(qb::XdgFileTypeStore::SharedDataDirs(nullptr), standard);
  EXPECT_EQ(qb::XdgFileTypeStore::SharedDataDirs(""), standard);
  EXPECT_EQ(qb::XdgFileTypeStore::SharedDataDirs("rel"), standard);
}

class SharedRegistration : public ::testing::Test {
 protected:
  SharedRegistration() {
    std::string pattern = (fs::temp_directory_path() / "qb-shared-reg-XXXXXX").string();
    root_ = ::mkdtemp(pattern.data());
  }
  ~SharedRegistration() override { fs::remove_all(root_); }

  void Install(const fs::path& share, const qb::FileTypeDefinition& type, const std::string& content) {
    const fs::path package = share / "mime/packages" / qb::ToPath(type.packageName + u".xml");
    fs::create_directories(package.parent_path());
    std::ofstream(package) << content;
  }

  fs::path root_;
};

TEST_F(SharedRegistration, AnInstalledPackageLeavesTheDataHomeAlone) {
  const fs::path home = root_ / "home";
  const fs::path system = root_ / "system";
  const fs::path prefix = root_ / "prefix/share";
  qb::XdgFileTypeStore store(home, {system, prefix});
  EXPECT_FALSE(store.IsRegistered(qb::BookFileType()));

  Install(system, qb::BookFileType(), qb::MimePackageXml(qb::BookFileType()));
  Install(prefix, qb::DataFileType(), qb::MimePackageXml(qb::DataFileType()));
  qb::RegisterBookType(store, u"/opt/quillberry/bin");
  qb::RegisterDataType(store, u"/opt/quillberry/bin");

  EXPECT_TRUE(store.IsRegistered(qb::BookFileType()));
  EXPECT_TRUE(store.IsRegistered(qb::DataFileType()));
  EXPECT_FALSE(fs::exists(home));
}

TEST_F(SharedRegistration, APackageWithoutTheDescriptionDoesNotCount) {
  const fs::path system = root_ / "system";
  qb::XdgFileTypeStore store(root_ / "home", {system});
  Install(system, qb::BookFileType(), "<mime-info/>");
  EXPECT_FALSE(store.IsRegistered(qb::BookFileType()));
  // The shared folders are only read: registering writes to the data home.
  store.Register(qb::BookFileType(), u"/opt/quillberry/bin");
  EXPECT_TRUE(fs::exists(store.PackagePath(qb::BookFileType())));
  EXPECT_TRUE(store.IsRegistered(qb::BookFileType()));
}

}  // namespace
