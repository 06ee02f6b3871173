// The new-record dialog and the main view's record commands on the fixture
// data folder with a small "material_def.dat": the checks of OK in their
// order, the two material lists, reassignment, duplicate, the context menu,
// material extraction and the raw record editor.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "controls/materiallistctrl.h"
#include "fixtures/dlgbase/english_language.h"
#include "platform/commands.h"
#include "platform/datetime.h"
#include "platform/files.h"
#include "records/matdef_file.h"
#include "records/newrecord.h"
#include "records/recordfile.h"
#include "records/strutil.h"
#include "services/appflags.h"
#include "services/pravikdoc.h"
#include "shell/mainview/mainview_testing.h"
#include "shell/records/debugdlg.h"
#include "shell/records/dublizierendlg.h"
#include "shell/records/neudlg.h"
#include "support/scripted_ui_gtest.h"

namespace {

namespace fs = std::filesystem;
using platform::DialogDriver;
using platform::IDCANCEL;
using platform::IDOK;
using Neu = CNeuDlg;

const fs::path kMaterials = fs::path(PRAVIK_FIXTURES) / "newrecord" / "material_def.dat";

// Column 1 (the name) of every row of a material list; headings too.
std::vector<std::string> Names(const CMaterialListCtrl& list) {
  std::vector<std::string> names;
  for (int row = 0; row < list.GetItemCount(); ++row) names.push_back(list.GetItemText(row, 1));
  return names;
}

class RecordCommands : public MainViewTesting {
 protected:
  void SetUp() override {
    MainViewTesting::SetUp();
    SetEditAllowed(true);
    fs::create_directories(folder_ / "matdef");
    fs::copy_file(kMaterials, MaterialDefFilePath(folder_.path()));
    app_.PlantIdentity = {"12", "Schotterwerke Südbaden", "34", "Kieswerk Mühlhausen"};
    doc_ = std::make_unique<CPravikDoc>();
    ASSERT_TRUE(doc_->OnNewDocument());
    view_ = std::make_unique<CForm1View>(doc_.get());
    view_->resize(1400, 700);
    view_->OnInitialUpdate();
    view_->RegisterCommands(commands_);
  }
  void TearDown() override {
    view_.reset();
    platform::SetClockOverride(std::nullopt);
  }

  CRecordListModel& model() { return *view_->model(); }
  int Row(const std::string& number, int nth = 0) { return RowOf(model(), number, nth); }
  CVersuch& At(int row) { return *model().RecordAt(row); }
  void Select(const std::vector<int>& rows, int focus = -1) { SelectRows(*view_, rows, focus); }
  void PressNewRecord() { view_->button(CForm1View::kNewRecordButton)->click(); }
  bool NumbersDescending() {
    std::vector<std::string> numbers;
    for (int row = 0; row < model().RecordCount(); ++row) numbers.push_back(At(row).GetValue(1, 0));
    return std::is_sorted(numbers.begin(), numbers.end(), std::greater<>());
  }

  const CVersuch* OnDisk(const std::string& number, int field = 1) {
    disk_.clear();
    EXPECT_TRUE(LoadRecordFile(disk_, folder_.path()));
    for (const auto& record : disk_)
      if (record->GetValue(field, 0) == number) return record.get();
    return nullptr;
  }
  std::string DataBytes() const { return platform::ReadFileBytes(folder_ / "data.db").value_or(""); }

  std::unique_ptr<CPravikDoc> doc_;
  std::unique_ptr<CForm1View> view_;
  platform::CommandTable commands_;
  RecordList disk_;
};

// ------------------------------------------------------------ the new-record dialog

TEST_F(RecordCommands, OkChecksTheNumberThenTheMaterial) {
  const int before = model().RecordCount();
  platform::TestUi ui;
  ui.ExpectDialog(Neu::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.Text(Neu::kPrefix), "12-34-");
    EXPECT_EQ(d.Text(Neu::kPlantName), "Kieswerk Mühlhausen");
    EXPECT_EQ(d.Text(Neu::kOperatorName), "Schotterwerke Südbaden");
    EXPECT_FALSE(d.Press(IDOK));  // no number (and no material): the number first
    d.SetText(Neu::kNumberEdit, "0002");
    EXPECT_FALSE(d.Press(IDOK));  // 12-34-0002 exists
    d.SetText(Neu::kNumberEdit, "0099");
    EXPECT_FALSE(d.Press(IDOK));  // no material
    d.Select(Neu::kDefinedList, "Sand 0/2");
  }, IDOK);
  ui.ExpectMessageBox(IDOK, "Es muss noch eine Prüfnummer angegeben werden!");
  ui.ExpectMessageBox(IDOK, "Die Prüfnummer ist bereits vergeben!");
  ui.ExpectMessageBox(IDOK, "Ein Material muss ausgewählt sein!");
  PressNewRecord();
  ui.VerifyAllShown();
  ASSERT_EQ(ui.shown().size(), 4u);
  EXPECT_EQ(ui.shown()[1].title, "Prüfnummer fehlt");
  EXPECT_EQ(ui.shown()[1].flags & platform::MB_ICONMASK, platform::MB_ICONSTOP);
  EXPECT_EQ(ui.shown()[2].title, "Prüfnummer");
  EXPECT_EQ(ui.shown()[3].title, "Material auswählen");
  EXPECT_EQ(model().RecordCount(), before + 1);
  EXPECT_EQ(Ini("neudlg", "tab"), "0");  // written at every attempt
  const CVersuch* saved = OnDisk("12-34-0099");
  ASSERT_NE(saved, nullptr);
  EXPECT_EQ(saved->GetValue(18, 0), "Sand 0/2");
}

TEST_F(RecordCommands, AnyTextTypedOrPastedIntoTheNumberIsFiltered) {
  platform::TestUi ui;
  ui.ExpectDialog(Neu::kTemplateId, [](DialogDriver& d) {
    d.SetText(Neu::kNumberEdit, "ab|1 2");  // a "|" would shift every basic-data part
    EXPECT_EQ(d.Text(Neu::kNumberEdit), "AB12");
    d.Select(Neu::kDefinedList, "Sand 0/2");
  }, IDOK);
  PressNewRecord();
  const CVersuch* saved = OnDisk("12-34-AB12");
  ASSERT_NE(saved, nullptr);
  EXPECT_EQ(saved->GetValue(1, 15), "34");
  EXPECT_EQ(saved->GetValue(1, 18), "Schotterwerke Südbaden");
}

TEST_F(RecordCommands, TheListsHoldTheirDefinitionsAndHeadings) {
  platform::TestUi ui;
  ui.ExpectDialog(Neu::kTemplateId, [](DialogDriver& d) {
    auto& dlg = static_cast<CNeuDlg&>(d.dialog());
    EXPECT_EQ(Names(*dlg.definedList()),
              (std::vector<std::string>{"Schotter 0/32 Trockensiebung", "Nasssiebung Kies 2/8", "Sand 0/2"}));
    const std::vector<std::string> db = Names(*dlg.dbList());
    EXPECT_EQ(db[0], "Gleisschotter Sonderprüfung");  // the file's "-DBDBDB-" lines
    EXPECT_EQ(db[2], " ==== Gleisschotter, neu ====");
    EXPECT_EQ(dlg.dbList()->MatDefAt(2), nullptr);
    EXPECT_TRUE(d.IsVisible(Neu::kDefinedList));
    EXPECT_FALSE(d.IsVisible(Neu::kDbList));
    d.Click(Neu::kDbChoice);
    EXPECT_FALSE(d.IsVisible(Neu::kDefinedList));
    EXPECT_FALSE(d.IsVisible(Neu::kMaterialDefinitionsButton));
    EXPECT_TRUE(d.IsVisible(Neu::kDbList));
    // A double click on a heading does nothing; on a material it is OK.
    dlg.dbList()->SelectOnly(2);
    emit dlg.dbList()->itemDoubleClicked(dlg.dbList()->topLevelItem(2), 1);
    EXPECT_FALSE(dlg.ended());
    d.SetText(Neu::kNumberEdit, "0100");
    dlg.dbList()->SelectOnly(3);
    emit dlg.dbList()->itemDoubleClicked(dlg.dbList()->topLevelItem(3), 1);
    EXPECT_TRUE(dlg.ended());
  }, IDOK);
  PressNewRecord();
  const CVersuch* saved = OnDisk("12-34-0100");
  ASSERT_NE(saved, nullptr);
  EXPECT_TRUE(saved->IsDinEnBallast());
  EXPECT_EQ(Ini("neudlg", "tab"), "1");
  EXPECT_EQ(Ini("spaltenbreiten", "materialListctrl2DB_spalten"), "0;185;86;87;233;100;50;50;50;50;")
      << "the widths of the ten columns";
}

TEST_F(RecordCommands, DefinitionsThatCannotBeReadAreExplained) {
  struct Case {
    const char* name;
    std::function<void()> prepare;
    const char* message;
  } cases[] = {
      {"missing", [this] { fs::remove(MaterialDefFilePath(folder_.path())); },
       "Keine Datei mit selbstdef. Materialien vorhanden!"},
      {"no start marker",
       [this] {
         fs::copy_file(fs::path(PRAVIK_FIXTURES) / "matdef" / "no_start.dat", MaterialDefFilePath(folder_.path()),
                       fs::copy_options::overwrite_existing);
       },
       "Start-Markierung fehlt!"},
      {"unreadable",  // a file whose bytes cannot be read, even by root
       [this] {
         fs::remove(MaterialDefFilePath(folder_.path()));
         fs::create_symlink("/proc/self/mem", MaterialDefFilePath(folder_.path()));
       },
       "kann nicht gelesen werden"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.prepare();
    platform::TestUi ui;
    ui.ExpectDialog(Neu::kTemplateId, [](DialogDriver& d) {
      auto& dlg = static_cast<CNeuDlg&>(d.dialog());
      EXPECT_EQ(dlg.definedList()->GetItemCount(), 0);
      EXPECT_EQ(dlg.dbList()->GetItemCount(), 0);
    }, IDCANCEL);
    ui.ExpectMessageBox(IDOK, c.message);
    PressNewRecord();
    ui.VerifyAllShown();
    ASSERT_EQ(ui.shown().size(), 2u);
    EXPECT_EQ(ui.shown()[1].flags & platform::MB_ICONMASK, platform::MB_ICONWARNING);
  }
}

TEST_F(RecordCommands, TheMaterialDefinitionEditorStartsFromTheProgramFolder) {
  platform::TestUi ui;
  ui.ExpectDialog(Neu::kTemplateId, [](DialogDriver& d) { d.Click(Neu::kMaterialDefinitionsButton); }, IDCANCEL);
  ui.ExpectMessageBox(IDOK, "Externes Programm konnte nicht gestartet werden.");  // no "specora" there
  PressNewRecord();
  ui.VerifyAllShown();

  const fs::path started = folder_ / "started";
  WriteScript(folder_ / "specora", "touch '" + started.string() + "'");
  ui.ExpectDialog(Neu::kTemplateId, [](DialogDriver& d) { d.Click(Neu::kMaterialDefinitionsButton); }, IDCANCEL);
  PressNewRecord();
  EXPECT_TRUE(SpinUntil([&started] { return fs::exists(started); }));
}

TEST_F(RecordCommands, CancelOrAMissingPlantLeavesNoRecord) {
  const std::string before = DataBytes();
  const int count = model().RecordCount();
  {
    platform::TestUi ui;
    ui.ExpectDialog(Neu::kTemplateId, [](DialogDriver& d) {
      d.SetText(Neu::kNumberEdit, "0100");
      d.Select(Neu::kDefinedList, "Sand 0/2");
    }, IDCANCEL);
    PressNewRecord();
  }
  EXPECT_EQ(app_.TestNumberIndex.count("12-34-0100"), 0u);
  {
    app_.PlantIdentity = {};
    platform::TestUi ui;  // no dialog
    ui.ExpectMessageBox(IDOK, "werk.dat");
    PressNewRecord();
    ui.VerifyAllShown();
    ASSERT_EQ(ui.shown().size(), 1u);
    EXPECT_EQ(ui.shown()[0].title, "Error");
    EXPECT_NE(ui.shown()[0].text.find("ist fehlerhaft oder existiert nicht!"), std::string::npos);
  }
  {
    app_.PlantIdentity = {"12", "", "34", ""};
    app_.SieveProgramActive = true;
    platform::TestUi ui;
    ui.ExpectMessageBox(IDOK, "Kornsummenlinienprogramm");
    PressNewRecord();
  }
  EXPECT_EQ(model().RecordCount(), count);
  EXPECT_EQ(DataBytes(), before);
}

// The list is sorted by test number, descending: the new record takes its
// place there, not the focused row's, and the selection moves to it from
// the focused row.
TEST_F(RecordCommands, TheNewRowTakesItsSortedPlaceAndIsSaved) {
  view_->SetSortKey(kSortByColumn, 100);
  ASSERT_TRUE(NumbersDescending());
  const int other = Row("12-34-0002");
  Select({other, Row("12-05-0010")}, Row("12-05-0010"));
  platform::TestUi ui;
  ui.ExpectDialog(Neu::kTemplateId, [](DialogDriver& d) {
    d.SetText(Neu::kNumberEdit, "0100");
    d.Select(Neu::kDefinedList, "Nasssiebung Kies 2/8");
  }, IDOK);
  PressNewRecord();
  EXPECT_TRUE(NumbersDescending());
  const int row = Row("12-34-0100");
  EXPECT_EQ(view_->list()->FocusedRow(), row);
  const std::vector<int> selected = view_->list()->SelectedRows();
  const std::vector<int> expected = {row, Row("12-34-0002")};  // the old focus lost its selection
  EXPECT_EQ(std::set<int>(selected.begin(), selected.end()), std::set<int>(expected.begin(), expected.end()));
  // Its status marks are there at once.
  EXPECT_FALSE(At(row).GetTestStatusList().empty());
  EXPECT_EQ(app_.TestNumberIndex.count("12-34-0100"), 1u);
  const CVersuch* saved = OnDisk("12-34-0100");
  ASSERT_NE(saved, nullptr);
  EXPECT_EQ(saved->GetValue(7, 2), "0");  // wet: the name begins with "Nasssiebung"
  EXPECT_EQ(app_.TestRecordIdIndex.count(saved->GetValue(0, 0)), 1u);
}

TEST_F(RecordCommands, TwoRecordsWithinOneSecondGetTwoIds) {
  platform::SetClockOverride(std::time(nullptr));
  platform::TestUi ui;
  for (const char* number : {"0100", "0101"})
    ui.ExpectDialog(Neu::kTemplateId, [number](DialogDriver& d) {
      d.SetText(Neu::kNumberEdit, number);
      d.Select(Neu::kDefinedList, "Sand 0/2");
    }, IDOK);
  PressNewRecord();
  PressNewRecord();
  const std::string first = OnDisk("12-34-0100")->GetValue(0, 0);
  const std::string second = OnDisk("12-34-0101")->GetValue(0, 0);
  EXPECT_EQ(first, "12-34-" + platform::FormatLocalTime("%y%m%d%H%M%S"));
  EXPECT_EQ(second, "12-34-" + platform::FormatLocalTime("%y%m%d%H%M%S", platform::Now() + 1));
}

// ------------------------------------------------------------ reassignment

// The context menu speaks the program's language, as the main menu does.
TEST_F(RecordCommands, TheContextMenuIsTranslated) {
  const EnglishLanguage english(kShippedEnglishFile);
  const int row = Row("12-34-0002");
  Select({row});
  platform::TestUi ui;
  ui.ExpectPopupMenu(0, [](const platform::PopupMenuRequest& menu) {
    ASSERT_EQ(menu.items.size(), 2u);
    EXPECT_EQ(menu.items[0].text, "&Duplicate");
    EXPECT_EQ(menu.items[1].text, "&Reassign material");
  });
  emit view_->list()->RowRightClicked(row, QPoint(100, 100));
  ui.VerifyAllShown();
}

TEST_F(RecordCommands, ReassignmentOffersTheTowerAndTouchesOnlyTheMaterial) {
  // A record without a test number is no new record: its ID, basic data,
  // statuses and sieving stay.
  const int row = Row("12-34-0002");  // tower 0.063;1;2;4;5.6;8;11.2;16
  CVersuch& record = At(row);
  record.SetField(6, "0.063;2;8|");
  record.SetValue(1, 0, "");
  const CVersuch before = record;
  Select({row});
  platform::TestUi ui;
  ui.ExpectPopupMenu(9216, [](const platform::PopupMenuRequest& menu) {
    ASSERT_EQ(menu.items.size(), 2u);
    EXPECT_EQ(menu.items[0].id, 9213);
    EXPECT_EQ(menu.items[0].text, "&Duplizieren");
    EXPECT_EQ(menu.items[1].id, 9216);
    EXPECT_EQ(menu.items[1].text, "&Material neu zuordnen");
    EXPECT_TRUE(menu.items[0].enabled && menu.items[1].enabled);
  });
  ui.ExpectDialog(Neu::kTemplateId, [](DialogDriver& d) {
    auto& dlg = static_cast<CNeuDlg&>(d.dialog());
    EXPECT_EQ(dlg.windowTitle().toStdString(), "Materialzuordnung ändern");
    EXPECT_FALSE(d.IsEnabled(Neu::kNumberEdit));
    EXPECT_EQ(d.Text(Neu::kPrefix), "");
    EXPECT_EQ(Names(*dlg.definedList()), (std::vector<std::string>{"Nasssiebung Kies 2/8", "Sand 0/2"}));
    d.Select(Neu::kDefinedList, "Sand 0/2");
  }, IDOK);
  emit view_->list()->RowRightClicked(row, QPoint(100, 100));
  ui.VerifyAllShown();
  for (int field : {0, 1, 7, 8, 29}) EXPECT_EQ(record.GetField(field), before.GetField(field)) << field;
  EXPECT_EQ(record.GetValue(18, 0), "Sand 0/2");
  EXPECT_EQ(record.GetField(6), "0.063;2;8|2");
  EXPECT_EQ(StrGetField(record.GetField(30), '|', 4), "Sand 0/2");  // the row shows it
  EXPECT_EQ(Ini("neudlg", "tab"), "<none>");
  // Saved at once: a crash right after loses nothing.
  const CVersuch* saved = OnDisk(record.GetValue(0, 0), 0);
  ASSERT_NE(saved, nullptr);
  EXPECT_EQ(saved->GetValue(18, 0), "Sand 0/2");
}

// ------------------------------------------------------------ duplicate

TEST_F(RecordCommands, DuplicateChecksTheNumberItWillWrite) {
  // The source belongs to plant 07-34 while plant 12-34 is open.
  const int row = Row("07-34-0004");
  Select({row});
  const int count = model().RecordCount();
  platform::TestUi ui;
  ui.ExpectDialog(CDublizierenDlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.Text(CDublizierenDlg::kPrefix), "07-34-");
    EXPECT_FALSE(d.Press(IDOK));
    d.SetText(CDublizierenDlg::kNumberEdit, "0005");  // 07-34-0005 exists (12-34-0005 does not)
    EXPECT_FALSE(d.Press(IDOK));
    d.SetText(CDublizierenDlg::kNumberEdit, "0099");
  }, IDOK);
  ui.ExpectMessageBox(IDOK, "Es muss noch eine Prüfnummer angegeben werden!");
  ui.ExpectMessageBox(IDOK, "Die Prüfnummer ist bereits vergeben!");
  EXPECT_TRUE(commands_.Execute(9213));
  ui.VerifyAllShown();
  ASSERT_EQ(model().RecordCount(), count + 1);
  // In its place by the list's order (test number), not above the source.
  const int copyRow = Row("07-34-0099");
  EXPECT_GT(copyRow, Row("07-34-0005"));
  EXPECT_EQ(Row("07-34-0004") + 1, Row("07-34-0005"));
  const CVersuch& copy = At(copyRow);
  const CVersuch& source = At(Row("07-34-0004"));
  EXPECT_EQ(copy.GetValue(1, 0), "07-34-0099");
  EXPECT_EQ(source.GetValue(1, 0), "07-34-0004");
  EXPECT_EQ(copy.GetValue(0, 0).substr(0, 6), "07-34-");
  EXPECT_NE(copy.GetValue(0, 0), source.GetValue(0, 0));
  EXPECT_EQ(copy.GetValue(1, 9), GetTodayText());
  EXPECT_EQ(copy.GetTestStatusList(), source.GetTestStatusList());
  EXPECT_EQ(copy.GetField(25), source.GetField(25));
  EXPECT_EQ(view_->list()->SelectedRows(), (std::vector<int>{copyRow}));
  EXPECT_EQ(view_->list()->FocusedRow(), copyRow);
  // Saved at once: a crash right after loses nothing.
  const CVersuch* saved = OnDisk("07-34-0099");
  ASSERT_NE(saved, nullptr);
  EXPECT_EQ(saved->GetValue(0, 0), copy.GetValue(0, 0));
}

TEST_F(RecordCommands, ContextMenuAndRules) {
  Select({Row("12-34-0002"), Row("12-05-0003")});
  EXPECT_FALSE(commands_.Update(9213));
  EXPECT_FALSE(commands_.Update(9216));
  EXPECT_TRUE(commands_.Update(9005));
  platform::TestUi ui;
  ui.ExpectPopupMenu(0, [](const platform::PopupMenuRequest& menu) {
    EXPECT_FALSE(menu.items[0].enabled);
    EXPECT_FALSE(menu.items[1].enabled);
  });
  emit view_->list()->RowRightClicked(0, QPoint(10, 10));
  emit view_->list()->RowRightClicked(-1, QPoint(10, 10));  // beside the rows: no menu
  ui.VerifyAllShown();
  Select({});
  EXPECT_FALSE(commands_.Update(9005));
}

// ------------------------------------------------------------ material extraction

TEST_F(RecordCommands, ExtractionReportsAFileThatCannotBeWrittenAndSavesTheRecords) {
  std::vector<std::string> list;
  std::string error;
  ASSERT_TRUE(ReadMaterialDefs(folder_.path(), list, error));
  const std::string known = list[0];  // SDM-250101080000-0001
  std::string older = known;
  StrReplace(older, "Schotter 0/32", "Schotter 0/32 alt");
  At(Row("12-34-0002")).SetField(25, older);
  At(Row("12-05-0003")).SetField(25, "");  // no ID: left alone
  Select({Row("12-34-0002"), Row("12-05-0003"), Row("12-05-0010")});
  const auto file = platform::ReadFileBytes(MaterialDefFilePath(folder_.path()));
  fs::create_directories(folder_ / "matdef" / "material_def.dat.bak" / "keep");

  platform::TestUi ui;
  ui.ExpectMessageBox(IDOK, "konnten nicht in die Datei");
  EXPECT_TRUE(commands_.Execute(9005));
  ui.VerifyAllShown();
  ASSERT_EQ(ui.shown().size(), 1u);
  EXPECT_EQ(ui.shown()[0].flags & platform::MB_ICONMASK, platform::MB_ICONSTOP);
  EXPECT_EQ(platform::ReadFileBytes(MaterialDefFilePath(folder_.path())), file);
  EXPECT_EQ(OnDisk("12-34-0002")->GetField(25), known);
  EXPECT_EQ(OnDisk("12-05-0003")->GetField(25), "");

  // Once the copy can be written, the definition of 12-05-0010 is in the file.
  fs::remove_all(folder_ / "matdef" / "material_def.dat.bak");
  EXPECT_TRUE(commands_.Execute(9005));
  ASSERT_TRUE(ReadMaterialDefs(folder_.path(), list, error));
  EXPECT_EQ(list[6], At(Row("12-05-0010")).GetField(25));

  // A run that finds every definition in place says so and changes nothing.
  const auto extended = platform::ReadFileBytes(MaterialDefFilePath(folder_.path()));
  platform::TestUi again;
  again.ExpectMessageBox(IDOK, "Die Materialdefinition ist bereits definiert.");
  EXPECT_TRUE(commands_.Execute(9005));
  again.VerifyAllShown();
  ASSERT_EQ(again.shown().size(), 1u);
  EXPECT_EQ(again.shown()[0].flags & platform::MB_ICONMASK, platform::MB_ICONINFORMATION);
  EXPECT_EQ(platform::ReadFileBytes(MaterialDefFilePath(folder_.path())), extended);
}

TEST_F(RecordCommands, ReassignmentShowsTheRecordsTestNumber) {
  const int row = Row("12-34-0002");
  Select({row});
  platform::TestUi ui;
  ui.ExpectDialog(Neu::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.Text(Neu::kNumberEdit), "12-34-0002");
    EXPECT_FALSE(d.IsEnabled(Neu::kNumberEdit));
  }, IDCANCEL);
  EXPECT_TRUE(commands_.Execute(9216));
  ui.VerifyAllShown();
}

// ------------------------------------------------------------ raw record editor

TEST_F(RecordCommands, RawEditorOnTheFocusedRowMovesTheKeys) {
  const int row = Row("12-34-0002");
  Select({}, row);  // focused, not selected
  const std::string oldId = At(row).GetValue(0, 0);
  platform::TestUi ui;
  ui.ExpectDialog(CDEBUGDlg::kTemplateId, [](DialogDriver& d) {
    std::string text = d.Text(CDEBUGDlg::kText);
    EXPECT_EQ(StrCountChar(text, '\n'), 33);
    EXPECT_EQ(d.Text(CDEBUGDlg::kNumbersLeft).substr(0, 6), "0\n1\n2\n");
    EXPECT_EQ(StrCountChar(d.Text(CDEBUGDlg::kNumbersRight), '\n'), 31);
    StrReplace(text, "12-34-0002|", "12-34-0777|", false);
    StrReplace(text, "12-34-190101155946", "12-34-190101155947", false);
    d.SetText(CDEBUGDlg::kText, text);
  }, IDOK);
  ui.ExpectDialog(CDEBUGDlg::kTemplateId, [](DialogDriver& d) { d.SetText(CDEBUGDlg::kText, ""); }, IDCANCEL);
  QKeyEvent scrollLock(QEvent::KeyPress, Qt::Key_ScrollLock, Qt::NoModifier);
  QApplication::sendEvent(view_->list(), &scrollLock);
  QApplication::sendEvent(view_->list(), &scrollLock);  // "Ok" takes nothing over
  ui.VerifyAllShown();
  EXPECT_EQ(At(row).GetValue(1, 0), "12-34-0777");
  EXPECT_EQ(StrGetField(At(row).GetField(30), '|', 0), "12-34-0777");
  EXPECT_EQ(app_.TestNumberIndex.count("12-34-0002"), 0u);  // free again
  EXPECT_EQ(app_.TestNumberIndex.count("12-34-0777"), 1u);  // taken
  EXPECT_EQ(app_.TestRecordIdIndex.count(oldId), 0u);
  EXPECT_EQ(app_.TestRecordIdIndex.count("12-34-190101155947"), 1u);
  // Saved at once.
  EXPECT_NE(OnDisk("12-34-0777"), nullptr);
  EXPECT_EQ(OnDisk("12-34-0002"), nullptr);
}

}  // namespace

namespace {

// The printer set-up of the file menu is a set-up, in English too: its own
// caption and an "OK" button, not the print dialog's "Print".
TEST_F(RecordCommands, ThePrinterSetupIsASetupInEnglishToo) {
  const EnglishLanguage english(kShippedEnglishFile);
  platform::TestUi ui;
  ui.ExpectPrintDialog(false);
  EXPECT_TRUE(commands_.Execute(57606));
  ui.VerifyAllShown();
  ASSERT_EQ(ui.shown().size(), 1u);
  EXPECT_EQ(ui.shown()[0].title, "Printer setup");
  EXPECT_EQ(ui.shown()[0].text, "OK");
}

}  // namespace
