#include "platform/dialog.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolTip>
#include <set>

#include "platform/datetimectrl.h"
#include "platform/screenfit.h"
#include "platform/textcodec.h"
#include "platform/uiseam.h"

namespace platform {
namespace {
std::function<void(Dialog&)>& OpenHook() {
  static std::function<void(Dialog&)> hook;
  return hook;
}
}  // namespace

int ControlId(const QWidget* widget) {
  if (!widget) return 0;
  const QVariant v = widget->property(kControlIdProperty);
  return v.isValid() ? v.toInt() : 0;
}

void SetControlId(QWidget* widget, int id) {
  if (widget) widget->setProperty(kControlIdProperty, id);
}

void SetDialogOpenHook(std::function<void(Dialog&)> hook) { OpenHook() = std::move(hook); }

namespace {

std::function<std::string()>& CodePageHint() {
  static std::function<std::string()> hint;
  return hint;
}

constexpr char kGuardedProperty[] = "pravikCodePageGuard";

// The tooltip window that shows a text, or null.
QWidget* ShownToolTip() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->inherits("QTipLabel") && w->isVisible()) return w;
  return nullptr;
}

void ShowRefusal(QWidget* field) {
  const std::string hint = CodePageHint() ? CodePageHint()() : std::string();
  if (hint.empty()) return;
  QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), QString::fromStdString(hint), field);
  // Below the field the hint may cover the button the user goes for next
  // (OK, "Speichern"): then it stands above the field.
  QWidget* tip = ShownToolTip();
  if (!tip) return;
  const QRect shown = tip->frameGeometry();
  for (const QAbstractButton* button : field->window()->findChildren<QAbstractButton*>()) {
    if (!button->isVisible() || !QRect(button->mapToGlobal(QPoint(0, 0)), button->size()).intersects(shown)) continue;
    tip->move(shown.left(), field->mapToGlobal(QPoint(0, 0)).y() - shown.height() - 2);
    return;
  }
}

// The text fields (and field parts of combo boxes) that take what a user types.
bool IsTextField(QWidget* w) {
  if (qobject_cast<QAbstractSpinBox*>(w ? w->parentWidget() : nullptr)) return false;  // numbers only
  return qobject_cast<QLineEdit*>(w) || qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w);
}

}  // namespace

void SetCodePageHint(std::function<std::string()> hint) { CodePageHint() = std::move(hint); }

QString WithoutForeignCharacters(const QString& text, int* position) {
  QString kept;
  kept.reserve(text.size());
  int removedBefore = 0;
  for (qsizetype i = 0; i < text.size();) {
    const char32_t cp = text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()
                            ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1))
                            : text.at(i).unicode();
    const int units = cp > 0xFFFF ? 2 : 1;
    if (IsCp1252Character(cp)) kept.append(text.mid(i, units));
    else if (position && i < *position) removedBefore += units;
    i += units;
  }
  if (position) *position -= removedBefore;
  return kept;
}

void Dialog::GuardCodePage(QWidget* root) {
  for (QWidget* w : root->findChildren<QWidget*>())
    if (IsTextField(w)) GuardCodePageOf(w);
}

void Dialog::GuardCodePageOf(QWidget* field) {
  if (field->property(kGuardedProperty).toBool()) return;
  field->setProperty(kGuardedProperty, true);
  if (auto* line = qobject_cast<QLineEdit*>(field)) {
    // Only what the user types or pastes; texts the program sets are its own.
    connect(line, &QLineEdit::textEdited, line, [line](const QString& text) {
      int cursor = line->cursorPosition();
      const QString kept = WithoutForeignCharacters(text, &cursor);
      if (kept.size() == text.size()) return;
      line->setText(kept);
      line->setCursorPosition(cursor);
      ShowRefusal(line);
    });
    return;
  }
  // Multi-line fields tell every change; the ones of a read-only field are
  // the program's.
  auto strip = [field](QTextDocument* document, bool readOnly) {
    if (readOnly) return;
    const QString text = document->toPlainText();
    if (WithoutForeignCharacters(text).size() == text.size()) return;
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    for (qsizetype i = text.size(); i-- > 0;) {
      const bool pair = i > 0 && text.at(i).isLowSurrogate() && text.at(i - 1).isHighSurrogate();
      const qsizetype start = pair ? i - 1 : i;
      const char32_t cp = pair ? QChar::surrogateToUcs4(text.at(i - 1), text.at(i)) : text.at(i).unicode();
      if (!IsCp1252Character(cp)) {
        cursor.setPosition(static_cast<int>(start));
        cursor.setPosition(static_cast<int>(i + 1), QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
      }
      i = start;
    }
    cursor.endEditBlock();
    ShowRefusal(field);
  };
  if (auto* edit = qobject_cast<QTextEdit*>(field))
    connect(edit, &QTextEdit::textChanged, edit, [edit, strip] { strip(edit->document(), edit->isReadOnly()); });
  else if (auto* plain = qobject_cast<QPlainTextEdit*>(field))
    connect(plain, &QPlainTextEdit::textChanged, plain, [plain, strip] { strip(plain->document(), plain->isReadOnly()); });
}

Dialog::Dialog(int template_id, QWidget* parent) : QDialog(parent), template_id_(template_id) {
  if (qApp)
    focus_connection_ = connect(qApp, &QApplication::focusChanged, this,
                                [this](QWidget* old, QWidget* now) { FocusChanged(old, now); });
}

// Deleting the controls moves the focus; no handler may run by then.
Dialog::~Dialog() { QObject::disconnect(focus_connection_); }

int Dialog::DoModal() {
  opened_ = false;
  ended_ = false;
  end_result_ = 0;
  return CurrentUi().ShowModal(*this);
}

void Dialog::EndDialog(int result) {
  ended_ = true;
  end_result_ = result;
  QDialog::done(result);
}

void Dialog::InitDialog() {
  if (opened_) return;
  opened_ = true;
  WireStandardButtons();
  GuardCodePage(this);
  if (OpenHook()) OpenHook()(*this);
  OnInitDialog();
  ShowReadOnlyFieldsReadOnly();
  AfterInitDialog();
  FitIntoWorkArea(this);
}

namespace {

// A plain text field's read-only state; false for anything else. Rich text
// fields (help and tips) keep their own background when read-only.
bool ReadOnlyText(const QWidget* w, bool& readOnly) {
  if (auto* line = qobject_cast<const QLineEdit*>(w)) readOnly = line->isReadOnly();
  else if (auto* plain = qobject_cast<const QPlainTextEdit*>(w)) readOnly = plain->isReadOnly();
  else return false;
  return true;
}

// Read-only and disabled fields have the dialog's background instead of the
// editing one; read-only ones take the focus when clicked: the next keys then go nowhere instead of
// into the field that had the focus before.
void ApplyReadOnlyLook(QWidget* field) {
  bool readOnly = false;
  if (!ReadOnlyText(field, readOnly)) return;
  QPalette palette = field->palette();
  const QPalette& around = field->parentWidget() ? field->parentWidget()->palette() : QApplication::palette();
  for (auto group : {QPalette::Active, QPalette::Inactive})
    palette.setColor(group, QPalette::Base, around.color(readOnly ? QPalette::Window : QPalette::Base));
  // A disabled field shows that it takes nothing, whether read-only or not.
  palette.setColor(QPalette::Disabled, QPalette::Base, around.color(QPalette::Window));
  field->setPalette(palette);
  if (readOnly && field->focusPolicy() == Qt::NoFocus) field->setFocusPolicy(Qt::ClickFocus);
}

class ReadOnlyLook : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ReadOnlyChange) ApplyReadOnlyLook(static_cast<QWidget*>(watched));
    return false;
  }
};

}  // namespace

void Dialog::ShowReadOnlyFieldsReadOnly() {
  if (read_only_look_) return;
  read_only_look_ = new ReadOnlyLook(this);
  for (QWidget* w : findChildren<QWidget*>()) {
    bool readOnly = false;
    if (!ReadOnlyText(w, readOnly)) continue;
    w->installEventFilter(read_only_look_);
    ApplyReadOnlyLook(w);
  }
}

void Dialog::showEvent(QShowEvent* event) {
  InitDialog();
  QDialog::showEvent(event);
}

void Dialog::WireStandardButtons() {
  if (buttons_wired_) return;
  buttons_wired_ = true;
  for (QAbstractButton* button : findChildren<QAbstractButton*>()) {
    if (qobject_cast<QDialogButtonBox*>(button->parentWidget())) continue;
    const int id = ControlId(button);
    if (id == IDOK) {
      connect(button, &QAbstractButton::clicked, this, &Dialog::accept);
      if (auto* push = qobject_cast<QPushButton*>(button)) push->setDefault(true);
    } else if (id == IDCANCEL) {
      connect(button, &QAbstractButton::clicked, this, &Dialog::reject);
    }
  }
}

QWidget* Dialog::GetDlgItem(int id) const {
  if (id == 0) return nullptr;
  for (QWidget* w : findChildren<QWidget*>())
    if (ControlId(w) == id) return w;
  return nullptr;
}

std::vector<int> Dialog::ItemIds() const {
  std::set<int> ids;
  for (QWidget* w : findChildren<QWidget*>())
    if (int id = ControlId(w)) ids.insert(id);
  return {ids.begin(), ids.end()};
}

std::string Dialog::GetItemText(int id) const {
  QWidget* w = GetDlgItem(id);
  QString text;
  if (auto* dt = qobject_cast<DateTimeCtrl*>(w)) text = dt->Text();
  else if (auto* e = qobject_cast<QLineEdit*>(w)) text = e->text();
  else if (auto* t = qobject_cast<QTextEdit*>(w)) text = t->toPlainText();
  else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) text = p->toPlainText();
  else if (auto* c = qobject_cast<QComboBox*>(w)) text = c->currentText();
  else if (auto* l = qobject_cast<QLabel*>(w)) text = l->text();
  else if (auto* b = qobject_cast<QAbstractButton*>(w)) text = b->text();
  else if (auto* g = qobject_cast<QGroupBox*>(w)) text = g->title();
  else if (auto* s = qobject_cast<QAbstractSpinBox*>(w)) text = s->text();
  else if (auto* list = qobject_cast<QListWidget*>(w)) text = list->currentItem() ? list->currentItem()->text() : QString();
  return text.toStdString();
}

bool Dialog::SetItemText(int id, std::string_view value) {
  QWidget* w = GetDlgItem(id);
  const QString text = QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size()));
  if (auto* dt = qobject_cast<DateTimeCtrl*>(w)) return dt->SetText(text);
  if (auto* e = qobject_cast<QLineEdit*>(w)) e->setText(text);
  else if (auto* t = qobject_cast<QTextEdit*>(w)) t->setPlainText(text);
  else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) p->setPlainText(text);
  else if (auto* c = qobject_cast<QComboBox*>(w)) {
    if (c->isEditable()) {
      c->setEditText(text);
    } else {
      const int index = c->findText(text);
      if (index < 0) return false;
      c->setCurrentIndex(index);
    }
  } else if (auto* l = qobject_cast<QLabel*>(w)) l->setText(text);
  else if (auto* b = qobject_cast<QAbstractButton*>(w)) b->setText(text);
  else if (auto* g = qobject_cast<QGroupBox*>(w)) g->setTitle(text);
  else if (auto* s = qobject_cast<QSpinBox*>(w)) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok) return false;
    s->setValue(v);
  } else if (auto* d = qobject_cast<QDoubleSpinBox*>(w)) {
    bool ok = false;
    const double v = QString(text).replace(u',', u'.').trimmed().toDouble(&ok);
    if (!ok) return false;
    d->setValue(v);
  } else if (auto* list = qobject_cast<QListWidget*>(w)) {
    const auto found = list->findItems(text, Qt::MatchExactly);
    if (found.isEmpty()) return false;
    list->setCurrentItem(found.front());
  } else if (auto* date = qobject_cast<QDateTimeEdit*>(w)) {
    // As typed into the edit: in its own display format.
    const QDateTime typed = QDateTime::fromString(text.trimmed(), date->displayFormat());
    if (!typed.isValid()) return false;
    date->setDateTime(typed);
  } else {
    return false;
  }
  return true;
}

bool Dialog::IsItemChecked(int id) const {
  if (auto* dt = qobject_cast<DateTimeCtrl*>(GetDlgItem(id))) return dt->IsChecked();
  auto* b = qobject_cast<QAbstractButton*>(GetDlgItem(id));
  return b && b->isChecked();
}

void Dialog::CheckItem(int id, bool checked) {
  if (auto* dt = qobject_cast<DateTimeCtrl*>(GetDlgItem(id))) dt->SetChecked(checked);
  if (auto* b = qobject_cast<QAbstractButton*>(GetDlgItem(id))) b->setChecked(checked);
}

void Dialog::EnableItem(int id, bool enable) {
  if (QWidget* w = GetDlgItem(id)) w->setEnabled(enable);
}

void Dialog::ShowItem(int id, int show_command) {
  if (QWidget* w = GetDlgItem(id)) w->setVisible(show_command != SW_HIDE);
}

void Dialog::OnKillFocus(int id, std::function<void()> handler) {
  kill_focus_[id].push_back(std::move(handler));
}

void Dialog::NotifyKillFocus(int id) {
  auto it = kill_focus_.find(id);
  if (it == kill_focus_.end()) {
    // A control of a page inside this dialog: the page has the handlers.
    Dialog* inner = InnerDialogOf(GetDlgItem(id));
    if (inner) inner->NotifyKillFocus(id);
    return;
  }
  const auto handlers = it->second;  // a handler may add handlers
  for (const auto& handler : handlers) handler();
}

void Dialog::OnCommand(int id, std::function<void()> handler) { commands_[id].push_back(std::move(handler)); }

bool Dialog::SendCommand(int id) {
  auto it = commands_.find(id);
  if (it == commands_.end() || it->second.empty()) return false;
  const auto handlers = it->second;  // a handler may add handlers
  for (const auto& handler : handlers) handler();
  return true;
}

bool SendCommandToTopLevel(QWidget* widget, int id) {
  if (!widget) return false;
  auto* dialog = qobject_cast<Dialog*>(widget->window());
  return dialog && dialog->SendCommand(id);
}

Dialog* Dialog::InnerDialogOf(QWidget* widget) const {
  for (QWidget* w = widget ? widget->parentWidget() : nullptr; w && w != this; w = w->parentWidget())
    if (auto* dialog = qobject_cast<Dialog*>(w)) return dialog;
  return nullptr;
}

int Dialog::OwningControlId(QWidget* widget) const {
  // A page inside this dialog tells its own controls' losing the focus.
  if (InnerDialogOf(widget)) return 0;
  for (QWidget* w = widget; w && w != this; w = w->parentWidget()) {
    if (w->isWindow()) return 0;  // another window
    if (int id = ControlId(w)) return id;
  }
  return 0;
}

void Dialog::FocusChanged(QWidget* old, QWidget* now) {
  // Fields made after the opening (in-place editors of grids) when they get the focus.
  if (now && IsTextField(now) && isAncestorOf(now)) GuardCodePageOf(now);
  const int id = OwningControlId(old);
  if (id == 0) return;
  if (now && OwningControlId(now) == id) return;          // inside the same control
  if (now && now->window()->windowType() == Qt::Popup) return;  // its drop-down list
  NotifyKillFocus(id);
}

}  // namespace platform
