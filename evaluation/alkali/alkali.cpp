#include "evaluation/alkali/alkali.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "i18n/translation.h"
#include "records/strutil.h"

const std::array<const char*, kSizeClasses> kSizeClassNames = {"1/2", "2/4", "4/8", "8/16", "16/32", ">32"};
const std::array<const char*, kFractions> kFractionNames = {"Summe", "< 1",  "1/2",   "2/4",
                                                            "4/8",   "8/16", "16/32", ">32"};

const std::array<FlagCell, kFlagCellCount> kFlagCells = [] {
  std::array<FlagCell, kFlagCellCount> cells{};
  size_t i = 0;
  for (int c = 0; c < 2; ++c)
    for (int row : {0, 10, 11, 13, 14}) cells[i++] = {c, row};
  for (int c = 2; c < kSizeClasses; ++c)
    for (int row : {0, 1, 3, 5, 7, 8, 9, 10, 11, 13, 14}) cells[i++] = {c, row};
  return cells;
}();

namespace {

constexpr double kTiny = 0.00001;

// A number with the decimals; nothing for a value that overflowed.
std::string Fixed(double value, int decimals) { return std::isfinite(value) ? FormatDouble(value, decimals) : ""; }
std::string Percent(double value) { return Fixed(value, 1); }

double ValueOf(const std::string& text) { return AtofLocale(text); }

// Class row 0, 1 or 2 (E I, E II, E III) and what it adds to a counter.
constexpr std::array<unsigned, 3> kCounterSteps = {1, 10, 100};

unsigned IndexOfCounter(unsigned counter) { return counter >= 100 ? 1 : counter >= 10 ? 2 : counter >= 1 ? 3 : 0; }

}  // namespace

int FlagCellIndex(int sizeClass, int row) {
  for (size_t i = 0; i < kFlagCells.size(); ++i)
    if (kFlagCells[i].sizeClass == sizeClass && kFlagCells[i].row == row) return static_cast<int>(i);
  return -1;
}

std::string FormatMassValue(double value) { return Fixed(value, value < 99.995 ? 2 : 1); }

// ------------------------------------------------------------ fraction shares

FractionShares ComputeFractionShares(const FractionTexts& masses) {
  FractionShares r;
  double total = 0.0;
  // The masses of the sieving, read as they are.
  for (int f = 1; f < kFractions; ++f) {
    std::string& mass = r.masses[static_cast<size_t>(f)];
    mass = masses[static_cast<size_t>(f)];
    NormalizeNumber(mass, 1, kStoredNumber);
    if (!mass.empty()) total += ParseNumber(mass);
  }
  r.masses[0] = Fixed(total, 1);
  // Without a positive total there is nothing to share (and no 0 / 0).
  const double shownTotal = ParseNumber(r.masses[0]);
  if (r.masses[0].empty() || shownTotal <= kTiny) return r;

  double sum = 0.0, largest = 0.0;
  int largestFraction = -1;
  for (int f = 0; f < kFractions; ++f) {
    const std::string& mass = r.masses[static_cast<size_t>(f)];
    if (mass.empty()) continue;
    const double share = ParseNumber(mass) * (100.0 / shownTotal);
    r.shares[static_cast<size_t>(f)] = Percent(share);
    if (f == 0) continue;
    sum += ParseNumber(r.shares[static_cast<size_t>(f)]);
    if (largestFraction < 0 || share > largest) {
      largest = share;
      largestFraction = f;
    }
  }
  // The largest share takes up the rounding.
  if (largestFraction > 0) {
    std::string& share = r.shares[static_cast<size_t>(largestFraction)];
    share = Percent(ParseNumber(share) - (sum - 100.0));
  }
  return r;
}

// ------------------------------------------------------------ classification

int ClassRowByOpaline(double o) { return o <= 0.500001 ? 0 : o <= 2.000001 ? 1 : 2; }

int ClassRowByOpalineAndFlint(double o, double f) {
  const double s = 5.0 * o + f;
  if (o <= 0.500001 && f <= 3.00001 && s <= 4.00001) return 0;
  // 2.00001 here, one digit shorter than the limit on O alone.
  if (o <= 2.00001 && f <= 10.00001 && s <= 15.00001) return 1;
  return 2;
}

std::string AlkaliClassText(unsigned index, bool withFlint) {
  static constexpr std::array<const char*, 4> kTexts = {"", "E III", "E II", "E I"};
  if (index == 0 || index > 3) return "";
  return std::string(kTexts[index]) + (withFlint ? "-OF" : "-O");
}

int RequiredAlkaliClass(const std::string& sideTestEntry, int part) {
  const int value = PlainAtoi(StrGetField(sideTestEntry, '|', part));
  return value < 0 || value > 3 ? 3 : value;
}

namespace {

using TypedCells = std::array<std::array<TypedNumber, kAlkaliRows>, kSizeClasses>;

// One step of a mass as FormatMassValue shows it.
double MassStep(double value) { return PrecisionStep(value < 99.995 ? 2 : 1); }

// Every input as a number: 2 decimals below 99.995, else 1. A shown cell
// refuses what no one can have weighed; a hidden one cannot be corrected and
// is read as it is.
TypedCells ReadAlkaliInputs(AlkaliClasses& r) {
  TypedCells typed;
  for (int c = 0; c < kSizeClasses; ++c) {
    for (int row : kAlkaliInputRows) {
      std::string& text = r.cells[static_cast<size_t>(c)][static_cast<size_t>(row)];
      const NumberRule& rule = IsShownCell(c, row) ? kMeasuredNumber : kStoredNumber;
      const TypedNumber read = ReadNumberInput(text, rule);
      typed[static_cast<size_t>(c)][static_cast<size_t>(row)] = read;
      if (!read.accepted())
        r.faults.push_back({InputId(c, row), NumberRefusalReason(text, rule)});
      else
        text = read.empty ? "" : FormatMassValue(read.value);
    }
  }
  return typed;
}

// What physics forbids within a size class: the flint weighs less under water
// than wet in air (its volume is the difference, with no tolerance), and the
// NaOH test leaves at most what it was given, weighed apart from it. The cells
// of a refused relation stay as typed.
void CheckAlkaliRelations(AlkaliClasses& r, const TypedCells& typed, const AlkaliCells& typedTexts) {
  for (int c = 0; c < kSizeClasses; ++c) {
    const auto& k = typed[static_cast<size_t>(c)];
    auto keepTyped = [&](int row) {
      r.cells[static_cast<size_t>(c)][static_cast<size_t>(row)] = typedTexts[static_cast<size_t>(c)][static_cast<size_t>(row)];
    };
    if (!IsFineSizeClass(c) && k[kFlintWetInAir].measured() && k[kFlintUnderWater].measured() &&
        k[kFlintUnderWater].value > k[kFlintWetInAir].value) {
      AddInputFault(r.faults, InputId(c, kFlintUnderWater), 62040,
                    "Der Flint wiegt unter Wasser mehr als nass an Luft: er hätte ein negatives Volumen.");
      keepTyped(kFlintWetInAir);
      keepTyped(kFlintUnderWater);
    }
    const int sampleRow = k[kNaohSample].measured() ? kNaohSample : kOpaline;
    const TypedNumber& sample = k[static_cast<size_t>(sampleRow)];
    const TypedNumber& residue = k[kNaohResidue];
    if (!sample.measured() || !residue.measured()) continue;
    const double step = std::max(MassStep(sample.value), MassStep(residue.value));
    if (!PartAboveWhole(residue.value, sample.value, step)) continue;
    std::string reason = TranslateString(67014, "Die Masse nach dem NaOH-Test liegt mehr als %s g über ihrer Einwaage.");
    StrReplace(reason, "%s", FormatDouble(step, step < 0.1 ? 2 : 1), false);
    r.faults.push_back({InputId(c, kNaohResidue), reason});
    keepTyped(sampleRow);
    keepTyped(kNaohResidue);
  }
}

// The computed rows of a size class and the orange flags of its missing inputs.
void ComputeSizeClassRows(AlkaliClasses& r, int c) {
  auto& k = r.cells[static_cast<size_t>(c)];
  auto has = [&k](int row) { return !k[static_cast<size_t>(row)].empty(); };
  auto v = [&k](int row) { return ValueOf(k[static_cast<size_t>(row)]); };
  auto flag = [&r, c](int row, bool present) {
    const int i = FlagCellIndex(c, row);
    if (i >= 0) r.missing[static_cast<size_t>(i)] = !present;
  };
  if (k[kFlintDry].empty()) k[kFlintDry] = k[kFlint];
  if (k[kNaohSample].empty()) k[kNaohSample] = k[kOpaline];

  if (has(kUnreactive) && has(kFlint) && has(kOpaline))
    k[kSampleMass] = FormatMassValue(v(kUnreactive) + v(kFlint) + v(kOpaline));
  const bool sample = has(kSampleMass) && v(kSampleMass) > kTiny;
  for (int row : {kUnreactive, kFlint, kOpaline}) {
    if (sample && has(row)) k[static_cast<size_t>(row + 1)] = Percent(v(row) * 100.0 / v(kSampleMass));
    // A filled input is never flagged as missing.
    flag(row, sample || has(row));
  }

  if (has(kFlintWetInAir) && has(kFlintUnderWater)) {
    const bool fine = v(kFlintWetInAir) < 99.995 || v(kFlintUnderWater) < 99.995;
    k[kFlintVolume] = Fixed(v(kFlintWetInAir) - v(kFlintUnderWater), fine ? 2 : 1);
  }
  const bool volume = has(kFlintVolume) && v(kFlintVolume) > kTiny;
  if (volume && has(kFlintDry)) k[kFlintDensity] = Fixed(v(kFlintDry) / v(kFlintVolume) * 1000.0, 0);
  for (int row : {kFlintWetInAir, kFlintUnderWater}) flag(row, volume || has(row));

  if (v(kFlintDensity) > kTiny) {
    bool usable = true;
    if (has(kFlintShare)) {
      const double x = v(kFlintShare) * (8670.0 / v(kFlintDensity) - 3.33);
      usable = x >= 0.0;
      if (usable) k[kReactiveFlint] = Percent(x);
    }
    flag(kFlintDry, usable);
  } else {
    for (int row : {kFlintDry, kFlintWetInAir, kFlintUnderWater}) flag(row, false);
  }

  flag(kNaohSample, has(kNaohSample));
  flag(kNaohResidue, has(kNaohResidue));
  if (has(kNaohSample) && has(kNaohResidue)) k[kOpalineNaoh] = FormatMassValue(v(kNaohSample) - v(kNaohResidue));
  if (!IsFineSizeClass(c)) {
    if (sample && has(kOpalineNaoh)) k[kOpalineNaohShare] = Percent(v(kOpalineNaoh) * 100.0 / v(kSampleMass));
  } else if (has(kNaohSample) && v(kNaohSample) > kTiny) {
    flag(kNaohSample, true);
    if (has(kOpalineNaoh)) k[kOpalineNaohShare] = Percent(v(kOpalineNaoh) * 100.0 / v(kNaohSample));
  } else {
    flag(kNaohSample, false);
  }
  if (sample && has(kSoftened)) k[kSoftenedShare] = Percent(v(kSoftened) * 100.0 / v(kSampleMass));
  k[kReactiveFlintCopy] = k[kReactiveFlint];
  if (has(kOpalineNaohShare) && has(kReactiveFlintCopy))
    k[kFiveOPlusF] = Percent(5.0 * v(kOpalineNaohShare) + v(kReactiveFlintCopy));
}

// The marks of each size class and the overall classes; the worst size class decides.
void ClassifyAlkali(AlkaliClasses& r, const std::string& shareBelow1, int requiredO, int requiredOF) {
  unsigned counterO = 0, counterOF = 0;
  for (int c = 0; c < kSizeClasses; ++c) {
    const auto& k = r.cells[static_cast<size_t>(c)];
    auto& marks = r.marks[static_cast<size_t>(c)];
    const double o = k[kOpalineNaohShare].empty() ? -1.0 : ValueOf(k[kOpalineNaohShare]);
    const double f = k[kReactiveFlintCopy].empty() ? -1.0 : ValueOf(k[kReactiveFlintCopy]);
    const bool hasO = o > -0.0001, hasF = f > -0.0001;
    if (!hasO) continue;
    const auto byO = static_cast<size_t>(ClassRowByOpaline(o));
    marks[byO] = "X";
    counterO += kCounterSteps[byO];
    if (IsFineSizeClass(c)) {
      // The fine classes have no flint test: O alone decides -OF as well.
      marks[3 + byO] = "X";
      counterOF += kCounterSteps[byO];
    } else if (hasF) {
      const auto byOF = static_cast<size_t>(ClassRowByOpalineAndFlint(o, f));
      marks[3 + byOF] = "X";
      counterOF += kCounterSteps[byOF];
    }
  }
  // A sand of almost only the fraction below 1 mm counts as E I.
  if (counterO == 0 && counterOF == 0 && ValueOf(shareBelow1) > 90.00001) {
    r.marks[0][0] = r.marks[0][3] = "X";
    counterO = counterOF = 1;
  }
  r.indexO = IndexOfCounter(counterO);
  r.indexOF = IndexOfCounter(counterOF);
  r.classO = AlkaliClassText(r.indexO, false);
  r.classOF = AlkaliClassText(r.indexOF, true);
  r.requirementStated = requiredO != 0 || requiredOF != 0;
  r.requirementMet = static_cast<int>(r.indexO) >= requiredO && static_cast<int>(r.indexOF) >= requiredOF;
}

}  // namespace

AlkaliClasses ComputeAlkaliClasses(const AlkaliCells& cells, const std::string& shareBelow1, int requiredO,
                                   int requiredOF) {
  AlkaliClasses r;
  r.cells = cells;
  const TypedCells typed = ReadAlkaliInputs(r);
  CheckAlkaliRelations(r, typed, cells);
  for (auto& k : r.cells)
    for (int row = 0; row < kAlkaliRows; ++row)
      if (!IsAlkaliInputRow(row)) k[static_cast<size_t>(row)].clear();
  // Nothing is computed or classified from what cannot have been weighed.
  if (!r.faults.empty()) return r;
  for (int c = 0; c < kSizeClasses; ++c) ComputeSizeClassRows(r, c);
  ClassifyAlkali(r, shareBelow1, requiredO, requiredOF);
  return r;
}

// ------------------------------------------------------------ the whole test

AlkaliResult ComputeAlkali(const AlkaliInput& in) {
  AlkaliResult r;
  r.fractions = ComputeFractionShares(in.masses);
  r.classes = ComputeAlkaliClasses(in.cells, r.fractions.shares[1], in.requiredO, in.requiredOF);
  r.grainGroup1 = in.grainGroup1;
  r.grainGroup2 = in.grainGroup2;
  if (!r.classes.faults.empty() || TrimWhite(r.grainGroup1).empty() || TrimWhite(r.grainGroup2).empty() || r.classes.classO.empty() ||
      r.classes.classOF.empty())
    r.status = std::string(1, TestStatus::Incomplete);
  else if (r.classes.requirementStated)
    r.status = std::string(1, r.classes.requirementMet ? TestStatus::Met : TestStatus::NotMet);
  else
    r.status = std::string(1, TestStatus::DoneNoRequirement);
  return r;
}

std::string AlkaliCellKey(int sizeClass, int row) {
  char key[16];
  std::snprintf(key, sizeof key, "M%d%02d", sizeClass, row);
  return key;
}

std::string AlkaliMarkKey(int sizeClass, int classRow) {
  char key[16];
  std::snprintf(key, sizeof key, "B%d%d", sizeClass, classRow);
  return key;
}

std::string AlkaliResult::DataString() const {
  std::string out;
  auto add = [&out](const std::string& key, const std::string& value) {
    if (!value.empty()) out += key + ":" + value + "|";
  };
  for (int f = 0; f < kFractions; ++f) add("A" + std::to_string(f), fractions.masses[static_cast<size_t>(f)]);
  for (int f = 0; f < kFractions; ++f) add("AP" + std::to_string(f), fractions.shares[static_cast<size_t>(f)]);
  for (int c = 0; c < kSizeClasses; ++c)
    for (int row = 0; row < kAlkaliRows; ++row)
      if (!HasInputFault(classes.faults, InputId(c, row)))  // a refused text never reaches the record
        add(AlkaliCellKey(c, row), classes.cells[static_cast<size_t>(c)][static_cast<size_t>(row)]);
  for (int c = 0; c < kSizeClasses; ++c)
    for (int k = 0; k < kClassRows; ++k)
      add(AlkaliMarkKey(c, k), classes.marks[static_cast<size_t>(c)][static_cast<size_t>(k)]);
  add("E_O", classes.classO);
  add("E_OF", classes.classOF);
  add("KG1", grainGroup1);
  add("KG2", grainGroup2);
  return out;
}

std::map<std::string, std::string> ParseAlkaliData(const std::string& data) {
  std::map<std::string, std::string> values;
  for (int i = 0;; ++i) {
    const std::string entry = StrGetField(data, '|', i);
    if (entry.empty()) break;
    values[StrGetField(entry, ':', 0)] = StrGetField(entry, ':', 1);
  }
  return values;
}

AlkaliInput AlkaliInputFromRecord(const std::string& data, const std::string& fractionMasses,
                                  const std::string& sideTestEntry) {
  AlkaliInput in;
  const std::map<std::string, std::string> values = ParseAlkaliData(data);
  auto value = [&values](const std::string& key) {
    const auto it = values.find(key);
    return it == values.end() ? std::string() : it->second;
  };
  // The masses of the current sieving, not the stored ones.
  for (int f = 1; f < kFractions; ++f) in.masses[static_cast<size_t>(f)] = StrGetField(fractionMasses, ';', f - 1);
  for (int c = 0; c < kSizeClasses; ++c)
    for (int row = 0; row < kAlkaliRows; ++row)
      in.cells[static_cast<size_t>(c)][static_cast<size_t>(row)] = value(AlkaliCellKey(c, row));
  in.grainGroup1 = value("KG1");
  in.grainGroup2 = value("KG2");
  in.requiredO = RequiredAlkaliClass(sideTestEntry, 1);
  in.requiredOF = RequiredAlkaliClass(sideTestEntry, 2);
  return in;
}

TestEntryResult AlkaliEntryResult(const AlkaliResult& result) {
  TestEntryResult out;
  out.status = result.status;
  out.resultText = result.DataString();
  return out;
}

// ------------------------------------------------------------ clipboard

std::string FlagCellsText(const AlkaliCells& cells) {
  std::string out;
  for (const FlagCell& cell : kFlagCells)
    out += cells[static_cast<size_t>(cell.sizeClass)][static_cast<size_t>(cell.row)] + "\t";
  return out;
}

bool IsCellBlock(const std::string& clipboard) { return clipboard.find('\t') != std::string::npos; }

void PasteFlagCells(AlkaliCells& cells, const std::string& clipboard) {
  std::string text = clipboard;
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  for (size_t i = 0; i < kFlagCells.size(); ++i) {
    const FlagCell& cell = kFlagCells[i];
    cells[static_cast<size_t>(cell.sizeClass)][static_cast<size_t>(cell.row)] =
        StrGetField(text, '\t', static_cast<int>(i));
  }
}
