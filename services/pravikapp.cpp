#include "services/pravikapp.h"

#include "controls/perslistctrl.h"
#include "i18n/translation.h"
#include "platform/files.h"
#include "platform/messagebox.h"
#include "records/strutil.h"
#include "services/appflags.h"
#include "services/cpvdialog.h"
#include "services/sysfuncs.h"

namespace {

CPravikWinApp* g_app = nullptr;
int g_waitDepth = 0;

// A file that a whole-file read refused, named to the user.
void ShowRefusedFile(const std::filesystem::path& file, platform::ReadRefusal refusal, std::uintmax_t limit) {
  std::string text =
      refusal == platform::ReadRefusal::kNotAFile
          ? TranslateString(63503, "Die Datei\n%s\nist keine gewöhnliche Datei (sondern ein Ordner, ein Gerät "
                                   "oder eine benannte Pipe) und wird nicht gelesen.")
          : TranslateString(63504, "Die Datei\n%s\nist größer als %d MB, viel größer als eine solche Datei je "
                                   "wird, und wird nicht gelesen.");
  StrReplace(text, "%s", file.string(), false);
  StrReplace(text, "%d", std::to_string(limit / (1024 * 1024)), false);
  platform::ShowMessageBox(text, platform::MB_OK | platform::MB_ICONWARNING);
}

}  // namespace

CPravikWinApp* GetApp() { return g_app; }

bool SieveProgramRuns() { return g_app && g_app->IsSieveProgramActive(); }

// ------------------------------------------------------------ CPravikApp

CPravikApp::CPravikApp() { ::SetEditAllowed(true); }

CPravikApp::~CPravikApp() = default;

bool CPravikApp::GetEditAllowed() const { return IsEditAllowed(); }

void CPravikApp::SetEditAllowed(bool allowed) { ::SetEditAllowed(allowed); }

int CPravikApp::GetProfileInt(std::string_view section, std::string_view key, int defaultValue) const {
  return m_Settings.Profile().GetInt(section, key, defaultValue);
}

std::string CPravikApp::GetProfileString(std::string_view section, std::string_view key,
                                         std::string_view defaultValue) const {
  return m_Settings.Profile().GetString(section, key, defaultValue);
}

bool CPravikApp::WriteProfileInt(std::string_view section, std::string_view key, int value) const {
  return WriteProfileString(section, key, std::to_string(value));
}

bool CPravikApp::WriteProfileString(std::string_view section, std::string_view key,
                                    std::string_view value) const {
  const bool written = m_Settings.Profile().WriteString(section, key, value);
  if (!written && IsIniSection(section)) ReportSettingsWriteFailure();
  return written;
}

void CPravikApp::ReportSettingsWriteFailure() const {
  if (settingsWriteFailureTold_) return;
  settingsWriteFailureTold_ = true;
  std::string text = TranslateString(
      63505, "Die Einstellungsdatei\n%s\nkann nicht geschrieben werden. Einstellungen wie Fensterposition, "
             "Spaltenbreiten, die Erinnerung an die Datensicherung und die zuletzt verwendeten Einträge werden "
             "deshalb nicht gespeichert.\nDieser Hinweis erscheint in diesem Programmlauf nur einmal.");
  StrReplace(text, "%s", m_Settings.m_IniPath.string(), false);
  platform::ShowMessageBox(text, platform::MB_OK | platform::MB_ICONWARNING);
}

QIcon CPravikApp::GetCommandIcon(int) const { return {}; }

// ------------------------------------------------------------ CPravikWinApp

CPravikWinApp::CPravikWinApp() : self_(std::make_shared<CPravikWinApp*>(this)), previous_(g_app) {
  g_app = this;
  SetCommandIconSource([](int commandId) { return g_app ? g_app->GetCommandIcon(commandId) : QIcon(); });
  // Lists keep their column widths in the profile.
  SetColumnWidthProfile({[](const std::string& section, const std::string& key, const std::string& defaultText) {
                           return g_app ? g_app->GetProfileString(section, key, defaultText) : defaultText;
                         },
                         [](const std::string& section, const std::string& key, const std::string& text) {
                           if (g_app) g_app->WriteProfileString(section, key, text);
                         }});
  platform::SetRefusalReporter(
      [](const std::filesystem::path& file, platform::ReadRefusal refusal, std::uintmax_t limit) {
        if (g_app) ShowRefusedFile(file, refusal, limit);
      });
}

CPravikWinApp::~CPravikWinApp() {
  DestroyWindows();
  *self_ = nullptr;
  if (g_app == this) g_app = previous_;
}

bool CPravikWinApp::IsSieveProgramActive() const {
  if (!SieveProgramActive) return false;
  platform::ShowMessageBox(TranslateString(5145, "Beenden Sie bitte zuerst das Kornsummenlinienprogramm!"),
                           platform::MB_OK | platform::MB_ICONWARNING);
  return true;
}

bool CPravikWinApp::StartSieveProgram(const std::filesystem::path& program,
                                      const std::vector<std::string>& arguments, std::function<void()> onEnd) {
  const int run = ++sieveRun_;
  std::weak_ptr<CPravikWinApp*> self = self_;
  auto ended = [self, run] {
    if (auto app = self.lock(); app && *app) (*app)->OnSieveProgramEnded(run);
  };
  sieveRunEnd_ = std::move(onEnd);
  if (!LaunchProgram(program, arguments, ended)) {
    sieveRunEnd_ = nullptr;
    return false;
  }
  SieveProgramActive = true;
  return true;
}

void CPravikWinApp::OnSieveProgramEnded(int run) {
  // Only the end of the program that set the flag clears it.
  if (run != sieveRun_) return;
  SieveProgramActive = false;
  if (sieveEndHandler_) sieveEndHandler_();
  std::function<void()> end = std::move(sieveRunEnd_);
  sieveRunEnd_ = nullptr;
  if (end) end();
}

void CPravikWinApp::ShowWaitWindow(bool show) {
  if (show) {
    if (!waitWindow_) CreateWaitWindow();
    waitWindow_->ShowNow();
  } else if (waitWindow_) {
    waitWindow_->hide();
  }
}

CMomentBitteDlg* CPravikWinApp::CreateWaitWindow(QWidget* owner) {
  if (!waitWindow_) {
    waitWindow_ = new CMomentBitteDlg(owner);
    waitWindow_->Create();
  }
  return waitWindow_;
}

CSplash* CPravikWinApp::CreateSplash() {
  if (!splash_) {
    splash_ = new CSplash();
    splash_->Create();
  }
  return splash_;
}

void CPravikWinApp::DestroyWindows() {
  delete waitWindow_;
  delete splash_;
}

void CPravikWinApp::SetCommandImage(int commandId, const QIcon& icon) { commandImages_[commandId] = icon; }

QIcon CPravikWinApp::GetCommandIcon(int commandId) const {
  auto it = commandImages_.find(commandId);
  return it == commandImages_.end() ? QIcon() : it->second;
}

// ------------------------------------------------------------ WaitWindowScope

WaitWindowScope::WaitWindowScope(bool show) : shown_(show) {
  if (!shown_) return;
  if (g_waitDepth++ == 0)
    if (CPravikWinApp* app = GetApp()) app->ShowWaitWindow(true);
}

WaitWindowScope::~WaitWindowScope() {
  if (!shown_) return;
  if (--g_waitDepth == 0)
    if (CPravikWinApp* app = GetApp()) app->ShowWaitWindow(false);
}
