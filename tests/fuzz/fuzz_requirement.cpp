// Requirement codes: every code and value is judged without harm; a judged
// requirement can be shown; marks are finite; the label markup keeps one
// mode per segment.
#include <algorithm>
#include <cmath>
#include <string>

#include "fuzz_support.h"
#include "records/requirement.h"

namespace fuzz {

int FuzzRequirementCode(const std::uint8_t* data, std::size_t size) {
  Pieces pieces(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::string code(pieces.Sized(40));
  const std::string value(pieces.Sized(40));
  std::string label(pieces.Rest());

  SilentBoxes boxes;  // a range with its bounds swapped is reported
  const RequirementResult result = CheckRequirement(code, value);
  FUZZ_CHECK(result == RequirementResult::NoRequirement || result == RequirementResult::Met ||
             result == RequirementResult::NotMet);
  FUZZ_CHECK(IsRequirementMet(code, value) == (result == RequirementResult::Met));
  FUZZ_CHECK(CheckRequirement(code, value) == result);
  for (int decimals : {0, 1, 2, 6}) {
    const std::string shown = FormatRequirement(code, decimals);
    // ("_Z" is read away only when judging: inside a number it differs.)
    if (result != RequirementResult::NoRequirement && code.find("_Z") == std::string::npos)
      FUZZ_CHECK(!shown.empty());
  }
  GetRelationSymbol(code);
  for (const RequirementMark& mark : RequirementMarks(code)) {
    FUZZ_CHECK(mark.direction == 0 || mark.direction == 1);
    FUZZ_CHECK(!std::isnan(mark.percent));
  }

  const auto atsBefore = std::count(label.begin(), label.end(), '@');
  const std::string modes = ExtractMarkupModes(label);
  FUZZ_CHECK(!modes.empty() && modes.front() == 'n');
  FUZZ_CHECK(static_cast<long>(modes.size()) == 1 + std::count(label.begin(), label.end(), '@') - atsBefore);
  return 0;
}

}  // namespace fuzz
