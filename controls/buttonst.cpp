#include "controls/buttonst.h"

#include <QApplication>
#include <QEnterEvent>
#include <QHelpEvent>
#include <QPainter>
#include <QStringList>
#include <QToolTip>

ButtonStLook ButtonStLookFor(const ButtonStState& state) {
  ButtonStLook look;
  if (state.pressed) {
    look.border = ButtonStLook::kSunken;
    look.captionOffset = {1, 1};
  } else if (state.mouseOver) {
    look.border = ButtonStLook::kRaised;
  }
  look.colors = (state.mouseOver || state.pressed) ? ButtonStLook::kColorsIn
                : state.focused                     ? ButtonStLook::kColorsFocus
                                                    : ButtonStLook::kColorsOut;
  look.engraved = state.disabled;
  look.focusFrame = state.focused;
  return look;
}

QString WrapToWidth(const QString& text, const QFontMetrics& metrics, int maxWidth) {
  QStringList lines;
  QString line;
  for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
    if (!line.isEmpty() && metrics.horizontalAdvance(longer) > maxWidth) {
      lines << line;
      line = word;
    } else {
      line = longer;
    }
  }
  if (!line.isEmpty()) lines << line;
  return lines.join(QLatin1Char('\n'));
}

CButtonST::CButtonST(QWidget* parent) : QPushButton(parent) { Init(); }

CButtonST::CButtonST(const QString& text, QWidget* parent) : QPushButton(text, parent) { Init(); }

CButtonST::~CButtonST() = default;

void CButtonST::Init() {
  setMouseTracking(true);
  setAttribute(Qt::WA_Hover);
}

ButtonStState CButtonST::State() const {
  return ButtonStState{mouseOver_, isDown(), hasFocus(), !isEnabled()};
}

void CButtonST::SetTooltipText(const std::string& text, bool activate) {
  tooltip_ = text;
  tooltipActive_ = activate;
}

void CButtonST::SetHover(bool over) {
  if (mouseOver_ == over) return;
  mouseOver_ = over;
  update();
}

void CButtonST::mouseMoveEvent(QMouseEvent* event) {
  QPushButton::mouseMoveEvent(event);
  const bool inside = rect().contains(event->position().toPoint());
  // A drag that started elsewhere does not raise the button.
  if ((event->buttons() & Qt::LeftButton) && !mouseOver_) return;
  SetHover(inside);
}

void CButtonST::enterEvent(QEnterEvent* event) {
  QPushButton::enterEvent(event);
  if (!(QApplication::mouseButtons() & Qt::LeftButton) || mouseOver_) SetHover(true);
}

void CButtonST::leaveEvent(QEvent* event) {
  QPushButton::leaveEvent(event);
  SetHover(false);
}

void CButtonST::focusOutEvent(QFocusEvent* event) {
  QPushButton::focusOutEvent(event);
  SetHover(false);
}

void CButtonST::changeEvent(QEvent* event) {
  QPushButton::changeEvent(event);
  if (event->type() == QEvent::EnabledChange && !isEnabled()) SetHover(false);
}

bool CButtonST::event(QEvent* event) {
  if (event->type() == QEvent::WindowDeactivate) SetHover(false);
  if (event->type() == QEvent::ToolTip) {
    if (IsTooltipActive()) {
      const QString wrapped =
          WrapToWidth(QString::fromStdString(tooltip_), QFontMetrics(QToolTip::font()), kTooltipMaxWidth);
      QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), wrapped, this, rect());
    } else {
      QToolTip::hideText();
    }
    return true;
  }
  return QPushButton::event(event);
}

void CButtonST::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& pal = palette();
  const ButtonStLook look = ButtonStLookFor(State());
  const QRect r = rect();
  // The three colour pairs are all the system's button colours.
  painter.fillRect(r, pal.color(QPalette::Button));

  if (look.border != ButtonStLook::kNoBorder) {
    const QColor light = pal.color(QPalette::Light);
    const QColor shadow = pal.color(QPalette::Dark);
    const QColor topLeft = look.border == ButtonStLook::kRaised ? light : shadow;
    const QColor bottomRight = look.border == ButtonStLook::kRaised ? shadow : light;
    const int w = r.width(), h = r.height();
    painter.fillRect(QRect(0, 0, w - 1, 1), topLeft);
    painter.fillRect(QRect(0, 0, 1, h - 1), topLeft);
    painter.fillRect(QRect(w - 1, 0, 1, h), bottomRight);
    painter.fillRect(QRect(0, h - 1, w, 1), bottomRight);
  }
  // As on the desktops: the frame shows once the keyboard moved the focus.
  if (look.focusFrame && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
    painter.setPen(QPen(pal.color(QPalette::ButtonText), 1, Qt::DotLine));
    painter.drawRect(r.adjusted(2, 2, -3, -3));
  }

  const QString caption = text();
  if (caption.isEmpty()) return;
  const QRect textRect = r.translated(look.captionOffset.x, look.captionOffset.y);
  const int flags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
  if (look.engraved) {
    painter.setPen(pal.color(QPalette::Light));
    painter.drawText(textRect.translated(1, 1), flags, caption);
    painter.setPen(pal.color(QPalette::Dark));
    painter.drawText(textRect, flags, caption);
  } else {
    painter.setPen(pal.color(QPalette::ButtonText));
    painter.drawText(textRect, flags, caption);
  }
}
