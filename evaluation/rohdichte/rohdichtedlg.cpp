#include "evaluation/rohdichte/rohdichtedlg.h"

#include <QGridLayout>

#include "evaluation/frame/entryform.h"
#include "ui_rohdichtedlg.h"

namespace {

struct Row {
  const char* text;
  const char* symbol;
  const char* unit;
};
// In the order of the ids kRhoW .. kRhoRd.
constexpr std::array<Row, 7> kRows = {{
    {"Dichte von Wasser bei Prüftemperatur, in Mengen je Kubikzentimeter (siehe EN 1097-6:200 Anhang D)", "ρw",
     "[ Mg/m³ ]"},
    {"Temperatur", "T", "[ °C ]"},
    {"Masse der wassergesättigten und oberflächengetrockneten Gesteinskörnung in Luft", "M1", "[ g ]"},
    {"Masse des Pyknometers der Probe der Gesteinskörnung in Wasser", "M2", "[ g ]"},
    {"Masse des nur mit Wasser gefüllten Pyknometers", "M3", "[ g ]"},
    {"Masse der ofengetrockneten Messprobe in Luft", "M4", "[ g ]"},
    {"Rohdichte auf ofentrockener Basis", "ρrd", "[ Mg/m³ ]"},
}};

}  // namespace

CRohdichte::CRohdichte(QWidget* parent) : CEntryDialog(kTemplateId, parent) {
  Ui::RohdichteDlg ui;
  ui.setupUi(this);
  QGridLayout* grid = ui.rowsGrid;
  for (int row = 0; row < static_cast<int>(kRows.size()); ++row) {
    const Row& r = kRows[static_cast<size_t>(row)];
    QLabel* text = EntryLabel(this, kFirstLabel + row, r.text);
    text->setWordWrap(true);
    text->setMinimumWidth(360);
    grid->addWidget(text, row, 0);
    grid->addWidget(EntryLabel(this, 0, r.symbol), row, 1);
    const int id = kRhoW + row;
    grid->addWidget(MakeRowField(this, id, id == kRhoW || id == kRhoRd), row, 2);
    grid->addWidget(EntryLabel(this, 0, r.unit), row, 3);
  }
  RecomputeOnKillFocus({kT, kM1, kM1 + 1, kM1 + 2, kM1 + 3});
  for (int row = kT - kRhoW; row <= kM1 + 3 - kRhoW; ++row)
    NamedNumberField(kRhoW + row, [this, row] {
      return FieldNameOfLabel(GetItemText(kFirstLabel + row)) + " (" + kRows[static_cast<size_t>(row)].symbol + ")";
    }, row == kT - kRhoW ? kTestTemperature : kMeasuredNumber);
}

CRohdichte::~CRohdichte() = default;

bool CRohdichte::OnInitDialog() {
  CEntryDialog::OnInitDialog();
  if (m_pVersuch) {
    const ParticleDensityInput stored = ParticleDensityInputFromRecord(*m_pVersuch);
    SetItemText(kT, stored.t);
    for (int i = 0; i < 4; ++i) SetItemText(kM1 + i, stored.m[static_cast<size_t>(i)]);
  }
  ComputeParticleDensity();
  return true;
}

void CRohdichte::ComputeParticleDensity() {
  ParticleDensityInput in;
  in.t = GetItemText(kT);
  for (int i = 0; i < 4; ++i) in.m[static_cast<size_t>(i)] = GetItemText(kM1 + i);
  result_ = ::ComputeParticleDensity(in);
  SetTextIfChanged(kT, result_.inputs.t);
  for (int i = 0; i < 4; ++i) SetTextIfChanged(kM1 + i, result_.inputs.m[static_cast<size_t>(i)]);
  SetTextIfChanged(kRhoW, result_.rhoW);
  SetTextIfChanged(kRhoRd, result_.rhoRd);
}

std::vector<FieldFault> CRohdichte::FieldFaults() const {
  return FieldFaultsOf(result_.faults, [](int input) { return input == kDensityTInput ? kT : kM1 + input - kDensityM1Input; });
}

bool CRohdichte::TakeResult() {
  if (m_pVersuch) StoreParticleDensity(*m_pVersuch, result_);
  m_Status = result_.status;
  return true;
}

std::optional<TestEntryResult> EditParticleDensity(CVersuch& record, QWidget* parent) {
  CRohdichte dialog(parent);
  dialog.m_pVersuch = &record;
  if (dialog.DoModal() != platform::IDOK) return std::nullopt;
  TestEntryResult out;
  out.status = dialog.m_Status;
  return out;
}
