// How long reading tavlin.ini takes: a full 1000-item file, and one huge line.
#include <benchmark/benchmark.h>

#include <string>

#include "menu/menu_definition.h"

namespace {

std::string ThousandItems() {
  std::string s;
  for (int line = 1; line <= 22; ++line)
    s += (line == 2 ? std::string("1000") : "header line " + std::to_string(line)) + "\r\n";
  for (int k = 1; k <= 1000; ++k) {
    const std::string n = std::to_string(k);
    s += "-- item " + n + "\r\nItem number " + n + "\r\nfolder" + n + "\r\nprogram" + n + ".exe\r\nOpen\r\nVersion " +
         n + ".0\r\nThe description of item " + n + " on this disc.\r\n\r\n";
  }
  return s;
}

void BM_Read1000Items(benchmark::State& state) {
  const std::string text = ThousandItems();
  for (auto _ : state) {
    auto module = std::make_unique<tavlin::Module1>();
    auto reader = tavlin::LineReaderFromString(text);
    benchmark::DoNotOptimize(tavlin::ReadMenuDefinition(reader.get(), *module));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_Read1000Items)->Unit(benchmark::kMicrosecond);

void BM_Read16MiBLine(benchmark::State& state) {
  std::string text = "line 1\r\n1\r\n";
  text += std::string(16 * 1024 * 1024, 'L') + "\r\n";
  for (auto _ : state) {
    auto module = std::make_unique<tavlin::Module1>();
    auto reader = tavlin::LineReaderFromString(text);
    benchmark::DoNotOptimize(tavlin::ReadMenuDefinition(reader.get(), *module));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_Read16MiBLine)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
