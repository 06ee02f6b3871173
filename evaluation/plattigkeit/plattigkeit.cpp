#include "evaluation/plattigkeit/plattigkeit.h"

#include <cmath>

#include "i18n/translation.h"
#include "records/matdef.h"
#include "records/requirement.h"
#include "records/strutil.h"

const std::array<FlakinessClass, kFlakinessRows> kFlakinessClasses = {{
    {"63/80", "40"},
    {"50/63", "31.5"},
    {"40/50", "25"},
    {"31.5/40", "20"},
    {"25/31.5", "16"},
    {"20/25", "12.5"},
    {"16/20", "10"},
    {"12.5/16", "8"},
    {"10/12.5", "6.3"},
    {"8/10", "5"},
    {"6.3/8", "4"},
    {"5/6.3", "3.15"},
    {"4/5", "2.5"},
}};

namespace {

constexpr double kSmallest = 0.0001;
constexpr int kDecimals = 1;

// A mass that can be divided by: finite and above the smallest mass. Sums of
// huge inputs overflow; such a sum counts as missing, so nothing shown or
// stored is ever "inf" or "nan".
bool IsUsable(double mass) { return std::isfinite(mass) && mass > kSmallest; }

// The value of a normalised text; an empty text counts 0.
double ValueOf(const std::string& normalised) { return ParseNumber(normalised); }

std::string JoinRow(const FlakinessRowTexts& texts) {
  std::string out;
  for (const std::string& text : texts) out += text + "@";
  return out;
}

}  // namespace

FlakinessResult ComputeFlakiness(const FlakinessInput& input) {
  FlakinessResult r;
  r.inputs = input;
  InputFaults& faults = r.faults;
  CheckNumberInput(faults, kFlakRetained80, r.inputs.retained80, kDecimals);
  CheckNumberInput(faults, kFlakPassing4, r.inputs.passing4, kDecimals);
  CheckNumberInput(faults, kFlakM0, r.inputs.m0, kDecimals);
  for (int row = 0; row < kFlakinessRows; ++row) {
    const auto i = static_cast<size_t>(row);
    const bool ri = CheckNumberInput(faults, kFlakFirstRi + row, r.inputs.ri[i], kDecimals);
    const bool mi = CheckNumberInput(faults, kFlakFirstMi + row, r.inputs.mi[i], kDecimals);
    // What passes the bar sieve is part of its class.
    if (ri && mi && !r.inputs.ri[i].empty() && !r.inputs.mi[i].empty() &&
        ValueOf(r.inputs.mi[i]) > ValueOf(r.inputs.ri[i]))
      AddInputFault(faults, kFlakFirstMi + row, 62021,
                    "Die durch das Stabsieb gehende Masse mi liegt über der Masse Ri ihrer Kornklasse.");
  }

  // The masses outside the test sieves.
  if (!r.inputs.retained80.empty() || !r.inputs.passing4.empty()) {
    const double sum = ValueOf(r.inputs.retained80) + ValueOf(r.inputs.passing4);
    r.discarded = std::isfinite(sum) ? FormatDouble(sum, kDecimals) : "";
  }

  double m1 = 0.0, m2 = 0.0;
  for (int row = 0; row < kFlakinessRows; ++row) {
    const auto i = static_cast<size_t>(row);
    const double ri = ValueOf(r.inputs.ri[i]);
    const double mi = ValueOf(r.inputs.mi[i]);
    if (!r.inputs.ri[i].empty() && !r.inputs.mi[i].empty() && IsUsable(ri))
      r.fli[i] = FormatDouble(mi / ri * 100.0, kDecimals);
    m1 += ri;
    m2 += mi;
  }

  if (IsUsable(m1)) r.m1 = FormatDouble(m1, kDecimals);
  if (IsUsable(m2)) r.m2 = FormatDouble(m2, kDecimals);
  if (IsUsable(m1) && IsUsable(m2)) r.fi = FormatDouble(m2 / m1 * 100.0, 0);

  const double m0 = ValueOf(r.inputs.m0);
  const double discarded = ValueOf(r.discarded);
  if (IsUsable(m1) && IsUsable(m0)) {
    r.lossCheck = FormatDouble(100.0 * (m0 - (m1 + discarded)) / m0, kDecimals);
    // The classes and the discarded masses are parts of the test portion.
    if (faults.empty() && ValueOf(r.m1) + discarded > m0 + 1e-9)
      AddInputFault(faults, kFlakM0, 62022,
                    "Die Kornklassen und die verworfenen Massen wiegen zusammen mehr als die Messprobe M0.");
    r.lossAboveLimit = ValueOf(r.lossCheck) > kFlakinessLossLimit;
  }

  r.requirementDisplay = FormatRequirement(input.requirement, kDecimals);
  if (!faults.empty()) {
    // Nothing is derived from what cannot have been weighed.
    r.fli = {};
    r.discarded = r.m1 = r.m2 = r.fi = r.lossCheck = "";
    r.lossAboveLimit = false;
    r.requirementState = kNoRequirement;
    r.status = std::string(1, TestStatus::Incomplete);
    return r;
  }

  // The index is judged as it is shown, without decimals.
  if (!StatesRequirement(input.requirement))
    r.requirementState = kNoRequirement;
  else
    r.requirementState = IsRequirementMet(TrimWhite(input.requirement), r.fi) ? kRequirementMet : kRequirementNotMet;

  r.status = StatusOfJudgement(!TrimWhite(r.fi).empty(), r.requirementState);
  return r;
}

std::string FlakinessResult::ResultText() const {
  return inputs.m0 + "|" + JoinRow(inputs.ri) + "|" + JoinRow(inputs.mi) + "|" + JoinRow(fli) + "|" + m1 + "|" +
         m2 + "|" + fi + "|" + lossCheck;
}

FlakinessInput FlakinessInputFromField(const std::string& field23, const std::string& requirement) {
  FlakinessInput in;
  in.m0 = StrGetField(field23, '|', 0);
  const std::string riList = StrGetField(field23, '|', 1);
  const std::string miList = StrGetField(field23, '|', 2);
  for (int row = 0; row < kFlakinessRows; ++row) {
    in.ri[static_cast<size_t>(row)] = StrGetFieldS(riList, "@", row);
    in.mi[static_cast<size_t>(row)] = StrGetFieldS(miList, "@", row);
  }
  in.retained80 = StrGetField(field23, '|', 11);
  in.passing4 = StrGetField(field23, '|', 12);
  in.requirement = requirement;
  return in;
}

std::string FlakinessRequirement(const CVersuch& record) {
  CMatDef material;
  material.Parse(record.GetField(25));
  return StrGetField(material.GetSideTestEntry("VA_PLATT"), '|', 1);
}

TestEntryResult FlakinessEntryResult(const FlakinessResult& result) {
  TestEntryResult out;
  out.status = result.status;
  out.resultText = result.ResultText();
  const std::string row =
      StatusReportRow(TranslateString(5207, "Plattigkeitskennzahl [%]:"), result.fi,
                      FormatRequirement(result.inputs.requirement, kDecimals), result.status);
  out.parts = {
      {23, 9, result.inputs.requirement},
      {23, 11, result.inputs.retained80},
      {23, 12, result.inputs.passing4},
      {23, 10, row},
  };
  out.statisticsValue = result.fi;
  return out;
}
