#include "services/translate_ui.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QTranslator>
#include <QWidget>
#include <memory>
#include <vector>

#include "i18n/translation.h"
#include "platform/dialog.h"

namespace {

QString FromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Window texts are those of statics, buttons and group frames; edit fields,
// lists and combo boxes hold data, which the dialog fills after translating.
std::string ControlText(const QWidget* w) {
  if (auto* label = qobject_cast<const QLabel*>(w)) return label->text().toStdString();
  if (auto* button = qobject_cast<const QAbstractButton*>(w)) return button->text().toStdString();
  if (auto* group = qobject_cast<const QGroupBox*>(w)) return group->title().toStdString();
  return {};
}

void SetControlText(QWidget* w, const std::string& text) {
  if (auto* label = qobject_cast<QLabel*>(w)) label->setText(FromUtf8(text));
  else if (auto* button = qobject_cast<QAbstractButton*>(w)) button->setText(FromUtf8(text));
  else if (auto* group = qobject_cast<QGroupBox*>(w)) group->setTitle(FromUtf8(text));
}

bool HasText(const QWidget* w) {
  return qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w) ||
         qobject_cast<const QGroupBox*>(w);
}

// The controls of the window in the order of its children, without those of
// windows inside it.
void CollectControls(QWidget* parent, std::vector<QWidget*>& controls) {
  for (QObject* child : parent->children()) {
    auto* w = qobject_cast<QWidget*>(child);
    if (!w || w->isWindow() || qobject_cast<platform::Dialog*>(w)) continue;
    if (platform::ControlId(w) != 0 && HasText(w)) controls.push_back(w);
    CollectControls(w, controls);
  }
}

// The actions of a menu in the shape of its plain-data texts.
struct ActionTree {
  QAction* action = nullptr;
  std::vector<ActionTree> items;
};

MenuItemText ItemOf(QAction* action) {
  MenuItemText item;
  if (action->isSeparator()) return item;
  item.text = action->text().toStdString();
  item.popup = action->menu() != nullptr;
  bool ok = false;
  const int id = action->data().toInt(&ok);
  if (!item.popup && ok) item.commandId = id;
  return item;
}

// The items of a menu, `depth` levels of popups deep.
void ReadMenu(const QWidget* menu, int depth, std::vector<MenuItemText>& texts, std::vector<ActionTree>& actions) {
  for (QAction* action : menu->actions()) {
    MenuItemText item = ItemOf(action);
    ActionTree node{action, {}};
    if (depth > 1 && action->menu()) ReadMenu(action->menu(), depth - 1, item.items, node.items);
    texts.push_back(std::move(item));
    actions.push_back(std::move(node));
  }
}

void PutBack(const std::vector<MenuItemText>& texts, const std::vector<ActionTree>& actions) {
  for (std::size_t i = 0; i < actions.size(); ++i) {
    QAction* action = actions[i].action;
    const QString text = FromUtf8(texts[i].text);
    if (!action->isSeparator() && action->text() != text) action->setText(text);
    PutBack(texts[i].items, actions[i].items);
  }
}

}  // namespace

void TranslateDialog(QWidget* window, int templateId, int subId) {
  if (!window || IsGermanLanguage(CurrentLangCode())) return;
  std::vector<QWidget*> controls;
  CollectControls(window, controls);
  DialogTexts texts;
  texts.caption = window->windowTitle().toStdString();
  for (QWidget* w : controls) texts.controls.push_back({platform::ControlId(w), ControlText(w)});
  const DialogTexts german = texts;
  TranslateDialogTexts(templateId, subId, texts);
  if (texts.caption != german.caption) window->setWindowTitle(FromUtf8(texts.caption));
  for (std::size_t i = 0; i < controls.size(); ++i)
    if (texts.controls[i].text != german.controls[i].text) SetControlText(controls[i], texts.controls[i].text);
}

void TranslateMenu(QWidget* menu, int menuId, int subId, int count) {
  if (!menu || IsGermanLanguage(CurrentLangCode())) return;
  // Top-level items, the items of their popups and those of popups nested in these.
  std::vector<MenuItemText> texts;
  std::vector<ActionTree> actions;
  ReadMenu(menu, 3, texts, actions);
  TranslateMenuTexts(texts, menuId, subId, count);
  PutBack(texts, actions);
}

bool InstallQtTranslations() {
  static std::unique_ptr<QTranslator> installed;
  if (installed) {
    QCoreApplication::removeTranslator(installed.get());
    installed.reset();
  }
  const std::string code = IsGermanLanguage(CurrentLangCode()) ? "de" : CurrentLangCode();
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(FromUtf8("qtbase_" + code), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) return false;
  QCoreApplication::installTranslator(translator.get());
  installed = std::move(translator);
  return true;
}
