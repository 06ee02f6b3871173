#include "evaluation/umwelt/umweltvertraeglichkeitdlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "evaluation/frame/entryform.h"
#include "i18n/translation.h"

namespace {

enum : int { kPhLabel = 1210, kConductivityLabel = 1211 };

// The negating entry of each statement's list; the other entry is empty.
constexpr const char* kNegations[kEnvironmentStatements] = {"keine", "keinen", "nicht", "nicht"};

}  // namespace

CUmweltvertraeglichkeitDlg::CUmweltvertraeglichkeitDlg(QWidget* parent) : CEntryDialog(kTemplateId, parent) {
  setWindowTitle(QString::fromUtf8("Umweltverträglichkeit"));
  auto* layout = new QVBoxLayout(this);
  int text = CUmweltvertraeglichkeitDlg::kFirstText;
  const auto addText = [this, &text](QHBoxLayout* line, const char* words) {
    line->addWidget(EntryLabel(this, text++, words));
  };
  const auto addList = [this](QHBoxLayout* line, int statement) {
    auto* list = new QComboBox(this);
    platform::SetControlId(list, kFirstStatement + statement);
    list->addItem(QString());
    list->addItem(QString::fromUtf8(kNegations[statement]));
    list->setCurrentIndex(-1);
    list->setMinimumContentsLength(6);
    line->addWidget(list);
  };
  // The template's sentences, "Die  Probe" with its two blanks.
  auto* first = new QHBoxLayout;
  addText(first, "Die  Probe weist");
  addList(first, 0);
  addText(first, "auffällige Farbe, ");
  addList(first, 1);
  addText(first, "auffälligen Geruch auf.");
  first->addStretch(1);
  auto* second = new QHBoxLayout;
  addText(second, "Die  Probe ist");
  addList(second, 2);
  addText(second, "frei von Verkrustungen.");
  second->addStretch(1);
  auto* third = new QHBoxLayout;
  addText(third, "Die Umweltverträglichkeit ist");
  addList(third, 3);
  addText(third, "bedingungsgemäß.");
  third->addStretch(1);
  for (QHBoxLayout* line : {first, second, third}) layout->addLayout(line);

  auto* values = new QGridLayout;
  values->addWidget(EntryLabel(this, kPhLabel, "pH-Wert:"), 0, 0);
  values->addWidget(MakeRowField(this, kPh, false, 120), 0, 1);
  values->addWidget(EntryLabel(this, kConductivityLabel, "elektrische Leitfähigkeit µS/cm:"), 1, 0);
  values->addWidget(MakeRowField(this, kConductivity, false, 120), 1, 1);
  values->setColumnStretch(2, 1);
  layout->addLayout(values);
  AddOkCancelRow(this, layout);
  RecomputeOnKillFocus({kPh});
  TextField(kPh, {kPhLabel});
}

CUmweltvertraeglichkeitDlg::~CUmweltvertraeglichkeitDlg() = default;

bool CUmweltvertraeglichkeitDlg::OnInitDialog() {
  CEntryDialog::OnInitDialog();
  SetTitleFitting(TranslateString(5350, "Umweltverträglichkeit    Prüf-Nr.: ") + m_TestNumber);
  const EnvironmentInput stored = EnvironmentInputFromField(m_ResultText);
  for (int i = 0; i < kEnvironmentStatements; ++i)
    if (auto* list = Item<QComboBox>(kFirstStatement + i)) list->setCurrentIndex(stored.choices[static_cast<size_t>(i)]);
  SetItemText(kPh, stored.ph);
  SetItemText(kConductivity, stored.conductivity);
  Recompute();
  return true;
}

EnvironmentInput CUmweltvertraeglichkeitDlg::ReadInputs() const {
  EnvironmentInput input;
  for (int i = 0; i < kEnvironmentStatements; ++i)
    if (auto* list = Item<QComboBox>(kFirstStatement + i)) input.choices[static_cast<size_t>(i)] = list->currentIndex();
  input.ph = GetItemText(kPh);
  input.conductivity = GetItemText(kConductivity);
  return input;
}

void CUmweltvertraeglichkeitDlg::Recompute() { faults_ = EnvironmentFaults(ReadInputs()); }

std::vector<FieldFault> CUmweltvertraeglichkeitDlg::FieldFaults() const {
  return FieldFaultsOf(faults_, [](int) { return kPh; });
}

bool CUmweltvertraeglichkeitDlg::TakeResult() {
  const EnvironmentInput input = ReadInputs();
  m_ResultText = EnvironmentResultText(input);
  m_Status = EnvironmentStatus(input);
  return true;
}

std::optional<TestEntryResult> EditEnvironment(CVersuch& record, QWidget* parent) {
  CUmweltvertraeglichkeitDlg dialog(parent);
  dialog.m_TestNumber = record.GetValue(1, 0);
  dialog.m_ResultText = record.GetField(22);
  dialog.m_pVersuch = &record;
  return ShowForEntryResult(dialog);
}
