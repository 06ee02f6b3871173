#include "records/versuch.h"

#include "platform/datetime.h"
#include "records/matdef.h"
#include "records/strutil.h"

const std::array<const char*, 22> TestTypeKeys = {
    "VA_GRUND",       "VA_SIEBL",          "VA_KORNF",         "VA_PLATT",      "VA_ORGAN",
    "VA_BRUCH",       "VA_PETRO",          "VA_RCZUS",         "VA_WASSERG",    "VA_SANDEQ",
    "VA_FLIESSK",     "VA_ALKALI",         "VA_ROHDI",         "VA_WBS",        "VA_100MM",
    "VA_GS_KORNFORM", "VA_GS_UMWELT",      "VA_GS_WASSER",     "VA_GS_KRISTALL", "VA_GS_PLATTIGKEIT",
    "VA_GS_LAENGER100", "VA_GS_REINHEIT"};

std::string GetTodayText() { return platform::FormatLocalTime("%Y%m%d"); }

std::string FormatStoredDate(const std::string& s) {
  if (s.size() >= 14)
    return s.substr(0, 4) + "-" + s.substr(4, 2) + "-" + s.substr(6, 2) + " " + s.substr(8, 2) +
           ":" + s.substr(10, 2) + ":" + s.substr(12, 2);
  if (s.size() >= 8) return s.substr(0, 4) + "-" + s.substr(4, 2) + "-" + s.substr(6, 2);
  return s;
}

const std::string& CVersuch::GetField(int field) const {
  static const std::string none;
  if (field < 0 || field >= kFieldCount) return none;
  return fields_[static_cast<size_t>(field)];
}

bool CVersuch::SetField(int field, const std::string& text) {
  if (field < 0 || field >= kFieldCount) return false;
  auto& f = fields_[static_cast<size_t>(field)];
  if (f != text) f = text;
  return true;
}

std::string SafeFieldValue(const std::string& value, const std::string& more) {
  std::string clean = value;
  for (char& c : clean)
    if (c == '~' || c == '|' || c == '$' || more.find(c) != std::string::npos) c = '#';
  return clean;
}

std::string CVersuch::GetValue(int field, int part) const {
  return StrGetFieldS(GetField(field), "|", part);
}

int CVersuch::GetValueInt(int field, int part) const { return PlainAtoi(GetValue(field, part)); }

bool CVersuch::SetValue(int field, int part, const std::string& value) {
  if (field < 0 || field >= kFieldCount || part < 0) return true;
  const std::string clean = SafeFieldValue(value);
  std::string text = GetField(field);
  StrSetField(text, '|', part, clean);
  SetField(field, text);
  return true;
}

namespace {

// The ";" that the reader of field 18 removes: the first one, unless it is
// the first character.
size_t LoadDroppedSemicolon(const std::string& text) {
  const size_t semi = text.find(';');
  return semi == 0 ? std::string::npos : semi;
}

}  // namespace

bool CVersuch::SetFieldOnLoad(int field, std::string text) {
  if (field < 0 || field >= kFieldCount) return false;
  if (field == 18)
    if (const size_t semi = LoadDroppedSemicolon(text); semi != std::string::npos) text.erase(semi, 1);
  fields_[static_cast<size_t>(field)] = std::move(text);
  return true;
}

std::string CVersuch::GetFieldForStore(int field) const {
  std::string text = GetField(field);
  if (field == 18)
    if (const size_t semi = LoadDroppedSemicolon(text); semi != std::string::npos) text.insert(semi, 1, ';');
  return text;
}

std::string CVersuch::GetGroup(int field, int group) const {
  return StrGetToken(GetField(field), "{", "}", group);
}

std::string CVersuch::GetGroupValue(int field, int group, int part) const {
  return StrGetField(GetGroup(field, group), '|', part);
}

std::string CVersuch::GetInfo1Label() const {
  std::string label = GetValue(1, 23);
  return label.empty() ? "Baustelle" : label;
}

void CVersuch::SetSignatureFile(const std::string& path) {
  SetValue(1, 25, path);
  signature_.reset();
}

std::string CVersuch::GetInfo2Label() const {
  std::string label = GetValue(1, 24);
  return label.empty() ? "Schicht" : label;
}

std::string CVersuch::GetMaterialId() const { return StrGetField(GetField(5), ';', 8); }

std::string CVersuch::GetSideTestEntry(const std::string& testKey) const {
  return FindSideTestItem(GetSideTests(), testKey);
}

std::string CVersuch::GetHeadingPrefix(const std::string& /*headingCode*/) const { return ""; }

bool CVersuch::IsToleratedSieveValue(const std::string& sieveSize, const std::string& passing) const {
  if (!IsBallastToleranceOn()) return false;
  double size = PlainAtof(sieveSize);
  return (size == 50.0 || size == 63.0) && PlainAtof(passing) > 99.0;
}

bool CVersuch::HasSieveData() const { return IsGleisschotter() || GetValue(7, 6) == "1"; }

bool CVersuch::IsWetSieving() const {
  const std::string active = GetValue(3, 0);
  return (active == "0" && GetValue(7, 2) == "0") || (active == "1" && GetValue(8, 2) == "0");
}

std::string CVersuch::GetStatisticsValue(int field, int part, const std::string& statusList,
                                         const std::string& testKey) const {
  int pos = StrFind(statusList, testKey);
  if (pos <= 0) return "";
  std::string value = GetValue(field, part);
  StrReplace(value, "_*", "", true);
  size_t statusPos = static_cast<size_t>(pos) + testKey.size() + 1;
  if (statusPos < statusList.size() && statusList[statusPos] == TestStatus::NotMet) value += "_*";
  return value;
}

void CVersuch::SetTestStatus(const std::string& testKey, const std::string& status) {
  std::string list = GetValue(29, 0);
  const std::string probe = "[" + testKey + ":";
  const std::string entry = testKey + ":" + status;
  size_t first = list.find(probe);
  if (first == std::string::npos) {
    list += "[" + entry + "]";
  } else {
    // The rest begins behind the old one-character status, with its "]".
    size_t restStart = first + probe.size() + 1;
    std::string rest = restStart < list.size() ? list.substr(restStart) : std::string();
    for (size_t dup = rest.find(probe); dup != std::string::npos; dup = rest.find(probe, dup)) {
      size_t close = rest.find(']', dup);
      rest.erase(dup, close == std::string::npos ? std::string::npos : close - dup + 1);
    }
    list = list.substr(0, first + 1) + entry + rest;
  }
  SetValue(29, 0, list);
}

void CVersuch::UpdateTestStatus(const std::string& testKey, const std::string& status) {
  SetTestStatus(testKey, status);
  SetValue(1, 6, GetTodayText());
}
