#include "evaluation/frame/entryform.h"

#include <QPushButton>

#include "platform/dialog.h"

QLabel* EntryLabel(QWidget* parent, int id, const std::string& text, Qt::Alignment alignment) {
  return MakeRowLabel(parent, id, QString::fromStdString(text), alignment | Qt::AlignVCenter);
}

void AddOkCancelRow(QWidget* dialog, QBoxLayout* layout) {
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  auto* ok = new QPushButton(QObject::tr("OK"), dialog);
  platform::SetControlId(ok, platform::IDOK);
  ok->setDefault(true);
  auto* cancel = new QPushButton(QString::fromUtf8("Abbrechen"), dialog);
  platform::SetControlId(cancel, platform::IDCANCEL);
  cancel->setAutoDefault(false);
  row->addWidget(ok);
  row->addWidget(cancel);
  layout->addLayout(row);
}
