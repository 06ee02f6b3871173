#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>

#include "i18n/langfile.h"
#include "i18n/machinetranslation.h"
#include "i18n/materialterms.h"
#include "i18n/translation.h"
#include "platform/files.h"
#include "support/stubs.h"
#include "support/temp_folder.h"

using platform::FileExists;
using platform::ReadFileBytes;
using platform::WriteFileBytes;
using namespace std::chrono_literals;

namespace {

const std::filesystem::path kFixtures = std::filesystem::path(PRAVIK_FIXTURES) / "shell";

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  auto pos = text.find(from);
  EXPECT_NE(pos, std::string::npos) << from;
  if (pos == std::string::npos) return text;
  return text.replace(pos, from.size(), to);
}

MenuItemText Item(int commandId, const std::string& text) { return MenuItemText{commandId, text, false, {}}; }
MenuItemText Popup(const std::string& text, std::vector<MenuItemText> items) {
  return MenuItemText{0, text, true, std::move(items)};
}

// Runs `f` without root rights (in a child process when we are root, since
// root may write into any folder) and returns its result.
std::string RunUnprivileged(const std::function<std::string()>& f) {
  if (::geteuid() != 0) return f();
  int pipefd[2];
  if (::pipe(pipefd) != 0) return "pipe failed";
  pid_t pid = ::fork();
  if (pid == 0) {
    ::close(pipefd[0]);
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
    std::string r = f();
    if (::write(pipefd[1], r.data(), r.size()) < 0) ::_exit(3);
    ::_exit(0);
  }
  ::close(pipefd[1]);
  std::string out;
  char buf[512];
  for (ssize_t n; (n = ::read(pipefd[0], buf, sizeof buf)) > 0;) out.append(buf, static_cast<std::size_t>(n));
  ::close(pipefd[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? out : "child failed";
}

}  // namespace

// A language folder and a stub "deepl" on the PATH that records every call
// and answers "T[<text>]".
class Translation : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(bin_);
    std::filesystem::create_directory(lang_);
    UseTool("printf 'T[%s]\\n' \"$6\"");
    const char* path = std::getenv("PATH");
    path_.emplace("PATH", bin_.string() + ":" + (path ? path : "/usr/bin:/bin"));
    SetLanguageFolder(lang_);
    SetCurrentLangCode("en");
    SetPrintGermanFlag(false);
    SetMachineTranslationTimeLimit(10s);
  }
  void TearDown() override {
    SetLanguageFolder({});
    SetCurrentLangCode("");
    SetPrintGermanFlag(false);
    SetMachineTranslationTimeLimit(20s);
  }

  // The tool records its arguments (one call per line, separated by \036), then runs `answer`.
  void UseTool(const std::string& answer) {
    WriteScript(bin_ / "deepl", "for a in \"$@\"; do printf '%s\\036' \"$a\"; done >> '" + (bin_ / "args").string() +
                                    "'\nprintf '\\n' >> '" + (bin_ / "args").string() + "'\n" + answer);
  }
  std::vector<std::vector<std::string>> ToolCalls() const {
    std::vector<std::vector<std::string>> calls;
    auto bytes = ReadFileBytes(bin_ / "args");
    if (!bytes) return calls;
    std::vector<std::string> call;
    std::string arg;
    for (char c : *bytes) {
      if (c == '\036') {
        call.push_back(arg);
        arg.clear();
      } else if (c == '\n') {
        calls.push_back(call);
        call.clear();
      } else {
        arg.push_back(c);
      }
    }
    return calls;
  }
  void UseFixture(const std::string& code) {
    ASSERT_TRUE(platform::CopyFile(kFixtures / ("PravikLang-" + code + ".txt"), LangFile(code)));
  }
  std::filesystem::path LangFile(const std::string& code) const { return lang_ / ("PravikLang-" + code + ".txt"); }
  std::string LangBytes(const std::string& code) const { return ReadFileBytes(LangFile(code)).value_or("<none>"); }
  std::string FixtureBytes(const std::string& code) const {
    return *ReadFileBytes(kFixtures / ("PravikLang-" + code + ".txt"));
  }
  bool LangFolderEmpty() const { return std::filesystem::is_empty(lang_); }

  TempFolder dir_;
  std::filesystem::path bin_ = dir_ / "bin";
  std::filesystem::path lang_ = dir_ / "lang";
  std::optional<EnvGuard> path_;
};

TEST_F(Translation, GermanLanguageTouchesNoFile) {
  for (const char* code : {"", "de", "de-AT", "deu"}) {
    SetCurrentLangCode(code);
    EXPECT_EQ(TranslateString(5012, "Prüfnummer"), "Prüfnummer") << code;
    DialogTexts dialog{"Einstellungen", {{1001, "Datenordner"}}};
    TranslateDialogTexts(600, 0, dialog);
    EXPECT_EQ(dialog.controls[0].text, "Datenordner");
  }
  EXPECT_EQ(CurrentLangCode(), "de");  // at most two characters are kept
  EXPECT_TRUE(LangFolderEmpty());
  EXPECT_TRUE(ToolCalls().empty());
}

TEST_F(Translation, ReadsStoredMessagesInTheFilesOwnEncoding) {
  UseFixture("en");
  UseFixture("fr");
  struct Case {
    const char* code;
    int id;
    const char* german;
    const char* shown;
  } cases[] = {
      {"en", 5012, "Prüfnummer", "Test number"},
      {"en", 5013, "Größe in µm", "Size in µm"},            // code page 1252 byte
      {"en", 5020, "Name\tWert", "Name\tValue"},            // ";" stands for a tab
      {"en", 5021, "Eins Zwei \\ zurück", "One\tTwo \\ back"},   // escapes
      {"en", 5022, "Leerer Wert", ""},                      // an empty value is the text
      {"en", 5040, "Alt ü", "Legacy ü"},                    // UTF-8 stored by older versions
      {"fr", 5012, "Prüfnummer", "Numéro d'essai"},         // UTF-8 file with byte-order mark
      {"fr", 5013, "Größe in µm", "Taille en µm"},
  };
  for (const auto& c : cases) {
    SetCurrentLangCode(c.code);
    EXPECT_EQ(TranslateString(c.id, c.german), c.shown) << c.code << " " << c.id;
  }
  EXPECT_TRUE(ToolCalls().empty());
  EXPECT_EQ(LangBytes("en"), FixtureBytes("en"));
  EXPECT_EQ(LangBytes("fr"), FixtureBytes("fr"));
}

// A short text is shown from the file, but one the file lacks is neither
// machine-translated nor added.
TEST_F(Translation, ShortTextsComeOnlyFromTheFileLowIdsAndGermanPrintStay) {
  UseFixture("en");
  EXPECT_EQ(TranslateString(999, "Hallo Welt"), "Hallo Welt");
  EXPECT_EQ(TranslateString(5035, "KW"), "CW");
  EXPECT_EQ(TranslateString(5000, "ab"), "ab");
  EXPECT_EQ(TranslateString(5012, "Prüfnummer", true), "Test number");
  SetPrintGermanFlag(true);
  EXPECT_EQ(TranslateString(5012, "Prüfnummer", true), "Prüfnummer");
  EXPECT_EQ(TranslateString(5012, "Prüfnummer"), "Test number");
  EXPECT_TRUE(ToolCalls().empty());
  EXPECT_EQ(LangBytes("en"), FixtureBytes("en"));
}

// The words that material definitions share are translated, once per
// language; any other value stays as the definition writes it.
TEST_F(Translation, SharedMaterialWordsAndTheDefinitionsOwnValues) {
  UseFixture("en");
  EXPECT_EQ(MaterialTermText("Brechkorn"), "T[Brechkorn]");
  EXPECT_EQ(MaterialTermText("Brechkorn"), "T[Brechkorn]");
  EXPECT_EQ(ToolCalls().size(), 1u);
  EXPECT_EQ(MaterialTermText("Splitt aus Eigenbau"), "Splitt aus Eigenbau");
  EXPECT_EQ(MaterialTermText("brechkorn"), "brechkorn");
  SetPrintGermanFlag(true);
  EXPECT_EQ(MaterialTermText("Brechkorn", true), "Brechkorn");
  SetCurrentLangCode("de");
  EXPECT_EQ(MaterialTermText("Brechkorn"), "Brechkorn");
  EXPECT_EQ(ToolCalls().size(), 1u);
}

TEST_F(Translation, MissingTextIsTranslatedOnceAndAppendedToItsSection) {
  UseFixture("en");
  EXPECT_EQ(TranslateString(5999, "Prüfung läuft"), "T[Prüfung läuft]");
  EXPECT_EQ(TranslateString(5999, "Prüfung läuft"), "T[Prüfung läuft]");
  auto calls = ToolCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0], (std::vector<std::string>{"text", "--fr", "de", "--to", "en-us", "Prüfung läuft"}));
  // At the end of [MsgString], in front of the blank line before the next
  // section, in code page 1252 like the rest of the file.
  std::string expected =
      Replaced(FixtureBytes("en"), "IDS-5040=Legacy \xC3\xBC\r\n\r\n[Dialog-600]",
               "IDS-5040=Legacy \xC3\xBC\r\nIDS-5999-de=Pr\xFC" "fung l\xE4uft\r\nIDS-5999=T[Pr\xFC" "fung l\xE4uft]"
               "\r\n\r\n[Dialog-600]");
  EXPECT_EQ(LangBytes("en"), expected);

  SetCurrentLangCode("fr");
  UseFixture("fr");
  EXPECT_EQ(TranslateString(5999, "Prüfung läuft"), "T[Prüfung läuft]");
  EXPECT_EQ(LangBytes("fr"), Replaced(FixtureBytes("fr"), "Taille en µm\r\n",
                                      "Taille en µm\r\nIDS-5999-de=Prüfung läuft\r\nIDS-5999=T[Prüfung läuft]\r\n"));
  EXPECT_EQ(ToolCalls().back()[4], "fr");
}

TEST_F(Translation, MissingFileIsCreatedWithTheFirstEntry) {
  SetCurrentLangCode("it");
  EXPECT_EQ(TranslateString(5100, "Neuer Text"), "T[Neuer Text]");
  EXPECT_EQ(TranslateString(5101, "Zweiter Text"), "T[Zweiter Text]");
  EXPECT_EQ(LangBytes("it"),
            "\xEF\xBB\xBF#Zelmo-Manager Language-File: it\r\n\r\n[MsgString]"
            "\r\nIDS-5100-de=Neuer Text\r\nIDS-5100=T[Neuer Text]"
            "\r\nIDS-5101-de=Zweiter Text\r\nIDS-5101=T[Zweiter Text]");
}

TEST_F(Translation, NorwegianStoresTheGermanTextAlone) {
  SetCurrentLangCode("nb");
  EXPECT_EQ(TranslateString(5100, "Neuer Text"), "T[Neuer Text]");
  EXPECT_EQ(LangBytes("nb"), "\xEF\xBB\xBF#Zelmo-Manager Language-File: nb\r\n\r\n[MsgString]\r\nIDS-5100=Neuer Text");
  EXPECT_EQ(TranslateString(5100, "Neuer Text"), "Neuer Text");
}

TEST_F(Translation, MissingColumnsArePaddedAndTheCorrectedPairIsAddedOnce) {
  UseFixture("en");
  for (int i = 0; i < 3; ++i) EXPECT_EQ(TranslateString(5030, "a\tb\tc"), "Only one\t#\t#");
  std::string expected = Replaced(FixtureBytes("en"), "IDS-5030=Only one\r\n",
                                  "IDS-5030=Only one\r\nIDS-5030-de=a;b;c\r\nIDS-5030=Only one;#;#\r\n");
  EXPECT_EQ(LangBytes("en"), expected);
  EXPECT_TRUE(ToolCalls().empty());
}

TEST_F(Translation, FailingToolMarksTheTextButStoresNothingSoALaterCallTriesAgain) {
  UseFixture("en");
  UseTool("echo 'half an answer'; exit 1");
  EXPECT_EQ(TranslateString(5999, "Neuer Text"), "#Neuer Text");
  DialogTexts dialog{"Einstellungen", {{1004, "&Neues Feld"}}};
  TranslateDialogTexts(600, 0, dialog);
  EXPECT_EQ(dialog.controls[0].text, "#Neues Feld");
  EXPECT_EQ(LangBytes("en"), FixtureBytes("en"));
  SetCurrentLangCode("it");
  EXPECT_EQ(TranslateString(5999, "Neuer Text"), "#Neuer Text");
  EXPECT_FALSE(FileExists(LangFile("it")));  // not even a header-only file

  UseTool("printf ''");  // an empty answer is no translation either
  EXPECT_EQ(TranslateString(5999, "Neuer Text"), "#Neuer Text");
  EXPECT_FALSE(FileExists(LangFile("it")));

  UseTool("printf 'New text\\n'");
  EXPECT_EQ(TranslateString(5999, "Neuer Text"), "New text");
  EXPECT_NE(LangBytes("it").find("IDS-5999=New text"), std::string::npos);
  EXPECT_EQ(ToolCalls().size(), 5u);
}

TEST_F(Translation, HangingToolIsStoppedAtTheTimeLimit) {
  UseFixture("en");
  UseTool("sleep 30; echo late");
  SetMachineTranslationTimeLimit(300ms);
  EXPECT_EQ(TranslateString(5999, "Neuer Text"), "#Neuer Text");
  EXPECT_EQ(LangBytes("en"), FixtureBytes("en"));
}

TEST_F(Translation, MissingToolOrInvalidCodeTranslatesNothing) {
  UseFixture("en");
  {
    EnvGuard path("PATH", "/nonexistent");
    EXPECT_EQ(TranslateString(5999, "Neuer Text"), "#Neuer Text");
    EXPECT_EQ(TranslateString(5012, "Prüfnummer"), "Test number");
  }
  EXPECT_EQ(LangBytes("en"), FixtureBytes("en"));
  for (const char* code : {"..", "e1", "e/", "e "}) {
    SetCurrentLangCode(code);
    EXPECT_EQ(TranslateString(5999, "Neuer Text"), "Neuer Text") << code;
  }
  EXPECT_TRUE(ToolCalls().empty());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(lang_), {}), 1);
  EXPECT_FALSE(IsValidLanguageCode(""));
  EXPECT_TRUE(IsValidLanguageCode("en-us"));
}

TEST_F(Translation, ShellCharactersInTheTextRunNothing) {
  UseFixture("en");
  const std::string m1 = (dir_ / "m1").string(), m2 = (dir_ / "m2").string(), m3 = (dir_ / "m3").string();
  const std::string german = "Sag \"Hallo\" und 'tschüss' $(touch " + m1 + ") `touch " + m2 + "` ; touch " + m3 +
                             " | cat $HOME \\ \\\" %s";
  std::string shown = TranslateString(5999, german);
  auto calls = ToolCalls();
  ASSERT_EQ(calls.size(), 1u);
  ASSERT_EQ(calls[0].size(), 6u);
  EXPECT_EQ(calls[0][5], german);  // one argument, exactly as given
  for (const auto& arg : calls[0]) EXPECT_EQ(arg.find("auth"), std::string::npos);
  EXPECT_FALSE(FileExists(m1));
  EXPECT_FALSE(FileExists(m2));
  EXPECT_FALSE(FileExists(m3));
  EXPECT_EQ(shown.rfind("T[Sag \"Hallo\"", 0), 0u);
  EXPECT_NE(LangBytes("en").find("IDS-5999=T[Sag"), std::string::npos);
}

TEST_F(Translation, FolderThatIsNotWritableIsReadButNotExtended) {
  UseFixture("en");
  std::filesystem::permissions(lang_, std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                          std::filesystem::perms::others_write,
                               std::filesystem::perm_options::remove);
  std::string shown = RunUnprivileged([] {
    return TranslateString(5012, "Prüfnummer") + "|" + TranslateString(5999, "Neuer Text") + "|" +
           TranslateString(5030, "a\tb\tc");
  });
  EXPECT_EQ(shown, "Test number|Neuer Text|Only one\t#\t#");
  EXPECT_EQ(LangBytes("en"), FixtureBytes("en"));
  SetCurrentLangCode("it");
  EXPECT_EQ(RunUnprivileged([] { return TranslateString(5999, "Neuer Text"); }), "Neuer Text");
  EXPECT_FALSE(FileExists(LangFile("it")));
}

TEST_F(Translation, DialogTextsByControlId) {
  UseFixture("en");
  DialogTexts dialog{"Einstellungen",
                     {{1001, "Datenordner"},
                      {1000, "Kein Eintrag"},       // ids up to 1000 stay
                      {65535, "Statischer Text"},   // the static id stays
                      {1002, "12,5 mm"},            // fewer than 3 letters
                      {1003, "Ab"},                 // too short
                      {2, "Abbrechen"},             // from the shared section
                      {1004, "&Neues Feld"}}};      // missing: translated and added
  TranslateDialogTexts(600, 0, dialog);
  EXPECT_EQ(dialog.caption, "Settings");
  std::vector<std::string> texts;
  for (const auto& c : dialog.controls) texts.push_back(c.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"Data folder", "Kein Eintrag", "Statischer Text", "12,5 mm", "Ab",
                                             "Cancel", "T[Neues Feld]"}));
  std::string expected = Replaced(FixtureBytes("en"), "IDC1001=Data folder\r\n\r\n[Dialog-601]",
                                  "IDC1001=Data folder\r\nIDC1004-de=Neues Feld\r\nIDC1004=T[Neues Feld]"
                                  "\r\n\r\n[Dialog-601]");
  EXPECT_EQ(LangBytes("en"), expected);

  // A new caption stands directly under its section header.
  DialogTexts other{"Andere Seite", {{1001, "Irgendwas"}}};
  TranslateDialogTexts(601, 0, other);
  EXPECT_EQ(other.caption, "T[Andere Seite]");
  EXPECT_EQ(other.controls[0].text, "Other dialog");
  expected = Replaced(expected, "[Dialog-601]\r\n",
                      "[Dialog-601]\r\nCAPTION-de=Andere Seite\r\nCAPTION=T[Andere Seite]\r\n");
  EXPECT_EQ(LangBytes("en"), expected);

  // With a sub id the caption has a section of its own.
  DialogTexts page{"Seite eins", {}};
  TranslateDialogTexts(600, 1, page);
  EXPECT_EQ(page.caption, "T[Seite eins]");
  expected += "\r\n\r\n[Dialog-600-1]\r\nCAPTION-de=Seite eins\r\nCAPTION=T[Seite eins]";
  EXPECT_EQ(LangBytes("en"), expected);

  DialogTexts low{"Einstellungen", {{1001, "Datenordner"}}};
  TranslateDialogTexts(499, 0, low);
  EXPECT_EQ(low.caption, "Einstellungen");
  EXPECT_EQ(ToolCalls().size(), 3u);
}

TEST_F(Translation, DialogSectionIsFoundAgainAfterTheCancelEntry) {
  // The shared section lies in front of the dialog's: adding the Cancel entry
  // moves the dialog section, and the next entry must still land in it.
  ASSERT_TRUE(WriteFileBytes(LangFile("en"),
                             "#Zelmo-Manager Language-File: en\r\n\r\n[Dialog-Global]\r\nIDC1=OK\r\n\r\n"
                             "[Dialog-700]\r\nIDC1001-de=Erster\r\nIDC1001=First"));
  DialogTexts dialog{"", {{2, "Schließen"}, {1002, "Zweites Feld"}, {1001, "Erster"}}};
  TranslateDialogTexts(700, 0, dialog);
  EXPECT_EQ(dialog.controls[0].text, "T[Schließen]");
  EXPECT_EQ(dialog.controls[1].text, "T[Zweites Feld]");
  EXPECT_EQ(dialog.controls[2].text, "First");
  EXPECT_EQ(LangBytes("en"),
            "#Zelmo-Manager Language-File: en\r\n\r\n[Dialog-Global]\r\nIDC1=OK\r\n"
            "IDC2-de=Schlie\xDF" "en\r\nIDC2=T[Schlie\xDF" "en]\r\n\r\n"
            "[Dialog-700]\r\nIDC1001-de=Erster\r\nIDC1001=First\r\nIDC1002-de=Zweites Feld\r\nIDC1002=T[Zweites Feld]");
}

TEST_F(Translation, MenuItemsByPositionAndCommandId) {
  UseFixture("en");
  std::vector<MenuItemText> menu = {
      Popup("&Datei", {Item(57607, "&Drucken...\tStrg+P"),
                       Popup("Exportieren", {Item(32800, "Als PDF"), Item(0, "")}),
                       Item(0, ""),
                       Item(57665, "&Beenden")}),
      Popup("&?", {Item(57664, "&Info über Pravik...")}),
      Item(900, "Xyz"),
      Item(32900, "Hilfe")};
  auto limited = menu;
  TranslateMenuTexts(menu, 128);
  EXPECT_EQ(menu[0].text, "File");
  EXPECT_EQ(menu[0].items[0].text, "Print...\tCtrl+P");
  EXPECT_EQ(menu[0].items[1].text, "Export");  // nested popup at position 1: key 100
  EXPECT_EQ(menu[0].items[1].items[0].text, "T[Als PDF]");
  EXPECT_EQ(menu[0].items[3].text, "T[Beenden]");
  EXPECT_EQ(menu[1].text, "&?");
  EXPECT_EQ(menu[1].items[0].text, "T[Info über Pravik...]");
  EXPECT_EQ(menu[2].text, "Xyz");
  EXPECT_EQ(menu[3].text, "T[Hilfe]");
  EXPECT_EQ(LangBytes("en"), FixtureBytes("en") +
                                 "\r\nIDM-32800-de=Als PDF\r\nIDM-32800=T[Als PDF]"
                                 "\r\nIDM-57665-de=Beenden\r\nIDM-57665=T[Beenden]"
                                 "\r\nIDM-57664-de=Info \xFC" "ber Pravik...\r\nIDM-57664=T[Info \xFC" "ber Pravik...]"
                                 "\r\nIDM-32900-de=Hilfe\r\nIDM-32900=T[Hilfe]");
  TranslateMenuTexts(limited, 128, -1, 1);  // only the first top-level item
  EXPECT_EQ(limited[0].text, "File");
  EXPECT_EQ(limited[3].text, "Hilfe");
}

TEST(LangText, EscapesAndMnemonics) {
  EXPECT_EQ(EscapeLangText("a\tb\nc\rd\\e"), "a\\tb\\nc\\rd\\\\e");
  EXPECT_EQ(UnescapeLangText("a\\tb\\nc\\rd\\\\e"), "a\tb\nc\rd\\e");
  EXPECT_EQ(UnescapeLangText("\\x and \\"), "\\x and \\");  // unknown escapes stay
  EXPECT_EQ(RemoveMnemonics("&Datei"), "Datei");
  EXPECT_EQ(RemoveMnemonics("Kunden && Lieferanten"), "Kunden & Lieferanten");
  EXPECT_EQ(RemoveMnemonics("a&&&b&"), "a&b");
}

TEST(LangText, AdjustsMachineTranslations) {
  struct Case {
    const char* german;
    const char* translation;
    bool tabs;
    const char* expected;
  } cases[] = {
      {"wert :", "value :", false, "value:"},
      {"x", " :abc", false, " :abc"},               // not at the first character
      {"Achtung", "attention", false, "Attention"},
      {"Ende", "éxito", false, "Éxito"},
      {"Ärger", "trouble", false, "trouble"},       // only A to Z count
      {" Summe", "total", false, " total"},
      {" Summe", " total", false, " total"},
      {"name;Wert;Einheit", "name , value; unit,x", true, "name;value;unit;x"},
      {"name;Wert", "name , value", false, "name , value"},
      {"Text", "", false, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(AdjustMachineTranslation(c.german, c.translation, c.tabs), c.expected) << c.translation;
  EXPECT_EQ(DeeplTargetCode("en"), "en-us");
  EXPECT_EQ(DeeplTargetCode("fr"), "fr");
}

// The build puts what resources/programfolder/ holds next to the program; the
// English file there answers the program's texts without the tool.
TEST_F(Translation, ShippedFilesAreInTheProgramFolderAndTheEnglishOneAnswers) {
  const std::filesystem::path shipped = std::filesystem::path(PRAVIK_FIXTURES) / "../../resources/programfolder";
  const std::filesystem::path programFolder = PRAVIK_BIN_DIR;
  int files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(shipped)) {
    if (!entry.is_regular_file()) continue;
    ++files;
    EXPECT_TRUE(FileExists(programFolder / std::filesystem::relative(entry.path(), shipped))) << entry.path();
  }
  EXPECT_GE(files, 1);

  ASSERT_TRUE(platform::CopyFile(programFolder / "PravikLang-en.txt", LangFile("en")));
  EXPECT_EQ(TranslateString(5152, "Prüf-Nr."), "Test no.");
  EXPECT_EQ(TranslateString(5061, "x\ny"), "The database could not be saved!\nData folder:\n%s\nThe data in the "
                                           "program are kept. Please check the access to the data folder and save again.");
  std::vector<MenuItemText> menu = {Popup("&Datei", {Item(57607, "&Drucken...\tStrg+P"), Item(57665, "&Beenden")})};
  TranslateMenuTexts(menu, 128);
  EXPECT_EQ(menu[0].text, "&File");  // a hand-made file may keep mnemonics
  EXPECT_EQ(menu[0].items[0].text, "&Print...\tCtrl+P");
  EXPECT_EQ(menu[0].items[1].text, "E&xit");
  EXPECT_TRUE(ToolCalls().empty());
}
