#include "CFont.h"

BOOL CFont::CreateFontIndirect(const LOGFONTA* logFont) {
  if (logFont == nullptr) return FALSE;
  DeleteObject();
  m_hObject = new FontObject{*logFont};
  m_hObject->logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
  return TRUE;
}

BOOL CFont::DeleteObject() {
  if (m_hObject == nullptr) return FALSE;
  delete m_hObject;
  m_hObject = nullptr;
  return TRUE;
}

BOOL CFont::GetLogFont(LOGFONTA* out) const {
  if (m_hObject == nullptr) return FALSE;
  return GetLogFont(m_hObject, out);
}

BOOL CFont::GetLogFont(HFONT font, LOGFONTA* out) {
  if (out == nullptr) return FALSE;
  *out = font != nullptr ? font->logFont : LOGFONTA{};
  return TRUE;
}
