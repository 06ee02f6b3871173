#pragma once
// CMainFrame: the one main window. Menu bar, toolbar and status bar, the
// title with program, version and the open plant, the window placement kept
// in "pravik.ini", the language commands, saving all records when it closes
// and the new title when the sieve program has ended.
//
//   CMainFrame frame;                        // bars, menu, title
//   frame.SetView(new CForm1View(&doc));     // the view fills its list
//   frame.ActivateFrame();                   // stored placement, then shown
#include <QMainWindow>
#include <QPointer>
#include <optional>
#include <string>

#include "platform/commands.h"

class QLabel;
class QToolBar;
class CForm1View;
struct CPlantIdentity;

// The window placement kept in section "Layout": flags, show command and
// the normal rectangle (left, top, right, bottom).
struct FramePlacement {
  int flags = 0;
  int showCmd = 1;
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const FramePlacement&) const = default;
};
inline constexpr int kShowNormal = 1;
inline constexpr int kShowMinimized = 2;
inline constexpr int kShowMaximized = 3;

// The stored placement; nothing unless all six keys are present.
std::optional<FramePlacement> ReadFramePlacement();
bool WriteFramePlacement(const FramePlacement& placement);
// A left or top edge at or beyond the screen's edge comes back so that an
// icon's width (height) stays visible; the right and bottom edges stay.
FramePlacement KeepOnScreen(FramePlacement placement, int screenWidth, int screenHeight, int iconWidth = 32,
                            int iconHeight = 32);

// "Pravik <version> - WERKVERSION      Werk: <name> (<no>)      Betreiber: <name> (<no>)"
std::string FrameTitle(const CPlantIdentity& plant);

class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr int kMenuId = 128;
  // The question when saving at the end failed.
  static constexpr int kSaveFailedTextId = 6910;

  explicit CMainFrame(QWidget* parent = nullptr);
  ~CMainFrame() override;

  // Makes the view the frame's client, routes its commands and status text
  // through the frame, and runs its initial update.
  void SetView(CForm1View* view);
  CForm1View* view() const { return view_; }
  platform::CommandTable& commands() { return commands_; }
  QToolBar* toolBar() const { return toolBar_; }

  // The stored placement (the first time), then shows the window.
  void ActivateFrame();
  void UpdateFrameTitle();
  // The status bar's message pane.
  void SetMessageText(const std::string& text);
  std::string MessageText() const;

  void OnSpracheDeutsch();
  void OnSpracheEnglisch();
  // Stores the language, puts the menu in the new language, and renames the panel keys.
  void ReloadLanguageMenu();
  // After a switch from `before`: what follows only at the next start.
  void TellHeadingsFollowAtNextStart(const std::string& before);
  void OnVersionsUndSystemdaten();
  void OnMenueToolbarZuruecksetzen();
  // The sieve program has ended: the guard is lifted and the title restored.
  void OnSieveProgramEnded();

  // Saves all records before the window closes. After a failed save the
  // user chooses: try again, close anyway, or stay open. True: may close.
  // Once the close is unattended (the session ends), nobody is asked: the
  // save is tried once and the window closes.
  bool QueryClose();
  void SetUnattendedClose() { unattendedClose_ = true; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void CreateCommands();
  void CreateMenus();
  void CreateToolBar();
  void CreateStatusBar();
  // The menu in German, as the resource holds it, then translated.
  void ApplyMenuTexts();
  // The status-bar prompts of the commands of menus 128 and 140 and the toolbar.
  void ApplyCommandPrompts();
  void WritePlacement();

  platform::CommandTable commands_;
  QToolBar* toolBar_ = nullptr;
  QLabel* messagePane_ = nullptr;
  QPointer<CForm1View> view_;
  bool activated_ = false;
  // The list's column headings follow a language switch only at the next
  // start: said once a run.
  bool headingNoticeGiven_ = false;
  bool unattendedClose_ = false;
};
