// Transfer and month files as plain code: the record text, the documents
// byte for byte, reading them back and the decision which records are new.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/textcodec.h"
#include "platform/textfile.h"
#include "records/markup.h"
#include "records/strutil.h"
#include "records/transfer.h"
#include "fixtures/transfer/transfer_testing.h"
#include "support/temp_folder.h"

namespace {

std::vector<const CVersuch*> Pointers(const RecordList& records, std::initializer_list<int> which) {
  std::vector<const CVersuch*> pointers;
  for (int i : which) pointers.push_back(records[static_cast<size_t>(i)].get());
  return pointers;
}

// The bytes as the disk holds them.
std::string OnDisk(const std::string& text) { return platform::ToCp1252(text); }

// The text as the commands read a file back.
std::string ReadBack(const std::string& text) { return platform::DecodeText(OnDisk(text)); }

std::set<std::string> Known(std::initializer_list<const char*> ids) { return {ids.begin(), ids.end()}; }

RecordDocument Read(const std::string& text, const std::set<std::string>& known = {},
                    const char* root = kTransferRoot) {
  return ReadRecordDocument(text, root, [&known](const std::string& id) { return known.count(id) > 0; });
}

std::string Field(const std::array<std::string, CVersuch::kFieldCount>& fields, int n) {
  return fields[static_cast<size_t>(n)];
}

TEST(TransferFile, BuildsTheHandWrittenFilesByteForByte) {
  const RecordList records = TransferRecords();
  std::string exported = FixtureBytes("export.xml");
  StrReplace(exported, "@PATH@", "/daten/transfer/export.xml");
  EXPECT_EQ(OnDisk(BuildTransferFile(Pointers(records, {0, 1}), "210315083000", "/daten/transfer/export.xml")),
            exported);
  EXPECT_EQ(OnDisk(BuildArchiveFile(Pointers(records, {0, 2}), "210315083000")), FixtureBytes("arch_202103.xml"));
}

TEST(TransferFile, ReadingBackGivesEveryFieldAsItWas) {
  // Every byte from 0x20 to 0xFF, blanks at both ends, "~" inside and escapes.
  std::string all;
  for (int b = 0x20; b <= 0xFF; ++b) all.push_back(static_cast<char>(b));
  RecordList records = TransferRecords();
  records[1]->SetField(3, platform::FromCp1252(all));
  records[1]->SetField(4, "  blanks at both ends  ");
  records[1]->SetField(31, "a~b~~c&amp;<![CDATA[x]]>");
  for (const char* root : {kTransferRoot, kArchiveRoot}) {
    const std::vector<const CVersuch*> written = Pointers(records, {0, 1, 2});
    const std::string file = root == kTransferRoot ? BuildTransferFile(written, "210315083000", "/x.xml")
                                                   : BuildArchiveFile(written, "210315083000");
    for (const std::string& text : {file, ReadBack(file)}) {
      RecordDocument read = Read(text, {}, root);
      ASSERT_EQ(read.error, RecordDocumentError::kNone);
      ASSERT_EQ(read.records.size(), 3u);
      EXPECT_EQ(read.skipped, 0);
      for (size_t r = 0; r < 3; ++r)
        for (int f = 0; f < CVersuch::kFieldCount; ++f)
          EXPECT_EQ(read.records[r]->GetField(f), written[r]->GetField(f)) << root << " record " << r << " field " << f;
    }
  }
}

// The file as the XML document class builds it, element by element.
std::string MarkupBuilt(const char* root, const std::vector<const CVersuch*>& records, const char* created,
                        const char* originalFile) {
  CMarkup xml;
  xml.AddElem(root);
  xml.AddAttrib("version", "0.0.1");
  xml.AddChildElem("ERSTELLUNGSZEITPUNKT", created);
  if (originalFile) xml.AddChildElem("ORIGINAL_DATEI", originalFile);
  xml.AddChildElem("PRUEFUNGSLISTE");
  xml.IntoElem();
  for (const CVersuch* record : records) {
    if (!record) continue;
    xml.AddChildElem("PRUEFUNG", RecordText(*record, originalFile != nullptr));
    xml.AddChildAttrib("ID", record->GetValue(0, 0));
    xml.AddChildAttrib("NR", record->GetValue(1, 0));
  }
  return std::string(kXmlDeclaration) + "\r\n\r\n" + xml.GetDoc();
}

// Built by appending and written a piece at a time, the files are the bytes
// the document class gives: also without records, with empty values and
// with characters that need escapes.
TEST(TransferFile, AppendedFilesAreTheDocumentsBytes) {
  const RecordList records = TransferRecords();
  const std::vector<const CVersuch*> all = Pointers(records, {0, 1, 2});
  const std::vector<const CVersuch*> holes = {nullptr, records[1].get(), nullptr};
  struct Case {
    std::vector<const CVersuch*> records;
    const char* created;
    const char* originalFile;  // null: a month file
  } cases[] = {
      {all, "210315083000", "/daten/transfer/a&b <c>.xml"},
      {all, "210315083000", nullptr},
      {holes, "", ""},
      {{}, "210315083000", "/x.xml"},
      {{nullptr}, "210315083000", nullptr},
  };
  TempFolder folder;
  for (const Case& c : cases) {
    const bool transfer = c.originalFile != nullptr;
    const std::string expected = MarkupBuilt(transfer ? kTransferRoot : kArchiveRoot, c.records, c.created, c.originalFile);
    const std::string built = transfer ? BuildTransferFile(c.records, c.created, c.originalFile)
                                       : BuildArchiveFile(c.records, c.created);
    EXPECT_EQ(built, expected);
    const std::filesystem::path file = folder / "file.xml";
    ASSERT_TRUE(transfer ? WriteTransferFile(file, c.records, c.created, c.originalFile)
                         : WriteArchiveFile(file, c.records, c.created));
    EXPECT_EQ(platform::ReadFileBytes(file), OnDisk(expected));
  }
}

// The bytes of a file read where they are (and given back as the records
// grow) give what its text gives: the records, the skipped ones, the errors.
TEST(TransferFile, FileBytesReadAsTheirText) {
  RecordList records;
  for (int i = 0; i < 3000; ++i) {  // several megabytes, so that the bytes are given back on the way
    auto record = std::make_unique<CVersuch>(*TransferRecords()[static_cast<size_t>(i % 3)]);
    record->SetValue(0, 0, "12-34-" + std::to_string(i % 2900));  // the last hundred repeat earlier IDs
    record->SetField(12, platform::FromCp1252("\xE4\xF6\xFC\x80 & <x> ") + std::string(1000, 'a' + i % 26));
    records.push_back(std::move(record));
  }
  std::vector<const CVersuch*> pointers;
  for (const auto& record : records) pointers.push_back(record.get());
  const std::vector<std::pair<std::string, const char*>> files = {
      {BuildTransferFile(pointers, "210315083000", "/x.xml"), kTransferRoot},
      {BuildArchiveFile(pointers, "210315083000"), kArchiveRoot},
      {"no xml at all", kTransferRoot},
      {"<PRAVIK_ARCHIV><LISTE/></PRAVIK_ARCHIV>", kArchiveRoot},
      {"<PRAVIK_TRANSFER><PRUEFUNGSLISTE><PRUEFUNG>00~\xC3\xA4</PRUEFUNG></PRUEFUNGSLISTE></PRAVIK_TRANSFER>", kTransferRoot},
  };
  const std::set<std::string> known = Known({"12-34-7"});
  for (const auto& [text, root] : files) {
    const RecordDocument fromText = Read(text, known, root);
    const RecordDocument fromBytes = ReadRecordFileBytes(OnDisk(text), root, [&known](const std::string& id) {
      return known.count(id) > 0;
    });
    EXPECT_EQ(fromBytes.error, fromText.error) << text.substr(0, 60);
    EXPECT_EQ(fromBytes.skipped, fromText.skipped);
    ASSERT_EQ(fromBytes.records.size(), fromText.records.size());
    for (size_t r = 0; r < fromText.records.size(); ++r)
      for (int f = 0; f < CVersuch::kFieldCount; ++f)
        ASSERT_EQ(fromBytes.records[r]->GetField(f), fromText.records[r]->GetField(f)) << "record " << r << " field " << f;
  }
  EXPECT_EQ(Read(files[0].first, known).records.size(), 2899u);
}

TEST(TransferFile, RecordTextLinesAndTheirEdges) {
  struct Case {
    const char* text;
    std::vector<std::pair<int, std::string>> fields;  // the fields that are not empty
  } cases[] = {
      {"05~a\n00~X\n32~Z\n", {{5, "a"}, {0, "X"}, {32, "Z"}}},
      {"33~x\n7~x\nab~x\n+5~x\n-1~x\n", {}},
      {"  12~a b  \n", {{12, "a b  "}}},             // only the indentation goes
      {"\t01~ x \r\n02~\r\n", {{1, " x "}}},          // and the line end
      {"00~first\n32~end\n00~after the last field\n", {{0, "first"}, {32, "end"}}},
      {"04~old\n04~new\n", {{4, "new"}}},
      {"\r\n00~lead\r\n", {{0, "lead"}}},
      {"09~no line end", {{9, "no line end"}}},
      {"", {}},
  };
  for (const Case& c : cases) {
    const auto fields = ParseRecordFields(c.text);
    std::array<std::string, CVersuch::kFieldCount> expected{};
    for (const auto& [n, text] : c.fields) expected[static_cast<size_t>(n)] = text;
    EXPECT_EQ(fields, expected) << c.text;
  }
  // No more than 100 lines are read.
  std::string long_text(99, '\n');
  EXPECT_EQ(Field(ParseRecordFields(long_text + "07~in\n"), 7), "in");
  EXPECT_EQ(Field(ParseRecordFields(long_text + "\n07~out\n"), 7), "");
  // A line break inside a field cannot break the record text.
  CVersuch record;
  record.SetField(2, "one\r\ntwo\nthree");
  EXPECT_EQ(Field(ParseRecordFields(RecordText(record, true)), 2), "one#CRLF#two#CRLF#three");
}

TEST(TransferFile, NewRecordsAreDecidedByTheirOwnId) {
  auto doc = [](const std::string& records) {
    return "<PRAVIK_TRANSFER><PRUEFUNGSLISTE>" + records + "</PRUEFUNGSLISTE></PRAVIK_TRANSFER>";
  };
  // The attribute differs from the record's own ID: the record's ID decides.
  RecordDocument read = Read(doc("<PRUEFUNG ID=\"new\">00~known\n01~1</PRUEFUNG>"
                                 "<PRUEFUNG ID=\"known\">00~fresh\n01~2</PRUEFUNG>"
                                 "<PRUEFUNG ID=\"x\"></PRUEFUNG>"           // no lines: empty ID
                                 "<PRUEFUNG ID=\"y\">01~no id</PRUEFUNG>"
                                 "<PRUEFUNG>00~fresh\n01~3</PRUEFUNG>"      // the same ID twice in one file
                                 "<PRUEFUNG>00~other|part\n01~4</PRUEFUNG>"
                                 "<OTHER>00~ignored</OTHER>"),
                             Known({"known"}));
  ASSERT_EQ(read.error, RecordDocumentError::kNone);
  ASSERT_EQ(read.records.size(), 2u);
  EXPECT_EQ(read.records[0]->GetField(0), "fresh");
  EXPECT_EQ(read.records[0]->GetField(1), "2");
  EXPECT_EQ(read.records[1]->GetValue(0, 0), "other");
  EXPECT_EQ(read.skipped, 4);

  // The same file twice: everything, then nothing.
  const RecordList records = TransferRecords();
  const std::string file = BuildTransferFile(Pointers(records, {0, 1, 2}), "210315083000", "/x.xml");
  std::set<std::string> known;
  RecordDocument first = Read(file, known);
  EXPECT_EQ(first.records.size(), 3u);
  EXPECT_EQ(first.skipped, 0);
  for (const auto& r : first.records) known.insert(r->GetValue(0, 0));
  RecordDocument second = Read(file, known);
  EXPECT_EQ(second.records.size(), 0u);
  EXPECT_EQ(second.skipped, 3);
}

TEST(TransferFile, MalformedFilesNameTheFailingStep) {
  struct Case {
    const char* text;
    const char* root;
    RecordDocumentError error;
    const char* message;
  } cases[] = {
      {"no xml at all", kTransferRoot, RecordDocumentError::kSetDoc, "xml.SetDoc() Error"},
      {"<PRAVIK_ARCHIV><PRUEFUNGSLISTE/></PRAVIK_ARCHIV>", kTransferRoot, RecordDocumentError::kFindRoot,
       "xml.FindElem(''PRAVIK_TRANSFER'') Error"},
      {"<PRAVIK_TRANSFER><PRUEFUNGSLISTE/></PRAVIK_TRANSFER>", kArchiveRoot, RecordDocumentError::kFindRoot,
       "xml.FindElem(''PRAVIK_ARCHIV'') Error"},
      {"<PRAVIK_ARCHIV><LISTE/></PRAVIK_ARCHIV>", kArchiveRoot, RecordDocumentError::kFindList,
       "xml.FindChildElem(''PRUEFUNGSLISTE'') Error"},
      {"<PRAVIK_ARCHIV/>", kArchiveRoot, RecordDocumentError::kFindList, "xml.FindChildElem(''PRUEFUNGSLISTE'') Error"},
  };
  for (const Case& c : cases) {
    RecordDocument read = Read(c.text, {}, c.root);
    EXPECT_EQ(read.error, c.error) << c.text;
    EXPECT_TRUE(read.records.empty());
    EXPECT_EQ(RecordDocumentErrorText(read.error, c.root), c.message);
  }
  // A list without records is no error.
  RecordDocument empty = Read("<PRAVIK_ARCHIV><PRUEFUNGSLISTE/></PRAVIK_ARCHIV>", {}, kArchiveRoot);
  EXPECT_EQ(empty.error, RecordDocumentError::kNone);
  EXPECT_EQ(empty.skipped, 0);
}

}  // namespace
