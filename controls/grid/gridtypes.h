#pragma once
// The grid's small types: cell addresses and ranges, the cell state bits,
// the notification codes it sends its owner, the scroll codes and the other
// framework constants its behaviour is written in.
#include <compare>

#include "platform/drawtypes.h"
#include "platform/keys.h"

// One cell address; -1 in either part means no cell.
struct CCellID {
  int row = -1;
  int col = -1;
  constexpr CCellID() = default;
  constexpr CCellID(int r, int c) : row(r), col(c) {}
  constexpr bool IsValid() const { return row >= 0 && col >= 0; }
  constexpr bool operator==(const CCellID&) const = default;
};

// Rows and columns from the minima to the maxima, both inclusive.
struct CCellRange {
  int minRow = -1;
  int minCol = -1;
  int maxRow = -1;
  int maxCol = -1;
  constexpr CCellRange() = default;
  constexpr CCellRange(int r0, int c0, int r1, int c1) : minRow(r0), minCol(c0), maxRow(r1), maxCol(c1) {}
  constexpr bool IsValid() const {
    return minRow >= 0 && minCol >= 0 && maxRow >= 0 && maxCol >= 0 && minRow <= maxRow && minCol <= maxCol;
  }
  constexpr bool InRange(int row, int col) const {
    return row >= minRow && row <= maxRow && col >= minCol && col <= maxCol;
  }
  constexpr bool InRange(CCellID cell) const { return InRange(cell.row, cell.col); }
  constexpr CCellID GetTopLeft() const { return {minRow, minCol}; }
  constexpr bool operator==(const CCellRange&) const = default;
};

// Cell state bits.
enum : unsigned {
  GVIS_FOCUSED = 0x01,
  GVIS_SELECTED = 0x02,
  GVIS_DROPHILITED = 0x04,
  GVIS_READONLY = 0x08,
  GVIS_FIXED = 0x10,
  GVIS_FIXEDROW = 0x20,
  GVIS_FIXEDCOL = 0x40,
  GVIS_MODIFIED = 0x80,
};

// "No colour of its own": the default cell's colour is used.
inline constexpr platform::ColorRef CLR_DEFAULT = 0xFF000000;

// Notification codes the grid sends its owner, with row and column.
enum : int {
  NM_CLICK = -2,
  NM_DBLCLK = -3,
  NM_RCLICK = -5,
  LVN_ITEMCHANGING = -100,
  LVN_ITEMCHANGED = -101,
  LVN_BEGINLABELEDIT = -105,
  LVN_ENDLABELEDIT = -106,
  LVN_BEGINDRAG = -109,
};

// The messages that reach the grid's owner.
enum : unsigned {
  WM_NOTIFY = 0x004E,
  WM_COMMAND = 0x0111,
  WM_USER = 0x0400,
  // The grid's content changed for the first time since it was last marked
  // unmodified (sent once).
  WM_GRID_MODIFIED = WM_USER + 1,
};

// What the owner receives: a notification (WM_NOTIFY with code, row and
// column), the modified message or the click command (WM_COMMAND, code 0).
class CGridModel;
struct GridMessage {
  unsigned message = WM_NOTIFY;
  int controlId = 0;
  int code = 0;
  int row = -1;
  int column = -1;
  const CGridModel* grid = nullptr;
};

// Scroll bars and scroll codes.
enum : int { SB_HORZ = 0, SB_VERT = 1, SB_BOTH = 3 };
enum : unsigned {
  SB_LINEUP = 0,
  SB_LINELEFT = 0,
  SB_LINEDOWN = 1,
  SB_LINERIGHT = 1,
  SB_PAGEUP = 2,
  SB_PAGELEFT = 2,
  SB_PAGEDOWN = 3,
  SB_PAGERIGHT = 3,
  SB_THUMBPOSITION = 4,
  SB_THUMBTRACK = 5,
  SB_TOP = 6,
  SB_LEFT = 6,
  SB_BOTTOM = 7,
  SB_RIGHT = 7,
  SB_ENDSCROLL = 8,
};

// Drop effects and the key state of a drag.
enum : unsigned { DROPEFFECT_NONE = 0, DROPEFFECT_COPY = 1, DROPEFFECT_MOVE = 2 };
enum : unsigned { MK_SHIFT = 0x4, MK_CONTROL = 0x8 };

// Alignment styles of the in-place editor.
enum : unsigned { ES_LEFT = 0, ES_CENTER = 1, ES_RIGHT = 2 };

// Marks a first key of an edit that was typed as a character, so that a
// character whose code is also a navigation key's ("%" is VK_LEFT, "(" is
// VK_DOWN) is typed into the editor like any other.
inline constexpr unsigned kTypedKey = 0x80000000u;

// The in-place editor's control id.
inline constexpr int kInPlaceEditId = 8;
