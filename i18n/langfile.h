#pragma once
// The language file of one language: "PravikLang-<code>.txt" in the program
// folder, sections such as "[MsgString]" or "[Dialog-<id>]", one entry per
// line, and for every entry the program adds a pair of lines: the German text
// under "<key>-de=" for the human translator, the translation under "<key>=".
//
// The file is UTF-8 when it begins with a byte-order mark, else code page
// 1252; values are decoded from and entries encoded to that encoding, so a
// file never holds two encodings. A value that is well-formed UTF-8 is read
// as UTF-8 in either kind of file (older program versions stored the tool's
// UTF-8 answer unconverted).
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/filetool.h"

// "&" removed; "&&" leaves one "&".
std::string RemoveMnemonics(std::string_view text);
// Tab, line feed, carriage return and backslash as two-character escapes.
std::string EscapeLangText(std::string_view text);
std::string UnescapeLangText(std::string_view text);
// The adjustment of a machine translation to its German text: " :" loses its
// space, the first letter follows the German capital or leading space, and
// for a message whose German text held tabs "," and ";" become ";" column
// separators without blanks around them.
std::string AdjustMachineTranslation(std::string_view german, std::string translation,
                                     bool messageWithTabs);

class ZelmoLangFile : public CFileTool {
 public:
  // The longest values read or stored, in characters.
  static constexpr std::size_t kMessageLimit = 1999;
  static constexpr std::size_t kMenuLimit = 499;
  static constexpr std::size_t kWindowLimit = 299;

  ZelmoLangFile() = default;
  ~ZelmoLangFile() override;

  static std::filesystem::path FileName(const std::filesystem::path& folder, const std::string& langCode);

  // Reads the file of the language. A missing file is begun in memory with its
  // header line and written when the first entry is added. False (translate
  // nothing) for an invalid code, an unreadable file, or a missing file that
  // cannot be created.
  bool OpenLangFile(const std::filesystem::path& folder, const std::string& langCode);
  // Writes the file only when an entry was added.
  bool Close() override;

  bool IsUtf8() const { return utf8_; }
  // False when the file or its folder is not writable: it is read, not extended.
  bool Extendable() const { return extendable_; }

  // Makes the section with this header text (line ends in front included, as
  // "\r\n[MsgString]") the current one. A missing section is added together
  // with its first entry.
  void SelectSection(std::string header);

  // Message text of a text id: the stored translation, or a new machine
  // translation that is added to the file; the text to show (UTF-8, tabs
  // restored). The German text when there is none.
  std::string LookupOrAppendText(int textId, const std::string& german);
  // The stored message text of a text id (tabs restored), nothing when the
  // file holds none; the file is never extended.
  std::optional<std::string> LookupText(int textId);
  // A caption or control text under its key ("CAPTION=", "IDC1001="): the
  // text to show, or nothing to leave the window text as it is.
  std::optional<std::string> TranslateWindowText(const std::string& key, const std::string& windowText,
                                                 bool atSectionStart);
  // A menu item under its key ("IDM-32771=", "POS-2="): the text to show, or nothing.
  std::optional<std::string> TranslateMenuItem(const std::string& key, const std::string& itemText);

  // The value stored under the key in the current section (decoded, still
  // escaped, cut to `limit` characters); the cursor then stands at the end of
  // its line. Nothing when the key is missing.
  std::optional<std::string> Lookup(const std::string& key, std::size_t limit);
  // Adds an entry for the key at the end of the current section, or directly
  // under its header. Texts are UTF-8 and escaped here.
  void AddEntry(const std::string& key, const std::string& german, const std::string& translation,
                bool atSectionStart = false);

 private:
  std::optional<std::size_t> SectionStart() const;
  std::string Encode(std::string_view utf8) const;
  // The lines of one entry (texts already escaped), a line end in front.
  std::string EntryText(const std::string& key, const std::string& storedGerman,
                        const std::string& storedTranslation) const;
  std::optional<std::string> TranslateOrAdd(const std::string& key, const std::string& windowText,
                                            std::size_t limit, bool adjust, bool atSectionStart);

  std::string langCode_;
  std::string header_;
  bool utf8_ = false;
  bool extendable_ = false;
  bool entryAdded_ = false;
};
