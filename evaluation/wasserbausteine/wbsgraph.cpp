#include "evaluation/wasserbausteine/wbsgraph.h"

#include <QPainter>
#include <QVBoxLayout>

#include "charts/chartpens.h"
#include "services/pravikapp.h"
#include "services/settings.h"

CWBSChartStatic::CWBSChartStatic(QWidget* parent) : QWidget(parent) {
  platform::SetControlId(this, kControlId);
  setMinimumSize(480, 320);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CWBSChartStatic::Draw(platform::DrawContext& dc, int width, int height) const {
  // The client area in 0.01 mm, y up from its top-left corner.
  const int right = static_cast<int>(dc.DeviceToLogicalX(width));
  const int bottom = -static_cast<int>(dc.DeviceToLogicalY(height));
  dc.SelectPen(platform::Pen{platform::PS_SOLID, 0, platform::RGB(0, 0, 0)});
  dc.SelectBrush(platform::Brush::Solid(platform::RGB(255, 255, 255)));
  dc.Rectangle(0, 0, right, bottom);
  if (painter_) painter_(dc, platform::Rect{1000, -1000, right - 1000, bottom + 1000});
}

void CWBSChartStatic::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  platform::DrawContext dc(painter);
  Draw(dc, width(), height());
}

CWBSGraphPage::CWBSGraphPage(int templateId, Chart chart, const std::string* resultText, QWidget* parent)
    : CpvPropertyPage(templateId, parent), static_(new CWBSChartStatic(this)) {
  setWindowTitle("Grafik");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(static_);
  static_->SetPainter([this, chart, resultText](platform::DrawContext& dc, const platform::Rect& rect) {
    if (CPravikWinApp* app = GetApp()) m_Diagramm.SetChartPens(ChartPens::FromLayoutTable(app->m_Settings.LayoutTable));
    const std::string& text = *resultText;
    if (chart == Chart::kSize) m_Diagramm.DrawWBSSieblinie(dc, rect, text, false);
    else m_Diagramm.DrawWBSMassenverteilung(dc, rect, text, false);
  });
}

CWBSGraphPage::~CWBSGraphPage() = default;

bool CWBSGraphPage::OnSetActive() {
  static_->update();
  return true;
}
