// The grain shape of track ballast (two grain classes, l:d > 3:1) and of
// grading mixtures (badly shaped grains of one portion), with their dialogs
// driven through the scripted seam.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "evaluation/frame/refusals.h"
#include "evaluation/frame/statusmarks.h"
#include "evaluation/kornform/kornform_gs.h"
#include "evaluation/kornform/kornformdlg.h"
#include "evaluation/kornform/kornformgleisschotterdlg.h"
#include "support/scripted_ui_gtest.h"

using platform::DialogDriver;
using platform::IDOK;
using Ballast = CKornformGleisschotterDlg;

namespace {

BallastClassInput Masses(const char* t4050, const char* t3140, const char* p4050, const char* p3140,
                         const char* requirement) {
  return BallastClassInput{t4050, t3140, p4050, p3140, requirement};
}

// A new track ballast with its grain-shape requirement and sieved class masses.
CVersuch BallastRecord(const std::string& requirement, const std::string& sieved3140 = "8300.0",
                       const std::string& sieved4050 = "12500.0") {
  CVersuch r;
  r.SetValue(1, 0, "12-3-0100");
  std::vector<std::string> fields(60, "#");
  fields[8] = "[SDM-DBDBDB-GS-0001]";
  std::string f5;
  for (size_t i = 0; i < fields.size(); ++i) f5 += (i ? ";" : "") + fields[i];
  r.SetField(5, f5);
  r.SetField(25, "{0}{SDM-DBDBDB-GS-0001|31,5/63 Gleisschotter (neu)||}{1|0.063|80}{||||}{}{[VA_GS_KORNFORM|" +
                     requirement + "]}{}");
  r.SetField(27, "|" + sieved3140 + "|" + sieved4050);
  return r;
}

// A grading mixture whose requirement string carries the grain-shape requirement (field 52).
CVersuch MixtureRecord(const std::string& requirement) {
  CVersuch r;
  r.SetValue(1, 0, "12-3-0200");
  std::vector<std::string> fields(60, "#");
  fields[8] = "[SDM-DBDBDB-BK-0101]";
  fields[52] = requirement.empty() ? "#" : requirement;
  std::string f5;
  for (size_t i = 0; i < fields.size(); ++i) f5 += (i ? ";" : "") + fields[i];
  r.SetField(5, f5);
  r.SetField(25, "{0}{SDM-DBDBDB-BK-0101|KG1 n.d.Zv.||}{1|0.063|63}{||||}{}{[VA_GS_KORNFORM|]}{}");
  return r;
}

struct BallastCase {
  const char* name;
  BallastClassInput input;
  const char* sumTotals;
  const char* sumParts;
  const char* share;
  const char* status;
  const char* resultCode;
};

class BallastGrainShape : public ::testing::TestWithParam<BallastCase> {};

TEST_P(BallastGrainShape, SumsShareAndJudgement) {
  const BallastCase& c = GetParam();
  const BallastClassResult r = ComputeBallastClasses(c.input);
  EXPECT_EQ(r.sumTotals, c.sumTotals);
  EXPECT_EQ(r.sumParts, c.sumParts);
  EXPECT_EQ(r.share, c.share);
  EXPECT_EQ(r.status, c.status);
  EXPECT_EQ(BallastResultCode(r.status), c.resultCode);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BallastGrainShape,
    ::testing::Values(BallastCase{"Sums", Masses("2000", "3000", "100", "200", ""), "5000.0", "300.0", "6.0", "1", "0"},
                      BallastCase{"AtTheLimit", Masses("1000", "1000", "120", "120", "12_LE"), "2000.0", "240.0",
                                  "12.0", "8", "1"},
                      BallastCase{"AboveTheLimit", Masses("1000", "1000", "121", "121", "12_LE"), "2000.0", "242.0",
                                  "12.1", "9", "2"},
                      // "_D" is read as "_R".
                      BallastCase{"DCode", Masses("1000", "1000", "121", "121", "12_LE_D"), "2000.0", "242.0", "12.1",
                                  "9", "2"},
                      BallastCase{"OneTotalMissing", Masses("2000", "", "100", "200", "12_LE"), "", "300.0", "", "0",
                                  "0"},
                      // Totals summing to 0 give no share rather than "inf".
                      BallastCase{"ZeroTotals", Masses("0", "0", "0", "0", "12_LE"), "0.0", "0.0", "", "0", "0"}),
    [](const auto& info) { return std::string(info.param.name); });

// Grain shape of a 31.5/63 track ballast after EN 933-4 on the two coarse
// classes, worked by hand:
//   40-50 mm:   12500 g, of which 850 g with l:d > 3:1
//   31.5-40 mm:  8300 g, of which 640 g with l:d > 3:1
//   share = (850 + 640) / (12500 + 8300) x 100 = 1490 / 20800 x 100 = 7.16 % -> 7.2,
//   within the range 5-30 of the material.
TEST(BallastGrainShape, HandComputedBallast) {
  const BallastClassResult r = ComputeBallastClasses(Masses("12500", "8300", "850", "640", "5-30"));
  EXPECT_EQ(r.sumTotals, "20800.0");
  EXPECT_EQ(r.sumParts, "1490.0");
  EXPECT_EQ(r.share, "7.2");
  EXPECT_EQ(r.status, "8");
  EXPECT_EQ(r.ResultText(GrainShapeRequirementText(r.inputs.requirement)),
            "2|7.2|5-30|5-30|1|||||||12500.0|8300.0|850.0|640.0||20800.0|1490.0|");
}

TEST(BallastGrainShape, DialogTakesTheSievedMassesAndStores) {
  CVersuch record = BallastRecord("12_LE");
  platform::TestUi ui;
  ui.ExpectDialog(Ballast::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.dialog().windowTitle().toStdString(), "Kornformkennzahl  Prüf-Nr.: 12-3-0100");
    EXPECT_EQ(d.Text(Ballast::kRequirement), "<= 12");
    d.Click(Ballast::kTakeOver);
    EXPECT_EQ(d.Text(Ballast::kTotal4050), "12500.0");
    EXPECT_EQ(d.Text(Ballast::kTotal3140), "8300.0");
    d.SetText(Ballast::kPart4050, "850");
    d.SetText(Ballast::kPart3140, "640");
    EXPECT_EQ(d.Text(Ballast::kShare), "7.2");
    auto* mark = d.dialog().Item<CStatusMark>(Ballast::kStatusMark);
    ASSERT_TRUE(mark);
    EXPECT_EQ(mark->MarkShown(), kMarkMet);
  }, IDOK);
  const std::optional<TestEntryResult> result = EditGrainShape(record, nullptr);
  ui.VerifyAllShown();
  ASSERT_TRUE(result);
  EXPECT_EQ(result->status, "8");
  EXPECT_EQ(result->resultText, "2|7.2|12_LE|<= 12|1|||||||12500.0|8300.0|850.0|640.0||20800.0|1490.0|");
  EXPECT_TRUE(result->parts.empty());  // no report row for track ballast
}

TEST(BallastGrainShape, TakeOverWithoutSievingWarnsAndKeepsTheMasses) {
  CVersuch record = BallastRecord("", "", "12500.0");
  record.SetField(12, "2||||0|||||||900|800|||||");
  platform::TestUi ui;
  ui.ExpectDialog(Ballast::kTemplateId, [&ui](DialogDriver& d) {
    EXPECT_EQ(d.Text(Ballast::kRequirement), "--");
    EXPECT_EQ(d.Text(Ballast::kTotal4050), "900.0");
    ui.ExpectMessageBox(IDOK, "Es sind noch keine Siebungsdaten vorhanden!");
    d.Click(Ballast::kTakeOver);
    EXPECT_EQ(d.Text(Ballast::kTotal4050), "900.0");
    EXPECT_EQ(d.Text(Ballast::kTotal3140), "800.0");
  }, platform::IDCANCEL);
  EXPECT_FALSE(EditGrainShape(record, nullptr));
  ui.VerifyAllShown();
  ASSERT_GE(ui.shown().size(), 2u);
  EXPECT_EQ(ui.shown()[1].title, "Keine Daten vorhanden");
  EXPECT_EQ(ui.shown()[1].flags & platform::MB_ICONWARNING, platform::MB_ICONWARNING);
}

// ------------------------------------------------------------ grading mixtures

struct MixtureCase {
  const char* name;
  const char* requirement;
  const char* status;
  const char* field12;
  const char* row;  // field 4 part 2
};

class MixtureGrainShape : public ::testing::TestWithParam<MixtureCase> {};

TEST_P(MixtureGrainShape, SharesAndTheRowForAJudgementOnly) {
  const MixtureCase& c = GetParam();
  const MixtureShapeResult r = ComputeMixtureShape("30", "70", c.requirement);
  EXPECT_EQ(r.shares.sum, "100.0");
  EXPECT_EQ(r.shares.shareBad, "30.0");
  EXPECT_EQ(r.shares.shareGood, "70.0");
  const TestEntryResult stored = MixtureShapeEntryResult(r);
  EXPECT_EQ(stored.status, c.status);
  EXPECT_EQ(stored.resultText, c.field12);
  ASSERT_EQ(stored.parts.size(), 1u);
  EXPECT_EQ(stored.parts[0].field, 4);
  EXPECT_EQ(stored.parts[0].part, 2);
  EXPECT_EQ(stored.parts[0].text, c.row);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MixtureGrainShape,
    ::testing::Values(MixtureCase{"Met", "35_LE", "8", "0|30.0|35_LE|<= 35||||||||30.0|70.0", "Kornform:@@30.0@<= 35@2"},
                      MixtureCase{"NotMet", "25_LE", "9", "0|30.0|25_LE|<= 25||||||||30.0|70.0",
                                  "Kornform:@@30.0@<= 25@1"},
                      // Done without a requirement: no row, an earlier one disappears.
                      MixtureCase{"NoRequirement", "", "1", "0|30.0||--||||||||30.0|70.0", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MixtureGrainShape, DialogShowsAndStoresFromTheRequirementString) {
  CVersuch record = MixtureRecord("35_LE");
  record.SetField(12, "0|25.0|35_LE|<= 35||||||||25|75");
  record.SetValue(4, 2, "Kornform:@@25.0@<= 35@2");
  platform::TestUi ui;
  ui.ExpectDialog(CKornformDlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.dialog().windowTitle().toStdString(), "Kornform    Prüf-Nr.: 12-3-0200");
    EXPECT_EQ(d.Text(CKornformDlg::kBad), "25.0");
    EXPECT_EQ(d.Text(CKornformDlg::kShareBad), "25.0");
    EXPECT_EQ(d.Text(CKornformDlg::kRequirement), "<= 35");
    d.SetText(CKornformDlg::kBad, "0");
    d.SetText(CKornformDlg::kGood, "0");
    EXPECT_EQ(d.Text(CKornformDlg::kSum), "0.0");
    EXPECT_EQ(d.Text(CKornformDlg::kShareBad), "");  // nothing to divide by
  }, IDOK);
  const std::optional<TestEntryResult> result = EditGrainShape(record, nullptr);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->status, "0");
  StoreTestEntryResult(record, *FindTestEntryFields("VA_GS_KORNFORM"), *result);
  EXPECT_EQ(record.GetField(12), "0||35_LE|<= 35||||||||0.0|0.0");
  EXPECT_EQ(record.GetValue(4, 2), "");  // the earlier row is gone
}

TEST(MixtureGrainShape, RefusesWhatNoOneCanHaveWeighed) {
  CVersuch record = MixtureRecord("35_LE");
  record.SetField(12, "0|25.0|35_LE|<= 35||||||||25|75");
  ExpectNumberSlipsRefused<CKornformDlg>(
      CKornformDlg::kBad, "Anteil an SCHLECHT geformtem Korn", {{CKornformDlg::kGood, "75"}},
      [&record] { return EditGrainShape(record, nullptr); }, [](DialogDriver& d) {
        EXPECT_EQ(d.dialog().Item<CStatusMark>(CKornformDlg::kStatusMark)->MarkShown(), 0);
        EXPECT_EQ(d.Text(CKornformDlg::kShareBad), "");
        EXPECT_EQ(d.Text(CKornformDlg::kSum), "");
      });
  EXPECT_EQ(record.GetField(12), "0|25.0|35_LE|<= 35||||||||25|75");
  const MixtureShapeResult r = ComputeMixtureShape("-25", "75", "35_LE");
  EXPECT_EQ(r.status, "0");
  EXPECT_EQ(MixtureShapeEntryResult(r).parts[0].text, "");
}

TEST(GrainShape, ARecordOfNeitherKindOpensNothing) {
  CVersuch plain;
  platform::TestUi ui;  // a dialog would fail the test
  EXPECT_FALSE(EditGrainShape(plain, nullptr));
}

}  // namespace
