#pragma once
// Finely divided substances of organic origin ("VA_ORGAN"): the colour of
// the liquid over the sample and whether it is lighter or darker than the
// reference colour solution; the comparison gives the verdict. Record field 19:
//   0 colour | 1 comparison (0 lighter, 1 darker) | 2 "Farbe: <colour>; <comparison>" | 3 verdict | 4 "1"
// Without a comparison parts 1 to 3 stay empty and the test is incomplete.
#include <string>

#include "evaluation/frame/testentryframe.h"

enum : int { kComparisonNone = -1, kComparisonLighter = 0, kComparisonDarker = 1 };

struct OrganicInput {
  std::string colour;
  int comparison = kComparisonNone;
};

// The stored test; a new one has no comparison chosen.
OrganicInput OrganicInputFromField(const std::string& field19);
// The translated texts of a comparison; empty for none.
std::string OrganicComparisonText(int comparison);
std::string OrganicVerdict(int comparison);
// Field 19 with the colour made safe for the record ("|", "~", "$" become "#").
std::string OrganicResultText(const OrganicInput& input);
// "1" with a comparison, else "0".
std::string OrganicStatus(const OrganicInput& input);

TestEntryResult OrganicEntryResult(const OrganicInput& input);
