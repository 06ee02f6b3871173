#include "evaluation/alkali/alkalidlg.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "evaluation/frame/statusmarks.h"
#include "i18n/translation.h"
#include "platform/screenfit.h"
#include "records/strutil.h"
#include "ui_alkalidlg.h"

namespace {

// One row of a size class as the dialog labels it.
struct RowLabel {
  const char* label;
  const char* symbol;  // rich text
  const char* unit;
};
QString NaohSampleSymbol() {
  return QString::fromStdString(TranslateString(67423, "G<sub>NE</sub> oder G<sub>PO</sub>"));
}
constexpr std::array<RowLabel, kAlkaliRows> kRowLabels = {{
    {"Einwaage", "G<sub>PE</sub>", "g"},
    {"alkaliunempf. Bestandteile", "W<sub>PU</sub>", "g"},
    {"alkaliunempf. Bestandteile", "W<sub>PU</sub>", "M.-%"},
    {"Flint", "W<sub>PF</sub>", "g"},
    {"Flint", "W<sub>PF</sub>", "M.-%"},
    {"Opalsandstein und fragl. Bestandt.", "W<sub>PO</sub>", "g"},
    {"Opalsandstein und fragl. Bestandt.", "W<sub>PO</sub>", "M.-%"},
    {"Flint trocken", "G<sub>FE</sub>", "g"},
    {"Flint nass an Luft", "G<sub>FL</sub>", "g"},
    {"Flint unter Wasser", "G<sub>FW</sub>", "g"},
    {"Flintvolumen", "", "cm³"},
    {"Flintrohdichte", "P<sub>m</sub>", "kg/m³"},
    {"Reaktionsfähiger Flint", "W<sub>rF</sub>", "M.-%"},
    {"Einwaage", nullptr, "g"},  // NaohSampleSymbol(): it holds a word
    {"Masse nach NaOH-Test", "G<sub>NV</sub>", "g"},
    {"Opalsandstein", "W<sub>O&gt;4</sub>", "g"},
    {"Opalsandstein", "W<sub>O&gt;4</sub>", "M.-%"},
    {"Erweichte Körner", "G<sub>NW</sub>", "g"},
    {"Erweichte Körner", "W<sub>NW</sub>", "M.-%"},
    {"Reaktionsfähiger Flint", "W<sub>rF</sub>", "M.-%"},
    {"5 x Opalsandstein + reakt. Flint", "W<sub>5O+F</sub>", "M.-%"},
}};
constexpr std::array<const char*, 3> kClassJudgements = {"unbedenklich", "bedingt brauchbar", "bedenklich"};
constexpr std::array<const char*, kClassRows> kClassNames = {"E I-O", "E II-O", "E III-O", "E I-OF", "E II-OF", "E III-OF"};

// Ids of the labels (for the translation of the template).
enum : int {
  kFractionHead = 1100,
  kMassLabel = 1101,
  kShareLabel = 1102,
  kSizeClassHead = 1103,
  kClassHead = 1104,
  kOpalineGroup = 1105,
  kOpalineFlintGroup = 1106,
  kGrainGroupLabel = 1107,
  kOverallLabel = 1108,
  kRequiredLabel = 1109,
  kFirstRowLabel = 1200,       // + row
  kFirstJudgementLabel = 1230, // + class row
};

// Grid columns: label, symbol, unit, then the eight fractions; the size
// classes stand under the fractions of the same name.
enum : int { kLabelColumn = 0, kSymbolColumn, kUnitColumn, kFirstFractionColumn };
constexpr int SizeClassColumn(int c) { return kFirstFractionColumn + 2 + c; }

QLabel* Label(QWidget* parent, int id, const QString& text, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
  return MakeRowLabel(parent, id, text, alignment);
}

QLineEdit* Cell(QWidget* parent, int id, bool readOnly, int width = 64) { return MakeRowField(parent, id, readOnly, width); }

// The clipboard keys: copy, paste, or none.
enum class ClipboardKey { kNone, kCopy, kPaste };
ClipboardKey ClipboardKeyOf(const QKeyEvent& key) {
  const Qt::KeyboardModifiers mods = key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  if (mods == (Qt::ControlModifier | Qt::ShiftModifier) && key.key() == Qt::Key_C) return ClipboardKey::kCopy;
  if (mods == (Qt::ControlModifier | Qt::ShiftModifier) && key.key() == Qt::Key_V) return ClipboardKey::kPaste;
  if (mods == Qt::ShiftModifier && key.key() == Qt::Key_Insert) return ClipboardKey::kPaste;
  return ClipboardKey::kNone;
}

}  // namespace

CAlkaliDlg::CAlkaliDlg(QWidget* parent) : CEntryDialog(kTemplateId, parent) {
  Ui::AlkaliDlg ui;
  ui.setupUi(this);
  QGridLayout* grid = ui.rowsGrid;
  const Qt::Alignment centred = Qt::AlignCenter;
  std::vector<int> recompute;

  // Size fractions of the sieving.
  int gridRow = 0;
  grid->addWidget(Label(this, kFractionHead, "Korngrößenverteilung"), gridRow, kLabelColumn, 1, 3);
  for (int f = 0; f < kFractions; ++f) {
    const QString name =
        f == 0 ? QString::fromStdString(TranslateString(67422, "Summe")) : kFractionNames[static_cast<size_t>(f)];
    grid->addWidget(Label(this, 0, name, centred), gridRow, kFirstFractionColumn + f);
  }
  ++gridRow;
  grid->addWidget(Label(this, kMassLabel, "Masse"), gridRow, kLabelColumn);
  grid->addWidget(Label(this, 0, "g"), gridRow, kUnitColumn);
  for (int f = 0; f < kFractions; ++f) {
    grid->addWidget(Cell(this, kFirstFractionMass + f, true), gridRow, kFirstFractionColumn + f);
    recompute.push_back(kFirstFractionMass + f);
  }
  ++gridRow;
  grid->addWidget(Label(this, kShareLabel, "Anteil"), gridRow, kLabelColumn);
  grid->addWidget(Label(this, 0, "M.-%"), gridRow, kUnitColumn);
  for (int f = 0; f < kFractions; ++f)
    grid->addWidget(Cell(this, kFirstFractionShare + f, true), gridRow, kFirstFractionColumn + f);

  // The rows of the size classes.
  ++gridRow;
  grid->addWidget(Label(this, kSizeClassHead, "Prüfkornklasse [mm]"), gridRow, kLabelColumn, 1, 3);
  for (int c = 0; c < kSizeClasses; ++c)
    grid->addWidget(Label(this, 0, kSizeClassNames[static_cast<size_t>(c)], centred), gridRow, SizeClassColumn(c));
  for (int row = 0; row < kAlkaliRows; ++row) {
    ++gridRow;
    const RowLabel& label = kRowLabels[static_cast<size_t>(row)];
    grid->addWidget(Label(this, kFirstRowLabel + row, QString::fromUtf8(label.label)), gridRow, kLabelColumn);
    QLabel* symbol = Label(this, 0, label.symbol ? QString::fromUtf8(label.symbol) : NaohSampleSymbol());
    symbol->setTextFormat(Qt::RichText);
    grid->addWidget(symbol, gridRow, kSymbolColumn);
    grid->addWidget(Label(this, 0, QString::fromUtf8(label.unit)), gridRow, kUnitColumn);
    for (int c = 0; c < kSizeClasses; ++c) {
      QLineEdit* cell = Cell(this, CellId(c, row), !IsAlkaliInputRow(row));
      if (!IsShownCell(c, row)) cell->hide();
      grid->addWidget(cell, gridRow, SizeClassColumn(c));
    }
    if (IsAlkaliInputRow(row) || row == kSampleMass || row == kOpalineNaoh)
      for (int c = 0; c < kSizeClasses; ++c) recompute.push_back(CellId(c, row));
    // A cell is named by its row and its size class.
    if (IsAlkaliInputRow(row))
      for (int c = 0; c < kSizeClasses; ++c)
        if (IsShownCell(c, row))
          NamedNumberField(CellId(c, row), [this, row, c] {
            return GetItemText(kFirstRowLabel + row) + " " + kSizeClassNames[static_cast<size_t>(c)] + " mm";
          });
  }

  // The class grid.
  ++gridRow;
  grid->addWidget(Label(this, kClassHead, "Einstufung in Alkaliempfindlichkeitsklassen"), gridRow, kLabelColumn, 1, 3);
  for (int k = 0; k < kClassRows; ++k) {
    ++gridRow;
    if (k == 0) grid->addWidget(Label(this, kOpalineGroup, "Opalsandstein"), gridRow, kLabelColumn);
    if (k == 3) grid->addWidget(Label(this, kOpalineFlintGroup, "Opalsandst. u. Flint"), gridRow, kLabelColumn);
    grid->addWidget(Label(this, 0, kClassNames[static_cast<size_t>(k)]), gridRow, kSymbolColumn);
    grid->addWidget(Label(this, kFirstJudgementLabel + k, kClassJudgements[static_cast<size_t>(k % 3)]), gridRow,
                    kUnitColumn, 1, 3);
    for (int c = 0; c < kSizeClasses; ++c) {
      QLineEdit* mark = Cell(this, MarkId(c, k), true);
      mark->setAlignment(Qt::AlignCenter);
      grid->addWidget(mark, gridRow, SizeClassColumn(c));
    }
  }

  // Grain group, overall classes and the plant's required classes.
  ++gridRow;
  grid->addWidget(Label(this, kGrainGroupLabel, "Korngruppe:"), gridRow, kLabelColumn);
  for (int id : {kGrainGroup1, kGrainGroup2}) {
    auto* combo = new QComboBox(this);
    platform::SetControlId(combo, id);
    for (const char* item : {" ", "0", "1", "2", "4", "8", "16", "32"}) combo->addItem(item);
    if (id == kGrainGroup2) combo->addItem(">32");
    grid->addWidget(combo, gridRow, id == kGrainGroup1 ? kSymbolColumn : kFirstFractionColumn);
  }
  grid->addWidget(Label(this, 0, "/", centred), gridRow, kUnitColumn);
  grid->addWidget(Label(this, 0, "mm"), gridRow, kFirstFractionColumn + 1);
  ++gridRow;
  grid->addWidget(Label(this, kOverallLabel, "Einstufung:"), gridRow, kLabelColumn);
  grid->addWidget(Cell(this, kOverallO, true, 80), gridRow, kSymbolColumn);
  grid->addWidget(Cell(this, kOverallOF, true, 80), gridRow, kUnitColumn, 1, 2);
  ++gridRow;
  grid->addWidget(Label(this, kRequiredLabel, "Werktypische Einstufung:"), gridRow, kLabelColumn);
  grid->addWidget(Cell(this, kRequiredO, true, 80), gridRow, kSymbolColumn);
  grid->addWidget(Cell(this, kRequiredOF, true, 80), gridRow, kUnitColumn, 1, 2);
  for (int status : {1, 2}) {
    auto* mark = new CStatusMark(this);
    platform::SetControlId(mark, status == 1 ? kMarkMet : kMarkNotMet);
    mark->SetStatus(status);
    mark->hide();
    grid->addWidget(mark, gridRow, kFirstFractionColumn + 1);
  }

  // Taller than a notebook's screen: the rows scroll, OK and Cancel stay below them.
  platform::PutBodyInScrollArea(this, grid);
  RecomputeOnKillFocus(recompute);
  // The clipboard keys reach the dialog before any control handles them.
  installEventFilter(this);
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

CAlkaliDlg::~CAlkaliDlg() = default;

bool CAlkaliDlg::OnInitDialog() {
  CEntryDialog::OnInitDialog();
  setWindowTitle(QString::fromStdString(TranslateString(5030, "Alkaliempfindliche Bestandteile         Prüf-Nr.: ") +
                                        m_TestNumber));
  stored_ = AlkaliInputFromRecord(m_Data, m_FractionMasses, m_SideTestEntry);
  SetItemText(kRequiredO, AlkaliClassText(static_cast<unsigned>(stored_.requiredO), false));
  SetItemText(kRequiredOF, AlkaliClassText(static_cast<unsigned>(stored_.requiredOF), true));
  for (int f = 1; f < kFractions; ++f) SetItemText(kFirstFractionMass + f, stored_.masses[static_cast<size_t>(f)]);
  for (int c = 0; c < kSizeClasses; ++c)
    for (int row = 0; row < kAlkaliRows; ++row)
      SetItemText(CellId(c, row), stored_.cells[static_cast<size_t>(c)][static_cast<size_t>(row)]);
  SetItemText(kGrainGroup1, stored_.grainGroup1);
  SetItemText(kGrainGroup2, stored_.grainGroup2);
  ComputeAll();
  return true;
}

AlkaliCells CAlkaliDlg::ReadCells() const {
  AlkaliCells cells;
  for (int c = 0; c < kSizeClasses; ++c)
    for (int row = 0; row < kAlkaliRows; ++row)
      cells[static_cast<size_t>(c)][static_cast<size_t>(row)] = GetItemText(CellId(c, row));
  return cells;
}

AlkaliInput CAlkaliDlg::ReadInputs() const {
  AlkaliInput in;
  for (int f = 1; f < kFractions; ++f) in.masses[static_cast<size_t>(f)] = GetItemText(kFirstFractionMass + f);
  in.cells = ReadCells();
  in.grainGroup1 = GetItemText(kGrainGroup1);
  in.grainGroup2 = GetItemText(kGrainGroup2);
  in.requiredO = stored_.requiredO;
  in.requiredOF = stored_.requiredOF;
  return in;
}

void CAlkaliDlg::ComputeAll() {
  result_ = ComputeAlkali(ReadInputs());
  const AlkaliResult& r = result_;
  for (int f = 0; f < kFractions; ++f) {
    SetTextIfChanged(kFirstFractionMass + f, r.fractions.masses[static_cast<size_t>(f)]);
    SetTextIfChanged(kFirstFractionShare + f, r.fractions.shares[static_cast<size_t>(f)]);
  }
  for (int c = 0; c < kSizeClasses; ++c) {
    for (int row = 0; row < kAlkaliRows; ++row)
      SetTextIfChanged(CellId(c, row), r.classes.cells[static_cast<size_t>(c)][static_cast<size_t>(row)]);
    for (int k = 0; k < kClassRows; ++k)
      SetTextIfChanged(MarkId(c, k), r.classes.marks[static_cast<size_t>(c)][static_cast<size_t>(k)]);
  }
  for (size_t i = 0; i < kFlagCells.size(); ++i)
    SetItemColorIf(CellId(kFlagCells[i].sizeClass, kFlagCells[i].row), kMissingColor, r.classes.missing[i]);
  SetTextIfChanged(kOverallO, r.classes.classO);
  SetTextIfChanged(kOverallOF, r.classes.classOF);
  // Without a required class, or without the classes, no face shows.
  const bool judged = r.classes.Judged();
  ShowItem(kMarkMet, judged && r.classes.requirementMet ? platform::SW_SHOW : platform::SW_HIDE);
  ShowItem(kMarkNotMet, judged && !r.classes.requirementMet ? platform::SW_SHOW : platform::SW_HIDE);
}

std::vector<FieldFault> CAlkaliDlg::FieldFaults() const {
  return FieldFaultsOf(result_.classes.faults, [](int input) {
    const InputPlace cell = InputPlaceOf(input);
    return CellId(cell.column, cell.row);
  });
}

void CAlkaliDlg::CopyCells() { CopyTextToClipboard(FlagCellsText(ReadCells())); }

void CAlkaliDlg::PasteCells(QWidget* target) {
  const std::string text = GetClipboardText();
  if (!IsCellBlock(text)) {
    // One value: an ordinary paste into the focused cell.
    auto* cell = qobject_cast<QLineEdit*>(target ? target : QApplication::focusWidget());
    if (!cell || cell->isReadOnly() || !isAncestorOf(cell)) return;
    std::string line = StrGetField(text, '\n', 0);
    while (!line.empty() && line.back() == '\r') line.pop_back();
    cell->insert(QString::fromStdString(line));
    return;
  }
  AlkaliCells cells = ReadCells();
  PasteFlagCells(cells, text);
  for (const FlagCell& cell : kFlagCells)
    SetItemText(CellId(cell.sizeClass, cell.row), cells[static_cast<size_t>(cell.sizeClass)][static_cast<size_t>(cell.row)]);
  ComputeAll();
}

bool CAlkaliDlg::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::KeyPress || type == QEvent::ShortcutOverride) {
    const ClipboardKey key = ClipboardKeyOf(*static_cast<QKeyEvent*>(event));
    if (key != ClipboardKey::kNone) {
      // Claimed before a shortcut or the cell's own paste can take it.
      event->accept();
      if (type == QEvent::KeyPress) {
        if (key == ClipboardKey::kCopy) CopyCells();
        else PasteCells(qobject_cast<QWidget*>(watched));
      }
      return true;
    }
  }
  return CEntryDialog::eventFilter(watched, event);
}

bool CAlkaliDlg::TakeResult() {
  m_Data = result_.DataString();
  m_Status = result_.status;
  return true;
}

std::optional<TestEntryResult> EditAlkaliConstituents(CVersuch& record, QWidget* parent) {
  CAlkaliDlg dialog(parent);
  dialog.m_TestNumber = record.GetValue(1, 0);
  dialog.m_Data = record.GetAlkaliData();
  dialog.m_FractionMasses = record.GetFractionMasses();
  dialog.m_SideTestEntry = record.GetSideTestEntry("VA_ALKALI");
  if (dialog.DoModal() != platform::IDOK) return std::nullopt;
  return AlkaliEntryResult(dialog.Result());
}
