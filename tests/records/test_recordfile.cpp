#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/datetime.h"
#include "platform/files.h"
#include "platform/messagebox.h"
#include "platform/textcodec.h"
#include "records/recordfile.h"
#include "support/share_seams.h"
#include "support/temp_folder.h"
#include "tools/record_generator.h"

namespace fs = std::filesystem;
using platform::ReadFileBytes;
using platform::WriteFileBytes;

namespace {

const fs::path kFixture = fs::path(PRAVIK_FIXTURES) / "recordfile" / "all_bytes.db";
const std::string kHeader = "\r\n[VERSION=3001]\r\n";
const std::string kEmptyFile = "\r\n[VERSION=3001]\r\n[ANZ=0]\r\nDATA_START\r\nDATA_STOP\r\n";

// One record as file lines: `lines` value lines "NN~<tag>NN".
std::string RecordLines(int lines, const std::string& tag) {
  std::string out;
  for (int i = 0; i < lines; ++i) {
    char prefix[8];
    std::snprintf(prefix, sizeof prefix, "%02d~", i);
    out += "\r\n" + std::string(prefix) + tag + std::to_string(i);
  }
  return out;
}

std::string FileWith(const std::string& header, const std::string& body,
                     const std::string& stop = "\r\nDATA_STOP\r\n") {
  return "\r\n" + header + "\r\nDATA_START" + body + stop;
}

std::unique_ptr<CVersuch> MakeRecord(const std::string& testNumber) {
  auto record = std::make_unique<CVersuch>();
  record->SetField(0, "12-34-2305120830" + testNumber.substr(testNumber.size() - 2));
  record->SetField(1, testNumber + "|-1|-1|-1|1|20230512");
  record->SetField(29, "[VA_GRUND:1]");
  return record;
}

RecordList TwoRecords() {
  RecordList records;
  records.push_back(MakeRecord("12-34-0001"));
  records.push_back(MakeRecord("12-34-0002"));
  return records;
}

std::vector<std::string> FieldsOf(const RecordList& records) {
  std::vector<std::string> fields;
  for (const auto& record : records)
    for (int f = 0; f < CVersuch::kFieldCount; ++f) fields.push_back(record->GetField(f));
  return fields;
}

size_t FilesIn(const fs::path& folder) {
  size_t count = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++count;
  return count;
}

}  // namespace

// Every byte but CR and LF survives reading into UTF-8 and writing back.
TEST(RecordFile, RoundTripKeepsEveryByte) {
  TempFolder dir;
  const std::string original = *ReadFileBytes(kFixture);
  ASSERT_TRUE(WriteFileBytes(dir / "data.db", original));

  RecordList records;
  ASSERT_TRUE(LoadRecordFile(records, dir.path()));
  ASSERT_EQ(records.size(), 2u);
  std::string allBytes;
  for (int b = 0; b < 256; ++b)
    if (b != '\n' && b != '\r') allBytes.push_back(static_cast<char>(b));
  EXPECT_EQ(records[0]->GetField(9), platform::FromCp1252(allBytes));
  EXPECT_EQ(records[0]->GetField(18), ";Sand 0/2|DIN EN 12620|2500.0");
  EXPECT_EQ(records[1]->GetField(31), "äöüÄÖÜß€°¿|Sandäquivalent");

  ASSERT_TRUE(WriteRecordFile(records, dir / "copy.db"));
  EXPECT_EQ(*ReadFileBytes(dir / "copy.db"), original);

  ASSERT_TRUE(SaveRecordFileSafely(records, dir.path()));
  EXPECT_EQ(*ReadFileBytes(dir / "data.db"), original);
  EXPECT_EQ(*ReadFileBytes(dir / "data_tmp.db"), original);
}

TEST(RecordFile, EmptyListGivesHeaderOnlyFile) {
  TempFolder dir;
  ASSERT_TRUE(WriteRecordFile(RecordList{}, dir / "data.db"));
  EXPECT_EQ(*ReadFileBytes(dir / "data.db"), kEmptyFile);
  EXPECT_TRUE(ValidateRecordFile(dir / "data.db"));

  RecordList records;
  EXPECT_TRUE(LoadRecordFile(records, dir.path()));
  EXPECT_TRUE(records.empty());
}

TEST(RecordFile, WrittenLayout) {
  TempFolder dir;
  RecordList records;
  records.push_back(std::make_unique<CVersuch>());
  records[0]->SetField(0, "ID");
  records[0]->SetField(1, "Prüf-Nr.");
  records[0]->SetField(32, "last");
  ASSERT_TRUE(WriteRecordFile(records, dir / "data.db"));
  std::string expected = "\r\n[VERSION=3001]\r\n[ANZ=1]\r\nDATA_START\r\n00~ID\r\n01~Pr\xFC" "f-Nr.";
  for (int f = 2; f < 32; ++f) expected += "\r\n" + std::string(f < 10 ? "0" : "") + std::to_string(f) + "~";
  expected += "\r\n32~last\r\nDATA_STOP\r\n";
  EXPECT_EQ(*ReadFileBytes(dir / "data.db"), expected);
}

TEST(RecordFile, SoundnessRules) {
  const std::string two = RecordLines(33, "a") + RecordLines(33, "b");
  struct Case {
    const char* name;
    std::string content;
    bool sound;
  } cases[] = {
      {"two records as counted", FileWith("[VERSION=3001]\r\n[ANZ=2]", two), true},
      {"count too high", FileWith("[VERSION=3001]\r\n[ANZ=3]", two), false},
      {"count too low", FileWith("[ANZ=1]", two), false},
      {"no count line: any number", FileWith("[VERSION=3001]", two), true},
      {"no DATA_STOP", FileWith("[ANZ=2]", two, "\r\n"), false},
      {"no DATA_START", "\r\n[ANZ=0]\r\nDATA_STOP\r\n", false},
      {"empty file", "", false},
      {"31 lines followed by a record", FileWith("[ANZ=2]", RecordLines(31, "a") + RecordLines(33, "b")), true},
      {"30 lines followed by a record", FileWith("[ANZ=2]", RecordLines(30, "a") + RecordLines(33, "b")), false},
      {"30 lines as the last record", FileWith("[ANZ=2]", RecordLines(33, "a") + RecordLines(30, "b")), true},
      {"1 line as the last record", FileWith("[ANZ=2]", RecordLines(33, "a") + RecordLines(1, "b")), true},
      {"other lines ignored", FileWith("[ANZ=2]", "\r\nnoise\r\n\r\nab" + two + "\r\n~~~"), true},
      {"value lines before the first record", FileWith("[ANZ=2]", "\r\n05~orphan" + two), true},
      {"other version still sound", FileWith("[VERSION=3002]\r\n[ANZ=2]", two), true},
      {"text after DATA_STOP", FileWith("[ANZ=2]", two, "\r\nDATA_STOP\r\ntrailing"), true},
      {"count is no number", FileWith("[ANZ=abc]", ""), false},
      {"count is empty", FileWith("[ANZ=]", ""), false},
      {"count is negative", FileWith("[ANZ=-1]", ""), false},
      {"count followed by letters", FileWith("[ANZ=2x]", two), false},
      {"count without bracket", FileWith("[ANZ=2", two), false},
      {"count too large", FileWith("[ANZ=99999999999999999999]", ""), false},
  };
  TempFolder dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(WriteFileBytes(dir / "x.db", c.content));
    EXPECT_EQ(ValidateRecordFile(dir / "x.db"), c.sound);
  }
  EXPECT_FALSE(ValidateRecordFile(dir / "missing.db"));
  EXPECT_FALSE(ValidateRecordFile(dir.path()));
}

TEST(RecordFile, ReaderTakesFieldsInLineOrder) {
  TempFolder dir;
  // Out-of-order digits, "~" inside a value, field 18 with ";", 35 value lines,
  // then a short last record.
  std::string body = "\r\n00~first\r\n05~a~b";
  for (int i = 2; i < 18; ++i) body += "\r\n99~f" + std::to_string(i);
  body += "\r\n18~x;y;z";
  for (int i = 19; i < 35; ++i) body += "\r\n01~f" + std::to_string(i);
  body += "\r\n00~second\r\n01~only two";
  ASSERT_TRUE(WriteFileBytes(dir / "data.db", FileWith("[VERSION=3001]\r\n[ANZ=2]", body)));

  RecordList records;
  records.push_back(MakeRecord("12-34-0009"));  // loading appends
  ASSERT_TRUE(LoadRecordFile(records, dir.path()));
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0]->GetValue(1, 0), "12-34-0009");
  const CVersuch& first = *records[1];
  EXPECT_EQ(first.GetField(0), "first");
  EXPECT_EQ(first.GetField(1), "a~b");
  EXPECT_EQ(first.GetField(17), "f17");
  EXPECT_EQ(first.GetField(18), "xy;z");
  EXPECT_EQ(first.GetField(32), "f32");  // lines beyond the 33rd change nothing
  EXPECT_EQ(records[2]->GetField(0), "second");
  EXPECT_EQ(records[2]->GetField(1), "only two");
  EXPECT_EQ(records[2]->GetField(2), "");
}

// Field 18 of an older file loses its misplaced ";" once; what this program
// stores comes back unchanged however often it is saved and loaded.
TEST(RecordFile, Field18KeepsItsTextThroughTenSaveLoadCycles) {
  TempFolder dir;
  const std::vector<std::string> texts = {"x;y;z|DIN; EN", ";a;b", "a;;b|", "Kies0/2|DIN", ";"};
  RecordList records;
  for (const std::string& text : texts) {
    records.push_back(MakeRecord("12-34-00" + std::to_string(10 + records.size())));
    records.back()->SetField(18, text);
  }
  for (int cycle = 0; cycle < 10; ++cycle) {
    ASSERT_TRUE(SaveRecordFileSafely(records, dir.path()));
    records.clear();
    ASSERT_TRUE(LoadRecordFile(records, dir.path()));
    ASSERT_EQ(records.size(), texts.size());
    for (size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(records[i]->GetField(18), texts[i]) << cycle;
  }

  // The older file's text is converted at the first load and then stays.
  std::string body = RecordLines(18, "f") + "\r\n18~Kies;0/2|DIN" + RecordLines(33, "g").substr(RecordLines(19, "g").size());
  ASSERT_TRUE(WriteFileBytes(dir / "data.db", FileWith("[VERSION=3001]\r\n[ANZ=1]", body)));
  for (int cycle = 0; cycle < 3; ++cycle) {
    records.clear();
    ASSERT_TRUE(LoadRecordFile(records, dir.path()));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0]->GetField(18), "Kies0/2|DIN");
    ASSERT_TRUE(SaveRecordFileSafely(records, dir.path()));
  }
}

TEST(RecordFile, LineBreaksInFieldsStayInTheirLine) {
  TempFolder dir;
  RecordList records = TwoRecords();
  records[0]->SetField(14, "Zeile 1\nZeile 2");
  // A CR alone ends no line of the file: it stays, so that a file holding
  // one reads and writes back byte for byte.
  records[0]->SetField(21, "a\r\nb\rc\n");
  records[0]->SetField(22, "end\r");
  ASSERT_TRUE(SaveRecordFileSafely(records, dir.path()));

  const std::string bytes = *ReadFileBytes(dir / "data.db");
  EXPECT_NE(bytes.find("\r\n14~Zeile 1#CRLF#Zeile 2\r\n15~"), std::string::npos);
  EXPECT_NE(bytes.find("\r\n21~a#CRLF#b\rc#CRLF#\r\n22~end\r\r\n23~"), std::string::npos);

  RecordList loaded;
  ASSERT_TRUE(LoadRecordFile(loaded, dir.path()));
  ASSERT_EQ(loaded.size(), 2u);
  EXPECT_EQ(loaded[0]->GetField(14), "Zeile 1#CRLF#Zeile 2");
  EXPECT_EQ(loaded[0]->GetField(22), "end\r");
  EXPECT_EQ(loaded[0]->GetField(29), "[VA_GRUND:1]");  // later fields not shifted
  EXPECT_EQ(loaded[1]->GetValue(1, 0), "12-34-0002");
}

TEST(RecordFile, ReaderFallsBackToTemporaryCopy) {
  const std::string sound = FileWith("[VERSION=3001]\r\n[ANZ=1]", RecordLines(33, "t"));
  struct Case {
    const char* name;
    const char* dataDb;  // nullptr: no such file
    bool tempPresent;
    bool loads;
    bool told;  // a damaged data.db: which copy was loaded instead
  } cases[] = {
      {"data.db without DATA_STOP", "\r\n[ANZ=0]\r\nDATA_START\r\n", true, true, true},
      {"empty data.db", "", true, true, true},
      {"no data.db", nullptr, true, true, false},
      {"neither copy", nullptr, false, false, true},
      {"both unsound", "", false, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder dir;
    platform::ScriptedMessageBoxes boxes;
    if (c.dataDb) { ASSERT_TRUE(WriteFileBytes(dir / "data.db", c.dataDb)); }
    if (c.tempPresent) { ASSERT_TRUE(WriteFileBytes(dir / "data_tmp.db", sound)); }
    RecordList records;
    records.push_back(MakeRecord("12-34-0009"));
    EXPECT_EQ(LoadRecordFile(records, dir.path()), c.loads);
    if (c.loads) {
      ASSERT_EQ(records.size(), 2u);
      EXPECT_EQ(records[1]->GetField(0), "t0");
      ASSERT_EQ(boxes.shown().size(), c.told ? 1u : 0u);
      if (c.told) { EXPECT_NE(boxes.shown()[0].text.find("data_tmp.db vom"), std::string::npos); }
    } else {
      EXPECT_EQ(records.size(), 1u);
      ASSERT_EQ(boxes.shown().size(), 1u);
      EXPECT_EQ(boxes.shown()[0].flags, platform::MB_OK | platform::MB_ICONSTOP);
      EXPECT_NE(boxes.shown()[0].text.find(dir.path().string()), std::string::npos);
    }
  }
}

namespace {

// Sets a file's modification time to whole seconds plus nanoseconds, as a
// share that keeps whole seconds shows both files of one save.
void SetWriteTime(const fs::path& path, std::time_t seconds, long nanoseconds) {
  const timespec times[2] = {{seconds, nanoseconds}, {seconds, nanoseconds}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

constexpr std::time_t kSecond = 1765400000;

}  // namespace

// A save cut short after "data_tmp.db" was written and checked: the newer
// sound copy is loaded, the user is told once, and the next save replaces
// "data.db" with it. Its time decides only as far as the file system can
// tell the two apart: both in one whole second is a save cut short when the
// copies differ; a "data.db" written later is never passed over.
TEST(RecordFile, NewerSoundTemporaryCopyIsLoaded) {
  const std::string older = FileWith("[VERSION=3001]\r\n[ANZ=1]", RecordLines(33, "old"));
  const std::string newer = FileWith("[VERSION=3001]\r\n[ANZ=2]", RecordLines(33, "new") + RecordLines(33, "n2"));
  const std::string broken = FileWith("[VERSION=3001]\r\n[ANZ=3]", RecordLines(33, "new"));
  struct Case {
    const char* name;
    std::string temp;
    std::time_t tempSecond;  // relative to data.db's second
    long tempNanos, dataNanos;
    const char* firstField;
    bool told;
  } cases[] = {
      {"seconds later, sound and different", newer, 5, 0, 0, "new0", true},
      {"the same whole second, different", newer, 0, 0, 0, "new0", true},
      {"later within one second", newer, 0, 700000000, 200000000, "new0", true},
      {"data.db later within one second", newer, 0, 200000000, 700000000, "old0", false},
      {"data.db seconds later", newer, -5, 0, 0, "old0", false},
      {"the same second and the same bytes", older, 0, 0, 0, "old0", false},
      {"seconds later but the same", older, 5, 0, 0, "old0", false},
      {"the same second but not sound", broken, 0, 0, 0, "old0", false},
      {"seconds later but not sound", broken, 5, 0, 0, "old0", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder dir;
    platform::ScriptedMessageBoxes boxes;
    ASSERT_TRUE(WriteFileBytes(dir / "data.db", older));
    ASSERT_TRUE(WriteFileBytes(dir / "data_tmp.db", c.temp));
    SetWriteTime(dir / "data.db", kSecond, c.dataNanos);
    SetWriteTime(dir / "data_tmp.db", kSecond + c.tempSecond, c.tempNanos);
    RecordList records;
    bool dataFileSound = false;
    ASSERT_TRUE(LoadRecordFile(records, dir.path(), &dataFileSound));
    EXPECT_TRUE(dataFileSound);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records[0]->GetField(0), c.firstField);
    ASSERT_EQ(boxes.shown().size(), c.told ? 1u : 0u);
    if (!c.told) continue;
    EXPECT_NE(boxes.shown()[0].text.find(dir.path().string()), std::string::npos);
    EXPECT_NE(boxes.shown()[0].text.find("data_tmp.db"), std::string::npos);
    EXPECT_EQ(records.size(), 2u);
    // The next save makes "data.db" the loaded state; the next load is silent.
    ASSERT_TRUE(SaveRecordFileSafely(records, dir.path()));
    EXPECT_EQ(*ReadFileBytes(dir / "data.db"), newer);
    SetWriteTime(dir / "data.db", kSecond, 0);
    SetWriteTime(dir / "data_tmp.db", kSecond, 0);
    records.clear();
    ASSERT_TRUE(LoadRecordFile(records, dir.path()));
    EXPECT_EQ(records.size(), 2u);
    EXPECT_EQ(boxes.shown().size(), 1u);
  }
}

// After a save that did complete, a share's cache may still show the old
// "data.db" beside the new "data_tmp.db": that is looked at again, and only
// a difference that stays says the last save was not completed.
TEST(RecordFile, TheUnfinishedSaveWarningOnlyWhenTheCopiesStayDifferent) {
  const std::string older = FileWith("[VERSION=3001]\r\n[ANZ=1]", RecordLines(33, "old"));
  const std::string newer = FileWith("[VERSION=3001]\r\n[ANZ=2]", RecordLines(33, "new") + RecordLines(33, "n2"));
  struct Case {
    const char* name;
    size_t currentAtPause;  // 0: the old "data.db" stays
    size_t pauses;
    bool told;
  } cases[] = {
      {"the complete save shows at the first look again", 1, 1, false},
      {"at the third", 3, 3, false},
      {"a save cut short", 0, 5, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder dir;
    ASSERT_TRUE(WriteFileBytes(dir / "data.db", older));
    ASSERT_TRUE(WriteFileBytes(dir / "data_tmp.db", newer));
    SetWriteTime(dir / "data.db", kSecond, 0);
    SetWriteTime(dir / "data_tmp.db", kSecond + 1, 0);
    ShareSeams seams(true);
    seams.onPause = [&](size_t pause) {
      if (pause == c.currentAtPause) { ASSERT_TRUE(WriteFileBytes(dir / "data.db", newer)); }
    };
    platform::ScriptedMessageBoxes boxes;
    RecordList records;
    ASSERT_TRUE(LoadRecordFile(records, dir.path()));
    EXPECT_EQ(records.size(), 2u);
    EXPECT_EQ(seams.pauses.size(), c.pauses);
    ASSERT_EQ(boxes.shown().size(), c.told ? 1u : 0u);
    if (c.told) { EXPECT_NE(boxes.shown()[0].text.find("nicht abgeschlossen"), std::string::npos); }
  }
}

// A "data.db" that fails its check beside a sound but older "data_tmp.db":
// the older copy is loaded and the user is told which, from when, with how
// many records, and where the damaged file is kept; it is never deleted, and
// it is no sound "data.db" that may become a daily copy.
TEST(RecordFile, ADamagedDataFileIsKeptAsideAndTheLoadedCopyNamed) {
  TempFolder dir;
  const std::string damaged = FileWith("[VERSION=3001]\r\n[ANZ=3]", RecordLines(33, "a") + RecordLines(33, "b"), "");
  ASSERT_TRUE(WriteFileBytes(dir / "data.db", damaged));
  ASSERT_TRUE(WriteRecordFile(TwoRecords(), dir / "data_tmp.db"));
  SetWriteTime(dir / "data_tmp.db", kSecond - 3600, 0);
  SetWriteTime(dir / "data.db", kSecond, 0);

  platform::ScriptedMessageBoxes boxes;
  RecordList records;
  bool dataFileSound = true;
  const std::time_t before = std::time(nullptr);
  ASSERT_TRUE(LoadRecordFile(records, dir.path(), &dataFileSound));
  EXPECT_FALSE(dataFileSound);
  EXPECT_EQ(FieldsOf(records), FieldsOf(TwoRecords()));
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].flags, platform::MB_OK | platform::MB_ICONWARNING);
  const std::string& text = boxes.shown()[0].text;
  EXPECT_NE(text.find(dir.path().string()), std::string::npos) << text;
  EXPECT_NE(text.find("beschädigt"), std::string::npos) << text;
  const std::string loaded = "data_tmp.db vom " + platform::FormatLocalTime("%d.%m.%Y %H:%M", kSecond - 3600) +
                             " mit 2 Datensätzen";
  EXPECT_NE(text.find(loaded), std::string::npos) << text;

  // The damaged file under its new name, byte for byte.
  EXPECT_FALSE(fs::exists(dir / "data.db"));
  std::vector<fs::path> kept;
  for (const auto& entry : fs::directory_iterator(dir.path()))
    if (entry.path().filename().string().rfind("data_beschaedigt_", 0) == 0) kept.push_back(entry.path());
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_NE(text.find(kept[0].string()), std::string::npos) << text;
  EXPECT_EQ(*ReadFileBytes(kept[0]), damaged);
  const fs::path earliest = DamagedRecordFileName(dir.path(), before);
  EXPECT_GE(kept[0].filename().string(), earliest.filename().string());

  // The next save writes "data.db" again and leaves the damaged file alone.
  ASSERT_TRUE(SaveRecordFileSafely(records, dir.path()));
  EXPECT_EQ(*ReadFileBytes(kept[0]), damaged);
  RecordList again;
  ASSERT_TRUE(LoadRecordFile(again, dir.path(), &dataFileSound));
  EXPECT_TRUE(dataFileSound);
  EXPECT_EQ(boxes.shown().size(), 1u);
}

// With no sound copy left, the refusal names the sound daily copies by date
// and number of records, and moves nothing.
TEST(RecordFile, NothingLoadableNamesTheSoundDailyCopies) {
  const std::string damaged = FileWith("[VERSION=3001]\r\n[ANZ=3]", RecordLines(33, "a"));
  struct Case {
    const char* name;
    std::vector<int> soundCopies, damagedCopies;
    std::vector<std::string> named, unnamed;
  } cases[] = {
      {"sound and damaged copies", {1, 3}, {2}, {"data.db.01 vom ", "data.db.03 vom ", "unter dem Namen data.db"},
       {"data.db.02", "keine vollständige Tageskopie"}},
      {"only damaged copies", {}, {1}, {"keine vollständige Tageskopie"}, {"data.db.01", "unter dem Namen"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder dir;
    ASSERT_TRUE(WriteFileBytes(dir / "data.db", damaged));
    for (int n : c.damagedCopies) { ASSERT_TRUE(WriteFileBytes(DailyCopyName(dir / "data.db", n), damaged)); }
    for (int n : c.soundCopies) {
      RecordList copy = TwoRecords();
      copy.resize(n == 1 ? 2 : 1);
      ASSERT_TRUE(WriteRecordFile(copy, DailyCopyName(dir / "data.db", n)));
      SetWriteTime(DailyCopyName(dir / "data.db", n), kSecond - n * 86400, 0);
    }
    const size_t files = FilesIn(dir.path());
    platform::ScriptedMessageBoxes boxes;
    RecordList records;
    EXPECT_FALSE(LoadRecordFile(records, dir.path()));
    ASSERT_EQ(boxes.shown().size(), 1u);
    const std::string& text = boxes.shown()[0].text;
    EXPECT_NE(text.find("Weder data.db noch data_tmp.db"), std::string::npos) << text;
    for (const std::string& part : c.named) EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    for (const std::string& part : c.unnamed) EXPECT_EQ(text.find(part), std::string::npos) << part << "\n" << text;
    for (int n : c.soundCopies) {
      const std::string line = DailyCopyName(dir / "data.db", n).filename().string() + " vom " +
                               platform::FormatLocalTime("%d.%m.%Y %H:%M", kSecond - n * 86400) + " mit " +
                               (n == 1 ? "2" : "1") + " Datensätzen";
      EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    }
    EXPECT_EQ(FilesIn(dir.path()), files);
    EXPECT_EQ(*ReadFileBytes(dir / "data.db"), damaged);
  }
}

TEST(RecordFile, OtherVersionIsRefused) {
  for (const char* version : {"[VERSION=3002]", "[VERSION=2999]"}) {
    SCOPED_TRACE(version);
    TempFolder dir;
    platform::ScriptedMessageBoxes boxes;
    ASSERT_TRUE(WriteFileBytes(dir / "data.db",
                               FileWith(std::string(version) + "\r\n[ANZ=1]", RecordLines(33, "v"))));
    // A sound temporary copy is not taken instead of a sound newer file.
    ASSERT_TRUE(WriteFileBytes(dir / "data_tmp.db", kEmptyFile));
    RecordList records;
    records.push_back(MakeRecord("12-34-0009"));
    EXPECT_FALSE(LoadRecordFile(records, dir.path()));
    EXPECT_EQ(records.size(), 1u);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text,
              "Die Datenbank wurde mit einer neueren Programmversion erstellt und kann nicht "
              "eingelesen werden!");
    EXPECT_EQ(boxes.shown()[0].flags, platform::MB_OK | platform::MB_ICONSTOP);
  }
}

TEST(RecordFile, SafeSaveWritesBothCopies) {
  TempFolder dir;
  platform::ScriptedMessageBoxes boxes;
  ASSERT_TRUE(WriteFileBytes(dir / "data.db", kEmptyFile));
  RecordList records = TwoRecords();
  ASSERT_TRUE(SaveRecordFileSafely(records, dir.path()));
  EXPECT_TRUE(boxes.shown().empty());
  EXPECT_TRUE(ValidateRecordFile(dir / "data.db"));
  EXPECT_EQ(*ReadFileBytes(dir / "data.db"), *ReadFileBytes(dir / "data_tmp.db"));
  EXPECT_EQ(FilesIn(dir.path()), 2u);  // no temporary file left behind

  RecordList loaded;
  ASSERT_TRUE(LoadRecordFile(loaded, dir.path()));
  EXPECT_EQ(FieldsOf(loaded), FieldsOf(records));
}

// Root may write anywhere, so the failures are made with directories standing
// where the files must go.
TEST(RecordFile, FailedSaveIsReportedAndLosesNothing) {
  struct Case {
    const char* name;
    const char* blocked;  // a directory with this name
    const char* survivor;  // the sound copy that must hold afterwards
    bool survivorHasNewRecords;
  } cases[] = {
      {"data_tmp.db cannot be written", "data_tmp.db", "data.db", false},
      {"data.db cannot be replaced", "data.db", "data_tmp.db", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder dir;
    platform::ScriptedMessageBoxes boxes;
    RecordList old;
    old.push_back(MakeRecord("12-34-0001"));
    if (std::string(c.survivor) == "data.db") {
      ASSERT_TRUE(WriteRecordFile(old, dir / "data.db"));
    }
    const auto survivorBefore = ReadFileBytes(dir / c.survivor);
    ASSERT_TRUE(fs::create_directories(dir / c.blocked / "keep"));

    RecordList records = TwoRecords();
    const auto fieldsBefore = FieldsOf(records);
    EXPECT_FALSE(SaveRecordFileSafely(records, dir.path()));

    EXPECT_EQ(FieldsOf(records), fieldsBefore);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].flags, platform::MB_OK | platform::MB_ICONSTOP);
    EXPECT_NE(boxes.shown()[0].text.find("Die Datenbank konnte nicht gespeichert werden!"),
              std::string::npos);
    EXPECT_NE(boxes.shown()[0].text.find(dir.path().string()), std::string::npos);
    EXPECT_EQ(FilesIn(dir.path()), 2u);  // the sound copy and the blocking folder

    ASSERT_TRUE(ValidateRecordFile(dir / c.survivor));
    if (!c.survivorHasNewRecords) { EXPECT_EQ(ReadFileBytes(dir / c.survivor), survivorBefore); }
    RecordList loaded;
    ASSERT_TRUE(LoadRecordFile(loaded, dir.path()));
    EXPECT_EQ(FieldsOf(loaded), c.survivorHasNewRecords ? fieldsBefore : FieldsOf(old));
  }
}

TEST(RecordFile, SaveIntoMissingFolderIsReported) {
  TempFolder dir;
  platform::ScriptedMessageBoxes boxes;
  EXPECT_FALSE(SaveRecordFileSafely(TwoRecords(), dir / "gone"));
  EXPECT_EQ(boxes.shown().size(), 1u);
  EXPECT_FALSE(WriteRecordFile(TwoRecords(), dir / "gone" / "data.db"));
}

// Realistic records (the ones the benchmark uses) come back field for field.
TEST(RecordFile, GeneratedRecordsRoundTrip) {
  TempFolder dir;
  RecordList records = recordgen::RecordGenerator(3).Make(300);
  ASSERT_TRUE(SaveRecordFileSafely(records, dir.path()));
  const auto size = *platform::FileSize(dir / "data.db");
  EXPECT_GT(size / records.size(), 500u);
  EXPECT_LT(size / records.size(), 6000u);

  RecordList loaded;
  ASSERT_TRUE(LoadRecordFile(loaded, dir.path()));
  EXPECT_EQ(FieldsOf(loaded), FieldsOf(records));
}
