// The document: loading the data folder's records at start-up and the
// indexes of test numbers and record IDs.
#include <gtest/gtest.h>

#include <set>

#include "platform/files.h"
#include "services/pravikapp.h"
#include "services/pravikdoc.h"
#include "support/scripted_ui_gtest.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

const fs::path kDataFolders = fs::path(PRAVIK_FIXTURES) / "datafolder";

std::set<std::string> Keys(const KeyIndex& index) {
  std::set<std::string> keys;
  for (const auto& [key, value] : index) {
    EXPECT_EQ(value, "") << key;
    keys.insert(key);
  }
  return keys;
}

}  // namespace

TEST(Document, LoadsTheRecordsAndFillsBothIndexes) {
  struct Case {
    const char* folder;
    std::vector<std::string> ids;  // in file order
    std::set<std::string> testNumbers;
  } cases[] = {
      // Two samples share a test number: both load, the number counts once.
      {"full",
       {"12-3-240305080904", "12-3-240305091512", "12-3-240306101010"},
       {"12-3-0001", "12-3-0002"}},
      // "data.db" missing, "data_tmp.db" sound: its records.
      {"tmp_only", {"7-1-240401070000", "7-1-240402070000"}, {"7-1-0100", "7-1-0101"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    CPravikWinApp app;
    app.m_Settings.m_DataFolder = kDataFolders / c.folder;
    platform::TestUi ui;  // no message
    CPravikDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_EQ(doc.m_Records.size(), c.ids.size());
    for (std::size_t i = 0; i < c.ids.size(); ++i) EXPECT_EQ(doc.m_Records[i]->GetValue(0, 0), c.ids[i]);
    EXPECT_EQ(Keys(app.TestNumberIndex), c.testNumbers);
    EXPECT_EQ(Keys(app.TestRecordIdIndex), std::set<std::string>(c.ids.begin(), c.ids.end()));
  }
}

// Without a sound record file the start cannot go on: the user is told
// which folder holds none, and the caller gets a failure to end the program
// with (kExitNoRecordFile).
TEST(Document, RefusesAFolderWithoutASoundRecordFile) {
  struct Case {
    const char* name;
    const char* dataDb;  // nullptr: no such file
    const char* tmpDb;
  } cases[] = {
      {"neither file", nullptr, nullptr},
      {"both damaged", "\r\n[ANZ=1]\r\nDATA_START\r\n00~x\r\n", "garbage"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder dir;
    if (c.dataDb) {
      ASSERT_TRUE(platform::WriteFileBytes(dir / "data.db", c.dataDb));
    }
    if (c.tmpDb) {
      ASSERT_TRUE(platform::WriteFileBytes(dir / "data_tmp.db", c.tmpDb));
    }
    CPravikWinApp app;
    app.m_Settings.m_DataFolder = dir.path();
    platform::TestUi ui;
    ui.ExpectMessageBox(platform::IDOK, dir.path().string());
    CPravikDoc doc;
    EXPECT_FALSE(doc.OnNewDocument());
    ui.VerifyAllShown();
    ASSERT_EQ(ui.shown().size(), 1u);
    EXPECT_EQ(ui.shown()[0].text,
              "Die Datenbank kann nicht eingelesen werden!\nWeder data.db noch data_tmp.db im Datenordner\n" +
                  dir.path().string() + "\nist lesbar und vollständig.\n\nIm Datenordner liegt keine vollständige "
                  "Tageskopie von data.db.");
    EXPECT_EQ(ui.shown()[0].flags, platform::MB_OK | platform::MB_ICONSTOP);
    EXPECT_TRUE(doc.m_Records.empty());
    EXPECT_TRUE(app.TestNumberIndex.empty());
    EXPECT_TRUE(app.TestRecordIdIndex.empty());
  }
  EXPECT_NE(kExitNoRecordFile, 0);
}

TEST(Document, ClosingShowsTheWaitWindow) {
  CPravikWinApp app;
  CPravikDoc doc;
  doc.OnCloseDocument();
  ASSERT_NE(app.WaitWindow(), nullptr);
  EXPECT_TRUE(app.WaitWindow()->isVisible());
}
