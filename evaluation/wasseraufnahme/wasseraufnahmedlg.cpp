#include "evaluation/wasseraufnahme/wasseraufnahmedlg.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "evaluation/frame/entryform.h"
#include "evaluation/frame/statusmarks.h"
#include "evaluation/gleisschotter/ballastclasses.h"
#include "i18n/translation.h"

namespace {

enum : int { kFirstHeading = 1301, kMeanLabel = 1310, kRequirementLabel = 1311 };

}  // namespace

CWasseraufnahmeDlg::CWasseraufnahmeDlg(QWidget* parent) : CEntryDialog(kTemplateId, parent) {
  setWindowTitle(QStringLiteral("Wasseraufnahme"));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  const char* headings[] = {"Stein-\nNr.", "trocken\n[g]", "feucht\n[g]"};
  for (int c = 0; c < 3; ++c) grid->addWidget(EntryLabel(this, kFirstHeading + c, headings[c], Qt::AlignHCenter), 0, c, 2, 1);
  grid->addWidget(EntryLabel(this, kFirstHeading + 3, "Wasseraufnahme", Qt::AlignHCenter), 0, 3, 1, 2);
  grid->addWidget(EntryLabel(this, kFirstHeading + 4, "[g]", Qt::AlignHCenter), 1, 3);
  grid->addWidget(EntryLabel(this, kFirstHeading + 5, "[%]", Qt::AlignHCenter), 1, 4);
  grid->addWidget(EntryLabel(this, kFirstHeading + 6, "Bemerkung"), 0, 6, 2, 1);
  std::vector<int> masses;
  for (int row = 0; row < kStoneRows; ++row) {
    const int y = row + 2;
    grid->addWidget(MakeRowField(this, kFirstNumber + row, false, 60), y, 0, Qt::AlignHCenter);
    grid->addWidget(MakeRowField(this, kFirstDry + row, false), y, 1, Qt::AlignHCenter);
    grid->addWidget(MakeRowField(this, kFirstWet + row, false), y, 2, Qt::AlignHCenter);
    grid->addWidget(MakeRowField(this, kFirstGrams + row, true), y, 3, Qt::AlignHCenter);
    grid->addWidget(MakeRowField(this, kFirstPercent + row, true), y, 4, Qt::AlignHCenter);
    auto* mark = new CStatusMark(this);
    platform::SetControlId(mark, kFirstMark + row);
    mark->SetGreyWhenNotJudged(true);
    grid->addWidget(mark, y, 5);
    auto* remark = MakeRowField(this, kFirstRemark + row, false, 260);
    remark->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(remark, y, 6);
    masses.push_back(kFirstDry + row);
    masses.push_back(kFirstWet + row);
    for (int column : {1, 2})
      NamedNumberField(column == 1 ? kFirstDry + row : kFirstWet + row, [this, row, column] {
        return FieldNameOfLabel(GetItemText(kFirstHeading + column)) + ", " +
               TranslateString(62028, "Zeile") + " " + std::to_string(row + 1);
      });
  }
  const int last = kStoneRows + 2;
  grid->addWidget(EntryLabel(this, kMeanLabel, "Mittelwert:", Qt::AlignRight), last, 0, 1, 4);
  grid->addWidget(MakeRowField(this, kMean, true), last, 4, Qt::AlignHCenter);
  auto* meanMark = new CStatusMark(this);
  platform::SetControlId(meanMark, kMeanMark);
  meanMark->SetGreyWhenNotJudged(true);
  grid->addWidget(meanMark, last, 5);
  grid->addWidget(EntryLabel(this, kRequirementLabel, "Soll:", Qt::AlignRight), last + 1, 0, 1, 4);
  grid->addWidget(MakeRowField(this, kRequirement, true), last + 1, 4, Qt::AlignHCenter);
  layout->addLayout(grid);
  AddOkCancelRow(this, layout);
  RecomputeOnKillFocus(masses);
}

CWasseraufnahmeDlg::~CWasseraufnahmeDlg() = default;

bool CWasseraufnahmeDlg::OnInitDialog() {
  CEntryDialog::OnInitDialog();
  SetTitleFitting(TranslateString(5370, "Wasseraufnahme    Prüf-Nr.: ") + m_TestNumber);
  for (int row = 0; row < kStoneRows; ++row) SetFixedFont(kFirstRemark + row);
  if (m_pVersuch) requirement_ = BallastRequirement(*m_pVersuch, "VA_GS_WASSER");
  const AbsorptionInput stored = AbsorptionInputFromField(m_ResultText, requirement_);
  for (int row = 0; row < kStoneRows; ++row) {
    const StoneRow& stone = stored.rows[static_cast<size_t>(row)];
    SetItemText(kFirstNumber + row, stone.number);
    SetItemText(kFirstDry + row, stone.dry);
    SetItemText(kFirstWet + row, stone.wet);
    SetItemText(kFirstRemark + row, stone.remark);
  }
  Recompute();
  return true;
}

void CWasseraufnahmeDlg::Recompute() {
  AbsorptionInput in;
  in.requirement = requirement_;
  for (int row = 0; row < kStoneRows; ++row) {
    StoneRow& stone = in.rows[static_cast<size_t>(row)];
    stone.number = GetItemText(kFirstNumber + row);
    stone.dry = GetItemText(kFirstDry + row);
    stone.wet = GetItemText(kFirstWet + row);
    stone.remark = GetItemText(kFirstRemark + row);
  }
  result_ = ::ComputeWasseraufnahme(in);
  for (int row = 0; row < kStoneRows; ++row) {
    const auto i = static_cast<size_t>(row);
    SetTextIfChanged(kFirstDry + row, result_.inputs.rows[i].dry);
    SetTextIfChanged(kFirstWet + row, result_.inputs.rows[i].wet);
    SetTextIfChanged(kFirstGrams + row, result_.stones[i].grams);
    SetTextIfChanged(kFirstPercent + row, result_.stones[i].percent);
    if (auto* mark = Item<CStatusMark>(kFirstMark + row)) {
      mark->SetStatus(result_.stones[i].state);
      // A grey row says why it is not judged.
      mark->setToolTip(QString::fromStdString(result_.stones[i].whyNotCounted));
    }
  }
  SetTextIfChanged(kMean, result_.mean);
  SetTextIfChanged(kRequirement, result_.requirementDisplay);
  if (auto* mark = Item<CStatusMark>(kMeanMark)) mark->SetStatus(result_.meanState);
}

std::vector<FieldFault> CWasseraufnahmeDlg::FieldFaults() const {
  return FieldFaultsOf(result_.faults, [](int input) {
    const InputPlace place = InputPlaceOf(input);
    return (place.column == kAbsorptionWet ? kFirstWet : kFirstDry) + place.row;
  });
}

bool CWasseraufnahmeDlg::TakeResult() {
  m_ResultText = result_.ResultText();
  m_Status = result_.status;
  return true;
}

std::optional<TestEntryResult> EditWaterAbsorption(CVersuch& record, QWidget* parent) {
  CWasseraufnahmeDlg dialog(parent);
  dialog.m_pVersuch = &record;
  dialog.m_TestNumber = record.GetValue(1, 0);
  dialog.m_ResultText = record.GetField(17);
  return ShowForEntryResult(dialog);
}
