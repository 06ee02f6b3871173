// A data folder on a network share: reads read again while a stale cache may
// cut them off, no write into a held folder that is no longer ours, and the
// result of flushing a folder after a rename.
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/sharedfolder.h"
#include "support/share_seams.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;
using std::chrono::milliseconds;

TEST(SharedFolder, AReadThatFailsIsReadAgainOnlyOnANetworkFileSystem) {
  struct Case {
    const char* name;
    bool network;
    bool fileExists;
    int soundFromRead;  // the read that first succeeds; 0: none
    bool result;
    size_t reads;
  } cases[] = {
      {"local: one read", false, true, 2, false, 1},
      {"network: sound at once", true, true, 1, true, 1},
      {"network: the third read is complete", true, true, 3, true, 3},
      {"network: never complete", true, true, 0, false, 6},
      {"network: no such file", true, false, 0, false, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder dir;
    if (c.fileExists) {
      ASSERT_TRUE(platform::WriteFileBytes(dir / "data.db", "x"));
    }
    ShareSeams seams(c.network);
    size_t reads = 0;
    EXPECT_EQ(platform::ReadAgainWhileStale(dir / "data.db",
                                            [&] { return static_cast<int>(++reads) == c.soundFromRead; }),
              c.result);
    EXPECT_EQ(reads, c.reads);
    ASSERT_EQ(seams.pauses.size(), reads - 1);
    // Growing pauses that together outlast a cache of a few seconds.
    milliseconds total{0};
    for (size_t i = 0; i < seams.pauses.size(); ++i) {
      if (i > 0) {
        EXPECT_GT(seams.pauses[i], seams.pauses[i - 1]);
      }
      total += seams.pauses[i];
    }
    if (c.reads == 6) {
      EXPECT_GE(total, milliseconds(5000));
    }
  }
}

TEST(SharedFolder, LocalFoldersAreNoNetworkFileSystem) {
  TempFolder dir;
  EXPECT_FALSE(platform::OnNetworkFileSystem(dir.path()));
  EXPECT_FALSE(platform::OnNetworkFileSystem(dir / "not-yet" / "data.db"));
}

// A held folder that is no longer ours (gone, replaced, locked by someone
// else) gets nothing from any writer; other folders are written as ever.
TEST(SharedFolder, WritersWriteNothingIntoAHeldFolderThatIsNoLongerOurs) {
  TempFolder dir;
  const fs::path held = dir / "daten";
  const fs::path other = dir / "anderswo";
  ASSERT_TRUE(platform::CreateFolder(held / "archiv"));
  ASSERT_TRUE(platform::CreateFolder(other));
  ASSERT_TRUE(platform::WriteFileBytes(other / "source", "bytes"));
  bool ours = false;
  int checks = 0;
  platform::HoldFolder(held, [&] {
    ++checks;
    return ours;
  });
  using Writer = std::function<bool(const fs::path& folder)>;
  const std::pair<const char*, Writer> writers[] = {
      {"WriteFileBytes", [](const fs::path& f) { return platform::WriteFileBytes(f / "a", "x"); }},
      {"WriteFileAtomic", [](const fs::path& f) { return platform::WriteFileAtomic(f / "a", "x"); }},
      {"WriteFileAtomic in pieces",
       [](const fs::path& f) {
         return platform::WriteFileAtomic(f / "a", [](const platform::PieceWriter& w) { return w("x"); });
       }},
      {"CopyFile", [&](const fs::path& f) { return platform::CopyFile(other / "source", f / "a"); }},
      {"CopyFileAtomic", [&](const fs::path& f) { return platform::CopyFileAtomic(other / "source", f / "a"); }},
      {"MoveFile",
       [&](const fs::path& f) {
         return platform::WriteFileBytes(other / "moved", "m") && platform::MoveFile(other / "moved", f / "a");
       }},
  };
  for (const auto& [name, write] : writers) {
    SCOPED_TRACE(name);
    for (const fs::path& folder : {held, held / "archiv", held / "archiv" / ".." / "archiv"}) {
      ours = false;
      checks = 0;
      EXPECT_FALSE(write(folder)) << folder;
      EXPECT_GT(checks, 0);
      EXPECT_FALSE(fs::exists(folder / "a"));
      EXPECT_TRUE(fs::is_empty(held / "archiv"));
      ours = true;
      EXPECT_TRUE(write(folder));
      EXPECT_TRUE(fs::exists(folder / "a"));
      fs::remove(folder / "a");
    }
    // Beside the held folder the check is not asked.
    ours = false;
    checks = 0;
    EXPECT_TRUE(write(dir / "anderswo"));
    EXPECT_EQ(checks, 0);
    fs::remove(other / "a");
  }
  platform::ReleaseHeldFolder(held);
  ours = false;
  EXPECT_TRUE(platform::WriteFileAtomic(held / "a", "x"));
  EXPECT_TRUE(platform::HeldFolderReachable(held / "a"));
}

TEST(SharedFolder, AFailedFlushOfTheFolderFailsTheReplaceUnlessItCannotFlushFolders) {
  struct Case {
    int error;
    bool replaced;
  } cases[] = {
      {0, true},       {EINVAL, true}, {ENOTSUP, true}, {EOPNOTSUPP, true}, {ENOSYS, true},
      {EBADF, true},   {EIO, false},   {ENOSPC, false}, {EDQUOT, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.error);
    TempFolder dir;
    std::vector<fs::path> flushed;
    platform::SetFolderSyncOverride([&](const fs::path& folder) {
      flushed.push_back(folder);
      return c.error;
    });
    ASSERT_TRUE(platform::WriteFileBytes(dir / "neu", "new"));
    ASSERT_TRUE(platform::WriteFileBytes(dir / "data.db", "old"));
    const bool replaced = platform::ReplaceFile(dir / "neu", dir / "data.db");
    const bool written = platform::WriteFileAtomic(dir / "ini", "x");
    platform::SetFolderSyncOverride(nullptr);
    EXPECT_EQ(replaced, c.replaced);
    EXPECT_EQ(written, c.replaced);
    EXPECT_EQ(flushed, std::vector<fs::path>({dir.path(), dir.path()}));
  }
}
