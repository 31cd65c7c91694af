// List-view and header control vocabulary: messages, notifications, records and flags.
#pragma once

#include "basic_types.h"

// ---- notification header and codes ----
struct NMHDR {
  HWND hwndFrom = nullptr;
  UINT_PTR idFrom = 0;
  int code = 0;
};

constexpr int NM_CLICK = -2;
constexpr int NM_DBLCLK = -3;
constexpr int NM_RETURN = -4;
constexpr int NM_RCLICK = -5;
constexpr int NM_RDBLCLK = -6;
constexpr int NM_SETFOCUS = -7;
constexpr int NM_KILLFOCUS = -8;
constexpr int NM_CUSTOMDRAW = -12;

constexpr int LVN_ITEMCHANGING = -100;
constexpr int LVN_ITEMCHANGED = -101;
constexpr int LVN_INSERTITEM = -102;
constexpr int LVN_DELETEITEM = -103;
constexpr int LVN_DELETEALLITEMS = -104;
constexpr int LVN_COLUMNCLICK = -108;
constexpr int LVN_BEGINDRAG = -109;
constexpr int LVN_GETDISPINFOA = -150;
constexpr int LVN_KEYDOWN = -155;

constexpr int HDN_ITEMCHANGINGA = -300;
constexpr int HDN_ITEMCHANGEDA = -301;
constexpr int HDN_ITEMCLICKA = -302;
constexpr int HDN_ITEMDBLCLICKA = -303;
constexpr int HDN_DIVIDERDBLCLICKA = -305;
constexpr int HDN_BEGINTRACKA = -306;
constexpr int HDN_ENDTRACKA = -307;
constexpr int HDN_TRACKA = -308;
constexpr int HDN_BEGINDRAG = -310;
constexpr int HDN_ENDDRAG = -311;
constexpr int HDN_ITEMCHANGINGW = -320;
constexpr int HDN_ITEMCHANGEDW = -321;
constexpr int HDN_ITEMCLICKW = -322;
constexpr int HDN_ITEMDBLCLICKW = -323;
constexpr int HDN_DIVIDERDBLCLICKW = -325;
constexpr int HDN_BEGINTRACKW = -326;
constexpr int HDN_ENDTRACKW = -327;
constexpr int HDN_TRACKW = -328;

// ---- list-view messages ----
constexpr UINT LVM_FIRST = 0x1000;
constexpr UINT LVM_GETBKCOLOR = 0x1000;
constexpr UINT LVM_SETBKCOLOR = 0x1001;
constexpr UINT LVM_GETIMAGELIST = 0x1002;
constexpr UINT LVM_SETIMAGELIST = 0x1003;
constexpr UINT LVM_GETITEMCOUNT = 0x1004;
constexpr UINT LVM_GETITEMA = 0x1005;
constexpr UINT LVM_SETITEMA = 0x1006;
constexpr UINT LVM_INSERTITEMA = 0x1007;
constexpr UINT LVM_DELETEITEM = 0x1008;
constexpr UINT LVM_DELETEALLITEMS = 0x1009;
constexpr UINT LVM_GETNEXTITEM = 0x100C;
constexpr UINT LVM_FINDITEMA = 0x100D;
constexpr UINT LVM_GETITEMRECT = 0x100E;
constexpr UINT LVM_GETSTRINGWIDTHA = 0x1011;
constexpr UINT LVM_HITTEST = 0x1012;
constexpr UINT LVM_ENSUREVISIBLE = 0x1013;
constexpr UINT LVM_SCROLL = 0x1014;
constexpr UINT LVM_REDRAWITEMS = 0x1015;
constexpr UINT LVM_GETCOLUMNA = 0x1019;
constexpr UINT LVM_SETCOLUMNA = 0x101A;
constexpr UINT LVM_INSERTCOLUMNA = 0x101B;
constexpr UINT LVM_DELETECOLUMN = 0x101C;
constexpr UINT LVM_GETCOLUMNWIDTH = 0x101D;
constexpr UINT LVM_SETCOLUMNWIDTH = 0x101E;
constexpr UINT LVM_GETHEADER = 0x101F;
constexpr UINT LVM_GETVIEWRECT = 0x1022;
constexpr UINT LVM_GETTEXTCOLOR = 0x1023;
constexpr UINT LVM_SETTEXTCOLOR = 0x1024;
constexpr UINT LVM_GETTEXTBKCOLOR = 0x1025;
constexpr UINT LVM_SETTEXTBKCOLOR = 0x1026;
constexpr UINT LVM_GETTOPINDEX = 0x1027;
constexpr UINT LVM_GETCOUNTPERPAGE = 0x1028;
constexpr UINT LVM_GETORIGIN = 0x1029;
constexpr UINT LVM_SETITEMSTATE = 0x102B;
constexpr UINT LVM_GETITEMSTATE = 0x102C;
constexpr UINT LVM_GETITEMTEXTA = 0x102D;
constexpr UINT LVM_SETITEMTEXTA = 0x102E;
constexpr UINT LVM_SETITEMCOUNT = 0x102F;
constexpr UINT LVM_SORTITEMS = 0x1030;
constexpr UINT LVM_GETSELECTEDCOUNT = 0x1032;
constexpr UINT LVM_SETEXTENDEDLISTVIEWSTYLE = 0x1036;
constexpr UINT LVM_GETEXTENDEDLISTVIEWSTYLE = 0x1037;
constexpr UINT LVM_GETSUBITEMRECT = 0x1038;
constexpr UINT LVM_SUBITEMHITTEST = 0x1039;
constexpr UINT LVM_SETCOLUMNORDERARRAY = 0x103A;
constexpr UINT LVM_GETCOLUMNORDERARRAY = 0x103B;
constexpr UINT LVM_SETHOTITEM = 0x103C;
constexpr UINT LVM_GETHOTITEM = 0x103D;

// ---- list-view styles ----
constexpr DWORD LVS_ICON = 0x0000;
constexpr DWORD LVS_REPORT = 0x0001;
constexpr DWORD LVS_SMALLICON = 0x0002;
constexpr DWORD LVS_LIST = 0x0003;
constexpr DWORD LVS_TYPEMASK = 0x0003;
constexpr DWORD LVS_SINGLESEL = 0x0004;
constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;
constexpr DWORD LVS_SORTASCENDING = 0x0010;
constexpr DWORD LVS_SORTDESCENDING = 0x0020;
constexpr DWORD LVS_SHAREIMAGELISTS = 0x0040;
constexpr DWORD LVS_NOLABELWRAP = 0x0080;
constexpr DWORD LVS_AUTOARRANGE = 0x0100;
constexpr DWORD LVS_EDITLABELS = 0x0200;
constexpr DWORD LVS_OWNERDRAWFIXED = 0x0400;
constexpr DWORD LVS_OWNERDATA = 0x1000;
constexpr DWORD LVS_NOSCROLL = 0x2000;
constexpr DWORD LVS_NOCOLUMNHEADER = 0x4000;
constexpr DWORD LVS_NOSORTHEADER = 0x8000;

constexpr DWORD LVS_EX_GRIDLINES = 0x0001;
constexpr DWORD LVS_EX_SUBITEMIMAGES = 0x0002;
constexpr DWORD LVS_EX_CHECKBOXES = 0x0004;
constexpr DWORD LVS_EX_TRACKSELECT = 0x0008;
constexpr DWORD LVS_EX_HEADERDRAGDROP = 0x0010;
constexpr DWORD LVS_EX_FULLROWSELECT = 0x0020;
constexpr DWORD LVS_EX_ONECLICKACTIVATE = 0x0040;
constexpr DWORD LVS_EX_TWOCLICKACTIVATE = 0x0080;
constexpr DWORD LVS_EX_UNDERLINEHOT = 0x0800;

// ---- items ----
constexpr UINT LVIF_TEXT = 0x0001;
constexpr UINT LVIF_IMAGE = 0x0002;
constexpr UINT LVIF_PARAM = 0x0004;
constexpr UINT LVIF_STATE = 0x0008;
constexpr UINT LVIF_INDENT = 0x0010;

constexpr UINT LVIS_FOCUSED = 0x0001;
constexpr UINT LVIS_SELECTED = 0x0002;
constexpr UINT LVIS_CUT = 0x0004;
constexpr UINT LVIS_DROPHILITED = 0x0008;
constexpr UINT LVIS_OVERLAYMASK = 0x0F00;
constexpr UINT LVIS_STATEIMAGEMASK = 0xF000;
constexpr UINT INDEXTOSTATEIMAGEMASK(unsigned i) {
  return i << 12;
}

constexpr UINT LVNI_ALL = 0x0000;
constexpr UINT LVNI_FOCUSED = 0x0001;
constexpr UINT LVNI_SELECTED = 0x0002;

constexpr UINT LVFI_PARAM = 0x0001;
constexpr UINT LVFI_STRING = 0x0002;
constexpr UINT LVFI_PARTIAL = 0x0008;
constexpr UINT LVFI_WRAP = 0x0020;

constexpr int LVIR_BOUNDS = 0;
constexpr int LVIR_ICON = 1;
constexpr int LVIR_LABEL = 2;
constexpr int LVIR_SELECTBOUNDS = 3;

constexpr UINT LVHT_NOWHERE = 0x0001;
constexpr UINT LVHT_ONITEMICON = 0x0002;
constexpr UINT LVHT_ONITEMLABEL = 0x0004;
constexpr UINT LVHT_ONITEMSTATEICON = 0x0008;
constexpr UINT LVHT_ONITEM = 0x000E;
constexpr UINT LVHT_ABOVE = 0x0008;
constexpr UINT LVHT_BELOW = 0x0010;
constexpr UINT LVHT_TORIGHT = 0x0020;
constexpr UINT LVHT_TOLEFT = 0x0040;

constexpr int LVSIL_NORMAL = 0;
constexpr int LVSIL_SMALL = 1;
constexpr int LVSIL_STATE = 2;

// The marker that asks the owner for a text through LVN_GETDISPINFOA.
inline LPSTR const LPSTR_TEXTCALLBACKA = reinterpret_cast<LPSTR>(static_cast<std::intptr_t>(-1));

struct LVITEMA {
  UINT mask = 0;
  int iItem = 0;
  int iSubItem = 0;
  UINT state = 0;
  UINT stateMask = 0;
  LPSTR pszText = nullptr;
  int cchTextMax = 0;
  int iImage = 0;
  LPARAM lParam = 0;
  int iIndent = 0;
  int iGroupId = 0;
  UINT cColumns = 0;
  UINT* puColumns = nullptr;
};

constexpr UINT LVCF_FMT = 0x0001;
constexpr UINT LVCF_WIDTH = 0x0002;
constexpr UINT LVCF_TEXT = 0x0004;
constexpr UINT LVCF_SUBITEM = 0x0008;
constexpr UINT LVCF_IMAGE = 0x0010;
constexpr UINT LVCF_ORDER = 0x0020;

constexpr int LVCFMT_LEFT = 0x0000;
constexpr int LVCFMT_RIGHT = 0x0001;
constexpr int LVCFMT_CENTER = 0x0002;
constexpr int LVCFMT_JUSTIFYMASK = 0x0003;
constexpr int LVCFMT_IMAGE = 0x0800;
constexpr int LVCFMT_BITMAP_ON_RIGHT = 0x1000;
constexpr int LVCFMT_COL_HAS_IMAGES = 0x8000;

constexpr int LVSCW_AUTOSIZE = -1;
constexpr int LVSCW_AUTOSIZE_USEHEADER = -2;

struct LVCOLUMNA {
  UINT mask = 0;
  int fmt = 0;
  int cx = 0;
  LPSTR pszText = nullptr;
  int cchTextMax = 0;
  int iSubItem = 0;
  int iImage = 0;
  int iOrder = 0;
};

struct LVFINDINFOA {
  UINT flags = 0;
  LPCSTR psz = nullptr;
  LPARAM lParam = 0;
  POINT pt;
  UINT vkDirection = 0;
};

struct LVHITTESTINFO {
  POINT pt;
  UINT flags = 0;
  int iItem = -1;
  int iSubItem = 0;
};

struct NMLISTVIEW {
  NMHDR hdr;
  int iItem = -1;
  int iSubItem = 0;
  UINT uNewState = 0;
  UINT uOldState = 0;
  UINT uChanged = 0;
  POINT ptAction;
  LPARAM lParam = 0;
};

struct NMITEMACTIVATE {
  NMHDR hdr;
  int iItem = -1;
  int iSubItem = 0;
  UINT uNewState = 0;
  UINT uOldState = 0;
  UINT uChanged = 0;
  POINT ptAction;
  LPARAM lParam = 0;
  UINT uKeyFlags = 0;
};

struct NMLVDISPINFOA {
  NMHDR hdr;
  LVITEMA item;
};

class CDC;
struct NMCUSTOMDRAW {
  NMHDR hdr;
  DWORD dwDrawStage = 0;
  CDC* hdc = nullptr;
  RECT rc;
  UINT_PTR dwItemSpec = 0;
  UINT uItemState = 0;
  LPARAM lItemlParam = 0;
};

struct NMLVCUSTOMDRAW {
  NMCUSTOMDRAW nmcd;
  COLORREF clrText = 0;
  COLORREF clrTextBk = 0;
  int iSubItem = 0;
};

constexpr DWORD CDDS_PREPAINT = 0x00000001;
constexpr DWORD CDDS_POSTPAINT = 0x00000002;
constexpr DWORD CDDS_PREERASE = 0x00000003;
constexpr DWORD CDDS_POSTERASE = 0x00000004;
constexpr DWORD CDDS_ITEM = 0x00010000;
constexpr DWORD CDDS_SUBITEM = 0x00020000;
constexpr DWORD CDDS_ITEMPREPAINT = CDDS_ITEM | CDDS_PREPAINT;
constexpr DWORD CDDS_ITEMPOSTPAINT = CDDS_ITEM | CDDS_POSTPAINT;
constexpr DWORD CDDS_SUBITEMPREPAINT = CDDS_SUBITEM | CDDS_ITEMPREPAINT;
constexpr DWORD CDDS_SUBITEMPOSTPAINT = CDDS_SUBITEM | CDDS_ITEMPOSTPAINT;

constexpr LRESULT CDRF_DODEFAULT = 0x00;
constexpr LRESULT CDRF_NEWFONT = 0x02;
constexpr LRESULT CDRF_SKIPDEFAULT = 0x04;
constexpr LRESULT CDRF_NOTIFYPOSTPAINT = 0x10;
constexpr LRESULT CDRF_NOTIFYITEMDRAW = 0x20;
constexpr LRESULT CDRF_NOTIFYSUBITEMDRAW = 0x20;

// Item states in a custom-draw record (uItemState).
constexpr UINT CDIS_SELECTED = 0x0001;
constexpr UINT CDIS_FOCUS = 0x0010;
constexpr UINT CDIS_HOT = 0x0040;

// Modifier keys of an activation (NMITEMACTIVATE uKeyFlags).
constexpr UINT LVKF_ALT = 0x0001;
constexpr UINT LVKF_CONTROL = 0x0002;
constexpr UINT LVKF_SHIFT = 0x0004;

// Owner draw record (WM_DRAWITEM).
constexpr UINT ODT_LISTVIEW = 102;
constexpr UINT ODA_DRAWENTIRE = 0x0001;
constexpr UINT ODS_SELECTED = 0x0001;
constexpr UINT ODS_FOCUS = 0x0010;
struct DRAWITEMSTRUCT {
  UINT CtlType = ODT_LISTVIEW;
  UINT CtlID = 0;
  UINT itemID = 0;
  UINT itemAction = ODA_DRAWENTIRE;
  UINT itemState = 0;
  HWND hwndItem = nullptr;
  CDC* hDC = nullptr;
  RECT rcItem;
  std::uintptr_t itemData = 0;
};

// ---- header control ----
constexpr UINT HDM_FIRST = 0x1200;
constexpr UINT HDM_GETITEMCOUNT = 0x1200;
constexpr UINT HDM_INSERTITEMA = 0x1201;
constexpr UINT HDM_DELETEITEM = 0x1202;
constexpr UINT HDM_GETITEMA = 0x1203;
constexpr UINT HDM_SETITEMA = 0x1204;
constexpr UINT HDM_LAYOUT = 0x1205;
constexpr UINT HDM_HITTEST = 0x1206;
constexpr UINT HDM_GETITEMRECT = 0x1207;
constexpr UINT HDM_SETIMAGELIST = 0x1208;
constexpr UINT HDM_GETIMAGELIST = 0x1209;
constexpr UINT HDM_ORDERTOINDEX = 0x120F;
constexpr UINT HDM_GETORDERARRAY = 0x1211;
constexpr UINT HDM_SETORDERARRAY = 0x1212;

constexpr DWORD HDS_HORZ = 0x0000;
constexpr DWORD HDS_BUTTONS = 0x0002;
constexpr DWORD HDS_HOTTRACK = 0x0004;
constexpr DWORD HDS_DRAGDROP = 0x0040;
constexpr DWORD HDS_FULLDRAG = 0x0080;

constexpr UINT HDI_WIDTH = 0x0001;
constexpr UINT HDI_TEXT = 0x0002;
constexpr UINT HDI_FORMAT = 0x0004;
constexpr UINT HDI_LPARAM = 0x0008;
constexpr UINT HDI_BITMAP = 0x0010;
constexpr UINT HDI_IMAGE = 0x0020;
constexpr UINT HDI_ORDER = 0x0080;

constexpr int HDF_LEFT = 0x0000;
constexpr int HDF_RIGHT = 0x0001;
constexpr int HDF_CENTER = 0x0002;
constexpr int HDF_JUSTIFYMASK = 0x0003;
constexpr int HDF_SORTDOWN = 0x0200;
constexpr int HDF_SORTUP = 0x0400;
constexpr int HDF_IMAGE = 0x0800;
constexpr int HDF_BITMAP_ON_RIGHT = 0x1000;
constexpr int HDF_BITMAP = 0x2000;
constexpr int HDF_STRING = 0x4000;
constexpr int HDF_OWNERDRAW = 0x8000;

struct HDITEMA {
  UINT mask = 0;
  int cxy = 0;
  LPSTR pszText = nullptr;
  void* hbm = nullptr;
  int cchTextMax = 0;
  int fmt = 0;
  LPARAM lParam = 0;
  int iImage = 0;
  int iOrder = 0;
};

struct NMHEADERA {
  NMHDR hdr;
  int iItem = -1;
  int iButton = 0;
  HDITEMA* pitem = nullptr;
};

constexpr UINT HHT_NOWHERE = 0x0001;
constexpr UINT HHT_ONHEADER = 0x0002;
constexpr UINT HHT_ONDIVIDER = 0x0004;
constexpr UINT HHT_ONDIVOPEN = 0x0008;
struct HDHITTESTINFO {
  POINT pt;
  UINT flags = 0;
  int iItem = -1;
};

// Comparison handed to LVM_SORTITEMS.
using PFNLVCOMPARE = int (*)(LPARAM, LPARAM, LPARAM);
