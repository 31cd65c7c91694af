// Memory per device row: resident memory and heap in use, before and after a discovery that
// finds n devices. Resident memory is only meaningful in a fresh process (freed memory of
// other benchmarks would be reused): run it on its own, --benchmark_filter=BM_MemoryPerRow.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdio>

#include "BenchApp.h"

namespace {

constexpr std::size_t kBatch = 1000;

long ResidentBytes() {
  long pages = 0;
  long resident = 0;
  if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * sysconf(_SC_PAGESIZE);
}

double HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<double>(info.uordblks + info.hblkhd);
}

void BM_MemoryPerRow(benchmark::State& state) {
  const auto count = static_cast<std::size_t>(state.range(0));
  const std::vector<ReplyBytes> replies = MakeShuffledReplies(count);
  for (auto _ : state) {
    state.PauseTiming();
    {
      BenchApp app;
      if (!app.Start()) {
        state.SkipWithError("the program did not start");
        break;
      }
      malloc_trim(0);
      const long rss = ResidentBytes();
      const double heap = HeapInUse();
      state.ResumeTiming();
      // In batches, so that waiting datagrams do not count as rows.
      for (std::size_t first = 0; first < count; first += kBatch) {
        const auto begin = replies.begin() + static_cast<std::ptrdiff_t>(first);
        const auto end =
            first + kBatch < count ? begin + static_cast<std::ptrdiff_t>(kBatch) : replies.end();
        app.Queue(std::vector<ReplyBytes>(begin, end));
        app.Deliver();
      }
      state.PauseTiming();
      const double rows = static_cast<double>(app.RowCount());
      state.counters["rss_bytes_per_row"] = static_cast<double>(ResidentBytes() - rss) / rows;
      state.counters["heap_bytes_per_row"] = (HeapInUse() - heap) / rows;
    }
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_MemoryPerRow)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
