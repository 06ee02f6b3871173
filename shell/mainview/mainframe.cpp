#include "shell/mainview/mainframe.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>

#include "i18n/translation.h"
#include "platform/messagebox.h"
#include "platform/screenfit.h"
#include "services/pravikapp.h"
#include "services/settings.h"
#include "services/translate_ui.h"
#include "services/versioninfo.h"
#include "shell/mainview/form1view.h"
#include "shell/mainview/form1view_panel.h"

namespace {

// ------------------------------------------------------------ menu 128

struct MenuItem {
  int id;              // 0: separator; -1: popup
  const char* german;  // with "&" and "\t" as the resource has them
};

struct Popup {
  const char* german;
  std::vector<MenuItem> items;
};

constexpr char kLanguagePopup[] = "&Sprache (experimentell)";

const std::vector<Popup>& MainMenu() {
  static const std::vector<Popup> menu = {
      {"&Datei",
       {{9101, "&Archivieren"},
        {9104, "Dea&rchivieren"},
        {0, ""},
        {9102, "&Importieren"},
        {9103, "E&xportieren der mark. Datensätze"},
        {0, ""},
        {57607, "&Drucken...\tStrg+P"},
        {57609, "Sei&tenansicht\tStrg+T"},
        {57606, "Drucker&einrichtung..."},
        {0, ""},
        {57665, "&Beenden"}}},
      {"D&atenverwaltungen",
       {{9001, "&Materialdefinitionen"},
        {9005, "Materialdefinition aus Prüfnummer &extrahieren"},
        {0, ""},
        {9002, "&Kundenverwaltung"},
        {9003, "&Statistikverwaltung"},
        {9004, "M&ischungsverwaltung"}}},
      {"&Einstellungen",
       {{9011, "&Allgemeine Einstellungen"},
        {9012, "Einstellungen für neue &Prüfnummern"},
        {9013, "Einstellungen für S&tatistiken"},
        {9014, "T&ipps und Tricks"},
        {-1, kLanguagePopup},
        {10007, "Spalten &Layout zurücksetzen"}}},
      {"&?", {{32818, "&Versions- und Systemdaten"}, {0, ""}, {57664, "Inf&o über Pravik..."}}},
  };
  return menu;
}

const std::vector<MenuItem>& LanguageMenu() {
  static const std::vector<MenuItem> items = {{40003, "&Deutsch"}, {40004, "&Englisch"}};
  return items;
}

// The items of the record list's context menu (menu 140), for their prompts.
const std::vector<MenuItem>& ContextMenu() {
  static const std::vector<MenuItem> items = {{9213, "&Duplizieren"}, {9216, "&Material neu zuordnen"}};
  return items;
}

// Toolbar 128; 0 is a separator.
constexpr int kToolbar[] = {57607, 57609, 57606, 0,    9001, 9005, 9002, 9003, 9004, 9011, 9012,
                            9013,  0,     9101,  9104, 0,    9102, 9103, 0,    9014, 10005};

// The tooltip of a toolbar button: the menu text without mnemonic and shortcut.
QString PlainText(const std::string& german) {
  QString text = QString::fromStdString(german.substr(0, german.find('\t')));
  text.remove('&');
  return text;
}

// ------------------------------------------------------------ toolbar images

// Simple 32 x 32 pictures drawn in code: a tinted tile with a symbol.
QIcon DrawCommandIcon(int id) {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  auto tile = [&p](QColor color) {
    p.setPen(color.darker(140));
    p.setBrush(color);
    p.drawRoundedRect(QRectF(2.5, 2.5, 27, 27), 5, 5);
  };
  auto letters = [&p](const QString& text, QColor color = Qt::white, int size = 12) {
    QFont font("Liberation Sans");
    font.setPixelSize(size);
    font.setBold(true);
    p.setFont(font);
    p.setPen(color);
    p.drawText(QRect(2, 2, 28, 28), Qt::AlignCenter, text);
  };
  auto printer = [&p] {
    p.setPen(QPen(QColor(40, 40, 40), 1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(10.5, 5.5, 11, 8));
    p.setBrush(QColor(90, 90, 100));
    p.drawRoundedRect(QRectF(5.5, 12.5, 21, 10), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9.5, 19.5, 13, 8));
  };
  auto arrow = [&p](bool down, QColor color) {
    QPainterPath path;
    const double y0 = down ? 7 : 25, y1 = down ? 25 : 7, ym = down ? 17 : 15;
    path.moveTo(16, y1);
    path.lineTo(8, ym);
    path.lineTo(13, ym);
    path.lineTo(13, y0);
    path.lineTo(19, y0);
    path.lineTo(19, ym);
    path.lineTo(24, ym);
    path.closeSubpath();
    p.setPen(color.darker(150));
    p.setBrush(color);
    p.drawPath(path);
  };
  switch (id) {
    case 57607: printer(); break;
    case 57609:
      p.setPen(QPen(QColor(40, 40, 40), 1.2));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(6.5, 3.5, 16, 22));
      p.setPen(QPen(QColor(30, 60, 150), 2.5));
      p.setBrush(QColor(200, 225, 255, 200));
      p.drawEllipse(QPointF(17, 17), 6, 6);
      p.drawLine(QPointF(21.5, 21.5), QPointF(28, 28));
      break;
    case 57606:
      printer();
      p.setPen(QPen(QColor(200, 120, 0), 2));
      p.drawLine(QPointF(22, 4), QPointF(29, 11));
      break;
    case 9001: tile(QColor(70, 130, 70)); letters("MD"); break;
    case 9005: tile(QColor(70, 130, 70)); arrow(false, QColor(250, 250, 200)); break;
    case 9002: tile(QColor(60, 100, 170)); letters("K", Qt::white, 16); break;
    case 9003:
      tile(QColor(240, 240, 240));
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(30, 110, 200));
      p.drawRect(QRectF(7, 17, 4, 9));
      p.setBrush(QColor(230, 140, 0));
      p.drawRect(QRectF(14, 10, 4, 16));
      p.setBrush(QColor(0, 160, 60));
      p.drawRect(QRectF(21, 13, 4, 13));
      break;
    case 9004: tile(QColor(150, 110, 60)); letters("Mi"); break;
    case 9011: tile(QColor(110, 110, 120)); letters("E", Qt::white, 16); break;
    case 9012: tile(QColor(110, 110, 120)); letters("E#"); break;
    case 9013: tile(QColor(110, 110, 120)); letters("ES"); break;
    case 9101: tile(QColor(180, 150, 90)); arrow(true, QColor(255, 240, 200)); break;
    case 9104: tile(QColor(180, 150, 90)); arrow(false, QColor(255, 240, 200)); break;
    case 9102: tile(QColor(90, 140, 190)); arrow(true, QColor(220, 255, 220)); break;
    case 9103: tile(QColor(90, 140, 190)); arrow(false, QColor(255, 230, 220)); break;
    case 9014: tile(QColor(240, 200, 40)); letters("?", QColor(60, 40, 0), 18); break;
    default: tile(QColor(200, 200, 200)); break;
  }
  return QIcon(pixmap);
}

int ProfileInt(const char* section, const char* key, int defaultValue) {
  CPravikWinApp* app = GetApp();
  return app ? app->GetProfileInt(section, key, defaultValue) : defaultValue;
}

}  // namespace

// ------------------------------------------------------------ placement and title

std::optional<FramePlacement> ReadFramePlacement() {
  FramePlacement placement;
  int* values[] = {&placement.flags, &placement.showCmd, &placement.left,
                   &placement.top,   &placement.right,   &placement.bottom};
  const char* keys[] = {"flags", "showCmd", "x1", "y1", "x2", "y2"};
  for (int i = 0; i < 6; ++i) {
    *values[i] = ProfileInt("Layout", keys[i], -1);
    if (*values[i] == -1) return std::nullopt;
  }
  return placement;
}

bool WriteFramePlacement(const FramePlacement& placement) {
  CPravikWinApp* app = GetApp();
  if (!app) return false;
  bool ok = app->WriteProfileInt("Layout", "flags", placement.flags);
  ok = app->WriteProfileInt("Layout", "showCmd", placement.showCmd) && ok;
  ok = app->WriteProfileInt("Layout", "x1", placement.left) && ok;
  ok = app->WriteProfileInt("Layout", "y1", placement.top) && ok;
  ok = app->WriteProfileInt("Layout", "x2", placement.right) && ok;
  ok = app->WriteProfileInt("Layout", "y2", placement.bottom) && ok;
  return ok;
}

FramePlacement KeepOnScreen(FramePlacement placement, int screenWidth, int screenHeight, int iconWidth,
                            int iconHeight) {
  if (placement.left >= screenWidth - iconWidth) placement.left = screenWidth - iconWidth;
  if (placement.top >= screenHeight - iconHeight) placement.top = screenHeight - iconHeight;
  return placement;
}

std::string FrameTitle(const CPlantIdentity& plant) {
  return TranslateString(5260, "Pravik") + " " + ProgramVersion() + " - " + TranslateString(5262, "WERKVERSION") +
         "      " + TranslateString(5263, "Werk") + ": " + plant.plantName + " (" + plant.plantNumber + ")      " +
         TranslateString(5264, "Betreiber") + ": " + plant.operatorName + " (" + plant.operatorNumber + ")";
}

// ------------------------------------------------------------ CMainFrame

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent), commands_(this) {
  CPravikWinApp* app = GetApp();
  if (ProfileInt("Allgemeines", "ResetLayout", 0) != 0) {
    if (app) app->WriteProfileInt("Allgemeines", "ResetLayout", 0);
    // The stored workspace state of bars and docking.
    QSettings user(kUserConfigOrganization, kUserConfigApplication);
    if (user.childGroups().contains("Workspace")) user.remove("Workspace");
  }

  CreateCommands();
  CreateToolBar();
  CreateStatusBar();
  CreateMenus();

  if (app) {
    app->CreateWaitWindow(this);
    app->SetSieveProgramEndHandler([this] { UpdateFrameTitle(); });
  }
  resize(1200, 800);
  UpdateFrameTitle();
}

CMainFrame::~CMainFrame() {
  if (CPravikWinApp* app = GetApp()) app->SetSieveProgramEndHandler({});
}

void CMainFrame::CreateCommands() {
  CPravikWinApp* app = GetApp();
  for (const Popup& popup : MainMenu())
    for (const MenuItem& item : popup.items)
      if (item.id > 0) commands_.Add(item.id, item.german);
  for (const MenuItem& item : LanguageMenu()) commands_.Add(item.id, item.german);
  commands_.Add(10005, "");
  commands_.Add(10004, "");

  commands_.SetHandler(57665, [this] { close(); });
  commands_.SetHandler(40003, [this] { OnSpracheDeutsch(); });
  commands_.SetHandler(40004, [this] { OnSpracheEnglisch(); });
  commands_.SetHandler(32818, [this] { OnVersionsUndSystemdaten(); });
  commands_.SetHandler(10004, [this] { OnMenueToolbarZuruecksetzen(); });
  commands_.SetUpdateRule(40003, [](platform::CmdUI& ui) {
    ui.SetCheck(CurrentLangCode().empty() || CurrentLangCode().rfind("de", 0) == 0);
  });
  commands_.SetUpdateRule(40004, [](platform::CmdUI& ui) { ui.SetCheck(CurrentLangCode().rfind("en", 0) == 0); });
  commands_.Action(57607)->setShortcut(QKeySequence("Ctrl+P"));
  commands_.Action(57609)->setShortcut(QKeySequence("Ctrl+T"));
  for (QAction* action : {commands_.Action(57607), commands_.Action(57609)}) {
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
  }
  commands_.Action(10004)->setStatusTip(QString::fromStdString(
      TranslateString(10004, "Menü und Toolbar beim nächsten Programmstart zurücksetzen")));

  for (int id : kToolbar) {
    if (id == 0) continue;
    const QIcon icon = DrawCommandIcon(id);
    commands_.Action(id)->setIcon(icon);
    if (app) app->SetCommandImage(id, icon);
  }
}

void CMainFrame::CreateMenus() {
  QMenuBar* bar = menuBar();
  QFont font = bar->font();
  // The menu font of the program: five pixels taller than the desktop's.
  font.setPixelSize(QFontInfo(font).pixelSize() + 5);
  bar->setFont(font);
  // A closed menu leaves no prompt behind: the message pane shows again.
  auto clearPromptOnHide = [this](QMenu* menu) {
    connect(menu, &QMenu::aboutToHide, this, [this] { statusBar()->clearMessage(); });
  };
  for (const Popup& popup : MainMenu()) {
    QMenu* menu = bar->addMenu(QString());
    menu->setFont(font);
    for (const MenuItem& item : popup.items) {
      if (item.id == 0) {
        menu->addSeparator();
      } else if (item.id == -1) {
        QMenu* language = menu->addMenu(QString());
        language->setFont(font);
        for (const MenuItem& entry : LanguageMenu()) language->addAction(commands_.Action(entry.id));
        commands_.AttachMenu(language);
        clearPromptOnHide(language);
      } else {
        menu->addAction(commands_.Action(item.id));
      }
    }
    commands_.AttachMenu(menu);
    clearPromptOnHide(menu);
  }
  ApplyMenuTexts();
}

void CMainFrame::ApplyMenuTexts() {
  QMenuBar* bar = menuBar();
  const QList<QAction*> popups = bar->actions();
  for (int i = 0; i < popups.size() && i < static_cast<int>(MainMenu().size()); ++i) {
    const Popup& popup = MainMenu()[static_cast<size_t>(i)];
    popups[i]->setText(QString::fromUtf8(popup.german));
    QMenu* menu = popups[i]->menu();
    if (!menu) continue;
    for (QAction* action : menu->actions())
      if (action->menu()) action->setText(QString::fromUtf8(kLanguagePopup));
  }
  for (const Popup& popup : MainMenu())
    for (const MenuItem& item : popup.items)
      if (item.id > 0) commands_.Action(item.id)->setText(QString::fromUtf8(item.german));
  for (const MenuItem& item : LanguageMenu()) commands_.Action(item.id)->setText(QString::fromUtf8(item.german));
  TranslateMenu(bar, kMenuId, -1, -1);
  // Toolbar tips follow the menu texts.
  for (int id : kToolbar)
    if (id != 0 && id != 10005) commands_.Action(id)->setToolTip(PlainText(commands_.Action(id)->text().toStdString()));
  ApplyCommandPrompts();
}

void CMainFrame::ApplyCommandPrompts() {
  // The prompt of a command is a program text with the command id as its id;
  // its German text is the menu text without mnemonic and shortcut.
  auto prompt = [this](const MenuItem& item) {
    if (QAction* action = commands_.Action(item.id))
      action->setStatusTip(QString::fromStdString(TranslateString(item.id, PlainText(item.german).toStdString())));
  };
  for (const Popup& popup : MainMenu())
    for (const MenuItem& item : popup.items)
      if (item.id > 0) prompt(item);
  for (const MenuItem& item : LanguageMenu()) prompt(item);
  for (const MenuItem& item : ContextMenu()) prompt(item);
}

void CMainFrame::CreateToolBar() {
  toolBar_ = addToolBar(QString());
  toolBar_->setObjectName("toolbar128");
  toolBar_->setIconSize(QSize(32, 32));
  toolBar_->setMovable(true);
  for (int id : kToolbar) {
    if (id == 0) toolBar_->addSeparator();
    else toolBar_->addAction(commands_.Action(id));
  }
  // 10005 keeps its place but has no picture, no text and no handler: a
  // blank button that never works would only puzzle the user.
  commands_.Action(10005)->setVisible(false);
}

void CMainFrame::CreateStatusBar() {
  QStatusBar* bar = statusBar();
  messagePane_ = new QLabel(bar);
  bar->addWidget(messagePane_, 1);
  // Caps lock, num lock and scroll lock.
  for (const char* text : {"UF", "NUM", "RF"}) {
    auto* pane = new QLabel(QString::fromLatin1(text), bar);
    pane->setAlignment(Qt::AlignCenter);
    pane->setMinimumWidth(40);
    pane->setEnabled(false);
    bar->addPermanentWidget(pane);
  }
}

void CMainFrame::SetView(CForm1View* view) {
  view_ = view;
  if (!view) return;
  setCentralWidget(view);
  view->SetStatusTextHandler([this](const std::string& text) { SetMessageText(text); });
  view->RegisterCommands(commands_);
  ApplyCommandPrompts();
  view->OnInitialUpdate();
  commands_.UpdateAll();
}

void CMainFrame::SetMessageText(const std::string& text) { messagePane_->setText(QString::fromStdString(text)); }

std::string CMainFrame::MessageText() const { return messagePane_->text().toStdString(); }

void CMainFrame::ActivateFrame() {
  if (!activated_) {
    activated_ = true;
    const std::optional<FramePlacement> stored = ReadFramePlacement();
    if (stored) {
      QRect screen(0, 0, 1920, 1080);
      if (QScreen* primary = QGuiApplication::primaryScreen()) screen = primary->geometry();
      const FramePlacement p = KeepOnScreen(*stored, screen.width(), screen.height());
      setGeometry(QRect(QPoint(p.left, p.top), QPoint(p.right - 1, p.bottom - 1)));
    }
    // A placement saved on a larger screen, or the default size on a small
    // one, would leave the close button and the status bar off the screen.
    platform::FitIntoWorkArea(this);
    if (stored && stored->showCmd == kShowMaximized) {
      showMaximized();
      return;
    }
  }
  show();
}

void CMainFrame::UpdateFrameTitle() {
  CPlantIdentity none;
  CPravikWinApp* app = GetApp();
  setWindowTitle(QString::fromStdString(FrameTitle(app ? app->PlantIdentity : none)));
}

void CMainFrame::OnSpracheDeutsch() {
  const std::string before = CurrentLangCode();
  SetCurrentLangCode("de");
  ReloadLanguageMenu();
  TellHeadingsFollowAtNextStart(before);
}

void CMainFrame::OnSpracheEnglisch() {
  const std::string before = CurrentLangCode();
  SetCurrentLangCode("en");
  ReloadLanguageMenu();
  TellHeadingsFollowAtNextStart(before);
}

void CMainFrame::TellHeadingsFollowAtNextStart(const std::string& before) {
  // No code and "de..." are both German.
  auto german = [](const std::string& code) { return code.empty() || code.rfind("de", 0) == 0; };
  if (headingNoticeGiven_ || german(before) == german(CurrentLangCode())) return;
  headingNoticeGiven_ = true;
  platform::ShowMessageBox(TranslateString(66032, "Die Spaltenüberschriften der Liste, die Knöpfe links, der Hinweis zur "
                                                  "Datensicherung, der Fenstertitel und die Statuszeile erscheinen ab "
                                                  "dem nächsten Programmstart in der gewählten Sprache."),
                           platform::MB_OK | platform::MB_ICONINFORMATION);
}

void CMainFrame::ReloadLanguageMenu() {
  if (CPravikWinApp* app = GetApp()) {
    app->WriteProfileString("General", "LangCode", CurrentLangCode());
    app->WriteProfileString("General", "PrintGerman", PrintGermanFlag() ? "1" : "");
  }
  InstallQtTranslations();
  ApplyMenuTexts();
  if (view_) {
    view_->panel()->FillTestTypeButtons();
    view_->panel()->RebuildItems();
    view_->LayoutControls();
  }
  commands_.UpdateAll();
}

void CMainFrame::OnVersionsUndSystemdaten() {
  CVersionsUndSystemDatenDlg dialog(this);
  dialog.DoModal();
}

void CMainFrame::OnMenueToolbarZuruecksetzen() {
  if (CPravikWinApp* app = GetApp()) app->WriteProfileInt("Allgemeines", "ResetLayout", 1);
}

void CMainFrame::OnSieveProgramEnded() {
  if (CPravikWinApp* app = GetApp()) app->SieveProgramActive = false;
  UpdateFrameTitle();
}

bool CMainFrame::QueryClose() {
  if (!view_) return true;
  for (;;) {
    bool saved = false;
    {
      WaitWindowScope wait;
      saved = view_->SaveAllRecords();
    }
    if (saved || unattendedClose_) break;
    // The save has told what failed; the records are still only in memory.
    const int answer = platform::ShowMessageBox(
        TranslateString(kSaveFailedTextId,
                        "Sollen die Daten erneut gespeichert werden?\n\n"
                        "Ja: erneut speichern\n"
                        "Nein: ohne Speichern beenden (alle Änderungen seit dem letzten Speichern gehen verloren)\n"
                        "Abbrechen: Pravik bleibt geöffnet"),
        platform::MB_YESNOCANCEL | platform::MB_ICONWARNING | platform::MB_DEFBUTTON3);
    if (answer == platform::IDNO) return true;
    if (answer != platform::IDYES) return false;
  }
  return true;
}

void CMainFrame::keyPressEvent(QKeyEvent* event) {
  // F10 opens the menu bar at its first menu, as desktop programs do.
  if (event->key() == Qt::Key_F10 && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    if (!menuBar()->actions().isEmpty()) menuBar()->setActiveAction(menuBar()->actions().front());
    event->accept();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (!QueryClose()) {
    event->ignore();
    return;
  }
  if (view_) view_->OnDestroy();
  WritePlacement();
  event->accept();
}

void CMainFrame::WritePlacement() {
  FramePlacement placement;
  placement.showCmd = isMaximized() ? kShowMaximized : isMinimized() ? kShowMinimized : kShowNormal;
  const QRect normal = isMaximized() || isMinimized() ? normalGeometry() : geometry();
  placement.left = normal.left();
  placement.top = normal.top();
  placement.right = normal.right() + 1;
  placement.bottom = normal.bottom() + 1;
  WriteFramePlacement(placement);
}
