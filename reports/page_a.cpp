// Page A: the grading chart, the sieve table, the sieve loss and the value list.
#include "reports/druckseite.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <utility>

#include "charts/chartpens.h"
#include "charts/dczustand.h"
#include "i18n/translation.h"
#include "records/requirement.h"
#include "records/strutil.h"
#include "records/versuch.h"
#include "reports/dib.h"
#include "reports/drucktabelle.h"
#include "reports/page_common.h"
#include "services/pravikapp.h"
#include "services/settings.h"
#include "services/sysfuncs.h"
#include "services/versioninfo.h"

using platform::DrawContext;
using platform::Font;
using platform::Pen;
using platform::Rect;
using platform::RGB;
using namespace report_detail;

void CDruckSeite::PrintPageA(DrawContext& dc) {
  const int y = DrawHeaderBlock(dc);
  Rect& chart = m_Layout[ChartBox];
  const int chartHeight = chart.top - chart.bottom;
  chart.top = y - 800;
  chart.bottom = chart.top - chartHeight;
  const std::string active = m_pVersuch->GetValue(3, 0);
  const bool smooth = (active == "0" && m_pVersuch->GetValue(7, 3) == "1") ||
                      (active == "1" && m_pVersuch->GetValue(8, 3) == "1");
  m_Diagramm.SetChartPens(ChartPens::FromLayoutTable(ReportSettings().LayoutTable));
  m_Diagramm.DrawSieblinie(dc, chart, smooth, m_Anforderung);

  m_Layout[SieveTableBox].top = chart.bottom - 1200;
  DrawSieveTables(dc);
  // With a second sieving the loss block stands under the sieve table, as
  // the layout places it, not on top of the table.
  const int tableTop = m_Layout[SieveTableBox].top;
  const int lossTop = IsSecondSieving() ? tableTop - GetSieveTableHeight() - 500 : tableTop;
  int next = DrawSieveLoss(dc, lossTop) - 400;
  next = DrawSieveValueList(dc, next) - 400;
  DrawRequirementTables(dc, next);
}


void CDruckSeite::DrawSieveTables(DrawContext& dc) {
  if (!m_pVersuch) return;
  if (m_pVersuch->IsGleisschotter()) DrawBallastSieveTable(dc);
  else DrawSieveTable(dc);
}

void CDruckSeite::DrawSieveTable(DrawContext& dc) {
  CDCZustand state(dc, platform::TRANSPARENT);
  const CVersuch& r = *m_pVersuch;
  const int x0 = m_Layout[SieveTableBox].left, y0 = m_Layout[SieveTableBox].top;
  const std::string sizes = r.GetValue(3, 2);
  const int n = StrCountFields(sizes, ';');
  const int c[6] = {x0, x0 + 1400, x0 + 2800, x0 + 4200, x0 + 5400, x0 + 6600};
  const int h = y0 - 800;
  const int yb = y0 - 850 - 320 * n;

  for (int lineY : {y0, h, yb}) {
    dc.MoveTo(c[0], lineY);
    dc.LineTo(c[5], lineY);
  }
  for (int cx : c) {
    dc.MoveTo(cx, y0);
    dc.LineTo(cx, yb);
  }

  dc.SetTextColor(kBlack);
  dc.SelectFont(m_Fonts.text);
  dc.SetTextAlign(platform::TA_RIGHT | platform::TA_TOP);
  const std::string residue = r.GetValue(3, 8), share = r.GetValue(3, 9), passing = r.GetValue(3, 10);
  const CPunktListe& plant = m_Diagramm.GetPlantPoints();
  // A value right-aligned at x in column i, in the small face when it is
  // too long for the column.
  auto value = [&](int x, int y, int column, const std::string& text) {
    dc.SelectFont(m_Fonts.text);
    TextOutInCell(dc, x, y, c[column], c[column + 1], text, {&m_Fonts.textSmall});
  };
  for (int t = 0; t < n; ++t) {
    const int rowY = h - 320 * t;
    value(x0 + 2700, rowY, 1, StrGetField(residue, ';', t));
    value(x0 + 3966, rowY, 2, StrGetField(share, ';', t));
    value(x0 + 5266, rowY, 3, StrGetField(passing, ';', t));
    const double size = ParseNumber(StrGetField(sizes, ';', t));
    for (const CPunkt& p : plant.Points())
      if (p.x == size) value(x0 + 6466, rowY, 4, FormatDouble(p.y, 1));
  }
  const std::string sum = r.GetValue(3, 17).empty() ? r.GetValue(3, 11) : r.GetValue(3, 17);
  value(x0 + 2700, h - 320 * n - 100, 1, sum);

  dc.SelectFont(m_Fonts.serif);
  dc.SetTextAlign(platform::TA_CENTER | platform::TA_TOP);
  for (int t = 0; t < n; ++t) dc.TextOut(x0 + 700, h - 320 * t, StrGetField(sizes, ';', t));
  dc.TextOut(x0 + 700, h - 320 * n - 100, PrintText(6271, "Summe:"));

  const std::string heads[5] = {PrintText(6137, "Siebgröße"), PrintText(6138, "Rückstand"), PrintText(6139, "Rückstand"),
                                PrintText(6140, "Durchg."), PrintText(6141, "Werktyp.")};
  const char* units[5] = {"[mm]", "[g]", "[M.-%]", "[M.-%]", "[M.-%]"};
  const unsigned format = platform::DT_CENTER | platform::DT_WORDBREAK | platform::DT_NOPREFIX;
  for (int i = 0; i < 5; ++i) {
    dc.DrawText(heads[i], Rect{c[i], y0 - 50, c[i + 1], h}, format);
    dc.DrawText(units[i], Rect{c[i], h + 400, c[i + 1], h}, format);
  }
}

std::string CutTrailingPointZero(const std::string& value) {
  if (value.size() >= 2 && value.compare(value.size() - 2, 2, ".0") == 0) return value.substr(0, value.size() - 2);
  return value;
}

std::string TrimDecimalZeros(const std::string& value) {
  if (value.find('.') == std::string::npos) return value;
  std::string v = value;
  while (!v.empty() && v.back() == '0') v.pop_back();
  if (!v.empty() && v.back() == '.') v.pop_back();
  return v;
}

int CDruckSeite::DrawSieveLoss(DrawContext& dc, int y) {
  const CVersuch& r = *m_pVersuch;
  Rect& box = m_Layout[SieveLossBox];
  if (y != 0) box.top = y;
  int labelX = box.left;
  int offset = 1500;
  const bool wet = r.IsWetSieving();
  const bool ballast = r.IsGleisschotter();
  if (wet) {
    box.left = box.right;
    box.bottom = box.top - 1440;
    m_Layout[RequirementAnchors].top = box.top - 4640;
    labelX = box.left;
    offset = 2900;
    if (ballast) {
      // The long labels clear the sieve table beside them, the values the product line.
      labelX += 1400;
      offset = 1300;
    }
  }

  std::string after = r.GetValue(3, 11), before = r.GetValue(3, 13), loss = r.GetValue(3, 14);
  if (ballast) {
    // A whole number keeps its column: ".0" gives way to two blanks.
    for (std::string* text : {&after, &before, &loss})
      if (CutTrailingPointZero(*text) != *text) *text = CutTrailingPointZero(*text) + "  ";
  }

  platform::DrawStateGuard state(dc, platform::kStateWithFont | platform::kStateBkColor, platform::TRANSPARENT);
  dc.SetTextColor(kBlack);
  dc.SetTextAlign(platform::TA_RIGHT | platform::TA_TOP);
  const int y0 = box.top;
  int line = 0;
  auto write = [&](const std::string& label, const std::string& value) {
    dc.SelectFont(m_Fonts.serif);
    dc.TextOut(labelX, y0 - 320 * line, label);
    dc.SelectFont(m_Fonts.text);
    dc.TextOut(labelX + offset, y0 - 320 * line, value);
    ++line;
  };
  if (wet) {
    const int f = ActiveSievingField();
    write(PrintText(6122, "getr. Probe M1 vor dem Auswaschen [g]:"), r.GetValue(f, 7));
    write(PrintText(6123, "getr. Probe M2 nach dem Auswaschen [g]:"), r.GetValue(f, 8));
    write(PrintText(6124, "Siebverlust [M.-%]:"), r.GetValue(f, 9));
    write(PrintText(6125, "Feinanteil f [M.-%]:"), r.GetValue(f, 10));
    return y0 - 1040;
  }
  if (!r.GetValue(3, 13).empty()) {
    write(PrintText(6131, "Probe vor Siebung [g]:"), before);
    write(PrintText(6132, "Siebverlust [g]:"), loss);
    write(PrintText(6133, "Probe nach Siebung [g]:"), after);
    return y0 - 320;
  }
  write(PrintText(6130, "Probemenge [g]:"), after);
  return y0 + 320;
}

int CDruckSeite::DrawSieveValueList(DrawContext& dc, int y) {
  CDCZustand state(dc);
  Rect& box = m_Layout[SieveLossBox];
  if (y != 0) box.bottom = y;
  const int x = box.right;
  y = box.bottom;
  dc.SetTextAlign(platform::TA_RIGHT | platform::TA_TOP);
  dc.SetTextColor(kBlack);
  const std::string values = m_pVersuch->GetValue(3, 32);
  const std::string note = m_pVersuch->GetValue(3, 33);
  for (int k = 0;; k += 2) {
    const std::string label = StrGetFieldS(values, "@", k);
    if (label.empty()) break;
    dc.SelectFont(m_Fonts.serif);
    dc.TextOut(x, y, label);
    dc.SelectFont(m_Fonts.text);
    dc.TextOut(x + 2900, y, StrGetFieldS(values, "@", k + 1));
    if (label.compare(0, 2, "U ") == 0 && !note.empty()) {
      dc.SelectFont(m_Fonts.serif);
      dc.TextOut(x + 2900, y - 300, note);
      y -= 320;
    }
    y -= 320;
  }
  return y;
}
