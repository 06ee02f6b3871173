#include "evaluation/wasserbausteine/wbsklassen.h"

#include "i18n/translation.h"
#include "records/strutil.h"

namespace {

// Name | sizes | ranges | upper size.
constexpr const char* kSizeRows[] = {
    "CP 45/125|22.4 45 63 125 180|0-5 0-15 0-50 90-100 98-100|180",
    "CP 63/180|31.5 63 90 180 250|0-5 0-15 0-50 90-100 98-100|250",
    "CP 90/250|45 90 125 250 360|0-5 0-15 0-50 90-100 98-100|360",
    "CP 45/180|22.4 45 63 180 250|0-5 0-15 0-50 90-100 98-100|250",
    "CP 90/180|45 90 180 250|0-5 0-20 80-100 98-100|250",
};

// Name | limit masses | ranges | mean mass of the A categories | the name's range.
constexpr const char* kMassRows[] = {
    "LMA 5/40|1.5 5 40 80|0-2 0-10 70-100 97-100|10bis20|5bis40",
    "LMA 10/60|2 10 60 120|0-2 0-10 70-100 97-100|20bis35|10bis60",
    "LMA 40/200|15 40 200 300|0-2 0-10 70-100 97-100|80bis120|40bis200",
    "LMA 60/300|30 60 300 450|0-2 0-10 70-100 97-100|120bis190|60bis300",
    "LMA 15/300|3 15 300 450|0-2 0-10 70-100 97-100|45bis135|15bis300",
    "LMB 5/40|1.5 5 40 80|0-2 0-10 70-100 97-100||5bis40",
    "LMB 10/60|2 10 60 120|0-2 0-10 70-100 97-100||10bis60",
    "LMB 40/200|15 40 200 300|0-2 0-10 70-100 97-100||40bis200",
    "LMB 60/300|30 60 300 450|0-2 0-10 70-100 97-100||60bis300",
    "LMB 15/300|3 15 300 450|0-2 0-10 70-100 97-100||15bis300",
    "HMA 300/1000|200 300 1000 1500|0-5 0-10 70-100 97-100|540bis690|300bis1000",
    "HMA 1000/3000|650 1000 3000 4500|0-5 0-10 70-100 97-100|1700bis2100|1000bis3000",
    "HMA 3000/6000|2000 3000 6000 9000|0-5 0-10 70-100 97-100|4200bis4800|3000bis6000",
    "HMA 6000/10000|4000 6000 10000 15000|0-5 0-10 70-100 97-100|7500bis8500|6000bis10000",
    "HMA 10000/15000|6500 10000 15000 22500|0-5 0-10 70-100 97-100|12000bis13000|10000bis15000",
    "HMB 300/1000|200 300 1000 1500|0-5 0-10 70-100 97-100||300bis1000",
    "HMB 1000/3000|650 1000 3000 4500|0-5 0-10 70-100 97-100||1000bis3000",
    "HMB 3000/6000|2000 3000 6000 9000|0-5 0-10 70-100 97-100||3000bis6000",
    "HMB 6000/10000|4000 6000 10000 15000|0-5 0-10 70-100 97-100||6000bis10000",
    "HMB 10000/15000|6500 10000 15000 22500|0-5 0-10 70-100 97-100||10000bis15000",
};

template <size_t N>
std::vector<std::string> NamesOf(const char* const (&rows)[N]) {
  std::vector<std::string> names;
  for (const char* row : rows) names.push_back(StrGetField(row, '|', 0));
  return names;
}

// The row of that name, or "" (names compared exactly).
template <size_t N>
std::string FindRow(const char* const (&rows)[N], const std::string& name) {
  if (name.empty()) return "";
  for (const char* row : rows)
    if (StrGetField(row, '|', 0) == name) return row;
  return "";
}

template <size_t N>
int BandOf(const std::array<double, N>& limits, double value) {
  for (size_t i = 0; i < N; ++i)
    if (value < limits[i] + 0.001) return static_cast<int>(i);
  return static_cast<int>(N);
}

template <size_t N>
void ReadRow(const std::string& row, std::array<double, N>& values, std::array<std::string, N>& ranges) {
  for (size_t i = 0; i < N; ++i) {
    values[i] = PlainAtof(StrGetField(StrGetField(row, '|', 1), ' ', static_cast<int>(i)));
    ranges[i] = StrGetField(StrGetField(row, '|', 2), ' ', static_cast<int>(i));
  }
}

// The two ends of a range "a-b"; false when either is missing.
bool RangeEnds(const std::string& range, double& lo, double& hi) {
  const std::string low = TrimWhite(StrGetField(range, '-', 0));
  const std::string high = TrimWhite(StrGetField(range, '-', 1));
  if (low.empty() || high.empty()) return false;
  lo = AtofLocale(low) - 0.0001;
  hi = AtofLocale(high) + 0.0001;
  return true;
}

}  // namespace

const std::vector<std::string>& WBSSizeCategoryNames() {
  static const std::vector<std::string> names = NamesOf(kSizeRows);
  return names;
}

const std::vector<std::string>& WBSMassCategoryNames() {
  static const std::vector<std::string> names = NamesOf(kMassRows);
  return names;
}

// ------------------------------------------------------------ size categories

bool CWBSGroessenklasse::Load(const std::string& name) {
  m_Sizes.fill(0);
  m_Ranges.fill("");
  m_UpperSize = 0;
  const std::string row = FindRow(kSizeRows, name);
  m_bLoaded = !row.empty();
  if (!m_bLoaded) return false;
  ReadRow(row, m_Sizes, m_Ranges);
  m_UpperSize = PlainAtof(StrGetField(row, '|', 3));
  return true;
}

double CWBSGroessenklasse::GetSize(int index) const {
  return index >= 0 && index < kSizes ? m_Sizes[static_cast<size_t>(index)] : 0;
}

std::string CWBSGroessenklasse::GetRange(int index) const {
  return index >= 0 && index < kSizes ? m_Ranges[static_cast<size_t>(index)] : "";
}

int CWBSGroessenklasse::GetSizeCount() const {
  int count = 0;
  while (count < kSizes && m_Sizes[static_cast<size_t>(count)] > 0) ++count;
  return count;
}

std::string CWBSGroessenklasse::FindRange(double size) const {
  for (int i = 0; i < GetSizeCount(); ++i)
    if (m_Sizes[static_cast<size_t>(i)] == size) return m_Ranges[static_cast<size_t>(i)];
  return "";
}

int CWBSGroessenklasse::GetBand(double size) const { return BandOf(m_Sizes, size); }

// ------------------------------------------------------------ mass categories

bool CWBSGewichtsklasse::Load(const std::string& name) {
  m_Limits.fill(0);
  m_Ranges.fill("");
  const std::string row = FindRow(kMassRows, name);
  m_bLoaded = !row.empty();
  if (m_bLoaded) ReadRow(row, m_Limits, m_Ranges);
  return m_bLoaded;
}

double CWBSGewichtsklasse::GetLimitMass(int index) const {
  return index >= 0 && index < kLimits ? m_Limits[static_cast<size_t>(index)] : 0;
}

std::string CWBSGewichtsklasse::GetRange(int index) const {
  return index >= 0 && index < kLimits ? m_Ranges[static_cast<size_t>(index)] : "";
}

int CWBSGewichtsklasse::GetBand(double mass) const { return BandOf(m_Limits, mass); }

// ------------------------------------------------------------ range tests

bool IsInRange(const std::string& value, const std::string& range) {
  double lo = 0, hi = 0;
  if (TrimWhite(value).empty() || !RangeEnds(range, lo, hi)) return false;
  const double x = AtofLocale(value);
  return lo <= x && x <= hi;
}

bool IsInMassRange(double value, const std::string& range) {
  double lo = 0, hi = 0;
  if (!RangeEnds(range, lo, hi)) return false;
  return lo < value && value < hi;
}

// ------------------------------------------------------------ fulfilment words

const char* WBSStoredWord(bool met) { return met ? "ja" : "nein"; }

std::string WBSShownWord(const std::string& stored) {
  const bool yes = stored == WBSStoredWord(true);
  if (!yes && stored != WBSStoredWord(false)) return stored;
  // Both words are one text, so that they come in one language ("ja" alone
  // is too short for the language file).
  const std::string shown = TrimWhite(StrGetField(TranslateString(67104, "ja / nein"), '/', yes ? 0 : 1));
  return shown.empty() ? stored : shown;
}
