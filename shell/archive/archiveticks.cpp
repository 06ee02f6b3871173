#include "shell/archive/archiveticks.h"

namespace {

constexpr size_t kYearKeyLength = 4;
constexpr size_t kMonthKeyLength = 6;

}  // namespace

void ApplyTickRules(std::vector<TickRow>& rows, int changed) {
  if (changed < 0 || changed >= static_cast<int>(rows.size())) return;
  const size_t row = static_cast<size_t>(changed);
  if (rows[row].key.size() == kYearKeyLength) {
    for (size_t i = row + 1; i < rows.size() && rows[i].key.size() == kMonthKeyLength; ++i)
      rows[i].ticked = rows[row].ticked;
    return;
  }
  bool unticked = false;
  for (size_t i = rows.size(); i-- > 0;) {
    if (rows[i].key.size() == kMonthKeyLength) {
      if (!rows[i].ticked) unticked = true;
    } else if (rows[i].key.size() == kYearKeyLength) {
      rows[i].ticked = !unticked;
      unticked = false;
    }
  }
}

std::vector<std::string> TickedMonths(const std::vector<TickRow>& rows) {
  std::vector<std::string> months;
  for (const TickRow& row : rows)
    if (row.ticked && row.key.size() == kMonthKeyLength) months.push_back(row.key);
  return months;
}
