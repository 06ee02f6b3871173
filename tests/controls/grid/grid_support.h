#pragma once
// Helpers of the grid tests: a model that records what it sends its owner
// and what it invalidates, and the stone table of the armourstone shape.
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "controls/grid/gridmodel.h"
#include "controls/grid/pvgridctrl.h"

namespace gridtest {

inline std::string Describe(const GridMessage& m) {
  switch (m.message) {
    case WM_GRID_MODIFIED: return "modified";
    case WM_COMMAND: return "click";
    default: break;
  }
  std::string name;
  switch (m.code) {
    case NM_CLICK: name = "click"; break;
    case NM_DBLCLK: name = "dblclk"; break;
    case NM_RCLICK: name = "rclick"; break;
    case LVN_ITEMCHANGING: name = "changing"; break;
    case LVN_ITEMCHANGED: name = "changed"; break;
    case LVN_BEGINLABELEDIT: name = "begin"; break;
    case LVN_ENDLABELEDIT: name = "end"; break;
    case LVN_BEGINDRAG: name = "drag"; break;
    default: name = std::to_string(m.code);
  }
  return name + " " + std::to_string(m.row) + "," + std::to_string(m.column);
}

// Records the owner's messages and answers notifications with `reply`.
struct OwnerLog {
  std::vector<std::string> messages;
  std::function<int(const GridMessage&)> reply;
  int operator()(const GridMessage& m) {
    messages.push_back(Describe(m));
    return reply ? reply(m) : 0;
  }
  int Count(const std::string& what) const {
    int n = 0;
    for (const auto& m : messages) n += m == what;
    return n;
  }
};

// The plain model with a window of a given client size, whose hooks record.
class WatchedGrid : public CGridModel {
 public:
  explicit WatchedGrid(int rows = 0, int cols = 0, int fixedRows = 0, int fixedCols = 0)
      : CGridModel(rows, cols, fixedRows, fixedCols) {}
  OwnerLog owner;
  int invalidations = 0;
  std::string clipboard;
  bool hasClipboard = false;
  std::function<unsigned(const std::string&)> drag;  // runs the drop, gives its effect

  using CGridModel::IsCtrlDown;
  int SendToOwner(const GridMessage& m) override { return owner(m); }
  void InvalidateRect(const platform::Rect*) override { ++invalidations; }
  bool PutOnClipboard(const std::string& text) override {
    clipboard = text;
    hasClipboard = true;
    return true;
  }
  std::optional<std::string> GetClipboardText() const override {
    return hasClipboard ? std::optional<std::string>(clipboard) : std::nullopt;
  }
  unsigned DoDragDrop(const std::string& text, unsigned) override { return drag ? drag(text) : DROPEFFECT_NONE; }
};

// The stone table: 5 columns, 222 rows, two header rows, as the armourstone
// shape page sets it up.
inline void SetUpStoneTable(CPvGridCtrl& grid) {
  grid.InitGrid(5, 222, 2);
  const int widths[] = {50, 70, 70, 70, 85};
  grid.SetHeaderRows(widths, 67102, 67103);
  for (int row = 2; row < 222; ++row) {
    for (int col = 0; col < 4; ++col) grid.SetItemFormat(row, col, 0x8822);
    grid.SetItemFormat(row, 4, 0x8821);
    grid.SetCellText(row, 0, std::to_string(row - 1));
    grid.SetCellEditable(row, 3, false);
    grid.SetCellEditable(row, 4, false);
  }
  grid.SetRedraw(true, true);
  grid.SetModified(false);
}

}  // namespace gridtest

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace gridtest {

// Drives a grid widget with the events a user makes, in the grid's client
// pixels; keys go to the widget that has the focus (the open editor, if any).
class UserOf {
 public:
  explicit UserOf(CGridCtrl& grid) : grid_(grid) {}

  void Show(int width, int height) {
    grid_.resize(width, height);
    grid_.show();
    grid_.activateWindow();
    QApplication::setActiveWindow(&grid_);
    grid_.setFocus();
    QApplication::processEvents();
  }
  void Press(platform::Point p, Qt::KeyboardModifiers mods = Qt::NoModifier, Qt::MouseButton b = Qt::LeftButton) {
    held_ = b;
    Mouse(QEvent::MouseButtonPress, p, b, b, mods);
  }
  void Move(platform::Point p, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    Mouse(QEvent::MouseMove, p, Qt::NoButton, held_, mods);
  }
  void Release(platform::Point p, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    const Qt::MouseButton b = held_ == Qt::NoButton ? Qt::LeftButton : held_;
    held_ = Qt::NoButton;
    Mouse(QEvent::MouseButtonRelease, p, b, Qt::NoButton, mods);
  }
  void Click(platform::Point p, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    Press(p, mods);
    Release(p, mods);
  }
  void DoubleClick(platform::Point p) {
    Click(p);
    Mouse(QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    Mouse(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  }
  // The middle of a cell.
  platform::Point At(int row, int col) const {
    platform::Rect r;
    grid_.GetCellRect(row, col, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {}) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &grid_;
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(target, &press);
  }
  void Type(const QString& text) {
    for (QChar c : text) {
      const int key = c.isLetter() ? Qt::Key_A + (c.toUpper().unicode() - 'A') : c.unicode();
      Key(key, c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier, QString(c));
    }
  }
  // Fills two neighbouring cells per row as a user does: a click on the
  // first, its text, Tab, the second's text, Enter; then the next row.
  void TypePairs(int firstRow, int col, std::initializer_list<std::pair<const char*, const char*>> rows) {
    int row = firstRow;
    for (const auto& [first, second] : rows) {
      Click(At(row++, col));
      Type(first);
      Key(Qt::Key_Tab, Qt::NoModifier, "\t");
      Type(second);
      Key(Qt::Key_Return, Qt::NoModifier, "\r");
    }
  }

 private:
  void Mouse(QEvent::Type type, platform::Point p, Qt::MouseButton b, Qt::MouseButtons bs, Qt::KeyboardModifiers m) {
    const QPointF local(p.x, p.y);
    QMouseEvent event(type, local, grid_.viewport()->mapToGlobal(local), b, bs, m);
    QApplication::sendEvent(grid_.viewport(), &event);
  }
  CGridCtrl& grid_;
  Qt::MouseButton held_ = Qt::NoButton;
};

}  // namespace gridtest
