#pragma once
// The plant selection: the plants of "werk.dat" in the program folder with
// the data folder each one was given ("werkeauswahl/<key>_datapfad.dat"),
// the user's order and the last openings ("werkeauswahl/configmap.dat").
// Opening a plant makes its data folder the program's ("datapfad.dat").
//
// PlantSelection holds the file logic and the list as the dialog shows it;
// CWerkauswahlDlg (werkauswahldlg.h) only shows and collects.
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class CPravikWinApp;

// One plant.
struct WERKDATEN {
  std::string plantName;
  std::string plantNumber;
  std::string operatorName;
  std::string operatorNumber;
  std::string dataFolder;  // first line of the plant's "_datapfad.dat"
  std::string plantKey;
  std::string lastLaunch;  // "YYYYMMDDhhmm" or empty
  // The text a column sorts by (0 key, 1 plant name, 2 operator name, 3 last
  // launch, 4 data folder).
  std::string SortText(int column) const;
};

// "configmap.dat" as read: the pairs in file order, so that keys this
// program does not know are written back unchanged and in place.
class ConfigMap {
 public:
  std::string Get(const std::string& key) const;  // "" when absent
  bool Has(const std::string& key) const;
  void Set(const std::string& key, const std::string& value);
  const std::vector<std::pair<std::string, std::string>>& Pairs() const { return pairs_; }
  bool operator==(const ConfigMap&) const = default;

 private:
  std::vector<std::pair<std::string, std::string>> pairs_;
};

// The map as one line of program text (UTF-8): key "°" value, pairs joined by
// "€"; a "°" or "€" inside a key or value becomes a space.
std::string MapToText(const ConfigMap& map);
// Reads such a line (its line end removed, blanks kept); stops at the first
// empty piece, passes over pieces without "°"; a later pair overwrites an
// earlier one of the same key.
void TextToMap(std::string_view text, ConfigMap& map);

// "werk.dat": one plant per line, key|number|name|operator number|operator
// name. Lines without a key are passed over.
std::vector<WERKDATEN> ParsePlantList(std::string_view text);
std::vector<WERKDATEN> ReadPlantList(const std::filesystem::path& programFolder);

// "YYYYMMDDhhmm" shown as "YYYY-MM-DD hh:mm"; other texts unchanged.
std::string FormatLastLaunch(const std::string& text);

// Two folders name the same place (compared as canonical paths, so that
// "a/b/" and "a/./b" and a link to it match).
bool SameFolder(const std::filesystem::path& a, const std::filesystem::path& b);

class PlantSelection {
 public:
  explicit PlantSelection(std::filesystem::path programFolder);

  // Reads "werk.dat"; with plants also "configmap.dat", the last launches,
  // the data folders, and puts the rows in the saved order. False when
  // there are no plants (then nothing else is read, nor ever written).
  bool Load();
  bool HasPlants() const { return !rows_.empty(); }

  const std::vector<WERKDATEN>& Rows() const { return rows_; }
  const ConfigMap& Map() const { return map_; }
  const std::filesystem::path& ProgramFolder() const { return programFolder_; }
  std::filesystem::path SelectionFolder() const;               // .../werkeauswahl
  std::filesystem::path PlantFolderFile(const std::string& key) const;  // <key>_datapfad.dat
  std::filesystem::path ConfigMapFile() const;
  std::filesystem::path DataFolderFile() const;                // program folder's datapfad.dat
  // The folder a browse starts in when a row has none.
  const std::string& LastChosenFolder() const { return lastChosen_; }

  // Order.
  void ApplySavedOrder();
  void SaveOrder();  // "REIHENFOLGE" from the rows as they stand
  void SwapRows(int a, int b);
  // Sorted mode: the first call ascending, then alternating (whatever column).
  void SortByColumn(int column);
  bool OwnOrder() const { return ownOrder_; }
  // Back to the saved own order.
  void RestoreOwnOrder();

  // Whether row can be opened (selected, with a data folder).
  bool CanOpen(int row) const;

  enum class FolderResult { Changed, Unchanged, UsedByOther, WriteFailed };
  // Gives a row a data folder and writes its "_datapfad.dat". UsedByOther
  // names the row whose folder it is in `otherRow`. Nothing changes unless
  // the result is Changed.
  FolderResult SetDataFolder(int row, const std::string& folder, int* otherRow = nullptr);

  enum class OpenResult { Opened, NotOpenable, WriteFailed };
  // Writes "datapfad.dat" from the row's data folder, stamps the last launch
  // and saves "configmap.dat". WriteFailed leaves "datapfad.dat" as it was.
  OpenResult Open(int row, const std::string& now);

  // Saves the order and "configmap.dat" (at every close of a list with
  // plants; does nothing without plants).
  bool SaveOnClose();
  bool SaveConfigMap() const;

 private:
  void RefreshRow(int row);

  std::filesystem::path programFolder_;
  std::vector<WERKDATEN> rows_;
  ConfigMap map_;
  std::string lastChosen_;
  bool ownOrder_ = true;
  int direction_ = 0;  // 0 or 100; the first header click makes it 100
};

enum class PlantSelectionResult { Opened, Cancelled, NoPlants };

// Runs the selection at start-up. With plants the dialog is shown through the
// UI seam; on OK the chosen plant's folder is in "datapfad.dat" and the
// plant's values are in app.PlantIdentity and app.m_Settings.m_Plant. Without
// plants ("werk.dat" missing or empty) the dialog is skipped and nothing is
// written.
PlantSelectionResult RunPlantSelection(CPravikWinApp& app, const std::filesystem::path& programFolder);
