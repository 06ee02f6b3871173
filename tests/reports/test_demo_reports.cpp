// The first report page of each kind of demo record, printed to PDF as a new
// user would print it: the sieve table filled, the sieve loss figures, and the
// measured curve inside the chart between its target curves.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>

#include "charts/chart_render.h"
#include "platform/pdf_words.h"
#include "platform/printdriver.h"
#include "records/sievelist.h"
#include "records/strutil.h"
#include "records/wbsfield.h"
#include "reports/druckseite.h"
#include "reports/print_record.h"
#include "services/pravikapp.h"
#include "shell/mainview/printjob.h"
#include "support/temp_folder.h"
#include "tools/demo_installation.h"

namespace {

using pdftest::PdfText;
using pdftest::Word;

const int kEdge = static_cast<int>(std::lround(platform::kLaserPrinterMarginDots * 2540.0 / platform::kLaserPrinterDpi));
const platform::ColorRef kCurve = platform::RGB(220, 0, 0);
const platform::ColorRef kTarget = platform::RGB(0, 0, 255);

const Word* RightOf(const PdfText& pdf, const Word& left, const std::string& text) {
  for (const Word& w : pdf.words)
    if (w.text == text && w.page == left.page && std::abs(w.CentreY() - left.CentreY()) < 60 && w.left > left.right)
      return &w;
  return nullptr;
}

bool ValueRightOfLabel(const PdfText& pdf, const std::string& labelWord, const std::string& value) {
  for (const Word& w : pdf.words)
    if (w.text == labelWord && RightOf(pdf, w, value)) return true;
  return false;
}

// Whether the colour lies near the page point (0.01 mm, job coordinates).
bool ColourNear(const QImage& image, int x, int y, platform::ColorRef colour) {
  const double px = (x + kEdge) / 25.4, py = -(y - kEdge) / 25.4;
  for (int dy = -3; dy <= 3; ++dy)
    for (int dx = -3; dx <= 3; ++dx) {
      const QColor c = image.pixelColor(static_cast<int>(px) + dx, static_cast<int>(py) + dy);
      if (std::abs(c.red() - platform::GetRValue(colour)) < 60 && std::abs(c.green() - platform::GetGValue(colour)) < 60 &&
          std::abs(c.blue() - platform::GetBValue(colour)) < 60)
        return true;
    }
  return false;
}

// The page drawn once more, so that its chart knows where its points lie.
void DrawAgain(CDruckSeite& page, CVersuch& record, const platform::Rect& print) {
  page.Init(&record, 1);
  chartrender::RenderImage([&](platform::DrawContext& dc) { page.Print(dc, print.left, print.top, print.right, print.bottom); },
                          100, 100);
}

// The measured points of the chart are marked in the curve's colour.
template <typename Dia>
void CheckCurvePoints(const CVersuch& record, const QImage& image, Dia& dia, bool ballast) {
  const std::string sizes = SortSieveSizesDescending(record.GetValue(6, 0));
  const std::string passing = record.GetValue(3, 1);
  int inside = 0;
  for (int k = 0; !StrGetField(sizes, ';', k).empty(); ++k) {
    const double size = ParseNumber(StrGetField(sizes, ';', k));
    const double percent = ParseNumber(StrGetField(passing, ';', k));
    if (!dia.HasXPos(size) || percent >= 100.0 || (ballast && dia.GetXPos(size, true) < 3000)) continue;
    SCOPED_TRACE(StrGetField(sizes, ';', k));
    EXPECT_TRUE(ColourNear(image, dia.GetXPos(size, true), dia.GetYPos(percent, true), kCurve));
    ++inside;
  }
  EXPECT_GE(inside, 4);
}

class DemoReports : public ::testing::Test {
 protected:
  void SetUp() override {
    auto& table = app_.m_Settings.LayoutTable;
    table[0].color = platform::RGB(190, 190, 190);
    table[4] = {kCurve, 2, platform::PS_SOLID, 0};
    table[5] = {kCurve, 2, platform::PS_SOLID, 0};
    for (int entry : {8, 9}) table[static_cast<size_t>(entry)] = {kTarget, 2, platform::PS_SOLID, 0};
    records_ = demo::MakeDemoRecords();
  }

  const CVersuch* First(const std::function<bool(const CVersuch&)>& kind) const {
    for (const auto& r : records_)
      if (kind(*r)) return r.get();
    return nullptr;
  }

  // Prints the record's first page; the picture of it at 100 dpi.
  PdfText PrintFirstPage(const CVersuch& record, QImage& image, platform::Rect& print) {
    CVersuch copy = record;
    CRecordPrintJob job({&copy});
    const auto pdfFile = folder_ / "page.pdf";
    EXPECT_EQ(platform::PrintToPdf(job, pdfFile), platform::PrintResult::kPrinted);
    print = job.printRect();
    const std::string png = (folder_ / "page").string();
    EXPECT_EQ(std::system(("pdftoppm -png -r 100 -f 1 -l 1 -singlefile '" + pdfFile.string() + "' '" + png + "'").c_str()),
              0);
    image = QImage(QString::fromStdString(png + ".png"));
    if (const char* keep = std::getenv("PRAVIK_REPORT_IMAGES"))
      image.save(QString::fromStdString(std::string(keep) + "/demo_" + record.GetValue(1, 0) + ".png"));
    return pdftest::ReadPdf(pdfFile);
  }

  CPravikWinApp app_;
  TempFolder folder_;
  RecordList records_;
};

}  // namespace

TEST_F(DemoReports, PageAOfEachKindShowsTableLossAndCurveBetweenTargets) {
  struct Kind {
    const char* name;
    std::function<bool(const CVersuch&)> is;
  } kinds[] = {
      {"aggregate, wet sieving",
       [](const CVersuch& r) { return !r.IsGleisschotter() && !r.IsKorngemisch() && r.IsWetSieving(); }},
      {"aggregate, dry sieving",
       [](const CVersuch& r) {
         return !r.IsGleisschotter() && r.GetSievingMode() == 2 && r.GetTestStatusList().find("[VA_SIEBL:") != std::string::npos;
       }},
      {"recycled grading mixture", [](const CVersuch& r) { return r.IsKorngemisch(); }},
  };
  for (const Kind& kind : kinds) {
    SCOPED_TRACE(kind.name);
    const CVersuch* record = First(kind.is);
    ASSERT_TRUE(record);
    ASSERT_EQ(GetRecordPageLetters(*record).substr(0, 1), "A");
    QImage image;
    platform::Rect print;
    const PdfText pdf = PrintFirstPage(*record, image, print);
    ASSERT_FALSE(image.isNull());

    // Every row of the sieve table: its size, residue, share and passing.
    const Word* head = pdf.Find("Siebgröße", 1);
    ASSERT_TRUE(head);
    const std::string sizes = record->GetValue(3, 2);
    const int rows = StrCountFields(sizes, ';');
    EXPECT_GE(rows, 8);
    ASSERT_FALSE(record->GetValue(3, 8).empty());
    // The size column under its head, top to bottom ("<" of the pan row aside).
    const Word* sum = pdf.Find("Summe:", 1);
    ASSERT_TRUE(sum);
    std::vector<const Word*> column;
    for (const Word& w : pdf.words)
      if (w.page == 1 && w.top < head->top - 400 && w.top > sum->top + 100 &&
          std::abs(w.CentreX() - head->CentreX()) < 500 && w.text != "<")
        column.push_back(&w);
    std::sort(column.begin(), column.end(), [](const Word* a, const Word* b) { return a->top > b->top; });
    ASSERT_EQ(static_cast<int>(column.size()), rows);
    for (int t = 0; t < rows; ++t) {
      const std::string size = StrGetField(sizes, ';', t);
      SCOPED_TRACE(size);
      const Word* label = column[static_cast<size_t>(t)];
      EXPECT_EQ(label->text, StrGetField(size, ' ', StrCountFields(size, ' ') - 1));
      for (int part : {8, 9, 10}) {
        const std::string cell = StrGetField(record->GetValue(3, part), ';', t);
        if (!cell.empty()) {
          EXPECT_TRUE(RightOf(pdf, *label, cell)) << "part " << part << ": " << cell;
        }
      }
    }
    EXPECT_TRUE(ValueRightOfLabel(pdf, "Summe:", record->GetValue(3, 17)));

    // The sieve loss block of the sieving kind.
    if (record->IsWetSieving()) {
      EXPECT_TRUE(ValueRightOfLabel(pdf, "M1", record->GetValue(7, 7)));
      EXPECT_TRUE(ValueRightOfLabel(pdf, "M2", record->GetValue(7, 8)));
      EXPECT_TRUE(ValueRightOfLabel(pdf, "Siebverlust", record->GetValue(7, 9)));
      EXPECT_TRUE(ValueRightOfLabel(pdf, "f", record->GetValue(7, 10)));
    } else {
      EXPECT_TRUE(ValueRightOfLabel(pdf, "vor", record->GetValue(3, 13)));
      EXPECT_TRUE(ValueRightOfLabel(pdf, "Siebverlust", record->GetValue(3, 14)));
      EXPECT_TRUE(ValueRightOfLabel(pdf, "nach", record->GetValue(3, 11)));
    }
    // Characteristic values and the requirement rows of the sieves.
    EXPECT_TRUE(pdf.Find("U", 1) || pdf.Find("U [-]:", 1));
    EXPECT_TRUE(ValueRightOfLabel(pdf, "0.063", "ja") || ValueRightOfLabel(pdf, "0.063", "nein"));

    // The curve through its points, and the target curves around it.
    CVersuch copy = *record;
    CDruckSeite page;
    DrawAgain(page, copy, print);
    CLogDia& dia = page.GetChartData().GetLogDia();
    CheckCurvePoints(*record, image, dia, false);
    const double at2 = ParseNumber(StrGetField(record->GetValue(10, 0), ';', 6));  // 2 mm in the tower of KG1
    ASSERT_EQ(StrGetField(record->GetValue(6, 0), ';', 6), "2");
    EXPECT_TRUE(ColourNear(image, dia.GetXPos(2.0, true), dia.GetYPos(60.0, true), kTarget));
    EXPECT_TRUE(ColourNear(image, dia.GetXPos(2.0, true), dia.GetYPos(40.0, true), kTarget));
    EXPECT_GT(at2, 40.0);
    EXPECT_LT(at2, 60.0);
  }
}

TEST_F(DemoReports, PageXOfTrackBallastShowsCurveAndLoss) {
  const CVersuch* record = First([](const CVersuch& r) { return r.IsGleisschotter(); });
  ASSERT_TRUE(record);
  ASSERT_EQ(GetRecordPageLetters(*record), "XY");
  QImage image;
  platform::Rect print;
  const PdfText pdf = PrintFirstPage(*record, image, print);
  ASSERT_FALSE(image.isNull());
  ASSERT_TRUE(record->IsWetSieving());
  EXPECT_TRUE(ValueRightOfLabel(pdf, "M1", record->GetValue(7, 7)));
  EXPECT_TRUE(ValueRightOfLabel(pdf, "Siebverlust", record->GetValue(7, 9)));
  CVersuch copy = *record;
  CDruckSeite page;
  DrawAgain(page, copy, print);
  CheckCurvePoints(*record, image, page.GetChartData().GetGleisschotterDia(), true);
}

// The armourstone records with an entry print it on pages E and F: the
// sieving with its stone shapes, the weighing with its stones.
TEST_F(DemoReports, ArmourstonePagesShowTheEntry) {
  int printed = 0;
  for (const auto& r : records_) {
    const std::string field = r->GetField(26);
    if (!r->HasTestType("VA_WBS") || GetWBSForm(field) == WBSForm::kNone) continue;
    ++printed;
    const std::string letters = GetRecordPageLetters(*r);
    SCOPED_TRACE(letters);
    const size_t e = letters.find("EF");
    ASSERT_NE(e, std::string::npos);
    const int pageE = static_cast<int>(e) + 1, pageF = pageE + 1;
    CVersuch copy = *r;
    const PdfText pdf = reporttest::PrintRecordToPdf(copy, folder_.path(), "demo_armourstone_" + std::to_string(printed)).pdf;
    if (GetWBSForm(field) == WBSForm::kSize) {
      const WBSSizeData sieving = ReadWBSSizeData(field);
      EXPECT_TRUE(ValueRightOfLabel(pdf, "Summe:", sieving.total));
      EXPECT_TRUE(pdf.Find("Sieböffnungsweite", pageE));
      const WBSShapeData shape = ReadWBSShapeData(field);
      EXPECT_TRUE(pdf.Find(shape.badShare, pageE)) << shape.badShare;
      EXPECT_TRUE(pdf.Find(shape.lengths[39], pageF)) << shape.lengths[39];
    } else {
      const WBSMassData weighing = ReadWBSMassData(field);
      EXPECT_TRUE(pdf.Find("Massenverteilung", pageE));
      EXPECT_TRUE(pdf.Find(weighing.masses[29], pageE)) << weighing.masses[29];
      EXPECT_TRUE(pdf.Find("Sollwertgrenzen", pageE));
      EXPECT_TRUE(pdf.Find("gesamte", pageF));
    }
    int met = 0;
    for (const Word& w : pdf.words) met += w.page == pageE && w.text == "ja";
    EXPECT_GE(met, 5);
  }
  EXPECT_EQ(printed, 2);
}

// Each demo track ballast with its side tests prints both pages full: every
// row of the summary judged, every block of page Y with its values and verdict.
TEST_F(DemoReports, PagesXAndYOfTrackBallastPrintFull) {
  int full = 0;
  for (const auto& r : records_) {
    if (!r->IsGleisschotter() || r->GetValue(13, 17).empty()) continue;
    ++full;
    SCOPED_TRACE(r->GetValue(1, 0));
    CVersuch copy = *r;
    const PdfText pdf = reporttest::PrintRecordToPdf(copy, folder_.path(), "ballast" + std::to_string(full)).pdf;
    EXPECT_EQ(chartrender::CountWords(pdf, "bearbeitet"), 0);
    for (const std::string& value : {r->GetValue(12, 1), r->GetValue(23, 1), r->GetValue(16, 0), r->GetValue(14, 2),
                                     r->GetValue(17, 4), r->GetValue(13, 16), StrGetFieldS(r->GetValue(17, 14), "@", 1)})
      EXPECT_TRUE(pdf.Find(value, 2)) << value;
    EXPECT_TRUE(pdf.Find("Kantenabbruch", 2));
    // Six verdict lines on page Y; "nicht" only where a test failed.
    int verdicts = 0, failed = 0;
    for (const auto& w : pdf.words) {
      verdicts += w.page == 2 && w.text == "bedingungsgemäß.";
      failed += w.page == 2 && w.text == "nicht";
    }
    EXPECT_EQ(verdicts, 6);
    EXPECT_EQ(failed, static_cast<int>(std::count(r->GetField(29).begin(), r->GetField(29).end(), '9')) -
                          (r->GetTestStatusList().find("[VA_SIEBL:9]") != std::string::npos));
  }
  EXPECT_GE(full, 4);
}

// Every demo record is consistent in itself: the passing values in both places,
// the residues adding up, the verdict following the requirement rows.
TEST_F(DemoReports, SieveAnalysesAreConsistent) {
  int sieved = 0;
  for (const auto& r : records_) {
    if (r->GetValue(3, 1).empty()) continue;
    ++sieved;
    SCOPED_TRACE(r->GetValue(1, 0));
    const std::string descending = r->GetValue(3, 1);
    const std::string ascending = r->GetValue(10, 0);
    const int n = StrCountFields(descending, ';');
    ASSERT_EQ(StrCountFields(ascending, ';'), n);
    ASSERT_EQ(StrCountFields(r->GetValue(3, 2), ';'), n + 1);  // the pan row
    for (int i = 0; i < n; ++i) {
      EXPECT_EQ(StrGetField(descending, ';', i), StrGetField(ascending, ';', n - 1 - i));
      EXPECT_EQ(StrGetField(r->GetValue(3, 10), ';', i), StrGetField(descending, ';', i));
    }
    double residues = 0, shares = 0;
    for (int t = 0; t <= n; ++t) {
      residues += ParseNumber(StrGetField(r->GetValue(3, 8), ';', t));
      shares += ParseNumber(StrGetField(r->GetValue(3, 9), ';', t));
    }
    EXPECT_NEAR(residues, ParseNumber(r->GetValue(3, 17)), 0.05);
    EXPECT_NEAR(shares, 100.0, 0.2 * n);
    const bool failed = r->GetValue(4, 0).find("@1}") != std::string::npos;
    EXPECT_EQ(r->GetTestStatusList().find(failed ? "[VA_SIEBL:9]" : "[VA_SIEBL:8]") != std::string::npos, true);
    EXPECT_EQ(r->GetValue(10, 1).empty(), !failed);
    if (r->IsWetSieving()) {
      const double m1 = ParseNumber(r->GetValue(7, 7)), m2 = ParseNumber(r->GetValue(7, 8));
      EXPECT_GT(m1, m2);
      EXPECT_NEAR((m2 - (residues - (m1 - m2))) / m2 * 100.0, ParseNumber(r->GetValue(7, 9)), 0.02);
    } else {
      EXPECT_NEAR(ParseNumber(r->GetValue(3, 13)) - ParseNumber(r->GetValue(3, 14)), ParseNumber(r->GetValue(3, 11)), 0.05);
    }
  }
  EXPECT_GE(sieved, 20);
}
