// Both flakiness dialogs given what no one can have weighed: a passing mass
// above its class, an exponent, classes heavier than the test portion; and
// the loss check above 1 %, shown red beside the fixed "< 1%".
#include <gtest/gtest.h>

#include <string>

#include "evaluation/frame/ballast_record.h"
#include "evaluation/frame/refusals.h"
#include "evaluation/frame/statusmarks.h"
#include "evaluation/plattigkeit/plattigkeitdlg.h"
#include "evaluation/plattigkeit/plattigkeitgleisschotterdlg.h"

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
      // The slip of the issue: 728 g passing a class of 500 g gave FLi 145.6 %.
      {"PassingAboveItsClass", {{Dlg::kFirstRi + 7, "500"}, {Dlg::kFirstMi + 7, "728"}}, Dlg::kFirstMi + 7,
       "durch das Sieb hindurchgehende Masse (mi) [g], 12.5/16: Die durch das Stabsieb gehende Masse mi liegt über",
       "", "728.0"},
      {"ClassesAboveTheTestPortion",
       {{Dlg::kFirstRi + 7, "500"}, {Dlg::kFirstMi + 7, "60"}, {Dlg::kRetained80, "10"}, {Dlg::kM0, "505"}}, Dlg::kM0,
       "Masse der Messprobe M0 [g]: Die Kornklassen und die verworfenen Massen wiegen zusammen mehr", "", "505.0"},
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
    EXPECT_TRUE(dialog.ItemColor(Dlg::kLossCheck).has_value());
    EXPECT_FALSE(dialog.GetDlgItem(Dlg::kLossCheck)->toolTip().isEmpty());
    EXPECT_EQ(dialog.Item<CStatusMark>(Dlg::kStatusMark)->MarkShown(), kMarkMet);
    d.SetText(Dlg::kM0, "504");
    EXPECT_EQ(d.Text(Dlg::kLossCheck), "0.8");
    EXPECT_FALSE(dialog.ItemColor(Dlg::kLossCheck).has_value());
    d.SetText(Dlg::kM0, "600");
  }, IDOK);
  const auto stored = EditFlakiness(record, nullptr);
  ui.VerifyAllShown();
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->status, "8");
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
       Dlg::kPart4050, "Gewicht der Körner Siebung mit Stabsieben [g], 40 - 50: Die Masse der Körner liegt über",
       "", "1456.0"},
  };
  for (const auto& c : cases) ExpectRefused<Dlg>(c, edit, noVerdict);
  ExpectNumberSlipsRefused<Dlg>(Dlg::kTotal3140, "Gesamtgewicht der Körner [g], 31.5 - 40",
                                {{Dlg::kTotal4050, "1000"}, {Dlg::kPart4050, "150"}, {Dlg::kPart3140, "120"}}, edit,
                                noVerdict);
}
