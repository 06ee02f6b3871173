#pragma once
// The logarithmic grading diagram: sieve size on a logarithmic x axis,
// passing 0 to 100 % on a linear y axis, a grid of every whole step of each
// decade, x-axis labels, both axis titles, limit triangles of the material's
// sieve requirements with a legend of their groups, and on request the band
// of soil-fraction names above the chart.
//
//   CLogDia dia;
//   dia.CreateStandardAxis(par);                // or Create and SetXAchsenWert
//   dia.SetDreieckeFromAnforderung(requirements);
//   dia.zeichnen(dc);
//   dia.DrawSollkurven(dc, targetCurves, 0, 0);  // page coordinates from here
//   dc.LineTo(dia.GetXPos(2.0, true), dia.GetYPos(45.0, true));
#include <string>
#include <vector>

#include "charts/diagram.h"

class CMaterialAnforderung;
class CPunktListe;

struct LogDiaTriangle {
  double x = 0.0;     // sieve size in mm
  double y = 0.0;     // passing in percent
  int direction = 0;  // 1: lower limit of the passing (base below the tip), 0: upper limit
  int size = 0;
  int style = 0;  // kept, has no effect
  int open = 0;   // nonzero: drawn as an outline
  int group = 0;  // 0 base triangles, 1 .. 6 the named groups drawn as joined circles
};

class CLogDia : public DiagramBase<CLogDiaParameter> {
 public:
  static constexpr int kMaxTriangles = 100;

  CLogDia() : DiagramBase("CLogDia") {}

  // Starts a new diagram from the parameters: labels, marks and group names
  // are cleared. A diagram without parameters has no x axis (it can still
  // hold marks). Always true.
  bool Create(const CLogDiaParameter& par = CLogDiaParameter());
  // Create, then the standard labels 0.02 .. 60 mm and, as the x maximum
  // reaches them, 100, 200 and 600 mm.
  bool CreateStandardAxis(const CLogDiaParameter& par);

  // Appends one limit mark (open 0, group 0 in the short form); at most
  // kMaxTriangles are kept. Outside Create .. zeichnen it warns and stores
  // nothing. Gives the number of stored marks.
  int SetDreieck(double x, double y, int direction, int size, int style);
  int SetDreieck(double x, double y, int direction, int size, int style, int open, int group);
  // The marks of one requirement code at one sieve size (size 200, style 0).
  void AddRequirementTriangles(double sieveSize, const std::string& code);
  // The marks of the sieve requirements of the material definition, and the
  // names of the triangle groups (each named group makes the chart 50 lower).
  void SetDreieckeFromAnforderung(CMaterialAnforderung& requirements);

  int GetTriangleCount() const { return static_cast<int>(m_Triangles.size()); }
  const LogDiaTriangle& GetTriangle(int i) const { return m_Triangles.at(static_cast<size_t>(i)); }
  const std::string& GetGroupNames() const { return m_GroupNames; }
  double GetScale() const { return m_dScale; }

  // Draws the chart; afterwards the diagram is no longer created and the
  // position functions work in page coordinates.
  void zeichnen(platform::DrawContext& dc);

  // Sizes above 0 on an axis whose minimum is above 0 and below its maximum.
  bool HasXPos(double value) const override;

  // The target curves of a record (format: "|"-separated triples of points
  // "{x;y;..}", spline flag "1", tag); the first two in pen entry 8, others
  // in entry 10. Gives the number of curves.
  int DrawSollkurven(platform::DrawContext& dc, const std::string& text, int dx, int dy);
  // Plant-typical points: circles joined by lines in pen entry 6, nothing
  // with fewer than two points; points left of the chart are left out.
  void DrawPunkte(platform::DrawContext& dc, const CPunktListe& points, int radius) const;

  // The x maximum of a grading chart for its largest sieve (100 .. 900 mm).
  static double GetAxisMaximum(double largestSieve);
  // The largest number of a ";" list up to its first empty field; 0 for none.
  static double GetLargestValue(const std::string& list);

 protected:
  int XPosDia(double value) const override;
  int YPosDia(double percent) const override;

 private:
  bool HasXAxis() const;
  void DrawGrid(platform::DrawContext& dc) const;
  void DrawSoilBand(platform::DrawContext& dc) const;
  void DrawGroupLegend(platform::DrawContext& dc) const;
  void DrawTriangles(platform::DrawContext& dc) const;

  std::vector<LogDiaTriangle> m_Triangles;
  double m_dScale = 0.0;
  std::string m_GroupNames;
};
