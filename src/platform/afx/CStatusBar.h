// The status bar: indicator panes with ids, widths and texts. Pane 0 is the message pane.
#pragma once

#include <string>
#include <vector>

#include "CWnd.h"

class CStatusBar : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  struct Pane {
    UINT id = 0;
    UINT style = 0;
    int width = 0;  // pixels; the message pane stretches
    std::string text;
  };

  BOOL Create(CWnd* parent, DWORD style, UINT id = AFX_IDW_STATUS_BAR);
  // Each indicator's initial text is its string (empty for ID_SEPARATOR).
  BOOL SetIndicators(const UINT* ids, int count);
  int CommandToIndex(UINT id) const;
  UINT GetItemID(int index) const;
  void SetPaneInfo(int index, UINT id, UINT style, int width);
  BOOL SetPaneText(int index, const std::string& text, BOOL update = TRUE);
  std::string GetPaneText(int index) const;
  int GetCount() const { return static_cast<int>(m_panes.size()); }
  const Pane& GetPane(int index) const { return m_panes.at(static_cast<size_t>(index)); }

  // Told of every change of a pane (the Qt backend repaints it).
  class Observer {
   public:
    virtual ~Observer() = default;
    virtual void PanesChanged(CStatusBar& bar, int index, bool repaintNow) = 0;
  };
  void SetObserver(Observer* observer) { m_observer = observer; }

 protected:
  // WM_SETTEXT sets the message pane (the frame's prompts and "Ready").
  LRESULT OnSetText(WPARAM wParam, LPARAM lParam);

 private:
  std::vector<Pane> m_panes;
  Observer* m_observer = nullptr;
};
