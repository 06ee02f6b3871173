#pragma once
// Order of the record list: two sort keys (primary, secondary) with the test
// number as the last tie-break, kept as four numbers in the INI key "SortOrder".
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

class CVersuch;

constexpr int kSortByColumn = 1;
constexpr int kSortByStatus = 2;
constexpr int kSortDescending = 100;

// Comparator kind 2 selects the status orders, every other kind the columns.
// Column parameters are 0 to 16, plus 100 for descending; status orders 0 to 3.
int CompareRecordsByColumn(const CVersuch& a, const CVersuch& b, int parameter);
int CompareRecordsByStatus(const CVersuch& a, const CVersuch& b, int order);

// One stable pass by one key: ties keep their order.
void SortRecords(std::vector<CVersuch*>& rows, int kind, int parameter);
// The same order as indexes: entry i is the index in `rows` of the record
// that comes i-th.
std::vector<size_t> SortOrder(const std::vector<const CVersuch*>& rows, int kind, int parameter);

struct SortState {
  int primaryKind = 0;
  int primaryParameter = 0;
  int secondaryKind = 0;
  int secondaryParameter = 0;

  // A new primary key; the old one moves down unless it is the same key: the
  // same column in either direction, or the same status order. A status order
  // and a column of the same number are different keys.
  void SetSortKey(int kind, int parameter);
  // Test number, then the secondary key, then the primary key.
  void FullSort(std::vector<CVersuch*>& rows) const;
  // The same order as indexes (as SortOrder).
  std::vector<size_t> FullSortOrder(const std::vector<const CVersuch*>& rows) const;

  std::string Format() const;  // "%d;%d;%d;%d"
  static SortState Parse(const std::string& text);

 private:
  // (kind, parameter) of each key, the first deciding.
  std::vector<std::pair<int, int>> Keys() const;
};

// The direction of a header click alternates for the whole run: the first
// click sorts descending.
class SortDirectionToggle {
 public:
  int Next() { value_ = value_ == 0 ? kSortDescending : 0; return value_; }
 private:
  int value_ = 0;
};
