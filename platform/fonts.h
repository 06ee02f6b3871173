#pragma once
// Fonts of the drawing layer: face names to installed families, the "Symbol"
// face's characters to Unicode, and a QFont with its metrics for a Font value.
//
// - ResolveFontFamily("Arial") gives "Liberation Sans" ("Times New Roman" ->
//   "Liberation Serif", "Courier New"/"Courier" -> "Liberation Mono"); an
//   installed family is used as it is; anything else gives "Liberation Sans".
// - The "Symbol" face draws with "Liberation Serif" after MapSymbolText has
//   turned every character below U+0100 into the character the Symbol
//   encoding puts there: "\u00A3" (byte 0xA3) -> "≤", "\u00B3" -> "≥",
//   "S" -> "Σ", "-" -> "−" (minus), letters -> Greek. Other characters pass.
// - ResolveFont gives a QFont whose pixel size is in logical units, with
//   kerning, shaping and hinting off, so that text widths are the same on
//   screen, preview, printer and PDF; and its ascent and descent.
//
// Drawing code uses DrawContext (drawcontext.h), which calls these itself.
#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <string_view>

#include "platform/drawtypes.h"

namespace platform {

QString ResolveFontFamily(std::string_view face);
bool IsSymbolFace(std::string_view face);
QString MapSymbolText(std::string_view utf8);

struct ResolvedFont {
  QFont font;          // pixel size in logical units
  QFontMetricsF metrics;
  double ascent = 0;   // logical units
  double descent = 0;
  bool symbol = false;
  QString Text(std::string_view utf8) const;  // mapped when symbol
};

// The font for a Font value; default_em is the em size taken for height 0.
// The result is cached and lives as long as the process.
const ResolvedFont& ResolveFont(const Font& font, double default_em);

}  // namespace platform
