#include "shell/settings/einstellungendlg.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "i18n/translation.h"
#include "platform/files.h"
#include "platform/messagebox.h"
#include "platform/textfile.h"
#include "platform/uiseam.h"
#include "records/recordfile.h"
#include "services/pravikapp.h"
#include "shell/start/startup.h"
#include "shell/start/werkauswahl.h"
#include "ui_einstellungenallgdlg.h"
#include "ui_einstellungendlg.h"

using platform::IDCANCEL;
using platform::IDOK;

namespace {

// The labels of the pen rows carry ids of their own, so that they are translated.
constexpr int kFirstPenLabelId = 60730;
constexpr int kNoRecordFileTextId = 60720;

void ShowWriteFailure(const std::filesystem::path& file) {
  platform::ShowMessageBox(TranslateString(7303, "Die Datei kann nicht geschrieben werden:") + "\n" + file.string(),
                           platform::MB_OK | platform::MB_ICONSTOP);
}

int Profile(const char* section, const char* key, int defaultValue) {
  CPravikWinApp* app = GetApp();
  return app ? app->GetProfileInt(section, key, defaultValue) : defaultValue;
}

// Reported by the command in its own words.
bool WriteProfile(const char* section, const char* key, int value) {
  CPravikWinApp* app = GetApp();
  return app && app->m_Settings.Profile().WriteInt(section, key, value);
}

}  // namespace

// ------------------------------------------------------------ the pen rows

const std::array<PenRowIds, 16>& PenRows() {
  static const std::array<PenRowIds, 16> rows = {{
      {0, 1537, 1066, 1021, 1028, "Diagrammgitter:"},
      {2, 1539, 1068, 1023, 1030, "WBS obere Grenzwertkurve:"},
      {3, 1540, 1069, 1024, 1031, "WBS Untere Grenzwertkurve:"},
      {4, 1541, 1070, 1025, 1032, "Datenkurve:"},
      {5, 1542, 1071, 1026, 1033, "Sieblinie:"},
      {6, 1543, 1072, 1027, 1034, "Werktypische Sieblinie:"},
      {7, 1544, 1073, 1035, 1036, "Grenzwerte def. Mat. (Pfeile):"},
      {8, 1545, 1074, 1037, 1038, "Grenzwerte Korngemische:"},
      {9, 1546, 1075, 1039, 1040, "Grenzwerte Gleisschotter:"},
      {10, 1547, 1076, 1041, 1042, "Sollwerte SDV:"},
      {11, 1548, 1077, 1043, 1044, "Grenzw. Linie 1"},
      {12, 1549, 1078, 1045, 1046, "Grenzw. Linie 2"},
      {13, 1550, 1079, 1047, 1048, "Grenzw. Linie 3"},
      {14, 1551, 1080, 1049, 1050, "Grenzw. Linie 4"},
      {15, 1552, 1081, 1051, 1052, "Grenzw. Linie 5"},
      {16, 1553, 1082, 1053, 1054, "Grenzw. Linie 6"},
  }};
  return rows;
}

void FillLineWidthCombo(QComboBox* combo, int selectedIndex) {
  if (!combo) return;
  combo->clear();
  const std::pair<int, const char*> items[] = {
      {5091, "dünn"}, {5092, "2-fach"}, {5093, "3-fach"}, {5094, "4-fach"}, {5095, "5-fach"}};
  int data = 1;
  for (const auto& [id, german] : items) combo->addItem(QString::fromStdString(TranslateString(id, german)), data++);
  combo->setCurrentIndex(selectedIndex < 0 ? 0 : selectedIndex);
}

void FillLineStyleCombo(QComboBox* combo, int selectedIndex) {
  if (!combo) return;
  combo->clear();
  int data = 0;
  for (const char* text : {"_______", "-------", ".......", "_._._._", "_.._.._"})
    combo->addItem(QString::fromLatin1(text), data++);
  combo->setCurrentIndex(selectedIndex);  // out of range: none
}

// ------------------------------------------------------------ CEinstellungenAllgDlg

CEinstellungenAllgDlg::CEinstellungenAllgDlg(const CProgrammEinstellungen& settings, QWidget* parent)
    : CpvDialog(kTemplateId, parent), m_Settings(settings) {
  Ui::EinstellungenAllgDlg ui;
  ui.setupUi(this);
  int row = 0;
  for (const PenRowIds& pen : PenRows()) {
    auto* label = new QLabel(QString::fromUtf8(pen.label), this);
    platform::SetControlId(label, kFirstPenLabelId + pen.entry);
    auto* swatch = new QLabel(this);
    platform::SetControlId(swatch, pen.swatch);
    swatch->setFixedSize(48, 20);
    swatch->setFrameShape(QFrame::Box);
    swatch->setAutoFillBackground(true);
    auto* change = new QPushButton(QString::fromUtf8("ändern"), this);
    platform::SetControlId(change, pen.change);
    change->setAutoDefault(false);
    auto* width = new QComboBox(this);
    platform::SetControlId(width, pen.width);
    auto* style = new QComboBox(this);
    platform::SetControlId(style, pen.style);
    ui.rowsGrid->addWidget(label, row, 0);
    ui.rowsGrid->addWidget(swatch, row, 1);
    ui.rowsGrid->addWidget(change, row, 2);
    ui.rowsGrid->addWidget(width, row, 3);
    ui.rowsGrid->addWidget(style, row, 4);
    ++row;
    const int entry = pen.entry;
    connect(change, &QPushButton::clicked, this, [this, entry] { OnChangeColour(entry); });
    connect(width, &QComboBox::currentIndexChanged, this, [this, entry] { OnWidthChanged(entry); });
  }
  connect(ui.chooseArchiveFolder, &QPushButton::clicked, this, [this] { OnBrowseArchiveFolder(); });
  connect(ui.chooseDataFolder, &QPushButton::clicked, this, [this] { OnChooseDataFolder(); });
  SetIconCommand(kIconCommand);
  m_Settings.LoadSettings();
}

CEinstellungenAllgDlg::~CEinstellungenAllgDlg() = default;

const PenRowIds* CEinstellungenAllgDlg::Row(int entry) const {
  for (const PenRowIds& row : PenRows())
    if (row.entry == entry) return &row;
  return nullptr;
}

QComboBox* CEinstellungenAllgDlg::WidthCombo(int entry) const {
  const PenRowIds* row = Row(entry);
  return row ? Item<QComboBox>(row->width) : nullptr;
}

QComboBox* CEinstellungenAllgDlg::StyleCombo(int entry) const {
  const PenRowIds* row = Row(entry);
  return row ? Item<QComboBox>(row->style) : nullptr;
}

bool CEinstellungenAllgDlg::OnInitDialog() {
  CpvDialog::OnInitDialog();
  SetItemText(kDataFolder, m_Settings.m_DataFolder.string());
  SetItemText(kArchiveFolder, m_Settings.m_ArchiveFolder);
  CheckItem(kHideReminder, m_Settings.m_NoDatasaveInfo != 0);
  CheckItem(kPrintLogo, m_Settings.m_PrintLogo != 0);
  for (const PenRowIds& row : PenRows()) {
    const LayoutEntry& pen = m_Settings.LayoutTable[static_cast<size_t>(row.entry)];
    FillLineWidthCombo(WidthCombo(row.entry), pen.widthFactor - 1);
    FillLineStyleCombo(StyleCombo(row.entry), pen.style);
    EnableStyleCombo(row.entry);
    ShowSwatch(row.entry);
  }
  return true;
}

void CEinstellungenAllgDlg::EnableStyleCombo(int entry) {
  if (entry < 0 || entry >= kLayoutEntryCount) return;
  QComboBox* width = WidthCombo(entry);
  QComboBox* style = StyleCombo(entry);
  if (width && style) style->setEnabled(width->currentIndex() == 0);
}

void CEinstellungenAllgDlg::OnWidthChanged(int entry) { EnableStyleCombo(entry); }

void CEinstellungenAllgDlg::ShowSwatch(int entry) {
  const PenRowIds* row = Row(entry);
  QLabel* swatch = row ? Item<QLabel>(row->swatch) : nullptr;
  if (!swatch) return;
  const platform::ColorRef c = m_Settings.LayoutTable[static_cast<size_t>(entry)].color;
  QPalette palette = swatch->palette();
  palette.setColor(QPalette::Window, QColor(platform::GetRValue(c), platform::GetGValue(c), platform::GetBValue(c)));
  swatch->setPalette(palette);
  swatch->update();
}

platform::ColorRef CEinstellungenAllgDlg::SwatchColour(int entry) const {
  const PenRowIds* row = Row(entry);
  QLabel* swatch = row ? Item<QLabel>(row->swatch) : nullptr;
  if (!swatch) return 0;
  const QColor c = swatch->palette().color(QPalette::Window);
  return platform::RGB(c.red(), c.green(), c.blue());
}

void CEinstellungenAllgDlg::OnChangeColour(int entry) {
  if (!Row(entry)) return;
  LayoutEntry& pen = m_Settings.LayoutTable[static_cast<size_t>(entry)];
  if (const auto chosen = platform::ChooseColor(pen.color)) {
    pen.color = *chosen;
    ShowSwatch(entry);
  }
}

void CEinstellungenAllgDlg::OnBrowseArchiveFolder() {
  platform::FolderDialogRequest request;
  request.start = m_Settings.m_ArchiveFolder;
  if (const auto folder = platform::ChooseFolder(request)) {
    m_Settings.m_ArchiveFolder = folder->string();
    // Only the folder: boxes the user changed keep what they show.
    SetItemText(kArchiveFolder, m_Settings.m_ArchiveFolder);
  }
}

void CEinstellungenAllgDlg::OnChooseDataFolder() {
  CPravikWinApp* app = GetApp();
  if (!app) return;
  QWidget* mainWindow = parentWidget() ? parentWidget()->window() : nullptr;
  // The move ends the program; nothing else of this dialog is kept.
  if (ChooseDataFolder(*app, mainWindow) == DataFolderMove::Moved) EndDialog(IDCANCEL);
}

void CEinstellungenAllgDlg::OnOK() {
  m_Settings.m_ArchiveFolder = GetItemText(kArchiveFolder);
  m_Settings.m_NoDatasaveInfo = IsItemChecked(kHideReminder) ? 1 : 0;
  m_Settings.m_PrintLogo = IsItemChecked(kPrintLogo) ? 1 : 0;
  for (const PenRowIds& row : PenRows()) {
    LayoutEntry& pen = m_Settings.LayoutTable[static_cast<size_t>(row.entry)];
    // A box without a selection (a value the file held out of range) keeps the value.
    if (QComboBox* width = WidthCombo(row.entry); width && width->currentIndex() >= 0)
      pen.widthFactor = width->currentData().toInt();
    if (QComboBox* style = StyleCombo(row.entry); style && style->currentIndex() >= 0)
      pen.style = style->currentData().toInt();
  }
  EndDialog(IDOK);
}

// ------------------------------------------------------------ new records

NewRecordDefaults LoadNewRecordDefaults() {
  NewRecordDefaults values;
  values.curveShape = Profile("Siebungen", "defaultKurvenverlauf", 0);
  values.sievingKind = Profile("Siebungen", "defaultTrockenNass", 0);
  values.sumMode = Profile("Siebungen", "defaultSummenmodus", 0);
  values.crushedMode = Profile("Bruchflaechigkeit", "BrechnungModus", 1);
  return values;
}

bool SaveNewRecordDefaults(const NewRecordDefaults& values) {
  bool ok = WriteProfile("Siebungen", "defaultKurvenverlauf", values.curveShape);
  ok = WriteProfile("Siebungen", "defaultTrockenNass", values.sievingKind) && ok;
  ok = WriteProfile("Siebungen", "defaultSummenmodus", values.sumMode) && ok;
  return WriteProfile("Bruchflaechigkeit", "BrechnungModus", values.crushedMode) && ok;
}

namespace {

// The radio pairs of dialog 600: the control of value 0 and of value 1.
struct RadioPair {
  int first;
  int second;
  int NewRecordDefaults::*value;
};
constexpr RadioPair kRadioPairs[] = {
    {CEinstellungenDlg::kCurveSmooth, CEinstellungenDlg::kCurvePolygon, &NewRecordDefaults::curveShape},
    {CEinstellungenDlg::kSievingDry, CEinstellungenDlg::kSievingWet, &NewRecordDefaults::sievingKind},
    {CEinstellungenDlg::kCrushedOne, CEinstellungenDlg::kCrushedSeveral, &NewRecordDefaults::crushedMode},
};

}  // namespace

CEinstellungenDlg::CEinstellungenDlg(QWidget* parent) : CpvDialog(kTemplateId, parent) {
  Ui::EinstellungenDlg ui;
  ui.setupUi(this);
  // The two radio pairs of one group box are separate choices.
  for (const RadioPair& pair : kRadioPairs) {
    auto* group = new QButtonGroup(this);
    group->addButton(Item<QRadioButton>(pair.first));
    group->addButton(Item<QRadioButton>(pair.second));
  }
  SetIconCommand(kIconCommand);
}

CEinstellungenDlg::~CEinstellungenDlg() = default;

bool CEinstellungenDlg::OnInitDialog() {
  CpvDialog::OnInitDialog();
  CheckItem(kSumMode, m_Values.sumMode != 0);
  for (const RadioPair& pair : kRadioPairs) {
    const int value = m_Values.*pair.value;
    CheckItem(pair.first, value == 0);
    CheckItem(pair.second, value == 1);
  }
  return true;
}

void CEinstellungenDlg::OnOK() {
  m_Values.sumMode = IsItemChecked(kSumMode) ? 1 : 0;
  // A pair without a choice (a stored value other than 0 and 1) keeps the value.
  for (const RadioPair& pair : kRadioPairs) {
    if (IsItemChecked(pair.first)) m_Values.*pair.value = 0;
    else if (IsItemChecked(pair.second)) m_Values.*pair.value = 1;
  }
  EndDialog(IDOK);
}

// ------------------------------------------------------------ commands

DataFolderMove ChooseDataFolder(CPravikWinApp& app, QWidget* mainWindow) {
  const std::filesystem::path current = app.m_Settings.m_DataFolder;
  platform::FileDialogRequest request;
  request.save = true;
  request.title = TranslateString(5411, "Bitte den Datenordner mit der Datei data.db auswählen");
  request.filter = TranslateString(5410, "Pravik Datenbankdatei") + " (data.db)|data.db||";
  request.folder = current;
  request.file_name = kRecordFileName;
  request.overwrite_prompt = false;
  const auto chosen = platform::ChooseFile(request);
  if (!chosen) return DataFolderMove::Cancelled;

  const std::filesystem::path folder = chosen->parent_path();
  if (folder.empty() || folder == folder.root_path()) {
    platform::ShowMessageBox(TranslateString(63506, "Der oberste Ordner des Dateisystems kann nicht Datenordner sein;\n"
                                                    "bitte wählen Sie data.db in einem Unterordner.\n"
                                                    "Der Datenordner wird nicht geändert.") +
                                 "\n" + chosen->string(),
                             platform::MB_OK | platform::MB_ICONWARNING);
    return DataFolderMove::Unchanged;
  }
  if (SameFolder(folder, current)) return DataFolderMove::Unchanged;
  // A folder the next start would refuse cannot be chosen.
  if (!HoldsRecordFile(folder)) {
    platform::ShowMessageBox(TranslateString(kNoRecordFileTextId,
                                             "Der gewählte Ordner enthält keine Datei data.db.\n"
                                             "Der Datenordner wird nicht geändert.") +
                                 "\n" + folder.string(),
                             platform::MB_OK | platform::MB_ICONWARNING);
    return DataFolderMove::NoRecordFile;
  }
  if (platform::ShowMessageBox(TranslateString(5412, "Neuen Datenpfad einstellen und Programm beenden ?"),
                               platform::MB_YESNO | platform::MB_ICONQUESTION) != platform::IDYES)
    return DataFolderMove::Declined;

  // The next start reads "datapfad.dat"; with a plant open, its plant
  // selection first copies the plant's own file over it, so both change.
  const PlantSelection plants(app.m_Settings.m_ProgramFolder);
  const std::filesystem::path dataFile = plants.DataFolderFile();
  const std::string line = folder.string() + "\n";
  auto failed = [](const std::filesystem::path& file) {
    ShowWriteFailure(file);
    return DataFolderMove::WriteFailed;
  };
  // Only kept to put back: what cannot be read here is told by the write.
  const std::optional<std::string> before = platform::ReadFileBytes(dataFile, platform::FileKind::kSmall, nullptr, false);
  if (!platform::WriteTextFile(dataFile, line)) return failed(dataFile);
  if (!app.PlantIdentity.plantKey.empty()) {
    const std::filesystem::path plantFile = plants.PlantFolderFile(app.PlantIdentity.plantKey);
    platform::CreateFolder(plants.SelectionFolder());
    if (!platform::WriteTextFile(plantFile, line)) {
      // Half a move would be undone at the next start anyway: put it back.
      if (before) platform::WriteFileAtomic(dataFile, *before);
      else platform::DeleteFile(dataFile);
      return failed(plantFile);
    }
  }
  if (mainWindow) QMetaObject::invokeMethod(mainWindow, "close", Qt::QueuedConnection);
  return DataFolderMove::Moved;
}

bool RunGeneralSettings(CPravikWinApp& app, QWidget* parent) {
  CEinstellungenAllgDlg dialog(app.m_Settings, parent);
  if (dialog.DoModal() != IDOK) return false;
  // Settings that did not reach the file are not taken: the next start
  // would not have them either.
  if (!dialog.m_Settings.SaveSettings()) {
    ShowWriteFailure(dialog.m_Settings.m_IniPath);
    return false;
  }
  app.m_Settings.LoadSettings();
  return true;
}

bool RunNewRecordSettings(QWidget* parent) {
  CEinstellungenDlg dialog(parent);
  dialog.m_Values = LoadNewRecordDefaults();
  if (dialog.DoModal() != IDOK) return false;
  if (!SaveNewRecordDefaults(dialog.m_Values)) {
    if (const CPravikWinApp* app = GetApp()) ShowWriteFailure(app->m_Settings.m_IniPath);
    return false;
  }
  return true;
}
