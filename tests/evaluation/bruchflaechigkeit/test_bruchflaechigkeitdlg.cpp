// The crushed-surfaces dialog through the scripted seam: the mode it opens
// in, what each mode shows and lets the user type, the question before
// switching to one size class, the red deviation fields, and the record it
// writes on OK.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLayout>
#include <string>

#include "controls/label.h"
#include "evaluation/bruchflaechigkeit/bruchflaechigkeitdlg.h"
#include "evaluation/frame/refusals.h"
#include "records/strutil.h"
#include "services/pravikapp.h"
#include "support/scripted_ui_gtest.h"
#include "support/temp_folder.h"

using platform::DialogDriver;
using platform::IDCANCEL;
using platform::IDNO;
using platform::IDOK;
using platform::IDYES;
using Dlg = CGeo_b_BruchflaechigkeitDlg;

namespace {

const char* const kSeveral = "mit mehreren Kornklassen";
const char* const kOne = "mit einer Kornklasse";
const char* const kOld = "Alte Berechnungsmethode";

CVersuch Record(const std::string& bruchEntry) {
  CVersuch r;
  r.SetValue(1, 0, "12-3-0301");
  r.SetField(25, "{0}{3-1|Edelsplitt 4/16||||}{1|0.063|31.5}{Brechkorn|DIN EN 12620|WPK||}{}{" + bruchEntry + "}{}");
  return r;
}

void FillRow(DialogDriver& d, int row, const char* m1, const char* mtc, const char* mpc, const char* mop, const char* mtr,
             const char* einwaage) {
  if (*m1) d.SetText(Dlg::kFirstM1 + row, m1);
  d.SetText(Dlg::MassId(row, kMtc), mtc);
  d.SetText(Dlg::MassId(row, kMpc), mpc);
  d.SetText(Dlg::MassId(row, kMop), mop);
  d.SetText(Dlg::MassId(row, kMtr), mtr);
  if (*einwaage) d.SetText(Dlg::kFirstEinwaage + row, einwaage);
}

std::string ModeShown(DialogDriver& d) { return d.Text(Dlg::kModeCombo); }

TEST(CrushedSurfacesDialog, ANewTestOpensWithSeveralClasses) {
  CVersuch record = Record("[VA_BRUCH|90_GE|3_LE||8/16¿4/8|||]");
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(ModeShown(d), kSeveral);
    EXPECT_EQ(d.dialog().windowTitle().toStdString(), "Berechnen der Bruchflächigkeit mit mehreren Kornklassen");
    EXPECT_FALSE(d.IsVisible(Dlg::kOldDialog));
    EXPECT_FALSE(d.IsVisible(Dlg::kClassCombo));
    EXPECT_TRUE(d.IsVisible(Dlg::kFirstEinwaage));
    EXPECT_EQ(d.Text(Dlg::kFirstName), "8/16");
    EXPECT_EQ(d.Text(Dlg::kFirstName + 1), "4/8");
    EXPECT_TRUE(d.IsEnabled(Dlg::kFirstM1 + 1));
    EXPECT_FALSE(d.IsEnabled(Dlg::kFirstM1 + 2));  // only two size classes
    EXPECT_EQ(d.Text(Dlg::RequirementId(kCheckGt50)), ">= 90");
    EXPECT_EQ(d.Text(Dlg::RequirementId(kCheckMtr)), "<= 3");
    EXPECT_EQ(d.Text(Dlg::kRequirement10to100), "");
    EXPECT_EQ(d.Text(Dlg::kResultLabel), "Gemittelte, gewichtete Werte:");
    EXPECT_FALSE(d.IsVisible(Dlg::kWarning));
    // Where the table stands, and how large the dialog wants to be.
    auto place = [&d] {
      d.dialog().layout()->activate();
      return std::pair(d.dialog().sizeHint(), d.dialog().GetDlgItem(Dlg::kSumSumme)->geometry());
    };
    const auto withoutWarning = place();
    // A deviation above 1 % turns the field red and shows the warning; the
    // table keeps its place.
    FillRow(d, 0, "1450", "620", "120", "40", "20", "820");
    EXPECT_EQ(d.Text(Dlg::kFirstAbweich), "2.44");
    EXPECT_TRUE(d.IsVisible(Dlg::kWarning));
    EXPECT_EQ(static_cast<Dlg&>(d.dialog()).ItemColor(Dlg::kFirstAbweich), platform::RGB(255, 0, 0));
    EXPECT_EQ(place(), withoutWarning);
    d.SetText(Dlg::kFirstEinwaage, "800");
    EXPECT_EQ(d.Text(Dlg::kFirstAbweich), "0.00");
    EXPECT_FALSE(d.IsVisible(Dlg::kWarning));
    EXPECT_FALSE(static_cast<Dlg&>(d.dialog()).ItemColor(Dlg::kFirstAbweich).has_value());
    EXPECT_EQ(place(), withoutWarning);
  }, IDCANCEL);
  EXPECT_FALSE(EditCrushedSurfaces(record, nullptr));
  ui.VerifyAllShown();
  EXPECT_EQ(record.GetField(20), "");  // Cancel writes nothing
}

TEST(CrushedSurfacesDialog, TheSettingChoosesTheModeOfANewTest) {
  TempFolder folder;
  CPravikWinApp app;
  app.m_Settings.m_DataFolder = folder.path();
  app.m_Settings.m_IniPath = folder / "pravik.ini";
  app.WriteProfileInt("Bruchflaechigkeit", "BrechnungModus", 0);
  CVersuch record = Record("[VA_BRUCH|90_GE|3_LE||8/16¿4/8|||]");
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) { EXPECT_EQ(ModeShown(d), kOne); }, IDCANCEL);
  EditCrushedSurfaces(record, nullptr);
}

TEST(CrushedSurfacesDialog, SwitchingToOneClassAsksBeforeClearing) {
  CVersuch record = Record("[VA_BRUCH|90_GE|3_LE||8/16¿4/8|||]");
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [&ui](DialogDriver& d) {
    FillRow(d, 0, "1450", "620", "120", "40", "20", "800");
    FillRow(d, 1, "1200", "180", "40", "20", "10", "250");
    // No: the previous mode stays, every field as it was.
    ui.ExpectMessageBox(IDNO, "Alte Eingabefelder löschen ?");
    d.Select(Dlg::kModeCombo, kOne);
    EXPECT_EQ(ModeShown(d), kSeveral);
    EXPECT_EQ(static_cast<Dlg&>(d.dialog()).Mode(), kSeveralClasses);
    EXPECT_EQ(d.Text(Dlg::kFirstM1 + 1), "1200.0");
    EXPECT_EQ(d.Text(Dlg::kFirstEinwaage), "800");
    EXPECT_EQ(d.Text(Dlg::kFirstName + 1), "4/8");
    EXPECT_EQ(d.Text(Dlg::kResultGt50), "90");
    EXPECT_TRUE(d.IsEnabled(Dlg::MassId(1, kMtc)));
    // Yes: one size class; the second row and the Einwaage are gone.
    ui.ExpectMessageBox(IDYES, "Alte Eingabefelder löschen ?");
    d.Select(Dlg::kModeCombo, kOne);
    EXPECT_EQ(ModeShown(d), kOne);
    EXPECT_EQ(d.dialog().windowTitle().toStdString(), "Berechnen der Bruchflächigkeit für eine Kornklasse");
    EXPECT_EQ(d.Text(Dlg::MassId(1, kMtc)), "");
    EXPECT_EQ(d.Text(Dlg::kFirstM1 + 1), "");
    EXPECT_EQ(d.Text(Dlg::kFirstEinwaage), "");
    EXPECT_EQ(d.Text(Dlg::MassId(0, kMtc)), "620.0");
    EXPECT_FALSE(d.IsEnabled(Dlg::MassId(1, kMtc)));
    EXPECT_TRUE(d.IsVisible(Dlg::kClassCombo));
    EXPECT_FALSE(d.IsVisible(Dlg::kFirstName));
    EXPECT_FALSE(d.IsVisible(Dlg::kFirstEinwaage));
    EXPECT_EQ(d.Text(Dlg::kResultLabel), "Ergebnis ganzzahlig gerundet:");
    // The shares now are of M1 (1450 g): 800 g weighed is far off.
    EXPECT_EQ(d.Text(Dlg::ShareId(0, kMtc)), "42.8");
    EXPECT_EQ(d.Text(Dlg::kFirstAbweich), "44.8");
    EXPECT_TRUE(d.IsVisible(Dlg::kWarning));
    d.SetText(Dlg::kFirstM1, "800");
    EXPECT_EQ(d.Text(Dlg::kResultGt50), "93");  // 77.5 + 15.0, rounded
    d.Select(Dlg::kClassCombo, "4/8");
    // Back to several classes: no question, the rows come back empty.
    d.Select(Dlg::kModeCombo, kOld);
    EXPECT_EQ(d.Text(Dlg::kFirstName + 1), "4/8");
    EXPECT_FALSE(d.IsVisible(Dlg::kFirstM1));
    d.Select(Dlg::kModeCombo, kOne);  // nothing to clear: no question
  }, IDOK);
  const std::optional<TestEntryResult> result = EditCrushedSurfaces(record, nullptr);
  ui.VerifyAllShown();
  ASSERT_TRUE(result);
  EXPECT_EQ(result->status, "8");
  EXPECT_EQ(record.GetValue(20, 19), "1");
  EXPECT_EQ(record.GetValue(20, 18), "4/8");
  EXPECT_EQ(record.GetValue(20, 34), "93");
  EXPECT_EQ(record.GetValue(10, 13), "93@2@78@15@5");
}

TEST(CrushedSurfacesDialog, AnOlderRecordOpensInTheOldMethod) {
  CVersuch record = Record("[VA_BRUCH||||8/16¿4/8|||]");
  record.SetField(20, "|||1|0|0|0|1||0|0|0|4.0@6.0@@@@@@@@@10.0@|6.0@9.0@@@@@@@@@15.0@|10.0@15.0@@@@@@@@@25.0@|"
                      "80.0@70.0@@@@@@@@@150.0@|@@@@@@@@@@@|@@@@@@@@@@|8/16@4/8@@@@@@@@@");
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(ModeShown(d), kOld);
    EXPECT_FALSE(d.IsVisible(Dlg::kFirstM1));
    EXPECT_FALSE(d.IsVisible(Dlg::kFirstAbweich));
    // The hidden M1 column leaves no gap between the class names and the masses.
    d.dialog().layout()->activate();
    const QWidget* name = d.dialog().GetDlgItem(Dlg::kFirstName);
    const QWidget* mass = d.dialog().GetDlgItem(Dlg::MassId(0, kMtc));
    EXPECT_LE(mass->x() - (name->x() + name->width()), 12);
    // ... and the result label over the narrower span still shows all of its text.
    const QWidget* result = d.dialog().GetDlgItem(Dlg::kResultLabel);
    EXPECT_GE(result->height(), result->heightForWidth(result->width()));
    EXPECT_FALSE(d.IsEnabled(Dlg::kFirstM1));
    EXPECT_EQ(d.Text(Dlg::MassId(1, kMtc)), "70.0");
    EXPECT_EQ(d.Text(Dlg::ShareId(0, kMtc)), "80.0");
    // Integer results of the column sums: 150 / 200, 25 / 200, 15 / 200, rest.
    EXPECT_EQ(d.Text(Dlg::ResultId(kMtc)), "75");
    EXPECT_EQ(d.Text(Dlg::ResultId(kMpc)), "13");
    EXPECT_EQ(d.Text(Dlg::ResultId(kMop)), "8");
    EXPECT_EQ(d.Text(Dlg::ResultId(kMtr)), "4");
    EXPECT_EQ(d.dialog().Item<CLabel>(Dlg::LampId(kCheckGt50))->state().status, 0);
  }, IDOK);
  const std::optional<TestEntryResult> result = EditCrushedSurfaces(record, nullptr);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->status, "1");  // results without requirements
  EXPECT_EQ(record.GetValue(20, 19), "0");
  EXPECT_EQ(record.GetValue(20, 18), "8/16@4/8@@@@@@@@@");
}

TEST(CrushedSurfacesDialog, RefusesWhatNoOneCanHaveWeighed) {
  CVersuch record = Record("[VA_BRUCH|90_GE|3_LE||8/16¿4/8|||]");
  const auto edit = [&record] { return EditCrushedSurfaces(record, nullptr); };
  const auto noVerdict = [](DialogDriver& d) {
    EXPECT_EQ(d.Text(Dlg::ResultId(kMtc)), "");
    EXPECT_EQ(d.Text(Dlg::kResultGt50), "");
    for (int check = 0; check < kBruchChecks; ++check)
      EXPECT_EQ(static_cast<Dlg&>(d.dialog()).Computation().results[static_cast<size_t>(check)], 0);
  };
  const std::vector<std::pair<int, std::string>> row0 = {{Dlg::kFirstM1, "1450"},
                                                         {Dlg::kFirstEinwaage, "800"},
                                                         {Dlg::MassId(0, kMtc), "620"},
                                                         {Dlg::MassId(0, kMpc), "120"},
                                                         {Dlg::MassId(0, kMop), "40"}};
  std::vector<std::pair<int, std::string>> over = row0;
  over.push_back({Dlg::MassId(0, kMtr), "30"});
  const ImpossibleInput cases[] = {
      {"MassesMoreThanOnePercentAboveTheirSample", over, Dlg::MassId(0, kMtr),
       "vollst. gerundet < 10% [g], 8/16: Die Massen der Kornklasse liegen bis hierher zusammen mehr als 1 % über "
       "ihrer Einwaage (800 g): die Prüfung muss wiederholt werden."},
  };
  // The row is over its Einwaage: its deviation shows red, it shows no share.
  for (const auto& c : cases)
    ExpectRefused<Dlg>(c, edit, [&noVerdict](DialogDriver& d) {
      noVerdict(d);
      EXPECT_EQ(d.Text(Dlg::kFirstAbweich), "-1.25");
      EXPECT_EQ(static_cast<Dlg&>(d.dialog()).ItemColor(Dlg::kFirstAbweich), platform::RGB(255, 0, 0));
      EXPECT_TRUE(d.IsVisible(Dlg::kWarning));
      EXPECT_EQ(d.Text(Dlg::ShareId(0, kMtc)), "");
      EXPECT_EQ(d.Text(Dlg::kFirstGt50), "");
    });
  // One size class: against M1.
  CVersuch oneClass = Record("[VA_BRUCH|90_GE|3_LE||8/16|||]");
  oneClass.SetField(20, "|||0|0|0|0|0||0|0|0|@@@@@@@@@@@|@@@@@@@@@@@|@@@@@@@@@@@|@@@@@@@@@@@|@@@@@@@@@@@|@@@@@@@@@@|8/16|1");
  ExpectRefused<Dlg>({"MassesMoreThanOnePercentAboveM1",
                      {{Dlg::kFirstM1, "500"}, {Dlg::MassId(0, kMtc), "300"}, {Dlg::MassId(0, kMpc), "150"},
                       {Dlg::MassId(0, kMop), "50"}, {Dlg::MassId(0, kMtr), "5.1"}},
                      Dlg::MassId(0, kMtr),
                      "vollst. gerundet < 10% [g], 8/16: Die Massen der Kornklasse liegen bis hierher zusammen mehr "
                      "als 1 % über M1 (500.0 g)",
                      "", "5.1"},
                     [&oneClass] { return EditCrushedSurfaces(oneClass, nullptr); }, noVerdict);
  ExpectNumberSlipsRefused<Dlg>(Dlg::MassId(0, kMtr), "vollst. gerundet < 10% [g], 8/16", row0, edit, noVerdict);
  ExpectNumberSlipsRefused<Dlg>(Dlg::kFirstEinwaage + 1, "Einwaage [g], 4/8", row0, edit, noVerdict);
  EXPECT_EQ(record.GetField(20), "");
}

// Within 1 % above their Einwaage the masses are judged and stored, the
// deviation red beside them as the standard has the test repeated.
TEST(CrushedSurfacesDialog, MassesWithinOnePercentOfTheirSampleAreJudgedAndStored) {
  CVersuch record = Record("[VA_BRUCH|90_GE|3_LE||8/16¿4/8|||]");
  SetEditAllowed(true);
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    // Four masses of 502.3 g in all, the Einwaage typed 502.4 g and shown in whole grams.
    FillRow(d, 0, "1000", "451", "40", "8", "3.3", "502.4");
    EXPECT_EQ(d.Text(Dlg::kFirstEinwaage), "502");
    EXPECT_EQ(static_cast<Dlg&>(d.dialog()).Checks().LastNamedField(), 0);  // nothing told
    EXPECT_EQ(d.Text(Dlg::kFirstAbweich), "-0.06");
    EXPECT_TRUE(d.IsVisible(Dlg::kWarning));
    EXPECT_EQ(d.Text(Dlg::ShareId(0, kMtc)), "89.8");
    EXPECT_EQ(d.Text(Dlg::kResultGt50), "98");
    EXPECT_EQ(d.dialog().Item<CLabel>(Dlg::LampId(kCheckGt50))->state().status, 1);
  }, IDOK);
  const std::optional<TestEntryResult> result = EditCrushedSurfaces(record, nullptr);
  ui.VerifyAllShown();
  ASSERT_TRUE(result);
  EXPECT_EQ(result->status, "8");  // > 50 %: 98, Mtr: 1
  EXPECT_EQ(StrGetFieldS(record.GetValue(20, 17), "@", 0), "502");
}

}  // namespace
