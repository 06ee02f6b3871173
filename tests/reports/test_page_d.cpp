// Page D (alkali classification): the template engine on its own, and the
// page printed through the print job to PDF and read back with pdftotext -bbox.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <set>
#include <string>

#include "evaluation/alkali/alkali.h"
#include "records/strutil.h"
#include "reports/celltemplate.h"
#include "reports/page_d.h"
#include "reports/print_record.h"
#include "reports/side_page_records.h"
#include "services/pravikapp.h"
#include "support/temp_folder.h"

namespace {

using pdftest::PdfText;
using pdftest::Word;

// The first word "Die" on the line of the classification sentence.
const Word* SentenceStart(const PdfText& pdf) {
  const Word* group = pdf.Find("Korngruppe/Lieferkörnung");
  if (!group) return nullptr;
  for (const Word& w : pdf.words)
    if (w.text == "Die" && std::abs(w.top - group->top) < 20) return &w;
  return nullptr;
}

}  // namespace

TEST(CellTemplate, CellsLinesStylesAndPlaceholders) {
  const auto cells = ParseCellTemplate("{00 02 01 03|a_L s_3 fa_B  f_serif|Titel}{2 3 3 4|a_C s_0  f_mono|#A1}"
                                       "{04 05 05 06|a_R|x}{1 2|a_L|kaputt}");
  ASSERT_EQ(cells.size(), 3u);  // an entry without four grid indexes is left out
  EXPECT_EQ(cells[1].c1, 2);
  EXPECT_EQ(cells[1].r2, 4);
  EXPECT_EQ(cells[0].text, "Titel");
  const struct {
    const char* attributes;
    CellAlignment alignment;
    CellFont font;
  } styles[] = {
      {"a_L s_3 fa_B  f_serif", CellAlignment::kLeft, CellFont::kSectionTitle},
      {"a_C s_0  f_mono", CellAlignment::kCentre, CellFont::kValue},
      {"a_R a_L s_3 f_mono", CellAlignment::kLeft, CellFont::kSectionTitle},
      {"a_R", CellAlignment::kRight, CellFont::kText},
      {"a_Links s_30", CellAlignment::kCentre, CellFont::kText},
  };
  for (const auto& s : styles) {
    EXPECT_EQ(CellStyleOf(s.attributes).alignment, s.alignment) << s.attributes;
    EXPECT_EQ(CellStyleOf(s.attributes).font, s.font) << s.attributes;
  }
  const std::map<std::string, std::string> values = {{"A1", "12.5"}};
  EXPECT_EQ(CellText("#A1", values), "12.5");
  EXPECT_EQ(CellText("#A2", values), "");
  EXPECT_EQ(CellText("mm", values), "mm");

  const auto lines = ParseLineTemplate("{00 01 02 01 1}{3 4 3 5 1}");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].r2, 5);

  auto pieces = [](const std::string& text) {
    std::string out;
    for (const CellMarkupPiece& p : SplitCellMarkup(text, 90)) out += "[" + p.text + "@" + std::to_string(p.offset) + "]";
    return out;
  };
  EXPECT_EQ(pieces("Masse (abzügl. G<t>NW<n>)"), "[Masse (abzügl. G@0][NW@-90][)@0]");
  EXPECT_EQ(pieces("< 1"), "[< 1@0]");
  EXPECT_EQ(pieces("<t>x"), "[<t>x@0]");  // a "<" in the first place is a character
  EXPECT_EQ(pieces("> 32"), "[> 32@0]");
}

TEST(CellTemplate, PageDTableGrid) {
  const std::vector<int> x = AlkaliTableColumns(500);
  ASSERT_GE(x.size(), 11u);
  EXPECT_EQ(x[1], 2500);
  EXPECT_EQ(x[3], 6500);
  EXPECT_EQ(x[10], 500 + 16500);
  const std::vector<int> y = AlkaliTableRows(0);
  ASSERT_EQ(y.size(), 100u);
  EXPECT_EQ(y[1], -600);
  EXPECT_EQ(y[2], -1100);
  EXPECT_EQ(y[29], -29 * 500 - 400);

  EXPECT_EQ(AlkaliTableCells().size(), 179u);
  EXPECT_EQ(AlkaliTableLines().size(), 476u);
  // Every cell is one column wide and one row high, but "Erweichte Körner".
  for (const TemplateCell& cell : AlkaliTableCells()) {
    EXPECT_EQ(cell.c2, cell.c1 + 1) << cell.text;
    EXPECT_EQ(cell.r2, cell.r1 + (cell.text == "Erweichte Körner" ? 2 : 1)) << cell.text;
  }
  // Every line is one cell long, inside the grid of 10 columns and 29 rows.
  for (const TemplateLine& line : AlkaliTableLines()) {
    EXPECT_EQ(std::abs(line.c2 - line.c1) + std::abs(line.r2 - line.r1), 1);
    EXPECT_LE(std::max(line.c1, line.c2), 10);
    EXPECT_LE(std::max(line.r1, line.r2), 29);
  }
}

namespace {

class PageD : public ::testing::Test {
 protected:
  // Prints the record; the grid of the table in paper coordinates.
  void Print(CVersuch& record, const std::string& name) {
    const reporttest::PrintedRecord printed = reporttest::PrintRecordToPdf(record, folder_.path(), name);
    pdf_ = printed.pdf;
    x_ = AlkaliTableColumns(printed.paper.left + 500);
    y_ = AlkaliTableRows(printed.paper.top - 5500 - 460 - 800 - 460);
  }
  // A word centred in a cell of the grid.
  const Word* InCell(const std::string& text, int c1, int r1, int c2, int r2) const {
    for (const Word& w : pdf_.words)
      if (w.text == text && w.CentreX() > x_[c1] && w.CentreX() < x_[c2] && w.CentreY() < y_[r1] && w.CentreY() > y_[r2])
        return &w;
    return nullptr;
  }

  CPravikWinApp app_;
  TempFolder folder_;
  PdfText pdf_;
  std::vector<int> x_, y_;
};

std::set<std::string> Words(std::string text) {
  StrReplace(text, "<t>", " ");
  StrReplace(text, "<n>", " ");
  std::set<std::string> words;
  for (int i = 0; i < StrCountFields(text, ' '); ++i)
    if (!StrGetField(text, ' ', i).empty()) words.insert(StrGetField(text, ' ', i));
  return words;
}

}  // namespace

TEST_F(PageD, FilledFieldPrintsEveryCellAndTheClassification) {
  const std::string field = reporttest::AlkaliField();
  CVersuch record = reporttest::AlkaliRecord(field);
  Print(record, "page_d_filled");
  ASSERT_EQ(pdf_.pages.size(), 1u);
  const auto values = ParseAlkaliData(field);
  for (const TemplateCell& cell : AlkaliTableCells()) {
    if (cell.text[0] == '#') {
      // A placeholder shows its value in its cell, or nothing.
      const auto it = values.find(cell.text.substr(1));
      if (it == values.end()) continue;
      EXPECT_TRUE(InCell(it->second, cell.c1, cell.r1, cell.c2, cell.r2)) << cell.text;
      continue;
    }
    for (const std::string& word : Words(cell.text)) {
      if (word == "G" || word == "NW" || word == ")") continue;
      EXPECT_TRUE(pdf_.Find(word)) << word << " of " << cell.text;
    }
  }
  EXPECT_TRUE(InCell("Prüfkornklasse", 0, 1, 1, 2));
  EXPECT_TRUE(InCell("< 1", 3, 1, 4, 2) || InCell("<", 3, 1, 4, 2));
  EXPECT_TRUE(InCell("X", 5, 24, 6, 25));  // 2/4 is E II-O

  // "NW" after the G, 90 lower: the word reaches 90 further down than its neighbour.
  const Word* abzuegl = pdf_.Find("(abzügl.");
  const Word* gnw = pdf_.Find("GNW)");
  ASSERT_TRUE(abzuegl && gnw);
  EXPECT_NEAR(gnw->top, abzuegl->top, 5);
  EXPECT_NEAR(gnw->bottom - abzuegl->bottom, -90, 10);

  // The sentence 300 below the table, the remark 500 below it.
  const Word* sentence = SentenceStart(pdf_);
  ASSERT_TRUE(sentence);
  EXPECT_NEAR(sentence->top, y_[29] - 300, 40);
  EXPECT_NEAR(sentence->left, x_[0], 30);
  for (const char* part : {"0/32", "E", "II-O", "-", "II-OF", "einzustufen."}) EXPECT_TRUE(pdf_.Find(part)) << part;
  const Word* remark = pdf_.Find("Bemerkungen:");
  ASSERT_TRUE(remark);
  EXPECT_NEAR(remark->top, sentence->top - 500, 40);
  const Word* single = pdf_.Find("Einzelprüfung.");
  ASSERT_TRUE(single);
  EXPECT_GT(single->left, x_[0] + 4000 - 30);
  EXPECT_TRUE(pdf_.Find("Zertifizierungsstelle."));
}

TEST_F(PageD, EmptyFieldPrintsTheTableWithoutValues) {
  CVersuch record = reporttest::AlkaliRecord("");
  Print(record, "page_d_empty");
  for (const TemplateCell& cell : AlkaliTableCells()) {
    if (cell.text[0] == '#') continue;
    for (const std::string& word : Words(cell.text)) {
      if (word == "G" || word == "NW" || word == ")") continue;
      EXPECT_TRUE(pdf_.Find(word)) << word;
    }
  }
  for (const char* value : {"X", "11190.0", "0/32"}) EXPECT_FALSE(pdf_.Find(value)) << value;
  // Of the bold parts of the sentence only "/", " mm" and " - " remain.
  const Word* is = pdf_.Find("einzustufen.");
  ASSERT_TRUE(is);
  int slashes = 0, dashes = 0;
  for (const Word& w : pdf_.words) {
    if (std::abs(w.CentreY() - is->CentreY()) > 60) continue;
    slashes += w.text == "/" ? 1 : 0;
    dashes += w.text == "-" ? 1 : 0;
  }
  EXPECT_EQ(slashes, 1);
  EXPECT_EQ(dashes, 1);
  ASSERT_TRUE(SentenceStart(pdf_));
  EXPECT_NEAR(SentenceStart(pdf_)->top, y_[29] - 300, 40);
}

TEST_F(PageD, TableLiesBelowALongHeader) {
  reporttest::ExpectClearOfALongHeader(reporttest::AlkaliRecord(reporttest::AlkaliField()), folder_.path(),
                                       "page_d_long_header", "Zertifizierungsstelle.");
}
