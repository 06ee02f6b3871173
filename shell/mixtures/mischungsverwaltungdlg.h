#pragma once
// The mixture management (template 596, command 9004): the mixtures of the
// working folder ("misch" in the data folder) with their name, number of
// materials, creation date and requirement; open in the mixture editor,
// duplicate, delete, move to the archive folder, and a second instance on
// the archive folder that moves them back.
//
//   CMischungsverwaltungDlg dlg({data / "misch", archiveFolder, programFolder}, this);
//   dlg.DoModal();
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "services/cpvdialog.h"
#include "shell/mixtures/mixturefiles.h"

class CPersListCtrl;

struct MixtureFolders {
  std::filesystem::path working;  // the data folder's "misch"
  std::filesystem::path archive;  // the archive folder of the settings
  std::filesystem::path program;  // where the mixture editor is
};

class CMischungsverwaltungDlg : public CpvDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 596;
  enum : int {
    kList = 101,
    kOpen = 1205,
    kDelete = 1206,
    kDuplicate = 1207,
    kArchive = 1208,
    kDearchive = 1209,
  };

  CMischungsverwaltungDlg(MixtureFolders folders, QWidget* parent = nullptr);
  ~CMischungsverwaltungDlg() override;

  // Set before the dialog opens: it then lists the archive folder and moves
  // back to the working folder.
  bool m_ArchiveMode = false;
  // The clock of the duplicates' names (tests pin it).
  MixtureClock m_Clock = RealMixtureClock();

  const std::filesystem::path& ListedFolder() const { return listed_; }
  const std::filesystem::path& TargetFolder() const { return target_; }
  CPersListCtrl* List() const { return list_; }

  void ReadMixtureList();
  void AddMixtureRow(const MixtureRow& row, int index);
  void OpenMixture();
  void DuplicateMixture();
  void DeleteMixtures();
  void MoveMixtureFiles();
  void OnDearchivieren();
  void OnColumnClick(int column);
  void OnSelectionChanged();

 protected:
  bool OnInitDialog() override;

 private:
  const MixtureRow* RowData(int row) const;
  void RemoveRow(int row);
  void ClearRows();

  MixtureFolders folders_;
  std::filesystem::path listed_;
  std::filesystem::path target_;
  CPersListCtrl* list_ = nullptr;
  // The data of the rows, owned here while the row lives.
  std::vector<std::unique_ptr<MixtureRow>> rows_;
};

// Command 9004: the dialog with the icon of the command.
void RunMixtureManagement(const MixtureFolders& folders, QWidget* parent = nullptr);
