#include "reports/druckseite.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <utility>

#include "charts/chartpens.h"
#include "charts/dczustand.h"
#include "records/requirement.h"
#include "records/strutil.h"
#include "records/versuch.h"
#include "reports/dib.h"
#include "reports/drucktabelle.h"
#include "shell/pravikapp.h"
#include "shell/settings.h"
#include "shell/sysfuncs.h"
#include "shell/translation.h"
#include "shell/versioninfo.h"

using platform::DrawContext;
using platform::Font;
using platform::Pen;
using platform::Rect;
using platform::RGB;

namespace {

constexpr platform::ColorRef kBlack = RGB(0, 0, 0);
constexpr int kHorizontal = 1;
constexpr int kDown = 2701;

std::string PrintText(int id, const char* german) { return TranslateString(id, german, true); }

Font MakeFont(const char* face, int height, int weight, int escapement) {
  return Font{.face = face, .height = height, .weight = weight, .escapement = escapement};
}

}  // namespace

// ------------------------------------------------------------ page letters

std::string GetRecordPageLetters(const CVersuch& record) {
  static const std::array<std::pair<const char*, char>, 8> kPages = {{{"SEITE_A", 'A'},
                                                                      {"SEITE_B", 'B'},
                                                                      {"SEITE_C", 'C'},
                                                                      {"SEITE_D", 'D'},
                                                                      {"SEITE_E", 'E'},
                                                                      {"SEITE_F", 'F'},
                                                                      {"SEITE_X", 'X'},
                                                                      {"SEITE_Y", 'Y'}}};
  std::string letters;
  for (const auto& [key, letter] : kPages)
    if (record.IsPageNeeded(key)) letters.push_back(letter);
  return letters;
}

// ------------------------------------------------------------ settings

CProgrammEinstellungen& ReportSettings() {
  static CProgrammEinstellungen defaults;
  CProgrammEinstellungen& settings = GetApp() ? GetApp()->m_Settings : defaults;
  PlantBlock& plant = settings.m_Plant;
  if (settings.m_PrintLogo != 0 && plant.logo.isNull() && !plant.logoFile.empty()) {
    CDib logo;
    if (logo.Read(plant.logoFile) != 0) plant.logo = logo.GetImage();
  }
  return settings;
}

// ------------------------------------------------------------ layout

int LogoBoxHeight(const PageLayoutInput& in) {
  if (!in.logoShown || in.logoWidth <= 0 || in.logoHeight <= 0) return kDefaultLogoBoxHeight;
  const std::int64_t height = std::int64_t{9000} * in.logoHeight / in.logoWidth;
  return static_cast<int>(std::min<std::int64_t>(height, kMaxLogoBoxHeight));
}

PageLayout ComputePageLayout(const Rect& print, const PageLayoutInput& in) {
  const int L = print.left, T = print.top, R = print.right, B = print.bottom;
  const bool ballast = in.ballast;
  const int H = LogoBoxHeight(in);
  PageLayout l{};
  l[BottomBand] = {L, ballast ? B + 6200 : B + 2300, R, ballast ? B + 4500 : B};
  l[BallastLowerBand] = {L, l[BottomBand].bottom - 80, R, B};
  l[BallastSummaryBand] = {L, l[BottomBand].top + 2250, R, l[BottomBand].top};
  l[LogoBox] = {R - 9000, T, R, T - H};
  l[TitleBox] = {R - 9000, T - H, R, T - H - 900};
  l[ChartBox] = {ballast ? L + 2200 : L + 2100, T - 6200, ballast ? R - 1400 : R - 1300,
                 ballast ? T - 12700 : T - 13000};
  l[SieveTableBox] = {L + 300, l[ChartBox].bottom - (ballast ? 1000 : 1500), R, B};
  l[HeaderAnchors] = {L + 300, T - 100, L + 300, T - 3600};
  l[SignatureBox] = {L + 300, l[BottomBand].top + 2750, R - 100, B + 300};
  l[CrushedSurfacesAnchors] = {L + 500, T - 5500, L + 500, T - 12500};
  l[SideTestAnchors] = {L + 300, T - 5500, L + 300, T - 5500};
  const int tableTop = l[SieveTableBox].top;
  l[SieveLossBox] = {in.secondSieving ? l[ChartBox].left + 2000 : ballast ? L + 15000 : R - 7500,
                     in.secondSieving ? tableTop - in.sieveTableHeight - 500 : tableTop, R - 3200, tableTop};
  l[PetrographyAnchors] = {L + 2500, T - 4000, L + 500, T - 5500};
  l[ArmourstoneAnchors] = {L + 500, T - 4500, L + 500, T - 4500};
  l[RequirementAnchors] = {in.secondSieving ? R - 6500 : ballast ? R - 8800 : R - 8000,
                           in.secondSieving ? l[SieveLossBox].top : tableTop - (ballast ? 1300 : 3900), L + 500,
                           T - 2400};
  l[RemarksAnchors] = {L + 8200, T - 2400, L + 200, ballast ? l[BottomBand].bottom - 590 : B};
  l[BallastAnchors1] = {L + 500, T - 6700, L + 500, T - 16500};
  l[PageNumberAnchors] = {L + 500, T - 9400, R - 50, B + 50};
  l[BallastAnchors2] = {L + 500, T - 16500, L + 500, T - 24500};
  return l;
}

ReportFonts ReportFonts::Create() {
  ReportFonts f;
  f.text = MakeFont("Courier New", 330, 400, kHorizontal);
  f.textBold = MakeFont("Courier New", 330, 700, kHorizontal);
  f.textSmall = MakeFont("Courier New", 280, 600, kHorizontal);
  f.textVertical = MakeFont("Courier New", 330, 600, kDown);
  f.serifSmall = MakeFont("Times New Roman", 250, 400, kHorizontal);
  f.serif = MakeFont("Times New Roman", 310, 400, kHorizontal);
  f.serifBold = MakeFont("Times New Roman", 310, 700, kHorizontal);
  f.serifVertical = MakeFont("Times New Roman", 310, 400, kDown);
  f.serifLarge = MakeFont("Times New Roman", 420, 400, kHorizontal);
  f.serifLargeVertical = MakeFont("Times New Roman", 450, 400, kDown);
  f.symbol = MakeFont("Symbol", 330, 600, kHorizontal);
  f.title = MakeFont("Arial", 350, 400, kHorizontal);
  f.textLarge = MakeFont("Courier New", 450, 400, kHorizontal);
  return f;
}

// ------------------------------------------------------------ the page

CDruckSeite::CDruckSeite() : m_Fonts(ReportFonts::Create()) {}

bool CDruckSeite::Init(CVersuch* record, int pageNumber) {
  m_pVersuch = record;
  m_nPage = pageNumber;
  m_Letter = '\0';
  if (!record) return true;
  const std::string letters = GetRecordPageLetters(*record);
  if (pageNumber >= 1 && pageNumber <= static_cast<int>(letters.size()))
    m_Letter = letters[static_cast<size_t>(pageNumber - 1)];
  m_Diagramm.LoadFromVersuch(*record);
  m_Anforderung.SetStrings(record->GetField(5), record->GetField(25));
  m_Anforderung.SetAlternativeFlag(EqualsChar(record->GetValue(1, 1), '2'));
  return true;
}

void CDruckSeite::SetPrintRect(int left, int top, int right, int bottom) {
  m_PrintRect = Rect{left, top, right, bottom};
}

bool CDruckSeite::IsSecondSieving() const { return m_pVersuch && m_pVersuch->GetValue(3, 0) == "1"; }

int CDruckSeite::ActiveSievingField() const { return IsSecondSieving() ? 8 : 7; }

int CDruckSeite::GetSieveTableHeight() const {
  return 1520 + 320 * (m_pVersuch ? StrCountFields(m_pVersuch->GetValue(3, 2), ';') : 1);
}

void CDruckSeite::CalcLayout() {
  const CProgrammEinstellungen& settings = ReportSettings();
  PageLayoutInput in;
  in.ballast = m_pVersuch && m_pVersuch->IsGleisschotter();
  in.secondSieving = IsSecondSieving();
  in.logoShown = settings.m_PrintLogo != 0 && !settings.m_Plant.logo.isNull();
  in.logoWidth = settings.m_Plant.logo.width();
  in.logoHeight = settings.m_Plant.logo.height();
  in.sieveTableHeight = GetSieveTableHeight();
  m_Layout = ComputePageLayout(m_PrintRect, in);
}

void CDruckSeite::Print(DrawContext& dc, int left, int top, int right, int bottom) {
  SetPrintRect(left, top, right, bottom);
  CalcLayout();
  m_Fonts = ReportFonts::Create();
  platform::DrawStateGuard state(dc, platform::kStateFont | platform::kStatePen);
  if (!m_pVersuch) return;

  DrawVersionLine(dc);
  DrawPageNumber(dc);
  dc.SelectPen(Pen{platform::PS_SOLID, 10, kBlack});

  const bool ballast = m_pVersuch->IsGleisschotter();
  if (m_nPage == 1) {
    DrawLogoBox(dc);
    DrawTitleBox(dc, m_Letter == 'E' ? "WASSERBAUSTEINE" : "KORNSUMMENLINIE");
    if (!ballast) {
      DrawSeparatorLines(dc);
      DrawSignatureBox(dc);
      DrawRemarks(dc);
    }
  }

  switch (m_Letter) {
    case 'A': PrintPageA(dc); break;
    case 'B':
    case 'C':
    case 'D':
    case 'E':
    case 'F':
      // The side-test painters of these pages join later; the header stands.
      DrawHeaderBlock(dc);
      break;
    case 'X': PrintPageX(dc); break;
    default: break;
  }
  if (m_Letter != '\0' && std::string_view("ABCDEFY").find(m_Letter) != std::string_view::npos)
    DrawFrame(dc, left, top, right, bottom);
}

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

void CDruckSeite::PrintPageX(DrawContext& dc) {
  if (!m_pVersuch->GetValue(3, 1).empty()) {
    m_Diagramm.LoadFromVersuch(*m_pVersuch);
    m_Diagramm.SetChartPens(ChartPens::FromLayoutTable(ReportSettings().LayoutTable));
    DrawSieveTables(dc);
    m_Diagramm.DrawGleisschotterSieblinie(dc, m_Layout[ChartBox]);
    DrawSieveLoss(dc, 0);
  }
  // The track-ballast header, summary, statement, frames and signature join later.
  DrawRemarks(dc);
}

// ------------------------------------------------------------ page elements

void CDruckSeite::DrawVersionLine(DrawContext& dc) {
  platform::DrawStateGuard state(dc, platform::kStateAll, platform::TRANSPARENT);
  dc.SelectFont(MakeFont("Courier New", 200, 400, kDown));
  dc.SetTextAlign(platform::TA_LEFT | platform::TA_BOTTOM);
  dc.TextOut(m_PrintRect.left, m_PrintRect.bottom, ProgramVersion());
}

void CDruckSeite::DrawPageNumber(DrawContext& dc) {
  const int count = m_pVersuch ? m_pVersuch->GetPageCount() : 0;
  if (count <= 1) return;
  CDCZustand state(dc);
  char text[256];
  std::snprintf(text, sizeof text, "%s %d %s %d", PrintText(6134, "Seite").c_str(), m_nPage, PrintText(6135, "von").c_str(),
                count);
  dc.SelectFont(m_Fonts.serif);
  dc.SetTextColor(kBlack);
  dc.SetTextAlign(platform::TA_RIGHT | platform::TA_BASELINE);
  dc.TextOut(m_Layout[PageNumberAnchors].right, m_Layout[PageNumberAnchors].bottom, text);
}

void CDruckSeite::DrawFrame(DrawContext& dc, int left, int top, int right, int bottom) {
  const Pen old = dc.SelectPen(Pen{platform::PS_SOLID, 10, kBlack});
  const platform::Point corners[] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}};
  dc.Polyline(corners, 5);
  dc.SelectPen(old);
  DrawProductLine(dc, right, bottom + 2850, 0);
}

void CDruckSeite::DrawProductLine(DrawContext& dc, int x, int y, int alignment) {
  platform::DrawStateGuard state(dc, platform::kStateAll, platform::TRANSPARENT);
  dc.SelectFont(MakeFont("Courier New", 200, 400, 2700));
  dc.SetTextColor(kBlack);
  dc.SetBkColor(RGB(255, 255, 255));
  const unsigned horizontal = alignment == 0 ? platform::TA_LEFT : alignment == 2 ? platform::TA_RIGHT : platform::TA_CENTER;
  dc.SetTextAlign(horizontal | platform::TA_BASELINE);
  dc.TextOut(x - 60, y, std::string(kProgramName) + " - Prüfbericht");
}

// ------------------------------------------------------------ first-page header

int CDruckSeite::BuildHeaderFields(std::vector<HeaderField>& fields, std::vector<std::string>& standardLines) const {
  fields.clear();
  standardLines.clear();
  if (!m_pVersuch) return 0;
  const CVersuch& r = *m_pVersuch;
  auto text = [&fields](std::string label, std::string value) {
    fields.push_back({HeaderField::kText, std::move(label), std::move(value)});
  };
  auto gap = [&fields] { fields.push_back({HeaderField::kGap, "SPACE", "SPACE"}); };

  text(PrintText(6106, "Prüf.-Nr.:"), r.GetValue(1, 0));
  text(PrintText(6107, "Betreiber:"), r.GetValue(1, 18));
  text(PrintText(6108, "Werk:"), r.GetValue(1, 17));
  if (!r.GetValue(1, 20).empty()) text(PrintText(6109, "Kunde:"), r.GetValue(1, 20));
  gap();
  text(PrintText(6110, "Prüfart:"), r.GetPruefart());
  fields.push_back({HeaderField::kStandard, PrintText(6111, "Vorschrift:"), r.GetValue(30, 5)});
  text(PrintText(6112, "geprüft durch:"), r.GetValue(1, 10));
  text(PrintText(6113, "geprüft am:"), FormatTimeStamp(r.GetValue(1, 9)));
  gap();
  if (!r.GetValue(1, 7).empty()) text(r.GetInfo1Label() + ":", r.GetValue(1, 7));
  if (!r.GetValue(1, 8).empty()) text(r.GetInfo2Label() + ":", r.GetValue(1, 8));
  if (!r.GetValue(1, 12).empty()) text(PrintText(6116, "Entnahmestelle:"), r.GetValue(1, 12));
  text(PrintText(6117, "Entnahme durch:"), r.GetValue(1, 13));
  text(PrintText(6118, "Entnahme am:"), FormatTimeStamp(r.GetValue(1, 11)));

  // Characters of the fixed-pitch font between the value column and the logo box.
  const int maxChars = static_cast<int>((m_Layout[LogoBox].left - m_Layout[HeaderAnchors].left - 2300) / 1000.0 * 6);
  standardLines.push_back(r.GetValue(30, 5));
  WrapWords(standardLines, maxChars);

  int height = 0;
  for (const HeaderField& f : fields)
    height -= f.kind == HeaderField::kGap ? 120 : f.kind == HeaderField::kStandard
                                                       ? 330 * static_cast<int>(standardLines.size())
                                                       : 330;
  return height;
}

int CDruckSeite::DrawHeaderBlock(DrawContext& dc) {
  const int x = m_Layout[HeaderAnchors].left;
  const int valueX = x + 2000;
  int y = m_Layout[HeaderAnchors].top;
  std::vector<HeaderField> fields;
  std::vector<std::string> standardLines;
  const int height = BuildHeaderFields(fields, standardLines);
  if (m_pVersuch && m_pVersuch->GetValue(18, 8) == "1") return y + height;

  CDCZustand state(dc, platform::TRANSPARENT);
  dc.SetTextColor(kBlack);
  dc.SetTextAlign(platform::TA_LEFT | platform::TA_TOP);
  for (const HeaderField& f : fields) {
    if (f.kind == HeaderField::kGap) {
      y -= 120;
      continue;
    }
    dc.SelectFont(m_Fonts.serif);
    dc.TextOut(x, y, f.label);
    if (f.kind == HeaderField::kStandard) {
      dc.SelectFont(m_Fonts.text);
      for (const std::string& line : standardLines) {
        dc.TextOut(valueX, y, line);
        y -= 330;
      }
    } else {
      dc.TextOut(valueX, y, f.value);
      y -= 330;
    }
  }
  return y;
}

void CDruckSeite::DrawTitleBox(DrawContext& dc, const std::string& title) {
  CDCZustand state(dc, platform::TRANSPARENT);
  const Rect& box = m_Layout[TitleBox];
  const int centre = (box.left + box.right) / 2;
  dc.SetTextAlign(platform::TA_CENTER | platform::TA_TOP);
  dc.SelectFont(m_Fonts.title);
  dc.SetTextColor(kBlack);
  dc.TextOut(centre, box.top - 30, title);

  bool twoLines = false;
  const std::string name = m_pVersuch ? m_pVersuch->GetValue(18, 0) : std::string();
  if (m_pVersuch && m_pVersuch->IsGleisschotter()) {
    dc.SelectFont(TextCharCount(name) < 51 ? m_Fonts.text : m_Fonts.textSmall);
    const size_t split = name.find("*1*");
    if (split != std::string::npos) {
      dc.SelectFont(m_Fonts.text);
      dc.TextOut(centre, box.bottom + 500, name.substr(0, split));
      dc.TextOut(centre, box.bottom + 220, name.substr(split + 3));
      twoLines = true;
    } else {
      std::string line = name;
      if (size_t cut = line.find("*2*"); cut != std::string::npos) line.erase(cut);
      if (size_t cut = line.find("*3*"); cut != std::string::npos) line.erase(cut);
      dc.TextOut(centre, box.bottom + 500, line);
    }
  } else {
    dc.SelectFont(m_Fonts.textLarge);
    const std::string prefix = m_pVersuch ? m_pVersuch->GetHeadingPrefix(m_pVersuch->GetValue(1, 3)) : std::string();
    dc.TextOut(centre, box.bottom + 500, prefix + " " + name);
  }

  const int lineY = box.bottom - (twoLines ? 200 : 0);
  dc.MoveTo(box.right, lineY);
  dc.LineTo(box.left, lineY);
  dc.LineTo(box.left, box.top);
}

void CDruckSeite::DrawLogoBox(DrawContext& dc) { ReportSettings().DrawLogoBox(dc, m_Layout[LogoBox], true); }

void CDruckSeite::DrawSeparatorLines(DrawContext& dc) {
  const Rect& band = m_Layout[BottomBand];
  dc.MoveTo(band.left, band.top);
  dc.LineTo(band.right, band.top);
  dc.MoveTo(band.left + 11000, band.top);
  dc.LineTo(band.left + 11000, band.bottom);
}

void CDruckSeite::DrawSignatureBox(DrawContext& dc) {
  CDCZustand state(dc);
  const int L = m_PrintRect.left, R = m_PrintRect.right, B = m_PrintRect.bottom;
  const CDib* signature = m_pVersuch ? m_pVersuch->GetSignatureBitmap() : nullptr;
  if (signature && !signature->IsEmpty()) {
    signature->Draw(dc, Rect{L + 11200, B + 2250, R - 100, B + 50});
    return;
  }
  const Rect& box = m_Layout[SignatureBox];
  dc.SetTextAlign(platform::TA_CENTER | platform::TA_BOTTOM);
  dc.SelectFont(m_Fonts.serif);
  dc.TextOut((L + 11200 + box.right) / 2, box.bottom, PrintText(6136, "Datum / Unterschrift"));
  dc.MoveTo(L + 11200, B + 600);
  dc.LineTo(box.right, B + 600);
}

void CDruckSeite::DrawRemarks(DrawContext& dc) {
  if (!m_pVersuch) return;
  CDCZustand state(dc, platform::TRANSPARENT);
  const int x = m_Layout[RemarksAnchors].right;
  const int y0 = m_Layout[RemarksAnchors].bottom;
  dc.SetTextAlign(platform::TA_LEFT | platform::TA_BOTTOM);
  dc.SelectFont(m_Fonts.serif);
  dc.TextOut(x, y0 + 1890, PrintText(6100, "Bemerkung:"));

  dc.SelectFont(m_Fonts.text);
  int y = y0 + 1510;
  const char* second = nullptr;
  const char* first = nullptr;
  switch (PlainAtoi(m_pVersuch->GetSievingMethod())) {
    case 2: first = "Die Korngrößenverteilung wurde gemäß DIN EN 933-1,", second = "Anhang A, ermittelt"; break;
    case 3:
      first = "Die Korngrößenverteilung wurde auf der Grundlage von", second = "zwei Siebungen ermittelt";
      break;
    case 4:
      first = "Die Korngrößenverteilung wurde auf der Grundlage von", second = "drei Siebungen ermittelt";
      break;
    default: break;
  }
  if (first) {
    dc.TextOut(x, y, first);
    dc.TextOut(x, y - 300, second);
    y -= 600;
  }

  // The remark stays in its band: left of the signature (or inside the
  // page), and no line below the band's bottom, which is the frame.
  const int rightEdge = m_pVersuch->IsGleisschotter() ? m_PrintRect.right - 100 : m_Layout[BottomBand].left + 11000 - 100;
  const std::string remark = m_pVersuch->GetValue(1, 14);
  for (int i = 0; i < 6; ++i, y -= 300) {
    if (y < y0) break;
    std::string line = StrGetFieldS(remark, "#CRLF#", i);
    if (line.empty()) continue;
    while (!line.empty() && x + dc.GetTextExtent(line).cx > rightEdge) {
      line.pop_back();
      while (!line.empty() && (static_cast<unsigned char>(line.back()) & 0xC0) == 0x80) line.pop_back();
      if (!line.empty() && (static_cast<unsigned char>(line.back()) & 0xC0) == 0xC0) line.pop_back();
    }
    dc.TextOut(x, y, line);
  }
}

// ------------------------------------------------------------ page A

void CDruckSeite::DrawSieveTables(DrawContext& dc) {
  if (!m_pVersuch) return;
  // Track ballast has its own table, which joins with page X.
  if (m_pVersuch->IsGleisschotter()) return;
  DrawSieveTable(dc);
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
  for (int t = 0; t < n; ++t) {
    const int rowY = h - 320 * t;
    dc.TextOut(x0 + 2700, rowY, StrGetField(residue, ';', t));
    dc.TextOut(x0 + 3966, rowY, StrGetField(share, ';', t));
    dc.TextOut(x0 + 5266, rowY, StrGetField(passing, ';', t));
    const double size = ParseNumber(StrGetField(sizes, ';', t));
    for (const CPunkt& p : plant.Points())
      if (p.x == size) dc.TextOut(x0 + 6466, rowY, FormatDouble(p.y, 1));
  }
  const std::string sum = r.GetValue(3, 17).empty() ? r.GetValue(3, 11) : r.GetValue(3, 17);
  dc.TextOut(x0 + 2700, h - 320 * n - 100, sum);

  dc.SelectFont(m_Fonts.serif);
  dc.SetTextAlign(platform::TA_CENTER | platform::TA_TOP);
  for (int t = 0; t < n; ++t) dc.TextOut(x0 + 700, h - 320 * t, StrGetField(sizes, ';', t));
  dc.TextOut(x0 + 700, h - 320 * n - 100, PrintText(0, "Summe:"));

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
      labelX += 1000;
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

namespace {

void AppendBraced(std::string& table, const std::string& row) {
  if (!row.empty()) table += "{" + row + "}";
}

int CountBraced(const std::string& table) {
  int n = 0;
  while (!StrGetToken(table, "{", "}", n).empty()) ++n;
  return n;
}

}  // namespace

int CDruckSeite::DrawRequirementTables(DrawContext& dc, int y) {
  const CVersuch& r = *m_pVersuch;
  const int x = m_Layout[RequirementAnchors].left;
  if (y != 0) m_Layout[RequirementAnchors].top = y;
  y = m_Layout[RequirementAnchors].top;

  std::string first = r.GetValue(4, 0);
  AppendBraced(first, r.GetValue(4, 2));
  for (int part = 9; part <= 24; ++part) AppendBraced(first, r.GetValue(4, part));
  if (!first.empty()) {
    DrawRequirementRow(dc, x, y, PrintText(6119, "@Siebe [mm]@Ist [%]@Soll [%]@erfüllt@Kategorie"), true);
    const int rows = CountBraced(first);
    const int step = rows <= 17 ? 350 : 310;
    for (int i = 0; i < rows; ++i) {
      y -= step;
      DrawRequirementRow(dc, x, y, StrGetToken(first, "{", "}", i), false);
    }
  }

  std::string second = r.GetValue(4, 1);
  AppendBraced(second, r.GetValue(17, 3));
  AppendBraced(second, r.GetValue(23, 10));
  if (!r.GetValue(26, 21).empty())
    second += "{" + PrintText(5012, "Rohdichte") + " [Mg/m³]:@@" + r.GetValue(26, 21) + "@@}";
  AppendBraced(second, r.GetValue(13, 8));
  AppendBraced(second, r.GetValue(13, 10));
  for (int i = 0, rows = CountBraced(second); i < rows; ++i) {
    y -= 350;
    DrawRequirementRow(dc, x, y, StrGetToken(second, "{", "}", i), false);
  }

  if (!r.GetValue(19, 2).empty()) {
    y -= 450;
    DrawTextLine(dc, x - 2300, y, PrintText(6120, "Stoffe organ. Urspr.:"));
    DrawTextLine(dc, x + 300, y, r.GetValue(19, 2));
    if (!r.GetValue(19, 3).empty()) {
      y -= 400;
      DrawTextLine(dc, x + 300, y, r.GetValue(19, 3));
    }
  }

  // The warning reads the sieving in force.
  const std::string lossPercent = r.GetValue(ActiveSievingField(), 9);
  if (!lossPercent.empty() && AtofLocale(lossPercent) >= 1.0) {
    y -= 400;
    CDCZustand state(dc, platform::TRANSPARENT);
    dc.SetTextColor(RGB(255, 0, 0));
    dc.SelectFont(m_Fonts.serifBold);
    dc.SetTextAlign(platform::TA_LEFT | platform::TA_TOP);
    dc.TextOut(x - 2300, y,
               "*** " + PrintText(6121, "Der Siebverlust ist >= 1 M.-%, die Siebung muss wiederholt werden"));
  }
  return y - 450;
}

void CDruckSeite::DrawRequirementRow(DrawContext& dc, int x, int y, const std::string& row, bool header) {
  platform::DrawStateGuard state(dc, platform::kStateWithFont | platform::kStateBkColor, platform::TRANSPARENT);
  dc.SetTextColor(kBlack);
  std::string parts[6];
  for (int i = 0; i < 6; ++i) parts[i] = StrGetFieldS(row, "@", i);
  std::string fulfilled = parts[4];
  if (fulfilled == "2") fulfilled = PrintText(6000, "ja");
  else if (fulfilled == "1") fulfilled = PrintText(6001, "nein");
  else if (fulfilled == "1a") fulfilled = PrintText(6002, "nein !");
  else if (fulfilled == "0") fulfilled.clear();

  dc.SelectFont(m_Fonts.serif);
  dc.SetTextAlign(platform::TA_RIGHT | platform::TA_TOP);
  dc.TextOut(x, y, parts[0]);

  dc.SetTextAlign(platform::TA_CENTER | platform::TA_TOP);
  if (!header) dc.SelectFont(m_Fonts.text);
  dc.TextOut(x + 800, y, parts[1]);
  const std::string actual = parts[0].find("Fließ") == std::string::npos ? TrimDecimalZeros(parts[2]) : parts[2];
  dc.TextOut(x + 2200, y, actual);
  if (header) dc.TextOut(x + 3700, y, parts[3]);
  else DrawRequirementValue(dc, x + 3700, y, parts[3]);
  dc.SelectFont(header ? m_Fonts.serif : m_Fonts.text);
  dc.TextOut(x + 4900, y, fulfilled);

  dc.SetTextAlign(platform::TA_LEFT | platform::TA_TOP);
  if (header) dc.TextOut(x + 5400, y, parts[5]);
  else DrawCategoryText(dc, x + 5400, y, parts[5]);
}

void CDruckSeite::DrawRequirementValue(DrawContext& dc, int x, int y, const std::string& required) {
  platform::DrawStateGuard state(dc, platform::kStateWithFont | platform::kStateBkColor);
  std::string text = CutTrailingPointZero(required);
  enum { kNone, kGreaterEqual, kGreater, kLessEqual, kLess } relation = kNone;
  if (text.find(">=") != std::string::npos) relation = kGreaterEqual;
  else if (text.find('>') != std::string::npos) relation = kGreater;
  else if (text.find("<=") != std::string::npos) relation = kLessEqual;
  else if (text.find('<') != std::string::npos) relation = kLess;
  if (relation == kNone) {
    dc.SelectFont(m_Fonts.text);
    dc.SetTextAlign(platform::TA_CENTER | platform::TA_TOP);
    dc.TextOut(x, y, required);
    return;
  }
  std::string number;
  for (char ch : text)
    if (ch != '>' && ch != '<' && ch != '=') number += ch;
  number = TrimWhite(number);
  dc.SelectFont(m_Fonts.text);
  dc.SetTextAlign(platform::TA_LEFT | platform::TA_TOP);
  dc.TextOut(x, y, number);
  // The Symbol face holds the comparison signs at 0xB3 and 0xA3.
  const char* sign = relation == kGreaterEqual ? "\u00B3" : relation == kGreater ? ">" : relation == kLessEqual ? "\u00A3" : "<";
  dc.SelectFont(m_Fonts.symbol);
  dc.SetTextAlign(platform::TA_RIGHT | platform::TA_TOP);
  dc.TextOut(x - 100, y, sign);
}

void CDruckSeite::DrawCategoryText(DrawContext& dc, int x, int y, const std::string& category) {
  std::string text = category;
  const std::string modes = ExtractMarkupModes(text);
  StrReplace(text, ",", "");
  for (int i = 0;; ++i) {
    const std::string piece = StrGetFieldS(text, "@", i);
    if (piece.empty() && i >= StrCountFieldsS(text, "@")) break;
    const char mode = i < static_cast<int>(modes.size()) ? modes[static_cast<size_t>(i)] : 'n';
    const int pieceY = mode == 't' ? y - 100 : mode == 'h' ? y + 100 : y;
    dc.TextOut(x, pieceY, piece);
    x += dc.GetTextExtent(piece).cx;
  }
}

void CDruckSeite::DrawTextLine(DrawContext& dc, int x, int y, const std::string& text) {
  CDCZustand state(dc, platform::TRANSPARENT);
  dc.SelectFont(m_Fonts.serif);
  dc.SetTextAlign(platform::TA_LEFT | platform::TA_TOP);
  dc.TextOut(x, y, text);
}
