// A view whose window is the platform's list-view control, and the thin wrapper through
// which code talks to it. Every request is a message sent to the list window, so a class
// that puts an extension in front of the control (a message table) sees each of them.
#pragma once

#include <string>

#include "CView.h"

class CListCtrl {
 public:
  explicit CListCtrl(HWND hwnd = nullptr) : m_hWnd(hwnd) {}
  HWND m_hWnd;

  int InsertColumn(int col, const std::string& heading, int format = LVCFMT_LEFT, int width = -1,
                   int subItem = -1);
  int InsertItem(int item, const std::string& text, int image);
  int InsertItem(const LVITEMA& item);
  BOOL SetItemText(int item, int subItem, const std::string& text);
  // The cell's text (at most 259 bytes, as the commands read it).
  std::string GetItemText(int item, int subItem) const;
  BOOL SetItemData(int item, LPARAM data);
  LPARAM GetItemData(int item) const;
  BOOL SetItemState(int item, UINT state, UINT mask);
  UINT GetItemState(int item, UINT mask) const;
  int GetItemCount() const;
  int GetNextItem(int item, UINT flags) const;
  UINT GetSelectedCount() const;
  BOOL DeleteAllItems();
  BOOL DeleteItem(int item);
  BOOL SortItems(PFNLVCOMPARE compare, LPARAM data);
  DWORD SetExtendedStyle(DWORD style);
  DWORD GetExtendedStyle() const;
  HIMAGELIST SetImageList(HIMAGELIST list, int which);
  HIMAGELIST GetImageList(int which) const;
  int GetColumnWidth(int col) const;
  BOOL SetColumnWidth(int col, int width);
  HWND GetHeaderCtrl() const;
  COLORREF GetBkColor() const;
  BOOL SetBkColor(COLORREF color);
  BOOL GetItemRect(int item, RECT* rect, int code) const;
  int HitTest(LVHITTESTINFO* info) const;
  BOOL GetColumnOrderArray(int* order, int count) const;
  BOOL SetColumnOrderArray(int count, const int* order);
  BOOL DeleteColumn(int col);
  BOOL GetColumn(int col, LVCOLUMNA* column) const;
  BOOL SetColumn(int col, const LVCOLUMNA* column);
  BOOL GetItem(LVITEMA* item) const;
  BOOL SetItem(const LVITEMA* item);
  // code is LVIR_BOUNDS, LVIR_ICON or LVIR_LABEL; sub-item 0's bounds are the whole row.
  BOOL GetSubItemRect(int item, int subItem, int code, RECT* rect) const;
  int SubItemHitTest(LVHITTESTINFO* info) const;
  int FindItem(const LVFINDINFOA* find, int start = -1) const;
  BOOL EnsureVisible(int item, BOOL partialOk);
  int GetTopIndex() const;
  int GetCountPerPage() const;
  int GetStringWidth(const std::string& text) const;
  int GetHotItem() const;
  int SetHotItem(int item);
  COLORREF GetTextBkColor() const;
  BOOL SetTextBkColor(COLORREF color);
  BOOL RedrawItems(int first, int last);
};

class CListView : public CView {
  DECLARE_MESSAGE_MAP()

 public:
  CListView();
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  CListCtrl& GetListCtrl() {
    m_list.m_hWnd = m_hWnd;
    return m_list;
  }

 private:
  CListCtrl m_list;
};
