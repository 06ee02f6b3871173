#pragma once
// CDruckSeite: one printed report page of one test record. A record gives
// one page per page kind that applies (letters A .. F, X, Y); the print job
// draws page n with Print(dc, print rectangle). All drawing is in 0.01 mm
// with y up: the print rectangle's top has the largest y.
//
//   std::vector<CDruckSeite*> pages;
//   record.AddPrintPages(pages);                      // the caller owns them
//   pages[0]->Print(dc, left, top, right, bottom);
//
// Every page lays itself out anew in Print (PageLayout), draws the version
// line, the page number, on a record's first page the logo and title boxes
// with the bottom band (remarks and signature), then the blocks of its
// letter and the frame. Painters that stack blocks take a y and return the
// y under what they drew; each leaves the drawing state as it found it.
#include <array>
#include <initializer_list>
#include <string>
#include <vector>

#include "charts/diagrammbasis.h"
#include "platform/drawcontext.h"
#include "records/materialanforderung.h"

class CVersuch;
class CProgrammEinstellungen;

// The letters of the page keys "SEITE_A" .. "SEITE_F", "SEITE_X", "SEITE_Y"
// that apply to the record, in that order; page n is of the n-th letter's kind.
std::string GetRecordPageLetters(const CVersuch& record);

// The entries of a page's layout, each four page coordinates; an entry that
// serves two painters gives one (left, top), the other (right, bottom).
enum PageLayoutEntry : int {
  BottomBand,
  BallastLowerBand,
  BallastSummaryBand,
  LogoBox,
  TitleBox,
  ChartBox,
  SieveTableBox,
  HeaderAnchors,
  SignatureBox,
  CrushedSurfacesAnchors,
  SideTestAnchors,
  SieveLossBox,
  PetrographyAnchors,
  ArmourstoneAnchors,
  RequirementAnchors,
  RemarksAnchors,
  BallastAnchors1,
  PageNumberAnchors,
  BallastAnchors2,
  kPageLayoutEntries
};
using PageLayout = std::array<platform::Rect, kPageLayoutEntries>;

// What the layout depends on besides the print rectangle.
struct PageLayoutInput {
  bool ballast = false;        // a track-ballast record
  bool secondSieving = false;  // record field 3 part 0 is "1"
  bool logoShown = false;      // the logo is printed and loaded
  int logoWidth = 0;           // pixels
  int logoHeight = 0;
  int sieveTableHeight = 0;
};

// Height of the logo box: 9000 x logo height / logo width for a printed
// logo; 1862 without one, and for a logo without width or height. A tall
// logo is cut down so that the title box under it ends above the chart.
int LogoBoxHeight(const PageLayoutInput& input);
inline constexpr int kDefaultLogoBoxHeight = 9000 * 310 / 1498;
inline constexpr int kMaxLogoBoxHeight = 6200 - 900;

PageLayout ComputePageLayout(const platform::Rect& print, const PageLayoutInput& input);

// The 13 fonts of the report pages.
struct ReportFonts {
  platform::Font text, textBold, textSmall, textVertical;
  platform::Font serifSmall, serif, serifBold, serifVertical, serifLarge, serifLargeVertical;
  platform::Font symbol, title, textLarge;
  static ReportFonts Create();
};

// One line of the header block.
struct HeaderField {
  enum Kind { kGap, kText, kStandard };
  Kind kind = kText;
  std::string label;
  std::string value;
};

class CDruckSeite {
 public:
  CDruckSeite();
  CDruckSeite(const CDruckSeite&) = delete;
  CDruckSeite& operator=(const CDruckSeite&) = delete;

  // Binds the page to its record (not owned; it outlives the print job) and
  // its page number (1 .. page count); loads the chart data and the
  // requirements of the record. Always true.
  bool Init(CVersuch* record, int pageNumber);
  // Draws the page into the print rectangle.
  void Print(platform::DrawContext& dc, int left, int top, int right, int bottom);

  CVersuch* GetRecord() const { return m_pVersuch; }
  int GetPageNumber() const { return m_nPage; }
  // The page's letter, or '\0' when the number lies outside the record's pages.
  char GetPageLetter() const { return m_Letter; }
  const platform::Rect& GetLayout(PageLayoutEntry entry) const { return m_Layout[entry]; }
  CDiagrammBasis& GetChartData() { return m_Diagramm; }

  // ---- layout and page elements
  void SetPrintRect(int left, int top, int right, int bottom);
  void CalcLayout();
  int GetSieveTableHeight() const;
  void DrawVersionLine(platform::DrawContext& dc);
  void DrawPageNumber(platform::DrawContext& dc);
  void DrawFrame(platform::DrawContext& dc, int left, int top, int right, int bottom);
  // The product label standing on end, read downwards, left of x: alignment
  // 0 starts it at y, 2 ends it there, else it is centred on y.
  void DrawProductLine(platform::DrawContext& dc, int x, int y, int alignment);

  // ---- first-page header
  // The fields of the header block and the wrapped lines of the standard
  // text; gives the (negative) height the block takes.
  int BuildHeaderFields(std::vector<HeaderField>& fields, std::vector<std::string>& standardLines) const;
  int DrawHeaderBlock(platform::DrawContext& dc);
  void DrawTitleBox(platform::DrawContext& dc, const std::string& title);
  void DrawLogoBox(platform::DrawContext& dc);
  void DrawSeparatorLines(platform::DrawContext& dc);
  void DrawSignatureBox(platform::DrawContext& dc);
  void DrawRemarks(platform::DrawContext& dc);

  // ---- page A
  // The sieve table of the record's kind.
  void DrawSieveTables(platform::DrawContext& dc);
  void DrawSieveTable(platform::DrawContext& dc);
  int DrawSieveLoss(platform::DrawContext& dc, int y);
  int DrawSieveValueList(platform::DrawContext& dc, int y);
  int DrawRequirementTables(platform::DrawContext& dc, int y);
  void DrawRequirementRow(platform::DrawContext& dc, int x, int y, const std::string& row, bool header);
  void DrawRequirementValue(platform::DrawContext& dc, int x, int y, const std::string& required);
  void DrawCategoryText(platform::DrawContext& dc, int x, int y, const std::string& category);
  void DrawTextLine(platform::DrawContext& dc, int x, int y, const std::string& text);

  // ---- page X: track ballast
  // Test number, plant, kind of test and the sampling protocol.
  void DrawBallastHeaderBlock(platform::DrawContext& dc);
  // Fractions, residues, passing with the requirement of each sieve, the sum
  // line, the range row, and beside the table the tolerance note or the verdict.
  void DrawBallastSieveTable(platform::DrawContext& dc);
  // A marker pointing right and the text, its word " nicht " set in bold.
  void DrawVerdictLine(platform::DrawContext& dc, int x, int y, const std::string& text);
  // The note that explains the "**" of the 0.5 mm row.
  void DrawBallastUndersizeNote(platform::DrawContext& dc);
  // The verdict of every track-ballast test, above the tester's signature.
  void DrawBallastSummary(platform::DrawContext& dc);
  void DrawTopLine(platform::DrawContext& dc, const platform::Rect& rect);
  void DrawBallastSignature(platform::DrawContext& dc);
  // The plant manager's statement and the inspector's note.
  void DrawBallastStatement(platform::DrawContext& dc);
  void DrawBallastFrames(platform::DrawContext& dc, int left, int top, int right, int bottom);

  // ---- page Y: the side tests of track ballast, one block each
  void DrawBallastSideTests(platform::DrawContext& dc);
  void DrawBallastPurity(platform::DrawContext& dc);
  // variant 1: grain shape (field 12), 0: flakiness (field 23)
  void DrawBallastShapeBlock(platform::DrawContext& dc, int variant);
  void DrawBallastGrainsOver100(platform::DrawContext& dc);
  void DrawBallastWaterAbsorption(platform::DrawContext& dc);
  void DrawBallastCrystallisation(platform::DrawContext& dc);
  void DrawBallastEnvironment(platform::DrawContext& dc);

  // ---- page B: petrography
  void DrawPetrographyPage(platform::DrawContext& dc);
  // "erfüllt" for code "1", "NICHT" and "ERFÜLLT" side by side for "2", else nothing.
  void DrawPetrographyVerdict(platform::DrawContext& dc, int x, int y, const std::string& code);

  // ---- page D: alkali classification
  void DrawAlkaliPage(platform::DrawContext& dc);

  // ---- page C; each block gives the height it took
  // The crushed surfaces of one (mode 1) or several size classes.
  int DrawBruchflaechigkeit(platform::DrawContext& dc, int mode);
  int DrawBruchflaechigkeitOldMethod(platform::DrawContext& dc);

  // ---- page C under the crushed surfaces; each block takes the offset d of
  // its top below the side-test anchor and gives the offset for the next.
  // The composition of recycled material: d + 5920, or d without a result.
  int DrawZusammRecyc(platform::DrawContext& dc, int d);
  // The composition of a grading mixture: d + ZusammRecycKorngemischHeight.
  int DrawZusammRecycKorngemisch(platform::DrawContext& dc, int d);
  // The sand equivalent: d + 3000.
  int DrawSandaequivalent(platform::DrawContext& dc, int d);
  // The grains longer than 100 mm, the last block of the page.
  void DrawLaenger100(platform::DrawContext& dc, int d);

  // ---- pages E and F: armourstone (page 0 is E, 1 is F)
  void DrawArmourstonePage(platform::DrawContext& dc, int page);
  void DrawWBSGroessenverteilung(platform::DrawContext& dc);
  void DrawWBSSteinformTabelle(platform::DrawContext& dc);
  void DrawWBSSiebtabelle(platform::DrawContext& dc, int x, int y, const std::string& labels,
                          const std::string& residues, const std::string& shares, const std::string& passing,
                          const std::string& total, const std::string& ranges);

 private:
  void PrintPageA(platform::DrawContext& dc);
  void PrintPageC(platform::DrawContext& dc);
  void PrintPageX(platform::DrawContext& dc);
  // Captions of a page Y block, centred in the serif face at (x + dx, y - down).
  struct BlockLabel {
    int dx, down;
    std::string text;
  };
  void DrawCentredLabels(platform::DrawContext& dc, int x, int y, std::initializer_list<BlockLabel> labels);
  // The verdict line of a page Y block, in the serif face.
  void DrawSerifVerdictLine(platform::DrawContext& dc, int x, int y, const std::string& text);
  void DrawWBSMassenverteilungPage(platform::DrawContext& dc, int page);
  // How far a block whose highest line is at `top` moves down so that it
  // begins below the header block's last line, with a little room: 0 or less.
  int HeaderClearance(int top) const;
  // The first line of pages E and F: the anchor's, or lower when a long
  // header block reaches it.
  int ArmourstoneTop() const;
  // The category name with the part after each blank lowered.
  void DrawWBSCategory(platform::DrawContext& dc, int x, int y, const std::string& category);
  // The record field of the sieving in force: 8 for the second, else 7.
  int ActiveSievingField() const;
  bool IsSecondSieving() const;

  CDiagrammBasis m_Diagramm;
  ReportFonts m_Fonts;
  CMaterialAnforderung m_Anforderung;
  platform::Rect m_PrintRect;
  PageLayout m_Layout{};
  CVersuch* m_pVersuch = nullptr;
  int m_nPage = 0;
  char m_Letter = '\0';
};

// The filled class rows of the crushed surfaces (record field 20 parts 20 to
// 29): their count and the first of them (0 when there is none).
void CountBruchKornklassen(const CVersuch& record, int& first, int& count);

// The space the grading-mixture composition takes with its rows: down to
// its sum line, one line and a gap, at least 4500.
int ZusammRecycKorngemischHeight(int rows);

// The settings the pages print with: the application's, or the defaults
// when no application object exists. Loads the company logo named in the
// settings through CDib when it has not been read yet.
CProgrammEinstellungen& ReportSettings();

// Pieces of the page texts, exposed for their tests.
// "12.50" -> "12.5", "12.00" -> "12", "100" stays.
std::string TrimDecimalZeros(const std::string& value);
// Cuts a trailing ".0" only ("10.05" stays).
std::string CutTrailingPointZero(const std::string& value);
