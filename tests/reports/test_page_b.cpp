// Page B (petrography) printed through the print job to PDF, read back with
// pdftotext -bbox: every text stands on end inside its cell of the ruled table.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "reports/print_record.h"
#include "reports/side_page_records.h"
#include "services/pravikapp.h"
#include "support/temp_folder.h"

namespace {

using pdftest::PdfText;
using pdftest::Word;

// The page and the corner (P, Q) of the petrography table in paper coordinates.
struct PrintedPage {
  PdfText pdf;
  int P = 0, Q = 0;
};

// Printed under a header block that ends above the table's anchor, so that
// the table keeps its place (a long block moves it down).
PrintedPage PrintRecord(CVersuch record, const std::filesystem::path& folder, const std::string& name) {
  record.SetValue(30, 5, "DIN EN 12620");
  record.SetValue(1, 7, "");
  record.SetValue(1, 12, "");
  const reporttest::PrintedRecord printed = reporttest::PrintRecordToPdf(record, folder, name);
  return {printed.pdf, printed.paper.left + 2500, printed.paper.top - 4000};
}

int Count(const PdfText& pdf, const std::string& text) {
  int n = 0;
  for (const Word& w : pdf.words) n += w.text == text ? 1 : 0;
  return n;
}

// A word standing on end: a tall, narrow box.
bool OnEnd(const Word& w) { return w.top - w.bottom > w.right - w.left; }

// The word stands on end in the part of the table from x1 to x2 and from y1
// (lower) to y2 (upper), offsets from (P, Q).
::testing::AssertionResult Inside(const PrintedPage& page, const std::string& text, int x1, int x2, int y1, int y2) {
  const Word* w = page.pdf.Find(text);
  if (!w) return ::testing::AssertionFailure() << text << " not printed";
  const double left = w->left - page.P, right = w->right - page.P, top = w->top - page.Q, bottom = w->bottom - page.Q;
  if (left < x1 - 5 || right > x2 + 5 || bottom < y1 - 5 || top > y2 + 5)
    return ::testing::AssertionFailure() << text << " at x " << left << ".." << right << ", y " << bottom << ".." << top;
  if (!OnEnd(*w)) return ::testing::AssertionFailure() << text << " does not stand on end";
  return ::testing::AssertionSuccess();
}

class PageB : public ::testing::Test {
 protected:
  CPravikWinApp app_;
  TempFolder folder_;
};

}  // namespace

TEST_F(PageB, FilledFieldPrintsEveryTextInItsCell) {
  CVersuch record = reporttest::PetrographyRecord(reporttest::PetrographyField());
  const PrintedPage page = PrintRecord(record, folder_.path(), "page_b_filled");
  ASSERT_EQ(page.pdf.pages.size(), 1u);

  // Title left of the table, beginning at its foot.
  EXPECT_TRUE(Inside(page, "Petrographie", -600, -100, -20900, -15000));
  // Column heads: from the foot of their columns in the row of constituents.
  EXPECT_TRUE(Inside(page, "unbedenkliche", 1100, 1800, -20900, -15200));
  EXPECT_TRUE(Inside(page, "kreidekrusteführende", 2550, 3800, -20900, -15200));
  EXPECT_TRUE(Inside(page, "(oxydische)", 7750, 9000, -20900, -15200));
  EXPECT_TRUE(Inside(page, "Summe:", 10300, 11000, -15200, -8200));
  // Property texts: three lines side by side in the row of properties.
  EXPECT_TRUE(Inside(page, "Flint,", 2700, 3050, -15000, -8200));
  EXPECT_TRUE(Inside(page, "Kreidekruste", 3000, 3350, -15000, -8200));
  EXPECT_TRUE(Inside(page, "Einschlüssen", 3300, 3650, -15000, -8200));
  EXPECT_TRUE(Inside(page, "Limonitkonkretionen", 7900, 8250, -15000, -8200));
  // Masses and shares, ending at the top of their rows.
  EXPECT_TRUE(Inside(page, "2904.5", 1300, 1800, -8200, -6800));
  EXPECT_TRUE(Inside(page, "97.01", 1300, 1800, -6800, -5400));
  EXPECT_TRUE(Inside(page, "2994.0", 10500, 11000, -8200, -6800));
  EXPECT_TRUE(Inside(page, "100.00", 10500, 11000, -6800, -5400));
  EXPECT_NEAR(page.pdf.Find("2904.5")->top, page.Q - 7000, 30);
  EXPECT_NEAR(page.pdf.Find("97.01")->top, page.Q - 5600, 30);
  // Requirement heads and the limits of the three uses.
  EXPECT_TRUE(Inside(page, "Deckschichten", 5300, 6300, -5400, -3600));
  EXPECT_TRUE(Inside(page, "Sichtflächen", 5300, 6300, -1800, 0));
  EXPECT_TRUE(Inside(page, "Betonzuschlag", 4800, 5700, -5400, 0));

  // Verdicts: seven met, B for Kappen and Sichtflächen not met.
  EXPECT_EQ(Count(page.pdf, "erfüllt"), 7);
  ASSERT_EQ(Count(page.pdf, "NICHT"), 2);
  ASSERT_EQ(Count(page.pdf, "ERFÜLLT"), 2);
  for (const Word& no : page.pdf.words) {
    if (no.text != "NICHT") continue;
    EXPECT_TRUE(OnEnd(no));
    EXPECT_NEAR(no.left, page.P + 8300, 30);  // B's column
    const Word* pair = nullptr;
    for (const Word& w : page.pdf.words)
      if (w.text == "ERFÜLLT" && std::abs(w.top - no.top) < 30) pair = &w;
    ASSERT_TRUE(pair);
    EXPECT_NEAR(pair->left - no.left, 250, 20);  // side by side, 250 further right
  }
  for (const Word& w : page.pdf.words) {
    if (w.text != "erfüllt") continue;
    EXPECT_TRUE(w.top < page.Q && w.bottom > page.Q - 5400) << w.left;
  }
}

TEST_F(PageB, EmptyFieldPrintsTheRuledTableWithoutValues) {
  CVersuch record = reporttest::PetrographyRecord("");
  const PrintedPage page = PrintRecord(record, folder_.path(), "page_b_empty");
  for (const char* head : {"Petrographie", "unbedenkliche", "A1:", "A2:", "A3:", "B:", "C:", "Summe:", "Eigenschaften",
                           "Einwaage", "Ist", "Kappen"})
    EXPECT_TRUE(page.pdf.Find(head)) << head;
  EXPECT_TRUE(Inside(page, "A3:", 5300, 5630, -20900, -20200));
  for (const char* value : {"erfüllt", "NICHT", "ERFÜLLT", "100.00", "<"}) EXPECT_FALSE(page.pdf.Find(value)) << value;
}

TEST_F(PageB, TableLiesBelowALongHeader) {
  // The row of property texts gives the room: the title at the foot stays on the page.
  reporttest::ExpectClearOfALongHeader(reporttest::PetrographyRecord(reporttest::PetrographyField()), folder_.path(),
                                       "page_b_long_header", "Petrographie");
}
