#pragma once
// The dialog of the grains longer than 100 mm. One class serves both tests;
// they differ only in the template and in the test key under which the
// material states the requirement: CLaenger100Dlg (template 501, "VA_100MM")
// and CLaenger100GSDlg (template 535, "VA_GS_LAENGER100").
#include <optional>
#include <string>

#include "evaluation/frame/entrydialog.h"
#include "evaluation/laenger100/laenger100.h"

class CLaenger100Dlg : public CEntryDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 501;
  enum : int { kMass = 1007, kShare = 1008, kRequirement = 1009, kStatusMark = 1010 };

  explicit CLaenger100Dlg(QWidget* parent = nullptr) : CLaenger100Dlg(kTemplateId, "VA_100MM", parent) {}
  CLaenger100Dlg(int templateId, const std::string& testKey, QWidget* parent);
  ~CLaenger100Dlg() override;

  // In: the sample mass (field 18 part 2), the whole stored field 16 and the
  // record; out on OK: the new field and the status.
  std::string m_SampleMass;
  std::string m_ResultText;
  CVersuch* m_pVersuch = nullptr;
  std::string m_Status;

  const std::string& TestKey() const { return testKey_; }
  const Grains100Result& Result() const { return result_; }
  void ComputeLaenger100() { Recompute(); }

 protected:
  bool OnInitDialog() override;
  void Recompute() override;
  bool TakeResult() override;
  std::vector<FieldFault> FieldFaults() const override;

 private:
  std::string testKey_;
  std::string requirement_;
  Grains100Result result_;
};

class CLaenger100GSDlg : public CLaenger100Dlg {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 535;
  explicit CLaenger100GSDlg(QWidget* parent = nullptr) : CLaenger100Dlg(kTemplateId, "VA_GS_LAENGER100", parent) {}
};

// The dialogs for a record: the result to store on OK, nothing otherwise.
std::optional<TestEntryResult> EditGrains100(CVersuch& record, QWidget* parent);
std::optional<TestEntryResult> EditBallastGrains100(CVersuch& record, QWidget* parent);
