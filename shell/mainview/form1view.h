#pragma once
// CForm1View: the main view. The list of every test record of the plant
// (control 101), the test-type panel on the left (control 1268) with the
// command buttons above and below it, and the backup reminder at the top.
//
// The rows of the list own the records from the initial update on; every
// command works on them. Selecting rows is evaluated once per burst of
// changes (a 1 ms timer): the status bar shows the count, the panel enables
// the keys of a single selected record's test types and shows their
// statuses. A click on a panel key opens that test of the current record
// through its opener; with Alt held a key that does not apply opens
// read-only.
//
// From the keyboard: Tab walks the left column's buttons, the panel and the
// list; Enter on a row opens what a double click opens; the Menu key and
// Shift+F10 open the row's context menu.
#include <QPoint>
#include <QPointer>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/timer.h"
#include "records/transfer.h"
#include "records/versuch.h"
#include "services/cpvdialog.h"
#include "shell/mainview/form1view_logic.h"
#include "shell/mainview/recordlistmodel.h"
#include "shell/mainview/recordsort.h"

class QAbstractButton;
class QCheckBox;
class QKeyEvent;
class QLabel;
class CButtonListbox;
class CExListCtrl;
class CHilfeDlg;
class CPravikDoc;
struct SieveHandOff;

namespace platform {
class CommandTable;
}

class CForm1View : public CpvFormView {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 523;
  static constexpr int kListId = 101;
  // Controls of the form.
  enum : int {
    kNewRecordButton = 1003,
    kDeleteButton = 1004,
    kTogglePanelButton = 1031,
    kPeriodStatisticsButton = 1034,
    kMaterialStatisticsButton = 1035,
    kMixtureButton = 1036,
    kSameTowerButton = 1039,
    kBackupReminder = 1554,
    kHideReminderCheck = 1581,
  };

  explicit CForm1View(CPravikDoc* document, QWidget* parent = nullptr);
  ~CForm1View() override;

  // Sets the view up once: columns, stored layout and sort order, the rows
  // from the document's buffer.
  void OnInitialUpdate() override;

  // ---- rows
  // Moves the document's records into rows and sorts them.
  void RefreshRecordList();
  // Inserts a row owning the record at the index (its field 30 must be
  // current) and registers its test number, record ID and customer; gives
  // the row used.
  int AddRecordRow(int index, std::unique_ptr<CVersuch> record);
  // Inserts the records at the top as AddRecordRow(0, ...) would one after
  // the other (the last one first), with one notification.
  void AddRecordRowsAtTop(RecordList records);
  // Inserts a row owning the record where the list's order puts it (a binary
  // search), registers it as AddRecordRow does and gives the row used.
  int AddSortedRecordRow(std::unique_ptr<CVersuch> record);
  // The same for many records in one pass; gives the rows that hold them
  // (ascending).
  std::vector<int> AddSortedRecordRows(RecordList records);
  // Selects the rows (ascending): alone, with the focus on the first of them
  // shown, or beside the rows selected already.
  void SelectRows(const std::vector<int>& rows, bool alone);
  // Removes a row, its record and one count of its test number and record ID.
  void DeleteRecordRow(int row);
  // The same for several rows (ascending, each once), in one pass.
  void DeleteRecordRows(const std::vector<int>& rows);
  // Rebuilds the record's list summary and redraws its row.
  void RefreshRecordRow(int row);
  // Writes the records of every row to "data.db". False when the save
  // failed (the user has been told); the rows keep the records.
  bool SaveAllRecords();
  // The record the openers and one-record commands act on (and its row);
  // null without a focused row or while the sieve program runs (with the
  // guard's warning).
  CVersuch* GetCurrentRecord(int* row = nullptr);

  // ---- columns
  void ApplyColumnLayout(const std::string& widths, const std::string& order, bool reset);
  // Command 10007: default widths and order, rows by test number.
  void OnSpaltenLayoutZuruecksetzen();
  // The current widths and display order as stored in "pravik.ini".
  std::string ColumnWidthsText() const;
  // The default widths of this system's list font ("Spaltenbreiten" form).
  const std::string& DefaultColumnWidthsText() const { return defaultColumnWidths_; }
  std::string ColumnOrderText() const;
  // Writes widths, order and sort order to "pravik.ini" (once, at the end of
  // the view; the destructor does it when nobody did).
  void OnDestroy();
  void LayoutControls();
  // Check box 1581.
  void OnHideBackupReminder();

  // ---- sorting
  void SortList(int kind, int parameter);
  void SetSortKey(int kind, int parameter);
  const SortState& sortState() const { return sort_; }
  // A header click: "Status" is left to its chooser, any other column becomes
  // the primary key in alternating direction.
  void OnLvnColumnClickList(int column);

  // ---- selection and panel
  // Any change of the selection: evaluate once, shortly.
  void OnLvnItemChangedList();
  bool SelectionEvaluationPending() const { return selectionTimer_.IsActive(); }
  // The deferred evaluation (timer 3).
  void EvaluateSelection();
  void UpdateTestTypePanel(int selectedCount);
  void UpdatePanelStatus();
  // The panel's key set and enabled keys for the current record, after a
  // command changed the record's test types.
  void UpdatePanelKeys();
  bool HasCurrentRecordTestType(const std::string& key) const;
  // A click on a panel item (or Enter on it); withAlt: Alt was held.
  void OnLbnSelChangeTestTypePanel(int item, bool withAlt = false);
  // Calls the opener of a test key; false for an unknown key.
  bool OpenTestOfKey(const std::string& key);
  void OnTogglePanel();
  bool PanelExpanded() const { return panelExpanded_; }

  // ---- test openers
  void EditGrunddaten();
  void StartSieveProgram();
  void EditBruchflaechigkeit();
  void EditKornform();
  void EditPlattigkeit();
  void EditOrganischeStoffe();
  void EditPetrographie();
  void EditRCZusammensetzung();
  void EditRCZusammensetzungDBKG();
  void EditWassergehalt();
  void EditSandaequivalent();
  void EditFliesskoeffizient();
  void EditAlkali();
  void EditRohdichte();
  void EditWasserbausteine();
  void EditLaenger100();
  void EditLaenger100GS();
  void EditKornformGS();
  void EditPlattigkeitGS();
  void EditWasseraufnahme();
  void EditKristallisation();
  void EditReinheitGS();
  void EditUmweltvertraeglichkeit();
  // The end of the sieve program: its results come back from the hand-off
  // file into the record handed off (form1view_sieve.cpp).
  void TakeSieveResults(const SieveHandOff& handedOff, const std::filesystem::path& file);

  // ---- archive and transfer files (shell/archive/, shell/transfer/)
  // Builds a record from the text of a "PRUEFUNG" element and inserts it as
  // row 0; always true.
  bool AddRecordFromText(const std::string& text);
  void OnExportieren();    // 9103
  void OnImportieren();    // 9102
  void OnArchivieren();    // 9101
  void OnDearchivieren();  // 9104
  // Writes the month's file from the list and removes the month's records;
  // appends "YYYYMM|1", "|-1" (the file exists), "|-3" (the file exists and
  // holds only records of the list) or "|-2" (writing failed).
  void ArchiveMonth(const std::string& month, std::vector<std::string>& results);
  // Whether a month file holds records and every one of them is in the list:
  // what a dearchiving leaves when it cannot delete the file.
  bool HoldsOnlyListedRecords(const std::filesystem::path& file) const;
  // Reads the month's file and adds the records the list lacks; appends
  // "YYYYMM|added|skipped". True when the file was read: the caller deletes
  // it once the records are saved. False (after a message) when it could
  // not be read or parsed. The records added are selected: alone, or beside
  // the rows selected already when `besideSelected` is set (the records of
  // earlier months); a month that added records sets it.
  bool DearchiveMonth(const std::string& month, std::vector<std::string>& results, bool* besideSelected = nullptr);
  // The archive folder: "Ordner" of section "Archivierung", read at every use.
  std::filesystem::path ArchiveFolder() const;

  // ---- statistics and mixtures (form1view_statistics.cpp)
  // Commands 1034 and 1035: the statistics dialog, the file, and the offer
  // to start the statistics manager.
  void OnZeitraumstatistik();
  void OnMaterialstatistik();
  // The records of the selection written as a statistics file; its path, or
  // empty (the user has been told why).
  std::string CreateStatistics(const std::string& selection, const CVersuch& reference);
  std::string WriteMaterialStatistics(const std::vector<const CVersuch*>& set, const std::string& selection,
                                      const CVersuch& reference);
  std::string WritePeriodStatistics(const std::vector<const CVersuch*>& set, const std::string& selection);
  void StartStatisticsManager(const std::string& path);
  // Command 1036: the selected records' gradings to the mixture editor.
  void OnMischmodul();
  // Command 9013.
  void OnEinstellungenStatistiken();
  // Command 9004: the mixture management.
  void OnMischungsverwaltung();

  // ---- commands
  // Registers the view's commands and their enabling rules with the frame's table.
  void RegisterCommands(platform::CommandTable& commands);
  void OnSaveAll();
  void OnLoeschen();                       // 1004: delete the selected records
  void OnSameSiebturm();                   // 1039: select the records of the same sieve tower
  void OnMaterialdefinitionen();           // 9001
  void OnKundenverwaltung();               // 9002
  void OnStatistikverwaltung();            // 9003
  void OnAllgemeineEinstellungen();        // 9011
  void OnEinstellungenNeuePruefnummern();  // 9012
  void OnTippsUndTricks();                 // 9014
  CHilfeDlg* TipsWindow() const;

  // ---- marks on the selected records, kept in memory until the next save
  // Ctrl+1 (1), Ctrl+2 (2), Ctrl+3 (0).
  void SetCheckMark(int value);
  // Ctrl+S: in or out of the statistics.
  void ToggleStatisticsFlag();
  // F12 in the list.
  void ToggleTestNumberHighlight();
  // Alt+1 to Alt+9 in the list.
  void SetRecordDigit(int digit);

  // ---- records and materials (form1view_records.cpp)
  void OnNeuePruefnummer();                 // button 1003: a new record
  void OnMaterialNeuZuordnen();             // 9216: another material for the current record
  void OnDuplizieren();                     // 9213: a copy of the current record
  void OnMaterialdefinitionExtrahieren();   // 9005
  // A right click on a row: context menu 140 (9213, 9216).
  void OnNMRClickList(int row, const QPoint& globalPos);
  // The Menu key or Shift+F10 in the list: the menu at the current record's row.
  void OnListContextMenuKey();
  // A key in the list: F12, Alt with a digit, and Scroll Lock, which opens
  // the raw record editor on the focused row.
  void OnLvnKeyDownList(int key, Qt::KeyboardModifiers modifiers);
  void OpenRawRecordEditor(int row);

  // The status bar's message pane.
  void SetStatusTextHandler(std::function<void(const std::string&)> handler) { statusHandler_ = std::move(handler); }
  const std::string& StatusText() const { return statusText_; }

  // Every opener reports its name here when it is called (for tests and
  // diagnostics).
  void SetOpenerObserver(std::function<void(std::string_view opener)> observer) { openerObserver_ = std::move(observer); }

  CExListCtrl* list() const { return list_; }
  CRecordListModel* model() const { return model_; }
  CButtonListbox* panel() const { return panel_; }
  QAbstractButton* button(int id) const;
  QLabel* backupReminder() const { return reminder_; }
  QCheckBox* hideReminderCheck() const { return hideReminder_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  void ConnectRecordControls();
  void RegisterRecordCommands(platform::CommandTable& commands);
  // Deselects the row (when there is one) before a new row takes its place.
  void DeselectRow(int row);
  void SelectAndFocusRow(int row, bool only);
  void RunStatistics(bool material);
  // The panel's key set for the record (track ballast, built-in grading mixture).
  void ShowPanelSetOf(const CVersuch& record);
  void EnablePanelKeys(bool oneSelected);
  void RegisterRecordKeys(const CVersuch& record);
  void ApplySortOrder(const CRecordListModel::RowOrder& order);
  // The header marks the column the list is ordered by, with its direction;
  // a status order marks none.
  void ShowSortIndicator(int kind, int parameter);
  // The common end of every view timer: panel statuses and the list's focus.
  void EndOfTimer();
  void OnStatusSortChooser();
  void SetStatusText(const std::string& text);
  void EnableButton(int id, bool enable);
  void NoteOpener(std::string_view name);
  // The current record of an opener with the guard, or null.
  CVersuch* OpenerRecord(std::string_view name);
  std::vector<int> SelectedRows() const;
  // Reads a transfer or archive file and adds the records whose ID the list lacks.
  struct RecordFileImport {
    bool read = false;     // false: the file could not be read
    bool refused = false;  // refused as no regular file or far too large; the user was told
    RecordDocumentError error = RecordDocumentError::kNone;
    int added = 0;
    int skipped = 0;
    int withoutId = 0;  // of the skipped records, those without an ID
    std::vector<int> rows;  // the rows of the records added, ascending
  };
  RecordFileImport ImportRecordFile(const std::filesystem::path& file, std::string_view root);
  // The number of selected rows, counted no further than the limit.
  int SelectedCountUpTo(int limit) const;
  // The keys that act anywhere in the view's window (Ctrl+1 to Ctrl+3,
  // Ctrl+S, Scroll Lock), seen once, by the widget that receives them first.
  void OnViewKey(QWidget* receiver, const QKeyEvent& key);
  // Repaints the rows (ascending) without rebuilding their texts.
  void RedrawRows(const std::vector<int>& rows);
  // Removes the rows (ascending, each once) and hands their records over in
  // row order: many scattered rows in one pass, the focus kept on its record.
  RecordList TakeRecordRows(const std::vector<int>& rows);

  CPravikDoc* document_;
  CButtonListbox* panel_ = nullptr;
  std::string defaultColumnWidths_ = kDefaultColumnWidths;
  CExListCtrl* list_ = nullptr;
  CRecordListModel* model_ = nullptr;
  QAbstractButton* buttons_[7] = {};  // 1003, 1004, 1034, 1035, 1039, 1036, 1031
  QLabel* reminder_ = nullptr;
  QCheckBox* hideReminder_ = nullptr;

  platform::Timer selectionTimer_;  // timer 3
  platform::Timer sortChooserTimer_;  // timer 77
  bool panelExpanded_ = true;
  bool initialized_ = false;
  bool layoutWritten_ = false;
  SortState sort_;
  // The keys the rows stand in now, for records added later.
  ListOrder listOrder_;
  SortDirectionToggle direction_;
  CountedKeyIndex testNumbers_;
  CountedKeyIndex recordIds_;
  platform::CommandTable* commands_ = nullptr;  // the frame's, for the context menu

  std::string statusText_;
  std::function<void(const std::string&)> statusHandler_;
  std::function<void(std::string_view)> openerObserver_;
  QPointer<CHilfeDlg> tips_;
};
