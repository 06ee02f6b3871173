#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "platform/textcodec.h"
#include "records/strutil.h"
#include "records/versuch.h"
#include "shell/mainview/recordsort.h"

namespace {

// A record whose list summary holds the test number, the test type (column 2)
// and the plant (column 12).
std::unique_ptr<CVersuch> Row(const std::string& number, const std::string& type,
                              const std::string& plant) {
  auto r = std::make_unique<CVersuch>();
  std::string summary;
  for (int c = 0; c < 16; ++c) StrSetField(summary, '|', c, "");
  StrSetField(summary, '|', 0, number);
  StrSetField(summary, '|', 2, type);
  StrSetField(summary, '|', 12, plant);
  r->SetField(30, summary);
  r->SetValue(1, 0, number);
  return r;
}

std::string Numbers(const std::vector<CVersuch*>& rows) {
  std::string out;
  for (auto* r : rows) out += r->GetValue(1, 0) + " ";
  return out;
}

}  // namespace

TEST(RecordSort, CaseInsensitiveInCodePageOrder) {
  EXPECT_EQ(StrCompareNoCase("abc", "ABC"), 0);
  EXPECT_LT(StrCompareNoCase("abc", "abd"), 0);
  EXPECT_LT(StrCompareNoCase("ab", "abc"), 0);
  EXPECT_EQ(StrCompareNoCase("Ärger", "ärger"), 0);
  EXPECT_GT(StrCompareNoCase("ärger", "zebra"), 0);  // code page order: umlauts after z
  EXPECT_LT(StrCompareNoCase("2026-01-05", "2026-11-01"), 0);
}

TEST(RecordSort, HeaderClicksMoveThePrimaryKeyDown) {
  SortDirectionToggle toggle;
  SortState s;
  s.SetSortKey(kSortByColumn, 2 + toggle.Next());  // "Prüfart", first click: descending
  EXPECT_EQ(s.primaryParameter, 102);
  s.SetSortKey(kSortByColumn, 12 + toggle.Next());  // "Werk" next: ascending
  EXPECT_EQ(s.Format(), "1;12;1;102");
  s.SetSortKey(kSortByColumn, 12 + toggle.Next());  // same column again: reversed only
  EXPECT_EQ(s.Format(), "1;112;1;102");
}

// A status order and a column of the same number are different keys: either
// replaces the other as primary and moves it down.
TEST(RecordSort, StatusOrderAndColumnOfTheSameNumberAreDifferentKeys) {
  struct Case {
    const char* before;
    int kind;
    int parameter;
    const char* after;
  } cases[] = {
      {"1;102;1;12", kSortByStatus, 2, "2;2;1;102"},   // status 2 over column 2
      {"2;2;1;12", kSortByColumn, 2, "1;2;2;2"},       // column 2 over status 2
      {"2;2;1;12", kSortByColumn, 102, "1;102;2;2"},
      {"2;3;1;12", kSortByStatus, 3, "2;3;1;12"},      // the same status order again
      {"2;3;1;12", kSortByStatus, 1, "2;1;2;3"},
      {"1;5;2;1", kSortByColumn, 105, "1;105;2;1"},    // same column: direction only
      {"0;0;0;0", kSortByColumn, 100, "1;100;0;0"},    // stored kind 0 is a column
  };
  for (const Case& c : cases) {
    SortState s = SortState::Parse(c.before);
    s.SetSortKey(c.kind, c.parameter);
    EXPECT_EQ(s.Format(), c.after) << c.before << " + " << c.kind << ";" << c.parameter;
  }
}

TEST(RecordSort, FullSortUsesPrimarySecondaryAndTestNumber) {
  RecordList owned;
  owned.push_back(Row("P-4", "Sieb", "Nord"));
  owned.push_back(Row("P-1", "Sieb", "Süd"));
  owned.push_back(Row("P-3", "Korn", "Nord"));
  owned.push_back(Row("P-2", "Sieb", "Nord"));
  std::vector<CVersuch*> rows;
  for (auto& r : owned) rows.push_back(r.get());
  SortState s;
  s.SetSortKey(kSortByColumn, 102);  // type descending
  s.SetSortKey(kSortByColumn, 12);   // plant ascending, type as secondary
  s.FullSort(rows);
  EXPECT_EQ(Numbers(rows), "P-2 P-4 P-3 P-1 ");
}

TEST(RecordSort, StatusOrders) {
  RecordList owned;
  owned.push_back(Row("A", "", ""));
  owned.push_back(Row("B", "", ""));
  owned.push_back(Row("C", "", ""));
  owned[1]->SetValue(1, 21, "Bemerkung");
  owned[0]->SetValue(1, 4, "1");
  owned[1]->SetValue(1, 4, "1");
  owned[2]->SetValue(1, 4, "0");
  owned[0]->SetValue(18, 7, "1");
  owned[2]->SetValue(18, 7, "2");
  std::vector<CVersuch*> rows;
  for (auto& r : owned) rows.push_back(r.get());
  SortRecords(rows, kSortByStatus, 3);
  EXPECT_EQ(Numbers(rows), "B A C ");  // remark first, ties keep their order
  SortRecords(rows, kSortByStatus, 1);
  EXPECT_EQ(Numbers(rows), "C B A ");  // left out of statistics first
  SortRecords(rows, kSortByStatus, 2);
  EXPECT_EQ(Numbers(rows), "C A B ");  // exclamation mark, tick, none
  SortRecords(rows, kSortByStatus, 7);
  EXPECT_EQ(Numbers(rows), "C A B ");  // unknown order: all equal
}

TEST(RecordSort, StoredOrderRestartsTheList) {
  SortState s = SortState::Parse("2;1;1;105");
  EXPECT_EQ(s.primaryKind, 2);
  EXPECT_EQ(s.secondaryParameter, 105);
  EXPECT_EQ(SortState::Parse("garbage").Format(), "0;0;0;0");
  RecordList owned;
  owned.push_back(Row("Z", "", ""));
  owned.push_back(Row("Y", "", ""));
  owned.push_back(Row("X", "", ""));
  owned[0]->SetValue(1, 4, "0");
  owned[1]->SetValue(1, 4, "1");
  owned[2]->SetValue(1, 4, "1");
  std::vector<CVersuch*> rows;
  for (auto& r : owned) rows.push_back(r.get());
  s.FullSort(rows);
  EXPECT_EQ(Numbers(rows), "Z X Y ");
}

TEST(RecordSort, Column16SortsBySievingMode) {
  RecordList owned;
  const char* modes[] = {"1", "0", ""};  // dry, wet, no sieve test
  for (int i = 0; i < 3; ++i) {
    auto r = Row(std::string(1, char('A' + i)), "", "");
    if (*modes[i]) {
      r->SetField(25, "{0}{ID|Name|0.063 2 8}");
      r->SetValue(7, 2, modes[i]);
    }
    owned.push_back(std::move(r));
  }
  std::vector<CVersuch*> rows;
  for (auto& r : owned) rows.push_back(r.get());
  SortRecords(rows, kSortByColumn, 16);
  EXPECT_EQ(Numbers(rows), "C B A ");
  SortRecords(rows, kSortByColumn, 116);
  EXPECT_EQ(Numbers(rows), "A B C ");
}

// The folded texts a sort compares order as the comparison of the texts
// does, for every character of the code page, bytes that are no UTF-8, and
// characters outside the code page.
TEST(RecordSort, FoldedTextsOrderAsTheTextsCompare) {
  std::vector<std::string> texts = {"", "a", "A", "ab", "aB", "≤", "✓", "\xC3", "\xFF", "z\xC3", "Ärger"};
  for (int b = 1; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    texts.push_back(byte);
    texts.push_back("x" + platform::FromCp1252(byte));
    texts.push_back(platform::FromCp1252(byte) + "a");
  }
  auto sign = [](int c) { return (c > 0) - (c < 0); };
  for (const std::string& a : texts)
    for (const std::string& b : texts)
      ASSERT_EQ(sign(FoldedText(a).compare(FoldedText(b))), sign(StrCompareNoCase(a, b)))
          << testing::PrintToString(a) << " " << testing::PrintToString(b);
}

// A sort with keys taken once gives the order of one stable pass per key
// with the text comparison, the last key first.
TEST(RecordSort, KeyedSortMatchesStablePassesOfTheComparison) {
  const char* types[] = {"Sieb", "sieb", "Korn", "Kies 0/2", "kies 0/2", "Äsche", ""};
  const char* plants[] = {"Nord", "nord", "Süd", "SÜD", ""};
  RecordList owned;
  for (int i = 0; i < 300; ++i)
    owned.push_back(Row("P-" + std::to_string(i % 37), types[(i * 5) % 7], plants[(i * 3) % 5]));
  std::vector<CVersuch*> rows;
  for (auto& r : owned) rows.push_back(r.get());
  auto pass = [](std::vector<CVersuch*>& list, int column, bool descending) {
    std::stable_sort(list.begin(), list.end(), [column, descending](const CVersuch* a, const CVersuch* b) {
      const std::string ta = StrGetField(a->GetField(30), '|', column), tb = StrGetField(b->GetField(30), '|', column);
      return (descending ? StrCompareNoCase(tb, ta) : StrCompareNoCase(ta, tb)) < 0;
    });
  };
  for (const auto& [primary, secondary] : std::vector<std::pair<int, int>>{{12, 102}, {102, 12}, {2, 112}}) {
    std::vector<CVersuch*> expected = rows;
    pass(expected, 0, false);
    pass(expected, secondary % 100, secondary >= 100);
    pass(expected, primary % 100, primary >= 100);
    SortState s;
    s.SetSortKey(kSortByColumn, secondary);
    s.SetSortKey(kSortByColumn, primary);
    std::vector<CVersuch*> sorted = rows;
    s.FullSort(sorted);
    EXPECT_EQ(sorted, expected) << primary << " " << secondary;
  }
}

// Keys whose first eight bytes are equal are told apart by the rest of their
// texts: longer ones, ones that differ in case or past the code page's
// letters, and ones that end in zero bytes; in both directions.
TEST(RecordSort, KeysEqualInTheirBeginningSortByTheWholeText) {
  const std::vector<std::string> texts = {
      "Betonwerk Rheinfelden", "betonwerk rheinfelden", "Betonwerk Rhein", "Betonwerk", "Betonwer",
      "Betonwerk Ärger",       "Betonwerk Zement",      "Betonwerk Rheinfeldem", "",  "abcdefgh",
      std::string("abcdefgh\0", 9), std::string("abcdefg\0", 8), "abcdefg", "Betonwerk ✓", "BETONWERK RHEIN"};
  RecordList owned;
  for (size_t i = 0; i < 3 * texts.size(); ++i)
    owned.push_back(Row("P-" + std::to_string(i), texts[(i * 7) % texts.size()], ""));
  std::vector<CVersuch*> rows;
  for (auto& r : owned) rows.push_back(r.get());
  for (const int parameter : {2, 2 + kSortDescending}) {
    const bool descending = parameter >= kSortDescending;
    std::vector<CVersuch*> expected = rows;
    std::stable_sort(expected.begin(), expected.end(), [descending](const CVersuch* a, const CVersuch* b) {
      const std::string ta = StrGetField(a->GetField(30), '|', 2), tb = StrGetField(b->GetField(30), '|', 2);
      return (descending ? StrCompareNoCase(tb, ta) : StrCompareNoCase(ta, tb)) < 0;
    });
    std::vector<CVersuch*> sorted = rows;
    SortRecords(sorted, kSortByColumn, parameter);
    EXPECT_EQ(Numbers(sorted), Numbers(expected)) << parameter;
  }
}

// The list's keys after passes by single keys: the latest pass decides
// first, and a pass by a key already there moves it to the front.
TEST(RecordSort, ListOrderPutsTheLatestPassFirst) {
  ListOrder order;
  SortState state;
  state.SetSortKey(kSortByColumn, 2);
  order.Set(state.Keys());
  EXPECT_EQ(order.keys(), (std::vector<std::pair<int, int>>{{1, 2}, {0, 0}}));
  order.SortedBy(kSortByColumn, 112);
  order.SortedBy(kSortByColumn, 102);  // the same column reversed replaces it
  EXPECT_EQ(order.keys(), (std::vector<std::pair<int, int>>{{1, 102}, {1, 112}, {0, 0}}));
  order.SortedBy(kSortByStatus, 2);
  EXPECT_EQ(order.keys().front(), (std::pair<int, int>{kSortByStatus, 2}));
  EXPECT_EQ(order.keys().size(), 4u);
}

// A record added to sorted rows goes behind every row that does not sort
// after it, alone (binary search) or merged with others; the rows keep their
// order, also rows out of place (a record edited since the sort).
TEST(RecordSort, AddedRecordsTakeTheirPlaceByTheListsKeys) {
  struct Case {
    std::vector<std::pair<int, int>> keys;
    std::vector<std::vector<std::string>> rows;   // number, type, plant; sorted by the keys
    std::vector<std::vector<std::string>> added;  // in the order added
    const char* expected;
  };
  const Case cases[] = {
      {{{kSortByColumn, 0}}, {{"1", "", ""}, {"3", "", ""}, {"5", "", ""}}, {{"4", "", ""}}, "1 3 4 5 "},
      {{{kSortByColumn, 0}}, {{"1", "", ""}, {"3", "", ""}}, {{"0", "", ""}}, "0 1 3 "},
      {{{kSortByColumn, 0}}, {{"1", "", ""}, {"3", "", ""}}, {{"9", "", ""}}, "1 3 9 "},
      {{{kSortByColumn, 0}}, {}, {{"2", "", ""}}, "2 "},
      // Descending by type, ties by number; an equal record goes behind its equals.
      {{{kSortByColumn, 102}, {kSortByColumn, 0}},
       {{"1", "b", ""}, {"2", "b", ""}, {"3", "a", ""}},
       {{"2", "b", "x"}},
       "1 2 2 3 "},
      {{{kSortByColumn, 102}, {kSortByColumn, 0}},
       {{"1", "b", ""}, {"4", "b", ""}, {"3", "a", ""}},
       {{"2", "b", ""}, {"0", "c", ""}, {"1", "a", ""}, {"9", "a", ""}, {"5", "b", ""}},
       "0 1 2 4 5 1 3 9 "},
      // A row out of place stays where it is; the others still order the merge.
      {{{kSortByColumn, 0}}, {{"1", "", ""}, {"8", "", ""}, {"3", "", ""}, {"6", "", ""}},
       {{"5", "", ""}, {"7", "", ""}, {"0", "", ""}},
       "0 1 5 7 8 3 6 "},
  };
  for (const Case& c : cases) {
    ListOrder order;
    order.Set(c.keys);
    std::vector<std::unique_ptr<CVersuch>> owned;
    std::vector<const CVersuch*> rows;
    auto make = [&owned](const std::vector<std::string>& r) {
      owned.push_back(Row(r[0], r[1], r[2]));
      return owned.back().get();
    };
    for (const auto& r : c.rows) rows.push_back(make(r));
    const size_t first = rows.size();
    for (const auto& r : c.added) rows.push_back(make(r));
    const std::vector<size_t> merged = order.MergeOrder(rows, first);
    std::vector<CVersuch*> result;
    for (size_t i : merged) result.push_back(const_cast<CVersuch*>(rows[i]));
    EXPECT_EQ(Numbers(result), c.expected) << c.expected;
    if (c.added.size() != 1) continue;
    // One record alone: the same place by binary search.
    const std::vector<const CVersuch*> old(rows.begin(), rows.begin() + static_cast<long>(first));
    const size_t row = order.InsertionRow(old, *rows.back());
    EXPECT_EQ(std::find(merged.begin(), merged.end(), first) - merged.begin(), static_cast<long>(row)) << c.expected;
  }
}
