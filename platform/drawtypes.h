#pragma once
// Small value types and constants of the drawing layer, named as the Windows
// device-context calls name them, so that translated drawing code reads as it
// did: Point, Size, Rect, ColorRef with RGB(), Pen, Brush, Font, and the
// PS_*, BS_*, FW_*, TA_*, DT_*, OPAQUE/TRANSPARENT, MM_* and device-caps
// constants.
//
//   dc.SelectPen(Pen{PS_DOT, 0, RGB(255, 0, 0)});     // CreatePen(PS_DOT, 0, ...)
//   dc.SelectBrush(Brush::Hollow());                    // NULL_BRUSH
//   dc.SelectFont(Font{.face = "Arial", .height = 350, .escapement = 1});
//
// Pens, brushes and fonts are plain values: "selecting" copies them into the
// drawing context, nothing has to be deleted, and a guard can hold them.
#include <cstdint>
#include <string>

namespace platform {

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

struct Size {
  int cx = 0;
  int cy = 0;
  bool operator==(const Size&) const = default;
};

// Four edges as RECT has them. On y-up pages top is the larger y; functions
// that take a rectangle accept it either way round unless they say otherwise.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

// A Windows colour value: red in the low byte, then green, then blue.
using ColorRef = std::uint32_t;
constexpr ColorRef RGB(int r, int g, int b) {
  return static_cast<ColorRef>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(ColorRef c) { return static_cast<int>(c & 0xFF); }
constexpr int GetGValue(ColorRef c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int GetBValue(ColorRef c) { return static_cast<int>((c >> 16) & 0xFF); }

// Pen styles. Dashes and dots exist for thin pens only (width 0 or 1: one
// device pixel, the patterns in device pixels as the framework draws them);
// a wider pen draws solid whatever style it has.
enum : int { PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_DASHDOT = 3, PS_DASHDOTDOT = 4, PS_NULL = 5 };

// A pen: style, width in logical units (0 = one device pixel), colour.
// Round caps and joins.
struct Pen {
  int style = PS_SOLID;
  int width = 0;
  ColorRef color = RGB(0, 0, 0);
  static Pen Null() { return Pen{PS_NULL, 0, 0}; }
  bool operator==(const Pen&) const = default;
};

enum : int { BS_SOLID = 0, BS_NULL = 1, BS_HOLLOW = BS_NULL };

// A brush: solid colour or hollow (fills nothing).
struct Brush {
  int style = BS_SOLID;
  ColorRef color = RGB(255, 255, 255);
  static Brush Solid(ColorRef color) { return Brush{BS_SOLID, color}; }
  static Brush Hollow() { return Brush{BS_NULL, 0}; }
  bool operator==(const Brush&) const = default;
};

enum : int { FW_NORMAL = 400, FW_SEMIBOLD = 600, FW_BOLD = 700 };

// A font as the framework describes one.
// height > 0: cell height (ascent + descent) in logical units; height < 0:
// character height (em size); 0: a default size of about 10 points.
// escapement: direction of the base line in tenths of a degree,
// counter-clockwise on the page; it is taken to the nearest whole degree, so
// 1 is horizontal and 2700 or 2701 reads down the page.
// Faces "Arial", "Times New Roman", "Courier New" (and "Courier") draw with
// the metric-compatible Liberation faces; "Symbol" maps its characters to
// Unicode (see fonts.h). No kerning, no ligatures.
struct Font {
  std::string face = "Arial";
  int height = 0;
  int weight = FW_NORMAL;
  bool italic = false;
  bool underline = false;
  bool strike_out = false;
  int escapement = 0;
  bool operator==(const Font&) const = default;
};

// Background modes.
enum : int { TRANSPARENT = 1, OPAQUE = 2 };

// Mapping modes: MM_HIMETRIC (0.01 mm, y up; the default) and MM_TEXT
// (device pixels, y down; for own-drawn controls).
enum : int { MM_TEXT = 1, MM_HIMETRIC = 3 };

// Text alignment of TextOut (combine one of each group with "|").
enum : unsigned {
  TA_NOUPDATECP = 0,
  TA_UPDATECP = 1,
  TA_LEFT = 0,
  TA_RIGHT = 2,
  TA_CENTER = 6,
  TA_TOP = 0,
  TA_BOTTOM = 8,
  TA_BASELINE = 24,
};
constexpr unsigned TA_HORZMASK = TA_LEFT | TA_RIGHT | TA_CENTER;
constexpr unsigned TA_VERTMASK = TA_TOP | TA_BOTTOM | TA_BASELINE;

// Formats of DrawText.
enum : unsigned {
  DT_TOP = 0x0,
  DT_LEFT = 0x0,
  DT_CENTER = 0x1,
  DT_RIGHT = 0x2,
  DT_VCENTER = 0x4,
  DT_BOTTOM = 0x8,
  DT_WORDBREAK = 0x10,
  DT_SINGLELINE = 0x20,
  DT_EXPANDTABS = 0x40,
  DT_NOCLIP = 0x100,
  DT_CALCRECT = 0x400,
  DT_NOPREFIX = 0x800,
  DT_END_ELLIPSIS = 0x8000,
};

// Edges of DrawEdge: the outer and the inner line of a 3-D border, raised
// or sunken, in the system's 3-D colours; EDGE_* are both lines (two pixels).
enum : unsigned {
  BDR_RAISEDOUTER = 0x1,
  BDR_SUNKENOUTER = 0x2,
  BDR_RAISEDINNER = 0x4,
  BDR_SUNKENINNER = 0x8,
  EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER,
  EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
  EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER,
  EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER,
};
// Sides of DrawEdge; BF_MIDDLE fills the inside with the face colour,
// BF_ADJUST shrinks the rectangle by the border drawn.
enum : unsigned {
  BF_LEFT = 0x1,
  BF_TOP = 0x2,
  BF_RIGHT = 0x4,
  BF_BOTTOM = 0x8,
  BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM,
  BF_MIDDLE = 0x800,
  BF_ADJUST = 0x2000,
};

// What GetClipBox finds.
enum : int { REGION_ERROR = 0, NULLREGION = 1, SIMPLEREGION = 2 };

// Indexes of GetDeviceCaps.
enum : int {
  HORZSIZE = 4,          // printable width, whole millimetres (truncated)
  VERTSIZE = 6,          // printable height, whole millimetres (truncated)
  HORZRES = 8,           // printable width, device pixels
  VERTRES = 10,          // printable height, device pixels
  LOGPIXELSX = 88,       // device pixels per inch
  LOGPIXELSY = 90,
  PHYSICALWIDTH = 110,   // paper width, device pixels
  PHYSICALHEIGHT = 111,
  PHYSICALOFFSETX = 112, // printable area from the paper edge, device pixels
  PHYSICALOFFSETY = 113,
};

}  // namespace platform
