// The blocks of the first page and of page A drawn one by one on a PDF page
// without margins (page coordinates are paper coordinates).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "charts/chart_render.h"
#include "fixtures/dlgbase/english_language.h"
#include "platform/files.h"
#include "platform/pdf_words.h"
#include "reports/dib.h"
#include "reports/druckseite.h"
#include "reports/report_testing.h"
#include "services/pravikapp.h"
#include "support/temp_folder.h"

namespace {

using pdftest::PdfText;
using pdftest::Word;

constexpr int L = 1700, T = -800, R = 20000, B = -28300;

class PageBlocks : public ::testing::Test {
 protected:
  // Draws on page 1 of the record with its layout made.
  PdfText Draw(CVersuch& record, const std::function<void(CDruckSeite&, platform::DrawContext&)>& paint) {
    CDruckSeite page;
    page.Init(&record, 1);
    page.SetPrintRect(L, T, R, B);
    page.CalcLayout();
    const auto file = folder_ / ("blocks" + std::to_string(++count_) + ".pdf");
    chartrender::RenderPdf(file, [&](platform::DrawContext& dc) { paint(page, dc); });
    return pdftest::ReadPdf(file);
  }
  PdfText PrintPage(CVersuch& record) {
    return Draw(record, [](CDruckSeite& page, platform::DrawContext& dc) { page.Print(dc, L, T, R, B); });
  }
  CPravikWinApp app_;
  TempFolder folder_;
  int count_ = 0;
};

const Word* RightOf(const PdfText& pdf, const Word& left, const std::string& text) {
  for (const Word& w : pdf.words)
    if (w.text == text && std::abs(w.CentreY() - left.CentreY()) < 60 && w.left > left.right) return &w;
  return nullptr;
}

}  // namespace

TEST_F(PageBlocks, RemarkLinesStayInTheirBand) {
  CVersuch record = reporttest::PageARecord();
  record.SetValue(1, 14, "Zeile1 " + std::string(90, 'x') + "#CRLF#Zeile2#CRLF##CRLF#Zeile4#CRLF#Zeile5#CRLF#Zeile6#CRLF#Zeile7");
  record.SetValue(27, 4, "3");
  auto remarks = [](CDruckSeite& page, platform::DrawContext& dc) { page.DrawRemarks(dc); };
  PdfText pdf = Draw(record, remarks);
  ASSERT_TRUE(pdf.Find("Siebungen"));
  EXPECT_TRUE(pdf.Find("zwei"));
  for (const char* line : {"Zeile1", "Zeile2", "Zeile4"}) EXPECT_TRUE(pdf.Find(line)) << line;
  for (const char* line : {"Zeile5", "Zeile6", "Zeile7"}) EXPECT_FALSE(pdf.Find(line)) << line;
  for (const Word& w : pdf.words) {
    EXPECT_GE(w.bottom, B - 5) << w.text;          // never below the frame
    EXPECT_LE(w.right, L + 11000 - 90) << w.text;  // never into the signature
  }
  const Word* first = pdf.Find("Zeile1");
  const Word* cut = RightOf(pdf, *first, std::string(90, 'x'));
  EXPECT_FALSE(cut);  // the long line lost its end

  // Without a sieving sentence all six lines fit, starting 600 higher.
  record.SetValue(27, 4, "1");
  pdf = Draw(record, remarks);
  EXPECT_FALSE(pdf.Find("Siebungen"));
  for (const char* line : {"Zeile1", "Zeile2", "Zeile4", "Zeile5", "Zeile6"}) EXPECT_TRUE(pdf.Find(line)) << line;
  EXPECT_FALSE(pdf.Find("Zeile7"));
  EXPECT_NEAR(pdf.Find("Zeile4")->bottom - pdf.Find("Zeile1")->bottom, -900, 20);
  EXPECT_NEAR(pdf.Find("Zeile1")->bottom, B + 1510, 30);
}

TEST_F(PageBlocks, HiddenHeaderKeepsItsPlace) {
  CVersuch shown = reporttest::PageARecord();
  CVersuch hidden = reporttest::PageARecord();
  hidden.SetValue(18, 8, "1");
  const PdfText withHeader = PrintPage(shown);
  const PdfText withoutHeader = PrintPage(hidden);
  EXPECT_TRUE(withHeader.Find("Prüf.-Nr.:"));
  EXPECT_FALSE(withoutHeader.Find("Prüf.-Nr.:"));
  ASSERT_TRUE(withHeader.Find("Korndurchmesser") && withoutHeader.Find("Korndurchmesser"));
  EXPECT_NEAR(withHeader.Find("Korndurchmesser")->top, withoutHeader.Find("Korndurchmesser")->top, 1);
}

TEST_F(PageBlocks, SignatureBitmapOrCaption) {
  CVersuch record = reporttest::PageARecord();
  auto box = [](CDruckSeite& page, platform::DrawContext& dc) { page.DrawSignatureBox(dc); };
  PdfText pdf = Draw(record, box);
  const Word* caption = pdf.Find("Unterschrift");
  ASSERT_TRUE(caption);
  const Word* date = pdf.Find("Datum");
  ASSERT_TRUE(date);
  EXPECT_NEAR((date->left + caption->right) / 2, (L + 11200 + R - 100) / 2, 30);
  EXPECT_NEAR(caption->bottom, B + 300, 30);

  reporttest::BmpSpec red;
  red.width = 40;
  red.height = 10;
  red.pixel = [](int, int) { return 0xFF0000u; };
  const auto file = folder_ / "signature.bmp";
  ASSERT_TRUE(platform::WriteFileBytes(file, reporttest::MakeBmp(red)));
  record.SetValue(1, 25, file.string());
  std::vector<CDruckSeite*> pages;
  record.AddPrintPages(pages);  // loads the signature
  for (CDruckSeite* p : pages) delete p;
  ASSERT_TRUE(record.GetSignatureBitmap());
  const CVersuch copy = record;  // copies share the picture
  EXPECT_EQ(copy.GetSignatureBitmap(), record.GetSignatureBitmap());

  pdf = Draw(record, box);
  EXPECT_FALSE(pdf.Find("Unterschrift"));
  CDruckSeite page;
  page.Init(&record, 1);
  page.SetPrintRect(L, T, R, B);
  page.CalcLayout();
  const QImage image = chartrender::RenderImage([&](platform::DrawContext& dc) { page.DrawSignatureBox(dc); }, 21000, 29700);
  EXPECT_EQ(image.pixelColor((L + 15000) / 10, -(B + 1200) / 10), QColor(255, 0, 0));

  record.SetValue(1, 25, (folder_ / "missing.bmp").string());
  record.LoadSignatureBitmap();
  EXPECT_FALSE(record.GetSignatureBitmap());
  EXPECT_TRUE(copy.GetSignatureBitmap());
}

TEST_F(PageBlocks, RequirementRowsPrintCodesAndValues) {
  CVersuch record = reporttest::PageARecord();
  const PdfText pdf = Draw(record, [](CDruckSeite& page, platform::DrawContext& dc) {
    int y = -3000;
    for (const char* row : {"Erster:@2@12.50@<= 15.0@2@", "Zweiter:@@12.00@>= 10@1@", "Dritter:@@100@10-20@1a@",
                            "Fließkoeffizient [s]:@@12.50@@0@", "Fünfter:@@7.5@> 2@ @"}) {
      page.DrawRequirementRow(dc, 8000, y, row, false);
      y -= 400;
    }
  });
  auto row = [&pdf](const char* label) {
    const Word* w = pdf.Find(label);
    EXPECT_TRUE(w) << label;
    return w;
  };
  const Word* first = row("Erster:");
  ASSERT_TRUE(first);
  EXPECT_NEAR(first->right, 8000, 30);
  EXPECT_TRUE(RightOf(pdf, *first, "12.5"));
  const Word* limit = RightOf(pdf, *first, "15");
  ASSERT_TRUE(limit);
  EXPECT_NEAR(limit->left, 8000 + 3700, 30);
  const Word* sign = RightOf(pdf, *first, "≤");
  ASSERT_TRUE(sign);
  EXPECT_NEAR(sign->right, 8000 + 3600, 40);
  EXPECT_TRUE(RightOf(pdf, *first, "ja"));
  const Word* second = row("Zweiter:");
  ASSERT_TRUE(second);
  EXPECT_TRUE(RightOf(pdf, *second, "12"));
  EXPECT_TRUE(RightOf(pdf, *second, "≥"));
  EXPECT_TRUE(RightOf(pdf, *second, "nein"));
  const Word* third = row("Dritter:");
  ASSERT_TRUE(third);
  EXPECT_TRUE(RightOf(pdf, *third, "100"));
  const Word* range = RightOf(pdf, *third, "10-20");
  ASSERT_TRUE(range);
  EXPECT_NEAR(range->CentreX(), 8000 + 3700, 30);
  EXPECT_TRUE(RightOf(pdf, *third, "!"));
  const Word* flow = row("Fließkoeffizient");
  ASSERT_TRUE(flow);
  EXPECT_TRUE(RightOf(pdf, *flow, "12.50"));
  EXPECT_FALSE(RightOf(pdf, *flow, "ja"));
  EXPECT_FALSE(RightOf(pdf, *flow, "nein"));
  const Word* fifth = row("Fünfter:");
  ASSERT_TRUE(fifth);
  EXPECT_TRUE(RightOf(pdf, *fifth, ">"));

  EXPECT_EQ(TrimDecimalZeros("12.50"), "12.5");
  EXPECT_EQ(TrimDecimalZeros("12.00"), "12");
  EXPECT_EQ(TrimDecimalZeros("100"), "100");
  EXPECT_EQ(CutTrailingPointZero("1.0"), "1");
  EXPECT_EQ(CutTrailingPointZero("10.05"), "10.05");
  EXPECT_EQ(CutTrailingPointZero("10.0 5"), "10.0 5");
}

TEST_F(PageBlocks, SecondSievingFeedsLossAndWarning) {
  const struct {
    const char* name;
    const char* second;  // field 8
    const char* first;   // field 7
    bool warning;
  } cases[] = {
      {"second sieving at 2.3 %", "||0|0||1|1|100.5|98.2|2.3|1.7", "||0|0||1|1|200.0|190.0|0.5|0.4", true},
      {"second sieving at 0.9 %", "||0|0||1|1|100.5|98.2|0.9|1.7", "||0|0||1|1|200.0|190.0|5.0|0.4", false},
      {"second sieving at 1.0 %", "||0|0||1|1|100.5|98.2|1.0|1.7", "||0|0||1|1|200.0|190.0|0.2|0.4", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CVersuch record = reporttest::PageARecord();
    record.SetValue(3, 0, "1");
    record.SetField(8, c.second);
    record.SetField(7, c.first);
    ASSERT_TRUE(record.IsWetSieving());
    const PdfText pdf = PrintPage(record);
    for (const char* value : {"100.5", "98.2", "1.7"}) EXPECT_TRUE(pdf.Find(value)) << value;
    EXPECT_FALSE(pdf.Find("200.0"));
    EXPECT_EQ(pdf.Find("***") != nullptr, c.warning);
    // The loss block stands under the sieve table, not on it.
    const Word* sum = pdf.Find("Summe:");
    const Word* m1 = pdf.Find("M1");
    ASSERT_TRUE(sum && m1);
    EXPECT_LT(m1->top, sum->bottom);
  }
}

TEST_F(PageBlocks, SieveLossOfDryAndBallastRecords) {
  CVersuch record = reporttest::PageARecord();
  record.SetValue(3, 13, "");
  int top = 0, result = 0;
  PdfText pdf = Draw(record, [&](CDruckSeite& page, platform::DrawContext& dc) {
    top = page.GetLayout(SieveTableBox).top;
    result = page.DrawSieveLoss(dc, top);
  });
  EXPECT_EQ(result, top + 320);
  EXPECT_TRUE(pdf.Find("Probemenge"));
  EXPECT_FALSE(pdf.Find("Siebverlust"));

  CVersuch ballast = reporttest::PageARecord();
  ballast.SetField(5, "SDM;;Gleisschotter;;;;;;[SDM-DBDBDB-GS-0001]");
  ballast.SetValue(3, 11, "8.0");
  ballast.SetValue(3, 13, "10.05");
  ballast.SetValue(3, 14, "2.0");
  ASSERT_TRUE(ballast.IsGleisschotter());
  pdf = Draw(ballast, [&](CDruckSeite& page, platform::DrawContext& dc) { page.DrawSieveLoss(dc, -20000); });
  EXPECT_TRUE(pdf.Find("10.05"));  // ".0" inside a number stays
  EXPECT_FALSE(pdf.Find("10.0"));
  EXPECT_TRUE(pdf.Find("2"));
  EXPECT_TRUE(pdf.Find("8"));
  EXPECT_FALSE(pdf.Find("2.0"));
}

TEST_F(PageBlocks, LongFirstRequirementTableUsesNarrowRows) {
  for (int rows : {17, 18}) {
    SCOPED_TRACE(rows);
    CVersuch record = reporttest::PageARecord();
    std::string table;
    for (int i = 0; i < rows; ++i) table += "{Zeile:@" + std::to_string(i) + "@1.0@@2@}";
    record.SetValue(4, 0, table);
    record.SetField(23, "");
    int end = 0;
    Draw(record, [&](CDruckSeite& page, platform::DrawContext& dc) { end = page.DrawRequirementTables(dc, -10000); });
    EXPECT_EQ(end, -10000 - rows * (rows <= 17 ? 350 : 310) - 450);
  }
}

TEST_F(PageBlocks, HeaderRowsAndTheirHeight) {
  CVersuch record = reporttest::PageARecord();
  for (int part : {7, 8, 12, 20}) record.SetValue(1, part, "");  // no customer, information or place
  record.SetValue(30, 5, "DIN EN 12620");
  CDruckSeite page;
  page.Init(&record, 1);
  page.SetPrintRect(L, T, R, B);
  page.CalcLayout();
  std::vector<HeaderField> fields;
  std::vector<std::string> standard;
  EXPECT_EQ(page.BuildHeaderFields(fields, standard), -(8 * 330 + 330 + 2 * 120));
  EXPECT_EQ(fields.size(), 11u);
  EXPECT_EQ(standard, (std::vector<std::string>{"DIN EN 12620 "}));

  // 100 characters of standard wrap into lines of fewer than 40 characters.
  record.SetValue(30, 5, "DIN EN 12620 Gesteinskörnungen für Beton, DIN EN 933-1 Bestimmung der "
                         "Korngrößenverteilung Siebung");
  page.Init(&record, 1);
  EXPECT_EQ(page.BuildHeaderFields(fields, standard), -(8 * 330 + 330 * 3 + 2 * 120));
  EXPECT_EQ(standard.size(), 3u);

  // The test type prints as the list shows it: in English the material's
  // shared word in English.
  const EnglishLanguage english(kShippedEnglishFile);
  ASSERT_EQ(record.GetPruefart(), "Werkseigene Produktionskontrolle");
  page.BuildHeaderFields(fields, standard);
  EXPECT_TRUE(std::any_of(fields.begin(), fields.end(),
                          [](const HeaderField& f) { return f.value == "Factory production control"; }));
}

TEST_F(PageBlocks, ArmourstoneFirstPageIsTitledSo) {
  CVersuch record = reporttest::PageARecord();
  record.SetField(29, "[VA_GRUND:1][VA_WBS:0]");
  ASSERT_EQ(GetRecordPageLetters(record), "EF");
  const PdfText pdf = PrintPage(record);
  EXPECT_TRUE(pdf.Find("WASSERBAUSTEINE"));
  EXPECT_FALSE(pdf.Find("KORNSUMMENLINIE"));
  EXPECT_TRUE(pdf.Find("Prüf.-Nr.:"));
  EXPECT_TRUE(pdf.Find("Seite"));
}
