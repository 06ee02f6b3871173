#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files.h"
#include "platform/inifile.h"
#include "support/stubs.h"
#include "support/temp_folder.h"

using namespace platform;

namespace {

const std::filesystem::path kWindowsIni = std::filesystem::path(PRAVIK_FIXTURES) / "ini" / "windows.ini";

std::string FixtureBytes() { return *ReadFileBytes(kWindowsIni); }

// A copy of the fixture to change.
std::filesystem::path CopyFixture(const TempFolder& dir) {
  auto path = dir / "pravik.ini";
  EXPECT_TRUE(CopyFile(kWindowsIni, path));
  return path;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  auto pos = text.find(from);
  EXPECT_NE(pos, std::string::npos) << from;
  return text.replace(pos, from.size(), to);
}

}  // namespace

TEST(IniFile, ReadsThePrivateProfileRules) {
  struct Case {
    const char* section;
    const char* key;
    const char* def;
    std::size_t size;
    const char* expected;
  } cases[] = {
      {"General", "LangCode", "x", 4096, "en"},           // first of two sections differing in case
      {"general", "LANGCODE", "x", 4096, "en"},           // names are case-insensitive
      {" General ", " LangCode ", "x", 4096, "en"},       // names are trimmed
      {"General", "PrintGerman", "1", 4096, ""},          // empty value: no default
      {"General", "Missing", "def  ", 4096, "def"},       // default loses trailing blanks
      {"Missing", "LangCode", "d", 4096, "d"},
      {"General", "NoEquals", "d", 4096, "d"},            // a line without "=" holds no value
      {"General", "Quoted", "", 4096, "  spaced  "},      // quotes stripped, inner blanks kept
      {"General", "Single", "", 4096, "x"},
      {"General", "Mismatch", "", 4096, "\"x'"},          // quotes that do not match stay
      {"General", "Lonely", "", 4096, "\""},
      {"General", "Semi", "", 4096, "a;b,c\\d"},          // ; , \ are plain characters
      {"Archivierung", "Ordner", "", 4096, "C:\\Daten\\Werk 3\\archiv"},
      {"Layout", "color1", "", 4096, "0,128,0"},          // indented key, blanks around "=" and at the end
      {"General", "LangCode", "", 2, "e"},                // at most size - 1 characters
      {"General", "LangCode", "", 1, ""},
      {"General", "Missing", "abcdef", 4, "abc"},
      {"Allgemeines", "GRÖSSE", "d", 4096, "d"},          // no such key
      {"allgemeines", "größe", "", 4096, "Maß° €"},       // code page 1252, case-insensitive umlauts
      {"Allgemeines", "Größe", "", 4, "Maß"},             // the limit counts characters
      {"General", "; a comment inside", "d", 4096, "d"},  // comments are no keys
  };
  for (const auto& c : cases)
    EXPECT_EQ(GetPrivateProfileString(c.section, c.key, c.def, c.size, kWindowsIni), c.expected)
        << c.section << "/" << c.key << " size " << c.size;
}

TEST(IniFile, ReadsIntegersAsALeadingDecimalNumber) {
  struct Case {
    const char* key;
    int def;
    int expected;
  } cases[] = {
      {"NoDatasaveInfo", 7, 0},  // no number: 0, not the default
      {"PrintLogo", 7, 12},      // leading number of " 12x"
      {"PrintGerman", 5, 5},     // empty value: the default
      {"Missing", 9, 9},
      {"Number", 0, -42},        // quotes stripped first
      {"Single", 3, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(GetPrivateProfileInt("General", c.key, c.def, kWindowsIni), c.expected) << c.key;
  EXPECT_EQ(GetPrivateProfileInt("layout", "COLOR0", 1, kWindowsIni), 255);
}

TEST(IniFile, MissingOrUnreadableFileGivesDefaults) {
  TempFolder dir;
  EXPECT_EQ(GetPrivateProfileString("General", "LangCode", "de", 4096, dir / "none.ini"), "de");
  EXPECT_EQ(GetPrivateProfileInt("General", "PrintLogo", 1, dir / "none.ini"), 1);
  std::filesystem::create_directory(dir / "folder.ini");
  EXPECT_EQ(GetPrivateProfileString("General", "LangCode", "de", 4096, dir / "folder.ini"), "de");
  EXPECT_TRUE(GetPrivateProfileSectionNames(dir / "none.ini").empty());
}

TEST(IniFile, WritingAKeyChangesOnlyItsLine) {
  TempFolder dir;
  auto path = CopyFixture(dir);
  const std::string original = FixtureBytes();

  // An existing key keeps its spelling and line end; every other byte stays.
  // "General" is a section like any other.
  ASSERT_TRUE(WritePrivateProfileString("GENERAL", "langcode", "fr", path));
  std::string expected = Replaced(original, "LangCode=en\r\n", "LangCode=fr\r\n");
  EXPECT_EQ(*ReadFileBytes(path), expected);

  // A new key goes behind the last line of its section, in front of the blank line.
  ASSERT_TRUE(WritePrivateProfileString("Layout", "color2", "0,0,255,3,1,0", path));
  expected = Replaced(expected, "  Color1 = 0,128,0 \r\n", "  Color1 = 0,128,0 \r\ncolor2=0,0,255,3,1,0\r\n");
  EXPECT_EQ(*ReadFileBytes(path), expected);

  // A new section goes to the end.
  ASSERT_TRUE(WritePrivateProfileString("Statistik", "Pfad", "D:\\stat;1,2", path));
  expected += "[Statistik]\r\nPfad=D:\\stat;1,2\r\n";
  EXPECT_EQ(*ReadFileBytes(path), expected);

  // Values are written in code page 1252 and read back unchanged.
  ASSERT_TRUE(WritePrivateProfileString("Allgemeines", "Größe", "Maß°\\x;y", path));
  expected = Replaced(expected, "Gr\xF6\xDF" "e=Ma\xDF\xB0 \x80\r\n", "Gr\xF6\xDF" "e=Ma\xDF\xB0\\x;y\r\n");
  EXPECT_EQ(*ReadFileBytes(path), expected);
  EXPECT_EQ(GetPrivateProfileString("Allgemeines", "größe", "", 4096, path), "Maß°\\x;y");
}

TEST(IniFile, UnchangedValueDoesNotRewriteTheFile) {
  TempFolder dir;
  auto path = CopyFixture(dir);
  ino_t before = FileIdentity(path);
  ASSERT_TRUE(WritePrivateProfileString("General", "LangCode", "en", path));
  EXPECT_EQ(FileIdentity(path), before);
  ASSERT_TRUE(WritePrivateProfileString("General", "LangCode", "it", path));
  EXPECT_NE(FileIdentity(path), before);  // replaced through a temporary file
  int entries = 0;
  for (auto& e : std::filesystem::directory_iterator(dir.path())) (void)e, ++entries;
  EXPECT_EQ(entries, 1);
}

TEST(IniFile, CreatesFilesAndEndsTheLastLine) {
  TempFolder dir;
  ASSERT_TRUE(WritePrivateProfileString("General", "LangCode", "de", dir / "new.ini"));
  EXPECT_EQ(*ReadFileBytes(dir / "new.ini"), "[General]\r\nLangCode=de\r\n");

  ASSERT_TRUE(WriteFileBytes(dir / "open.ini", "[a]\r\nx=1"));
  ASSERT_TRUE(WritePrivateProfileString("a", "y", "2", dir / "open.ini"));
  EXPECT_EQ(*ReadFileBytes(dir / "open.ini"), "[a]\r\nx=1\r\ny=2\r\n");

  EXPECT_FALSE(WritePrivateProfileString("a", "b", "c", dir / "no" / "folder.ini"));
}

TEST(IniFile, LineFeedOnlyFilesAreReadAndKept) {
  TempFolder dir;
  auto path = dir / "lf.ini";
  ASSERT_TRUE(WriteFileBytes(path, "[s]\nk = v\n\n[t]\nz=1\n"));
  EXPECT_EQ(GetPrivateProfileString("s", "k", "", 4096, path), "v");
  ASSERT_TRUE(WritePrivateProfileString("s", "n", "2", path));
  // Other lines keep their line ends; a new line ends with CR LF.
  EXPECT_EQ(*ReadFileBytes(path), "[s]\nk = v\nn=2\r\n\n[t]\nz=1\n");
}

TEST(IniFile, RefusesWhatALineCannotHoldAndNeverOverwritesAnUnreadableFile) {
  TempFolder dir;
  auto path = CopyFixture(dir);
  const std::string original = FixtureBytes();
  EXPECT_FALSE(WritePrivateProfileString("General", "a=b", "1", path));
  EXPECT_FALSE(WritePrivateProfileString("General", "k", "two\r\nlines", path));
  EXPECT_FALSE(WritePrivateProfileString("Gen]eral", "k", "1", path));
  EXPECT_FALSE(WritePrivateProfileString("General", "  ", "1", path));
  EXPECT_FALSE(WritePrivateProfileString("", "k", "1", path));
  EXPECT_EQ(*ReadFileBytes(path), original);

  std::filesystem::create_directory(dir / "folder.ini");
  EXPECT_FALSE(WritePrivateProfileString("General", "k", "1", dir / "folder.ini"));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.ini"));
}

// A NUL byte is a plain character of a value (and of names): what was set is
// given back, and a file holding one keeps it through other writes.
TEST(IniFile, NulBytesRoundTrip) {
  TempFolder dir;
  const auto file = dir / "nul.ini";
  for (const std::string& value : {std::string("a\0b", 3), std::string(1, '\0'), std::string("ab\0", 3)}) {
    ASSERT_TRUE(WritePrivateProfileString("S", "K", value, file));
    EXPECT_EQ(GetPrivateProfileString("S", "K", "<none>", kProfileBufferSize, file), value);
    const std::string key("k\0x", 3);
    ASSERT_TRUE(WritePrivateProfileString("S", key, "v", file));
    EXPECT_EQ(GetPrivateProfileString("S", key, "<none>", kProfileBufferSize, file), "v");
    EXPECT_EQ(GetPrivateProfileString("S", "kx", "<none>", kProfileBufferSize, file), "<none>");
  }
  const std::string bytes("[S]\r\nK=a\0b\r\nL=c\r\n", 17);
  ASSERT_TRUE(WriteFileBytes(file, bytes));
  ASSERT_TRUE(WritePrivateProfileString("S", "L", "x", file));
  EXPECT_EQ(GetPrivateProfileString("S", "K", "<none>", kProfileBufferSize, file), std::string("a\0b", 3));
  EXPECT_EQ(*ReadFileBytes(file), std::string("[S]\r\nK=a\0b\r\nL=x\r\n", 17));
}

TEST(IniFile, DeletesKeysAndSections) {
  TempFolder dir;
  auto path = CopyFixture(dir);
  std::string expected = FixtureBytes();

  ASSERT_TRUE(DeletePrivateProfileKey("general", "PRINTLOGO", path));
  expected = Replaced(expected, "PrintLogo= 12x\r\n", "");
  EXPECT_EQ(*ReadFileBytes(path), expected);
  EXPECT_EQ(GetPrivateProfileInt("General", "PrintLogo", 1, path), 1);

  ASSERT_TRUE(DeletePrivateProfileKey("General", "NotThere", path));
  ASSERT_TRUE(DeletePrivateProfileKey("NoSection", "x", path));
  EXPECT_EQ(*ReadFileBytes(path), expected);

  ASSERT_TRUE(DeletePrivateProfileSection("layout", path));
  expected = Replaced(expected, "[Layout]\r\ncolor0=255,0,0,2,0,0\r\n  Color1 = 0,128,0 \r\n\r\n", "");
  EXPECT_EQ(*ReadFileBytes(path), expected);
  EXPECT_EQ(GetPrivateProfileString("Layout", "color0", "none", 4096, path), "none");
}

TEST(IniFile, ListsAndReplacesSections) {
  TempFolder dir;
  auto path = CopyFixture(dir);
  EXPECT_EQ(GetPrivateProfileSectionNames(path),
            (std::vector<std::string>{"Archivierung", "Layout", "General", "Allgemeines", "general"}));
  EXPECT_EQ(GetPrivateProfileKeyNames("Layout", path), (std::vector<std::string>{"color0", "Color1"}));
  auto general = GetPrivateProfileSection("General", path);
  ASSERT_EQ(general.size(), 11u);  // the comment is left out
  EXPECT_EQ(general[5], "Quoted=\"  spaced  \"");  // values as stored
  EXPECT_EQ(general[10], "NoEquals");

  ASSERT_TRUE(WritePrivateProfileSection("Layout", {"color5 = 1,2,3", "x=y"}, path));
  std::string expected = Replaced(FixtureBytes(), "color0=255,0,0,2,0,0\r\n  Color1 = 0,128,0 \r\n",
                                  "color5=1,2,3\r\nx=y\r\n");
  EXPECT_EQ(*ReadFileBytes(path), expected);
  EXPECT_EQ(GetPrivateProfileString("Layout", "COLOR5", "", 4096, path), "1,2,3");
  EXPECT_FALSE(WritePrivateProfileSection("Layout", {"a=1\nb=2"}, path));
}
