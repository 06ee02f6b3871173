// The logarithmic grading diagram: positions, labels, limit marks from the
// material's requirements, and what it draws (PDF words, image colours).
#include <gtest/gtest.h>

#include <cmath>

#include "chart_records.h"
#include "chart_render.h"
#include "charts/diagrammbasis.h"
#include "charts/logdia.h"
#include "platform/messagebox.h"
#include "records/materialanforderung.h"
#include "support/temp_folder.h"

using namespace platform;
using namespace chartrender;

namespace {

constexpr int kLeft = 3000, kTop = -3000;

CLogDiaParameter Parameter(double xMinimum, double xMaximum, int width = 12000, int height = 6800) {
  CLogDiaParameter par;
  CDiagrammBasis::SetDiaParameter(par, kLeft, kTop, kLeft + width, kTop - height);
  par.xMinimum = xMinimum;
  par.xMaximum = xMaximum;
  par.yTitle = "Siebdurchgang in M.-%";
  par.xTitle = "Korndurchmesser [mm]";
  return par;
}

// A material definition whose only interesting groups are the sieve
// requirements and the names of the triangle groups.
CMaterialAnforderung Requirements(const std::string& items, const std::string& groupNames) {
  CMaterialAnforderung req;
  req.SetStrings("", "{0}{ID|Name|0.063 2}{1|0.02|90}{||||}{" + items + "}{}{" + groupNames + "}");
  return req;
}

void DrawOnImage(CLogDia& dia) {
  QImage image(10, 10, QImage::Format_RGB32);
  QPainter painter(&image);
  DrawContext dc(painter);
  dia.zeichnen(dc);
}

TEST(LogDia, PositionsInDiagramAndPageCoordinates) {
  CLogDia dia;
  dia.Create(Parameter(0.02, 100));
  EXPECT_EQ(dia.GetXPos(1), 5511);
  EXPECT_EQ(dia.GetXPos(100), 12000);
  EXPECT_EQ(dia.GetXPos(0.02), 0);
  EXPECT_EQ(dia.GetYPos(100), 0);
  EXPECT_EQ(dia.GetYPos(0), -6800);
  EXPECT_EQ(dia.GetYPos(50), -3400);
  DrawOnImage(dia);
  EXPECT_EQ(dia.GetDrawOrigin(), (Point{-kLeft, -kTop}));
  EXPECT_EQ(dia.GetXPos(1, true), kLeft + 5511);
  EXPECT_EQ(dia.GetYPos(0, true), kTop - 6800);
  // Sizes without a logarithm lie far left, never at an undefined place.
  for (double size : {0.0, -2.0, std::nan("")}) {
    EXPECT_FALSE(dia.HasXPos(size));
    EXPECT_LT(dia.GetXPos(size, true), -1000000);
  }
}

TEST(LogDia, AxisMaximumAndLargestSieve) {
  const std::pair<double, double> maxima[] = {{45, 100},  {100, 100},  {100.1, 100}, {100.2, 200}, {250, 360},
                                              {300.1, 360}, {400, 400}, {450, 500},   {600, 620},   {1000, 900}};
  for (auto [largest, maximum] : maxima) EXPECT_EQ(CLogDia::GetAxisMaximum(largest), maximum) << largest;
  const std::pair<const char*, double> lists[] = {{"45;31.5;16", 45}, {"8;16;4", 16}, {"4;;100", 4}, {"", 0},
                                                  {"0.063", 0.063}};
  for (auto [list, largest] : lists) EXPECT_EQ(CLogDia::GetLargestValue(list), largest) << list;
}

TEST(LogDia, StandardAxisLabelsGrowWithTheMaximum) {
  const std::pair<double, std::vector<std::string>> cases[] = {
      {100, {"100"}}, {360, {"100", "200"}}, {620, {"100", "200", "600"}}, {600, {"100", "200"}}, {90, {}}};
  for (const auto& [maximum, beyond] : cases) {
    CLogDia dia;
    dia.CreateStandardAxis(Parameter(0.02, maximum));
    ASSERT_EQ(dia.GetLabelCount(), 11 + static_cast<int>(beyond.size())) << maximum;
    EXPECT_EQ(dia.GetLabel(0).text, "0.02");
    EXPECT_EQ(dia.GetLabel(10).text, "60");
    EXPECT_EQ(dia.GetLabel(10).height, 260);
    for (size_t i = 0; i < beyond.size(); ++i) {
      EXPECT_EQ(dia.GetLabel(11 + static_cast<int>(i)).text, beyond[i]) << maximum;
      EXPECT_EQ(dia.GetLabel(11 + static_cast<int>(i)).height, 250);
    }
  }
}

TEST(LogDia, LabelsAndMarksOnlyBetweenCreateAndDrawing) {
  ScriptedMessageBoxes boxes;
  CLogDia dia;
  dia.Create(Parameter(0.02, 100));
  for (int i = 0; i < 101; ++i) dia.SetXAchsenWert(1, "1", "Arial", 260, 150, kLabelBottom, 1, 0);
  EXPECT_EQ(dia.GetLabelCount(), CLogDia::kMaxLabels);
  EXPECT_TRUE(boxes.shown().empty());  // the 101st is dropped silently

  CLogDia drawn;
  drawn.Create(Parameter(0.02, 100));
  drawn.SetXAchsenWert(1, "1", "Arial", 260, 150, kLabelBottom, 1, 0);
  drawn.SetDreieck(2, 50, 1, 200, 0);
  DrawOnImage(drawn);
  EXPECT_FALSE(drawn.IsCreated());
  drawn.SetXAchsenWert(2, "2", "Arial", 260, 150, kLabelBottom, 1, 0);
  EXPECT_EQ(drawn.SetDreieck(4, 50, 1, 200, 0), 1);
  EXPECT_EQ(drawn.GetLabelCount(), 1);
  ASSERT_EQ(boxes.shown().size(), 2u);
  EXPECT_EQ(boxes.shown()[0].text,
            "CLogDia\n\nWARNUNG:\nSetXAchsenWert() darf nur NACH Create() \nund VOR zeichnen() aufgerufen werden");
  EXPECT_EQ(boxes.shown()[1].text,
            "CLogDia\n\nWARNUNG:\nSetDreieck() darf nur NACH Create() \nund VOR zeichnen() aufgerufen werden");
  EXPECT_EQ(boxes.shown()[0].flags & MB_ICONMASK, static_cast<unsigned>(MB_ICONSTOP));
  drawn.Create(Parameter(0.02, 100));
  EXPECT_EQ(drawn.GetLabelCount(), 0);
  EXPECT_EQ(drawn.GetTriangleCount(), 0);
}

TEST(LogDia, MarksFromTheSieveRequirementsOfTheMaterial) {
  struct Mark {
    double y;
    int direction;
    int open;
    int group;
  };
  struct Case {
    const char* item;
    std::vector<Mark> marks;
  } cases[] = {
      {"2|10-30|2 mm|0|0|1|||0", {{10, 1, 0, 0}, {30, 0, 0, 0}}},
      {"2|10-30|2 mm|0|1|1|||0", {{90, 0, 0, 0}, {70, 1, 0, 0}}},  // residue
      {"2|50_GE|2 mm|0|0|1|||3", {{50, 1, 0, 3}}},
      {"2|85_LE|2 mm|0|0|0|||1", {{85, 0, 1, 1}}},                 // open
      {"2|20_LT|2 mm|0|0|1|||-3", {{20, 0, 0, 0}}},                // a negative group is 0
      {"2|10_GE|2 mm|0|1|1|||0", {{90, 0, 0, 0}}},                 // residue flips the direction
      {"2|2,5-7,5|2 mm|0|0|1|||0", {{2.5, 1, 0, 0}, {7.5, 0, 0, 0}}},
      {"2|10-30|2 mm|1|0|1|||0", {}},                              // not drawn
      {"2|10-30|2 mm|0|0|1||x|0", {}},                             // not drawn either
      {"2||2 mm|0|0|1|||0", {}},                                   // no value: no mark at 0 %
      {"2|#|2 mm|0|0|1|||0", {}},
      {"2|--|2 mm|0|0|1|||0", {}},
      {"", {}},
  };
  for (const Case& c : cases) {
    CLogDia dia;
    dia.Create(Parameter(0.02, 100));
    CMaterialAnforderung req = Requirements(c.item, "");
    dia.SetDreieckeFromAnforderung(req);
    ASSERT_EQ(dia.GetTriangleCount(), static_cast<int>(c.marks.size())) << c.item;
    for (size_t i = 0; i < c.marks.size(); ++i) {
      const LogDiaTriangle& t = dia.GetTriangle(static_cast<int>(i));
      EXPECT_EQ(t.x, 2.0) << c.item;
      EXPECT_DOUBLE_EQ(t.y, c.marks[i].y) << c.item;
      EXPECT_EQ(t.direction, c.marks[i].direction) << c.item;
      EXPECT_EQ(t.open, c.marks[i].open) << c.item;
      EXPECT_EQ(t.group, c.marks[i].group) << c.item;
      EXPECT_EQ(t.size, 200);
    }
  }
}

TEST(LogDia, NamedTriangleGroupsMakeTheChartLower) {
  CLogDia dia;
  dia.Create(Parameter(0.02, 100));
  CMaterialAnforderung req = Requirements("2|10-30|2 mm|0|0|1|||1", "|Linie 1||Linie 3|Linie 4||");
  dia.SetDreieckeFromAnforderung(req);
  EXPECT_EQ(dia.GetParameter().height, 6800 - 150);
  EXPECT_EQ(dia.GetYPos(0), -6650);
  EXPECT_EQ(dia.GetGroupNames(), "|Linie 1||Linie 3|Linie 4||");
  dia.Create(Parameter(0.02, 100));
  EXPECT_EQ(dia.GetGroupNames(), "");  // a new chart starts without the old legend
}

// ---- drawing, checked in an image

class LogDiaImage : public ::testing::Test {
 protected:
  static QImage Draw(CLogDia& dia, const std::function<void(DrawContext&)>& after = {}) {
    dia.SetChartPens(chartfixtures::ColourfulPens());
    return RenderImage([&](DrawContext& dc) {
      dc.SelectPen(Pen{PS_SOLID, 0, RGB(0, 0, 0)});
      dia.zeichnen(dc);
      if (after) after(dc);
    });
  }
  static constexpr ColorRef kGrid = RGB(190, 190, 190);
  static constexpr ColorRef kTriangle = RGB(255, 140, 0);
  static constexpr ColorRef kGroup1 = RGB(128, 0, 128);
  static constexpr ColorRef kTarget = RGB(0, 0, 255);
  static constexpr ColorRef kPlant = RGB(230, 0, 230);
};

TEST_F(LogDiaImage, VerticalGridAtEveryWholeStepOfEachDecade) {
  CLogDia dia;
  dia.Create(Parameter(0.02, 100));
  const QImage image = Draw(dia);
  const int y = kTop - 3000 - 50;  // between two horizontal lines
  for (double size : {0.02, 0.03, 0.09, 0.1, 0.2, 0.5, 0.9, 1.0, 2.0, 7.0, 10.0, 40.0, 90.0, 100.0})
    EXPECT_TRUE(HasColourNear(image, dia.GetXPos(size, true), y, kGrid, 1)) << size;
  for (double size : {0.025, 0.15, 1.5, 15.0, 95.0})
    EXPECT_FALSE(HasColourNear(image, dia.GetXPos(size, true), y, kGrid, 1)) << size;
}

TEST_F(LogDiaImage, TrianglesPointAtTheirLimitsAndGroupsAreJoined) {
  CLogDia dia;
  dia.Create(Parameter(0.02, 100));
  dia.SetDreieck(2, 40, 1, 200, 0);           // lower limit: base below the tip
  dia.SetDreieck(2, 80, 0, 200, 0);           // upper limit: base above
  dia.SetDreieck(20, 60, 1, 200, 0, 1, 0);    // open: an outline only
  dia.SetDreieck(0.01, 50, 1, 200, 0, 0, 1);  // left of the axis: not drawn, not joined
  dia.SetDreieck(1, 50, 1, 200, 0, 0, 1);
  dia.SetDreieck(10, 70, 1, 200, 0, 0, 1);
  const QImage image = Draw(dia);
  auto at = [&](double x, double y) { return Point{dia.GetXPos(x, true), dia.GetYPos(y, true)}; };
  const Point lower = at(2, 40), upper = at(2, 80), open = at(20, 60);
  EXPECT_GT(CountColour(image, Rect{lower.x - 30, lower.y - 100, lower.x + 30, lower.y - 160}, kTriangle), 20);
  EXPECT_EQ(CountColour(image, Rect{lower.x - 30, lower.y + 60, lower.x + 30, lower.y + 160}, kTriangle), 0);
  EXPECT_GT(CountColour(image, Rect{upper.x - 30, upper.y + 100, upper.x + 30, upper.y + 160}, kTriangle), 20);
  EXPECT_EQ(CountColour(image, Rect{upper.x - 30, upper.y - 60, upper.x + 30, upper.y - 160}, kTriangle), 0);
  EXPECT_TRUE(HasColourNear(image, open.x, open.y, kTriangle, 1));
  EXPECT_EQ(CountColour(image, Rect{open.x - 20, open.y - 110, open.x + 20, open.y - 150}, kTriangle), 0);

  const Point a = at(1, 50), b = at(10, 70);
  EXPECT_EQ(image.pixel(a.x / 10, -a.y / 10) & 0xFFFFFF, qRgb(128, 0, 128) & 0xFFFFFF);  // filled circle
  EXPECT_TRUE(HasColourNear(image, (a.x + b.x) / 2, (a.y + b.y) / 2, kGroup1));
  EXPECT_EQ(CountColour(image, Rect{0, kTop + 500, kLeft - 110, kTop - 7000}, kGroup1), 0);
}

TEST_F(LogDiaImage, TargetCurvesSkipSizesWithoutPlaceAndCountEveryCurve) {
  CLogDia dia;
  dia.Create(Parameter(0.02, 100));
  int curves = 0;
  const QImage image = Draw(dia, [&](DrawContext& dc) {
    curves = dia.DrawSollkurven(dc, "{0;0;-1}{-1;5;-1}{2;50;-1}{8;80;-1}|0|U|{5;5;-1}|1|O|", 0, 0);
  });
  EXPECT_EQ(curves, 2);
  const Point from{dia.GetXPos(2, true), dia.GetYPos(50, true)}, to{dia.GetXPos(8, true), dia.GetYPos(80, true)};
  EXPECT_TRUE(HasColourNear(image, (from.x + to.x) / 2, (from.y + to.y) / 2, kTarget));
  EXPECT_EQ(CountColour(image, Rect{0, kTop + 500, from.x - 50, kTop - 7500}, kTarget), 0);
}

TEST_F(LogDiaImage, ASmoothTargetCurveBeyondTheSplinesLimitIsReportedAndLeftOut) {
  static int reported = 0;
  reported = 0;
  const kurve::CheckHandler old = kurve::SetCheckHandler([](const char*, const char*, int) { ++reported; });
  std::string points;
  for (int i = 0; i <= CSplineMonoton::kMaxPoints; ++i)
    points += "{" + std::to_string(0.05 + i * 0.5) + ";" + std::to_string(i * 0.9) + ";-1}";
  CLogDia dia;
  dia.Create(Parameter(0.02, 100));
  int curves = 0;
  const QImage image = Draw(dia, [&](DrawContext& dc) {
    curves = dia.DrawSollkurven(dc, points + "|1|U|{1;10;-1}{10;90;-1}|0|O|", 0, 0);
  });
  kurve::SetCheckHandler(old);
  EXPECT_EQ(curves, 2);
  EXPECT_EQ(reported, 1);
  const Point m{(dia.GetXPos(1, true) + dia.GetXPos(10, true)) / 2, (dia.GetYPos(10, true) + dia.GetYPos(90, true)) / 2};
  EXPECT_TRUE(HasColourNear(image, m.x, m.y, kTarget));
}

TEST_F(LogDiaImage, PlantPointsJoinOnlyPointsOnTheChart) {
  CLogDia dia;
  dia.Create(Parameter(0.02, 100));
  CPunktListe points;
  points.ParseString("0.001 10@1 30@10 70");
  CPunktListe single;
  single.ParseString("5 50");
  const QImage image = Draw(dia, [&](DrawContext& dc) {
    dia.DrawPunkte(dc, points, 70);
    dia.DrawPunkte(dc, single, 70);
  });
  const Point a{dia.GetXPos(1, true), dia.GetYPos(30, true)}, b{dia.GetXPos(10, true), dia.GetYPos(70, true)};
  EXPECT_TRUE(HasColourNear(image, a.x + 70, a.y, kPlant));
  EXPECT_TRUE(HasColourNear(image, (a.x + b.x) / 2, (a.y + b.y) / 2, kPlant));
  EXPECT_EQ(CountColour(image, Rect{0, kTop + 500, a.x - 100, kTop - 7500}, kPlant), 0);
  const Point s{dia.GetXPos(5, true), dia.GetYPos(50, true)};
  EXPECT_EQ(CountColour(image, Rect{s.x - 100, s.y + 100, s.x + 100, s.y - 100}, kPlant), 0);
}

TEST_F(LogDiaImage, AnAxisWithoutExtentStillDrawsItsPercentScale) {
  ScriptedMessageBoxes boxes;
  for (auto [minimum, maximum] : {std::pair{0.02, 0.0}, std::pair{0.0, 100.0}, std::pair{5.0, 5.0}}) {
    CLogDia dia;
    dia.CreateStandardAxis(Parameter(minimum, maximum));
    dia.SetDreieck(2, 50, 1, 200, 0);
    int curves = 0;
    const QImage image = Draw(dia, [&](DrawContext& dc) {
      curves = dia.DrawSollkurven(dc, "{1;10;-1}{10;90;-1}|0|U|", 0, 0);
    });
    EXPECT_EQ(curves, 1);
    EXPECT_EQ(CountColour(image, Rect{0, 0, 21000, -12000}, kTarget), 0);
    EXPECT_EQ(CountColour(image, Rect{0, 0, 21000, -12000}, kTriangle), 0);
    // The eleven lines of the percent scale are there.
    EXPECT_TRUE(HasColourNear(image, kLeft + 6000, kTop - 3400, kGrid, 1)) << minimum << ".." << maximum;
  }
  EXPECT_TRUE(boxes.shown().empty());
}

// ---- texts, checked in a PDF

class LogDiaPdf : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new TempFolder;
    dia_ = new CLogDia;
    CLogDiaParameter par = Parameter(0.02, 100);
    par.soilBand = 1;
    dia_->CreateStandardAxis(par);
    CMaterialAnforderung req = Requirements("2|10-30|2 mm|0|0|1|||1", "|Linie Eins|Linie Zwei||||");
    dia_->SetDreieckeFromAnforderung(req);
    RenderPdf(*folder_ / "logdia.pdf", [](DrawContext& dc) { dia_->zeichnen(dc); });
    pdf_ = new pdftest::PdfText(pdftest::ReadPdf(*folder_ / "logdia.pdf"));
  }
  static void TearDownTestSuite() {
    delete pdf_;
    delete dia_;
    delete folder_;
  }
  static int Height() { return dia_->GetParameter().height; }
  static TempFolder* folder_;
  static CLogDia* dia_;
  static pdftest::PdfText* pdf_;
};
TempFolder* LogDiaPdf::folder_ = nullptr;
CLogDia* LogDiaPdf::dia_ = nullptr;
pdftest::PdfText* LogDiaPdf::pdf_ = nullptr;

constexpr double kTol = 20;

TEST_F(LogDiaPdf, PercentLabelsLeftOfTheAxisCentredOnTheirLines) {
  EXPECT_EQ(Height(), 6800 - 100);
  for (int b = 0; b <= 10; ++b) {
    const std::string text = std::to_string(100 - 10 * b);
    const double y = kTop - b * Height() / 10;
    const pdftest::Word* w = NearestWord(*pdf_, text, kLeft - 400, y);
    ASSERT_TRUE(w) << text;
    EXPECT_NEAR(w->right, kLeft - 200, kTol) << text;
    EXPECT_NEAR(w->CentreY(), y, kTol) << text;
  }
}

TEST_F(LogDiaPdf, SieveSizesBelowTheAxisAtTheirPositions) {
  const int bottom = kTop - Height();
  for (const char* text : {"0.02", "0.06", "0.1", "0.2", "0.6", "1", "2", "6", "10", "20", "60", "100"}) {
    const double x = dia_->GetXPos(std::atof(text), true);
    const pdftest::Word* w = NearestWord(*pdf_, text, x, bottom - 300);
    ASSERT_TRUE(w) << text;
    EXPECT_NEAR(w->CentreX(), x, kTol) << text;
    EXPECT_NEAR(w->top, bottom - 150, kTol) << text;
  }
}

TEST_F(LogDiaPdf, TitlesAndLegend) {
  const int bottom = kTop - Height();
  const pdftest::Word* x1 = pdf_->Find("Korndurchmesser");
  const pdftest::Word* x2 = pdf_->Find("[mm]");
  ASSERT_TRUE(x1 && x2);
  EXPECT_NEAR((x1->left + x2->right) / 2, kLeft + 6000, kTol);
  EXPECT_NEAR(x1->top, bottom - 500, kTol);
  // The y title reads down the page, centred on the chart, clear of the labels.
  const pdftest::Word* y1 = pdf_->Find("Siebdurchgang");
  ASSERT_TRUE(y1);
  EXPECT_GT(y1->top - y1->bottom, 3 * (y1->right - y1->left));
  EXPECT_NEAR(y1->right, kLeft - 600, kTol);
  const pdftest::Word* label = NearestWord(*pdf_, "100", kLeft - 400, kTop);
  ASSERT_TRUE(label);
  EXPECT_LT(y1->right, label->left);
  EXPECT_GT(y1->top, kTop - Height() / 2);
  // Legend: one entry per named group, below the x title.
  const pdftest::Word* eins = pdf_->Find("Eins");
  const pdftest::Word* zwei = pdf_->Find("Zwei");
  ASSERT_TRUE(eins && zwei);
  EXPECT_EQ(CountWords(*pdf_, "Linie"), 2);
  EXPECT_NEAR(eins->bottom, bottom - 500 - 500 - 150, kTol);
  EXPECT_GT(zwei->left, eins->right);
  const pdftest::Word* first = NearestWord(*pdf_, "Linie", kLeft + 100 + 600, bottom - 1150, 1000);
  ASSERT_TRUE(first);
  EXPECT_NEAR(first->left, kLeft - 500 + 600, kTol);
}

TEST_F(LogDiaPdf, SoilFractionBandAboveTheChart) {
  const int d = 300, c = 400, b = 450;
  struct Band {
    const char* text;
    double from, to;
    int baseline;
  } texts[] = {{"Siebkorn", 0.06, 100, d + c + b}, {"Sand", 0.06, 2, d + c}, {"Kies", 2, 60, d + c},
               {"Schluff", 0.002, 0.06, d + c},   {"Steine", 60, 100, d + c}};
  for (const Band& t : texts) {
    const double x = (dia_->GetXPos(t.from, true) + dia_->GetXPos(t.to, true)) / 2.0;
    const pdftest::Word* w = NearestWord(*pdf_, t.text, x, kTop + t.baseline + 150);
    ASSERT_TRUE(w) << t.text;
    EXPECT_NEAR(w->CentreX(), x, kTol) << t.text;
    EXPECT_NEAR(w->bottom, kTop + t.baseline, kTol) << t.text;
  }
  EXPECT_EQ(CountWords(*pdf_, "Fein-"), 3);  // sand, gravel and the silt of the fine part
}

}  // namespace

namespace {

TEST(LogDiaText, LabelsRunningDownStartAtTheirTickAndAreCentredOnIt) {
  TempFolder folder;
  CLogDia dia;
  dia.Create(Parameter(0.02, 100));
  dia.SetXAchsenWert(1, "Unten", "Arial", 260, 150, kLabelTopAndBottom, 0, 0);
  RenderPdf(folder / "down.pdf", [&](DrawContext& dc) { dia.zeichnen(dc); });
  const pdftest::PdfText pdf = pdftest::ReadPdf(folder / "down.pdf");
  const int p = dia.GetXPos(1, true);
  const pdftest::Word* below = NearestWord(pdf, "Unten", p, kTop - 6800 - 500, 600);
  const pdftest::Word* above = NearestWord(pdf, "Unten", p, kTop + 500, 600);
  ASSERT_TRUE(below && above);
  for (const pdftest::Word* w : {below, above}) {
    EXPECT_GT(w->top - w->bottom, 2 * (w->right - w->left));  // reads down the page
    EXPECT_NEAR(w->CentreX(), p, kTol);
  }
  EXPECT_NEAR(below->top, kTop - 6800 - 150, kTol);
  EXPECT_NEAR(above->bottom, kTop + 150, kTol);
}

// A code's marks reach the chart at their sieve with size 200 and style 0.
TEST(LogDia, RequirementCodeMarksItsSieve) {
  CLogDia dia;
  dia.Create();
  dia.AddRequirementTriangles(2.0, "5-10_R");
  ASSERT_EQ(dia.GetTriangleCount(), 2);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(dia.GetTriangle(i).x, 2.0);
    EXPECT_EQ(dia.GetTriangle(i).size, 200);
    EXPECT_EQ(dia.GetTriangle(i).style, 0);
  }
  EXPECT_EQ(dia.GetTriangle(0).y, 95.0);
  EXPECT_EQ(dia.GetTriangle(1).direction, 1);
}

TEST(LogDia, KeepsAtMostHundredMarksAndWarnsBeforeCreate) {
  platform::ScriptedMessageBoxes boxes;
  CLogDia dia;
  dia.AddRequirementTriangles(1.0, "5_LE");
  EXPECT_EQ(dia.GetTriangleCount(), 0);
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text,
            "CLogDia\n\nWARNUNG:\nSetDreieck() darf nur NACH Create() \nund VOR zeichnen() aufgerufen werden");
  EXPECT_EQ(boxes.shown()[0].flags & platform::MB_ICONMASK, static_cast<unsigned>(platform::MB_ICONSTOP));

  dia.Create();
  for (int i = 0; i < 60; ++i) dia.AddRequirementTriangles(1.0, "0-5");
  EXPECT_EQ(dia.GetTriangleCount(), CLogDia::kMaxTriangles);
  EXPECT_EQ(dia.SetDreieck(1.0, 1.0, 0, 200, 0), CLogDia::kMaxTriangles);
  dia.Create();
  EXPECT_EQ(dia.GetTriangleCount(), 0);
}

}  // namespace
