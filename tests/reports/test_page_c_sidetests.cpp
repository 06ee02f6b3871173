// Page C under the crushed surfaces, printed through the print job to PDF
// and read back with pdftotext -bbox: the composition of recycled material
// in both forms, the sand equivalent and the grains longer than 100 mm, each
// block at its offset.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/strutil.h"
#include "reports/druckseite.h"
#include "reports/print_record.h"
#include "reports/report_testing.h"
#include "services/pravikapp.h"
#include "support/temp_folder.h"

namespace {

using pdftest::PdfText;
using pdftest::Word;

// A recycled 0/32 with the composition of EN 933-11 and a sand equivalent.
std::string CompositionField() {
  return "4173.7|100.0|Rc Beton@Ru Gesteinskörnung@Rb Ziegel@Ra Asphalt@Rg Glas@X Sonstiges@@@@@@FL Schwimmendes@|"
         "70_GE@@10_LE@5_LE@2_LE@1_LE@@@@@@5_LE@|2513.4@1204.8@286.2@148.5@12.1@8.7@@@@@@9.5@|"
         "60.1@28.9@6.9@3.6@0.3@0.2@@@@@@2.3@|2@0@1@1@1@1@0@0@0@0@0@1@";
}

CVersuch PageCRecord(const std::string& statusList,
                     const std::string& sideTests = "[VA_RCZUS|Rc@|70_GE@][VA_SANDEQ|_GE|60|80|1.2.2024]") {
  CVersuch r = reporttest::PageARecord();
  r.SetField(29, statusList);
  std::string material = r.GetField(25);
  StrReplace(material, "{[VA_PLATT|15_LE]}", "{[VA_PLATT|15_LE]" + sideTests + "}");
  r.SetField(25, material);
  r.SetField(15, CompositionField());
  r.SetField(31, "10.0|7.5|75||10.0|7.6|76||76|>= 60|80|Ja");
  return r;
}

// A grading mixture of the plant's built-in materials with ten constituents.
CVersuch MixtureRecord() {
  CVersuch r = PageCRecord("[VA_GRUND:1][VA_RCZUS:1][VA_SANDEQ:8]");
  std::string field5 = r.GetField(5);
  StrSetField(field5, ';', 8, "[SDM-DBDBDB-RC-0041]");
  r.SetField(5, field5);
  std::string field15 = "1000.0|100.0|";
  for (int i = 0; i < 10; ++i) field15 += "Bestandteil" + std::to_string(i) + "|100.0|10.0|";
  r.SetField(15, field15);
  return r;
}

struct Printed {
  PdfText pdf;
  int X = 0, Y = 0;  // the side-test anchor in paper coordinates
};

// Printed under a header block that ends above the blocks' anchor, so that
// they keep their place (a long block moves them down).
Printed Print(CVersuch record, const std::filesystem::path& folder, const std::string& name) {
  record.SetValue(30, 5, "DIN EN 12620");
  const reporttest::PrintedRecord printed = reporttest::PrintRecordToPdf(record, folder, name);
  return {printed.pdf, printed.paper.left + 300, printed.paper.top - 5500};
}

// The top of the word below the anchor (positive downwards).
double Below(const Printed& p, const Word& w) { return p.Y - w.top; }

const Word* FindAfter(const PdfText& pdf, const std::string& text, double minBelow, const Printed& p) {
  for (const Word& w : pdf.words)
    if (w.text == text && p.Y - w.top >= minBelow) return &w;
  return nullptr;
}

class PageCSideTests : public ::testing::Test {
 protected:
  CPravikWinApp app_;
  TempFolder folder_;
};

}  // namespace

TEST_F(PageCSideTests, StandardCompositionThenSandEquivalent) {
  CVersuch record = PageCRecord("[VA_GRUND:1][VA_RCZUS:9][VA_SANDEQ:8]");
  ASSERT_EQ(GetRecordPageLetters(record), "C");
  const Printed p = Print(record, folder_.path(), "page_c_standard");

  const Word* title = p.pdf.Find("Stoffliche");
  ASSERT_NE(title, nullptr);
  EXPECT_NEAR(Below(p, *title), -500, 60);
  // Row 0 under the headings, the sum line after row 10, row 11 in its band.
  const Word* rc = p.pdf.Find("Rc");
  ASSERT_NE(rc, nullptr);
  EXPECT_NEAR(Below(p, *rc), 850, 60);
  EXPECT_NEAR(rc->left - p.X, 100, 30);
  const Word* sum = p.pdf.Find("4173.7");
  ASSERT_NE(sum, nullptr);
  EXPECT_NEAR(Below(p, *sum), 4470, 60);
  EXPECT_NEAR(sum->right - p.X, 8300, 30);
  const Word* floating = p.pdf.Find("FL");
  ASSERT_NE(floating, nullptr);
  EXPECT_NEAR(Below(p, *floating), 5470, 60);
  const Word* perKg = p.pdf.Find("2.3");
  ASSERT_NE(perKg, nullptr);
  EXPECT_NEAR(perKg->right - p.X, 9700, 30);
  // Requirements readable, fulfilment in words.
  EXPECT_NE(p.pdf.Find(">="), nullptr);
  EXPECT_NE(p.pdf.Find("70"), nullptr);
  EXPECT_NE(p.pdf.Find("nein"), nullptr);
  EXPECT_NE(p.pdf.Find("ja"), nullptr);

  // The sand equivalent 5920 + 300 below the composition's top.
  const Word* se = p.pdf.Find("Sandäquivalent");
  ASSERT_NE(se, nullptr);
  EXPECT_NEAR(Below(p, *se), 6220, 60);
  const Word* mean = FindAfter(p.pdf, "Mittelwert", 6220, p);
  ASSERT_NE(mean, nullptr);
  EXPECT_NEAR(Below(p, *mean), 6220 + 1000 + 50, 60);
  const Word* verdict = p.pdf.Find("Ja");
  ASSERT_NE(verdict, nullptr);
  EXPECT_NEAR(Below(p, *verdict), 6220 + 2500 + 50, 60);
  EXPECT_NEAR(verdict->right - p.X, 7500, 30);
  const Word* second = p.pdf.Find("76");
  ASSERT_NE(second, nullptr);
  EXPECT_NEAR(Below(p, *second), 6220 + 500 + 50, 60);
}

TEST_F(PageCSideTests, MixtureSumLineClearOfTheNextBlock) {
  CVersuch record = MixtureRecord();
  ASSERT_TRUE(record.IsKorngemisch());
  const Printed p = Print(record, folder_.path(), "page_c_mixture");
  const Word* last = p.pdf.Find("Bestandteil9");
  ASSERT_NE(last, nullptr);
  EXPECT_NEAR(Below(p, *last), 1220 + 9 * 320, 60);
  const Word* sum = p.pdf.Find("1000.0");
  ASSERT_NE(sum, nullptr);
  EXPECT_NEAR(Below(p, *sum), 1320 + 10 * 320, 60);
  const Word* se = p.pdf.Find("Sandäquivalent");
  ASSERT_NE(se, nullptr);
  EXPECT_NEAR(Below(p, *se), ZusammRecycKorngemischHeight(10), 60);
  EXPECT_GT(sum->bottom, se->top + 200);  // a gap between the sum line and the next title
  EXPECT_EQ(ZusammRecycKorngemischHeight(0), 4500);
  EXPECT_EQ(ZusammRecycKorngemischHeight(10), 5140);
}

TEST_F(PageCSideTests, SandEquivalentAlonePrintsItsPage) {
  CVersuch record = PageCRecord("[VA_GRUND:1][VA_SANDEQ:7]", "[VA_SANDEQ|_GE|60|80|1.2.2024]");
  record.SetField(15, "");
  ASSERT_EQ(GetRecordPageLetters(record), "C");
  const Printed p = Print(record, folder_.path(), "page_c_sandeq");
  const Word* se = p.pdf.Find("Sandäquivalent");
  ASSERT_NE(se, nullptr);
  EXPECT_NEAR(Below(p, *se), 0, 60);
  EXPECT_EQ(p.pdf.Find("Stoffliche"), nullptr);
  for (const char* caption : {"Einzelwerte", "Eignungsprüfung", "erfüllt"}) EXPECT_NE(p.pdf.Find(caption), nullptr) << caption;
}

TEST_F(PageCSideTests, CompositionKeyWithoutResultStillMovesTheNextBlock) {
  CVersuch record = PageCRecord("[VA_GRUND:1][VA_RCZUS:0][VA_SANDEQ:8]");
  record.SetField(15, "");
  const Printed p = Print(record, folder_.path(), "page_c_no_composition");
  EXPECT_EQ(p.pdf.Find("Stoffliche"), nullptr);
  const Word* se = p.pdf.Find("Sandäquivalent");
  ASSERT_NE(se, nullptr);
  EXPECT_NEAR(Below(p, *se), 300, 60);
}

TEST_F(PageCSideTests, GrainsLongerThan100mmUnderTheSandEquivalent) {
  CVersuch record = PageCRecord("[VA_GRUND:1][VA_RCZUS:9][VA_SANDEQ:8][VA_100MM:8]",
                                "[VA_RCZUS|Rc@|70_GE@][VA_SANDEQ|_GE|60|80|1.2.2024][VA_100MM|1_LE]");
  record.SetField(16, "0.6|1_LE|<= 1|1|||||||150.0");
  const Printed p = Print(record, folder_.path(), "page_c_grains100");
  // Composition 5920 + 300, sand equivalent 3000 + 300.
  constexpr int kTop = 5920 + 300 + 3000 + 300;
  // The header above the anchor has a "Bestimmung" of its own.
  const Word* title = FindAfter(p.pdf, "Bestimmung", 0, p);
  ASSERT_NE(title, nullptr);
  EXPECT_NEAR(Below(p, *title), kTop, 60);
  EXPECT_NEAR(title->left - p.X, 0, 30);
  for (const char* heading : {"Körner", "länger", "Anteil", "Soll"})
    EXPECT_NE(FindAfter(p.pdf, heading, kTop + 500, p), nullptr) << heading;
  // The values centred in their columns, the verdict line under the grid.
  const Word* mass = p.pdf.Find("150.0");
  ASSERT_NE(mass, nullptr);
  EXPECT_NEAR(Below(p, *mass), kTop + 1690, 60);
  EXPECT_NEAR((mass->left + mass->right) / 2 - p.X, 1500, 40);
  const Word* share = FindAfter(p.pdf, "0.6", kTop, p);
  ASSERT_NE(share, nullptr);
  EXPECT_NEAR((share->left + share->right) / 2 - p.X, 4400, 40);
  const Word* limit = FindAfter(p.pdf, "<=", kTop, p);
  ASSERT_NE(limit, nullptr);
  EXPECT_NEAR(Below(p, *limit), kTop + 1690, 60);
  EXPECT_GT(limit->left - p.X, 5800);
  const Word* verdict = FindAfter(p.pdf, "Anforderung", kTop + 2100, p);
  ASSERT_NE(verdict, nullptr);
  EXPECT_NEAR(Below(p, *verdict), kTop + 2200, 60);
  const Word* yes = FindAfter(p.pdf, "Ja", kTop + 2100, p);
  ASSERT_NE(yes, nullptr);
  EXPECT_NEAR(Below(p, *yes), kTop + 2200, 60);
}

TEST_F(PageCSideTests, GrainsAloneWithTheirVerdict) {
  struct Case {
    const char* fulfilment;
    const char* verdict;  // nullptr: no verdict line
  };
  for (const Case& c : {Case{"2", "Nein"}, Case{"0", nullptr}, Case{"", nullptr}}) {
    CVersuch record = PageCRecord("[VA_GRUND:1][VA_100MM:9]", "[VA_100MM|0.5_LE]");
    record.SetField(15, "");
    record.SetField(16, std::string("0.6|0.5_LE|<= 0.5|") + c.fulfilment + "|||||||150.0");
    ASSERT_EQ(GetRecordPageLetters(record), "C");
    const Printed p = Print(record, folder_.path(), std::string("page_c_grains_") + c.fulfilment);
    const Word* title = FindAfter(p.pdf, "Bestimmung", -200, p);
    ASSERT_NE(title, nullptr) << c.fulfilment;
    EXPECT_NEAR(Below(p, *title), 0, 60);
    EXPECT_EQ(p.pdf.Find("Sandäquivalent"), nullptr);
    const Word* line = FindAfter(p.pdf, "erfüllt:", 2100, p);
    if (!c.verdict) {
      EXPECT_EQ(line, nullptr) << c.fulfilment;
      continue;
    }
    ASSERT_NE(line, nullptr);
    EXPECT_NE(FindAfter(p.pdf, c.verdict, 2100, p), nullptr);
  }
}

TEST_F(PageCSideTests, BlocksLieBelowALongHeader) {
  // Without crushed surfaces the composition is the page's first block.
  reporttest::ExpectClearOfALongHeader(PageCRecord("[VA_GRUND:1][VA_RCZUS:9][VA_SANDEQ:8]"), folder_.path(),
                                       "page_c_long_header", "Sandäquivalent");
}
