// The rows of the main test list: cell texts from the list summary, the
// record in every cell, ownership, and sorting that keeps selection and focus
// with their records.
#include <gtest/gtest.h>

#include <QItemSelectionModel>
#include <map>

#include "controls/exlistctrl.h"
#include "fixtures/dlgbase/english_language.h"
#include "records/recordfile.h"
#include "records/strutil.h"
#include "shell/mainview/recordlistmodel.h"
#include "shell/mainview/recordsort.h"
#include "support/scripted_ui_gtest.h"

namespace fs = std::filesystem;

namespace {

RecordList FixtureRecords() {
  RecordList records;
  platform::TestUi ui;
  EXPECT_TRUE(LoadRecordFile(records, fs::path(PRAVIK_FIXTURES) / "mainview"));
  return records;
}

std::unique_ptr<CVersuch> Record(const std::string& testNumber, const std::string& summary = {}) {
  auto record = std::make_unique<CVersuch>();
  record->SetValue(1, 0, testNumber);
  record->SetField(30, summary.empty() ? testNumber : summary);
  return record;
}

std::string Text(const CRecordListModel& model, int row, int column) {
  return model.data(model.index(row, column)).toString().toStdString();
}

std::vector<std::string> Column0(const CRecordListModel& model) {
  std::vector<std::string> texts;
  for (int row = 0; row < model.rowCount(); ++row) texts.push_back(Text(model, row, 0));
  return texts;
}

}  // namespace

TEST(RecordListModel, CellsComeFromTheListSummaryAndCarryTheRecord) {
  CRecordListModel model;
  RecordList records = FixtureRecords();
  ASSERT_EQ(records.size(), 13u);
  std::vector<const CVersuch*> owned;
  for (const auto& r : records) owned.push_back(r.get());
  model.InsertRecordsAtTop(std::move(records));

  ASSERT_EQ(model.rowCount(), 13);
  ASSERT_EQ(model.columnCount(), 17);
  // Inserted one after another at the top: the last record of the file stands first.
  for (int row = 0; row < 13; ++row) EXPECT_EQ(model.RecordAt(row), owned[static_cast<size_t>(12 - row)]);

  for (int row = 0; row < model.rowCount(); ++row) {
    const CVersuch* record = model.RecordAt(row);
    for (int column = 0; column < 16; ++column)
      EXPECT_EQ(Text(model, row, column), StrGetField(record->GetField(30), '|', column)) << row << "/" << column;
    for (int column = 0; column < 17; ++column)
      EXPECT_EQ(model.data(model.index(row, column), kRecordPointerRole).value<void*>(), record);
  }
  // One record in full: the 16 summary texts and the sieving word.
  const int row = model.RowOf(owned[1]);
  const std::vector<std::string> expected = {
      "12-34-0002", "", "Werkseigene Produktionskontrolle", "Rundkorn", "Kies 2/8", "DIN EN 12620",
      "Straßenbau Südwest GmbH", "BV Umgehung B377", "Spätschicht", "2019-01-04", "2019-01-01 15:59:46",
      "Silo 2", "Kieswerk Mühlhausen 34", "Schotterwerke Südbaden GmbH & Co. KG", "2019-01-01", "2019-01-31", "Nass"};
  for (int column = 0; column < 17; ++column) EXPECT_EQ(Text(model, row, column), expected[static_cast<size_t>(column)]);

  EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString().toStdString(), "Prüf-Nr.");
  EXPECT_EQ(model.headerData(5, Qt::Horizontal).toString().toStdString(), "Vorschrift");
  EXPECT_EQ(model.headerData(16, Qt::Horizontal).toString().toStdString(), "Siebung");
}

TEST(RecordListModel, SievingWordAndShortSummaries) {
  CRecordListModel model;
  // The sieving word follows field 7 part 2 of a record with a sieve test.
  RecordList records = FixtureRecords();
  const std::map<std::string, std::string> words = {
      {"12-34-0002", "Nass"}, {"07-34-0004", "Nass"}, {"12-05-0003", "Trocken"}, {"07-34-0005", ""}};
  model.InsertRecordsAtTop(std::move(records));
  for (int row = 0; row < model.rowCount(); ++row) {
    auto it = words.find(Text(model, row, 0));
    if (it != words.end()) {
      EXPECT_EQ(Text(model, row, 16), it->second) << it->first;
    }
  }

  // A summary of two parts: the other columns are empty.
  CRecordListModel shortModel;
  shortModel.InsertRecord(0, Record("A", "A|x"));
  EXPECT_EQ(Text(shortModel, 0, 1), "x");
  EXPECT_EQ(Text(shortModel, 0, 2), "");
  EXPECT_EQ(Text(shortModel, 0, 15), "");
  EXPECT_EQ(Text(shortModel, 0, 16), "");
  EXPECT_FALSE(shortModel.data(shortModel.index(5, 0)).isValid());
}

// In English the list is English but for what the records name themselves:
// the material's shared words and the sieving word are translated, the
// material's own name and the people stay as written.
TEST(RecordListModel, InEnglishTheSharedWordsAreEnglish) {
  const EnglishLanguage english(kShippedEnglishFile);
  CRecordListModel model;
  model.InsertRecordsAtTop(FixtureRecords());
  int row = 0;
  while (row < model.rowCount() && Text(model, row, 0) != "12-34-0002") ++row;
  const std::map<int, std::string> expected = {{2, "Factory production control"},
                                               {3, "Rounded aggregate"},
                                               {4, "Kies 2/8"},
                                               {13, "Schotterwerke Südbaden GmbH & Co. KG"},
                                               {16, "Wet"}};
  for (const auto& [column, text] : expected) EXPECT_EQ(Text(model, row, column), text) << column;
  EXPECT_EQ(model.headerData(16, Qt::Horizontal).toString().toStdString(), "Sieving");
}

TEST(RecordListModel, RowsOwnTheirRecords) {
  CRecordListModel model;
  EXPECT_EQ(model.InsertRecord(99, Record("A")), 0);   // beyond the end: appended
  EXPECT_EQ(model.InsertRecord(-3, Record("B")), 0);   // before the start: at the top
  EXPECT_EQ(model.InsertRecord(1, Record("C")), 1);
  EXPECT_EQ(Column0(model), (std::vector<std::string>{"B", "C", "A"}));

  std::unique_ptr<CVersuch> taken = model.TakeRecord(1);
  ASSERT_TRUE(taken);
  EXPECT_EQ(taken->GetValue(1, 0), "C");
  EXPECT_EQ(model.TakeRecord(7), nullptr);
  EXPECT_EQ(Column0(model), (std::vector<std::string>{"B", "A"}));

  std::vector<std::pair<QModelIndex, QModelIndex>> changed;
  QObject::connect(&model, &QAbstractItemModel::dataChanged,
                   [&](const QModelIndex& from, const QModelIndex& to) { changed.emplace_back(from, to); });
  model.RecordAt(1)->SetField(30, "A2");
  model.RefreshRow(1);
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(changed[0].first.row(), 1);
  EXPECT_EQ(changed[0].first.column(), 0);
  EXPECT_EQ(changed[0].second.column(), 16);
  EXPECT_EQ(Text(model, 1, 0), "A2");
}

// Sorting moves the records; a row's selection and the focus go with them,
// as the states of list items do.
TEST(RecordListModel, SortingKeepsSelectionAndFocusWithTheirRecords) {
  CRecordListModel model;
  for (const char* number : {"c", "A", "d", "b"}) model.InsertRecord(model.RecordCount(), Record(number));
  QItemSelectionModel selection(&model);
  CVersuch* focused = model.RecordAt(0);  // "c"
  CVersuch* selected = model.RecordAt(1);  // "A"
  selection.setCurrentIndex(model.index(0, 0), QItemSelectionModel::NoUpdate);
  selection.select(model.index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);

  model.Sort(kSortByColumn, 0);
  EXPECT_EQ(Column0(model), (std::vector<std::string>{"A", "b", "c", "d"}));  // case does not count
  EXPECT_EQ(model.RecordAt(selection.currentIndex().row()), focused);
  ASSERT_EQ(selection.selectedRows().size(), 1);
  EXPECT_EQ(model.RecordAt(selection.selectedRows()[0].row()), selected);

  model.Sort(kSortByColumn, kSortDescending);
  EXPECT_EQ(Column0(model), (std::vector<std::string>{"d", "c", "b", "A"}));
  EXPECT_EQ(model.RecordAt(selection.currentIndex().row()), focused);
  EXPECT_EQ(model.RecordAt(selection.selectedRows()[0].row()), selected);

  // An order that is no permutation of the rows changes nothing.
  model.Reorder([](std::vector<CVersuch*>& rows) { rows[0] = rows[1]; });
  EXPECT_EQ(Column0(model), (std::vector<std::string>{"d", "c", "b", "A"}));
}
