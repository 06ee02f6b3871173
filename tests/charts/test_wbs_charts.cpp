// The armourstone charts, checked through the drawing calls they make: a
// paint device whose engine records every line and circle with its pen
// colour, in page coordinates.
#include <gtest/gtest.h>

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

#include "charts/chartpens.h"
#include "charts/diagrammbasis.h"
#include "charts/chart_render.h"
#include "records/strutil.h"
#include "records/wbsfield.h"

using platform::ColorRef;
using platform::Point;
using platform::Rect;

namespace {

constexpr ColorRef kLower = platform::RGB(255, 0, 0);   // entry 2
constexpr ColorRef kUpper = platform::RGB(0, 160, 0);   // entry 3
constexpr ColorRef kCurve = platform::RGB(0, 0, 255);   // entry 4

struct Segment {
  QPointF from, to;
  QRgb colour;
  double width;  // device pixels, 0 the thinnest
  Qt::PenStyle style;
};

// Records lines, polylines and ellipses in device pixels with the pen's colour.
class RecordingEngine : public QPaintEngine {
 public:
  RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  void updateState(const QPaintEngineState& state) override {
    if (state.state() & DirtyPen) pen_ = state.pen();
    if (state.state() & DirtyTransform) transform_ = state.transform();
  }
  void drawLines(const QLineF* lines, int count) override {
    for (int i = 0; i < count; ++i) Add(lines[i].p1(), lines[i].p2());
  }
  void drawLines(const QLine* lines, int count) override {
    for (int i = 0; i < count; ++i) Add(lines[i].p1(), lines[i].p2());
  }
  void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
    for (int i = 1; i < count; ++i) Add(points[i - 1], points[i]);
    if (mode != PolylineMode && count > 2) Add(points[count - 1], points[0]);
  }
  void drawPolygon(const QPoint* points, int count, PolygonDrawMode mode) override {
    std::vector<QPointF> f(points, points + count);
    drawPolygon(f.data(), count, mode);
  }
  void drawEllipse(const QRectF& r) override { ellipses.push_back({transform_.mapRect(r), pen_.color().rgb()}); }
  void drawEllipse(const QRect& r) override { drawEllipse(QRectF(r)); }
  void drawPath(const QPainterPath&) override {}
  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
  void drawTextItem(const QPointF&, const QTextItem&) override {}
  Type type() const override { return QPaintEngine::User; }

  struct Ellipse {
    QRectF rect;
    QRgb colour;
  };
  std::vector<Segment> segments;
  std::vector<Ellipse> ellipses;

 private:
  void Add(QPointF a, QPointF b) {
    segments.push_back({transform_.map(a), transform_.map(b), pen_.color().rgb(), pen_.widthF(), pen_.style()});
  }
  QPen pen_;
  QTransform transform_;
};

// An A4 page at 254 dots per inch.
class RecordingDevice : public QPaintDevice {
 public:
  QPaintEngine* paintEngine() const override { return &engine; }
  mutable RecordingEngine engine;

 protected:
  int metric(PaintDeviceMetric m) const override {
    switch (m) {
      case PdmWidth: return 2100;
      case PdmHeight: return 2970;
      case PdmWidthMM: return 210;
      case PdmHeightMM: return 297;
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY: return 254;
      case PdmDepth: return 32;
      case PdmNumColors: return 1 << 24;
      case PdmDevicePixelRatio: return 1;
      case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
      default: return 0;
    }
  }
};

// The chart drawn on the recording page; its vertices in page coordinates.
class WBSChartCalls : public ::testing::Test {
 protected:
  using Painter = void (CDiagrammBasis::*)(platform::DrawContext&, const Rect&, const std::string&, bool);
  // Entries 2, 3 and 4 in colours of their own, or the pens as the settings
  // give them without an INI file.
  void Draw(Painter paint, const std::string& field, bool defaultPens = false) {
    ChartPens pens;
    if (!defaultPens)
      for (auto [entry, colour] : {std::pair{2, kLower}, std::pair{3, kUpper}, std::pair{4, kCurve}})
        pens.Entry(entry) = LayoutPenEntry{colour, 2, platform::PS_SOLID};
    chart_.SetChartPens(pens);
    QPainter painter(&device_);
    platform::DrawContext dc(painter);
    (chart_.*paint)(dc, kBox, field, true);
    toPage_ = [&dc](QPointF p) { return dc.DPtoLP(Point{static_cast<int>(std::lround(p.x())), static_cast<int>(std::lround(p.y()))}); };
    for (const Segment& s : device_.engine.segments) {
      segments_.push_back({ToPage(s.from), ToPage(s.to), s.colour, s.width, s.style});
    }
    for (const auto& e : device_.engine.ellipses)
      circles_.push_back({ToPage(e.rect.center()), e.colour});
  }
  Point ToPage(QPointF device) const { return toPage_(device); }
  // The page point of a chart value.
  Point At(double x, double y) { return {chart_.GetLogDia().GetXPos(x, true), chart_.GetLogDia().GetYPos(y, true)}; }
  // The limit lines of MassLimitField: the upper steps up at each limit
  // mass, the lower one a class later.
  std::vector<Point> UpperLimit() {
    return {At(1, 2), At(2, 2), At(2, 10), At(10, 10), At(10, 100), At(60, 100), At(120, 100)};
  }
  std::vector<Point> LowerLimit() {
    return {At(1, 0), At(2, 0), At(10, 0), At(60, 0), At(60, 70), At(120, 70), At(120, 97)};
  }

  // The vertices of the runs of one colour in drawing order, each run a
  // connected line; repeated points once.
  std::vector<std::vector<Point>> Runs(ColorRef colour) const {
    const QRgb wanted = qRgb(platform::GetRValue(colour), platform::GetGValue(colour), platform::GetBValue(colour));
    std::vector<std::vector<Point>> runs;
    bool inRun = false;
    for (const auto& s : segments_) {
      if (s.colour != wanted) {
        inRun = false;
        continue;
      }
      if (!inRun || !Near(runs.back().back(), s.from)) runs.push_back({s.from});
      inRun = true;
      if (!Near(runs.back().back(), s.to)) runs.back().push_back(s.to);
    }
    return runs;
  }
  // One device pixel (10 units) apart at most.
  static bool Near(Point a, Point b) { return std::abs(a.x - b.x) <= 12 && std::abs(a.y - b.y) <= 12; }
  void ExpectVertices(const std::vector<Point>& actual, const std::vector<Point>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
      EXPECT_TRUE(Near(actual[i], expected[i])) << i << ": " << actual[i].x << "," << actual[i].y << " expected "
                                                << expected[i].x << "," << expected[i].y;
  }

  struct PageSegment {
    Point from, to;
    QRgb colour;
    double width;
    Qt::PenStyle style;
  };
  struct Circle {
    Point centre;
    QRgb colour;
  };
  static constexpr Rect kBox{1000, -2000, 19000, -14000};
  RecordingDevice device_;
  CDiagrammBasis chart_;
  std::function<Point(QPointF)> toPage_;
  std::vector<PageSegment> segments_;
  std::vector<Circle> circles_;
};

// Eleven rows: measured from the pan up to 180 mm, 250 and 360 mm empty.
std::string SizeField() {
  WBSSizeData d;
  const WBSRowTexts passing = {"", "", "", "96", "80", "60", "40", "25", "10", "3", "0"};
  for (int row = 3; row < kWBSSizeRows; ++row) {
    d.shares[static_cast<size_t>(row)] = "1.0";
    d.passing[static_cast<size_t>(row)] = passing[static_cast<size_t>(row)];
  }
  d.ranges[9] = "0-5";
  d.ranges[3] = "98-100";
  std::string field;
  WriteWBSSizeData(field, d);
  return field;
}

TEST_F(WBSChartCalls, SizeCurveTakesTheSlotsFromTheSmallestSieveAndRisesAtTheFirstOpenSieve) {
  Draw(&CDiagrammBasis::DrawWBSSieblinie, SizeField());
  const auto runs = Runs(kCurve);
  ASSERT_EQ(runs.size(), 1u);
  ExpectVertices(runs[0], {At(22.4, 3), At(31.5, 10), At(45, 25), At(63, 40), At(90, 60), At(125, 80), At(180, 96),
                           At(250, 100)});
  // A mark at every measured point and at the rise.
  int marks = 0;
  for (const Circle& c : circles_)
    if (c.colour == qRgb(0, 0, 255)) ++marks;
  EXPECT_EQ(marks, 8);
  // The first table row (oversize) and the last (pan) have no sieve: nothing at 0 or 400.
  for (const auto& s : segments_) EXPECT_LE(s.to.x, kBox.right + 3);
}

// A limit of 0 % or of 100 % limits nothing and gets no mark: the marks
// that remain (5 % at 22.4 mm, 98 % at 180 mm) lie inside the frame.
TEST_F(WBSChartCalls, SizeLimitMarksStayInsideTheFrame) {
  Draw(&CDiagrammBasis::DrawWBSSieblinie, SizeField());
  const Rect frame{kBox.left + 1000, kBox.top, kBox.right, kBox.bottom + 1000};
  int slanted = 0;
  for (const PageSegment& s : segments_) {
    EXPECT_LE(std::max(s.from.y, s.to.y), frame.top + 3);
    // The sides of the triangles: black and slanted.
    if (s.colour != qRgb(0, 0, 0) || std::abs(s.from.x - s.to.x) < 3 || std::abs(s.from.y - s.to.y) < 3) continue;
    ++slanted;
    EXPECT_GE(std::min(s.from.y, s.to.y), frame.bottom - 3);
  }
  EXPECT_EQ(slanted, 4);
}

// Limit masses 2, 10, 60 and 120 kg with their ranges, and four stones.
std::string MassLimitField() {
  WBSMassData d;
  d.table[kWBSLimits] = {"2.00", "10.00", "60.00", "120.00", "", ""};
  d.table[kWBSRanges] = {"0-2", "0-10", "70-100", "97-100", ".", "."};
  d.masses[0] = "5.00";
  d.masses[1] = "50.00";
  d.masses[2] = "0.50";  // lighter than 1 kg: in the total only
  d.masses[3] = "44.50";
  std::string field;
  WriteWBSMassData(field, d);
  return field;
}

TEST_F(WBSChartCalls, MassLimitLinesStepAtTheLimitMasses) {
  Draw(&CDiagrammBasis::DrawWBSMassenverteilung, MassLimitField());

  const auto upper = Runs(kUpper);
  ASSERT_EQ(upper.size(), 2u);  // the line and its legend
  ExpectVertices(upper[0], UpperLimit());
  const auto lower = Runs(kLower);
  ASSERT_EQ(lower.size(), 2u);
  ExpectVertices(lower[0], LowerLimit());
  // The measured curve: 5, 44.5 and 50 kg of 100 kg, each adding its share.
  const auto curve = Runs(kCurve);
  ASSERT_EQ(curve.size(), 1u);
  ExpectVertices(curve[0], {At(5, 5), At(44.5, 49.5), At(50, 99.5)});
  // The axis reaches 1.4 times the largest limit mass.
  EXPECT_NEAR(chart_.GetLogDia().GetXPos(168, true), kBox.right, 5);
}

TEST_F(WBSChartCalls, MassLimitLinesStandOutFromTheGridAndFromEachOtherWithTheDefaultPens) {
  // All pens black and thinnest: the limits at 0 % and 100 % run along the
  // frame and would vanish in it; they are drawn wider than grid and frame,
  // each in the dashes of its own pen (a wide pen draws solid by itself).
  Draw(&CDiagrammBasis::DrawWBSMassenverteilung, MassLimitField(), true);
  double grid = 1e9;  // the thinnest pen drawn: the frame's and the grid's
  for (const PageSegment& s : segments_) grid = std::min(grid, s.width);
  auto onEdge = [](Point p, Point a, Point b) {
    const double dx = b.x - a.x, dy = b.y - a.y, length = std::hypot(dx, dy);
    const double t = ((p.x - a.x) * dx + (p.y - a.y) * dy) / (length * length);
    return t >= -0.01 && t <= 1.01 && std::abs((p.x - a.x) * dy - (p.y - a.y) * dx) / length <= 12;
  };
  // The lengths of the wide pieces on each edge of the limit; every edge
  // shows both pieces and gaps.
  auto pieces = [&](const std::vector<Point>& limit) {
    std::vector<double> lengths;
    for (size_t i = 1; i < limit.size(); ++i) {
      if (Near(limit[i - 1], limit[i])) continue;
      const double edge = std::hypot(limit[i].x - limit[i - 1].x, limit[i].y - limit[i - 1].y);
      double covered = 0;
      for (const PageSegment& s : segments_)
        if (s.width >= grid + 2 && onEdge(s.from, limit[i - 1], limit[i]) && onEdge(s.to, limit[i - 1], limit[i])) {
          const double length = std::hypot(s.to.x - s.from.x, s.to.y - s.from.y);
          covered += length;
          lengths.push_back(length);
        }
      SCOPED_TRACE(std::to_string(limit[i - 1].x) + "," + std::to_string(limit[i - 1].y));
      EXPECT_GT(covered, edge / 3);
      EXPECT_LT(covered, edge * 0.9);
    }
    return lengths;
  };
  const std::vector<double> upper = pieces(UpperLimit()), lower = pieces(LowerLimit());
  ASSERT_FALSE(upper.empty());
  ASSERT_FALSE(lower.empty());
  // Dashes with dots between them above, dashes alone below (a dash cut
  // at a corner may be as short as a dot).
  auto dots = [](const std::vector<double>& lengths) {
    return std::count_if(lengths.begin(), lengths.end(), [](double l) { return l <= 1.5 * kWBSLimitMinWidth; });
  };
  EXPECT_GT(dots(upper), 2 * dots(lower) + 4);
  int thin = 0;
  for (const PageSegment& s : segments_) thin += s.width <= grid ? 1 : 0;
  EXPECT_GT(thin, 10);  // frame and grid stay thin
}

TEST_F(WBSChartCalls, MassChartWithoutLimitsDrawsFrameAndTitlesOnly) {
  for (const char* field : {"", "2|5.00@0.00@|LMA 5/40|0|0.00||||||||||0.00 0.00 0.00 0.00 |"}) {
    segments_.clear();
    device_.engine.segments.clear();
    Draw(&CDiagrammBasis::DrawWBSMassenverteilung, field);
    EXPECT_TRUE(Runs(kCurve).empty()) << field;
    EXPECT_EQ(Runs(kUpper).size(), 1u);  // the legend alone
    for (const auto& s : segments_) {
      EXPECT_GE(s.from.x, kBox.left - 3);
      EXPECT_LE(s.to.x, kBox.right + 3);
    }
  }
  // And the image of it, for a look.
  const QImage image = chartrender::RenderImage([](platform::DrawContext& dc) {
    CDiagrammBasis chart;
    chart.DrawWBSMassenverteilung(dc, kBox, "", true);
  });
  EXPECT_FALSE(image.isNull());
}

}  // namespace
