#include "evaluation/kornform/kornformkennzahl.h"

#include <algorithm>
#include <cmath>

#include "i18n/translation.h"
#include "records/matdef.h"
#include "records/strutil.h"

namespace {

constexpr int kDecimals = 1;
// Below this a sum of masses cannot be divided by.
constexpr double kSmallestSum = 0.01;

std::string Formatted(double value) { return std::isfinite(value) ? FormatDouble(value, kDecimals) : ""; }

// The sum of the non-empty texts with one decimal; "" when all are empty.
std::string TotalOf(const ShapeIndexTexts& texts) {
  double total = 0.0;
  bool any = false;
  for (const std::string& text : texts) {
    if (text.empty()) continue;
    total += AtofLocale(text);
    any = true;
  }
  return any ? Formatted(total) : "";
}

std::string JoinTrimmed(const ShapeIndexTexts& texts, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += texts[static_cast<size_t>(i)] + "_";
  while (!out.empty() && out.back() == '_') out.pop_back();
  return out;
}

// The code of a report row from a flag: met gives "2", not met "1".
std::string CodeOfFlag(int flag) {
  if (flag == 1) return "2";
  if (flag == 0) return "1";
  return "";
}

std::string StatusOfFlag(int flag, bool hasValue) {
  if (flag == 0) return std::string(1, TestStatus::NotMet);
  if (flag == 1) return std::string(1, TestStatus::Met);
  return std::string(1, hasValue ? TestStatus::DoneNoRequirement : TestStatus::Incomplete);
}

}  // namespace

ShapeIndexEntry ShapeIndexEntryOf(const CVersuch& record) {
  ShapeIndexEntry entry;
  const std::string item = FindSideTestEntry(record.GetField(25), "VA_KORNF");
  if (item.empty()) return entry;
  entry.present = true;
  entry.limit = TrimWhite(StrGetField(item, '|', 1));
  // Definitions that give the limit as an upper-limit code ("20_LE") mean the number.
  if (entry.limit.size() > 3 && entry.limit.compare(entry.limit.size() - 3, 3, "_LE") == 0)
    entry.limit = TrimWhite(entry.limit.substr(0, entry.limit.size() - 3));
  entry.form = StrGetField(item, '|', 2);
  const std::string fractions = StrGetField(item, '|', 3);
  for (int i = 0; i < kShapeIndexRows; ++i) {
    const std::string fraction = StrGetField(fractions, '_', i);
    if (fraction.empty() && i >= StrCountFields(fractions, '_')) break;
    entry.fractions.push_back(fraction);
  }
  return entry;
}

std::vector<SieveResidue> ShapeIndexResidueTable(const CVersuch& record) {
  const std::string sizes = record.GetValue(3, 2);
  const std::string residues = record.GetValue(3, 8);
  std::vector<SieveResidue> table;
  if (sizes.empty()) return table;
  const int count = std::min(StrCountFields(sizes, ';'), kResidueTableSize);
  for (int i = 0; i < count; ++i) {
    SieveResidue entry;
    entry.sizeText = StrGetField(sizes, ';', i);
    entry.size = AtofLocale(entry.sizeText);
    entry.residueText = StrGetField(residues, ';', i);
    entry.residue = AtofLocale(entry.residueText);
    table.push_back(entry);
  }
  return table;
}

std::string FractionResidue(const std::vector<SieveResidue>& table, const std::string& fraction) {
  if (fraction.empty()) return "";
  const double lower = AtofLocale(StrGetField(fraction, '-', 0));
  const double upper = AtofLocale(StrGetField(fraction, '-', 1));
  double sum = 0.0;
  for (const SieveResidue& entry : table)
    if (entry.size >= lower && entry.size < upper) sum += entry.residue;
  return sum > 0.0 ? Formatted(sum) : "";
}

BadGoodShares ComputeBadGoodShares(const std::string& bad, const std::string& good) {
  BadGoodShares s;
  s.bad = bad;
  s.good = good;
  CheckNumberInput(s.faults, kBadMassInput, s.bad, kDecimals);
  CheckNumberInput(s.faults, kGoodMassInput, s.good, kDecimals);
  if (!s.faults.empty() || s.bad.empty() || s.good.empty()) return s;
  s.sum = Formatted(AtofLocale(s.bad) + AtofLocale(s.good));
  const double sum = AtofLocale(s.sum);
  if (s.sum.empty() || !(sum > kSmallestSum)) return s;
  s.shareBad = Formatted(AtofLocale(s.bad) * 100.0 / sum);
  if (!s.shareBad.empty()) s.shareGood = Formatted(100.0 - AtofLocale(s.shareBad));
  return s;
}

int LimitFlag(const std::string& value, const std::string& limit) {
  const std::string trimmed = TrimWhite(limit);
  if (value.empty() || trimmed.empty() || trimmed == "--") return -1;
  return AtofLocale(value) <= AtofLocale(trimmed) ? 1 : 0;
}

// ---------------------------------------------------------------- standard form

std::string ShapeIndexRequirementText(const std::string& limit) { return limit.empty() ? "--" : "<= " + limit; }

int ShapeIndexResult::ListedRows() const {
  int n = 0;
  while (n < kShapeIndexRows && !inputs.fraction[static_cast<size_t>(n)].empty()) ++n;
  return n;
}

ShapeIndexResult ComputeShapeIndex(const ShapeIndexInput& input) {
  ShapeIndexResult r;
  r.inputs = input;
  r.inputs.limit = TrimWhite(input.limit);
  r.totalResidue = TotalOf(input.residue);
  const double totalResidue = AtofLocale(r.totalResidue);

  for (size_t i = 0; i < kShapeIndexRows; ++i) {
    r.inputs.minMass[i] = input.minMass[i];
    const BadGoodShares shares = ComputeBadGoodShares(input.bad[i], input.good[i]);
    r.inputs.bad[i] = shares.bad;
    r.inputs.good[i] = shares.good;
    for (const InputFault& fault : shares.faults)
      r.faults.push_back({InputId(fault.input, static_cast<int>(i)), fault.reason});
    r.sum[i] = shares.sum;
    r.sii[i] = shares.shareBad;
    // A fraction without SIi has no weight: it would only dilute SI.
    if (!r.sii[i].empty() && totalResidue > 0.0) {
      r.vi[i] = Formatted(AtofLocale(input.residue[i]) / totalResidue * 100.0);
      r.siivi[i] = Formatted(AtofLocale(r.vi[i]) * AtofLocale(r.sii[i]) / 100.0);
    }
    r.flags[i] = LimitFlag(r.sii[i], r.inputs.limit);
  }
  if (!r.faults.empty()) {
    ShapeIndexResult refused;
    refused.inputs = r.inputs;
    refused.totalResidue = r.totalResidue;
    refused.faults = r.faults;
    refused.flags.fill(-1);
    refused.status = std::string(1, TestStatus::Incomplete);
    return refused;
  }
  r.totalSum = TotalOf(r.sum);
  r.totalVi = TotalOf(r.vi);
  r.totalSiivi = TotalOf(r.siivi);

  const double totalVi = AtofLocale(r.totalVi);
  if (!r.totalSiivi.empty() && totalVi > 0.0) r.si = Formatted(AtofLocale(r.totalSiivi) / totalVi * 100.0);
  r.overallFlag = LimitFlag(r.si, r.inputs.limit);

  bool anySii = false;
  for (int i = 0; i < r.ListedRows(); ++i) anySii = anySii || !r.sii[static_cast<size_t>(i)].empty();
  r.status = StatusOfFlag(r.overallFlag, anySii);
  return r;
}

std::string ShapeIndexResult::ResultText() const {
  const int n = ListedRows();
  ShapeIndexTexts flagTexts;
  std::string minMasses;
  for (int i = 0; i < n; ++i) {
    flagTexts[static_cast<size_t>(i)] = std::to_string(flags[static_cast<size_t>(i)]);
    minMasses += SanitizeListValue(inputs.minMass[static_cast<size_t>(i)]) + "@";
  }
  return "2||" + inputs.limit + "||" + JoinTrimmed(inputs.fraction, n) + "|" + JoinTrimmed(inputs.bad, n) + "|" +
         JoinTrimmed(inputs.good, n) + "|" + JoinTrimmed(sii, n) + "|" + JoinTrimmed(flagTexts, n) + "|" + minMasses +
         "||||" + si + "|" + std::to_string(overallFlag);
}

ShapeIndexInput ShapeIndexInputFor(const CVersuch& record, const ShapeIndexEntry& entry) {
  ShapeIndexInput in;
  in.limit = entry.limit;
  const std::vector<SieveResidue> table = ShapeIndexResidueTable(record);
  const std::string bad = record.GetValue(12, 5);
  const std::string good = record.GetValue(12, 6);
  const std::string minMasses = record.GetValue(12, 9);
  for (size_t i = 0; i < kShapeIndexRows; ++i) {
    const int row = static_cast<int>(i);
    if (i < entry.fractions.size()) in.fraction[i] = entry.fractions[i];
    in.residue[i] = FractionResidue(table, in.fraction[i]);
    in.bad[i] = StrGetField(bad, '_', row);
    in.good[i] = StrGetField(good, '_', row);
    in.minMass[i] = StrGetFieldS(minMasses, "@", row);
  }
  return in;
}

std::string SanitizeListValue(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (c == '|' || c == '@' || c == '_' || c == '~' || c == '$') c = '#';
  return out;
}

TestEntryResult ShapeIndexEntryResult(const ShapeIndexResult& result) {
  TestEntryResult out;
  out.status = result.status;
  out.resultText = result.ResultText();
  const std::string label = TranslateString(5205, "Kornform für [mm]") + ":";
  const int n = result.ListedRows();
  for (int i = 0; i < kShapeIndexRows; ++i) {
    const auto row = static_cast<size_t>(i);
    const std::string code = i < n ? CodeOfFlag(result.flags[row]) : "";
    out.parts.push_back({4, 9 + i,
                         code.empty() ? ""
                                      : ReportRequirementRow(label, result.inputs.fraction[row], result.sii[row],
                                                             result.inputs.limit, code)});
  }
  const std::string code = CodeOfFlag(result.overallFlag);
  out.parts.push_back({4, 24,
                       code.empty() ? ""
                                    : ReportRequirementRow(TranslateString(5206, "Kornformkennzahl") + ":", "",
                                                           result.si, result.inputs.limit, code)});
  out.statisticsValue = result.si;
  return out;
}

// ---------------------------------------------------------------- simple form

SimpleShapeIndexResult ComputeSimpleShapeIndex(const std::string& bad, const std::string& good,
                                               const std::string& limit) {
  SimpleShapeIndexResult r;
  r.shares = ComputeBadGoodShares(bad, good);
  r.limit = TrimWhite(limit).empty() ? "--" : TrimWhite(limit);
  r.requirement = r.limit == "--" ? "--" : "<=" + r.limit;
  r.flag = LimitFlag(r.shares.shareBad, r.limit);
  r.status = StatusOfFlag(r.flag, !r.shares.shareBad.empty());
  return r;
}

std::string SimpleShapeIndexResult::ResultText() const {
  return "1||" + limit + "|" + shares.bad + "|" + shares.good + "|" + shares.shareBad + "|" + std::to_string(flag);
}

TestEntryResult SimpleShapeIndexEntryResult(const SimpleShapeIndexResult& result) {
  TestEntryResult out;
  out.status = result.status;
  out.resultText = result.ResultText();
  // Only the standard form fills the fraction rows.
  for (int part = 9; part <= 23; ++part) out.parts.push_back({4, part, ""});
  std::string row;
  if (!ReportCodeForStatus(result.status).empty())
    row = ReportRequirementRow(TranslateString(5204, "Kornform:"), "", result.shares.shareBad, result.requirement,
                               CodeOfFlag(result.flag));
  out.parts.push_back({4, 24, row});
  out.statisticsValue = result.shares.shareBad;
  return out;
}
