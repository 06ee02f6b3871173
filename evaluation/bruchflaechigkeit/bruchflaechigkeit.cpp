#include "evaluation/bruchflaechigkeit/bruchflaechigkeit.h"

#include <algorithm>
#include <cmath>

#include "i18n/translation.h"
#include "records/requirement.h"
#include "records/strutil.h"

namespace {

const std::string kNameSeparator = "¿";
// Below this a reference mass cannot be divided by.
constexpr double kSmallest = 0.0001;

double Value(const std::string& text) { return AtofLocale(text); }

std::string Fixed(double value, int decimals) {
  if (!std::isfinite(value)) return "";
  std::string text = FormatDouble(value, decimals);
  // A negative value rounded to zero is shown as zero.
  if (text.find_first_not_of("-0.") == std::string::npos && text[0] == '-') text.erase(0, 1);
  return text;
}

// The sum with one decimal, "" when it is 0.
std::string SumText(double sum) { return sum == 0.0 ? "" : Fixed(sum, 1); }

bool IsComplete(const BruchRow& row) {
  double sum = 0.0;
  for (const std::string& mass : row.mass) {
    if (mass.empty()) return false;
    sum += Value(mass);
  }
  return sum >= 1.0;
}

// The check values in their order from the result row.
void TakeCheckValues(BruchComputation& c) {
  const BruchTable& t = c.table;
  c.values = {t.resultGt50, t.result[kMtc], t.result[kMpc], t.result[kMop], t.result[kMtr]};
}

void OldMethodResult(BruchComputation& c, const std::vector<int>& complete) {
  BruchTable& t = c.table;
  double sumS = 0.0;
  std::array<double, kBruchClasses> sums{};
  for (int i : complete) {
    const BruchRow& row = t.rows[static_cast<size_t>(i)];
    for (int k = 0; k < kBruchClasses; ++k) {
      sums[static_cast<size_t>(k)] += Value(row.mass[static_cast<size_t>(k)]);
      sumS += Value(row.mass[static_cast<size_t>(k)]);
    }
  }
  // The results come from the sums as shown.
  const double total = Value(Fixed(sumS, 1));
  std::array<int, kBruchClasses> result{};
  for (int k : {kMtc, kMpc, kMop})
    result[static_cast<size_t>(k)] =
        static_cast<int>(std::floor(Value(Fixed(sums[static_cast<size_t>(k)], 1)) * 100.0 / total + 0.5));
  result[kMtr] = 100 - result[kMtc] - result[kMpc] - result[kMop];
  for (int k = 0; k < kBruchClasses; ++k) t.result[static_cast<size_t>(k)] = std::to_string(result[static_cast<size_t>(k)]);
  t.result10to100 = std::to_string(result[kMtc] + result[kMpc] + result[kMop]);
  t.resultGt50 = std::to_string(result[kMtc] + result[kMpc]);
}

// Share of its whole by which the four class masses may exceed it; above, the
// test is repeated.
constexpr double kSurplusLimit = 0.01;

// The typed masses of a row: M1, the four classes, the Einwaage.
struct TypedRow {
  TypedNumber m1, einwaage;
  std::array<TypedNumber, kBruchClasses> mass;
};

void ClearRowShares(BruchRow& r) {
  r.share = {};
  r.share10to100.clear();
  r.shareGt50.clear();
}

void ClearResult(BruchTable& t) {
  t.result = {};
  t.result10to100.clear();
  t.resultGt50.clear();
}

// Every input of the active rows is a mass, written with one decimal (the
// Einwaage without); the Einwaage of the other rows is only written anew.
std::array<TypedRow, kBruchRows> ReadBruchInputs(BruchComputation& c, int rows) {
  std::array<TypedRow, kBruchRows> typed;
  for (int i = 0; i < kBruchRows; ++i) {
    BruchRow& r = c.table.rows[static_cast<size_t>(i)];
    TypedRow& t = typed[static_cast<size_t>(i)];
    if (i >= rows) {
      NormalizeNumber(r.einwaage, 0, kStoredNumber, Rounding::kHalvesUp);
      continue;
    }
    t.m1 = CheckNumberInput(c.faults, InputId(kBruchM1Input, i), r.m1, 1, kMeasuredNumber, Rounding::kHalvesUp);
    for (int k = 0; k < kBruchClasses; ++k)
      t.mass[static_cast<size_t>(k)] = CheckNumberInput(c.faults, InputId(kBruchMassInput + k, i),
                                                        r.mass[static_cast<size_t>(k)], 1, kMeasuredNumber,
                                                        Rounding::kHalvesUp);
    t.einwaage = CheckNumberInput(c.faults, InputId(kBruchEinwaageInput, i), r.einwaage, 0, kMeasuredNumber,
                                  Rounding::kHalvesUp);
  }
  return typed;
}

// The shares of each complete row; gives the complete rows.
std::vector<int> ComputeRowShares(BruchTable& t, int rows) {
  std::vector<int> complete;
  for (int i = 0; i < rows; ++i) {
    BruchRow& r = t.rows[static_cast<size_t>(i)];
    ClearRowShares(r);
    if (!IsComplete(r)) continue;
    complete.push_back(i);
    double sum = 0.0;
    for (const std::string& mass : r.mass) sum += Value(mass);
    // With one size class the shares are of M1; without M1 there are none.
    const double reference = t.mode == kOneClass ? Value(r.m1) : sum;
    if (!(reference > kSmallest)) continue;
    for (int k = 0; k < kBruchClasses; ++k)
      r.share[static_cast<size_t>(k)] = Fixed(Value(r.mass[static_cast<size_t>(k)]) * 100.0 / reference, 1);
    r.share10to100 = Fixed(100.0 - Value(r.share[kMtr]), 1);
    r.shareGt50 = Fixed(Value(r.share[kMtc]) + Value(r.share[kMpc]), 1);
  }
  return complete;
}

// The "Summe:" row over the active rows.
void ComputeColumnSums(BruchTable& t, int rows) {
  double sumM1 = 0.0, sumSumme = 0.0, sumEinwaage = 0.0;
  std::array<double, kBruchClasses> sumMass{};
  for (int i = 0; i < rows; ++i) {
    const BruchRow& r = t.rows[static_cast<size_t>(i)];
    sumM1 += Value(r.m1);
    sumSumme += Value(r.summe);
    sumEinwaage += Value(r.einwaage);
    for (int k = 0; k < kBruchClasses; ++k) sumMass[static_cast<size_t>(k)] += Value(r.mass[static_cast<size_t>(k)]);
  }
  t.sumM1 = SumText(sumM1);
  t.sumSumme = SumText(sumSumme);
  t.sumEinwaage = SumText(sumEinwaage);
  for (int k = 0; k < kBruchClasses; ++k) t.sumMass[static_cast<size_t>(k)] = SumText(sumMass[static_cast<size_t>(k)]);
}

// Deviation of the weighed masses from the mass taken for the test: red
// outside -0.001 .. 1 %, as shown.
void ComputeDeviations(BruchComputation& c, int rows) {
  BruchTable& t = c.table;
  for (int i = 0; i < kBruchRows; ++i) {
    BruchRow& r = t.rows[static_cast<size_t>(i)];
    if (i >= rows) {
      r.red = false;
      continue;
    }
    const double expected = t.mode == kOneClass ? Value(r.m1) : Value(r.einwaage);
    double deviation = expected == 0.0 ? 0.0 : (1.0 - Value(r.summe) / expected) * 100.0;
    if (!r.summe.empty() && expected != 0.0) {
      r.abweich = Fixed(deviation, t.mode == kOneClass ? 1 : 2);
      deviation = Value(r.abweich);
    } else {
      r.abweich.clear();
    }
    r.red = deviation < -0.001 || deviation > 1.0;
    c.warning = c.warning || r.red;
  }
}

// The row sums, and the weighted means of the complete rows (one size class
// and several): each class mass weighted with the row's M1, over the M1 sum.
void ComputeWeightedResult(BruchTable& t, int rows, const std::vector<int>& complete) {
  std::array<double, kBruchClasses> weighted{};
  double completeM1 = 0.0;
  for (int i = 0; i < rows; ++i) {
    BruchRow& r = t.rows[static_cast<size_t>(i)];
    double sum = 0.0;
    for (const std::string& mass : r.mass)
      if (!mass.empty()) sum += Value(mass);
    r.summe = SumText(sum);
    if (std::find(complete.begin(), complete.end(), i) == complete.end()) continue;
    const double m1 = Value(r.m1);
    const double d = t.mode == kOneClass ? m1 : sum;
    if (!(d > kSmallest)) continue;
    for (int k = 0; k < kBruchClasses; ++k) weighted[static_cast<size_t>(k)] += m1 * Value(r.mass[static_cast<size_t>(k)]) / d;
    completeM1 += m1;
  }
  if (t.mode == kOldMethod) return;
  // 0 is a result like any other.
  ClearResult(t);
  const double total = Value(Fixed(completeM1, 1));
  if (!(total > 0.0)) return;
  for (int k = 0; k < kBruchClasses; ++k)
    t.result[static_cast<size_t>(k)] = Fixed(weighted[static_cast<size_t>(k)] * 100.0 / total, 0);
  t.result10to100 = Fixed(Value(t.result[kMtc]) + Value(t.result[kMpc]) + Value(t.result[kMop]), 0);
  t.resultGt50 = Fixed(Value(t.result[kMtc]) + Value(t.result[kMpc]), 0);
}

// The four surface classes are sorted out of M1 (one size class) or the
// Einwaage (the others) and may weigh up to 1 % more, compared as typed;
// beyond that the mass that takes the row over is named and the row's masses
// stay as typed. The row's red deviation shows as for any surplus.
void CheckBruchSums(BruchComputation& c, int rows, const std::array<TypedRow, kBruchRows>& typed,
                    const BruchTable& typedTexts) {
  // The old method hides the Einwaage: a value kept from another method is not the user's to fix there.
  if (c.table.mode == kOldMethod) return;
  const bool oneClass = c.table.mode == kOneClass;
  for (int i = 0; i < rows; ++i) {
    const TypedRow& t = typed[static_cast<size_t>(i)];
    const TypedNumber& whole = oneClass ? t.m1 : t.einwaage;
    if (!whole.measured()) continue;
    double sum = 0.0;
    for (int k = 0; k < kBruchClasses; ++k) {
      sum += t.mass[static_cast<size_t>(k)].value;
      if (!PartAboveWhole(sum, whole.value, kSurplusLimit * whole.value)) continue;
      std::string reason =
          oneClass ? TranslateString(67015, "Die Massen der Kornklasse liegen bis hierher zusammen mehr als 1 % über "
                                            "M1 (%s g): die Prüfung muss wiederholt werden.")
                   : TranslateString(67016, "Die Massen der Kornklasse liegen bis hierher zusammen mehr als 1 % über "
                                            "ihrer Einwaage (%s g): die Prüfung muss wiederholt werden.");
      BruchRow& row = c.table.rows[static_cast<size_t>(i)];
      const BruchRow& typedRow = typedTexts.rows[static_cast<size_t>(i)];
      std::string& wholeText = oneClass ? row.m1 : row.einwaage;
      wholeText = oneClass ? typedRow.m1 : typedRow.einwaage;
      row.mass = typedRow.mass;
      StrReplace(reason, "%s", TrimWhite(wholeText), false);
      c.faults.push_back({InputId(kBruchMassInput + k, i), reason});
      // The row shows no share of masses it refuses.
      ClearRowShares(row);
      break;
    }
  }
}

// The five checks against the requirement codes and the status.
void JudgeBruchChecks(BruchComputation& c, const std::array<std::string, kBruchChecks>& codes) {
  TakeCheckValues(c);
  bool anyMet = false, anyNotMet = false, anyResult = false;
  for (int k = 0; k < kBruchChecks; ++k) {
    const std::string& value = c.values[static_cast<size_t>(k)];
    anyResult = anyResult || !value.empty();
    const int result = value.empty() ? 0 : static_cast<int>(CheckRequirement(TrimWhite(codes[static_cast<size_t>(k)]), value));
    c.results[static_cast<size_t>(k)] = result;
    anyMet = anyMet || result == static_cast<int>(RequirementResult::Met);
    anyNotMet = anyNotMet || result == static_cast<int>(RequirementResult::NotMet);
  }
  c.overall = anyNotMet ? 2 : anyMet ? 1 : -1;
  // A test with results but nothing to judge them by is done.
  c.status = std::string(1, c.overall == 2   ? TestStatus::NotMet
                            : c.overall == 1 ? TestStatus::Met
                            : anyResult      ? TestStatus::DoneNoRequirement
                                             : TestStatus::Incomplete);
}

}  // namespace

// ------------------------------------------------------------ requirement

BruchRequirement ParseBruchRequirement(const std::string& item) {
  BruchRequirement r;
  r.codes = {StrGetField(item, '|', 1), StrGetField(item, '|', 5), StrGetField(item, '|', 6),
             StrGetField(item, '|', 7), StrGetField(item, '|', 2)};
  const std::string names = StrGetField(item, '|', 4);
  const int count = std::min(StrCountFieldsS(names, kNameSeparator), kBruchRows);
  for (int i = 0; i < std::max(count, 1); ++i) r.classNames.push_back(StrGetFieldS(names, kNameSeparator, i));
  return r;
}

BruchRequirement BruchRequirementOf(const CVersuch& record) {
  return ParseBruchRequirement(record.GetSideTestEntry("VA_BRUCH"));
}

// ------------------------------------------------------------ computation

BruchComputation ComputeBruchMultiClass(const BruchTable& shown, const std::array<std::string, kBruchChecks>& codes) {
  BruchComputation c;
  c.table = shown;
  BruchTable& t = c.table;
  const int n = std::clamp(t.rowCount, 0, kBruchRows);
  c.status = std::string(1, TestStatus::Incomplete);

  const std::array<TypedRow, kBruchRows> typed = ReadBruchInputs(c, n);
  if (!c.faults.empty()) {
    // Nothing is derived from what cannot have been weighed.
    for (int i = 0; i < n; ++i) {
      BruchRow& r = t.rows[static_cast<size_t>(i)];
      ClearRowShares(r);
      r.summe.clear();
      r.abweich.clear();
      r.red = false;
    }
    const BruchTable typedTable = t;
    t = BruchTable{};
    t.mode = typedTable.mode;
    t.rowCount = typedTable.rowCount;
    t.rows = typedTable.rows;
    return c;
  }

  ClearResult(t);
  const std::vector<int> complete = ComputeRowShares(t, n);
  if (!complete.empty()) OldMethodResult(c, complete);
  ComputeWeightedResult(t, n, complete);
  ComputeColumnSums(t, n);
  ComputeDeviations(c, n);
  CheckBruchSums(c, n, typed, shown);
  if (!c.faults.empty()) {
    ClearResult(t);
    return c;
  }
  JudgeBruchChecks(c, codes);
  return c;
}

// ------------------------------------------------------------ modes

int NormalizedBruchMode(int mode) { return mode >= kOldMethod && mode <= kSeveralClasses ? mode : kOldMethod; }

int StoredBruchMode(const CVersuch& record, int settingBrechnungModus) {
  if (record.GetField(20).empty()) return NormalizedBruchMode(1 + settingBrechnungModus);
  return NormalizedBruchMode(record.GetValueInt(20, 19));
}

int BruchRowCount(int mode, int classCount) {
  return NormalizedBruchMode(mode) == kOneClass ? 1 : std::clamp(classCount, 1, kBruchRows);
}

bool BruchEnabling::m1(int row) const {
  if (row >= rowCount) return false;
  return row == 0 ? mode != kOldMethod : mode == kSeveralClasses;
}

bool BruchEnabling::mass(int row) const { return row < rowCount && (row == 0 || mode != kOneClass); }

bool BruchEnabling::einwaage(int row) const { return row < rowCount && mode != kOneClass; }

bool SingleClassClearsInputs(const BruchTable& table) {
  for (int i = 0; i < kBruchRows; ++i) {
    const BruchRow& r = table.rows[static_cast<size_t>(i)];
    if (!r.einwaage.empty()) return true;
    if (i == 0) continue;
    if (!r.m1.empty()) return true;
    for (const std::string& mass : r.mass)
      if (!mass.empty()) return true;
  }
  return false;
}

void ClearForSingleClass(BruchTable& table) {
  table.rows[0].name.clear();
  table.rows[0].einwaage.clear();
  for (int i = 1; i < kBruchRows; ++i) table.rows[static_cast<size_t>(i)] = BruchRow{};
}

void ApplyBruchModeToTable(BruchTable& table, int mode, const std::vector<std::string>& classNames) {
  table.mode = NormalizedBruchMode(mode);
  table.rowCount = BruchRowCount(table.mode, static_cast<int>(classNames.size()));
  for (int i = 0; i < kBruchRows; ++i) {
    BruchRow& r = table.rows[static_cast<size_t>(i)];
    const bool active = i < table.rowCount;
    if (!active) r.summe.clear();
    r.name = active && i < static_cast<int>(classNames.size()) ? classNames[static_cast<size_t>(i)] : "";
  }
}

void LoadBruchRows(BruchTable& table, const CVersuch& record) {
  const std::string mtr = record.GetValue(20, 12), mop = record.GetValue(20, 13), mpc = record.GetValue(20, 14),
                    mtc = record.GetValue(20, 15), m1 = record.GetValue(20, 16), einwaage = record.GetValue(20, 17);
  for (int i = 0; i < table.rowCount && i < kBruchRows; ++i) {
    BruchRow& r = table.rows[static_cast<size_t>(i)];
    r.mass[kMtr] = StrGetFieldS(mtr, "@", i);
    r.mass[kMop] = StrGetFieldS(mop, "@", i);
    r.mass[kMpc] = StrGetFieldS(mpc, "@", i);
    r.mass[kMtc] = StrGetFieldS(mtc, "@", i);
    r.m1 = StrGetFieldS(m1, "@", i);
    r.einwaage = StrGetFieldS(einwaage, "@", i);
  }
}

// ------------------------------------------------------------ storing

namespace {

// The ten row values of a column, each followed by "@", then the sum with "@".
template <class Get>
std::string ColumnList(const BruchTable& t, Get get, const std::string* sum) {
  std::string out;
  for (const BruchRow& r : t.rows) out += get(r) + "@";
  if (sum) out += *sum + "@";
  return out;
}

}  // namespace

void WriteBruchRecord(CVersuch& record, const BruchComputation& c, const std::string& classEntry) {
  const BruchTable& t = c.table;
  auto result = [&c](BruchCheck check) { return std::to_string(c.results[static_cast<size_t>(check)]); };
  record.SetValue(20, 1, "");
  record.SetValue(20, 2, "");
  record.SetValue(20, 3, result(kCheckMtr));
  record.SetValue(20, 4, result(kCheckMop));
  record.SetValue(20, 5, result(kCheckMpc));
  record.SetValue(20, 6, result(kCheckMtc));
  record.SetValue(20, 7, result(kCheckGt50));
  record.SetValue(20, 9, result(kCheckMtc));
  record.SetValue(20, 10, result(kCheckMpc));
  record.SetValue(20, 11, result(kCheckMop));

  record.SetValue(20, 12, ColumnList(t, [](const BruchRow& r) { return r.mass[kMtr]; }, &t.sumMass[kMtr]));
  record.SetValue(20, 13, ColumnList(t, [](const BruchRow& r) { return r.mass[kMop]; }, &t.sumMass[kMop]));
  record.SetValue(20, 14, ColumnList(t, [](const BruchRow& r) { return r.mass[kMpc]; }, &t.sumMass[kMpc]));
  record.SetValue(20, 15, ColumnList(t, [](const BruchRow& r) { return r.mass[kMtc]; }, &t.sumMass[kMtc]));
  record.SetValue(20, 16, ColumnList(t, [](const BruchRow& r) { return r.m1; }, &t.sumM1));
  record.SetValue(20, 17, ColumnList(t, [](const BruchRow& r) { return r.einwaage; }, nullptr));
  record.SetValue(20, 18, t.mode == kOneClass ? classEntry
                                               : ColumnList(t, [](const BruchRow& r) { return r.name; }, nullptr));
  record.SetValue(20, 19, std::to_string(t.mode));

  for (int i = 0; i < kBruchRows; ++i) {
    const BruchRow& r = t.rows[static_cast<size_t>(i)];
    std::string text;
    for (const std::string* value :
         {&r.summe, &r.mass[kMtr], &r.share[kMtr], &r.mass[kMop], &r.share[kMop], &r.mass[kMpc], &r.share[kMpc],
          &r.mass[kMtc], &r.share[kMtc], &r.share10to100, &r.shareGt50, &r.einwaage, &r.abweich, &r.m1})
      text += *value + "@";
    record.SetValue(20, 20 + i, text);
  }

  record.SetValue(20, 31, t.result[kMtr]);
  record.SetValue(20, 32, t.result[kMpc]);
  record.SetValue(20, 33, t.result[kMtc]);
  record.SetValue(20, 34, t.resultGt50);
  record.SetValue(20, 35, t.result[kMop]);
  record.SetValue(20, 36, t.result10to100);
  record.SetValue(20, 37, t.sumSumme);
  record.SetValue(20, 38, t.sumMass[kMtc]);
  record.SetValue(20, 39, t.sumMass[kMpc]);
  record.SetValue(20, 40, t.sumMass[kMop]);
  record.SetValue(20, 41, t.sumMass[kMtr]);
  record.SetValue(20, 42, t.sumM1);
  record.SetValue(20, 43, t.sumEinwaage);

  record.SetStatisticsValue(13, BruchStatisticsValue(c));
}

std::string BruchStatisticsValue(const BruchComputation& c) {
  std::string out;
  bool first = true;
  for (BruchCheck check : {kCheckGt50, kCheckMtr, kCheckMtc, kCheckMpc, kCheckMop}) {
    if (!first) out += "@";
    first = false;
    out += c.values[static_cast<size_t>(check)];
    if (c.results[static_cast<size_t>(check)] == static_cast<int>(RequirementResult::NotMet)) out += "_*";
  }
  return out;
}
