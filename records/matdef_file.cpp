#include "records/matdef_file.h"

#include "i18n/translation.h"
#include "platform/files.h"
#include "platform/textfile.h"
#include "records/strutil.h"

std::filesystem::path MaterialDefFilePath(const std::filesystem::path& dataFolder) {
  return dataFolder / "matdef" / "material_def.dat";
}

bool ReadMaterialDefs(const std::filesystem::path& dataFolder, std::vector<std::string>& list,
                      std::string& errorText) {
  list.clear();
  const std::filesystem::path path = MaterialDefFilePath(dataFolder);
  if (!platform::FileExists(path)) {
    errorText = TranslateString(5286, "Keine Datei mit selbstdef. Materialien vorhanden!");
    return false;
  }
  const auto text = platform::ReadTextFile(path);
  if (!text) return false;

  bool started = false;
  for (const std::string& line : platform::SplitLines(*text)) {
    if (!started) {
      started = line.rfind("DATA_START", 0) == 0;
      continue;
    }
    if (line.rfind("DATA_STOP", 0) == 0) {
      list.insert(list.end(), BuiltinMaterialEntries().begin(), BuiltinMaterialEntries().end());
      return true;
    }
    list.push_back(TrimWhite(line));
  }
  errorText = started ? TranslateString(5288, "Datei mit selbstdef. Materialien fehlerhaft!\nStopp-Markierung fehlt!")
                      : TranslateString(5287, "Datei mit selbstdef. Materialien fehlerhaft!\nStart-Markierung fehlt!");
  return false;
}

bool FillBuiltinMaterialTexts(const std::string& id, std::string& name, std::string& kind,
                              std::string& standard, std::string& testType, std::string& time) {
  bool assigned = false;
  auto assign = [&assigned](std::string& target, const std::string& value) {
    target = value;
    assigned = true;
  };
  const std::string p14 = id.substr(0, 14);

  if (kind.empty() && name.find("Gleisschotter") != std::string::npos) assign(kind, "Gleisschotter");

  if (p14 == "SDM-DBDBDB-BK-") assign(kind, "Brechkorn");
  else if (p14 == "SDM-DBDBDB-RK-") assign(kind, "Rundkorn");
  else if (p14 == "SDM-DBDBDB-RC-") assign(kind, "Recycling");

  if (standard.empty() && p14 == "SDM-DBDBDB-GS-") {
    const int number = id.size() > 14 ? PlainAtoi(id.substr(14)) : 0;
    if (number >= 1 && number <= 6) assign(standard, "DIN EN 13450 / DBS 918061");
  }

  if (testType.empty() &&
      (p14 == "SDM-DBDBDB-BK-" || p14 == "SDM-DBDBDB-RK-" || p14 == "SDM-DBDBDB-RC-" ||
       p14 == "SDM-DBDBDB-GSR" || p14 == "SDM-DBDBDB-GS-"))
    assign(testType, "Werkseigene Produktionskontrolle");

  // The standard written into the name: the first of these found after the
  // name's first character is cut out.
  struct Suffix {
    const char* text;
    int standardOffset;    // where the standard starts in the suffix; -1: fixed text
    bool datedAugust2006;
  };
  static constexpr Suffix kSuffixes[] = {
      {"*3* DIN EN 13450 / DBS 918061 August 2006", 4, true},
      {"DIN EN 13450 / DBS 918061", 0, false},
      {"*2* DBS 918 061 August 2006", -1, true},
      {"DBS 918 061", -1, false}};
  for (const Suffix& s : kSuffixes) {
    const size_t p = name.find(s.text);
    if (p == std::string::npos || p == 0) continue;
    assign(standard, s.standardOffset < 0 ? std::string("DBS 918 061")
                                          : name.substr(p + static_cast<size_t>(s.standardOffset), 25));
    assign(name, name.substr(0, p));
    if (s.datedAugust2006) assign(time, "2006-08-01");
    break;
  }

  if (id.compare(0, 13, "SDM-DBDBDB-GS") == 0) {
    size_t p = name.find("*3*");
    if (p == std::string::npos) p = name.find("*2*");
    if (p != std::string::npos && p > 0) assign(name, name.substr(0, p));
  }
  return assigned;
}
