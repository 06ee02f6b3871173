#include "evaluation/fliesskoeffizient/fliesskoefizientdlg.h"

#include <QGridLayout>

#include "controls/multistatic.h"
#include "evaluation/frame/entryform.h"
#include "evaluation/frame/statusmarks.h"
#include "i18n/translation.h"
#include "ui_fliesskoefizientdlg.h"

namespace {

CMultiStaticR* Caption(QWidget* parent, int id, const char* markup) {
  auto* caption = new CMultiStaticR(parent);
  platform::SetControlId(caption, id);
  caption->setText(QString::fromUtf8(markup));
  caption->setMinimumWidth(caption->fontMetrics().horizontalAdvance(caption->text()) + 8);
  return caption;
}

}  // namespace

CFliesskoefizientDlg::CFliesskoefizientDlg(QWidget* parent) : CEntryDialog(kTemplateId, parent) {
  Ui::FliesskoefizientDlg ui;
  ui.setupUi(this);
  QGridLayout* grid = ui.rowsGrid;
  const Qt::Alignment right = Qt::AlignRight;
  std::vector<int> inputs;
  grid->addWidget(EntryLabel(this, kTimesLabel, "Einzelwerte [s]:", right), 0, 0);
  for (int i = 0; i < kFlowTimes; ++i) {
    grid->addWidget(MakeRowField(this, kFirstTime + i, false, 60), 0, 1 + i);
    inputs.push_back(kFirstTime + i);
  }
  grid->addWidget(Caption(this, kEcsmLabel, "Mittelwert E<t>csm<n> [s]:"), 1, 0);
  grid->addWidget(MakeRowField(this, kEcsm, true, 60), 1, 1);
  grid->addWidget(Caption(this, kEcseLabel, "Fließzeit der Referenzmessprobe E<t>cse<n> [s]:"), 2, 0);
  grid->addWidget(MakeRowField(this, kEcse, false, 60), 2, 1);
  grid->addWidget(Caption(this, kEcsLabel, "Fließkoeffizient E<t>cs<n> [s]:"), 3, 0);
  grid->addWidget(MakeRowField(this, kEcs, true, 60), 3, 1);
  grid->addWidget(EntryLabel(this, kRequirementLabel, "Sollwert [s]:", right), 3, 2, 1, 2);
  grid->addWidget(MakeRowField(this, kRequirement, true, 60), 3, 4);
  auto* mark = new CStatusMark(this);
  platform::SetControlId(mark, kStatusMark);
  grid->addWidget(mark, 3, 5);
  grid->addWidget(Caption(this, kDensityLabel, "Rohdichte <fs>r<fn><t>p<n> [Mg/m³]:"), 4, 0);
  grid->addWidget(MakeRowField(this, kDensity, false, 60), 4, 1);
  inputs.push_back(kEcse);
  inputs.push_back(kDensity);
  RecomputeOnKillFocus(inputs);
  for (int i = 0; i < kFlowTimes; ++i)
    NamedNumberField(kFirstTime + i, [this, i] {
      return FieldNameOfLabel(GetItemText(kTimesLabel)) + ", " + TranslateString(62031, "Nr.") + " " +
             std::to_string(i + 1);
    });
  NumberField(kEcse, {kEcseLabel});
  NumberField(kDensity, {kDensityLabel});
}

CFliesskoefizientDlg::~CFliesskoefizientDlg() = default;

bool CFliesskoefizientDlg::OnInitDialog() {
  CEntryDialog::OnInitDialog();
  setWindowTitle(QString::fromStdString(TranslateString(5120, "Fließkoeffizient   Prüf-Nr.: ") + m_TestNumber));
  for (int i = 0; i < kFlowTimes; ++i) SetItemText(kFirstTime + i, m_Input.times[static_cast<size_t>(i)]);
  SetItemText(kEcse, m_Input.ecse);
  SetItemText(kDensity, m_Input.density);
  ComputeFlowCoefficient();
  return true;
}

void CFliesskoefizientDlg::ComputeFlowCoefficient() {
  FlowCoefficientInput in = m_Input;
  for (int i = 0; i < kFlowTimes; ++i) in.times[static_cast<size_t>(i)] = GetItemText(kFirstTime + i);
  in.ecse = GetItemText(kEcse);
  in.density = GetItemText(kDensity);
  result_ = ::ComputeFlowCoefficient(in);
  const FlowCoefficientResult& r = result_;
  for (int i = 0; i < kFlowTimes; ++i) SetTextIfChanged(kFirstTime + i, r.inputs.times[static_cast<size_t>(i)]);
  SetTextIfChanged(kEcse, r.inputs.ecse);
  SetTextIfChanged(kDensity, r.inputs.density);
  SetTextIfChanged(kEcsm, r.ecsm);
  SetTextIfChanged(kEcs, r.ecs);
  SetTextIfChanged(kRequirement, r.requirementDisplay);
  if (auto* mark = Item<CStatusMark>(kStatusMark)) mark->SetStatus(r.requirementState);
}

std::vector<FieldFault> CFliesskoefizientDlg::FieldFaults() const {
  return FieldFaultsOf(result_.faults, [](int input) {
    const InputPlace place = InputPlaceOf(input);
    return place.column == kFlowEcse ? kEcse : place.column == kFlowDensity ? kDensity : kFirstTime + place.row;
  });
}

bool CFliesskoefizientDlg::TakeResult() {
  m_Input = result_.inputs;
  m_Status = result_.status;
  return true;
}

std::optional<TestEntryResult> EditFlowCoefficient(CVersuch& record, QWidget* parent) {
  CFliesskoefizientDlg dialog(parent);
  dialog.m_TestNumber = record.GetValue(1, 0);
  dialog.m_Input = FlowCoefficientInputFromRecord(record);
  if (dialog.DoModal() != platform::IDOK) return std::nullopt;
  return FlowCoefficientEntryResult(record, dialog.Result());
}
