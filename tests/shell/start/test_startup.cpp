#include <gtest/gtest.h>

#include <algorithm>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <map>
#include <string>

#include "evaluation/wasserbausteine/groessenverteilung.h"
#include "evaluation/wasserbausteine/massenverteilung.h"
#include "platform/datetime.h"
#include "platform/files.h"
#include "platform/messagebox.h"
#include "platform/inifile.h"
#include "platform/pdf_words.h"
#include "platform/printdriver.h"
#include "platform/terminationsignals.h"
#include "platform/textfile.h"
#include "records/recordfile.h"
#include "records/wbsfield.h"
#include "services/pravikapp.h"
#include "services/pravikdoc.h"
#include "services/settings.h"
#include "services/versioninfo.h"
#include "shell/mainview/form1view.h"
#include "shell/mainview/mainframe.h"
#include "shell/mainview/printjob.h"
#include "shell/mainview/recordlistmodel.h"
#include "shell/start/aboutdlg.h"
#include "shell/start/lock.h"
#include "shell/start/singleinstance.h"
#include "shell/start/startup.h"
#include "shell/start/werkauswahldlg.h"
#include "support/read_only_folder.h"
#include "support/scripted_ui_gtest.h"
#include "support/share_seams.h"
#include "support/temp_folder.h"
#include "tools/demo_installation.h"

namespace fs = std::filesystem;

namespace {

std::string Bytes(const fs::path& path) { return platform::ReadFileBytes(path).value_or("<missing>"); }

// Every file below a folder with its bytes, and every folder.
std::map<std::string, std::string> Snapshot(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    files[fs::relative(entry.path(), folder).string()] = entry.is_directory() ? "<dir>" : Bytes(entry.path());
  return files;
}

void SetWriteTime(const fs::path& path, std::chrono::hours age) {
  fs::last_write_time(path, fs::file_time_type::clock::now() - age);
}

// The id of a process that has ended.
std::string EndedProcessId() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return std::to_string(child);
}

fs::path CopyName(const fs::path& record, int n) {
  return record.string() + (n < 10 ? ".0" : ".") + std::to_string(n);
}

// ---------------------------------------------------------------- daily copies

TEST(DailyCopies, RotateToAtMostTenAndOncePerWrittenDay) {
  TempFolder folder;
  const fs::path record = folder / "data.db";
  platform::WriteFileBytes(record, "today");
  for (int n = 1; n <= 10; ++n) platform::WriteFileBytes(CopyName(record, n), "copy" + std::to_string(n));

  // Written yesterday: rotate, the oldest drops out.
  SetWriteTime(record, std::chrono::hours(30));
  BackupRecordFileDaily(record);
  EXPECT_EQ(Bytes(CopyName(record, 1)), "today");
  EXPECT_EQ(Bytes(CopyName(record, 2)), "copy1");
  EXPECT_EQ(Bytes(CopyName(record, 10)), "copy9");
  EXPECT_FALSE(fs::exists(CopyName(record, 11)));

  // Still yesterday's date: every start rotates again.
  BackupRecordFileDaily(record);
  EXPECT_EQ(Bytes(CopyName(record, 2)), "today");
  EXPECT_EQ(Bytes(CopyName(record, 3)), "copy1");

  // Written today with a first copy present: nothing. (Written as every save
  // writes it, by replacing the file.)
  platform::WriteFileAtomic(record, "changed");
  BackupRecordFileDaily(record);
  EXPECT_EQ(Bytes(CopyName(record, 1)), "today");

  // Without the first copy every start copies, even today.
  fs::remove(CopyName(record, 1));
  BackupRecordFileDaily(record);
  EXPECT_EQ(Bytes(CopyName(record, 1)), "changed");
  EXPECT_EQ(Bytes(CopyName(record, 10)), "copy7");
}

// On a share, another computer has just saved: our cache still gives the
// old size, and the copy reads cut off until it expires. The copy is made
// again after a pause instead of failing.
TEST(DailyCopies, ACopyCutOffByAStaleCacheOnAShareIsMadeAgain) {
  TempFolder folder;
  const fs::path record = folder / "data.db";
  ASSERT_TRUE(WriteRecordFile(RecordList{}, record));
  const std::string complete = Bytes(record);
  ASSERT_TRUE(platform::WriteFileBytes(record, complete.substr(0, complete.size() - 12)));
  SetWriteTime(record, std::chrono::hours(30));
  ShareSeams seams(true);
  seams.onPause = [&](size_t) {
    ASSERT_TRUE(platform::WriteFileBytes(record, complete));
    SetWriteTime(record, std::chrono::hours(30));
  };
  platform::TestUi ui;
  BackupRecordFileDaily(record, DailyCopyWay::Copy);
  EXPECT_EQ(seams.pauses.size(), 1u);
  EXPECT_EQ(Bytes(CopyName(record, 1)), complete);
}

TEST(DailyCopies, NoRecordFileShiftsNothing) {
  TempFolder folder;
  platform::WriteFileBytes(folder / "data.db.01", "one");
  BackupRecordFileDaily(folder / "data.db");
  EXPECT_EQ(Bytes(folder / "data.db.01"), "one");
  EXPECT_FALSE(fs::exists(folder / "data.db.02"));
}

// Both ways of making the newest copy keep the bytes "data.db" had at the
// start: a save replaces "data.db" and leaves the copy as it was.
TEST(DailyCopies, NewestKeepsItsBytesThroughTheNextSave) {
  for (const DailyCopyWay way : {DailyCopyWay::LinkWherePossible, DailyCopyWay::Copy}) {
    SCOPED_TRACE(way == DailyCopyWay::Copy ? "copy" : "link");
    TempFolder folder;
    const fs::path record = folder / "data.db";
    RecordList records = demo::MakeDemoRecords();
    ASSERT_TRUE(SaveRecordFileSafely(records, folder.path()));
    const std::string yesterday = Bytes(record);
    SetWriteTime(record, std::chrono::hours(30));
    {
      platform::TestUi ui;  // no message
      BackupRecordFileDaily(record, way);
    }
    EXPECT_EQ(Bytes(DailyCopyName(record, 1)), yesterday);
    // A second name, not ten copies' worth of writing.
    EXPECT_EQ(fs::hard_link_count(DailyCopyName(record, 1)), way == DailyCopyWay::Copy ? 1u : 2u);
    records.pop_back();
    ASSERT_TRUE(SaveRecordFileSafely(records, folder.path()));
    EXPECT_NE(Bytes(record), yesterday);
    EXPECT_EQ(Bytes(DailyCopyName(record, 1)), yesterday);
  }
}

// A step that fails ends the rotation there: nothing is overwritten, the
// user is told, and no temporary name stays behind.
TEST(DailyCopies, AFailedStepKeepsEveryOlderGeneration) {
  TempFolder folder;
  const fs::path record = folder / "data.db";
  ASSERT_TRUE(WriteRecordFile(demo::MakeDemoRecords(), record));
  SetWriteTime(record, std::chrono::hours(30));
  for (int n = 1; n <= 10; ++n) platform::WriteFileBytes(DailyCopyName(record, n), "copy" + std::to_string(n));
  // ".06" cannot be replaced by ".05": a folder that holds a file.
  fs::remove(DailyCopyName(record, 6));
  fs::create_directory(DailyCopyName(record, 6));
  platform::WriteFileBytes(DailyCopyName(record, 6) / "x", "x");
  {
    platform::TestUi ui;
    ui.ExpectMessageBox(platform::IDOK, DailyCopyName(record, 5).filename().string());
    BackupRecordFileDaily(record);
  }
  const std::map<std::string, std::string> expected = {
      {"data.db", Bytes(record)}, {"data.db.01", "copy1"}, {"data.db.02", "copy2"}, {"data.db.03", "copy3"},
      {"data.db.04", "copy4"},    {"data.db.05", "copy5"}, {"data.db.06", "<dir>"}, {"data.db.06/x", "x"},
      {"data.db.08", "copy7"},    {"data.db.09", "copy8"}, {"data.db.10", "copy9"}};
  EXPECT_EQ(Snapshot(folder.path()), expected);

  // A copy that does not read as a record file is not taken: nothing moves.
  platform::WriteFileBytes(record, "no record file");
  SetWriteTime(record, std::chrono::hours(30));
  fs::remove_all(DailyCopyName(record, 6));
  const auto before = Snapshot(folder.path());
  {
    platform::TestUi ui;
    ui.ExpectMessageBox(platform::IDOK, "data.db.01");
    BackupRecordFileDaily(record, DailyCopyWay::Copy);
  }
  EXPECT_EQ(Snapshot(folder.path()), before);
}

// ---------------------------------------------------------------- data folder

TEST(DataFolder, CheckRefusesMissingFolderAndRecordFileButAcceptsSoundTemporaryCopy) {
  TempFolder folder;
  {
    platform::TestUi ui;
    ui.ExpectMessageBox(platform::IDOK, (folder / "nowhere").string());
    EXPECT_FALSE(CheckDataFolder(folder / "nowhere"));
  }
  {
    platform::TestUi ui;
    ui.ExpectMessageBox(platform::IDOK, (folder / "data.db").string());
    EXPECT_FALSE(CheckDataFolder(folder.path()));
  }
  // A damaged temporary copy is no substitute; the refusal names the sound
  // daily copy that can be taken back.
  platform::WriteFileBytes(folder / "data_tmp.db", "no record file");
  ASSERT_TRUE(WriteRecordFile(demo::MakeDemoRecords(), folder / "data.db.01"));
  {
    platform::TestUi ui;
    ui.ExpectMessageBox(platform::IDOK, "Der Zugriff auf die Datei");
    EXPECT_FALSE(CheckDataFolder(folder.path()));
  }
  {
    platform::ScriptedMessageBoxes boxes;
    EXPECT_FALSE(CheckDataFolder(folder.path()));
    ASSERT_EQ(boxes.shown().size(), 1u);
    const std::string copy =
        "data.db.01 vom " +
        platform::FormatLocalTime("%d.%m.%Y %H:%M", *platform::FileModificationTime(folder / "data.db.01")) + " mit " +
        std::to_string(demo::MakeDemoRecords().size()) + " Datensätzen";
    EXPECT_NE(boxes.shown()[0].text.find(copy), std::string::npos) << boxes.shown()[0].text;
  }
  ASSERT_TRUE(WriteRecordFile(demo::MakeDemoRecords(), folder / "data_tmp.db"));
  {
    platform::TestUi ui;  // no message
    EXPECT_TRUE(CheckDataFolder(folder.path()));
  }
  EXPECT_EQ(Snapshot(folder.path()).size(), 2u);  // the check itself writes nothing
}

TEST(DataFolder, PrepareCreatesSubFoldersAndClearsReadOnlyFilesOneLevelDeep) {
  TempFolder folder;
  platform::CreateFolder(folder / "stat");
  platform::CreateFolder(folder / "stat" / "deep");
  for (const fs::path& file : {folder / "data.db", folder / "stat" / "a.txt", folder / "stat" / "deep" / "b.txt"}) {
    platform::WriteFileBytes(file, "x");
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::remove);
  }
  PrepareDataFolder(folder.path());
  for (const char* name : {"stat", "misch", "archiv", "tmp", "ausgabe", "matdef", "unterschriften"})
    EXPECT_TRUE(platform::FolderExists(folder / name)) << name;
  auto writable = [](const fs::path& p) {
    return (fs::status(p).permissions() & fs::perms::owner_write) != fs::perms::none;
  };
  EXPECT_TRUE(writable(folder / "data.db"));
  EXPECT_TRUE(writable(folder / "stat" / "a.txt"));
  EXPECT_FALSE(writable(folder / "stat" / "deep" / "b.txt"));
}

// The copy that a material file rewrite cut short before its rename left
// goes at start while the material file is there; without the file it is all
// there is and stays. Before, it was never cleaned up.
TEST(LeftoverFiles, TheMaterialFileCopyGoesWhileTheFileIsThere) {
  TempFolder data;
  platform::CreateFolder(data / "matdef");
  const fs::path file = data / "matdef" / "material_def.dat";
  const fs::path copy = data / "matdef" / "material_def.dat.bak";
  platform::WriteFileBytes(copy, "DATA_START\r\nhalf");
  RemoveLeftoverTemporaryFiles(data.path());
  EXPECT_TRUE(fs::exists(copy));  // no file: kept
  platform::WriteFileBytes(file, "DATA_START\r\nDATA_STOP\r\n");
  RemoveLeftoverTemporaryFiles(data.path());
  EXPECT_FALSE(fs::exists(copy));
  EXPECT_EQ(Bytes(file), "DATA_START\r\nDATA_STOP\r\n");
  // One that cannot be removed is named.
  platform::WriteFileBytes(copy, "x");
  platform::TestUi ui;
  ui.ExpectMessageBox(platform::IDOK, copy.string());
  {
    ReadOnlyFolder locked(data / "matdef");
    RemoveLeftoverTemporaryFiles(data.path());
  }
  ui.VerifyAllShown();
  EXPECT_TRUE(fs::exists(copy));
}

TEST(CategoryDatabase, OfferedOnlyForALargerShippedFile) {
  TempFolder program;
  TempFolder data;
  platform::CreateFolder(program / "data");
  platform::WriteFileBytes(program / "data" / "Kategorien.db", "0123456789");
  {
    platform::TestUi ui;  // the program's own "data" folder: never offered
    OfferCategoryDatabase(program.path(), program / "data");
  }
  platform::WriteFileBytes(data / "Kategorien.db", "0123456789");
  {
    platform::TestUi ui;  // same size: no question
    OfferCategoryDatabase(program.path(), data.path());
  }
  platform::WriteFileBytes(data / "Kategorien.db", "old");
  {
    platform::TestUi ui;
    ui.ExpectMessageBox(platform::IDNO, "Kategorie");
    OfferCategoryDatabase(program.path(), data.path());
    EXPECT_EQ(Bytes(data / "Kategorien.db"), "old");
    ui.ExpectMessageBox(platform::IDYES, "Kategorie");
    OfferCategoryDatabase(program.path(), data.path());
    EXPECT_EQ(Bytes(data / "Kategorien.db"), "0123456789");
  }
}

// Taken over, but the data folder takes no writes: the user is told, and the
// old database stays.
TEST(CategoryDatabase, AFailedTakeoverIsReported) {
  TempFolder program;
  TempFolder data;
  platform::CreateFolder(program / "data");
  platform::WriteFileBytes(program / "data" / "Kategorien.db", "0123456789");
  platform::WriteFileBytes(data / "Kategorien.db", "old");
  platform::TestUi ui;
  ui.ExpectMessageBox(platform::IDYES, "Kategorie");
  ui.ExpectMessageBox(platform::IDOK, "Kategorien.db");
  {
    ReadOnlyFolder locked(data.path());
    OfferCategoryDatabase(program.path(), data.path());
  }
  ui.VerifyAllShown();
  ASSERT_EQ(ui.shown().size(), 2u);
  EXPECT_NE(ui.shown()[1].text.find("Die Datei kann nicht geschrieben werden:"), std::string::npos);
  EXPECT_EQ(Bytes(data / "Kategorien.db"), "old");
}

// One version number in the title, the About box, the version dialog and on
// every printed page.
TEST(ProgramVersionShown, IsTheSameEverywhere) {
  const std::string version = ProgramVersion();
  EXPECT_EQ(version, "3.6.66");
  CPravikWinApp app;
  EXPECT_EQ(FrameTitle(app.PlantIdentity).rfind("Pravik " + version + " - ", 0), 0u);
  EXPECT_EQ(CAboutDlg::VersionLine(), "Pravik " + version + "  (" + ProgramVersionDate() + ")");
  TempFolder program;
  EXPECT_NE(ComputeVersionPageTexts(program.path(), program.path()).programs.find("pravik               " + version),
            std::string::npos);
  RecordList records = demo::MakeDemoRecords();
  CRecordPrintJob job({records.front().get()});
  ASSERT_EQ(platform::PrintToPdf(job, program / "page.pdf"), platform::PrintResult::kPrinted);
  const pdftest::PdfText pdf = pdftest::ReadPdf(program / "page.pdf");
  EXPECT_TRUE(pdf.Find(version, 1));
}

TEST(AboutBox, ShowsVersionAndTheYearOfItsDate) {
  platform::TestUi ui;
  ui.ExpectDialog(CAboutDlg::kTemplateId, [](platform::DialogDriver& d) {
    EXPECT_EQ(d.Text(CAboutDlg::kVersionLine), "Pravik 3.6.66  (18.06.2025)");
    EXPECT_NE(d.Text(CAboutDlg::kNoticeLine).find("2025"), std::string::npos);
    EXPECT_FALSE(d.Text(CAboutDlg::kContactBlock).empty());
  }, platform::IDOK);
  CPravikWinApp app;
  CStartup startup(app, {});
  startup.OnAppAbout();
}

TEST(StartupMessages, CreationFailureShowsItsValues) {
  const std::string text = CreationFailureText(true, false, false, "/daten");
  EXPECT_EQ(text, "\na= ok\nb= -\nc= -\nd= /daten/data.db");
}

// ---------------------------------------------------------------- whole start

// A demo installation in a fresh program folder, made by the tool's code.
class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(demo::MakeDemoInstallation(program_.path(), dataFolder()).ok);
    options_.programFolder = program_.path();
    options_.instanceGuardFolder = guardFolder_.path();
  }
  fs::path dataFolder() const { return program_ / "demo-data"; }
  fs::path lockFile() const { return dataFolder() / "lock.lck"; }
  std::string Ini(const char* section, const char* key) const {
    return ProgramProfile(dataFolder() / "pravik.ini").GetString(section, key, "<none>");
  }
  // The plant selection opens the demo plant.
  static void OpenDemoPlant(platform::TestUi& ui) {
    ui.ExpectDialog(538, [](platform::DialogDriver& d) {
      auto& dialog = static_cast<CWerkauswahlDlg&>(d.dialog());
      dialog.SelectRow(0);
    }, platform::IDOK);
  }

  TempFolder program_;
  TempFolder guardFolder_;
  StartupOptions options_;
};

TEST_F(StartupTest, EndToEndThroughThePlantSelectionToTheFilledListAndBack) {
  const std::string recordsBefore = Bytes(dataFolder() / "data.db");
  // A save killed in an earlier run left its temporary file.
  const fs::path leftover = dataFolder() / (".data.db.tmp" + EndedProcessId() + "_1_0");
  platform::WriteFileBytes(leftover, "half a save");
  // The last plant's folder is another one; the chosen plant's folder is read after the selection.
  platform::CreateFolder(program_ / "old-plant");
  platform::WriteFileBytes(program_ / "datapfad.dat", (program_ / "old-plant").string() + "\r\n");
  {
    platform::TestUi ui;
    OpenDemoPlant(ui);
    CPravikWinApp app;
    CStartup startup(app, options_);
    ASSERT_TRUE(startup.InitInstance());
    EXPECT_TRUE(SameFolder(app.m_Settings.m_DataFolder, dataFolder()));
    EXPECT_EQ(app.PlantIdentity.plantName, demo::kPlantName);
    EXPECT_EQ(app.PlantIdentity.operatorNumber, demo::kOperatorNumber);
    ASSERT_NE(startup.Frame(), nullptr);
    EXPECT_TRUE(startup.Frame()->isVisible());
    EXPECT_EQ(startup.Frame()->view()->model()->RecordCount(), static_cast<int>(demo::MakeDemoRecords().size()));
    EXPECT_TRUE(fs::exists(lockFile()));
    EXPECT_TRUE(startup.HoldsLock());
    EXPECT_TRUE(platform::FolderExists(program_ / "werkeauswahl"));
    EXPECT_TRUE(platform::FolderExists(dataFolder() / "unterschriften"));
    EXPECT_TRUE(platform::FolderExists(dataFolder() / "matdef"));
    EXPECT_EQ(Bytes(dataFolder() / "data.db.01"), recordsBefore);  // the daily copy
    EXPECT_FALSE(fs::exists(leftover));
    EXPECT_EQ(Ini("Archivierung", "Ordner"), (dataFolder() / "archiv").string());  // the default, once ours
    EXPECT_EQ(startup.ExitInstance(), 0);
  }
  EXPECT_TRUE(ValidateRecordFile(dataFolder() / "data.db"));
  RecordList reloaded;
  ASSERT_TRUE(LoadRecordFile(reloaded, dataFolder()));
  EXPECT_EQ(reloaded.size(), demo::MakeDemoRecords().size());
  EXPECT_FALSE(fs::exists(lockFile()));
  EXPECT_EQ(Ini("Allgemeines", "letzterAufruf"), "heute");
  EXPECT_TRUE(SameFolder(platform::ReadTextLines(program_ / "datapfad.dat").value().at(0), dataFolder()));
}

TEST_F(StartupTest, CancelledPlantSelectionEndsTheStartBeforeTheDataFolderIsPrepared) {
  const auto before = Snapshot(dataFolder());
  {
    platform::TestUi ui;
    ui.ExpectDialog(538, platform::IDCANCEL);
    CPravikWinApp app;
    CStartup startup(app, options_);
    EXPECT_FALSE(startup.InitInstance());
    EXPECT_EQ(startup.ExitInstance(), kExitStartRefused);
  }
  EXPECT_EQ(Snapshot(dataFolder()), before);
}

// A refused start (lock of someone else, or a second instance) leaves the
// data folder byte for byte as the running holder has it.
TEST_F(StartupTest, RefusedStartsWriteNothingIntoTheDataFolder) {
  // The running instance's folder: its lock in place, settings without the
  // archive folder (the refused start must not write its default), and a
  // temporary file the running holder may be writing.
  platform::WriteFileBytes(lockFile(), "[other-pc][someone][01.01.2026 08:00][/opt/pravik/pravik][4242]");
  platform::WriteFileBytes(dataFolder() / (".data.db.tmp" + EndedProcessId() + "_1_0"), "being written");
  ASSERT_TRUE(platform::DeletePrivateProfileKey("Archivierung", "Ordner", dataFolder() / "pravik.ini"));
  const auto before = Snapshot(dataFolder());
  {
    platform::TestUi ui;
    OpenDemoPlant(ui);
    ui.ExpectDialog(608, platform::IDOK);  // the holder's notice
    CPravikWinApp app;
    CStartup startup(app, options_);
    EXPECT_FALSE(startup.InitInstance());
    EXPECT_EQ(startup.ExitInstance(), kExitStartRefused);
  }
  EXPECT_EQ(Snapshot(dataFolder()), before);

  fs::remove(lockFile());
  const auto unlocked = Snapshot(dataFolder());
  SingleInstanceGuard running;
  running.SetFolder(guardFolder_.path());
  ASSERT_TRUE(running.TryAcquire());
  {
    platform::TestUi ui;
    OpenDemoPlant(ui);
    ui.ExpectMessageBox(platform::IDOK, "läuft bereits");
    CPravikWinApp app;
    CStartup startup(app, options_);
    EXPECT_FALSE(startup.InitInstance());
    startup.ExitInstance();
  }
  EXPECT_EQ(Snapshot(dataFolder()), unlocked);
}

TEST_F(StartupTest, AFailedStepAfterTheLockReleasesIt) {
  platform::WriteFileBytes(dataFolder() / "data.db", "not a record file\r\n");
  {
    platform::TestUi ui;
    OpenDemoPlant(ui);
    ui.ExpectMessageBox(platform::IDOK);  // the document's message
    CPravikWinApp app;
    CStartup startup(app, options_);
    EXPECT_FALSE(startup.InitInstance());
    EXPECT_TRUE(startup.HoldsLock());
    EXPECT_EQ(startup.ExitInstance(), kExitNoRecordFile);
  }
  EXPECT_FALSE(fs::exists(lockFile()));
  EXPECT_EQ(Ini("Allgemeines", "letzterAufruf"), "heute");
  EXPECT_EQ(Bytes(dataFolder() / "data.db"), "not a record file\r\n");
}

// A "data.db" that fails its check beside an older sound "data_tmp.db": the
// start says what it loaded instead (its date and number of records) and
// where the damaged file is kept, and the damaged file never becomes a
// daily copy, also where it stays under its name (a pipe cannot be read,
// yet a second name of it could be made).
TEST_F(StartupTest, ADamagedRecordFileBesideAnOlderTemporaryCopyIsToldAndNeverADailyCopy) {
  for (const bool pipe : {false, true}) {
    SCOPED_TRACE(pipe ? "a pipe named data.db" : "a cut-off data.db");
    TempFolder program;
    const fs::path data = program / "demo-data";
    ASSERT_TRUE(demo::MakeDemoInstallation(program.path(), data).ok);
    options_.programFolder = program.path();
    RecordList all;
    ASSERT_TRUE(LoadRecordFile(all, data));
    ASSERT_GE(all.size(), 2u);
    RecordList older;
    for (size_t i = 0; i + 1 < all.size(); ++i) older.push_back(std::move(all[i]));
    ASSERT_TRUE(WriteRecordFile(older, data / "data_tmp.db"));
    SetWriteTime(data / "data_tmp.db", std::chrono::hours(30));
    // Yesterday's daily copy, sound.
    const std::string yesterday = Bytes(data / "data.db");
    platform::WriteFileBytes(data / "data.db.01", yesterday);
    SetWriteTime(data / "data.db.01", std::chrono::hours(24));
    const std::string damaged = yesterday.substr(0, yesterday.size() * 3 / 4);
    if (pipe) {
      fs::remove(data / "data.db");
      ASSERT_EQ(::mkfifo((data / "data.db").c_str(), 0600), 0);
    } else {
      platform::WriteFileBytes(data / "data.db", damaged);
    }
    // Written yesterday: a sound file would be rotated in today.
    SetWriteTime(data / "data.db", std::chrono::hours(20));

    const std::string loaded =
        "data_tmp.db vom " +
        platform::FormatLocalTime("%d.%m.%Y %H:%M", *platform::FileModificationTime(data / "data_tmp.db")) + " mit " +
        std::to_string(older.size()) + " Datensätzen";
    {
      platform::TestUi ui;
      OpenDemoPlant(ui);
      ui.ExpectMessageBox(platform::IDOK, loaded);
      CPravikWinApp app;
      CStartup startup(app, options_);
      ASSERT_TRUE(startup.InitInstance());
      EXPECT_EQ(startup.Frame()->view()->model()->RecordCount(), static_cast<int>(older.size()));
      // No generation was made of the damaged file, none pushed out.
      EXPECT_EQ(Bytes(data / "data.db.01"), yesterday);
      EXPECT_FALSE(fs::exists(data / "data.db.02"));
      EXPECT_EQ(startup.ExitInstance(), 0);
    }
    std::vector<fs::path> kept;
    for (const auto& entry : fs::directory_iterator(data))
      if (entry.path().filename().string().rfind("data_beschaedigt_", 0) == 0) kept.push_back(entry.path());
    ASSERT_EQ(kept.size(), pipe ? 0u : 1u);
    if (!pipe) { EXPECT_EQ(Bytes(kept[0]), damaged); }
    RecordList saved;
    ASSERT_TRUE(LoadRecordFile(saved, data));
    EXPECT_EQ(saved.size(), older.size());
  }
}

// "letzterAufruf" is written while the folder is still ours: the settings
// file is replaced before the lock file goes.
TEST_F(StartupTest, ShutdownWritesTheLastCallBeforeReleasingTheLock) {
  platform::TestUi ui;
  OpenDemoPlant(ui);
  CPravikWinApp app;
  CStartup startup(app, options_);
  ASSERT_TRUE(startup.InitInstance());
  const int watch = ::inotify_init1(IN_NONBLOCK);
  ASSERT_GE(watch, 0);
  ASSERT_GE(::inotify_add_watch(watch, dataFolder().c_str(), IN_DELETE | IN_MOVED_TO), 0);
  EXPECT_EQ(startup.ExitInstance(), 0);

  // The folder's changes in the order they happened.
  std::vector<std::pair<std::string, uint32_t>> events;
  alignas(inotify_event) char buffer[1 << 16];
  for (ssize_t n; (n = ::read(watch, buffer, sizeof buffer)) > 0;) {
    for (char* p = buffer; p < buffer + n;) {
      const auto* event = reinterpret_cast<const inotify_event*>(p);
      if (event->len) events.emplace_back(event->name, event->mask);
      p += sizeof(inotify_event) + event->len;
    }
  }
  ::close(watch);
  ptrdiff_t lastIniWrite = -1, lockRemoved = -1;
  for (size_t i = 0; i < events.size(); ++i) {
    if (events[i].first == "pravik.ini" && (events[i].second & IN_MOVED_TO)) lastIniWrite = static_cast<ptrdiff_t>(i);
    if (events[i].first == "lock.lck" && (events[i].second & IN_DELETE) && lockRemoved < 0)
      lockRemoved = static_cast<ptrdiff_t>(i);
  }
  EXPECT_GE(lastIniWrite, 0);
  EXPECT_GT(lockRemoved, lastIniWrite);
  EXPECT_EQ(Ini("Allgemeines", "letzterAufruf"), "heute");
}

// The user keeps the window open after a failed save at the end: however
// the message loop ended, nothing of the shutdown happens, and the loop runs
// on until the window closes.
TEST_F(StartupTest, WindowKeptOpenAfterAFailedSaveStopsTheShutdown) {
  platform::TestUi ui;
  OpenDemoPlant(ui);
  CPravikWinApp app;
  CStartup startup(app, options_);
  ASSERT_TRUE(startup.InitInstance());
  // A folder where the save's file must go makes the save fail.
  const fs::path blocker = dataFolder() / "data_tmp.db";
  fs::remove(blocker);
  fs::create_directory(blocker);
  ui.ExpectMessageBox(platform::IDOK, "nicht gespeichert werden");
  ui.ExpectMessageBox(platform::IDCANCEL, "erneut gespeichert");
  // Whether the wait window stood while each box came.
  struct WaitWindowWatch : platform::MessageBoxHandler {
    platform::MessageBoxHandler* next = platform::CurrentMessageBoxHandler();
    std::vector<bool> waiting;
    int Show(const platform::MessageBoxRequest& request) override {
      CMomentBitteDlg* wait = GetApp()->WaitWindow();
      waiting.push_back(wait && wait->isVisible());
      return next->Show(request);
    }
  } watch;
  platform::SetMessageBoxHandler(&watch);
  bool lookedAtTheKeptWindow = false;
  QTimer::singleShot(0, [] { QCoreApplication::quit(); });
  QTimer::singleShot(300, [&] {
    lookedAtTheKeptWindow = true;
    EXPECT_TRUE(startup.Frame()->isVisible());
    EXPECT_TRUE(startup.HoldsLock());
    EXPECT_TRUE(fs::exists(lockFile()));
    EXPECT_EQ(Ini("Allgemeines", "letzterAufruf"), "<none>");
    EXPECT_EQ(Ini("Layout", "Spaltenbreiten"), "<none>");
    fs::remove(blocker);
    QCoreApplication::exit(3);
  });
  EXPECT_EQ(RunMessageLoop(startup), 3);
  platform::SetMessageBoxHandler(watch.next);
  EXPECT_TRUE(lookedAtTheKeptWindow);
  // The save at the end runs under the wait window; the question comes without it.
  EXPECT_EQ(watch.waiting, (std::vector<bool>{true, false}));
  EXPECT_FALSE(startup.Frame()->isVisible());
  EXPECT_TRUE(ValidateRecordFile(blocker));
  EXPECT_EQ(startup.ExitInstance(3), 3);
  EXPECT_FALSE(fs::exists(lockFile()));
  EXPECT_EQ(Ini("Allgemeines", "letzterAufruf"), "heute");
}

// The session ends while the program runs (log-out, shutdown, Ctrl+C in a
// terminal): the program ends as closing its window does. A dialog that
// stands is cancelled, what was changed only in memory is in "data.db" and
// the lock is gone; nobody is asked, also when the save fails.
TEST_F(StartupTest, ASignalEndsTheProgramAsClosingItsWindowWithoutAsking) {
  struct Case {
    int signal;
    bool saveFails;
  } cases[] = {{SIGTERM, false}, {SIGHUP, false}, {SIGINT, false}, {SIGTERM, true}};
  int round = 0;
  for (const Case& c : cases) {
    const std::string tag = "signal-" + std::to_string(++round);
    SCOPED_TRACE(tag + (c.saveFails ? ", the save fails" : ""));
    const fs::path blocker = dataFolder() / "data_tmp.db";
    {
      platform::TestUi ui;
      OpenDemoPlant(ui);
      CPravikWinApp app;
      CStartup startup(app, options_);
      platform::TerminationSignals sessionEnd([&startup](int) { startup.EndUnattended(); });
      ASSERT_TRUE(startup.InitInstance());
      startup.Frame()->view()->model()->RecordAt(0)->SetValue(1, 21, tag);
      if (c.saveFails) {
        fs::remove(blocker);
        fs::create_directory(blocker);
      }
      int dialogResult = -1;
      QTimer::singleShot(0, [&] {
        QDialog standing(startup.Frame());
        QTimer::singleShot(0, [&] { ::raise(c.signal); });
        dialogResult = standing.exec();
      });
      ::testing::internal::CaptureStderr();
      EXPECT_EQ(RunMessageLoop(startup), 0);
      EXPECT_EQ(startup.ExitInstance(), 0);
      const std::string told = ::testing::internal::GetCapturedStderr();
      EXPECT_EQ(dialogResult, QDialog::Rejected);
      EXPECT_EQ(told.find("konnte nicht gespeichert werden") != std::string::npos, c.saveFails) << told;
      EXPECT_EQ(told.find("erneut gespeichert"), std::string::npos) << told;
    }
    EXPECT_FALSE(fs::exists(lockFile()));
    EXPECT_EQ(Ini("Allgemeines", "letzterAufruf"), "heute");
    EXPECT_EQ(Bytes(dataFolder() / "data.db").find(tag) != std::string::npos, !c.saveFails);
    if (c.saveFails) fs::remove(blocker);
  }
}

TEST_F(StartupTest, WithoutPlantsTheStartKeepsTheFolderAndLeavesTheIdentityEmpty) {
  fs::remove(program_ / "werk.dat");
  {
    platform::TestUi ui;  // no selection dialog
    CPravikWinApp app;
    CStartup startup(app, options_);
    ASSERT_TRUE(startup.InitInstance());
    EXPECT_TRUE(app.PlantIdentity.plantNumber.empty());
    EXPECT_EQ(startup.Frame()->view()->model()->RecordCount(), static_cast<int>(demo::MakeDemoRecords().size()));
    startup.ExitInstance();
  }
  EXPECT_FALSE(fs::exists(program_ / "werkeauswahl" / "configmap.dat"));
  EXPECT_FALSE(fs::exists(lockFile()));
}

// The default settings that the start writes cannot be written (a folder
// stands where "pravik.ini" belongs): the user is told, once for the whole
// run with its shutdown writes; the start goes on. Before, nothing was said.
TEST_F(StartupTest, SettingsThatCannotBeWrittenAreToldOnce) {
  fs::remove(program_ / "werk.dat");
  fs::remove(dataFolder() / "pravik.ini");
  fs::create_directory(dataFolder() / "pravik.ini");
  platform::TestUi ui;
  platform::ScriptedMessageBoxes boxes;
  auto count = [&boxes](const char* text) {
    return std::count_if(boxes.shown().begin(), boxes.shown().end(),
                         [text](const auto& box) { return box.text.find(text) != std::string::npos; });
  };
  {
    CPravikWinApp app;
    CStartup startup(app, options_);
    ASSERT_TRUE(startup.InitInstance());
    EXPECT_EQ(count("kann nicht geschrieben werden"), 1);  // told at the start
    EXPECT_EQ(startup.ExitInstance(), 0);
  }
  EXPECT_EQ(count("kann nicht geschrieben werden"), 1);  // and only then
  EXPECT_EQ(count("ist keine gewöhnliche Datei"), 1);    // the folder is named when the settings are first read
  EXPECT_EQ(count("kann nicht geschrieben werden") + count("ist keine gewöhnliche Datei"),
            static_cast<long>(boxes.shown().size()));
}

// ---------------------------------------------------------------- demo installation

// The armourstone entry of a demo record computed anew from its stored
// inputs, as its sheet would store it: the same field 26, and the status it
// gives stands in the record's list of marks. The form it has is counted.
void ExpectArmourstoneAsStored(const CVersuch& r, std::map<WBSForm, int>& forms) {
  const std::string field = r.GetField(26);
  const WBSForm form = GetWBSForm(field);
  ++forms[form];
  if (form == WBSForm::kNone) return;
  std::string again = field;
  std::string status;
  if (form == WBSForm::kSize) {
    const WBSSizeData sieving = ReadWBSSizeData(field);
    const SizeDistributionResult sized = StoreSizeDistribution({sieving.residues, sieving.category});
    WriteWBSSizeData(again, sized.data);
    status = sized.status;
    const WBSShapeData shape = ReadWBSShapeData(field);
    const StoneShapeResult shaped =
        ComputeStoneShape({shape.categoryIndex, shape.limit, shape.lengths, shape.thicknesses});
    WriteWBSShapeData(again, StoneShapeData(shaped, shape.categoryIndex, shape.categoryName));
    EXPECT_EQ(sieving.category, "CP 90/250");
    EXPECT_EQ(sized.data.requirements.size(), 5u);
    EXPECT_EQ(shape.validCount, "40");
    EXPECT_GT(shaped.bad, 0);
    EXPECT_EQ(shape.met, "1");
  } else {
    const WBSMassData weighing = ReadWBSMassData(field);
    const MassDistributionResult weighed =
        ComputeMassDistribution({weighing.masses, weighing.lengths, weighing.thicknesses, weighing.dust,
                                 weighing.category, std::stoi(weighing.massClass)});
    WriteWBSMassData(again, weighed.data);
    status = weighed.status;
    EXPECT_EQ(weighing.category, "LMA 5/40");
    EXPECT_EQ(weighed.validCount, 30);
    EXPECT_GT(weighed.badCount, 0);
    EXPECT_TRUE(weighed.lightMet);
  }
  EXPECT_EQ(again, field);
  EXPECT_EQ(status, "8");
  EXPECT_NE(r.GetField(29).find("[VA_WBS:" + status + "]"), std::string::npos) << r.GetField(29);
}

// The side tests of a demo track ballast: each with its status, its figures
// following from the stored masses.
void ExpectBallastSideTests(const CVersuch& r) {
  SCOPED_TRACE(r.GetValue(1, 0));
  for (const char* key :
       {"VA_GS_KORNFORM", "VA_GS_PLATTIGKEIT", "VA_GS_LAENGER100", "VA_GS_REINHEIT", "VA_GS_WASSER", "VA_GS_KRISTALL"}) {
    const std::string list = r.GetTestStatusList();
    EXPECT_TRUE(list.find(std::string("[") + key + ":8]") != std::string::npos ||
                list.find(std::string("[") + key + ":9]") != std::string::npos)
        << key << " " << list;
  }
  auto number = [&r](int field, int part) { return ParseNumber(r.GetValue(field, part)); };
  const double sample = number(18, 2);
  ASSERT_GT(sample, 20000);
  EXPECT_NEAR(number(16, 0), number(16, 10) * 100 / sample, 0.05);
  EXPECT_NEAR(number(14, 2), number(14, 1) * 100 / sample, 0.05);
  EXPECT_NEAR(number(12, 1), number(12, 17) * 100 / number(12, 16), 0.05);
  EXPECT_NEAR(number(23, 1), number(23, 17) * 100 / number(23, 16), 0.05);
  // Five stones, 100 x (wet - dry) / dry each, and their mean.
  double sum = 0;
  for (int j = 0; j < 5; ++j) {
    const std::string row = r.GetValue(17, 10 + j);
    const double dry = ParseNumber(StrGetFieldS(row, "@", 1)), wet = ParseNumber(StrGetFieldS(row, "@", 2));
    EXPECT_NEAR(ParseNumber(StrGetFieldS(row, "@", 4)), (wet - dry) * 100 / dry, 0.006);
    sum += (wet - dry) * 100 / dry;
  }
  EXPECT_NEAR(number(17, 4), sum / 5, 0.006);
  // Crystallisation: the loss of both classes in % of their initial masses.
  EXPECT_NEAR(number(13, 13), number(13, 3) + number(13, 8), 0.05);
  EXPECT_NEAR(number(13, 16), (number(13, 13) - number(13, 14)) * 100 / number(13, 13), 0.05);
  EXPECT_EQ(r.GetValue(13, 17), number(13, 16) <= 3.0 ? "1" : "0");
}

TEST(DemoInstallation, MakesEveryFileOnceAndNeverOverwrites) {
  TempFolder program;
  const fs::path data = program / "demo-data";
  const demo::DemoResult first = demo::MakeDemoInstallation(program.path(), data);
  ASSERT_TRUE(first.ok);
  EXPECT_EQ(first.written.size(), 6u);
  EXPECT_EQ(Bytes(program / "werk.dat"), "DEMO|34|Kieswerk Demo|12|Demo Kies und Schotter GmbH\r\n");
  EXPECT_TRUE(SameFolder(platform::ReadTextLines(program / "werkeauswahl" / "DEMO_datapfad.dat").value().at(0), data));

  RecordList records;
  ASSERT_TRUE(LoadRecordFile(records, data));
  ASSERT_EQ(records.size(), 42u);
  int ballast = 0, recycled = 0, armourstone = 0, flakiness = 0, petrography = 0, alkali = 0;
  int sandEquivalent = 0, composition = 0, waterContent = 0, ballastSideTests = 0;
  std::map<WBSForm, int> armourstoneForms;
  for (const auto& r : records) {
    ballast += r->IsGleisschotter();
    recycled += r->GetMaterialId().find("-RC-") != std::string::npos;
    armourstone += r->HasTestType("VA_WBS");
    if (r->HasTestType("VA_WBS")) ExpectArmourstoneAsStored(*r, armourstoneForms);
    if (r->HasTestType("VA_PLATT")) {
      EXPECT_FALSE(r->GetValue(23, 6).empty()) << "flakiness index";
      EXPECT_FALSE(r->GetValue(10, 0).empty()) << "sieve passing";
      ++flakiness;
    }
    if (r->IsGleisschotterNeu()) {
      // The sample mass of the sieving, also where the side tests wait for entering.
      EXPECT_GT(platform::ParseDouble(r->GetValue(18, 2)), 0.0) << r->GetValue(1, 0);
      ballastSideTests += !r->GetValue(13, 17).empty();
      if (!r->GetValue(13, 17).empty()) ExpectBallastSideTests(*r);
    }
    petrography += !r->GetValue(21, 24).empty();
    sandEquivalent += !r->GetValue(31, 8).empty();
    composition += !r->IsKorngemisch() && !r->GetValue(15, 0).empty();
    waterContent += !r->GetValue(17, 0).empty();
    if (!r->GetValue(27, 0).empty() && r->HasTestType("VA_ALKALI")) {
      EXPECT_EQ(StrCountFields(r->GetValue(27, 0), ';'), 7) << "size fractions";
      alkali += r->GetAlkaliData().find("E_OF:") != std::string::npos;
    }
  }
  EXPECT_GT(ballast, 0);
  EXPECT_GT(recycled, 0);
  EXPECT_GT(armourstone, 0);
  // All but one new track ballast with its side tests, that one left for entering.
  EXPECT_GE(ballastSideTests, 4);
  EXPECT_LT(ballastSideTests, ballast);
  // One sieving, one weighing, the rest left for entering.
  EXPECT_EQ(armourstoneForms[WBSForm::kSize], 1);
  EXPECT_EQ(armourstoneForms[WBSForm::kMass], 1);
  EXPECT_GT(armourstoneForms[WBSForm::kNone], 0);
  EXPECT_GT(flakiness, 0);
  EXPECT_GT(petrography, 0);
  EXPECT_GT(alkali, 0);
  EXPECT_GT(sandEquivalent, 0);
  EXPECT_GT(composition, 0);
  EXPECT_GT(waterContent, 0);
  std::vector<std::string> definitions;
  std::string error;
  EXPECT_TRUE(ReadMaterialDefs(data, definitions, error)) << error;
  EXPECT_EQ(LoadCustomerFile(data / "kunden.dat").customers.size(), 4u);

  // The user's changes survive a later run.
  platform::WriteFileBytes(data / "data.db", "changed");
  platform::WriteFileBytes(program / "werk.dat", "MINE|1|Mein Werk|2|Ich\r\n");
  const demo::DemoResult second = demo::MakeDemoInstallation(program.path(), data);
  EXPECT_TRUE(second.ok);
  EXPECT_TRUE(second.written.empty());
  EXPECT_EQ(Bytes(data / "data.db"), "changed");
  EXPECT_EQ(Bytes(program / "werk.dat"), "MINE|1|Mein Werk|2|Ich\r\n");
}

}  // namespace
