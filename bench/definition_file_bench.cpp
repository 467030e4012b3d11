// Loading and saving a definition file of the most pages a book holds,
// against reading and replacing the same bytes alone (the I/O floor).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/file_replacement.h"
#include "common/ini_file.h"
#include "common/settings.h"
#include "common/utf8.h"
#include "editor/definition_file.h"

namespace {

namespace fs = std::filesystem;

struct DefinitionFixture {
  fs::path folder;
  std::u16string path;
  qb::BookRecord book;
  std::vector<std::u16string> images;
  std::string bytes;
};

const DefinitionFixture& Fixture(int pages) {
  static DefinitionFixture fixture = [pages] {
    DefinitionFixture f;
    std::string pattern = (fs::temp_directory_path() / "qb-bench-qbd-XXXXXX").string();
    f.folder = ::mkdtemp(pattern.data());
    f.path = qb::FromPath(f.folder / "fable.qbd");
    f.book.Author = u"作者";
    f.book.Title = u"題名";
    f.book.Password = std::u16string(8, u' ');
    f.book.PageCount = static_cast<std::int16_t>(pages);
    for (int i = 1; i <= pages; ++i) {
      f.images.push_back(u"/home/author/pictures/story/page" + qb::FromUtf8(std::to_string(i)) + u".jpg");
    }
    if (!qb::editor::WriteDefinitionFile(f.path, f.book, f.images)) std::abort();
    f.bytes = qb::ReadIniFile(f.path).value_or(std::string());
    return f;
  }();
  return fixture;
}

void BM_LoadDefinitionFile(benchmark::State& state) {
  const auto& fixture = Fixture(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const auto definition = qb::editor::LoadDefinitionFile(fixture.path);
    if (definition.images.size() != fixture.images.size()) state.SkipWithError("load lost images");
  }
}

void BM_ReadDefinitionBytes(benchmark::State& state) {
  const auto& fixture = Fixture(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(qb::ReadIniFile(fixture.path));
}

// Over the existing file, as saving again after an edit does; the Editor's
// settings go to the same scratch folder.
void BM_SaveDefinitionFile(benchmark::State& state) {
  const auto& fixture = Fixture(static_cast<int>(state.range(0)));
  qb::EditorSettings settings = qb::LoadEditorSettings(qb::FromPath(fixture.folder));
  for (auto _ : state) {
    if (!qb::editor::SaveDefinitionFile(fixture.path, fixture.book, fixture.images, settings)) {
      state.SkipWithError("save failed");
    }
  }
}

void BM_ReplaceDefinitionBytes(benchmark::State& state) {
  const auto& fixture = Fixture(static_cast<int>(state.range(0)));
  const fs::path copy = fixture.folder / "copy.qbd";
  for (auto _ : state) {
    if (!qb::ReplaceFileContent(copy, fixture.bytes)) state.SkipWithError("write failed");
  }
}

}  // namespace

BENCHMARK(BM_LoadDefinitionFile)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDefinitionBytes)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveDefinitionFile)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceDefinitionBytes)->Arg(32767)->Unit(benchmark::kMillisecond);
