// Pages X and Y of a new and of a recycled track ballast, printed through the
// print job to PDF and read back with pdftotext -bbox.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "charts/chart_render.h"
#include "evaluation/kristallisation/kristallisationdlg.h"
#include "evaluation/laenger100/laenger100dlg.h"
#include "evaluation/umwelt/umweltvertraeglichkeitdlg.h"
#include "platform/files.h"
#include "records/strutil.h"
#include "reports/ballast_records.h"
#include "reports/druckseite.h"
#include "reports/print_record.h"
#include "services/pravikapp.h"
#include "support/scripted_ui_gtest.h"
#include "support/temp_folder.h"

namespace {

using pdftest::PdfText;
using pdftest::Word;

// Words of one line of the page: same page, centres within 60.
std::vector<const Word*> LineOf(const PdfText& pdf, const Word& word) {
  std::vector<const Word*> line;
  for (const Word& w : pdf.words)
    if (w.page == word.page && std::abs(w.CentreY() - word.CentreY()) < 60) line.push_back(&w);
  return line;
}

bool OnLine(const PdfText& pdf, const Word& word, const std::string& text) {
  for (const Word* w : LineOf(pdf, word))
    if (w->text == text) return true;
  return false;
}

// The first word of the text on the page whose line also holds `neighbour`.
const Word* FindBeside(const PdfText& pdf, int page, const std::string& text, const std::string& neighbour) {
  for (const Word& w : pdf.words)
    if (w.page == page && w.text == text && OnLine(pdf, w, neighbour)) return &w;
  return nullptr;
}

int Count(const PdfText& pdf, int page, const std::string& text) {
  int n = 0;
  for (const Word& w : pdf.words) n += w.page == page && w.text == text ? 1 : 0;
  return n;
}

class BallastPages : public ::testing::Test {
 protected:
  reporttest::PrintedRecord Print(CVersuch& record, const std::string& name) {
    EXPECT_EQ(GetRecordPageLetters(record), "XY");
    return reporttest::PrintRecordToPdf(record, folder_.path(), name);
  }
  CPravikWinApp app_;
  TempFolder folder_;
};

}  // namespace

TEST_F(BallastPages, NewBallastPageX) {
  CVersuch record = reporttest::NewBallastRecord();
  const reporttest::PrintedRecord printed = Print(record, "ballast_new");
  const PdfText& pdf = printed.pdf;
  const platform::Rect& paper = printed.paper;
  // Everything but the vertical version and product lines inside the frame.
  for (const Word& w : pdf.words)
    if (w.page == 1 && w.right - w.left > w.top - w.bottom && std::abs(w.CentreX() - paper.right) > 150) {
      SCOPED_TRACE(w.text);
      EXPECT_LE(w.right, paper.right);
      EXPECT_GE(w.left, paper.left);
    }

  // Both header lists, the second with the sampling protocol.
  for (const auto& [label, value] : std::vector<std::pair<std::string, std::string>>{{"Prüf.-Nr.:", "12-34-2517"},
                                                                                     {"Werk:", "Kieswerk"},
                                                                                     {"Prüfart:", "Eigenüberwachung"},
                                                                                     {"Vorschrift:", "DIN"},
                                                                                     {"durch:", "M."},
                                                                                     {"am:", "12.06.2025"},
                                                                                     {"Entnahmestelle:", "im"},
                                                                                     {"Entnahmestelle:", "Verladeband"},
                                                                                     {"am:", "11.06.2025"},
                                                                                     {"Probenahme:", "trocken,"},
                                                                                     {"Sprenghaufwerk-Nr.:", "SH-47"},
                                                                                     {"lfd.Nr./Jahr:", "17"}})
    EXPECT_TRUE(FindBeside(pdf, 1, label, value)) << label << " " << value;
  const Word* protocol = FindBeside(pdf, 1, "lfd.Nr./Jahr:", "17");
  ASSERT_TRUE(protocol);
  for (const Word* w : LineOf(pdf, *protocol))
    if (w->text == "17") {
      EXPECT_GT(w->left, protocol->right + 50);  // no value under its label
    }

  // Sieve rows: fraction, residue, share, opening, passing, requirement and verdict.
  struct Row {
    const char* residue;
    std::vector<std::string> beside;
  } rows[] = {
      {"157.5", {"63", "80", "0.5", "99.5", "97−99", "*", "nein"}},
      {"8662.5", {"50", "63", "27.5", "72.0", "65−99", "Ja"}},
      {"11970.0", {"40", "50", "38.0", "34.0", "30−65", "Ja"}},
      {"189.0", {"0.5", "22.4", "0.6", "0.2", "**"}},
      {"31.5", {"0.1", "0.063", "≤", "1.0", "Ja"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.residue);
    const Word* residue = FindBeside(pdf, 1, row.residue, row.beside.front());
    ASSERT_TRUE(residue);
    for (const std::string& text : row.beside) EXPECT_TRUE(OnLine(pdf, *residue, text)) << text;
  }
  EXPECT_FALSE(FindBeside(pdf, 1, "**", "157.5"));
  EXPECT_TRUE(FindBeside(pdf, 1, "Summe:", "31500.0"));
  // The range row under the sum line, its sign in the Symbol face.
  const Word* range = FindBeside(pdf, 1, "94.3", "≥");
  ASSERT_TRUE(range);
  EXPECT_TRUE(OnLine(pdf, *range, "Ja"));
  EXPECT_LT(range->top, pdf.Find("31500.0", 1)->bottom);

  // The tolerance note beside the table, not the verdict; the undersize note inside the page.
  EXPECT_TRUE(pdf.Find("toleriert.", 1));
  EXPECT_TRUE(pdf.Find("Anforderungen", 1));
  EXPECT_FALSE(FindBeside(pdf, 1, "ist", "Körnung"));
  // The sieving masses beside the table, clear of it.
  const Word* m1 = FindBeside(pdf, 1, "getr.", "M1");
  ASSERT_TRUE(m1);
  EXPECT_GT(m1->left, paper.left + 300 + 11150 + 100);  // the table's right edge
  const Word* m1Value = FindBeside(pdf, 1, "31580.0", "M1");
  ASSERT_TRUE(m1Value);
  EXPECT_LT(m1Value->right, paper.right - 300);  // left of the product line
  const Word* note = pdf.Find("bewerten.", 1);
  ASSERT_TRUE(note);
  EXPECT_LE(note->right, paper.right - 100 + 5);

  // Summary: every row met, the grading through the tolerance.
  for (const char* test : {"Körnung:", "Kornformkennzahl:", "Plattigkeitskennzahl:", "Reinheit/Gesteinsbeschaffenheit:",
                           "Wasseraufnahme:", "Kristallisation:"}) {
    const Word* label = FindBeside(pdf, 1, test, "Bestimmung");
    ASSERT_TRUE(label) << test;
    EXPECT_TRUE(OnLine(pdf, *label, "bedingungsgemäß")) << test;
    EXPECT_FALSE(OnLine(pdf, *label, "nicht")) << test;
  }
  // Statement without defects, the captions of tester, manager and inspector.
  EXPECT_TRUE(FindBeside(pdf, 1, "festgestellt.", "nicht"));
  EXPECT_FALSE(pdf.Find("Ursachen:", 1));
  EXPECT_EQ(Count(pdf, 1, "Unterschrift"), 3);
  EXPECT_EQ(Count(pdf, 1, "Datum"), 3);
  EXPECT_TRUE(pdf.Find("Kenntnis-", 1));
  EXPECT_TRUE(pdf.Find("Vermerk", 1));

  // Remarks end above the statement block and left of the signature divider.
  const Word* statement = pdf.Find("Kenntnis-", 1);
  for (const char* line : {"1", "2", "3", "4"}) {
    const Word* word = FindBeside(pdf, 1, line, "Probe");
    ASSERT_TRUE(word) << line;
    EXPECT_GT(word->bottom, statement->top);
  }
  EXPECT_FALSE(FindBeside(pdf, 1, "5", "Probe"));
  for (const char* line : {"1", "2", "3", "4"}) EXPECT_LT(FindBeside(pdf, 1, line, "Probe")->right, paper.right - 8400);
}

// A record whose basic data are not entered yet: nothing after "Prüfart:"
// and no empty places between the commas of "Entnahmestelle:".
TEST_F(BallastPages, PageXWithoutBasicDataPrintsNoPlaceholders) {
  struct Case {
    const char* name;
    std::vector<std::string> place;  // parts 34, 36, 39, 42
    std::vector<std::string> words;  // beside "Entnahmestelle:"
  } cases[] = {
      {"NoPlace", {"", "", "", ""}, {}},
      {"FirstAndLast", {"Halde", "", "", "Ost"}, {"Halde,", "Ost"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CVersuch record = reporttest::NewBallastRecord();
    record.SetValue(1, 1, "-1");
    const int parts[] = {34, 36, 39, 42};
    for (size_t i = 0; i < 4; ++i) record.SetValue(1, parts[i], c.place[i]);
    const reporttest::PrintedRecord printed = Print(record, std::string("ballast_bare_") + c.name);
    const PdfText& pdf = printed.pdf;
    const Word* kind = pdf.Find("Prüfart:", 1);
    ASSERT_TRUE(kind);
    for (const Word* w : LineOf(pdf, *kind)) EXPECT_NE(w->text, "-1");
    const Word* place = pdf.Find("Entnahmestelle:", 1);
    ASSERT_TRUE(place);
    std::vector<std::string> beside;
    for (const Word* w : LineOf(pdf, *place))
      if (w->left > place->right) beside.push_back(w->text);
    EXPECT_EQ(beside, c.words);
  }
}

TEST_F(BallastPages, RecycledBallastPageX) {
  CVersuch record = reporttest::RecycledBallastRecord();
  reporttest::BmpSpec signature;
  signature.width = 60;
  signature.height = 15;
  const auto bitmap = folder_.path() / "unterschrift.bmp";
  ASSERT_TRUE(platform::WriteFileBytes(bitmap, reporttest::MakeBmp(signature)));
  record.SetValue(1, 25, bitmap.string());
  const reporttest::PrintedRecord printed = Print(record, "ballast_recycled");
  const PdfText& pdf = printed.pdf;

  // The verdict line beside the table: "nicht" between its two pieces.
  const Word* nicht = FindBeside(pdf, 1, "nicht", "Körnung");
  ASSERT_TRUE(nicht);
  const Word* head = FindBeside(pdf, 1, "ist", "Körnung");
  ASSERT_TRUE(head);
  const Word* tail = FindBeside(pdf, 1, "bedingungsgemäß.", "Körnung");
  ASSERT_TRUE(tail);
  EXPECT_LT(head->right + 100, nicht->left);  // three blanks on either side
  EXPECT_LT(nicht->right + 100, tail->left);
  EXPECT_GT(head->left, pdf.Find("erfüllt?", 1)->right);
  EXPECT_TRUE(FindBeside(pdf, 1, "nein", "2646.0"));
  EXPECT_FALSE(pdf.Find("toleriert.", 1));
  EXPECT_FALSE(pdf.Find("**", 1));
  EXPECT_FALSE(pdf.Find("bewerten.", 1));
  EXPECT_TRUE(FindBeside(pdf, 1, "Entnahmestelle:", "RC-Anlage,"));

  // Summary: the failed tests, the two tests recycled ballast has not.
  EXPECT_TRUE(FindBeside(pdf, 1, "nicht", "Körnung:"));
  EXPECT_TRUE(FindBeside(pdf, 1, "nicht", "Reinheit/Gesteinsbeschaffenheit:"));
  EXPECT_TRUE(FindBeside(pdf, 1, "bearbeitet", "Wasseraufnahme:"));
  EXPECT_TRUE(FindBeside(pdf, 1, "bearbeitet", "Kristallisation:"));
  EXPECT_FALSE(FindBeside(pdf, 1, "nicht", "Kornformkennzahl:"));

  // The defect version, and the signature picture in place of the tester's captions.
  for (const char* line : {"Mängel:", "Ursachen:", "Abhilfe:", "festgestellt/abgestellt"})
    EXPECT_TRUE(pdf.Find(line, 1)) << line;
  EXPECT_EQ(Count(pdf, 1, "Unterschrift"), 2);
  ASSERT_TRUE(record.GetSignatureBitmap());

  // The frames: around the page above the statement, and around the statement.
  constexpr int L = 1700, T = -800, R = 20000, B = -28300;
  CDruckSeite page;
  page.Init(&record, 1);
  const QImage image =
      chartrender::RenderImage([&](platform::DrawContext& dc) { page.Print(dc, L, T, R, B); }, 21000, 29700);
  const platform::ColorRef black = platform::RGB(0, 0, 0);
  for (int y : {T, B + 4500, B + 4420, B + 1700, B})
    EXPECT_TRUE(chartrender::HasColourNear(image, L + 3000, y, black)) << y;
  for (int x : {L, R}) EXPECT_TRUE(chartrender::HasColourNear(image, x, B + 3000, black)) << x;
  EXPECT_TRUE(chartrender::HasColourNear(image, R - 8400, B + 5000, black));
  EXPECT_FALSE(chartrender::HasColourNear(image, L + 3000, B + 4460, black, 1));  // the gap between the frames
}

TEST_F(BallastPages, NewBallastPageY) {
  CVersuch record = reporttest::NewBallastRecord();
  const reporttest::PrintedRecord printed = Print(record, "ballast_new_y");
  const PdfText& pdf = printed.pdf;
  const int L = printed.paper.left, T = printed.paper.top;

  // Each block at its anchor.
  struct Block {
    const char* title;
    int x, y;
  } blocks[] = {{"Reinheit/Gesteinsbeschaffenheit", L + 500, T - 9400 + 501},
                {"Bestimmung", L + 500, T - 2400 + 501},
                {"Bestimmung", L + 8200, T - 2400 + 501},
                {"Bestimmung", L + 500, T - 6700 + 501},
                {"Wasseraufnahme", L + 500, T - 16500 + 501}};
  for (const Block& b : blocks) {
    SCOPED_TRACE(b.title);
    const Word* title = nullptr;
    for (const Word& w : pdf.words)
      if (w.page == 2 && w.text == b.title &&
          (!title || std::hypot(w.left - b.x, w.top - b.y) < std::hypot(title->left - b.x, title->top - b.y)))
        title = &w;
    ASSERT_TRUE(title);
    EXPECT_NEAR(title->left, b.x, 30);
    EXPECT_NEAR(title->top, b.y, 80);
  }
  const Word* crystal = pdf.Find("Kristallisation", 2);
  ASSERT_TRUE(crystal);
  EXPECT_NEAR(crystal->CentreY(), T - 24500 + 100 + 50, 150);  // on its base line
  EXPECT_TRUE(FindBeside(pdf, 2, "Magnesiumsulfat", "Kristallisation"));

  // Grain shape and flakiness: masses, sums, formula, requirement, verdict.
  for (const auto& [value, neighbour] : std::vector<std::pair<std::string, std::string>>{{"2000.0", "150.0"},
                                                                                         {"5000.0", "400.0"},
                                                                                         {"1000.0", "130.0"},
                                                                                         {"2400.0", "300.0"},
                                                                                         {"25", "1000.0"},
                                                                                         {"20", "1400.0"},
                                                                                         {"8.0", "B/A*100"},
                                                                                         {"12.5", "D/C*100"},
                                                                                         {"5-30", "B/A*100"},
                                                                                         {"0-35", "D/C*100"}})
    EXPECT_TRUE(FindBeside(pdf, 2, value, neighbour)) << value;
  EXPECT_TRUE(pdf.Find("Kornformkennzahl", 2) && pdf.Find("Soll", 2));
  EXPECT_EQ(Count(pdf, 2, "Soll"), 5);  // shape, flakiness, grains > 100 mm, water, crystallisation
  // Grains longer than 100 mm.
  EXPECT_TRUE(FindBeside(pdf, 2, "190.0", "0.6"));
  EXPECT_TRUE(FindBeside(pdf, 2, "<=", "190.0"));
  // Purity: the named rows, the sums, the material's limit.
  EXPECT_TRUE(FindBeside(pdf, 2, "mergelige", "48.0"));
  EXPECT_TRUE(FindBeside(pdf, 2, "'Sonnenbrand", "60.0"));
  EXPECT_TRUE(FindBeside(pdf, 2, "Summe:", "192.5"));
  EXPECT_TRUE(FindBeside(pdf, 2, "Soll:", "≤"));
  // Water absorption: five stones, the remark, the mean.
  for (const char* dry : {"1250.40", "980.10", "1410.70", "1105.30", "1320.00"})
    EXPECT_TRUE(FindBeside(pdf, 2, dry, "ja")) << dry;
  EXPECT_TRUE(FindBeside(pdf, 2, "Kantenabbruch", "1410.70"));
  EXPECT_TRUE(FindBeside(pdf, 2, "Mittelwert:", "0.37"));
  // Crystallisation rows.
  EXPECT_TRUE(FindBeside(pdf, 2, "Gesamtergebnis", "3470.0"));
  EXPECT_TRUE(FindBeside(pdf, 2, "1.4", "3423.0"));
  // A verdict line per block, all met; no environment block.
  EXPECT_EQ(Count(pdf, 2, "bedingungsgemäß."), 6);
  EXPECT_FALSE(pdf.Find("nicht", 2));
  EXPECT_FALSE(pdf.Find("Umweltverträglichkeit", 2));
  const Word* last = FindBeside(pdf, 2, "Kristallisationsversuch", "bedingungsgemäß.");
  ASSERT_TRUE(last);
  EXPECT_GT(last->bottom, printed.paper.bottom + 100);  // inside the frame
}

TEST_F(BallastPages, RecycledBallastPageY) {
  CVersuch record = reporttest::RecycledBallastRecord();
  const PdfText pdf = Print(record, "ballast_recycled_y").pdf;
  const Word* title = pdf.Find("Umweltverträglichkeit", 2);
  ASSERT_TRUE(title);
  EXPECT_FALSE(pdf.Find("Kristallisation", 2));
  EXPECT_FALSE(pdf.Find("Mittelwert:", 2));
  EXPECT_TRUE(FindBeside(pdf, 2, "keine", "Farbe,"));
  EXPECT_TRUE(FindBeside(pdf, 2, "keinen", "Geruch"));
  EXPECT_FALSE(FindBeside(pdf, 2, "nicht", "Verkrustungen."));
  EXPECT_TRUE(FindBeside(pdf, 2, "pH-Wert:", "8.2"));
  EXPECT_TRUE(FindBeside(pdf, 2, "Leitfähigkeit", "310"));
  EXPECT_TRUE(FindBeside(pdf, 2, "bedingungsgemäß.", "Umweltverträglichkeit"));
  // Purity and flakiness not met, with "nicht" set apart.
  EXPECT_TRUE(FindBeside(pdf, 2, "nicht", "Gesteinsbeschaffenheit"));
  EXPECT_TRUE(FindBeside(pdf, 2, "nicht", "Plattigkeitskennzahl"));
  EXPECT_TRUE(FindBeside(pdf, 2, "Holz,", "130.0"));
}

TEST_F(BallastPages, EnvironmentStatementsWithoutAChoiceAreNotStated) {
  struct Case {
    const char* field22;
    bool colour, smell, crusts, verdict;
  };
  for (const Case& c : {Case{"||||||8.2|310", false, false, false, false},
                        Case{"1||||||8.2|310", true, false, false, false},
                        Case{"|0|1|0|||8.2|310", false, true, true, true}}) {
    SCOPED_TRACE(c.field22);
    CVersuch record = reporttest::RecycledBallastRecord();
    record.SetField(22, c.field22);
    const PdfText pdf = Print(record, "ballast_environment").pdf;
    EXPECT_EQ(pdf.Find("Farbe,", 2) != nullptr, c.colour);
    EXPECT_EQ(pdf.Find("Geruch", 2) != nullptr, c.smell);
    EXPECT_EQ(pdf.Find("Verkrustungen.", 2) != nullptr, c.crusts);
    EXPECT_EQ(FindBeside(pdf, 2, "bedingungsgemäß.", "Umweltverträglichkeit") != nullptr, c.verdict);
    EXPECT_TRUE(FindBeside(pdf, 2, "pH-Wert:", "8.2"));
  }
}

TEST_F(BallastPages, VerdictsOnlyForFinishedTests) {
  CVersuch record = reporttest::NewBallastRecord();
  // An untested stone set without requirement, an unfinished grain shape,
  // and a crystallisation without its result.
  record.SetField(29,
                  "[VA_GRUND:1][VA_SIEBL:9][VA_GS_KORNFORM:0][VA_GS_PLATTIGKEIT:8][VA_GS_WASSER:0]"
                  "[VA_GS_KRISTALL:0][VA_GS_LAENGER100:8][VA_GS_REINHEIT:8]");
  record.SetField(17, "");
  record.SetValue(12, 4, "0");
  record.SetValue(13, 17, "");
  record.SetValue(18, 9, "0");
  record.SetValue(3, 10, "-;99.5;72.0;34.0;5.2;0.8;0.2;0.1;");  // no passing through 80 mm
  const PdfText pdf = Print(record, "ballast_unfinished").pdf;
  const Word* top = FindBeside(pdf, 1, "80", "=");
  ASSERT_TRUE(top);
  EXPECT_FALSE(OnLine(pdf, *top, "-"));  // the cell stays empty, requirement and verdict print
  EXPECT_TRUE(OnLine(pdf, *top, "Ja"));
  EXPECT_FALSE(FindBeside(pdf, 2, "ist", "Wasseraufnahme"));
  EXPECT_TRUE(pdf.Find("Mittelwert:", 2));  // the empty block stays
  EXPECT_FALSE(pdf.Find("Kristallisation", 2));
  EXPECT_FALSE(FindBeside(pdf, 2, "ist", "Kornformkennzahl"));
  // Without the tolerance the failed grading is stated as such.
  EXPECT_TRUE(FindBeside(pdf, 1, "nicht", "Körnung"));
  EXPECT_TRUE(FindBeside(pdf, 1, "bearbeitet", "Kornformkennzahl:"));
}

// Page Y shows the test number where page X has it, and a test not done
// says so as the summary of page X does, without the remnants of its
// formula.
TEST_F(BallastPages, PageYShowsTheTestNumberAndTheTestsNotDone) {
  CVersuch record = reporttest::RecycledBallastRecord();
  record.SetField(29,
                  "[VA_GRUND:1][VA_SIEBL:8][VA_GS_KORNFORM:0][VA_GS_PLATTIGKEIT:0][VA_GS_LAENGER100:0]"
                  "[VA_GS_REINHEIT:0][VA_GS_UMWELT:0]");
  for (int field : {12, 14, 16, 22, 23}) record.SetField(field, "");
  const PdfText pdf = Print(record, "ballast_not_done").pdf;
  const Word* first = pdf.Find("Prüf.-Nr.:", 1);
  const Word* second = pdf.Find("Prüf.-Nr.:", 2);
  ASSERT_TRUE(first && second);
  EXPECT_TRUE(OnLine(pdf, *second, record.GetValue(1, 0)));
  EXPECT_NEAR(second->left, first->left, 5);
  EXPECT_NEAR(second->top, first->top, 5);
  // Shape, flakiness, grains over 100 mm, purity and environment.
  EXPECT_EQ(Count(pdf, 2, "bearbeitet"), 5);
  for (const char* remnant : {"B/A*100", "D/C*100", "=", "bedingungsgemäß."}) EXPECT_FALSE(pdf.Find(remnant, 2)) << remnant;
  EXPECT_TRUE(FindBeside(pdf, 1, "bearbeitet", "Kornformkennzahl:"));
}

TEST_F(BallastPages, NotMetVerdictsOfTestsEnteredAgainstTheMaterial) {
  // Each test is entered through its dialog on a record of a built-in ballast
  // material and judged by that material (grains over 100 mm: its "6_LE";
  // crystallisation: the fixed 3.0 %; environment: the negated statement),
  // stored as the opener stores it, then printed.
  using Script = std::function<void(platform::DialogDriver&)>;
  const struct {
    const char* name;
    CVersuch (*record)();
    const char* key;
    int templateId;
    Script script;
    std::optional<TestEntryResult> (*edit)(CVersuch&, QWidget*);
    const char* subject;  // a word of the verdict line
    const char* title;    // the block's title
  } cases[] = {
      {"grains_over_100", reporttest::NewBallastRecord, "VA_GS_LAENGER100", CLaenger100GSDlg::kTemplateId,
       [](platform::DialogDriver& d) {
         EXPECT_EQ(d.Text(CLaenger100Dlg::kRequirement), "<= 6");  // the material's code
         d.SetText(CLaenger100Dlg::kMass, "2400");                  // 7.6 % of 31580 g
         EXPECT_EQ(d.Text(CLaenger100Dlg::kShare), "7.6");
       },
       EditBallastGrains100, "Körner", "Bestimmung"},
      {"crystallisation", reporttest::NewBallastRecord, "VA_GS_KRISTALL", CKristallisationDlg::kTemplateId,
       [](platform::DialogDriver& d) {
         using Dlg = CKristallisationDlg;
         d.SetText(Dlg::kInitial4050, "1850");
         d.SetText(Dlg::kFinal4050, "1780");
         d.SetText(Dlg::kInitial3140, "1620");
         d.SetText(Dlg::kFinal3140, "1565");  // 125 g of 3470 g: 3.6 %
         EXPECT_EQ(d.Text(Dlg::kLossPSum), "3.6");
       },
       EditCrystallisation, "Kristallisationsversuch", "Kristallisation"},
      {"environment", reporttest::RecycledBallastRecord, "VA_GS_UMWELT", CUmweltvertraeglichkeitDlg::kTemplateId,
       [](platform::DialogDriver& d) {
         using Dlg = CUmweltvertraeglichkeitDlg;
         d.Select(Dlg::kFirstStatement, "keine");
         d.Select(Dlg::kFirstStatement + 1, "keinen");
         d.Select(Dlg::kFirstStatement + 2, "");
         d.Select(Dlg::kFirstStatement + 3, "nicht");
       },
       EditEnvironment, "Umweltverträglichkeit", "Umweltverträglichkeit"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CVersuch record = c.record();
    platform::TestUi ui;
    ui.ExpectDialog(c.templateId, c.script, platform::IDOK);
    const std::optional<TestEntryResult> result = c.edit(record, nullptr);
    ui.VerifyAllShown();
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, "9");
    StoreTestEntryResult(record, *FindTestEntryFields(c.key), *result);
    EXPECT_NE(record.GetTestStatusList().find(std::string("[") + c.key + ":9]"), std::string::npos);

    const PdfText pdf = Print(record, std::string("ballast_not_met_") + c.name).pdf;
    ASSERT_TRUE(pdf.Find(c.title, 2));
    // The subject's verdict line reads "... ist nicht bedingungsgemäß.", and none says it is met.
    int verdicts = 0;
    for (const Word& w : pdf.words) {
      if (w.page != 2 || w.text != "bedingungsgemäß." || !OnLine(pdf, w, c.subject)) continue;
      ++verdicts;
      EXPECT_TRUE(OnLine(pdf, w, "nicht"));
    }
    EXPECT_EQ(verdicts, 1);
  }
}
