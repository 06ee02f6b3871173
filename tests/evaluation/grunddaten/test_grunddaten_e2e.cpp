// The basic data end to end: the program started on a demo installation, a
// row double-clicked, the dialog filled through the scripted seam as a user
// would, "data.db" and the takeover file read back from disk, a second
// record taking the data over, a track-ballast record opening the protocol
// dialog, and page A of the first record printed to PDF.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <string>

#include "evaluation/grunddaten/grunddatendlg.h"
#include "evaluation/grunddaten/grunddatengsdlg.h"
#include "platform/commands.h"
#include "platform/files.h"
#include "platform/pdf_words.h"
#include "platform/textfile.h"
#include "records/recordfile.h"
#include "services/sysfuncs.h"
#include "support/demo_program.h"
#include "support/record_values.h"

namespace {

namespace fs = std::filesystem;
using platform::DialogDriver;
using platform::IDCANCEL;
using platform::IDOK;
using platform::IDYES;
using Dlg = CGrunddatenDlg;

class BasicDataEndToEnd : public DemoProgramTest {
 protected:
  const CVersuch* OnDisk(const std::string& number) {
    disk_.clear();
    EXPECT_TRUE(LoadRecordFile(disk_, data()));
    for (const auto& record : disk_)
      if (record->GetValue(1, 0) == number) return record.get();
    ADD_FAILURE() << "no record " << number << " in data.db";
    return nullptr;
  }
  RecordList disk_;
};

TEST_F(BasicDataEndToEnd, EnteredTakenOverCancelledAndPrinted) {
  const std::string first = "12-34-2503";   // an aggregate with its sieve analysis
  const std::string second = "12-34-2505";  // another one
  const std::string ballast = "12-34-2516";  // new track ballast
  const fs::path signature = data() / "unterschriften" / "oeztuerk.bmp";
  const fs::path pdf = program_ / "bericht.pdf";

  platform::TestUi& ui = ui_;
  ASSERT_TRUE(view_->model()->RecordAt(RowOf(first))->IsPageNeeded("SEITE_A"));
  ASSERT_TRUE(view_->model()->RecordAt(RowOf(ballast))->IsGleisschotterMaterial());
  ASSERT_TRUE(QImage(60, 20, QImage::Format_RGB32).save(QString::fromStdString(signature.string()), "BMP"));

  // The first record: people, dates, customer, remark and signature.
  ui.ExpectDialog(Dlg::kTemplateId, [&](DialogDriver& d) {
    TypeTexts(d, {
        {Dlg::kTestDate, "12.06.2025"},
        {Dlg::kTestTime, "14:30"},
        {Dlg::kTestedBy, "K. Öztürk"},
        {Dlg::kSamplingDate, "11.06.2025"},
        {Dlg::kSamplingTime, ""},
        {Dlg::kSampledBy, "J. Brandt"},
        {Dlg::kSamplingPoint, "Halde Nordost"},
    });
    d.Select(Dlg::kCustomer, "Tiefbau Köhler & Söhne");
    d.SetText(Dlg::kReportRemark, "Probe bei Regen entnommen\n\nRückstellprobe im Labor");
    d.SetText(Dlg::kInternalRemark, "Nachmessung geplant");
    d.Click(Dlg::kChooseSignature);
  }, IDOK);
  ui.ExpectFileDialog(signature);
  DoubleClick(first);
  ui.VerifyAllShown();
  {
    const CVersuch* r = OnDisk(first);
    ASSERT_NE(r, nullptr);
    ExpectValues(*r, {
        {1, 9, "20250612143000"},
        {1, 10, "K. Öztürk"},
        {1, 11, "20250611"},
        {1, 12, "Halde Nordost"},
        {1, 13, "J. Brandt"},
        {1, 14, "Probe bei Regen entnommen#CRLF##CRLF#Rückstellprobe im Labor#CRLF##CRLF##CRLF#"},
        {1, 19, "12-34-250303101500"},
        {1, 20, "Tiefbau Köhler & Söhne"},
        {1, 21, "Nachmessung geplant"},
        {1, 25, signature.string()},
        {1, 6, GetTodayText()},
    });
    EXPECT_NE(r->GetTestStatusList().find("[VA_GRUND:1]"), std::string::npos);
  }
  const fs::path takeover = data() / "tmp" / (GetLocalComputerName() + "_lgd.tmp");
  const auto lines = platform::ReadTextLines(takeover);
  ASSERT_TRUE(lines.has_value());
  EXPECT_EQ(lines->front(), first);

  // The second record takes the data over.
  ui.ExpectDialog(Dlg::kTemplateId, [&](DialogDriver& d) {
    EXPECT_EQ(d.Text(Dlg::kTakeover), "Daten übernehmen aus Prüf-Nr. " + first + " ...");
    d.Click(Dlg::kTakeover);
  }, IDOK);
  ui.ExpectMessageBox(IDYES, "Trotzdem Daten übernehmen?");
  DoubleClick(second);
  ui.VerifyAllShown();
  {
    const CVersuch a = *OnDisk(first);
    const CVersuch* b = OnDisk(second);
    ASSERT_NE(b, nullptr);
    for (int part : {4, 7, 8, 9, 10, 11, 12, 13, 14, 19, 20, 21, 23, 24, 25})
      EXPECT_EQ(b->GetValue(1, part), a.GetValue(1, part)) << part;
    EXPECT_NE(b->GetTestStatusList().find("[VA_GRUND:1]"), std::string::npos);
  }

  // A track-ballast record opens the protocol dialog; Cancel changes nothing on disk.
  const std::string before = DataDb();
  ui.ExpectDialog(CGrunddatenGSDlg::kTemplateId, [](DialogDriver& d) {
    d.SetText(CGrunddatenGSDlg::kTestedByGS, "Niemand");
    d.Click(1208);
  }, IDCANCEL);
  DoubleClick(ballast);
  ui.VerifyAllShown();
  EXPECT_EQ(DataDb(), before);

  // Page A of the first record.
  Click(first);
  ui.ExpectPrintDialog(true, pdf);
  EXPECT_TRUE(frame_->commands().Execute(57607));
  ui.VerifyAllShown();
  const pdftest::PdfText text = pdftest::ReadPdf(pdf);
  ASSERT_EQ(text.pages.size(), 1u);
  for (const char* word : {"Öztürk", "12.06.2025", "14:30", "11.06.2025", "Brandt", "Nordost", "Köhler", "Regen",
                           "Rückstellprobe"})
    EXPECT_NE(text.Find(word, 1), nullptr) << word;
  const pdftest::Word* remark1 = text.Find("Regen", 1);
  const pdftest::Word* remark3 = text.Find("Rückstellprobe", 1);
  ASSERT_TRUE(remark1 && remark3);
  EXPECT_GT(remark1->top - remark3->top, 500);  // an empty line between them
}

}  // namespace
