// The armourstone sheets through the scripted seam: the twenty visible
// stones of the weighing paged through all 220, values that have not left
// their edit, a stored field whose density parts stay, and the graph page
// drawn offscreen.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QHeaderView>
#include <QImage>
#include <QPainter>

#include "evaluation/wasserbausteine/wbsdlg01.h"
#include "evaluation/wasserbausteine/wbsdlg02.h"
#include "evaluation/wasserbausteine/wbskatlistctrl.h"
#include "records/strutil.h"
#include "shell/app/appflags.h"
#include "support/scripted_ui_gtest.h"

using platform::DialogDriver;
using platform::IDCANCEL;
using platform::IDOK;
using Mass = CWBS2PropPage1;

namespace {

TEST(WBSMassSheet, PagingThroughAllStonesKeepsWhatWasTyped) {
  SetEditAllowed(true);
  CWBSDlg02 sheet;
  sheet.m_DataPage.m_TestNumber = "23-1-0009";
  platform::TestUi ui;
  ui.ExpectDialog(CWBSDlg02::kSheetId, [&](DialogDriver& d) {
    EXPECT_EQ(sheet.windowTitle().toStdString(), "Massenverteilung von Wasserbausteinen       Prüf-Nr.: 23-1-0009");
    d.Select(Mass::kCategory, "LMA 5/40");
    EXPECT_FALSE(d.IsEnabled(Mass::kRauf));
    EXPECT_EQ(d.Text(Mass::kFirstStoneLabel), "1");
    // Typed but not left: "runter" takes it along.
    sheet.m_DataPage.SetItemText(Mass::kFirstMass + 19, "7,5");
    for (int i = 0; i < 10; ++i) d.Click(Mass::kRunter);
    EXPECT_EQ(d.Text(Mass::kFirstStoneLabel), "201");
    EXPECT_EQ(d.Text(Mass::kFirstStoneLabel + 19), "220");
    EXPECT_FALSE(d.IsEnabled(Mass::kRunter));
    EXPECT_EQ(sheet.m_DataPage.m_Masses[19], "7.50");
    d.SetText(Mass::kFirstMass + 19, "30");
    for (int i = 0; i < 10; ++i) d.Click(Mass::kRauf);
    EXPECT_EQ(d.Text(Mass::kFirstStoneLabel), "1");
    EXPECT_EQ(d.Text(Mass::kFirstMass + 19), "7.50");
    EXPECT_EQ(sheet.m_DataPage.m_Masses[219], "30.00");
    // A mass typed into a visible row and confirmed at once is stored.
    sheet.m_DataPage.SetItemText(Mass::kFirstMass, "12");
  }, IDOK);
  sheet.DoModal();
  ui.VerifyAllShown();
  const WBSMassData stored = ReadWBSMassData(sheet.m_DataPage.m_ResultText);
  EXPECT_EQ(stored.masses[0], "12.00");
  EXPECT_EQ(stored.masses[19], "7.50");
  EXPECT_EQ(stored.masses[219], "30.00");
  EXPECT_EQ(stored.stoneTokens[219], "30.00_2");
  EXPECT_EQ(sheet.m_DataPage.m_Status, "8");
}

TEST(WBSMassSheet, UnknownCategoryIsNotSelectedAndTheDensityStays) {
  SetEditAllowed(true);
  CWBSDlg02 sheet;
  sheet.m_DataPage.m_ResultText = "2|5.00@|LMA 99|2|0.10" + std::string(16, '|') + "rho|d21||d23|d24|d25|d26|d27";
  platform::TestUi ui;
  ui.ExpectDialog(CWBSDlg02::kSheetId, [&](DialogDriver& d) {
    EXPECT_EQ(d.Text(Mass::kCategory), "");
    EXPECT_EQ(d.Text(Mass::kMassClass), "Schwer");
    EXPECT_EQ(d.Text(Mass::kDust), "0.10");
    EXPECT_EQ(d.Text(Mass::kFirstMass), "5.00");
  }, IDOK);
  sheet.DoModal();
  const std::string& field = sheet.m_DataPage.m_ResultText;
  EXPECT_EQ(sheet.m_DataPage.m_Status, "0");
  EXPECT_EQ(StrGetField(field, '|', 2), "");
  EXPECT_EQ(StrGetFields(field, '|', 20, -1), "|rho|d21||d23|d24|d25|d26|d27");
}

TEST(WBSSizeSheet, GraphPageDrawsTheStoredChartOffscreen) {
  SetEditAllowed(true);
  CWBSDlg01 sheet;
  platform::TestUi ui;
  ui.ExpectDialog(CWBSDlg01::kSheetId, [&](DialogDriver& d) {
    d.Select(CWBS1PropPage1::kCategory, "CP 90/180");
    const std::pair<int, const char*> residues[] = {{2, "0"}, {3, "5"}, {5, "80"}, {7, "10"}, {10, "5"}};
    for (const auto& [row, mass] : residues) d.SetText(CWBS1PropPage1::kFirstResidue + row, mass);
    sheet.SetActivePage(2);
    CWBSChartStatic* chart = sheet.m_GraphPage.ChartStatic();
    QImage image(600, 400, QImage::Format_RGB32);
    image.fill(Qt::red);
    {
      QPainter painter(&image);
      platform::DrawContext dc(painter);
      chart->Draw(dc, image.width(), image.height());
    }
    // The frame fills the static in white; the chart draws in black on it.
    EXPECT_EQ(image.pixel(5, 5) & 0xFFFFFF, 0xFFFFFFu);
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) dark += (image.pixel(x, y) & 0xFFFFFF) == 0 ? 1 : 0;
    EXPECT_GT(dark, 500);
  }, IDCANCEL);
  sheet.DoModal();
  ui.VerifyAllShown();
  // The data page stored on being left; the sheet's copy holds it.
  EXPECT_EQ(StrGetField(sheet.m_DataPage.m_ResultText, '|', 2), "CP 90/180");
  EXPECT_EQ(sheet.m_DataPage.m_Status, "8");
}

TEST(WBSSizeSheet, ReadOnlyOpeningCannotBeConfirmed) {
  SetEditAllowed(false);
  CWBSDlg01 sheet;
  sheet.m_DataPage.m_ResultText = "1|@@@@@@@@@@@|CP 45/125";
  platform::TestUi ui;
  ui.ExpectDialog(CWBSDlg01::kSheetId, [](DialogDriver& d) {
    EXPECT_FALSE(d.IsEnabled(IDOK));
    EXPECT_FALSE(d.IsEnabled(ID_APPLY_NOW));
    EXPECT_EQ(d.Text(CWBS1PropPage1::kCategory), "CP 45/125");
  }, IDCANCEL);
  EXPECT_NE(sheet.DoModal(), IDOK);
  ui.VerifyAllShown();
  SetEditAllowed(true);
}

}  // namespace

TEST(WBSRequirementList, ColumnsHoldTheirHeadingsInTheScaledFont) {
  // Widths given for the Windows font; the list shows this system's face at
  // 130 %, where "erfüllt" in 40 pixels would be cut.
  QWidget page;
  QFont font = page.font();
  font.setPixelSize(13);
  page.setFont(font);
  CWBSKatListCtrl list(&page);
  list.SetFontScale(130, 130);
  const std::vector<std::pair<std::string, int>> columns = {
      {"Sieb [mm]", 100}, {"Ist [kg]", 0}, {"Ist [%]", 100}, {"Soll [%]", 100}, {"erfüllt", 40}};
  list.SetColumns(columns, 5);
  const QFontMetrics metrics(list.horizontalHeader()->font());
  EXPECT_TRUE(list.isColumnHidden(1));
  for (int c : {0, 2, 3, 4}) {
    const auto& [heading, width] = columns[static_cast<size_t>(c)];
    EXPECT_GT(list.columnWidth(c), metrics.horizontalAdvance(QString::fromStdString(heading)) + 6) << heading;
    EXPECT_GE(list.columnWidth(c), width);
  }
}
