#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "charts/gradingcharacteristics.h"

namespace {

using Curve = std::vector<SievePassing>;

CKornKennwerte Compute(const Curve& curve, bool smooth = false, int decimals = 1) {
  CKornKennwerte k;
  k.Compute(curve, smooth, decimals);
  return k;
}

// Straight segments on the logarithmic sieve axis: between two sieves s0 and
// s1 with passing p0 and p1, the size for passing p is
//   d = s0 * (s1 / s0)^f  with  f = (p - p0) / (p1 - p0),
// and the passing at size s is p0 + (p1 - p0) * lg(s / s0) / lg(s1 / s0).

// Sand 0/2.
const Curve kSand = {{0.063, 2.0}, {0.125, 6.0}, {0.25, 18.0}, {0.5, 45.0}, {1, 72.0}, {2, 96.0}, {4, 100.0}};
// d10: 0.125..0.25, f = (10-6)/12 = 0.3333, 0.125 * 2^0.3333 = 0.125 * 1.25992 = 0.15749 -> 0.157
// d15: 0.125..0.25, f = 9/12 = 0.75,         0.125 * 1.68179 = 0.21022 -> 0.210
// d30: 0.25..0.5,   f = 12/27 = 0.4444,      0.25 * 1.36079  = 0.34020 -> 0.340
// d50: 0.5..1,      f = 5/27 = 0.1852,       0.5 * 1.13696   = 0.56848 -> 0.568
// d60: 0.5..1,      f = 15/27 = 0.5556,      0.5 * 1.46973   = 0.73487 -> 0.735
// d85: 1..2,        f = 13/24 = 0.5417,      1 * 1.45565     = 1.45565 -> 1.456
// U  = 0.735 / 0.157 = 4.68 -> 4.7;  Cc = 0.340^2 / 0.735 / 0.157 = 0.1156 / 0.115395 = 1.002 -> 1.0
// Talmer (2.95 < U <= 4.95): 0.009 * 0.157^2 = 0.009 * 0.024649 = 2.218e-04
// Hazen: 0.0116 * 0.024649 = 2.859e-04 (U < 5: shown)
// 0.063 mm is the smallest sieve: fines 2.0 (an end point of the curve).
// 2 mm: 96.0; 63 mm lies above the curve: 100. 0.002 mm lies below: not determined.
// T/U/S: clay "-", silt = the fines 2.0, sand 96.0 - 2.0 = 94.0
// G/X: 100 - 96 = 4, stones 100 - 100 = 0
// Soil group: F = 2.0 < 5, passing(2) 96 > 60 -> S, U 4.7 <= 6 -> "SE"

// Gravel 2/32.
const Curve kGravel = {{0.063, 0.5}, {0.125, 0.7}, {0.25, 0.9}, {0.5, 1.1}, {1, 1.4}, {2, 2.6},
                       {4, 6.0},     {8, 20.0},    {16, 52.0},  {31.5, 93.0}, {63, 100.0}};
// d10: 4..8,     f = 4/14 = 0.2857,   4 * 2^0.2857 = 4 * 1.21901 = 4.87605 -> 4.876
// d15: 4..8,     f = 9/14 = 0.6429,   4 * 1.56142  = 6.24567 -> 6.246
// d30: 8..16,    f = 10/32 = 0.3125,  8 * 1.24186  = 9.93486 -> 9.935
// d50: 8..16,    f = 30/32 = 0.9375,  8 * 1.91521  = 15.32165 -> 15.322
// d60: 16..31.5, f = 8/41 = 0.1951,   16 * 1.96875^0.1951 = 16 * 1.14131 = 18.26094 -> 18.261
// d85: 16..31.5, f = 33/41 = 0.8049,  16 * 1.96875^0.8049 = 16 * 1.72499 = 27.59990 -> 27.600
// U  = 18.261 / 4.876 = 3.745 -> 3.7;  Cc = 9.935^2 / 18.261 / 4.876 = 98.7042 / 89.0406 = 1.109 -> 1.1
// Talmer (2.95 < U <= 4.95): 0.009 * 4.876^2 = 0.009 * 23.775376 = 0.213978 -> 2.140e-01
// Hazen: 0.0116 * 23.775376 = 0.275794 -> 2.758e-01
// Fines 0.5 (smallest sieve), 2 mm 2.6, 63 mm 100.0 (largest sieve: the other end point).
// T/U/S: "-", 0.5, 2.6 - 0.5 = 2.1;  G/X: 100 - 2.6 = 97.4 -> 97, stones 0
// Soil group: F 0.5 < 5, passing(2) 2.6 <= 60 -> G, U 3.7 <= 6 -> "GE"

// Sandy gravel 0/32 with fines.
const Curve kSandyGravel = {{0.063, 7.0}, {0.125, 10.0}, {0.25, 16.0}, {0.5, 25.0}, {1, 33.0}, {2, 40.0},
                            {4, 48.0},    {8, 60.0},     {16, 76.0},  {31.5, 95.0}, {63, 100.0}};
// d10 = 0.125 (a sieve at exactly 10 %)
// d15: 0.125..0.25, f = 5/6 = 0.8333,    0.125 * 1.78180 = 0.22272 -> 0.223
// d30: 0.5..1,      f = 5/8 = 0.625,     0.5 * 1.54221   = 0.77111 -> 0.771
// d50: 4..8,        f = 2/12 = 0.1667,   4 * 1.12246     = 4.48985 -> 4.490
// d60 = 8 (a sieve at exactly 60 %) -> 8.000
// d85: 16..31.5,    f = 9/19 = 0.4737,   16 * 1.96875^0.4737 = 16 * 1.37833 = 22.05329 -> 22.053
// U  = 8 / 0.125 = 64.0;  Cc = 0.771^2 / 8 / 0.125 = 0.594441 / 1 -> 0.6
// Talmer (U >= 19.95): 0.006 * 0.125^2 = 0.006 * 0.015625 = 9.375e-05
// Hazen: 0.0116 * 0.015625 = 1.8125e-04, but U >= 5 -> "- (U >= 5)"
// T/U/S: "-", 7.0, 40.0 - 7.0 = 33.0;  G/X: 100 - 40 = 60, stones 0
// Soil group: 5 <= F 7.0 <= 15, passing(2) 40 <= 60 -> "GU, GT"

struct Expected {
  const char* name;
  const Curve* curve;
  std::vector<std::string> d;  // d10, d15, d30, d50, d60, d85
  const char* u;
  const char* cc;
  const char* talmer;
  const char* hazen;
  const char* tus;
  const char* gx;
  const char* soilGroup;
  double passing0063;
  double passing2;
  double passing63;
};

}  // namespace

TEST(GradingCharacteristics, RealisticCurvesAgreeWithHandComputation) {
  const Expected cases[] = {
      {"sand 0/2", &kSand, {"0.157", "0.210", "0.340", "0.568", "0.735", "1.456"}, "4.7", "1.0",
       "2.218e-04", "2.859e-04", "-/2.0/94.0", "4/0", "SE", 2.0, 96.0, 100.0},
      {"gravel 2/32", &kGravel, {"4.876", "6.246", "9.935", "15.322", "18.261", "27.600"}, "3.7", "1.1",
       "2.140e-01", "2.758e-01", "-/0.5/2.1", "97/0", "GE", 0.5, 2.6, 100.0},
      {"sandy gravel 0/32", &kSandyGravel, {"0.125", "0.223", "0.771", "4.490", "8.000", "22.053"}, "64.0",
       "0.6", "9.375e-05", "- (U >= 5)", "-/7.0/33.0", "60/0", "GU, GT", 7.0, 40.0, 100.0},
  };
  for (const Expected& e : cases) {
    SCOPED_TRACE(e.name);
    const CKornKennwerte k = Compute(*e.curve);
    for (size_t i = 0; i < e.d.size(); ++i) EXPECT_EQ(k.dText[i], e.d[i]) << CKornKennwerte::kPercents[i];
    EXPECT_EQ(k.uniformityText, e.u);
    EXPECT_EQ(k.curvatureText, e.cc);
    EXPECT_EQ(k.kTalmerText, e.talmer);
    EXPECT_EQ(k.kHazenText, e.hazen);
    EXPECT_EQ(k.fineFractionsText, e.tus);
    EXPECT_EQ(k.coarseFractionsText, e.gx);
    EXPECT_EQ(k.soilGroup, e.soilGroup);
    EXPECT_EQ(k.passing0002, CKornKennwerte::kNotDetermined);
    EXPECT_DOUBLE_EQ(k.passing0063, e.passing0063);
    EXPECT_DOUBLE_EQ(k.passing2, e.passing2);
    EXPECT_DOUBLE_EQ(k.passing63, e.passing63);
  }
}

TEST(GradingCharacteristics, UniformityAndPermeabilityOfTheTextbookCase) {
  // d10 = 0.2 and d60 = 1.2 on sieves: U = 6.0, "Talmer" 0.008 * 0.04.
  const CKornKennwerte k = Compute({{0.1, 4}, {0.2, 10}, {1.2, 60}, {4, 100}});
  EXPECT_EQ(k.DText(10), "0.200");
  EXPECT_EQ(k.DText(60), "1.200");
  EXPECT_EQ(k.uniformityText, "6.0");
  EXPECT_EQ(k.kTalmerText, "3.200e-04");
  EXPECT_EQ(k.kHazenText, "- (U >= 5)");
  EXPECT_NEAR(k.kHazen, 0.0116 * 0.04, 1e-15);
}

TEST(GradingCharacteristics, CurveThatNeverReaches10PercentGivesNoCoefficients) {
  // The curve starts at 12 %: no d10, so neither U, Cc nor k.
  const CKornKennwerte k = Compute({{0.063, 12}, {0.25, 30}, {1, 70}, {2, 100}});
  EXPECT_EQ(k.DText(10), "-");
  EXPECT_EQ(k.D(10), CKornKennwerte::kNotDetermined);
  EXPECT_EQ(k.DText(15), "0.079");  // 0.063 * (0.25 / 0.063)^(3/18)
  EXPECT_EQ(k.uniformityText, "-");
  EXPECT_EQ(k.curvatureText, "-");
  EXPECT_EQ(k.kTalmerText, "-");
  EXPECT_EQ(k.kHazenText, "-");
  EXPECT_EQ(k.soilGroup, "-");
}

TEST(GradingCharacteristics, SoilGroups) {
  struct Case {
    const char* name;
    Curve curve;
    const char* group;
  };
  const Case cases[] = {
      {"fines exactly 5 %", {{0.063, 5.0}, {0.125, 12}, {0.25, 30}, {0.5, 60}, {1, 85}, {2, 98}, {4, 100}}, "SU, ST"},
      // d10 = 0.063 * (0.125/0.063)^(5.1/7.1) = 0.103, U = 0.5 / 0.103 = 4.9
      {"fines 4.9 %", {{0.063, 4.9}, {0.125, 12}, {0.25, 30}, {0.5, 60}, {1, 85}, {2, 98}, {4, 100}}, "SE"},
      {"gravel fines 5 %", {{0.063, 5.0}, {0.125, 11}, {2, 20}, {8, 45}, {16, 70}, {31.5, 100}}, "GU, GT"},
      // d10 = 0.125, d60 = 1 * 2^0.25 = 1.189 (U 9.5), d30 = 0.25 * 2^(2/3) = 0.397 (Cc 1.1)
      {"widely graded sand", {{0.063, 3}, {0.125, 10}, {0.25, 20}, {0.5, 35}, {1, 55}, {2, 75}, {4, 100}}, "SW"},
      // d60 = 1 * 2^(44/54) = 1.760 (U 14.1), d30 = 1 * 2^(14/54) = 1.197 (Cc 6.5)
      {"gap-graded sand", {{0.063, 3}, {0.125, 10}, {0.25, 12}, {0.5, 14}, {1, 16}, {2, 70}, {4, 100}}, "SI"},
      // With a sedimentation analysis down to 0.002 mm.
      {"silty sand",
       {{0.002, 4}, {0.006, 8}, {0.02, 12}, {0.063, 20}, {0.125, 35}, {0.25, 55}, {0.5, 75}, {1, 90}, {2, 98}, {4, 100}},
       "SU*, ST*"},
      {"fines above 40 %", {{0.002, 5}, {0.006, 9}, {0.02, 25}, {0.063, 45}, {0.25, 80}, {2, 100}}, "-"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Compute(c.curve).soilGroup, c.group) << c.name;
  }
}

TEST(GradingCharacteristics, ClayIsTakenFromASedimentationAnalysis) {
  const CKornKennwerte k = Compute(
      {{0.002, 4}, {0.006, 8}, {0.02, 12}, {0.063, 20}, {0.125, 35}, {0.25, 55}, {0.5, 75}, {1, 90}, {2, 98}, {4, 100}});
  EXPECT_DOUBLE_EQ(k.passing0002, 4.0);  // the curve's lower end
  EXPECT_EQ(k.fineFractionsText, "4/16.0/78.0");
  EXPECT_EQ(k.coarseFractionsText, "2/0");
}

TEST(GradingCharacteristics, UndeterminedPassingStaysUndetermined) {
  // Sieved from 4 mm up only: nothing is known at 0.063 or 2 mm. Taken as 0
  // they would make a "GE" soil and 100 % gravel.
  const CKornKennwerte k = Compute({{4, 3}, {8, 12}, {16, 55}, {31.5, 92}, {63, 100}});
  EXPECT_EQ(k.passing0063, CKornKennwerte::kNotDetermined);
  EXPECT_EQ(k.passing2, CKornKennwerte::kNotDetermined);
  EXPECT_DOUBLE_EQ(k.passing63, 100.0);
  EXPECT_EQ(k.uniformityText, "2.6");  // d60 17.534 / d10 6.858: the sizes are known
  EXPECT_EQ(k.soilGroup, "-");
  EXPECT_EQ(k.fineFractionsText, "-/-/-");
  EXPECT_EQ(k.coarseFractionsText, "-/0");
}

TEST(GradingCharacteristics, MeasuredZeroCountsAsAValue) {
  // A washed gravel with nothing below 2 mm: 100 % gravel, no sand, no fines.
  const CKornKennwerte k = Compute({{0.063, 0.0}, {2, 0.0}, {4, 8}, {8, 30}, {16, 75}, {31.5, 100}});
  EXPECT_DOUBLE_EQ(k.passing0063, 0.0);
  EXPECT_DOUBLE_EQ(k.passing2, 0.0);
  EXPECT_EQ(k.fineFractionsText, "-/0.0/0.0");
  EXPECT_EQ(k.coarseFractionsText, "100/0");
}

TEST(GradingCharacteristics, PointsWithoutAPlaceOnTheAxisAreLeftOut) {
  const CKornKennwerte plain = Compute(kSandyGravel);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  Curve withPan = kSandyGravel;
  withPan.push_back({0.0, 0.0});     // the pan
  withPan.push_back({-1.0, 3.0});    // a negative size
  withPan.push_back({nan, 50.0});    // unreadable
  withPan.push_back({10.0, nan});
  withPan.push_back({inf, 100.0});
  withPan.push_back({125.0, 100.5}); // above 100 %, as the chart leaves it out
  const CKornKennwerte k = Compute(withPan);
  EXPECT_EQ(k.dText, plain.dText);
  EXPECT_EQ(k.soilGroup, "GU, GT");
  EXPECT_EQ(k.fineFractionsText, plain.fineFractionsText);
  EXPECT_EQ(k.coarseFractionsText, plain.coarseFractionsText);
  EXPECT_EQ(k.kTalmerText, plain.kTalmerText);
}

TEST(GradingCharacteristics, NoCurveLeavesEverythingUndetermined) {
  const Curve cases[] = {{}, {{2, 50}}, {{2, 40}, {2, 60}, {4, 100}}};  // duplicate sieve: no curve
  for (const Curve& c : cases) {
    const CKornKennwerte k = Compute(c);
    for (const std::string& t : k.dText) EXPECT_EQ(t, "-");
    EXPECT_EQ(k.passing0063, CKornKennwerte::kNotDetermined);
    EXPECT_EQ(k.uniformityText, "-");
    EXPECT_EQ(k.kHazenText, "-");
    EXPECT_EQ(k.fineFractionsText, "-/-/-");
    EXPECT_EQ(k.coarseFractionsText, "-/-");
    EXPECT_EQ(k.soilGroup, "-");
  }
}

TEST(GradingCharacteristics, SmoothCurvePassesThroughTheSieves) {
  const CKornKennwerte smooth = Compute(kSandyGravel, true);
  // The measured points are values of the smooth curve too.
  EXPECT_DOUBLE_EQ(smooth.passing0063, 7.0);
  EXPECT_DOUBLE_EQ(smooth.passing2, 40.0);
  EXPECT_DOUBLE_EQ(smooth.passing63, 100.0);
  EXPECT_EQ(smooth.DText(10), "0.125");
  EXPECT_EQ(smooth.DText(60), "8.000");
  EXPECT_EQ(smooth.soilGroup, "GU, GT");
  // Between the sieves it bends, but stays between them.
  EXPECT_GT(smooth.D(30), 0.5);
  EXPECT_LT(smooth.D(30), 1.0);
  EXPECT_GT(smooth.D(85), 16.0);
  EXPECT_LT(smooth.D(85), 31.5);
}

TEST(GradingCharacteristics, PassingAt2And63mmTakesTheCallersDecimals) {
  // At 2 mm, halfway between 1 and 4 mm on the logarithmic axis:
  // 76.9 + (95 - 76.9) * lg 2 / lg 4 = 76.9 + 9.05 = 85.95
  const Curve curve = {{0.063, 3}, {0.25, 20}, {1, 76.9}, {4, 95}, {16, 100}};
  EXPECT_DOUBLE_EQ(Compute(curve, false, 2).passing2, 85.95);
  EXPECT_DOUBLE_EQ(Compute(curve, false, 0).passing2, 86.0);
}

TEST(GradingCharacteristics, LinesWithLabelsAndSelection) {
  const CKornKennwerte k = Compute(kSand);
  std::vector<std::string> lines{"earlier line"};
  k.AddLines(lines, "@U@d10@Bodengruppe@T/U/S");
  const std::vector<std::string> expected{
      "earlier line",
      "U [-]:|4.7",
      "Cc [-]:|1.0|0",
      "T/U/S [M.-%]:|-/2.0/94.0",
      "G/X [M.-%]:|4/0|0",
      "K (Talmer) [m/s]:|2.218e-04|0",
      "K (Hazen) [m/s]:|2.859e-04|0",
      "d10 [mm]:|0.157",
      "d15 [mm]:|0.210|0",
      "d30 [mm]:|0.340|0",
      "d50 [mm]:|0.568|0",
      "d60 [mm]:|0.735|0",
      "d85 [mm]:|1.456|0",
      "Bodengruppe:|SE",
  };
  EXPECT_EQ(lines, expected);
}
