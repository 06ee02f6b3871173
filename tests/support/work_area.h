#pragma once
// A screen's work area of the test's choice in place of the offscreen
// screen's, for the time of the guard.
#include <QRect>
#include <optional>

#include "platform/screenfit.h"

class WorkAreaGuard {
 public:
  explicit WorkAreaGuard(const QRect& area) { platform::SetWorkAreaOverride(area); }
  ~WorkAreaGuard() { platform::SetWorkAreaOverride(std::nullopt); }
  WorkAreaGuard(const WorkAreaGuard&) = delete;
  WorkAreaGuard& operator=(const WorkAreaGuard&) = delete;
};
