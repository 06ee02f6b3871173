#include "evaluation/kornform/kornformsdmdlg.h"

#include <QGridLayout>
#include <QVBoxLayout>
#include <algorithm>

#include "evaluation/frame/entryform.h"
#include "evaluation/frame/statusmarks.h"
#include "evaluation/kornform/kornformsdmeinfachdlg.h"
#include "i18n/translation.h"
#include "platform/messagebox.h"

namespace {

enum : int { kFirstHeading = 1201, kTotalLabel = 1220, kSILabel = 1221 };

const char* const kHeadings[] = {
    "Korn-\nfraktion\n[mm]",  "Rückstand auf den\nSieben der\nKorngrößenvert.\n[g]",
    "Mindestmenge\nder Probe\n(nur informativ)", "schlecht\n[g]", "SIi\n[%]", "gut\n[g]",
    "Vi [%]\nAnteil im\nBaustoffgemisch", "Summe\n[g]", "SIi*Vi\n[%²]", "Soll\nschlecht\ngeformt",
};

// The layout of field 12 that a form stores: the masses of the other form
// are no masses of this one.
bool StoredInForm(const CVersuch& record, const char* form) { return record.GetValue(12, 0) == form; }

}  // namespace

CKornformSDMDlg::CKornformSDMDlg(const CVersuch& record, const ShapeIndexEntry& entry, QWidget* parent)
    : CEntryDialog(kTemplateId, parent), testNumber_(record.GetValue(1, 0)) {
  CVersuch source = record;
  if (!StoredInForm(record, "2")) source.SetField(12, "");
  stored_ = ShapeIndexInputFor(source, entry);

  setWindowTitle(QString::fromUtf8("Kornform"));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  for (int c = 0; c < 10; ++c) grid->addWidget(EntryLabel(this, kFirstHeading + c, kHeadings[c], Qt::AlignHCenter), 0, c);
  std::vector<int> inputs;
  for (int row = 0; row < kShapeIndexRows; ++row) {
    const int r = row + 1;
    const int firsts[] = {kFirstFraction, kFirstResidue, kFirstMinMass, kFirstBad, kFirstSii,
                          kFirstGood,     kFirstVi,      kFirstSum,     kFirstSiiVi, kFirstRequirement};
    for (int c = 0; c < 10; ++c) {
      const int id = firsts[c] + row;
      const bool input = id == kFirstMinMass + row || id == kFirstBad + row || id == kFirstGood + row;
      grid->addWidget(MakeRowField(this, id, !input, c == 2 ? 100 : 70), r, c);
      if (input) inputs.push_back(id);
    }
    NumberField(kFirstBad + row, {kFirstHeading + 3, kFirstFraction + row});
    NumberField(kFirstGood + row, {kFirstHeading + 5, kFirstFraction + row});
    auto* mark = new CStatusMark(this);
    platform::SetControlId(mark, kFirstMark + row);
    grid->addWidget(mark, r, 10);
  }
  const int totals = kShapeIndexRows + 1;
  grid->addWidget(EntryLabel(this, kTotalLabel, "Summe:", Qt::AlignLeft), totals, 0);
  grid->addWidget(MakeRowField(this, kTotalResidue, true, 70), totals, 1);
  grid->addWidget(MakeRowField(this, kTotalVi, true, 70), totals, 6);
  grid->addWidget(MakeRowField(this, kTotalSum, true, 70), totals, 7);
  grid->addWidget(MakeRowField(this, kTotalSiiVi, true, 70), totals, 8);
  grid->addWidget(EntryLabel(this, kSILabel, "Kornformkennzahl SI [%]:", Qt::AlignRight), totals + 1, 0, 1, 8);
  grid->addWidget(MakeRowField(this, kSI, true, 70), totals + 1, 8);
  auto* mark = new CStatusMark(this);
  platform::SetControlId(mark, kSIMark);
  grid->addWidget(mark, totals + 1, 10);
  layout->addLayout(grid);
  AddOkCancelRow(this, layout);
  RecomputeOnKillFocus(inputs);
  SetIconCommand(kIconCommand);
}

CKornformSDMDlg::~CKornformSDMDlg() = default;

bool CKornformSDMDlg::OnInitDialog() {
  CEntryDialog::OnInitDialog();
  setWindowTitle(QString::fromStdString(EntryDialogTitle(windowTitle().toStdString(), "  ", testNumber_)));
  const std::string requirement = ShapeIndexRequirementText(stored_.limit);
  for (int row = 0; row < kShapeIndexRows; ++row) {
    const auto i = static_cast<size_t>(row);
    const bool listed = !stored_.fraction[i].empty();
    SetItemText(kFirstFraction + row, stored_.fraction[i]);
    SetItemText(kFirstResidue + row, stored_.residue[i]);
    SetItemText(kFirstMinMass + row, stored_.minMass[i]);
    SetItemText(kFirstBad + row, stored_.bad[i]);
    SetItemText(kFirstGood + row, stored_.good[i]);
    SetItemText(kFirstRequirement + row, listed ? requirement : "");
    for (int id : {kFirstMinMass, kFirstBad, kFirstGood}) EnableItem(id + row, listed);
  }
  Recompute();
  return true;
}

ShapeIndexInput CKornformSDMDlg::ReadInputs() const {
  ShapeIndexInput in = stored_;
  for (int row = 0; row < kShapeIndexRows; ++row) {
    const auto i = static_cast<size_t>(row);
    in.minMass[i] = GetItemText(kFirstMinMass + row);
    in.bad[i] = GetItemText(kFirstBad + row);
    in.good[i] = GetItemText(kFirstGood + row);
  }
  return in;
}

void CKornformSDMDlg::Recompute() {
  result_ = ComputeShapeIndex(ReadInputs());
  const ShapeIndexResult& r = result_;
  for (int row = 0; row < kShapeIndexRows; ++row) {
    const auto i = static_cast<size_t>(row);
    SetTextIfChanged(kFirstBad + row, r.inputs.bad[i]);
    SetTextIfChanged(kFirstGood + row, r.inputs.good[i]);
    SetTextIfChanged(kFirstSii + row, r.sii[i]);
    SetTextIfChanged(kFirstVi + row, r.vi[i]);
    SetTextIfChanged(kFirstSum + row, r.sum[i]);
    SetTextIfChanged(kFirstSiiVi + row, r.siivi[i]);
    if (auto* mark = Item<CStatusMark>(kFirstMark + row)) mark->SetStatus(r.flags[i] == 1 ? 1 : r.flags[i] == 0 ? 2 : 0);
  }
  SetTextIfChanged(kTotalResidue, r.totalResidue);
  SetTextIfChanged(kTotalSum, r.totalSum);
  SetTextIfChanged(kTotalVi, r.totalVi);
  SetTextIfChanged(kTotalSiiVi, r.totalSiivi);
  SetTextIfChanged(kSI, r.si);
  if (auto* mark = Item<CStatusMark>(kSIMark)) mark->SetStatus(r.overallFlag == 1 ? 1 : r.overallFlag == 0 ? 2 : 0);
}

std::vector<FieldFault> CKornformSDMDlg::FieldFaults() const {
  return FieldFaultsOf(result_.faults, [](int input) {
    const InputPlace place = InputPlaceOf(input);
    return (place.column == kGoodMassInput ? kFirstGood : kFirstBad) + place.row;
  });
}

bool CKornformSDMDlg::TakeResult() {
  m_ResultText = result_.ResultText();
  m_Status = result_.status;
  return true;
}

std::optional<TestEntryResult> EditShapeIndex(CVersuch& record, QWidget* parent) {
  const ShapeIndexEntry entry = ShapeIndexEntryOf(record);
  bool simple = entry.IsSimpleForm();
  if (!entry.present)
    simple = platform::ShowMessageBox(TranslateString(66009, "Einfachen Kornform Dialog testen (sonst Standard Dialog) ?\n"),
                                      platform::MB_YESNO | platform::MB_ICONQUESTION) == platform::IDYES;
  // Without fractions every row of the standard form would stay disabled.
  if (!simple && std::all_of(entry.fractions.begin(), entry.fractions.end(), [](const std::string& f) { return f.empty(); })) {
    platform::ShowMessageBox(TranslateString(66010, "Die Materialdefinition dieses Versuchs legt für die Kornform keine "
                                                    "Kornfraktionen fest. Es gibt nichts einzugeben.\nDie Fraktionen "
                                                    "werden in der Materialdefinition festgelegt."),
                             platform::MB_OK | platform::MB_ICONINFORMATION, TranslateString(5003, "Kornform"));
    return std::nullopt;
  }
  if (simple) {
    CKornformSDMEinfachDlg dialog(parent);
    dialog.m_TestNumber = record.GetValue(1, 0);
    dialog.m_ResultText = StoredInForm(record, "1") ? record.GetField(12) : "";
    dialog.m_Limit = entry.limit;
    if (dialog.DoModal() != platform::IDOK) return std::nullopt;
    return SimpleShapeIndexEntryResult(dialog.Result());
  }
  CKornformSDMDlg dialog(record, entry, parent);
  if (dialog.DoModal() != platform::IDOK) return std::nullopt;
  return ShapeIndexEntryResult(dialog.Result());
}
