#pragma once
// CButtonST: a flat push button. It shows a raised edge while the mouse is
// over it and a sunken edge (with the caption moved one pixel right and down)
// while it is pressed; a disabled button shows an engraved caption, a button
// with the keyboard focus a dotted frame (once the keyboard moved the
// focus in its window). It can carry a tooltip.
//
//   auto* button = new CButtonST(view);   // or promoted from a QPushButton in a .ui
//   button->setText("&Neue Prüfnummer");
//   button->SetTooltipText(TranslateString(1039, "Material mit gleichem Siebturm suchen"));
//
// The look of a state is decided by ButtonStLookFor, plain data without a
// screen. A double click acts as two clicks.
#include <QPushButton>
#include <QString>
#include <string>

#include "platform/drawtypes.h"

class QFontMetrics;

struct ButtonStState {
  bool mouseOver = false;
  bool pressed = false;
  bool focused = false;
  bool disabled = false;
};

struct ButtonStLook {
  enum Border { kNoBorder, kRaised, kSunken };
  // Which of the three colour pairs (background, text) applies.
  enum Colors { kColorsIn, kColorsFocus, kColorsOut };
  Border border = kNoBorder;
  Colors colors = kColorsOut;
  platform::Point captionOffset;  // (1, 1) while pressed
  bool engraved = false;          // disabled: caption in highlight at (+1, +1), shadow on top
  bool focusFrame = false;        // a dotted frame inside the edge
  bool operator==(const ButtonStLook&) const = default;
};
ButtonStLook ButtonStLookFor(const ButtonStState& state);

// The text broken at blanks into lines no wider than maxWidth pixels (a
// single word wider than that stands on its own line).
QString WrapToWidth(const QString& text, const QFontMetrics& metrics, int maxWidth);

class CButtonST : public QPushButton {
  Q_OBJECT

 public:
  static constexpr int kTooltipMaxWidth = 400;

  explicit CButtonST(QWidget* parent = nullptr);
  explicit CButtonST(const QString& text, QWidget* parent = nullptr);
  ~CButtonST() override;

  // Sets the tooltip's text and whether it shows.
  void SetTooltipText(const std::string& text, bool activate = true);
  // Switches the tooltip on or off, keeping its text.
  void ActivateTooltip(bool activate = true) { tooltipActive_ = activate; }
  const std::string& TooltipText() const { return tooltip_; }
  bool IsTooltipActive() const { return tooltipActive_ && !tooltip_.empty(); }

  bool IsMouseOver() const { return mouseOver_; }
  ButtonStState State() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void Init();
  void SetHover(bool over);

  bool mouseOver_ = false;
  std::string tooltip_;
  bool tooltipActive_ = false;
};
