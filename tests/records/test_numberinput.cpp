// The rule of every number field: what a user may type, how a refused text is
// kept for correction, and what the message says.
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
      {"9999999", kMeasuredNumber, kNumberOk, 9999999.0},
      {"0009999999.9", kMeasuredNumber, kAboveRange, 9999999.9},
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
      {"-5", kMeasuredNumber, kBelowRange, -5.0},
      {"-0.1", kMeasuredNumber, kBelowRange, -0.1},
      {"12345678", kMeasuredNumber, kAboveRange, 12345678.0},
      {huge.c_str(), kMeasuredNumber, kAboveRange, 0.0},
      {"14", kPhNumber, kNumberOk, 14.0},
      {"14.1", kPhNumber, kAboveRange, 14.1},
      {"-1", kPhNumber, kBelowRange, -1.0},
      {"100", kPercentNumber, kNumberOk, 100.0},
      {"100.5", kPercentNumber, kAboveRange, 100.5},
      // A rule whose range is wider than its places.
      {"123", NumberRule{0.0, 1e9, 2}, kTooManyDigits, 123.0},
      {"-12", NumberRule{-40.0, 40.0, 2}, kNumberOk, -12.0},
  };
  for (const Case& c : cases) {
    double value = -1.0;
    EXPECT_EQ(ReadNumberInput(c.text, c.rule, &value), c.fault) << "\"" << c.text << "\"";
    if (c.value != 0.0 || c.fault == kNumberOk) EXPECT_DOUBLE_EQ(value, c.value) << c.text;
    EXPECT_EQ(IsRefusedNumber(c.text, c.rule), c.fault != kNumberOk) << c.text;
  }
}

TEST(NumberInput, NormalisesWhatItAcceptsAndKeepsWhatItRefuses) {
  struct Normalised {
    const char* text;
    const char* shown;
    bool accepted;
  } cases[] = {
      {" 12,26 ", "12.3", true}, {"", "", true}, {"abc", "abc", false}, {"-5", "-5", false}, {" 1e300 ", " 1e300 ", false},
  };
  for (const auto& c : cases) {
    std::string text = c.text;
    EXPECT_EQ(NormalizeNumberInput(text, 1), c.accepted) << c.text;
    EXPECT_EQ(text, c.shown) << c.text;
  }
}

TEST(NumberInput, MessageNamesTheFieldAndWhatItAllows) {
  const std::string notANumber = NumberRefusalMessage("Einwaage\n[g]:", "abc", kMeasuredNumber);
  EXPECT_EQ(notANumber.rfind("Einwaage [g]: Bitte eine Zahl eingeben.", 0), 0u) << notANumber;
  EXPECT_NE(notANumber.find("\"abc\" ist keine Zahl."), std::string::npos) << notANumber;
  EXPECT_NE(notANumber.find("von 0 bis 9999999"), std::string::npos) << notANumber;
  EXPECT_NE(NumberRefusalMessage("pH", "15", kPhNumber).find("von 0 bis 14"), std::string::npos);
  EXPECT_NE(NumberRefusalReason("-5", kMeasuredNumber).find("negativ"), std::string::npos);
  EXPECT_EQ(NumberRefusalReason("5", kMeasuredNumber), "");
  EXPECT_EQ(FieldNameOfLabel(" Summe Flint\n     inkl. A1 : "), "Summe Flint inkl. A1");
  EXPECT_EQ(FieldNameOfLabel("Mittelwert E<t>csm<n> [s]:"), "Mittelwert Ecsm [s]");
  EXPECT_EQ(FieldNameOfLabel("< 1%"), "< 1%");
  EXPECT_EQ(FieldNameOfLabel("Rohdichte <fs>r<fn><t>p<n> [Mg/m³]:"), "Rohdichte ρp [Mg/m³]");
}
