#pragma once
// The small rules that decide what of a comic archive (CBZ: a ZIP of page
// pictures) becomes a book, kept apart from the archive reading so they can
// be tested directly.

#include <string>
#include <string_view>

namespace qbbtool {

// An input that make reads as an archive: a name ending in ".cbz" or ".zip",
// letter case ignored.
bool IsComicArchivePath(std::string_view path);

// Whether the entry named name (a path inside the archive, "/"-separated) is
// a page picture: a BMP, GIF, icon, JPEG, PNG, WebP, TIFF, AVIF or metafile
// by its ending, outside hidden folders and not a hidden file itself (such
// as the resource copies some archivers add as "__MACOSX/._page1.png").
bool IsPagePictureEntry(std::string_view name);

// Whether the entry is the archive's description for comic readers.
bool IsComicInfoEntry(std::string_view name);

// Whether name could reach outside the folder an archive is unpacked into:
// absolute, a drive name, or a ".." part ("\" counts as a separator, as
// archivers on Windows write it).
bool IsUnsafeEntryPath(std::string_view name);

// Natural order of entry paths, folder by folder: "ch2/p10.png" before
// "ch10/p1.png", and within one folder "p9.png" before "p10.png".
bool EntryPathLess(std::string_view a, std::string_view b);

// A name stored as bytes, fit to show: valid UTF-8 as it is, every other
// byte (and the backslash, so the escapes stay readable) as \xHH.
std::string ShowableName(std::string_view bytes);

}  // namespace qbbtool
