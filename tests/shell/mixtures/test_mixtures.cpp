// The mixture management on temporary folders: the listing without the
// hand-off file, the sort keys of every column, duplicating with a pinned
// clock (also twice in one second, and when no name is free), deleting
// (Yes, No, a file that cannot be deleted), archiving onto a name that is
// taken, and the archive-mode dialog after which the list is read anew.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <algorithm>
#include <ctime>
#include <filesystem>

#include "controls/perslistctrl.h"
#include "fixtures/statistics/statistics_records.h"
#include "platform/datetime.h"
#include "platform/files.h"
#include "platform/textfile.h"
#include "shell/mixtures/mischungsverwaltungdlg.h"
#include "shell/mixtures/mixturefiles.h"
#include "support/read_only_folder.h"
#include "support/scripted_ui_gtest.h"
#include "support/stubs.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;
using platform::DialogDriver;
using platform::IDCANCEL;
using platform::IDNO;
using platform::IDOK;
using platform::IDYES;
using Dlg = CMischungsverwaltungDlg;

namespace {

// A mixture file as the mixture editor saves it (the lines the program does
// not read included).
std::string MixtureText(const std::string& name, const std::string& materials, const std::string& date,
                        const std::string& requirement) {
  return "BEZEICHNUNG=[" + name + "]\nKOPFTEXT_LINKS=[Mischungsempfehlung]\nMATERIAL=[12-34-0001   0/2 (Sand)|2;0.063|100;3]\n"
         "LISTCTRLDATEN=[" + name + "|" + materials + "|" + date + "|" + requirement + "]\nZIELTURM=[]\n";
}

class MixtureFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const fs::path& f : {working(), archive(), program()}) fs::create_directories(f);
  }
  fs::path working() const { return root_ / "misch"; }
  fs::path archive() const { return root_ / "archiv"; }
  fs::path program() const { return root_ / "program"; }
  void Write(const fs::path& file, const std::string& text) { ASSERT_TRUE(platform::WriteTextFile(file, text)); }
  void Standard() {
    Write(working() / "231105093000.pvm", MixtureText("Beton A", "3", "05.11.2023", "C20/25"));
    Write(working() / "240305101500.pvm", MixtureText("Estrich", "10", "05.03.2024", ""));
    Write(working() / "250112080000.PVM", MixtureText("beton b", "9", "12.01.2025", "C25/30"));
    Write(working() / "tmp.pvm", MixtureText("unbenannt", "2", "", ""));
  }
  // A clock that stands still until the wait moves it on by a second.
  MixtureClock PinnedClock() {
    return {[this] { return now_; }, [this] { ++now_; ++waits_; }};
  }

  TempFolder root_;
  std::time_t now_ = statfix::FixedClock();
  int waits_ = 0;
};

std::vector<std::string> Names(const std::vector<MixtureRow>& rows) {
  std::vector<std::string> names;
  for (const MixtureRow& row : rows) names.push_back(row.path.filename().string());
  return names;
}

TEST_F(MixtureFolder, ListsTheMixturesWithoutTheHandOffFile) {
  Standard();
  Write(working() / "nolist.pvm", "BEZEICHNUNG=[ohne Liste]\n");        // no list line: not listed
  Write(working() / "notes.txt", MixtureText("x", "1", "01.01.2024", "")); // not a mixture
  fs::create_directories(working() / "folder.pvm");
  EXPECT_EQ(Names(ReadMixtureFolder(working())),
            (std::vector<std::string>{"231105093000.pvm", "240305101500.pvm", "250112080000.PVM"}));
  const MixtureRow row = ReadMixtureFolder(working()).front();
  EXPECT_EQ(row.texts, (std::array<std::string, 6>{"", "Beton A", "3", "05.11.2023", "C20/25",
                                                   (working() / "231105093000.pvm").string()}));

  TempFolder onlyHandOff;
  platform::WriteTextFile(onlyHandOff / "tmp.pvm", MixtureText("unbenannt", "2", "", ""));
  EXPECT_TRUE(ReadMixtureFolder(onlyHandOff.path()).empty());
  EXPECT_TRUE(ReadMixtureFolder(root_ / "missing").empty());
}

TEST(MixtureRows, SortKeysOfEveryColumn) {
  const MixtureRow a = MakeMixtureRow("/m/a.pvm", "LISTCTRLDATEN=[Beton A|9|05.03.2024|C20/25]");
  const MixtureRow b = MakeMixtureRow("/m/b.pvm", "LISTCTRLDATEN=[beton b|10|12.01.2025|c25/30]");
  const MixtureRow c = MakeMixtureRow("/m/c.pvm", "LISTCTRLDATEN=[Asphalt|x|15.11.2024|]");
  EXPECT_EQ(a.keys, (std::array<std::string, 6>{"", "Beton A", "09", "20240305", "C20/25", "/m/a.pvm"}));
  EXPECT_EQ(c.keys[2], "00");
  struct Case {
    int column;
    const MixtureRow* first;
    const MixtureRow* second;
  } cases[] = {
      {1, &c, &a}, {1, &a, &b},  // case does not count
      {2, &c, &a}, {2, &a, &b},  // 9 before 10
      {3, &a, &c}, {3, &c, &b},  // 05.03.2024, 15.11.2024 (same year), 12.01.2025
      {4, &c, &a}, {4, &a, &b},
      {5, &a, &b}, {5, &b, &c},
  };
  for (const Case& k : cases) {
    EXPECT_LT(CompareMixtureRows(*k.first, *k.second, k.column), 0) << k.column;
    EXPECT_GT(CompareMixtureRows(*k.second, *k.first, k.column), 0) << k.column;
  }
  EXPECT_EQ(CompareMixtureRows(a, b, 0), 0);
}

TEST_F(MixtureFolder, DuplicatingNamesTheCopyAfterTheTime) {
  Standard();
  const fs::path original = working() / "231105093000.pvm";
  const std::string before = platform::ReadFileBytes(original).value_or("");
  const auto copy = DuplicateMixtureFile(original, working(), PinnedClock());
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->path, working() / "240517140309.pvm");
  EXPECT_EQ(copy->texts[1], "KOPIE VON Beton A");
  EXPECT_EQ(platform::ReadFileBytes(copy->path).value_or(""),
            "BEZEICHNUNG=[KOPIE VON Beton A]\r\nKOPFTEXT_LINKS=[Mischungsempfehlung]\r\n"
            "MATERIAL=[12-34-0001   0/2 (Sand)|2;0.063|100;3]\r\n"
            "LISTCTRLDATEN=[KOPIE VON Beton A|3|05.11.2023|C20/25]\r\nZIELTURM=[]\r\n");
  EXPECT_EQ(platform::ReadFileBytes(original).value_or(""), before);
  EXPECT_EQ(waits_, 0);

  // The same second again: it waits and takes the next one.
  const auto second = DuplicateMixtureFile(original, working(), PinnedClock());
  ASSERT_TRUE(second);
  EXPECT_EQ(second->path, working() / "240517140310.pvm");
  EXPECT_EQ(waits_, 1);
}

// What the editor keeps behind the name's "]" stays in the copy (before, the
// name line was rebuilt and lost it); a name line without brackets still
// gets its copy name.
TEST_F(MixtureFolder, DuplicatingKeepsWhatFollowsTheName) {
  Write(working() / "a.pvm", "BEZEICHNUNG=[Beton A] Stand 3|x]\nLISTCTRLDATEN=[Beton A|3|05.11.2023|C20/25]\n");
  Write(working() / "b.pvm", "BEZEICHNUNG=Beton B\nLISTCTRLDATEN=[Beton B|1|05.11.2023|]\n");
  const auto a = DuplicateMixtureFile(working() / "a.pvm", working(), PinnedClock());
  ASSERT_TRUE(a);
  EXPECT_EQ(platform::ReadFileBytes(a->path).value_or(""),
            "BEZEICHNUNG=[KOPIE VON Beton A] Stand 3|x]\r\nLISTCTRLDATEN=[KOPIE VON Beton A|3|05.11.2023|C20/25]\r\n");
  const auto b = DuplicateMixtureFile(working() / "b.pvm", working(), PinnedClock());
  ASSERT_TRUE(b);
  EXPECT_EQ(platform::ReadTextLines(b->path).value_or(std::vector<std::string>{}).at(0), "BEZEICHNUNG=[KOPIE VON ]");
}

// A file whose existence cannot be checked (its folder may not be searched)
// is no deleted file; before, it was reported as deleted.
TEST_F(MixtureFolder, DeletingSucceedsOnlyForAFileThatIsGone) {
  Standard();
  const fs::path file = working() / "231105093000.pvm";
  EXPECT_TRUE(DeleteMixtureFile(working() / "missing.pvm"));
  fs::permissions(working(), fs::perms::group_exec | fs::perms::others_exec, fs::perm_options::remove);
  {
    ReadOnlyFolder locked(working());
    EXPECT_FALSE(DeleteMixtureFile(file));
  }
  EXPECT_TRUE(platform::FileExists(file));
  EXPECT_TRUE(DeleteMixtureFile(file));
  EXPECT_FALSE(platform::FileExists(file));
}

TEST_F(MixtureFolder, DuplicatingStopsWhenNoNameIsFree) {
  Standard();
  for (const char* taken : {"240517140309.pvm", "240517140310.pvm", "240517140311.pvm"})
    Write(working() / taken, "BEZEICHNUNG=[belegt]\n");
  auto count = [this] { return std::distance(fs::directory_iterator(working()), fs::directory_iterator()); };
  const auto before = count();
  EXPECT_FALSE(DuplicateMixtureFile(working() / "231105093000.pvm", working(), PinnedClock()));
  EXPECT_EQ(waits_, 2);
  EXPECT_EQ(count(), before);  // nothing left behind
  EXPECT_EQ(platform::ReadFileBytes(working() / "240517140311.pvm").value_or(""), "BEZEICHNUNG=[belegt]\r\n");
}

TEST_F(MixtureFolder, MovingNeverReplacesAFile) {
  Standard();
  Write(archive() / "240305101500.pvm", "schon da\n");
  EXPECT_FALSE(MoveMixtureFile(working() / "240305101500.pvm", archive()));
  EXPECT_TRUE(platform::FileExists(working() / "240305101500.pvm"));
  EXPECT_EQ(platform::ReadFileBytes(archive() / "240305101500.pvm").value_or(""), "schon da\r\n");
  EXPECT_TRUE(MoveMixtureFile(working() / "231105093000.pvm", archive()));
  EXPECT_TRUE(platform::FileExists(archive() / "231105093000.pvm"));
  EXPECT_FALSE(platform::FileExists(working() / "231105093000.pvm"));
}

// ---------------------------------------------------------------- the dialog

class MixtureDialog : public MixtureFolder {
 protected:
  MixtureFolders Folders() const { return {working(), archive(), program()}; }
  static std::vector<std::string> Column(const Dlg& dlg, int column) {
    std::vector<std::string> texts;
    for (int row = 0; row < dlg.List()->GetItemCount(); ++row) texts.push_back(dlg.List()->GetItemText(row, column));
    return texts;
  }
  // A click of the mouse on a column header, as the user gives it.
  static void ClickHeader(const Dlg& dlg, int column) {
    QHeaderView* header = dlg.List()->header();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QMouseEvent event(type, at, header->viewport()->mapToGlobal(at), Qt::LeftButton,
                        type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(header->viewport(), &event);
    }
  }
  static void SelectRows(Dlg& dlg, const std::vector<int>& rows) {
    dlg.List()->clearSelection();
    for (int row : rows) dlg.List()->topLevelItem(row)->setSelected(true);
  }
  // Runs the dialog with one script step; the answer it ended with.
  int Run(Dlg& dlg, std::function<void(DialogDriver&)> fill, std::function<void(platform::TestUi&)> more = {}) {
    platform::TestUi ui;
    ui.ExpectDialog(Dlg::kTemplateId, std::move(fill), IDCANCEL);
    if (more) more(ui);
    const int result = dlg.DoModal();
    ui.VerifyAllShown();
    return result;
  }
};

TEST_F(MixtureDialog, ListsInDescendingNameOrderAndSortsByEveryColumn) {
  Standard();
  Dlg dlg(Folders());
  Run(dlg, [&dlg](DialogDriver& d) {
    EXPECT_EQ(d.dialog().windowTitle().toStdString(), "Mischungsverwaltung");
    EXPECT_EQ(Column(dlg, 1), (std::vector<std::string>{"beton b", "Estrich", "Beton A"}));
    for (int id : {Dlg::kOpen, Dlg::kDuplicate, Dlg::kDelete}) EXPECT_FALSE(d.IsEnabled(id)) << id;
    EXPECT_TRUE(d.IsEnabled(Dlg::kArchive));
    EXPECT_EQ(dlg.List()->GetColumnWidth(0), 0);
    EXPECT_EQ(dlg.List()->GetColumnWidth(5), 304);

    struct Sort {
      int column;
      std::vector<std::string> names;  // after the click
    } sorts[] = {
        {1, {"Beton A", "beton b", "Estrich"}},  // first click of the run: ascending
        {1, {"Estrich", "beton b", "Beton A"}},  // then descending, whatever the column
        {2, {"Beton A", "beton b", "Estrich"}},  // 3, 9, 10
        {3, {"beton b", "Estrich", "Beton A"}},  // by date, descending
        {4, {"Estrich", "Beton A", "beton b"}},
        {5, {"beton b", "Estrich", "Beton A"}},
    };
    for (const Sort& s : sorts) {
      ClickHeader(dlg, s.column);
      EXPECT_EQ(Column(dlg, 1), s.names) << s.column;
    }

    SelectRows(dlg, {0});
    EXPECT_TRUE(d.IsEnabled(Dlg::kOpen));
    EXPECT_TRUE(d.IsEnabled(Dlg::kDuplicate));
    EXPECT_TRUE(d.IsEnabled(Dlg::kDelete));
    SelectRows(dlg, {0, 2});
    EXPECT_FALSE(d.IsEnabled(Dlg::kOpen));
    EXPECT_FALSE(d.IsEnabled(Dlg::kDuplicate));
    EXPECT_TRUE(d.IsEnabled(Dlg::kDelete));
  });
}

TEST_F(MixtureDialog, DuplicateTakesThePlaceOfTheCopiedRow) {
  Standard();
  Dlg dlg(Folders());
  dlg.m_Clock = PinnedClock();
  Run(dlg, [&dlg](DialogDriver& d) {
    SelectRows(dlg, {2});  // Beton A
    d.Click(Dlg::kDuplicate);
    EXPECT_EQ(Column(dlg, 1), (std::vector<std::string>{"beton b", "Estrich", "KOPIE VON Beton A", "Beton A"}));
    EXPECT_EQ(dlg.List()->GetItemText(2, 5), (dlg.ListedFolder() / "240517140309.pvm").string());
  });
  EXPECT_TRUE(platform::FileExists(working() / "240517140309.pvm"));
}

TEST_F(MixtureDialog, DuplicateWithoutAFreeNameIsReported) {
  Standard();
  for (const char* taken : {"240517140309.pvm", "240517140310.pvm", "240517140311.pvm"})
    Write(working() / taken, "BEZEICHNUNG=[belegt]\n");  // no list line: not listed
  Dlg dlg(Folders());
  dlg.m_Clock = PinnedClock();
  Run(
      dlg,
      [&dlg](DialogDriver& d) {
        SelectRows(dlg, {2});
        d.Click(Dlg::kDuplicate);
        EXPECT_EQ(dlg.List()->GetItemCount(), 3);
      },
      [this](platform::TestUi& ui) {
        ui.ExpectMessageBox(IDOK, "FEHLER:\nFolgende Mischung konnte nicht dupliziert werden:\n" +
                                      (working() / "231105093000.pvm").string());
      });
}

TEST_F(MixtureDialog, DeleteAsksAndKeepsWhatCannotBeDeleted) {
  Standard();
  Dlg dlg(Folders());
  const fs::path stuck = working() / "stuck.pvm";  // a folder with content: it cannot go
  fs::create_directories(stuck / "inside");
  Run(
      dlg,
      [&](DialogDriver& d) {
        SelectRows(dlg, {0, 1});
        d.Click(Dlg::kDelete);  // No
        EXPECT_EQ(dlg.List()->GetItemCount(), 3);
        d.Click(Dlg::kDelete);  // Yes
        EXPECT_EQ(Column(dlg, 1), (std::vector<std::string>{"Beton A"}));
        dlg.AddMixtureRow(MakeMixtureRow(stuck, "LISTCTRLDATEN=[Fest|1|01.01.2024|]"), 0);
        SelectRows(dlg, {0, 1});
        d.Click(Dlg::kDelete);  // Yes: Beton A goes, the stuck one stays
        EXPECT_EQ(Column(dlg, 1), (std::vector<std::string>{"Fest"}));
      },
      [&](platform::TestUi& ui) {
        ui.ExpectMessageBox(IDNO, "2 gewählte Mischung(en) löschen ?");
        ui.ExpectMessageBox(IDYES, "2 gewählte Mischung(en) löschen ?");
        ui.ExpectMessageBox(IDYES, "2 gewählte Mischung(en) löschen ?");
        ui.ExpectMessageBox(IDOK, "FEHLER:\nFolgende Datei konnte nicht gelöscht werden:\n" + stuck.string());
      });
  EXPECT_FALSE(platform::FileExists(working() / "250112080000.PVM"));
  EXPECT_FALSE(platform::FileExists(working() / "240305101500.pvm"));
  EXPECT_FALSE(platform::FileExists(working() / "231105093000.pvm"));
  EXPECT_TRUE(fs::exists(stuck));
}

TEST_F(MixtureDialog, ArchivingOntoATakenNameFailsAndKeepsTheRow) {
  Standard();
  Write(archive() / "240305101500.pvm", "schon da\n");
  Dlg dlg(Folders());
  Run(
      dlg,
      [&](DialogDriver& d) {
        SelectRows(dlg, {0, 1, 2});
        d.Click(Dlg::kArchive);
        EXPECT_EQ(Column(dlg, 1), (std::vector<std::string>{"Estrich"}));
      },
      [&](platform::TestUi& ui) {
        ui.ExpectMessageBox(IDOK, "FEHLER:\nFolgende Datei konnte nicht verschoben werden:\n" +
                                      (working() / "240305101500.pvm").string() + "\n" +
                                      (archive() / "240305101500.pvm").string());
      });
  EXPECT_TRUE(platform::FileExists(archive() / "231105093000.pvm"));
  EXPECT_TRUE(platform::FileExists(archive() / "250112080000.PVM"));
  EXPECT_EQ(platform::ReadFileBytes(archive() / "240305101500.pvm").value_or(""), "schon da\r\n");
}

TEST_F(MixtureDialog, TheArchiveDialogMovesBackAndTheListIsReadAnew) {
  Standard();
  Write(archive() / "220101120000.pvm", MixtureText("Alt", "4", "01.01.2022", ""));
  Dlg dlg(Folders());
  QWidget* outer = nullptr;
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [&](DialogDriver& d) {
    outer = &d.dialog();
    d.Click(Dlg::kDearchive);
    EXPECT_EQ(Column(dlg, 1), (std::vector<std::string>{"beton b", "Estrich", "Beton A", "Alt"}));
  }, IDCANCEL);
  ui.ExpectDialog(Dlg::kTemplateId, [&](DialogDriver& a) {
    auto& archived = static_cast<Dlg&>(a.dialog());
    EXPECT_EQ(a.dialog().windowTitle().toStdString(), "Mischungsverwaltung Dearchivieren");
    EXPECT_EQ(a.dialog().parentWidget(), outer);
    EXPECT_EQ(archived.ListedFolder(), archive());
    EXPECT_FALSE(a.IsEnabled(Dlg::kArchive));
    EXPECT_FALSE(a.IsEnabled(Dlg::kOpen));
    EXPECT_EQ(Column(archived, 1), (std::vector<std::string>{"Alt"}));
    SelectRows(archived, {0});
    a.Click(Dlg::kDearchive);
    EXPECT_EQ(archived.List()->GetItemCount(), 0);
  }, IDCANCEL);
  dlg.DoModal();
  ui.VerifyAllShown();
  EXPECT_TRUE(platform::FileExists(working() / "220101120000.pvm"));
}

TEST_F(MixtureDialog, OpenStartsTheMixtureEditorAndCloses) {
  Standard();
  const fs::path args = root_ / "blendor.args";
  WriteScript(program() / "blendor", "printf '<%s>' \"$@\" > '" + args.string() + "'");
  Dlg dlg(Folders());
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [&dlg](DialogDriver& d) {
    SelectRows(dlg, {1});
    EXPECT_TRUE(d.IsVisible(Dlg::kOpen));
    d.Click(Dlg::kOpen);
    EXPECT_TRUE(d.dialog().ended());
  }, IDCANCEL);
  EXPECT_EQ(dlg.DoModal(), IDOK);
  ASSERT_TRUE(SpinUntil([&] { return platform::FileSize(args).value_or(0) > 0; }));
  EXPECT_EQ(platform::ReadFileBytes(args).value_or(""), "<" + (working() / "240305101500.pvm").string() + ">");
}

}  // namespace
