// Page C under the crushed surfaces: the composition of recycled material
// (standard and grading-mixture form), the sand equivalent and the grains
// longer than 100 mm. Each block
// hangs from the side-test anchor at the offset d it is given and returns
// the offset for the next block.
#include <algorithm>
#include <array>
#include <string>

#include "charts/dczustand.h"
#include "records/requirement.h"
#include "records/strutil.h"
#include "records/versuch.h"
#include "reports/druckseite.h"
#include "reports/drucktabelle.h"
#include "reports/page_common.h"

using platform::DrawContext;
using platform::Rect;
using namespace report_detail;

namespace {

constexpr int kRecycRows = 12;
constexpr int kRowStep = 320;
constexpr int kMixtureTriples = 20;
constexpr int kMixtureMinHeight = 4500;
constexpr unsigned kHeadingFormat = platform::DT_CENTER | platform::DT_WORDBREAK | platform::DT_NOPREFIX;

void Line(DrawContext& dc, int x1, int y1, int x2, int y2) {
  dc.MoveTo(x1, y1);
  dc.LineTo(x2, y2);
}

void TextAt(DrawContext& dc, unsigned align, int x, int y, const std::string& text) {
  dc.SetTextAlign(align | platform::TA_TOP);
  dc.TextOut(x, y, text);
}

// TextAt kept inside the column from `left` to `right`, in the smaller face
// where the current one is too long for it.
void TextInColumn(DrawContext& dc, unsigned align, int x, int y, int left, int right, const std::string& text,
                  const platform::Font& smaller) {
  const platform::Font current = dc.GetFont();
  dc.SetTextAlign(align | platform::TA_TOP);
  TextOutInCell(dc, x, y, left, right, text, {&smaller});
  dc.SelectFont(current);
}

}  // namespace

int ZusammRecycKorngemischHeight(int rows) { return std::max(kMixtureMinHeight, 1320 + kRowStep * rows + 320 + 300); }

int CDruckSeite::DrawZusammRecyc(DrawContext& dc, int d) {
  const CVersuch& r = *m_pVersuch;
  if (r.GetValue(15, 0).empty()) return d;
  CDCSicherung state(dc, platform::TRANSPARENT);
  dc.SetTextColor(kBlack);
  const int X = m_Layout[SideTestAnchors].left;
  const int Y0 = m_Layout[SideTestAnchors].top - d;

  for (int y : {Y0, Y0 - 850, Y0 - 4420, Y0 - 4920, Y0 - 5420, Y0 - 5920}) Line(dc, X, y, X + 13500, y);
  for (int x : {X, X + 7000, X + 8500, X + 9900, X + 11700, X + 13500}) Line(dc, x, Y0, x, Y0 - 5920);

  dc.SelectFont(m_Fonts.serifLarge);
  TextAt(dc, platform::TA_LEFT, X, Y0 + 500, PrintText(6152, "Stoffliche Zusammensetzung"));

  dc.SelectFont(m_Fonts.text);
  for (int i = 0; i < kRecycRows; ++i) {
    // The floating particles stand in the band under the sum line.
    const int y = i < kRecycRows - 1 ? Y0 - 850 - kRowStep * i : Y0 - 5470;
    const platform::Font& small = m_Fonts.textSmall;
    TextInColumn(dc, platform::TA_LEFT, X + 100, y, X, X + 7000, StrGetFieldS(r.GetValue(15, 2), "@", i), small);
    TextInColumn(dc, platform::TA_RIGHT, X + 8300, y, X + 7000, X + 8500, StrGetFieldS(r.GetValue(15, 4), "@", i), small);
    TextInColumn(dc, platform::TA_RIGHT, X + 9700, y, X + 8500, X + 9900, StrGetFieldS(r.GetValue(15, 5), "@", i), small);
    TextInColumn(dc, platform::TA_RIGHT, X + 11500, y, X + 9900, X + 11700,
                 FormatRequirement(StrGetFieldS(r.GetValue(15, 3), "@", i), 1), small);
    TextInColumn(dc, platform::TA_CENTER, X + 12600, y, X + 11700, X + 13500,
                 YesNoText(StrGetFieldS(r.GetValue(15, 6), "@", i)), small);
  }
  TextInColumn(dc, platform::TA_RIGHT, X + 8300, Y0 - 4470, X + 7000, X + 8500, r.GetValue(15, 0), m_Fonts.textSmall);
  TextInColumn(dc, platform::TA_RIGHT, X + 9700, Y0 - 4470, X + 8500, X + 9900, r.GetValue(15, 1), m_Fonts.textSmall);

  dc.SelectFont(m_Fonts.serif);
  TextAt(dc, platform::TA_RIGHT, X + 7000, Y0 - 4470, PrintText(6271, "Summe:") + " ");
  const int top = Y0 - 50, bottom = Y0 - 850;
  dc.DrawText(PrintText(6153, "Material"), Rect{X, top, X + 7000, bottom}, kHeadingFormat);
  dc.DrawText(PrintText(6154, "Masse\n[g]"), Rect{X + 7000, top, X + 8500, bottom}, kHeadingFormat);
  dc.DrawText(PrintText(6155, "Anteil\n[M.-%]"), Rect{X + 8500, top, X + 9900, bottom}, kHeadingFormat);
  dc.DrawText(PrintText(6156, "Anforderung\n[M.-%]"), Rect{X + 9900, top, X + 11700, bottom}, kHeadingFormat);
  dc.DrawText(PrintText(6157, "Anforderung\nerfüllt"), Rect{X + 11700, top, X + 13500, bottom}, kHeadingFormat);
  const int unitTop = Y0 - 4970, unitBottom = Y0 - 5420;
  dc.DrawText("[cm³]", Rect{X + 7000, unitTop, X + 8500, unitBottom}, kHeadingFormat);
  dc.DrawText("[cm³/kg]", Rect{X + 8500, unitTop, X + 9900, unitBottom}, kHeadingFormat);
  dc.DrawText("[cm³/kg]", Rect{X + 9900, unitTop, X + 11700, unitBottom}, kHeadingFormat);
  return d + 2080 + kRowStep * kRecycRows;
}

int CDruckSeite::DrawZusammRecycKorngemisch(DrawContext& dc, int d) {
  const CVersuch& r = *m_pVersuch;
  if (r.GetValue(15, 0).empty()) return d + kMixtureMinHeight;
  CDCSicherung state(dc, platform::TRANSPARENT);
  dc.SetTextColor(kBlack);
  const int X = m_Layout[SideTestAnchors].left;
  const int Y0 = m_Layout[SideTestAnchors].top - d;

  struct Row {
    std::string name, mass, share;
  };
  std::vector<Row> rows;
  for (int i = 0; i < kMixtureTriples; ++i) {
    Row row{r.GetValue(15, 2 + 3 * i), r.GetValue(15, 3 + 3 * i), r.GetValue(15, 4 + 3 * i)};
    if (!row.name.empty() && !row.mass.empty()) rows.push_back(row);
  }
  const int c = static_cast<int>(rows.size());
  const int B = Y0 - 1270 - kRowStep * c;

  for (int y : {Y0, Y0 - 400, Y0 - 1220, B}) Line(dc, X, y, X + 6700, y);
  for (int x : {X, X + 6700}) Line(dc, x, Y0, x, B);
  for (int x : {X + 4000, X + 5500}) Line(dc, x, Y0 - 400, x, B);

  dc.SelectFont(m_Fonts.text);
  for (int i = 0; i < c; ++i) {
    const int y = Y0 - 1220 - kRowStep * i;
    const Row& row = rows[static_cast<size_t>(i)];
    TextInColumn(dc, platform::TA_LEFT, X + 100, y, X, X + 4000, row.name, m_Fonts.textSmall);
    TextInColumn(dc, platform::TA_RIGHT, X + 5400, y, X + 4000, X + 5500, row.mass, m_Fonts.textSmall);
    TextInColumn(dc, platform::TA_RIGHT, X + 6600, y, X + 5500, X + 6700, row.share, m_Fonts.textSmall);
  }
  const int sumY = Y0 - 1320 - kRowStep * c;
  TextInColumn(dc, platform::TA_RIGHT, X + 5400, sumY, X + 4000, X + 5500, r.GetValue(15, 0), m_Fonts.textSmall);
  TextInColumn(dc, platform::TA_RIGHT, X + 6600, sumY, X + 5500, X + 6700, r.GetValue(15, 1), m_Fonts.textSmall);
  dc.SelectFont(m_Fonts.serif);
  TextAt(dc, platform::TA_RIGHT, X + 4000, sumY, PrintText(6271, "Summe:") + " ");
  dc.DrawText(PrintText(6148, "Stoffliche Zusammensetzung"), Rect{X, Y0 - 40, X + 6700, Y0 - 400}, kHeadingFormat);
  const int top = Y0 - 450, bottom = Y0 - 1220;
  dc.DrawText(PrintText(6149, "Material"), Rect{X, top, X + 4000, bottom}, kHeadingFormat);
  dc.DrawText(PrintText(6150, "Masse\n[g]"), Rect{X + 4000, top, X + 5500, bottom}, kHeadingFormat);
  dc.DrawText(PrintText(6151, "Anteil\n[M.-%]"), Rect{X + 5500, top, X + 6700, bottom}, kHeadingFormat);
  // The next block goes under the sum line, however many rows there are.
  return d + ZusammRecycKorngemischHeight(c);
}

int CDruckSeite::DrawSandaequivalent(DrawContext& dc, int d) {
  const CVersuch& r = *m_pVersuch;
  CDCZustand state(dc);
  dc.SetTextColor(kBlack);
  const int X = m_Layout[SideTestAnchors].left;
  const int Y0 = m_Layout[SideTestAnchors].top - d;

  dc.SelectFont(m_Fonts.serifLarge);
  dc.SetTextAlign(platform::TA_LEFT | platform::TA_TOP);
  TextOutMarkup(dc, X, Y0, 80, PrintText(67601, "Sandäquivalent") + " SE<t>F");

  const std::array<int, 4> columns = {X, X + 4000, X + 5800, X + 7600};
  const std::array<int, 6> rowLines = {Y0 - 500, Y0 - 1000, Y0 - 1500, Y0 - 2000, Y0 - 2500, Y0 - 3000};
  DrawGridLines(dc, columns.data(), static_cast<int>(columns.size()), rowLines.data(), static_cast<int>(rowLines.size()));

  const std::array<std::string, 5> captions = {PrintText(67602, "Einzelwerte [%]"), PrintText(67603, "Mittelwert [%]"),
                                               PrintText(67604, "Soll [%]"), PrintText(67605, "Eignungsprüfung [%]"),
                                               PrintText(67606, "Anforderung erfüllt")};
  const platform::Font& small = m_Fonts.textSmall;
  for (size_t i = 0; i < captions.size(); ++i) {
    dc.SelectFont(m_Fonts.text);
    TextInColumn(dc, platform::TA_LEFT, X + 200, rowLines[i] - 50, X, X + 4000, captions[i], small);
  }
  dc.SelectFont(m_Fonts.text);
  TextInColumn(dc, platform::TA_RIGHT, X + 5700, rowLines[0] - 50, X + 4000, X + 5800, r.GetValue(31, 2), small);
  for (int i = 0; i <= 4; ++i) {
    // The fulfilment as the test stored it ("Ja", "Nein") in the printed language.
    const std::string value = i == 0 ? r.GetValue(31, 6) : i == 4 ? StoredYesNoText(r.GetValue(31, 11)) : r.GetValue(31, 7 + i);
    TextInColumn(dc, platform::TA_RIGHT, X + 7500, rowLines[static_cast<size_t>(i)] - 50, X + 5800, X + 7600, value, small);
  }
  return d + 3000;
}

void CDruckSeite::DrawLaenger100(DrawContext& dc, int d) {
  const CVersuch& r = *m_pVersuch;
  CDCZustand state(dc);
  dc.SetTextColor(kBlack);
  const int X = m_Layout[SideTestAnchors].left;
  const int Y0 = m_Layout[SideTestAnchors].top - d;

  dc.SelectFont(m_Fonts.serifLarge);
  TextAt(dc, platform::TA_LEFT, X, Y0, PrintText(6355, "Bestimmung der Körner mit einer Länge > 100 mm"));

  const std::array<int, 4> columns = {X, X + 3000, X + 5800, X + 7600};
  const std::array<int, 3> rowLines = {Y0 - 500, Y0 - 1600, Y0 - 2100};
  DrawGridLines(dc, columns.data(), static_cast<int>(columns.size()), rowLines.data(), static_cast<int>(rowLines.size()));

  dc.SelectFont(m_Fonts.serif);
  const std::string fulfilment = r.GetValue(16, 3);
  if (fulfilment == "1") TextAt(dc, platform::TA_LEFT, X, Y0 - 2200, PrintText(6356, "Anforderung erfüllt: Ja"));
  if (fulfilment == "2") TextAt(dc, platform::TA_LEFT, X, Y0 - 2200, PrintText(6357, "Anforderung erfüllt: Nein"));

  dc.SetTextAlign(platform::TA_CENTER | platform::TA_TOP);
  const platform::Point first{columns[0], columns[1]}, second{columns[1], columns[2]}, third{columns[2], columns[3]};
  TextOutCentredPair(dc, first, Y0 - 550, PrintText(6358, "Körner länger"));
  TextOutCentredPair(dc, first, Y0 - 880, PrintText(6359, "als 100 mm"));
  TextOutCentredPair(dc, first, Y0 - 1160, "[g]");
  TextOutCentredPair(dc, second, Y0 - 550, PrintText(6360, "Anteil der Körner"));
  TextOutCentredPair(dc, second, Y0 - 880, PrintText(6361, "länger als 100 mm"));
  TextOutCentredPair(dc, second, Y0 - 1160, "[M.-%]");
  TextOutCentredPair(dc, third, Y0 - 550, PrintText(6362, "Soll"));
  TextOutCentredPair(dc, third, Y0 - 880, "[M.-%]");

  dc.SelectFont(m_Fonts.text);
  TextOutCentredPair(dc, first, Y0 - 1690, r.GetValue(16, 10));
  TextOutCentredPair(dc, second, Y0 - 1690, r.GetValue(16, 0));
  TextOutCentredPair(dc, third, Y0 - 1690, r.GetValue(16, 2));
}
