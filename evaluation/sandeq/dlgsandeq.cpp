#include "evaluation/sandeq/dlgsandeq.h"

#include <QGridLayout>

#include "evaluation/frame/entryform.h"
#include "evaluation/frame/statusmarks.h"
#include "records/requirement.h"
#include "ui_dlgsandeq.h"

namespace {
// Ids of the template's texts, from kFirstLabel on.
constexpr std::array<const char*, 11> kLabels = {
    "Probe 1", "Probe 2", "Mittelwert", "h1 [cm]", "h2 [cm]", "h2 / h1 [%]", "Sollwerte:", "Mittelwert", "[%]",
    "Letzte Eignungsprüfung", "vom:"};
}  // namespace

CDlgSandEq::CDlgSandEq(CVersuch* record, QWidget* parent) : CEntryDialog(kTemplateId, parent), record_(record) {
  Ui::DlgSandEq ui;
  ui.setupUi(this);
  QGridLayout* grid = ui.rowsGrid;
  auto label = [this](int index, Qt::Alignment alignment = Qt::AlignLeft) {
    return EntryLabel(this, kFirstLabel + index, kLabels[static_cast<size_t>(index)], alignment);
  };
  grid->addWidget(label(0, Qt::AlignHCenter), 0, 1);
  grid->addWidget(label(1, Qt::AlignHCenter), 0, 2);
  grid->addWidget(label(2, Qt::AlignHCenter), 0, 3);
  grid->addWidget(label(3), 1, 0);
  grid->addWidget(label(4), 2, 0);
  grid->addWidget(label(5), 3, 0);
  for (int k = 0; k < 2; ++k) {
    grid->addWidget(MakeRowField(this, kH1First + k, false), 1, 1 + k);
    grid->addWidget(MakeRowField(this, kH2First + k, false), 2, 1 + k);
    grid->addWidget(MakeRowField(this, kSeFirst + k, true), 3, 1 + k);
  }
  grid->addWidget(MakeRowField(this, kMean, true), 3, 3);
  grid->addWidget(label(6), 4, 0);
  grid->addWidget(label(7), 5, 0);
  grid->addWidget(MakeRowField(this, kRelation, true, 40), 5, 1);
  grid->addWidget(MakeRowField(this, kRequired, true), 5, 2);
  grid->addWidget(label(8), 5, 3);
  auto* mark = new CStatusMark(this);
  platform::SetControlId(mark, kStatusMark);
  grid->addWidget(mark, 5, 4);
  grid->addWidget(label(9), 6, 0);
  grid->addWidget(MakeRowField(this, kSuitability, true), 6, 1);
  grid->addWidget(EntryLabel(this, 0, "[%]"), 6, 2);
  grid->addWidget(label(10, Qt::AlignRight), 6, 3);
  auto* date = MakeRowField(this, kSuitabilityDate, true, 90);
  date->setEnabled(false);
  grid->addWidget(date, 6, 4);
  QLabel* warning = EntryLabel(this, kWarning, "Zu große Abweichung vom Wert der Eignungsprüfung!");
  warning->setStyleSheet("color: rgb(192, 0, 0)");
  warning->hide();
  grid->addWidget(warning, 7, 0, 1, 5);
  RecomputeOnKillFocus({kH1First, kH1First + 1, kH2First, kH2First + 1});
  for (int k = 0; k < 2; ++k) {
    NumberField(kH1First + k, {kFirstLabel + 3, kFirstLabel + k});
    NumberField(kH2First + k, {kFirstLabel + 4, kFirstLabel + k});
  }
}

CDlgSandEq::~CDlgSandEq() = default;

bool CDlgSandEq::OnInitDialog() {
  CEntryDialog::OnInitDialog();
  if (record_) stored_ = SandEquivalentInputFromRecord(*record_);
  SetItemText(kRelation, GetRelationSymbol(stored_.relation));
  SetItemText(kRequired, stored_.required);
  SetItemText(kSuitability, stored_.suitability);
  SetItemText(kSuitabilityDate, SuitabilityDateText(stored_.suitabilityDate));
  for (int k = 0; k < 2; ++k) {
    SetItemText(kH1First + k, stored_.h1[static_cast<size_t>(k)]);
    SetItemText(kH2First + k, stored_.h2[static_cast<size_t>(k)]);
  }
  ComputeSandEquivalent();
  return true;
}

void CDlgSandEq::ComputeSandEquivalent() {
  SandEquivalentInput in = stored_;
  for (int k = 0; k < 2; ++k) {
    in.h1[static_cast<size_t>(k)] = GetItemText(kH1First + k);
    in.h2[static_cast<size_t>(k)] = GetItemText(kH2First + k);
  }
  result_ = ::ComputeSandEquivalent(in);
  for (int k = 0; k < 2; ++k) {
    const auto i = static_cast<size_t>(k);
    SetTextIfChanged(kH1First + k, result_.inputs.h1[i]);
    SetTextIfChanged(kH2First + k, result_.inputs.h2[i]);
    SetTextIfChanged(kSeFirst + k, result_.se[i]);
  }
  SetTextIfChanged(kMean, result_.mean);
  if (auto* mark = Item<CStatusMark>(kStatusMark)) mark->SetStatus(result_.labelState);
  ShowItem(kWarning, result_.warning ? platform::SW_SHOW : platform::SW_HIDE);
}

std::vector<FieldFault> CDlgSandEq::FieldFaults() const {
  return FieldFaultsOf(result_.faults, [](int input) {
    const InputPlace place = InputPlaceOf(input);
    return (place.column == kSandEqH2 ? kH2First : kH1First) + place.row;
  });
}

bool CDlgSandEq::TakeResult() {
  if (record_) record_->SetSandEquivalentData(SandEquivalentField(record_->GetField(31), result_));
  m_Status = result_.status;
  return true;
}

std::optional<TestEntryResult> EditSandEquivalent(CVersuch& record, QWidget* parent) {
  CDlgSandEq dialog(&record, parent);
  if (dialog.DoModal() != platform::IDOK) return std::nullopt;
  TestEntryResult out;
  out.status = dialog.m_Status;
  return out;
}
