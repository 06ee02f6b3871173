#pragma once
// The pens and brushes the charts draw with: the 17 entries of the settings'
// layout table (colour, width factor, line style). The settings record owns
// the table; a page hands a copy to its chart holder before drawing:
//   chart.SetChartPens(ChartPens::FromLayoutTable(settings.LayoutTable));
// Entries used by the charts: 0 grid; 2 and 3 lower and upper limit line of
// the armourstone mass chart; 4 measured curve of track ballast and
// armourstone; 5 measured grading curve; 6 plant-typical points; 7 base limit
// triangles; 8 first two target curves; 9 first two track-ballast target
// curves; 10 further target curves; 11 to 16 triangle groups 1 to 6.
#include <array>

#include "platform/drawtypes.h"

struct LayoutPenEntry {
  platform::ColorRef color = platform::RGB(0, 0, 0);
  int widthFactor = 0;  // 0 and 1: the thinnest line
  int style = platform::PS_SOLID;
};

// The pen of one layout entry: width = width factor x scale (a factor of 1 or
// below counts as 0, the thinnest pen); the entry's style only below width
// factor 2, else solid.
platform::Pen MakeLayoutPen(const LayoutPenEntry& entry, int scale);

class ChartPens {
 public:
  static constexpr int kEntries = 17;

  // Black, thinnest, solid; entry 2 dashed, 3 dash-dot-dot, 10 dotted.
  ChartPens();

  // Colour, width factor and style of every entry of a table whose entries
  // have those members (the settings' LayoutTable); missing entries keep
  // their defaults.
  template <class Table>
  static ChartPens FromLayoutTable(const Table& table) {
    ChartPens pens;
    int i = 0;
    for (const auto& entry : table) {
      if (i >= kEntries) break;
      pens.entries_[static_cast<size_t>(i++)] = LayoutPenEntry{entry.color, entry.widthFactor, entry.style};
    }
    return pens;
  }

  LayoutPenEntry& Entry(int index) { return entries_.at(static_cast<size_t>(index)); }
  const LayoutPenEntry& Entry(int index) const { return entries_.at(static_cast<size_t>(index)); }

  // The pen of an entry: width = width factor x scale (a factor of 1 counts
  // as 0, the thinnest pen); the entry's style only below width factor 2,
  // else solid. False, pen untouched, for an index outside 0 .. 16.
  bool CreateLayoutPen(platform::Pen& pen, int index, int scale) const;
  // A solid brush of the entry's colour; false for an index outside 0 .. 16.
  bool CreateLayoutBrush(platform::Brush& brush, int index) const;

 private:
  std::array<LayoutPenEntry, kEntries> entries_;
};
