#include "records/sievelist.h"

#include <algorithm>

#include "records/strutil.h"

namespace {

std::vector<std::string> SplitItems(const std::string& list, const std::string& separator) {
  std::vector<std::string> items;
  if (separator.empty()) return items;
  const int count = StrCountFieldsS(list, separator);
  for (int n = 0; n < count; ++n) {
    // A doubled separator (as in some sieve towers) leaves an empty item:
    // skip it and keep the sizes behind it.
    std::string item = StrGetFieldS(list, separator, n);
    if (!item.empty()) items.push_back(std::move(item));
  }
  return items;
}

void SortByValue(std::vector<std::string>& items, bool descending) {
  std::stable_sort(items.begin(), items.end(), [descending](const std::string& a, const std::string& b) {
    const double va = PlainAtof(a), vb = PlainAtof(b);
    return descending ? va > vb : va < vb;
  });
}

std::string Join(const std::vector<std::string>& items, const std::string& separator) {
  std::string text;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text += separator;
    text += items[i];
  }
  return text;
}

}  // namespace

std::string SortSieveSizesDescending(const std::string& list) {
  std::vector<std::string> items = SplitItems(list, ";");
  SortByValue(items, true);
  return Join(items, ";");
}

std::string SortSieveSizesAscending(const std::string& list) {
  std::vector<std::string> items = SplitItems(list, ";");
  SortByValue(items, false);
  return Join(items, ";");
}

bool SplitSortSieveList(std::vector<std::string>& items, const std::string& list,
                        const std::string& separator) {
  items = SplitItems(list, separator);
  SortByValue(items, true);
  return !items.empty();
}

std::string SortSieveListAscending(const std::string& list, const std::string& splitSeparator,
                                   const std::string& joinSeparator) {
  std::vector<std::string> items;
  SplitSortSieveList(items, list, splitSeparator);
  std::reverse(items.begin(), items.end());
  return Join(items, joinSeparator);
}
