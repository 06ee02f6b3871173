// The lists and verdicts of the track-ballast pages X and Y.
#include "reports/ballast_report.h"

#include <array>
#include <map>

#include "i18n/translation.h"
#include "records/requirement.h"
#include "records/strutil.h"
#include "records/versuch.h"
#include "reports/druckseite.h"

namespace {

constexpr std::array<const char*, 9> kBallastSieves = {"90", "80", "63", "50", "40", "31.5", "22.4", "0.5", "0.063"};

// The groups "{...}" of a requirement field, in order.
std::vector<std::string> RequirementGroups(const std::string& rows) {
  std::vector<std::string> groups;
  for (int i = 0;; ++i) {
    const std::string group = StrGetToken(rows, "{", "}", i);
    if (group.empty()) break;
    groups.push_back(group);
  }
  return groups;
}

bool IsRange(const std::string& size) { return StrFindChar(size, '-') > 0; }

bool HasStatus(const CVersuch& record, const std::string& key, char status) {
  return record.GetTestStatusList().find("[" + key + ":" + status + "]") != std::string::npos;
}

}  // namespace

void BuildBallastFractionLists(const std::string& sieveList, std::vector<std::string>& fractions,
                               std::vector<std::string>& openings) {
  fractions.clear();
  openings.clear();
  if (sieveList.empty()) return;
  std::vector<std::string> sizes;
  for (int i = 0, k = StrCountFields(sieveList, ';'); i < k; ++i)
    sizes.push_back(CutTrailingPointZero(StrGetField(sieveList, ';', i)));
  const size_t k = sizes.size();
  for (size_t i = 0; i < k; ++i) {
    const bool pan = i + 1 == k;
    if (i == 0)
      fractions.push_back("> " + sizes[0]);
    else if (pan)
      fractions.push_back(sizes[i]);
    else
      fractions.push_back(sizes[i] + " - " + sizes[i - 1]);
    openings.push_back(pan ? std::string() : sizes[i]);
  }
}

std::string BallastSymbolRequirement(const std::string& required) {
  std::string text = required;
  StrReplace(text, "<=", "\u00A3");
  StrReplace(text, ">=", "\u00B3");
  return text;
}

std::string BallastVerdictWord(const std::string& code) {
  if (code == "2") return TranslateString(6004, " Ja ", true);
  if (code == "1" || code == "1a") return TranslateString(6001, "nein", true);
  return {};
}

void BuildBallastRequirementLists(const std::vector<std::string>& openings, const std::string& requirementRows,
                                  std::vector<std::string>& requirements, std::vector<std::string>& verdicts) {
  requirements.clear();
  verdicts.clear();
  std::map<std::string, std::string> bySieve;
  for (const std::string& group : RequirementGroups(requirementRows)) {
    const std::string size = StrGetFieldS(group, "@", 1);
    for (const char* sieve : kBallastSieves)
      if (size == sieve) bySieve[size] = group;
  }
  for (const std::string& opening : openings) {
    if (opening.empty()) break;
    const auto found = bySieve.find(opening);
    if (found == bySieve.end()) {
      requirements.emplace_back();
      verdicts.emplace_back();
      continue;
    }
    requirements.push_back(BallastSymbolRequirement(StrGetFieldS(found->second, "@", 3)));
    verdicts.push_back(BallastVerdictWord(StrGetFieldS(found->second, "@", 4)));
  }
}

std::string FindBallastRangeRow(const std::string& requirementRows) {
  for (const std::string& group : RequirementGroups(requirementRows))
    if (IsRange(StrGetFieldS(group, "@", 1))) return group;
  return {};
}

BallastVerdict BallastGradingVerdict(const CVersuch& record) {
  const bool met = HasStatus(record, "VA_SIEBL", '8');
  const bool notMet = HasStatus(record, "VA_SIEBL", '9');
  if (record.IsBallastToleranceOn()) {
    if (met) return BallastVerdict::kToleranceNote;
    if (notMet) {
      // Tolerated only when it failed at the tolerated sieves alone.
      int failed = 0;
      bool allTolerated = true;
      for (const std::string& group : RequirementGroups(record.GetValue(4, 0))) {
        const std::string code = StrGetFieldS(group, "@", 4);
        if (code != "1" && code != "1a") continue;
        ++failed;
        const std::string size = StrGetFieldS(group, "@", 1);
        if (IsRange(size) || !record.IsToleratedSieveValue(size, StrGetFieldS(group, "@", 2))) allTolerated = false;
      }
      if (failed > 0 && allTolerated) return BallastVerdict::kToleranceNote;
    }
  }
  if (met) return BallastVerdict::kMet;
  if (notMet) return BallastVerdict::kNotMet;
  return BallastVerdict::kNone;
}

BallastVerdict BallastSummaryVerdict(const CVersuch& record, const std::string& testKey) {
  if (testKey == "VA_SIEBL") {
    const BallastVerdict grading = BallastGradingVerdict(record);
    return grading == BallastVerdict::kToleranceNote ? BallastVerdict::kMet : grading;
  }
  if (HasStatus(record, testKey, '8')) return BallastVerdict::kMet;
  if (HasStatus(record, testKey, '9')) return BallastVerdict::kNotMet;
  return BallastVerdict::kNone;
}

bool BallastDefectsStated(const CVersuch& record) {
  const std::string variant = record.GetValue(1, 45);
  if (variant == "1") return true;
  // Older records and records without a chosen variant state what the tests say.
  if (variant != "0" && variant != "-1" && !variant.empty()) return false;
  // A grading that the summary calls compliant through the tolerance is no defect.
  std::string failures = record.GetField(29);
  if (BallastGradingVerdict(record) == BallastVerdict::kToleranceNote) StrReplace(failures, "[VA_SIEBL:9]", "");
  return failures.find(":9") != std::string::npos;
}

BallastVerdict BallastVerdictOfCode(const std::string& code, const char* met, const char* notMet) {
  if (code == met) return BallastVerdict::kMet;
  if (code == notMet) return BallastVerdict::kNotMet;
  return BallastVerdict::kNone;
}

BallastVerdict BallastWaterVerdict(const CVersuch& record) {
  if (HasStatus(record, "VA_GS_WASSER", '8')) return BallastVerdict::kMet;
  if (record.GetValue(17, 3) == "1") return BallastVerdict::kNotMet;
  return BallastVerdict::kNone;
}

VerdictPieces SplitVerdictText(const std::string& text, const std::string& boldWord) {
  VerdictPieces pieces;
  const size_t at = boldWord.empty() ? std::string::npos : text.find(boldWord);
  if (at == std::string::npos || at == 0) {
    pieces.head = text;
    return pieces;
  }
  pieces.head = text.substr(0, at);
  pieces.tail = text.substr(at + boldWord.size());
  pieces.bold = true;
  return pieces;
}

BallastLimitText BallastPurityLimit(const std::string& code) {
  const std::string shown = FormatRequirement(code, 1);
  if (shown.empty()) return {"", "--"};
  const std::string unit = TranslateString(61262, " M.-%", true);
  // The text face has "<", ">" and "="; the Symbol face gives the other two.
  if (shown.rfind("<= ", 0) == 0) return {"\u00A3", shown.substr(3) + unit};
  if (shown.rfind(">= ", 0) == 0) return {"\u00B3", shown.substr(3) + unit};
  return {"", shown + unit};
}
