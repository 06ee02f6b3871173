#include "evaluation/gleisschotter/ballastclassesdlg.h"

#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "evaluation/frame/entryform.h"
#include "evaluation/frame/statusmarks.h"
#include "i18n/translation.h"
#include "platform/messagebox.h"

namespace {

// Ids of the template's texts.
enum : int { kFirstColumnLabel = 1201, kFirstClassLabel = 1205, kSumLabel = 1209, kShareLabel = 1210,
             kRequirementLabel = 1211, kShareUnit = 1212, kRequirementUnit = 1213 };

}  // namespace

CBallastClassesDlg::CBallastClassesDlg(const BallastDialogTexts& texts, const std::string& testKey, QWidget* parent)
    : CEntryDialog(texts.templateId, parent), texts_(texts), testKey_(testKey) {
  setWindowTitle(QString::fromUtf8(texts.caption));
  auto* layout = new QVBoxLayout(this);
  auto* takeOver = new QPushButton(QString::fromUtf8("Gesamtgewichte aus der Siebung übernehmen"), this);
  platform::SetControlId(takeOver, kTakeOver);
  takeOver->setAutoDefault(false);
  connect(takeOver, &QPushButton::clicked, this, [this] { OnGesamtgewichteUebernehmen(); });
  layout->addWidget(takeOver, 0, Qt::AlignLeft);

  auto* grid = new QGridLayout;
  const bool barSieves = texts.slotWidths[0] != nullptr;
  int column = 0;
  for (int c = 0; c < 4; ++c) {
    if (c == 1 && !barSieves) continue;
    grid->addWidget(EntryLabel(this, kFirstColumnLabel + c, texts.columns[c], Qt::AlignHCenter), 0, column++);
  }
  const char* classes[] = {"40 - 50", "31.5 - 40"};
  const int totals[] = {kTotal4050, kTotal3140};
  const int parts[] = {kPart4050, kPart3140};
  for (int row = 0; row < 2; ++row) {
    column = 0;
    grid->addWidget(EntryLabel(this, kFirstClassLabel + row, classes[row], Qt::AlignHCenter), row + 1, column++);
    if (barSieves) grid->addWidget(EntryLabel(this, 0, texts.slotWidths[row], Qt::AlignHCenter), row + 1, column++);
    grid->addWidget(MakeRowField(this, totals[row], false), row + 1, column++, Qt::AlignHCenter);
    grid->addWidget(MakeRowField(this, parts[row], false), row + 1, column++, Qt::AlignHCenter);
  }
  column = barSieves ? 2 : 1;
  grid->addWidget(EntryLabel(this, kSumLabel, "Summe:", Qt::AlignRight), 3, 0, 1, column);
  grid->addWidget(MakeRowField(this, kSumTotals, true), 3, column, Qt::AlignHCenter);
  grid->addWidget(MakeRowField(this, kSumParts, true), 3, column + 1, Qt::AlignHCenter);
  layout->addLayout(grid);

  auto* result = new QGridLayout;
  result->addWidget(EntryLabel(this, kShareLabel, texts.shareLabel, Qt::AlignRight), 0, 0);
  result->addWidget(MakeRowField(this, kShare, true), 0, 1);
  result->addWidget(EntryLabel(this, kShareUnit, "%"), 0, 2);
  result->addWidget(EntryLabel(this, kRequirementLabel, "Soll:", Qt::AlignRight), 1, 0);
  result->addWidget(MakeRowField(this, kRequirement, true), 1, 1);
  result->addWidget(EntryLabel(this, kRequirementUnit, "%"), 1, 2);
  auto* mark = new CStatusMark(this);
  platform::SetControlId(mark, kStatusMark);
  result->addWidget(mark, 0, 3, 2, 1);
  result->setColumnStretch(4, 1);
  layout->addLayout(result);
  AddOkCancelRow(this, layout);

  RecomputeOnKillFocus({kTotal4050, kTotal3140, kPart4050, kPart3140});
  for (int row = 0; row < 2; ++row) {
    NumberField(totals[row], {kFirstColumnLabel + 2, kFirstClassLabel + row});
    NumberField(parts[row], {kFirstColumnLabel + 3, kFirstClassLabel + row});
  }
}

CBallastClassesDlg::~CBallastClassesDlg() = default;

bool CBallastClassesDlg::OnInitDialog() {
  CEntryDialog::OnInitDialog();
  const std::string number = m_pVersuch ? m_pVersuch->GetValue(1, 0) : "";
  SetTitleFitting(TranslateString(texts_.titleId, texts_.title) + number);
  if (m_pVersuch) m_Requirement = BallastRequirement(*m_pVersuch, testKey_);
  Show(BallastClassInputFromField(m_ResultText, m_Requirement));
  Recompute();
  return true;
}

BallastClassInput CBallastClassesDlg::ReadInputs() const {
  BallastClassInput in;
  in.total4050 = GetItemText(kTotal4050);
  in.total3140 = GetItemText(kTotal3140);
  in.part4050 = GetItemText(kPart4050);
  in.part3140 = GetItemText(kPart3140);
  in.requirement = m_Requirement;
  return in;
}

void CBallastClassesDlg::Show(const BallastClassInput& in) {
  SetTextIfChanged(kTotal4050, in.total4050);
  SetTextIfChanged(kTotal3140, in.total3140);
  SetTextIfChanged(kPart4050, in.part4050);
  SetTextIfChanged(kPart3140, in.part3140);
}

void CBallastClassesDlg::Recompute() {
  result_ = ComputeBallastClasses(ReadInputs());
  m_Requirement = result_.inputs.requirement;
  Show(result_.inputs);
  SetTextIfChanged(kSumTotals, result_.sumTotals);
  SetTextIfChanged(kSumParts, result_.sumParts);
  SetTextIfChanged(kShare, result_.share);
  SetTextIfChanged(kRequirement, RequirementText(result_.inputs.requirement));
  if (auto* mark = Item<CStatusMark>(kStatusMark)) mark->SetStatus(result_.requirementState);
}

void CBallastClassesDlg::OnGesamtgewichteUebernehmen() {
  BallastClassInput input = ReadInputs();
  if (!m_pVersuch || !TakeSievedBallastMasses(*m_pVersuch, input)) {
    platform::ShowMessageBox(TranslateString(texts_.messageId, texts_.message),
                             platform::MB_OK | platform::MB_ICONWARNING,
                             TranslateString(5232, "Keine Daten vorhanden"));
    return;
  }
  Show(input);
  Recompute();
  MarkFaults();
}

std::vector<FieldFault> CBallastClassesDlg::FieldFaults() const {
  return FieldFaultsOf(result_.faults, [](int input) {
    const int ids[] = {kTotal4050, kTotal3140, kPart4050, kPart3140};
    return ids[input];
  });
}

bool CBallastClassesDlg::TakeResult() {
  const TestEntryResult entry = EntryResult();
  m_ResultText = entry.resultText;
  m_Status = entry.status;
  return true;
}
