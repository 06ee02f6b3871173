// The shape index: the simple and the standard form, the residues of the
// grading, the texts the opener stores, and a hand-computed 4/16 aggregate.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "evaluation/kornform/kornformkennzahl.h"

namespace {

// A record of a crushed aggregate whose material names the shape-index entry.
CVersuch RecordWith(const std::string& kornfEntry, const std::string& sizes = "", const std::string& residues = "") {
  CVersuch r;
  r.SetValue(1, 0, "12-3-0042");
  r.SetField(3, "0||" + sizes + "||||||" + residues);
  r.SetField(25, "{0}{3-1|Splitt 4/16||||}{1|0.063|31.5}{Brechkorn|DIN EN 12620|WPK||}{}{" + kornfEntry + "}{}");
  return r;
}

std::string PartOf(const TestEntryResult& result, int field, int part) {
  for (const FieldPartText& p : result.parts)
    if (p.field == field && p.part == part) return p.text;
  return "<none>";
}

// ------------------------------------------------------------ simple form

struct SimpleCase {
  const char* name;
  const char* bad;
  const char* good;
  const char* limit;
  const char* sum;
  const char* shareBad;
  const char* shareGood;
  int flag;
  const char* status;
  const char* field12;
  const char* row24;
  const char* statistics;
};

class SimpleShapeIndex : public ::testing::TestWithParam<SimpleCase> {};

TEST_P(SimpleShapeIndex, ComputesJudgesAndStores) {
  const SimpleCase& c = GetParam();
  const SimpleShapeIndexResult r = ComputeSimpleShapeIndex(c.bad, c.good, c.limit);
  EXPECT_EQ(r.shares.sum, c.sum);
  EXPECT_EQ(r.shares.shareBad, c.shareBad);
  EXPECT_EQ(r.shares.shareGood, c.shareGood);
  EXPECT_EQ(r.flag, c.flag);
  EXPECT_EQ(r.status, c.status);
  const TestEntryResult stored = SimpleShapeIndexEntryResult(r);
  EXPECT_EQ(stored.resultText, c.field12);
  EXPECT_EQ(PartOf(stored, 4, 24), c.row24);
  EXPECT_EQ(MarkedStatisticsValue(stored.statisticsValue.value_or("?"), stored.status), c.statistics);
  // Only the standard form has fraction rows: an earlier one disappears.
  for (int part = 9; part <= 23; ++part) EXPECT_EQ(PartOf(stored, 4, part), "") << part;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SimpleShapeIndex,
    ::testing::Values(
        SimpleCase{"AboveTheLimit", "25,0", "75,0", "20", "100.0", "25.0", "75.0", 0, "9", "1||20|25.0|75.0|25.0|0",
                   "Kornform:@@25.0@<=20@1", "25.0_*"},
        SimpleCase{"AtTheLimit", "20", "80", "20", "100.0", "20.0", "80.0", 1, "8", "1||20|20.0|80.0|20.0|1",
                   "Kornform:@@20.0@<=20@2", "20.0"},
        // Without a limit: "--" stored and printed, no code.
        SimpleCase{"NoLimit", "25,0", "75,0", "", "100.0", "25.0", "75.0", -1, "1", "1||--|25.0|75.0|25.0|-1",
                   "Kornform:@@25.0@--@", "25.0"},
        SimpleCase{"DashesAreNoLimit", "25", "75", "--", "100.0", "25.0", "75.0", -1, "1", "1||--|25.0|75.0|25.0|-1",
                   "Kornform:@@25.0@--@", "25.0"},
        SimpleCase{"OneMassOnly", "25", "", "20", "", "", "", -1, "0", "1||20|25.0|||-1", "", ""},
        // A sum of 0 is not divided by.
        SimpleCase{"ZeroSum", "0", "0", "20", "0.0", "", "", -1, "0", "1||20|0.0|0.0||-1", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// ------------------------------------------------------------ standard form

TEST(ShapeIndex, ReadsTheMaterialEntry) {
  ShapeIndexEntry e = ShapeIndexEntryOf(RecordWith("[VA_KORNF|20|1|4-8_8-16]"));
  EXPECT_TRUE(e.present);
  EXPECT_EQ(e.limit, "20");
  EXPECT_FALSE(e.IsSimpleForm());
  EXPECT_EQ(e.fractions, (std::vector<std::string>{"4-8", "8-16"}));
  // A limit written as an upper-limit code is its number.
  EXPECT_EQ(ShapeIndexEntryOf(RecordWith("[VA_KORNF|20_LE]")).limit, "20");
  e = ShapeIndexEntryOf(RecordWith("[VA_KORNF||0]"));
  EXPECT_TRUE(e.present && e.IsSimpleForm());
  EXPECT_EQ(e.limit, "");
  e = ShapeIndexEntryOf(RecordWith("[VA_PLATT|15_LE]"));
  EXPECT_FALSE(e.present);
  EXPECT_TRUE(e.fractions.empty());
}

TEST(ShapeIndex, FractionResiduesFromTheGrading) {
  // Residues: 100 g on 4 mm and 50 g on 2 mm.
  const CVersuch r = RecordWith("", "8;4;2;<2", "0;100;50;7");
  const std::vector<SieveResidue> table = ShapeIndexResidueTable(r);
  ASSERT_EQ(table.size(), 4u);
  EXPECT_EQ(FractionResidue(table, "4-8"), "100.0");
  EXPECT_EQ(FractionResidue(table, "2-8"), "150.0");
  EXPECT_EQ(FractionResidue(table, "8-16"), "");  // 0 g: not above 0
  EXPECT_EQ(FractionResidue(table, ""), "");
  // At most 19 sizes are read.
  std::string sizes, residues;
  for (int i = 0; i < 25; ++i) sizes += std::to_string(100 - i) + ";", residues += "1;";
  EXPECT_EQ(ShapeIndexResidueTable(RecordWith("", sizes, residues)).size(), 19u);
}

ShapeIndexInput OneFraction(const std::string& residue, const std::string& bad, const std::string& good,
                            const std::string& limit) {
  ShapeIndexInput in;
  in.limit = limit;
  in.fraction[0] = "4-8";
  in.residue[0] = residue;
  in.bad[0] = bad;
  in.good[0] = good;
  return in;
}

TEST(ShapeIndex, OneFractionAtTheLimit) {
  const ShapeIndexResult r = ComputeShapeIndex(OneFraction("100.0", "10", "40", "20"));
  EXPECT_EQ(r.sum[0], "50.0");
  EXPECT_EQ(r.sii[0], "20.0");
  EXPECT_EQ(r.vi[0], "100.0");
  EXPECT_EQ(r.siivi[0], "20.0");
  EXPECT_EQ(r.totalResidue, "100.0");
  EXPECT_EQ(r.totalVi, "100.0");
  EXPECT_EQ(r.si, "20.0");
  EXPECT_EQ(r.flags[0], 1);
  EXPECT_EQ(r.overallFlag, 1);
  EXPECT_EQ(r.status, "8");
  EXPECT_EQ(r.ResultText(), "2||20||4-8|10.0|40.0|20.0|1|@||||20.0|1");

  const TestEntryResult stored = ShapeIndexEntryResult(r);
  EXPECT_EQ(PartOf(stored, 4, 9), "Kornform für [mm]:@4-8@20.0@20@2");
  EXPECT_EQ(PartOf(stored, 4, 24), "Kornformkennzahl:@@20.0@20@2");
  EXPECT_EQ(*stored.statisticsValue, "20.0");

  // Above the limit: "9", the codes say not met, the statistics value is marked.
  const ShapeIndexResult over = ComputeShapeIndex(OneFraction("100.0", "11", "39", "20"));
  EXPECT_EQ(over.status, "9");
  const TestEntryResult overStored = ShapeIndexEntryResult(over);
  EXPECT_EQ(PartOf(overStored, 4, 9), "Kornform für [mm]:@4-8@22.0@20@1");
  EXPECT_EQ(PartOf(overStored, 4, 24), "Kornformkennzahl:@@22.0@20@1");
  EXPECT_EQ(MarkedStatisticsValue(*overStored.statisticsValue, overStored.status), "22.0_*");
}

TEST(ShapeIndex, WithoutWeightsNoIndex) {
  // No sieve data: no residue, so no Vi and no SI; SIi alone makes the test
  // done without a judgement.
  ShapeIndexResult r = ComputeShapeIndex(OneFraction("", "10", "40", "20"));
  EXPECT_EQ(r.sii[0], "20.0");
  EXPECT_EQ(r.vi[0], "");
  EXPECT_EQ(r.totalVi, "");
  EXPECT_EQ(r.si, "");
  EXPECT_EQ(r.overallFlag, -1);
  EXPECT_EQ(r.status, "1");
  // A residue elsewhere but none for the measured fraction: Vi is 0, SI is
  // not divided out of nothing.
  ShapeIndexInput in = OneFraction("", "10", "40", "20");
  in.fraction[1] = "8-16";
  in.residue[1] = "300.0";
  r = ComputeShapeIndex(in);
  EXPECT_EQ(r.vi[0], "0.0");
  EXPECT_EQ(r.totalVi, "0.0");
  EXPECT_EQ(r.si, "");
  EXPECT_EQ(r.status, "1");
  const std::string text = r.ResultText();
  EXPECT_EQ(text.find("nan"), std::string::npos) << text;
  EXPECT_EQ(text.find("inf"), std::string::npos) << text;
  // Nothing measured at all.
  EXPECT_EQ(ComputeShapeIndex(OneFraction("100.0", "", "", "20")).status, "0");
}

TEST(ShapeIndex, EveryOkRewritesTheReportRows) {
  CVersuch record = RecordWith("[VA_KORNF|20|1|4-8]");
  // Rows of an earlier evaluation with two fractions.
  for (int part = 9; part <= 24; ++part) record.SetValue(4, part, "alt@x@1@20@2");
  // The limit has gone: the test is done without judgement.
  const TestEntryResult stored = ShapeIndexEntryResult(ComputeShapeIndex(OneFraction("100.0", "10", "40", "")));
  EXPECT_EQ(stored.status, "1");
  StoreTestEntryResult(record, *FindTestEntryFields("VA_KORNF"), stored);
  for (int part = 9; part <= 24; ++part) EXPECT_EQ(record.GetValue(4, part), "") << part;
  EXPECT_EQ(record.GetValue(10, 10), "20.0");
}

TEST(ShapeIndex, ListsStopAtTheFirstRowWithoutFraction) {
  ShapeIndexInput in;
  in.limit = "20";
  for (int i : {0, 1, 3}) in.fraction[static_cast<size_t>(i)] = std::to_string(4 * (i + 1)) + "-" + std::to_string(4 * (i + 2));
  in.residue = {"100.0", "", "", "100.0"};
  in.bad[0] = "10";
  in.good[0] = "40";
  in.minMass = {"5 kg", "2,5 kg | @ _ ~ $", "", "9 kg"};
  const ShapeIndexResult r = ComputeShapeIndex(in);
  EXPECT_EQ(r.ListedRows(), 2);
  // Trailing empty entries disappear from parts 4 to 8; part 9 keeps one
  // "@" per row, the separators inside the free texts made harmless.
  EXPECT_EQ(r.ResultText(), "2||20||4-8_8-12|10.0|40.0|20.0|1_-1|5 kg@2,5 kg # # # # #@||||20.0|1");
}

// A 4/16 crushed aggregate after EN 933-4, standard form with the fractions
// 4-8 and 8-16, worked by hand:
//   residues of the grading: 1200 g on 4 mm (4-8), 1450 g on 8 mm (8-16),
//     total 2650 g -> Vi 4-8 = 1200 / 2650 = 45.28 % -> 45.3,
//                     Vi 8-16 = 1450 / 2650 = 54.72 % -> 54.7;
//   4-8:  test portion 250.0 g, non-cubical 37.5 g  -> SIi = 37.5 / 250 = 15.0 %
//   8-16: test portion 1200.0 g, non-cubical 216.0 g -> SIi = 216 / 1200 = 18.0 %
//   SIi*Vi: 45.3 x 15.0 / 100 = 6.795 -> 6.8;  54.7 x 18.0 / 100 = 9.846 -> 9.8
//   SI = (6.8 + 9.8) / (45.3 + 54.7) x 100 = 16.6 %, within SI20.
TEST(ShapeIndex, HandComputedAggregate416) {
  const CVersuch record = RecordWith("[VA_KORNF|20|1|4-8_8-16]", "31.5;16;8;4;2;<2", "0.0;60.0;1450.0;1200.0;250.0;40.0");
  ShapeIndexInput in = ShapeIndexInputFor(record, ShapeIndexEntryOf(record));
  EXPECT_EQ(in.residue[0], "1200.0");
  EXPECT_EQ(in.residue[1], "1450.0");
  in.bad[0] = "37,5";
  in.good[0] = "212,5";
  in.bad[1] = "216";
  in.good[1] = "984";
  const ShapeIndexResult r = ComputeShapeIndex(in);
  EXPECT_EQ(r.sii[0], "15.0");
  EXPECT_EQ(r.sii[1], "18.0");
  EXPECT_EQ(r.vi[0], "45.3");
  EXPECT_EQ(r.vi[1], "54.7");
  EXPECT_EQ(r.siivi[0], "6.8");
  EXPECT_EQ(r.siivi[1], "9.8");
  EXPECT_EQ(r.totalResidue, "2650.0");
  EXPECT_EQ(r.totalSum, "1450.0");
  EXPECT_EQ(r.totalVi, "100.0");
  EXPECT_EQ(r.totalSiivi, "16.6");
  EXPECT_EQ(r.si, "16.6");
  EXPECT_EQ(r.status, "8");

  // Reopened, the stored masses give the same result.
  CVersuch reopened = record;
  reopened.SetField(12, r.ResultText());
  EXPECT_EQ(ComputeShapeIndex(ShapeIndexInputFor(reopened, ShapeIndexEntryOf(reopened))).ResultText(), r.ResultText());
}

}  // namespace
