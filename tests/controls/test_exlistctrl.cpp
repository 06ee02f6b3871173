// The main test list: what it draws for a record (checked as data and as
// pixels of rows rendered offscreen), its scaled font, the remark popup under
// the mouse, and the signals the main view acts on.
#include <gtest/gtest.h>

#include <QAbstractTableModel>
#include <QApplication>
#include <QFontInfo>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <memory>
#include <vector>

#include "controls/exlistctrl.h"
#include "controls/label.h"
#include "controls/liststatus.h"
#include "controls/remarkpopup.h"
#include "records/strutil.h"
#include "records/versuch.h"

// Records are described by the fields a case sets; the others stay empty.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using platform::ColorRef;
using platform::RGB;
using namespace liststatus;

namespace {

// A record as the list reads it: the status list, the marks and the row texts.
struct ListedRecord {
  std::string number = "1-2-0001";
  std::string statusList;
  std::string statisticsFlag;  // field 1 part 4
  std::string checkMark;       // field 18 part 7
  std::string remark;          // field 1 part 21
  std::string highlight;       // field 18 part 3
  bool ballast = false;
  std::string material = "Kies 2/8";
};

std::unique_ptr<CVersuch> MakeRecord(const ListedRecord& row) {
  auto record = std::make_unique<CVersuch>();
  record->SetValue(1, 0, row.number);
  record->SetValue(1, 4, row.statisticsFlag);
  record->SetValue(1, 21, row.remark);
  record->SetValue(18, 0, row.material);
  record->SetValue(18, 3, row.highlight);
  record->SetValue(18, 7, row.checkMark);
  record->SetTestStatusList(row.statusList);
  std::string requirements;
  StrSetField(requirements, ';', 8, row.ballast ? "[SDM-DBDBDB-GS-1]" : "[SDM-1-2-17]");
  record->SetField(5, requirements);
  std::string summary = row.number + "||Prüfart|Materialart|" + row.material + "|Vorschrift";
  record->SetField(30, summary);
  return record;
}

// Rows are records; the texts come from field 30 as the main view shows them.
class TestRecordModel : public QAbstractTableModel {
 public:
  explicit TestRecordModel(std::vector<std::unique_ptr<CVersuch>> records) : records_(std::move(records)) {}
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(records_.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 17; }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    CVersuch* record = records_[static_cast<size_t>(index.row())].get();
    if (role == kRecordPointerRole) return withPointers ? QVariant::fromValue(static_cast<void*>(record)) : QVariant();
    if (role == Qt::DisplayRole) return QString::fromStdString(StrGetField(record->GetField(30), '|', index.column()));
    return {};
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) return QStringLiteral("Spalte %1").arg(section);
    return {};
  }
  CVersuch* record(int row) { return records_[static_cast<size_t>(row)].get(); }
  void Reset() {
    beginResetModel();
    endResetModel();
  }
  bool withPointers = true;

 private:
  std::vector<std::unique_ptr<CVersuch>> records_;
};

ColorRef Pixel(const QImage& image, int x, int y) {
  const QColor c = image.pixelColor(x, y);
  return RGB(c.red(), c.green(), c.blue());
}

int CountColor(const QImage& image, const QRect& area, ColorRef color) {
  int n = 0;
  const QRect r = area.intersected(image.rect());
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      if (Pixel(image, x, y) == color) ++n;
  return n;
}

// A list in a form whose font is 13 pixels high, with a wide status column.
class ListFixture : public ::testing::Test {
 protected:
  void Show(std::vector<ListedRecord> rows) {
    std::vector<std::unique_ptr<CVersuch>> records;
    for (const auto& row : rows) records.push_back(MakeRecord(row));
    model = std::make_unique<TestRecordModel>(std::move(records));
    QFont font = form.font();
    font.setPixelSize(13);
    form.setFont(font);
    form.resize(900, 400);
    list = new CExListCtrl(&form);
    list->setGeometry(0, 0, 900, 400);
    list->setModel(model.get());
    list->SetFontScale(130, 130);
    list->setColumnWidth(kStatusColumn, 200);
    form.show();
    QApplication::processEvents();
  }
  QImage Render() { return list->viewport()->grab().toImage(); }
  QRect Cell(int row, int column) { return list->visualRect(model->index(row, column)); }
  // The middle of bar k of a row's status cell.
  QPoint BarCentre(int row, int k) {
    const QRect cell = Cell(row, kStatusColumn);
    return {cell.left() + kBarFirstOffset + kBarPitch * k + 2, cell.center().y()};
  }
  void MoveMouse(QPoint pos, QPoint global = {}) {
    if (global.isNull()) global = list->viewport()->mapToGlobal(pos);
    QMouseEvent move(QEvent::MouseMove, pos, global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &move);
  }
  QPoint OnRemark(int row, int dx = 5) {
    const QRect cell = Cell(row, kStatusColumn);
    return {cell.left() + kRemarkOffset + dx, cell.center().y()};
  }
  void Click(QWidget* target, QPoint pos, Qt::MouseButton button, QEvent::Type type = QEvent::MouseButtonPress) {
    const QPoint global = target->mapToGlobal(pos);
    QMouseEvent press(type, pos, global, button, button, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    if (type == QEvent::MouseButtonPress) {
      QMouseEvent release(QEvent::MouseButtonRelease, pos, global, button, Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(target, &release);
    }
  }
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(list, &press);
  }

  QWidget form;
  std::unique_ptr<TestRecordModel> model;
  CExListCtrl* list = nullptr;
};

}  // namespace

// --- what is drawn, as data

TEST(ListStatus, StatusOfAKeyInTheList) {
  const struct {
    const char* list;
    const char* key;
    int status;
  } cases[] = {
      {"[VA_GRUND:8][VA_PLATT:0]", "VA_PLATT", 0},
      {"[VA_PLATT:1]", "VA_PLATT", 1},
      {"[VA_PLATT:7]", "VA_PLATT", 7},
      {"[VA_PLATT:8]", "VA_PLATT", 8},
      {"[VA_PLATT:9]", "VA_PLATT", 9},
      {"[VA_GRUND:8]", "VA_PLATT", kNotInRecord},
      {"", "VA_GRUND", kNotInRecord},
      {"[VA_PLATT:5]", "VA_PLATT", kUnknown},
      {"[VA_PLATT:]", "VA_PLATT", kUnknown},
      // The track-ballast flakiness key is not the normal one.
      {"[VA_GS_PLATTIGKEIT:9]", "VA_PLATT", kNotInRecord},
  };
  for (const auto& c : cases) EXPECT_EQ(KeyStatus(c.list, c.key), c.status) << c.list << " " << c.key;
}

TEST(ListStatus, BarColourPerStatus) {
  const std::pair<int, ColorRef> cases[] = {
      {kNotInRecord, kGrey}, {0, kBlack}, {1, kBlack}, {7, kOrange}, {8, kGreen}, {9, kRed}, {kUnknown, kGrey},
  };
  for (auto [status, fill] : cases) {
    const Bar bar = ResultBar(10, 0, 20, status);
    EXPECT_EQ(bar.fill, fill) << status;
    EXPECT_EQ(bar.rect, (Rect{10, 3, 15, 17})) << status;
    EXPECT_EQ(bar.inner.has_value(), status == 0) << status;
  }
  EXPECT_EQ(ResultBar(10, 0, 20, 0).inner, (Rect{11, 4, 14, 16}));
  EXPECT_EQ(ResultBar(10, 0, 20, 0).innerFill, kWhite);
}

TEST(ListStatus, UnknownStatusDoesNotTakeThePreviousBarsColour) {
  const auto bars = StatusBars("[VA_GRUND:9][VA_SIEBL:x][VA_KORNF:8][VA_PLATT:?]", false, Rect{0, 0, 200, 20});
  ASSERT_EQ(bars.size(), 15u);
  EXPECT_EQ(bars[0].fill, kRed);
  EXPECT_EQ(bars[1].fill, kGrey);
  EXPECT_EQ(bars[2].fill, kGreen);
  EXPECT_EQ(bars[3].fill, kGrey);
}

TEST(ListStatus, KeyListsAndBarPlaces) {
  const auto normal = StatusBars("", false, Rect{100, 0, 300, 20});
  const auto ballast = StatusBars("[VA_GS_UMWELT:8]", true, Rect{100, 0, 300, 20});
  ASSERT_EQ(normal.size(), 15u);
  ASSERT_EQ(ballast.size(), 9u);
  EXPECT_EQ(normal[0].rect.left, 103);
  EXPECT_EQ(normal[14].rect.left, 103 + 7 * 14);
  for (const Bar& bar : normal) EXPECT_EQ(bar.fill, kGrey);
  EXPECT_EQ(NormalListKeys()[3], "VA_PLATT");
  EXPECT_EQ(BallastListKeys()[8], "VA_GS_UMWELT");
  EXPECT_EQ(ballast[8].fill, kGreen);
}

TEST(ListStatus, MarksReadFromTheRecord) {
  const struct {
    ListedRecord row;
    RecordMarks marks;
  } cases[] = {
      {{.statisticsFlag = "0"}, {.noStatistics = true}},
      {{.statisticsFlag = "1"}, {}},
      {{.checkMark = "1"}, {.checkMark = 1}},
      {{.checkMark = "2"}, {.checkMark = 2}},
      {{.checkMark = "abc"}, {}},
      {{.remark = "Probe feucht"}, {.remark = true}},
      {{.highlight = "1"}, {.numberHighlight = true}},
      {{.highlight = "0"}, {}},
  };
  for (const auto& c : cases) {
    const RecordMarks marks = MarksOf(*MakeRecord(c.row));
    EXPECT_EQ(marks.noStatistics, c.marks.noStatistics);
    EXPECT_EQ(marks.checkMark, c.marks.checkMark);
    EXPECT_EQ(marks.remark, c.marks.remark);
    EXPECT_EQ(marks.numberHighlight, c.marks.numberHighlight);
  }
}

TEST(ListStatus, CheckMarkShapes) {
  EXPECT_TRUE(CheckMark(0, 0, 0, 20).polygons.empty());
  const CheckMarkShape tick = CheckMark(1, 100, 0, 21);  // ym = 10
  EXPECT_EQ(tick.color, RGB(0, 127, 0));
  ASSERT_EQ(tick.polygons.size(), 1u);
  EXPECT_EQ(tick.polygons[0].size(), 7u);
  EXPECT_EQ(tick.polygons[0][3], (Point{109, 4}));
  for (int value : {2, 5, -1}) {
    const CheckMarkShape bang = CheckMark(value, 100, 0, 21);
    EXPECT_EQ(bang.color, RGB(191, 0, 0));
    ASSERT_EQ(bang.polygons.size(), 2u);
    EXPECT_EQ(bang.polygons[1][1], (Point{104, 16}));
  }
}

TEST(ListStatus, RowFillBySelection) {
  EXPECT_EQ(RowFill(false, true), kWhite);
  EXPECT_EQ(RowFill(true, true), RGB(192, 192, 80));
  EXPECT_EQ(RowFill(true, false), RGB(255, 255, 127));
}

TEST(ListStatus, RemarkTextsOfTheRecord) {
  const auto record = MakeRecord({.number = "7-1-0042", .remark = " feucht#CRLF#nachwiegen  ", .material = "Sand 0/2"});
  const RemarkTexts texts = RemarkTextsOf(*record);
  EXPECT_EQ(texts.header, "7-1-0042  Sand 0/2");
  EXPECT_EQ(texts.remark, " feucht\nnachwiegen");
  EXPECT_EQ(RemarkTextsOf(*MakeRecord({.remark = "#CRLF#"})).remark, "");
}

TEST(ListStatus, RemarkHoverRule) {
  const struct {
    int row, xInCell, remembered;
    RemarkHover::Action action;
  } cases[] = {
      {2, 150, -1, RemarkHover::kShow},   {2, 162, -1, RemarkHover::kShow},
      {2, 156, 2, RemarkHover::kKeep},    {3, 156, 2, RemarkHover::kShow},
      {2, 149, 2, RemarkHover::kHide},    {2, 163, 2, RemarkHover::kHide},
      {-1, 156, 2, RemarkHover::kForget}, {10, 156, 2, RemarkHover::kForget},
  };
  for (const auto& c : cases)
    EXPECT_EQ(RemarkHoverFor(c.row, 10, c.xInCell, c.remembered).action, c.action)
        << c.row << " " << c.xInCell << " " << c.remembered;
}

TEST(ListStatus, FontAndRowScaling) {
  EXPECT_EQ(ScaleFontHeight(130, -13), -17);
  EXPECT_EQ(ScaleFontHeight(130, 13), 17);
  EXPECT_EQ(ScaleFontHeight(150, -1), -2);  // halves away from zero
  EXPECT_EQ(ScaleFontHeight(150, 1), 2);
  EXPECT_EQ(ScaleRowHeight(130, 21), 27);    // truncated
  EXPECT_EQ(ScaleRowHeight(100, 21), 21);
}

// --- rows rendered offscreen

TEST_F(ListFixture, StatusBarsPerKeyInPixels) {
  Show({{.statusList = "[VA_GRUND:8][VA_SIEBL:0][VA_KORNF:1][VA_PLATT:9][VA_ORGAN:7][VA_BRUCH:5]"}});
  const QImage image = Render();
  EXPECT_EQ(Pixel(image, BarCentre(0, 0).x(), BarCentre(0, 0).y()), kGreen);
  // Hollow: white inside a black frame.
  const QPoint hollow = BarCentre(0, 1);
  EXPECT_EQ(Pixel(image, hollow.x(), hollow.y()), kWhite);
  EXPECT_EQ(Pixel(image, hollow.x() - 2, hollow.y()), kBlack);
  EXPECT_EQ(Pixel(image, hollow.x() + 2, hollow.y()), kBlack);
  EXPECT_EQ(Pixel(image, BarCentre(0, 2).x(), BarCentre(0, 2).y()), kBlack);
  EXPECT_EQ(Pixel(image, BarCentre(0, 3).x(), BarCentre(0, 3).y()), kRed);
  EXPECT_EQ(Pixel(image, BarCentre(0, 4).x(), BarCentre(0, 4).y()), kOrange);
  // An unknown status after the orange bar is grey, not orange.
  EXPECT_EQ(Pixel(image, BarCentre(0, 5).x(), BarCentre(0, 5).y()), kGrey);
  for (int k = 6; k < 15; ++k) EXPECT_EQ(Pixel(image, BarCentre(0, k).x(), BarCentre(0, k).y()), kGrey) << k;
  // Between two bars the row shows through; 3 pixels free above the bar.
  EXPECT_EQ(Pixel(image, BarCentre(0, 0).x() + 4, BarCentre(0, 0).y()), kWhite);
  EXPECT_EQ(Pixel(image, BarCentre(0, 0).x(), Cell(0, kStatusColumn).top() + 2), kWhite);
}

TEST_F(ListFixture, BallastRecordDrawsNineBarsAndABlueMaterial) {
  Show({{.statusList = "[VA_GS_UMWELT:9]", .ballast = true, .material = "Gleisschotter 31,5/63"},
        {.material = "Kies 2/8"}});
  const QImage image = Render();
  EXPECT_EQ(Pixel(image, BarCentre(0, 8).x(), BarCentre(0, 8).y()), kRed);
  EXPECT_EQ(Pixel(image, BarCentre(0, 9).x(), BarCentre(0, 9).y()), kWhite);
  EXPECT_EQ(Pixel(image, BarCentre(1, 9).x(), BarCentre(1, 9).y()), kGrey);
  EXPECT_GT(CountColor(image, Cell(0, kMaterialNameColumn), kBallastMaterialText), 5);
  EXPECT_EQ(CountColor(image, Cell(1, kMaterialNameColumn), kBallastMaterialText), 0);
  EXPECT_GT(CountColor(image, Cell(1, kMaterialNameColumn), kBlack), 5);
}

TEST_F(ListFixture, RecordMarksInPixels) {
  Show({{.statisticsFlag = "0", .checkMark = "1", .remark = "x"},
        {.statisticsFlag = "1", .checkMark = "2"},
        {.checkMark = "0"}});
  const QImage image = Render();
  const auto area = [&](int row, int from, int to) {
    const QRect cell = Cell(row, kStatusColumn);
    return QRect(QPoint(cell.left() + from, cell.top()), QPoint(cell.left() + to, cell.bottom()));
  };
  // Row 0: the struck-through "Stat", the green tick, the blue remark mark.
  const QRect cell0 = Cell(0, kStatusColumn);
  const int ym = (cell0.top() + cell0.bottom() + 1) / 2;
  EXPECT_EQ(CountColor(image, QRect(cell0.left() + 110, ym, 22, 1), kStrikeColor), 22);
  EXPECT_GT(CountColor(image, area(0, 110, 134), kBlack), 3);
  EXPECT_GT(CountColor(image, area(0, 135, 145), RGB(0, 127, 0)), 10);
  // "Stat" ends within its strike, clear of the tick, also in the list's
  // font at 130 %.
  const QRect tick = area(0, 132, 149);
  EXPECT_EQ(CountColor(image, tick, kWhite) + CountColor(image, tick, RGB(0, 127, 0)), tick.width() * tick.height());
  EXPECT_GT(CountColor(image, area(0, 150, 199), kRemarkColor), 3);
  // Row 1: the exclamation mark only.
  EXPECT_GT(CountColor(image, area(1, 135, 145), RGB(191, 0, 0)), 10);
  EXPECT_EQ(CountColor(image, area(1, 110, 134), kStrikeColor), 0);
  EXPECT_EQ(CountColor(image, area(1, 150, 199), kRemarkColor), 0);
  // Row 2: nothing behind the bars.
  EXPECT_EQ(CountColor(image, area(2, 110, 199), kWhite), area(2, 110, 199).width() * area(2, 110, 199).height());
}

TEST_F(ListFixture, MarksStayInsideTheStatusCell) {
  Show({{.remark = "x"}});
  list->setColumnWidth(kStatusColumn, 140);  // narrower than the remark mark's place
  const QImage image = Render();
  EXPECT_EQ(CountColor(image, Cell(0, 2), kRemarkColor), 0);
}

TEST_F(ListFixture, NumberHighlightAndSelectionColours) {
  Show({{.highlight = "1"}, {}, {}});
  list->selectRow(1);
  list->selectionModel()->select(model->index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  model->record(2)->m_selected = 1;
  const QImage image = Render();
  const QRect number = Cell(0, 0);
  EXPECT_EQ(Pixel(image, number.right() - 2, number.top() + 1), kNumberHighlight);
  EXPECT_EQ(Pixel(image, number.right() - 2, number.top()), kWhite);
  const QRect empty1 = Cell(1, 6), empty2 = Cell(2, 6);  // column 6 has no text
  EXPECT_EQ(Pixel(image, empty1.center().x(), empty1.center().y()), RGB(255, 255, 127));
  EXPECT_EQ(Pixel(image, empty2.center().x(), empty2.center().y()), RGB(192, 192, 80));
  EXPECT_EQ(Pixel(image, Cell(0, 6).center().x(), Cell(0, 6).center().y()), kWhite);
  // The column separator.
  EXPECT_EQ(Pixel(image, Cell(0, 6).left(), Cell(0, 6).center().y()), kSeparatorColor);
}

TEST_F(ListFixture, RowWithoutRecordDrawsItsTextsOnly) {
  Show({{.statusList = "[VA_GRUND:8]"}});
  model->withPointers = false;
  const QImage image = Render();
  EXPECT_EQ(Pixel(image, BarCentre(0, 0).x(), BarCentre(0, 0).y()), kWhite);
  EXPECT_EQ(list->RecordAt(0), nullptr);
}

TEST_F(ListFixture, FontAndRowsAt130Percent) {
  Show({{}, {}});
  EXPECT_EQ(QFontInfo(list->font()).pixelSize(), 17);
  EXPECT_EQ(QFontInfo(list->horizontalHeader()->font()).pixelSize(), 17);
  const int proposed = QFontMetrics(list->font()).height() + 2;
  EXPECT_EQ(list->RowHeight(), 130 * proposed / 100);
  EXPECT_EQ(list->rowHeight(1), list->RowHeight());
  CExListCtrl unscaled(&form);
  unscaled.setFont(form.font());
  EXPECT_EQ(unscaled.RowHeight(), QFontMetrics(form.font()).height() + 2);
}

// --- the remark popup

TEST_F(ListFixture, RemarkPopupFollowsTheMouse) {
  Show({{.number = "A-1", .remark = "feucht#CRLF#nachwiegen", .material = "Sand"}, {.number = "A-2"},
        {.number = "A-3", .remark = "zweite"}});
  CAnzeigeBermerkungDlg* popup = list->RemarkPopup();
  ASSERT_NE(popup, nullptr);
  EXPECT_FALSE(popup->isVisible());

  MoveMouse(OnRemark(0), QPoint(500, 300));
  ASSERT_TRUE(popup->isVisible());
  EXPECT_EQ(popup->headerLabel()->text(), "A-1  Sand");
  EXPECT_EQ(popup->remarkLabel()->text(), "feucht\nnachwiegen");
  EXPECT_EQ(popup->pos(), QPoint(520, 290));
  EXPECT_EQ(list->RememberedRemarkRow(), 0);
  EXPECT_FALSE(popup->hasFocus());
  EXPECT_EQ(QApplication::focusWidget() == popup, false);

  // Inside the same row's stripe the popup stays where it is.
  MoveMouse(OnRemark(0, 10), QPoint(600, 320));
  EXPECT_EQ(popup->pos(), QPoint(520, 290));

  // Another row with a remark moves it; a row without one hides it.
  MoveMouse(OnRemark(2), QPoint(510, 340));
  EXPECT_TRUE(popup->isVisible());
  EXPECT_EQ(popup->pos(), QPoint(530, 330));
  EXPECT_EQ(popup->remarkLabel()->text(), "zweite");
  MoveMouse(OnRemark(1));
  EXPECT_FALSE(popup->isVisible());

  // Sideways off the stripe hides it and forgets the row.
  MoveMouse(OnRemark(0));
  ASSERT_TRUE(popup->isVisible());
  MoveMouse(OnRemark(0, -20));
  EXPECT_FALSE(popup->isVisible());
  EXPECT_EQ(list->RememberedRemarkRow(), -1);

  // Below the last row the row is forgotten, the popup keeps its state.
  MoveMouse(OnRemark(0));
  const QPoint below(OnRemark(0).x(), Cell(2, 0).bottom() + 20);
  MoveMouse(below);
  EXPECT_TRUE(popup->isVisible());
  EXPECT_EQ(list->RememberedRemarkRow(), -1);
}

TEST_F(ListFixture, RemarkPopupShowsOnHoverEvents) {
  Show({{.remark = "feucht"}});
  const QPoint pos = OnRemark(0);
  QHoverEvent hover(QEvent::HoverMove, pos, list->viewport()->mapToGlobal(pos), QPoint(0, 0));
  QApplication::sendEvent(list->viewport(), &hover);
  EXPECT_TRUE(list->RemarkPopup()->isVisible());
}

TEST_F(ListFixture, RemarkPopupHidesOnLeaveDeactivationAndScroll) {
  std::vector<ListedRecord> rows(60, ListedRecord{.remark = "feucht"});
  Show(rows);
  CAnzeigeBermerkungDlg* popup = list->RemarkPopup();

  MoveMouse(OnRemark(0));
  ASSERT_TRUE(popup->isVisible());
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(list->viewport(), &leave);
  EXPECT_FALSE(popup->isVisible());
  EXPECT_EQ(list->RememberedRemarkRow(), -1);

  // Another window becomes active.
  QWidget elsewhere;
  elsewhere.show();
  QApplication::setActiveWindow(&form);
  MoveMouse(OnRemark(1));
  ASSERT_TRUE(popup->isVisible());
  QApplication::setActiveWindow(&elsewhere);
  ASSERT_FALSE(list->isActiveWindow());
  EXPECT_FALSE(popup->isVisible());

  MoveMouse(OnRemark(2));
  ASSERT_TRUE(popup->isVisible());
  ASSERT_GT(list->verticalScrollBar()->maximum(), 0);
  list->verticalScrollBar()->setValue(5);
  EXPECT_FALSE(popup->isVisible());
  EXPECT_EQ(list->RememberedRemarkRow(), -1);

  // After a scroll the same screen place shows the row now under the mouse.
  MoveMouse(OnRemark(0));
  EXPECT_TRUE(popup->isVisible());
  EXPECT_EQ(list->RememberedRemarkRow(), list->rowAt(OnRemark(0).y()));

  // Rows that change their places take the popup with them, so it never
  // shows the remark of the record that was under the mouse before.
  model->Reset();
  EXPECT_FALSE(popup->isVisible());
  EXPECT_EQ(list->RememberedRemarkRow(), -1);

  MoveMouse(OnRemark(0));
  ASSERT_TRUE(popup->isVisible());
  list->hide();
  EXPECT_FALSE(popup->isVisible());
}

// --- what the main view receives

TEST_F(ListFixture, SignalsForTheMainView) {
  Show({{}, {}, {}});
  int selection = 0;
  std::vector<int> doubleClick, rightClick, column;
  QObject::connect(list, &CExListCtrl::SelectionChanged, [&] { ++selection; });
  QObject::connect(list, &CExListCtrl::RowDoubleClicked, [&](int row) { doubleClick.push_back(row); });
  QObject::connect(list, &CExListCtrl::RowRightClicked, [&](int row, QPoint) { rightClick.push_back(row); });
  QObject::connect(list, &CExListCtrl::ColumnClicked, [&](int c) { column.push_back(c); });

  Click(list->viewport(), Cell(1, 2).center(), Qt::LeftButton);
  EXPECT_GE(selection, 1);
  EXPECT_EQ(list->SelectedRows(), std::vector<int>{1});
  EXPECT_EQ(list->FocusedRow(), 1);
  EXPECT_EQ(list->RecordAt(1), model->record(1));

  Click(list->viewport(), Cell(2, 2).center(), Qt::LeftButton, QEvent::MouseButtonDblClick);
  EXPECT_EQ(doubleClick, std::vector<int>{2});
  Click(list->viewport(), QPoint(10, Cell(2, 0).bottom() + 30), Qt::LeftButton, QEvent::MouseButtonDblClick);
  EXPECT_EQ(doubleClick.size(), 1u);  // beside the rows

  Click(list->viewport(), Cell(0, 3).center(), Qt::RightButton);
  EXPECT_EQ(rightClick, std::vector<int>{0});
  EXPECT_EQ(list->SelectedRows(), std::vector<int>{0});

  // A header click only reports the column: no sorting, no column selection.
  QHeaderView* header = list->horizontalHeader();
  const QPoint onHeader(header->sectionViewportPosition(3) + 5, header->height() / 2);
  Click(header->viewport(), onHeader, Qt::LeftButton);
  EXPECT_EQ(column, std::vector<int>{3});
  EXPECT_EQ(list->SelectedRows(), std::vector<int>{0});
  EXPECT_EQ(list->RecordAt(0), model->record(0));

  Click(list->viewport(), QPoint(10, Cell(2, 0).bottom() + 30), Qt::RightButton);
  EXPECT_EQ(rightClick.size(), 1u);  // beside the rows

  // Select all: every row, ascending.
  list->selectAll();
  EXPECT_EQ(list->SelectedRows(), (std::vector<int>{0, 1, 2}));
}

TEST_F(ListFixture, KeysGoToTheMainViewFirst) {
  Show({{}, {}, {}});
  list->setCurrentIndex(model->index(0, 0));
  std::vector<std::pair<int, Qt::KeyboardModifiers>> keys;
  QObject::connect(list, &CExListCtrl::ListKeyDown,
                   [&](int key, Qt::KeyboardModifiers modifiers) { keys.emplace_back(key, modifiers); });

  Key(Qt::Key_F12);
  Key(Qt::Key_3, Qt::AltModifier);
  Key(Qt::Key_ScrollLock);
  ASSERT_EQ(keys.size(), 3u);
  EXPECT_EQ(keys[0].first, Qt::Key_F12);
  EXPECT_EQ(keys[1].first, Qt::Key_3);
  EXPECT_EQ(keys[1].second, Qt::AltModifier);
  EXPECT_EQ(keys[2].first, Qt::Key_ScrollLock);
  EXPECT_EQ(list->FocusedRow(), 0);

  // Other keys are reported and then work as usual.
  Key(Qt::Key_Down);
  EXPECT_EQ(keys.size(), 4u);
  EXPECT_EQ(list->FocusedRow(), 1);

  QKeyEvent override(QEvent::ShortcutOverride, Qt::Key_5, Qt::AltModifier);
  QApplication::sendEvent(list, &override);
  EXPECT_TRUE(override.isAccepted());
}

// The keys of a list view: Home and End select the first and the last row
// (with Ctrl too, with Shift up to it), Enter opens the focused row as a
// double click does, the Menu key and Shift+F10 ask for the context menu,
// and Tab leaves the list for the next control.
TEST_F(ListFixture, KeysOfAListView) {
  Show({{}, {}, {}, {}, {}});
  struct Case {
    const char* what;
    int key;
    Qt::KeyboardModifiers modifiers;
    std::vector<int> selected;  // from row 2 selected and focused
    int focused;
    std::vector<int> opened;
    int menus;
  } cases[] = {
      {"Home", Qt::Key_Home, Qt::NoModifier, {0}, 0, {}, 0},
      {"End", Qt::Key_End, Qt::NoModifier, {4}, 4, {}, 0},
      {"Ctrl+Home", Qt::Key_Home, Qt::ControlModifier, {0}, 0, {}, 0},
      {"Ctrl+End", Qt::Key_End, Qt::ControlModifier, {4}, 4, {}, 0},
      {"Shift+Home", Qt::Key_Home, Qt::ShiftModifier, {0, 1, 2}, 0, {}, 0},
      {"Shift+End", Qt::Key_End, Qt::ShiftModifier, {2, 3, 4}, 4, {}, 0},
      {"Enter", Qt::Key_Return, Qt::NoModifier, {2}, 2, {2}, 0},
      {"Enter of the keypad", Qt::Key_Enter, Qt::KeypadModifier, {2}, 2, {2}, 0},
      {"Menu key", Qt::Key_Menu, Qt::NoModifier, {2}, 2, {}, 1},
      {"Shift+F10", Qt::Key_F10, Qt::ShiftModifier, {2}, 2, {}, 1},
      {"F10 alone", Qt::Key_F10, Qt::NoModifier, {2}, 2, {}, 0},
  };
  std::vector<int> opened;
  int menus = 0;
  QObject::connect(list, &CExListCtrl::RowDoubleClicked, [&](int row) { opened.push_back(row); });
  QObject::connect(list, &CExListCtrl::ContextMenuKey, [&] { ++menus; });
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    list->selectionModel()->setCurrentIndex(model->index(1, 3),
                                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    Key(Qt::Key_Down);  // row 2 selected from the keyboard, where Shift starts
    opened.clear();
    menus = 0;
    Key(c.key, c.modifiers);
    EXPECT_EQ(list->SelectedRows(), c.selected);
    EXPECT_EQ(list->FocusedRow(), c.focused);
    EXPECT_EQ(list->currentIndex().column(), 3);  // no sideways move
    EXPECT_EQ(opened, c.opened);
    EXPECT_EQ(menus, c.menus);
  }

  // The menu opens just below the row's beginning, the row scrolled into view.
  const QPoint at = list->viewport()->mapFromGlobal(list->RowMenuPosition(4));
  EXPECT_EQ(list->rowAt(at.y() - 1), 4);
  EXPECT_TRUE(list->viewport()->rect().contains(at - QPoint(0, 1)));

  // Tab goes on to the next control of the form.
  auto* next = new QPushButton(&form);
  next->show();
  QWidget::setTabOrder(list, next);
  list->setFocus();
  Key(Qt::Key_Tab);
  EXPECT_EQ(form.focusWidget(), next);
  EXPECT_EQ(list->currentIndex().column(), 3);
}
