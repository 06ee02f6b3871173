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
  const TypedNumber retained80 = CheckNumberInput(faults, InputId(kFlakRetained80), r.inputs.retained80, kDecimals);
  const TypedNumber passing4 = CheckNumberInput(faults, InputId(kFlakPassing4), r.inputs.passing4, kDecimals);
  const TypedNumber m0Typed = CheckNumberInput(faults, InputId(kFlakM0), r.inputs.m0, kDecimals);
  double typedParts = retained80.value + passing4.value;
  for (int row = 0; row < kFlakinessRows; ++row) {
    const auto i = static_cast<size_t>(row);
    const TypedNumber ri = CheckNumberInput(faults, InputId(kFlakRi, row), r.inputs.ri[i], kDecimals);
    const TypedNumber mi = CheckNumberInput(faults, InputId(kFlakMi, row), r.inputs.mi[i], kDecimals);
    typedParts += ri.value;
    // What passes the bar sieve is part of its class, weighed apart from it.
    if (ri.measured() && mi.measured() && PartAboveWhole(mi.value, ri.value, PrecisionStep(kDecimals))) {
      AddInputFault(faults, InputId(kFlakMi, row), 67003,
                    "Die durch das Stabsieb gehende Masse mi liegt mehr als 0.1 g über der Masse Ri ihrer Kornklasse.");
      r.inputs.ri[i] = input.ri[i];
      r.inputs.mi[i] = input.mi[i];
    }
  }
  // The classes and the discarded masses are parts of the test portion: the
  // standard lets them differ from it by 1 %, above that the test is repeated.
  if (faults.empty() && m0Typed.measured() && m0Typed.value > kSmallest &&
      PartAboveWhole(typedParts, m0Typed.value, kFlakinessLossLimit / 100.0 * m0Typed.value)) {
    AddInputFault(faults, InputId(kFlakM0), 67004,
                  "Die Kornklassen und die verworfenen Massen liegen zusammen mehr als 1 % über der Messprobe M0: "
                  "die Prüfung muss wiederholt werden.");
    r.inputs.m0 = input.m0;
    r.inputs.ri = input.ri;
    r.inputs.retained80 = input.retained80;
    r.inputs.passing4 = input.passing4;
  }

  r.requirementDisplay = FormatRequirement(input.requirement, kDecimals);
  if (!faults.empty()) {
    // Nothing is derived from what cannot have been weighed.
    r.status = std::string(1, TestStatus::Incomplete);
    return r;
  }

  // The masses outside the test sieves.
  if (!retained80.empty || !passing4.empty) {
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
  if (IsUsable(m1) && IsUsable(m0)) {
    r.lossCheck = FormatDouble(100.0 * (m0 - (m1 + ValueOf(r.discarded))) / m0, kDecimals);
    // A surplus too small to show is no loss: "0.0", not C's "-0.0".
    if (r.lossCheck.find_first_not_of("-0.") == std::string::npos && r.lossCheck.starts_with('-'))
      r.lossCheck.erase(0, 1);
    // A loss of more than 1 % has the test repeated (a surplus as large is refused above).
    r.lossAboveLimit = 100.0 * (m0Typed.value - typedParts) / m0Typed.value > kFlakinessLossLimit;
  }

  // The index is judged as it is shown, without decimals; no index, no face.
  r.requirementState = JudgeRequirement(input.requirement, r.fi);
  r.status = StatusOfJudgement(!r.fi.empty(), r.requirementState);
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
