#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/filetool.h"
#include "support/stubs.h"
#include "support/temp_folder.h"

using platform::ReadFileBytes;
using platform::WriteFileBytes;


TEST(FileTool, EmptyFileTakesTheAppendedTextAtPositionZero) {
  TempFolder dir;
  auto path = dir / "empty.txt";
  ASSERT_TRUE(WriteFileBytes(path, ""));
  CFileTool file;
  ASSERT_TRUE(file.OpenAndRead(path));
  EXPECT_EQ(file.Size(), 1u);
  EXPECT_EQ(file.FindOrAppend("\r\n[MsgString]"), 13u);
  EXPECT_EQ(file.FindOrAppend("\r\n[MsgString]"), 13u);  // found now, not appended again
  EXPECT_TRUE(file.Dirty());
  EXPECT_TRUE(file.Close());
  EXPECT_EQ(*ReadFileBytes(path), "\r\n[MsgString]");
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(file.Size(), 0u);
}

TEST(FileTool, WritesBackOnlyAfterAnInsertAndThroughARename) {
  TempFolder dir;
  auto path = dir / "f.txt";
  ASSERT_TRUE(WriteFileBytes(path, "alpha\r\nbeta"));
  ino_t before = FileIdentity(path);
  {
    CFileTool file;
    ASSERT_TRUE(file.OpenAndRead(path));
    EXPECT_TRUE(file.Find("beta"));
  }  // the destructor closes
  EXPECT_EQ(FileIdentity(path), before);

  CFileTool file;
  ASSERT_TRUE(file.OpenAndRead(path));
  ASSERT_TRUE(file.Find("\r\n"));
  file.Insert("!");
  EXPECT_EQ(file.Cursor(), 6u);
  ASSERT_TRUE(file.Close());
  EXPECT_EQ(*ReadFileBytes(path), "alpha!\r\nbeta");
  EXPECT_NE(FileIdentity(path), before);
  int entries = 0;
  for (auto& e : std::filesystem::directory_iterator(dir.path())) (void)e, ++entries;
  EXPECT_EQ(entries, 1);
}

TEST(FileTool, FindBeforeStopsAtTheLimit) {
  TempFolder dir;
  auto path = dir / "f.txt";
  ASSERT_TRUE(WriteFileBytes(path, "[A]\r\nk=1\r\n[B]\r\nx=2"));
  CFileTool file;
  ASSERT_TRUE(file.OpenAndRead(path));
  ASSERT_TRUE(file.FindBeforeAndSkip("[A]", "\r\n["));
  EXPECT_EQ(file.Cursor(), 3u);
  // "x=" lies only behind the limit: miss, cursor on the limit, and an insert
  // goes just in front of the next section.
  EXPECT_FALSE(file.FindBefore("x=", "\r\n["));
  EXPECT_EQ(file.Cursor(), 8u);
  file.Insert("\r\nm=3");
  EXPECT_EQ(file.Content(), "[A]\r\nk=1\r\nm=3\r\n[B]\r\nx=2");
  // Without a further limit the end of the buffer is the limit.
  ASSERT_TRUE(file.Find("[B]"));
  EXPECT_TRUE(file.FindBeforeAndSkip("x=", "\r\n["));
  EXPECT_EQ(file.ReadLine(100), "2");
  file.SetCursor(0);
  EXPECT_FALSE(file.FindBefore("zzz", "\r\n["));
  EXPECT_EQ(file.Cursor(), 13u);
  EXPECT_FALSE(file.Find("zzz"));
  EXPECT_EQ(file.Cursor(), 13u);  // a missed Find leaves the cursor
}

TEST(FileTool, ReadLineStopsAtCarriageReturnEndOrCapacity) {
  TempFolder dir;
  auto path = dir / "f.txt";
  ASSERT_TRUE(WriteFileBytes(path, "first\r\nlast"));
  CFileTool file;
  ASSERT_TRUE(file.OpenAndRead(path));
  EXPECT_EQ(file.ReadLine(100), "first");
  EXPECT_EQ(file.Cursor(), 5u);
  file.SetCursor(7);
  EXPECT_EQ(file.ReadLine(3), "la");  // capacity - 1 bytes
  EXPECT_EQ(file.ReadLine(100), "st");
  EXPECT_EQ(file.Cursor(), file.Size() - 1);  // on the terminating zero
  EXPECT_EQ(file.ReadLine(100), "");
}

TEST(FileTool, OpenAndCreateFailuresAndWriteFailureKeepsTheFile) {
  TempFolder dir;
  CFileTool file;
  EXPECT_FALSE(file.OpenAndRead(dir / "missing.txt"));
  EXPECT_FALSE(file.IsOpen());
  EXPECT_FALSE(file.CreateWithText(dir / "no" / "folder.txt", "x"));

  ASSERT_TRUE(file.CreateWithText(dir / "made.txt", "#header\r\n"));
  EXPECT_EQ(*ReadFileBytes(dir / "made.txt"), "#header\r\n");
  EXPECT_EQ(file.Size(), 10u);
  file.Close();

  // Text taken for a file that does not exist yet is written only after an insert.
  file.OpenWithText(dir / "later.txt", "#h");
  EXPECT_TRUE(file.Close());
  EXPECT_FALSE(platform::FileExists(dir / "later.txt"));

  std::filesystem::create_directory(dir / "sub");
  ASSERT_TRUE(WriteFileBytes(dir / "sub" / "f.txt", "old"));
  ASSERT_TRUE(file.OpenAndRead(dir / "sub" / "f.txt"));
  file.Insert("new ");
  std::filesystem::rename(dir / "sub", dir / "moved");  // the folder is gone when closing
  EXPECT_FALSE(file.Close());
  EXPECT_EQ(*ReadFileBytes(dir / "moved" / "f.txt"), "old");
}
