#pragma once
// A monotone curve of straight segments: its polyline is its support points.
#include "_common_/kurve/kurve.h"

class CPolygonMonoton : public CKurve {
 public:
  // Always 0: a polygon is never densified.
  void SetResolution(int resolution) override;
  void SetPoints(const CPunktListe& aStzPkte) override;
  // The polyline's value; left of the first support x the first y, right of
  // the last support x the last y, 0 without a polyline.
  double GetY(double x) override;
};
