// The track-ballast grading diagram: its sieve axis, grid, labels and the
// three variants of the limit labels.
#include <gtest/gtest.h>

#include "chart_records.h"
#include "chart_render.h"
#include "charts/diagrammbasis.h"
#include "charts/gleisschotterdia.h"
#include "platform/messagebox.h"
#include "support/temp_folder.h"

using namespace platform;
using namespace chartrender;

namespace {

constexpr int kLeft = 3000, kTop = -3000, kWidth = 8000, kHeight = 6800;

CGleisschotterDiaParameter Parameter() {
  CGleisschotterDiaParameter par;
  CDiagrammBasis::SetDiaParameter(par, kLeft, kTop, kLeft + kWidth, kTop - kHeight);
  par.yTitle = "Siebdurchgang in M.-%";
  par.xTitle = "Korndurchmesser [mm]";
  return par;
}

TEST(GleisschotterDia, SieveAxisPlacesTheFixedSievesEvenly) {
  CGleisschotterDia dia;
  dia.Create(Parameter());
  EXPECT_EQ(dia.GetXPos(0.063), 0);
  EXPECT_EQ(dia.GetXPos(0.02), 0);
  EXPECT_EQ(dia.GetXPos(22.4), 2000);
  EXPECT_EQ(dia.GetXPos(90), 8000);
  EXPECT_EQ(dia.GetXPos(100), 8000);
  EXPECT_EQ(dia.GetYPos(100), 0);
  EXPECT_EQ(dia.GetYPos(0), -kHeight);
  EXPECT_FALSE(dia.HasXPos(0));
}

TEST(GleisschotterDia, MarksAndLabelsOnlyBetweenCreateAndDrawing) {
  ScriptedMessageBoxes boxes;
  CGleisschotterDia dia;
  EXPECT_EQ(dia.SetDreieck(31.5, 50, 1, 200, 0), 0);
  dia.Create(Parameter());
  for (int i = 0; i < 105; ++i) dia.SetDreieck(31.5, 50, 1, 200, 0);
  EXPECT_EQ(dia.GetTriangleCount(), CGleisschotterDia::kMaxTriangles);
  {
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    DrawContext dc(painter);
    dia.zeichnen(dc);
  }
  dia.SetXAchsenWert(40, "40", "Arial", 260, 150, kLabelBottom, 1, 0);
  EXPECT_EQ(dia.GetLabelCount(), 0);
  ASSERT_EQ(boxes.shown().size(), 2u);
  EXPECT_EQ(boxes.shown()[0].text,
            "CGleisschotterDia\n\nWARNUNG:\nSetDreieck() darf nur NACH Create() \nund VOR zeichnen() aufgerufen werden");
  EXPECT_EQ(boxes.shown()[1].text,
            "CGleisschotterDia\n\nWARNUNG:\nSetXAchsenWert() darf nur NACH Create() \nund VOR zeichnen() aufgerufen "
            "werden");
}

TEST(GleisschotterDia, GridHasALineAtEveryFixedSieve) {
  CGleisschotterDia dia;
  dia.SetChartPens(chartfixtures::ColourfulPens());
  dia.Create(Parameter());
  const QImage image = RenderImage([&](DrawContext& dc) { dia.zeichnen(dc); });
  const ColorRef grid = RGB(190, 190, 190);
  const int y = kTop - 3400 - 300;
  for (int j = 0; j <= 8; ++j) EXPECT_TRUE(HasColourNear(image, kLeft + j * 1000, y, grid, 1)) << j;
  for (int j = 0; j < 8; ++j) EXPECT_FALSE(HasColourNear(image, kLeft + j * 1000 + 500, y, grid, 1)) << j;
}

// The limit labels of each variant at (sieve, percent); "always" ones too.
struct LimitLabel {
  const char* text;
  double size, percent;
};
const LimitLabel kAlways[] = {{"65", 39, 68}, {"65", 52, 68}, {"30", 42, 35}, {"25", 30.5, 29.5}, {"3", 21.5, 7},
                              {"1", 33, 5}};

TEST(GleisschotterDia, LimitLabelsOfTheThreeVariants) {
  struct Case {
    int dbs, dinEn;
    std::vector<LimitLabel> labels;
    LimitLabel absent;
  } cases[] = {
      {1, 0, {{"100", 47.5, 99.5}, {"97", 65, 97}, {"100", 81.5, 99.5}}, {"99", 81.5, 99.5}},
      {1, 1, {{"100", 47.5, 99.5}, {"97", 65, 97}, {"100", 81.5, 99.5}}, {"99", 81.5, 99.5}},  // DBS wins
      {0, 1, {{"99", 47.5, 99.5}, {"97", 65, 97}, {"100", 81.5, 99.5}}, {"100", 47.5, 99.5}},
      {0, 0, {{"100", 47.5, 99.5}, {"97", 65, 97}, {"99", 81.5, 99.5}}, {"100", 81.5, 99.5}},
  };
  TempFolder folder;
  for (const Case& c : cases) {
    CGleisschotterDia dia;
    dia.Create(Parameter());
    dia.SetBallastFlags(c.dbs, c.dinEn);
    for (auto [value, text] : {std::pair{0.063, "0.063"}, std::pair{22.4, "22,4"}, std::pair{31.5, "31,5"}})
      dia.SetXAchsenWert(value, text, "Arial", 260, 150, kLabelBottom, 1, 0);
    const auto file = folder / "ballast.pdf";
    RenderPdf(file, [&](DrawContext& dc) { dia.zeichnen(dc); });
    const pdftest::PdfText pdf = pdftest::ReadPdf(file);
    std::vector<LimitLabel> all = c.labels;
    all.insert(all.end(), std::begin(kAlways), std::end(kAlways));
    for (const LimitLabel& l : all) {
      // Centred on the sieve, its top at the percentage.
      const double x = dia.GetXPos(l.size, true);
      const double top = dia.GetYPos(l.percent, true);
      const pdftest::Word* w = NearestWord(pdf, l.text, x, top - 130, 200);
      ASSERT_TRUE(w) << c.dbs << c.dinEn << " " << l.text << " at " << l.size;
      EXPECT_NEAR(w->CentreX(), x, 20) << l.text << " at " << l.size;
      EXPECT_NEAR(w->top, top, 20) << l.text << " at " << l.size;
    }
    EXPECT_FALSE(NearestWord(pdf, c.absent.text, dia.GetXPos(c.absent.size, true),
                             dia.GetYPos(c.absent.percent, true) - 130, 100))
        << c.dbs << c.dinEn;
    // Nothing stands above the chart (the y-axis labels lie left of it).
    for (const pdftest::Word& w : pdf.words)
      if (w.left > kLeft) EXPECT_LE(w.top, dia.GetYPos(100, true) + 10) << w.text;
    const pdftest::Word* label = NearestWord(pdf, "22,4", kLeft + 2000, kTop - kHeight - 300);
    ASSERT_TRUE(label);
    EXPECT_NEAR(label->CentreX(), kLeft + 2000, 20);
    EXPECT_NEAR(label->top, kTop - kHeight - 150, 20);
  }
}

}  // namespace
