#include "platform/sysmetrics.h"

#include <QFont>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QStyleHints>
#include <algorithm>
#include <cmath>

namespace platform {
namespace {

ColorRef FromQColor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

ColorRef ClassicColor(int index) {
  switch (index) {
    case COLOR_WINDOW: return RGB(255, 255, 255);
    case COLOR_WINDOWTEXT: return RGB(0, 0, 0);
    case COLOR_HIGHLIGHT: return RGB(0, 120, 215);
    case COLOR_HIGHLIGHTTEXT: return RGB(255, 255, 255);
    case COLOR_3DFACE: return RGB(240, 240, 240);
    case COLOR_3DSHADOW: return RGB(160, 160, 160);
    case COLOR_BTNTEXT: return RGB(0, 0, 0);
    case COLOR_3DHIGHLIGHT: return RGB(255, 255, 255);
    case COLOR_3DDKSHADOW: return RGB(105, 105, 105);
    case COLOR_3DLIGHT: return RGB(227, 227, 227);
    case COLOR_INFOTEXT: return RGB(0, 0, 0);
    case COLOR_INFOBK: return RGB(255, 255, 225);
    default: return RGB(0, 0, 0);
  }
}

}  // namespace

ColorRef GetSysColor(int index) {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return ClassicColor(index);
  const QPalette palette = QGuiApplication::palette();
  auto role = [&](QPalette::ColorRole r) { return FromQColor(palette.color(QPalette::Active, r)); };
  switch (index) {
    case COLOR_WINDOW: return role(QPalette::Base);
    case COLOR_WINDOWTEXT: return role(QPalette::Text);
    case COLOR_HIGHLIGHT: return role(QPalette::Highlight);
    case COLOR_HIGHLIGHTTEXT: return role(QPalette::HighlightedText);
    case COLOR_3DFACE: return role(QPalette::Button);
    case COLOR_3DSHADOW: return role(QPalette::Dark);
    case COLOR_BTNTEXT: return role(QPalette::ButtonText);
    case COLOR_3DHIGHLIGHT: return role(QPalette::Light);
    case COLOR_3DDKSHADOW: return role(QPalette::Shadow);
    case COLOR_3DLIGHT: return role(QPalette::Midlight);
    case COLOR_INFOTEXT: return role(QPalette::ToolTipText);
    case COLOR_INFOBK: return role(QPalette::ToolTipBase);
    default: return ClassicColor(index);
  }
}

Font FontOfQFont(const QFont& q) {
  Font font;
  font.face = q.family().toStdString();
  double pixels = q.pixelSize();
  if (pixels <= 0) {
    const QScreen* screen = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                                ? QGuiApplication::primaryScreen()
                                : nullptr;
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    pixels = q.pointSizeF() * dpi / 72.0;
  }
  font.height = -std::max(1, static_cast<int>(std::lround(pixels)));
  font.weight = q.weight() >= QFont::Bold ? FW_BOLD : FW_NORMAL;
  font.italic = q.italic();
  return font;
}

Font GetMessageFont() {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return Font{.face = "Arial", .height = -12};
  return FontOfQFont(QGuiApplication::font());
}

int GetDoubleClickTime() {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return 500;
  return QGuiApplication::styleHints()->mouseDoubleClickInterval();
}

int GetWheelScrollLines() {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return 3;
  return QGuiApplication::styleHints()->wheelScrollLines();
}

}  // namespace platform
