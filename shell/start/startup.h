#pragma once
// Start-up and shutdown of the program.
//
// CStartup runs the start in this order, a failing step ending it: the data
// folder ("datapfad.dat") and its settings; the plant selection (the chosen
// plant's folder is read again); the check of the data folder; the
// single-instance guard (skipped while Shift is held); the data-folder lock;
// then the settings' missing defaults, the clean-up of temporary files, the
// folder's missing sub-folders, the offer of a newer category database, the
// splash window, the document (which loads "data.db"), the main frame with
// the main view, the daily copies of "data.db", and the main window is shown.
//
// A start refused by the check, the guard or the lock writes nothing into the
// data folder: the settings' missing defaults, the category database and the
// clean-up of temporary files left by killed saves come after the lock. Once
// the lock is taken, every end (also a failed later step) writes
// "letzterAufruf" and then releases it.
//
//   CPravikWinApp app;
//   CStartup startup(app, {});
//   if (startup.InitInstance()) RunMessageLoop(startup);
//   return startup.ExitInstance();
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "records/recordfile.h"

class CMainFrame;
class CPravikDoc;
class CPravikWinApp;
class CLock;
class SingleInstanceGuard;
namespace platform {
class MessageBoxHandler;
}

struct StartupOptions {
  // The program folder; empty: the folder of the running program file.
  std::filesystem::path programFolder;
  // Where the single-instance guard keeps its lock file (empty: the user's
  // runtime folder).
  std::filesystem::path instanceGuardFolder;
  // Skips the guard as holding Shift does.
  bool skipInstanceGuard = false;
};

// Exit statuses of a start that ended early.
inline constexpr int kExitStartRefused = 1;
// (kExitNoRecordFile, pravikdoc.h: "data.db" could not be read.)

// The sub-folders that the start creates in the data folder.
const std::vector<std::string>& DataSubFolders();
// The program folder's folder of the plant selection files.
inline constexpr char kPlantSelectionFolder[] = "werkeauswahl";

// The checks of the data folder (before the guard and the lock: they write
// nothing): the folder must exist and hold "data.db", or a sound
// "data_tmp.db" from which the document recovers. False after the message,
// which names the sound daily copies that could be copied back.
bool CheckDataFolder(const std::filesystem::path& dataFolder);
// The rule of that check, without a message.
bool HoldsRecordFile(const std::filesystem::path& dataFolder);
// Creates the missing sub-folders and clears the read-only bits of the files
// directly in the data folder and in "stat", "misch" and "archiv". Failures
// are passed over.
void PrepareDataFolder(const std::filesystem::path& dataFolder);

// The daily copies of the record file: "data.db.01" (newest) to ".10"
// (oldest), rotated at a start unless ".01" exists and "data.db" was written
// today. The generations move on by renaming (".09" to ".10" down to ".01" to
// ".02"); the newest is a second name of "data.db" (a hard link) where the
// file system allows it, else a copy that is checked to be a sound record
// file before it is taken. The newest is made before anything moves; a step
// that fails stops the rotation there, so that no generation is overwritten,
// and the user is told. Nothing happens without "data.db".
// (kDailyCopies and DailyCopyName: records/recordfile.h.) The start calls it
// only for a "data.db" that passed its check at the load.
enum class DailyCopyWay { LinkWherePossible, Copy };
void BackupRecordFileDaily(const std::filesystem::path& recordFile,
                           DailyCopyWay way = DailyCopyWay::LinkWherePossible);

// Offers "data/Kategorien.db" of the program folder when it is larger than
// the data folder's copy (or that is missing); Yes copies it over. Nothing
// when both name the same file.
void OfferCategoryDatabase(const std::filesystem::path& programFolder, const std::filesystem::path& dataFolder);

// Removes the temporary files that killed or crashed saves left in the data
// folder and its sub-folders (none that a running process holds), and the
// copy a cut-short material file rewrite left; tells the user only about
// files that could not be removed. Run once the lock is ours.
void RemoveLeftoverTemporaryFiles(const std::filesystem::path& dataFolder);

// The message of a document, frame or view that could not be made.
std::string CreationFailureText(bool document, bool frame, bool view, const std::filesystem::path& dataFolder);

class CStartup {
 public:
  CStartup(CPravikWinApp& app, StartupOptions options);
  ~CStartup();
  CStartup(const CStartup&) = delete;
  CStartup& operator=(const CStartup&) = delete;

  // The start-up sequence; false: the program ends (ExitStatus tells how).
  bool InitInstance();
  // Closes the main window, which saves every record; false when it stays
  // open (the user kept it after a failed save). True without a window.
  bool CloseMainWindow();
  // The shutdown: ends the main window (saving every record) if it is still
  // open, writes "letzterAufruf" and then releases the lock when the lock was
  // ours, ends the splash and wait windows. Gives the program's exit status;
  // runs once (the destructor runs it when nobody did).
  int ExitInstance(int status = 0);
  int ExitStatus() const { return exitStatus_; }

  // Ends the program as closing its window does, but unattended, for a
  // session that ends (a signal): nobody is asked on a display that is going
  // away. Open dialogs are cancelled, message boxes go to standard error
  // instead of the screen, and the message loops end; the shutdown that
  // follows saves every record and releases the lock.
  void EndUnattended();
  bool EndingUnattended() const { return endingUnattended_; }

  // Shows the About box.
  void OnAppAbout();

  CMainFrame* Frame() const { return frame_.get(); }
  CPravikDoc* Document() const { return document_.get(); }
  bool HoldsLock() const;
  const std::filesystem::path& ProgramFolder() const { return programFolder_; }

 private:
  bool Fail(int status);
  bool ReadDataFolder();

  CPravikWinApp& app_;
  StartupOptions options_;
  std::filesystem::path programFolder_;
  std::unique_ptr<SingleInstanceGuard> guard_;
  std::unique_ptr<CLock> lock_;
  std::unique_ptr<CPravikDoc> document_;
  std::unique_ptr<CMainFrame> frame_;
  std::unique_ptr<platform::MessageBoxHandler> unattendedBoxes_;
  platform::MessageBoxHandler* attendedBoxes_ = nullptr;
  bool endingUnattended_ = false;
  bool lockTaken_ = false;
  bool exited_ = false;
  int exitStatus_ = 0;
};

// The message loop of a started program. Whichever way the loop ends, the
// shutdown may only follow once the main window has closed: when it stays
// open, the loop runs on. Gives the loop's exit status. An unattended end
// asked for before (during the start) runs no loop.
int RunMessageLoop(CStartup& startup);

// The whole program: QApplication, start-up, message loop, shutdown.
// SIGTERM, SIGHUP and SIGINT end it unattended (CStartup::EndUnattended).
int RunApplication(int argc, char** argv, const StartupOptions& options = {});
