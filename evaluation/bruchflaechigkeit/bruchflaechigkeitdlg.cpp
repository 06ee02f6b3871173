#include "evaluation/bruchflaechigkeit/bruchflaechigkeitdlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "controls/label.h"
#include "controls/restokenlist.h"
#include "evaluation/frame/entryform.h"
#include "i18n/translation.h"
#include "platform/messagebox.h"
#include "records/requirement.h"
#include "records/strutil.h"
#include "services/pravikapp.h"

namespace {

// Template texts and the columns they stand over.
enum : int {
  kModeLabel = 1801,
  kNameHeading = 1802,
  kM1Headings = 1803,        // three lines
  kEinwaageHeadings = 1806,  // three lines
  kAbweichHeadings = 1809,   // two lines
  kClassHeadings = 1811,     // per class two lines, and its units
  kSumLabel = 1830,
  kRequirementLabel = 1831,
  kFulfilledLabel = 1832,
  kUnitHeadings = 1833,
};

// Grid columns of the table.
enum : int { kColName = 0, kColM1 = 1, kColMass = 2, kCol10to100 = 10, kColGt50 = 11, kColSumme = 12,
             kColEinwaage = 13, kColAbweich = 14 };
constexpr int kFirstRowLine = 3;

constexpr platform::ColorRef kRed = platform::RGB(255, 0, 0);

const char* const kClassNames[kBruchClasses][2] = {
    {"vollst. gebr.", "> 90%"}, {"tw. gebr.", "50% - 90%"}, {"sonstige", "10% - 50%"}, {"vollst. gerundet", "< 10%"}};

std::string ModeCaption(int mode) {
  switch (mode) {
    case kOneClass: return TranslateString(61003, "Berechnen der Bruchflächigkeit für eine Kornklasse");
    case kSeveralClasses: return TranslateString(61004, "Berechnen der Bruchflächigkeit mit mehreren Kornklassen");
    default: return TranslateString(61002, "Alte Berechnungsmethode der Bruchflächigkeit");
  }
}

// The check of each result column (the shares of a class, then the two combined).
constexpr int kCheckOfClass[kBruchClasses] = {kCheckMtc, kCheckMpc, kCheckMop, kCheckMtr};

int ShareColumn(int surfaceClass) { return kColMass + 2 * surfaceClass + 1; }

}  // namespace

CGeo_b_BruchflaechigkeitDlg::CGeo_b_BruchflaechigkeitDlg(CVersuch* record, QWidget* parent)
    : CEntryDialog(kTemplateId, parent), record_(record) {
  setWindowTitle(QString::fromUtf8("Bruchflächigkeit"));
  auto* layout = new QVBoxLayout(this);

  auto* top = new QHBoxLayout;
  top->addWidget(EntryLabel(this, kModeLabel, "Berechnung:"));
  auto* modes = new QComboBox(this);
  platform::SetControlId(modes, kModeCombo);
  connect(modes, &QComboBox::activated, this, [this](int index) { OnSelchangeBerechnungModus(index); });
  top->addWidget(modes);
  top->addStretch(1);
  auto* oldDialog = new QPushButton(QString::fromUtf8("Alter Dialog"), this);
  platform::SetControlId(oldDialog, kOldDialog);
  oldDialog->setAutoDefault(false);
  top->addWidget(oldDialog);
  layout->addLayout(top);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(3);
  auto heading = [this, grid](int id, const char* text, int row, int column, int span = 1) {
    grid->addWidget(EntryLabel(this, id, text, Qt::AlignHCenter), row, column, 1, span);
  };
  heading(kNameHeading, "Kornklasse", 0, kColName);
  heading(kM1Headings, "Menge aus", 0, kColM1);
  heading(kM1Headings + 1, "der Sieblinie", 1, kColM1);
  heading(kM1Headings + 2, "[g]", 2, kColM1);
  for (int k = 0; k < kBruchClasses; ++k) {
    heading(kClassHeadings + 4 * k, kClassNames[k][0], 0, kColMass + 2 * k, 2);
    heading(kClassHeadings + 4 * k + 1, kClassNames[k][1], 1, kColMass + 2 * k, 2);
    heading(kClassHeadings + 4 * k + 2, "[g]", 2, kColMass + 2 * k);
    heading(kClassHeadings + 4 * k + 3, "[M.-%]", 2, kColMass + 2 * k + 1);
  }
  heading(kUnitHeadings, "10% - 100%", 1, kCol10to100);
  heading(kUnitHeadings + 1, "[M.-%]", 2, kCol10to100);
  heading(kUnitHeadings + 2, "> 50 %", 1, kColGt50);
  heading(kUnitHeadings + 3, "[M.-%]", 2, kColGt50);
  heading(kUnitHeadings + 4, "Summe", 0, kColSumme);
  heading(kUnitHeadings + 5, "MXX", 1, kColSumme);
  heading(kUnitHeadings + 6, "[g]", 2, kColSumme);
  heading(kEinwaageHeadings, "Eingeengte Masse", 0, kColEinwaage);
  heading(kEinwaageHeadings + 1, "Einwaage", 1, kColEinwaage);
  heading(kEinwaageHeadings + 2, "[g]", 2, kColEinwaage);
  heading(kAbweichHeadings, "Abweich.", 1, kColAbweich);
  heading(kAbweichHeadings + 1, "[%]", 2, kColAbweich);

  std::vector<int> inputs;
  for (int row = 0; row < kBruchRows; ++row) {
    const int r = kFirstRowLine + row;
    auto* name = MakeRowField(this, kFirstName + row, row != 0, 90);
    name->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(name, r, kColName);
    grid->addWidget(MakeRowField(this, kFirstM1 + row, false, 70), r, kColM1);
    for (int k = 0; k < kBruchClasses; ++k) {
      grid->addWidget(MakeRowField(this, MassId(row, k), false, 60), r, kColMass + 2 * k);
      grid->addWidget(MakeRowField(this, ShareId(row, k), true, 50), r, ShareColumn(k));
      inputs.push_back(MassId(row, k));
    }
    grid->addWidget(MakeRowField(this, kFirst10to100 + row, true, 50), r, kCol10to100);
    grid->addWidget(MakeRowField(this, kFirstGt50 + row, true, 50), r, kColGt50);
    grid->addWidget(MakeRowField(this, kFirstSumme + row, true, 60), r, kColSumme);
    grid->addWidget(MakeRowField(this, kFirstEinwaage + row, false, 60), r, kColEinwaage);
    grid->addWidget(MakeRowField(this, kFirstAbweich + row, true, 50), r, kColAbweich);
    inputs.push_back(kFirstM1 + row);
    inputs.push_back(kFirstEinwaage + row);
    NamedNumberField(kFirstM1 + row, [this, row] { return CellName({kM1Headings, kM1Headings + 1, kM1Headings + 2}, row); });
    NamedNumberField(kFirstEinwaage + row, [this, row] { return CellName({kEinwaageHeadings + 1, kEinwaageHeadings + 2}, row); });
    for (int k = 0; k < kBruchClasses; ++k)
      NamedNumberField(MassId(row, k), [this, row, k] {
        return CellName({kClassHeadings + 4 * k, kClassHeadings + 4 * k + 1, kClassHeadings + 4 * k + 2}, row);
      });
  }
  // The size classes of one size class stand over the name of the first row.
  auto* classes = new QComboBox(this);
  platform::SetControlId(classes, kClassCombo);
  grid->addWidget(classes, kFirstRowLine, kColName);

  const int sums = kFirstRowLine + kBruchRows;
  grid->addWidget(EntryLabel(this, kSumLabel, "Summe:"), sums, kColName);
  grid->addWidget(MakeRowField(this, kSumM1, true, 70), sums, kColM1);
  for (int k = 0; k < kBruchClasses; ++k) grid->addWidget(MakeRowField(this, kSumMass + k, true, 60), sums, kColMass + 2 * k);
  grid->addWidget(MakeRowField(this, kSumSumme, true, 60), sums, kColSumme);
  grid->addWidget(MakeRowField(this, kSumEinwaage, true, 60), sums, kColEinwaage);

  // Wraps rather than widen the name column when the M1 column under it is hidden; its row
  // keeps room for two lines, as the mode can change after the dialog has its size.
  auto* result = EntryLabel(this, kResultLabel, "", Qt::AlignLeft | Qt::AlignVCenter);
  result->setWordWrap(true);
  result->setMinimumHeight(2 * result->fontMetrics().lineSpacing());
  grid->addWidget(result, sums + 1, kColName, 1, 3);
  for (int k = 0; k < kBruchClasses; ++k) grid->addWidget(MakeRowField(this, kResult + k, true, 50), sums + 1, ShareColumn(k));
  grid->addWidget(MakeRowField(this, kResult10to100, true, 50), sums + 1, kCol10to100);
  grid->addWidget(MakeRowField(this, kResultGt50, true, 50), sums + 1, kColGt50);

  grid->addWidget(EntryLabel(this, kRequirementLabel, "Sollwert:"), sums + 2, kColName);
  grid->addWidget(EntryLabel(this, kFulfilledLabel, "Erfüllt:"), sums + 3, kColName);
  for (int check = 0; check < kBruchChecks; ++check) {
    const int column = check == kCheckGt50 ? kColGt50 : ShareColumn(check - 1);
    grid->addWidget(MakeRowField(this, kRequirement + check, true, 50), sums + 2, column);
    auto* lamp = new CLabel(this);
    platform::SetControlId(lamp, kLamp + check);
    lamp->setFixedSize(kLampSize, kLampSize);
    grid->addWidget(lamp, sums + 3, column, Qt::AlignCenter);
  }
  grid->addWidget(MakeRowField(this, kRequirement10to100, true, 50), sums + 2, kCol10to100);
  layout->addLayout(grid);

  auto* warning = EntryLabel(this, kWarning, "Überschreitung des Sollwertes >= 1 % Prüfung muss wiederholt werden");
  warning->setStyleSheet("color: red");
  // Its line stays when it is hidden, so that the table does not move.
  QSizePolicy keepsItsLine = warning->sizePolicy();
  keepsItsLine.setRetainSizeWhenHidden(true);
  warning->setSizePolicy(keepsItsLine);
  layout->addWidget(warning);
  AddOkCancelRow(this, layout);
  RecomputeOnKillFocus(inputs);
}

CGeo_b_BruchflaechigkeitDlg::~CGeo_b_BruchflaechigkeitDlg() = default;

bool CGeo_b_BruchflaechigkeitDlg::OnInitDialog() {
  CEntryDialog::OnInitDialog();
  CPravikWinApp* app = GetApp();
  const int setting = app ? app->GetProfileInt("Bruchflaechigkeit", "BrechnungModus", 1) : 1;
  mode_ = record_ ? StoredBruchMode(*record_, setting) : kSeveralClasses;
  ShowItem(kOldDialog, platform::SW_HIDE);
  CResTokenList(2002, '\t').FillComboBox(*this, kModeCombo, true);
  SelectModeEntry(mode_);

  if (record_) requirement_ = BruchRequirementOf(*record_);
  ApplyBruchMode(-1);

  BruchTable table = ReadTable();
  if (record_) LoadBruchRows(table, *record_);
  ShowTable(table);

  // The size classes, sorted; the stored one chosen.
  if (auto* classes = Item<QComboBox>(kClassCombo)) {
    std::vector<std::string> names;
    for (const std::string& name : requirement_.classNames) {
      if (name.empty()) break;
      names.push_back(name);
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return StrCompareNoCase(a, b) < 0; });
    for (const std::string& name : names) classes->addItem(QString::fromStdString(name));
    const std::string stored = record_ ? StrGetFieldS(record_->GetValue(20, 18), "@", 0) : "";
    const int index = classes->findText(QString::fromStdString(stored));
    classes->setCurrentIndex(index >= 0 ? index : 0);
  }

  for (int check = 0; check < kBruchChecks; ++check)
    SetItemText(kRequirement + check, FormatRequirement(TrimWhite(requirement_.codes[static_cast<size_t>(check)]), 0));
  ComputeBruchMultiClass();
  return true;
}

void CGeo_b_BruchflaechigkeitDlg::SelectModeEntry(int mode) {
  SelectComboItemByData(Item<QComboBox>(kModeCombo), mode);
}

void CGeo_b_BruchflaechigkeitDlg::OnSelchangeBerechnungModus(int index) {
  auto* modes = Item<QComboBox>(kModeCombo);
  if (!modes || index < 0) return;
  const int previous = mode_;
  mode_ = NormalizedBruchMode(modes->itemData(index).toInt());
  if (!ApplyBruchMode(previous)) return;
  ComputeBruchMultiClass();
  MarkFaults();
}

std::string CGeo_b_BruchflaechigkeitDlg::CellName(std::vector<int> headings, int row) const {
  std::string name;
  for (int id : headings) name += (name.empty() ? "" : " ") + GetItemText(id);
  // One size class names its class in the list above the first row.
  const std::string rowName = mode_ == kOneClass && row == 0 ? GetItemText(kClassCombo) : GetItemText(kFirstName + row);
  return TrimWhite(rowName).empty() ? name : name + ", " + rowName;
}

std::vector<FieldFault> CGeo_b_BruchflaechigkeitDlg::FieldFaults() const {
  return FieldFaultsOf(computation_.faults, [](int input) {
    const InputPlace place = InputPlaceOf(input);
    if (place.column == kBruchM1Input) return kFirstM1 + place.row;
    if (place.column == kBruchEinwaageInput) return kFirstEinwaage + place.row;
    return MassId(place.row, place.column - kBruchMassInput);
  });
}

bool CGeo_b_BruchflaechigkeitDlg::ApplyBruchMode(int previousMode) {
  mode_ = NormalizedBruchMode(mode_);
  BruchTable table = ReadTable();
  if (mode_ == kOneClass && previousMode >= 0 && previousMode != kOneClass) {
    if (SingleClassClearsInputs(table) &&
        platform::ShowMessageBox(TranslateString(61000, "Alte Eingabefelder löschen ?\n"),
                                 platform::MB_YESNO | platform::MB_ICONQUESTION) != platform::IDYES) {
      mode_ = previousMode;
      SelectModeEntry(mode_);
      return false;
    }
    ClearForSingleClass(table);
  }
  ApplyBruchModeToTable(table, mode_, requirement_.classNames);
  setWindowTitle(QString::fromStdString(ModeCaption(mode_)));

  BruchEnabling enabling;
  enabling.mode = mode_;
  enabling.rowCount = table.rowCount;
  for (int row = 0; row < kBruchRows; ++row) {
    EnableItem(kFirstM1 + row, enabling.m1(row));
    EnableItem(kFirstEinwaage + row, enabling.einwaage(row));
    for (int k = 0; k < kBruchClasses; ++k) EnableItem(MassId(row, k), enabling.mass(row));
  }
  EnableItem(kFirstName, enabling.firstName());
  EnableItem(kClassCombo, enabling.classCombo());

  const int showEinwaage = mode_ == kSeveralClasses ? platform::SW_SHOW : platform::SW_HIDE;
  const int showM1 = mode_ != kOldMethod ? platform::SW_SHOW : platform::SW_HIDE;
  for (int row = 0; row < kBruchRows; ++row) {
    ShowItem(kFirstEinwaage + row, showEinwaage);
    ShowItem(kFirstM1 + row, showM1);
    ShowItem(kFirstAbweich + row, showM1);
  }
  for (int id : std::initializer_list<int>{kSumEinwaage, kEinwaageHeadings, kEinwaageHeadings + 1, kEinwaageHeadings + 2}) ShowItem(id, showEinwaage);
  for (int id : std::initializer_list<int>{kSumM1, kM1Headings, kM1Headings + 1, kM1Headings + 2, kAbweichHeadings, kAbweichHeadings + 1})
    ShowItem(id, showM1);
  ShowItem(kFirstName, table.rowCount != 1 ? platform::SW_SHOW : platform::SW_HIDE);
  ShowItem(kClassCombo, table.rowCount == 1 ? platform::SW_SHOW : platform::SW_HIDE);

  ShowTable(table);
  SetItemText(kResultLabel, table.rowCount > 1 ? TranslateString(61005, "Gemittelte, gewichtete Werte:")
                                               : TranslateString(61006, "Ergebnis ganzzahlig gerundet:"));
  return true;
}

BruchTable CGeo_b_BruchflaechigkeitDlg::ReadTable() const {
  BruchTable t = computation_.table;
  t.mode = mode_;
  for (int row = 0; row < kBruchRows; ++row) {
    BruchRow& r = t.rows[static_cast<size_t>(row)];
    r.name = GetItemText(kFirstName + row);
    r.m1 = GetItemText(kFirstM1 + row);
    r.einwaage = GetItemText(kFirstEinwaage + row);
    for (int k = 0; k < kBruchClasses; ++k) {
      r.mass[static_cast<size_t>(k)] = GetItemText(MassId(row, k));
      r.share[static_cast<size_t>(k)] = GetItemText(ShareId(row, k));
    }
    r.share10to100 = GetItemText(kFirst10to100 + row);
    r.shareGt50 = GetItemText(kFirstGt50 + row);
    r.summe = GetItemText(kFirstSumme + row);
    r.abweich = GetItemText(kFirstAbweich + row);
  }
  return t;
}

void CGeo_b_BruchflaechigkeitDlg::ShowTable(const BruchTable& t) {
  computation_.table = t;
  for (int row = 0; row < kBruchRows; ++row) {
    const BruchRow& r = t.rows[static_cast<size_t>(row)];
    SetTextIfChanged(kFirstName + row, r.name);
    SetTextIfChanged(kFirstM1 + row, r.m1);
    SetTextIfChanged(kFirstEinwaage + row, r.einwaage);
    for (int k = 0; k < kBruchClasses; ++k) {
      SetTextIfChanged(MassId(row, k), r.mass[static_cast<size_t>(k)]);
      SetTextIfChanged(ShareId(row, k), r.share[static_cast<size_t>(k)]);
    }
    SetTextIfChanged(kFirst10to100 + row, r.share10to100);
    SetTextIfChanged(kFirstGt50 + row, r.shareGt50);
    SetTextIfChanged(kFirstSumme + row, r.summe);
    SetTextIfChanged(kFirstAbweich + row, r.abweich);
    SetItemColorIf(kFirstAbweich + row, kRed, r.red);
  }
  SetTextIfChanged(kSumM1, t.sumM1);
  for (int k = 0; k < kBruchClasses; ++k) {
    SetTextIfChanged(kSumMass + k, t.sumMass[static_cast<size_t>(k)]);
    SetTextIfChanged(kResult + k, t.result[static_cast<size_t>(k)]);
  }
  SetTextIfChanged(kSumSumme, t.sumSumme);
  SetTextIfChanged(kSumEinwaage, t.sumEinwaage);
  SetTextIfChanged(kResult10to100, t.result10to100);
  SetTextIfChanged(kResultGt50, t.resultGt50);
}

void CGeo_b_BruchflaechigkeitDlg::ComputeBruchMultiClass() {
  BruchTable table = ReadTable();
  table.rowCount = computation_.table.rowCount;
  computation_ = ::ComputeBruchMultiClass(table, requirement_.codes);
  ShowTable(computation_.table);
  ShowItem(kWarning, computation_.warning ? platform::SW_SHOW : platform::SW_HIDE);
  CheckBruchRequirements();
}

void CGeo_b_BruchflaechigkeitDlg::CheckBruchRequirements() {
  for (int check = 0; check < kBruchChecks; ++check)
    if (auto* lamp = Item<CLabel>(kLamp + check)) lamp->SetStatus(computation_.results[static_cast<size_t>(check)]);
}

void CGeo_b_BruchflaechigkeitDlg::WriteBruchRecord() {
  if (!record_) return;
  const auto* classes = Item<QComboBox>(kClassCombo);
  ::WriteBruchRecord(*record_, computation_, classes ? classes->currentText().toStdString() : "");
}

bool CGeo_b_BruchflaechigkeitDlg::TakeResult() {
  WriteBruchRecord();
  m_Status = computation_.status;
  return true;
}

std::optional<TestEntryResult> EditCrushedSurfaces(CVersuch& record, QWidget* parent) {
  CGeo_b_BruchflaechigkeitDlg dialog(&record, parent);
  if (dialog.DoModal() != platform::IDOK) return std::nullopt;
  TestEntryResult result;
  result.status = dialog.m_Status;
  return result;
}
