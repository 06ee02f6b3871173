#pragma once
// The system's colours, message font and mouse settings, as the controls ask
// the platform for them: colours from the application's palette, the font
// from the application's general font, the double-click time and the wheel
// lines from the platform's settings. Without an application the classic
// defaults are given.
//
//   dc.FillSolidRect(r, platform::GetSysColor(platform::COLOR_HIGHLIGHT));
#include "platform/drawtypes.h"

class QFont;

namespace platform {

// GetSysColor's indexes.
enum : int {
  COLOR_WINDOW = 5,
  COLOR_WINDOWTEXT = 8,
  COLOR_HIGHLIGHT = 13,
  COLOR_HIGHLIGHTTEXT = 14,
  COLOR_3DFACE = 15,
  COLOR_BTNFACE = COLOR_3DFACE,
  COLOR_3DSHADOW = 16,
  COLOR_BTNSHADOW = COLOR_3DSHADOW,
  COLOR_BTNTEXT = 18,
  COLOR_3DHIGHLIGHT = 20,
  COLOR_BTNHIGHLIGHT = COLOR_3DHIGHLIGHT,
  COLOR_3DDKSHADOW = 21,
  COLOR_3DLIGHT = 22,
  COLOR_INFOTEXT = 23,
  COLOR_INFOBK = 24,
};

ColorRef GetSysColor(int index);

// The font of message boxes and controls: the application's font, its
// size as a character height in pixels (Font::height below 0).
Font GetMessageFont();
// A Qt font as a Font value: its family and its size in pixels.
Font FontOfQFont(const QFont& font);

int GetDoubleClickTime();    // milliseconds
int GetWheelScrollLines();   // lines per wheel notch

}  // namespace platform
