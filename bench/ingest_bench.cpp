// Ingest: replies through the discovery socket into the device list (report view, Auto
// Arrange on, so every reply leaves the list sorted), against the floor: the same datagrams
// only read and turned into their row texts.
#include <benchmark/benchmark.h>
#include <time.h>

#include <cstring>

#include "BenchApp.h"
#include "view/CDeviceRecord.h"
#include "view/CTarvexView.h"

namespace {

double ThreadCpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// The floor: each datagram read into a zeroed buffer and turned into its row texts.
void ReadReplies(const std::vector<ReplyBytes>& replies) {
  for (const ReplyBytes& datagram : replies) {
    BYTE reply[DEVICE_PACKET_SIZE] = {};
    std::memcpy(reply, datagram.data(), datagram.size());
    std::unique_ptr<CDeviceRecord> row = CDeviceRecord::FromReply(reply);
    benchmark::DoNotOptimize(row->Text().data());
  }
}

void BM_Ingest(benchmark::State& state) {
  const auto count = static_cast<std::size_t>(state.range(0));
  const std::vector<ReplyBytes> replies = MakeShuffledReplies(count);
  BenchApp app;
  if (!app.Start()) {
    state.SkipWithError("the program did not start");
    return;
  }
  // The floor is measured right after each ingest, in the same iteration, so that both see
  // the same load on a shared machine: floor_ratio compares them.
  double ingestCpu = 0;
  double floorCpu = 0;
  for (auto _ : state) {
    state.PauseTiming();
    app.Refresh();
    app.Queue(replies);
    state.ResumeTiming();
    const double start = ThreadCpuSeconds();
    app.Deliver();
    ingestCpu += ThreadCpuSeconds() - start;
    state.PauseTiming();
    const double floorStart = ThreadCpuSeconds();
    ReadReplies(replies);
    floorCpu += ThreadCpuSeconds() - floorStart;
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.counters["floor_ratio"] = floorCpu > 0 ? ingestCpu / floorCpu : 0;
  if (app.RowCount() != state.range(0) || !app.RowsSorted())
    state.SkipWithError("the list does not hold every reply in sort order");
}
BENCHMARK(BM_Ingest)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_Floor(benchmark::State& state) {
  const auto count = static_cast<std::size_t>(state.range(0));
  const std::vector<ReplyBytes> replies = MakeShuffledReplies(count);
  for (auto _ : state) ReadReplies(replies);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Floor)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
