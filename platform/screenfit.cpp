#include "platform/screenfit.h"

#include <QBoxLayout>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QWidget>
#include <algorithm>

namespace platform {

namespace {

std::optional<QRect>& Override() {
  static std::optional<QRect> area;
  return area;
}

// The screen a window opens on: where it was placed, else its own.
QScreen* ScreenOf(const QWidget* window) {
  QScreen* screen = nullptr;
  if (window && window->isWindow() && window->testAttribute(Qt::WA_Moved))
    screen = QGuiApplication::screenAt(window->geometry().center());
  if (!screen && window) screen = window->screen();
  if (!screen) screen = QGuiApplication::primaryScreen();
  return screen;
}

}  // namespace

QRect WorkAreaOf(const QWidget* window) {
  if (Override()) return *Override();
  if (QScreen* screen = ScreenOf(window)) return screen->availableGeometry();
  return QRect(0, 0, 1920, 1080);
}

void SetWorkAreaOverride(std::optional<QRect> area) { Override() = area; }

QSize ClientRoomIn(const QRect& area) {
  return QSize(std::max(0, area.width() - kFrameRoomWidth), std::max(0, area.height() - kFrameRoomHeight));
}

QRect FitRectInto(const QRect& frame, const QRect& area) {
  QRect fitted(frame.topLeft(), frame.size().boundedTo(area.size()));
  if (fitted.right() > area.right()) fitted.moveRight(area.right());
  if (fitted.bottom() > area.bottom()) fitted.moveBottom(area.bottom());
  if (fitted.left() < area.left()) fitted.moveLeft(area.left());
  if (fitted.top() < area.top()) fitted.moveTop(area.top());
  return fitted;
}

BodyScrollArea::BodyScrollArea(QWidget* parent) : QScrollArea(parent) {
  setWidgetResizable(true);
  setFrameShape(QFrame::NoFrame);
}

void BodyScrollArea::SetLimit(const QSize& limit) {
  limit_ = limit;
  updateGeometry();
}

QSize BodyScrollArea::WholeBodySize() const {
  const int frame = 2 * frameWidth();
  if (!widget()) return QSize(frame, frame);
  return widget()->sizeHint().expandedTo(widget()->minimumSizeHint()) + QSize(frame, frame);
}

QSize BodyScrollArea::sizeHint() const {
  QSize size = WholeBodySize();
  if (!limit_.isValid()) return size;
  // A scroll bar takes room beside or below what it scrolls.
  if (size.height() > limit_.height()) {
    size.setHeight(limit_.height());
    size.rwidth() += verticalScrollBar()->sizeHint().width();
  }
  if (size.width() > limit_.width()) {
    size.setWidth(limit_.width());
    size.setHeight(std::min(limit_.height(), size.height() + horizontalScrollBar()->sizeHint().height()));
  }
  return size;
}

QSize BodyScrollArea::minimumSizeHint() const {
  // Narrower than the body only when the screen leaves no more room.
  const QSize whole = WholeBodySize();
  const int width = limit_.isValid() ? std::min(whole.width(), limit_.width()) : whole.width();
  return QSize(width, std::min(whole.height(), 120));
}

BodyScrollArea* PutBodyInScrollArea(QWidget* window, QLayout* body) {
  auto* top = window ? qobject_cast<QBoxLayout*>(window->layout()) : nullptr;
  const int index = top && body ? top->indexOf(body) : -1;
  if (index < 0) return nullptr;
  const int stretch = top->stretch(index);
  top->takeAt(index);
  body->setParent(nullptr);
  auto* content = new QWidget;
  content->setLayout(body);
  // As a widget's own layout it would take the margins of a window.
  body->setContentsMargins(0, 0, 0, 0);
  auto* area = new BodyScrollArea(window);
  area->setWidget(content);
  top->insertWidget(index, area, stretch);
  return area;
}

void FitIntoWorkArea(QWidget* window) {
  if (!window) return;
  const QRect area = WorkAreaOf(window);
  const QSize room = ClientRoomIn(area);
  const QList<BodyScrollArea*> bodies = window->findChildren<BodyScrollArea*>();
  if (!bodies.isEmpty() && window->layout()) {
    BodyScrollArea* body = bodies.front();
    body->SetLimit({});
    // Twice: a vertical scroll bar widens what then may be too wide.
    for (int pass = 0; pass < 2; ++pass) {
      window->layout()->invalidate();
      const QSize excess = (window->sizeHint() - room).expandedTo(QSize(0, 0));
      if (excess.isNull()) break;
      // Only the side that does not fit is limited.
      QSize limit = body->limit().isValid() ? body->limit() : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
      const QSize hint = body->sizeHint();
      if (excess.width() > 0) limit.setWidth(std::max(120, hint.width() - excess.width()));
      if (excess.height() > 0) limit.setHeight(std::max(120, hint.height() - excess.height()));
      body->SetLimit(limit);
    }
    window->layout()->invalidate();
    window->layout()->activate();
    // Qt would open it at two thirds of the screen, scrolling where it need not.
    if (window->isWindow() && !window->testAttribute(Qt::WA_Resized))
      window->resize(window->sizeHint().boundedTo(room));
  }
  if (!window->isWindow()) return;
  if (window->testAttribute(Qt::WA_Resized) && !window->isMaximized()) {
    const QSize size = window->size().boundedTo(room).expandedTo(window->minimumSize());
    if (size != window->size()) window->resize(size);
  }
  if (window->testAttribute(Qt::WA_Moved)) {
    const QRect frame(window->pos(), window->size() + QSize(kFrameRoomWidth, kFrameRoomHeight));
    const QPoint place = FitRectInto(frame, area).topLeft();
    if (place != window->pos()) window->move(place);
  }
}

}  // namespace platform
