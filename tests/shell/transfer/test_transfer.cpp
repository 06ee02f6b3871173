// The transfer commands on the main view: export of the selected records,
// import with its report, the file dialogs, the folder kept in "pravik.ini",
// the XML messages and the failures of reading and writing.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QItemSelectionModel>
#include <filesystem>
#include <string>
#include <vector>

#include "controls/exlistctrl.h"
#include "fixtures/transfer/transfer_testing.h"
#include "platform/datetime.h"
#include "platform/files.h"
#include "platform/textcodec.h"
#include "records/recordfile.h"
#include "records/strutil.h"
#include "records/transfer.h"
#include "services/pravikapp.h"
#include "services/pravikdoc.h"
#include "services/settings.h"
#include "shell/mainview/form1view.h"
#include "shell/mainview/recordlistmodel.h"
#include "shell/transfer/importstatistikdlg.h"
#include "support/read_only_folder.h"
#include "support/scripted_ui_gtest.h"
#include "support/stubs.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;
using platform::DialogDriver;
using platform::IDOK;

namespace {

constexpr char kFilter[] = "Ex-/Importdateien (*.xml)|*.xml||";

// A data folder of its own with the given records, and a view on it.
class Plant {
 public:
  explicit Plant(const RecordList& records) {
    EXPECT_TRUE(WriteRecordFile(records, data_ / kRecordFileName));
    app_.m_Settings.m_DataFolder = data_.path();
    app_.m_Settings.m_IniPath = data_ / "pravik.ini";
    EXPECT_TRUE(doc_.OnNewDocument());
    view_ = std::make_unique<CForm1View>(&doc_);
    view_->OnInitialUpdate();
  }
  ~Plant() { view_.reset(); }

  CForm1View& view() { return *view_; }
  const fs::path& folder() const { return data_.path(); }
  std::string Ini(const char* section, const char* key) const {
    return ProgramProfile(data_ / "pravik.ini").GetString(section, key, "<none>");
  }
  // Selects the rows of the test numbers.
  void Select(const std::vector<std::string>& numbers) {
    QItemSelectionModel* selection = view_->list()->selectionModel();
    selection->clearSelection();
    for (int row = 0; row < view_->model()->RecordCount(); ++row)
      for (const std::string& n : numbers)
        if (view_->model()->RecordAt(row)->GetValue(1, 0) == n)
          selection->select(view_->model()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }
  const CVersuch* Find(const std::string& id) const {
    for (const CVersuch* r : view_->model()->Records())
      if (r->GetValue(0, 0) == id) return r;
    return nullptr;
  }

 private:
  TempFolder data_;
  CPravikWinApp app_;
  CPravikDoc doc_;
  std::unique_ptr<CForm1View> view_;
};

// Scripts an import of the file and checks the report's two counts and
// whether it gives "(weil bereits vorhanden)" as their reason.
void ExpectImport(platform::TestUi& ui, const fs::path& file, int imported, int skipped, bool alreadyPresent) {
  ui.ExpectFileDialog(file);
  ui.ExpectDialog(CImportStatistikDlg::kTemplateId, [imported, skipped, alreadyPresent](DialogDriver& d) {
    EXPECT_EQ(d.Text(CImportStatistikDlg::kImportedId), std::to_string(imported));
    EXPECT_EQ(d.Text(CImportStatistikDlg::kSkippedId), std::to_string(skipped));
    EXPECT_EQ(d.IsVisible(CImportStatistikDlg::kAlreadyPresentId), alreadyPresent);
  }, IDOK);
}

class Transfer : public ::testing::Test {
 protected:
  void SetUp() override { platform::SetClockOverride(FixtureStamp()); }
  void TearDown() override { platform::SetClockOverride(std::nullopt); }
  TempFolder outside_;
};

TEST_F(Transfer, ExportWritesTheSelectedRecordsAndImportTakesThemOnce) {
  const fs::path file = outside_ / "export.xml";
  {
    Plant source(TransferRecords());
    source.Select({"12-34-0001", "12-34-0002"});
    platform::TestUi ui;
    ui.ExpectFileDialog(outside_ / "export");  // the extension is added
    ui.ExpectMessageBox(IDOK, "Export wurde durchgeführt.\nAnzahl der exportierten Datensätze: 2");
    source.view().OnExportieren();
    ui.VerifyAllShown();
    // The dialog: title, filter, the "transfer" folder that it created; the box without an icon.
    ASSERT_EQ(ui.shown().size(), 2u);
    EXPECT_EQ(ui.shown()[0].title, "Bitte Dateinamen für Ex-/Importdatei angeben");
    EXPECT_EQ(ui.shown()[0].text, kFilter);
    EXPECT_EQ(ui.shown()[0].flags, 1u);  // save
    EXPECT_EQ(ui.shown()[0].folder, source.folder() / "transfer/");
    EXPECT_TRUE(platform::FolderExists(source.folder() / "transfer"));
    EXPECT_EQ(ui.shown()[1].title, "Export");
    EXPECT_EQ(ui.shown()[1].flags, platform::MB_OK);
    EXPECT_EQ(source.Ini("Statistik", "Pfad"), outside_.path().string());
  }
  std::string expected = FixtureBytes("export.xml");
  StrReplace(expected, "@PATH@", platform::ToCp1252(file.string()));
  EXPECT_EQ(platform::ReadFileBytes(file).value_or(""), expected);

  // Into another plant: everything the first time, nothing the second.
  Plant target(RecordList{});
  for (int round = 0; round < 2; ++round) {
    platform::TestUi ui;
    ExpectImport(ui, file, round == 0 ? 2 : 0, round == 0 ? 0 : 2, round == 1);
    target.view().OnImportieren();
    ui.VerifyAllShown();
    EXPECT_EQ(ui.shown()[0].title, "Bitte Ex-/Importdatei auswählen");
    EXPECT_EQ(ui.shown()[0].text, kFilter);
    EXPECT_EQ(ui.shown()[0].flags, 0u);
  }
  EXPECT_EQ(target.Ini("Statistik", "Pfad"), outside_.path().string());
  const RecordList originals = TransferRecords();
  ASSERT_EQ(target.view().model()->RecordCount(), 2);
  // In the list's order (by test number here), both selected, the focus on the first.
  EXPECT_EQ(target.view().model()->RecordAt(0)->GetValue(1, 0), "12-34-0001");
  EXPECT_EQ(target.view().list()->SelectedRows(), (std::vector<int>{0, 1}));
  EXPECT_EQ(target.view().list()->FocusedRow(), 0);
  for (int i = 0; i < 2; ++i) {
    const CVersuch* back = target.Find(originals[static_cast<size_t>(i)]->GetValue(0, 0));
    ASSERT_NE(back, nullptr);
    for (int f = 0; f < CVersuch::kFieldCount; ++f)
      EXPECT_EQ(back->GetField(f), originals[static_cast<size_t>(i)]->GetField(f)) << f;
  }
  // The import saves the records at once: a crash right after loses nothing.
  RecordList disk;
  ASSERT_TRUE(LoadRecordFile(disk, target.folder()));
  ASSERT_EQ(disk.size(), 2u);
  EXPECT_EQ(disk[0]->GetValue(1, 0), "12-34-0001");
}

TEST_F(Transfer, EveryByteTrailingBlanksCarriageReturnsAndTildesTravel) {
  RecordList records = TransferRecords();
  std::string all;
  for (int b = 0x20; b <= 0xFF; ++b) all.push_back(static_cast<char>(b));
  records[0]->SetField(3, platform::FromCp1252(all));
  records[0]->SetField(14, "trailing  ");
  records[2]->SetField(20, "  ~a~b~  ");
  // Control bytes, and carriage returns that are no line end.
  std::string controls;
  for (int b = 0x01; b < 0x20; ++b)
    if (b != '\n') controls.push_back(static_cast<char>(b));
  records[1]->SetField(13, controls + "\r\r");
  const fs::path file = outside_ / "all.xml";
  {
    Plant source(records);
    source.Select({"12-34-0001", "12-34-0002", "12-34-0003"});
    platform::TestUi ui;
    ui.ExpectFileDialog(file);
    ui.ExpectMessageBox(IDOK, "Datensätze: 3");
    source.view().OnExportieren();
  }
  Plant target(RecordList{});
  platform::TestUi ui;
  ExpectImport(ui, file, 3, 0, false);
  target.view().OnImportieren();
  for (const auto& original : records) {
    const CVersuch* back = target.Find(original->GetValue(0, 0));
    ASSERT_NE(back, nullptr);
    for (int f = 0; f < CVersuch::kFieldCount; ++f) EXPECT_EQ(back->GetField(f), original->GetField(f)) << f;
  }
}

TEST_F(Transfer, ExportRefusalsAndAFailedWrite) {
  Plant source(TransferRecords());
  const std::string before = source.Ini("Statistik", "Pfad");
  {
    platform::TestUi ui;  // nothing selected
    ui.ExpectMessageBox(IDOK, "Es muss mindestens ein Eintrag ausgewählt sein!");
    source.view().OnExportieren();
    ui.VerifyAllShown();
    EXPECT_EQ(ui.shown()[0].title, "Export");
    EXPECT_EQ(ui.shown()[0].flags & platform::MB_ICONMASK, platform::MB_ICONWARNING);
  }
  source.Select({"12-34-0003"});
  {
    platform::TestUi ui;  // Cancel
    ui.ExpectFileDialog(std::nullopt);
    source.view().OnExportieren();
  }
  const fs::path locked = outside_ / "locked";
  {
    platform::TestUi ui;
    ui.ExpectFileDialog(locked / "export.xml");
    ui.ExpectMessageBox(IDOK, (locked / "export.xml").string());
    ReadOnlyFolder guard(locked);
    source.view().OnExportieren();
    ui.VerifyAllShown();
    ASSERT_EQ(ui.shown().size(), 2u);  // no success message
    EXPECT_EQ(ui.shown()[1].flags & platform::MB_ICONMASK, platform::MB_ICONSTOP);
  }
  EXPECT_TRUE(fs::is_empty(locked));
  EXPECT_EQ(source.Ini("Statistik", "Pfad"), before);
}

TEST_F(Transfer, DamagedFilesImportNothingAndSaySo) {
  Plant target(TransferRecords());
  struct Case {
    const char* content;
    const char* message;
  } cases[] = {
      {"just text", "xml.SetDoc() Error"},
      {"<PRAVIK_ARCHIV><PRUEFUNGSLISTE></PRUEFUNGSLISTE></PRAVIK_ARCHIV>", "xml.FindElem(''PRAVIK_TRANSFER'') Error"},
      {"<PRAVIK_TRANSFER><LISTE/></PRAVIK_TRANSFER>", "xml.FindChildElem(''PRUEFUNGSLISTE'') Error"},
  };
  for (const Case& c : cases) {
    const fs::path file = outside_ / "damaged.xml";
    platform::WriteFileBytes(file, c.content);
    platform::TestUi ui;
    ui.ExpectFileDialog(file);
    ui.ExpectMessageBox(IDOK, c.message);
    target.view().OnImportieren();
    ui.VerifyAllShown();
    // What a user reads first, then the file and the step that failed.
    EXPECT_EQ(ui.shown()[1].text, "Die Datei ist keine Übertragungsdatei.\n" + file.string() + "\n" + c.message);
    EXPECT_EQ(ui.shown()[1].flags, platform::MB_OK | platform::MB_ICONWARNING);
    EXPECT_EQ(target.view().model()->RecordCount(), 3);
  }
  // A file that cannot be read is named in a warning.
  const fs::path missing = outside_ / "gone.xml";
  platform::TestUi ui;
  ui.ExpectFileDialog(missing);
  ui.ExpectMessageBox(IDOK, missing.string());
  target.view().OnImportieren();
  ui.VerifyAllShown();
  EXPECT_EQ(ui.shown()[1].flags & platform::MB_ICONMASK, platform::MB_ICONWARNING);

  // A named pipe (before: the window hung for good), a folder or a file far
  // larger than any transfer file is refused at once, in one message naming it.
  const fs::path pipe = outside_ / "pipe.xml";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const fs::path huge = outside_ / "huge.xml";
  platform::WriteFileBytes(huge, "");
  fs::resize_file(huge, platform::WholeFileLimit(platform::FileKind::kLarge) + 1);
  for (const auto& [file, why] : {std::pair{pipe, "ist keine gewöhnliche Datei"}, std::pair{outside_.path(), "ist keine gewöhnliche Datei"},
                                  std::pair{huge, "ist größer als 512 MB"}}) {
    platform::TestUi refused;
    refused.ExpectFileDialog(file);
    refused.ExpectMessageBox(IDOK, file.string() + "\n" + why);
    target.view().OnImportieren();
    refused.VerifyAllShown();
    EXPECT_EQ(refused.shown().size(), 2u) << file;
    EXPECT_EQ(target.view().model()->RecordCount(), 3);
  }
}

TEST_F(Transfer, TheRecordsOwnIdDecidesWhatIsNew) {
  Plant target(TransferRecords());
  const fs::path file = outside_ / "edited.xml";
  platform::WriteFileBytes(file,
                           "<PRAVIK_TRANSFER><PRUEFUNGSLISTE>\r\n"
                           "<PRUEFUNG ID=\"new-id\">\r\n00~12-34-210315083000\r\n01~12-34-0001\r\n</PRUEFUNG>\r\n"
                           "<PRUEFUNG ID=\"12-34-210315083000\">\r\n00~99-1\r\n01~99-0001\r\n</PRUEFUNG>\r\n"
                           "<PRUEFUNG ID=\"empty\"></PRUEFUNG>\r\n"
                           "</PRUEFUNGSLISTE></PRAVIK_TRANSFER>\r\n");
  platform::TestUi ui;
  ExpectImport(ui, file, 1, 2, true);
  target.view().OnImportieren();
  ui.VerifyAllShown();
  ASSERT_EQ(target.view().model()->RecordCount(), 4);
  EXPECT_NE(target.Find("99-1"), nullptr);
  EXPECT_EQ(target.Find(""), nullptr);

  // A record without an ID is not taken, but not as one already there.
  platform::WriteFileBytes(file, "<PRAVIK_TRANSFER><PRUEFUNGSLISTE>\r\n<PRUEFUNG ID=\"empty\"></PRUEFUNG>\r\n"
                                 "</PRUEFUNGSLISTE></PRAVIK_TRANSFER>\r\n");
  platform::TestUi again;
  ExpectImport(again, file, 0, 1, false);
  target.view().OnImportieren();
  again.VerifyAllShown();
}

}  // namespace
