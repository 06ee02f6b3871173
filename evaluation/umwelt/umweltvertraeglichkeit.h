#pragma once
// Environmental compatibility of recycled track ballast ("VA_GS_UMWELT"):
// four statements, each a sentence with a list of an empty entry (affirming)
// and a negating word, and the pH value and conductivity as typed. Record
// field 22:
//   0..3 statements: "0" affirmed, "1" negated, "" no choice | 4 | 5 |
//   6 pH value | 7 conductivity [µS/cm]
// The status follows from the fourth statement (the compatibility itself).
#include <array>
#include <string>

#include "evaluation/frame/inputfaults.h"
#include "evaluation/frame/testentryframe.h"

inline constexpr int kEnvironmentStatements = 4;
// The choice of a statement's list.
enum : int { kNoChoice = -1, kAffirmed = 0, kNegated = 1 };

struct EnvironmentInput {
  std::array<int, kEnvironmentStatements> choices = {kNoChoice, kNoChoice, kNoChoice, kNoChoice};
  std::string ph, conductivity;
};

// The input as the faults name it.
enum : int { kEnvironmentPhInput = 0 };

// A pH typed as a plain number outside 0 to 14. Both values are free text,
// stored as typed: "< 10" or "n.n." stand as they are.
InputFaults EnvironmentFaults(const EnvironmentInput& input);
// The field text; free text is stored with "|", "~" and "$" made "#".
std::string EnvironmentResultText(const EnvironmentInput& input);
// "8" compliant, "9" not compliant, "0" while the fourth statement has no
// choice or a value is refused.
std::string EnvironmentStatus(const EnvironmentInput& input);
// The stored field; a new test (empty field) has no choice anywhere.
EnvironmentInput EnvironmentInputFromField(const std::string& field22);
