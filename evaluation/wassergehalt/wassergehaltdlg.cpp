#include "evaluation/wassergehalt/wassergehaltdlg.h"

#include <QGridLayout>

#include "evaluation/frame/entryform.h"
#include "evaluation/frame/statusmarks.h"
#include "i18n/translation.h"
#include "ui_wassergehaltdlg.h"

CWassergehaltDlg::CWassergehaltDlg(QWidget* parent) : CEntryDialog(kTemplateId, parent) {
  Ui::WassergehaltDlg ui;
  ui.setupUi(this);
  QGridLayout* grid = ui.rowsGrid;
  const Qt::Alignment centred = Qt::AlignHCenter;
  grid->addWidget(EntryLabel(this, kWetLabel, "Nasse Probe\n[g]", centred), 0, 0);
  grid->addWidget(EntryLabel(this, kDryLabel, "Trockene Probe\n[g]", centred), 0, 1);
  grid->addWidget(EntryLabel(this, kWaterLabel, "Wassergehalt\n[%]", centred), 0, 2);
  grid->addWidget(EntryLabel(this, kRequirementLabel, "Sollwert\n[%]", centred), 0, 3);
  grid->addWidget(MakeRowField(this, kWet, false), 1, 0);
  grid->addWidget(MakeRowField(this, kDry, false), 1, 1);
  grid->addWidget(MakeRowField(this, kWater, true), 1, 2);
  grid->addWidget(MakeRowField(this, kRequirement, true), 1, 3);
  auto* mark = new CStatusMark(this);
  platform::SetControlId(mark, kStatusMark);
  grid->addWidget(mark, 1, 4);
  RecomputeOnKillFocus({kWet, kDry, kWater});
  NumberField(kWet, {kWetLabel});
  NumberField(kDry, {kDryLabel});
}

CWassergehaltDlg::~CWassergehaltDlg() = default;

bool CWassergehaltDlg::OnInitDialog() {
  ConvertOldWaterContent(m_Input);
  CEntryDialog::OnInitDialog();
  setWindowTitle(QString::fromStdString(TranslateString(5380, "Wassergehalt   Prüf-Nr.: ") + m_TestNumber));
  SetItemText(kWet, m_Input.wet);
  SetItemText(kDry, m_Input.dry);
  SetItemText(kWater, m_Input.water);
  ComputeWassergehalt();
  return true;
}

void CWassergehaltDlg::ComputeWassergehalt() {
  WaterContentInput in = m_Input;
  in.wet = GetItemText(kWet);
  in.dry = GetItemText(kDry);
  result_ = ::ComputeWassergehalt(in);
  SetTextIfChanged(kWet, result_.inputs.wet);
  SetTextIfChanged(kDry, result_.inputs.dry);
  SetTextIfChanged(kWater, result_.water);
  SetTextIfChanged(kRequirement, result_.requirementDisplay);
  if (auto* mark = Item<CStatusMark>(kStatusMark)) mark->SetStatus(result_.requirementState);
}

std::vector<FieldFault> CWassergehaltDlg::FieldFaults() const {
  return FieldFaultsOf(result_.faults, [](int input) { return input == kWaterWetInput ? kWet : kDry; });
}

bool CWassergehaltDlg::TakeResult() {
  m_Input = result_.inputs;
  m_Status = result_.status;
  return true;
}

std::optional<TestEntryResult> EditWaterContent(CVersuch& record, QWidget* parent) {
  CWassergehaltDlg dialog(parent);
  dialog.m_TestNumber = record.GetValue(1, 0);
  dialog.m_Input = WaterContentInputFromRecord(record);
  if (dialog.DoModal() != platform::IDOK) return std::nullopt;
  return WaterContentEntryResult(record, dialog.Result());
}
