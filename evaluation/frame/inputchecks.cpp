#include "evaluation/frame/inputchecks.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <algorithm>

#include "i18n/translation.h"
#include "platform/dialog.h"
#include "platform/messagebox.h"

namespace {

// The background of a field that holds what it refuses.
const QColor kRefusedBack(255, 170, 170);

}  // namespace

std::vector<FieldFault> FieldFaultsOf(const InputFaults& faults, const std::function<int(int input)>& fieldOfInput) {
  std::vector<FieldFault> out;
  for (const InputFault& fault : faults)
    if (const int id = fieldOfInput(fault.input)) out.push_back({id, fault.reason});
  return out;
}

CInputChecks::CInputChecks(platform::Dialog& dialog) : dialog_(dialog) {}

void CInputChecks::AddNumberField(int id, std::vector<int> labelIds, const NumberRule& rule) {
  fields_.push_back({id, std::move(labelIds), {}, rule});
}

void CInputChecks::AddNamedNumberField(int id, std::function<std::string()> name, const NumberRule& rule) {
  fields_.push_back({id, {}, std::move(name), rule});
}

void CInputChecks::AddTextField(int id, std::vector<int> labelIds) {
  fields_.push_back({id, std::move(labelIds), {}, std::nullopt});
}

const CInputChecks::Field* CInputChecks::FindField(int id) const {
  for (const Field& field : fields_)
    if (field.id == id) return &field;
  return nullptr;
}

bool CInputChecks::IsNumberField(int id) const {
  const Field* field = FindField(id);
  return field && field->rule;
}

const NumberRule* CInputChecks::RefusingRule(int id) const {
  const Field* field = FindField(id);
  if (!field || !field->rule || !IsRefusedNumber(dialog_.GetItemText(id), *field->rule)) return nullptr;
  return &*field->rule;
}

std::string CInputChecks::FieldName(int id) const {
  const Field* field = FindField(id);
  if (field && field->name) return FieldNameOfLabel(field->name());
  std::string name;
  if (field)
    for (int label : field->labelIds) {
      const std::string text = FieldNameOfLabel(dialog_.GetItemText(label));
      if (text.empty()) continue;
      name += (name.empty() ? "" : ", ") + text;
    }
  return name;
}

std::string CInputChecks::Refusal(int id) const {
  if (const NumberRule* rule = RefusingRule(id)) return NumberRefusalReason(dialog_.GetItemText(id), *rule);
  for (const FieldFault& fault : relations_)
    if (fault.id == id) return fault.reason;
  return "";
}

std::string CInputChecks::MessageOf(int id, const std::string& reason) const {
  if (const NumberRule* rule = RefusingRule(id)) return NumberRefusalMessage(FieldName(id), dialog_.GetItemText(id), *rule);
  const std::string name = FieldName(id);
  return name.empty() ? reason : name + ": " + reason;
}

void CInputChecks::Mark(const std::vector<FieldFault>& relations) {
  relations_ = relations;
  // A fault told is told again only after it has gone.
  std::erase_if(told_, [this](const FieldFault& fault) {
    return std::find(relations_.begin(), relations_.end(), fault) == relations_.end();
  });
  std::vector<int> ids;
  for (const Field& field : fields_) ids.push_back(field.id);
  for (const FieldFault& fault : relations_) ids.push_back(fault.id);
  for (const Original& original : originals_) ids.push_back(original.id);
  std::sort(ids.begin(), ids.end());
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
  for (int id : ids) {
    const std::string reason = Refusal(id);
    if (reason.empty()) ClearMark(id);
    else SetMarked(id, reason);
  }
}

void CInputChecks::SetMarked(int id, const std::string& reason) {
  QWidget* field = dialog_.GetDlgItem(id);
  if (!field) return;
  auto it = std::find_if(originals_.begin(), originals_.end(), [id](const Original& o) { return o.id == id; });
  if (it == originals_.end())
    it = originals_.insert(originals_.end(), Original{id, field->palette(), field->autoFillBackground(), field->toolTip()});
  QPalette palette = it->palette;
  for (auto group : {QPalette::Active, QPalette::Inactive}) palette.setColor(group, QPalette::Base, kRefusedBack);
  field->setPalette(palette);
  field->setToolTip(QString::fromStdString(reason));
}

void CInputChecks::ClearMark(int id) {
  auto it = std::find_if(originals_.begin(), originals_.end(), [id](const Original& o) { return o.id == id; });
  if (it == originals_.end()) return;
  if (QWidget* field = dialog_.GetDlgItem(id)) {
    field->setPalette(it->palette);
    field->setAutoFillBackground(it->autoFill);
    field->setToolTip(it->tooltip);
  }
  originals_.erase(it);
}

bool CInputChecks::LeavingQuietly() const {
  // Without a window on the screen (a scripted run) every leaving counts.
  if (!dialog_.isVisible()) return false;
  if (!dialog_.isActiveWindow()) return true;
  QWidget* now = QApplication::focusWidget();
  return now && dialog_.isAncestorOf(now) && platform::ControlId(now) == platform::IDCANCEL;
}

void CInputChecks::Left(int id) {
  if (telling_ || LeavingQuietly()) return;
  if (RefusingRule(id)) {
    Tell(id, MessageOf(id, ""));
    return;
  }
  // A relation fault that has just appeared, on a field that is no refused number.
  for (const FieldFault& fault : relations_) {
    if (std::find(told_.begin(), told_.end(), fault) != told_.end()) continue;
    if (RefusingRule(fault.id)) continue;
    told_ = relations_;
    Tell(fault.id, MessageOf(fault.id, fault.reason));
    return;
  }
}

bool CInputChecks::Confirm() {
  for (const Field& field : fields_) {
    if (!RefusingRule(field.id)) continue;
    ++serial_;
    ShowNow(field.id, MessageOf(field.id, ""));
    return false;
  }
  if (relations_.empty()) return true;
  const FieldFault fault = relations_.front();
  told_ = relations_;
  ++serial_;
  ShowNow(fault.id, MessageOf(fault.id, fault.reason));
  return false;
}

void CInputChecks::Tell(int id, const std::string& message) {
  const int serial = ++serial_;
  // On the screen the message waits for the event that moved the focus to
  // end (a button pressed down would stay down under it).
  if (!dialog_.isVisible()) {
    ShowNow(id, message);
    return;
  }
  QPointer<platform::Dialog> alive(&dialog_);
  QTimer::singleShot(0, &dialog_, [this, alive, serial, id, message] {
    if (!alive || serial != serial_ || Refusal(id).empty()) return;
    ShowNow(id, message);
  });
}

void ShowInputRefusal(const std::string& message) {
  platform::ShowMessageBox(message, platform::MB_OK | platform::MB_ICONWARNING,
                           TranslateString(62007, "Eingabe prüfen"));
}

void CInputChecks::ShowNow(int id, const std::string& message) {
  lastNamed_ = id;
  telling_ = true;
  ShowInputRefusal(message);
  // The field takes the focus back with its text selected for correction.
  if (QWidget* field = dialog_.GetDlgItem(id)) {
    field->setFocus(Qt::OtherFocusReason);
    if (auto* line = qobject_cast<QLineEdit*>(field)) line->selectAll();
  }
  telling_ = false;
}
