#pragma once
// Numbers a user types into a number field of an entry dialog or a number
// cell of a grid: what is accepted, how it is written back, and what a
// refusal says. The text is read once; what a computation compares (a part
// with its whole) is the value as typed, what it shows and stores is the text
// written back with the field's decimals.
//
// Accepted: blanks around the number, digits with at most one decimal point
// ("," ":" ";" read as "."), an optional "+". Refused: anything else
// (letters, "1e5", two points), a negative value, more digits before the
// point than the stored form holds, a value above the field's largest. An
// empty text is "not measured" and always accepted.
//
//   std::string mass = " 12,56";
//   const TypedNumber typed = NormalizeNumber(mass, 1);   // mass "12.6", typed.value 12.56
#include <limits>
#include <string>
#include <string_view>

// What a field allows. Values are never negative.
struct NumberRule {
  // Digits before the point that the stored form holds.
  int integerDigits = 7;
  // The largest value; none where the digits are the only limit.
  double max = std::numeric_limits<double>::infinity();
  // A text no one types in this place (a stored value, a mass handed over by
  // the sieve program): nothing is refused, a text that is no number reads as
  // the number it begins with, or 0.
  bool readsAnyText = false;
};

// Masses, heights, times, volumes, counts and densities.
inline constexpr NumberRule kMeasuredNumber{};
// A pH value.
inline constexpr NumberRule kPhNumber{2, 14.0};
// A stored value or a handed-over one, read as it is.
inline constexpr NumberRule kStoredNumber{7, std::numeric_limits<double>::infinity(), true};

enum NumberFault : int {
  kNumberOk = 0,   // a number the rule allows, or empty
  kNotANumber,     // letters, an exponent, two points, a sign alone
  kNegative,       // below 0
  kTooManyDigits,  // more digits before the point than the stored form holds
  kAboveRange,     // above the field's largest value
};

// A typed text as read once.
struct TypedNumber {
  NumberFault fault = kNumberOk;
  bool empty = true;   // nothing but blanks: not measured
  double value = 0.0;  // as typed, before any rounding; 0 when empty or no number
  bool accepted() const { return fault == kNumberOk; }
  explicit operator bool() const { return accepted(); }
  // An accepted value that was typed: one a computation can use.
  bool measured() const { return accepted() && !empty; }
};

TypedNumber ReadNumberInput(std::string_view text, const NumberRule& rule = kMeasuredNumber);
inline bool IsRefusedNumber(std::string_view text, const NumberRule& rule = kMeasuredNumber) {
  return !ReadNumberInput(text, rule).accepted();
}

// How a value is rounded to the decimals shown.
enum class Rounding {
  kAsPrinted,  // as C's "%.*f" rounds the binary value
  kHalvesUp,   // a half is rounded away from zero ("2.25" with 1 decimal gives "2.3")
};

// The normaliser of typed numbers: an accepted text is written anew with
// `decimals` decimals, a blank one becomes empty, a refused one stays as
// typed so that it can be corrected. Gives what was typed.
TypedNumber NormalizeNumber(std::string& text, int decimals, const NumberRule& rule = kMeasuredNumber,
                            Rounding rounding = Rounding::kAsPrinted);

// The message that refuses a typed text in the field of that label: what is
// wrong and, in words, what the field allows (translated).
std::string NumberRefusalMessage(const std::string& label, const std::string& text, const NumberRule& rule);
// The short reason (the field's tooltip while it holds the text).
std::string NumberRefusalReason(const std::string& text, const NumberRule& rule);

// A label as a message names it: line breaks and runs of blanks made one
// blank, markup tags ("<t>", "<n>") left out, a closing ":" removed.
std::string FieldNameOfLabel(const std::string& label);
