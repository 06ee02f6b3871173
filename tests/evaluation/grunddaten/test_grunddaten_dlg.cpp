// The two basic-data dialogs driven through the scripted seam: what OK
// writes (field 1, status, recent lists, takeover file), the takeover
// button, the limits of the edits, the signature bitmap, the track-ballast
// protocol, and that Cancel and read-only openings store nothing.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <filesystem>
#include <string>

#include "evaluation/grunddaten/grundcontrols.h"
#include "evaluation/grunddaten/grunddatendlg.h"
#include "evaluation/grunddaten/grunddatengsdlg.h"
#include "platform/files.h"
#include "platform/textfile.h"
#include "platform/uiseam.h"
#include "records/strutil.h"
#include "services/appflags.h"
#include "services/pravikapp.h"
#include "services/settings.h"
#include "services/sysfuncs.h"
#include "support/record_values.h"
#include "support/scripted_ui_gtest.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;
using platform::DialogDriver;
using platform::IDCANCEL;
using platform::IDNO;
using platform::IDOK;
using platform::IDYES;
using Dlg = CGrunddatenDlg;
using GsDlg = CGrunddatenGSDlg;

namespace {

const std::string kSixBreaks = "#CRLF##CRLF##CRLF##CRLF##CRLF#";

class BasicDataDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    SetEditAllowed(true);
    fs::create_directories(data_ / "tmp");
    fs::create_directories(data_ / "unterschriften");
    app_.m_Settings.m_DataFolder = data_.path();
    app_.m_Settings.m_IniPath = data_ / "pravik.ini";
    app_.CustomerNameMap = {{"K-1", "Straßenbau Südwest GmbH"}, {"K-2", "Betonwerk Rheinfelden"}};
    app_.WriteProfileString("comboeintraege", "geprueftdurch", "M. Schäfer|K. Öztürk");
    app_.WriteProfileString("comboeintraege", "entnahmestelle", "Förderband 3|Verladung LKW");

    ordinary_.SetField(0, "12-34-250305080904");
    ordinary_.SetField(1, "12-34-2517|-1|-1|-1|1|20250305|20250305|||20250305|M. Schäfer|20250305081500|"
                          "Förderband 3|B. Weiß|abc" + kSixBreaks);
    ordinary_.SetValue(1, 19, "K-2");
    ordinary_.SetValue(1, 20, "Betonwerk Rheinfelden");
    ordinary_.SetField(5, ";;Schotter 0/32;;;;;;[12-34-2501010800001]");
    ballast_.SetField(0, "12-34-250305091512");
    ballast_.SetField(1, "12-34-2521|0|-1|-1|1|20250305|20250305");
    ballast_.SetField(5, ";;31,5/63 Gleisschotter;;;;;;[SDM-DBDBDB-GS-0001]");
  }
  void TearDown() override { SetEditAllowed(true); }

  fs::path TakeoverFile(const char* suffix) const { return data_ / "tmp" / (GetLocalComputerName() + suffix); }
  std::string Ini(const char* key) const { return app_.GetProfileString("comboeintraege", key, "<none>"); }

  // Runs the opener's part: the dialog of the record's kind.
  std::optional<TestEntryResult> Edit(CVersuch& record) { return EditBasicData(record, nullptr); }

  TempFolder data_;
  CPravikWinApp app_;
  CVersuch ordinary_;
  CVersuch ballast_;
};

TEST_F(BasicDataDialogs, OkStoresFieldOneStatusRecentListsAndTakeoverFile) {
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.dialog().windowTitle().toStdString(), "Grunddaten    Prüf-Nr.: 12-34-2517");
    EXPECT_EQ(d.Text(Dlg::kTestDate), "05.03.2025");
    EXPECT_EQ(d.Text(Dlg::kTestTime), "");  // unset
    EXPECT_FALSE(d.IsChecked(Dlg::kTestTime));
    EXPECT_EQ(d.Text(Dlg::kSamplingTime), "08:15:00");
    EXPECT_EQ(d.Text(Dlg::kCustomer), "Betonwerk Rheinfelden");
    EXPECT_EQ(d.Text(Dlg::kReportRemark), "abc\n\n");
    EXPECT_EQ(d.Text(Dlg::kInfo1Label), "Baustelle");
    EXPECT_FALSE(d.IsEnabled(Dlg::kTakeover));  // no takeover file yet
    EXPECT_TRUE(d.IsChecked(Dlg::kStatistics));
    TypeTexts(d, {
        {Dlg::kTestTime, "14:30"},
        {Dlg::kTestedBy, "K. Öztürk"},
        {Dlg::kSampledBy, "  J. Brandt "},
        {Dlg::kSamplingPoint, "Halde 3"},
        {Dlg::kInfo1Value, "BV Nord"},
        {Dlg::kInfo2Label, "Kolonne"},
    });
    d.Select(Dlg::kCustomer, "Straßenbau Südwest GmbH");
    d.SetText(Dlg::kInternalRemark, "geteilt\nRest im Labor");
    d.Check(Dlg::kStatistics, false);
  }, IDOK);
  const std::optional<TestEntryResult> result = Edit(ordinary_);
  ui.VerifyAllShown();
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->status, "1");
  const CVersuch& r = ordinary_;
  ExpectValues(r, {
      {1, 9, "20250305143000"},
      {1, 10, "K. Öztürk"},
      {1, 11, "20250305081500"},
      {1, 12, "Halde 3"},
      {1, 13, "J. Brandt"},
      {1, 7, "BV Nord"},
      {1, 24, "Kolonne"},
      {1, 19, "K-1"},
      {1, 20, "Straßenbau Südwest GmbH"},
      {1, 21, "geteilt#CRLF#Rest im Labor"},
      {1, 14, "abc" + kSixBreaks},
      {1, 4, "0"},
  });
  EXPECT_EQ(StrGetField(r.GetField(30), '|', 6), "Straßenbau Südwest GmbH");  // the list summary
  EXPECT_EQ(Ini("geprueftdurch"), "K. Öztürk|M. Schäfer");
  EXPECT_EQ(Ini("entnahmedurch"), "J. Brandt");
  EXPECT_EQ(Ini("entnahmestelle"), "Halde 3|Förderband 3|Verladung LKW");
  EXPECT_EQ(Ini("schichtname"), "Kolonne");
  const auto lines = platform::ReadTextLines(TakeoverFile("_lgd.tmp"));
  ASSERT_TRUE(lines.has_value());
  ASSERT_EQ(lines->size(), 2u);
  EXPECT_EQ((*lines)[0], "12-34-2517");
  EXPECT_EQ((*lines)[1].rfind("BV Nord¿¿20250305143000¿K. Öztürk¿20250305081500¿Halde 3¿J. Brandt¿K-1¿0¿", 0), 0u)
      << (*lines)[1];
}

TEST_F(BasicDataDialogs, NoInformationFieldsDisablesThemAndStoresNoneOfTheirLists) {
  ordinary_.SetValue(1, 1, "0");
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    for (int id : {Dlg::kInfo1Label, Dlg::kInfo1Value, Dlg::kInfo2Label, Dlg::kInfo2Value})
      EXPECT_FALSE(d.IsEnabled(id)) << id;
  }, IDOK);
  const auto result = Edit(ordinary_);
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->status, "1");
  for (const char* key : {"baustelle", "schicht", "schichtname", "baustname"}) EXPECT_EQ(Ini(key), "<none>") << key;
  EXPECT_EQ(Ini("entnahmedurch"), "B. Weiß");

  ordinary_.SetValue(1, 1, "1");
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) { EXPECT_TRUE(d.IsEnabled(Dlg::kInfo1Value)); }, IDOK);
  EXPECT_EQ(Edit(ordinary_)->status, "0");  // both information values are mandatory now
}

TEST_F(BasicDataDialogs, TakeoverButtonTakesTheDataOnlyIntoTheControls) {
  // Record 2517 confirmed first: its data become the takeover file.
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    TypeTexts(d, {
        {Dlg::kInfo2Value, "Spätschicht"},
        {Dlg::kTestTime, "09:05:30"},
        {Dlg::kReportRemark, "Zeile 1\nZeile 2"},
    });
  }, IDOK);
  Edit(ordinary_);

  // The same record: the button stays disabled.
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) { EXPECT_FALSE(d.IsEnabled(Dlg::kTakeover)); }, IDCANCEL);
  Edit(ordinary_);

  CVersuch other;
  other.SetField(1, "12-34-2530|-1|-1|-1");
  other.SetField(5, ";;Schotter 0/32;;;;;;[12-34-2501010800001]");
  const CVersuch before = other;
  // Takeover, then Cancel: the record stays as it was.
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_TRUE(d.IsEnabled(Dlg::kTakeover));
    EXPECT_EQ(d.Text(Dlg::kTakeover), "Daten übernehmen aus Prüf-Nr. 12-34-2517 ...");
    d.Click(Dlg::kTakeover);
    EXPECT_EQ(d.Text(Dlg::kInfo2Value), "Spätschicht");
  }, IDCANCEL);
  ui.ExpectMessageBox(IDYES, "Trotzdem Daten übernehmen?");
  EXPECT_FALSE(Edit(other).has_value());
  EXPECT_EQ(other.GetField(1), before.GetField(1));

  // Answered No: nothing taken; Yes, then OK: the data reach the record.
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    d.Click(Dlg::kTakeover);
    EXPECT_EQ(d.Text(Dlg::kTestedBy), "");
    d.Click(Dlg::kTakeover);
    EXPECT_EQ(d.Text(Dlg::kTestedBy), "M. Schäfer");
    EXPECT_EQ(d.Text(Dlg::kTestTime), "09:05:30");
    EXPECT_EQ(d.Text(Dlg::kReportRemark), "Zeile 1\nZeile 2");
    EXPECT_EQ(d.Text(Dlg::kCustomer), "Betonwerk Rheinfelden");
  }, IDOK);
  ui.ExpectMessageBox(IDNO).ExpectMessageBox(IDYES);
  ASSERT_TRUE(Edit(other).has_value());
  ui.VerifyAllShown();
  for (int part : {4, 7, 8, 9, 10, 11, 12, 13, 14, 19, 20, 21, 23, 24, 25})
    EXPECT_EQ(other.GetValue(1, part), ordinary_.GetValue(1, part)) << part;
  EXPECT_EQ(other.GetValue(1, 0), "12-34-2530");
  // The file now holds the second record's data.
  EXPECT_EQ(platform::ReadTextLines(TakeoverFile("_lgd.tmp"))->front(), "12-34-2530");
}

TEST_F(BasicDataDialogs, EditsTakeNoMoreThanIsStored) {
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    d.SetText(Dlg::kReportRemark, "1\n2\n3\n4\n5\n6\n7\n" + std::string(300, 'x'));
    EXPECT_EQ(d.Text(Dlg::kReportRemark), "1\n2\n3\n4\n5\n6");
    d.SetText(Dlg::kReportRemark, std::string(300, 'x'));
    EXPECT_EQ(d.Text(Dlg::kReportRemark), std::string(250, 'x'));
    auto* testedBy = d.dialog().Item<QComboBox>(Dlg::kTestedBy);
    ASSERT_TRUE(testedBy && testedBy->lineEdit());
    EXPECT_EQ(testedBy->lineEdit()->maxLength(), 35);
    EXPECT_EQ(d.dialog().Item<QComboBox>(Dlg::kSampledBy)->lineEdit()->maxLength(), 80);
    EXPECT_EQ(d.dialog().Item<QComboBox>(Dlg::kSamplingPoint)->lineEdit()->maxLength(), 80);
    EXPECT_EQ(d.dialog().Item<CRemarkEdit>(Dlg::kReportRemark)->lineWrapMode(), QPlainTextEdit::NoWrap);
  }, IDOK);
  Edit(ordinary_);
  EXPECT_EQ(ordinary_.GetValue(1, 14), std::string(250, 'x') + kSixBreaks);
}

TEST_F(BasicDataDialogs, SignatureBitmapIsChosenThroughTheFileDialogAndCleared) {
  const fs::path bitmap = data_ / "unterschriften" / "WEISS.BMP";
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [&](DialogDriver& d) {
    d.SetText(Dlg::kTestedBy, "typed before");
    d.Click(Dlg::kChooseSignature);
    EXPECT_EQ(d.Text(Dlg::kSignature), bitmap.string());
    EXPECT_EQ(d.Text(Dlg::kTestedBy), "typed before");
  }, IDOK);
  ui.ExpectFileDialog(bitmap);
  Edit(ordinary_);
  ui.VerifyAllShown();
  const platform::ShownUi& fileDialog = ui.shown()[1];
  EXPECT_EQ(fileDialog.kind, platform::UiKind::kFileDialog);
  EXPECT_EQ(fileDialog.title, "Unterschriften-Bitmap auswählen");
  EXPECT_EQ(platform::QtFileFilter(fileDialog.text).toStdString(), "Windows-Bitmap (*.bmp)");
  EXPECT_EQ(ordinary_.GetSignatureFile(), bitmap.string());

  ui.ExpectDialog(Dlg::kTemplateId, [&](DialogDriver& d) {
    d.Click(Dlg::kChooseSignature);  // cancelled: the path stays
    EXPECT_EQ(d.Text(Dlg::kSignature), bitmap.string());
    d.Click(Dlg::kClearSignature);
    EXPECT_EQ(d.Text(Dlg::kSignature), "");
  }, IDOK);
  ui.ExpectFileDialog(std::nullopt);
  Edit(ordinary_);
  EXPECT_EQ(ordinary_.GetSignatureFile(), "");
}

TEST_F(BasicDataDialogs, CancelAndReadOnlyOpeningsStoreNothing) {
  const CVersuch before = ordinary_;
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) { d.SetText(Dlg::kTestedBy, "X"); }, IDCANCEL);
  EXPECT_FALSE(Edit(ordinary_).has_value());
  SetEditAllowed(false);
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_FALSE(d.IsEnabled(IDOK));
    d.dialog().accept();  // Return
  }, IDCANCEL);
  EXPECT_FALSE(Edit(ordinary_).has_value());
  ui.VerifyAllShown();
  for (int field = 0; field < CVersuch::kFieldCount; ++field) EXPECT_EQ(ordinary_.GetField(field), before.GetField(field));
  EXPECT_FALSE(fs::exists(TakeoverFile("_lgd.tmp")));
}

TEST_F(BasicDataDialogs, TrackBallastOpensTheProtocolDialog) {
  platform::TestUi ui;
  ui.ExpectDialog(GsDlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.dialog().windowTitle().toStdString(), "Grunddaten    Prüf-Nr.: 12-34-2521");
    EXPECT_EQ(d.Text(1208), "im Werk");
    EXPECT_EQ(d.Text(1209), "an der Bahn-");
    EXPECT_FALSE(d.IsChecked(GsDlg::kInTrack));
    for (const auto& group : GsDlg::ChoiceIds())
      for (int id : group) EXPECT_FALSE(d.IsChecked(id)) << id;
    // The print variant: two entries, "0" preselected.
    auto* variants = d.dialog().Item<QComboBox>(GsDlg::kPrintVariant);
    ASSERT_NE(variants, nullptr);
    EXPECT_EQ(variants->count(), 2);
    EXPECT_EQ(variants->currentIndex(), 0);
    TypeTexts(d, {
        {GsDlg::kProtocolNumber, "17/2025"},
        {GsDlg::kYear, "2025"},
        {GsDlg::kTestedByGS, "K. Öztürk"},
        {GsDlg::kSampledByGS, "B. Weiß"},
    });
    d.Click(1209);
    d.Click(1213);
    d.Click(1025);
    d.SetText(GsDlg::kOtherLoading, "Bagger");
    d.Check(GsDlg::kInTrack);
    d.Select(GsDlg::kPrintVariant, "immer");
    d.SetText(GsDlg::kWeather, "Regen");
  }, IDOK);
  ui.ExpectMessageBox(IDOK, "im Werk oder im Gleis");  // part 1 was "0"
  const auto result = Edit(ballast_);
  ui.VerifyAllShown();
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->status, "0");  // the sampling source has no choice
  EXPECT_EQ(ui.shown()[1].flags & platform::MB_ICONMASK, platform::MB_ICONWARNING);
  EXPECT_EQ(ui.shown()[1].title, "Pravik");
  const CVersuch& r = ballast_;
  ExpectValues(r, {
      {1, 1, "1"},
      {1, 30, "17/2025"},
      {1, 32, "1"},
      {1, 34, "an der Bahnverladung"},
      {1, 36, "ohne Nachreinigung"},
      {1, 37, "1"},
      {1, 39, "Bagger"},
      {1, 40, "-1"},
      {1, 42, ""},
      {1, 43, "Regen"},
      {1, 45, "1"},
      {1, 12, ""},  // no sampling point for track ballast
  });
  const auto lines = platform::ReadTextLines(TakeoverFile("_GGs.tmp"));
  ASSERT_TRUE(lines.has_value());
  EXPECT_EQ((*lines)[0], "12-34-2521");
  EXPECT_FALSE(fs::exists(TakeoverFile("_lgd.tmp")));

  // Opened again: the choices as stored; unchanged in-track flag, no notice.
  ui.ExpectDialog(GsDlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_TRUE(d.IsChecked(1209));
    EXPECT_TRUE(d.IsChecked(1025));
    EXPECT_TRUE(d.IsChecked(GsDlg::kInTrack));
    EXPECT_EQ(d.Text(GsDlg::kPrintVariant), "immer");
    EXPECT_FALSE(d.IsEnabled(GsDlg::kTakeover));  // its own data
    d.Click(1029);
  }, IDOK);
  EXPECT_EQ(Edit(ballast_)->status, "1");
  EXPECT_EQ(ballast_.GetValue(1, 42), "Freilager (Halde)");
}

TEST_F(BasicDataDialogs, RecycledBallastShowsTheRecyclingPlant) {
  ballast_.SetField(5, ";;RC-Gleisschotter;;;;;;[SDM-DBDBDB-GSRC-0001]");
  ballast_.SetValue(1, 1, "-1");
  platform::TestUi ui;
  ui.ExpectDialog(GsDlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.Text(1208), "an der RC-Anlage");
    EXPECT_EQ(d.Text(1209), "Bahn-");
    d.Click(1208);
    d.Check(GsDlg::kInTrack);  // a new record: no notice
  }, IDOK);
  Edit(ballast_);
  ui.VerifyAllShown();
  EXPECT_EQ(ballast_.GetValue(1, 34), "an der RC-Anlage");
  EXPECT_EQ(ballast_.GetValue(1, 1), "1");
}

}  // namespace
