// lanorix_flood_probe: watches the program's own application object on the real services
// (Qt timers, UDP, offscreen window) while replies pour in, and reports how it coped:
//
//   refresh <ms> <rows before> <rows after>   the Refresh command, given once the list holds
//                                      --refresh-after-rows rows
//   ticks <n> late_max_ms <ms> late_over_250 <n>   a timer every --tick-ms, and how late it was
//   rows <n> records <n> online <n>    what the list holds when the discovery window closed
//   window_closed_ms <ms>              when it closed (ms since start), or -1 at --run-ms
//   rows_seen first_ms <ms> last_ms <ms> peak <n>   when rows arrived, and the most at once
//   memory start_kb <kb> end_kb <kb> peak_kb <kb>   resident size (VmRSS, VmHWM)
//
// The default broadcast 255.255.255.255 needs --in-test-namespace, as with the probe.
#include <arpa/inet.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "app/CTarvexApp.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CListView.h"
#include "platform/afx/ScriptedModalDriver.h"
#include "platform/afx/SocketSettings.h"
#include "platform/qt/QtDatagramNetwork.h"
#include "platform/qt/QtDesktopService.h"
#include "platform/qt/QtFrameWindow.h"
#include "platform/qt/QtTimerService.h"
#include "protocol/CListSocket.h"
#include "res/ProgramResources.h"
#include "view/CTarvexView.h"

namespace {

const char kHelp[] =
    "usage: lanorix_flood_probe [--refresh-after-rows N] [--tick-ms MS] [--run-ms MS]\n"
    "         [--broadcast ADDR] [--device-port N] [--local-port N] [--in-test-namespace]\n"
    "Runs the program's discovery, gives Refresh once the list holds N rows (0: never), runs a\n"
    "timer every --tick-ms (default 50) and reports how late it fired, and stops when the\n"
    "first discovery window after the Refresh closes or at --run-ms (default 60000).\n";

struct Options {
  long refreshAfterRows = 0;
  long tickMs = 50;
  long runMs = 60000;
  bool inNamespace = false;
};

bool ParseLong(const char* text, long min, long max, long& out) {
  char* end = nullptr;
  const long v = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || v < min || v > max) return false;
  out = v;
  return true;
}

bool ParseOptions(int argc, char** argv, Options& o) {
  SocketSettings& sockets = SocketSettings::Get();
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const char* v = i + 1 < argc ? argv[i + 1] : nullptr;
    long n = 0;
    if (a == "--in-test-namespace") {
      o.inNamespace = true;
      continue;
    }
    if (v == nullptr) return false;
    ++i;
    if (a == "--refresh-after-rows" && ParseLong(v, 0, 10000000, o.refreshAfterRows)) continue;
    if (a == "--tick-ms" && ParseLong(v, 1, 10000, o.tickMs)) continue;
    if (a == "--run-ms" && ParseLong(v, 1, 600000, o.runMs)) continue;
    if ((a == "--device-port" || a == "--local-port") && ParseLong(v, 1, 65535, n)) {
      (a == "--device-port" ? sockets.devicePort : sockets.localPort) =
          static_cast<std::uint16_t>(n);
      continue;
    }
    in_addr addr{};
    if (a == "--broadcast" && inet_pton(AF_INET, v, &addr) == 1) {
      sockets.broadcastAddress = ntohl(addr.s_addr);
      continue;
    }
    return false;
  }
  return true;
}

// A field of /proc/self/status in kB, 0 when absent.
long StatusKb(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::size_t n = std::strlen(field);
  while (std::getline(status, line))
    if (line.compare(0, n, field) == 0 && line.size() > n && line[n] == ':')
      return std::atol(line.c_str() + n + 1);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fputs(kHelp, stderr);
    return 2;
  }
  if (SocketSettings::Get().broadcastAddress == 0xFFFFFFFFu && !options.inNamespace) {
    std::fprintf(stderr,
                 "lanorix_flood_probe: refusing to broadcast to 255.255.255.255 outside a test "
                 "namespace (give --in-test-namespace, or --broadcast 127.255.255.255)\n");
    return 2;
  }
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication qapp(argc, argv);

  QtTimerService timers;
  QtDatagramNetwork network;
  ScriptedModalDriver modal;
  QtDesktopService desktop;
  PlatformServices& services = AfxServices();
  services.timers = &timers;
  services.network = &network;
  services.modal = &modal;
  services.desktop = &desktop;
  RegisterProgramResources();

  const long startKb = StatusKb("VmRSS");
  int exitCode = 1;
  {
    CTarvexApp app;
    app.m_onQuit = [](int code) { QCoreApplication::exit(code); };
    if (!app.InitInstance()) {
      std::fprintf(stderr, "lanorix_flood_probe: the program did not start\n");
      return 1;
    }
    auto* frame = dynamic_cast<CFrameWnd*>(app.m_pMainWnd);
    auto* view = dynamic_cast<CTarvexView*>(frame ? frame->GetActiveView() : nullptr);
    if (view == nullptr) return 1;
    auto window = std::make_unique<QtFrameWindow>(*frame);
    CListCtrl& list = view->GetListCtrl();

    QElapsedTimer clock;
    clock.start();
    long ticks = 0, lateMax = 0, lateOver = 0;
    long firstRowMs = -1, lastRowMs = -1, windowClosedMs = -1;
    int lastRows = 0, peakRows = 0;
    bool refreshed = options.refreshAfterRows == 0;
    qint64 lastTick = 0;

    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
      const qint64 now = clock.elapsed();
      const long late = static_cast<long>(now - lastTick - options.tickMs);
      lastTick = now;
      ++ticks;
      if (late > lateMax) lateMax = late;
      if (late >= 250) ++lateOver;

      const int rows = list.GetItemCount();
      if (rows > lastRows) {
        if (firstRowMs < 0) firstRowMs = static_cast<long>(now);
        lastRowMs = static_cast<long>(now);
      }
      lastRows = rows;
      if (rows > peakRows) peakRows = rows;
      if (!refreshed && rows >= options.refreshAfterRows) {
        refreshed = true;
        frame->SendMessage(WM_COMMAND, CTarvexView::ID_REFRESH, 0);
        std::printf("refresh %lld %d %d\n", static_cast<long long>(now), rows, list.GetItemCount());
        lastRows = list.GetItemCount();
        return;
      }
      const bool open = view->m_pSocket && view->m_pSocket->IsOpen();
      if ((refreshed && !open) || now >= options.runMs) {
        if (!open) windowClosedMs = static_cast<long>(now);
        QCoreApplication::exit(0);
      }
    });
    lastTick = clock.elapsed();
    tick.start(static_cast<int>(options.tickMs));
    exitCode = QApplication::exec();

    std::printf("ticks %ld late_max_ms %ld late_over_250 %ld\n", ticks, lateMax, lateOver);
    std::printf("rows %d records %zu online %d\n", list.GetItemCount(), view->RecordCount(),
                view->m_pSocket ? static_cast<int>(view->m_pSocket->m_nOnlineCount) : -1);
    std::printf("window_closed_ms %ld\n", windowClosedMs);
    std::printf("rows_seen first_ms %ld last_ms %ld peak %d\n", firstRowMs, lastRowMs, peakRows);
    std::printf("memory start_kb %ld end_kb %ld peak_kb %ld\n", startKb, StatusKb("VmRSS"),
                StatusKb("VmHWM"));
    std::printf("prompts %zu\n", modal.Prompts().size());
    std::fflush(stdout);
    window.reset();
  }
  services = PlatformServices{};
  return exitCode;
}
