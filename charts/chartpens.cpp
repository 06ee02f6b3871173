#include "charts/chartpens.h"

ChartPens::ChartPens() {
  entries_[2].style = platform::PS_DASH;
  entries_[3].style = platform::PS_DASHDOTDOT;
  entries_[10].style = platform::PS_DOT;
}

platform::Pen MakeLayoutPen(const LayoutPenEntry& e, int scale) {
  const int factor = e.widthFactor <= 1 ? 0 : e.widthFactor;
  return platform::Pen{factor < 2 ? e.style : platform::PS_SOLID, factor * scale, e.color};
}

bool ChartPens::CreateLayoutPen(platform::Pen& pen, int index, int scale) const {
  if (index < 0 || index >= kEntries) return false;
  pen = MakeLayoutPen(entries_[static_cast<size_t>(index)], scale);
  return true;
}

bool ChartPens::CreateLayoutBrush(platform::Brush& brush, int index) const {
  if (index < 0 || index >= kEntries) return false;
  brush = platform::Brush::Solid(entries_[static_cast<size_t>(index)].color);
  return true;
}
