// The shipped English language file against the program's own list of text
// ids, read from its sources (tools/text_catalogue.h; build/bin/text_ids
// prints the entries still missing).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "platform/files.h"
#include "tools/text_catalogue.h"

namespace {

namespace fs = std::filesystem;
using textcatalogue::TextUse;

const fs::path kSourceRoot = fs::path(PRAVIK_FIXTURES) / ".." / "..";
const fs::path kShippedEnglish = kSourceRoot / "resources" / "programfolder" / "PravikLang-en.txt";

std::string Where(const TextUse& use) { return use.file + ":" + std::to_string(use.line); }

TEST(TextCatalogue, FindsTheTextsOfTheCodeAndNotItsControlsOrCoordinates) {
  struct Case {
    const char* source;
    std::vector<std::pair<int, std::string>> texts;
  } cases[] = {
      {"x = TranslateString(5207, \"Plattigkeitskennzahl [%]:\");", {{5207, "Plattigkeitskennzahl [%]:"}}},
      {"dc.TextOut(x, y, PrintText(1039, \"Material mit\"\n  \" gleichem Siebturm\"));",
       {{1039, "Material mit gleichem Siebturm"}}},
      {"constexpr int kSaveFailedTextId = 6910;\nf(TranslateString(kSaveFailedTextId, \"Speichern fehlgeschlagen\"));",
       {{6910, "Speichern fehlgeschlagen"}}},
      {"const Column kColumns[] = {{5152, \"Prüf-Nr.\"}, {\"VA_GRUND\", 5001, \"Grunddaten\"}};",
       {{5152, "Prüf-Nr."}, {5001, "Grunddaten"}}},
      {"Warn(60102, \"Keine Seiten.\"); auto* hint = text(1255, \"(Anmerkung: ...)\");",
       {{60102, "Keine Seiten."}, {1255, "(Anmerkung: ...)"}}},
      // Short texts are shown from the language file too.
      {"TranslateString(5344, \"KW\"); PrintText(6000, \"ja\");", {{5344, "KW"}, {6000, "ja"}}},
      // Menu texts: mnemonics and shortcuts are no part of the text; a bare
      // mnemonic is no text.
      {"{57607, \"&Drucken...\\tStrg+P\"}, {40003, \"&\"}", {{57607, "&Drucken...\tStrg+P"}}},
      // No text ids: a coordinate, a control beside its label, an empty
      // text, an id below 1000, a control id named by a constant, comments.
      {"TextAt(dc, x, Y0 - 4470, \"Summe: \");", {}},
      {"{0, 1537, 1066, 1021, 1028, \"Diagrammgitter:\"}, {&S::printMean, 1570, \"Print00\", 1}", {}},
      {"TranslateString(6000, \"\"); TranslateString(0, \"Summe:\"); PrintText(999, \"Summe:\");", {}},
      {"constexpr int kUpId = 1482;\nauto* up = button(kUpId, \"rauf\");", {}},
      {"// TranslateString(5000, \"Kommentar\")\n/* {6000, \"auch nicht\"} */ int x = 3;", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    const textcatalogue::Constants constants = textcatalogue::ScanConstants({{"a.cpp", c.source}});
    std::vector<std::pair<int, std::string>> found;
    for (const TextUse& use : textcatalogue::ScanSource("a.cpp", c.source, constants)) found.emplace_back(use.id, use.german);
    EXPECT_EQ(found, c.texts);
  }
}

// Every call TranslateString(<number>, ...) or PrintText(<number>, ...) in
// any folder of program code (all top-level folders but tests, tools,
// benchmarks and build trees), found by a plain text search, is in the list.
TEST(TextCatalogue, SeesEveryIdTheCodePasses) {
  std::set<std::pair<std::string, int>> listed;
  for (const TextUse& use : textcatalogue::ScanSources(kSourceRoot)) listed.emplace(use.file, use.id);
  const std::regex call(R"((?:TranslateString|PrintText)\(\s*(\d+)\s*,\s*")");
  std::string unseen;
  for (const auto& top : fs::directory_iterator(kSourceRoot)) {
    const std::string name = top.path().filename().string();
    if (!top.is_directory() || name.starts_with(".") || name == "tests" || name == "tools" || name == "bench" ||
        fs::exists(top.path() / "CMakeCache.txt"))
      continue;
    for (const auto& entry : fs::recursive_directory_iterator(top.path())) {
      const std::string ext = entry.path().extension().string();
      if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
      const std::string file = fs::relative(entry.path(), kSourceRoot).generic_string();
      std::ifstream in(entry.path());
      int lineNumber = 0;
      for (std::string line; std::getline(in, line);) {
        ++lineNumber;
        const std::string code = line.substr(0, line.find("//"));
        for (auto m = std::sregex_iterator(code.begin(), code.end(), call); m != std::sregex_iterator(); ++m) {
          const int id = std::stoi((*m)[1]);
          if (id >= 1000 && !listed.count({file, id}))
            unseen += file + ":" + std::to_string(lineNumber) + ": " + (*m)[0].str() + "\n";
        }
      }
    }
  }
  EXPECT_EQ(unseen, "");
}

TEST(TextCatalogue, EveryTextIdOfTheCodeHasAnEnglishEntry) {
  const std::vector<TextUse> uses = textcatalogue::ScanSources(kSourceRoot);
  ASSERT_GT(uses.size(), 500u);  // the scan reached the sources
  const auto entries = textcatalogue::MessageEntries(platform::ReadFileBytes(kShippedEnglish).value_or(""));
  std::string missing;
  for (const TextUse& use : textcatalogue::MissingFrom(uses, entries))
    missing += "IDS-" + std::to_string(use.id) + "  \"" + textcatalogue::EscapedForLanguageFile(use.german) + "\"  (" +
               Where(use) + ")\n";
  EXPECT_EQ(missing, "") << "resources/programfolder/PravikLang-en.txt has no English entry for these text ids; add "
                            "the pairs \"IDS-<id>-de=<German>\" and \"IDS-<id>=<English>\" to its [MsgString] section "
                            "(build/bin/text_ids <source root> <file> prints them)";

  // In a message a ";" stands for a tab: the English has the columns of the German.
  auto count = [](const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
    return n;
  };
  std::string columns;
  std::set<int> checked;
  for (const TextUse& use : uses) {
    const auto entry = entries.find(use.id);
    if (entry == entries.end() || !checked.insert(use.id).second) continue;
    const size_t german = count(textcatalogue::PlainGerman(use.german), "\t"), english = count(entry->second, ";") + count(entry->second, "\\t");
    if (german != english)
      columns += "IDS-" + std::to_string(use.id) + ": " + std::to_string(english) + " columns for the German's " +
                 std::to_string(german) + " (" + Where(use) + ")\n";
  }
  EXPECT_EQ(columns, "") << "a \";\" in an English message stands for a tab; write \",\" or \".\" instead";
}

TEST(TextCatalogue, OneTextIdNamesOneText) {
  std::string clashes;
  for (const auto& [id, uses] : textcatalogue::Collisions(textcatalogue::ScanSources(kSourceRoot))) {
    clashes += std::to_string(id) + ":";
    for (const TextUse& use : uses) clashes += "  \"" + textcatalogue::EscapedForLanguageFile(use.german) + "\" (" + Where(use) + ")";
    clashes += "\n";
  }
  EXPECT_EQ(clashes, "") << "one text id stands for different texts; a language file can hold only one of them";
}

// Every entry of the shipped file is translated: the German line is followed
// by its translation, which is no machine-translation placeholder ("#").
TEST(TextCatalogue, EveryEntryOfTheShippedEnglishFileIsTranslated) {
  const std::string bytes = platform::ReadFileBytes(kShippedEnglish).value_or("");
  ASSERT_TRUE(bytes.starts_with("\xEF\xBB\xBF")) << "UTF-8 with its byte-order mark";
  std::vector<std::string> lines;
  for (size_t start = 0; start < bytes.size();) {
    size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) end = bytes.size();
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  std::string faults;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].find('\n') != std::string::npos) faults += "line " + std::to_string(i + 1) + ": a line end without CR\n";
    const size_t de = lines[i].find("-de=");
    if (de == std::string::npos || lines[i].find('=') != de + 3) continue;
    const std::string key = lines[i].substr(0, de) + "=";
    if (i + 1 == lines.size() || lines[i + 1].rfind(key, 0) != 0) {
      faults += "line " + std::to_string(i + 1) + ": " + key + " does not follow its German line\n";
      continue;
    }
    const std::string english = lines[i + 1].substr(key.size());
    const std::string german = lines[i].substr(de + 4);
    if (english.empty() != german.empty() || english.starts_with("#") || english.starts_with(" #"))
      faults += "line " + std::to_string(i + 2) + ": " + lines[i + 1] + "\n";
  }
  EXPECT_EQ(faults, "");
}

}  // namespace
