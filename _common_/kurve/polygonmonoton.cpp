#include "_common_/kurve/polygonmonoton.h"

void CPolygonMonoton::SetResolution(int) {
  m_nResolution = 0;
  m_bCreated = true;
}

void CPolygonMonoton::SetPoints(const CPunktListe& aStzPkte) {
  m_bSet = true;
  if (!KURVE_CHECK(m_bCreated)) {
    ClearCurve();
    return;
  }
  if (PrepareSupportPoints(aStzPkte)) BuildPolyline();
}

double CPolygonMonoton::GetY(double x) {
  if (m_Polyline.IsEmpty()) return 0.0;
  double y = 0.0;
  if (GetYAtX(x, y)) return y;
  return x < m_FirstPoint.x ? m_FirstPoint.y : m_LastPoint.y;
}
