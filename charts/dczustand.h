#pragma once
// Saves a drawing context's text colour, background mode, text alignment,
// pen, brush and font, and puts them back when it goes out of scope. Made on
// the stack at the start of a painter:
//
//   CDCZustand state(dc, platform::TRANSPARENT);  // sets the mode after saving
//   CDCZustand state(dc);                          // keeps the mode
#include "platform/drawcontext.h"

class CDCZustand {
 public:
  // bkMode < 0 keeps the current background mode; any other value sets it.
  explicit CDCZustand(platform::DrawContext& dc, int bkMode = -1)
      : guard_(dc, platform::kStateWithFont, bkMode < 0 ? platform::DrawStateGuard::kKeepBkMode : bkMode) {}

 private:
  platform::DrawStateGuard guard_;
};
