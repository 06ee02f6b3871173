// The alkali computation: fraction shares, the cells of a size class, the
// classification by the limits on O, F and 5 O + F, the requirement and the
// status, the data string and the clipboard line of the 54 flag cells.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "evaluation/alkali/alkali.h"
#include "reports/side_page_records.h"

namespace {

FractionTexts Fractions(const std::vector<std::string>& masses) {
  FractionTexts texts;
  for (size_t f = 0; f < masses.size() && f + 1 < texts.size(); ++f) texts[f + 1] = masses[f];
  return texts;
}

std::string Joined(const FractionTexts& texts) {
  std::string out;
  for (const std::string& text : texts) out += text + ";";
  return out;
}

bool Missing(const AlkaliClasses& r, int sizeClass, int row) {
  const int i = FlagCellIndex(sizeClass, row);
  EXPECT_GE(i, 0);
  return i >= 0 && r.missing[static_cast<size_t>(i)];
}

std::string Marks(const AlkaliClasses& r, int sizeClass) {
  std::string out;
  for (const std::string& mark : r.marks[static_cast<size_t>(sizeClass)]) out += mark.empty() ? "." : mark;
  return out;
}

// Cells of one size class.
AlkaliCells Cells(int sizeClass, const std::vector<std::pair<int, std::string>>& values) {
  AlkaliCells cells;
  for (const auto& [row, value] : values) cells[static_cast<size_t>(sizeClass)][static_cast<size_t>(row)] = value;
  return cells;
}

const std::string& Cell(const AlkaliClasses& r, int sizeClass, int row) {
  return r.cells[static_cast<size_t>(sizeClass)][static_cast<size_t>(row)];
}

}  // namespace

TEST(AlkaliFractions, SharesAddUpToHundred) {
  const struct {
    std::vector<std::string> masses;  // < 1 .. > 32
    const char* shownMasses;
    const char* shares;
  } cases[] = {
      {{"100", "200", "300", "400", "0", "0", "0"}, "1000.0;100.0;200.0;300.0;400.0;0.0;0.0;0.0;",
       "100.0;10.0;20.0;30.0;40.0;0.0;0.0;0.0;"},
      {{"12,5", "10.7"}, "23.2;12.5;10.7;;;;;;", "100.0;53.9;46.1;;;;;;"},
      // 33.3 three times is 99.9: the first of the largest takes up 0.1.
      {{"1", "1", "1"}, "3.0;1.0;1.0;1.0;;;;;", "100.0;33.4;33.3;33.3;;;;;"},
      // Nothing to share: the shares stay empty (no 0 / 0).
      {{"0", "0", "0"}, "0.0;0.0;0.0;0.0;;;;;", ";;;;;;;;"},
      {{}, "0.0;;;;;;;;", ";;;;;;;;"},
  };
  for (const auto& c : cases) {
    const FractionShares r = ComputeFractionShares(Fractions(c.masses));
    EXPECT_EQ(Joined(r.masses), c.shownMasses);
    EXPECT_EQ(Joined(r.shares), c.shares);
  }
}

TEST(AlkaliCells, SortingFlintAndNaohTestOfOneSizeClass) {
  // Size class 4/8: 1000 g harmless, 5 g flint, 10 g opaline sandstone.
  AlkaliClasses r = ComputeAlkaliClasses(Cells(2, {{1, "1000"}, {3, "5"}, {5, "10"}}), "", 0, 0);
  EXPECT_EQ(Cell(r, 2, 1), "1000.0");
  EXPECT_EQ(Cell(r, 2, 3), "5.00");
  EXPECT_EQ(Cell(r, 2, 5), "10.00");
  EXPECT_EQ(Cell(r, 2, kSampleMass), "1015.0");
  EXPECT_EQ(Cell(r, 2, 2), "98.5");
  EXPECT_EQ(Cell(r, 2, 4), "0.5");
  EXPECT_EQ(Cell(r, 2, 6), "1.0");
  // Empty rows 7 and 13 take the flint and the opaline sandstone.
  EXPECT_EQ(Cell(r, 2, kFlintDry), "5.00");
  EXPECT_EQ(Cell(r, 2, kNaohSample), "10.00");
  // The flint determination and the NaOH residue are missing.
  EXPECT_FALSE(Missing(r, 2, 1));
  EXPECT_TRUE(Missing(r, 2, kFlintWetInAir));
  EXPECT_TRUE(Missing(r, 2, kFlintDry));
  EXPECT_FALSE(Missing(r, 2, kNaohSample));
  EXPECT_TRUE(Missing(r, 2, kNaohResidue));
  EXPECT_EQ(Marks(r, 2), "......");

  // A filled input is never orange, even while the sum is still missing.
  r = ComputeAlkaliClasses(Cells(3, {{1, "1000"}, {kNaohResidue, "3"}}), "", 0, 0);
  EXPECT_FALSE(Missing(r, 3, 1));
  EXPECT_TRUE(Missing(r, 3, 3));
  EXPECT_FALSE(Missing(r, 3, kNaohResidue));
  EXPECT_TRUE(Missing(r, 3, kNaohSample));
}

TEST(AlkaliCells, FlintDensityAndReactiveFlint) {
  // 980 + 10 + 10 g: flint 1.0 %. 50 g of flint displacing 20 cm³: 2500 kg/m³,
  // reactive flint 1.0 x (8670 / 2500 - 3.33) = 0.138 %.
  const std::vector<std::pair<int, std::string>> sorting = {{1, "980"}, {3, "10"}, {5, "10"}, {7, "50"}};
  auto with = [&sorting](const char* wet, const char* underWater) {
    auto values = sorting;
    values.push_back({kFlintWetInAir, wet});
    values.push_back({kFlintUnderWater, underWater});
    return ComputeAlkaliClasses(Cells(4, values), "", 0, 0);
  };
  AlkaliClasses r = with("50", "30");
  EXPECT_EQ(Cell(r, 4, kFlintShare), "1.0");
  EXPECT_EQ(Cell(r, 4, kFlintVolume), "20.00");
  EXPECT_EQ(Cell(r, 4, kFlintDensity), "2500");
  EXPECT_EQ(Cell(r, 4, kReactiveFlint), "0.1");
  EXPECT_EQ(Cell(r, 4, kReactiveFlintCopy), "0.1");
  EXPECT_FALSE(Missing(r, 4, kFlintDry));
  EXPECT_FALSE(Missing(r, 4, kFlintWetInAir));

  // 2700 kg/m³ would give a negative reactive flint: none, and "Flint trocken" is orange.
  r = with("50", "31.48");
  EXPECT_EQ(Cell(r, 4, kFlintDensity), "2700");
  EXPECT_EQ(Cell(r, 4, kReactiveFlint), "");
  EXPECT_TRUE(Missing(r, 4, kFlintDry));

  // Without a volume there is no density: all three flint inputs are orange.
  r = with("30", "30");
  EXPECT_EQ(Cell(r, 4, kFlintDensity), "");
  for (int row : {kFlintDry, kFlintWetInAir, kFlintUnderWater}) EXPECT_TRUE(Missing(r, 4, row)) << row;
}

TEST(AlkaliClassification, LimitsOnOpalineAndFlint) {
  const struct {
    double o;
    int byO;
  } onO[] = {{0.5, 0}, {0.51, 1}, {2.0, 1}, {2.01, 2}, {0.0, 0}};
  for (const auto& c : onO) EXPECT_EQ(ClassRowByOpaline(c.o), c.byO) << c.o;

  const struct {
    double o, f;
    int byOF;
  } onOF[] = {
      {0.5, 1.5, 0},   // 5 O + F = 4.0
      {0.5, 1.6, 1},   // 4.1
      {0.1, 3.0, 0},   // F at its limit
      {0.1, 3.1, 1},   // F above 3
      {2.0, 5.0, 1},   // 15.0
      {2.0, 5.1, 2},   // 15.1
      {1.0, 10.1, 2},  // F above 10
      {2.01, 0.0, 2},
  };
  for (const auto& c : onOF) EXPECT_EQ(ClassRowByOpalineAndFlint(c.o, c.f), c.byOF) << c.o << " " << c.f;

  // Through the cells: O of the fine classes is the NaOH loss on their own sample.
  const struct {
    const char* residue;  // of 100 g
    const char* marks;
  } fine[] = {{"99.5", "X..X.."}, {"99.4", ".X..X."}, {"98", ".X..X."}, {"97.9", "..X..X"}};
  for (const auto& c : fine) {
    const AlkaliClasses r = ComputeAlkaliClasses(Cells(1, {{kNaohSample, "100"}, {kNaohResidue, c.residue}}), "", 0, 0);
    EXPECT_EQ(Marks(r, 1), c.marks) << c.residue;
  }
}

TEST(AlkaliClassification, FineSandWithoutTestedClassesIsEI) {
  AlkaliClasses r = ComputeAlkaliClasses(AlkaliCells{}, "95.0", 0, 0);
  EXPECT_EQ(Marks(r, 0), "X..X..");
  EXPECT_EQ(r.classO, "E I-O");
  EXPECT_EQ(r.classOF, "E I-OF");
  r = ComputeAlkaliClasses(AlkaliCells{}, "90.0", 0, 0);
  EXPECT_EQ(r.classO, "");
  EXPECT_EQ(Marks(r, 0), "......");
}

TEST(AlkaliClassification, RequirementAndStatus) {
  // Class 1/2 E I by O = 0.4; class 8/16 O = 0.3 and F = 3.5: E I-O, E II-OF.
  auto input = [] {
    AlkaliInput in;
    in.cells[0][kNaohSample] = "50";
    in.cells[0][kNaohResidue] = "49.8";
    auto& c = in.cells[3];
    c[kUnreactive] = "1000";
    c[kFlint] = "0";
    c[kOpaline] = "0";
    c[kNaohSample] = "3";
    c[kNaohResidue] = "0";
    in.grainGroup1 = "0";
    in.grainGroup2 = "16";
    in.requiredO = RequiredAlkaliClass("VA_ALKALI|2|2", 1);
    in.requiredOF = RequiredAlkaliClass("VA_ALKALI|2|2", 2);
    return in;
  };
  // F comes from the flint determination: 35 g of flint at 2000 kg/m³ in 1000 g
  // gives 3.5 % x (8670 / 2000 - 3.33) = 3.5 %; 5 O + F = 5.0.
  AlkaliInput in = input();
  auto& c = in.cells[3];
  c[kUnreactive] = "962";
  c[kFlint] = "35";
  c[kOpaline] = "3";
  c[kFlintWetInAir] = "35";
  c[kFlintUnderWater] = "17.5";
  AlkaliResult r = ComputeAlkali(in);
  EXPECT_EQ(r.classes.cells[3][kFlintShare], "3.5");
  EXPECT_EQ(r.classes.cells[3][kFlintDensity], "2000");
  EXPECT_EQ(r.classes.cells[3][kReactiveFlint], "3.5");
  EXPECT_EQ(r.classes.cells[3][kOpalineNaohShare], "0.3");
  EXPECT_EQ(r.classes.classO, "E I-O");
  EXPECT_EQ(r.classes.classOF, "E II-OF");
  EXPECT_TRUE(r.classes.requirementStated);
  EXPECT_TRUE(r.classes.requirementMet);
  EXPECT_EQ(r.status, "8");

  // More flint, 13.7 % x 1.005 = 13.8 % (above 10): 8/16 is E III-OF, below the plant's E II-OF.
  c[kUnreactive] = "860";
  c[kFlint] = "137";
  c[kFlintWetInAir] = "137";
  c[kFlintUnderWater] = "68.5";
  r = ComputeAlkali(in);
  EXPECT_EQ(r.classes.cells[3][kReactiveFlint], "13.8");
  EXPECT_EQ(r.classes.classOF, "E III-OF");
  EXPECT_FALSE(r.classes.requirementMet);
  EXPECT_EQ(r.status, "9");

  // Without a grain group the test is not done, whatever the classes.
  in.grainGroup2 = " ";
  EXPECT_EQ(ComputeAlkali(in).status, "0");
  // Without a plant requirement a classified test is done: "1".
  in.grainGroup2 = "16";
  in.requiredO = in.requiredOF = 0;
  r = ComputeAlkali(in);
  EXPECT_FALSE(r.classes.requirementStated);
  EXPECT_EQ(r.status, "1");

  EXPECT_EQ(RequiredAlkaliClass("VA_ALKALI|7|-1", 1), 3);
  EXPECT_EQ(RequiredAlkaliClass("VA_ALKALI|7|-1", 2), 3);
  EXPECT_EQ(RequiredAlkaliClass("VA_ALKALI", 1), 0);
}

// A sand and gravel 0/32 after Annex A of the DAfStb guideline, grain group 0/32.
//   Sieving: < 1 2450.0, 1/2 820.0, 2/4 1130.0, 4/8 1560.0, 8/16 2340.0, 16/32 2890.0, > 32 0.0 g,
//   total 11190.0 g; shares 21.9, 7.3, 10.1, 13.9, 20.9, 25.8 (+0.1 to make 100.0), 0.0 %.
//   1/2 and 2/4, NaOH test only: O = (50.00 - 49.80) / 50.00 = 0.4 % (E I),
//   (100.0 - 99.10) / 100.0 = 0.9 % (E II).
//   4/8: 985.0 + 9.0 + 6.0 = 1000.0 g; flint 0.9 %; 9.00 g of flint in 9.30 - 5.40 = 3.90 cm³:
//   2308 kg/m³, F = 0.9 x (8670 / 2308 - 3.33) = 0.4 %; O = (6.00 - 3.10) / 1000.0 = 0.3 %;
//   5 O + F = 1.9: E I-O, E I-OF.
//   8/16: 1940.0 + 38.0 + 22.0 = 2000.0 g; flint 1.9 %, 2262 kg/m³, F = 1.9 x 0.503 = 1.0 %;
//   O = (22.00 - 8.60) / 2000.0 = 0.67 -> 0.7 %; 5 O + F = 4.5 > 4: E II-O, E II-OF.
//   16/32: 2955.0 + 30.0 + 15.0 = 3000.0 g; flint 1.0 %, 2326 kg/m³, F = 0.4 %;
//   O = 6.00 / 3000.0 = 0.2 %; 5 O + F = 1.4: E I-O, E I-OF.
//   The worst classes decide: E II-O and E II-OF, as the plant requires ("VA_ALKALI|2|2").
TEST(AlkaliClassification, SandAndGravelAfterDafstbAnnexA) {
  AlkaliInput in = AlkaliInputFromRecord("KG1:0|KG2:32|", "2450;820;1130;1560;2340;2890;0", "VA_ALKALI|2|2");
  auto set = [&in](int sizeClass, std::vector<std::pair<int, const char*>> values) {
    for (const auto& [row, value] : values) in.cells[static_cast<size_t>(sizeClass)][static_cast<size_t>(row)] = value;
  };
  set(0, {{kNaohSample, "50"}, {kNaohResidue, "49,8"}});
  set(1, {{kNaohSample, "100"}, {kNaohResidue, "99.1"}});
  set(2, {{1, "985"}, {3, "9"}, {5, "6"}, {8, "9.3"}, {9, "5.4"}, {kNaohResidue, "3.1"}, {kSoftened, "1.2"}});
  set(3, {{1, "1940"}, {3, "38"}, {5, "22"}, {8, "39.2"}, {9, "22.4"}, {kNaohResidue, "8.6"}, {kSoftened, "4.5"}});
  set(4, {{1, "2955"}, {3, "30"}, {5, "15"}, {8, "30.9"}, {9, "18"}, {kNaohResidue, "9"}, {kSoftened, "2.1"}});
  const AlkaliResult r = ComputeAlkali(in);
  EXPECT_EQ(r.classes.classO, "E II-O");
  EXPECT_EQ(r.classes.classOF, "E II-OF");
  EXPECT_EQ(r.status, "8");
  // The page D record of the report tests is this sample as stored.
  EXPECT_EQ(r.DataString(), reporttest::AlkaliField());

  const TestEntryResult stored = AlkaliEntryResult(r);
  EXPECT_EQ(stored.resultText, r.DataString());
  EXPECT_FALSE(stored.statisticsValue);
  EXPECT_TRUE(stored.parts.empty());
}

TEST(AlkaliData, ReadBackAndNumbersOnly) {
  AlkaliInput in = AlkaliInputFromRecord(reporttest::AlkaliField(), "1;2;3", "");
  EXPECT_EQ(in.masses[1], "1");  // the current sieving, not the stored "A" values
  EXPECT_EQ(in.masses[4], "");
  EXPECT_EQ(in.cells[3][kNaohResidue], "8.60");
  EXPECT_EQ(in.grainGroup2, "32");
  EXPECT_EQ(ComputeAlkali(in).classes.classOF, "E II-OF");

  const auto values = ParseAlkaliData("A1:5|X|M013:1:2|B00:X||E_O:E I-O|");
  EXPECT_EQ(values.at("A1"), "5");
  EXPECT_EQ(values.at("X"), "");      // an entry without ":" has an empty value
  EXPECT_EQ(values.at("M013"), "1");  // the value ends at the next ":"
  EXPECT_EQ(values.count("E_O"), 0u); // the entries end at the first empty one
  EXPECT_EQ(AlkaliCellKey(2, 13), "M213");
  EXPECT_EQ(AlkaliMarkKey(5, 4), "B54");

  // Whatever was typed or pasted, the data string holds numbers: a number
  // normalised, a text that is none refused and left out, nothing computed.
  AlkaliInput typed;
  typed.cells[2][kUnreactive] = " 12,5 ";
  typed.cells[2][kFlint] = "1:2|3";
  typed.cells[2][kOpaline] = "abc";
  typed.cells[0][kFlintVolume] = "x|y";  // a computed cell, even a hidden one
  const AlkaliResult refused = ComputeAlkali(typed);
  const std::string data = refused.DataString();
  EXPECT_NE(data.find("|M201:12.50|"), std::string::npos) << data;
  for (const char* text : {"M203", "M205", "M200", "x|y", "abc"}) EXPECT_EQ(data.find(text), std::string::npos) << text;
  EXPECT_EQ(refused.status, "0");
  ASSERT_EQ(refused.classes.faults.size(), 2u);
  EXPECT_EQ(refused.classes.faults[0].input, InputId(2, kFlint));
  EXPECT_EQ(refused.classes.faults[1].input, InputId(2, kOpaline));
  typed.cells[2][kFlint] = "1:2";
  typed.cells[2][kOpaline] = "";
  for (const char* pair : {"|M203:1.20|", "|M201:12.50|"})
    EXPECT_NE(ComputeAlkali(typed).DataString().find(pair), std::string::npos) << pair;
}

// The NaOH residue is weighed apart from its sample and may lie one step of
// its display above it (0.01 g, 0.1 g from 100 g on), compared as typed; the
// flint's weighings under water and in air give its volume: no tolerance.
TEST(AlkaliRelations, ToleranceOfTwoWeighings) {
  struct Case {
    const char* name;
    int sizeClass;
    std::vector<std::pair<int, std::string>> cells;
    int refusedRow;  // -1: accepted
  };
  const Case cases[] = {
      {"ResidueOneStepAbove", 2, {{kNaohSample, "6"}, {kNaohResidue, "6.01"}}, -1},
      {"ResidueTwoStepsAbove", 2, {{kNaohSample, "6"}, {kNaohResidue, "6.02"}}, kNaohResidue},
      // Shown as 6.01, typed 0.014 g above.
      {"ResidueComparedAsTyped", 2, {{kNaohSample, "6"}, {kNaohResidue, "6.014"}}, kNaohResidue},
      {"ResidueOfTheOpalineSample", 3, {{kOpaline, "6"}, {kNaohResidue, "6.01"}}, -1},
      {"LargeResidueOneStepAbove", 0, {{kNaohSample, "150"}, {kNaohResidue, "150.1"}}, -1},
      {"LargeResidueTwoStepsAbove", 0, {{kNaohSample, "150"}, {kNaohResidue, "150.2"}}, kNaohResidue},
      {"FlintEqualUnderWater", 2, {{kFlintWetInAir, "9.3"}, {kFlintUnderWater, "9.3"}}, -1},
      {"FlintOneStepHeavierUnderWater", 2, {{kFlintWetInAir, "9.3"}, {kFlintUnderWater, "9.31"}}, kFlintUnderWater},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const AlkaliClasses r = ComputeAlkaliClasses(Cells(c.sizeClass, c.cells), "", 0, 0);
    if (c.refusedRow < 0) {
      EXPECT_TRUE(r.faults.empty()) << r.faults[0].reason;
    } else {
      ASSERT_EQ(r.faults.size(), 1u);
      EXPECT_EQ(r.faults[0].input, InputId(c.sizeClass, c.refusedRow));
    }
  }
  // Within the tolerance the residue is taken as weighed: no opaline lost.
  const AlkaliClasses within = ComputeAlkaliClasses(Cells(2, {{kNaohSample, "6"}, {kNaohResidue, "6.01"}}), "", 0, 0);
  EXPECT_EQ(Cell(within, 2, kOpalineNaoh), "-0.01");
}

TEST(AlkaliClipboard, CopiedLineRestoresTheFlagCells) {
  ASSERT_EQ(kFlagCells.size(), 54u);
  EXPECT_EQ(FlagCellIndex(0, 13), 3);
  EXPECT_EQ(FlagCellIndex(2, 0), 10);
  EXPECT_EQ(FlagCellIndex(5, 14), 53);
  EXPECT_EQ(FlagCellIndex(2, kSoftened), -1);

  const AlkaliInput in = AlkaliInputFromRecord(reporttest::AlkaliField(), "", "");
  const std::string line = FlagCellsText(in.cells);
  EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 54);
  EXPECT_TRUE(IsCellBlock(line));
  EXPECT_FALSE(IsCellBlock("12.5\r\n"));

  AlkaliCells cells;
  cells[2][kSoftened] = "1.20";  // not a flag cell: a paste leaves it
  PasteFlagCells(cells, line + "\r\n");
  for (const FlagCell& cell : kFlagCells)
    EXPECT_EQ(cells[static_cast<size_t>(cell.sizeClass)][static_cast<size_t>(cell.row)],
              in.cells[static_cast<size_t>(cell.sizeClass)][static_cast<size_t>(cell.row)]);
  EXPECT_EQ(cells[2][kSoftened], "1.20");

  // A short line empties the cells it has no field for.
  PasteFlagCells(cells, "1\t2");
  EXPECT_EQ(cells[0][0], "1");
  EXPECT_EQ(cells[0][10], "2");
  EXPECT_EQ(cells[0][11], "");
  EXPECT_EQ(cells[4][kFlint], "");
}
