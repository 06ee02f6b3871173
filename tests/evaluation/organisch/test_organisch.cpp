// Organic matter: the result text, a colour typed freely (also with the
// record's separators), and a new test that starts without a comparison.
#include <gtest/gtest.h>

#include <string>

#include "evaluation/organisch/organursprungsdmdlg.h"
#include "records/strutil.h"
#include "services/appflags.h"
#include "support/scripted_ui_gtest.h"

using platform::DialogDriver;
using platform::IDOK;
using Dlg = COrganUrsprungSDMDlg;

namespace {

TEST(OrganicMatter, ResultTexts) {
  struct Case {
    OrganicInput input;
    const char* result;
    const char* status;
  } cases[] = {
      {{"farblos bis gelb", kComparisonLighter},
       "farblos bis gelb|0|Farbe: farblos bis gelb; heller als Farbbezugslösung|"
       "Frei von organischen Stoffen/nur unbedenkliche Mengen.|1",
       "1"},
      {{"bräunlich", kComparisonDarker},
       "bräunlich|1|Farbe: bräunlich; dunkler als Farbbezugslösung|Weitere Beurteilung über Mörtelverfahren nötig.|1",
       "1"},
      // Separators of the record file typed into the colour cannot shift the parts.
      {{"gelb|braun~x$", kComparisonDarker},
       "gelb#braun#x#|1|Farbe: gelb#braun#x#; dunkler als Farbbezugslösung|"
       "Weitere Beurteilung über Mörtelverfahren nötig.|1",
       "1"},
      // No comparison chosen: no verdict, the test is not done.
      {{"", kComparisonNone}, "||||1", "0"},
      {{"gelb", kComparisonNone}, "gelb||||1", "0"},
  };
  for (const Case& c : cases) {
    const TestEntryResult r = OrganicEntryResult(c.input);
    EXPECT_EQ(r.resultText, c.result);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.statisticsValue.value_or("<none>"), StrGetField(c.result, '|', 0));
  }
}

TEST(OrganicMatter, StoredComparisonReadBack) {
  EXPECT_EQ(OrganicInputFromField("").comparison, kComparisonNone);
  EXPECT_EQ(OrganicInputFromField("gelb||||1").comparison, kComparisonNone);
  EXPECT_EQ(OrganicInputFromField("gelb|0|x|y|1").comparison, kComparisonLighter);
  const OrganicInput darker = OrganicInputFromField("rot|1|x|y|1");
  EXPECT_EQ(darker.comparison, kComparisonDarker);
  EXPECT_EQ(darker.colour, "rot");
}

TEST(OrganicMatterDialog, NewTestHasNoChoiceUntilOneIsMade) {
  SetEditAllowed(true);
  CVersuch record;
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_FALSE(d.IsChecked(Dlg::kLighter));
    EXPECT_FALSE(d.IsChecked(Dlg::kDarker));
    EXPECT_EQ(d.Text(Dlg::kVerdict), "");
  }, IDOK);
  std::optional<TestEntryResult> result = EditOrganicMatter(record, nullptr);
  ui.VerifyAllShown();
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->resultText, "||||1");
  EXPECT_EQ(result->status, "0");

  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    d.Select(Dlg::kColour, "rötlich bis schwarz");
    d.Check(Dlg::kDarker);
    EXPECT_EQ(d.Text(Dlg::kVerdict), "Weitere Beurteilung über Mörtelverfahren nötig.");
    d.SetText(Dlg::kColour, "hellbraun");  // typed freely
  }, IDOK);
  result = EditOrganicMatter(record, nullptr);
  ui.VerifyAllShown();
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->resultText,
            "hellbraun|1|Farbe: hellbraun; dunkler als Farbbezugslösung|Weitere Beurteilung über Mörtelverfahren nötig.|1");
  EXPECT_EQ(result->status, "1");
}

}  // namespace
