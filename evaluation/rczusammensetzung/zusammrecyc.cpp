#include "evaluation/rczusammensetzung/zusammrecyc.h"

#include <cmath>

#include "i18n/translation.h"
#include "records/requirement.h"
#include "records/strutil.h"

namespace {

constexpr const char* kInverted = "\xC2\xBF";  // "¿", one byte in the record file

template <size_t N>
std::string JoinList(const std::array<std::string, N>& list) {
  std::string out;
  for (const std::string& entry : list) out += SafeRecordText(entry) + "@";
  return out;
}

}  // namespace

std::string SafeRecordText(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (c == '|' || c == '~' || c == '$') c = '#';
  return out;
}

ShareTable ComputeShares(const std::vector<std::string>& masses) {
  ShareTable t;
  t.shares.resize(masses.size());
  double total = 0.0;
  for (const std::string& mass : masses) {
    t.masses.push_back(mass);
    if (CheckNumberInput(t.faults, static_cast<int>(t.masses.size()) - 1, t.masses.back(), 1))
      total += ParseNumber(t.masses.back());
  }
  if (!t.faults.empty()) return t;
  if (!std::isfinite(total)) total = 0.0;
  t.total = total;
  if (total > 0.001) t.massSum = FormatDouble(total, 1);
  if (!t.HasMasses()) return t;

  double shareSum = 0.0;
  for (size_t i = 0; i < masses.size(); ++i) {
    if (t.masses[i].empty()) continue;
    const double share = ParseNumber(t.masses[i]) * (100.0 / total);
    t.shares[i] = FormatDouble(share, 1);
    shareSum += share;
  }
  t.shareSum = FormatDouble(shareSum, 1);

  // The shown shares add up to 100.0: the first largest takes the difference.
  double shownSum = 0.0, largest = 0.0;
  size_t largestRow = masses.size();
  for (size_t i = 0; i < masses.size(); ++i) {
    if (t.shares[i].empty()) continue;
    const double share = ParseNumber(t.shares[i]);
    shownSum += share;
    if (share > 0.0001 && share > largest) {
      largest = share;
      largestRow = i;
    }
  }
  if (largestRow < masses.size()) t.shares[largestRow] = FormatDouble(largest + 100.0 - shownSum, 1);
  return t;
}

// ------------------------------------------------------------ standard form

RecycInput RecycInputFromRecord(const std::string& entry, const std::string& field15) {
  RecycInput in;
  const std::string names = StrGetField(entry, '|', 1);
  const std::string codes = StrGetField(entry, '|', 2);
  const std::string masses = StrGetField(field15, '|', 4);
  for (int i = 0; i < kRecycRows; ++i) {
    in.names[static_cast<size_t>(i)] = StrGetFieldS(names, "@", i);
    in.codes[static_cast<size_t>(i)] = StrGetFieldS(codes, "@", i);
    in.masses[static_cast<size_t>(i)] = StrGetFieldS(masses, "@", i);
  }
  return in;
}

RecycResult ComputeZusammensetzung(const RecycInput& input) {
  RecycResult r;
  r.inputs = input;
  const ShareTable table =
      ComputeShares(std::vector<std::string>(input.masses.begin(), input.masses.begin() + kRecycConstituents));
  for (int i = 0; i < kRecycConstituents; ++i) {
    r.inputs.masses[static_cast<size_t>(i)] = table.masses[static_cast<size_t>(i)];
    r.shares[static_cast<size_t>(i)] = table.shares[static_cast<size_t>(i)];
  }
  r.massSum = table.massSum;
  r.shareSum = table.shareSum;
  r.faults = table.faults;
  CheckNumberInput(r.faults, kFloatingRow, r.inputs.masses[kFloatingRow], 1);
  if (!r.faults.empty()) {
    r.shares = {};
    r.massSum.clear();
    r.shareSum.clear();
    r.status = std::string(1, TestStatus::Incomplete);
    return r;
  }
  // Floating particles per kg of the sample: only with a mass to refer to.
  if (!r.inputs.masses[kFloatingRow].empty() && table.HasMasses()) {
    const double perKg = ParseNumber(r.inputs.masses[kFloatingRow]) * (1000.0 / table.total);
    if (std::isfinite(perKg)) r.shares[kFloatingRow] = FormatDouble(perKg, 1);
  }

  // Without any mass nothing is judged; with masses a row without one is an absent constituent (0.0).
  bool anyMet = false, anyNotMet = false;
  for (size_t i = 0; i < kRecycRows; ++i) {
    r.results[i] = kRowNoRequirement;
    if (!table.HasMasses() || !StatesRequirement(input.codes[i])) continue;
    const std::string value = r.shares[i].empty() ? "0.0" : r.shares[i];
    r.results[i] = IsRequirementMet(TrimWhite(input.codes[i]), value) ? kRowMet : kRowNotMet;
    anyMet = anyMet || r.results[i] == kRowMet;
    anyNotMet = anyNotMet || r.results[i] == kRowNotMet;
  }
  if (anyNotMet) r.status = std::string(1, TestStatus::NotMet);
  else if (anyMet) r.status = std::string(1, TestStatus::Met);
  else if (r.massSum.empty()) r.status = std::string(1, TestStatus::Incomplete);
  else r.status = std::string(1, TestStatus::DoneNoRequirement);

  for (size_t i = 0; i < kRecycRows; ++i)
    if (!input.names[i].empty()) r.statistics += input.names[i] + kInverted + r.shares[i] + "@";
  return r;
}

std::string RecycResult::ResultText() const {
  std::array<std::string, kRecycRows> resultTexts;
  for (size_t i = 0; i < kRecycRows; ++i) resultTexts[i] = std::to_string(results[i]);
  return massSum + "|" + shareSum + "|" + JoinList(inputs.names) + "|" + JoinList(inputs.codes) + "|" +
         JoinList(inputs.masses) + "|" + JoinList(shares) + "|" + JoinList(resultTexts);
}

TestEntryResult RecycEntryResult(const RecycResult& r) {
  TestEntryResult out;
  out.status = r.status;
  out.resultText = r.ResultText();
  out.statisticsValue = r.statistics;
  return out;
}

// ------------------------------------------------------------ grading mixtures

MixtureInput MixtureInputFromField(const std::string& field15, bool preset) {
  MixtureInput in;
  if (preset) {
    in.names[0] = TranslateString(61300, "Altschotter");
    in.names[1] = TranslateString(61301, "Neuschotter");
  } else {
    in.names[0] = TranslateString(61302, "Betonaufbruch");
    in.names[1] = TranslateString(61303, "Ausbauasphalt");
    in.names[2] = TranslateString(61304, "Ziegelsplitt");
  }
  if (field15.empty()) return in;
  for (int i = 0; i < kMixtureRows; ++i) {
    in.names[static_cast<size_t>(i)] = StrGetField(field15, '|', 2 + 3 * i);
    in.masses[static_cast<size_t>(i)] = StrGetField(field15, '|', 3 + 3 * i);
  }
  return in;
}

MixtureResult ComputeMixture(const MixtureInput& input) {
  MixtureResult r;
  r.inputs = input;
  const ShareTable table = ComputeShares(std::vector<std::string>(input.masses.begin(), input.masses.end()));
  for (size_t i = 0; i < kMixtureRows; ++i) {
    r.inputs.masses[i] = table.masses[i];
    r.shares[i] = table.shares[i];
  }
  r.massSum = table.massSum;
  r.shareSum = table.shareSum;
  r.faults = table.faults;
  r.status = std::string(1, r.shareSum.empty() ? TestStatus::Incomplete : TestStatus::DoneNoRequirement);
  return r;
}

std::string MixtureResult::ResultText() const {
  std::string text = massSum + "|" + shareSum + "|";
  for (size_t i = 0; i < kMixtureRows; ++i)
    text += SafeRecordText(inputs.names[i]) + "|" + inputs.masses[i] + "|" + shares[i] + "|";
  return text;
}
