// The start-up registration rule: write a type only when it is not
// registered, never touch an existing registration.

#include "common/file_type_association.h"

#include <gtest/gtest.h>

#include "common/path_helpers.h"
#include "support/file_type_recording_store.h"

namespace {

using Registration = qb::RecordingFileTypeStore::Registration;

TEST(FileTypeAssociation, UnregisteredTypeIsWrittenOnceWithTheGivenFolder) {
  qb::RecordingFileTypeStore store;
  qb::RegisterBookType(store, u"/opt/quillberry");
  qb::RegisterBookType(store, u"/opt/quillberry");
  EXPECT_EQ(store.Writes(), (std::vector<Registration>{{u"QuillberryBook", u"/opt/quillberry"}}));
}

TEST(FileTypeAssociation, RegisteredTypeIsLeftAloneWhereverItPoints) {
  qb::RecordingFileTypeStore store;
  store.MarkRegistered(u"QuillberryBook");
  qb::RegisterBookType(store, u"/somewhere/else");
  EXPECT_TRUE(store.Writes().empty());
}

TEST(FileTypeAssociation, EditorRegistersDataThenBookFromItsOwnFolder) {
  qb::RecordingFileTypeStore store;
  qb::RegisterDataType(store, u"/opt/editor");
  qb::RegisterBookType(store, u"/opt/editor");
  EXPECT_EQ(store.Writes(),
            (std::vector<Registration>{{u"QuillberryData", u"/opt/editor"}, {u"QuillberryBook", u"/opt/editor"}}));
}

TEST(FileTypeAssociation, TypesAreJudgedSeparately) {
  qb::RecordingFileTypeStore store;
  store.MarkRegistered(u"QuillberryBook");
  qb::RegisterDataType(store, u"/opt/editor");
  qb::RegisterBookType(store, u"/opt/editor");
  EXPECT_EQ(store.Writes(), (std::vector<Registration>{{u"QuillberryData", u"/opt/editor"}}));
}

TEST(FileTypeAssociation, ProgramCallsUseTheInstalledStoreAndTheProgramFolder) {
  qb::RecordingFileTypeStore store;
  {
    qb::ScopedFileTypeStore scoped(store);
    qb::RegisterDataType();
    qb::RegisterBookType();
  }
  EXPECT_EQ(qb::ScopedFileTypeStore::Installed(), nullptr);
  const std::u16string folder = qb::ProgramFolder();
  EXPECT_EQ(store.Writes(), (std::vector<Registration>{{u"QuillberryData", folder}, {u"QuillberryBook", folder}}));
}

}  // namespace
