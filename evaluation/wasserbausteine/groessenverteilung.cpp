#include "evaluation/wasserbausteine/groessenverteilung.h"

#include <cmath>

#include "evaluation/wasserbausteine/wbsklassen.h"
#include "records/strutil.h"

namespace {

// The text normalised to the decimals and the value it shows; an empty text
// stays empty and counts 0. The value is that of the text as shown, so that
// a stored result is what its stored inputs give.
double Normalise(std::string& text, int decimals) {
  NormalizeNumberText(text, decimals);
  return text.empty() ? 0.0 : PlainAtof(text);
}

bool IsSieveRow(int row) { return row >= kWBSRow360 && row <= kWBSRow22; }

// A sieve size as the requirement list names it: "45", "22.4".
std::string WBSSieveText(double size) {
  std::string text = FormatDouble(size, 1);
  while (!text.empty() && text.back() == '0') text.pop_back();
  if (!text.empty() && text.back() == '.') text.pop_back();
  return text;
}

// The share ri, its running sum Ri and the passing value Pi of every row
// that has a residue; the shown shares then add up to 100.0, what rounding
// left over going to the row with the largest share.
void ComputeShares(const std::array<double, kWBSSizeRows>& mass, double total, SizeDistributionResult& r) {
  WBSSizeData& d = r.data;
  d.total = FormatDouble(total, 1);
  double sum = 0;
  double largestShare = -1;
  int largest = -1;
  for (int row = 0; row < kWBSSizeRows; ++row) {
    const auto i = static_cast<size_t>(row);
    if (d.residues[i].empty()) continue;
    const double share = mass[i] * 100 / total;
    d.shares[i] = FormatDouble(share, 1);
    sum += share;
    r.sums[i] = FormatDouble(sum, 1);
    d.passing[i] = FormatDouble(std::fabs(100 - sum), 0);
    if (share > largestShare) largestShare = share, largest = row;
  }
  if (largest < 0) return;
  auto tenths = [&d](int row) {
    const std::string& shown = d.shares[static_cast<size_t>(row)];
    return shown.empty() ? 0 : static_cast<int>((PlainAtof(shown) + 0.00001) * 10);
  };
  int sumTenths = 0;
  for (int row = 0; row < kWBSSizeRows; ++row) sumTenths += tenths(row);
  d.shares[static_cast<size_t>(largest)] = FormatDouble((1000 + tenths(largest) - sumTenths) / 10.0, 1);
}

// The requirement list: every sieve of the category with its passing value,
// judged where it has one; the status "0" while a sieve has none.
void JudgeRequirements(const CWBSGroessenklasse& category, SizeDistributionResult& r) {
  WBSSizeData& d = r.data;
  bool complete = category.IsLoaded() && r.computed;
  bool allMet = true;
  for (int i = 0; i < category.GetSizeCount(); ++i) {
    WBSSieveRequirement req;
    req.sieve = WBSSieveText(category.GetSize(i));
    for (int row = kWBSRow360; row <= kWBSRow22; ++row)
      if (req.sieve == WBSSieveLabel(row)) req.passing = d.passing[static_cast<size_t>(row)];
    req.range = category.GetRange(i);
    if (req.passing.empty()) {
      complete = false;
    } else {
      const bool met = IsInRange(req.passing, req.range);
      req.word = WBSStoredWord(met);
      allMet = allMet && met;
    }
    d.requirements.push_back(req);
  }
  r.status = !complete ? "0" : allMet ? "8" : "9";
}

// The sieves above the category's upper size take no residue; the oversize
// row lies above the largest sieve with one, the pan under the smallest
// (360 mm does not count for the pan).
void LabelEdgeRows(const CWBSGroessenklasse& category, SizeDistributionResult& r) {
  WBSSizeData& d = r.data;
  for (int row = kWBSRow22; row >= 2; --row)
    if (!d.residues[static_cast<size_t>(row)].empty()) {
      d.labels[kWBSRowPan] = std::string("< ") + WBSSieveLabel(row);
      break;
    }
  for (int row = 0; row < kWBSSizeRows; ++row)
    r.enabled[static_cast<size_t>(row)] = !IsSieveRow(row) || WBSSieveSize(row) <= category.GetUpperSize() + 1e-9;
  for (int row = kWBSRow360; row <= kWBSRow22; ++row)
    if (r.enabled[static_cast<size_t>(row)] && !d.residues[static_cast<size_t>(row)].empty()) {
      d.labels[kWBSRowOversize] = std::string("> ") + WBSSieveLabel(row);
      break;
    }
}

}  // namespace

SizeDistributionResult ComputeSizeDistribution(const SizeDistributionInput& input) {
  SizeDistributionResult r;
  WBSSizeData& d = r.data;
  CWBSGroessenklasse category;
  category.Load(input.category);
  d.category = input.category;

  double total = 0;
  std::array<double, kWBSSizeRows> mass{};
  for (int row = 0; row < kWBSSizeRows; ++row) {
    const auto i = static_cast<size_t>(row);
    d.residues[i] = input.residues[i];
    if (CheckNumberInput(r.faults, WBSResidueInput(row), d.residues[i], 1)) {
      mass[i] = d.residues[i].empty() ? 0.0 : PlainAtof(d.residues[i]);
      total += mass[i];
    }
    d.ranges[i] = IsSieveRow(row) ? category.FindRange(WBSSieveSize(row)) : "";
    d.labels[i] = WBSSieveLabel(row);
  }
  r.computed = r.faults.empty() && total > 1.0;
  if (r.computed) ComputeShares(mass, total, r);
  JudgeRequirements(category, r);
  LabelEdgeRows(category, r);
  return r;
}

SizeDistributionResult StoreSizeDistribution(const SizeDistributionInput& input) {
  SizeDistributionInput stored = input;
  CWBSGroessenklasse category;
  if (category.Load(input.category))
    for (int row = kWBSRow360; row <= kWBSRow22; ++row)
      if (WBSSieveSize(row) > category.GetUpperSize() + 1e-9) stored.residues[static_cast<size_t>(row)].clear();
  return ComputeSizeDistribution(stored);
}

// ------------------------------------------------------------ the stone shape

const std::array<const char*, 3>& WBSShapeCategoryNames() {
  static const std::array<const char*, 3> names = {"LT A", "LT NR", "LT angegeben"};
  return names;
}

StoneShape EvaluateStone(const std::string& length, const std::string& thickness, InputFaults* faults, int stone) {
  StoneShape s;
  s.length = length;
  s.thickness = thickness;
  InputFaults found;
  CheckNumberInput(found, WBSLengthInput(stone), s.length, 1);
  CheckNumberInput(found, WBSThicknessInput(stone), s.thickness, 1);
  const bool numbers = found.empty();
  const double l = numbers && !s.length.empty() ? PlainAtof(s.length) : 0.0;
  const double t = numbers && !s.thickness.empty() ? PlainAtof(s.thickness) : 0.0;
  // The thickness is the smallest dimension of a stone, the length its largest.
  if (l > 0 && t > l)
    AddInputFault(found, WBSThicknessInput(stone), 62500, "Die Dicke des Steins liegt über seiner Länge.");
  if (faults) faults->insert(faults->end(), found.begin(), found.end());
  if (found.empty() && l > 0 && t > 0) {
    s.valid = true;
    s.bad = l / t > 3;
    s.ratio = FormatDouble(l / t, 1);
    s.word = WBSStoredWord(s.bad);
  }
  return s;
}

StoneShapeResult ComputeStoneShape(const StoneShapeInput& input) {
  StoneShapeResult r;
  switch (input.categoryIndex) {
    case kShapeLTA:
      r.limit = "20";
      r.limitEditable = false;
      break;
    case kShapeLTNR:
      r.limitEditable = false;
      break;
    default:
      r.limit = input.limit;
      if (CheckNumberInput(r.faults, kWBSLimitInput, r.limit, 0) && !r.limit.empty() && PlainAtof(r.limit) > 100)
        r.limit = "100";
      break;
  }
  for (int i = 0; i < kWBSStones; ++i) {
    const auto k = static_cast<size_t>(i);
    const StoneShape s = EvaluateStone(input.lengths[k], input.thicknesses[k], &r.faults, i);
    r.lengths[k] = s.length;
    r.thicknesses[k] = s.thickness;
    r.ratios[k] = s.ratio;
    r.words[k] = s.word;
    r.valid += s.valid;
    r.bad += s.bad;
  }
  if (!r.faults.empty()) return r;
  r.required = r.limit;
  const double limit = Normalise(r.required, 0);
  // Without a valid stone there is no share to judge.
  if (r.valid > 0) {
    r.share = FormatDouble(r.bad * 100.0 / r.valid, 1);
    if (!r.required.empty()) {
      const bool met = limit >= PlainAtof(r.share);
      r.word = WBSStoredWord(met);
      r.met = met ? "1" : "0";
    }
  }
  return r;
}

WBSShapeData StoneShapeData(const StoneShapeResult& result, int categoryIndex, const std::string& categoryName) {
  WBSShapeData d;
  d.limit = result.limit;
  d.categoryIndex = categoryIndex;
  d.categoryName = categoryName;
  d.lengths = result.lengths;
  d.thicknesses = result.thicknesses;
  d.ratios = result.ratios;
  d.words = result.words;
  d.resultCategory = categoryName;
  d.validCount = std::to_string(result.valid);
  d.badCount = std::to_string(result.bad);
  d.badShare = result.share;
  d.required = result.required;
  d.met = result.met;
  return d;
}
