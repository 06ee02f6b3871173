// The print driver: the framework's print cycle to PDF, through the print
// dialog and in the preview.
#include <gtest/gtest.h>

#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QWidget>
#include <string>
#include <vector>

#include "pdf_words.h"
#include "platform/drawcontext.h"
#include "platform/printdriver.h"
#include "support/scripted_ui_gtest.h"
#include "support/temp_folder.h"

using namespace platform;

namespace {

// A view of a given number of pages; it records the calls of the cycle and
// prints "Seite n" at a fixed place of each page.
class RecordingView : public PrintableView {
 public:
  explicit RecordingView(int pages, bool prepare = true) : pages_(pages), prepare_(prepare) {}

  bool OnPreparePrinting(PrintInfo& info) override {
    calls.push_back("prepare");
    if (pages_ > 0) info.SetMaxPage(pages_);
    return prepare_;
  }
  void OnBeginPrinting(DrawContext& dc, PrintInfo& info) override {
    calls.push_back("begin");
    for (int cap : {HORZSIZE, VERTSIZE, PHYSICALOFFSETX, PHYSICALOFFSETY, LOGPIXELSX}) caps.push_back(dc.GetDeviceCaps(cap));
  }
  void OnPrint(DrawContext& dc, PrintInfo& info) override {
    calls.push_back("page " + std::to_string(info.current_page));
    dc.SelectFont(Font{.face = "Times New Roman", .height = 310, .escapement = 1});
    dc.SetTextAlign(TA_LEFT | TA_TOP);
    dc.TextOut(2000, -2000, "Seite " + std::to_string(info.current_page));
    dc.Rectangle(1000, -1000, 19000, -28000);
  }
  void OnEndPrinting(DrawContext& dc, PrintInfo& info) override { calls.push_back("end"); }

  std::vector<std::string> calls;
  std::vector<int> caps;

 private:
  int pages_;
  bool prepare_;
};

using Calls = std::vector<std::string>;

TEST(PrintDriver, TwoPagesToPdfOnA4WithLaserPrinterMargins) {
  TempFolder folder;
  const auto pdf = folder / "report.pdf";
  RecordingView view(2);
  TestUi ui;  // nothing may be shown
  ASSERT_EQ(PrintToPdf(view, pdf), PrintResult::kPrinted);
  EXPECT_EQ(view.calls, (Calls{"prepare", "begin", "page 1", "page 2", "end"}));
  // The figures of the emulated printer: 201 x 288 mm printable, 100 dots
  // (4.23 mm) of margin, 600 dots per inch.
  EXPECT_EQ(view.caps, (std::vector<int>{201, 288, 100, 100, 600}));

  const auto text = pdftest::ReadPdf(pdf);
  ASSERT_EQ(text.pages.size(), 2u);
  for (const auto& [w, h] : text.pages) {
    EXPECT_NEAR(w, 595, 1);
    EXPECT_NEAR(h, 842, 1);
  }
  // Drawn at (2000, -2000) from the printable area's corner: 423 further
  // from the paper's edges.
  for (int page : {1, 2}) {
    const auto* number = text.Find(std::to_string(page), page);
    const auto* word = text.Find("Seite", page);
    ASSERT_TRUE(number && word) << page;
    EXPECT_NEAR(word->left, 2423, 15);
    EXPECT_NEAR(word->top, -2423, 15);
  }
}

TEST(PrintDriver, PrintDialogChoosesTheRange) {
  TempFolder folder;
  const auto pdf = folder / "page2.pdf";
  RecordingView view(3);
  TestUi ui;
  ui.ExpectPrintDialog(true, pdf, 2, 2);
  ASSERT_EQ(PrintWithDialog(view), PrintResult::kPrinted);
  EXPECT_EQ(view.calls, (Calls{"prepare", "begin", "page 2", "end"}));
  const auto text = pdftest::ReadPdf(pdf);
  ASSERT_EQ(text.pages.size(), 1u);
  EXPECT_TRUE(text.Find("2", 1));
}

TEST(PrintDriver, NothingPrintsWhenCancelledOrDeclined) {
  {
    RecordingView view(2);
    TestUi ui;
    ui.ExpectPrintDialog(false);
    EXPECT_EQ(PrintWithDialog(view), PrintResult::kCancelled);
    EXPECT_EQ(view.calls, (Calls{"prepare"}));
  }
  {
    RecordingView view(2, /*prepare=*/false);
    TestUi ui;  // the view declines before any dialog
    EXPECT_EQ(PrintWithDialog(view), PrintResult::kCancelled);
    EXPECT_EQ(PrintPreview(view), PrintResult::kCancelled);
    EXPECT_EQ(view.calls, (Calls{"prepare", "prepare"}));
  }
}

TEST(PrintDriver, UnknownPageCountPrintsTheFirstPageOnly) {
  TempFolder folder;
  RecordingView view(0);
  ASSERT_EQ(PrintToPdf(view, folder / "one.pdf"), PrintResult::kPrinted);
  EXPECT_EQ(view.calls, (Calls{"prepare", "begin", "page 1", "end"}));
}

TEST(PrintDriver, PdfThatCannotBeWrittenFails) {
  TempFolder folder;
  RecordingView view(1);
  EXPECT_EQ(PrintToPdf(view, folder / "missing" / "x.pdf"), PrintResult::kFailed);
  EXPECT_EQ(view.calls, (Calls{"prepare"}));
}

TEST(PrintDriver, PreviewBuildsOffscreenAndRepaintsWholePasses) {
  RecordingView view(2);
  int first = 0, second = 0;
  TestUi ui;
  ui.ExpectPrintPreview([&](QPrintPreviewDialog& preview) {
    first = RepaintPreview(preview);
    second = RepaintPreview(preview);
  });
  ASSERT_EQ(PrintPreview(view), PrintResult::kPrinted);
  EXPECT_EQ(first, 2);
  EXPECT_EQ(second, 2);
  EXPECT_EQ(view.calls, (Calls{"prepare", "begin", "page 1", "page 2", "end", "begin", "page 1", "page 2", "end"}));
  // Without a printer the preview shows the emulated one's page, as the PDF.
  EXPECT_EQ(view.caps, (std::vector<int>{201, 288, 100, 100, 600, 201, 288, 100, 100, 600}));
}

// The preview opens as large as the main window, the page fitted to its
// width, not at the dialog's small default size.
TEST(PrintDriver, PreviewOpensAtTheWindowsSizeWithThePageWidthFitted) {
  QWidget owner;
  owner.resize(1300, 900);
  QPrinter printer;
  QPrintPreviewDialog preview(&printer);
  SizePreviewWindow(preview, &owner);
  EXPECT_EQ(preview.size(), QSize(1300, 900));
  auto* widget = preview.findChild<QPrintPreviewWidget*>();
  ASSERT_TRUE(widget);
  EXPECT_EQ(widget->zoomMode(), QPrintPreviewWidget::FitToWidth);

  RecordingView view(1);
  TestUi ui;
  QSize shown;
  ui.ExpectPrintPreview([&](QPrintPreviewDialog& p) { shown = p.size(); });
  ASSERT_EQ(PrintPreview(view), PrintResult::kPrinted);
  EXPECT_GE(shown.width(), 640);  // without a window: most of the screen
  EXPECT_GE(shown.height(), 480);
}

}  // namespace
