#include "i18n/langfile.h"

#include <unistd.h>

#include <QString>
#include <algorithm>

#include "i18n/machinetranslation.h"
#include "platform/files.h"
#include "platform/textcodec.h"

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kSectionLimit = "\r\n[";
// Put in front of a text that could not be translated.
constexpr char kUntranslatedMark[] = "#";

bool Writable(const std::filesystem::path& path) { return ::access(path.c_str(), W_OK) == 0; }

std::string KeyStem(const std::string& key) {
  return !key.empty() && key.back() == '=' ? key.substr(0, key.size() - 1) : key;
}

std::size_t CountTabs(std::string_view text) { return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\t')); }

}  // namespace

std::string RemoveMnemonics(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') {
      out.push_back(text[i]);
    } else if (i + 1 < text.size() && text[i + 1] == '&') {
      out.push_back('&');
      ++i;
    }
  }
  return out;
}

std::string EscapeLangText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      default: out.push_back(c);
    }
  }
  return out;
}

std::string UnescapeLangText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\\' && i + 1 < text.size()) {
      char n = text[i + 1];
      char plain = n == 't' ? '\t' : n == 'n' ? '\n' : n == 'r' ? '\r' : n == '\\' ? '\\' : 0;
      if (plain) {
        out.push_back(plain);
        ++i;
        continue;
      }
    }
    out.push_back(c);
  }
  return out;
}

std::string AdjustMachineTranslation(std::string_view german, std::string translation, bool messageWithTabs) {
  if (translation.empty()) return translation;
  if (std::size_t pos = translation.find(" :", 1); pos != std::string::npos) translation.erase(pos, 1);
  if (!german.empty() && german.front() >= 'A' && german.front() <= 'Z') {
    QString q = QString::fromUtf8(translation.data(), static_cast<qsizetype>(translation.size()));
    q[0] = q[0].toUpper();
    translation = q.toStdString();
  } else if (!german.empty() && german.front() == ' ' && translation.front() != ' ') {
    translation.insert(translation.begin(), ' ');
  }
  if (messageWithTabs) {
    std::string out;
    for (std::size_t i = 0; i < translation.size(); ++i) {
      char c = translation[i];
      if (c != ',' && c != ';') {
        out.push_back(c);
        continue;
      }
      if (c == ',' && !out.empty() && out.back() == ' ') out.pop_back();
      out.push_back(';');
      if (i + 1 < translation.size() && translation[i + 1] == ' ') ++i;
    }
    translation = std::move(out);
  }
  return translation;
}

ZelmoLangFile::~ZelmoLangFile() { ZelmoLangFile::Close(); }

std::filesystem::path ZelmoLangFile::FileName(const std::filesystem::path& folder, const std::string& langCode) {
  return folder / ("PravikLang-" + langCode + ".txt");
}

bool ZelmoLangFile::OpenLangFile(const std::filesystem::path& folder, const std::string& langCode) {
  Close();
  langCode_ = langCode;
  header_.clear();
  entryAdded_ = false;
  if (!IsValidLanguageCode(langCode)) return false;
  auto path = FileName(folder, langCode);
  std::error_code ec;
  if (std::filesystem::exists(path, ec)) {
    // An existing file that cannot be read is never replaced.
    if (!platform::FileExists(path) || !OpenAndRead(path)) return false;
    extendable_ = Writable(folder) && Writable(path);
  } else {
    if (ec || !platform::FolderExists(folder) || !Writable(folder)) return false;
    // A new file is UTF-8, so that every translation fits into it.
    OpenWithText(path, std::string(kBom) + "#Zelmo-Manager Language-File: " + langCode + "\r\n");
    extendable_ = true;
  }
  utf8_ = Content().starts_with(kBom);
  return true;
}

bool ZelmoLangFile::Close() {
  if (entryAdded_) {
    entryAdded_ = false;
    return CFileTool::Close();
  }
  Discard();
  return true;
}

void ZelmoLangFile::SelectSection(std::string header) { header_ = std::move(header); }

std::optional<std::size_t> ZelmoLangFile::SectionStart() const {
  if (header_.empty()) return std::nullopt;
  std::size_t pos = Content().find(header_);
  if (pos == std::string::npos) return std::nullopt;
  return pos + header_.size();
}

std::string ZelmoLangFile::Encode(std::string_view utf8) const {
  return utf8_ ? std::string(utf8) : platform::ToCp1252(utf8);
}

std::optional<std::string> ZelmoLangFile::Lookup(const std::string& key, std::size_t limit) {
  auto start = SectionStart();
  if (!start) return std::nullopt;
  SetCursor(*start);
  if (!FindBeforeAndSkip(key, kSectionLimit)) return std::nullopt;
  std::size_t lineStart = Cursor();
  std::string raw = ReadLine(Content().size() + 1);
  if (std::size_t lf = raw.find('\n'); lf != std::string::npos) {  // a line end without CR
    raw.resize(lf);
    SetCursor(lineStart + lf);
  }
  std::string value = platform::IsUtf8(raw) ? raw : platform::FromCp1252(raw);
  return platform::Utf8Prefix(value, limit);
}

std::string ZelmoLangFile::EntryText(const std::string& key, const std::string& storedGerman,
                                     const std::string& storedTranslation) const {
  if (langCode_ == "nb") return "\r\n" + key + storedGerman;
  return "\r\n" + KeyStem(key) + "-de=" + storedGerman + "\r\n" + key + storedTranslation;
}

void ZelmoLangFile::AddEntry(const std::string& key, const std::string& german, const std::string& translation,
                             bool atSectionStart) {
  std::string entry =
      EntryText(key, EscapeLangText(RemoveMnemonics(german)), EscapeLangText(RemoveMnemonics(translation)));
  auto start = SectionStart();
  if (!start) {
    SetCursor(Content().size());
    Insert(header_);
    start = Cursor();
  }
  std::size_t at = *start;
  if (atSectionStart) {
    // Behind the header's line, also when more text follows the header on it.
    at = std::min(Content().find("\r\n", at), Content().size());
  } else {
    // The end of the section, in front of the blank lines that separate it
    // from the next one.
    at = Content().find(kSectionLimit, *start);
    if (at == std::string::npos) at = Content().size();
    while (at >= *start + 2 && Content().compare(at - 2, 2, "\r\n") == 0) at -= 2;
  }
  SetCursor(at);
  Insert(Encode(entry));
  entryAdded_ = true;
}

std::string ZelmoLangFile::LookupOrAppendText(int textId, const std::string& german) {
  const std::string key = "IDS-" + std::to_string(textId) + "=";
  const std::size_t germanTabs = CountTabs(german);
  // The German text as the file holds it: cut, tabs written as ";".
  std::string g = platform::Utf8Prefix(german, kMessageLimit);
  std::replace(g.begin(), g.end(), '\t', ';');
  std::string stored;
  if (auto value = Lookup(key, kMessageLimit)) {
    stored = *value;
  } else {
    if (!extendable_) return german;
    auto t = MachineTranslate(langCode_, g);
    // Shown marked as untranslated, but not stored: a later call tries again.
    if (!t) return kUntranslatedMark + german;
    std::string tr = AdjustMachineTranslation(g, platform::Utf8Prefix(*t, kMessageLimit), germanTabs > 0);
    AddEntry(key, g, tr);
    stored = EscapeLangText(RemoveMnemonics(tr));
  }
  // ";" stands for a tab in message values; missing columns are shown as "#".
  std::replace(stored.begin(), stored.end(), ';', '\t');
  bool padded = false;
  for (std::size_t tabs = CountTabs(stored); tabs < germanTabs; ++tabs) {
    stored += "\t#";
    padded = true;
  }
  if (padded && extendable_) {
    // A corrected pair behind the entry, for the translator; once only.
    std::size_t behindEntry = Cursor();
    bool present = FindBefore(key, kSectionLimit);
    SetCursor(behindEntry);
    if (!present) {
      std::string corrected = stored;
      std::replace(corrected.begin(), corrected.end(), '\t', ';');
      Insert(Encode(EntryText(key, EscapeLangText(RemoveMnemonics(g)), corrected)));
      entryAdded_ = true;
    }
  }
  return UnescapeLangText(stored);
}

std::optional<std::string> ZelmoLangFile::LookupText(int textId) {
  std::optional<std::string> stored = Lookup("IDS-" + std::to_string(textId) + "=", kMessageLimit);
  if (!stored) return std::nullopt;
  std::replace(stored->begin(), stored->end(), ';', '\t');
  return UnescapeLangText(*stored);
}

std::optional<std::string> ZelmoLangFile::TranslateOrAdd(const std::string& key, const std::string& text,
                                                         std::size_t limit, bool adjust, bool atSectionStart) {
  if (auto value = Lookup(key, limit)) return UnescapeLangText(*value);
  if (!extendable_) return std::nullopt;
  std::string g = RemoveMnemonics(platform::Utf8Prefix(text, limit));
  if (platform::Utf8Length(g) < 3) return std::nullopt;
  auto t = MachineTranslate(langCode_, g);
  if (!t) return kUntranslatedMark + g;
  std::string tr = platform::Utf8Prefix(*t, limit);
  if (adjust) tr = AdjustMachineTranslation(g, tr, false);
  AddEntry(key, g, tr, atSectionStart);
  return RemoveMnemonics(tr);
}

std::optional<std::string> ZelmoLangFile::TranslateWindowText(const std::string& key, const std::string& windowText,
                                                              bool atSectionStart) {
  return TranslateOrAdd(key, windowText, kWindowLimit, true, atSectionStart);
}

std::optional<std::string> ZelmoLangFile::TranslateMenuItem(const std::string& key, const std::string& itemText) {
  return TranslateOrAdd(key, itemText, kMenuLimit, false, false);
}
