#include "evaluation/wasserbausteine/massenverteilung.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "evaluation/wasserbausteine/groessenverteilung.h"
#include "evaluation/wasserbausteine/wbsklassen.h"
#include "i18n/translation.h"
#include "records/strutil.h"

namespace {

constexpr size_t kBands = CWBSGewichtsklasse::kBands;
constexpr size_t kLimits = CWBSGewichtsklasse::kLimits;
using Limits = std::array<double, kLimits>;
using StoneMasses = std::array<double, kWBSStones>;

std::string Fixed(double value, int decimals) { return FormatDouble(value, decimals); }

// "%g" in the "C" locale.
std::string FormatGeneral(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
  return result.ec == std::errc() ? std::string(buffer, result.ptr) : std::string();
}

std::string PadLeft(const std::string& text, size_t width) {
  return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

std::string PadRight(const std::string& text, size_t width) {
  return text.size() < width ? text + std::string(width - text.size(), ' ') : text;
}

// "%9.2f|" for each value.
std::string Cells(const std::array<double, kBands>& values) {
  std::string out;
  for (double v : values) out += PadLeft(Fixed(v, 2), 9) + "|";
  return out;
}

const char* const kSeparatorLine = "    ---------+---------+---------+---------+---------+---------+\r\n";

// The value of a normalised text; 0 for an empty one.
double ValueOf(const std::string& text) { return text.empty() ? 0.0 : PlainAtof(text); }

// The inputs normalised into the stored parts, each refused one as typed with its fault.
void TakeInputs(const MassDistributionInput& input, int massClass, MassDistributionResult& r) {
  WBSMassData& d = r.data;
  d.category = input.category;
  d.massClass = std::to_string(massClass);
  d.dust = input.dust;
  CheckNumberInput(r.faults, kWBSDustInput, d.dust, 2);
  for (int i = 0; i < kWBSStones; ++i) {
    const auto k = static_cast<size_t>(i);
    d.masses[k] = input.masses[k];
    CheckNumberInput(r.faults, WBSMassInput(i), d.masses[k], 2);
    const StoneShape shape = EvaluateStone(input.lengths[k], input.thicknesses[k], &r.faults, i);
    d.lengths[k] = shape.length;
    d.thicknesses[k] = shape.thickness;
  }
}

// Every stone in its band, the dust in band 0, the cumulative masses and,
// with a category and a total above 0.001 kg, the passing shares judged.
void Grade(const CWBSGewichtsklasse& category, const StoneMasses& mass, double dust, MassDistributionResult& r) {
  for (size_t k = 0; k < mass.size(); ++k) {
    r.total += mass[k];
    r.band[k] = category.GetBand(mass[k]);
    r.bandMass[static_cast<size_t>(r.band[k])] += mass[k];
  }
  r.bandMassWithDust = r.bandMass;
  r.bandMassWithDust[0] += dust;
  r.total += dust;
  for (size_t k = 0; k < kBands; ++k) r.cumulative[k] = (k ? r.cumulative[k - 1] : 0) + r.bandMassWithDust[k];
  r.computed = r.categoryKnown && r.total > 0.001;
  if (!r.computed) return;
  for (size_t k = 0; k < kBands; ++k) {
    r.passing[k] = 100 / r.total * r.cumulative[k];
    if (k < kLimits) r.rangeMet[k] = IsInMassRange(r.passing[k], category.GetRange(static_cast<int>(k)));
  }
}

// The stones with a mass, a length and a thickness counted, the badly
// shaped ones (L/T > 3) by number and by mass.
void CountShapes(const StoneMasses& mass, MassDistributionResult& r) {
  WBSMassData& d = r.data;
  for (size_t k = 0; k < mass.size(); ++k) {
    const double thickness = ValueOf(d.thicknesses[k]);
    if (d.masses[k].empty() || d.lengths[k].empty() || thickness <= 0) continue;
    ++r.validCount;
    r.validMass += mass[k];
    if (ValueOf(d.lengths[k]) / thickness <= 3) continue;
    d.badMasses[k] = Fixed(mass[k], 2);
    ++r.badCount;
    r.badMass += mass[k];
  }
  if (r.badCount > 0) {
    r.shareByCount = r.badCount * 100.0 / r.validCount;
    r.shareByMass = r.badMass * 100 / r.validMass;
  }
}

// A line of the sums below the table: the label, the unit and ": " ending
// in the same column on every line.
std::string SumLabel(const std::string& label, const std::string& unit) {
  return "    " + PadRight(label, 27 - unit.size()) + unit + ": ";
}

// The fixed-pitch table: one line per stone, its mass in the column of its
// band and, when it is badly shaped, in the last one; the sums below.
std::string StoneTable(const Limits& limit, const StoneMasses& mass, double dust, const MassDistributionResult& r) {
  std::string t = "    " + PadRight(Fixed(0, 2), 9) + "|";
  for (size_t k = 0; k < 3; ++k) t += PadRight(Fixed(limit[k], 2), 9) + "|";
  t += "       >=|" + PadLeft(TranslateString(67105, "Schlecht"), 9) + "|\r\n    ";
  for (size_t k = 0; k < kBands; ++k) t += PadLeft(Fixed(limit[std::min(k, kLimits - 1)], 2), 9) + "|";
  t += PadLeft(TranslateString(67106, "geformt"), 9) + "|\r\n";
  t += "         [kg]|     [kg]|     [kg]|     [kg]|     [kg]|     [kg]|\r\n";
  t += kSeparatorLine;
  for (int i = 0; i < kWBSStones; ++i) {
    const auto k = static_cast<size_t>(i);
    const std::string massText = mass[k] > 0.001 ? Fixed(mass[k], 2) : "";
    t += PadLeft(std::to_string(i + 1), 3) + ":";
    for (int b = 0; b < static_cast<int>(kBands); ++b) t += PadLeft(b == r.band[k] ? massText : "", 9) + "|";
    t += PadLeft(r.data.badMasses[k], 9) + "|\r\n";
  }
  t += kSeparatorLine;
  t += "    " + Cells(r.bandMass) + PadLeft(r.shapeJudged ? Fixed(r.badMass, 2) : "", 9) + "|\r\n";
  // The dust ends under the first band, unless its label reaches beyond.
  const std::string dustLabel = TranslateString(67108, "Staub:");
  t += dustLabel + PadLeft(Fixed(dust, 2), 13 - std::min<size_t>(dustLabel.size(), 6)) + "\r\n";
  t += "    " + Cells(r.bandMassWithDust) + "         |\r\n";
  t += "\r\n";
  t += SumLabel(TranslateString(67107, "Masse Gesamtprobe"), "[kg]") + PadLeft(Fixed(r.total, 2), 9) + "\r\n";
  if (!r.shapeJudged) return t;
  t += SumLabel(TranslateString(61100, "Schlecht geformt in kg"), "[%]") + PadLeft(Fixed(r.shareByMass, 2), 9) +
       " (" + Fixed(r.badMass, 2) + " / " + Fixed(r.validMass, 2) + " kg)\r\n";
  t += SumLabel(TranslateString(61101, "Schlecht geformt Anzahl"), "[%]") + PadLeft(Fixed(r.shareByCount, 2), 9) +
       " (" + std::to_string(r.badCount) + " / " + std::to_string(r.validCount) + ")\r\n";
  return t;
}

// The requirement list: the four limits of the category, then the badly
// shaped stones by mass (the light class's limit) and by number (the heavy
// class's). A limit is judged only on a result: the passing shares of a
// grading, the shape shares of measured stones.
void FillList(const CWBSGewichtsklasse& category, const Limits& limit, int massClass, MassDistributionResult& r) {
  for (size_t k = 0; k < kLimits; ++k) {
    // The cumulative mass as weighed: without the traces that give every stone a band.
    r.list[k] = {"0 - " + FormatGeneral(limit[k]), FormatGeneral(std::round(r.cumulative[k] * 100) / 100) + " kg",
                 r.computed ? Fixed(r.passing[k], 1) : "", category.GetRange(static_cast<int>(k)),
                 r.computed ? WBSStoredWord(r.rangeMet[k]) : ""};
  }
  MassListRow& byMass = r.list[4];
  MassListRow& byCount = r.list[5];
  byMass.range = TranslateString(61100, "Schlecht geformt in kg");
  byCount.range = TranslateString(61101, "Schlecht geformt Anzahl");
  if (r.shapeJudged) {
    byMass.actual = Fixed(r.badMass, 2) + " kg";
    byMass.share = Fixed(r.shareByMass, 2);
    byCount.actual = std::to_string(r.badCount);
    byCount.share = Fixed(r.shareByCount, 2);
  }
  const bool judged = r.shapeJudged && r.validCount > 0;
  if (massClass == kMassClassLight) {
    byMass.required = "<= 20";
    if (judged) {
      r.lightMet = r.shareByMass <= 20;
      byMass.word = WBSStoredWord(r.lightMet);
    }
  } else if (massClass == kMassClassHeavy) {
    byCount.required = "<= 5";
    if (judged) {
      r.heavyMet = r.shareByCount <= 5;
      byCount.word = WBSStoredWord(r.heavyMet);
    }
  }
}

// What is stored besides the inputs: bands, total and parts 14 .. 18. A
// value held back is the token ".", as for a row without a requirement.
void FillStoredParts(const CWBSGewichtsklasse& category, const Limits& limit, int massClass,
                     MassDistributionResult& r) {
  WBSMassData& d = r.data;
  for (size_t k = 0; k < kBands; ++k) {
    d.bandMasses[k] = Fixed(r.bandMass[k], 2);
    d.bandMassesWithDust[k] = Fixed(r.bandMassWithDust[k], 2);
  }
  d.total = Fixed(r.total, 2);
  auto& table = d.table;
  for (size_t k = 0; k < kLimits; ++k) {
    table[kWBSLimits][k] = Fixed(limit[k], 2);
    table[kWBSCumulative][k] = Fixed(r.cumulative[k], 2);
    table[kWBSPassing][k] = Fixed(r.passing[k], 1);
    table[kWBSRanges][k] = r.categoryKnown ? category.GetRange(static_cast<int>(k)) : ".";
    table[kWBSWords][k] = r.computed ? WBSStoredWord(r.rangeMet[k]) : ".";
  }
  table[kWBSLimits][4] = "Schlecht_geformt_in_kg";
  table[kWBSLimits][5] = "Schlecht_geformt_Anzahl";
  table[kWBSCumulative][4] = r.shapeJudged ? Fixed(r.badMass, 2) + "_kg" : ".";
  table[kWBSCumulative][5] = r.shapeJudged ? std::to_string(r.badCount) : ".";
  table[kWBSPassing][4] = r.shapeJudged ? Fixed(r.shareByMass, 2) : ".";
  table[kWBSPassing][5] = r.shapeJudged ? Fixed(r.shareByCount, 2) : ".";
  table[kWBSRanges][4] = massClass == kMassClassLight ? "<=20" : ".";
  table[kWBSRanges][5] = massClass == kMassClassHeavy ? "<=5" : ".";
  table[kWBSWords][4] = r.list[4].word.empty() ? "." : r.list[4].word;
  table[kWBSWords][5] = r.list[5].word.empty() ? "." : r.list[5].word;
}

}  // namespace

MassDistributionResult ComputeMassDistribution(const MassDistributionInput& input) {
  MassDistributionResult r;
  CWBSGewichtsklasse category;
  r.categoryKnown = category.Load(input.category);
  const int massClass = input.massClass >= kMassClassNone && input.massClass <= kMassClassHeavy ? input.massClass : 0;
  TakeInputs(input, massClass, r);
  r.status = "0";
  // No grading from a mass no one can have weighed; the shape does not enter it.
  if (HasGradingFault(r.faults)) return r;
  WBSMassData& d = r.data;
  const double dust = ValueOf(d.dust);
  if (d.dust.empty()) d.dust = "0.00";
  StoneMasses mass{};
  // A stone without a mass still weighs a trace, so that it has a band.
  for (size_t k = 0; k < mass.size(); ++k) mass[k] = ValueOf(d.masses[k]) + 1e-7;
  Limits limit{};
  for (size_t k = 0; k < kLimits; ++k) limit[k] = category.GetLimitMass(static_cast<int>(k));

  Grade(category, mass, dust, r);
  r.shapeJudged = r.faults.empty();
  if (r.shapeJudged) CountShapes(mass, r);
  r.table = StoneTable(limit, mass, dust, r);
  FillList(category, limit, massClass, r);
  FillStoredParts(category, limit, massClass, r);
  for (size_t k = 0; k < kWBSStones; ++k)
    d.stoneTokens[k] = mass[k] > 0.001 ? Fixed(mass[k], 2) + "_" + std::to_string(r.band[k]) : "_";

  const bool allMet = std::all_of(r.rangeMet.begin(), r.rangeMet.end(), [](bool met) { return met; });
  r.status = !r.computed ? "0" : allMet ? "8" : "9";
  return r;
}

bool HasGradingFault(const InputFaults& faults) {
  return std::any_of(faults.begin(), faults.end(),
                     [](const InputFault& f) { return !IsShapeInput(WBSInputOf(f.input)); });
}
