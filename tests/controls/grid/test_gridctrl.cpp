// The grid widget driven offscreen by synthetic mouse and key events: the
// mouse modes and selection rules, the in-place editor's start keys, caret
// and end keys, the title tip, and the stone table painted to an image.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include "controls/grid/gridctrl.h"
#include "controls/grid/grid_support.h"
#include "controls/grid/inplaceedit.h"
#include "controls/grid/pvgridctrl.h"
#include "controls/grid/titletip.h"
#include "platform/sysmetrics.h"

using gridtest::OwnerLog;
using gridtest::UserOf;
using platform::Point;
using platform::Rect;
using Strings = std::vector<std::string>;

namespace {

// A grid of 12 rows and 6 columns, one fixed each, 60 x 20 pixels a cell,
// with texts "r,c", shown 400 x 200 and watched by its owner.
class GridWidget : public ::testing::Test {
 protected:
  void SetUp() override {
    grid.SetRowCount(12);
    grid.SetColumnCount(6);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    for (int r = 0; r < 12; ++r) grid.SetRowHeight(r, 20);
    for (int c = 0; c < 6; ++c) grid.SetColumnWidth(c, 60);
    for (int r = 0; r < 12; ++r)
      for (int c = 0; c < 6; ++c) grid.SetItemText(r, c, std::to_string(r) + "," + std::to_string(c));
    grid.SetOwner([this](const GridMessage& m) { return owner(m); });
    user.Show(400, 200);
    owner.messages.clear();
  }
  Strings Messages() {
    Strings m = owner.messages;
    owner.messages.clear();
    return m;
  }
  CInPlaceEdit* Editor() { return grid.InPlaceEdit(); }

  CGridCtrl grid;
  OwnerLog owner;
  UserOf user{grid};
};

}  // namespace

TEST_F(GridWidget, ClickingTheFocusCellsTextAgainEditsOnlyWhenReleasedAndNotWithCtrl) {
  user.Click(user.At(2, 2));
  EXPECT_EQ(grid.GetFocusCell(), CCellID(2, 2));
  EXPECT_EQ(Messages(), (Strings{"changing 2,2", "changed 2,2", "click 2,2"}));
  user.Press(user.At(2, 2));
  EXPECT_EQ(grid.GetMouseMode(), CGridModel::MOUSE_PREPARE_EDIT);
  EXPECT_EQ(Editor(), nullptr);
  user.Release(user.At(2, 2));
  ASSERT_NE(Editor(), nullptr);
  EXPECT_EQ(Editor()->text(), "2,2");
  EXPECT_EQ(Editor()->cursorPosition(), 3);  // the caret after the text
  EXPECT_FALSE(Editor()->hasSelectedText());
  EXPECT_FALSE(Editor()->exitOnArrows());
  user.Click(user.At(4, 4));  // ends the edit elsewhere
  EXPECT_EQ(Editor(), nullptr);
  user.Click(user.At(4, 4), Qt::ControlModifier);  // with Ctrl: no edit (it deselects)
  EXPECT_EQ(Editor(), nullptr);
  EXPECT_FALSE(grid.IsCellSelected(4, 4));
}

TEST_F(GridWidget, AClickOnASelectedCellWithoutMovingClearsSelectionAndFocus) {
  grid.EnableDragAndDrop(true);
  user.Click(user.At(2, 2));
  user.Click(user.At(3, 3), Qt::ShiftModifier);
  EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(2, 2, 3, 3));
  QApplication::processEvents();
  Messages();
  user.Press(user.At(2, 3));
  EXPECT_EQ(grid.GetMouseMode(), CGridModel::MOUSE_PREPARE_DRAG);
  user.Release(user.At(2, 3));
  EXPECT_EQ(Messages(), (Strings{"click 2,3", "changing 2,3", "changed -1,-1"}));
  EXPECT_EQ(grid.GetSelectedCount(), 0);
  EXPECT_EQ(grid.GetFocusCell(), CCellID(-1, -1));
  QApplication::processEvents();
  EXPECT_EQ(Messages(), Strings{"click"});  // the click command comes queued
}

TEST_F(GridWidget, ShiftSpansCtrlAddsAndCtrlOnASelectedCellRemovesIt) {
  user.Click(user.At(2, 1));
  user.Click(user.At(4, 2), Qt::ShiftModifier);
  EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(2, 1, 4, 2));
  EXPECT_EQ(grid.GetSelectedCount(), 6);
  user.Click(user.At(6, 4), Qt::ControlModifier);
  EXPECT_EQ(grid.GetSelectedCount(), 7);
  EXPECT_TRUE(grid.IsCellSelected(6, 4));
  user.Click(user.At(3, 1), Qt::ControlModifier);
  EXPECT_EQ(grid.GetSelectedCount(), 6);
  EXPECT_FALSE(grid.IsCellSelected(3, 1));
  user.Click(user.At(5, 5));  // a plain click starts over
  EXPECT_EQ(grid.GetSelectedCount(), 1);
}

TEST_F(GridWidget, HeaderClicksSelectColumnsRowsOrAllUntilListModeIsOff) {
  user.Click(user.At(0, 2));
  EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(1, 2, 11, 2));
  user.Click(user.At(3, 0));
  EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(3, 1, 3, 5));
  user.Click(user.At(0, 0));
  EXPECT_EQ(grid.GetSelectedCount(), 11 * 5);
  // Dragging over the headers widens the column selection.
  user.Press(user.At(0, 2));
  user.Move(user.At(0, 4));
  user.Release(user.At(0, 4));
  EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(1, 2, 11, 4));

  grid.SetListMode(false);
  user.Click(user.At(2, 2));
  Messages();
  user.Click(user.At(0, 3));
  EXPECT_FALSE(grid.IsCellSelected(1, 3));  // no column selected
  EXPECT_EQ(grid.GetSelectedCount(), 1);     // what was selected stays
  EXPECT_EQ(grid.GetFocusCell(), CCellID(-1, -1));
  EXPECT_EQ(Messages(), (Strings{"changing 0,3", "changed -1,-1", "click 0,3"}));
}

TEST_F(GridWidget, DraggingAColumnBorderPastItsLeftEdgeHidesTheColumn) {
  // The border between columns 2 and 3 lies at x = 180 in the header row.
  user.Move({179, 10});
  EXPECT_EQ(grid.GetMouseMode(), CGridModel::MOUSE_OVER_COL_DIVIDE);
  user.Press({179, 10});
  EXPECT_EQ(grid.GetMouseMode(), CGridModel::MOUSE_SIZING_COL);
  user.Move({150, 10});
  EXPECT_EQ(grid.TrackingLine(), std::optional<int>(150));
  user.Move({90, 10});  // left of column 2's left edge (120)
  user.Release({90, 10});
  EXPECT_EQ(grid.TrackingLine(), std::nullopt);
  EXPECT_EQ(grid.GetColumnWidth(2), 0);
  for (int x = 60; x < 400; x += 5) EXPECT_NE(grid.GetCellFromPt({x, 50}).col, 2) << x;
  grid.SetFocusCell(3, 1);
  grid.OnKeyDown(platform::VK_RIGHT);
  EXPECT_EQ(grid.GetFocusCell(), CCellID(3, 3));  // keys skip it too
  // Widening by a row border in the fixed column.
  user.Move({30, 59});
  user.Press({30, 59});
  user.Release({30, 75});
  EXPECT_EQ(grid.GetRowHeight(2), 35);
}

TEST_F(GridWidget, DoubleClickOnAHeaderBorderSizesTheColumnLeftOfItToItsWidestCell) {
  grid.SetItemText(7, 1, "a rather long text in column one");
  const int widest = grid.GetCell(7, 1)->GetCellExtent().cx;
  ASSERT_GT(widest, 60);
  user.Move({121, 10});  // just right of the border between columns 1 and 2
  user.DoubleClick({121, 10});
  EXPECT_EQ(grid.GetColumnWidth(1), widest);
  EXPECT_EQ(grid.GetColumnWidth(2), 60);
}

TEST_F(GridWidget, LeavingTheGridDownwardsExtendsTheSelectionOneRowPerTick) {
  user.Press(user.At(2, 2));
  EXPECT_TRUE(grid.IsAutoScrolling());
  user.Move({150, 260});  // below the client area: the move itself does nothing
  EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(2, 2, 2, 2));
  for (int tick = 0; tick < 3; ++tick) grid.OnTimer();
  EXPECT_EQ(grid.GetFocusCell(), CCellID(5, 2));
  EXPECT_EQ(grid.GetSelectedCellRange().minRow, 2);
  EXPECT_GE(grid.GetSelectedCellRange().maxRow, 5);
  for (int tick = 0; tick < 10; ++tick) grid.OnTimer();
  EXPECT_EQ(grid.GetFocusCell(), CCellID(11, 2));
  EXPECT_TRUE(grid.IsCellVisible(11, 2));
  EXPECT_GT(grid.GetScrollPos32(SB_VERT), 0);
  user.Release({150, 260});
  EXPECT_FALSE(grid.IsAutoScrolling());
  EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(2, 2, 11, 2));
}

TEST_F(GridWidget, WheelPartsAddUpToWholeNotches) {
  grid.SetRowCount(40);
  for (int r = 12; r < 40; ++r) grid.SetRowHeight(r, 20);
  grid.SetRowsPerWheelNotch(3);
  grid.OnMouseWheel(-60);
  EXPECT_EQ(grid.GetScrollPos32(SB_VERT), 0);
  grid.OnMouseWheel(-60);
  EXPECT_EQ(grid.GetScrollPos32(SB_VERT), 60);  // three rows of 20
  grid.OnMouseWheel(120);
  EXPECT_EQ(grid.GetScrollPos32(SB_VERT), 0);
}

TEST_F(GridWidget, TheKeyThatOpensTheEditorDecidesTheCaret) {
  struct Case {
    const char* what;
    int key;
    QString text;
    const char* shown;
    int caret;
    bool selected;
  };
  const Case cases[] = {
      {"a letter replaces the text", Qt::Key_A, "a", "a", 1, false},
      {"a digit", Qt::Key_7, "7", "7", 1, false},
      {"a character with a navigation key's code", Qt::Key_Percent, "%", "%", 1, false},
      {"enter: the caret after the text", Qt::Key_Return, "\r", "2,2", 3, false},
      {"backspace: the last character goes", Qt::Key_Backspace, "\b", "2,", 2, false},
      {"space: the whole text selected", Qt::Key_Space, " ", "2,2", 3, true},
      {"F2: the caret after the text", Qt::Key_F2, "", "2,2", 3, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    grid.SetFocusCell(2, 2);
    grid.setFocus();
    user.Key(c.key, Qt::NoModifier, c.text);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->text().toStdString(), c.shown);
    EXPECT_EQ(Editor()->cursorPosition(), c.caret);
    EXPECT_EQ(Editor()->hasSelectedText(), c.selected);
    user.Key(Qt::Key_Escape, Qt::NoModifier, "\x1b");
    QApplication::processEvents();
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(grid.GetItemText(2, 2), "2,2");  // Esc: nothing changed
  }
  EXPECT_EQ(owner.Count("end 2,2"), 0);
}

TEST_F(GridWidget, ArrowsEndAnEditOpenedByTypingAndMoveTheCaretInOneOpenedByMouse) {
  grid.SetFocusCell(2, 2);
  user.Type("12");
  user.Key(Qt::Key_Right);
  EXPECT_EQ(grid.GetItemText(2, 2), "12");
  EXPECT_EQ(grid.GetFocusCell(), CCellID(2, 3));
  ASSERT_NE(Editor(), nullptr);
  EXPECT_EQ(Editor()->col(), 3);
  EXPECT_TRUE(Editor()->hasSelectedText());  // opened by the arrow: all selected
  user.Key(Qt::Key_Escape, Qt::NoModifier, "\x1b");

  user.Key(Qt::Key_F2);
  ASSERT_NE(Editor(), nullptr);
  user.Key(Qt::Key_Left);
  ASSERT_NE(Editor(), nullptr);  // only the caret moved
  EXPECT_EQ(Editor()->cursorPosition(), 2);
  user.Key(Qt::Key_Right, Qt::ControlModifier);  // Ctrl ends it
  EXPECT_EQ(grid.GetFocusCell(), CCellID(2, 4));
  ASSERT_NE(Editor(), nullptr);
  EXPECT_EQ(Editor()->col(), 4);
}

TEST_F(GridWidget, TabGoesOnInTheNextRowAndOnTheLastCellStays) {
  grid.SetFocusCell(2, 5);
  user.Type("x");
  user.Key(Qt::Key_Tab, Qt::NoModifier, "\t");
  EXPECT_EQ(grid.GetItemText(2, 5), "x");
  ASSERT_NE(Editor(), nullptr);
  EXPECT_EQ(Editor()->row(), 3);
  EXPECT_EQ(Editor()->col(), 1);
  user.Key(Qt::Key_Backtab, Qt::ShiftModifier);  // back to the end of row 2
  ASSERT_NE(Editor(), nullptr);
  EXPECT_EQ(Editor()->row(), 2);
  EXPECT_EQ(Editor()->col(), 5);
  user.Key(Qt::Key_Escape, Qt::NoModifier, "\x1b");
  grid.SetFocusCell(11, 5);
  user.Type("y");
  user.Key(Qt::Key_Tab, Qt::NoModifier, "\t");
  EXPECT_EQ(grid.GetItemText(11, 5), "y");
  ASSERT_NE(Editor(), nullptr);
  EXPECT_EQ(Editor()->row(), 11);
  EXPECT_EQ(Editor()->col(), 5);
  user.Key(Qt::Key_Return, Qt::NoModifier, "\r");  // Enter ends it, staying
  EXPECT_EQ(Editor(), nullptr);
  EXPECT_EQ(grid.GetFocusCell(), CCellID(11, 5));
}

TEST_F(GridWidget, AlignmentOfTheEditorAndARefusedBegin) {
  grid.SetItemFormat(2, 2, platform::DT_RIGHT | platform::DT_SINGLELINE);
  grid.SetFocusCell(2, 2);
  user.Key(Qt::Key_F2);
  ASSERT_NE(Editor(), nullptr);
  EXPECT_TRUE(Editor()->alignment() & Qt::AlignRight);
  user.Key(Qt::Key_Escape, Qt::NoModifier, "\x1b");
  owner.reply = [](const GridMessage& m) { return m.code == LVN_BEGINLABELEDIT ? -1 : 0; };
  user.Type("5");
  EXPECT_EQ(Editor(), nullptr);
  user.DoubleClick(user.At(3, 3));
  EXPECT_EQ(Editor(), nullptr);
}

TEST_F(GridWidget, TheTitleTipShowsOnlyOverAClippedTextAndAKeyHidesIt) {
  grid.SetItemText(3, 2, "a text far too long for its cell");
  user.Move(user.At(4, 2));  // "4,2" fits
  EXPECT_FALSE(grid.TitleTip()->isVisible());
  user.Move(user.At(3, 2));
  ASSERT_TRUE(grid.TitleTip()->isVisible());
  EXPECT_EQ(grid.TitleTip()->text(), " a text far too long for its cell ");
  EXPECT_GT(grid.TitleTip()->width(), 60);
  EXPECT_EQ(grid.TitleTip()->geometry().topLeft(), grid.viewport()->mapToGlobal(QPoint(120, 60)));
  user.Move({user.At(3, 2).x + 3, user.At(3, 2).y});  // still over the cell
  EXPECT_TRUE(grid.TitleTip()->isVisible());
  user.Move(user.At(5, 2));  // off the cell
  EXPECT_FALSE(grid.TitleTip()->isVisible());
  user.Move(user.At(3, 2));
  ASSERT_TRUE(grid.TitleTip()->isVisible());
  grid.SetFocusCell(3, 2);
  user.Key(Qt::Key_Down);
  EXPECT_FALSE(grid.TitleTip()->isVisible());
  EXPECT_EQ(grid.GetFocusCell(), CCellID(4, 2));  // the key reached the grid
  user.Move(user.At(3, 2));
  ASSERT_TRUE(grid.TitleTip()->isVisible());
  user.DoubleClick(user.At(3, 2));  // editing: no tip over that cell
  user.Move(user.At(3, 2));
  EXPECT_FALSE(grid.TitleTip()->isVisible());
}
