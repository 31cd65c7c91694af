// lanorix_command_driver: the end-to-end tests' user of the device commands. It runs the
// program's own application object on the real services (Qt timers, UDP, offscreen window),
// waits for the first discovery to list a target device, selects its row, runs one device
// command with its dialogs answered by script, and reports what the list shows afterwards:
//
//   listed <ms> <name> <ip> <mask> <gateway> <mac> <version>   rows when the target was found
//   command <ms>           the command ran (ms: how long it held the thread)
//   emptied <ms>           the list was found empty after the command
//   rescan <ms> <name> <ip> <mask> <gateway> <mac> <version>   rows of the re-scan
//   prompts <n>            dialogs and message boxes shown
//
// Times are milliseconds since the command started. The default broadcast 255.255.255.255
// needs --in-test-namespace, as with the probe.
#include <arpa/inet.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
    "usage: lanorix_command_driver --command modify-ip|modify-mac|soft-reset|update-firmware\n"
    "         --target IP [--new-ip IP] [--new-mac MAC] [--password TEXT] [--after MS]\n"
    "         [--find-within MS] [--broadcast ADDR] [--device-port N] [--local-port N]\n"
    "         [--in-test-namespace]\n"
    "Finds the device whose row shows IP, selects it, runs the command answering its dialogs,\n"
    "and prints the rows of the re-scan MS milliseconds after the command (default 4000).\n";

struct Options {
  std::string command;
  std::string target;
  std::string newIp;
  std::string newMac;
  std::string password;
  long afterMs = 4000;
  long findWithinMs = 8000;
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
    if (a == "--in-test-namespace") {
      o.inNamespace = true;
      continue;
    }
    if (a.rfind("--", 0) != 0) continue;  // Qt's own options
    if (i + 1 >= argc) return false;
    const char* v = argv[++i];
    long n = 0;
    if (a == "--command") {
      o.command = v;
    } else if (a == "--target") {
      o.target = v;
    } else if (a == "--new-ip") {
      o.newIp = v;
    } else if (a == "--new-mac") {
      o.newMac = v;
    } else if (a == "--password") {
      o.password = v;
    } else if (a == "--after" && ParseLong(v, 0, 60000, n)) {
      o.afterMs = n;
    } else if (a == "--find-within" && ParseLong(v, 0, 60000, n)) {
      o.findWithinMs = n;
    } else if (a == "--device-port" && ParseLong(v, 1, 65535, n)) {
      sockets.devicePort = static_cast<std::uint16_t>(n);
    } else if (a == "--local-port" && ParseLong(v, 1, 65535, n)) {
      sockets.localPort = static_cast<std::uint16_t>(n);
    } else if (a == "--broadcast") {
      in_addr addr{};
      if (inet_pton(AF_INET, v, &addr) != 1) return false;
      sockets.broadcastAddress = ntohl(addr.s_addr);
    } else {
      return false;
    }
  }
  return !o.command.empty() && !o.target.empty();
}

UINT CommandId(const std::string& name) {
  if (name == "modify-ip") return CTarvexView::ID_MODIFY_IP;
  if (name == "modify-mac") return CTarvexView::ID_MODIFY_MAC;
  if (name == "soft-reset") return CTarvexView::ID_SOFT_RESET;
  if (name == "update-firmware") return CTarvexView::ID_UPDATE_FIRMWARE;
  return 0;
}

// The dialogs of the command, answered as a user would.
void Script(ScriptedModalDriver& modal, const Options& o) {
  using User = ScriptedModalDriver;
  const std::string password = o.password;
  if (o.command == "modify-ip") {
    const std::string ip = o.newIp;
    modal.ExpectDialog(9, [ip](CDialog& d) {
      User::Type(d, 1000, ip);
      User::Click(d, IDOK);
    });
  } else if (o.command == "modify-mac") {
    const std::string mac = o.newMac;
    modal.ExpectDialog(152, [mac](CDialog& d) {
      User::SetText(d, 1004, "");
      User::Type(d, 1004, mac);
      User::Click(d, IDOK);
    });
  }
  modal.ExpectDialog(146, [password](CDialog& d) {
    User::Type(d, 1001, password);
    User::Click(d, IDOK);
  });
}

void PrintRows(const char* label, long ms, CListCtrl& list) {
  for (int row = 0; row < list.GetItemCount(); ++row) {
    std::string line = std::string(label) + " " + std::to_string(ms);
    for (int col = 0; col < 6; ++col) line += " " + list.GetItemText(row, col);
    std::printf("%s\n", line.c_str());
  }
  std::fflush(stdout);
}

int FindRow(CListCtrl& list, const std::string& ip) {
  for (int row = 0; row < list.GetItemCount(); ++row)
    if (list.GetItemText(row, 1) == ip) return row;
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options) || CommandId(options.command) == 0) {
    std::fputs(kHelp, stderr);
    return 2;
  }
  if (SocketSettings::Get().broadcastAddress == 0xFFFFFFFFu && !options.inNamespace) {
    std::fprintf(stderr,
                 "lanorix_command_driver: refusing to broadcast to 255.255.255.255 outside a "
                 "test namespace (give --in-test-namespace, or --broadcast 127.255.255.255)\n");
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

  int exitCode = 1;
  {
    CTarvexApp app;
    app.m_onQuit = [](int code) { QCoreApplication::exit(code); };
    if (!app.InitInstance()) {
      std::fprintf(stderr, "lanorix_command_driver: the program did not start\n");
      return 1;
    }
    auto* frame = dynamic_cast<CFrameWnd*>(app.m_pMainWnd);
    auto* view = dynamic_cast<CTarvexView*>(frame ? frame->GetActiveView() : nullptr);
    if (view == nullptr) return 1;
    auto window = std::make_unique<QtFrameWindow>(*frame);
    CListCtrl& list = view->GetListCtrl();

    QElapsedTimer sinceStart;
    sinceStart.start();
    QElapsedTimer sinceCommand;
    bool commandRun = false;
    bool emptied = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      if (!commandRun) {
        const int row = FindRow(list, options.target);
        if (row < 0) {
          if (sinceStart.elapsed() > options.findWithinMs) {
            std::printf("target %s not listed\n", options.target.c_str());
            PrintRows("listed", 0, list);
            QCoreApplication::exit(3);
          }
          return;
        }
        PrintRows("listed", 0, list);
        list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
        Script(modal, options);
        commandRun = true;
        sinceCommand.start();
        frame->SendMessage(WM_COMMAND, CommandId(options.command), 0);
        std::printf("command %lld\n", static_cast<long long>(sinceCommand.elapsed()));
        std::fflush(stdout);
        return;
      }
      const long ms = static_cast<long>(sinceCommand.elapsed());
      if (!emptied && list.GetItemCount() == 0) {
        emptied = true;
        std::printf("emptied %ld\n", ms);
        std::fflush(stdout);
      }
      if (ms >= options.afterMs) {
        PrintRows("rescan", ms, list);
        QCoreApplication::exit(0);
      }
    });
    poll.start(50);
    exitCode = QApplication::exec();
    poll.stop();
    std::printf("prompts %zu\n", modal.Prompts().size());
    for (const std::string& e : modal.Errors()) std::printf("error %s\n", e.c_str());
    if (!modal.Errors().empty() || modal.PendingSteps() != 0) exitCode = exitCode ? exitCode : 4;
    window.reset();
    app.ExitInstance();
  }
  services = PlatformServices{};
  return exitCode;
}
