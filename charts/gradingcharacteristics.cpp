#include "charts/gradingcharacteristics.h"

#include <charconv>
#include <cmath>

#include "_common_/kurve/polygonmonoton.h"
#include "_common_/kurve/splinemonoton.h"
#include "i18n/translation.h"
#include "platform/numbers.h"

namespace {

// Maps sieve sizes and percentages to positions of the chart frame and back.
class ChartMapping {
 public:
  explicit ChartMapping(const GradingChartFrame& frame) {
    const bool usable = frame.xMinimum > 0 && frame.xMaximum > frame.xMinimum && frame.width > 0 &&
                        frame.height > 0 && std::isfinite(frame.xMaximum) &&
                        std::isfinite(frame.width) && std::isfinite(frame.height);
    const GradingChartFrame& f = usable ? frame : GradingChartFrame{};
    m_lgMinimum = std::log10(f.xMinimum);
    m_perDecade = f.width / (std::log10(f.xMaximum) - m_lgMinimum);
    m_perPercent = f.height / 100.0;
  }
  double XPos(double size) const { return (std::log10(size) - m_lgMinimum) * m_perDecade; }
  double Size(double xPos) const { return std::pow(10.0, m_lgMinimum + xPos / m_perDecade); }
  double YPos(double percent) const { return percent * m_perPercent; }
  double Percent(double yPos) const { return yPos / m_perPercent; }

 private:
  double m_lgMinimum = 0.0;
  double m_perDecade = 1.0;
  double m_perPercent = 1.0;
};

bool Determined(double value) { return value >= 0.0; }

// The value as it reads back from its text with `decimals` decimals.
double RoundViaText(double value, int decimals) {
  return platform::ParseDouble(platform::FormatFixed(value, decimals));
}

double RoundHalfUp(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return static_cast<int>(value * scale + 0.5) / scale;
}

// "%.3e": three decimals and an exponent of at least two digits.
std::string FormatScientific(double value) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 3);
  return res.ec == std::errc() ? std::string(buf, res.ptr) : std::string("-");
}

// The value with its decimals, "-" when it is undetermined.
std::string FormatShare(double value, int decimals) {
  return Determined(value) ? platform::FormatFixed(value + 0.0, decimals) : std::string("-");
}

int PercentIndex(int percent) {
  for (size_t i = 0; i < CKornKennwerte::kPercents.size(); ++i)
    if (CKornKennwerte::kPercents[i] == percent) return static_cast<int>(i);
  return -1;
}

}  // namespace

void CKornKennwerte::Reset() {
  d.fill(kNotDetermined);
  dText.fill("-");
  passing0002 = passing0063 = passing2 = passing63 = kNotDetermined;
  uniformity = curvature = kTalmer = kHazen = kNotDetermined;
  clay = silt = sand = gravel = stones = kNotDetermined;
  uniformityText = curvatureText = kTalmerText = kHazenText = "-";
  fineFractionsText = "-/-/-";
  coarseFractionsText = "-/-";
  soilGroup = "-";
}

double CKornKennwerte::D(int percent) const {
  int i = PercentIndex(percent);
  return i < 0 ? kNotDetermined : d[static_cast<size_t>(i)];
}

const std::string& CKornKennwerte::DText(int percent) const {
  static const std::string none = "-";
  int i = PercentIndex(percent);
  return i < 0 ? none : dText[static_cast<size_t>(i)];
}

void CKornKennwerte::Compute(const std::vector<SievePassing>& points, bool smooth, int decimals,
                             const GradingChartFrame& frame) {
  Reset();
  const ChartMapping map(frame);

  // Sizes of 0 or below have no place on a logarithmic axis (the pan).
  CPunktListe support;
  for (const SievePassing& p : points) {
    if (!std::isfinite(p.size) || !std::isfinite(p.passing) || p.size <= 0.0 || p.passing < 0.0 ||
        p.passing > 100.0)
      continue;
    support.Add(map.XPos(p.size), map.YPos(p.passing));
  }
  CPolygonMonoton polygon;
  CSplineMonoton spline;
  CKurve& curve = smooth ? static_cast<CKurve&>(spline) : static_cast<CKurve&>(polygon);
  if (support.GetAnz() < 2) return;  // no curve: everything stays undetermined
  curve.Create(20, support);

  for (size_t i = 0; i < kPercents.size(); ++i) {
    double x = 0.0;
    if (curve.GetXAtY(map.YPos(kPercents[i]), x)) d[i] = map.Size(x);
  }

  // A size above the curve, once a smaller size lay on it, passes whole.
  struct Lookup {
    double size;
    double* passing;
  };
  const Lookup lookups[] = {{0.002, &passing0002}, {0.063, &passing0063}, {2.0, &passing2}, {63.0, &passing63}};
  bool found = false;
  for (const Lookup& l : lookups) {
    double y = 0.0;
    if (curve.GetYAtX(map.XPos(l.size), y)) {
      *l.passing = map.Percent(y);
      found = true;
    } else if (found) {
      *l.passing = 100.0;
    }
  }

  for (size_t i = 0; i < kPercents.size(); ++i) {
    if (!Determined(d[i])) continue;
    d[i] = RoundViaText(d[i], 3);
    dText[i] = d[i] <= 0.001 ? "-" : platform::FormatFixed(d[i], 3);
  }
  if (Determined(passing0002)) passing0002 = RoundViaText(passing0002, 1);
  if (Determined(passing0063)) passing0063 = RoundViaText(passing0063, 1);
  if (Determined(passing2)) passing2 = RoundViaText(passing2, decimals);
  if (Determined(passing63)) passing63 = RoundViaText(passing63, decimals);

  const double d10 = D(10);
  const double d30 = D(30);
  const double d60 = D(60);
  if (d10 > 0 && d60 > 0) {
    uniformity = RoundHalfUp(d60 / d10, 1);
    curvature = RoundHalfUp(d30 * d30 / d60 / d10, 1);
    uniformityText = platform::FormatFixed(uniformity, 1);
    curvatureText = platform::FormatFixed(curvature, 1);
    if (uniformity >= 0.95) {
      double c = 0.011;
      if (uniformity >= 19.95)
        c = 0.006;
      else if (uniformity > 9.95)
        c = 0.007;
      else if (uniformity > 4.95)
        c = 0.008;
      else if (uniformity > 2.95)
        c = 0.009;
      else if (uniformity > 1.95)
        c = 0.01;
      kTalmer = c * d10 * d10;
      kTalmerText = FormatScientific(kTalmer);
    }
  }
  if (d10 > 0) {
    kHazen = 0.0116 * d10 * d10;
    kHazenText = uniformity >= 5 ? "- (U >= 5)" : FormatScientific(kHazen);
  }

  if (uniformity > 0 && curvature > 0 && Determined(passing0063) && Determined(passing2)) {
    const double fines = passing0063;
    const bool sandy = passing2 > 60;
    const std::string letter = sandy ? "S" : "G";
    if (fines < 5) {
      if (uniformity <= 6)
        soilGroup = letter + "E";
      else if (curvature >= 1 && curvature <= 3)
        soilGroup = letter + "W";
      else
        soilGroup = letter + "I";
    } else if (fines <= 15) {
      soilGroup = sandy ? "SU, ST" : "GU, GT";
    } else if (fines <= 40) {
      soilGroup = sandy ? "SU*, ST*" : "GU*, GT*";
    }
  }

  // A fraction is known when the passings that bound it are; without a clay
  // limit the silt figure is the whole fines content.
  clay = passing0002;
  if (Determined(passing0063)) silt = Determined(passing0002) ? passing0063 - passing0002 : passing0063;
  if (Determined(passing2) && Determined(passing0063)) sand = passing2 - passing0063;
  if (Determined(passing2)) gravel = (Determined(passing63) ? passing63 : 100.0) - passing2;
  if (Determined(passing63)) stones = 100.0 - passing63;

  fineFractionsText = FormatShare(clay, 0) + "/" + FormatShare(silt, 1) + "/" + FormatShare(sand, 1);
  coarseFractionsText = FormatShare(gravel, 0) + "/" + FormatShare(stones, 0);
}

void CKornKennwerte::AddLines(std::vector<std::string>& lines, const std::string& selection) const {
  auto add = [&](const std::string& label, const std::string& value, const std::string& key) {
    std::string line = label + value;
    if (selection.find(key) == std::string::npos) line += "|0";
    lines.push_back(line);
  };
  add("U [-]:|", uniformityText, "@U");
  add("Cc [-]:|", curvatureText, "@C");
  add("T/U/S [M.-%]:|", fineFractionsText, "@T/U/S");
  add("G/X [M.-%]:|", coarseFractionsText, "@G/X");
  add("K (Talmer) [m/s]:|", kTalmerText, "@K (Talmer)");
  add("K (Hazen) [m/s]:|", kHazenText, "@K (Hazen)");
  for (size_t i = 0; i < kPercents.size(); ++i) {
    const std::string name = "d" + std::to_string(kPercents[i]);
    add(name + " [mm]:|", dText[i], "@" + name);
  }
  add(TranslateString(7244, "Bodengruppe") + ":|", soilGroup, "@Bodengruppe");
}
