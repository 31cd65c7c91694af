// A logical font: what a caller asks for. The backend turns it into a real font only when it
// draws or measures, so this side holds no toolkit object.
#pragma once

#include "platform/win/win.h"

constexpr int LF_FACESIZE = 32;
constexpr LONG FW_DONTCARE = 0;
constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_BOLD = 700;

struct LOGFONTA {
  // 0: the default size; negative: character height in pixels; positive: cell height.
  LONG lfHeight = 0;
  LONG lfWidth = 0;
  LONG lfWeight = FW_DONTCARE;  // FW_DONTCARE keeps the default weight
  BYTE lfItalic = 0;
  BYTE lfUnderline = 0;
  BYTE lfStrikeOut = 0;
  char lfFaceName[LF_FACESIZE] = {};  // empty: the default face
};

// What an HFONT points to.
struct FontObject {
  LOGFONTA logFont;
};

class CFont {
 public:
  CFont() = default;
  CFont(const CFont&) = delete;
  CFont& operator=(const CFont&) = delete;
  ~CFont() { DeleteObject(); }

  // Replaces any font this object held. The face name is cut to fit and always ends in NUL.
  BOOL CreateFontIndirect(const LOGFONTA* logFont);
  BOOL DeleteObject();
  // FALSE (and out untouched) when no font is held.
  BOOL GetLogFont(LOGFONTA* out) const;
  // Reads any font handle; a null handle describes the default font (all fields zero).
  static BOOL GetLogFont(HFONT font, LOGFONTA* out);

  HFONT GetSafeHandle() const { return m_hObject; }
  operator HFONT() const { return m_hObject; }

 private:
  HFONT m_hObject = nullptr;
};
