// The water content: the computation with its judgement and report row, the
// conversion of records that hold only a percentage, and the dialog.
#include <gtest/gtest.h>

#include <string>

#include "evaluation/frame/refusals.h"
#include "evaluation/wassergehalt/wassergehaltdlg.h"
#include "evaluation/frame/statusmarks.h"
#include "services/appflags.h"
#include "support/scripted_ui_gtest.h"

using platform::DialogDriver;
using platform::IDCANCEL;
using platform::IDOK;
using Dlg = CWassergehaltDlg;

namespace {

std::string PartOf(const TestEntryResult& r, int field, int part) {
  for (const FieldPartText& p : r.parts)
    if (p.field == field && p.part == part) return p.text;
  return "<none>";
}

struct Case {
  const char* name;
  const char* wet;
  const char* dry;
  const char* requirement;
  const char* water;
  int lamp;
  const char* status;
  const char* row;  // field 17 part 3
};

class WaterContentCases : public ::testing::TestWithParam<Case> {};

TEST_P(WaterContentCases, ComputesJudgesAndStores) {
  const Case& c = GetParam();
  WaterContentInput in;
  in.wet = c.wet;
  in.dry = c.dry;
  in.requirement = c.requirement;
  const WaterContentResult r = ComputeWassergehalt(in);
  EXPECT_EQ(r.water, c.water);
  EXPECT_EQ(r.requirementState, c.lamp);
  EXPECT_EQ(r.status, c.status);
  CVersuch record;
  record.SetField(17, "old|x||old row|1|2");
  const TestEntryResult stored = WaterContentEntryResult(record, r);
  EXPECT_EQ(PartOf(stored, 17, 3), c.row);
  EXPECT_EQ(PartOf(stored, 17, 0), c.water);
  EXPECT_EQ(stored.statisticsValue.value_or("<none>"), c.water);
}

INSTANTIATE_TEST_SUITE_P(
    Masses, WaterContentCases,
    ::testing::Values(
        Case{"FourPercentMet", "520", "500,0", "5_LE", "4.0", 1, "8", "Wassergehalt [%]:@@4.0@<= 5@2"},
        Case{"FourPercentNotMet", "520.0", "500.0", "3_LE", "4.0", 2, "9", "Wassergehalt [%]:@@4.0@<= 3@1"},
        Case{"NoRequirement", "520.0", "500.0", "", "4.0", 0, "1", "Wassergehalt [%]:@@4.0@@ "},
        // A dry sample: equal masses are a water content of 0.0.
        Case{"EqualMassesAreDry", "500.0", "500.0", "5_LE", "0.0", 1, "8", "Wassergehalt [%]:@@0.0@<= 5@2"},
        // A wet mass below the dry one is refused: no value and no lamp.
        Case{"WetBelowDry", "490.0", "500.0", "5_LE", "", 0, "0", ""},
        // Within one step of the balance the sample held no water.
        Case{"DryOneStepAboveWet", "500.0", "500.1", "5_LE", "0.0", 1, "8", "Wassergehalt [%]:@@0.0@<= 5@2"},
        Case{"DryTwoStepsAboveWet", "500.0", "500.2", "5_LE", "", 0, "0", ""},
        // Shown as 500.1 and 500.2, one step apart; typed 0.18 g apart.
        Case{"ComparedAsTyped", "500.06", "500.24", "5_LE", "", 0, "0", ""},
        // No value, no lamp, whatever the requirement.
        Case{"DryMissing", "520.0", "", "5_LE", "", 0, "0", ""},
        Case{"DryZero", "520.0", "0", "", "", 0, "0", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// EN 1097-5, oven drying at 110 °C: a sand 0/2 weighed in its tray, 1 264.8 g
// wet and 1 198.3 g after drying to constant mass:
// w = (1264.8 - 1198.3) / 1198.3 x 100 = 66.5 / 1198.3 x 100 = 5.549... = 5.5 %.
TEST(WaterContent, SandAfterEn1097_5) {
  WaterContentInput in;
  in.wet = "1264.8";
  in.dry = "1198.3";
  in.requirement = "6_LE";
  const WaterContentResult r = ComputeWassergehalt(in);
  EXPECT_EQ(r.water, "5.5");
  EXPECT_EQ(r.status, "8");
}

TEST(WaterContent, OldRecordConvertsOnlyWithoutMasses) {
  WaterContentInput old;
  old.water = "5.0";
  ASSERT_TRUE(ConvertOldWaterContent(old));
  EXPECT_EQ(old.wet, "100.0");
  EXPECT_EQ(old.dry, "95.0");
  EXPECT_EQ(ComputeWassergehalt(old).water, "5.3");  // 5.0 / 95.0 x 100

  WaterContentInput current = old;
  current.water = "9.9";
  EXPECT_FALSE(ConvertOldWaterContent(current));
  EXPECT_EQ(current.dry, "95.0");
  WaterContentInput empty;
  EXPECT_FALSE(ConvertOldWaterContent(empty));
}

TEST(WaterContent, RequirementFromTheMaterialUntilATestIsStored) {
  CVersuch r;
  r.SetField(25, "{0}{3-1|Sand 0/2|||2024-04-11 08:00|}{1|0.063|31.5}{}{}{[VA_WASSERG|6_LE]}{}");
  EXPECT_EQ(WaterContentInputFromRecord(r).requirement, "6_LE");
  r.SetField(17, "4.0|5_LE||row|520.0|500.0");
  const WaterContentInput in = WaterContentInputFromRecord(r);
  EXPECT_EQ(in.requirement, "5_LE");
  EXPECT_EQ(in.wet, "520.0");
  EXPECT_EQ(in.dry, "500.0");
  EXPECT_EQ(in.water, "4.0");
}

TEST(WaterContentDialog, OldRecordOpensConvertedAndOkStoresTheMasses) {
  SetEditAllowed(true);
  CVersuch record;
  record.SetValue(1, 0, "12-3-0102");
  record.SetField(17, "5.0|6_LE");
  const std::string before = record.GetField(17);
  for (int answer : {IDCANCEL, IDOK}) {
    platform::TestUi ui;
    ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
      EXPECT_EQ(d.dialog().windowTitle().toStdString(), "Wassergehalt   Prüf-Nr.: 12-3-0102");
      EXPECT_EQ(d.Text(Dlg::kWet), "100.0");
      EXPECT_EQ(d.Text(Dlg::kDry), "95.0");
      EXPECT_EQ(d.Text(Dlg::kWater), "5.3");
      EXPECT_EQ(d.Text(Dlg::kRequirement), "<= 6");
      EXPECT_EQ(d.dialog().Item<CStatusMark>(Dlg::kStatusMark)->MarkShown(), kMarkMet);
      d.SetText(Dlg::kDry, "93");
      EXPECT_EQ(d.Text(Dlg::kWater), "7.5");
      EXPECT_EQ(d.dialog().Item<CStatusMark>(Dlg::kStatusMark)->MarkShown(), kMarkNotMet);
    }, answer);
    const std::optional<TestEntryResult> result = EditWaterContent(record, nullptr);
    ui.VerifyAllShown();
    EXPECT_EQ(record.GetField(17), before);  // the dialog writes nothing itself
    if (answer == IDCANCEL) {
      EXPECT_FALSE(result.has_value());
      continue;
    }
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->status, "9");
    EXPECT_EQ(PartOf(*result, 17, 4), "100.0");
    EXPECT_EQ(PartOf(*result, 17, 5), "93.0");
    EXPECT_EQ(PartOf(*result, 17, 0), "7.5");
    EXPECT_EQ(PartOf(*result, 17, 3), "Wassergehalt [%]:@@7.5@<= 6@1");
  }
}


TEST(WaterContentDialog, RefusesWhatNoOneCanHaveWeighed) {
  CVersuch record;
  record.SetValue(1, 0, "12-3-0102");
  record.SetField(25, "{0}{3-1|Sand 0/2|||2024-04-11 08:00|}{1|0.063|31.5}{}{}{[VA_WASSERG|6_LE]}{}");
  const auto edit = [&record] { return EditWaterContent(record, nullptr); };
  const auto noVerdict = [](DialogDriver& d) {
    EXPECT_EQ(d.dialog().Item<CStatusMark>(Dlg::kStatusMark)->MarkShown(), 0);
    EXPECT_EQ(d.Text(Dlg::kWater), "");
  };
  const ImpossibleInput cases[] = {
      {"DryAboveWet", {{Dlg::kWet, "500"}, {Dlg::kDry, "520"}}, Dlg::kDry,
       "Trockene Probe [g]: Die trockene Probe wiegt über 0.1 g mehr als die nasse"},
  };
  for (const auto& c : cases) ExpectRefused<Dlg>(c, edit, noVerdict);
  ExpectNumberSlipsRefused<Dlg>(Dlg::kWet, "Nasse Probe [g]", {{Dlg::kDry, "500"}}, edit, noVerdict);
  EXPECT_EQ(record.GetField(17), "");
}

}  // namespace
