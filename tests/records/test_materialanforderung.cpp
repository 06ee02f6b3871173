#include <gtest/gtest.h>

#include <vector>

#include "records/materialanforderung.h"
#include "records/strutil.h"

namespace {

// The requirement string of a new record, as the new-record dialog writes it.
std::string TemplateString(const std::string& name, const std::string& id) {
  std::string text =
      "SDM;;%s;;;;;;[%s];;;;;;;;;;;;;;;;;;;#;;#;#;#;#;;#;#;;#;#;;#;#;;#;#;;#;#;;#;#;;#;;#;#;;#;;#;#;;#;#;#;#;#;#;#;#;"
      "#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#";
  text.replace(text.find("%s"), 2, name);
  text.replace(text.find("%s"), 2, id);
  return text;
}

// A requirement string whose field n holds "Fn".
std::string NumberedString() {
  std::string text;
  for (int n = 0; n < 100; ++n) text += (n ? ";F" : "F") + std::to_string(n);
  return text;
}

const std::vector<int> kSieveRows = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 26, 28, 29};
const std::vector<int> kSideRows = {20, 21, 22, 23, 24, 25, 27};

TEST(MaterialAnforderung, TemplateStatesNoRequirement) {
  const std::string text = TemplateString("Kies 0/2", "SDM-1");
  ASSERT_EQ(StrCountFields(text, ';'), 100);
  CMaterialAnforderung holder;
  holder.SetStrings(text, "");
  for (int row : kSieveRows) {
    std::string label = "?", requirement = "?";
    EXPECT_FALSE(holder.GetSieveRequirement(row, label, requirement)) << row;
    const std::string expectedLabel = row == 0 ? "0.09" : row == 1 ? "0.02" : row == 2 ? "0.063" : row == 10 ? "" : "#";
    EXPECT_EQ(label, expectedLabel) << row;
  }
  for (int row : kSideRows) {
    std::string requirement = "?";
    EXPECT_FALSE(holder.GetSideTestRequirement(row, requirement)) << row;
    EXPECT_EQ(requirement, "#") << row;
  }
}

TEST(MaterialAnforderung, RowsReadTheirFields) {
  CMaterialAnforderung holder;
  holder.SetStrings(NumberedString(), "");
  struct Row {
    int row;
    const char* label;
    const char* requirement;
  };
  const Row rows[] = {{0, "0.09", "F27"}, {1, "0.02", "F31"}, {2, "0.063", "F32"}, {3, "F34", "F35"},
                      {4, "F37", "F38"},  {5, "F40", "F41"},  {6, "F43", "F44"},   {7, "F46", "F47"},
                      {8, "F49", "F50"},  {9, "F59", "F60"},  {10, "", "F57"},     {11, "F66", "F67"},
                      {12, "F64", "F65"}, {26, "F82", "F83"}, {28, "F86", "F87"},  {29, "F88", "F89"}};
  for (const Row& r : rows) {
    std::string label, requirement;
    EXPECT_TRUE(holder.GetSieveRequirement(r.row, label, requirement)) << r.row;
    EXPECT_EQ(label, r.label) << r.row;
    EXPECT_EQ(requirement, r.requirement) << r.row;
  }
  const std::pair<int, const char*> sides[] = {{20, "F52"}, {21, "F81"}, {22, "F80"}, {23, "F54"},
                                               {24, "F55"}, {25, "F84"}, {27, "F85"}};
  for (const auto& [row, field] : sides) {
    std::string requirement;
    EXPECT_TRUE(holder.GetSideTestRequirement(row, requirement)) << row;
    EXPECT_EQ(requirement, field) << row;
  }
}

TEST(MaterialAnforderung, OtherRowsJudgeWhatTheCallerPassed) {
  CMaterialAnforderung holder;
  holder.SetStrings(NumberedString(), "");
  std::string label = "L", requirement = "5_LE";
  EXPECT_TRUE(holder.GetSieveRequirement(13, label, requirement));
  EXPECT_EQ(label, "L");
  EXPECT_EQ(requirement, "5_LE");
  requirement = "#";
  EXPECT_FALSE(holder.GetSieveRequirement(-1, label, requirement));
  requirement = "";
  EXPECT_FALSE(holder.GetSideTestRequirement(26, requirement));
  requirement = "7_GE";
  EXPECT_TRUE(holder.GetSideTestRequirement(26, requirement));
  EXPECT_EQ(requirement, "7_GE");
}

TEST(MaterialAnforderung, FinesRowChoosesAlternative) {
  std::string text = TemplateString("Kies", "SDM-1");
  StrSetField(text, ';', 32, "0-3_LE/0-5_LE/9_LE");
  CMaterialAnforderung holder;
  holder.SetStrings(text, "");
  std::string label, requirement;
  EXPECT_TRUE(holder.GetSieveRequirement(2, label, requirement));
  EXPECT_EQ(requirement, "0-3_LE");
  holder.SetAlternativeFlag(true);
  EXPECT_TRUE(holder.GetSieveRequirement(2, label, requirement));
  EXPECT_EQ(requirement, "0-5_LE");

  StrSetField(text, ';', 32, "4_LE");
  holder.SetStrings(text, "");
  EXPECT_TRUE(holder.GetSieveRequirement(2, label, requirement));
  EXPECT_EQ(requirement, "4_LE");
}

TEST(MaterialAnforderung, SieveRequirementGroupsAreCutOnDemand) {
  CMaterialAnforderung holder;
  holder.SetStrings("", "{0}{A|a|1 2}{}{}{2|10-30||1||1||}{}{|Gruppe 1}");
  EXPECT_EQ(holder.SieveRequirementLines, "");
  EXPECT_EQ(holder.GetSieveRequirements(), "2|10-30||1||1||");
  EXPECT_EQ(holder.SieveRequirementLines, "|Gruppe 1");

  holder.SetStrings("", "{0}{B|b|1 2}{}{}{4|5_LE||1||1||}{}{|Gruppe 2}");
  EXPECT_EQ(holder.SieveRequirementLines, "|Gruppe 1");  // until the next cut
  EXPECT_EQ(holder.GetSieveRequirements(), "4|5_LE||1||1||");
  EXPECT_EQ(holder.SieveRequirementLines, "|Gruppe 2");

  holder.SetStrings("", "{0}{C|c|1 2}{}{}{8|1-2||1||1||}");  // fewer than seven groups
  EXPECT_EQ(holder.GetSieveRequirements(), "8|1-2||1||1||");
  EXPECT_EQ(holder.SieveRequirementLines, "");
  holder.SetStrings("", "{0}{D|d|1 2}");
  EXPECT_EQ(holder.GetSieveRequirements(), "");
}

}  // namespace
