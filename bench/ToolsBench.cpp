// Throughput of each text tool on generated e-mail text of 1, 10 and 100 MB, and how its time
// grows from 1 to 10 MB (about 10 for a linear tool, a little more for the sort).
#include "core/tools/Cleanup.h"
#include "core/tools/LinesOfCode.h"
#include "core/tools/SortLines.h"
#include "core/tools/WebReady.h"
#include "core/tools/WordCount.h"

#include "MailText.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t kMegabyte = 1024 * 1024;
constexpr std::array<int, 3> kSizesInMegabytes = {1, 10, 100};

const std::string& Mail(int megabytes) {
  static std::map<int, std::string> texts;
  auto [it, added] = texts.try_emplace(megabytes);
  if (added)
    it->second = vd::bench::GenerateMail(static_cast<std::size_t>(megabytes) * kMegabyte);
  return it->second;
}

// Branch-free, so that the compiler vectorises it as CharUpperBuffA's own loop would be fast.
void AsciiUpperCase(char* text, std::size_t length) {
  for (std::size_t i = 0; i < length; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    text[i] = static_cast<char>(c - (static_cast<unsigned>(c - 'a') < 26u ? 32 : 0));
  }
}

// Table look-ups rather than std::tolower, whose call per character would be most of the time;
// and equal stretches skipped eight bytes at a time, as sorted neighbours share long beginnings.
int CompareIgnoringCase(std::string_view a, std::string_view b) {
  static_assert(std::endian::native == std::endian::little,
                "the first differing byte is the lowest");
  static const std::array<unsigned char, 256> kLower = [] {
    std::array<unsigned char, 256> table{};
    for (int c = 0; c < 256; ++c)
      table[c] = static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return table;
  }();
  std::size_t shorter = std::min(a.size(), b.size());
  std::size_t i = 0;
  for (std::uint64_t x = 0, y = 0; i + 8 <= shorter; i += 8) {
    std::memcpy(&x, a.data() + i, 8);
    std::memcpy(&y, b.data() + i, 8);
    if (x != y) {
      i += static_cast<std::size_t>(std::countr_zero(x ^ y) / 8); // the first differing byte
      break;
    }
  }
  for (; i < shorter; ++i) {
    int x = kLower[static_cast<unsigned char>(a[i])];
    int y = kLower[static_cast<unsigned char>(b[i])];
    if (x != y)
      return x - y;
  }
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

using Tool = std::function<void(const std::string&)>;

const std::array<std::pair<const char*, Tool>, 6> kTools = {{
    {"Cleanup",
     [](const std::string& t) {
       benchmark::DoNotOptimize(vd::tools::CleanupEmail(t, AsciiUpperCase));
     }},
    {"WordCountFive",
     [](const std::string& t) { benchmark::DoNotOptimize(vd::tools::CountFiveCharacterWords(t)); }},
    {"WordCountEach",
     [](const std::string& t) { benchmark::DoNotOptimize(vd::tools::CountIndividualWords(t)); }},
    {"SortLines",
     [](const std::string& t) {
       benchmark::DoNotOptimize(vd::tools::SortLines(t, CompareIgnoringCase));
     }},
    {"LinesOfCode",
     [](const std::string& t) { benchmark::DoNotOptimize(vd::tools::CountLinesOfCode(t)); }},
    {"WebReady",
     [](const std::string& t) { benchmark::DoNotOptimize(vd::tools::MakeWebReady(t)); }},
}};

// Keeps the seconds per run of every tool and size for the summary after the usual report.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration && run.iterations > 0)
        seconds_[run.run_name.function_name][std::stoi(run.run_name.args)] =
            run.real_accumulated_time / static_cast<double>(run.iterations);
    ConsoleReporter::ReportRuns(runs);
  }

  void PrintSummary() const {
    std::printf("\n%-14s %12s %12s %12s %12s %12s\n", "tool", "MB/s 1MB", "MB/s 10MB", "MB/s 100MB",
                "t10/t1", "t100/t10");
    for (const auto& [tool, bySize] : seconds_) {
      std::printf("%-14s", tool.c_str());
      for (int megabytes : kSizesInMegabytes) {
        auto found = bySize.find(megabytes);
        if (found == bySize.end())
          std::printf(" %12s", "-");
        else
          std::printf(" %12.1f", megabytes / found->second);
      }
      auto ratio = [&bySize](int large, int small) {
        if (!bySize.count(large) || !bySize.count(small))
          return 0.0;
        return bySize.at(large) / bySize.at(small);
      };
      std::printf(" %12.2f %12.2f\n", ratio(10, 1), ratio(100, 10));
    }
  }

private:
  std::map<std::string, std::map<int, double>> seconds_;
};

} // namespace

int main(int argc, char** argv) {
  for (const auto& [name, tool] : kTools) {
    auto* bench = benchmark::RegisterBenchmark(name, [tool = tool](benchmark::State& state) {
      const std::string& text = Mail(static_cast<int>(state.range(0)));
      for (auto _ : state)
        tool(text);
      state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    });
    for (int megabytes : kSizesInMegabytes)
      bench->Arg(megabytes);
    bench->Unit(benchmark::kMillisecond)->UseRealTime();
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintSummary();
  benchmark::Shutdown();
  return 0;
}
