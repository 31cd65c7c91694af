// Print-out of the device list on the recording printer: Ctrl+P through the print dialog, one
// line per device with the six texts at their positions, hidden columns included, the page
// length, the page range and the page ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/afx/CPrintInfo.h"
#include "platform/afx/RecordingPrinter.h"
#include "view_fixture.h"

namespace viewtest {
namespace {

constexpr int kLineHeight = 14 + 2;  // character height + external leading
constexpr int kCharWidth = 8;
constexpr int kColumnX[6] = {0, 10, 25, 40, 55, 72};

class DeviceListPrint : public ViewFixture {
 protected:
  void SetUp() override {
    ViewFixture::SetUp();
    printer.metrics.tmHeight = 14;
    printer.metrics.tmExternalLeading = 2;
    printer.metrics.tmAveCharWidth = kCharWidth;
    AfxServices().printer = &printer;
    ASSERT_TRUE(StartView());
  }
  void AddDevices(int n) {
    for (int i = 0; i < n; ++i) {
      Device d;
      d.name = "dev" + std::to_string(10 + i);
      d.ip[3] = static_cast<BYTE>(10 + i);
      d.mask[3] = static_cast<BYTE>(i);
      d.mac[5] = static_cast<BYTE>(0x10 + i);
      Receive(d);
    }
    ASSERT_EQ(RowCount(), n);
  }
  // The job's drawing as a string: 'L' a line of six texts, 'N' NEWFRAME, 'E' ENDDOC.
  static std::string Outline(const RecordingDC& dc) {
    std::string out;
    int texts = 0;
    for (const auto& r : dc.records) {
      if (r.kind == RecordingDC::Kind::TextOut && ++texts % 6 == 0) out += 'L';
      if (r.kind == RecordingDC::Kind::Escape) out += r.flags == NEWFRAME ? 'N' : 'E';
    }
    return out;
  }

  RecordingPrinter printer;
};

TEST_F(DeviceListPrint, CtrlPPrintsEveryDeviceOnceWithHiddenColumnsAtTheirPositions) {
  AddDevices(3);
  view->SendMessage(WM_COMMAND, 2, 0);  // hide Subnet Mask
  ASSERT_FALSE(view->Column(2).m_bVisible);
  printer.vertRes = 2 * kLineHeight + 5;  // two lines a page: a page range of 1 .. 4
  const UINT id = Frame()->TranslateAccelerator('P', true, false, false);
  ASSERT_EQ(id, ID_FILE_PRINT);
  Command(id);

  EXPECT_EQ(printer.dialogsShown, 1);
  ASSERT_EQ(printer.jobs.size(), 1u);
  EXPECT_EQ(printer.documentsEnded, 1);
  const RecordingDC& dc = *printer.jobs[0];
  ASSERT_GE(dc.records.size(), 1u);
  EXPECT_EQ(dc.records[0].kind, RecordingDC::Kind::SetMapMode);
  EXPECT_EQ(dc.records[0].flags, static_cast<UINT>(MM_TEXT));
  // The whole list once, although the page range has four pages: no second round.
  EXPECT_EQ(Outline(dc), "LLNLNE");
  const auto texts = dc.Of(RecordingDC::Kind::TextOut);
  ASSERT_EQ(texts.size(), 18u);
  for (int i = 0; i < 3; ++i)
    for (int c = 0; c < 6; ++c) {
      const auto& t = texts[static_cast<size_t>(6 * i + c)];
      EXPECT_EQ(t.text, Text(i, c)) << i << "," << c;
      EXPECT_EQ(t.rect.left, kColumnX[c] * kCharWidth) << c;
      EXPECT_EQ(t.rect.top, (i % 2) * kLineHeight) << i;
    }
  EXPECT_EQ(texts[2].text.rfind("255.255.255.", 0), 0u);  // the hidden column's text
}

TEST_F(DeviceListPrint, PageLengthAndPageRangeFollowTheLineHeight) {
  struct Case {
    const char* name;
    int devices;
    int vertRes;
    const char* outline;
    UINT maxPage;
  };
  const Case cases[] = {
      {"P + 1 devices on two pages", 5, 4 * kLineHeight + 3, "LLLLNLNE", 2},
      {"empty list: one empty page", 0, 4 * kLineHeight, "NE", 1},
      {"exactly P devices", 4, 4 * kLineHeight, "LLLLNNE", 2},
      {"page lower than a line", 2, kLineHeight - 1, "LNLNNE", 3},
  };
  for (const Case& k : cases) {
    view->SendMessage(LVM_DELETEALLITEMS);
    AddDevices(k.devices);
    RecordingDC dc;
    dc.SetDeviceCaps(VERTRES, k.vertRes);
    dc.SetTextMetrics(printer.metrics);
    CPrintInfo info;
    view->OnPrint(&dc, &info);
    EXPECT_EQ(Outline(dc), k.outline) << k.name;
    EXPECT_EQ(info.GetMaxPage(), k.maxPage) << k.name;
    EXPECT_FALSE(info.m_bContinuePrinting) << k.name;
    // Each page starts again at the top.
    const int perPage = std::max(1, k.vertRes / kLineHeight);
    const auto texts = dc.Of(RecordingDC::Kind::TextOut);
    for (size_t t = 0; t < texts.size(); ++t)
      EXPECT_EQ(texts[t].rect.top, static_cast<LONG>((t / 6) % perPage) * kLineHeight) << k.name;
  }
}

TEST_F(DeviceListPrint, FailingPageStartStopsAtOnceWithoutEndingTheJob) {
  AddDevices(5);
  RecordingDC dc;
  dc.SetDeviceCaps(VERTRES, 2 * kLineHeight);
  dc.SetTextMetrics(printer.metrics);
  dc.SetEscapeResult(NEWFRAME, -1);
  CPrintInfo info;
  view->OnPrint(&dc, &info);
  EXPECT_EQ(Outline(dc), "LLN");
}

TEST_F(DeviceListPrint, CancelledDialogOrUnavailablePrinterPrintsNothing) {
  AddDevices(2);
  printer.choose = false;
  Command(ID_FILE_PRINT);
  EXPECT_EQ(printer.dialogsShown, 1);
  EXPECT_TRUE(printer.jobs.empty());
  printer.choose = true;
  printer.canOpen = false;
  Command(ID_FILE_PRINT);
  EXPECT_TRUE(printer.jobs.empty());
  EXPECT_EQ(printer.documentsEnded, 0);
  // Preview does not exist here and prints nothing either.
  printer.canOpen = true;
  Command(ID_FILE_PRINT_PREVIEW);
  EXPECT_TRUE(printer.jobs.empty());
}

// A view that prints one page a call, as the framework's loop expects by default.
class PagedView final : public CView {
 public:
  BOOL OnPreparePrinting(CPrintInfo* pInfo) override {
    pInfo->SetMaxPage(3);
    return DoPreparePrinting(pInfo);
  }
  void OnPrint(CDC* pDC, CPrintInfo* pInfo) override {
    pDC->TextOut(0, 0, "page " + std::to_string(pInfo->m_nCurPage));
  }
};

TEST(PrintLoop, EachPageOfTheRangeIsPrintedAndEndedThenTheJobIsReleased) {
  RecordingPrinter printer;
  PagedView view;
  view.OnFilePrint();
  ASSERT_EQ(printer.jobs.size(), 1u);
  std::string seen;
  for (const auto& r : printer.jobs[0]->records) {
    if (r.kind == RecordingDC::Kind::TextOut) seen += r.text + ";";
    if (r.kind == RecordingDC::Kind::Escape) seen += r.flags == NEWFRAME ? "N;" : "E;";
  }
  EXPECT_EQ(seen, "page 1;N;page 2;N;page 3;N;");
  EXPECT_EQ(printer.documentsEnded, 1);
  // Direct printing shows no dialog.
  printer.jobs.clear();
  CPrintInfo direct;
  direct.m_bDirect = TRUE;
  EXPECT_TRUE(view.DoPreparePrinting(&direct));
  EXPECT_EQ(printer.dialogsShown, 1);
}

}  // namespace
}  // namespace viewtest
