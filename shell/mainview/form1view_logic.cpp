#include "shell/mainview/form1view_logic.h"

#include <algorithm>
#include <cmath>

#include "controls/exlistctrl.h"
#include "i18n/translation.h"
#include "records/strutil.h"
#include "records/versuch.h"

// ------------------------------------------------------------ columns

ColumnLayout ParseColumnLayout(const std::string& widths, const std::string& order, bool reset,
                               const std::string& defaultWidths) {
  std::string widthText = reset ? std::string() : widths;
  const std::string orderText = reset ? std::string(kDefaultColumnOrder) : order;

  ColumnLayout layout;
  if (widthText.size() < 34) widthText = defaultWidths;
  for (int i = 0; i < kListColumnCount; ++i) {
    const std::string field = StrGetField(widthText, ';', i);
    if (field.empty()) break;
    layout.widths.push_back(PlainAtoi(field));
  }

  if (StrCountFields(orderText, ';') == kListColumnCount) {
    std::vector<int> columns;
    for (int i = 0; i < kListColumnCount; ++i) columns.push_back(PlainAtoi(StrGetField(orderText, ';', i)));
    std::vector<int> sorted = columns;
    std::sort(sorted.begin(), sorted.end());
    bool permutation = true;
    for (int i = 0; i < kListColumnCount; ++i) permutation = permutation && sorted[static_cast<size_t>(i)] == i;
    // A damaged order would hide or double columns: keep the list's order then.
    if (permutation) layout.order = std::move(columns);
  }
  return layout;
}

std::string ScaledDefaultColumnWidths(double digitWidth, int statusMarksWidth) {
  const double ratio = digitWidth > 0 ? digitWidth / kDefaultWidthsDigitWidth : 1.0;
  std::vector<int> widths;
  for (int i = 0; i < kListColumnCount; ++i) {
    const int width = PlainAtoi(StrGetField(kDefaultColumnWidths, ';', i));
    widths.push_back(i == kStatusColumn ? std::max(width, statusMarksWidth)
                                             : static_cast<int>(std::lround(width * ratio)));
  }
  return FormatColumnWidths(widths);
}

std::string FormatColumnWidths(const std::vector<int>& widths) {
  std::string text;
  for (int width : widths) text += std::to_string(width) + ";";
  return text;
}

std::string FormatColumnOrder(const std::vector<int>& order) {
  std::string text;
  for (size_t i = 0; i < order.size(); ++i) text += (i ? ";" : "") + std::to_string(order[i]);
  return text;
}

// ------------------------------------------------------------ key indexes

void CountedKeyIndex::Add(const std::string& key) {
  ++counts_[key];
  if (mirror_) mirror_->try_emplace(key);
}

void CountedKeyIndex::Reserve(size_t keys) {
  counts_.reserve(keys);
  if (mirror_) mirror_->reserve(keys);
}

void CountedKeyIndex::Remove(const std::string& key) {
  auto it = counts_.find(key);
  if (it != counts_.end() && --it->second > 0) return;
  if (it != counts_.end()) counts_.erase(it);
  if (mirror_) mirror_->erase(key);
}

int CountedKeyIndex::Count(const std::string& key) const {
  auto it = counts_.find(key);
  return it == counts_.end() ? 0 : it->second;
}

void CountedKeyIndex::Clear() {
  if (mirror_)
    for (const auto& [key, count] : counts_) mirror_->erase(key);
  counts_.clear();
}

// ------------------------------------------------------------ selection

int CurrentRecordRow(int focusedRow, const std::vector<int>& selected) {
  if (focusedRow < 0) return -1;
  if (selected.size() == 1) return selected.front();
  if (selected.size() > 1 && std::find(selected.begin(), selected.end(), focusedRow) == selected.end())
    return selected.front();
  return focusedRow;
}

SelectionSummary SummarizeSelection(const std::vector<const CVersuch*>& selected) {
  SelectionSummary summary;
  summary.count = static_cast<int>(selected.size());
  std::string referenceTower;
  std::string referenceKey;
  for (const CVersuch* record : selected) {
    const std::string tower = record->GetValue(6, 0);
    const std::string key = record->GetValue(1, 16) + record->GetValue(1, 15);
    if (referenceTower.empty()) referenceTower = tower;
    if (referenceKey.empty()) referenceKey = key;
    if (tower != referenceTower || key != referenceKey) summary.same = false;
  }
  if (summary.count == 1) {
    const CVersuch& record = *selected.front();
    // A material without a standard shows no empty brackets.
    const std::string standard = record.GetValue(18, 1);
    summary.detail = record.GetValue(1, 0) + "        " + record.GetValue(18, 0) +
                     (standard.empty() ? "" : " (" + standard + ")");
  }
  return summary;
}

std::string SelectionStatusText(const SelectionSummary& summary) {
  return TranslateString(5170, "Markiert") + ": " + std::to_string(summary.count) + "     " + summary.detail;
}

SelectionButtons SelectionButtonStates(const SelectionSummary& summary, const SelectionButtons& before) {
  SelectionButtons after = before;
  if (summary.count == 1) {
    after.periodStatistics = true;
    after.materialStatistics = true;
  } else {
    after.materialStatistics = summary.same;
  }
  after.mixture = summary.count >= 1 && summary.count <= 20;
  after.remove = summary.count > 0;
  return after;
}

std::vector<std::string> TestStatusTokens(const std::string& statusList) {
  std::vector<std::string> tokens;
  for (int i = 0;; ++i) {
    std::string token = StrGetToken(statusList, "[", "]", i);
    if (token.empty()) break;
    tokens.push_back(std::move(token));
  }
  return tokens;
}

std::vector<std::pair<int, int>> RowRunsFromTheEnd(const std::vector<int>& rows) {
  std::vector<std::pair<int, int>> runs;
  for (size_t end = rows.size(); end > 0;) {
    size_t begin = end - 1;
    while (begin > 0 && rows[begin - 1] == rows[begin] - 1) --begin;
    runs.emplace_back(rows[begin], rows[end - 1]);
    end = begin;
  }
  return runs;
}

std::string ToggledFlag(const std::string& value) { return value == "1" ? "0" : "1"; }

std::string SievingModeWord(int mode) {
  // The words of the statistics files, in the language of the program.
  if (mode == 1) return TranslateString(5401, "Nass");
  if (mode == 2) return TranslateString(5402, "Trocken");
  return "";
}
