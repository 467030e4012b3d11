#include "tools/qbbtool/page_sources.h"

#include "common/utf8.h"
#include "tools/qbbtool/archive_entry_rules.h"

namespace qbbtool {
namespace {

// An archive entry's stand-in among the writer's picture paths: no file
// path holds a NUL, so none can be mistaken for one. It ends in the entry's
// position in entries_.
constexpr char16_t kEntryMark = u'\0';

}  // namespace

PageSources::PageSources() = default;

PageSources::~PageSources() = default;

std::string PageSources::Add(const std::string& input) {
  if (!IsComicArchivePath(input)) {
    pictures_.push_back(qb::FromUtf8(input));
    names_.push_back(input);
    return {};
  }
  ArchiveListing listing = ListComicArchive(input);
  if (!listing.error.empty()) return input + " " + listing.error;
  auto reader = std::make_unique<ComicArchiveReader>(input, listing.pictures);
  if (listing.comicInfo && !comicInfo_) {
    QByteArray xml;
    std::string why;
    if (reader->Read(*listing.comicInfo, kMaxComicInfoBytes, xml, &why)) {
      comicInfo_ = ParseComicInfo(xml);
    } else {
      skipped_.push_back(input + ": " + listing.comicInfo->name + " (" + why + ")");
    }
  }
  for (const std::string& name : listing.skipped) skipped_.push_back(input + ": " + name + " (not a page picture)");
  for (ArchiveEntry& entry : listing.pictures) {
    std::string name = input + ": " + entry.name;
    pictures_.push_back(std::u16string(1, kEntryMark) + qb::FromUtf8(std::to_string(entries_.size())));
    names_.push_back(name);
    entries_.push_back({reader.get(), std::move(entry), std::move(name)});
  }
  archives_.push_back(std::move(reader));
  return {};
}

qb::Outcome PageSources::LoadPicture(const std::u16string& picture) {
  // make stops at a picture that fails, so the last page need not outlive
  // the next one's decoding: two large pages would double the memory.
  Clear();
  if (picture.empty() || picture.front() != kEntryMark) return QtPictureSurface::LoadPicture(picture);
  const Entry& source = entries_.at(std::stoul(qb::ToUtf8(picture.substr(1))));
  QByteArray data;
  std::string why;
  if (!source.archive->Read(source.entry, kMaxArchiveEntryBytes, data, &why)) {
    archiveRefused_ = true;
    return qb::Outcome::Failure("Cannot read \"" + source.name + "\": " + why);
  }
  if (qb::Outcome loaded = LoadPictureData(data); !loaded) {
    return qb::Outcome::Failure("Cannot load the picture \"" + source.name + "\": " + loaded.why());
  }
  return qb::Outcome::Success();
}

}  // namespace qbbtool
