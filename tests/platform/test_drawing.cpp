// The drawing context: one page that uses every primitive, rendered to PDF
// (checked with pdftotext -bbox) and to a PNG (checked by pixels).
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "platform/drawcontext.h"
#include "platform/fonts.h"
#include "platform/sysmetrics.h"
#include "pdf_words.h"
#include "support/temp_folder.h"

using namespace platform;
using pdftest::Word;

namespace {

// ---- what the page holds, in 0.01 mm from the top-left corner of an A4 page

const Font kArial{.face = "Arial", .height = 350, .escapement = 1};
const Font kTimes{.face = "Times New Roman", .height = 310, .escapement = 1};
const Font kSymbol{.face = "Symbol", .height = 330, .weight = 600, .escapement = 1};
const Font kDown{.face = "Courier New", .height = 330, .weight = 600, .escapement = 2701};
const Font kUp{.face = "Arial", .height = 800, .escapement = 900};

struct AlignCase {
  const char* word;
  unsigned align;
  Point at;
};
const AlignCase kAlignCases[] = {
    {"LeftTop", TA_LEFT | TA_TOP, {2000, -2000}},
    {"CentreBase", TA_CENTER | TA_BASELINE, {9000, -2000}},
    {"RightBottom", TA_RIGHT | TA_BOTTOM, {18000, -2000}},
};
const Point kDownAt{19000, -4000};        // reading down, left/top
const Point kCpStart{2000, -5000};        // update-current-position runs
const Rect kWrapBox{2000, -7000, 7000, -10000};
const Rect kCentreBox{9000, -7000, 17000, -8000};
const Rect kClipBox{9000, -9000, 10000, -9500};
const Point kGuardText{2000, -11000};     // drawn after the guard: Arial 350 again
const Point kOriginText{1000, -1000};     // drawn at (0, 0) with the window origin moved
const Point kTriangle[] = {{2000, -16000}, {6000, -16000}, {4000, -12000}};  // apex up
const Rect kBitmapBox{8000, -12000, 11000, -16000};                       // top above bottom
const Rect kBitmapSwapped{12000, -16000, 15000, -12000};                  // top below bottom
const Point kUpLabel{17000, -16000};
const Rect kOpaqueBox{2000, -18000, 9000, -18000};  // opaque text at left/top
const int kThickY = -20000;  // a line 1 mm wide from x 2000 to 9000
const int kDotY = -21000;    // a thin dotted line

QImage TwoColourBitmap() {
  QImage image(2, 2, QImage::Format_RGB32);
  image.setPixel(0, 0, qRgb(255, 0, 0));
  image.setPixel(1, 0, qRgb(255, 0, 0));
  image.setPixel(0, 1, qRgb(0, 0, 255));
  image.setPixel(1, 1, qRgb(0, 0, 255));
  return image;
}

// Draws the test page; gives the current position after the runs and the
// extents of the three runs.
struct PageFacts {
  Point cp_after_runs;
  int runs_width = 0;
  int wrap_height = 0;
};

PageFacts DrawTestPage(DrawContext& dc) {
  PageFacts facts;
  dc.SetBkMode(TRANSPARENT);
  dc.SelectFont(kArial);
  for (const auto& c : kAlignCases) {
    dc.SetTextAlign(c.align);
    dc.TextOut(c.at.x, c.at.y, c.word);
  }
  {
    DrawStateGuard guard(dc, kStateWithFont);
    dc.SelectFont(kDown);
    dc.SetTextAlign(TA_LEFT | TA_TOP);
    dc.TextOut(kDownAt.x, kDownAt.y, "Downward");
  }

  // Runs: the font changes between them, the position carries on.
  {
    DrawStateGuard guard(dc, kStateWithFont);
    dc.SetTextAlign(TA_LEFT | TA_BASELINE | TA_UPDATECP);
    dc.MoveTo(kCpStart);
    dc.SelectFont(kTimes);
    dc.TextOut(0, 0, "Soll:  ");
    facts.runs_width += dc.GetTextExtent("Soll:  ").cx;
    dc.SelectFont(kSymbol);
    dc.TextOut(0, 0, "\u00A3\u00B3S-ab");
    facts.runs_width += dc.GetTextExtent("\u00A3\u00B3S-ab").cx;
    dc.SelectFont(kTimes);
    dc.TextOut(0, 0, " 1.0 M.-%");
    facts.runs_width += dc.GetTextExtent(" 1.0 M.-%").cx;
    facts.cp_after_runs = dc.GetCurrentPosition();
  }

  // DrawText ignores the alignment set for TextOut.
  dc.SetTextAlign(TA_RIGHT | TA_BOTTOM);
  facts.wrap_height = dc.DrawText("alpha beta gamma delta epsilon zeta eta theta", kWrapBox,
                                  DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
  dc.DrawText("Centred", kCentreBox, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  dc.DrawText("Clipped text far too long", kClipBox, DT_LEFT | DT_SINGLELINE);

  // A guard puts back pen, brush, font, colours, alignment, background mode.
  {
    DrawStateGuard guard(dc, kStateWithFont, OPAQUE);
    dc.SelectFont(Font{.face = "Courier New", .height = 900});
    dc.SelectPen(Pen{PS_DASH, 0, RGB(255, 0, 0)});
    dc.SelectBrush(Brush::Hollow());
    dc.SetTextColor(RGB(0, 255, 0));
    dc.SetTextAlign(TA_CENTER | TA_BOTTOM);
  }
  dc.SetTextAlign(TA_LEFT | TA_TOP);
  dc.TextOut(kGuardText.x, kGuardText.y, "Guarded");

  {
    Point old = dc.SetWindowOrg(-kOriginText.x, -kOriginText.y);
    dc.TextOut(0, 0, "Origin");
    dc.SetWindowOrg(old.x, old.y);
  }

  dc.SelectPen(Pen{PS_SOLID, 0, RGB(0, 0, 0)});
  dc.SelectBrush(Brush::Solid(RGB(0, 0, 0)));
  dc.Polygon(kTriangle, 3);

  const QImage bitmap = TwoColourBitmap();
  dc.DrawBitmap(bitmap, kBitmapBox);
  dc.DrawBitmap(bitmap, kBitmapSwapped);

  {
    DrawStateGuard guard(dc, kStateWithFont);
    dc.SelectFont(kUp);
    dc.SetTextAlign(TA_LEFT | TA_BASELINE);
    dc.TextOut(kUpLabel.x, kUpLabel.y, "HIGH");
  }

  {
    DrawStateGuard guard(dc, kStateAll, OPAQUE);
    dc.SetBkColor(RGB(255, 255, 0));
    dc.TextOut(kOpaqueBox.left, kOpaqueBox.top, "Opaque");
  }

  dc.SelectPen(Pen{PS_SOLID, 100, RGB(0, 0, 0)});
  dc.MoveTo(2000, kThickY);
  dc.LineTo(9000, kThickY);
  dc.SelectPen(Pen{PS_DOT, 0, RGB(0, 0, 0)});
  dc.MoveTo(2000, kDotY);
  dc.LineTo(9000, kDotY);
  dc.SelectBrush(Brush::Hollow());
  dc.Rectangle(1000, -500, 20000, -28000);
  dc.Ellipse(12000, -18000, 16000, -21000);
  return facts;
}

// Ascent and descent of a font in logical units, as the PDF boxes use them.
std::pair<double, double> AscentDescent(const Font& font) {
  const ResolvedFont& rf = ResolveFont(font, 353);
  return {rf.ascent, rf.descent};
}

constexpr double kTol = 15;  // 0.15 mm

class DrawingPage : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new TempFolder;
    pdf_ = *folder_ / "page.pdf";
    {
      QPdfWriter writer(QString::fromStdString(pdf_.string()));
      writer.setResolution(600);
      writer.setPageSize(QPageSize(QPageSize::A4));
      writer.setPageMargins(QMarginsF(0, 0, 0, 0));
      QPainter painter(&writer);
      DrawContext dc(painter);
      facts_ = DrawTestPage(dc);
    }
    pdf_text_ = pdftest::ReadPdf(pdf_);

    // The same page as a small PNG, 100 dots per inch.
    QImage image(827, 1169, QImage::Format_RGB32);
    image.setDotsPerMeterX(3937);
    image.setDotsPerMeterY(3937);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      painter.setRenderHint(QPainter::Antialiasing);
      DrawContext dc(painter);
      DrawTestPage(dc);
    }
    const auto png = *folder_ / "page.png";
    ASSERT_TRUE(image.save(QString::fromStdString(png.string())));
    png_ = QImage(QString::fromStdString(png.string())).convertToFormat(QImage::Format_RGB32);
  }
  static void TearDownTestSuite() {
    delete folder_;
    folder_ = nullptr;
  }

  // The PNG pixel at a logical point.
  static QRgb PixelAt(int x, int y) {
    const double k = 100.0 / 2540.0;
    return png_.pixel(static_cast<int>(x * k), static_cast<int>(-y * k));
  }
  static bool IsDark(QRgb c) { return qRed(c) < 100 && qGreen(c) < 100 && qBlue(c) < 100; }
  static bool IsWhite(QRgb c) { return qRed(c) > 240 && qGreen(c) > 240 && qBlue(c) > 240; }
  // Dark pixels in a logical rectangle.
  static int DarkPixels(const Rect& r) {
    const double k = 100.0 / 2540.0;
    int count = 0;
    for (int py = static_cast<int>(-std::max(r.top, r.bottom) * k); py <= static_cast<int>(-std::min(r.top, r.bottom) * k); ++py)
      for (int px = static_cast<int>(std::min(r.left, r.right) * k); px <= static_cast<int>(std::max(r.left, r.right) * k); ++px)
        if (IsDark(png_.pixel(px, py))) ++count;
    return count;
  }

  static TempFolder* folder_;
  static std::filesystem::path pdf_;
  static PageFacts facts_;
  static pdftest::PdfText pdf_text_;
  static QImage png_;
};
TempFolder* DrawingPage::folder_ = nullptr;
std::filesystem::path DrawingPage::pdf_;
PageFacts DrawingPage::facts_;
pdftest::PdfText DrawingPage::pdf_text_;
QImage DrawingPage::png_;

TEST_F(DrawingPage, AlignmentTopBaselineBottomAndLeftCentreRight) {
  auto [ascent, descent] = AscentDescent(kArial);
  const Word* left_top = pdf_text_.Find("LeftTop");
  const Word* centre_base = pdf_text_.Find("CentreBase");
  const Word* right_bottom = pdf_text_.Find("RightBottom");
  ASSERT_TRUE(left_top && centre_base && right_bottom);
  EXPECT_NEAR(left_top->left, 2000, kTol);
  EXPECT_NEAR(left_top->top, -2000, kTol);
  EXPECT_NEAR(centre_base->CentreX(), 9000, kTol);
  EXPECT_NEAR(centre_base->top, -2000 + ascent, kTol);
  EXPECT_NEAR(centre_base->bottom, -2000 - descent, kTol);
  EXPECT_NEAR(right_bottom->right, 18000, kTol);
  EXPECT_NEAR(right_bottom->bottom, -2000, kTol);
  // The cell of a font of height 350 is 350 high.
  EXPECT_NEAR(left_top->top - left_top->bottom, 350, 3);
}

TEST_F(DrawingPage, TextReadingDownIsAlignedInItsOwnFrame) {
  const Word* down = pdf_text_.Find("Downward");
  ASSERT_TRUE(down);
  // Left/top in the rotated frame: the text starts at the point and runs
  // down the page; the top of its cell faces right, so it lies left of x.
  EXPECT_GT(down->top - down->bottom, 3 * (down->right - down->left));
  EXPECT_NEAR(down->top, kDownAt.y, kTol);
  EXPECT_NEAR(down->right, kDownAt.x, kTol);
  EXPECT_NEAR(down->right - down->left, 330, 3);
}

TEST_F(DrawingPage, RunsCarryTheCurrentPositionAcrossFontsAndSymbolsMapToUnicode) {
  EXPECT_EQ(facts_.cp_after_runs.y, kCpStart.y);
  EXPECT_NEAR(facts_.cp_after_runs.x, kCpStart.x + facts_.runs_width, 3);
  const Word* soll = pdf_text_.Find("Soll:");
  ASSERT_TRUE(soll);
  EXPECT_NEAR(soll->left, kCpStart.x, kTol);
  std::string symbols;
  const Word* first_symbol = nullptr;
  for (const auto& w : pdf_text_.words)
    if (w.text.find("≤") != std::string::npos) first_symbol = &w;
  ASSERT_TRUE(first_symbol) << "no less-or-equal sign in the PDF";
  EXPECT_EQ(first_symbol->text, "≤≥Σ−αβ");
  EXPECT_GT(first_symbol->left, soll->right);
  const Word* number = pdf_text_.Find("1.0");
  ASSERT_TRUE(number);
  EXPECT_GT(number->left, first_symbol->right);
  // All on one base line.
  EXPECT_NEAR(soll->bottom, first_symbol->bottom, 40);
}

TEST_F(DrawingPage, DrawTextWrapsCentresAndIgnoresTheTextAlignment) {
  std::map<int, std::vector<const Word*>> lines;  // by rounded top
  for (const char* w : {"alpha", "beta", "gamma", "delta", "epsilon", "zeta", "eta", "theta"}) {
    const Word* word = pdf_text_.Find(w);
    ASSERT_TRUE(word) << w;
    EXPECT_GE(word->left, kWrapBox.left - kTol) << w;
    EXPECT_LE(word->right, kWrapBox.right + kTol) << w;
    lines[static_cast<int>(std::lround(word->top / 10))].push_back(word);
  }
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(facts_.wrap_height, 350 * static_cast<int>(lines.size()));
  // First line starts at the top; each line is centred.
  EXPECT_NEAR(lines.rbegin()->first * 10, kWrapBox.top, 10);
  for (auto& [top, line] : lines) {
    double left = 1e9, right = -1e9;
    for (const Word* w : line) left = std::min(left, w->left), right = std::max(right, w->right);
    EXPECT_NEAR((left + right) / 2, (kWrapBox.left + kWrapBox.right) / 2.0, kTol);
  }
  const Word* centred = pdf_text_.Find("Centred");
  ASSERT_TRUE(centred);
  EXPECT_NEAR(centred->CentreX(), (kCentreBox.left + kCentreBox.right) / 2.0, kTol);
  EXPECT_NEAR(centred->CentreY(), (kCentreBox.top + kCentreBox.bottom) / 2.0, kTol);
}

TEST_F(DrawingPage, GuardRestoresFontAlignmentAndColours) {
  const Word* guarded = pdf_text_.Find("Guarded");
  ASSERT_TRUE(guarded);
  EXPECT_NEAR(guarded->left, kGuardText.x, kTol);
  EXPECT_NEAR(guarded->top, kGuardText.y, kTol);
  EXPECT_NEAR(guarded->top - guarded->bottom, 350, 3);
  // Green would show when the text colour was not put back.
  const QRgb c = PixelAt(static_cast<int>(guarded->left + 60), static_cast<int>(guarded->CentreY()));
  EXPECT_FALSE(qGreen(c) > 200 && qRed(c) < 100);
}

TEST_F(DrawingPage, WindowOriginMovesTheDrawing) {
  const Word* origin = pdf_text_.Find("Origin");
  ASSERT_TRUE(origin);
  EXPECT_NEAR(origin->left, kOriginText.x, kTol);
  EXPECT_NEAR(origin->top, kOriginText.y, kTol);
}

TEST_F(DrawingPage, PolygonIsUpwardsOnTheYUpPage) {
  EXPECT_TRUE(IsDark(PixelAt(4000, -13000)));   // near the apex
  EXPECT_TRUE(IsDark(PixelAt(2600, -15800)));   // near the left base corner
  EXPECT_TRUE(IsWhite(PixelAt(2600, -12600)));  // beside the apex
  EXPECT_TRUE(IsWhite(PixelAt(4000, -16600)));  // below the base
}

TEST_F(DrawingPage, BitmapsAreUpright) {
  for (const Rect& box : {kBitmapBox, kBitmapSwapped}) {
    const int x = (box.left + box.right) / 2;
    const int upper = std::max(box.top, box.bottom) - 500;
    const int lower = std::min(box.top, box.bottom) + 500;
    EXPECT_EQ(PixelAt(x, upper), qRgb(255, 0, 0));
    EXPECT_EQ(PixelAt(x, lower), qRgb(0, 0, 255));
  }
}

TEST_F(DrawingPage, RotatedLabelStandsUp) {
  // "HIGH" reads upwards from its point: ink above the point, not beside it.
  const int above = DarkPixels(Rect{kUpLabel.x - 800, kUpLabel.y + 2500, kUpLabel.x, kUpLabel.y});
  const int right = DarkPixels(Rect{kUpLabel.x + 200, kUpLabel.y + 800, kUpLabel.x + 2500, kUpLabel.y});
  EXPECT_GT(above, 50);
  EXPECT_EQ(right, 0);
}

TEST_F(DrawingPage, ClippingAndOpaqueBackground) {
  // Nothing of the clipped text right of its box.
  EXPECT_EQ(DarkPixels(Rect{kClipBox.right + 40, kClipBox.top, kClipBox.right + 3000, kClipBox.bottom}), 0);
  EXPECT_GT(DarkPixels(kClipBox), 0);
  // The opaque text fills its cell with the background colour.
  EXPECT_EQ(PixelAt(kOpaqueBox.left + 20, kOpaqueBox.top - 20), qRgb(255, 255, 0));
}

TEST_F(DrawingPage, PenWidthsAndDots) {
  // 1 mm wide at 100 dpi is about 4 pixels; the dotted line has gaps.
  int thick = 0;
  for (int y = kThickY + 300; y >= kThickY - 300; y -= 10) thick += IsDark(PixelAt(5000, y)) ? 1 : 0;
  EXPECT_NEAR(thick, 10, 3);  // samples 0.1 mm apart
  int on = 0, off = 0;
  const int py = static_cast<int>(-kDotY * 100.0 / 2540.0);
  for (int px = 100; px < 300; ++px) (qGray(png_.pixel(px, py)) < 160 ? on : off)++;
  EXPECT_GT(on, 60);
  EXPECT_GT(off, 60);
}

// ---- the state itself, without a device page

TEST(DrawContextState, SelectGivesThePreviousAndGuardsRestoreWhatTheyState) {
  QImage image(100, 100, QImage::Format_RGB32);
  QPainter painter(&image);
  DrawContext dc(painter);
  const Pen pen{PS_DOT, 0, RGB(1, 2, 3)};
  EXPECT_EQ(dc.SelectPen(pen), Pen{});
  EXPECT_EQ(dc.SelectPen(Pen{}), pen);
  const Font font = dc.GetFont();
  {
    DrawStateGuard without_font(dc, kStateWithoutFont, TRANSPARENT);
    EXPECT_EQ(dc.GetBkMode(), TRANSPARENT);
    dc.SelectFont(kSymbol);
    dc.SelectBrush(Brush::Hollow());
    dc.SetTextAlign(TA_RIGHT);
    dc.SetBkColor(RGB(9, 9, 9));
  }
  EXPECT_EQ(dc.GetBkMode(), OPAQUE);
  EXPECT_EQ(dc.GetBrush(), Brush::Solid(RGB(255, 255, 255)));
  EXPECT_EQ(dc.GetTextAlign(), TA_LEFT | TA_TOP);
  EXPECT_EQ(dc.GetFont(), kSymbol);         // not stated, not restored
  EXPECT_EQ(dc.GetBkColor(), RGB(9, 9, 9));  // neither
  {
    DrawStateGuard with_font(dc, kStateWithFont);
    dc.SelectFont(font);
    dc.SetBkMode(TRANSPARENT);
  }
  EXPECT_EQ(dc.GetFont(), kSymbol);
  EXPECT_EQ(dc.GetBkMode(), OPAQUE);
}

TEST(DrawContextState, DrawTextCalcRectMeasuresWithoutDrawing) {
  QImage image(100, 100, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    DrawContext dc(painter);
    dc.SelectFont(kArial);
    const int cell = dc.GetTextExtent("x").cy;
    Rect r{0, 0, 100000, 0};
    EXPECT_EQ(dc.DrawText("one\ntwo\nthree", r, DT_CALCRECT | DT_LEFT), 3 * cell);
    EXPECT_EQ(r.bottom, -3 * cell);  // y up: the bottom moves down
    EXPECT_EQ(r.right, dc.GetTextExtent("three").cx);
    Rect single{0, 0, 100000, 0};
    EXPECT_EQ(dc.DrawText("a&&b &c", single, DT_CALCRECT | DT_SINGLELINE), cell);
    EXPECT_EQ(single.right, dc.GetTextExtent("a&b c").cx);  // prefixes processed
  }
  EXPECT_EQ(image.pixel(50, 50), qRgb(255, 255, 255));
}

TEST(DrawContextState, PixelModeAndDeviceQueries) {
  QImage image(200, 100, QImage::Format_RGB32);
  image.setDotsPerMeterX(3937);
  image.setDotsPerMeterY(3937);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    DrawContext dc(painter);
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 100);
    EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 200);
    EXPECT_EQ(dc.GetDeviceCaps(HORZSIZE), 50);
    EXPECT_EQ(dc.LPtoDP(Point{2540, -1270}), (Point{100, 50}));
    EXPECT_EQ(dc.DPtoLP(Point{100, 50}), (Point{2540, -1270}));
    EXPECT_NEAR(dc.PixelSize(), 25.4, 1e-9);
    EXPECT_EQ(dc.SetMapMode(MM_TEXT), MM_HIMETRIC);
    EXPECT_EQ(dc.LPtoDP(Point{10, 20}), (Point{10, 20}));
    dc.FillSolidRect(Rect{10, 10, 20, 20}, RGB(0, 0, 255));
    dc.SelectPen(Pen{PS_SOLID, 1, RGB(255, 0, 0)});
    dc.SelectBrush(Brush::Hollow());
    dc.Rectangle(30, 10, 40, 20);  // right and bottom edge left out
  }
  EXPECT_EQ(image.pixel(10, 10), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(19, 19), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(20, 20), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(39, 15), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(40, 15), qRgb(255, 255, 255));
}

TEST(Fonts, FacesAndSymbolMapping) {
  EXPECT_EQ(ResolveFontFamily("Arial"), "Liberation Sans");
  EXPECT_EQ(ResolveFontFamily("Times New Roman"), "Liberation Serif");
  EXPECT_EQ(ResolveFontFamily("Courier New"), "Liberation Mono");
  EXPECT_EQ(ResolveFontFamily("No Such Face"), "Liberation Sans");
  EXPECT_EQ(MapSymbolText("\u00A3\u00B3S-aW \u00FE"), QString::fromUtf8("≤≥Σ−αΩ ⎭"));
  EXPECT_EQ(MapSymbolText("≤ already"), QString::fromUtf8("≤ αλρεαδψ"));
  // Metric-compatible faces: a cell of 1000 has the Windows character widths.
  const ResolvedFont& arial = ResolveFont(Font{.face = "Arial", .height = 1000}, 0);
  EXPECT_NEAR(arial.ascent + arial.descent, 1000, 3);
  const ResolvedFont& courier = ResolveFont(Font{.face = "Courier New", .height = -1000}, 0);
  EXPECT_NEAR(courier.metrics.horizontalAdvance("MMMMMMMMMM"), 6000, 10);  // 0.6 em each
  // No ligature: "fi" is as wide as "f" and "i".
  EXPECT_NEAR(arial.metrics.horizontalAdvance("fi"),
              arial.metrics.horizontalAdvance("f") + arial.metrics.horizontalAdvance("i"), 0.01);
}

}  // namespace

namespace {

using platform::GetSysColor;

QRgb Sys(int index) {
  const ColorRef c = GetSysColor(index);
  return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

struct EdgeCase {
  const char* name;
  unsigned edge;
  int outer_tl, outer_br, inner_tl, inner_br;  // system colours, -1: none
};

TEST(DrawContextEdges, OneAndTwoPixelEdgesInTheSystemColours) {
  const EdgeCase cases[] = {
      {"raised", EDGE_RAISED, platform::COLOR_3DLIGHT, platform::COLOR_3DDKSHADOW, platform::COLOR_3DHIGHLIGHT,
       platform::COLOR_3DSHADOW},
      {"sunken", EDGE_SUNKEN, platform::COLOR_3DSHADOW, platform::COLOR_3DHIGHLIGHT, platform::COLOR_3DDKSHADOW,
       platform::COLOR_3DLIGHT},
      {"sunken inner", BDR_SUNKENINNER, platform::COLOR_3DDKSHADOW, platform::COLOR_3DLIGHT, -1, -1},
  };
  for (const EdgeCase& c : cases) {
    SCOPED_TRACE(c.name);
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3));
    Rect r{10, 5, 30, 25};  // right and bottom are outside
    {
      QPainter painter(&image);
      DrawContext dc(painter);
      dc.SetMapMode(MM_TEXT);
      dc.DrawEdge(r, c.edge, BF_RECT | BF_ADJUST);
    }
    EXPECT_EQ(image.pixel(15, 5), Sys(c.outer_tl));   // top
    EXPECT_EQ(image.pixel(10, 15), Sys(c.outer_tl));  // left
    EXPECT_EQ(image.pixel(29, 15), Sys(c.outer_br));  // right
    EXPECT_EQ(image.pixel(15, 24), Sys(c.outer_br));  // bottom
    EXPECT_EQ(image.pixel(29, 5), Sys(c.outer_br));   // far corners: bottom-right colour
    EXPECT_EQ(image.pixel(30, 15), qRgb(1, 2, 3));     // nothing outside
    const int width = c.inner_tl < 0 ? 1 : 2;
    if (c.inner_tl >= 0) {
      EXPECT_EQ(image.pixel(15, 6), Sys(c.inner_tl));
      EXPECT_EQ(image.pixel(28, 15), Sys(c.inner_br));
    }
    EXPECT_EQ(image.pixel(15, 5 + width), qRgb(1, 2, 3));  // the inside stays
    EXPECT_EQ(r, (Rect{10 + width, 5 + width, 30 - width, 25 - width}));
  }
}

TEST(DrawContextEdges, OnlyTheSidesNamedAndTheMiddle) {
  QImage image(20, 20, QImage::Format_RGB32);
  image.fill(qRgb(1, 2, 3));
  {
    QPainter painter(&image);
    DrawContext dc(painter);
    dc.SetMapMode(MM_TEXT);
    Rect r{0, 0, 20, 20};
    dc.DrawEdge(r, BDR_RAISEDINNER, BF_TOP | BF_MIDDLE);
    EXPECT_EQ(r, (Rect{0, 0, 20, 20}));  // no BF_ADJUST
  }
  EXPECT_EQ(image.pixel(5, 0), Sys(platform::COLOR_3DHIGHLIGHT));
  EXPECT_EQ(image.pixel(0, 5), Sys(platform::COLOR_3DFACE));  // no left side: the middle reaches it
  EXPECT_EQ(image.pixel(19, 19), Sys(platform::COLOR_3DFACE));
}

TEST(DrawContextEdges, ClipBoxInLogicalUnits) {
  QImage image(200, 100, QImage::Format_RGB32);
  QPainter painter(&image);
  {
    DrawContext dc(painter);
    dc.SetMapMode(MM_TEXT);
    Rect box;
    EXPECT_EQ(dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, (Rect{0, 0, 200, 100}));  // no clip: the whole device
    painter.setClipRect(QRect(20, 10, 30, 40));
    EXPECT_EQ(dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, (Rect{20, 10, 50, 50}));
    dc.SetWindowOrg(10, 5);  // the clip stays where it is on the device
    EXPECT_EQ(dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, (Rect{30, 15, 60, 55}));
    painter.setClipRect(QRect(300, 10, 5, 5));
    EXPECT_EQ(dc.GetClipBox(&box), NULLREGION);
  }
}

}  // namespace
