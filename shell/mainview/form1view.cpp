#include "shell/mainview/form1view.h"

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <chrono>

#include "controls/buttonst.h"
#include "controls/exlistctrl.h"
#include "i18n/translation.h"
#include "platform/commands.h"
#include "platform/dialog.h"
#include "platform/files.h"
#include "platform/printdriver.h"
#include "records/recordfile.h"
#include "services/appflags.h"
#include "services/longwait.h"
#include "services/pravikapp.h"
#include "services/pravikdoc.h"
#include "services/customers/customerlist.h"
#include "shell/help/hilfedlg.h"
#include "shell/mainview/form1view_panel.h"
#include "shell/mainview/printjob.h"
#include "shell/mainview/recordlistmodel.h"
#include "shell/mainview/statussortdlg.h"

namespace {

constexpr int kButtonIds[7] = {CForm1View::kNewRecordButton,        CForm1View::kDeleteButton,
                               CForm1View::kPeriodStatisticsButton, CForm1View::kMaterialStatisticsButton,
                               CForm1View::kSameTowerButton,        CForm1View::kMixtureButton,
                               CForm1View::kTogglePanelButton};

// The background of the form (the active caption colour of the classic desktop).
const QColor kFormBackground(153, 180, 209);

// Placement of the left column, in pixels; the column grows where a panel
// caption would not fit.
constexpr int kColumnLeft = 10;
constexpr int kColumnWidth = 126;
constexpr int kButtonHeight = 24;
constexpr int kToggleWidth = 10;

// Restores the editing flag however the opener ends.
class EditAllowedScope {
 public:
  explicit EditAllowedScope(bool allowed) { SetEditAllowed(allowed); }
  ~EditAllowedScope() { SetEditAllowed(true); }
  EditAllowedScope(const EditAllowedScope&) = delete;
  EditAllowedScope& operator=(const EditAllowedScope&) = delete;
};

using Opener = void (CForm1View::*)();
struct OpenerRoute {
  const char* key;
  Opener opener;
};
constexpr OpenerRoute kOpenerRoutes[] = {
    {"VA_GRUND", &CForm1View::EditGrunddaten},
    {"VA_SIEBL", &CForm1View::StartSieveProgram},
    {"VA_KORNF", &CForm1View::EditKornform},
    {"VA_PLATT", &CForm1View::EditPlattigkeit},
    {"VA_ORGAN", &CForm1View::EditOrganischeStoffe},
    {"VA_BRUCH", &CForm1View::EditBruchflaechigkeit},
    {"VA_PETRO", &CForm1View::EditPetrographie},
    {"VA_RCZUS", &CForm1View::EditRCZusammensetzung},
    {"VA_WASSERG", &CForm1View::EditWassergehalt},
    {"VA_SANDEQ", &CForm1View::EditSandaequivalent},
    {"VA_FLIESSK", &CForm1View::EditFliesskoeffizient},
    {"VA_ALKALI", &CForm1View::EditAlkali},
    {"VA_ROHDI", &CForm1View::EditRohdichte},
    {"VA_WBS", &CForm1View::EditWasserbausteine},
    {"VA_100MM", &CForm1View::EditLaenger100},
    {"VA_GS_KORNFORM", &CForm1View::EditKornformGS},
    {"VA_GS_UMWELT", &CForm1View::EditUmweltvertraeglichkeit},
    {"VA_GS_WASSER", &CForm1View::EditWasseraufnahme},
    {"VA_GS_KRISTALL", &CForm1View::EditKristallisation},
    {"VA_GS_PLATTIGKEIT", &CForm1View::EditPlattigkeitGS},
    {"VA_GS_LAENGER100", &CForm1View::EditLaenger100GS},
    {"VA_GS_REINHEIT", &CForm1View::EditReinheitGS},
};

// The test commands: id, opener and the key of their enabling rule.
struct TestCommand {
  int id;
  Opener opener;  // null: the command does nothing
  const char* key;
};
constexpr TestCommand kTestCommands[] = {
    // Enabled by "VA_100MM", so it opens the test of that key (the ballast
    // variant would store a key the record does not carry).
    {9201, &CForm1View::EditLaenger100, "VA_100MM"},
    {9202, &CForm1View::EditRCZusammensetzung, "VA_RCZUS"},
    {9203, &CForm1View::EditWassergehalt, "VA_WASSERG"},
    {9204, &CForm1View::EditBruchflaechigkeit, "VA_BRUCH"},
    {9205, &CForm1View::EditKristallisation, "VA_KRIST"},
    {9206, &CForm1View::EditPetrographie, "VA_PETRO"},
    {9207, &CForm1View::EditReinheitGS, "VA_REINH"},
    {9208, &CForm1View::EditOrganischeStoffe, "VA_ORGAN"},
    {9209, &CForm1View::EditUmweltvertraeglichkeit, "VA_UMWEL"},
    {9210, nullptr, "VA_FLIESSK"},
    {9211, &CForm1View::StartSieveProgram, "VA_SIEBL"},
    {9212, &CForm1View::EditGrunddaten, "VA_GRUND"},
    {9214, &CForm1View::EditKornform, "VA_KORNF"},
    {9215, &CForm1View::EditPlattigkeit, "VA_PLATT"},
};

}  // namespace

CForm1View::CForm1View(CPravikDoc* document, QWidget* parent) : CpvFormView(kTemplateId, parent), document_(document) {
  CPravikWinApp* app = GetApp();
  testNumbers_.SetMirror(app ? &app->TestNumberIndex : nullptr);
  recordIds_.SetMirror(app ? &app->TestRecordIdIndex : nullptr);
  CreateControls();
  qApp->installEventFilter(this);
}

CForm1View::~CForm1View() {
  qApp->removeEventFilter(this);
  if (initialized_) OnDestroy();
  delete tips_.data();  // stores its rectangle
  selectionTimer_.Stop();
  sortChooserTimer_.Stop();
  // The rows (and their records) go with the model; the list goes first.
  delete list_;
  list_ = nullptr;
}

void CForm1View::CreateControls() {
  setAutoFillBackground(false);
  // The font of the form's template; the list scales its own from it.
  QFont formFont(QStringLiteral("Liberation Sans"));
  formFont.setPointSize(8);
  setFont(formFont);

  const char* texts[7] = {"&Neue Prüfnummer", "L&öschen ...", "&Zeitraumstatistik", "&Materialstatistik",
                          "?",                "M&ischmodul", "<"};
  for (int i = 0; i < 7; ++i) {
    const QString text = QString::fromUtf8(texts[i]);
    QPushButton* made = nullptr;
    if (kButtonIds[i] == kTogglePanelButton) {
      made = new QPushButton(text, this);
      made->setFlat(true);
    } else {
      made = new CButtonST(text, this);
    }
    platform::SetControlId(made, kButtonIds[i]);
    // Tab stops; a click leaves the focus where it was. Enter presses the
    // framed button as Space does.
    made->setFocusPolicy(Qt::TabFocus);
    made->setAutoDefault(true);
    buttons_[i] = made;
  }

  panel_ = new CButtonListbox(this);

  reminder_ = new QLabel(QString::fromUtf8("Regelmäßige Datensicherung nicht vergessen ! ausblenden ? "), this);
  platform::SetControlId(reminder_, kBackupReminder);
  reminder_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  reminder_->setFrameShape(QFrame::Box);
  reminder_->setAutoFillBackground(true);
  QPalette reminderPalette = reminder_->palette();
  reminderPalette.setColor(QPalette::WindowText, QColor(255, 0, 0));
  reminder_->setPalette(reminderPalette);
  hideReminder_ = new QCheckBox(this);
  platform::SetControlId(hideReminder_, kHideReminderCheck);

  model_ = new CRecordListModel(this);
  list_ = new CExListCtrl(this);
  platform::SetControlId(list_, kListId);
  list_->setModel(model_);

  connect(list_, &CExListCtrl::SelectionChanged, this, &CForm1View::OnLvnItemChangedList);
  connect(list_, &CExListCtrl::ColumnClicked, this, &CForm1View::OnLvnColumnClickList);
  connect(list_, &CExListCtrl::RowDoubleClicked, this, [this](int row) {
    if (row >= 0) EditGrunddaten();
  });
  connect(panel_, &CButtonListbox::ItemClicked, this, &CForm1View::OnLbnSelChangeTestTypePanel);
  connect(list_, &CExListCtrl::ContextMenuKey, this, &CForm1View::OnListContextMenuKey);
  // Tab walks the left column from the top, then the folding button, the
  // reminder's check box and the list.
  QWidget* previous = button(kNewRecordButton);
  for (QWidget* next : std::initializer_list<QWidget*>{
           button(kDeleteButton), panel_, button(kPeriodStatisticsButton), button(kMaterialStatisticsButton),
           button(kSameTowerButton), button(kMixtureButton), button(kTogglePanelButton), hideReminder_, list_}) {
    setTabOrder(previous, next);
    previous = next;
  }
  // A menu, a dialog or another window may take the Alt key's release.
  connect(qApp, &QApplication::focusChanged, panel_, [panel = panel_] { panel->SetAltMode(false); });
  connect(button(kTogglePanelButton), &QAbstractButton::clicked, this, &CForm1View::OnTogglePanel);
  connect(button(kDeleteButton), &QAbstractButton::clicked, this, &CForm1View::OnLoeschen);
  connect(button(kSameTowerButton), &QAbstractButton::clicked, this, &CForm1View::OnSameSiebturm);
  connect(button(kPeriodStatisticsButton), &QAbstractButton::clicked, this, &CForm1View::OnZeitraumstatistik);
  connect(button(kMaterialStatisticsButton), &QAbstractButton::clicked, this, &CForm1View::OnMaterialstatistik);
  connect(button(kMixtureButton), &QAbstractButton::clicked, this, &CForm1View::OnMischmodul);
  connect(hideReminder_, &QCheckBox::clicked, this, &CForm1View::OnHideBackupReminder);
  ConnectRecordControls();
}

QAbstractButton* CForm1View::button(int id) const {
  for (int i = 0; i < 7; ++i)
    if (kButtonIds[i] == id) return buttons_[i];
  return nullptr;
}

// ------------------------------------------------------------ set-up

void CForm1View::OnInitialUpdate() {
  CpvFormView::OnInitialUpdate();
  CPravikWinApp* app = GetApp();

  panel_->Init();
  list_->SetFontScale(130, 130);
  list_->horizontalHeader()->setSectionsMovable(true);

  // Widths the user saved stay; the defaults follow this system's list font.
  defaultColumnWidths_ = ScaledDefaultColumnWidths(list_->DigitWidth(), list_->StatusMarksWidth());
  std::string widths = defaultColumnWidths_;
  std::string order = kDefaultColumnOrder;
  std::string sortOrder = "0;0;0;0";
  if (app) {
    widths = app->GetProfileString("Layout", "Spaltenbreiten", defaultColumnWidths_);
    order = app->GetProfileString("Layout", "columnorder", kDefaultColumnOrder);
    sortOrder = app->GetProfileString("Layout", "SortOrder", "0;0;0;0");
  }
  sort_ = SortState::Parse(sortOrder);
  ApplyColumnLayout(widths, order, false);

  RefreshRecordList();

  hideReminder_->setChecked(app && app->m_Settings.m_NoDatasaveInfo != 0);
  static_cast<CButtonST*>(button(kSameTowerButton))
      ->SetTooltipText(TranslateString(1039, "Material mit gleichem Siebturm suchen"));
  initialized_ = true;
  UpdateTestTypePanel(0);
  LayoutControls();
  // The keys start in the list, as after every selection.
  list_->setFocus();
}

void CForm1View::RefreshRecordList() {
  if (!document_) return;
  RecordList records = std::move(document_->m_Records);
  document_->m_Records.clear();
  AddRecordRowsAtTop(std::move(records));
  if (CPravikWinApp* app = GetApp())
    MergeCustomerFile(app->CustomerNameMap, app->m_Settings.m_DataFolder / kCustomerFileName);
  ApplySortOrder([this](const std::vector<const CVersuch*>& rows) { return sort_.FullSortOrder(rows); });
  listOrder_.Set(sort_.Keys());
  ShowSortIndicator(sort_.primaryKind, sort_.primaryParameter);
  if (CPravikWinApp* app = GetApp())
    if (CSplash* splash = app->Splash()) splash->SetLoaded(true);
}

void CForm1View::RegisterRecordKeys(const CVersuch& record) {
  testNumbers_.Add(record.GetValue(1, 0));
  recordIds_.Add(record.GetValue(0, 0));
  if (CPravikWinApp* app = GetApp()) NoteRecordCustomer(app->CustomerNameMap, record);
}

int CForm1View::AddRecordRow(int index, std::unique_ptr<CVersuch> record) {
  if (!record) return -1;
  RegisterRecordKeys(*record);
  return model_->InsertRecord(index, std::move(record));
}

void CForm1View::AddRecordRowsAtTop(RecordList records) {
  const size_t rows = static_cast<size_t>(model_->RecordCount()) + records.size();
  testNumbers_.Reserve(rows);
  recordIds_.Reserve(rows);
  for (const auto& record : records)
    if (record) RegisterRecordKeys(*record);
  model_->InsertRecordsAtTop(std::move(records));
}

int CForm1View::AddSortedRecordRow(std::unique_ptr<CVersuch> record) {
  if (!record) return -1;
  const size_t row = listOrder_.InsertionRow(model_->Records(), *record);
  return AddRecordRow(static_cast<int>(row), std::move(record));
}

std::vector<int> CForm1View::AddSortedRecordRows(RecordList records) {
  std::erase(records, nullptr);
  if (records.size() == 1) return {AddSortedRecordRow(std::move(records.front()))};
  std::vector<int> added;
  if (records.empty()) return added;
  const size_t rows = static_cast<size_t>(model_->RecordCount()) + records.size();
  testNumbers_.Reserve(rows);
  recordIds_.Reserve(rows);
  for (const auto& record : records) RegisterRecordKeys(*record);
  // Appended and merged into their places in one pass, not one insert each.
  const size_t first = static_cast<size_t>(model_->RecordCount());
  model_->AppendRecords(std::move(records));
  std::vector<size_t> order;
  ApplySortOrder([this, first, &order](const std::vector<const CVersuch*>& all) {
    order = listOrder_.MergeOrder(all, first);
    return order;
  });
  added.reserve(rows - first);
  for (size_t row = 0; row < order.size(); ++row)
    if (order[row] >= first) added.push_back(static_cast<int>(row));
  return added;
}

void CForm1View::SelectRows(const std::vector<int>& rows, bool alone) {
  if (rows.empty()) return;
  // Runs of neighbouring rows make one range each.
  QItemSelection selection;
  for (size_t i = 0; i < rows.size();) {
    size_t last = i;
    while (last + 1 < rows.size() && rows[last + 1] == rows[last] + 1) ++last;
    selection.select(model_->index(rows[i], 0), model_->index(rows[last], 0));
    i = last + 1;
  }
  QItemSelectionModel* selected = list_->selectionModel();
  if (!alone) {
    selected->select(selection, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    return;
  }
  const QModelIndex first = model_->index(rows.front(), 0);
  selected->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  selected->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
  list_->scrollTo(first);
}

void CForm1View::DeleteRecordRow(int row) { DeleteRecordRows({row}); }

void CForm1View::DeleteRecordRows(const std::vector<int>& rows) {
  for (const std::unique_ptr<CVersuch>& record : TakeRecordRows(rows)) {
    testNumbers_.Remove(record->GetValue(1, 0));
    recordIds_.Remove(record->GetValue(0, 0));
  }
}

RecordList CForm1View::TakeRecordRows(const std::vector<int>& rows) {
  const std::vector<std::pair<int, int>> runs = RowRunsFromTheEnd(rows);
  // Many scattered rows go in one pass; the focus stays on its record.
  constexpr size_t kRunsRemovedOneByOne = 32;
  if (runs.size() > kRunsRemovedOneByOne) {
    const CVersuch* focused = model_->RecordAt(list_->FocusedRow());
    RecordList records = model_->TakeScatteredRecords(rows);
    if (const int row = model_->RowOf(focused); row >= 0)
      list_->selectionModel()->setCurrentIndex(model_->index(row, 0), QItemSelectionModel::NoUpdate);
    return records;
  }
  // Run by run from the bottom; the records are handed over in row order.
  std::vector<RecordList> taken;
  for (const auto& [first, last] : runs) taken.push_back(model_->TakeRecords(first, last - first + 1));
  RecordList records;
  records.reserve(rows.size());
  for (auto run = taken.rbegin(); run != taken.rend(); ++run)
    for (auto& record : *run) records.push_back(std::move(record));
  return records;
}

void CForm1View::RefreshRecordRow(int row) {
  CVersuch* record = model_->RecordAt(row);
  if (!record) return;
  record->UpdateListSummary();
  model_->RefreshRow(row);
  // A test just stored shows its new mark in the panel at once, and a new
  // material its tests; the panel shows the record the openers work on,
  // which need not hold the focus.
  if (row == CurrentRecordRow(list_->FocusedRow(), SelectedRows())) {
    UpdatePanelKeys();
    UpdatePanelStatus();
  }
}

bool CForm1View::SaveAllRecords() {
  CPravikWinApp* app = GetApp();
  if (!app) return false;
  // A save that keeps the user waiting shows the wait window.
  static LongWaitGuess guess(60e6);
  const std::uintmax_t bytes = platform::FileSize(app->m_Settings.m_DataFolder / kRecordFileName).value_or(0);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const auto started = std::chrono::steady_clock::now();
  bool saved = false;
  {
    WaitWindowScope wait(guess.IsLong(bytes));
    saved = SaveRecordFileSafely(model_->Records(), app->m_Settings.m_DataFolder);
  }
  if (saved) guess.Took(bytes, std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
  QApplication::restoreOverrideCursor();
  return saved;
}

std::vector<int> CForm1View::SelectedRows() const { return list_->SelectedRows(); }

CVersuch* CForm1View::GetCurrentRecord(int* row) {
  if (SieveProgramRuns()) return nullptr;
  const int current = CurrentRecordRow(list_->FocusedRow(), SelectedRows());
  if (current < 0) return nullptr;
  if (row) *row = current;
  return model_->RecordAt(current);
}

// ------------------------------------------------------------ columns

void CForm1View::ApplyColumnLayout(const std::string& widths, const std::string& order, bool reset) {
  const ColumnLayout layout = ParseColumnLayout(widths, order, reset, defaultColumnWidths_);
  QHeaderView* header = list_->horizontalHeader();
  for (size_t i = 0; i < layout.widths.size(); ++i) header->resizeSection(static_cast<int>(i), layout.widths[i]);
  for (size_t position = 0; position < layout.order.size(); ++position)
    header->moveSection(header->visualIndex(layout.order[position]), static_cast<int>(position));
}

std::string CForm1View::ColumnWidthsText() const {
  std::vector<int> widths;
  for (int i = 0; i < kListColumnCount; ++i) widths.push_back(list_->horizontalHeader()->sectionSize(i));
  return FormatColumnWidths(widths);
}

std::string CForm1View::ColumnOrderText() const {
  std::vector<int> order;
  for (int position = 0; position < kListColumnCount; ++position)
    order.push_back(list_->horizontalHeader()->logicalIndex(position));
  return FormatColumnOrder(order);
}

void CForm1View::OnSpaltenLayoutZuruecksetzen() {
  ApplyColumnLayout({}, {}, true);
  SortList(kSortByColumn, 0);
}

void CForm1View::OnDestroy() {
  if (layoutWritten_) return;
  layoutWritten_ = true;
  CPravikWinApp* app = GetApp();
  if (!app || !list_) return;
  app->WriteProfileString("Layout", "Spaltenbreiten", ColumnWidthsText());
  app->WriteProfileString("Layout", "columnorder", ColumnOrderText());
  app->WriteProfileString("Layout", "SortOrder", sort_.Format());
}

void CForm1View::LayoutControls() {
  if (!list_) return;
  const int w = width();
  const int h = height();

  // The left column, as wide as its longest caption needs.
  int columnWidth = std::max(kColumnWidth, panel_->WidestCaption() + CButtonListbox::kCaptionIndent + 4);
  for (int id : {kNewRecordButton, kDeleteButton, kPeriodStatisticsButton, kMaterialStatisticsButton, kMixtureButton}) {
    QAbstractButton* b = button(id);
    const int room = id == kMaterialStatisticsButton ? 30 : 0;
    columnWidth = std::max(columnWidth, b->fontMetrics().horizontalAdvance(b->text().remove('&')) + 12 + room);
  }
  button(kTogglePanelButton)->setGeometry(0, 5, kToggleWidth, kButtonHeight);
  button(kNewRecordButton)->setGeometry(kColumnLeft, 5, columnWidth, kButtonHeight);
  button(kDeleteButton)->setGeometry(kColumnLeft, 5 + kButtonHeight + 2, columnWidth, kButtonHeight);
  const int panelTop = 5 + 2 * (kButtonHeight + 2) + 4;
  panel_->setGeometry(kColumnLeft, panelTop, columnWidth, panel_->height());
  int y = panelTop + panel_->height() + 8;
  button(kPeriodStatisticsButton)->setGeometry(kColumnLeft, y, columnWidth, kButtonHeight);
  y += kButtonHeight + 2;
  button(kMaterialStatisticsButton)->setGeometry(kColumnLeft, y, columnWidth - 30, kButtonHeight);
  button(kSameTowerButton)->setGeometry(kColumnLeft + columnWidth - 26, y, 26, kButtonHeight);
  y += kButtonHeight + 2;
  button(kMixtureButton)->setGeometry(kColumnLeft, y, columnWidth, kButtonHeight);

  const QWidget* reference = panelExpanded_ ? button(kNewRecordButton) : button(kTogglePanelButton);
  const int right = reference->geometry().right() + 1;
  const int bottom = reference->geometry().bottom() + 1;

  int top = 5;
  CPravikWinApp* app = GetApp();
  const bool showReminder = !app || app->m_Settings.m_NoDatasaveInfo == 0;
  if (showReminder) top = bottom + 3;
  const QSize checkSize(16, 16);
  hideReminder_->setGeometry(w - 10 - checkSize.width(), 5, checkSize.width(), checkSize.height());
  const int reminderWidth = reminder_->sizeHint().width() + 8;
  reminder_->setGeometry(hideReminder_->x() - 7 - reminderWidth, 5, reminderWidth, 18);
  reminder_->setVisible(showReminder);
  hideReminder_->setVisible(showReminder);

  list_->setGeometry(right + 5, top, std::max(0, w - right - 10), std::max(0, h - top - 5));
  list_->show();
}

void CForm1View::OnHideBackupReminder() {
  CPravikWinApp* app = GetApp();
  if (!app) return;
  const int value = hideReminder_->isChecked() ? 1 : 0;
  if (value != app->m_Settings.m_NoDatasaveInfo) {
    app->m_Settings.m_NoDatasaveInfo = value;
    if (!app->m_Settings.SaveSettings()) app->ReportSettingsWriteFailure();
  }
  LayoutControls();
}

void CForm1View::resizeEvent(QResizeEvent* event) {
  CpvFormView::resizeEvent(event);
  LayoutControls();
}

void CForm1View::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kFormBackground);
}

// ------------------------------------------------------------ sorting

void CForm1View::ApplySortOrder(const CRecordListModel::RowOrder& order) {
  list_->setUpdatesEnabled(false);
  model_->ReorderRows(order);
  list_->setUpdatesEnabled(true);
}

void CForm1View::SortList(int kind, int parameter) {
  ApplySortOrder([kind, parameter](const std::vector<const CVersuch*>& rows) { return SortOrder(rows, kind, parameter); });
  listOrder_.SortedBy(kind, parameter);
  ShowSortIndicator(kind, parameter);
}

void CForm1View::ShowSortIndicator(int kind, int parameter) {
  QHeaderView* header = list_->horizontalHeader();
  header->setSortIndicatorShown(kind != kSortByStatus);
  if (kind == kSortByStatus) return;
  header->setSortIndicator(parameter % kSortDescending,
                           parameter >= kSortDescending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void CForm1View::SetSortKey(int kind, int parameter) {
  sort_.SetSortKey(kind, parameter);
  SortList(kind, parameter);
}

void CForm1View::OnLvnColumnClickList(int column) {
  if (column == kStatusColumn) {
    sortChooserTimer_.StartOnce(1, [this] { OnStatusSortChooser(); });
    return;
  }
  WaitWindowScope wait;
  SetSortKey(kSortByColumn, column + direction_.Next());
}

void CForm1View::OnStatusSortChooser() {
  sortChooserTimer_.Stop();
  CStatusSortierungDlg chooser(this);
  chooser.DoModal();
  if (chooser.ChosenOrder() >= 0) {
    WaitWindowScope wait;
    SetSortKey(kSortByStatus, chooser.ChosenOrder());
  } else {
    // The click on the header may have moved its mark.
    ShowSortIndicator(sort_.primaryKind, sort_.primaryParameter);
  }
  EndOfTimer();
}

// ------------------------------------------------------------ selection and panel

void CForm1View::OnLvnItemChangedList() {
  if (!selectionTimer_.IsActive()) selectionTimer_.StartOnce(1, [this] { EvaluateSelection(); });
}

void CForm1View::EvaluateSelection() {
  selectionTimer_.Stop();
  const std::vector<int> rows = SelectedRows();
  std::vector<const CVersuch*> selected;
  selected.reserve(rows.size());
  // Unselected records lose their selection flag; a record selected alone gets it.
  std::vector<bool> isSelected(static_cast<size_t>(model_->RecordCount()), false);
  for (int row : rows) {
    if (CVersuch* record = model_->RecordAt(row)) {
      selected.push_back(record);
      isSelected[static_cast<size_t>(row)] = true;
    }
  }
  std::vector<int> changedRows;
  for (int row = 0; row < model_->RecordCount(); ++row) {
    CVersuch* record = model_->RecordAt(row);
    if (!isSelected[static_cast<size_t>(row)] && record->m_selected != 0) {
      record->m_selected = 0;
      changedRows.push_back(row);
    }
  }

  const SelectionSummary summary = SummarizeSelection(selected);
  if (summary.count == 1) {
    CVersuch* record = model_->RecordAt(rows.front());
    if (record->m_selected != 1) changedRows.push_back(rows.front());
    record->m_selected = 1;
    ShowPanelSetOf(*record);
  }
  // The flag colours the whole row: repaint every cell of those rows.
  for (int row : changedRows) list_->RepaintRow(row);
  SetStatusText(SelectionStatusText(summary));
  UpdateTestTypePanel(summary.count);

  SelectionButtons before{button(kPeriodStatisticsButton)->isEnabled(), button(kMaterialStatisticsButton)->isEnabled(),
                          button(kMixtureButton)->isEnabled(), button(kDeleteButton)->isEnabled()};
  const SelectionButtons after = SelectionButtonStates(summary, before);
  EnableButton(kPeriodStatisticsButton, after.periodStatistics);
  EnableButton(kMaterialStatisticsButton, after.materialStatistics);
  EnableButton(kMixtureButton, after.mixture);
  EnableButton(kDeleteButton, after.remove);
  EndOfTimer();
}

void CForm1View::EndOfTimer() {
  UpdatePanelStatus();
  list_->setFocus();
}

void CForm1View::ShowPanelSetOf(const CVersuch& record) {
  // The track-ballast keys are the tests of track ballast; a built-in
  // grading mixture keeps the normal keys its side tests need, with its
  // grain shape under the key of the built-in materials.
  panel_->SetBallastMode(record.IsGleisschotter());
  panel_->SetMixtureMode(!record.IsGleisschotter() && record.HasTestType("VA_GS_KORNFORM") &&
                         !record.HasTestType("VA_KORNF"));
}

void CForm1View::EnablePanelKeys(bool oneSelected) {
  for (const char* key : TestTypeKeys) panel_->EnableKey(key, oneSelected && HasCurrentRecordTestType(key));
}

void CForm1View::UpdatePanelKeys() {
  const bool oneSelected = SelectedCountUpTo(2) == 1;
  if (oneSelected)
    if (const CVersuch* record = model_->RecordAt(CurrentRecordRow(list_->FocusedRow(), SelectedRows())))
      ShowPanelSetOf(*record);
  EnablePanelKeys(oneSelected);
  panel_->update();
}

void CForm1View::UpdateTestTypePanel(int selectedCount) {
  EnablePanelKeys(selectedCount == 1);
  if (selectedCount == 1) {
    EnableButton(kPeriodStatisticsButton, true);
    EnableButton(kMaterialStatisticsButton, true);
  }
  EnableButton(kMixtureButton, selectedCount >= 1 && selectedCount <= 20);
  EnableButton(kDeleteButton, selectedCount > 0);
  panel_->update();
}

void CForm1View::UpdatePanelStatus() {
  const CVersuch* record = model_->RecordAt(CurrentRecordRow(list_->FocusedRow(), SelectedRows()));
  if (!record) return;
  panel_->ClearStatuses();
  for (const std::string& token : TestStatusTokens(record->GetTestStatusList())) panel_->SetStatusEntry(token);
  panel_->update();
}

int CForm1View::SelectedCountUpTo(int limit) const {
  // Walks the selection's ranges only: the enabling rules ask on every idle turn.
  std::vector<int> rows;
  for (const QItemSelectionRange& range : list_->selectionModel()->selection()) {
    for (int row = range.top(); row <= range.bottom(); ++row) {
      if (std::find(rows.begin(), rows.end(), row) == rows.end()) rows.push_back(row);
      if (static_cast<int>(rows.size()) >= limit) return limit;
    }
  }
  return static_cast<int>(rows.size());
}

bool CForm1View::HasCurrentRecordTestType(const std::string& key) const {
  if (SelectedCountUpTo(2) > 1) return false;
  const CVersuch* record = model_->RecordAt(CurrentRecordRow(list_->FocusedRow(), SelectedRows()));
  return record && record->HasTestType(key);
}

void CForm1View::OnLbnSelChangeTestTypePanel(int item, bool withAlt) {
  if (item < 0) return;
  const bool applies = panel_->IsKeyEnabled(item);
  if (!applies && !withAlt) return;
  // A test that does not apply opens for looking only.
  EditAllowedScope editing(applies);
  OpenTestOfKey(panel_->GetKeyAt(item));
}

bool CForm1View::OpenTestOfKey(const std::string& key) {
  for (const OpenerRoute& route : kOpenerRoutes) {
    if (key == route.key) {
      (this->*route.opener)();
      return true;
    }
  }
  return false;
}

void CForm1View::OnTogglePanel() {
  panelExpanded_ = !panelExpanded_;
  button(kTogglePanelButton)->setText(panelExpanded_ ? "<" : ">");
  for (int id : {kNewRecordButton, kDeleteButton, kPeriodStatisticsButton, kMaterialStatisticsButton, kMixtureButton})
    button(id)->setVisible(panelExpanded_);
  panel_->setVisible(panelExpanded_);
  // Button 1039 stays, under the widened list: no Tab stop there.
  button(kSameTowerButton)->setFocusPolicy(panelExpanded_ ? Qt::TabFocus : Qt::NoFocus);
  LayoutControls();
}

bool CForm1View::eventFilter(QObject* watched, QEvent* event) {
  // Alt held in the view's window shows every panel key as usable, until
  // Alt is let go anywhere (a menu opened with Alt takes the release), a
  // key comes without it, or another window shows.
  const QEvent::Type type = event->type();
  auto* widget = qobject_cast<QWidget*>(watched);
  if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
    auto* key = static_cast<QKeyEvent*>(event);
    const bool inView = widget && widget->window() == window();
    if (key->key() == Qt::Key_Alt) {
      if (!key->isAutoRepeat()) panel_->SetAltMode(type == QEvent::KeyPress && inView);
    } else if (!(key->modifiers() & Qt::AltModifier)) {
      panel_->SetAltMode(false);
    }
    if (type == QEvent::KeyPress && inView) OnViewKey(widget, *key);
  } else if (type == QEvent::ApplicationDeactivate || (type == QEvent::WindowDeactivate && watched == window()) ||
             (type == QEvent::Show && widget && widget->isWindow() && widget != window())) {
    panel_->SetAltMode(false);
  }
  return CpvFormView::eventFilter(watched, event);
}

void CForm1View::OnListContextMenuKey() {
  const int row = CurrentRecordRow(list_->FocusedRow(), SelectedRows());
  if (row >= 0) OnNMRClickList(row, list_->RowMenuPosition(row));
}

void CForm1View::SetStatusText(const std::string& text) {
  statusText_ = text;
  if (statusHandler_) statusHandler_(text);
}

void CForm1View::EnableButton(int id, bool enable) {
  if (QAbstractButton* b = button(id)) b->setEnabled(enable);
}

// ------------------------------------------------------------ commands

void CForm1View::RegisterCommands(platform::CommandTable& commands) {
  // A command the frame shows already keeps its (translated) text.
  auto route = [&commands](int id, std::function<void()> handler) {
    if (commands.Action(id)) commands.SetHandler(id, std::move(handler));
    else commands.Add(id, "", std::move(handler));
  };
  route(10007, [this] { OnSpaltenLayoutZuruecksetzen(); });
  route(32783, [this] { OnSaveAll(); });
  route(9001, [this] { OnMaterialdefinitionen(); });
  route(9002, [this] { OnKundenverwaltung(); });
  route(9003, [this] { OnStatistikverwaltung(); });
  route(9011, [this] { OnAllgemeineEinstellungen(); });
  route(9012, [this] { OnEinstellungenNeuePruefnummern(); });
  route(9014, [this] { OnTippsUndTricks(); });
  for (const TestCommand& command : kTestCommands) {
    std::function<void()> handler = [] {};
    if (command.opener) handler = [this, opener = command.opener] { (this->*opener)(); };
    route(command.id, handler);
    commands.SetUpdateRule(command.id,
                           [this, key = std::string(command.key)](platform::CmdUI& ui) { ui.Enable(HasCurrentRecordTestType(key)); });
  }
  // Print and preview run one print job over the selected records; the
  // printer setup only chooses the printer.
  auto runPrintJob = [this](platform::PrintResult (*run)(platform::PrintableView&)) {
    std::vector<CVersuch*> records;
    for (int row : SelectedRows())
      if (CVersuch* record = model_->RecordAt(row)) records.push_back(record);
    CRecordPrintJob job(std::move(records));
    run(job);
  };
  route(57607, [runPrintJob] { runPrintJob(platform::PrintWithDialog); });
  route(57608, [runPrintJob] { runPrintJob(platform::PrintDirect); });
  route(57609, [runPrintJob] { runPrintJob(platform::PrintPreview); });
  route(57606, [] { platform::PrinterSetup(TranslateString(68002, "Druckereinrichtung"), TranslateString(68001, "OK")); });
  RegisterRecordCommands(commands);
  // Archive and transfer files (shell/archive/, shell/transfer/).
  route(9101, [this] { OnArchivieren(); });
  route(9102, [this] { OnImportieren(); });
  route(9103, [this] { OnExportieren(); });
  route(9104, [this] { OnDearchivieren(); });
  route(9013, [this] { OnEinstellungenStatistiken(); });
  route(9004, [this] { OnMischungsverwaltung(); });
  // Commands of later dialogs: only their enabling rules stand already.
  auto atLeastOne = [this](platform::CmdUI& ui) { ui.Enable(SelectedCountUpTo(1) > 0); };
  for (int id : {9005, 9103, 57607, 57609}) commands.SetUpdateRule(id, atLeastOne);
}

void CForm1View::OnSaveAll() { SaveAllRecords(); }
