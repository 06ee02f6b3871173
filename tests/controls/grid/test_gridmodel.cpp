// The grid's model without a screen: the table and its invariants, the
// modified message, geometry, scroll bars and scroll codes, the keys, the
// selection, editing through a stand-in editor, the clipboard texts and the
// drop of text.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "controls/grid/gridmodel.h"
#include "controls/grid/grid_support.h"
#include "platform/drawcontext.h"
#include "platform/sysmetrics.h"

using gridtest::WatchedGrid;
using platform::Point;
using platform::Rect;

namespace {

// Every invariant of the table.
void ExpectConsistent(const CGridModel& grid) {
  EXPECT_LE(grid.GetFixedRowCount(), grid.GetRowCount());
  EXPECT_LE(grid.GetFixedColumnCount(), grid.GetColumnCount());
  for (int r = 0; r < grid.GetRowCount(); ++r) {
    EXPECT_GE(grid.GetRowHeight(r), 0);
    for (int c = 0; c < grid.GetColumnCount(); ++c) {
      ASSERT_NE(grid.GetCell(r, c), nullptr) << r << "," << c;
      const unsigned state = grid.GetItemState(r, c);
      const bool fixedRow = r < grid.GetFixedRowCount(), fixedCol = c < grid.GetFixedColumnCount();
      EXPECT_EQ((state & GVIS_FIXEDROW) != 0, fixedRow) << r << "," << c;
      EXPECT_EQ((state & GVIS_FIXEDCOL) != 0, fixedCol) << r << "," << c;
      EXPECT_EQ((state & GVIS_FIXED) != 0, fixedRow || fixedCol) << r << "," << c;
    }
  }
  EXPECT_EQ(grid.GetColumnWidth(grid.GetColumnCount()), -1);
  EXPECT_EQ(grid.GetRowHeight(grid.GetRowCount()), -1);
  const CCellID focus = grid.GetFocusCell();
  if (focus != CCellID(-1, -1)) {
    EXPECT_TRUE(grid.IsValid(focus));
    EXPECT_FALSE(grid.IsCellFixed(focus.row, focus.col));
  }
}

// A grid of rows x cols with texts "r,c" and a client area.
void Fill(CGridModel& grid) {
  for (int r = 0; r < grid.GetRowCount(); ++r)
    for (int c = 0; c < grid.GetColumnCount(); ++c) grid.SetItemText(r, c, std::to_string(r) + "," + std::to_string(c));
}

}  // namespace

TEST(GridTable, AnEmptyGridRefusesEveryCellOperationAndDrawsOnlyItsBackground) {
  WatchedGrid grid;
  grid.SetClientSize(100, 60);
  EXPECT_EQ(grid.GetCell(0, 0), nullptr);
  EXPECT_FALSE(grid.SetItemText(0, 0, "x"));
  EXPECT_EQ(grid.GetItemText(0, 0), "");
  EXPECT_EQ(grid.GetItemState(0, 0), 0u);
  EXPECT_FALSE(grid.SetItemState(0, 0, GVIS_SELECTED));
  EXPECT_FALSE(grid.SetItemFormat(0, 0, 0));
  EXPECT_FALSE(grid.SetItemBkColour(0, 0, 1));
  EXPECT_EQ(grid.GetItemBkColour(0, 0), 0u);
  EXPECT_FALSE(grid.SetColumnWidth(0, 10));
  EXPECT_EQ(grid.GetColumnWidth(0), -1);
  EXPECT_FALSE(grid.IsCellEditable(0, 0));
  EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(0, 0, -1, -1));
  EXPECT_FALSE(grid.CopyTextFromGrid().has_value());
  grid.SetFocusCell(0, 0);  // no cell to focus
  grid.OnKeyDown(platform::VK_DOWN);
  grid.SetGridBkColor(platform::RGB(10, 20, 30));
  QImage image(100, 60, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    platform::DrawContext dc(painter);
    dc.SetMapMode(platform::MM_TEXT);
    grid.OnDraw(dc);
  }
  for (QPoint p : {QPoint(0, 0), QPoint(50, 30), QPoint(99, 59)}) EXPECT_EQ(image.pixel(p), qRgb(10, 20, 30));
  EXPECT_TRUE(grid.owner.messages.empty() || grid.owner.messages == std::vector<std::string>{"modified"});
}

TEST(GridTable, EverySizeChangeKeepsTheTableConsistent) {
  WatchedGrid grid;
  const int rowHeight = grid.GetDefaultCell(false, false)->GetHeight();
  const int colWidth = grid.GetDefaultCell(false, true)->GetWidth();
  struct Step {
    const char* what;
    std::function<bool(CGridModel&)> change;
    int rows, cols, fixedRows, fixedCols;
  };
  const Step steps[] = {
      {"one fixed column on no columns", [](CGridModel& g) { return g.SetFixedColumnCount(1); }, 0, 1, 0, 1},
      {"rows", [](CGridModel& g) { return g.SetRowCount(6); }, 6, 1, 0, 1},
      {"columns", [](CGridModel& g) { return g.SetColumnCount(5); }, 6, 5, 0, 1},
      {"two header rows", [](CGridModel& g) { return g.SetFixedRowCount(2); }, 6, 5, 2, 1},
      {"two fixed columns", [](CGridModel& g) { return g.SetFixedColumnCount(2); }, 6, 5, 2, 2},
      {"fewer columns", [](CGridModel& g) { return g.SetColumnCount(3); }, 6, 3, 2, 2},
      {"back to one fixed row", [](CGridModel& g) { return g.SetFixedRowCount(1); }, 6, 3, 1, 2},
      {"fixed rows beyond the rows", [](CGridModel& g) { return g.SetFixedRowCount(8); }, 8, 3, 8, 2},
      {"rows below the fixed ones", [](CGridModel& g) { return g.SetRowCount(4); }, 4, 3, 4, 2},
      {"columns below the fixed ones", [](CGridModel& g) { return g.SetColumnCount(1); }, 4, 1, 4, 1},
      {"the same count", [](CGridModel& g) { return g.SetRowCount(4); }, 4, 1, 4, 1},
      {"everything away", [](CGridModel& g) { return g.DeleteAllItems(); }, 0, 0, 0, 0},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    EXPECT_TRUE(step.change(grid));
    EXPECT_EQ(grid.GetRowCount(), step.rows);
    EXPECT_EQ(grid.GetColumnCount(), step.cols);
    EXPECT_EQ(grid.GetFixedRowCount(), step.fixedRows);
    EXPECT_EQ(grid.GetFixedColumnCount(), step.fixedCols);
    ExpectConsistent(grid);
  }
  grid.SetRowCount(3);
  grid.SetColumnCount(2);
  EXPECT_EQ(grid.GetRowHeight(2), rowHeight);  // new rows: the cell height
  EXPECT_EQ(grid.GetColumnWidth(1), colWidth);  // new columns: the fixed column's width
}

TEST(GridTable, LoweringTheFixedRowsResetsTheirColoursButKeepsTheFixedColumn) {
  WatchedGrid grid(4, 3, 2, 1);
  for (int c = 0; c < 3; ++c) grid.SetItemBkColour(1, c, platform::RGB(1, 2, 3));
  grid.SetFixedRowCount(1);
  EXPECT_EQ(grid.GetItemState(1, 0), unsigned(GVIS_FIXED | GVIS_FIXEDCOL));
  EXPECT_EQ(grid.GetItemBkColour(1, 0), platform::RGB(1, 2, 3));  // still a fixed cell: keeps its colour
  EXPECT_EQ(grid.GetItemState(1, 1), 0u);
  EXPECT_EQ(grid.GetItemBkColour(1, 1), CLR_DEFAULT);
  ExpectConsistent(grid);
}

TEST(GridTable, FewerRowsThanTheFocusRowClearTheFocusCell) {
  WatchedGrid grid(6, 3, 1, 1);
  grid.SetFocusCell(4, 1);
  grid.SetSelectedRange(3, 1, 5, 2);
  EXPECT_EQ(grid.GetSelectedCount(), 6);
  grid.SetRowCount(4);
  EXPECT_EQ(grid.GetFocusCell(), CCellID(-1, -1));
  EXPECT_EQ(grid.GetSelectedCount(), 2);  // the cells that went left the selection
  EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(3, 1, 3, 2));
  ExpectConsistent(grid);
}

TEST(GridModified, TheFirstChangeSendsOneMessageUntilTheFlagIsCleared) {
  WatchedGrid grid(4, 3, 1, 1);
  grid.SetClientSize(200, 100);
  grid.SetModified(false);
  grid.owner.messages.clear();
  grid.SetItemText(1, 1, "a");
  grid.SetItemText(2, 2, "b");
  EXPECT_EQ(grid.owner.messages, std::vector<std::string>{"modified"});
  EXPECT_TRUE(grid.GetModified(1, 1));
  EXPECT_TRUE(grid.GetModified(2, 2));
  EXPECT_FALSE(grid.GetModified(1, 2));
  grid.SetModified(false);
  EXPECT_FALSE(grid.GetModified());
  EXPECT_FALSE(grid.GetModified(1, 1));  // every cell's bit cleared
  EXPECT_FALSE(grid.GetModified(2, 2));
  grid.SetRowCount(5);  // a size change counts as a change
  EXPECT_EQ(grid.owner.messages, (std::vector<std::string>{"modified", "modified"}));
  grid.SetModified(true);
  EXPECT_EQ(grid.owner.Count("modified"), 2);
  WatchedGrid windowless(2, 2);  // without a window nothing is sent
  windowless.SetModified(false);
  windowless.SetItemText(0, 0, "x");
  EXPECT_TRUE(windowless.owner.messages.empty());
}

TEST(GridGeometry, OriginsRectanglesAndHitsFollowTheScrollPosition) {
  // Columns 40 (fixed), 30, 0 (hidden), 50, 60, 70; rows 20 (fixed) and 10 x 15.
  WatchedGrid grid(11, 6, 1, 1);
  const int widths[] = {40, 30, 0, 50, 60, 70};
  for (int c = 0; c < 6; ++c) grid.SetColumnWidth(c, widths[c]);
  grid.SetRowHeight(0, 20);
  for (int r = 1; r < 11; ++r) grid.SetRowHeight(r, 15);
  grid.SetClientSize(150, 80);
  EXPECT_EQ(grid.GetVirtualWidth(), 250);
  EXPECT_EQ(grid.GetFixedColumnWidth(), 40);

  Rect r;
  ASSERT_TRUE(grid.GetCellRect(2, 3, &r));
  EXPECT_EQ(r, (Rect{70, 35, 119, 49}));
  EXPECT_EQ(grid.GetCellFromPt(Point{70, 35}), CCellID(2, 3));
  EXPECT_EQ(grid.GetCellFromPt(Point{69, 35}), CCellID(2, 1));   // the hidden column is never hit
  EXPECT_EQ(grid.GetCellFromPt(Point{10, 5}), CCellID(0, 0));
  EXPECT_EQ(grid.GetCellFromPt(Point{10, 5}, false), CCellID(-1, -1));
  EXPECT_EQ(grid.GetCellFromPt(Point{-1, 30}).col, -1);
  EXPECT_EQ(grid.GetCellFromPt(Point{260, 30}).col, -1);          // beyond the last column
  EXPECT_EQ(grid.GetVisibleNonFixedCellRange(&r), CCellRange(1, 1, 4, 4));  // rows 1 to 4 fill it
  EXPECT_EQ(r, (Rect{0, 0, 150, 80}));

  // Scrolled right by two columns: 1 and 3 are out to the left.
  grid.OnHScroll(SB_LINERIGHT);
  grid.OnHScroll(SB_LINERIGHT);
  EXPECT_EQ(grid.GetScrollPos32(SB_HORZ), 80);
  EXPECT_EQ(grid.GetTopLeftNonFixedCell(), CCellID(1, 4));
  EXPECT_FALSE(grid.GetCellOrigin(2, 3, nullptr));
  EXPECT_FALSE(grid.GetCellRect(2, 1, &r));
  EXPECT_FALSE(grid.IsCellVisible(2, 3));
  EXPECT_TRUE(grid.IsCellVisible(2, 0));  // fixed cells stay
  ASSERT_TRUE(grid.GetCellRect(2, 4, &r));
  EXPECT_EQ(r.left, 40);
  for (int x = 40; x < 150; x += 7) {
    const CCellID hit = grid.GetCellFromPt(Point{x, 40});
    EXPECT_TRUE(hit.col == 4 || hit.col == 5) << x;
  }
}

TEST(GridScrollBars, ShownOnlyWhenTheCellsDoNotFit) {
  // Ten rows of 20 below a header of 20, five columns of 50 right of one of
  // 30; scroll bars 16 wide.
  struct Case {
    int width, height;
    bool hbar, vbar;
    int hmax, vmax, hpage, vpage;
  };
  const Case cases[] = {
      {400, 300, false, false, 0, 0, 0, 0},            // everything fits
      {400, 150, false, true, 0, 199, 0, 130},         // rows overflow
      {200, 300, true, false, 249, 0, 170, 0},         // columns overflow
      {280, 150, true, true, 249, 199, 234, 114},      // the vertical bar narrows the width
      {30, 300, false, false, 0, 0, 0, 0},             // nothing left beside the fixed column
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    WatchedGrid grid(11, 6, 1, 1);
    grid.SetColumnWidth(0, 30);
    for (int col = 1; col < 6; ++col) grid.SetColumnWidth(col, 50);
    for (int row = 0; row < 11; ++row) grid.SetRowHeight(row, 20);
    grid.SetClientSize(c.width, c.height);
    EXPECT_EQ(grid.IsScrollBarShown(SB_HORZ), c.hbar);
    EXPECT_EQ(grid.IsScrollBarShown(SB_VERT), c.vbar);
    EXPECT_EQ(grid.GetScrollMax(SB_HORZ), c.hmax);
    EXPECT_EQ(grid.GetScrollMax(SB_VERT), c.vmax);
    EXPECT_EQ(grid.GetScrollPage(SB_HORZ), c.hpage);
    EXPECT_EQ(grid.GetScrollPage(SB_VERT), c.vpage);
  }
}

TEST(GridScroll, EachCodeMovesByItsAmountAndStopsAtTheEnds) {
  // Header 20; rows 30, 10, 10, ... ; client 100 x 120.
  WatchedGrid grid(41, 2, 1, 1);
  for (int r = 0; r < 41; ++r) grid.SetRowHeight(r, r == 1 ? 30 : (r == 0 ? 20 : 10));
  grid.SetColumnWidth(0, 30);
  grid.SetColumnWidth(1, 30);
  grid.SetClientSize(100, 120);
  const int max = grid.GetScrollMax(SB_VERT);
  const int limit = grid.GetScrollLimit(SB_VERT);
  ASSERT_EQ(max, 30 + 39 * 10 - 1);
  ASSERT_EQ(limit, max - grid.GetScrollPage(SB_VERT) + 1);
  struct Step {
    unsigned code;
    int track;
    int pos;
  };
  const Step steps[] = {
      {SB_LINEUP, 0, 0},         // already at the top
      {SB_LINEDOWN, 0, 30},      // by the top row's 30
      {SB_LINEDOWN, 0, 40},      // then by 10
      {SB_LINEUP, 0, 30},
      {SB_PAGEDOWN, 0, 130},     // client height less the header
      {SB_PAGEUP, 0, 30},
      {SB_PAGEUP, 0, 0},
      {SB_BOTTOM, 0, limit},
      {SB_LINEDOWN, 0, limit},   // nothing beyond the end
      {SB_PAGEDOWN, 0, limit},
      {SB_TOP, 0, 0},
      {SB_THUMBTRACK, 77, 77},
      {SB_THUMBPOSITION, 5000, limit},
      {SB_ENDSCROLL, 0, limit},
  };
  for (const Step& s : steps) {
    grid.OnVScroll(s.code, s.track);
    EXPECT_EQ(grid.GetScrollPos32(SB_VERT), s.pos) << "code " << s.code;
  }
  const int before = grid.invalidations;
  grid.OnVScroll(SB_LINEDOWN);
  EXPECT_EQ(grid.invalidations, before);  // nothing moved: nothing repainted
  grid.SetRowsPerWheelNotch(3);
  EXPECT_EQ(grid.WheelScrollCodes(1), (std::vector<unsigned>{SB_LINEUP, SB_LINEUP, SB_LINEUP}));
  EXPECT_EQ(grid.WheelScrollCodes(-1), (std::vector<unsigned>{SB_LINEDOWN, SB_LINEDOWN, SB_LINEDOWN}));
  grid.SetRowsPerWheelNotch(-1);
  EXPECT_EQ(grid.WheelScrollCodes(-2), (std::vector<unsigned>{SB_PAGEDOWN, SB_PAGEDOWN}));
}

TEST(GridKeys, EachKeyMovesTheFocusByItsRule) {
  using namespace platform;
  // 7 rows x 6 columns, one fixed each; row 3 of height 0, column 3 of width 0.
  struct Case {
    const char* what;
    CCellID from;
    unsigned key;
    unsigned keys;
    CCellID to;
  };
  const Case cases[] = {
      {"right", {1, 1}, VK_RIGHT, 0, {1, 2}},
      {"right skips a column of width 0", {1, 2}, VK_RIGHT, 0, {1, 4}},
      {"right at the last column stays", {1, 5}, VK_RIGHT, 0, {1, 5}},
      {"tab wraps to the next row", {1, 5}, VK_TAB, 0, {2, 1}},
      {"tab wraps past a row of height 0", {2, 5}, VK_TAB, 0, {4, 1}},
      {"tab on the last cell stays", {6, 5}, VK_TAB, 0, {6, 5}},
      {"shift+tab wraps to the previous row", {4, 1}, VK_TAB, MK_SHIFT, {2, 5}},
      {"shift+tab on the first cell stays", {1, 1}, VK_TAB, MK_SHIFT, {1, 1}},
      {"left skips a column of width 0", {1, 4}, VK_LEFT, 0, {1, 2}},
      {"left stops before the fixed column", {1, 1}, VK_LEFT, 0, {1, 1}},
      {"up stops before the fixed row", {1, 2}, VK_UP, 0, {1, 2}},
      {"down skips a row of height 0", {2, 2}, VK_DOWN, 0, {4, 2}},
      {"down on the last row stays", {6, 2}, VK_DOWN, 0, {6, 2}},
      {"home: first column of the row", {4, 4}, VK_HOME, 0, {4, 1}},
      {"ctrl+home: the first cell", {4, 4}, VK_HOME, MK_CONTROL, {1, 1}},
      {"end: last column of the row", {4, 1}, VK_END, 0, {4, 5}},
      {"ctrl+end: the last cell", {1, 1}, VK_END, MK_CONTROL, {6, 5}},
      {"page down with every row shown: the last row", {2, 2}, VK_NEXT, 0, {6, 2}},
      {"page up with every row shown: the first row", {5, 2}, VK_PRIOR, 0, {1, 2}},
      {"delete keeps the focus", {2, 2}, VK_DELETE, 0, {2, 2}},
      {"another key keeps it", {2, 2}, 'Q', 0, {2, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WatchedGrid grid(7, 6, 1, 1);
    grid.SetRowHeight(3, 0);
    grid.SetColumnWidth(3, 0);
    grid.SetClientSize(600, 400);
    grid.SetFocusCell(c.from);
    const int scroll = grid.GetScrollPos32(SB_VERT);
    grid.SetKeyState(c.keys);
    grid.OnKeyDown(c.key);
    EXPECT_EQ(grid.GetFocusCell(), c.to);
    EXPECT_EQ(grid.GetScrollPos32(SB_VERT), scroll);
  }
}

TEST(GridKeys, MovingSelectsTheNewCellOrExtendsWithShiftAndNotifiesAroundIt) {
  WatchedGrid grid(7, 6, 1, 1);
  grid.SetClientSize(600, 400);
  grid.SetFocusCell(2, 2);
  grid.SetSelectionStartCell({2, 2});
  grid.OnKeyDown(platform::VK_DOWN);
  EXPECT_EQ(grid.owner.messages, (std::vector<std::string>{"changing 3,2", "changed 3,2"}));
  EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(3, 2, 3, 2));
  grid.SetKeyState(MK_SHIFT);
  grid.OnKeyDown(platform::VK_RIGHT);
  grid.OnKeyDown(platform::VK_DOWN);
  EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(3, 2, 4, 3));  // from where the selection started
  EXPECT_EQ(grid.GetSelectedCount(), 4);
  grid.SetKeyState(0);
  grid.OnKeyDown(platform::VK_LEFT);
  EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(4, 2, 4, 2));
}

TEST(GridKeys, PageDownScrollsAndMovesTheFocusBySameRows) {
  WatchedGrid grid(101, 3, 1, 1);
  for (int r = 0; r < 101; ++r) grid.SetRowHeight(r, 10);
  grid.SetClientSize(200, 110);  // header and ten rows
  grid.SetFocusCell(3, 1);
  grid.OnKeyDown(platform::VK_NEXT);
  EXPECT_EQ(grid.GetScrollPos32(SB_VERT), 100);
  EXPECT_EQ(grid.GetTopLeftNonFixedCell().row, 11);
  EXPECT_EQ(grid.GetFocusCell(), CCellID(13, 1));
  grid.OnKeyDown(platform::VK_PRIOR);
  EXPECT_EQ(grid.GetFocusCell(), CCellID(3, 1));
  grid.SetKeyState(MK_CONTROL);
  grid.OnKeyDown(platform::VK_END);
  EXPECT_EQ(grid.GetFocusCell(), CCellID(100, 2));
  EXPECT_TRUE(grid.IsCellVisible(100, 2));
  grid.OnKeyDown(platform::VK_HOME);
  EXPECT_EQ(grid.GetFocusCell(), CCellID(1, 1));
  EXPECT_EQ(grid.GetScrollPos32(SB_VERT), 0);
  grid.SetKeyState(0);
  for (int i = 0; i < 12; ++i) grid.OnKeyDown(platform::VK_DOWN);  // the focus pulls the view along
  EXPECT_EQ(grid.GetFocusCell(), CCellID(13, 1));
  EXPECT_TRUE(grid.IsCellVisible(13, 1));
  EXPECT_GT(grid.GetScrollPos32(SB_VERT), 0);
}

TEST(GridSelection, RangesAreRaisedIntoTheCellsAndResetClearsTheFocus) {
  WatchedGrid grid(6, 5, 1, 1);
  grid.SetClientSize(400, 300);
  grid.SetSelectedRange(0, 0, 2, 2);  // fixed bounds are raised
  EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(1, 1, 2, 2));
  grid.SetSelectedRange(2, 2, 3, 3, false, false);  // deselect a part
  EXPECT_EQ(grid.GetSelectedCount(), 3);
  grid.SetSelectionStartCell({1, 3});
  grid.SelectColumns({4, 4});
  EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(1, 3, 5, 4));
  grid.SelectRows({2, 2});  // from the start row 1
  EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(1, 1, 2, 4));
  grid.RememberSelection(true);  // a Ctrl-click keeps it and adds
  grid.SetSelectionStartCell({5, 1});
  grid.SelectCells({5, 1});
  EXPECT_EQ(grid.GetSelectedCount(), 9);
  grid.SelectAllCells();
  EXPECT_EQ(grid.GetSelectedCount(), 20);
  grid.SetFocusCell(3, 3);
  grid.ResetSelectedRange();
  EXPECT_EQ(grid.GetSelectedCount(), 0);
  EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(6, 5, -1, -1));
  EXPECT_EQ(grid.GetFocusCell(), CCellID(-1, -1));
  grid.EnableSelection(false);
  grid.SelectAllCells();
  EXPECT_EQ(grid.GetSelectedCount(), 0);
}

// --------------------------------------------------------------- editing

namespace {

// A stand-in editor: remembers how it was opened and ends when told.
struct FakeEditor : CGridEditor {
  CGridModel* grid;
  int row, col;
  std::string text;
  unsigned firstKey;
  unsigned lastKey = 0;
  std::vector<unsigned> typed;
  bool ended = false;
  void EndEdit() override {
    if (ended) return;
    ended = true;
    grid->OnEndInPlaceEdit(row, col, text, lastKey);
  }
  void SendChar(unsigned ch) override { typed.push_back(ch); }
  void Paste() override { text += "<paste>"; }
};

class EditingGrid : public WatchedGrid {
 public:
  using WatchedGrid::WatchedGrid;
  std::vector<std::unique_ptr<FakeEditor>> editors;
  CGridEditor* CreateInPlaceEdit(const Rect&, unsigned, int, int row, int col, const std::string& text,
                                 unsigned firstKey) override {
    editors.push_back(std::make_unique<FakeEditor>());
    FakeEditor& e = *editors.back();
    e.grid = this;
    e.row = row;
    e.col = col;
    e.text = text;
    e.firstKey = firstKey;
    owner.messages.push_back("editor " + std::to_string(row) + "," + std::to_string(col));
    return &e;
  }
  FakeEditor* Open() { return editors.empty() || editors.back()->ended ? nullptr : editors.back().get(); }
};

}  // namespace

TEST(GridEditing, TypingOpensTheEditorAfterTheOwnerAgrees) {
  EditingGrid grid(5, 4, 1, 1);
  grid.SetClientSize(400, 300);
  grid.SetItemText(2, 2, "7.5");
  grid.SetFocusCell(2, 2);
  grid.owner.messages.clear();
  grid.OnChar('%');
  ASSERT_NE(grid.Open(), nullptr);
  EXPECT_EQ(grid.Open()->firstKey, unsigned('%') | kTypedKey);  // typed, though "%" is VK_LEFT's code
  EXPECT_EQ(grid.Open()->text, "7.5");
  grid.OnChar('1');  // the cell is editing: the key goes on in the same editor
  EXPECT_EQ(grid.editors.size(), 1u);
  EXPECT_EQ(grid.Open()->typed, std::vector<unsigned>{'1'});
  EXPECT_EQ(grid.owner.messages, (std::vector<std::string>{"begin 2,2", "editor 2,2", "begin 2,2"}));

  // No editor for Esc, with Ctrl, while the mouse is busy, on a read-only
  // cell or when the owner refuses.
  EditingGrid other(5, 4, 1, 1);
  other.SetClientSize(400, 300);
  other.SetFocusCell(2, 2);
  other.OnChar(platform::VK_ESCAPE);
  other.SetKeyState(MK_CONTROL);
  other.OnChar('x');
  other.SetKeyState(0);
  other.SetMouseMode(CGridModel::MOUSE_SELECT_CELLS);
  other.OnChar('x');
  other.SetMouseMode(CGridModel::MOUSE_NOTHING);
  other.SetItemState(2, 2, other.GetItemState(2, 2) | GVIS_READONLY);
  other.OnChar('x');
  other.SetItemState(2, 2, other.GetItemState(2, 2) & ~GVIS_READONLY);
  other.owner.reply = [](const GridMessage& m) { return m.code == LVN_BEGINLABELEDIT ? -1 : 0; };
  other.OnChar('x');
  EXPECT_TRUE(other.editors.empty());
  EXPECT_EQ(other.owner.Count("begin 2,2"), 1);  // only the refused one asked
}

TEST(GridEditing, TheEndStoresTheTextUnlessRefusedAndANavigationKeyGoesOn) {
  EditingGrid grid(5, 4, 1, 1);
  grid.SetClientSize(400, 300);
  grid.SetItemText(2, 2, "old");
  grid.SetModified(false);
  grid.SetFocusCell(2, 2);
  grid.OnEditCell(2, 2, Point{-1, -1}, platform::VK_LBUTTON);
  grid.owner.messages.clear();
  FakeEditor* editor = grid.Open();
  editor->text = "old";  // Esc: the text it started with
  editor->EndEdit();
  EXPECT_TRUE(grid.owner.messages.empty());  // no end notice, nothing modified
  EXPECT_FALSE(grid.GetCell(2, 2)->IsEditing());

  grid.OnEditCell(2, 2, Point{-1, -1}, platform::VK_LBUTTON);
  grid.owner.reply = [](const GridMessage& m) { return m.code == LVN_ENDLABELEDIT ? -1 : 0; };
  grid.Open()->text = "refused";
  grid.Open()->EndEdit();
  EXPECT_EQ(grid.GetItemText(2, 2), "old");

  grid.owner.reply = nullptr;
  grid.owner.messages.clear();
  grid.OnEditCell(2, 2, Point{-1, -1}, 'x' | kTypedKey);
  grid.Open()->text = "12";
  grid.Open()->lastKey = platform::VK_RIGHT;
  grid.Open()->EndEdit();
  EXPECT_EQ(grid.GetItemText(2, 2), "12");
  EXPECT_TRUE(grid.GetModified(2, 2));
  EXPECT_EQ(grid.GetFocusCell(), CCellID(2, 3));
  ASSERT_NE(grid.Open(), nullptr);
  EXPECT_EQ(grid.Open()->col, 3);
  EXPECT_EQ(grid.Open()->firstKey, platform::VK_RIGHT);
  EXPECT_EQ(grid.owner.messages,
            (std::vector<std::string>{"begin 2,2", "editor 2,2", "end 2,2", "changing 2,3", "changed 2,3",
                                      "begin 2,3", "editor 2,3"}));
  // Tab on the last cell of the table: the editor opens again on it.
  grid.Open()->EndEdit();
  grid.SetFocusCell(4, 3);
  grid.OnEditCell(4, 3, Point{-1, -1}, platform::VK_LBUTTON);
  grid.Open()->lastKey = platform::VK_TAB;
  grid.Open()->EndEdit();
  ASSERT_NE(grid.Open(), nullptr);
  EXPECT_EQ(grid.Open()->row, 4);
  EXPECT_EQ(grid.Open()->col, 3);
  // Scrolling ends the edit, storing its text.
  grid.Open()->text = "kept";
  grid.OnVScroll(SB_LINEDOWN);
  EXPECT_EQ(grid.Open(), nullptr);
  EXPECT_EQ(grid.GetItemText(4, 3), "kept");
}

// ------------------------------------------------------------ clipboard

TEST(GridClipboard, CopiesSelectedCellsWithTabsAndLineEnds) {
  WatchedGrid grid(4, 4, 1, 1);
  grid.SetClientSize(400, 300);
  Fill(grid);
  grid.SetSelectedRange(1, 1, 1, 1);
  grid.RememberSelection(true);
  grid.SetSelectedRange(2, 2, 2, 2);  // (1,1) and (2,2); (1,2) and (2,1) not
  EXPECT_EQ(grid.CopyTextFromGrid(), std::optional<std::string>("1,1\t\r\n\t2,2"));
  grid.OnEditCopy();
  EXPECT_EQ(grid.clipboard, "1,1\t\r\n\t2,2");
  grid.SetColumnWidth(2, 0);  // a hidden column gives nothing, not even its tab
  grid.SelectAllCells();
  EXPECT_EQ(grid.CopyTextFromGrid(), std::optional<std::string>("1,1\t1,3\r\n2,1\t2,3\r\n3,1\t3,3"));
}

TEST(GridClipboard, PasteDropsFieldsBeyondTheTableAndSparesReadOnlyCells) {
  WatchedGrid grid(5, 5, 1, 1);
  grid.SetClientSize(400, 300);
  Fill(grid);
  grid.SetItemState(3, 4, GVIS_READONLY);
  grid.SetFocusCell(2, 3);
  grid.clipboard = "a\tb\tc\r\nd\te\tf\r\n";
  grid.hasClipboard = true;
  grid.owner.messages.clear();
  grid.OnEditPaste();
  EXPECT_EQ(grid.GetItemText(2, 3), "a");
  EXPECT_EQ(grid.GetItemText(2, 4), "b");  // "c" had no column left
  EXPECT_EQ(grid.GetItemText(3, 3), "d");
  EXPECT_EQ(grid.GetItemText(3, 4), "3,4");  // read-only
  EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(2, 3, 3, 4));
  EXPECT_EQ(grid.owner.Count("begin 3,4"), 0);
  EXPECT_EQ(grid.owner.Count("end 2,3"), 1);
  // A refused change keeps the text.
  grid.owner.reply = [](const GridMessage& m) { return m.code == LVN_ENDLABELEDIT && m.row == 1 ? -1 : 0; };
  grid.PasteTextToGrid({1, 1}, std::string("x\ty"), true);
  EXPECT_EQ(grid.GetItemText(1, 1), "1,1");
  // Delete clears only the editable cells of the selection.
  grid.owner.reply = nullptr;
  grid.SetSelectedRange(3, 3, 4, 4);
  grid.SetFocusCell(3, 3);
  grid.OnKeyDown(platform::VK_DELETE);
  EXPECT_EQ(grid.GetItemText(3, 3), "");
  EXPECT_EQ(grid.GetItemText(4, 4), "");
  EXPECT_EQ(grid.GetItemText(3, 4), "3,4");
  // Nothing is pasted into a read-only target or without text.
  EXPECT_FALSE(grid.PasteTextToGrid({3, 4}, std::string("z"), true));
  EXPECT_FALSE(grid.PasteTextToGrid({1, 1}, std::nullopt, true));
}

// --------------------------------------------------------- drag and drop

TEST(GridDrop, AMoveWithinTheGridKeepsTheDroppedTextWhereItOverlapsItsSource) {
  WatchedGrid grid(6, 3, 1, 1);
  for (int r = 0; r < 6; ++r) grid.SetRowHeight(r, 20);
  for (int c = 0; c < 3; ++c) grid.SetColumnWidth(c, 50);
  grid.SetClientSize(300, 300);
  grid.EnableDragAndDrop(true);
  grid.SetItemText(2, 1, "a");
  grid.SetItemText(3, 1, "b");
  grid.SetSelectedRange(2, 1, 3, 1);
  // The cells are dragged one row down: onto (3,1) and (4,1).
  const Point target{60, 65};
  grid.drag = [&](const std::string& text) {
    EXPECT_EQ(text, "a\r\nb");
    EXPECT_EQ(grid.OnDragEnter(text, 0, target), DROPEFFECT_MOVE);
    EXPECT_EQ(grid.OnDragOver(text, 0, target), DROPEFFECT_MOVE);
    EXPECT_TRUE(grid.GetItemState(3, 1) & GVIS_DROPHILITED);
    EXPECT_TRUE(grid.OnDrop(text, DROPEFFECT_MOVE, target));
    return unsigned(DROPEFFECT_MOVE);
  };
  grid.owner.messages.clear();
  grid.OnBeginDrag();
  EXPECT_EQ(grid.GetItemText(2, 1), "");   // the source the target did not cover
  EXPECT_EQ(grid.GetItemText(3, 1), "a");  // overlapped: keeps the dropped text
  EXPECT_EQ(grid.GetItemText(4, 1), "b");
  EXPECT_FALSE(grid.GetItemState(3, 1) & GVIS_DROPHILITED);
  EXPECT_EQ(grid.owner.messages.front(), "drag 2,1");
  EXPECT_EQ(grid.owner.Count("end 2,1"), 1);  // cleared through the edit notices
  EXPECT_EQ(grid.GetMouseMode(), CGridModel::MOUSE_NOTHING);
}

TEST(GridDrop, AMoveElsewhereCutsTheSourceAndACopyLeavesIt) {
  for (unsigned effect : {unsigned(DROPEFFECT_MOVE), unsigned(DROPEFFECT_COPY), unsigned(DROPEFFECT_NONE)}) {
    WatchedGrid grid(4, 3, 1, 1);
    grid.SetClientSize(300, 300);
    grid.EnableDragAndDrop(true);
    grid.SetItemText(2, 1, "a");
    grid.SetSelectedRange(2, 1, 2, 1);
    grid.drag = [effect](const std::string&) { return effect; };
    grid.OnBeginDrag();
    EXPECT_EQ(grid.GetItemText(2, 1), effect == DROPEFFECT_MOVE ? "" : "a") << effect;
  }
  WatchedGrid off(4, 3, 1, 1);  // drag and drop not allowed: no drag
  off.SetItemText(2, 1, "a");
  off.SetSelectedRange(2, 1, 2, 1);
  off.drag = [](const std::string&) -> unsigned { ADD_FAILURE() << "dragged"; return 0; };
  off.OnBeginDrag();
}

TEST(GridDrop, EffectsByCellAndKeys) {
  WatchedGrid grid(4, 3, 1, 1);
  for (int r = 0; r < 4; ++r) grid.SetRowHeight(r, 20);
  for (int c = 0; c < 3; ++c) grid.SetColumnWidth(c, 50);
  grid.SetClientSize(300, 300);
  grid.SetItemState(2, 2, GVIS_READONLY);
  const std::optional<std::string> text("x");
  EXPECT_EQ(grid.OnDragEnter(text, 0, {60, 25}), DROPEFFECT_NONE);  // not allowed yet
  grid.EnableDragAndDrop(true);
  EXPECT_EQ(grid.OnDragEnter(std::nullopt, 0, {60, 25}), DROPEFFECT_NONE);  // no text
  EXPECT_EQ(grid.OnDragEnter(text, MK_CONTROL, {60, 25}), DROPEFFECT_COPY);
  EXPECT_EQ(grid.OnDragOver(text, 0, {60, 45}), DROPEFFECT_MOVE);
  EXPECT_TRUE(grid.GetItemState(2, 1) & GVIS_DROPHILITED);
  EXPECT_FALSE(grid.GetItemState(1, 1) & GVIS_DROPHILITED);
  EXPECT_EQ(grid.OnDragOver(text, 0, {110, 45}), DROPEFFECT_NONE);  // read-only: the highlight stays
  EXPECT_TRUE(grid.GetItemState(2, 1) & GVIS_DROPHILITED);
  EXPECT_EQ(grid.OnDragOver(text, 0, {10, 45}), DROPEFFECT_NONE);  // a fixed cell
  EXPECT_FALSE(grid.GetItemState(2, 1) & GVIS_DROPHILITED);
  EXPECT_FALSE(grid.OnDrop(text, DROPEFFECT_MOVE, {10, 45}));
  EXPECT_EQ(grid.OnDragOver(text, 0, {60, 65}), DROPEFFECT_MOVE);
  EXPECT_TRUE(grid.OnDrop(text, DROPEFFECT_COPY, {60, 65}));
  EXPECT_EQ(grid.GetItemText(3, 1), "x");
  EXPECT_EQ(grid.GetFocusCell(), CCellID(-1, -1));  // a drop resets the selection
}

TEST(GridTable, RunningOutOfCellsGivesFalseAndKeepsWhatWasMade) {
  // Cells can be made only up to a budget, as when memory runs out.
  class ScarceGrid : public WatchedGrid {
   public:
    int budget = 0;
    CGridCellBase* CreateCell(int row, int col) override {
      return budget-- > 0 ? CGridModel::CreateCell(row, col) : nullptr;
    }
  };
  ScarceGrid grid;
  grid.budget = 1000;
  grid.SetColumnCount(3);
  grid.budget = 10;
  EXPECT_FALSE(grid.SetRowCount(5));  // three whole rows, the fourth incomplete
  EXPECT_EQ(grid.GetRowCount(), 3);
  ExpectConsistent(grid);
  grid.budget = 4;
  EXPECT_FALSE(grid.SetColumnCount(6));  // one more column for the three rows, then not
  EXPECT_EQ(grid.GetColumnCount(), 4);
  ExpectConsistent(grid);
  grid.budget = 1000;
  EXPECT_TRUE(grid.SetRowCount(5));
  ExpectConsistent(grid);
}
