// The program's grid: its set-up, header rows and widths, the text setter,
// read-only cells, numbers and Ctrl+U; and the stone table painted, to an
// image for its colours and edges and to a PDF for its texts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include "controls/grid/grid_support.h"
#include "controls/grid/inplaceedit.h"
#include "controls/grid/pvgridctrl.h"
#include "platform/dialog.h"
#include "platform/drawcontext.h"
#include "platform/pdf_words.h"
#include "platform/sysmetrics.h"
#include "support/temp_folder.h"

using gridtest::OwnerLog;
using gridtest::UserOf;
using platform::ColorRef;
using platform::Rect;

namespace {

QRgb Rgb(ColorRef c) { return qRgb(platform::GetRValue(c), platform::GetGValue(c), platform::GetBValue(c)); }
QRgb Sys(int index) { return Rgb(platform::GetSysColor(index)); }

}  // namespace

TEST(PvGrid, HeaderWidthsWalkAlongTheColumnsAndTheLastOneServesTheRest) {
  struct Case {
    const char* what;
    std::vector<int> widths;
    std::vector<int> result;
  };
  CPvGridCtrl probe;
  probe.InitGrid(5, 3, 2);
  const int d = probe.GetColumnWidth(1);  // what the columns start with
  const Case cases[] = {
      {"ended by 0", {50, 70, 0}, {50, 70, 70, 70, 70}},
      {"one per column", {50, 70, 70, 70, 85}, {50, 70, 70, 70, 85}},
      {"more than columns", {10, 20, 30, 40, 50, 60, 70}, {10, 20, 30, 40, 50}},
      {"without an end", {50, 60}, {50, 60, 60, 60, 60}},
      {"a first 0 sets none", {0, 70}, {d, d, d, d, d}},
      {"none", {}, {d, d, d, d, d}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CPvGridCtrl grid;
    grid.InitGrid(5, 3, 2);
    grid.SetHeaderRows(c.widths, 0, 0);  // no headings to widen a column
    std::vector<int> widths;
    for (int col = 0; col < 5; ++col) widths.push_back(grid.GetColumnWidth(col));
    EXPECT_EQ(widths, c.result);
  }
}

TEST(PvGrid, HeaderRowsTakeTheTabSeparatedTextsAndMissingOnesStayEmpty) {
  CPvGridCtrl grid;
  grid.InitGrid(6, 10, 3);
  const int widths[] = {50, 0};
  grid.SetHeaderRows(widths, 67102, 67103, 59999);  // no text for the third id
  const char* row0[] = {"Stein-Nr.", "Länge", "Dicke", "Länge /", "Schlecht", ""};
  const char* row1[] = {"", "[cm]", "[cm]", "Dicke", "geformt", ""};
  for (int col = 0; col < 6; ++col) {
    EXPECT_EQ(grid.GetItemText(0, col), row0[col]);
    EXPECT_EQ(grid.GetItemText(1, col), row1[col]);
    EXPECT_EQ(grid.GetItemText(2, col), "");
  }
  grid.SetItemText(2, 1, "stays");
  grid.SetHeaderRows(widths, 67102, 0, 0);  // an id of 0 leaves its row alone
  EXPECT_EQ(grid.GetItemText(2, 1), "stays");
}

TEST(PvGrid, FillingSendsNothingAndTheFirstEditAfterwardsExactlyOneNotice) {
  CPvGridCtrl grid;
  OwnerLog owner;
  grid.SetOwner([&](const GridMessage& m) { return owner(m); });
  EXPECT_TRUE(grid.InitGrid(5, 222, 2));
  EXPECT_TRUE(grid.GetModified());
  EXPECT_FALSE(grid.IsRedrawAllowed());
  EXPECT_EQ(grid.GetFixedColumnCount(), 1);
  EXPECT_TRUE(grid.GetDragAndDrop());
  EXPECT_FALSE(grid.GetHandleTabKey());
  EXPECT_FALSE(grid.GetFixedRowSelection());
  gridtest::SetUpStoneTable(grid);
  EXPECT_EQ(owner.Count("modified"), 0);
  grid.SetCellText(2, 1, "12");
  grid.SetCellText(2, 1, "12");  // the same text again: nothing at all
  grid.SetCellText(3, 1, "13");
  EXPECT_EQ(owner.Count("modified"), 1);
  grid.SetModified(false);
  EXPECT_TRUE(grid.SetCellText(3, 1, "13"));
  EXPECT_FALSE(grid.GetModified(3, 1));
  EXPECT_FALSE(grid.GetModified());
  EXPECT_EQ(owner.Count("modified"), 1);
  EXPECT_FALSE(grid.SetCellText(500, 1, "x"));  // no such cell
  EXPECT_TRUE(grid.SetCellText(500, 1, ""));    // reads as empty: unchanged
}

TEST(PvGrid, NumbersAreReadNormalisedAndWrittenBack) {
  CPvGridCtrl grid;
  gridtest::SetUpStoneTable(grid);
  struct Case {
    const char* text;
    int decimals;
    double value;
    const char* shown;
  };
  const Case cases[] = {
      {" 12,5", 1, 12.5, "12.5"}, {"", 1, 0, ""}, {"7", 1, 7, "7.0"}, {"3.14159", 2, 3.14159, "3.14"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    grid.SetCellText(5, 1, c.text);
    grid.SetModified(false);
    EXPECT_DOUBLE_EQ(grid.GetCellNumber(5, 1, c.decimals), c.value);
    EXPECT_EQ(grid.GetItemText(5, 1), c.shown);
    EXPECT_EQ(grid.GetModified(5, 1), std::string(c.text) != c.shown);
  }
  EXPECT_EQ(grid.GetCellNumber(999, 1, 1), 0);
}

TEST(PvGrid, ReadOnlyCellsTakeTheirColourAndOpenNoEditor) {
  CPvGridCtrl grid;
  gridtest::SetUpStoneTable(grid);
  UserOf user(grid);
  user.Show(420, 300);
  EXPECT_TRUE(grid.GetItemState(4, 3) & GVIS_READONLY);
  EXPECT_EQ(grid.GetItemBkColour(4, 3), CPvGridCtrl::kReadOnlyBack);
  grid.SetCellEditable(4, 3, true, "x");
  EXPECT_FALSE(grid.GetItemState(4, 3) & GVIS_READONLY);
  EXPECT_EQ(grid.GetItemBkColour(4, 3), CLR_DEFAULT);
  EXPECT_EQ(grid.GetItemText(4, 3), "x");
  grid.SetCellEditable(4, 3, false);
  EXPECT_EQ(grid.GetItemText(4, 3), "x");
  user.DoubleClick(user.At(4, 3));
  EXPECT_EQ(grid.InPlaceEdit(), nullptr);
  grid.SetFocusCell(4, 3);
  user.Type("5");
  EXPECT_EQ(grid.InPlaceEdit(), nullptr);
  EXPECT_EQ(grid.GetItemText(4, 3), "x");
  user.DoubleClick(user.At(4, 2));  // the editable cell beside it
  EXPECT_NE(grid.InPlaceEdit(), nullptr);
}

TEST(PvGrid, CtrlUSendsCommand800ToTheWindowAndUWithoutCtrlEdits) {
  platform::Dialog dialog(700);
  auto* grid = new CPvGridCtrl(&dialog);
  gridtest::SetUpStoneTable(*grid);
  int commands = 0;
  dialog.OnCommand(800, [&] { ++commands; });
  UserOf user(*grid);
  dialog.resize(420, 300);
  grid->resize(400, 280);
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  grid->setFocus();
  grid->SetFocusCell(3, 1);
  user.Key(Qt::Key_U, Qt::ControlModifier, "\x15");
  EXPECT_EQ(commands, 1);
  EXPECT_EQ(grid->InPlaceEdit(), nullptr);
  user.Key(Qt::Key_U, Qt::NoModifier, "u");
  EXPECT_EQ(commands, 1);
  ASSERT_NE(grid->InPlaceEdit(), nullptr);
  EXPECT_EQ(grid->InPlaceEdit()->text(), "u");
}

// ------------------------------------------------------------------ drawing

namespace {

// The stone table with a focus cell (4,2), cells (4,1) to (5,2) selected and
// a text too long for its cell in (6,1), shown 420 x 300.
struct PaintedTable {
  CPvGridCtrl grid;
  PaintedTable() {
    gridtest::SetUpStoneTable(grid);
    grid.SetCellText(2, 1, "12.5");
    grid.SetCellText(2, 2, "4.0");
    grid.SetCellText(2, 3, "3.1");
    grid.SetCellText(2, 4, "ja");
    grid.SetCellText(6, 1, "unmeasurable stone");
    grid.SetFocusCell(4, 2);
    grid.SetSelectedRange(4, 1, 5, 2);
    grid.resize(420, 300);
    grid.show();
    QApplication::processEvents();
  }
  Rect Cell(int row, int col) const {
    Rect r;
    EXPECT_TRUE(grid.GetCellRect(row, col, &r));
    return r;
  }
};

}  // namespace

TEST(PvGridDrawing, TheStoneTableInItsColoursWithRaisedAndSunkenHeaders) {
  PaintedTable t;
  QImage image(t.grid.viewport()->size(), QImage::Format_RGB32);
  t.grid.viewport()->render(&image);
  auto at = [&](int x, int y) { return image.pixel(x, y); };
  auto inside = [&](int row, int col) {
    const Rect r = t.Cell(row, col);
    return at(r.left + 2, r.top + 2);
  };
  // The first column is wider than its 50 pixels where "Stein-Nr." needs it.
  EXPECT_GE(t.grid.GetColumnWidth(0), 50);
  EXPECT_EQ(t.Cell(0, 1).left, t.grid.GetColumnWidth(0));
  EXPECT_EQ(t.grid.GetColumnWidth(4), 85);
  EXPECT_EQ(inside(8, 1), Rgb(CPvGridCtrl::kCellBack));
  EXPECT_EQ(inside(8, 2), Rgb(CPvGridCtrl::kCellBack));
  EXPECT_EQ(inside(8, 3), Rgb(CPvGridCtrl::kReadOnlyBack));
  EXPECT_EQ(inside(8, 4), Rgb(CPvGridCtrl::kReadOnlyBack));
  EXPECT_EQ(at(t.grid.viewport()->width() - 2, 150), Rgb(CPvGridCtrl::kGridBack));  // right of the cells
  const Rect data = t.Cell(8, 1);
  EXPECT_EQ(at(data.right, data.top + 5), Rgb(platform::RGB(192, 192, 192)));   // the grid lines
  EXPECT_EQ(at(data.left + 5, data.bottom), Rgb(platform::RGB(192, 192, 192)));
  // Selected cells in the highlight colour; the focus cell framed.
  EXPECT_EQ(inside(5, 1), Sys(platform::COLOR_HIGHLIGHT));
  EXPECT_EQ(inside(4, 2), Sys(platform::COLOR_HIGHLIGHT));
  const Rect focus = t.Cell(4, 2);
  EXPECT_EQ(at(focus.left, focus.top + 5), Sys(platform::COLOR_HIGHLIGHTTEXT));
  // Headers raised, those of the focus row and column sunken.
  const Rect raised = t.Cell(0, 1);
  EXPECT_EQ(at(raised.left + 5, raised.top), Sys(platform::COLOR_3DHIGHLIGHT));
  EXPECT_EQ(at(raised.left, raised.top + 5), Sys(platform::COLOR_3DHIGHLIGHT));
  EXPECT_EQ(at(raised.right, raised.top + 5), Sys(platform::COLOR_3DDKSHADOW));
  EXPECT_EQ(at(raised.left + 5, raised.bottom), Sys(platform::COLOR_3DDKSHADOW));
  for (const Rect sunken : {t.Cell(0, 2), t.Cell(1, 2), t.Cell(4, 0)}) {
    EXPECT_EQ(at(sunken.left + 5, sunken.top), Sys(platform::COLOR_3DDKSHADOW));
    EXPECT_EQ(at(sunken.left, sunken.top + 5), Sys(platform::COLOR_3DDKSHADOW));
    EXPECT_EQ(at(sunken.right, sunken.top + 5), Sys(platform::COLOR_3DLIGHT));
    EXPECT_EQ(at(sunken.left + 5, sunken.bottom), Sys(platform::COLOR_3DLIGHT));
  }
  EXPECT_EQ(inside(7, 0), Sys(platform::COLOR_3DFACE));
}

TEST(PvGridDrawing, TextsAreAlignedAndAClippedTextEndsInAnEllipsis) {
  PaintedTable t;
  TempFolder folder;
  const auto pdf = folder / "table.pdf";
  {
    QPdfWriter writer(QString::fromStdString(pdf.string()));
    writer.setResolution(96);
    writer.setPageSize(QPageSize(QSizeF(420, 300), QPageSize::Point));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    platform::DrawContext dc(painter);
    dc.SetMapMode(platform::MM_TEXT);
    t.grid.OnDraw(dc);
  }
  const pdftest::PdfText text = pdftest::ReadPdf(pdf);
  const double px = 2540.0 / 96;  // one pixel in 0.01 mm
  const auto clipped = std::find_if(text.words.begin(), text.words.end(), [](const pdftest::Word& w) {
    return w.text.starts_with("unmeas") && w.text.ends_with("...");
  });
  EXPECT_NE(clipped, text.words.end()) << "no clipped text";
  EXPECT_EQ(text.Find("unmeasurable"), nullptr);
  EXPECT_NE(text.Find("Stein-Nr."), nullptr);  // the header is wide enough for its text
  EXPECT_NE(text.Find("Länge"), nullptr);
  EXPECT_NE(text.Find("geformt"), nullptr);
  // Numbers right-aligned, the shape word centred.
  const pdftest::Word* length = text.Find("12.5");
  ASSERT_NE(length, nullptr);
  const Rect c1 = t.Cell(2, 1);
  EXPECT_NEAR(length->right, (c1.right - 2) * px, 4 * px);
  const pdftest::Word* ja = text.Find("ja");
  ASSERT_NE(ja, nullptr);
  const Rect c4 = t.Cell(2, 4);
  EXPECT_NEAR(ja->CentreX(), (c4.left + c4.right + 1) / 2.0 * px, 3 * px);
}

TEST(PvGrid, ColumnsAreWideEnoughForTheirHeadings) {
  // The stone grid's widths are given for the Windows font; in this system's
  // font, larger still, "Stein-Nr." and "Schlecht" are not cut.
  CPvGridCtrl grid;
  QFont font = grid.font();
  font.setPixelSize(17);
  grid.setFont(font);
  grid.InitGrid(5, 10, 3);
  const int widths[] = {50, 70, 70, 70, 85};
  grid.SetHeaderRows(widths, 67102, 67103);
  const QFontMetrics metrics(font);
  for (int col = 0; col < 5; ++col) {
    SCOPED_TRACE(col);
    for (int row = 0; row < 2; ++row)
      EXPECT_GT(grid.GetColumnWidth(col), metrics.horizontalAdvance(QString::fromStdString(grid.GetItemText(row, col))) + 6);
    EXPECT_GE(grid.GetColumnWidth(col), widths[col]);
  }
}
