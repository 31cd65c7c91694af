// A document of the document/view architecture; it takes commands after its views.
#pragma once

#include <string>
#include <vector>

#include "CCmdTarget.h"

class CView;
class CDocTemplate;

class CDocument : public CCmdTarget {
  DECLARE_MESSAGE_MAP()

 public:
  virtual BOOL OnNewDocument();
  void AddView(CView* view);
  void RemoveView(CView* view);
  // First view, in the order views were added; null when none.
  CView* GetFirstView() const { return m_views.empty() ? nullptr : m_views.front(); }
  const std::vector<CView*>& GetViews() const { return m_views; }
  void UpdateAllViews(CView* sender);
  BOOL IsModified() const { return m_bModified; }
  void SetModifiedFlag(BOOL modified = TRUE) { m_bModified = modified; }
  const std::string& GetTitle() const { return m_strTitle; }
  void SetTitle(const std::string& title) { m_strTitle = title; }
  CDocTemplate* m_pDocTemplate = nullptr;

 protected:
  std::vector<CView*> m_views;
  BOOL m_bModified = FALSE;
  std::string m_strTitle;
};
