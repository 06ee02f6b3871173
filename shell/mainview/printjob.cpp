#include "shell/mainview/printjob.h"

#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <cmath>
#include <utility>

#include "i18n/translation.h"
#include "platform/drawcontext.h"
#include "platform/messagebox.h"
#include "records/versuch.h"
#include "reports/druckseite.h"
#include "services/settings.h"

namespace {

bool IsPdfDevice(const QPaintDevice* device) {
  if (const auto* printer = dynamic_cast<const QPrinter*>(device)) return printer->outputFormat() == QPrinter::PdfFormat;
  return dynamic_cast<const QPdfWriter*>(device) != nullptr;
}

// The page of the printer that PDF files stand for.
platform::DeviceInfo ReferencePrinter(bool portrait) {
  const double margin = platform::kLaserPrinterMarginDots * 25.4 / platform::kLaserPrinterDpi;
  const QPageLayout layout(QPageSize(QPageSize::A4), portrait ? QPageLayout::Portrait : QPageLayout::Landscape,
                           QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter);
  const QRect paint = layout.paintRectPixels(platform::kLaserPrinterDpi);
  const QRect full = layout.fullRectPixels(platform::kLaserPrinterDpi);
  platform::DeviceInfo info;
  info.dpi_x = info.dpi_y = platform::kLaserPrinterDpi;
  info.printable_width = paint.width();
  info.printable_height = paint.height();
  info.physical_width = full.width();
  info.physical_height = full.height();
  info.offset_x = paint.left() - full.left();
  info.offset_y = paint.top() - full.top();
  return info;
}

// The unprintable edge of the paper in 0.01 mm.
platform::Point OffsetUnits(const platform::DeviceInfo& d) {
  return {static_cast<int>(std::lround(d.offset_x * 2540.0 / d.dpi_x)),
          static_cast<int>(std::lround(d.offset_y * 2540.0 / d.dpi_y))};
}

void Warn(const std::string& text) {
  platform::ShowMessageBox(text, platform::MB_OK | platform::MB_ICONWARNING,
                           TranslateString(5151, "Druck/Seitenansicht"));
}

}  // namespace

platform::Rect ComputeJobPrintRect(CProgrammEinstellungen& settings, platform::DrawContext& dc) {
  platform::Rect rect;
  if (!IsPdfDevice(dc.painter().device())) {
    settings.ComputePrintRect(dc, rect);
    return rect;
  }
  const platform::DeviceInfo& own = dc.device();
  const platform::DeviceInfo reference = ReferencePrinter(own.physical_width <= own.physical_height);
  QImage scratch(1, 1, QImage::Format_RGB32);
  QPainter painter(&scratch);
  {
    platform::DrawContext referenceDc(painter, reference);
    settings.ComputePrintRect(referenceDc, rect);
  }
  // The same place on the paper, seen from this device's printable origin.
  const platform::Point from = OffsetUnits(reference), to = OffsetUnits(own);
  const int dx = from.x - to.x, dy = to.y - from.y;
  return platform::Rect{rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

CRecordPrintJob::CRecordPrintJob(std::vector<CVersuch*> records) : records_(std::move(records)) {}

CRecordPrintJob::~CRecordPrintJob() { FreePrintPages(); }

int CRecordPrintJob::BuildPrintPages() {
  FreePrintPages();
  for (CVersuch* record : records_)
    if (record) record->AddPrintPages(pages_);
  return static_cast<int>(pages_.size());
}

void CRecordPrintJob::FreePrintPages() {
  for (CDruckSeite* page : pages_) delete page;
  pages_.clear();
}

bool CRecordPrintJob::OnPreparePrinting(platform::PrintInfo& info) {
  const int count = BuildPrintPages();
  info.SetMaxPage(count);
  info.portrait = true;
  if (records_.empty()) {
    Warn(TranslateString(5150, "Es muss mindestens ein Eintrag ausgewählt sein!"));
    return false;
  }
  if (count == 0) {
    // Nothing to print: a blank job would only waste paper. Armourstone and
    // track ballast always have their pages.
    Warn(TranslateString(60102, "Die ausgewählten Einträge haben keine Berichtsseiten.") + "\n\n" +
         TranslateString(67426,
                         "Jede Berichtsseite braucht eine eingetragene Prüfung:\n"
                         "Seite A: die Sieblinie (diese Seite trägt auch die Ergebnisse der übrigen Prüfungen)\n"
                         "Seite B: die Petrographie\n"
                         "Seite C: die Bruchflächigkeit, die Zusammensetzung von Recyclingmaterial, das Sandäquivalent "
                         "oder die Körner länger als 100 mm\n"
                         "Seite D: die alkaliempfindlichen Bestandteile"));
    return false;
  }
  return true;
}

void CRecordPrintJob::OnBeginPrinting(platform::DrawContext& dc, platform::PrintInfo& info) {
  printRect_ = ComputeJobPrintRect(ReportSettings(), dc);
  BuildPrintPages();
  info.SetMaxPage(info.GetToPage());
}

void CRecordPrintJob::OnPrint(platform::DrawContext& dc, platform::PrintInfo& info) {
  const int index = info.current_page - 1;
  // A page outside the list (records changed since the preparation) stays blank.
  if (index < 0 || index >= static_cast<int>(pages_.size())) return;
  pages_[static_cast<size_t>(index)]->Print(dc, printRect_.left, printRect_.top, printRect_.right,
                                            printRect_.bottom);
}

void CRecordPrintJob::OnEndPrinting(platform::DrawContext& dc, platform::PrintInfo& info) { FreePrintPages(); }
