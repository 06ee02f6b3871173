// Grains longer than 100 mm of aggregates and of track ballast: one dialog
// class for both tests, each reading the requirement of its own key.
#include <gtest/gtest.h>

#include <string>

#include "evaluation/frame/refusals.h"
#include "evaluation/frame/ballast_record.h"
#include "evaluation/frame/statusmarks.h"
#include "evaluation/laenger100/laenger100.h"
#include "evaluation/laenger100/laenger100dlg.h"
#include "support/scripted_ui_gtest.h"

using platform::DialogDriver;
using platform::IDOK;

namespace {

struct Grains100Case {
  const char* name;
  const char* entries;     // side-test entries of the material
  const char* sampleMass;  // field 18 part 2
  const char* mass;        // typed, "" for none
  const char* requirementShown;
  const char* share;
  int mark;
  const char* status;
  const char* field16;
};

class BallastGrains100 : public ::testing::TestWithParam<Grains100Case> {};

TEST_P(BallastGrains100, ComputesJudgesAndGivesBackTheField) {
  const Grains100Case& c = GetParam();
  CVersuch record = BallastTestRecord(c.entries, c.sampleMass);
  platform::TestUi ui;
  ui.ExpectDialog(CLaenger100GSDlg::kTemplateId, [&c](DialogDriver& d) {
    EXPECT_EQ(d.dialog().windowTitle().toStdString(), "Körner länger 100 mm    Prüf-Nr.: 12-3-0500");
    if (*c.mass) d.SetText(CLaenger100Dlg::kMass, c.mass);
    EXPECT_EQ(d.Text(CLaenger100Dlg::kRequirement), c.requirementShown);
    EXPECT_EQ(d.Text(CLaenger100Dlg::kShare), c.share);
    EXPECT_EQ(d.dialog().Item<CStatusMark>(CLaenger100Dlg::kStatusMark)->MarkShown(), c.mark);
  }, IDOK);
  const std::optional<TestEntryResult> result = EditBallastGrains100(record, nullptr);
  ui.VerifyAllShown();
  ASSERT_TRUE(result);
  EXPECT_EQ(result->status, c.status);
  EXPECT_EQ(result->resultText, c.field16);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BallastGrains100,
    ::testing::Values(
        Grains100Case{"Met", "[VA_GS_LAENGER100|1_LE]", "25000", "150", "<= 1", "0.6", kMarkMet, "8",
                      "0.6|1_LE|<= 1|1|||||||150.0"},
        Grains100Case{"NotMet", "[VA_GS_LAENGER100|0.5_LE]", "25000", "150", "<= 0.5", "0.6", kMarkNotMet, "9",
                      "0.6|0.5_LE|<= 0.5|2|||||||150.0"},
        Grains100Case{"NoEntry", "", "25000", "150", "", "0.6", 0, "1", "0.6|||0|||||||150.0"},
        Grains100Case{"NoSampleMass", "[VA_GS_LAENGER100|1_LE]", "", "150", "<= 1", "", 0, "0",
                      "|1_LE|<= 1|0|||||||150.0"},
        // A sample mass of 0 is no sample mass: no share, nothing "inf".
        Grains100Case{"ZeroSampleMass", "[VA_GS_LAENGER100|1_LE]", "0.0", "150", "<= 1", "", 0, "0",
                      "|1_LE|<= 1|0|||||||150.0"},
        Grains100Case{"NoMass", "[VA_GS_LAENGER100|1_LE]", "25000", "", "<= 1", "", 0, "0", "|1_LE|<= 1|0|||||||"},
        // Weighed apart from the sample, the grains may lie one step of the balance above it.
        Grains100Case{"OneStepAboveTheSample", "[VA_GS_LAENGER100|4_LE]", "25000.0", "25000,1", "<= 4", "100.0",
                      kMarkNotMet, "9", "100.0|4_LE|<= 4|2|||||||25000.1"},
        // A 31.5/63 ballast after EN 13450, by hand: of a 41200 g sample the
        // grains longer than 100 mm weigh 1030 g: 1030 x 100 / 41200 = 2.5 %,
        // within category <= 4 %.
        Grains100Case{"HandComputedBallast", "[VA_GS_LAENGER100|4_LE]", "41200.0", "1030", "<= 4", "2.5", kMarkMet,
                      "8", "2.5|4_LE|<= 4|1|||||||1030.0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Grains100, EachDialogReadsTheRequirementOfItsOwnKey) {
  // An aggregate whose material states the requirement for "VA_100MM" only.
  CVersuch record = BallastTestRecord("[VA_100MM|1_LE]", "25000.0", "SDM-4711");
  record.SetField(16, "0.6|1_LE|<= 1|1|||||||150.0");
  platform::TestUi ui;
  ui.ExpectDialog(CLaenger100Dlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.Text(CLaenger100Dlg::kMass), "150.0");  // read back from part 10
    EXPECT_EQ(d.Text(CLaenger100Dlg::kRequirement), "<= 1");
  }, IDOK);
  ui.ExpectDialog(CLaenger100GSDlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.Text(CLaenger100Dlg::kRequirement), "");
  }, IDOK);
  const std::optional<TestEntryResult> ordinary = EditGrains100(record, nullptr);
  const std::optional<TestEntryResult> ballast = EditBallastGrains100(record, nullptr);
  ui.VerifyAllShown();
  ASSERT_TRUE(ordinary && ballast);
  EXPECT_EQ(ordinary->status, "8");
  EXPECT_EQ(ballast->status, "1");
  EXPECT_EQ(ballast->resultText, "0.6|||0|||||||150.0");
}

TEST(Grains100, ComputationWithoutADialog) {
  const Grains100Result r = ComputeLaenger100({"75,0", " 25000 ", "1,5_LE"});
  EXPECT_EQ(r.inputs.mass, "75.0");
  EXPECT_EQ(r.share, "0.3");
  EXPECT_EQ(r.status, "8");
  EXPECT_EQ(r.ResultText(), "0.3|1,5_LE|<= 1.5|1|||||||75.0");
}


TEST(Grains100, DialogRefusesWhatNoOneCanHaveWeighed) {
  using Dlg = CLaenger100GSDlg;
  CVersuch record = BallastTestRecord("[VA_GS_LAENGER100|4_LE]", "25000.0");
  const auto edit = [&record] { return EditBallastGrains100(record, nullptr); };
  const auto noVerdict = [](DialogDriver& d) {
    EXPECT_EQ(d.dialog().Item<CStatusMark>(Dlg::kStatusMark)->MarkShown(), 0);
    EXPECT_EQ(d.Text(Dlg::kShare), "");
  };
  const ImpossibleInput cases[] = {
      {"AboveTheSample", {{Dlg::kMass, "25000,5"}}, Dlg::kMass,
       "Körner länger als 100 mm [g]: Die Körner wiegen über 0.1 g mehr als die ganze Probe (25000.0 g)."},
      // Shown as 25000.1 it would lie one step above; typed, 0.14 g.
      {"ComparedAsTyped", {{Dlg::kMass, "25000.14"}}, Dlg::kMass, "Körner länger als 100 mm [g]: Die Körner wiegen über"},
  };
  for (const auto& c : cases) ExpectRefused<Dlg>(c, edit, noVerdict);
  ExpectNumberSlipsRefused<Dlg>(Dlg::kMass, "Körner länger als 100 mm [g]", {}, edit, noVerdict);
  EXPECT_EQ(record.GetField(16), "");
}

}  // namespace
