// The armourstone computations: the category tables, the sieving against a
// size category with the stone shape, and the weighing of single stones
// against a mass category, each with a hand-computed sample.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "evaluation/wasserbausteine/groessenverteilung.h"
#include "evaluation/wasserbausteine/massenverteilung.h"
#include "evaluation/wasserbausteine/wbsklassen.h"

namespace {

// ------------------------------------------------------------ categories

TEST(WBSCategories, SizeCategoryWithFourSievesAndAFailedLookup) {
  CWBSGroessenklasse c;
  ASSERT_TRUE(c.Load("CP 90/180"));
  EXPECT_EQ(c.GetSizeCount(), 4);
  const double sizes[] = {45, 90, 180, 250, 0};
  const char* ranges[] = {"0-5", "0-20", "80-100", "98-100", ""};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(c.GetSize(i), sizes[i]) << i;
    EXPECT_EQ(c.GetRange(i), ranges[i]) << i;
  }
  EXPECT_EQ(c.GetUpperSize(), 250);

  // A name no row carries leaves nothing of the category before.
  for (const char* name : {"CP 90/999", "cp 90/180", ""}) {
    EXPECT_FALSE(c.Load(name)) << name;
    EXPECT_EQ(c.GetSizeCount(), 0);
    EXPECT_EQ(c.GetRange(0), "");
    EXPECT_EQ(c.GetUpperSize(), 0);
    EXPECT_EQ(c.FindRange(45), "");
    ASSERT_TRUE(c.Load("CP 90/180"));
  }

  CWBSGewichtsklasse m;
  ASSERT_TRUE(m.Load("HMA 1000/3000"));
  EXPECT_EQ(m.GetLimitMass(3), 4500);
  EXPECT_FALSE(m.Load("HMA 1000"));
  EXPECT_EQ(m.GetLimitMass(3), 0);
  EXPECT_EQ(m.GetRange(0), "");
}

TEST(WBSCategories, ExactSieveAndBandsWithTheirMargin) {
  CWBSGroessenklasse c;
  ASSERT_TRUE(c.Load("CP 45/125"));
  EXPECT_EQ(c.FindRange(22.4), "0-5");
  EXPECT_EQ(c.FindRange(22.40001), "");
  EXPECT_EQ(c.FindRange(180), "98-100");
  EXPECT_EQ(c.GetBand(22.4), 0);
  EXPECT_EQ(c.GetBand(200), 5);

  CWBSGewichtsklasse m;
  ASSERT_TRUE(m.Load("LMA 5/40"));
  const struct {
    double mass;
    int band;
  } cases[] = {{0, 0}, {1.5009, 0}, {1.501, 1}, {5.0, 1}, {5.002, 2}, {40, 2}, {80, 3}, {80.001, 4}, {500, 4}};
  for (const auto& c : cases) EXPECT_EQ(m.GetBand(c.mass), c.band) << c.mass;
}

TEST(WBSCategories, RangeTests) {
  const struct {
    const char* value;
    const char* range;
    bool in;
  } cases[] = {{"98", "98-100", true},    {"100", "98-100", true}, {"97.9998", "98-100", false},
               {"100.0002", "98-100", false}, {"0", "0-5", true},     {"", "0-5", false},
               {"3", "", false},            {"3", "0-", false},      {"0", "", false}};
  for (const auto& c : cases) EXPECT_EQ(IsInRange(c.value, c.range), c.in) << c.value << " in " << c.range;
  // The mass ranges exclude their ends (the margin of 0.0001 lets them in).
  EXPECT_TRUE(IsInMassRange(97, "97-100"));
  EXPECT_TRUE(IsInMassRange(100, "97-100"));
  EXPECT_FALSE(IsInMassRange(96.9998, "97-100"));
  EXPECT_FALSE(IsInMassRange(0, ""));  // no category: never met
  EXPECT_FALSE(IsInMassRange(0, "0-"));
}

// ------------------------------------------------------------ sieving

SizeDistributionInput Sieving(const std::string& category, std::initializer_list<std::pair<int, const char*>> residues) {
  SizeDistributionInput in;
  in.category = category;
  for (const auto& [row, mass] : residues) in.residues[static_cast<size_t>(row)] = mass;
  return in;
}

// Table rows by sieve.
enum : int { kOver = 0, k360, k250, k180, k125, k90, k63, k45, k31, k22, kPan };

// A sample of "CP 45/125" after EN 13383-2, weighed by hand:
//   sieve  M [kg]  ri = M / 1209.1        Ri     Pi = 100 - Ri
//   180      0.0    0.0                   0.0    100
//   125    130.5   10.79 -> 10.8         10.8     89  (10.79)   "90-100" nein
//    90    310.6   25.69 -> 25.7         36.5     64
//    63    452.8   37.45 -> 37.4         73.9     26  (26.07)   "0-50"   ja
//    45    228.4   18.89 -> 18.9         92.8      7  (7.18)    "0-15"   ja
//    31.5   61.7    5.10 ->  5.1         97.9      2
//    22.4   18.9    1.56 ->  1.6         99.5      1  (0.51)    "0-5"    ja
//    pan     6.2    0.51 ->  0.5        100.0      0
//   sum   1209.1                                              180: 100 "98-100" ja
// The shown shares add up to 100.0; the sample misses its category at 125 mm.
TEST(WBSSieving, HandComputedSampleOfCP45_125) {
  const SizeDistributionResult r =
      ComputeSizeDistribution(Sieving("CP 45/125", {{k180, "0"},
                                                    {k125, "130,5"},
                                                    {k90, "310.6"},
                                                    {k63, "452.8"},
                                                    {k45, "228.4"},
                                                    {k31, "61.7"},
                                                    {k22, "18.9"},
                                                    {kPan, "6.2"}}));
  const WBSSizeData& d = r.data;
  ASSERT_TRUE(r.computed);
  EXPECT_EQ(d.total, "1209.1");
  EXPECT_EQ(d.residues[k125], "130.5");
  EXPECT_EQ(d.residues[k180], "0.0");
  const WBSRowTexts shares = {"", "", "", "0.0", "10.8", "25.7", "37.4", "18.9", "5.1", "1.6", "0.5"};
  const WBSRowTexts sums = {"", "", "", "0.0", "10.8", "36.5", "73.9", "92.8", "97.9", "99.5", "100.0"};
  const WBSRowTexts passing = {"", "", "", "100", "89", "64", "26", "7", "2", "1", "0"};
  const WBSRowTexts ranges = {"", "", "", "98-100", "90-100", "", "0-50", "0-15", "", "0-5", ""};
  const WBSRowTexts labels = {"> 180", "360", "250", "180", "125", "90", "63", "45", "31.5", "22.4", "< 22.4"};
  EXPECT_EQ(d.shares, shares);
  EXPECT_EQ(r.sums, sums);
  EXPECT_EQ(d.passing, passing);
  EXPECT_EQ(d.ranges, ranges);
  EXPECT_EQ(d.labels, labels);
  ASSERT_EQ(d.requirements.size(), 5u);
  const char* expected[5][4] = {{"22.4", "1", "0-5", "ja"},
                                {"45", "7", "0-15", "ja"},
                                {"63", "26", "0-50", "ja"},
                                {"125", "89", "90-100", "nein"},
                                {"180", "100", "98-100", "ja"}};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(d.requirements[i].sieve, expected[i][0]);
    EXPECT_EQ(d.requirements[i].passing, expected[i][1]);
    EXPECT_EQ(d.requirements[i].range, expected[i][2]);
    EXPECT_EQ(d.requirements[i].word, expected[i][3]);
  }
  EXPECT_EQ(r.status, "9");
  // The sieves above the upper size 180 mm take no value.
  EXPECT_FALSE(r.enabled[k360]);
  EXPECT_FALSE(r.enabled[k250]);
  EXPECT_TRUE(r.enabled[k180]);
  EXPECT_TRUE(r.enabled[kOver]);
  EXPECT_TRUE(r.enabled[kPan]);
}

TEST(WBSSieving, TotalOfOneKilogramOrLessComputesNothing) {
  for (const char* pan : {"1.0", "0.96", ""}) {
    const SizeDistributionResult r = ComputeSizeDistribution(Sieving("CP 45/125", {{kPan, pan}}));
    EXPECT_FALSE(r.computed) << pan;
    EXPECT_EQ(r.data.total, "");
    EXPECT_EQ(r.data.shares[kPan], "");
    EXPECT_EQ(r.data.passing[kPan], "");
    EXPECT_EQ(r.status, "0");
  }
}

TEST(WBSSieving, ShownSharesAreCorrectedOnTheLargestRow) {
  // Three equal thirds show 33.3 each (99.9): the first of the largest takes 33.4.
  SizeDistributionResult r = ComputeSizeDistribution(Sieving("CP 45/125", {{k63, "1"}, {k45, "1"}, {k22, "1"}}));
  EXPECT_EQ(r.data.shares[k63], "33.4");
  EXPECT_EQ(r.data.shares[k45], "33.3");
  EXPECT_EQ(r.data.shares[k22], "33.3");
  EXPECT_EQ(r.sums[k22], "100.0");  // the sums and passing values stay as computed
  // Seven sevenths show 14.3 each (100.1): the first takes 14.2.
  r = ComputeSizeDistribution(Sieving(
      "CP 45/125", {{k180, "1"}, {k125, "1"}, {k90, "1"}, {k63, "1"}, {k45, "1"}, {k31, "1"}, {k22, "1"}}));
  EXPECT_EQ(r.data.shares[k180], "14.2");
  EXPECT_EQ(r.data.shares[k125], "14.3");
  // A clear largest row takes the correction even when it comes later.
  r = ComputeSizeDistribution(Sieving("CP 45/125", {{k63, "1"}, {k45, "1"}, {k22, "1"}, {kPan, "3"}}));
  EXPECT_EQ(r.data.shares[kPan], "49.9");  // 16.7 + 16.7 + 16.7 + 50.0 would be 100.1
  EXPECT_EQ(r.data.shares[k63], "16.7");
}

TEST(WBSSieving, RequirementListAndStatusFollowTheCategorySieves) {
  // "CP 90/180" has four sieves: four rows, all measured and met.
  SizeDistributionResult r = ComputeSizeDistribution(
      Sieving("CP 90/180", {{k250, "0"}, {k180, "5"}, {k90, "80"}, {k45, "10"}, {kPan, "5"}}));
  ASSERT_EQ(r.data.requirements.size(), 4u);
  EXPECT_EQ(r.data.requirements[3].sieve, "250");
  EXPECT_EQ(r.data.requirements[0].sieve, "45");
  EXPECT_EQ(r.data.requirements[0].passing, "5");
  EXPECT_EQ(r.status, "8");
  // A category sieve without a residue has no passing value: no verdict, status "0".
  r = ComputeSizeDistribution(Sieving("CP 90/180", {{k250, "0"}, {k180, "5"}, {k90, "80"}, {kPan, "15"}}));
  EXPECT_EQ(r.data.requirements[0].passing, "");
  EXPECT_EQ(r.data.requirements[0].word, "");
  EXPECT_EQ(r.status, "0");
  // A residue of "0" is a measured value.
  r = ComputeSizeDistribution(
      Sieving("CP 90/180", {{k250, "0"}, {k180, "0"}, {k90, "80"}, {k45, "15"}, {kPan, "5"}}));
  EXPECT_EQ(r.data.requirements[2].passing, "100");
  EXPECT_EQ(r.data.requirements[2].word, "ja");
  EXPECT_EQ(r.data.requirements[1].passing, "20");  // "0-20": met at its upper end
  EXPECT_EQ(r.data.requirements[1].word, "ja");
}

TEST(WBSSieving, ChangeOfCategoryBeforeTheStoreEmptiesFirst) {
  // Entered for "CP 90/250" (up to 360 mm), stored as "CP 45/125": the 360
  // and 250 mm residues go before anything is computed.
  const SizeDistributionInput in =
      Sieving("CP 45/125", {{k360, "50"}, {k250, "50"}, {k180, "0"}, {k125, "50"}, {k63, "50"}, {kPan, "0"}});
  const SizeDistributionResult shown = ComputeSizeDistribution(in);
  EXPECT_EQ(shown.data.total, "200.0");
  const SizeDistributionResult stored = StoreSizeDistribution(in);
  EXPECT_EQ(stored.data.residues[k360], "");
  EXPECT_EQ(stored.data.residues[k250], "");
  EXPECT_EQ(stored.data.total, "100.0");
  EXPECT_EQ(stored.data.shares[k125], "50.0");
  EXPECT_EQ(stored.data.passing[k125], "50");
  EXPECT_EQ(stored.data.labels[kOver], "> 180");
  // What is stored gives the same numbers when computed again.
  SizeDistributionInput again;
  again.category = "CP 45/125";
  again.residues = stored.data.residues;
  const SizeDistributionResult reopened = ComputeSizeDistribution(again);
  EXPECT_EQ(reopened.data.shares, stored.data.shares);
  EXPECT_EQ(reopened.data.passing, stored.data.passing);
  EXPECT_EQ(reopened.data.total, stored.data.total);
}

// ------------------------------------------------------------ stone shape

StoneShapeInput Stones(int category, const std::string& limit,
                       std::initializer_list<std::pair<const char*, const char*>> stones) {
  StoneShapeInput in;
  in.categoryIndex = category;
  in.limit = limit;
  size_t i = 0;
  for (const auto& [l, t] : stones) {
    in.lengths[i] = l;
    in.thicknesses[i] = t;
    ++i;
  }
  return in;
}

// Twenty stones measured by hand, L/T to one decimal; three are longer than
// three times their thickness (stones 4, 11 and 17), stone 20 has no
// thickness: 19 valid, 3 badly shaped, 3 / 19 = 15.8 %.
TEST(WBSStoneShape, TwentyStonesOfAHandMeasuredSample) {
  const StoneShapeInput in = Stones(kShapeLTA, "",
                                    {{"62", "31"},   {"55", "25.5"}, {"48", "22"},   {"71", "21"},   {"58,5", "29"},
                                     {"66", "28"},   {"52", "24"},   {"49", "19.5"}, {"60", "33"},   {"57", "26"},
                                     {"80", "24.5"}, {"46", "20"},   {"63", "29"},   {"54", "27"},   {"61", "23"},
                                     {"59", "31"},   {"75", "22"},   {"50", "25"},   {"66", "22"},   {"53", ""}});
  const StoneShapeResult r = ComputeStoneShape(in);
  const char* ratios[] = {"2.0", "2.2", "2.2", "3.4", "2.0", "2.4", "2.2", "2.5", "1.8", "2.2",
                          "3.3", "2.3", "2.2", "2.0", "2.7", "1.9", "3.4", "2.0", "3.0", ""};
  for (size_t i = 0; i < 20; ++i) {
    EXPECT_EQ(r.ratios[i], ratios[i]) << i + 1;
    const bool bad = i == 3 || i == 10 || i == 16;
    EXPECT_EQ(r.words[i], i == 19 ? "" : bad ? "ja" : "nein") << i + 1;
  }
  EXPECT_EQ(r.lengths[4], "58.5");
  EXPECT_EQ(r.thicknesses[0], "31.0");
  EXPECT_EQ(r.thicknesses[19], "");
  EXPECT_EQ(r.valid, 19);
  EXPECT_EQ(r.bad, 3);
  EXPECT_EQ(r.share, "15.8");
  EXPECT_EQ(r.required, "20");
  EXPECT_EQ(r.word, "ja");
  EXPECT_EQ(r.met, "1");
  // 66 / 22 is exactly 3: not badly shaped.
  EXPECT_EQ(r.words[18], "nein");
}

TEST(WBSStoneShape, ShapeCategoriesAndLimits) {
  const auto stones = {std::pair{"70", "20"}, std::pair{"40", "20"}, std::pair{"50", ""}};  // one of two valid is bad
  const struct {
    int category;
    const char* typed;
    const char* limit;
    bool editable;
    const char* word;
    const char* met;
  } cases[] = {
      {kShapeLTA, "75", "20", false, "nein", "0"},     // always 20 %
      {kShapeLTNR, "75", "", false, "", ""},           // no requirement
      {kShapeLTGiven, "50", "50", true, "ja", "1"},    // 50 % against 50 %
      {kShapeLTGiven, "49,6", "50", true, "ja", "1"},  // no decimals
      {kShapeLTGiven, "40", "40", true, "nein", "0"},
      {kShapeLTGiven, "250", "100", true, "ja", "1"},  // at most 100
      {kShapeLTGiven, "", "", true, "", ""},
      {-1, "60", "60", true, "ja", "1"},  // no choice: as given
  };
  for (const auto& c : cases) {
    const StoneShapeResult r = ComputeStoneShape(Stones(c.category, c.typed, stones));
    SCOPED_TRACE(std::to_string(c.category) + " " + c.typed);
    EXPECT_EQ(r.valid, 2);
    EXPECT_EQ(r.bad, 1);
    EXPECT_EQ(r.share, "50.0");
    EXPECT_EQ(r.limit, c.limit);
    EXPECT_EQ(r.required, c.limit);
    EXPECT_EQ(r.limitEditable, c.editable);
    EXPECT_EQ(r.word, c.word);
    EXPECT_EQ(r.met, c.met);
  }
  // A stone with a length but no thickness (or a thickness of 0) is not counted.
  const StoneShape s = EvaluateStone("50", "0");
  EXPECT_FALSE(s.valid);
  EXPECT_EQ(s.ratio, "");
  EXPECT_EQ(s.word, "");
}

TEST(WBSStoneShape, NoValidStoneJudgesNothing) {
  for (int category : {kShapeLTA, kShapeLTGiven}) {
    const StoneShapeResult r = ComputeStoneShape(Stones(category, "30", {{"50", ""}, {"", "20"}}));
    EXPECT_EQ(r.valid, 0);
    EXPECT_EQ(r.share, "");
    EXPECT_EQ(r.word, "");
    EXPECT_EQ(r.met, "");
    const WBSShapeData d = StoneShapeData(r, category, "LT A");
    EXPECT_EQ(d.validCount, "0");
    EXPECT_EQ(d.badShare, "");
    EXPECT_EQ(d.met, "");
  }
}

// ------------------------------------------------------------ weighing

MassDistributionInput Weighing(const std::string& category, int massClass, const std::string& dust) {
  MassDistributionInput in;
  in.category = category;
  in.massClass = massClass;
  in.dust = dust;
  return in;
}

// Twenty stones of an "LMA 10/60" sample after EN 13383-2 with 0.35 kg of
// dust, weighed and measured by hand (stone 20 without its shape):
//   band 0 (< 2 kg):      1.80                          + dust 0.35 = 2.15
//   band 1 (2 - 10 kg):   6.50 + 9.20                              = 15.70
//   band 2 (10 - 60 kg):  stones 4 .. 19                            = 535.40
//   band 3 (60 - 120 kg): 66.40
//   total 619.65 kg; lighter than   2 kg:   2.15 / 619.65 =   0.3 %  "0-2"    ja
//                                  10 kg:  17.85 / 619.65 =   2.9 %  "0-10"   ja
//                                  60 kg: 553.25 / 619.65 =  89.3 %  "70-100" ja
//                                 120 kg: 619.65 / 619.65 = 100.0 %  "97-100" ja
// Badly shaped (L/T > 3): stones 5 (48/14) and 15 (55/16), 15.80 + 41.20 =
// 57.00 kg of the 552.90 kg of the 19 measured stones: 10.31 % by mass
// (light class: at most 20 %, met), 2 of 19 = 10.53 % by number.
MassDistributionInput LMA10_60Sample(int massClass) {
  MassDistributionInput in = Weighing("LMA 10/60", massClass, "0,35");
  const char* masses[] = {"1.8",  "6.5",  "9.2",  "12.4", "15.8", "18.3", "21.7", "24.9", "27.2", "29.6",
                          "31.4", "33.8", "36.1", "38.5", "41.2", "44.7", "48.3", "52.6", "58.9", "66.4"};
  const char* lengths[] = {"30", "38", "45", "52", "48", "50", "55", "58", "60", "57",
                           "62", "64", "66", "70", "55", "72", "60", "78", "80", ""};
  const char* thicknesses[] = {"18", "22", "24", "25", "14", "24", "26", "27", "28", "26",
                               "28", "29", "30", "31", "16", "32", "21", "33", "34", ""};
  for (size_t i = 0; i < 20; ++i) {
    in.masses[i] = masses[i];
    in.lengths[i] = lengths[i];
    in.thicknesses[i] = thicknesses[i];
  }
  return in;
}

TEST(WBSWeighing, HandComputedSampleOfLMA10_60) {
  const MassDistributionResult r = ComputeMassDistribution(LMA10_60Sample(kMassClassLight));
  ASSERT_TRUE(r.computed);
  const WBSMassData& d = r.data;
  EXPECT_EQ(d.dust, "0.35");
  EXPECT_EQ(d.masses[0], "1.80");
  EXPECT_EQ(d.lengths[0], "30.0");
  EXPECT_EQ(d.stoneTokens[0], "1.80_0");
  EXPECT_EQ(d.stoneTokens[1], "6.50_1");
  EXPECT_EQ(d.stoneTokens[3], "12.40_2");
  EXPECT_EQ(d.stoneTokens[19], "66.40_3");
  EXPECT_EQ(d.stoneTokens[20], "_");
  const std::array<std::string, 5> bands = {"1.80", "15.70", "535.40", "66.40", "0.00"};
  const std::array<std::string, 5> withDust = {"2.15", "15.70", "535.40", "66.40", "0.00"};
  EXPECT_EQ(d.bandMasses, bands);
  EXPECT_EQ(d.bandMassesWithDust, withDust);
  EXPECT_EQ(d.total, "619.65");
  using Row = std::array<std::string, kWBSMassTableColumns>;
  EXPECT_EQ(d.table[kWBSLimits], (Row{"2.00", "10.00", "60.00", "120.00", "Schlecht_geformt_in_kg", "Schlecht_geformt_Anzahl"}));
  EXPECT_EQ(d.table[kWBSCumulative], (Row{"2.15", "17.85", "553.25", "619.65", "57.00_kg", "2"}));
  EXPECT_EQ(d.table[kWBSPassing], (Row{"0.3", "2.9", "89.3", "100.0", "10.31", "10.53"}));
  EXPECT_EQ(d.table[kWBSRanges], (Row{"0-2", "0-10", "70-100", "97-100", "<=20", "."}));
  EXPECT_EQ(d.table[kWBSWords], (Row{"ja", "ja", "ja", "ja", "ja", "."}));
  EXPECT_EQ(d.badMasses[4], "15.80");
  EXPECT_EQ(d.badMasses[14], "41.20");
  EXPECT_EQ(d.badMasses[16], "");  // 60 / 21 = 2.86
  EXPECT_EQ(r.validCount, 19);
  EXPECT_EQ(r.badCount, 2);
  EXPECT_TRUE(r.lightMet);
  EXPECT_EQ(r.status, "8");
  EXPECT_EQ(r.list[0].range, "0 - 2");
  EXPECT_EQ(r.list[0].actual, "2.15 kg");  // not the traces of the 200 empty stones
  EXPECT_EQ(r.list[2].actual, "553.25 kg");
  EXPECT_EQ(r.list[2].share, "89.3");
  EXPECT_EQ(r.list[4].required, "<= 20");
  EXPECT_EQ(r.list[4].word, "ja");
  EXPECT_EQ(r.list[5].word, "");
}

TEST(WBSWeighing, MassClassesInTheRequirementParts) {
  using Pair = std::pair<std::string, std::string>;
  const struct {
    int massClass;
    Pair ranges, words;
  } cases[] = {
      {kMassClassNone, {".", "."}, {".", "."}},
      {kMassClassLight, {"<=20", "."}, {"ja", "."}},
      {kMassClassHeavy, {".", "<=5"}, {".", "nein"}},  // 10.53 % by number
  };
  for (const auto& c : cases) {
    const MassDistributionResult r = ComputeMassDistribution(LMA10_60Sample(c.massClass));
    const WBSMassData& d = r.data;
    EXPECT_EQ(Pair(d.table[kWBSRanges][4], d.table[kWBSRanges][5]), c.ranges) << c.massClass;
    EXPECT_EQ(Pair(d.table[kWBSWords][4], d.table[kWBSWords][5]), c.words) << c.massClass;
    // The shape requirement never enters the status.
    EXPECT_EQ(r.status, "8") << c.massClass;
    std::string field;
    WriteWBSMassData(field, d);
    const std::string ending = "|0-2 0-10 70-100 97-100 " + c.ranges.first + " " + c.ranges.second + " |ja ja ja ja " +
                               c.words.first + " " + c.words.second + " |";
    ASSERT_GE(field.size(), ending.size());
    EXPECT_EQ(field.substr(field.size() - ending.size()), ending) << c.massClass;
  }
}

TEST(WBSWeighing, WithoutACategoryNothingIsJudged) {
  MassDistributionInput in = LMA10_60Sample(kMassClassLight);
  for (const char* name : {"", "LMA 10"}) {
    in.category = name;
    const MassDistributionResult r = ComputeMassDistribution(in);
    EXPECT_FALSE(r.categoryKnown) << name;
    EXPECT_FALSE(r.computed);
    EXPECT_EQ(r.status, "0");
    for (bool met : r.rangeMet) EXPECT_FALSE(met);
    for (size_t k = 0; k < 4; ++k) {
      EXPECT_EQ(r.list[k].word, "") << k;
      EXPECT_EQ(r.data.table[kWBSRanges][k], ".");
      EXPECT_EQ(r.data.table[kWBSWords][k], ".");
    }
    EXPECT_EQ(r.data.category, name);
  }
}

TEST(WBSWeighing, NearlyNothingWeighedJudgesNothing) {
  MassDistributionInput in = Weighing("LMA 5/40", kMassClassNone, "");
  MassDistributionResult r = ComputeMassDistribution(in);
  EXPECT_FALSE(r.computed);
  EXPECT_EQ(r.status, "0");
  EXPECT_EQ(r.data.dust, "0.00");
  // No share, so no face: the ranges stand without a word.
  for (size_t k = 0; k < 4; ++k) {
    EXPECT_EQ(r.list[k].share, "") << k;
    EXPECT_EQ(r.list[k].word, "") << k;
    EXPECT_EQ(r.data.table[kWBSRanges][k], r.list[k].required) << k;
    EXPECT_EQ(r.data.table[kWBSWords][k], ".") << k;
  }
  EXPECT_EQ(r.list[3].actual, "0 kg");
  // A mass just above a limit but within 0.001 kg stays in the lower band.
  in.masses[0] = "5.00";
  in.masses[1] = "40.001";  // two decimals: 40.00
  in.masses[2] = "40.01";
  r = ComputeMassDistribution(in);
  EXPECT_EQ(r.band[0], 1);
  EXPECT_EQ(r.band[1], 2);
  EXPECT_EQ(r.band[2], 3);
}

// The shape limit of a class is judged on measured stones only: a light
// class without a stone whose length and thickness were taken shows no word.
TEST(WBSWeighing, ShapeLimitIsJudgedOnlyOnMeasuredStones) {
  MassDistributionInput in = LMA10_60Sample(kMassClassLight);
  in.lengths = {};
  const MassDistributionResult r = ComputeMassDistribution(in);
  EXPECT_EQ(r.status, "8");
  EXPECT_EQ(r.validCount, 0);
  EXPECT_EQ(r.list[4].required, "<= 20");
  EXPECT_EQ(r.list[4].word, "");
  EXPECT_EQ(r.data.table[kWBSRanges][4], "<=20");
  EXPECT_EQ(r.data.table[kWBSWords][4], ".");
}

// The table of three stones (one badly shaped, one without its shape) on
// "LMA 5/40", line by line.
TEST(WBSWeighing, TextTableOfASmallStoneList) {
  MassDistributionInput in = Weighing("LMA 5/40", kMassClassHeavy, "0.5");
  in.masses[0] = "3.2";
  in.lengths[0] = "40";
  in.thicknesses[0] = "12";
  in.masses[1] = "22.75";
  in.lengths[1] = "50";
  in.thicknesses[1] = "25";
  in.masses[2] = "90";
  const MassDistributionResult r = ComputeMassDistribution(in);
  std::string expected =
      "    0.00     |1.50     |5.00     |40.00    |       >=| Schlecht|\r\n"
      "         1.50|     5.00|    40.00|    80.00|    80.00|  geformt|\r\n"
      "         [kg]|     [kg]|     [kg]|     [kg]|     [kg]|     [kg]|\r\n"
      "    ---------+---------+---------+---------+---------+---------+\r\n"
      "  1:         |     3.20|         |         |         |     3.20|\r\n"
      "  2:         |         |    22.75|         |         |         |\r\n"
      "  3:         |         |         |         |    90.00|         |\r\n";
  for (int i = 4; i <= 220; ++i) {
    char number[8];
    std::snprintf(number, sizeof number, "%3d:", i);
    expected += std::string(number) + "         |         |         |         |         |         |\r\n";
  }
  expected +=
      "    ---------+---------+---------+---------+---------+---------+\r\n"
      "         0.00|     3.20|    22.75|     0.00|    90.00|     3.20|\r\n"
      "Staub:   0.50\r\n"
      "         0.50|     3.20|    22.75|     0.00|    90.00|         |\r\n"
      "\r\n"
      "    Masse Gesamtprobe      [kg]:    116.45\r\n"
      "    Schlecht geformt in kg  [%]:     12.33 (3.20 / 25.95 kg)\r\n"
      "    Schlecht geformt Anzahl [%]:     50.00 (1 / 2)\r\n";
  EXPECT_EQ(r.table, expected);
}

// ------------------------------------------------------------ refused inputs

const char* const kSlips[] = {"abc", "1e5", "1.2.3", "-", "-5", "12345678"};

// A mass or dust no one can have weighed gives no grading: the fault names
// the input, the typed text stays, status "0", no table, no share, no word.
TEST(WBSRefusals, ARefusedMassOrDustGradesNothing) {
  for (const int input : {WBSMassInput(2), kWBSDustInput})
    for (const char* slip : kSlips) {
      SCOPED_TRACE(std::to_string(input) + " " + slip);
      MassDistributionInput in = LMA10_60Sample(kMassClassLight);
      (input == kWBSDustInput ? in.dust : in.masses[2]) = slip;
      const MassDistributionResult r = ComputeMassDistribution(in);
      ASSERT_EQ(r.faults.size(), 1u);
      EXPECT_EQ(r.faults[0].input, input);
      EXPECT_FALSE(r.faults[0].reason.empty());
      EXPECT_EQ(r.status, "0");
      EXPECT_FALSE(r.computed);
      EXPECT_FALSE(r.shapeJudged);
      EXPECT_EQ(r.table, "");
      for (const MassListRow& row : r.list) EXPECT_EQ(row.word, "");
      EXPECT_EQ(r.data.table[kWBSWords][0], "");
      EXPECT_EQ(r.data.masses[2], input == kWBSDustInput ? "9.20" : slip);
    }
}

// A length or thickness no one can have measured, or a stone thicker than
// long, holds back the shape results alone: the sample is graded as without
// it, while no stone is counted, no shape share shown or judged.
TEST(WBSRefusals, AShapeFaultHoldsBackOnlyTheShapeResults) {
  struct Case {
    std::string name;
    int input;
    std::string length, thickness;  // of stone 5 (48 x 14 cm in the sample)
  };
  std::vector<Case> cases = {{"ThickerThanLong", WBSThicknessInput(4), "48", "48,1"}};
  for (const char* slip : kSlips) {
    cases.push_back({std::string("Length ") + slip, WBSLengthInput(4), slip, "14"});
    cases.push_back({std::string("Thickness ") + slip, WBSThicknessInput(4), "48", slip});
  }
  const MassDistributionResult whole = ComputeMassDistribution(LMA10_60Sample(kMassClassLight));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MassDistributionInput in = LMA10_60Sample(kMassClassLight);
    in.lengths[4] = c.length;
    in.thicknesses[4] = c.thickness;
    const MassDistributionResult r = ComputeMassDistribution(in);
    ASSERT_EQ(r.faults.size(), 1u);
    EXPECT_EQ(r.faults[0].input, c.input);
    EXPECT_TRUE(r.computed);
    EXPECT_FALSE(r.shapeJudged);
    EXPECT_EQ(r.status, "8");
    EXPECT_EQ(r.data.stoneTokens, whole.data.stoneTokens);
    EXPECT_EQ(r.data.total, "619.65");
    for (size_t k = 0; k < 4; ++k) {
      EXPECT_EQ(r.list[k].share, whole.list[k].share) << k;
      EXPECT_EQ(r.list[k].word, "ja") << k;
      EXPECT_EQ(r.data.table[kWBSPassing][k], whole.data.table[kWBSPassing][k]) << k;
      EXPECT_EQ(r.data.table[kWBSWords][k], "ja") << k;
    }
    EXPECT_EQ(r.validCount, 0);
    for (const std::string& bad : r.data.badMasses) EXPECT_EQ(bad, "");
    EXPECT_EQ(r.list[4].share, "");
    EXPECT_EQ(r.list[4].word, "");
    EXPECT_EQ(r.list[4].required, "<= 20");
    for (int part : {kWBSCumulative, kWBSPassing, kWBSWords})
      for (size_t k : {4u, 5u}) EXPECT_EQ(r.data.table[static_cast<size_t>(part)][k], ".") << part << " " << k;
    EXPECT_NE(r.table.find("Masse Gesamtprobe      [kg]:    619.65"), std::string::npos);
    EXPECT_EQ(r.table.find("Schlecht geformt in kg  [%]"), std::string::npos);
    EXPECT_NE(r.table.find("  5:         |         |    15.80|         |         |         |"), std::string::npos);
  }
  // As thick as long is a cube: accepted, and the shape is judged.
  MassDistributionInput cube = LMA10_60Sample(kMassClassLight);
  cube.thicknesses[4] = "48";
  const MassDistributionResult r = ComputeMassDistribution(cube);
  EXPECT_TRUE(r.faults.empty());
  EXPECT_TRUE(r.shapeJudged);
  EXPECT_EQ(r.validCount, 19);
  EXPECT_EQ(r.list[4].word, "ja");
}

// A residue, a stone's length or the shape limit no one can have measured
// judges nothing of the sieving or the stone shape; the other stones keep
// their ratios.
TEST(WBSRefusals, ARefusedResidueOrStoneShapeJudgesNothing) {
  for (const char* slip : kSlips) {
    SCOPED_TRACE(slip);
    const SizeDistributionResult sieved = ComputeSizeDistribution(Sieving(
        "CP 45/125", {{k180, "0"}, {k125, slip}, {k90, "310.6"}, {k63, "452.8"}, {k45, "228.4"}, {k22, "18.9"}}));
    ASSERT_EQ(sieved.faults.size(), 1u);
    EXPECT_EQ(sieved.faults[0].input, WBSResidueInput(k125));
    EXPECT_FALSE(sieved.computed);
    EXPECT_EQ(sieved.status, "0");
    EXPECT_EQ(sieved.data.residues[k125], slip);
    EXPECT_EQ(sieved.data.total, "");
    for (const auto& req : sieved.data.requirements) EXPECT_EQ(req.word, "") << req.sieve;

    StoneShapeInput shape = Stones(kShapeLTGiven, "10", {{"62", "31"}, {"71", "21"}, {slip, "20"}});
    StoneShapeResult judged = ComputeStoneShape(shape);
    ASSERT_EQ(judged.faults.size(), 1u);
    EXPECT_EQ(judged.faults[0].input, WBSLengthInput(2));
    EXPECT_EQ(judged.lengths[2], slip);
    EXPECT_EQ(judged.ratios[2], "");
    EXPECT_EQ(judged.ratios[1], "3.4");
    EXPECT_EQ(judged.share, "");
    EXPECT_EQ(judged.word, "");
    EXPECT_EQ(judged.met, "");
    shape.lengths[2] = "50";
    shape.limit = slip;
    judged = ComputeStoneShape(shape);
    ASSERT_EQ(judged.faults.size(), 1u);
    EXPECT_EQ(judged.faults[0].input, kWBSLimitInput);
    EXPECT_EQ(judged.met, "");
  }
  const StoneShapeResult thicker = ComputeStoneShape(Stones(kShapeLTA, "", {{"62", "31"}, {"30", "30,1"}}));
  ASSERT_EQ(thicker.faults.size(), 1u);
  EXPECT_EQ(thicker.faults[0].input, WBSThicknessInput(1));
  EXPECT_EQ(thicker.faults[0].reason, "Die Dicke des Steins liegt über seiner Länge.");
  EXPECT_EQ(thicker.ratios[1], "");
  EXPECT_EQ(thicker.share, "");
  EXPECT_EQ(thicker.met, "");
}

}  // namespace
