// Axis mapping, the diagram layout, the pens of the layout table and the
// drawing-state guard.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <limits>

#include "charts/achse.h"
#include "charts/chartpens.h"
#include "charts/dczustand.h"
#include "charts/diagrammbasis.h"

using namespace platform;

namespace {

struct AxisCase {
  int type;
  int length;
  double minimum, maximum;
  double value;
  int position;
};

TEST(Achse, ValueToPosPlacesValuesByType) {
  const AxisCase cases[] = {
      // The track-ballast axis: eight equal parts between fixed sieves.
      {CAchse::kBallastSieves, 8000, 0.063, 100, 0.02, 0},
      {CAchse::kBallastSieves, 8000, 0.063, 100, 0.063, 0},
      {CAchse::kBallastSieves, 8000, 0.063, 100, 0.5, 1000},
      {CAchse::kBallastSieves, 8000, 0.063, 100, 22.4, 2000},
      {CAchse::kBallastSieves, 8000, 0.063, 100, 27, 2505},  // 2505.49 truncated
      {CAchse::kBallastSieves, 8000, 0.063, 100, 81.5, 7150},
      {CAchse::kBallastSieves, 8000, 0.063, 100, 90, 8000},
      {CAchse::kBallastSieves, 8000, 0.063, 100, 100, 8000},
      {CAchse::kBallastSieves, 8000, 0.063, 100, -5, 0},
      // Logarithmic.
      {CAchse::kLogarithmic, 12000, 0.02, 100, 1, 5511},
      {CAchse::kLogarithmic, 12000, 0.02, 100, 100, 12000},
      {CAchse::kLogarithmic, 12000, 0.02, 100, 0.02, 0},
      // Linear, truncated toward zero on both sides.
      {CAchse::kLinear, 6800, 0, 100, 50, 3400},
      {CAchse::kLinear, 10000, 0, 10, 2.50599, 2505},
      {CAchse::kLinear, 10000, 0, 10, -2.50599, -2505},
      // Unknown type.
      {7, 10000, 0, 10, 5, 0},
  };
  for (const AxisCase& c : cases) {
    CAchse axis;
    EXPECT_TRUE(axis.Init(c.length, c.minimum, c.maximum, c.type));
    EXPECT_EQ(axis.ValueToPos(c.value), c.position) << "type " << c.type << " value " << c.value;
  }
}

TEST(Achse, ValuesWithoutPlaceAndAxesWithoutExtentGiveNoUndefinedPositions) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  CAchse log;
  log.Init(12000, 0.02, 100, CAchse::kLogarithmic);
  for (double v : {0.0, -1.0, nan, -inf}) EXPECT_EQ(log.ValueToPos(v), CAchse::kNoPosition) << v;
  EXPECT_EQ(log.ValueToPos(inf), CAchse::kNoPosition);
  EXPECT_LT(log.ValueToPos(1e-300), -900000);  // far left of any chart

  const AxisCase degenerate[] = {
      {CAchse::kLogarithmic, 12000, 0, 100, 1, 0},     // logarithm of a minimum of 0
      {CAchse::kLogarithmic, 12000, 0.02, 0, 1, 0},    // maximum 0
      {CAchse::kLogarithmic, 12000, 5, 5, 5, 0},       // no extent
      {CAchse::kLinear, 6800, 10, 10, 10, 0},          // division by zero
      {CAchse::kLinear, 6800, 0, 100, 1e300, -CAchse::kNoPosition},
  };
  for (const AxisCase& c : degenerate) {
    CAchse axis;
    axis.Init(c.length, c.minimum, c.maximum, c.type);
    EXPECT_EQ(axis.ValueToPos(c.value), c.position) << "type " << c.type << " " << c.minimum << ".." << c.maximum;
    EXPECT_TRUE(std::isfinite(axis.PosToValue(100)));
  }
}

TEST(Achse, PosToValueInvertsEveryTypeUpToBothEnds) {
  struct Case {
    int type;
    double minimum, maximum;
  } cases[] = {{CAchse::kLinear, 0, 100}, {CAchse::kLogarithmic, 0.02, 100}, {CAchse::kBallastSieves, 0.063, 100}};
  for (const Case& c : cases) {
    CAchse axis;
    axis.Init(8000, c.minimum, c.maximum, c.type);
    for (int position : {0, 1, 999, 1000, 2505, 4000, 7999, 8000}) {
      const double value = axis.PosToValue(position);
      ASSERT_TRUE(std::isfinite(value)) << c.type << " " << position;
      EXPECT_NEAR(axis.ValueToPos(value), position, 1) << "type " << c.type << " position " << position;
    }
  }
  CAchse ballast;
  ballast.Init(8000, 0.063, 100, CAchse::kBallastSieves);
  // The right end lies in the last part, not beyond the sieve table.
  EXPECT_DOUBLE_EQ(ballast.PosToValue(8000), 90.0);
  EXPECT_DOUBLE_EQ(ballast.PosToValue(0), 0.063);
  EXPECT_NEAR(ballast.PosToValue(2505), 26.995, 0.001);
  CAchse empty;
  empty.Init(0, 0.063, 100, CAchse::kBallastSieves);
  EXPECT_DOUBLE_EQ(empty.PosToValue(10), 0.063);
}

TEST(Achse, TruncatePositionNeverLeavesTheRangeOfInt) {
  EXPECT_EQ(TruncatePosition(2505.9), 2505);
  EXPECT_EQ(TruncatePosition(-2505.9), -2505);
  EXPECT_EQ(TruncatePosition(std::numeric_limits<double>::quiet_NaN()), CAchse::kNoPosition);
  EXPECT_EQ(TruncatePosition(-std::numeric_limits<double>::infinity()), CAchse::kNoPosition);
  EXPECT_EQ(TruncatePosition(1e300), -CAchse::kNoPosition);
}

TEST(DiaParameter, SetDiaParameterLaysOutEveryChartAlike) {
  CLogDiaParameter par;
  CDiagrammBasis::SetDiaParameter(par, 1000, -2000, 17000, -14000);
  EXPECT_EQ(par.originX, 1000);
  EXPECT_EQ(par.originY, -2000);
  EXPECT_EQ(par.width, 16000);
  EXPECT_EQ(par.height, 12000);
  EXPECT_EQ(par.angle, 0);
  EXPECT_EQ(par.labelFace, "Arial");
  EXPECT_EQ(par.labelHeight, 260);
  EXPECT_EQ(par.labelSide, CDiaParameter::kLeft);
  EXPECT_EQ(par.labelDistance, 200);
  EXPECT_EQ(par.yTitleHeight, 350);
  EXPECT_EQ(par.yTitleSide, CDiaParameter::kLeft);
  EXPECT_EQ(par.yTitleDistance, 600);
  EXPECT_EQ(par.xTitleHeight, 350);
  EXPECT_EQ(par.xTitleDistance, 500);
  EXPECT_EQ(par.bandRowHeights, (std::array<int, 4>{500, 450, 400, 300}));
}

TEST(ChartPens, LayoutPensFollowWidthFactorAndStyle) {
  ChartPens pens;
  EXPECT_EQ(pens.Entry(2).style, PS_DASH);
  EXPECT_EQ(pens.Entry(3).style, PS_DASHDOTDOT);
  EXPECT_EQ(pens.Entry(10).style, PS_DOT);
  pens.Entry(5) = {RGB(200, 0, 0), 1, PS_DOT};
  pens.Entry(6) = {RGB(0, 200, 0), 3, PS_DOT};
  Pen pen;
  ASSERT_TRUE(pens.CreateLayoutPen(pen, 5, 20));
  EXPECT_EQ(pen, (Pen{PS_DOT, 0, RGB(200, 0, 0)}));  // factor 1 is the thinnest
  ASSERT_TRUE(pens.CreateLayoutPen(pen, 6, 20));
  EXPECT_EQ(pen, (Pen{PS_SOLID, 60, RGB(0, 200, 0)}));  // wide pens draw solid
  ASSERT_TRUE(pens.CreateLayoutPen(pen, 6, 1));
  EXPECT_EQ(pen.width, 3);
  const Pen before = pen;
  EXPECT_FALSE(pens.CreateLayoutPen(pen, 17, 20));
  EXPECT_EQ(pen, before);
  Brush brush;
  ASSERT_TRUE(pens.CreateLayoutBrush(brush, 6));
  EXPECT_EQ(brush, Brush::Solid(RGB(0, 200, 0)));
  EXPECT_FALSE(pens.CreateLayoutBrush(brush, -1));
}

TEST(DCZustand, PutsBackColoursAlignmentPenBrushFontAndBackgroundMode) {
  QImage image(10, 10, QImage::Format_RGB32);
  QPainter painter(&image);
  DrawContext dc(painter);
  const Pen pen{PS_DOT, 0, RGB(1, 2, 3)};
  const Font font{.face = "Courier New", .height = 330, .escapement = 1};
  dc.SelectPen(pen);
  dc.SelectFont(font);
  dc.SetBkMode(OPAQUE);
  dc.SetTextColor(RGB(4, 5, 6));
  dc.SetTextAlign(TA_RIGHT | TA_BASELINE);
  {
    CDCZustand state(dc, TRANSPARENT);
    EXPECT_EQ(dc.GetBkMode(), TRANSPARENT);
    dc.SelectPen(Pen{});
    dc.SelectBrush(Brush::Hollow());
    dc.SelectFont(Font{});
    dc.SetTextColor(RGB(9, 9, 9));
    dc.SetTextAlign(TA_LEFT);
  }
  EXPECT_EQ(dc.GetPen(), pen);
  EXPECT_EQ(dc.GetBrush(), Brush::Solid(RGB(255, 255, 255)));
  EXPECT_EQ(dc.GetFont(), font);
  EXPECT_EQ(dc.GetTextColor(), RGB(4, 5, 6));
  EXPECT_EQ(dc.GetTextAlign(), TA_RIGHT | TA_BASELINE);
  EXPECT_EQ(dc.GetBkMode(), OPAQUE);
  {
    CDCZustand keep(dc);
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);
    dc.SetBkMode(TRANSPARENT);
  }
  EXPECT_EQ(dc.GetBkMode(), OPAQUE);
}

}  // namespace

namespace {

TEST(ChartPens, TakenFromALayoutTableOfTheSettings) {
  struct Entry {
    ColorRef color;
    int widthFactor;
    int style;
    int fourth;
  };
  std::array<Entry, 17> table{};
  table[5] = {RGB(10, 20, 30), 3, PS_DOT, 9};
  table[10] = {RGB(1, 1, 1), 1, PS_DASH, 0};
  const ChartPens pens = ChartPens::FromLayoutTable(table);
  Pen pen;
  pens.CreateLayoutPen(pen, 5, 20);
  EXPECT_EQ(pen, (Pen{PS_SOLID, 60, RGB(10, 20, 30)}));
  pens.CreateLayoutPen(pen, 10, 20);
  EXPECT_EQ(pen, (Pen{PS_DASH, 0, RGB(1, 1, 1)}));
}

}  // namespace
