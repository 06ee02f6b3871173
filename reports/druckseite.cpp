// Every page: its letters, layout, fonts, the version line, page number and frame.
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
    case 'C': PrintPageC(dc); break;
    case 'B':
      DrawHeaderBlock(dc);
      DrawPetrographyPage(dc);
      break;
    case 'D':
      DrawHeaderBlock(dc);
      DrawAlkaliPage(dc);
      break;
    case 'E':
    case 'F':
      DrawHeaderBlock(dc);
      DrawArmourstonePage(dc, m_Letter == 'E' ? 0 : 1);
      break;
    case 'X': PrintPageX(dc); break;
    case 'Y': DrawBallastSideTests(dc); break;
    default: break;
  }
  if (m_Letter != '\0' && std::string_view("ABCDEFY").find(m_Letter) != std::string_view::npos)
    DrawFrame(dc, left, top, right, bottom);
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
  // Ending at its point, the label stays above the first page's bottom band.
  DrawProductLine(dc, right, bottom + 2850, 2);
}

void CDruckSeite::DrawProductLine(DrawContext& dc, int x, int y, int alignment) {
  platform::DrawStateGuard state(dc, platform::kStateAll, platform::TRANSPARENT);
  dc.SelectFont(MakeFont("Courier New", 200, 400, 2700));
  dc.SetTextColor(kBlack);
  dc.SetBkColor(RGB(255, 255, 255));
  const unsigned horizontal = alignment == 0 ? platform::TA_LEFT : alignment == 2 ? platform::TA_RIGHT : platform::TA_CENTER;
  // Hanging from its point, the label stands on end inside the frame line at x.
  dc.SetTextAlign(horizontal | platform::TA_TOP);
  dc.TextOut(x - 60, y, std::string(kProgramName) + " - " + PrintText(67600, "Prüfbericht"));
}
