// Every page of the demo records, of the same records with samples ten times
// as heavy and of generated records with such samples, printed to PDF in
// German and in English: no word crosses a line (read from the PDF as it
// is drawn) or the page frame, no word lies on another, and no table line
// ends just short of the frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "fixtures/dlgbase/english_language.h"
#include "platform/numbers.h"
#include "platform/pdf_words.h"
#include "platform/printdriver.h"
#include "records/strutil.h"
#include "records/versuch.h"
#include "reports/druckseite.h"
#include "reports/pdf_lines.h"
#include "services/pravikapp.h"
#include "shell/mainview/printjob.h"
#include "support/temp_folder.h"
#include "tools/demo_installation.h"
#include "tools/record_generator.h"

namespace {

namespace fs = std::filesystem;
using pdftest::Segment;

const fs::path kShippedEnglish = fs::path(PRAVIK_FIXTURES) / ".." / ".." / "resources" / "programfolder" / "PravikLang-en.txt";
using pdftest::Word;

// A word's box: along its reading direction and across it. Words that
// stand on end have boxes taller than wide.
struct Box {
  double left, top, right, bottom;
  bool upright;
};

Box BoxOf(const Word& w) {
  const bool upright = w.top - w.bottom > w.right - w.left && w.text.size() > 1;
  return {w.left, w.top, w.right, w.bottom, upright};
}

// The part of a word's box that its letters fill: the font's room above and
// below the letters left off, and a little at the ends.
Box Ink(const Word& w) {
  Box b = BoxOf(w);
  constexpr double kEnd = 20, kAcross = 0.2;
  if (b.upright) {
    const double cut = (b.right - b.left) * kAcross;
    return {b.left + cut, b.top - kEnd, b.right - cut, b.bottom + kEnd, true};
  }
  const double cut = (b.top - b.bottom) * kAcross;
  return {b.left + kEnd, b.top - cut, b.right - kEnd, b.bottom + cut, false};
}

bool Crosses(const Segment& s, const Word& w) {
  const Box b = Ink(w);
  if (s.Horizontal())
    return s.y1 > b.bottom && s.y1 < b.top && std::max(s.x1, s.x2) > b.left && std::min(s.x1, s.x2) < b.right;
  if (s.Vertical())
    return s.x1 > b.left && s.x1 < b.right && std::max(s.y1, s.y2) > b.bottom && std::min(s.y1, s.y2) < b.top;
  return false;
}

bool Overlap(const Word& a, const Word& b) {
  const Box x = Ink(a), y = Ink(b);
  return x.left < y.right && y.left < x.right && x.bottom < y.top && y.bottom < x.top;
}

// Where a table line ends this close to the page frame, or runs along it,
// it seems to touch it.
constexpr double kFrameGap = 90;

std::string Where(const Segment& s) {
  char text[80];
  std::snprintf(text, sizeof text, "line %.0f,%.0f-%.0f,%.0f", s.x1, s.y1, s.x2, s.y2);
  return text;
}

// Lines that touch the frame (L, T, R, B in the words' frame) without
// joining it.
bool TouchesFrame(const Segment& s, double L, double T, double R, double B) {
  auto near = [](double a, double b) { return std::abs(a - b) > 1 && std::abs(a - b) < kFrameGap; };
  if (s.Vertical()) return near(s.x1, L) || near(s.x1, R) || near(s.y1, T) || near(s.y2, T) || near(s.y1, B) || near(s.y2, B);
  if (s.Horizontal()) return near(s.y1, T) || near(s.y1, B) || near(s.x1, L) || near(s.x2, L) || near(s.x1, R) || near(s.x2, R);
  return false;
}

// The records printed in one job: the words and lines of every page with the
// record and letter of the page, and the print rectangle in the words' frame.
struct PrintedJob {
  pdftest::PdfText text;
  std::vector<Segment> lines;
  std::vector<const CDruckSeite*> pages;
  std::vector<std::string> names;  // "<test number> page <letter>"
  double L = 0, T = 0, R = 0, B = 0;

  std::string Name(int page) const {
    return page >= 1 && page <= static_cast<int>(names.size()) ? names[static_cast<size_t>(page - 1)] : "?";
  }
};

PrintedJob Print(CRecordPrintJob& job, const fs::path& pdf) {
  PrintedJob out;
  EXPECT_EQ(platform::PrintToPdf(job, pdf), platform::PrintResult::kPrinted);
  if (const char* keep = std::getenv("PRAVIK_REPORT_IMAGES"))
    fs::copy_file(pdf, fs::path(keep) / pdf.filename(), fs::copy_options::overwrite_existing);
  const int edge = static_cast<int>(std::lround(platform::kLaserPrinterMarginDots * 2540.0 / platform::kLaserPrinterDpi));
  const platform::Rect print = job.printRect();
  out.L = print.left + edge, out.T = print.top - edge, out.R = print.right + edge, out.B = print.bottom - edge;
  job.BuildPrintPages();
  for (const CDruckSeite* page : job.pages()) {
    out.pages.push_back(page);
    out.names.push_back(page->GetRecord()->GetValue(1, 0) + " page " + std::string(1, page->GetPageLetter()));
  }
  out.text = pdftest::ReadPdf(pdf);
  out.lines = pdftest::ReadPdfLines(pdf);
  EXPECT_EQ(out.text.pages.size(), out.pages.size());
  return out;
}

// What lies across what, as "<test number> page <letter>: <word> / <line or word>".
std::vector<std::string> Collisions(const PrintedJob& job) {
  const pdftest::PdfText& text = job.text;
  std::vector<std::string> found;
  for (size_t i = 0; i < text.words.size(); ++i) {
    const Word& w = text.words[i];
    for (const Segment& s : job.lines)
      if (s.page == w.page && Crosses(s, w)) found.push_back(job.Name(w.page) + ": " + w.text + " / " + Where(s));
    for (size_t j = i + 1; j < text.words.size(); ++j)
      if (text.words[j].page == w.page && Overlap(w, text.words[j]))
        found.push_back(job.Name(w.page) + ": " + w.text + " / " + text.words[j].text);
  }
  for (const Segment& s : job.lines)
    if (TouchesFrame(s, job.L, job.T, job.R, job.B)) found.push_back(job.Name(s.page) + ": " + Where(s) + " / the frame");
  return found;
}

// The pages that do not show their record's test number.
std::vector<std::string> PagesWithoutTheTestNumber(const PrintedJob& job) {
  std::vector<std::string> found;
  for (size_t i = 0; i < job.pages.size(); ++i) {
    const int page = static_cast<int>(i) + 1;
    if (!job.text.Find(job.pages[i]->GetRecord()->GetValue(1, 0), page)) found.push_back(job.Name(page));
  }
  return found;
}

// The masses of a record's printed tables ten times as heavy up to five
// digits before the point, as a large sample weighs: the same decimals, the
// shares and passing as they were.
struct MassParts {
  int field;
  std::vector<int> parts;
  char separator;        // the separator of the values inside a part, or 0
  std::vector<int> elements;  // the elements of each value that are masses, or all
};

std::string Heavier(const std::string& value) {
  if (value.empty() || value.find_first_not_of("0123456789.") != std::string::npos) return value;
  const double v = ParseNumber(value);
  if (v >= 10000) return value;
  const size_t point = value.find('.');
  return platform::FormatFixed(v * 10, point == std::string::npos ? 0 : static_cast<int>(value.size() - point - 1));
}

std::string HeavierList(const std::string& list, char separator, const std::vector<int>& elements) {
  const int n = StrCountFields(list, separator);
  std::string out;
  for (int i = 0; i < n; ++i) {
    const bool mass = elements.empty() || std::find(elements.begin(), elements.end(), i) != elements.end();
    const std::string value = StrGetField(list, separator, i);
    out += (i ? std::string(1, separator) : "") + (mass ? Heavier(value) : value);
  }
  return out;
}

void MakeHeavier(CVersuch& r) {
  std::vector<int> rows(10), stones(15), constituents(14);
  for (int i = 0; i < 10; ++i) rows[static_cast<size_t>(i)] = 20 + i;
  for (int i = 0; i < 15; ++i) stones[static_cast<size_t>(i)] = 10 + i;
  for (int i = 0; i < 14; ++i) constituents[static_cast<size_t>(i)] = 11 + 3 * i;
  const MassParts masses[] = {
      {3, {8}, ';', {}},                                    // sieve residues
      {3, {11, 13, 14, 17}, 0, {}},                         // sample, loss, sum
      {7, {7, 8}, 0, {}},                                   // M1, M2 of the wet sieving
      {8, {7, 8}, 0, {}},                                   // and of the second one
      {21, {16, 17, 18, 19, 20, 21, 22, 23, 24}, 0, {}},    // petrography
      {20, rows, '@', {0, 1, 3, 5, 7, 11, 13}},             // crushed surfaces, class rows
      {20, {37, 38, 39, 40, 41, 42, 43}, 0, {}},            // and their sums
      {15, {0}, 0, {}},                                     // composition
      {15, {4}, '@', {}},
      {12, {11, 12, 13, 14, 16, 17}, 0, {}},                // track-ballast grain shape
      {23, {11, 12, 13, 14, 16, 17}, 0, {}},                // and flakiness
      {13, {3, 4, 5, 8, 9, 10, 13, 14, 15}, 0, {}},         // crystallisation
      {14, constituents, 0, {}},                            // purity
      {14, {1}, 0, {}},
      {16, {10}, 0, {}},                                    // grains longer than 100 mm
      {17, stones, '@', {1, 2, 3}},                         // water absorption
  };
  for (const MassParts& m : masses)
    for (int part : m.parts) {
      const std::string value = r.GetValue(m.field, part);
      r.SetValue(m.field, part, m.separator ? HeavierList(value, m.separator, m.elements) : Heavier(value));
    }
}

std::string Lines(const std::vector<std::string>& list) {
  std::string out;
  for (const std::string& s : list) out += s + "\n";
  return out;
}

// Numbers written with a decimal comma ("31,5") that are not part of the
// material's own name as its definition writes it ("31,5/63 Gleisschotter").
std::vector<std::string> CommaNumbers(const PrintedJob& job) {
  std::vector<std::string> found;
  for (const Word& w : job.text.words) {
    const size_t comma = w.text.find(',');
    if (comma == std::string::npos || comma == 0 || comma + 1 >= w.text.size() ||
        !std::isdigit(static_cast<unsigned char>(w.text[comma - 1])) ||
        !std::isdigit(static_cast<unsigned char>(w.text[comma + 1])))
      continue;
    const std::string name = job.pages[static_cast<size_t>(w.page - 1)]->GetRecord()->GetValue(18, 0);
    bool ownName = false;
    for (int k = 0; k < StrCountFields(name, ' '); ++k) ownName = ownName || StrGetField(name, ' ', k) == w.text;
    if (!ownName) found.push_back(job.Name(w.page) + ": " + w.text);
  }
  return found;
}

class PrintedWords : public ::testing::Test {
 protected:
  // The demo records, the same with heavier samples, and generated records
  // with heavier samples, printed in one job.
  PrintedJob PrintRecords(const std::string& name) {
    RecordList records = demo::MakeDemoRecords();
    const size_t demo = records.size();
    for (size_t i = 0; i < demo; ++i) records.push_back(std::make_unique<CVersuch>(*records[i]));
    for (auto& r : recordgen::RecordGenerator(3).Make(30)) records.push_back(std::move(r));
    std::vector<CVersuch*> selected;
    for (size_t i = 0; i < records.size(); ++i) {
      if (i >= demo) MakeHeavier(*records[i]);
      selected.push_back(records[i].get());
    }
    records_ = std::move(records);
    job_ = std::make_unique<CRecordPrintJob>(selected);
    return Print(*job_, folder_ / name);
  }

  CPravikWinApp app_;
  TempFolder folder_;
  RecordList records_;
  std::unique_ptr<CRecordPrintJob> job_;
};

}  // namespace

// Page 2 of a report shows its test number as page 1 does: on pages A to F
// in the header block, on page Y of track ballast above the side tests.
// The program writes its numbers with a point, the labels of its tables
// too; a material keeps the name its definition gives it.
TEST_F(PrintedWords, EveryPageInGerman) {
  const PrintedJob job = PrintRecords("pages_de.pdf");
  EXPECT_EQ(Lines(Collisions(job)), "");
  EXPECT_EQ(Lines(PagesWithoutTheTestNumber(job)), "");
  EXPECT_EQ(Lines(CommaNumbers(job)), "");
}

// In English every printed text has its entry in the shipped language file
// (the fixture's translation tool would mark one without it "T[...]").
TEST_F(PrintedWords, EveryPageInEnglish) {
  const EnglishLanguage english(kShippedEnglish);
  const PrintedJob job = PrintRecords("pages_en.pdf");
  EXPECT_EQ(Lines(Collisions(job)), "");
  EXPECT_EQ(Lines(PagesWithoutTheTestNumber(job)), "");
  std::vector<std::string> untranslated;
  for (const Word& w : job.text.words)
    if (w.text.find("T[") != std::string::npos) untranslated.push_back(job.Name(w.page) + ": " + w.text);
  EXPECT_EQ(Lines(untranslated), "");
}
