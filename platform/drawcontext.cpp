#include "platform/drawcontext.h"

#include <QPagedPaintDevice>
#include <QPageLayout>
#include <QPainterPath>
#include <QPolygonF>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "platform/fonts.h"
#include "platform/sysmetrics.h"

namespace platform {
namespace {

constexpr double kHiMetricPerInch = 2540.0;

QColor ToQColor(ColorRef c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

// Whole degrees of an escapement, so that 1 and 2701 are exactly horizontal
// and downward.
int EscapementDegrees(int tenths) {
  int degrees = static_cast<int>(std::lround(tenths / 10.0)) % 360;
  return degrees < 0 ? degrees + 360 : degrees;
}

// The dashes of a thin pen, in device pixels, as the framework draws them.
QList<qreal> CosmeticDashes(int style) {
  switch (style) {
    case PS_DASH: return {18, 6};
    case PS_DOT: return {3, 3};
    case PS_DASHDOT: return {9, 6, 3, 6};
    case PS_DASHDOTDOT: return {9, 3, 3, 3, 3, 3};
    default: return {};
  }
}

QString StripPrefixes(const QString& s) {
  QString out;
  out.reserve(s.size());
  for (qsizetype i = 0; i < s.size(); ++i) {
    if (s[i] == u'&') {
      if (i + 1 < s.size() && s[i + 1] == u'&') out.append(u'&');
      ++i;
      if (i < s.size() && s[i] != u'&') out.append(s[i]);
      continue;
    }
    out.append(s[i]);
  }
  return out;
}

QString ExpandTabs(const QString& s) {
  QString out;
  int column = 0;
  for (QChar c : s) {
    if (c == u'\t') {
      do {
        out.append(u' ');
        ++column;
      } while (column % 8 != 0);
    } else {
      out.append(c);
      column = (c == u'\n') ? 0 : column + 1;
    }
  }
  return out;
}

}  // namespace

// ---------------------------------------------------------------- DeviceInfo

DeviceInfo DeviceInfo::Of(const QPaintDevice& device) {
  DeviceInfo info;
  QRectF paint;
  QRectF full;
  if (const auto* printer = dynamic_cast<const QPrinter*>(&device)) {
    info.dpi_x = info.dpi_y = printer->resolution();
    paint = printer->pageRect(QPrinter::DevicePixel);
    full = printer->paperRect(QPrinter::DevicePixel);
  } else if (const auto* paged = dynamic_cast<const QPagedPaintDevice*>(&device)) {
    const int resolution = device.logicalDpiX();
    info.dpi_x = info.dpi_y = resolution;
    const QPageLayout layout = paged->pageLayout();
    paint = layout.paintRectPixels(resolution);
    full = layout.fullRectPixels(resolution);
  } else {
    info.dpi_x = device.logicalDpiX();
    info.dpi_y = device.logicalDpiY();
    paint = full = QRectF(0, 0, device.width(), device.height());
  }
  info.printable_width = static_cast<int>(std::lround(paint.width()));
  info.printable_height = static_cast<int>(std::lround(paint.height()));
  info.physical_width = static_cast<int>(std::lround(full.width()));
  info.physical_height = static_cast<int>(std::lround(full.height()));
  info.offset_x = static_cast<int>(std::lround(paint.left() - full.left()));
  info.offset_y = static_cast<int>(std::lround(paint.top() - full.top()));
  if (info.dpi_x <= 0) info.dpi_x = 96;
  if (info.dpi_y <= 0) info.dpi_y = 96;
  return info;
}

// --------------------------------------------------------------- DrawContext

DrawContext::DrawContext(QPainter& painter) : DrawContext(painter, DeviceInfo::Of(*painter.device())) {}

DrawContext::DrawContext(QPainter& painter, const DeviceInfo& device) : painter_(painter), device_(device) {
  painter_.save();
  base_ = painter_.worldTransform();
  UpdateMapping();
}

DrawContext::~DrawContext() {
  if (painter_.isActive()) painter_.restore();
}

void DrawContext::UpdateMapping() {
  if (map_mode_ == MM_HIMETRIC) {
    scale_x_ = device_.dpi_x / kHiMetricPerInch;
    scale_y_ = device_.dpi_y / kHiMetricPerInch;
  } else {
    scale_x_ = scale_y_ = 1.0;
  }
  const double ky = scale_y_ * DownSign();
  geometry_ = QTransform(scale_x_, 0, 0, ky, -window_org_.x * scale_x_, -window_org_.y * ky);
  geometry_active_ = false;
  pen_dirty_ = true;  // a thin pen's choice depends on the scale
  resolved_ = nullptr;
}

int DrawContext::SetMapMode(int mode) {
  int previous = map_mode_;
  map_mode_ = (mode == MM_TEXT) ? MM_TEXT : MM_HIMETRIC;
  UpdateMapping();
  return previous;
}

Point DrawContext::SetWindowOrg(int x, int y) {
  Point previous = window_org_;
  window_org_ = {x, y};
  UpdateMapping();
  return previous;
}

Point DrawContext::OffsetWindowOrg(int dx, int dy) {
  return SetWindowOrg(window_org_.x + dx, window_org_.y + dy);
}

int DrawContext::GetDeviceCaps(int index) const {
  switch (index) {
    case HORZSIZE: return static_cast<int>(device_.printable_width * 25.4 / device_.dpi_x);
    case VERTSIZE: return static_cast<int>(device_.printable_height * 25.4 / device_.dpi_y);
    case HORZRES: return device_.printable_width;
    case VERTRES: return device_.printable_height;
    case LOGPIXELSX: return static_cast<int>(std::lround(device_.dpi_x));
    case LOGPIXELSY: return static_cast<int>(std::lround(device_.dpi_y));
    case PHYSICALWIDTH: return device_.physical_width;
    case PHYSICALHEIGHT: return device_.physical_height;
    case PHYSICALOFFSETX: return device_.offset_x;
    case PHYSICALOFFSETY: return device_.offset_y;
    default: return 0;
  }
}

QPointF DrawContext::Map(double x, double y) const { return geometry_.map(QPointF(x, y)); }

Point DrawContext::LPtoDP(Point logical) const {
  QPointF p = Map(logical.x, logical.y);
  return {static_cast<int>(std::lround(p.x())), static_cast<int>(std::lround(p.y()))};
}

Point DrawContext::DPtoLP(Point device) const {
  QPointF p = geometry_.inverted().map(QPointF(device.x, device.y));
  return {static_cast<int>(std::lround(p.x())), static_cast<int>(std::lround(p.y()))};
}

double DrawContext::DeviceToLogicalX(double device_pixels) const { return device_pixels / scale_x_; }
double DrawContext::DeviceToLogicalY(double device_pixels) const { return device_pixels / scale_y_; }
double DrawContext::PixelSize() const { return 1.0 / scale_x_; }

// --- state

Pen DrawContext::SelectPen(const Pen& pen) {
  Pen previous = state_.pen;
  state_.pen = pen;
  pen_dirty_ = true;
  return previous;
}

Brush DrawContext::SelectBrush(const Brush& brush) {
  Brush previous = state_.brush;
  state_.brush = brush;
  brush_dirty_ = true;
  return previous;
}

Font DrawContext::SelectFont(const Font& font) {
  Font previous = state_.font;
  state_.font = font;
  resolved_ = nullptr;
  return previous;
}

ColorRef DrawContext::SetTextColor(ColorRef color) { return std::exchange(state_.text_color, color); }
ColorRef DrawContext::SetBkColor(ColorRef color) { return std::exchange(state_.bk_color, color); }
int DrawContext::SetBkMode(int mode) { return std::exchange(state_.bk_mode, mode == TRANSPARENT ? TRANSPARENT : OPAQUE); }
unsigned DrawContext::SetTextAlign(unsigned align) { return std::exchange(state_.text_align, align); }

// --- geometry

void DrawContext::UseGeometry(bool pen, bool brush) {
  if (!geometry_active_) {
    painter_.setWorldTransform(geometry_ * base_);
    geometry_active_ = true;
  }
  if (pen && pen_dirty_) {
    const Pen& p = state_.pen;
    if (p.style == PS_NULL) {
      painter_.setPen(Qt::NoPen);
    } else if (p.width * scale_x_ < 1.0 || p.width <= 1) {
      // Thin: one device pixel, with the framework's dashes.
      QPen q(ToQColor(p.color), 0);
      q.setCosmetic(true);
      q.setCapStyle(Qt::FlatCap);
      q.setJoinStyle(Qt::RoundJoin);
      QList<qreal> dashes = CosmeticDashes(p.style);
      if (!dashes.isEmpty()) q.setDashPattern(dashes);
      painter_.setPen(q);
    } else {
      painter_.setPen(QPen(ToQColor(p.color), p.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
    pen_dirty_ = false;
  }
  if (brush && brush_dirty_) {
    if (state_.brush.style == BS_NULL)
      painter_.setBrush(Qt::NoBrush);
    else
      painter_.setBrush(ToQColor(state_.brush.color));
    brush_dirty_ = false;
  }
  if (!pen) {
    painter_.setPen(Qt::NoPen);
    pen_dirty_ = true;
  }
  if (!brush) {
    painter_.setBrush(Qt::NoBrush);
    brush_dirty_ = true;
  }
}

Point DrawContext::MoveTo(int x, int y) { return std::exchange(current_, Point{x, y}); }

void DrawContext::LineTo(int x, int y) {
  UseGeometry(true, false);
  painter_.drawLine(QPointF(current_.x, current_.y), QPointF(x, y));
  current_ = {x, y};
}

namespace {
QPolygonF ToPolygon(std::span<const Point> points) {
  QPolygonF poly;
  poly.reserve(static_cast<qsizetype>(points.size()));
  for (const Point& p : points) poly.append(QPointF(p.x, p.y));
  return poly;
}
}  // namespace

void DrawContext::Polyline(std::span<const Point> points) {
  if (points.size() < 2) return;
  UseGeometry(true, false);
  painter_.drawPolyline(ToPolygon(points));
}

void DrawContext::Polygon(std::span<const Point> points) {
  if (points.size() < 2) return;
  UseGeometry(true, true);
  painter_.drawPolygon(ToPolygon(points), Qt::OddEvenFill);
}

namespace {
// The framework leaves out the right and bottom edge of shapes in pixel units.
QRectF ShapeRect(int left, int top, int right, int bottom, bool pixels) {
  QRectF r = QRectF(QPointF(left, top), QPointF(right, bottom)).normalized();
  if (pixels && r.width() >= 1 && r.height() >= 1) r.adjust(0, 0, -1, -1);
  return r;
}
}  // namespace

void DrawContext::Rectangle(int left, int top, int right, int bottom) {
  UseGeometry(true, true);
  painter_.drawRect(ShapeRect(left, top, right, bottom, map_mode_ == MM_TEXT));
}

void DrawContext::Ellipse(int left, int top, int right, int bottom) {
  UseGeometry(true, true);
  painter_.drawEllipse(ShapeRect(left, top, right, bottom, map_mode_ == MM_TEXT));
}

void DrawContext::FillRect(const Rect& r, const Brush& brush) {
  if (brush.style == BS_NULL) return;
  UseGeometry(false, false);
  painter_.fillRect(QRectF(QPointF(r.left, r.top), QPointF(r.right, r.bottom)).normalized(), ToQColor(brush.color));
}

void DrawContext::FillSolidRect(const Rect& r, ColorRef color) { FillRect(r, Brush::Solid(color)); }

void DrawContext::FrameRect(const Rect& r, const Brush& brush) {
  if (brush.style == BS_NULL) return;
  Draw3dRect(r, brush.color, brush.color);
}

void DrawContext::Draw3dRect(const Rect& r, ColorRef top_left, ColorRef bottom_right) {
  // Strips one device pixel wide on the inside of the rectangle.
  QRectF d = QRectF(Map(r.left, r.top), Map(r.right, r.bottom)).normalized();
  painter_.setWorldTransform(base_);
  geometry_active_ = false;
  const double w = d.width(), h = d.height();
  painter_.fillRect(QRectF(d.left(), d.top(), w - 1, 1), ToQColor(top_left));
  painter_.fillRect(QRectF(d.left(), d.top(), 1, h - 1), ToQColor(top_left));
  painter_.fillRect(QRectF(d.right() - 1, d.top(), 1, h), ToQColor(bottom_right));
  painter_.fillRect(QRectF(d.left(), d.bottom() - 1, w, 1), ToQColor(bottom_right));
}

namespace {
struct EdgeLine {
  unsigned bit;
  int top_left;  // system colour indexes
  int bottom_right;
};
// The outer and the inner line of each edge kind.
constexpr EdgeLine kOuterLines[] = {{BDR_RAISEDOUTER, COLOR_3DLIGHT, COLOR_3DDKSHADOW},
                                    {BDR_SUNKENOUTER, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT}};
constexpr EdgeLine kInnerLines[] = {{BDR_RAISEDINNER, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW},
                                    {BDR_SUNKENINNER, COLOR_3DDKSHADOW, COLOR_3DLIGHT}};
}  // namespace

void DrawContext::DrawEdge(Rect& r, unsigned edge, unsigned flags) {
  QRectF d = QRectF(Map(r.left, r.top), Map(r.right, r.bottom)).normalized();
  painter_.setWorldTransform(base_);
  geometry_active_ = false;
  auto line = [&](const EdgeLine* lines) {
    for (int i = 0; i < 2; ++i) {
      if (!(edge & lines[i].bit)) continue;
      const double w = d.width(), h = d.height();
      if (w <= 0 || h <= 0) return false;
      // As Draw3dRect: the bottom-right colour owns the two far corners.
      const QColor tl = ToQColor(GetSysColor(lines[i].top_left));
      const QColor br = ToQColor(GetSysColor(lines[i].bottom_right));
      if (flags & BF_TOP) painter_.fillRect(QRectF(d.left(), d.top(), w - 1, 1), tl);
      if (flags & BF_LEFT) painter_.fillRect(QRectF(d.left(), d.top(), 1, h - 1), tl);
      if (flags & BF_RIGHT) painter_.fillRect(QRectF(d.right() - 1, d.top(), 1, h), br);
      if (flags & BF_BOTTOM) painter_.fillRect(QRectF(d.left(), d.bottom() - 1, w, 1), br);
      return true;
    }
    return false;
  };
  int left = 0, top = 0, right = 0, bottom = 0;  // device pixels taken per side
  for (const EdgeLine* lines : {kOuterLines, kInnerLines}) {
    if (!line(lines)) continue;
    const double l = (flags & BF_LEFT) ? 1 : 0, t = (flags & BF_TOP) ? 1 : 0;
    const double rr = (flags & BF_RIGHT) ? 1 : 0, b = (flags & BF_BOTTOM) ? 1 : 0;
    d.adjust(l, t, -rr, -b);
    left += static_cast<int>(l);
    top += static_cast<int>(t);
    right += static_cast<int>(rr);
    bottom += static_cast<int>(b);
  }
  if ((flags & BF_MIDDLE) && d.width() > 0 && d.height() > 0)
    painter_.fillRect(d, ToQColor(GetSysColor(COLOR_3DFACE)));
  if (flags & BF_ADJUST) {
    // Back to logical units; left and top are the smaller x and y on screen.
    const QRectF logical = geometry_.inverted().mapRect(d);
    const bool x_up = r.left <= r.right;
    const bool y_down = (map_mode_ == MM_TEXT) == (r.top <= r.bottom);
    const int x0 = static_cast<int>(std::lround(logical.left()));
    const int x1 = static_cast<int>(std::lround(logical.right()));
    const int y0 = static_cast<int>(std::lround(map_mode_ == MM_TEXT ? logical.top() : logical.bottom()));
    const int y1 = static_cast<int>(std::lround(map_mode_ == MM_TEXT ? logical.bottom() : logical.top()));
    r.left = x_up ? x0 : x1;
    r.right = x_up ? x1 : x0;
    r.top = y_down ? y0 : y1;
    r.bottom = y_down ? y1 : y0;
  }
}

int DrawContext::GetClipBox(Rect* box) const {
  if (!painter_.isActive() || !painter_.device()) return REGION_ERROR;
  // Device pixels of the painter's base space.
  QRectF device(0, 0, painter_.device()->width(), painter_.device()->height());
  device = base_.inverted().mapRect(device);
  if (painter_.hasClipping()) {
    const QRectF clip = painter_.worldTransform().mapRect(painter_.clipBoundingRect());
    device = device.intersected(base_.inverted().mapRect(clip));
  }
  if (device.isEmpty()) {
    if (box) *box = Rect{};
    return NULLREGION;
  }
  const QRectF logical = geometry_.inverted().mapRect(device);
  if (box) {
    const int left = static_cast<int>(std::floor(logical.left()));
    const int right = static_cast<int>(std::ceil(logical.right()));
    if (map_mode_ == MM_TEXT)
      *box = Rect{left, static_cast<int>(std::floor(logical.top())), right, static_cast<int>(std::ceil(logical.bottom()))};
    else
      *box = Rect{left, static_cast<int>(std::ceil(logical.bottom())), right, static_cast<int>(std::floor(logical.top()))};
  }
  return SIMPLEREGION;
}

// --- text

double DrawContext::DefaultEm() const {
  return map_mode_ == MM_HIMETRIC ? 10.0 / 72.0 * kHiMetricPerInch : 10.0 / 72.0 * device_.dpi_y;
}

const ResolvedFont& DrawContext::Resolved() const {
  if (!resolved_) resolved_ = &ResolveFont(state_.font, DefaultEm());
  return *resolved_;
}

void DrawContext::UseText(QPointF anchor_device, int escapement_tenths) {
  QTransform t;
  t.translate(anchor_device.x(), anchor_device.y());
  t.rotate(-EscapementDegrees(escapement_tenths));
  t.scale(scale_x_, scale_y_);
  painter_.setWorldTransform(t * base_);
  geometry_active_ = false;
  painter_.setFont(Resolved().font);
  painter_.setPen(ToQColor(state_.text_color));
  pen_dirty_ = true;
}

void DrawContext::DrawRun(const QString& text, double x, double y, double width) {
  const ResolvedFont& rf = Resolved();
  if (state_.bk_mode == OPAQUE)
    painter_.fillRect(QRectF(x, y - rf.ascent, width, rf.ascent + rf.descent), ToQColor(state_.bk_color));
  painter_.drawText(QPointF(x, y), text);
}

void DrawContext::TextOut(int x, int y, std::string_view text) {
  const ResolvedFont& rf = Resolved();
  const QString s = rf.Text(text);
  const double width = rf.metrics.horizontalAdvance(s);
  const unsigned align = state_.text_align;
  const bool update_cp = (align & TA_UPDATECP) != 0;
  const Point anchor = update_cp ? current_ : Point{x, y};

  double dx = 0;
  const unsigned horizontal = align & TA_HORZMASK;
  if (horizontal == TA_CENTER) dx = -width / 2;
  else if (horizontal == TA_RIGHT) dx = -width;
  double baseline = 0;  // local y grows down the text's cell
  const unsigned vertical = align & TA_VERTMASK;
  if (vertical == TA_BASELINE) baseline = 0;
  else if (vertical == TA_BOTTOM) baseline = -rf.descent;
  else baseline = rf.ascent;

  if (!s.isEmpty()) {
    UseText(Map(anchor.x, anchor.y), state_.font.escapement);
    DrawRun(s, dx, baseline, width);
  }

  if (update_cp && horizontal != TA_CENTER) {
    const double a = EscapementDegrees(state_.font.escapement) * M_PI / 180.0;
    const double sign = horizontal == TA_RIGHT ? -1.0 : 1.0;
    const double step_x = sign * width * std::cos(a);
    const double step_y = sign * width * std::sin(a) * -DownSign();
    current_.x += static_cast<int>(std::lround(step_x));
    current_.y += static_cast<int>(std::lround(step_y));
  }
}

Size DrawContext::GetTextExtent(std::string_view text) const {
  const ResolvedFont& rf = Resolved();
  return {static_cast<int>(std::lround(rf.metrics.horizontalAdvance(rf.Text(text)))),
          static_cast<int>(std::lround(rf.ascent + rf.descent))};
}

TextMetrics DrawContext::GetTextMetrics() const {
  const ResolvedFont& rf = Resolved();
  TextMetrics m;
  m.ascent = static_cast<int>(std::lround(rf.ascent));
  m.descent = static_cast<int>(std::lround(rf.descent));
  m.height = static_cast<int>(std::lround(rf.ascent + rf.descent));
  m.ave_char_width = static_cast<int>(std::lround(rf.metrics.averageCharWidth()));
  return m;
}

int DrawContext::DrawText(std::string_view text, Rect& rect, unsigned format) {
  const ResolvedFont& rf = Resolved();
  // Whole logical units per line, as GetTextExtent gives the cell height.
  const double line_height = static_cast<double>(std::lround(rf.ascent + rf.descent));
  QString s = rf.Text(text);
  if (!(format & DT_NOPREFIX)) s = StripPrefixes(s);
  if (format & DT_EXPANDTABS) s = ExpandTabs(s);
  s.remove(u'\r');

  const double x0 = std::min(rect.left, rect.right);
  const double x1 = std::max(rect.left, rect.right);
  const double width = x1 - x0;
  // The visual top: the larger y on y-up pages.
  const bool top_is_top = (map_mode_ == MM_HIMETRIC) ? rect.top >= rect.bottom : rect.top <= rect.bottom;
  const int top = top_is_top ? rect.top : rect.bottom;
  const double box_height = std::abs(rect.bottom - rect.top);
  const double down = DownSign();
  auto advance = [&](const QString& t) { return rf.metrics.horizontalAdvance(t); };

  std::vector<QString> lines;
  if (format & DT_SINGLELINE) {
    s.replace(u'\n', u' ');
    lines.push_back(s);
  } else {
    for (const QString& paragraph : s.split(u'\n')) {
      if (!(format & DT_WORDBREAK)) {
        lines.push_back(paragraph);
        continue;
      }
      QString line;
      bool empty = true;
      for (const QString& word : paragraph.split(u' ')) {
        QString candidate = empty ? word : line + u' ' + word;
        if (empty || advance(candidate) <= width) {
          line = candidate;
          empty = false;
        } else {
          lines.push_back(line);
          line = word;
        }
      }
      lines.push_back(line);
    }
  }
  if (format & DT_END_ELLIPSIS) {
    for (QString& line : lines) {
      if (advance(line) <= width) continue;
      while (!line.isEmpty() && advance(line + QStringLiteral("...")) > width) line.chop(1);
      line += QStringLiteral("...");
    }
  }

  const double text_height = line_height * static_cast<double>(lines.size());
  if (format & DT_CALCRECT) {
    double widest = 0;
    for (const QString& line : lines) widest = std::max(widest, advance(line));
    const int left = std::min(rect.left, rect.right);
    rect.left = left;
    rect.right = left + static_cast<int>(std::lround(widest));
    const int other = top + static_cast<int>(std::lround(down * text_height));
    if (top_is_top) rect.bottom = other;
    else rect.top = other;
    return static_cast<int>(std::lround(text_height));
  }

  double first_offset = 0;  // from the rectangle's top, downwards
  if (format & DT_SINGLELINE) {
    if (format & DT_VCENTER) first_offset = (box_height - line_height) / 2;
    else if (format & DT_BOTTOM) first_offset = box_height - line_height;
  }

  const bool clip = !(format & DT_NOCLIP);
  if (clip) {
    painter_.save();
    UseGeometry(false, false);
    painter_.setClipRect(QRectF(QPointF(rect.left, rect.top), QPointF(rect.right, rect.bottom)).normalized(),
                         Qt::IntersectClip);
  }
  for (size_t i = 0; i < lines.size(); ++i) {
    const QString& line = lines[i];
    if (line.isEmpty()) continue;
    const double w = advance(line);
    double x = x0;
    if (format & DT_CENTER) x = x0 + (width - w) / 2;
    else if (format & DT_RIGHT) x = x1 - w;
    const double baseline = top + down * (first_offset + static_cast<double>(i) * line_height + rf.ascent);
    UseText(Map(x, baseline), 0);
    DrawRun(line, 0, 0, w);
  }
  if (clip) {
    painter_.restore();
    geometry_active_ = false;
    pen_dirty_ = brush_dirty_ = true;
  }
  return static_cast<int>(std::lround(first_offset + text_height));
}

// --- bitmaps

void DrawContext::DrawBitmap(const QImage& image, const Rect& dest) {
  DrawBitmap(image, dest, image.rect());
}

void DrawContext::DrawBitmap(const QImage& image, const Rect& dest, const QRect& source) {
  if (image.isNull()) return;
  QRectF target = QRectF(Map(dest.left, dest.top), Map(dest.right, dest.bottom)).normalized();
  painter_.setWorldTransform(base_);
  geometry_active_ = false;
  painter_.drawImage(target, image, QRectF(source));
}

// ------------------------------------------------------------ DrawStateGuard

DrawStateGuard::DrawStateGuard(DrawContext& dc, unsigned what, int bk_mode)
    : dc_(dc), what_(what), saved_(dc.state_) {
  if (bk_mode >= 0) {
    what_ |= kStateBkMode;
    dc_.SetBkMode(bk_mode);
  }
}

void DrawStateGuard::Restore() {
  if (what_ & kStateTextColor) dc_.SetTextColor(saved_.text_color);
  if (what_ & kStateBkColor) dc_.SetBkColor(saved_.bk_color);
  if (what_ & kStateBkMode) dc_.SetBkMode(saved_.bk_mode);
  if (what_ & kStateTextAlign) dc_.SetTextAlign(saved_.text_align);
  if (what_ & kStatePen) dc_.SelectPen(saved_.pen);
  if (what_ & kStateBrush) dc_.SelectBrush(saved_.brush);
  if (what_ & kStateFont) dc_.SelectFont(saved_.font);
}

}  // namespace platform
