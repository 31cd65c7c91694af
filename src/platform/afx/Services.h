// The platform services the program uses, each behind an interface with a real implementation
// (Qt, POSIX) and a test double. The program reaches them through AfxServices().
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/win/win.h"

class CDC;
class CDialog;
class CMenu;
class CPrintInfo;
class CWnd;

// Window timers and the passing of time. Expiry sends WM_TIMER (wParam = id) to the window.
class TimerService {
 public:
  virtual ~TimerService() = default;
  // Setting a running id restarts it with the new period.
  virtual void SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs) = 0;
  virtual void KillTimer(HWND hwnd, UINT_PTR id) = 0;
  // Blocks the thread: nothing is handled meanwhile.
  virtual void Sleep(UINT ms) = 0;
  virtual std::uint64_t NowMs() const = 0;
};

// One UDP endpoint. Readiness is delivered through the event loop by calling onReadable.
class DatagramEndpoint {
 public:
  virtual ~DatagramEndpoint() = default;
  // Binds to the port on all local interfaces, without address reuse. False when taken.
  virtual bool Bind(std::uint16_t port) = 0;
  virtual void SetBroadcast(bool on) = 0;
  // addr in host order. The limited broadcast address goes out on every broadcast-capable
  // interface. Returns bytes sent or -1.
  virtual int SendTo(const void* data, std::size_t len, std::uint32_t addr, std::uint16_t port) = 0;
  // Reads one waiting datagram (at most len bytes). Returns bytes read, or -1 when none/error.
  virtual int Receive(void* buf, std::size_t len) = 0;
  virtual void Close() = 0;
  // The descriptor an event loop can watch for readability, -1 when there is none.
  virtual int NativeHandle() const { return -1; }
  std::function<void()> onReadable;
};

class DatagramNetwork {
 public:
  virtual ~DatagramNetwork() = default;
  virtual std::unique_ptr<DatagramEndpoint> CreateEndpoint() = 0;
};

// Message boxes and modal dialogs. Both run a nested loop on screen; a scripted driver in tests.
class ModalDriver {
 public:
  virtual ~ModalDriver() = default;
  virtual int MessageBox(HWND owner, const std::string& text, const std::string& caption,
                         UINT type) = 0;
  // Shows the dialog modally; the dialog's own handlers end it with EndDialog.
  virtual INT_PTR RunModalDialog(CDialog& dialog) = 0;
};

// Desktop services a window needs beyond itself.
class DesktopService {
 public:
  virtual ~DesktopService() = default;
  // Shows a popup menu at a screen point; returns the chosen command id, 0 for none.
  virtual UINT TrackPopupMenu(CMenu& menu, UINT flags, POINT screenPoint, CWnd* owner) = 0;
  virtual POINT GetCursorPos() = 0;
  virtual COLORREF GetSysColor(int index) = 0;
  // Colour depth of the display a window is on.
  virtual int BitsPerPixel(HWND hwnd) = 0;
  virtual HCURSOR LoadSystemCursor(int id) = 0;
  virtual void SetCursor(HCURSOR cursor) = 0;
  // Text measuring in a font (null: the list's default font).
  virtual SIZE MeasureText(HFONT font, const std::string& text) = 0;
  virtual TEXTMETRIC FontMetrics(HFONT font) = 0;
};

// The user profile: read only. Values are raw bytes.
class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  virtual bool GetBinary(const std::string& section, const std::string& entry,
                         std::vector<std::uint8_t>& out) = 0;
};

// Starts a program with arguments, no shell in between.
class ProgramLauncher {
 public:
  virtual ~ProgramLauncher() = default;
  // The program registered to open web addresses, empty when there is none.
  virtual std::string FindWebBrowser() = 0;
  virtual bool Start(const std::string& program, const std::vector<std::string>& args) = 0;
};

// The printer: the print dialog and a device context for one print job.
class PrinterService {
 public:
  virtual ~PrinterService() = default;
  // Shows the print dialog for the job; false when the user cancels or no printer is there.
  // info.m_bDirect skips the dialog and takes the printer as it is set.
  virtual bool ChoosePrinter(HWND owner, CPrintInfo& info) = 0;
  // Opens the chosen printer for a job; null when it cannot be opened. The context belongs to
  // the service and stays valid until EndDocument.
  virtual CDC* BeginDocument(const std::string& docName) = 0;
  // Releases the job's context; a job that was not ended with ENDDOC is ended here.
  virtual void EndDocument(CDC* dc) = 0;
};

struct PlatformServices {
  TimerService* timers = nullptr;
  DatagramNetwork* network = nullptr;
  ModalDriver* modal = nullptr;
  DesktopService* desktop = nullptr;
  ProfileStore* profile = nullptr;
  ProgramLauncher* launcher = nullptr;
  PrinterService* printer = nullptr;
};

PlatformServices& AfxServices();

// Convenience wrappers in the platform's own terms.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs);
BOOL KillTimer(HWND hwnd, UINT_PTR id);
void Sleep(UINT ms);
COLORREF GetSysColor(int index);
// Measured with the desktop's fonts; without a desktop, 7 pixels a byte and 16 pixels a line.
SIZE MeasureText(HFONT font, const std::string& text);
TEXTMETRIC FontMetrics(HFONT font);
// What the three answer when no desktop is installed; test desktops build on them.
COLORREF DefaultSysColor(int index);
SIZE DefaultMeasureText(const std::string& text);
TEXTMETRIC DefaultFontMetrics();
BOOL GetCursorPos(POINT* point);
