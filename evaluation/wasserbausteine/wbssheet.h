#pragma once
// What both armourstone sheets share: a data page that holds the copy of
// field 26; Apply, which stores the pages into that copy, then tells the
// opener, which writes it to the record and keeps the sheet open; and a
// value at fault that the sheet does not show, which is brought into view
// and named when the sheet opens and on OK and Apply, never left behind.
#include <functional>
#include <string>

#include "services/cpvdialog.h"

// The data page of a sheet: it stores its parts into the copy of field 26
// when it becomes active and when it is left.
class CWBSDataPage : public CpvPropertyPage {
  Q_OBJECT

 public:
  using CpvPropertyPage::CpvPropertyPage;

  // In: the test number and field 26. Out: field 26 and the status as the
  // pages stored them last.
  std::string m_TestNumber;
  std::string m_ResultText;
  std::string m_Status;

  // Computes from the entries and stores the page's parts into the copy.
  virtual void StoreResult() = 0;

  bool OnSetActive() override {
    StoreResult();
    return true;
  }
  bool OnKillActive() override {
    StoreResult();
    return true;
  }
};

class CWBSSheet : public CpvPropertySheet {
  Q_OBJECT

 public:
  CWBSSheet(int sheetId, QWidget* parent) : CpvPropertySheet(sheetId, "", parent) {}
  // Runs after Apply has stored the pages into the data page's result text.
  void SetApplyHandler(std::function<void()> handler) { applied_ = std::move(handler); }

 protected:
  // A value at fault that the sheet does not show (on another page, or on
  // stones paged away) is brought into view; true when it was.
  virtual bool ShowFaultElsewhere() { return false; }
  // Names the fault in view, with the page it is on.
  virtual void TellFault() {}

  // At the opening a value at fault elsewhere is brought into view and named
  // once the sheet is up; OK and Apply bring it into view and name it
  // instead of taking the pages.
  void AfterInitDialog() override;
  void OnOK() override;
  bool OnApplyNow() override;

 private:
  bool ShowAndTellFaultElsewhere();

  std::function<void()> applied_;
};
