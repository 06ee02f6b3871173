#include <gtest/gtest.h>

#include <ctime>

#include "platform/datetime.h"
#include "records/versuch.h"

TEST(Versuch, FieldAccessRefusesIndexesAbove32) {
  CVersuch r;
  EXPECT_TRUE(r.SetField(32, "x"));
  EXPECT_EQ(r.GetField(32), "x");
  EXPECT_FALSE(r.SetField(33, "y"));
  EXPECT_EQ(r.GetField(33), "");
  EXPECT_EQ(r.m_selected, 0);
}

TEST(Versuch, SetValue) {
  struct Case { const char* field; int part; const char* value; const char* out; } cases[] = {
      {"", 0, "v", "v"}, {"", 2, "v", "||v"}, {"a|b|c", 1, "x~y", "a|x#y|c"},
      {"a", 3, "x|y", "a|||x#y"}, {"a|b", 0, "$", "#|b"}};
  for (const auto& c : cases) {
    CVersuch r;
    r.SetField(4, c.field);
    EXPECT_TRUE(r.SetValue(4, c.part, c.value));
    EXPECT_EQ(r.GetField(4), c.out) << c.field;
  }
  CVersuch r;
  r.SetField(1, "T-1|x|-1|7");
  EXPECT_EQ(r.GetValue(1, 0), "T-1");
  EXPECT_EQ(r.GetValue(1, 9), "");
  EXPECT_EQ(r.GetValueInt(1, 2), -1);
  EXPECT_EQ(r.GetValueInt(1, 1), 0);
}

TEST(Versuch, SetFieldOnLoadDropsTheFirstSemicolonOfField18) {
  struct Case { int field; const char* in; const char* out; } cases[] = {
      {18, "Kies;0/2|DIN", "Kies0/2|DIN"}, {18, ";x;y", ";x;y"}, {18, "a;b;c", "ab;c"}, {5, "a;b", "a;b"}};
  for (const auto& c : cases) {
    CVersuch r;
    r.SetFieldOnLoad(c.field, c.in);
    EXPECT_EQ(r.GetField(c.field), c.out) << c.in;
  }
}

// What the program stores in field 18 comes back from the reader unchanged.
TEST(Versuch, FieldForStoreIsUndoneBySetFieldOnLoad) {
  for (const char* text : {"x;y;z", ";x;y", "a;;b", "Kies0/2|DIN;EN", ";", "a;", "", "no semicolon"}) {
    for (int field : {18, 5}) {
      CVersuch stored;
      stored.SetField(field, text);
      CVersuch loaded;
      loaded.SetFieldOnLoad(field, stored.GetFieldForStore(field));
      EXPECT_EQ(loaded.GetField(field), text) << field;
    }
  }
  CVersuch r;
  r.SetField(18, "x;y");
  EXPECT_EQ(r.GetFieldForStore(18), "x;;y");
  EXPECT_EQ(r.GetFieldForStore(5), "");
}

TEST(Versuch, TestStatusList) {
  struct Case { const char* list; const char* key; const char* status; const char* out; } cases[] = {
      {"", "VA_KORNF", "8", "[VA_KORNF:8]"},
      {"[VA_GRUND:1][VA_KORNF:0][VA_KORNF:9]", "VA_KORNF", "8", "[VA_GRUND:1][VA_KORNF:8]"},
      {"[VA_GRUND:1]", "VA_SIEBL", "0", "[VA_GRUND:1][VA_SIEBL:0]"},
      {"[VA_GRUND:0][VA_SIEBL:0]", "VA_GRUND", "1", "[VA_GRUND:1][VA_SIEBL:0]"}};
  for (const auto& c : cases) {
    CVersuch r;
    r.SetTestStatusList(c.list);
    r.SetTestStatus(c.key, c.status);
    EXPECT_EQ(r.GetTestStatusList(), c.out) << c.list;
  }
}

TEST(Versuch, UpdateTestStatusStampsTheLastChange) {
  std::tm tm {};
  tm.tm_year = 126; tm.tm_mon = 2; tm.tm_mday = 4; tm.tm_hour = 12; tm.tm_isdst = -1;
  platform::SetClockOverride(std::mktime(&tm));
  CVersuch r;
  r.SetField(1, "P-1|||||20250101|20250101");
  r.UpdateTestStatus("VA_PLATT", "9");
  EXPECT_EQ(r.GetValue(1, 6), "20260304");
  EXPECT_EQ(r.GetValue(1, 5), "20250101");
  EXPECT_EQ(r.GetTestStatusList(), "[VA_PLATT:9]");
  platform::SetClockOverride(std::nullopt);
}

TEST(Versuch, StatisticsValue) {
  struct Case { const char* value; const char* list; const char* out; } cases[] = {
      {"1.2_*", "[VA_KORNF:9]", "1.2_*"}, {"1.2_*", "[VA_KORNF:8]", "1.2"},
      {"1.2", "[VA_GRUND:1]", ""}, {"1.2", "VA_KORNF:9", ""}, {"3_*4", "[VA_KORNF:9]", "34_*"}};
  for (const auto& c : cases) {
    CVersuch r;
    r.SetValue(10, 10, c.value);
    EXPECT_EQ(r.GetStatisticsValue(10, 10, c.list, "VA_KORNF"), c.out) << c.value << c.list;
  }
}

TEST(Versuch, NamedAccessors) {
  CVersuch r;
  EXPECT_EQ(r.GetInfo1Label(), "Baustelle");
  EXPECT_EQ(r.GetInfo2Label(), "Schicht");
  r.SetValue(1, 23, "Los");
  EXPECT_EQ(r.GetInfo1Label(), "Los");
  r.SetField(5, "a;b;Kies;d;e;f;g;h;[M-1];z");
  EXPECT_EQ(r.GetMaterialId(), "[M-1]");
  r.SetField(25, "{0}{ID|Name|tower}{x}{|||Pa|}{req}{[VA_KORNF|5-30][VA_GS_WASSER|0,5_LE]}");
  EXPECT_EQ(r.GetSideTests(), "[VA_KORNF|5-30][VA_GS_WASSER|0,5_LE]");
  EXPECT_EQ(r.GetSideTestEntry("VA_GS_WASSER"), "VA_GS_WASSER|0,5_LE");
  EXPECT_EQ(r.GetSideTestEntry("VA_PLATT"), "");
  EXPECT_EQ(r.GetGroupValue(25, 1, 2), "tower");
  EXPECT_EQ(r.GetHeadingPrefix("3"), "");
}

TEST(Versuch, SievingQueries) {
  struct Case { const char* f3; const char* f7; const char* f8; bool wet; } cases[] = {
      {"0", "||0", "||1", true}, {"0", "||1", "||0", false}, {"1", "||1", "||0", true},
      {"1", "||0", "||1", false}, {"", "||0", "||0", false}};
  for (const auto& c : cases) {
    CVersuch r;
    r.SetField(3, c.f3); r.SetField(7, c.f7); r.SetField(8, c.f8);
    EXPECT_EQ(r.IsWetSieving(), c.wet) << c.f3 << c.f7 << c.f8;
  }
  CVersuch r;
  r.SetDrySieving(true);
  EXPECT_EQ(r.GetField(7), "||1");
  r.SetDrySieving(false);
  EXPECT_EQ(r.GetField(7), "||0");
}

TEST(Versuch, BallastTolerance) {
  CVersuch r;
  EXPECT_FALSE(r.IsToleratedSieveValue("50", "99.5"));
  r.SetValue(18, 9, "1");
  EXPECT_TRUE(r.IsToleratedSieveValue("50", "99.5"));
  EXPECT_TRUE(r.IsToleratedSieveValue("63.0", "100"));
  EXPECT_FALSE(r.IsToleratedSieveValue("63", "99"));
  EXPECT_FALSE(r.IsToleratedSieveValue("40", "99.5"));
}

TEST(Versuch, FormatStoredDate) {
  EXPECT_EQ(FormatStoredDate("20261210"), "2026-12-10");
  EXPECT_EQ(FormatStoredDate("20261210093005"), "2026-12-10 09:30:05");
  EXPECT_EQ(FormatStoredDate("2026"), "2026");
}
