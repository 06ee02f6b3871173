#include "controls/columnwidth.h"

#include <QStringList>
#include <algorithm>

namespace {

// Room beside a heading's text: the header's margins and the sort mark.
constexpr int kHeadingRoom = 14;

}  // namespace

int FitColumnWidth(int width, const QFontMetrics& metrics, const QString& heading) {
  if (width <= 0 || heading.isEmpty()) return width;
  int text = 0;
  for (const QString& line : heading.split(u'\n')) text = std::max(text, metrics.horizontalAdvance(line));
  return std::max(width, text + kHeadingRoom);
}
