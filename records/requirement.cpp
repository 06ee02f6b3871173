#include "records/requirement.h"

#include <array>

#include "platform/messagebox.h"
#include "platform/numbers.h"
#include "records/strutil.h"

namespace {

// A number read as C's atof reads it; `ok` tells whether the text begins
// (after blanks) with a number at all.
double ReadNumber(const std::string& text, bool& ok) {
  size_t used = 0;
  double value = platform::ParseDouble(text, &used);
  ok = used > 0;
  return value;
}

std::string Before(const std::string& text, char c) { return text.substr(0, text.find(c)); }

// The first relation of the search order found anywhere in the code; -1 when none.
constexpr std::array<const char*, 5> kRelations = {"_LE", "_LT", "_GE", "_GT", "_EQ"};
int FindRelation(const std::string& code, int count = static_cast<int>(kRelations.size())) {
  for (int i = 0; i < count; ++i)
    if (code.find(kRelations[static_cast<size_t>(i)]) != std::string::npos) return i;
  return -1;
}

// A number shown with the given decimals, without a final ".0".
std::string FormatLimit(double value, int decimals) {
  std::string text = FormatDouble(value, decimals < 0 ? 0 : decimals);
  if (text.size() >= 2 && text.compare(text.size() - 2, 2, ".0") == 0) text.resize(text.size() - 2);
  return text;
}

}  // namespace

RequirementResult CheckRequirement(const std::string& code, const std::string& value) {
  if (code.empty() || value.empty()) return RequirementResult::NoRequirement;
  bool valueOk = false;
  const double v = ReadNumber(value, valueOk);
  // A value that is no number cannot be judged.
  if (!valueOk) return RequirementResult::NoRequirement;

  std::string c = code;
  StrReplace(c, "_Z", "");
  StrReplace(c, ",", ".");

  const size_t dash = c.find('-');
  if (dash != std::string::npos && dash >= 1) {
    const std::string range = Before(c, '_');
    bool loOk = false, hiOk = false;
    const double lo = ReadNumber(StrGetField(range, '-', 0), loOk);
    const double hi = ReadNumber(StrGetField(range, '-', 1), hiOk);
    // A bound that is no number would silently count as 0.
    if (!loOk || !hiOk) return RequirementResult::NoRequirement;
    if (lo > hi) platform::ShowMessageBox("Error 5137", platform::MB_OK);
    return lo <= v && v <= hi ? RequirementResult::Met : RequirementResult::NotMet;
  }

  bool limitOk = false;
  const double limit = ReadNumber(Before(c, '_'), limitOk);
  bool met = false;
  switch (FindRelation(c)) {
    case 0: met = v <= limit; break;
    case 1: met = v < limit; break;
    case 2: met = v >= limit; break;
    case 3: met = v > limit; break;
    case 4: met = v > 99.99999; break;
    default: return RequirementResult::NoRequirement;
  }
  if (!limitOk) return RequirementResult::NoRequirement;
  return met ? RequirementResult::Met : RequirementResult::NotMet;
}

bool IsRequirementMet(const std::string& code, const std::string& value) {
  return CheckRequirement(code, value) == RequirementResult::Met;
}

std::string FormatRequirement(const std::string& code, int decimals) {
  if (code.empty()) return "";
  std::string c = code;
  StrReplace(c, ",", ".");

  static constexpr std::array<const char*, 5> kPrefixes = {"<= ", "< ", ">= ", "> ", "= "};
  const int relation = FindRelation(c);
  if (relation >= 0) {
    bool ok = false;
    const double limit = ReadNumber(Before(c, '_'), ok);
    if (!ok) return "";
    return kPrefixes[static_cast<size_t>(relation)] + FormatLimit(limit, decimals);
  }

  const size_t dash = c.find('-');
  if (dash == std::string::npos || dash == 0) return "";
  const std::string loText = StrGetField(c, '-', 0);
  const std::string hiText = StrGetField(c, '-', 1);
  if (loText.empty() || hiText.empty()) return "";
  bool loOk = false, hiOk = false;
  const double lo = ReadNumber(loText, loOk);
  const double hi = ReadNumber(hiText, hiOk);
  if (!loOk || !hiOk) return "";
  return FormatLimit(lo, decimals) + "-" + FormatLimit(hi, decimals);
}

std::string GetRelationSymbol(const std::string& code) {
  static constexpr std::array<const char*, 4> kSymbols = {"<=", "<", ">=", ">"};
  const int relation = FindRelation(code, static_cast<int>(kSymbols.size()));
  return relation < 0 ? "" : kSymbols[static_cast<size_t>(relation)];
}

std::vector<RequirementMark> RequirementMarks(const std::string& code) {
  const std::string p0 = StrGetField(code, '_', 0);
  const std::string p1 = StrGetField(code, '_', 1);
  const std::string p2 = StrGetField(code, '_', 2);
  // Marks need numbers; "", "#" or "--" would otherwise put marks at 0 %.
  auto isNumber = [](const std::string& text) {
    bool ok = false;
    ReadNumber(MapDecimalSeparators(TrimWhite(text)), ok);
    return ok;
  };

  // As in CheckRequirement, a "-" at the first position is a sign.
  const size_t dash = p0.find('-');
  if (dash == std::string::npos || dash == 0) {
    if (!isNumber(p0)) return {};
    const double n = ParseNumber(p0);
    int direction = (p1 == "GE" || p1 == "GT") ? 1 : 0;
    if (p2 == "R") return {{100.0 - n, 1 - direction}};
    return {{n, direction}};
  }

  const std::string loText = p0.substr(0, dash);
  const std::string hiText = p0.substr(dash + 1);
  if (!isNumber(loText) || !isNumber(hiText)) return {};
  const double lo = ParseNumber(loText);
  const double hi = ParseNumber(hiText);
  if (p1 == "R") return {{100.0 - lo, 0}, {100.0 - hi, 1}};
  return {{lo, 1}, {hi, 0}};
}

std::string ExtractMarkupModes(std::string& label) {
  std::string modes = "n";
  const int length = static_cast<int>(label.size());
  for (int i = 1; i <= length - 2; ++i) {
    const char c = label[static_cast<size_t>(i)];
    if (label[static_cast<size_t>(i - 1)] == '<' && label[static_cast<size_t>(i + 1)] == '>' &&
        (c == 'n' || c == 't' || c == 'h'))
      modes += c;
  }
  StrReplace(label, "<t>", "@");
  StrReplace(label, "<n>", "@");
  StrReplace(label, "<h>", "@");
  StrReplace(label, "<k>", ",");
  return modes;
}
