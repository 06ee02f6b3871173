#include "evaluation/laenger100/laenger100dlg.h"

#include <QGridLayout>
#include <QVBoxLayout>

#include "evaluation/frame/entryform.h"
#include "evaluation/frame/statusmarks.h"
#include "i18n/translation.h"
#include "records/strutil.h"

namespace {

enum : int { kFirstHeading = 1201 };

}  // namespace

CLaenger100Dlg::CLaenger100Dlg(int templateId, const std::string& testKey, QWidget* parent)
    : CEntryDialog(templateId, parent), testKey_(testKey) {
  setWindowTitle(QString::fromUtf8("Bestimmung der Körner mit einer Länge > 100 mm"));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  const char* headings[] = {"Körner länger\nals 100 mm\n[g]", "Anteil der Körner \nlänger als 100 mm\n[%]",
                            "Anteil der Körner\nlänger als 100 mm\nSoll\n[%]"};
  for (int c = 0; c < 3; ++c) grid->addWidget(EntryLabel(this, kFirstHeading + c, headings[c], Qt::AlignHCenter), 0, c);
  grid->addWidget(MakeRowField(this, kMass, false), 1, 0, Qt::AlignHCenter);
  grid->addWidget(MakeRowField(this, kShare, true), 1, 1, Qt::AlignHCenter);
  grid->addWidget(MakeRowField(this, kRequirement, true), 1, 2, Qt::AlignHCenter);
  auto* mark = new CStatusMark(this);
  platform::SetControlId(mark, kStatusMark);
  grid->addWidget(mark, 1, 3);
  grid->setColumnStretch(4, 1);
  layout->addLayout(grid);
  AddOkCancelRow(this, layout);
  RecomputeOnKillFocus({kMass});
  NumberField(kMass, {kFirstHeading});
}

CLaenger100Dlg::~CLaenger100Dlg() = default;

bool CLaenger100Dlg::OnInitDialog() {
  CEntryDialog::OnInitDialog();
  const std::string number = m_pVersuch ? m_pVersuch->GetValue(1, 0) : "";
  SetTitleFitting(TranslateString(5250, "Körner länger 100 mm    Prüf-Nr.: ") + number);
  if (m_pVersuch) requirement_ = Grains100InputFromRecord(*m_pVersuch, testKey_).requirement;
  SetItemText(kMass, StrGetField(m_ResultText, '|', 10));
  Recompute();
  return true;
}

void CLaenger100Dlg::Recompute() {
  result_ = ::ComputeLaenger100({GetItemText(kMass), m_SampleMass, requirement_});
  requirement_ = result_.inputs.requirement;
  SetTextIfChanged(kMass, result_.inputs.mass);
  SetTextIfChanged(kShare, result_.share);
  SetTextIfChanged(kRequirement, result_.requirementDisplay);
  if (auto* mark = Item<CStatusMark>(kStatusMark)) mark->SetStatus(result_.requirementState);
}

std::vector<FieldFault> CLaenger100Dlg::FieldFaults() const {
  return FieldFaultsOf(result_.faults, [](int) { return kMass; });
}

bool CLaenger100Dlg::TakeResult() {
  m_ResultText = result_.ResultText();
  m_Status = result_.status;
  return true;
}

namespace {

template <class Dialog>
std::optional<TestEntryResult> EditWith(CVersuch& record, QWidget* parent) {
  Dialog dialog(parent);
  dialog.m_SampleMass = record.GetValue(18, 2);
  dialog.m_ResultText = record.GetField(16);
  dialog.m_pVersuch = &record;
  return ShowForEntryResult(dialog);
}

}  // namespace

std::optional<TestEntryResult> EditGrains100(CVersuch& record, QWidget* parent) {
  return EditWith<CLaenger100Dlg>(record, parent);
}

std::optional<TestEntryResult> EditBallastGrains100(CVersuch& record, QWidget* parent) {
  return EditWith<CLaenger100GSDlg>(record, parent);
}
