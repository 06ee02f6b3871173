#pragma once
// DrawContext: the device context of the drawing code (charts, report pages,
// own-drawn controls), over a QPainter on any paint device (widget, QImage,
// QPdfWriter, QPrinter).
//
// Units: MM_HIMETRIC (the default) is 0.01 mm with y growing upwards, so a
// page's content lies at negative y below its top-left origin; MM_TEXT is
// device pixels with y growing downwards. SetWindowOrg moves the logical
// point that lands on the device origin. Text and bitmaps are never mirrored.
//
//   QPainter painter(&pdfWriter);
//   platform::DrawContext dc(painter);           // metrics from the device
//   dc.SelectPen(Pen{PS_SOLID, 10, RGB(0, 0, 0)});
//   dc.MoveTo(0, 0); dc.LineTo(5000, -2000);
//   Font old = dc.SelectFont(Font{.face = "Courier New", .height = 330, .escapement = 1});
//   dc.SetTextAlign(TA_RIGHT | TA_BASELINE);
//   dc.TextOut(18000, -500, "Seite 1 von 2");
//   dc.SelectFont(old);
//
// State (pen, brush, font, text and background colour, background mode, text
// alignment, current position, window origin, map mode) belongs to the
// DrawContext, not to the painter. DrawStateGuard saves a stated part of it
// and puts it back when it goes out of scope (or on Restore()).
//
// Text: TextOut places the point by the alignment in the text's own rotated
// frame (left/centre/right along the base line, top/baseline/bottom across
// it). With TA_UPDATECP the text starts at the current position and moves it
// along the base line (left: to the end; right: to the start; centre: stays),
// and the x, y arguments are ignored. An opaque background fills the text's
// cell (advance x cell height) with the background colour. DrawText lays
// text out in a rectangle by DT_* flags, horizontally, regardless of the text
// alignment and the current position; it returns the height of the text.
//
// Bitmaps: DrawBitmap stretches a QImage into a logical rectangle, upright.
//
// The DrawContext saves the painter state on construction and restores it on
// destruction; render hints (antialiasing) are left as the caller set them.
#include <QImage>
#include <QPainter>
#include <QTransform>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/drawtypes.h"

class QPaintDevice;

namespace platform {

struct ResolvedFont;

// Geometry of the device: resolution, printable area and paper, all in device
// pixels. The painter's origin is the top-left corner of the printable area.
struct DeviceInfo {
  double dpi_x = 96;
  double dpi_y = 96;
  int printable_width = 0;   // HORZRES
  int printable_height = 0;  // VERTRES
  int physical_width = 0;    // PHYSICALWIDTH
  int physical_height = 0;   // PHYSICALHEIGHT
  int offset_x = 0;          // PHYSICALOFFSETX
  int offset_y = 0;          // PHYSICALOFFSETY

  // Printers and PDF writers report their page layout (paper and printable
  // area); other devices are all printable.
  static DeviceInfo Of(const QPaintDevice& device);
};

// Everything a DrawStateGuard can save, combined with "|".
enum : unsigned {
  kStateTextColor = 0x01,
  kStateBkColor = 0x02,
  kStateBkMode = 0x04,
  kStateTextAlign = 0x08,
  kStatePen = 0x10,
  kStateBrush = 0x20,
  kStateFont = 0x40,
  // Text colour, background mode, alignment, pen and brush, with the font
  // or without it (the two savers of the charts and report pages).
  kStateWithFont = kStateTextColor | kStateBkMode | kStateTextAlign | kStatePen | kStateBrush | kStateFont,
  kStateWithoutFont = kStateTextColor | kStateBkMode | kStateTextAlign | kStatePen | kStateBrush,
  kStateAll = 0x7F,
};

struct TextMetrics {
  int height = 0;  // cell height
  int ascent = 0;
  int descent = 0;
  int ave_char_width = 0;
};

class DrawContext {
 public:
  // The device's metrics are taken from painter.device().
  explicit DrawContext(QPainter& painter);
  DrawContext(QPainter& painter, const DeviceInfo& device);
  ~DrawContext();
  DrawContext(const DrawContext&) = delete;
  DrawContext& operator=(const DrawContext&) = delete;

  QPainter& painter() { return painter_; }
  const DeviceInfo& device() const { return device_; }

  // --- mapping ---
  int SetMapMode(int mode);  // MM_HIMETRIC or MM_TEXT; gives the previous one
  int GetMapMode() const { return map_mode_; }
  Point SetWindowOrg(int x, int y);  // gives the previous origin
  Point GetWindowOrg() const { return window_org_; }
  Point OffsetWindowOrg(int dx, int dy);
  int GetDeviceCaps(int index) const;
  Point LPtoDP(Point logical) const;  // device pixels from the printable origin
  Point DPtoLP(Point device) const;
  double DeviceToLogicalX(double device_pixels) const;  // lengths
  double DeviceToLogicalY(double device_pixels) const;
  double PixelSize() const;  // one device pixel in logical units (x)

  // --- state ---
  Pen SelectPen(const Pen& pen);  // each gives the one selected before
  Brush SelectBrush(const Brush& brush);
  Font SelectFont(const Font& font);
  const Pen& GetPen() const { return state_.pen; }
  const Brush& GetBrush() const { return state_.brush; }
  const Font& GetFont() const { return state_.font; }
  ColorRef SetTextColor(ColorRef color);
  ColorRef GetTextColor() const { return state_.text_color; }
  ColorRef SetBkColor(ColorRef color);
  ColorRef GetBkColor() const { return state_.bk_color; }
  int SetBkMode(int mode);  // OPAQUE or TRANSPARENT
  int GetBkMode() const { return state_.bk_mode; }
  unsigned SetTextAlign(unsigned align);
  unsigned GetTextAlign() const { return state_.text_align; }

  // --- lines and shapes (outlined with the pen, filled with the brush) ---
  Point MoveTo(int x, int y);  // gives the previous current position
  Point MoveTo(Point p) { return MoveTo(p.x, p.y); }
  void LineTo(int x, int y);
  void LineTo(Point p) { LineTo(p.x, p.y); }
  Point GetCurrentPosition() const { return current_; }
  void Polyline(std::span<const Point> points);
  void Polyline(const Point* points, int count) { Polyline(std::span<const Point>(points, count)); }
  void Polygon(std::span<const Point> points);  // closed, alternate fill
  void Polygon(const Point* points, int count) { Polygon(std::span<const Point>(points, count)); }
  void Rectangle(int left, int top, int right, int bottom);
  void Rectangle(const Rect& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
  void Ellipse(int left, int top, int right, int bottom);
  void Ellipse(const Rect& r) { Ellipse(r.left, r.top, r.right, r.bottom); }
  void FillRect(const Rect& r, const Brush& brush);  // no outline
  void FillSolidRect(const Rect& r, ColorRef color);
  void FrameRect(const Rect& r, const Brush& brush);  // one device pixel wide, inside
  // Top and left edge in one colour, right and bottom in the other, one pixel.
  void Draw3dRect(const Rect& r, ColorRef top_left, ColorRef bottom_right);
  // A 3-D border of one or two device pixels inside the rectangle, on the
  // sides named (BF_*), in the system's 3-D colours (sysmetrics.h): raised
  // light at the top and left, sunken dark there. BF_ADJUST leaves the
  // rectangle inside the border drawn.
  void DrawEdge(Rect& r, unsigned edge, unsigned flags);

  // The smallest rectangle around what may be drawn now: the painter's
  // clip, else the whole device, in logical units. REGION_ERROR without an
  // active painter, NULLREGION when nothing can be drawn.
  int GetClipBox(Rect* box) const;

  // --- text ---
  void TextOut(int x, int y, std::string_view text);
  Size GetTextExtent(std::string_view text) const;  // advance, cell height
  TextMetrics GetTextMetrics() const;
  // Lays the text out in the rectangle (DT_* flags); gives its height. With
  // DT_CALCRECT nothing is drawn and the rectangle is set to the text's size.
  int DrawText(std::string_view text, Rect& rect, unsigned format);
  int DrawText(std::string_view text, const Rect& rect, unsigned format) {
    Rect r = rect;
    return DrawText(text, r, format);
  }

  // --- bitmaps ---
  // Stretches the image (or its source part, in image pixels) into the
  // logical rectangle, upright whatever the order of top and bottom.
  void DrawBitmap(const QImage& image, const Rect& dest);
  void DrawBitmap(const QImage& image, const Rect& dest, const QRect& source);

 private:
  friend class DrawStateGuard;
  struct State {
    Pen pen;
    Brush brush = Brush::Solid(RGB(255, 255, 255));
    Font font;
    ColorRef text_color = RGB(0, 0, 0);
    ColorRef bk_color = RGB(255, 255, 255);
    int bk_mode = OPAQUE;
    unsigned text_align = TA_LEFT | TA_TOP | TA_NOUPDATECP;
  };

  void UpdateMapping();
  double DownSign() const { return map_mode_ == MM_HIMETRIC ? -1.0 : 1.0; }
  QPointF Map(double x, double y) const;  // logical -> painter device space
  void UseGeometry(bool pen, bool brush);
  void UseText(QPointF anchor_device, int escapement_tenths);
  const ResolvedFont& Resolved() const;
  double DefaultEm() const;
  // One run of text with its base line starting at local (x, y) after
  // UseText; fills the cell when opaque.
  void DrawRun(const QString& text, double x, double y, double width);

  QPainter& painter_;
  DeviceInfo device_;
  QTransform base_;
  QTransform geometry_;  // logical -> painter coordinates
  double scale_x_ = 1;   // logical -> device pixels
  double scale_y_ = 1;
  int map_mode_ = MM_HIMETRIC;
  Point window_org_;
  Point current_;
  State state_;
  mutable const ResolvedFont* resolved_ = nullptr;
  bool geometry_active_ = false;
  bool pen_dirty_ = true;
  bool brush_dirty_ = true;
};

// Saves the stated parts of a DrawContext's state (kState* flags) and puts
// them back on Restore() or destruction. bk_mode >= 0 sets that background
// mode after saving the current one.
class DrawStateGuard {
 public:
  static constexpr int kKeepBkMode = -1;
  DrawStateGuard(DrawContext& dc, unsigned what, int bk_mode = kKeepBkMode);
  ~DrawStateGuard() { Restore(); }
  DrawStateGuard(const DrawStateGuard&) = delete;
  DrawStateGuard& operator=(const DrawStateGuard&) = delete;
  void Restore();

 private:
  DrawContext& dc_;
  unsigned what_;
  DrawContext::State saved_;
};

}  // namespace platform
