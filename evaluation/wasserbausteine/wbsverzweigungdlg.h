#pragma once
// CWBSVerzweigungDlg: asks which armourstone test a record without one gets:
// the size distribution (a sieving) or the mass distribution (a weighing of
// single stones). Each choice closes the dialog as OK does; "Abbrechen"
// leaves the choice at 0. Opened for looking only, it offers no choice.
#include "services/cpvdialog.h"

class CWBSVerzweigungDlg : public CpvDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 633;
  enum : int { kGroessenverteilung = 1001, kMassenverteilung = 1002, kQuestion = 1003 };

  explicit CWBSVerzweigungDlg(QWidget* parent = nullptr);
  ~CWBSVerzweigungDlg() override;

  // 0 none, 1 the size distribution, 2 the mass distribution.
  int m_Choice = 0;

  void OnGroessenverteilung();
  void OnMassenverteilung();

 protected:
  std::vector<int> ConfirmingIds() const override { return {platform::IDOK, kGroessenverteilung, kMassenverteilung}; }
};
