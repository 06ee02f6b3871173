#include "charts/diagrammbasis.h"

#include <climits>
#include <cmath>

#include "charts/dczustand.h"
#include "i18n/translation.h"
#include "records/materialanforderung.h"
#include "records/requirement.h"
#include "records/sievelist.h"
#include "records/strutil.h"
#include "records/versuch.h"

using platform::Brush;
using platform::DrawContext;
using platform::Pen;
using platform::Rect;

void CDiagrammBasis::LoadFromVersuch(const CVersuch& record) {
  m_SiebListe = SortSieveSizesDescending(record.GetValue(6, 0));
  m_Sollkurven = record.GetDefaultSollkurven(true);
  m_bDinEnBallast = record.IsDinEnBallast();
  m_bDbsBallast = record.IsDbsBallast();
  m_Durchgang = record.GetValue(3, 1);
  m_WerksPunkte.ParseString(record.GetGroupValue(25, 1, 3));
  m_bGleisschotter = record.IsGleisschotterMaterial();
}

void CDiagrammBasis::SetChartPens(const ChartPens& pens) {
  m_Pens = pens;
  m_LogDia.SetChartPens(pens);
  m_GleisDia.SetChartPens(pens);
}

void CDiagrammBasis::SetDiaParameter(CDiaParameter& par, int left, int top, int right, int bottom) {
  par.originX = left;
  par.originY = top;
  par.width = right - left;
  par.height = top - bottom;
  par.angle = 0;
  par.labelFace = "Arial";
  par.labelHeight = 260;
  par.labelSide = CDiaParameter::kLeft;
  par.labelDistance = 200;
  par.yTitleFace = "Arial";
  par.yTitleHeight = 350;
  par.yTitleSide = CDiaParameter::kLeft;
  par.yTitleDistance = 600;
  par.xTitleFace = "Arial";
  par.xTitleHeight = 350;
  par.xTitleDistance = 500;
  par.bandFace = "Arial";
  par.bandRowHeights = {500, 450, 400, 300};
}

std::vector<CDiagrammBasis::Messpunkt> CDiagrammBasis::GetMesspunkte(bool ballastChart) const {
  std::vector<Messpunkt> points;
  for (int k = 0;; ++k) {
    const std::string sizeText = StrGetField(m_SiebListe, ';', k);
    if (sizeText.empty()) break;
    const std::string passingText = StrGetField(m_Durchgang, ';', k);
    // A sieve without a passing value was not measured; it is no 0 %.
    if (TrimWhite(passingText).empty()) continue;
    const double size = AtofLocale(sizeText);
    const double passing = AtofLocale(passingText);
    // No place on a sieve axis.
    if (!(size > 0) || !std::isfinite(size)) continue;
    if (ballastChart) {
      // Of a run of 100 % sieves only the smallest is drawn.
      if (passingText == "100.0" && StrGetField(m_Durchgang, ';', k + 1) == "100.0") continue;
    } else if (passing > 100) {
      continue;
    }
    points.push_back({size, passing});
  }
  return points;
}

void CDiagrammBasis::DrawSieblinie(DrawContext& dc, const Rect& rect, bool smooth, CMaterialAnforderung& requirements,
                                   const CPunktListe* extraPoints) {
  CLogDiaParameter par;
  SetDiaParameter(par, rect.left, rect.top, rect.right, rect.bottom);
  par.xMinimum = 0.02;
  par.xMaximum = CLogDia::GetAxisMaximum(CLogDia::GetLargestValue(m_SiebListe));
  par.yTitle = TranslateString(7250, "Siebdurchgang in M.-%", true);
  par.xTitle = TranslateString(7251, "Korndurchmesser [mm]", true);
  par.soilBand = 0;

  m_LogDia.CreateStandardAxis(par);
  m_LogDia.SetDreieckeFromAnforderung(requirements);
  for (int row : {1, 2, 3, 4, 5, 6, 7, 8, 28, 9}) {
    std::string label, code;
    if (!requirements.GetSieveRequirement(row, label, code)) continue;
    double size = 0;
    if (row == 5) {
      // A residue between two sieves ("2-4"): marked at the smaller one.
      size = ParseNumber(StrGetField(label, '-', 0));
      StrReplace(code, "_D", "_R");
    } else {
      size = ParseNumber(label);
    }
    m_LogDia.AddRequirementTriangles(size, code);
  }

  CDCZustand state(dc, platform::TRANSPARENT);
  m_LogDia.zeichnen(dc);
  m_LogDia.DrawPunkte(dc, m_WerksPunkte, 70);

  const std::vector<Messpunkt> points = GetMesspunkte(false);
  Pen curvePen;
  m_Pens.CreateLayoutPen(curvePen, 5, 20);
  dc.SelectPen(curvePen);
  CPunktListe positions;
  for (const Messpunkt& p : points) positions.Add(m_LogDia.GetXPos(p.size, true), m_LogDia.GetYPos(p.passing, true));
  // One point or none makes no curve (the spline would report it).
  if (positions.GetAnz() >= 2) {
    CKurve& curve = smooth ? static_cast<CKurve&>(m_Spline) : static_cast<CKurve&>(m_Polygon);
    curve.Create(20, positions);
    m_LogDia.DrawSegments(dc, curve.GetCurvePoints());
  }

  dc.SelectBrush(Brush::Solid(platform::RGB(191, 255, 255)));
  for (const Messpunkt& p : points)
    if (m_LogDia.GetXPos(p.size, true) > 0) m_LogDia.CircleAtValue(dc, p.size, p.passing, 70);

  if (extraPoints) {
    dc.SelectPen(Pen{platform::PS_SOLID, 30, platform::RGB(255, 0, 0)});
    for (const CPunkt& e : extraPoints->Points()) {
      if (!m_LogDia.HasXPos(e.x)) continue;
      const int p = m_LogDia.GetXPos(e.x, true);
      const int q = m_LogDia.GetYPos(e.y, true);
      dc.MoveTo(p - 250, q - 250);
      dc.LineTo(p - 250, q + 250);
      dc.LineTo(p + 250, q + 250);
      dc.LineTo(p + 250, q - 250);
      dc.LineTo(p - 250, q - 250);
    }
  }

  const int curves = m_LogDia.DrawSollkurven(dc, m_Sollkurven, 0, 0);
  if (curves >= 3) {
    dc.SetTextAlign(platform::TA_LEFT | platform::TA_BASELINE);
    dc.SelectFont(m_LogDia.CreateLabelFont());
    Pen pen;
    m_Pens.CreateLayoutPen(pen, 8, 20);
    dc.SelectPen(pen);
    dc.MoveTo(rect.left, rect.bottom - 650);
    dc.LineTo(rect.left + 1000, rect.bottom - 650);
    dc.TextOut(rect.left + 1200, rect.bottom - 820, "Sollwerte Allgem.");
    m_Pens.CreateLayoutPen(pen, 10, 20);
    dc.SelectPen(pen);
    dc.MoveTo(rect.left, rect.bottom - 1100);
    dc.LineTo(rect.left + 1000, rect.bottom - 1100);
    dc.TextOut(rect.left + 1200, rect.bottom - 1220, "Sollwerte SDV");
  }
}

void CDiagrammBasis::DrawGleisschotterSieblinie(DrawContext& dc, const Rect& rect) {
  CGleisschotterDiaParameter par;
  SetDiaParameter(par, rect.left, rect.top, rect.right, rect.bottom);
  par.yTitle = TranslateString(6227, "Siebdurchgang in M.-%", true);
  par.xTitle = TranslateString(6228, "Korndurchmesser [mm]", true);

  m_GleisDia.Create(par);
  m_GleisDia.SetBallastFlags(m_bDbsBallast, m_bDinEnBallast);
  struct Label {
    double value;
    const char* text;
  };
  static const Label kLabels[] = {{0.063, "0.063"}, {0.5, "0.5"}, {22.4, "22.4"}, {31.5, "31.5"}, {40, "40"},
                                  {50, "50"},       {63, "63"},   {80, "80"},     {90, "90"}};
  for (const Label& l : kLabels) m_GleisDia.SetXAchsenWert(l.value, l.text, "Arial", 260, 150, kLabelBottom, 1, 0);
  m_GleisDia.zeichnen(dc);

  platform::DrawStateGuard state(dc, platform::kStateWithoutFont, platform::TRANSPARENT);
  if (!m_Durchgang.empty()) {
    Pen pen;
    m_Pens.CreateLayoutPen(pen, 4, 20);
    dc.SelectPen(pen);
    CPunktListe positions;
    for (const Messpunkt& p : GetMesspunkte(true)) {
      const int x = m_GleisDia.GetXPos(p.size, true);
      positions.Add(x, m_GleisDia.GetYPos(p.passing, true));
      if (x > 0) m_GleisDia.CircleAtValue(dc, p.size, p.passing, 70);
    }
    m_Polygon.Create(10, positions);
    // On the ballast chart the curve starts at the first sieve right of the
    // page's left band.
    m_GleisDia.DrawSegments(dc, m_Polygon.GetCurvePoints(), m_bGleisschotter ? 3000 : INT_MIN);
  }
  m_GleisDia.DrawKurven(dc, m_Sollkurven, 0, 0);
}
