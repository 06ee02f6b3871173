#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "_common_/kurve/polygonmonoton.h"
#include "_common_/kurve/splinemonoton.h"

namespace {

CPunktListe Points(std::initializer_list<CPunkt> points) {
  CPunktListe list;
  for (const CPunkt& p : points) list.Add(p);
  return list;
}

std::vector<std::string> g_failedChecks;
void RecordCheck(const char* expression, const char*, int) { g_failedChecks.push_back(expression); }

// Records failed checks instead of writing them to stderr.
class CurveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_failedChecks.clear();
    previous_ = kurve::SetCheckHandler(RecordCheck);
  }
  void TearDown() override { kurve::SetCheckHandler(previous_); }
  kurve::CheckHandler previous_ = nullptr;
};

// Largest fall from one polyline point to the next (0 for a monotone curve).
double LargestFall(const CPunktListe& line) {
  double fall = 0.0;
  for (int i = 1; i < line.GetAnz(); ++i) fall = std::max(fall, line[i - 1].y - line[i].y);
  return fall;
}

bool Contains(const CPunktListe& line, const CPunkt& p) {
  for (const CPunkt& q : line.Points())
    if (q == p) return true;
  return false;
}

}  // namespace

// ---- point lists -----------------------------------------------------------

TEST(PunktListe, IndexPastTheEndExtendsWithZeroPointsNegativeThrows) {
  CPunktListe list = Points({{1, 2}});
  list[3] = CPunkt{7, 8};
  ASSERT_EQ(list.GetAnz(), 4);
  EXPECT_EQ(list.GetUpperBound(), 3);
  EXPECT_EQ(list[1], (CPunkt{0, 0}));
  EXPECT_EQ(list[3], (CPunkt{7, 8}));
  EXPECT_THROW(list[-1], std::invalid_argument);
  const CPunktListe& constant = list;
  EXPECT_THROW(constant[4], std::out_of_range);
}

TEST(PunktListe, AppendToItselfAndStableSort) {
  CPunktListe list = Points({{2, 1}, {1, 5}, {2, 0}});
  list.Append(list);
  ASSERT_EQ(list.GetAnz(), 6);
  list.SortX();
  // Points of equal x keep their order.
  std::vector<CPunkt> expected{{1, 5}, {1, 5}, {2, 1}, {2, 0}, {2, 1}, {2, 0}};
  EXPECT_EQ(list.Points(), expected);
  list.SortY();
  EXPECT_EQ(list[0], (CPunkt{2, 0}));
  EXPECT_EQ(list[5], (CPunkt{1, 5}));
}

TEST(PunktListe, ParseString) {
  struct Case {
    const char* text;
    std::vector<CPunkt> points;
  };
  const Case cases[] = {
      {"", {}},
      {"0.5 12.5", {{0.5, 12.5}}},
      {"0.063 3@2 45.5@31.5 100", {{0.063, 3}, {2, 45.5}, {31.5, 100}}},
      {"1 2@", {{1, 2}, {0, 0}}},          // every "@" makes a point
      {"4@x y", {{4, 0}, {0, 0}}},         // missing or unreadable numbers are 0
      {"2,5 7", {{2, 7}}},                 // "." is the only decimal point
      {"1  9", {{1, 0}}},                  // the second blank-separated part is empty
  };
  for (const Case& c : cases) {
    CPunktListe list = Points({{99, 99}});
    list.ParseString(c.text);
    EXPECT_EQ(list.Points(), c.points) << c.text;
  }
}

// ---- common course and polygon ----------------------------------------------

TEST_F(CurveTest, PointsAreSortedAndFallingPointsLifted) {
  CPolygonMonoton polygon;
  polygon.Create(20, Points({{3, 7}, {2, 3}, {1, 5}}));
  std::vector<CPunkt> expected{{1, 5}, {2, 5}, {3, 7}};
  // A polygon is never densified: its polyline is its support points.
  EXPECT_EQ(polygon.GetResolution(), 0);
  EXPECT_EQ(polygon.GetSupportPoints().Points(), expected);
  EXPECT_EQ(polygon.GetCurvePoints().Points(), expected);
  EXPECT_EQ(polygon.GetFirstPoint(), (CPunkt{1, 5}));
  EXPECT_EQ(polygon.GetLastPoint(), (CPunkt{3, 7}));
  EXPECT_EQ(polygon.GetLowestPoint(), (CPunkt{1, 5}));  // ties keep the leftmost
  EXPECT_EQ(polygon.GetHighestPoint(), (CPunkt{3, 7}));
  EXPECT_TRUE(g_failedChecks.empty());
}

TEST_F(CurveTest, TooFewPointsOrDuplicateXGiveNoPolyline) {
  struct Case {
    CPunktListe points;
    int polylinePoints;
  };
  const Case cases[] = {
      {Points({}), 0},
      {Points({{1, 1}}), 0},
      {Points({{1, 1}, {1.000005, 2}}), 0},  // closer than the tolerance
      {Points({{1, 1}, {1.00002, 2}}), 2},
      {Points({{1, 1}, {2, 2}, {2, 3}}), 0},
  };
  for (const Case& c : cases) {
    CPolygonMonoton polygon;
    polygon.Create(0, c.points);
    EXPECT_TRUE(polygon.IsSet());
    EXPECT_EQ(polygon.GetCurvePoints().GetAnz(), c.polylinePoints) << c.points.GetAnz();
  }
  EXPECT_TRUE(g_failedChecks.empty());
}

TEST_F(CurveTest, ReusedCurveKeepsNothingOfThePreviousOne) {
  CPolygonMonoton polygon;
  polygon.Create(0, Points({{0, 0}, {10, 100}}));
  double y = -1;
  ASSERT_TRUE(polygon.GetYAtX(5, y));
  polygon.Create(0, Points({{4, 40}}));
  y = -1;
  EXPECT_FALSE(polygon.GetYAtX(5, y));
  EXPECT_EQ(y, -1);
  EXPECT_EQ(polygon.GetCurvePoints().GetAnz(), 0);
  EXPECT_EQ(polygon.GetLastPoint(), (CPunkt{0, 0}));
}

TEST_F(CurveTest, LookupsIncludeTheCurveEnds) {
  CPolygonMonoton polygon;
  polygon.Create(0, Points({{0, 10}, {10, 20}, {20, 20}, {30, 50}}));
  struct Case {
    double x;
    bool found;
    double y;
  };
  // The ends are values of the curve: a grading curve's smallest sieve must
  // give its passing.
  const Case yAtX[] = {{0, true, 10}, {5, true, 15}, {10, true, 20}, {25, true, 35},
                       {30, true, 50}, {-0.001, false, -1}, {30.001, false, -1}};
  for (const Case& c : yAtX) {
    double y = -1;
    EXPECT_EQ(polygon.GetYAtX(c.x, y), c.found) << c.x;
    EXPECT_DOUBLE_EQ(y, c.y) << c.x;
  }
  struct XCase {
    double y;
    bool found;
    double x;
  };
  const XCase xAtY[] = {{10, true, 0}, {15, true, 5},
                        {20, true, 10},  // flat stretch: the leftmost point
                        {35, true, 25}, {50, true, 30}, {9.99, false, -1}, {50.01, false, -1}};
  for (const XCase& c : xAtY) {
    double x = -1;
    EXPECT_EQ(polygon.GetXAtY(c.y, x), c.found) << c.y;
    EXPECT_DOUBLE_EQ(x, c.x) << c.y;
  }
  // GetY of a polygon: the polyline inside, the end values outside.
  EXPECT_DOUBLE_EQ(polygon.GetY(25), 35);
  EXPECT_DOUBLE_EQ(polygon.GetY(-5), 10);
  EXPECT_DOUBLE_EQ(polygon.GetY(99), 50);
}

TEST_F(CurveTest, ChecksReportMisuseAndChangeNothing) {
  CPolygonMonoton polygon;
  double value = 7;
  EXPECT_FALSE(polygon.GetYAtX(1, value));
  EXPECT_FALSE(polygon.GetXAtY(1, value));
  EXPECT_EQ(value, 7);
  polygon.SetPoints(Points({{0, 0}, {1, 1}}));  // before SetResolution
  EXPECT_EQ(polygon.GetCurvePoints().GetAnz(), 0);
  EXPECT_EQ(g_failedChecks, (std::vector<std::string>{"m_bSet", "m_bSet", "m_bCreated"}));

  g_failedChecks.clear();
  CPolygonMonoton set;
  set.Create(0, Points({{0, 0}, {1, 1}}));
  CPolygonMonoton unset;
  CPunktListe crossings;
  EXPECT_FALSE(set.Intersections(&unset, crossings));
  EXPECT_EQ(g_failedChecks, (std::vector<std::string>{"pKurve->m_bSet"}));
}

// ---- spline -------------------------------------------------------------------

TEST_F(CurveTest, SplinePolylineIsDenseMonotoneAndThroughItsPoints) {
  const CPunktListe sets[] = {
      // a grading curve in chart positions
      Points({{0, 300}, {1600, 800}, {3200, 2000}, {4800, 4200}, {6400, 5800}, {8000, 6500}, {9600, 6800}}),
      // a steep rise into a nearly flat run: the cubic would overshoot and dip
      Points({{0, 0}, {10, 1000}, {20, 1001}, {1000, 1002}}),
      Points({{0, 0}, {100, 5}, {110, 900}, {120, 905}, {2000, 910}, {2010, 3000}}),
      // falling and unsorted input
      Points({{50, 10}, {10, 40}, {30, 20}, {70, 90}}),
  };
  for (const CPunktListe& points : sets) {
    CSplineMonoton spline;
    spline.Create(20, points);
    const CPunktListe& line = spline.GetCurvePoints();
    const int n = points.GetAnz();
    // About 20 intermediate points per segment, shared by length.
    EXPECT_GE(line.GetAnz(), n + 20 * (n - 1) - n);
    EXPECT_LE(line.GetAnz(), n + 20 * (n - 1) + n);
    const CPunktListe support = spline.GetSupportPoints();
    for (const CPunkt& p : support.Points()) EXPECT_TRUE(Contains(line, p));
    EXPECT_LE(LargestFall(line), 1e-5);
    for (int i = 1; i < line.GetAnz(); ++i) EXPECT_GT(line[i].x, line[i - 1].x);
  }
  EXPECT_TRUE(g_failedChecks.empty());
}

TEST_F(CurveTest, SplineSlopesAreLoweredWhereTheCubicWouldDip) {
  // A gap-graded curve on the chart's sieve positions (0.063 .. 63 mm, 68
  // units per percent): long flat runs between steep rises make the cubics
  // overshoot. Sampled in a hundred equal steps only, the drawn curve fell by
  // almost 5 units before 16 mm.
  const double sieves[] = {0.063, 0.125, 0.25, 0.5, 1, 2, 4, 8, 11.2, 16, 22.4, 31.5, 45, 63};
  const double passing[] = {1.5, 8.5, 8.5, 10.0, 10.5, 11.5, 11.5, 12.0, 13.5, 13.5, 14.0, 14.0, 50.0, 51.5};
  CPunktListe points;
  for (int i = 0; i < 14; ++i)
    points.Add((std::log10(sieves[i]) - std::log10(0.02)) * 15600 / std::log10(100 / 0.02), passing[i] * 68);
  CSplineMonoton spline;
  spline.Create(20, points);
  EXPECT_LE(LargestFall(spline.GetCurvePoints()), 1e-5);
  int lowered = 0;
  for (int i = 1; i + 1 < points.GetAnz(); ++i) {
    const double meanAngle = std::tan((std::atan((points[i + 1].y - points[i].y) / (points[i + 1].x - points[i].x)) +
                                       std::atan((points[i].y - points[i - 1].y) / (points[i].x - points[i - 1].x))) /
                                      2);
    EXPECT_LE(spline.GetSlope(i), meanAngle + 1e-12) << i;
    EXPECT_GE(spline.GetSlope(i), 0) << i;
    if (spline.GetSlope(i) > 0 && spline.GetSlope(i) < meanAngle - 1e-12) ++lowered;
  }
  EXPECT_GT(lowered, 0);
}

TEST_F(CurveTest, SplineIsFlatAlongAFlatSegment) {
  CSplineMonoton spline;
  spline.Create(20, Points({{0, 0}, {100, 400}, {200, 600}, {300, 600}, {400, 900}}));
  EXPECT_EQ(spline.GetSlope(2), 0);
  EXPECT_EQ(spline.GetSlope(3), 0);
  for (const CPunkt& p : spline.GetCurvePoints().Points()) {
    if (p.x >= 200 && p.x <= 300) {
      EXPECT_NEAR(p.y, 600, 1e-9) << p.x;
    }
  }
}

TEST_F(CurveTest, TwoPointSplineIsTheStraightSegment) {
  CSplineMonoton spline;
  spline.Create(20, Points({{100, 200}, {300, 1000}}));
  EXPECT_DOUBLE_EQ(spline.GetSlope(0), 4);
  EXPECT_DOUBLE_EQ(spline.GetSlope(1), 4);
  const CPunktListe& line = spline.GetCurvePoints();
  EXPECT_EQ(line.GetAnz(), 22);
  for (const CPunkt& p : line.Points()) EXPECT_NEAR(p.y, 200 + 4 * (p.x - 100), 1e-9) << p.x;
}

TEST_F(CurveTest, SplineResolution) {
  const CPunktListe points = Points({{0, 0}, {100, 50}, {200, 100}});
  CSplineMonoton spline;
  spline.Create(-3, points);  // negative counts as 0: the support points only
  EXPECT_EQ(spline.GetCurvePoints().Points(), points.Points());

  // A segment so short in x that a step would fall below the tolerance gets
  // fewer intermediate points, however long it is in y.
  spline.Create(20, Points({{0, 0}, {0.00003, 5000}, {10, 5001}}));
  const CPunktListe& line = spline.GetCurvePoints();
  int inShortSegment = 0;
  for (const CPunkt& p : line.Points())
    if (p.x > 0 && p.x < 0.00003) ++inShortSegment;
  EXPECT_EQ(inShortSegment, 2);  // k lowered until the step reaches 1e-5
  for (int i = 1; i < line.GetAnz(); ++i) EXPECT_GE(line[i].x - line[i - 1].x, 1e-5 - 1e-12);
}

TEST_F(CurveTest, SplineRefusesMoreThanItsArraysHold) {
  CPunktListe points;
  for (int i = 0; i < 101; ++i) points.Add(i * 10.0, i);
  CSplineMonoton spline;
  spline.Create(20, points);
  EXPECT_EQ(g_failedChecks, (std::vector<std::string>{"aStzPkte.GetAnz() <= 100"}));
  EXPECT_TRUE(spline.IsSet());
  EXPECT_EQ(spline.GetCurvePoints().GetAnz(), 0);
  double y = 0;
  EXPECT_FALSE(spline.GetYAtX(50, y));

  g_failedChecks.clear();
  CPunktListe hundred;
  for (int i = 0; i < 100; ++i) hundred.Add(i * 10.0, i);
  spline.Create(20, hundred);
  EXPECT_TRUE(g_failedChecks.empty());
  EXPECT_GT(spline.GetCurvePoints().GetAnz(), 100);

  spline.Create(20, Points({{1, 1}}));
  EXPECT_EQ(g_failedChecks, (std::vector<std::string>{"aStzPkte.GetAnz() >= 2"}));
  EXPECT_EQ(spline.GetCurvePoints().GetAnz(), 0);
}

// ---- intersections --------------------------------------------------------------

TEST_F(CurveTest, Intersections) {
  struct Case {
    const char* name;
    CPunktListe a;
    CPunktListe b;
    bool shared;
    std::vector<CPunkt> points;
  };
  const Case cases[] = {
      {"crossing", Points({{0, 0}, {10, 10}}), Points({{0, 4}, {10, 6}}), true, {{5, 5}}},
      {"crossing on a point of the other curve", Points({{0, 0}, {10, 10}}),
       Points({{2, 6}, {4, 6}, {8, 6}}), true, {{6, 6}}},
      {"touching and parting on the same side", Points({{0, 0}, {5, 5}, {10, 10}}),
       Points({{0, 1}, {5, 5}, {10, 11}}), true, {}},
      {"touching and crossing", Points({{0, 0}, {5, 5}, {10, 10}}), Points({{0, 1}, {5, 5}, {10, 9}}),
       true, {{5, 5}}},
      {"parallel", Points({{0, 0}, {10, 10}}), Points({{0, 0.001}, {10, 10.001}}), true, {}},
      {"no shared range", Points({{0, 0}, {10, 10}}), Points({{10, 0}, {20, 10}}), false, {}},
  };
  for (const Case& c : cases) {
    CPolygonMonoton a;
    CPolygonMonoton b;
    a.Create(0, c.a);
    b.Create(0, c.b);
    CPunktListe found = Points({{-1, -1}});
    EXPECT_EQ(a.Intersections(&b, found), c.shared) << c.name;
    ASSERT_EQ(found.GetAnz(), static_cast<int>(c.points.size())) << c.name;
    for (int i = 0; i < found.GetAnz(); ++i) {
      EXPECT_NEAR(found[i].x, c.points[i].x, 1e-9) << c.name;
      EXPECT_NEAR(found[i].y, c.points[i].y, 1e-9) << c.name;
    }
  }
}
