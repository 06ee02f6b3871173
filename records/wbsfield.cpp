#include "records/wbsfield.h"

#include "records/strutil.h"

namespace {

constexpr std::array<double, kWBSSizeRows> kSieveSizes = {0, 360, 250, 180, 125, 90, 63, 45, 31.5, 22.4, 0};
constexpr std::array<const char*, kWBSSizeRows> kSieveLabels = {"",   "360", "250", "180",  "125", "90",
                                                                "63", "45",  "31.5", "22.4", ""};

// A value fit for a list of the field: the characters the record file and
// the list reserve become "#".
std::string Clean(std::string value, char separator) {
  for (char& c : value)
    if (c == '|' || c == '~' || c == '$' || c == separator) c = '#';
  return value;
}

template <class List>
std::string Terminated(const List& values, char separator) {
  std::string out;
  for (const std::string& v : values) out += Clean(v, separator) + separator;
  return out;
}

template <class List>
std::string Joined(const List& values, char separator) {
  std::string out;
  bool first = true;
  for (const std::string& v : values) {
    if (!first) out += separator;
    out += Clean(v, separator);
    first = false;
  }
  return out;
}

template <size_t N>
void Split(const std::string& part, char separator, std::array<std::string, N>& values) {
  for (size_t i = 0; i < N; ++i) values[i] = StrGetField(part, separator, static_cast<int>(i));
}

std::string Part(const std::string& field, int part) { return StrGetField(field, '|', part); }

void SetPart(std::string& field, int part, const std::string& value) { StrSetField(field, '|', part, Clean(value, '|')); }

// The order of part 1: the sieves 360 .. 22.4, the pan, then the oversize row.
constexpr std::array<int, kWBSSizeRows> kResidueOrder = {kWBSRow360, 2, 3, 4, 5, 6, 7, 8, kWBSRow22,
                                                         kWBSRowPan, kWBSRowOversize};

}  // namespace

double WBSSieveSize(int row) { return row >= 0 && row < kWBSSizeRows ? kSieveSizes[static_cast<size_t>(row)] : 0; }

const char* WBSSieveLabel(int row) { return row >= 0 && row < kWBSSizeRows ? kSieveLabels[static_cast<size_t>(row)] : ""; }

WBSForm GetWBSForm(const std::string& field26) {
  const std::string kind = Part(field26, 0);
  if (kind.empty()) return WBSForm::kNone;
  return kind == "1" ? WBSForm::kSize : WBSForm::kMass;
}

// ------------------------------------------------------------ size form

WBSSizeData ReadWBSSizeData(const std::string& field) {
  WBSSizeData d;
  const std::string residues = Part(field, 1);
  for (size_t i = 0; i < kResidueOrder.size(); ++i)
    d.residues[static_cast<size_t>(kResidueOrder[i])] = StrGetField(residues, '@', static_cast<int>(i));
  d.category = Part(field, 2);
  Split(Part(field, 9), '@', d.ranges);
  Split(Part(field, 10), '@', d.labels);
  Split(Part(field, 12), '@', d.shares);
  Split(Part(field, 13), '@', d.passing);
  d.total = Part(field, 14);
  std::string sieves = Part(field, 15);
  while (!sieves.empty() && sieves.back() == ' ') sieves.pop_back();
  const int rows = sieves.empty() ? 0 : StrCountFields(sieves, ' ');
  for (int i = 0; i < rows; ++i)
    d.requirements.push_back({StrGetField(sieves, ' ', i), StrGetField(Part(field, 16), ' ', i),
                              StrGetField(Part(field, 17), ' ', i), StrGetField(Part(field, 18), ' ', i)});
  return d;
}

void WriteWBSSizeData(std::string& field, const WBSSizeData& d) {
  WBSRowTexts residues;
  for (size_t i = 0; i < kResidueOrder.size(); ++i) residues[i] = d.residues[static_cast<size_t>(kResidueOrder[i])];
  std::vector<std::string> sieves, passing, ranges, words;
  for (const WBSSieveRequirement& r : d.requirements) {
    sieves.push_back(r.sieve);
    passing.push_back(r.passing);
    ranges.push_back(r.range);
    words.push_back(r.word);
  }
  SetPart(field, 0, "1");
  SetPart(field, 1, Terminated(residues, '@'));
  SetPart(field, 2, d.category);
  SetPart(field, 4, "");
  SetPart(field, 8, "");
  SetPart(field, 9, Terminated(d.ranges, '@'));
  SetPart(field, 10, Joined(d.labels, '@'));
  SetPart(field, 11, Joined(d.residues, '@'));
  SetPart(field, 12, Joined(d.shares, '@'));
  SetPart(field, 13, Joined(d.passing, '@'));
  SetPart(field, 14, d.total);
  SetPart(field, 15, Terminated(sieves, ' '));
  SetPart(field, 16, Terminated(passing, ' '));
  SetPart(field, 17, Terminated(ranges, ' '));
  SetPart(field, 18, Terminated(words, ' '));
}

WBSShapeData ReadWBSShapeData(const std::string& field) {
  WBSShapeData d;
  const std::string setting = Part(field, 3);
  d.limit = StrGetField(setting, '@', 0);
  d.categoryIndex = PlainAtoi(StrGetField(setting, '@', 1));
  d.categoryName = StrGetField(setting, '@', 2);
  Split(Part(field, 5), '@', d.lengths);
  Split(Part(field, 6), '@', d.thicknesses);
  Split(Part(field, 19), '@', d.ratios);
  Split(Part(field, 20), '@', d.words);
  const std::string result = Part(field, 7);
  d.resultCategory = StrGetField(result, '@', 0);
  d.validCount = StrGetField(result, '@', 1);
  d.badCount = StrGetField(result, '@', 2);
  d.badShare = StrGetField(result, '@', 3);
  d.required = StrGetField(result, '@', 4);
  d.met = StrGetField(result, '@', 5);
  return d;
}

void WriteWBSShapeData(std::string& field, const WBSShapeData& d) {
  SetPart(field, 3, Clean(d.limit, '@') + "@" + std::to_string(d.categoryIndex) + "@" + Clean(d.categoryName, '@') + "@");
  SetPart(field, 5, Terminated(d.lengths, '@'));
  SetPart(field, 6, Terminated(d.thicknesses, '@'));
  const std::array<std::string, 6> result = {d.resultCategory, d.validCount, d.badCount,
                                             d.badShare,       d.required,   d.met};
  SetPart(field, 7, Terminated(result, '@'));
  SetPart(field, 19, Terminated(d.ratios, '@'));
  SetPart(field, 20, Terminated(d.words, '@'));
}

// ------------------------------------------------------------ mass form

WBSMassData ReadWBSMassData(const std::string& field) {
  WBSMassData d;
  Split(Part(field, 1), '@', d.masses);
  d.category = Part(field, 2);
  d.massClass = Part(field, 3);
  d.dust = Part(field, 4);
  Split(Part(field, 5), '@', d.lengths);
  Split(Part(field, 6), '@', d.thicknesses);
  Split(Part(field, 7), '@', d.badMasses);
  Split(Part(field, 10), ' ', d.stoneTokens);
  Split(Part(field, 11), ' ', d.bandMasses);
  Split(Part(field, 12), ' ', d.bandMassesWithDust);
  d.total = Part(field, 13);
  for (int p = 0; p < kWBSMassTableParts; ++p) Split(Part(field, 14 + p), ' ', d.table[static_cast<size_t>(p)]);
  return d;
}

void WriteWBSMassData(std::string& field, const WBSMassData& d) {
  std::vector<std::string> parts(20);
  parts[0] = "2";
  parts[1] = Terminated(d.masses, '@');
  parts[2] = d.category;
  parts[3] = d.massClass;
  parts[4] = d.dust;
  parts[5] = Terminated(d.lengths, '@');
  parts[6] = Terminated(d.thicknesses, '@');
  parts[7] = Terminated(d.badMasses, '@');
  parts[10] = Terminated(d.stoneTokens, ' ');
  parts[11] = Joined(d.bandMasses, ' ');
  parts[12] = Joined(d.bandMassesWithDust, ' ');
  parts[13] = d.total;
  for (int p = 0; p < kWBSMassTableParts; ++p) parts[static_cast<size_t>(14 + p)] = Terminated(d.table[static_cast<size_t>(p)], ' ');
  std::string text;
  for (size_t i = 0; i < parts.size(); ++i) text += (i ? "|" : "") + Clean(parts[i], '|');
  // Whatever another test keeps from part 20 on stays.
  if (StrCountFields(field, '|') > 20) text += StrGetFields(field, '|', 20, -1);
  field = text;
}

std::string WBSStoneTokenMass(const std::string& token) { return StrGetField(token, '_', 0); }

int WBSStoneTokenBand(const std::string& token) {
  const std::string band = StrGetField(token, '_', 1);
  if (band.empty() || band.find_first_not_of("0123456789") != std::string::npos) return -1;
  return PlainAtoi(band);
}
