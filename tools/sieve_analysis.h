#pragma once
// A complete sieve analysis in a test record, written as the sieve program
// leaves it: the sieve list and the passing values where the chart, the list
// and the report read them, residues and shares per sieve, the washing or
// sieving masses with the sieve loss, characteristic values, the report rows
// of the sieve requirements with their verdicts, and the sieve status. The
// demo installation and the record generator share it. Header-only.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "charts/gradingcharacteristics.h"
#include "records/requirement.h"
#include "records/strutil.h"
#include "records/versuch.h"

namespace recordgen {

// What was sieved: the sieves of the tower (ascending, as the tower writes
// them) with the passing aimed at, and how.
struct SieveRun {
  std::vector<std::string> sizes;
  std::vector<double> aimed;  // M.-% per sieve
  double sample = 5000.0;     // g: dry sample M1 (wet) or sample before sieving (dry)
  bool wet = true;
  double washedOut = 0.8;     // wet: share of the fines that the washing removes
  double lossPercent = 0.3;   // sieve loss in M.-% of the sample
  bool smooth = true;         // the curve is drawn smooth, not as a polygon
};

// One sieve requirement of a material definition (SIEBANFORDERUNGEN entry).
struct SieveRequirement {
  std::string size;
  std::string code;
  std::string label;
  bool onResidue = false;  // the limit is on the residue (100 - passing)
  std::string upperSize;   // set: the share between size and upperSize
};

// Admissible values of a requirement code: [low, high] in M.-%.
struct Band {
  double low = 0.0;
  double high = 100.0;
};

namespace sieve_detail {

inline std::string Fixed(double value, int decimals) {
  // No "-0.0" from a rounding remainder.
  if (std::fabs(value) < 0.5 * std::pow(10.0, -decimals)) value = 0.0;
  return FormatDouble(value, decimals);
}

inline double Round1(double value) { return std::round(value * 10.0) / 10.0; }

inline std::string Join(const std::vector<std::string>& parts, const std::string& separator) {
  std::string out;
  for (size_t i = 0; i < parts.size(); ++i) out += (i ? separator : "") + parts[i];
  return out;
}

// Passing at a size from the sieves (ascending sizes), log-linear between
// them; nothing outside the tower.
inline std::optional<double> PassingAt(const std::vector<double>& sizes, const std::vector<double>& passing,
                                       double size) {
  for (size_t i = 0; i < sizes.size(); ++i) {
    if (std::fabs(sizes[i] - size) < 1e-9) return passing[i];
    if (i > 0 && sizes[i - 1] < size && size < sizes[i]) {
      const double t = std::log(size / sizes[i - 1]) / std::log(sizes[i] / sizes[i - 1]);
      return passing[i - 1] + t * (passing[i] - passing[i - 1]);
    }
  }
  return std::nullopt;
}

}  // namespace sieve_detail

inline std::vector<SieveRequirement> ParseSieveRequirements(const std::string& siebanforderungen) {
  std::vector<SieveRequirement> list;
  if (siebanforderungen.empty()) return list;
  for (int i = 0, n = StrCountFields(siebanforderungen, '@'); i < n; ++i) {
    const std::string entry = StrGetField(siebanforderungen, '@', i);
    SieveRequirement r{StrGetField(entry, '|', 0), StrGetField(entry, '|', 1), StrGetField(entry, '|', 2),
                       StrGetField(entry, '|', 4) == "1", StrGetField(entry, '|', 7)};
    if (!r.size.empty() && !r.code.empty()) list.push_back(r);
  }
  return list;
}

// The values a code admits; none for a code that states no requirement.
inline std::optional<Band> BandOf(std::string code) {
  StrReplace(code, ",", ".");
  const size_t relation = code.find('_');
  if (relation != std::string::npos) {
    const double limit = ParseNumber(code.substr(0, relation));
    const std::string kind = code.substr(relation + 1, 2);
    if (kind == "LE" || kind == "LT") return Band{0.0, limit};
    if (kind == "GE" || kind == "GT") return Band{limit, 100.0};
    if (kind == "EQ") return Band{limit, limit};
    return std::nullopt;
  }
  const size_t dash = code.find('-', 1);
  if (dash == std::string::npos) return std::nullopt;
  return Band{ParseNumber(code.substr(0, dash)), ParseNumber(code.substr(dash + 1))};
}

// Passing values along the tower that a sieving of the material would give:
// inside the band of every sieve requirement (or, with `failing`, outside
// one of them), sieves without a requirement on a line between their
// neighbours, rising to 100 at the largest sieve. `real(low, high)` gives a
// random number in that range.
template <typename Real>
std::vector<double> AimedPassing(const std::vector<std::string>& sizeTexts,
                                 const std::vector<SieveRequirement>& requirements, bool failing, Real real) {
  const size_t k = sizeTexts.size();
  std::vector<double> sizes(k), aim(k, -1.0);
  for (size_t i = 0; i < k; ++i) sizes[i] = ParseNumber(sizeTexts[i]);
  if (k == 0) return {};
  // Inside the bands, at about the same place in each, so that the curve runs
  // along them; a margin keeps the rounding inside.
  const double place = real(0.15, 0.85);
  std::vector<size_t> banded;
  std::vector<Band> bands(k);
  for (const SieveRequirement& r : requirements) {
    if (!r.upperSize.empty()) continue;
    std::optional<Band> band = BandOf(r.code);
    if (!band) continue;
    const double at = ParseNumber(r.size);
    for (size_t i = 0; i < k; ++i) {
      if (std::fabs(sizes[i] - at) > 1e-9) continue;
      const Band b = r.onResidue ? Band{100.0 - band->high, 100.0 - band->low} : *band;
      const double margin = (b.high - b.low) * 0.2;
      const double t = std::clamp(place + real(-0.08, 0.08), 0.0, 1.0);
      aim[i] = b.low + margin + t * (b.high - b.low - 2.0 * margin);
      bands[i] = b;
      banded.push_back(i);
    }
  }
  if (failing && !banded.empty()) {
    // Just beyond one limit.
    const size_t i = banded[static_cast<size_t>(real(0.0, static_cast<double>(banded.size()) - 0.001))];
    aim[i] = bands[i].high < 99.0 ? bands[i].high + real(1.0, 3.0) : std::max(0.0, bands[i].low - real(1.0, 3.0));
  }
  if (aim[k - 1] < 0) aim[k - 1] = 100.0;
  // Below the first aimed sieve a grading of the usual exponent.
  const double exponent = real(0.38, 0.5);
  size_t first = 0;
  while (aim[first] < 0) ++first;
  for (size_t i = 0; i < first; ++i) aim[i] = aim[first] * std::pow(sizes[i] / sizes[first], exponent);
  // Between aimed sieves: log-linear.
  for (size_t i = first + 1; i < k; ++i) {
    if (aim[i] >= 0) continue;
    size_t next = i;
    while (aim[next] < 0) ++next;
    const double t = std::log(sizes[i] / sizes[i - 1]) / std::log(sizes[next] / sizes[i - 1]);
    aim[i] = aim[i - 1] + t * (aim[next] - aim[i - 1]) + real(-0.4, 0.4);
  }
  for (size_t i = 0; i < k; ++i) {
    aim[i] = std::clamp(aim[i], 0.0, 100.0);
    if (i > 0) aim[i] = std::max(aim[i], aim[i - 1]);
  }
  return aim;
}

// Writes the sieve analysis into the record: fields 3 (sieve table), 6 (the
// tower), 7 (the first sieving), 10 parts 0 and 1, 27 (sieving masses),
// 4 part 0 (report rows of the sieve requirements) and the status of
// "VA_SIEBL", judged against the sieve requirements of the record's
// material definition (field 25).
inline void WriteSieveAnalysis(CVersuch& record, const SieveRun& run) {
  using namespace sieve_detail;
  const size_t k = run.sizes.size();
  if (k == 0 || run.aimed.size() != k) return;
  std::vector<double> sizes(k);
  for (size_t i = 0; i < k; ++i) sizes[i] = ParseNumber(run.sizes[i]);

  // Masses: retained on each sieve, and the fines below the smallest one,
  // of the sample less the sieve loss.
  const double sample = Round1(run.sample);
  const double total = Round1(sample * (1.0 - run.lossPercent / 100.0));
  std::vector<double> retained(k);
  double sieved = 0.0;
  for (size_t i = 0; i < k; ++i) {
    const double share = (i + 1 < k ? run.aimed[i + 1] : 100.0) - run.aimed[i];
    retained[i] = Round1(total * std::max(share, 0.0) / 100.0);
    sieved += retained[i];
  }
  const double fines = Round1(total - sieved);
  const double washed = run.wet ? Round1(fines * run.washedOut) : 0.0;
  const double afterWashing = sample - washed;  // M2
  const double loss = sample - total;

  // Shares and passing, as the sieve program computes them from the masses.
  std::vector<double> share(k), passing(k);
  double above = 0.0;
  for (size_t i = k; i-- > 0;) {
    share[i] = retained[i] / total * 100.0;
    above += share[i];
    passing[i] = std::max(0.0, 100.0 - above);
  }
  const double finesShare = fines / total * 100.0;

  // Field 3: the table rows from the largest sieve down, and the pan.
  std::vector<std::string> rowSizes, rowResidue, rowShare, rowPassing, passingDescending;
  for (size_t i = k; i-- > 0;) {
    rowSizes.push_back(run.sizes[i]);
    rowResidue.push_back(Fixed(retained[i], 1));
    rowShare.push_back(Fixed(share[i], 1));
    rowPassing.push_back(Fixed(passing[i], 1));
    passingDescending.push_back(Fixed(passing[i], 1));
  }
  rowSizes.push_back("< " + run.sizes.front());
  rowResidue.push_back(Fixed(fines, 1));
  rowShare.push_back(Fixed(finesShare, 1));
  rowPassing.push_back("");

  std::vector<std::string> passingAscending(passingDescending.rbegin(), passingDescending.rend());
  std::vector<std::string> f3(34);
  f3[0] = "0";
  f3[1] = Join(passingDescending, ";");
  f3[2] = Join(rowSizes, ";");
  f3[8] = Join(rowResidue, ";");
  f3[9] = Join(rowShare, ";");
  f3[10] = Join(rowPassing, ";");
  f3[11] = Fixed(total, 1);
  f3[12] = Fixed(100.0, 1);
  if (!run.wet) {
    f3[13] = Fixed(sample, 1);
    f3[14] = Fixed(loss, 1);
  }
  f3[17] = Fixed(total, 1);

  // Characteristic values of the curve.
  std::vector<SievePassing> points;
  for (size_t i = 0; i < k; ++i) points.push_back({sizes[i], ParseNumber(rowPassing[k - 1 - i])});
  CKornKennwerte values;
  values.Compute(points, run.smooth, 1);
  std::vector<std::string> lines, pairs;
  values.AddLines(lines, "@U@C@d10@d60@T/U/S");
  for (const std::string& line : lines) {
    if (StrGetField(line, '|', 2) == "0") continue;
    pairs.push_back(StrGetField(line, '|', 0));
    pairs.push_back(StrGetField(line, '|', 1));
  }
  f3[32] = Join(pairs, "@");
  record.SetField(3, Join(f3, "|"));

  const std::string tower = Join(run.sizes, ";");
  record.SetField(6, tower + "|2");
  std::vector<std::string> f7(11);
  std::vector<std::string> masses;
  for (double m : retained) masses.push_back(Fixed(m, 1));
  f7[0] = Join(masses, ";");
  f7[1] = Fixed(sample, 1);
  f7[2] = run.wet ? "0" : "1";
  f7[3] = run.smooth ? "1" : "0";
  f7[4] = "0";
  f7[6] = "1";
  if (run.wet) {
    f7[7] = Fixed(sample, 1);
    f7[8] = Fixed(afterWashing, 1);
    f7[9] = Fixed(loss / afterWashing * 100.0, 2);
    f7[10] = Fixed(finesShare, 1);
  }
  record.SetField(7, Join(f7, "|"));
  // The fractions 31.5 to 40 and 40 to 50 mm, where the tower has them.
  auto fraction = [&](double from, double to) {
    for (size_t i = 0; i + 1 < k; ++i)
      if (std::fabs(sizes[i] - from) < 1e-9 && std::fabs(sizes[i + 1] - to) < 1e-9) return Fixed(retained[i], 1);
    return std::string();
  };
  record.SetField(27, Join(masses, ";") + "|" + fraction(31.5, 40.0) + "|" + fraction(40.0, 50.0) + "||" +
                          (run.wet ? "Nasssiebung nach DIN EN 933-1" : "Trockensiebung nach DIN EN 933-1"));

  // Report rows of the sieve requirements and the verdict.
  std::vector<double> passingValues(k);
  for (size_t i = 0; i < k; ++i) passingValues[i] = ParseNumber(passingAscending[i]);
  std::string rows;
  std::vector<std::string> failed;
  bool anyRequirement = false, allMet = true;
  for (const SieveRequirement& r : ParseSieveRequirements(record.GetGroup(25, 4))) {
    std::optional<double> value = PassingAt(sizes, passingValues, ParseNumber(r.size));
    std::string size = r.size;
    if (!r.upperSize.empty()) {
      std::optional<double> upper = PassingAt(sizes, passingValues, ParseNumber(r.upperSize));
      value = value && upper ? std::optional<double>(*upper - *value) : std::nullopt;
      size = r.size + "-" + r.upperSize;
    } else if (value && r.onResidue) {
      value = 100.0 - *value;
    }
    if (!value) continue;
    const std::string actual = Fixed(*value, 1);
    const RequirementResult result = CheckRequirement(r.code, actual);
    if (result == RequirementResult::NoRequirement) continue;
    anyRequirement = true;
    const bool met = result == RequirementResult::Met;
    allMet = allMet && met;
    if (!met) {
      failed.push_back(r.size);
      if (!r.upperSize.empty()) failed.push_back(r.upperSize);
    }
    const int decimals = r.code.find_first_of(".,") == std::string::npos ? 0 : 1;
    rows += "{" + r.label + "@" + size + "@" + actual + "@" + FormatRequirement(r.code, decimals) + "@" +
            (met ? "2" : "1") + "}";
  }
  record.SetValue(4, 0, rows);
  record.SetValue(10, 0, Join(passingAscending, ";"));
  record.SetValue(10, 1, Join(failed, ";"));
  record.SetTestStatus("VA_SIEBL", !anyRequirement ? "1" : allMet ? "8" : "9");
}

}  // namespace recordgen
