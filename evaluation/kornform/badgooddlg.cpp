#include "evaluation/kornform/badgooddlg.h"

#include <QGridLayout>
#include <QVBoxLayout>

#include "evaluation/frame/entryform.h"
#include "evaluation/frame/statusmarks.h"
#include "records/strutil.h"

namespace {

enum : int { kBadLabel = 1201, kGoodLabel = 1202, kSumLabel = 1203, kRequirementLabel = 1204, kMassUnit = 1205,
             kShareUnit = 1206 };

}  // namespace

CBadGoodShareDlg::CBadGoodShareDlg(int templateId, QWidget* parent) : CEntryDialog(templateId, parent) {
  setWindowTitle(QString::fromUtf8("Kornform"));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  grid->addWidget(EntryLabel(this, kMassUnit, "[g]", Qt::AlignHCenter), 0, 1);
  grid->addWidget(EntryLabel(this, kShareUnit, "[M.-%]", Qt::AlignHCenter), 0, 2);
  grid->addWidget(EntryLabel(this, kBadLabel, "Anteil an SCHLECHT geformtem Korn:"), 1, 0);
  grid->addWidget(MakeRowField(this, kBad, false), 1, 1);
  grid->addWidget(MakeRowField(this, kShareBad, true), 1, 2);
  auto* mark = new CStatusMark(this);
  platform::SetControlId(mark, kStatusMark);
  grid->addWidget(mark, 1, 3);
  grid->addWidget(EntryLabel(this, kGoodLabel, "Anteil an GUT geformtem Korn:"), 2, 0);
  grid->addWidget(MakeRowField(this, kGood, false), 2, 1);
  grid->addWidget(MakeRowField(this, kShareGood, true), 2, 2);
  grid->addWidget(EntryLabel(this, kSumLabel, "Summe:", Qt::AlignRight), 3, 0);
  grid->addWidget(MakeRowField(this, kSum, true), 3, 1);
  grid->addWidget(EntryLabel(this, kRequirementLabel, "Soll [M.-%]", Qt::AlignRight), 4, 0, 1, 2);
  grid->addWidget(MakeRowField(this, kRequirement, true), 4, 2);
  layout->addLayout(grid);
  AddOkCancelRow(this, layout);
  RecomputeOnKillFocus({kBad, kGood});
  NumberField(kBad, {kBadLabel});
  NumberField(kGood, {kGoodLabel});
}

CBadGoodShareDlg::~CBadGoodShareDlg() = default;

void CBadGoodShareDlg::ShowStored(const std::string& caption, int badPart) {
  setWindowTitle(QString::fromStdString(caption));
  SetItemText(kBad, StrGetField(m_ResultText, '|', badPart));
  SetItemText(kGood, StrGetField(m_ResultText, '|', badPart + 1));
}

void CBadGoodShareDlg::ShowShares(const BadGoodShares& shares, const std::string& requirement, int mark) {
  faults_ = shares.faults;
  SetTextIfChanged(kBad, shares.bad);
  SetTextIfChanged(kGood, shares.good);
  SetTextIfChanged(kSum, shares.sum);
  SetTextIfChanged(kShareBad, shares.shareBad);
  SetTextIfChanged(kShareGood, shares.shareGood);
  SetTextIfChanged(kRequirement, requirement);
  if (auto* label = Item<CStatusMark>(kStatusMark)) label->SetStatus(mark);
}

std::vector<FieldFault> CBadGoodShareDlg::FieldFaults() const {
  return FieldFaultsOf(faults_, [](int input) { return input == kBadMassInput ? kBad : kGood; });
}
