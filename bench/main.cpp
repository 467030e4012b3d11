// Runs the benchmarks and then prints, for each pair measured in this run,
// how our operation compares with its baseline.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace {

// Keeps each benchmark's real time and page faults per iteration while
// printing as usual.
class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> seconds;
  std::map<std::string, double> faults;

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
        seconds[run.benchmark_name()] = run.GetAdjustedRealTime() * benchmark::GetTimeUnitMultiplier(run.time_unit);
        if (const auto it = run.counters.find("faults/page"); it != run.counters.end()) {
          faults[run.benchmark_name()] = it->second.value;
        }
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

void PrintRatio(const RecordingReporter& r, const std::string& ours, const std::string& baseline,
                const std::string& args, const char* meaning) {
  const auto a = r.seconds.find(ours + "/" + args);
  const auto b = r.seconds.find(baseline + "/" + args);
  if (a == r.seconds.end() || b == r.seconds.end() || b->second <= 0) return;
  std::printf("%-22s %-10s %6.2fx  %s\n", ours.c_str(), args.c_str(), a->second / b->second, meaning);
}

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nRatios (time of ours / time of the baseline, same run):\n");
  for (const char* args : {"1280/960", "4000/3000"}) {
    PrintRatio(reporter, "BM_ReadPageImage", "BM_PlainRead", args, "page decode vs plain read of its bytes");
    PrintRatio(reporter, "BM_BookPageToScreen", "BM_PlainRead", args, "book page to screen vs plain read of its bytes");
    PrintRatio(reporter, "BM_BookPageToScreen", "BM_JpegPageToScreen", args, "book page to screen vs JPEG page");
    PrintRatio(reporter, "BM_WriteBookPage", "BM_DecodePictureOnly", args, "write a page vs decode its picture");
    PrintRatio(reporter, "BM_BookThumbnail", "BM_JpegThumbnail", args, "book thumbnail vs JPEG thumbnail");
  }
  PrintRatio(reporter, "BM_LoadDefinitionFile", "BM_ReadDefinitionBytes", "32767", "load a .qbd vs read its bytes");
  PrintRatio(reporter, "BM_SaveDefinitionFile", "BM_ReplaceDefinitionBytes", "32767",
             "save a .qbd vs replace its bytes");
  std::printf("\nMinor page faults per page (steady state):\n");
  for (const auto& [name, count] : reporter.faults) {
    const std::size_t slash = name.find('/');
    std::printf("%s %s %.1f faults/page\n", name.substr(0, slash).c_str(), name.substr(slash + 1).c_str(), count);
  }
  benchmark::Shutdown();
  return 0;
}
