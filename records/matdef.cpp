#include "records/matdef.h"

#include "i18n/translation.h"
#include "records/matdef_file.h"
#include "records/strutil.h"

const std::array<const char*, 17> MatDefKeys = {
    "ID",     "BEZEICHNUNG", "SIEBTURM", "WTS",     "CTIME",      "MTIME",
    "ANZ_SIEBUNGEN", "X_VON", "X_BIS",
    "SPEZ_1", "SPEZ_2",      "SPEZ_3",   "GRUNDPR", "GRUNDPRDAT",
    "SIEBANFORDERUNGEN", "NEBENPRUEFUNGEN", "SIEBANFLINIEN"};

namespace {

// Where each key sits: group, and part within the group (-1: the whole group).
struct Place {
  int group;
  int part;
};
constexpr std::array<Place, 17> kPlaces = {{{1, 0}, {1, 1}, {1, 2}, {1, 3}, {1, 4}, {1, 5},
                                            {2, 0}, {2, 1}, {2, 2},
                                            {3, 0}, {3, 1}, {3, 2}, {3, 3}, {3, 4},
                                            {4, -1}, {5, -1}, {6, -1}}};

// A value as the text form can hold it: a brace (or a "|" inside a group of
// parts) would shift the groups when the text is read back, so it becomes "#".
std::string Writable(std::string value, bool part) {
  for (char& c : value)
    if (c == '{' || c == '}' || (part && c == '|')) c = '#';
  return value;
}

std::string Lookup(const std::map<std::string, std::string>& map, const std::string& key) {
  auto it = map.find(key);
  return it == map.end() ? std::string() : it->second;
}

}  // namespace

bool CMatDef::Parse(const std::string& text) {
  for (size_t k = 0; k < MatDefKeys.size(); ++k) {
    const std::string group = StrGetToken(text, "{", "}", kPlaces[k].group);
    values_[MatDefKeys[k]] = kPlaces[k].part < 0 ? group : StrGetField(group, '|', kPlaces[k].part);
  }
  std::string& ctime = values_["CTIME"];
  if (ctime.empty()) ctime = GetCreationTimeFromId(values_["ID"]);

  std::string name = values_["BEZEICHNUNG"], kind = values_["SPEZ_1"], standard = values_["SPEZ_2"],
              testType = values_["SPEZ_3"], time = ctime;
  if (FillBuiltinMaterialTexts(values_["ID"], name, kind, standard, testType, time)) {
    values_["BEZEICHNUNG"] = name;
    values_["SPEZ_1"] = kind;
    values_["SPEZ_2"] = standard;
    values_["SPEZ_3"] = testType;
    values_["CTIME"] = time;
  }
  return true;
}

std::string CMatDef::Format() const {
  std::string text = "{0}";
  int group = 0;
  for (size_t k = 0; k < MatDefKeys.size(); ++k) {
    if (kPlaces[k].group != group) {
      if (group != 0) text += "}";
      text += "{";
      group = kPlaces[k].group;
    } else {
      text += "|";
    }
    text += Writable(GetValue(MatDefKeys[k]), kPlaces[k].part >= 0);
  }
  return text + "}";
}

std::string CMatDef::GetValue(const std::string& key) const { return Lookup(values_, key); }

std::string CMatDef::GetShownText(const std::string& key) const { return Lookup(shownTexts_, key); }

std::string CMatDef::GetSideTestEntry(const std::string& testKey) const {
  return FindSideTestItem(GetValue("NEBENPRUEFUNGEN"), testKey);
}

std::string FindSideTestItem(const std::string& sideTests, const std::string& testKey) {
  for (int i = 0;; ++i) {
    std::string item = StrGetToken(sideTests, "[", "]", i);
    if (item.empty()) return "";
    if (StrFind(item, testKey) == 0) return item;
  }
}

std::string FindSideTestEntry(const std::string& matDefText, const std::string& testKey) {
  return FindSideTestItem(StrGetToken(matDefText, "{", "}", 5), testKey);
}

std::string GetCreationTimeFromId(const std::string& id) {
  const std::string c = StrGetFieldS(id, "-", 1);
  if (c.size() != 15) return "";
  return "20" + c.substr(0, 2) + "-" + c.substr(2, 2) + "-" + c.substr(4, 2) + " " + c.substr(6, 2) +
         ":" + c.substr(8, 2);
}

std::string GetTestTypeName(const std::string& testKey) {
  struct Name {
    const char* key;
    int textId;
    const char* german;
  };
  static constexpr Name kNames[] = {
      {"VA_KORNF", 5003, "Kornform"},           {"VA_PLATT", 5004, "Plattigkeit"},
      {"VA_ORGAN", 5005, "Stoffe org. Urspr."}, {"VA_BRUCH", 5006, "Bruchflächigkeit"},
      {"VA_PETRO", 5007, "Petrographie"},       {"VA_RCZUS", 5008, "stoffl. Zusammens."},
      {"VA_WASSERG", 5009, "Wassergehalt"},     {"VA_FLIESSK", 5010, "Fließkoeffizient"},
      {"VA_ALKALI", 5011, "Alkali"},            {"VA_ROHDI", 5012, "Rohdichte"},
      {"VA_WBS", 5013, "Wasserbausteine"},      {"VA_100MM", 5014, "Länge > 100 mm"},
      {"VA_UWERT", 7245, "U-Wert"},             {"VA_SANDEQ", 7502, "Sandäquivalent"},
      {"VA_GRUND", 5001, "Grunddaten"},         {"VA_SIEBL", 5002, "Sieblinie"}};
  for (const Name& n : kNames)
    if (testKey == n.key) return TranslateString(n.textId, n.german);
  return testKey;
}
