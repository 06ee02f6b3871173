#pragma once
// The chart static of the armourstone graph pages (control 1027): whenever
// it repaints it frames its client area, and an armourstone chart of the
// data page's result text is drawn 1000 units (0.01 mm) inside it, in
// 0.01 mm with y up as on a printed page.
#include <QWidget>
#include <functional>
#include <string>

#include "charts/diagrammbasis.h"
#include "services/cpvdialog.h"

class CWBSChartStatic : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kControlId = 1027;
  using Painter = std::function<void(platform::DrawContext& dc, const platform::Rect& chart)>;

  explicit CWBSChartStatic(QWidget* parent = nullptr);
  void SetPainter(Painter painter) { painter_ = std::move(painter); }
  // Draws the static onto any device context (also the screen's).
  void Draw(platform::DrawContext& dc, int width, int height) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Painter painter_;
};

// A graph page: the chart static filling the page. The data page's result
// text is read whenever the chart repaints.
class CWBSGraphPage : public CpvPropertyPage {
  Q_OBJECT

 public:
  enum class Chart { kSize, kMass };
  CWBSGraphPage(int templateId, Chart chart, const std::string* resultText, QWidget* parent = nullptr);
  ~CWBSGraphPage() override;

  CWBSChartStatic* ChartStatic() const { return static_; }

 protected:
  bool OnSetActive() override;

 private:
  CDiagrammBasis m_Diagramm;
  CWBSChartStatic* static_;
};
