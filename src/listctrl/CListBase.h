// The extension of a report-style list control: hidden columns, a per-item store of every
// cell, a signed sort state with its header indicator and column tint, owner-drawn rows and a
// saved column layout. Not a window: CListViewEx routes the list window's messages here.
//
// Callers name columns by column number (all columns, hidden ones included); only this class
// speaks to the control in control column indexes. Three ways reach the control: Direct()
// (the control's own procedure), SendToList() (through the extension, translated) and
// Default() (the message being handled, passed on).
#pragma once

#include <memory>
#include <vector>

#include "listctrl/ListRecords.h"
#include "platform/afx/CDC.h"
#include "platform/afx/CImageList.h"
#include "platform/afx/CWnd.h"

class CListBase {
 public:
  CListBase();
  CListBase(const CListBase&) = delete;
  CListBase& operator=(const CListBase&) = delete;
  virtual ~CListBase();

  // Drawing steps of owner-drawn rows that a derived class may replace.
  virtual void PaintItemIcon(CDC* dc, const LVITEMA& item, const RECT& rect);
  virtual void PaintStateImage(CDC* dc, const LVITEMA& item, const RECT& rect);
  virtual void PaintCellText(CDC* dc, const LVITEMA& item, const LVCOLUMNA& column,
                             const RECT& rect);

  static std::unique_ptr<SavedColumn> CopyColumnDescription(const LVCOLUMNA& desc);
  static std::unique_ptr<SavedItem> CopyItemDescription(const LVITEMA& desc);

  // The four translations; a walk that meets a column number outside m_columns throws
  // CInvalidArgException.
  int ColumnFromControlIndex(int controlIndex) const;
  int ControlIndexFromColumn(int column) const;
  int LogicalOrderFromControl(int displayPos) const;
  int ControlOrderFromLogical(int logicalOrder) const;

  // Only for columns the user may hide; throws CInvalidArgException out of range.
  void SetColumnVisible(int column, bool show);
  void SetSortState(int state);
  static int ForwardCompare(LPARAM record1, LPARAM record2, LPARAM self);
  int HeaderOrderOf(int headerItem) const;

  // Sort indicators and tint.
  void ApplySortIndicators();
  void BuildArrowImages();
  void EnableSortTint(bool on);
  void RepaintOutsideItems();

  // Applies a saved layout block (8 bytes + 9 per column). False for a sort state or an
  // order out of range, or for orders that are not a permutation; true otherwise, also when
  // the block belongs to another column set and is ignored.
  bool ApplySavedLayout(const BYTE* block, size_t size);

  // Column operations (list-view message arguments in, message result out).
  LRESULT OnInsertColumn(WPARAM wParam, LPARAM lParam);
  LRESULT OnDeleteColumn(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetColumn(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetColumn(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetColumnWidth(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetColumnWidth(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetColumnOrderArray(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetColumnOrderArray(WPARAM wParam, LPARAM lParam);

  // Item operations.
  LRESULT OnInsertItem(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetItem(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetItem(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetItemText(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetItemText(WPARAM wParam, LPARAM lParam);
  LRESULT OnDeleteItem(WPARAM wParam, LPARAM lParam);
  LRESULT OnDeleteAllItems(WPARAM wParam, LPARAM lParam);
  LRESULT OnFindItem(WPARAM wParam, LPARAM lParam);
  LRESULT OnSortItems(WPARAM wParam, LPARAM lParam);
  // Reflected display-information request; returns whether it was handled.
  BOOL OnGetDispInfo(NMHDR* nmhdr, LRESULT* result);

  // Band, custom draw and the events that move them.
  BOOL OnEraseBkgnd(CDC* dc);
  void OnCustomDraw(NMHDR* nmhdr, LRESULT* result);
  void OnHScroll(UINT code, UINT pos, CWnd* scrollBar);
  void OnSysColorChange();
  LRESULT OnSetBkColor(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetImageList(WPARAM wParam, LPARAM lParam);

  // Column menu, header, keyboard, mouse, hit test, extended style and focus.
  void OnContextMenu(HWND window, POINT screenPoint);
  bool OnCommand(WPARAM wParam, LPARAM lParam);
  // defaultResult (may be null) receives the answer of the control's own processing.
  bool OnHeaderNotify(NMHDR* nmhdr, LRESULT* defaultResult = nullptr);
  void OnKeyDown(UINT key, UINT repeat, UINT flags);
  void OnKeyUp(UINT key, UINT repeat, UINT flags);
  void OnLButtonDown(UINT flags, POINT point);
  void OnLButtonDblClk(UINT flags, POINT point);
  void OnLButtonUp(UINT flags, POINT point);
  void OnMouseMove(UINT flags, POINT point);
  void UpdateHotItem(POINT point);
  void LoadHotCursors();
  LRESULT OnHitTest(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetExtendedStyle(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetExtendedStyle(WPARAM wParam, LPARAM lParam);
  void OnSetFocus(HWND other);
  void OnKillFocus(HWND other);

  // Owner-drawn rows and the geometry they share with hit testing and custom draw.
  void PaintRow(const DRAWITEMSTRUCT* dis);
  std::unique_ptr<SavedItem> FetchItem(int item, int controlIndex) const;
  bool CellBounds(int item, int controlIndex, int part, RECT* rect) const;
  bool StateImageBounds(int item, RECT* rect);
  int TextFitWidth(int width, CDC* dc, const LVITEMA& item) const;
  void SetFirstColumnFormat(int format);
  int HeaderIndexAt(int displayPos) const;

  // The header click rule: flips or sets the sort state for a clicked control column index,
  // writes the column number back into the notification and updates the indicators.
  void HeaderClicked(NMLISTVIEW* notification);

  // Number of columns, hidden ones included.
  int ColumnCount() const { return static_cast<int>(m_columns.size()); }
  // Throws CInvalidArgException out of range.
  COLUMN_DATA& Column(int column) const;

  // 0 before the first construction, 1 without native sort flags in the header, 2 with them.
  static int s_nCommonControlsLevel;

  int m_nStateGap = 4;
  CWnd* m_pListWnd = nullptr;
  std::vector<std::unique_ptr<COLUMN_DATA>> m_columns;
  int m_nHideableCount = 0;
  BOOL m_bShowSortIndicator = FALSE;
  BOOL m_bTintSortColumn = FALSE;
  CImageList m_imlArrows;
  CBitmap m_bmpArrowAsc;
  CBitmap m_bmpArrowDesc;
  int m_nAscImage = -1;
  int m_nDescImage = -1;
  COLORREF m_clrSortTint = 0;
  int m_nSortState = 0;
  int m_nFirstColumnFormat = 0;
  bool m_bLabelInLeadColumn = false;
  bool m_bCtrlDown = false;
  bool m_bStateGapKnown = false;
  DWORD m_dwExStyle = 0;
  int m_nHotRow = -1;
  COLORREF m_clrHot = 0;
  HCURSOR m_hCursorNow = nullptr;
  HCURSOR m_hCursorArrow = nullptr;
  HCURSOR m_hCursorHand = nullptr;
  PFNLVCOMPARE m_pfnCallerCompare = nullptr;
  LPARAM m_lCallerSortData = 0;
  bool m_bInDispInfo = false;

 protected:
  HWND ListHwnd() const { return m_pListWnd != nullptr ? m_pListWnd->m_hWnd : nullptr; }
  HWND HeaderHwnd() const;
  LRESULT Direct(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  LRESULT SendToList(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) const;
  DWORD ListStyle() const;
  bool IsOwnerDrawn() const { return (ListStyle() & LVS_OWNERDRAWFIXED) != 0; }
  int ItemCount() const;
  // The item's record as the control holds it; null when the control cannot say.
  ROW_RECORD* FetchRowRecord(int item) const;
  COLORREF ListBkColor() const;
  // Sort column's control index, -1 when there is none or it is hidden.
  int SortColumnControlIndex() const;
  // The one rule by which a column's logical order changes.
  void MoveLogicalOrder(int column, int position);
  // Display position a visible column takes when its logical order moves to position.
  int ControlOrderForMove(int column, int position) const;
  // Column holding a logical order (highest column number first), -1 for none.
  int ColumnAtLogicalOrder(int logicalOrder) const;
  // Writes every stored cell of a column back into the control.
  void RestoreColumnCells(int column);
  void AutoSizeLeadColumn(int headerItem, int column, bool withLabelMargin);
  bool IsHeader(HWND hwnd) const;
  // Owner-drawn check boxes: inverts the check mark when the point is on a state image.
  bool ToggleCheckBoxAt(POINT point);
  // Custom-draw post-paint of column 0: refills the icon area and draws its images again.
  void RepaintIconArea(NMLVCUSTOMDRAW* cd);
};
