#pragma once
// Monotone curves through support points: a chart gives the points in its
// drawing coordinates, the curve sorts them, lifts every falling point to the
// level of the one before and builds the polyline the chart draws. No Qt here.
#include <vector>

#include "_common_/kurve/punktliste.h"

namespace kurve {

// Precondition checks stay active in the released program. A failed check is
// reported with its expression, file name and line; the operation then does
// nothing more (or gives its "not found" answer). The default handler writes
// to stderr; tests install their own.
using CheckHandler = void (*)(const char* expression, const char* file, int line);
// Installs a handler (nullptr: the default) and returns the previous one.
CheckHandler SetCheckHandler(CheckHandler handler);
void ReportFailedCheck(const char* expression, const char* file, int line);

// Two x within this distance count as the same x.
constexpr double kTolerance = 1e-5;

}  // namespace kurve

#define KURVE_CHECK(expr) \
  ((expr) ? true : (kurve::ReportFailedCheck(#expr, __FILE__, __LINE__), false))

class CKurve {
 public:
  virtual ~CKurve() = default;

  // SetResolution, then SetPoints.
  void Create(int resolution, const CPunktListe& points);
  virtual void SetResolution(int resolution) = 0;
  // Builds support points and polyline; afterwards the curve counts as set,
  // even when the points gave no polyline (fewer than two, or two x closer
  // than the tolerance).
  virtual void SetPoints(const CPunktListe& aStzPkte) = 0;
  // The curve's value at x.
  virtual double GetY(double x) = 0;

  const CPunktListe& GetCurvePoints() const;
  CPunktListe GetSupportPoints() const;
  CPunkt GetFirstPoint() const;
  CPunkt GetLastPoint() const;
  CPunkt GetLowestPoint() const;
  CPunkt GetHighestPoint() const;

  // y on the polyline at x, for x from the first to the last support x, both
  // ends included (a grading curve's smallest sieve is a value, not a miss).
  // False, y untouched, outside that range or without a polyline.
  bool GetYAtX(double x, double& y) const;
  // x on the polyline at y, for y from the lowest to the highest polyline y,
  // both included; on a flat stretch exactly at y the leftmost x. False, x
  // untouched, outside that range or without a polyline.
  bool GetXAtY(double y, double& x) const;

  // Crossings of this curve with another over their shared x range; false
  // when they share none.
  bool Intersections(const CKurve* pKurve, CPunktListe& schnittpunkte) const;

  bool IsCreated() const { return m_bCreated; }
  bool IsSet() const { return m_bSet; }
  int GetResolution() const { return m_nResolution; }

 protected:
  // The common course of SetPoints up to the polyline: clears the curve,
  // copies the points sorted by x with y made non-decreasing. False (no
  // polyline) with fewer than two points or two x closer than the tolerance.
  bool PrepareSupportPoints(const CPunktListe& aStzPkte);
  // The x of the points the polyline adds between support points b and b+1:
  // resolution times (n - 1) points shared among the segments by length,
  // never closer than the tolerance. None with resolution 0.
  std::vector<double> IntermediateX(int b) const;
  // Fills the polyline from the support points and the curve's own GetY at
  // the intermediate x, and takes its bounds.
  void BuildPolyline();
  void ClearCurve();

  int m_nResolution = 0;
  CPunktListe m_StzPkte;
  CPunktListe m_Polyline;
  CPunkt m_FirstPoint;
  CPunkt m_LastPoint;
  CPunkt m_LowestPoint;
  CPunkt m_HighestPoint;
  mutable bool m_bTouch = false;
  bool m_bCreated = false;
  bool m_bSet = false;

 private:
  void UpdateBounds();
};
