#include "CEdit.h"

BEGIN_MESSAGE_MAP(CEdit, CWnd)
END_MESSAGE_MAP()

UINT CEdit::GetLimitText() const {
  return static_cast<UINT>(::SendMessage(m_hWnd, EM_GETLIMITTEXT, 0, 0));
}

void CEdit::ReplaceSel(const std::string& text) {
  SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}
