// The armourstone sheets through the scripted seam: the twenty visible
// stones of the weighing paged through all 220, values that have not left
// their edit, a stored field whose density parts stay, and the graph page
// drawn offscreen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QImage>
#include <QPainter>

#include "controls/grid/grid_support.h"
#include "controls/grid/pvgridctrl.h"
#include "evaluation/frame/refusals.h"
#include "evaluation/wasserbausteine/wbsdlg01.h"
#include "evaluation/wasserbausteine/wbsdlg02.h"
#include "evaluation/wasserbausteine/wbskatlistctrl.h"
#include "records/strutil.h"
#include "services/appflags.h"
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

// OK on a page that holds a refused value tells the same message again and
// leaves the sheet open.
void ExpectOkRefused(platform::TestUi& ui, DialogDriver& d, const std::string& says) {
  ui.ExpectMessageBox(IDOK, says);
  EXPECT_FALSE(d.Press(IDOK));
}

// Cancel closed the sheet, every message expected was shown, and the data
// page's copy of the record field is as it was before the slip.
template <class Sheet>
void ExpectCancelledWithFieldAsBefore(Sheet& sheet, platform::TestUi& ui, const std::string& before) {
  EXPECT_NE(sheet.DoModal(), IDOK);
  ui.VerifyAllShown();
  EXPECT_EQ(sheet.m_DataPage.m_ResultText, before);
}

// The weighing refuses what no one can have weighed or measured where it is
// typed, also on the second page of stones: the message names the stone and
// the column, the text stays, neither paging nor OK leaves it, no grading
// shows and the record's field stays as it was.
TEST(WBSMassSheet, RefusesWhatNoOneCanHaveWeighed) {
  struct Case {
    const char* name;
    bool secondPage;
    int field;
    const char* text;
    std::string says;
    std::string kept = {};  // what the field shows afterwards; empty: the text typed
  };
  std::vector<Case> cases = {
      {"ThickerThanLong", false, Mass::kFirstThickness + 2, "41", "Stein 3, Dicke [cm]: Die Dicke des Steins liegt über",
       "41.0"},
      {"OnTheSecondPage", true, Mass::kFirstMass + 4, "-5", "Stein 25, Masse [kg]: Bitte eine Zahl eingeben."},
      {"Dust", false, Mass::kDust, "0,1.5", "Staub [kg]: Bitte eine Zahl eingeben."},
  };
  for (const NumberSlip& slip : NumberSlips())
    cases.push_back({slip.name, false, Mass::kFirstLength + 2, slip.text, "Stein 3, Länge [cm]: Bitte eine Zahl eingeben."});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetEditAllowed(true);
    CWBSDlg02 sheet;
    sheet.m_DataPage.m_ResultText = "2|5.00@|LMA 5/40|0|0.10";
    std::string before;
    platform::TestUi ui;
    ui.ExpectDialog(CWBSDlg02::kSheetId, [&](DialogDriver& d) {
      const Mass& page = sheet.m_DataPage;
      before = page.m_ResultText;  // as the page stored it on opening
      const std::string kept = c.kept.empty() ? c.text : c.kept;
      if (c.secondPage) d.Click(Mass::kRunter);
      d.SetText(Mass::kFirstMass + 2, "12");
      d.SetText(Mass::kFirstLength + 2, "40");
      ui.ExpectMessageBox(IDOK, c.says);
      d.SetText(c.field, c.text);
      EXPECT_EQ(page.Checks().LastNamedField(), c.field);
      EXPECT_EQ(d.Text(c.field), kept);
      EXPECT_EQ(page.Result().status, "0");
      EXPECT_EQ(d.Text(Mass::kTable), "");
      // Paging and OK tell it again and leave it where it is.
      const std::string first = d.Text(Mass::kFirstStoneLabel);
      ui.ExpectMessageBox(IDOK, c.says);
      d.Click(c.secondPage ? Mass::kRauf : Mass::kRunter);
      EXPECT_EQ(d.Text(Mass::kFirstStoneLabel), first);
      EXPECT_EQ(d.Text(c.field), kept);
      ExpectOkRefused(ui, d, c.says);
    }, IDCANCEL);
    ExpectCancelledWithFieldAsBefore(sheet, ui, before);
  }
}

// A residue no one can have weighed is named where it is typed; the page is
// not left, OK stores nothing and no sieve is judged.
TEST(WBSSizeSheet, RefusesAResidueNoOneCanHaveWeighed) {
  constexpr int k125 = CWBS1PropPage1::kFirstResidue + 4;
  for (const NumberSlip& slip : NumberSlips()) {
    SCOPED_TRACE(slip.name);
    SetEditAllowed(true);
    CWBSDlg01 sheet;
    sheet.m_DataPage.m_ResultText = "1|@@@@@@@@@@@|CP 45/125";
    const std::string says = "Rückstand M [kg], 125: Bitte eine Zahl eingeben.";
    std::string before;
    platform::TestUi ui;
    ui.ExpectDialog(CWBSDlg01::kSheetId, [&](DialogDriver& d) {
      before = sheet.m_DataPage.m_ResultText;  // as the page stored it on opening
      d.SetText(CWBS1PropPage1::kFirstResidue + 3, "0");
      d.SetText(CWBS1PropPage1::kFirstResidue + 5, "80");
      ui.ExpectMessageBox(IDOK, says);
      d.SetText(k125, slip.text);
      EXPECT_NE(ui.shown().back().text.find(slip.says), std::string::npos) << ui.shown().back().text;
      EXPECT_EQ(sheet.m_DataPage.Checks().LastNamedField(), k125);
      EXPECT_EQ(d.Text(k125), slip.text);
      EXPECT_EQ(sheet.m_DataPage.Result().status, "0");
      EXPECT_EQ(d.Text(CWBS1PropPage1::kTotal), "");
      EXPECT_EQ(d.Text(CWBS1PropPage1::kFirstPassing + 5), "");
      ui.ExpectMessageBox(IDOK, says);
      sheet.SetActivePage(1);
      EXPECT_EQ(sheet.GetActiveIndex(), 0);
      ExpectOkRefused(ui, d, says);
    }, IDCANCEL);
    ExpectCancelledWithFieldAsBefore(sheet, ui, before);
  }
}

// A stone length or thickness no one can have measured, or a stone thicker
// than long, is named when its cell is left; no share is judged, the page is
// not left and OK stores nothing.
TEST(WBSSizeSheet, RefusesAStoneNoOneCanHaveMeasured) {
  using Shape = CWBS1PropPageSt;
  const struct {
    const char* name;
    const char* length;
    const char* thickness;
    std::string says;
    const char* shownLength;  // the cells afterwards: a refused text as typed
    const char* shownThickness;
  } cases[] = {
      {"Letters", "abc", "25", "Stein 3, Länge [cm]: Bitte eine Zahl eingeben.", "abc", "25.0"},
      {"Negative", "-40", "25", "Stein 3, Länge [cm]: Bitte eine Zahl eingeben.", "-40", "25.0"},
      {"Exponent", "40", "1e1", "Stein 3, Dicke [cm]: Bitte eine Zahl eingeben.", "40.0", "1e1"},
      {"ThickerThanLong", "40", "40,5", "Stein 3, Dicke [cm]: Die Dicke des Steins liegt über seiner Länge.", "40.0",
       "40.5"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetEditAllowed(true);
    CWBSDlg01 sheet;
    sheet.m_DataPage.m_ResultText = "1|@@@@@@@@@@@|CP 45/125";
    std::string before;
    platform::TestUi ui;
    ui.ExpectDialog(CWBSDlg01::kSheetId, [&](DialogDriver& d) {
      sheet.show();
      QApplication::setActiveWindow(&sheet);
      sheet.SetActivePage(1);
      before = sheet.m_DataPage.m_ResultText;
      d.Select(Shape::kShapeCategory, "LT A");
      CPvGridCtrl& grid = *sheet.m_StonePage.Grid();
      gridtest::UserOf user(grid);
      ui.ExpectMessageBox(IDOK, c.says);
      user.TypePairs(Shape::kFirstStoneRow, 1, {{"71", "21"}, {"62", "31"}, {c.length, c.thickness}});
      ui.VerifyAllShown();
      EXPECT_EQ(grid.GetItemText(Shape::kFirstStoneRow + 2, 1), c.shownLength);
      EXPECT_EQ(grid.GetItemText(Shape::kFirstStoneRow + 2, 2), c.shownThickness);
      EXPECT_EQ(sheet.m_StonePage.Result().share, "");
      EXPECT_EQ(d.Text(Shape::kMet), "");
      ui.ExpectMessageBox(IDOK, c.says);
      sheet.SetActivePage(0);
      EXPECT_EQ(sheet.GetActiveIndex(), 1);
      ExpectOkRefused(ui, d, c.says);
    }, IDCANCEL);
    ExpectCancelledWithFieldAsBefore(sheet, ui, before);
  }
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
