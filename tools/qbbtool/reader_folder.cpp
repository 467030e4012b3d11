#include "tools/qbbtool/reader_folder.h"

#include <string>
#include <string_view>

#include "common/percent_encoding.h"

namespace qbbtool {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kBookPlace = R"(<meta name="quillberry-book" content="">)";

bool HoldsReader(const fs::path& folder) {
  std::error_code error;
  return fs::is_regular_file(folder / "index.html", error) && fs::is_regular_file(folder / "qb_core.wasm", error);
}

}  // namespace

fs::path FindReaderFolder(const fs::path& programFolder) {
  // build/tools/qbbtool/qbbtool beside build/web/reader; /usr/bin/qbbtool
  // beside /usr/share/quillberry/web.
  for (const fs::path& candidate : {programFolder / "../../web/reader", programFolder / "../share/quillberry/web"}) {
    if (HoldsReader(candidate)) return candidate.lexically_normal();
  }
  return {};
}

std::string PageForBook(std::string_view page, std::string_view bookName) {
  const std::size_t at = page.find(kBookPlace);
  if (at == std::string_view::npos) return {};
  std::string out(page.substr(0, at));
  out += R"(<meta name="quillberry-book" content=")" + qb::PercentEncode(bookName) + R"(">)";
  out += page.substr(at + kBookPlace.size());
  return out;
}

}  // namespace qbbtool
