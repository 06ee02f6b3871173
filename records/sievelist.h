#pragma once
// Sieve size lists: sizes in mm as texts joined by a separator, sorted by
// numeric value. Items keep their text; duplicates stay; empty items are
// skipped; an item that is no number sorts as 0. Sorting is stable.
#include <string>
#include <vector>

std::string SortSieveSizesDescending(const std::string& list);  // ";" in and out
std::string SortSieveSizesAscending(const std::string& list);   // ";" in and out
// The items in descending order of value; true when there is at least one.
bool SplitSortSieveList(std::vector<std::string>& items, const std::string& list,
                        const std::string& separator);
// The items joined in ascending order of value; items of equal value come in
// the reverse of their input order.
std::string SortSieveListAscending(const std::string& list, const std::string& splitSeparator,
                                   const std::string& joinSeparator);
