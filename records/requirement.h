#pragma once
// Requirement codes: "5_LE", "0,5_LE", "3,0_LT_D", "50_GE", "100_EQ", "30-65"...
// A code states a limit with its relation, or a range; an empty code, "--",
// "#" or anything else states no requirement. All functions are stateless.
#include <string>
#include <vector>

enum class RequirementResult : int { NoRequirement = 0, Met = 1, NotMet = 2 };

// Judges a value (text with "." as decimal point) against a code.
RequirementResult CheckRequirement(const std::string& code, const std::string& value);
// True exactly when CheckRequirement gives Met.
bool IsRequirementMet(const std::string& code, const std::string& value);
// The code as shown: "<= 1", "< 3", ">= 50", "> 2", "= 100", "30-65"; "" for no requirement.
std::string FormatRequirement(const std::string& code, int decimals);
// "<=", "<", ">=", ">" for the first relation found, else "".
std::string GetRelationSymbol(const std::string& code);
// A mark of a code in the grading chart: its height in percent passing and
// its direction (0 points down, 1 up).
struct RequirementMark {
  double percent;
  int direction;
};
// The marks the code states at a sieve: one for a limit, two for a range,
// none for a code without numbers.
std::vector<RequirementMark> RequirementMarks(const std::string& code);
// Splits a label with "<t>", "<n>", "<h>" markup for drawing in segments: the
// tags become "@" (and "<k>" becomes ","); the result holds one mode letter per
// segment, starting with "n".
std::string ExtractMarkupModes(std::string& label);
