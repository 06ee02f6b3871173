// The commands of the main view that have no dialog of their own elsewhere:
// deleting records, selecting the records of the same sieve tower, the marks
// set from the keyboard, the companion programs, the settings, customer and
// tips windows.
#include <QApplication>
#include <QCheckBox>
#include <QItemSelection>
#include <QKeyEvent>

#include "controls/exlistctrl.h"
#include "i18n/translation.h"
#include "platform/messagebox.h"
#include "services/pravikapp.h"
#include "services/sysfuncs.h"
#include "services/customers/customerdlg.h"
#include "shell/help/hilfedlg.h"
#include "shell/mainview/form1view.h"
#include "shell/mainview/form1view_logic.h"
#include "shell/mainview/recordlistmodel.h"
#include "shell/settings/einstellungendlg.h"

namespace {

// The list does not repaint while many rows change.
class NoRedraw {
 public:
  explicit NoRedraw(QWidget* widget) : widget_(widget) { widget_->setUpdatesEnabled(false); }
  ~NoRedraw() { widget_->setUpdatesEnabled(true); }
  NoRedraw(const NoRedraw&) = delete;
  NoRedraw& operator=(const NoRedraw&) = delete;

 private:
  QWidget* widget_;
};

}  // namespace

// ------------------------------------------------------------ delete

void CForm1View::OnLoeschen() {
  if (SieveProgramRuns()) return;
  const std::vector<int> rows = SelectedRows();
  if (rows.empty()) return;
  if (rows.size() == 1) list_->scrollTo(model_->index(rows.front(), 0));
  const std::string question =
      TranslateString(5171, "Sie haben Datensätze markiert.\nSollen diese unwiderruflich gelöscht werden ?") + "  (" +
      std::to_string(rows.size()) + ")";
  if (platform::ShowMessageBox(question, platform::MB_YESNOCANCEL | platform::MB_DEFBUTTON3) != platform::IDYES)
    return;
  {
    NoRedraw quiet(list_);
    // Rows that go need not be unselected one by one.
    list_->selectionModel()->clearSelection();
    DeleteRecordRows(rows);
  }
  SaveAllRecords();
}

// ------------------------------------------------------------ same sieve tower

void CForm1View::OnSameSiebturm() {
  // The record last selected alone.
  const CVersuch* reference = nullptr;
  for (int row = model_->RecordCount() - 1; row >= 0 && !reference; --row)
    if (model_->RecordAt(row)->m_selected) reference = model_->RecordAt(row);
  if (!reference) return;
  const std::string tower = reference->GetValue(6, 0);
  if (tower.empty()) return;
  const std::string plant = reference->GetValue(1, 16) + reference->GetValue(1, 15);

  QItemSelection selection;
  const int count = model_->RecordCount();
  const int lastColumn = model_->columnCount() - 1;
  for (int row = 0, start = -1; row <= count; ++row) {
    const CVersuch* record = row < count ? model_->RecordAt(row) : nullptr;
    const bool match =
        record && record->GetValue(6, 0) == tower && record->GetValue(1, 16) + record->GetValue(1, 15) == plant;
    if (match && start < 0) start = row;
    if (!match && start >= 0) {
      selection.select(model_->index(start, 0), model_->index(row - 1, lastColumn));
      start = -1;
    }
  }
  list_->selectionModel()->select(selection, QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

// ------------------------------------------------------------ marks

void CForm1View::RedrawRows(const std::vector<int>& rows) {
  for (const auto& [first, last] : RowRunsFromTheEnd(rows)) model_->RefreshRows(first, last);
}

void CForm1View::SetCheckMark(int value) {
  if (SieveProgramRuns()) return;
  const std::vector<int> rows = SelectedRows();
  if (rows.empty()) return;
  NoRedraw quiet(list_);
  const std::string text = std::to_string(value);
  for (int row : rows) model_->RecordAt(row)->SetValue(18, 7, text);
  RedrawRows(rows);
}

void CForm1View::ToggleStatisticsFlag() {
  if (SieveProgramRuns()) return;
  const std::vector<int> rows = SelectedRows();
  if (rows.empty()) return;
  NoRedraw quiet(list_);
  for (int row : rows) {
    CVersuch* record = model_->RecordAt(row);
    record->SetValue(1, 4, ToggledFlag(record->GetValue(1, 4)));
  }
  RedrawRows(rows);
}

void CForm1View::ToggleTestNumberHighlight() {
  for (int row : SelectedRows()) {
    CVersuch* record = model_->RecordAt(row);
    record->SetValue(18, 3, ToggledFlag(record->GetValue(18, 3)));
    RefreshRecordRow(row);
  }
}

void CForm1View::SetRecordDigit(int digit) {
  const std::string text = std::to_string(digit);
  for (int row : SelectedRows()) {
    model_->RecordAt(row)->SetValue(18, 4, text);
    RefreshRecordRow(row);
  }
}

void CForm1View::OnLvnKeyDownList(int key, Qt::KeyboardModifiers modifiers) {
  if (key == Qt::Key_F12) ToggleTestNumberHighlight();
  else if ((modifiers & Qt::AltModifier) && key >= Qt::Key_1 && key <= Qt::Key_9) SetRecordDigit(key - Qt::Key_0);
  else if (key == Qt::Key_ScrollLock) OpenRawRecordEditor(list_->FocusedRow());
}

void CForm1View::OnViewKey(QWidget* receiver, const QKeyEvent& key) {
  // A key the receiver leaves goes on to its parents: act only at the first.
  QWidget* first = window()->focusWidget() ? window()->focusWidget() : window();
  if (receiver != first) return;
  if (key.key() == Qt::Key_ScrollLock) {
    list_->setFocus();
    return;
  }
  if (!(key.modifiers() & Qt::ControlModifier)) return;
  switch (key.key()) {
    case Qt::Key_1: SetCheckMark(1); break;
    case Qt::Key_2: SetCheckMark(2); break;
    case Qt::Key_3: SetCheckMark(0); break;
    case Qt::Key_S: ToggleStatisticsFlag(); break;
    default: break;
  }
}

// ------------------------------------------------------------ programs and windows

void CForm1View::OnMaterialdefinitionen() {
  if (SieveProgramRuns()) return;
  if (CPravikWinApp* app = GetApp()) LaunchProgram(app->m_Settings.m_ProgramFolder / "specora");
}

void CForm1View::OnStatistikverwaltung() {
  if (SieveProgramRuns()) return;
  // Started like the other companion programs, so that a failed start is reported.
  if (CPravikWinApp* app = GetApp()) LaunchProgram(app->m_Settings.m_ProgramFolder / "tallyon");
}

void CForm1View::OnKundenverwaltung() {
  if (CPravikWinApp* app = GetApp()) RunCustomerManagement(*app, this);
}

void CForm1View::OnAllgemeineEinstellungen() {
  CPravikWinApp* app = GetApp();
  if (!app || !RunGeneralSettings(*app, this)) return;
  hideReminder_->setChecked(app->m_Settings.m_NoDatasaveInfo != 0);
  LayoutControls();
}

void CForm1View::OnEinstellungenNeuePruefnummern() { RunNewRecordSettings(this); }

void CForm1View::OnTippsUndTricks() {
  if (!tips_) tips_ = new CHilfeDlg("tipps_und_tricks", this);
  tips_->ShowWithoutActivating();
}

CHilfeDlg* CForm1View::TipsWindow() const { return tips_; }
