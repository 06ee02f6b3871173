#pragma once
// One material definition and its one-line text form:
//   {0}{ID|BEZEICHNUNG|SIEBTURM|WTS|CTIME|MTIME}{ANZ_SIEBUNGEN|X_VON|X_BIS}
//   {SPEZ_1|SPEZ_2|SPEZ_3|GRUNDPR|GRUNDPRDAT}{SIEBANFORDERUNGEN}{NEBENPRUEFUNGEN}{SIEBANFLINIEN}
// Values are not escaped: Format writes the separators a value may hold as "#".
#include <array>
#include <map>
#include <string>

// The 17 value keys in the order of the text form.
extern const std::array<const char*, 17> MatDefKeys;

class CMatDef {
 public:
  // Stores all 17 values (missing ones empty), derives CTIME from the ID when
  // it is empty and completes the texts of built-in definitions. Always true.
  bool Parse(const std::string& text);
  // The text form of the stored values. A "{" or "}" in a value (and a "|"
  // in a value of groups 1 to 3) is written as "#", so that the text reads
  // back to the same values and formats to the same text again.
  std::string Format() const;
  // "" for a key that was never set.
  std::string GetValue(const std::string& key) const;
  bool HasName() const { return !GetValue("BEZEICHNUNG").empty(); }
  // The first side-test item (without brackets) that begins with the key, or "".
  std::string GetSideTestEntry(const std::string& testKey) const;

  // The texts a material list shows per key (it sorts by them).
  void SetShownText(const std::string& key, const std::string& text) { shownTexts_[key] = text; }
  std::string GetShownText(const std::string& key) const;

 private:
  std::map<std::string, std::string> values_;
  std::map<std::string, std::string> shownTexts_;
};

// The side-test search of CMatDef on group 5 of a definition text.
std::string FindSideTestEntry(const std::string& matDefText, const std::string& testKey);
// The side-test search on a NEBENPRUEFUNGEN text: items between "[" and "]"
// up to the first empty one; the first that begins with the key.
std::string FindSideTestItem(const std::string& sideTests, const std::string& testKey);
// "YYYY-MM-DD hh:mm" from a 15-character second part of the ID, else "".
std::string GetCreationTimeFromId(const std::string& id);
// The translated display name of a test key; other keys come back unchanged.
std::string GetTestTypeName(const std::string& testKey);
