#pragma once
// What the logarithmic and the track-ballast grading diagram share: the
// parameters copied by Create, the x-axis labels, the window origin while
// drawing, the axis texts and the grid lines of the percent axis, the target
// curves, and drawing primitives in diagram or page coordinates. Units are
// 0.01 mm with y up; in diagram coordinates the top-left corner of the
// drawing area is (0, 0), 100 % lies at y 0 and 0 % at -height.
//
// Life of a diagram: Create (derived class), SetXAchsenWert and the marks of
// the derived class, zeichnen (draws the frame of the chart and remembers the
// window origin), then curves and points in page coordinates through
// GetXPos/GetYPos(..., true) or the primitives taking values.
#include <string>
#include <vector>

#include "_common_/kurve/polygonmonoton.h"
#include "_common_/kurve/splinemonoton.h"
#include "charts/chartpens.h"
#include "charts/diaparameter.h"
#include "platform/drawcontext.h"

// One x-axis label.
struct DiaXLabel {
  double value = 0.0;  // mm
  std::string text;
  std::string face;
  int height = 0;
  int mode = 0;  // DiagramLabelMode
  int tickLength = 0;
  int horizontal = 1;  // 0: the text runs down the page
  int last = 0;        // kept, has no effect
};

enum DiagramLabelMode : int { kLabelTopAndBottom = 0, kLabelTop = 1, kLabelBottom = 2 };

template <class Param>
class DiagramBase {
 public:
  static constexpr int kMaxLabels = 100;

  virtual ~DiagramBase() = default;

  // Pens and brushes of the layout table; defaults until set.
  void SetChartPens(const ChartPens& pens) { m_Pens = pens; }
  const ChartPens& GetChartPens() const { return m_Pens; }

  // Between Create and the end of zeichnen.
  bool IsCreated() const { return m_bCreated; }
  const Param& GetParameter() const { return m_Par; }

  // Appends an x-axis label. With kMaxLabels stored nothing happens; outside
  // Create .. zeichnen a warning box is shown and nothing is stored.
  void SetXAchsenWert(double value, const std::string& text, const std::string& face, int height,
                      int tickLength, int mode, int horizontal, int last);
  int GetLabelCount() const { return static_cast<int>(m_Labels.size()); }
  const DiaXLabel& GetLabel(int i) const { return m_Labels.at(static_cast<size_t>(i)); }

  // Whether a value (mm) has a place on the x axis.
  virtual bool HasXPos(double value) const = 0;
  // Positions in diagram coordinates, or with page set in the coordinates of
  // the page (the window origin before zeichnen). A value without a place
  // gives a position far left of the chart.
  int GetXPos(double value, bool page = false) const;
  int GetYPos(double percent, bool page = false) const;
  // The window origin zeichnen drew with; (0, 0) before the first zeichnen.
  platform::Point GetDrawOrigin() const { return m_DrawOrigin; }

  // Primitives on values (mm, percent) in page coordinates.
  void MoveToValue(platform::DrawContext& dc, double x, double percent) const;
  void LineToValue(platform::DrawContext& dc, double x, double percent) const;
  void CircleAtValue(platform::DrawContext& dc, double x, double percent, int radius) const;

  // A font by the diagram font rule: natural width, weight 400, escapement
  // the diagram's angle plus a tenth of a degree (plus 2700 reading down).
  platform::Font CreateDiaFont(const std::string& face, int height, bool down = false) const;
  // The font of the x-axis title, for legends.
  platform::Font CreateLabelFont() const { return CreateDiaFont(m_Par.xTitleFace, m_Par.xTitleHeight); }

  // Draws a polyline as segments (coordinates truncated); a segment whose
  // first point lies left of minStartX is left out.
  void DrawSegments(platform::DrawContext& dc, const CPunktListe& points, int minStartX = -2147483647) const;

 protected:
  explicit DiagramBase(const char* className) : m_ClassName(className) {}

  // Create's common part: copies the parameters, clears the labels.
  void StartCreate(const Param& par);
  // The warning for a call outside Create .. zeichnen.
  void WarnNotCreated(const char* function) const;

  // Positions in diagram coordinates.
  virtual int XPosDia(double value) const = 0;
  virtual int YPosDia(double percent) const = 0;

  // zeichnen's frame: transparent background and the window origin moved to
  // the diagram's origin; EndDrawing puts both back and ends the created state.
  struct DrawingState {
    platform::Point windowOrigin;
    int bkMode = 0;
  };
  DrawingState BeginDrawing(platform::DrawContext& dc);
  void EndDrawing(platform::DrawContext& dc, const DrawingState& state);

  // Eleven lines at every 10 % in the grid pen.
  void DrawPercentGrid(platform::DrawContext& dc) const;
  // A vertical grid line at x in the grid pen.
  void DrawVerticalGridLine(platform::DrawContext& dc, int x) const;
  void DrawYAxisLabels(platform::DrawContext& dc) const;
  void DrawXAxisLabels(platform::DrawContext& dc) const;
  void DrawXTitle(platform::DrawContext& dc) const;
  void DrawYTitle(platform::DrawContext& dc) const;

  // Target curves of a "|" text of triples (points "{x;y;..}", spline flag
  // "1", tag); the first two in the pen of firstTwoPenEntry, the others in
  // pen entry 10. Gives the number of curves.
  int DrawCurves(platform::DrawContext& dc, const std::string& text, int dx, int dy, int firstTwoPenEntry);

  // Primitives in diagram coordinates; points are turned by the diagram's angle.
  platform::Point Turn(int x, int y) const;
  void DMoveTo(platform::DrawContext& dc, int x, int y) const;
  void DLineTo(platform::DrawContext& dc, int x, int y) const;
  void DLine(platform::DrawContext& dc, int x1, int y1, int x2, int y2) const;
  void DCircle(platform::DrawContext& dc, int x, int y, int radius) const;
  void DPolygon(platform::DrawContext& dc, std::vector<platform::Point> points) const;
  void DTextOut(platform::DrawContext& dc, int x, int y, const std::string& text) const;
  // A pen or brush of the layout table (black when the entry does not exist).
  platform::Pen LayoutPen(int entry, int scale) const;
  platform::Brush LayoutBrush(int entry) const;

  Param m_Par;
  bool m_bCreated = false;
  platform::Point m_DrawOrigin;
  std::vector<DiaXLabel> m_Labels;
  CPolygonMonoton m_Polygon;
  CSplineMonoton m_Spline;
  ChartPens m_Pens;

 private:
  const char* m_ClassName;
};

// Message of a diagram call outside Create .. zeichnen.
std::string DiagramWarningText(const char* className, const char* function);
