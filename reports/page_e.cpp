// Pages E and F: armourstone, from record field 26. The size form (a
// sieving against a size category) prints its sieve table, requirement
// table, stone-shape result and chart on page E and the 220 stone shapes on
// page F; the mass form (single stones weighed against a mass category)
// prints its table, chart and stones 1 to 50 on page E, the stones 51 to 220
// with the sums on page F.
#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <utility>

#include "charts/dczustand.h"
#include "records/strutil.h"
#include "records/versuch.h"
#include "records/wbsfield.h"
#include "reports/druckseite.h"
#include "reports/drucktabelle.h"
#include "reports/page_common.h"
#include "services/settings.h"

using platform::DrawContext;
using platform::Rect;
using namespace report_detail;

namespace {

void Line(DrawContext& dc, int x1, int y1, int x2, int y2) {
  dc.MoveTo(x1, y1);
  dc.LineTo(x2, y2);
}

void Text(DrawContext& dc, unsigned align, int x, int y, const std::string& text) {
  dc.SetTextAlign(align | platform::TA_TOP);
  dc.TextOut(x, y, text);
}
void Left(DrawContext& dc, int x, int y, const std::string& text) { Text(dc, platform::TA_LEFT, x, y, text); }
void Right(DrawContext& dc, int x, int y, const std::string& text) { Text(dc, platform::TA_RIGHT, x, y, text); }
void Centre(DrawContext& dc, int x, int y, const std::string& text) { Text(dc, platform::TA_CENTER, x, y, text); }

// A number split at its point, the part before right-aligned at x and the
// point with the rest at x + 240 ("31" and ".5").
void SplitNumber(DrawContext& dc, int x, int y, const std::string& number) {
  const size_t point = number.find('.');
  Right(dc, x, y, number.substr(0, point));
  if (point != std::string::npos && point + 1 < number.size()) Right(dc, x + 240, y, number.substr(point));
}

// The blank-separated values of a part, trailing blanks removed.
std::vector<std::string> Values(std::string part) {
  while (!part.empty() && part.back() == ' ') part.pop_back();
  std::vector<std::string> values;
  if (part.empty()) return values;
  for (int i = 0; i < StrCountFields(part, ' '); ++i) values.push_back(StrGetField(part, ' ', i));
  return values;
}

std::string ValueAt(const std::vector<std::string>& values, size_t i) { return i < values.size() ? values[i] : ""; }

// "12.50" -> "12.5", "40.00" -> "40".
std::string WithoutZeros(std::string value) {
  if (value.find('.') == std::string::npos) return value;
  while (!value.empty() && value.back() == '0') value.pop_back();
  if (!value.empty() && value.back() == '.') value.pop_back();
  return value;
}

// The labels of the two badly-shaped rows that the weighing stores, in the
// printed language.
std::string BadShapeLabel(const std::string& stored) {
  if (stored == "Schlecht geformt in kg") return PrintText(61100, "Schlecht geformt in kg");
  if (stored == "Schlecht geformt Anzahl") return PrintText(61101, "Schlecht geformt Anzahl");
  return stored;
}

std::string Underscores(std::string value) {
  for (char& c : value)
    if (c == '_') c = ' ';
  return value;
}

// The requirement table of a sieving: a heading row and one row per sieve.
void DrawWBSSiebanforderungen(DrawContext& dc, int x, int y, const std::string& sieves, const std::string& passing,
                              const std::string& ranges, const std::string& words) {
  const std::vector<std::string> s = Values(sieves), p = Values(passing), r = Values(ranges), w = Values(words);
  const int rows = static_cast<int>(s.size()) + 1;
  for (int row = 0; row < rows; ++row) {
    const int top = y - 390 * row;
    Line(dc, x, top, x + 6600, top);
    for (int cx : {0, 2100, 3600, 5100, 6600}) Line(dc, x + cx, top, x + cx, top - 390);
  }
  Line(dc, x, y - 390 * rows, x + 6600, y - 390 * rows);
  const int head = y - 50;
  Right(dc, x + 1950, head, PrintText(61110, "Sieb [mm]"));
  Right(dc, x + 3450, head, PrintText(6395, "Ist [%]"));
  Right(dc, x + 4950, head, PrintText(6396, "Soll [%]"));
  Right(dc, x + 6450, head, PrintText(6397, "erfüllt?"));
  for (size_t i = 0; i < s.size(); ++i) {
    const int top = y - 390 * static_cast<int>(i + 1) - 50;
    SplitNumber(dc, x + 1740, top, s[i]);
    Right(dc, x + 3450, top, ValueAt(p, i));
    Right(dc, x + 4950, top, ValueAt(r, i));
    Right(dc, x + 6450, top, StoredYesNoText(ValueAt(w, i)));
  }
}

// The stone-shape result of a sieving: five bands of 390.
void DrawWBSSteinformErgebnis(DrawContext& dc, int x, int y, const std::string& result) {
  auto element = [&result](int i) { return StrGetField(result, '@', i); };
  auto band = [y](int b) { return y - 390 * b; };
  for (int b = 0; b < 5; ++b) {
    if (b != 3) Line(dc, x, band(b), x + 8000, band(b));
    for (int cx : {0, 2000, 3500, 5000, 6500, 8000})
      if (cx != 3500 || b >= 3) Line(dc, x + cx, band(b), x + cx, band(b + 1));
  }
  Line(dc, x, band(5), x + 8000, band(5));
  auto at = [&](int b) { return band(b) - 50; };
  Centre(dc, x + 1000, at(0), PrintText(6410, "Kategorie"));
  Centre(dc, x + 3500, at(0), element(0));
  Centre(dc, x + 1000, at(2), PrintText(61114, "Anz. gültige"));
  Centre(dc, x + 3500, at(2), PrintText(6411, "Schlecht geformt"));
  Centre(dc, x + 5750, at(2), PrintText(6412, "Sollwert"));
  Centre(dc, x + 7250, at(2), PrintText(6413, "Anford."));
  Centre(dc, x + 1000, at(3), PrintText(6414, "Werte"));
  Centre(dc, x + 2750, at(3), PrintText(6415, "Anzahl"));
  Centre(dc, x + 4250, at(3), "[%]");
  Centre(dc, x + 5750, at(3), "[%]");
  Centre(dc, x + 7250, at(3), PrintText(6416, "erfüllt?"));
  Centre(dc, x + 1000, at(4), element(1));
  Centre(dc, x + 2750, at(4), element(2));
  Centre(dc, x + 4250, at(4), element(3));
  Centre(dc, x + 5750, at(4), element(4));
  const std::string met = element(5);
  if (met == "1") Centre(dc, x + 7250, at(4), PrintText(6000, "ja"));
  else if (met == "0") Centre(dc, x + 7250, at(4), PrintText(6001, "nein"));
}

// The columns of the stone-shape list of a sieving.
constexpr std::array<int, 6> kShapeColumns = {0, 500, 1550, 2600, 3650, 4700};

// The face of a stone-list heading too long for its narrow column.
platform::Font TinySerif() { return MakeFont("Times New Roman", 200, 400, kHorizontal); }

void DrawWBSSteinformKopf(DrawContext& dc, int x, int y) {
  for (int cx : kShapeColumns) Line(dc, x + cx, y, x + cx, y + 700);
  Line(dc, x, y + 700, x + 4720, y + 700);
  const std::string length = PrintText(67609, "Länge"), thickness = PrintText(67610, "Dicke");
  const std::string top[] = {PrintText(6288, "Nr."), length, thickness, PrintText(67613, "Länge /"),
                             PrintText(67105, "Schlecht")};
  const std::string bottom[] = {"", "[cm]", "[cm]", thickness, PrintText(67106, "geformt")};
  const platform::Font current = dc.GetFont(), tiny = TinySerif();
  dc.SetTextAlign(platform::TA_LEFT | platform::TA_TOP);
  for (size_t c = 0; c < 5; ++c) {
    const int left = x + kShapeColumns[c], right = x + kShapeColumns[c + 1];
    for (const auto& [text, line] : {std::pair{top[c], y + 650}, {bottom[c], y + 350}}) {
      TextOutInCell(dc, left + 100, line, left, right, text, {&tiny});
      dc.SelectFont(current);
    }
  }
}

void DrawWBSSteinformZeile(DrawContext& dc, int x, int y, int number, const std::string& length,
                           const std::string& thickness, const std::string& ratio, const std::string& word) {
  for (int cx : kShapeColumns) Line(dc, x + cx, y, x + cx, y - 280);
  const int top = y - 20;
  Right(dc, x + kShapeColumns[1] - 50, top, std::to_string(number));
  Right(dc, x + kShapeColumns[2] - 50, top, length);
  Right(dc, x + kShapeColumns[3] - 50, top, thickness);
  Right(dc, x + kShapeColumns[4] - 50, top, ratio);
  Centre(dc, x + (kShapeColumns[4] + kShapeColumns[5]) / 2, top, StoredYesNoText(word));
}

// The columns of the stone list of a weighing: number, five mass bands,
// length, thickness, mass of a badly shaped stone.
constexpr std::array<int, 10> kStoneColumns = {0, 500, 1550, 2600, 3650, 4700, 5750, 6600, 7450, 8500};

void DrawWBSMassenTabelle(DrawContext& dc, int x, int y, const std::string& limits, const std::string& cumulative,
                          const std::string& passing, const std::string& ranges, const std::string& words) {
  const std::vector<std::string> l = Values(limits), c = Values(cumulative), p = Values(passing), r = Values(ranges),
                                 w = Values(words);
  for (int row = 0; row < 7; ++row) {
    const int top = y - 390 * row;
    Line(dc, x, top, x + 9100, top);
    for (int cx : {0, 3100, 4600, 6100, 7600, 9100}) Line(dc, x + cx, top, x + cx, top - 390);
  }
  Line(dc, x, y - 390 * 7, x + 9100, y - 390 * 7);
  const int head = y - 50;
  Right(dc, x + 2950, head, PrintText(6390, "Bereich"));
  Right(dc, x + 4450, head, PrintText(61111, "Ist"));
  Right(dc, x + 5950, head, PrintText(61111, "Ist") + " [%]");
  Right(dc, x + 7450, head, PrintText(61112, "Soll") + " [%]");
  Right(dc, x + 8950, head, PrintText(61113, "erfüllt?"));
  for (size_t i = 0; i < 6; ++i) {
    const int top = y - 390 * static_cast<int>(i + 1) - 50;
    const std::string limit = ValueAt(l, i);
    if (i < 4) {
      Right(dc, x + 2950, top, "0.0 - " + limit + " kg");
      Right(dc, x + 4450, top, ValueAt(c, i) + " kg");
    } else {
      if (!limit.empty() && limit != ".") Right(dc, x + 2950, top, BadShapeLabel(Underscores(limit)));
      Right(dc, x + 4450, top, Underscores(ValueAt(c, i)));
    }
    Right(dc, x + 5950, top, ValueAt(p, i));
    if (const std::string v = ValueAt(r, i); v != ".") Right(dc, x + 7450, top, v);
    if (const std::string v = ValueAt(w, i); v != ".") Right(dc, x + 8950, top, StoredYesNoText(v));
  }
}

void DrawWBSSteinlisteKopf(DrawContext& dc, int x, int y, const std::string& limitsPart) {
  const auto& X = kStoneColumns;
  for (size_t c = 0; c < X.size(); ++c) Line(dc, x + X[c], y, x + X[c], y + (c == 7 ? 250 : 600));
  Line(dc, x, y + 600, x + X[9], y + 600);
  const std::vector<std::string> values = Values(limitsPart);
  std::array<std::string, 4> limit;
  for (size_t k = 0; k < 4; ++k) limit[k] = WithoutZeros(ValueAt(values, k));
  for (size_t b = 0; b < 5; ++b) {
    const int left = x + X[b + 1], right = x + X[b + 2];
    const std::string upper = b == 0 ? " <" : b == 4 ? " >" : limit[b - 1] + " -";
    const std::string lower = (b == 0 ? limit[0] : b == 4 ? limit[3] : limit[b]) + " kg";
    Left(dc, left + 50, y + 550, upper);
    Right(dc, right - 50, y + 300, lower);
  }
  Right(dc, x + X[1] - 50, y + 550, PrintText(6288, "Nr."));
  Centre(dc, x + X[7], y + 550, PrintText(67608, "Steinform [cm]"));
  const platform::Font current = dc.GetFont(), tiny = TinySerif();
  dc.SetTextAlign(platform::TA_CENTER | platform::TA_TOP);
  const struct {
    size_t from;
    int y;
    std::string text;
  } heads[] = {{6, y + 300, PrintText(67609, "Länge")},
               {7, y + 300, PrintText(67610, "Dicke")},
               {8, y + 550, PrintText(67611, "schlecht")},
               {8, y + 300, PrintText(67612, "gef. [kg]")}};
  for (const auto& head : heads) {
    const int left = x + X[head.from], right = x + X[head.from + 1];
    TextOutInCell(dc, (left + right) / 2, head.y, left, right, head.text, {&tiny});
    dc.SelectFont(current);
  }
}

void DrawWBSSteinlisteZeile(DrawContext& dc, int x, int y, int number, const std::string& token,
                            const std::string& length, const std::string& thickness, const std::string& badMass) {
  const auto& X = kStoneColumns;
  for (int cx : X) Line(dc, x + cx, y, x + cx, y - 280);
  const int top = y - 20;
  Right(dc, x + X[1] - 50, top, std::to_string(number));
  const std::string mass = WBSStoneTokenMass(token);
  const int band = WBSStoneTokenBand(token);
  if (!mass.empty() && band >= 0 && band <= 4) Right(dc, x + X[static_cast<size_t>(band) + 2] - 50, top, mass);
  Right(dc, x + X[7] - 50, top, length);
  Right(dc, x + X[8] - 50, top, thickness);
  Right(dc, x + X[9] - 50, top, badMass);
}

void DrawWBSMassenSummen(DrawContext& dc, int x, int y, const std::string& bandMasses, const std::string& dust,
                         const std::string& withDust, const std::string& total, double badSum) {
  const auto& X = kStoneColumns;
  for (size_t c = 1; c < X.size(); ++c) Line(dc, x + X[c], y, x + X[c], y - (c == 1 || c == 6 ? 1230 : 890));
  Line(dc, x + X[1], y - 890, x + X[9], y - 890);
  Line(dc, x + X[1], y - 1230, x + X[6], y - 1230);
  const std::vector<std::string> bands = Values(bandMasses), bandsWithDust = Values(withDust);
  Right(dc, x + X[1] - 50, y - 50, PrintText(6386, "Summe "));
  Right(dc, x + X[1] - 50, y - 330, PrintText(6387, "+ Staub "));
  Right(dc, x + X[1] - 50, y - 610, PrintText(6388, "Summe "));
  for (size_t b = 0; b < 5; ++b) {
    Right(dc, x + X[b + 2] - 50, y - 50, ValueAt(bands, b));
    Right(dc, x + X[b + 2] - 50, y - 610, ValueAt(bandsWithDust, b));
  }
  Right(dc, x + X[2] - 50, y - 330, dust);
  Right(dc, x + X[9] - 50, y - 610, FormatDouble(badSum, 2));
  Left(dc, x + X[1] + 150, y - 930, PrintText(6389, "Masse gesamte Probe [kg]:"));
  Left(dc, x + X[1] + 3000, y - 930, WithoutZeros(total));
}

}  // namespace

void CDruckSeite::DrawArmourstonePage(DrawContext& dc, int page) {
  if (!m_pVersuch) return;
  CDCZustand state(dc, platform::TRANSPARENT);
  dc.SelectPen(platform::Pen{platform::PS_SOLID, 5, kBlack});
  if (GetWBSForm(m_pVersuch->GetField(26)) == WBSForm::kSize) {
    if (page == 0) DrawWBSGroessenverteilung(dc);
    else DrawWBSSteinformTabelle(dc);
  } else {
    DrawWBSMassenverteilungPage(dc, page);
  }
}

int CDruckSeite::ArmourstoneTop() const {
  const int anchor = m_Layout[ArmourstoneAnchors].bottom;
  return anchor + HeaderClearance(anchor);
}

void CDruckSeite::DrawWBSCategory(DrawContext& dc, int x, int y, const std::string& category) {
  std::string text = category;
  StrReplace(text, " ", "<t>");
  DrawCategoryText(dc, x, y, text);
}

void CDruckSeite::DrawWBSGroessenverteilung(DrawContext& dc) {
  const std::string field = m_pVersuch->GetField(26);
  auto part = [&field](int n) { return StrGetField(field, '|', n); };
  // Below a long header the page moves down and its chart gives the room.
  const int X = m_Layout[ArmourstoneAnchors].right, Y = ArmourstoneTop();
  const int chartBottom = m_Layout[ArmourstoneAnchors].bottom - 20000;
  dc.SelectFont(m_Fonts.serif);
  Left(dc, X, Y, PrintText(6405, "Kategorie:"));
  DrawWBSCategory(dc, X + 2500, Y, part(2));
  Left(dc, X, Y - 500, PrintText(6406, "Siebtabelle"));
  DrawWBSSiebtabelle(dc, X, Y - 1000, part(10), part(11), part(12), part(13), part(14), part(9));
  dc.SelectFont(m_Fonts.serif);
  Left(dc, X, Y - 6500, PrintText(6407, "Anforderungen an den Siebdurchgang"));
  Left(dc, X + 9000, Y - 6500, PrintText(6409, "Größenverteilung für die Kategorie"));
  DrawWBSSiebanforderungen(dc, X, Y - 7000, part(15), part(16), part(17), part(18));
  DrawWBSSteinformErgebnis(dc, X + 9000, Y - 7000, part(7));
  m_Diagramm.SetChartPens(ChartPens::FromLayoutTable(ReportSettings().LayoutTable));
  m_Diagramm.DrawWBSSieblinie(dc, Rect{X, Y - 11000, X + 17000, chartBottom}, field, true);
}

void CDruckSeite::DrawWBSSiebtabelle(DrawContext& dc, int x, int y, const std::string& labels,
                                     const std::string& residues, const std::string& shares,
                                     const std::string& passing, const std::string& total,
                                     const std::string& ranges) {
  static constexpr std::array<int, 7> kColumns = {0, 1700, 3400, 5100, 6800, 8500, 10200};
  Line(dc, x, y, x + kColumns[6], y);
  Line(dc, x, y - 800, x + kColumns[6], y - 800);
  static const struct {
    int id;
    const char* heading;
    const char* unit;
  } kHeads[] = {{6142, "Siebgröße", "[mm]"},       {6143, "Rückstand", "M [kg]"}, {6144, "Rückstand", "ri [M.-%]"},
                {6145, "Summe", "Ri [M.-%]"},      {6146, "Durchgang", "Pi [M.-%]"},
                {6147, "Anforderung", "[M.-%]"}};
  dc.SelectFont(m_Fonts.serif);
  for (size_t c = 0; c < 6; ++c) {
    const int left = x + kColumns[c], right = x + kColumns[c + 1];
    dc.DrawText(PrintText(kHeads[c].id, kHeads[c].heading), Rect{left, y - 50, right, y - 800},
                platform::DT_CENTER | platform::DT_WORDBREAK);
    dc.DrawText(kHeads[c].unit, Rect{left, y - 400, right, y - 800}, platform::DT_CENTER | platform::DT_WORDBREAK);
  }
  int printed = 0;
  double sum = 0;
  const int rows = residues.empty() ? 0 : StrCountFields(residues, '@');
  for (int i = 0; i < rows; ++i) {
    const std::string share = StrGetField(shares, '@', i);
    if (share.empty()) continue;
    const int top = y - 800 - 320 * printed;
    const std::string label = StrGetField(labels, '@', i);
    dc.SelectFont(m_Fonts.serif);
    SplitNumber(dc, x + 1050, top, label);
    dc.SelectFont(m_Fonts.text);
    sum += AtofLocale(share);
    Right(dc, x + 3116, top, StrGetField(residues, '@', i));
    Right(dc, x + 4816, top, share);
    Right(dc, x + 6516, top, FormatDouble(sum, 1));
    if (label.find('<') == std::string::npos) Right(dc, x + 8216, top, StrGetField(passing, '@', i));
    Right(dc, x + 9916, top, StrGetField(ranges, '@', i));
    ++printed;
  }
  const int bottom = y - 850 - 320 * printed;
  Line(dc, x, bottom, x + kColumns[6], bottom);
  for (int cx : kColumns) Line(dc, x + cx, y, x + cx, bottom);
  dc.SelectFont(m_Fonts.text);
  Right(dc, x + 3116, bottom - 50, total);
  Right(dc, x + 4816, bottom - 50, "100.0");
  dc.SelectFont(m_Fonts.serif);
  Right(dc, x + 1700, bottom - 50, PrintText(6271, "Summe:"));
}

void CDruckSeite::DrawWBSSteinformTabelle(DrawContext& dc) {
  const WBSShapeData shape = ReadWBSShapeData(m_pVersuch->GetField(26));
  const int X = m_Layout[ArmourstoneAnchors].right, Y = ArmourstoneTop();
  const int L = m_PrintRect.left;
  dc.SelectFont(m_Fonts.serif);
  Left(dc, X, Y, PrintText(61115, "Tabelle der Steinform"));
  dc.SelectFont(m_Fonts.serifSmall);
  const int y = Y - 1200;
  const struct {
    int x, first, last;
  } groups[] = {{L + 300, 1, 80}, {L + 5800, 81, 160}, {L + 11300, 161, 220}};
  for (const auto& g : groups) {
    DrawWBSSteinformKopf(dc, g.x, y);
    Line(dc, g.x, y, g.x + 4720, y);
    int row = 0;
    for (int stone = g.first; stone <= g.last; ++stone, ++row) {
      const auto k = static_cast<size_t>(stone - 1);
      DrawWBSSteinformZeile(dc, g.x, y - 240 * row, stone, shape.lengths[k], shape.thicknesses[k], shape.ratios[k],
                            shape.words[k]);
    }
    Line(dc, g.x, y - 240 * row - 50, g.x + 4720, y - 240 * row - 50);
  }
}

void CDruckSeite::DrawWBSMassenverteilungPage(DrawContext& dc, int page) {
  const std::string field = m_pVersuch->GetField(26);
  auto part = [&field](int n) { return StrGetField(field, '|', n); };
  // Below a long header the title moves down; on page E the chart gives the
  // room, so that the stone list keeps its place.
  const int X = m_Layout[ArmourstoneAnchors].right, Y = ArmourstoneTop();
  const int anchor = m_Layout[ArmourstoneAnchors].bottom;
  const int L = m_PrintRect.left;

  // Each value after its label, further right where a label is longer
  // than its place.
  constexpr int kGap = 150;
  dc.SelectFont(m_Fonts.serif);
  const std::string categoryLabel = PrintText(6398, "Massenverteilung gemäß  Kategorie:");
  Left(dc, X + 3000, Y, categoryLabel);
  const int categoryX = std::max(X + 7500, X + 3000 + dc.GetTextExtent(categoryLabel).cx + kGap);
  dc.SelectFont(m_Fonts.serifBold);
  DrawWBSCategory(dc, categoryX, Y, part(2));
  const int categoryEnd = categoryX + dc.GetTextExtent(part(2)).cx;
  dc.SelectFont(m_Fonts.serif);
  const std::string classLabel = PrintText(67607, "Gewichtsklasse:");
  const int classX = std::max(X + 10000, categoryEnd + 2 * kGap);
  Left(dc, classX, Y, classLabel);
  dc.SelectFont(m_Fonts.serifBold);
  const std::string massClass = part(3);
  Left(dc, std::max(X + 12000, classX + dc.GetTextExtent(classLabel).cx + kGap), Y,
       massClass == "1"   ? PrintText(7441, "Leicht")
       : massClass == "2" ? PrintText(7442, "Schwer")
                          : PrintText(7440, "keine"));

  dc.SelectFont(m_Fonts.serifSmall);
  const std::vector<std::string> tokens = Values(part(10));
  const int stones = std::min(static_cast<int>(tokens.size()), kWBSStones);
  const std::string lengths = part(5), thicknesses = part(6), badMasses = part(7);
  double badSum = 0;
  for (int i = 0; i < kWBSStones; ++i)
    if (const std::string bad = StrGetField(badMasses, '@', i); !bad.empty()) badSum += AtofLocale(bad);

  // A group of stones under its head; gives the y of its closing line.
  auto group = [&](int x, int y, int first, int last) {
    DrawWBSSteinlisteKopf(dc, x, y, part(14));
    Line(dc, x, y, x + 8500, y);
    int row = 0;
    for (int stone = first; stone <= last && stone <= stones; ++stone, ++row) {
      const int i = stone - 1;
      DrawWBSSteinlisteZeile(dc, x, y - 230 * row, stone, tokens[static_cast<size_t>(i)], StrGetField(lengths, '@', i),
                             StrGetField(thicknesses, '@', i), StrGetField(badMasses, '@', i));
    }
    const int closing = y - 230 * row - 50;
    Line(dc, x, closing, x + 8500, closing);
    return closing;
  };

  if (page == 0) {
    DrawWBSMassenTabelle(dc, L + 1300, Y - 700, part(14), part(15), part(16), part(17), part(18));
    m_Diagramm.SetChartPens(ChartPens::FromLayoutTable(ReportSettings().LayoutTable));
    m_Diagramm.DrawWBSMassenverteilung(dc, Rect{L + 300, Y - 4360, L + 17800, anchor - 12860}, field, true);
    dc.SelectFont(m_Fonts.serifSmall);
    group(L + 300, anchor - 14260, 1, 25);
    group(L + 9400, anchor - 14260, 26, 50);
  } else {
    // The long list keeps as much of its room as the title leaves it.
    const int top = std::min(anchor - 1400, Y - 1100);
    group(L + 300, top, 51, 140);
    const int closing = group(L + 9400, top, 141, 220);
    DrawWBSMassenSummen(dc, L + 9400, closing, part(11), part(4), part(12), part(13), badSum);
  }
}
