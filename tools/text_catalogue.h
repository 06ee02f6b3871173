#pragma once
// The program's list of text ids, read from its sources: every program text
// is a German literal next to its numeric id, so the list is what the code
// itself says. Found are
//   - the calls TranslateString(id, "German") and PrintText(id, "German"),
//     the id also as a named constant ("kSaveFailedTextId = 6910");
//   - any call f(id, "German") with an id from 1000 to 2999;
//   - any pair id, "German" after "(", "{" or "," with an id of 3000 and
//     more (tables of texts, wrappers such as Warn or StopBox).
// Ids below 3000 stand elsewhere for controls, so that outside the calls a
// control id beside a label text in a table of controls is no text id (the
// string resources of "i18n/stringtable.cpp" are texts whatever their ids); a
// number after an operator ("y - 1160, "[g]"") is a coordinate. Adjacent
// literals are joined; comments are skipped. Texts of every length count: a
// short one ("KW") is shown from the language file too. The program folders
// are those that scripts/check_layers orders. Header-only, shared by the tool
// "text_ids" and the tests.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace textcatalogue {

struct TextUse {
  int id = 0;
  std::string german;  // the literal's text, escapes resolved
  std::string file;    // relative to the source root
  int line = 0;
};

// The folders of program code, lowest first, as scripts/check_layers lists
// them ("folders=(platform i18n ...)"): a folder that holds program code
// stands there, or the includes of it fail that check. Empty when the script
// cannot be read.
inline std::vector<std::string> ProgramFolders(const std::filesystem::path& root) {
  std::ifstream in(root / "scripts" / "check_layers");
  std::vector<std::string> folders;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("folders=(", 0) != 0) continue;
    std::istringstream names(line.substr(9, line.find(')') - 9));
    for (std::string name; names >> name;) folders.push_back(name);
    break;
  }
  return folders;
}

// A menu or button text as a program text: without mnemonics, without the
// shortcut behind a tab ("&Drucken...\tStrg+P" is "Drucken...").
inline std::string PlainGerman(const std::string& text) {
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&') {
      if (i + 1 < text.size() && text[i + 1] == '&') plain += text[++i];
      continue;
    }
    plain += text[i];
  }
  const std::size_t shortcut = plain.find("\tStrg+");
  return shortcut == std::string::npos ? plain : plain.substr(0, shortcut);
}

namespace detail {

enum class Kind { kNumber, kName, kString, kPunct };
struct Token {
  Kind kind;
  std::string text;  // a string's text with its escapes resolved
  int line;
};

inline std::string Unescape(const std::string& body) {
  std::string out;
  for (std::size_t i = 0; i < body.size(); ++i) {
    if (body[i] != '\\' || i + 1 == body.size()) {
      out += body[i];
      continue;
    }
    const char c = body[++i];
    switch (c) {
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case 'r': out += '\r'; break;
      case '0': out += '\0'; break;
      default: out += c; break;  // \" \\ \'
    }
  }
  return out;
}

// Numbers, names, string literals (adjacent ones joined) and single
// punctuation characters; comments, character literals and preprocessor
// lines are skipped.
inline std::vector<Token> Tokenize(const std::string& src) {
  std::vector<Token> tokens;
  int line = 1;
  std::size_t i = 0;
  const std::size_t n = src.size();
  bool lineStart = true;
  while (i < n) {
    const char c = src[i];
    if (c == '\n') {
      ++line;
      ++i;
      lineStart = true;
      continue;
    }
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
      continue;
    }
    if (lineStart && c == '#') {  // a preprocessor line, with its continuations
      while (i < n && src[i] != '\n') {
        if (src[i] == '\\' && i + 1 < n && src[i + 1] == '\n') ++line, ++i;
        ++i;
      }
      continue;
    }
    lineStart = false;
    if (c == '/' && i + 1 < n && src[i + 1] == '/') {
      while (i < n && src[i] != '\n') ++i;
      continue;
    }
    if (c == '/' && i + 1 < n && src[i + 1] == '*') {
      i += 2;
      while (i + 1 < n && !(src[i] == '*' && src[i + 1] == '/')) line += src[i++] == '\n';
      i += 2;
      continue;
    }
    if (c == '"' || c == '\'') {
      const int startLine = line;
      std::string body;
      ++i;
      while (i < n && src[i] != c) {
        if (src[i] == '\\' && i + 1 < n) body += src[i++];
        if (src[i] == '\n') ++line;
        body += src[i++];
      }
      ++i;
      if (c == '\'') continue;
      if (!tokens.empty() && tokens.back().kind == Kind::kString) tokens.back().text += Unescape(body);
      else tokens.push_back({Kind::kString, Unescape(body), startLine});
      continue;
    }
    if (std::isdigit(static_cast<unsigned char>(c))) {
      std::size_t j = i;
      while (j < n && (std::isalnum(static_cast<unsigned char>(src[j])) || src[j] == '.' || src[j] == '\'')) ++j;
      tokens.push_back({Kind::kNumber, src.substr(i, j - i), line});
      i = j;
      continue;
    }
    if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
      std::size_t j = i;
      while (j < n && (std::isalnum(static_cast<unsigned char>(src[j])) || src[j] == '_')) ++j;
      // A prefixed literal (u8"...", L"...") is read as the literal.
      const std::string name = src.substr(i, j - i);
      if (j < n && src[j] == '"' && (name == "u8" || name == "L" || name == "u" || name == "U")) {
        i = j;
        continue;
      }
      tokens.push_back({Kind::kName, name, line});
      i = j;
      continue;
    }
    tokens.push_back({Kind::kPunct, std::string(1, c), line});
    ++i;
  }
  return tokens;
}

inline std::optional<int> NumberValue(const std::string& text) {
  if (text.empty() || text.size() > 6 || !std::all_of(text.begin(), text.end(), ::isdigit)) return std::nullopt;
  if (text.size() > 1 && text[0] == '0') return std::nullopt;  // octal or a code, no id
  return std::stoi(text);
}

inline std::string ReadWhole(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

}  // namespace detail

// The named integer constants of the sources ("kName = 1234"): the value of
// a name defined more than once with different values is that of its file.
struct Constants {
  std::map<std::string, int> global;
  std::map<std::string, std::map<std::string, int>> perFile;
  std::optional<int> Find(const std::string& file, const std::string& name) const {
    if (auto f = perFile.find(file); f != perFile.end())
      if (auto v = f->second.find(name); v != f->second.end()) return v->second;
    if (auto v = global.find(name); v != global.end() && v->second >= 0) return v->second;
    return std::nullopt;
  }
};

// The text uses of one source text (its name for the report).
inline std::vector<TextUse> ScanSource(const std::string& file, const std::string& source, const Constants& constants) {
  using detail::Kind;
  const std::vector<detail::Token> t = detail::Tokenize(source);
  std::vector<TextUse> uses;
  for (std::size_t i = 1; i + 2 < t.size(); ++i) {
    if (t[i + 1].kind != Kind::kPunct || t[i + 1].text != "," || t[i + 2].kind != Kind::kString) continue;
    const detail::Token& before = t[i - 1];
    if (before.kind != Kind::kPunct || (before.text != "(" && before.text != "{" && before.text != ",")) continue;
    std::optional<int> id;
    if (t[i].kind == Kind::kNumber) id = detail::NumberValue(t[i].text);
    else if (t[i].kind == Kind::kName && t[i].text.size() > 1 && t[i].text[0] == 'k') id = constants.Find(file, t[i].text);
    if (!id || *id < 1000) continue;
    const bool call = before.text == "(" && i >= 2 && t[i - 2].kind == Kind::kName;
    const bool translation = call && (t[i - 2].text == "TranslateString" || t[i - 2].text == "PrintText");
    const bool literal = t[i].kind == Kind::kNumber;
    // The string resources are texts whatever their ids.
    const bool resources = file == "i18n/stringtable.cpp";
    const bool accepted = translation || resources || (*id >= 3000) || (call && literal);
    if (!accepted) continue;
    const std::string& german = t[i + 2].text;
    if (PlainGerman(german).empty()) continue;
    uses.push_back({*id, german, file, t[i + 2].line});
  }
  return uses;
}

inline Constants ScanConstants(const std::vector<std::pair<std::string, std::string>>& sources) {
  Constants constants;
  for (const auto& [file, source] : sources) {
    const std::vector<detail::Token> t = detail::Tokenize(source);
    for (std::size_t i = 0; i + 2 < t.size(); ++i) {
      if (t[i].kind != detail::Kind::kName || t[i].text.size() < 2 || t[i].text[0] != 'k') continue;
      if (t[i + 1].text != "=" || t[i + 2].kind != detail::Kind::kNumber) continue;
      if (i + 3 < t.size() && t[i + 3].kind == detail::Kind::kPunct && t[i + 3].text != ";" && t[i + 3].text != "," &&
          t[i + 3].text != "}")
        continue;  // an expression, not a plain number
      const std::optional<int> value = detail::NumberValue(t[i + 2].text);
      if (!value) continue;
      constants.perFile[file][t[i].text] = *value;
      auto [it, inserted] = constants.global.emplace(t[i].text, *value);
      if (!inserted && it->second != *value) it->second = -1;  // ambiguous outside its files
    }
  }
  return constants;
}

// Every text use of the program folders under the source root, by file and line.
inline std::vector<TextUse> ScanSources(const std::filesystem::path& root) {
  std::vector<std::pair<std::string, std::string>> sources;
  for (const std::string& folder : ProgramFolders(root)) {
    const std::filesystem::path dir = root / folder;
    if (!std::filesystem::is_directory(dir)) continue;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
      const std::string ext = entry.path().extension().string();
      if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
      sources.emplace_back(std::filesystem::relative(entry.path(), root).generic_string(), detail::ReadWhole(entry.path()));
    }
  }
  std::sort(sources.begin(), sources.end());
  const Constants constants = ScanConstants(sources);
  std::vector<TextUse> uses;
  for (const auto& [file, source] : sources) {
    std::vector<TextUse> found = ScanSource(file, source, constants);
    uses.insert(uses.end(), found.begin(), found.end());
  }
  return uses;
}

// The ids that name two different texts (compared without mnemonics and shortcuts).
inline std::map<int, std::vector<TextUse>> Collisions(const std::vector<TextUse>& uses) {
  std::map<int, std::vector<TextUse>> byId, collisions;
  for (const TextUse& use : uses) byId[use.id].push_back(use);
  for (const auto& [id, list] : byId)
    for (const TextUse& use : list)
      if (PlainGerman(use.german) != PlainGerman(list.front().german)) {
        collisions[id] = list;
        break;
      }
  return collisions;
}

// The entries "IDS-<id>=<text>" of the message section of a language file
// (its bytes), by id: the first of an id counts, as in a lookup.
inline std::map<int, std::string> MessageEntries(const std::string& bytes) {
  std::map<int, std::string> entries;
  bool inSection = false;
  std::istringstream lines(bytes);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '[') inSection = line == "[MsgString]";
    if (!inSection || line.rfind("IDS-", 0) != 0) continue;
    const std::size_t eq = line.find('=');
    const std::string number = line.substr(4, eq == std::string::npos ? 0 : eq - 4);
    const std::optional<int> id = detail::NumberValue(number);
    if (id) entries.emplace(*id, line.substr(eq + 1));
  }
  return entries;
}

// A text as a language file stores it: tabs, line ends and backslashes escaped.
inline std::string EscapedForLanguageFile(const std::string& text) {
  std::string out;
  for (char c : PlainGerman(text)) {
    if (c == '\t') out += "\\t";
    else if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else if (c == '\\') out += "\\\\";
    else out += c;
  }
  return out;
}

// The uses whose id has no entry, one per id, by id.
inline std::vector<TextUse> MissingFrom(const std::vector<TextUse>& uses, const std::map<int, std::string>& entries) {
  std::map<int, TextUse> missing;
  for (const TextUse& use : uses)
    if (!entries.count(use.id)) missing.emplace(use.id, use);
  std::vector<TextUse> list;
  for (const auto& [id, use] : missing) list.push_back(use);
  return list;
}

}  // namespace textcatalogue
