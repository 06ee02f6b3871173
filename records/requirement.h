#pragma once
// Requirement codes: "5_LE", "0,5_LE", "3,0_LT_D", "50_GE", "100_EQ", "30-65"...
// A code states a limit with its relation, or a range; an empty code, "--",
// "#" or anything else states no requirement. All functions are stateless.
#include <string>

class CLogDia;

enum class RequirementResult : int { NoRequirement = 0, Met = 1, NotMet = 2 };

// Judges a value (text with "." as decimal point) against a code.
RequirementResult CheckRequirement(const std::string& code, const std::string& value);
// True exactly when CheckRequirement gives Met.
bool IsRequirementMet(const std::string& code, const std::string& value);
// The code as shown: "<= 1", "< 3", ">= 50", "> 2", "= 100", "30-65"; "" for no requirement.
std::string FormatRequirement(const std::string& code, int decimals);
// "<=", "<", ">=", ">" for the first relation found, else "".
std::string GetRelationSymbol(const std::string& code);
// Marks the code at one sieve size in the grading chart (size 200, style 0).
void AddRequirementTriangles(CLogDia& dia, double sieveSize, const std::string& code);
// Splits a label with "<t>", "<n>", "<h>" markup for drawing in segments: the
// tags become "@" (and "<k>" becomes ","); the result holds one mode letter per
// segment, starting with "n".
std::string ExtractMarkupModes(std::string& label);
