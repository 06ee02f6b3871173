// Page X: the track-ballast report page.
#include "reports/druckseite.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <utility>

#include "charts/chartpens.h"
#include "charts/dczustand.h"
#include "i18n/translation.h"
#include "records/requirement.h"
#include "records/strutil.h"
#include "records/versuch.h"
#include "reports/dib.h"
#include "reports/drucktabelle.h"
#include "reports/page_common.h"
#include "shell/app/pravikapp.h"
#include "shell/app/settings.h"
#include "shell/app/sysfuncs.h"
#include "shell/app/versioninfo.h"

using platform::DrawContext;
using platform::Font;
using platform::Pen;
using platform::Rect;
using platform::RGB;
using namespace report_detail;

void CDruckSeite::PrintPageX(DrawContext& dc) {
  if (!m_pVersuch->GetValue(3, 1).empty()) {
    m_Diagramm.LoadFromVersuch(*m_pVersuch);
    m_Diagramm.SetChartPens(ChartPens::FromLayoutTable(ReportSettings().LayoutTable));
    DrawSieveTables(dc);
    m_Diagramm.DrawGleisschotterSieblinie(dc, m_Layout[ChartBox]);
    DrawSieveLoss(dc, 0);
  }
  // The track-ballast header, summary, statement, frames and signature join later.
  DrawRemarks(dc);
}
