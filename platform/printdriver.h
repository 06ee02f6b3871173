#pragma once
// The print cycle of the framework for any view that implements
// PrintableView, to three targets through the same painters:
//
//   PrintWithDialog(view)   the print dialog (through the UI seam), then the
//                           chosen printer and page range
//   PrintDirect(view)       the default printer, all pages, no dialog
//   PrintPreview(view)      QPrintPreviewDialog (through the UI seam); it
//                           repaints whenever it wants: each repaint is a
//                           whole pass of begin, pages, end
//   PrintToPdf(view, file)  a PDF file: A4 with the margins of a common
//                           600 dpi laser printer (kLaserPrinter*), so the
//                           device reports the figures a printer would
//
// The cycle: OnPreparePrinting (set the page count with SetMaxPage, the
// orientation; false ends the job before anything is shown), then per pass
// OnBeginPrinting (the DrawContext already knows the printer metrics:
// GetDeviceCaps HORZSIZE, PHYSICALOFFSETX, ...), OnPrint once per page with
// info.current_page counted from 1, OnEndPrinting. The DrawContext is in
// MM_HIMETRIC (0.01 mm, y up) with the origin at the top-left corner of the
// printable area; it lives for the pass, so its state carries over pages.
// A view may clear info.continue_printing in OnPrint to stop after the page.
// With the page count left unknown only page 1 is printed.
#include <filesystem>
#include <string>

class QPrinter;
class QPrintPreviewDialog;
class QWidget;

namespace platform {

class DrawContext;

inline constexpr int kUnknownPageCount = 0xFFFF;

struct PrintInfo {
  int min_page = 1;
  int max_page = kUnknownPageCount;
  int from_page = 1;                  // the range to print (print dialog)
  int to_page = kUnknownPageCount;
  int current_page = 0;               // during OnPrint
  bool preview = false;
  bool direct = false;                // printing without the dialog
  bool portrait = true;
  bool continue_printing = true;

  void SetMaxPage(int n) { max_page = n; }
  int GetFromPage() const { return from_page; }
  int GetToPage() const { return to_page; }
};

class PrintableView {
 public:
  virtual ~PrintableView() = default;
  virtual bool OnPreparePrinting(PrintInfo& info) = 0;
  virtual void OnBeginPrinting(DrawContext& dc, PrintInfo& info) {}
  virtual void OnPrint(DrawContext& dc, PrintInfo& info) = 0;
  virtual void OnEndPrinting(DrawContext& dc, PrintInfo& info) {}
};

enum class PrintResult {
  kPrinted,    // the job ran (or the preview was shown)
  kCancelled,  // the view declined or the user cancelled
  kFailed,     // the printer or the file could not be opened
};

PrintResult PrintWithDialog(PrintableView& view);
PrintResult PrintDirect(PrintableView& view);
PrintResult PrintPreview(PrintableView& view);
PrintResult PrintToPdf(PrintableView& view, const std::filesystem::path& file);

// The printer set-up of the file menu: the print dialog (through the UI
// seam) chooses the printer that the print dialog, direct printing and the
// preview start from afterwards (the system's default until then); false
// when cancelled. Its caption is `title`, its button that accepts reads
// `acceptText`.
bool PrinterSetup(const std::string& title, const std::string& acceptText);

// The printer that PDF files (and the preview without a real printer) stand
// for: A4 at 600 dots per inch with 100 dots of unprintable margin on every
// side, so HORZSIZE 201, VERTSIZE 288, PHYSICALOFFSETX/Y 100.
inline constexpr int kLaserPrinterDpi = 600;
inline constexpr int kLaserPrinterMarginDots = 100;
void SetUpLaserPrinterPage(QPrinter& printer);

// The preview opens as large as the window it belongs to (without one, most
// of the screen), with the page fitted to its width.
void SizePreviewWindow(QPrintPreviewDialog& preview, const QWidget* owner);

// Makes the preview paint its pages now (as it does when shown); gives the
// number of pages. For scripted tests of the preview.
int RepaintPreview(QPrintPreviewDialog& preview);

}  // namespace platform
