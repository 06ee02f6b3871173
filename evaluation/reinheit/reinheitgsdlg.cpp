#include "evaluation/reinheit/reinheitgsdlg.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "evaluation/frame/entryform.h"
#include "evaluation/frame/statusmarks.h"
#include "evaluation/gleisschotter/ballastclasses.h"
#include "i18n/translation.h"
#include "platform/messagebox.h"

namespace {

enum : int { kNameHeading = 1201, kMassHeading = 1202, kShareHeading = 1203, kSumLabel = 1204,
             kRequirementLabel = 1205 };

}  // namespace

CReinheitGSDlg::CReinheitGSDlg(QWidget* parent) : CEntryDialog(kTemplateId, parent) {
  setWindowTitle(QStringLiteral("Reinheit/Gesteinsbeschaffenheit"));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  grid->addWidget(EntryLabel(this, kNameHeading, "Bestandteile"), 0, 0);
  grid->addWidget(EntryLabel(this, kMassHeading, "Anteil [g]", Qt::AlignHCenter), 0, 1);
  grid->addWidget(EntryLabel(this, kShareHeading, "Anteil [%]", Qt::AlignHCenter), 0, 2);
  std::vector<int> inputs;
  for (int row = 0; row < kPurityRows; ++row) {
    auto* name = MakeRowField(this, kFirstName + row, false, 300);
    name->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(name, row + 1, 0);
    grid->addWidget(MakeRowField(this, kFirstMass + row, false), row + 1, 1, Qt::AlignHCenter);
    grid->addWidget(MakeRowField(this, kFirstShare + row, true), row + 1, 2, Qt::AlignHCenter);
    inputs.push_back(kFirstName + row);
    inputs.push_back(kFirstMass + row);
    NumberField(kFirstMass + row, {kMassHeading, kFirstName + row});
  }
  grid->addWidget(EntryLabel(this, kSumLabel, "Summe:", Qt::AlignRight), kPurityRows + 1, 0);
  grid->addWidget(MakeRowField(this, kSumMasses, true), kPurityRows + 1, 1, Qt::AlignHCenter);
  grid->addWidget(MakeRowField(this, kSumShares, true), kPurityRows + 1, 2, Qt::AlignHCenter);
  grid->addWidget(EntryLabel(this, kRequirementLabel, "Soll:", Qt::AlignRight), kPurityRows + 2, 0, 1, 2);
  grid->addWidget(MakeRowField(this, kRequirement, true), kPurityRows + 2, 2, Qt::AlignHCenter);
  auto* mark = new CStatusMark(this);
  platform::SetControlId(mark, kStatusMark);
  grid->addWidget(mark, kPurityRows + 2, 3);
  layout->addLayout(grid);
  AddOkCancelRow(this, layout);
  RecomputeOnKillFocus(inputs);
}

CReinheitGSDlg::~CReinheitGSDlg() = default;

bool CReinheitGSDlg::OnInitDialog() {
  CEntryDialog::OnInitDialog();
  SetTitleFitting(TranslateString(5330, "Reinheit/Gesteinsbeschaffenheit   Prüf-Nr.: ") + m_TestNumber);
  if (m_pVersuch) requirement_ = BallastRequirement(*m_pVersuch, "VA_GS_REINHEIT");
  SetDefaultNames(PurityInputFromField(m_ResultText));
  Recompute();
  return true;
}

void CReinheitGSDlg::SetDefaultNames(const PurityInput& input) {
  for (int row = 0; row < kPurityRows; ++row) {
    SetItemText(kFirstName + row, input.names[static_cast<size_t>(row)]);
    SetItemText(kFirstMass + row, input.masses[static_cast<size_t>(row)]);
  }
}

void CReinheitGSDlg::Recompute() {
  PurityInput in;
  in.sampleMass = m_SampleMass;
  in.requirement = requirement_;
  for (int row = 0; row < kPurityRows; ++row) {
    in.names[static_cast<size_t>(row)] = GetItemText(kFirstName + row);
    in.masses[static_cast<size_t>(row)] = GetItemText(kFirstMass + row);
  }
  result_ = ::ComputePurityBallast(in);
  for (int row = 0; row < kPurityRows; ++row) {
    const auto i = static_cast<size_t>(row);
    SetTextIfChanged(kFirstName + row, result_.inputs.names[i]);
    SetTextIfChanged(kFirstMass + row, result_.inputs.masses[i]);
    SetTextIfChanged(kFirstShare + row, result_.shares[i]);
  }
  SetTextIfChanged(kSumMasses, result_.sumMasses);
  SetTextIfChanged(kSumShares, result_.sumShares);
  SetTextIfChanged(kRequirement, result_.requirementDisplay);
  if (auto* mark = Item<CStatusMark>(kStatusMark)) mark->SetStatus(result_.requirementState);
}

std::vector<FieldFault> CReinheitGSDlg::FieldFaults() const {
  return FieldFaultsOf(result_.faults, [](int row) { return kFirstMass + row; });
}

bool CReinheitGSDlg::TakeResult() {
  if (!result_.complete)
    platform::ShowMessageBox(TranslateString(5331,
                                             "Hinweis:\nZu jedem Bestandteil muss ein Anteilswert eingegeben werden!\n"
                                             "Sonst erfolgt keine Bewertung!"),
                             platform::MB_OK | platform::MB_ICONWARNING,
                             TranslateString(5332, "Reinheit/Gesteinsbeschaffenheit"));
  m_ResultText = result_.ResultText();
  m_Status = result_.status;
  return true;
}

std::optional<TestEntryResult> EditBallastPurity(CVersuch& record, QWidget* parent) {
  CReinheitGSDlg dialog(parent);
  dialog.m_SampleMass = record.GetValue(18, 2);
  dialog.m_TestNumber = record.GetValue(1, 0);
  dialog.m_ResultText = record.GetField(14);
  dialog.m_pVersuch = &record;
  return ShowForEntryResult(dialog);
}
