// The statistics and mixture commands end to end on the program's own main
// frame and view: a fixture installation (data folder with "data.db",
// "stat" and "misch", a program folder with stub companion programs), rows
// selected as the list selects them, the buttons pressed, the dialogs and
// questions answered through the scripted seam, and the files and program
// starts checked on disk.
#include <gtest/gtest.h>


#include <QAbstractButton>
#include <QApplication>
#include <filesystem>

#include "fixtures/statistics/statistics_records.h"
#include "platform/datetime.h"
#include "platform/files.h"
#include "platform/textfile.h"
#include "records/strutil.h"
#include "records/recordfile.h"
#include "controls/perslistctrl.h"
#include "services/pravikdoc.h"
#include "shell/mainview/mainframe.h"
#include "shell/mainview/mainview_testing.h"
#include "shell/mixtures/mischungsverwaltungdlg.h"
#include "shell/statistics/statisticsprintsettings.h"
#include "shell/statistics/statistikdlg.h"
#include "support/scripted_ui_gtest.h"

namespace fs = std::filesystem;
using platform::DialogDriver;
using platform::IDCANCEL;
using platform::IDNO;
using platform::IDOK;
using platform::IDYES;
using Dlg = CStatistikDlg;

namespace {

class StatisticsCommands : public MainViewTesting {
 protected:
  void SetUp() override {
    MainViewTesting::SetUp();
    QApplication::setQuitOnLastWindowClosed(false);
    platform::SetClockOverride(statfix::FixedClock());
    ASSERT_TRUE(WriteRecordFile(statfix::FixtureRecords(), folder_ / "data.db"));
    for (const char* sub : {"stat", "misch", "program"}) fs::create_directories(folder_ / sub);
    app_.m_Settings.m_ProgramFolder = folder_ / "program";
    app_.PlantIdentity = {statfix::kOperatorNumber, statfix::kOperatorName, statfix::kPlantNumber,
                          statfix::kPlantName};
    for (const char* program : {"tallyon", "blendor"})
      WriteScript(Program(program), "printf '<%s>' \"$@\" > '" + Arguments(program).string() + "'");

    doc_ = std::make_unique<CPravikDoc>();
    ASSERT_TRUE(doc_->OnNewDocument());
    frame_ = std::make_unique<CMainFrame>();
    frame_->SetView(new CForm1View(doc_.get()));
  }
  void TearDown() override {
    frame_.reset();
    platform::SetClockOverride(std::nullopt);
    QApplication::setQuitOnLastWindowClosed(true);
  }

  fs::path Program(const char* name) const { return folder_ / "program" / name; }
  fs::path Arguments(const char* name) const { return folder_ / (std::string(name) + ".args"); }
  // What the stub program was started with, once it has run.
  std::string StartedWith(const char* name) const {
    if (!SpinUntil([&] { return platform::FileSize(Arguments(name)).value_or(0) > 0; })) return "<not started>";
    return platform::ReadFileBytes(Arguments(name)).value_or("");
  }

  CForm1View& View() { return *frame_->view(); }
  void Select(const std::vector<std::string>& numbers) {
    std::vector<int> rows;
    for (const std::string& number : numbers) rows.push_back(RowOf(*View().model(), number));
    SelectRows(View(), rows);
  }
  void Press(int button) {
    QAbstractButton* b = View().button(button);
    ASSERT_TRUE(b->isEnabled()) << button;
    b->click();
  }
  std::vector<fs::path> StatisticsFiles() const {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder_ / "stat")) files.push_back(entry.path());
    return files;
  }
  // The dialog's period set as the user types it.
  static std::function<void(DialogDriver&)> Period(const char* from, const char* to) {
    return [from, to](DialogDriver& d) {
      d.SetText(Dlg::kFirstDay, from);
      d.SetText(Dlg::kLastDay, to);
    };
  }

  std::unique_ptr<CPravikDoc> doc_;
  std::unique_ptr<CMainFrame> frame_;
};

TEST_F(StatisticsCommands, MaterialStatisticStartsTheStatisticsManager) {
  Select({"12-34-0101"});
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.Text(Dlg::kMaterialEdit), "Kies 0/16  (Gesteinskörnung)");
    EXPECT_EQ(d.Text(Dlg::kTowerEdit), "0.063, 2, 8, 16");
    EXPECT_EQ(d.Text(Dlg::kFirstDay), "01.03.2021");  // the selected record's day
    EXPECT_EQ(d.Text(Dlg::kLastDay), "01.03.2021");
    Period("01.03.2021", "31.03.2021")(d);
  });
  ui.ExpectMessageBox(IDYES, "Statistik wurde erstellt.");
  Press(CForm1View::kMaterialStatisticsButton);
  ui.VerifyAllShown();

  const fs::path file = folder_ / "stat" / "M20240517-140309.sta";
  EXPECT_EQ(StatisticsFiles(), std::vector<fs::path>{file});
  const std::string text = platform::ReadTextFile(file).value_or("");
  EXPECT_NE(text.find("\nDEBUG_FILTER=M|[SDM-TEST-0001]|12|34|20210301|20210331|0|0|0|||\n"), std::string::npos);
  for (const char* number : {"12-34-0101", "12-34-0102", "12-34-0103"})
    EXPECT_NE(text.find(std::string("\nVERSUCH={") + number + ";"), std::string::npos) << number;
  EXPECT_EQ(text.find("12-34-0201"), std::string::npos);
  // The one argument: the path, no quotes around it.
  EXPECT_EQ(StartedWith("tallyon"), "<" + file.string() + ">");
  EXPECT_EQ(ui.shown()[1].flags, platform::MB_YESNOCANCEL | platform::MB_ICONQUESTION);
  EXPECT_EQ(ui.shown()[1].title, "Statistik");
}

TEST_F(StatisticsCommands, PeriodStatisticOfSeveralRowsWithoutStartingTheManager) {
  Select({"12-34-0102", "12-34-0201", "12-34-0103"});
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.dialog().windowTitle().toStdString(), "Zeitraumstatistik erstellen");
    EXPECT_EQ(d.Text(Dlg::kFirstDay), "10.03.2021");  // the first and last day of the selection
    EXPECT_EQ(d.Text(Dlg::kLastDay), "20.03.2021");
  });
  ui.ExpectMessageBox(IDNO, "Statistik wurde erstellt.");
  Press(CForm1View::kPeriodStatisticsButton);
  ui.VerifyAllShown();

  const fs::path file = folder_ / "stat" / "T20240517-140309.sta";
  const std::string text = platform::ReadTextFile(file).value_or("");
  EXPECT_NE(text.find("\nDEBUG_FILTER=T|12|12|34|20210310|20210320|0|0|0|||\n"), std::string::npos);
  EXPECT_EQ(StrCountFieldsS(text, "\nVERSUCH="), 4);
  QCoreApplication::processEvents();
  EXPECT_FALSE(platform::FileExists(Arguments("tallyon")));

  // A second statistic in the same second gets a free name; the first stays.
  Select({"12-34-0102"});
  platform::TestUi again;
  again.ExpectDialog(Dlg::kTemplateId, IDOK);
  again.ExpectMessageBox(IDNO, "Statistik wurde erstellt.");
  Press(CForm1View::kPeriodStatisticsButton);
  again.VerifyAllShown();
  const fs::path second = folder_ / "stat" / "T20240517-140309_2.sta";
  EXPECT_EQ(platform::ReadTextFile(file).value_or(""), text);
  EXPECT_EQ(StrCountFieldsS(platform::ReadTextFile(second).value_or(""), "\nVERSUCH="), 2);
  EXPECT_EQ(StatisticsFiles().size(), 2u);
}

TEST_F(StatisticsCommands, NothingToWriteAndChangedMaterials) {
  Select({"12-34-0101"});
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, Period("01.04.2021", "30.04.2021"));
  ui.ExpectMessageBox(IDOK, "Es wurden keine Versuche gefunden, die die Auswahlbedingungen erfüllen!");
  Press(CForm1View::kMaterialStatisticsButton);
  ui.VerifyAllShown();
  EXPECT_TRUE(StatisticsFiles().empty());

  // A record of the material with another requirement string: warned, and written.
  CVersuch* a3 = View().model()->RecordAt(RowOf(*View().model(), "12-34-0103"));
  a3->SetField(5, statfix::Requirements("SDM", "BK", "Kies 0/16 gewaschen", "SDM-TEST-0001"));
  platform::TestUi again;
  again.ExpectDialog(Dlg::kTemplateId, Period("01.03.2021", "31.03.2021"));
  again.ExpectMessageBox(IDOK, "Achtung!\nMaterial \"Kies 0/16\" geändert in:\n12-34-0103 : \"Kies 0/16 gewaschen\"\n");
  again.ExpectMessageBox(IDCANCEL, "Statistik wurde erstellt.");
  Press(CForm1View::kMaterialStatisticsButton);
  again.VerifyAllShown();
  EXPECT_EQ(again.shown()[1].flags & platform::MB_ICONMASK, platform::MB_ICONWARNING);
  EXPECT_EQ(StatisticsFiles().size(), 1u);
}

TEST_F(StatisticsCommands, AFileThatCannotBeCreatedIsReported) {
  fs::remove_all(folder_ / "stat");
  Select({"12-34-0101"});
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, IDOK);
  ui.ExpectMessageBox(IDOK, (folder_ / "stat" / "M20240517-140309.sta").string());
  Press(CForm1View::kMaterialStatisticsButton);
  ui.VerifyAllShown();
  ASSERT_EQ(ui.shown().size(), 2u);  // no question after it
  EXPECT_EQ(ui.shown()[1].flags & platform::MB_ICONMASK, platform::MB_ICONSTOP);
}

TEST_F(StatisticsCommands, CancelOrARunningSieveProgramWritesNothing) {
  Select({"12-34-0101"});
  {
    platform::TestUi ui;
    ui.ExpectDialog(Dlg::kTemplateId, IDCANCEL);
    Press(CForm1View::kPeriodStatisticsButton);
  }
  app_.SieveProgramActive = true;
  {
    platform::TestUi ui;  // the guard's warning only: no dialog
    ui.ExpectMessageBox(IDOK, "Kornsummenlinienprogramm");
    Press(CForm1View::kPeriodStatisticsButton);
  }
  EXPECT_TRUE(StatisticsFiles().empty());
}

TEST_F(StatisticsCommands, MixtureModuleHandsThreeRecordsToTheMixtureEditor) {
  Select({"12-34-0201", "12-34-0101", "12-34-0103"});
  platform::TestUi ui;  // no message: all three have sieve data
  Press(CForm1View::kMixtureButton);
  ui.VerifyAllShown();
  const fs::path file = folder_ / "misch" / "tmp.pvm";
  EXPECT_EQ(StartedWith("blendor"), "<" + file.string() + ">");
  const std::vector<std::string> lines = platform::ReadTextLines(file).value_or(std::vector<std::string>{});
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[3], "ANGELEGT_AM=[240517140309]");
  // Sorted by designation: "31,5/63 ..." keys as 31 (no "a/b" with a point), "Kies 0/16" as 0.
  EXPECT_EQ(lines[4].substr(0, 21), "MATERIAL=[12-34-0101 ");
  EXPECT_EQ(lines[5].substr(0, 21), "MATERIAL=[12-34-0103 ");
  EXPECT_EQ(lines[6].substr(0, 21), "MATERIAL=[12-34-0201 ");
  EXPECT_NE(lines[4].find("][333|1|0][12.50|20210101][1]"), std::string::npos);
  const std::string bytes = platform::ReadFileBytes(file).value_or("");
  EXPECT_EQ(bytes.substr(bytes.size() - 13), "ZIELTURM=[]\r\n");
}

TEST_F(StatisticsCommands, MixtureModuleRefusesRecordsWithoutGradingAndReportsAFolderItCannotWrite) {
  CVersuch* a1 = View().model()->RecordAt(RowOf(*View().model(), "12-34-0101"));
  a1->SetValue(3, 1, "");  // no sieve analysis, no armourstone grading
  Select({"12-34-0101"});
  {
    platform::TestUi ui;
    ui.ExpectMessageBox(IDOK, "Die gewählten Prüfnummern enhalten keine Siebungsdaten!");
    Press(CForm1View::kMixtureButton);
    ui.VerifyAllShown();
    EXPECT_EQ(ui.shown()[0].title, "Keine Siebdaten");
  }
  fs::remove_all(folder_ / "misch");
  Select({"12-34-0101", "12-34-0102"});
  {
    platform::TestUi ui;
    ui.ExpectMessageBox(IDOK, "Nicht alle gewählten Prüfnummern enthalten Siebungsdaten!");
    ui.ExpectMessageBox(IDOK, "ERROR 2100\n\n[" + (folder_ / "misch" / "tmp.pvm").string() +
                                  "] konnte nicht zum Schreiben geöffnet werden.");
    Press(CForm1View::kMixtureButton);
    ui.VerifyAllShown();
    EXPECT_EQ(ui.shown()[0].flags & platform::MB_ICONMASK, platform::MB_ICONINFORMATION);
    EXPECT_EQ(ui.shown()[1].flags & platform::MB_ICONMASK, platform::MB_ICONSTOP);
  }
  QCoreApplication::processEvents();
  EXPECT_FALSE(platform::FileExists(Arguments("blendor")));
}

TEST_F(StatisticsCommands, MissingCompanionProgramsAreReported) {
  fs::remove(Program("tallyon"));
  fs::remove(Program("blendor"));
  Select({"12-34-0101"});
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, IDOK);
  ui.ExpectMessageBox(IDYES, "Statistik wurde erstellt.");
  ui.ExpectMessageBox(IDOK, "Externes Programm konnte nicht gestartet werden.");
  ui.ExpectMessageBox(IDOK, "Externes Programm konnte nicht gestartet werden.");
  Press(CForm1View::kMaterialStatisticsButton);
  Press(CForm1View::kMixtureButton);
  ui.VerifyAllShown();

  // Each names the program, its folder, the reason and the file written for it.
  std::vector<fs::path> statistics;
  for (const auto& entry : fs::directory_iterator(folder_ / "stat")) statistics.push_back(entry.path());
  ASSERT_EQ(statistics.size(), 1u);
  const std::string folder = "Ordner: " + (folder_ / "program").string() + "\n";
  const std::string reason = "Grund: Datei oder Ordner nicht gefunden (Fehler-Nummer: 2)";
  const std::string keep = "Sie können diese Datei auch an einem anderen Rechner mit dem Programm öffnen.";
  EXPECT_EQ(ui.shown()[2].text, "Externes Programm konnte nicht gestartet werden.\n\nProgramm: tallyon\n" + folder +
                                    reason + "\n\nDie Statistikdatei wurde geschrieben und bleibt erhalten:\n" +
                                    statistics[0].string() + "\n" + keep);
  EXPECT_EQ(ui.shown()[3].text, "Externes Programm konnte nicht gestartet werden.\n\nProgramm: blendor\n" + folder +
                                    reason + "\n\nDie Startdatei für das Mischmodul wurde geschrieben und bleibt "
                                    "erhalten:\n" + (folder_ / "misch" / "tmp.pvm").string() + "\n" + keep);
  EXPECT_TRUE(platform::FileExists(statistics[0]));
}

TEST_F(StatisticsCommands, PrintOptionsCommandIsEnabledAndOpensItsDialog) {
  platform::CommandTable& commands = frame_->commands();
  EXPECT_TRUE(commands.Update(9013));
  platform::TestUi ui;
  ui.ExpectDialog(CEinstellungenStatistikenDlg::kTemplateId, [](DialogDriver& d) { d.Check(1578); }, IDOK);
  EXPECT_TRUE(commands.Execute(9013));
  ui.VerifyAllShown();
  EXPECT_EQ(Ini("Statistiken", "Print08"), "1");
}

TEST_F(StatisticsCommands, MixtureManagementIsEnabledAndListsTheWorkingFolder) {
  ASSERT_TRUE(platform::WriteTextFile(folder_ / "misch" / "240101080000.pvm",
                                      "BEZEICHNUNG=[Beton A]\nLISTCTRLDATEN=[Beton A|2|01.01.2024|C20/25]\n"));
  ASSERT_TRUE(platform::WriteTextFile(folder_ / "misch" / "tmp.pvm", "LISTCTRLDATEN=[unbenannt|1||]\n"));
  platform::CommandTable& commands = frame_->commands();
  EXPECT_TRUE(commands.Update(9004));
  platform::TestUi ui;
  ui.ExpectDialog(CMischungsverwaltungDlg::kTemplateId, [this](DialogDriver& d) {
    auto& dlg = static_cast<CMischungsverwaltungDlg&>(d.dialog());
    EXPECT_EQ(dlg.ListedFolder(), folder_ / "misch");
    EXPECT_EQ(dlg.TargetFolder(), fs::path(Ini("Archivierung", "Ordner") == "<none>" ? (folder_ / "archiv").string()
                                                                                 : Ini("Archivierung", "Ordner")));
    ASSERT_EQ(dlg.List()->GetItemCount(), 1);
    EXPECT_EQ(dlg.List()->GetItemText(0, 1), "Beton A");
  }, IDCANCEL);
  EXPECT_TRUE(commands.Execute(9004));
  ui.VerifyAllShown();
}

}  // namespace
