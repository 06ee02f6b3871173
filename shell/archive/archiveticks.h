#pragma once
// The tick rules of the month lists of the archive and dearchive dialogs,
// apart from the widgets: year rows (four-character keys) stand before their
// month rows (six characters).
#include <string>
#include <vector>

struct TickRow {
  std::string key;
  bool ticked = false;
  bool operator==(const TickRow&) const = default;
};

// After a change of row `changed`: a year row passes its tick to the month
// rows that follow it, up to the next row of another key length; a month
// row makes every year row ticked exactly when all of its months are.
void ApplyTickRules(std::vector<TickRow>& rows, int changed);

// The keys of the ticked month rows, in list order.
std::vector<std::string> TickedMonths(const std::vector<TickRow>& rows);
