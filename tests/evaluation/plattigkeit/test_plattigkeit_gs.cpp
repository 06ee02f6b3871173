// The flakiness index of track ballast: the dialog filled through the
// scripted seam on a track-ballast record, and what OK gives back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "evaluation/frame/statusmarks.h"
#include "evaluation/plattigkeit/plattigkeitgleisschotterdlg.h"
#include "support/scripted_ui_gtest.h"

using platform::DialogDriver;
using platform::IDOK;
using Dlg = CPlattigkeitGleisschotterDlg;

namespace {

// A new track ballast; `entry` is its flakiness side-test entry ("" for none).
CVersuch BallastRecord(const std::string& entry) {
  CVersuch r;
  r.SetValue(1, 0, "12-3-456");
  std::vector<std::string> fields(60, "#");
  fields[8] = "[SDM-DBDBDB-GS-0001]";
  std::string f5;
  for (size_t i = 0; i < fields.size(); ++i) f5 += (i ? ";" : "") + fields[i];
  r.SetField(5, f5);
  r.SetField(25, "{0}{SDM-DBDBDB-GS-0001|31,5/63 Gleisschotter (neu)||}{1|0.063|80}{||||}{}{[VA_GS_KORNFORM|5-30]" +
                     entry + "}{}");
  r.SetField(27, "|9600.0|14200.0");
  return r;
}

struct FlakinessCase {
  const char* name;
  const char* entry;
  const char* total4050;
  const char* total3140;
  const char* bar4050;
  const char* bar3140;
  const char* requirementShown;
  const char* fi;
  int mark;
  const char* status;
  const char* field23;
};

class BallastFlakiness : public ::testing::TestWithParam<FlakinessCase> {};

TEST_P(BallastFlakiness, ComputesJudgesAndGivesBackTheField) {
  const FlakinessCase& c = GetParam();
  CVersuch record = BallastRecord(c.entry);
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [&c](DialogDriver& d) {
    EXPECT_EQ(d.dialog().windowTitle().toStdString(), "Plattigkeitskennzahl  Prüf-Nr.: 12-3-456");
    if (*c.total4050) d.SetText(Dlg::kTotal4050, c.total4050);
    if (*c.total3140) d.SetText(Dlg::kTotal3140, c.total3140);
    if (*c.bar4050) d.SetText(Dlg::kPart4050, c.bar4050);
    if (*c.bar3140) d.SetText(Dlg::kPart3140, c.bar3140);
    EXPECT_EQ(d.Text(Dlg::kRequirement), c.requirementShown);
    EXPECT_EQ(d.Text(Dlg::kShare), c.fi);
    EXPECT_EQ(d.dialog().Item<CStatusMark>(Dlg::kStatusMark)->MarkShown(), c.mark);
  }, IDOK);
  const std::optional<TestEntryResult> result = EditBallastFlakiness(record, nullptr);
  ui.VerifyAllShown();
  ASSERT_TRUE(result);
  EXPECT_EQ(result->status, c.status);
  EXPECT_EQ(result->resultText, c.field23);
  EXPECT_FALSE(result->statisticsValue);
  EXPECT_TRUE(result->parts.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BallastFlakiness,
    ::testing::Values(
        FlakinessCase{"Met", "[VA_GS_PLATTIGKEIT|20_LE]", "1000", "800", "150", "120", "<= 20", "15.0", kMarkMet, "8",
                      "2|15.0|20_LE|<= 20|1|||||||1000.0|800.0|150.0|120.0||1800.0|270.0|"},
        FlakinessCase{"NotMet", "[VA_GS_PLATTIGKEIT|10_LE]", "1000", "800", "150", "120", "<= 10", "15.0", kMarkNotMet,
                      "9", "2|15.0|10_LE|<= 10|2|||||||1000.0|800.0|150.0|120.0||1800.0|270.0|"},
        FlakinessCase{"NoEntry", "", "1000", "800", "150", "120", "", "15.0", 0, "1",
                      "2|15.0|||0|||||||1000.0|800.0|150.0|120.0||1800.0|270.0|"},
        FlakinessCase{"OneTotalOnly", "[VA_GS_PLATTIGKEIT|20_LE]", "1000", "", "", "", "<= 20", "", 0, "0",
                      "2||20_LE|<= 20|0|||||||1000.0|||||||"},
        // The bar-sieve mass and its class weighed apart may differ by one step of the balance.
        FlakinessCase{"BarMassOneStepAboveItsClass", "[VA_GS_PLATTIGKEIT|20_LE]", "1000", "800", "1000.1", "120",
                      "<= 20", "62.2", kMarkNotMet, "9",
                      "2|62.2|20_LE|<= 20|2|||||||1000.0|800.0|1000.1|120.0||1800.0|1120.1|"},
        // Totals summing to 0.0: no index instead of a division by zero.
        FlakinessCase{"ZeroTotals", "[VA_GS_PLATTIGKEIT|20_LE]", "0", "0", "0", "0", "<= 20", "", 0, "0",
                      "2||20_LE|<= 20|0|||||||0.0|0.0|0.0|0.0||0.0|0.0|"},
        // Flakiness of a 31.5/63 ballast after EN 933-3 on bar sieves, by hand:
        //   40-50 mm:   14200 g, 1150 g pass the 25 mm bar sieve
        //   31.5-40 mm:  9600 g,  960 g pass the 20 mm bar sieve
        //   FI = (1150 + 960) / (14200 + 9600) x 100 = 2110 / 23800 x 100 = 8.87 % -> 8.9
        FlakinessCase{"HandComputedBallast", "[VA_GS_PLATTIGKEIT|0-35]", "14200", "9600", "1150", "960", "0-35", "8.9",
                      kMarkMet, "8", "2|8.9|0-35|0-35|1|||||||14200.0|9600.0|1150.0|960.0||23800.0|2110.0|"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BallastFlakiness, ReopeningShowsTheStoredMassesAndTakesTheSieving) {
  CVersuch record = BallastRecord("[VA_GS_PLATTIGKEIT|20_LE]");
  record.SetField(23, "2|15.0|20_LE|<= 20|1|||||||1000.0|800.0|150.0|120.0||1800.0|270.0|");
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.Text(Dlg::kShare), "15.0");
    EXPECT_EQ(d.Text(Dlg::kSumTotals), "1800.0");
    d.Click(Dlg::kTakeOver);
    EXPECT_EQ(d.Text(Dlg::kTotal4050), "14200.0");
    EXPECT_EQ(d.Text(Dlg::kTotal3140), "9600.0");
    EXPECT_EQ(d.Text(Dlg::kPart4050), "150.0");  // the bar masses stay
    EXPECT_EQ(d.Text(Dlg::kShare), "1.1");       // 270 / 23800
  }, platform::IDCANCEL);
  EXPECT_FALSE(EditBallastFlakiness(record, nullptr));
}

}  // namespace
