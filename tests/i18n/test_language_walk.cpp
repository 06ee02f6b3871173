// The shipped English language file against the program as a user meets it:
// the program started in English on a fresh demo installation and walked
// through every menu command, toolbar button, form button, the context menu,
// the status sort chooser, every panel test of one record of each kind and a
// print of each kind. A text the file does not hold is added to it by the
// program itself (marked "#" without a translation tool); whatever was added
// is missing from the shipped file. In German the same walk leaves the
// language file alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/files.h"
#include "support/demo_walk.h"

namespace {

namespace fs = std::filesystem;

// The lines of a language file, without line ends.
std::vector<std::string> Lines(const fs::path& file) {
  std::vector<std::string> lines;
  const std::string bytes = platform::ReadFileBytes(file).value_or("");
  size_t start = 0;
  while (start <= bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// The entries of the walked file that the shipped one lacks, each under the
// section it was added to.
std::string AddedEntries(const fs::path& shipped, const fs::path& walked) {
  const std::vector<std::string> before = Lines(shipped);
  const std::multiset<std::string> had(before.begin(), before.end());
  std::string added, section, lastSection;
  for (const std::string& line : Lines(walked)) {
    if (!line.empty() && line.front() == '[') section = line;
    if (line.empty() || had.count(line)) continue;
    if (section != lastSection) added += section + "\n";
    lastSection = section;
    added += line + "\n";
  }
  return added;
}

using LanguageWalk = DemoWalk;

TEST_F(LanguageWalk, EveryWindowOfTheDemoFindsItsEnglishInTheShippedFile) {
  WalkEverywhere("en");
  Close();

  EXPECT_EQ(AddedEntries(kShippedEnglish, program_ / "PravikLang-en.txt"), "")
      << "the shipped English language file lacks these texts (\"#\" and the German text as the program shows them)";
}

// A data folder held by someone else: the notice that says who.
TEST_F(LanguageWalk, TheLockNoticeFindsItsEnglish) {
  ASSERT_TRUE(platform::WriteFileBytes(program_ / "demo-data" / "lock.lck",
                                       "[labor-2][mueller][20250612083000][C:\\Pravik\\pravik.exe]"));
  ASSERT_TRUE(platform::WriteFileBytes(program_ / "demo-data" / "pravik.ini", "[General]\r\nLangCode=en\r\n"));
  ui_.LookAt(538, [](platform::DialogDriver& d) {
    static_cast<CWerkauswahlDlg&>(d.dialog()).SelectRow(0);
    d.Press(platform::IDOK);
  });
  CStartup startup(app_, options_);
  EXPECT_FALSE(startup.InitInstance());
  EXPECT_TRUE(ui_.Saw(platform::UiKind::kDialog, "")) << "the notice";
  EXPECT_EQ(AddedEntries(kShippedEnglish, program_ / "PravikLang-en.txt"), "");
}

// In German the same windows leave the language file as it was.
TEST_F(LanguageWalk, GermanTranslatesNothing) {
  StartIn("de");
  Select(kOneOfEachKind[0]);
  EveryMenuCommand();
  EveryFormButton();
  for (const std::string& number : kOneOfEachKind) EveryPanelTest(number);
  Close();
  EXPECT_EQ(platform::ReadFileBytes(program_ / "PravikLang-en.txt"), platform::ReadFileBytes(kShippedEnglish));
  EXPECT_FALSE(ui_.Saw(platform::UiKind::kDialog, "#"));
  EXPECT_FALSE(ui_.Saw(platform::UiKind::kMessageBox, "#"));
}

}  // namespace
