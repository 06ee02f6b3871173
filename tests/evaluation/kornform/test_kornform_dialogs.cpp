// The shape-index dialogs through the scripted seam: the choice of the form,
// the question for a material without an entry, the marks, and OK taken
// straight from an input.
#include <gtest/gtest.h>

#include <string>

#include "evaluation/frame/refusals.h"
#include "evaluation/frame/statusmarks.h"
#include "evaluation/kornform/kornformsdmdlg.h"
#include "evaluation/kornform/kornformsdmeinfachdlg.h"
#include "support/scripted_ui_gtest.h"

using platform::DialogDriver;
using platform::IDNO;
using platform::IDOK;
using platform::IDYES;
using Simple = CKornformSDMEinfachDlg;
using Standard = CKornformSDMDlg;

namespace {

const char* const kQuestion = "Einfachen Kornform Dialog testen (sonst Standard Dialog) ?";

CVersuch Record(const std::string& sideTests) {
  CVersuch r;
  r.SetValue(1, 0, "12-3-0042");
  r.SetField(3, "0||8;4;2;<2||||||0;100;50;7");
  r.SetField(25, "{0}{3-1|Splitt 4/8||||}{1|0.063|31.5}{Brechkorn|DIN EN 12620|WPK||}{}{" + sideTests + "}{}");
  return r;
}

int MarkOf(DialogDriver& d, int id) { return d.dialog().Item<CStatusMark>(id)->MarkShown(); }

TEST(ShapeIndexDialogs, SimpleFormMissesItsLimitWithTheOrangeFace) {
  CVersuch record = Record("[VA_KORNF|20|0]");
  platform::TestUi ui;
  ui.ExpectDialog(Simple::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.dialog().windowTitle().toStdString(), "Kornform  Prüf-Nr.: 12-3-0042");
    EXPECT_EQ(d.Text(Simple::kRequirement), "<=20");
    d.SetText(Simple::kBad, "25,0");
    d.SetText(Simple::kGood, "75,0");
    EXPECT_EQ(d.Text(Simple::kSum), "100.0");
    EXPECT_EQ(d.Text(Simple::kShareBad), "25.0");
    EXPECT_EQ(d.Text(Simple::kShareGood), "75.0");
    EXPECT_EQ(MarkOf(d, Simple::kStatusMark), kMarkRemark);
    d.SetText(Simple::kBad, "15");
    EXPECT_EQ(MarkOf(d, Simple::kStatusMark), kMarkMet);
    d.SetText(Simple::kBad, "25");
  }, IDOK);
  const std::optional<TestEntryResult> result = EditShapeIndex(record, nullptr);
  ui.VerifyAllShown();
  ASSERT_TRUE(result);
  EXPECT_EQ(result->status, "9");
  EXPECT_EQ(result->resultText, "1||20|25.0|75.0|25.0|0");
}

TEST(ShapeIndexDialogs, WithoutEntryTheUserChoosesTheForm) {
  // Yes: the simple form with the stored masses and no limit.
  CVersuch record = Record("[VA_PLATT|15_LE]");
  record.SetField(12, "1||--|30.0|70.0|30.0|-1");
  {
    platform::TestUi ui;
    ui.ExpectMessageBox(IDYES, kQuestion);
    ui.ExpectDialog(Simple::kTemplateId, [](DialogDriver& d) {
      EXPECT_EQ(d.Text(Simple::kBad), "30.0");
      EXPECT_EQ(d.Text(Simple::kRequirement), "--");
      EXPECT_EQ(MarkOf(d, Simple::kStatusMark), 0);
    }, IDOK);
    const std::optional<TestEntryResult> result = EditShapeIndex(record, nullptr);
    ui.VerifyAllShown();
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, "1");
    EXPECT_EQ(result->resultText, "1||--|30.0|70.0|30.0|-1");
    ASSERT_EQ(ui.shown().size(), 2u);
    EXPECT_EQ(ui.shown()[0].flags, platform::MB_YESNO | platform::MB_ICONQUESTION);
  }
  // No: the standard form, whose material names no fractions: the user is
  // told that there is nothing to enter instead of a dialog of disabled rows.
  platform::TestUi ui;
  ui.ExpectMessageBox(IDNO, kQuestion);
  ui.ExpectMessageBox(IDOK, "legt für die Kornform keine Kornfraktionen fest. Es gibt nichts einzugeben.");
  EXPECT_FALSE(EditShapeIndex(record, nullptr));
  ui.VerifyAllShown();
  EXPECT_EQ(ui.shown()[1].title, "Kornform");
  EXPECT_EQ(ui.shown()[1].flags, platform::MB_OK | platform::MB_ICONINFORMATION);
}

TEST(ShapeIndexDialogs, AStandardFormWithoutFractionsSaysSo) {
  for (const char* entry : {"[VA_KORNF|20_LE]", "[VA_KORNF|20|1|]"}) {
    SCOPED_TRACE(entry);
    CVersuch record = Record(entry);
    platform::TestUi ui;
    ui.ExpectMessageBox(IDOK, "Es gibt nichts einzugeben.");
    EXPECT_FALSE(EditShapeIndex(record, nullptr));
    ui.VerifyAllShown();
  }
}

TEST(ShapeIndexDialogs, StandardFormJudgesEachFractionAndReturnConfirms) {
  CVersuch record = Record("[VA_KORNF|20|1|4-8_8-16]");
  platform::TestUi ui;
  ui.ExpectDialog(Standard::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.dialog().windowTitle().toStdString(), "Kornform  Prüf-Nr.: 12-3-0042");
    EXPECT_EQ(d.Text(Standard::kFirstFraction), "4-8");
    EXPECT_EQ(d.Text(Standard::kFirstResidue), "100.0");
    EXPECT_EQ(d.Text(Standard::kFirstResidue + 1), "");  // nothing on 8 mm
    EXPECT_EQ(d.Text(Standard::kFirstRequirement), "<= 20");
    EXPECT_EQ(d.Text(Standard::kFirstRequirement + 2), "");
    EXPECT_TRUE(d.IsEnabled(Standard::kFirstBad + 1));
    EXPECT_FALSE(d.IsEnabled(Standard::kFirstBad + 2));
    d.SetText(Standard::kFirstGood, "40");
    d.SetText(Standard::kFirstBad, "11");
    EXPECT_EQ(d.Text(Standard::kFirstSii), "21.6");
    EXPECT_EQ(MarkOf(d, Standard::kFirstMark), kMarkNotMet);
    EXPECT_EQ(MarkOf(d, Standard::kSIMark), kMarkNotMet);
    // The last value typed and Return pressed at once: OK computes it.
    d.dialog().SetItemText(Standard::kFirstBad, "10");
    EXPECT_EQ(d.Text(Standard::kSI), "21.6");
  }, IDOK);
  const std::optional<TestEntryResult> result = EditShapeIndex(record, nullptr);
  ui.VerifyAllShown();
  ASSERT_TRUE(result);
  EXPECT_EQ(result->status, "8");  // 10 / 50 is 20.0: met
  EXPECT_EQ(result->resultText, "2||20||4-8_8-16|10.0|40.0|20.0|1_-1|@@||||20.0|1");
}

TEST(ShapeIndexDialogs, RefuseWhatNoOneCanHaveWeighed) {
  CVersuch simple = Record("[VA_KORNF|20|0]");
  ExpectNumberSlipsRefused<Simple>(Simple::kGood, "Anteil an GUT geformtem Korn", {{Simple::kBad, "25"}},
                                   [&simple] { return EditShapeIndex(simple, nullptr); }, [](DialogDriver& d) {
                                     EXPECT_EQ(MarkOf(d, Simple::kStatusMark), 0);
                                     EXPECT_EQ(d.Text(Simple::kShareBad), "");
                                   });
  CVersuch standard = Record("[VA_KORNF|20|1|4-8_8-16]");
  ExpectNumberSlipsRefused<Standard>(
      Standard::kFirstBad + 1, "schlecht [g], 8-16",
      {{Standard::kFirstGood, "40"}, {Standard::kFirstBad, "11"}, {Standard::kFirstGood + 1, "40"}},
      [&standard] { return EditShapeIndex(standard, nullptr); }, [](DialogDriver& d) {
        EXPECT_EQ(MarkOf(d, Standard::kFirstMark), 0);
        EXPECT_EQ(MarkOf(d, Standard::kSIMark), 0);
        EXPECT_EQ(d.Text(Standard::kFirstSii), "");
        EXPECT_EQ(d.Text(Standard::kSI), "");
      });
  EXPECT_EQ(simple.GetField(12), "");
  EXPECT_EQ(standard.GetField(12), "");
}

TEST(ShapeIndex, ARefusedMassJudgesNoFraction) {
  ShapeIndexInput in;
  in.limit = "20";
  in.fraction[0] = "4-8";
  in.fraction[1] = "8-16";
  in.residue[0] = "100.0";
  in.residue[1] = "50.0";
  in.bad[0] = "10";
  in.good[0] = "40";
  in.bad[1] = "5";
  in.good[1] = "-45";
  const ShapeIndexResult r = ComputeShapeIndex(in);
  EXPECT_EQ(r.status, "0");
  EXPECT_EQ(r.si, "");
  EXPECT_EQ(r.sii[0], "");
  EXPECT_EQ(r.flags[0], -1);
  EXPECT_EQ(r.overallFlag, -1);
  ASSERT_EQ(r.faults.size(), 1u);
  EXPECT_EQ(r.faults[0].input, InputId(kGoodMassInput, 1));
  const TestEntryResult stored = ShapeIndexEntryResult(r);
  for (const auto& part : stored.parts) EXPECT_EQ(part.text, "") << part.part;
}

}  // namespace
