// Page A of a record printed through the print job to PDF, read back with
// pdftotext -bbox and rendered to PNG with pdftoppm.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <cstdlib>
#include <string>

#include "charts/chart_render.h"
#include "evaluation/kornform/kornform_gs.h"
#include "evaluation/kornform/kornformkennzahl.h"
#include "platform/pdf_words.h"
#include "platform/printdriver.h"
#include "reports/druckseite.h"
#include "reports/report_testing.h"
#include "services/pravikapp.h"
#include "shell/mainview/printjob.h"
#include "reports/print_record.h"
#include "support/temp_folder.h"

namespace {

using pdftest::PdfText;
using pdftest::Word;

// The unprintable edge of the PDF files' printer in 0.01 mm: page
// coordinates of the job plus this are paper coordinates.
const int kEdge = static_cast<int>(std::lround(platform::kLaserPrinterMarginDots * 2540.0 / platform::kLaserPrinterDpi));


int Count(const PdfText& pdf, const std::string& text, int page = 0) {
  int n = 0;
  for (const Word& w : pdf.words) n += w.text == text && (page == 0 || w.page == page) ? 1 : 0;
  return n;
}

// The word right of `left` on the same line.
const Word* RightOf(const PdfText& pdf, const Word& left, const std::string& text) {
  for (const Word& w : pdf.words)
    if (w.text == text && w.page == left.page && std::abs(w.CentreY() - left.CentreY()) < 60 && w.left > left.right)
      return &w;
  return nullptr;
}

class PageA : public ::testing::Test {
 protected:
  void SetUp() override {
    // Coloured pens tell the curve from the grid in the picture.
    auto& table = app_.m_Settings.LayoutTable;
    table[0].color = platform::RGB(190, 190, 190);
    table[5] = {platform::RGB(220, 0, 0), 2, platform::PS_SOLID, 0};
    table[6] = {platform::RGB(230, 0, 230), 0, platform::PS_SOLID, 0};
    table[8] = {platform::RGB(0, 0, 255), 2, platform::PS_SOLID, 0};
  }
  CPravikWinApp app_;
  TempFolder folder_;
};

TEST_F(PageA, PrintsHeaderChartTablesAndRequirementsToPdf) {
  CVersuch record = reporttest::PageARecord();
  CRecordPrintJob job({&record});
  const auto pdfFile = folder_ / "page_a.pdf";
  ASSERT_EQ(platform::PrintToPdf(job, pdfFile), platform::PrintResult::kPrinted);
  EXPECT_TRUE(job.pages().empty());  // freed at the end of the job
  const PdfText pdf = pdftest::ReadPdf(pdfFile);
  ASSERT_EQ(pdf.pages.size(), 1u);
  const platform::Rect print = job.printRect();
  const int L = print.left + kEdge, T = print.top - kEdge, R = print.right + kEdge, B = print.bottom - kEdge;
  EXPECT_EQ(L, 1700);
  EXPECT_EQ(T, -800);

  // Header: labels at L+300, values 2000 to the right, from T-100 down.
  const Word* number = pdf.Find("Prüf.-Nr.:");
  ASSERT_TRUE(number);
  EXPECT_NEAR(number->left, L + 300, 30);
  EXPECT_NEAR(number->top, T - 100, 80);
  const Word* value = RightOf(pdf, *number, "12-34-0815");
  ASSERT_TRUE(value);
  EXPECT_NEAR(value->left, L + 2300, 30);
  for (auto [label, text] : {std::pair{"Betreiber:", "Musterkies"}, {"Werk:", "Werk"}, {"Kunde:", "Tiefbau"},
                             {"Prüfart:", "Werkseigene"}, {"Vorschrift:", "DIN"}, {"durch:", "Keller"},
                             {"am:", "11.03.2021"}, {"Baustelle:", "Ortsumgehung"}, {"Entnahmestelle:", "Halde"},
                             {"am:", "09.03.2021"}}) {
    SCOPED_TRACE(label);
    bool found = false;
    for (const Word& w : pdf.words)
      if (w.text == label && RightOf(pdf, w, text)) found = true;
    EXPECT_TRUE(found);
  }
  // The standard text wraps onto further lines in the value column.
  const Word* wrapped = pdf.Find("Siebverfahren");
  ASSERT_TRUE(wrapped);
  EXPECT_LT(wrapped->top, pdf.Find("Vorschrift:")->top - 300);
  // Title box under the logo box at the right.
  const Word* title = pdf.Find("KORNSUMMENLINIE");
  ASSERT_TRUE(title);
  EXPECT_NEAR(title->CentreX(), R - 4500, 100);
  EXPECT_NEAR(title->top, T - kDefaultLogoBoxHeight - 30, 80);
  EXPECT_TRUE(pdf.Find("Kiessand") && pdf.Find("0/45"));

  // Chart: axis titles and labels below and left of the chart.
  const Word* xTitle = pdf.Find("Korndurchmesser");
  ASSERT_TRUE(xTitle);
  EXPECT_TRUE(pdf.Find("Siebdurchgang"));
  EXPECT_TRUE(pdf.Find("0.063") && pdf.Find("31.5"));
  const Word* hundred = nullptr;
  for (const Word& w : pdf.words)
    if (w.text == "100" && w.right < L + 2300) hundred = &w;
  ASSERT_TRUE(hundred) << "y axis label 100";

  // Sieve table under the chart: sizes, residues, passing, plant points, sum.
  const Word* head = pdf.Find("Siebgröße");
  ASSERT_TRUE(head);
  EXPECT_LT(head->top, xTitle->bottom);
  EXPECT_NEAR(head->CentreX(), L + 300 + 700, 100);
  const Word* row16 = nullptr;
  for (const Word& w : pdf.words)
    if (w.text == "16" && std::abs(w.CentreX() - (L + 1000)) < 150 && w.top < head->top) row16 = &w;
  ASSERT_TRUE(row16);
  for (const char* cell : {"951.9", "18.2", "78.2", "80.0"}) EXPECT_TRUE(RightOf(pdf, *row16, cell)) << cell;
  const Word* sum = pdf.Find("Summe:");
  ASSERT_TRUE(sum);
  EXPECT_TRUE(RightOf(pdf, *sum, "5230.0"));
  EXPECT_EQ(Count(pdf, "97.0"), 1);  // plant point of 31.5 only in its own row

  // Sieve loss beside the table, then the characteristic values.
  const Word* before = nullptr;
  for (const Word& w : pdf.words)
    if (w.text == "Probe" && RightOf(pdf, w, "5251.4")) before = &w;
  ASSERT_TRUE(before);
  EXPECT_GT(before->left, L + 6900);  // right of the table
  const Word* lossLabel = pdf.Find("Siebverlust");
  ASSERT_TRUE(lossLabel);
  EXPECT_TRUE(RightOf(pdf, *lossLabel, "21.4"));
  const Word* d10 = pdf.Find("d10");
  ASSERT_TRUE(d10);
  EXPECT_LT(d10->top, lossLabel->top);
  EXPECT_TRUE(RightOf(pdf, *d10, "0.26"));
  const Word* uniformity = pdf.Find("28.8");
  ASSERT_TRUE(uniformity);
  const Word* note = pdf.Find("weitgestuft");
  ASSERT_TRUE(note);
  EXPECT_LT(note->top, uniformity->top);

  // Requirement tables: head row, sieve rows, the flakiness row.
  const Word* soll = pdf.Find("Soll");
  ASSERT_TRUE(soll);
  EXPECT_LT(soll->top, d10->top);
  const Word* flakiness = pdf.Find("Plattigkeitskennzahl");
  ASSERT_TRUE(flakiness);
  EXPECT_LT(flakiness->top, soll->top);
  EXPECT_TRUE(RightOf(pdf, *flakiness, "11"));
  EXPECT_TRUE(RightOf(pdf, *flakiness, "15"));
  EXPECT_TRUE(RightOf(pdf, *flakiness, "≤"));
  EXPECT_TRUE(RightOf(pdf, *flakiness, "ja"));
  EXPECT_FALSE(RightOf(pdf, *flakiness, "nein"));
  const Word* oversize = pdf.Find("Überkorn:");
  ASSERT_TRUE(oversize);
  EXPECT_TRUE(RightOf(pdf, *oversize, "100"));  // "100.0" printed without its zeros
  EXPECT_TRUE(RightOf(pdf, *oversize, "ja"));
  const Word* passing = pdf.Find("Durchgang:");
  ASSERT_TRUE(passing);
  EXPECT_TRUE(RightOf(pdf, *passing, "37.3"));
  EXPECT_TRUE(RightOf(pdf, *passing, "25-45"));

  // Bottom band and frame elements; one page, so no page number.
  const Word* remark = pdf.Find("Bemerkung:");
  ASSERT_TRUE(remark);
  EXPECT_NEAR(remark->left, L + 200, 30);
  EXPECT_TRUE(pdf.Find("Rückstellprobe"));
  const Word* signature = pdf.Find("Unterschrift");
  ASSERT_TRUE(signature);
  EXPECT_GT(signature->left, L + 11200);
  EXPECT_EQ(Count(pdf, "Seite"), 0);
  for (const Word& w : pdf.words) {
    EXPECT_GE(w.bottom, B - 700) << w.text;  // the version line hangs below the frame
    EXPECT_LE(w.right, R + 200) << w.text;
  }

  // The picture: the measured curve in its colour through (2 mm, 37.3 %).
  const std::string png = (folder_ / "page_a").string();
  ASSERT_EQ(std::system(("pdftoppm -png -r 100 -singlefile '" + pdfFile.string() + "' '" + png + "'").c_str()), 0);
  QImage image(QString::fromStdString(png + ".png"));
  ASSERT_FALSE(image.isNull());
  if (const char* keep = std::getenv("PRAVIK_REPORT_IMAGES"))
    image.save(QString::fromStdString(std::string(keep) + "/page_a.png"));
  CDruckSeite page;  // the same page again, to learn where its chart lies
  page.Init(&record, 1);
  chartrender::RenderImage([&](platform::DrawContext& dc) { page.Print(dc, print.left, print.top, print.right, print.bottom); },
                          100, 100);
  CLogDia& dia = page.GetChartData().GetLogDia();
  auto redNear = [&](double size, double percent) {
    const double px = (dia.GetXPos(size, true) + kEdge) / 25.4, py = -(dia.GetYPos(percent, true) - kEdge) / 25.4;
    for (int dy = -3; dy <= 3; ++dy)
      for (int dx = -3; dx <= 3; ++dx) {
        const QColor c = image.pixelColor(static_cast<int>(px) + dx, static_cast<int>(py) + dy);
        if (c.red() > 180 && c.green() < 90 && c.blue() < 90) return true;
      }
    return false;
  };
  EXPECT_TRUE(redNear(2.0, 37.3));
  EXPECT_TRUE(redNear(16.0, 78.2));
  EXPECT_FALSE(redNear(2.0, 80.0));
}

TEST_F(PageA, RecordsOfSeveralPagesAreNumbered) {
  CVersuch first = reporttest::PageARecord();
  CVersuch second = reporttest::TwoPageRecord();
  CRecordPrintJob job({&first, &second});
  const auto pdfFile = folder_ / "three.pdf";
  ASSERT_EQ(platform::PrintToPdf(job, pdfFile), platform::PrintResult::kPrinted);
  const PdfText pdf = pdftest::ReadPdf(pdfFile);
  ASSERT_EQ(pdf.pages.size(), 3u);
  EXPECT_EQ(Count(pdf, "Seite", 1), 0);
  for (int page : {2, 3}) {
    SCOPED_TRACE(page);
    const Word* label = pdf.Find("Seite", page);
    ASSERT_TRUE(label);
    EXPECT_TRUE(RightOf(pdf, *label, std::to_string(page - 1)));
    EXPECT_TRUE(RightOf(pdf, *label, "von"));
    EXPECT_TRUE(RightOf(pdf, *label, "2"));
    EXPECT_GT(label->left, 15000);  // bottom right corner
    EXPECT_TRUE(pdf.Find("12-34-0816", page));
  }
  // Logo and title boxes on a record's first page only; the header on each.
  EXPECT_TRUE(pdf.Find("KORNSUMMENLINIE", 1));
  EXPECT_TRUE(pdf.Find("KORNSUMMENLINIE", 2));
  EXPECT_FALSE(pdf.Find("KORNSUMMENLINIE", 3));
  EXPECT_TRUE(pdf.Find("Korndurchmesser", 2));
  EXPECT_FALSE(pdf.Find("Korndurchmesser", 3));  // page B: no chart
  EXPECT_TRUE(pdf.Find("Prüf.-Nr.:", 3));
}

// The report rows of the grain-shape tests as their computations store them.
TEST_F(PageA, PrintsTheGrainShapeRows) {
  // Standard form: the fractions 4-8 and 8-16 weighted 25 : 75 give SI 14.0.
  CVersuch record = reporttest::PageARecord();
  ShapeIndexInput in;
  in.limit = "20";
  in.fraction[0] = "4-8", in.residue[0] = "100.0", in.bad[0] = "10", in.good[0] = "40";
  in.fraction[1] = "8-16", in.residue[1] = "300.0", in.bad[1] = "12", in.good[1] = "88";
  const ShapeIndexResult shape = ComputeShapeIndex(in);
  ASSERT_EQ(shape.si, "14.0");
  StoreTestEntryResult(record, *FindTestEntryFields("VA_KORNF"), ShapeIndexEntryResult(shape));
  PdfText pdf = reporttest::PrintRecordToPdf(record, folder_.path(), "page_a_shape_index").pdf;
  const Word* index = pdf.Find("Kornformkennzahl:");
  ASSERT_TRUE(index);
  EXPECT_TRUE(RightOf(pdf, *index, "14"));
  EXPECT_TRUE(RightOf(pdf, *index, "20"));
  EXPECT_TRUE(RightOf(pdf, *index, "ja"));
  std::vector<const Word*> rows;
  for (const Word& w : pdf.words)
    if (w.text == "Kornform") rows.push_back(&w);
  ASSERT_EQ(rows.size(), 2u);  // one row per fraction, top down
  EXPECT_GT(rows[0]->top, rows[1]->top);
  EXPECT_TRUE(RightOf(pdf, *rows[0], "4-8") && RightOf(pdf, *rows[0], "ja"));
  EXPECT_TRUE(RightOf(pdf, *rows[1], "8-16") && RightOf(pdf, *rows[1], "12"));
  EXPECT_GT(rows[1]->top, index->top);

  // A grading mixture: the one "Kornform:" row of field 4 part 2.
  CVersuch mixture = reporttest::PageARecord();
  StoreTestEntryResult(mixture, *FindTestEntryFields("VA_GS_KORNFORM"),
                       MixtureShapeEntryResult(ComputeMixtureShape("30", "70", "25_LE")));
  ASSERT_EQ(mixture.GetValue(4, 2), "Kornform:@@30.0@<= 25@1");
  pdf = reporttest::PrintRecordToPdf(mixture, folder_.path(), "page_a_mixture").pdf;
  const Word* row = pdf.Find("Kornform:");
  ASSERT_TRUE(row);
  EXPECT_TRUE(RightOf(pdf, *row, "30"));
  EXPECT_TRUE(RightOf(pdf, *row, "25"));
  EXPECT_TRUE(RightOf(pdf, *row, "nein"));
  EXPECT_FALSE(pdf.Find("Kornformkennzahl:"));
}

}  // namespace
