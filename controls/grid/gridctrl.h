#pragma once
// CGridCtrl: the grid control as a widget. It takes the place and the id of
// its template control and shows the table of CGridModel (gridmodel.h),
// painting through the drawing context in device pixels; it answers the
// mouse (selecting, resizing rows and columns on their borders, starting an
// edit or a drag), the keys and the scroll bars, shows a title tip over a
// clipped text, edits a cell in place and takes text dropped onto it.
//
//   CGridCtrl* grid = ...;                        // from a template, id 100
//   grid->SetOwner([this](const GridMessage& m) {
//     if (m.message == WM_NOTIFY && m.code == LVN_ENDLABELEDIT) Recompute();
//     if (m.message == WM_GRID_MODIFIED) SetModified();
//     return 0;                                    // negative refuses an edit
//   });
//
// The owner receives every notification with row, column and its reply, the
// modified message once, and after a click a queued WM_COMMAND (code 0).
#include <QAbstractScrollArea>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <optional>

#include "controls/grid/gridmodel.h"

class CTitleTip;
class CInPlaceEdit;
class CGridCtrl;

// Takes the text dragged over the grid to the grid's drop operations.
class CGridDropTarget : public QObject {
  Q_OBJECT

 public:
  // False when already registered or the grid is none.
  bool Register(CGridCtrl* grid);
  void Revoke();
  bool IsRegistered() const { return registered_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<CGridCtrl> grid_;
  bool registered_ = false;
};

class CGridCtrl : public QAbstractScrollArea, public CGridModel {
  Q_OBJECT

 public:
  explicit CGridCtrl(int rows = 0, int columns = 0, int fixedRows = 0, int fixedColumns = 0,
                     QWidget* parent = nullptr);
  explicit CGridCtrl(QWidget* parent) : CGridCtrl(0, 0, 0, 0, parent) {}
  ~CGridCtrl() override;

  using OwnerHandler = std::function<int(const GridMessage&)>;
  // The window that owns the grid; without one nothing is sent.
  void SetOwner(OwnerHandler handler) { owner_ = std::move(handler); }

  CTitleTip* TitleTip() const { return titleTip_; }
  // The open in-place editor, if any.
  CInPlaceEdit* InPlaceEdit() const;
  // The border being dragged: its x (columns) or y (rows); none otherwise.
  std::optional<int> TrackingLine() const { return trackingLine_; }

  // --- the mouse, as the framework's messages (client points)
  void OnLButtonDown(unsigned keys, platform::Point point);
  void OnMouseMove(unsigned keys, platform::Point point);
  void OnLButtonUp(unsigned keys, platform::Point point);
  void OnLButtonDblClk(unsigned keys, platform::Point point);
  void OnRButtonUp(unsigned keys, platform::Point point);
  void OnMouseWheel(int angleDelta);
  // A tick of the auto-scroll timer while selecting with the button down.
  void OnTimer();
  bool IsAutoScrolling() const { return autoScroll_.isActive(); }
  bool MouseOverColumnResizeArea(platform::Point point) const;
  bool MouseOverRowResizeArea(platform::Point point) const;

  CGridEditor* CreateInPlaceEdit(const platform::Rect& rect, unsigned style, int id, int row, int col,
                                 const std::string& text, unsigned firstKey) override;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;
  void scrollContentsBy(int dx, int dy) override {}

  // The window side of the model.
  bool HasWindow() const override { return !destroying_; }
  platform::Rect GetClientRect() const override;
  int GetControlId() const override;
  void InvalidateRect(const platform::Rect* rect) override;
  void ScrollBarsChanged() override;
  platform::Size ScrollBarExtent() const override;
  int SendToOwner(const GridMessage& message) override;
  void PostToOwner(const GridMessage& message) override;
  void HideTitleTip() override;
  bool PutOnClipboard(const std::string& text) override;
  std::optional<std::string> GetClipboardText() const override;
  unsigned DoDragDrop(const std::string& text, unsigned allowedEffects) override;

 private:
  friend class CGridDropTarget;
  friend class CInPlaceEdit;
  void OnSize();
  bool MouseOverResizeArea(bool rows, platform::Point point) const;
  void ScrollBarAction(int bar, int action);
  void TakeKeyState(Qt::KeyboardModifiers modifiers);
  platform::Point CellRelative(CCellID cell, platform::Point point) const;
  void ShowTrackingLine(std::optional<int> at);
  void SetCursorShape(Qt::CursorShape shape);

  OwnerHandler owner_;
  CTitleTip* titleTip_ = nullptr;
  CGridDropTarget dropTarget_;
  QTimer autoScroll_;
  std::optional<int> trackingLine_;
  int trackMin_ = 0;  // where the dragged border may go
  int trackMax_ = 0;
  platform::Point cursorPoint_;  // the mouse wherever it is, while it is held
  int wheelRemainder_ = 0;
  bool syncingBars_ = false;
  bool destroying_ = false;
};
