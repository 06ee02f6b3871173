// Page B: the petrographic examination of field 21, a ruled table whose texts
// all stand on end, read with the page turned: the constituent classes side by
// side with their property texts, masses and shares, and for three uses of
// concrete aggregate the requirement of each unsuitable class and its verdict.
#include "reports/druckseite.h"

#include <array>

#include "charts/dczustand.h"
#include "evaluation/petrographie/petrographie.h"
#include "records/strutil.h"
#include "records/versuch.h"
#include "reports/drucktabelle.h"
#include "reports/page_common.h"

using platform::DrawContext;
using platform::Font;
using namespace report_detail;

namespace {

// The texts of this page read from the bottom of the page upwards. Every
// position and alignment of the page is made for that direction: a head
// aligned left and top begins at the foot of its column and lies to the right
// of its point, so it stays inside its cell (read downwards it would leave
// the table, and the lines of a three-line text would come in reverse order).
constexpr int kUp = 901;

Font Upright(Font font) {
  font.escapement = kUp;
  return font;
}

// A line given in offsets from the table's corner (P, Q).
struct Line {
  int x1, y1, x2, y2;
};

std::vector<Line> PetrographyLines() {
  std::vector<Line> lines;
  auto vertical = [&lines](int x, int y1, int y2) { lines.push_back({x, y1, x, y2}); };
  auto horizontal = [&lines](int y, int x1, int x2) { lines.push_back({x1, y, x2, y}); };
  for (int x : {0, 1000}) vertical(x, -5400, -20900);
  for (int x : {1100, 1800}) {
    vertical(x, -5400, -8200);
    vertical(x, -15200, -20900);
  }
  for (int x : {2500, 2550, 3800, 5100}) vertical(x, -5400, -20900);
  for (int x : {6400, 7700, 7750, 9000, 9050, 10300}) vertical(x, 0, -20900);
  for (int x : {6300, 4800}) vertical(x, 0, -5400);
  vertical(11000, -5400, -8200);
  horizontal(0, 6400, 10300);
  horizontal(0, 6300, 4800);
  for (int y : {-1800, -3600}) {
    horizontal(y, 6400, 10300);
    horizontal(y, 6300, 5700);
  }
  horizontal(-5400, 6400, 10300);
  horizontal(-5400, 6300, 4800);
  horizontal(-5400, 0, 1000);
  horizontal(-5400, 1100, 11000);
  for (int y : {-6800, -8200}) {
    horizontal(y, 0, 1000);
    horizontal(y, 1100, 11000);
  }
  for (int y : {-15200, -20900}) {
    horizontal(y, 0, 1000);
    horizontal(y, 1100, 10300);
  }
  return lines;
}

// A text at an offset from (P, Q), translated when it has an id, inside the
// row from `low` to `high` (offsets, y up).
struct PlacedText {
  int x, y;
  int id;
  const char* german;
  int low, high;
};

}  // namespace

void CDruckSeite::DrawPetrographyVerdict(DrawContext& dc, int x, int y, const std::string& code) {
  if (code == "1") {
    dc.TextOut(x, y, PrintText(6190, "erfüllt"));
  } else if (code == "2") {
    dc.TextOut(x, y, PrintText(6191, "NICHT"));
    dc.TextOut(x + 250, y, PrintText(6192, "ERFÜLLT"));
  }
}

void CDruckSeite::DrawPetrographyPage(DrawContext& dc) {
  if (!m_pVersuch) return;
  const std::string field = m_pVersuch->GetField(21);
  auto part = [&field](int n) { return StrGetField(field, '|', n); };
  const int P = m_Layout[PetrographyAnchors].left;
  // Below a long header block the upper part of the table moves down and the
  // row of the property texts gives the room, so that the foot of the table
  // keeps its place above the page's bottom band: offsets down to the row
  // (-8200) hang from Q, offsets from its foot (-15200) down from the
  // anchor, and the row between is shared out.
  const int anchor = m_Layout[PetrographyAnchors].top;
  const int Q = anchor + HeaderClearance(anchor);
  const auto Y = [Q, anchor](int offset) {
    constexpr int kRowTop = -8200, kRowFoot = -15200;
    if (offset >= kRowTop) return Q + offset;
    if (offset <= kRowFoot) return anchor + offset;
    const int top = Q + kRowTop, foot = anchor + kRowFoot;
    return foot + static_cast<int>(static_cast<long long>(top - foot) * (offset - kRowFoot) / (kRowTop - kRowFoot));
  };
  CDCZustand state(dc, platform::TRANSPARENT);
  const Font serif = Upright(m_Fonts.serifVertical);
  const Font serifSmall = Upright(m_Fonts.serifSmall);
  const Font text = Upright(m_Fonts.textVertical);
  const Font textSmall = Upright(m_Fonts.textSmall);

  for (const Line& line : PetrographyLines()) {
    dc.MoveTo(P + line.x1, Y(line.y1));
    dc.LineTo(P + line.x2, Y(line.y2));
  }

  dc.SetTextAlign(platform::TA_LEFT | platform::TA_BOTTOM);
  dc.SelectFont(Upright(m_Fonts.serifLargeVertical));
  dc.TextOut(P - 100, Y(-20900), PrintText(6158, "Petrographie"));

  // Column heads.
  constexpr int kHeadFoot = -20900, kHeadTop = -15200;
  static const PlacedText kHeads[] = {
      {1300, -20700, 6159, "Summe unbedenkliche Bestandteile", kHeadFoot, kHeadTop},
      {2000, -20700, 6160, "Summe Flint (Gesamtgehalt einschließlich A1)", kHeadFoot, kHeadTop},
      {2700, -20700, 0, "A1:", kHeadFoot, kHeadTop},
      {2700, -20200, 6163, "Kreide u. kreidekrusteführende Flinte", kHeadFoot, kHeadTop},
      {4000, -20700, 0, "A2:", kHeadFoot, kHeadTop},
      {4000, -20200, 6164, "poröse Kalk- und Mergelsteine", kHeadFoot, kHeadTop},
      {5300, -20700, 0, "A3:", kHeadFoot, kHeadTop},
      {5300, -20200, 6165, "gering verfestigte Ton-, Schluff- u.", kHeadFoot, kHeadTop},
      {5560, -20200, 6166, "Sandsteine u. andere quellfähige ", kHeadFoot, kHeadTop},
      {5820, -20200, 6167, "anorganische Bestandteile", kHeadFoot, kHeadTop},
      {6600, -20700, 6168, "Summe A: ungeeignete Bestandteile", kHeadFoot, kHeadTop},
      {7900, -20700, 0, "B:", kHeadFoot, kHeadTop},
      {7900, -20320, 6169, "im alkalischen Milieu lösliche", kHeadFoot, kHeadTop},
      {8160, -20320, 6170, "Bestandteile u. gering verfestigte", kHeadFoot, kHeadTop},
      {8420, -20320, 6171, "(oxydische) Eisenverbindungen", kHeadFoot, kHeadTop},
      {9200, -20700, 0, "C:", kHeadFoot, kHeadTop},
      {9200, -20320, 6172, "quellfähige, organische Bestandteile", kHeadFoot, kHeadTop},
  };
  auto say = [](const PlacedText& t) { return t.id ? PrintText(t.id, t.german) : std::string(t.german); };
  auto put = [&](const Font& font, const Font& smaller, int x, int y, int low, int high, const std::string& words) {
    // The texts read upwards: the row is their cell.
    dc.SelectFont(font);
    if (!words.empty()) dc.TextOut(P + x, CellTextPoint(dc, Y(y), Y(low), Y(high), words, {&smaller}), words);
  };
  dc.SetTextAlign(platform::TA_LEFT | platform::TA_TOP);
  for (const PlacedText& head : kHeads) put(serif, serifSmall, head.x, head.y, head.low, head.high, say(head));
  dc.SetTextAlign(platform::TA_RIGHT | platform::TA_TOP);
  put(serif, serifSmall, 10500, -8200, -15200, -8200, PrintText(6173, "Summe:  "));

  // Property texts, up to three lines side by side.
  dc.SetTextAlign(platform::TA_LEFT | platform::TA_TOP);
  dc.SelectFont(text);
  static constexpr std::array<int, kPetroTexts> kTextX = {2700, 4000, 5300, 7900, 9200};
  for (int i = 0; i < kPetroTexts; ++i) {
    const std::vector<std::string> lines = PropertyTextLines(part(11 + i));
    for (size_t line = 0; line < lines.size() && line < static_cast<size_t>(kPropertyTextLines); ++line)
      dc.TextOut(P + kTextX[static_cast<size_t>(i)] + 300 * static_cast<int>(line), Y(-15000), lines[line]);
  }

  // Masses and shares of the eight rows and their sums.
  dc.SetTextAlign(platform::TA_RIGHT | platform::TA_TOP);
  static constexpr std::array<int, 9> kValueX = {1300, 2000, 2700, 4000, 5300, 6600, 7900, 9200, 10500};
  for (size_t i = 0; i < kValueX.size(); ++i) {
    put(text, textSmall, kValueX[i], -7000, -8200, -6800, part(16 + static_cast<int>(i)));
    put(text, textSmall, kValueX[i], -5600, -6800, -5400, part(25 + static_cast<int>(i)));
  }

  // Requirements of A, B and C for the three uses, and the verdicts.
  static constexpr std::array<int, kPetroUses> kUseY = {-4000, -2200, -400};
  static constexpr std::array<int, 3> kRequirementX = {6600, 7900, 9200};
  static constexpr std::array<int, 3> kVerdictX = {7000, 8300, 9600};
  for (int use = 0; use < kPetroUses; ++use)
    for (int judged = 0; judged < 3; ++judged) {
      const int y = kUseY[static_cast<size_t>(use)];
      put(serif, serifSmall, kRequirementX[static_cast<size_t>(judged)], y, y - 1400, y + 400,
          part(34 + PetroRequirementIndex(judged, use)));
    }
  dc.SelectFont(text);
  for (int judged = 0; judged < 3; ++judged)
    for (int use = 0; use < kPetroUses; ++use)
      DrawPetrographyVerdict(dc, P + kVerdictX[static_cast<size_t>(judged)], Y(kUseY[static_cast<size_t>(use)]),
                             part(43 + PetroCheckIndex(judged, use)));

  // Row heads, each in the middle of its row.
  static const PlacedText kRowHeads[] = {
      {200, -18050, 6174, "Bestandteile", -20900, -15200},
      {460, -18050, 6175, "(Zusammensetzung)", -20900, -15200},
      {200, -11700, 6176, "Eigenschaften", -15200, -8200},
      {460, -11700, 6177, "(bes. Merkmale, Farbe u.a.)", -15200, -8200},
      {200, -7500, 6178, "Einwaage", -8200, -6800},
      {460, -7500, 0, "[g]", -8200, -6800},
      {200, -6100, 6179, "Ist", -6800, -5400},
      {460, -6100, 0, "[M.-%]", -6800, -5400},
      {5000, -2700, 6180, "Anforderungen an den Betonzuschlag für", -5400, 0},
      {5500, -4500, 6181, "Deckschichten", -5400, -3600},
      {5800, -4500, 0, "[M.-%]", -5400, -3600},
      {5500, -2700, 6182, "Kappen", -3600, -1800},
      {5800, -2700, 0, "[M.-%]", -3600, -1800},
      {5500, -900, 6183, "Sichtflächen", -1800, 0},
      {5800, -900, 0, "[M.-%]", -1800, 0},
  };
  dc.SetTextAlign(platform::TA_CENTER | platform::TA_TOP);
  for (const PlacedText& head : kRowHeads) put(serif, serifSmall, head.x, head.y, head.low, head.high, say(head));
}
