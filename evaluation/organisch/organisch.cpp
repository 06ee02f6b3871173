#include "evaluation/organisch/organisch.h"

#include "i18n/translation.h"
#include "records/strutil.h"

OrganicInput OrganicInputFromField(const std::string& field19) {
  OrganicInput in;
  in.colour = StrGetField(field19, '|', 0);
  const std::string comparison = TrimWhite(StrGetField(field19, '|', 1));
  if (comparison == "0") in.comparison = kComparisonLighter;
  else if (comparison == "1") in.comparison = kComparisonDarker;
  return in;
}

std::string OrganicComparisonText(int comparison) {
  if (comparison == kComparisonLighter) return TranslateString(5290, "heller als Farbbezugslösung");
  if (comparison == kComparisonDarker) return TranslateString(5291, "dunkler als Farbbezugslösung");
  return "";
}

std::string OrganicVerdict(int comparison) {
  if (comparison == kComparisonLighter)
    return TranslateString(5293, "Frei von organischen Stoffen/nur unbedenkliche Mengen.");
  if (comparison == kComparisonDarker) return TranslateString(5294, "Weitere Beurteilung über Mörtelverfahren nötig.");
  return "";
}

std::string OrganicResultText(const OrganicInput& in) {
  std::string colour = in.colour;
  for (char& c : colour)
    if (c == '|' || c == '~' || c == '$') c = '#';
  if (in.comparison != kComparisonLighter && in.comparison != kComparisonDarker) return colour + "||||1";
  return colour + "|" + std::to_string(in.comparison) + "|" + TranslateString(5292, "Farbe") + ": " + colour + "; " +
         OrganicComparisonText(in.comparison) + "|" + OrganicVerdict(in.comparison) + "|1";
}

std::string OrganicStatus(const OrganicInput& in) {
  const bool chosen = in.comparison == kComparisonLighter || in.comparison == kComparisonDarker;
  return std::string(1, chosen ? TestStatus::DoneNoRequirement : TestStatus::Incomplete);
}

TestEntryResult OrganicEntryResult(const OrganicInput& input) {
  TestEntryResult out;
  out.resultText = OrganicResultText(input);
  out.status = OrganicStatus(input);
  out.statisticsValue = StrGetField(out.resultText, '|', 0);
  return out;
}
