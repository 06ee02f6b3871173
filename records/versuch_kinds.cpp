// What a record is depends on the material it carries: which tests and
// report pages apply, the target curves of built-in mixtures, the list
// summary and the completion of records read from the record file.
#include <array>
#include <algorithm>
#include <climits>

#include "records/matdef.h"
#include "records/matdef_file.h"
#include "records/strutil.h"
#include "records/versuch.h"

namespace {

bool Contains(const std::string& text, const char* sub) { return text.find(sub) != std::string::npos; }

// L contains "[KEY:" but not "[KEY:0]": the test has a status beyond Incomplete.
bool HasDoneEntry(const std::string& statusList, const std::string& key) {
  return Contains(statusList, ("[" + key + ":").c_str()) && !Contains(statusList, ("[" + key + ":0]").c_str());
}

constexpr std::array<const char*, 8> kPageKeys = {"SEITE_A", "SEITE_B", "SEITE_C", "SEITE_D",
                                                  "SEITE_E", "SEITE_F", "SEITE_X", "SEITE_Y"};

// Side tests that apply when their key occurs in the material's NEBENPRUEFUNGEN.
constexpr std::array<const char*, 20> kSideTestKeys = {
    "VA_KORNF",       "VA_PLATT",     "VA_100MM",     "VA_ORGAN",       "VA_BRUCH",
    "VA_PETRO",       "VA_ALKALI",    "VA_ROHDI",     "VA_WBS",         "VA_RCZUS",
    "VA_WASSERG",     "VA_SANDEQ",    "VA_FLIESSK",   "VA_GS_KORNFORM", "VA_GS_UMWELT",
    "VA_GS_WASSER",   "VA_GS_KRISTALL", "VA_GS_PLATTIGKEIT", "VA_GS_LAENGER100", "VA_GS_REINHEIT"};

// Standard upper ("O") and lower ("U") target curves of the built-in grading
// mixtures, by the number's remainder modulo 100.
struct TargetCurves {
  int remainders[2];
  const char* first;
  const char* second;  // nullptr: no second pair
};
const TargetCurves kTargetCurves[] = {
    {{1, 2},
     "{0.02;3;-1}{0.063;7;-1}{0.125;17;-1}{0.25;32;-1}{0.5;43;-1}{1;53;-1}{2;60;-1}{4;71;-1}{8;82;-1}{10;85;-1}{16;92;-1}{31.5;99;-1}{45;100;-1}|1|O|"
     "{0.063;0;-1}{0.125;7;-1}{0.25;14;-1}{0.5;23;-1}{1;32;-1}{2;40;-1}{4;50;-1}{8;62;-1}{16;73;-1}{31.5;85;-1}{45;100;-1}|1|U",
     nullptr},
    {{5, 6},
     "{0.063;5;-1}{0.5;35;-1}{1;40;-1}{2;47;-1}{4;60;-1}{8;68;-1}{16;85;-1}{31.5;99;-1}{45;100;-1}|1|O|"
     "{0.063;0;-1}{0.5;5;-1}{1;9;-1}{2;16;-1}{4;22;-1}{8;35;-1}{16;55;-1}{31.5;90;-1}{45;100;-1}|1|U|",
     "{0.063;5;-1}{0.5;30;-1}{1;35;-1}{2;40;-1}{4;52;-1}{8;60;-1}{16;77;-1}{31.5;99;-1}{45;100;-1}|1|O|"
     "{0.063;0;-1}{0.5;10;-1}{1;14;-1}{2;23;-1}{4;30;-1}{8;43;-1}{16;63;-1}{31.5;90;-1}{45;100;-1}|1|U|"},
    {{9, 10},
     "{0.063;5;-1}{0.5;35;-1}{1;40;-1}{2;47;-1}{5.6;60;-1}{11.2;68;-1}{22.4;85;-1}{45;99;-1}{63;100;-1}|1|O|"
     "{0.063;0;-1}{0.5;5;-1}{1;9;-1}{2;16;-1}{5.6;22;-1}{11.2;35;-1}{22.4;55;-1}{45;90;-1}{63;100;-1}|1|U|",
     "{0.063;5;-1}{0.5;30;-1}{1;35;-1}{2;40;-1}{5.6;52;-1}{11.2;60;-1}{22.4;77;-1}{45;99;-1}{63;100;-1}|1|O|"
     "{0.063;0;-1}{0.5;10;-1}{1;14;-1}{2;23;-1}{5.6;30;-1}{11.2;43;-1}{22.4;63;-1}{45;90;-1}{63;100;-1}|1|U|"},
    {{13, 14},
     "{0.063;5;-1}{1;35;-1}{2;40;-1}{4;47;-1}{8;60;-1}{16;68;-1}{31.5;85;-1}{56;99;-1}{80;100;-1}|1|O|"
     "{0.063;0;-1}{1;5;-1}{2;9;-1}{4;16;-1}{8;22;-1}{16;35;-1}{31.5;55;-1}{56;90;-1}{80;100;-1}|1|U|",
     "{0.063;5;-1}{1;30;-1}{2;35;-1}{4;40;-1}{8;52;-1}{16;60;-1}{31.5;77;-1}{56;99;-1}{80;100;-1}|1|O|"
     "{0.063;0;-1}{1;10;-1}{2;14;-1}{4;23;-1}{8;30;-1}{16;43;-1}{31.5;63;-1}{56;90;-1}{80;100;-1}|1|U|"},
};

}  // namespace

bool CVersuch::IsDbMaterial() const { return Contains(GetMaterialId(), "-DBDBDB-"); }

bool CVersuch::IsGleisschotter() const { return IsGleisschotterNeu() || IsGleisschotterRecycling(); }

bool CVersuch::IsGleisschotterNeu() const { return Contains(GetMaterialId(), "DBDBDB-GS-"); }

bool CVersuch::IsGleisschotterRecycling() const { return Contains(GetMaterialId(), "DBDBDB-GSRC-"); }

bool CVersuch::IsDbsBallast() const { return IsGleisschotter() && Contains(GetValue(18, 1), "DBS 918 061"); }

bool CVersuch::IsDinEnBallast() const {
  return IsGleisschotter() && Contains(GetValue(18, 1), "DIN EN 13450 / DBS 918061");
}

bool CVersuch::IsKorngemisch() const {
  int number = 0;
  return GetKorngemischNumber(number);
}

bool CVersuch::GetBuiltinMaterialType(std::string& type, int& number) const {
  type.clear();
  number = 0;
  const std::string id = GetMaterialId();
  static const std::string kPrefix = "[SDM-DBDBDB-";
  if (id.compare(0, kPrefix.size(), kPrefix) != 0) return false;
  const size_t dash = id.find('-', kPrefix.size());
  if (dash == std::string::npos) return false;
  type = id.substr(kPrefix.size(), dash - kPrefix.size());
  long long value = 0;
  for (size_t i = dash + 1; i < id.size() && id[i] >= '0' && id[i] <= '9'; ++i)
    value = std::min<long long>(value * 10 + (id[i] - '0'), INT_MAX);
  number = static_cast<int>(value);
  return true;
}

bool CVersuch::GetKorngemischNumber(int& number) const {
  std::string type;
  int value = 0;
  number = 0;
  if (!GetBuiltinMaterialType(type, value) || (type != "BK" && type != "RK" && type != "RC")) return false;
  number = value;
  return true;
}

bool CVersuch::HasTestType(const std::string& testKey) const {
  if (testKey == "VA_GRUND") return true;
  if (testKey == "VA_SIEBL") return !GetGroupValue(25, 1, 2).empty();
  for (const char* key : kSideTestKeys)
    if (testKey == key) return GetSideTests().find(testKey) != std::string::npos;
  if (testKey == "VA_REINH") return GetValue(1, 2) == "3";
  if (testKey == "VA_KRIST") return IsGleisschotterNeu();
  if (testKey == "VA_UMWEL") return IsGleisschotterRecycling();
  return false;
}

void CVersuch::InitTestStatusList() {
  std::string list;
  for (const char* key : TestTypeKeys)
    if (HasTestType(key)) list += std::string("[") + key + ":0]";
  SetTestStatusList(list);
}

bool CVersuch::IsPageNeeded(const std::string& pageKey) const {
  const std::string list = GetTestStatusList();
  const bool ballast = IsGleisschotter();
  if (pageKey == "SEITE_A") return !ballast && HasDoneEntry(list, "VA_SIEBL");
  if (pageKey == "SEITE_B") return !ballast && HasDoneEntry(list, "VA_PETRO");
  if (pageKey == "SEITE_C")
    return !ballast && (HasDoneEntry(list, "VA_BRUCH") || HasDoneEntry(list, "VA_RCZUS") ||
                        HasDoneEntry(list, "VA_SANDEQ") || HasDoneEntry(list, "VA_100MM"));
  if (pageKey == "SEITE_D") return !ballast && HasDoneEntry(list, "VA_ALKALI");
  if (pageKey == "SEITE_E" || pageKey == "SEITE_F") return !ballast && Contains(list, "[VA_WBS:");
  if (pageKey == "SEITE_X" || pageKey == "SEITE_Y") return ballast;
  return false;
}

int CVersuch::GetPageCount() const {
  int count = 0;
  for (const char* key : kPageKeys) count += IsPageNeeded(key) ? 1 : 0;
  return count;
}

std::string CVersuch::GetDefaultSollkurven(bool withSecondPair) const {
  int number = 0;
  if (!GetKorngemischNumber(number) || number < 101 || number > 399) return GetField(11);
  const int remainder = number % 100;
  for (const TargetCurves& curves : kTargetCurves) {
    if (remainder != curves.remainders[0] && remainder != curves.remainders[1]) continue;
    std::string result = curves.first;
    if (withSecondPair && curves.second) result += curves.second;
    return result;
  }
  return GetField(11);
}

int CVersuch::GetSievingMode() const {
  if (!ContainsTestType("VA_SIEBL")) return 0;
  const std::string dry = GetValue(7, 2);
  return dry == "1" ? 2 : dry == "0" ? 1 : 0;
}

void CVersuch::UpdateListSummary() {
  CMatDef material;
  material.Parse(GetField(25));
  const std::string kind = material.GetValue("SPEZ_1");
  const std::string standard = material.GetValue("SPEZ_2");
  const std::string testType = material.GetValue("SPEZ_3");

  const std::string requirements = GetField(5);
  std::string name = StrGetField(requirements, ';', 2) + " " + StrGetField(requirements, ';', 6) + " " +
                     StrGetField(requirements, ';', 7);
  StrReplace(name, "  ", " ");
  while (!name.empty() && name.back() == ' ') name.pop_back();

  const std::array<std::string, 16> columns = {
      GetValue(1, 0),  "",              testType,        kind,
      name,            standard,        GetValue(1, 20), GetValue(1, 7),
      GetValue(1, 8),  FormatStoredDate(GetValue(1, 9)), FormatStoredDate(GetValue(1, 11)), GetValue(1, 12),
      GetValue(1, 17), GetValue(1, 18), FormatStoredDate(GetValue(1, 5)), FormatStoredDate(GetValue(1, 6))};
  std::string summary;
  for (size_t i = 0; i < columns.size(); ++i) summary += (i ? "|" : "") + columns[i];
  SetField(30, summary);

  SetValue(18, 0, name);
  SetValue(18, 1, standard);
}

void CVersuch::MigrateOnLoad() {
  const std::string id = StrGetToken(GetMaterialId(), "[", "]", 0);
  std::string time;

  // 1. The material columns of the list summary.
  std::string summary = GetField(30);
  std::string testType = StrGetField(summary, '|', 2);
  std::string kind = StrGetField(summary, '|', 3);
  std::string name = StrGetField(summary, '|', 4);
  std::string standard = StrGetField(summary, '|', 5);
  if (FillBuiltinMaterialTexts(id, name, kind, standard, testType, time)) {
    StrSetField(summary, '|', 2, testType);
    StrSetField(summary, '|', 3, kind);
    StrSetField(summary, '|', 4, name);
    StrSetField(summary, '|', 5, standard);
    // The row has 16 columns, also when the stored summary was shorter.
    if (StrCountFields(summary, '|') < 16) StrSetField(summary, '|', 15, "");
    SetField(30, summary);
  }

  // 2. Display name and standard of the report data.
  std::string reportData = GetField(18);
  name = StrGetField(reportData, '|', 0);
  standard = StrGetField(reportData, '|', 1);
  if (FillBuiltinMaterialTexts(id, name, kind, standard, testType, time)) {
    StrSetField(reportData, '|', 0, name);
    StrSetField(reportData, '|', 1, standard);
    SetField(18, reportData);
  }

  // 3. The material name of the requirement string.
  std::string requirements = GetField(5);
  name = StrGetField(requirements, ';', 2);
  if (FillBuiltinMaterialTexts(id, name, kind, standard, testType, time)) {
    StrSetField(requirements, ';', 2, name);
    SetField(5, requirements);
  }

  // 4. Older records mark the sieving with "x": the material name tells.
  if (GetValue(7, 2) == "x") SetDrySieving(name.find("Trockensiebung") != std::string::npos);
}
