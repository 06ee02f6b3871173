#include "evaluation/grunddaten/grunddaten.h"

#include <QDate>
#include <algorithm>
#include <cstdio>

#include "i18n/translation.h"
#include "platform/textcodec.h"
#include "platform/textfile.h"
#include "records/strutil.h"

namespace {

constexpr char kLineBreak[] = "#CRLF#";
constexpr char kTakeoverSeparator[] = "¿";

bool AllDigits(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string TrimRightWhite(std::string text) {
  while (!text.empty() && std::string_view(" \t\r\n\v\f").find(text.back()) != std::string_view::npos)
    text.pop_back();
  return text;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  StrReplace(text, from, to, true);
  return text;
}

// A remark from a takeover file, as an edit shows it.
std::string TakenOverRemark(const std::string& value) { return TrimRightWhite(ReplaceAll(value, kLineBreak, "\n")); }

std::string Value(const TakeoverFile& file, size_t index) {
  return index < file.values.size() ? file.values[index] : std::string();
}

void ReadCommon(const CVersuch& r, const CustomerMap& customers, const std::string& today, BasicDataCommon& d) {
  d.testNumber = r.GetValue(1, 0);
  d.statistics = r.GetValue(1, 4) == "1";
  d.testDate = ParseBasicDateTime(r.GetValue(1, 9), today);
  d.samplingDate = ParseBasicDateTime(r.GetSamplingDateTime(), today);
  d.testedBy = r.GetValue(1, 10);
  d.sampledBy = r.GetValue(1, 13);
  d.signaturePath = r.GetSignatureFile();
  d.internalRemark = RemarkForEdit(r.GetRemark());
  d.reportRemark = ReportRemarkForEdit(r.GetValue(1, 14));
  const std::string id = r.GetValue(1, 19);
  d.customerId = !id.empty() && customers.count(id) ? id : std::string();
}

// Test and sampling: parts 9, 10, 11 and 13.
void StorePeopleAndDates(CVersuch& r, const BasicDataCommon& d) {
  r.SetValue(1, 9, FormatBasicDateTime(d.testDate));
  r.SetValue(1, 10, CutText(TrimWhite(d.testedBy), kTestedByLength));
  r.SetValue(1, 11, FormatBasicDateTime(d.samplingDate));
  r.SetValue(1, 13, CutText(TrimWhite(d.sampledBy), kSampledByLength));
}

// Report remark, customer, statistics flag and signature.
void StoreCommonRest(CVersuch& r, const BasicDataCommon& d, const CustomerMap& customers) {
  r.SetValue(1, 14, StoredReportRemark(d.reportRemark));
  if (!d.customerId.empty()) {
    r.SetValue(1, 19, d.customerId);
    const auto name = customers.find(d.customerId);
    r.SetValue(1, 20, name == customers.end() ? std::string() : name->second);
  }
  r.UpdateListSummary();
  r.SetValue(1, 4, d.statistics ? "1" : "0");
  r.SetSignatureFile(d.signaturePath);
}

bool Missing(const std::string& text) { return TrimWhite(text).empty(); }

struct ChoiceText {
  int id;
  const char* german;
};

}  // namespace

// ---- dates

BasicDateTime ParseBasicDateTime(const std::string& stored, const std::string& today) {
  auto parse = [](const std::string& text, BasicDateTime& out) {
    if (text.size() < 8 || !AllDigits(text.substr(0, 8))) return false;
    out.year = std::stoi(text.substr(0, 4));
    out.month = std::stoi(text.substr(4, 2));
    out.day = std::stoi(text.substr(6, 2));
    return QDate(out.year, out.month, out.day).isValid();
  };
  BasicDateTime value;
  if (!parse(stored, value)) {
    value = {};
    parse(today, value);
    return value;
  }
  if (stored.size() > 8) {
    const std::string time = stored.substr(8, 6);
    auto two = [&time](size_t at) { return at < time.size() ? time.substr(at, 2) : std::string("00"); };
    const std::string h = two(0), m = two(2), s = two(4);
    if (AllDigits(h) && AllDigits(m) && AllDigits(s)) {
      value.hour = std::stoi(h);
      value.minute = std::stoi(m);
      value.second = std::stoi(s);
      value.timeSet = value.hour < 24 && value.minute < 60 && value.second < 60;
    }
    if (!value.timeSet) value.hour = value.minute = value.second = 0;
  }
  return value;
}

std::string FormatBasicDateTime(const BasicDateTime& v) {
  char text[32];
  if (v.timeSet)
    std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d%02d", v.year, v.month, v.day, v.hour, v.minute, v.second);
  else
    std::snprintf(text, sizeof text, "%04d%02d%02d", v.year, v.month, v.day);
  return text;
}

// ---- texts

std::string CutText(const std::string& text, int length) {
  return platform::Utf8Prefix(text, static_cast<size_t>(std::max(length, 0)));
}

std::string RemarkForEdit(const std::string& stored) { return ReplaceAll(stored, kLineBreak, "\n"); }

std::string StoredRemark(const std::string& edit) {
  return ReplaceAll(ReplaceAll(TrimWhite(edit), "\r\n", "\n"), "\n", kLineBreak);
}

std::string ReportRemarkForEdit(const std::string& stored) {
  std::string text = stored;
  const std::string mark = kLineBreak;
  for (int i = 0; i < 3 && text.size() >= mark.size() && text.compare(text.size() - mark.size(), mark.size(), mark) == 0;
       ++i)
    text.erase(text.size() - mark.size());
  return ReplaceAll(text, kLineBreak, "\n");
}

std::string LimitReportRemark(const std::string& edit) {
  const std::vector<std::string> lines = platform::SplitLines(ReplaceAll(edit, "\r\n", "\n"));
  std::string out;
  for (size_t i = 0; i < lines.size() && i < static_cast<size_t>(kReportRemarkLines); ++i) {
    if (i) out += '\n';
    out += CutText(lines[i], kReportRemarkLineLength);
  }
  // A final line end stays, unless it would open a seventh line.
  if (lines.size() < static_cast<size_t>(kReportRemarkLines) && !edit.empty() && edit.back() == '\n') out += '\n';
  return out;
}

std::string StoredReportRemark(const std::string& edit) {
  const std::vector<std::string> lines = platform::SplitLines(LimitReportRemark(edit));
  std::string out;
  for (int i = 0; i < kReportRemarkLines; ++i) {
    if (static_cast<size_t>(i) < lines.size()) out += lines[static_cast<size_t>(i)];
    if (i < kReportRemarkLines - 1) out += kLineBreak;
  }
  return ReplaceAll(out, "|", "");
}

// ---- customers

std::vector<Customer> SortedCustomers(const CustomerMap& map) {
  std::vector<Customer> customers;
  customers.reserve(map.size());
  for (const auto& [id, name] : map) customers.push_back({id, name});
  std::sort(customers.begin(), customers.end(), [](const Customer& a, const Customer& b) {
    if (const int order = StrCompareNoCase(a.name, b.name)) return order < 0;
    return a.id < b.id;
  });
  return customers;
}

// ---- reading and storing

BasicData ReadBasicData(const CVersuch& r, const CustomerMap& customers, const std::string& today) {
  BasicData d;
  ReadCommon(r, customers, today, d);
  d.infoMode = r.GetValue(1, 1);
  d.samplingPoint = r.GetValue(1, 12);
  d.info1 = r.GetValue(1, 7);
  d.info2 = r.GetValue(1, 8);
  d.info1Label = r.GetInfo1Label();
  d.info2Label = r.GetInfo2Label();
  return d;
}

BallastData ReadBallastData(const CVersuch& r, const CustomerMap& customers, const std::string& today) {
  BallastData d;
  ReadCommon(r, customers, today, d);
  d.newBallast = r.GetMaterialId().find("-GS-") != std::string::npos;
  d.storedInTrack = r.GetValue(1, 1);
  d.inTrack = d.storedInTrack == "1";
  d.protocolNumber = r.GetValue(1, 30);
  d.year = r.GetValue(1, 31);
  const int indexParts[kBallastChoiceGroups] = {32, 35, 37, 40};
  for (int group = 0; group < kBallastChoiceGroups; ++group) {
    const std::string index = r.GetValue(1, indexParts[group]);
    d.choices[static_cast<size_t>(group)] = index.empty() ? -1 : PlainAtoi(index);
  }
  d.otherPlace = r.GetValue(1, 33);
  d.otherSource = r.GetValue(1, 38);
  d.otherLoading = r.GetValue(1, 41);
  d.weather = r.GetValue(1, 43);
  d.blastPile = r.GetValue(1, 44);
  d.printVariant = PrintVariantOf(r.GetValue(1, 45));
  return d;
}

std::string StoreBasicData(CVersuch& r, const BasicData& d, const CustomerMap& customers) {
  r.SetValue(1, 7, TrimWhite(d.info1));
  r.SetValue(1, 8, TrimWhite(d.info2));
  StorePeopleAndDates(r, d);
  r.SetValue(1, 12, CutText(TrimWhite(d.samplingPoint), kSamplingPointLength));
  r.SetRemark(StoredRemark(d.internalRemark));
  r.SetInfo1Label(TrimWhite(d.info1Label));
  r.SetInfo2Label(TrimWhite(d.info2Label));
  StoreCommonRest(r, d, customers);
  return BasicDataStatus(d);
}

std::string StoreBallastData(CVersuch& r, const BallastData& d, const CustomerMap& customers) {
  StorePeopleAndDates(r, d);
  r.SetRemark(StoredRemark(d.internalRemark));
  r.SetValue(1, 1, d.inTrack ? "1" : "0");
  r.SetValue(1, 30, d.protocolNumber);
  r.SetValue(1, 31, d.year);
  const int indexParts[kBallastChoiceGroups] = {32, 35, 37, 40};
  const int textParts[kBallastChoiceGroups] = {34, 36, 39, 42};
  for (int group = 0; group < kBallastChoiceGroups; ++group)
    r.SetValueInt(1, indexParts[group], d.choices[static_cast<size_t>(group)]);
  r.SetValue(1, 33, d.otherPlace);
  r.SetValue(1, 38, d.otherSource);
  r.SetValue(1, 41, d.otherLoading);
  r.SetValue(1, 43, d.weather);
  r.SetValue(1, 44, d.blastPile);
  r.SetValueInt(1, 45, d.printVariant == 1 ? 1 : 0);
  for (int group = 0; group < kBallastChoiceGroups; ++group)
    r.SetValue(1, textParts[group], BallastChoiceText(group, d.choices[static_cast<size_t>(group)], d));
  StoreCommonRest(r, d, customers);
  return BallastDataStatus(d);
}

std::string BasicDataStatus(const BasicData& d) {
  if (Missing(d.testedBy) || Missing(d.samplingPoint) || Missing(d.sampledBy)) return "0";
  if (d.infoMode == "1" && (Missing(d.info1) || Missing(d.info2))) return "0";
  return "1";
}

std::string BallastDataStatus(const BallastData& d) {
  if (Missing(d.testedBy) || Missing(d.sampledBy)) return "0";
  for (int group = 0; group < kBallastChoiceGroups; ++group) {
    const int choice = d.choices[static_cast<size_t>(group)];
    if (choice < 0 || choice >= BallastChoiceCount(group)) return "0";
  }
  return "1";
}

bool InTrackNoticeNeeded(const std::string& storedInTrack, bool inTrack) {
  return (storedInTrack == "0" && inTrack) || (storedInTrack == "1" && !inTrack);
}

int BallastChoiceCount(int group) {
  static const int counts[kBallastChoiceGroups] = {4, 2, 2, 5};
  return group >= 0 && group < kBallastChoiceGroups ? counts[group] : 0;
}

std::string BallastChoiceText(int group, int index, const BallastData& d) {
  if (index < 0 || index >= BallastChoiceCount(group)) return {};
  // The last choice of a group is the text typed beside it.
  if (index == BallastChoiceCount(group) - 1) {
    switch (group) {
      case kSamplingPlace: return d.otherPlace;
      case kLoading: return d.otherLoading;
      case kSamplingSource: return d.otherSource;
      default: break;
    }
  }
  static const ChoiceText place[] = {{5217, "an der Bahnverladung"}, {5218, "an der Lkw-Verladung"}};
  static const ChoiceText cleaning[] = {{5219, "mit Nachreinigung"}, {5220, "ohne Nachreinigung"}};
  static const ChoiceText source[] = {
      {5222, "aus Silo/-auslauf"}, {5223, "vom Verladeband"}, {5224, "Bandabwurf"}, {5225, "Freilager (Halde)"}};
  switch (group) {
    case kSamplingPlace:
      if (index == 0)
        return d.newBallast ? TranslateString(5215, "im Werk") : TranslateString(5216, "an der RC-Anlage");
      return TranslateString(place[index - 1].id, place[index - 1].german);
    case kAfterCleaning: return TranslateString(cleaning[index].id, cleaning[index].german);
    case kLoading: return TranslateString(5221, "mit Radlader");
    case kSamplingSource: return TranslateString(source[index].id, source[index].german);
    default: return {};
  }
}

int PrintVariantOf(const std::string& stored) { return stored == "1" ? 1 : 0; }

// ---- takeover files

std::filesystem::path TakeoverFilePath(const std::filesystem::path& dataFolder, const std::string& computerName,
                                       TakeoverKind kind) {
  return dataFolder / "tmp" / (computerName + (kind == TakeoverKind::Basic ? "_lgd.tmp" : "_GGs.tmp"));
}

std::vector<std::string> TakeoverValues(const CVersuch& r, TakeoverKind kind) {
  static const std::vector<int> basic = {7, 8, 9, 10, 11, 12, 13, 19, 4, 21, 14, 23, 24, 25};
  static const std::vector<int> ballast = {30, 31, 4, 9, 45, 10, 11, 13, 32, 35, 37,
                                           40, 33, 41, 38, 1, 43, 44, 20, 21, 14, 25};
  std::vector<std::string> values;
  for (int part : kind == TakeoverKind::Basic ? basic : ballast) values.push_back(r.GetValue(1, part));
  return values;
}

std::string FormatTakeoverFile(const TakeoverFile& file) {
  std::string text = file.testNumber + "\n";
  for (const std::string& value : file.values) text += ReplaceAll(value, kTakeoverSeparator, "?") + kTakeoverSeparator;
  return text + "\n";
}

std::optional<TakeoverFile> ParseTakeoverFile(const std::string& text) {
  const std::vector<std::string> lines = platform::SplitLines(text);
  if (lines.empty()) return std::nullopt;
  TakeoverFile file;
  file.testNumber = lines[0];
  if (lines.size() > 1) {
    const std::string& line = lines[1];
    const std::string separator = kTakeoverSeparator;
    for (size_t start = 0; start < line.size();) {
      const size_t end = line.find(separator, start);
      if (end == std::string::npos) {
        file.values.push_back(line.substr(start));  // a last value without its separator
        break;
      }
      file.values.push_back(line.substr(start, end - start));
      start = end + separator.size();
    }
  }
  return file;
}

std::optional<std::string> TakeoverButtonText(const std::optional<TakeoverFile>& file, const std::string& testNumber) {
  if (!file || file->values.empty() || file->testNumber == testNumber) return std::nullopt;
  return TranslateString(5211, "Daten übernehmen aus Prüf-Nr. ") + file->testNumber + " ...";
}

void ApplyBasicTakeover(const TakeoverFile& file, BasicData& d, const CustomerMap& customers,
                        const std::string& today) {
  d.info1 = Value(file, 0);
  d.info2 = Value(file, 1);
  d.testDate = ParseBasicDateTime(Value(file, 2), today);
  d.testedBy = Value(file, 3);
  d.samplingDate = ParseBasicDateTime(Value(file, 4), today);
  d.samplingPoint = Value(file, 5);
  d.sampledBy = Value(file, 6);
  const std::string id = Value(file, 7);
  d.customerId = !id.empty() && customers.count(id) ? id : std::string();
  d.statistics = Value(file, 8) == "1";
  d.internalRemark = TakenOverRemark(Value(file, 9));
  d.reportRemark = TakenOverRemark(Value(file, 10));
  d.info1Label = Value(file, 11);
  d.info2Label = Value(file, 12);
  d.signaturePath = Value(file, 13);
}

void ApplyBallastTakeover(const TakeoverFile& file, BallastData& d, const CustomerMap& customers,
                          const std::string& today) {
  d.protocolNumber = Value(file, 0);
  d.year = Value(file, 1);
  d.statistics = PlainAtoi(Value(file, 2)) != 0;
  d.testDate = ParseBasicDateTime(Value(file, 3), today);
  d.printVariant = PrintVariantOf(std::to_string(PlainAtoi(Value(file, 4))));
  d.testedBy = Value(file, 5);
  d.samplingDate = ParseBasicDateTime(Value(file, 6), today);
  d.sampledBy = Value(file, 7);
  for (int group = 0; group < kBallastChoiceGroups; ++group)
    d.choices[static_cast<size_t>(group)] = PlainAtoi(Value(file, 8 + static_cast<size_t>(group)));
  d.otherPlace = Value(file, 12);
  d.otherLoading = Value(file, 13);
  d.otherSource = Value(file, 14);
  d.inTrack = PlainAtoi(Value(file, 15)) != 0;
  d.weather = Value(file, 16);
  d.blastPile = Value(file, 17);
  const std::string name = Value(file, 18);
  d.customerId.clear();
  if (!name.empty())
    for (const Customer& customer : SortedCustomers(customers))
      if (customer.name == name) {
        d.customerId = customer.id;
        break;
      }
  d.internalRemark = TakenOverRemark(Value(file, 19));
  d.reportRemark = TakenOverRemark(Value(file, 20));
  d.signaturePath = Value(file, 21);
}
