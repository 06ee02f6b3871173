// The grading charts of report pages A and X drawn from fixture records: to
// PDF (axis labels, sieve sizes and titles at their places) and to images
// (measured curve, target curves, limit marks in the colours of their pens).
#include <gtest/gtest.h>

#include <cmath>

#include "chart_records.h"
#include "chart_render.h"
#include "charts/diagrammbasis.h"
#include "platform/fonts.h"
#include "records/materialanforderung.h"
#include "support/temp_folder.h"

using namespace platform;
using namespace chartfixtures;
using namespace chartrender;

namespace {

// Where a report page puts its chart (print rectangle 1.7 cm from the left).
const Rect kChartBox{3000, -3000, 18000, -9800};

constexpr ColorRef kMeasured = RGB(220, 0, 0);
constexpr ColorRef kMark = RGB(191, 255, 255);
constexpr ColorRef kTarget = RGB(0, 0, 255);
constexpr ColorRef kFurtherTarget = RGB(0, 150, 0);
constexpr ColorRef kTriangle = RGB(255, 140, 0);
constexpr ColorRef kGroup1 = RGB(128, 0, 128);
constexpr ColorRef kGroup2 = RGB(0, 128, 128);
constexpr ColorRef kPlant = RGB(230, 0, 230);
constexpr double kTol = 20;

struct PageA {
  CVersuch record;
  CMaterialAnforderung requirements;
  CDiagrammBasis chart;

  explicit PageA(const CVersuch& r) : record(r) {
    requirements.SetStrings(record.GetField(5), record.GetField(25));
    chart.SetChartPens(ColourfulPens());
    chart.LoadFromVersuch(record);
  }
  QImage Image(bool smooth = false, const CPunktListe* extra = nullptr) {
    return RenderImage([&](DrawContext& dc) { chart.DrawSieblinie(dc, kChartBox, smooth, requirements, extra); });
  }
  Point At(double size, double percent) {
    return {chart.GetLogDia().GetXPos(size, true), chart.GetLogDia().GetYPos(percent, true)};
  }
};

struct PageX {
  CVersuch record;
  CDiagrammBasis chart;

  explicit PageX(const CVersuch& r) : record(r) {
    chart.SetChartPens(ColourfulPens());
    chart.LoadFromVersuch(record);
  }
  QImage Image(const Rect& box = kChartBox) {
    return RenderImage([&](DrawContext& dc) { chart.DrawGleisschotterSieblinie(dc, box); });
  }
  Point At(double size, double percent) {
    return {chart.GetGleisschotterDia().GetXPos(size, true), chart.GetGleisschotterDia().GetYPos(percent, true)};
  }
};

Point Middle(Point a, Point b) { return {(a.x + b.x) / 2, (a.y + b.y) / 2}; }

TEST(ChartData, LoadFromVersuchTakesTheRecordsChartData) {
  CDiagrammBasis chart;
  chart.LoadFromVersuch(OrdinaryRecord());
  EXPECT_EQ(chart.GetSieveList(), "45;31.5;16;8;4;2;1;0.5;0.25;0.125;0.063");
  EXPECT_EQ(chart.GetPassingList(), "100.0;96.4;78.2;61.5;48.0;37.3;27.9;18.6;9.8;5.2;3.1");
  EXPECT_EQ(chart.GetTargetCurves(), kOrdinaryTargetCurves);
  ASSERT_EQ(chart.GetPlantPoints().GetAnz(), 6);
  EXPECT_EQ(chart.GetPlantPoints()[1], (CPunkt{0.5, 15}));
  EXPECT_FALSE(chart.IsGleisschotterMaterial());

  chart.LoadFromVersuch(BallastRecord());
  EXPECT_EQ(chart.GetSieveList(), "80;63;50;40;31.5;22.4;0.5;0.063");
  EXPECT_TRUE(chart.IsGleisschotterMaterial());
  EXPECT_TRUE(chart.IsDinEnBallast());
  EXPECT_FALSE(chart.IsDbsBallast());
  EXPECT_EQ(chart.GetPlantPoints().GetAnz(), 0);
}

TEST(ChartData, MeasuredPointsOfPagesAAndX) {
  struct Case {
    const char* sieves;
    const char* passing;
    std::vector<double> pageA, pageX;  // sieve sizes kept
  } cases[] = {
      {"8;16;31.5;63", "100.0;100.0;80.5;40.2", {63, 31.5, 16, 8}, {31.5, 16, 8}},
      {"8;16;31.5", "104.0;80.5;40.2", {16, 8}, {31.5, 16, 8}},  // above 100: not on page A
      {"8;16;31.5", "", {}, {}},
      // An empty passing text is a sieve without value, not 0 %.
      {"8;16;31.5", "100.0;;40.2", {31.5, 8}, {31.5, 8}},
      {"8;16;31.5", "100.0;80.5", {31.5, 16}, {31.5, 16}},
      // Sizes of 0 or below have no place on a sieve axis.
      {"0;-2;4", "50;20;10", {4}, {4}},
  };
  for (const Case& c : cases) {
    CVersuch record = OrdinaryRecord();
    record.SetValue(6, 0, c.sieves);
    record.SetValue(3, 1, c.passing);
    CDiagrammBasis chart;
    chart.LoadFromVersuch(record);
    for (bool ballast : {false, true}) {
      std::vector<double> sizes;
      for (const auto& p : chart.GetMesspunkte(ballast)) sizes.push_back(p.size);
      EXPECT_EQ(sizes, ballast ? c.pageX : c.pageA) << c.sieves << " / " << c.passing << (ballast ? " X" : " A");
    }
  }
}

// ---- page A

class GradingChartPdf : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new TempFolder;
    page_ = new PageA(OrdinaryRecord());
    RenderPdf(*folder_ / "page_a.pdf", [](DrawContext& dc) {
      page_->chart.DrawSieblinie(dc, kChartBox, true, page_->requirements);
    });
    pdf_ = new pdftest::PdfText(pdftest::ReadPdf(*folder_ / "page_a.pdf"));
  }
  static void TearDownTestSuite() {
    delete pdf_;
    delete page_;
    delete folder_;
  }
  // Two groups are named: the chart is 100 lower than its box.
  static int Bottom() { return kChartBox.bottom + 100; }
  static TempFolder* folder_;
  static PageA* page_;
  static pdftest::PdfText* pdf_;
};
TempFolder* GradingChartPdf::folder_ = nullptr;
PageA* GradingChartPdf::page_ = nullptr;
pdftest::PdfText* GradingChartPdf::pdf_ = nullptr;

TEST_F(GradingChartPdf, PercentScaleAndTitles) {
  const int height = kChartBox.top - Bottom();
  for (int b = 0; b <= 10; ++b) {
    const std::string text = std::to_string(100 - 10 * b);
    const pdftest::Word* w = NearestWord(*pdf_, text, kChartBox.left - 400, kChartBox.top - b * height / 10);
    ASSERT_TRUE(w) << text;
    EXPECT_NEAR(w->right, kChartBox.left - 200, kTol) << text;
    EXPECT_NEAR(w->CentreY(), kChartBox.top - b * height / 10, kTol) << text;
  }
  const pdftest::Word* x1 = pdf_->Find("Korndurchmesser");
  const pdftest::Word* x2 = pdf_->Find("[mm]");
  ASSERT_TRUE(x1 && x2);
  EXPECT_NEAR((x1->left + x2->right) / 2, (kChartBox.left + kChartBox.right) / 2, kTol);
  EXPECT_NEAR(x1->top, Bottom() - 500, kTol);
  for (const char* word : {"Siebdurchgang", "in", "M.-%"}) {
    const pdftest::Word* w = pdf_->Find(word);
    ASSERT_TRUE(w) << word;
    EXPECT_NEAR(w->right, kChartBox.left - 600, kTol) << word;
  }
  EXPECT_TRUE(pdf_->Find("Grenzlinie"));
}

TEST_F(GradingChartPdf, SieveSizesOnTheAxisUpToTheAxisMaximum) {
  EXPECT_EQ(page_->chart.GetLogDia().GetParameter().xMaximum, 100);  // largest sieve 45 mm
  for (const char* text : {"0.02", "0.06", "0.1", "0.2", "0.6", "1", "2", "6", "10", "20", "60", "100"}) {
    const Point p = page_->At(std::atof(text), 0);
    const pdftest::Word* w = NearestWord(*pdf_, text, p.x, Bottom() - 300);
    ASSERT_TRUE(w) << text;
    EXPECT_NEAR(w->CentreX(), p.x, kTol) << text;
    EXPECT_NEAR(w->top, Bottom() - 150, kTol) << text;
  }
  EXPECT_FALSE(pdf_->Find("200"));
  // The chart's right edge is the axis maximum.
  EXPECT_EQ(page_->At(100, 0).x, kChartBox.right);
}

class GradingChartImage : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new TempFolder;
    page_ = new PageA(OrdinaryRecord());
    image_ = new QImage(page_->Image());
    ASSERT_TRUE(SaveImage(*image_, *folder_ / "grading_chart.png"));
  }
  static void TearDownTestSuite() {
    delete image_;
    delete page_;
    delete folder_;
  }
  static TempFolder* folder_;
  static PageA* page_;
  static QImage* image_;
};
TempFolder* GradingChartImage::folder_ = nullptr;
PageA* GradingChartImage::page_ = nullptr;
QImage* GradingChartImage::image_ = nullptr;

TEST_F(GradingChartImage, MeasuredCurveRunsThroughEveryMarkedPoint) {
  const auto& sieving = OrdinarySieving();
  for (size_t i = 0; i < sieving.size(); ++i) {
    const Point p = page_->At(std::atof(sieving[i].size), std::atof(sieving[i].passing));
    EXPECT_TRUE(HasColourNear(*image_, p.x, p.y, kMark, 3)) << sieving[i].size;  // the mark's fill
    EXPECT_TRUE(HasColourNear(*image_, p.x + 70, p.y, kMeasured, 2)) << sieving[i].size;  // its ring
    if (i + 1 < sieving.size()) {
      const Point q = page_->At(std::atof(sieving[i + 1].size), std::atof(sieving[i + 1].passing));
      const Point m = Middle(p, q);
      EXPECT_TRUE(HasColourNear(*image_, m.x, m.y, kMeasured, 2)) << sieving[i].size << " to " << sieving[i + 1].size;
    }
  }
}

TEST_F(GradingChartImage, TargetCurvesSmoothAndStraight) {
  // The upper curve has straight segments: blue between its points.
  const std::pair<double, double> upper[] = {{0.063, 7}, {0.25, 20}, {2, 50}, {8, 75}, {31.5, 100}};
  for (size_t i = 0; i + 1 < std::size(upper); ++i) {
    const Point m = Middle(page_->At(upper[i].first, upper[i].second), page_->At(upper[i + 1].first, upper[i + 1].second));
    EXPECT_TRUE(HasColourNear(*image_, m.x, m.y, kTarget, 2)) << upper[i].first;
  }
  // The lower curve is smooth through its support points.
  for (auto [size, percent] : {std::pair{0.25, 5.0}, std::pair{8.0, 50.0}, std::pair{31.5, 90.0}}) {
    const Point p = page_->At(size, percent);
    EXPECT_TRUE(HasColourNear(*image_, p.x, p.y, kTarget, 2)) << size;
  }
  // Two curves draw no legend.
  EXPECT_EQ(CountColour(*image_, Rect{0, kChartBox.bottom, 21000, -12000}, kTarget), 0);
}

TEST_F(GradingChartImage, RequirementTrianglesAndGroupsAtTheirLimits) {
  EXPECT_EQ(page_->chart.GetLogDia().GetTriangleCount(), 10);
  struct Triangle {
    double size, percent;
    int direction;  // 1: base below the tip
  } triangles[] = {
      {16, 85, 0},                                // from the material definition
      {0.063, 0, 1}, {0.063, 5, 0},               // requirement row of 0.063 mm
      {31.5, 90, 1}, {31.5, 99, 0}, {45, 100, 0}  // rows 3 and 4
  };
  for (const Triangle& t : triangles) {
    const Point tip = page_->At(t.size, t.percent);
    const int k = t.direction == 1 ? -1 : 1;  // towards the base
    EXPECT_GT(CountColour(*image_, Rect{tip.x - 20, tip.y + k * 110, tip.x + 20, tip.y + k * 150}, kTriangle), 4)
        << t.size << " mm " << t.percent << " %";
  }
  // 4 mm is marked "not drawn"; 0.5 mm has no value.
  for (auto [size, percent] : {std::pair{4.0, 40.0}, std::pair{4.0, 60.0}, std::pair{0.5, 0.0}}) {
    const Point p = page_->At(size, percent);
    EXPECT_EQ(CountColour(*image_, Rect{p.x - 150, p.y + 250, p.x + 150, p.y - 250}, kTriangle), 0) << size;
  }
  // Group 1: filled circles at 25 and 45 % on 2 mm, joined; an open circle at 50 % on 8 mm.
  const Point g25 = page_->At(2, 25), g45 = page_->At(2, 45), g50 = page_->At(8, 50);
  EXPECT_TRUE(HasColourNear(*image_, g25.x, g25.y, kGroup1, 3));  // the lower target curve ends here
  EXPECT_TRUE(HasColourNear(*image_, g45.x, g45.y, kGroup1, 0));
  EXPECT_TRUE(HasColourNear(*image_, (g25.x + g45.x) / 2, (g25.y + g45.y) / 2, kGroup1, 1));
  EXPECT_TRUE(HasColourNear(*image_, g50.x + 100, g50.y, kGroup1, 2));
  EXPECT_FALSE(HasColourNear(*image_, g50.x, g50.y + 40, kGroup1, 1));
  // Group 2: the residue requirement 10 % at 1 mm is a mark at 90 %.
  const Point g2 = page_->At(1, 90);
  EXPECT_TRUE(HasColourNear(*image_, g2.x, g2.y, kGroup2, 0));
  // Legend of the two groups below the chart.
  EXPECT_GT(CountColour(*image_, Rect{0, kChartBox.bottom - 700, 21000, -12000}, kGroup1), 20);
  EXPECT_GT(CountColour(*image_, Rect{0, kChartBox.bottom - 700, 21000, -12000}, kGroup2), 20);
}

TEST_F(GradingChartImage, PlantTypicalPoints) {
  for (auto [size, percent] : {std::pair{0.5, 15.0}, std::pair{2.0, 35.0}}) {
    const Point p = page_->At(size, percent);
    EXPECT_TRUE(HasColourNear(*image_, p.x, p.y - 70, kPlant, 2)) << size;
  }
}

TEST(GradingChart, SmoothCurveExtraPointsAndLegendOfFurtherTargetCurves) {
  CVersuch record = OrdinaryRecord();
  record.SetField(11, std::string(kOrdinaryTargetCurves) + "{0.1;20;-1}{1;60;-1}{10;95;-1}|0|S|");
  PageA page(record);
  CPunktListe extra;
  extra.Add(4, 30);
  const QImage smooth = page.Image(true, &extra);
  const QImage straight = page.Image(false);
  TempFolder folder;
  ASSERT_TRUE(SaveImage(smooth, folder / "grading_chart_smooth.png"));
  // Both curves pass the measured points; between them they differ.
  const Point a = page.At(16, 78.2), b = page.At(31.5, 96.4);
  EXPECT_TRUE(HasColourNear(smooth, a.x + 70, a.y, kMeasured, 2));
  EXPECT_TRUE(HasColourNear(straight, Middle(a, b).x, Middle(a, b).y, kMeasured, 1));
  int differing = 0;
  for (int y = 0; y < smooth.height(); ++y)
    for (int x = 0; x < smooth.width(); ++x)
      differing += ((smooth.pixel(x, y) == qRgb(220, 0, 0)) != (straight.pixel(x, y) == qRgb(220, 0, 0))) ? 1 : 0;
  EXPECT_GT(differing, 50);
  // The extra point: a red square of 5 mm.
  const Point e = page.At(4, 30);
  EXPECT_TRUE(HasColourNear(smooth, e.x - 250, e.y, RGB(255, 0, 0), 2));
  EXPECT_TRUE(HasColourNear(smooth, e.x, e.y + 250, RGB(255, 0, 0), 2));
  // The third curve in the further pen, and the legend of both pens.
  const Point t = Middle(page.At(1, 60), page.At(10, 95));
  EXPECT_TRUE(HasColourNear(smooth, t.x, t.y, kFurtherTarget, 2));
  EXPECT_TRUE(HasColourNear(smooth, kChartBox.left + 500, kChartBox.bottom - 650, kTarget, 2));
  EXPECT_TRUE(HasColourNear(smooth, kChartBox.left + 500, kChartBox.bottom - 1100, kFurtherTarget, 2));
  const auto pdf = folder / "legend.pdf";
  RenderPdf(pdf, [&](DrawContext& dc) { page.chart.DrawSieblinie(dc, kChartBox, true, page.requirements); });
  const pdftest::PdfText text = pdftest::ReadPdf(pdf);
  const pdftest::Word* allgemein = text.Find("Allgem.");
  const pdftest::Word* sdv = text.Find("SDV");
  ASSERT_TRUE(allgemein && sdv);
  EXPECT_NEAR(sdv->bottom, kChartBox.bottom - 1220 - ResolveFont(page.chart.GetLogDia().CreateLabelFont(), 353).descent, kTol);
}

TEST(GradingChart, LargeSievesWidenTheAxis) {
  CVersuch record = OrdinaryRecord();
  record.SetValue(6, 0, "250;125;63;31.5;16;8;2;0.063");
  record.SetValue(3, 1, "100.0;92.0;70.0;50.0;35.0;20.0;10.0;2.0");
  PageA page(record);
  TempFolder folder;
  RenderPdf(folder / "wide.pdf", [&](DrawContext& dc) { page.chart.DrawSieblinie(dc, kChartBox, false, page.requirements); });
  EXPECT_EQ(page.chart.GetLogDia().GetParameter().xMaximum, 360);
  const pdftest::PdfText pdf = pdftest::ReadPdf(folder / "wide.pdf");
  for (const char* text : {"100", "200"}) {
    const Point p = page.At(std::atof(text), 0);
    EXPECT_TRUE(NearestWord(pdf, text, p.x, p.y - 300)) << text;
  }
  EXPECT_FALSE(pdf.Find("600"));
}

TEST(GradingChart, BadSieveDataLeavesTheChartDrawable) {
  CVersuch record = OrdinaryRecord();
  record.SetValue(6, 0, "0;-1;2;8;16");
  record.SetValue(3, 1, "40;30;20;10;5");  // in the order 16, 8, 2, 0, -1
  record.SetField(11, "{0;0;-1}{2;10;-1}{16;90;-1}|0|U|");
  PageA page(record);
  const QImage image = page.Image();
  const Point first = page.At(2, 20);
  EXPECT_TRUE(HasColourNear(image, first.x + 70, first.y, kMeasured, 2));
  // Nothing runs off to the left of the smallest real sieve.
  const Rect leftOfCurves{0, kChartBox.top + 300, first.x - 100, kChartBox.bottom - 2000};
  EXPECT_EQ(CountColour(image, leftOfCurves, kMeasured), 0);
  EXPECT_EQ(CountColour(image, leftOfCurves, kTarget), 0);
}

TEST(GradingChart, EmptyPassingListDrawsNoCurveOnEitherPage) {
  CVersuch record = OrdinaryRecord();
  record.SetValue(3, 1, "");
  PageA a(record);
  EXPECT_EQ(CountColour(a.Image(), Rect{0, 0, 21000, -12000}, kMeasured), 0);
  CVersuch ballast = BallastRecord();
  ballast.SetValue(3, 1, "");
  PageX x(ballast);
  EXPECT_EQ(CountColour(x.Image(), Rect{0, 0, 21000, -12000}, kMeasured), 0);
}

// One measured point or a one-point target curve makes no curve, and no
// failed-check report on the error output either.
TEST(GradingChart, CurvesOfFewerThanTwoPointsAreLeftOutSilently) {
  static int reports = 0;
  reports = 0;
  const kurve::CheckHandler previous = kurve::SetCheckHandler([](const char*, const char*, int) { ++reports; });
  for (const char* passing : {"", "40.0"}) {
    SCOPED_TRACE(passing);
    CVersuch record = OrdinaryRecord();
    record.SetValue(6, 0, "2");
    record.SetValue(3, 1, passing);
    record.SetField(11, "{2;10;-1}|1|U|{8;60;-1}|0|O|");
    PageA a(record);
    const QImage image = a.Image(true);
    EXPECT_EQ(CountColour(image, Rect{0, 0, 21000, -12000}, kTarget), 0);
    CVersuch ballast = BallastRecord();
    ballast.SetValue(6, 0, "31.5");
    ballast.SetValue(3, 1, passing);
    PageX x(ballast);
    x.Image();
  }
  kurve::SetCheckHandler(previous);
  EXPECT_EQ(reports, 0);
}

TEST(GradingChart, PaintersLeaveTheDrawingStateAsTheyFoundIt) {
  const Pen pen{PS_DOT, 0, RGB(1, 2, 3)};
  const Brush brush = Brush::Solid(RGB(4, 5, 6));
  const Font font{.face = "Courier New", .height = 330, .escapement = 1};
  PageA a(OrdinaryRecord());
  PageX x(BallastRecord());
  RenderImage([&](DrawContext& dc) {
    dc.SelectPen(pen);
    dc.SelectBrush(brush);
    dc.SelectFont(font);
    dc.SetTextColor(RGB(7, 8, 9));
    dc.SetTextAlign(TA_RIGHT | TA_BOTTOM);
    dc.SetBkMode(OPAQUE);
    const Point origin = dc.GetWindowOrg();
    for (int painter = 0; painter < 2; ++painter) {
      if (painter == 0)
        a.chart.DrawSieblinie(dc, kChartBox, true, a.requirements);
      else
        x.chart.DrawGleisschotterSieblinie(dc, kChartBox);
      EXPECT_EQ(dc.GetPen(), pen);
      EXPECT_EQ(dc.GetBrush(), brush);
      EXPECT_EQ(dc.GetFont(), font);
      EXPECT_EQ(dc.GetTextColor(), RGB(7, 8, 9));
      EXPECT_EQ(dc.GetTextAlign(), TA_RIGHT | TA_BOTTOM);
      EXPECT_EQ(dc.GetBkMode(), OPAQUE);
      EXPECT_EQ(dc.GetWindowOrg(), origin);
    }
  });
}

// ---- page X

TEST(BallastChart, PdfLabelsAndImageCurves) {
  TempFolder folder;
  PageX page(BallastRecord());
  RenderPdf(folder / "page_x.pdf", [&](DrawContext& dc) { page.chart.DrawGleisschotterSieblinie(dc, kChartBox); });
  const pdftest::PdfText pdf = pdftest::ReadPdf(folder / "page_x.pdf");
  const int width = kChartBox.right - kChartBox.left;
  const char* sieves[] = {"0.063", "0.5", "22.4", "31.5", "40", "50", "63", "80", "90"};
  for (int j = 0; j < 9; ++j) {
    const double x = kChartBox.left + j * width / 8;
    const pdftest::Word* w = NearestWord(pdf, sieves[j], x, kChartBox.bottom - 300);
    ASSERT_TRUE(w) << sieves[j];
    EXPECT_NEAR(w->CentreX(), x, kTol) << sieves[j];
    EXPECT_NEAR(w->top, kChartBox.bottom - 150, kTol) << sieves[j];
  }
  for (int b = 0; b <= 10; ++b) {
    const std::string text = std::to_string(100 - 10 * b);
    const double y = kChartBox.top - b * (kChartBox.top - kChartBox.bottom) / 10;
    const pdftest::Word* w = NearestWord(pdf, text, kChartBox.left - 400, y);
    ASSERT_TRUE(w) << text;
    EXPECT_NEAR(w->right, kChartBox.left - 200, kTol) << text;
  }
  EXPECT_TRUE(pdf.Find("Korndurchmesser"));
  EXPECT_TRUE(pdf.Find("Siebdurchgang"));
  // The DIN EN variant of the limit labels, all inside the chart.
  const Point p99 = page.At(47.5, 99.5);
  EXPECT_TRUE(NearestWord(pdf, "99", p99.x, p99.y - 130, 60));
  EXPECT_FALSE(NearestWord(pdf, "99", page.At(62, 105).x, page.At(62, 105).y - 130, 60));

  const QImage image = page.Image();
  ASSERT_TRUE(SaveImage(image, folder / "ballast_chart.png"));
  // Measured curve: of the two 100.0 % sieves only 63 mm is drawn.
  const auto& sieving = BallastSieving();
  for (size_t i = 1; i < sieving.size(); ++i) {
    const Point p = page.At(std::atof(sieving[i].size), std::atof(sieving[i].passing));
    EXPECT_TRUE(HasColourNear(image, p.x + 70, p.y, kMeasured, 2)) << sieving[i].size;
    if (i + 1 < sieving.size()) {
      const Point m = Middle(p, page.At(std::atof(sieving[i + 1].size), std::atof(sieving[i + 1].passing)));
      EXPECT_TRUE(HasColourNear(image, m.x, m.y, kMeasured, 2)) << sieving[i].size;
    }
  }
  const Point p80 = page.At(80, 100), p63 = page.At(63, 100);
  EXPECT_EQ(CountColour(image, Rect{p63.x + 150, p80.y + 150, p80.x + 150, p80.y - 150}, kMeasured), 0);
  // Target curves in the ballast pen.
  const Point lower = Middle(page.At(40, 30), page.At(50, 65));
  const Point upper = Middle(page.At(31.5, 25), page.At(40, 65));
  EXPECT_TRUE(HasColourNear(image, lower.x, lower.y, kTarget, 2));
  EXPECT_TRUE(HasColourNear(image, upper.x, upper.y, kTarget, 2));
}

TEST(BallastChart, CurveOfBallastMaterialStartsRightOfThePagesLeftBand) {
  const Rect box{1000, -3000, 16000, -9800};  // 0.063 mm at page x 1000, 0.5 mm at 2875
  for (bool ballast : {true, false}) {
    CVersuch record = BallastRecord();
    if (!ballast) record.SetValue(5, 0, "SDM;;x;;;;;;[12-34-2101]");
    PageX page(record);
    const QImage image = page.Image(box);
    const Point a = page.At(0.063, 0.3), b = page.At(0.5, 0.6), c = page.At(22.4, 2.1);
    EXPECT_EQ(HasColourNear(image, Middle(a, b).x, Middle(a, b).y, kMeasured, 1), !ballast);
    EXPECT_EQ(HasColourNear(image, Middle(b, c).x, Middle(b, c).y, kMeasured, 1), !ballast);
    const Point d = page.At(31.5, 14.6);
    EXPECT_TRUE(HasColourNear(image, Middle(c, d).x, Middle(c, d).y, kMeasured, 1));
  }
}

}  // namespace
