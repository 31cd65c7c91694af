#include "RecordingPrinter.h"

#include "CPrintInfo.h"

RecordingPrinter::RecordingPrinter() : m_previous(AfxServices().printer) {
  metrics.tmHeight = 16;
  metrics.tmAveCharWidth = 7;
  AfxServices().printer = this;
}

RecordingPrinter::~RecordingPrinter() {
  AfxServices().printer = m_previous;
}

bool RecordingPrinter::ChoosePrinter(HWND, CPrintInfo& info) {
  if (info.m_bDirect) return true;
  ++dialogsShown;
  return choose;
}

CDC* RecordingPrinter::BeginDocument(const std::string& docName) {
  if (!canOpen) return nullptr;
  auto dc = std::make_unique<RecordingDC>();
  dc->SetDeviceCaps(VERTRES, vertRes);
  dc->SetTextMetrics(metrics);
  docNames.push_back(docName);
  jobs.push_back(std::move(dc));
  return jobs.back().get();
}

void RecordingPrinter::EndDocument(CDC*) {
  ++documentsEnded;
}
