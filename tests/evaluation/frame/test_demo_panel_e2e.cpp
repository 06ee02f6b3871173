// Every test of the panel can be tried on the demo plant: some demo record
// carries each key of the normal and of the track-ballast panel, and the
// tests whose rows come from the material open with rows to fill.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "evaluation/bruchflaechigkeit/bruchflaechigkeitdlg.h"
#include "evaluation/kornform/kornformsdmdlg.h"
#include "shell/mainview/form1view_panel.h"
#include "support/demo_program.h"

namespace {

using platform::DialogDriver;
using platform::IDCANCEL;

class DemoPanel : public DemoProgramTest {
 protected:
  void Open(const std::string& number, const std::string& key) {
    Click(number);
    CButtonListbox* panel = view_->panel();
    const int item = panel->ItemOfKey(key);
    ASSERT_GE(item, 0) << key;
    ASSERT_TRUE(panel->IsKeyEnabled(item)) << number << " " << key;
    view_->OnLbnSelChangeTestTypePanel(item);
  }
};

TEST_F(DemoPanel, SomeRecordCarriesEveryTestOfBothPanels) {
  std::set<std::string> carried;
  for (int row = 0; row < view_->model()->RecordCount(); ++row) {
    const CVersuch* record = view_->model()->RecordAt(row);
    const std::string list = record->GetField(29);
    for (size_t at = list.find('['); at != std::string::npos; at = list.find('[', at + 1))
      carried.insert(list.substr(at + 1, list.find(':', at) - at - 1));
  }
  PanelState panel;
  for (bool ballast : {false, true}) {
    panel.SetBallastMode(ballast);
    for (int item = 0; item < panel.ItemCount(); ++item)
      EXPECT_TRUE(carried.count(panel.GetKeyAt(item))) << panel.GetKeyAt(item) << " is on no demo record";
  }
}

TEST_F(DemoPanel, GrainShapeAndCrushedSurfacesOpenWithRowsToFill) {
  const std::string aggregate = "12-34-2501";
  ui_.ExpectDialog(CKornformSDMDlg::kTemplateId, [](DialogDriver& d) {
    // The fractions of the material, each with its residue and its limit.
    const char* fractions[] = {"4-8", "8-16", "16-31.5"};
    for (int row = 0; row < 3; ++row) {
      EXPECT_EQ(d.Text(CKornformSDMDlg::kFirstFraction + row), fractions[row]);
      EXPECT_NE(d.Text(CKornformSDMDlg::kFirstResidue + row), "") << row;
      EXPECT_EQ(d.Text(CKornformSDMDlg::kFirstRequirement + row), "<= 20");
      EXPECT_TRUE(d.IsEnabled(CKornformSDMDlg::kFirstBad + row)) << row;
      EXPECT_TRUE(d.IsEnabled(CKornformSDMDlg::kFirstGood + row)) << row;
    }
    EXPECT_FALSE(d.IsEnabled(CKornformSDMDlg::kFirstBad + 3));
  }, IDCANCEL);
  Open(aggregate, "VA_KORNF");
  ui_.VerifyAllShown();

  ui_.ExpectDialog(CGeo_b_BruchflaechigkeitDlg::kTemplateId, [](DialogDriver& d) {
    // Left for entering: nothing stored, the classes of the material ready.
    EXPECT_TRUE(d.IsEnabled(CGeo_b_BruchflaechigkeitDlg::kFirstMass));
    EXPECT_EQ(d.Text(CGeo_b_BruchflaechigkeitDlg::kFirstMass), "");
  }, IDCANCEL);
  Open(aggregate, "VA_BRUCH");
  ui_.VerifyAllShown();
}

}  // namespace
