// Purity of track ballast: constituent masses as shares of the sample mass,
// their sum judged against the material's requirement code, and the dialog
// with its default names and its note on OK.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "evaluation/frame/refusals.h"
#include "evaluation/frame/ballast_record.h"
#include "evaluation/frame/statusmarks.h"
#include "evaluation/reinheit/reinheit.h"
#include "evaluation/reinheit/reinheitgsdlg.h"
#include "records/strutil.h"
#include "support/scripted_ui_gtest.h"

using platform::DialogDriver;
using platform::IDOK;
using Dlg = CReinheitGSDlg;

namespace {

// Named rows with their masses, the others empty.
PurityInput Rows(const std::string& sampleMass, const std::string& requirement,
                 std::initializer_list<std::pair<const char*, const char*>> rows) {
  PurityInput in;
  in.sampleMass = sampleMass;
  in.requirement = requirement;
  size_t i = 0;
  for (const auto& [name, mass] : rows) {
    in.names[i] = name;
    in.masses[i] = mass;
    ++i;
  }
  return in;
}

struct PurityCase {
  const char* name;
  PurityInput input;
  const char* shares;  // of the first two rows, "a b"
  const char* sumMasses;
  const char* sumShares;
  int state;
  const char* evaluation;
  const char* status;
};

class Purity : public ::testing::TestWithParam<PurityCase> {};

TEST_P(Purity, SharesSumsAndVerdict) {
  const PurityCase& c = GetParam();
  const PurityResult r = ComputePurityBallast(c.input);
  EXPECT_EQ(r.shares[0] + " " + r.shares[1], c.shares);
  EXPECT_EQ(r.sumMasses, c.sumMasses);
  EXPECT_EQ(r.sumShares, c.sumShares);
  EXPECT_EQ(r.requirementState, c.state);
  EXPECT_EQ(r.evaluation, c.evaluation);
  EXPECT_EQ(r.status, c.status);
  EXPECT_EQ(StrGetField(r.ResultText(), '|', 0), c.evaluation);
}

const auto kTwoRows = {std::pair{"organische Verunreinigung", "20"}, std::pair{"mergelige Bestandteile", "24"}};

INSTANTIATE_TEST_SUITE_P(
    Cases, Purity,
    ::testing::Values(
        // 20 and 24 g of 20000 g: 0.1 and 0.12 %, their sum 0.22 % shown as 0.2.
        PurityCase{"Met", Rows("20000", "1_LE", kTwoRows), "0.1 0.1", "44.0", "0.2", kRequirementMet, "1", "8"},
        PurityCase{"NotMet", Rows("20000", "0.1_LE", kTwoRows), "0.1 0.1", "44.0", "0.2", kRequirementNotMet, "0",
                   "9"},
        PurityCase{"SumEqualToTheLimit", Rows("20000", "0.2_LE", kTwoRows), "0.1 0.1", "44.0", "0.2",
                   kRequirementMet, "1", "8"},
        // Without a requirement nothing is judged (not "any share fails").
        PurityCase{"NoRequirement", Rows("20000", "", kTwoRows), "0.1 0.1", "44.0", "0.2", kNoRequirement, "", "1"},
        // A "<" code is judged as such.
        PurityCase{"LessThanCode", Rows("20000", "0.5_LT", kTwoRows), "0.1 0.1", "44.0", "0.2", kRequirementMet, "1",
                   "8"},
        // Nothing counted: no verdict, no green face, status 0.
        PurityCase{"NoSampleMass", Rows("", "1_LE", kTwoRows), " ", "", "", kNoRequirement, "", "0"},
        PurityCase{"ZeroSampleMass", Rows("0", "1_LE", kTwoRows), " ", "", "", kNoRequirement, "", "0"},
        PurityCase{"NoMassAtAll", Rows("20000", "1_LE", {}), " ", "", "", kNoRequirement, "", "0"},
        // A mass of 0 counts with the share 0.0.
        PurityCase{"MassZero", Rows("20000", "1_LE", {{"organische Verunreinigung", "0"}, {"tonige Bestandteile", "24"}}),
                   "0.0 0.1", "24.0", "0.1", kRequirementMet, "1", "8"},
        // Weighed apart from the sample, the constituents may lie one step of the balance above it.
        PurityCase{"OneStepAboveTheSample",
                   Rows("100.0", "1_LE", {{"organische Verunreinigung", "60"}, {"tonige Bestandteile", "40.1"}}),
                   "60.0 40.1", "100.1", "100.1", kRequirementNotMet, "0", "9"},
        PurityCase{"TwoStepsAboveTheSample",
                   Rows("100.0", "1_LE", {{"organische Verunreinigung", "60"}, {"tonige Bestandteile", "40.2"}}),
                   " ", "", "", kNoRequirement, "", "0"},
        // A named row without mass: judged for the face, stored incomplete.
        PurityCase{"NamedRowWithoutMass",
                   Rows("20000", "1_LE", {{"organische Verunreinigung", "20"}, {"tonige Bestandteile", ""}}), "0.1 ",
                   "20.0", "0.1", kRequirementMet, "", "0"},
        // Plain mass shares of a 50000 g sample, by hand:
        //   clay 35 g: 0.07 %; iron-bearing rock 120 g: 0.24 %; weathered 60 g: 0.12 %
        //   sum 215 g, 0.43 % -> 0.4 <= 0.5
        PurityCase{"HandComputedSample",
                   Rows("50000", "0.5_LE",
                        {{"tonige Bestandteile", "35"}, {"eisenhaltiges Gestein", "120"}, {"verwittertes", "60"}}),
                   "0.1 0.2", "215.0", "0.4", kRequirementMet, "1", "8"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Purity, FreeTextCannotShiftTheParts) {
  const PurityResult r =
      ComputePurityBallast(Rows("20000", "1_LE", {{"Ton | Lehm ~ $", "20"}, {"mergelige Bestandteile", "24"}}));
  const std::string text = r.ResultText();
  EXPECT_EQ(StrGetField(text, '|', 10), "Ton # Lehm # #");
  EXPECT_EQ(StrGetField(text, '|', 11), "20.0");
  EXPECT_EQ(StrGetField(text, '|', 13), "mergelige Bestandteile");
  EXPECT_EQ(std::count(text.begin(), text.end(), '|'), 52);
}

TEST(PurityDialog, NewTestShowsTheDefaultNamesAndOkWithoutMassesNotes) {
  CVersuch record = BallastTestRecord("[VA_GS_REINHEIT|1_LE]", "20000.0");
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.dialog().windowTitle().toStdString(), "Reinheit/Gesteinsbeschaffenheit   Prüf-Nr.: 12-3-0500");
    EXPECT_EQ(d.Text(Dlg::kFirstName), "organische Verunreinigung");
    EXPECT_EQ(d.Text(Dlg::kFirstName + 6), "verwittertes Rand- und Kontaktgestein");
    EXPECT_EQ(d.Text(Dlg::kFirstName + 7), "");
    EXPECT_EQ(d.Text(Dlg::kRequirement), "<= 1");
    EXPECT_EQ(d.dialog().Item<CStatusMark>(Dlg::kStatusMark)->MarkShown(), 0);  // nothing counted, no face
  }, IDOK);
  ui.ExpectMessageBox(IDOK, "Zu jedem Bestandteil muss ein Anteilswert eingegeben werden!");
  const std::optional<TestEntryResult> result = EditBallastPurity(record, nullptr);
  ui.VerifyAllShown();
  ASSERT_TRUE(result);
  EXPECT_EQ(result->status, "0");
  EXPECT_EQ(result->resultText.substr(0, 35), "||||||||||organische Verunreinigung");
}

TEST(PurityDialog, RemovedNamesAndTwoMassesGiveTheVerdict) {
  CVersuch record = BallastTestRecord("[VA_GS_REINHEIT|0.1_LE]", "20000.0");
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    for (int row = 2; row < 7; ++row) d.SetText(Dlg::kFirstName + row, "");
    d.SetText(Dlg::kFirstMass, "20");
    d.SetText(Dlg::kFirstMass + 1, "24");
    EXPECT_EQ(d.Text(Dlg::kFirstShare + 1), "0.1");
    EXPECT_EQ(d.Text(Dlg::kSumMasses), "44.0");
    EXPECT_EQ(d.Text(Dlg::kSumShares), "0.2");
    EXPECT_EQ(d.dialog().Item<CStatusMark>(Dlg::kStatusMark)->MarkShown(), kMarkNotMet);
  }, IDOK);
  const std::optional<TestEntryResult> result = EditBallastPurity(record, nullptr);
  ui.VerifyAllShown();
  ASSERT_TRUE(result);
  EXPECT_EQ(result->status, "9");
  std::string expected = "0|44.0|0.2||||||||organische Verunreinigung|20.0|0.1|mergelige Bestandteile|24.0|0.1|";
  for (int row = 2; row < kPurityRows; ++row) expected += "|||";
  EXPECT_EQ(result->resultText, expected);

  // Reopened, the stored rows come back and nothing else.
  record.SetField(14, result->resultText);
  platform::TestUi again;
  again.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.Text(Dlg::kFirstName + 2), "");
    EXPECT_EQ(d.Text(Dlg::kFirstMass + 1), "24.0");
    EXPECT_EQ(d.Text(Dlg::kSumShares), "0.2");
  }, platform::IDCANCEL);
  EXPECT_FALSE(EditBallastPurity(record, nullptr));
}


TEST(PurityDialog, RefusesWhatNoOneCanHaveWeighed) {
  CVersuch record = BallastTestRecord("[VA_GS_REINHEIT|1_LE]", "20000.0");
  const auto edit = [&record] { return EditBallastPurity(record, nullptr); };
  const auto noVerdict = [](DialogDriver& d) {
    EXPECT_EQ(d.dialog().Item<CStatusMark>(Dlg::kStatusMark)->MarkShown(), 0);
    EXPECT_EQ(d.Text(Dlg::kSumShares), "");
  };
  const ImpossibleInput cases[] = {
      {"PartsAboveTheSample", {{Dlg::kFirstMass, "15000"}, {Dlg::kFirstMass + 2, "6000"}}, Dlg::kFirstMass + 2,
       "Anteil [g], tonige Bestandteile: Die Bestandteile wiegen bis hierher zusammen über 0.1 g mehr als die ganze "
       "Probe (20000.0 g)."},
  };
  for (const auto& c : cases) ExpectRefused<Dlg>(c, edit, noVerdict);
  ExpectNumberSlipsRefused<Dlg>(Dlg::kFirstMass + 1, "Anteil [g], mergelige Bestandteile", {{Dlg::kFirstMass, "12"}}, edit,
                                noVerdict);
  EXPECT_EQ(record.GetField(14), "");
}

}  // namespace
