#include "evaluation/wasserbausteine/massenverteilung.h"

#include <charconv>
#include <cmath>

#include "evaluation/wasserbausteine/groessenverteilung.h"
#include "evaluation/wasserbausteine/wbsklassen.h"
#include "i18n/translation.h"
#include "records/strutil.h"

namespace {

std::string Fixed(double value, int decimals) { return FormatDouble(value, decimals); }

std::string PadLeft(const std::string& text, size_t width) {
  return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

std::string PadRight(const std::string& text, size_t width) {
  return text.size() < width ? text + std::string(width - text.size(), ' ') : text;
}

// "%9.2f|" for each value.
std::string Cells(const std::array<double, 5>& values) {
  std::string out;
  for (double v : values) out += PadLeft(Fixed(v, 2), 9) + "|";
  return out;
}

const char* const kSeparatorLine = "    ---------+---------+---------+---------+---------+---------+\r\n";

std::string Word(bool met) { return met ? TranslateString(6000, "ja") : TranslateString(6001, "nein"); }

// The value of a text normalised to the decimals (0 for an empty one).
double Normalise(std::string& text, int decimals) {
  NormalizeNumber(text, decimals, kStoredNumber);
  return text.empty() ? 0.0 : PlainAtof(text);
}

}  // namespace

std::string FormatGeneral(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
  return result.ec == std::errc() ? std::string(buffer, result.ptr) : std::string();
}

MassDistributionResult ComputeMassDistribution(const MassDistributionInput& input) {
  MassDistributionResult r;
  WBSMassData& d = r.data;
  CWBSGewichtsklasse category;
  r.categoryKnown = category.Load(input.category);
  const int massClass = input.massClass >= kMassClassNone && input.massClass <= kMassClassHeavy ? input.massClass : 0;
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
  // No table, no list and no verdict from a value no one can have measured.
  if (!r.faults.empty()) {
    r.status = "0";
    return r;
  }
  const double dust = Normalise(d.dust, 2);
  if (d.dust.empty()) d.dust = "0.00";

  std::array<double, kWBSStones> mass{};
  for (int i = 0; i < kWBSStones; ++i) {
    const auto k = static_cast<size_t>(i);
    // A stone without a mass still weighs a trace, so that it has a band.
    mass[k] = Normalise(d.masses[k], 2) + 1e-7;
    r.total += mass[k];
    r.band[k] = category.GetBand(mass[k]);
    r.bandMass[static_cast<size_t>(r.band[k])] += mass[k];
  }
  r.bandMassWithDust = r.bandMass;
  r.bandMassWithDust[0] += dust;
  r.total += dust;
  for (size_t k = 0; k < 5; ++k) r.cumulative[k] = (k ? r.cumulative[k - 1] : 0) + r.bandMassWithDust[k];

  r.computed = r.categoryKnown && r.total > 0.001;
  if (r.computed)
    for (size_t k = 0; k < 5; ++k) {
      r.passing[k] = 100 / r.total * r.cumulative[k];
      if (k < 4) r.rangeMet[k] = IsInMassRange(r.passing[k], category.GetRange(static_cast<int>(k)));
    }

  // The table: one line per stone, its mass in the column of its band.
  std::array<double, 4> limit{};
  for (int k = 0; k < 4; ++k) limit[static_cast<size_t>(k)] = category.GetLimitMass(k);
  std::string& t = r.table;
  t = "    " + PadRight(Fixed(0, 2), 9) + "|";
  for (int k = 0; k < 3; ++k) t += PadRight(Fixed(limit[static_cast<size_t>(k)], 2), 9) + "|";
  t += "       >=| Schlecht|\r\n    ";
  for (int k = 0; k < 5; ++k) t += PadLeft(Fixed(limit[static_cast<size_t>(k < 4 ? k : 3)], 2), 9) + "|";
  t += "  geformt|\r\n";
  t += "         [kg]|     [kg]|     [kg]|     [kg]|     [kg]|     [kg]|\r\n";
  t += kSeparatorLine;
  for (int i = 0; i < kWBSStones; ++i) {
    const auto k = static_cast<size_t>(i);
    const bool weighed = mass[k] > 0.001;
    const std::string massText = weighed ? Fixed(mass[k], 2) : "";
    t += PadLeft(std::to_string(i + 1), 3) + ":";
    for (int b = 0; b < 5; ++b) t += PadLeft(b == r.band[k] ? massText : "", 9) + "|";
    d.stoneTokens[k] = weighed ? massText + "_" + std::to_string(r.band[k]) : "_";
    std::string badCell;
    const double thickness = PlainAtof(d.thicknesses[k]);
    if (!d.masses[k].empty() && !d.lengths[k].empty() && !d.thicknesses[k].empty() && thickness > 0) {
      ++r.validCount;
      r.validMass += mass[k];
      if (PlainAtof(d.lengths[k]) / thickness > 3) {
        badCell = Fixed(mass[k], 2);
        ++r.badCount;
        r.badMass += mass[k];
      }
    }
    d.badMasses[k] = badCell;
    t += PadLeft(badCell, 9) + "|\r\n";
  }
  if (r.badCount > 0) {
    r.shareByCount = r.badCount * 100.0 / r.validCount;
    r.shareByMass = r.badMass * 100 / r.validMass;
  }
  t += kSeparatorLine;
  t += "    " + Cells(r.bandMass) + PadLeft(Fixed(r.badMass, 2), 9) + "|\r\n";
  t += "Staub:" + PadLeft(Fixed(dust, 2), 7) + "\r\n";
  t += "    " + Cells(r.bandMassWithDust) + "         |\r\n";
  t += "\r\n";
  t += "    Masse Gesamtprobe      [kg]: " + PadLeft(Fixed(r.total, 2), 9) + "\r\n";
  t += "    Schlecht geformt in kg  [%]: " + PadLeft(Fixed(r.shareByMass, 2), 9) + " (" + Fixed(r.badMass, 2) + " / " +
       Fixed(r.validMass, 2) + " kg)\r\n";
  t += "    Schlecht geformt Anzahl [%]: " + PadLeft(Fixed(r.shareByCount, 2), 9) + " (" +
       std::to_string(r.badCount) + " / " + std::to_string(r.validCount) + ")\r\n";

  // The shape requirement of the class.
  r.lightMet = r.heavyMet = true;
  MassListRow& byMass = r.list[4];
  MassListRow& byCount = r.list[5];
  byMass = {TranslateString(61100, "Schlecht geformt in kg"), Fixed(r.badMass, 2) + " kg", Fixed(r.shareByMass, 2), "", ""};
  byCount = {TranslateString(61101, "Schlecht geformt Anzahl"), std::to_string(r.badCount), Fixed(r.shareByCount, 2), "",
             ""};
  if (massClass == kMassClassLight) {
    r.lightMet = r.shareByMass <= 20;
    byMass.required = "<= 20";
    byMass.word = Word(r.lightMet);
  } else if (massClass == kMassClassHeavy) {
    r.heavyMet = r.shareByCount <= 5;
    byCount.required = "<= 5";
    byCount.word = Word(r.heavyMet);
  }
  for (size_t k = 0; k < 4; ++k) {
    const std::string range = category.GetRange(static_cast<int>(k));
    // The cumulative mass as weighed: without the traces that give every stone a band.
    r.list[k] = {"0 - " + FormatGeneral(limit[k]), FormatGeneral(std::round(r.cumulative[k] * 100) / 100) + " kg",
                 Fixed(r.passing[k], 1),
                 range, r.categoryKnown ? Word(r.rangeMet[k]) : ""};
  }

  // What is stored besides the inputs.
  for (size_t k = 0; k < 5; ++k) {
    d.bandMasses[k] = Fixed(r.bandMass[k], 2);
    d.bandMassesWithDust[k] = Fixed(r.bandMassWithDust[k], 2);
  }
  d.total = Fixed(r.total, 2);
  auto& table = d.table;
  for (size_t k = 0; k < 4; ++k) {
    table[kWBSLimits][k] = Fixed(limit[k], 2);
    table[kWBSCumulative][k] = Fixed(r.cumulative[k], 2);
    table[kWBSPassing][k] = Fixed(r.passing[k], 1);
    // Without a category no range is required: "." as for a row without requirement.
    table[kWBSRanges][k] = r.categoryKnown ? category.GetRange(static_cast<int>(k)) : ".";
    table[kWBSWords][k] = r.categoryKnown ? (r.rangeMet[k] ? "ja" : "nein") : ".";
  }
  table[kWBSLimits][4] = "Schlecht_geformt_in_kg";
  table[kWBSLimits][5] = "Schlecht_geformt_Anzahl";
  table[kWBSCumulative][4] = Fixed(r.badMass, 2) + "_kg";
  table[kWBSCumulative][5] = std::to_string(r.badCount);
  table[kWBSPassing][4] = Fixed(r.shareByMass, 2);
  table[kWBSPassing][5] = Fixed(r.shareByCount, 2);
  table[kWBSRanges][4] = massClass == kMassClassLight ? "<=20" : ".";
  table[kWBSRanges][5] = massClass == kMassClassHeavy ? "<=5" : ".";
  table[kWBSWords][4] = massClass == kMassClassLight ? (r.lightMet ? "ja" : "nein") : ".";
  table[kWBSWords][5] = massClass == kMassClassHeavy ? (r.heavyMet ? "ja" : "nein") : ".";

  const bool allMet = r.rangeMet[0] && r.rangeMet[1] && r.rangeMet[2] && r.rangeMet[3];
  r.status = !r.computed ? "0" : allMet ? "8" : "9";
  return r;
}
