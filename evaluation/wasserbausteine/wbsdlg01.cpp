#include "evaluation/wasserbausteine/wbsdlg01.h"

#include <algorithm>

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "controls/grid/pvgridctrl.h"
#include "evaluation/frame/entrydialog.h"
#include "evaluation/wasserbausteine/wbskatlistctrl.h"
#include "evaluation/wasserbausteine/wbsklassen.h"
#include "i18n/translation.h"
#include "records/strutil.h"

namespace {

constexpr std::array<const char*, 6> kHeadings = {"Siebgröße\n[mm]",       "Rückstand\nM [kg]",
                                                  "Rückstand\nri [M.-%]",  "Summe ri\nRi [M.-%]",
                                                  "Durchgang\nPi [M.-%]",  "Anforderung\n[M.-%]"};

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The background of a stone cell that holds a refused value.
constexpr platform::ColorRef kRefusedCell = platform::RGB(255, 170, 170);

// The edits of a table row, by column.
constexpr int kResidueColumn = 1, kShareColumn = 2, kSumColumn = 3, kPassingColumn = 4, kRangeColumn = 5;

// The columns of the stone grid.
constexpr int kNumberColumn = 0, kLengthColumn = 1, kThicknessColumn = 2, kRatioColumn = 3, kWordColumn = 4;

// The grid column of a stone's length or thickness.
int StoneColumn(WBSInput input) { return input.kind == WBSInputKind::kLength ? kLengthColumn : kThicknessColumn; }

}  // namespace

// ------------------------------------------------------------ the data page

CWBS1PropPage1::CWBS1PropPage1(QWidget* parent) : CWBSDataPage(kTemplateId, parent) {
  setWindowTitle("Daten");
  auto* layout = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  layout->addLayout(left);

  auto* top = new QHBoxLayout;
  top->addWidget(MakeRowLabel(this, kCategoryLabel, "Kategorie:"));
  category_ = new QComboBox(this);
  platform::SetControlId(category_, kCategory);
  for (const std::string& name : WBSSizeCategoryNames()) category_->addItem(Q(name));
  top->addWidget(category_);
  top->addStretch();
  left->addLayout(top);

  auto* table = new QGridLayout;
  left->addLayout(table);
  for (int c = 0; c < static_cast<int>(kHeadings.size()); ++c)
    table->addWidget(MakeRowLabel(this, kFirstHeading + c, QString::fromUtf8(kHeadings[static_cast<size_t>(c)]),
                                  Qt::AlignCenter),
                     0, c);
  std::vector<int> residues;
  for (int row = 0; row < kWBSSizeRows; ++row) {
    const int gridRow = row + 1;
    const bool edge = row == kWBSRowOversize || row == kWBSRowPan;
    // The labels of the oversize row and the pan change with the entries.
    const QString label = row == kWBSRowOversize ? "> 360" : row == kWBSRowPan ? "< yy.y" : WBSSieveLabel(row);
    table->addWidget(MakeRowLabel(this, edge ? kFirstRowLabel + row : 0, label, Qt::AlignRight | Qt::AlignVCenter),
                     gridRow, 0);
    table->addWidget(MakeRowField(this, kFirstResidue + row, false), gridRow, kResidueColumn);
    table->addWidget(MakeRowField(this, kFirstShare + row, true), gridRow, kShareColumn);
    table->addWidget(MakeRowField(this, kFirstSum + row, true), gridRow, kSumColumn);
    QLineEdit* passing = MakeRowField(this, kFirstPassing + row, true);
    table->addWidget(passing, gridRow, kPassingColumn);
    if (row == kWBSRowPan) passing->hide();
    table->addWidget(MakeRowField(this, kFirstRange + row, true), gridRow, kRangeColumn);
    residues.push_back(kFirstResidue + row);
    // "Rückstand M [kg], 125"
    checks_.AddNamedNumberField(kFirstResidue + row, [this, row, edge] {
      return FieldNameOfLabel(GetItemText(kFirstHeading + kResidueColumn)) + ", " +
             (edge ? GetItemText(kFirstRowLabel + row) : std::string(WBSSieveLabel(row)));
    });
    connect(Item<QLineEdit>(kFirstResidue + row), &QLineEdit::textEdited, this, [this] { SetModifiedIfEditable(true); });
  }
  table->addWidget(MakeRowLabel(this, kTotalLabel, "Summe:", Qt::AlignRight | Qt::AlignVCenter), kWBSSizeRows + 1, 0);
  table->addWidget(MakeRowField(this, kTotal, true), kWBSSizeRows + 1, kResidueColumn);
  left->addStretch();

  list_ = new CWBSKatListCtrl(this);
  platform::SetControlId(list_, kList);
  list_->setMinimumWidth(360);
  layout->addWidget(list_);

  for (int id : residues)
    OnKillFocus(id, [this, id] {
      ComputeGroessenverteilung();
      MarkFaults();
      checks_.Left(id);
    });
  connect(category_, &QComboBox::activated, this, [this] {
    ComputeGroessenverteilung();
    SetModifiedIfEditable(true);
  });
}

CWBS1PropPage1::~CWBS1PropPage1() = default;

bool CWBS1PropPage1::OnInitDialog() {
  // The font first: the widths are fitted to it.
  list_->SetFontScale(130, 130);
  list_->SetColumns({{TranslateString(61102, "Sieb [mm]"), 100},
                     {TranslateString(61103, "Ist [kg]"), 0},
                     {TranslateString(61104, "Ist [%]"), 100},
                     {TranslateString(61105, "Soll [%]"), 100},
                     {TranslateString(61106, "erfüllt"), 40}},
                    5);
  const WBSSizeData stored = ReadWBSSizeData(m_ResultText);
  for (int row = 0; row < kWBSSizeRows; ++row)
    SetItemText(kFirstResidue + row, stored.residues[static_cast<size_t>(row)]);
  // The first category that begins with the stored name; the first of all without one.
  int index = stored.category.empty() ? -1 : category_->findText(Q(stored.category), Qt::MatchStartsWith);
  category_->setCurrentIndex(index < 0 ? 0 : index);
  ComputeGroessenverteilung();
  MarkFaults();
  return true;
}

void CWBS1PropPage1::MarkFaults() {
  checks_.Mark(FieldFaultsOf(result_.faults, [](int input) { return kFirstResidue + input; }));
}

bool CWBS1PropPage1::OnKillActive() {
  ComputeGroessenverteilung();
  MarkFaults();
  if (!checks_.Confirm()) return false;
  StoreResult();
  return true;
}

SizeDistributionInput CWBS1PropPage1::ReadInputs() const {
  SizeDistributionInput in;
  for (int row = 0; row < kWBSSizeRows; ++row) in.residues[static_cast<size_t>(row)] = GetItemText(kFirstResidue + row);
  in.category = category_->currentText().toStdString();
  return in;
}

void CWBS1PropPage1::Show(const SizeDistributionResult& r) {
  const WBSSizeData& d = r.data;
  auto setIfChanged = [this](int id, const std::string& text) {
    if (GetItemText(id) != text) SetItemText(id, text);
  };
  for (int row = 0; row < kWBSSizeRows; ++row) {
    const auto i = static_cast<size_t>(row);
    setIfChanged(kFirstResidue + row, d.residues[i]);
    setIfChanged(kFirstShare + row, d.shares[i]);
    setIfChanged(kFirstSum + row, r.sums[i]);
    setIfChanged(kFirstPassing + row, d.passing[i]);
    setIfChanged(kFirstRange + row, d.ranges[i]);
    EnableItem(kFirstResidue + row, r.enabled[i]);
  }
  SetItemText(kFirstRowLabel + kWBSRowOversize, d.labels[kWBSRowOversize]);
  SetItemText(kFirstRowLabel + kWBSRowPan, d.labels[kWBSRowPan]);
  setIfChanged(kTotal, d.total);
  list_->ClearCells();
  for (size_t i = 0; i < d.requirements.size(); ++i) {
    const WBSSieveRequirement& req = d.requirements[i];
    const int row = static_cast<int>(i);
    list_->SetItemText(row, 0, req.sieve);
    list_->SetItemText(row, 2, req.passing);
    list_->SetItemText(row, 3, req.range);
    list_->SetItemText(row, 4, WBSShownWord(req.word));
  }
}

void CWBS1PropPage1::ComputeGroessenverteilung() {
  result_ = ComputeSizeDistribution(ReadInputs());
  Show(result_);
}

void CWBS1PropPage1::StoreResult() {
  result_ = StoreSizeDistribution(ReadInputs());
  Show(result_);
  // A refused residue stores nothing: the copy keeps what it held.
  if (!result_.faults.empty()) return;
  WriteWBSSizeData(m_ResultText, result_.data);
  m_Status = result_.status;
}

// ------------------------------------------------------------ the stone page

CWBS1PropPageSt::CWBS1PropPageSt(CWBS1PropPage1* dataPage, QWidget* parent)
    : CpvPropertyPage(kTemplateId, parent), dataPage_(dataPage) {
  setWindowTitle("Steinform");
  auto* layout = new QHBoxLayout(this);
  grid_ = new CPvGridCtrl(this);
  platform::SetControlId(grid_, kGrid);
  grid_->setMinimumSize(400, 360);
  grid_->SetOwner([this](const GridMessage& m) { return OnGridMessage(m); });
  layout->addWidget(grid_, 1);

  auto* right = new QGridLayout;
  layout->addLayout(right);
  right->addWidget(MakeRowLabel(this, kShapeCategoryLabel, "Kategorie Steinform:"), 0, 0);
  shape_ = new QComboBox(this);
  platform::SetControlId(shape_, kShapeCategory);
  right->addWidget(shape_, 0, 1);
  right->addWidget(MakeRowLabel(this, kLimitLabel, "Anforderung schlecht geform <= [%] "), 1, 0);
  QLineEdit* limit = MakeRowField(this, kLimit, false);
  right->addWidget(limit, 1, 1);
  static const char* const kResultLabels[] = {"Anzahl gültige Werte:", "Anzahl schlecht geformt:",
                                              "Anteil schlecht geformt [%]:", "Sollwert [%]:", "Anforderung erfüllt:"};
  for (int i = 0; i < 5; ++i) {
    right->addWidget(MakeRowLabel(this, kFirstResultLabel + i, QString::fromUtf8(kResultLabels[i])), 2 + i, 0);
    right->addWidget(MakeRowField(this, kValidCount + i, true), 2 + i, 1);
  }
  right->setRowStretch(7, 1);

  OnKillFocus(kLimit, [this] {
    ComputeSteinform();
    TellNewFault();
  });
  connect(limit, &QLineEdit::textEdited, this, [this] { SetModifiedIfEditable(true); });
  connect(shape_, &QComboBox::activated, this, [this] {
    ComputeSteinform();
    SetModifiedIfEditable(true);
  });
}

CWBS1PropPageSt::~CWBS1PropPageSt() = default;

bool CWBS1PropPageSt::OnInitDialog() {
  const WBSShapeData stored = ReadWBSShapeData(dataPage_->m_ResultText);
  grid_->InitGrid(5, kFirstStoneRow + kWBSStones, kFirstStoneRow);
  const int widths[] = {50, 70, 70, 70, 85};
  grid_->SetHeaderRows(widths, 67102, 67103);
  for (int i = 0; i < kWBSStones; ++i) {
    const int row = kFirstStoneRow + i;
    for (int col = kNumberColumn; col <= kRatioColumn; ++col) grid_->SetItemFormat(row, col, 0x8822);
    grid_->SetItemFormat(row, kWordColumn, 0x8821);
    grid_->SetCellText(row, kNumberColumn, std::to_string(i + 1));
    grid_->SetCellText(row, kLengthColumn, stored.lengths[static_cast<size_t>(i)]);
    grid_->SetCellText(row, kThicknessColumn, stored.thicknesses[static_cast<size_t>(i)]);
    grid_->SetCellEditable(row, kRatioColumn, false);
    grid_->SetCellEditable(row, kWordColumn, false);
  }
  shape_->clear();
  for (const char* name : WBSShapeCategoryNames()) shape_->addItem(QString::fromUtf8(name));
  SetItemText(kLimit, GetNormalizedNumber(stored.limit, 0));
  shape_->setCurrentIndex(stored.categoryIndex >= 0 && stored.categoryIndex < shape_->count() ? stored.categoryIndex : -1);
  ComputeSteinform();
  grid_->SetRedraw(true, true);
  grid_->SetModified(false);
  return true;
}

int CWBS1PropPageSt::OnGridMessage(const GridMessage& m) {
  if (m.message == WM_GRID_MODIFIED) SetModifiedIfEditable(true);
  else if (m.message == WM_NOTIFY && (m.code == LVN_ENDLABELEDIT || m.code == LVN_ITEMCHANGING)) {
    ComputeSteinform();
    if (m.code == LVN_ENDLABELEDIT) TellNewFault();
  }
  return 0;
}

std::string CWBS1PropPageSt::FaultMessage(const InputFault& fault, bool withPage) const {
  std::string page;
  if (withPage) {
    page = TranslateString(67100, "Seite „%s“");
    StrReplace(page, "%s", windowTitle().toStdString(), false);
    page = " (" + page + ")";
  }
  std::string name, text;
  const WBSInput input = WBSInputOf(fault.input);
  if (input.kind == WBSInputKind::kLimit) {
    name = FieldNameOfLabel(GetItemText(kLimitLabel)) + page;
    text = GetItemText(kLimit);
  } else {
    const int column = StoneColumn(input);
    name = TranslateString(62501, "Stein") + " " + std::to_string(input.index + 1) + page + ", " +
           FieldNameOfLabel(grid_->GetItemText(0, column) + " " + grid_->GetItemText(1, column));
    text = grid_->GetItemText(kFirstStoneRow + input.index, column);
  }
  if (IsRefusedNumber(text)) return NumberRefusalMessage(name, text, kMeasuredNumber);
  return name + ": " + fault.reason;
}

void CWBS1PropPageSt::TellFault(bool withPage) {
  if (result_.faults.empty()) return;
  told_.clear();
  for (const InputFault& f : result_.faults) told_.push_back(f.input);
  const InputFault& fault = result_.faults.front();
  const WBSInput input = WBSInputOf(fault.input);
  if (input.kind == WBSInputKind::kLimit) {
    ShowInputRefusal(FaultMessage(fault, withPage));
    if (QWidget* limit = GetDlgItem(kLimit)) limit->setFocus(Qt::OtherFocusReason);
    return;
  }
  const int row = kFirstStoneRow + input.index;
  grid_->EnsureVisible(row, StoneColumn(input));
  ShowInputRefusal(FaultMessage(fault, withPage));
  grid_->SetFocusCell(row, StoneColumn(input));
  grid_->setFocus(Qt::OtherFocusReason);
}

void CWBS1PropPageSt::TellNewFault() {
  std::vector<int> now;
  const InputFault* fresh = nullptr;
  for (const InputFault& f : result_.faults) {
    now.push_back(f.input);
    if (!fresh && std::find(told_.begin(), told_.end(), f.input) == told_.end()) fresh = &f;
  }
  told_ = now;
  if (fresh) ShowInputRefusal(FaultMessage(*fresh, false));
}

void CWBS1PropPageSt::ShowStone(int row, const StoneShape& stone) {
  grid_->SetCellText(row, kLengthColumn, stone.length);
  grid_->SetCellText(row, kThicknessColumn, stone.thickness);
  grid_->SetCellText(row, kRatioColumn, stone.ratio);
  grid_->SetCellText(row, kWordColumn, WBSShownWord(stone.word));
  grid_->InvalidateCellRect(row, kRatioColumn);
  grid_->InvalidateCellRect(row, kWordColumn);
}

void CWBS1PropPageSt::ComputeSteinform() {
  StoneShapeInput in;
  in.categoryIndex = shape_->currentIndex();
  in.limit = GetItemText(kLimit);
  for (int i = 0; i < kWBSStones; ++i) {
    in.lengths[static_cast<size_t>(i)] = grid_->GetItemText(kFirstStoneRow + i, kLengthColumn);
    in.thicknesses[static_cast<size_t>(i)] = grid_->GetItemText(kFirstStoneRow + i, kThicknessColumn);
  }
  result_ = ComputeStoneShape(in);
  for (int i = 0; i < kWBSStones; ++i) {
    const auto k = static_cast<size_t>(i);
    ShowStone(kFirstStoneRow + i, {result_.lengths[k], result_.thicknesses[k], result_.ratios[k], result_.words[k]});
    // A cell at fault shows red until it is corrected.
    for (int column : {kLengthColumn, kThicknessColumn}) {
      const int input = column == kLengthColumn ? WBSLengthInput(i) : WBSThicknessInput(i);
      const bool refused = HasInputFault(result_.faults, input);
      if (refused != (grid_->GetItemBkColour(kFirstStoneRow + i, column) == kRefusedCell)) {
        grid_->SetItemBkColour(kFirstStoneRow + i, column, refused ? kRefusedCell : CLR_DEFAULT);
        grid_->InvalidateCellRect(kFirstStoneRow + i, column);
      }
    }
  }
  if (GetItemText(kLimit) != result_.limit) SetItemText(kLimit, result_.limit);
  EnableItem(kLimit, result_.limitEditable);
  SetItemText(kValidCount, std::to_string(result_.valid));
  SetItemText(kBadCount, std::to_string(result_.bad));
  SetItemText(kBadShare, result_.share);
  SetItemText(kRequired, result_.required);
  SetItemText(kMet, WBSShownWord(result_.word));
}

void CWBS1PropPageSt::StoreResult() {
  ComputeSteinform();
  // A refused value stores nothing: the copy keeps what it held.
  if (!result_.faults.empty()) return;
  WriteWBSShapeData(dataPage_->m_ResultText,
                    StoneShapeData(result_, shape_->currentIndex(), shape_->currentText().toStdString()));
  grid_->SetModified(false);
}

bool CWBS1PropPageSt::OnSetActive() {
  StoreResult();
  return true;
}

bool CWBS1PropPageSt::OnKillActive() {
  // A value still in the cell editor belongs to what is stored.
  grid_->EndEditing();
  ComputeSteinform();
  if (!result_.faults.empty()) {
    TellFault(false);
    return false;
  }
  StoreResult();
  return true;
}

// ------------------------------------------------------------ the sheet

CWBSDlg01::CWBSDlg01(QWidget* parent)
    : CWBSSheet(kSheetId, parent),
      m_StonePage(&m_DataPage),
      m_GraphPage(636, CWBSGraphPage::Chart::kSize, &m_DataPage.m_ResultText) {
  AddPage(&m_DataPage);
  AddPage(&m_StonePage);
  AddPage(&m_GraphPage);
}

CWBSDlg01::~CWBSDlg01() = default;

bool CWBSDlg01::OnInitDialog() {
  setWindowTitle(Q(TranslateString(66012, "Größenverteilung von Wasserbausteinen  Prüf-Nr.: ") + m_DataPage.m_TestNumber));
  return true;
}

bool CWBSDlg01::ShowFaultElsewhere() {
  if (GetActiveIndex() == kStonePage || m_StonePage.Result().faults.empty()) return false;
  // A fault of the data page is told when the page is left: it stays in front.
  m_DataPage.ComputeGroessenverteilung();
  if (!m_DataPage.Result().faults.empty()) return false;
  SetActivePage(kStonePage);
  return GetActiveIndex() == kStonePage;
}

void CWBSDlg01::TellFault() { m_StonePage.TellFault(true); }
