#include "records/numberinput.h"

#include <cmath>

#include "i18n/translation.h"
#include "platform/fonts.h"
#include "platform/numbers.h"
#include "records/strutil.h"

namespace {

// A limit of a rule as the message shows it: "14", "40", "0.5".
std::string LimitText(double limit) {
  std::string text = FormatDouble(limit, 3);
  while (!text.empty() && text.back() == '0') text.pop_back();
  if (!text.empty() && text.back() == '.') text.pop_back();
  return text;
}

std::string WithValue(std::string text, const std::string& value) {
  StrReplace(text, "%s", value, false);
  return text;
}

}  // namespace

TypedNumber ReadNumberInput(std::string_view text, const NumberRule& rule) {
  TypedNumber typed;
  const std::string number = MapDecimalSeparators(TrimWhite(std::string(text)));
  if (number.empty()) return typed;
  typed.empty = false;
  if (rule.readsAnyText) {
    typed.value = platform::ParseDouble(number);
    return typed;
  }
  size_t i = 0;
  if (number[0] == '+' || number[0] == '-') ++i;
  int digits = 0, integerDigits = 0, points = 0;
  bool leading = true;  // zeros before the first other digit are no places
  for (; i < number.size(); ++i) {
    const char c = number[i];
    if (c == '.') {
      ++points;
      continue;
    }
    if (c < '0' || c > '9') {
      typed.fault = kNotANumber;
      return typed;
    }
    ++digits;
    if (points == 0 && !(leading && c == '0')) {
      leading = false;
      ++integerDigits;
    }
  }
  if (digits == 0 || points > 1) {
    typed.fault = kNotANumber;
    return typed;
  }
  typed.value = platform::ParseDouble(number);
  if (typed.value < 0.0) typed.fault = kNegative;
  else if (integerDigits > rule.integerDigits) typed.fault = kTooManyDigits;
  else if (typed.value > rule.max) typed.fault = kAboveRange;
  return typed;
}

TypedNumber NormalizeNumber(std::string& text, int decimals, const NumberRule& rule, Rounding rounding) {
  const TypedNumber typed = ReadNumberInput(text, rule);
  if (!typed.accepted()) return typed;
  if (typed.empty) {
    text.clear();
  } else {
    const double nudge = rounding == Rounding::kHalvesUp ? (typed.value >= 0.0 ? 1e-9 : -1e-9) : 0.0;
    text = FormatDouble(typed.value + nudge, decimals);
  }
  return typed;
}

std::string NumberRefusalReason(const std::string& text, const NumberRule& rule) {
  const std::string shown = TrimWhite(text);
  switch (ReadNumberInput(text, rule).fault) {
    case kNumberOk:
      return "";
    case kNotANumber:
      return WithValue(TranslateString(62001, "\"%s\" ist keine Zahl."), shown);
    case kNegative:
      return TranslateString(62002, "Ein negativer Wert kann nicht gemessen worden sein.");
    case kTooManyDigits:
      return WithValue(TranslateString(62005, "%s hat mehr Stellen vor dem Komma, als gespeichert werden können."), shown);
    case kAboveRange:
      return WithValue(TranslateString(62004, "%s liegt über dem größten zulässigen Wert."), shown);
  }
  return "";
}

std::string NumberRefusalMessage(const std::string& label, const std::string& text, const NumberRule& rule) {
  const std::string allowed =
      std::isfinite(rule.max)
          ? WithValue(TranslateString(67001, "Erlaubt ist eine Zahl von 0 bis %s."), LimitText(rule.max))
          : WithValue(TranslateString(67000, "Erlaubt ist eine Zahl ohne Vorzeichen, höchstens %s Stellen vor dem Komma."),
                      std::to_string(rule.integerDigits));
  return FieldNameOfLabel(label) + ": " + TranslateString(62000, "Bitte eine Zahl eingeben.") + "\n\n" +
         NumberRefusalReason(text, rule) + "\n" + allowed;
}

std::string FieldNameOfLabel(const std::string& label) {
  // Markup tags of drawn labels ("E<t>cs<n>") are not part of the name; what
  // stands in the symbol font ("<fs>r<fn>") is named by its Greek letter.
  std::string plain, symbols;
  bool symbol = false;
  auto endSymbols = [&] {
    if (!symbols.empty()) plain += platform::MapSymbolText(symbols).toStdString();
    symbols.clear();
  };
  for (size_t i = 0; i < label.size(); ++i) {
    const char c = label[i];
    if (c == '<') {
      size_t end = i + 1;
      while (end < label.size() && end - i <= 3 && label[end] >= 'a' && label[end] <= 'z') ++end;
      if (end > i + 1 && end < label.size() && label[end] == '>') {
        const std::string tag = label.substr(i + 1, end - i - 1);
        if (tag.rfind("f", 0) == 0) {
          endSymbols();
          symbol = tag.rfind("fs", 0) == 0;
        }
        i = end;
        continue;
      }
    }
    (symbol ? symbols : plain) += c;
  }
  endSymbols();
  std::string name;
  for (char c : plain) {
    const bool blank = c == ' ' || c == '\n' || c == '\r' || c == '\t';
    if (blank) {
      if (!name.empty() && name.back() != ' ') name += ' ';
    } else {
      name += c;
    }
  }
  while (!name.empty() && (name.back() == ' ' || name.back() == ':')) name.pop_back();
  return name;
}
