#include "platform/printdriver.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QGuiApplication>
#include <algorithm>

#include "platform/drawcontext.h"
#include "platform/uiseam.h"

namespace platform {
namespace {

void ApplyOrientation(QPrinter& printer, const PrintInfo& info) {
  printer.setPageOrientation(info.portrait ? QPageLayout::Portrait : QPageLayout::Landscape);
}

// One pass: begin, the pages of the range, end.
PrintResult RunPass(PrintableView& view, PrintInfo info, QPrinter& printer) {
  QPainter painter;
  if (!painter.begin(&printer)) return PrintResult::kFailed;
  {
    DrawContext dc(painter, DeviceInfo::Of(printer));
    view.OnBeginPrinting(dc, info);
    const int low = info.min_page;
    const int high = std::max(info.min_page, info.max_page);
    const int first = std::clamp(info.from_page, low, high);
    const int last = std::clamp(info.to_page, low, high);
    bool first_page = true;
    for (int page = first; page <= last; ++page) {
      info.current_page = page;
      // Without a known page count only the first page is printed.
      if (info.max_page == kUnknownPageCount && page > 1) break;
      if (!first_page) printer.newPage();
      first_page = false;
      info.continue_printing = true;
      view.OnPrint(dc, info);
      if (!info.continue_printing) break;
    }
    view.OnEndPrinting(dc, info);
  }
  painter.end();
  return PrintResult::kPrinted;
}

// The printer chosen in the printer set-up; empty: the system's default.
QString& ChosenPrinter() {
  static QString name;
  return name;
}

void UseChosenPrinter(QPrinter& printer) {
  if (!ChosenPrinter().isEmpty()) printer.setPrinterName(ChosenPrinter());
}

void WholeRange(PrintInfo& info) {
  info.from_page = info.min_page;
  info.to_page = info.max_page;
}

}  // namespace

void SetUpLaserPrinterPage(QPrinter& printer) {
  printer.setResolution(kLaserPrinterDpi);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setFullPage(false);
  const double margin_mm = kLaserPrinterMarginDots * 25.4 / kLaserPrinterDpi;
  printer.setPageMargins(QMarginsF(margin_mm, margin_mm, margin_mm, margin_mm), QPageLayout::Millimeter);
}

PrintResult PrintWithDialog(PrintableView& view) {
  PrintInfo info;
  if (!view.OnPreparePrinting(info)) return PrintResult::kCancelled;
  QPrinter printer(QPrinter::HighResolution);
  UseChosenPrinter(printer);
  if (printer.outputFormat() == QPrinter::PdfFormat) SetUpLaserPrinterPage(printer);
  ApplyOrientation(printer, info);
  const int max_page = info.max_page == kUnknownPageCount ? info.min_page : info.max_page;
  if (!CurrentUi().ShowPrintDialog({&printer, info.min_page, std::max(info.min_page, max_page)}))
    return PrintResult::kCancelled;
  if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
    info.from_page = printer.fromPage();
    info.to_page = std::max(printer.fromPage(), printer.toPage());
  } else {
    WholeRange(info);
  }
  return RunPass(view, info, printer);
}

PrintResult PrintDirect(PrintableView& view) {
  PrintInfo info;
  info.direct = true;
  if (!view.OnPreparePrinting(info)) return PrintResult::kCancelled;
  QPrinter printer(QPrinter::HighResolution);
  UseChosenPrinter(printer);
  if (printer.outputFormat() == QPrinter::PdfFormat) return PrintResult::kFailed;  // no printer
  ApplyOrientation(printer, info);
  WholeRange(info);
  return RunPass(view, info, printer);
}

PrintResult PrintPreview(PrintableView& view) {
  PrintInfo info;
  info.preview = true;
  if (!view.OnPreparePrinting(info)) return PrintResult::kCancelled;
  WholeRange(info);
  QPrinter printer(QPrinter::HighResolution);
  UseChosenPrinter(printer);
  if (printer.outputFormat() == QPrinter::PdfFormat) SetUpLaserPrinterPage(printer);
  ApplyOrientation(printer, info);
  QPrintPreviewDialog preview(&printer, DialogOwner());
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                   [&view, info](QPrinter* target) { RunPass(view, info, *target); });
  SizePreviewWindow(preview, DialogOwner());
  CurrentUi().ShowPrintPreview(preview);
  return PrintResult::kPrinted;
}

PrintResult PrintToPdf(PrintableView& view, const std::filesystem::path& file) {
  PrintInfo info;
  if (!view.OnPreparePrinting(info)) return PrintResult::kCancelled;
  WholeRange(info);
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(file.string()));
  SetUpLaserPrinterPage(printer);
  ApplyOrientation(printer, info);
  return RunPass(view, info, printer);
}

bool PrinterSetup(const std::string& title, const std::string& acceptText) {
  QPrinter printer(QPrinter::HighResolution);
  UseChosenPrinter(printer);
  if (!CurrentUi().ShowPrintDialog({&printer, 1, 1, true, acceptText, title})) return false;
  if (printer.outputFormat() == QPrinter::NativeFormat) ChosenPrinter() = printer.printerName();
  return true;
}

void SizePreviewWindow(QPrintPreviewDialog& preview, const QWidget* owner) {
  QSize size;
  if (owner) size = owner->window()->size();
  if (size.width() < 640 || size.height() < 480) {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
      size = size.expandedTo(screen->availableGeometry().size() * 0.8);
  }
  if (size.isValid()) preview.resize(size);
  if (auto* widget = preview.findChild<QPrintPreviewWidget*>()) widget->fitToWidth();
}

int RepaintPreview(QPrintPreviewDialog& preview) {
  auto* widget = preview.findChild<QPrintPreviewWidget*>();
  if (!widget) return 0;
  widget->updatePreview();
  return widget->pageCount();
}

}  // namespace platform
