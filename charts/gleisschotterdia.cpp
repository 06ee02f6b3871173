#include "charts/gleisschotterdia.h"

#include <cmath>

using platform::DrawContext;

bool CGleisschotterDia::Create(const CGleisschotterDiaParameter& par) {
  StartCreate(par);
  m_Triangles.clear();
  m_XAchse.Init(m_Par.width, 0.063, 100, CAchse::kBallastSieves);
  m_YAchse.Init(m_Par.height, 0, 100, CAchse::kLinear);
  return true;
}

int CGleisschotterDia::SetDreieck(double x, double y, int a, int b, int c) {
  if (GetTriangleCount() >= kMaxTriangles) return GetTriangleCount();
  if (!m_bCreated) {
    WarnNotCreated("SetDreieck");
    return GetTriangleCount();
  }
  m_Triangles.push_back({x, y, a, b, c});
  return GetTriangleCount();
}

bool CGleisschotterDia::HasXPos(double value) const { return value > 0 && std::isfinite(value); }

int CGleisschotterDia::XPosDia(double value) const {
  if (!HasXPos(value)) return CAchse::kNoPosition;
  return m_XAchse.ValueToPos(value);
}

int CGleisschotterDia::YPosDia(double percent) const { return m_YAchse.ValueToPos(percent) - m_Par.height; }

void CGleisschotterDia::zeichnen(DrawContext& dc) {
  platform::DrawStateGuard guard(dc, platform::kStateWithFont);
  const DrawingState state = BeginDrawing(dc);
  DrawPercentGrid(dc);
  for (int j = 0; j <= 8; ++j) DrawVerticalGridLine(dc, j * m_Par.width / 8);
  DrawYAxisLabels(dc);
  DrawXAxisLabels(dc);
  DrawXTitle(dc);
  DrawYTitle(dc);
  DrawLimitLabels(dc);
  EndDrawing(dc, state);
}

void CGleisschotterDia::DrawLimitLabels(DrawContext& dc) const {
  platform::DrawStateGuard guard(dc, platform::kStateFont | platform::kStateTextAlign);
  dc.SelectFont(CreateDiaFont("Arial", m_Par.labelHeight));
  dc.SetTextAlign(platform::TA_CENTER | platform::TA_TOP);
  struct LimitText {
    const char* text;
    double size;
    double percent;
  };
  // No label above the chart: the upper limit stands where the third variant
  // has it, and the second "99" of the one upper plateau is left out.
  static const LimitText kDbs[] = {{"100", 47.5, 99.5}, {"97", 65, 97}, {"100", 81.5, 99.5}};
  static const LimitText kDinEn[] = {{"99", 47.5, 99.5}, {"97", 65, 97}, {"100", 81.5, 99.5}};
  static const LimitText kOther[] = {{"100", 47.5, 99.5}, {"97", 65, 97}, {"99", 81.5, 99.5}};
  static const LimitText kAlways[] = {{"65", 39, 68},     {"65", 52, 68}, {"30", 42, 35},
                                      {"25", 30.5, 29.5}, {"3", 21.5, 7}, {"1", 33, 5}};
  auto draw = [&](const auto& texts) {
    for (const LimitText& t : texts) DTextOut(dc, XPosDia(t.size), YPosDia(t.percent), t.text);
  };
  if (m_nDbsBallast)
    draw(kDbs);
  else if (m_nDinEnBallast)
    draw(kDinEn);
  else
    draw(kOther);
  draw(kAlways);
}

int CGleisschotterDia::DrawKurven(DrawContext& dc, const std::string& text, int dx, int dy) {
  return DrawCurves(dc, text, dx, dy, 9);
}
