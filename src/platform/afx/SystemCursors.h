// The system's cursor shapes. An HCURSOR names one of them by its IDC_ number, so code that
// sets a cursor and the backend that shows it agree without sharing a toolkit object.
#pragma once

#include "platform/win/win.h"

struct CursorObject {
  int id = 0;  // IDC_ARROW, IDC_HAND, IDC_SIZEWE ...
};

// The one shared object of a system cursor; the same id gives the same handle. Never null.
HCURSOR SystemCursor(int id);
