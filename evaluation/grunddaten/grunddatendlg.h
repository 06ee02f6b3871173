#pragma once
// CGrunddatenDlg: the basic data of an ordinary record (template 524):
// people and dates, sampling point, the two free information fields with
// their captions, customer, remarks, statistics flag, signature bitmap.
#include <optional>

#include "evaluation/frame/testentryframe.h"
#include "evaluation/grunddaten/grundbase.h"

class CGrunddatenDlg : public CGrundBase {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 524;
  enum : int {
    kInfo1Value = 1007,
    kSamplingPoint = 1008,
    kInfo2Value = 1013,
    kInfo2Label = 1550,
    kInfo1Label = 1551,
    kTestTime = 312,
    kSamplingTime = 313,
    kTestDate = 314,
    kSamplingDate = 315,
  };

  explicit CGrunddatenDlg(QWidget* parent = nullptr);
  ~CGrunddatenDlg() override;

  // The values as the controls show them (after OK: as stored).
  const BasicData& Data() const { return data_; }

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(bool save) override;
  std::string StoreValues(CVersuch& record) override;
  void ApplyTakeover(const TakeoverFile& file) override;

 private:
  BasicData data_;
};

// The basic-data dialog of the record's kind (track ballast or not): the
// status to store under "VA_GRUND" on OK; the dialog has written field 1.
std::optional<TestEntryResult> EditBasicData(CVersuch& record, QWidget* parent);
