// Environmental compatibility of recycled track ballast: the four statements
// and the two values as stored, the status from the fourth statement, and the
// dialog with its lists inside the sentences.
#include <gtest/gtest.h>

#include <QComboBox>
#include <string>

#include "evaluation/frame/refusals.h"
#include "evaluation/frame/ballast_record.h"
#include "evaluation/umwelt/umweltvertraeglichkeit.h"
#include "evaluation/umwelt/umweltvertraeglichkeitdlg.h"
#include "support/scripted_ui_gtest.h"

using platform::DialogDriver;
using platform::IDOK;
using Dlg = CUmweltvertraeglichkeitDlg;

namespace {

struct EnvironmentCase {
  const char* name;
  EnvironmentInput input;
  const char* field22;
  const char* status;
};

EnvironmentInput Choices(int a, int b, int c, int d, const char* ph = "", const char* conductivity = "") {
  EnvironmentInput in;
  in.choices = {a, b, c, d};
  in.ph = ph;
  in.conductivity = conductivity;
  return in;
}

class Environment : public ::testing::TestWithParam<EnvironmentCase> {};

TEST_P(Environment, ResultTextAndStatus) {
  const EnvironmentCase& c = GetParam();
  EXPECT_EQ(EnvironmentResultText(c.input), c.field22);
  EXPECT_EQ(EnvironmentStatus(c.input), c.status);
  // Read back, the same choices and values.
  const EnvironmentInput back = EnvironmentInputFromField(c.field22);
  EXPECT_EQ(back.choices, c.input.choices);
  EXPECT_EQ(EnvironmentResultText(back), c.field22);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Environment,
    ::testing::Values(
        // An untouched new test states nothing and is incomplete.
        EnvironmentCase{"Untouched", Choices(kNoChoice, kNoChoice, kNoChoice, kNoChoice), "|||||||", "0"},
        EnvironmentCase{"Compliant", Choices(kNegated, kNegated, kAffirmed, kAffirmed, "8.1", "412"),
                        "1|1|0|0|||8.1|412", "8"},
        // The fourth statement alone decides.
        EnvironmentCase{"NotCompliant", Choices(kNegated, kNegated, kAffirmed, kNegated, "7,9", "380"),
                        "1|1|0|1|||7,9|380", "9"},
        EnvironmentCase{"FourthWithoutChoice", Choices(kNegated, kNegated, kAffirmed, kNoChoice), "1|1|0|||||", "0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Environment, TypedSeparatorsCannotShiftTheParts) {
  const std::string text = EnvironmentResultText(Choices(kAffirmed, kAffirmed, kAffirmed, kAffirmed, "7|8", "4~0$"));
  EXPECT_EQ(text, "0|0|0|0|||7#8|4#0#");
}

TEST(EnvironmentDialog, NewTestStartsWithoutChoiceAndTheFourthDecides) {
  CVersuch record = BallastTestRecord("[VA_GS_UMWELT|]", "20000.0", "SDM-DBDBDB-GSRC-0001");
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.dialog().windowTitle().toStdString(), "Umweltverträglichkeit    Prüf-Nr.: 12-3-0500");
    for (int i = 0; i < kEnvironmentStatements; ++i)
      EXPECT_EQ(d.dialog().Item<QComboBox>(Dlg::kFirstStatement + i)->currentIndex(), -1);
    EXPECT_EQ(d.Text(Dlg::kFirstText), "Die  Probe weist");
  }, IDOK);
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    d.Select(Dlg::kFirstStatement, "keine");
    d.Select(Dlg::kFirstStatement + 1, "keinen");
    d.Select(Dlg::kFirstStatement + 2, "");
    d.Select(Dlg::kFirstStatement + 3, "nicht");
    d.SetText(Dlg::kPh, "8,2");
    d.SetText(Dlg::kConductivity, "455");
  }, IDOK);
  const std::optional<TestEntryResult> untouched = EditEnvironment(record, nullptr);
  const std::optional<TestEntryResult> negated = EditEnvironment(record, nullptr);
  ui.VerifyAllShown();
  ASSERT_TRUE(untouched && negated);
  EXPECT_EQ(untouched->resultText, "|||||||");
  EXPECT_EQ(untouched->status, "0");
  EXPECT_EQ(negated->resultText, "1|1|0|1|||8,2|455");
  EXPECT_EQ(negated->status, "9");

  record.SetField(22, negated->resultText);
  platform::TestUi again;
  again.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.Text(Dlg::kFirstStatement + 3), "nicht");
    EXPECT_EQ(d.dialog().Item<QComboBox>(Dlg::kFirstStatement + 2)->currentIndex(), 0);
    EXPECT_EQ(d.Text(Dlg::kPh), "8,2");
  }, platform::IDCANCEL);
  EXPECT_FALSE(EditEnvironment(record, nullptr));
}


// pH and conductivity are what the laboratory writes: a number, a bound
// ("< 10") or a note ("n.n."). Only a pH typed as a plain number outside its
// scale is refused.
TEST(Environment, DialogRefusesOnlyAPhNumberOutsideItsScale) {
  CVersuch record = BallastTestRecord("[VA_GS_UMWELT|]", "20000.0", "SDM-DBDBDB-GSRC-0001");
  const auto edit = [&record] { return EditEnvironment(record, nullptr); };
  const ImpossibleInput cases[] = {
      {"PhAbove14", {{Dlg::kPh, "15"}}, Dlg::kPh, "pH-Wert: 15 liegt außerhalb der pH-Skala von 0 bis 14."},
      {"NegativePh", {{Dlg::kPh, " -1,5 "}}, Dlg::kPh, "pH-Wert: -1,5 liegt außerhalb der pH-Skala"},
      {"PhOfThreeDigits", {{Dlg::kPh, "140"}}, Dlg::kPh, "pH-Wert: 140 liegt außerhalb"},
  };
  for (const auto& c : cases) ExpectRefused<Dlg>(c, edit);

  struct Typed {
    const char* ph;
    const char* conductivity;
  };
  for (const Typed& t : {Typed{"7,5", "350"}, Typed{"14", "< 10"}, Typed{"0", "n.n."}, Typed{"< 4", "-"},
                         Typed{"n.b.", "1e3"}, Typed{"7-8", "ca. 400"}}) {
    SCOPED_TRACE(t.ph);
    EnvironmentInput typed = Choices(kAffirmed, kAffirmed, kAffirmed, kAffirmed, t.ph, t.conductivity);
    EXPECT_TRUE(EnvironmentFaults(typed).empty());
    EXPECT_EQ(EnvironmentStatus(typed), "8");
    EXPECT_EQ(EnvironmentResultText(typed), std::string("0|0|0|0|||") + t.ph + "|" + t.conductivity);
  }
  EXPECT_EQ(EnvironmentStatus(Choices(kAffirmed, kAffirmed, kAffirmed, kAffirmed, "15", "")), "0");
}

// A stored record holding such texts opens without a mark and OK stores
// them as they are.
TEST(EnvironmentDialog, StoredTextValuesOpenUnmarkedAndStayAsTyped) {
  CVersuch record = BallastTestRecord("[VA_GS_UMWELT|]", "20000.0", "SDM-DBDBDB-GSRC-0001");
  record.SetField(22, "1|1|0|0|||< 4|n.n.");
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    auto& dialog = static_cast<Dlg&>(d.dialog());
    EXPECT_EQ(d.Text(Dlg::kPh), "< 4");
    EXPECT_EQ(d.Text(Dlg::kConductivity), "n.n.");
    EXPECT_EQ(dialog.Checks().Refusal(Dlg::kPh), "");
    EXPECT_EQ(dialog.Checks().Refusal(Dlg::kConductivity), "");
    d.SetText(Dlg::kConductivity, "< 10");
  }, IDOK);
  const std::optional<TestEntryResult> stored = EditEnvironment(record, nullptr);
  ui.VerifyAllShown();
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->resultText, "1|1|0|0|||< 4|< 10");
  EXPECT_EQ(stored->status, "8");
}

}  // namespace
