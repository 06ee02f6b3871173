#pragma once
// The small "Moment bitte!" window shown around long operations. Created
// hidden; CPravikWinApp::ShowWaitWindow shows and hides it.
#include "services/cpvdialog.h"

class CMomentBitteDlg : public CpvDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 581;
  static constexpr int kTextId = 3000;

  explicit CMomentBitteDlg(QWidget* parent = nullptr);
  ~CMomentBitteDlg() override;

  // Creates the window hidden; its texts are translated on the first show.
  bool Create();

  // Shows the window and paints it at once: the caller goes on with its long
  // work on this thread, so a later paint would come too late.
  void ShowNow();

 protected:
  void showEvent(QShowEvent* event) override;
};
