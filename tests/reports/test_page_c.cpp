// Page C: the crushed-surfaces block of records written by the dialog in its
// three ways of calculating and of a record of the older dialog, drawn on a
// PDF page without margins and read back with pdftotext -bbox; the column
// lines checked on an image.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "charts/chart_render.h"
#include "evaluation/bruchflaechigkeit/bruchflaechigkeit.h"
#include "platform/pdf_words.h"
#include "reports/druckseite.h"
#include "reports/print_record.h"
#include "services/pravikapp.h"
#include "support/temp_folder.h"

namespace {

using pdftest::PdfText;
using pdftest::Word;

constexpr int L = 1700, T = -800, R = 20000, B = -28300;
// The anchor of the block.
constexpr int X = L + 500, Y = T - 5500;

CVersuch BaseRecord(const std::string& number, const std::string& bruchEntry) {
  CVersuch r;
  r.SetField(0, "12-3-240307081500");
  r.SetField(1, number + "|||-1||20240307|20240307");
  r.SetField(18, "Edelsplitt 4/16|DIN EN 12620|5000.0");
  r.SetField(25, "{0}{3-2403070815001|Edelsplitt 4/16|0.063 2 4 8 16 31.5||2024-03-05 08:00|}{1|0.063|31.5}"
                 "{Brechkorn|DIN EN 12620|Werkseigene Produktionskontrolle|10.00|20240101}{}{" + bruchEntry + "}{}");
  r.SetField(29, "[VA_GRUND:1][VA_BRUCH:8]");
  return r;
}

struct RowIn {
  const char* m1;
  const char* mtc;
  const char* mpc;
  const char* mop;
  const char* mtr;
  const char* einwaage;
};

// A record as the dialog leaves it after computing the rows in the mode.
CVersuch DialogRecord(const std::string& number, const std::string& names, int mode, const std::vector<RowIn>& rows,
                      const std::string& classEntry = "") {
  CVersuch record = BaseRecord(number, "[VA_BRUCH|90_GE|3_LE||" + names + "|||]");
  const BruchRequirement requirement = BruchRequirementOf(record);
  BruchTable t;
  ApplyBruchModeToTable(t, mode, requirement.classNames);
  for (size_t i = 0; i < rows.size(); ++i) {
    BruchRow& r = t.rows[i];
    r.m1 = rows[i].m1;
    r.mass = {rows[i].mtc, rows[i].mpc, rows[i].mop, rows[i].mtr};
    r.einwaage = rows[i].einwaage;
  }
  WriteBruchRecord(record, ComputeBruchMultiClass(t, requirement.codes), classEntry);
  return record;
}

// Two size classes of a 4/16 aggregate with an empty class between them.
CVersuch SeveralClassesRecord() {
  return DialogRecord("12-3-0301", "16/22¿8/16¿4/8", kSeveralClasses,
                      {{"1450", "620", "120", "40", "20", "800"}, {"", "", "", "", "", ""}, {"1200", "180", "40", "20", "10", "252"}});
}

// A record of the older dialog: labels of ten fixed classes in part 8, no
// part 19, the column sums as Mtr, Mop, Mpc, Mtc; classes 8/11 and 16/22 filled.
CVersuch OlderDialogRecord() {
  CVersuch r = BaseRecord("12-3-0099", "[VA_BRUCH|90_GE|3_LE|||||]");
  std::vector<std::string> p(42);
  p[3] = "1";
  p[4] = p[5] = p[6] = "0";
  p[7] = "2";
  p[8] = "4/5¿5/8¿8/11¿11/16¿16/22¿22/32¿32/45¿45/56¿56/63¿63/80";
  p[9] = p[10] = p[11] = "0";
  p[12] = "@@10.0@@6.0@@@@@@16.0@";
  p[13] = "@@20.0@@24.0@@@@@@44.0@";
  p[14] = "@@30.0@@45.0@@@@@@75.0@";
  p[15] = "@@140.0@@225.0@@@@@@365.0@";
  p[16] = "@@200.0@@300.0@@@@@@500.0@";
  for (int row = 0; row < 10; ++row) p[static_cast<size_t>(20 + row)] = "@@@@@@@@@@";
  p[22] = "200.0@10.0@5.0@20.0@10.0@30.0@15.0@140.0@70.0@95.0@";
  p[24] = "300.0@6.0@2.0@24.0@8.0@45.0@15.0@225.0@75.0@98.0@";
  const char* tail[] = {"3", "15", "73", "88", "9", "97", "500.0", "16.0", "44.0", "75.0", "365.0"};
  for (int i = 0; i < 11; ++i) p[static_cast<size_t>(31 + i)] = tail[i];
  std::string field;
  for (size_t i = 0; i < p.size(); ++i) field += (i ? "|" : "") + p[i];
  r.SetField(20, field);
  return r;
}

class PageC : public ::testing::Test {
 protected:
  // Draws one painter of page 1 of the record; gives the words and the height the painter took.
  PdfText Draw(CVersuch& record, int mode, int* height) {
    CDruckSeite page;
    page.Init(&record, 1);
    page.SetPrintRect(L, T, R, B);
    page.CalcLayout();
    const auto file = folder_ / ("c" + std::to_string(++count_) + ".pdf");
    chartrender::RenderPdf(file, [&](platform::DrawContext& dc) {
      *height = mode == 0 ? page.DrawBruchflaechigkeitOldMethod(dc) : page.DrawBruchflaechigkeit(dc, mode);
    });
    return pdftest::ReadPdf(file);
  }
  QImage Image(CVersuch& record, int mode) {
    CDruckSeite page;
    page.Init(&record, 1);
    page.SetPrintRect(L, T, R, B);
    page.CalcLayout();
    return chartrender::RenderImage([&](platform::DrawContext& dc) { page.DrawBruchflaechigkeit(dc, mode); });
  }
  CPravikWinApp app_;
  TempFolder folder_;
  int count_ = 0;
};

// The word with the text whose right edge, centre or left edge (by `how`)
// lies near x, and whose top lies near y.
enum Anchor { kRight, kCentre, kLeft };
const Word* At(const PdfText& pdf, const std::string& text, Anchor how, double x, double y, double tolerance = 60) {
  for (const Word& w : pdf.words) {
    if (w.text != text) continue;
    const double wx = how == kRight ? w.right : how == kCentre ? w.CentreX() : w.left;
    if (std::abs(wx - x) <= tolerance && std::abs(w.top - y) <= 80) return &w;
  }
  return nullptr;
}

// A word expected at a place: its text, the edge that is placed, the place
// and how far off across it may lie.
struct Placed {
  const char* text;
  Anchor how;
  double x;
  double y;
  double tolerance = 60;
};
void ExpectPlaced(const PdfText& pdf, std::initializer_list<Placed> words) {
  for (const Placed& p : words)
    EXPECT_TRUE(At(pdf, p.text, p.how, p.x, p.y, p.tolerance)) << p.text << " at " << p.x << ", " << p.y;
}

int Count(const PdfText& pdf, const std::string& text) {
  int n = 0;
  for (const Word& w : pdf.words) n += w.text == text;
  return n;
}

// The column lines of the modes' layout: one class as they stand; several
// classes narrowed so that the 15th ends 300 before the frame.
constexpr int kColumn[15] = {-300, 1300, 2900, 4200, 5350, 6650, 7800, 9100, 10250, 11550, 12700, 14000, 15150, 16450, 17750};
constexpr double kNarrowed = (R - 300.0 - X) / 17750;
double Line(int i) { return X + static_cast<int>(kColumn[i] * kNarrowed); }
double OneClassLine(int i) { return X + kColumn[i]; }

TEST_F(PageC, SeveralClasses) {
  CVersuch record = SeveralClassesRecord();
  int height = 0;
  const PdfText pdf = Draw(record, 2, &height);
  EXPECT_EQ(height, 4500 + 350 * 2);
  const int Z = Y - 1600 - 350 * 2;

  EXPECT_TRUE(At(pdf, "Bruchflächigkeit", kLeft, Line(0), Y + 500));
  for (const char* heading : {"Menge", "Sieblinie", "M1", "Mtc", "Mpc", "Mop", "Mtr", "MXX", "Einwaage", "Kornklasse",
                              "Sollwert:", "Erfüllt:", "Gewichtete", "gem."})
    EXPECT_TRUE(pdf.Find(heading)) << heading;
  EXPECT_TRUE(At(pdf, "Einwaage", kCentre, (Line(13) + Line(14)) / 2, Y));
  EXPECT_TRUE(At(pdf, "Mtc", kCentre, (Line(2) + Line(4)) / 2, Y - 900));

  // Each label on the line of its own class; the empty class between takes no line.
  const Word* first = At(pdf, "16/22", kCentre, (Line(0) + Line(1)) / 2, Y - 1640);
  const Word* second = At(pdf, "4/8", kCentre, (Line(0) + Line(1)) / 2, Y - 1640 - 350);
  ASSERT_TRUE(first && second);
  EXPECT_FALSE(pdf.Find("8/16"));
  // Values right-aligned 100 before their column line, beside their label.
  const Word* m1 = At(pdf, "1450.0", kRight, Line(2) - 100, Y - 1680);
  ASSERT_TRUE(m1);
  EXPECT_NEAR(m1->CentreY(), first->CentreY(), 80);
  ExpectPlaced(pdf, {
      {"620.0", kRight, Line(3) - 100, Y - 1680},
      {"77.5", kRight, Line(4) - 100, Y - 1680},
      {"2.5", kRight, Line(10) - 100, Y - 1680},
      {"800", kRight, Line(14) - 100, Y - 1680},
  });
  const Word* m1Second = At(pdf, "1200.0", kRight, Line(2) - 100, Y - 1680 - 350);
  ASSERT_TRUE(m1Second);
  EXPECT_NEAR(m1Second->CentreY(), second->CentreY(), 80);
  EXPECT_EQ(Count(pdf, "0.79"), 0);  // the deviation is not printed
  EXPECT_TRUE(At(pdf, "252", kRight, Line(14) - 100, Y - 1680 - 350));

  // Summe, results, requirements and fulfilment.
  ExpectPlaced(pdf, {
      {"2650.0", kRight, Line(2) - 100, Z - 140},
      {"800.0", kRight, Line(3) - 100, Z - 140},
      {"1052.0", kRight, Line(14) - 100, Z - 140},
      {"75", kRight, Line(4) - 450, Z - 530},
      {"3", kRight, Line(10) - 450, Z - 530},
      {"96", kRight, Line(11) - 450, Z - 530},
      {"90", kRight, Line(12) - 450, Z - 530},
  });
  const Word* limit = At(pdf, "90", kLeft, Line(12) - 550, Z - 920, 300);
  ASSERT_TRUE(limit);
  ExpectPlaced(pdf, {
      {">=", kRight, Line(12) - 550, Z - 920, 300},
      {"3", kLeft, Line(10) - 550, Z - 920, 300},
      {"ja", kCentre, Line(12) - 550, Z - 1340},
      {"ja", kCentre, Line(10) - 550, Z - 1340},
  });
  EXPECT_EQ(Count(pdf, "ja"), 2);
  EXPECT_EQ(Count(pdf, "nein"), 0);  // checks without a requirement print nothing
}

TEST_F(PageC, OneClass) {
  CVersuch record = DialogRecord("12-3-0302", "8/16", kOneClass, {{"1500", "1230", "150", "75", "45", ""}}, "8/16");
  record.SetValue(20, 7, "2");  // a missed check prints "nein"
  int height = 0;
  const PdfText pdf = Draw(record, 1, &height);
  EXPECT_EQ(height, 4500 + 350);
  const int Z = Y - 1600 - 350;
  EXPECT_FALSE(pdf.Find("Einwaage"));
  EXPECT_TRUE(pdf.Find("Ergebnis"));
  EXPECT_TRUE(pdf.Find("ganzz."));
  EXPECT_FALSE(pdf.Find("Gewichtete"));
  ExpectPlaced(pdf, {
      {"8/16", kCentre, (OneClassLine(0) + OneClassLine(1)) / 2, Y - 1640},
      {"1500.0", kRight, OneClassLine(2) - 100, Y - 1680},
      {"82.0", kRight, OneClassLine(4) - 100, Y - 1680},
      {"1500.0", kRight, OneClassLine(13) - 100, Y - 1680},  // Summe
      {"92", kRight, OneClassLine(12) - 450, Z - 530},
      {"nein", kCentre, OneClassLine(12) - 550, Z - 1340},
  });
  // The units stop at the 14th column line: no "[g]" for an Einwaage.
  EXPECT_FALSE(At(pdf, "[g]", kCentre, (OneClassLine(13) + OneClassLine(14)) / 2, Y - 1250));
  EXPECT_TRUE(At(pdf, "[g]", kCentre, (OneClassLine(12) + OneClassLine(13)) / 2, Y - 1250));

  // 14 column lines: none at the 15th place; 15 for several classes.
  const QImage one = Image(record, 1);
  const QImage several = Image(record, 2);
  const int y = Y - 1000;
  EXPECT_TRUE(chartrender::HasColourNear(one, static_cast<int>(OneClassLine(13)), y, platform::RGB(0, 0, 0)));
  EXPECT_FALSE(chartrender::HasColourNear(one, static_cast<int>(OneClassLine(14)), y, platform::RGB(0, 0, 0)));
  EXPECT_TRUE(chartrender::HasColourNear(several, static_cast<int>(Line(14)), y, platform::RGB(0, 0, 0)));
}

// The old-method layout's x positions.
constexpr int kOld[12] = {0, 1900, 3500, 5000, 6300, 7800, 9100, 10600, 11900, 13400, 14700, 16900};
double OldX(int i) { return X + kOld[i]; }

TEST_F(PageC, OldMethodOfThisDialog) {
  CVersuch record = DialogRecord("12-3-0303", "8/16¿4/8", kOldMethod,
                                 {{"", "80", "10", "6", "4", ""}, {"", "70", "15", "9", "6", ""}});
  int height = 0;
  const PdfText pdf = Draw(record, 0, &height);
  EXPECT_EQ(height, 5000 + 350 * 2);
  const int Z = Y - 1600 - 350 * 2;
  EXPECT_TRUE(At(pdf, "Bruchflächigkeit", kLeft, OldX(0), Y + 500));
  for (const char* heading : {"vollrundflächig", "bruchflächig", "gebrochene", "Einwaage", "Gesamt:", "Anteil:",
                              "Sollwert:", "erfüllt?"})
    EXPECT_TRUE(pdf.Find(heading)) << heading;
  // The headings clear the column lines that run through their rows.
  for (const Word& w : pdf.words) {
    if (w.top > Y || w.top < Y - 1300) continue;
    std::vector<int> lines = {0, 1, 2, 4, 6, 10, 11};
    if (w.top < Y - 500) lines.push_back(8);
    for (int line : lines)
      EXPECT_FALSE(w.left - 30 < OldX(line) && OldX(line) < w.right + 30) << w.text << " at line " << line;
  }
  // Labels of part 18, beside their rows.
  const Word* label = At(pdf, "4/8", kCentre, (OldX(0) + OldX(1)) / 2, Y - 1640 - 350);
  ASSERT_TRUE(label);
  const Word* mtc = At(pdf, "70.0", kRight, OldX(9) - 100, Y - 1640 - 350);
  ASSERT_TRUE(mtc);
  EXPECT_NEAR(mtc->CentreY(), label->CentreY(), 80);
  // The column sums of this dialog (Mtc, Mpc, Mop, Mtr) under their own columns.
  ExpectPlaced(pdf, {
      {"10.0", kRight, OldX(3) - 100, Z - 140},   // Mtr
      {"15.0", kRight, OldX(5) - 100, Z - 140},   // Mop
      {"25.0", kRight, OldX(7) - 100, Z - 140},   // Mpc
      {"150.0", kRight, OldX(9) - 100, Z - 140},  // Mtc
      {"200.0", kRight, OldX(2) - 100, Z - 140},
  });
  // Integer results: 75, 13, 8 and the remainder 4.
  ExpectPlaced(pdf, {
      {"4", kRight, OldX(3) + 850, Z - 530},
      {"8", kRight, OldX(5) + 850, Z - 530},
      {"13", kRight, OldX(7) + 850, Z - 530},
      {"75", kRight, OldX(9) + 850, Z - 530},
  });
}

TEST_F(PageC, OlderDialogRecord) {
  CVersuch record = OlderDialogRecord();
  int height = 0;
  const PdfText pdf = Draw(record, 0, &height);
  EXPECT_EQ(height, 5000 + 350 * 2);
  const int Z = Y - 1600 - 350 * 2;
  // Labels of part 8, each beside its own row across the empty row between.
  const Word* first = At(pdf, "8/11", kCentre, (OldX(0) + OldX(1)) / 2, Y - 1640);
  const Word* second = At(pdf, "16/22", kCentre, (OldX(0) + OldX(1)) / 2, Y - 1990);
  ASSERT_TRUE(first && second);
  EXPECT_FALSE(pdf.Find("11/16"));
  ExpectPlaced(pdf, {
      {"200.0", kRight, OldX(2) - 100, Y - 1640},
      {"225.0", kRight, OldX(9) - 100, Y - 1990},
      {"98.0", kRight, OldX(11) - 500, Y - 1990},
  });
  // The sums of the older dialog: Mtr, Mop, Mpc, Mtc in this order.
  ExpectPlaced(pdf, {
      {"16.0", kRight, OldX(3) - 100, Z - 140},
      {"44.0", kRight, OldX(5) - 100, Z - 140},
      {"75.0", kRight, OldX(7) - 100, Z - 140},
      {"365.0", kRight, OldX(9) - 100, Z - 140},
      {"97", kRight, OldX(11) - 450, Z - 530},
  });
  // Requirements and their fulfilment: Mtr met, > 50 % missed.
  ExpectPlaced(pdf, {
      {"3", kRight, OldX(3) + 1000, Z - 920},
      {"ja", kRight, OldX(3) + 900, Z - 1340},
      {"88", kRight, OldX(9) + 1100, Z - 1800},
      {"90", kRight, OldX(9) + 1100, Z - 2150},
      {"nein", kRight, OldX(9) + 1100, Z - 2500},
  });
}

TEST_F(PageC, NoClassRowsAndNoRequirement) {
  CVersuch record = BaseRecord("12-3-0304", "");
  record.SetValue(20, 19, "2");
  int height = 0;
  PdfText pdf = Draw(record, 2, &height);
  EXPECT_EQ(height, 4500);
  EXPECT_TRUE(pdf.Find("Sollwert:"));
  EXPECT_FALSE(pdf.Find(">="));
  pdf = Draw(record, 0, &height);
  EXPECT_EQ(height, 5000);
  int first = -1, count = -1;
  CountBruchKornklassen(record, first, count);
  EXPECT_EQ(first, 0);
  EXPECT_EQ(count, 0);
  CountBruchKornklassen(OlderDialogRecord(), first, count);
  EXPECT_EQ(first, 2);
  EXPECT_EQ(count, 2);
}

TEST_F(PageC, PrintStacksTheBlockUnderTheHeader) {
  CVersuch record = SeveralClassesRecord();
  ASSERT_EQ(GetRecordPageLetters(record), "C");
  CDruckSeite page;
  page.Init(&record, 1);
  const auto file = folder_ / "print_c.pdf";
  chartrender::RenderPdf(file, [&](platform::DrawContext& dc) { page.Print(dc, L, T, R, B); });
  const PdfText pdf = pdftest::ReadPdf(file);
  EXPECT_TRUE(pdf.Find("Prüf.-Nr.:"));
  EXPECT_TRUE(At(pdf, "Bruchflächigkeit", kLeft, Line(0), Y + 500));
  EXPECT_TRUE(At(pdf, "1450.0", kRight, Line(2) - 100, Y - 1680));
  // A record whose material has no crushed surfaces prints the header only.
  record.SetField(25, "{0}{3-1|Edelsplitt 4/16||||}{1|0.063|31.5}{Brechkorn|DIN EN 12620|WPK||}{}{[VA_RCZUS|]}{}");
  record.SetField(29, "[VA_GRUND:1][VA_RCZUS:1]");
  chartrender::RenderPdf(file, [&](platform::DrawContext& dc) { page.Print(dc, L, T, R, B); });
  EXPECT_FALSE(pdftest::ReadPdf(file).Find("Bruchflächigkeit"));
}

}  // namespace

TEST_F(PageC, CrushedSurfacesLieBelowALongHeader) {
  reporttest::ExpectClearOfALongHeader(SeveralClassesRecord(), folder_.path(), "page_c_long_header_new", "Erfüllt:");
  reporttest::ExpectClearOfALongHeader(OlderDialogRecord(), folder_.path(), "page_c_long_header_old", "erfüllt?");
}
