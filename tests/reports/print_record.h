#pragma once
// A record printed through the print job into a PDF file and read back with
// pdftotext -bbox. With PRAVIK_CHART_IMAGES set, the PDF and a PNG of it
// (pdftoppm, 60 dpi) are kept in that folder for a look.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

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

// Lengthens the record's first-page header block: a standard of two or three
// lines, a customer, both information values and a sampling point of some 30
// characters.
inline void LengthenHeader(CVersuch& r, int standardLines) {
  r.SetValue(30, 5, standardLines == 2 ? "DIN EN 12620:2008-07 Gesteinskörnungen für Beton, Anhang C"
                                       : "DIN EN 12620:2008-07 Gesteinskörnungen für Beton und DIN EN 933-1 "
                                         "Bestimmung der Korngrößenverteilung - Siebverfahren");
  r.SetValue(1, 20, "Tiefbau Weber GmbH & Co. KG");
  r.SetValue(1, 7, "Ortsumgehung B12, Los 4");
  r.SetValue(1, 8, "Frostschutzschicht 0/32");
  r.SetValue(1, 12, "Kiesgrube Nord, Abbaufeld West 3");
}

// The words of one printed page, split into the header block's and the
// page's own: the record is printed as it is and with the block hidden
// (field 18 part 8 "1"), which keeps the room the block takes.
struct HeaderAndPage {
  std::vector<pdftest::Word> header, page;
  platform::Rect paper;
};

inline HeaderAndPage SplitHeader(CVersuch record, const std::filesystem::path& folder, const std::string& name,
                                 int page) {
  const PrintedRecord shown = PrintRecordToPdf(record, folder, name);
  record.SetValue(18, 8, "1");
  const PrintedRecord hidden = PrintRecordToPdf(record, folder, name + "_hidden");
  auto same = [](const pdftest::Word& a, const pdftest::Word& b) {
    return a.text == b.text && std::abs(a.left - b.left) < 1 && std::abs(a.top - b.top) < 1;
  };
  HeaderAndPage out;
  out.paper = shown.paper;
  for (const pdftest::Word& w : hidden.pdf.words)
    if (w.page == page) out.page.push_back(w);
  for (const pdftest::Word& w : shown.pdf.words) {
    if (w.page != page) continue;
    bool own = false;
    for (const pdftest::Word& p : out.page) own = own || same(w, p);
    if (!own) out.header.push_back(w);
  }
  return out;
}

// What of a page lies on its header block: page words whose boxes meet a
// header word's, and page words left of the logo box that reach above the
// block's last line, as "page word / header word" texts.
inline std::vector<std::string> HeaderCollisions(const HeaderAndPage& printed) {
  std::vector<std::string> found;
  if (printed.header.empty()) return {"no header block printed"};
  double headerBottom = printed.header.front().bottom;
  for (const pdftest::Word& h : printed.header) headerBottom = std::min(headerBottom, h.bottom);
  const double logoLeft = printed.paper.right - 9000;
  for (const pdftest::Word& w : printed.page) {
    for (const pdftest::Word& h : printed.header)
      if (w.left < h.right && h.left < w.right && w.bottom < h.top && h.bottom < w.top)
        found.push_back(w.text + " / " + h.text);
    // (The version line stands on end along the left edge.)
    if (w.left > printed.paper.left + 250 && w.right < logoLeft && w.top > headerBottom)
      found.push_back(w.text + " / above the header's last line");
  }
  return found;
}

// Prints the record's page 1 under a header block of a two-line and of a
// three-line standard (LengthenHeader): nothing of the page lies on the block,
// and `lowest`, a word of the page's lowest block, stays above the first
// page's bottom band.
inline void ExpectClearOfALongHeader(const CVersuch& source, const std::filesystem::path& folder,
                                     const std::string& name, const std::string& lowest) {
  for (int standardLines : {2, 3}) {
    SCOPED_TRACE("a standard of " + std::to_string(standardLines) + " lines");
    CVersuch record = source;
    LengthenHeader(record, standardLines);
    const HeaderAndPage printed = SplitHeader(record, folder, name + "_" + std::to_string(standardLines), 1);
    EXPECT_EQ(HeaderCollisions(printed), std::vector<std::string>{});
    const pdftest::Word* last = nullptr;
    for (const pdftest::Word& w : printed.page)
      if (w.text == lowest) last = &w;
    ASSERT_TRUE(last) << lowest;
    EXPECT_GT(last->bottom, printed.paper.bottom + 2300);
  }
}

}  // namespace reporttest
