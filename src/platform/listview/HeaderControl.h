// The header control ("SysHeader32"): a row of column titles with its own display order.
// Answers the HDM_* messages, paints through CDC on WM_PAINT (wParam = CDC*), and turns mouse
// messages (header client coordinates) into HDN_* notifications to its parent:
//   click on an item (HDS_BUTTONS)      HDN_ITEMCLICKA on release over the pressed item
//   drag of a divider                   HDN_BEGINTRACKA, per move HDN_TRACKA and
//                                       HDN_ITEMCHANGINGA/HDN_ITEMCHANGEDA, HDN_ENDTRACKA
//   drag of an item (HDS_DRAGDROP)      HDN_BEGINDRAG, HDN_ENDDRAG with pitem->iOrder the new
//                                       display position, -1 when cancelled (Escape, or a drop
//                                       above or below the header); applied when the answer
//                                       is FALSE
//   double-click                        HDN_DIVIDERDBLCLICKA on a divider, else HDN_ITEMDBLCLICKA
//   right button release                WM_CONTEXTMENU to the parent (wParam = header, screen
//                                       point)
// The list view places its header at x = -(horizontal scroll position), so item rectangles
// stay in unscrolled header coordinates.
#pragma once

#include "HeaderItems.h"
#include "platform/afx/WindowSystem.h"

class CDC;

class HeaderControl final : public WindowControl {
 public:
  explicit HeaderControl(HWND hwnd) : m_hwnd(hwnd) {}
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  // Direct access for the list that owns the header: changes made here send no notification;
  // the caller repaints with Repaint().
  HeaderItems& Items() { return m_items; }
  const HeaderItems& Items() const { return m_items; }
  HIMAGELIST ImageList() const { return m_images; }
  RECT ItemRect(int index) const;
  void Repaint();
  // Ends any press, divider drag or item drag without notifications (columns changed under it).
  void ResetMode();
  // Cancels a running divider or item drag as Escape does; false when none runs.
  bool CancelDrag();

 private:
  enum class Mode { None, Pressed, Tracking, Dragging };
  struct Hit {
    UINT flags = HHT_NOWHERE;
    int item = -1;
  };

  Hit HitTest(POINT pt) const;
  LRESULT Notify(int code, int item, HDITEMA* pitem, int button = 0);
  LRESULT InsertItem(int index, const HDITEMA* in);
  LRESULT GetItem(int index, HDITEMA* out) const;
  LRESULT SetItem(int index, HDITEMA* in);
  void Apply(int index, const HDITEMA& in);
  // Width change of a divider drag, with its HDN_ITEMCHANGING/HDN_ITEMCHANGED pair.
  void ChangeWidth(int index, int width);
  void Paint(CDC* dc);

  void OnLButtonDown(POINT pt);
  void OnMouseMove(POINT pt);
  void OnLButtonUp(POINT pt);
  void OnLButtonDblClk(POINT pt);
  void OnRButtonUp(POINT pt);
  int DropOrder(POINT pt) const;
  void SetHot(int item);

  HWND m_hwnd;
  HeaderItems m_items;
  HIMAGELIST m_images = nullptr;
  HIMAGELIST m_stateImages = nullptr;
  Mode m_mode = Mode::None;
  int m_item = -1;  // the pressed, tracked or dragged item
  POINT m_pressPoint;
  int m_trackStartWidth = 0;
  bool m_dragRefused = false;
  int m_hot = -1;
};
