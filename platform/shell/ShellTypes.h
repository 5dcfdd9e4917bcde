// The vocabulary of the shell namespace: result codes, attribute bits, flag
// values, names in the three STRRET forms and column records. The numbers
// are those of the desktop shell that the viewer's browser was written for,
// so that product code reads as it would there; the types themselves are
// plain C++ (no size fields, no ABI records).
#pragma once

#include <cstdint>
#include <string>

class QWidget;

namespace lum::shell {

using HRESULT = int32_t;
using DWORD = uint32_t;
using UINT = uint32_t;
using ULONG = uint32_t;
using SFGAOF = uint32_t;  ///< item attribute bits (SFGAO_*)
using SHGDNF = uint32_t;  ///< display-name flags (SHGDN_*)
using SHCONTF = uint32_t; ///< enumeration flags (SHCONTF_*)
using LPARAM = intptr_t;
using WPARAM = uintptr_t;

/// A window handle: the widget on whose behalf the shell acts (may be null).
using HWND = QWidget*;

// Result codes. Success has the top bit clear.
constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002);
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000E);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057);

inline bool Succeeded(HRESULT result) { return result >= 0; }
inline bool Failed(HRESULT result) { return result < 0; }

/// A failure of the operating system: its errno in the low 16 bits under
/// the system facility (7), as the desktop shell reports its system errors.
inline HRESULT HResultFromErrno(int systemError) {
  return static_cast<HRESULT>(0x80070000u | (static_cast<uint32_t>(systemError) & 0xFFFFu));
}
/// The errno of a result made by HResultFromErrno; 0 for any other result.
inline int ErrnoFromHResult(HRESULT result) {
  return (static_cast<uint32_t>(result) & 0xFFFF0000u) == 0x80070000u ? static_cast<int>(result & 0xFFFF) : 0;
}
/// A success code that carries a signed 16-bit number (CompareIDs' answer).
inline HRESULT ResultFromShort(int value) { return static_cast<HRESULT>(static_cast<uint16_t>(value)); }
/// The signed 16-bit number in the low half of a result.
inline int ShortFromResult(HRESULT result) { return static_cast<int16_t>(static_cast<uint16_t>(result & 0xFFFF)); }

// Item attributes (GetAttributesOf).
constexpr SFGAOF SFGAO_CANCOPY = 0x1;
constexpr SFGAOF SFGAO_CANMOVE = 0x2;
constexpr SFGAOF SFGAO_CANLINK = 0x4;
constexpr SFGAOF SFGAO_CANRENAME = 0x10;
constexpr SFGAOF SFGAO_CANDELETE = 0x20;
constexpr SFGAOF SFGAO_HASPROPSHEET = 0x40;
constexpr SFGAOF SFGAO_DROPTARGET = 0x100;
constexpr SFGAOF SFGAO_CAPABILITYMASK = 0x177;
constexpr SFGAOF SFGAO_LINK = 0x10000;
constexpr SFGAOF SFGAO_SHARE = 0x20000;
constexpr SFGAOF SFGAO_READONLY = 0x40000;
constexpr SFGAOF SFGAO_HIDDEN = 0x80000;
constexpr SFGAOF SFGAO_VALIDATE = 0x1000000;
constexpr SFGAOF SFGAO_REMOVABLE = 0x2000000;
constexpr SFGAOF SFGAO_FILESYSANCESTOR = 0x10000000;
constexpr SFGAOF SFGAO_FOLDER = 0x20000000;
constexpr SFGAOF SFGAO_FILESYSTEM = 0x40000000;
constexpr SFGAOF SFGAO_HASSUBFOLDER = 0x80000000;

// Enumeration (EnumObjects).
constexpr SHCONTF SHCONTF_FOLDERS = 0x20;
constexpr SHCONTF SHCONTF_NONFOLDERS = 0x40;
constexpr SHCONTF SHCONTF_INCLUDEHIDDEN = 0x80;

// Display names (GetDisplayNameOf, SetNameOf).
constexpr SHGDNF SHGDN_NORMAL = 0;
constexpr SHGDNF SHGDN_INFOLDER = 0x1;
constexpr SHGDNF SHGDN_FORPARSING = 0x8000;

// CompareIDs: the column is in the low 16 bits of lParam.
constexpr LPARAM SHCIDS_COLUMNMASK = 0xFFFF;

// Column state (GetDefaultColumnState).
using SHCOLSTATEF = DWORD;
constexpr SHCOLSTATEF SHCOLSTATE_TYPE_STR = 0x1;
constexpr SHCOLSTATEF SHCOLSTATE_TYPE_INT = 0x2;
constexpr SHCOLSTATEF SHCOLSTATE_TYPE_DATE = 0x3;
constexpr SHCOLSTATEF SHCOLSTATE_ONBYDEFAULT = 0x10;

// Column alignment (SHELLDETAILS::fmt).
constexpr int LVCFMT_LEFT = 0;
constexpr int LVCFMT_RIGHT = 1;
constexpr int LVCFMT_CENTER = 2;

// Show commands, passed on to the launcher (which cannot honour them here).
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOW = 5;

// STRRET forms.
constexpr UINT STRRET_WSTR = 0;
constexpr UINT STRRET_OFFSET = 1;
constexpr UINT STRRET_CSTR = 2;

/// A name handed out by the shell in one of three forms. A default record is
/// the zero-filled one: form WSTR with no text.
struct STRRET {
  UINT uType = STRRET_WSTR;
  std::wstring pOleStr;  ///< STRRET_WSTR: wide text (see WideText.h)
  UINT uOffset = 0;      ///< STRRET_OFFSET: byte offset into the first ID of the list asked about
  std::string cStr;      ///< STRRET_CSTR: bytes, up to the first zero
};

/// One column heading or one item's text in a column.
struct SHELLDETAILS {
  int fmt = LVCFMT_LEFT;
  int cxChar = 0;  ///< width in widths of an average character
  STRRET str;
};

/// Interface identifiers.
struct GUID {
  uint32_t data1;
  uint16_t data2;
  uint16_t data3;
  uint8_t data4[8];
};
using IID = GUID;
using REFIID = const IID&;

inline bool operator==(const GUID& a, const GUID& b) {
  if (a.data1 != b.data1 || a.data2 != b.data2 || a.data3 != b.data3) return false;
  for (int i = 0; i < 8; ++i)
    if (a.data4[i] != b.data4[i]) return false;
  return true;
}
inline bool operator!=(const GUID& a, const GUID& b) { return !(a == b); }

inline constexpr IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IMalloc = {0x00000002, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IShellFolder = {0x000214E6, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IShellFolder2 = {0x93F2F68C, 0x1D1B, 0x11D3, {0xA3, 0x0E, 0x00, 0xC0, 0x4F, 0x79, 0xAB, 0xD1}};
inline constexpr IID IID_IShellDetails = {0x000214EC, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IEnumIDList = {0x000214F2, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IContextMenu = {0x000214E4, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IContextMenu2 = {0x000214F4, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

}  // namespace lum::shell
