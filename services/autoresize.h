#pragma once
// JAutoResize: makes a dialog resizable without a table per control, and
// keeps its window rectangle in "pravik.ini" (section "WinPos").
//
// When the dialog opens, every direct child control is classified by where
// it sits: one near the bottom in the right half follows the lower right
// corner (buttons), one that spans the dialog stretches both ways (the main
// control); trees and lists stretch regardless. On every size change the
// size difference is applied to the recorded controls from their first
// rectangles.
//
//   class CHilfeDlg : public CpvDialog {
//     bool OnInitDialog() override { ...; layout_.Init(this, "Hlp" + topic_, 0); }
//     void resizeEvent(QResizeEvent* e) override { layout_.Resize(this, width(), height()); }
//     ~CHilfeDlg() override { layout_.SaveWindowPos(this); }
//     JAutoResize layout_;
//   };
//
// The stored value is "screen width,left,top,width,height": the position the
// window system gives the window (its frame's top left) and the size of its
// client area, each of the four cut to a signed 16-bit value. It is used only
// on a screen of the same width and only when width and height are at least
// 200. Where the window system does not let a window place itself, the size
// is restored and the position left to it.
#include <QPointer>
#include <QRect>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QWidget;

// A rectangle with exclusive right and bottom edges, as the classification
// reads it.
struct ResizeRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const ResizeRect&) const = default;
  static ResizeRect Of(const QRect& r) { return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }
  QRect ToQRect() const { return QRect(left, top, right - left, bottom - top); }
};

enum ResizeFlag : int { kResizeMoveX = 1, kResizeMoveY = 2, kResizeStretchWidth = 4, kResizeStretchHeight = 8 };
enum class ResizeControlKind { Other, Tree, List };

// The flags of a control at r in a client area of width w and height h.
int ClassifyResizeControl(ResizeControlKind kind, const ResizeRect& r, int w, int h, int mode);
// Where a control with the flags goes when the client area grew by dx, dy.
ResizeRect ResizedControlRect(int flags, const ResizeRect& initial, int dx, int dy);

// The "WinPos" value of a window rectangle.
std::string FormatWindowPos(int screenWidth, const QRect& window);
// The rectangle of a stored value, when it applies to a screen of that width.
std::optional<QRect> ParseWindowPos(std::string_view value, int screenWidth);

class JAutoResize {
 public:
  struct ResizeItem {
    int flags = 0;
    QPointer<QWidget> control;
    int id = 0;
    ResizeRect initial;
  };

  // Records the controls (only the first time) and restores the stored rectangle.
  void Init(QWidget* dialog, const std::string& key, int mode);
  // The client area is now cx by cy.
  void Resize(QWidget* dialog, int cx, int cy);
  void RestoreWindowPos(QWidget* window, const std::string& key);
  // Writes the rectangle under the key given last (nothing without one).
  void SaveWindowPos(QWidget* window);

  const std::vector<ResizeItem>& Items() const { return items_; }
  const std::string& Key() const { return key_; }

 private:
  std::vector<ResizeItem> items_;
  int initialWidth_ = 0;
  int initialHeight_ = 0;
  std::string key_;
};

// The width of the screen the window is on (the primary screen's when it is
// on none).
int ScreenWidthOf(const QWidget* window);
