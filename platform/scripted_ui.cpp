#include "platform/scripted_ui.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextEdit>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>

#include "platform/datetimectrl.h"
#include "platform/dialog.h"

namespace platform {

const char* UiKindName(UiKind kind) {
  switch (kind) {
    case UiKind::kDialog: return "dialog";
    case UiKind::kMessageBox: return "message box";
    case UiKind::kFileDialog: return "file dialog";
    case UiKind::kFolderDialog: return "folder dialog";
    case UiKind::kColorDialog: return "colour dialog";
    case UiKind::kPrintDialog: return "print dialog";
    case UiKind::kPrintPreview: return "print preview";
    case UiKind::kPopupMenu: return "popup menu";
  }
  return "window";
}

// ------------------------------------------------------------- DialogDriver

namespace {
std::string IdText(const Dialog& dialog, int id) {
  return "control " + std::to_string(id) + " of dialog " + std::to_string(dialog.template_id());
}

QAbstractButton* OkButton(Dialog& dialog) {
  if (auto* button = dialog.Item<QAbstractButton>(IDOK)) return button;
  if (auto* box = dialog.findChild<QDialogButtonBox*>()) return box->button(QDialogButtonBox::Ok);
  return nullptr;
}
}  // namespace

QWidget* DialogDriver::Usable(int id, const char* action) const {
  QWidget* w = dialog_.GetDlgItem(id);
  std::string problem;
  if (!w) problem = "does not exist";
  else if (!w->isEnabled()) problem = "is disabled";
  else if (!w->isVisibleTo(&dialog_)) problem = "is hidden";
  if (problem.empty()) return w;
  ui_.Fail(std::string("cannot ") + action + " " + IdText(dialog_, id) + ": it " + problem);
  return nullptr;
}

std::string DialogDriver::Text(int id) const {
  if (!dialog_.GetDlgItem(id)) ui_.Fail("cannot read " + IdText(dialog_, id) + ": it does not exist");
  return dialog_.GetItemText(id);
}

bool DialogDriver::IsEnabled(int id) const {
  QWidget* w = dialog_.GetDlgItem(id);
  return w && w->isEnabled();
}

bool DialogDriver::IsVisible(int id) const {
  QWidget* w = dialog_.GetDlgItem(id);
  return w && w->isVisibleTo(&dialog_);
}

bool DialogDriver::IsChecked(int id) const { return dialog_.IsItemChecked(id); }

void DialogDriver::SetText(int id, std::string_view text) {
  QWidget* w = Usable(id, "type into");
  if (!w) return;
  auto* line = qobject_cast<QLineEdit*>(w);
  auto* rich = qobject_cast<QTextEdit*>(w);
  auto* plain = qobject_cast<QPlainTextEdit*>(w);
  if ((line && line->isReadOnly()) || (rich && rich->isReadOnly()) || (plain && plain->isReadOnly())) {
    ui_.Fail("cannot type into " + IdText(dialog_, id) + ": it is read-only");
    return;
  }
  if (!dialog_.SetItemText(id, text)) {
    ui_.Fail("cannot type \"" + std::string(text) + "\" into " + IdText(dialog_, id));
    return;
  }
  dialog_.NotifyKillFocus(id);
}

void DialogDriver::Check(int id, bool checked) {
  QWidget* w = Usable(id, "check");
  if (auto* picker = qobject_cast<DateTimeCtrl*>(w)) {
    if (!picker->showNone()) ui_.Fail("cannot change the check of " + IdText(dialog_, id) + ": it has none");
    picker->SetChecked(checked);
    return;
  }
  auto* button = qobject_cast<QAbstractButton*>(w);
  if (!button) return;
  if (button->isChecked() != checked) button->click();
  if (button->isChecked() != checked) ui_.Fail("cannot change the check of " + IdText(dialog_, id));
}

void DialogDriver::Select(int id, std::string_view entry) {
  QWidget* w = Usable(id, "select in");
  if (!w) return;
  const QString text = QString::fromUtf8(entry.data(), static_cast<qsizetype>(entry.size()));
  if (auto* combo = qobject_cast<QComboBox*>(w)) {
    const int index = combo->findText(text);
    if (index >= 0) {
      combo->setCurrentIndex(index);
      emit combo->activated(index);
      return;
    }
  } else if (auto* list = qobject_cast<QListWidget*>(w)) {
    const auto found = list->findItems(text, Qt::MatchExactly);
    if (!found.isEmpty()) {
      list->setCurrentItem(found.front());
      emit list->itemClicked(found.front());
      return;
    }
  } else if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
    // A report list: the first row that shows the entry in any column.
    for (int column = 0; column < tree->columnCount(); ++column) {
      const auto found = tree->findItems(text, Qt::MatchExactly, column);
      if (found.isEmpty()) continue;
      tree->clearSelection();
      tree->setCurrentItem(found.front(), column);
      found.front()->setSelected(true);
      emit tree->itemClicked(found.front(), column);
      return;
    }
  }
  ui_.Fail("no entry \"" + std::string(entry) + "\" in " + IdText(dialog_, id));
}

void DialogDriver::Click(int id) {
  if (auto* button = qobject_cast<QAbstractButton*>(Usable(id, "click"))) button->click();
}

bool DialogDriver::Press(int answer) {
  if (answer == IDOK) {
    QAbstractButton* ok = OkButton(dialog_);
    if (ok && !ok->isEnabled()) {
      ui_.Fail("cannot press OK of dialog " + std::to_string(dialog_.template_id()) + ": it is disabled");
      return dialog_.ended();
    }
    dialog_.accept();
  } else if (answer == IDCANCEL) {
    dialog_.reject();
  } else {
    Click(answer);
  }
  return dialog_.ended();
}

// --------------------------------------------------------------- ScriptedUi

ScriptedUi::ScriptedUi(Reporter reporter)
    : reporter_(std::move(reporter)),
      previous_seam_(&CurrentUi()),
      forwarder_(*this),
      previous_boxes_(CurrentMessageBoxHandler()) {
  SetUiSeam(this);
  SetMessageBoxHandler(&forwarder_);
}

ScriptedUi::~ScriptedUi() {
  VerifyAllShown();
  SetMessageBoxHandler(previous_boxes_);
  SetUiSeam(previous_seam_);
}

void ScriptedUi::Fail(const std::string& failure) {
  failures_.push_back(failure);
  if (reporter_) reporter_(failure);
  else std::fprintf(stderr, "pravik scripted UI: %s\n", failure.c_str());
}

void ScriptedUi::VerifyAllShown() {
  if (verified_) return;
  verified_ = true;
  for (size_t i = next_; i < steps_.size(); ++i) {
    const Step& s = steps_[i];
    std::string what = UiKindName(s.kind);
    if (s.kind == UiKind::kDialog && s.dialog_id) what += " " + std::to_string(s.dialog_id);
    if (!s.text_contains.empty()) what += " \"" + s.text_contains + "\"";
    Fail("expected " + what + " was never shown");
  }
}

ScriptedUi::Step& ScriptedUi::Add(UiKind kind) {
  verified_ = false;
  return steps_.emplace_back(kind);
}

ScriptedUi& ScriptedUi::ExpectDialog(int template_id, std::function<void(DialogDriver&)> fill, int answer) {
  Step& s = Add(UiKind::kDialog);
  s.dialog_id = template_id;
  s.fill = std::move(fill);
  s.answer = answer;
  return *this;
}

ScriptedUi& ScriptedUi::ExpectMessageBox(int answer, std::string text_contains) {
  Step& s = Add(UiKind::kMessageBox);
  s.answer = answer;
  s.text_contains = std::move(text_contains);
  return *this;
}

ScriptedUi& ScriptedUi::ExpectFileDialog(std::optional<std::filesystem::path> answer) {
  Add(UiKind::kFileDialog).path = std::move(answer);
  return *this;
}

ScriptedUi& ScriptedUi::ExpectFolderDialog(std::optional<std::filesystem::path> answer) {
  Add(UiKind::kFolderDialog).path = std::move(answer);
  return *this;
}

ScriptedUi& ScriptedUi::ExpectColorDialog(std::optional<ColorRef> answer) {
  Add(UiKind::kColorDialog).color = answer;
  return *this;
}

ScriptedUi& ScriptedUi::ExpectPrintDialog(bool ok, std::filesystem::path pdf, int from_page, int to_page) {
  Step& s = Add(UiKind::kPrintDialog);
  s.ok = ok;
  s.path = std::move(pdf);
  s.from_page = from_page;
  s.to_page = to_page;
  return *this;
}

ScriptedUi& ScriptedUi::ExpectPrintPreview(std::function<void(QPrintPreviewDialog&)> look) {
  Add(UiKind::kPrintPreview).look = std::move(look);
  return *this;
}

ScriptedUi& ScriptedUi::ExpectPopupMenu(int pick, std::function<void(const PopupMenuRequest&)> look) {
  Step& s = Add(UiKind::kPopupMenu);
  s.answer = pick;
  s.lookAtMenu = std::move(look);
  return *this;
}

std::string ScriptedUi::Describe(const ShownUi& shown) const {
  std::string d = UiKindName(shown.kind);
  if (shown.kind == UiKind::kDialog) d += " " + std::to_string(shown.dialog_id);
  if (!shown.title.empty()) d += " \"" + shown.title + "\"";
  if (shown.kind == UiKind::kMessageBox) d += ": \"" + shown.text + "\"";
  return d;
}

const ScriptedUi::Step* ScriptedUi::Take(const ShownUi& shown) {
  shown_.push_back(shown);
  if (next_ >= steps_.size()) {
    Fail("unexpected " + Describe(shown));
    return nullptr;
  }
  const Step& s = steps_[next_];
  bool fits = s.kind == shown.kind;
  if (fits && s.kind == UiKind::kDialog && s.dialog_id != 0) fits = s.dialog_id == shown.dialog_id;
  if (fits && !s.text_contains.empty()) fits = shown.text.find(s.text_contains) != std::string::npos;
  if (!fits) {
    std::string expected = UiKindName(s.kind);
    if (s.kind == UiKind::kDialog && s.dialog_id) expected += " " + std::to_string(s.dialog_id);
    if (!s.text_contains.empty()) expected += " containing \"" + s.text_contains + "\"";
    Fail("unexpected " + Describe(shown) + " (expected " + expected + ")");
    return nullptr;
  }
  ++next_;
  return &s;
}

int ScriptedUi::ShowModal(Dialog& dialog) {
  const Step* step = Take({UiKind::kDialog, dialog.template_id(), dialog.windowTitle().toStdString(), {}, 0});
  if (!step) {
    dialog.EndDialog(IDCANCEL);
    return IDCANCEL;
  }
  const auto fill = step->fill;  // the script may grow while the dialog runs
  const int answer = step->answer;
  dialog.InitDialog();
  if (dialog.ended()) return dialog.end_result();
  DialogDriver driver(*this, dialog);
  if (fill) fill(driver);
  if (!dialog.ended() && !driver.Press(answer)) {
    Fail("dialog " + std::to_string(dialog.template_id()) + " stayed open after the scripted answer " +
         std::to_string(answer));
    dialog.EndDialog(IDCANCEL);
  }
  return dialog.end_result();
}

int ScriptedUi::ShowMessageBox(const MessageBoxRequest& request) {
  const Step* step = Take({UiKind::kMessageBox, 0, request.caption, request.text, request.flags});
  if (!step) return DefaultMessageBoxAnswer(request.flags);
  const auto buttons = MessageBoxButtons(request.flags);
  if (std::find(buttons.begin(), buttons.end(), step->answer) == buttons.end()) {
    Fail("message box \"" + request.text + "\" has no button " + std::to_string(step->answer));
    return DefaultMessageBoxAnswer(request.flags);
  }
  return step->answer;
}

std::optional<std::filesystem::path> ScriptedUi::ShowFileDialog(const FileDialogRequest& request) {
  const Step* step = Take({UiKind::kFileDialog, 0, request.title, request.filter, request.save ? 1u : 0u, request.folder});
  if (!step || !step->path) return std::nullopt;
  std::filesystem::path path = *step->path;
  if (request.save && !request.default_extension.empty() && !path.has_extension())
    path += "." + request.default_extension;
  return path;
}

std::optional<std::filesystem::path> ScriptedUi::ShowFolderDialog(const FolderDialogRequest& request) {
  const Step* step = Take({UiKind::kFolderDialog, 0, request.title, request.start.string(), 0});
  if (!step) return std::nullopt;
  return step->path;
}

std::optional<ColorRef> ScriptedUi::ShowColorDialog(ColorRef initial) {
  const Step* step = Take({UiKind::kColorDialog, 0, {}, std::to_string(initial), 0});
  if (!step) return std::nullopt;
  return step->color;
}

bool ScriptedUi::ShowPrintDialog(const PrintDialogRequest& request) {
  // A set-up shows the text of its button that accepts.
  const Step* step = Take({UiKind::kPrintDialog, 0, request.title, request.setup ? request.accept_text : std::string(), 0});
  if (!step || !step->ok || !request.printer) return false;
  QPrinter& printer = *request.printer;
  if (step->path && !step->path->empty()) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(step->path->string()));
  }
  if (step->from_page > 0) {
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(step->from_page, std::max(step->from_page, step->to_page));
  } else {
    printer.setPrintRange(QPrinter::AllPages);
  }
  return true;
}

void ScriptedUi::ShowPrintPreview(QPrintPreviewDialog& preview) {
  const Step* step = Take({UiKind::kPrintPreview, 0, preview.windowTitle().toStdString(), {}, 0});
  if (step && step->look) {
    const auto look = step->look;
    look(preview);
  }
}

int ScriptedUi::ShowPopupMenu(const PopupMenuRequest& request) {
  std::string entries;
  for (const PopupMenuItem& item : request.items)
    if (item.id != 0) entries += std::to_string(item.id) + " " + item.text + "\n";
  const Step* step = Take({UiKind::kPopupMenu, 0, {}, entries, 0});
  if (!step) return 0;
  const int pick = step->answer;
  if (step->lookAtMenu) {
    const auto look = step->lookAtMenu;
    look(request);
  }
  if (pick == 0) return 0;
  for (const PopupMenuItem& item : request.items) {
    if (item.id != pick) continue;
    if (item.enabled) return pick;
    Fail("cannot pick " + std::to_string(pick) + " of the popup menu: it is disabled");
    return 0;
  }
  Fail("the popup menu has no entry " + std::to_string(pick));
  return 0;
}

}  // namespace platform
