// Page X: the track-ballast report page: header with the sampling protocol,
// sieve table beside the chart, summary assessment, tester's signature,
// plant manager's statement and the two frames.
#include <algorithm>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "charts/chartpens.h"
#include "records/strutil.h"
#include "records/versuch.h"
#include "reports/ballast_report.h"
#include "reports/dib.h"
#include "reports/druckseite.h"
#include "reports/drucktabelle.h"
#include "reports/page_common.h"
#include "services/settings.h"
#include "services/sysfuncs.h"

using platform::DrawContext;
using platform::Font;
using platform::Pen;
using platform::Rect;
using namespace report_detail;

namespace {

// The bold heading of the summary and the statement block.
Font BallastHeadingFont() { return MakeFont("Times New Roman", 380, 700, kHorizontal); }

void Put(DrawContext& dc, const Font& font, unsigned align, int x, int y, const std::string& text) {
  dc.SelectFont(font);
  dc.SetTextAlign(align);
  dc.TextOut(x, y, text);
}

void Line(DrawContext& dc, int x1, int y1, int x2, int y2) {
  dc.MoveTo(x1, y1);
  dc.LineTo(x2, y2);
}

// A caption centred under its line, the line from x1 to x2 at y.
void CaptionOnLine(DrawContext& dc, const Font& font, int centre, int x1, int x2, int y, const std::string& caption) {
  Put(dc, font, platform::TA_CENTER | platform::TA_TOP, centre, y, caption);
  Line(dc, x1, y, x2, y);
}

}  // namespace

void CDruckSeite::PrintPageX(DrawContext& dc) {
  const Rect& print = m_PrintRect;
  if (!m_pVersuch->GetValue(3, 1).empty()) {
    m_Diagramm.LoadFromVersuch(*m_pVersuch);
    m_Diagramm.SetChartPens(ChartPens::FromLayoutTable(ReportSettings().LayoutTable));
    DrawSieveTables(dc);
    m_Diagramm.DrawGleisschotterSieblinie(dc, m_Layout[ChartBox]);
    DrawSieveLoss(dc, 0);
  }
  DrawBallastHeaderBlock(dc);
  DrawBallastSummary(dc);
  DrawBallastStatement(dc);
  DrawBallastFrames(dc, print.left, print.top, print.right, print.bottom);
  DrawRemarks(dc);
  DrawBallastSignature(dc);
  if (m_pVersuch->GetValue(18, 10) == "1") DrawBallastUndersizeNote(dc);
}

// ------------------------------------------------------------ header

void CDruckSeite::DrawBallastHeaderBlock(DrawContext& dc) {
  const CVersuch& r = *m_pVersuch;
  CDCSicherung state(dc, platform::TRANSPARENT);
  dc.SetTextColor(kBlack);
  const unsigned left = platform::TA_LEFT | platform::TA_TOP;

  std::string kind = r.GetValue(1, 1);
  if (kind == "0")
    kind = PrintText(6257, "Eigenüberwachung");
  else if (kind == "1")
    kind = PrintText(6258, "Baustellenüberw. / Lieferzust.");
  else if (kind == "2")
    kind = PrintText(6259, "Baustellenüberw. / eingeb.Zust.");
  else if (kind == "-1")
    kind.clear();  // the basic data are not entered yet
  const std::pair<std::string, std::string> first[] = {
      {PrintText(6253, "Prüf.-Nr.:"), r.GetValue(1, 0)},
      {PrintText(6254, "Betreiber:"), r.GetValue(1, 18)},
      {PrintText(6255, "Werk:"), r.GetValue(1, 17)},
      {PrintText(6256, "Prüfart:"), kind},
      {PrintText(6260, "Vorschrift:"), r.GetValue(18, 1)},
      {PrintText(6261, "geprüft durch:"), r.GetValue(1, 10)},
      {PrintText(6262, "geprüft am:"), FormatTimeStamp(r.GetValue(1, 9))},
  };
  int x = m_Layout[HeaderAnchors].left;
  int y = m_Layout[HeaderAnchors].top;
  for (size_t i = 0; i < std::size(first); ++i) {
    Put(dc, m_Fonts.serif, left, x, y, first[i].first);
    Put(dc, m_Fonts.text, left, x + 2000, y, first[i].second);
    y -= i == 0 || i == 2 ? 700 : 350;
  }

  // The parts of the place that are filled in, without empty ones between.
  std::string place;
  for (int part : {34, 36, 39, 42}) {
    const std::string value = r.GetValue(1, part);
    if (!TrimWhite(value).empty()) place += (place.empty() ? "" : ", ") + value;
  }
  struct Row {
    std::string label, value;
    int valueOffset;
  };
  const Row second[] = {
      {PrintText(6263, "Entnahmestelle:"), place, 2000},
      {PrintText(6264, "Entnahme durch:"), r.GetValue(1, 13), 2000},
      {PrintText(6265, "Entnahme am:"), FormatTimeStamp(r.GetValue(1, 11)), 2000},
      {PrintText(6266, "Witterung bei Probenahme:"), r.GetValue(1, 43), 3200},
      {PrintText(6267, "Sprenghaufwerk-Nr.:"), r.GetValue(1, 44), 2600},
      {PrintText(6268, "Protokoll- lfd.Nr./Jahr:"), r.GetValue(1, 30) + " / " + r.GetValue(1, 31), 2600},
  };
  x = m_Layout[HeaderAnchors].right;
  y = m_Layout[HeaderAnchors].bottom;
  for (const Row& row : second) {
    Put(dc, m_Fonts.serif, left, x, y, row.label);
    // A label longer than its column pushes the value to the right.
    const int valueX = std::max(x + row.valueOffset, x + dc.GetTextExtent(row.label).cx + 100);
    Put(dc, m_Fonts.text, left, valueX, y, row.value);
    y -= 350;
  }
}

// ------------------------------------------------------------ sieve table

void CDruckSeite::DrawBallastSieveTable(DrawContext& dc) {
  const CVersuch& r = *m_pVersuch;
  platform::DrawStateGuard state(dc, platform::kStateWithFont, platform::TRANSPARENT);
  dc.SetTextColor(kBlack);
  const int l = m_Layout[SieveTableBox].left, t = m_Layout[SieveTableBox].top;
  const int right = l + 11150;
  const std::string residue = r.GetValue(3, 8), share = r.GetValue(3, 9), passing = r.GetValue(3, 10);
  const int n = StrCountFields(residue, ';');

  std::vector<std::string> fractions, openings, requirements, verdicts;
  BuildBallastFractionLists(r.GetValue(3, 2), fractions, openings);
  BuildBallastRequirementLists(openings, r.GetValue(4, 0), requirements, verdicts);
  const std::string range = FindBallastRangeRow(r.GetValue(4, 0));
  auto at = [](const std::vector<std::string>& list, int i) {
    return i < static_cast<int>(list.size()) ? list[static_cast<size_t>(i)] : std::string();
  };

  // Grid.
  const int h = t - 1250 - 320 * n;
  for (int y : {t, t - 1200, h}) Line(dc, l, y, right, y);
  for (int x : {l, l + 2400, l + 5400, right}) Line(dc, x, t, x, h);
  for (int x : {l + 4000, l + 6950, l + 8350, l + 9750}) Line(dc, x, t - 950, x, h);
  if (!range.empty()) {
    for (int y : {h - 370, h - 720}) Line(dc, l, y, right, y);
    for (int x : {l, right}) Line(dc, x, h, x, h - 720);
    for (int x : {l + 2400, l + 4000, l + 5400, l + 6950, l + 8350, l + 9750}) Line(dc, x, h - 370, x, h - 720);
  }

  const unsigned rightTop = platform::TA_RIGHT | platform::TA_TOP;
  const unsigned centreTop = platform::TA_CENTER | platform::TA_TOP;
  const bool undersize = r.GetValue(18, 10) == "1";
  for (int i = 0; i < n; ++i) {
    const int y = t - 1200 - 320 * i;
    const std::string opening = at(openings, i);
    const std::string through = StrGetField(passing, ';', i);
    Put(dc, m_Fonts.serif, rightTop, l + 6641, y, opening);
    Put(dc, m_Fonts.text, rightTop, l + 3900, y, StrGetField(residue, ';', i));
    dc.TextOut(l + 5166, y, StrGetField(share, ';', i));
    if (through.find('-') == std::string::npos) dc.TextOut(l + 8116, y, through);
    dc.TextOut(l + 10916, y, at(verdicts, i));
    Put(dc, m_Fonts.symbol, centreTop, l + 9050, y, at(requirements, i));
    dc.SelectFont(m_Fonts.serif);
    if (r.IsToleratedSieveValue(opening, through)) dc.TextOut(l + 9850, y, "*");
    if (undersize && opening == "0.5") dc.TextOut(l + 9870, y, "**");
  }

  // Sum line under the rows.
  const std::string total = r.GetValue(3, 17).empty() ? r.GetValue(3, 11) : r.GetValue(3, 17);
  Put(dc, m_Fonts.text, rightTop, l + 3900, h, total);
  dc.TextOut(l + 5166, h, r.GetValue(3, 12));

  // The fraction column with the dash of a range at its centre.
  auto fraction = [&](int y, const std::string& label) {
    dc.SelectFont(m_Fonts.serif);
    if (StrFindChar(label, '-') > 0) {
      dc.SetTextAlign(rightTop);
      dc.TextOut(l + 1250, y, StrGetField(label, '-', 0) + "-");
      dc.SetTextAlign(platform::TA_LEFT | platform::TA_TOP);
      dc.TextOut(l + 1250, y, StrGetField(label, '-', 1));
    } else {
      dc.SetTextAlign(centreTop);
      dc.TextOut(l + 1200, y, label);
    }
  };
  for (int i = 0; i < n; ++i) fraction(t - 1200 - 320 * i, at(fractions, i));
  Put(dc, m_Fonts.serif, centreTop, l + 1200, h, PrintText(6271, "Summe:"));

  if (!range.empty()) {
    const int y = h - 370;
    fraction(y, StrGetFieldS(range, "@", 1));
    Put(dc, m_Fonts.text, rightTop, l + 8116, y, StrGetFieldS(range, "@", 2));
    dc.TextOut(l + 10916, y, BallastVerdictWord(StrGetFieldS(range, "@", 4)));
    Put(dc, m_Fonts.symbol, centreTop, l + 9050, y, BallastSymbolRequirement(StrGetFieldS(range, "@", 3)));
  }

  // The tolerance note or the verdict beside the table.
  const int Y = t - 1200 - 320 * n;
  dc.SelectFont(m_Fonts.serif);
  dc.SetTextAlign(platform::TA_LEFT | platform::TA_TOP);
  const BallastVerdict verdict = BallastGradingVerdict(r);
  if (verdict == BallastVerdict::kToleranceNote) {
    dc.TextOut(right + 400, Y + 1550, "* " + PrintText(6272, "Die Körnung erfüllt die Anforderungen"));
    dc.TextOut(right + 600, Y + 1200, PrintText(6273, "der DBS 918061, die bei den "));
    dc.TextOut(right + 600, Y + 850, PrintText(6274, "Sieböffnungen 50 und 63 mm"));
    dc.TextOut(right + 600, Y + 500, PrintText(6275, "- abweichend von der Kategorie D gemäß"));
    dc.TextOut(right + 600, Y + 150, PrintText(6276, "DIN EN 13450 - einen Siebdurchgang"));
    dc.TextOut(right + 600, Y - 200, PrintText(6277, "bis 100 M.-% toleriert."));
  } else {
    std::string text;
    if (verdict == BallastVerdict::kMet)
      text = PrintText(6278, "Die Körnung ist bedingungsgemäß.");
    else if (verdict == BallastVerdict::kNotMet)
      text = PrintText(6279, "Die Körnung ist nicht bedingungsgemäß.");
    DrawVerdictLine(dc, right + 600, Y + 500, text);
  }

  // Column headings.
  const unsigned format = platform::DT_CENTER | platform::DT_WORDBREAK | platform::DT_NOPREFIX;
  dc.SelectFont(m_Fonts.serif);
  dc.SetTextAlign(platform::TA_LEFT | platform::TA_TOP);
  struct Heading {
    std::string text;
    Rect rect;
  };
  const Heading headings[] = {
      {PrintText(6280, "Siebfraktion"), {l, t - 50, l + 2400, t - 1200}},
      {PrintText(6281, "Rückstand"), {l + 2400, t - 50, l + 5400, t - 1200}},
      {PrintText(6282, "Durchgang"), {l + 5400, t - 50, right, t - 1200}},
      {"[mm]", {l, t - 800, l + 2400, t - 1200}},
      {"[g]", {l + 2400, t - 800, l + 4000, t - 1200}},
      {"[M.-%]", {l + 4000, t - 800, l + 5400, t - 1200}},
      {PrintText(6283, "Sieböffnung"), {l + 5400, t - 450, l + 6950, t - 1200}},
      {"[mm]", {l + 5400, t - 800, l + 6950, t - 1200}},
      {"[M.-%]", {l + 6950, t - 800, l + 8350, t - 1200}},
      {PrintText(6284, "Soll"), {l + 8350, t - 450, l + 9750, t - 1200}},
      {"[M.-%]", {l + 8350, t - 800, l + 9750, t - 1200}},
      {PrintText(6286, "erfüllt?"), {l + 9750, t - 800, right, t - 1200}},
  };
  // A heading too long for its column takes the small face rather than a
  // second line, which would run into the unit under it.
  for (const Heading& heading : headings) {
    const int room = heading.rect.right - heading.rect.left - 2 * kCellTextMargin;
    SelectFittingFont(dc, heading.text, room, {&m_Fonts.serif, &m_Fonts.serifSmall});
    dc.DrawText(heading.text, heading.rect, format);
  }
}

void CDruckSeite::DrawVerdictLine(DrawContext& dc, int x, int y, const std::string& text) {
  if (text.empty()) return;
  {
    platform::DrawStateGuard marker(dc, platform::kStatePen | platform::kStateBrush);
    dc.SelectPen(Pen{platform::PS_SOLID, 0, kBlack});
    dc.SelectBrush(platform::Brush::Solid(kBlack));
    const platform::Point triangle[] = {{x, y}, {x, y - 240}, {x + 240, y - 120}};
    dc.Polygon(triangle, 3);
  }
  const VerdictPieces pieces = SplitVerdictText(text, PrintText(6317, " nicht "));
  if (!pieces.bold) {
    dc.TextOut(x + 400, y + 50, text);
    return;
  }
  platform::DrawStateGuard state(dc, platform::kStateFont | platform::kStateTextAlign);
  const platform::Point position = dc.MoveTo(x + 400, y + 50);
  dc.SetTextAlign(dc.GetTextAlign() | platform::TA_UPDATECP);
  dc.SelectFont(m_Fonts.serif);
  dc.TextOut(0, 0, pieces.head);
  dc.SelectFont(m_Fonts.serifBold);
  dc.TextOut(0, 0, "   " + PrintText(6341, "nicht   "));
  dc.SelectFont(m_Fonts.serif);
  dc.TextOut(0, 0, pieces.tail);
  dc.MoveTo(position);
}

void CDruckSeite::DrawBallastUndersizeNote(DrawContext& dc) {
  CDCSicherung state(dc, platform::TRANSPARENT);
  const Font old = dc.SelectFont(m_Fonts.serif);
  dc.SetTextAlign(platform::TA_LEFT | platform::TA_TOP);
  const int x = m_Layout[SignatureBox].left, y = m_Layout[SignatureBox].top;
  // Wrapped inside the page, not at a fixed width that runs off it.
  const Rect box{x, y, m_PrintRect.right - 100, y - 3000};
  dc.DrawText("** " + PrintText(7266,
                                "Der Unterkorn (GS) Anteil ist >= 0.5 M.-%. Die Probe ist zusätzlich abzuschlämmen "
                                "und nach Abschnitt 5.1.4 der DBS 918 061 zu bewerten."),
              box, platform::DT_LEFT | platform::DT_WORDBREAK | platform::DT_NOPREFIX);
  dc.SelectFont(old);
}

// ------------------------------------------------------------ lower half

void CDruckSeite::DrawTopLine(DrawContext& dc, const Rect& rect) {
  Line(dc, rect.left, rect.top, rect.right, rect.top);
}

void CDruckSeite::DrawBallastSummary(DrawContext& dc) {
  const CVersuch& r = *m_pVersuch;
  const Rect& band = m_Layout[BallastSummaryBand];
  const int x = band.left, y = band.top;
  {
    CDCSicherung state(dc, platform::TRANSPARENT);
    const Font old = dc.SelectFont(BallastHeadingFont());
    dc.SetTextColor(kBlack);
    dc.SetTextAlign(platform::TA_LEFT | platform::TA_TOP);
    dc.TextOut(x + 200, y, PrintText(6240, "Zusammenfassende Bewertung /"));
    dc.TextOut(x + 200, y - 400, PrintText(6241, "Ergebnisse"));

    struct Row {
      int id;
      const char* name;
      const char* key;
    };
    static constexpr Row kRows[] = {
        {6242, "Körnung", "VA_SIEBL"},
        {6243, "Kornformkennzahl", "VA_GS_KORNFORM"},
        {6244, "Plattigkeitskennzahl", "VA_GS_PLATTIGKEIT"},
        {6245, "Reinheit/Gesteinsbeschaffenheit", "VA_GS_REINHEIT"},
        {5015, "Wasseraufnahme", "VA_GS_WASSER"},
        {6247, "Kristallisation", "VA_GS_KRISTALL"},
    };
    dc.SelectFont(m_Fonts.serif);
    for (int i = 0; i < static_cast<int>(std::size(kRows)); ++i) {
      const Row& row = kRows[i];
      const int rowY = y - 80 - 340 * i;
      dc.TextOut(x + 6000, rowY, PrintText(6248, "Bestimmung der ") + PrintText(row.id, row.name) + ":");
      std::string verdict;
      switch (BallastSummaryVerdict(r, row.key)) {
        case BallastVerdict::kMet:
          verdict = std::string(row.key) == "VA_SIEBL" && r.IsBallastToleranceOn() ? PrintText(6252, "bedingungsgemäß")
                                                                                   : PrintText(6249, "bedingungsgemäß");
          break;
        case BallastVerdict::kNotMet: verdict = PrintText(6250, "nicht bedingungsgemäß"); break;
        default: verdict = PrintText(6251, "nicht bearbeitet"); break;
      }
      dc.TextOut(x + 12800, rowY, verdict);
    }
    dc.SelectFont(old);
  }
  DrawTopLine(dc, band);
}

void CDruckSeite::DrawBallastSignature(DrawContext& dc) {
  const int L = m_PrintRect.left, R = m_PrintRect.right, B = m_PrintRect.bottom;
  Line(dc, L, B + 6200, R, B + 6200);
  Line(dc, R - 8400, B + 6200, R - 8400, B + 4500);
  const CDib* signature = m_pVersuch->GetSignatureBitmap();
  if (signature && !signature->IsEmpty()) {
    signature->Draw(dc, Rect{L + 11200, B + 6150, R - 100, B + 4550});
    return;
  }
  CDCSicherung state(dc, platform::TRANSPARENT);
  const Font old = dc.SelectFont(m_Fonts.serif);
  dc.SetTextColor(kBlack);
  CaptionOnLine(dc, m_Fonts.serif, R - 7200, R - 8100, R - 6300, B + 5000, PrintText(6104, "Ort / Datum"));
  CaptionOnLine(dc, m_Fonts.serif, R - 3000, R - 5900, R - 100, B + 5000, PrintText(6105, "Name / Unterschrift"));
  dc.SelectFont(old);
}

void CDruckSeite::DrawBallastStatement(DrawContext& dc) {
  const int L = m_PrintRect.left, R = m_PrintRect.right, B = m_PrintRect.bottom;
  const int top = m_Layout[BallastLowerBand].top;
  CDCSicherung state(dc, platform::TRANSPARENT);
  const Font old = dc.SelectFont(m_Fonts.serif);
  dc.SetTextColor(kBlack);
  const unsigned leftTop = platform::TA_LEFT | platform::TA_TOP;
  const unsigned baseline = platform::TA_LEFT | platform::TA_BASELINE;
  const Font heading = BallastHeadingFont();

  Put(dc, heading, leftTop, L + 200, top,
      PrintText(61250, "Kenntnis- und Stellungnahme des Betriebsleiters / QS-Verantwortlichen"));
  if (BallastDefectsStated(*m_pVersuch)) {
    Put(dc, m_Fonts.serif, leftTop, L + 300, top - 500, PrintText(61251, "Mängel:"));
    dc.TextOut(L + 300, top - 950, PrintText(61252, "Ursachen:"));
    dc.TextOut(L + 300, top - 1400, PrintText(61253, "Abhilfe:"));
    Put(dc, m_Fonts.serif, baseline, L + 200, B + 2100, PrintText(61254, "Mängel wurden festgestellt/abgestellt am:"));
  } else {
    Put(dc, m_Fonts.serif, baseline, L + 200, B + 2100, PrintText(61255, "Mängel wurden nicht festgestellt."));
  }
  CaptionOnLine(dc, m_Fonts.serif, L + 7500, L + 6000, L + 9000, B + 2100, PrintText(61256, "Ort / Datum"));
  CaptionOnLine(dc, m_Fonts.serif, R - 3000, R - 5900, R - 100, B + 2100, PrintText(61257, "Name / Unterschrift"));

  Put(dc, heading, leftTop, L + 200, B + 1700, PrintText(61258, "Vermerk des Prüfers der DB / des externen Prüfers"));
  Line(dc, L, B + 1700, R, B + 1700);
  Line(dc, L, B, R, B);
  Line(dc, R - 8400, B + 1700, R - 8400, B);
  CaptionOnLine(dc, m_Fonts.serif, R - 7200, R - 8100, R - 6300, B + 500, PrintText(61259, "Ort / Datum"));
  CaptionOnLine(dc, m_Fonts.serif, R - 3000, R - 5900, R - 100, B + 500, PrintText(61260, "Name / Unterschrift"));
  dc.SelectFont(old);
}

void CDruckSeite::DrawBallastFrames(DrawContext& dc, int L, int T, int R, int B) {
  const platform::Point upper[] = {{L, T}, {R, T}, {R, B + 4500}, {L, B + 4500}, {L, T}};
  dc.Polyline(upper, 5);
  const platform::Point lower[] = {{L, B + 4420}, {R, B + 4420}, {R, B}, {L, B}, {L, B + 4420}};
  dc.Polyline(lower, 5);
  DrawProductLine(dc, R, m_Layout[ChartBox].bottom + 50, 0);
}
