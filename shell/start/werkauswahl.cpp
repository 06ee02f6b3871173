#include "shell/start/werkauswahl.h"

#include <QDateTime>
#include <QString>
#include <algorithm>

#include "i18n/translation.h"
#include "platform/files.h"
#include "platform/messagebox.h"
#include "platform/textcodec.h"
#include "platform/textfile.h"
#include "records/strutil.h"
#include "services/pravikapp.h"
#include "shell/start/werkauswahldlg.h"

namespace fs = std::filesystem;

namespace {

const std::string kGrad = platform::Cp1252Char(0xB0);  // "°"
const std::string kEuro = platform::Cp1252Char(0x80);  // "€"
constexpr char kOrderKey[] = "REIHENFOLGE";
constexpr char kLaunchPrefix[] = "LASTLAUNCH_";

std::string TrimRight(std::string text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' || text.back() == '\n'))
    text.pop_back();
  return text;
}

// The first line of a text file, white space at its end removed; nullopt
// when the file does not read.
std::optional<std::string> FirstLine(const fs::path& file) {
  auto lines = platform::ReadTextLines(file);
  if (!lines) return std::nullopt;
  return TrimRight(lines->empty() ? std::string() : lines->front());
}

fs::path Canonical(const fs::path& folder) {
  std::error_code ec;
  fs::path p = fs::weakly_canonical(folder, ec);
  if (ec) p = folder.lexically_normal();
  std::string text = p.string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

}  // namespace

std::string WERKDATEN::SortText(int column) const {
  switch (column) {
    case 0: return plantKey;
    case 1: return plantName;
    case 2: return operatorName;
    case 3: return lastLaunch;
    case 4: return dataFolder;
    default: return {};
  }
}

// --- ConfigMap

std::string ConfigMap::Get(const std::string& key) const {
  for (const auto& [k, v] : pairs_)
    if (k == key) return v;
  return {};
}

bool ConfigMap::Has(const std::string& key) const {
  return std::any_of(pairs_.begin(), pairs_.end(), [&](const auto& p) { return p.first == key; });
}

void ConfigMap::Set(const std::string& key, const std::string& value) {
  for (auto& [k, v] : pairs_)
    if (k == key) {
      v = value;
      return;
    }
  pairs_.emplace_back(key, value);
}

std::string MapToText(const ConfigMap& map) {
  auto clean = [](std::string text) {
    StrReplace(text, kGrad, " ");
    StrReplace(text, kEuro, " ");
    return text;
  };
  std::string text;
  for (const auto& [key, value] : map.Pairs()) {
    if (!text.empty()) text += kEuro;
    text += clean(key) + kGrad + clean(value);
  }
  return text;
}

void TextToMap(std::string_view input, ConfigMap& map) {
  // Only the line end goes: a blank at the end belongs to the last value.
  std::string text(input);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
  for (int i = 0;; ++i) {
    const std::string piece = StrGetFieldS(text, kEuro, i);
    if (piece.empty()) break;
    const auto at = piece.find(kGrad);
    if (at == std::string::npos) continue;
    map.Set(piece.substr(0, at), piece.substr(at + kGrad.size()));
  }
}

// --- plant list

std::vector<WERKDATEN> ParsePlantList(std::string_view text) {
  std::vector<WERKDATEN> plants;
  for (const std::string& raw : platform::SplitLines(text)) {
    const std::string line = TrimRight(raw);
    WERKDATEN plant;
    plant.plantKey = StrGetField(line, '|', 0);
    plant.plantNumber = StrGetField(line, '|', 1);
    plant.plantName = StrGetField(line, '|', 2);
    plant.operatorNumber = StrGetField(line, '|', 3);
    plant.operatorName = StrGetField(line, '|', 4);
    if (plant.plantKey.empty()) continue;
    // A key given twice would share one data folder: the first plant keeps it.
    const bool seen = std::any_of(plants.begin(), plants.end(),
                                  [&](const WERKDATEN& p) { return p.plantKey == plant.plantKey; });
    if (!seen) plants.push_back(std::move(plant));
  }
  return plants;
}

std::vector<WERKDATEN> ReadPlantList(const fs::path& programFolder) {
  auto text = platform::ReadTextFile(programFolder / "werk.dat");
  return text ? ParsePlantList(*text) : std::vector<WERKDATEN>{};
}

std::string FormatLastLaunch(const std::string& t) {
  if (t.size() != 12) return t;
  return t.substr(0, 4) + "-" + t.substr(4, 2) + "-" + t.substr(6, 2) + " " + t.substr(8, 2) + ":" + t.substr(10, 2);
}

bool SameFolder(const fs::path& a, const fs::path& b) {
  if (a.empty() || b.empty()) return a.empty() && b.empty();
  return Canonical(a) == Canonical(b);
}

// --- PlantSelection

PlantSelection::PlantSelection(fs::path programFolder) : programFolder_(std::move(programFolder)) {}

fs::path PlantSelection::SelectionFolder() const { return programFolder_ / "werkeauswahl"; }
fs::path PlantSelection::PlantFolderFile(const std::string& key) const {
  return SelectionFolder() / (key + "_datapfad.dat");
}
fs::path PlantSelection::ConfigMapFile() const { return SelectionFolder() / "configmap.dat"; }
fs::path PlantSelection::DataFolderFile() const { return programFolder_ / "datapfad.dat"; }

bool PlantSelection::Load() {
  rows_.clear();
  map_ = {};
  std::vector<WERKDATEN> plants = ReadPlantList(programFolder_);
  if (plants.empty()) return false;
  if (auto text = platform::ReadTextFile(ConfigMapFile())) {
    const auto lines = platform::SplitLines(*text);
    if (!lines.empty()) TextToMap(lines.front(), map_);
  }
  for (WERKDATEN& plant : plants) {
    const std::string launchKey = kLaunchPrefix + plant.plantKey;
    if (map_.Has(launchKey)) plant.lastLaunch = map_.Get(launchKey);
    plant.dataFolder = FirstLine(PlantFolderFile(plant.plantKey)).value_or(std::string());
  }
  // Each plant goes in at the top, so the rows stand in reverse list order
  // until the saved order is applied.
  rows_.assign(plants.rbegin(), plants.rend());
  for (int i = 0; i < static_cast<int>(rows_.size()); ++i) RefreshRow(i);
  ApplySavedOrder();
  return true;
}

void PlantSelection::RefreshRow(int row) {
  if (!rows_[row].dataFolder.empty()) lastChosen_ = rows_[row].dataFolder;
}

void PlantSelection::ApplySavedOrder() {
  const std::string order = map_.Get(kOrderKey);
  std::vector<WERKDATEN> work = rows_;
  std::vector<WERKDATEN> result;
  for (int i = 0;; ++i) {
    const std::string piece = StrGetFieldS(order, ",", i);
    if (piece.empty()) break;
    auto it = std::find_if(work.begin(), work.end(), [&](const WERKDATEN& p) { return p.plantKey == piece; });
    if (it == work.end()) continue;
    result.push_back(std::move(*it));
    work.erase(it);
  }
  for (auto& rest : work) result.push_back(std::move(rest));
  rows_ = std::move(result);
  for (int i = 0; i < static_cast<int>(rows_.size()); ++i) RefreshRow(i);
}

void PlantSelection::SaveOrder() {
  std::string order;
  for (const auto& row : rows_) order += row.plantKey + ",";
  while (!order.empty() && order.back() == ',') order.pop_back();
  map_.Set(kOrderKey, order);
}

void PlantSelection::SwapRows(int a, int b) {
  const int n = static_cast<int>(rows_.size());
  if (a < 0 || b < 0 || a >= n || b >= n) return;
  std::swap(rows_[a], rows_[b]);
  RefreshRow(a);
  RefreshRow(b);
}

void PlantSelection::SortByColumn(int column) {
  if (ownOrder_) {
    SaveOrder();
    ownOrder_ = false;
  }
  direction_ = direction_ == 0 ? 100 : 0;
  const bool ascending = direction_ == 100;
  std::stable_sort(rows_.begin(), rows_.end(), [&](const WERKDATEN& x, const WERKDATEN& y) {
    const int c = QString::fromStdString(x.SortText(column))
                      .compare(QString::fromStdString(y.SortText(column)), Qt::CaseInsensitive);
    return ascending ? c < 0 : c > 0;
  });
}

void PlantSelection::RestoreOwnOrder() {
  ownOrder_ = true;
  ApplySavedOrder();
}

bool PlantSelection::CanOpen(int row) const {
  return row >= 0 && row < static_cast<int>(rows_.size()) && !rows_[row].dataFolder.empty();
}

PlantSelection::FolderResult PlantSelection::SetDataFolder(int row, const std::string& folder, int* otherRow) {
  if (row < 0 || row >= static_cast<int>(rows_.size()) || folder.empty()) return FolderResult::Unchanged;
  if (!rows_[row].dataFolder.empty() && SameFolder(rows_[row].dataFolder, folder)) return FolderResult::Unchanged;
  for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
    if (i == row || rows_[i].dataFolder.empty()) continue;
    if (SameFolder(rows_[i].dataFolder, folder)) {
      if (otherRow) *otherRow = i;
      return FolderResult::UsedByOther;
    }
  }
  // The file first: the row shows a folder only once the plant really has it.
  platform::CreateFolder(SelectionFolder());
  if (!platform::WriteTextFile(PlantFolderFile(rows_[row].plantKey), folder + "\n"))
    return FolderResult::WriteFailed;
  rows_[row].dataFolder = folder;
  RefreshRow(row);
  return FolderResult::Changed;
}

PlantSelection::OpenResult PlantSelection::Open(int row, const std::string& now) {
  if (!CanOpen(row)) return OpenResult::NotOpenable;
  const WERKDATEN& plant = rows_[row];
  // The plant's own file must hold the folder that is opened, and
  // "datapfad.dat" must name it; either failing leaves the dialog open.
  if (FirstLine(PlantFolderFile(plant.plantKey)) != plant.dataFolder) {
    platform::CreateFolder(SelectionFolder());
    if (!platform::WriteTextFile(PlantFolderFile(plant.plantKey), plant.dataFolder + "\n"))
      return OpenResult::WriteFailed;
  }
  if (!platform::WriteTextFile(DataFolderFile(), plant.dataFolder + "\n")) return OpenResult::WriteFailed;
  rows_[row].lastLaunch = now;
  map_.Set(kLaunchPrefix + plant.plantKey, now);
  SaveConfigMap();
  return OpenResult::Opened;
}

bool PlantSelection::SaveConfigMap() const {
  if (rows_.empty()) return true;
  platform::CreateFolder(SelectionFolder());
  return platform::WriteTextFile(ConfigMapFile(), MapToText(map_) + "\n");
}

bool PlantSelection::SaveOnClose() {
  if (rows_.empty()) return true;
  SaveOrder();
  return SaveConfigMap();
}

// --- start-up

PlantSelectionResult RunPlantSelection(CPravikWinApp& app, const fs::path& programFolder) {
  PlantSelection selection(programFolder);
  if (!selection.Load()) return PlantSelectionResult::NoPlants;
  CWerkauswahlDlg dlg(selection);
  const int answer = dlg.DoModal();
  if (!selection.SaveOnClose())
    platform::ShowMessageBox(TranslateString(7303, "Die Datei kann nicht geschrieben werden:") + "\n" +
                                 selection.ConfigMapFile().string(),
                             platform::MB_OK | platform::MB_ICONWARNING);
  if (answer != platform::IDOK || dlg.OpenedPlant() < 0) return PlantSelectionResult::Cancelled;
  const WERKDATEN& plant = selection.Rows()[dlg.OpenedPlant()];
  app.PlantIdentity = {plant.operatorNumber, plant.operatorName, plant.plantNumber, plant.plantName, plant.plantKey};
  app.m_Settings.m_Plant.operatorNumber = plant.operatorNumber;
  app.m_Settings.m_Plant.operatorName = plant.operatorName;
  app.m_Settings.m_Plant.plantNumber = plant.plantNumber;
  app.m_Settings.m_Plant.plantName = plant.plantName;
  return PlantSelectionResult::Opened;
}
