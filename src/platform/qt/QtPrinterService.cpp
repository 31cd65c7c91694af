#include "QtPrinterService.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPrintDialog>
#include <QWidget>

#include "QtDC.h"
#include "platform/afx/CPrintInfo.h"

namespace {

constexpr const char* kPrintToPdfVariable = "LANORIX_PRINT_TO_PDF";

}  // namespace

QtPrinterService::QtPrinterService() : m_printer(QPrinter::HighResolution) {}

QtPrinterService::~QtPrinterService() = default;

bool QtPrinterService::ChoosePrinter(HWND, CPrintInfo& info) {
  const QString pdfPath = qEnvironmentVariable(kPrintToPdfVariable);
  if (!pdfPath.isEmpty()) {
    m_printer.setOutputFormat(QPrinter::PdfFormat);
    m_printer.setOutputFileName(pdfPath);
    return true;
  }
  if (info.m_bDirect) return m_printer.isValid();
  QPrintDialog dialog(&m_printer, QApplication::activeWindow());
  // Views print whole documents: no page ranges, selections or current page to choose.
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  return dialog.exec() == QDialog::Accepted;
}

CDC* QtPrinterService::BeginDocument(const std::string& docName) {
  m_dc.reset();
  m_printer.setDocName(QString::fromStdString(docName));
  auto dc = std::make_unique<QtDC>(&m_printer);
  if (!dc->isActive()) return nullptr;
  dc->SetBaseFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  m_dc = std::move(dc);
  return m_dc.get();
}

void QtPrinterService::EndDocument(CDC* dc) {
  // Destroying the context ends a job that is still open.
  if (dc == m_dc.get()) m_dc.reset();
}
