#include "evaluation/plattigkeit/plattigkeitdlg.h"

#include <QGridLayout>

#include "evaluation/frame/statusmarks.h"
#include "records/strutil.h"
#include "i18n/translation.h"
#include "platform/screenfit.h"
#include "ui_plattigkeitdlg.h"

namespace {

// Ids of the template's texts.
enum : int { kM0Label = 1201, kRetainedLabel = 1202, kPassingLabel = 1203, kRiHeading = 1213, kMiHeading = 1215 };
constexpr platform::ColorRef kRed = platform::RGB(255, 0, 0);

}  // namespace

CPlattigkeitDlg::CPlattigkeitDlg(QWidget* parent) : CEntryDialog(kTemplateId, parent) {
  Ui::PlattigkeitDlg ui;
  ui.setupUi(this);
  // The 13 rows below the two heading lines of the template.
  for (int row = 0; row < kFlakinessRows; ++row) {
    ui.rowsGrid->addWidget(MakeRowField(this, kFirstClass + row, true), row + 2, 0);
    ui.rowsGrid->addWidget(MakeRowField(this, kFirstRi + row, false), row + 2, 1);
    ui.rowsGrid->addWidget(MakeRowField(this, kFirstSlotWidth + row, true), row + 2, 2);
    ui.rowsGrid->addWidget(MakeRowField(this, kFirstMi + row, false), row + 2, 3);
    ui.rowsGrid->addWidget(MakeRowField(this, kFirstFli + row, true), row + 2, 4);
  }
  // On a small screen the table scrolls; the masses above, the results below and the buttons stay.
  platform::PutBodyInScrollArea(this, ui.rowsGrid);
  std::vector<int> inputs = {kM0, kRetained80, kPassing4};
  for (int row = 0; row < kFlakinessRows; ++row) {
    inputs.push_back(kFirstRi + row);
    inputs.push_back(kFirstMi + row);
  }
  RecomputeOnKillFocus(inputs);
  NumberField(kM0, {kM0Label});
  NumberField(kRetained80, {kRetainedLabel});
  NumberField(kPassing4, {kPassingLabel});
  for (int row = 0; row < kFlakinessRows; ++row) {
    NumberField(kFirstRi + row, {kRiHeading, kFirstClass + row});
    NumberField(kFirstMi + row, {kMiHeading, kFirstClass + row});
  }
  SetIconCommand(kIconCommand);
}

CPlattigkeitDlg::~CPlattigkeitDlg() = default;

bool CPlattigkeitDlg::OnInitDialog() {
  CEntryDialog::OnInitDialog();
  setWindowTitle(QString::fromStdString(TranslateString(5310, "Plattigkeitskennzahl  Prüf-Nr.: ") + m_TestNumber));
  for (int row = 0; row < kFlakinessRows; ++row) {
    SetItemText(kFirstClass + row, kFlakinessClasses[static_cast<size_t>(row)].sizeClass);
    SetItemText(kFirstSlotWidth + row, kFlakinessClasses[static_cast<size_t>(row)].slotWidth);
  }
  const FlakinessInput stored = FlakinessInputFromField(m_ResultText, m_Requirement);
  SetItemText(kM0, stored.m0);
  for (int row = 0; row < kFlakinessRows; ++row) {
    SetItemText(kFirstRi + row, stored.ri[static_cast<size_t>(row)]);
    SetItemText(kFirstMi + row, stored.mi[static_cast<size_t>(row)]);
  }
  SetItemText(kRetained80, m_Retained80);
  SetItemText(kPassing4, m_Passing4);
  SetItemText(kDiscarded, m_Discarded);
  ComputeFlakiness();
  return true;
}

FlakinessInput CPlattigkeitDlg::ReadInputs() const {
  FlakinessInput in;
  in.m0 = GetItemText(kM0);
  for (int row = 0; row < kFlakinessRows; ++row) {
    in.ri[static_cast<size_t>(row)] = GetItemText(kFirstRi + row);
    in.mi[static_cast<size_t>(row)] = GetItemText(kFirstMi + row);
  }
  in.retained80 = GetItemText(kRetained80);
  in.passing4 = GetItemText(kPassing4);
  in.requirement = m_Requirement;
  return in;
}

void CPlattigkeitDlg::ComputeFlakiness() {
  result_ = ::ComputeFlakiness(ReadInputs());
  const FlakinessResult& r = result_;
  m_Retained80 = r.inputs.retained80;
  m_Passing4 = r.inputs.passing4;
  m_Discarded = r.discarded;
  SetTextIfChanged(kRetained80, r.inputs.retained80);
  SetTextIfChanged(kPassing4, r.inputs.passing4);
  SetTextIfChanged(kDiscarded, r.discarded);
  SetTextIfChanged(kM0, r.inputs.m0);
  for (int row = 0; row < kFlakinessRows; ++row) {
    const auto i = static_cast<size_t>(row);
    SetTextIfChanged(kFirstRi + row, r.inputs.ri[i]);
    SetTextIfChanged(kFirstMi + row, r.inputs.mi[i]);
    SetTextIfChanged(kFirstFli + row, r.fli[i]);
  }
  SetTextIfChanged(kM1, r.m1);
  SetTextIfChanged(kM2, r.m2);
  SetTextIfChanged(kIndex, r.fi);
  SetTextIfChanged(kLossCheck, r.lossCheck);
  // A loss above 1 % has the test repeated; the verdict stays.
  SetItemColorIf(kLossCheck, kRed, r.lossAboveLimit);
  if (QWidget* loss = GetDlgItem(kLossCheck))
    loss->setToolTip(r.lossAboveLimit ? QString::fromStdString(TranslateString(
                                            62023, "Über 1 %: Die Prüfung ist nach der Norm zu wiederholen."))
                                      : QString());
  SetTextIfChanged(kRequirement, r.requirementDisplay);
  m_RequirementState = r.requirementState;
  if (auto* mark = Item<CStatusMark>(kStatusMark)) mark->SetStatus(r.requirementState);
}

std::vector<FieldFault> CPlattigkeitDlg::FieldFaults() const {
  return FieldFaultsOf(result_.faults, [](int input) -> int {
    const InputPlace place = InputPlaceOf(input);
    switch (place.column) {
      case kFlakM0: return kM0;
      case kFlakRetained80: return kRetained80;
      case kFlakPassing4: return kPassing4;
      case kFlakRi: return kFirstRi + place.row;
      case kFlakMi: return kFirstMi + place.row;
      default: return 0;
    }
  });
}

bool CPlattigkeitDlg::TakeResult() {
  m_ResultText = result_.ResultText();
  m_IndexText = result_.fi;
  m_Status = result_.status;
  return true;
}

std::optional<TestEntryResult> EditFlakiness(CVersuch& record, QWidget* parent) {
  CPlattigkeitDlg dialog(parent);
  dialog.m_ResultText = record.GetField(23);
  dialog.m_TestNumber = record.GetValue(1, 0);
  dialog.m_Retained80 = record.GetValue(23, 11);
  dialog.m_Passing4 = record.GetValue(23, 12);
  dialog.m_Requirement = FlakinessRequirement(record);
  if (dialog.DoModal() != platform::IDOK) return std::nullopt;
  return FlakinessEntryResult(dialog.Result());
}
