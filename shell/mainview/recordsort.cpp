#include "shell/mainview/recordsort.h"

#include <algorithm>

#include "records/strutil.h"
#include "records/versuch.h"

int CompareRecordsByColumn(const CVersuch& a, const CVersuch& b, int parameter) {
  const bool descending = parameter >= kSortDescending;
  const int column = descending ? parameter - kSortDescending : parameter;
  if (column == 16) {
    int diff = a.GetSievingMode() - b.GetSievingMode();
    return descending ? -diff : diff;
  }
  const std::string ta = StrGetField(a.GetField(30), '|', column);
  const std::string tb = StrGetField(b.GetField(30), '|', column);
  return descending ? StrCompareNoCase(tb, ta) : StrCompareNoCase(ta, tb);
}

int CompareRecordsByStatus(const CVersuch& a, const CVersuch& b, int order) {
  switch (order) {
    case 0: return StrCompareNoCase(b.GetField(29), a.GetField(29));
    case 1: return StrCompareNoCase(a.GetValue(1, 4), b.GetValue(1, 4));
    case 2: return StrCompareNoCase(b.GetValue(18, 7), a.GetValue(18, 7));
    case 3: {
      auto mark = [](const CVersuch& r) { return std::string(r.GetValue(1, 21).empty() ? "a" : "z"); };
      return StrCompareNoCase(mark(b), mark(a));
    }
    default: return 0;
  }
}

void SortRecords(std::vector<CVersuch*>& rows, int kind, int parameter) {
  std::stable_sort(rows.begin(), rows.end(), [kind, parameter](const CVersuch* a, const CVersuch* b) {
    return (kind == kSortByStatus ? CompareRecordsByStatus(*a, *b, parameter)
                                  : CompareRecordsByColumn(*a, *b, parameter)) < 0;
  });
}

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
  SortRecords(rows, kSortByColumn, 0);
  SortRecords(rows, secondaryKind, secondaryParameter);
  SortRecords(rows, primaryKind, primaryParameter);
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
