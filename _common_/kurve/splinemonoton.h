#pragma once
// A smooth monotone curve: piecewise cubics through the support points whose
// slopes are lowered until the sampled curve no longer falls.
#include <array>

#include "_common_/kurve/kurve.h"

class CSplineMonoton : public CKurve {
 public:
  static constexpr int kMaxPoints = 100;

  // Negative counts as 0 (the polyline is then the support points).
  void SetResolution(int resolution) override;
  // At most kMaxPoints support points; more are reported and give no curve.
  void SetPoints(const CPunktListe& aStzPkte) override;
  double GetY(double x) override;

  // The slope at support point i, as computed and repaired.
  double GetSlope(int i) const { return m_m[static_cast<size_t>(i)]; }

 private:
  void ComputeSlopes();
  void RepairMonotonicity();

  int m_nLastInterval = 0;
  int m_nAnz = 0;  // support points held in the arrays
  std::array<double, kMaxPoints> m_x{};
  std::array<double, kMaxPoints> m_y{};
  std::array<double, kMaxPoints> m_m{};
  bool m_bFirstSlopePending = false;
  bool m_bLastSlopePending = false;
};
