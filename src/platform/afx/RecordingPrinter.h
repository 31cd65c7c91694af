// A printer for tests: the print dialog answers as set and counts its showings; each job
// prints into a RecordingDC with the page height and font metrics the test gives. It installs
// itself in the platform services while it lives.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "RecordingDC.h"
#include "Services.h"

class RecordingPrinter final : public PrinterService {
 public:
  RecordingPrinter();
  ~RecordingPrinter() override;
  RecordingPrinter(const RecordingPrinter&) = delete;
  RecordingPrinter& operator=(const RecordingPrinter&) = delete;

  bool ChoosePrinter(HWND owner, CPrintInfo& info) override;
  CDC* BeginDocument(const std::string& docName) override;
  void EndDocument(CDC* dc) override;

  // The dialog's answer; false is the user's Cancel.
  bool choose = true;
  // BeginDocument fails while false.
  bool canOpen = true;
  int vertRes = 1000;
  TEXTMETRIC metrics;
  int dialogsShown = 0;
  int documentsEnded = 0;
  // Every job's context with what was drawn on it, in job order; kept after the job ends.
  std::vector<std::unique_ptr<RecordingDC>> jobs;
  std::vector<std::string> docNames;

 private:
  PrinterService* m_previous;
};
