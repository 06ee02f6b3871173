#pragma once
// A record printed through the print job into a PDF file and read back with
// pdftotext -bbox. With PRAVIK_CHART_IMAGES set, the PDF and a PNG of it
// (pdftoppm, 60 dpi) are kept in that folder for a look.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/pdf_words.h"
#include "platform/printdriver.h"
#include "records/versuch.h"
#include "shell/mainview/printjob.h"

namespace reporttest {

struct PrintedRecord {
  pdftest::PdfText pdf;
  platform::Rect paper;  // the print rectangle in paper coordinates (0.01 mm, y up from the top edge)
};

inline PrintedRecord PrintRecordToPdf(CVersuch& record, const std::filesystem::path& folder, const std::string& name) {
  // The unprintable edge of the PDF files' printer.
  const int edge = static_cast<int>(std::lround(platform::kLaserPrinterMarginDots * 2540.0 / platform::kLaserPrinterDpi));
  CRecordPrintJob job({&record});
  const auto file = folder / (name + ".pdf");
  EXPECT_EQ(platform::PrintToPdf(job, file), platform::PrintResult::kPrinted);
  if (const char* keep = std::getenv("PRAVIK_CHART_IMAGES")) {
    std::filesystem::copy_file(file, std::filesystem::path(keep) / file.filename(),
                               std::filesystem::copy_options::overwrite_existing);
    std::system(("pdftoppm -png -r 60 '" + file.string() + "' '" + keep + "/" + name + "'").c_str());
  }
  const platform::Rect print = job.printRect();
  return {pdftest::ReadPdf(file), {print.left + edge, print.top - edge, print.right + edge, print.bottom - edge}};
}

}  // namespace reporttest
