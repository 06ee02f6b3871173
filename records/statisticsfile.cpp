#include "records/statisticsfile.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <span>

#include "i18n/translation.h"
#include "platform/datetime.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/textfile.h"
#include "records/matdef.h"
#include "records/requirement.h"
#include "records/strutil.h"
#include "records/versuch.h"

namespace {

// All fields of the text at the separator; an empty text is one empty field.
std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find(separator, start);
    if (end == std::string::npos) {
      parts.push_back(text.substr(start));
      return parts;
    }
    parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
}

std::string Part(const std::string& selection, int n) { return StrGetField(selection, '|', n); }

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The kind of monitoring the selection names, as BROWSERINFO shows it.
std::string MonitoringText(const std::string& selection) {
  if (Part(selection, 6) == "1") return TranslateString(5185, "EÜ");
  if (Part(selection, 7) == "1") return TranslateString(5186, "BÜ/Lieferzust.");
  if (Part(selection, 8) == "1") return TranslateString(5187, "BÜ/eigeb. Zust.");
  return "";
}

// The rest of BROWSERINFO after the period, common to both files.
std::string BrowserInfoTail(const StatisticsKeyMap& keys, const std::string& selection, std::time_t now) {
  auto key = [&keys](const char* name) {
    auto it = keys.find(name);
    return it == keys.end() ? std::string() : it->second;
  };
  return "|" + platform::FormatLocalTime("%Y-%m-%d %H:%M", now) + "|" + key("BETREIBER") + " / " + key("WERK") +
         "|" + key("KUNDE_BEZEICHNUNG") + "|" + key("MATERIALART") + "|" + MonitoringText(selection);
}

// Writes the keys in order, each on a line of its own; "" items are empty lines.
class FileText {
 public:
  explicit FileText(const StatisticsKeyMap& keys) : keys_(keys) {}
  void Key(const char* name) {
    auto it = keys_.find(name);
    text_ += std::string("\n") + name + "=" + (it == keys_.end() ? std::string() : it->second);
  }
  void Raw(const std::string& text) { text_ += text; }
  std::string Take() { return std::move(text_); }

 private:
  const StatisticsKeyMap& keys_;
  std::string text_;
};

std::vector<std::string> Towers(const std::vector<const CVersuch*>& set) {
  std::vector<std::string> towers;
  towers.reserve(set.size());
  for (const CVersuch* record : set) towers.push_back(record->GetValue(6, 0));
  return towers;
}

// The side-test values of a VERSUCH line: field, part and test key; the
// grain shape's "not met" mark becomes "_#", the crushed surfaces give two
// values.
struct SideTestColumn {
  enum Kind { Plain, Shape, Pair };
  int field;
  int part;
  const char* key;
  Kind kind = Plain;
};
constexpr SideTestColumn kColumns[] = {
    {10, 10, "VA_KORNF", SideTestColumn::Shape}, {23, 6, "VA_PLATT"},    {13, 5, "VA_FLIESSK"},
    {10, 13, "VA_BRUCH", SideTestColumn::Pair},  {17, 0, "VA_WASSERG"},  {19, 1, "VA_ORGAN"},
    {15, 1, "VA_RCZUS"},                         {16, 0, "VA_100MM"},    {21, 1, "VA_PETRO"},
    {24, 1, "VA_ALKALI"},                        {26, 21, "VA_ROHDI"},   {26, 14, "VA_WBS"},
};
constexpr SideTestColumn kBallastColumns[] = {
    {12, 1, "VA_GS_KORNFORM", SideTestColumn::Shape}, {23, 1, "VA_GS_PLATTIGKEIT"}, {17, 4, "VA_GS_WASSER"},
    {13, 16, "VA_GS_KRISTALL"}, {16, 0, "VA_GS_LAENGER100"}, {14, 2, "VA_GS_REINHEIT"}, {22, 3, "VA_GS_UMWELT"},
};

// Running figures of one column.
struct Column {
  double sum = 0;
  double squares = 0;
  double min = 0;
  double max = 0;
  int count = 0;
};

}  // namespace

std::string FormatGermanDate(const std::string& date) {
  if (date.size() <= 7) return date;
  return date.substr(6, 2) + "." + date.substr(4, 2) + "." + date.substr(0, 4);
}

std::string MergeSieveTowers(const std::vector<std::string>& towers) {
  std::vector<std::string> sieves;
  for (const std::string& tower : towers)
    for (const std::string& sieve : Split(tower, ';'))
      if (!sieve.empty() && std::find(sieves.begin(), sieves.end(), sieve) == sieves.end()) sieves.push_back(sieve);
  std::stable_sort(sieves.begin(), sieves.end(),
                   [](const std::string& a, const std::string& b) { return PlainAtof(a) < PlainAtof(b); });
  std::string merged;
  for (const std::string& sieve : sieves) merged += (merged.empty() ? "" : ";") + sieve;
  return merged;
}

std::string ListFailedSieves(const CVersuch& record) {
  const std::string tower = record.GetValue(6, 0);
  const std::string values = record.GetValue(10, 0);
  if (tower.empty() || values.empty()) return "";
  std::map<std::string, std::string> passing;
  const std::vector<std::string> sizes = Split(tower, ';');
  const std::vector<std::string> shares = Split(values, ';');
  for (size_t i = 0; i < sizes.size(); ++i) passing[sizes[i]] = i < shares.size() ? shares[i] : "";

  const std::string rows = record.GetValue(4, 0);
  std::string failed;
  for (int g = 0, groups = StrCountChar(rows, '{'); g < groups; ++g) {
    const std::string group = StrGetToken(rows, "{", "}", g);
    if (StrGetField(group, '@', 4) != "1") continue;
    std::string sieve = StrGetField(group, '@', 1);
    if (sieve.empty()) {
      const std::string label = StrGetField(group, '@', 0);
      if (label.find("0,02") != std::string::npos) sieve = "0.02";
      else if (label.find("0,063") != std::string::npos) sieve = "0.063";
      else continue;
    }
    std::vector<std::string> named = {sieve};
    if (const size_t dash = sieve.find('-'); dash != std::string::npos)
      named = {sieve.substr(0, dash), sieve.substr(dash + 1)};
    for (const std::string& s : named)
      if (passing.count(s)) failed += s + ";";
  }
  return failed;
}

std::string BuildSieveColumns(const std::string& mergedTower, const std::string& recordTower,
                              const std::string& sieveValues, const std::string& failedSieves) {
  // Without a tower there are no sieves (an empty one would match the framing).
  if (mergedTower.empty()) return "";
  std::string framed = ";" + failedSieves + ";";
  StrReplace(framed, ".0;", ";");
  const std::vector<std::string> sizes = Split(recordTower, ';');
  const std::vector<std::string> values = Split(sieveValues, ';');
  std::string columns;
  for (std::string sieve : Split(mergedTower, ';')) {
    for (size_t j = 0; j < sizes.size(); ++j)
      if (sizes[j] == sieve && j < values.size()) columns += values[j];
    if (EndsWith(sieve, ".0")) sieve.resize(sieve.size() - 2);
    if (framed.find(";" + sieve + ";") != std::string::npos) columns += "_*";
    columns += ";";
  }
  columns.pop_back();
  return columns;
}

std::string BuildStatisticsLine(const CVersuch& record, const std::string& mergedTower) {
  const std::string status = record.GetTestStatusList();

  // Basic data; the requirement flag ignores the grain shape.
  std::string flag = "1";
  for (int i = 0, n = StrCountChar(status, '['); i < n; ++i) {
    const std::string entry = StrGetToken(status, "[", "]", i);
    if (entry.rfind("VA_KORNF", 0) != 0 && entry.find(":9") != std::string::npos) {
      flag = "0";
      break;
    }
  }
  const int mode = record.GetSievingMode();
  const std::string sieving =
      mode == 1 ? TranslateString(5401, "Nass") : mode == 2 ? TranslateString(5402, "Trocken") : "";
  const std::string alkali = record.GetAlkaliData();
  const std::string basic = record.GetValue(1, 0) + ";" + FormatGermanDate(record.GetSamplingDate()) + ";" +
                            sieving + ";" + record.GetValue(18, 1) + ";" + record.GetValue(18, 0) + ";" + flag +
                            ";" + StrGetToken(alkali, "E_O:", "|", 0) + " " + StrGetToken(alkali, "E_OF:", "|", 0);

  // Sieve columns with the failed sieves marked.
  std::string failed = record.GetValue(10, 1);
  if (failed.empty() && PlainAtof(record.GetValue(2, 0)) < 2 && status.find("[VA_SIEBL:9]") != std::string::npos)
    failed = ListFailedSieves(record);
  const std::string sieves = BuildSieveColumns(mergedTower, record.GetValue(6, 0), record.GetValue(10, 0), failed);

  // One statistics value per side test.
  std::string side;
  using Columns = std::span<const SideTestColumn>;
  const Columns columns = record.IsDbMaterial() ? Columns(kBallastColumns) : Columns(kColumns);
  for (const SideTestColumn& column : columns) {
    std::string value = record.GetStatisticsValue(column.field, column.part, status, column.key);
    if (column.kind == SideTestColumn::Shape) StrReplace(value, "_*", "_#");
    if (column.kind == SideTestColumn::Pair)
      side += StrGetField(value, '@', 0) + ";" + StrGetField(value, '@', 1) + ";";
    else
      side += value + ";";
  }

  // Recycled composition: the share of each constituent, marked where it fails.
  std::string recycled;
  const std::string marks = record.GetValue(15, 6);
  const std::vector<std::string> constituents = Split(record.GetValue(10, 25), '@');
  for (size_t i = 0; i < constituents.size(); ++i) {
    if (constituents[i].empty()) continue;
    recycled += StrGetFieldS(constituents[i], "¿", 1);
    if (StrGetField(marks, '@', static_cast<int>(i)) == "2") recycled += "_*";
    recycled += "@";
  }

  return "{" + basic + "}{" + sieves + "}{" + side + "}{" + record.GetValue(10, 20) + ";}{" + recycled + "}{" +
         record.GetGroupValue(25, 1, 3) + "}";
}

std::array<std::string, 6> ComputeStatisticsRows(const std::vector<std::string>& lines,
                                                 const std::string& shapeIndexCode) {
  auto joined = [](const std::string& line) {
    return StrGetToken(line, "{", "}", 1) + ";" + StrGetToken(line, "{", "}", 2);
  };
  const std::string layout = lines.empty() ? ";" : joined(lines.front());
  const int sieveColumns = StrCountFields(lines.empty() ? "" : StrGetToken(lines.front(), "{", "}", 1), ';');
  // The last side-test value and the empty field behind the final ";" get no column.
  const int columnCount = std::clamp(StrCountFields(layout, ';') - 2, 0, 98);

  std::vector<Column> columns(static_cast<size_t>(columnCount));
  std::vector<std::vector<double>> values(lines.size());
  std::vector<std::vector<bool>> present(lines.size());
  for (size_t l = 0; l < lines.size(); ++l) {
    const std::vector<std::string> fields = Split(joined(lines[l]), ';');
    values[l].assign(columns.size(), 0.0);
    present[l].assign(columns.size(), false);
    for (size_t j = 0; j < columns.size() && j < fields.size(); ++j) {
      std::string field = fields[j];
      StrReplace(field, "_*", "");
      size_t used = 0;
      const double x = platform::ParseDouble(field, &used);
      // Empty fields and texts that hold no number are no values.
      if (used == 0) continue;
      Column& c = columns[j];
      if (c.count == 0 || x < c.min) c.min = x;
      if (c.count == 0 || x > c.max) c.max = x;
      c.sum += x;
      ++c.count;
      values[l][j] = x;
      present[l][j] = true;
    }
  }
  for (size_t l = 0; l < lines.size(); ++l)
    for (size_t j = 0; j < columns.size(); ++j)
      if (present[l][j]) {
        const double d = values[l][j] - columns[j].sum / columns[j].count;
        columns[j].squares += d * d;
      }

  std::array<std::string, 6> rows;
  for (size_t j = 0; j < columns.size(); ++j) {
    const Column& c = columns[j];
    std::array<std::string, 6> texts;
    if (c.count > 0) {
      const double mean = c.sum / c.count;
      texts[0] = platform::FormatFixed(mean, 1);
      if (static_cast<int>(j) == sieveColumns && !shapeIndexCode.empty() &&
          CheckRequirement(shapeIndexCode, texts[0]) == RequirementResult::NotMet)
        texts[0] += "_*";
      if (c.count > 1) {
        const double deviation = std::sqrt(c.squares / (c.count - 1));
        texts[1] = platform::FormatFixed(deviation, 1);
        if (mean > 0.001) texts[2] = platform::FormatFixed(deviation * 100 / mean, 1);
      }
      texts[3] = platform::FormatFixed(c.min, 1);
      texts[4] = platform::FormatFixed(c.max, 1);
      texts[5] = platform::FormatFixed(c.max - c.min, 1);
    }
    const bool last = j + 1 == columns.size();
    const std::string after = static_cast<int>(j) == sieveColumns - 1 ? "}{" : last ? "" : ";";
    for (size_t r = 0; r < rows.size(); ++r) rows[r] += texts[r] + after;
  }
  for (std::string& row : rows) row = "{" + row + "}";
  return rows;
}

void BuildStatisticsFilter(const std::vector<const CVersuch*>& set, const std::string& selection,
                           const std::string& typStart, StatisticsKeyMap& keys, std::time_t now) {
  const CVersuch& first = *set.front();
  keys["DEBUG_FILTER"] = selection;
  std::string typ = typStart;
  if (first.IsGleisschotterMaterial()) typ += "G";
  else if (first.IsKorngemisch()) typ += "K";
  if (first.IsDbMaterial()) typ += "D";
  keys["TYP"] = typ;
  keys["DATUMVON"] = platform::FormatIsoDate(Part(selection, 4));
  keys["DATUMBIS"] = platform::FormatIsoDate(Part(selection, 5));
  keys["MATERIALART"] = first.GetValue(30, 3);
  std::string testKind;
  if (Part(selection, 6) == "1") testKind = TranslateString(5182, "Eigenüberwachung");
  else if (Part(selection, 7) == "1") testKind = TranslateString(5183, "Baustellenüberwachung / Lieferzustand");
  else if (Part(selection, 8) == "1") testKind = TranslateString(5184, "Baustellenüberwachung / eingebauter Zustand");
  keys["PRUEFART"] = testKind;
  keys["BETREIBER"] = first.GetValue(1, 18);
  keys["BETREIBER_NR"] = first.GetValue(1, 16);
  keys["WERK"] = first.GetValue(1, 17);
  keys["WERK_NR"] = first.GetValue(1, 15);
  keys["ERSTELLT_AM"] = platform::FormatLocalTime("%Y-%m-%d", now);
  keys["KUNDE_ID"] = Part(selection, 9);
  keys["KUNDE_BEZEICHNUNG"] = Part(selection, 9).empty() ? "" : first.GetValue(1, 20);
}

StatisticsFile WriteMaterialStatistics(const std::vector<const CVersuch*>& set, const std::string& selection,
                                       const CVersuch& reference, const std::filesystem::path& dataFolder,
                                       std::time_t now) {
  const CVersuch& first = *set.front();
  CMatDef material;
  material.Parse(first.GetField(25));

  StatisticsKeyMap keys;
  keys["ANFORDERUNGS_STRING"] = reference.GetField(5);
  keys["MATDEF_STRING"] = reference.GetField(25);
  keys["SOLLKURVEN"] = reference.GetDefaultSollkurven(true);
  keys["FORMATVERSION"] = "002";
  const std::string kind = first.GetValue(1, 2);
  std::string typ = "M";
  if ((kind == "0" || kind == "1" || kind == "4") && first.GetValue(1, 3) == "0") typ += "eK";
  BuildStatisticsFilter(set, selection, typ + "sonder", keys, now);
  keys["MATERIAL"] = first.GetValue(18, 0);
  keys["PRUEFART"] = material.GetValue("SPEZ_3");
  keys["VORSCHRIFT"] = first.GetValue(18, 1);
  keys["BROWSERINFO"] = "M||" + Part(selection, 4) + "-" + Part(selection, 5) + "|" + first.GetValue(18, 0) +
                        BrowserInfoTail(keys, selection, now);

  const std::string tower = MergeSieveTowers(Towers(set));
  keys["SIEBTURM"] = tower;
  std::vector<std::string> lines;
  lines.reserve(set.size());
  for (const CVersuch* record : set) lines.push_back(BuildStatisticsLine(*record, tower));

  const char* shapeKey = reference.IsDbMaterial() ? "VA_GS_KORNFORM" : "VA_KORNF";
  const std::string code = StrGetField(FindSideTestEntry(reference.GetField(25), shapeKey), '|', 1);
  const std::array<std::string, 6> rows = ComputeStatisticsRows(lines, code);

  FileText out(keys);
  out.Raw(kStatisticsBanner);
  out.Raw("\nDATA_START");
  for (const char* key : {"FORMATVERSION", "BROWSERINFO", "TYP", "BETREIBER", "BETREIBER_NR", "WERK", "WERK_NR",
                          "MATERIAL", "MATERIALART", "VORSCHRIFT", "PRUEFART", "ANFORDERUNGS_STRING",
                          "MATDEF_STRING", "SOLLKURVEN", "KUNDE_ID", "KUNDE_BEZEICHNUNG", "DATUMVON", "DATUMBIS",
                          "ERSTELLT_AM", "DEBUG_FILTER", "SIEBTURM"})
    out.Key(key);
  out.Raw("\n");
  const CVersuch& last = *set.back();
  for (const char* test : TestTypeKeys) {
    const bool needed = last.ContainsTestType(test);
    out.Raw(std::string("\nIS_NOETIG_") + test + "=" + (needed ? "1" : "0"));
    if (needed && std::string(test) == "VA_RCZUS")
      out.Raw("\nVA_RCZUS_MATERIALIEN=" + StrGetField(material.GetSideTestEntry("VA_RCZUS"), '|', 1));
  }
  for (const std::string& line : lines) out.Raw("\nVERSUCH=" + line);
  out.Raw("\n");
  const char* rowKeys[6] = {"S_MITTELWERT", "S_STANDARDABWEICHUNG", "S_VARIATIONSKOEFFIZIENT",
                            "S_MINIMUM",    "S_MAXIMUM",            "S_STREUUNG"};
  for (size_t r = 0; r < rows.size(); ++r) out.Raw(std::string("\n") + rowKeys[r] + "=" + rows[r]);
  out.Raw("\n");
  out.Raw("\nDATA_STOP\n");
  return {dataFolder / "stat" / platform::FormatLocalTime("M%Y%m%d-%H%M%S.sta", now), out.Take()};
}

StatisticsFile WritePeriodStatistics(const std::vector<const CVersuch*>& set, const std::string& selection,
                                     const std::filesystem::path& dataFolder, std::time_t now) {
  StatisticsKeyMap keys;
  keys["FORMATVERSION"] = "001";
  BuildStatisticsFilter(set, selection, "Tsonder", keys, now);
  const std::string from = Part(selection, 4);
  const std::string to = Part(selection, 5);
  keys["BROWSERINFO"] = "T|" + (to.empty() || to == from ? from + "||" : "|" + from + "-" + to + "|") +
                        BrowserInfoTail(keys, selection, now);

  const std::string tower = MergeSieveTowers(Towers(set));
  keys["SIEBTURM"] = tower;

  FileText out(keys);
  out.Raw(kStatisticsBanner);
  out.Raw("\n");
  out.Raw("\nDATA_START\n");
  out.Key("FORMATVERSION");
  out.Raw("\n");
  out.Key("BROWSERINFO");
  out.Raw("\n");
  for (const char* key : {"TYP", "BETREIBER", "BETREIBER_NR", "WERK", "WERK_NR", "MATERIALART", "PRUEFART"})
    out.Key(key);
  out.Raw("\n");
  out.Key("KUNDE_ID");
  out.Key("KUNDE_BEZEICHNUNG");
  out.Raw("\n");
  out.Key("DATUMVON");
  out.Key("DATUMBIS");
  out.Raw("\n");
  out.Key("ERSTELLT_AM");
  out.Raw("\n");
  out.Key("DEBUG_FILTER");
  out.Raw("\n\n");
  out.Key("SIEBTURM");
  out.Raw("\n");
  for (const char* test : TestTypeKeys) {
    const bool needed = std::any_of(set.begin(), set.end(),
                                    [test](const CVersuch* record) { return record->ContainsTestType(test); });
    out.Raw(std::string("\nIS_NOETIG_") + test + "=" + (needed ? "1" : "0") + "\n");
  }
  for (const CVersuch* record : set) out.Raw("\nVERSUCH=" + BuildStatisticsLine(*record, tower));
  out.Raw("\n");
  out.Raw("\nDATA_STOP\n");
  return {dataFolder / "stat" / platform::FormatLocalTime("T%Y%m%d-%H%M%S.sta", now), out.Take()};
}

std::optional<std::filesystem::path> SaveStatisticsFile(const StatisticsFile& file) {
  std::filesystem::path path = file.path;
  for (int n = 2; platform::PathTaken(path); ++n)
    path = file.path.parent_path() / (file.path.stem().string() + "_" + std::to_string(n) + file.path.extension().string());
  if (!platform::WriteTextFile(path, file.text)) return std::nullopt;
  return path;
}
