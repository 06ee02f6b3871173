// Page B (petrography) printed through the print job to PDF and read back
// with pdftotext -bbox.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "platform/pdf_words.h"
#include "platform/printdriver.h"
#include "reports/druckseite.h"
#include "reports/side_page_records.h"
#include "shell/app/pravikapp.h"
#include "shell/mainview/printjob.h"
#include "support/temp_folder.h"

namespace {

using pdftest::PdfText;
using pdftest::Word;

class PageB : public ::testing::Test {
 protected:
  PdfText Print(CVersuch& record, const std::string& name) {
    CRecordPrintJob job({&record});
    const auto pdf = folder_ / (name + ".pdf");
    EXPECT_EQ(platform::PrintToPdf(job, pdf), platform::PrintResult::kPrinted);
    if (const char* keep = std::getenv("PRAVIK_CHART_IMAGES")) {
      std::system(("pdftoppm -png -r 60 '" + pdf.string() + "' '" + keep + "/" + name + "'").c_str());
      std::system(("cp '" + pdf.string() + "' '" + keep + "/'").c_str());
    }
    return pdftest::ReadPdf(pdf);
  }
  CPravikWinApp app_;
  TempFolder folder_;
};

}  // namespace

TEST_F(PageB, Look) {
  CVersuch filled = reporttest::PetrographyRecord(reporttest::PetrographyField());
  PdfText pdf = Print(filled, "page_b_filled");
  for (const Word& w : pdf.words) printf("%s %.0f %.0f %.0f %.0f\n", w.text.c_str(), w.left, w.top, w.right, w.bottom);
  CVersuch empty = reporttest::PetrographyRecord("");
  Print(empty, "page_b_empty");
  CVersuch alkali = reporttest::AlkaliRecord(reporttest::AlkaliField());
  Print(alkali, "page_d_filled");
  CVersuch alkaliEmpty = reporttest::AlkaliRecord("");
  Print(alkaliEmpty, "page_d_empty");
}
