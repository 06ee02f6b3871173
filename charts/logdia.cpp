#include "charts/logdia.h"

#include "platform/messagebox.h"

bool CLogDia::Create() {
  triangles_.clear();
  created_ = true;
  return true;
}

int CLogDia::SetDreieck(double x, double y, int direction, int size, int style) {
  if (GetTriangleCount() >= kMaxTriangles) return GetTriangleCount();
  if (!created_) {
    platform::ShowMessageBox(
        "CLogDia\n\nWARNUNG:\nSetDreieck() darf nur NACH Create() \nund VOR zeichnen() aufgerufen werden",
        platform::MB_OK | platform::MB_ICONSTOP);
    return GetTriangleCount();
  }
  triangles_.push_back({x, y, direction, size, style});
  return GetTriangleCount();
}
