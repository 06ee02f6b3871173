#include "evaluation/rczusammensetzung/zusammrecycdlg.h"

#include <QGridLayout>
#include <QLineEdit>

#include "controls/solledit.h"
#include "evaluation/frame/entryform.h"
#include "evaluation/frame/statusmarks.h"
#include "i18n/translation.h"
#include "ui_zusammrecycdbkgdlg.h"
#include "ui_zusammrecycdlg.h"

namespace {

// Grid columns of both forms.
enum : int { kNameColumn = 0, kMassColumn, kShareColumn, kCodeColumn, kMarkColumn };

void AddHeadings(QWidget* dialog, QGridLayout* grid, int firstLabel, const std::vector<const char*>& headings) {
  for (size_t i = 0; i < headings.size(); ++i)
    grid->addWidget(EntryLabel(dialog, firstLabel + static_cast<int>(i), headings[i],
                               i == 0 ? Qt::AlignLeft | Qt::AlignBottom : Qt::AlignHCenter | Qt::AlignBottom),
                    0, static_cast<int>(i));
}

void AddSumRow(QWidget* dialog, QGridLayout* grid, int gridRow, int labelId, int massSumId, int shareSumId) {
  grid->addWidget(EntryLabel(dialog, labelId, "Summe:", Qt::AlignRight), gridRow, kNameColumn);
  grid->addWidget(MakeRowField(dialog, massSumId, true), gridRow, kMassColumn);
  grid->addWidget(MakeRowField(dialog, shareSumId, true), gridRow, kShareColumn);
}

}  // namespace

void CRecycSheetDlg::MassFields(int rows) {
  for (int row = 0; row < rows; ++row) NumberField(MassId(row), {kFirstLabel + kMassColumn, NameId(row)});
}

std::vector<FieldFault> CRecycSheetDlg::MassFaults(const InputFaults& faults) {
  return FieldFaultsOf(faults, [](int row) { return MassId(row); });
}

// ------------------------------------------------------------ standard form

CZusammRecycDlg::CZusammRecycDlg(QWidget* parent) : CRecycSheetDlg(kTemplateId, parent) {
  Ui::ZusammRecycDlg ui;
  ui.setupUi(this);
  QGridLayout* grid = ui.rowsGrid;
  AddHeadings(this, grid, kFirstLabel, {"Material", "Masse\n[g]", "Anteil in\n[M.-%]", "Sollwert\n[M.-%]"});
  std::vector<int> inputs;
  for (int row = 0; row < kRecycRows; ++row) {
    // The floating particles stand under the sum line, with their units.
    const int gridRow = row < kFloatingRow ? 1 + row : 3 + row;
    auto* name = MakeRowField(this, NameId(row), true, 260);
    name->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(name, gridRow, kNameColumn);
    grid->addWidget(MakeRowField(this, MassId(row), false), gridRow, kMassColumn);
    grid->addWidget(MakeRowField(this, ShareId(row), true), gridRow, kShareColumn);
    auto* code = new CSollEdit(this);
    platform::SetControlId(code, CodeId(row));
    code->setReadOnly(true);
    code->setFocusPolicy(Qt::NoFocus);
    code->setFixedWidth(80);
    grid->addWidget(code, gridRow, kCodeColumn);
    auto* mark = new CStatusMark(this);
    platform::SetControlId(mark, MarkId(row));
    grid->addWidget(mark, gridRow, kMarkColumn);
    inputs.push_back(MassId(row));
  }
  AddSumRow(this, grid, 1 + kFloatingRow, kFirstLabel + 4, kMassSum, kShareSum);
  const int unitsRow = 2 + kFloatingRow;
  grid->addWidget(EntryLabel(this, 0, "[cm³]", Qt::AlignHCenter), unitsRow, kMassColumn);
  grid->addWidget(EntryLabel(this, 0, "[cm³/kg]", Qt::AlignHCenter), unitsRow, kShareColumn);
  grid->addWidget(EntryLabel(this, 0, "[cm³/kg]", Qt::AlignHCenter), unitsRow, kCodeColumn);
  RecomputeOnKillFocus(inputs);
  MassFields(kRecycRows);
}

CZusammRecycDlg::~CZusammRecycDlg() = default;

std::vector<FieldFault> CZusammRecycDlg::FieldFaults() const { return MassFaults(result_.faults); }

bool CZusammRecycDlg::OnInitDialog() {
  CEntryDialog::OnInitDialog();
  setWindowTitle(QString::fromStdString(TranslateString(61305, "stoffliche Zusammensetzung   Prüf-Nr.: ") + m_TestNumber));
  LoadResult();
  ComputeZusammensetzung();
  return true;
}

void CZusammRecycDlg::LoadResult() {
  stored_ = RecycInputFromRecord(m_SideTestEntry, m_Result);
  for (int row = 0; row < kRecycRows; ++row) {
    const auto i = static_cast<size_t>(row);
    SetItemText(NameId(row), stored_.names[i]);
    SetItemText(CodeId(row), stored_.codes[i]);
    SetItemText(MassId(row), stored_.masses[i]);
  }
}

void CZusammRecycDlg::ComputeZusammensetzung() {
  RecycInput in = stored_;
  for (int row = 0; row < kRecycRows; ++row) in.masses[static_cast<size_t>(row)] = GetItemText(MassId(row));
  result_ = ::ComputeZusammensetzung(in);
  for (int row = 0; row < kRecycRows; ++row) {
    const auto i = static_cast<size_t>(row);
    SetTextIfChanged(MassId(row), result_.inputs.masses[i]);
    SetTextIfChanged(ShareId(row), result_.shares[i]);
    if (auto* mark = Item<CStatusMark>(MarkId(row))) mark->SetStatus(result_.results[i]);
  }
  SetTextIfChanged(kMassSum, result_.massSum);
  SetTextIfChanged(kShareSum, result_.shareSum);
}

// ------------------------------------------------------------ grading mixtures

CZusammRecycDBKGDlg::CZusammRecycDBKGDlg(QWidget* parent) : CRecycSheetDlg(kTemplateId, parent) {
  Ui::ZusammRecycDBKGDlg ui;
  ui.setupUi(this);
  QGridLayout* grid = ui.rowsGrid;
  AddHeadings(this, grid, kFirstLabel, {"Material", "Masse\n[g]", "Anteil in\n[M.-%]"});
  std::vector<int> inputs;
  for (int row = 0; row < kMixtureRows; ++row) {
    auto* name = MakeRowField(this, NameId(row), false, 260);
    name->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(name, 1 + row, kNameColumn);
    grid->addWidget(MakeRowField(this, MassId(row), false), 1 + row, kMassColumn);
    grid->addWidget(MakeRowField(this, ShareId(row), true), 1 + row, kShareColumn);
    inputs.push_back(MassId(row));
  }
  AddSumRow(this, grid, 1 + kMixtureRows, kFirstLabel + 3, kMassSum, kShareSum);
  RecomputeOnKillFocus(inputs);
  MassFields(kMixtureRows);
}

CZusammRecycDBKGDlg::~CZusammRecycDBKGDlg() = default;

std::vector<FieldFault> CZusammRecycDBKGDlg::FieldFaults() const { return MassFaults(result_.faults); }

bool CZusammRecycDBKGDlg::OnInitDialog() {
  CEntryDialog::OnInitDialog();
  setWindowTitle(QString::fromStdString(TranslateString(61306, "RC-Zusammensetzung   Prüf-Nr.: ") + m_TestNumber));
  SetDefaultNames();
  ComputeZusammensetzung();
  for (int row = 0; row < kMixtureRows; ++row) SetFixedFont(NameId(row));
  return true;
}

void CZusammRecycDBKGDlg::SetDefaultNames() {
  const MixtureInput stored = MixtureInputFromField(m_Result, m_Preset);
  for (int row = 0; row < kMixtureRows; ++row) {
    SetItemText(NameId(row), stored.names[static_cast<size_t>(row)]);
    SetItemText(MassId(row), stored.masses[static_cast<size_t>(row)]);
  }
}

void CZusammRecycDBKGDlg::ComputeZusammensetzung() {
  MixtureInput in;
  for (int row = 0; row < kMixtureRows; ++row) {
    in.names[static_cast<size_t>(row)] = GetItemText(NameId(row));
    in.masses[static_cast<size_t>(row)] = GetItemText(MassId(row));
  }
  result_ = ComputeMixture(in);
  for (int row = 0; row < kMixtureRows; ++row) {
    SetTextIfChanged(MassId(row), result_.inputs.masses[static_cast<size_t>(row)]);
    SetTextIfChanged(ShareId(row), result_.shares[static_cast<size_t>(row)]);
  }
  SetTextIfChanged(kMassSum, result_.massSum);
  SetTextIfChanged(kShareSum, result_.shareSum);
}

// ------------------------------------------------------------ openers

std::optional<TestEntryResult> EditRecycledCompositionMixture(CVersuch& record, QWidget* parent) {
  CZusammRecycDBKGDlg dialog(parent);
  dialog.m_TestNumber = record.GetValue(1, 0);
  dialog.m_Result = record.GetField(15);
  dialog.m_Preset = true;
  if (dialog.DoModal() != platform::IDOK) return std::nullopt;
  TestEntryResult out;
  out.status = dialog.Result().status;
  out.resultText = dialog.Result().ResultText();
  return out;
}

std::optional<TestEntryResult> EditRecycledComposition(CVersuch& record, QWidget* parent) {
  CZusammRecycDlg dialog(parent);
  dialog.m_TestNumber = record.GetValue(1, 0);
  dialog.m_Result = record.GetField(15);
  dialog.m_SideTestEntry = record.GetSideTestEntry("VA_RCZUS");
  if (dialog.DoModal() != platform::IDOK) return std::nullopt;
  return RecycEntryResult(dialog.Result());
}
