#pragma once
// The splash window of the start: the program's name and version and the
// line "Daten werden geladen ...", from the registration of the document
// until the main view has filled its list. It looks every 2 s whether the
// list is filled and hides itself then; a click hides it at once.
#include <QPointer>

#include "services/cpvdialog.h"

class QMouseEvent;
class QTimer;

class CSplash : public CpvDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 595;
  static constexpr int kPictureId = 2063;
  static constexpr int kLabelId = 1172;
  static constexpr int kTimerId = 69;
  static constexpr int kTimerInterval = 2000;  // ms

  CSplash();
  ~CSplash() override;

  // Shows the window without owner, centred on the screen.
  bool Create();

  // Set by the main view once its list is filled.
  void SetLoaded(bool loaded) { loaded_ = loaded; }
  bool IsLoaded() const { return loaded_; }

  // The timer's tick: hides the window once the list is filled.
  void OnTimer(int id);

 protected:
  bool OnInitDialog() override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  bool loaded_ = false;
  QPointer<QTimer> timer_;
};
