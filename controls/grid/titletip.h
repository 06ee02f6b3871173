#pragma once
// CTitleTip: a frameless floating window that shows a grid cell's whole
// text over the cell when the text does not fit into it. It never takes the
// focus; it hides on the next key press (which the grid gets), on any button
// press (passed on to the grid), when the mouse leaves the cell, and when
// the application loses the keyboard focus.
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <optional>
#include <string>

#include "platform/drawtypes.h"

class CGridCtrl;

class CTitleTip : public QWidget {
  Q_OBJECT

 public:
  explicit CTitleTip(CGridCtrl* grid);
  ~CTitleTip() override;

  // The rectangles are in the grid's client pixels (cell rectangles, right
  // and bottom included). Shows the text only when it is wider than the
  // title rectangle; colours CLR_DEFAULT are the tooltip's own.
  void Show(const platform::Rect& titleRect, const std::string& text, int xOffset,
            const platform::Rect* hoverRect, const platform::Font* font, platform::ColorRef textColour,
            platform::ColorRef backColour);
  void Hide();

  const std::string& text() const { return text_; }
  // Where the mouse may be without hiding the tip, in the grid's pixels.
  const platform::Rect& hoverRect() const { return hover_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override { mousePressEvent(event); }

 private:
  // Posts a mouse event at the global point to the grid when it lies there.
  void PassOn(QEvent::Type type, const QPointF& global, Qt::MouseButton button, Qt::MouseButtons buttons,
              Qt::KeyboardModifiers modifiers);

  // In place of a mouse capture: while shown, the tip watches the mouse.
  void CheckMouse();

  QPointer<CGridCtrl> grid_;
  QTimer watch_;
  platform::Rect hover_;
  std::string text_;
  platform::Font font_;
  platform::ColorRef textColour_ = 0;
  platform::ColorRef backColour_ = 0;
  qint64 lastPress_ = -1;
  int doubleClickTime_;
};
