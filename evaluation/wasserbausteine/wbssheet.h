#pragma once
// What both armourstone sheets share: Apply stores the pages into the data
// page's copy of field 26, then tells the opener, which writes it to the
// record and keeps the sheet open.
#include <functional>

#include "shell/app/cpvdialog.h"

class CWBSSheet : public CpvPropertySheet {
  Q_OBJECT

 public:
  CWBSSheet(int sheetId, QWidget* parent) : CpvPropertySheet(sheetId, "", parent) {}
  // Runs after Apply has stored the pages into the data page's result text.
  void SetApplyHandler(std::function<void()> handler) { applied_ = std::move(handler); }

 protected:
  bool OnApplyNow() override {
    if (!CpvPropertySheet::OnApplyNow()) return false;
    if (applied_) applied_();
    return true;
  }

 private:
  std::function<void()> applied_;
};
