// The composition of recycled material: shares and their correction to
// 100.0, the judgement of each constituent and of the floating particles,
// the stored texts of both forms, and the two dialogs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/solledit.h"
#include "evaluation/frame/refusals.h"
#include "evaluation/frame/statusmarks.h"
#include "evaluation/rczusammensetzung/zusammrecycdlg.h"
#include "records/strutil.h"
#include "services/appflags.h"
#include "support/scripted_ui_gtest.h"

using platform::DialogDriver;
using platform::IDOK;

namespace {

// The constituents of EN 933-11 as a plant names them, with its codes; the
// floating particles in the twelfth row.
const std::string kEntry =
    "VA_RCZUS|Rc Beton@Ru ungebundene Gesteinskörnung@Rb Ziegel@Ra Asphalt@Rg Glas@X Sonstiges@@@@@@FL "
    "Schwimmendes@|70_GE@@10_LE@5_LE@2_LE@1_LE@@@@@@5_LE@";

RecycInput Masses(const std::vector<std::string>& masses, const std::string& volume = "",
                  const std::string& entry = kEntry) {
  RecycInput in = RecycInputFromRecord(entry, "");
  for (size_t i = 0; i < masses.size(); ++i) in.masses[i] = masses[i];
  in.masses[kFloatingRow] = volume;
  return in;
}

TEST(ShareTable, ShownSharesAreCorrectedOnTheFirstLargestRow) {
  struct Case {
    std::vector<std::string> masses;
    std::vector<std::string> shares;
    const char* shareSum;
  } cases[] = {
      {{"1", "1", "1"}, {"33.4", "33.3", "33.3"}, "100.0"},  // 99.9 shown
      {{"1", "1", "4"}, {"16.7", "16.7", "66.6"}, "100.0"},  // 100.1 shown
      {{"4", "", "4", "2"}, {"40.0", "", "40.0", "20.0"}, "100.0"},
      {{"", "", ""}, {"", "", ""}, ""},
      {{"0", "0"}, {"", ""}, ""},  // no mass sum to refer to
  };
  for (const Case& c : cases) {
    const ShareTable t = ComputeShares(c.masses);
    EXPECT_EQ(t.shares, c.shares);
    EXPECT_EQ(t.shareSum, c.shareSum);
  }
}

// A recycled 0/32 sorted after EN 933-11 (4 173.7 g): Rc 2 513.4 g, Ru 1 204.8 g,
// Rb 286.2 g, Ra 148.5 g, Rg 12.1 g, X 8.7 g give 60.22, 28.87, 6.86, 3.56,
// 0.29 and 0.21 %; shown with one decimal they add up to 100.1, so Rc is
// shown as 60.1. 9.5 cm³ of floating particles are 9.5 x 1000 / 4173.7 =
// 2.3 cm³/kg. Rc 60.1 misses ">= 70": not met.
TEST(RecycledComposition, Recycled0_32AfterEn933_11) {
  const RecycResult r =
      ComputeZusammensetzung(Masses({"2513.4", "1204,8", "286.2", "148.5", "12.1", "8.7"}, "9.5"));
  EXPECT_EQ(r.massSum, "4173.7");
  EXPECT_EQ(r.shareSum, "100.0");
  const std::vector<std::string> shares(r.shares.begin(), r.shares.begin() + 6);
  EXPECT_EQ(shares, (std::vector<std::string>{"60.1", "28.9", "6.9", "3.6", "0.3", "0.2"}));
  EXPECT_EQ(r.shares[kFloatingRow], "2.3");
  EXPECT_EQ(r.results[0], kRowNotMet);
  EXPECT_EQ(r.results[1], kRowNoRequirement);
  EXPECT_EQ(r.results[2], kRowMet);
  EXPECT_EQ(r.results[kFloatingRow], kRowMet);
  EXPECT_EQ(r.results[6], kRowNoRequirement);  // no code: an absent constituent is not judged
  EXPECT_EQ(r.status, "9");
  EXPECT_EQ(r.ResultText(),
            "4173.7|100.0|Rc Beton@Ru ungebundene Gesteinskörnung@Rb Ziegel@Ra Asphalt@Rg Glas@X Sonstiges@@@@@@FL "
            "Schwimmendes@|70_GE@@10_LE@5_LE@2_LE@1_LE@@@@@@5_LE@|2513.4@1204.8@286.2@148.5@12.1@8.7@@@@@@9.5@|"
            "60.1@28.9@6.9@3.6@0.3@0.2@@@@@@2.3@|2@0@1@1@1@1@0@0@0@0@0@1@");
  const TestEntryResult stored = RecycEntryResult(r);
  EXPECT_EQ(MarkedStatisticsValue(*stored.statisticsValue, stored.status),
            "Rc Beton¿60.1@Ru ungebundene Gesteinskörnung¿28.9@Rb Ziegel¿6.9@Ra Asphalt¿3.6@Rg Glas¿0.3@"
            "X Sonstiges¿0.2@FL Schwimmendes¿2.3@_*");
}

TEST(RecycledComposition, Status) {
  struct Case {
    const char* name;
    RecycInput input;
    const char* status;
    int floatingResult;
    const char* floatingShare;
  } cases[] = {
      {"AllEmpty", Masses({}), "0", kRowNoRequirement, ""},
      // The floating particles without a mass to refer to: no value, nothing judged.
      {"VolumeWithoutMasses", Masses({}, "4.0"), "0", kRowNoRequirement, ""},
      {"MassesWithoutCodes", Masses({"800", "200"}, "", "VA_RCZUS|Rc@Ru@|"), "1", kRowNoRequirement, ""},
      // Rc 80 %; Rb, Ra, Rg and X absent are judged as 0.0 (met); FL 2.0 cm³/kg.
      {"AbsentConstituentsMet", Masses({"800", "200"}, "2.0"), "8", kRowMet, "2.0"},
      // The floating particles in cm³ per kg: 6 cm³ in 1 kg miss "<= 5".
      {"FloatingNotMet", Masses({"800", "200"}, "6.0"), "9", kRowNotMet, "6.0"},
      // Floating particles absent: 0.0 meets "<= 5".
      {"FloatingAbsent", Masses({"800", "200"}), "8", kRowMet, ""},
  };
  for (const Case& c : cases) {
    const RecycResult r = ComputeZusammensetzung(c.input);
    EXPECT_EQ(r.status, c.status) << c.name;
    EXPECT_EQ(r.results[kFloatingRow], c.floatingResult) << c.name;
    EXPECT_EQ(r.shares[kFloatingRow], c.floatingShare) << c.name;
  }
  // A constituent required at least 5 % but absent fails.
  const RecycResult absent = ComputeZusammensetzung(Masses({"800"}, "", "VA_RCZUS|Rc@Ru@|@5_GE@"));
  EXPECT_EQ(absent.results[1], kRowNotMet);
  EXPECT_EQ(absent.status, "9");
}

TEST(RecycledComposition, EntryNamesOverStoredNames) {
  const RecycInput in =
      RecycInputFromRecord(kEntry, "1000.0|100.0|Alt A@Alt B@|9_LE@@|600.0@400.0@@@@@@@@@@3.0@|60.0@40.0@|1@0@");
  EXPECT_EQ(in.names[0], "Rc Beton");
  EXPECT_EQ(in.codes[0], "70_GE");
  EXPECT_EQ(in.masses[0], "600.0");
  EXPECT_EQ(in.masses[1], "400.0");
  EXPECT_EQ(in.masses[kFloatingRow], "3.0");
  // A material without entry: no names, no codes.
  const RecycInput bare = RecycInputFromRecord("", "1000.0|100.0|A@|@|600.0@");
  EXPECT_EQ(bare.names[0], "");
  EXPECT_EQ(bare.masses[0], "600.0");
}

TEST(RecycledComposition, MixtureNamesAndStoredText) {
  MixtureInput preset = MixtureInputFromField("", true);
  EXPECT_EQ(preset.names[0], "Altschotter");
  EXPECT_EQ(preset.names[1], "Neuschotter");
  EXPECT_EQ(preset.names[2], "");
  EXPECT_EQ(MixtureInputFromField("", false).names[2], "Ziegelsplitt");

  preset.names[2] = "Beton|bruch~$";
  preset.masses = {"300", "650", "50"};
  const MixtureResult r = ComputeMixture(preset);
  EXPECT_EQ(r.status, "1");
  const std::string text = r.ResultText();
  EXPECT_EQ(text,
            "1000.0|100.0|Altschotter|300.0|30.0|Neuschotter|650.0|65.0|Beton#bruch##|50.0|5.0|" +
                std::string(7 * 3, '|'));
  // Stored names replace the preset ones.
  const MixtureInput back = MixtureInputFromField(text, true);
  EXPECT_EQ(back.names[2], "Beton#bruch##");
  EXPECT_EQ(back.masses[1], "650.0");
  EXPECT_EQ(ComputeMixture(MixtureInput{}).status, "0");
}

TEST(RecycledCompositionDialog, CodesReadableAndFacesPerRow) {
  SetEditAllowed(true);
  CVersuch record;
  record.SetValue(1, 0, "12-3-0103");
  record.SetField(25, "{0}{3-1|RC 0/32|||2024-04-11 08:00|}{1|0.063|31.5}{}{}{[" + kEntry + "]}{}");
  using Dlg = CZusammRecycDlg;
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.Text(Dlg::NameId(0)), "Rc Beton");
    EXPECT_EQ(d.dialog().Item<CSollEdit>(Dlg::CodeId(0))->ShownText(), ">= 70");
    EXPECT_EQ(d.dialog().Item<CStatusMark>(Dlg::MarkId(0))->MarkShown(), 0);
    d.SetText(Dlg::MassId(0), "800");
    d.SetText(Dlg::MassId(1), "200");
    d.SetText(Dlg::MassId(kFloatingRow), "7");
    EXPECT_EQ(d.Text(Dlg::ShareId(0)), "80.0");
    EXPECT_EQ(d.Text(Dlg::ShareId(kFloatingRow)), "7.0");
    EXPECT_EQ(d.Text(Dlg::kMassSum), "1000.0");
    EXPECT_EQ(d.dialog().Item<CStatusMark>(Dlg::MarkId(0))->MarkShown(), kMarkMet);
    EXPECT_EQ(d.dialog().Item<CStatusMark>(Dlg::MarkId(kFloatingRow))->MarkShown(), kMarkNotMet);
  }, IDOK);
  const std::optional<TestEntryResult> result = EditRecycledComposition(record, nullptr);
  ui.VerifyAllShown();
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->status, "9");
  EXPECT_EQ(StrGetField(result->resultText, '|', 0), "1000.0");

  using Mix = CZusammRecycDBKGDlg;
  ui.ExpectDialog(Mix::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.Text(Mix::NameId(0)), "Altschotter");
    EXPECT_EQ(d.Text(Mix::NameId(1)), "Neuschotter");
    d.SetText(Mix::MassId(0), "250");
    d.SetText(Mix::MassId(1), "750");
    EXPECT_EQ(d.Text(Mix::ShareId(1)), "75.0");
  }, IDOK);
  const std::optional<TestEntryResult> mixture = EditRecycledCompositionMixture(record, nullptr);
  ui.VerifyAllShown();
  ASSERT_TRUE(mixture.has_value());
  EXPECT_EQ(mixture->status, "1");
  EXPECT_FALSE(mixture->statisticsValue.has_value());
  EXPECT_EQ(StrGetField(mixture->resultText, '|', 2), "Altschotter");
}

}  // namespace

namespace {

TEST(RecycledComposition, RefusedMassComputesNothing) {
  const RecycResult r = ComputeZusammensetzung(Masses({"800", "-200"}, "7"));
  EXPECT_EQ(r.status, "0");
  EXPECT_EQ(r.massSum, "");
  EXPECT_EQ(r.shares[0], "");
  EXPECT_EQ(r.shares[kFloatingRow], "");
  EXPECT_EQ(r.results[0], kRowNoRequirement);
  ASSERT_EQ(r.faults.size(), 1u);
  EXPECT_EQ(r.faults[0].input, 1);
  EXPECT_EQ(r.inputs.masses[1], "-200");

  const RecycResult volume = ComputeZusammensetzung(Masses({"800", "200"}, "1e3"));
  EXPECT_EQ(volume.status, "0");
  EXPECT_EQ(volume.shares[0], "");
  ASSERT_EQ(volume.faults.size(), 1u);
  EXPECT_EQ(volume.faults[0].input, kFloatingRow);

  MixtureInput mix;
  mix.masses = {"250", "abc"};
  const MixtureResult m = ComputeMixture(mix);
  EXPECT_EQ(m.status, "0");
  EXPECT_EQ(m.shareSum, "");
  EXPECT_EQ(m.shares[0], "");
}

TEST(RecycledCompositionDialog, RefusesWhatNoOneCanHaveWeighed) {
  CVersuch record;
  record.SetValue(1, 0, "12-3-0103");
  record.SetField(25, "{0}{3-1|RC 0/32|||2024-04-11 08:00|}{1|0.063|31.5}{}{}{[" + kEntry + "]}{}");
  using Dlg = CZusammRecycDlg;
  const auto noVerdict = [](DialogDriver& d) {
    EXPECT_EQ(d.dialog().Item<CStatusMark>(Dlg::MarkId(0))->MarkShown(), 0);
    EXPECT_EQ(d.Text(Dlg::ShareId(0)), "");
    EXPECT_EQ(d.Text(Dlg::kShareSum), "");
  };
  ExpectNumberSlipsRefused<Dlg>(Dlg::MassId(1), "Masse [g], Ru ungebundene Gesteinskörnung",
                                {{Dlg::MassId(0), "800"}}, [&record] { return EditRecycledComposition(record, nullptr); },
                                noVerdict);
  ExpectNumberSlipsRefused<Dlg>(Dlg::MassId(kFloatingRow), "Masse [g], FL Schwimmendes", {{Dlg::MassId(0), "800"}},
                                [&record] { return EditRecycledComposition(record, nullptr); }, noVerdict);

  using Mix = CZusammRecycDBKGDlg;
  ExpectNumberSlipsRefused<Mix>(Mix::MassId(1), "Masse [g], Neuschotter", {{Mix::MassId(0), "250"}},
                                [&record] { return EditRecycledCompositionMixture(record, nullptr); },
                                [](DialogDriver& d) { EXPECT_EQ(d.Text(Mix::kShareSum), ""); });
  EXPECT_EQ(record.GetField(15), "");
}

}  // namespace
