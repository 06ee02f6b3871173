// The flakiness computation: what the dialog shows for given inputs, the
// judgement against the material's requirement, and the texts the opener
// stores from it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "evaluation/plattigkeit/plattigkeit.h"
#include "records/strutil.h"

namespace {

const std::string kEmptyResult = "|@@@@@@@@@@@@@|@@@@@@@@@@@@@|@@@@@@@@@@@@@||||";

// One row filled (row 7: 12,5/16 mm), the others empty.
FlakinessInput OneRow(const std::string& ri, const std::string& mi, const std::string& requirement) {
  FlakinessInput in;
  in.ri[7] = ri;
  in.mi[7] = mi;
  in.requirement = requirement;
  return in;
}

struct JudgementCase {
  const char* name;
  const char* ri;
  const char* mi;
  const char* requirement;
  const char* fli;
  const char* fi;
  int state;
  const char* status;
  const char* reportRow;   // field 23 part 10
  const char* statistics;  // field 10 part 11
};

class FlakinessJudgement : public ::testing::TestWithParam<JudgementCase> {};

TEST_P(FlakinessJudgement, ShowsJudgesAndStores) {
  const JudgementCase& c = GetParam();
  const FlakinessResult r = ComputeFlakiness(OneRow(c.ri, c.mi, c.requirement));
  EXPECT_EQ(r.fli[7], c.fli);
  EXPECT_EQ(r.fi, c.fi);
  EXPECT_EQ(r.requirementState, c.state);
  EXPECT_EQ(r.status, c.status);

  const TestEntryResult stored = FlakinessEntryResult(r);
  EXPECT_EQ(stored.status, c.status);
  ASSERT_TRUE(stored.statisticsValue.has_value());
  EXPECT_EQ(MarkedStatisticsValue(*stored.statisticsValue, stored.status), c.statistics);
  std::string row = "<none>";
  for (const FieldPartText& part : stored.parts)
    if (part.field == 23 && part.part == 10) row = part.text;
  EXPECT_EQ(row, c.reportRow);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FlakinessJudgement,
    ::testing::Values(
        JudgementCase{"Met", "500", "60", "15_LE", "12.0", "12", 1, "8",
                      "Plattigkeitskennzahl [%]:@@12@<= 15@2", "12"},
        JudgementCase{"NotMet", "500", "60", "10_LE", "12.0", "12", 2, "9",
                      "Plattigkeitskennzahl [%]:@@12@<= 10@1", "12_*"},
        JudgementCase{"NoRequirement", "500", "60", "", "12.0", "12", 0, "1",
                      "Plattigkeitskennzahl [%]:@@12@@ ", "12"},
        // "--" states no requirement: judged like an empty code, not as failed.
        JudgementCase{"DashesStateNoRequirement", "500", "60", "--", "12.0", "12", 0, "1",
                      "Plattigkeitskennzahl [%]:@@12@@ ", "12"},
        // 15.6 is shown as 16 and judged as 16.
        JudgementCase{"JudgedAsShown", "500", "78", "15_LE", "15.6", "16", 2, "9",
                      "Plattigkeitskennzahl [%]:@@16@<= 15@1", "16_*"},
        JudgementCase{"RoundedUpStillMet", "500", "78", "16_LE", "15.6", "16", 1, "8",
                      "Plattigkeitskennzahl [%]:@@16@<= 16@2", "16"},
        // Without an index the status is "0" whatever the requirement, the
        // row disappears and no face shows: nothing is judged.
        JudgementCase{"NoIndexWithRequirement", "", "", "15_LE", "", "", 0, "0", "", ""},
        JudgementCase{"NoIndexWithoutRequirement", "", "", "", "", "", 0, "0", "", ""},
        // A class without passing mass has no FLi, and no M2 leaves no index.
        JudgementCase{"NoPassingMass", "500", "", "15_LE", "", "", 0, "0", "", ""},
        // 60 g cannot pass out of a class of 0 g: refused, no face at all.
        JudgementCase{"ZeroClassMass", "0", "60", "15_LE", "", "", 0, "0", "", ""},
        JudgementCase{"ZeroClassMassNothingPassing", "0", "0", "15_LE", "", "", 0, "0", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Flakiness, EmptyInputsGiveTheEmptyResultText) {
  const FlakinessResult r = ComputeFlakiness(FlakinessInput{});
  EXPECT_EQ(r.ResultText(), kEmptyResult);
  EXPECT_EQ(r.discarded, "");
  EXPECT_EQ(r.m1, "");
  EXPECT_EQ(r.m2, "");
  EXPECT_EQ(r.lossCheck, "");
  EXPECT_EQ(r.requirementDisplay, "");
}

TEST(Flakiness, SumsIndexAndLossCheck) {
  // M0 1000, the two sieve masses 10 and 5, M1 980.
  FlakinessInput in;
  in.m0 = "1000";
  in.retained80 = "10";
  in.passing4 = "5";
  in.ri[0] = "480";
  in.mi[0] = "48";
  in.ri[12] = "500";
  in.mi[12] = "100,5";
  in.requirement = "20_LE";
  const FlakinessResult r = ComputeFlakiness(in);
  EXPECT_EQ(r.discarded, "15.0");
  EXPECT_EQ(r.m1, "980.0");
  EXPECT_EQ(r.m2, "148.5");
  EXPECT_EQ(r.fi, "15");  // 15.15...
  EXPECT_EQ(r.lossCheck, "0.5");
  EXPECT_EQ(r.fli[0], "10.0");
  EXPECT_EQ(r.fli[12], "20.1");
  EXPECT_EQ(r.requirementDisplay, "<= 20");
  EXPECT_EQ(r.ResultText(),
            "1000.0|480.0@@@@@@@@@@@@500.0@|48.0@@@@@@@@@@@@100.5@|10.0@@@@@@@@@@@@20.1@|980.0|148.5|15|0.5");
  // Only one of the two sieve masses still gives their sum.
  in.retained80 = "";
  EXPECT_EQ(ComputeFlakiness(in).discarded, "5.0");
}

TEST(Flakiness, NormalisesNumberTexts) {
  struct Case {
    const char* typed;
    const char* shown;
  };
  for (const Case& c : std::vector<Case>{{"12,5", "12.5"},
                                         {" 7 ", "7.0"},
                                         {"3;26", "3.3"},
                                         // Refused: kept as typed for correction.
                                         {"abc", "abc"},
                                         {"1e5", "1e5"},
                                         {"   ", ""},
                                         {"", ""}}) {
    FlakinessInput row;
    row.ri[3] = c.typed;
    row.mi[3] = c.typed;
    const FlakinessResult r = ComputeFlakiness(row);
    EXPECT_EQ(r.inputs.ri[3], c.shown) << c.typed;
    EXPECT_EQ(r.inputs.mi[3], c.shown) << c.typed;
    FlakinessInput discarded;
    discarded.m0 = c.typed;
    discarded.retained80 = c.typed;
    const FlakinessResult d = ComputeFlakiness(discarded);
    EXPECT_EQ(d.inputs.m0, c.shown) << c.typed;
    EXPECT_EQ(d.inputs.retained80, c.shown) << c.typed;
  }
}

TEST(Flakiness, ComputesFromTheShownNumbers) {
  // 0.04 is shown as 0.0: the stored inputs and the results must agree, so a
  // second computation from the shown texts changes nothing.
  FlakinessInput in;
  in.m0 = "1000.04";
  in.ri[2] = "333.33";
  in.mi[2] = "0.04";
  in.ri[5] = "0.04";
  in.mi[5] = "0.04";
  const FlakinessResult first = ComputeFlakiness(in);
  EXPECT_EQ(first.inputs.mi[2], "0.0");
  EXPECT_EQ(first.m2, "");  // nothing shown passes
  EXPECT_EQ(first.fli[5], "");  // a class shown as 0.0 cannot be divided by
  const FlakinessResult second = ComputeFlakiness(first.inputs);
  EXPECT_EQ(second.ResultText(), first.ResultText());
}

TEST(Flakiness, NeverShowsInfiniteOrUndefinedValues) {
  // Masses so large that their sums would overflow are refused: nothing is
  // "inf" or "nan", and nothing is computed.
  FlakinessInput in;
  in.m0 = "1e308";
  in.retained80 = "1e308";
  in.passing4 = "1e308";
  for (size_t row : {0u, 1u}) {
    in.ri[row] = "1e308";
    in.mi[row] = "1e308";
  }
  in.requirement = "15_LE";
  const FlakinessResult r = ComputeFlakiness(in);
  const std::string all = r.ResultText() + "|" + r.discarded;
  EXPECT_EQ(all.find("inf"), std::string::npos) << all;
  EXPECT_EQ(all.find("nan"), std::string::npos) << all;
  EXPECT_EQ(r.discarded, "");
  EXPECT_EQ(r.m1, "");
  EXPECT_EQ(r.fi, "");
  EXPECT_EQ(r.lossCheck, "");
  EXPECT_EQ(r.status, "0");
  EXPECT_EQ(r.fli[0], "");
  EXPECT_FALSE(r.faults.empty());
}

TEST(Flakiness, ReadsTheStoredField) {
  const std::string field =
      "1000.0|@@@@@@@500.0@@@@@@|@@@@@@@45.0@@@@@@|@@@@@@@9.0@@@@@@|500.0|45.0|9|50.0||20_LE|row|12.0|3.0";
  const FlakinessInput in = FlakinessInputFromField(field, "15_LE");
  EXPECT_EQ(in.m0, "1000.0");
  EXPECT_EQ(in.ri[7], "500.0");
  EXPECT_EQ(in.mi[7], "45.0");
  EXPECT_EQ(in.ri[0], "");
  EXPECT_EQ(in.retained80, "12.0");
  EXPECT_EQ(in.passing4, "3.0");
  EXPECT_EQ(in.requirement, "15_LE");  // the material's, not the stored one
  // A field of an older layout with fewer parts reads as empty inputs.
  const FlakinessInput old = FlakinessInputFromField("950.0", "");
  EXPECT_EQ(old.m0, "950.0");
  EXPECT_EQ(old.ri[12], "");
  EXPECT_EQ(old.passing4, "");
}

TEST(Flakiness, TakesTheRequirementFromTheRecordsMaterial) {
  CVersuch record;
  const std::string head = "{0}{3-1|Splitt||||}{1|0.063|31.5}{Brechkorn|DIN EN 13043|WPK||}{}{";
  record.SetField(25, head + "[VA_KORNF|20_LE][VA_PLATT|15_LE|x]}{}");
  EXPECT_EQ(FlakinessRequirement(record), "15_LE");
  record.SetField(25, head + "[VA_PLATT]}{}");
  EXPECT_EQ(FlakinessRequirement(record), "");
  record.SetField(25, head + "[VA_KORNF|20_LE]}{}");
  EXPECT_EQ(FlakinessRequirement(record), "");
}

TEST(Flakiness, OpenerStoresResultRequirementAndMasses) {
  FlakinessInput in = OneRow("500", "60", "15_LE");
  in.retained80 = "12";
  in.passing4 = "3,5";
  const TestEntryResult stored = FlakinessEntryResult(ComputeFlakiness(in));
  EXPECT_EQ(stored.resultText,
            "|@@@@@@@500.0@@@@@@|@@@@@@@60.0@@@@@@|@@@@@@@12.0@@@@@@|500.0|60.0|12|");
  ASSERT_EQ(stored.parts.size(), 4u);
  EXPECT_EQ(stored.parts[0].text, "15_LE");  // part 9
  EXPECT_EQ(stored.parts[0].part, 9);
  EXPECT_EQ(stored.parts[1].text, "12.0");  // part 11
  EXPECT_EQ(stored.parts[2].text, "3.5");   // part 12
}

// ---- what no one can have weighed

TEST(FlakinessRefusals, ImpossibleMassesGiveNoIndexAndName) {
  struct Case {
    const char* name;
    FlakinessInput input;
    int input_at_fault;
  };
  FlakinessInput aboveClass = OneRow("500", "728", "15_LE");  // FLi 145.6 %
  FlakinessInput exponent = OneRow("500", "60", "15_LE");
  exponent.ri[3] = "1e5";
  FlakinessInput negative = OneRow("500", "60", "15_LE");
  negative.m0 = "-5";
  FlakinessInput overWhole = OneRow("500", "60", "15_LE");
  overWhole.m0 = "500";
  overWhole.retained80 = "3";
  overWhole.passing4 = "2.1";  // 500 + 5.1 > 500 + 1 %
  const Case cases[] = {
      {"PassingAboveClass", aboveClass, InputId(kFlakMi, 7)},
      {"Exponent", exponent, InputId(kFlakRi, 3)},
      {"Negative", negative, InputId(kFlakM0)},
      {"PartsAboveTestPortion", overWhole, InputId(kFlakM0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const FlakinessResult r = ComputeFlakiness(c.input);
    ASSERT_EQ(r.faults.size(), 1u);
    EXPECT_EQ(r.faults[0].input, c.input_at_fault);
    EXPECT_FALSE(r.faults[0].reason.empty());
    EXPECT_EQ(r.status, "0");
    EXPECT_EQ(r.requirementState, kNoRequirement);
    EXPECT_EQ(r.fi + r.m1 + r.m2 + r.lossCheck + r.fli[7], "");
    const TestEntryResult stored = FlakinessEntryResult(r);
    EXPECT_EQ(stored.parts.back().text, "");  // no report row
  }
  // Parts exactly as heavy as their whole are fine.
  FlakinessInput equal = OneRow("500", "500", "");
  equal.m0 = "510";
  equal.retained80 = "10";
  EXPECT_TRUE(ComputeFlakiness(equal).faults.empty());
  EXPECT_EQ(ComputeFlakiness(equal).lossCheck, "0.0");
}

// A passing mass may lie one step of the balance (0.1 g) above its class, the
// classes and discarded masses 1 % above M0 (the standard's limit, beyond
// which the test is repeated); just inside is judged, just outside refused,
// and what is compared is what was typed, not the value shown.
TEST(FlakinessRefusals, PartsAboveTheirWholeWithinTheTolerance) {
  struct Case {
    const char* name;
    const char* m0;
    const char* ri;
    const char* mi;
    int refusedAt;  // -1: accepted
    const char* lossCheck;
    bool repeat;  // the loss check is marked: the test is to be repeated
    const char* status;
  };
  const Case cases[] = {
      {"PassingOneStepAboveItsClass", "", "500.0", "500.1", -1, "", false, "9"},
      {"PassingTwoStepsAboveItsClass", "", "500.0", "500.2", InputId(kFlakMi, 7), "", false, "0"},
      // Shown as 500.1 and 500.2, one step apart; typed 0.18 g apart.
      {"PassingComparedAsTyped", "", "500.06", "500.24", InputId(kFlakMi, 7), "", false, "0"},
      {"SurplusOfOneStep", "1000.0", "1000.1", "60.0", -1, "0.0", false, "8"},
      // A stored record whose loss check reads -0.1.
      {"StoredLossOfMinusPointOne", "1000.0", "1001.0", "60.0", -1, "-0.1", false, "8"},
      {"SurplusOfOnePercent", "1000", "1010", "60", -1, "-1.0", false, "8"},
      {"SurplusAboveOnePercent", "1000", "1010.1", "60", InputId(kFlakM0), "", false, "0"},
      // Shown as 1000.0 against 1010.0, exactly 1 %; typed 1000.96, 1.04 % below.
      {"SurplusComparedAsTyped", "999.96", "1010", "60", InputId(kFlakM0), "", false, "0"},
      {"LossOfOnePercent", "1000", "990", "60", -1, "1.0", false, "8"},
      {"LossAboveOnePercent", "1000", "989.9", "60", -1, "1.0", true, "8"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FlakinessInput in = OneRow(c.ri, c.mi, "15_LE");
    in.m0 = c.m0;
    const FlakinessResult r = ComputeFlakiness(in);
    if (c.refusedAt >= 0) {
      ASSERT_EQ(r.faults.size(), 1u);
      EXPECT_EQ(r.faults[0].input, c.refusedAt);
      EXPECT_EQ(r.fi, "");
      // Kept as typed, so that the next computation compares the same values.
      EXPECT_EQ(r.inputs.ri[7], c.ri);
      EXPECT_EQ(r.inputs.m0, c.m0);
    } else {
      EXPECT_TRUE(r.faults.empty()) << r.faults[0].reason;
      EXPECT_NE(r.fi, "");
    }
    EXPECT_EQ(r.lossCheck, c.lossCheck);
    EXPECT_EQ(r.lossAboveLimit, c.repeat);
    EXPECT_EQ(r.status, c.status);
  }
}

TEST(FlakinessRefusals, ALossAboveOnePercentIsMarkedAndStillJudged) {
  FlakinessInput in = OneRow("500", "60", "15_LE");
  in.m0 = "600";  // loss 16.7 %
  FlakinessResult r = ComputeFlakiness(in);
  EXPECT_TRUE(r.lossAboveLimit);
  EXPECT_EQ(r.status, "8");
  in.m0 = "505";  // 1.0 %
  r = ComputeFlakiness(in);
  EXPECT_EQ(r.lossCheck, "1.0");
  EXPECT_FALSE(r.lossAboveLimit);
}

}  // namespace
