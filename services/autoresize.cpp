#include "services/autoresize.h"

#include <QGuiApplication>
#include <QListView>
#include <QScreen>
#include <QTableView>
#include <QTreeView>
#include <QWidget>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>

#include "platform/dialog.h"
#include "services/pravikapp.h"

namespace {

constexpr char kSection[] = "WinPos";

ResizeControlKind KindOf(const QWidget* control) {
  if (qobject_cast<const QTreeView*>(control)) return ResizeControlKind::Tree;
  if (qobject_cast<const QListView*>(control) || qobject_cast<const QTableView*>(control))
    return ResizeControlKind::List;
  return ResizeControlKind::Other;
}

// Wayland lets no window choose its own position.
bool WindowsPlaceThemselves() { return !QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

}  // namespace

int ClassifyResizeControl(ResizeControlKind kind, const ResizeRect& r, int w, int h, int mode) {
  int flags = 0;
  if (kind == ResizeControlKind::Tree) {
    flags = kResizeStretchHeight;
  } else if (kind == ResizeControlKind::List) {
    flags = kResizeStretchWidth | kResizeStretchHeight;
  } else if (mode == 0) {
    // Near the bottom in the right half: follows the lower right corner.
    if (h - r.bottom < 30 && r.left > w / 2) flags |= kResizeMoveX | kResizeMoveY;
  } else if (mode == 1) {
    if (w - r.right <= 30 && r.left > w / 2) flags |= kResizeMoveX;
  }
  // Spanning the dialog: stretches both ways.
  if (r.left < w / 2 && r.right > w - 50 && r.top < 120 && r.bottom > h - 50)
    flags |= kResizeStretchWidth | kResizeStretchHeight;
  return flags;
}

ResizeRect ResizedControlRect(int flags, const ResizeRect& initial, int dx, int dy) {
  ResizeRect r = initial;
  if (flags & kResizeMoveX) {
    r.left += dx;
    r.right += dx;
  }
  if (flags & kResizeMoveY) {
    r.top += dy;
    r.bottom += dy;
  }
  if (flags & kResizeStretchWidth) r.right += dx;
  if (flags & kResizeStretchHeight) r.bottom += dy;
  return r;
}

std::string FormatWindowPos(int screenWidth, const QRect& window) {
  auto cut = [](int value) { return static_cast<int>(static_cast<std::int16_t>(value)); };
  return std::to_string(screenWidth) + "," + std::to_string(cut(window.x())) + "," + std::to_string(cut(window.y())) +
         "," + std::to_string(cut(window.width())) + "," + std::to_string(cut(window.height()));
}

std::optional<QRect> ParseWindowPos(std::string_view value, int screenWidth) {
  if (value.empty()) return std::nullopt;
  const std::string text(value);
  // Five numbers read as "%d,%d,%d,%d,%d" reads them; a number an int cannot
  // hold (which "%d" would take in undefined ways) makes the value no position.
  int numbers[5] = {};
  const char* p = text.c_str();
  for (int i = 0; i < 5; ++i) {
    if (i > 0 && *p++ != ',') return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const long number = std::strtol(p, &end, 10);
    if (end == p || errno == ERANGE || number < INT_MIN || number > INT_MAX) return std::nullopt;
    numbers[i] = static_cast<int>(number);
    p = end;
  }
  const auto [stored, x, y, w, h] = numbers;
  if (stored != screenWidth || w < 200 || h < 200) return std::nullopt;
  return QRect(x, y, w, h);
}

int ScreenWidthOf(const QWidget* window) {
  QScreen* screen = window ? window->screen() : nullptr;
  if (!screen) screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().width() : 0;
}

void JAutoResize::Init(QWidget* dialog, const std::string& key, int mode) {
  if (items_.empty() && dialog) {
    initialWidth_ = dialog->width();
    initialHeight_ = dialog->height();
    for (QObject* child : dialog->children()) {
      auto* control = qobject_cast<QWidget*>(child);
      if (!control || control->isWindow()) continue;
      const ResizeRect r = ResizeRect::Of(control->geometry());
      const int flags = ClassifyResizeControl(KindOf(control), r, initialWidth_, initialHeight_, mode);
      if (flags) items_.push_back({flags, control, platform::ControlId(control), r});
    }
  }
  RestoreWindowPos(dialog, key);
}

void JAutoResize::Resize(QWidget* dialog, int cx, int cy) {
  if (items_.empty() || !dialog) return;
  const int dx = cx - initialWidth_;
  const int dy = cy - initialHeight_;
  for (const ResizeItem& item : items_) {
    if (!item.control) continue;
    item.control->setGeometry(ResizedControlRect(item.flags, item.initial, dx, dy).ToQRect());
  }
  dialog->update();
}

void JAutoResize::RestoreWindowPos(QWidget* window, const std::string& key) {
  key_ = key;
  CPravikWinApp* app = GetApp();
  if (!window || !app) return;
  const std::optional<QRect> stored =
      ParseWindowPos(app->GetProfileString(kSection, key), ScreenWidthOf(window));
  if (!stored) return;
  if (WindowsPlaceThemselves()) window->move(stored->topLeft());
  window->resize(stored->size());
}

void JAutoResize::SaveWindowPos(QWidget* window) {
  CPravikWinApp* app = GetApp();
  if (key_.empty() || !window || !app) return;
  app->WriteProfileString(kSection, key_, FormatWindowPos(ScreenWidthOf(window), QRect(window->pos(), window->size())));
}
