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
  // (kind, parameter) of each key, the first deciding.
  std::vector<std::pair<int, int>> Keys() const;

  std::string Format() const;  // "%d;%d;%d;%d"
  static SortState Parse(const std::string& text);
};

// The keys the rows stand in, the first deciding: a stable pass by one key
// puts that key in front of the keys of the order before it. Records added
// later find their place by these keys.
class ListOrder {
 public:
  void Set(std::vector<std::pair<int, int>> keys);
  // The rows were sorted by one more key (one stable pass).
  void SortedBy(int kind, int parameter);
  const std::vector<std::pair<int, int>>& keys() const { return keys_; }

  // The row a record takes in rows in this order, behind every row that does
  // not sort after it: a binary search.
  size_t InsertionRow(const std::vector<const CVersuch*>& rows, const CVersuch& record) const;
  // Rows in this order followed by records added behind them from
  // `firstAdded` on: the order that puts each added record in its place, as
  // indexes into `rows` (entry i is the row that comes i-th). The rows before
  // `firstAdded` keep their order; added records of equal keys keep theirs.
  std::vector<size_t> MergeOrder(const std::vector<const CVersuch*>& rows, size_t firstAdded) const;

 private:
  std::vector<std::pair<int, int>> keys_;
};

// The direction of a header click alternates for the whole run: the first
// click sorts descending.
class SortDirectionToggle {
 public:
  int Next() { value_ = value_ == 0 ? kSortDescending : 0; return value_; }
 private:
  int value_ = 0;
};
