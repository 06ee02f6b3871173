#pragma once
// DateTimeCtrl: the date or time picker of the dialogs. With a check box
// ("show none") the value may be left unset: the box cleared, the picker
// greyed. Dialogs read and set it by id like any other control:
//
//   GetItemText(312)           "14:30:00", or "" while unset
//   SetItemText(312, "14:30")  sets the time and ticks the box ("" clears it)
//   IsItemChecked / CheckItem  the box
//
// In a template (.ui) the kind is a property: timeMode, showNone.
#include <QDate>
#include <QTime>
#include <QWidget>

class QCheckBox;
class QDateTimeEdit;

namespace platform {

class DateTimeCtrl : public QWidget {
  Q_OBJECT
  Q_PROPERTY(bool timeMode READ timeMode WRITE setTimeMode)
  Q_PROPERTY(bool showNone READ showNone WRITE setShowNone)

 public:
  explicit DateTimeCtrl(QWidget* parent = nullptr);

  bool timeMode() const { return timeMode_; }
  void setTimeMode(bool on);
  bool showNone() const;
  void setShowNone(bool on);

  // Without a check box the value is always set.
  bool IsChecked() const;
  void SetChecked(bool checked);

  QDate Date() const;
  void SetDate(const QDate& date);
  QTime Time() const;
  void SetTime(const QTime& time);

  // The shown value, "" while unset.
  QString Text() const;
  // "" clears the check box (false without one); otherwise the value is
  // read as the picker shows it (a time also without seconds) and the box
  // is ticked. False, nothing changed, for a text that is no value.
  bool SetText(const QString& text);

  QDateTimeEdit* editor() const { return edit_; }
  QCheckBox* checkBox() const { return check_; }

 signals:
  void Changed();

 private:
  void UpdateEnabled();

  bool timeMode_ = false;
  QCheckBox* check_ = nullptr;
  QDateTimeEdit* edit_ = nullptr;
};

}  // namespace platform
