#pragma once
// The dialogs of the archive commands: ticking the years and months to
// archive (505) or to dearchive (508), and the two protocols (506, 509).
// The commands fill the members before DoModal and read them afterwards.
//
//   CArchivierenDlg dlg(view);
//   dlg.m_ArchiveFolder = folder;
//   dlg.m_Entries = ArchiveEntries(records);      // "YYYY|n", "YYYYMM|n"
//   if (dlg.DoModal() == IDOK) months = dlg.m_Entries;   // the ticked month keys
//
// Every change of a row (its tick, or its selection) lets a 1 ms one-shot
// timer re-apply the tick rules (archiveticks.h) once per burst of changes.
#include <string>
#include <vector>

#include "platform/timer.h"
#include "services/cpvdialog.h"
#include "shell/archive/archiveticks.h"

class QTreeWidget;

// The common part of the two month lists.
class CMonthListDlg : public CpvDialog {
  Q_OBJECT

 public:
  static constexpr int kListId = 101;

  // In: the rows' entries; out (after OK): the ticked month keys in list order.
  std::vector<std::string> m_Entries;
  // Shown read-only.
  std::string m_ArchiveFolder;

  // The rows as they stand: key and tick.
  std::vector<TickRow> Rows() const;
  // As the user does it: ticks or unticks a row's box, or selects a row.
  void SetTick(int row, bool ticked);
  void SelectRow(int row);
  // True while the tick rules wait for their timer.
  bool TickRulesPending() const { return timer_.IsActive(); }
  QTreeWidget* list() const { return list_; }

 protected:
  CMonthListDlg(int templateId, int folderEditId, int keyColumn, QWidget* parent);
  // Connects the list of the template (after setupUi).
  void AttachList();
  // Columns and rows of the dialog's list.
  virtual void FillList() = 0;
  // A row with its texts; the key stands in the key column.
  void AppendRow(const std::vector<std::string>& texts);
  void SetColumn(int column, const std::string& title, int width);

  bool OnInitDialog() override;
  void OnOK() override;

 private:
  void OnItemChanged(int row);
  void OnTickTimer();

  int folderEditId_;
  int keyColumn_;
  QTreeWidget* list_ = nullptr;
  platform::Timer timer_;  // timer 33
  int changedRow_ = -1;
};

class CArchivierenDlg : public CMonthListDlg {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 505;
  explicit CArchivierenDlg(QWidget* parent = nullptr);
  ~CArchivierenDlg() override;

 protected:
  void FillList() override;
};

class CDearchivierenDlg : public CMonthListDlg {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 508;
  explicit CDearchivierenDlg(QWidget* parent = nullptr);
  ~CDearchivierenDlg() override;

 protected:
  void FillList() override;
};

// A protocol in a read-only edit (1007) in the fixed-pitch font.
class CProtokollDlg : public CpvDialog {
  Q_OBJECT

 public:
  static constexpr int kProtocolId = 1007;
  // The text with CR LF line ends.
  std::string m_Protocol;

 protected:
  using CpvDialog::CpvDialog;
  bool OnInitDialog() override;
};

class CArchivierungsProtokollDlg : public CProtokollDlg {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 506;
  static constexpr int kFootnoteId = 1237;
  explicit CArchivierungsProtokollDlg(QWidget* parent = nullptr);
  ~CArchivierungsProtokollDlg() override;

  // Shows the footnote on months whose file exists already.
  bool m_SkippedMonth = false;

 protected:
  bool OnInitDialog() override;
};

class CDearchivierungsProtokollDlg : public CProtokollDlg {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 509;
  explicit CDearchivierungsProtokollDlg(QWidget* parent = nullptr);
  ~CDearchivierungsProtokollDlg() override;
};
