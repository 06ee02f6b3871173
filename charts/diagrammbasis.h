#pragma once
// The chart data of one record (sieve sizes, passing values, target curves,
// plant-typical points, the track-ballast flags) with the diagrams and curves
// that draw its grading charts. First part of every report page.
//
//   CDiagrammBasis chart;
//   chart.SetChartPens(settingsPens);   // the layout table of the settings
//   chart.LoadFromVersuch(record);
//   chart.DrawSieblinie(dc, chartBox, smooth, requirements);     // page A
//   chart.DrawGleisschotterSieblinie(dc, chartBox);              // page X
//
// Rectangles are page coordinates in 0.01 mm with y up (top > bottom). Both
// painters leave the drawing context's pen, brush, font, colours, alignment
// and background mode as they found them.
#include <string>
#include <vector>

#include "_common_/kurve/polygonmonoton.h"
#include "_common_/kurve/punktliste.h"
#include "_common_/kurve/splinemonoton.h"
#include "charts/chartpens.h"
#include "charts/gleisschotterdia.h"
#include "charts/logdia.h"
#include "platform/drawcontext.h"

class CMaterialAnforderung;
class CVersuch;

// The least width of the armourstone mass chart's limit lines (0.3 mm), so
// that they stand out from the grid and the frame with the thinnest pens.
inline constexpr int kWBSLimitMinWidth = 30;

class CDiagrammBasis {
 public:
  // One measured point of the sieve analysis as a chart takes it.
  struct Messpunkt {
    double size = 0.0;     // mm
    double passing = 0.0;  // percent
  };

  // Fills the holder from the record: sieve sizes of field 6 sorted
  // descending, the target curves (for grading mixtures their standard
  // curves, both pairs), the passing values of field 3 part 1, the
  // plant-typical points of the material definition, the track-ballast flags.
  void LoadFromVersuch(const CVersuch& record);

  // The pens of the settings' layout table for every chart of this holder.
  void SetChartPens(const ChartPens& pens);

  // The fixed layout of every report and screen chart in a rectangle.
  static void SetDiaParameter(CDiaParameter& par, int left, int top, int right, int bottom);

  // The grading chart of report page A: logarithmic axis 0.02 mm up to the
  // axis maximum of the largest sieve, requirement triangles of the material
  // definition and of the requirement rows, plant-typical points, the
  // measured curve (smooth when asked for) with its point marks, the extra
  // points (red squares) when given, the target curves and, from three
  // target curves on, their legend.
  void DrawSieblinie(platform::DrawContext& dc, const platform::Rect& rect, bool smooth,
                     CMaterialAnforderung& requirements, const CPunktListe* extraPoints = nullptr);
  // The grading chart of report page X (track ballast).
  void DrawGleisschotterSieblinie(platform::DrawContext& dc, const platform::Rect& rect);

  // The armourstone charts of a record's field 26 (report pages E and F and
  // the graph pages of the armourstone sheets), in the rectangle with its
  // left and bottom moved in by 1000 for the axis texts. print: the titles
  // are texts of a printed report.
  // The size distribution: passing over the sieve opening, 1 to 400 mm, with
  // the category's ranges as marks; a sieve without a measured value is left
  // out, and the curve rises to 100 % at the first such sieve above it.
  void DrawWBSSieblinie(platform::DrawContext& dc, const platform::Rect& rect, const std::string& resultText,
                        bool print = true);
  // The mass distribution: the cumulative share by mass over the stone mass
  // up to 1.4 times the largest limit mass, with the category's upper and
  // lower limit lines. What has no place on the axis is left out; without
  // limit masses only the frame, the grid and the titles are drawn.
  void DrawWBSMassenverteilung(platform::DrawContext& dc, const platform::Rect& rect, const std::string& resultText,
                               bool print = true);

  // The measured points a chart draws, largest sieve first. Left out: sizes
  // of 0 or below and empty passing texts (no value was measured); on page A
  // passing values above 100; on page X every 100.0 % point that another
  // 100.0 % point follows.
  std::vector<Messpunkt> GetMesspunkte(bool ballastChart) const;

  const std::string& GetSieveList() const { return m_SiebListe; }
  const std::string& GetPassingList() const { return m_Durchgang; }
  const std::string& GetTargetCurves() const { return m_Sollkurven; }
  const CPunktListe& GetPlantPoints() const { return m_WerksPunkte; }
  bool IsDbsBallast() const { return m_bDbsBallast; }
  bool IsDinEnBallast() const { return m_bDinEnBallast; }
  bool IsGleisschotterMaterial() const { return m_bGleisschotter; }
  // The diagrams of the last chart drawn (their positions are in page
  // coordinates after drawing).
  CLogDia& GetLogDia() { return m_LogDia; }
  CGleisschotterDia& GetGleisschotterDia() { return m_GleisDia; }

 private:
  std::string m_SiebListe;
  std::string m_Sollkurven;
  bool m_bDbsBallast = false;
  bool m_bDinEnBallast = false;
  std::string m_Durchgang;
  CPunktListe m_WerksPunkte;
  CSplineMonoton m_Spline;
  CPolygonMonoton m_Polygon;
  CLogDia m_LogDia;
  CGleisschotterDia m_GleisDia;
  bool m_bGleisschotter = false;
  ChartPens m_Pens;
};
