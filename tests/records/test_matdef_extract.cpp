// Material definitions taken from records into the plant's file and back,
// and the raw text of a record.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/textfile.h"
#include "records/matdef_extract.h"
#include "records/matdef_file.h"
#include "records/recordtext.h"
#include "records/versuch.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

const fs::path kFixture = fs::path(PRAVIK_FIXTURES) / "matdef" / "material_def.dat";

// A definition text of the ID and name.
std::string Def(const std::string& id, const std::string& name) {
  return "{0}{" + id + "|" + name + "|0.063 2 8|||}{1|0.063|8}{||||}{}{}{}";
}

std::unique_ptr<CVersuch> Carrying(const std::string& definition) {
  auto r = std::make_unique<CVersuch>();
  r->SetField(25, definition);
  return r;
}

std::vector<CVersuch*> Pointers(const std::vector<std::unique_ptr<CVersuch>>& records) {
  std::vector<CVersuch*> out;
  for (const auto& r : records) out.push_back(r.get());
  return out;
}

TEST(MaterialExtraction, MatchesByIdAndQueuesWhatTheListLacks) {
  const std::string listed = Def("SDM-1", "Kies 2/8");
  std::vector<std::string> list = {listed, " ==== Überschrift ====", " ", ""};
  list.insert(list.end(), BuiltinMaterialEntries().begin(), BuiltinMaterialEntries().end());
  std::string builtin;
  for (const std::string& entry : BuiltinMaterialEntries())
    if (entry.find("{0}{SDM-DBDBDB-GS-0001|") == 0) builtin = entry;
  ASSERT_FALSE(builtin.empty());

  std::vector<std::unique_ptr<CVersuch>> records;
  records.push_back(Carrying(Def("SDM-9", "neu, erster")));       // 0: queued
  records.push_back(Carrying(Def("SDM-9", "neu, zweiter")));      // 1: same ID: not again
  records.push_back(Carrying(listed));                            // 2: equal: nothing
  records.push_back(Carrying(Def("SDM-1", "Kies 2/8 alt")));      // 3: takes the list's text
  records.push_back(Carrying(Def("SDM-DBDBDB-GS-0001", "alt")));  // 4: takes the built-in text
  records.push_back(Carrying(Def("SDM-DBDBDB-GS-0777", "x")));    // 5: built-in ID unknown: nothing
  records.push_back(Carrying(""));                                // 6: no definition
  records.push_back(Carrying("{0}{|ohne ID|1}"));                 // 7: no ID: never a heading's text
  records.push_back(Carrying(Def("SDM-8", "noch einer")));        // 8: queued
  std::vector<std::string> before;
  for (const auto& r : records) before.push_back(r->GetField(25));

  const MaterialExtraction result = ExtractMaterialDefinitions(Pointers(records), list);
  EXPECT_EQ(result.changedRecords, 2);
  EXPECT_EQ(result.alreadyDefined, 1);  // record 2
  EXPECT_EQ(result.queued, (std::vector<std::string>{before[0], before[8]}));
  EXPECT_EQ(records[3]->GetField(25), listed);
  EXPECT_EQ(records[4]->GetField(25), builtin);
  for (int i : {0, 1, 2, 5, 6, 7, 8}) EXPECT_EQ(records[i]->GetField(25), before[i]) << i;
}

TEST(MaterialExtraction, AnEqualEntryLetsTheSearchGoOn) {
  const std::vector<std::string> list = {Def("SDM-1", "a"), Def("SDM-1", "b")};
  std::vector<std::unique_ptr<CVersuch>> records;
  records.push_back(Carrying(Def("SDM-1", "a")));
  const MaterialExtraction result = ExtractMaterialDefinitions(Pointers(records), list);
  EXPECT_EQ(result.changedRecords, 1);
  EXPECT_EQ(records[0]->GetField(25), Def("SDM-1", "b"));
}

// The fixture file with the lines inserted before its "DATA_STOP" line.
std::string ExpectedBytes(const std::vector<std::string>& lines) {
  std::string bytes = *platform::ReadFileBytes(kFixture);
  const size_t stop = bytes.find("\r\nDATA_STOP") + 2;
  std::string inserted;
  for (const std::string& line : lines) inserted += platform::EncodeText(line) + "\r\n";
  return bytes.insert(stop, inserted);
}

class MaterialFile : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(data_ / "matdef");
    fs::copy_file(kFixture, file_);
  }
  TempFolder data_;
  fs::path file_ = MaterialDefFilePath(data_.path());
};

TEST_F(MaterialFile, DefinitionsGoDirectlyBeforeTheStopMarkerAndEveryOtherByteStays) {
  const std::vector<std::string> added = {Def("SDM-9", "Körnung 0/4 €"), Def("SDM-8", "zweite")};
  ASSERT_TRUE(AddMaterialDefinitionsToFile(data_.path(), added));
  EXPECT_EQ(platform::ReadFileBytes(file_), ExpectedBytes(added));  // lines after the stop marker too
  EXPECT_FALSE(fs::exists(data_ / "matdef/material_def.dat.bak"));

  std::vector<std::string> list;
  std::string error;
  ASSERT_TRUE(ReadMaterialDefs(data_.path(), list, error));
  EXPECT_EQ(list[3], added[0]);  // the next run knows them
  EXPECT_EQ(list[4], added[1]);
}

TEST_F(MaterialFile, AFileWithoutMarkersOrACopyThatCannotBeWrittenStaysAsItWas) {
  const auto original = platform::ReadFileBytes(file_);
  fs::create_directories(data_ / "matdef/material_def.dat.bak/keep");  // the copy cannot be written
  EXPECT_FALSE(AddMaterialDefinitionsToFile(data_.path(), {Def("SDM-9", "x")}));
  EXPECT_EQ(platform::ReadFileBytes(file_), original);
  fs::remove_all(data_ / "matdef/material_def.dat.bak");

  for (const char* broken : {"no_start.dat", "no_stop.dat"}) {
    const fs::path source = fs::path(PRAVIK_FIXTURES) / "matdef" / broken;
    fs::copy_file(source, file_, fs::copy_options::overwrite_existing);
    EXPECT_FALSE(AddMaterialDefinitionsToFile(data_.path(), {Def("SDM-9", "x")})) << broken;
    EXPECT_EQ(platform::ReadFileBytes(file_), platform::ReadFileBytes(source)) << broken;
  }
}

// The rename itself refused: a user who may write into the folder but may
// not replace the file of another (a sticky folder). Root may do anything,
// so the attempt runs as an unprivileged user in a child process.
TEST_F(MaterialFile, AFailedRenameKeepsTheOldFile) {
  const fs::path folder = data_ / "matdef";
  ::chmod(data_.path().c_str(), 0755);
  ::chmod(folder.c_str(), 01777);
  ::chmod(file_.c_str(), 0644);
  const auto original = platform::ReadFileBytes(file_);
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
    ::_exit(AddMaterialDefinitionsToFile(data_.path(), {Def("SDM-9", "x")}) ? 1 : 0);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  if (::geteuid() != 0 && WEXITSTATUS(status) == 1) GTEST_SKIP() << "the file is our own: the rename cannot fail";
  EXPECT_EQ(WEXITSTATUS(status), 0);  // reported as a failure
  EXPECT_EQ(platform::ReadFileBytes(file_), original);
  EXPECT_FALSE(fs::exists(folder / "material_def.dat.bak"));  // the copy went again
}

TEST(RawRecordText, RoundTripAndShortTexts) {
  CVersuch r;
  for (int field = 0; field < CVersuch::kFieldCount; ++field) r.SetField(field, "f" + std::to_string(field) + "|a");
  r.SetField(7, "");
  const std::string text = RecordToRawText(r);
  EXPECT_EQ(text.substr(0, 16), "f0|a\r\nf1|a\r\nf2|a");
  EXPECT_EQ(text.substr(text.size() - 7), "f32|a\r\n");

  CVersuch same = r;
  ApplyRawText(same, text);  // the 34th, empty line is ignored
  for (int field = 0; field < CVersuch::kFieldCount; ++field) EXPECT_EQ(same.GetField(field), r.GetField(field));

  CVersuch edited = r;
  ApplyRawText(edited, "neu\r\nzwei\nx\r\n");
  EXPECT_EQ(edited.GetField(0), "neu");
  EXPECT_EQ(edited.GetField(1), "zwei");
  EXPECT_EQ(edited.GetField(2), "x");
  for (int field = 3; field < CVersuch::kFieldCount; ++field) EXPECT_EQ(edited.GetField(field), "") << field;

  CVersuch emptied = r;
  ApplyRawText(emptied, "");
  for (int field = 0; field < CVersuch::kFieldCount; ++field) EXPECT_EQ(emptied.GetField(field), "");

  std::string longer = text + "extra\r\n";
  CVersuch extra = r;
  ApplyRawText(extra, longer);  // lines beyond the 33rd are ignored
  EXPECT_EQ(extra.GetField(32), "f32|a");
}

}  // namespace
