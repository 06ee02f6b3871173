// Pages E and F (armourstone) printed through the print job to PDF and read
// back with pdftotext -bbox, in the size form (a sieving with stone shapes)
// and the mass form (single stones weighed).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "evaluation/wasserbausteine/groessenverteilung.h"
#include "evaluation/wasserbausteine/massenverteilung.h"
#include "fixtures/dlgbase/english_language.h"
#include "reports/print_record.h"
#include "reports/report_testing.h"
#include "services/pravikapp.h"
#include "support/temp_folder.h"

namespace {

using pdftest::PdfText;
using pdftest::Word;

// The hand-computed "CP 45/125" sieving with three stones measured.
std::string SizeField() {
  SizeDistributionInput in;
  in.category = "CP 45/125";
  const std::pair<int, const char*> residues[] = {{3, "0"},     {4, "130.5"}, {5, "310.6"}, {6, "452.8"},
                                                  {7, "228.4"}, {8, "61.7"},  {9, "18.9"},  {10, "6.2"}};
  for (const auto& [row, mass] : residues) in.residues[static_cast<size_t>(row)] = mass;
  std::string field;
  WriteWBSSizeData(field, StoreSizeDistribution(in).data);
  StoneShapeInput stones;
  stones.categoryIndex = kShapeLTA;
  const std::pair<const char*, const char*> shapes[] = {{"71", "21"}, {"62", "31"}, {"53", "25"}};
  for (size_t i = 0; i < 3; ++i) {
    stones.lengths[i] = shapes[i].first;
    stones.thicknesses[i] = shapes[i].second;
  }
  WriteWBSShapeData(field, StoneShapeData(ComputeStoneShape(stones), kShapeLTA, "LT A"));
  return field;
}

// Sixty stones of "LMA 10/60" from 3 to 62 kg, every tenth badly shaped, with
// 0.40 kg of dust.
std::string MassField() {
  MassDistributionInput in;
  in.category = "LMA 10/60";
  in.massClass = kMassClassLight;
  in.dust = "0.4";
  for (size_t i = 0; i < 60; ++i) {
    in.masses[i] = std::to_string(3 + i);
    in.lengths[i] = i % 10 == 9 ? "80" : "50";
    in.thicknesses[i] = "20";
  }
  std::string field;
  WriteWBSMassData(field, ComputeMassDistribution(in).data);
  return field;
}

CVersuch Record(const std::string& field26, const std::string& status) {
  CVersuch r = reporttest::PageARecord();
  r.SetField(29, "[VA_GRUND:1][VA_SIEBL:0][VA_WBS:" + status + "]");
  r.SetField(26, field26);
  return r;
}

int Count(const PdfText& pdf, const std::string& text, int page) {
  int n = 0;
  for (const Word& w : pdf.words) n += w.text == text && w.page == page ? 1 : 0;
  return n;
}

// The words on the line of a word (centres within 60), left to right.
std::vector<Word> LineOf(const PdfText& pdf, const Word& word) {
  std::vector<Word> line;
  for (const Word& w : pdf.words)
    if (w.page == word.page && std::abs(w.CentreY() - word.CentreY()) < 60) line.push_back(w);
  std::sort(line.begin(), line.end(), [](const Word& a, const Word& b) { return a.left < b.left; });
  return line;
}

std::string Texts(const std::vector<Word>& words) {
  std::string out;
  for (const Word& w : words) out += (out.empty() ? "" : " ") + w.text;
  return out;
}

// The texts of the line of the word's first place on the page; empty, and a
// failure, when the page lacks the word.
std::string LineAt(const PdfText& pdf, const char* word, int page) {
  const Word* at = pdf.Find(word, page);
  if (!at) {
    ADD_FAILURE() << "no \"" << word << "\" on page " << page;
    return "";
  }
  return Texts(LineOf(pdf, *at));
}

class PageE : public ::testing::Test {
 protected:
  CPravikWinApp app_;
  TempFolder folder_;
};

TEST_F(PageE, SizeFormTablesChartAndStoneShapes) {
  CVersuch record = Record(SizeField(), "9");
  const reporttest::PrintedRecord printed = reporttest::PrintRecordToPdf(record, folder_.path(), "page_e_size");
  const PdfText& pdf = printed.pdf;
  ASSERT_EQ(pdf.pages.size(), 2u);
  EXPECT_TRUE(pdf.Find("WASSERBAUSTEINE", 1));

  // The category with its second part lowered: one word reaching 100 lower than its label.
  const Word* label = pdf.Find("Kategorie:", 1);
  const Word* category = pdf.Find("CP45/125", 1);
  ASSERT_TRUE(label && category);
  EXPECT_NEAR(label->bottom - category->bottom, 100, 30);
  EXPECT_NEAR(label->top, category->top, 10);

  // The sieve table: eight rows with a share (360 and 250 mm take no line),
  // the running sum, no passing value in the pan row, the sums under it.
  const Word* summe = pdf.Find("Summe:", 1);
  const Word* row125 = pdf.Find("130.5", 1);
  const Word* row31 = pdf.Find("61.7", 1);
  const Word* pan = pdf.Find("6.2", 1);
  ASSERT_TRUE(summe && row125 && row31 && pan);
  EXPECT_EQ(LineAt(pdf, "Summe:", 1), "Summe: 1209.1 100.0");
  EXPECT_EQ(LineAt(pdf, "130.5", 1), "125 130.5 10.8 10.8 89 90-100");
  EXPECT_EQ(LineAt(pdf, "61.7", 1), "31 .5 61.7 5.1 97.9 2");
  EXPECT_EQ(LineAt(pdf, "6.2", 1), "< 22 .4 6.2 0.5 100.0");
  EXPECT_NEAR(row31->top - pan->top, 2 * 320, 20);
  EXPECT_NEAR(pdf.Find("0.0", 1)->top - row125->top, 320, 20);  // 180 mm, the first row
  EXPECT_FALSE(pdf.Find("360", 1) && pdf.Find("360", 1)->top > summe->top);  // only on the chart's axis

  // The requirement table: a heading and five sieves.
  EXPECT_EQ(LineAt(pdf, "Sieb", 1).rfind("Sieb [mm] Ist [%] Soll [%] erfüllt?", 0), 0u);
  EXPECT_EQ(Count(pdf, "98-100", 1), 2);  // in both tables
  EXPECT_EQ(Count(pdf, "nein", 1), 1 + 1);  // 125 mm and the stone shape
  // The stone-shape result.
  const Word* valid = pdf.Find("gültige", 1);
  ASSERT_TRUE(valid);
  const std::string counts = LineAt(pdf, "33.3", 1);
  ASSERT_NE(counts.find("3 1 33.3"), std::string::npos) << counts;
  EXPECT_EQ(counts.substr(counts.find("3 1 33.3")), "3 1 33.3 20 nein");
  // The chart's titles and labels.
  for (const char* word : {"Siebdurchgang", "Sieböffnungsweite", "22.4", "31.5", "180", "250", "360"})
    EXPECT_TRUE(pdf.Find(word, 1)) << word;

  // Page F: the 220 stones in three groups.
  EXPECT_TRUE(pdf.Find("Steinform", 2));
  for (int n = 1; n <= 220; ++n) EXPECT_GE(Count(pdf, std::to_string(n), 2), 1) << n;
  EXPECT_FALSE(pdf.Find("221", 2));
  EXPECT_EQ(LineAt(pdf, "71.0", 2).substr(0, 17), "1 71.0 21.0 3.4 j");
  EXPECT_EQ(Count(pdf, "ja", 2), 1);
  EXPECT_EQ(Count(pdf, "nein", 2), 2);
}

TEST_F(PageE, MassFormTableChartStonesAndSums) {
  CVersuch record = Record(MassField(), "8");
  const reporttest::PrintedRecord printed = reporttest::PrintRecordToPdf(record, folder_.path(), "page_e_mass");
  const PdfText& pdf = printed.pdf;
  ASSERT_EQ(pdf.pages.size(), 2u);
  for (const char* word : {"Massenverteilung", "Gewichtsklasse:", "LMA10/60", "Leicht"})
    EXPECT_TRUE(pdf.Find(word, 1)) << word;

  // The table: heading, four limits, the badly shaped stones by mass and number.
  EXPECT_EQ(LineAt(pdf, "Bereich", 1), "Bereich Ist Ist [%] Soll [%] erfüllt?");
  EXPECT_EQ(LineAt(pdf, "120.00", 1), "0.0 - 120.00 kg 1950.40 kg 100.0 97-100 ja");
  const Word* byMass = pdf.Find("<=20", 1);
  ASSERT_TRUE(byMass);
  EXPECT_EQ(LineOf(pdf, *byMass).front().text, "Schlecht");
  // Chart titles and labels.
  for (const char* word : {"[Masse-%]", "[kg]", "Sollwertgrenzen", "100"}) EXPECT_TRUE(pdf.Find(word, 1)) << word;

  // Stones 1 to 50 on page E, 51 to 220 on page F, and no more.
  for (int n = 1; n <= 50; ++n) EXPECT_GE(Count(pdf, std::to_string(n) , 1), 1) << n;
  EXPECT_EQ(LineAt(pdf, "3.00", 1).substr(0, 18), "1 3.00 50.0 20.0 2");  // and stone 26 beside it
  EXPECT_NE(LineAt(pdf, "12.00", 1).find("10 12.00 80.0 20.0 12.00"), std::string::npos);
  for (int n = 51; n <= 220; ++n) EXPECT_GE(Count(pdf, std::to_string(n), 2), 1) << n;
  EXPECT_FALSE(pdf.Find("221", 2));
  EXPECT_EQ(Count(pdf, "62.00", 2), 2);  // stone 60: its band and badly shaped
  // The sums under the second group.
  EXPECT_NE(LineAt(pdf, "gesamte", 2).find("Masse gesamte Probe [kg]: 1950.4"), std::string::npos);
  // (The margin's version line may share the height.)
  EXPECT_EQ(LineAt(pdf, "Staub", 2).rfind("+ Staub 0.40", 0), 0u);
}

// The lowest edge of the header block on a page: its last line, "Entnahme am:".
double HeaderBottom(const PdfText& pdf, int page) {
  double bottom = 0;
  for (const Word& w : pdf.words)
    if (w.page == page && w.text == "Entnahme")
      for (const Word& other : LineOf(pdf, w))
        if (other.text == "am:") bottom = std::min(bottom, other.bottom);
  return bottom;
}

TEST_F(PageE, TitlesLieBelowALongHeader) {
  // The record's header block runs lower than the pages' own first line
  // (a standard of four lines, a customer, site and sampling place): each
  // page's title lies below it, and what follows below the title.
  const struct {
    std::string field;
    int page;
    const char* title;   // the title's lowest word
    const char* next;    // the first word under the title
  } cases[] = {{SizeField(), 1, "CP45/125", "Siebtabelle"},
               {SizeField(), 2, "Tabelle", "Nr."},
               {MassField(), 1, "LMA10/60", "Bereich"},
               {MassField(), 2, "LMA10/60", "Nr."}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.title) + " on page " + std::to_string(c.page));
    CVersuch record = Record(c.field, "8");
    const PdfText pdf = reporttest::PrintRecordToPdf(record, folder_.path(), "page_e_header").pdf;
    const double header = HeaderBottom(pdf, c.page);
    ASSERT_LT(header, 0);
    const Word* title = pdf.Find(c.title, c.page);
    const Word* next = pdf.Find(c.next, c.page);
    ASSERT_TRUE(title && next);
    EXPECT_LT(title->top, header);
    for (const Word& w : LineOf(pdf, *title)) EXPECT_LT(w.top, header) << w.text;
    EXPECT_LT(next->top, title->bottom);
  }
}

TEST_F(PageE, ChartTitlesAndTableHeadingsInTheirOwnTranslations) {
  EnglishLanguage english;
  CVersuch record = Record(MassField(), "8");
  const reporttest::PrintedRecord printed = reporttest::PrintRecordToPdf(record, folder_.path(), "page_e_english");
  const PdfText& pdf = printed.pdf;
  // The heading of the table and the chart title each from their own text.
  const Word* heading = pdf.Find("T[erfüllt?]", 1);
  ASSERT_TRUE(heading);
  EXPECT_TRUE(pdf.Find("T[Summe", 1));
  EXPECT_TRUE(pdf.Find("[Masse-%]]", 1));
  EXPECT_TRUE(pdf.Find("T[Masse", 1));
  EXPECT_EQ(Count(pdf, "T[Ist]", 1), 2);  // "Ist" and "Ist [%]"
  EXPECT_TRUE(pdf.Find("T[Soll]", 1));

  CVersuch size = Record(SizeField(), "9");
  const PdfText sizePdf = reporttest::PrintRecordToPdf(size, folder_.path(), "page_e_size_english").pdf;
  EXPECT_TRUE(sizePdf.Find("T[Sieb", 1));
  EXPECT_TRUE(sizePdf.Find("T[Siebdurchgang", 1));
  EXPECT_TRUE(sizePdf.Find("T[Sieböffnungsweite", 1));
}

// The fulfilment words the weighing stores ("ja", "nein") print in the
// report's language, as the words the page makes itself do.
TEST_F(PageE, StoredFulfilmentWordsInThePrintedLanguage) {
  EnglishLanguage english;
  std::string field = MassField();
  WBSMassData data = ReadWBSMassData(field);
  data.table[kWBSWords] = {"ja", "nein", "ja", "nein", ".", "."};
  WriteWBSMassData(field, data);
  CVersuch record = Record(field, "9");
  const PdfText pdf = reporttest::PrintRecordToPdf(record, folder_.path(), "page_e_words").pdf;
  EXPECT_EQ(Count(pdf, TranslateString(6001, "nein", true), 1), 2);
  EXPECT_EQ(Count(pdf, "nein", 1), 0);
}

}  // namespace
