// The record file on a network share: a copy cut off by a stale cache is read
// again before the start falls back or gives up, and a save into a data folder
// that is no longer ours writes nothing and says so.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "platform/files.h"
#include "platform/messagebox.h"
#include "platform/sharedfolder.h"
#include "records/recordfile.h"
#include "support/share_seams.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

RecordList Records(int count, const std::string& tag) {
  RecordList records;
  for (int i = 0; i < count; ++i) {
    auto record = std::make_unique<CVersuch>();
    record->SetField(0, "12-34-23051208300" + std::to_string(i));
    record->SetField(1, "12-34-000" + std::to_string(i) + "|-1|-1|-1|1|20230512");
    record->SetField(21, tag);
    records.push_back(std::move(record));
  }
  return records;
}

std::string Tags(const RecordList& records) {
  std::string tags;
  for (const auto& record : records) tags += record->GetField(21) + ";";
  return tags;
}

}  // namespace

// Another computer has just saved: our cache still has the old, shorter size
// of "data.db", so its new contents read cut off until the cache expires.
TEST(RecordFileOnShare, ACutOffDataFileIsReadAgainBeforeTheStartFallsBack) {
  struct Case {
    const char* name;
    bool network;
    bool olderTempCopy;     // "data_tmp.db" holds an older state
    size_t completeAtPause;  // 0: the cut-off copy stays
    bool loads;
    const char* tags;
    size_t pauses;
    bool told;  // the damaged "data.db", or the refusal
  } cases[] = {
      {"share: complete at the second look", true, true, 2, true, "neu;neu;neu;", 2, false},
      {"share: no other copy", true, false, 1, true, "neu;neu;neu;", 1, false},
      {"share: stays cut off, the sound older copy", true, true, 0, true, "alt;", 5, true},
      {"share: stays cut off, nothing else", true, false, 0, false, "", 5, true},
      {"local disk: no waiting", false, true, 1, true, "alt;", 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder dir;
    if (c.olderTempCopy) {
      ASSERT_TRUE(WriteRecordFile(Records(1, "alt"), dir / "data_tmp.db"));
    }
    ASSERT_TRUE(WriteRecordFile(Records(3, "neu"), dir / "data.db"));
    const std::string complete = *platform::ReadFileBytes(dir / "data.db");
    ASSERT_TRUE(platform::WriteFileBytes(dir / "data.db", complete.substr(0, complete.size() * 2 / 3)));

    ShareSeams seams(c.network);
    seams.onPause = [&](size_t pause) {
      if (pause == c.completeAtPause) {
        ASSERT_TRUE(platform::WriteFileBytes(dir / "data.db", complete));
      }
    };
    platform::ScriptedMessageBoxes boxes;
    RecordList loaded;
    EXPECT_EQ(LoadRecordFile(loaded, dir.path()), c.loads);
    EXPECT_EQ(Tags(loaded), c.tags);
    EXPECT_EQ(seams.pauses.size(), c.pauses);
    EXPECT_EQ(boxes.shown().size(), c.told ? 1u : 0u);
  }
}

TEST(RecordFileOnShare, AFreshCheckOfACopyWaitsForTheCompleteFile) {
  for (const bool network : {true, false}) {
    SCOPED_TRACE(network ? "share" : "local disk");
    TempFolder dir;
    ASSERT_TRUE(WriteRecordFile(Records(3, "neu"), dir / "data.db.01"));
    const std::string complete = *platform::ReadFileBytes(dir / "data.db.01");
    ASSERT_TRUE(platform::WriteFileBytes(dir / "data.db.01", complete.substr(0, complete.size() / 2)));
    ShareSeams seams(network);
    seams.onPause = [&](size_t) { ASSERT_TRUE(platform::WriteFileBytes(dir / "data.db.01", complete)); };
    EXPECT_EQ(ValidateFreshRecordFile(dir / "data.db.01"), network);
  }
}

// The data folder is no longer the locked one (a dropped share leaves its
// empty mount point): the save writes nothing there and tells so, and the
// next save, once the folder is back, goes through.
TEST(RecordFileOnShare, ASaveIntoAFolderThatIsNoLongerOursWritesNothing) {
  TempFolder dir;
  ASSERT_TRUE(WriteRecordFile(Records(1, "alt"), dir / "data.db"));
  const auto before = platform::ReadFileBytes(dir / "data.db");
  bool ours = false;
  platform::HoldFolder(dir.path(), [&] { return ours; });
  RecordList records = Records(2, "neu");
  {
    platform::ScriptedMessageBoxes boxes;
    EXPECT_FALSE(SaveRecordFileSafely(records, dir.path()));
    ASSERT_EQ(boxes.shown().size(), 1u);
    const std::string& text = boxes.shown()[0].text;
    EXPECT_NE(text.find("nicht erreichbar"), std::string::npos) << text;
    EXPECT_NE(text.find("Es wurde nichts gespeichert"), std::string::npos) << text;
    EXPECT_NE(text.find(dir.path().string()), std::string::npos) << text;
    EXPECT_EQ(text.find("konnte nicht gespeichert werden"), std::string::npos) << text;
  }
  EXPECT_EQ(platform::ReadFileBytes(dir / "data.db"), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
  EXPECT_EQ(Tags(records), "neu;neu;");

  ours = true;
  platform::ScriptedMessageBoxes boxes;
  EXPECT_TRUE(SaveRecordFileSafely(records, dir.path()));
  EXPECT_TRUE(boxes.shown().empty());
  platform::ReleaseHeldFolder(dir.path());
  RecordList loaded;
  ASSERT_TRUE(LoadRecordFile(loaded, dir.path()));
  EXPECT_EQ(Tags(loaded), "neu;neu;");
}

// A save that goes wrong at its very end: the message says what the folder
// may hold, and the records stay in the program for the next save. The
// folder flushes after the renames of "data_tmp.db" (1) and "data.db" (2)
// are where the errors come in; the share dropping off is the folder no
// longer being ours.
TEST(RecordFileOnShare, TheMessageAfterASaveCutShortSaysWhatTheFolderHolds) {
  struct Case {
    const char* name;
    int failingFlush;  // the first flush that fails
    bool dropsThere;   // the share is gone after it; else every later flush fails too
    bool dataFileNew;  // "data.db" holds the new records afterwards
    const char* says;
    const char* neverSays;
  } cases[] = {
      {"the share drops right after the rename over data.db", 2, true, true, "möglicherweise nicht gespeichert",
       "nichts gespeichert"},
      {"the folder cannot be flushed after the rename over data.db", 2, false, true, "Die Daten stehen in data.db",
       "konnte nicht gespeichert werden"},
      {"the share drops right after data_tmp.db", 1, true, false, "möglicherweise nicht gespeichert",
       "nichts gespeichert"},
      {"the folder cannot be flushed after data_tmp.db", 1, false, false, "konnte nicht gespeichert werden",
       "stehen in data.db"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder dir;
    ASSERT_TRUE(WriteRecordFile(Records(1, "alt"), dir / "data.db"));
    bool ours = true;
    platform::HoldFolder(dir.path(), [&] { return ours; });
    int flushes = 0;
    platform::SetFolderSyncOverride([&](const fs::path&) {
      if (++flushes < c.failingFlush || !ours) return 0;
      if (c.dropsThere) ours = false;
      return EIO;
    });
    RecordList records = Records(2, "neu");
    platform::ScriptedMessageBoxes boxes;
    EXPECT_FALSE(SaveRecordFileSafely(records, dir.path()));
    platform::SetFolderSyncOverride(nullptr);
    platform::ReleaseHeldFolder(dir.path());
    ASSERT_EQ(boxes.shown().size(), 1u);
    const std::string& text = boxes.shown()[0].text;
    EXPECT_NE(text.find(c.says), std::string::npos) << text;
    EXPECT_EQ(text.find(c.neverSays), std::string::npos) << text;
    EXPECT_NE(text.find(dir.path().string()), std::string::npos) << text;
    const std::string data = platform::ReadFileBytes(dir / "data.db").value_or("");
    EXPECT_EQ(data.find("\r\n21~neu") != std::string::npos, c.dataFileNew);
    EXPECT_EQ(Tags(records), "neu;neu;");
  }
}
