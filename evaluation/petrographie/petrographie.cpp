#include "evaluation/petrographie/petrographie.h"

#include <cmath>
#include <optional>

#include "platform/textcodec.h"
#include "records/requirement.h"
#include "records/strutil.h"

const std::array<std::array<PetrographyLimit, kPetroUses>, 3> kPetrographyLimits = {{
    {{{"< 0.50", "0.50_LT_D"}, {"< 0.50", "0.50_LT_D"}, {"< 0.50", "0.50_LT_D"}}},
    {{{"<= 0.50", "0.50_LE_D"}, {"<= 0.25", "0.25_LE_D"}, {"<= 0.25", "0.25_LE_D"}}},
    {{{"<= 0.02", "0.02_LE_D"}, {"<= 0.02", "0.02_LE_D"}, {"<= 0.01", "0.01_LE_D"}}},
}};

namespace {

constexpr char kLineBreak[] = "#CRLF#";
constexpr int kFirstTextPart = 11;
constexpr int kFirstMassPart = 16;
constexpr int kFirstRequirementPart = 34;

// The value of a normalised text; an empty text counts 0.
double ValueOf(const std::string& text) { return ParseNumber(text); }

// A sum shown with one decimal; a sum that overflowed shows nothing.
std::string MassText(double value) { return std::isfinite(value) ? FormatDouble(value, 1) : ""; }

bool AnyFilled(const std::array<std::string, kPetroRows>& texts, std::initializer_list<int> rows) {
  for (int row : rows)
    if (!texts[static_cast<size_t>(row)].empty()) return true;
  return false;
}

}  // namespace

PetrographyInput PetrographyDefaults(const std::string& field21) {
  PetrographyInput in;
  for (int judged = 0; judged < 3; ++judged)
    for (int use = 0; use < kPetroUses; ++use)
      in.requirementTexts[static_cast<size_t>(PetroRequirementIndex(judged, use))] =
          kPetrographyLimits[static_cast<size_t>(judged)][static_cast<size_t>(use)].shown;
  if (field21.empty()) return in;
  for (int i = 0; i < kPetroTexts; ++i) in.propertyTexts[static_cast<size_t>(i)] = StrGetField(field21, '|', kFirstTextPart + i);
  for (int row = 0; row < kPetroRows; ++row) in.masses[static_cast<size_t>(row)] = StrGetField(field21, '|', kFirstMassPart + row);
  for (int i = 0; i < kPetroChecks; ++i)
    in.requirementTexts[static_cast<size_t>(i)] = StrGetField(field21, '|', kFirstRequirementPart + i);
  return in;
}

PetrographyResult ComputePetrography(const PetrographyInput& in) {
  PetrographyResult r;
  for (int i = 0; i < kPetroTexts; ++i)
    r.propertyTexts[static_cast<size_t>(i)] = CleanPropertyText(in.propertyTexts[static_cast<size_t>(i)]);
  r.requirementTexts = in.requirementTexts;

  auto& m = r.masses;
  std::array<TypedNumber, kPetroRows> typed;
  for (int row = 0; row < kPetroRows; ++row) {
    if (row == kPetroSumA) continue;
    m[static_cast<size_t>(row)] = in.masses[static_cast<size_t>(row)];
    typed[static_cast<size_t>(row)] = CheckNumberInput(r.faults, row, m[static_cast<size_t>(row)], 1);
  }
  auto mass = [&m](int row) { return ValueOf(m[static_cast<size_t>(row)]); };
  // A1 is counted in the flint total, weighed apart from it.
  const TypedNumber& a1 = typed[kPetroA1];
  const TypedNumber& flint = typed[kPetroFlint];
  if (a1.measured() && flint.measured() && PartAboveWhole(a1.value, flint.value, PrecisionStep(1))) {
    AddInputFault(r.faults, kPetroA1, 67009, "A1 liegt mehr als 0.1 g über der Summe Flint, in der es enthalten ist.");
    m[kPetroA1] = in.masses[kPetroA1];
    m[kPetroFlint] = in.masses[kPetroFlint];
  }
  if (!r.faults.empty()) {
    r.status = std::string(1, TestStatus::Incomplete);
    return r;
  }

  if (AnyFilled(m, {kPetroA1, kPetroA2, kPetroA3}))
    m[kPetroSumA] = MassText(mass(kPetroA1) + mass(kPetroA2) + mass(kPetroA3));
  // A1 is part of the flint total, so it is not added again.
  if (AnyFilled(m, {kPetroHarmless, kPetroFlint, kPetroSumA, kPetroB, kPetroC}))
    r.totalMass = MassText(mass(kPetroHarmless) + mass(kPetroFlint) + mass(kPetroA2) + mass(kPetroA3) +
                           mass(kPetroB) + mass(kPetroC));

  // Shares in hundredths of a percent.
  std::array<std::optional<long long>, kPetroRows> hundredths;
  const double total = ValueOf(r.totalMass);
  if (!r.totalMass.empty() && total > 0.01) {
    for (int row = 0; row < kPetroRows; ++row) {
      if (m[static_cast<size_t>(row)].empty()) continue;
      const double h = std::floor((mass(row) * 100.0 / total + 0.005) * 100.0);
      if (std::isfinite(h) && std::fabs(h) < 1e15) hundredths[static_cast<size_t>(row)] = static_cast<long long>(h);
    }
  }
  const long long sumA = hundredths[kPetroA1].value_or(0) + hundredths[kPetroA2].value_or(0) + hundredths[kPetroA3].value_or(0);
  if (sumA > 0) hundredths[kPetroSumA] = sumA;

  bool anyShare = false;
  for (int row : {kPetroHarmless, kPetroFlint, kPetroSumA, kPetroB, kPetroC})
    anyShare = anyShare || hundredths[static_cast<size_t>(row)].has_value();
  if (anyShare) {
    // The harmless share takes up the rounding, so that the printed shares add up to 100.00.
    long long a = 0;
    for (int row : {kPetroHarmless, kPetroFlint, kPetroA2, kPetroA3, kPetroB, kPetroC})
      a += hundredths[static_cast<size_t>(row)].value_or(0);
    if (a != 10000 && hundredths[kPetroHarmless]) *hundredths[kPetroHarmless] += 10000 - a;
    r.totalShare = "100.00";
  }
  for (int row = 0; row < kPetroRows; ++row)
    if (const auto& h = hundredths[static_cast<size_t>(row)])
      r.shares[static_cast<size_t>(row)] = FormatDouble(static_cast<double>(*h) / 100.0 + 0.00001, 2);

  bool anyMet = false, anyFailed = false;
  for (int judged = 0; judged < 3; ++judged) {
    const std::string& share = r.shares[static_cast<size_t>(kPetroJudgedRows[static_cast<size_t>(judged)])];
    if (share.empty()) continue;
    for (int use = 0; use < kPetroUses; ++use) {
      const bool met = IsRequirementMet(kPetrographyLimits[static_cast<size_t>(judged)][static_cast<size_t>(use)].code, share);
      r.checks[static_cast<size_t>(PetroCheckIndex(judged, use))] = met ? kPetroMet : kPetroNotMet;
      (met ? anyMet : anyFailed) = true;
    }
  }
  r.status = std::string(1, anyFailed ? TestStatus::NotMet : anyMet ? TestStatus::Met : TestStatus::Incomplete);
  return r;
}

std::string PetrographyResult::ResultText() const {
  std::string out(kFirstTextPart, '|');
  auto add = [&out](const std::string& part) { out += part + "|"; };
  for (const std::string& text : propertyTexts) add(CleanPropertyText(text));
  for (const std::string& mass : masses) add(mass);
  add(totalMass);
  for (const std::string& share : shares) add(share);
  add(totalShare);
  for (const std::string& text : requirementTexts) add(CleanPropertyText(text));
  for (int check : checks) add(std::to_string(check));
  return out;
}

std::string PetrographyResult::StatisticsValue() const {
  std::string out;
  for (const std::string& share : shares) out += share + "@";
  return out;
}

TestEntryResult PetrographyEntryResult(const PetrographyResult& result) {
  TestEntryResult out;
  out.status = result.status;
  out.resultText = result.ResultText();
  out.statisticsValue = result.StatisticsValue();
  return out;
}

// ------------------------------------------------------------ property texts

std::string CleanPropertyText(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '|') continue;
    out.push_back(c == '~' || c == '$' ? '#' : c);
  }
  return out;
}

std::string PackPropertyText(const std::vector<std::string>& lines) {
  std::string out;
  for (int i = 0; i < kPropertyTextLines; ++i) {
    std::string line = i < static_cast<int>(lines.size()) ? lines[static_cast<size_t>(i)] : std::string();
    if (platform::Utf8Length(line) > static_cast<size_t>(kPropertyLineChars))
      line = platform::Utf8Prefix(line, kPropertyLineChars);
    out += (i ? kLineBreak : "") + line;
  }
  return CleanPropertyText(out);
}

std::string UnpackPropertyText(const std::string& stored) {
  std::string text = stored;
  const std::string end = kLineBreak;
  for (int i = 0; i < 2; ++i)
    if (text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0)
      text.resize(text.size() - end.size());
  StrReplace(text, kLineBreak, "\n");
  return text;
}

std::vector<std::string> PropertyTextLines(const std::string& stored) {
  std::vector<std::string> lines;
  const int count = StrCountFieldsS(stored, kLineBreak);
  for (int i = 0; i < count; ++i) lines.push_back(StrGetFieldS(stored, kLineBreak, i));
  return lines;
}

std::string PropertyTextOnOneLine(const std::string& stored) {
  std::string text = stored;
  StrReplace(text, kLineBreak, " ");
  return text;
}
