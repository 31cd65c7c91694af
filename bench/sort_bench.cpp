// A column click on a long device list: the click rule, the indicator, and a full sort by the
// clicked column (each click names another column, so every one really sorts).
#include <benchmark/benchmark.h>

#include "BenchApp.h"

namespace {

void BM_SortClick(benchmark::State& state) {
  BenchApp app;
  if (!app.Start()) {
    state.SkipWithError("the program did not start");
    return;
  }
  app.Queue(MakeShuffledReplies(static_cast<std::size_t>(state.range(0))));
  app.Deliver();
  int column = 0;
  for (auto _ : state) {
    app.ClickHeader(column);
    column = (column + 1) % 6;
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  if (app.RowCount() != state.range(0) || !app.RowsSorted())
    state.SkipWithError("the rows are not in the clicked column's order");
}
BENCHMARK(BM_SortClick)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
