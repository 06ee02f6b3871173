#pragma once
// Characteristic values of a grading curve: grain sizes d10 .. d85, passing
// at 0.002, 0.063, 2 and 63 mm, uniformity U and curvature Cc, two
// permeability estimates, the fractions and the soil group. Pure computation
// on plain numbers; no drawing.
#include <array>
#include <string>
#include <vector>

// One measured point of a sieve analysis.
struct SievePassing {
  double size = 0.0;     // mm
  double passing = 0.0;  // percent by mass
};

// The proportions of the grading chart in which the curve is built: a
// logarithmic sieve axis from xMinimum to xMaximum over `width`, passing 0 to
// 100 % over `height` (0.01 mm). A straight-segment curve does not depend on
// them; the smooth curve bends as it does on the chart.
struct GradingChartFrame {
  double xMinimum = 0.02;
  double xMaximum = 100.0;
  double width = 15600.0;
  double height = 6800.0;
};

class CKornKennwerte {
 public:
  // Value of anything that could not be determined; its text is "-".
  static constexpr double kNotDetermined = -1.0;
  static constexpr std::array<int, 6> kPercents{10, 15, 30, 50, 60, 85};

  CKornKennwerte() { Reset(); }

  // Every value undetermined, every text "-".
  void Reset();

  // Builds the measured curve through the points (any order) and derives
  // every value from it. Points the chart leaves out are left out here too: a
  // sieve size of 0 or below, a passing above 100, anything not a finite
  // number. `smooth` takes the smooth curve, else straight segments.
  // `decimals` are those of the passing at 2 and 63 mm.
  void Compute(const std::vector<SievePassing>& points, bool smooth, int decimals,
               const GradingChartFrame& frame = GradingChartFrame{});

  // Appends the labelled lines "label|value", each followed by "|0" when its
  // key ("@U", "@C", "@T/U/S", "@G/X", "@K (Talmer)", "@K (Hazen)", "@d10" ..
  // "@d85", "@Bodengruppe") does not occur in the selection.
  void AddLines(std::vector<std::string>& lines, const std::string& selection) const;

  // Grain size for 10, 15, 30, 50, 60 or 85 % passing (mm), and its text.
  double D(int percent) const;
  const std::string& DText(int percent) const;

  // Grain sizes in the order of kPercents.
  std::array<double, 6> d{};
  std::array<std::string, 6> dText;
  // Passing at 0.002, 0.063, 2 and 63 mm (%).
  double passing0002 = kNotDetermined;
  double passing0063 = kNotDetermined;
  double passing2 = kNotDetermined;
  double passing63 = kNotDetermined;
  double uniformity = kNotDetermined;  // U = d60 / d10
  double curvature = kNotDetermined;   // Cc = d30^2 / (d60 d10)
  double kTalmer = kNotDetermined;     // m/s
  double kHazen = kNotDetermined;      // m/s
  // Fractions (%): clay, silt, sand, gravel, stones.
  double clay = kNotDetermined;
  double silt = kNotDetermined;
  double sand = kNotDetermined;
  double gravel = kNotDetermined;
  double stones = kNotDetermined;

  std::string uniformityText;
  std::string curvatureText;
  std::string kTalmerText;
  std::string kHazenText;
  std::string fineFractionsText;    // "T/U/S"
  std::string coarseFractionsText;  // "G/X"
  std::string soilGroup;
};
