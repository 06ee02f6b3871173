#include "evaluation/kristallisation/kristallisationdlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "evaluation/frame/entryform.h"
#include "evaluation/frame/statusmarks.h"
#include "i18n/translation.h"
#include "platform/messagebox.h"

namespace {

// Ids of the template's texts.
enum : int { kFirstHeading = 1201, kFirstRowLabel = 1206, kShareLabel = 1209, kLimitLabel = 1210,
             kShareUnit = 1211, kLimitUnit = 1212, kGramsLabel = 1213, kPercentLabel = 1214 };

}  // namespace

CKristallisationDlg::CKristallisationDlg(QWidget* parent) : CEntryDialog(kTemplateId, parent) {
  setWindowTitle(QStringLiteral("Kristallisation"));
  auto* layout = new QVBoxLayout(this);
  auto* takeOver = new QPushButton(QString::fromUtf8("Einwaagen aus der Siebung übernehmen"), this);
  platform::SetControlId(takeOver, kTakeOver);
  takeOver->setAutoDefault(false);
  connect(takeOver, &QPushButton::clicked, this, [this] { OnEinwaagenUebernehmen(); });
  layout->addWidget(takeOver, 0, Qt::AlignLeft);

  auto* grid = new QGridLayout;
  const char* headings[] = {"Kornklasse\nQuadratloch\n[mm]", "Einwaage\n\n[g]", "Rückwaage\n\n[g]"};
  for (int c = 0; c < 3; ++c) grid->addWidget(EntryLabel(this, kFirstHeading + c, headings[c], Qt::AlignHCenter), 0, c, 2, 1);
  grid->addWidget(EntryLabel(this, kFirstHeading + 3, "Anteil < 22.4 mm", Qt::AlignHCenter), 0, 3, 1, 2);
  grid->addWidget(EntryLabel(this, kGramsLabel, "[g]", Qt::AlignHCenter), 1, 3);
  grid->addWidget(EntryLabel(this, kPercentLabel, "[%]", Qt::AlignHCenter), 1, 4);
  const char* rows[] = {"40 - 50", "31.5 - 40", "Summe:"};
  const int ids[3][4] = {{kInitial4050, kFinal4050, kLossG4050, kLossP4050},
                         {kInitial3140, kFinal3140, kLossG3140, kLossP3140},
                         {kSumInitial, kSumFinal, kLossGSum, kLossPSum}};
  for (int row = 0; row < 3; ++row) {
    grid->addWidget(EntryLabel(this, kFirstRowLabel + row, rows[row], row < 2 ? Qt::AlignHCenter : Qt::AlignRight),
                    row + 2, 0);
    for (int c = 0; c < 4; ++c) {
      const bool input = row < 2 && c < 2;
      grid->addWidget(MakeRowField(this, ids[row][c], !input), row + 2, c + 1, Qt::AlignHCenter);
    }
  }
  layout->addLayout(grid);

  auto* result = new QGridLayout;
  result->addWidget(EntryLabel(this, kShareLabel, "Anteil < 22.4 mm:", Qt::AlignRight), 0, 0);
  result->addWidget(MakeRowField(this, kShare, true), 0, 1);
  result->addWidget(EntryLabel(this, kShareUnit, "%"), 0, 2);
  result->addWidget(EntryLabel(this, kLimitLabel, "Soll:", Qt::AlignRight), 1, 0);
  result->addWidget(EntryLabel(this, kLimit, ""), 1, 1);
  result->addWidget(EntryLabel(this, kLimitUnit, "%"), 1, 2);
  auto* mark = new CStatusMark(this);
  platform::SetControlId(mark, kStatusMark);
  result->addWidget(mark, 0, 3, 2, 1);
  result->setColumnStretch(4, 1);
  layout->addLayout(result);

  // The salt list is kept but not shown: its choice is only carried along.
  auto* salt = new QComboBox(this);
  platform::SetControlId(salt, kSalt);
  for (const char* name : kSaltNames) salt->addItem(QString::fromUtf8(name));
  salt->hide();
  AddOkCancelRow(this, layout);

  RecomputeOnKillFocus({kInitial4050, kInitial3140, kFinal4050, kFinal3140});
  for (int row = 0; row < 2; ++row)
    for (int c = 0; c < 2; ++c) NumberField(ids[row][c], {kFirstHeading + 1 + c, kFirstRowLabel + row});
}

CKristallisationDlg::~CKristallisationDlg() = default;

bool CKristallisationDlg::OnInitDialog() {
  CEntryDialog::OnInitDialog();
  SetTitleFitting(TranslateString(5233, "Kristallisation   Prüf-Nr.: ") + m_TestNumber);
  const CrystallisationInput stored = CrystallisationInputFromField(m_ResultText);
  if (auto* salt = Item<QComboBox>(kSalt)) salt->setCurrentIndex(stored.saltIndex);
  SetItemText(kLimit, CrystallisationLimitText());
  Show(stored);
  Recompute();
  return true;
}

CrystallisationInput CKristallisationDlg::ReadInputs() const {
  CrystallisationInput in;
  if (auto* salt = Item<QComboBox>(kSalt)) in.saltIndex = salt->currentIndex();
  in.initial4050 = GetItemText(kInitial4050);
  in.initial3140 = GetItemText(kInitial3140);
  in.final4050 = GetItemText(kFinal4050);
  in.final3140 = GetItemText(kFinal3140);
  return in;
}

void CKristallisationDlg::Show(const CrystallisationInput& in) {
  SetTextIfChanged(kInitial4050, in.initial4050);
  SetTextIfChanged(kInitial3140, in.initial3140);
  SetTextIfChanged(kFinal4050, in.final4050);
  SetTextIfChanged(kFinal3140, in.final3140);
}

void CKristallisationDlg::Recompute() {
  result_ = ::ComputeKristallisation(ReadInputs());
  Show(result_.inputs);
  SetTextIfChanged(kSumInitial, result_.sumInitial);
  SetTextIfChanged(kSumFinal, result_.sumFinal);
  SetTextIfChanged(kLossG4050, result_.loss4050.grams);
  SetTextIfChanged(kLossG3140, result_.loss3140.grams);
  SetTextIfChanged(kLossGSum, result_.lossSum.grams);
  SetTextIfChanged(kLossP4050, result_.loss4050.percent);
  SetTextIfChanged(kLossP3140, result_.loss3140.percent);
  SetTextIfChanged(kLossPSum, result_.lossSum.percent);
  SetTextIfChanged(kShare, result_.shareBelow224);
  if (auto* mark = Item<CStatusMark>(kStatusMark)) mark->SetStatus(result_.requirementState);
}

void CKristallisationDlg::OnEinwaagenUebernehmen() {
  CrystallisationInput input = ReadInputs();
  if (!m_pVersuch || !TakeSievedInitialMasses(*m_pVersuch, input)) {
    platform::ShowMessageBox(TranslateString(5234, "Es sind noch keine Siebungsdaten vorhanden!"),
                             platform::MB_OK | platform::MB_ICONWARNING,
                             TranslateString(5232, "Keine Daten vorhanden"));
    return;
  }
  Show(input);
  Recompute();
  MarkFaults();
}

std::vector<FieldFault> CKristallisationDlg::FieldFaults() const {
  return FieldFaultsOf(result_.faults, [](int input) {
    const int ids[] = {kInitial4050, kFinal4050, kInitial3140, kFinal3140};
    return ids[input];
  });
}

bool CKristallisationDlg::TakeResult() {
  m_ResultText = result_.ResultText();
  m_Status = result_.status;
  return true;
}

std::optional<TestEntryResult> EditCrystallisation(CVersuch& record, QWidget* parent) {
  CKristallisationDlg dialog(parent);
  dialog.m_TestNumber = record.GetValue(1, 0);
  dialog.m_ResultText = record.GetField(13);
  dialog.m_pVersuch = &record;
  return ShowForEntryResult(dialog);
}
