// Lanorix: finds device servers on the local segment and configures them.
// Reads the command line, wires the Qt services into the platform layer, runs the application
// object and the event loop. With --demo it starts the device simulator on loopback first.
#include <arpa/inet.h>
#include <fcntl.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "app/CMainFrame.h"
#include "app/CTarvexApp.h"
#include "platform/afx/CListView.h"
#include "platform/afx/IniProfileStore.h"
#include "platform/afx/Resources.h"
#include "platform/afx/SocketSettings.h"
#include "platform/posix/ProgramLauncherPosix.h"
#include "platform/qt/QtDatagramNetwork.h"
#include "platform/qt/QtDesktopService.h"
#include "platform/qt/QtFrameWindow.h"
#include "platform/qt/QtModalDriver.h"
#include "platform/qt/QtPrinterService.h"
#include "platform/qt/QtTimerService.h"
#include "protocol/CListSocket.h"
#include "res/ProgramResources.h"
#include "view/CTarvexView.h"

namespace {

constexpr const char* kDemoBroadcast = "127.255.255.255";
constexpr std::uint16_t kDemoDevicePort = 3636;
constexpr int kScanPollMs = 250;

const char kUsage[] =
    "usage: lanorix [options]\n"
    "Finds device servers on the local network segment and configures them.\n"
    "\n"
    "  --broadcast ADDR     where requests go (default 255.255.255.255: every interface's\n"
    "                       segment)\n"
    "  --device-port N      UDP port of the devices (default 36)\n"
    "  --local-port N       UDP port of this program (default 4000)\n"
    "  --profile FILE       the user profile to read (default\n"
    "                       ${XDG_CONFIG_HOME:-~/.config}/Lanorix/Lanorix.ini)\n"
    "  --demo               start simulated devices on loopback and find those\n"
    "                       (broadcast 127.255.255.255, device port 3636)\n"
    "  --scan               no window: run the first discovery until its window closes,\n"
    "                       print the device list (one line per row in list order, the six\n"
    "                       column texts separated by a tab) and exit; message boxes go to\n"
    "                       standard error, and the exit status is 1 when one was shown\n"
    "                       (the local port could not be bound)\n"
    "  --help               this text\n"
    "\n"
    "Environment: LANORIX_PRINT_TO_PDF=FILE makes Print (Ctrl+P) write the list to that PDF\n"
    "file without showing the print dialog.\n";

struct Options {
  std::optional<std::uint32_t> broadcast;  // host order
  std::optional<std::uint16_t> devicePort;
  std::optional<std::uint16_t> localPort;
  std::string profile;
  bool demo = false;
  bool scan = false;
};

bool ParsePort(const char* text, std::uint16_t& port) {
  char* end = nullptr;
  long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < 1 || value > 65535) return false;
  port = static_cast<std::uint16_t>(value);
  return true;
}

bool ParseAddress(const char* text, std::uint32_t& addr) {
  in_addr a{};
  if (inet_pton(AF_INET, text, &a) != 1) return false;
  addr = ntohl(a.s_addr);
  return true;
}

// Reads the options that start with "--"; the rest (-platform, -style ...) is Qt's.
// Returns an error text, empty when the command line is good.
std::string ParseOptions(int argc, char** argv, Options& out) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.rfind("--", 0) != 0) continue;
    if (arg == "--demo") {
      out.demo = true;
    } else if (arg == "--scan") {
      out.scan = true;
    } else if (arg == "--broadcast" || arg == "--device-port" || arg == "--local-port" ||
               arg == "--profile") {
      if (i + 1 >= argc) return arg + " needs a value";
      const std::string v = argv[++i];
      if (arg == "--broadcast") {
        std::uint32_t addr = 0;
        if (!ParseAddress(v.c_str(), addr)) return "not an IPv4 address: " + v;
        out.broadcast = addr;
      } else if (arg == "--profile") {
        out.profile = v;
      } else {
        std::uint16_t port = 0;
        if (!ParsePort(v.c_str(), port)) return "not a port number (1-65535): " + v;
        (arg == "--device-port" ? out.devicePort : out.localPort) = port;
      }
    } else {
      return "unknown option: " + arg;
    }
  }
  return {};
}

// The device simulator of the demo: started next to the program, stopped with it.
class DemoDevices final {
 public:
  bool Start(std::uint16_t port) {
    const QString program = QCoreApplication::applicationDirPath() + "/devsim";
    if (!QFileInfo(program).isExecutable()) {
      std::fprintf(stderr, "lanorix: --demo needs the simulator next to the program: %s\n",
                   qPrintable(program));
      return false;
    }
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // The simulator must not outlive us, however we end.
    m_process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_process.start(
        program, {"--bind", "0.0.0.0", "--port", QString::number(port), "--showcase", "--quiet"});
    if (!m_process.waitForStarted(3000)) {
      std::fprintf(stderr, "lanorix: the simulator did not start\n");
      return false;
    }
    // Give it a moment to bind its port before the first request goes out.
    m_process.waitForFinished(300);
    if (m_process.state() != QProcess::Running) {
      std::fprintf(stderr, "lanorix: the simulator stopped (is port %u taken?)\n", port);
      return false;
    }
    return true;
  }
  ~DemoDevices() {
    if (m_process.state() == QProcess::NotRunning) return;
    m_process.terminate();
    if (!m_process.waitForFinished(2000)) {
      m_process.kill();
      m_process.waitForFinished(2000);
    }
  }

 private:
  QProcess m_process;
};

// SIGTERM and SIGINT end the event loop, so that the program ends as after File > Exit.
int g_signalPipe[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] ssize_t n = write(g_signalPipe[1], &byte, 1);
}

void QuitOnSignals() {
  if (pipe2(g_signalPipe, O_CLOEXEC) != 0) return;
  auto* notifier =
      new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, [] {
    char byte = 0;
    [[maybe_unused]] ssize_t n = read(g_signalPipe[0], &byte, 1);
    QCoreApplication::exit(128 + SIGTERM);
  });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

// --scan: a message box cannot wait for a click; its text goes to standard error.
class ScanModalDriver final : public ModalDriver {
 public:
  int MessageBox(HWND, const std::string& text, const std::string&, UINT) override {
    std::fprintf(stderr, "lanorix: %s\n", text.c_str());
    ++m_shown;
    return IDOK;
  }
  INT_PTR RunModalDialog(CDialog&) override { return IDCANCEL; }
  int Shown() const { return m_shown; }

 private:
  int m_shown = 0;
};

// --scan: once the first discovery window has closed, prints the rows of the device list as
// they stand, in list order, the six column texts of a row separated by tabs; nothing else
// goes to standard output. Exits 1 when a message box was shown (the port could not be bound).
void PrintDevicesWhenDone(CTarvexView& view, const ScanModalDriver& modal) {
  auto* poll = new QTimer(QCoreApplication::instance());
  QObject::connect(poll, &QTimer::timeout, [&view, &modal, poll] {
    if (view.m_pSocket && view.m_pSocket->IsOpen()) return;
    poll->stop();
    CListCtrl& list = view.GetListCtrl();
    const int rows = list.GetItemCount();
    std::string line;
    for (int row = 0; row < rows; ++row) {
      line.clear();
      for (int col = 0; col < CTarvexView::COLUMN_COUNT; ++col) {
        if (col > 0) line += '\t';
        line += list.GetItemText(row, col);
      }
      line += '\n';
      std::fwrite(line.data(), 1, line.size(), stdout);
    }
    std::fflush(stdout);
    QCoreApplication::exit(modal.Shown() > 0 ? 1 : 0);
  });
  poll->start(kScanPollMs);
}

}  // namespace

int main(int argc, char** argv) {
  // Help and bad options need no display.
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    }
  }
  Options options;
  const std::string error = ParseOptions(argc, argv, options);
  if (!error.empty()) {
    std::fprintf(stderr, "lanorix: %s\n\n%s", error.c_str(), kUsage);
    return 2;
  }
  // The printing-only scan shows no window, and its standard error carries only our own
  // messages: the toolkit's remarks about the hidden platform are noise there.
  if (options.scan) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
      if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(text));
    });
  }
  QApplication qapp(argc, argv);
  QApplication::setApplicationName("Lanorix");
  // The program ends when its main frame closes, not when some window is the last one shown
  // (a message box at start-up).
  QApplication::setQuitOnLastWindowClosed(false);
  QuitOnSignals();

  SocketSettings& sockets = SocketSettings::Get();
  std::unique_ptr<DemoDevices> demo;
  if (options.demo) {
    std::uint32_t loopbackBroadcast = 0;
    ParseAddress(kDemoBroadcast, loopbackBroadcast);
    sockets.broadcastAddress = loopbackBroadcast;
    sockets.devicePort = kDemoDevicePort;
  }
  if (options.broadcast) sockets.broadcastAddress = *options.broadcast;
  if (options.devicePort) sockets.devicePort = *options.devicePort;
  if (options.localPort) sockets.localPort = *options.localPort;
  if (options.demo) {
    demo = std::make_unique<DemoDevices>();
    if (!demo->Start(sockets.devicePort)) return 1;
  }

  QtTimerService timers;
  QtDatagramNetwork network;
  QtModalDriver modal;
  QtDesktopService desktop;
  IniProfileStore profile(options.profile.empty() ? IniProfileStore::DefaultPath()
                                                  : options.profile);
  PlatformServices& services = AfxServices();
  services.timers = &timers;
  services.network = &network;
  ScanModalDriver scanModal;
  services.modal = options.scan ? static_cast<ModalDriver*>(&scanModal) : &modal;
  services.desktop = &desktop;
  services.profile = &profile;
  ProgramLauncherPosix launcher;
  services.launcher = &launcher;
  QtPrinterService printer;
  services.printer = &printer;

  RegisterProgramResources();
  int exitCode = 1;
  {
    CTarvexApp app;
    app.m_onQuit = [](int code) { QCoreApplication::exit(code); };
    if (app.InitInstance()) {
      auto* frame = dynamic_cast<CFrameWnd*>(app.m_pMainWnd);
      std::unique_ptr<QtFrameWindow> window;
      if (frame != nullptr) window = std::make_unique<QtFrameWindow>(*frame);
      if (options.scan) {
        if (auto* view = dynamic_cast<CTarvexView*>(frame ? frame->GetActiveView() : nullptr))
          PrintDevicesWhenDone(*view, scanModal);
      }
      exitCode = QApplication::exec();
      // The window on screen goes before the frame it shows.
      window.reset();
    }
    app.ExitInstance();
  }
  services = PlatformServices{};
  return exitCode;
}
