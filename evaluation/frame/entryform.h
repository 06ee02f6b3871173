#pragma once
// Building blocks of the entry dialogs whose forms are built in code from a
// table of rows: number fields, labels and the OK / Cancel row, each with
// its control id so that translation, code and tests find it.
#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <string>

#include "evaluation/frame/entrydialog.h"

// A template text; id 0 for texts that are never translated (numbers, units).
QLabel* EntryLabel(QWidget* parent, int id, const std::string& text, Qt::Alignment alignment = Qt::AlignLeft);
// OK (default button) and Cancel at the right end of a new row of the layout.
void AddOkCancelRow(QWidget* dialog, QBoxLayout* layout);
