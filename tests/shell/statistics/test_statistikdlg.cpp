// The statistics dialog and the week picker through the scripted seam: both
// modes, the customers of "kunden.dat", the dates that keep their order, the
// chosen week and the selection text; and the print options in the INI file.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <ctime>

#include "fixtures/customers/customer_testing.h"
#include "platform/datetime.h"
#include "platform/files.h"
#include "services/pravikapp.h"
#include "services/settings.h"
#include "shell/statistics/statisticsprintsettings.h"
#include "shell/statistics/statistikdlg.h"
#include "support/scripted_ui_gtest.h"
#include "support/temp_folder.h"

using platform::DialogDriver;
using platform::IDCANCEL;
using platform::IDOK;
using Dlg = CStatistikDlg;

namespace {

std::time_t Noon(int year, int month, int day) {
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = 12;
  tm.tm_isdst = -1;
  return std::mktime(&tm);
}

class StatisticsDialog : public ::testing::Test {
 protected:
  void SetUp() override { platform::SetClockOverride(Noon(2026, 6, 15)); }
  void TearDown() override { platform::SetClockOverride(std::nullopt); }

  // Runs the dialog with the script's steps; gives its answer.
  int Run(Dlg& dlg, std::function<void(DialogDriver&)> fill, int answer = IDOK) {
    platform::TestUi ui;
    ui.ExpectDialog(Dlg::kTemplateId, std::move(fill), answer);
    const int result = dlg.DoModal();
    ui.VerifyAllShown();
    return result;
  }

  TempFolder folder_;
};

TEST_F(StatisticsDialog, MaterialModeWithCustomerAndDrySieving) {
  const auto file = customer_testing::CopyOfFixture(folder_.path());
  Dlg dlg;
  dlg.m_MaterialMode = true;
  dlg.m_MaterialId = "[SDM-TEST-0001]";
  dlg.m_MaterialText = "Kies 0/16  (Gesteinskörnung)";
  dlg.m_TowerText = "0.063, 2, 8, 16";
  dlg.m_OperatorAndPlant = "Schotterwerke Süd|12|Kieswerk Au|34";
  dlg.m_FirstDay = "20210301";
  dlg.m_LastDay = "20210315";
  dlg.m_CustomerFile = file;
  EXPECT_EQ(Run(dlg, [](DialogDriver& d) {
              EXPECT_EQ(d.dialog().windowTitle().toStdString(), "Materialstatistik erstellen");
              EXPECT_EQ(d.Text(Dlg::kMaterialEdit), "Kies 0/16  (Gesteinskörnung)");
              EXPECT_EQ(d.Text(Dlg::kTowerEdit), "0.063, 2, 8, 16");
              EXPECT_EQ(d.Text(Dlg::kOperatorEdit), " Schotterwerke Süd (12) / Kieswerk Au (34)");
              // Texts longer than their fields show their beginning.
              for (int id : {Dlg::kMaterialEdit, Dlg::kTowerEdit, Dlg::kOperatorEdit})
                EXPECT_EQ(d.dialog().Item<QLineEdit>(id)->cursorPosition(), 0) << id;
              EXPECT_EQ(d.Text(Dlg::kFirstDay), "01.03.2021");
              EXPECT_EQ(d.Text(Dlg::kLastDay), "15.03.2021");
              EXPECT_EQ(d.Text(Dlg::kPeriodText), "Der Zeitraum umfasst 15 Tage");
              EXPECT_TRUE(d.IsEnabled(Dlg::kCustomer));
              EXPECT_EQ(d.Text(Dlg::kCustomer), "(keine Einschränkung auf einen Kunden)");
              EXPECT_TRUE(d.IsChecked(Dlg::kAll));
              d.Select(Dlg::kCustomer, customer_testing::kFixtureNames[2]);
              d.Check(Dlg::kDry);
            }),
            IDOK);
  EXPECT_EQ(dlg.m_Result, std::string("M|[SDM-TEST-0001]|12|34|20210301|20210315|0|0|0|") +
                              customer_testing::kFixtureIds[2] + "|T|");
}

TEST_F(StatisticsDialog, PeriodModeWithoutCustomerFile) {
  Dlg dlg;
  dlg.m_OperatorAndPlant = "Schotterwerke Süd|12|Kieswerk Au|34";
  dlg.m_FirstDay = "2021030";  // not 8 characters: today
  dlg.m_LastDay = "";
  dlg.m_CustomerFile = folder_ / "kunden.dat";
  EXPECT_EQ(Run(dlg, [](DialogDriver& d) {
              EXPECT_EQ(d.dialog().windowTitle().toStdString(), "Zeitraumstatistik erstellen");
              for (int id : {Dlg::kMaterialGroup, Dlg::kMaterialLabel, Dlg::kTowerLabel, Dlg::kCustomer})
                EXPECT_FALSE(d.IsEnabled(id)) << id;
              EXPECT_EQ(d.Text(Dlg::kFirstDay), "15.06.2026");
              EXPECT_EQ(d.Text(Dlg::kPeriodText), "Der Zeitraum umfasst 1 Tag");
              d.Check(Dlg::kWet);
            }),
            IDOK);
  EXPECT_EQ(dlg.m_Result, "T|12|12|34|20260615|20260615|0|0|0||N|");
}

TEST_F(StatisticsDialog, DatesKeepTheirOrderAndCancelGivesNothing) {
  Dlg dlg;
  dlg.m_FirstDay = "20260302";
  dlg.m_LastDay = "20260308";
  dlg.m_CustomerFile = folder_ / "kunden.dat";
  EXPECT_EQ(Run(dlg,
                [](DialogDriver& d) {
                  EXPECT_EQ(d.Text(Dlg::kPeriodText), "10. KW");
                  d.SetText(Dlg::kFirstDay, "10.03.2026");  // after the last day: it moves along
                  EXPECT_EQ(d.Text(Dlg::kLastDay), "10.03.2026");
                  d.SetText(Dlg::kLastDay, "01.03.2026");  // before the first: it moves along
                  EXPECT_EQ(d.Text(Dlg::kFirstDay), "01.03.2026");
                  EXPECT_EQ(d.Text(Dlg::kPeriodText), "Der Zeitraum umfasst 1 Tag");
                  d.SetText(Dlg::kLastDay, "07.03.2026");
                  EXPECT_EQ(d.Text(Dlg::kPeriodText), "Der Zeitraum umfasst 7 Tage");
                },
                IDCANCEL),
            IDCANCEL);
  EXPECT_EQ(dlg.m_Result, "");
}

TEST_F(StatisticsDialog, TheWeekPickerSetsMondayToSunday) {
  Dlg dlg;
  dlg.m_FirstDay = "20260304";
  dlg.m_LastDay = "20260304";
  dlg.m_CustomerFile = folder_ / "kunden.dat";
  QWidget* statisticsDialog = nullptr;
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [&statisticsDialog](DialogDriver& d) {
    statisticsDialog = &d.dialog();
    d.Click(Dlg::kChooseWeek);
    EXPECT_EQ(d.Text(Dlg::kFirstDay), "29.12.2025");
    EXPECT_EQ(d.Text(Dlg::kLastDay), "04.01.2026");
    EXPECT_EQ(d.Text(Dlg::kPeriodText), "1. KW");
  }, IDOK);
  ui.ExpectDialog(CKWwaehlenDlg::kTemplateId, [&statisticsDialog](DialogDriver& w) {
    EXPECT_EQ(w.dialog().parentWidget(), statisticsDialog);  // placed over the statistics dialog
    EXPECT_EQ(w.Text(CKWwaehlenDlg::kYear), "2026");
    EXPECT_EQ(w.Text(CKWwaehlenDlg::kWeeks), "10. KW (2.3. - 8.3.)");  // the week of the first day
    w.Select(CKWwaehlenDlg::kYear, "2021");
    EXPECT_FALSE(w.IsEnabled(IDOK));  // the given week matched once
    w.Select(CKWwaehlenDlg::kYear, "2026");
    EXPECT_FALSE(w.IsEnabled(IDOK));
    w.Select(CKWwaehlenDlg::kWeeks, "1. KW (29.12. - 4.1.)");
    EXPECT_TRUE(w.IsEnabled(IDOK));
  }, IDOK);
  EXPECT_EQ(dlg.DoModal(), IDOK);
  ui.VerifyAllShown();
  EXPECT_EQ(dlg.m_Result, "T|12|||20251229|20260104|0|0|0|||");
}

TEST_F(StatisticsDialog, TheWeekPickerListsTheYearsFromNowTo2010) {
  CKWwaehlenDlg picker;
  picker.m_GivenDate = QDate(2009, 5, 5);  // no such year: the first entry
  platform::TestUi ui;
  ui.ExpectDialog(CKWwaehlenDlg::kTemplateId, [](DialogDriver& w) {
    auto* years = w.dialog().Item<QComboBox>(CKWwaehlenDlg::kYear);
    ASSERT_EQ(years->count(), 17);
    EXPECT_EQ(years->itemText(16).toStdString(), "2010");
    EXPECT_EQ(w.Text(CKWwaehlenDlg::kYear), "2026");
    auto* weeks = w.dialog().Item<QListWidget>(CKWwaehlenDlg::kWeeks);
    EXPECT_EQ(weeks->count(), 25);  // up to the week of 15 June 2026
    EXPECT_FALSE(w.IsEnabled(IDOK));
  }, IDCANCEL);
  EXPECT_EQ(picker.DoModal(), IDCANCEL);
  EXPECT_FALSE(picker.m_ChosenMonday.isValid());
}

// ---------------------------------------------------------------- print options

class PrintOptions : public ::testing::Test {
 protected:
  void SetUp() override {
    app_.m_Settings.m_DataFolder = folder_.path();
    app_.m_Settings.m_IniPath = folder_ / "pravik.ini";
  }
  std::string Ini() const { return platform::ReadFileBytes(folder_ / "pravik.ini").value_or("<none>"); }

  TempFolder folder_;
  CPravikWinApp app_;
};

constexpr int kTicked[] = {1570, 1571, 1572, 1573, 1574, 1575, 1576, 1577};
constexpr int kClear[] = {1580, 1581, 1582, 1578, 1579};

TEST_F(PrintOptions, DefaultsWithoutTheSectionAndCancelWritesNothing) {
  ProgramProfile(folder_ / "pravik.ini").WriteString("Allgemeines", "x", "1");
  const std::string before = Ini();
  platform::TestUi ui;
  ui.ExpectDialog(CEinstellungenStatistikenDlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.dialog().windowTitle().toStdString(), "Einstellungen für die Statistiken");
    for (int id : kTicked) EXPECT_TRUE(d.IsChecked(id)) << id;
    for (int id : kClear) EXPECT_FALSE(d.IsChecked(id)) << id;
    d.Check(1580);
    d.Check(1570, false);
  }, IDCANCEL);
  EditStatisticsPrintSettings(app_);
  ui.VerifyAllShown();
  EXPECT_EQ(Ini(), before);
}

TEST_F(PrintOptions, OkWritesAllThirteenKeys) {
  ProgramProfile profile(folder_ / "pravik.ini");
  profile.WriteString("Statistiken", "Print03", "7");  // any value but 0 reads as ticked
  profile.WriteString("Statistiken", "Print05", "0");
  platform::TestUi ui;
  ui.ExpectDialog(CEinstellungenStatistikenDlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_TRUE(d.IsChecked(1573));
    EXPECT_FALSE(d.IsChecked(1575));
    d.Check(1582);
    d.Check(1571, false);
  }, IDOK);
  EditStatisticsPrintSettings(app_);
  ui.VerifyAllShown();
  const char* keys[] = {"firmenlogodrucken", "statistikdruck", "PrintEmpty", "Print00", "Print01",
                        "Print02", "Print03", "Print04", "Print05", "Print06", "Print07", "Print08", "Print09"};
  const char* values[] = {"0", "0", "1", "1", "0", "1", "1", "1", "0", "1", "1", "0", "0"};
  for (size_t i = 0; i < std::size(keys); ++i)
    EXPECT_EQ(profile.GetString("Statistiken", keys[i], "<none>"), values[i]) << keys[i];
  StatisticsPrintSettings reread;
  reread.Load(app_);
  EXPECT_EQ(reread.printEmptyColumns, 1);
  EXPECT_EQ(reread.printDeviation, 0);
}

}  // namespace
