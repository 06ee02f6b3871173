#pragma once
// Windows that fit the screen they open on. The work area is the screen's
// available geometry (task bars left out); a window placed or sized beyond it
// is moved and shrunk into it, and a dialog whose body would not fit lets the
// body scroll while its buttons stay in view.
//
//   ui.setupUi(this);
//   platform::PutBodyInScrollArea(this, ui.grid);  // the buttons stay below it
//
// Dialog::InitDialog fits every dialog when it opens; a main window calls
// FitIntoWorkArea itself after it took its stored placement.
#include <QRect>
#include <QScrollArea>
#include <optional>

class QLayout;

namespace platform {

// What a window's frame (title bar and borders) adds to its client area.
inline constexpr int kFrameRoomWidth = 16;
inline constexpr int kFrameRoomHeight = 40;

// The work area of the screen the window is on, else of the primary screen.
QRect WorkAreaOf(const QWidget* window);
// Puts a work area in place of every screen's (tests measure against the
// screen of a small notebook); nullopt gives the screens' own back.
void SetWorkAreaOverride(std::optional<QRect> area);

// The client size a window may take in the area, its frame left out.
QSize ClientRoomIn(const QRect& area);

// The frame rectangle shrunk to the area's size where it is larger, then
// moved into the area.
QRect FitRectInto(const QRect& frame, const QRect& area);

// A dialog's body that scrolls once the dialog would not fit otherwise.
// Without a limit its size hint is the whole body's.
class BodyScrollArea : public QScrollArea {
  Q_OBJECT

 public:
  explicit BodyScrollArea(QWidget* parent = nullptr);
  // The largest size hint it gives; an invalid size lifts the limit.
  void SetLimit(const QSize& limit);
  QSize limit() const { return limit_; }
  QSize WholeBodySize() const;
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 private:
  QSize limit_;
};

// Moves the body (a layout of the window's top box layout) into a scroll
// area at its place; nullptr when the window has no such layout.
BodyScrollArea* PutBodyInScrollArea(QWidget* window, QLayout* body);

// Fits the window into the work area of its screen: its scrolling bodies take
// no more than the room its other parts leave, and a window placed or sized
// beyond the area is moved and shrunk into it.
void FitIntoWorkArea(QWidget* window);

}  // namespace platform
