// The armourstone charts: the size distribution of a sieving and the mass
// distribution of single stones, both from the text of record field 26.
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "charts/dczustand.h"
#include "charts/diagrammbasis.h"
#include "i18n/translation.h"
#include "records/strutil.h"
#include "records/wbsfield.h"

using platform::DrawContext;
using platform::Pen;
using platform::Rect;

namespace {

// The chart lies in the rectangle with room for the axis texts at its left and bottom.
Rect ChartRect(const Rect& rect) { return Rect{rect.left + 1000, rect.top, rect.right, rect.bottom + 1000}; }

// The sieves of the chart, smallest first; slot i shows table row 10 - i
// (the pan and the oversize row have no sieve).
constexpr std::array<double, kWBSSizeRows> kSlots = {0, 22.4, 31.5, 45, 63, 90, 125, 180, 250, 360, 0};

struct Ends {
  double lo = 0, hi = 0;
};
Ends RangeEnds(const std::string& range) {
  return {AtofLocale(StrGetField(range, '-', 0)), AtofLocale(StrGetField(range, '-', 1))};
}

// Both charts run from 1 on a logarithmic axis, without the soil band.
CLogDiaParameter Parameters(const Rect& r, double xMaximum, const std::string& yTitle, const std::string& xTitle) {
  CLogDiaParameter par;
  CDiagrammBasis::SetDiaParameter(par, r.left, r.top, r.right, r.bottom);
  par.xMinimum = 1;
  par.xMaximum = xMaximum;
  par.yTitle = yTitle;
  par.xTitle = xTitle;
  par.soilBand = 0;
  return par;
}

struct Vertex {
  double mass;
  double percent;
};

// The dashes of a styled pen drawn wider than the thin pen, in multiples of
// its width: dash, gap, dash, gap, ... (solid: none).
std::vector<int> DashPattern(int style) {
  switch (style) {
    case platform::PS_DASH: return {6, 3};
    case platform::PS_DOT: return {1, 2};
    case platform::PS_DASHDOT: return {6, 2, 1, 2};
    case platform::PS_DASHDOTDOT: return {6, 2, 1, 2, 1, 2};
    default: return {};
  }
}

// A line through the points in the pen's style: a wide pen draws solid, so
// its dashes are drawn one by one, the pattern running on across corners.
void StyledPolyline(DrawContext& dc, const std::vector<platform::Point>& points, const Pen& pen) {
  if (points.size() < 2) return;
  dc.SelectPen(Pen{platform::PS_SOLID, pen.width, pen.color});
  const std::vector<int> pattern = DashPattern(pen.style);
  if (pattern.empty() || pen.width <= 1) {
    dc.SelectPen(pen);
    dc.Polyline(points.data(), static_cast<int>(points.size()));
    return;
  }
  size_t piece = 0;
  double left = pattern[0] * pen.width;  // what remains of the current piece
  for (size_t i = 1; i < points.size(); ++i) {
    const double x0 = points[i - 1].x, y0 = points[i - 1].y;
    const double dx = points[i].x - x0, dy = points[i].y - y0;
    const double length = std::hypot(dx, dy);
    double at = 0;
    while (at < length) {
      const double step = std::min(left, length - at);
      if (piece % 2 == 0) {
        dc.MoveTo(static_cast<int>(std::lround(x0 + dx * at / length)), static_cast<int>(std::lround(y0 + dy * at / length)));
        const double end = at + step;
        dc.LineTo(static_cast<int>(std::lround(x0 + dx * end / length)), static_cast<int>(std::lround(y0 + dy * end / length)));
      }
      at += step;
      left -= step;
      if (left <= 0) {
        piece = (piece + 1) % pattern.size();
        left = pattern[piece] * pen.width;
      }
    }
  }
}

}  // namespace

void CDiagrammBasis::DrawWBSSieblinie(DrawContext& dc, const Rect& rect, const std::string& resultText, bool print) {
  const Rect r = ChartRect(rect);
  const CLogDiaParameter par = Parameters(r, 400, TranslateString(6391, "Siebdurchgang [M.-%]", print),
                                          TranslateString(6392, "Sieböffnungsweite [mm]", print));
  CDCZustand state(dc);
  dc.Rectangle(r);
  m_LogDia.Create(par);
  static const struct {
    double value;
    const char* text;
  } kLabels[] = {{1, "1"},   {10, "10"}, {22.4, "22.4"}, {31.5, "31.5"}, {45, "45"}, {63, "63"},
                 {90, "90"}, {125, "125"}, {180, "180"}, {250, "250"},  {360, "360"}};
  for (const auto& l : kLabels) m_LogDia.SetXAchsenWert(l.value, l.text, "Arial", 260, 150, kLabelBottom, 1, 0);

  const WBSSizeData data = ReadWBSSizeData(resultText);
  std::array<bool, kWBSSizeRows> measured{};
  for (size_t i = 0; i < kSlots.size(); ++i) {
    if (kSlots[i] == 0) continue;
    const size_t row = kWBSSizeRows - 1 - i;
    // A limit of 0 % or 100 % limits nothing; its mark would stand
    // outside the chart's frame.
    if (const std::string& range = data.ranges[row]; !range.empty()) {
      const Ends ends = RangeEnds(range);
      if (ends.lo > 0) m_LogDia.SetDreieck(kSlots[i], ends.lo, 1, 150, 255);
      if (ends.hi < 100) m_LogDia.SetDreieck(kSlots[i], ends.hi, 0, 150, 255);
    }
    measured[i] = !data.shares[row].empty();
  }
  m_LogDia.zeichnen(dc);

  Pen pen;
  m_Pens.CreateLayoutPen(pen, 4, 20);
  dc.SelectPen(pen);
  bool started = false;
  double largestMeasured = 0;
  auto to = [&](double size, double percent) {
    if (started) m_LogDia.LineToValue(dc, size, percent);
    else m_LogDia.MoveToValue(dc, size, percent);
    started = true;
  };
  for (size_t i = 0; i < kSlots.size(); ++i) {
    if (kSlots[i] == 0 || !measured[i]) continue;
    to(kSlots[i], AtofLocale(data.passing[kWBSSizeRows - 1 - i]));
    largestMeasured = kSlots[i];
  }
  // Above the largest measured sieve everything passes: the curve ends at
  // 100 % on the first sieve without a value there.
  for (size_t i = 0; i < kSlots.size(); ++i) {
    if (kSlots[i] == 0 || measured[i] || kSlots[i] <= largestMeasured) continue;
    to(kSlots[i], 100);
    m_LogDia.CircleAtValue(dc, kSlots[i], 100, 70);
    break;
  }
  for (size_t i = 0; i < kSlots.size(); ++i)
    if (kSlots[i] != 0 && measured[i])
      m_LogDia.CircleAtValue(dc, kSlots[i], AtofLocale(data.passing[kWBSSizeRows - 1 - i]), 70);
}

void CDiagrammBasis::DrawWBSMassenverteilung(DrawContext& dc, const Rect& rect, const std::string& resultText,
                                             bool print) {
  const Rect r = ChartRect(rect);
  const WBSMassData data = ReadWBSMassData(resultText);
  std::array<double, 4> m{};
  std::array<Ends, 4> range{};
  for (size_t k = 0; k < 4; ++k) {
    m[k] = AtofLocale(data.table[kWBSLimits][k]);
    range[k] = RangeEnds(data.table[kWBSRanges][k]);
  }

  const CLogDiaParameter par = Parameters(r, 1.4 * m[3], TranslateString(6393, "Summe [Masse-%]", print),
                                          TranslateString(6394, "Masse [kg]", print));
  CDCZustand state(dc);
  dc.Rectangle(r);
  m_LogDia.CreateStandardAxis(par);
  m_LogDia.zeichnen(dc);

  // With the default pens the limits are black hairlines like the grid and
  // the frame, and where they run along them (0 % and 100 %) they vanish: a
  // limit of the thinnest pen is drawn wider, in its own style.
  auto limitPen = [this](int penEntry) {
    Pen pen;
    m_Pens.CreateLayoutPen(pen, penEntry, 20);
    pen.width = std::max(pen.width, kWBSLimitMinWidth);
    return pen;
  };
  // A line through the vertices that have a place right of the first one,
  // in the style of its pen, so that the two limits tell apart.
  auto polyline = [&](int penEntry, const std::vector<Vertex>& vertices) {
    if (!m_LogDia.HasXPos(vertices.front().mass)) return;
    const int start = m_LogDia.GetXPos(vertices.front().mass, true);
    std::vector<platform::Point> points = {
        {start, m_LogDia.GetYPos(vertices.front().percent, true)}};
    for (size_t i = 1; i < vertices.size(); ++i)
      if (m_LogDia.HasXPos(vertices[i].mass) && m_LogDia.GetXPos(vertices[i].mass, true) > start)
        points.push_back({m_LogDia.GetXPos(vertices[i].mass, true), m_LogDia.GetYPos(vertices[i].percent, true)});
    StyledPolyline(dc, points, limitPen(penEntry));
  };
  // The upper limit steps up at each limit mass, the lower one a class later.
  std::vector<Vertex> upper = {{1, range[0].hi}};
  std::vector<Vertex> lower = {{1, range[0].lo}};
  double level = range[0].lo;
  for (size_t k = 0; k < 4; ++k) {
    upper.push_back({m[k], range[k].hi});
    if (k < 3) upper.push_back({m[k], range[k + 1].hi});
    lower.push_back({m[k], level});
    level = range[k].lo;
    lower.push_back({m[k], level});
  }
  polyline(3, upper);
  polyline(2, lower);

  // The measured curve: the stones from the lightest, each adding its share
  // of the stones' mass; stones lighter than 1 kg count in the total only.
  std::vector<double> masses;
  for (const std::string& text : data.masses)
    if (!text.empty()) masses.push_back(AtofLocale(text));
  std::sort(masses.begin(), masses.end());
  double total = 0;
  for (double mass : masses) total += mass;
  Pen pen;
  m_Pens.CreateLayoutPen(pen, 4, 20);
  dc.SelectPen(pen);
  if (total > 0) {
    double sum = 0;
    bool started = false;
    for (double mass : masses) {
      if (mass < 1 || mass > par.xMaximum || !m_LogDia.HasXPos(mass)) continue;
      sum += mass * 100 / total;
      if (started) m_LogDia.LineToValue(dc, mass, sum);
      else m_LogDia.MoveToValue(dc, mass, sum);
      started = true;
    }
  }

  dc.SetTextAlign(platform::TA_LEFT | platform::TA_BASELINE);
  dc.SelectFont(m_LogDia.CreateLabelFont());
  StyledPolyline(dc, {{r.left, r.bottom - 750}, {r.left + 1000, r.bottom - 750}}, limitPen(2));
  StyledPolyline(dc, {{r.left, r.bottom - 650}, {r.left + 1000, r.bottom - 650}}, limitPen(3));
  dc.TextOut(r.left + 1200, r.bottom - 820, TranslateString(67616, "Sollwertgrenzen", print));
}
