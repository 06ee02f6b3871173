#include "shell/mainview/recordsort.h"

#include <algorithm>

#include "records/strutil.h"
#include "records/versuch.h"

namespace {

// One key of one record, taken once per sort: the folded text the
// comparators compare, or the number of the sieving mode.
struct SortKey {
  std::string text;
  int number = 0;
  bool descending = false;

  int Compare(const SortKey& other) const {
    const int c = number != other.number ? (number < other.number ? -1 : 1) : text.compare(other.text);
    return descending ? -c : c;
  }
};

SortKey ColumnKey(const CVersuch& record, int parameter) {
  SortKey key;
  key.descending = parameter >= kSortDescending;
  const int column = key.descending ? parameter - kSortDescending : parameter;
  if (column == 16) key.number = record.GetSievingMode();
  else key.text = FoldedText(StrGetFieldView(record.GetField(30), '|', column));
  return key;
}

SortKey StatusKey(const CVersuch& record, int order) {
  switch (order) {
    case 0: return {FoldedText(record.GetField(29)), 0, true};
    case 1: return {FoldedText(record.GetValue(1, 4)), 0, false};
    case 2: return {FoldedText(record.GetValue(18, 7)), 0, true};
    case 3: return {"", record.GetValue(1, 21).empty() ? 0 : 1, true};
    default: return {};
  }
}

// One stable sort by the keys in turn (the first decides, the next breaks
// its ties...), the same order as one stable pass per key from the last
// key to the first.
void SortByKeys(std::vector<CVersuch*>& rows, const std::vector<std::pair<int, int>>& keys) {
  const size_t width = keys.size();
  std::vector<SortKey> table(rows.size() * width);
  for (size_t row = 0; row < rows.size(); ++row)
    for (size_t k = 0; k < width; ++k)
      table[row * width + k] = keys[k].first == kSortByStatus ? StatusKey(*rows[row], keys[k].second)
                                                              : ColumnKey(*rows[row], keys[k].second);
  std::vector<size_t> order(rows.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&table, width](size_t a, size_t b) {
    for (size_t k = 0; k < width; ++k)
      if (const int c = table[a * width + k].Compare(table[b * width + k]); c != 0) return c < 0;
    return false;
  });
  std::vector<CVersuch*> sorted(rows.size());
  for (size_t i = 0; i < order.size(); ++i) sorted[i] = rows[order[i]];
  rows = std::move(sorted);
}

}  // namespace

int CompareRecordsByColumn(const CVersuch& a, const CVersuch& b, int parameter) {
  return ColumnKey(a, parameter).Compare(ColumnKey(b, parameter));
}

int CompareRecordsByStatus(const CVersuch& a, const CVersuch& b, int order) {
  return StatusKey(a, order).Compare(StatusKey(b, order));
}

void SortRecords(std::vector<CVersuch*>& rows, int kind, int parameter) { SortByKeys(rows, {{kind, parameter}}); }

namespace {
// Every kind but the status kind selects the column comparator.
bool SameSortKey(int kindA, int parameterA, int kindB, int parameterB) {
  const bool statusA = kindA == kSortByStatus;
  const bool statusB = kindB == kSortByStatus;
  if (statusA != statusB) return false;
  // A column sorts the same whichever its direction; status orders have none.
  return statusA ? parameterA == parameterB : parameterA % 100 == parameterB % 100;
}
}  // namespace

void SortState::SetSortKey(int kind, int parameter) {
  if (!SameSortKey(primaryKind, primaryParameter, kind, parameter)) {
    secondaryKind = primaryKind;
    secondaryParameter = primaryParameter;
  }
  primaryKind = kind;
  primaryParameter = parameter;
}

void SortState::FullSort(std::vector<CVersuch*>& rows) const {
  SortByKeys(rows, {{primaryKind, primaryParameter}, {secondaryKind, secondaryParameter}, {kSortByColumn, 0}});
}

std::string SortState::Format() const {
  return std::to_string(primaryKind) + ";" + std::to_string(primaryParameter) + ";" +
         std::to_string(secondaryKind) + ";" + std::to_string(secondaryParameter);
}

SortState SortState::Parse(const std::string& text) {
  SortState s;
  s.primaryKind = PlainAtoi(StrGetField(text, ';', 0));
  s.primaryParameter = PlainAtoi(StrGetField(text, ';', 1));
  s.secondaryKind = PlainAtoi(StrGetField(text, ';', 2));
  s.secondaryParameter = PlainAtoi(StrGetField(text, ';', 3));
  return s;
}
