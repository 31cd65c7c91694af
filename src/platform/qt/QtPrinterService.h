// The printer on Qt: the platform's print dialog (which can also print to a PDF file) and a
// QtDC on the chosen QPrinter for each job. The printer keeps its settings between jobs.
//
// A job starts in the system's fixed-pitch font: plain-text print-outs place their columns
// in average character widths, which in such a font is the width of every character, so
// texts that fit their columns never run into the next one.
//
// With the environment variable LANORIX_PRINT_TO_PDF set to a file path, no dialog is shown
// and every job goes to that PDF file (for tests and scripted runs).
#pragma once

#include <QPrinter>
#include <memory>

#include "platform/afx/Services.h"

class QtDC;

class QtPrinterService final : public PrinterService {
 public:
  QtPrinterService();
  ~QtPrinterService() override;
  QtPrinterService(const QtPrinterService&) = delete;
  QtPrinterService& operator=(const QtPrinterService&) = delete;

  bool ChoosePrinter(HWND owner, CPrintInfo& info) override;
  CDC* BeginDocument(const std::string& docName) override;
  void EndDocument(CDC* dc) override;

  QPrinter& printer() { return m_printer; }

 private:
  QPrinter m_printer;
  std::unique_ptr<QtDC> m_dc;
};
