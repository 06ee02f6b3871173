#pragma once
// The rows of the main test list: one row per test record, and the row owns
// its record from the moment it is added until it is removed or the model
// ends. The cell texts come from the record's list summary (field 30) when
// the list asks for a visible cell; nothing is copied for a repaint.
//
//   Qt::DisplayRole      columns 0 to 15: part n of field 30; column 16: the
//                        sieving-mode word
//   kRecordPointerRole   the record (controls/exlistctrl.h)
#include <QAbstractTableModel>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "records/versuch.h"

class CRecordListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit CRecordListModel(QObject* parent = nullptr);
  ~CRecordListModel() override;

  // The translated caption of a column (text ids 5152 to 5168 and 6444).
  static std::string ColumnCaption(int column);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  int RecordCount() const { return static_cast<int>(rows_.size()); }
  // Null outside the rows.
  CVersuch* RecordAt(int row) const;
  // The row of a record, -1 when it has none.
  int RowOf(const CVersuch* record) const;
  // Every record in row order (the rows keep them).
  std::vector<const CVersuch*> Records() const;

  // Inserts a row for the record at the index (kept within 0..count) and
  // gives the row used.
  int InsertRecord(int index, std::unique_ptr<CVersuch> record);
  // Inserts each record at the top in turn, as single inserts would, but
  // with one notification.
  void InsertRecordsAtTop(RecordList records);
  // Appends the records behind the last row with one notification.
  void AppendRecords(RecordList records);
  // Removes the row and hands its record over; null outside the rows.
  std::unique_ptr<CVersuch> TakeRecord(int row);
  // Removes `count` rows from `first` on (kept within the rows) with one
  // notification and hands their records over.
  RecordList TakeRecords(int first, int count);
  // Removes the rows (ascending, each once) in one pass, announced as a
  // reset of the model, and hands their records over.
  RecordList TakeScatteredRecords(const std::vector<int>& rows);
  void Clear();

  // The row's texts changed (its record's list summary was rebuilt).
  void RefreshRow(int row);
  // The same for the rows first to last.
  void RefreshRows(int first, int last);

  // One stable pass by one key (recordsort.h); rows keep their selection and
  // focus, which move with their records.
  void Sort(int kind, int parameter);
  // Puts the rows in the order the function gives for their records: entry
  // i of its result is the row that comes i-th (a permutation of the rows,
  // else nothing moves).
  using RowOrder = std::function<std::vector<size_t>(const std::vector<const CVersuch*>&)>;
  void ReorderRows(const RowOrder& order);
  // The same with the records themselves put in order (which must be a
  // permutation of them).
  void Reorder(const std::function<void(std::vector<CVersuch*>&)>& order);

 private:
  std::vector<std::unique_ptr<CVersuch>> rows_;
  std::vector<QString> captions_;
};
