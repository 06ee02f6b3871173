#pragma once
// CInPlaceEdit: the small edit window that edits one grid cell over its
// rectangle. Where the caret starts depends on the key that opened it; Tab,
// Enter and Esc end it (Esc with the text it started with), and so do the
// arrow and page keys when it was opened by typing (with Ctrl always). On
// its end it reports its text and the ending key to the grid, which stores
// the text and may go on editing the next cell, and it closes itself.
#include <QLineEdit>
#include <QPointer>
#include <string>

#include "controls/grid/gridcell.h"

class CGridCtrl;

class CInPlaceEdit : public QLineEdit, public CGridEditor {
  Q_OBJECT

 public:
  CInPlaceEdit(CGridCtrl* grid, const platform::Rect& rect, unsigned style, int id, int row, int col,
               const std::string& initialText, unsigned firstKey);
  ~CInPlaceEdit() override;

  int row() const { return row_; }
  int col() const { return col_; }
  unsigned lastKey() const { return lastKey_; }
  bool exitOnArrows() const { return exitOnArrows_; }

  void EndEdit() override;
  void SendChar(unsigned ch) override;
  void Paste() override { paste(); }

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // Ends editing with a key: the focus goes back to the grid.
  void EndWithKey(unsigned key);
  void Widen();

  QPointer<CGridCtrl> grid_;
  std::string initialText_;
  int row_;
  int col_;
  unsigned lastKey_ = 0;
  bool exitOnArrows_;
  bool ended_ = false;
};
