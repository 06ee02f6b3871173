#include "_common_/kurve/splinemonoton.h"

#include <algorithm>
#include <cmath>
#include <vector>

using kurve::kTolerance;

void CSplineMonoton::SetResolution(int resolution) {
  m_nResolution = resolution < 0 ? 0 : resolution;
  m_bCreated = true;
}

void CSplineMonoton::SetPoints(const CPunktListe& aStzPkte) {
  static_assert(kMaxPoints == 100, "the check below names the limit");
  m_nAnz = 0;
  m_nLastInterval = 0;
  // More points than the arrays hold stop here: the curve stays empty.
  if (!KURVE_CHECK(m_bCreated) || !KURVE_CHECK(aStzPkte.GetAnz() >= 2) ||
      !KURVE_CHECK(aStzPkte.GetAnz() <= 100) || !PrepareSupportPoints(aStzPkte)) {
    ClearCurve();
    m_bSet = true;
    return;
  }
  m_nAnz = m_StzPkte.GetAnz();
  for (int i = 0; i < m_nAnz; ++i) {
    m_x[static_cast<size_t>(i)] = m_StzPkte[i].x;
    m_y[static_cast<size_t>(i)] = m_StzPkte[i].y;
  }
  m_bFirstSlopePending = true;
  m_bLastSlopePending = true;
  m_FirstPoint = m_StzPkte[0];
  m_LastPoint = m_StzPkte[m_nAnz - 1];
  ComputeSlopes();
  BuildPolyline();
  m_bSet = true;
}

void CSplineMonoton::ComputeSlopes() {
  const int n = m_nAnz;
  m_m.fill(0.0);
  for (int i = 1; i + 1 < n; ++i) {
    const double right = std::atan((m_y[i + 1] - m_y[i]) / (m_x[i + 1] - m_x[i]));
    const double left = std::atan((m_y[i] - m_y[i - 1]) / (m_x[i] - m_x[i - 1]));
    m_m[i] = std::tan((right + left) * 0.5);
  }
  // A two-point curve has no inner slope: its cubic takes the chord's slope,
  // which makes it the straight segment.
  if (n == 2) m_m[0] = m_m[1] = (m_y[1] - m_y[0]) / (m_x[1] - m_x[0]);
  for (int i = 0; i + 1 < n; ++i) {
    if (std::fabs(m_y[i + 1] - m_y[i]) < kTolerance) m_m[i] = m_m[i + 1] = 0.0;
  }
  RepairMonotonicity();
}

void CSplineMonoton::RepairMonotonicity() {
  const int n = m_nAnz;
  // A hundred equal steps from the first to the last support x, every support
  // x and every x the polyline will take: equal steps alone miss dips inside
  // narrow intervals, and the drawn curve must not fall. With the support x
  // among them, two neighbouring samples always lie in one interval.
  std::vector<double> samples;
  const double step = (m_x[n - 1] - m_x[0]) / 100.0;
  for (int k = 0; k < 100; ++k) samples.push_back(m_x[0] + k * step);
  for (int b = 0; b + 1 < n; ++b) {
    samples.push_back(m_x[b]);
    std::vector<double> xs = IntermediateX(b);
    samples.insert(samples.end(), xs.begin(), xs.end());
  }
  std::sort(samples.begin(), samples.end());
  samples.erase(std::unique(samples.begin(), samples.end()), samples.end());
  while (!samples.empty() && samples.back() >= m_x[n - 1]) samples.pop_back();
  samples.push_back(m_x[n - 1]);

  // Every lowering takes a tenth off a slope (a slope too small to lower
  // becomes 0), so the curve turns monotone long before this bound; it only
  // guards against an endless loop.
  for (int pass = 0; pass < 100000; ++pass) {
    bool lowered = false;
    double prev = GetY(samples[0]);
    int interval = m_nLastInterval;
    for (size_t k = 1; k < samples.size() && !lowered; ++k) {
      const double cur = GetY(samples[k]);
      // The fall lies in the interval of the earlier sample: the later one
      // may sit on the next support point.
      if (prev - kTolerance > cur && (m_m[interval] != 0.0 || m_m[interval + 1] != 0.0)) {
        double& slope = m_m[interval] > m_m[interval + 1] ? m_m[interval] : m_m[interval + 1];
        const double before = slope;
        slope -= slope / 10.0;
        if (slope == before || slope < 1e-12) slope = 0.0;
        lowered = true;
      }
      prev = cur;
      interval = m_nLastInterval;
    }
    if (!lowered) return;
  }
}

double CSplineMonoton::GetY(double x) {
  const int n = m_nAnz;
  if (n < 2) return n == 1 ? m_y[0] : 0.0;
  int i = n - 2;
  for (int k = 0; k + 1 < n; ++k) {
    if (x < m_x[k + 1]) {
      i = k;
      break;
    }
  }
  m_nLastInterval = i;
  if (x == m_x[i]) return m_y[i];
  if (x == m_x[n - 1]) return m_y[n - 1];

  double h = m_x[i + 1] - m_x[i];
  if (std::fabs(h) < kTolerance) h = kTolerance;
  const double dy = m_y[i + 1] - m_y[i];
  // The cubic through (x(i), y(i)) and (x(i+1), y(i+1)), written around x(i):
  // p = y(i) + s t + q t^2 + a t^3 with t = x - x(i).
  double a = 0.0;
  double q = 0.0;
  if (i == 0) {
    // Slope m(1) at x(1), no curvature at x(0).
    a = m_m[1] / (2 * h * h) - dy / (2 * h * h * h);
    q = 0.0;
  } else if (i == n - 2) {
    // Slope m(i) at x(i); a quarter of the first interval's cubic term.
    a = m_m[i] / (4 * h * h) - dy / (4 * h * h * h);
    q = dy / (h * h) - m_m[i] / h - h * a;
  } else {
    // Hermite cubic with slopes m(i) and m(i+1) at its ends.
    a = (m_m[i] + m_m[i + 1]) / (h * h) - 2 * dy / (h * h * h);
    q = dy / (h * h) - m_m[i] / h - h * a;
  }
  const double s = dy / h - q * h - a * h * h;
  const double t = x - m_x[i];
  const double y = m_y[i] + t * (s + t * (q + t * a));

  // The end slopes are taken from the end cubics the first time they are met.
  if (i == 0 && m_bFirstSlopePending) {
    m_m[0] = std::max(0.0, s);
    m_bFirstSlopePending = false;
  }
  if (i == n - 2 && m_bLastSlopePending) {
    const double hEnd = m_x[n - 1] - m_x[i];
    m_m[n - 1] = std::max(0.0, s + 2 * q * hEnd + 3 * a * hEnd * hEnd);
    m_bLastSlopePending = false;
  }
  return y;
}
