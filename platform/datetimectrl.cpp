#include "platform/datetimectrl.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QHBoxLayout>

namespace platform {

namespace {

const QString kDateFormat = QStringLiteral("dd.MM.yyyy");
const QString kTimeFormat = QStringLiteral("HH:mm:ss");

}  // namespace

DateTimeCtrl::DateTimeCtrl(QWidget* parent) : QWidget(parent) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  check_ = new QCheckBox(this);
  check_->setChecked(true);
  check_->hide();
  edit_ = new QDateTimeEdit(this);
  edit_->setDisplayFormat(kDateFormat);
  edit_->setCalendarPopup(true);
  layout->addWidget(check_);
  layout->addWidget(edit_, 1);
  setFocusProxy(edit_);
  connect(check_, &QCheckBox::toggled, this, [this] {
    UpdateEnabled();
    emit Changed();
  });
  connect(edit_, &QDateTimeEdit::dateTimeChanged, this, [this] { emit Changed(); });
}

void DateTimeCtrl::setTimeMode(bool on) {
  timeMode_ = on;
  edit_->setDisplayFormat(on ? kTimeFormat : kDateFormat);
  edit_->setCalendarPopup(!on);
}

bool DateTimeCtrl::showNone() const { return !check_->isHidden(); }

void DateTimeCtrl::setShowNone(bool on) {
  check_->setVisible(on);
  if (!on) check_->setChecked(true);
  UpdateEnabled();
}

bool DateTimeCtrl::IsChecked() const { return check_->isChecked(); }

void DateTimeCtrl::SetChecked(bool checked) {
  if (!showNone()) checked = true;
  check_->setChecked(checked);
  UpdateEnabled();
}

QDate DateTimeCtrl::Date() const { return edit_->date(); }

void DateTimeCtrl::SetDate(const QDate& date) { edit_->setDate(date); }

QTime DateTimeCtrl::Time() const { return edit_->time(); }

void DateTimeCtrl::SetTime(const QTime& time) { edit_->setTime(time); }

QString DateTimeCtrl::Text() const { return IsChecked() ? edit_->text() : QString(); }

bool DateTimeCtrl::SetText(const QString& text) {
  const QString value = text.trimmed();
  if (value.isEmpty()) {
    if (!showNone()) return false;
    SetChecked(false);
    return true;
  }
  if (timeMode_) {
    QTime time = QTime::fromString(value, kTimeFormat);
    if (!time.isValid()) time = QTime::fromString(value, QStringLiteral("HH:mm"));
    if (!time.isValid()) return false;
    edit_->setTime(time);
  } else {
    const QDate date = QDate::fromString(value, kDateFormat);
    if (!date.isValid()) return false;
    edit_->setDate(date);
  }
  SetChecked(true);
  return true;
}

void DateTimeCtrl::UpdateEnabled() { edit_->setEnabled(IsChecked()); }

}  // namespace platform
