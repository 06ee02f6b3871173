// The armourstone sheets through the scripted seam: the twenty visible
// stones of the weighing paged through all 220, values that have not left
// their edit, a stored field whose density parts stay, the graph page drawn
// offscreen, values refused where they are typed and values at fault where
// the sheet does not show them, and the sheets in English.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <filesystem>

#include "controls/grid/grid_support.h"
#include "controls/grid/pvgridctrl.h"
#include "evaluation/frame/refusals.h"
#include "evaluation/wasserbausteine/wbsdlg01.h"
#include "evaluation/wasserbausteine/wbsdlg02.h"
#include "evaluation/wasserbausteine/wbskatlistctrl.h"
#include "fixtures/dlgbase/english_language.h"
#include "records/strutil.h"
#include "records/wbsfield.h"
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
// the column, the text stays, neither paging nor OK leaves it and the
// record's field stays as it was. A refused mass or dust shows no grading; a
// refused length or thickness holds back the shape results alone.
TEST(WBSMassSheet, RefusesWhatNoOneCanHaveWeighed) {
  struct Case {
    const char* name;
    bool secondPage;
    int field;
    const char* text;
    std::string says;
    bool graded;            // a shape fault: the grading shows
    std::string kept = {};  // what the field shows afterwards; empty: the text typed
  };
  std::vector<Case> cases = {
      {"ThickerThanLong", false, Mass::kFirstThickness + 2, "41", "Stein 3, Dicke [cm]: Die Dicke des Steins liegt über",
       true, "41.0"},
      {"OnTheSecondPage", true, Mass::kFirstMass + 4, "-5", "Stein 25, Masse [kg]: Bitte eine Zahl eingeben.", false},
      {"Dust", false, Mass::kDust, "0,1.5", "Staub [kg]: Bitte eine Zahl eingeben.", false},
  };
  for (const NumberSlip& slip : NumberSlips())
    cases.push_back(
        {slip.name, false, Mass::kFirstLength + 2, slip.text, "Stein 3, Länge [cm]: Bitte eine Zahl eingeben.", true});
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
      const std::string table = d.Text(Mass::kTable);
      if (c.graded) {
        EXPECT_EQ(page.Result().status, "9");  // 5.1 of 17.1 kg lighter than 5 kg
        EXPECT_NE(table.find("Masse Gesamtprobe"), std::string::npos);
        EXPECT_EQ(table.find("Schlecht geformt in kg  [%]"), std::string::npos);
        EXPECT_EQ(page.Result().list[4].share, "");
      } else {
        EXPECT_EQ(page.Result().status, "0");
        EXPECT_EQ(table, "");
      }
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

// ------------------------------------------------------------ a fault the sheet does not show

// Thirty stones of 8 to 37 kg on "LMA 5/40", light class, as an older
// version stored them: stone 25, on the second page of stones, is 45 cm
// thick and 40 cm long (unless it is asked to be 20 cm thick).
std::string WeighingWithAThickStone(bool thick = true) {
  MassDistributionInput in;
  in.category = "LMA 5/40";
  in.massClass = kMassClassLight;
  in.dust = "0.20";
  for (size_t i = 0; i < 30; ++i) {
    in.masses[i] = std::to_string(8 + i);
    in.lengths[i] = "40";
    in.thicknesses[i] = "20";
  }
  std::string field;
  WriteWBSMassData(field, ComputeMassDistribution(in).data);
  if (!thick) return field;
  WBSMassData data = ReadWBSMassData(field);
  data.thicknesses[24] = "45.0";
  WriteWBSMassData(field, data);
  return field;
}

// A sieving of "CP 45/125" (that misses its range at 125 mm) with forty
// measured stones, stone 4 badly shaped, as an older version stored it:
// stone 25 is 45 cm thick and 40 cm long (unless it is asked to be 20 cm
// thick), the residue on 125 mm as given, refused or not.
std::string SievingWithAThickStone(const std::string& residue125 = "130.5", bool thick = true) {
  SizeDistributionInput sieving;
  sieving.category = "CP 45/125";
  const std::pair<int, std::string> residues[] = {{3, "0"},     {4, residue125}, {5, "310.6"}, {6, "452.8"},
                                                  {7, "228.4"}, {8, "61.7"},     {9, "18.9"},  {10, "6.2"}};
  for (const auto& [row, mass] : residues) sieving.residues[static_cast<size_t>(row)] = mass;
  std::string field = "1";
  WriteWBSSizeData(field, StoreSizeDistribution(sieving).data);
  StoneShapeInput shape;
  for (size_t i = 0; i < 40; ++i) {
    shape.lengths[i] = i == 3 ? "70" : "40";
    shape.thicknesses[i] = "20";
  }
  WBSShapeData data = StoneShapeData(ComputeStoneShape(shape), kShapeLTA, "LT A");
  if (thick) data.thicknesses[24] = "45.0";
  WriteWBSShapeData(field, data);
  return field;
}

const char* const kThickStoneReason = "Die Dicke des Steins liegt über seiner Länge.";

// An older weighing with a stone thicker than long among the stones not
// shown: the sheet opens on that stone's page and names it with its page;
// the grading is computed and stored, the shape held back; OK is refused
// until it is corrected, and then stores every edit.
TEST(WBSMassSheet, AFaultOnStonesNotShownIsNamedAndShownWhenTheSheetOpens) {
  SetEditAllowed(true);
  CWBSDlg02 sheet;
  sheet.m_DataPage.m_ResultText = WeighingWithAThickStone();
  platform::TestUi ui;
  ui.ExpectDialog(CWBSDlg02::kSheetId, [&](DialogDriver& d) {
    const Mass& page = sheet.m_DataPage;
    EXPECT_EQ(d.Text(Mass::kFirstStoneLabel), "21");
    EXPECT_EQ(d.Text(Mass::kFirstThickness + 4), "45.0");
    const WBSMassData opened = ReadWBSMassData(page.m_ResultText);
    EXPECT_EQ(page.m_Status, "8");
    for (size_t k = 0; k < 4; ++k) EXPECT_EQ(opened.table[kWBSWords][k], "ja") << k;
    EXPECT_EQ(opened.table[kWBSWords][4], ".");
    EXPECT_EQ(opened.table[kWBSPassing][4], ".");
    ui.ExpectMessageBox(IDOK, std::string("Stein 25 (Steine 21 bis 40), Dicke [cm]: ") + kThickStoneReason);
    QCoreApplication::processEvents();  // told once the sheet is up
    EXPECT_EQ(page.Checks().LastNamedField(), Mass::kFirstThickness + 4);

    d.Select(Mass::kMassClass, "Schwer");
    ui.ExpectMessageBox(IDOK, std::string("Stein 25, Dicke [cm]: ") + kThickStoneReason);
    EXPECT_FALSE(d.Press(IDOK));
    d.SetText(Mass::kFirstThickness + 4, "15");
  }, IDOK);
  EXPECT_EQ(sheet.DoModal(), IDOK);
  ui.VerifyAllShown();
  const WBSMassData stored = ReadWBSMassData(sheet.m_DataPage.m_ResultText);
  EXPECT_EQ(stored.massClass, "2");
  EXPECT_EQ(stored.thicknesses[24], "15.0");
  EXPECT_EQ(stored.table[kWBSWords][5], "ja");  // 0 of 30 stones badly shaped
}

// OK brings a fault among the stones not shown to the front and names it
// with its page, when a value shown at the opening was at fault as well.
TEST(WBSMassSheet, OkShowsAndNamesAFaultOnStonesNotShown) {
  SetEditAllowed(true);
  CWBSDlg02 sheet;
  WBSMassData data = ReadWBSMassData(WeighingWithAThickStone());
  data.dust = "abc";
  WriteWBSMassData(sheet.m_DataPage.m_ResultText, data);
  platform::TestUi ui;
  ui.ExpectDialog(CWBSDlg02::kSheetId, [&](DialogDriver& d) {
    EXPECT_EQ(d.Text(Mass::kFirstStoneLabel), "1");
    EXPECT_EQ(d.Text(Mass::kDust), "abc");
    d.SetText(Mass::kDust, "0,2");
    ui.ExpectMessageBox(IDOK, std::string("Stein 25 (Steine 21 bis 40), Dicke [cm]: ") + kThickStoneReason);
    EXPECT_FALSE(d.Press(IDOK));
    EXPECT_EQ(d.Text(Mass::kFirstStoneLabel), "21");
    EXPECT_EQ(sheet.m_DataPage.Checks().LastNamedField(), Mass::kFirstThickness + 4);
  }, IDCANCEL);
  EXPECT_NE(sheet.DoModal(), IDOK);
  ui.VerifyAllShown();
}

// An older sieving with a stone thicker than long: the sheet opens on the
// stone-shape page, names the stone with the page and marks its cell; OK
// is refused until it is corrected.
TEST(WBSSizeSheet, AStoneAtFaultIsNamedAndShownWhenTheSheetOpens) {
  using Shape = CWBS1PropPageSt;
  SetEditAllowed(true);
  CWBSDlg01 sheet;
  sheet.m_DataPage.m_ResultText = SievingWithAThickStone();
  platform::TestUi ui;
  ui.ExpectDialog(CWBSDlg01::kSheetId, [&](DialogDriver& d) {
    sheet.show();
    QApplication::setActiveWindow(&sheet);
    EXPECT_EQ(sheet.GetActiveIndex(), CWBSDlg01::kStonePage);
    CPvGridCtrl& grid = *sheet.m_StonePage.Grid();
    constexpr int kRow = Shape::kFirstStoneRow + 24;
    EXPECT_EQ(grid.GetItemBkColour(kRow, 2), platform::RGB(255, 170, 170));
    EXPECT_EQ(grid.GetItemText(kRow, 3), "");
    ui.ExpectMessageBox(IDOK, std::string("Stein 25 (Seite „Steinform“), Dicke [cm]: ") + kThickStoneReason);
    QCoreApplication::processEvents();
    ui.VerifyAllShown();
    EXPECT_EQ(grid.GetFocusCell().row, kRow);

    ui.ExpectMessageBox(IDOK, std::string("Stein 25, Dicke [cm]: ") + kThickStoneReason);
    EXPECT_FALSE(d.Press(IDOK));
    gridtest::UserOf(grid).TypePairs(kRow, 1, {{"40", "15"}});
    EXPECT_EQ(grid.GetItemText(kRow, 3), "2.7");
    EXPECT_EQ(d.Text(Shape::kValidCount), "40");
  }, IDOK);
  EXPECT_EQ(sheet.DoModal(), IDOK);
  ui.VerifyAllShown();
  const WBSShapeData stored = ReadWBSShapeData(sheet.m_DataPage.m_ResultText);
  EXPECT_EQ(stored.thicknesses[24], "15.0");
  EXPECT_EQ(stored.validCount, "40");
  EXPECT_EQ(stored.met, "1");
}

// A refused residue keeps the data page in front at the opening; once it is
// corrected, OK brings the stone-shape page to the front and names the
// stone there, instead of closing.
TEST(WBSSizeSheet, OkShowsAndNamesAStoneAtFaultOnTheStoneShapePage) {
  SetEditAllowed(true);
  CWBSDlg01 sheet;
  sheet.m_DataPage.m_ResultText = SievingWithAThickStone("13o.5");
  platform::TestUi ui;
  ui.ExpectDialog(CWBSDlg01::kSheetId, [&](DialogDriver& d) {
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    d.SetText(CWBS1PropPage1::kFirstResidue + 4, "130.5");
    ui.ExpectMessageBox(IDOK, std::string("Stein 25 (Seite „Steinform“), Dicke [cm]: ") + kThickStoneReason);
    EXPECT_FALSE(d.Press(IDOK));
    EXPECT_EQ(sheet.GetActiveIndex(), CWBSDlg01::kStonePage);
    // What the data page took stays in the sheet's copy.
    EXPECT_EQ(StrGetField(sheet.m_DataPage.m_ResultText, '|', 14), "1209.1");
  }, IDCANCEL);
  EXPECT_NE(sheet.DoModal(), IDOK);
  ui.VerifyAllShown();
}

// ------------------------------------------------------------ in English

// In English the stone-shape page's headings and words, its verdict and
// the requirement lists are English, each yes/no column in one language;
// the record field keeps the words it stores in German.
TEST(WBSSheets, EnglishModeShowsTheStoneShapeAndTheVerdictsInEnglish) {
  using Shape = CWBS1PropPageSt;
  const EnglishLanguage english(std::filesystem::path(PRAVIK_FIXTURES) / ".." / ".." / "resources" / "programfolder" /
                                "PravikLang-en.txt");
  SetEditAllowed(true);
  const platform::ColorRef green = platform::RGB(128, 255, 128), red = platform::RGB(255, 128, 128);
  {
    CWBSDlg01 sheet;
    sheet.m_DataPage.m_ResultText = SievingWithAThickStone("130.5", false);
    platform::TestUi ui;
    ui.ExpectDialog(CWBSDlg01::kSheetId, [&](DialogDriver& d) {
      const auto* list = sheet.m_DataPage.Item<CWBSKatListCtrl>(CWBS1PropPage1::kList);
      ASSERT_NE(list, nullptr);
      for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(list->GetItemText(row, 4), row == 3 ? "no" : "yes") << list->GetItemText(row, 0);
        EXPECT_EQ(list->RowColour(row), row == 3 ? red : green) << row;
      }
      sheet.SetActivePage(CWBSDlg01::kStonePage);
      const CPvGridCtrl& grid = *sheet.m_StonePage.Grid();
      const std::vector<std::string> headings[2] = {{"Stone no.", "Length", "Thickness", "Length /", "Poorly"},
                                                    {"", "[cm]", "[cm]", "Thickness", "shaped"}};
      for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 5; ++column)
          EXPECT_EQ(grid.GetItemText(row, column), headings[row][static_cast<size_t>(column)]) << row << " " << column;
      EXPECT_EQ(grid.GetItemText(Shape::kFirstStoneRow + 3, 4), "yes");
      EXPECT_EQ(grid.GetItemText(Shape::kFirstStoneRow, 4), "no");
      EXPECT_EQ(d.Text(Shape::kMet), "yes");
    }, IDOK);
    EXPECT_EQ(sheet.DoModal(), IDOK);
    ui.VerifyAllShown();
    const std::string& field = sheet.m_DataPage.m_ResultText;
    EXPECT_EQ(StrGetField(field, '|', 18), "ja ja ja nein ja ");
    const WBSShapeData shape = ReadWBSShapeData(field);
    EXPECT_EQ(shape.words[3], "ja");
    EXPECT_EQ(shape.words[0], "nein");
  }
  {
    CWBSDlg02 sheet;
    sheet.m_DataPage.m_ResultText = WeighingWithAThickStone(false);
    platform::TestUi ui;
    ui.ExpectDialog(CWBSDlg02::kSheetId, [&](DialogDriver& d) {
      EXPECT_EQ(d.Text(Mass::kMassClass), "Light");
      const auto* list = sheet.m_DataPage.Item<CWBSKatListCtrl>(Mass::kList);
      ASSERT_NE(list, nullptr);
      for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(list->GetItemText(row, 4), "yes") << row;
        EXPECT_EQ(list->RowColour(row), green) << row;
      }
      EXPECT_EQ(list->GetItemText(5, 4), "");
      const std::string table = d.Text(Mass::kTable);
      for (const char* english : {"Poorly", "shaped", "Dust:", "Total sample mass", "Poorly shaped in kg     [%]:"})
        EXPECT_NE(table.find(english), std::string::npos) << english;
      for (const char* german : {"Schlecht", "geformt", "Staub", "Masse"})
        EXPECT_EQ(table.find(german), std::string::npos) << german;
    }, IDOK);
    EXPECT_EQ(sheet.DoModal(), IDOK);
    ui.VerifyAllShown();
    EXPECT_EQ(StrGetField(sheet.m_DataPage.m_ResultText, '|', 18), "ja ja ja ja ja . ");
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
