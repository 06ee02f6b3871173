// The rule of every number field: what a user may type, how a typed number
// is written back (the forms stored), how a refused text is kept for
// correction, and what the message says.
#include <gtest/gtest.h>

#include "records/numberinput.h"

namespace {

struct Case {
  const char* text;
  NumberRule rule;
  NumberFault fault;
  double value;
};

}  // namespace

TEST(NumberInput, AcceptsTheFormsOfTheDialogsAndRefusesEveryOther) {
  const std::string huge(400, '9');
  const Case cases[] = {
      {"", kMeasuredNumber, kNumberOk, 0.0},
      {"   ", kMeasuredNumber, kNumberOk, 0.0},
      {" 12,5 ", kMeasuredNumber, kNumberOk, 12.5},
      {"12:5", kMeasuredNumber, kNumberOk, 12.5},
      {"12;5", kMeasuredNumber, kNumberOk, 12.5},
      {".5", kMeasuredNumber, kNumberOk, 0.5},
      {"5.", kMeasuredNumber, kNumberOk, 5.0},
      {"+7", kMeasuredNumber, kNumberOk, 7.0},
      {"0", kMeasuredNumber, kNumberOk, 0.0},
      {"-0", kMeasuredNumber, kNumberOk, 0.0},
      {"9999999.99", kMeasuredNumber, kNumberOk, 9999999.99},
      {"0009999999.9", kMeasuredNumber, kNumberOk, 9999999.9},
      {"abc", kMeasuredNumber, kNotANumber, 0.0},
      {"12a", kMeasuredNumber, kNotANumber, 0.0},
      {"1e5", kMeasuredNumber, kNotANumber, 0.0},
      {"1e300", kMeasuredNumber, kNotANumber, 0.0},
      {"1.2.3", kMeasuredNumber, kNotANumber, 0.0},
      {"1,2,3", kMeasuredNumber, kNotANumber, 0.0},
      {"-", kMeasuredNumber, kNotANumber, 0.0},
      {".", kMeasuredNumber, kNotANumber, 0.0},
      {"1 000", kMeasuredNumber, kNotANumber, 0.0},
      {"inf", kMeasuredNumber, kNotANumber, 0.0},
      {"0x10", kMeasuredNumber, kNotANumber, 0.0},
      {"-5", kMeasuredNumber, kNegative, -5.0},
      {"-0.1", kMeasuredNumber, kNegative, -0.1},
      {"12345678", kMeasuredNumber, kTooManyDigits, 12345678.0},
      {huge.c_str(), kMeasuredNumber, kTooManyDigits, 0.0},
      {"14", kPhNumber, kNumberOk, 14.0},
      {"14.1", kPhNumber, kAboveRange, 14.1},
      {"100", kPhNumber, kTooManyDigits, 100.0},
      {"-1", kPhNumber, kNegative, -1.0},
      // Where nothing is typed, nothing is refused: the number a text begins with.
      {"abc", kStoredNumber, kNumberOk, 0.0},
      {"-5", kStoredNumber, kNumberOk, -5.0},
      {"1e5", kStoredNumber, kNumberOk, 100000.0},
      {"1.5 t", kStoredNumber, kNumberOk, 1.5},
  };
  for (const Case& c : cases) {
    const TypedNumber typed = ReadNumberInput(c.text, c.rule);
    EXPECT_EQ(typed.fault, c.fault) << "\"" << c.text << "\"";
    if (c.value != 0.0 || c.fault == kNumberOk) EXPECT_DOUBLE_EQ(typed.value, c.value) << c.text;
    EXPECT_EQ(IsRefusedNumber(c.text, c.rule), c.fault != kNumberOk) << c.text;
  }
  EXPECT_TRUE(ReadNumberInput("  ").empty);
  EXPECT_FALSE(ReadNumberInput("  ").measured());
  EXPECT_TRUE(ReadNumberInput("0").measured());
  EXPECT_FALSE(ReadNumberInput("abc").measured());
}

// The one normaliser writes the forms the dialogs store, byte for byte, and
// gives the value as typed, before its rounding.
TEST(NumberInput, NormalisesWhatItAcceptsAndKeepsWhatItRefuses) {
  struct Normalised {
    const char* text;
    int decimals;
    NumberRule rule;
    Rounding rounding;
    const char* shown;
    bool accepted;
    double value;
  } cases[] = {
      {" 12,26 ", 1, kMeasuredNumber, Rounding::kAsPrinted, "12.3", true, 12.26},
      {" 3;5 ", 1, kMeasuredNumber, Rounding::kAsPrinted, "3.5", true, 3.5},
      {"2:349", 2, kMeasuredNumber, Rounding::kAsPrinted, "2.35", true, 2.349},
      {"502.4", 0, kMeasuredNumber, Rounding::kAsPrinted, "502", true, 502.4},
      {"2.25", 1, kMeasuredNumber, Rounding::kAsPrinted, "2.2", true, 2.25},
      {"", 1, kMeasuredNumber, Rounding::kAsPrinted, "", true, 0.0},
      {"  ", 2, kMeasuredNumber, Rounding::kAsPrinted, "", true, 0.0},
      {"abc", 1, kMeasuredNumber, Rounding::kAsPrinted, "abc", false, 0.0},
      {"-5", 1, kMeasuredNumber, Rounding::kAsPrinted, "-5", false, -5.0},
      {" 1e300 ", 1, kMeasuredNumber, Rounding::kAsPrinted, " 1e300 ", false, 0.0},
      // Halves away from zero, as the crushed surfaces write their masses.
      {"2,25", 1, kMeasuredNumber, Rounding::kHalvesUp, "2.3", true, 2.25},
      {" 1.005 ", 2, kMeasuredNumber, Rounding::kHalvesUp, "1.01", true, 1.005},
      {"-2.25", 1, kStoredNumber, Rounding::kHalvesUp, "-2.3", true, -2.25},
      {"502.5", 0, kMeasuredNumber, Rounding::kHalvesUp, "503", true, 502.5},
      // A stored or handed-over text is read as it is.
      {"x", 1, kStoredNumber, Rounding::kAsPrinted, "0.0", true, 0.0},
      {"7,5 kg", 2, kStoredNumber, Rounding::kAsPrinted, "7.50", true, 7.5},
  };
  for (const auto& c : cases) {
    std::string text = c.text;
    const TypedNumber typed = NormalizeNumber(text, c.decimals, c.rule, c.rounding);
    EXPECT_EQ(typed.accepted(), c.accepted) << c.text;
    EXPECT_EQ(text, c.shown) << c.text;
    EXPECT_DOUBLE_EQ(typed.value, c.value) << c.text;
  }
}

TEST(NumberInput, MessageNamesTheFieldAndWhatItAllowsInWords) {
  const std::string notANumber = NumberRefusalMessage("Einwaage\n[g]:", "abc", kMeasuredNumber);
  EXPECT_EQ(notANumber, "Einwaage [g]: Bitte eine Zahl eingeben.\n\n\"abc\" ist keine Zahl.\n"
                        "Erlaubt ist eine Zahl ohne Vorzeichen, höchstens 7 Stellen vor dem Komma.");
  const std::string long_ = NumberRefusalMessage("Masse", "123456789", kMeasuredNumber);
  EXPECT_NE(long_.find("123456789 hat mehr Stellen vor dem Komma"), std::string::npos) << long_;
  EXPECT_EQ(long_.find("9999999"), std::string::npos) << long_;
  EXPECT_NE(NumberRefusalMessage("pH", "15", kPhNumber).find("Erlaubt ist eine Zahl von 0 bis 14."), std::string::npos);
  EXPECT_NE(NumberRefusalReason("-5", kMeasuredNumber).find("negativ"), std::string::npos);
  EXPECT_EQ(NumberRefusalReason("5", kMeasuredNumber), "");
  EXPECT_EQ(FieldNameOfLabel(" Summe Flint\n     inkl. A1 : "), "Summe Flint inkl. A1");
  EXPECT_EQ(FieldNameOfLabel("Mittelwert E<t>csm<n> [s]:"), "Mittelwert Ecsm [s]");
  EXPECT_EQ(FieldNameOfLabel("< 1%"), "< 1%");
  EXPECT_EQ(FieldNameOfLabel("Rohdichte <fs>r<fn><t>p<n> [Mg/m³]:"), "Rohdichte ρp [Mg/m³]");
}
