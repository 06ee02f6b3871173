#include "charts/diagram.h"

#include <cmath>
#include <cstdio>

#include "charts/achse.h"
#include "platform/messagebox.h"
#include "records/strutil.h"

using platform::DrawContext;
using platform::Point;

std::string DiagramWarningText(const char* className, const char* function) {
  return std::string(className) + "\n\nWARNUNG:\n" + function +
         "() darf nur NACH Create() \nund VOR zeichnen() aufgerufen werden";
}

template <class Param>
void DiagramBase<Param>::StartCreate(const Param& par) {
  m_Par = par;
  m_Labels.clear();
  m_bCreated = true;
}

template <class Param>
void DiagramBase<Param>::WarnNotCreated(const char* function) const {
  platform::ShowMessageBox(DiagramWarningText(m_ClassName, function), platform::MB_OK | platform::MB_ICONSTOP);
}

template <class Param>
void DiagramBase<Param>::SetXAchsenWert(double value, const std::string& text, const std::string& face, int height,
                                        int tickLength, int mode, int horizontal, int last) {
  if (GetLabelCount() >= kMaxLabels) return;
  if (!m_bCreated) {
    WarnNotCreated("SetXAchsenWert");
    return;
  }
  m_Labels.push_back(DiaXLabel{value, text, face, height, mode, tickLength, horizontal, last});
}

template <class Param>
int DiagramBase<Param>::GetXPos(double value, bool page) const {
  const int p = XPosDia(value);
  return page ? p - m_DrawOrigin.x : p;
}

template <class Param>
int DiagramBase<Param>::GetYPos(double percent, bool page) const {
  const int q = YPosDia(percent);
  return page ? q - m_DrawOrigin.y : q;
}

template <class Param>
Point DiagramBase<Param>::Turn(int x, int y) const {
  if (m_Par.angle == 0) return Point{x, y};
  const double a = -(m_Par.angle / 10) * M_PI / 180.0;
  return Point{TruncatePosition(x * std::cos(a) - y * std::sin(a)),
               TruncatePosition(x * std::sin(a) + y * std::cos(a))};
}

template <class Param>
void DiagramBase<Param>::DMoveTo(DrawContext& dc, int x, int y) const {
  dc.MoveTo(Turn(x, y));
}

template <class Param>
void DiagramBase<Param>::DLineTo(DrawContext& dc, int x, int y) const {
  dc.LineTo(Turn(x, y));
}

template <class Param>
void DiagramBase<Param>::DLine(DrawContext& dc, int x1, int y1, int x2, int y2) const {
  DMoveTo(dc, x1, y1);
  DLineTo(dc, x2, y2);
}

template <class Param>
void DiagramBase<Param>::DCircle(DrawContext& dc, int x, int y, int radius) const {
  const Point c = Turn(x, y);
  dc.Ellipse(c.x - radius, c.y + radius, c.x + radius, c.y - radius);
}

template <class Param>
void DiagramBase<Param>::DPolygon(DrawContext& dc, std::vector<Point> points) const {
  for (Point& p : points) p = Turn(p.x, p.y);
  dc.Polygon(points);
}

template <class Param>
void DiagramBase<Param>::DTextOut(DrawContext& dc, int x, int y, const std::string& text) const {
  const Point p = Turn(x, y);
  dc.TextOut(p.x, p.y, text);
}

template <class Param>
void DiagramBase<Param>::MoveToValue(DrawContext& dc, double x, double percent) const {
  DMoveTo(dc, GetXPos(x, true), GetYPos(percent, true));
}

template <class Param>
void DiagramBase<Param>::LineToValue(DrawContext& dc, double x, double percent) const {
  DLineTo(dc, GetXPos(x, true), GetYPos(percent, true));
}

template <class Param>
void DiagramBase<Param>::CircleAtValue(DrawContext& dc, double x, double percent, int radius) const {
  DCircle(dc, GetXPos(x, true), GetYPos(percent, true), radius);
}

template <class Param>
platform::Font DiagramBase<Param>::CreateDiaFont(const std::string& face, int height, bool down) const {
  platform::Font font;
  font.face = face;
  font.height = height;
  font.weight = platform::FW_NORMAL;
  font.escapement = m_Par.angle + 1 + (down ? 2700 : 0);
  return font;
}

template <class Param>
platform::Pen DiagramBase<Param>::LayoutPen(int entry, int scale) const {
  platform::Pen pen;
  m_Pens.CreateLayoutPen(pen, entry, scale);
  return pen;
}

template <class Param>
platform::Brush DiagramBase<Param>::LayoutBrush(int entry) const {
  platform::Brush brush = platform::Brush::Solid(platform::RGB(0, 0, 0));
  m_Pens.CreateLayoutBrush(brush, entry);
  return brush;
}

template <class Param>
typename DiagramBase<Param>::DrawingState DiagramBase<Param>::BeginDrawing(DrawContext& dc) {
  DrawingState state;
  state.bkMode = dc.SetBkMode(platform::TRANSPARENT);
  state.windowOrigin = dc.GetWindowOrg();
  dc.SetWindowOrg(state.windowOrigin.x - m_Par.originX, state.windowOrigin.y - m_Par.originY);
  m_DrawOrigin = dc.GetWindowOrg();
  return state;
}

template <class Param>
void DiagramBase<Param>::EndDrawing(DrawContext& dc, const DrawingState& state) {
  dc.SetWindowOrg(state.windowOrigin.x, state.windowOrigin.y);
  dc.SetBkMode(state.bkMode);
  m_bCreated = false;
}

template <class Param>
void DiagramBase<Param>::DrawPercentGrid(DrawContext& dc) const {
  const platform::Pen old = dc.SelectPen(LayoutPen(0, 20));
  for (int i = 0; i <= 10; ++i) {
    const int y = i * m_Par.height / -10;
    DLine(dc, 0, y, m_Par.width, y);
  }
  dc.SelectPen(old);
}

template <class Param>
void DiagramBase<Param>::DrawVerticalGridLine(DrawContext& dc, int x) const {
  const platform::Pen old = dc.SelectPen(LayoutPen(0, 20));
  DLine(dc, x, 0, x, -m_Par.height);
  dc.SelectPen(old);
}

template <class Param>
void DiagramBase<Param>::DrawYAxisLabels(DrawContext& dc) const {
  platform::DrawStateGuard guard(dc, platform::kStateFont | platform::kStateTextAlign);
  dc.SelectFont(CreateDiaFont(m_Par.labelFace, m_Par.labelHeight));
  const int offset = dc.GetTextExtent("DUMMY").cy / 2;
  const int distance = m_Par.labelDistance;
  const int tick = distance * 2 / 3;
  const bool left = m_Par.labelSide == CDiaParameter::kLeft || m_Par.labelSide == CDiaParameter::kBothSides;
  const bool right = m_Par.labelSide == CDiaParameter::kRight || m_Par.labelSide == CDiaParameter::kBothSides;
  for (int b = 0; b <= 10; ++b) {
    const int y = b * m_Par.height / -10;
    const int textY = offset - b * m_Par.height / 10;
    char text[16];
    std::snprintf(text, sizeof text, "%d", 100 - 10 * b);
    if (left) {
      dc.SetTextAlign(platform::TA_RIGHT | platform::TA_TOP);
      DLine(dc, 0, y, -tick, y);
      DTextOut(dc, -distance, textY, text);
    }
    if (right) {
      dc.SetTextAlign(platform::TA_LEFT | platform::TA_TOP);
      DLine(dc, m_Par.width, y, m_Par.width + tick, y);
      DTextOut(dc, m_Par.width + distance, textY, text);
    }
  }
}

template <class Param>
void DiagramBase<Param>::DrawXAxisLabels(DrawContext& dc) const {
  platform::DrawStateGuard guard(dc, platform::kStateFont | platform::kStateTextAlign);
  const int height = m_Par.height;
  for (const DiaXLabel& label : m_Labels) {
    const int p = XPosDia(label.value);
    if (p < 0) continue;
    const int t = label.tickLength * 2 / 3;
    const bool down = label.horizontal == 0;
    dc.SelectFont(CreateDiaFont(label.face, label.height, down));
    // A label running down starts below the chart at its tick, above the
    // chart it ends at its tick; its cell (top facing right) lies left of
    // the point, so the point moves right by half the cell to centre it.
    const int shift = down ? dc.GetTextExtent("BLABLA").cy / 2 : 0;
    if (label.mode == kLabelBottom || label.mode == kLabelTopAndBottom) {
      DLine(dc, p, -height, p, -(height + t));
      dc.SetTextAlign(down ? platform::TA_LEFT | platform::TA_TOP : platform::TA_CENTER | platform::TA_TOP);
      DTextOut(dc, p + shift, -(height + label.tickLength), label.text);
    }
    if (label.mode == kLabelTop || label.mode == kLabelTopAndBottom) {
      DLine(dc, p, 0, p, t);
      dc.SetTextAlign(down ? platform::TA_RIGHT | platform::TA_TOP : platform::TA_CENTER | platform::TA_BASELINE);
      DTextOut(dc, p + shift, label.tickLength, label.text);
    }
  }
}

template <class Param>
void DiagramBase<Param>::DrawXTitle(DrawContext& dc) const {
  platform::DrawStateGuard guard(dc, platform::kStateFont | platform::kStateTextAlign);
  dc.SelectFont(CreateDiaFont(m_Par.xTitleFace, m_Par.xTitleHeight));
  dc.SetTextAlign(platform::TA_CENTER | platform::TA_TOP);
  DTextOut(dc, m_Par.width / 2, -(m_Par.height + m_Par.xTitleDistance), m_Par.xTitle);
}

template <class Param>
void DiagramBase<Param>::DrawYTitle(DrawContext& dc) const {
  platform::DrawStateGuard guard(dc, platform::kStateFont | platform::kStateTextAlign);
  dc.SelectFont(CreateDiaFont(m_Par.yTitleFace, m_Par.yTitleHeight, true));
  // The title reads down the page with the top of its letters facing right:
  // left of the chart its top lies at the distance, right of the chart its
  // bottom, so that it stays clear of the scale labels on either side.
  const int side = m_Par.yTitleSide;
  if (side == CDiaParameter::kRight || side == CDiaParameter::kBothSides) {
    dc.SetTextAlign(platform::TA_CENTER | platform::TA_BOTTOM);
    DTextOut(dc, m_Par.width + m_Par.yTitleDistance, -m_Par.height / 2, m_Par.yTitle);
  }
  if (side == CDiaParameter::kLeft || side == CDiaParameter::kBothSides) {
    dc.SetTextAlign(platform::TA_CENTER | platform::TA_TOP);
    DTextOut(dc, -m_Par.yTitleDistance, -m_Par.height / 2, m_Par.yTitle);
  }
}

template <class Param>
void DiagramBase<Param>::DrawSegments(DrawContext& dc, const CPunktListe& points, int minStartX) const {
  for (int i = 0; i + 1 < points.GetAnz(); ++i) {
    const CPunkt& a = points[i];
    const CPunkt& b = points[i + 1];
    const int ax = TruncatePosition(a.x);
    if (ax < minStartX) continue;
    DMoveTo(dc, ax, TruncatePosition(a.y));
    DLineTo(dc, TruncatePosition(b.x), TruncatePosition(b.y));
  }
}

template <class Param>
int DiagramBase<Param>::DrawCurves(DrawContext& dc, const std::string& text, int dx, int dy, int firstTwoPenEntry) {
  platform::DrawStateGuard guard(dc, platform::kStatePen | platform::kStateBrush);
  const platform::Pen firstPen = LayoutPen(firstTwoPenEntry, 20);
  const platform::Pen otherPen = LayoutPen(10, 20);
  int count = 0;
  for (;; ++count) {
    const std::string points = StrGetField(text, '|', 3 * count);
    if (points.empty()) break;
    dc.SelectPen(count < 2 ? firstPen : otherPen);
    CPunktListe list;
    const int tokens = StrCountChar(points, '{');
    for (int t = 0; t < tokens; ++t) {
      const std::string point = StrGetToken(points, "{", "}", t);
      const double x = AtofLocale(StrGetField(point, ';', 0));
      const double y = AtofLocale(StrGetField(point, ';', 1));
      // A size without a place on the axis (0 or below) would pull the
      // curve off the chart.
      if (!HasXPos(x)) continue;
      list.Add(GetXPos(x, true) - dx, GetYPos(y, true) - dy);
    }
    CKurve& curve = StrGetField(text, '|', 3 * count + 1) == "1" ? static_cast<CKurve&>(m_Spline)
                                                                  : static_cast<CKurve&>(m_Polygon);
    // One point or none makes no curve (the spline would report it).
    if (list.GetAnz() < 2) continue;
    curve.Create(20, list);
    const CPunktListe& line = curve.GetCurvePoints();
    if (line.GetAnz() < 2) continue;
    DMoveTo(dc, TruncatePosition(line[0].x), TruncatePosition(line[0].y));
    for (int i = 1; i < line.GetAnz(); ++i) DLineTo(dc, TruncatePosition(line[i].x), TruncatePosition(line[i].y));
  }
  return count;
}

template class DiagramBase<CLogDiaParameter>;
template class DiagramBase<CGleisschotterDiaParameter>;
