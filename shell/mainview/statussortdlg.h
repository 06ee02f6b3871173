#pragma once
// CStatusSortierungDlg: the small chooser of the four status orders of the
// record list, one picture button per order. Each picture shows the mark that
// the list draws for the property the order sorts by.
//
//   CStatusSortierungDlg dlg(view);
//   dlg.DoModal();
//   if (dlg.ChosenOrder() >= 0) view->SetSortKey(kSortByStatus, dlg.ChosenOrder());
#include <QImage>

#include "services/cpvdialog.h"

class CStatusSortierungDlg : public CpvDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 594;
  // The buttons of orders 0 to 3.
  static constexpr int kOrderButtonIds[4] = {1066, 1067, 1068, 1069};
  static constexpr int kPictureWidth = 81;
  static constexpr int kMinPictureHeight = 13;

  explicit CStatusSortierungDlg(QWidget* parent = nullptr);
  ~CStatusSortierungDlg() override;

  // 0 to 3 after a picture button was pressed, -1 otherwise.
  int ChosenOrder() const { return chosen_; }

  // The picture of an order (0 to 3): status bars, "Stat" struck through, an
  // exclamation mark and a tick, the remark mark; the texts in the font as
  // the list draws them, in a picture as tall as a row of that font.
  static QImage OrderPicture(int order, const QFont& font);
  static int PictureHeight(const QFont& font);

 protected:
  bool OnInitDialog() override;

 private:
  void Choose(int order);

  int chosen_ = -1;
};
