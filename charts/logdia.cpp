#include "charts/logdia.h"

#include <cmath>

#include "_common_/kurve/punktliste.h"
#include "charts/achse.h"
#include "i18n/translation.h"
#include "platform/numbers.h"
#include "records/materialanforderung.h"
#include "records/requirement.h"
#include "records/strutil.h"

using platform::Brush;
using platform::DrawContext;
using platform::Pen;
using platform::Point;

namespace {

// A requirement value that is a number ("," as decimal point too); "", "#"
// and "--" are none and set no mark.
bool ReadRequirementNumber(const std::string& text, double& value) {
  const std::string t = MapDecimalSeparators(TrimWhite(text));
  size_t used = 0;
  value = platform::ParseDouble(t, &used);
  return used > 0;
}

}  // namespace

bool CLogDia::Create(const CLogDiaParameter& par) {
  StartCreate(par);
  m_Triangles.clear();
  m_GroupNames.clear();
  m_dScale = HasXAxis() ? m_Par.width / (std::log10(m_Par.xMaximum) - std::log10(m_Par.xMinimum)) : 0.0;
  return true;
}

bool CLogDia::CreateStandardAxis(const CLogDiaParameter& par) {
  const bool result = Create(par);
  struct Label {
    double value;
    const char* text;
  };
  static const Label kLabels[] = {{0.02, "0.02"}, {0.06, "0.06"}, {0.1, "0.1"}, {0.2, "0.2"},
                                  {0.6, "0.6"},   {1, "1"},       {2, "2"},     {6, "6"},
                                  {10, "10"},     {20, "20"},     {60, "60"}};
  for (const Label& l : kLabels) SetXAchsenWert(l.value, l.text, "Arial", 260, 150, kLabelBottom, 1, 0);
  if (m_Par.xMaximum >= 100) SetXAchsenWert(100, "100", "Arial", 250, 150, kLabelBottom, 1, 0);
  if (m_Par.xMaximum >= 200) SetXAchsenWert(200, "200", "Arial", 250, 150, kLabelBottom, 1, 0);
  if (m_Par.xMaximum > 600.1) SetXAchsenWert(600, "600", "Arial", 250, 150, kLabelBottom, 1, 0);
  return result;
}

int CLogDia::SetDreieck(double x, double y, int direction, int size, int style) {
  return SetDreieck(x, y, direction, size, style, 0, 0);
}

int CLogDia::SetDreieck(double x, double y, int direction, int size, int style, int open, int group) {
  if (GetTriangleCount() >= kMaxTriangles) return GetTriangleCount();
  if (!m_bCreated) {
    WarnNotCreated("SetDreieck");
    return GetTriangleCount();
  }
  m_Triangles.push_back({x, y, direction, size, style, open, group});
  return GetTriangleCount();
}

void CLogDia::AddRequirementTriangles(double sieveSize, const std::string& code) {
  for (const RequirementMark& mark : RequirementMarks(code)) SetDreieck(sieveSize, mark.percent, mark.direction, 200, 0);
}

void CLogDia::SetDreieckeFromAnforderung(CMaterialAnforderung& requirements) {
  const std::string list = requirements.GetSieveRequirements();
  m_GroupNames = requirements.SieveRequirementLines;
  for (int i = 1; i <= 6; ++i)
    if (!StrGetField(m_GroupNames, '|', i).empty()) m_Par.height -= 50;

  const int items = StrCountFields(list, '@');
  for (int i = 0; i < items; ++i) {
    const std::string item = StrGetField(list, '@', i);
    if (StrGetField(item, '|', 3) == "1" || !StrGetField(item, '|', 7).empty()) continue;
    const double x = ParseNumber(StrGetField(item, '|', 0));
    const int open = StrGetField(item, '|', 5) == "0" ? 1 : 0;
    int group = platform::ParseInt(StrGetField(item, '|', 8));
    if (group < 0) group = 0;
    const bool residue = StrGetField(item, '|', 4) == "1";
    const std::string value = StrGetField(item, '|', 1);

    const size_t dash = value.find('-', 1);
    if (dash != std::string::npos) {
      double lo = 0, hi = 0;
      if (!ReadRequirementNumber(value.substr(0, dash), lo) || !ReadRequirementNumber(value.substr(dash + 1), hi))
        continue;
      if (residue) {
        SetDreieck(x, 100 - lo, 0, 200, 0, open, group);
        SetDreieck(x, 100 - hi, 1, 200, 0, open, group);
      } else {
        SetDreieck(x, lo, 1, 200, 0, open, group);
        SetDreieck(x, hi, 0, 200, 0, open, group);
      }
      continue;
    }
    double limit = 0;
    if (!ReadRequirementNumber(StrGetField(value, '_', 0), limit)) continue;
    int direction = value.find("_L") != std::string::npos ? 0 : 1;
    if (residue) {
      limit = 100 - limit;
      direction = 1 - direction;
    }
    SetDreieck(x, limit, direction, 200, 0, open, group);
  }
}

bool CLogDia::HasXAxis() const {
  return std::isfinite(m_Par.xMinimum) && std::isfinite(m_Par.xMaximum) && m_Par.xMinimum > 0 &&
         m_Par.xMaximum > m_Par.xMinimum;
}

bool CLogDia::HasXPos(double value) const { return HasXAxis() && value > 0 && std::isfinite(value); }

int CLogDia::XPosDia(double value) const {
  if (!HasXPos(value)) return CAchse::kNoPosition;
  return TruncatePosition((std::log10(value) - std::log10(m_Par.xMinimum)) * m_dScale);
}

int CLogDia::YPosDia(double percent) const {
  return -m_Par.height - TruncatePosition(m_Par.height * percent / -100.0);
}

void CLogDia::zeichnen(DrawContext& dc) {
  platform::DrawStateGuard guard(dc, platform::kStateWithFont);
  const DrawingState state = BeginDrawing(dc);
  if (m_Par.soilBand) DrawSoilBand(dc);
  DrawGrid(dc);
  DrawYAxisLabels(dc);
  DrawXAxisLabels(dc);
  DrawXTitle(dc);
  DrawGroupLegend(dc);
  DrawYTitle(dc);
  DrawTriangles(dc);
  EndDrawing(dc, state);
}

void CLogDia::DrawGrid(DrawContext& dc) const {
  DrawPercentGrid(dc);
  if (!HasXAxis()) return;
  // Every whole step of each decade: 0.02, 0.03 .. 0.09, 0.1, 0.2 .. 0.9, 1 ..
  double x = m_Par.xMinimum;
  for (int guard = 0; x <= m_Par.xMaximum && guard < 10000; ++guard) {
    DrawVerticalGridLine(dc, XPosDia(x));
    int m = static_cast<int>(std::trunc(std::log10(x + x / 100)));
    if (x < 0.999) --m;
    x += std::pow(10.0, m);
  }
}

void CLogDia::DrawGroupLegend(DrawContext& dc) const {
  platform::DrawStateGuard guard(dc, platform::kStatePen | platform::kStateBrush | platform::kStateFont |
                                         platform::kStateTextAlign);
  dc.SelectFont(CreateDiaFont(m_Par.xTitleFace, m_Par.xTitleHeight - 100));
  dc.SetTextAlign(platform::TA_LEFT | platform::TA_BOTTOM);
  const int y0 = -(m_Par.height + m_Par.xTitleDistance) - 500;
  int x = -500;
  for (int i = 1; i <= 6; ++i) {
    const std::string name = StrGetField(m_GroupNames, '|', i);
    if (name.empty()) continue;
    dc.SelectPen(LayoutPen(10 + i, 20));
    dc.SelectBrush(Brush::Hollow());
    DCircle(dc, x, y0, 100);
    DLine(dc, x, y0, x + 400, y0);
    DCircle(dc, x + 400, y0, 100);
    DTextOut(dc, x + 600, y0 - 150, name);
    x += 800 + dc.GetTextExtent(name).cx;
  }
}

void CLogDia::DrawTriangles(DrawContext& dc) const {
  platform::DrawStateGuard guard(dc, platform::kStatePen | platform::kStateBrush);
  for (int g = 0; g <= 6; ++g) {
    bool havePrevious = false;
    Point previous{-1, -1};
    for (const LogDiaTriangle& t : m_Triangles) {
      if (t.group != g) continue;
      if (!HasXPos(t.x) || t.x < m_Par.xMinimum || t.x > m_Par.xMaximum) continue;
      const int p = XPosDia(t.x);
      const int q = YPosDia(t.y);
      if (g == 0) {
        const int k = t.direction == 1 ? 1 : -1;
        const int half = t.size / 2;
        const int base = q - t.size * k;
        if (t.open) {
          dc.SelectPen(LayoutPen(7, 20));
          DMoveTo(dc, p, q);
          DLineTo(dc, p - half, base);
          DLineTo(dc, p + half, base);
          DLineTo(dc, p, q);
        } else {
          dc.SelectPen(LayoutPen(7, 1));
          dc.SelectBrush(LayoutBrush(7));
          DPolygon(dc, {{p - half, base}, {p, q}, {p + half, base}});
        }
        continue;
      }
      dc.SelectPen(LayoutPen(10 + g, 20));
      dc.SelectBrush(t.open ? Brush::Hollow() : LayoutBrush(10 + g));
      if (havePrevious) DLine(dc, previous.x, previous.y, p, q);
      DCircle(dc, p, q, 100);
      previous = Point{p, q};
      havePrevious = true;
    }
  }
}

void CLogDia::DrawSoilBand(DrawContext& dc) const {
  platform::DrawStateGuard guard(dc, platform::kStateFont | platform::kStateTextAlign);
  const int a = m_Par.bandRowHeights[0];
  const int b = m_Par.bandRowHeights[1];
  const int c = m_Par.bandRowHeights[2];
  const int d = m_Par.bandRowHeights[3];
  const int top = a + b + c + d;
  const bool fine = m_Par.xMinimum < 0.05999;
  auto xp = [this](double size) { return XPosDia(size); };
  const int right = xp(m_Par.xMaximum);

  DLine(dc, xp(0.06), 0, xp(0.06), top);
  DLine(dc, right, 0, right, top);
  if (fine) DLine(dc, xp(0.001), 0, xp(0.001), top);
  for (double s : {2.0, 60.0}) DLine(dc, xp(s), d, xp(s), d + c + b);
  if (fine) DLine(dc, xp(0.002), d, xp(0.002), d + c + b);
  for (double s : {0.2, 0.6, 6.0, 20.0}) DLine(dc, xp(s), d, xp(s), d + c);
  if (fine)
    for (double s : {0.006, 0.02}) DLine(dc, xp(s), d, xp(s), d + c);
  for (int y : {d, d + c + b, top}) {
    DLine(dc, xp(0.06), y, right, y);
    if (fine) DLine(dc, xp(0.06), y, xp(0.001), y);
  }

  const int heightA = ((a / 4) * 3 / 10) * 10;
  const int heightB = ((b / 4) * 3 / 10) * 10;
  const int heightC = ((c / 4) * 3 / 10) * 10;
  const int heightSmall = static_cast<int>(heightC / 1.3);
  struct BandText {
    const char* text;
    int id;
    double from;
    double to;  // 0: the x maximum
    int baseline;
    int height;
    bool fineOnly;
  };
  const BandText texts[] = {
      {"Siebkorn", 6600, 0.06, 0, d + c + b, heightA, false},
      {"Schlämmkorn", 6601, 0.001, 0.06, d + c + b, heightA, true},
      {"Sand", 6602, 0.06, 2, d + c, heightB, false},
      {"Kies", 6603, 2, 60, d + c, heightB, false},
      {"Schluff", 6604, 0.002, 0.06, d + c, heightB, true},
      {"Fein-", 6605, 0.06, 0.2, d, heightC, false},
      {"Mittel-", 6606, 0.2, 0.6, d, heightC, false},
      {"Grob-", 6607, 0.6, 2, d, heightC, false},
      {"Fein-", 6608, 2, 6, d, heightC, false},
      {"Mittel-", 6609, 6, 20, d, heightC, false},
      {"Grob-", 6610, 20, 60, d, heightC, false},
      {"Fein-", 6611, 0.002, 0.006, d, heightC, true},
      {"Mittel-", 6612, 0.006, 0.02, d, heightC, true},
      {"Grob-", 6613, 0.02, 0.06, d, heightC, true},
      {"Feinstes", 6614, 0.001, 0.002, d + c, heightSmall, false},
      {"Steine", 6615, 60, 0, d + c, heightSmall, false},
  };
  dc.SetTextAlign(platform::TA_CENTER | platform::TA_BOTTOM);
  for (const BandText& t : texts) {
    if (t.fineOnly && !fine) continue;
    const int x = (xp(t.from) + (t.to == 0 ? right : xp(t.to))) / 2;
    dc.SelectFont(CreateDiaFont(m_Par.bandFace, t.height));
    DTextOut(dc, x, t.baseline, TranslateString(t.id, t.text, true));
  }
}

int CLogDia::DrawSollkurven(DrawContext& dc, const std::string& text, int dx, int dy) {
  return DrawCurves(dc, text, dx, dy, 8);
}

void CLogDia::DrawPunkte(DrawContext& dc, const CPunktListe& points, int radius) const {
  if (points.GetAnz() < 2) return;
  platform::DrawStateGuard guard(dc, platform::kStatePen | platform::kStateBrush);
  dc.SelectPen(LayoutPen(6, 20));
  dc.SelectBrush(Brush::Hollow());
  Point previous;
  for (int i = 0; i < points.GetAnz(); ++i) {
    const int p = GetXPos(points[i].x, true);
    const int q = GetYPos(points[i].y, true);
    if (p > 0) {
      DCircle(dc, p, q, radius);
      if (i > 0 && previous.x > 0) DLine(dc, p, q, previous.x, previous.y);
    }
    previous = Point{p, q};
  }
}

double CLogDia::GetAxisMaximum(double largestSieve) {
  struct Step {
    double above;
    double maximum;
  };
  static const Step kSteps[] = {{800.1, 900}, {700.1, 800}, {600.1, 700}, {500.1, 620},
                                {400.1, 500}, {300.1, 400}, {200.1, 360}, {100.1, 200}};
  for (const Step& s : kSteps)
    if (largestSieve > s.above) return s.maximum;
  return 100;
}

double CLogDia::GetLargestValue(const std::string& list) {
  double largest = 0;
  for (int i = 0;; ++i) {
    const std::string field = StrGetField(list, ';', i);
    if (field.empty()) break;
    const double value = PlainAtof(field);
    if (i == 0 || value > largest) largest = value;
  }
  return largest;
}
