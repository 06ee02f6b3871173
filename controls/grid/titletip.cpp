#include "controls/grid/titletip.h"

#include <QApplication>
#include <QCursor>
#include <QDateTime>
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "controls/grid/gridctrl.h"
#include "controls/grid/gridcell.h"
#include "platform/drawcontext.h"
#include "platform/sysmetrics.h"

using namespace platform;

CTitleTip::CTitleTip(CGridCtrl* grid)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      grid_(grid),
      doubleClickTime_(GetDoubleClickTime()) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  setMouseTracking(true);
  watch_.setInterval(100);
  connect(&watch_, &QTimer::timeout, this, [this] { CheckMouse(); });
  connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* window) {
    if (!window) Hide();
  });
}

CTitleTip::~CTitleTip() = default;

void CTitleTip::Show(const Rect& titleRect, const std::string& text, int xOffset, const Rect* hoverRect,
                     const Font* font, ColorRef textColour, ColorRef backColour) {
  if (!grid_ || titleRect.Width() <= 0 || titleRect.Height() <= 0 || isVisible()) return;
  const Rect hover = hoverRect ? *hoverRect : titleRect;
  hover_ = Rect{hover.left, hover.top, hover.right + 1, hover.bottom + 1};
  if (!QGuiApplication::focusWindow()) return;

  font_ = font ? *font : FontOfQFont(grid_->font());
  const std::string shown = " " + text + " ";
  int width = 0;
  {
    ScreenMeasure screen;
    if (!screen.dc()) return;
    screen.dc()->SelectFont(font_);
    width = screen.dc()->GetTextExtent(shown).cx;
  }
  const int left = titleRect.left + xOffset;
  const int right = left + width + xOffset;
  if (right <= titleRect.right - xOffset) return;  // the text fits into the cell
  text_ = shown;
  textColour_ = textColour;
  backColour_ = backColour;
  const QPoint at = grid_->viewport()->mapToGlobal(QPoint(left, titleRect.top));
  setGeometry(at.x(), at.y(), right - left, titleRect.Height());
  show();
  raise();
  update();
  watch_.start();
}

void CTitleTip::Hide() {
  watch_.stop();
  if (isVisible()) hide();
}

void CTitleTip::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawContext dc(painter);
  dc.SetMapMode(MM_TEXT);
  const Rect r{0, 0, width(), height()};
  dc.FillSolidRect(r, backColour_ == CLR_DEFAULT ? GetSysColor(COLOR_INFOBK) : backColour_);
  dc.FrameRect(r, Brush::Solid(GetSysColor(COLOR_WINDOWTEXT)));
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(textColour_ == CLR_DEFAULT ? GetSysColor(COLOR_INFOTEXT) : textColour_);
  dc.SelectFont(font_);
  // Inside the border, where the cell's text starts.
  dc.TextOut(1, 1, text_);
}

void CTitleTip::mouseMoveEvent(QMouseEvent* event) {
  if (!grid_) return;
  const QPoint inGrid = grid_->viewport()->mapFromGlobal(event->globalPosition().toPoint());
  if (inGrid.x() >= hover_.left && inGrid.x() < hover_.right && inGrid.y() >= hover_.top &&
      inGrid.y() < hover_.bottom)
    return;
  Hide();
  PassOn(QEvent::MouseMove, event->globalPosition(), Qt::NoButton, event->buttons(), event->modifiers());
}

void CTitleTip::CheckMouse() {
  if (!grid_ || !isVisible()) return;
  const QPoint inGrid = grid_->viewport()->mapFromGlobal(QCursor::pos());
  if (!(inGrid.x() >= hover_.left && inGrid.x() < hover_.right && inGrid.y() >= hover_.top &&
        inGrid.y() < hover_.bottom))
    Hide();
}

void CTitleTip::mousePressEvent(QMouseEvent* event) {
  const qint64 now = QDateTime::currentMSecsSinceEpoch();
  QEvent::Type type = QEvent::MouseButtonPress;
  if (event->button() == Qt::LeftButton) {
    if (lastPress_ >= 0 && now - lastPress_ <= doubleClickTime_) type = QEvent::MouseButtonDblClick;
    lastPress_ = now;
  }
  Hide();
  PassOn(type, event->globalPosition(), event->button(), event->buttons(), event->modifiers());
}

void CTitleTip::PassOn(QEvent::Type type, const QPointF& global, Qt::MouseButton button, Qt::MouseButtons buttons,
                       Qt::KeyboardModifiers modifiers) {
  if (!grid_) return;
  QWidget* target = grid_->viewport();
  const QPointF local = target->mapFromGlobal(global);
  if (!target->rect().contains(local.toPoint())) return;
  QCoreApplication::postEvent(target, new QMouseEvent(type, local, global, button, buttons, modifiers));
}
