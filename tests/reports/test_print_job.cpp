// The print job of the main view: pages of the selected records, the
// messages instead of an empty job, the print dialog (also printing to a
// file), the preview, and the printed area of a page.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include "platform/drawcontext.h"
#include "platform/pdf_words.h"
#include "platform/printdriver.h"
#include "platform/uiseam.h"
#include "reports/druckseite.h"
#include "reports/report_testing.h"
#include "services/pravikapp.h"
#include "shell/mainview/printjob.h"
#include "support/scripted_ui_gtest.h"
#include "support/temp_folder.h"
#include "fixtures/dlgbase/english_language.h"

namespace {

std::string Words(const pdftest::PdfText& pdf) {
  std::string out;
  for (const auto& w : pdf.words)
    out += std::to_string(w.page) + ":" + w.text + "@" + std::to_string(static_cast<int>(w.left / 10)) + "," +
           std::to_string(static_cast<int>(w.top / 10)) + " ";
  return out;
}

}  // namespace

TEST(PrintJob, PagesOfTheRecordsInOrder) {
  CVersuch first = reporttest::TwoPageRecord();
  CVersuch second = reporttest::PageARecord();
  CRecordPrintJob job({&first, &second});
  platform::PrintInfo info;
  ASSERT_TRUE(job.OnPreparePrinting(info));
  EXPECT_EQ(info.max_page, 3);
  ASSERT_EQ(job.pages().size(), 3u);
  std::string kinds;
  for (const CDruckSeite* page : job.pages())
    kinds += std::string(1, page->GetPageLetter()) + std::to_string(page->GetPageNumber());
  EXPECT_EQ(kinds, "A1B2A1");
  EXPECT_EQ(job.pages()[2]->GetRecord(), &second);
  // Rebuilding frees the old pages first.
  EXPECT_EQ(job.BuildPrintPages(), 3);
  EXPECT_EQ(job.pages().size(), 3u);
}

// The message has a text id of its own, so that the language file translates it.
TEST(PrintJob, NoPagesMessageIsTranslated) {
  EnglishLanguage english;
  CVersuch noPages = reporttest::PageARecord();
  noPages.SetField(29, "[VA_GRUND:1][VA_SIEBL:0]");
  platform::TestUi ui;
  ui.ExpectMessageBox(platform::IDOK, "T[Die ausgewählten Einträge haben keine Berichtsseiten.]\n\nT[Jede Berichtsseite");
  CRecordPrintJob job({&noPages});
  EXPECT_EQ(platform::PrintPreview(job), platform::PrintResult::kCancelled);
  EXPECT_NE(english.FileBytes().find("IDS-60102="), std::string::npos);
}

TEST(PrintJob, SaysSoInsteadOfPrintingNothing) {
  TempFolder folder;
  CVersuch noPages = reporttest::PageARecord();
  noPages.SetField(29, "[VA_GRUND:1][VA_SIEBL:0]");  // sieving not done: no page
  const struct {
    const char* name;
    std::vector<CVersuch*> records;
    const char* message;
  } cases[] = {{"no record selected", {}, "mindestens ein Eintrag"},
               // What a page needs: here the sieve analysis of page A.
               {"selected records without a page", {&noPages}, "keine Berichtsseiten.\n\nJede Berichtsseite braucht "
                                                               "eine eingetragene Prüfung:\nSeite A: die Sieblinie"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    platform::TestUi ui;
    ui.ExpectMessageBox(platform::IDOK, c.message);
    ui.ExpectMessageBox(platform::IDOK, c.message);
    ui.ExpectMessageBox(platform::IDOK, c.message);
    CRecordPrintJob job(c.records);
    EXPECT_EQ(platform::PrintToPdf(job, folder / "none.pdf"), platform::PrintResult::kCancelled);
    EXPECT_EQ(platform::PrintWithDialog(job), platform::PrintResult::kCancelled);
    EXPECT_EQ(platform::PrintPreview(job), platform::PrintResult::kCancelled);
    EXPECT_FALSE(std::filesystem::exists(folder / "none.pdf"));
    ASSERT_EQ(ui.shown().size(), 3u);
    EXPECT_EQ(ui.shown()[0].title, "Druck/Seitenansicht");
    EXPECT_TRUE(ui.shown()[0].flags & platform::MB_ICONWARNING);
  }
}

TEST(PrintJob, PrintToFileInTheDialogGivesThePagesOfPaper) {
  CPravikWinApp app;
  TempFolder folder;
  CVersuch first = reporttest::PageARecord();
  CVersuch second = reporttest::TwoPageRecord();
  CRecordPrintJob job({&first, &second});
  ASSERT_EQ(platform::PrintToPdf(job, folder / "direct.pdf"), platform::PrintResult::kPrinted);
  {
    platform::TestUi ui;
    ui.ExpectPrintDialog(true, folder / "dialog.pdf");
    ASSERT_EQ(platform::PrintWithDialog(job), platform::PrintResult::kPrinted);
  }
  const std::string direct = Words(pdftest::ReadPdf(folder / "direct.pdf"));
  EXPECT_FALSE(direct.empty());
  EXPECT_EQ(Words(pdftest::ReadPdf(folder / "dialog.pdf")), direct);

  // A range of the dialog prints those pages only.
  platform::TestUi ui;
  ui.ExpectPrintDialog(true, folder / "range.pdf", 3, 3);
  ASSERT_EQ(platform::PrintWithDialog(job), platform::PrintResult::kPrinted);
  const auto range = pdftest::ReadPdf(folder / "range.pdf");
  ASSERT_EQ(range.pages.size(), 1u);
  EXPECT_TRUE(range.Find("Seite"));
  EXPECT_FALSE(range.Find("KORNSUMMENLINIE"));
}

TEST(PrintJob, PdfOfAnyMarginsPutsThePrintedAreaWherePaperHasIt) {
  CProgrammEinstellungen settings;
  auto paperRect = [&settings](QPagedPaintDevice& device) {
    QPainter painter(&device);
    platform::DrawContext dc(painter);
    const platform::Rect r = ComputeJobPrintRect(settings, dc);
    const int ox = static_cast<int>(std::lround(dc.device().offset_x * 2540.0 / dc.device().dpi_x));
    const int oy = static_cast<int>(std::lround(dc.device().offset_y * 2540.0 / dc.device().dpi_y));
    return platform::Rect{r.left + ox, r.top - oy, r.right + ox, r.bottom - oy};
  };
  TempFolder folder;
  QPrinter laser(QPrinter::HighResolution);
  laser.setOutputFormat(QPrinter::PdfFormat);
  laser.setOutputFileName(QString::fromStdString((folder / "laser.pdf").string()));
  platform::SetUpLaserPrinterPage(laser);
  QPdfWriter bare(QString::fromStdString((folder / "bare.pdf").string()));
  bare.setResolution(300);
  bare.setPageSize(QPageSize(QPageSize::A4));
  bare.setPageMargins(QMarginsF(0, 0, 0, 0));
  const platform::Rect expected{1700, -800, 1700 + 18300, -800 - 27500};
  EXPECT_EQ(paperRect(laser), expected);
  EXPECT_EQ(paperRect(bare), expected);
}

TEST(PrintJob, PreviewShowsTheSamePagesAndCancelKeepsThemForNow) {
  CVersuch first = reporttest::PageARecord();
  CVersuch second = reporttest::TwoPageRecord();
  CRecordPrintJob job({&first, &second});
  platform::TestUi ui;
  int previewPages = 0;
  ui.ExpectPrintPreview([&](QPrintPreviewDialog& preview) { previewPages = platform::RepaintPreview(preview); });
  ui.ExpectPrintDialog(false);
  EXPECT_EQ(platform::PrintPreview(job), platform::PrintResult::kPrinted);
  EXPECT_EQ(previewPages, 3);
  EXPECT_EQ(platform::PrintWithDialog(job), platform::PrintResult::kCancelled);
  EXPECT_EQ(job.pages().size(), 3u);  // built for the dialog, freed by the next build or the job's end
}

TEST(PrintJob, PrinterSetupGoesThroughThePrintDialog) {
  TempFolder folder;
  platform::TestUi ui;
  ui.ExpectPrintDialog(false);
  ui.ExpectPrintDialog(true);
  ui.ExpectPrintDialog(true, folder / "after_setup.pdf");
  EXPECT_FALSE(platform::PrinterSetup("Setup", "OK"));
  EXPECT_TRUE(platform::PrinterSetup("Setup", "OK"));
  CVersuch record = reporttest::PageARecord();
  CRecordPrintJob job({&record});
  EXPECT_EQ(platform::PrintWithDialog(job), platform::PrintResult::kPrinted);
  EXPECT_TRUE(pdftest::ReadPdf(folder / "after_setup.pdf").Find("KORNSUMMENLINIE"));
}

// The printer set-up is no print: its button accepts with the given text,
// and it offers no page range, selection or file.
TEST(PrintJob, PrinterSetupIsShapedAsASetup) {
  platform::TestUi ui;
  ui.ExpectPrintDialog(false);
  platform::PrinterSetup("Druckereinrichtung", "Übernehmen");
  ASSERT_EQ(ui.shown().size(), 1u);
  EXPECT_EQ(ui.shown()[0].title, "Druckereinrichtung");
  EXPECT_EQ(ui.shown()[0].text, "Übernehmen");

  QPrinter printer;
  QPrintDialog dialog(&printer);
  platform::ShapeAsPrinterSetup(dialog, {&printer, 1, 1, true, "OK", "Printer setup"});
  dialog.show();  // showing lays the dialog out anew
  auto* buttons = dialog.findChild<QDialogButtonBox*>();
  ASSERT_NE(buttons, nullptr);
  ASSERT_NE(buttons->button(QDialogButtonBox::Ok), nullptr);
  EXPECT_EQ(buttons->button(QDialogButtonBox::Ok)->text().toStdString(), "OK");
  EXPECT_EQ(dialog.windowTitle().toStdString(), "Printer setup");
  EXPECT_FALSE(dialog.testOption(QAbstractPrintDialog::PrintPageRange));
  EXPECT_FALSE(dialog.testOption(QAbstractPrintDialog::PrintToFile));
  EXPECT_FALSE(dialog.testOption(QAbstractPrintDialog::PrintSelection));
  dialog.hide();
}
