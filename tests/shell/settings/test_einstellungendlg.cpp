// The settings dialogs through the scripted seam: the pens, the archive
// folder and the two flags of the general settings (OK saves and reloads,
// Cancel writes nothing), moving to another data folder, and the four
// defaults of new records.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QWidget>

#include "platform/files.h"
#include "platform/textfile.h"
#include "records/recordfile.h"
#include "services/pravikapp.h"
#include "shell/settings/einstellungendlg.h"
#include "support/read_only_folder.h"
#include "support/scripted_ui_gtest.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;
using platform::DialogDriver;
using platform::IDCANCEL;
using platform::IDNO;
using platform::IDOK;
using platform::IDYES;
using platform::RGB;
using Dlg = CEinstellungenAllgDlg;

namespace {

const fs::path kRecordFolders = fs::path(PRAVIK_FIXTURES) / "datafolder";

class SettingsDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    QApplication::setQuitOnLastWindowClosed(false);
    data_ = program_ / "daten";
    platform::CreateFolder(data_);
    platform::CopyFile(kRecordFolders / "full" / kRecordFileName, data_ / kRecordFileName);
    ASSERT_TRUE(platform::WriteTextFile(data_ / "pravik.ini",
                                        "[Archivierung]\nOrdner=/archiv/alt\n"
                                        "[Layout]\ncolor0=0,0,128,1,0,0\ncolor3=0,0,0,3,4,0\ncolor7=10,20,30,3,2,9\n"
                                        "[General]\nNoDatasaveInfo=0\nPrintLogo=1\n"));
    app_.m_Settings.m_ProgramFolder = program_.path();
    app_.m_Settings.m_DataFolder = data_;
    app_.m_Settings.m_IniPath = data_ / "pravik.ini";
    app_.m_Settings.LoadSettings();
    ASSERT_TRUE(platform::WriteTextFile(program_ / "datapfad.dat", data_.string() + "\n"));
  }

  void TearDown() override { QApplication::setQuitOnLastWindowClosed(true); }

  std::string Ini() const { return platform::ReadFileBytes(data_ / "pravik.ini").value_or("<none>"); }
  std::string IniValue(const char* section, const char* key) const {
    return app_.GetProfileString(section, key, "<none>");
  }
  std::string FileText(const fs::path& file) const { return platform::ReadFileBytes(file).value_or("<none>"); }

  // Another data folder with a record file.
  fs::path OtherDataFolder() {
    const fs::path other = program_ / "neu";
    platform::CreateFolder(other);
    platform::CopyFile(kRecordFolders / "full" / kRecordFileName, other / kRecordFileName);
    return other;
  }

  TempFolder program_;
  fs::path data_;
  CPravikWinApp app_;
};

}  // namespace

TEST(LineCombos, ItemsAndSelection) {
  QComboBox width, style;
  FillLineWidthCombo(&width, -1);
  ASSERT_EQ(width.count(), 5);
  EXPECT_EQ(width.currentIndex(), 0);
  EXPECT_EQ(width.itemText(4).toStdString(), "5-fach");
  EXPECT_EQ(width.itemData(4).toInt(), 5);
  FillLineWidthCombo(&width, 2);
  EXPECT_EQ(width.currentText().toStdString(), "3-fach");
  FillLineStyleCombo(&style, -1);
  ASSERT_EQ(style.count(), 5);
  EXPECT_EQ(style.currentIndex(), -1);
  FillLineStyleCombo(&style, 3);
  EXPECT_EQ(style.currentText().toStdString(), "_._._._");
  EXPECT_EQ(style.currentData().toInt(), 3);
}

TEST_F(SettingsDialogs, GeneralSettingsOkSavesAndReloads) {
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [this](DialogDriver& d) {
    auto& dialog = static_cast<Dlg&>(d.dialog());
    EXPECT_EQ(d.Text(Dlg::kDataFolder), data_.string());
    EXPECT_EQ(d.Text(Dlg::kArchiveFolder), "/archiv/alt");
    EXPECT_FALSE(d.IsChecked(Dlg::kHideReminder));
    EXPECT_TRUE(d.IsChecked(Dlg::kPrintLogo));
    EXPECT_FALSE(d.IsVisible(1538));  // entry 1 has no row
    // Width 0 shows "dünn" with its style; width 3 "3-fach" with the style box off.
    EXPECT_EQ(d.Text(1021), "dünn");
    EXPECT_TRUE(d.IsEnabled(1028));
    EXPECT_EQ(d.Text(1024), "3-fach");
    EXPECT_FALSE(d.IsEnabled(1031));
    EXPECT_EQ(d.Text(1031), "_.._.._");
    // Entry 7 is thin and solid whatever the file holds.
    EXPECT_EQ(d.Text(1035), "dünn");
    EXPECT_EQ(d.Text(1036), "_______");
    EXPECT_EQ(dialog.SwatchColour(0), RGB(0, 0, 128));

    d.Select(1021, "2-fach");
    EXPECT_FALSE(d.IsEnabled(1028));
    d.Select(1021, "dünn");
    EXPECT_TRUE(d.IsEnabled(1028));
    d.Select(1028, "-------");
    d.Select(1024, "dünn");
    EXPECT_TRUE(d.IsEnabled(1031));
    d.Select(1053, "4-fach");  // entry 16

    d.Click(1066);  // "ändern" of entry 0
    EXPECT_EQ(dialog.SwatchColour(0), RGB(255, 0, 0));
    d.Click(1068);  // entry 2: cancelled, stays
    EXPECT_EQ(dialog.SwatchColour(2), RGB(0, 0, 0));
    d.Click(Dlg::kBrowseArchive);
    EXPECT_EQ(d.Text(Dlg::kArchiveFolder), "/archiv/neu");
    d.Check(Dlg::kHideReminder);
    d.Check(Dlg::kPrintLogo, false);
  }, IDOK);
  ui.ExpectColorDialog(RGB(255, 0, 0));
  ui.ExpectColorDialog(std::nullopt);
  ui.ExpectFolderDialog(fs::path("/archiv/neu"));
  EXPECT_TRUE(RunGeneralSettings(app_, nullptr));
  ASSERT_EQ(ui.shown().size(), 4u);
  EXPECT_EQ(ui.shown()[1].text, std::to_string(RGB(0, 0, 128)));  // the chooser starts at the entry's colour
  EXPECT_EQ(ui.shown()[3].text, "/archiv/alt");                    // the picker at the archive folder

  EXPECT_EQ(IniValue("Layout", "color0"), "255,0,0,1,1,0");
  EXPECT_EQ(IniValue("Layout", "color3"), "0,0,0,1,4,0");
  EXPECT_EQ(IniValue("Layout", "color7"), "10,20,30,1,0,9");
  EXPECT_EQ(IniValue("Layout", "color16"), "0,0,0,4,0,0");
  EXPECT_EQ(IniValue("Archivierung", "Ordner"), "/archiv/neu");
  EXPECT_EQ(IniValue("General", "NoDatasaveInfo"), "1");
  EXPECT_EQ(IniValue("General", "PrintLogo"), "0");
  // The application's settings came from the file again.
  EXPECT_EQ(app_.m_Settings.LayoutTable[0].color, RGB(255, 0, 0));
  EXPECT_EQ(app_.m_Settings.LayoutTable[0].style, 1);
  EXPECT_EQ(app_.m_Settings.LayoutTable[16].widthFactor, 4);
  EXPECT_EQ(app_.m_Settings.m_ArchiveFolder, "/archiv/neu");
  EXPECT_EQ(app_.m_Settings.m_NoDatasaveInfo, 1);
  EXPECT_EQ(app_.m_Settings.m_PrintLogo, 0);
}

TEST_F(SettingsDialogs, GeneralSettingsCancelWritesNothing) {
  const std::string before = Ini();
  const auto pens = app_.m_Settings.LayoutTable;
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    d.Click(1066);
    d.Select(1021, "5-fach");
    d.Check(Dlg::kHideReminder);
  }, IDCANCEL);
  ui.ExpectColorDialog(RGB(0, 255, 0));
  EXPECT_FALSE(RunGeneralSettings(app_, nullptr));
  EXPECT_EQ(Ini(), before);
  EXPECT_EQ(app_.m_Settings.LayoutTable, pens);
  EXPECT_EQ(app_.m_Settings.m_NoDatasaveInfo, 0);
}

// OK with a data folder that takes no writes: the user is told, and the
// program keeps the settings the file holds.
TEST_F(SettingsDialogs, GeneralSettingsThatCannotBeStoredAreReported) {
  const std::string before = Ini();
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    d.Check(Dlg::kHideReminder);
    d.Check(Dlg::kPrintLogo, false);
  }, IDOK);
  ui.ExpectMessageBox(IDOK, "pravik.ini");
  {
    ReadOnlyFolder locked(data_);
    EXPECT_FALSE(RunGeneralSettings(app_, nullptr));
  }
  ui.VerifyAllShown();
  ASSERT_EQ(ui.shown().size(), 2u);
  EXPECT_NE(ui.shown()[1].text.find("Die Datei kann nicht geschrieben werden:"), std::string::npos);
  EXPECT_EQ(Ini(), before);
  EXPECT_EQ(app_.m_Settings.m_NoDatasaveInfo, 0);
  EXPECT_EQ(app_.m_Settings.m_PrintLogo, 1);
}

// The same for the defaults of new records.
TEST_F(SettingsDialogs, NewRecordDefaultsThatCannotBeStoredAreReported) {
  using D = CEinstellungenDlg;
  const std::string before = Ini();
  platform::TestUi ui;
  ui.ExpectDialog(D::kTemplateId, [](DialogDriver& d) { d.Check(D::kSumMode); }, IDOK);
  ui.ExpectMessageBox(IDOK, "pravik.ini");
  {
    ReadOnlyFolder locked(data_);
    EXPECT_FALSE(RunNewRecordSettings(nullptr));
  }
  ui.VerifyAllShown();
  EXPECT_EQ(Ini(), before);
  EXPECT_EQ(LoadNewRecordDefaults().sumMode, 0);
}

TEST_F(SettingsDialogs, ChoosingAnotherDataFolder) {
  const std::string pointer = FileText(program_ / "datapfad.dat");
  QWidget mainWindow;
  mainWindow.show();
  auto choose = [&](std::optional<fs::path> file, std::function<void(platform::TestUi&)> more = {}) {
    platform::TestUi ui;
    ui.ExpectFileDialog(std::move(file));
    if (more) more(ui);
    const DataFolderMove result = ChooseDataFolder(app_, &mainWindow);
    if (!ui.shown().empty()) {
      EXPECT_EQ(ui.shown()[0].title, "Bitte den Datenordner mit der Datei data.db auswählen");
      EXPECT_EQ(ui.shown()[0].text, "Pravik Datenbankdatei (data.db)|data.db||");
      EXPECT_EQ(ui.shown()[0].flags, 1u);  // save mode
    }
    return result;
  };
  // Cancel and the current folder (also written another way) change nothing and ask nothing.
  EXPECT_EQ(choose(std::nullopt), DataFolderMove::Cancelled);
  EXPECT_EQ(choose(data_ / kRecordFileName), DataFolderMove::Unchanged);
  EXPECT_EQ(choose(program_ / "." / "daten" / kRecordFileName), DataFolderMove::Unchanged);
  // The root changes nothing either, but says why (before, without a word).
  EXPECT_EQ(choose(fs::path("/data.db"),
                   [](platform::TestUi& ui) {
                     ui.ExpectMessageBox(IDOK, "Der oberste Ordner des Dateisystems kann nicht Datenordner sein");
                   }),
            DataFolderMove::Unchanged);
  // A folder without a record file: a warning and nothing written.
  platform::CreateFolder(program_ / "leer");
  EXPECT_EQ(choose(program_ / "leer" / kRecordFileName,
                   [](platform::TestUi& ui) { ui.ExpectMessageBox(IDOK, "enthält keine Datei data.db"); }),
            DataFolderMove::NoRecordFile);
  // No to the question.
  const fs::path other = OtherDataFolder();
  EXPECT_EQ(choose(other / kRecordFileName,
                   [](platform::TestUi& ui) { ui.ExpectMessageBox(IDNO, "Neuen Datenpfad einstellen"); }),
            DataFolderMove::Declined);
  EXPECT_EQ(FileText(program_ / "datapfad.dat"), pointer);
  QApplication::processEvents();
  EXPECT_TRUE(mainWindow.isVisible());

  // Yes: the next start reads the new folder; the main window closes.
  EXPECT_EQ(choose(other / kRecordFileName,
                   [](platform::TestUi& ui) { ui.ExpectMessageBox(IDYES, "Neuen Datenpfad einstellen"); }),
            DataFolderMove::Moved);
  EXPECT_EQ(FileText(program_ / "datapfad.dat"), other.string() + "\r\n");
  EXPECT_TRUE(mainWindow.isVisible());  // the close is queued
  QApplication::processEvents();
  EXPECT_FALSE(mainWindow.isVisible());
  EXPECT_EQ(app_.m_Settings.m_DataFolder, data_);  // this run keeps its folder
}

TEST_F(SettingsDialogs, MovingWithAPlantOpenRewritesThePlantsFolderFile) {
  app_.PlantIdentity.plantKey = "WEST";
  platform::CreateFolder(program_ / "werkeauswahl");
  const fs::path plantFile = program_ / "werkeauswahl" / "WEST_datapfad.dat";
  const fs::path otherPlant = program_ / "werkeauswahl" / "OST_datapfad.dat";
  ASSERT_TRUE(platform::WriteTextFile(plantFile, data_.string() + "\n"));
  ASSERT_TRUE(platform::WriteTextFile(otherPlant, "/anderswo\n"));
  const fs::path other = OtherDataFolder();
  // Only the sound copy of an interrupted save: accepted as the start accepts it.
  platform::DeleteFile(other / kRecordFileName);
  platform::CopyFile(kRecordFolders / "tmp_only" / kRecordTempFileName, other / kRecordTempFileName);

  platform::TestUi ui;
  ui.ExpectFileDialog(other / kRecordFileName);
  ui.ExpectMessageBox(IDYES);
  EXPECT_EQ(ChooseDataFolder(app_, nullptr), DataFolderMove::Moved);
  EXPECT_EQ(FileText(program_ / "datapfad.dat"), other.string() + "\r\n");
  EXPECT_EQ(FileText(plantFile), other.string() + "\r\n");
  EXPECT_EQ(FileText(otherPlant), "/anderswo\r\n");
}

TEST_F(SettingsDialogs, AFileThatCannotBeWrittenIsReportedAndTheProgramStays) {
  QWidget mainWindow;
  mainWindow.show();
  const fs::path other = OtherDataFolder();
  const std::string pointer = FileText(program_ / "datapfad.dat");

  // The plant's file cannot be written: reported, and "datapfad.dat" keeps its folder.
  app_.PlantIdentity.plantKey = "WEST";
  platform::CreateFolder(program_ / "werkeauswahl" / "WEST_datapfad.dat");  // a folder in its place
  {
    platform::TestUi ui;
    ui.ExpectFileDialog(other / kRecordFileName);
    ui.ExpectMessageBox(IDYES);
    ui.ExpectMessageBox(IDOK, "WEST_datapfad.dat");
    EXPECT_EQ(ChooseDataFolder(app_, &mainWindow), DataFolderMove::WriteFailed);
    EXPECT_EQ(ui.shown().back().flags & platform::MB_ICONSTOP, platform::MB_ICONSTOP);
  }
  EXPECT_EQ(FileText(program_ / "datapfad.dat"), pointer);

  // "datapfad.dat" itself cannot be written.
  app_.PlantIdentity.plantKey.clear();
  platform::DeleteFile(program_ / "datapfad.dat");
  platform::CreateFolder(program_ / "datapfad.dat");
  {
    platform::TestUi ui;
    ui.ExpectFileDialog(other / kRecordFileName);
    ui.ExpectMessageBox(IDYES);
    ui.ExpectMessageBox(IDOK, "datapfad.dat");
    EXPECT_EQ(ChooseDataFolder(app_, &mainWindow), DataFolderMove::WriteFailed);
  }
  QApplication::processEvents();
  EXPECT_TRUE(mainWindow.isVisible());
}

TEST_F(SettingsDialogs, TheDialogsButtonMovesAndEndsTheDialog) {
  const fs::path other = OtherDataFolder();
  const std::string before = Ini();
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    d.Select(1021, "3-fach");
    d.Click(Dlg::kBrowseData);
    EXPECT_TRUE(d.dialog().ended());
  }, IDOK);
  ui.ExpectFileDialog(other / kRecordFileName);
  ui.ExpectMessageBox(IDYES);
  EXPECT_FALSE(RunGeneralSettings(app_, nullptr));
  EXPECT_EQ(FileText(program_ / "datapfad.dat"), other.string() + "\r\n");
  EXPECT_EQ(Ini(), before);
}

TEST_F(SettingsDialogs, DefaultsForNewRecordsRoundTrip) {
  using D = CEinstellungenDlg;
  EXPECT_EQ(LoadNewRecordDefaults(), (NewRecordDefaults{0, 0, 0, 1}));
  {
    platform::TestUi ui;
    ui.ExpectDialog(D::kTemplateId, [](DialogDriver& d) {
      EXPECT_FALSE(d.IsChecked(D::kSumMode));
      EXPECT_TRUE(d.IsChecked(D::kCurveSmooth));
      EXPECT_FALSE(d.IsChecked(D::kCurvePolygon));
      EXPECT_TRUE(d.IsChecked(D::kSievingDry));
      EXPECT_TRUE(d.IsChecked(D::kCrushedSeveral));
      d.Check(D::kSumMode);
      d.Check(D::kCurvePolygon);
      d.Check(D::kSievingWet);
      d.Check(D::kCrushedOne);
      // The pairs are separate choices.
      EXPECT_TRUE(d.IsChecked(D::kCurvePolygon));
      EXPECT_FALSE(d.IsChecked(D::kSievingDry));
    }, IDOK);
    EXPECT_TRUE(RunNewRecordSettings(nullptr));
  }
  EXPECT_EQ(IniValue("Siebungen", "defaultSummenmodus"), "1");
  EXPECT_EQ(IniValue("Siebungen", "defaultKurvenverlauf"), "1");
  EXPECT_EQ(IniValue("Siebungen", "defaultTrockenNass"), "1");
  EXPECT_EQ(IniValue("Bruchflaechigkeit", "BrechnungModus"), "0");

  // Shown again as stored; Cancel writes nothing.
  const std::string before = Ini();
  platform::TestUi ui;
  ui.ExpectDialog(D::kTemplateId, [](DialogDriver& d) {
    EXPECT_TRUE(d.IsChecked(D::kSumMode));
    EXPECT_TRUE(d.IsChecked(D::kCurvePolygon));
    EXPECT_TRUE(d.IsChecked(D::kSievingWet));
    EXPECT_TRUE(d.IsChecked(D::kCrushedOne));
    d.Check(D::kCrushedSeveral);
  }, IDCANCEL);
  EXPECT_FALSE(RunNewRecordSettings(nullptr));
  EXPECT_EQ(Ini(), before);
}
