// The alkali dialog driven through the scripted seam: the cells it shows,
// the orange cells of missing inputs, the faces of the plant's requirement,
// and the clipboard keys, which the dialog takes before the focused cell.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <string>

#include "evaluation/alkali/alkalidlg.h"
#include "evaluation/frame/refusals.h"
#include "platform/clipboard.h"
#include "records/strutil.h"
#include "reports/side_page_records.h"
#include "services/appflags.h"
#include "support/scripted_ui_gtest.h"

using platform::DialogDriver;
using platform::IDCANCEL;
using platform::IDOK;
using Dlg = CAlkaliDlg;

namespace {

CVersuch Record(const std::string& field24) {
  CVersuch r;
  r.SetValue(1, 0, "12-3-0102");
  r.SetField(24, field24);
  r.SetField(25, "{0}{3-2404110910001|Kiessand 0/32|||2024-04-11 08:00|}{1|0.063|31.5}{}{}{[VA_ALKALI|2|2]}{}");
  r.SetField(27, "2450.0;820.0;1130.0;1560.0;2340.0;2890.0;0.0||||");
  return r;
}

// Presses a key with modifiers in a control, as the user would.
void Press(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QCoreApplication::sendEvent(target, &press);
}

QLineEdit* CellOf(DialogDriver& d, int sizeClass, int row) {
  return d.dialog().Item<QLineEdit>(Dlg::CellId(sizeClass, row));
}

// Empties the flag cells the user can type into.
void ClearFlagCells(DialogDriver& d) {
  for (const FlagCell& flag : kFlagCells)
    if (!CellOf(d, flag.sizeClass, flag.row)->isReadOnly()) d.SetText(Dlg::CellId(flag.sizeClass, flag.row), "");
}

bool Orange(DialogDriver& d, int sizeClass, int row) {
  const auto colour = static_cast<Dlg&>(d.dialog()).ItemColor(Dlg::CellId(sizeClass, row));
  return colour && *colour == Dlg::kMissingColor;
}

// The 54 flag cells as the clipboard line of the sample of the report tests,
// typed as a spreadsheet holds them.
std::string SpreadsheetLine() {
  const std::vector<std::vector<const char*>> classes = {
      {"", "", "", "50", "49,8"},
      {"", "", "", "100", "99.1"},
      {"", "985", "9", "6", "", "9,3", "5.4", "", "", "", "3.1"},
      {"", "1940", "38", "22", "", "39.2", "22.4", "", "", "", "8.6"},
      {"", "2955", "30", "15", "", "30.9", "18", "", "", "", "9"},
      {"", "", "", "", "", "", "", "", "", "", ""},
  };
  std::vector<std::string> cells;
  for (const auto& sizeClass : classes) cells.insert(cells.end(), sizeClass.begin(), sizeClass.end());
  return reporttest::Join(cells, "\t") + "\r\n";
}

}  // namespace

TEST(AlkaliDialog, ShowsTheSievingTheCellsAndThePlantsClasses) {
  SetEditAllowed(true);
  CVersuch record = Record("KG1:0|KG2:32|M213:6|M214:3.1|A1:999.0|");
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.dialog().windowTitle().toStdString(), "Alkaliempfindliche Bestandteile         Prüf-Nr.: 12-3-0102");
    // The fractions of the current sieving, not the stored ones.
    EXPECT_EQ(d.Text(Dlg::kFirstFractionMass + 1), "2450.0");
    EXPECT_EQ(d.Text(Dlg::kFirstFractionMass), "11190.0");
    EXPECT_EQ(d.Text(Dlg::kFirstFractionShare + 6), "25.9");
    EXPECT_EQ(d.Text(Dlg::kRequiredO), "E II-O");
    EXPECT_EQ(d.Text(Dlg::kRequiredOF), "E II-OF");
    EXPECT_EQ(d.Text(Dlg::kGrainGroup2), "32");
    EXPECT_EQ(d.Text(Dlg::CellId(2, 13)), "6.00");
    // The classes 1/2 and 2/4 have the NaOH test only.
    for (int row = 0; row < kAlkaliRows; ++row) {
      EXPECT_EQ(d.IsVisible(Dlg::CellId(0, row)), row >= 13 && row <= 16) << row;
      EXPECT_TRUE(d.IsVisible(Dlg::CellId(2, row))) << row;
    }
    // The sorting of 4/8 is missing: orange, and the NaOH test alone classifies
    // nothing; without classes no face shows.
    EXPECT_TRUE(Orange(d, 2, 1));
    EXPECT_TRUE(Orange(d, 2, 3));
    EXPECT_FALSE(Orange(d, 2, 13));
    EXPECT_FALSE(d.IsVisible(Dlg::kMarkMet));
    EXPECT_FALSE(d.IsVisible(Dlg::kMarkNotMet));

    d.SetText(Dlg::CellId(2, 1), "985");
    d.SetText(Dlg::CellId(2, 3), "9");
    d.SetText(Dlg::CellId(2, 5), "6");
    EXPECT_FALSE(Orange(d, 2, 1));
    EXPECT_EQ(d.Text(Dlg::CellId(2, kSampleMass)), "1000.0");
    EXPECT_EQ(d.Text(Dlg::CellId(2, kOpalineNaohShare)), "0.3");
    EXPECT_EQ(d.Text(Dlg::MarkId(2, 0)), "X");
    EXPECT_EQ(d.Text(Dlg::kOverallO), "E I-O");
    EXPECT_EQ(d.Text(Dlg::kOverallOF), "");  // no flint determination yet
    // 2700 kg/m³: no reactive flint, "Flint trocken" turns orange.
    d.SetText(Dlg::CellId(2, kFlintWetInAir), "9.30");
    d.SetText(Dlg::CellId(2, kFlintUnderWater), "5.97");
    EXPECT_EQ(d.Text(Dlg::CellId(2, kFlintDensity)), "2703");
    EXPECT_EQ(d.Text(Dlg::CellId(2, kReactiveFlint)), "");
    EXPECT_TRUE(Orange(d, 2, kFlintDry));
    d.SetText(Dlg::CellId(2, kFlintUnderWater), "5.4");
    EXPECT_FALSE(Orange(d, 2, kFlintDry));
    EXPECT_EQ(d.Text(Dlg::kOverallOF), "E I-OF");
    // E I is better than the plant's E II.
    EXPECT_TRUE(d.IsVisible(Dlg::kMarkMet));
    EXPECT_FALSE(d.IsVisible(Dlg::kMarkNotMet));
  }, IDOK);
  const auto result = EditAlkaliConstituents(record, nullptr);
  ui.VerifyAllShown();
  ASSERT_TRUE(result);
  EXPECT_EQ(result->status, "8");
  EXPECT_EQ(result->resultText.find("A0:11190.0|"), 0u);
  EXPECT_NE(result->resultText.find("|E_O:E I-O|E_OF:E I-OF|KG1:0|KG2:32|"), std::string::npos);
}

TEST(AlkaliDialog, CopyClearPasteRestoresTheFlagCells) {
  SetEditAllowed(true);
  CVersuch record = Record(reporttest::AlkaliField());
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    QLineEdit* cell = CellOf(d, 3, kNaohResidue);
    Press(cell, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    const std::string copied = platform::GetClipboardText();
    EXPECT_EQ(StrCountChar(copied, '\t'), 54);
    EXPECT_EQ(StrGetField(copied, '\t', 3), "50.00");
    ClearFlagCells(d);
    EXPECT_EQ(d.Text(Dlg::kOverallO), "");
    Press(cell, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(d.Text(Dlg::CellId(3, kNaohResidue)), "8.60");
    EXPECT_EQ(d.Text(Dlg::kOverallO), "E II-O");  // recomputed at once
    ClearFlagCells(d);
    Press(cell, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(platform::GetClipboardText(), copied);
  }, IDOK);
  const auto result = EditAlkaliConstituents(record, nullptr);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->resultText, reporttest::AlkaliField());
}

TEST(AlkaliDialog, OneValuePastesIntoTheFocusedCellOnly) {
  SetEditAllowed(true);
  CVersuch record = Record(reporttest::AlkaliField());
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    ASSERT_TRUE(platform::SetClipboardText("12,5\r\n"));
    QLineEdit* cell = CellOf(d, 4, kSoftened);
    cell->selectAll();
    Press(cell, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(d.Text(Dlg::CellId(4, kSoftened)), "12,5");
    EXPECT_EQ(d.Text(Dlg::CellId(4, kNaohResidue)), "9.00");  // the other cells keep their values
    EXPECT_EQ(d.Text(Dlg::CellId(2, 1)), "985.0");
    d.dialog().NotifyKillFocus(Dlg::CellId(4, kSoftened));
    EXPECT_EQ(d.Text(Dlg::CellId(4, kSoftened)), "12.50");
    EXPECT_EQ(d.Text(Dlg::CellId(4, kSoftenedShare)), "0.4");
  }, IDCANCEL);
  EXPECT_FALSE(EditAlkaliConstituents(record, nullptr));
}

TEST(AlkaliDialog, PasteThenOkStoresRecomputedClasses) {
  SetEditAllowed(true);
  CVersuch record = Record("");
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    d.Select(Dlg::kGrainGroup1, "0");
    d.Select(Dlg::kGrainGroup2, "32");
    ASSERT_TRUE(platform::SetClipboardText(SpreadsheetLine()));
    Press(CellOf(d, 2, 1), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    // Typed over a pasted value, then OK at once: OK computes again.
    CellOf(d, 3, kNaohResidue)->setText("20");
  }, IDOK);
  const auto result = EditAlkaliConstituents(record, nullptr);
  ASSERT_TRUE(result);
  const auto values = ParseAlkaliData(result->resultText);
  EXPECT_EQ(values.at("M014"), "49.80");
  EXPECT_EQ(values.at("M208"), "9.30");
  EXPECT_EQ(values.at("M314"), "20.00");
  EXPECT_EQ(values.at("M316"), "0.1");
  EXPECT_EQ(values.at("B30"), "X");
  EXPECT_EQ(values.count("B31"), 0u);
  EXPECT_EQ(values.at("E_O"), "E II-O");  // 2/4 keeps it at E II
  EXPECT_EQ(result->status, "8");
}

TEST(AlkaliDialog, RefusesWhatNoOneCanHaveWeighed) {
  CVersuch record = Record("KG1:0|KG2:32|");
  const auto edit = [&record] { return EditAlkaliConstituents(record, nullptr); };
  const auto noVerdict = [](DialogDriver& d) {
    EXPECT_FALSE(d.IsVisible(Dlg::kMarkMet));
    EXPECT_FALSE(d.IsVisible(Dlg::kMarkNotMet));
    EXPECT_EQ(d.Text(Dlg::kOverallO), "");
    EXPECT_EQ(d.Text(Dlg::CellId(2, kSampleMass)), "");
    EXPECT_EQ(d.Text(Dlg::MarkId(2, 0)), "");
  };
  const std::vector<std::pair<int, std::string>> sorted = {
      {Dlg::CellId(2, kUnreactive), "985"}, {Dlg::CellId(2, kFlint), "9"}, {Dlg::CellId(2, kOpaline), "6"}};
  const ImpossibleInput cases[] = {
      {"FlintHeavierUnderWater",
       {sorted[0], sorted[1], sorted[2], {Dlg::CellId(2, kFlintWetInAir), "9.30"},
        {Dlg::CellId(2, kFlintUnderWater), "9.5"}},
       Dlg::CellId(2, kFlintUnderWater), "Flint unter Wasser 4/8 mm: Der Flint wiegt unter Wasser mehr"},
      {"ResidueAboveItsSample",
       {sorted[0], sorted[1], sorted[2], {Dlg::CellId(2, kNaohResidue), "7"}}, Dlg::CellId(2, kNaohResidue),
       "Masse nach NaOH-Test 4/8 mm: Die Masse nach dem NaOH-Test liegt mehr als 0.01 g über ihrer Einwaage."},
      {"ResidueAboveTheSampleOfAFineClass",
       {{Dlg::CellId(0, kNaohSample), "50"}, {Dlg::CellId(0, kNaohResidue), "50.5"}}, Dlg::CellId(0, kNaohResidue),
       "Masse nach NaOH-Test 1/2 mm: Die Masse nach dem NaOH-Test"},
  };
  for (const auto& c : cases) ExpectRefused<Dlg>(c, edit, noVerdict);
  ExpectNumberSlipsRefused<Dlg>(Dlg::CellId(3, kFlint), "Flint 8/16 mm", {sorted[0], sorted[1], sorted[2]}, edit,
                                noVerdict);
  EXPECT_EQ(record.GetField(24), "KG1:0|KG2:32|");
}

// Opened before anything is classified, the dialog shows no face beside the
// plant's required classes.
TEST(AlkaliDialog, WithoutClassesNoFaceShows) {
  CVersuch record = Record("");
  record.SetField(27, "");
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.Text(Dlg::kOverallO), "");
    EXPECT_FALSE(d.IsVisible(Dlg::kMarkMet));
    EXPECT_FALSE(d.IsVisible(Dlg::kMarkNotMet));
  }, IDCANCEL);
  EXPECT_FALSE(EditAlkaliConstituents(record, nullptr));
  ui.VerifyAllShown();
}

// A stored value no one can have weighed stays as it is, marked, and is not judged.
TEST(AlkaliDialog, AStoredImpossibleValueOpensMarkedAndUnchanged) {
  SetEditAllowed(true);
  CVersuch record = Record("KG1:0|KG2:32|M201:985|M203:-9|M205:6|M213:6|");
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [&](DialogDriver& d) {
    auto& dialog = static_cast<Dlg&>(d.dialog());
    EXPECT_EQ(d.Text(Dlg::CellId(2, kFlint)), "-9");
    EXPECT_FALSE(dialog.Checks().Refusal(Dlg::CellId(2, kFlint)).empty());
    EXPECT_EQ(dialog.GetDlgItem(Dlg::CellId(2, kFlint))->toolTip().toStdString(),
              dialog.Checks().Refusal(Dlg::CellId(2, kFlint)));
    EXPECT_EQ(d.Text(Dlg::kOverallO), "");
    // OK names the value and stores nothing while it stands.
    ui.ExpectMessageBox(IDOK, dialog.Checks().Refusal(Dlg::CellId(2, kFlint)));
    EXPECT_FALSE(d.Press(IDOK));
  }, IDCANCEL);
  EXPECT_FALSE(EditAlkaliConstituents(record, nullptr));
  ui.VerifyAllShown();
  EXPECT_EQ(record.GetField(24), "KG1:0|KG2:32|M201:985|M203:-9|M205:6|M213:6|");
}
