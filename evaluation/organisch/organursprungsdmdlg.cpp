#include "evaluation/organisch/organursprungsdmdlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QRadioButton>

#include "evaluation/frame/entryform.h"
#include "i18n/translation.h"
#include "ui_organursprungsdmdlg.h"

COrganUrsprungSDMDlg::COrganUrsprungSDMDlg(QWidget* parent) : CEntryDialog(kTemplateId, parent) {
  Ui::OrganUrsprungSDMDlg ui;
  ui.setupUi(this);
  QGridLayout* grid = ui.rowsGrid;
  grid->addWidget(EntryLabel(this, kGroupLabel, "Färbung der überstehenden Flüssigkeit:"), 0, 0, 1, 3);
  grid->addWidget(EntryLabel(this, kColourLabel, "Farbe:"), 1, 0);
  auto* colour = new QComboBox(this);
  colour->setEditable(true);
  colour->setMinimumWidth(220);
  platform::SetControlId(colour, kColour);
  grid->addWidget(colour, 1, 1, 1, 2);
  for (int id : {kLighter, kDarker}) {
    auto* radio = new QRadioButton(this);
    platform::SetControlId(radio, id);
    grid->addWidget(radio, id == kLighter ? 2 : 3, 1, 1, 2);
    connect(radio, &QRadioButton::clicked, this, [this] { ShowOrganicVerdict(); });
  }
  grid->addWidget(EntryLabel(this, kSoLabel, "also:"), 4, 0);
  auto* verdict = MakeRowField(this, kVerdict, true, 360);
  verdict->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  grid->addWidget(verdict, 4, 1, 1, 2);
}

COrganUrsprungSDMDlg::~COrganUrsprungSDMDlg() = default;

bool COrganUrsprungSDMDlg::OnInitDialog() {
  CEntryDialog::OnInitDialog();
  // Program texts of their own, put in after the dialog's texts were translated.
  SetItemText(kLighter, OrganicComparisonText(kComparisonLighter));
  SetItemText(kDarker, OrganicComparisonText(kComparisonDarker));
  if (auto* colour = Item<QComboBox>(kColour)) {
    colour->addItem(QString::fromStdString(TranslateString(5420, "farblos bis gelb")));
    colour->addItem(QString::fromStdString(TranslateString(5421, "rötlich bis schwarz")));
  }
  m_Input = OrganicInputFromField(m_Result);
  SetItemText(kColour, m_Input.colour);
  CheckItem(kLighter, m_Input.comparison == kComparisonLighter);
  CheckItem(kDarker, m_Input.comparison == kComparisonDarker);
  ShowOrganicVerdict();
  return true;
}

OrganicInput COrganUrsprungSDMDlg::ReadInput() const {
  OrganicInput in;
  in.colour = GetItemText(kColour);
  if (IsItemChecked(kLighter)) in.comparison = kComparisonLighter;
  else if (IsItemChecked(kDarker)) in.comparison = kComparisonDarker;
  return in;
}

void COrganUrsprungSDMDlg::ShowOrganicVerdict() { SetTextIfChanged(kVerdict, OrganicVerdict(ReadInput().comparison)); }

bool COrganUrsprungSDMDlg::TakeResult() {
  m_Input = ReadInput();
  m_Result = OrganicResultText(m_Input);
  return true;
}

std::optional<TestEntryResult> EditOrganicMatter(CVersuch& record, QWidget* parent) {
  COrganUrsprungSDMDlg dialog(parent);
  dialog.m_TestNumber = record.GetValue(1, 0);
  dialog.m_Result = record.GetField(19);
  if (dialog.DoModal() != platform::IDOK) return std::nullopt;
  return OrganicEntryResult(dialog.m_Input);
}
