// Translating real widgets and menus: which controls are read, and that the
// translations land in the right widgets and actions.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "fixtures/dlgbase/english_language.h"
#include "platform/dialog.h"
#include "i18n/translation.h"
#include "services/translate_ui.h"

using platform::SetControlId;

namespace {

template <class W>
W* Control(QWidget* parent, int id, const char* text) {
  auto* w = new W(QString::fromUtf8(text), parent);
  SetControlId(w, id);
  if (parent->layout()) parent->layout()->addWidget(w);
  return w;
}

QAction* Command(QMenu* menu, int id, const char* text) {
  QAction* action = menu->addAction(QString::fromUtf8(text));
  action->setData(id);
  return action;
}

}  // namespace

TEST(TranslateDialog, TextsOfStaticsButtonsAndGroupsByIdNotData) {
  EnglishLanguage english;
  QWidget window;
  window.setWindowTitle("Probe");
  new QVBoxLayout(&window);
  auto* label = Control<QLabel>(&window, 1001, "Probenmasse");
  auto* edit = Control<QLineEdit>(&window, 1002, "Vorgabewert");  // has an entry, holds data
  auto* check = Control<QCheckBox>(&window, 1003, "Gewaschen");
  auto* group = new QGroupBox("Siebung", &window);
  SetControlId(group, 1004);
  window.layout()->addWidget(group);
  auto* inner = new QVBoxLayout(group);
  auto* cancel = new QPushButton("Abbrechen", group);  // nested in the group
  SetControlId(cancel, 2);
  inner->addWidget(cancel);
  auto* noId = Control<QLabel>(&window, 0, "Ohne Nummer");
  // A page inside the window translates itself, under its own template.
  auto* page = new platform::Dialog(701, &window);
  page->setWindowFlags(Qt::Widget);
  auto* pageLabel = new QLabel("Probenmasse", page);
  SetControlId(pageLabel, 1001);

  TranslateDialog(&window, 700);
  EXPECT_EQ(window.windowTitle().toStdString(), "Sample");
  EXPECT_EQ(label->text().toStdString(), "Sample mass");
  EXPECT_EQ(edit->text().toStdString(), "Vorgabewert");
  EXPECT_EQ(check->text().toStdString(), "Washed");
  EXPECT_EQ(group->title().toStdString(), "Sieving (Körnung)");
  EXPECT_EQ(cancel->text().toStdString(), "Cancel");
  EXPECT_EQ(noId->text().toStdString(), "Ohne Nummer");
  EXPECT_EQ(pageLabel->text().toStdString(), "Probenmasse");

  TranslateDialog(page, 701);
  EXPECT_EQ(pageLabel->text().toStdString(), "T[Probenmasse]");  // missing under 701
}

TEST(TranslateDialog, SubIdTranslatesTheCaptionInItsOwnSection) {
  EnglishLanguage english;
  QWidget window;
  window.setWindowTitle("Probe zwei");
  new QVBoxLayout(&window);
  auto* label = Control<QLabel>(&window, 1001, "Probenmasse");
  TranslateDialog(&window, 700, 2);
  EXPECT_EQ(window.windowTitle().toStdString(), "T[Probe zwei]");
  EXPECT_EQ(label->text().toStdString(), "Sample mass");
  EXPECT_NE(english.FileBytes().find("[Dialog-700-2]\r\nCAPTION-de=Probe zwei\r\nCAPTION=T[Probe zwei]"),
            std::string::npos);
}

TEST(TranslateMenu, PopupsByPositionItemsByCommandId) {
  EnglishLanguage english;
  QMenuBar bar;
  QMenu* file = bar.addMenu("&Datei");
  QAction* print = Command(file, 57607, "&Drucken...\tStrg+P");
  QMenu* exportMenu = file->addMenu("Exportieren");  // position 1: "POS-100"
  QAction* xml = Command(exportMenu, 9001, "Als &XML");
  QAction* separator = file->addSeparator();
  QAction* low = Command(file, 999, "Niedrige Nummer");
  QMenu* help = bar.addMenu("&?");
  QAction* about = Command(help, 57664, "Info über Pravik...");

  TranslateMenu(&bar, 128);
  EXPECT_EQ(file->title().toStdString(), "File");
  EXPECT_EQ(print->text().toStdString(), "Print...\tCtrl+P");
  EXPECT_TRUE(separator->isSeparator());
  EXPECT_EQ(exportMenu->title().toStdString(), "Export");
  EXPECT_EQ(xml->text().toStdString(), "As XML");
  EXPECT_EQ(low->text().toStdString(), "Niedrige Nummer");  // ids below 1000 stay
  EXPECT_EQ(help->title().toStdString(), "&?");             // too short, its items not
  EXPECT_EQ(about->text().toStdString(), "About Pravik...");

  // A context menu; a count limits the top-level items.
  QMenu context;
  QAction* first = Command(&context, 57607, "&Drucken...");
  QAction* second = Command(&context, 9001, "Als XML");
  TranslateMenu(&context, 128, -1, 1);
  EXPECT_EQ(first->text().toStdString(), "Print...\tCtrl+P");
  EXPECT_EQ(second->text().toStdString(), "Als XML");
}

TEST(TranslateMenu, GermanChangesNothing) {
  EnglishLanguage english;
  SetCurrentLangCode("de");
  QMenu menu;
  QAction* print = Command(&menu, 57607, "&Drucken...");
  TranslateMenu(&menu, 128);
  EXPECT_EQ(print->text().toStdString(), "&Drucken...");
}

// Qt's own buttons and dialogs follow the program's language.
TEST(QtTranslations, GermanByDefaultEnglishWhenChosen) {
  SetCurrentLangCode("");
  ASSERT_TRUE(InstallQtTranslations());
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel").toStdString(), "Abbrechen");
  EXPECT_EQ(QCoreApplication::translate("QPrintPreviewDialog", "Print Preview").toStdString(), "Druckvorschau");
  SetCurrentLangCode("en");
  InstallQtTranslations();
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel").toStdString(), "Cancel");
  SetCurrentLangCode("");
  InstallQtTranslations();
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel").toStdString(), "Abbrechen");
  SetCurrentLangCode("");
}
