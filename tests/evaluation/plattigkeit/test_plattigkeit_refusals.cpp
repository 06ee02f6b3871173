// Both flakiness dialogs given what no one can have weighed: a passing mass
// above its class, an exponent, classes heavier than the test portion, each
// beyond the tolerance of two weighings; what lies within it is judged; the
// loss check above 1 %, shown red beside the fixed "< 1%".
#include <gtest/gtest.h>

#include <string>

#include "evaluation/frame/ballast_record.h"
#include "evaluation/frame/refusals.h"
#include "evaluation/frame/statusmarks.h"
#include "evaluation/plattigkeit/plattigkeitdlg.h"
#include "evaluation/plattigkeit/plattigkeitgleisschotterdlg.h"
#include "records/strutil.h"

using platform::DialogDriver;
using platform::IDOK;

namespace {

CVersuch FlakinessRecord() {
  CVersuch r;
  r.SetValue(1, 0, "12-3-0101");
  r.SetField(25, "{0}{SDM-1|0/32 Kies||}{1|0.063|80}{||||}{}{[VA_PLATT|15_LE]}{}");
  return r;
}

}  // namespace

TEST(FlakinessRefusals, DialogNamesTheFieldAndStoresNothing) {
  using Dlg = CPlattigkeitDlg;
  CVersuch record = FlakinessRecord();
  const auto edit = [&record] { return EditFlakiness(record, nullptr); };
  const auto noVerdict = [](DialogDriver& d) {
    EXPECT_EQ(static_cast<Dlg&>(d.dialog()).Item<CStatusMark>(Dlg::kStatusMark)->MarkShown(), 0);
    EXPECT_EQ(d.Text(Dlg::kIndex), "");
    EXPECT_EQ(d.Text(Dlg::kFirstFli + 7), "");
  };
  const ImpossibleInput cases[] = {
      // 728 g passing a class of 500 g would give FLi 145.6 %.
      {"PassingAboveItsClass", {{Dlg::kFirstRi + 7, "500"}, {Dlg::kFirstMi + 7, "728"}}, Dlg::kFirstMi + 7,
       "durch das Sieb hindurchgehende Masse (mi) [g], 12.5/16: Die durch das Stabsieb gehende Masse mi liegt mehr "
       "als 0.1 g über"},
      {"PassingTwoStepsAboveItsClass", {{Dlg::kFirstRi + 7, "500"}, {Dlg::kFirstMi + 7, "500.2"}}, Dlg::kFirstMi + 7,
       "durch das Sieb hindurchgehende Masse (mi) [g], 12.5/16: Die durch das Stabsieb gehende Masse mi liegt mehr",
       "", "500.2"},
      {"ClassesMoreThanOnePercentAboveTheTestPortion",
       {{Dlg::kFirstRi + 7, "500"}, {Dlg::kFirstMi + 7, "60"}, {Dlg::kRetained80, "10"}, {Dlg::kM0, "504.9"}}, Dlg::kM0,
       "Masse der Messprobe M0 [g]: Die Kornklassen und die verworfenen Massen liegen zusammen mehr als 1 % über",
       "die Prüfung muss wiederholt werden", "504.9"},
  };
  for (const auto& c : cases) ExpectRefused<Dlg>(c, edit, noVerdict);
  ExpectNumberSlipsRefused<Dlg>(Dlg::kFirstRi + 3, "Masse (Ri) der Kornklasse di/Di [g], 31.5/40",
                                {{Dlg::kFirstRi + 7, "500"}, {Dlg::kFirstMi + 7, "60"}}, edit, noVerdict);
  ExpectNumberSlipsRefused<Dlg>(Dlg::kPassing4, "Masse des Durchgangs durch das 4-mm-Sieb [g]", {}, edit, noVerdict);
}

TEST(FlakinessRefusals, ALossCheckAboveOnePercentIsRedAndTheVerdictStays) {
  using Dlg = CPlattigkeitDlg;
  CVersuch record = FlakinessRecord();
  SetEditAllowed(true);
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    auto& dialog = static_cast<Dlg&>(d.dialog());
    d.SetText(Dlg::kFirstRi + 7, "500");
    d.SetText(Dlg::kFirstMi + 7, "60");
    d.SetText(Dlg::kM0, "598");
    EXPECT_EQ(d.Text(Dlg::kLossCheck), "16.4");
    EXPECT_EQ(dialog.ItemColor(Dlg::kLossCheck), platform::RGB(255, 0, 0));
    EXPECT_NE(dialog.GetDlgItem(Dlg::kLossCheck)->toolTip().toStdString().find("wiederholen"), std::string::npos);
    EXPECT_EQ(dialog.Item<CStatusMark>(Dlg::kStatusMark)->MarkShown(), kMarkMet);
    d.SetText(Dlg::kM0, "504");
    EXPECT_EQ(d.Text(Dlg::kLossCheck), "0.8");
    EXPECT_FALSE(dialog.ItemColor(Dlg::kLossCheck).has_value());
    EXPECT_TRUE(dialog.GetDlgItem(Dlg::kLossCheck)->toolTip().isEmpty());
    d.SetText(Dlg::kM0, "600");
  }, IDOK);
  const auto stored = EditFlakiness(record, nullptr);
  ui.VerifyAllShown();
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->status, "8");
}

// Within the tolerance nothing is told: the index is judged and OK stores it.
TEST(FlakinessRefusals, WithinTheToleranceTheDialogJudgesAndStores) {
  using Dlg = CPlattigkeitDlg;
  struct Case {
    const char* name;
    const char* ri;
    const char* mi;
    const char* m0;
    const char* lossCheck;
    const char* index;
  };
  const Case cases[] = {
      {"PassingOneStepAboveItsClass", "500", "500.1", "", "", "100"},
      {"ClassesOnePercentAboveTheTestPortion", "505", "60", "500", "-1.0", "12"},
      // A stored record with a loss check of -0.1 opens with its index and can be confirmed.
      {"LossCheckOfMinusPointOne", "1001.0", "60.0", "1000.0", "-0.1", "6"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CVersuch record = FlakinessRecord();
    SetEditAllowed(true);
    platform::TestUi ui;
    ui.ExpectDialog(Dlg::kTemplateId, [&c](DialogDriver& d) {
      auto& dialog = static_cast<Dlg&>(d.dialog());
      d.SetText(Dlg::kFirstRi + 7, c.ri);
      d.SetText(Dlg::kFirstMi + 7, c.mi);
      d.SetText(Dlg::kM0, c.m0);
      EXPECT_EQ(d.Text(Dlg::kIndex), c.index);
      EXPECT_EQ(d.Text(Dlg::kLossCheck), c.lossCheck);
      EXPECT_NE(dialog.Item<CStatusMark>(Dlg::kStatusMark)->MarkShown(), 0);
      EXPECT_EQ(dialog.Checks().LastNamedField(), 0);  // nothing told
    }, IDOK);
    const auto stored = EditFlakiness(record, nullptr);
    ui.VerifyAllShown();
    ASSERT_TRUE(stored);
    EXPECT_EQ(StrGetField(stored->resultText, '|', 6), c.index);
    EXPECT_NE(stored->status, "0");
  }

  // Stored so, the record opens with its index and no mark, and OK keeps it.
  CVersuch record = FlakinessRecord();
  record.SetField(23, "1000.0|@@@@@@@1001.0@@@@@@|@@@@@@@60.0@@@@@@|@@@@@@@6.0@@@@@@|1001.0|60.0|6|-0.1||15_LE||||");
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    auto& dialog = static_cast<Dlg&>(d.dialog());
    EXPECT_EQ(d.Text(Dlg::kIndex), "6");
    EXPECT_EQ(dialog.Checks().Refusal(Dlg::kM0), "");
    EXPECT_EQ(dialog.Item<CStatusMark>(Dlg::kStatusMark)->MarkShown(), kMarkMet);
  }, IDOK);
  const auto again = EditFlakiness(record, nullptr);
  ui.VerifyAllShown();
  ASSERT_TRUE(again);
  EXPECT_EQ(again->status, "8");
}

// A new record's dialog, opened before anything is typed, shows no face
// beside its requirement: there is no index to judge.
TEST(FlakinessRefusals, AnEmptyDialogShowsNoFace) {
  using Dlg = CPlattigkeitDlg;
  CVersuch record = FlakinessRecord();
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    auto& dialog = static_cast<Dlg&>(d.dialog());
    EXPECT_EQ(d.Text(Dlg::kRequirement), "<= 15");
    EXPECT_EQ(d.Text(Dlg::kIndex), "");
    EXPECT_EQ(dialog.Item<CStatusMark>(Dlg::kStatusMark)->MarkShown(), 0);
  }, IDOK);
  const auto stored = EditFlakiness(record, nullptr);
  ui.VerifyAllShown();
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->status, "0");
}

TEST(BallastFlakinessRefusals, DialogNamesTheFieldAndStoresNothing) {
  using Dlg = CPlattigkeitGleisschotterDlg;
  CVersuch record = BallastTestRecord("[VA_GS_PLATTIGKEIT|20_LE]");
  const auto edit = [&record] { return EditBallastFlakiness(record, nullptr); };
  const auto noVerdict = [](DialogDriver& d) {
    EXPECT_EQ(static_cast<Dlg&>(d.dialog()).Item<CStatusMark>(Dlg::kStatusMark)->MarkShown(), 0);
    EXPECT_EQ(d.Text(Dlg::kShare), "");
  };
  const ImpossibleInput cases[] = {
      {"BarMassAboveItsClass",
       {{Dlg::kTotal4050, "1000"}, {Dlg::kTotal3140, "800"}, {Dlg::kPart3140, "120"}, {Dlg::kPart4050, "1456"}},
       Dlg::kPart4050,
       "Gewicht der Körner Siebung mit Stabsieben [g], 40 - 50: Die Masse der Körner liegt mehr als 0.1 g über"},
      {"BarMassTwoStepsAboveItsClass",
       {{Dlg::kTotal4050, "1000"}, {Dlg::kTotal3140, "800"}, {Dlg::kPart3140, "120"}, {Dlg::kPart4050, "1000.2"}},
       Dlg::kPart4050, "Gewicht der Körner Siebung mit Stabsieben [g], 40 - 50: Die Masse der Körner liegt mehr",
       "", "1000.2"},
  };
  for (const auto& c : cases) ExpectRefused<Dlg>(c, edit, noVerdict);
  ExpectNumberSlipsRefused<Dlg>(Dlg::kTotal3140, "Gesamtgewicht der Körner [g], 31.5 - 40",
                                {{Dlg::kTotal4050, "1000"}, {Dlg::kPart4050, "150"}, {Dlg::kPart3140, "120"}}, edit,
                                noVerdict);
}
