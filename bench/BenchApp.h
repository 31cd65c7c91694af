// The whole program on the platform's test doubles, for the benchmarks: replies arrive on the
// in-memory network and go through the discovery socket into the real device list view.
// Time stands still, so the discovery window stays open for as many replies as are sent.
#pragma once

#include <memory>
#include <vector>

#include "BenchReplies.h"
#include "platform/afx/ManualClock.h"
#include "platform/afx/MemoryNetwork.h"

class CTarvexApp;
class CTarvexView;
class DesktopService;
class ModalDriver;

class BenchApp final {
 public:
  // desktop may be null (the platform's plain text metrics are used then).
  explicit BenchApp(DesktopService* desktop = nullptr);
  ~BenchApp();
  BenchApp(const BenchApp&) = delete;
  BenchApp& operator=(const BenchApp&) = delete;

  // Starts the program; false when it did not come up with its device list.
  bool Start();
  CTarvexView& View() const { return *m_view; }

  // Refresh: empties the list and opens a new discovery window.
  void Refresh();
  // Puts the replies in front of the discovery socket; Deliver() hands them over one by one.
  void Queue(const std::vector<ReplyBytes>& replies);
  void Deliver();
  // The control reports a click on the header item of a control column index.
  void ClickHeader(int controlIndex);

  int RowCount() const;
  // The rows are in the order of the view's current sort key (checked outside timing).
  bool RowsSorted() const;

 private:
  ManualClock m_clock;
  MemoryNetwork m_network;
  std::unique_ptr<ModalDriver> m_modal;
  std::unique_ptr<CTarvexApp> m_app;
  CTarvexView* m_view = nullptr;
};
