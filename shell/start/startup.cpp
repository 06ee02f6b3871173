#include "shell/start/startup.h"

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <clocale>
#include <filesystem>
#include <iostream>

#include "i18n/translation.h"
#include "platform/datetime.h"
#include "platform/files.h"
#include "platform/heap.h"
#include "platform/messagebox.h"
#include "platform/sharedfolder.h"
#include "platform/terminationsignals.h"
#include "records/matdef_extract.h"
#include "records/recordfile.h"
#include "records/strutil.h"
#include "services/pravikapp.h"
#include "services/pravikdoc.h"
#include "services/sysfuncs.h"
#include "services/translate_ui.h"
#include "shell/mainview/form1view.h"
#include "shell/mainview/mainframe.h"
#include "shell/start/aboutdlg.h"
#include "shell/start/lock.h"
#include "shell/start/singleinstance.h"
#include "shell/start/werkauswahl.h"

namespace fs = std::filesystem;

namespace {

constexpr int kAboutCommand = 57664;

// The files directly inside a folder whose owner may not write them get the
// write bit back.
void ClearReadOnlyFiles(const fs::path& folder) {
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code fileEc;
    if (!it->is_regular_file(fileEc)) continue;
    const fs::perms perms = it->status(fileEc).permissions();
    if (fileEc) continue;
    if ((perms & fs::perms::owner_write) == fs::perms::none)
      fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, fileEc);
  }
}

// The boxes of an unattended end: written to standard error (a session log
// keeps them), answered with their default button.
class UnattendedMessageBoxes : public platform::MessageBoxHandler {
 public:
  int Show(const platform::MessageBoxRequest& request) override {
    std::cerr << request.caption << ": " << request.text << std::endl;
    return platform::DefaultMessageBoxAnswer(request.flags);
  }
};

bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  if (fs::equivalent(a, b, ec)) return true;
  return fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec);
}

}  // namespace

const std::vector<std::string>& DataSubFolders() {
  static const std::vector<std::string> folders = {"stat", "misch", "archiv", "tmp", "ausgabe", "matdef",
                                                   "unterschriften"};
  return folders;
}

bool CheckDataFolder(const fs::path& dataFolder) {
  if (!platform::FolderExists(dataFolder)) {
    platform::ShowMessageBox(
        TranslateString(5247, "Der Zugriff auf den Daten-Ordner \nist nicht möglich! Das Programm wird beendet.\n  ") +
            dataFolder.string(),
        platform::MB_OK | platform::MB_ICONSTOP, TranslateString(5146, "Kein Zugriff auf Daten-Ordner"));
    return false;
  }
  const fs::path recordFile = dataFolder / kRecordFileName;
  if (HoldsRecordFile(dataFolder)) return true;
  // What the user can copy back is named with the refusal.
  platform::ShowMessageBox(TranslateString(5248, "Der Zugriff auf die Datei:") + " '" + recordFile.string() + "' " +
                               TranslateString(5147, "ist nicht möglich! Das Programm wird beendet.\n") + "\n" +
                               SoundDailyCopiesText(dataFolder),
                           platform::MB_OK | platform::MB_ICONSTOP,
                           TranslateString(5148, "Kein Zugriff auf Daten-Datei"));
  return false;
}

void RemoveLeftoverTemporaryFiles(const fs::path& dataFolder) {
  std::vector<fs::path> failed = platform::RemoveOrphanedTemporaryFiles(dataFolder);
  for (const std::string& name : DataSubFolders()) {
    std::vector<fs::path> more = platform::RemoveOrphanedTemporaryFiles(dataFolder / name);
    failed.insert(failed.end(), more.begin(), more.end());
  }
  if (const auto stuck = RemoveLeftoverMaterialCopy(dataFolder)) failed.push_back(*stuck);
  if (failed.empty()) return;
  std::string text = TranslateString(60101, "Diese temporären Dateien abgebrochener Speichervorgänge konnten "
                                            "nicht entfernt werden:");
  for (const fs::path& file : failed) text += "\n" + file.string();
  platform::ShowMessageBox(text, platform::MB_OK | platform::MB_ICONWARNING);
}

bool HoldsRecordFile(const fs::path& dataFolder) {
  if (!platform::FolderExists(dataFolder)) return false;
  if (platform::FileExists(dataFolder / kRecordFileName)) return true;
  // A save that was cut short leaves only the sound copy; the document recovers from it.
  return ValidateRecordFile(dataFolder / kRecordTempFileName);
}

void PrepareDataFolder(const fs::path& dataFolder) {
  for (const std::string& name : DataSubFolders()) platform::CreateFolder(dataFolder / name);
  ClearReadOnlyFiles(dataFolder);
  for (const char* name : {"stat", "misch", "archiv"}) ClearReadOnlyFiles(dataFolder / name);
}

namespace {

// The newest daily copy under a temporary name: a second name of the record
// file where the file system has them (every save replaces "data.db" by a
// rename and never writes into it, so that name keeps today's bytes), else a
// copy that must read as a sound record file before it is taken. Empty when
// neither could be made.
fs::path MakeNewestDailyCopy(const fs::path& recordFile, DailyCopyWay way) {
  const fs::path newest = platform::TemporarySibling(DailyCopyName(recordFile, 1));
  if (way == DailyCopyWay::LinkWherePossible && platform::LinkFile(recordFile, newest)) return newest;
  // A copy of a large file takes a while.
  WaitWindowScope wait;
  // On a share our cache may still give the size from before another
  // computer's save: a cut-off copy is made again after pauses.
  if (platform::ReadAgainWhileStale(recordFile,
                                    [&] { return platform::CopyFile(recordFile, newest) && ValidateRecordFile(newest); }))
    return newest;
  platform::DeleteFile(newest);
  return {};
}

void ShowDailyCopyFailure(const std::string& text) {
  platform::ShowMessageBox(text, platform::MB_OK | platform::MB_ICONWARNING);
}

}  // namespace

void BackupRecordFileDaily(const fs::path& recordFile, DailyCopyWay way) {
  const auto written = platform::FileModificationTime(recordFile);
  // Rotating without a record file would only push the oldest copy out.
  if (!written) return;
  if (platform::FileExists(DailyCopyName(recordFile, 1)) &&
      platform::FormatLocalTime("%Y%m%d", *written) == platform::FormatLocalTime("%Y%m%d", platform::Now()))
    return;
  // Made first, so that a copy that fails leaves every generation where it was.
  const fs::path newest = MakeNewestDailyCopy(recordFile, way);
  if (newest.empty()) {
    std::string text = TranslateString(65001, "Die Tageskopie der Datenbank konnte nicht angelegt werden:");
    ShowDailyCopyFailure(text + "\n" + DailyCopyName(recordFile, 1).string());
    return;
  }
  // Oldest first, each into the name its elder has just left: a step that
  // fails ends the rotation there, with no generation overwritten.
  for (int n = kDailyCopies - 1; n >= 1; --n) {
    const fs::path from = DailyCopyName(recordFile, n);
    if (!platform::FileExists(from)) continue;
    const fs::path to = DailyCopyName(recordFile, n + 1);
    if (!platform::RenameFile(from, to)) {
      platform::DeleteFile(newest);
      platform::SyncFolder(recordFile.parent_path());
      std::string text = TranslateString(65000,
                                          "Die Tageskopien der Datenbank konnten nicht weitergeschoben werden: "
                                          "%1 kann nicht in %2 umbenannt werden.\nKeine ältere Kopie wurde "
                                          "überschrieben, und heute wurde keine neue Tageskopie angelegt.");
      StrReplace(text, "%1", from.string(), false);
      StrReplace(text, "%2", to.string(), false);
      ShowDailyCopyFailure(text);
      return;
    }
  }
  if (!platform::RenameFile(newest, DailyCopyName(recordFile, 1))) {
    platform::DeleteFile(newest);
    std::string text = TranslateString(65001, "Die Tageskopie der Datenbank konnte nicht angelegt werden:");
    ShowDailyCopyFailure(text + "\n" + DailyCopyName(recordFile, 1).string());
  }
  platform::SyncFolder(recordFile.parent_path());
}

void OfferCategoryDatabase(const fs::path& programFolder, const fs::path& dataFolder) {
  const fs::path source = programFolder / "data" / "Kategorien.db";
  const fs::path target = dataFolder / "Kategorien.db";
  const auto sourceSize = platform::FileSize(source);
  if (!sourceSize || SameFile(source, target)) return;
  if (*sourceSize <= platform::FileSize(target).value_or(0)) return;
  if (platform::ShowMessageBox("Neue Kategorie Datenbank übernehmen ?",
                               platform::MB_YESNOCANCEL | platform::MB_ICONSTOP) != platform::IDYES)
    return;
  // The user asked for the new database: a copy that fails must say so.
  if (!platform::CopyFileAtomic(source, target))
    platform::ShowMessageBox(TranslateString(7303, "Die Datei kann nicht geschrieben werden:") + "\n" + target.string(),
                             platform::MB_OK | platform::MB_ICONSTOP);
}

std::string CreationFailureText(bool document, bool frame, bool view, const fs::path& dataFolder) {
  auto state = [](bool made) { return std::string(made ? "ok" : "-"); };
  return "\na= " + state(document) + "\nb= " + state(frame) + "\nc= " + state(view) + "\nd= " +
         (dataFolder / kRecordFileName).string();
}

CStartup::CStartup(CPravikWinApp& app, StartupOptions options) : app_(app), options_(std::move(options)) {}

CStartup::~CStartup() {
  ExitInstance(exitStatus_);
  if (unattendedBoxes_) platform::SetMessageBoxHandler(attendedBoxes_);
}

bool CStartup::HoldsLock() const { return lock_ && lock_->IsLocked(); }

bool CStartup::Fail(int status) {
  exitStatus_ = status;
  return false;
}

bool CStartup::ReadDataFolder() {
  if (!app_.m_Settings.ReadDataFolder(programFolder_)) return false;
  // The settings name the language; Qt's own dialogs follow it from here on.
  InstallQtTranslations();
  return true;
}

bool CStartup::InitInstance() {
  programFolder_ = options_.programFolder;
  if (programFolder_.empty() && !GetProgramFolder(programFolder_)) return Fail(kExitStartRefused);

  // 1. The data folder and its settings.
  if (!ReadDataFolder()) return Fail(kExitStartRefused);
  // 3. The plant; its folder becomes the data folder.
  platform::CreateFolder(programFolder_ / kPlantSelectionFolder);
  switch (RunPlantSelection(app_, programFolder_)) {
    case PlantSelectionResult::Cancelled:
      return Fail(kExitStartRefused);
    case PlantSelectionResult::Opened:
      if (!ReadDataFolder()) return Fail(kExitStartRefused);
      break;
    case PlantSelectionResult::NoPlants:
      break;
  }
  const fs::path dataFolder = app_.m_Settings.m_DataFolder;
  // 4. The checks only: a refused start must leave the folder as it was.
  if (!CheckDataFolder(dataFolder)) return Fail(kExitStartRefused);
  // 5. One instance per display, unless Shift is held.
  const bool shift = QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
  if (!options_.skipInstanceGuard && !shift) {
    guard_ = std::make_unique<SingleInstanceGuard>();
    if (!options_.instanceGuardFolder.empty()) guard_->SetFolder(options_.instanceGuardFolder);
    if (!guard_->Acquire()) return Fail(kExitStartRefused);
  }
  // 6. The data folder is ours from here on.
  lock_ = std::make_unique<CLock>();
  if (!lock_->Lock(dataFolder)) return Fail(kExitStartRefused);
  lockTaken_ = true;
  // Only now may the start write into the data folder.
  if (!app_.m_Settings.WriteMissingDefaults()) app_.ReportSettingsWriteFailure();
  RemoveLeftoverTemporaryFiles(dataFolder);
  PrepareDataFolder(dataFolder);
  // A newer category database, offered for the folder that is ours.
  OfferCategoryDatabase(programFolder_, dataFolder);

  // 7. PlantIdentity: filled by the plant selection when a plant was opened;
  // without plants it stays empty and new records are refused.
  // 9. The splash window, until the list is filled.
  app_.CreateSplash();
  // 11. The document with every record, the main frame and the main view.
  document_ = std::make_unique<CPravikDoc>();
  if (!document_->OnNewDocument()) return Fail(kExitNoRecordFile);
  frame_ = std::make_unique<CMainFrame>();
  if (frame_) frame_->SetView(new CForm1View(document_.get()));
  if (!frame_ || !frame_->view()) {
    platform::ShowMessageBox(CreationFailureText(true, frame_ != nullptr, false, dataFolder),
                             platform::MB_OK | platform::MB_ICONWARNING);
    return Fail(kExitStartRefused);
  }
  frame_->commands().SetHandler(kAboutCommand, [this] { OnAppAbout(); });
  // 12. The daily copies of the record file: only of one that passed its
  // check, so that a damaged file never pushes a sound generation out.
  if (document_->m_DataFileSound) BackupRecordFileDaily(dataFolder / kRecordFileName);
  // The room the load took beforehand and left unused goes back.
  platform::ReleaseUnusedHeap();
  // 13. The main window.
  frame_->ActivateFrame();
  frame_->repaint();
  return true;
}

int CStartup::ExitInstance(int status) {
  if (exited_) return exitStatus_;
  exited_ = true;
  if (status != 0) exitStatus_ = status;
  // The main window saves every record and writes its layout while the
  // folder is still ours.
  if (frame_) {
    if (endingUnattended_) frame_->SetUnattendedClose();
    if (frame_->isVisible()) frame_->close();
    frame_.reset();
  }
  document_.reset();
  // Written while the folder is still ours.
  if (lockTaken_) app_.WriteProfileString("Allgemeines", "letzterAufruf", "heute");
  if (lock_) lock_->Unlock();
  app_.DestroyWindows();
  return exitStatus_;
}

bool CStartup::CloseMainWindow() {
  if (!frame_ || !frame_->isVisible()) return true;
  // Also a frame made after the end was asked for (during the start).
  if (endingUnattended_) frame_->SetUnattendedClose();
  return frame_->close();
}

void CStartup::EndUnattended() {
  if (endingUnattended_) return;
  endingUnattended_ = true;
  attendedBoxes_ = platform::CurrentMessageBoxHandler();
  unattendedBoxes_ = std::make_unique<UnattendedMessageBoxes>();
  platform::SetMessageBoxHandler(unattendedBoxes_.get());
  // Each open dialog is cancelled as its Cancel button would; the code that
  // opened it goes on as after a Cancel.
  for (int dialogs = 0; dialogs < 64; ++dialogs) {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) break;
    if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    else modal->close();
  }
  // Ends every running loop; the shutdown follows RunMessageLoop.
  QApplication::exit(0);
}

void CStartup::OnAppAbout() {
  CAboutDlg about(frame_.get());
  about.DoModal();
}

int RunApplication(int argc, char** argv, const StartupOptions& options) {
  QApplication qtApp(argc, argv);
  // Qt takes the locale from the environment; numbers are never locale-dependent.
  std::setlocale(LC_NUMERIC, "C");
  CPravikWinApp app;
  StartupOptions resolved = options;
  if (resolved.programFolder.empty()) {
    GetProgramFolder(resolved.programFolder);
    std::error_code ec;
    if (!resolved.programFolder.empty()) fs::current_path(resolved.programFolder, ec);
  }
  CStartup startup(app, resolved);
  platform::TerminationSignals sessionEnd([&startup](int) { startup.EndUnattended(); });
  // The command line is not interpreted: every start opens the one document.
  if (!startup.InitInstance()) return startup.ExitInstance();
  const int status = RunMessageLoop(startup);
  return startup.ExitInstance(status);
}

int RunMessageLoop(CStartup& startup) {
  int status = 0;
  do {
    if (!startup.EndingUnattended()) status = QApplication::exec();
  } while (!startup.CloseMainWindow());
  return status;
}
