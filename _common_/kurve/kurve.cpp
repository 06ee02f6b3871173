#include "_common_/kurve/kurve.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace kurve {

namespace {

void WriteToStderr(const char* expression, const char* file, int line) {
  const char* slash = std::strrchr(file, '/');
  std::fprintf(stderr, "Check failed: %s, file %s, line %d\n", expression,
               slash ? slash + 1 : file, line);
}

CheckHandler g_handler = nullptr;

}  // namespace

CheckHandler SetCheckHandler(CheckHandler handler) {
  CheckHandler previous = g_handler;
  g_handler = handler;
  return previous;
}

void ReportFailedCheck(const char* expression, const char* file, int line) {
  (g_handler ? g_handler : WriteToStderr)(expression, file, line);
}

}  // namespace kurve

using kurve::kTolerance;

void CKurve::Create(int resolution, const CPunktListe& points) {
  SetResolution(resolution);
  SetPoints(points);
}

void CKurve::ClearCurve() {
  m_StzPkte.RemoveAll();
  m_Polyline.RemoveAll();
  m_FirstPoint = m_LastPoint = m_LowestPoint = m_HighestPoint = CPunkt{};
}

bool CKurve::PrepareSupportPoints(const CPunktListe& aStzPkte) {
  // A reused curve must never keep the previous curve's points.
  ClearCurve();
  if (aStzPkte.GetAnz() < 2) return false;
  m_StzPkte = aStzPkte;
  m_StzPkte.SortX();
  for (int i = 1; i < m_StzPkte.GetAnz(); ++i) {
    if (m_StzPkte[i - 1].y > m_StzPkte[i].y) m_StzPkte[i].y = m_StzPkte[i - 1].y;
  }
  for (int i = 1; i < m_StzPkte.GetAnz(); ++i) {
    if (m_StzPkte[i].x - m_StzPkte[i - 1].x < kTolerance) {
      m_StzPkte.RemoveAll();
      return false;
    }
  }
  return true;
}

std::vector<double> CKurve::IntermediateX(int b) const {
  std::vector<double> xs;
  const int n = m_StzPkte.GetAnz();
  if (m_nResolution <= 0 || b < 0 || b + 1 >= n) return xs;
  // The N intermediate points are shared among the segments by length.
  const double total = static_cast<double>(m_nResolution) * (n - 1);
  double length = 0.0;
  for (int i = 0; i + 1 < n; ++i)
    length += std::hypot(m_StzPkte[i + 1].x - m_StzPkte[i].x, m_StzPkte[i + 1].y - m_StzPkte[i].y);
  const CPunkt p0 = m_StzPkte[b];
  const CPunkt p1 = m_StzPkte[b + 1];
  int k = static_cast<int>(std::hypot(p1.x - p0.x, p1.y - p0.y) * total / length + 0.6);
  if (k <= 0) return xs;
  double step = (p1.x - p0.x) / (k + 1);
  while (step < kTolerance && k > 0) {
    --k;
    step = (p1.x - p0.x) / (k + 1);
  }
  for (int j = 1; j <= k; ++j) xs.push_back(p0.x + j * step);
  return xs;
}

void CKurve::BuildPolyline() {
  m_Polyline.RemoveAll();
  const int n = m_StzPkte.GetAnz();
  for (int b = 0; b < n; ++b) {
    m_Polyline.Add(m_StzPkte[b]);
    for (double x : IntermediateX(b)) m_Polyline.Add(x, GetY(x));
  }
  UpdateBounds();
}

void CKurve::UpdateBounds() {
  if (m_StzPkte.IsEmpty() || m_Polyline.IsEmpty()) return;
  m_FirstPoint = m_StzPkte[0];
  m_LastPoint = m_StzPkte[m_StzPkte.GetUpperBound()];
  m_LowestPoint = m_HighestPoint = m_Polyline[0];
  for (const CPunkt& p : m_Polyline.Points()) {
    if (p.y < m_LowestPoint.y) m_LowestPoint = p;
    if (p.y > m_HighestPoint.y) m_HighestPoint = p;
  }
}

const CPunktListe& CKurve::GetCurvePoints() const {
  KURVE_CHECK(m_bSet);
  return m_Polyline;
}

CPunktListe CKurve::GetSupportPoints() const {
  KURVE_CHECK(m_bSet);
  return m_StzPkte;
}

CPunkt CKurve::GetFirstPoint() const {
  KURVE_CHECK(m_bSet);
  return m_FirstPoint;
}

CPunkt CKurve::GetLastPoint() const {
  KURVE_CHECK(m_bSet);
  return m_LastPoint;
}

CPunkt CKurve::GetLowestPoint() const {
  KURVE_CHECK(m_bSet);
  return m_LowestPoint;
}

CPunkt CKurve::GetHighestPoint() const {
  KURVE_CHECK(m_bSet);
  return m_HighestPoint;
}

bool CKurve::GetYAtX(double x, double& y) const {
  if (!KURVE_CHECK(m_bSet)) return false;
  const int n = m_Polyline.GetAnz();
  if (n < 2 || !(x >= m_FirstPoint.x && x <= m_LastPoint.x)) return false;
  for (int i = 0; i + 1 < n; ++i) {
    const CPunkt& a = m_Polyline[i];
    const CPunkt& b = m_Polyline[i + 1];
    if (a.x <= x && x <= b.x) {
      if (x == a.x) {
        y = a.y;
      } else if (x == b.x) {
        y = b.y;
      } else {
        y = a.y + (x - a.x) * (b.y - a.y) / (b.x - a.x);
      }
      return true;
    }
  }
  return false;
}

bool CKurve::GetXAtY(double y, double& x) const {
  if (!KURVE_CHECK(m_bSet)) return false;
  const int n = m_Polyline.GetAnz();
  if (n < 2 || !(y >= m_LowestPoint.y && y <= m_HighestPoint.y)) return false;
  for (int i = 0; i + 1 < n; ++i) {
    const CPunkt& a = m_Polyline[i];
    const CPunkt& b = m_Polyline[i + 1];
    if (a.y <= y && y <= b.y) {
      if (y == a.y) {
        x = a.x;
      } else if (y == b.y) {
        x = b.x;
      } else {
        x = b.x - (b.y - y) * (b.x - a.x) / (b.y - a.y);
      }
      return true;
    }
  }
  return false;
}

namespace {

struct MergedPoint {
  double x;
  double ya;  // this curve
  double yb;  // the other curve
};

// Where the segment lines of the two curves between m0 and m1 meet.
bool SegmentIntersection(const MergedPoint& m0, const MergedPoint& m1, CPunkt& point) {
  const double dx = m1.x - m0.x;
  const double slopeA = (m1.ya - m0.ya) / dx;
  const double slopeB = (m1.yb - m0.yb) / dx;
  if (slopeA == slopeB) return false;  // parallel: no single point
  point.x = (m0.ya - m0.yb) / (slopeB - slopeA) + m0.x;
  point.y = m0.yb + (point.x - m0.x) * slopeB;
  return true;
}

}  // namespace

bool CKurve::Intersections(const CKurve* pKurve, CPunktListe& schnittpunkte) const {
  if (!KURVE_CHECK(m_bSet) || !KURVE_CHECK(pKurve->m_bSet)) return false;
  schnittpunkte.RemoveAll();
  const CPunktListe& a = m_Polyline;
  const CPunktListe& b = pKurve->m_Polyline;
  if (a.GetAnz() < 2 || b.GetAnz() < 2) return false;
  if (m_FirstPoint.x >= pKurve->m_LastPoint.x || pKurve->m_FirstPoint.x >= m_LastPoint.x) return false;

  // Both polylines on common x values over the shared range.
  std::vector<MergedPoint> merged;
  int i = 0;
  int j = 0;
  if (std::fabs(a[0].x - b[0].x) >= kTolerance) {
    if (a[0].x > b[0].x) {
      while (j < b.GetAnz() && b[j].x < a[0].x - kTolerance) ++j;
    } else {
      while (i < a.GetAnz() && a[i].x < b[0].x - kTolerance) ++i;
    }
  }
  while (i < a.GetAnz() && j < b.GetAnz()) {
    double y = 0.0;
    if (std::fabs(a[i].x - b[j].x) < kTolerance) {
      merged.push_back({a[i].x, a[i].y, b[j].y});
      ++i;
      ++j;
    } else if (a[i].x < b[j].x) {
      if (pKurve->GetYAtX(a[i].x, y)) merged.push_back({a[i].x, a[i].y, y});
      ++i;
    } else {
      if (GetYAtX(b[j].x, y)) merged.push_back({b[j].x, y, b[j].y});
      ++j;
    }
  }

  // A pair crosses when the difference changes sign or reaches zero at its
  // right end; a touching point is counted once, not again where the curves
  // part.
  auto crosses = [](double dL, double dR) {
    return std::fabs(dL) >= kTolerance && (dL * dR < 0.0 || std::fabs(dR) < kTolerance);
  };
  const int pairs = static_cast<int>(merged.size()) - 1;
  for (int p = 0; p < pairs; ++p) {
    const double dL = merged[p].ya - merged[p].yb;
    const double dR = merged[p + 1].ya - merged[p + 1].yb;
    if (!crosses(dL, dR)) continue;
    m_bTouch = std::fabs(dR) < kTolerance;
    CPunkt point;
    if (!m_bTouch) {
      if (SegmentIntersection(merged[p], merged[p + 1], point)) schnittpunkte.Add(point);
      continue;
    }
    if (p + 1 >= pairs) continue;  // touching at the very end: nothing added
    const double dR2 = merged[p + 2].ya - merged[p + 2].yb;
    if (!crosses(dL, dR2) || std::fabs(dR2) < kTolerance) {
      ++p;  // the curves meet and part on the same side: no crossing
      continue;
    }
    if (SegmentIntersection(merged[p], merged[p + 1], point)) schnittpunkte.Add(point);
  }
  return true;
}
