#pragma once
// Where the web reader's files are: beside a build of qbbtool in its build
// tree, or in the shared data of an installed package.

#include <filesystem>
#include <string>
#include <string_view>

namespace qbbtool {

// The first of the places above that holds the reader for a qbbtool in
// programFolder; empty when neither does.
std::filesystem::path FindReaderFolder(const std::filesystem::path& programFolder);

// The reader's page with the book it opens named in it: bookName as a URL
// path segment (every byte but letters, digits and "-._~" percent-encoded),
// so no file name can break out of the page's markup. Empty when the page
// holds no place for a book.
std::string PageForBook(std::string_view page, std::string_view bookName);

}  // namespace qbbtool
