// Page C: the side tests without a page of their own, stacked under the
// header; first the crushed and broken surfaces.
#include "reports/druckseite.h"

#include <algorithm>
#include <array>
#include <utility>

#include "charts/dczustand.h"
#include "records/requirement.h"
#include "records/strutil.h"
#include "records/versuch.h"
#include "reports/drucktabelle.h"
#include "reports/page_common.h"

using platform::DrawContext;
using namespace report_detail;

namespace {

constexpr int kClassRows = 10;
constexpr int kRowStep = 350;
// A block's title stands this far above its anchor.
constexpr int kTitleRise = 500;
// The least room between a heading and the column lines beside it.
constexpr int kHeadingClearance = 60;
// The least room between the table's last column line and the page frame.
constexpr int kFrameClearance = 300;

// Element 1 of a class row is the mass of Mtr: a row without it is empty.
bool IsFilledClassRow(const std::string& row) { return !StrGetFieldS(row, "@", 1).empty(); }

// The requirement codes of the material's "VA_BRUCH" entry as printed.
std::string RequirementShown(const std::string& item, int element) {
  return FormatRequirement(TrimWhite(StrGetField(item, '|', element)), 1);
}

// The label of class row `row`: older records keep the labels in part 8
// (at "¿"), this program in part 18 (at "@").
std::string ClassLabel(const CVersuch& record, int row, bool oldMethod) {
  if (oldMethod && !record.GetValue(20, 8).empty()) return StrGetFieldS(record.GetValue(20, 8), "¿", row);
  return StrGetFieldS(record.GetValue(20, 18), "@", row);
}

// Calls paint(k, row, values) for the k-th filled class row.
template <class Paint>
void ForEachFilledRow(const CVersuch& record, Paint paint) {
  int k = 0;
  for (int row = 0; row < kClassRows; ++row) {
    const std::string values = record.GetValue(20, 20 + row);
    if (IsFilledClassRow(values)) paint(k++, row, values);
  }
}

}  // namespace

void CountBruchKornklassen(const CVersuch& record, int& first, int& count) {
  first = 0;
  count = 0;
  for (int row = 0; row < kClassRows; ++row) {
    if (!IsFilledClassRow(record.GetValue(20, 20 + row))) continue;
    if (count == 0) first = row;
    ++count;
  }
}

void CDruckSeite::PrintPageC(DrawContext& dc) {
  DrawHeaderBlock(dc);
  // Below a long header block the page moves down, its first title with it.
  const int shift = HeaderClearance(m_Layout[CrushedSurfacesAnchors].top + kTitleRise);
  m_Layout[CrushedSurfacesAnchors].top += shift;
  m_Layout[SideTestAnchors].top += shift;
  // The blocks stack downwards from the anchor; y is the height they took.
  int y = 0;
  if (m_pVersuch->ContainsTestType("VA_BRUCH")) {
    const int mode = m_pVersuch->GetValueInt(20, 19);
    y = mode != 0 ? DrawBruchflaechigkeit(dc, mode) : DrawBruchflaechigkeitOldMethod(dc);
  }
  if (m_pVersuch->ContainsTestType("VA_RCZUS"))
    y = m_pVersuch->IsKorngemisch() ? DrawZusammRecycKorngemisch(dc, y) : DrawZusammRecyc(dc, y) + 300;
  if (m_pVersuch->ContainsTestType("VA_SANDEQ")) y = DrawSandaequivalent(dc, y) + 300;
  if (m_pVersuch->ContainsTestType("VA_100MM")) DrawLaenger100(dc, y);
}

int CDruckSeite::DrawBruchflaechigkeit(DrawContext& dc, int mode) {
  const CVersuch& r = *m_pVersuch;
  CDCZustand state(dc, platform::TRANSPARENT);
  dc.SetTextColor(kBlack);
  const int X = m_Layout[CrushedSurfacesAnchors].left;
  const int Y = m_Layout[CrushedSurfacesAnchors].top;
  int first = 0, n = 0;
  CountBruchKornklassen(r, first, n);
  const bool oneClass = mode == 1;
  const int Z = Y - 1600 - kRowStep * n;

  static constexpr std::array<int, 15> kColumns = {-300, 1300, 2900, 4200, 5350, 6650, 7800, 9100,
                                                   10250, 11550, 12700, 14000, 15150, 16450, 17750};
  // Narrowed where the page would leave its last column line next to the
  // frame.
  const int columns = oneClass ? 14 : 15;
  const int span = kColumns[static_cast<size_t>(columns - 1)];
  const double scale = std::min(1.0, static_cast<double>(m_PrintRect.right - kFrameClearance - X) / span);
  std::array<int, 15> colX{};
  for (size_t i = 0; i < colX.size(); ++i) colX[i] = X + static_cast<int>(kColumns[i] * scale);
  const std::array<int, 10> rowY = {Y, Y - 550, Y - 900, Y - 1250, Y - 1600, Z - 100, Z - 490, Z - 880, Z - 1300, Z - 1720};
  static constexpr std::array<int, 15> kFirstRows = {0, 0, 0, 3, 0, 3, 0, 3, 0, 3, 0, 1, 0, 0, 0};
  CDruckTabelle table{&dc, columns, 10, colX.data(), rowY.data(), kFirstRows.data(), 100};
  table.smallerFont = &m_Fonts.serifSmall;
  table.DrawGrid();

  dc.SelectFont(m_Fonts.serifLarge);
  dc.SetTextAlign(platform::TA_LEFT | platform::TA_TOP);
  dc.TextOut(colX[0], Y + 500, PrintText(6222, "Bruchflächigkeit"));

  dc.SelectFont(m_Fonts.serif);
  dc.SetTextAlign(platform::TA_CENTER | platform::TA_TOP);
  table.WriteColumn(1, 2, 0, PrintText(7510, "Menge aus\tSieblinie\tM1"));
  table.WriteCells(2, 4, 0, 2, 0, PrintText(7511, "vollst. gebr.\ttw. gebr.\tSonstige\tvollst. gerundet\tgebr. Oberfl."));
  table.WriteCells(2, 4, 1, 2, 0, PrintText(7512, "> 90 %\t50 - 90 %\t10 - 50 %\t< 10 %"));
  table.WriteRow(10, 11, 1, "10-100 %\t> 50 %");
  table.WriteCells(2, 4, 2, 2, 0, PrintText(7513, "Mtc\tMpc\tMop\tMtr"));
  table.WriteCell(12, 13, 0, PrintText(7514, "Summe"));
  if (!oneClass) table.WriteCell(13, 14, 0, PrintText(7523, "Einwaage"));
  table.WriteCell(12, 13, 2, "MXX");
  table.WriteRow(0, 1, 3, "mm\t[g]\t[g]\t[M%]\t[g]\t[M%]\t[g]\t[M%]\t[g]\t[M%]\t[M%]\t[M%]\t[g]\t[g]");

  dc.SetTextAlign(platform::TA_LEFT | platform::TA_TOP);
  auto caption = [&](int column, int row, const std::string& text) {
    dc.SelectFont(m_Fonts.serif);
    const auto c = static_cast<size_t>(column);
    TextOutInCell(dc, colX[c] + 100, rowY[static_cast<size_t>(row)], colX[c], colX[c + 1], text, {&m_Fonts.serifSmall});
  };
  caption(0, 0, PrintText(7515, "Kornklasse"));
  caption(0, 5, PrintText(7516, "Summe:"));
  caption(0, 6, oneClass ? PrintText(7517, "Ergebnis") : PrintText(7519, "Gewichtete"));
  caption(1, 6, oneClass ? PrintText(7518, "ganzz. ger.:") : PrintText(7520, "gem. Werte:"));
  caption(0, 7, PrintText(7521, "Sollwert:"));
  caption(0, 8, PrintText(7522, "Erfüllt:"));

  // Element of the class row, and the column line its value ends 100 before.
  static constexpr std::pair<int, int> kRowValues[] = {{13, 2}, {7, 3}, {8, 4},  {5, 5},   {6, 6},   {3, 7}, {4, 8},
                                                       {1, 9},  {2, 10}, {9, 11}, {10, 12}, {0, 13}, {11, 14}};
  // A value in the cell left of a column line, `offset` before it by the
  // alignment set; in the tiny face when the small one is too long for it.
  const platform::Font tiny = MakeFont("Courier New", 230, 600, kHorizontal);
  auto right = [&](int line, int offset, int y, const std::string& text) {
    if (oneClass && line == 14) return;  // no Einwaage column
    const auto c = static_cast<size_t>(line);
    TextOutInCell(dc, colX[c] - offset, y, colX[c - 1], colX[c], text, {&tiny});
  };
  ForEachFilledRow(r, [&](int k, int row, const std::string& values) {
    dc.SelectFont(m_Fonts.serif);
    dc.SetTextAlign(platform::TA_CENTER | platform::TA_TOP);
    TextOutCentred(dc, colX[0], colX[1], Y - 1640 - kRowStep * k, ClassLabel(r, row, false));
    dc.SetTextAlign(platform::TA_RIGHT | platform::TA_TOP);
    for (const auto& [element, line] : kRowValues) {
      dc.SelectFont(m_Fonts.textSmall);
      right(line, 100, Y - 1680 - kRowStep * k, StrGetFieldS(values, "@", element));
    }
  });

  dc.SetTextAlign(platform::TA_RIGHT | platform::TA_TOP);
  for (const auto& [part, line] : {std::pair{42, 2}, {38, 3}, {39, 5}, {40, 7}, {41, 9}, {37, 13}, {43, 14}}) {
    dc.SelectFont(m_Fonts.textSmall);
    right(line, 100, Z - 140, r.GetValue(20, part));
  }
  for (const auto& [part, line] : {std::pair{33, 4}, {32, 6}, {35, 8}, {31, 10}, {36, 11}, {34, 12}}) {
    dc.SelectFont(m_Fonts.textSmall);
    right(line, 450, Z - 530, r.GetValue(20, part));
  }

  const std::string item = r.GetSideTestEntry("VA_BRUCH");
  dc.SetTextAlign(platform::TA_CENTER | platform::TA_TOP);
  for (const auto& [element, line] : {std::pair{5, 4}, {6, 6}, {7, 8}, {2, 10}, {1, 12}}) {
    dc.SelectFont(m_Fonts.serifSmall);
    right(line, 550, Z - 920, RequirementShown(item, element));
  }
  for (const auto& [part, line] : {std::pair{6, 4}, {5, 6}, {4, 8}, {3, 10}, {7, 12}}) {
    dc.SelectFont(m_Fonts.textSmall);
    right(line, 550, Z - 1340, YesNoText(r.GetValue(20, part)));
  }
  return 4500 + kRowStep * n;
}

int CDruckSeite::DrawBruchflaechigkeitOldMethod(DrawContext& dc) {
  const CVersuch& r = *m_pVersuch;
  CDCZustand state(dc, platform::TRANSPARENT);
  dc.SetTextColor(kBlack);
  const int X = m_Layout[CrushedSurfacesAnchors].left;
  const int Y = m_Layout[CrushedSurfacesAnchors].top;
  int first = 0, n = 0;
  CountBruchKornklassen(r, first, n);
  const int Z = Y - 1600 - kRowStep * n;
  static constexpr std::array<int, 12> kX = {0, 1900, 3500, 5000, 6300, 7800, 9100, 10600, 11900, 13400, 14700, 16900};
  auto x = [X](int i) { return X + kX[static_cast<size_t>(i)]; };

  for (int y : {Y, Y - 1600, Z - 100, Z - 490, Z - 880, Z - 1300, Z - 1720}) {
    dc.MoveTo(x(0), y);
    dc.LineTo(x(11), y);
  }
  for (const auto& [column, top] : {std::pair{0, Y}, {1, Y}, {2, Y}, {4, Y}, {6, Y}, {10, Y}, {11, Y}, {8, Y - 550},
                                    {3, Y - 1300}, {5, Y - 1300}, {7, Y - 1300}, {9, Y - 1300}}) {
    dc.MoveTo(x(column), top);
    dc.LineTo(x(column), Z - 1720);
  }

  dc.SelectFont(m_Fonts.serifLarge);
  dc.SetTextAlign(platform::TA_LEFT | platform::TA_TOP);
  dc.TextOut(x(0), Y + 500, PrintText(6222, "Bruchflächigkeit"));

  dc.SelectFont(m_Fonts.serif);
  dc.SetTextAlign(platform::TA_CENTER | platform::TA_TOP);
  // A heading wider than its columns takes the small face, so that it
  // clears their lines.
  auto over = [&](int from, int to, int y, const std::string& text) {
    if (dc.GetTextExtent(text).cx <= x(to) - x(from) - 2 * kHeadingClearance) {
      TextOutCentred(dc, x(from), x(to), y, text);
      return;
    }
    const platform::Font old = dc.SelectFont(m_Fonts.serifSmall);
    TextOutCentred(dc, x(from), x(to), y, text);
    dc.SelectFont(old);
  };
  over(2, 4, Y - 60, PrintText(6204, "vollrundflächig"));
  over(6, 10, Y - 60, PrintText(6205, "bruchflächig"));
  over(10, 11, Y - 60, PrintText(6215, "gebr. Oberfläche"));
  over(2, 4, Y - 550, PrintText(6207, "gebrochene"));
  over(4, 6, Y - 550, PrintText(6209, "gebrochene"));
  over(6, 8, Y - 550, PrintText(6211, "gebrochene"));
  over(8, 10, Y - 550, PrintText(6213, "gebrochene"));
  over(10, 11, Y - 550, PrintText(6216, "Summe"));
  over(1, 2, Y - 850, PrintText(6206, "Einwaage"));
  over(2, 4, Y - 850, PrintText(6208, "Oberfläche  < 10%"));
  over(4, 6, Y - 850, PrintText(6210, "Oberfläche  10% - 50%"));
  over(6, 8, Y - 850, PrintText(6212, "Oberfläche  50% - 90%"));
  over(8, 10, Y - 850, PrintText(6214, "Oberfläche  > 90%"));
  over(10, 11, Y - 850, "10% - 100%");
  for (int from : {1, 2, 4, 6, 8}) over(from, from + 1, Y - 1250, "[g]");
  for (int from : {3, 5, 7, 9, 10}) over(from, from + 1, Y - 1250, "[M.-%]");

  ForEachFilledRow(r, [&](int k, int row, const std::string&) { over(0, 1, Y - 1640 - kRowStep * k, ClassLabel(r, row, true)); });

  dc.SetTextAlign(platform::TA_RIGHT | platform::TA_TOP);
  dc.TextOut(x(1) - 100, Z - 180, PrintText(6217, "Gesamt:"));
  dc.TextOut(x(1) - 100, Z - 570, PrintText(61001, "Anteil:"));
  dc.TextOut(x(1) - 100, Z - 960, PrintText(6218, "Sollwert:"));
  dc.TextOut(x(1) - 100, Z - 1380, PrintText(6219, "Sollw. erfüllt?"));

  dc.SelectFont(m_Fonts.text);
  ForEachFilledRow(r, [&](int k, int, const std::string& values) {
    const int y = Y - 1640 - kRowStep * k;
    for (int element = 0; element <= 8; ++element) dc.TextOut(x(element + 2) - 100, y, StrGetFieldS(values, "@", element));
    dc.TextOut(x(11) - 500, y, StrGetFieldS(values, "@", 9));
  });

  // Records of the older dialog (without part 19) keep the column sums as
  // Mtr, Mop, Mpc, Mtc; this dialog as Mtc, Mpc, Mop, Mtr.
  const bool olderDialog = r.GetValue(20, 19).empty();
  const std::array<int, 4> sums = olderDialog ? std::array<int, 4>{38, 39, 40, 41} : std::array<int, 4>{41, 40, 39, 38};
  dc.TextOut(x(2) - 100, Z - 140, r.GetValue(20, 37));
  for (int i = 0; i < 4; ++i) dc.TextOut(x(3 + 2 * i) - 100, Z - 140, r.GetValue(20, sums[static_cast<size_t>(i)]));

  for (const auto& [part, column] : {std::pair{31, 3}, {35, 5}, {32, 7}, {33, 9}}) dc.TextOut(x(column) + 850, Z - 530, r.GetValue(20, part));
  dc.TextOut(x(11) - 450, Z - 530, r.GetValue(20, 36));

  const std::string item = r.GetSideTestEntry("VA_BRUCH");
  dc.SelectFont(m_Fonts.serif);
  for (const auto& [element, column] : {std::pair{2, 3}, {7, 5}, {6, 7}, {5, 9}})
    dc.TextOut(x(column) + 1000, Z - 920, RequirementShown(item, element));
  dc.SelectFont(m_Fonts.text);
  for (const auto& [part, column] : {std::pair{3, 3}, {4, 5}, {5, 7}, {6, 9}})
    dc.TextOut(x(column) + 900, Z - 1340, YesNoText(r.GetValue(20, part)));

  // Broken surfaces above 50 % under the table.
  const std::pair<std::string, std::string> lines[] = {
      {PrintText(6223, "gebr. Oberfläche >50% [M.-%]:"), r.GetValue(20, 34)},
      {PrintText(6224, "Soll [M.-%]:"), RequirementShown(item, 1)},
      {PrintText(6225, "Soll erfüllt?"), YesNoText(r.GetValue(20, 7))}};
  for (int i = 0; i < 3; ++i) {
    const int y = Z - 1800 - 350 * i;
    dc.SelectFont(m_Fonts.serif);
    dc.TextOut(x(9), y, lines[i].first);
    dc.SelectFont(m_Fonts.text);
    dc.TextOut(x(9) + 1100, y, lines[i].second);
  }
  return 5000 + kRowStep * n;
}
