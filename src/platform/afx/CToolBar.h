// The toolbar: a row of command buttons from a toolbar resource, with their enabled and
// checked states kept here and shown by the Qt backend, plus the toolbar window's device
// context for drawing that is not part of the buttons (the frame's logo).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "CWnd.h"
#include "Resources.h"

class CDC;

class CToolBar : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  struct Button {
    UINT id = ID_SEPARATOR;  // ID_SEPARATOR for a separator
    int image = -1;          // index in the toolbar's image strip; -1 for separators
    bool enabled = true;
    bool checked = false;
  };

  // What shows the toolbar on screen; it also lends the toolbar window's device context.
  class Observer {
   public:
    virtual ~Observer() = default;
    virtual void ButtonsChanged(CToolBar& bar) = 0;
    // A device context for the toolbar's client area; null when none can be had.
    virtual CDC* GetDC(CToolBar& bar) = 0;
    virtual void ReleaseDC(CToolBar& bar, CDC* dc) = 0;
  };

  BOOL CreateEx(CWnd* parent, DWORD ctrlStyle, DWORD style, const RECT& borders, UINT id);
  // Takes the buttons of toolbar resource id; images are numbered in button order.
  BOOL LoadToolBar(UINT id);
  UINT GetResourceId() const { return m_nIDResource; }
  SIZE GetButtonSize() const { return m_sizeButton; }
  // The button images side by side; null when the resource has none.
  const std::shared_ptr<const ImageResource>& GetImageStrip() const { return m_strip; }

  int GetCount() const { return static_cast<int>(m_buttons.size()); }
  const Button& GetButton(int index) const { return m_buttons.at(static_cast<size_t>(index)); }
  int CommandToIndex(UINT id) const;
  UINT GetItemID(int index) const;
  // Returns whether the state changed.
  bool SetButtonState(int index, bool enabled, bool checked);
  // The first line of the command's string (the status-bar prompt) and the second (tooltip).
  static std::string PromptFor(UINT id);
  static std::string TooltipFor(UINT id);

  // Updates every button's state from the frame's update handlers; commands that no one
  // handles are disabled. Tells the observer once when anything changed.
  void OnUpdateCmdUI(CWnd* target, BOOL disableIfNoHandler);

  CDC* GetDC();
  int ReleaseDC(CDC* dc);

  void SetObserver(Observer* observer) { m_observer = observer; }
  Observer* GetObserver() const { return m_observer; }
  DWORD GetBarStyle() const { return m_dwStyle; }
  DWORD GetControlStyle() const { return m_dwCtrlStyle; }

 private:
  std::vector<Button> m_buttons;
  std::shared_ptr<const ImageResource> m_strip;
  UINT m_nIDResource = 0;
  SIZE m_sizeButton{32, 32};
  DWORD m_dwStyle = 0;
  DWORD m_dwCtrlStyle = 0;
  Observer* m_observer = nullptr;
};
