// Printed in English: what the entry dialogs stored in German prints in the
// report's language.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "fixtures/dlgbase/english_language.h"
#include "reports/print_record.h"
#include "reports/report_testing.h"
#include "services/pravikapp.h"
#include "support/temp_folder.h"

namespace {
const std::filesystem::path kShippedEnglish =
    std::filesystem::path(PRAVIK_FIXTURES) / ".." / ".." / "resources" / "programfolder" / "PravikLang-en.txt";
}  // namespace

// The flakiness row of page A's requirement table, stored by the dialog in
// German ("Plattigkeitskennzahl [%]:").
TEST(PrintedLanguage, RequirementRowLabelsStoredInGerman) {
  CPravikWinApp app;
  TempFolder folder;
  const EnglishLanguage english(kShippedEnglish);
  CVersuch record = reporttest::PageARecord();
  ASSERT_EQ(record.GetValue(23, 10).rfind("Plattigkeitskennzahl [%]:", 0), 0u);
  const pdftest::PdfText pdf = reporttest::PrintRecordToPdf(record, folder.path(), "row_label_english").pdf;
  EXPECT_FALSE(pdf.Find("Plattigkeitskennzahl", 1));
  const pdftest::Word* label = pdf.Find("Flakiness", 1);
  ASSERT_TRUE(label);
  bool judged = false;
  for (const pdftest::Word& w : pdf.words)
    judged = judged || (w.text == "11" && std::abs(w.CentreY() - label->CentreY()) < 60 && w.left > label->right);
  EXPECT_TRUE(judged);
}
