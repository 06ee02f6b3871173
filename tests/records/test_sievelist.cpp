#include <gtest/gtest.h>

#include "records/sievelist.h"

namespace {

TEST(SieveLists, SortByValueKeepingTheTexts) {
  EXPECT_EQ(SortSieveListAscending("0.5 22.4 31.5 40.0 50.0 63.0 80.0", " ", ";"),
            "0.5;22.4;31.5;40.0;50.0;63.0;80.0");
  EXPECT_EQ(SortSieveSizesDescending("1;2;0.5"), "2;1;0.5");
  EXPECT_EQ(SortSieveSizesAscending("8;0.063;2"), "0.063;2;8");
  EXPECT_EQ(SortSieveListAscending("8 0.063 2", " ", ";"), "0.063;2;8");
  EXPECT_EQ(SortSieveSizesDescending("abc;1"), "1;abc");  // no number sorts as 0
}

TEST(SieveLists, DoubledSeparatorKeepsTheSizesBehindIt) {
  // Some built-in towers hold two blanks in a row.
  EXPECT_EQ(SortSieveListAscending("0.063  0.25 2.0", " ", ";"), "0.063;0.25;2.0");
  EXPECT_EQ(SortSieveListAscending("0.063  0.25 2.0 5.6 8.0 11.2 16.0 22.4 31.5 45.0 56.0 63.0 90.0", " ", ";"),
            "0.063;0.25;2.0;5.6;8.0;11.2;16.0;22.4;31.5;45.0;56.0;63.0;90.0");
  EXPECT_EQ(SortSieveSizesDescending("1;;2"), "2;1");
}

TEST(SieveLists, EmptyItemsAndEmptyLists) {
  EXPECT_EQ(SortSieveSizesDescending("1;2;"), "2;1");
  EXPECT_EQ(SortSieveSizesDescending(""), "");
  EXPECT_EQ(SortSieveSizesAscending(""), "");
  EXPECT_EQ(SortSieveListAscending("", " ", ";"), "");
  std::vector<std::string> items{"old"};
  EXPECT_FALSE(SplitSortSieveList(items, "", ";"));
  EXPECT_TRUE(items.empty());
  EXPECT_TRUE(SplitSortSieveList(items, "2;8;4", ";"));
  EXPECT_EQ(items, (std::vector<std::string>{"8", "4", "2"}));
}

TEST(SieveLists, EqualValuesWrittenDifferently) {
  EXPECT_EQ(SortSieveSizesDescending("2;2.0;1"), "2;2.0;1");
  EXPECT_EQ(SortSieveSizesAscending("2;2.0;1"), "1;2;2.0");
  // Sorted descending, then joined from the end: equal values come reversed.
  EXPECT_EQ(SortSieveListAscending("2;2.0;1", ";", ";"), "1;2.0;2");
}

}  // namespace
