// Which records go into a statistic: candidates by selection, material ID or
// sieve tower, the period, every filter, the changed-materials warning, and
// the period the dialog proposes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fixtures/statistics/statistics_records.h"
#include "records/statisticsselection.h"
#include "records/versuch.h"

namespace {

// The fixture list: material A in many variants, another material on A1's
// tower, track ballast and a built-in grading of another class.
class SelectionList : public ::testing::Test {
 protected:
  void SetUp() override {
    Add(statfix::A1());                                   // 0 12-34-0101
    Add(statfix::A2());                                   // 1 12-34-0102 (wet)
    Add(statfix::A3());                                   // 2 12-34-0103 (tower 0.063;2;4;8;16)
    Add(Changed(statfix::A1(), "12-34-0104", [](CVersuch& r) {  // 3 same ID, other name
      r.SetField(5, statfix::Requirements("SDM", "BK", "Kies 0/16 gewaschen", "SDM-TEST-0001"));
    }));
    Add(Changed(statfix::A1(), "12-05-0105", nullptr));       // 4 another plant
    Add(Changed(statfix::A1(), "07-34-0106", nullptr));       // 5 another operator
    Add(Changed(statfix::A1(), "12-34-0107", [](CVersuch& r) { r.SetValue(1, 4, "0"); }));  // 6 left out
    Add(Changed(statfix::A1(), "12-34-0108", [](CVersuch& r) { r.SetTestStatus("VA_SIEBL", "0"); }));  // 7
    Add(Changed(statfix::A1(), "12-34-0109", [](CVersuch& r) { r.SetField(29, ""); }));  // 8 no status list
    Add(Changed(statfix::A1(), "12-34-0110", [](CVersuch& r) { r.SetValue(1, 11, "20210401080000"); }));  // 9
    Add(Changed(statfix::A1(), "12-34-0111", [](CVersuch& r) {  // 10 another customer
      r.SetValue(1, 19, "K-2002");
    }));
    Add(Changed(statfix::A1(), "12-34-0112", [](CVersuch& r) {  // 11 another material, A1's tower
      r.SetField(5, statfix::Requirements("SDM", "BK", "Splitt 2/8", "SDM-TEST-0002"));
    }));
    Add(statfix::B1());                                   // 12 12-34-0201 ballast (SDM)
    Add(Changed(statfix::A1(), "12-34-0113", [](CVersuch& r) {  // 13 class DB/GS, not SDM
      r.SetField(5, statfix::Requirements("DB", "GS", "Schotter", "SDM-TEST-0001"));
    }));
    Add(Changed(statfix::A1(), "12-34-0114", [](CVersuch& r) {  // 14 no sieve test: mode 0
      r.SetField(25, "{0}{SDM-TEST-0001|Kies|||}{}{}{}{[VA_KORNF|20_LE]}{}");
    }));
  }

  template <class F>
  static std::unique_ptr<CVersuch> Changed(std::unique_ptr<CVersuch> r, const std::string& number, F change) {
    r->SetValue(1, 0, number);
    if constexpr (!std::is_same_v<F, std::nullptr_t>) change(*r);
    return r;
  }
  void Add(std::unique_ptr<CVersuch> r) { records_.push_back(std::move(r)); }

  std::vector<const CVersuch*> List() const { return statfix::Pointers(records_); }
  std::vector<std::string> Numbers(const std::vector<const CVersuch*>& set) const {
    std::vector<std::string> numbers;
    for (const CVersuch* r : set) numbers.push_back(r->GetValue(1, 0));
    return numbers;
  }

  RecordList records_;
};

TEST_F(SelectionList, CandidatesPeriodAndFilters) {
  struct Case {
    const char* name;
    std::vector<int> selected;
    int reference;
    const char* selection;
    std::vector<std::string> numbers;
  } cases[] = {
      {"material, one row: every record of the list with the material ID", {0}, 0,
       "M|[SDM-TEST-0001]|12|34|20210301|20210331|0|0|0|||",
       {"12-34-0101", "12-34-0102", "12-34-0103", "12-34-0104", "12-34-0111", "12-34-0113", "12-34-0114"}},
      {"material, one row, one customer", {0}, 0, "M|[SDM-TEST-0001]|12|34|20210301|20210331|0|0|0|K-1001||",
       {"12-34-0101", "12-34-0102", "12-34-0103", "12-34-0104", "12-34-0113", "12-34-0114"}},
      {"material, dry only: wet and no-sieve records go", {0}, 0,
       "M|[SDM-TEST-0001]|12|34|20210301|20210331|0|0|0||T|",
       {"12-34-0101", "12-34-0103", "12-34-0104", "12-34-0111", "12-34-0113"}},
      {"material, wet only", {0}, 0, "M|[SDM-TEST-0001]|12|34|20210301|20210331|0|0|0||N|", {"12-34-0102"}},
      {"material, a shorter period", {0}, 0, "M|[SDM-TEST-0001]|12|34|20210305|20210314|0|0|0|||", {"12-34-0102"}},
      {"material, the last day counts whole", {0}, 0, "M|[SDM-TEST-0001]|12|34|20210315|20210315|0|0|0|||",
       {"12-34-0103"}},
      {"material, several rows: only they, by the reference's tower", {0, 2, 11, 4, 6}, 0,
       "M|[SDM-TEST-0001]|12|34|20210301|20210331|0|0|0|||", {"12-34-0101", "12-34-0112"}},
      {"material, the operator and plant of the selection: that plant's records only", {0}, 0,
       "M|[SDM-TEST-0001]|12|05|20210301|20210331|0|0|0|||", {"12-05-0105"}},
      {"period, one row: every SDM record of the list", {1}, 1, "T|12|12|34|20210301|20210331|0|0|0|||",
       {"12-34-0101", "12-34-0102", "12-34-0103", "12-34-0104", "12-34-0111", "12-34-0112", "12-34-0201",
        "12-34-0114"}},
      {"period, several rows", {12, 13, 2}, 12, "T|12|12|34|20210301|20210331|0|0|0|||",
       {"12-34-0103", "12-34-0201"}},
      {"period, another material class", {0}, 0, "T|7|12|34|20210301|20210331|0|0|0|||", {"12-34-0113"}},
      {"period, an unknown class", {0}, 0, "T|13|12|34|20210301|20210331|0|0|0|||", {}},
  };
  for (const Case& c : cases) {
    const auto result = SelectStatisticsRecords(List(), c.selected, c.selection, *records_[c.reference]);
    EXPECT_EQ(Numbers(result.set), c.numbers) << c.name;
  }
}

TEST_F(SelectionList, ChangedMaterialsAreListedOnceAndStayInTheSet) {
  const auto result =
      SelectStatisticsRecords(List(), {0}, "M|[SDM-TEST-0001]|12|34|20210301|20210331|0|0|0|||", *records_[0]);
  // Listed as the period selects them, before the other filters.
  EXPECT_EQ(result.changedMaterials, (std::vector<std::string>{"12-34-0104 : \"Kies 0/16 gewaschen\"",
                                                               "12-34-0113 : \"Schotter\""}));
  EXPECT_EQ(ChangedMaterialsMessage(*records_[0], result.changedMaterials),
            "Achtung!\nMaterial \"Kies 0/16\" geändert in:\n12-34-0104 : \"Kies 0/16 gewaschen\"\n"
            "12-34-0113 : \"Schotter\"\n");
  // Several rows: no warning.
  EXPECT_TRUE(SelectStatisticsRecords(List(), {0, 3}, "M|[SDM-TEST-0001]|12|34|20210301|20210331|0|0|0|||",
                                      *records_[0])
                  .changedMaterials.empty());
}

TEST(MaterialClasses, ByTheFirstTwoPartsOfTheRequirementString) {
  struct Case {
    const char* n;
    const char* q;
    std::vector<int> classes;
  } cases[] = {
      {"RGMIN", "BK", {0}}, {"DIN", "BK", {0}},   {"RGMIN", "RK", {1}}, {"DIN", "RK", {1}},
      {"RGMIN", "RC", {2}}, {"DIN", "RC", {}},    {"DIN", "LB", {3}},   {"DB", "BK", {4}},
      {"DB", "RK", {5}},    {"DB", "RC", {6}},    {"DB", "GS", {7}},    {"DB", "GSRC", {8}},
      {"KUNDE", "RC", {9}}, {"KUNDE", "GS", {10}}, {"KUNDE", "GSRC", {11}}, {"SDM", "", {12}},
      {"SDM", "XY", {12}},  {"sdm", "", {}},
  };
  for (const Case& c : cases) {
    auto r = statfix::A1();
    r->SetField(5, statfix::Requirements(c.n, c.q, "x", "y"));
    std::vector<int> matching;
    for (int k = -1; k <= 13; ++k)
      if (MatchesMaterialClass(*r, k)) matching.push_back(k);
    EXPECT_EQ(matching, c.classes) << c.n << ";" << c.q;
  }
}

TEST_F(SelectionList, DateRangeOfTheSelection) {
  auto sampled = [this](int row, const char* when) { records_[static_cast<size_t>(row)]->SetValue(1, 11, when); };
  sampled(0, "20210301080000");
  sampled(1, "20210315090000");
  sampled(2, "");                // no date: passed over
  sampled(3, "2021031");         // not eight digits: passed over
  sampled(4, "20210310120000");
  struct Case {
    std::vector<int> selected;
    int current;
    int flagged;  // the record selected alone before, -1: none
    const char* first;
    const char* last;
    int currentAfter;
  } cases[] = {
      {{0, 1}, 0, -1, "20210301", "20210315", 0},
      {{1, 0}, 1, -1, "20210301", "20210315", 1},
      {{2, 0, 3, 1}, 2, -1, "20210301", "20210315", 2},  // the undated rows lose nothing
      {{0, 2, 4}, 0, 4, "20210301", "20210310", 4},      // the flagged record's row becomes current
      {{1}, 1, -1, "20210315", "20210315", 1},           // one row: its own day
      {{2, 3}, 0, -1, "20210301", "20210301", 0},        // no dated row: the current row's day
      {{2}, 2, -1, "", "", 2},
  };
  for (const Case& c : cases) {
    for (auto& r : records_) r->m_selected = 0;
    if (c.flagged >= 0) records_[static_cast<size_t>(c.flagged)]->m_selected = 1;
    int current = c.current;
    std::string first = "x", last = "y";
    GetSelectionDateRange(List(), c.selected, current, first, last);
    EXPECT_EQ(first, c.first);
    EXPECT_EQ(last, c.last);
    EXPECT_EQ(current, c.currentAfter);
  }
}

}  // namespace
