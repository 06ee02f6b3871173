// Page Y: the side tests of track ballast, one block per test with its
// stored values and verdict line.
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "records/requirement.h"
#include "records/strutil.h"
#include "records/versuch.h"
#include "reports/ballast_report.h"
#include "reports/druckseite.h"
#include "reports/drucktabelle.h"
#include "reports/page_common.h"

using platform::DrawContext;
using platform::Font;
using platform::Point;
using namespace report_detail;

namespace {

constexpr unsigned kLeftTop = platform::TA_LEFT | platform::TA_TOP;
constexpr unsigned kCentreTop = platform::TA_CENTER | platform::TA_TOP;
constexpr unsigned kRightTop = platform::TA_RIGHT | platform::TA_TOP;

void Put(DrawContext& dc, const Font& font, unsigned align, int x, int y, const std::string& text) {
  if (text.empty()) return;
  dc.SelectFont(font);
  dc.SetTextAlign(align);
  dc.TextOut(x, y, text);
}

void HLine(DrawContext& dc, int x1, int x2, int y) {
  dc.MoveTo(x1, y);
  dc.LineTo(x2, y);
}

void VLine(DrawContext& dc, int x, int y1, int y2) {
  dc.MoveTo(x, y1);
  dc.LineTo(x, y2);
}

// Pieces drawn one after another from the current position.
struct Run {
  const Font* font;
  std::string text;
};
void DrawRun(DrawContext& dc, int x, int y, const std::vector<Run>& pieces) {
  platform::DrawStateGuard state(dc, platform::kStateFont | platform::kStateTextAlign);
  const Point position = dc.MoveTo(x, y);
  dc.SetTextAlign(kLeftTop | platform::TA_UPDATECP);
  for (const Run& piece : pieces) {
    if (piece.text.empty()) continue;
    dc.SelectFont(*piece.font);
    dc.TextOut(0, 0, piece.text);
  }
  dc.MoveTo(position);
}

// The pieces in their faces, or in the small ones of `compact` (the same
// texts) when they would run longer than `room`.
void DrawRunWithin(DrawContext& dc, int x, int y, int room, std::initializer_list<Run> pieces,
                   std::initializer_list<const Font*> compact) {
  int length = 0;
  for (const Run& piece : pieces) {
    dc.SelectFont(*piece.font);
    length += dc.GetTextExtent(piece.text).cx;
  }
  std::vector<Run> shown(pieces);
  if (length > room && compact.size() == pieces.size()) {
    auto font = compact.begin();
    for (Run& piece : shown) piece.font = *font++;
  }
  DrawRun(dc, x, y, shown);
}

std::string VerdictText(BallastVerdict verdict, int metId, const char* met, int notMetId, const char* notMet) {
  if (verdict == BallastVerdict::kMet) return PrintText(metId, met);
  if (verdict == BallastVerdict::kNotMet) return PrintText(notMetId, notMet);
  return {};
}

// The verdict line of a block, or for a test the summary of page 1 calls
// not tested, the same words.
std::string BlockVerdict(const CVersuch& record, const char* testKey, const std::string& verdict) {
  if (!verdict.empty() || BallastSummaryVerdict(record, testKey) != BallastVerdict::kNone) return verdict;
  return PrintText(6251, "nicht bearbeitet");
}

// The words of the text split into lines no longer than `room` in the
// context's font; a word longer than that stands on a line of its own.
std::vector<std::string> WrapToWidth(DrawContext& dc, const std::string& text, int room) {
  std::vector<std::string> lines;
  std::string line;
  for (int k = 0;; ++k) {
    const std::string word = StrGetField(text, ' ', k);
    if (word.empty() && k >= StrCountFields(text, ' ')) break;
    if (word.empty()) continue;
    const std::string longer = line.empty() ? word : line + " " + word;
    if (line.empty() || dc.GetTextExtent(longer).cx <= room) {
      line = longer;
    } else {
      lines.push_back(line);
      line = word;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// The four heading lines of a column made to fit its width: as they are
// when each line fits; else their words before the unit (the first line in
// brackets) wrapped anew into the lines above it, in the first of the fonts
// that lets them; else in the last font as they are. Selects the font.
void FitHeadingLines(DrawContext& dc, std::string (&lines)[4], int room,
                     std::initializer_list<const Font*> fonts) {
  auto fits = [&] {
    for (const std::string& line : lines)
      if (dc.GetTextExtent(line).cx > room) return false;
    return true;
  };
  dc.SelectFont(**fonts.begin());
  if (fits()) return;
  int textLines = 4;
  std::string words;
  for (int k = 0; k < 4; ++k) {
    if (!lines[k].empty() && lines[k][0] == '[') {
      textLines = k;
      break;
    }
    if (!lines[k].empty()) words += (words.empty() ? "" : " ") + lines[k];
  }
  for (const Font* font : fonts) {
    dc.SelectFont(*font);
    const std::vector<std::string> wrapped = WrapToWidth(dc, words, room);
    if (static_cast<int>(wrapped.size()) > textLines) continue;
    for (int k = 0; k < textLines; ++k)
      lines[k] = k < static_cast<int>(wrapped.size()) ? wrapped[static_cast<size_t>(k)] : std::string();
    if (fits()) return;
  }
}

}  // namespace

void CDruckSeite::DrawBallastSideTests(DrawContext& dc) {
  platform::DrawStateGuard state(dc, platform::kStateWithFont, platform::TRANSPARENT);
  dc.SetTextColor(kBlack);
  // The test number, as page X has it at the same place.
  const int x = m_Layout[HeaderAnchors].left, y = m_Layout[HeaderAnchors].top;
  Put(dc, m_Fonts.serif, kLeftTop, x, y, PrintText(6253, "Prüf.-Nr.:"));
  Put(dc, m_Fonts.text, kLeftTop, x + 2000, y, m_pVersuch->GetValue(1, 0));
  DrawBallastPurity(dc);
  DrawBallastShapeBlock(dc, 1);
  DrawBallastShapeBlock(dc, 0);
  DrawBallastGrainsOver100(dc);
  if (m_pVersuch->IsGleisschotterNeu()) {
    DrawBallastWaterAbsorption(dc);
    DrawBallastCrystallisation(dc);
  } else {
    DrawBallastEnvironment(dc);
  }
}

void CDruckSeite::DrawCentredLabels(DrawContext& dc, int x, int y, std::initializer_list<BlockLabel> labels) {
  for (const BlockLabel& label : labels) Put(dc, m_Fonts.serif, kCentreTop, x + label.dx, y - label.down, label.text);
}

void CDruckSeite::DrawSerifVerdictLine(DrawContext& dc, int x, int y, const std::string& text) {
  platform::DrawStateGuard state(dc, platform::kStateFont | platform::kStateTextAlign);
  dc.SelectFont(m_Fonts.serif);
  dc.SetTextAlign(kLeftTop);
  DrawVerdictLine(dc, x, y, text);
}

void CDruckSeite::DrawBallastPurity(DrawContext& dc) {
  const CVersuch& r = *m_pVersuch;
  CDCSicherung state(dc, platform::TRANSPARENT);
  const Font old = dc.SelectFont(m_Fonts.serif);
  const int x = m_Layout[PageNumberAnchors].left, y = m_Layout[PageNumberAnchors].top;
  const int y1 = y - 450;

  Put(dc, m_Fonts.serifLarge, kLeftTop, x, y + 501, PrintText(6298, "Reinheit/Gesteinsbeschaffenheit"));
  DrawSerifVerdictLine(dc, x, y - 5370,
                       BlockVerdict(r, "VA_GS_REINHEIT",
                                    VerdictText(BallastVerdictOfCode(r.GetValue(14, 0), "1", "0"), 6299,
                                                "Die Reinheit / Gesteinsbeschaffenheit der Probe ist bedingungsgemäß.",
                                                6310,
                                                "Die Reinheit / Gesteinsbeschaffenheit der Probe ist nicht "
                                                "bedingungsgemäß.")));

  HLine(dc, x, x + 14000, y);
  HLine(dc, x, x + 14000, y1);
  HLine(dc, x, x + 16300, y - 4920);
  HLine(dc, x + 10000, x + 16300, y - 5320);
  VLine(dc, x, y, y - 4920);
  for (int cx : {x + 10000, x + 12000, x + 14000}) VLine(dc, cx, y, y - 5320);
  VLine(dc, x + 16300, y - 4920, y - 5320);

  Put(dc, m_Fonts.serif, kLeftTop, x + 100, y - 50, PrintText(6311, "Bestandteile"));
  dc.SelectFont(m_Fonts.serif);
  dc.SetTextAlign(kCentreTop);
  TextOutInCell(dc, x + 11000, y - 50, x + 10000, x + 12000, PrintText(6312, "Anteil [g]"), {&m_Fonts.serifSmall});
  dc.SelectFont(m_Fonts.serif);
  TextOutInCell(dc, x + 13000, y - 50, x + 12000, x + 14000, PrintText(6313, "Anteil [M.-%]"), {&m_Fonts.serifSmall});
  Put(dc, m_Fonts.serif, kRightTop, x + 9950, y - 4940, PrintText(6314, "Summe:"));

  // The limit of the record's material; without one no limit is stated.
  const std::string code = r.GetSideTestEntry("VA_GS_REINHEIT").empty()
                               ? std::string()
                               : StrGetField(r.GetSideTestEntry("VA_GS_REINHEIT"), '|', 1);
  const BallastLimitText limit = BallastPurityLimit(code);
  const Font smallSymbol = MakeFont("Symbol", m_Fonts.serifSmall.height, m_Fonts.symbol.weight, kHorizontal);
  DrawRunWithin(dc, x + 14100, y - 4940, 16300 - 14100 - kCellTextMargin,
                {{&m_Fonts.serif, PrintText(6315, "Soll:  ")},
                 {&m_Fonts.symbol, limit.sign},
                 {&m_Fonts.serif, limit.sign.empty() ? limit.rest : " " + limit.rest}},
                {&m_Fonts.serifSmall, &smallSymbol, &m_Fonts.serifSmall});

  for (int i = 0; i < 14; ++i) {
    const std::string name = r.GetValue(14, 10 + 3 * i);
    if (name.empty()) continue;
    const int rowY = y - 500 - 310 * i;
    Put(dc, m_Fonts.text, kLeftTop, x + 100, rowY, name);
    Put(dc, m_Fonts.text, kRightTop, x + 11500, rowY, r.GetValue(14, 11 + 3 * i));
    Put(dc, m_Fonts.text, kCentreTop, x + 13000, rowY, r.GetValue(14, 12 + 3 * i));
  }
  Put(dc, m_Fonts.text, kCentreTop, x + 11000, y - 4920, r.GetValue(14, 1));
  Put(dc, m_Fonts.text, kCentreTop, x + 13000, y - 4920, r.GetValue(14, 2));
  dc.SelectFont(old);
}

void CDruckSeite::DrawBallastShapeBlock(DrawContext& dc, int variant) {
  const CVersuch& r = *m_pVersuch;
  platform::DrawStateGuard state(dc, platform::kStateWithFont, platform::TRANSPARENT);
  const bool shape = variant == 1;
  const int field = shape ? 12 : 23;
  const int x = shape ? m_Layout[RequirementAnchors].right : m_Layout[RemarksAnchors].left;
  const int y = shape ? m_Layout[RequirementAnchors].bottom : m_Layout[RemarksAnchors].top;
  const int c1 = x + 1800;
  const int c2 = shape ? x + 1800 : x + 3500;
  const int c3 = shape ? x + 3900 : x + 5500;
  const int c4 = shape ? x + 6000 : x + 8000;
  const int c5 = shape ? x + 7100 : x + 9100;
  const int u = shape ? y - 1000 : y - 1280;

  Put(dc, m_Fonts.serifLarge, kLeftTop, x, y + 501,
      shape ? PrintText(6363, "Bestimmung der Kornformkennzahl")
            : PrintText(6364, "Bestimmung der Plattigkeitskennzahl"));
  const BallastVerdict verdict = BallastVerdictOfCode(r.GetValue(field, 4), "1", "2");
  DrawSerifVerdictLine(dc, x, u - 2090,
                       BlockVerdict(r, shape ? "VA_GS_KORNFORM" : "VA_GS_PLATTIGKEIT",
                                    shape ? VerdictText(verdict, 6365, "Die Kornformkennzahl ist bedingungsgemäß.", 6367,
                                                        "Die Kornformkennzahl ist nicht bedingungsgemäß.")
                                          : VerdictText(verdict, 6366, "Die Plattigkeitskennzahl ist bedingungsgemäß.",
                                                        6368, "Die Plattigkeitskennzahl ist nicht bedingungsgemäß.")));

  for (int lineY : {y, u - 1090, u - 1990}) HLine(dc, x, c5, lineY);
  for (int lineY : {u, u - 710}) HLine(dc, x, c4, lineY);
  VLine(dc, x, y, u - 1990);
  for (int cx : {c1, c2, c3}) VLine(dc, cx, y, u - 1090);
  for (int cx : {c4, c5}) VLine(dc, cx, y, u - 1990);

  // Column headings, four lines each.
  const std::string soll = PrintText(61261, "Soll");
  const std::string cls = PrintText(6369, "Kornklasse"), square = PrintText(6370, "Quadratloch");
  const std::string total = PrintText(6374, "Gesamtgewicht"), grains = PrintText(6375, "der Körner");
  struct Column {
    int from, to;
    std::string lines[4];
  };
  const Column columns[] = {
      shape ? Column{x, c1, {cls, square, "[mm]", ""}} : Column{x, c1, {cls, square, "", "[mm]"}},
      shape ? Column{c1, c2, {}}
            : Column{c1,
                     c2,
                     {PrintText(6371, "Nenn-"), PrintText(6372, "Schlitzweite"), PrintText(6373, "des Stabsiebs"),
                      "[mm]"}},
      shape ? Column{c2, c3, {total, grains, "[g]", ""}} : Column{c2, c3, {total, grains, "", "[g]"}},
      shape ? Column{c3, c4, {PrintText(6376, "Gewicht der"), PrintText(6378, "Körner  > 3:1"), "[g]", ""}}
            : Column{c3,
                     c4,
                     {PrintText(6377, "Gewicht der Körner"), PrintText(6379, "Siebung mit"),
                      PrintText(6380, "Stabsieben"), "[g]"}},
      Column{c4, c5, {soll, "[M.-%]", "", ""}},
  };
  dc.SetTextAlign(kCentreTop);
  for (const Column& column : columns) {
    if (column.to <= column.from) continue;
    std::string lines[4] = {column.lines[0], column.lines[1], column.lines[2], column.lines[3]};
    FitHeadingLines(dc, lines, column.to - column.from - 2 * kCellTextMargin, {&m_Fonts.serif, &m_Fonts.serifSmall});
    for (int k = 0; k < 4; ++k)
      if (!lines[k].empty()) dc.TextOut((column.from + column.to) / 2, y - 20 - 280 * k, lines[k]);
  }

  Put(dc, m_Fonts.text, kCentreTop, (c4 + c5) / 2, u - 1570, r.GetValue(field, 3));
  Put(dc, m_Fonts.serif, kCentreTop, x + 900, u - 40, "40 - 50");
  Put(dc, m_Fonts.serif, kCentreTop, x + 900, u - 370, "31.5 - 40");
  Put(dc, m_Fonts.serif, kCentreTop, x + 900, u - 750, PrintText(6382, "Summe"));
  if (!shape) {
    Put(dc, m_Fonts.serif, kCentreTop, (c1 + c2) / 2, u - 40, "25");
    Put(dc, m_Fonts.serif, kCentreTop, (c1 + c2) / 2, u - 370, "20");
  }
  Put(dc, m_Fonts.serif, kLeftTop, c2 + 100, u - 730, shape ? "A=" : "C=");
  Put(dc, m_Fonts.serif, kLeftTop, c3 + 100, u - 730, shape ? "B=" : "D=");
  Put(dc, m_Fonts.serif, kLeftTop, x + 100, u - 1160,
      shape ? PrintText(6383, "Anteil der Körner mit l:d > 3:1") : PrintText(6384, "Plattigkeitskennzahl Fl:"));

  Put(dc, m_Fonts.text, kRightTop, c3 - 200, u - 10, r.GetValue(field, 11));
  Put(dc, m_Fonts.text, kRightTop, c4 - 200, u - 10, r.GetValue(field, 13));
  Put(dc, m_Fonts.text, kRightTop, c3 - 200, u - 340, r.GetValue(field, 12));
  Put(dc, m_Fonts.text, kRightTop, c4 - 200, u - 340, r.GetValue(field, 14));
  Put(dc, m_Fonts.text, kRightTop, c3 - 200, u - 720, r.GetValue(field, 16));
  Put(dc, m_Fonts.text, kRightTop, c4 - 200, u - 720, r.GetValue(field, 17));

  // The formula with its numbers, or nothing while the index is not known.
  if (r.GetValue(field, 1).empty()) return;
  const Font* serif = &m_Fonts.serif;
  const Font* text = &m_Fonts.text;
  const Font* serifSmall = &m_Fonts.serifSmall;
  const Font* textSmall = &m_Fonts.textSmall;
  DrawRunWithin(dc, x + 100, u - 1530, c4 - x - 100 - kCellTextMargin,
                {{serif, shape ? "B/A*100 = " : "FL = D/C*100 = "},
                 {text, r.GetValue(field, 17)},
                 {serif, "/"},
                 {text, r.GetValue(field, 16)},
                 {serif, " = "},
                 {text, r.GetValue(field, 1)},
                 {serif, PrintText(6385, " M.-%")}},
                {serifSmall, textSmall, serifSmall, textSmall, serifSmall, textSmall, serifSmall});
}

void CDruckSeite::DrawBallastGrainsOver100(DrawContext& dc) {
  const CVersuch& r = *m_pVersuch;
  platform::DrawStateGuard state(dc, platform::kStateWithFont, platform::TRANSPARENT);
  const int x = m_Layout[BallastAnchors1].left, y = m_Layout[BallastAnchors1].top;

  Put(dc, m_Fonts.serifLarge, kLeftTop, x, y + 501, PrintText(6347, "Bestimmung der Körner mit einer Länge > 100 mm"));
  DrawSerifVerdictLine(dc, x, y - 1700,
                       BlockVerdict(r, "VA_GS_LAENGER100",
                                    VerdictText(BallastVerdictOfCode(r.GetValue(16, 3), "1", "2"), 6348,
                                                "Der Anteil der Körner > 100 mm Länge ist bedingungsgemäß.", 6349,
                                                "Der Anteil der Körner > 100 mm Länge ist nicht bedingungsgemäß.")));
  for (int lineY : {y, y - 1100, y - 1600}) HLine(dc, x, x + 7400, lineY);
  for (int cx : {x, x + 2800, x + 5600, x + 7400}) VLine(dc, cx, y, y - 1600);

  const std::string headings[3][3] = {
      {PrintText(6350, "Körner länger"), PrintText(6351, "als 100 mm"), "[g]"},
      {PrintText(6352, "Anteil der Körner"), PrintText(6353, "länger als 100 mm"), "[M.-%]"},
      {PrintText(6354, "Soll"), "[M.-%]", ""},
  };
  const int centres[3] = {x + 1400, x + 4200, x + 6500};
  const int parts[3] = {10, 0, 2};
  for (int c = 0; c < 3; ++c) {
    for (int k = 0; k < 3; ++k) Put(dc, m_Fonts.serif, kCentreTop, centres[c], y - 100 - 280 * k, headings[c][k]);
    Put(dc, m_Fonts.text, kCentreTop, centres[c], y - 1190, r.GetValue(16, parts[c]));
  }
}

void CDruckSeite::DrawBallastWaterAbsorption(DrawContext& dc) {
  const CVersuch& r = *m_pVersuch;
  CDCSicherung state(dc, platform::TRANSPARENT);
  const Font old = dc.SelectFont(m_Fonts.serif);
  const int x = m_Layout[BallastAnchors2].left, y = m_Layout[BallastAnchors2].top;

  HLine(dc, x, x + 16500, y);
  HLine(dc, x, x + 16500, y - 1100);
  HLine(dc, x, x + 16500, y - 6030);
  HLine(dc, x + 5900, x + 8500, y - 6430);
  for (int cx : {x, x + 800, x + 2600, x + 4400, x + 16500}) VLine(dc, cx, y, y - 6030);
  VLine(dc, x + 5900, y - 750, y - 6430);
  for (int cx : {x + 7100, x + 8500}) VLine(dc, cx, y, y - 6430);

  for (int j = 0; j < 15; ++j) {
    const std::string row = r.GetValue(17, 10 + j);
    if (row.empty()) continue;
    const int rowY = y - 1200 - 320 * j;
    Put(dc, m_Fonts.text, kRightTop, x + 700, rowY, StrGetFieldS(row, "@", 0));
    Put(dc, m_Fonts.text, kRightTop, x + 2500, rowY, StrGetFieldS(row, "@", 1));
    Put(dc, m_Fonts.text, kRightTop, x + 4300, rowY, StrGetFieldS(row, "@", 2));
    Put(dc, m_Fonts.text, kRightTop, x + 5800, rowY, StrGetFieldS(row, "@", 3));
    Put(dc, m_Fonts.text, kRightTop, x + 7000, rowY, StrGetFieldS(row, "@", 4));
    Put(dc, m_Fonts.text, kCentreTop, x + 7800, rowY, YesNoText(StrGetFieldS(row, "@", 5)));
    Put(dc, m_Fonts.text, kLeftTop, x + 8600, rowY, StrGetFieldS(row, "@", 6));
  }
  Put(dc, m_Fonts.text, kRightTop, x + 7000, y - 6030, r.GetValue(17, 4));
  Put(dc, m_Fonts.text, kCentreTop, x + 7800, y - 6030, YesNoText(r.GetValue(17, 5)));

  const std::string required = r.GetValue(17, 2);
  DrawCentredLabels(dc, x, y,
                    {{400, 400, PrintText(6287, "Stein-")},
                     {400, 700, PrintText(6288, "Nr.")},
                     {1700, 400, PrintText(6289, "G-trocken")},
                     {1700, 700, "[g]"},
                     {3500, 400, PrintText(6290, "G-feucht")},
                     {3500, 700, "[g]"},
                     {5750, 400, PrintText(5015, "Wasseraufnahme")},
                     {5150, 700, "[g]"},
                     {6500, 700, "[%]"},
                     {7800, 100, PrintText(6291, "Soll")},
                     {7800, 400, required.empty() ? required : required + " %"},
                     {7800, 700, PrintText(6292, "erfüllt?")},
                     {12500, 400, PrintText(6293, "Bemerkungen")}});
  Put(dc, m_Fonts.serif, kRightTop, x + 5850, y - 6030, PrintText(6294, "Mittelwert:"));

  Put(dc, m_Fonts.serifLarge, kLeftTop, x, y + 501, PrintText(5015, "Wasseraufnahme"));
  DrawSerifVerdictLine(dc, x, y - 6530,
                       BlockVerdict(r, "VA_GS_WASSER",
                                    VerdictText(BallastWaterVerdict(r), 6297, "Die Wasseraufnahme ist bedingungsgemäß.",
                                                6296, "Die Wasseraufnahme ist nicht bedingungsgemäß.")));
  dc.SelectFont(old);
}

void CDruckSeite::DrawBallastCrystallisation(DrawContext& dc) {
  const CVersuch& r = *m_pVersuch;
  if (r.GetValue(13, 17).empty()) return;
  platform::DrawStateGuard state(dc, platform::kStateWithFont, platform::TRANSPARENT);
  const int x = m_Layout[BallastAnchors2].right, y = m_Layout[BallastAnchors2].bottom;
  const int hb = y - 1100;

  for (int lineY : {y, hb, hb - 1060}) HLine(dc, x, x + 11300, lineY);
  for (int cx : {x, x + 2600, x + 4300, x + 6000, x + 9500, x + 11300}) VLine(dc, cx, y, hb - 1060);
  VLine(dc, x + 7700, hb + 250, hb - 1060);

  const unsigned baseline = platform::TA_LEFT | platform::TA_BASELINE;
  Put(dc, m_Fonts.serifLarge, baseline, x, y + 100, PrintText(6321, "Kristallisation"));
  if (!r.GetValue(13, 2).empty())
    Put(dc, m_Fonts.serif, baseline, x + 2600, y + 100, PrintText(6322, "mit ") + r.GetValue(13, 2));
  DrawSerifVerdictLine(dc, x, hb - 1160,
                       VerdictText(BallastVerdictOfCode(r.GetValue(13, 17), "1", "0"), 6323,
                                   "Der Kristallisationsversuch ist bedingungsgemäß.", 6324,
                                   "Der Kristallisationsversuch ist nicht bedingungsgemäß."));

  DrawCentredLabels(dc, x, y,
                    {{1300, 100, PrintText(6325, "Kornklasse")},
                     {1300, 380, PrintText(6326, "Quadratloch")},
                     {1300, 660, "[mm]"},
                     {3450, 100, PrintText(6196, "Einwaage")},
                     {3450, 660, "[g]"},
                     {5150, 100, PrintText(6328, "Rückwaage")},
                     {5150, 660, "[g]"},
                     {7750, 100, PrintText(6329, "Anteil < 22.4 mm")},
                     {6850, 660, "[g]"},
                     {8600, 660, "[M.-%]"},
                     {10400, 100, PrintText(6284, "Soll")},
                     {10400, 380, "<= 3.0 %"},
                     {10400, 660, PrintText(6331, "erfüllt?")}});

  const char* labels[3] = {"40 - 50", "31.5 - 40", nullptr};
  const int firstPart[3] = {3, 8, 13};
  for (int row = 0; row < 3; ++row) {
    const int rowY = hb - 40 - 320 * row;
    Put(dc, m_Fonts.serif, kCentreTop, x + 1300, rowY, labels[row] ? labels[row] : PrintText(6332, "Gesamtergebnis"));
    for (int k = 0; k < 4; ++k)
      Put(dc, m_Fonts.text, kRightTop, x + 4100 + 1700 * k, rowY, r.GetValue(13, firstPart[row] + k));
    const bool met = r.GetValue(13, firstPart[row] + 4) == "1";
    Put(dc, m_Fonts.text, kCentreTop, x + 10400, rowY, met ? PrintText(6000, "ja") : PrintText(6001, "nein"));
  }
}

void CDruckSeite::DrawBallastEnvironment(DrawContext& dc) {
  const CVersuch& r = *m_pVersuch;
  platform::DrawStateGuard state(dc, platform::kStateWithFont, platform::TRANSPARENT);
  const int x = m_Layout[BallastAnchors1].right, y = m_Layout[BallastAnchors1].bottom;

  Put(dc, m_Fonts.serifLarge, kLeftTop, x, y + 550, PrintText(6333, "Umweltverträglichkeit"));
  Put(dc, m_Fonts.serif, kLeftTop, x + 500, y, PrintText(6334, "Organoleptische Prüfung:"));
  auto bold = [&](int part, int id, const char* word) {
    return r.GetValue(22, part) == "1" ? "   " + PrintText(id, word) : std::string();
  };
  // A statement left without a choice is not stated: printed without its
  // word it would affirm a colour, a smell or crusts nobody saw.
  auto answered = [&](int part) { return !r.GetValue(22, part).empty(); };
  const std::string nothing;
  if (answered(0) || answered(1))
    DrawRun(dc, x + 500, y - 420,
            {{&m_Fonts.serif, PrintText(6335, "Die Probe weist ")},
             {&m_Fonts.serifBold, bold(0, 6336, "keine   ")},
             {&m_Fonts.serif, answered(0) ? PrintText(6337, "auffällige Farbe, ") : nothing},
             {&m_Fonts.serifBold, bold(1, 6338, "keinen   ")},
             {&m_Fonts.serif, answered(1) ? PrintText(6339, "auffälligen Geruch auf.") : nothing}});
  if (answered(2))
    DrawRun(dc, x + 500, y - 790,
            {{&m_Fonts.serif, PrintText(6340, "Sie ist ")},
             {&m_Fonts.serifBold, bold(2, 6341, "nicht   ")},
             {&m_Fonts.serif, PrintText(6342, "frei von Verkrustungen.")}});

  Put(dc, m_Fonts.serif, kLeftTop, x + 500, y - 1210, PrintText(6343, "pH-Wert:"));
  Put(dc, m_Fonts.text, kLeftTop, x + 1800, y - 1210, r.GetValue(22, 6));
  Put(dc, m_Fonts.serif, kLeftTop, x + 3500, y - 1210, PrintText(6344, "elektrische Leitfähigkeit µS/cm:"));
  Put(dc, m_Fonts.text, kLeftTop, x + 7400, y - 1210, r.GetValue(22, 7));
  DrawSerifVerdictLine(dc, x, y - 1760,
                       BlockVerdict(r, "VA_GS_UMWELT",
                                    VerdictText(BallastVerdictOfCode(r.GetValue(22, 3), "0", "1"), 6346,
                                                "Die Umweltverträglichkeit ist bedingungsgemäß.", 6345,
                                                "Die Umweltverträglichkeit ist nicht bedingungsgemäß.")));
}
