#pragma once
// What a user may type into a number field of an entry dialog or a number
// cell of a grid. Stored values are never checked with this: it judges what
// is typed, so that a value no one can have measured never reaches a result.
//
// Accepted: blanks around the number, digits with at most one decimal point
// ("," ":" ";" read as "."), an optional sign. Refused: anything else
// (letters, "1e5", two points), a value outside the field's range (masses are
// never negative) and a value with more digits before the point than the
// stored form holds. An empty text is "not measured" and always accepted.
//
//   double mass = 0.0;
//   switch (ReadNumberInput("12,5", kMeasuredNumber, &mass)) { ... }   // kNumberOk, 12.5
#include <string>

// The range a field allows; both ends belong to it.
struct NumberRule {
  double min = 0.0;
  double max = 9999999.0;
  // Digits before the point that the stored form holds.
  int integerDigits = 7;
};

// Masses, heights, times, volumes, counts and densities.
inline constexpr NumberRule kMeasuredNumber{};
// A share of a whole in percent.
inline constexpr NumberRule kPercentNumber{0.0, 100.0, 3};
// A pH value.
inline constexpr NumberRule kPhNumber{0.0, 14.0, 2};

enum NumberFault : int {
  kNumberOk = 0,     // a number the rule allows, or empty
  kNotANumber,       // letters, an exponent, two points, a sign alone
  kBelowRange,       // negative where the field allows none
  kAboveRange,
  kTooManyDigits,    // more digits before the point than the stored form holds
};

// The fault of a typed text under a rule; `value` (optional) receives the
// number read (0 for an empty text or a text that is no number).
NumberFault ReadNumberInput(const std::string& text, const NumberRule& rule, double* value = nullptr);
inline bool IsRefusedNumber(const std::string& text, const NumberRule& rule = kMeasuredNumber) {
  return ReadNumberInput(text, rule) != kNumberOk;
}

// Normalises a typed number to the decimals as the dialogs show it; a
// refused text stays as typed, so that it can be corrected, and gives false.
bool NormalizeNumberInput(std::string& text, int decimals, const NumberRule& rule = kMeasuredNumber);

// The message that refuses a typed text in the field of that label: what is
// wrong and what the field allows (translated).
std::string NumberRefusalMessage(const std::string& label, const std::string& text, const NumberRule& rule);
// The short reason (the field's tooltip while it holds the text).
std::string NumberRefusalReason(const std::string& text, const NumberRule& rule);

// A label as a message names it: line breaks and runs of blanks made one
// blank, markup tags ("<t>", "<n>") left out, a closing ":" removed.
std::string FieldNameOfLabel(const std::string& label);
