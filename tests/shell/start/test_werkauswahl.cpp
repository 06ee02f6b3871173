// The plant selection: the "configmap.dat" format, the plant list, order and
// sorting, and the dialog driven through the scripted UI seam at start-up.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTreeWidget>

#include "platform/datetime.h"
#include "platform/files.h"
#include "platform/textfile.h"
#include "services/pravikapp.h"
#include "shell/start/werkauswahl.h"
#include "shell/start/werkauswahldlg.h"
#include "support/scripted_ui_gtest.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;
using platform::DialogDriver;
using platform::IDCANCEL;
using platform::IDOK;

namespace {

constexpr int kPlantDialog = 538;
const std::string kGrad = "\xB0";  // the separators as the file holds them
const std::string kEuro = "\x80";

std::string Bytes(const fs::path& file) { return platform::ReadFileBytes(file).value_or("<missing>"); }

std::vector<std::string> Keys(const PlantSelection& s) {
  std::vector<std::string> keys;
  for (const auto& row : s.Rows()) keys.push_back(row.plantKey);
  return keys;
}

// A program folder with "werk.dat" (plants A, B, C) and data folders for A and B.
class PlantFolder : public ::testing::Test {
 protected:
  TempFolder program;
  fs::path Sel() const { return program.path() / "werkeauswahl"; }
  fs::path Data(const std::string& name) const { return program.path() / ("data_" + name); }
  void SetUp() override {
    fs::copy_file(fs::path(PRAVIK_FIXTURES) / "werkauswahl" / "werk.dat", program / "werk.dat");
    fs::create_directories(Sel());
    for (const std::string key : {"A", "B"}) {
      fs::create_directories(Data(key));
      ASSERT_TRUE(platform::WriteTextFile(Sel() / (key + "_datapfad.dat"), Data(key).string() + "\n"));
    }
    ASSERT_TRUE(platform::WriteTextFile(program / "datapfad.dat", Data("A").string() + "\n"));
  }
  void WriteMap(const std::string& bytes) { ASSERT_TRUE(platform::WriteFileBytes(Sel() / "configmap.dat", bytes)); }
  std::string FirstLine(const fs::path& file) {
    auto lines = platform::ReadTextLines(file);
    return lines && !lines->empty() ? lines->front() : "<none>";
  }
  int RowOf(const PlantSelection& s, const std::string& key) {
    const auto keys = Keys(s);
    return static_cast<int>(std::find(keys.begin(), keys.end(), key) - keys.begin());
  }
};

CWerkauswahlDlg& Dlg(DialogDriver& d) { return static_cast<CWerkauswahlDlg&>(d.dialog()); }

}  // namespace

TEST(ConfigMapText, ReadsAndWritesTheSeparators) {
  const struct {
    const char* name;
    std::string line;
    std::vector<std::pair<std::string, std::string>> pairs;
  } cases[] = {
      {"two pairs", "REIHENFOLGE°B,A€LASTLAUNCH_A°202501311530", {{"REIHENFOLGE", "B,A"}, {"LASTLAUNCH_A", "202501311530"}}},
      {"stops at an empty piece", "X°1€€Y°2", {{"X", "1"}}},
      {"piece without separator passed over", "Z€X°1", {{"X", "1"}}},
      {"later pair wins", "X°1€X°2", {{"X", "2"}}},
      {"value keeps later degree signs", "X°a°b", {{"X", "a°b"}}},
      {"line end removed, blank of the last value kept", "X°1 \r\n", {{"X", "1 "}}},
  };
  for (const auto& c : cases) {
    ConfigMap map;
    TextToMap(c.line, map);
    EXPECT_EQ(map.Pairs(), c.pairs) << c.name;
  }
  ConfigMap map;
  map.Set("A°", "x€y");
  map.Set("B", "");
  EXPECT_EQ(MapToText(map), "A °x y€B°");
}

TEST(PlantList, ReadsKeyNumberNameAndOperator) {
  const auto plants = ParsePlantList("A|11|Nord|7|Muster\n\n|x|ohne Schlüssel\nA|99|doppelt\nB|12|Süd\n");
  ASSERT_EQ(plants.size(), 2u);
  EXPECT_EQ(plants[0].plantKey, "A");
  EXPECT_EQ(plants[0].plantNumber, "11");
  EXPECT_EQ(plants[0].plantName, "Nord");
  EXPECT_EQ(plants[0].operatorNumber, "7");
  EXPECT_EQ(plants[0].operatorName, "Muster");
  EXPECT_EQ(plants[1].plantName, "Süd");
  EXPECT_EQ(plants[1].operatorName, "");
  EXPECT_EQ(FormatLastLaunch("202501311530"), "2025-01-31 15:30");
  EXPECT_EQ(FormatLastLaunch("2025013115"), "2025013115");
}

TEST_F(PlantFolder, ConfigMapRoundTripsSeparatorsAndUnknownKeys) {
  const std::string line = "FREMD" + kGrad + "Wert mit " + "\xE4" + kEuro + "REIHENFOLGE" + kGrad + "C,B,A" + kEuro +
                           "LASTLAUNCH_B" + kGrad + "202501311530" + kEuro + "ANDERES" + kGrad + "1,2";
  WriteMap(line + "\r\n");
  PlantSelection s(program.path());
  ASSERT_TRUE(s.Load());
  EXPECT_EQ(s.Map().Get("FREMD"), "Wert mit ä");
  EXPECT_EQ(s.Rows()[RowOf(s, "B")].lastLaunch, "202501311530");
  ASSERT_TRUE(s.SaveOnClose());
  EXPECT_EQ(Bytes(Sel() / "configmap.dat"), line + "\r\n");
}

TEST_F(PlantFolder, SavedOrderComesFirstThenTheRest) {
  WriteMap("REIHENFOLGE" + kGrad + "B,X,A\r\n");
  PlantSelection s(program.path());
  ASSERT_TRUE(s.Load());
  EXPECT_EQ(Keys(s), (std::vector<std::string>{"B", "A", "C"}));
  EXPECT_EQ(s.Rows()[RowOf(s, "C")].dataFolder, "");
  EXPECT_EQ(s.Rows()[RowOf(s, "A")].dataFolder, Data("A").string());
}

TEST_F(PlantFolder, HeaderClicksAlternateAndTheSortedOrderIsSavedAtClose) {
  WriteMap("REIHENFOLGE" + kGrad + "B,C,A\r\n");
  PlantSelection s(program.path());
  ASSERT_TRUE(s.Load());
  s.SortByColumn(1);  // plant names: Kieswerk Nord (A), Kieswerk Süd (B), Steinbruch Ost (C)
  EXPECT_EQ(Keys(s), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(s.Map().Get("REIHENFOLGE"), "B,C,A");  // the own order, saved as sorting began
  s.SortByColumn(2);  // operator names descending: Stein AG, Muster GmbH (x2, stable)
  EXPECT_EQ(Keys(s), (std::vector<std::string>{"C", "A", "B"}));
  s.SortByColumn(0);
  EXPECT_EQ(Keys(s), (std::vector<std::string>{"A", "B", "C"}));
  s.RestoreOwnOrder();
  EXPECT_EQ(Keys(s), (std::vector<std::string>{"B", "C", "A"}));
  s.SortByColumn(0);  // descending now
  ASSERT_TRUE(s.SaveOnClose());
  EXPECT_EQ(FirstLine(Sel() / "configmap.dat"), "REIHENFOLGE°C,B,A");
}

TEST_F(PlantFolder, FolderOfAnotherPlantIsRefusedAsTheSamePlace) {
  PlantSelection s(program.path());
  ASSERT_TRUE(s.Load());
  int other = -1;
  const std::string spelledOtherwise = (program.path() / "." / "data_B" / "").string();
  EXPECT_EQ(s.SetDataFolder(RowOf(s, "C"), spelledOtherwise, &other), PlantSelection::FolderResult::UsedByOther);
  EXPECT_EQ(other, RowOf(s, "B"));
  EXPECT_FALSE(platform::FileExists(Sel() / "C_datapfad.dat"));
  EXPECT_EQ(s.SetDataFolder(RowOf(s, "B"), spelledOtherwise), PlantSelection::FolderResult::Unchanged);
}

TEST_F(PlantFolder, WithoutPlantsNothingIsShownOrWritten) {
  const std::string map = "REIHENFOLGE" + kGrad + "B,A" + kEuro + "LASTLAUNCH_A" + kGrad + "202401010800\r\n";
  WriteMap(map);
  for (const std::string& content : {std::string("<none>"), std::string("\r\n\r\n")}) {
    if (content == "<none>") fs::remove(program / "werk.dat");
    else ASSERT_TRUE(platform::WriteFileBytes(program / "werk.dat", content));
    platform::TestUi ui;  // expects no window at all
    CPravikWinApp app;
    EXPECT_EQ(RunPlantSelection(app, program.path()), PlantSelectionResult::NoPlants);
    EXPECT_EQ(Bytes(Sel() / "configmap.dat"), map);
    EXPECT_EQ(FirstLine(program / "datapfad.dat"), Data("A").string());
    EXPECT_EQ(app.PlantIdentity.plantNumber, "");
  }
}

TEST_F(PlantFolder, DialogGivesAPlantItsFolderAndOpensIt) {
  platform::SetClockOverride(1738333800);  // 2025-01-31 15:30 UTC
  const std::string stamp = platform::FormatLocalTime("%Y%m%d%H%M", 1738333800);
  fs::create_directories(Data("C"));
  platform::TestUi ui;
  ui.ExpectDialog(kPlantDialog, [&](DialogDriver& d) {
    CWerkauswahlDlg& dlg = Dlg(d);
    QTreeWidget* list = dlg.PlantList();
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_FALSE(d.IsEnabled(IDOK));
    // No saved order: the rows stand in reverse list order.
    EXPECT_EQ(list->topLevelItem(0)->text(1).toStdString(), "Steinbruch Ost (13)");
    EXPECT_EQ(list->topLevelItem(0)->text(2).toStdString(), "Stein AG (8)");
    EXPECT_EQ(list->topLevelItem(0)->text(4).toStdString(), " <-- bitte Datenpfad wählen");
    dlg.SelectRow(0);
    EXPECT_FALSE(d.IsEnabled(IDOK));
    emit list->itemDoubleClicked(list->topLevelItem(0), 1);  // no folder: nothing happens
    EXPECT_FALSE(dlg.ended());
    dlg.OnFolderButton(0);  // the folder dialog below answers
    EXPECT_EQ(list->topLevelItem(0)->text(4).toStdString(), Data("C").string());
    EXPECT_TRUE(d.IsEnabled(IDOK));
    d.Click(1483);  // "runter": C moves below B and stays selected
    EXPECT_EQ(dlg.SelectedRow(), 1);
    EXPECT_EQ(list->topLevelItem(1)->text(0).toStdString(), "C");
    EXPECT_TRUE(d.Press(IDOK));
  }, IDOK);
  ui.ExpectFolderDialog(Data("C"));

  CPravikWinApp app;
  EXPECT_EQ(RunPlantSelection(app, program.path()), PlantSelectionResult::Opened);
  platform::SetClockOverride(std::nullopt);
  EXPECT_EQ(FirstLine(program / "datapfad.dat"), Data("C").string());
  EXPECT_EQ(Bytes(Sel() / "C_datapfad.dat"), Data("C").string() + "\r\n");
  EXPECT_EQ(app.PlantIdentity.plantNumber, "13");
  EXPECT_EQ(app.PlantIdentity.plantName, "Steinbruch Ost");
  EXPECT_EQ(app.PlantIdentity.operatorNumber, "8");
  EXPECT_EQ(app.PlantIdentity.operatorName, "Stein AG");
  EXPECT_EQ(app.PlantIdentity.plantKey, "C");
  EXPECT_EQ(app.m_Settings.m_Plant.plantName, "Steinbruch Ost");
  EXPECT_EQ(FirstLine(Sel() / "configmap.dat"), "LASTLAUNCH_C°" + stamp + "€REIHENFOLGE°B,C,A");
}

TEST_F(PlantFolder, CancelEndsWithoutOpeningButKeepsTheOrder) {
  platform::TestUi ui;
  ui.ExpectDialog(kPlantDialog, IDCANCEL);
  CPravikWinApp app;
  EXPECT_EQ(RunPlantSelection(app, program.path()), PlantSelectionResult::Cancelled);
  EXPECT_EQ(FirstLine(program / "datapfad.dat"), Data("A").string());
  EXPECT_EQ(FirstLine(Sel() / "configmap.dat"), "REIHENFOLGE°C,B,A");
  EXPECT_EQ(app.PlantIdentity.plantName, "");
}

TEST_F(PlantFolder, FailedWritesAreReportedAndTheDialogStaysOpen) {
  // "datapfad.dat" cannot be replaced (a folder stands in its place), and C's
  // own file cannot be written either.
  fs::create_directories(Data("C"));
  fs::create_directories(Sel() / "C_datapfad.dat");
  platform::TestUi ui;
  // The folder in place of C's file is named when the list is read.
  ui.ExpectMessageBox(IDOK, "C_datapfad.dat\nist keine gewöhnliche Datei");
  ui.ExpectDialog(kPlantDialog, [&](DialogDriver& d) {
    CWerkauswahlDlg& dlg = Dlg(d);
    dlg.SelectRow(0);  // C
    dlg.OnFolderButton(0);
    EXPECT_EQ(dlg.PlantList()->topLevelItem(0)->text(4).toStdString(), " <-- bitte Datenpfad wählen");
    EXPECT_FALSE(d.IsEnabled(IDOK));

    fs::remove(program / "datapfad.dat");
    fs::create_directories(program / "datapfad.dat");
    dlg.SelectRow(1);  // B
    EXPECT_FALSE(d.Press(IDOK));
    EXPECT_FALSE(dlg.ended());
    EXPECT_TRUE(d.Press(IDCANCEL));
  }, IDCANCEL);
  ui.ExpectFolderDialog(Data("C"));
  ui.ExpectMessageBox(IDOK, "kann nicht geschrieben werden");
  ui.ExpectMessageBox(IDOK, "kann nicht geöffnet werden");

  CPravikWinApp app;
  EXPECT_EQ(RunPlantSelection(app, program.path()), PlantSelectionResult::Cancelled);
  EXPECT_EQ(app.PlantIdentity.plantName, "");
  EXPECT_TRUE(fs::is_directory(program / "datapfad.dat"));
  EXPECT_EQ(FirstLine(Sel() / "configmap.dat").find("LASTLAUNCH_B"), std::string::npos);
}

TEST_F(PlantFolder, PlantWhoseFolderFileCannotBeRewrittenDoesNotOpen) {
  // B's file vanished after the list was read and cannot be written back:
  // "datapfad.dat" keeps naming A's folder, and B is not opened.
  PlantSelection s(program.path());
  ASSERT_TRUE(s.Load());
  fs::remove(Sel() / "B_datapfad.dat");
  fs::create_directories(Sel() / "B_datapfad.dat");
  EXPECT_EQ(s.Open(RowOf(s, "B"), "202501311530"), PlantSelection::OpenResult::WriteFailed);
  EXPECT_EQ(FirstLine(program / "datapfad.dat"), Data("A").string());
  EXPECT_FALSE(s.Map().Has("LASTLAUNCH_B"));
}

// The list works from the keyboard as a list view does, and sorting by a
// column keeps the chosen plant chosen.
TEST_F(PlantFolder, KeyboardAndSortingKeepTheChoice) {
  auto key = [](QWidget* target, int code) {
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
  };
  platform::TestUi ui;
  ui.ExpectDialog(kPlantDialog, [&](DialogDriver& d) {
    CWerkauswahlDlg& dlg = Dlg(d);
    QTreeWidget* list = dlg.PlantList();
    ASSERT_EQ(list->topLevelItemCount(), 3);  // C (no folder), B, A
    dlg.show();  // laid out as on the screen
    QCoreApplication::processEvents();
    list->setFocus();
    list->setCurrentItem(list->topLevelItem(1), 0, QItemSelectionModel::NoUpdate);  // a focus frame only
    ASSERT_EQ(dlg.SelectedRow(), -1);
    key(list, Qt::Key_Down);  // the first arrow key selects the focused row
    EXPECT_EQ(dlg.SelectedRow(), 1);
    EXPECT_TRUE(d.IsEnabled(IDOK));
    key(list, Qt::Key_Up);
    EXPECT_EQ(dlg.SelectedRow(), 0);
    EXPECT_FALSE(d.IsEnabled(IDOK));  // C has no folder
    key(list, Qt::Key_Down);
    key(list, Qt::Key_Down);
    EXPECT_EQ(dlg.SelectedRow(), 2);
    key(list, Qt::Key_Down);  // stays on the last row
    EXPECT_EQ(dlg.SelectedRow(), 2);
    key(list, Qt::Key_Home);
    EXPECT_EQ(dlg.SelectedRow(), 0);
    key(list, Qt::Key_End);
    EXPECT_EQ(dlg.SelectedRow(), 2);
    const std::string chosen = list->topLevelItem(2)->text(0).toStdString();

    for (int column : {1, 1, 2}) {  // the chosen plant stays chosen, wherever it moves
      SCOPED_TRACE(column);
      dlg.OnColumnClickPlantList(column);
      ASSERT_GE(dlg.SelectedRow(), 0);
      EXPECT_EQ(list->topLevelItem(dlg.SelectedRow())->text(0).toStdString(), chosen);
      EXPECT_EQ(list->currentItem(), list->topLevelItem(dlg.SelectedRow()));
      EXPECT_TRUE(d.IsEnabled(IDOK));
    }
    d.Click(1484);  // back to the own order
    EXPECT_EQ(list->topLevelItem(dlg.SelectedRow())->text(0).toStdString(), chosen);

    key(list, Qt::Key_Return);  // opens the selected plant
    EXPECT_TRUE(dlg.ended());
  }, IDOK);
  CPravikWinApp app;
  EXPECT_EQ(RunPlantSelection(app, program.path()), PlantSelectionResult::Opened);
  EXPECT_EQ(FirstLine(program / "datapfad.dat"), Data("A").string());
}
