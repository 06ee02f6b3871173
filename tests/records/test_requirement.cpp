#include <gtest/gtest.h>

#include "platform/messagebox.h"
#include "records/requirement.h"

namespace {

constexpr auto No = RequirementResult::NoRequirement;
constexpr auto Met = RequirementResult::Met;
constexpr auto NotMet = RequirementResult::NotMet;

struct CheckCase {
  const char* code;
  const char* value;
  RequirementResult expected;
};

TEST(CheckRequirement, JudgesEveryForm) {
  const CheckCase cases[] = {
      {"", "5", No},              {"5_LE", "", No},          {"--", "5", No},
      {"#", "5", No},             {"7", "7", No},            {"0,5_LE", "0.5", Met},
      {"0,5_LE", "0.51", NotMet}, {"3,0_LT_D", "3.0", NotMet}, {"3,0_LT_D", "2.9", Met},
      {"50_GE", "50", Met},       {"50_GE", "49.9", NotMet}, {"2_GT", "2", NotMet},
      {"2_GT", "2.01", Met},      {"100_EQ", "100.0", Met},  {"100_EQ", "99.99999", NotMet},
      {"50_EQ", "100", Met},      {"50_EQ", "60", NotMet},   {"5-30", "5", Met},
      {"5-30", "30", Met},        {"5-30", "30.5", NotMet},  {"5-30", "4.9", NotMet},
      {"30-65_R", "40", Met},     {"-5_GE", "-6", NotMet},   {"-5_GE", "-5", Met},
      {"-5-10", "0", No},         {"10_LE_Z", "10", Met},    {"10_LE_Z", "10.1", NotMet},
      {"12_LE", "12,5", Met},     {"13_GE", "12,5", NotMet},  // value read up to the comma
      {"20_GE_LE", "25", NotMet},                              // "_LE" comes first in the search
      {" 5_LE", " 4", Met},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CheckRequirement(c.code, c.value), c.expected) << c.code << " / " << c.value;
    EXPECT_EQ(IsRequirementMet(c.code, c.value), c.expected == Met) << c.code << " / " << c.value;
  }
}

TEST(CheckRequirement, CodeOrValueThatIsNoNumberStatesNoRequirement) {
  // Read as 0 these would judge "abc" as meeting "<= 5" or a damaged code as a limit of 0.
  const CheckCase cases[] = {{"x_LE", "5", No}, {"_GE", "5", No},   {"a-b", "0", No},
                             {"5-", "3", No},   {"5_LE", "abc", No}, {"5_LE", "--", No},
                             {"x_EQ", "100", No}};
  for (const auto& c : cases) EXPECT_EQ(CheckRequirement(c.code, c.value), c.expected) << c.code << " / " << c.value;
}

TEST(CheckRequirement, InvertedRangeWarnsOnEveryCheckAndIsNeverMet) {
  platform::ScriptedMessageBoxes boxes;
  EXPECT_EQ(CheckRequirement("30-5", "10"), NotMet);
  EXPECT_EQ(CheckRequirement("30-5", "30"), NotMet);
  ASSERT_EQ(boxes.shown().size(), 2u);
  EXPECT_EQ(boxes.shown()[0].text, "Error 5137");
  EXPECT_EQ(boxes.shown()[0].flags, static_cast<unsigned>(platform::MB_OK));
  boxes.Clear();
  CheckRequirement("5-30", "10");
  EXPECT_TRUE(boxes.shown().empty());
}

TEST(FormatRequirement, ShowsCodes) {
  struct Case {
    const char* code;
    int decimals;
    const char* expected;
  } cases[] = {
      {"1.0_LE", 1, "<= 1"},   {"1.0_LE", 2, "<= 1.00"}, {"0,5_LE", 1, "<= 0.5"}, {"100_EQ", 1, "= 100"},
      {"50_EQ", 1, "= 50"},    {"3,0_LT_D", 1, "< 3"},   {"7_GE", 0, ">= 7"},     {"2_GT", 1, "> 2"},
      {"10_LE_Z", 1, "<= 10"}, {"-5_GE", 1, ">= -5"},    {"30-65", 1, "30-65"},   {"30-65_R", 1, "30-65"},
      {"0.25-1.5", 2, "0.25-1.50"},                      {"--", 1, ""},           {"#", 1, ""},
      {"", 1, ""},             {"-5-10", 1, ""},         {"5-", 1, ""},           {"7", 1, ""},
      {"x_LE", 1, ""},         {"a-b", 1, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatRequirement(c.code, c.decimals), c.expected) << c.code;
}

TEST(GetRelationSymbol, FirstRelationWithoutEquality) {
  EXPECT_EQ(GetRelationSymbol("5_LE"), "<=");
  EXPECT_EQ(GetRelationSymbol("5_LT_D"), "<");
  EXPECT_EQ(GetRelationSymbol("5_GE"), ">=");
  EXPECT_EQ(GetRelationSymbol("5_GT"), ">");
  EXPECT_EQ(GetRelationSymbol("100_EQ"), "");
  EXPECT_EQ(GetRelationSymbol("5-30"), "");
}

TEST(RequirementMarks, MarksLimitsAndRanges) {
  struct Case {
    const char* code;
    std::vector<RequirementMark> marks;
  } cases[] = {
      {"15_LE", {{15, 0}}},
      {"0,5_LE", {{0.5, 0}}},
      {"7_GE", {{7, 1}}},
      {"7_GT", {{7, 1}}},
      {"20_GE_R", {{80, 0}}},
      {"20_LE_R", {{80, 1}}},
      {"0-5", {{0, 1}, {5, 0}}},
      {"5-10_R", {{95, 0}, {90, 1}}},
      {"-5_GE", {{-5, 1}}},  // a leading "-" is a sign, as when judging
      {"", {}},
      {"#", {}},
      {"--", {}},
  };
  for (const auto& c : cases) {
    const auto marks = RequirementMarks(c.code);
    ASSERT_EQ(marks.size(), c.marks.size()) << c.code;
    for (size_t i = 0; i < marks.size(); ++i) {
      EXPECT_DOUBLE_EQ(marks[i].percent, c.marks[i].percent) << c.code;
      EXPECT_EQ(marks[i].direction, c.marks[i].direction) << c.code;
    }
  }
}

TEST(ExtractMarkupModes, SplitsLabelIntoModeSegments) {
  struct Case {
    const char* label;
    const char* modes;
    const char* result;
  } cases[] = {
      {"<t>", "nt", "@"},
      {"Anteil", "n", "Anteil"},
      {"a<k>b", "n", "a,b"},
      {"m<h>3<n> x<t>i", "nhnt", "m@3@ x@i"},
      {"<x>y", "n", "<x>y"},
      {"", "n", ""},
      {"<", "n", "<"},
  };
  for (const auto& c : cases) {
    std::string label = c.label;
    EXPECT_EQ(ExtractMarkupModes(label), c.modes) << c.label;
    EXPECT_EQ(label, c.result) << c.label;
  }
}

}  // namespace
