// The device list printed on the Qt printer into a PDF file, read back with the poppler tools:
// one line per device with its six texts, a hidden column's texts included; one device more
// than a page holds gives two pages.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <string>

#include "platform/afx/CPrintInfo.h"
#include "platform/qt/QtPrinterService.h"
#include "unit/view_fixture.h"

namespace viewtest {
namespace {

// Standard output of a tool, empty when it cannot run.
QString RunTool(const QString& program, const QStringList& args) {
  QProcess process;
  process.start(program, args);
  if (!process.waitForFinished(20000) || process.exitCode() != 0) return {};
  return QString::fromUtf8(process.readAllStandardOutput());
}

class PdfPrint : public ViewFixture {
 protected:
  void SetUp() override {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty() ||
        QStandardPaths::findExecutable("pdfinfo").isEmpty())
      GTEST_SKIP() << "skipped: needs pdftotext and pdfinfo (poppler-utils)";
    ViewFixture::SetUp();
    m_path = QDir::temp().filePath(
        QStringLiteral("lanorix_print_test_%1.pdf").arg(QCoreApplication::applicationPid()));
    QFile::remove(m_path);
    qputenv("LANORIX_PRINT_TO_PDF", m_path.toLocal8Bit());
    AfxServices().printer = &printer;
    ASSERT_TRUE(StartView());
  }
  void TearDown() override {
    qunsetenv("LANORIX_PRINT_TO_PDF");
    // LANORIX_PRINT_PDF_KEEP names a file to keep the last print-out in, to be looked at.
    if (const QByteArray keep = qgetenv("LANORIX_PRINT_PDF_KEEP"); !keep.isEmpty()) {
      QFile::remove(QString::fromLocal8Bit(keep));
      QFile::copy(m_path, QString::fromLocal8Bit(keep));
    }
    if (!m_path.isEmpty()) QFile::remove(m_path);
    ViewFixture::TearDown();
  }
  void AddDevices(int n) {
    for (int i = 0; i < n; ++i) {
      Device d;
      d.name = "unit-" + std::to_string(100 + i);
      d.ip[2] = static_cast<BYTE>(i / 200);
      d.ip[3] = static_cast<BYTE>(10 + i % 200);
      d.mask[2] = 0;
      d.mask[3] = 0;
      d.mac[4] = static_cast<BYTE>(i / 256);
      d.mac[5] = static_cast<BYTE>(i % 256);
      Receive(d);
    }
  }
  // Lines a page of the printer holds in its current font: P = VERTRES / (h + leading).
  int LinesPerPage() {
    CPrintInfo info;
    if (!printer.ChoosePrinter(nullptr, info)) return -1;
    CDC* dc = printer.BeginDocument("probe");
    if (dc == nullptr) return -1;
    TEXTMETRIC tm;
    dc->GetTextMetrics(&tm);
    const int lines = dc->GetDeviceCaps(VERTRES) / (tm.tmHeight + tm.tmExternalLeading);
    printer.EndDocument(dc);
    return lines;
  }
  QStringList PrintedLines() {
    Command(ID_FILE_PRINT);
    QStringList lines;
    for (const QString& line : RunTool("pdftotext", {"-layout", m_path, "-"}).split('\n'))
      if (!line.trimmed().isEmpty()) lines << line;
    return lines;
  }
  int Pages() {
    for (const QString& line : RunTool("pdfinfo", {m_path}).split('\n'))
      if (line.startsWith("Pages:")) return line.mid(6).trimmed().toInt();
    return -1;
  }

  QtPrinterService printer;
  QString m_path;
};

TEST_F(PdfPrint, EachDeviceIsOneLineOfItsSixTextsHiddenColumnIncluded) {
  AddDevices(3);
  view->SendMessage(WM_COMMAND, 2, 0);  // hide Subnet Mask
  const QStringList lines = PrintedLines();
  ASSERT_EQ(lines.size(), 3) << lines.join('|').toStdString();
  // The MAC fills its whole column, so the version follows it without a space.
  for (int i = 0; i < 3; ++i) {
    qsizetype at = 0;
    for (int c = 0; c < 6; ++c) {
      const QString text = QString::fromStdString(Text(i, c));
      at = lines[i].indexOf(text, at);
      ASSERT_GE(at, 0) << lines[i].toStdString() << " lacks " << text.toStdString();
      at += text.size();
    }
  }
  EXPECT_TRUE(lines[0].contains("255.255.0.0"));  // the hidden column's text
  EXPECT_EQ(Pages(), 1);
}

TEST_F(PdfPrint, OneDeviceMoreThanAPageHoldsGivesTwoPages) {
  const int perPage = LinesPerPage();
  ASSERT_GT(perPage, 2);
  AddDevices(perPage + 1);
  ASSERT_EQ(RowCount(), perPage + 1);
  const QStringList lines = PrintedLines();
  EXPECT_EQ(lines.size(), perPage + 1);
  EXPECT_EQ(Pages(), 2);
}

}  // namespace
}  // namespace viewtest
