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
#include "support/read_only_folder.h"
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

// A file read whole is looked at first: a named pipe without a writer, a
// folder, an endless device and a file over its kind's limit are refused at
// once (before, the pipe hung the reader forever and /dev/zero ate memory).
// Each read runs in a child that a watchdog ends should it hang.
TEST(Files, WholeFileReadsRefuseWhatIsNoRegularFileOrTooLarge) {
  TempFolder dir;
  const std::filesystem::path pipe = dir / "transfer.xml";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  auto sparse = [&dir](const char* name, std::uintmax_t size) {
    const std::filesystem::path file = dir / name;
    EXPECT_TRUE(WriteFileBytes(file, ""));
    std::filesystem::resize_file(file, size);
    return file;
  };
  const struct {
    std::filesystem::path path;
    FileKind kind;
    ReadRefusal refusal;
  } cases[] = {
      {pipe, FileKind::kLarge, ReadRefusal::kNotAFile},
      {dir.path(), FileKind::kSmall, ReadRefusal::kNotAFile},
      {"/dev/zero", FileKind::kLarge, ReadRefusal::kNotAFile},
      {sparse("kunden.dat", WholeFileLimit(FileKind::kSmall) + 1), FileKind::kSmall, ReadRefusal::kTooLarge},
      {sparse("arch_202103.xml", WholeFileLimit(FileKind::kLarge) + 1), FileKind::kLarge, ReadRefusal::kTooLarge},
      {sparse("logo.bmp", WholeFileLimit(FileKind::kBitmap) + 1), FileKind::kBitmap, ReadRefusal::kTooLarge},
      {sparse("pravik.ini", WholeFileLimit(FileKind::kSmall)), FileKind::kSmall, ReadRefusal::kNone},
  };
  enum Outcome { kAsExpected = 0, kRead = 1, kOtherRefusal = 2, kFileLinesOpened = 3, kCopied = 4 };
  for (const auto& c : cases) {
    const pid_t child = ::fork();
    if (child == 0) {
      ::alarm(20);
      ReadRefusal refusal = ReadRefusal::kNone;
      const auto bytes = ReadFileBytes(c.path, c.kind, &refusal);
      if (refusal != c.refusal) ::_exit(kOtherRefusal);
      if (bytes.has_value() != (c.refusal == ReadRefusal::kNone)) ::_exit(kRead);
      if (c.refusal == ReadRefusal::kNotAFile) {
        if (FileLines(c.path).opened()) ::_exit(kFileLinesOpened);
        if (CopyFile(c.path, std::filesystem::temp_directory_path() / ("pravik_copy_" + std::to_string(::getpid()))))
          ::_exit(kCopied);
      }
      ::_exit(kAsExpected);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << c.path << ": the read hung or crashed";
    EXPECT_EQ(WEXITSTATUS(status), kAsExpected) << c.path;
  }

  // The reporter is told of each refusal with the limit, unless the caller
  // keeps it quiet; a missing file is no refusal.
  std::vector<std::pair<std::filesystem::path, ReadRefusal>> told;
  SetRefusalReporter([&told](const std::filesystem::path& path, ReadRefusal refusal, std::uintmax_t limit) {
    EXPECT_EQ(limit, WholeFileLimit(FileKind::kSmall));
    told.emplace_back(path, refusal);
  });
  EXPECT_FALSE(ReadFileBytes(dir / "kunden.dat"));
  EXPECT_EQ(CheckWholeFile(dir.path(), FileKind::kSmall), ReadRefusal::kNotAFile);
  EXPECT_FALSE(ReadTextFile(dir.path()));
  EXPECT_FALSE(ReadFileBytes(dir.path(), FileKind::kSmall, nullptr, false));
  EXPECT_EQ(CheckWholeFile(dir / "missing", FileKind::kSmall), ReadRefusal::kNone);
  SetRefusalReporter({});
  EXPECT_EQ(told, (std::vector<std::pair<std::filesystem::path, ReadRefusal>>{{dir / "kunden.dat", ReadRefusal::kTooLarge},
                                                                              {dir.path(), ReadRefusal::kNotAFile},
                                                                              {dir.path(), ReadRefusal::kNotAFile}}));
}

// A move onto another file system whose source cannot be deleted (a
// read-only folder) leaves the file where it was and nothing in the target:
// before, a complete copy stayed there and every retry failed on it.
TEST(Files, AMoveAcrossFileSystemsLeavesTheFileInOnePlace) {
  TempFolder source;
  const std::filesystem::path target = std::filesystem::path("/dev/shm") / ("pravik_test_" + std::to_string(::getpid()));
  struct stat sourceStat {}, shmStat {};
  if (::stat("/dev/shm", &shmStat) != 0 || ::stat(source.path().c_str(), &sourceStat) != 0 ||
      shmStat.st_dev == sourceStat.st_dev)
    GTEST_SKIP() << "no second file system at /dev/shm";
  ASSERT_TRUE(CreateFolder(target));
  ::chmod(target.c_str(), 0777);
  struct Cleanup {
    std::filesystem::path folder;
    ~Cleanup() { std::filesystem::remove_all(folder); }
  } cleanup{target};
  ASSERT_TRUE(WriteFileBytes(source / "a.pvm", "mixture a"));
  ASSERT_TRUE(WriteFileBytes(target / "b.pvm", "older b"));
  ASSERT_TRUE(WriteFileBytes(source / "b.pvm", "newer b"));
  {
    ReadOnlyFolder locked(source.path());
    EXPECT_FALSE(MoveFile(source / "a.pvm", target / "a.pvm", false));
    EXPECT_FALSE(MoveFile(source / "b.pvm", target / "b.pvm", true));
  }
  EXPECT_EQ(ReadFileBytes(source / "a.pvm"), "mixture a");
  EXPECT_FALSE(std::filesystem::exists(target / "a.pvm"));
  EXPECT_EQ(ReadFileBytes(target / "b.pvm"), "older b");  // the overwritten target came back
  EXPECT_EQ(ReadFileBytes(source / "b.pvm"), "newer b");
  // Nothing else in the target folder (no temporary copy left).
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(target), std::filesystem::directory_iterator()), 1);

  // Once the source may go, the moves succeed.
  EXPECT_FALSE(MoveFile(source / "a.pvm", target / "b.pvm", false));  // never over an existing file
  EXPECT_TRUE(MoveFile(source / "a.pvm", target / "a.pvm", false));
  EXPECT_TRUE(MoveFile(source / "b.pvm", target / "b.pvm", true));
  EXPECT_EQ(ReadFileBytes(target / "a.pvm"), "mixture a");
  EXPECT_EQ(ReadFileBytes(target / "b.pvm"), "newer b");
  EXPECT_TRUE(std::filesystem::is_empty(source.path()));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(target), std::filesystem::directory_iterator()), 2);
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
