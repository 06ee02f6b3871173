// The petrography dialog and its property-text editor driven through the
// scripted seam: recomputation when a mass is left, the faces beside the
// requirements, the editor's limit of three displayed lines, and the info
// label over a property text.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <string>

#include "evaluation/frame/refusals.h"
#include "evaluation/frame/statusmarks.h"
#include "evaluation/petrographie/petrographiedlg.h"
#include "evaluation/petrographie/petrotexteditdlg.h"
#include "records/strutil.h"
#include "services/appflags.h"
#include "support/scripted_ui_gtest.h"

using platform::DialogDriver;
using platform::IDCANCEL;
using platform::IDOK;
using Dlg = CPetrographieDlg;
using Editor = CPetroTextEditDlg;

namespace {

CVersuch Record(const std::string& field21) {
  CVersuch r;
  r.SetValue(1, 0, "12-3-0101");
  r.SetField(21, field21);
  return r;
}

// Which face shows beside a requirement: 139, 140 or 0.
int Face(DialogDriver& d, int judged, int use) {
  const int check = PetroCheckIndex(judged, use);
  const bool met = d.IsVisible(Dlg::kFirstMetMark + check);
  const bool failed = d.IsVisible(Dlg::kFirstNotMetMark + check);
  EXPECT_FALSE(met && failed);
  return met ? kMarkMet : failed ? kMarkNotMet : 0;
}

void TypeMasses(DialogDriver& d, const std::vector<std::pair<int, const char*>>& masses) {
  for (const auto& [row, mass] : masses) d.SetText(Dlg::kFirstMass + row, mass);
}

}  // namespace

TEST(PetrographyDialog, RecomputesWhenAMassIsLeftAndStoresAtOk) {
  SetEditAllowed(true);
  CVersuch record = Record("");
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.dialog().windowTitle().toStdString(), "Petrographie   Prüf-Nr.: 12-3-0101");
    // Rows A, B and C, the uses side by side.
    const char* limits[3][3] = {{"< 0.50", "< 0.50", "< 0.50"}, {"<= 0.50", "<= 0.25", "<= 0.25"},
                                {"<= 0.02", "<= 0.02", "<= 0.01"}};
    for (int judged = 0; judged < 3; ++judged)
      for (int use = 0; use < kPetroUses; ++use) EXPECT_EQ(d.Text(Dlg::RequirementField(judged, use)), limits[judged][use]);
    for (int check = 0; check < kPetroChecks; ++check) {
      EXPECT_FALSE(d.IsVisible(Dlg::kFirstMetMark + check));
      EXPECT_FALSE(d.IsVisible(Dlg::kFirstNotMetMark + check));
    }
    TypeMasses(d, {{kPetroHarmless, "60"}, {kPetroFlint, "39,5"}, {kPetroA1, "0.2"}, {kPetroA2, "0.3"}, {kPetroA3, "0"}});
    EXPECT_EQ(d.Text(Dlg::kFirstMass + kPetroFlint), "39.5");
    EXPECT_EQ(d.Text(Dlg::kFirstMass + kPetroSumA), "0.5");
    EXPECT_EQ(d.Text(Dlg::kTotalMass), "99.8");
    EXPECT_EQ(d.Text(Dlg::kFirstShare + kPetroSumA), "0.50");
    EXPECT_EQ(d.Text(Dlg::kTotalShare), "100.00");
    for (int use = 0; use < kPetroUses; ++use) {
      EXPECT_EQ(Face(d, 0, use), kMarkNotMet);  // 0.50 is not below 0.50
      EXPECT_EQ(Face(d, 1, use), 0);             // B not weighed
    }
    // Typed, then OK at once: OK computes again.
    d.dialog().Item<QLineEdit>(Dlg::kFirstMass + kPetroA2)->setText("0.1");
  }, IDOK);
  const auto result = EditPetrography(record, nullptr);
  ui.VerifyAllShown();
  ASSERT_TRUE(result);
  EXPECT_EQ(StrGetField(result->resultText, '|', 21), "0.3");  // Summe A
  EXPECT_EQ(StrGetField(result->resultText, '|', 30), "0.30");
  EXPECT_EQ(StrGetField(result->resultText, '|', 43), "1");
  EXPECT_EQ(result->status, "8");
  EXPECT_EQ(record.GetField(21), "");  // the opener stores, not the dialog
}

TEST(PetrographyDialog, EditsAPropertyTextOfThreeLinesAtMost) {
  SetEditAllowed(true);
  CVersuch record = Record("");
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [&ui](DialogDriver& d) {
    ui.ExpectDialog(Editor::kTemplateId, [](DialogDriver& e) {
      EXPECT_TRUE(e.IsVisible(Editor::kFirstRowLabel + 1));  // "A: poröse Kalk- und Mergelsteine"
      EXPECT_FALSE(e.IsVisible(Editor::kFirstRowLabel));
      e.SetText(Editor::kText, "Kalkstein\nporös");
      // A fourth line is refused: the text stays as it was.
      e.SetText(Editor::kText, "a\nb\nc\nd");
      EXPECT_EQ(e.Text(Editor::kText), "Kalkstein\nporös");
      e.SetText(Editor::kText, "Kalkstein, porös|gelb~lich\nmit Poren");
    }, IDOK);
    d.Click(Dlg::kFirstTextButton + 1);
    EXPECT_EQ(d.Text(Dlg::kFirstText + 1), "Kalkstein, porösgelb#lich mit Poren ");

    // Cancel in the editor keeps the text.
    ui.ExpectDialog(Editor::kTemplateId, [](DialogDriver& e) {
      EXPECT_EQ(e.Text(Editor::kText), "Kalkstein, porösgelb#lich\nmit Poren");
      e.SetText(Editor::kText, "anders");
    }, IDCANCEL);
    d.Click(Dlg::kFirstTextButton + 1);
    EXPECT_EQ(d.Text(Dlg::kFirstText + 1), "Kalkstein, porösgelb#lich mit Poren ");
  }, IDOK);
  const auto result = EditPetrography(record, nullptr);
  ui.VerifyAllShown();
  ASSERT_TRUE(result);
  EXPECT_EQ(StrGetField(result->resultText, '|', 12), "Kalkstein, porösgelb#lich#CRLF#mit Poren#CRLF#");
  EXPECT_EQ(result->status, "0");
}

TEST(PetrographyDialog, EditorCountsWrappedLines) {
  SetEditAllowed(true);
  const std::string column(Editor::kColumns, 'x');
  platform::TestUi ui;
  ui.ExpectDialog(Editor::kTemplateId, [&column](DialogDriver& e) {
    auto& editor = static_cast<Editor&>(e.dialog());
    // Three columns' worth wraps into three lines and fits.
    e.SetText(Editor::kText, column + column + "yyy");
    EXPECT_EQ(editor.DisplayedLines(), (std::vector<std::string>{column, column, "yyy"}));
    // One more line, made by wrapping, does not.
    e.SetText(Editor::kText, column + column + column + "z");
    EXPECT_EQ(e.Text(Editor::kText), column + column + "yyy");
    // Nor does a line break after three wrapped lines.
    e.SetText(Editor::kText, column + column + "yyy\nz");
    EXPECT_EQ(e.Text(Editor::kText), column + column + "yyy");
  }, IDOK);
  Editor editor(nullptr);
  editor.m_Row = 4;
  editor.m_Text = "alt#CRLF##CRLF#";
  ASSERT_EQ(editor.DoModal(), IDOK);
  EXPECT_EQ(editor.m_Text, column + "#CRLF#" + column + "#CRLF#yyy");

  // A stored text of more lines than it keeps opens with what it keeps.
  platform::TestUi again;
  again.ExpectDialog(Editor::kTemplateId, [](DialogDriver& e) { EXPECT_EQ(e.Text(Editor::kText), "1\n2\n3"); }, IDOK);
  editor.m_Text = "1#CRLF#2#CRLF#3#CRLF#4";
  ASSERT_EQ(editor.DoModal(), IDOK);
  EXPECT_EQ(editor.m_Text, "1#CRLF#2#CRLF#3");
}

TEST(PetrographyDialog, InfoLabelShowsThePropertyTextOverItsField) {
  SetEditAllowed(true);
  std::string field(52, '|');
  StrSetField(field, '|', 14, "Limonit#CRLF#braun#CRLF#");
  CVersuch record = Record(field);
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    QWidget* text = d.dialog().GetDlgItem(Dlg::kFirstText + 3);
    auto* info = d.dialog().Item<QLabel>(Dlg::kInfoLabel);
    ASSERT_TRUE(text && info);
    EXPECT_EQ(d.Text(Dlg::kFirstText + 3), "Limonit braun ");
    EXPECT_FALSE(d.IsVisible(Dlg::kInfoLabel));
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(text, &enter);
    EXPECT_TRUE(d.IsVisible(Dlg::kInfoLabel));
    EXPECT_EQ(info->text().toStdString(), "Limonit\nbraun\n");
    EXPECT_GE(info->width(), 320);
    // It stands above the field, ending 10 pixels over it, left edges aligned.
    const QPoint field = text->mapTo(&d.dialog(), QPoint(0, 0));
    EXPECT_EQ(info->x(), field.x());
    EXPECT_LE(info->geometry().bottom() + 1, std::max(field.y() - 10, info->height()));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(text, &leave);
    EXPECT_FALSE(d.IsVisible(Dlg::kInfoLabel));
  }, IDCANCEL);
  EXPECT_FALSE(EditPetrography(record, nullptr));
}

TEST(PetrographyDialog, RefusesWhatNoOneCanHaveWeighed) {
  CVersuch record = Record("");
  const auto edit = [&record] { return EditPetrography(record, nullptr); };
  const auto noVerdict = [](DialogDriver& d) {
    for (int judged = 0; judged < 3; ++judged)
      for (int use = 0; use < kPetroUses; ++use) EXPECT_EQ(Face(d, judged, use), 0);
    EXPECT_EQ(d.Text(Dlg::kTotalShare), "");
  };
  const std::vector<std::pair<int, std::string>> before = {
      {Dlg::kFirstMass + kPetroHarmless, "990"}, {Dlg::kFirstMass + kPetroFlint, "10"}, {Dlg::kFirstMass + kPetroB, "0.2"}};
  const ImpossibleInput cases[] = {
      {"A1AboveFlint", {before[0], before[1], {Dlg::kFirstMass + kPetroA1, "12"}}, Dlg::kFirstMass + kPetroA1,
       "Einwaage [g], A1: Kreide u. kreidekrusteführende Flinte: A1 liegt mehr als 0.1 g über der Summe Flint"},
  };
  for (const auto& c : cases) ExpectRefused<Dlg>(c, edit, noVerdict);
  ExpectNumberSlipsRefused<Dlg>(Dlg::kFirstMass + kPetroA2, "Einwaage [g], A2: poröse Kalk- und Mergelsteine", before,
                                edit, noVerdict);
  EXPECT_EQ(record.GetField(21), "");
}
