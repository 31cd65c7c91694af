// Ingest: replies through the discovery socket into the device list (report view, Auto
// Arrange on, so every reply leaves the list sorted), against the floor: the same datagrams
// only read and turned into their row texts.
#include <benchmark/benchmark.h>

#include <cstring>

#include "BenchApp.h"
#include "view/CDeviceRecord.h"
#include "view/CTarvexView.h"

namespace {

void BM_Ingest(benchmark::State& state) {
  const auto count = static_cast<std::size_t>(state.range(0));
  const std::vector<ReplyBytes> replies = MakeShuffledReplies(count);
  BenchApp app;
  if (!app.Start()) {
    state.SkipWithError("the program did not start");
    return;
  }
  for (auto _ : state) {
    state.PauseTiming();
    app.Refresh();
    app.Queue(replies);
    state.ResumeTiming();
    app.Deliver();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  if (app.RowCount() != state.range(0) || !app.RowsSorted())
    state.SkipWithError("the list does not hold every reply in sort order");
}
BENCHMARK(BM_Ingest)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_Floor(benchmark::State& state) {
  const auto count = static_cast<std::size_t>(state.range(0));
  const std::vector<ReplyBytes> replies = MakeShuffledReplies(count);
  for (auto _ : state) {
    for (const ReplyBytes& datagram : replies) {
      BYTE reply[DEVICE_PACKET_SIZE] = {};
      std::memcpy(reply, datagram.data(), datagram.size());
      std::unique_ptr<CDeviceRecord> row = CDeviceRecord::FromReply(reply);
      benchmark::DoNotOptimize(row->Text().data());
    }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Floor)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
