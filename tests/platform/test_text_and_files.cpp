#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <clocale>
#include <filesystem>

#include "platform/datetime.h"
#include "platform/files.h"
#include "platform/messagebox.h"
#include "platform/numbers.h"
#include "platform/textcodec.h"
#include "platform/textfile.h"
#include "support/temp_folder.h"

using namespace platform;

TEST(Cp1252, AllBytesRoundTrip) {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes.push_back(static_cast<char>(b));
  std::string utf8 = FromCp1252(bytes);
  EXPECT_EQ(ToCp1252(utf8), bytes);
}

TEST(Cp1252, KnownCharacters) {
  struct Case { std::string cp; std::string utf8; } cases[] = {
      {"\x80", "€"}, {"\xB0", "°"}, {"\xBF", "¿"}, {"\xE4\xF6\xFC\xDF", "äöüß"},
      {"\x81", "\xC2\x81"}, {"\x9D", "\xC2\x9D"}, {"\x84", "„"}, {"\x96", "–"}};
  for (const auto& c : cases) {
    EXPECT_EQ(FromCp1252(c.cp), c.utf8);
    EXPECT_EQ(ToCp1252(c.utf8), c.cp);
  }
}

TEST(Cp1252, UnrepresentableBecomesQuestionMark) {
  EXPECT_EQ(ToCp1252("a≤b"), "a?b");
  EXPECT_EQ(ToCp1252("x\xC3"), "x?");          // cut sequence
  EXPECT_EQ(ToCp1252("\xFF\xFEz"), "??z");      // bytes that are no UTF-8
  EXPECT_EQ(ToCp1252("\xC2\x85"), "?");         // C1 control not in the code page
}

// The fast conversions give what the byte-by-byte ones give, for every byte
// value at every place of the eight-byte words the fast paths read: inside,
// before and after runs of ASCII, alone and in the UTF-8 of its character.
TEST(Cp1252, FastPathsMatchThePlainOnesOnEveryByte) {
  std::vector<std::string> texts;
  const std::string run = "Sieblinie 0/32 DIN";  // longer than two words
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const std::string utf8 = plain::FromCp1252(byte);
    for (const std::string& piece : {byte, utf8, byte + byte, utf8 + byte}) {
      for (size_t at = 0; at <= 17; ++at) {
        texts.push_back(run.substr(0, at) + piece);
        texts.push_back(run.substr(0, at) + piece + run);
      }
      texts.push_back(piece + run + piece);
      texts.push_back(piece.substr(0, piece.size() - 1) + run);  // a cut sequence
    }
  }
  std::string all;  // every byte, then every character
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  texts.push_back(all);
  texts.push_back(plain::FromCp1252(all));
  texts.push_back("");
  for (const std::string& text : texts) {
    ASSERT_EQ(FromCp1252(text), plain::FromCp1252(text)) << testing::PrintToString(text);
    ASSERT_EQ(ToCp1252(text), plain::ToCp1252(text)) << testing::PrintToString(text);
    // Decoding is lossless, whatever the bytes.
    ASSERT_EQ(ToCp1252(FromCp1252(text)), text) << testing::PrintToString(text);
  }
}

TEST(TextFile, CrLfAndCodePageOnDisk) {
  TempFolder dir;
  auto path = dir / "t.txt";
  ASSERT_TRUE(WriteTextFile(path, "Prüf-Nr.\nzweite\n"));
  EXPECT_EQ(*ReadFileBytes(path), "Pr\xFC" "f-Nr.\r\nzweite\r\n");
  EXPECT_EQ(*ReadTextFile(path), "Prüf-Nr.\nzweite\n");
  auto lines = *ReadTextLines(path);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "Prüf-Nr.");
}

TEST(TextFile, LoneCarriageReturnsSurvive) {
  std::string disk = "a\rb\r\r\nc\r\n";
  EXPECT_EQ(EncodeText(DecodeText(disk)), disk);
}

TEST(Files, AtomicWriteReplacesAndLeavesNoTemporary) {
  TempFolder dir;
  auto path = dir / "f.db";
  ASSERT_TRUE(WriteFileAtomic(path, "old"));
  ASSERT_TRUE(WriteFileAtomic(path, "new content"));
  EXPECT_EQ(*ReadFileBytes(path), "new content");
  EXPECT_EQ(*FileSize(path), 11u);
  int entries = 0;
  for (auto& e : std::filesystem::directory_iterator(dir.path())) (void)e, ++entries;
  EXPECT_EQ(entries, 1);
}

TEST(Files, FailuresAreReported) {
  TempFolder dir;
  EXPECT_FALSE(ReadFileBytes(dir / "missing"));
  EXPECT_FALSE(CopyFile(dir / "missing", dir / "x"));
  EXPECT_FALSE(WriteFileAtomic(dir / "no" / "such" / "folder.txt", "x"));
  EXPECT_FALSE(MoveFile(dir / "missing", dir / "y"));
  ASSERT_TRUE(CreateFolder(dir / "a" / "b"));
  EXPECT_TRUE(FolderExists(dir / "a" / "b"));
  ASSERT_TRUE(WriteFileBytes(dir / "a" / "f", "1"));
  EXPECT_TRUE(CopyFile(dir / "a" / "f", dir / "a" / "f2", true));
  EXPECT_FALSE(CopyFile(dir / "a" / "f", dir / "a" / "f2", false));
  EXPECT_TRUE(MoveFile(dir / "a" / "f", dir / "a" / "g"));
  EXPECT_FALSE(FileExists(dir / "a" / "f"));
  EXPECT_TRUE(DeleteFile(dir / "a" / "g"));
  EXPECT_FALSE(DeleteFile(dir / "a" / "g"));
}

// A copy that the disk refuses half way (here: a file size limit) leaves no
// truncated file behind that would pass for the copy, nor blocks the name.
TEST(Files, FailedCopyLeavesNoPartialFile) {
  TempFolder dir;
  ASSERT_TRUE(WriteFileBytes(dir / "mixture.pvm", std::string(64 * 1024, 'm')));
  ASSERT_TRUE(WriteFileBytes(dir / "older.pvm", "old"));
  const pid_t child = ::fork();
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const struct rlimit limit = {4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const bool fresh = CopyFile(dir / "mixture.pvm", dir / "copy.pvm", false);
    const bool over = CopyFile(dir / "mixture.pvm", dir / "older.pvm", true);
    ::_exit(fresh || over ? 1 : 0);
  }
  int status = -1;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "a copy was reported as made";
  EXPECT_FALSE(std::filesystem::exists(dir / "copy.pvm"));
  EXPECT_FALSE(std::filesystem::exists(dir / "older.pvm"));
  EXPECT_EQ(*ReadFileBytes(dir / "mixture.pvm"), std::string(64 * 1024, 'm'));
}

// A file replaced through a temporary file keeps what a shared data folder
// gave it: its mode, owner and group.
TEST(Files, ReplacementKeepsModeAndGroup) {
  TempFolder dir;
  const std::filesystem::path file = dir / "kunden.dat";
  ASSERT_TRUE(WriteFileBytes(file, "old"));
  ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
  struct stat before {};
  ASSERT_EQ(::stat(file.c_str(), &before), 0);
  // Another group than the process's own, where the process may give one.
  const gid_t group = ::getuid() == 0 ? 4242 : before.st_gid;
  ASSERT_EQ(::chown(file.c_str(), static_cast<uid_t>(-1), group), 0);
  const mode_t umaskBefore = ::umask(022);

  ASSERT_TRUE(WriteFileAtomic(file, "new"));
  ::umask(umaskBefore);
  struct stat after {};
  ASSERT_EQ(::stat(file.c_str(), &after), 0);
  EXPECT_EQ(after.st_mode & 07777, 0640u);
  EXPECT_EQ(after.st_gid, group);
  EXPECT_EQ(after.st_uid, before.st_uid);
  EXPECT_EQ(*ReadFileBytes(file), "new");
}

// Temporary files of killed writers go; those a running process holds, and
// other files, stay.
TEST(Files, OrphanedTemporaryFilesAreRemoved) {
  TempFolder dir;
  const pid_t ended = ::fork();
  if (ended == 0) ::_exit(0);
  ::waitpid(ended, nullptr, 0);
  const std::string self = std::to_string(::getpid());
  const std::string gone = std::to_string(ended);
  const struct {
    std::string name;
    bool stays;
  } files[] = {
      {".data.db.tmp" + gone + "_123_0", false},     // its writer has ended
      {".pravik.ini.tmp" + self + "_1_7", false},    // its writer runs but does not hold it
      {".data_tmp.db.tmp" + self + "_1_8", true},    // held open below
      {"data.db.tmp" + gone + "_1_2", true},         // not a hidden temporary name
      {".data.db.tmp" + gone, true},                 // incomplete name
      {".data.db.tmp" + gone + "_1_2x", true},
      {"data.db", true},
  };
  for (const auto& f : files) ASSERT_TRUE(WriteFileBytes(dir / f.name, "x"));
  const int held = ::open((dir / files[2].name).c_str(), O_RDONLY);
  ASSERT_GE(held, 0);

  EXPECT_TRUE(RemoveOrphanedTemporaryFiles(dir.path()).empty());
  ::close(held);
  for (const auto& f : files) EXPECT_EQ(std::filesystem::exists(dir / f.name), f.stays) << f.name;
}

TEST(Numbers, FormatFixedRoundsLikePrintf) {
  struct Case { double v; int n; const char* out; } cases[] = {
      {2.25, 1, "2.2"}, {2.35, 1, "2.4"}, {0.125, 2, "0.12"}, {-1.5, 0, "-2"},
      {1234.5678, 2, "1234.57"}, {0.0, 3, "0.000"}, {-0.0, 1, "-0.0"}, {1e20, 0, "100000000000000000000"}};
  for (const auto& c : cases) EXPECT_EQ(FormatFixed(c.v, c.n), c.out) << c.v;
  EXPECT_EQ(FormatFixed(1.0 / 0.0, 2), "");
}

TEST(Numbers, FormattingIgnoresTheProcessLocale) {
  const char* saved = std::setlocale(LC_NUMERIC, nullptr);
  std::string keep = saved ? saved : "C";
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
    EXPECT_EQ(FormatFixed(3.5, 1), "3.5");
    EXPECT_DOUBLE_EQ(ParseDouble("3.5"), 3.5);
  }
  std::setlocale(LC_NUMERIC, keep.c_str());
}

TEST(Numbers, ParseDoubleReadsThePrefix) {
  struct Case { const char* text; double value; size_t used; } cases[] = {
      {"1.5 t", 1.5, 3}, {"  -2.25x", -2.25, 8 - 1}, {"+.5", 0.5, 3}, {"12,5", 12, 2},
      {"", 0, 0}, {"abc", 0, 0}, {"-", 0, 0}, {"1e3", 1000, 3}, {"1e", 1, 1},
      {"inf", 0, 0}, {"nan", 0, 0}, {"1e999", 1.7976931348623157e308, 5}, {"5.", 5, 2}};
  for (const auto& c : cases) {
    size_t used = 99;
    EXPECT_DOUBLE_EQ(ParseDouble(c.text, &used), c.value) << c.text;
    EXPECT_EQ(used, c.used) << c.text;
  }
}

TEST(Numbers, ParseIntLikeAtoi) {
  EXPECT_EQ(ParseInt(" 42abc"), 42);
  EXPECT_EQ(ParseInt("-7"), -7);
  EXPECT_EQ(ParseInt("x1"), 0);
  EXPECT_EQ(ParseInt("99999999999"), 2147483647);
}

TEST(DateTime, PinnedClock) {
  std::tm tm {};
  tm.tm_year = 126; tm.tm_mon = 11; tm.tm_mday = 10; tm.tm_hour = 9; tm.tm_min = 5; tm.tm_sec = 7;
  tm.tm_isdst = -1;
  SetClockOverride(std::mktime(&tm));
  EXPECT_EQ(FormatLocalTime("%Y%m%d"), "20261210");
  EXPECT_EQ(FormatLocalTime("%y%m%d%H%M%S"), "261210090507");
  SetClockOverride(std::nullopt);
}

TEST(MessageBoxes, ScriptedAnswersAndDefaults) {
  ScriptedMessageBoxes boxes;
  EXPECT_EQ(ShowMessageBox("a", MB_YESNO | MB_ICONQUESTION), IDYES);
  EXPECT_EQ(ShowMessageBox("b", MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
  boxes.Answer(IDNO);
  EXPECT_EQ(ShowMessageBox("c", MB_YESNO), IDNO);
  ASSERT_EQ(boxes.shown().size(), 3u);
  EXPECT_EQ(boxes.shown()[0].caption, "Pravik");
  EXPECT_EQ(boxes.shown()[0].flags & MB_ICONMASK, MB_ICONQUESTION);
}
