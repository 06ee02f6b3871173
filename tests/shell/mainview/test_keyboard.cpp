// The main window from the keyboard alone: the focus chain of the view, the
// keys that open what the mouse opens, F10, the letters of the menus and the
// form's buttons in both languages, the panel's look after Alt was let go
// elsewhere or the record changed, and the prompt a closed menu leaves.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>
#include <functional>
#include <set>

#include "controls/exlistctrl.h"
#include "evaluation/grunddaten/grunddatendlg.h"
#include "evaluation/organisch/organursprungsdmdlg.h"
#include "evaluation/plattigkeit/plattigkeitdlg.h"
#include "i18n/translation.h"
#include "mainview_testing.h"
#include "platform/dialog.h"
#include "platform/files.h"
#include "records/strutil.h"
#include "services/appflags.h"
#include "shell/mainview/form1view.h"
#include "shell/mainview/form1view_panel.h"
#include "shell/mainview/mainframe.h"
#include "shell/records/debugdlg.h"
#include "shell/statistics/statistikdlg.h"
#include "support/scripted_ui_gtest.h"

namespace fs = std::filesystem;
using namespace platform;

namespace {

const fs::path kShippedEnglish =
    fs::path(PRAVIK_FIXTURES) / ".." / ".." / "resources" / "programfolder" / "PravikLang-en.txt";

constexpr int kList = CForm1View::kListId;
constexpr int kPanel = CButtonListbox::kControlId;

class Keyboard : public MainFrameTesting {
 protected:
  void SetUp() override {
    MainFrameTesting::SetUp();
    app_.PlantIdentity = {"12", "Schotterwerke Südbaden", "34", "Kieswerk Mühlhausen"};
  }
  CMainFrame& Show() {
    Open();
    frame_->resize(1200, 800);
    frame_->show();
    frame_->activateWindow();
    EXPECT_TRUE(SpinUntil([this] { return QApplication::activeWindow() == frame_.get(); }));
    return *frame_;
  }
  CForm1View& view() { return *frame_->view(); }
  int RowOf(const std::string& number) { return MainViewTesting::RowOf(*view().model(), number); }
  void Select(const std::string& number) { SelectRows(view(), {RowOf(number)}); }

  // The control id of the widget with the keyboard focus in the main window.
  int Focused() { return frame_->focusWidget() ? ControlId(frame_->focusWidget()) : 0; }
  void Focus(int id) {
    if (id == kList) view().list()->setFocus();
    else if (id == kPanel) view().panel()->setFocus();
    else view().button(id)->setFocus();
  }
  // A key pressed and let go where the keyboard focus is.
  static void Press(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(target->window()->focusWidget() ? target->window()->focusWidget() : target, &release);
  }
  void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    Press(frame_->focusWidget() ? frame_->focusWidget() : frame_.get(), key, modifiers);
  }
  // The controls Tab (or Shift+Tab) visits until it is back in the list.
  std::vector<int> Walk(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    std::vector<int> visited;
    for (int i = 0; i < 20 && (visited.empty() || visited.back() != kList); ++i) {
      Press(key, modifiers);
      visited.push_back(Focused());
    }
    return visited;
  }
};

// ------------------------------------------------------------ focus chain

TEST_F(Keyboard, TabWalksTheLeftColumnThePanelAndTheList) {
  Show();
  Select("12-34-0002");
  ASSERT_EQ(Focused(), kList);  // where every selection leaves the keys
  const std::vector<int> forward = {CForm1View::kNewRecordButton,
                                    CForm1View::kDeleteButton,
                                    kPanel,
                                    CForm1View::kPeriodStatisticsButton,
                                    CForm1View::kMaterialStatisticsButton,
                                    CForm1View::kSameTowerButton,
                                    CForm1View::kMixtureButton,
                                    CForm1View::kTogglePanelButton,
                                    kList};
  EXPECT_EQ(Walk(Qt::Key_Tab), forward);
  std::vector<int> backward(forward.rbegin() + 1, forward.rend());
  backward.push_back(kList);
  EXPECT_EQ(Walk(Qt::Key_Backtab, Qt::ShiftModifier), backward);

  // A disabled button is passed over; the panel folded away too.
  SelectRows(view(), {});
  EXPECT_EQ(Walk(Qt::Key_Tab),
            (std::vector<int>{CForm1View::kNewRecordButton, kPanel, CForm1View::kPeriodStatisticsButton,
                              CForm1View::kMaterialStatisticsButton, CForm1View::kSameTowerButton,
                              CForm1View::kTogglePanelButton, kList}));
  Focus(CForm1View::kTogglePanelButton);
  Press(Qt::Key_Space);
  ASSERT_FALSE(view().PanelExpanded());
  Focus(kList);
  EXPECT_EQ(Walk(Qt::Key_Tab), (std::vector<int>{CForm1View::kTogglePanelButton, kList}));  // the rest lies under the list
}

// The panel is one Tab stop whose frame the arrows move; it comes to a test
// that works.
TEST_F(Keyboard, ThePanelsFrameMovesWithTheArrows) {
  Show();
  Select("12-34-0002");
  CButtonListbox* panel = view().panel();
  panel->state().SetFocusItem(panel->ItemOfKey("VA_ORGAN"));  // does not apply
  Focus(kPanel);
  EXPECT_EQ(panel->state().FocusItem(), 0);  // the basic data
  struct Step {
    int key;
    int item;
  } steps[] = {{Qt::Key_Down, 1}, {Qt::Key_Down, 2}, {Qt::Key_Up, 1}, {Qt::Key_End, panel->ItemCount() - 1},
               {Qt::Key_Down, panel->ItemCount() - 1}, {Qt::Key_Home, 0}, {Qt::Key_Up, 0}};
  for (const Step& step : steps) {
    Press(step.key);
    EXPECT_EQ(panel->state().FocusItem(), step.item) << step.key;
  }
  EXPECT_EQ(Focused(), kPanel);
}

// ------------------------------------------------------------ keys that open windows

TEST_F(Keyboard, KeysOpenWhatTheMouseOpens) {
  Show();
  struct Case {
    const char* what;
    int focus;
    const char* framedKey;  // the panel's framed test, when the panel has the focus
    int key;
    Qt::KeyboardModifiers modifiers;
    UiKind kind;
    int dialog;     // its template id; -1: nothing opens
    bool editable;  // the opener runs with editing allowed
  } cases[] = {
      {"Enter on a row", kList, nullptr, Qt::Key_Return, Qt::NoModifier, UiKind::kDialog, CGrunddatenDlg::kTemplateId,
       true},
      {"Enter of the keypad on a row", kList, nullptr, Qt::Key_Enter, Qt::KeypadModifier, UiKind::kDialog,
       CGrunddatenDlg::kTemplateId, true},
      {"the Menu key on a row", kList, nullptr, Qt::Key_Menu, Qt::NoModifier, UiKind::kPopupMenu, 0, true},
      {"Shift+F10 on a row", kList, nullptr, Qt::Key_F10, Qt::ShiftModifier, UiKind::kPopupMenu, 0, true},
      {"Enter on a framed test", kPanel, "VA_PLATT", Qt::Key_Return, Qt::NoModifier, UiKind::kDialog,
       CPlattigkeitDlg::kTemplateId, true},
      {"Space on a framed test", kPanel, "VA_PLATT", Qt::Key_Space, Qt::NoModifier, UiKind::kDialog,
       CPlattigkeitDlg::kTemplateId, true},
      {"Enter on a test that does not apply", kPanel, "VA_ORGAN", Qt::Key_Return, Qt::NoModifier, UiKind::kDialog,
       -1, true},
      {"Alt+Enter on it: for looking only", kPanel, "VA_ORGAN", Qt::Key_Return, Qt::AltModifier, UiKind::kDialog,
       COrganUrsprungSDMDlg::kTemplateId, false},
      {"Space on the delete button: the question", CForm1View::kDeleteButton, nullptr, Qt::Key_Space,
       Qt::NoModifier, UiKind::kMessageBox, 0, true},
      {"Enter on the period statistics", CForm1View::kPeriodStatisticsButton, nullptr, Qt::Key_Return,
       Qt::NoModifier, UiKind::kDialog, CStatistikDlg::kTemplateId, true},
  };
  const int row = RowOf("12-34-0002");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Select("12-34-0002");
    Focus(c.focus);
    if (c.framedKey) view().panel()->state().SetFocusItem(view().panel()->ItemOfKey(c.framedKey));
    std::vector<bool> editable;
    TestUi ui;
    if (c.kind == UiKind::kPopupMenu) {
      ui.ExpectPopupMenu(0, [&](const PopupMenuRequest& menu) {
        ASSERT_EQ(menu.items.size(), 2u);
        EXPECT_EQ(menu.items[0].id, 9213);
        EXPECT_EQ(menu.items[1].id, 9216);
        EXPECT_EQ(menu.position, view().list()->RowMenuPosition(row));  // at the record's row
      });
    } else if (c.kind == UiKind::kMessageBox) {
      ui.ExpectMessageBox(IDNO);
    } else if (c.dialog >= 0) {
      ui.ExpectDialog(c.dialog, [&](DialogDriver&) { editable.push_back(IsEditAllowed()); }, IDCANCEL);
    }
    Press(c.key, c.modifiers);
    ui.VerifyAllShown();
    EXPECT_EQ(ui.shown().size(), c.dialog >= 0 ? 1u : 0u);
    if (c.kind == UiKind::kDialog && c.dialog >= 0) EXPECT_EQ(editable, std::vector<bool>{c.editable});
    EXPECT_TRUE(IsEditAllowed());
  }
}

TEST_F(Keyboard, F10OpensTheMenuBar) {
  CMainFrame& frame = Show();
  Select("12-34-0002");
  Press(Qt::Key_F10);
  QAction* file = frame.menuBar()->actions().front();
  EXPECT_EQ(frame.menuBar()->activeAction(), file);
  ASSERT_TRUE(file->menu()->isVisible());
  Press(file->menu(), Qt::Key_Escape);
  EXPECT_FALSE(file->menu()->isVisible());
}

// ------------------------------------------------------------ letters

// Each text has an underlined letter that no other text of its group (nor
// one of `taken`) has.
void ExpectOwnLetters(const std::string& group, const std::vector<QString>& texts,
                      const std::set<QKeySequence>& taken = {}) {
  std::set<QKeySequence> seen = taken;
  for (const QString& text : texts) {
    const QKeySequence letter = QKeySequence::mnemonic(text);
    EXPECT_FALSE(letter.isEmpty()) << group << ": \"" << text.toStdString() << "\" has no underlined letter";
    if (!letter.isEmpty())
      EXPECT_TRUE(seen.insert(letter).second) << group << ": \"" << text.toStdString() << "\" shares its letter";
  }
}

std::vector<QString> Texts(const QList<QAction*>& actions) {
  std::vector<QString> texts;
  for (QAction* action : actions)
    if (!action->isSeparator()) texts.push_back(action->text());
  return texts;
}

// Every menu item has its own letter in its menu, the form's buttons too,
// none of them one of the menu bar's; every caption of the left column shows
// whole; in German and English.
TEST_F(Keyboard, EveryMenuItemAndButtonHasItsOwnLetterAndShowsWhole) {
  TempFolder languages;
  ASSERT_TRUE(CopyFile(kShippedEnglish, languages / "PravikLang-en.txt"));
  LanguageFolderScope scope(languages.path());
  for (const std::string language : {"de", "en"}) {
    SCOPED_TRACE(language);
    SetCurrentLangCode(language);
    CMainFrame& frame = Show();
    const QList<QAction*> popups = frame.menuBar()->actions();
    ExpectOwnLetters("menu bar", Texts(popups));
    for (QAction* popup : popups) {
      ExpectOwnLetters(popup->text().toStdString(), Texts(popup->menu()->actions()));
      for (QAction* item : popup->menu()->actions())
        if (item->menu()) ExpectOwnLetters(item->text().toStdString(), Texts(item->menu()->actions()));
    }
    std::set<QKeySequence> menuBar;
    for (const QString& text : Texts(popups)) menuBar.insert(QKeySequence::mnemonic(text));
    std::vector<QString> buttons;
    for (int id : {CForm1View::kNewRecordButton, CForm1View::kDeleteButton, CForm1View::kPeriodStatisticsButton,
                   CForm1View::kMaterialStatisticsButton, CForm1View::kMixtureButton})
      buttons.push_back(view().button(id)->text());
    ExpectOwnLetters("form", buttons, menuBar);

    Select("12-34-0002");
    TestUi ui;
    ui.ExpectPopupMenu(0, [](const PopupMenuRequest& menu) {
      std::vector<QString> items;
      for (const PopupMenuItem& item : menu.items) items.push_back(QString::fromStdString(item.text));
      ExpectOwnLetters("context menu", items);
    });
    Focus(kList);
    Press(Qt::Key_Menu);
    ui.VerifyAllShown();

    // "Umweltverträglichkeit" and the other captions fit their buttons.
    for (int id : {CForm1View::kNewRecordButton, CForm1View::kDeleteButton, CForm1View::kPeriodStatisticsButton,
                   CForm1View::kMaterialStatisticsButton, CForm1View::kMixtureButton}) {
      QAbstractButton* button = view().button(id);
      EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text().remove('&')), button->width() - 4)
          << button->text().toStdString();
    }
    CButtonListbox* panel = view().panel();
    const int room = panel->width() - CButtonListbox::kCaptionIndent - 1;
    for (const bool ballast : {false, true}) {
      panel->SetBallastMode(ballast);
      for (int item = 0; item < panel->ItemCount(); ++item) {
        const QString caption = QString::fromStdString(panel->state().CaptionAt(item));
        EXPECT_LE(panel->fontMetrics().horizontalAdvance(caption), room) << caption.toStdString();
      }
    }
  }
}

// ------------------------------------------------------------ what the panel shows

// A test that does not apply looks so again once Alt is let go in a menu
// opened with it, a dialog shows, the focus moves or a key comes without
// Alt; a click without Alt on it then opens nothing.
TEST_F(Keyboard, ATestThatDoesNotApplyLooksSoWhereverAltWasLetGo) {
  CMainFrame& frame = Show();
  CButtonListbox* panel = view().panel();
  QMenu* file = frame.menuBar()->actions().front()->menu();
  auto release = [](QWidget* target, int key) {
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &up);
  };
  struct Case {
    const char* what;
    std::function<void()> elsewhere;
  } cases[] = {
      {"a menu opened with Alt and closed with Escape",
       [&] {
         frame.menuBar()->setActiveAction(frame.menuBar()->actions().front());
         ASSERT_TRUE(file->isVisible());
         release(file, Qt::Key_Alt);
         Press(file, Qt::Key_Escape);
         ASSERT_FALSE(file->isVisible());
       }},
      {"a dialog that took the release",
       [&] {
         QDialog dialog(&frame);
         dialog.show();
         release(&dialog, Qt::Key_Alt);
       }},
      {"the focus on another control", [&] { view().button(CForm1View::kNewRecordButton)->setFocus(); }},
      {"a key without Alt", [&] { Press(Qt::Key_Shift, Qt::ShiftModifier); }},
  };
  std::vector<std::string> opened;
  view().SetOpenerObserver([&](std::string_view name) { opened.emplace_back(name); });
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    frame.activateWindow();
    ASSERT_TRUE(SpinUntil([&frame] { return QApplication::activeWindow() == &frame; }));
    Select("12-34-0002");
    const int organ = panel->ItemOfKey("VA_ORGAN");
    QKeyEvent alt(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QApplication::sendEvent(view().list(), &alt);
    ASSERT_EQ(panel->state().LookOf(organ).text, PanelButtonLook::kWindowText);  // usable while Alt is held
    c.elsewhere();
    EXPECT_EQ(panel->state().LookOf(organ).text, PanelButtonLook::kGrayText);
    const QPointF at = panel->ItemRect(organ).center();
    QMouseEvent click(QEvent::MouseButtonPress, at, panel->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    TestUi nothing;
    QApplication::sendEvent(panel, &click);
    EXPECT_TRUE(opened.empty());
  }
}

// A dialog that changed the record's tests: the panel follows at once.
TEST_F(Keyboard, ThePanelFollowsARecordChangedInADialog) {
  Show();
  Select("12-34-0002");
  CButtonListbox* panel = view().panel();
  ASSERT_TRUE(panel->state().IsKeyEnabled("VA_PLATT"));
  TestUi ui;
  ui.ExpectDialog(CDEBUGDlg::kTemplateId, [](DialogDriver& d) {
    std::string text = d.Text(CDEBUGDlg::kText);
    ASSERT_NE(text.find("VA_PLATT"), std::string::npos);
    StrReplace(text, "VA_PLATT", "VA_FLIESSK", true);
    d.SetText(CDEBUGDlg::kText, text);
  });
  Press(view().list(), Qt::Key_ScrollLock);
  ui.VerifyAllShown();
  EXPECT_FALSE(panel->state().IsKeyEnabled("VA_PLATT"));
  EXPECT_TRUE(panel->state().IsKeyEnabled("VA_FLIESSK"));
}

// ------------------------------------------------------------ the status bar

TEST_F(Keyboard, AClosedMenuLeavesNoPrompt) {
  CMainFrame& frame = Show();
  Select("12-34-0002");
  const std::string selection = frame.MessageText();
  QMenu* file = frame.menuBar()->actions().front()->menu();
  file->popup(QPoint(0, 0));
  QStatusTipEvent tip(QStringLiteral("Importieren"));
  QApplication::sendEvent(frame.menuBar(), &tip);
  ASSERT_EQ(frame.statusBar()->currentMessage().toStdString(), "Importieren");
  file->hide();
  EXPECT_EQ(frame.statusBar()->currentMessage().toStdString(), "");
  EXPECT_EQ(frame.MessageText(), selection);
}

}  // namespace
