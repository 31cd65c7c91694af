// Paint: one full repaint of the device list on screen (the Qt host widget on the offscreen
// platform), with few and with many rows: only the rows in view are painted, so the cost of
// a repaint must not grow with the list.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>

#include "BenchApp.h"
#include "platform/qt/QtDesktopService.h"
#include "platform/qt/QtListHost.h"
#include "view/CTarvexView.h"

namespace {

void BM_Paint(benchmark::State& state) {
  QtDesktopService desktop;
  BenchApp app(&desktop);
  if (!app.Start()) {
    state.SkipWithError("the program did not start");
    return;
  }
  app.Queue(MakeShuffledReplies(static_cast<std::size_t>(state.range(0))));
  app.Deliver();
  QtListHost host(app.View().m_hWnd);
  host.resize(1000, 700);
  host.show();
  QApplication::processEvents();
  // The middle of the list, where a thumb drag would land.
  host.verticalScrollBar()->setValue(host.verticalScrollBar()->maximum() / 2);
  QApplication::processEvents();
  for (auto _ : state) host.viewport()->repaint();
  state.SetItemsProcessed(state.iterations());
  state.counters["rows_in_view"] = app.View().GetListCtrl().GetCountPerPage();
  if (app.RowCount() != state.range(0)) state.SkipWithError("not every reply became a row");
}
BENCHMARK(BM_Paint)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qapp(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
