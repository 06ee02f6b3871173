#include "records/statisticsselection.h"

#include <algorithm>

#include "i18n/translation.h"
#include "records/strutil.h"
#include "records/versuch.h"

namespace {

struct MaterialClass {
  const char* n1;
  const char* n2;  // a second N that also fits, or nullptr
  const char* q;   // nullptr: any
};
constexpr MaterialClass kMaterialClasses[] = {
    {"RGMIN", "DIN", "BK"},   {"RGMIN", "DIN", "RK"},  {"RGMIN", nullptr, "RC"},    {"DIN", nullptr, "LB"},
    {"DB", nullptr, "BK"},    {"DB", nullptr, "RK"},   {"DB", nullptr, "RC"},       {"DB", nullptr, "GS"},
    {"DB", nullptr, "GSRC"},  {"KUNDE", nullptr, "RC"}, {"KUNDE", nullptr, "GS"},   {"KUNDE", nullptr, "GSRC"},
    {"SDM", nullptr, nullptr},
};

std::string Part(const std::string& selection, int n) { return StrGetField(selection, '|', n); }

bool IsDate(const std::string& text) {
  return text.size() == 8 && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool OutsidePeriod(const CVersuch& record, const std::string& selection) {
  const std::string day = record.GetSamplingDate();
  return day < Part(selection, 4) || day > Part(selection, 5);
}

// The filters every statistic applies.
bool PassesCommonFilters(const CVersuch& record, const std::string& selection) {
  const std::string status = record.GetTestStatusList();
  if (status.empty() || status.find("[VA_SIEBL:0]") != std::string::npos) return false;
  if (record.GetValue(1, 0).rfind(Part(selection, 2) + "-" + Part(selection, 3) + "-", 0) != 0) return false;
  const std::string customer = Part(selection, 9);
  if (!customer.empty() && record.GetValue(1, 19) != customer) return false;
  if (record.GetValue(1, 4) != "1") return false;
  const std::string sieving = Part(selection, 10);
  if (sieving == "T" && record.GetSievingMode() != 2) return false;
  if (sieving == "N" && record.GetSievingMode() != 1) return false;
  return true;
}

}  // namespace

bool MatchesMaterialClass(const CVersuch& record, int materialClass) {
  if (materialClass < 0 || materialClass >= static_cast<int>(std::size(kMaterialClasses))) return false;
  const MaterialClass& c = kMaterialClasses[materialClass];
  const std::string requirements = record.GetField(5);
  const std::string n = StrGetField(requirements, ';', 0);
  const std::string q = StrGetField(requirements, ';', 1);
  return (n == c.n1 || (c.n2 && n == c.n2)) && (!c.q || q == c.q);
}

StatisticsRecordSelection SelectStatisticsRecords(const std::vector<const CVersuch*>& list,
                                                  const std::vector<int>& selectedRows, const std::string& selection,
                                                  const CVersuch& reference) {
  const bool oneRow = selectedRows.size() == 1;
  std::vector<const CVersuch*> candidates;
  if (oneRow) {
    candidates = list;
  } else {
    std::vector<int> rows = selectedRows;
    std::sort(rows.begin(), rows.end());
    for (int row : rows)
      if (row >= 0 && row < static_cast<int>(list.size())) candidates.push_back(list[static_cast<size_t>(row)]);
  }

  StatisticsRecordSelection result;
  if (Part(selection, 0) == "T") {
    const int materialClass = PlainAtoi(Part(selection, 1));
    for (const CVersuch* r : candidates)
      if (!OutsidePeriod(*r, selection) && MatchesMaterialClass(*r, materialClass)) result.set.push_back(r);
  } else {
    const std::string materialId = Part(selection, 1);
    const std::string tower = reference.GetValue(6, 0);
    for (const CVersuch* r : candidates) {
      if (OutsidePeriod(*r, selection)) continue;
      if (oneRow) {
        if (r->GetMaterialId() != materialId) continue;
        if (r->GetField(5) != reference.GetField(5))
          result.changedMaterials.push_back(r->GetValue(1, 0) + " : \"" + StrGetField(r->GetField(5), ';', 2) + "\"");
      } else if (r->GetValue(6, 0) != tower) {
        continue;
      }
      result.set.push_back(r);
    }
  }

  std::erase_if(result.set, [&selection](const CVersuch* r) { return !PassesCommonFilters(*r, selection); });
  return result;
}

std::string ChangedMaterialsMessage(const CVersuch& reference, const std::vector<std::string>& lines) {
  std::string text = TranslateString(60600, "Achtung!\nMaterial") + " \"" + StrGetField(reference.GetField(5), ';', 2) +
                     "\" " + TranslateString(60601, "geändert in:") + "\n";
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

void GetSelectionDateRange(const std::vector<const CVersuch*>& list, const std::vector<int>& selectedRows,
                           int& currentRow, std::string& firstDay, std::string& lastDay) {
  auto at = [&list](int row) -> const CVersuch* {
    return row >= 0 && row < static_cast<int>(list.size()) ? list[static_cast<size_t>(row)] : nullptr;
  };
  firstDay.clear();
  if (selectedRows.size() != 1) {
    for (int row : selectedRows) {
      const CVersuch* record = at(row);
      if (!record) continue;
      if (record->m_selected) currentRow = row;
      const std::string day = record->GetSamplingDate();
      if (!IsDate(day)) continue;
      if (firstDay.empty()) firstDay = lastDay = day;
      if (day < firstDay) firstDay = day;
      if (day > lastDay) lastDay = day;
    }
  }
  if (firstDay.empty()) {
    const CVersuch* current = at(currentRow);
    firstDay = lastDay = current ? current->GetSamplingDate() : std::string();
  }
}
