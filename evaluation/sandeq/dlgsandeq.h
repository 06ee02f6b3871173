#pragma once
// CDlgSandEq: entry of the sand equivalent (template 569, no test number in
// the caption). The dialog writes record field 31 itself on OK; the opener
// stores only the status.
#include <optional>
#include <string>

#include "evaluation/frame/entrydialog.h"
#include "evaluation/frame/testentryframe.h"
#include "evaluation/sandeq/sandeq.h"

class CDlgSandEq : public CEntryDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 569;
  enum : int {
    kH1First = 1001,  // samples 1 and 2
    kH2First = 1003,
    kSeFirst = 1005,
    kMean = 1007,
    kRelation = 1008,
    kRequired = 1009,
    kSuitability = 1010,
    kSuitabilityDate = 1011,
    kStatusMark = 1012,
    kWarning = 1013,
    kFirstLabel = 1101,
  };

  CDlgSandEq(CVersuch* record, QWidget* parent = nullptr);
  ~CDlgSandEq() override;

  std::string m_Status;

  const SandEquivalentResult& Result() const { return result_; }
  void ComputeSandEquivalent();

 protected:
  bool OnInitDialog() override;
  void Recompute() override { ComputeSandEquivalent(); }
  bool TakeResult() override;
  std::vector<FieldFault> FieldFaults() const override;

 private:
  CVersuch* record_;
  SandEquivalentInput stored_;
  SandEquivalentResult result_;
};

std::optional<TestEntryResult> EditSandEquivalent(CVersuch& record, QWidget* parent);
