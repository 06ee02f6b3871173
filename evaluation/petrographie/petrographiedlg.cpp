#include "evaluation/petrographie/petrographiedlg.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include "controls/label.h"
#include "evaluation/frame/statusmarks.h"
#include "evaluation/petrographie/petrotexteditdlg.h"
#include "i18n/translation.h"
#include "ui_petrographiedlg.h"

namespace {

// The labels of the eight rows, as the template has them.
constexpr std::array<const char*, kPetroRows> kRowLabels = {
    "Summe unbedenkliche Bestandteile",
    "Summe Flint (Gesamtgehalt) inkl. A1",
    "A1: Kreide u. kreidekrusteführende Flinte",
    "A2: poröse Kalk- und Mergelsteine",
    "A3: gering verfestigte Ton-, Schluff- u. Sandsteine\n     u. andere quellfähige anorganische Bestandteile",
    "Summe A: ungeeignete Bestandteile",
    "B: im alkalischen Milieu lösliche anorganische\n     Bestandteile u. gering verfestigte\n     (oxydische) Eisenverbindungen",
    "C: quellfähige, organische Bestandteile",
};

enum : int {
  kFirstRowLabel = 1101,
  kMassHead = 1110,
  kShareHead = 1111,
  kSumLabel = 1112,
  kRequirementHead = 1113,
  kFirstUseHead = 1114,  // Deckschichten, Kappen, Sichtflächen
};
constexpr std::array<const char*, kPetroUses> kUseHeads = {"Deckschichten", "Kappen", "Sichtflächen"};

// Grid columns.
enum : int { kLabelColumn = 0, kButtonColumn, kTextColumn, kMassColumn, kShareColumn, kFirstUseColumn };
constexpr int kFirstRowOfGrid = 2;

QLabel* Label(QWidget* parent, int id, const char* text, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
  return MakeRowLabel(parent, id, QString::fromUtf8(text), alignment);
}

// The index (0 .. 4) of the property text of a row, -1 for a row without one.
int TextIndexOfRow(int row) {
  for (int i = 0; i < kPetroTexts; ++i)
    if (kPetroTextRows[static_cast<size_t>(i)] == row) return i;
  return -1;
}

}  // namespace

CPetrographieDlg::CPetrographieDlg(QWidget* parent) : CEntryDialog(kTemplateId, parent) {
  Ui::PetrographieDlg ui;
  ui.setupUi(this);
  QGridLayout* grid = ui.rowsGrid;
  const Qt::Alignment centred = Qt::AlignCenter;
  grid->addWidget(Label(this, kMassHead, "Einwaage\n[g]", centred), 0, kMassColumn, 2, 1);
  grid->addWidget(Label(this, kShareHead, "Ist\n[M.-%]", centred), 0, kShareColumn, 2, 1);
  grid->addWidget(Label(this, kRequirementHead, "Anforderungen an den Betonzuschlag für", centred), 0,
                  kFirstUseColumn, 1, 2 * kPetroUses);
  for (int use = 0; use < kPetroUses; ++use)
    grid->addWidget(Label(this, kFirstUseHead + use, kUseHeads[static_cast<size_t>(use)], centred), 1,
                    kFirstUseColumn + 2 * use, 1, 2);

  std::vector<int> inputs;
  for (int row = 0; row < kPetroRows; ++row) {
    const int gridRow = kFirstRowOfGrid + row;
    grid->addWidget(Label(this, kFirstRowLabel + row, kRowLabels[static_cast<size_t>(row)]), gridRow, kLabelColumn);
    const int text = TextIndexOfRow(row);
    if (text >= 0) {
      auto* button = new QPushButton("...", this);
      platform::SetControlId(button, kFirstTextButton + text);
      button->setAutoDefault(false);
      button->setFixedWidth(28);
      connect(button, &QPushButton::clicked, this, [this, text] { EditPropertyText(text); });
      grid->addWidget(button, gridRow, kButtonColumn);
      QLineEdit* field = MakeRowField(this, kFirstText + text, true, 220);
      field->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      field->installEventFilter(this);
      grid->addWidget(field, gridRow, kTextColumn);
    }
    grid->addWidget(MakeRowField(this, kFirstMass + row, row == kPetroSumA), gridRow, kMassColumn);
    grid->addWidget(MakeRowField(this, kFirstShare + row, true), gridRow, kShareColumn);
    if (row != kPetroSumA) {
      inputs.push_back(kFirstMass + row);
      NumberField(kFirstMass + row, {kMassHead, kFirstRowLabel + row});
    }
  }
  for (int judged = 0; judged < 3; ++judged) {
    const int gridRow = kFirstRowOfGrid + kPetroJudgedRows[static_cast<size_t>(judged)];
    for (int use = 0; use < kPetroUses; ++use) {
      const int check = PetroCheckIndex(judged, use);
      grid->addWidget(MakeRowField(this, RequirementField(judged, use), true, 64), gridRow, kFirstUseColumn + 2 * use);
      // The green and the red face share one spot; at most one of them shows.
      for (int status : {1, 2}) {
        auto* mark = new CStatusMark(this);
        platform::SetControlId(mark, (status == 1 ? kFirstMetMark : kFirstNotMetMark) + check);
        mark->SetStatus(status);
        mark->hide();
        grid->addWidget(mark, gridRow, kFirstUseColumn + 2 * use + 1);
      }
    }
  }
  const int sumRow = kFirstRowOfGrid + kPetroRows;
  grid->addWidget(Label(this, kSumLabel, "Summe:", Qt::AlignRight | Qt::AlignVCenter), sumRow, kTextColumn);
  grid->addWidget(MakeRowField(this, kTotalMass, true), sumRow, kMassColumn);
  grid->addWidget(MakeRowField(this, kTotalShare, true), sumRow, kShareColumn);

  // The info label floats above the property texts, outside the layout.
  info_ = new CLabel(this);
  platform::SetControlId(info_, kInfoLabel);
  info_->SetFontName("Courier New");
  info_->SetBorder(true);
  info_->hide();
  setMouseTracking(true);

  RecomputeOnKillFocus(inputs);
  SetIconCommand(kIconCommand);
}

CPetrographieDlg::~CPetrographieDlg() = default;

bool CPetrographieDlg::OnInitDialog() {
  CEntryDialog::OnInitDialog();
  setWindowTitle(QString::fromStdString(TranslateString(5300, "Petrographie   Prüf-Nr.: ") + m_TestNumber));
  defaults_ = PetrographyDefaults(m_ResultText);
  m_PropertyTexts = defaults_.propertyTexts;
  for (int row = 0; row < kPetroRows; ++row) SetItemText(kFirstMass + row, defaults_.masses[static_cast<size_t>(row)]);
  for (int judged = 0; judged < 3; ++judged)
    for (int use = 0; use < kPetroUses; ++use)
      SetItemText(RequirementField(judged, use),
                  defaults_.requirementTexts[static_cast<size_t>(PetroRequirementIndex(judged, use))]);
  const QPalette palette = this->palette();
  auto colour = [](const QColor& c) { return platform::RGB(c.red(), c.green(), c.blue()); };
  info_->SetTextColor(colour(palette.color(QPalette::ToolTipText)));
  info_->SetBkColor(colour(palette.color(QPalette::ToolTipBase)));
  ComputePetrography();
  return true;
}

PetrographyInput CPetrographieDlg::ReadInputs() const {
  PetrographyInput in;
  for (int row = 0; row < kPetroRows; ++row) in.masses[static_cast<size_t>(row)] = GetItemText(kFirstMass + row);
  in.propertyTexts = m_PropertyTexts;
  for (int judged = 0; judged < 3; ++judged)
    for (int use = 0; use < kPetroUses; ++use)
      in.requirementTexts[static_cast<size_t>(PetroRequirementIndex(judged, use))] =
          GetItemText(RequirementField(judged, use));
  return in;
}

void CPetrographieDlg::ComputePetrography() {
  result_ = ::ComputePetrography(ReadInputs());
  const PetrographyResult& r = result_;
  m_PropertyTexts = r.propertyTexts;
  for (int row = 0; row < kPetroRows; ++row) {
    SetTextIfChanged(kFirstMass + row, r.masses[static_cast<size_t>(row)]);
    SetTextIfChanged(kFirstShare + row, r.shares[static_cast<size_t>(row)]);
  }
  SetTextIfChanged(kTotalMass, r.totalMass);
  SetTextIfChanged(kTotalShare, r.totalShare);
  for (int i = 0; i < kPetroTexts; ++i) {
    SetTextIfChanged(kFirstText + i, PropertyTextOnOneLine(r.propertyTexts[static_cast<size_t>(i)]));
    // A long text shows its beginning.
    if (auto* field = Item<QLineEdit>(kFirstText + i)) field->setCursorPosition(0);
  }
  for (int check = 0; check < kPetroChecks; ++check) {
    const int state = r.checks[static_cast<size_t>(check)];
    ShowItem(kFirstMetMark + check, state == kPetroMet ? platform::SW_SHOW : platform::SW_HIDE);
    ShowItem(kFirstNotMetMark + check, state == kPetroNotMet ? platform::SW_SHOW : platform::SW_HIDE);
  }
}

void CPetrographieDlg::EditPropertyText(int index) {
  if (index < 0 || index >= kPetroTexts) return;
  ShowPropertyInfo(-1);
  CPetroTextEditDlg editor(this);
  editor.m_Row = index;
  editor.m_Text = m_PropertyTexts[static_cast<size_t>(index)];
  if (editor.DoModal() == platform::IDOK) m_PropertyTexts[static_cast<size_t>(index)] = editor.m_Text;
  ComputePetrography();
}

void CPetrographieDlg::ShowPropertyInfo(int index) {
  QWidget* field = index >= 0 && index < kPetroTexts ? GetDlgItem(kFirstText + index) : nullptr;
  if (!field) {
    info_->hide();
    return;
  }
  std::string text;
  const std::vector<std::string> lines = PropertyTextLines(m_PropertyTexts[static_cast<size_t>(index)]);
  for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\n" : "") + lines[i];
  info_->SetText(text);
  // 320 pixels wide, from 65 to 10 pixels above the field, grown where the
  // real font needs more room for three lines of a full column.
  const QFontMetrics metrics(info_->font());
  const int width = std::max(320, metrics.horizontalAdvance(QString(CPetroTextEditDlg::kColumns + 1, QChar('M'))) + 8);
  const int height = std::max(55, metrics.lineSpacing() * kPropertyTextLines + 8);
  const QPoint topLeft = field->mapTo(this, QPoint(0, 0));
  info_->setGeometry(topLeft.x(), std::max(0, topLeft.y() - 10 - height), width, height);
  info_->raise();
  info_->show();
}

bool CPetrographieDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
    for (int i = 0; i < kPetroTexts; ++i)
      if (watched == GetDlgItem(kFirstText + i)) ShowPropertyInfo(event->type() == QEvent::Enter ? i : -1);
  }
  return CEntryDialog::eventFilter(watched, event);
}

void CPetrographieDlg::mouseMoveEvent(QMouseEvent* event) {
  ShowPropertyInfo(-1);
  CEntryDialog::mouseMoveEvent(event);
}

std::vector<FieldFault> CPetrographieDlg::FieldFaults() const {
  return FieldFaultsOf(result_.faults, [](int row) { return kFirstMass + row; });
}

bool CPetrographieDlg::TakeResult() {
  m_ResultText = result_.ResultText();
  m_Status = result_.status;
  return true;
}

std::optional<TestEntryResult> EditPetrography(CVersuch& record, QWidget* parent) {
  CPetrographieDlg dialog(parent);
  dialog.m_TestNumber = record.GetValue(1, 0);
  dialog.m_ResultText = record.GetField(21);
  if (dialog.DoModal() != platform::IDOK) return std::nullopt;
  return PetrographyEntryResult(dialog.Result());
}
