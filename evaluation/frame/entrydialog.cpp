#include "evaluation/frame/entrydialog.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "i18n/translation.h"

std::string EntryDialogTitle(const std::string& name, const std::string& blanks, const std::string& testNumber) {
  return name + blanks + TranslateString(5152, "Prüf-Nr.") + ": " + testNumber;
}

QLabel* MakeRowLabel(QWidget* parent, int id, const QString& text, Qt::Alignment alignment) {
  auto* label = new QLabel(text, parent);
  if (id) platform::SetControlId(label, id);
  label->setAlignment(alignment);
  return label;
}

QLineEdit* MakeRowField(QWidget* parent, int id, bool readOnly, int width) {
  auto* field = new QLineEdit(parent);
  platform::SetControlId(field, id);
  field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  field->setFixedWidth(width);
  if (readOnly) {
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
  }
  return field;
}

CEntryDialog::CEntryDialog(int templateId, QWidget* parent) : CpvDialog(templateId, parent) {}

void CEntryDialog::OnOK() {
  Recompute();
  MarkFaults();
  if (!checks_.Confirm()) return;
  if (TakeResult()) EndDialog(platform::IDOK);
}

void CEntryDialog::AfterInitDialog() { MarkFaults(); }

void CEntryDialog::RecomputeOnKillFocus(const std::vector<int>& ids) {
  for (int id : ids)
    OnKillFocus(id, [this, id] {
      Recompute();
      MarkFaults();
      checks_.Left(id);
    });
}

void CEntryDialog::SetTextIfChanged(int id, const std::string& text) {
  if (GetItemText(id) != text) SetItemText(id, text);
}

void CEntryDialog::SetTitleFitting(const std::string& title) {
  setWindowTitle(QString::fromStdString(title));
  // The margin leaves room for the icon and the window's buttons.
  setMinimumWidth(std::max(minimumWidth(), QFontMetrics(font()).horizontalAdvance(windowTitle()) + 140));
}
