#pragma once
// The one application object: the settings, the editing flag, the identity
// of the open plant, the flag of the running sieve program with its guard,
// the indexes of test numbers and record IDs, the customer names, the splash
// and wait windows and the command icons.
//
// The object registers itself as the application while it lives (GetApp());
// tests make one on the stack. Its windows need a running QApplication, so it
// must end before the QApplication does.
#include <QIcon>
#include <QPointer>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "records/plantidentity.h"
#include "services/settings.h"

#include "services/splash.h"
#include "services/waitwindow.h"

// Keys with empty values: the test numbers or record IDs of the list.
using KeyIndex = std::unordered_map<std::string, std::string>;


// The base: the settings and the profile functions routed through them.
class CPravikApp {
 public:
  CPravikApp();
  virtual ~CPravikApp();
  CPravikApp(const CPravikApp&) = delete;
  CPravikApp& operator=(const CPravikApp&) = delete;

  CProgrammEinstellungen m_Settings;

  // Cleared only while a test that does not apply to the record is opened
  // for looking at; dialogs opened meanwhile cannot be confirmed.
  bool GetEditAllowed() const;
  void SetEditAllowed(bool allowed);

  // Every section goes to the data folder's "pravik.ini" except "Workspace"
  // and "Settings", which stay in the user's configuration.
  int GetProfileInt(std::string_view section, std::string_view key, int defaultValue) const;
  std::string GetProfileString(std::string_view section, std::string_view key,
                               std::string_view defaultValue = {}) const;
  // A write into "pravik.ini" that fails is told to the user once per run
  // (ReportSettingsWriteFailure); callers that report it themselves write
  // through m_Settings.Profile().
  bool WriteProfileInt(std::string_view section, std::string_view key, int value) const;
  bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value) const;
  // Says, the first time in this run only, that "pravik.ini" cannot be
  // written: window placement, column layout, the backup reminder and the
  // recent entries are not kept. Many such writes happen unasked.
  void ReportSettingsWriteFailure() const;

  // The icon of a command (null when it has none).
  virtual QIcon GetCommandIcon(int commandId) const;

 private:
  mutable bool settingsWriteFailureTold_ = false;
};

class CPravikWinApp : public CPravikApp {
 public:
  CPravikWinApp();
  ~CPravikWinApp() override;

  CPlantIdentity PlantIdentity;
  // Set while the external sieve program runs.
  bool SieveProgramActive = false;
  KeyIndex TestNumberIndex;
  KeyIndex TestRecordIdIndex;
  // Customer ID to customer name.
  KeyIndex CustomerNameMap;

  // The guard of the commands that change records or start programs: while
  // the sieve program runs it says so (every time it is asked) and gives
  // true; the caller then abandons its command.
  bool IsSieveProgramActive() const;

  // Starts the sieve program; on success SieveProgramActive is set until the
  // program's process ends, however it ends. A failed start is reported and
  // leaves the flag alone. `onEnd` runs at the end of this run, after the
  // flag has been cleared and the end handler has run.
  bool StartSieveProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                         std::function<void()> onEnd = {});
  // Called after the flag has been cleared at the sieve program's end (the
  // main window rebuilds its title there).
  void SetSieveProgramEndHandler(std::function<void()> handler) { sieveEndHandler_ = std::move(handler); }

  // The "Moment bitte!" window around long operations: shown and painted at
  // once, or hidden (nothing happens to a hidden or missing one).
  void ShowWaitWindow(bool show);
  // Creates the wait window hidden (the main frame does so while it is made).
  CMomentBitteDlg* CreateWaitWindow(QWidget* owner = nullptr);
  CMomentBitteDlg* WaitWindow() const { return waitWindow_; }

  // Creates and shows the splash window.
  CSplash* CreateSplash();
  CSplash* Splash() const { return splash_; }

  // Ends the splash and wait windows (at shutdown).
  void DestroyWindows();

  // The toolbar images of the commands, as the main frame loads them.
  void SetCommandImage(int commandId, const QIcon& icon);
  QIcon GetCommandIcon(int commandId) const override;

 private:
  void OnSieveProgramEnded(int run);

  // Guarded: an owner window may end the wait window before we do.
  QPointer<CMomentBitteDlg> waitWindow_;
  QPointer<CSplash> splash_;
  std::map<int, QIcon> commandImages_;
  std::function<void()> sieveEndHandler_;
  int sieveRun_ = 0;
  std::function<void()> sieveRunEnd_;  // of the current run
  // Lets a notice that comes after the object has ended find out.
  std::shared_ptr<CPravikWinApp*> self_;
  CPravikWinApp* previous_ = nullptr;
};

// The application object in force; nullptr when there is none.
CPravikWinApp* GetApp();

// Whether the sieve program of the application in force runs (the user is
// then asked to end it first); false without an application.
bool SieveProgramRuns();

// Shows the application's wait window while it lives (when `show` is true);
// nested scopes keep it up until the outermost ends.
class WaitWindowScope {
 public:
  explicit WaitWindowScope(bool show = true);
  ~WaitWindowScope();
  WaitWindowScope(const WaitWindowScope&) = delete;
  WaitWindowScope& operator=(const WaitWindowScope&) = delete;

 private:
  bool shown_ = false;
};
