#include "shell/mixtures/mischungsverwaltungdlg.h"

#include <QHeaderView>
#include <QPushButton>
#include <algorithm>

#include "controls/perslistctrl.h"
#include "i18n/translation.h"
#include "platform/messagebox.h"
#include "services/sysfuncs.h"
#include "ui_mischungsverwaltung.h"

using platform::IDOK;
using platform::IDYES;

namespace {

constexpr int kCommand = 9004;

struct Column {
  int textId;
  const char* german;
  int width;
};
constexpr Column kColumns[kMixtureColumns] = {
    {5270, "Status", 0},      {5271, "Bezeichnung", 85}, {5272, "Anz. Mat.", 95},
    {5273, "angelegt am", 70}, {5274, "Anforderung", 170}, {5275, "Datei", 304},
};

// The direction of the next header click, for every list of the run.
bool g_nextAscending = true;

void ShowFileFailure(const std::string& what, const std::vector<std::string>& paths) {
  std::string text = "FEHLER:\n" + what;
  for (const std::string& path : paths) text += "\n" + path;
  platform::ShowMessageBox(text, platform::MB_OK | platform::MB_ICONSTOP);
}

}  // namespace

CMischungsverwaltungDlg::CMischungsverwaltungDlg(MixtureFolders folders, QWidget* parent)
    : CpvDialog(kTemplateId, parent), folders_(std::move(folders)) {
  Ui::MischungsverwaltungDlg ui;
  ui.setupUi(this);
  SetItemText(platform::IDOK, TranslateString(66017, "Schließen"));
  list_ = ui.mixtures;
  // Rows are sorted by their own keys; the tree's sorting stays off (turning
  // it off after this line would make the header unclickable again).
  list_->header()->setSectionsClickable(true);
  connect(list_->header(), &QHeaderView::sectionClicked, this, [this](int column) { OnColumnClick(column); });
  connect(list_, &QTreeWidget::itemSelectionChanged, this, [this] { OnSelectionChanged(); });
  connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { OpenMixture(); });
  connect(ui.open, &QPushButton::clicked, this, [this] { OpenMixture(); });
  connect(ui.duplicate, &QPushButton::clicked, this, [this] { DuplicateMixture(); });
  connect(ui.remove, &QPushButton::clicked, this, [this] { DeleteMixtures(); });
  connect(ui.archive, &QPushButton::clicked, this, [this] { MoveMixtureFiles(); });
  connect(ui.dearchive, &QPushButton::clicked, this, [this] {
    if (m_ArchiveMode) MoveMixtureFiles();
    else OnDearchivieren();
  });
}

CMischungsverwaltungDlg::~CMischungsverwaltungDlg() = default;

bool CMischungsverwaltungDlg::OnInitDialog() {
  CpvDialog::OnInitDialog();
  for (int id : {kOpen, kDuplicate, kDelete}) EnableItem(id, false);
  if (m_ArchiveMode) {
    setWindowTitle(QString::fromStdString(TranslateString(60604, "Mischungsverwaltung Dearchivieren")));
    listed_ = folders_.archive;
    target_ = folders_.working;
    EnableItem(kArchive, false);
    if (parentWidget()) move(parentWidget()->window()->pos() + QPoint(60, 60));
  } else {
    listed_ = folders_.working;
    target_ = folders_.archive;
  }
  if (list_->GetColumnCount() == 0) {
    for (int c = 0; c < kMixtureColumns; ++c)
      list_->InsertColumn(c, TranslateString(kColumns[c].textId, kColumns[c].german), kColumns[c].width);
    list_->RestoreColumnWidths("spaltenbreiten", "Mischverwaltung", "0;85;95;70;170;304;");
  }
  ReadMixtureList();
  return true;
}

const MixtureRow* CMischungsverwaltungDlg::RowData(int row) const {
  return reinterpret_cast<const MixtureRow*>(list_->GetItemData(row));
}

void CMischungsverwaltungDlg::ReadMixtureList() {
  for (const MixtureRow& row : ReadMixtureFolder(listed_)) AddMixtureRow(row, 0);
}

void CMischungsverwaltungDlg::AddMixtureRow(const MixtureRow& row, int index) {
  rows_.push_back(std::make_unique<MixtureRow>(row));
  const int at = list_->InsertItem(index, row.texts[0]);
  for (int c = 1; c < kMixtureColumns; ++c) list_->SetItemText(at, c, row.texts[static_cast<size_t>(c)]);
  list_->SetItemData(at, reinterpret_cast<quintptr>(rows_.back().get()));
}

void CMischungsverwaltungDlg::RemoveRow(int row) {
  const MixtureRow* data = RowData(row);
  list_->DeleteItem(row);
  std::erase_if(rows_, [data](const std::unique_ptr<MixtureRow>& r) { return r.get() == data; });
}

void CMischungsverwaltungDlg::ClearRows() {
  list_->DeleteAllItems();
  rows_.clear();
}

void CMischungsverwaltungDlg::OnSelectionChanged() {
  const bool one = list_->SelectedRows().size() == 1;
  EnableItem(kDelete, true);
  EnableItem(kOpen, one);
  EnableItem(kDuplicate, one);
}

void CMischungsverwaltungDlg::OpenMixture() {
  const std::vector<int> selected = list_->SelectedRows();
  if (selected.size() != 1) return;
  LaunchProgram(folders_.program / "blendor", {RowData(selected.front())->path.string()});
  EndDialog(IDOK);
}

void CMischungsverwaltungDlg::DuplicateMixture() {
  const std::vector<int> selected = list_->SelectedRows();
  if (selected.size() != 1) return;
  const std::filesystem::path file = RowData(selected.front())->path;
  const std::optional<MixtureRow> copy = DuplicateMixtureFile(file, listed_, m_Clock);
  if (!copy) {
    ShowFileFailure(TranslateString(60605, "Folgende Mischung konnte nicht dupliziert werden:"), {file.string()});
    return;
  }
  // The copy takes the place of the copied row, which moves down.
  AddMixtureRow(*copy, selected.front());
}

void CMischungsverwaltungDlg::DeleteMixtures() {
  const std::vector<int> selected = list_->SelectedRows();
  if (selected.empty()) return;
  const std::string question =
      std::to_string(selected.size()) + TranslateString(5276, " gewählte Mischung(en) löschen ?");
  if (platform::ShowMessageBox(question, platform::MB_YESNOCANCEL | platform::MB_ICONQUESTION,
                               TranslateString(5277, "Mischung löschen")) != IDYES)
    return;
  for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
    const std::filesystem::path file = RowData(*it)->path;
    if (DeleteMixtureFile(file)) RemoveRow(*it);
    else ShowFileFailure(TranslateString(60606, "Folgende Datei konnte nicht gelöscht werden:"), {file.string()});
  }
}

void CMischungsverwaltungDlg::MoveMixtureFiles() {
  const std::vector<int> selected = list_->SelectedRows();
  for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
    const std::filesystem::path file = RowData(*it)->path;
    if (MoveMixtureFile(file, target_)) RemoveRow(*it);
    else
      ShowFileFailure(TranslateString(7290, "Folgende Datei konnte nicht verschoben werden:"),
                      {file.string(), MixtureTargetPath(file, target_).string()});
  }
}

void CMischungsverwaltungDlg::OnDearchivieren() {
  CMischungsverwaltungDlg archive(folders_, this);
  archive.m_ArchiveMode = true;
  archive.m_Clock = m_Clock;
  archive.SetIconCommand(kCommand);
  archive.DoModal();
  // Mixtures may have come back.
  ClearRows();
  ReadMixtureList();
}

void CMischungsverwaltungDlg::OnColumnClick(int column) {
  const bool ascending = g_nextAscending;
  g_nextAscending = !g_nextAscending;
  list_->SortRows([column, ascending](quintptr a, quintptr b) {
    const int order = CompareMixtureRows(*reinterpret_cast<const MixtureRow*>(a),
                                         *reinterpret_cast<const MixtureRow*>(b), column);
    return ascending ? order < 0 : order > 0;
  });
}

void RunMixtureManagement(const MixtureFolders& folders, QWidget* parent) {
  CMischungsverwaltungDlg dlg(folders, parent);
  dlg.SetIconCommand(kCommand);
  dlg.DoModal();
}
