// The customer dialogs driven as a user would through the scripted UI seam,
// and the application's side: the start-up merge and command 9002.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTreeWidget>
#include <fstream>
#include <functional>

#include "fixtures/customers/customer_testing.h"
#include "services/pravikapp.h"
#include "services/customers/customerdlg.h"
#include "support/scripted_ui_gtest.h"
#include "support/stubs.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;
using namespace customer_testing;
using platform::DialogDriver;
using platform::IDCANCEL;
using platform::IDNO;
using platform::IDOK;
using platform::IDYES;

namespace {

const char kSaveQuestion[] = "Änderungen speichern?";
const char kCannotSave[] = "kann nicht gespeichert werden";
const char kCannotRead[] = "kann nicht gelesen werden";

QTreeWidget* List(DialogDriver& d) { return d.dialog().Item<QTreeWidget>(101); }

std::vector<std::string> ListNames(DialogDriver& d) {
  std::vector<std::string> names;
  QTreeWidget* list = List(d);
  for (int i = 0; i < list->topLevelItemCount(); ++i) names.push_back(list->topLevelItem(i)->text(0).toStdString());
  return names;
}

std::string SelectedName(DialogDriver& d) {
  QTreeWidgetItem* item = List(d)->currentItem();
  return item && item->isSelected() ? item->text(0).toStdString() : "";
}

QTreeWidgetItem* Row(DialogDriver& d, const std::string& name) {
  const auto found = List(d)->findItems(QString::fromStdString(name), Qt::MatchExactly, 0);
  if (found.isEmpty()) ADD_FAILURE() << "no row " << name;
  return found.isEmpty() ? nullptr : found.front();
}

void SelectRow(DialogDriver& d, const std::string& name) {
  if (QTreeWidgetItem* item = Row(d, name)) List(d)->setCurrentItem(item);
}

// The first click of a double click selects the row.
void DoubleClickRow(DialogDriver& d, const std::string& name) {
  if (QTreeWidgetItem* item = Row(d, name)) {
    List(d)->setCurrentItem(item);
    emit List(d)->itemDoubleClicked(item, 0);
  }
}

// The name dialog as it should open, then the name typed into it.
std::function<void(DialogDriver&)> TypeName(std::string caption, std::string shown, std::string typed) {
  return [=](DialogDriver& d) {
    EXPECT_EQ(d.dialog().windowTitle().toStdString(), caption);
    EXPECT_EQ(d.Text(8001), shown);
    d.SetText(8001, typed);
  };
}

std::vector<std::string> FixtureNames() { return {std::begin(kFixtureNames), std::end(kFixtureNames)}; }

}  // namespace

TEST(CustomerDialog, AddsRenamesDeletesAndSavesWhenClosed) {
  TempFolder dir;
  const fs::path file = CopyOfFixture(dir.path());
  PinnedClock clock(2025, 2, 3, 14, 5, 9);
  CustomerList customers(file, "12", "7");

  platform::TestUi ui;
  ui.ExpectDialog(592, [&](DialogDriver& d) {
    EXPECT_EQ(d.dialog().windowTitle().toStdString(), "Kundenverwaltung");
    EXPECT_EQ(List(d)->headerItem()->text(0).toStdString(), "Kundenbezeichung");
    EXPECT_TRUE(List(d)->isColumnHidden(1));
    EXPECT_FALSE(List(d)->header()->sectionsClickable());
    EXPECT_EQ(ListNames(d), FixtureNames());

    d.Click(1174);
    EXPECT_EQ(SelectedName(d), "Kieswerk Nord");
    DoubleClickRow(d, "meier Tiefbau");
    SelectRow(d, "Autobahnmeisterei Süd");
    d.Click(1068);  // No
    d.Click(1068);  // Yes
    EXPECT_EQ(ListNames(d), (std::vector<std::string>{"Bauunternehmung Groß & Söhne, Köln", "Kieswerk Nord",
                                                      "Meier Tiefbau GmbH", "Müller Straßenbau GmbH",
                                                      "Zementwerk Nord € 100"}));
  });
  ui.ExpectDialog(533, TypeName("neuer Kunde", "", "  Kieswerk Nord  "));
  ui.ExpectDialog(533, TypeName("Kundenbezeichung ändern", "meier Tiefbau", "Meier Tiefbau GmbH"));
  ui.ExpectMessageBox(IDNO, "Kunde 'Autobahnmeisterei Süd' wirklich löschen?");
  ui.ExpectMessageBox(IDYES, "Kunde 'Autobahnmeisterei Süd' wirklich löschen?");
  ui.ExpectMessageBox(IDYES, kSaveQuestion);

  CKundenVerwaltungDlg dlg(customers);
  EXPECT_EQ(dlg.DoModal(), IDOK);

  ASSERT_EQ(ui.shown().size(), 6u);
  EXPECT_EQ(ui.shown()[3].title, "Kunde löschen");
  EXPECT_EQ(ui.shown()[3].flags, platform::MB_YESNOCANCEL | platform::MB_ICONQUESTION);
  EXPECT_EQ(ui.shown()[5].title, kSaveQuestion);
  EXPECT_EQ(ui.shown()[5].flags, platform::MB_YESNOCANCEL | platform::MB_ICONQUESTION);
  EXPECT_EQ(Bytes(file),
            "VERSION=001\r\nDATA_START\r\n"
            "~240305141516-12-7$~Bauunternehmung Gro\xdf & S\xf6hne, K\xf6ln$\r\n"
            "~250203140509-12-7$~Kieswerk Nord$\r\n"
            "~190730080000-12-7$~Meier Tiefbau GmbH$\r\n"
            "~210101000000-3-1$~M\xfcller Stra\xdf" "enbau GmbH$\r\n"
            "~220202020202-12-7$~Zementwerk Nord \x80 100$\r\n"
            "DATA_STOP\r\n");
}

TEST(CustomerDialog, SaveButtonSavesChangesOnlyAndClosingThenAsksNothing) {
  TempFolder dir;
  const fs::path file = CopyOfFixture(dir.path());
  const ino_t untouched = FileIdentity(file);
  CustomerList customers(file, "12", "7");

  platform::TestUi ui;
  ui.ExpectDialog(592, [&](DialogDriver& d) {
    d.Click(1179);  // nothing changed: the file stays as it is
    EXPECT_EQ(FileIdentity(file), untouched);
    d.Click(1175);  // no row selected: no dialog
    SelectRow(d, "Zementwerk Nord € 100");
    d.Click(1175);
    d.Click(1179);
    EXPECT_NE(Bytes(file).find("~220202020202-12-7$~Zementwerk S\xfc" "d$\r\n"), std::string::npos);
  });
  ui.ExpectDialog(533, TypeName("Kundenbezeichung ändern", "Zementwerk Nord € 100", "Zementwerk Süd"));

  CKundenVerwaltungDlg dlg(customers);
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_FALSE(customers.changed());
}

TEST(CustomerDialog, RefusesNamesThatWouldBreakTheFileAndIgnoresBlankOnes) {
  TempFolder dir;
  const fs::path file = CopyOfFixture(dir.path());
  CustomerList customers(file, "12", "7");

  platform::TestUi ui;
  ui.ExpectDialog(592, [&](DialogDriver& d) {
    d.Click(1174);  // a blank new name adds nothing
    SelectRow(d, "meier Tiefbau");
    d.Click(1175);  // a blank new name for a customer keeps the old one
    SelectRow(d, "meier Tiefbau");
    d.Click(1175);
    EXPECT_EQ(ListNames(d)[2], "Meier & Co");
  });
  ui.ExpectDialog(533, TypeName("neuer Kunde", "", "   "));
  ui.ExpectDialog(533, TypeName("Kundenbezeichung ändern", "meier Tiefbau", ""));
  ui.ExpectDialog(533, [](DialogDriver& d) {
    d.SetText(8001, "Meier $ Co");
    EXPECT_FALSE(d.Press(IDOK));  // refused, the dialog stays open
    d.SetText(8001, "Meier ~ Co");
    EXPECT_FALSE(d.Press(IDOK));
    // A record would spell it "Meier # Co": one customer, two spellings.
    d.SetText(8001, "Meier | Co");
    EXPECT_FALSE(d.Press(IDOK));
    d.SetText(8001, "Meier & Co");
  });
  for (int i = 0; i < 3; ++i) ui.ExpectMessageBox(IDOK, "'$', '~' und '|'");
  ui.ExpectMessageBox(IDYES, kSaveQuestion);

  CKundenVerwaltungDlg dlg(customers);
  dlg.DoModal();
  EXPECT_EQ(ui.shown()[4].flags, platform::MB_OK | platform::MB_ICONWARNING);
  EXPECT_NE(Bytes(file).find("~190730080000-12-7$~Meier & Co$"), std::string::npos);
}

TEST(CustomerDialog, AFailedSaveIsReportedAndTheDialogStaysOpen) {
  TempFolder dir;
  CustomerList customers(dir.path() / "gone" / kCustomerFileName, "12", "7");

  platform::TestUi ui;
  ui.ExpectDialog(592, [&](DialogDriver& d) {
    d.Click(1174);
    EXPECT_FALSE(d.Press(IDOK));  // Cancel in the question
    EXPECT_FALSE(d.Press(IDOK));  // Yes, and the save fails
    d.Click(1179);                // fails again
    EXPECT_EQ(ListNames(d), (std::vector<std::string>{"Neu"}));
  }, IDCANCEL);
  ui.ExpectDialog(533, TypeName("neuer Kunde", "", "Neu"));
  ui.ExpectMessageBox(IDCANCEL, kSaveQuestion);
  ui.ExpectMessageBox(IDYES, kSaveQuestion);
  ui.ExpectMessageBox(IDOK, kCannotSave);
  ui.ExpectMessageBox(IDOK, kCannotSave);
  ui.ExpectMessageBox(IDNO, kSaveQuestion);  // Escape asks too; No closes

  CKundenVerwaltungDlg dlg(customers);
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(ui.shown()[4].flags, platform::MB_OK | platform::MB_ICONSTOP);
  EXPECT_NE(ui.shown()[4].text.find((dir.path() / "gone" / kCustomerFileName).string()), std::string::npos);
}

TEST(CustomerDialog, AnUnreadableFileIsReportedAndNotSavedOver) {
  TempFolder dir;
  const fs::path file = dir.path() / kCustomerFileName;
  std::ofstream(file, std::ios::binary) << "VERSION=001\r\n~1$~Meier$\r\n";
  CustomerList customers(file, "12", "7");

  platform::TestUi ui;
  ui.ExpectDialog(592, [&](DialogDriver& d) {
    EXPECT_TRUE(ListNames(d).empty());
    d.Click(1174);
    d.Click(1179);
  }, IDCANCEL);
  ui.ExpectMessageBox(IDOK, kCannotRead);  // while the dialog opens
  ui.ExpectDialog(533, TypeName("neuer Kunde", "", "Neu"));
  ui.ExpectMessageBox(IDOK, kCannotSave);
  ui.ExpectMessageBox(IDNO, kSaveQuestion);

  CKundenVerwaltungDlg dlg(customers);
  dlg.DoModal();
  EXPECT_EQ(Bytes(file), "VERSION=001\r\n~1$~Meier$\r\n");
}

TEST(CustomerCommand, ManagesTheDataFoldersListAndRereadsItIntoTheMap) {
  TempFolder dir;
  const fs::path file = CopyOfFixture(dir.path());
  PinnedClock clock(2025, 2, 3, 14, 5, 9);
  CPravikWinApp app;
  app.m_Settings.m_DataFolder = dir.path();
  app.PlantIdentity.operatorNumber = "12";
  app.PlantIdentity.plantNumber = "7";
  // Made in this second elsewhere: the new customer must not take its ID.
  app.CustomerNameMap = {{"250203140509-12-7", "Aus einem Datensatz"}};
  MergeCustomerList(app);
  ASSERT_EQ(app.CustomerNameMap.size(), 6u);

  platform::TestUi ui;
  ui.ExpectDialog(592, [&](DialogDriver& d) {
    d.Click(1174);
    SelectRow(d, "meier Tiefbau");
    d.Click(1068);
  });
  ui.ExpectDialog(533, TypeName("neuer Kunde", "", "Kieswerk Nord"));
  ui.ExpectMessageBox(IDYES, "Kunde 'meier Tiefbau' wirklich löschen?");
  ui.ExpectMessageBox(IDYES, kSaveQuestion);
  RunCustomerManagement(app);

  EXPECT_EQ(app.CustomerNameMap.at("250203140510-12-7"), "Kieswerk Nord");
  EXPECT_EQ(app.CustomerNameMap.at("250203140509-12-7"), "Aus einem Datensatz");
  // Gone from the file, still known for the rest of the run.
  EXPECT_EQ(Bytes(file).find("meier"), std::string::npos);
  EXPECT_EQ(app.CustomerNameMap.at("190730080000-12-7"), "meier Tiefbau");
}

TEST(CustomerCommand, StartUpMergeReportsWhatItCannotReadOrWrite) {
  TempFolder dir;
  CPravikWinApp app;
  app.CustomerNameMap = {{"1", "Eins"}};

  app.m_Settings.m_DataFolder = dir.path();
  const fs::path file = dir.path() / kCustomerFileName;
  std::ofstream(file, std::ios::binary) << "kaputt\r\n";
  {
    platform::TestUi ui;
    ui.ExpectMessageBox(IDOK, kCannotRead);
    MergeCustomerList(app);
    EXPECT_EQ(ui.shown().at(0).flags, platform::MB_OK | platform::MB_ICONSTOP);
  }
  EXPECT_EQ(Bytes(file), "kaputt\r\n");

  app.m_Settings.m_DataFolder = dir.path() / "gone";
  {
    platform::TestUi ui;
    ui.ExpectMessageBox(IDOK, kCannotSave);
    MergeCustomerList(app);
  }

  fs::remove(file);
  app.m_Settings.m_DataFolder = dir.path();
  {
    platform::TestUi ui;  // a sound merge says nothing
    MergeCustomerList(app);
  }
  EXPECT_EQ(Bytes(file), "VERSION=001\r\nDATA_START\r\n~1$~Eins$\r\nDATA_STOP\r\n");
}
