// Water absorption of track ballast: each stone's absorption judged on its
// own, the mean beside it, and the stone rows as stored.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "evaluation/frame/ballast_record.h"
#include "evaluation/frame/statusmarks.h"
#include "evaluation/wasseraufnahme/wasseraufnahme.h"
#include "evaluation/wasseraufnahme/wasseraufnahmedlg.h"
#include "records/strutil.h"
#include "support/scripted_ui_gtest.h"

using platform::DialogDriver;
using platform::IDOK;
using Dlg = CWasseraufnahmeDlg;

namespace {

AbsorptionInput Stones(const std::string& requirement, std::initializer_list<StoneRow> rows) {
  AbsorptionInput in;
  in.requirement = requirement;
  size_t i = 0;
  for (const StoneRow& row : rows) in.rows[i++] = row;
  return in;
}

// Five stones of a ballast sample in the form of EN 1097-6, by hand:
// absorption = 100 x (wet - dry) / dry
//   1:  812.40 g dry,  816.30 g wet: 3.90 g, 0.480 % -> 0.48
//   2: 1045.10 g dry, 1050.70 g wet: 5.60 g, 0.536 % -> 0.54
//   3:  930.00 g dry,  934.20 g wet: 4.20 g, 0.452 % -> 0.45
//   4:  768.50 g dry,  771.80 g wet: 3.30 g, 0.429 % -> 0.43
//   5: 1120.00 g dry, 1126.10 g wet: 6.10 g, 0.545 % -> 0.54
//   mean (0.480 + 0.536 + 0.452 + 0.429 + 0.545) / 5 = 0.488 % -> 0.49
AbsorptionInput FiveStones(const std::string& requirement) {
  return Stones(requirement, {{"1", "812,4", "816.3", ""},
                              {"2", "1045.1", "1050.7", ""},
                              {"3", "930", "934.2", ""},
                              {"4", "768.5", "771.8", ""},
                              {"5", "1120", "1126.1", ""}});
}

TEST(WaterAbsorption, FiveStonesByHand) {
  const AbsorptionResult r = ComputeWasseraufnahme(FiveStones("1_LE"));
  const char* grams[] = {"3.90", "5.60", "4.20", "3.30", "6.10"};
  const char* percent[] = {"0.48", "0.54", "0.45", "0.43", "0.54"};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(r.stones[i].grams, grams[i]) << i;
    EXPECT_EQ(r.stones[i].percent, percent[i]) << i;
    EXPECT_EQ(r.stones[i].state, kRequirementMet) << i;
  }
  EXPECT_EQ(r.mean, "0.49");
  EXPECT_EQ(r.meanState, kRequirementMet);
  EXPECT_EQ(r.status, "8");
  EXPECT_EQ(StrGetField(r.ResultText(), '|', 10), "1@812.40@816.30@3.90@0.48@1@");
}

TEST(WaterAbsorption, OneStoneAboveTheLimitFailsWhileTheMeanMeetsIt) {
  const AbsorptionResult r = ComputeWasseraufnahme(FiveStones("0.5_LE"));
  EXPECT_EQ(r.stones[1].state, kRequirementNotMet);
  EXPECT_EQ(r.stones[4].state, kRequirementNotMet);
  EXPECT_EQ(r.stones[0].state, kRequirementMet);
  EXPECT_EQ(r.meanState, kRequirementMet);
  EXPECT_EQ(r.status, "9");
  const std::string text = r.ResultText();
  EXPECT_EQ(text.substr(0, 29), "|0.5_LE|<= 0.5|1|0.49|1|||||1");
  EXPECT_EQ(std::count(text.begin(), text.end(), '|'), 25);
}

struct StoneCase {
  const char* name;
  StoneRow row;
  bool counted;
  const char* grams;
  const char* percent;
};

class WaterAbsorptionStone : public ::testing::TestWithParam<StoneCase> {};

TEST_P(WaterAbsorptionStone, CountedOnlyWithTwoUsableMasses) {
  const StoneCase& c = GetParam();
  // The stone beside one that always counts.
  const AbsorptionResult r = ComputeWasseraufnahme(Stones("1_LE", {{"1", "500", "502", ""}, c.row}));
  EXPECT_EQ(r.stones[1].counted, c.counted);
  EXPECT_EQ(r.stones[1].grams, c.grams);
  EXPECT_EQ(r.stones[1].percent, c.percent);
  if (!c.counted) {
    EXPECT_EQ(r.stones[1].state, kNoRequirement);  // the grey mark
    EXPECT_EQ(r.mean, "0.40");                     // the other stone alone
  }
  EXPECT_EQ(r.status, "8");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WaterAbsorptionStone,
    ::testing::Values(StoneCase{"DryMassZero", {"2", "0", "502", ""}, false, "", ""},
                      StoneCase{"DryMassOnly", {"2", "500", "", ""}, false, "", ""},
                      StoneCase{"WetMassOnly", {"2", "", "502", ""}, false, "", ""},
                      StoneCase{"WetEqualsDry", {"2", "500", "500", ""}, true, "0.00", "0.00"},
                      StoneCase{"WetOneHundredthBelowDry", {"2", "500", "499.99", ""}, false, "", ""},
                      StoneCase{"WetBelowDry", {"2", "500", "490", "abgeplatzt"}, false, "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// A chipped stone, lighter wet than dry, is not counted and says why; the
// other stones are judged as before. A negative absorption would otherwise
// meet any upper limit.
TEST(WaterAbsorption, AWetMassBelowItsDryMassLeavesOnlyThatStoneOut) {
  const AbsorptionResult r = ComputeWasseraufnahme(
      Stones("1_LE", {{"1", "500", "502", ""}, {"2", "500", "490", "abgeplatzt"}, {"3", "400", "406", ""}}));
  EXPECT_TRUE(r.faults.empty());
  EXPECT_FALSE(r.stones[1].counted);
  EXPECT_EQ(r.stones[1].state, kNoRequirement);
  EXPECT_EQ(r.stones[1].percent, "");
  EXPECT_NE(r.stones[1].whyNotCounted.find("feucht weniger als trocken"), std::string::npos);
  EXPECT_EQ(r.stones[0].state, kRequirementMet);
  EXPECT_EQ(r.stones[2].state, kRequirementNotMet);  // 1.50 %
  EXPECT_EQ(r.mean, "0.95");
  EXPECT_EQ(r.status, "9");
  EXPECT_EQ(StrGetField(r.ResultText(), '|', 11), "2@500.00@490.00@@@0@abgeplatzt");
  // A stone with an empty or zero mass is not counted and needs no reason.
  EXPECT_EQ(ComputeWasseraufnahme(Stones("1_LE", {{"1", "0", "502", ""}})).stones[0].whyNotCounted, "");
  EXPECT_EQ(ComputeWasseraufnahme(Stones("1_LE", {{"1", "500", "0", ""}})).stones[0].whyNotCounted, "");
  for (const char* slip : {"abc", "-1", "1e3"}) {
    const AbsorptionResult refused = ComputeWasseraufnahme(Stones("1_LE", {{"1", "500", "502", ""}, {"2", slip, "", ""}}));
    EXPECT_EQ(refused.status, "0") << slip;
    EXPECT_EQ(refused.inputs.rows[1].dry, slip);
    ASSERT_EQ(refused.faults.size(), 1u);
    EXPECT_EQ(refused.faults[0].input, InputId(kAbsorptionDry, 1));
  }
}

TEST(WaterAbsorption, NoRowNoRequirementAndFreeText) {
  EXPECT_EQ(ComputeWasseraufnahme(Stones("1_LE", {{"1", "", "", "trocken"}})).status, "0");
  const AbsorptionResult none = ComputeWasseraufnahme(Stones("", {{"1", "500", "502", ""}}));
  EXPECT_EQ(none.status, "1");
  EXPECT_EQ(none.meanState, kNoRequirement);
  // "|" and "@" in number and remark cannot shift parts or pieces.
  const AbsorptionResult text = ComputeWasseraufnahme(Stones("1_LE", {{"A|1", "500", "502", "Riss @ Kante | ~$"}}));
  EXPECT_EQ(StrGetField(text.ResultText(), '|', 10), "A#1@500.00@502.00@2.00@0.40@1@Riss # Kante # ##");
  EXPECT_EQ(StrGetField(text.ResultText(), '|', 11), "@@@@@0@");
}

TEST(WaterAbsorptionDialog, ReopeningRecomputesFromTheStoredMasses) {
  CVersuch record = BallastTestRecord("[VA_GS_WASSER|0.5_LE]");
  record.SetField(17, ComputeWasseraufnahme(FiveStones("0.5_LE")).ResultText());
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.dialog().windowTitle().toStdString(), "Wasseraufnahme    Prüf-Nr.: 12-3-0500");
    EXPECT_EQ(d.Text(Dlg::kRequirement), "<= 0.5");
    EXPECT_EQ(d.Text(Dlg::kFirstPercent + 1), "0.54");
    EXPECT_EQ(d.Text(Dlg::kMean), "0.49");
    EXPECT_EQ(d.dialog().Item<CStatusMark>(Dlg::kFirstMark + 1)->MarkShown(), kMarkNotMet);
    EXPECT_EQ(d.dialog().Item<CStatusMark>(Dlg::kFirstMark + 5)->MarkShown(), kMarkNone);
    EXPECT_EQ(d.dialog().Item<CStatusMark>(Dlg::kMeanMark)->MarkShown(), kMarkMet);
    // A sixth stone whose wet mass is below its dry one stays grey, not
    // counted, and says why; nothing is told, the other stones stay judged.
    d.SetText(Dlg::kFirstNumber + 5, "6");
    d.SetText(Dlg::kFirstDry + 5, "900");
    d.SetText(Dlg::kFirstWet + 5, "899,5");
    d.SetText(Dlg::kFirstRemark + 5, "Kante|abgeplatzt");
    EXPECT_EQ(d.Text(Dlg::kFirstPercent + 5), "");
    const CStatusMark* grey = d.dialog().Item<CStatusMark>(Dlg::kFirstMark + 5);
    EXPECT_EQ(grey->MarkShown(), kMarkNone);
    EXPECT_NE(grey->toolTip().toStdString().find("feucht weniger als trocken"), std::string::npos);
    EXPECT_EQ(d.dialog().Item<CStatusMark>(Dlg::kFirstMark + 1)->MarkShown(), kMarkNotMet);
    EXPECT_EQ(d.Text(Dlg::kMean), "0.49");
    EXPECT_EQ(static_cast<Dlg&>(d.dialog()).Checks().LastNamedField(), 0);
  }, IDOK);
  const std::optional<TestEntryResult> result = EditWaterAbsorption(record, nullptr);
  ui.VerifyAllShown();
  ASSERT_TRUE(result);
  EXPECT_EQ(result->status, "9");
  EXPECT_EQ(StrGetField(result->resultText, '|', 15), "6@900.00@899.50@@@0@Kante#abgeplatzt");
  EXPECT_EQ(StrGetField(result->resultText, '|', 4), "0.49");

  // Corrected, the stone counts again.
  record.SetField(17, result->resultText);
  platform::TestUi again;
  again.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    const CStatusMark* grey = d.dialog().Item<CStatusMark>(Dlg::kFirstMark + 5);
    EXPECT_FALSE(grey->toolTip().isEmpty());
    d.SetText(Dlg::kFirstWet + 5, "903");
    EXPECT_TRUE(grey->toolTip().isEmpty());
    EXPECT_EQ(d.Text(Dlg::kFirstPercent + 5), "0.33");
  }, platform::IDCANCEL);
  EXPECT_FALSE(EditWaterAbsorption(record, nullptr));
}

}  // namespace
