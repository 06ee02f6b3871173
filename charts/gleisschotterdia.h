#pragma once
// The grading diagram of track ballast: an x axis that gives the fixed sieve
// sizes 0.063, 0.5, 22.4, 31.5, 40, 50, 63, 80 and 90 mm equal room, passing
// 0 to 100 % on a linear y axis, a grid, axis labels and titles, and the
// required percentages of the ballast grading written inside the chart in one
// of three variants (DBS ballast, DIN EN ballast, neither). Used like CLogDia:
// Create, SetXAchsenWert, zeichnen, then curves in page coordinates.
#include <string>
#include <vector>

#include "charts/achse.h"
#include "charts/diagram.h"

class CGleisschotterDia : public DiagramBase<CGleisschotterDiaParameter> {
 public:
  static constexpr int kMaxTriangles = 100;

  CGleisschotterDia() : DiagramBase("CGleisschotterDia") {}
  virtual ~CGleisschotterDia() = default;

  // Copies the parameters, clears labels and marks, sets up both axes.
  // Always true.
  bool Create(const CGleisschotterDiaParameter& par);
  // The variant of the limit labels; with both set the DBS variant is drawn.
  void SetBallastFlags(int dbsBallast, int dinEnBallast) {
    m_nDbsBallast = dbsBallast;
    m_nDinEnBallast = dinEnBallast;
  }

  // Stores a mark (at most kMaxTriangles; outside Create .. zeichnen a warning
  // and nothing stored). Nothing draws them. Gives the number stored.
  int SetDreieck(double x, double y, int a, int b, int c);
  int GetTriangleCount() const { return static_cast<int>(m_Triangles.size()); }

  void zeichnen(platform::DrawContext& dc);

  // Every size above 0 has a place: up to 0.063 mm at the left edge, from
  // 90 mm on at the right edge.
  bool HasXPos(double value) const override;

  // Target curves as CLogDia::DrawSollkurven, the first two in pen entry 9.
  int DrawKurven(platform::DrawContext& dc, const std::string& text, int dx, int dy);

 protected:
  int XPosDia(double value) const override;
  int YPosDia(double percent) const override;

 private:
  struct Mark {
    double x = 0.0;
    double y = 0.0;
    int a = 0;
    int b = 0;
    int c = 0;
  };
  void DrawLimitLabels(platform::DrawContext& dc) const;

  int m_nDbsBallast = 0;
  int m_nDinEnBallast = 0;
  CAchse m_XAchse;
  CAchse m_YAchse;
  std::vector<Mark> m_Triangles;
};
