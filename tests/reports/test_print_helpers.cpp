// The drawing helpers of the report pages: table grid and cells, markup
// text, word wrapping and the small text helpers.
#include <gtest/gtest.h>

#include "platform/pdf_words.h"
#include "reports/drucktabelle.h"
#include "charts/chart_render.h"
#include "reports/report_testing.h"
#include "support/temp_folder.h"

namespace {

const platform::Font kCourier{.face = "Courier New", .height = 330, .escapement = 1};

pdftest::PdfText Render(const chartrender::Painter& paint) {
  TempFolder folder;
  chartrender::RenderPdf(folder / "helpers.pdf", [&](platform::DrawContext& dc) {
    dc.SelectFont(kCourier);
    dc.SetTextAlign(platform::TA_CENTER | platform::TA_BASELINE);
    paint(dc);
  });
  return pdftest::ReadPdf(folder / "helpers.pdf");
}

}  // namespace

TEST(DruckTabelle, CellsGoBetweenTheirColumns) {
  const int columns[] = {1000, 3000, 5000, 7000};
  const int rows[] = {-1000, -1500, -2000, -2500};
  const int firstRows[] = {0, 0, 0, 0};
  const pdftest::PdfText pdf = Render([&](platform::DrawContext& dc) {
    CDruckTabelle table{&dc, 4, 4, columns, rows, firstRows, 0};
    table.WriteRow(0, 1, 2, "AA\tBB\tCC");
    table.WriteRow(0, 1, 0, "DD\t\tEE");      // stops at the empty piece
    table.WriteCell(2, 4, 1, "FF");           // last column beyond the table
    table.WriteColumn(3, 3, 2, "GG\tHH\tII");  // rows 2, 3 and one beyond
  });
  const struct {
    const char* text;
    int x, y;
  } placed[] = {{"AA", 2000, -2000}, {"BB", 4000, -2000}, {"CC", 6000, -2000}, {"DD", 2000, -1000},
                {"GG", 7000, -2000}, {"HH", 7000, -2500}};
  for (const auto& p : placed) {
    SCOPED_TRACE(p.text);
    const pdftest::Word* w = pdf.Find(p.text);
    ASSERT_TRUE(w);
    EXPECT_NEAR(w->CentreX(), p.x, 30);
    EXPECT_NEAR(w->bottom, p.y - 100, 60);  // base line, descent below it
  }
  for (const char* absent : {"EE", "FF", "II"}) EXPECT_FALSE(pdf.Find(absent)) << absent;
}

TEST(DruckTabelle, VerticalLinesStartAtTheirFirstRow) {
  const int columns[] = {500, 1500, 2500};
  const int rows[] = {-500, -700, -900, -1100, -1300};
  const int firstRows[] = {0, 2, 5};
  const QImage image = chartrender::RenderImage(
      [&](platform::DrawContext& dc) {
        dc.SelectPen(platform::Pen{platform::PS_SOLID, 10, platform::RGB(0, 0, 0)});
        CDruckTabelle{&dc, 3, 5, columns, rows, firstRows, 0}.DrawGrid();
      },
      3000, 1500);
  auto black = [&image](int x, int y) { return image.pixelColor(x / 10, -y / 10).value() < 128; };
  EXPECT_TRUE(black(500, -600));    // column 0 from row 0
  EXPECT_FALSE(black(1500, -600));  // column 1 from row 2 only
  EXPECT_TRUE(black(1500, -1000));
  EXPECT_FALSE(black(2500, -1000));  // column 2 suppressed
  EXPECT_TRUE(black(2000, -1300));   // row lines across
  EXPECT_FALSE(black(2200, -1400));
}

TEST(PrintHelpers, MarkupRaisesAndLowersWhatFollows) {
  const pdftest::PdfText pdf = Render([](platform::DrawContext& dc) {
    dc.SetTextAlign(platform::TA_LEFT | platform::TA_BASELINE);
    TextOutMarkup(dc, 1000, -2000, 100, "m <h>3 <n>x");
    TextOutMarkup(dc, 1000, -4000, 100, "ab <t>c");
    TextOutMarkup(dc, 1000, -6000, 100, "qq<h");
  });
  const pdftest::Word* m = pdf.Find("m");
  const pdftest::Word* three = pdf.Find("3");
  const pdftest::Word* x = pdf.Find("x");
  ASSERT_TRUE(m && three && x);
  EXPECT_NEAR(three->bottom - m->bottom, 100, 15);
  EXPECT_GT(three->left, m->right);  // where "m " ends
  EXPECT_LT(three->left, m->right + 250);
  EXPECT_NEAR(x->bottom, m->bottom, 15);
  const pdftest::Word* ab = pdf.Find("ab");
  const pdftest::Word* c = pdf.Find("c");
  ASSERT_TRUE(ab && c);
  EXPECT_NEAR(c->bottom - ab->bottom, -100, 15);
  EXPECT_TRUE(pdf.Find("qq"));
  EXPECT_FALSE(pdf.Find("qq<h"));
}

TEST(PrintHelpers, WrapWordsAndTexts) {
  const struct {
    const char* text;
    int max;
    std::vector<std::string> lines;
  } cases[] = {
      {"abc def ghi", 10, {"abc def ", "ghi "}},
      {"  abc   def  ", 10, {"abc def "}},
      {"abcdefghijk x", 10, {"", "abcdefghijk ", "x "}},
      {"", 10, {" "}},
      {"Größe über", 11, {"Größe über "}},  // umlauts count as one character
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::vector<std::string> lines{c.text};
    WrapWords(lines, c.max);
    EXPECT_EQ(lines, c.lines);
  }
  EXPECT_EQ(YesNoText("1"), "ja");
  EXPECT_EQ(YesNoText("2"), "nein");
  EXPECT_EQ(YesNoText("0"), "");
  EXPECT_EQ(YesNoText(""), "");
  // Stored as words: in the printed language, the first letter as stored.
  EXPECT_EQ(StoredYesNoText("ja"), "ja");
  EXPECT_EQ(StoredYesNoText("Nein"), "Nein");
  EXPECT_EQ(StoredYesNoText("."), ".");
  EXPECT_TRUE(EqualsChar("2", '2'));
  EXPECT_FALSE(EqualsChar("22", '2'));
  EXPECT_FALSE(EqualsChar("", '2'));
}
