#pragma once
// Column widths given in pixels for the Windows dialog font, widened where
// the heading would be cut in the font a list or grid really shows (this
// system's faces, scaled as the list scales them).
//
//   list->setColumnWidth(c, FitColumnWidth(70, list->header()->fontMetrics(), heading));
#include <QFontMetrics>
#include <QString>

// The width, or the widest line of the heading with the header's margins
// when that is wider; 0 stays 0 (a hidden column).
int FitColumnWidth(int width, const QFontMetrics& metrics, const QString& heading);
