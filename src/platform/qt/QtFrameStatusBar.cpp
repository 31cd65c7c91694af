#include "QtFrameStatusBar.h"

#include <QFontMetrics>
#include <QLabel>

#include "platform/afx/Resources.h"

namespace {
constexpr int kPanePadding = 12;  // text margin inside an indicator pane
}

QtFrameStatusBar::QtFrameStatusBar(CStatusBar& bar, QWidget* parent)
    : QStatusBar(parent), m_bar(bar) {
  setObjectName("statusbar");
  setSizeGripEnabled(true);
  BuildPanes();
  bar.SetObserver(this);
  if (IsWindow(bar.m_hWnd)) bar.m_hWnd->host = this;
  setVisible(bar.IsWindowVisible());
}

QtFrameStatusBar::~QtFrameStatusBar() {
  m_bar.SetObserver(nullptr);
  if (IsWindow(m_bar.m_hWnd) && m_bar.m_hWnd->host == this) m_bar.m_hWnd->host = nullptr;
}

void QtFrameStatusBar::BuildPanes() {
  for (QLabel* label : m_labels) {
    removeWidget(label);
    delete label;
  }
  m_labels.clear();
  for (int i = 0; i < m_bar.GetCount(); ++i) {
    auto* label = new QLabel(this);
    label->setObjectName(QString("pane%1").arg(i));
    label->setTextFormat(Qt::PlainText);
    const CStatusBar::Pane& pane = m_bar.GetPane(i);
    if (pane.style & SBPS_STRETCH) {
      addWidget(label, 1);
    } else {
      label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
      label->setAlignment(Qt::AlignCenter);
      addPermanentWidget(label);
    }
    m_labels.push_back(label);
    SyncPane(i);
  }
}

QLabel* QtFrameStatusBar::pane(int index) const {
  return index >= 0 && index < paneCount() ? m_labels[static_cast<size_t>(index)] : nullptr;
}

void QtFrameStatusBar::SyncPane(int index) {
  QLabel* label = pane(index);
  if (label == nullptr || index >= m_bar.GetCount()) return;
  const CStatusBar::Pane& p = m_bar.GetPane(index);
  const bool shown = (p.style & SBPS_DISABLED) == 0;
  label->setText(shown ? QString::fromStdString(p.text) : QString());
  if ((p.style & SBPS_STRETCH) == 0) {
    // A pane's width is fixed: the framework's for the online count, else wide enough for
    // the indicator's own text.
    int width = p.width;
    if (p.id != ID_INDICATOR_EXT) {
      const QFontMetrics fm(label->font());
      width = fm.horizontalAdvance(QString::fromStdString(AfxLoadString(p.id))) + kPanePadding;
    }
    label->setFixedWidth(width);
  }
}

void QtFrameStatusBar::PanesChanged(CStatusBar& bar, int index, bool repaintNow) {
  if (index < 0 || bar.GetCount() != paneCount()) {
    BuildPanes();
    return;
  }
  SyncPane(index);
  if (repaintNow && pane(index) != nullptr) pane(index)->repaint();
}

void QtFrameStatusBar::Invalidate(const RECT*, bool) {
  update();
}

void QtFrameStatusBar::StyleChanged() {
  setVisible(m_bar.IsWindowVisible());
}
