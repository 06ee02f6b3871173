#include "evaluation/wasserbausteine/wbsdlg02.h"

#include <algorithm>

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "evaluation/frame/entrydialog.h"
#include "evaluation/wasserbausteine/groessenverteilung.h"
#include "evaluation/wasserbausteine/wbskatlistctrl.h"
#include "evaluation/wasserbausteine/wbsklassen.h"
#include "i18n/translation.h"
#include "records/strutil.h"

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// A typed number normalised to the decimals; a refused one stays as typed.
std::string Normalized(const std::string& text, int decimals) {
  std::string copy = text;
  NormalizeNumber(copy, decimals);
  return copy;
}

}  // namespace

CWBS2PropPage1::CWBS2PropPage1(QWidget* parent) : CWBSDataPage(kTemplateId, parent) {
  setWindowTitle("Daten");
  auto* layout = new QHBoxLayout(this);

  // The twenty visible stones with "rauf" and "runter".
  auto* stones = new QGridLayout;
  // Close rows: the page with its sheet fits the height of a notebook's screen.
  stones->setVerticalSpacing(2);
  layout->addLayout(stones);
  stones->addWidget(MakeRowLabel(this, kMassHeading, "Masse\n[kg]", Qt::AlignCenter), 1, 1);
  stones->addWidget(MakeRowLabel(this, kShapeHeading, "Steinform", Qt::AlignCenter), 0, 2, 1, 2);
  stones->addWidget(MakeRowLabel(this, kLengthHeading, "Länge\n[cm]", Qt::AlignCenter), 1, 2);
  stones->addWidget(MakeRowLabel(this, kThicknessHeading, "Dicke\n[cm]", Qt::AlignCenter), 1, 3);
  std::vector<int> inputs;
  for (int i = 0; i < kVisibleStones; ++i) {
    const int row = 2 + i;
    stones->addWidget(MakeRowLabel(this, kFirstStoneLabel + i, QString::number(i + 1), Qt::AlignRight | Qt::AlignVCenter),
                      row, 0);
    for (int id : {kFirstMass + i, kFirstLength + i, kFirstThickness + i}) {
      QLineEdit* edit = MakeRowField(this, id, false, 70);
      stones->addWidget(edit, row, id == kFirstMass + i ? 1 : id == kFirstLength + i ? 2 : 3);
      connect(edit, &QLineEdit::textEdited, this, [this] { SetModifiedIfEditable(true); });
      inputs.push_back(id);
      // "Stein 7, Masse [kg]": the stone numbered beside its row.
      const int heading = id == kFirstMass + i ? kMassHeading : id == kFirstLength + i ? kLengthHeading : kThicknessHeading;
      checks_.AddNamedNumberField(id, [this, i, heading] {
        return StoneName(m_Offset + i) + ", " + FieldNameOfLabel(GetItemText(heading));
      });
    }
  }
  auto* paging = new QHBoxLayout;
  for (auto [id, text] : {std::pair{kRauf, "rauf"}, std::pair{kRunter, "runter"}}) {
    auto* button = new QPushButton(text, this);
    platform::SetControlId(button, id);
    button->setAutoDefault(false);
    paging->addWidget(button);
  }
  stones->addLayout(paging, 2 + kVisibleStones, 0, 1, 4);
  connect(Item<QPushButton>(kRauf), &QPushButton::clicked, this, &CWBS2PropPage1::OnRauf);
  connect(Item<QPushButton>(kRunter), &QPushButton::clicked, this, &CWBS2PropPage1::OnRunter);

  // Category, class, dust, the table and the requirement list.
  auto* right = new QVBoxLayout;
  layout->addLayout(right, 1);
  auto* choices = new QGridLayout;
  right->addLayout(choices);
  choices->addWidget(MakeRowLabel(this, kCategoryLabel, "Kategorie:"), 0, 0);
  category_ = new QComboBox(this);
  platform::SetControlId(category_, kCategory);
  for (const std::string& name : WBSMassCategoryNames()) category_->addItem(Q(name));
  choices->addWidget(category_, 0, 1);
  choices->addWidget(MakeRowLabel(this, kMassClassLabel, "Gewichtsklasse:"), 0, 2);
  massClass_ = new QComboBox(this);
  platform::SetControlId(massClass_, kMassClass);
  choices->addWidget(massClass_, 0, 3);
  choices->addWidget(MakeRowLabel(this, kDustLabel, "Staub [kg]:"), 0, 4);
  QLineEdit* dust = MakeRowField(this, kDust, false, 70);
  choices->addWidget(dust, 0, 5);
  choices->setColumnStretch(6, 1);

  auto* table = new QPlainTextEdit(this);
  platform::SetControlId(table, kTable);
  table->setReadOnly(true);
  table->setLineWrapMode(QPlainTextEdit::NoWrap);
  table->setMinimumSize(560, 300);
  right->addWidget(table, 1);
  list_ = new CWBSKatListCtrl(this);
  platform::SetControlId(list_, kList);
  list_->setMinimumHeight(170);
  right->addWidget(list_);

  checks_.AddNumberField(kDust, {kDustLabel});
  for (int id : inputs)
    OnKillFocus(id, [this, id] {
      TakeVisibleRows();
      MarkFaults();
      checks_.Left(id);
    });
  OnKillFocus(kDust, [this] {
    OnKillFocusStaub();
    MarkFaults();
    checks_.Left(kDust);
  });
  connect(dust, &QLineEdit::textEdited, this, [this] { SetModifiedIfEditable(true); });
  for (QComboBox* combo : {category_, massClass_})
    connect(combo, &QComboBox::activated, this, [this] {
      ComputeMassenverteilung();
      SetModifiedIfEditable(true);
    });
}

CWBS2PropPage1::~CWBS2PropPage1() = default;

bool CWBS2PropPage1::OnInitDialog() {
  initialised_ = false;
  massClass_->clear();
  massClass_->addItem(Q(TranslateString(7440, "keine")));
  massClass_->addItem(Q(TranslateString(7441, "Leicht")));
  massClass_->addItem(Q(TranslateString(7442, "Schwer")));
  // The font first: the widths are fitted to it.
  list_->SetFontScale(130, 130);
  list_->SetColumns({{TranslateString(7443, "Bereich") + " [kg]", 200},
                     {TranslateString(7444, "Ist"), 100},
                     {TranslateString(7444, "Ist") + " [%]", 100},
                     {TranslateString(7445, "Soll") + " [M.-%]", 100},
                     {TranslateString(7446, "erfüllt"), 40}},
                    6);

  const WBSMassData stored = ReadWBSMassData(m_ResultText);
  const int massClass = PlainAtoi(stored.massClass);
  massClass_->setCurrentIndex(massClass >= 0 && massClass < massClass_->count() ? massClass : 0);
  SetItemText(kDust, stored.dust.empty() ? "0.0" : stored.dust);
  m_Masses = stored.masses;
  m_Lengths = stored.lengths;
  m_Thicknesses = stored.thicknesses;
  // The first category that begins with the stored name; a new test starts
  // without one, so that it is chosen.
  category_->setCurrentIndex(stored.category.empty() ? -1 : category_->findText(Q(stored.category), Qt::MatchStartsWith));
  SetFixedFont(kTable);
  m_Offset = 0;
  ShowStonePage();
  initialised_ = true;
  OnKillFocusStaub();
  MarkFaults();
  return true;
}

int CWBS2PropPage1::FieldOfInput(int id) const {
  const WBSInput input = WBSInputOf(id);
  const int row = input.index - m_Offset;
  switch (input.kind) {
    case WBSInputKind::kDust:
      return kDust;
    case WBSInputKind::kMass:
    case WBSInputKind::kLength:
    case WBSInputKind::kThickness:
      if (row < 0 || row >= kVisibleStones) return 0;
      return row + (input.kind == WBSInputKind::kMass     ? kFirstMass
                    : input.kind == WBSInputKind::kLength ? kFirstLength
                                                          : kFirstThickness);
    default:
      return 0;
  }
}

std::string CWBS2PropPage1::StoneName(int stone) const {
  std::string name = TranslateString(62501, "Stein") + " " + std::to_string(stone + 1);
  if (stone != pagedTo_) return name;
  std::string shown = TranslateString(67101, "Steine %s bis %s");
  StrReplace(shown, "%s", std::to_string(m_Offset + 1), false);
  StrReplace(shown, "%s", std::to_string(m_Offset + kVisibleStones), false);
  return name + " (" + shown + ")";
}

bool CWBS2PropPage1::ShowStonesAtFault() {
  TakeVisibleRows();
  MarkFaults();
  const InputFaults& faults = result_.faults;
  if (faults.empty() || std::any_of(faults.begin(), faults.end(), [this](const InputFault& f) {
        return FieldOfInput(f.input) != 0;
      }))
    return false;
  // Only a stone can be paged away: the dust is always shown.
  pagedTo_ = WBSInputOf(faults.front().input).index;
  m_Offset = pagedTo_ / kVisibleStones * kVisibleStones;
  ShowStonePage();
  MarkFaults();
  return true;
}

bool CWBS2PropPage1::ConfirmShown() {
  const bool confirmed = checks_.Confirm();
  pagedTo_ = -1;
  return confirmed;
}

bool CWBS2PropPage1::ConfirmInputs() {
  ShowStonesAtFault();
  return ConfirmShown();
}

bool CWBS2PropPage1::MarkFaults() {
  checks_.Mark(FieldFaultsOf(result_.faults, [this](int input) { return FieldOfInput(input); }));
  return result_.faults.empty();
}

void CWBS2PropPage1::ShowStonePage() {
  for (int i = 0; i < kVisibleStones; ++i) {
    const auto k = static_cast<size_t>(m_Offset + i);
    SetItemText(kFirstStoneLabel + i, std::to_string(m_Offset + i + 1));
    SetItemText(kFirstMass + i, m_Masses[k]);
    SetItemText(kFirstLength + i, m_Lengths[k]);
    SetItemText(kFirstThickness + i, m_Thicknesses[k]);
  }
  EnableItem(kRauf, m_Offset > 0);
  EnableItem(kRunter, m_Offset < kLastOffset);
}

void CWBS2PropPage1::ReadVisibleRows() {
  if (!initialised_) return;
  for (int i = 0; i < kVisibleStones; ++i) {
    const int stone = m_Offset + i;
    if (stone >= kWBSStones) break;
    const auto k = static_cast<size_t>(stone);
    m_Masses[k] = Normalized(GetItemText(kFirstMass + i), 2);
    m_Lengths[k] = Normalized(GetItemText(kFirstLength + i), 1);
    m_Thicknesses[k] = Normalized(GetItemText(kFirstThickness + i), 1);
  }
}

void CWBS2PropPage1::TakeVisibleRows() {
  ReadVisibleRows();
  ShowStonePage();
  ComputeMassenverteilung();
}

void CWBS2PropPage1::OnRauf() {
  // A refused value is corrected where it shows before the rows move on.
  if (!ConfirmInputs()) return;
  m_Offset = std::max(0, m_Offset - kVisibleStones);
  ShowStonePage();
  ComputeMassenverteilung();
}

void CWBS2PropPage1::OnRunter() {
  if (!ConfirmInputs()) return;
  m_Offset = std::min(kLastOffset, m_Offset + kVisibleStones);
  ShowStonePage();
  ComputeMassenverteilung();
}

void CWBS2PropPage1::OnKillFocusStaub() {
  SetItemText(kDust, Normalized(GetItemText(kDust), 2));
  ComputeMassenverteilung();
}

MassDistributionInput CWBS2PropPage1::ReadInputs() {
  // What is typed into the visible rows counts, whether or not its edit
  // has lost the focus.
  ReadVisibleRows();
  MassDistributionInput in;
  in.masses = m_Masses;
  in.lengths = m_Lengths;
  in.thicknesses = m_Thicknesses;
  in.dust = GetItemText(kDust);
  in.category = category_->currentIndex() >= 0 ? category_->currentText().toStdString() : "";
  in.massClass = std::max(0, massClass_->currentIndex());
  return in;
}

void CWBS2PropPage1::ComputeMassenverteilung() {
  result_ = ComputeMassDistribution(ReadInputs());
  QString table = Q(result_.table);
  table.replace("\r\n", "\n");
  if (auto* edit = Item<QPlainTextEdit>(kTable); edit && edit->toPlainText() != table) edit->setPlainText(table);
  for (size_t row = 0; row < result_.list.size(); ++row) {
    const MassListRow& r = result_.list[row];
    const int n = static_cast<int>(row);
    list_->SetItemText(n, 0, r.range);
    list_->SetItemText(n, 1, r.actual);
    list_->SetItemText(n, 2, r.share);
    list_->SetItemText(n, 3, r.required);
    list_->SetItemText(n, 4, WBSShownWord(r.word));
  }
}

void CWBS2PropPage1::StoreResult() {
  ComputeMassenverteilung();
  // A refused mass or dust stores nothing: the copy keeps what it held. A
  // shape fault holds back the shape results alone.
  if (HasGradingFault(result_.faults)) return;
  WriteWBSMassData(m_ResultText, result_.data);
  m_Status = result_.status;
}

bool CWBS2PropPage1::OnKillActive() {
  if (!ConfirmInputs()) return false;
  StoreResult();
  return true;
}

// ------------------------------------------------------------ the sheet

CWBSDlg02::CWBSDlg02(QWidget* parent)
    : CWBSSheet(kSheetId, parent), m_GraphPage(638, CWBSGraphPage::Chart::kMass, &m_DataPage.m_ResultText) {
  AddPage(&m_DataPage);
  AddPage(&m_GraphPage);
}

CWBSDlg02::~CWBSDlg02() = default;

bool CWBSDlg02::OnInitDialog() {
  setWindowTitle(Q(TranslateString(66013, "Massenverteilung von Wasserbausteinen       Prüf-Nr.: ") + m_DataPage.m_TestNumber));
  return true;
}

bool CWBSDlg02::ShowFaultElsewhere() { return GetActiveIndex() == 0 && m_DataPage.ShowStonesAtFault(); }

void CWBSDlg02::TellFault() { m_DataPage.ConfirmShown(); }
