// The main view on a fixture data folder: the list of every record with its
// columns and status bars, sorting, the column layout in "pravik.ini", the
// current record, saving, the counted key indexes, the evaluation of a
// selection, the test-type panel and the routing of its keys to the openers.
// Also the plain rules behind the view.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <functional>
#include <QAbstractButton>
#include <set>

#include "controls/exlistctrl.h"
#include "mainview_testing.h"
#include "platform/files.h"
#include "platform/textfile.h"
#include "records/recordfile.h"
#include "records/strutil.h"
#include "services/appflags.h"
#include "services/pravikapp.h"
#include "services/pravikdoc.h"
#include "shell/mainview/form1view.h"
#include "shell/mainview/form1view_panel.h"
#include "shell/mainview/recordlistmodel.h"
#include "support/scripted_ui_gtest.h"

namespace fs = std::filesystem;
using platform::IDOK;

// ------------------------------------------------------------ plain rules

TEST(ColumnLayout, StoredWidthsAndOrder) {
  const std::vector<int> defaults = {83, 147, 67, 76, 200, 96, 77, 77, 74, 66, 69, 81, 68, 75, 75, 75, 75};
  const std::vector<int> creation = {};
  struct Case {
    const char* name;
    std::string widths;
    std::string order;
    bool reset;
    std::vector<int> expectWidths;
    std::vector<int> expectOrder;
  } cases[] = {
      {"as written at the end (trailing separator)", "90;150;60;70;210;90;70;70;70;60;60;80;60;70;70;70;71;",
       "0;2;1;3;4;5;6;7;8;9;10;11;12;13;14;15;16",
       false, {90, 150, 60, 70, 210, 90, 70, 70, 70, 60, 60, 80, 60, 70, 70, 70, 71},
       {0, 2, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}},
      {"17 single digits without the last separator: too short", "1;2;3;4;5;6;7;8;9;1;2;3;4;5;6;7;8", "", false,
       defaults, creation},
      {"reading stops at the first empty field; a word reads 0", "100;abc;120;;130;140;150;160;170;180;190", "",
       false, {100, 0, 120}, creation},
      {"an order of 16 fields is ignored", kDefaultColumnWidths, "0;1;2;3;4;5;6;7;8;9;10;11;12;13;14;15", false,
       defaults, creation},
      {"an order that is no permutation is ignored", kDefaultColumnWidths,
       "0;0;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16", false, defaults, creation},
      {"reset", "90;150;60;70;210;90;70;70;70;60;60;80;60;70;70;70;71;", "16;15;14;13;12;11;10;9;8;7;6;5;4;3;2;1;0",
       true, defaults, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ColumnLayout layout = ParseColumnLayout(c.widths, c.order, c.reset);
    EXPECT_EQ(layout.widths, c.expectWidths);
    EXPECT_EQ(layout.order, c.expectOrder);
  }
  EXPECT_EQ(FormatColumnWidths(defaults), std::string(kDefaultColumnWidths) + ";");
  EXPECT_EQ(FormatColumnOrder({0, 2, 1}), "0;2;1");
}

// The default widths follow the digit width of the list font; the status
// column keeps its pixels but holds its marks.
TEST(ColumnLayout, DefaultWidthsFollowTheListFont) {
  EXPECT_EQ(ScaledDefaultColumnWidths(6.0, 100), std::string(kDefaultColumnWidths) + ";");
  EXPECT_EQ(ScaledDefaultColumnWidths(9.0, 100), "125;147;101;114;300;144;116;116;111;99;104;122;102;113;113;113;113;");
  EXPECT_EQ(ScaledDefaultColumnWidths(5.0, 170), "69;170;56;63;167;80;64;64;62;55;58;68;57;63;63;63;63;");
  const ColumnLayout stored = ParseColumnLayout("90;150;60;70;210;90;70;70;70;60;60;80;60;70;70;70;71;", "", false,
                                                ScaledDefaultColumnWidths(9.0, 100));
  EXPECT_EQ(stored.widths[0], 90);  // what the user saved stays
  EXPECT_EQ(ParseColumnLayout("", "", true, ScaledDefaultColumnWidths(9.0, 100)).widths[4], 300);
}

// A test number two records share stays taken until the last of them goes.
TEST(CountedKeyIndex, KeepsAKeyWhileAnyRecordHasIt) {
  std::unordered_map<std::string, std::string> mirror = {{"other", ""}};
  CountedKeyIndex index(&mirror);
  index.Add("12-05-0001");
  index.Add("12-05-0001");
  index.Add("12-05-0002");
  EXPECT_EQ(index.Count("12-05-0001"), 2);
  index.Remove("12-05-0001");
  EXPECT_TRUE(index.Contains("12-05-0001"));
  EXPECT_EQ(mirror.count("12-05-0001"), 1u);
  index.Remove("12-05-0001");
  EXPECT_FALSE(index.Contains("12-05-0001"));
  EXPECT_EQ(mirror.count("12-05-0001"), 0u);
  index.Remove("never-added");  // nothing to forget
  index.Clear();
  EXPECT_EQ(mirror, (std::unordered_map<std::string, std::string>{{"other", ""}}));
}

TEST(RowRuns, AdjacentRowsFromTheEnd) {
  using Runs = std::vector<std::pair<int, int>>;
  EXPECT_EQ(RowRunsFromTheEnd({}), Runs{});
  EXPECT_EQ(RowRunsFromTheEnd({4}), (Runs{{4, 4}}));
  EXPECT_EQ(RowRunsFromTheEnd({0, 1, 2, 5, 7, 8}), (Runs{{7, 8}, {5, 5}, {0, 2}}));
}

TEST(CurrentRecordRule, FocusedRowOrFirstSelected) {
  struct Case {
    int focused;
    std::vector<int> selected;
    int expected;
  } cases[] = {
      {-1, {2}, -1},       // no focus: none
      {3, {}, 3},          // focus alone
      {3, {3, 5}, 3},      // focus among several selected
      {4, {2, 5}, 2},      // focus outside several selected: the first selected
      {4, {2}, 2},         // one selected, focus on another row: the selected row the status bar names
  };
  for (const Case& c : cases) EXPECT_EQ(CurrentRecordRow(c.focused, c.selected), c.expected);
}

TEST(SelectionRules, SummaryAndButtons) {
  auto record = [](const char* tower, const char* op, const char* plant) {
    auto r = std::make_unique<CVersuch>();
    r->SetValue(6, 0, tower);
    r->SetValue(1, 16, op);
    r->SetValue(1, 15, plant);
    return r;
  };
  auto a = record("T1", "12", "34"), b = record("T1", "12", "34"), c = record("T2", "12", "34");
  auto d = record("T1", "07", "34"), blank = record("", "", "");
  EXPECT_TRUE(SummarizeSelection({a.get(), b.get()}).same);
  EXPECT_FALSE(SummarizeSelection({a.get(), b.get(), c.get()}).same);
  EXPECT_FALSE(SummarizeSelection({a.get(), d.get()}).same);
  // A reference stays open until a record supplies a value.
  EXPECT_TRUE(SummarizeSelection({blank.get(), a.get()}).same);
  EXPECT_FALSE(SummarizeSelection({a.get(), blank.get()}).same);

  a->SetValue(1, 0, "12-34-0002");
  a->SetValue(18, 0, "Kies 2/8");
  a->SetValue(18, 1, "DIN EN 12620");
  const SelectionSummary one = SummarizeSelection({a.get()});
  EXPECT_EQ(SelectionStatusText(one), "Markiert: 1     12-34-0002        Kies 2/8 (DIN EN 12620)");
  // A material without a standard: no empty brackets.
  a->SetValue(18, 1, "");
  EXPECT_EQ(SelectionStatusText(SummarizeSelection({a.get()})), "Markiert: 1     12-34-0002        Kies 2/8");
  EXPECT_EQ(SelectionStatusText(SummarizeSelection({})), "Markiert: 0     ");

  struct Case {
    int count;
    bool same;
    SelectionButtons before;
    SelectionButtons expected;
  } cases[] = {
      {1, false, {false, false, false, false}, {true, true, true, true}},
      {0, true, {false, false, true, true}, {false, true, false, false}},   // 1034 keeps its state
      {2, false, {true, true, true, true}, {true, false, true, true}},
      {20, true, {false, false, false, false}, {false, true, true, true}},
      {21, true, {true, true, true, true}, {true, true, false, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    SelectionSummary summary;
    summary.count = c.count;
    summary.same = c.same;
    const SelectionButtons after = SelectionButtonStates(summary, c.before);
    EXPECT_EQ(after.periodStatistics, c.expected.periodStatistics);
    EXPECT_EQ(after.materialStatistics, c.expected.materialStatistics);
    EXPECT_EQ(after.mixture, c.expected.mixture);
    EXPECT_EQ(after.remove, c.expected.remove);
  }

  EXPECT_EQ(TestStatusTokens("[VA_GRUND:1][VA_PLATT:0][][VA_SIEBL:8]"),
            (std::vector<std::string>{"VA_GRUND:1", "VA_PLATT:0"}));
}

TEST(PanelState, LooksOfTheButtons) {
  PanelState panel;
  ASSERT_EQ(panel.ItemCount(), 15);
  EXPECT_EQ(panel.GetKeyAt(3), "VA_PLATT");
  EXPECT_EQ(panel.CaptionAt(0), "Grunddaten");
  panel.EnableKey("VA_PLATT", true);
  panel.SetStatusEntry("VA_PLATT:9");
  EXPECT_EQ(panel.LookOf(3).mark, 9);
  EXPECT_EQ(panel.LookOf(3).text, PanelButtonLook::kWindowText);
  // Enabled without a status: the magenta mark.
  panel.EnableKey("VA_GRUND", true);
  EXPECT_EQ(panel.LookOf(0).mark, -1);
  EXPECT_EQ(StatusColor(-1), platform::RGB(255, 0, 255));
  // Disabled: grey, no mark; with Alt held drawn like an enabled one, still without a mark.
  EXPECT_EQ(panel.LookOf(4).text, PanelButtonLook::kGrayText);
  EXPECT_FALSE(panel.LookOf(4).mark);
  panel.SetAltMode(true);
  EXPECT_EQ(panel.LookOf(4).text, PanelButtonLook::kWindowText);
  EXPECT_FALSE(panel.LookOf(4).mark);
  panel.SetHoverItem(4);
  EXPECT_EQ(panel.LookOf(4).face, PanelButtonLook::kWhite);
  EXPECT_EQ(panel.LookOf(4).text, PanelButtonLook::kBlue);

  EXPECT_TRUE(panel.SetBallastMode(true));
  ASSERT_EQ(panel.ItemCount(), 9);
  EXPECT_EQ(panel.GetKeyAt(8), "VA_GS_UMWELT");
  EXPECT_EQ(panel.CaptionAt(4), "Wasseraufnahme");
  EXPECT_EQ(StatusColor(7), platform::RGB(255, 128, 0));
  EXPECT_EQ(StatusColor(8), platform::RGB(0, 191, 0));
}

// ------------------------------------------------------------ the view

namespace {

struct OpenerCall {
  std::string name;
  bool editAllowed;
  bool operator==(const OpenerCall&) const = default;
};

}  // namespace

class MainView : public MainViewTesting {
 protected:
  CForm1View& Open() {
    view_.reset();
    doc_ = std::make_unique<CPravikDoc>();
    EXPECT_TRUE(doc_->OnNewDocument());
    view_ = std::make_unique<CForm1View>(doc_.get());
    view_->resize(1400, 700);
    view_->OnInitialUpdate();
    view_->SetOpenerObserver([this](std::string_view name) { calls_.push_back({std::string(name), IsEditAllowed()}); });
    return *view_;
  }

  CRecordListModel& model() { return *view_->model(); }
  std::string Number(int row) { return model().RecordAt(row)->GetValue(1, 0); }
  std::vector<std::string> Numbers() {
    std::vector<std::string> numbers;
    for (int row = 0; row < model().RecordCount(); ++row) numbers.push_back(Number(row));
    return numbers;
  }
  int RowOf(const std::string& number, int nth = 0) { return MainViewTesting::RowOf(model(), number, nth); }
  void Select(const std::vector<int>& rows, int focus = -1) { SelectRows(*view_, rows, focus); }

  void ClickKey(const std::string& key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    CButtonListbox* panel = view_->panel();
    const int item = panel->ItemOfKey(key);
    ASSERT_GE(item, 0) << key;
    const QPointF at = panel->ItemRect(item).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, panel->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      modifiers);
    QApplication::sendEvent(panel, &press);
  }

  void AltKey(bool down) {
    QKeyEvent key(down ? QEvent::KeyPress : QEvent::KeyRelease, Qt::Key_Alt, down ? Qt::AltModifier : Qt::NoModifier);
    QApplication::sendEvent(view_->list(), &key);
  }

  // The record of row 0 made a built-in recycled mixture with these side tests.
  CVersuch* MakeRecycledMixture(const std::string& sideTests, const std::string& statuses) {
    CVersuch* mixture = model().RecordAt(0);
    std::string requirements = mixture->GetField(5);
    StrSetField(requirements, ';', 8, "[SDM-DBDBDB-RC-0301]");
    mixture->SetField(5, requirements);
    mixture->SetField(25, "{0}{SDM-DBDBDB-RC-0301|RC-Gemisch 0/45|0.063 2 45}{1|0.063|45}{Recycling|TL|WPK||}{}{" +
                              sideTests + "}");
    mixture->SetTestStatusList(statuses);
    return mixture;
  }

  std::set<std::string> EnabledKeys() {
    std::set<std::string> keys;
    for (const char* key : TestTypeKeys)
      if (view_->panel()->state().IsKeyEnabled(key)) keys.insert(key);
    return keys;
  }

  std::unique_ptr<CPravikDoc> doc_;
  std::unique_ptr<CForm1View> view_;
  std::vector<OpenerCall> calls_;
};

TEST_F(MainView, ListsEveryRecordByTestNumberWithColumnsAndStatusBars) {
  CForm1View& view = Open();
  EXPECT_TRUE(doc_->m_Records.empty());  // the rows own the records now
  ASSERT_EQ(model().RecordCount(), 13);
  EXPECT_EQ(view.list()->model(), view.model());
  std::vector<std::string> sorted = Numbers();
  EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(),
                             [](const std::string& a, const std::string& b) { return StrCompareNoCase(a, b) < 0; }));
  EXPECT_EQ(sorted.front(), "07-05-0008");
  EXPECT_EQ(view.ColumnWidthsText(), view.DefaultColumnWidthsText());
  EXPECT_EQ(view.ColumnOrderText(), kDefaultColumnOrder);
  // The default widths hold what they were made for on this system's font: a
  // date in the test-date column, the status marks with the remark mark last.
  const QFontMetrics list(view.list()->font());
  EXPECT_LE(list.horizontalAdvance("2025-01-15") + 3, view.list()->horizontalHeader()->sectionSize(9));
  EXPECT_LE(view.list()->StatusMarksWidth(), view.list()->horizontalHeader()->sectionSize(kStatusColumn));
  EXPECT_EQ(model().headerData(1, Qt::Horizontal).toString().toStdString(), "Status");

  // Every row's texts and record as the list reads them.
  std::set<const CVersuch*> records;
  for (int row = 0; row < 13; ++row) {
    auto* record = static_cast<CVersuch*>(model().data(model().index(row, 1), kRecordPointerRole).value<void*>());
    ASSERT_NE(record, nullptr);
    records.insert(record);
    EXPECT_EQ(model().data(model().index(row, 4)).toString().toStdString(), StrGetField(record->GetField(30), '|', 4));
  }
  EXPECT_EQ(records.size(), 13u);

  // The status bars of one row as the list draws them: one per key, coloured by its status.
  const int row = RowOf("12-05-0003");  // [GRUND:1][SIEBL:1][KORNF:7][PLATT:8][PETRO:9][ALKALI:7]
  const QRect cell = view.list()->visualRect(model().index(row, kStatusColumn));
  const QImage image = view.list()->viewport()->grab().toImage();
  const QColor black(0, 0, 0), grey(191, 191, 191), green(0, 191, 0), red(255, 0, 0), orange(255, 128, 0);
  const std::vector<QColor> expected = {black, black, orange, green, grey, grey, red, grey,
                                        grey,  grey,  grey,  orange, grey, grey, grey};
  for (size_t k = 0; k < expected.size(); ++k) {
    const QPoint at(cell.left() + 3 + 7 * static_cast<int>(k) + 2, cell.center().y());
    EXPECT_EQ(image.pixelColor(at).rgb(), expected[k].rgb()) << "bar " << k;
  }
  // Status 0: a white bar in a black frame.
  const int open = RowOf("12-34-0002");  // [SIEBL:0] at position 1
  const QRect openCell = view.list()->visualRect(model().index(open, kStatusColumn));
  EXPECT_EQ(image.pixelColor(openCell.left() + 3 + 7 + 2, openCell.center().y()).rgb(), QColor(Qt::white).rgb());
  EXPECT_EQ(image.pixelColor(openCell.left() + 3 + 7, openCell.center().y()).rgb(), black.rgb());
}

TEST_F(MainView, HeaderClicksSortAndAlternateTheDirection) {
  CForm1View& view = Open();
  auto column = [this](int c) {
    std::vector<std::string> texts;
    for (int row = 0; row < model().RecordCount(); ++row)
      texts.push_back(model().data(model().index(row, c)).toString().toStdString());
    return texts;
  };
  auto noCase = [](const std::string& a, const std::string& b) { return StrCompareNoCase(a, b) < 0; };
  // The header marks the key column with its direction; sorting is the view's own.
  const QHeaderView* header = view.list()->horizontalHeader();
  auto marked = [header](int section, Qt::SortOrder order) {
    return header->isSortIndicatorShown() && header->sortIndicatorSection() == section &&
           header->sortIndicatorOrder() == order;
  };
  EXPECT_FALSE(view.list()->isSortingEnabled());
  EXPECT_TRUE(marked(0, Qt::AscendingOrder));

  view.OnLvnColumnClickList(2);  // the first click: descending
  EXPECT_TRUE(marked(2, Qt::DescendingOrder));
  std::vector<std::string> kinds = column(2);
  EXPECT_TRUE(std::is_sorted(kinds.rbegin(), kinds.rend(), noCase));
  EXPECT_EQ(view.sortState().Format(), "1;102;0;0");

  view.OnLvnColumnClickList(12);  // next: ascending, the previous key second
  EXPECT_EQ(view.sortState().Format(), "1;12;1;102");
  EXPECT_TRUE(marked(12, Qt::AscendingOrder));
  const std::vector<std::string> plants = column(12);
  EXPECT_TRUE(std::is_sorted(plants.begin(), plants.end(), noCase));
  kinds = column(2);
  for (size_t i = 1; i < plants.size(); ++i)
    if (plants[i] == plants[i - 1]) {
      EXPECT_GE(StrCompareNoCase(kinds[i - 1], kinds[i]), 0) << i;
    }

  view.OnLvnColumnClickList(12);  // the same column again: reversed, secondary key kept
  EXPECT_EQ(view.sortState().Format(), "1;112;1;102");
  EXPECT_TRUE(marked(12, Qt::DescendingOrder));

  // "Status" is left to its chooser: order and keys stay.
  const std::vector<std::string> before = Numbers();
  view.OnLvnColumnClickList(kStatusColumn);
  for (int i = 0; i < 5; ++i) QApplication::processEvents(QEventLoop::AllEvents, 10);
  EXPECT_EQ(Numbers(), before);
  EXPECT_EQ(view.sortState().Format(), "1;112;1;102");

  // Resetting the layout sorts by test number and keeps the keys.
  view.OnSpaltenLayoutZuruecksetzen();
  std::vector<std::string> numbers = Numbers();
  EXPECT_TRUE(std::is_sorted(numbers.begin(), numbers.end(), noCase));
  EXPECT_EQ(view.sortState().Format(), "1;112;1;102");
  EXPECT_TRUE(marked(0, Qt::AscendingOrder));
}

TEST_F(MainView, ColumnLayoutGoesToTheIniFileAndComesBack) {
  CForm1View& view = Open();
  QHeaderView* header = view.list()->horizontalHeader();
  header->resizeSection(4, 250);
  header->moveSection(header->visualIndex(6), 1);
  view.OnLvnColumnClickList(2);
  std::vector<int> widths = ParseColumnLayout(view.DefaultColumnWidthsText(), "", false).widths;
  widths[4] = 250;
  const std::string stored = FormatColumnWidths(widths);
  view_.reset();  // the end of the view writes the layout

  EXPECT_EQ(Ini("Layout", "Spaltenbreiten"), stored);
  EXPECT_EQ(Ini("Layout", "columnorder"), "0;6;1;2;3;4;5;7;8;9;10;11;12;13;14;15;16");
  EXPECT_EQ(Ini("Layout", "SortOrder"), "1;102;0;0");

  CForm1View& again = Open();
  EXPECT_EQ(again.ColumnWidthsText(), stored);
  EXPECT_EQ(again.ColumnOrderText(), "0;6;1;2;3;4;5;7;8;9;10;11;12;13;14;15;16");
  EXPECT_EQ(again.sortState().Format(), "1;102;0;0");
  // Sorted by the stored key, ties by test number.
  for (int row = 1; row < model().RecordCount(); ++row) {
    const int byKind = CompareRecordsByColumn(*model().RecordAt(row - 1), *model().RecordAt(row), 102);
    EXPECT_LE(byKind, 0);
    if (byKind == 0) {
      EXPECT_LE(StrCompareNoCase(Number(row - 1), Number(row)), 0);
    }
  }

  // The reset gives the default layout; the next end stores it with the unchanged sort keys.
  again.OnSpaltenLayoutZuruecksetzen();
  EXPECT_EQ(again.ColumnWidthsText(), again.DefaultColumnWidthsText());
  again.OnDestroy();
  EXPECT_EQ(Ini("Layout", "columnorder"), kDefaultColumnOrder);
  EXPECT_EQ(Ini("Layout", "SortOrder"), "1;102;0;0");
}

TEST_F(MainView, StoredStatusOrderWithColumnTies) {
  ProgramProfile(folder_ / "pravik.ini").WriteString("Layout", "SortOrder", "2;1;1;105");
  Open();
  // Records left out of statistics ("0") first, then by column 5 descending, then by test number.
  for (int row = 1; row < model().RecordCount(); ++row) {
    const CVersuch& a = *model().RecordAt(row - 1);
    const CVersuch& b = *model().RecordAt(row);
    const int byFlag = CompareRecordsByStatus(a, b, 1);
    ASSERT_LE(byFlag, 0) << row;
    if (byFlag < 0) continue;
    const int byStandard = CompareRecordsByColumn(a, b, 105);
    ASSERT_LE(byStandard, 0) << row;
    if (byStandard == 0) {
      EXPECT_LE(StrCompareNoCase(Number(row - 1), Number(row)), 0) << row;
    }
  }
}

TEST_F(MainView, SelectingOneRecordEnablesItsKeysAndShowsTheirStatuses) {
  CForm1View& view = Open();
  std::string shown;
  view.SetStatusTextHandler([&](const std::string& text) { shown = text; });
  const int row = RowOf("12-34-0002");
  Select({row});

  EXPECT_EQ(shown, "Markiert: 1     12-34-0002        Kies 2/8 (DIN EN 12620)");
  EXPECT_EQ(EnabledKeys(), (std::set<std::string>{"VA_GRUND", "VA_SIEBL", "VA_KORNF", "VA_PLATT", "VA_PETRO", "VA_ALKALI"}));
  const PanelState& panel = view.panel()->state();
  EXPECT_FALSE(panel.BallastMode());
  const std::map<std::string, int> statuses = {{"VA_GRUND", 1}, {"VA_SIEBL", 0}, {"VA_KORNF", 8}, {"VA_PLATT", 0},
                                               {"VA_PETRO", 0}, {"VA_ALKALI", 8}, {"VA_ORGAN", -1}};
  for (const auto& [key, code] : statuses) EXPECT_EQ(panel.StatusCode(key), code) << key;
  EXPECT_EQ(panel.LookOf(view.panel()->ItemOfKey("VA_KORNF")).mark, 8);
  EXPECT_FALSE(panel.LookOf(view.panel()->ItemOfKey("VA_ORGAN")).mark);
  EXPECT_EQ(model().RecordAt(row)->m_selected, 1);
  for (int id : {CForm1View::kPeriodStatisticsButton, CForm1View::kMaterialStatisticsButton, CForm1View::kMixtureButton,
                 CForm1View::kDeleteButton})
    EXPECT_TRUE(view.button(id)->isEnabled()) << id;

  // Nothing selected: count 0, no key, no mixture, no delete; material statistics stays.
  Select({});
  EXPECT_EQ(shown, "Markiert: 0     ");
  EXPECT_TRUE(EnabledKeys().empty());
  EXPECT_EQ(model().RecordAt(row)->m_selected, 0);
  EXPECT_FALSE(view.button(CForm1View::kMixtureButton)->isEnabled());
  EXPECT_FALSE(view.button(CForm1View::kDeleteButton)->isEnabled());
  EXPECT_TRUE(view.button(CForm1View::kMaterialStatisticsButton)->isEnabled());

  // Same sieve tower and plant: material statistics stays; another operator ends it.
  Select({RowOf("12-34-0002"), RowOf("12-34-0009")});
  EXPECT_TRUE(view.button(CForm1View::kMaterialStatisticsButton)->isEnabled());
  EXPECT_TRUE(EnabledKeys().empty());
  Select({RowOf("12-34-0002"), RowOf("12-34-0009"), RowOf("07-34-0006")});
  EXPECT_FALSE(view.button(CForm1View::kMaterialStatisticsButton)->isEnabled());
  EXPECT_EQ(view.StatusText(), "Markiert: 3     ");
}

// Paint events of a widget, from the moment a condition holds.
class PaintsAfter : public QObject {
 public:
  PaintsAfter(QWidget* widget, std::function<bool()> from) : from_(std::move(from)) { widget->installEventFilter(this); }
  QRegion region;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && from_()) region += static_cast<QPaintEvent*>(event)->region();
    return false;
  }

 private:
  std::function<bool()> from_;
};

// The record selected alone takes its own colour over the whole row as soon
// as the selection is evaluated, not only in the cell with the focus.
TEST_F(MainView, ARowSelectedAloneIsRepaintedOverItsWholeWidth) {
  CForm1View& view = Open();
  view.show();
  const int row = RowOf("12-34-0002");
  CExListCtrl* list = view.list();
  ASSERT_TRUE(SpinUntil([&] { return list->viewport()->isVisible(); }));
  QCoreApplication::processEvents();
  PaintsAfter paints(list->viewport(), [&] { return model().RecordAt(row)->m_selected == 1; });
  Select({row});
  const QRect rowRect(0, list->rowViewportPosition(row), list->viewport()->width(), list->rowHeight(row));
  EXPECT_TRUE(SpinUntil([&] { return (QRegion(rowRect) - paints.region).isEmpty(); }));
}

TEST_F(MainView, ATrackBallastRecordSwitchesThePanel) {
  CForm1View& view = Open();
  int ballast = -1;
  for (int row = 0; row < model().RecordCount(); ++row)
    if (model().RecordAt(row)->IsDbMaterial()) ballast = row;
  ASSERT_GE(ballast, 0);
  Select({ballast});
  ASSERT_EQ(view.panel()->ItemCount(), 9);
  EXPECT_EQ(EnabledKeys(),
            (std::set<std::string>{"VA_GRUND", "VA_SIEBL", "VA_GS_KORNFORM", "VA_GS_PLATTIGKEIT", "VA_GS_WASSER"}));
  EXPECT_EQ(view.panel()->state().StatusCode("VA_GS_KORNFORM"), 7);
  EXPECT_EQ(view.panel()->height(), 9 * CButtonListbox::kItemHeight + 2);

  Select({ballast, RowOf("12-34-0002")});
  EXPECT_EQ(view.panel()->ItemCount(), 9);  // stays, all disabled
  EXPECT_TRUE(EnabledKeys().empty());
}

// A built-in grading mixture (recycled) keeps the normal keys: the button
// and status of its recycled-composition test.
TEST_F(MainView, AGradingMixtureKeepsTheNormalPanel) {
  CForm1View& view = Open();
  CVersuch* mixture =
      MakeRecycledMixture("[VA_RCZUS|][VA_KORNF|SI15]", "[VA_GRUND:1][VA_SIEBL:8][VA_KORNF:0][VA_RCZUS:9]");
  ASSERT_TRUE(mixture->IsDbMaterial());
  ASSERT_TRUE(mixture->IsKorngemisch());
  Select({0});
  EXPECT_EQ(view.panel()->ItemCount(), 15);
  EXPECT_EQ(EnabledKeys(), (std::set<std::string>{"VA_GRUND", "VA_SIEBL", "VA_KORNF", "VA_RCZUS"}));
  EXPECT_EQ(view.panel()->state().StatusCode("VA_RCZUS"), 9);
}

// A built-in recycled mixture as its definition comes: the grain shape under
// "VA_GS_KORNFORM" takes the place of the shape-index button, so that both its
// side tests can be opened; the next aggregate gets "VA_KORNF" back.
TEST_F(MainView, AGradingMixtureOpensItsGrainShapeFromThePanel) {
  CForm1View& view = Open();
  MakeRecycledMixture("[VA_RCZUS|][VA_GS_KORNFORM|]", "[VA_GRUND:1][VA_SIEBL:8][VA_RCZUS:9][VA_GS_KORNFORM:8]");
  Select({0});
  EXPECT_EQ(view.panel()->ItemCount(), 15);
  EXPECT_EQ(view.panel()->ItemOfKey("VA_GS_KORNFORM"), 2);
  EXPECT_EQ(view.panel()->ItemOfKey("VA_KORNF"), -1);
  EXPECT_EQ(view.panel()->state().CaptionAt(2), "Kornform");
  EXPECT_EQ(EnabledKeys(), (std::set<std::string>{"VA_GRUND", "VA_SIEBL", "VA_RCZUS", "VA_GS_KORNFORM"}));
  EXPECT_EQ(view.panel()->state().LookOf(2).mark, 8);
  calls_.clear();
  ClickKey("VA_GS_KORNFORM");
  EXPECT_EQ(calls_, (std::vector<OpenerCall>{{"EditKornformGS", true}}));

  Select({RowOf("07-34-0004")});
  EXPECT_EQ(view.panel()->ItemOfKey("VA_KORNF"), 2);
  EXPECT_EQ(view.panel()->ItemOfKey("VA_GS_KORNFORM"), -1);
}

TEST_F(MainView, CurrentRecordFollowsFocusAndSelection) {
  CForm1View& view = Open();
  int row = -1;
  Select({2, 5}, 7);  // focus outside two selected rows: the first selected
  EXPECT_EQ(view.GetCurrentRecord(&row), model().RecordAt(2));
  EXPECT_EQ(row, 2);
  // One selected and the focus moved elsewhere (Ctrl with the arrow keys):
  // the record the status bar names, and the panel shows its statuses.
  Select({2}, 7);
  EXPECT_EQ(view.GetCurrentRecord(&row), model().RecordAt(2));
  EXPECT_EQ(row, 2);
  EXPECT_NE(view.StatusText().find(model().RecordAt(2)->GetValue(1, 0)), std::string::npos);
  model().RecordAt(2)->SetTestStatusList("[VA_GRUND:9]");
  model().RecordAt(7)->SetTestStatusList("[VA_GRUND:8]");
  view.UpdatePanelStatus();
  EXPECT_EQ(view.panel()->state().StatusCode("VA_GRUND"), 9);
  view.list()->selectionModel()->clearCurrentIndex();
  EXPECT_EQ(view.GetCurrentRecord(), nullptr);

  // While the sieve program runs: none, with the guard's warning.
  Select({3});
  app_.SieveProgramActive = true;
  platform::TestUi ui;
  ui.ExpectMessageBox(IDOK, "Beenden Sie bitte zuerst das Kornsummenlinienprogramm!");
  EXPECT_EQ(view.GetCurrentRecord(), nullptr);
}

TEST_F(MainView, APanelKeyReachesItsOpener) {
  CForm1View& view = Open();
  Select({RowOf("12-34-0002")});
  ClickKey("VA_PLATT");
  EXPECT_EQ(calls_, (std::vector<OpenerCall>{{"EditPlattigkeit", true}}));

  // A key that does not apply does nothing without Alt.
  calls_.clear();
  ClickKey("VA_ORGAN");
  EXPECT_TRUE(calls_.empty());

  // With Alt held it opens for looking only: editing is off while the opener runs.
  AltKey(true);
  EXPECT_TRUE(view.panel()->AltMode());
  ClickKey("VA_ORGAN", Qt::AltModifier);
  EXPECT_EQ(calls_, (std::vector<OpenerCall>{{"EditOrganischeStoffe", false}}));
  EXPECT_TRUE(IsEditAllowed());
  AltKey(false);
  EXPECT_FALSE(view.panel()->AltMode());

  // A double click on a row opens the basic data.
  calls_.clear();
  emit view.list()->RowDoubleClicked(0);
  EXPECT_EQ(calls_, (std::vector<OpenerCall>{{"EditGrunddaten", true}}));
}

TEST_F(MainView, EveryPanelKeyHasItsOpener) {
  CForm1View& view = Open();
  const std::map<std::string, std::string> openers = {
      {"VA_GRUND", "EditGrunddaten"},        {"VA_SIEBL", "StartSieveProgram"},
      {"VA_KORNF", "EditKornform"},          {"VA_PLATT", "EditPlattigkeit"},
      {"VA_ORGAN", "EditOrganischeStoffe"},  {"VA_BRUCH", "EditBruchflaechigkeit"},
      {"VA_PETRO", "EditPetrographie"},      {"VA_RCZUS", "EditRCZusammensetzung"},
      {"VA_WASSERG", "EditWassergehalt"},    {"VA_SANDEQ", "EditSandaequivalent"},
      {"VA_FLIESSK", "EditFliesskoeffizient"}, {"VA_ALKALI", "EditAlkali"},
      {"VA_ROHDI", "EditRohdichte"},         {"VA_WBS", "EditWasserbausteine"},
      {"VA_100MM", "EditLaenger100"},        {"VA_GS_KORNFORM", "EditKornformGS"},
      {"VA_GS_UMWELT", "EditUmweltvertraeglichkeit"}, {"VA_GS_WASSER", "EditWasseraufnahme"},
      {"VA_GS_KRISTALL", "EditKristallisation"}, {"VA_GS_PLATTIGKEIT", "EditPlattigkeitGS"},
      {"VA_GS_LAENGER100", "EditLaenger100GS"}, {"VA_GS_REINHEIT", "EditReinheitGS"}};
  // No row has the focus: every opener is reached (clicked with Alt) and finds no record.
  std::set<std::string> reached;
  for (bool ballast : {false, true}) {
    view.panel()->SetBallastMode(ballast);
    for (int item = 0; item < view.panel()->ItemCount(); ++item) {
      const std::string key = view.panel()->GetKeyAt(item);
      calls_.clear();
      ClickKey(key, Qt::AltModifier);
      ASSERT_EQ(calls_.size(), 1u) << key;
      EXPECT_EQ(calls_[0].name, openers.at(key));
      reached.insert(key);
    }
  }
  EXPECT_EQ(reached.size(), openers.size());
  EXPECT_FALSE(view.OpenTestOfKey("VA_UNKNOWN"));
}

TEST_F(MainView, SieveProgramGuardRefusesTheOpeners) {
  Open();
  Select({RowOf("07-34-0004")});
  app_.SieveProgramActive = true;
  platform::TestUi ui;
  ui.ExpectMessageBox(IDOK, "Beenden Sie bitte zuerst das Kornsummenlinienprogramm!");
  ui.ExpectMessageBox(IDOK, "Beenden Sie bitte zuerst das Kornsummenlinienprogramm!");
  ClickKey("VA_PLATT");  // does not apply: nothing, no message
  ClickKey("VA_RCZUS");
  ClickKey("VA_BRUCH");  // the crushed surfaces too: no dialog opens
  EXPECT_EQ(ui.shown().size(), 2u);
  EXPECT_EQ(calls_, (std::vector<OpenerCall>{{"EditRCZusammensetzung", true}, {"EditBruchflaechigkeit", true}}));
}

TEST_F(MainView, StartingTheSieveProgramHandsTheRecordOver) {
  CForm1View& view = Open();
  const fs::path args = folder_ / "args.txt";
  WriteScript(folder_ / "gradix", "printf '%s' \"$1\" > '" + args.string() + "'");
  Select({RowOf("12-34-0002")});
  view.StartSieveProgram();
  EXPECT_TRUE(app_.SieveProgramActive);
  EXPECT_EQ(view.windowTitle().toStdString(), "Pravik (inactive)");
  const auto lines = platform::ReadTextLines(folder_ / "sieb.tmp");
  ASSERT_TRUE(lines);
  ASSERT_EQ(lines->size(), 33u);
  EXPECT_EQ((*lines)[1], "01~" + model().RecordAt(RowOf("12-34-0002"))->GetField(1));
  EXPECT_EQ((*lines)[32].substr(0, 3), "32~");
  ASSERT_TRUE(SpinUntil([this] { return !app_.SieveProgramActive; }));
  EXPECT_EQ(platform::ReadFileBytes(args).value_or(""), (folder_ / "sieb.tmp").string());

  // The hand-off file cannot be written: a message, nothing started.
  app_.m_Settings.m_DataFolder = folder_ / "gone";
  platform::TestUi ui;
  ui.ExpectMessageBox(IDOK, "Error 3621");
  view.StartSieveProgram();
  EXPECT_FALSE(app_.SieveProgramActive);
}

// A test number two records share stays known to the index while one of them is left.
TEST_F(MainView, SharedTestNumberStaysTakenUntilTheLastRecordGoes) {
  CForm1View& view = Open();
  ASSERT_EQ(app_.TestNumberIndex.count("12-05-0001"), 1u);
  view.DeleteRecordRow(RowOf("12-05-0001", 0));
  EXPECT_EQ(model().RecordCount(), 12);
  EXPECT_EQ(app_.TestNumberIndex.count("12-05-0001"), 1u);
  EXPECT_EQ(app_.TestRecordIdIndex.count("12-05-190101080001") + app_.TestRecordIdIndex.count("12-05-190101080000"), 1u);
  view.DeleteRecordRow(RowOf("12-05-0001", 0));
  EXPECT_EQ(app_.TestNumberIndex.count("12-05-0001"), 0u);
  EXPECT_EQ(app_.TestRecordIdIndex.count("12-05-190101080001") + app_.TestRecordIdIndex.count("12-05-190101080000"), 0u);

  // A record added at the top is known at once.
  auto record = std::make_unique<CVersuch>();
  record->SetValue(0, 0, "12-05-250101120000");
  record->SetValue(1, 0, "12-05-0099");
  record->SetValue(1, 19, "K-1");
  record->SetValue(1, 20, "Kunde Eins");
  record->UpdateListSummary();
  EXPECT_EQ(view.AddRecordRow(0, std::move(record)), 0);
  EXPECT_EQ(Number(0), "12-05-0099");
  EXPECT_EQ(app_.TestNumberIndex.count("12-05-0099"), 1u);
  EXPECT_EQ(app_.CustomerNameMap["K-1"], "Kunde Eins");
}

TEST_F(MainView, SavingWritesEveryRowAndReportsAFailure) {
  CForm1View& view = Open();
  // A change reaches the row and the file.
  const int row = RowOf("07-34-0011");
  model().RecordAt(row)->SetValue(1, 20, "Neue Kundin");
  view.RefreshRecordRow(row);
  EXPECT_EQ(model().data(model().index(row, 6)).toString().toStdString(), "Neue Kundin");
  ASSERT_TRUE(view.SaveAllRecords());
  RecordList saved;
  ASSERT_TRUE(LoadRecordFile(saved, folder_.path()));
  ASSERT_EQ(saved.size(), 13u);
  for (int i = 0; i < 13; ++i) EXPECT_EQ(saved[static_cast<size_t>(i)]->GetField(0), model().RecordAt(i)->GetField(0));
  EXPECT_EQ(saved[static_cast<size_t>(row)]->GetValue(1, 20), "Neue Kundin");

  app_.m_Settings.m_DataFolder = folder_ / "gone";
  platform::TestUi ui;
  ui.ExpectMessageBox(IDOK);  // the record file tells what failed
  EXPECT_FALSE(view.SaveAllRecords());
  EXPECT_EQ(model().RecordCount(), 13);  // the rows keep the records
}

// "pravik.ini" that cannot be written: the hidden reminder, the column
// layout and a recent-entry list all fail, and the user hears of it once in
// the run. Before, every one of them was lost without a word.
TEST_F(MainView, AnIniFileThatCannotBeWrittenIsToldOncePerRun) {
  app_.m_Settings.m_NoDatasaveInfo = 0;
  CForm1View& view = Open();
  fs::create_directory(app_.m_Settings.m_IniPath);  // a folder in its place
  platform::ScriptedMessageBoxes boxes;
  view.hideReminderCheck()->setChecked(true);
  view.OnHideBackupReminder();
  view.OnDestroy();
  EXPECT_FALSE(app_.WriteProfileString("comboeintraege", "geprueftdurch", "Meier|Schulz"));
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_NE(boxes.shown()[0].text.find(app_.m_Settings.m_IniPath.string() + "\nkann nicht geschrieben werden"),
            std::string::npos);
  EXPECT_EQ(boxes.shown()[0].flags & platform::MB_ICONMASK, platform::MB_ICONWARNING);
  // The user's own configuration is no part of it.
  EXPECT_TRUE(app_.WriteProfileString("Settings", "probe", "1"));
  // The next run tells it again.
  {
    CPravikWinApp next;
    next.m_Settings.m_IniPath = app_.m_Settings.m_IniPath;
    EXPECT_FALSE(next.WriteProfileInt("Layout", "x1", 10));
    EXPECT_FALSE(next.WriteProfileInt("Layout", "y1", 10));
  }
  EXPECT_EQ(boxes.shown().size(), 2u);
}

TEST_F(MainView, PanelToggleAndBackupReminderPlaceTheList) {
  app_.m_Settings.m_NoDatasaveInfo = 0;
  CForm1View& view = Open();
  const int expandedLeft = view.button(CForm1View::kNewRecordButton)->geometry().right() + 1 + 5;
  EXPECT_EQ(view.list()->x(), expandedLeft);
  EXPECT_GT(view.list()->y(), view.button(CForm1View::kNewRecordButton)->geometry().bottom());
  EXPECT_FALSE(view.backupReminder()->isHidden());

  view.OnTogglePanel();
  EXPECT_EQ(view.button(CForm1View::kTogglePanelButton)->text(), ">");
  EXPECT_TRUE(view.panel()->isHidden());
  EXPECT_TRUE(view.button(CForm1View::kNewRecordButton)->isHidden());
  EXPECT_FALSE(view.button(CForm1View::kSameTowerButton)->isHidden());
  EXPECT_EQ(view.list()->x(), view.button(CForm1View::kTogglePanelButton)->geometry().right() + 1 + 5);
  view.OnTogglePanel();
  EXPECT_EQ(view.button(CForm1View::kTogglePanelButton)->text(), "<");
  EXPECT_EQ(view.list()->x(), expandedLeft);

  // Ticking the box hides the reminder, keeps the setting and moves the list up.
  view.hideReminderCheck()->setChecked(true);
  view.OnHideBackupReminder();
  EXPECT_EQ(app_.m_Settings.m_NoDatasaveInfo, 1);
  EXPECT_EQ(Ini("General", "NoDatasaveInfo"), "1");
  EXPECT_TRUE(view.backupReminder()->isHidden());
  EXPECT_EQ(view.list()->y(), 5);
}
